#include "host/Canvas.h"

#include <algorithm>
#include <climits>

#include "host/Bitmaps.h"
#include "host/Exceptions.h"
#include "platform/DcGuards.h"

namespace {

inline constexpr char16_t SNoCanvasHandle[] = u"Canvas does not allow drawing";

// A font without a colour of its own draws in the desktop's text colour.
COLORREF TextColor(TColor Color) { return ColorToGdi(Color == clDefault ? clWindowText : Color); }

int Length(const String& Text) { return static_cast<int>(std::min<size_t>(Text.size(), INT_MAX)); }

}  // namespace

HOST_CLASS_INFO(TCanvas, TPersistent, &CreateDefault<TCanvas>)

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
  FFont->FCanvas = FBrush->FCanvas = FPen->FCanvas = this;
}

TCanvas::~TCanvas() { DeselectHandles(); }

HDC TCanvas::GetHandle() {
  RequiredState({csHandleValid});
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (FHandle == Value) return;
  DeselectHandles();
  FHandle = Value;
  FState = Value ? TCanvasStates{csHandleValid} : TCanvasStates{};
}

void TCanvas::RequiredState(TCanvasStates State) {
  const TCanvasStates missing = State - FState;
  if (missing.Empty()) return;
  if (missing.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation(SNoCanvasHandle);
    FState.Include(csHandleValid);
  }
  if (missing.Contains(csFontValid)) SelectFont();
  if (missing.Contains(csBrushValid)) SelectBrush();
  if (missing.Contains(csPenValid)) SelectPen();
}

void TCanvas::SelectFont() {
  HGDIOBJ old = SelectObject(FHandle, FFont->GetHandle());
  if (!FOldFont) FOldFont = old;
  SetTextColor(FHandle, TextColor(FFont->GetColor()));
  FState.Include(csFontValid);
}

void TCanvas::SelectBrush() {
  HGDIOBJ old = SelectObject(FHandle, FBrush->GetHandle());
  if (!FOldBrush) FOldBrush = old;
  // Text and styled pens fill behind themselves only with a solid brush.
  SetBkColor(FHandle, ColorToGdi(FBrush->GetColor()));
  SetBkMode(FHandle, FBrush->GetStyle() == bsSolid ? OPAQUE : TRANSPARENT);
  FState.Include(csBrushValid);
}

void TCanvas::SelectPen() {
  HGDIOBJ old = SelectObject(FHandle, FPen->GetHandle());
  if (!FOldPen) FOldPen = old;
  SetROP2(FHandle, PenModeToROP2(FPen->GetMode()));
  FState.Include(csPenValid);
}

void TCanvas::DeselectFont() {
  if (!FState.Contains(csFontValid)) return;
  SelectObject(FHandle, FOldFont);
  FOldFont = nullptr;
  FState.Exclude(csFontValid);
}

void TCanvas::DeselectBrush() {
  if (!FState.Contains(csBrushValid)) return;
  SelectObject(FHandle, FOldBrush);
  FOldBrush = nullptr;
  FState.Exclude(csBrushValid);
}

void TCanvas::DeselectPen() {
  if (!FState.Contains(csPenValid)) return;
  SelectObject(FHandle, FOldPen);
  FOldPen = nullptr;
  FState.Exclude(csPenValid);
}

void TCanvas::ObjectChanged(TGraphicsObject* Object) {
  if (Object == FFont.get()) DeselectFont();
  else if (Object == FBrush.get()) DeselectBrush();
  else if (Object == FPen.get()) DeselectPen();
}

void TCanvas::DeselectHandles() {
  if (!FHandle) return;
  DeselectFont();
  DeselectBrush();
  DeselectPen();
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TCanvas::GetPenPos() {
  RequiredState({csHandleValid});
  TPoint p;
  GetCurrentPositionEx(FHandle, &p);
  return p;
}

TColor TCanvas::GetPixels(Integer X, Integer Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid});
  SetPixel(FHandle, X, Y, ColorToGdi(Value));
  Changed();
}

void TCanvas::MoveTo(Integer X, Integer Y) {
  RequiredState({csHandleValid});
  MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(Integer X, Integer Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(FHandle, Points.data(), static_cast<int>(std::min<size_t>(Points.size(), INT_MAX)));
  Changed();
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(FHandle, Points.data(), static_cast<int>(std::min<size_t>(Points.size(), INT_MAX)));
  Changed();
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::ArcTo(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::ArcTo(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::AngleArc(Integer X, Integer Y, Cardinal Radius, Single StartAngle, Single SweepAngle) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::AngleArc(FHandle, X, Y, Radius, StartAngle, SweepAngle);
  Changed();
}

void TCanvas::Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Chord(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::PolyBezier(std::span<const TPoint> Points) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::PolyBezier(FHandle, Points.data(), static_cast<DWORD>(std::min<size_t>(Points.size(), UINT32_MAX)));
  Changed();
}

void TCanvas::PolyBezierTo(std::span<const TPoint> Points) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::PolyBezierTo(FHandle, Points.data(), static_cast<DWORD>(std::min<size_t>(Points.size(), UINT32_MAX)));
  Changed();
}

void TCanvas::FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::ExtFloodFill(FHandle, X, Y, ColorToGdi(Color), FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(FHandle, &Rect, FBrush->GetHandle());
  Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(FHandle, &Rect, FBrush->GetHandle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(FHandle, &Rect);
  Changed();
}

void TCanvas::TextOut(Integer X, Integer Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOutW(FHandle, X, Y, 0, nullptr, Text.data(), static_cast<UINT>(Length(Text)), nullptr);
  MoveTo(X + TextWidth(Text), Y);
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, Integer X, Integer Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  const UINT options = ETO_CLIPPED | (FBrush->GetStyle() == bsSolid ? ETO_OPAQUE : 0);
  ExtTextOutW(FHandle, X, Y, options, &Rect, Text.data(), static_cast<UINT>(Length(Text)), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const String& Text) {
  RequiredState({csHandleValid, csFontValid});
  TSize size;
  GetTextExtentPoint32W(FHandle, Text.data(), Length(Text), &size);
  return size;
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  StretchDraw(Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  Changing();
  // Monochrome images take their two colours from these.
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  if (!Canvas) return;
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Right - Dest.Left, Dest.Bottom - Dest.Top, Canvas->FHandle,
             Source.Left, Source.Top, Source.Right - Source.Left, Source.Bottom - Source.Top,
             static_cast<DWORD>(FCopyMode));
  Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
  if (!Bitmap || Bitmap->GetEmpty()) return;
  const int dw = Dest.Right - Dest.Left, dh = Dest.Bottom - Dest.Top;
  const int sw = Source.Right - Source.Left, sh = Source.Bottom - Source.Top;
  if (sw <= 0 || sh <= 0) return;
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  HDC source = Bitmap->GetCanvas()->GetHandle();
  // A mask that is 1 where the image has Color: a colour-to-monochrome blit
  // compares with the source's background colour.
  TMemoryDC maskDC(nullptr, CreateBitmap(sw, sh, 1, 1, nullptr));
  {
    TSavedDC saved(source);
    SetBkColor(source, ColorToGdi(Color));
    BitBlt(maskDC, 0, 0, sw, sh, source, Source.Left, Source.Top, SRCCOPY);
  }

  StretchBlt(FHandle, Dest.Left, Dest.Top, dw, dh, source, Source.Left, Source.Top, sw, sh, SRCCOPY);
  // Where the mask is set the brush replaces the pixel (D ^ (S & (P ^ D)));
  // the mask becomes all ones and all zeros through these two colours.
  {
    TSavedDC saved(FHandle);
    SetTextColor(FHandle, 0);
    SetBkColor(FHandle, 0x00FFFFFF);
    constexpr DWORD DSPDxax = 0x00E20746;
    StretchBlt(FHandle, Dest.Left, Dest.Top, dw, dh, maskDC, 0, 0, sw, sh, DSPDxax);
  }
  Changed();
}

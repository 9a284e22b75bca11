// What the canvas of cxGraphics draws: fills, regions, frames and edges,
// inversion, the pie by angles, paths and images.
#include <cmath>

#include "graphics/GdiScopes.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsState.h"
#include "host/ImageLists.h"
#include "platform/Rectangles.h"
#include "platform/ScopeExit.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

// Division rounding towards minus infinity, so that tiles left of or above
// the origin start where they should.
Integer FloorDiv(Integer A, Integer B) { return A / B - ((A % B != 0) && ((A < 0) != (B < 0)) ? 1 : 0); }

// A point of the ellipse inscribed in R, at the angle in degrees
// counter-clockwise from the x axis (y grows upwards).
TPoint EllipsePoint(const TRect& R, double ADegrees) {
  const double a = cxRectWidth(R) / 2.0, b = cxRectHeight(R) / 2.0;
  const double angle = ADegrees * Pi / 180, s = std::sin(angle), c = std::cos(angle);
  const double distance = a * b / std::sqrt(a * a * s * s + b * b * c * c);
  return {static_cast<LONG>(std::lround((R.Left + R.Right) / 2.0 + distance * c)),
          static_cast<LONG>(std::lround((R.Top + R.Bottom) / 2.0 - distance * s))};
}

}  // namespace

// --- Filling ---------------------------------------------------------------------------

void TcxCanvas::FillRect(const TRect& R, TColor AColor) {
  if (AColor == clNone) return;
  if (AColor != clDefault) SetBrushColor(AColor);
  FCanvas->FillRect(R);
}

void TcxCanvas::FillRect(const TRect& R, TBitmap* ABitmap, bool AExcludeRect) {
  if (cxRectIsEmpty(R)) return;
  if (IsGlyphAssigned(ABitmap)) {
    const Integer w = ABitmap->GetWidth(), h = ABitmap->GetHeight();
    TCanvas* source = ABitmap->GetCanvas();
    for (Integer row = FloorDiv(R.Top, h), lastRow = FloorDiv(R.Bottom - 1, h); row <= lastRow; ++row)
      for (Integer column = FloorDiv(R.Left, w), lastColumn = FloorDiv(R.Right - 1, w); column <= lastColumn;
           ++column) {
        const TRect tile = Bounds(column * w, row * h, w, h);
        TRect part;
        IntersectRect(&part, &tile, &R);
        FCanvas->CopyRect(part, source, cxRectOffset(part, tile.Left, tile.Top, false));
      }
  } else {
    FCanvas->FillRect(R);
  }
  if (AExcludeRect) ExcludeClipRect(R);
}

void TcxCanvas::FillRect(const TRect& R, const TcxViewParams& AParams, bool AExcludeRect) {
  SetBrushColor(AParams.Color);
  FillRect(R, AParams.Bitmap, AExcludeRect);
}

void TcxCanvas::FillRegion(TcxRegion* ARegion, TColor AColor) { FillRegion(ARegion->GetHandle(), AColor); }

void TcxCanvas::FillRegion(HRGN ARegion, TColor AColor) {
  if (AColor == clNone) return;
  if (AColor != clDefault) SetBrushColor(AColor);
  FillRgn(GetHandle(), ARegion, GetBrush()->GetHandle());
}

void TcxCanvas::FrameRegion(TcxRegion* ARegion, TColor AColor, Integer ABorderWidth, Integer ABorderHeight) {
  if (AColor == clNone) return;
  if (AColor != clDefault) SetBrushColor(AColor);
  FrameRgn(GetHandle(), ARegion->GetHandle(), GetBrush()->GetHandle(), ABorderWidth, ABorderHeight);
}

void TcxCanvas::DrawRegion(TcxRegion* ARegion, TColor AContentColor, TColor ABorderColor, Integer ABorderWidth,
                           Integer ABorderHeight) {
  FillRegion(ARegion, AContentColor);
  FrameRegion(ARegion, ABorderColor, ABorderWidth, ABorderHeight);
}

void TcxCanvas::Rectangle(const TRect& R) { FCanvas->Rectangle(R); }

void TcxCanvas::Rectangle(const TRect& R, const TcxViewParams& AParams, TcxBorders ABorders, TColor ABorderColor,
                          Integer ALineWidth, bool AExcludeRect) {
  TRect content = R;
  if (!ABorders.Empty()) {
    FrameRect(R, ABorderColor, ALineWidth, ABorders, AExcludeRect);
    content = cxRectInflate(R, ABorders.Contains(bLeft) ? -ALineWidth : 0, ABorders.Contains(bTop) ? -ALineWidth : 0,
                            ABorders.Contains(bRight) ? -ALineWidth : 0, ABorders.Contains(bBottom) ? -ALineWidth : 0);
  }
  FillRect(content, AParams, AExcludeRect);
}

// --- Frames -------------------------------------------------------------------------------

void TcxCanvas::FrameRect(const TRect& R, TColor Color, Integer ALineWidth, TcxBorders ABorders,
                          bool AExcludeFrame) {
  if (cxRectIsEmpty(R) || Color == clNone) return;
  if (Color != clDefault) SetBrushColor(Color);
  for (TcxBorder border : {bLeft, bRight, bTop, bBottom})
    if (ABorders.Contains(border)) FillRect(BorderStrip(R, border, ALineWidth), nullptr, AExcludeFrame);
}

void TcxCanvas::DrawComplexFrame(const TRect& R, TColor ALeftTopColor, TColor ARightBottomColor, TcxBorders ABorders,
                                 Integer ABorderWidth) {
  for (TcxBorder border : {bLeft, bTop, bRight, bBottom})
    if (ABorders.Contains(border))
      FillRect(BorderStrip(R, border, ABorderWidth), border == bLeft || border == bTop ? ALeftTopColor : ARightBottomColor);
}

void TcxCanvas::DrawEdge(const TRect& R, bool ASunken, bool AOuter, TcxBorders ABorders) {
  // Left and top, right and bottom, by sunken and outer.
  static constexpr TColor Colors[2][2][2] = {{{clBtnHighlight, clBtnShadow}, {cl3DLight, cl3DDkShadow}},
                                             {{cl3DDkShadow, cl3DLight}, {clBtnShadow, clBtnHighlight}}};
  const TColor* colors = Colors[ASunken][AOuter];
  DrawComplexFrame(R, colors[0], colors[1], ABorders);
}

void TcxCanvas::DrawFocusRect(const TRect& R) {
  SetBrushColor(clWhite);
  GetFont()->SetColor(clBlack);
  // The dotted frame flips pixels with the text colour, which comes with the font.
  FCanvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  FCanvas->DrawFocusRect(R);
}

void TcxCanvas::DrawFocusRectEx(const TRect& R, TcxBorders ABorders, bool AExclude) {
  if (ABorders.Empty()) return;
  SaveClipRegion();
  ExcludeFrameRect(R, 1, cxBordersAll - ABorders);
  DrawFocusRect(R);
  RestoreClipRegion();
  if (AExclude) ExcludeFrameRect(R, 1, ABorders);
}

void TcxCanvas::DrawDesignSelection(const TRect& R, Integer AWidth) {
  for (Integer i = 0; i < AWidth; ++i) DrawFocusRect(cxRectInflate(R, -i, -i, -i, -i));
}

void TcxCanvas::InvertRect(const TRect& R) {
  SetCopyMode(cmDstInvert);
  FCanvas->CopyRect(R, FCanvas, R);
  SetCopyMode(cmSrcCopy);
}

void TcxCanvas::InvertFrame(const TRect& R, Integer ABorderSize) {
  // The left and right strips at full height, the top and bottom ones
  // between them.
  const TRect left = BorderStrip(R, bLeft, ABorderSize);
  const TRect right = BorderStrip(cxRect(left.Right, R.Top, R.Right, R.Bottom), bRight, ABorderSize);
  const TRect between = cxRect(left.Right, R.Top, right.Left, R.Bottom);
  const TRect top = BorderStrip(between, bTop, ABorderSize);
  const TRect bottom = BorderStrip(cxRect(between.Left, top.Bottom, between.Right, between.Bottom), bBottom, ABorderSize);
  for (const TRect& strip : {left, right, top, bottom})
    if (!cxRectIsEmpty(strip)) InvertRect(strip);
}

// --- Shapes and paths ----------------------------------------------------------------------

void TcxCanvas::Pie(const TRect& R, Integer AStartAngle, Integer ASweepAngle) {
  if (cxRectIsEmpty(R) || ASweepAngle == 0) return;
  // The system's pie runs counter-clockwise from the first radial.
  const Integer start = ASweepAngle < 0 ? AStartAngle + ASweepAngle : AStartAngle;
  const Integer sweep = std::abs(ASweepAngle);
  const TPoint from = EllipsePoint(R, start);
  const TPoint to = sweep % 360 == 0 ? from : EllipsePoint(R, start + sweep);
  // Two equal radials would draw the whole ellipse.
  if (from == to && sweep <= 180) return;
  FCanvas->Pie(R.Left, R.Top, R.Right, R.Bottom, from.X, from.Y, to.X, to.Y);
}

void TcxCanvas::BeginPath() { ::BeginPath(GetHandle()); }
void TcxCanvas::EndPath() { ::EndPath(GetHandle()); }

void TcxCanvas::WidenPath() {
  // The pen's width counts.
  FCanvas->RequiredState({csHandleValid, csPenValid});
  ::WidenPath(GetHandle());
}

TcxRegion* TcxCanvas::PathToRegion(bool AConsiderOrigin) {
  HRGN path = ::PathToRegion(GetHandle());
  auto* region = path ? new TcxRegion(path) : new TcxRegion;
  if (AConsiderOrigin) {
    const TPoint origin = GetDCOrigin();
    region->Offset(-origin.X, -origin.Y);
  }
  return region;
}

// --- Images ----------------------------------------------------------------------------------

void TcxCanvas::DrawImage(TCustomImageList* AImages, Integer X, Integer Y, Integer AIndex, bool AEnabled) {
  if (!IsImageAssigned(AImages, AIndex)) return;
  SaveDC();
  TScopeExit restore([this] { RestoreDC(); });
  AImages->Draw(FCanvas, X, Y, AIndex, AEnabled);
}

void TcxCanvas::DrawGlyph(Integer X, Integer Y, TBitmap* AGlyph, bool AEnabled, TColor ABackgroundColor) {
  if (!IsGlyphAssigned(AGlyph)) return;
  const TRect r = Bounds(X, Y, AGlyph->GetWidth(), AGlyph->GetHeight());
  TOwnedGdiObject<HBRUSH> background(ABackgroundColor == clNone ? nullptr : CreateSolidBrush(ColorToGdi(ABackgroundColor)));
  cxDrawImage(GetHandle(), r, AGlyph, nullptr, -1, ifmNormal, EnabledImageDrawModeMap[AEnabled], false, background);
}

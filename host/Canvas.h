#pragma once
// A drawing surface: a device context with a font, a brush and a pen that
// are selected into it only when something needs them.

#include <memory>
#include <span>

#include "host/GraphicsObjects.h"
#include "host/Types.h"

class TGraphic;
class TBitmap;

// Raster operations for CopyRect and Draw.
using TCopyMode = Integer;
inline constexpr TCopyMode cmBlackness = BLACKNESS;
inline constexpr TCopyMode cmDstInvert = DSTINVERT;
inline constexpr TCopyMode cmMergeCopy = MERGECOPY;
inline constexpr TCopyMode cmMergePaint = MERGEPAINT;
inline constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
inline constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
inline constexpr TCopyMode cmPatCopy = PATCOPY;
inline constexpr TCopyMode cmPatInvert = PATINVERT;
inline constexpr TCopyMode cmPatPaint = PATPAINT;
inline constexpr TCopyMode cmSrcAnd = SRCAND;
inline constexpr TCopyMode cmSrcCopy = SRCCOPY;
inline constexpr TCopyMode cmSrcErase = SRCERASE;
inline constexpr TCopyMode cmSrcInvert = SRCINVERT;
inline constexpr TCopyMode cmSrcPaint = SRCPAINT;
inline constexpr TCopyMode cmWhiteness = WHITENESS;

enum TFillStyle : uint8_t { fsSurface, fsBorder };

enum TCanvasState : uint8_t { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasStates = TSet<TCanvasState, 4>;

// The handle is not owned: it is given with SetHandle, or made by a
// descendant's CreateHandle. Every drawing method calls Changing before
// and Changed after it draws.
class TCanvas : public TPersistent {
  HOST_CLASS(TCanvas);

  TCanvas();
  ~TCanvas() override;

  // Made by CreateHandle when there is none; EInvalidOperation "Canvas does
  // not allow drawing" when still none.
  HDC GetHandle();
  // Takes another device context, putting back into the old one the objects
  // that were selected in it before.
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TBrush* GetBrush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TPen* GetPen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TCopyMode GetCopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  TPoint GetPenPos();
  void SetPenPos(const TPoint& Value) { MoveTo(Value.X, Value.Y); }
  TColor GetPixels(Integer X, Integer Y);
  void SetPixels(Integer X, Integer Y, TColor Value);
  TCanvasStates GetState() const { return FState; }

  // While locked the handle is not released (see TBitmap).
  void Lock() { ++FLockCount; }
  void Unlock() {
    if (FLockCount > 0) --FLockCount;
  }
  Integer GetLockCount() const { return FLockCount; }

  // Deselects font, brush and pen, to be selected afresh when next needed.
  void Refresh();

  void MoveTo(Integer X, Integer Y);
  void LineTo(Integer X, Integer Y);
  void Polyline(std::span<const TPoint> Points);
  void Polygon(std::span<const TPoint> Points);
  void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
  void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void ArcTo(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void AngleArc(Integer X, Integer Y, Cardinal Radius, Single StartAngle, Single SweepAngle);
  void Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void PolyBezier(std::span<const TPoint> Points);
  void PolyBezierTo(std::span<const TPoint> Points);
  // With the brush: the area of Color (fsSurface) or up to a border of it.
  void FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle);
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void DrawFocusRect(const TRect& Rect);

  // Text in the font's colour; the brush fills behind it unless it is not
  // solid. TextOut moves the pen position to the end of the text.
  void TextOut(Integer X, Integer Y, const String& Text);
  // Clipped to Rect, which a solid brush fills first.
  void TextRect(const TRect& Rect, Integer X, Integer Y, const String& Text);
  TSize TextExtent(const String& Text);
  Integer TextWidth(const String& Text) { return TextExtent(Text).cx; }
  Integer TextHeight(const String& Text) { return TextExtent(Text).cy; }

  // The graphic at its own size, or stretched to Rect.
  void Draw(Integer X, Integer Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // Source of Canvas to Dest with CopyMode, stretching when the sizes differ.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Source of Bitmap to Dest, with the pixels of Color replaced by the brush.
  void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // Selects what State names that is not selected yet.
  void RequiredState(TCanvasStates State);

 protected:
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();

 private:
  friend class TGraphicsObject;
  // Deselects the font, brush or pen whose handle is about to be deleted.
  void ObjectChanged(TGraphicsObject* Object);
  void SelectFont();
  void SelectBrush();
  void SelectPen();
  void DeselectFont();
  void DeselectBrush();
  void DeselectPen();
  void DeselectHandles();

  HDC FHandle = nullptr;
  TCanvasStates FState;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
  // What the device context had selected before ours.
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  HGDIOBJ FOldPen = nullptr;
  TCopyMode FCopyMode = cmSrcCopy;
  Integer FLockCount = 0;
};

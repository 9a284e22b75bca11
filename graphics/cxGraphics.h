#pragma once
// The suite's drawing foundation: colour formulas, fills and gradients on a
// device context, alpha blending with a software fallback, the Lanczos-3
// resampler, regions, the canvas controls paint through with its shared
// instances, bitmaps with 32-bit alpha support and their compressed stream,
// image drawing, text on a device context, painting a parent behind a
// control and the screen's resolution.

#include <memory>
#include <span>
#include <vector>

#include "graphics/cxGeometry.h"
#include "graphics/dxCoreGraphics.h"
#include "platform/GdiText.h"
#include "platform/WindowTypes.h"

class TStream;
class TcxObjectList;
class TChangeLink;
class TComponent;
class TCustomImageList;

// --- Text flags of the canvas -------------------------------------------------

inline constexpr Integer cxAlignLeft = 1;
inline constexpr Integer cxAlignRight = 2;
inline constexpr Integer cxAlignHCenter = 4;
inline constexpr Integer cxAlignTop = 8;
inline constexpr Integer cxAlignBottom = 16;
inline constexpr Integer cxAlignVCenter = 32;
inline constexpr Integer cxAlignCenter = cxAlignHCenter | cxAlignVCenter;
inline constexpr Integer cxSingleLine = 64;
inline constexpr Integer cxDontClip = 128;
inline constexpr Integer cxExpandTabs = 256;
inline constexpr Integer cxShowPrefix = 512;
inline constexpr Integer cxWordBreak = 1024;
inline constexpr Integer cxShowEndEllipsis = 2048;
inline constexpr Integer cxCalcRect = 4096;
inline constexpr Integer cxShowPathEllipsis = 8192;
inline constexpr Integer cxDontBreakChars = 16384;
inline constexpr Integer cxNoFullWidthCharBreak = 32768;

// --- Colours -------------------------------------------------------------------

// Hue in degrees (0..360), saturation and value 0..1.
struct TdxHSV {
  Double H = 0;
  Double S = 0;
  Double V = 0;
};

// Hue, saturation and lightness, all 0..1.
struct TdxHSL {
  Double H = 0;
  Double S = 0;
  Double L = 0;
};

// The button face, highlight and window colours mixed by signed percentages
// (-128..127), each channel limited to 0..255; the highlight colour itself
// when the button face is black or white and the highlight is not black.
TColor GetLightColor(Integer ABtnFaceColorPart, Integer AHighlightColorPart, Integer AWindowColorPart);
TColor GetLightSelColor();
TColor GetLightDownedSelColor();
// Each channel scaled by APercent; outside 0..100 the channels stop at 0..255.
TColor dxGetDarkerColor(TColor AColor, Integer APercent);
// APercent of AColor1 and the rest of AColor2, per channel, then the nearest
// colour the screen shows.
TColor dxGetMiddleRGB(TColor AColor1, TColor AColor2, Integer APercent);
// Lighter towards 100, darker towards -100, through HSV; further out the
// channels stop at 0..255.
TColor dxGetColorTint(TColor AColor, Integer APercent);
// What the screen can show of the colour.
TColor dxGetNearestColor(TColor AColor);
// System colours resolved, every colour bit flipped.
TColor dxInvertColor(TColor AColor);
// clNone and clDefault give all zero.
TdxHSV dxColorToHSV(TColor AColor);
// Channels beyond 0..255 stop there.
TColor dxHSVToColor(const TdxHSV& AHSV);

class TdxColorSpaceConverter {
 public:
  // clNone and clDefault give all zero.
  static TdxHSL ColorToHSL(TColor AColor);
  static TdxHSV ColorToHSV(TColor AColor) { return dxColorToHSV(AColor); }
  static TColor HSLToColor(const TdxHSL& AHSL);
  static TColor HSVToColor(const TdxHSV& AHSV) { return dxHSVToColor(AHSV); }
};

// Neither clNone nor clDefault.
constexpr bool cxColorIsValid(TColor AColor) { return AColor != clNone && AColor != clDefault; }
// All 32 bits equal.
bool cxColorIsEqual(const TRGBQuad& AColor1, const TRGBQuad& AColor2);
constexpr TColor cxGetActualColor(TColor AColor, TColor ADefaultColor) {
  return AColor == clDefault ? ADefaultColor : AColor;
}
void cxExchangeColors(TColor& AColor1, TColor& AColor2);
// The button face is black.
bool IsHighContrastBlack();
// The button face is black and the button text is not white.
bool IsHighContrast2();

// --- Fills on a device context --------------------------------------------------

// Nothing for clNone; a solid brush made, used and deleted.
void FillRectByColor(HDC DC, const TRect& R, TColor AColor);
void FrameRectByColor(HDC DC, const TRect& R, TColor AColor);
// From AColor1 to AColor2 across (AHorizontal) or down the rectangle:
// through the system's gradient fill, else in at most 256 bands. Equal
// colours fill solid; an empty or inverted rectangle draws nothing.
void FillGradientRect(HDC DC, const TRect& ARect, TColor AColor1, TColor AColor2, bool AHorizontal);
// AColor1 to a middle colour AGradientPercent / 2 % of the way to AColor2
// over the first half, then on to AColor2, one line at a time; 100 gives a
// straight gradient.
void FillTubeGradientRect(HDC DC, const TRect& ARect, TColor AColor1, TColor AColor2, Integer AGradientPercent,
                          bool AHorizontal);

// --- Blitting and blending ---------------------------------------------------------

// Source over destination with a premultiplied source and a constant alpha,
// the arithmetic of the system's AlphaBlend.
void cxBlendFunction(const TRGBQuad& ASource, TRGBQuad& ADest, Byte ASourceConstantAlpha);
// The system's AlphaBlend; false when the system has none.
bool SystemAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect,
                      Byte AConstantAlpha = 255, bool AHasPerPixelAlpha = true);
// The source's pixels, with their alpha, over the destination's: through the
// system's AlphaBlend, or, without it or when a smoothed stretch is asked
// for, through copies of both areas. Nothing when either rectangle is empty.
void CommonAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect,
                      bool ASmoothImage = false, Byte AConstantAlpha = 255);
void cxAlphaBlend(HDC ADestDC, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage = false, Byte AConstantAlpha = 255);
void cxAlphaBlend(TBitmap* ADestBitmap, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage = false, Byte AConstantAlpha = 255);
// ASource's image resized onto ADestination's whole area: the system's
// half-tone stretch, or with AForceUseLanczos3Filter a Lanczos-3 resampling
// of all four channels. Nothing when either has no area.
void cxSmoothResizeBitmap(TBitmap* ASource, TBitmap* ADestination, bool AForceUseLanczos3Filter = false);
// BitBlt over the destination rectangle.
void cxBitBlt(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD ROP);
void cxDrawBitmap(HDC ADestDC, TBitmap* ABitmap, const TRect& ADestRect, const TPoint& ASrcTopLeft,
                  DWORD AMode = SRCCOPY);

using TcxBitmapPtr = std::unique_ptr<TBitmap, TFreeObject>;
// A bitmap of that size and pixel format.
TcxBitmapPtr cxCreateBitmap(Integer AWidth, Integer AHeight, TPixelFormat APixelFormat = pf24bit);
TcxBitmapPtr cxCreateBitmap(const TSize& ASize, TPixelFormat APixelFormat = pf24bit);
TcxBitmapPtr cxCreateBitmap(const TRect& ARect, TPixelFormat APixelFormat = pf24bit);
// Every horizontal run of pixels whose colour is not ATransparentColor, as
// one region owned by the caller; 0 when no pixel is opaque.
HRGN cxCreateRegionFromBitmap(TBitmap* ABitmap, TColor ATransparentColor);

// --- Regions ------------------------------------------------------------------------

enum TcxRegionOperation : uint8_t { roSet, roAdd, roSubtract, roIntersect };

// A region the object owns and deletes.
class TcxRegion : public TObject {
  HOST_CLASS(TcxRegion);

  // Empty.
  TcxRegion();
  // Takes the region over.
  explicit TcxRegion(HRGN AHandle);
  explicit TcxRegion(const TRect& ABounds);
  TcxRegion(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom);
  // The window's region, or without one its rectangle in window coordinates.
  explicit TcxRegion(HWND AWindow);
  // ABounds with corners rounded by ellipses of that size; like the system's
  // rounded regions it starts a pixel in from the left and top.
  TcxRegion(const TRect& ABounds, Integer AWidthEllepse, Integer AHeightEllepse);
  ~TcxRegion() override;

  HRGN GetHandle() const { return FHandle; }
  // roSet makes this region a copy of ARegion. ARegion is freed when
  // ADestroyRegion is set; nullptr changes nothing.
  void Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion = true);
  void Combine(const TRect& R, TcxRegionOperation AOperation);
  // Two empty regions are equal.
  bool IsEqual(TcxRegion* ARegion) const;
  bool IsEqual(HRGN ARegion) const;
  void Offset(Integer DX, Integer DY);
  void Offset(const TPoint& P) { Offset(P.X, P.Y); }
  bool PtInRegion(Integer X, Integer Y) const;
  bool PtInRegion(const TPoint& P) const { return PtInRegion(P.X, P.Y); }
  bool RectInRegion(const TRect& R) const;
  // cxNullRect for an empty region.
  TRect GetBoundsRect() const;
  bool IsEmpty() const;

 private:
  HRGN FHandle;
};

// --- Bitmaps ------------------------------------------------------------------------

enum TcxRotationAngle : uint8_t { ra0, raPlus90, raMinus90, ra180 };

// The pixels turned: raPlus90 a quarter anticlockwise, raMinus90 a quarter
// clockwise (width and height swapped), ra180 half a turn; then, with
// AFlipVertically, mirrored top to bottom.
void cxRotateBitmap(TBitmap* ABitmap, TcxRotationAngle ARotationAngle, bool AFlipVertically = false);
// Each row mirrored.
void cxFlipBitmapHorizontally(TBitmap* ABitmap);

// --- The canvas ---------------------------------------------------------------

enum TAlignment : uint8_t;
class TList;
class TWinControl;
class TcxCanvas;

enum TcxBorder : uint8_t { bLeft, bTop, bRight, bBottom };
using TcxBorders = TSet<TcxBorder, 4>;
inline constexpr TcxBorders cxBordersAll{bLeft, bTop, bRight, bBottom};

enum TcxAlignmentVert : uint8_t { vaTop, vaBottom, vaCenter };

// TAlignment (left, right, centre) and TcxAlignmentVert as the canvas's text
// flags and as DrawTextW's.
inline constexpr Integer cxAlignmentsHorz[3] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};
inline constexpr Integer cxAlignmentsVert[3] = {cxAlignTop, cxAlignBottom, cxAlignVCenter};
inline constexpr UINT SystemAlignmentsHorz[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};
inline constexpr UINT SystemAlignmentsVert[3] = {DT_TOP, DT_BOTTOM, DT_VCENTER};

// The clip region of a device context that has none.
inline constexpr Integer cxMaxRegionSize = 30000;
// The nested frames a selected control shows at design time.
inline constexpr Integer cxDesignSelectionWidth = 2;

// Text rotated by a quarter or half turn is drawn upright into a bitmap that
// is then turned; without antialiasing when this is false.
extern bool dxUseAntialiasingForRotatedText;

// How a background is painted: a bitmap tiled when there is one, else the
// colour; the font and the text colour.
struct TcxViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// A saved device context: its handle and the number SaveDC gave.
struct TcxDCState {
  HDC Handle = nullptr;
  Integer State = 0;
};

// Copies of the font, brush and pen, owned by the entry.
struct TcxCanvasState {
  std::unique_ptr<TFont> Font;
  std::unique_ptr<TBrush> Brush;
  std::unique_ptr<TPen> Pen;
};

// What controls paint through: a host canvas, not owned, with stacks of
// saved device contexts, clip regions and font/brush/pen states, clipping by
// region operations, frames and edges by borders, and text through the
// canvas's flags. Coordinates are logical; each Restore... on an empty stack
// does nothing.
class TcxCanvas : public TObject {
  HOST_CLASS(TcxCanvas);

  explicit TcxCanvas(TCanvas* ACanvas);
  ~TcxCanvas() override;

  TCanvas* GetCanvas() const { return FCanvas; }
  TBrush* GetBrush() const { return FCanvas->GetBrush(); }
  TPen* GetPen() const { return FCanvas->GetPen(); }
  TFont* GetFont() const { return FCanvas->GetFont(); }
  TCopyMode GetCopyMode() const { return FCanvas->GetCopyMode(); }
  void SetCopyMode(TCopyMode Value) { FCanvas->SetCopyMode(Value); }
  HDC GetHandle() const { return FCanvas->GetHandle(); }
  TColor GetPixels(Integer X, Integer Y) const { return FCanvas->GetPixels(X, Y); }
  void SetPixels(Integer X, Integer Y, TColor Value) { FCanvas->SetPixels(X, Y, Value); }
  Integer GetDpiX() const;
  Integer GetDpiY() const;
  TPoint GetViewportOrg() const;
  void SetViewportOrg(const TPoint& P);
  virtual TPoint GetWindowOrg() const;
  virtual void SetWindowOrg(const TPoint& P);
  // Device = logical + DCOrigin: the viewport origin minus the window origin.
  virtual TPoint GetDCOrigin() const;

  // --- Saved states
  // The device context's whole state, the host canvas kept on it meanwhile.
  void SaveDC();
  // Back to the latest SaveDC's context and state; font, brush and pen are
  // selected afresh when next needed.
  void RestoreDC();
  void SaveClipRegion();
  void RestoreClipRegion();
  // SaveDC with copies of the font, brush and pen.
  void SaveState();
  void RestoreState();

  // --- Clipping
  // A new region owned by the caller: the clip region, or (0, 0, 30000,
  // 30000) without one; in logical coordinates when AConsiderOrigin.
  TcxRegion* GetClipRegion(bool AConsiderOrigin = true);
  // ARegion combined into the clip region by the operation; roSet makes it
  // the clip. ARegion is freed when ADestroyRegion is set.
  void SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool AConsiderOrigin = true,
                     bool ADestroyRegion = true);
  void ExcludeClipRect(const TRect& R);
  void IntersectClipRect(const TRect& R);
  bool RectVisible(const TRect& R) const;
  // Every pixel of R inside the clip region.
  bool RectFullyVisible(const TRect& R);
  // The strips ALineWidth wide along the sides of R the borders name, left,
  // right, top and bottom, taken out of the clip region.
  void ExcludeFrameRect(const TRect& R, Integer ALineWidth = 1, TcxBorders ABorders = cxBordersAll);

  // --- Filling
  // clNone paints nothing; clDefault keeps the brush's colour.
  void FillRect(const TRect& R, TColor AColor = clDefault);
  // R tiled with the bitmap from the logical origin, or with an empty or no
  // bitmap filled with the brush; then taken out of the clip region when
  // AExcludeRect.
  void FillRect(const TRect& R, TBitmap* ABitmap, bool AExcludeRect = false);
  // In the params' colour, tiled with their bitmap when they have one.
  void FillRect(const TRect& R, const TcxViewParams& AParams, bool AExcludeRect = false);
  // Regions in logical coordinates; clNone paints nothing, clDefault keeps
  // the brush's colour.
  void FillRegion(TcxRegion* ARegion, TColor AColor = clDefault);
  void FillRegion(HRGN ARegion, TColor AColor = clDefault);
  void FrameRegion(TcxRegion* ARegion, TColor AColor = clDefault, Integer ABorderWidth = 1, Integer ABorderHeight = 1);
  void DrawRegion(TcxRegion* ARegion, TColor AContentColor, TColor ABorderColor, Integer ABorderWidth = 1,
                  Integer ABorderHeight = 1);
  // The host canvas's rectangle: the pen's outline around the brush.
  void Rectangle(const TRect& R);
  // Framed on the borders given in ABorderColor, the rest filled as the
  // params say.
  void Rectangle(const TRect& R, const TcxViewParams& AParams, TcxBorders ABorders, TColor ABorderColor,
                 Integer ALineWidth = 1, bool AExcludeRect = false);

  // --- Frames
  // Strips ALineWidth wide inside R along the borders, in Color (clDefault:
  // the brush's); a width above half of R fills R. Nothing for clNone.
  void FrameRect(const TRect& R, TColor Color = clDefault, Integer ALineWidth = 1, TcxBorders ABorders = cxBordersAll,
                 bool AExcludeFrame = false);
  // Left and top strips in ALeftTopColor, right and bottom ones after them
  // in ARightBottomColor.
  void DrawComplexFrame(const TRect& R, TColor ALeftTopColor, TColor ARightBottomColor,
                        TcxBorders ABorders = cxBordersAll, Integer ABorderWidth = 1);
  // A pixel-wide edge in the system's 3-D colours: sunken or raised, the
  // outer or the inner ring.
  void DrawEdge(const TRect& R, bool ASunken, bool AOuter, TcxBorders ABorders = cxBordersAll);
  // A dotted frame that a second call takes away again.
  void DrawFocusRect(const TRect& R);
  // The focus frame on the borders given only; with AExclude those strips
  // are then taken out of the clip region.
  void DrawFocusRectEx(const TRect& R, TcxBorders ABorders, bool AExclude = false);
  // AWidth focus frames, each a pixel inside the last.
  void DrawDesignSelection(const TRect& R, Integer AWidth = cxDesignSelectionWidth);
  // Every bit of the pixels flipped; the copy mode is SRCCOPY afterwards.
  void InvertRect(const TRect& R);
  // The strips ABorderSize wide inside R inverted, each pixel once.
  void InvertFrame(const TRect& R, Integer ABorderSize);

  // --- Lines and shapes of the host canvas
  void MoveTo(Integer X, Integer Y) { FCanvas->MoveTo(X, Y); }
  void LineTo(Integer X, Integer Y) { FCanvas->LineTo(X, Y); }
  void Polyline(std::span<const TPoint> Points) { FCanvas->Polyline(Points); }
  void Polygon(std::span<const TPoint> Points) { FCanvas->Polygon(Points); }
  void PolyBezier(std::span<const TPoint> Points) { FCanvas->PolyBezier(Points); }
  void PolyBezierTo(std::span<const TPoint> Points) { FCanvas->PolyBezierTo(Points); }
  void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
    FCanvas->Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  }
  void ArcTo(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
    FCanvas->ArcTo(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  }
  void AngleArc(Integer X, Integer Y, Cardinal Radius, Single StartAngle, Single SweepAngle) {
    FCanvas->AngleArc(X, Y, Radius, StartAngle, SweepAngle);
  }
  void Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
    FCanvas->Chord(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  }
  void Ellipse(const TRect& R) { FCanvas->Ellipse(R); }
  void RoundRect(const TRect& R, Integer X, Integer Y) { FCanvas->RoundRect(R.Left, R.Top, R.Right, R.Bottom, X, Y); }
  void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
    FCanvas->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  }
  // The wedge of the ellipse in R from AStartAngle through ASweepAngle
  // degrees, counter-clockwise (clockwise for a negative sweep). Nothing for
  // an empty R or no sweep.
  void Pie(const TRect& R, Integer AStartAngle, Integer ASweepAngle);
  // Lines and shapes drawn meanwhile make up the path instead of drawing.
  void BeginPath();
  void EndPath();
  // The path becomes the outline of what the pen would cover along it.
  void WidenPath();
  // The ended path as a new region owned by the caller, in logical
  // coordinates when AConsiderOrigin; empty without a path.
  TcxRegion* PathToRegion(bool AConsiderOrigin = true);
  void FloodFill(Integer X, Integer Y, TColor AColor, TFillStyle AFillStyle) {
    FCanvas->FloodFill(X, Y, AColor, AFillStyle);
  }
  void Draw(Integer X, Integer Y, TGraphic* AGraphic) { FCanvas->Draw(X, Y, AGraphic); }
  void StretchDraw(const TRect& R, TGraphic* AGraphic) { FCanvas->StretchDraw(R, AGraphic); }
  void CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource) { FCanvas->CopyRect(ADest, ACanvas, ASource); }
  void BrushCopy(const TRect& ADest, TBitmap* ABitmap, const TRect& ASource, TColor AColor) {
    FCanvas->BrushCopy(ADest, ABitmap, ASource, AColor);
  }
  void SetPixel(Integer X, Integer Y, TColor AColor) { FCanvas->SetPixels(X, Y, AColor); }

  // --- Images
  // The list's image with its top-left at (X, Y), greyed when disabled;
  // nothing for an index outside the list. The context's state is kept.
  void DrawImage(TCustomImageList* AImages, Integer X, Integer Y, Integer AIndex, bool AEnabled = true);
  // The glyph at (X, Y) over ABackgroundColor (clNone: over what is there),
  // disabled as image drawing's idmDisabled.
  void DrawGlyph(Integer X, Integer Y, TBitmap* AGlyph, bool AEnabled = true, TColor ABackgroundColor = clNone);
  void RotateBitmap(TBitmap* ABitmap, TcxRotationAngle ARotationAngle, bool AFlipVertically = false) {
    cxRotateBitmap(ABitmap, ARotationAngle, AFlipVertically);
  }
  void FlipHorizontally(TBitmap* ABitmap) { cxFlipBitmapHorizontally(ABitmap); }

  // --- Text
  // Nothing for an empty text. Single-line text without prefixes or
  // ellipses goes straight to ExtTextOutW at the place the flags align it
  // to; any other through DrawTextW, turned by ARotationAngle. Disabled text
  // is a clBtnHighlight copy a pixel right and down under one in
  // clBtnShadow, with a clear brush.
  void DrawTexT(const String& Text, const TRect& R, Integer Flags, bool AEnabled = true);
  void DrawTexT(const String& Text, const TRect& R, Integer Flags, bool AEnabled, TcxRotationAngle ARotationAngle);
  void DrawTexT(const String& Text, const TRect& R, TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                bool AMultiLine, bool AShowEndEllipsis);
  TSize TextExtent(const String& Text) { return FCanvas->TextExtent(Text); }
  // R becomes the rectangle the text takes, placed inside R as the flags
  // align it.
  void TextExtent(const String& Text, TRect& R, Integer Flags);
  Integer TextWidth(const String& Text) { return FCanvas->TextWidth(Text); }
  Integer TextHeight(const String& Text) { return FCanvas->TextHeight(Text); }
  // The font's cell height.
  Integer FontHeight(TFont* AFont);
  void TextOut(Integer X, Integer Y, const String& Text) { FCanvas->TextOut(X, Y, Text); }
  // For bottom and centre alignment, R's top moved to where text drawn top
  // aligned lands; a disabled text takes a pixel more. With AEndEllipsis and
  // AWordBreak the height is that of the whole lines that fit.
  void AlignMultiLineTextRectVertically(TRect& R, const String& Text, TcxAlignmentVert AAlignmentVert,
                                        bool AWordBreak, bool AShowPrefix, bool AEnabled = true,
                                        bool ADontBreakChars = false, bool AEndEllipsis = false);
  // The font turned by AAngle degrees (escapement), TrueType only when
  // turned.
  void SetFontAngle(Integer AAngle);
  // The brush's colour, the font and its colour; no bitmap.
  TcxViewParams GetParams() const;
  void SetParams(const TcxViewParams& AParams);
  // Only a different colour reaches the brush, so a clear brush stays clear.
  void SetBrushColor(TColor Value);

 protected:
  void SetCanvas(TCanvas* Value) { FCanvas = Value; }

 private:
  TCanvas* FCanvas;
  std::vector<TcxDCState> FSavedDCs;
  std::vector<std::unique_ptr<TcxRegion, TFreeObject>> FSavedRegions;
  std::vector<TcxCanvasState> FSavedStates;
};

// The canvas of a control while it paints: BeginPaint makes the window
// origin at that moment the canvas's (0, 0) and the brush origin.
class TcxControlCanvas : public TcxCanvas {
  HOST_CLASS(TcxControlCanvas);

  using TcxCanvas::TcxCanvas;

  void BeginPaint();
  // The brush origin back as it was.
  void EndPaint();
  // Relative to the window origin BeginPaint found.
  TPoint GetWindowOrg() const override;
  void SetWindowOrg(const TPoint& P) override;
  // From the device context's own origins.
  TPoint GetDCOrigin() const override;

 private:
  TPoint FBrushOrigin;
  TPoint FOrigin;
};

// A canvas on the desktop window's device context, taken when first needed
// and given back by Dormant. It owns its host canvas.
class TcxScreenCanvas : public TcxCanvas {
  HOST_CLASS(TcxScreenCanvas);

  TcxScreenCanvas();
  ~TcxScreenCanvas() override;
  void Dormant();

 private:
  class TScreenCanvas;
  std::unique_ptr<TScreenCanvas> FScreenCanvas;
};

// A saved paint: the canvas drawn on before, and the SaveDC number of a
// device context that was wrapped (0 for a host canvas given).
struct TcxPaintCanvasState {
  TCanvas* PrevCanvas = nullptr;
  Integer SaveDC = 0;
  std::unique_ptr<TCanvas> Wrapper;
};

// A canvas for painting into a device context or a host canvas for a while;
// paints nest, each EndPaint putting back what its BeginPaint found.
class TcxPaintCanvas : public TcxCanvas {
  HOST_CLASS(TcxPaintCanvas);

  TcxPaintCanvas();
  ~TcxPaintCanvas() override;

  // DC wrapped in a host canvas that takes on the font, brush and pen
  // selected in it and its text colour; the DC's state is saved first.
  void BeginPaint(HDC DC);
  void BeginPaint(TCanvas* ACanvas);
  // Ignored when no paint is open.
  void EndPaint();

 private:
  Integer FCounter = 0;
  std::vector<TcxPaintCanvasState> FSavedStates;
};

// The shared canvases, made when first asked for; nullptr once the unit has
// ended.
TcxScreenCanvas* cxScreenCanvas();
TcxPaintCanvas* cxPaintCanvas();

// DrawTextW on the canvas in AColor, transparent; turned by ARotationAngle
// through a bitmap of the area.
void cxDrawText(TcxCanvas* ACanvas, const String& AText, TRect ARect, UINT AFormat, TColor AColor,
                TcxRotationAngle ARotationAngle);

// --- Painting a parent behind a control ------------------------------------------

// Windows that parent painting leaves out (HWND items).
TList* PaintSkipList();
// What AControl's parent shows under ARect (AControl's client coordinates),
// painted into ACanvas at ARect, with the parent's other child windows when
// APaintParentWithChildren. Nothing without a parent, or while that parent
// is being painted this way already.
void cxDrawTransparentControlBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect,
                                        bool APaintParentWithChildren = true);
// AControl's parent under ARect through the theme library when a theme is
// active and the parent is not double-buffered (the parent alone, as the
// theme draws it); else cxDrawTransparentControlBackground.
void cxDrawThemeParentBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect);
// ADrawRect of AControl (window coordinates with ADrawNonClientArea, else
// client ones) printed into ACanvas at ADestinationPoint, clipped to the
// control's window region; then, with APaintChildren, its visible child
// windows not in PaintSkipList, the framework's first. Nothing for a control
// being destroyed or without a window.
void cxPaintControlTo(TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& ADestinationPoint,
                      const TRect& ADrawRect, bool ADrawNonClientArea, bool APaintChildren);
// WM_PRINT of the client area with its background, and the frame when asked
// and the window has one; a double-buffered control's background is erased
// first.
void cxPrintWindow(HWND AHandle, HDC ADC, bool ADrawNonClientArea);

// A bitmap whose change notifications can be held back: changes while
// updates are nested are told once, when the last one ends. With
// CompressData its image is stored as an "XDBM" stream; either kind of
// stored image reads back whatever CompressData says.
class TcxBitmap : public TBitmap {
  HOST_CLASS(TcxBitmap);

  // Empty, 24 bits per pixel.
  TcxBitmap() : TcxBitmap(0, 0) {}
  TcxBitmap(Integer AWidth, Integer AHeight, TPixelFormat APixelFormat = pf24bit);
  explicit TcxBitmap(const TRect& ARect, TPixelFormat APixelFormat = pf24bit);

  void BeginUpdate() { ++FLockCount; }
  // The last end tells of the changes made meanwhile, or with
  // AForceUpdate in any case.
  void EndUpdate(bool AForceUpdate = true);
  // Ends an update without telling; the changes made meanwhile stay untold.
  void CancelUpdate();

  // ASrcBitmap's pixels drawn with the raster operation.
  void CopyBitmap(TBitmap* ASrcBitmap, DWORD ACopyMode = SRCCOPY);
  void CopyBitmap(TBitmap* ASrcBitmap, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD ACopyMode = SRCCOPY);
  void Rotate(TcxRotationAngle ARotationAngle, bool AFlipVertically = false);

  // Negative sizes are 0; the same size changes nothing.
  void SetSize(Integer AWidth, Integer AHeight) override;
  void SetSize(const TRect& ARect) { SetSize(cxRectWidth(ARect), cxRectHeight(ARect)); }
  TRect GetClientRect() const { return cxRect(0, 0, GetWidth(), GetHeight()); }
  // A canvas on the bitmap's own, made when first asked for.
  TcxCanvas* GetcxCanvas();
  bool GetCompressData() const { return FCompressData; }
  void SetCompressData(bool Value) { FCompressData = Value; }

  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

 protected:
  // While updates are nested only noted; otherwise told, then Update.
  void Changed(TObject* Sender) override;
  // The pixel format and size, told as one change.
  virtual void Initialize(Integer AWidth, Integer AHeight, TPixelFormat APixelFormat);
  // After every change told.
  virtual void Update() {}

 private:
  bool FCompressData = false;
  std::unique_ptr<TcxCanvas, TFreeObject> FcxCanvas;
  Integer FLockCount = 0;
  bool FModified = false;
};

// Always 32 bits per pixel: any other pixel format raises EdxException
// "Wrong PixelFormat" at the next change told.
class TcxBitmap32 : public TcxBitmap {
  HOST_CLASS(TcxBitmap32);

  TcxBitmap32() : TcxBitmap32(0, 0) {}
  TcxBitmap32(Integer AWidth, Integer AHeight, bool AClear = false);
  explicit TcxBitmap32(const TRect& ARect, bool AClear = false);

  // Every byte 0.
  virtual void Clear();
  // The whole image blended into ADestRect of ADestBitmap.
  void AlphaBlend(TBitmap* ADestBitmap, const TRect& ADestRect, bool ASmoothImage, Byte AConstantAlpha = 255);
  // Each colour channel scaled to APercent; alpha untouched. Beyond 0..100
  // the channels stop at 0 and 255.
  void Darken(Integer APercent);
  // Each colour channel moved APercent of the way to 255; alpha untouched.
  // Beyond 0..100 the channels stop at 0 and 255.
  void Lighten(Integer APercent);
  // Zero where the mask's pixels have bits set: the mask's ClrNone pixels
  // clear the image's.
  void Filter(TBitmap* AMaskBitmap);
  // Every bit flipped, alpha too.
  void Invert();
  void MakeOpaque() { SetAlphaChannel(255); }
  void SetAlphaChannel(Byte AAlpha);
  // Pixels of the colour become all zero; any other of alpha 0 opaque.
  void RecoverTransparency(TColor ATransparentColor);
  // A new size: the old image stretched over it (smoothed when ASmooth,
  // blended by its alpha onto transparent black), or centred in it (the
  // odd spare pixel right and down) on AFillColor, transparent black for
  // clNone.
  void Resize(Integer ANewWidth, Integer ANewHeight, bool AStretch, bool ASmooth, TColor AFillColor = clNone);
  // The pixels with the bottom row first.
  void GetBitmapColors(TRGBColors& AColors) { GetBitmapBits(this, AColors, false); }
  void SetBitmapColors(const TRGBColors& AColors) { SetBitmapBits(this, AColors, false); }
  bool GetIsAlphaUsed() { return dxIsAlphaUsed(this); }

  // Whatever the stream holds ends up in 32 bits.
  void LoadFromStream(TStream* Stream) override;

 protected:
  void Update() override;
};

// What a pixel with alpha holds: ClrNone marks a masked (transparent)
// pixel of a mask, ClrTransparent an unmasked one.
inline constexpr TRGBQuad ClrNone{255, 255, 255, 255};
inline constexpr TRGBQuad ClrTransparent{0, 0, 0, 0};

// Greying: the weights of red, green and blue, and the alpha the result
// is drawn at (SrcConstAlpha).
struct TcxColorTransitionMap {
  Single RedScale;
  Single GreenScale;
  Single BlueScale;
  Byte SrcAlpha;
  Byte SrcConstAlpha;
};
inline constexpr TcxColorTransitionMap DisableMap{0.0729f, 0.7146f, 0.2125f, 105, 151};
inline constexpr TcxColorTransitionMap FadeMap{0.299f, 0.587f, 0.114f, 192, 64};
inline constexpr TcxColorTransitionMap GrayMap{0.299f, 0.587f, 0.114f, 255, 255};

// Colours whose pixels count as transparent: red, green and blue only,
// system colours resolved.
class TcxColorList : public TObject {
  HOST_CLASS(TcxColorList);

  void Add(TColor AColor);
  void Clear() { FItems.clear(); }
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  // As 0x00BBGGRR.
  TColor GetItem(Integer Index) const { return FItems.at(static_cast<size_t>(Index)); }
  bool Contains(const TRGBQuad& APixel) const;

 private:
  std::vector<TColor> FItems;
};

enum TcxBitmapTransformationMode : uint8_t {
  btmDingy,
  btmDirty,
  btmGrayScale,
  btmSetOpaque,
  btmMakeMask,
  btmFade,
  btmDisable,
  btmCorrectBlend,
  btmHatch,
  btmClear,
  btmResetAlpha,
  btmExtractLayer
};

// Squares of Step pixels alternating Color1 at Alpha1 and Color2 at Alpha2.
struct TcxHatchData {
  TColor Color1 = clNone;
  Byte Alpha1 = 0;
  TColor Color2 = clNone;
  Byte Alpha2 = 0;
  Integer Step = 1;
};

// A 32-bit bitmap that knows which of its pixels are transparent: those
// equal to TransparentBkColor in all 32 bits, and those whose colour is
// among TransparentPixels.
class TcxAlphaBitmap : public TcxBitmap32 {
  HOST_CLASS(TcxAlphaBitmap);

  using TcxBitmap32::TcxBitmap32;

  // Filled with TransparentBkColor when its alpha is not 0, else every byte 0.
  void Clear() override;
  // Every pixel by the mode's rule, then the change told.
  void TransformBitmap(TcxBitmapTransformationMode AMode);
  // A step below 1 is taken as 1.
  void DrawHatch(const TcxHatchData& AHatchData);
  void DrawHatch(TColor AColor1, TColor AColor2, Integer AStep, Byte AAlpha1, Byte AAlpha2);
  // A shadow of the pixels the mask leaves (ClrTransparent in it), in
  // AShadowColor at (AShadowSize, AShadowSize) behind the image; the image
  // grows by the shadow size with AInflateSize.
  void DrawShadow(TBitmap* AMaskBitmap, Integer AShadowSize, TColor AShadowColor, bool AInflateSize);
  // The masked shape in clBtnShadow over a highlight a pixel right and
  // down. Inverts the mask on the way.
  void Shade(TBitmap* AMaskBitmap);
  // ATransparentColor the only transparent colour; pixels of alpha 0 of
  // any other colour become opaque.
  void RecoverAlphaChannel(TColor ATransparentColor) { TransformByTransparentColor(ATransparentColor, btmCorrectBlend); }
  // ATransparentColor the only transparent colour; its pixels become 0.
  void ExtractLayer(TColor ATransparentColor) { TransformByTransparentColor(ATransparentColor, btmExtractLayer); }
  // A new size, no transparent colours, cleared.
  void RefreshImage(Integer AWidth, Integer AHeight);
  void RefreshImage(const TRect& ARect) { RefreshImage(cxRectWidth(ARect), cxRectHeight(ARect)); }

  const TRGBQuad& GetTransparentBkColor() const { return FTransparentBkColor; }
  void SetTransparentBkColor(const TRGBQuad& Value) { FTransparentBkColor = Value; }
  TcxColorList* GetTransparentPixels() { return &FTransparentPixels; }

 private:
  bool IsTransparent(const TRGBQuad& APixel) const;
  // ATransparentColor made the only transparent colour, then the mode applied.
  void TransformByTransparentColor(TColor ATransparentColor, TcxBitmapTransformationMode AMode);

  TRGBQuad FTransparentBkColor;
  TcxColorList FTransparentPixels;
  // The pixel being transformed: column, and row counted from the bottom.
  TPoint FCurrentColorIndex;
  TcxHatchData FHatchData;
};

// --- Image drawing --------------------------------------------------------------------

enum TcxImageFitMode : uint8_t { ifmNormal, ifmStretch, ifmProportionalStretch, ifmFit, ifmFill };
enum TcxImageDrawMode : uint8_t { idmNormal, idmDisabled, idmFaded, idmGrayScale, idmDingy, idmShadowed };

// Indexed by "enabled".
inline constexpr TcxImageDrawMode EnabledImageDrawModeMap[2] = {idmDisabled, idmNormal};

// Offered every image before it is drawn; true when it drew it.
using TcxDrawImageProc = bool (*)(HDC ADC, TCustomImageList* AImages, Integer AImageIndex, TBitmap* AGlyph,
                                  const TRect& ARect, TcxImageDrawMode ADrawMode);
extern TcxDrawImageProc CustomDrawImageProc;

// Where an image of AImageSize goes in ADrawRect: ifmNormal at AScale
// percent of its size, ifmStretch over the whole rectangle,
// ifmProportionalStretch as large as fits at its aspect, ifmFit the same
// but never enlarged, ifmFill as small as covers the rectangle at its
// aspect; sizes truncated; centred in ADrawRect (the odd pixel right and
// down) or at its top-left. ADrawRect itself for an image size below 1.
TRect cxGetImageRect(const TRect& ADrawRect, const TSize& AImageSize, TcxImageFitMode AFitMode, bool ACentre = true,
                     Integer AScale = 100);
// The glyph's size when it has one, else the list's image size when the
// index is in it, else cxNullSize.
TSize dxGetImageSize(TBitmap* AGlyph, TCustomImageList* AImages, Integer AIndex);
// Not nullptr and not empty.
bool IsGlyphAssigned(TBitmap* ABitmap);
// A list, and 0 <= AIndex < its count.
bool IsImageAssigned(TCustomImageList* AImages, Integer AIndex);
// AField becomes Value, with AChangeLink and ANotifyComponent (either may be
// nullptr) moved from the old list's changes and free notification to the
// new one's.
void cxSetImageList(TCustomImageList* Value, TCustomImageList*& AField, TChangeLink* AChangeLink,
                    TComponent* ANotifyComponent);
// The glyph, or without one the list's image, placed in ARect by
// cxGetImageRect and drawn in the mode over the background: ABrush's fill,
// or what ADC shows there when it is nullptr. Pixels are transparent by the
// image's alpha when it is 32-bit and uses alpha, else opaque; also
// transparent are the list's masked pixels, pixels of ATransparentColor,
// and for a transparent glyph those of its transparent colour.
// CustomDrawImageProc is offered the drawing first.
void cxDrawImage(HDC ADC, const TRect& ARect, TBitmap* AGlyph, TCustomImageList* AImages, Integer AImageIndex,
                 TcxImageFitMode AFitMode, TcxImageDrawMode ADrawMode = idmNormal, bool ASmoothImage = false,
                 HBRUSH ABrush = nullptr, TColor ATransparentColor = clNone);

// --- The compressed bitmap stream ------------------------------------------------

// "XDBM"
inline constexpr Cardinal ADXBMSignature = 0x4D424458;
inline constexpr Word ADXBMVersion = 2;

// Writes ASize bytes of bitmap data as an "XDBM" stream: a header of count,
// signature and version, then the block size (ABitsPerPixel div 8, or 1
// below 16 bits per pixel), the remainder of bytes left over from whole
// blocks, those bytes raw, and runs of at most 125 blocks, repeated or
// literal.
void cxWriteCompressedBitmapData(TStream* AStream, const void* AData, Int64 ASize, Integer ABitsPerPixel);
// Reads an "XDBM" stream into AData. False, with the stream back where it
// was, when the stream does not start with the signature: it holds the data
// uncompressed. EReadError for a stream that is cut short or damaged.
bool cxReadCompressedBitmapData(TStream* AStream, std::vector<Byte>& AData);

// --- Text on a device context ------------------------------------------------------

enum TcxWritingDirection : uint8_t { wdLeftToRight, wdRightToLeft };

// DrawTextW in the background mode and the text colour given (clDefault
// keeps the context's colour), both put back afterwards; ACharCount -1 for
// the whole text. Returns what DrawTextW returns.
Integer cxDrawText(HDC ADC, const String& AText, TRect& ARect, UINT AFormat, Integer ABkMode = TRANSPARENT,
                   TColor ATextColor = clDefault, Integer ACharCount = -1);
// ExtTextOutW at APoint, unclipped or clipped to ARect (ETO_CLIPPED in
// AOptions); ACharCount -1 for the whole text.
bool cxExtTextOut(HDC ADC, const String& AText, const TPoint& APoint, UINT AOptions = 0, Integer ACharCount = -1);
bool cxExtTextOut(HDC ADC, const String& AText, const TPoint& APoint, const TRect& ARect, UINT AOptions,
                  Integer ACharCount = -1);
// ACharCount -1 for the whole text.
bool cxGetTextExtentPoint32(HDC ADC, const String& AText, TSize& ASize, Integer ACharCount = -1);
// The font's cell height (tmHeight).
Integer cxTextHeight(HDC ADC);
Integer cxTextHeight(TFont* AFont);
// The canvas's text flags as DrawTextW format flags.
UINT cxFlagsToDTFlags(Integer AFlags);
// Right to left for an empty text or one starting beyond ASCII in the
// character sets 134, 136 and 178 (DEFAULT_CHARSET standing for the system's).
TcxWritingDirection cxGetWritingDirection(TFontCharset ACharset, const String& AText);
void dxSetFontAsNonAntialiased(TFont* AFont);
// Back to the framework's default font: charset, name, height, pitch, style.
void cxResetFont(TFont* AFont);

// --- The screen's resolution --------------------------------------------------------

// Read once when the unit starts.
TSize cxGetPixelsPerInch();
// The vertical pixels per inch.
Integer cxGetCurrentDPI();
// Scaled from 96 pixels per inch to the current resolution.
Integer cxGetValueCurrentDPI(Integer AValue);
TSize cxGetValueCurrentDPI(const TSize& ASize);
TRect cxGetValueCurrentDPI(const TRect& ARect);

// --- Shared objects -------------------------------------------------------------------

// A pattern of alternate pixels (rows 0xAA and 0x55), mapped through the
// device context's text and background colours.
TBrush* cxHalfToneBrush();
// 31 brushes drawing with the system colour brushes (GetSysColorBrush(i)).
TcxObjectList* SystemBrushes();

// The unit's start and end work, handed to the unit loader. Starting makes
// the shared brushes, looks up the blend library's entry points, registers
// TcxBitmap and TcxBitmap32 as classes streams may name, reads the screen's
// resolution and makes PaintSkipList; ending first stops the shared
// canvases from being made, then frees the brushes, the skip list, the
// shared canvases and the work bitmaps of image drawing, unregisters the
// classes and lets the library go. A test may end and start the unit again
// to start it under other conditions.
void InitializeGraphics();
void FinalizeGraphics();

// Hands the unit's start and end work to the unit loader.
void RegisterGraphicsUnit();

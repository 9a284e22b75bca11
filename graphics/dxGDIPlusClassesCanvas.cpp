// The canvases of dxGDIPlusClasses: drawing through a graphics object of the
// library, and the paint canvases that make one on a device context for a
// while.
#include <algorithm>
#include <vector>

#include "graphics/dxGDIPlusClasses.h"
#include "platform/DcGuards.h"
#include "platform/ScopeExit.h"

namespace {

// A solid brush of the colour for a while; none for clNone or clDefault.
class TSolidBrush {
 public:
  TSolidBrush(TColor AColor, Byte AAlpha) {
    if (cxColorIsValid(AColor)) GdipCheck(GdipCreateSolidFill(dxColorToAlphaColor(AColor, AAlpha), &FHandle));
  }
  ~TSolidBrush() {
    if (FHandle) GdipDeleteBrush(Handle());
  }
  TSolidBrush(const TSolidBrush&) = delete;
  TSolidBrush& operator=(const TSolidBrush&) = delete;
  GpBrush* Handle() const { return reinterpret_cast<GpBrush*>(FHandle); }

 private:
  GpSolidFill* FHandle = nullptr;
};

// A pen of the colour for a while; none for clNone or clDefault.
class TSolidPen {
 public:
  TSolidPen(TColor AColor, Single AWidth, TdxGPPenStyle AStyle, Byte AAlpha) {
    if (!cxColorIsValid(AColor)) return;
    GdipCheck(GdipCreatePen1(dxColorToAlphaColor(AColor, AAlpha), AWidth, Gdiplus::UnitPixel, &FHandle));
    GdipCheck(GdipSetPenDashStyle(FHandle, static_cast<Gdiplus::GpDashStyle>(AStyle)));
  }
  ~TSolidPen() {
    if (FHandle) GdipDeletePen(FHandle);
  }
  TSolidPen(const TSolidPen&) = delete;
  TSolidPen& operator=(const TSolidPen&) = delete;
  GpPen* Handle() const { return FHandle; }

 private:
  GpPen* FHandle = nullptr;
};

std::vector<TdxGPPoint> GpPoints(const std::vector<TPoint>& APoints) {
  std::vector<TdxGPPoint> points;
  points.reserve(APoints.size());
  for (const TPoint& p : APoints) points.push_back({p.X, p.Y});
  return points;
}

// The operation applied around the pivot: the pivot moved to the origin
// first and back afterwards, all before what the transform does already.
template <typename TOperation>
void AroundPivot(GpGraphics* AGraphics, const TdxPointF& APivotPoint, TOperation AOperation) {
  GdipCheck(GdipTranslateWorldTransform(AGraphics, APivotPoint.X, APivotPoint.Y, Gdiplus::MatrixOrderPrepend));
  AOperation();
  GdipCheck(GdipTranslateWorldTransform(AGraphics, -APivotPoint.X, -APivotPoint.Y, Gdiplus::MatrixOrderPrepend));
}

}  // namespace

// --- TdxGPCanvas ---------------------------------------------------------------------

HOST_CLASS_INFO(TdxGPCanvas, TdxGpBase, nullptr)

TdxGPCanvas::~TdxGPCanvas() {
  dxGpFreeHandle(FHandle, GdipDeleteGraphics);
}

void TdxGPCanvas::Draw(TdxGPImage* AImage, const TRect& ADestRect, Byte AAlpha) {
  Draw(AImage, ADestRect, AImage->GetClientRect(), AAlpha);
}

void TdxGPCanvas::Draw(TdxGPImage* AImage, const TRect& ADestRect, const TRect& ASourceRect, Byte AAlpha) {
  if (GpImage* image = AImage->GetHandle()) dxGpDrawImage(FHandle, ADestRect, ASourceRect, AAlpha, image);
}

void TdxGPCanvas::Draw(TdxGPImage* AImage, const TdxRectF& ADestRect, Byte AAlpha) {
  const TRect source = AImage->GetClientRect();
  Draw(AImage, ADestRect,
       dxRectF(static_cast<Single>(source.Left), static_cast<Single>(source.Top), static_cast<Single>(source.Right),
               static_cast<Single>(source.Bottom)),
       AAlpha);
}

void TdxGPCanvas::Draw(TdxGPImage* AImage, const TdxRectF& ADestRect, const TdxRectF& ASourceRect, Byte AAlpha) {
  if (GpImage* image = AImage->GetHandle()) dxGpDrawImage(FHandle, ADestRect, ASourceRect, AAlpha, image);
}

void TdxGPCanvas::DrawBitmap(TBitmap* ABitmap, const TRect& ADestRect, Byte AAlpha) {
  TdxGPImage image(ABitmap);
  Draw(&image, ADestRect, AAlpha);
}

void TdxGPCanvas::DrawTile(TdxGPImage* AImage, const TRect& ADestRect, Byte AAlpha) {
  if (GpImage* image = AImage->GetHandle())
    dxGpTilePartEx(FHandle, ADestRect, AImage->GetClientRect(), AAlpha, image);
}

void TdxGPCanvas::Clear(TColor AColor, Byte AAlpha) {
  GdipCheck(GdipGraphicsClear(FHandle, dxColorToAlphaColor(AColor, AAlpha)));
}

void TdxGPCanvas::Line(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor APenColor, Single APenWidth,
                       TdxGPPenStyle APenStyle, Byte APenColorAlpha) {
  const TSolidPen pen(APenColor, APenWidth, APenStyle, APenColorAlpha);
  if (pen.Handle()) GdipCheck(GdipDrawLineI(FHandle, pen.Handle(), X1, Y1, X2, Y2));
}

void TdxGPCanvas::Polyline(const std::vector<TPoint>& APoints, TColor APenColor, Single APenWidth,
                           TdxGPPenStyle APenStyle, Byte APenColorAlpha) {
  const TSolidPen pen(APenColor, APenWidth, APenStyle, APenColorAlpha);
  const std::vector<TdxGPPoint> points = GpPoints(APoints);
  if (pen.Handle())
    GdipCheck(GdipDrawLinesI(FHandle, pen.Handle(), points.data(), static_cast<INT>(points.size())));
}

void TdxGPCanvas::Polygon(const std::vector<TPoint>& APoints, TColor APenColor, TColor ABrushColor, Single APenWidth,
                          TdxGPPenStyle APenStyle, Byte APenColorAlpha, Byte ABrushColorAlpha) {
  const std::vector<TdxGPPoint> points = GpPoints(APoints);
  const auto count = static_cast<INT>(points.size());
  const TSolidBrush brush(ABrushColor, ABrushColorAlpha);
  if (brush.Handle())
    GdipCheck(GdipFillPolygonI(FHandle, brush.Handle(), points.data(), count, Gdiplus::FillModeAlternate));
  const TSolidPen pen(APenColor, APenWidth, APenStyle, APenColorAlpha);
  if (pen.Handle()) GdipCheck(GdipDrawPolygonI(FHandle, pen.Handle(), points.data(), count));
}

void TdxGPCanvas::Rectangle(const TRect& R, TColor APenColor, TColor ABrushColor, Single APenWidth,
                            TdxGPPenStyle APenStyle, Byte APenColorAlpha, Byte ABrushColorAlpha) {
  const TSolidBrush brush(ABrushColor, ABrushColorAlpha);
  if (brush.Handle())
    GdipCheck(GdipFillRectangleI(FHandle, brush.Handle(), R.Left, R.Top, cxRectWidth(R), cxRectHeight(R)));
  const TSolidPen pen(APenColor, APenWidth, APenStyle, APenColorAlpha);
  if (pen.Handle())
    GdipCheck(GdipDrawRectangleI(FHandle, pen.Handle(), R.Left, R.Top, cxRectWidth(R), cxRectHeight(R)));
}

void TdxGPCanvas::RoundRect(const TRect& R, TColor APenColor, TColor ABrushColor, Integer ARadiusX, Integer ARadiusY,
                            Single APenWidth, Byte APenColorAlpha, Byte ABrushColorAlpha) {
  std::unique_ptr<TdxGPPath, TFreeObject> path(new TdxGPPath);
  path->AddRoundRect(R, ARadiusX, ARadiusY);
  Path(path.get(), APenColor, ABrushColor, APenWidth, gppsSolid, APenColorAlpha, ABrushColorAlpha);
}

void TdxGPCanvas::Ellipse(const TRect& R, TColor APenColor, TColor ABrushColor, Single APenWidth,
                          TdxGPPenStyle APenStyle, Byte APenColorAlpha, Byte ABrushColorAlpha) {
  const TSolidBrush brush(ABrushColor, ABrushColorAlpha);
  if (brush.Handle())
    GdipCheck(GdipFillEllipseI(FHandle, brush.Handle(), R.Left, R.Top, cxRectWidth(R), cxRectHeight(R)));
  const TSolidPen pen(APenColor, APenWidth, APenStyle, APenColorAlpha);
  if (pen.Handle())
    GdipCheck(GdipDrawEllipseI(FHandle, pen.Handle(), R.Left, R.Top, cxRectWidth(R), cxRectHeight(R)));
}

void TdxGPCanvas::Arc(const TRect& R, Single AStartAngle, Single ASweepAngle, TColor APenColor, Single APenWidth,
                      TdxGPPenStyle APenStyle, Byte APenColorAlpha) {
  const TSolidPen pen(APenColor, APenWidth, APenStyle, APenColorAlpha);
  if (pen.Handle())
    GdipCheck(GdipDrawArcI(FHandle, pen.Handle(), R.Left, R.Top, cxRectWidth(R), cxRectHeight(R), AStartAngle,
                           ASweepAngle));
}

void TdxGPCanvas::Pie(const TRect& R, Single AStartAngle, Single ASweepAngle, TColor APenColor, TColor ABrushColor,
                      Single APenWidth, TdxGPPenStyle APenStyle, Byte APenColorAlpha, Byte ABrushColorAlpha) {
  const TSolidBrush brush(ABrushColor, ABrushColorAlpha);
  if (brush.Handle())
    GdipCheck(GdipFillPieI(FHandle, brush.Handle(), R.Left, R.Top, cxRectWidth(R), cxRectHeight(R), AStartAngle,
                           ASweepAngle));
  const TSolidPen pen(APenColor, APenWidth, APenStyle, APenColorAlpha);
  if (pen.Handle())
    GdipCheck(GdipDrawPieI(FHandle, pen.Handle(), R.Left, R.Top, cxRectWidth(R), cxRectHeight(R), AStartAngle,
                           ASweepAngle));
}

void TdxGPCanvas::Path(TdxGPPath* APath, TColor APenColor, TColor ABrushColor, Single APenWidth,
                       TdxGPPenStyle APenStyle, Byte APenColorAlpha, Byte ABrushColorAlpha) {
  const TSolidBrush brush(ABrushColor, ABrushColorAlpha);
  if (brush.Handle()) GdipCheck(GdipFillPath(FHandle, brush.Handle(), APath->GetHandle()));
  const TSolidPen pen(APenColor, APenWidth, APenStyle, APenColorAlpha);
  if (pen.Handle()) GdipCheck(GdipDrawPath(FHandle, pen.Handle(), APath->GetHandle()));
}

void TdxGPCanvas::Path(TdxGPPath* APath, TdxGPPen* APen, TdxGPBrush* ABrush) {
  const TRect bounds = APath->GetBounds();
  if (ABrush) {
    ABrush->SetTargetRect(bounds);
    if (GpBrush* brush = ABrush->GetHandle()) GdipCheck(GdipFillPath(FHandle, brush, APath->GetHandle()));
  }
  if (APen) {
    APen->SetTargetRect(bounds);
    if (GpPen* pen = APen->GetHandle()) GdipCheck(GdipDrawPath(FHandle, pen, APath->GetHandle()));
  }
}

void TdxGPCanvas::SetClipRect(const TRect& R, Gdiplus::CombineMode AMode) {
  GdipCheck(GdipSetClipRectI(FHandle, R.Left, R.Top, cxRectWidth(R), cxRectHeight(R), AMode));
}

void TdxGPCanvas::SetClipRegion(HRGN ARegion, Gdiplus::CombineMode AMode) {
  GpRegion* region = nullptr;
  GdipCheck(GdipCreateRegionHrgn(ARegion, &region));
  TScopeExit deleteRegion([region] { GdipDeleteRegion(region); });
  GdipCheck(GdipSetClipRegion(FHandle, region, AMode));
}

void TdxGPCanvas::SetClipPath(TdxGPPath* APath, Gdiplus::CombineMode AMode) {
  GdipCheck(GdipSetClipPath(FHandle, APath->GetHandle(), AMode));
}

void TdxGPCanvas::SaveClipRegion() {
  Gdiplus::GraphicsState state = 0;
  GdipCheck(GdipSaveGraphics(FHandle, &state));
  FSavedClips.push_back(state);
}

void TdxGPCanvas::RestoreClipRegion() {
  if (FSavedClips.empty()) return;
  const Gdiplus::GraphicsState state = FSavedClips.back();
  FSavedClips.pop_back();
  GdipCheck(GdipRestoreGraphics(FHandle, state));
}

bool TdxGPCanvas::IsClipEmpty() {
  BOOL empty = FALSE;
  GdipCheck(GdipIsClipEmpty(FHandle, &empty));
  return empty != FALSE;
}

void TdxGPCanvas::SetWorldTransform(TdxGPMatrix* AMatrix) {
  GdipCheck(GdipSetWorldTransform(FHandle, AMatrix->GetHandle()));
}

void TdxGPCanvas::ModifyWorldTransform(TdxGPMatrix* AMatrix) {
  GdipCheck(GdipMultiplyWorldTransform(FHandle, AMatrix->GetHandle(), Gdiplus::MatrixOrderPrepend));
}

void TdxGPCanvas::ResetWorldTransform() { GdipCheck(GdipResetWorldTransform(FHandle)); }

void TdxGPCanvas::RotateWorldTransform(Single AAngle, const TdxPointF& APivotPoint) {
  AroundPivot(FHandle, APivotPoint,
              [&] { GdipCheck(GdipRotateWorldTransform(FHandle, AAngle, Gdiplus::MatrixOrderPrepend)); });
}

void TdxGPCanvas::ScaleWorldTransform(Single AScaleX, Single AScaleY) {
  GdipCheck(GdipScaleWorldTransform(FHandle, AScaleX, AScaleY, Gdiplus::MatrixOrderPrepend));
}

void TdxGPCanvas::TranslateWorldTransform(Single DX, Single DY) {
  GdipCheck(GdipTranslateWorldTransform(FHandle, DX, DY, Gdiplus::MatrixOrderPrepend));
}

void TdxGPCanvas::FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint) {
  AroundPivot(FHandle, APivotPoint, [&] {
    GdipCheck(GdipScaleWorldTransform(FHandle, AFlipHorizontally ? -1.0f : 1.0f, AFlipVertically ? -1.0f : 1.0f,
                                      Gdiplus::MatrixOrderPrepend));
  });
}

TdxGPInterpolationMode TdxGPCanvas::GetInterpolationMode() {
  Gdiplus::InterpolationMode mode = Gdiplus::InterpolationModeDefault;
  GdipCheck(GdipGetInterpolationMode(FHandle, &mode));
  return mode >= Gdiplus::InterpolationModeDefault && mode <= Gdiplus::InterpolationModeHighQualityBicubic
             ? static_cast<TdxGPInterpolationMode>(mode)
             : imDefault;
}

void TdxGPCanvas::SetInterpolationMode(TdxGPInterpolationMode AValue) {
  GdipCheck(GdipSetInterpolationMode(FHandle, static_cast<Gdiplus::InterpolationMode>(AValue)));
}

TdxGPSmoothingMode TdxGPCanvas::GetSmoothingMode() {
  Gdiplus::SmoothingMode mode = Gdiplus::SmoothingModeDefault;
  GdipCheck(GdipGetSmoothingMode(FHandle, &mode));
  return mode >= Gdiplus::SmoothingModeDefault && mode <= Gdiplus::SmoothingModeAntiAlias
             ? static_cast<TdxGPSmoothingMode>(mode)
             : smDefault;
}

void TdxGPCanvas::SetSmoothingMode(TdxGPSmoothingMode AValue) {
  GdipCheck(GdipSetSmoothingMode(FHandle, static_cast<Gdiplus::SmoothingMode>(AValue)));
}

HDC TdxGPCanvas::GetHDC() {
  HDC dc = nullptr;
  GdipCheck(GdipGetDC(FHandle, &dc));
  return dc;
}

void TdxGPCanvas::ReleaseHDC(HDC DC) { GdipCheck(GdipReleaseDC(FHandle, DC)); }

HOST_CLASS_INFO(TdxGPGraphics, TdxGPCanvas, nullptr)

// --- Paint canvases ------------------------------------------------------------------

HOST_CLASS_INFO(TdxGPCustomPaintCanvas, TdxGPGraphics, &CreateDefault<TdxGPCustomPaintCanvas>)

TdxGPCustomPaintCanvas::TdxGPCustomPaintCanvas() = default;

TdxGPCustomPaintCanvas::~TdxGPCustomPaintCanvas() {
  // A graphics of the caller's is not ours to delete.
  if (!FDrawDC) FHandle = nullptr;
}

void TdxGPCustomPaintCanvas::BeginPaint(HDC DC, const TRect& R) {
  SaveState();
  // A painting that cannot begin ends at once, so that the states stay paired.
  bool begun = false;
  TScopeExit endUnlessBegun([&] {
    if (!begun) EndPaint();
  });
  FDrawDC = DC;
  FDrawRect = R;
  HDC target = DC;
  if (dxGpIsDoubleBufferedNeeded(DC)) {
    // One pixel more each way, so that what is drawn on R's far edges has
    // somewhere to go.
    FBuffer.reset(new TcxBitmap32(cxRectWidth(R) + 1, cxRectHeight(R) + 1));
    TCanvas* canvas = FBuffer->GetCanvas();
    canvas->Lock();
    target = canvas->GetHandle();
    BitBlt(target, 0, 0, cxRectWidth(R), cxRectHeight(R), DC, R.Left, R.Top, SRCCOPY);
    SetWindowOrgEx(target, R.Left, R.Top, nullptr);
  }
  GdipCheck(GdipCreateFromHDC(target, &FHandle));
  begun = true;
}

void TdxGPCustomPaintCanvas::BeginPaint(GpGraphics* AHandle) {
  SaveState();
  FDrawDC = nullptr;
  FDrawRect = cxNullRect;
  FHandle = AHandle;
}

void TdxGPCustomPaintCanvas::EndPaint() {
  if (FDrawDC && FHandle) GdipDeleteGraphics(FHandle);
  FHandle = nullptr;
  if (FBuffer) {
    TCanvas* canvas = FBuffer->GetCanvas();
    HDC buffer = canvas->GetHandle();
    SetWindowOrgEx(buffer, 0, 0, nullptr);
    {
      TSavedDC saved(FDrawDC);
      BitBlt(FDrawDC, FDrawRect.Left, FDrawRect.Top, cxRectWidth(FDrawRect), cxRectHeight(FDrawRect), buffer, 0, 0,
             SRCCOPY);
    }
    canvas->Unlock();
    FBuffer.reset();
  }
  FDrawDC = nullptr;
  FDrawRect = cxNullRect;
  RestoreState();
}

HOST_CLASS_INFO(TdxGPPaintCanvas, TdxGPCustomPaintCanvas, &CreateDefault<TdxGPPaintCanvas>)

TdxGPPaintCanvas::TdxGPPaintCanvas() = default;

TdxGPPaintCanvas::~TdxGPPaintCanvas() {
  while (FCounter > 0) EndPaint();
}

void TdxGPPaintCanvas::SaveState() {
  const auto needed = static_cast<size_t>(FCounter) + 1;
  if (FSavedStates.size() < needed) FSavedStates.resize(std::max(needed, FSavedStates.size() + 4));
  TdxGPPaintCanvasState& state = FSavedStates[static_cast<size_t>(FCounter)];
  state.Handle = FHandle;
  state.Buffer = std::move(FBuffer);
  state.DrawRect = FDrawRect;
  state.DC = FDrawDC;
  ++FCounter;
}

void TdxGPPaintCanvas::RestoreState() {
  if (FCounter == 0) return;
  --FCounter;
  TdxGPPaintCanvasState& state = FSavedStates[static_cast<size_t>(FCounter)];
  FHandle = state.Handle;
  FBuffer = std::move(state.Buffer);
  FDrawRect = state.DrawRect;
  FDrawDC = state.DC;
}

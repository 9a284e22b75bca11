// The wrappers of dxGDIPlusClasses around the library's brushes, pens,
// paths and matrices: each makes its object when first used and frees it
// with itself.
#include <algorithm>
#include <cmath>
#include <vector>

#include "graphics/dxGDIPlusClasses.h"
#include "platform/ScopeExit.h"

namespace {

// A gradient's stops from 0 to 1: the points, with their first and last
// colours carried to the ends when they stop short of them.
void StopsOf(const std::vector<TdxGPBrushGradientPoint>& APoints, std::vector<Gdiplus::ARGB>& AColors,
             std::vector<Gdiplus::REAL>& APositions) {
  if (APoints.front().Offset > 0) {
    AColors.push_back(APoints.front().Color);
    APositions.push_back(0);
  }
  for (const TdxGPBrushGradientPoint& point : APoints) {
    AColors.push_back(point.Color);
    APositions.push_back(point.Offset);
  }
  if (APoints.back().Offset < 1) {
    AColors.push_back(APoints.back().Color);
    APositions.push_back(1);
  }
}

TRect BoundsOf(const TdxGPPoint* APoints, size_t ACount) {
  TRect r = cxRect(APoints[0].X, APoints[0].Y, APoints[0].X, APoints[0].Y);
  for (size_t i = 1; i < ACount; ++i) {
    r.Left = std::min(r.Left, APoints[i].X);
    r.Top = std::min(r.Top, APoints[i].Y);
    r.Right = std::max(r.Right, APoints[i].X);
    r.Bottom = std::max(r.Bottom, APoints[i].Y);
  }
  return r;
}

TdxRectF BoundsOf(const TdxGPPointF* APoints, size_t ACount) {
  TdxRectF r = dxRectF(APoints[0].X, APoints[0].Y, APoints[0].X, APoints[0].Y);
  for (size_t i = 1; i < ACount; ++i) {
    r.Left = std::min(r.Left, APoints[i].X);
    r.Top = std::min(r.Top, APoints[i].Y);
    r.Right = std::max(r.Right, APoints[i].X);
    r.Bottom = std::max(r.Bottom, APoints[i].Y);
  }
  return r;
}

}  // namespace

// --- TdxGPBrush ----------------------------------------------------------------------

HOST_CLASS_INFO(TdxGPBrush, TdxGpBase, &CreateDefault<TdxGPBrush>)

TdxGPBrush::TdxGPBrush() = default;

TdxGPBrush::~TdxGPBrush() { FreeHandle(); }

void TdxGPBrush::FreeHandle() { dxGpFreeHandle(FHandle, GdipDeleteBrush); }

void TdxGPBrush::SetStyle(TdxGPBrushStyle AValue) {
  if (AValue == FStyle) return;
  FStyle = AValue;
  FreeHandle();
}

void TdxGPBrush::SetColor(TdxAlphaColor AValue) {
  if (AValue == FColor) return;
  FColor = AValue;
  FreeHandle();
}

void TdxGPBrush::SetGradientMode(TdxGPBrushGradientMode AValue) {
  if (AValue == FGradientMode) return;
  FGradientMode = AValue;
  FreeHandle();
}

void TdxGPBrush::AddGradientPoint(Single AOffset, TdxAlphaColor AColor) {
  const TdxGPBrushGradientPoint point{std::clamp(AOffset, 0.0f, 1.0f), AColor};
  // After the points of the same offset: a sharp change there keeps its order.
  const auto place = std::upper_bound(
      FGradientPoints.begin(), FGradientPoints.end(), point.Offset,
      [](Single AOffsetToPlace, const TdxGPBrushGradientPoint& AOther) { return AOffsetToPlace < AOther.Offset; });
  FGradientPoints.insert(place, point);
  FreeHandle();
}

void TdxGPBrush::ClearGradientPoints() {
  FGradientPoints.clear();
  FreeHandle();
}

void TdxGPBrush::SetTexture(TdxGPImage* AValue) {
  if (AValue && !AValue->GetEmpty()) {
    if (!FTexture) FTexture.reset(new TdxGPImage);
    FTexture->Assign(AValue);
  } else {
    FTexture.reset();
  }
  FreeHandle();
}

void TdxGPBrush::SetTargetRect(const TRect& AValue) {
  if (AValue == FTargetRect) return;
  FTargetRect = AValue;
  if (FStyle == gpbsGradient || FStyle == gpbsTexture) FreeHandle();
}

GpBrush* TdxGPBrush::GetHandle() {
  if (!FHandle) FHandle = CreateHandle();
  return FHandle;
}

GpBrush* TdxGPBrush::CreateHandle() {
  switch (FStyle) {
    case gpbsSolid: {
      GpSolidFill* brush = nullptr;
      GdipCheck(GdipCreateSolidFill(FColor, &brush));
      return reinterpret_cast<GpBrush*>(brush);
    }
    case gpbsGradient: {
      if (cxRectIsEmpty(FTargetRect)) return nullptr;
      const TdxGPRect area = MakeRect(FTargetRect);
      const TdxAlphaColor first = FGradientPoints.empty() ? FColor : FGradientPoints.front().Color;
      const TdxAlphaColor last = FGradientPoints.empty() ? FColor : FGradientPoints.back().Color;
      GpLineGradient* brush = nullptr;
      const auto mode = static_cast<Gdiplus::LinearGradientMode>(FGradientMode);
      GdipCheck(GdipCreateLineBrushFromRectI(&area, first, last, mode, Gdiplus::WrapModeTile, &brush));
      bool done = false;
      TScopeExit deleteUnlessDone([&] {
        if (!done) GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush));
      });
      if (FGradientPoints.size() > 1) {
        std::vector<Gdiplus::ARGB> colors;
        std::vector<Gdiplus::REAL> positions;
        StopsOf(FGradientPoints, colors, positions);
        GdipCheck(GdipSetLinePresetBlend(brush, colors.data(), positions.data(), static_cast<INT>(colors.size())));
      }
      done = true;
      return reinterpret_cast<GpBrush*>(brush);
    }
    case gpbsTexture: {
      GpImage* image = FTexture ? FTexture->GetHandle() : nullptr;
      if (!image) return nullptr;
      GpTexture* brush = nullptr;
      GdipCheck(GdipCreateTexture2I(image, Gdiplus::WrapModeTile, 0, 0, FTexture->GetWidth(), FTexture->GetHeight(),
                                    &brush));
      return reinterpret_cast<GpBrush*>(brush);
    }
    case gpbsClear: break;
  }
  return nullptr;
}

// --- TdxGPPen ------------------------------------------------------------------------

HOST_CLASS_INFO(TdxGPPen, TdxGpBase, &CreateDefault<TdxGPPen>)

TdxGPPen::TdxGPPen() : FBrush(new TdxGPBrush) {}

TdxGPPen::~TdxGPPen() { FreeHandle(); }

void TdxGPPen::FreeHandle() { dxGpFreeHandle(FHandle, GdipDeletePen); }

void TdxGPPen::SetWidth(Single AValue) {
  if (AValue == FWidth) return;
  FWidth = AValue;
  if (FHandle) GdipCheck(GdipSetPenWidth(FHandle, FWidth));
}

void TdxGPPen::SetStyle(TdxGPPenStyle AValue) {
  if (AValue == FStyle) return;
  FStyle = AValue;
  if (FHandle) GdipCheck(GdipSetPenDashStyle(FHandle, static_cast<Gdiplus::GpDashStyle>(FStyle)));
}

GpPen* TdxGPPen::GetHandle() {
  GpBrush* brush = FBrush->GetHandle();
  if (!brush) {
    FreeHandle();
    return nullptr;
  }
  // The pen keeps a copy of its brush: given again each time, it follows
  // the brush's changes.
  if (FHandle) {
    GdipCheck(GdipSetPenBrushFill(FHandle, brush));
    return FHandle;
  }
  GdipCheck(GdipCreatePen2(brush, FWidth, Gdiplus::UnitPixel, &FHandle));
  GdipCheck(GdipSetPenDashStyle(FHandle, static_cast<Gdiplus::GpDashStyle>(FStyle)));
  return FHandle;
}

// --- TdxGPPath -----------------------------------------------------------------------

HOST_CLASS_INFO(TdxGPPath, TdxGpBase, &CreateDefault<TdxGPPath>)

TdxGPPath::TdxGPPath() = default;

TdxGPPath::~TdxGPPath() {
  dxGpFreeHandle(FHandle, GdipDeletePath);
}

GpPath* TdxGPPath::GetHandle() {
  if (!FHandle) GdipCheck(GdipCreatePath(Gdiplus::FillModeAlternate, &FHandle));
  return FHandle;
}

void TdxGPPath::AddArc(Single X, Single Y, Single AWidth, Single AHeight, Single AStartAngle, Single ASweepAngle) {
  GdipCheck(GdipAddPathArc(GetHandle(), X, Y, AWidth, AHeight, AStartAngle, ASweepAngle));
}

void TdxGPPath::AddLine(Single X1, Single Y1, Single X2, Single Y2) {
  GdipCheck(GdipAddPathLine(GetHandle(), X1, Y1, X2, Y2));
}

void TdxGPPath::AddPolyline(const std::vector<TPoint>& APoints) {
  for (size_t i = 1; i < APoints.size(); ++i)
    GdipCheck(GdipAddPathLineI(GetHandle(), APoints[i - 1].X, APoints[i - 1].Y, APoints[i].X, APoints[i].Y));
}

void TdxGPPath::AddEllipse(const TRect& R) {
  GdipCheck(GdipAddPathEllipseI(GetHandle(), R.Left, R.Top, cxRectWidth(R), cxRectHeight(R)));
}

void TdxGPPath::AddEllipse(const TdxRectF& R) {
  GdipCheck(GdipAddPathEllipse(GetHandle(), R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top));
}

void TdxGPPath::AddRect(const TRect& R) {
  GdipCheck(GdipAddPathRectangleI(GetHandle(), R.Left, R.Top, cxRectWidth(R), cxRectHeight(R)));
}

void TdxGPPath::AddRect(const TdxRectF& R) {
  GdipCheck(GdipAddPathRectangle(GetHandle(), R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top));
}

void TdxGPPath::AddRoundRect(const TRect& R, Integer ARadiusX, Integer ARadiusY) {
  if (ARadiusX <= 0 || ARadiusY <= 0) return AddRect(R);
  // The corners' ellipses never reach past the rectangle's middle.
  const auto w = static_cast<Single>(std::min(2 * ARadiusX, cxRectWidth(R)));
  const auto h = static_cast<Single>(std::min(2 * ARadiusY, cxRectHeight(R)));
  const auto left = static_cast<Single>(R.Left), top = static_cast<Single>(R.Top);
  const auto right = static_cast<Single>(R.Right), bottom = static_cast<Single>(R.Bottom);
  FigureStart();
  AddArc(left, top, w, h, 180, 90);
  AddArc(right - w, top, w, h, 270, 90);
  AddArc(right - w, bottom - h, w, h, 0, 90);
  AddArc(left, bottom - h, w, h, 90, 90);
  FigureFinish();
}

void TdxGPPath::AddPolygon(const std::vector<TPoint>& APoints) {
  std::vector<TdxGPPoint> points;
  for (const TPoint& p : APoints) points.push_back({p.X, p.Y});
  GdipCheck(GdipAddPathPolygonI(GetHandle(), points.data(), static_cast<INT>(points.size())));
}

void TdxGPPath::FigureStart() { GdipCheck(GdipStartPathFigure(GetHandle())); }

void TdxGPPath::FigureFinish() { GdipCheck(GdipClosePathFigure(GetHandle())); }

TRect TdxGPPath::GetBounds(TdxGPPen* APen) {
  TdxGPRect bounds;
  GdipCheck(GdipGetPathWorldBoundsI(GetHandle(), &bounds, nullptr, APen ? APen->GetHandle() : nullptr));
  return cxRect(bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height);
}

TdxRectF TdxGPPath::GetBoundsF(TdxGPPen* APen) {
  TdxGPRectF bounds;
  GdipCheck(GdipGetPathWorldBounds(GetHandle(), &bounds, nullptr, APen ? APen->GetHandle() : nullptr));
  return dxRectF(bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height);
}

bool TdxGPPath::IsPointInPath(const TPoint& P, TdxGPCanvas* ACanvas) {
  BOOL inside = FALSE;
  GdipCheck(GdipIsVisiblePathPointI(GetHandle(), P.X, P.Y, ACanvas ? ACanvas->GetHandle() : nullptr, &inside));
  return inside != FALSE;
}

bool TdxGPPath::IsPointInPathOutline(const TPoint& P, TdxGPPen* APen, TdxGPCanvas* ACanvas) {
  GpPen* pen = APen ? APen->GetHandle() : nullptr;
  if (!pen) return false;
  BOOL inside = FALSE;
  GdipCheck(
      GdipIsOutlineVisiblePathPointI(GetHandle(), P.X, P.Y, pen, ACanvas ? ACanvas->GetHandle() : nullptr, &inside));
  return inside != FALSE;
}

// --- TdxGPMatrix ---------------------------------------------------------------------

HOST_CLASS_INFO(TdxGPMatrix, TdxGpBase, &CreateDefault<TdxGPMatrix>)

TdxGPMatrix::TdxGPMatrix() = default;

TdxGPMatrix::TdxGPMatrix(const TdxGPMatrixElements& AElements) {
  GdipCheck(GdipCreateMatrix2(AElements.M11, AElements.M12, AElements.M21, AElements.M22, AElements.DX, AElements.DY,
                              &FHandle));
}

TdxGPMatrix::~TdxGPMatrix() {
  dxGpFreeHandle(FHandle, GdipDeleteMatrix);
}

GpMatrix* TdxGPMatrix::GetHandle() {
  if (!FHandle) GdipCheck(GdipCreateMatrix(&FHandle));
  return FHandle;
}

TdxGPMatrixElements TdxGPMatrix::GetElements() {
  Gdiplus::REAL m[6];
  GdipCheck(GdipGetMatrixElements(GetHandle(), m));
  return {m[0], m[1], m[2], m[3], m[4], m[5]};
}

void TdxGPMatrix::SetElements(const TdxGPMatrixElements& AValue) {
  GdipCheck(GdipSetMatrixElements(GetHandle(), AValue.M11, AValue.M12, AValue.M21, AValue.M22, AValue.DX, AValue.DY));
}

void TdxGPMatrix::Multiply(TdxGPMatrix* AMatrix, Gdiplus::GpMatrixOrder AOrder) {
  GdipCheck(GdipMultiplyMatrix(GetHandle(), AMatrix->GetHandle(), AOrder));
}

void TdxGPMatrix::Rotate(Single AAngle, Gdiplus::GpMatrixOrder AOrder) {
  GdipCheck(GdipRotateMatrix(GetHandle(), AAngle, AOrder));
}

void TdxGPMatrix::Rotate(Single AAngle, const TdxPointF& APivotPoint, Gdiplus::GpMatrixOrder AOrder) {
  // To the pivot first and back last, whichever side the rotation joins.
  const Single sign = AOrder == Gdiplus::MatrixOrderPrepend ? 1 : -1;
  Translate(sign * APivotPoint.X, sign * APivotPoint.Y, AOrder);
  Rotate(AAngle, AOrder);
  Translate(-sign * APivotPoint.X, -sign * APivotPoint.Y, AOrder);
}

void TdxGPMatrix::Scale(Single AScaleX, Single AScaleY, Gdiplus::GpMatrixOrder AOrder) {
  GdipCheck(GdipScaleMatrix(GetHandle(), AScaleX, AScaleY, AOrder));
}

void TdxGPMatrix::Shear(Single AShearX, Single AShearY, Gdiplus::GpMatrixOrder AOrder) {
  GdipCheck(GdipShearMatrix(GetHandle(), AShearX, AShearY, AOrder));
}

void TdxGPMatrix::Translate(Single DX, Single DY, Gdiplus::GpMatrixOrder AOrder) {
  GdipCheck(GdipTranslateMatrix(GetHandle(), DX, DY, AOrder));
}

void TdxGPMatrix::Invert() { GdipCheck(GdipInvertMatrix(GetHandle())); }

void TdxGPMatrix::Flip(bool AHorizontally, bool AVertically, const TdxPointF& APivotPoint,
                       Gdiplus::GpMatrixOrder AOrder) {
  const Single sign = AOrder == Gdiplus::MatrixOrderPrepend ? 1 : -1;
  Translate(sign * APivotPoint.X, sign * APivotPoint.Y, AOrder);
  Scale(AHorizontally ? -1.0f : 1.0f, AVertically ? -1.0f : 1.0f, AOrder);
  Translate(-sign * APivotPoint.X, -sign * APivotPoint.Y, AOrder);
}

TdxPointF TdxGPMatrix::TransformPoint(const TdxPointF& P) {
  TdxGPPointF point{P.X, P.Y};
  GdipCheck(GdipTransformMatrixPoints(GetHandle(), &point, 1));
  return dxPointF(point.X, point.Y);
}

TPoint TdxGPMatrix::TransformPoint(const TPoint& P) {
  TdxGPPoint point{P.X, P.Y};
  GdipCheck(GdipTransformMatrixPointsI(GetHandle(), &point, 1));
  return cxPoint(point.X, point.Y);
}

TdxRectF TdxGPMatrix::TransformRect(const TdxRectF& R) {
  TdxGPPointF corners[4] = {{R.Left, R.Top}, {R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}};
  GdipCheck(GdipTransformMatrixPoints(GetHandle(), corners, 4));
  return BoundsOf(corners, 4);
}

TRect TdxGPMatrix::TransformRect(const TRect& R) {
  TdxGPPoint corners[4] = {{R.Left, R.Top}, {R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}};
  GdipCheck(GdipTransformMatrixPointsI(GetHandle(), corners, 4));
  return BoundsOf(corners, 4);
}

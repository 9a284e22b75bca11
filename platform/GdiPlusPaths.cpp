// Paths: figures of lines and Bézier curves (arcs and ellipses become
// curves), their bounds and hit tests.
#include <algorithm>
#include <cmath>

#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

constexpr double Pi = 3.14159265358979323846;

bool Finite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool FinitePoints(const GpPointF* points, INT count) {
  for (INT i = 0; i < count; ++i)
    if (!Finite({points[i].X, points[i].Y})) return false;
  return true;
}

// The ellipse's parameter for the angle seen from its centre (radians),
// on the same turn.
double ParameterOf(double angle, double rx, double ry) {
  const double t = std::atan2(rx * std::sin(angle), ry * std::cos(angle));
  return t + std::round((angle - t) / (2 * Pi)) * 2 * Pi;
}

}  // namespace

std::vector<GpPointF> FloatPoints(const GpPoint* points, INT count) {
  std::vector<GpPointF> result(static_cast<size_t>(std::max(count, 0)));
  for (INT i = 0; i < count; ++i)
    result[static_cast<size_t>(i)] = {static_cast<REAL>(points[i].X), static_cast<REAL>(points[i].Y)};
  return result;
}

bool ValidFillMode(GpFillMode mode) { return mode == FillModeAlternate || mode == FillModeWinding; }

bool GpPath::AddLines(const GpPointF* points, INT count) {
  if (!FinitePoints(points, count)) return false;
  for (INT i = 0; i < count; ++i) {
    const GpPointF& p = points[i];
    if (i == 0 && FigureOpen && Points.back().X == p.X && Points.back().Y == p.Y) continue;
    Points.push_back(p);
    Types.push_back(FigureOpen || i > 0 ? PathPointTypeLine : PathPointTypeStart);
  }
  FigureOpen = FigureOpen || count > 0;
  return true;
}

bool GpPath::AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle) {
  if (!Finite({x, y, width, height, startAngle, sweepAngle})) return false;
  if (width <= 0 || height <= 0) return true;
  const double rx = width / 2.0, ry = height / 2.0, cx = x + rx, cy = y + ry;
  const double sweep = std::clamp<double>(sweepAngle, -360, 360) * Pi / 180;
  const double start = startAngle * Pi / 180;
  const double t0 = ParameterOf(start, rx, ry);
  const double t1 = std::abs(sweep) >= 2 * Pi ? t0 + sweep : ParameterOf(start + sweep, rx, ry);
  const auto at = [&](double t) { return GpPointF{static_cast<REAL>(cx + rx * std::cos(t)), static_cast<REAL>(cy + ry * std::sin(t))}; };
  const GpPointF first = at(t0);
  AddLines(&first, 1);
  // Quarter turns at most, each one cubic curve.
  const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(t1 - t0) / (Pi / 2) - 1e-9)));
  const double step = (t1 - t0) / pieces, k = 4.0 / 3.0 * std::tan(step / 4);
  for (int i = 0; i < pieces; ++i) {
    const double a = t0 + step * i, b = a + step;
    const GpPointF control[3] = {
        {static_cast<REAL>(cx + rx * (std::cos(a) - k * std::sin(a))), static_cast<REAL>(cy + ry * (std::sin(a) + k * std::cos(a)))},
        {static_cast<REAL>(cx + rx * (std::cos(b) + k * std::sin(b))), static_cast<REAL>(cy + ry * (std::sin(b) - k * std::cos(b)))},
        at(b)};
    for (const GpPointF& p : control) {
      Points.push_back(p);
      Types.push_back(PathPointTypeBezier);
    }
  }
  return true;
}

bool GpPath::AddPolygon(const GpPointF* points, INT count) {
  if (!FinitePoints(points, count)) return false;
  FigureOpen = false;
  AddLines(points, count);
  CloseFigure();
  return true;
}

bool GpPath::AddRectangle(REAL x, REAL y, REAL width, REAL height) {
  if (!Finite({x, y, width, height})) return false;
  if (width <= 0 || height <= 0) return true;
  const GpPointF corners[4] = {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}};
  return AddPolygon(corners, 4);
}

bool GpPath::AddEllipse(REAL x, REAL y, REAL width, REAL height) {
  if (!Finite({x, y, width, height})) return false;
  if (width <= 0 || height <= 0) return true;
  FigureOpen = false;
  AddArc(x, y, width, height, 0, 360);
  CloseFigure();
  return true;
}

bool GpPath::AddPie(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle) {
  if (!Finite({x, y, width, height, startAngle, sweepAngle})) return false;
  if (width <= 0 || height <= 0) return true;
  FigureOpen = false;
  const GpPointF centre{x + width / 2, y + height / 2};
  AddLines(&centre, 1);
  AddArc(x, y, width, height, startAngle, sweepAngle);
  CloseFigure();
  return true;
}

void GpPath::CloseFigure() {
  if (FigureOpen && !Types.empty()) Types.back() |= PathPointTypeCloseSubpath;
  FigureOpen = false;
}

void GpPath::Trace(cairo_t* cr) const {
  cairo_new_path(cr);
  cairo_set_fill_rule(cr, FillMode == FillModeWinding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
  for (size_t i = 0; i < Points.size(); ++i) {
    const GpPointF& p = Points[i];
    switch (Types[i] & PathPointTypePathTypeMask) {
      case PathPointTypeStart: cairo_move_to(cr, p.X, p.Y); break;
      case PathPointTypeBezier:
        if (i + 2 < Points.size()) {
          cairo_curve_to(cr, p.X, p.Y, Points[i + 1].X, Points[i + 1].Y, Points[i + 2].X, Points[i + 2].Y);
          i += 2;
        }
        break;
      default: cairo_line_to(cr, p.X, p.Y);
    }
    if (Types[i] & PathPointTypeCloseSubpath) cairo_close_path(cr);
  }
}

bool GpPath::IsAlignedRectangle(double& x0, double& y0, double& x1, double& y1) const {
  static const BYTE Rectangle[4] = {PathPointTypeStart, PathPointTypeLine, PathPointTypeLine,
                                    PathPointTypeLine | PathPointTypeCloseSubpath};
  if (Types.size() != 4 || !std::equal(Types.begin(), Types.end(), Rectangle)) return false;
  const GpPointF* p = Points.data();
  const bool across = p[0].Y == p[1].Y && p[1].X == p[2].X && p[2].Y == p[3].Y && p[3].X == p[0].X;
  const bool down = p[0].X == p[1].X && p[1].Y == p[2].Y && p[2].X == p[3].X && p[3].Y == p[0].Y;
  x0 = p[0].X, y0 = p[0].Y, x1 = p[2].X, y1 = p[2].Y;
  return across || down;
}

void TPathDrawing::Trace(cairo_t* cr) const {
  FPath.Trace(cr);
  if (FPen) FPen->Apply(cr);
}

void TPathDrawing::UseSource(cairo_t* cr) const {
  if (FBrush) FBrush->Use(cr, FFilter);
}

bool TPathDrawing::AlignedPixels(const cairo_matrix_t& device, pixman_box32_t& box) const {
  double x0, y0, x1, y1;
  return !FPen && FPath.IsAlignedRectangle(x0, y0, x1, y1) && AlignedRectPixels(device, x0, y0, x1, y1, box);
}

GpStatus GdipCreatePath(GpFillMode brushMode, GpPath** path) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!path || !ValidFillMode(brushMode)) return InvalidParameter;
  auto p = std::make_unique<GpPath>();
  p->FillMode = brushMode;
  *path = AddObject(std::move(p));
  return Ok;
}

GpStatus GdipClonePath(GpPath* path, GpPath** clonePath) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpPath* p = LookupObject<GpPath>(path);
  if (!p || !clonePath) return InvalidParameter;
  *clonePath = AddObject(std::make_unique<GpPath>(*p));
  return Ok;
}

GpStatus GdipDeletePath(GpPath* path) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPath* p = LookupObject<GpPath>(path);
  if (!p) return InvalidParameter;
  RemoveObject(p);
  return Ok;
}

GpStatus GdipStartPathFigure(GpPath* path) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPath* p = LookupObject<GpPath>(path);
  if (!p) return InvalidParameter;
  p->FigureOpen = false;
  return Ok;
}

GpStatus GdipClosePathFigure(GpPath* path) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPath* p = LookupObject<GpPath>(path);
  if (!p) return InvalidParameter;
  p->CloseFigure();
  return Ok;
}

namespace {

// Adds to the path what add puts there; InvalidParameter for a bad handle
// or a value that is not finite.
template <typename Add>
GpStatus AddTo(GpPath* path, Add add) {
  GpPath* p = LookupObject<GpPath>(path);
  return p && add(*p) ? Ok : InvalidParameter;
}

GpStatus AddLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2) {
  const GpPointF ends[2] = {{x1, y1}, {x2, y2}};
  return AddTo(path, [&](GpPath& p) { return p.AddLines(ends, 2); });
}

GpStatus AddArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle) {
  return AddTo(path, [&](GpPath& p) { return p.AddArc(x, y, width, height, startAngle, sweepAngle); });
}

GpStatus AddEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  return AddTo(path, [&](GpPath& p) { return p.AddEllipse(x, y, width, height); });
}

GpStatus AddRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  return AddTo(path, [&](GpPath& p) { return p.AddRectangle(x, y, width, height); });
}

GpStatus AddPolygon(GpPath* path, const GpPointF* points, INT count) {
  if (!points || count < 3) return InvalidParameter;
  return AddTo(path, [&](GpPath& p) { return p.AddPolygon(points, count); });
}

}  // namespace

GpStatus GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return AddLine(path, x1, y1, x2, y2);
}

GpStatus GdipAddPathLineI(GpPath* path, INT x1, INT y1, INT x2, INT y2) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return AddLine(path, Real(x1), Real(y1), Real(x2), Real(y2));
}

GpStatus GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return AddArc(path, x, y, width, height, startAngle, sweepAngle);
}

GpStatus GdipAddPathArcI(GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return AddArc(path, Real(x), Real(y), Real(width), Real(height), startAngle, sweepAngle);
}

GpStatus GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return AddEllipse(path, x, y, width, height);
}

GpStatus GdipAddPathEllipseI(GpPath* path, INT x, INT y, INT width, INT height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return AddEllipse(path, Real(x), Real(y), Real(width), Real(height));
}

GpStatus GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return AddRectangle(path, x, y, width, height);
}

GpStatus GdipAddPathRectangleI(GpPath* path, INT x, INT y, INT width, INT height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return AddRectangle(path, Real(x), Real(y), Real(width), Real(height));
}

GpStatus GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return AddPolygon(path, points, count);
}

GpStatus GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!points) return InvalidParameter;
  const std::vector<GpPointF> converted = FloatPoints(points, count);
  return AddPolygon(path, converted.data(), count);
}

namespace {

// The path's box (transformed, widened), or false when it has no point.
bool PathBounds(const GpPath& path, const GpMatrix* matrix, const GpPen* pen, double box[4]) {
  if (path.Points.empty()) return false;
  GpPath moved = path;
  if (matrix)
    for (GpPointF& p : moved.Points) {
      double x = p.X, y = p.Y;
      cairo_matrix_transform_point(&matrix->M, &x, &y);
      p = {static_cast<REAL>(x), static_cast<REAL>(y)};
    }
  TScratch scratch;
  moved.Trace(*scratch);
  if (pen) {
    pen->Apply(*scratch);
    cairo_stroke_extents(*scratch, &box[0], &box[1], &box[2], &box[3]);
  } else {
    cairo_path_extents(*scratch, &box[0], &box[1], &box[2], &box[3]);
  }
  return true;
}

GpStatus BoundsArguments(GpPath* path, const void* bounds, const GpMatrix* matrix, const GpPen* pen, GpPath*& p) {
  p = LookupObject<GpPath>(path);
  if (!p || !bounds) return InvalidParameter;
  if (matrix && !LookupObject<GpMatrix>(matrix)) return InvalidParameter;
  if (pen && !LookupObject<GpPen>(pen)) return InvalidParameter;
  return Ok;
}

}  // namespace

GpStatus GdipGetPathWorldBounds(GpPath* path, GpRectF* bounds, const GpMatrix* matrix, const GpPen* pen) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPath* p = nullptr;
  if (BoundsArguments(path, bounds, matrix, pen, p) != Ok) return InvalidParameter;
  double box[4];
  *bounds = PathBounds(*p, matrix, pen, box)
                ? GpRectF{static_cast<REAL>(box[0]), static_cast<REAL>(box[1]), static_cast<REAL>(box[2] - box[0]),
                          static_cast<REAL>(box[3] - box[1])}
                : GpRectF{};
  return Ok;
}

GpStatus GdipGetPathWorldBoundsI(GpPath* path, GpRect* bounds, const GpMatrix* matrix, const GpPen* pen) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPath* p = nullptr;
  if (BoundsArguments(path, bounds, matrix, pen, p) != Ok) return InvalidParameter;
  double box[4];
  if (!PathBounds(*p, matrix, pen, box)) {
    *bounds = {};
    return Ok;
  }
  // The smallest whole rectangle around the box.
  const INT left = RoundToInt(std::floor(box[0])), top = RoundToInt(std::floor(box[1]));
  *bounds = {left, top, RoundToInt(std::ceil(box[2])) - left, RoundToInt(std::ceil(box[3])) - top};
  return Ok;
}

namespace {

// Whether the point is in the path (without a pen) or on its outline.
GpStatus HitTest(GpPath* path, double x, double y, GpPen* pen, bool outline, GpGraphics* graphics, BOOL* result) {
  const GpPath* p = LookupObject<GpPath>(path);
  const GpPen* stroke = LookupObject<GpPen>(pen);
  if (!p || !result || (outline && !stroke) || (graphics && !LookupObject<GpGraphics>(graphics)))
    return InvalidParameter;
  TScratch scratch;
  p->Trace(*scratch);
  if (outline) stroke->Apply(*scratch);
  *result = (outline ? cairo_in_stroke(*scratch, x, y) : cairo_in_fill(*scratch, x, y)) ? TRUE : FALSE;
  return Ok;
}

}  // namespace

GpStatus GdipIsVisiblePathPoint(GpPath* path, REAL x, REAL y, GpGraphics* graphics, BOOL* result) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return HitTest(path, x, y, nullptr, false, graphics, result);
}

GpStatus GdipIsVisiblePathPointI(GpPath* path, INT x, INT y, GpGraphics* graphics, BOOL* result) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return HitTest(path, x, y, nullptr, false, graphics, result);
}

GpStatus GdipIsOutlineVisiblePathPoint(GpPath* path, REAL x, REAL y, GpPen* pen, GpGraphics* graphics,
                                       BOOL* result) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return HitTest(path, x, y, pen, true, graphics, result);
}

GpStatus GdipIsOutlineVisiblePathPointI(GpPath* path, INT x, INT y, GpPen* pen, GpGraphics* graphics,
                                        BOOL* result) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return HitTest(path, x, y, pen, true, graphics, result);
}

}  // namespace Gdiplus

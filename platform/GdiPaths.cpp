// Paths: the outlines drawing calls record between BeginPath and EndPath,
// widened by the pen or turned into a region.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/GdiObjects.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

// Callers' device coordinates: the surface's without a window DC's origin.
POINT DevicePoint(const TDCState& s, int x, int y) {
  const POINT p = DeviceOf(s, x, y);
  return {p.X - s.DCOrigin.X, p.Y - s.DCOrigin.Y};
}

TGdiPath* EndedPath(TDeviceContext* dc) { return dc && dc->Path && !dc->Path->Open ? dc->Path.get() : nullptr; }

struct TPointF {
  double X, Y;
};

// The pixels whose centres (the integer points) lie inside a convex polygon,
// each row's span [ceil(from), ceil(to)), added to the region.
void AddConvex(pixman_region32_t& region, const std::array<TPointF, 4>& corners) {
  double top = corners[0].Y, bottom = top;
  for (const TPointF& c : corners) top = std::min(top, c.Y), bottom = std::max(bottom, c.Y);
  for (auto y = static_cast<int32_t>(std::ceil(top)); y < bottom; ++y) {
    double from = HUGE_VAL, to = -HUGE_VAL;
    for (size_t i = 0; i < corners.size(); ++i) {
      const TPointF& a = corners[i];
      const TPointF& b = corners[(i + 1) % corners.size()];
      if ((a.Y <= y) == (b.Y <= y)) continue;
      const double x = a.X + (y - a.Y) * (b.X - a.X) / (b.Y - a.Y);
      from = std::min(from, x);
      to = std::max(to, x);
    }
    const auto x1 = static_cast<int32_t>(std::ceil(from)), x2 = static_cast<int32_t>(std::ceil(to));
    if (x1 < x2) pixman_region32_union_rect(&region, &region, x1, y, static_cast<unsigned>(x2 - x1), 1);
  }
}

// What a pen of the width covers along a to b, half its width beyond each
// end: a square around a point.
void AddStroke(pixman_region32_t& region, POINT a, POINT b, double width) {
  const double half = width / 2, length = std::hypot(double(b.X - a.X), double(b.Y - a.Y));
  const double dx = length > 0 ? (b.X - a.X) / length * half : half, dy = length > 0 ? (b.Y - a.Y) / length * half : 0;
  // Along the segment (dx, dy), across it (-dy, dx).
  AddConvex(region, {TPointF{a.X - dx + dy, a.Y - dy - dx}, TPointF{b.X + dx + dy, b.Y + dy - dx},
                     TPointF{b.X + dx - dy, b.Y + dy + dx}, TPointF{a.X - dx - dy, a.Y - dy + dx}});
}

void StartFigure(TGdiPath& path, POINT at) {
  // A figure of a lone point gives way to the next.
  if (!path.Figures.empty() && !path.Figures.back().Closed && path.Figures.back().Points.size() == 1)
    path.Figures.back().Points[0] = at;
  else
    path.Figures.push_back({{at}, false});
}

}  // namespace

TGdiPath* RecordingPath(TDeviceContext* dc) { return dc && dc->Path && dc->Path->Open ? dc->Path.get() : nullptr; }

void PathMoveTo(TDeviceContext* dc, int x, int y) {
  if (TGdiPath* path = RecordingPath(dc)) StartFigure(*path, DevicePoint(dc->State, x, y));
}

void PathLineTo(TDeviceContext* dc, int x, int y) {
  TGdiPath* path = RecordingPath(dc);
  if (!path) return;
  if (path->Figures.empty() || path->Figures.back().Closed)
    StartFigure(*path, DevicePoint(dc->State, dc->State.CurrentPos.X, dc->State.CurrentPos.Y));
  path->Figures.back().Points.push_back(DevicePoint(dc->State, x, y));
}

void PathAddFigure(TDeviceContext* dc, const POINT* points, int count, bool closed) {
  TGdiPath* path = RecordingPath(dc);
  if (!path || count < 1) return;
  TGdiPath::TFigure figure{{}, closed};
  for (int i = 0; i < count; ++i) figure.Points.push_back(DevicePoint(dc->State, points[i].X, points[i].Y));
  // A figure of a lone point, left by MoveToEx, is replaced.
  if (!path->Figures.empty() && !path->Figures.back().Closed && path->Figures.back().Points.size() == 1)
    path->Figures.pop_back();
  path->Figures.push_back(std::move(figure));
}

void PathAddRoundRect(TDeviceContext* dc, int left, int top, int right, int bottom, int width, int height) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const double rx = std::min(std::abs(width), right - left) / 2.0, ry = std::min(std::abs(height), bottom - top) / 2.0;
  // Each corner's quarter ellipse, counter-clockwise from the top right.
  const double cx[4] = {right - rx, left + rx, left + rx, right - rx};
  const double cy[4] = {top + ry, top + ry, bottom - ry, bottom - ry};
  const int steps = std::clamp(static_cast<int>(std::max(rx, ry)), 1, 256);
  std::vector<POINT> points;
  for (int corner = 0; corner < 4; ++corner)
    for (int i = 0; i <= steps; ++i) {
      const double angle = (corner + double(i) / steps) * Pi / 2;
      points.push_back({static_cast<LONG>(std::lround(cx[corner] + rx * std::cos(angle))),
                        static_cast<LONG>(std::lround(cy[corner] - ry * std::sin(angle)))});
    }
  points.erase(std::unique(points.begin(), points.end(),
                           [](const POINT& a, const POINT& b) { return a.X == b.X && a.Y == b.Y; }),
               points.end());
  PathAddFigure(dc, points.data(), static_cast<int>(points.size()), true);
}

BOOL BeginPath(HDC hdc) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  dc->Path = std::make_unique<TGdiPath>();
  return TRUE;
}

BOOL EndPath(HDC hdc) {
  TGdiPath* path = RecordingPath(DCLookup(hdc));
  if (!path) return FALSE;
  path->Open = false;
  return TRUE;
}

BOOL WidenPath(HDC hdc) {
  TDeviceContext* dc = DCLookup(hdc);
  TGdiPath* path = EndedPath(dc);
  if (!path) return FALSE;
  LOGPEN pen{};
  GetObjectW(dc->State.Pen, sizeof pen, &pen);
  const double width = std::max<LONG>(pen.lopnWidth.X, 1);
  TRegion covered;
  for (const TGdiPath::TFigure& figure : path->Figures) {
    const std::vector<POINT>& p = figure.Points;
    if (p.size() == 1) AddStroke(covered.R, p[0], p[0], width);
    for (size_t i = 0; i + 1 < p.size(); ++i) AddStroke(covered.R, p[i], p[i + 1], width);
    if (figure.Closed && p.size() > 2) AddStroke(covered.R, p.back(), p.front(), width);
  }
  // The covered pixels' rectangles, which never overlap, fill alike under
  // either fill mode.
  path->Figures.clear();
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&covered.R, &n);
  for (int i = 0; i < n; ++i) {
    const pixman_box32_t& b = boxes[i];
    path->Figures.push_back({{{b.x1, b.y1}, {b.x2, b.y1}, {b.x2, b.y2}, {b.x1, b.y2}}, true});
  }
  return TRUE;
}

HRGN PathToRegion(HDC hdc) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!EndedPath(dc)) return nullptr;
  const std::unique_ptr<TGdiPath> path = std::move(dc->Path);
  std::vector<POINT> points;
  std::vector<INT> counts;
  for (const TGdiPath::TFigure& figure : path->Figures) {
    if (figure.Points.size() < 2) continue;
    points.insert(points.end(), figure.Points.begin(), figure.Points.end());
    counts.push_back(static_cast<INT>(figure.Points.size()));
  }
  if (counts.empty()) return CreateRectRgn(0, 0, 0, 0);
  return CreatePolyPolygonRgn(points.data(), counts.data(), static_cast<int>(counts.size()), dc->State.PolyFillMode);
}

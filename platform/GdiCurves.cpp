// Curves and flood fills. Bézier segments and elliptic arcs are drawn as the
// polylines and polygons that approximate them, each step about a pixel or
// two long; fills spread from a point through the device's own pixels.

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Gdi.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

double Distance(POINT a, POINT b) { return std::hypot(double(b.X - a.X), double(b.Y - a.Y)); }

POINT Rounded(double x, double y) { return POINT{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))}; }

// The points after p0 of the cubic segment p0..p3.
void AddBezier(std::vector<POINT>& out, POINT p0, POINT p1, POINT p2, POINT p3) {
  const double length = Distance(p0, p1) + Distance(p1, p2) + Distance(p2, p3);
  const int steps = std::clamp(static_cast<int>(length / 2) + 1, 1, 4096);
  for (int i = 1; i <= steps; ++i) {
    const double t = double(i) / steps, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back(Rounded(a * p0.X + b * p1.X + c * p2.X + d * p3.X, a * p0.Y + b * p1.Y + c * p2.Y + d * p3.Y));
  }
}

struct TEllipse {
  double CX, CY, RX, RY;
  // Counter-clockwise on the screen, from the positive x axis.
  double AngleOf(int x, int y) const { return std::atan2((CY - y) * RX, (x - CX) * RY); }
  POINT At(double angle) const { return Rounded(CX + RX * std::cos(angle), CY - RY * std::sin(angle)); }
};

TEllipse EllipseIn(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  // The box's right and bottom edges are outside, as for Ellipse.
  return TEllipse{(left + right - 1) / 2.0, (top + bottom - 1) / 2.0, (right - left - 1) / 2.0, (bottom - top - 1) / 2.0};
}

// From `from` on, `sweep` radians (negative: clockwise).
std::vector<POINT> ArcPoints(const TEllipse& e, double from, double sweep) {
  const int steps = std::clamp(static_cast<int>(std::fabs(sweep) * std::max(e.RX, e.RY) / 1.5) + 1, 4, 8192);
  std::vector<POINT> out;
  out.reserve(static_cast<size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) out.push_back(e.At(from + sweep * i / steps));
  return out;
}

// The arc's points counter-clockwise from the radial through (xs, ys) to the
// one through (xe, ye); the same radial twice is the whole ellipse.
std::vector<POINT> BoxArc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  const TEllipse e = EllipseIn(left, top, right, bottom);
  const double from = e.AngleOf(xs, ys);
  double sweep = e.AngleOf(xe, ye) - from;
  if (sweep <= 0) sweep += 2 * Pi;
  return ArcPoints(e, from, sweep);
}

void LineThrough(HDC hdc, const std::vector<POINT>& points) {
  for (const POINT& p : points) LineTo(hdc, p.X, p.Y);
}

}  // namespace

BOOL PolyBezier(HDC hdc, const POINT* apt, DWORD cpt) {
  if (!apt || cpt < 4 || (cpt - 1) % 3 != 0) return FALSE;
  std::vector<POINT> points{apt[0]};
  for (DWORD i = 0; i + 3 < cpt; i += 3) AddBezier(points, apt[i], apt[i + 1], apt[i + 2], apt[i + 3]);
  return Polyline(hdc, points.data(), static_cast<int>(points.size()));
}

BOOL PolyBezierTo(HDC hdc, const POINT* apt, DWORD cpt) {
  POINT from;
  if (!apt || cpt == 0 || cpt % 3 != 0 || !GetCurrentPositionEx(hdc, &from)) return FALSE;
  std::vector<POINT> points;
  for (DWORD i = 0; i + 2 < cpt; i += 3) {
    AddBezier(points, from, apt[i], apt[i + 1], apt[i + 2]);
    from = apt[i + 2];
  }
  LineThrough(hdc, points);
  return TRUE;
}

BOOL Arc(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  const std::vector<POINT> points = BoxArc(left, top, right, bottom, xs, ys, xe, ye);
  POINT saved;
  if (!GetCurrentPositionEx(hdc, &saved)) return FALSE;
  // An arc leaves the current position where it was.
  const BOOL drawn = Polyline(hdc, points.data(), static_cast<int>(points.size()));
  MoveToEx(hdc, saved.X, saved.Y, nullptr);
  return drawn;
}

BOOL ArcTo(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  POINT from;
  if (!GetCurrentPositionEx(hdc, &from)) return FALSE;
  LineThrough(hdc, BoxArc(left, top, right, bottom, xs, ys, xe, ye));
  return TRUE;
}

BOOL AngleArc(HDC hdc, int x, int y, DWORD r, float StartAngle, float SweepAngle) {
  POINT from;
  if (!GetCurrentPositionEx(hdc, &from)) return FALSE;
  const double radius = static_cast<double>(r);
  const TEllipse e{double(x), double(y), radius, radius};
  LineThrough(hdc, ArcPoints(e, StartAngle * Pi / 180, SweepAngle * Pi / 180));
  return TRUE;
}

BOOL Chord(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  const std::vector<POINT> points = BoxArc(left, top, right, bottom, xs, ys, xe, ye);
  return Polygon(hdc, points.data(), static_cast<int>(points.size()));
}

BOOL Pie(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  std::vector<POINT> points = BoxArc(left, top, right, bottom, xs, ys, xe, ye);
  const TEllipse e = EllipseIn(left, top, right, bottom);
  points.push_back(Rounded(e.CX, e.CY));
  return Polygon(hdc, points.data(), static_cast<int>(points.size()));
}

// With FLOODFILLBORDER everything up to the colour's border is filled, with
// FLOODFILLSURFACE everything of that colour; pixels outside the clip stop
// the fill. Filled with the brush's colour.
BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT type) {
  LOGBRUSH brush{};
  if (!GetObjectW(GetCurrentObject(hdc, OBJ_BRUSH), sizeof brush, &brush) || brush.lbStyle == BS_NULL) return FALSE;
  RECT clip;
  if (GetClipBox(hdc, &clip) == ERROR) return FALSE;
  auto fillable = [&](int px, int py) {
    if (px < clip.Left || px >= clip.Right || py < clip.Top || py >= clip.Bottom) return false;
    const COLORREF c = GetPixel(hdc, px, py);
    if (c == CLR_INVALID) return false;
    return type == FLOODFILLSURFACE ? c == color : c != color;
  };
  if (!fillable(x, y)) return FALSE;
  const int width = clip.Right - clip.Left;
  std::vector<bool> done(static_cast<size_t>(width) * static_cast<size_t>(clip.Bottom - clip.Top));
  auto seen = [&](int px, int py) {
    return done[static_cast<size_t>(py - clip.Top) * static_cast<size_t>(width) + static_cast<size_t>(px - clip.Left)];
  };
  std::vector<POINT> stack{POINT{x, y}};
  while (!stack.empty()) {
    POINT p = stack.back();
    stack.pop_back();
    if (!fillable(p.X, p.Y) || seen(p.X, p.Y)) continue;
    // The run of the row through p, then the rows above and below it.
    int l = p.X, r = p.X;
    while (l - 1 >= clip.Left && fillable(l - 1, p.Y) && !seen(l - 1, p.Y)) --l;
    while (r + 1 < clip.Right && fillable(r + 1, p.Y) && !seen(r + 1, p.Y)) ++r;
    for (int i = l; i <= r; ++i) {
      done[static_cast<size_t>(p.Y - clip.Top) * static_cast<size_t>(width) + static_cast<size_t>(i - clip.Left)] = true;
      SetPixel(hdc, i, p.Y, brush.lbColor);
      if (p.Y > clip.Top) stack.push_back(POINT{i, p.Y - 1});
      if (p.Y + 1 < clip.Bottom) stack.push_back(POINT{i, p.Y + 1});
    }
  }
  return TRUE;
}

BOOL FloodFill(HDC hdc, int x, int y, COLORREF color) { return ExtFloodFill(hdc, x, y, color, FLOODFILLBORDER); }

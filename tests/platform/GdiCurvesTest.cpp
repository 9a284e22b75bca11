// Curves and flood fills.

#include <cmath>

#include "tests/platform/GdiTestSurface.h"

namespace {

using GdiCurves = TGdiLeakCheck;

constexpr DWORD White = 0x00FFFFFF, Black = 0, Red = 0x00FF0000;

// Selects a solid pen and brush for a drawing, and takes them away again.
struct TPenAndBrush {
  HDC DC;
  HPEN Pen;
  HBRUSH Brush;
  HGDIOBJ OldPen, OldBrush;
  TPenAndBrush(HDC dc, COLORREF pen, COLORREF brush)
      : DC(dc), Pen(CreatePen(PS_SOLID, 1, pen)), Brush(CreateSolidBrush(brush)) {
    OldPen = SelectObject(DC, Pen);
    OldBrush = SelectObject(DC, Brush);
  }
  ~TPenAndBrush() {
    SelectObject(DC, OldPen);
    SelectObject(DC, OldBrush);
    DeleteObject(Pen);
    DeleteObject(Brush);
  }
};

TEST_F(GdiCurves, ArcsFollowTheEllipseCounterClockwiseBetweenTheRadials) {
  TTestSurface s(101, 101, White);
  TPenAndBrush tools(s.DC, RGB(0, 0, 0), RGB(255, 0, 0));
  MoveToEx(s.DC, 7, 9, nullptr);
  // The upper half of the circle in 0..100: from the right radial to the left one.
  ASSERT_TRUE(Arc(s.DC, 0, 0, 101, 101, 100, 50, 0, 50));
  EXPECT_EQ(s.At(50, 0), Black) << "the top";
  EXPECT_EQ(s.At(100, 50), Black) << "the start";
  EXPECT_EQ(s.At(50, 100), White) << "not the lower half";
  const double r = 50;
  const int x = 50 + static_cast<int>(std::lround(r * std::cos(3.14159265 / 4)));
  const int y = 50 - static_cast<int>(std::lround(r * std::sin(3.14159265 / 4)));
  bool near = false;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) near |= s.At(x + dx, y + dy) == Black;
  EXPECT_TRUE(near) << "at 45 degrees, within a pixel";
  POINT p;
  GetCurrentPositionEx(s.DC, &p);
  EXPECT_EQ(p, (POINT{7, 9})) << "Arc keeps the current position";
  // ArcTo draws from the current position and ends at the arc's end.
  MoveToEx(s.DC, 50, 50, nullptr);
  ASSERT_TRUE(ArcTo(s.DC, 0, 0, 101, 101, 0, 50, 100, 50));
  GetCurrentPositionEx(s.DC, &p);
  EXPECT_EQ(p, (POINT{100, 50}));
  EXPECT_EQ(s.At(25, 50), Black) << "the line to the start";
  EXPECT_EQ(s.At(50, 100), Black) << "the lower half now";
}

TEST_F(GdiCurves, ChordsAndPiesAreFilledWithTheBrushAndOutlinedWithThePen) {
  TTestSurface s(101, 101, White);
  TPenAndBrush tools(s.DC, RGB(0, 0, 0), RGB(255, 0, 0));
  // A quarter pie: the upper-right quadrant.
  ASSERT_TRUE(Pie(s.DC, 0, 0, 101, 101, 100, 50, 50, 0));
  EXPECT_EQ(s.At(70, 30), Red) << "inside the quadrant";
  EXPECT_EQ(s.At(30, 30), White) << "another quadrant";
  EXPECT_EQ(s.At(70, 70), White);
  EXPECT_EQ(s.At(75, 50), Black) << "the radial edge";
  // A chord of the lower half: the segment below the diameter.
  TTestSurface c(101, 101, White);
  TPenAndBrush chordTools(c.DC, RGB(0, 0, 0), RGB(255, 0, 0));
  ASSERT_TRUE(Chord(c.DC, 0, 0, 101, 101, 0, 50, 100, 50));
  EXPECT_EQ(c.At(50, 75), Red);
  EXPECT_EQ(c.At(50, 25), White);
}

TEST_F(GdiCurves, BeziersPassThroughTheirEndsAndAngleArcsTurnBothWays) {
  TTestSurface s(100, 100, White);
  TPenAndBrush tools(s.DC, RGB(0, 0, 0), RGB(255, 0, 0));
  const POINT curve[] = {{10, 80}, {10, 10}, {90, 10}, {90, 80}};
  ASSERT_TRUE(PolyBezier(s.DC, curve, 4));
  EXPECT_EQ(s.At(10, 80), Black);
  EXPECT_EQ(s.At(50, 28), Black) << "its middle, at three quarters of the control height";
  EXPECT_FALSE(PolyBezier(s.DC, curve, 3)) << "not 1 + 3n points";
  MoveToEx(s.DC, 10, 90, nullptr);
  const POINT to[] = {{30, 70}, {70, 70}, {90, 90}};
  ASSERT_TRUE(PolyBezierTo(s.DC, to, 3));
  POINT p;
  GetCurrentPositionEx(s.DC, &p);
  EXPECT_EQ(p, (POINT{90, 90}));
  // A half circle clockwise from the top of a circle round (50, 50).
  TTestSurface a(100, 100, White);
  TPenAndBrush arcTools(a.DC, RGB(0, 0, 0), RGB(255, 0, 0));
  MoveToEx(a.DC, 50, 20, nullptr);
  ASSERT_TRUE(AngleArc(a.DC, 50, 50, 30, 90, -180));
  GetCurrentPositionEx(a.DC, &p);
  EXPECT_EQ(p, (POINT{50, 80}));
  EXPECT_EQ(a.At(80, 50), Black) << "through the right";
  EXPECT_EQ(a.At(20, 50), White) << "not the left";
}

TEST_F(GdiCurves, FloodFillsStopAtTheBorderOrFillTheSurface) {
  TTestSurface s(60, 40, White);
  TPenAndBrush tools(s.DC, RGB(0, 0, 0), RGB(255, 0, 0));
  HBRUSH hollow = static_cast<HBRUSH>(SelectObject(s.DC, GetStockObject(NULL_BRUSH)));
  Rectangle(s.DC, 10, 10, 30, 30);  // a black frame
  SelectObject(s.DC, hollow);
  ASSERT_TRUE(FloodFill(s.DC, 20, 20, RGB(0, 0, 0)));
  EXPECT_EQ(s.At(20, 20), Red);
  EXPECT_EQ(s.At(11, 28), Red) << "into the corners";
  EXPECT_EQ(s.At(10, 10), Black) << "the border stays";
  EXPECT_EQ(s.At(40, 20), White) << "outside the border";
  // The white surface, round the frame, up to the clip.
  ASSERT_TRUE(ExtFloodFill(s.DC, 40, 20, RGB(255, 255, 255), FLOODFILLSURFACE));
  EXPECT_EQ(s.At(0, 0), Red);
  EXPECT_EQ(s.At(59, 39), Red);
  EXPECT_EQ(s.At(10, 10), Black);
  EXPECT_FALSE(ExtFloodFill(s.DC, 10, 10, RGB(255, 255, 255), FLOODFILLSURFACE)) << "not of that colour";
}

}  // namespace

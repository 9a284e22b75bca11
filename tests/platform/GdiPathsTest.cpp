// Paths: what drawing records between BeginPath and EndPath, widening, and
// the region a path gives.

#include "tests/platform/GdiTestSurface.h"

namespace {

using GdiPaths = TGdiLeakCheck;

constexpr DWORD Untouched = 0x00123456;

// The region a path gives, compared with the rectangles' union.
void ExpectRegion(HRGN AActual, std::initializer_list<RECT> AExpected) {
  ASSERT_NE(AActual, nullptr);
  HRGN expected = RegionOf(AExpected);
  EXPECT_TRUE(EqualRgn(AActual, expected));
  DeleteObject(expected);
  DeleteObject(AActual);
}

TEST_F(GdiPaths, ShapesInAnOpenPathDrawNothingAndMakeItsFigures) {
  TTestSurface s(40, 40, Untouched);
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 0, 0));
  HGDIOBJ oldPen = SelectObject(s.DC, pen);
  HGDIOBJ oldBrush = SelectObject(s.DC, GetStockObject(BLACK_BRUSH));
  // Logical (12, 13) is device (2, 3).
  SetWindowOrgEx(s.DC, 10, 10, nullptr);
  ASSERT_TRUE(BeginPath(s.DC));
  Rectangle(s.DC, 12, 13, 22, 18);
  MoveToEx(s.DC, 10, 10, nullptr);
  LineTo(s.DC, 40, 40);
  Ellipse(s.DC, 10, 10, 30, 30);
  const POINT triangle[3] = {{20, 20}, {30, 20}, {20, 30}};
  Polygon(s.DC, triangle, 3);
  Polyline(s.DC, triangle, 3);
  ASSERT_TRUE(EndPath(s.DC));
  for (int i = 0; i < 40 * 40; ++i) ASSERT_EQ(s.Bits[i], Untouched) << "pixel " << i;
  SelectObject(s.DC, oldBrush);
  SelectObject(s.DC, oldPen);
  DeleteObject(pen);

  ASSERT_TRUE(BeginPath(s.DC)) << "a new path drops the old one";
  Rectangle(s.DC, 12, 13, 22, 18);
  EndPath(s.DC);
  ExpectRegion(PathToRegion(s.DC), {{2, 3, 12, 8}});
  EXPECT_EQ(PathToRegion(s.DC), nullptr) << "the path is gone";
}

TEST_F(GdiPaths, FiguresOfLinesCloseIntoTheirArea) {
  TTestSurface s(1, 1);
  BeginPath(s.DC);
  MoveToEx(s.DC, 0, 0, nullptr);
  LineTo(s.DC, 30, 0);
  LineTo(s.DC, 0, 30);
  EndPath(s.DC);
  HRGN triangle = PathToRegion(s.DC);
  ASSERT_NE(triangle, nullptr);
  EXPECT_TRUE(PtInRegion(triangle, 10, 10)) << "the centroid";
  EXPECT_TRUE(PtInRegion(triangle, 0, 0));
  EXPECT_FALSE(PtInRegion(triangle, 29, 29)) << "the far corner of the box";
  EXPECT_FALSE(PtInRegion(triangle, 20, 20));
  DeleteObject(triangle);

  BeginPath(s.DC);
  Ellipse(s.DC, 0, 0, 40, 20);
  EndPath(s.DC);
  HRGN ellipse = PathToRegion(s.DC);
  EXPECT_TRUE(PtInRegion(ellipse, 20, 10));
  EXPECT_TRUE(PtInRegion(ellipse, 2, 10));
  EXPECT_FALSE(PtInRegion(ellipse, 1, 1));
  EXPECT_FALSE(PtInRegion(ellipse, 38, 18));
  DeleteObject(ellipse);
}

TEST_F(GdiPaths, TheFillModeDecidesAboutNestedFigures) {
  TTestSurface s(1, 1);
  const POINT outer[4] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}}, inner[4] = {{5, 5}, {15, 5}, {15, 15}, {5, 15}};
  for (int mode : {ALTERNATE, WINDING}) {
    SetPolyFillMode(s.DC, mode);
    BeginPath(s.DC);
    Polygon(s.DC, outer, 4);
    Polygon(s.DC, inner, 4);
    EndPath(s.DC);
    if (mode == ALTERNATE) ExpectRegion(PathToRegion(s.DC), {{0, 0, 20, 5}, {0, 5, 5, 15}, {15, 5, 20, 15}, {0, 15, 20, 20}});
    else ExpectRegion(PathToRegion(s.DC), {{0, 0, 20, 20}});  // both turn the same way
  }
}

TEST_F(GdiPaths, WideningCoversWhatThePenWouldWithSquareEnds) {
  TTestSurface s(1, 1);
  HPEN pen = CreatePen(PS_SOLID, 3, 0);
  HGDIOBJ old = SelectObject(s.DC, pen);
  BeginPath(s.DC);
  MoveToEx(s.DC, 0, 5, nullptr);
  LineTo(s.DC, 10, 5);
  EndPath(s.DC);
  ASSERT_TRUE(WidenPath(s.DC));
  // Half the width, 1.5, beyond the line's ends and each side of it.
  ExpectRegion(PathToRegion(s.DC), {{-1, 4, 12, 7}});

  // A rectangle's outline a pixel wide: a ring, whatever the fill mode.
  SelectObject(s.DC, old);
  DeleteObject(pen);
  SetPolyFillMode(s.DC, WINDING);
  BeginPath(s.DC);
  Rectangle(s.DC, 0, 0, 10, 10);
  EndPath(s.DC);
  WidenPath(s.DC);
  ExpectRegion(PathToRegion(s.DC), {{0, 0, 11, 1}, {0, 1, 1, 10}, {10, 1, 11, 10}, {0, 10, 11, 11}});
}

TEST_F(GdiPaths, CallsOutOfTurnFail) {
  TTestSurface s(1, 1);
  EXPECT_FALSE(EndPath(s.DC)) << "no path begun";
  EXPECT_FALSE(WidenPath(s.DC));
  EXPECT_EQ(PathToRegion(s.DC), nullptr);
  BeginPath(s.DC);
  EXPECT_FALSE(WidenPath(s.DC)) << "not ended yet";
  EXPECT_EQ(PathToRegion(s.DC), nullptr);
  EndPath(s.DC);
  EXPECT_FALSE(EndPath(s.DC)) << "ended already";
  ExpectRegion(PathToRegion(s.DC), {});  // an empty path, an empty region
  EXPECT_FALSE(BeginPath(nullptr));
}

}  // namespace

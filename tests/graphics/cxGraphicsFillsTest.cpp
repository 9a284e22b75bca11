// Fills and gradients, pixel by pixel. Expected colours are worked out from
// the band rule, the tube rule and the system's per-pixel interpolation.
#include <gtest/gtest.h>

#include "tests/graphics/GraphicsTestSupport.h"

namespace {

class Fills : public TGdiLeakCheck {};

constexpr DWORD Untouched = 0xFF123456;

// The red, green and blue of a surface pixel; alpha checked to be 0, as
// every GDI fill leaves it.
COLORREF ColorAt(const TTestSurface& S, int X, int Y) {
  const DWORD p = S.At(X, Y);
  EXPECT_EQ(p >> 24, 0u) << "alpha at " << X << ", " << Y;
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

TEST_F(Fills, SolidFillsAndFrames) {
  TTestSurface s(4, 4, Untouched);
  FillRectByColor(s.DC, {0, 0, 4, 4}, clNone);
  FrameRectByColor(s.DC, {0, 0, 4, 4}, clNone);
  EXPECT_EQ(s.At(0, 0), Untouched);
  FillRectByColor(s.DC, {1, 1, 3, 3}, clBtnShadow);
  EXPECT_EQ(ColorAt(s, 1, 1), RGB(160, 160, 160));
  EXPECT_EQ(s.At(0, 0), Untouched);
  FrameRectByColor(s.DC, {0, 0, 4, 4}, RGB(1, 2, 3));
  EXPECT_EQ(ColorAt(s, 0, 0), RGB(1, 2, 3));
  EXPECT_EQ(ColorAt(s, 3, 3), RGB(1, 2, 3));
  EXPECT_EQ(ColorAt(s, 2, 2), RGB(160, 160, 160));
}

TEST_F(Fills, EqualColoursFillSolid) {
  TTestSurface s(8, 2, Untouched);
  FillGradientRect(s.DC, {0, 0, 8, 2}, clBtnFace, RGB(240, 240, 240), true);
  FillTubeGradientRect(s.DC, {0, 1, 8, 2}, RGB(240, 240, 240), clBtnFace, 50, true);
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(ColorAt(s, x, 0), RGB(240, 240, 240));
    EXPECT_EQ(ColorAt(s, x, 1), RGB(240, 240, 240));
  }
}

TEST_F(Fills, EmptyOrInvertedRectanglesDrawNothing) {
  TTestSurface s(4, 4, Untouched);
  for (const TRect& r : {TRect{0, 0, 0, 4}, TRect{0, 0, 4, 0}, TRect{4, 4, 0, 0}, TRect{3, 0, 1, 4}}) {
    FillGradientRect(s.DC, r, clBlack, clWhite, true);
    FillGradientRect(s.DC, r, clBlack, clWhite, false);
    FillTubeGradientRect(s.DC, r, clBlack, clWhite, 50, true);
    FillTubeGradientRect(s.DC, r, clBlack, clWhite, 50, false);
  }
  TGraphicsUnitWithout entry("GradientFill");
  for (const TRect& r : {TRect{0, 0, 0, 4}, TRect{4, 4, 0, 0}}) {
    FillGradientRect(s.DC, r, clBlack, clWhite, true);
    FillGradientRect(s.DC, r, clBlack, clWhite, false);
  }
  for (int i = 0; i < 16; ++i) EXPECT_EQ(s.Bits[i], Untouched);
}

TEST_F(Fills, TheSystemGradientRunsFromTheFirstColourToNearlyTheSecond) {
  TTestSurface s(100, 100, Untouched);
  FillGradientRect(s.DC, {0, 0, 100, 50}, RGB(0, 0, 0), RGB(200, 100, 50), true);
  FillGradientRect(s.DC, {0, 50, 100, 100}, RGB(200, 100, 50), RGB(0, 0, 0), false);
  EXPECT_EQ(ColorAt(s, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(ColorAt(s, 0, 49), RGB(0, 0, 0));
  // One step of 200 / 100 short at most.
  EXPECT_EQ(ColorAt(s, 99, 0), RGB(198, 99, 49));
  EXPECT_EQ(ColorAt(s, 50, 10), RGB(100, 50, 25));
  EXPECT_EQ(ColorAt(s, 99, 50), RGB(200, 100, 50));
  EXPECT_EQ(ColorAt(s, 0, 99), RGB(4, 2, 1)) << "200 - 49 * 200 / 50 = 4";
}

TEST_F(Fills, TheBandGradientWithoutTheSystemOne) {
  TGraphicsUnitWithout entry("GradientFill");
  // Ten columns, ten bands: red and blue step by MulDiv(i, 255, 9) and
  // MulDiv(i, 90, 9), green down from 255 by the same steps as red.
  const int red[10] = {0, 28, 57, 85, 113, 142, 170, 198, 227, 255};
  TTestSurface s(10, 10, Untouched);
  FillGradientRect(s.DC, {0, 0, 10, 1}, RGB(0, 255, 0), RGB(255, 0, 90), true);
  FillGradientRect(s.DC, {0, 1, 1, 10}, RGB(0, 255, 0), RGB(255, 0, 90), false);
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(ColorAt(s, i, 0), RGB(red[i], 255 - red[i], 10 * i)) << i;
  // Nine rows down: MulDiv(i, 255, 8) and MulDiv(i, 90, 8).
  const int down[9] = {0, 32, 64, 96, 128, 159, 191, 223, 255};
  const int blue[9] = {0, 11, 23, 34, 45, 56, 68, 79, 90};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(ColorAt(s, 0, 1 + i), RGB(down[i], 255 - down[i], blue[i])) << i;

  // 600 columns: 256 bands, band i ending at MulDiv(i + 1, 600, 256), red i.
  TTestSurface wide(600, 1, Untouched);
  FillGradientRect(wide.DC, {0, 0, 600, 1}, clBlack, clRed, true);
  const struct {
    int X, Red;
  } columns[] = {{0, 0},     {1, 0},     {2, 1},     {4, 1},     {5, 2},     {6, 2},     {7, 3},
                 {297, 126}, {298, 127}, {299, 127}, {300, 128}, {594, 253}, {595, 254}, {597, 254},
                 {598, 255}, {599, 255}};
  for (const auto& c : columns) EXPECT_EQ(ColorAt(wide, c.X, 0), RGB(c.Red, 0, 0)) << c.X;
  int bands = 1;
  for (int x = 1; x < 600; ++x) {
    const int step = static_cast<int>((wide.At(x, 0) >> 16) & 0xFF) - static_cast<int>((wide.At(x - 1, 0) >> 16) & 0xFF);
    ASSERT_TRUE(step == 0 || step == 1) << x;
    bands += step;
  }
  EXPECT_EQ(bands, 256);

  TTestSurface one(1, 1, Untouched);
  FillGradientRect(one.DC, {0, 0, 1, 1}, clBlack, clWhite, true);
  EXPECT_EQ(ColorAt(one, 0, 0), RGB(0, 0, 0)) << "a single band takes the first colour";
}

TEST_F(Fills, TubeGradientsOfShortExtents) {
  // 50 %: red 0 -> 200 has the middle 50, green 200 -> 0 the middle 150.
  const struct {
    int Extent;
    std::vector<int> Red;
  } cases[] = {
      {0, {}},
      {1, {50}},             // one line: the middle colour
      {2, {0, 50}},          // half 1: c1, then the middle line
      {3, {0, 50, 200}},     // after the middle: base 200 + MulDiv(-150, 3, 1) = -250, -250 + 450
      {4, {0, 33, 50, 200}}, // far end 0 - MulDiv(-50, 4, 2) = 100: MulDiv(1, 100, 3) = 33
  };
  for (const bool horizontal : {true, false}) {
    for (const auto& c : cases) {
      TTestSurface s(5, 5, Untouched);
      const TRect r = horizontal ? TRect{0, 0, c.Extent, 1} : TRect{0, 0, 1, c.Extent};
      FillTubeGradientRect(s.DC, r, RGB(0, 200, 0), RGB(200, 0, 0), 50, horizontal);
      for (int i = 0; i < 5; ++i) {
        const int x = horizontal ? i : 0, y = horizontal ? 0 : i;
        if (i < c.Extent)
          EXPECT_EQ(ColorAt(s, x, y), RGB(c.Red[i], 200 - c.Red[i], 0)) << c.Extent << " " << i;
        else
          EXPECT_EQ(s.At(x, y), Untouched) << c.Extent << " " << i;
      }
    }
  }
}

TEST_F(Fills, TubeGradientAtAHundredPercentIsTheStraightGradient) {
  // 256 lines from black to red: the middle is 128, and line i comes out i.
  TTestSurface s(256, 2, Untouched);
  FillTubeGradientRect(s.DC, {0, 0, 256, 1}, clBlack, clRed, 100, true);
  TGraphicsUnitWithout entry("GradientFill");
  FillGradientRect(s.DC, {0, 1, 256, 2}, clBlack, clRed, true);
  for (int x = 0; x < 256; ++x) {
    EXPECT_EQ(ColorAt(s, x, 0), RGB(x, 0, 0)) << x;
    EXPECT_EQ(ColorAt(s, x, 1), RGB(x, 0, 0)) << x;
  }
}

}  // namespace

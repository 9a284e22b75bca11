// Expected colours are worked out by hand from the formulas and the fixed
// system colours: button face F0F0F0, highlight RGB(51, 153, 255), window
// FFFFFF, button text 000000.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/cxGraphics.h"

namespace {

// Sets a system colour for the scope.
class TSysColor {
 public:
  TSysColor(int AIndex, COLORREF AColor) : FIndex(AIndex), FOld(GetSysColor(AIndex)) {
    SetSysColors(1, &FIndex, &AColor);
  }
  ~TSysColor() { SetSysColors(1, &FIndex, &FOld); }

 private:
  int FIndex;
  COLORREF FOld;
};

TEST(Colors, Formulas) {
  const struct {
    const char* What;
    TColor Actual, Expected;
  } cases[] = {
      // R: MulDiv(240, -2, 100) = -5, MulDiv(51, 30, 100) = 15, MulDiv(255, 72, 100) = 184: 194;
      // G: -5 + 46 + 184 = 225; B: -5 + 77 + 184 = 256, limited to 255.
      {"GetLightSelColor", GetLightSelColor(), RGB(194, 225, 255)},
      // R: 34 + 22 + 102 = 158; G: 34 + 67 + 102 = 203; B: 34 + 112 + 102 = 248.
      {"GetLightDownedSelColor", GetLightDownedSelColor(), RGB(158, 203, 248)},
      {"middle 0", dxGetMiddleRGB(RGB(200, 100, 0), RGB(0, 50, 255), 0), RGB(0, 50, 255)},
      // R: 0 + MulDiv(200, 37, 100) = 74; G: MulDiv(50, 63, 100) = 32 + 37 = 69; B: MulDiv(255, 63, 100) = 161.
      {"middle 37", dxGetMiddleRGB(RGB(200, 100, 0), RGB(0, 50, 255), 37), RGB(74, 69, 161)},
      {"middle 100", dxGetMiddleRGB(RGB(200, 100, 0), RGB(0, 50, 255), 100), RGB(200, 100, 0)},
      // 128 + 128 = 256 in every channel, limited to 255.
      {"middle of white", dxGetMiddleRGB(clWhite, clWhite, 50), clWhite},
      {"middle of system colours", dxGetMiddleRGB(clBtnFace, clWindow, 50), RGB(248, 248, 248)},
      // H 210, S 0.8, V 1. +40: S 0.48, V 1; sector 3, f 0.5: p = round(255 * 0.52) = 133,
      // q = round(255 * 0.76) = 194.
      {"tint +40", dxGetColorTint(RGB(51, 153, 255), 40), RGB(133, 194, 255)},
      // -40: S 0.88, V 0.6: v = 153, p = round(153 * 0.12) = 18, q = round(153 * 0.56) = 86.
      {"tint -40", dxGetColorTint(RGB(51, 153, 255), -40), RGB(18, 86, 153)},
      // Beyond 100 % the value leaves 0..1 and the channels stop at 255 (S falls below 0: grey).
      {"tint +150", dxGetColorTint(RGB(100, 50, 0), 150), clWhite},
      {"tint -150", dxGetColorTint(RGB(100, 50, 0), -150), clBlack},
      {"darker 50", dxGetDarkerColor(RGB(200, 101, 7), 50), RGB(100, 50, 3)},
      {"darker 150", dxGetDarkerColor(RGB(200, 100, 0), 150), RGB(255, 150, 0)},
      {"darker -10", dxGetDarkerColor(RGB(200, 100, 0), -10), clBlack},
      {"invert", dxInvertColor(clBtnFace), RGB(0x0F, 0x0F, 0x0F)},
      {"invert", dxInvertColor(RGB(1, 2, 3)), RGB(254, 253, 252)},
      {"nearest", dxGetNearestColor(clHighlight), RGB(51, 153, 255)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.What;

  EXPECT_EQ(dxColorToAlphaColor(clNone), 0u);
  EXPECT_EQ(dxColorToAlphaColor(clDefault), 0x00010203u);
  EXPECT_EQ(dxColorToAlphaColor(RGB(1, 2, 3), 0x80), 0x80010203u);
  EXPECT_EQ(dxColorToAlphaColor(clHighlight), 0xFF3399FFu);
  EXPECT_TRUE(cxColorIsValid(clBlack));
  EXPECT_FALSE(cxColorIsValid(clNone));
  EXPECT_FALSE(cxColorIsValid(clDefault));
  EXPECT_EQ(cxGetActualColor(clDefault, clRed), clRed);
  EXPECT_EQ(cxGetActualColor(clNone, clRed), clNone);
  EXPECT_TRUE(cxColorIsEqual({1, 2, 3, 4}, {1, 2, 3, 4}));
  EXPECT_FALSE(cxColorIsEqual({1, 2, 3, 4}, {1, 2, 3, 5})) << "alpha counts";
  TColor a = clRed, b = clBlue;
  cxExchangeColors(a, b);
  EXPECT_EQ(a, clBlue);
  EXPECT_EQ(b, clRed);
}

TEST(Colors, LightColorUnderABlackOrWhiteFaceIsTheHighlight) {
  EXPECT_FALSE(IsHighContrastBlack());
  for (const COLORREF face : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
    TSysColor scheme(COLOR_BTNFACE, face);
    EXPECT_EQ(GetLightColor(-2, 30, 72), RGB(51, 153, 255));
    EXPECT_EQ(GetLightColor(14, 44, 40), RGB(51, 153, 255));
  }
  TSysColor blackFace(COLOR_BTNFACE, 0);
  EXPECT_TRUE(IsHighContrastBlack());
  EXPECT_TRUE(IsHighContrast2()) << "button text black";
  TSysColor whiteText(COLOR_BTNTEXT, RGB(255, 255, 255));
  EXPECT_FALSE(IsHighContrast2());
  TSysColor blackHighlight(COLOR_HIGHLIGHT, 0);
  // Mixed after all: R = 0 + 0 + MulDiv(255, 72, 100) = 184 in every channel.
  EXPECT_EQ(GetLightColor(-2, 30, 72), RGB(184, 184, 184));
}

bool Near(double A, double B) { return std::abs(A - B) < 1e-9; }

TEST(Colors, HSVAndHSLOfPublishedColours) {
  const struct {
    TColor Color;
    TdxHSV HSV;
    TdxHSL HSL;
  } cases[] = {
      {RGB(255, 0, 0), {0, 1, 1}, {0, 1, 0.5}},
      {RGB(128, 128, 128), {0, 0, 128 / 255.0}, {0, 0, 128 / 255.0}},
      {RGB(51, 153, 255), {210, 0.8, 1}, {210 / 360.0, 1, 0.6}},  // #3399FF
      {RGB(0, 128, 0), {120, 1, 128 / 255.0}, {1 / 3.0, 1, 64 / 255.0}},
      {RGB(255, 0, 128), {360 - 60 * 128 / 255.0, 1, 1}, {(6 - 128 / 255.0) / 6, 1, 0.5}},
  };
  for (const auto& c : cases) {
    const TdxHSV hsv = dxColorToHSV(c.Color);
    EXPECT_TRUE(Near(hsv.H, c.HSV.H) && Near(hsv.S, c.HSV.S) && Near(hsv.V, c.HSV.V))
        << std::hex << c.Color << ": " << hsv.H << " " << hsv.S << " " << hsv.V;
    const TdxHSL hsl = TdxColorSpaceConverter::ColorToHSL(c.Color);
    EXPECT_TRUE(Near(hsl.H, c.HSL.H) && Near(hsl.S, c.HSL.S) && Near(hsl.L, c.HSL.L))
        << std::hex << c.Color << ": " << hsl.H << " " << hsl.S << " " << hsl.L;
    EXPECT_EQ(dxHSVToColor(c.HSV), c.Color);
    EXPECT_EQ(TdxColorSpaceConverter::HSLToColor(c.HSL), c.Color);
  }
  for (const TColor special : {clNone, clDefault}) {
    const TdxHSV hsv = TdxColorSpaceConverter::ColorToHSV(special);
    EXPECT_EQ(hsv.H + hsv.S + hsv.V, 0);
    const TdxHSL hsl = TdxColorSpaceConverter::ColorToHSL(special);
    EXPECT_EQ(hsl.H + hsl.S + hsl.L, 0);
  }
}

TEST(Colors, HSVAndHSLRoundTripsOverAGrid) {
  for (int r = 0; r < 256; r += 17)
    for (int g = 0; g < 256; g += 17)
      for (int b = 0; b < 256; b += 17) {
        const TColor color = RGB(r, g, b);
        ASSERT_EQ(TdxColorSpaceConverter::HSVToColor(TdxColorSpaceConverter::ColorToHSV(color)), color)
            << r << " " << g << " " << b;
        ASSERT_EQ(TdxColorSpaceConverter::HSLToColor(TdxColorSpaceConverter::ColorToHSL(color)), color)
            << r << " " << g << " " << b;
      }
}

}  // namespace

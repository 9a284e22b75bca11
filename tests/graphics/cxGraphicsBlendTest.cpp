// Blending and resampling. Expected pixels are worked out from the formulas:
// the blend in single precision, the Lanczos-3 weights as
// Round(Lanczos3(x) / fw * 256) with the mirrored edges.
#include <gtest/gtest.h>

#include "tests/graphics/GraphicsTestSupport.h"

namespace {

class Blending : public TGdiLeakCheck {};

TRGBQuad Quad(Byte B, Byte G, Byte R, Byte A) { return {B, G, R, A}; }

TEST(BlendFunction, ConstantAndSourceAlpha) {
  // Source (B 200, G 100, R 50, alpha as given) over destination (10, 20, 240, 100).
  const struct {
    Byte ConstantAlpha, SourceAlpha;
    TRGBQuad Expected;
  } cases[] = {
      {255, 255, Quad(200, 100, 50, 255)},  // the source
      {255, 0, Quad(210, 120, 255, 100)},   // premultiplied: added, limited to 255
      {255, 128, Quad(205, 110, 170, 178)}, // r = 1 - 128/255: 200 + 4.98, 100 + 9.96, 50 + 119.53, 128 + 49.8
      {128, 255, Quad(105, 60, 145, 178)},  // k = 128/255: 100.39 + 4.98, 50.2 + 9.96, 25.1 + 119.53, 128 + 49.8
      {128, 0, Quad(110, 70, 255, 100)},    // 100.39 + 10, 50.2 + 20, 25.1 + 240
      {128, 128, Quad(108, 65, 205, 139)},  // a = 64.25, r = 0.748: 100.39 + 7.48, 50.2 + 14.96, 25.1 + 179.53,
                                            // 64.25 + 74.8
      {0, 255, Quad(10, 20, 240, 100)},     // nothing of the source
      {0, 128, Quad(10, 20, 240, 100)},
  };
  for (const auto& c : cases) {
    TRGBQuad dest = Quad(10, 20, 240, 100);
    cxBlendFunction(Quad(200, 100, 50, c.SourceAlpha), dest, c.ConstantAlpha);
    EXPECT_TRUE(cxColorIsEqual(dest, c.Expected))
        << int(c.ConstantAlpha) << "/" << int(c.SourceAlpha) << ": " << int(dest.rgbBlue) << " "
        << int(dest.rgbGreen) << " " << int(dest.rgbRed) << " " << int(dest.rgbReserved);
  }
}

// A 4 x 4 source of varied colours and alphas, blended at (1, 1) of a 6 x 6
// destination; the destination's pixels afterwards.
std::vector<DWORD> Blended(Byte AConstantAlpha, const TRect& ASourceRect = {0, 0, 4, 4}) {
  std::vector<DWORD> source(16), dest(36);
  for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<DWORD>(i * 0x11 << 24 | i * 0x0A0B0C);
  for (size_t i = 0; i < dest.size(); ++i) dest[i] = static_cast<DWORD>(0x80000000u | i * 0x030507);
  TcxBitmapPtr s = Bitmap32(4, 4, source), d = Bitmap32(6, 6, dest);
  cxAlphaBlend(d.get(), s.get(), {1, 1, 5, 5}, ASourceRect, false, AConstantAlpha);
  return PixelsOf(d.get());
}

TEST_F(Blending, SystemAndSoftwarePathsGiveTheSamePixels) {
  const std::vector<DWORD> system128 = Blended(128), system255 = Blended(255), stretched = Blended(200, {0, 0, 2, 2});
  std::vector<DWORD> software128, software255, softwareStretched;
  {
    TGraphicsUnitWithout entry("AlphaBlend");
    TcxBitmapPtr probe = cxCreateBitmap(1, 1, pf32bit);
    EXPECT_FALSE(SystemAlphaBlend(probe->GetCanvas()->GetHandle(), probe->GetCanvas()->GetHandle(), {0, 0, 1, 1},
                                  {0, 0, 1, 1}));
    software128 = Blended(128);
    software255 = Blended(255);
    softwareStretched = Blended(200, {0, 0, 2, 2});
  }
  EXPECT_EQ(system128, software128);
  EXPECT_EQ(system255, software255);
  EXPECT_EQ(stretched, softwareStretched);
  // The border of the destination is untouched, the inside is not.
  EXPECT_EQ(system128[0], 0x80000000u);
  EXPECT_EQ(system128[35], 0x80000000u | 35 * 0x030507);
  EXPECT_NE(system128[8], 0x80000000u | 8 * 0x030507);
  // Pixel (1, 1) gets source pixel 0 (transparent black) at any constant
  // alpha: the destination stays.
  EXPECT_EQ(system255[7], 0x80000000u | 7 * 0x030507);
}

TEST_F(Blending, EmptyRectanglesDoNothing) {
  TcxBitmapPtr source = Bitmap32(2, 2, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF});
  TcxBitmapPtr dest = Bitmap32(2, 2, {1, 2, 3, 4});
  for (const TRect& empty : {TRect{0, 0, 0, 2}, TRect{0, 0, 2, 0}, TRect{2, 2, 0, 0}}) {
    cxAlphaBlend(dest.get(), source.get(), empty, {0, 0, 2, 2});
    cxAlphaBlend(dest.get(), source.get(), {0, 0, 2, 2}, empty);
    cxAlphaBlend(dest->GetCanvas()->GetHandle(), source.get(), {0, 0, 2, 2}, empty, true);
  }
  EXPECT_EQ(PixelsOf(dest.get()), (std::vector<DWORD>{1, 2, 3, 4}));
}

TEST_F(Blending, SmoothStretchingResamplesBeforeBlending) {
  // An opaque 2 x 1 source (green 0 and 200) smoothed over 4 x 1: green 0,
  // 34, 116, 200, the alpha between the ends 255 * 254 >> 8 = 253 (the
  // weights add up to 254), blended over transparent black.
  TcxBitmapPtr source = Bitmap32(2, 1, {0xFF000000, 0xFF00C800});
  TcxBitmapPtr dest = Bitmap32(4, 1, {0, 0, 0, 0});
  cxAlphaBlend(dest.get(), source.get(), {0, 0, 4, 1}, {0, 0, 2, 1}, true);
  EXPECT_EQ(PixelsOf(dest.get()), (std::vector<DWORD>{0xFF000000, 0xFD002200, 0xFD007400, 0xFF00C800}));
}

// Green levels of a row or column of pixels, the other channels 0.
std::vector<DWORD> Greens(std::initializer_list<int> ALevels) {
  std::vector<DWORD> pixels;
  for (int level : ALevels) pixels.push_back(static_cast<DWORD>(level) << 8);
  return pixels;
}

std::vector<DWORD> Resized(Integer ASourceWidth, Integer ASourceHeight, const std::vector<DWORD>& APixels,
                           Integer AWidth, Integer AHeight, bool AForce = true) {
  TcxBitmapPtr source = Bitmap32(ASourceWidth, ASourceHeight, APixels);
  TcxBitmapPtr dest = cxCreateBitmap(AWidth, AHeight, pf32bit);
  cxSmoothResizeBitmap(source.get(), dest.get(), AForce);
  return PixelsOf(dest.get());
}

TEST_F(Blending, LanczosOfTheSameSizeIsACopy) {
  std::vector<DWORD> pixels(20);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<DWORD>(i * 0x0D1C2B3A);
  EXPECT_EQ(Resized(5, 4, pixels, 5, 4), pixels);
}

TEST_F(Blending, LanczosEnlargesARamp) {
  // 3 -> 5: scale 2, centres 0, 0.5, 1, 1.5, 2. At 0.5 the weights are 6, -35,
  // 156, 156, -35, 6 for sources -2..3, mirrored to 2, 1, 0, 1, 2, 2.
  // Green 0, 100, 200: (100 * 121 - 200 * 23) >> 8 = 29; at 1.5: (100 * 168 +
  // 200 * 121) >> 8 = 160. Red 200, 100, 0: 169 and 38. Alpha 255 everywhere:
  // the weights add up to 254, so 253 between the source pixels.
  const std::vector<DWORD> result =
      Resized(3, 1, {0xFFC80000, 0xFF646400, 0xFF00C800}, 5, 1);
  EXPECT_EQ(result, (std::vector<DWORD>{0xFFC80000, 0xFDA91D00, 0xFF646400, 0xFD26A000, 0xFF00C800}));
}

TEST_F(Blending, LanczosOnSourcesNarrowerThanTheFilter) {
  // Mirrored positions beyond the far edge stay on the edge pixel.
  // 1 -> 3: weights at 1/3 add up to 254: 200 * 254 >> 8 = 198.
  EXPECT_EQ(Resized(1, 1, Greens({200}), 3, 1), Greens({200, 198, 198}));
  // 2 -> 4 across and down: at 1/3 the sources weigh 210 and 44, at 2/3 105
  // and 149.
  EXPECT_EQ(Resized(2, 1, Greens({0, 200}), 4, 1), Greens({0, 34, 116, 200}));
  EXPECT_EQ(Resized(1, 2, Greens({0, 200}), 1, 4), Greens({0, 34, 116, 200}));
  EXPECT_EQ(Resized(2, 2, Greens({0, 200, 200, 0}), 4, 4),
            Greens({0, 34, 116, 200, 34, 56, 109, 164, 116, 109, 95, 82, 200, 164, 82, 0}));
  // 2 -> 1: fw 2, weights 128, 78, -17, 3 at distances 0, 1, 3, 5; the first
  // pixel weighs 114, the second 142.
  EXPECT_EQ(Resized(2, 1, Greens({0, 200}), 1, 1), Greens({110}));
  EXPECT_EQ(Resized(1, 2, Greens({200, 0}), 1, 1), Greens({89}));
  // 9 -> 1 and 10 -> 2 (fw 9): the same weights over wider windows.
  EXPECT_EQ(Resized(9, 1, Greens({0, 30, 60, 90, 120, 150, 180, 210, 240}), 1, 1), Greens({74}));
  EXPECT_EQ(Resized(10, 1, Greens({0, 25, 50, 75, 100, 125, 150, 175, 200, 225}), 2, 1), Greens({55, 178}));
  EXPECT_EQ(Resized(1, 10, Greens({255, 0, 255, 0, 255, 0, 255, 0, 255, 0}), 1, 2), Greens({138, 100}));
}

TEST_F(Blending, WithoutTheForceFlagTheSystemHalfToneStretches) {
  // An area average: (0 + 200) / 2, where Lanczos gives 110.
  EXPECT_EQ(Resized(2, 1, Greens({0, 200}), 1, 1, false), Greens({100}));
  TcxBitmapPtr source = Bitmap32(2, 1, Greens({0, 200}));
  TcxBitmapPtr dest = cxCreateBitmap(1, 1, pf32bit);
  HDC dc = dest->GetCanvas()->GetHandle();
  SetStretchBltMode(dc, COLORONCOLOR);
  cxSmoothResizeBitmap(source.get(), dest.get());
  EXPECT_EQ(GetStretchBltMode(dc), COLORONCOLOR) << "the mode is put back";
  cxSmoothResizeBitmap(source.get(), cxCreateBitmap(0, 1, pf32bit).get(), true);  // nothing to do
}

}  // namespace

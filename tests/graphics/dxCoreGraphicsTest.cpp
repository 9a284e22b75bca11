#include "graphics/dxCoreGraphics.h"

#include <gtest/gtest.h>

#include "tests/graphics/GraphicsTestSupport.h"

namespace {

class Pixels : public TGdiLeakCheck {
 protected:
  void TearDown() override {
    SetDIBitsFailures(false, -1);
    TGdiLeakCheck::TearDown();
  }
};

// 2 x 3, top row first.
const std::vector<DWORD> Fixture = {0x01000001, 0x02000002,   // top
                                    0x03000003, 0x04000004,   // middle
                                    0x05000005, 0x06000006};  // bottom

std::vector<DWORD> Values(const TRGBColors& AColors) {
  std::vector<DWORD> values(AColors.size());
  std::memcpy(values.data(), AColors.data(), values.size() * sizeof(DWORD));
  return values;
}

TRGBColors Colors(const std::vector<DWORD>& AValues) {
  TRGBColors colors(AValues.size());
  std::memcpy(static_cast<void*>(colors.data()), AValues.data(), AValues.size() * sizeof(DWORD));
  return colors;
}

TEST(ColorsAndPixels, ConvertBothWays) {
  const TRGBQuad face = dxColorToRGBQuad(clBtnFace, 7);
  EXPECT_EQ(face.rgbRed, 240);
  EXPECT_EQ(face.rgbGreen, 240);
  EXPECT_EQ(face.rgbBlue, 240);
  EXPECT_EQ(face.rgbReserved, 7);
  const TRGBQuad q = dxColorToRGBQuad(RGB(1, 2, 3));
  EXPECT_EQ(q.rgbRed, 1);
  EXPECT_EQ(q.rgbGreen, 2);
  EXPECT_EQ(q.rgbBlue, 3);
  EXPECT_EQ(q.rgbReserved, 0);
  EXPECT_EQ(dxRGBQuadToColor({3, 2, 1, 9}), static_cast<TColor>(0x09030201));
  EXPECT_EQ(dxRGBQuadToColor({0x33, 0x99, 0xFF, 0}), static_cast<TColor>(RGB(0xFF, 0x99, 0x33)));
}

TEST_F(Pixels, BothRowOrders) {
  TcxBitmapPtr bitmap = Bitmap32(2, 3, Fixture);
  TRGBColors colors;
  ASSERT_TRUE(GetBitmapBits(bitmap.get(), colors, true));
  EXPECT_EQ(Values(colors), Fixture);
  ASSERT_TRUE(GetBitmapBits(bitmap.get(), colors, false));
  EXPECT_EQ(Values(colors), (std::vector<DWORD>{0x05000005, 0x06000006, 0x03000003, 0x04000004, 0x01000001,
                                                0x02000002}))
      << "bottom-up: the first row is the bottom one";

  ASSERT_TRUE(SetBitmapBits(bitmap.get(), Colors({1, 2, 3, 4, 5, 6}), false));
  EXPECT_EQ(PixelsOf(bitmap.get()), (std::vector<DWORD>{5, 6, 3, 4, 1, 2}));
  ASSERT_TRUE(SetBitmapBits(bitmap.get(), Colors({1, 2, 3, 4, 5, 6}), true));
  EXPECT_EQ(PixelsOf(bitmap.get()), (std::vector<DWORD>{1, 2, 3, 4, 5, 6}));
}

TEST_F(Pixels, AnEmptyBitmapReadsAndWritesNothing) {
  TcxBitmapPtr bitmap = cxCreateBitmap(0, 3, pf32bit);
  TRGBColors colors(4);
  EXPECT_FALSE(GetBitmapBits(bitmap.get(), colors, true));
  EXPECT_TRUE(colors.empty());
  EXPECT_FALSE(SetBitmapBits(bitmap.get(), Colors({1, 2, 3}), true));
  bitmap->SetSize(2, 0);
  EXPECT_FALSE(GetBitmapBits(bitmap.get(), colors, false));
}

TEST_F(Pixels, AFailedWholeReadFallsBackToRows) {
  TcxBitmapPtr bitmap = Bitmap32(2, 3, Fixture);
  TRGBColors colors;
  SetDIBitsFailures(true, -1);
  EXPECT_TRUE(GetBitmapBits(bitmap.get(), colors, true)) << "every row read on its own";
  EXPECT_EQ(Values(colors), Fixture);

  // Scan line 0 is the top row of a top-down array and the bottom row of a
  // bottom-up one.
  SetDIBitsFailures(true, 0);
  EXPECT_FALSE(GetBitmapBits(bitmap.get(), colors, true));
  EXPECT_EQ(Values(colors), (std::vector<DWORD>{0, 0, 0x03000003, 0x04000004, 0x05000005, 0x06000006}));
  EXPECT_FALSE(GetBitmapBits(bitmap.get(), colors, false));
  EXPECT_EQ(Values(colors), (std::vector<DWORD>{0, 0, 0x03000003, 0x04000004, 0x01000001, 0x02000002}));
}

TEST_F(Pixels, AFailedWholeWriteFallsBackToRows) {
  TcxBitmapPtr bitmap = Bitmap32(2, 3, Fixture);
  SetDIBitsFailures(true, 2);
  EXPECT_FALSE(SetBitmapBits(bitmap.get(), Colors({1, 2, 3, 4, 5, 6}), true));
  EXPECT_EQ(PixelsOf(bitmap.get()), (std::vector<DWORD>{1, 2, 3, 4, 0x05000005, 0x06000006}))
      << "the failed row keeps its pixels";
  SetDIBitsFailures(true, -1);
  EXPECT_TRUE(SetBitmapBits(bitmap.get(), Colors({1, 2, 3, 4, 5, 6}), true));
  EXPECT_EQ(PixelsOf(bitmap.get()), (std::vector<DWORD>{1, 2, 3, 4, 5, 6}));
}

TEST_F(Pixels, AShortArrayIsRefused) {
  TcxBitmapPtr bitmap = Bitmap32(2, 3, Fixture);
  EXPECT_FALSE(SetBitmapBits(bitmap.get(), Colors({1, 2, 3, 4, 5}), true));
  EXPECT_EQ(PixelsOf(bitmap.get()), Fixture) << "nothing touched";
}

TEST_F(Pixels, PixelFormatsAndAlpha) {
  const struct {
    TPixelFormat Format;
    Integer Bits;
  } cases[] = {{pf1bit, 1}, {pf8bit, 24} /* held in 24 bits */, {pf24bit, 24}, {pf32bit, 32}, {pfDevice, 32}};
  for (const auto& c : cases) EXPECT_EQ(cxGetBitmapPixelFormat(cxCreateBitmap(2, 2, c.Format).get()), c.Bits);

  TcxBitmapPtr opaque = Bitmap32(2, 1, {0x00FFFFFF, 0x00123456});
  EXPECT_FALSE(dxIsAlphaUsed(opaque.get()));
  TcxBitmapPtr alpha = Bitmap32(2, 1, {0x00FFFFFF, 0x01123456});
  EXPECT_TRUE(dxIsAlphaUsed(alpha.get()));
  alpha->SetPixelFormat(pf24bit);
  EXPECT_FALSE(dxIsAlphaUsed(alpha.get())) << "24 bits have no alpha";
}

}  // namespace

// The alpha bitmap: transparent colours, the pixel transformations, hatching,
// shadows and shading.
#include <gtest/gtest.h>

#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using TPixels = std::vector<DWORD>;

// Every system colour distinct: clBtnShadow is RGB(122, 120, 88).
class AlphaBitmaps : public TGdiLeakCheck {
 protected:
  static constexpr DWORD BtnShadow = 0xFF7A7858;

  TDistinctSysColors FColours;
};

// Top row: the transparent background pixel, then a pixel of a transparent
// colour; bottom row: an opaque pixel (100, 150, 50), then a half-alpha one
// (64, 96, 128 at 128).
constexpr DWORD Background = 0x40302010, Listed = 0x00FF00FF, Opaque = 0xFF649632, Half = 0x80406080;

void SetUpFixture(TcxAlphaBitmap& ABitmap) {
  SetPixels32(ABitmap, 2, 2, {Background, Listed, Opaque, Half});
  ABitmap.SetTransparentBkColor(TRGBQuad{0x10, 0x20, 0x30, 0x40});
  ABitmap.GetTransparentPixels()->Add(clFuchsia);
}

TEST_F(AlphaBitmaps, EachTransformationByItsRule) {
  const struct {
    TcxBitmapTransformationMode Mode;
    TPixels Expected;
  } cases[] = {
      // Opaque: c + MulDiv(255 - c, 3, 10); others all four MulDiv(c, 200, 255).
      {btmDingy, {Background, Listed, 0xFF93B670, 0x64324B64}},
      // Grey 124 and 90, then clBtnShadow at 0xC0 blended over at 238.
      {btmDirty, {Background, Listed, 0xFF979577, 0xD98D8B6D}},
      {btmGrayScale, {Background, Listed, 0xFF646464, 0x80606060}},
      {btmSetOpaque, {0xFF302010, 0xFFFF00FF, Opaque, 0xFF406080}},
      {btmMakeMask, {0xFFFFFFFF, 0xFFFFFFFF, 0, 0}},
      // 100 x 0.299 + 150 x 0.587 + 50 x 0.114 = 123.65.
      {btmFade, {Background, Listed, 0xFF7C7C7C, 0x805A5A5A}},
      // 100 x 0.0729 + 150 x 0.7146 + 50 x 0.2125 = 125.105.
      {btmDisable, {Background, Listed, 0xFF7D7D7D, 0x80646464}},
      {btmCorrectBlend, {Background, Listed, Opaque, Half}},
      // Red at 255 and blue at 102; (column + row from the bottom) odd is
      // blue, so the top-left pixel is.
      {btmHatch, {0x8C1D1370, 0xFFFF0000, 0xFFFF0000, 0xB3263AB3}},
      {btmClear, TPixels(4, Background)},
      {btmResetAlpha, {0x00302010, 0x00FF00FF, 0x00649632, 0x00406080}},
      {btmExtractLayer, {0, 0, Opaque, Half}},
  };
  for (const auto& c : cases) {
    TcxAlphaBitmap bitmap;
    SetUpFixture(bitmap);
    int told = 0;
    bitmap.OnChange = [&](TObject*) { ++told; };
    if (c.Mode == btmHatch) bitmap.DrawHatch(clRed, clBlue, 1, 255, 102);
    else bitmap.TransformBitmap(c.Mode);
    EXPECT_EQ(PixelsOf(&bitmap), c.Expected) << "mode " << int{c.Mode};
    EXPECT_EQ(told, 1) << "mode " << int{c.Mode};
  }
}

TEST_F(AlphaBitmaps, HatchSquaresCountRowsFromTheBottom) {
  // Step 2 on 4 x 4: squares of 2 x 2, the bottom-left one the first colour.
  constexpr DWORD X = 0xFF0000FF, O = 0xFFFF0000;
  TcxAlphaBitmap bitmap(4, 4, true);
  bitmap.DrawHatch(TcxHatchData{clRed, 255, clBlue, 255, 2});
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{X, X, O, O,  //
                                        X, X, O, O,  //
                                        O, O, X, X,  //
                                        O, O, X, X}));

  // A step below 1 is taken as 1 instead of dividing by zero.
  TcxAlphaBitmap zero(2, 2, true);
  zero.DrawHatch(clRed, clBlue, 0, 255, 255);
  EXPECT_EQ(PixelsOf(&zero), (TPixels{X, O, O, X}));
}

TEST_F(AlphaBitmaps, TransparentColoursRecoveredAndExtracted) {
  TcxAlphaBitmap bitmap;
  SetPixels32(bitmap, 3, 1, {0x00FF00FF, 0x00123456, 0x80123456});
  bitmap.RecoverAlphaChannel(clFuchsia);
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{0x00FF00FF, 0xFF123456, 0x80123456})) << "alpha 0 of other colours opaque";
  EXPECT_EQ(bitmap.GetTransparentPixels()->GetCount(), 1);
  EXPECT_TRUE(cxColorIsEqual(bitmap.GetTransparentBkColor(), TRGBQuad{0xFF, 0x00, 0xFF, 0x00}));

  SetPixels32(bitmap, 3, 1, {0xFF00FF00, 0x8000FF00, 0xFF00FF01});
  bitmap.ExtractLayer(clLime);
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{0, 0, 0xFF00FF01})) << "the colour's pixels, whatever their alpha";
  EXPECT_EQ(bitmap.GetTransparentPixels()->GetCount(), 1) << "the old transparent colour forgotten";
}

TEST_F(AlphaBitmaps, ClearFillsWithTheTransparentBackgroundWhenItHasAlpha) {
  TcxAlphaBitmap bitmap;
  SetPixels32(bitmap, 2, 1, {0x12345678, 0x9ABCDEF0});
  bitmap.SetTransparentBkColor(TRGBQuad{1, 2, 3, 0});
  bitmap.Clear();
  EXPECT_EQ(PixelsOf(&bitmap), TPixels(2, 0)) << "no alpha: every byte 0";
  bitmap.SetTransparentBkColor(TRGBQuad{1, 2, 3, 4});
  bitmap.Clear();
  EXPECT_EQ(PixelsOf(&bitmap), TPixels(2, 0x04030201));

  bitmap.GetTransparentPixels()->Add(clRed);
  bitmap.RefreshImage(TRect{0, 0, 3, 2});
  EXPECT_EQ(PixelsOf(&bitmap), TPixels(6, 0)) << "a new size, cleared";
  EXPECT_EQ(bitmap.GetTransparentPixels()->GetCount(), 0);
  EXPECT_TRUE(cxColorIsEqual(bitmap.GetTransparentBkColor(), ClrTransparent));
}

// The image A B . / . . C, where '.' is transparent, and its mask: ClrNone
// there.
constexpr DWORD A = 0xFF112233, B = 0xFF445566, C = 0xFF778899, N = 0xFFFFFFFF;

void SetUpShadowFixture(TcxAlphaBitmap& AImage, TcxAlphaBitmap& AMask) {
  SetPixels32(AImage, 3, 2, {A, B, 0, 0, 0, C});
  SetPixels32(AMask, 3, 2, {0, 0, N, N, N, 0});
}

TEST_F(AlphaBitmaps, AShadowFallsWhereTheImageIsNot) {
  constexpr DWORD S = 0xFF405060;
  TcxAlphaBitmap image, mask;
  SetUpShadowFixture(image, mask);
  // A's shadow lands on a transparent pixel, B's on C (which stays), C's
  // beyond the image.
  image.DrawShadow(&mask, 1, RGB(0x40, 0x50, 0x60), false);
  EXPECT_EQ(PixelsOf(&image), (TPixels{A, B, 0, 0, S, C}));

  SetUpShadowFixture(image, mask);
  image.DrawShadow(&mask, 1, RGB(0x40, 0x50, 0x60), true);
  EXPECT_EQ(PixelsOf(&image), (TPixels{A, B, 0, 0,  //
                                        0, S, C, 0,  //
                                        0, 0, 0, S}))
      << "grown by the shadow size";

  SetUpShadowFixture(image, mask);
  image.DrawShadow(&mask, 2, clBtnShadow, true);
  EXPECT_EQ(PixelsOf(&image), (TPixels{A, B, 0, 0, 0,          //
                                        0, 0, C, 0, 0,          //
                                        0, 0, BtnShadow, BtnShadow, 0,  //
                                        0, 0, 0, 0, BtnShadow}))
      << "two pixels away";
}

TEST_F(AlphaBitmaps, ShadeDrawsTheShapeOverAHighlight) {
  TcxAlphaBitmap image, mask;
  SetUpShadowFixture(image, mask);
  // The mask is inverted (the white brush flips the colour, not the alpha)
  // and copied a pixel right and down; then the shape takes the shadow
  // colour, and whatever has colour but no alpha is made opaque.
  image.Shade(&mask);
  EXPECT_EQ(PixelsOf(&mask), (TPixels{0x00FFFFFF, 0x00FFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0x00FFFFFF}));
  EXPECT_EQ(PixelsOf(&image), (TPixels{BtnShadow, BtnShadow, 0,  //
                                        0, 0xFFFFFFFF, BtnShadow}));
}

}  // namespace

// Image drawing: where an image goes, each draw mode on glyphs and list
// images, the custom drawing hook, the reused work bitmaps, and keeping an
// image list.
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "host/ImageLists.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using TPixels = std::vector<DWORD>;

TEST(ImageRect, EachFitModeSizesAndPlacesTheImage) {
  // 40 x 20, spare pixels going right and down.
  const TRect R{10, 20, 50, 40};
  const struct {
    const char* What;
    TSize Image;
    TcxImageFitMode Mode;
    bool Centre;
    Integer Scale;
    TRect Expected;
  } cases[] = {
      {"wider, normal", {80, 20}, ifmNormal, true, 100, {-10, 20, 70, 40}},
      {"wider, stretch", {80, 20}, ifmStretch, true, 100, R},
      {"wider, proportional", {80, 20}, ifmProportionalStretch, true, 100, {10, 25, 50, 35}},
      {"wider, fit", {80, 20}, ifmFit, true, 100, {10, 25, 50, 35}},
      {"wider, fill", {80, 20}, ifmFill, true, 100, {-10, 20, 70, 40}},
      {"taller, normal", {10, 40}, ifmNormal, true, 100, {25, 10, 35, 50}},
      {"taller, proportional", {10, 40}, ifmProportionalStretch, true, 100, {27, 20, 32, 40}},
      {"taller, fit", {10, 40}, ifmFit, true, 100, {27, 20, 32, 40}},
      {"taller, fill", {10, 40}, ifmFill, true, 100, {10, -50, 50, 110}},
      {"smaller, normal", {8, 3}, ifmNormal, true, 100, {26, 28, 34, 31}},
      {"smaller, normal at 150%", {8, 3}, ifmNormal, false, 150, {10, 20, 22, 24}},
      {"smaller, stretch", {8, 3}, ifmStretch, false, 100, R},
      {"smaller, proportional", {8, 3}, ifmProportionalStretch, true, 100, {10, 22, 50, 37}},
      {"smaller, proportional at the corner", {8, 3}, ifmProportionalStretch, false, 100, {10, 20, 50, 35}},
      {"smaller, fit keeps its size", {8, 3}, ifmFit, true, 100, {26, 28, 34, 31}},
      {"smaller, fill", {8, 3}, ifmFill, true, 100, {3, 20, 56, 40}},
      {"larger, normal", {100, 30}, ifmNormal, true, 100, {-20, 15, 80, 45}},
      {"larger, proportional", {100, 30}, ifmProportionalStretch, true, 100, {10, 24, 50, 36}},
      {"larger, fit", {100, 30}, ifmFit, true, 100, {10, 24, 50, 36}},
      {"larger, fill", {100, 30}, ifmFill, false, 100, {10, 20, 76, 40}},
      {"no width", {0, 5}, ifmNormal, true, 100, R},
      {"no height", {5, -1}, ifmFit, true, 100, R},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxGetImageRect(R, c.Image, c.Mode, c.Centre, c.Scale), c.Expected) << c.What;
}

// A list of 2 x 2 images.
struct TTestImageList : TImageList {
  TTestImageList() : TImageList(nullptr) {
    SetWidth(2);
    SetHeight(2);
  }
};

TEST(ImageAssignment, GlyphsAndListImages) {
  TBitmap empty, glyph;
  SetPixels32(glyph, 3, 1, {0, 0, 0});
  TTestImageList list;
  TBitmap strip;
  SetPixels32(strip, 4, 2, TPixels(8, 0xFF000000));
  list.Add(&strip, nullptr);

  EXPECT_FALSE(IsGlyphAssigned(nullptr));
  EXPECT_FALSE(IsGlyphAssigned(&empty));
  EXPECT_TRUE(IsGlyphAssigned(&glyph));
  EXPECT_FALSE(IsImageAssigned(nullptr, 0));
  EXPECT_FALSE(IsImageAssigned(&list, -1));
  EXPECT_TRUE(IsImageAssigned(&list, 1));
  EXPECT_FALSE(IsImageAssigned(&list, 2));

  EXPECT_EQ(dxGetImageSize(&glyph, &list, 0), cxSize(3, 1)) << "the glyph first";
  EXPECT_EQ(dxGetImageSize(&empty, &list, 0), cxSize(2, 2));
  EXPECT_EQ(dxGetImageSize(nullptr, &list, 2), cxNullSize);
  EXPECT_EQ(dxGetImageSize(nullptr, nullptr, 0), cxNullSize);
}

// Every system colour distinct; drawing on a 4 x 4 surface of Back into
// (1, 1, 3, 3). The work bitmaps live until the unit ends: ending it
// before the leak check shows that it frees them. The unit starts again
// with the usual colours, since its brushes take them when it starts.
class ImageDrawing : public TGdiLeakCheck {
 protected:
  static constexpr DWORD Back = 0xFF204060;
  static constexpr DWORD BtnShadow = 0xFF7A7858, BtnHighlight = 0xFF966464;
  static constexpr TRect Area{1, 1, 3, 3};

  void SetUp() override {
    TGdiLeakCheck::SetUp();
    FColours.emplace();
  }
  void TearDown() override {
    FColours.reset();
    RestartGraphicsUnit();
    TGdiLeakCheck::TearDown();
  }

  // Back everywhere but where APixels say.
  static TPixels Picture(const std::map<std::pair<int, int>, DWORD>& APixels) {
    TPixels result(16, Back);
    for (const auto& [at, pixel] : APixels) result[static_cast<size_t>(at.second * 4 + at.first)] = pixel;
    return result;
  }

  std::optional<TDistinctSysColors> FColours;
};

// (100, 150, 50) at the top-left, the rest transparent, given three ways.
constexpr DWORD X = 0xFF649632;
constexpr DWORD Yellow = 0x00FFFF00, Fuchsia = 0x00FF00FF, White = 0x00FFFFFF;

TEST_F(ImageDrawing, EachModeOnGlyphsAndListImages) {
  // A glyph whose transparent colour is fuchsia.
  TBitmap glyph;
  SetPixels32(glyph, 2, 2, {X, Fuchsia, Fuchsia, Fuchsia});
  glyph.SetPixelFormat(pf24bit);
  glyph.SetTransparentColor(clFuchsia);
  glyph.SetTransparent(true);
  // A list image whose mask leaves the top-left pixel only.
  TTestImageList list;
  TBitmap image, mask;
  SetPixels32(image, 2, 2, {X, Yellow, Yellow, Yellow});
  image.SetPixelFormat(pf24bit);
  SetPixels32(mask, 2, 2, {0, White, White, White});
  list.Add(&image, &mask);
  // A 32-bit glyph with alpha.
  TBitmap alphaGlyph;
  SetPixels32(alphaGlyph, 2, 2, {X, 0, 0, 0});

  const struct {
    TcxImageDrawMode Mode;
    TPixels WithoutAlpha, WithAlpha;
  } cases[] = {
      {idmNormal, Picture({{{1, 1}, X}}), Picture({{{1, 1}, X}})},
      // Without alpha: greyed to 124, the shadow colour blended over at 238
      // with source alpha 0xC0, and a highlight a pixel right and down.
      // With alpha: greyed to 125 by the disabling weights, drawn at 151.
      {idmDisabled, Picture({{{1, 1}, 0xFF979577}, {{2, 2}, BtnHighlight}}), Picture({{{1, 1}, 0xFF576471}})},
      // Greyed to 124, drawn at 64.
      {idmFaded, Picture({{{1, 1}, 0xFF374F67}}), Picture({{{1, 1}, 0xFF374F67}})},
      {idmGrayScale, Picture({{{1, 1}, 0xFF646464}}), Picture({{{1, 1}, 0xFF646464}})},
      {idmDingy, Picture({{{1, 1}, 0xFF93B670}}), Picture({{{1, 1}, 0xFF93B670}})},
      // Grown by 2 and moved a pixel up and left, the shadow 2 pixels off.
      {idmShadowed, Picture({{{0, 0}, X}, {{2, 2}, BtnShadow}}), Picture({{{0, 0}, X}, {{2, 2}, BtnShadow}})},
  };
  for (const auto& c : cases) {
    const struct {
      const char* What;
      TBitmap* Glyph;
      TCustomImageList* Images;
      const TPixels& Expected;
    } sources[] = {
        {"glyph with a transparent colour", &glyph, nullptr, c.WithoutAlpha},
        {"list image with a mask", nullptr, &list, c.WithoutAlpha},
        {"glyph with alpha", &alphaGlyph, nullptr, c.WithAlpha},
    };
    for (const auto& s : sources) {
      TTestSurface surface(4, 4, Back);
      cxDrawImage(surface.DC, Area, s.Glyph, s.Images, 0, ifmNormal, c.Mode);
      EXPECT_EQ(TPixels(surface.Bits, surface.Bits + 16), s.Expected) << "mode " << int{c.Mode} << ", " << s.What;
    }
  }
}

TEST_F(ImageDrawing, BackgroundsTransparentColoursAndStretching) {
  TBitmap glyph;
  SetPixels32(glyph, 2, 2, {X, 0xFF010203, 0xFF010203, 0xFF010203});
  TTestSurface surface(4, 4, Back);
  HBRUSH brush = CreateSolidBrush(RGB(9, 8, 7));
  cxDrawImage(surface.DC, Area, &glyph, nullptr, 0, ifmNormal, idmNormal, false, brush, RGB(1, 2, 3));
  DeleteObject(brush);
  EXPECT_EQ(TPixels(surface.Bits, surface.Bits + 16),
            (TPixels{Back, Back, Back, Back,      //
                     Back, X, 0x00090807, Back,   //
                     Back, 0x00090807, 0x00090807, Back,  //
                     Back, Back, Back, Back}))
      << "the brush behind, the colour given transparent";

  TTestSurface stretched(4, 4, Back);
  cxDrawImage(stretched.DC, TRect{0, 0, 4, 4}, &glyph, nullptr, 0, ifmStretch, idmNormal, false, nullptr,
              RGB(1, 2, 3));
  EXPECT_EQ(TPixels(stretched.Bits, stretched.Bits + 16),
            (TPixels{X, X, Back, Back,  //
                     X, X, Back, Back,  //
                     Back, Back, Back, Back,  //
                     Back, Back, Back, Back}));
}

TEST_F(ImageDrawing, NothingToDrawDrawsNothing) {
  TTestImageList list;
  TBitmap strip;
  SetPixels32(strip, 2, 2, TPixels(4, X));
  list.Add(&strip, nullptr);
  TTestSurface surface(4, 4, Back);
  cxDrawImage(surface.DC, Area, nullptr, &list, 1, ifmNormal);
  cxDrawImage(surface.DC, Area, nullptr, &list, -1, ifmNormal);
  cxDrawImage(surface.DC, Area, nullptr, nullptr, 0, ifmNormal);
  EXPECT_EQ(TPixels(surface.Bits, surface.Bits + 16), TPixels(16, Back));
}

TEST_F(ImageDrawing, TheCustomProcedureIsOfferedTheDrawingFirst) {
  TTestImageList list;
  TBitmap strip;
  SetPixels32(strip, 2, 2, TPixels(4, X));
  list.Add(&strip, nullptr);
  static int offered;
  static bool drew;
  offered = 0;
  CustomDrawImageProc = [](HDC, TCustomImageList* AImages, Integer AImageIndex, TBitmap* AGlyph, const TRect& ARect,
                           TcxImageDrawMode ADrawMode) {
    ++offered;
    EXPECT_EQ(AImages->GetCount(), 1);
    EXPECT_EQ(AImageIndex, 0);
    EXPECT_EQ(AGlyph, nullptr);
    EXPECT_EQ(ARect, Area);
    EXPECT_EQ(ADrawMode, idmFaded);
    return drew;
  };
  TTestSurface surface(4, 4, Back);
  drew = true;
  cxDrawImage(surface.DC, Area, nullptr, &list, 0, ifmNormal, idmFaded);
  EXPECT_EQ(TPixels(surface.Bits, surface.Bits + 16), TPixels(16, Back)) << "it drew instead";
  drew = false;
  cxDrawImage(surface.DC, Area, nullptr, &list, 0, ifmNormal, idmFaded);
  CustomDrawImageProc = nullptr;
  EXPECT_EQ(offered, 2);
  EXPECT_NE(surface.At(1, 1), Back) << "drawn as usual when it declined";
}

TEST_F(ImageDrawing, TheWorkBitmapsAreReused) {
  TBitmap glyph;
  SetPixels32(glyph, 2, 2, TPixels(4, X));
  TTestSurface surface(8, 8, Back);
  cxDrawImage(surface.DC, Area, &glyph, nullptr, 0, ifmNormal);
  const int live = GetLiveGdiObjectCount();
  for (const TRect& r : {TRect{0, 0, 8, 8}, TRect{2, 2, 3, 3}, TRect{0, 0, 5, 3}})
    for (TcxImageDrawMode mode : {idmNormal, idmDisabled, idmShadowed}) {
      cxDrawImage(surface.DC, r, &glyph, nullptr, 0, ifmStretch, mode);
      EXPECT_EQ(GetLiveGdiObjectCount(), live) << "mode " << int{mode};
    }
}

TEST(ImageDrawModes, EnabledMapsToNormalAndDisabled) {
  EXPECT_EQ(EnabledImageDrawModeMap[true], idmNormal);
  EXPECT_EQ(EnabledImageDrawModeMap[false], idmDisabled);
}

// A component that keeps an image list the way the suite's controls do.
class TListUser : public TComponent {
  HOST_CLASS(TListUser);
  explicit TListUser(TComponent* AOwner) : TComponent(AOwner) {
    FLink.OnChange = [this](TObject*) { ++Changes; };
  }
  ~TListUser() override { SetImages(nullptr); }

  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value) { cxSetImageList(Value, FImages, &FLink, this); }
  TChangeLink* GetLink() { return &FLink; }
  int Changes = 0;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
  }

 private:
  TCustomImageList* FImages = nullptr;
  TChangeLink FLink;
};
HOST_CLASS_INFO(TListUser, TComponent, &CreateOwned<TListUser>)

TEST(ImageListField, ChangesAreToldAndAFreedListIsDropped) {
  TListUser user(nullptr);
  auto* first = new TTestImageList;
  TTestImageList second;
  user.SetImages(first);
  EXPECT_EQ(user.GetLink()->GetSender(), first);
  first->SetBkColor(clRed);
  EXPECT_EQ(user.Changes, 1);

  user.SetImages(&second);
  first->SetBkColor(clBlue);
  EXPECT_EQ(user.Changes, 1) << "the old list no longer tells";
  second.SetBkColor(clBlue);
  EXPECT_EQ(user.Changes, 2);

  user.SetImages(first);
  TObject::Free(first);
  EXPECT_EQ(user.GetImages(), nullptr) << "dropped when freed";
  EXPECT_EQ(user.GetLink()->GetSender(), nullptr);
  second.SetBkColor(clRed);
  EXPECT_EQ(user.Changes, 2);
}

}  // namespace

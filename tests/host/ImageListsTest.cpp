#include "host/ImageLists.h"

#include <gtest/gtest.h>

#include <memory>

#include "host/Filer.h"
#include "tests/host/BitmapPixels.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

constexpr DWORD R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0x00FFFFFF, K = 0x00000000;

std::unique_ptr<TBitmap> Bitmap(Integer AWidth, Integer AHeight, const std::vector<DWORD>& APixels) {
  auto bitmap = std::make_unique<TBitmap>();
  SetPixels32(*bitmap, AWidth, AHeight, APixels);
  return bitmap;
}

// A list of 2 x 1 images.
class ImageLists : public TGdiLeakCheck {
 protected:
  void SetUp() override {
    TGdiLeakCheck::SetUp();
    FList.SetWidth(2);
    FList.SetHeight(1);
  }

  // The image at AIndex, and its mask as 1 (transparent) and 0.
  std::vector<DWORD> ImageAt(Integer AIndex) {
    TBitmap image, mask;
    FList.GetImages(AIndex, &image, &mask);
    EXPECT_EQ(image.GetPixelFormat(), pf32bit);
    EXPECT_EQ(mask.GetPixelFormat(), pf1bit);
    std::vector<DWORD> result = Pixels32(image);
    for (Integer x = 0; x < mask.GetWidth(); ++x) result.push_back(mask.GetCanvas()->GetPixels(x, 0) == clWhite);
    return result;
  }

  TImageList FList{nullptr};
};

TEST(ImageList, DefaultsToSixteenBySixteenMaskedWithoutBackground) {
  TImageList list(nullptr);
  EXPECT_EQ(list.GetWidth(), 16);
  EXPECT_EQ(list.GetHeight(), 16);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_TRUE(list.GetMasked());
  EXPECT_EQ(list.GetBkColor(), clNone);
  EXPECT_THROW(list.SetWidth(0), EInvalidOperation);
  EXPECT_EQ(WriteComponentToText(&list).find(u"Width"), String::npos) << "defaults are not stored";
}

TEST_F(ImageLists, AStripAddsOneImagePerWholeWidth) {
  // Three widths and a column left over.
  auto strip = Bitmap(7, 1, {R, G, B, R, G, B, W});
  auto mask = Bitmap(7, 1, {W, K, K, W, K, K, K});
  EXPECT_EQ(FList.Add(strip.get(), mask.get()), 0);
  EXPECT_EQ(FList.GetCount(), 3);
  EXPECT_EQ(ImageAt(0), (std::vector<DWORD>{R, G, 1, 0}));
  EXPECT_EQ(ImageAt(1), (std::vector<DWORD>{B, R, 0, 1}));
  EXPECT_EQ(ImageAt(2), (std::vector<DWORD>{G, B, 0, 0}));
  EXPECT_EQ(FList.Add(strip.get(), nullptr), 3) << "the index of the first one added";
  EXPECT_EQ(ImageAt(3), (std::vector<DWORD>{R, G, 0, 0})) << "no mask: all opaque";
  auto narrow = Bitmap(1, 1, {R});
  EXPECT_EQ(FList.Add(narrow.get(), nullptr), -1);
  EXPECT_EQ(FList.GetCount(), 6);

  FList.SetMasked(false);
  FList.Add(strip.get(), mask.get());
  EXPECT_EQ(ImageAt(6), (std::vector<DWORD>{R, G, 0, 0})) << "unmasked lists keep no masks";
}

TEST_F(ImageLists, AddMaskedMakesAColourTransparentAndBlack) {
  auto strip = Bitmap(4, 1, {R, 0x00123456, 0xFF123456, B});
  EXPECT_EQ(FList.AddMasked(strip.get(), static_cast<TColor>(0x563412)), 0);
  EXPECT_EQ(ImageAt(0), (std::vector<DWORD>{R, 0, 0, 1})) << "alpha does not count";
  EXPECT_EQ(ImageAt(1), (std::vector<DWORD>{0, B, 1, 0}));
  EXPECT_EQ(FList.AddMasked(strip.get(), clNone), 2);
  EXPECT_EQ(ImageAt(2), (std::vector<DWORD>{R, 0x00123456, 0, 0}));
}

TEST_F(ImageLists, InsertReplaceDeleteAndClear) {
  auto one = Bitmap(2, 1, {R, R}), two = Bitmap(4, 1, {G, G, B, B});
  FList.Add(one.get(), nullptr);
  FList.Insert(0, two.get(), nullptr);
  ASSERT_EQ(FList.GetCount(), 3);
  EXPECT_EQ(ImageAt(0)[0], G);
  EXPECT_EQ(ImageAt(1)[0], B);
  EXPECT_EQ(ImageAt(2)[0], R);
  FList.Replace(1, two.get(), nullptr);
  EXPECT_EQ(ImageAt(1)[0], G) << "the first image of the bitmap";
  FList.Delete(0);
  EXPECT_EQ(FList.GetCount(), 2);
  EXPECT_EQ(ImageAt(1)[0], R);
  for (Integer bad : {-1, 2}) {
    EXPECT_THROW(FList.Delete(bad), EInvalidOperation) << bad;
    EXPECT_THROW(FList.Replace(bad, one.get(), nullptr), EInvalidOperation) << bad;
    EXPECT_THROW(FList.GetImages(bad, nullptr, nullptr), EInvalidOperation) << bad;
  }
  EXPECT_THROW(FList.Insert(3, one.get(), nullptr), EInvalidOperation);
  FList.Insert(2, one.get(), nullptr);
  EXPECT_EQ(FList.GetCount(), 3);
  FList.Clear();
  EXPECT_EQ(FList.GetCount(), 0);
  FList.SetWidth(1);
  FList.Add(one.get(), nullptr);
  FList.SetHeight(2);
  EXPECT_EQ(FList.GetCount(), 0) << "a new size drops the images";
}

TEST_F(ImageLists, ChangeLinksAreToldOncePerChange) {
  auto strip = Bitmap(6, 1, {R, G, B, R, G, B});
  int told = 0, events = 0;
  TObject* sender = nullptr;
  TChangeLink link;
  link.OnChange = [&](TObject* Sender) {
    ++told;
    sender = Sender;
  };
  FList.OnChange = [&](TObject*) { ++events; };
  FList.RegisterChanges(&link);
  FList.RegisterChanges(&link);
  EXPECT_EQ(link.GetSender(), &FList);

  const struct {
    const char* What;
    std::function<void()> Change;
    int Told;
  } cases[] = {
      {"a strip of three", [&] { FList.Add(strip.get(), nullptr); }, 1},
      {"masked", [&] { FList.AddMasked(strip.get(), clRed); }, 1},
      {"inserted", [&] { FList.Insert(0, strip.get(), nullptr); }, 1},
      {"replaced", [&] { FList.Replace(0, strip.get(), nullptr); }, 1},
      {"deleted", [&] { FList.Delete(0); }, 1},
      {"nothing added", [&] { FList.Add(nullptr, nullptr); }, 0},
      {"a background", [&] { FList.SetBkColor(clRed); }, 1},
      {"the same background", [&] { FList.SetBkColor(clRed); }, 0},
      {"unmasked", [&] { FList.SetMasked(false); }, 1},
      {"cleared", [&] { FList.Clear(); }, 1},
      {"cleared when empty", [&] { FList.Clear(); }, 0},
      {"a new width", [&] { FList.SetWidth(3); }, 1},
      {"the same width", [&] { FList.SetWidth(3); }, 0},
  };
  for (const auto& c : cases) {
    told = events = 0;
    c.Change();
    EXPECT_EQ(told, c.Told) << c.What;
    EXPECT_EQ(events, c.Told) << c.What;
  }
  EXPECT_EQ(sender, &FList);

  FList.UnRegisterChanges(&link);
  EXPECT_EQ(link.GetSender(), nullptr);
  told = 0;
  FList.Add(strip.get(), nullptr);
  EXPECT_EQ(told, 0);

  auto list = std::make_unique<TImageList>(nullptr);
  {
    TChangeLink gone;
    list->RegisterChanges(&gone);
  }
  list->SetWidth(4);  // the link that went left the list
  list->RegisterChanges(&link);
  list.reset();
  EXPECT_EQ(link.GetSender(), nullptr) << "a freed list lets go of its links";
}

TEST_F(ImageLists, DrawsThroughTheMaskOrTheAlpha) {
  constexpr DWORD Back = 0x00102030;
  auto masked = Bitmap(2, 1, {0x00C86432, 0x00FFFFFF});
  auto mask = Bitmap(2, 1, {K, W});
  FList.Add(masked.get(), mask.get());
  // Alpha 0x80 over the background: c + (1 - 128/255) * back per channel.
  auto alpha = Bitmap(2, 1, {0x80402010, 0x00000000});
  FList.Add(alpha.get(), nullptr);

  TBitmap target;
  SetPixels32(target, 5, 1, {Back, Back, Back, Back, Back});
  FList.Draw(target.GetCanvas(), 1, 0, 0);
  EXPECT_EQ(Pixels32(target), (std::vector<DWORD>{Back, 0xFFC86432, Back, Back, Back}));
  FList.Draw(target.GetCanvas(), 3, 0, 1);
  // 0x40 + 0.498 * 0x10 = 71.97, 0x20 + 0.498 * 0x20 = 47.94, 0x10 + 0.498 * 0x30 = 39.91,
  // alpha 128 + 0.498 * 0 = 128.
  EXPECT_EQ(Pixels32(target)[3], 0x80483028u);
  EXPECT_EQ(Pixels32(target)[4], Back) << "alpha 0 leaves the background";

  // Disabled: grey (30 r + 59 g + 11 b) / 100 = (6000 + 5900 + 550) / 100 = 124.5, rounded.
  SetPixels32(target, 5, 1, {Back, Back, Back, Back, Back});
  FList.Draw(target.GetCanvas(), 0, 0, 0, false);
  EXPECT_EQ(Pixels32(target)[0], 0xFF7D7D7Du);
  EXPECT_EQ(Pixels32(target)[1], Back);

  FList.SetBkColor(clBlue);
  FList.Draw(target.GetCanvas(), 2, 0, 0);
  EXPECT_EQ(Pixels32(target)[3], 0x000000FFu) << "transparent pixels in the background colour";

  SetPixels32(target, 5, 1, {Back, Back, Back, Back, Back});
  FList.Draw(target.GetCanvas(), 0, 0, 2);
  FList.Draw(target.GetCanvas(), 0, 0, -1);
  EXPECT_EQ(Pixels32(target), (std::vector<DWORD>(5, Back))) << "an index outside the list draws nothing";
}

}  // namespace

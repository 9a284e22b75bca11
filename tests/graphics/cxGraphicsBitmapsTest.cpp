// The bitmap classes: nested updates, the 32-bit bitmap's pixel operations,
// resizing, turning and mirroring, streaming and the unit's registration.
#include <gtest/gtest.h>

#include "controls/dxCore.h"
#include "host/Filer.h"
#include "host/Streams.h"
#include "host/SysUtils.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using TPixels = std::vector<DWORD>;

class Bitmaps : public TGdiLeakCheck {};

TEST_F(Bitmaps, ChangesAreToldOnceWhenTheLastUpdateEnds) {
  TcxBitmap bitmap(2, 2);
  int told = 0;
  bitmap.OnChange = [&](TObject*) { ++told; };
  const auto changes = [&](const std::function<void()>& AWork) {
    told = 0;
    AWork();
    return told;
  };
  EXPECT_EQ(changes([&] {
              bitmap.BeginUpdate();
              bitmap.EndUpdate();
            }),
            1)
      << "forced";
  EXPECT_EQ(changes([&] {
              bitmap.BeginUpdate();
              bitmap.EndUpdate(false);
            }),
            0)
      << "nothing changed";
  EXPECT_EQ(changes([&] {
              bitmap.BeginUpdate();
              bitmap.BeginUpdate();
              bitmap.SetSize(3, 3);
              bitmap.SetSize(4, 3);
              bitmap.EndUpdate(false);
              EXPECT_EQ(told, 0) << "still one update open";
              bitmap.EndUpdate(false);
            }),
            1)
      << "two changes while locked";
  EXPECT_EQ(changes([&] {
              bitmap.BeginUpdate();
              bitmap.SetSize(5, 5);
              bitmap.CancelUpdate();
              bitmap.BeginUpdate();
              bitmap.EndUpdate(false);
            }),
            0)
      << "a cancelled update tells nothing, now or later";
  EXPECT_EQ(bitmap.GetWidth(), 5) << "though the change stays";
  EXPECT_EQ(changes([&] {
              bitmap.EndUpdate();
              bitmap.CancelUpdate();
              bitmap.BeginUpdate();
              bitmap.SetSize(6, 6);
              bitmap.EndUpdate(false);
            }),
            1)
      << "ends without a beginning do not take the count below zero";
  EXPECT_EQ(changes([&] { bitmap.SetSize(-1, -2); }), 1);
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(bitmap.GetHeight(), 0);
  EXPECT_EQ(changes([&] { bitmap.SetSize(0, -5); }), 0) << "the same size";
  EXPECT_EQ(changes([&] { bitmap.SetSize(TRect{1, 1, 4, 3}); }), 1);
  EXPECT_EQ(bitmap.GetClientRect(), (TRect{0, 0, 3, 2}));
}

TEST_F(Bitmaps, ConstructorsSetSizeAndPixelFormat) {
  const struct {
    const char* What;
    TcxBitmap* Bitmap;
    TSize Size;
    TPixelFormat Format;
  } cases[] = {
      {"default", new TcxBitmap, {0, 0}, pf24bit},
      {"sized", new TcxBitmap(3, 2), {3, 2}, pf24bit},
      {"sized 32", new TcxBitmap(3, 2, pf32bit), {3, 2}, pf32bit},
      {"rectangle", new TcxBitmap(TRect{1, 1, 4, 5}), {3, 4}, pf24bit},
      {"32-bit default", new TcxBitmap32, {0, 0}, pf32bit},
      {"32-bit sized", new TcxBitmap32(2, 1), {2, 1}, pf32bit},
      {"32-bit rectangle", new TcxBitmap32(TRect{2, 2, 3, 5}, true), {1, 3}, pf32bit},
      {"alpha", new TcxAlphaBitmap(4, 1), {4, 1}, pf32bit},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.Bitmap->GetWidth(), c.Size.cx) << c.What;
    EXPECT_EQ(c.Bitmap->GetHeight(), c.Size.cy) << c.What;
    EXPECT_EQ(c.Bitmap->GetPixelFormat(), c.Format) << c.What;
    TObject::Free(c.Bitmap);
  }
}

TEST_F(Bitmaps, ThirtyTwoBitsOrAnError) {
  TcxBitmap32 bitmap(2, 2);
  try {
    bitmap.SetPixelFormat(pf24bit);
    ADD_FAILURE() << "no error";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.GetMessage(), u"Wrong PixelFormat");
  }
  TcxBitmap32 locked(2, 2);
  locked.BeginUpdate();
  locked.SetPixelFormat(pf24bit);
  EXPECT_THROW(locked.EndUpdate(), EdxException) << "at the next change told";

  // A 24-bit picture read in comes out in 32 bits, told as one change.
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(2, 1);
  picture.GetCanvas()->SetPixels(0, 0, clRed);
  picture.GetCanvas()->SetPixels(1, 0, RGB(1, 2, 3));
  TMemoryStream stream;
  picture.SaveToStream(&stream);
  stream.SetPosition(0);
  TcxBitmap32 loaded;
  int told = 0;
  loaded.OnChange = [&](TObject*) { ++told; };
  loaded.LoadFromStream(&stream);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(loaded.GetPixelFormat(), pf32bit);
  EXPECT_EQ(PixelsOf(&loaded), (TPixels{0x00FF0000, 0x00010203}));
}

TEST_F(Bitmaps, ClearInvertAndFilter) {
  TcxBitmap32 bitmap;
  SetPixels32(bitmap, 2, 2, {0xFFFFFFFF, 0x12345678, 0x80FF00FF, 0x01010101});
  bitmap.Clear();
  EXPECT_EQ(PixelsOf(&bitmap), TPixels(4, 0)) << "every byte 0";

  SetPixels32(bitmap, 2, 1, {0x12345678, 0xFF00FF00});
  bitmap.Invert();
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{0xEDCBA987, 0x00FF00FF}));

  SetPixels32(bitmap, 4, 1, {0x11223344, 0x55667788, 0x99AABBCC, 0xDDEEFF00});
  TcxBitmap32 mask;
  SetPixels32(mask, 4, 1, {0xFFFFFFFF, 0x00000000, 0xFF000000, 0x00FFFFFF});
  bitmap.Filter(&mask);
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{0, 0x55667788, 0x00AABBCC, 0xDD000000}));
}

TEST_F(Bitmaps, DarkenAndLightenWorkOnTheColourChannels) {
  // Red 200, green 100, blue 0, alpha 0x80, which stays.
  const struct {
    bool Lighten;
    Integer Percent;
    DWORD Expected;
  } cases[] = {
      {false, 50, 0x80643200},
      {false, 33, 0x80422100},   // 66, 33, 0
      {false, 100, 0x80C86400},
      {false, 150, 0x80FF9600},  // 300 stops at 255
      {false, -20, 0x80000000},  // below 0 stops at 0
      // 255 - p/100 (255 - c): 227.5, 177.5, 127.5 truncated.
      {true, 50, 0x80E3B17F},
      {true, 20, 0x80F4E0CC},   // 244, 224, 204 exactly
      {true, 100, 0x80C86400},
      {true, 0, 0x80FFFFFF},
      {true, 150, 0x80AC1600},  // 172.5, 22.5, -127.5: stops at 0
      {true, -50, 0x80FFFFFF},  // 282.5, 332.5, 382.5: stop at 255
  };
  for (const auto& c : cases) {
    TcxBitmap32 bitmap;
    SetPixels32(bitmap, 1, 1, {0x80C86400});
    if (c.Lighten) bitmap.Lighten(c.Percent);
    else bitmap.Darken(c.Percent);
    EXPECT_EQ(PixelsOf(&bitmap)[0], c.Expected) << (c.Lighten ? "Lighten " : "Darken ") << c.Percent;
  }
}

TEST_F(Bitmaps, AlphaChannelAndTransparency) {
  TcxBitmap32 bitmap;
  SetPixels32(bitmap, 4, 1, {0x00FF00FF, 0x80FF00FF, 0x00123456, 0x40123456});
  EXPECT_TRUE(bitmap.GetIsAlphaUsed());
  bitmap.RecoverTransparency(clFuchsia);
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{0, 0, 0xFF123456, 0x40123456}));
  bitmap.SetAlphaChannel(0x20);
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{0x20000000, 0x20000000, 0x20123456, 0x20123456}));
  bitmap.MakeOpaque();
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{0xFF000000, 0xFF000000, 0xFF123456, 0xFF123456}));
  bitmap.SetAlphaChannel(0);
  EXPECT_FALSE(bitmap.GetIsAlphaUsed());
}

TEST_F(Bitmaps, ResizeCentresOrStretchesTheOldImage) {
  constexpr DWORD A = 0xFF112233, B = 0xFF445566, C = 0x80778899, F = 0x00FF0000;
  TcxBitmap32 bitmap;
  SetPixels32(bitmap, 3, 1, {A, B, C});
  // 3 spare columns: 1 left, 2 right; 3 spare rows: 1 above, 2 below.
  bitmap.Resize(6, 4, false, false);
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{0, 0, 0, 0, 0, 0,  //
                                        0, A, B, C, 0, 0,  //
                                        0, 0, 0, 0, 0, 0,  //
                                        0, 0, 0, 0, 0, 0}));

  SetPixels32(bitmap, 3, 1, {A, B, C});
  bitmap.Resize(4, 2, false, false, clRed);
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{A, B, C, F, F, F, F, F})) << "the fill colour around it";

  SetPixels32(bitmap, 3, 1, {A, B, C});
  bitmap.Resize(1, 1, false, false);
  EXPECT_EQ(PixelsOf(&bitmap), (TPixels{B})) << "shrunk: the middle stays";

  SetPixels32(bitmap, 1, 1, {A});
  bitmap.Resize(3, 2, true, false, clRed);
  EXPECT_EQ(PixelsOf(&bitmap), TPixels(6, A)) << "stretched over the whole area, whatever the fill colour";
}

// The 3 x 2 fixture a b c / d e f, turned and mirrored.
TEST_F(Bitmaps, RotationAndFlipping) {
  constexpr DWORD a = 1, b = 2, c = 3, d = 4, e = 5, f = 6;
  const struct {
    TcxRotationAngle Angle;
    bool Flip;
    TSize Size;
    TPixels Expected;
  } cases[] = {
      {ra0, false, {3, 2}, {a, b, c, d, e, f}},
      {ra0, true, {3, 2}, {d, e, f, a, b, c}},
      {raPlus90, false, {2, 3}, {c, f, b, e, a, d}},
      {raPlus90, true, {2, 3}, {a, d, b, e, c, f}},
      {raMinus90, false, {2, 3}, {d, a, e, b, f, c}},
      {raMinus90, true, {2, 3}, {f, c, e, b, d, a}},
      {ra180, false, {3, 2}, {f, e, d, c, b, a}},
      {ra180, true, {3, 2}, {c, b, a, f, e, d}},
  };
  for (const auto& x : cases) {
    TcxBitmap32 bitmap;
    SetPixels32(bitmap, 3, 2, {a, b, c, d, e, f});
    int told = 0;
    bitmap.OnChange = [&](TObject*) { ++told; };
    bitmap.Rotate(x.Angle, x.Flip);
    EXPECT_EQ(cxSize(bitmap.GetWidth(), bitmap.GetHeight()), x.Size) << x.Angle << x.Flip;
    EXPECT_EQ(PixelsOf(&bitmap), x.Expected) << x.Angle << x.Flip;
    EXPECT_EQ(told, 1) << x.Angle << x.Flip;
  }

  TcxBitmap32 row;
  SetPixels32(row, 3, 1, {a, b, c});
  row.Rotate(raPlus90);
  EXPECT_EQ(cxSize(row.GetWidth(), row.GetHeight()), cxSize(1, 3));
  EXPECT_EQ(PixelsOf(&row), (TPixels{c, b, a})) << "the former rightmost pixel on top";

  TcxBitmap32 mirrored;
  SetPixels32(mirrored, 3, 2, {a, b, c, d, e, f});
  cxFlipBitmapHorizontally(&mirrored);
  EXPECT_EQ(PixelsOf(&mirrored), (TPixels{c, b, a, f, e, d}));

  TcxBitmap rgb(2, 1);
  rgb.GetCanvas()->SetPixels(0, 0, clRed);
  rgb.Rotate(raMinus90);
  EXPECT_EQ(rgb.GetPixelFormat(), pf24bit);
  EXPECT_EQ(rgb.GetCanvas()->GetPixels(0, 0), clRed);
  EXPECT_EQ(rgb.GetHeight(), 2);
}

// A component that stores a bitmap of the suite.
class TBitmapHolder : public TComponent {
  HOST_CLASS(TBitmapHolder);
  explicit TBitmapHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TcxBitmap* GetGlyph() const { return FGlyph.get(); }

 private:
  std::unique_ptr<TcxBitmap> FGlyph = std::make_unique<TcxBitmap>();
};
const TPublished& BitmapHolderPublished() {
  static const TPublished p{{SubObjectProp<TBitmapHolder, TcxBitmap>(u"Glyph", &TBitmapHolder::GetGlyph)}};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TBitmapHolder, TComponent, &CreateOwned<TBitmapHolder>, &BitmapHolderPublished)

// The signature as the description's hexadecimal bytes.
constexpr char16_t XdbmHex[] = u"5844424D";

TEST_F(Bitmaps, ImagesTravelThroughADescriptionCompressedOrNot) {
  // Runs of equal pixels, so that the compressed image is the shorter.
  TPixels pixels(24, 0x00102030);
  pixels[3] = 0x00FF0000;
  pixels[17] = 0x00ABCDEF;
  for (TPixelFormat format : {pf24bit, pf32bit})
    for (bool compress : {false, true}) {
      TBitmapHolder holder(nullptr);
      holder.SetName(u"Holder");
      SetPixels32(*holder.GetGlyph(), 6, 4, pixels);
      holder.GetGlyph()->SetPixelFormat(format);
      holder.GetGlyph()->SetCompressData(compress);
      const String text = WriteComponentToText(&holder);
      EXPECT_EQ(text.find(XdbmHex) != String::npos, compress) << UTF8Encode(text);

      TBitmapHolder copy(nullptr);
      ReadComponentFromText(text, &copy);
      EXPECT_EQ(copy.GetGlyph()->GetPixelFormat(), format) << format << compress;
      copy.GetGlyph()->SetPixelFormat(pf32bit);
      EXPECT_EQ(PixelsOf(copy.GetGlyph()), pixels) << format << compress;

      // A reader that compresses takes plain images too.
      TBitmapHolder compressing(nullptr);
      compressing.GetGlyph()->SetCompressData(true);
      ReadComponentFromText(text, &compressing);
      compressing.GetGlyph()->SetPixelFormat(pf32bit);
      EXPECT_EQ(PixelsOf(compressing.GetGlyph()), pixels) << format << compress;
    }
}

TEST_F(Bitmaps, CompressedImagesAreTheHostsDataInRuns) {
  TcxBitmap32 bitmap(3, 1, true);
  TMemoryStream plain, compressed;
  bitmap.WriteData(&plain);
  bitmap.SetCompressData(true);
  bitmap.WriteData(&compressed);
  compressed.SetPosition(0);
  std::vector<Byte> data;
  ASSERT_TRUE(cxReadCompressedBitmapData(&compressed, data));
  ASSERT_EQ(static_cast<Int64>(data.size()), plain.GetSize());
  EXPECT_TRUE(std::equal(data.begin(), data.end(), static_cast<const Byte*>(plain.GetMemory())));
  EXPECT_EQ(static_cast<const Byte*>(compressed.GetMemory())[10], 4) << "blocks of one 32-bit pixel";
}

TEST(BitmapClasses, TheUnitRegistersTheBitmapsForStreams) {
  EXPECT_EQ(GetClass(u"TcxBitmap"), TcxBitmap::StaticClass());
  EXPECT_EQ(GetClass(u"tcxbitmap32"), TcxBitmap32::StaticClass());
  TObject* made = FindClass(u"TcxBitmap32")->Create();
  ASSERT_NE(dynamic_cast<TcxBitmap32*>(made), nullptr);
  EXPECT_EQ(static_cast<TcxBitmap32*>(made)->GetPixelFormat(), pf32bit);
  TObject::Free(made);

  dxUnitsLoader()->RemoveUnit(&FinalizeGraphics);
  EXPECT_EQ(GetClass(u"TcxBitmap"), nullptr) << "the unit's end takes them back";
  EXPECT_EQ(GetClass(u"TcxBitmap32"), nullptr);
  dxUnitsLoader()->AddUnit(&InitializeGraphics, &FinalizeGraphics);
  EXPECT_EQ(GetClass(u"TcxBitmap"), TcxBitmap::StaticClass());
}

}  // namespace

#include "host/Bitmaps.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "host/Filer.h"
#include "host/Streams.h"
#include "platform/Clipboard.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

using TBytes = std::vector<Byte>;

void Put16(TBytes& b, uint32_t v) {
  b.push_back(static_cast<Byte>(v));
  b.push_back(static_cast<Byte>(v >> 8));
}
void Put32(TBytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void Set32(TBytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<Byte>(v >> (8 * i));
}

// What a BMP file holds, written out by Build.
struct TBmpLayout {
  int32_t Width = 0;
  int32_t Height = 0;  // negative: top-down
  uint16_t BitCount = 24;
  uint32_t Compression = 0;
  uint32_t HeaderSize = 40;  // 12: the old core header, colours of three bytes
  std::vector<RGBQUAD> Palette;
  uint32_t ColorsUsed = 0;
  std::vector<uint32_t> Masks;  // in the header beyond 40 bytes, else after it
  std::vector<TBytes> Rows;     // file order, without padding
};

TBytes Build(const TBmpLayout& s) {
  TBytes info;
  Put32(info, s.HeaderSize);
  if (s.HeaderSize == 12) {
    Put16(info, static_cast<uint32_t>(s.Width));
    Put16(info, static_cast<uint32_t>(s.Height));
    Put16(info, 1);
    Put16(info, s.BitCount);
  } else {
    Put32(info, static_cast<uint32_t>(s.Width));
    Put32(info, static_cast<uint32_t>(s.Height));
    Put16(info, 1);
    Put16(info, s.BitCount);
    Put32(info, s.Compression);
    Put32(info, 0);
    Put32(info, 3780);
    Put32(info, 3780);
    Put32(info, s.ColorsUsed);
    Put32(info, 0);
    for (uint32_t m : s.Masks) Put32(info, m);
    while (info.size() < s.HeaderSize) info.push_back(0);
  }
  for (const RGBQUAD& q : s.Palette) {
    info.push_back(q.rgbBlue);
    info.push_back(q.rgbGreen);
    info.push_back(q.rgbRed);
    if (s.HeaderSize != 12) info.push_back(0);
  }
  TBytes pixels;
  for (const TBytes& row : s.Rows) {
    pixels.insert(pixels.end(), row.begin(), row.end());
    while (pixels.size() % 4) pixels.push_back(0);
  }
  TBytes file{'B', 'M'};
  Put32(file, static_cast<uint32_t>(14 + info.size() + pixels.size()));
  Put32(file, 0);
  Put32(file, static_cast<uint32_t>(14 + info.size()));
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

TMemoryStream* Fill(TMemoryStream& S, const TBytes& Bytes) {
  S.Clear();
  S.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
  S.SetPosition(0);
  return &S;
}

TBytes Contents(TMemoryStream& S) {
  const auto* p = static_cast<const Byte*>(S.GetMemory());
  return TBytes(p, p + S.GetSize());
}

// Pixels of a bitmap top row first, as colours.
std::vector<std::vector<TColor>> PixelsOf(TBitmap& B) {
  std::vector<std::vector<TColor>> rows(static_cast<size_t>(B.GetHeight()));
  for (Integer y = 0; y < B.GetHeight(); ++y)
    for (Integer x = 0; x < B.GetWidth(); ++x) rows[static_cast<size_t>(y)].push_back(B.GetCanvas()->GetPixels(x, y));
  return rows;
}

void Paint(TBitmap& B, TPixelFormat Format, const std::vector<std::vector<TColor>>& Colors) {
  B.SetPixelFormat(Format);
  B.SetSize(static_cast<Integer>(Colors[0].size()), static_cast<Integer>(Colors.size()));
  for (size_t y = 0; y < Colors.size(); ++y)
    for (size_t x = 0; x < Colors[y].size(); ++x)
      B.GetCanvas()->SetPixels(static_cast<Integer>(x), static_cast<Integer>(y), Colors[y][x]);
}

constexpr TColor Gray = 0x808080;
// The picture most cases encode: a 3 x 2 image, so rows need padding.
const std::vector<std::vector<TColor>> Picture = {{clRed, clLime, clBlue}, {clWhite, clBlack, Gray}};

class Bitmaps : public TGdiLeakCheck {};

TEST_F(Bitmaps, ReadsEveryDepthIntoTwentyFourOrThirtyTwoBits) {
  const RGBQUAD red{0, 0, 255, 0}, lime{0, 255, 0, 0}, blue{255, 0, 0, 0}, white{255, 255, 255, 0},
      black{0, 0, 0, 0}, gray{128, 128, 128, 0};
  // 16 bits, 5-5-5 unless masks say otherwise.
  auto r555 = [](uint32_t r, uint32_t g, uint32_t b) { return TBytes{Byte(g << 5 | b), Byte(r << 2 | g >> 3)}; };
  auto r565 = [](uint32_t r, uint32_t g, uint32_t b) { return TBytes{Byte(g << 5 | b), Byte(r << 3 | g >> 3)}; };
  auto cat = [](std::initializer_list<TBytes> parts) {
    TBytes all;
    for (const TBytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  };
  // 16/31 and 32/63 of 255, rounded: what 5- and 6-bit mid greys scale to.
  const TColor gray555 = 0x848484, gray565 = 0x848284;
  const struct {
    const char* Name;
    TBmpLayout Layout;
    TPixelFormat Format;
    std::vector<std::vector<TColor>> Expected;
  } cases[] = {
      {"1 bit",
       {3, 2, 1, 0, 40, {{0x40, 0x30, 0x20, 0}, {0xA0, 0xB0, 0xC0, 0}}, 0, {}, {{0b01100000}, {0b10100000}}},
       pf24bit,
       {{0xA0B0C0, 0x403020, 0xA0B0C0}, {0x403020, 0xA0B0C0, 0xA0B0C0}}},
      {"4 bits",
       {3, 2, 4, 0, 40, {black, red, lime, blue, white, gray}, 6, {}, {{0x40, 0x50}, {0x12, 0x30}}},
       pf24bit,
       Picture},
      {"8 bits",
       {3, 2, 8, 0, 40, {gray, white, black, blue, lime, red}, 0, {}, {{1, 2, 0}, {5, 4, 3}}},
       pf24bit,
       Picture},
      {"8 bits, core header",
       {3, 2, 8, 0, 12, {gray, white, black, blue, lime, red}, 0, {}, {{1, 2, 0}, {5, 4, 3}}},
       pf24bit,
       Picture},
      {"16 bits, 5-5-5",
       {3, 2, 16, 0, 40, {}, 0, {}, {cat({r555(31, 31, 31), r555(0, 0, 0), r555(16, 16, 16)}),
                                     cat({r555(31, 0, 0), r555(0, 31, 0), r555(0, 0, 31)})}},
       pf24bit,
       {{clRed, clLime, clBlue}, {clWhite, clBlack, gray555}}},
      {"16 bits, 5-6-5 bit fields",
       {3, 2, 16, 3, 40, {}, 0, {0xF800, 0x07E0, 0x001F}, {cat({r565(31, 63, 31), r565(0, 0, 0), r565(16, 32, 16)}),
                                                            cat({r565(31, 0, 0), r565(0, 63, 0), r565(0, 0, 31)})}},
       pf24bit,
       {{clRed, clLime, clBlue}, {clWhite, clBlack, gray565}}},
      {"24 bits",
       {3, 2, 24, 0, 40, {}, 0, {}, {{255, 255, 255, 0, 0, 0, 128, 128, 128}, {0, 0, 255, 0, 255, 0, 255, 0, 0}}},
       pf24bit,
       Picture},
      {"24 bits, top-down",
       {3, -2, 24, 0, 40, {}, 0, {}, {{0, 0, 255, 0, 255, 0, 255, 0, 0}, {255, 255, 255, 0, 0, 0, 128, 128, 128}}},
       pf24bit,
       Picture},
      {"32 bits",
       {3, 2, 32, 0, 40, {}, 0, {}, {{255, 255, 255, 1, 0, 0, 0, 2, 128, 128, 128, 3},
                                     {0, 0, 255, 4, 0, 255, 0, 5, 255, 0, 0, 6}}},
       pf32bit,
       Picture},
      {"32 bits, bit fields in a longer header",
       {3, 2, 32, 3, 56, {}, 0, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000},
        {{255, 255, 255, 1, 0, 0, 0, 2, 128, 128, 128, 3}, {255, 0, 0, 4, 0, 255, 0, 5, 0, 0, 255, 6}}},
       pf32bit,
       Picture},
  };
  for (const auto& c : cases) {
    TMemoryStream stream;
    const TBytes bytes = Build(c.Layout);
    TBitmap bitmap;
    bitmap.LoadFromStream(Fill(stream, bytes));
    EXPECT_EQ(stream.GetPosition(), static_cast<Int64>(bytes.size())) << c.Name;
    EXPECT_EQ(bitmap.GetPixelFormat(), c.Format) << c.Name;
    EXPECT_EQ(bitmap.GetHandleType(), bmDIB) << c.Name;
    EXPECT_EQ(PixelsOf(bitmap), c.Expected) << c.Name;
  }
}

TEST_F(Bitmaps, ThirtyTwoBitImagesKeepTheirAlpha) {
  TMemoryStream stream;
  TBitmap plain, fields;
  plain.LoadFromStream(
      Fill(stream, Build({1, 2, 32, 0, 40, {}, 0, {}, {{1, 2, 3, 0x40}, {4, 5, 6, 0xC0}}})));
  // Alpha in the top byte, red in the low one.
  fields.LoadFromStream(Fill(stream, Build({1, 1, 32, 3, 56, {}, 0, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000},
                                            {{0x30, 0x20, 0x10, 0x80}}})));
  const auto* top = static_cast<const Byte*>(plain.GetScanLine(0));
  const auto* bottom = static_cast<const Byte*>(plain.GetScanLine(1));
  EXPECT_EQ(TBytes(top, top + 4), (TBytes{4, 5, 6, 0xC0}));
  EXPECT_EQ(TBytes(bottom, bottom + 4), (TBytes{1, 2, 3, 0x40}));
  const auto* px = static_cast<const Byte*>(fields.GetScanLine(0));
  EXPECT_EQ(TBytes(px, px + 4), (TBytes{0x10, 0x20, 0x30, 0x80}));
}

TBmpLayout Valid() { return {2, 2, 24, 0, 40, {}, 0, {}, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}}; }

TEST_F(Bitmaps, MalformedStreamsAreRejectedBeforeAnythingIsAllocated) {
  // Offsets in the file: 10 pixel offset, 14 header size, 18 width, 22
  // height, 26 planes, 28 bit count, 30 compression, 46 colours used.
  using TEdit = std::function<void(TBytes&)>;
  enum TWant { Invalid, ReadError };
  const struct {
    const char* Name;
    TEdit Edit;
    TWant Want;
  } cases[] = {
      {"signature", [](TBytes& b) { b[1] = 'X'; }, Invalid},
      {"header size", [](TBytes& b) { Set32(b, 14, 200); }, Invalid},
      {"small header size", [](TBytes& b) { Set32(b, 14, 39); }, Invalid},
      {"zero width", [](TBytes& b) { Set32(b, 18, 0); }, Invalid},
      {"negative width", [](TBytes& b) { Set32(b, 18, static_cast<uint32_t>(-2)); }, Invalid},
      {"zero height", [](TBytes& b) { Set32(b, 22, 0); }, Invalid},
      {"lowest height", [](TBytes& b) { Set32(b, 22, 0x80000000u); }, Invalid},
      {"planes", [](TBytes& b) { b[26] = 2; }, Invalid},
      {"bit count", [](TBytes& b) { b[28] = 7; }, Invalid},
      {"run-length compression", [](TBytes& b) { Set32(b, 30, 1); }, Invalid},
      {"bit fields on 24 bits", [](TBytes& b) { Set32(b, 30, 3); }, Invalid},
      {"pixels inside the headers", [](TBytes& b) { Set32(b, 10, 20); }, Invalid},
      {"pixels past the end", [](TBytes& b) { Set32(b, 10, 4000); }, ReadError},
      {"pixels cut short", [](TBytes& b) { b.pop_back(); }, ReadError},
      {"huge image, little data", [](TBytes& b) { Set32(b, 18, 0x7FFFFFFF), Set32(b, 22, 0x7FFFFFFF); }, ReadError},
      {"huge top-down image", [](TBytes& b) { Set32(b, 18, 1 << 20), Set32(b, 22, static_cast<uint32_t>(-(1 << 20))); },
       ReadError},
      {"too many colours", [](TBytes& b) { b[28] = 8, Set32(b, 46, 300); }, Invalid},
      {"colour count to overflow", [](TBytes& b) { b[28] = 8, Set32(b, 46, 0x40000000); }, Invalid},
      {"colour table past the end", [](TBytes& b) { b[28] = 8, Set32(b, 46, 200), Set32(b, 10, 0); }, ReadError},
      {"header cut short", [](TBytes& b) { b.resize(30); }, ReadError},
  };
  for (const auto& c : cases) {
    TBytes bytes = Build(Valid());
    c.Edit(bytes);
    TMemoryStream stream;
    TBitmap bitmap;
    Paint(bitmap, pf24bit, {{clRed}});
    if (c.Want == Invalid) EXPECT_THROW(bitmap.LoadFromStream(Fill(stream, bytes)), EInvalidGraphic) << c.Name;
    else EXPECT_THROW(bitmap.LoadFromStream(Fill(stream, bytes)), EReadError) << c.Name;
    EXPECT_EQ(PixelsOf(bitmap), (std::vector<std::vector<TColor>>{{clRed}})) << c.Name << ": the image stays";
  }
}

TEST_F(Bitmaps, EveryPrefixAndRandomDamageIsRejectedOrRead) {
  TBmpLayout layout{5, 3, 8, 0, 40, {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}}, 3, {}, {}};
  layout.Rows = {{0, 1, 2, 1, 0}, {2, 2, 1, 1, 0}, {0, 0, 0, 2, 2}};
  const TBytes valid = Build(layout);
  for (size_t n = 1; n < valid.size(); ++n) {
    TMemoryStream stream;
    TBitmap bitmap;
    const TBytes prefix(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(bitmap.LoadFromStream(Fill(stream, prefix)), EReadError) << n;
  }
  std::mt19937 random(20261210);
  int loaded = 0;
  for (int i = 0; i < 400; ++i) {
    TBytes damaged = valid;
    for (int k = 0; k < 3; ++k) damaged[random() % 60] = static_cast<Byte>(random());
    TMemoryStream stream;
    TBitmap bitmap;
    try {
      bitmap.LoadFromStream(Fill(stream, damaged));
      ++loaded;
      EXPECT_LE(stream.GetPosition(), stream.GetSize());
    } catch (const EInvalidGraphic&) {
    } catch (const EReadError&) {
    }
  }
  EXPECT_GT(loaded, 0) << "damage to unused fields still reads";
}

TEST_F(Bitmaps, SavedStreamsAreBmpFilesOfTheHeldDepth) {
  const struct {
    TPixelFormat Format;
    uint16_t Bits;
    TPixelFormat Loaded;
  } cases[] = {{pf1bit, 1, pf24bit}, {pf24bit, 24, pf24bit}, {pf32bit, 32, pf32bit}, {pfDevice, 32, pf32bit}};
  const std::vector<std::vector<TColor>> blackAndWhite = {{clWhite, clBlack, clWhite}, {clBlack, clBlack, clWhite}};
  for (const auto& c : cases) {
    const auto& colors = c.Format == pf1bit ? blackAndWhite : Picture;
    TBitmap bitmap;
    Paint(bitmap, c.Format, colors);
    TMemoryStream stream;
    bitmap.SaveToStream(&stream);
    const TBytes bytes = Contents(stream);
    ASSERT_GT(bytes.size(), 54u);
    const uint32_t stride = (3 * c.Bits + 31) / 32 * 4;
    const uint32_t offset = 54 + (c.Bits == 1 ? 8 : 0);
    auto at32 = [&](size_t i) { return uint32_t{bytes[i]} | bytes[i + 1] << 8 | bytes[i + 2] << 16 | uint32_t{bytes[i + 3]} << 24; };
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(at32(2), bytes.size()) << c.Bits;
    EXPECT_EQ(at32(10), offset) << c.Bits;
    EXPECT_EQ(at32(14), 40u);
    EXPECT_EQ(at32(18), 3u);
    EXPECT_EQ(at32(22), 2u) << "bottom-up";
    EXPECT_EQ(bytes[28], c.Bits);
    EXPECT_EQ(bytes.size(), offset + 2 * stride) << c.Bits;
    if (c.Bits == 24) {
      // The first row in the file is the bottom one: white, black, grey.
      EXPECT_EQ(TBytes(bytes.begin() + 54, bytes.begin() + 63), (TBytes{255, 255, 255, 0, 0, 0, 128, 128, 128}));
    }
    TBitmap loaded;
    stream.SetPosition(0);
    loaded.LoadFromStream(&stream);
    EXPECT_EQ(loaded.GetPixelFormat(), c.Loaded) << c.Bits;
    EXPECT_EQ(PixelsOf(loaded), colors) << c.Bits;
  }
}

TEST_F(Bitmaps, DataIsALengthAndABmp) {
  TBitmap bitmap;
  Paint(bitmap, pf32bit, Picture);
  static_cast<Byte*>(bitmap.GetScanLine(0))[3] = 0x7F;  // an alpha value that must survive
  TMemoryStream data, plain;
  bitmap.WriteData(&data);
  bitmap.SaveToStream(&plain);
  const TBytes bytes = Contents(data);
  ASSERT_GE(bytes.size(), 4u);
  const uint32_t length = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24;
  EXPECT_EQ(length, bytes.size() - 4);
  EXPECT_EQ(TBytes(bytes.begin() + 4, bytes.end()), Contents(plain));

  // Read back, with bytes after it that belong to someone else.
  data.SetPosition(data.GetSize());
  data.WriteBuffer("tail", 4);
  data.SetPosition(0);
  TBitmap copy;
  copy.ReadData(&data);
  EXPECT_EQ(data.GetPosition(), static_cast<Int64>(bytes.size()));
  EXPECT_EQ(PixelsOf(copy), Picture);
  EXPECT_EQ(static_cast<const Byte*>(copy.GetScanLine(0))[3], 0x7F);

  // A length that promises more than there is, or less than the image.
  const struct {
    const char* Name;
    uint32_t Length;
  } lies[] = {{"too long", length + 5}, {"negative", 0x80000000u}, {"too short", length - 10}};
  for (const auto& lie : lies) {
    TBytes wrong = bytes;
    Set32(wrong, 0, lie.Length);
    wrong.insert(wrong.end(), {1, 2, 3, 4});
    TMemoryStream s;
    EXPECT_THROW(copy.ReadData(Fill(s, wrong)), EReadError) << lie.Name;
  }

  // A length longer than the image's own: the reader ends at the length.
  TBytes padded = bytes;
  Set32(padded, 0, length + 6);
  padded.insert(padded.end(), {9, 9, 9, 9, 9, 9, 42});
  TMemoryStream s;
  copy.ReadData(Fill(s, padded));
  EXPECT_EQ(s.GetPosition(), static_cast<Int64>(padded.size() - 1));

  // Empty: a zero length.
  TBitmap empty;
  TMemoryStream none;
  empty.WriteData(&none);
  EXPECT_EQ(Contents(none), (TBytes{0, 0, 0, 0}));
  none.SetPosition(0);
  copy.ReadData(&none);
  EXPECT_TRUE(copy.GetEmpty());
}

class TGlyphHolder : public TComponent {
  HOST_CLASS(TGlyphHolder);
  explicit TGlyphHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TBitmap* GetGlyph() const { return FGlyph.get(); }

 private:
  std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
};
const TPublished& GlyphHolderPublished() {
  static const TPublished p{{SubObjectProp<TGlyphHolder, TBitmap>(u"Glyph", &TGlyphHolder::GetGlyph)}};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TGlyphHolder, TComponent, &CreateOwned<TGlyphHolder>, &GlyphHolderPublished)

TEST_F(Bitmaps, TheDataPropertyCarriesTheImageThroughADescription) {
  TGlyphHolder holder(nullptr);
  holder.SetName(u"Holder");
  Paint(*holder.GetGlyph(), pf24bit, Picture);
  const String text = WriteComponentToText(&holder);
  EXPECT_NE(text.find(u"Glyph.Data = {"), String::npos) << UTF8Encode(text);

  TGlyphHolder copy(nullptr);
  ReadComponentFromText(text, &copy);
  EXPECT_EQ(PixelsOf(*copy.GetGlyph()), Picture);

  TGlyphHolder empty(nullptr);
  empty.SetName(u"Empty");
  EXPECT_EQ(WriteComponentToText(&empty).find(u"Data"), String::npos) << "an empty image is not stored";
}

TEST_F(Bitmaps, PixelFormatsConvertTheirPixels) {
  TBitmap bitmap;
  Paint(bitmap, pf24bit, Picture);
  bitmap.SetPixelFormat(pf32bit);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf32bit);
  EXPECT_EQ(PixelsOf(bitmap), Picture);
  for (TPixelFormat held : {pf4bit, pf8bit, pf15bit, pf16bit}) {
    bitmap.SetPixelFormat(held);
    EXPECT_EQ(bitmap.GetPixelFormat(), pf24bit) << held;
    EXPECT_EQ(PixelsOf(bitmap), Picture) << held;
  }
  bitmap.SetHandleType(bmDDB);
  EXPECT_EQ(bitmap.GetPixelFormat(), pfDevice);
  EXPECT_EQ(PixelsOf(bitmap), Picture);
  EXPECT_THROW(bitmap.GetScanLine(0), EInvalidGraphicOperation) << "no scan lines without a DIB";

  // Monochrome: the nearer of black and white (full red, green and blue
  // are nearer black; mid grey is nearer white).
  bitmap.SetMonochrome(true);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf1bit);
  EXPECT_EQ(bitmap.GetHandleType(), bmDDB);
  BITMAP bm;
  ASSERT_EQ(GetObjectW(bitmap.GetHandle(), sizeof(DIBSECTION), &bm), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(bm.bmBitsPixel, 1);
  const std::vector<std::vector<TColor>> mono = {{clBlack, clBlack, clBlack}, {clWhite, clBlack, clWhite}};
  EXPECT_EQ(PixelsOf(bitmap), mono);
  bitmap.SetHandleType(bmDIB);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf1bit);
  EXPECT_EQ(bitmap.GetHandleType(), bmDIB);
  EXPECT_EQ(PixelsOf(bitmap), mono);
  bitmap.SetMonochrome(false);
  EXPECT_EQ(bitmap.GetPixelFormat(), pfDevice);
  EXPECT_EQ(PixelsOf(bitmap), mono);
}

TEST_F(Bitmaps, ResizingKeepsWhatStaysInside) {
  TBitmap bitmap;
  Paint(bitmap, pf24bit, Picture);
  bitmap.SetSize(2, 3);
  EXPECT_EQ(PixelsOf(bitmap), (std::vector<std::vector<TColor>>{{clRed, clLime}, {clWhite, clBlack}, {0, 0}}));
  bitmap.SetWidth(0);
  EXPECT_TRUE(bitmap.GetEmpty());
  EXPECT_FALSE(bitmap.HandleAllocated());
  bitmap.SetSize(-4, 2);
  EXPECT_TRUE(bitmap.GetEmpty());
}

TEST_F(Bitmaps, HandlesAreAdoptedAndReleased) {
  TBitmap bitmap;
  Paint(bitmap, pf24bit, Picture);
  bitmap.GetCanvas()->GetHandle();
  HBITMAP released = bitmap.ReleaseHandle();
  ASSERT_NE(released, nullptr);
  EXPECT_NE(bitmap.GetHandle(), released);
  EXPECT_EQ(PixelsOf(bitmap), Picture) << "the bitmap keeps a copy";
  TBitmap other;
  other.SetHandle(released);  // adopted: deleted with other
  EXPECT_EQ(other.GetWidth(), 3);
  EXPECT_EQ(other.GetHeight(), 2);
  EXPECT_EQ(other.GetPixelFormat(), pf24bit);
  EXPECT_EQ(other.GetHandleType(), bmDIB);
  EXPECT_EQ(PixelsOf(other), Picture);

  HBITMAP device = CreateBitmap(5, 4, 1, 32, nullptr);
  other.SetHandle(device);
  EXPECT_EQ(other.GetPixelFormat(), pfDevice);
  EXPECT_EQ(other.GetHandleType(), bmDDB);
  EXPECT_EQ(other.GetWidth(), 5);
  other.SetHandle(nullptr);
  EXPECT_TRUE(other.GetEmpty());
  EXPECT_EQ(GetObjectType(device), 0u) << "the adopted handle was deleted";
}

TEST_F(Bitmaps, AssignCopiesAndEqualsCompares) {
  TBitmap source;
  Paint(source, pf32bit, Picture);
  source.SetTransparent(true);
  source.SetTransparentColor(clLime);
  TBitmap copy;
  copy.Assign(&source);
  EXPECT_TRUE(copy.Equals(&source));
  EXPECT_EQ(copy.GetPixelFormat(), pf32bit);
  EXPECT_TRUE(copy.GetTransparent());
  EXPECT_EQ(copy.GetTransparentColor(), clLime);
  source.GetCanvas()->SetPixels(0, 0, clYellow);
  EXPECT_EQ(copy.GetCanvas()->GetPixels(0, 0), clRed) << "a copy of its own";
  EXPECT_FALSE(copy.Equals(&source));
  EXPECT_FALSE(copy.Equals(nullptr));

  copy.Assign(nullptr);
  EXPECT_TRUE(copy.GetEmpty());
  TFont font;
  EXPECT_THROW(copy.Assign(&font), EConvertError);
}

TEST_F(Bitmaps, TheClipboardGetsACopyAndGivesOneBack) {
  TBitmap source;
  Paint(source, pf32bit, Picture);
  Word format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = reinterpret_cast<HPALETTE>(&format);
  source.SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(format, CF_BITMAP);
  EXPECT_EQ(palette, nullptr);
  ASSERT_NE(data, nullptr);
  EXPECT_NE(data, source.GetHandle()) << "a copy the clipboard takes over";

  TBitmap pasted;
  pasted.LoadFromClipboardFormat(format, data, nullptr);
  EXPECT_EQ(pasted.GetPixelFormat(), pf32bit);
  EXPECT_EQ(PixelsOf(pasted), Picture);
  EXPECT_NE(pasted.GetHandle(), data) << "the clipboard's data stays the clipboard's";
  EXPECT_EQ(GetObjectType(static_cast<HGDIOBJ>(data)), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(static_cast<HGDIOBJ>(data));

  EXPECT_THROW(pasted.LoadFromClipboardFormat(CF_TEXT, data, nullptr), EInvalidGraphic);
  EXPECT_THROW(pasted.LoadFromClipboardFormat(CF_BITMAP, nullptr, nullptr), EInvalidGraphic);
  EXPECT_EQ(PixelsOf(pasted), Picture) << "a refused format changes nothing";
  TBitmap empty;
  empty.SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(data, nullptr);
}

TEST_F(Bitmaps, ScanLinesRunTopDown) {
  TBitmap bitmap;
  Paint(bitmap, pf24bit, Picture);
  const auto* top = static_cast<const Byte*>(bitmap.GetScanLine(0));
  const auto* bottom = static_cast<const Byte*>(bitmap.GetScanLine(1));
  EXPECT_EQ(TBytes(top, top + 3), (TBytes{0, 0, 255}));
  EXPECT_EQ(TBytes(bottom, bottom + 3), (TBytes{255, 255, 255}));
  EXPECT_THROW(bitmap.GetScanLine(2), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap.GetScanLine(-1), EInvalidGraphicOperation);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "tests/platform/GdiPlusTestSupport.h"

namespace {

using namespace Gdiplus;

class GdiplusCodecs : public TGdiplusTest {};

void Put16(TBytes& b, uint32_t v) {
  b.push_back(static_cast<BYTE>(v));
  b.push_back(static_cast<BYTE>(v >> 8));
}
void Put32(TBytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A BMP with a 40-byte header, or with the masks in a 108-byte one.
TBytes MakeBmp(int32_t width, int32_t height, uint16_t bitCount, const std::vector<TBytes>& fileRows,
               const std::vector<uint32_t>& masks = {}) {
  TBytes info;
  Put32(info, masks.empty() ? 40 : 108);
  Put32(info, static_cast<uint32_t>(width));
  Put32(info, static_cast<uint32_t>(height));
  Put16(info, 1);
  Put16(info, bitCount);
  Put32(info, masks.empty() ? 0 : 3);
  for (int i = 0; i < 5; ++i) Put32(info, 0);
  for (uint32_t m : masks) Put32(info, m);
  if (!masks.empty()) info.resize(108, 0);
  TBytes file{'B', 'M'};
  TBytes pixels;
  for (const TBytes& row : fileRows) {
    pixels.insert(pixels.end(), row.begin(), row.end());
    while (pixels.size() % 4) pixels.push_back(0);
  }
  Put32(file, static_cast<uint32_t>(14 + info.size() + pixels.size()));
  Put32(file, 0);
  Put32(file, static_cast<uint32_t>(14 + info.size()));
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

PixelFormat FormatOf(const TImage& image) {
  PixelFormat format = 0;
  EXPECT_EQ(GdipGetImagePixelFormat(image.Handle, &format), Ok);
  return format;
}

GUID RawFormatOf(const TImage& image) {
  GUID format;
  EXPECT_EQ(GdipGetImageRawFormat(image.Handle, &format), Ok);
  return format;
}

bool Near(DWORD a, DWORD b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

constexpr BYTE Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6;

TEST_F(GdiplusCodecs, PngOfEveryColourTypeAndDepthDecodesPremultiplied) {
  // Expected pixels are 0xAARRGGBB, premultiplied: round(c * a / 255).
  // 16-bit samples become round(v * 255 / 65535).
  const struct {
    const char* Name;
    TBytes Png;
    std::vector<DWORD> Expected;
  } cases[] = {
      {"grey, 1 bit", MakePng(3, 1, 1, Grey, {{0b10100000}}), {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
      {"grey, 2 bits", MakePng(4, 1, 2, Grey, {{0b00011011}}), {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}},
      {"grey, 4 bits", MakePng(2, 1, 4, Grey, {{0x5F}}), {0xFF555555, 0xFFFFFFFF}},
      {"grey, 8 bits", MakePng(2, 1, 8, Grey, {{0x00, 0x7B}}), {0xFF000000, 0xFF7B7B7B}},
      // 0x8000: 127.502 -> 128; 0x1234: 18.13 -> 18.
      {"grey, 16 bits", MakePng(2, 1, 16, Grey, {{0x80, 0x00, 0x12, 0x34}}), {0xFF808080, 0xFF121212}},
      {"RGB, 8 bits, two rows", MakePng(1, 2, 8, Rgb, {{10, 20, 30}, {200, 100, 50}}), {0xFF0A141E, 0xFFC86432}},
      // 0x0101: 1.
      {"RGB, 16 bits", MakePng(1, 1, 16, Rgb, {{0xFF, 0xFF, 0x80, 0x00, 0x01, 0x01}}), {0xFFFF8001}},
      {"palette, 1 bit", MakePng(3, 1, 1, Palette, {{0b01000000}}, {255, 0, 0, 0, 0, 255}),
       {0xFFFF0000, 0xFF0000FF, 0xFFFF0000}},
      {"palette, 2 bits", MakePng(4, 1, 2, Palette, {{0b11100100}}, {0, 0, 0, 10, 10, 10, 20, 20, 20, 30, 30, 30}),
       {0xFF1E1E1E, 0xFF141414, 0xFF0A0A0A, 0xFF000000}},
      {"palette, 4 bits", MakePng(2, 1, 4, Palette, {{0x10}}, {0, 0, 0, 1, 2, 3}), {0xFF010203, 0xFF000000}},
      // Entry 0 at alpha 128: 100.39, 50.2, 25.1; entry 1 transparent; entry
      // 2 beyond the transparency chunk, opaque.
      {"palette, 8 bits, transparency", MakePng(3, 1, 8, Palette, {{0, 1, 2}}, {200, 100, 50, 0, 255, 0, 9, 9, 9}, {128, 0}),
       {0x80643219, 0x00000000, 0xFF090909}},
      {"grey and alpha, 8 bits", MakePng(2, 1, 8, GreyAlpha, {{255, 128, 100, 255}}), {0x80808080, 0xFF646464}},
      {"grey and alpha, 16 bits", MakePng(1, 1, 16, GreyAlpha, {{0xFF, 0xFF, 0x80, 0x00}}), {0x80808080}},
      {"RGBA, 8 bits", MakePng(2, 1, 8, Rgba, {{200, 100, 50, 128, 1, 2, 3, 0}}), {0x80643219, 0x00000000}},
      // Alpha 0x4000: 63.75 -> 64; red 255 * 64 / 255.
      {"RGBA, 16 bits", MakePng(1, 1, 16, Rgba, {{0xFF, 0xFF, 0, 0, 0, 0, 0x40, 0x00}}), {0x40400000}},
      {"grey, transparent 128", MakePng(2, 1, 8, Grey, {{128, 127}}, {}, {0x00, 0x80}), {0x00000000, 0xFF7F7F7F}},
      {"RGB, transparent 1 2 3", MakePng(2, 1, 8, Rgb, {{1, 2, 3, 1, 2, 4}}, {}, {0, 1, 0, 2, 0, 3}),
       {0x00000000, 0xFF010204}},
  };
  for (const auto& c : cases) {
    TImage image;
    ASSERT_EQ(Load(c.Png, image), Ok) << c.Name;
    EXPECT_EQ(Pixels(image), c.Expected) << c.Name;
    // Every case with an alpha channel or a transparency chunk uses it.
    const bool alpha = std::any_of(c.Expected.begin(), c.Expected.end(), [](DWORD p) { return p < 0xFF000000; });
    EXPECT_EQ(FormatOf(image), alpha ? PixelFormat32bppPARGB : PixelFormat32bppRGB) << c.Name;
    EXPECT_EQ(RawFormatOf(image), ImageFormatPNG) << c.Name;
  }
}

TEST_F(GdiplusCodecs, InterlacedPngComesOutWhole) {
  TImage image;
  ASSERT_EQ(Load(ResourceBytes(u"INTERLACED_PNG"), image), Ok);
  REAL w = 0, h = 0;
  ASSERT_EQ(GdipGetImageDimension(image.Handle, &w, &h), Ok);
  ASSERT_EQ(w, 9.0f);
  ASSERT_EQ(h, 9.0f);
  // The fixture's pixel (x, y) is red 25x, green 25y, blue 100, in all
  // seven passes of its interlacing.
  const std::vector<DWORD> pixels = Pixels(image);
  for (DWORD y = 0; y < 9; ++y)
    for (DWORD x = 0; x < 9; ++x)
      EXPECT_EQ(pixels[y * 9 + x], 0xFF000000 | (x * 25) << 16 | (y * 25) << 8 | 100) << x << "," << y;
}

TEST_F(GdiplusCodecs, JpegsOfGreyColourAndCmykDecodeOpaque) {
  // Flat 16 x 16 fixtures: grey 90; RGB (200, 100, 50); ink C 0, M 128,
  // Y 255, K 64 with the Adobe marker (stored inverted), which over white
  // is ((255 - 0) (255 - 64), (255 - 128) (255 - 64), 0) / 255 = (191, 95, 0).
  const struct {
    LPCWSTR Name;
    DWORD Expected;
  } cases[] = {{u"FLAT_GREY_JPG", 0xFF5A5A5A}, {u"FLAT_COLOUR_JPG", 0xFFC86432}, {u"FLAT_CMYK_JPG", 0xFFBF5F00}};
  for (const auto& c : cases) {
    TImage image;
    ASSERT_EQ(Load(ResourceBytes(c.Name), image), Ok);
    EXPECT_EQ(FormatOf(image), PixelFormat32bppRGB);
    EXPECT_EQ(RawFormatOf(image), ImageFormatJPEG);
    const std::vector<DWORD> pixels = Pixels(image);
    ASSERT_EQ(pixels.size(), 256u);
    for (DWORD p : pixels) EXPECT_PRED3(Near, p, c.Expected, 2) << std::hex << p;
  }
}

TEST_F(GdiplusCodecs, BmpsKeepAlphaOnlyWhereBitFieldsNameIt) {
  const struct {
    const char* Name;
    TBytes File;
    PixelFormat Format;
    std::vector<DWORD> Expected;
  } cases[] = {
      // Bottom-up: the first row in the file is the lower one.
      {"24 bits", MakeBmp(2, 2, 24, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}), PixelFormat32bppRGB,
       {0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504}},
      {"32 bits, fourth byte reserved", MakeBmp(1, 1, 32, {{1, 2, 3, 0x40}}), PixelFormat32bppRGB, {0xFF030201}},
      // Straight 0x80 alpha over (0x60, 0x40, 0x20): 0x30, 0x20, 0x10.
      {"32 bits, alpha bit fields", MakeBmp(2, -1, 32, {{0x20, 0x40, 0x60, 0x80, 9, 9, 9, 0}},
                                            {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}),
       PixelFormat32bppPARGB, {0x80302010, 0x00000000}},
  };
  for (const auto& c : cases) {
    TImage image;
    ASSERT_EQ(Load(c.File, image), Ok) << c.Name;
    EXPECT_EQ(FormatOf(image), c.Format) << c.Name;
    EXPECT_EQ(RawFormatOf(image), ImageFormatBMP) << c.Name;
    EXPECT_EQ(Pixels(image), c.Expected) << c.Name;
  }
}

TEST_F(GdiplusCodecs, EncoderListHoldsThreeRecordsAndTheirStrings) {
  UINT count = 0, size = 0;
  ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
  ASSERT_EQ(count, 3u);
  ASSERT_GT(size, 3 * sizeof(ImageCodecInfo));
  std::vector<std::max_align_t> storage(size / sizeof(std::max_align_t) + 1);
  auto* records = reinterpret_cast<ImageCodecInfo*>(storage.data());
  EXPECT_EQ(GdipGetImageEncoders(2, size, records), InvalidParameter);
  EXPECT_EQ(GdipGetImageEncoders(count, size - 1, records), InsufficientBuffer);
  EXPECT_EQ(GdipGetImageEncoders(count, size, nullptr), InvalidParameter);
  ASSERT_EQ(GdipGetImageEncoders(count, size, records), Ok);

  const auto* begin = reinterpret_cast<const BYTE*>(records);
  const auto inside = [&](const void* p, size_t bytes) {
    const auto* b = static_cast<const BYTE*>(p);
    return b >= begin + count * sizeof(ImageCodecInfo) && b + bytes <= begin + size;
  };
  const struct {
    CLSID Clsid;
    GUID Format;
    std::u16string Mime, Description;
    TBytes Signature;
  } expected[] = {{BmpEncoderClsid, ImageFormatBMP, u"image/bmp", u"BMP", {'B', 'M'}},
                  {JpegEncoderClsid, ImageFormatJPEG, u"image/jpeg", u"JPEG", {0xFF, 0xD8}},
                  {PngEncoderClsid, ImageFormatPNG, u"image/png", u"PNG", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}}};
  for (UINT i = 0; i < count; ++i) {
    const ImageCodecInfo& r = records[i];
    EXPECT_EQ(r.Clsid, expected[i].Clsid) << i;
    EXPECT_EQ(r.FormatID, expected[i].Format) << i;
    ASSERT_TRUE(inside(r.MimeType, 2)) << i;
    EXPECT_EQ(std::u16string(r.MimeType), expected[i].Mime);
    EXPECT_TRUE(inside(r.MimeType, (expected[i].Mime.size() + 1) * 2));
    EXPECT_EQ(std::u16string(r.FormatDescription), expected[i].Description);
    EXPECT_TRUE(inside(r.CodecName, 2) && inside(r.FilenameExtension, 2)) << i;
    EXPECT_EQ(r.DllName, nullptr);
    EXPECT_EQ(r.Flags & (ImageCodecFlagsEncoder | ImageCodecFlagsBuiltin),
              ImageCodecFlagsEncoder | ImageCodecFlagsBuiltin);
    ASSERT_EQ(r.SigCount, 1u);
    ASSERT_EQ(r.SigSize, expected[i].Signature.size());
    ASSERT_TRUE(inside(r.SigPattern, r.SigSize) && inside(r.SigMask, r.SigSize)) << i;
    EXPECT_EQ(TBytes(r.SigPattern, r.SigPattern + r.SigSize), expected[i].Signature);
    EXPECT_EQ(TBytes(r.SigMask, r.SigMask + r.SigSize), TBytes(r.SigSize, 0xFF));
  }
  EXPECT_EQ(sizeof(ImageCodecInfo), sizeof(void*) == 8 ? 104u : 76u);

  SetEncoderAvailable(PngEncoderClsid, false);
  ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
  ASSERT_EQ(count, 2u);
  ASSERT_EQ(GdipGetImageEncoders(count, size, records), Ok);
  EXPECT_EQ(std::u16string(records[0].MimeType), u"image/bmp");
  EXPECT_EQ(std::u16string(records[1].MimeType), u"image/jpeg");
  TImage image;
  ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, image.BitmapOut()), Ok);
  TMemoryIStream stream;
  EXPECT_EQ(GdipSaveImageToStream(image.Handle, &stream, &PngEncoderClsid, nullptr), UnknownImageFormat);
  EXPECT_TRUE(stream.Bytes().empty());
}

TEST_F(GdiplusCodecs, PngsWrittenCarryStraightAlpha) {
  // Premultiplied: transparent, alpha 128 over (64, 32, 16), opaque.
  DWORD pixels[3] = {0x00000000, 0x80402010, 0xFF123456};
  TImage image;
  ASSERT_EQ(GdipCreateBitmapFromScan0(3, 1, 12, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixels),
                                      image.BitmapOut()),
            Ok);
  const TReadPng png = ReadPng(Save(image, PngEncoderClsid));
  ASSERT_EQ(png.Width, 3u);
  ASSERT_EQ(png.ColorType, Rgba);
  ASSERT_EQ(png.Pixels.size(), 3u);
  EXPECT_EQ(png.Pixels[0] >> 24, 0u);
  // Straight: c * 255 / 128 = 127.5, 63.75, 31.9.
  EXPECT_PRED3(Near, png.Pixels[1], 0x80804020u, 1) << std::hex << png.Pixels[1];
  EXPECT_EQ(png.Pixels[2], 0xFF123456u);

  // Opaque formats are written as RGB, and read back the same.
  DWORD opaque[2] = {0x00FF8040, 0x12010203};  // the fourth byte is not read
  TImage rgb;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 1, 8, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(opaque), rgb.BitmapOut()),
            Ok);
  const TBytes bytes = Save(rgb, PngEncoderClsid);
  const TReadPng plain = ReadPng(bytes);
  EXPECT_EQ(plain.ColorType, Rgb);
  EXPECT_EQ(plain.Pixels, (std::vector<DWORD>{0xFFFF8040, 0xFF010203}));
  TImage back;
  ASSERT_EQ(Load(bytes, back), Ok);
  EXPECT_EQ(Pixels(back), plain.Pixels);
}

TEST_F(GdiplusCodecs, BmpsRoundTripExactlyAtBothDepths) {
  DWORD premultiplied[6] = {0x00000000, 0x80402010, 0xFF123456, 0x01010000, 0x7F7F7F7F, 0x40000040};
  DWORD opaque[6] = {0xFF000000, 0xFFFFFFFF, 0xFF123456, 0xFF010203, 0xFF808080, 0xFFFEDCBA};
  const struct {
    PixelFormat Format;
    DWORD* Pixels;
    WORD BitCount;
    DWORD Offset;
  } cases[] = {{PixelFormat32bppPARGB, premultiplied, 32, 14 + 108}, {PixelFormat32bppRGB, opaque, 24, 14 + 40}};
  for (const auto& c : cases) {
    TImage image;
    ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 12, c.Format, reinterpret_cast<BYTE*>(c.Pixels), image.BitmapOut()), Ok);
    const TBytes bytes = Save(image, BmpEncoderClsid);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[28], c.BitCount);
    EXPECT_EQ(bytes[10] | bytes[11] << 8, static_cast<int>(c.Offset));
    const size_t stride = (3 * c.BitCount / 8 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), c.Offset + 2 * stride);
    TImage back;
    ASSERT_EQ(Load(bytes, back), Ok);
    EXPECT_EQ(FormatOf(back), c.Format);
    EXPECT_EQ(Pixels(back), std::vector<DWORD>(c.Pixels, c.Pixels + 6)) << c.BitCount;
  }
}

TEST_F(GdiplusCodecs, JpegsWrittenComeBackWithinFourLevels) {
  std::vector<DWORD> flat(16 * 16, 0xFFC86432);
  TImage image;
  ASSERT_EQ(GdipCreateBitmapFromScan0(16, 16, 64, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(flat.data()),
                                      image.BitmapOut()),
            Ok);
  const TBytes bytes = Save(image, JpegEncoderClsid);
  ASSERT_GT(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);
  TImage back;
  ASSERT_EQ(Load(bytes, back), Ok);
  EXPECT_EQ(RawFormatOf(back), ImageFormatJPEG);
  for (DWORD p : Pixels(back)) EXPECT_PRED3(Near, p, 0xFFC86432u, 4) << std::hex << p;
}

TEST_F(GdiplusCodecs, SavingRefusesWhatItCannotDo) {
  TImage image;
  ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, image.BitmapOut()), Ok);
  TMemoryIStream stream;
  const CLSID gif{0x557CF402, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  EXPECT_EQ(GdipSaveImageToStream(image.Handle, &stream, &gif, nullptr), UnknownImageFormat);
  EXPECT_EQ(GdipSaveImageToStream(image.Handle, &stream, nullptr, nullptr), InvalidParameter);
  EXPECT_EQ(GdipSaveImageToStream(image.Handle, nullptr, &PngEncoderClsid, nullptr), InvalidParameter);
  EncoderParameters parameters;
  parameters.Count = 1;
  EXPECT_EQ(GdipSaveImageToStream(image.Handle, &stream, &JpegEncoderClsid, &parameters), NotImplemented);
  parameters.Count = 0;
  EXPECT_EQ(GdipSaveImageToStream(image.Handle, &stream, &BmpEncoderClsid, &parameters), Ok);

  // A stream that takes nothing.
  class TFull : public TMemoryIStream {
    HRESULT Write(const void*, ULONG, ULONG* written) override {
      if (written) *written = 0;
      return STG_E_MEDIUMFULL;
    }
  } full;
  EXPECT_EQ(GdipSaveImageToStream(image.Handle, &full, &PngEncoderClsid, nullptr), Win32Error);
}

TEST_F(GdiplusCodecs, LoadingReadsFromThePositionAndCountsDecodes) {
  const TBytes png = MakePng(1, 1, 8, Rgb, {{1, 2, 3}});
  TMemoryIStream stream;
  stream.Write("junk", 4, nullptr);
  stream.Write(png.data(), static_cast<ULONG>(png.size()), nullptr);
  stream.Seek(4, STREAM_SEEK_SET, nullptr);
  const int before = GetDecodeCount(ImageFormatPNG);
  TImage image;
  ASSERT_EQ(GdipLoadImageFromStream(&stream, image.Out()), Ok);
  EXPECT_EQ(Pixels(image), std::vector<DWORD>{0xFF010203});
  EXPECT_EQ(GetDecodeCount(ImageFormatPNG), before + 1);
  EXPECT_EQ(GetDecodeCount(ImageFormatJPEG), 0);
  // A stream that cannot tell its size is read in chunks.
  class TUnsized : public TMemoryIStream {
   public:
    using TMemoryIStream::TMemoryIStream;

   private:
    HRESULT Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
  } unsized(png);
  TImage chunked;
  ASSERT_EQ(GdipLoadImageFromStream(&unsized, chunked.Out()), Ok);
  EXPECT_EQ(Pixels(chunked), std::vector<DWORD>{0xFF010203});
  EXPECT_EQ(GetDecodeCount(ImageFormatPNG), before + 2);
  TImage failed;
  EXPECT_NE(Load(TBytes(png.begin(), png.end() - 1), failed), Ok);
  EXPECT_EQ(GetDecodeCount(ImageFormatPNG), before + 2) << "only images decoded count";
  ResetGdiplusSwitches();
  EXPECT_EQ(GetDecodeCount(ImageFormatPNG), 0);

  const struct {
    const char* Name;
    TBytes Bytes;
  } unknown[] = {{"GIF", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}},
                 {"TIFF", {'I', 'I', '*', 0, 8, 0, 0, 0}},
                 {"nothing", {}},
                 {"text", {'h', 'e', 'l', 'l', 'o'}}};
  for (const auto& u : unknown) {
    TImage none;
    EXPECT_EQ(Load(u.Bytes, none), UnknownImageFormat) << u.Name;
    EXPECT_EQ(none.Handle, nullptr);
  }

  // Ten bytes it cannot read.
  class TBroken : public TMemoryIStream {
   public:
    TBroken() : TMemoryIStream(TBytes(10, 0)) {}

   private:
    HRESULT Read(void*, ULONG, ULONG* read) override {
      if (read) *read = 0;
      return E_FAIL;
    }
  } broken;
  TImage none;
  EXPECT_EQ(GdipLoadImageFromStream(&broken, none.Out()), InvalidParameter);
  EXPECT_EQ(GdipLoadImageFromStream(nullptr, none.Out()), InvalidParameter);
}

// A JPEG fixture whose frame header (FF C0) declares another size, after
// its length and precision.
TBytes JpegDeclaring(LPCWSTR fixture, WORD width, WORD height) {
  TBytes jpeg = ResourceBytes(fixture);
  for (size_t i = 0; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = static_cast<BYTE>(height >> 8), jpeg[i + 6] = static_cast<BYTE>(height);
      jpeg[i + 7] = static_cast<BYTE>(width >> 8), jpeg[i + 8] = static_cast<BYTE>(width);
      break;
    }
  return jpeg;
}

TEST_F(GdiplusCodecs, DeclaredSizesBeyondTheLimitsAreRefusedBeforeDecoding) {
  const struct {
    const char* Name;
    TBytes Bytes;
  } cases[] = {
      {"PNG 65536 wide", MakePng(65536, 1, 1, Grey, {TBytes(8192, 0)})},
      {"PNG of 2^26 + 8192 pixels", MakePng(8193, 8192, 1, Grey, {TBytes(1025, 0)})},
      {"BMP 65536 wide", MakeBmp(65536, 1, 24, {TBytes(65536 * 3, 0x7F)})},
      // The largest libjpeg takes.
      {"JPEG 65500 x 65500", JpegDeclaring(u"FLAT_GREY_JPG", 65500, 65500)},
  };
  for (const auto& c : cases) {
    TImage none;
    EXPECT_EQ(Load(c.Bytes, none), OutOfMemory) << c.Name;
  }
}

TEST_F(GdiplusCodecs, FilesTooShortForTheSizeTheyDeclareFail) {
  // Deflate inflates 1032 times at most: 100 bytes hold no 4096 x 4096 RGBA.
  TImage png;
  EXPECT_EQ(Load(MakePng(4096, 4096, 8, Rgba, {TBytes(16, 0)}), png), InvalidParameter);
  // The image data of a 16 x 16 JPEG ends long before 4096 x 4096 pixels:
  // libjpeg would paint the rest grey.
  TImage jpeg;
  EXPECT_EQ(Load(JpegDeclaring(u"FLAT_COLOUR_JPG", 4096, 4096), jpeg), InvalidParameter);
}

// Fixtures made elsewhere, and images this library wrote.
std::vector<std::pair<std::string, TBytes>> Samples(const TImage& written) {
  std::vector<std::pair<std::string, TBytes>> samples = {
      {"interlaced PNG", ResourceBytes(u"INTERLACED_PNG")},
      {"grey JPEG", ResourceBytes(u"FLAT_GREY_JPG")},
      {"colour JPEG", ResourceBytes(u"FLAT_COLOUR_JPG")},
      {"CMYK JPEG", ResourceBytes(u"FLAT_CMYK_JPG")},
      {"palette PNG", MakePng(3, 2, 4, Palette, {{0x01, 0x20}, {0x21, 0x00}}, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 128})},
      {"24-bit BMP", MakeBmp(2, 2, 24, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}})},
  };
  samples.emplace_back("written PNG", Save(written, PngEncoderClsid));
  samples.emplace_back("written JPEG", Save(written, JpegEncoderClsid));
  samples.emplace_back("written BMP", Save(written, BmpEncoderClsid));
  return samples;
}

TEST_F(GdiplusCodecs, TruncatedAndDamagedFilesFailOrGiveValidImages) {
  std::vector<DWORD> gradient(8 * 8);
  for (size_t i = 0; i < gradient.size(); ++i) gradient[i] = static_cast<DWORD>(i * 4) << 24 | static_cast<DWORD>(i);
  TImage written;
  ASSERT_EQ(GdipCreateBitmapFromScan0(8, 8, 32, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(gradient.data()),
                                      written.BitmapOut()),
            Ok);
  std::mt19937 random(31);
  for (const auto& [name, bytes] : Samples(written)) {
    ASSERT_GT(bytes.size(), 16u) << name;
    // Every prefix fails: nothing here reads an image that ends early.
    for (size_t n = 0; n < bytes.size(); ++n) {
      TImage image;
      EXPECT_NE(Load(TBytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(n)), image), Ok)
          << name << " cut to " << n;
    }
    int decoded = 0;
    for (int i = 0; i < 200; ++i) {
      TBytes damaged = bytes;
      for (int k = 0; k < 2; ++k) damaged[random() % damaged.size()] ^= static_cast<BYTE>(1 + random() % 255);
      TImage image;
      const GpStatus status = Load(damaged, image);
      EXPECT_TRUE(status == Ok || status == InvalidParameter || status == UnknownImageFormat ||
                  status == OutOfMemory)
          << name << ": " << status;
      if (status != Ok) continue;
      ++decoded;
      UINT w = 0, h = 0;
      ASSERT_EQ(GdipGetImageWidth(image.Handle, &w), Ok);
      ASSERT_EQ(GdipGetImageHeight(image.Handle, &h), Ok);
      EXPECT_EQ(Pixels(image).size(), static_cast<size_t>(w) * h) << name;
    }
    // Every byte of a PNG is under a checksum or a length; elsewhere some
    // damage spares the image.
    if (name.find("PNG") == std::string::npos) {
      EXPECT_GT(decoded, 0) << name;
    }
  }
}

}  // namespace

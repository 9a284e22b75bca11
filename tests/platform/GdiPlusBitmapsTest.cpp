#include <gtest/gtest.h>

#include "tests/platform/GdiPlusTestSupport.h"

namespace {

using namespace Gdiplus;

class GdiplusBitmaps : public TGdiplusTest {};

GUID RawFormat(const TImage& image) {
  GUID format;
  EXPECT_EQ(GdipGetImageRawFormat(image.Handle, &format), Ok);
  return format;
}

PixelFormat FormatOf(const TImage& image) {
  PixelFormat format = 0;
  EXPECT_EQ(GdipGetImagePixelFormat(image.Handle, &format), Ok);
  return format;
}

TEST_F(GdiplusBitmaps, CallerRowsStayTheCallersAndShowLaterChanges) {
  // 3 x 2 straight ARGB with a padded stride of 16 bytes.
  DWORD rows[2][4] = {{0x80FF0000, 0xFF00FF00, 0x00FFFFFF, 0xDEADBEEF}, {0x40204080, 0xFF000000, 0x01020304, 0}};
  TImage image;
  ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 16, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(rows), image.BitmapOut()),
            Ok);
  EXPECT_EQ(FormatOf(image), PixelFormat32bppARGB);
  EXPECT_EQ(RawFormat(image), ImageFormatMemoryBMP);
  UINT width = 0, height = 0;
  REAL w = 0, h = 0;
  EXPECT_EQ(GdipGetImageWidth(image.Handle, &width), Ok);
  EXPECT_EQ(GdipGetImageHeight(image.Handle, &height), Ok);
  EXPECT_EQ(GdipGetImageDimension(image.Handle, &w, &h), Ok);
  EXPECT_EQ(width, 3u);
  EXPECT_EQ(height, 2u);
  EXPECT_EQ(w, 3.0f);
  EXPECT_EQ(h, 2.0f);
  // Premultiplied: 255 * 128 / 255 = 128; 0x20, 0x40, 0x80 at alpha 64: 8, 16, 32.
  EXPECT_EQ(Pixels(image),
            (std::vector<DWORD>{0x80800000, 0xFF00FF00, 0x00000000, 0x40081020, 0xFF000000, 0x01000000}));
  EXPECT_EQ(Pixels(image, PixelFormat32bppARGB),
            (std::vector<DWORD>{0x80FF0000, 0xFF00FF00, 0x00FFFFFF, 0x40204080, 0xFF000000, 0x01020304}));
  rows[1][1] = 0xFF123456;
  EXPECT_EQ(Pixels(image)[4], 0xFF123456u) << "the bitmap reads the caller's memory";

  // Bottom-up rows: a negative stride from the last row's start.
  DWORD bottomUp[2] = {0xFF0000FF, 0xFFFF0000};  // the bottom row first in memory
  TImage flipped;
  ASSERT_EQ(GdipCreateBitmapFromScan0(1, 2, -4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(&bottomUp[1]),
                                      flipped.BitmapOut()),
            Ok);
  EXPECT_EQ(Pixels(flipped), (std::vector<DWORD>{0xFFFF0000, 0xFF0000FF}));
}

TEST_F(GdiplusBitmaps, EachFormatReadsIntoEveryOther) {
  // One pixel, orange at alpha 0x80 straight, in each format's own bytes.
  const BYTE rgb24[4] = {0x00, 0x80, 0xFF, 0};
  const BYTE rgb32[4] = {0x00, 0x80, 0xFF, 0x12};  // the fourth byte is not read
  const BYTE argb[4] = {0x00, 0x80, 0xFF, 0x80};
  const BYTE pargb[4] = {0x00, 0x40, 0x80, 0x80};
  const struct {
    PixelFormat Format;
    const BYTE* Bytes;
    DWORD Premultiplied, Straight, Opaque;
  } cases[] = {
      {PixelFormat24bppRGB, rgb24, 0xFFFF8000, 0xFFFF8000, 0xFF8000},
      {PixelFormat32bppRGB, rgb32, 0xFFFF8000, 0xFFFF8000, 0xFF8000},
      // 255 * 128 / 255 = 128, 128 * 128 / 255 = 64.25: 64.
      {PixelFormat32bppARGB, argb, 0x80804000, 0x80FF8000, 0xFF8000},
      // 128 * 255 / 128 = 255, 64 * 255 / 128 = 127.5: 128; alpha dropped for
      // the opaque formats.
      {PixelFormat32bppPARGB, pargb, 0x80804000, 0x80FF8000, 0xFF8000},
  };
  for (const auto& c : cases) {
    TImage image;
    ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, c.Format, const_cast<BYTE*>(c.Bytes), image.BitmapOut()), Ok);
    EXPECT_EQ(Pixels(image)[0], c.Premultiplied) << std::hex << c.Format;
    EXPECT_EQ(Pixels(image, PixelFormat32bppARGB)[0], c.Straight) << std::hex << c.Format;
    // The fourth byte of 32bppRGB is not defined.
    EXPECT_EQ(Pixels(image, PixelFormat32bppRGB)[0] & 0xFFFFFF, c.Opaque) << std::hex << c.Format;
    BitmapData data;
    ASSERT_EQ(GdipBitmapLockBits(image.Bitmap(), nullptr, ImageLockModeRead, PixelFormat24bppRGB, &data), Ok);
    const auto* p = static_cast<const BYTE*>(data.Scan0);
    EXPECT_EQ((std::vector<BYTE>{p[0], p[1], p[2]}), (std::vector<BYTE>{0x00, 0x80, 0xFF})) << std::hex << c.Format;
    EXPECT_EQ(GdipBitmapUnlockBits(image.Bitmap(), &data), Ok);
  }
}

TEST_F(GdiplusBitmaps, OwnedBitmapsStartZeroedAndRefuseBadArguments) {
  TImage image;
  ASSERT_EQ(GdipCreateBitmapFromScan0(5, 3, 0, PixelFormat24bppRGB, nullptr, image.BitmapOut()), Ok);
  EXPECT_EQ(FormatOf(image), PixelFormat24bppRGB);
  EXPECT_EQ(Pixels(image), std::vector<DWORD>(15, 0xFF000000)) << "black, opaque";

  BYTE memory[64] = {};
  GpBitmap* none = nullptr;
  const struct {
    const char* Name;
    INT Width, Height, Stride;
    PixelFormat Format;
    BYTE* Scan0;
    GpStatus Want;
  } cases[] = {
      {"zero width", 0, 1, 4, PixelFormat32bppARGB, memory, InvalidParameter},
      {"negative height", 1, -1, 4, PixelFormat32bppARGB, memory, InvalidParameter},
      {"8 bits indexed", 1, 1, 4, 0x00030803, memory, InvalidParameter},
      {"stride not a multiple of 4", 2, 1, 6, PixelFormat24bppRGB, memory, InvalidParameter},
      {"stride shorter than a row", 3, 1, 8, PixelFormat32bppARGB, memory, InvalidParameter},
      {"wider than 65535", 65536, 1, 0, PixelFormat32bppARGB, nullptr, OutOfMemory},
      {"more than 2^26 pixels", 8193, 8192, 0, PixelFormat32bppARGB, nullptr, OutOfMemory},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GdipCreateBitmapFromScan0(c.Width, c.Height, c.Stride, c.Format, c.Scan0, &none), c.Want) << c.Name;
  EXPECT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppARGB, memory, nullptr), InvalidParameter);
  EXPECT_EQ(none, nullptr);
}

TEST_F(GdiplusBitmaps, GdiBitmapsBecomeOpaqueCopiesThroughTheirColourTable) {
  // 1 bit: 1, 0, 1 with a colour table of dark blue and pale yellow.
  HBITMAP mono = CreateMonoDibRow(3, {0x80, 0, 0, 0}, {0x80, 0xFF, 0xFF, 0}, 0b10100000);
  TImage fromMono;
  ASSERT_EQ(GdipCreateBitmapFromHBITMAP(mono, nullptr, fromMono.BitmapOut()), Ok);
  EXPECT_EQ(Pixels(fromMono), (std::vector<DWORD>{0xFFFFFF80, 0xFF000080, 0xFFFFFF80}));
  EXPECT_EQ(FormatOf(fromMono), PixelFormat32bppRGB);
  EXPECT_EQ(RawFormat(fromMono), ImageFormatMemoryBMP);

  // 24 bits, bottom-up: the first row in memory is the lower one.
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 1;
  bi.bmiHeader.biHeight = 2;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP rgb = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const BYTE rows24[8] = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0};
  std::memcpy(bits, rows24, sizeof(rows24));
  TImage fromRgb;
  ASSERT_EQ(GdipCreateBitmapFromHBITMAP(rgb, nullptr, fromRgb.BitmapOut()), Ok);
  EXPECT_EQ(Pixels(fromRgb), (std::vector<DWORD>{0xFF605040, 0xFF302010}));

  // 32 bits with alpha: the alpha is not kept.
  TTestSurface surface(2, 1);
  surface.Bits[0] = 0x80102030;
  surface.Bits[1] = 0x00FFFFFF;
  TImage fromArgb;
  ASSERT_EQ(GdipCreateBitmapFromHBITMAP(surface.Bitmap, nullptr, fromArgb.BitmapOut()), Ok);
  EXPECT_EQ(Pixels(fromArgb), (std::vector<DWORD>{0xFF102030, 0xFFFFFFFF}));
  surface.Bits[0] = 0;
  EXPECT_EQ(Pixels(fromArgb)[0], 0xFF102030u) << "a copy";

  // A monochrome device bitmap is black and white.
  const BYTE ddbBits[2] = {0b01000000, 0};
  HBITMAP ddb = CreateBitmap(2, 1, 1, 1, ddbBits);
  TImage fromDdb;
  ASSERT_EQ(GdipCreateBitmapFromHBITMAP(ddb, nullptr, fromDdb.BitmapOut()), Ok);
  EXPECT_EQ(Pixels(fromDdb), (std::vector<DWORD>{0xFF000000, 0xFFFFFFFF}));

  GpBitmap* none = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromHBITMAP(nullptr, nullptr, &none), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromHBITMAP(reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH)), nullptr, &none),
            InvalidParameter);
  for (HBITMAP b : {mono, rgb, ddb}) DeleteObject(b);
}

TEST_F(GdiplusBitmaps, HBitmapsCarryThePremultipliedPixelsOverTheBackground) {
  DWORD pixels[2] = {0x80400000, 0xFF00FF00};  // half-transparent dark red, opaque green
  TImage image;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 1, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixels),
                                      image.BitmapOut()),
            Ok);
  HBITMAP plain = nullptr, onWhite = nullptr;
  ASSERT_EQ(GdipCreateHBITMAPFromBitmap(image.Bitmap(), &plain, 0), Ok);
  ASSERT_EQ(GdipCreateHBITMAPFromBitmap(image.Bitmap(), &onWhite, 0xFFFFFFFF), Ok);
  DIBSECTION ds;
  ASSERT_EQ(GetObjectW(plain, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
  EXPECT_EQ(ds.dsBmih.biHeight, 1) << "bottom-up";
  const auto* plainBits = static_cast<const DWORD*>(ds.dsBm.bmBits);
  EXPECT_EQ(plainBits[0], 0x80400000u);
  EXPECT_EQ(plainBits[1], 0xFF00FF00u);
  ASSERT_EQ(GetObjectW(onWhite, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
  // 0x40 + 255 * 127 / 255 = 0x40 + 127 = 0xBF; the others 0 + 127 = 0x7F.
  EXPECT_EQ(static_cast<const DWORD*>(ds.dsBm.bmBits)[0], 0xFFBF7F7Fu);
  EXPECT_EQ(static_cast<const DWORD*>(ds.dsBm.bmBits)[1], 0xFF00FF00u);
  DeleteObject(plain);
  DeleteObject(onWhite);
  EXPECT_EQ(GdipCreateHBITMAPFromBitmap(image.Bitmap(), nullptr, 0), InvalidParameter);
}

TEST_F(GdiplusBitmaps, LocksLendRowsAndWriteBackConvertedCopies) {
  DWORD rows[2][2] = {{0xFF000001, 0xFF000002}, {0xFF000003, 0xFF000004}};
  TImage image;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(rows),
                                      image.BitmapOut()),
            Ok);
  // The bitmap's own format: its own rows.
  const GpRect corner{1, 1, 1, 1};
  BitmapData data;
  ASSERT_EQ(GdipBitmapLockBits(image.Bitmap(), &corner, ImageLockModeWrite, PixelFormat32bppPARGB, &data), Ok);
  EXPECT_EQ(data.Scan0, &rows[1][1]);
  EXPECT_EQ(data.Stride, 8);
  EXPECT_EQ(data.Width, 1u);
  BitmapData again;
  EXPECT_EQ(GdipBitmapLockBits(image.Bitmap(), nullptr, ImageLockModeRead, PixelFormat32bppPARGB, &again), WrongState);
  ASSERT_EQ(GdipBitmapUnlockBits(image.Bitmap(), &data), Ok);
  EXPECT_EQ(GdipBitmapUnlockBits(image.Bitmap(), &data), WrongState);

  // Another format: a copy, written back as premultiplied pixels on unlock.
  const GpRect top{0, 0, 2, 1};
  ASSERT_EQ(GdipBitmapLockBits(image.Bitmap(), &top, ImageLockModeRead | ImageLockModeWrite, PixelFormat32bppARGB,
                               &data),
            Ok);
  auto* lent = static_cast<DWORD*>(data.Scan0);
  EXPECT_EQ(lent[1], 0xFF000002u);
  lent[0] = 0x80FF0000;  // straight: half-transparent red
  lent[1] = 0x00123456;
  EXPECT_EQ(rows[0][0], 0xFF000001u) << "not yet";
  ASSERT_EQ(GdipBitmapUnlockBits(image.Bitmap(), &data), Ok);
  EXPECT_EQ(rows[0][0], 0x80800000u);
  EXPECT_EQ(rows[0][1], 0u);
  EXPECT_EQ(rows[1][0], 0xFF000003u) << "outside the rectangle";

  // A read-only lock writes nothing back; a buffer of the caller's is filled.
  DWORD buffer[4] = {};
  BitmapData mine;
  mine.Scan0 = buffer;
  mine.Stride = 8;
  ASSERT_EQ(GdipBitmapLockBits(image.Bitmap(), nullptr, ImageLockModeRead | ImageLockModeUserInputBuf,
                               PixelFormat32bppPARGB, &mine),
            Ok);
  EXPECT_EQ(mine.Scan0, buffer);
  EXPECT_EQ(buffer[3], 0xFF000004u);
  buffer[3] = 0;
  ASSERT_EQ(GdipBitmapUnlockBits(image.Bitmap(), &mine), Ok);
  EXPECT_EQ(rows[1][1], 0xFF000004u);

  const GpRect outside[] = {{-1, 0, 1, 1}, {0, 0, 3, 1}, {1, 1, 1, 2}, {0, 0, 0, 1}};
  for (const GpRect& r : outside)
    EXPECT_EQ(GdipBitmapLockBits(image.Bitmap(), &r, ImageLockModeRead, PixelFormat32bppPARGB, &data),
              InvalidParameter)
        << r.X << "," << r.Y << " " << r.Width << "x" << r.Height;
  EXPECT_EQ(GdipBitmapLockBits(image.Bitmap(), nullptr, 0, PixelFormat32bppPARGB, &data), InvalidParameter);
  EXPECT_EQ(GdipBitmapLockBits(image.Bitmap(), nullptr, ImageLockModeRead, 0x00030803, &data), InvalidParameter);
  mine.Scan0 = nullptr;
  EXPECT_EQ(GdipBitmapLockBits(image.Bitmap(), nullptr, ImageLockModeRead | ImageLockModeUserInputBuf,
                               PixelFormat32bppPARGB, &mine),
            InvalidParameter);
}

TEST_F(GdiplusBitmaps, ClonesOwnTheirPixelsAndKeepTheFormats) {
  DWORD pixel = 0x80FF0000;
  TImage image, clone;
  ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(&pixel),
                                      image.BitmapOut()),
            Ok);
  ASSERT_EQ(GdipCloneImage(image.Handle, clone.Out()), Ok);
  EXPECT_NE(clone.Handle, image.Handle);
  EXPECT_EQ(FormatOf(clone), PixelFormat32bppARGB);
  EXPECT_EQ(RawFormat(clone), ImageFormatMemoryBMP);
  pixel = 0;
  EXPECT_EQ(Pixels(clone, PixelFormat32bppARGB)[0], 0x80FF0000u);
  EXPECT_EQ(GdipCloneImage(image.Handle, nullptr), InvalidParameter);
}

TEST_F(GdiplusBitmaps, RawFormatsAreTheSevenPublishedOnes) {
  // BMP's is the value the suite names; the others differ from it in the
  // first field only.
  EXPECT_EQ(ImageFormatBMP, (GUID{0xB96B3CAB, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}}));
  const GUID formats[] = {ImageFormatMemoryBMP, ImageFormatBMP, ImageFormatJPEG, ImageFormatPNG,
                          ImageFormatGIF,       ImageFormatTIFF, ImageFormatIcon};
  const DWORD firsts[] = {0xB96B3CAA, 0xB96B3CAB, 0xB96B3CAE, 0xB96B3CAF, 0xB96B3CB0, 0xB96B3CB1, 0xB96B3CB5};
  for (size_t i = 0; i < std::size(formats); ++i) {
    GUID expected = ImageFormatBMP;
    expected.Data1 = firsts[i];
    EXPECT_EQ(formats[i], expected) << i;
  }
}

TEST_F(GdiplusBitmaps, UnknownAndDisposedHandlesAreInvalid) {
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &bitmap), Ok);
  auto* image = reinterpret_cast<GpImage*>(bitmap);
  EXPECT_EQ(GdipDisposeImage(image), Ok);
  UINT width = 0;
  GUID format;
  EXPECT_EQ(GdipGetImageWidth(image, &width), InvalidParameter);
  EXPECT_EQ(GdipGetImageRawFormat(image, &format), InvalidParameter);
  EXPECT_EQ(GdipDisposeImage(image), InvalidParameter);
  int notAnImage = 0;
  EXPECT_EQ(GdipDisposeImage(reinterpret_cast<GpImage*>(&notAnImage)), InvalidParameter);
  EXPECT_EQ(GdipGetImageWidth(nullptr, &width), InvalidParameter);
}

}  // namespace

#pragma once
// What the image-library tests share: a started library that must end each
// test with no object alive, objects deleted when a test ends, PNG files
// written and read without libpng, and pixels read back through locks.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/GdiPlus.h"
#include "platform/GdiPlusGraphics.h"
#include "platform/GdiPlusSwitches.h"
#include "platform/Modules.h"
#include "platform/Resources.h"
#include "tests/platform/GdiTestSurface.h"

using TBytes = std::vector<BYTE>;

class TGdiplusTest : public TGdiLeakCheck {
 protected:
  void SetUp() override {
    TGdiLeakCheck::SetUp();
    Gdiplus::GdiplusStartupInput input;
    input.SuppressBackgroundThread = TRUE;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&FToken, &input, &FHooks), Gdiplus::Ok);
    FLive = Gdiplus::GetLiveGdiplusObjectCount();
  }
  void TearDown() override {
    Gdiplus::ResetGdiplusSwitches();
    ResetModuleAvailability();
    EXPECT_EQ(Gdiplus::GetLiveGdiplusObjectCount(), FLive) << "an image-library object leaked";
    Gdiplus::GdiplusShutdown(FToken);
    TGdiLeakCheck::TearDown();
  }

  ULONG_PTR FToken = 0;
  Gdiplus::GdiplusStartupOutput FHooks;

 private:
  int FLive = 0;
};

// An image the test disposes of when it ends.
struct TImage {
  Gdiplus::GpImage* Handle = nullptr;
  TImage() = default;
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;
  ~TImage() {
    if (Handle) Gdiplus::GdipDisposeImage(Handle);
  }
  Gdiplus::GpBitmap* Bitmap() const { return reinterpret_cast<Gdiplus::GpBitmap*>(Handle); }
  Gdiplus::GpImage** Out() { return &Handle; }
  Gdiplus::GpBitmap** BitmapOut() { return reinterpret_cast<Gdiplus::GpBitmap**>(&Handle); }
};

// A drawing-half object the test deletes when it ends.
template <typename T, Gdiplus::GpStatus (*Delete)(T*)>
struct TOwned {
  T* Handle = nullptr;
  TOwned() = default;
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  ~TOwned() {
    if (Handle) Delete(Handle);
  }
  T** Out() { return &Handle; }
  template <typename U>
  U** OutAs() {
    return reinterpret_cast<U**>(&Handle);
  }
  operator T*() const { return Handle; }
};
using TGraphics = TOwned<Gdiplus::GpGraphics, Gdiplus::GdipDeleteGraphics>;
using TBrush = TOwned<Gdiplus::GpBrush, Gdiplus::GdipDeleteBrush>;
using TPen = TOwned<Gdiplus::GpPen, Gdiplus::GdipDeletePen>;
using TPath = TOwned<Gdiplus::GpPath, Gdiplus::GdipDeletePath>;
using TMatrix = TOwned<Gdiplus::GpMatrix, Gdiplus::GdipDeleteMatrix>;
using TAttributes = TOwned<Gdiplus::GpImageAttributes, Gdiplus::GdipDisposeImageAttributes>;
using TRegionHandle = TOwned<Gdiplus::GpRegion, Gdiplus::GdipDeleteRegion>;

// Drawing tests: graphics on test surfaces, brushes, images over rows.
class TGdiplusDrawingTest : public TGdiplusTest {
 protected:
  static void OnDC(TGraphics& g, const TTestSurface& s) {
    ASSERT_EQ(Gdiplus::GdipCreateFromHDC(s.DC, g.Out()), Gdiplus::Ok);
  }
  static void Solid(TBrush& b, Gdiplus::ARGB color) {
    ASSERT_EQ(Gdiplus::GdipCreateSolidFill(color, b.OutAs<Gdiplus::GpSolidFill>()), Gdiplus::Ok);
  }
  // A premultiplied bitmap over the caller's rows of width pixels.
  static void Over(TImage& image, std::vector<DWORD>& rows, INT width) {
    ASSERT_EQ(Gdiplus::GdipCreateBitmapFromScan0(width, static_cast<INT>(rows.size()) / width, width * 4,
                                                 Gdiplus::PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(rows.data()),
                                                 image.BitmapOut()),
              Gdiplus::Ok);
  }
  static void Fill(Gdiplus::GpGraphics* g, Gdiplus::ARGB color, INT x, INT y, INT w, INT h) {
    TBrush brush;
    Solid(brush, color);
    EXPECT_EQ(Gdiplus::GdipFillRectangleI(g, brush, x, y, w, h), Gdiplus::Ok);
  }
};

// Each channel of the two pixels within tolerance.
inline ::testing::AssertionResult Near(DWORD actual, DWORD expected, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) > tolerance)
      return ::testing::AssertionFailure() << std::hex << actual << " is not within " << std::dec << tolerance << " of "
                                           << std::hex << expected;
  return ::testing::AssertionSuccess();
}

inline Gdiplus::GpStatus Load(const TBytes& bytes, TImage& image) {
  TMemoryIStream stream(bytes);
  return Gdiplus::GdipLoadImageFromStream(&stream, image.Out());
}

inline TBytes Save(const TImage& image, const CLSID& encoder) {
  TMemoryIStream stream;
  EXPECT_EQ(Gdiplus::GdipSaveImageToStream(image.Handle, &stream, &encoder, nullptr), Gdiplus::Ok);
  return stream.Bytes();
}

// Every pixel, top row first, read in the format asked (0xAARRGGBB).
inline std::vector<DWORD> Pixels(const TImage& image, Gdiplus::PixelFormat format = Gdiplus::PixelFormat32bppPARGB) {
  Gdiplus::BitmapData data;
  if (Gdiplus::GdipBitmapLockBits(image.Bitmap(), nullptr, Gdiplus::ImageLockModeRead, format, &data) != Gdiplus::Ok)
    return {};
  std::vector<DWORD> pixels(static_cast<size_t>(data.Width) * data.Height);
  for (UINT y = 0; y < data.Height; ++y)
    std::memcpy(pixels.data() + y * data.Width, static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride,
                data.Width * 4);
  Gdiplus::GdipBitmapUnlockBits(image.Bitmap(), &data);
  return pixels;
}

// A resource of the test program, as bytes.
inline TBytes ResourceBytes(LPCWSTR name) {
  HRSRC info = FindResourceW(nullptr, name, RT_RCDATA);
  if (!info) return {};
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info)));
  return TBytes(data, data + SizeofResource(nullptr, info));
}

// --- PNG files without libpng ----------------------------------------------

inline void PutBig32(TBytes& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<BYTE>(v >> shift));
}

inline void PutChunk(TBytes& out, const char* type, const TBytes& data) {
  PutBig32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBig32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// A PNG whose image data is zlib's stored blocks: no compression involved.
// Rows hold packed samples without the filter byte; the palette is red,
// green, blue for each entry; the transparency chunk is given as stored.
inline TBytes MakePng(uint32_t width, uint32_t height, BYTE bitDepth, BYTE colorType, const std::vector<TBytes>& rows,
                      const TBytes& palette = {}, const TBytes& transparency = {}) {
  TBytes raw;
  for (const TBytes& row : rows) {
    raw.push_back(0);  // filter: none
    raw.insert(raw.end(), row.begin(), row.end());
  }
  TBytes zlibStream{0x78, 0x01};
  size_t done = 0;
  do {
    const size_t n = std::min<size_t>(raw.size() - done, 65535);
    zlibStream.push_back(done + n == raw.size() ? 1 : 0);  // final block?, stored
    zlibStream.push_back(static_cast<BYTE>(n));
    zlibStream.push_back(static_cast<BYTE>(n >> 8));
    zlibStream.push_back(static_cast<BYTE>(~n));
    zlibStream.push_back(static_cast<BYTE>(~n >> 8));
    zlibStream.insert(zlibStream.end(), raw.begin() + static_cast<ptrdiff_t>(done),
                      raw.begin() + static_cast<ptrdiff_t>(done + n));
    done += n;
  } while (done < raw.size());
  PutBig32(zlibStream, static_cast<uint32_t>(adler32(1, raw.data(), static_cast<uInt>(raw.size()))));

  TBytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  TBytes header;
  PutBig32(header, width);
  PutBig32(header, height);
  header.insert(header.end(), {bitDepth, colorType, 0, 0, 0});
  PutChunk(png, "IHDR", header);
  if (!palette.empty()) PutChunk(png, "PLTE", palette);
  if (!transparency.empty()) PutChunk(png, "tRNS", transparency);
  PutChunk(png, "IDAT", zlibStream);
  PutChunk(png, "IEND", {});
  return png;
}

// What the test's reader finds in an 8-bit RGB or RGBA PNG: pixels as
// 0xAARRGGBB (alpha 255 for RGB), or nothing when it cannot read the file.
struct TReadPng {
  uint32_t Width = 0;
  uint32_t Height = 0;
  BYTE ColorType = 0;
  std::vector<DWORD> Pixels;
};

inline uint32_t Big32(const BYTE* p) { return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3]; }

inline TReadPng ReadPng(const TBytes& png) {
  TReadPng result;
  TBytes compressed;
  BYTE depth = 0, interlace = 0;
  for (size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length = Big32(&png[at]);
    const std::string type(reinterpret_cast<const char*>(&png[at + 4]), 4);
    const BYTE* data = &png[at + 8];
    if (type == "IHDR") {
      result.Width = Big32(data);
      result.Height = Big32(data + 4);
      depth = data[8];
      result.ColorType = data[9];
      interlace = data[12];
    } else if (type == "IDAT") {
      compressed.insert(compressed.end(), data, data + length);
    }
    at += 12 + length;
  }
  if (depth != 8 || interlace != 0 || (result.ColorType != 2 && result.ColorType != 6)) return {};
  const size_t bpp = result.ColorType == 6 ? 4 : 3;
  const size_t stride = result.Width * bpp;
  TBytes raw((stride + 1) * result.Height);
  uLongf rawSize = static_cast<uLongf>(raw.size());
  if (uncompress(raw.data(), &rawSize, compressed.data(), static_cast<uLong>(compressed.size())) != Z_OK ||
      rawSize != raw.size())
    return {};
  // Undo each row's filter: none, sub, up, average or Paeth.
  TBytes previous(stride, 0), row(stride);
  for (uint32_t y = 0; y < result.Height; ++y) {
    const BYTE filter = raw[y * (stride + 1)];
    const BYTE* in = &raw[y * (stride + 1) + 1];
    for (size_t i = 0; i < stride; ++i) {
      const int a = i >= bpp ? row[i - bpp] : 0, b = previous[i], c = i >= bpp ? previous[i - bpp] : 0;
      int predictor = 0;
      switch (filter) {
        case 1: predictor = a; break;
        case 2: predictor = b; break;
        case 3: predictor = (a + b) / 2; break;
        case 4: {
          const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
          predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
          break;
        }
      }
      row[i] = static_cast<BYTE>(in[i] + predictor);
    }
    for (uint32_t x = 0; x < result.Width; ++x) {
      const BYTE* p = &row[x * bpp];
      result.Pixels.push_back((bpp == 4 ? DWORD{p[3]} : 0xFFu) << 24 | DWORD{p[0]} << 16 | DWORD{p[1]} << 8 | p[2]);
    }
    previous = row;
  }
  return result;
}

// Images from any bytes, through the image library's PNG, JPEG and BMP
// decoders: they never read outside their input, and what they accept is a
// whole image within the limits, with valid premultiplied pixels that a BMP
// carries back unchanged (checked on images of up to 2^20 pixels, to keep
// the runs fast).
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/GdiPlus.h"

namespace {

using namespace Gdiplus;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<DWORD> PremultipliedPixels(GpImage* image) {
  BitmapData data;
  Check(GdipBitmapLockBits(reinterpret_cast<GpBitmap*>(image), nullptr, ImageLockModeRead, PixelFormat32bppPARGB,
                           &data) == Ok);
  std::vector<DWORD> pixels(static_cast<size_t>(data.Width) * data.Height);
  for (UINT y = 0; y < data.Height; ++y)
    std::memcpy(pixels.data() + y * data.Width, static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride,
                data.Width * 4);
  Check(GdipBitmapUnlockBits(reinterpret_cast<GpBitmap*>(image), &data) == Ok);
  return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool started = [] {
    ULONG_PTR token = 0;
    GdiplusStartupInput input;
    return GdiplusStartup(&token, &input, nullptr) == Ok;
  }();
  Check(started);
  TMemoryIStream stream(std::vector<BYTE>(Data, Data + Size));
  GpImage* image = nullptr;
  if (GdipLoadImageFromStream(&stream, &image) != Ok) return 0;
  UINT width = 0, height = 0;
  Check(GdipGetImageWidth(image, &width) == Ok && GdipGetImageHeight(image, &height) == Ok);
  Check(width >= 1 && height >= 1 && width <= 65535 && height <= 65535 && uint64_t{width} * height <= (1u << 26));
  const std::vector<DWORD> pixels = PremultipliedPixels(image);
  for (DWORD p : pixels)
    for (int shift = 0; shift < 24; shift += 8) Check(((p >> shift) & 0xFF) <= p >> 24);

  if (pixels.size() <= (1u << 20)) {
    TMemoryIStream bmp;
    Check(GdipSaveImageToStream(image, &bmp, &BmpEncoderClsid, nullptr) == Ok);
    Check(bmp.Seek(0, STREAM_SEEK_SET, nullptr) == S_OK);
    GpImage* again = nullptr;
    Check(GdipLoadImageFromStream(&bmp, &again) == Ok);
    Check(PremultipliedPixels(again) == pixels);
    GdipDisposeImage(again);
  }
  GdipDisposeImage(image);
  return 0;
}

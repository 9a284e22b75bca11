// BMP images for the image library, through the platform's one BMP reader.
#include "platform/BmpCodec.h"
#include "platform/GdiPlusCodecs.h"

namespace Gdiplus {

GpStatus DecodeBmp(const BYTE* data, size_t size, TDecodedImage& image) {
  TBmpFile file;
  if (ReadBmpHeaders(data, size, file) != TBmpStatus::Ok) return InvalidParameter;
  if (!WithinImageLimits(file.Width, file.Height)) return OutOfMemory;
  image.Width = static_cast<INT>(file.Width);
  image.Height = static_cast<INT>(file.Height);
  const size_t count = static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height);
  image.Pixels.resize(count * 4);
  if (file.DecodedBitCount() == 32) {
    ReadBmpPixels(file, data, image.Pixels.data(), static_cast<ptrdiff_t>(image.Width) * 4);
    image.HasAlpha = file.HasAlphaMask();
    if (image.HasAlpha) {
      PremultiplyPixels(image.Pixels.data(), count);
    } else {
      for (size_t i = 0; i < count; ++i) image.Pixels[i * 4 + 3] = 0xFF;
    }
    return Ok;
  }
  std::vector<BYTE> rows(count * 3);
  ReadBmpPixels(file, data, rows.data(), static_cast<ptrdiff_t>(image.Width) * 3);
  ConvertPixels(PixelFormat24bppRGB, rows.data(), PixelFormat32bppRGB, image.Pixels.data(), static_cast<INT>(count));
  return Ok;
}

GpStatus EncodeBmp(const GpBitmap& bitmap, std::vector<BYTE>& out) {
  const bool alpha = HasAlpha(bitmap.Format);
  const WORD bitCount = alpha ? 32 : 24;
  const PixelFormat stored = alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
  out = BmpHeaders(bitmap.Width, bitmap.Height, bitCount, 0, alpha);
  const size_t headers = out.size();
  const auto stride = static_cast<size_t>(BmpStride(bitmap.Width, bitCount));
  out.resize(headers + stride * static_cast<size_t>(bitmap.Height));
  // Bottom-up: the file's first row is the image's last.
  for (INT y = 0; y < bitmap.Height; ++y)
    ConvertPixels(bitmap.Format, bitmap.Row(y), stored,
                  out.data() + headers + static_cast<size_t>(bitmap.Height - 1 - y) * stride, bitmap.Width);
  return Ok;
}

}  // namespace Gdiplus

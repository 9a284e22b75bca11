#pragma once
// The image library's codecs over bytes, shared by its sources only.

#include <vector>

#include "platform/GdiPlusObjects.h"

namespace Gdiplus {

// Rows of 32-bit BGRA, top row first, unpadded: premultiplied when
// HasAlpha, else with alpha 255.
struct TDecodedImage {
  INT Width = 0;
  INT Height = 0;
  bool HasAlpha = false;
  std::vector<BYTE> Pixels;
};

// InvalidParameter for a truncated or corrupt image, OutOfMemory for a
// declared size beyond the limits (found before anything is allocated).
GpStatus DecodePng(const BYTE* data, size_t size, TDecodedImage& image);
GpStatus DecodeJpeg(const BYTE* data, size_t size, TDecodedImage& image);
GpStatus DecodeBmp(const BYTE* data, size_t size, TDecodedImage& image);

GpStatus EncodePng(const GpBitmap& bitmap, std::vector<BYTE>& out);
GpStatus EncodeJpeg(const GpBitmap& bitmap, std::vector<BYTE>& out);
GpStatus EncodeBmp(const GpBitmap& bitmap, std::vector<BYTE>& out);

// The bitmap's rows in another format, top row first, unpadded.
std::vector<BYTE> PixelsAs(const GpBitmap& bitmap, PixelFormat format);

}  // namespace Gdiplus

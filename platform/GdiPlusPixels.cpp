// Pixel formats and the conversions between them, row by row.
#include <cstring>

#include "platform/GdiPlusObjects.h"

namespace Gdiplus {

namespace {

// Round(v / 255) for v in 0..255 * 255, without dividing.
inline DWORD Div255(DWORD v) {
  v += 128;
  return (v + (v >> 8)) >> 8;
}

inline DWORD Premultiplied(DWORD argb) {
  const DWORD a = argb >> 24;
  if (a == 255) return argb;
  return a << 24 | Div255(((argb >> 16) & 0xFF) * a) << 16 | Div255(((argb >> 8) & 0xFF) * a) << 8 |
         Div255((argb & 0xFF) * a);
}

inline DWORD Straight(DWORD pargb) {
  const DWORD a = pargb >> 24;
  if (a == 255) return pargb;
  if (a == 0) return 0;
  // Colours above alpha are not premultiplied values; they saturate.
  const auto channel = [a](DWORD c) {
    const DWORD v = (c * 255 + a / 2) / a;
    return v > 255 ? 255 : v;
  };
  return a << 24 | channel((pargb >> 16) & 0xFF) << 16 | channel((pargb >> 8) & 0xFF) << 8 | channel(pargb & 0xFF);
}

// Straight ARGB out of the formats that are not premultiplied.
inline DWORD ReadStraight(PixelFormat format, const BYTE* in, INT i) {
  if (format == PixelFormat24bppRGB)
    return 0xFF000000u | DWORD{in[i * 3 + 2]} << 16 | DWORD{in[i * 3 + 1]} << 8 | in[i * 3];
  DWORD v;
  std::memcpy(&v, in + i * 4, 4);
  return format == PixelFormat32bppRGB ? v | 0xFF000000u : v;
}

inline void WriteStraight(PixelFormat format, DWORD argb, BYTE* out, INT i) {
  if (format == PixelFormat24bppRGB) {
    out[i * 3] = static_cast<BYTE>(argb);
    out[i * 3 + 1] = static_cast<BYTE>(argb >> 8);
    out[i * 3 + 2] = static_cast<BYTE>(argb >> 16);
    return;
  }
  if (format == PixelFormat32bppRGB) argb |= 0xFF000000u;
  std::memcpy(out + i * 4, &argb, 4);
}

}  // namespace

bool IsSupportedFormat(PixelFormat format) {
  return format == PixelFormat24bppRGB || format == PixelFormat32bppRGB || format == PixelFormat32bppARGB ||
         format == PixelFormat32bppPARGB;
}

bool HasAlpha(PixelFormat format) { return (format & PixelFormatAlpha) != 0; }

size_t RowBytes(PixelFormat format, INT count) {
  return static_cast<size_t>(count) * (GetPixelFormatSize(format) / 8);
}

void ConvertPixels(PixelFormat from, const BYTE* in, PixelFormat to, BYTE* out, INT count) {
  if (from == to) {
    std::memmove(out, in, RowBytes(from, count));
    return;
  }
  if (from == PixelFormat32bppPARGB) {
    for (INT i = 0; i < count; ++i) {
      DWORD v;
      std::memcpy(&v, in + i * 4, 4);
      WriteStraight(to, Straight(v), out, i);
    }
  } else if (to == PixelFormat32bppPARGB) {
    for (INT i = 0; i < count; ++i) {
      const DWORD v = Premultiplied(ReadStraight(from, in, i));
      std::memcpy(out + i * 4, &v, 4);
    }
  } else {
    for (INT i = 0; i < count; ++i) WriteStraight(to, ReadStraight(from, in, i), out, i);
  }
}

void PremultiplyPixels(BYTE* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    DWORD v;
    std::memcpy(&v, pixels + i * 4, 4);
    v = Premultiplied(v);
    std::memcpy(pixels + i * 4, &v, 4);
  }
}

}  // namespace Gdiplus

#include "graphics/dxCoreGraphics.h"

#include <algorithm>

#include "graphics/GdiScopes.h"

TRGBQuad dxColorToRGBQuad(TColor AColor, Byte AReserved) {
  const Cardinal rgb = static_cast<Cardinal>(ColorToRGB(AColor));
  return {static_cast<Byte>(rgb >> 16), static_cast<Byte>(rgb >> 8), static_cast<Byte>(rgb), AReserved};
}

TColor dxRGBQuadToColor(const TRGBQuad& ARGBQuad) {
  return static_cast<TColor>(ARGBQuad.rgbRed | ARGBQuad.rgbGreen << 8 | ARGBQuad.rgbBlue << 16 |
                             static_cast<Cardinal>(ARGBQuad.rgbReserved) << 24);
}

TdxAlphaColor dxColorToAlphaColor(TColor AColor, Byte AAlpha) {
  if (AColor == clNone) return 0;
  if (AColor == clDefault) return dxDefaultAlphaColor;
  const TRGBQuad q = dxColorToRGBQuad(AColor, AAlpha);
  return static_cast<TdxAlphaColor>(q.rgbBlue) | static_cast<TdxAlphaColor>(q.rgbGreen) << 8 |
         static_cast<TdxAlphaColor>(q.rgbRed) << 16 | static_cast<TdxAlphaColor>(q.rgbReserved) << 24;
}

namespace {

// 32 bits per pixel, uncompressed; a negative height for top-down rows.
BITMAPINFO PixelsHeader(Integer AWidth, Integer AHeight, bool ATopDownDIB) {
  BITMAPINFO info{};
  info.bmiHeader.biWidth = AWidth;
  info.bmiHeader.biHeight = ATopDownDIB ? -AHeight : AHeight;
  info.bmiHeader.biBitCount = 32;
  return info;
}

}  // namespace

bool GetBitmapBits(TBitmap* ABitmap, TRGBColors& AColors, bool ATopDownDIB) {
  AColors.clear();
  if (!ABitmap || ABitmap->GetEmpty()) return false;
  const Integer width = ABitmap->GetWidth(), height = ABitmap->GetHeight();
  AColors.assign(static_cast<size_t>(width) * static_cast<size_t>(height), TRGBQuad{});
  BITMAPINFO info = PixelsHeader(width, height, ATopDownDIB);
  TMemoryDC dc;
  const HBITMAP image = ABitmap->GetHandle();
  if (GetDIBits(dc, image, 0, static_cast<UINT>(height), AColors.data(), &info, DIB_RGB_COLORS) == height)
    return true;
  // Row by row through a buffer of one row, so that a row that cannot be
  // read leaves nothing half-written behind.
  bool result = true;
  TRGBColors row(static_cast<size_t>(width));
  for (Integer line = 0; line < height; ++line) {
    auto* target = AColors.data() + static_cast<size_t>(line) * static_cast<size_t>(width);
    if (GetDIBits(dc, image, static_cast<UINT>(line), 1, row.data(), &info, DIB_RGB_COLORS) == 1)
      std::copy(row.begin(), row.end(), target);
    else
      result = false;
  }
  return result;
}

bool SetBitmapBits(TBitmap* ABitmap, const TRGBColors& AColors, bool ATopDownDIB) {
  if (!ABitmap || ABitmap->GetEmpty()) return false;
  const Integer width = ABitmap->GetWidth(), height = ABitmap->GetHeight();
  if (AColors.size() < static_cast<UInt64>(width) * static_cast<UInt64>(height)) return false;
  const BITMAPINFO info = PixelsHeader(width, height, ATopDownDIB);
  TMemoryDC dc;
  const HBITMAP image = ABitmap->GetHandle();
  if (SetDIBits(dc, image, 0, static_cast<UINT>(height), AColors.data(), &info, DIB_RGB_COLORS) == height)
    return true;
  bool result = true;
  for (Integer line = 0; line < height; ++line) {
    const auto* source = AColors.data() + static_cast<size_t>(line) * static_cast<size_t>(width);
    if (SetDIBits(dc, image, static_cast<UINT>(line), 1, source, &info, DIB_RGB_COLORS) != 1) result = false;
  }
  return result;
}

Integer cxGetBitmapPixelFormat(TBitmap* ABitmap) {
  switch (ABitmap->GetPixelFormat()) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit: return 15;
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return GetDeviceCaps(ABitmap->GetCanvas()->GetHandle(), BITSPIXEL);
  }
}

bool dxIsAlphaUsed(TBitmap* ABitmap) {
  if (cxGetBitmapPixelFormat(ABitmap) != 32) return false;
  TRGBColors colors;
  GetBitmapBits(ABitmap, colors, true);
  return std::any_of(colors.begin(), colors.end(), [](const TRGBQuad& q) { return q.rgbReserved != 0; });
}

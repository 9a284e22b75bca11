#pragma once
// 32-bit pixels of the framework's bitmaps, written and read through their
// scan lines: what tests compare pictures by.

#include <cstring>
#include <vector>

#include "host/Bitmaps.h"

// ABitmap as a 32-bit image of the pixels given (0xAARRGGBB, top row first).
inline void SetPixels32(TBitmap& ABitmap, Integer AWidth, Integer AHeight, const std::vector<DWORD>& APixels) {
  ABitmap.SetPixelFormat(pf32bit);
  ABitmap.SetSize(AWidth, AHeight);
  for (Integer y = 0; y < AHeight; ++y)
    std::memcpy(ABitmap.GetScanLine(y), APixels.data() + static_cast<size_t>(y) * AWidth, AWidth * sizeof(DWORD));
}

// Every pixel of a 32-bit bitmap, top row first.
inline std::vector<DWORD> Pixels32(TBitmap& ABitmap) {
  const Integer width = ABitmap.GetWidth(), height = ABitmap.GetHeight();
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
  for (Integer y = 0; y < height; ++y)
    std::memcpy(pixels.data() + static_cast<size_t>(y) * width, ABitmap.GetScanLine(y), width * sizeof(DWORD));
  return pixels;
}

#pragma once
// What the graphics tests share: surfaces and bitmaps with known pixels, and
// the graphics unit started again without an entry point.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "graphics/cxGraphics.h"
#include "tests/graphics/GraphicsUnitRestart.h"
#include "tests/platform/GdiTestSurface.h"

// A 32-bit bitmap of the framework with the pixels given (0xAARRGGBB, top
// row first), written through its scan lines.
inline TcxBitmapPtr Bitmap32(Integer AWidth, Integer AHeight, const std::vector<DWORD>& APixels) {
  TcxBitmapPtr bitmap = cxCreateBitmap(AWidth, AHeight, pf32bit);
  for (Integer y = 0; y < AHeight; ++y)
    std::memcpy(bitmap->GetScanLine(y), APixels.data() + static_cast<size_t>(y) * AWidth, AWidth * sizeof(DWORD));
  return bitmap;
}

// Every pixel of a 32-bit bitmap, top row first, read through its scan lines.
inline std::vector<DWORD> PixelsOf(TBitmap* ABitmap) {
  const Integer width = ABitmap->GetWidth(), height = ABitmap->GetHeight();
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
  for (Integer y = 0; y < height; ++y)
    std::memcpy(pixels.data() + static_cast<size_t>(y) * width, ABitmap->GetScanLine(y), width * sizeof(DWORD));
  return pixels;
}

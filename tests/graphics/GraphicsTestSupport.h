#pragma once
// What the graphics tests share: surfaces and bitmaps with known pixels, and
// the graphics unit started again without an entry point.

#include <gtest/gtest.h>

#include <vector>

#include "graphics/cxGraphics.h"
#include "tests/graphics/GraphicsUnitRestart.h"
#include "tests/host/BitmapPixels.h"
#include "tests/platform/GdiTestSurface.h"

// A 32-bit bitmap of the framework with the pixels given (0xAARRGGBB, top
// row first).
inline TcxBitmapPtr Bitmap32(Integer AWidth, Integer AHeight, const std::vector<DWORD>& APixels) {
  TcxBitmapPtr bitmap(new TBitmap);
  SetPixels32(*bitmap, AWidth, AHeight, APixels);
  return bitmap;
}

// Every pixel of a 32-bit bitmap, top row first.
inline std::vector<DWORD> PixelsOf(TBitmap* ABitmap) { return Pixels32(*ABitmap); }

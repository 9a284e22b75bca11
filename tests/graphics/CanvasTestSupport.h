#pragma once
// What the canvas tests share: a canvas on a 32-bit surface whose pixels the
// test reads, and pixels of colours.

#include "tests/graphics/GraphicsTestSupport.h"

// The pixel a GDI fill of the colour leaves: alpha 0.
inline DWORD PixelOf(TColor AColor) {
  const COLORREF c = ColorToRGB(AColor);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// A canvas on a host canvas on a surface filled with AFill.
struct TCanvasOnSurface {
  TTestSurface Surface;
  TCanvas Host;
  TcxCanvas Canvas;

  TCanvasOnSurface(int AWidth, int AHeight, DWORD AFill) : Surface(AWidth, AHeight, AFill), Canvas(&Host) {
    Host.SetHandle(Surface.DC);
  }
  DWORD At(int X, int Y) const { return Surface.At(X, Y); }
};

// The clip region in logical coordinates compared with the rectangles'
// union.
inline bool ClipIs(TcxCanvas& ACanvas, std::initializer_list<RECT> AExpected) {
  const std::unique_ptr<TcxRegion, TFreeObject> clip(ACanvas.GetClipRegion());
  HRGN expected = RegionOf(AExpected);
  const bool equal = clip->IsEqual(expected);
  DeleteObject(expected);
  return equal;
}

#pragma once
// What the cxGraphics sources share: the unit's state and small helpers.
// Private to graphics/.

#include <algorithm>

#include "graphics/cxGraphics.h"
#include "platform/Msimg32.h"

// The blend library's entry points, looked up when the unit starts; nullptr
// when the library or the entry is missing.
TGradientFillProc GradientFillProc();
TAlphaBlendProc AlphaBlendProc();

// The device context of the bitmap's canvas, made when first asked for.
inline HDC CanvasDC(TBitmap* ABitmap) { return ABitmap->GetCanvas()->GetHandle(); }

// The three work bitmaps image drawing reuses.
enum TcxWorkBitmap : uint8_t { wbDraw, wbImage, wbMask };
// The work bitmap at that size, cleared and without transparent colours:
// made at the first size asked for, afterwards resized. The unit frees them
// when it ends.
TcxAlphaBitmap* WorkBitmap(TcxWorkBitmap AKind, const TSize& ASize);

// The strip AWidth wide inside R along the border, no wider than R: the left
// and right ones span R's height, the top and bottom ones its width.
inline TRect BorderStrip(const TRect& R, TcxBorder ABorder, Integer AWidth) {
  switch (ABorder) {
    case bLeft: return {R.Left, R.Top, std::min(R.Left + AWidth, R.Right), R.Bottom};
    case bTop: return {R.Left, R.Top, R.Right, std::min(R.Top + AWidth, R.Bottom)};
    case bRight: return {std::max(R.Right - AWidth, R.Left), R.Top, R.Right, R.Bottom};
    case bBottom: return {R.Left, std::max(R.Bottom - AWidth, R.Top), R.Right, R.Bottom};
  }
  return R;
}

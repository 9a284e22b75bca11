#pragma once
// The blend library: alpha blending and gradient fills.

#include "platform/Gdi.h"

inline constexpr BYTE AC_SRC_OVER = 0x00;
inline constexpr BYTE AC_SRC_ALPHA = 0x01;

struct BLENDFUNCTION {
  BYTE BlendOp = AC_SRC_OVER;
  BYTE BlendFlags = 0;
  BYTE SourceConstantAlpha = 255;
  BYTE AlphaFormat = 0;
};

using COLOR16 = WORD;
struct TRIVERTEX {
  LONG x = 0;
  LONG y = 0;
  COLOR16 Red = 0;
  COLOR16 Green = 0;
  COLOR16 Blue = 0;
  COLOR16 Alpha = 0;
};

struct GRADIENT_RECT {
  ULONG UpperLeft = 0;
  ULONG LowerRight = 0;
};

inline constexpr ULONG GRADIENT_FILL_RECT_H = 0;
inline constexpr ULONG GRADIENT_FILL_RECT_V = 1;

// Source over destination with k = SourceConstantAlpha / 255 and a = k times
// the source alpha (255 without AC_SRC_ALPHA), in single precision: each
// colour channel becomes clamp(round(k s + (1 - a/255) d)) and alpha
// clamp(round(k sa + (1 - a/255) da)) from the source's own alpha sa either
// way, rounding halves to even. Different sizes stretch by the nearest pixel;
// rectangles that are negative or reach outside the source fail.
BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc, int xoriginSrc,
                int yoriginSrc, int wSrc, int hSrc, BLENDFUNCTION ftn);
// Rectangles only: the 16-bit vertex channels interpolated per pixel across
// (H) or down (V), written as their high bytes with alpha 0.
BOOL GradientFill(HDC hdc, TRIVERTEX* pVertex, ULONG nVertex, void* pMesh, ULONG nMesh, ULONG ulMode);

using TAlphaBlendProc = decltype(&AlphaBlend);
using TGradientFillProc = decltype(&GradientFill);

#pragma once
// Colours and 32-bit pixels, and the reading and writing of a bitmap's
// pixels as one array.

#include <vector>

#include "host/Bitmaps.h"

// Blue, green, red, alpha in memory order.
using TRGBQuad = RGBQUAD;
using TRGBColors = std::vector<TRGBQuad>;
// A colour with alpha: 0xAARRGGBB, the bytes of a TRGBQuad.
using TdxAlphaColor = Cardinal;

// What dxColorToAlphaColor gives for clDefault: no colour was given.
inline constexpr TdxAlphaColor dxDefaultAlphaColor = 0x00010203;

// System colours resolved, red and blue swapped into place, AReserved into
// the alpha byte.
TRGBQuad dxColorToRGBQuad(TColor AColor, Byte AReserved = 0);
// Red and blue swapped back; the alpha byte goes to the top byte.
TColor dxRGBQuadToColor(const TRGBQuad& ARGBQuad);
// 0 for clNone, dxDefaultAlphaColor for clDefault, else the colour's quad
// with AAlpha.
TdxAlphaColor dxColorToAlphaColor(TColor AColor, Byte AAlpha = 255);

// Every pixel as 32-bit quads, the array sized to width x height here; with
// ATopDownDIB false its first row is the bottom row of the image. When the
// whole image cannot be read at once it is read row by row: false when any
// row failed, that row's pixels left zero. A bitmap of zero width or height
// reads nothing and gives false.
bool GetBitmapBits(TBitmap* ABitmap, TRGBColors& AColors, bool ATopDownDIB);
// The other way; false, touching nothing, for an empty bitmap or an array of
// fewer than width x height pixels, and false when any row failed.
bool SetBitmapBits(TBitmap* ABitmap, const TRGBColors& AColors, bool ATopDownDIB);

// Bits per pixel: from the pixel format, or for a device bitmap from its
// canvas's device.
Integer cxGetBitmapPixelFormat(TBitmap* ABitmap);
// 32 bits per pixel and some pixel's alpha byte not zero.
bool dxIsAlphaUsed(TBitmap* ABitmap);

#pragma once
// The BMP file format, between streams and GDI bitmaps.

#include "host/System.h"
#include "platform/Gdi.h"

class TStream;

// A bottom-up DIB section of 1, 24 or 32 bits, zero-filled (a 1-bit one is
// black and white); nullptr when the GDI refuses the size.
HBITMAP CreateBottomUpDIB(Integer Width, Integer Height, Word BitCount);

struct TBmpImage {
  HBITMAP Handle = nullptr;  // a bottom-up DIB section, the caller's
  Integer Width = 0;
  Integer Height = 0;
  Word BitCount = 0;  // of the handle: 24 or 32
};

// Reads one BMP from the stream's position, which afterwards lies just past
// its pixels, through the platform's BMP reader (platform/BmpCodec.h). The headers are checked against each other and against what
// the stream still holds before anything is allocated: EInvalidGraphic for
// what no BMP can be or the GDI cannot hold, EReadError for a stream that
// ends early. Uncompressed images of 1, 4, 8, 16, 24 and 32 bits (16 and 32
// also with bit fields) come back in 32 bits when they had 32, else in 24.
TBmpImage ReadBmp(TStream* Stream);

// Bitmap as a BMP of BitCount bits (1, 24 or 32): file header, info header,
// colour table for 1 bit, bottom-up rows.
void WriteBmp(TStream* Stream, HBITMAP Bitmap, Word BitCount);

#pragma once
// BMP files over bytes: the one reader of the format, which the host's
// bitmaps and the image library both call, and the headers their writers
// put out. Sizes are worked out in 64 bits.

#include <array>
#include <cstddef>
#include <vector>

#include "platform/Gdi.h"

enum class TBmpStatus {
  Ok,
  Invalid,    // what no BMP can be
  Truncated,  // the bytes end before what the headers promise
};

// A BMP whose headers have been read and checked against each other and
// against the bytes that hold it.
struct TBmpFile {
  int64_t Width = 0;
  int64_t Height = 0;  // positive; TopDown tells the row order
  WORD BitCount = 0;   // as stored: 1, 4, 8, 16, 24 or 32
  bool TopDown = false;
  bool BitFields = false;
  std::array<DWORD, 4> Masks{};  // red, green, blue, alpha
  std::array<RGBQUAD, 256> Palette{};
  size_t PixelOffset = 0;  // from the first byte of the file
  int64_t Stride = 0;      // of a stored row

  // Pixels come out in 32 bits when stored in 32, else in 24.
  WORD DecodedBitCount() const { return BitCount == 32 ? 32 : 24; }
  // Bit fields name an alpha channel.
  bool HasAlphaMask() const { return BitFields && Masks[3] != 0; }
  // Just past the last row.
  size_t End() const { return PixelOffset + static_cast<size_t>(Stride * Height); }
};

// Reads and checks the headers of the BMP at Data. Uncompressed images of
// 1, 4, 8, 16, 24 and 32 bits, 16 and 32 also with bit fields.
TBmpStatus ReadBmpHeaders(const BYTE* Data, size_t Size, TBmpFile& File);

// Writes the pixels of a checked file, top row first from TopRow, Stride
// bytes apart (negative for bottom-up memory): blue, green, red, and for
// 32-bit files the fourth byte as stored, or the alpha its bit fields name
// (0 without one).
void ReadBmpPixels(const TBmpFile& File, const BYTE* Data, BYTE* TopRow, ptrdiff_t Stride);

// Bytes in a stored row: padded to 4.
int64_t BmpStride(int64_t Width, int BitCount);

// The file header and an info header for bottom-up rows of BitCount bits
// after PaletteEntries colours. With AlphaMasks (32 bits only) the fourth
// version of the info header names the bytes of a 32-bit pixel blue, green,
// red, alpha through bit fields.
std::vector<BYTE> BmpHeaders(LONG Width, LONG Height, WORD BitCount, DWORD PaletteEntries,
                             bool AlphaMasks = false);

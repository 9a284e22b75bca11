#include "host/BmpFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstring>
#include <vector>

#include "host/Bitmaps.h"
#include "host/Streams.h"
#include "host/SysConst.h"
#include "platform/DcGuards.h"

namespace {

constexpr Word BmpSignature = 0x4D42;  // "BM"
constexpr DWORD FileHeaderSize = 14;
constexpr DWORD CoreHeaderSize = 12;
constexpr DWORD InfoHeaderSize = 40;
constexpr DWORD LargestHeaderSize = 124;  // the fifth version
constexpr DWORD BI_BITFIELDS = 3;
constexpr DWORD BI_ALPHABITFIELDS = 6;

[[noreturn]] void Invalid() { throw EInvalidGraphic(SInvalidBitmap); }
[[noreturn]] void Truncated() { throw EReadError(SReadError); }

Int64 StrideOf(Int64 Width, Int64 BitCount) { return (Width * BitCount + 31) / 32 * 4; }

// One channel of a bit-field pixel, scaled to 0..255.
struct TChannel {
  DWORD Mask = 0;
  int Shift = 0;
  DWORD Max = 0;

  explicit TChannel(DWORD AMask = 0) : Mask(AMask) {
    if (!Mask) return;
    Shift = std::countr_zero(Mask);
    Max = Mask >> Shift;
  }
  BYTE Of(DWORD Pixel) const {
    if (!Max) return 0;
    return static_cast<BYTE>((UInt64{(Pixel & Mask) >> Shift} * 255 + Max / 2) / Max);
  }
};

// Deletes the bitmap being filled unless it is handed out.
struct TBitmapGuard {
  HBITMAP Handle;
  ~TBitmapGuard() {
    if (Handle) DeleteObject(Handle);
  }
};

}  // namespace

HBITMAP CreateBottomUpDIB(Integer Width, Integer Height, Word BitCount) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = Width;
  bi.bmiHeader.biHeight = Height;
  bi.bmiHeader.biBitCount = BitCount;
  bi.bmiColors[1] = {255, 255, 255, 0};
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

TBmpImage ReadBmp(TStream* Stream) {
  const Int64 start = Stream->GetPosition();
  const Int64 size = Stream->GetSize();
  if (Stream->ReadWord() != BmpSignature) Invalid();
  Stream->ReadCardinal();  // the file size, which writers often get wrong
  Stream->ReadCardinal();  // reserved
  const DWORD pixelOffset = Stream->ReadCardinal();

  const DWORD headerSize = Stream->ReadCardinal();
  if (headerSize != CoreHeaderSize && (headerSize < InfoHeaderSize || headerSize > LargestHeaderSize)) Invalid();
  const bool core = headerSize == CoreHeaderSize;
  Int64 width, height;
  Word planes, bitCount;
  DWORD compression = BI_RGB, colorsUsed = 0;
  std::array<DWORD, 4> masks{};
  if (core) {
    width = Stream->ReadWord();
    height = Stream->ReadWord();
    planes = Stream->ReadWord();
    bitCount = Stream->ReadWord();
  } else {
    width = Stream->ReadInteger();
    height = Stream->ReadInteger();
    planes = Stream->ReadWord();
    bitCount = Stream->ReadWord();
    compression = Stream->ReadCardinal();
    Stream->ReadCardinal();  // image size: computed below instead
    Stream->ReadInteger();   // resolution
    Stream->ReadInteger();
    colorsUsed = Stream->ReadCardinal();
    Stream->ReadCardinal();  // important colours
    // Later versions carry the masks in the header; the first one after it.
    DWORD extra = headerSize - InfoHeaderSize;
    size_t maskCount = 0;
    if (extra > 0) maskCount = std::min<size_t>(extra / 4, 4);
    else if (compression == BI_BITFIELDS) maskCount = 3;
    else if (compression == BI_ALPHABITFIELDS) maskCount = 4;
    for (size_t i = 0; i < maskCount; ++i) masks[i] = Stream->ReadCardinal();
    if (extra > maskCount * 4) {
      extra -= static_cast<DWORD>(maskCount * 4);
      if (extra > size - Stream->GetPosition()) Truncated();
      Stream->Seek(extra, soCurrent);
    }
  }

  if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1) Invalid();
  const bool bitFields = compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS;
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      if (compression != BI_RGB) Invalid();
      break;
    case 16:
    case 32:
      if (compression != BI_RGB && !bitFields) Invalid();
      break;
    default: Invalid();
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;

  // Colour table: at most 2^bits entries are ever looked up; unused ones
  // are black.
  std::array<RGBQUAD, 256> palette{};
  if (bitCount <= 8) {
    DWORD entries = colorsUsed ? colorsUsed : DWORD{1} << bitCount;
    if (entries > 256) Invalid();
    const int entrySize = core ? 3 : 4;
    // Shorter tables, which the old header cannot even state, end where the
    // pixels begin.
    const Int64 room = start + pixelOffset - Stream->GetPosition();
    if (pixelOffset && room >= 0) entries = static_cast<DWORD>(std::min<Int64>(entries, room / entrySize));
    if (Int64{entries} * entrySize > size - Stream->GetPosition()) Truncated();
    for (DWORD i = 0; i < entries; ++i) {
      BYTE q[4] = {};
      Stream->ReadBuffer(q, entrySize);
      palette[i] = {q[0], q[1], q[2], 0};
    }
  }

  const Int64 headersEnd = Stream->GetPosition();
  const Int64 pixels = pixelOffset ? start + pixelOffset : headersEnd;
  if (pixels < headersEnd) Invalid();
  const Int64 stride = StrideOf(width, bitCount);
  // Compared by division: the product of two absurd fields can overflow.
  if (pixels > size || stride > (size - pixels) / height) Truncated();
  Stream->SetPosition(pixels);

  TBmpImage image;
  image.Width = static_cast<Integer>(width);
  image.Height = static_cast<Integer>(height);
  image.BitCount = bitCount == 32 ? 32 : 24;
  TBitmapGuard guard{CreateBottomUpDIB(image.Width, image.Height, image.BitCount)};
  if (!guard.Handle) Invalid();
  DIBSECTION ds;
  GetObjectW(guard.Handle, sizeof(ds), &ds);
  auto* bits = static_cast<BYTE*>(ds.dsBm.bmBits);
  const size_t outStride = static_cast<size_t>(ds.dsBm.bmWidthBytes);

  if (bitCount == 16 && !bitFields) masks = {0x7C00, 0x03E0, 0x001F, 0};
  const TChannel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  std::vector<BYTE> row(static_cast<size_t>(stride));
  for (Int64 r = 0; r < height; ++r) {
    Stream->ReadBuffer(row.data(), stride);
    // Both the file (unless top-down) and the DIB keep the bottom row first.
    BYTE* out = bits + static_cast<size_t>(topDown ? height - 1 - r : r) * outStride;
    const BYTE* in = row.data();
    // Rows already in the held layout are copied whole.
    if (bitCount == 24 || (bitCount == 32 && !bitFields)) {
      std::memcpy(out, in, static_cast<size_t>(width) * (bitCount / 8));
      continue;
    }
    for (Int64 x = 0; x < width; ++x) {
      BYTE b, g, rd, a = 0;
      switch (bitCount) {
        case 1:
        case 4:
        case 8: {
          const Int64 bit = x * bitCount;
          const unsigned index = (in[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
          b = palette[index].rgbBlue, g = palette[index].rgbGreen, rd = palette[index].rgbRed;
          break;
        }
        case 16: {
          const DWORD v = in[x * 2] | (in[x * 2 + 1] << 8);
          b = blue.Of(v), g = green.Of(v), rd = red.Of(v);
          break;
        }
        default: {  // 32 bits with bit fields
          DWORD v;
          std::memcpy(&v, in + x * 4, 4);
          b = blue.Of(v), g = green.Of(v), rd = red.Of(v), a = alpha.Of(v);
        }
      }
      if (image.BitCount == 32) {
        out[x * 4] = b, out[x * 4 + 1] = g, out[x * 4 + 2] = rd, out[x * 4 + 3] = a;
      } else {
        out[x * 3] = b, out[x * 3 + 1] = g, out[x * 3 + 2] = rd;
      }
    }
  }
  image.Handle = guard.Handle;
  guard.Handle = nullptr;
  return image;
}

void WriteBmp(TStream* Stream, HBITMAP Bitmap, Word BitCount) {
  BITMAP bm;
  if (!GetObjectW(Bitmap, sizeof(bm), &bm)) throw EInvalidGraphic(SInvalidBitmap);
  const DWORD paletteSize = BitCount == 1 ? 2 * sizeof(RGBQUAD) : 0;
  const Int64 stride = StrideOf(bm.bmWidth, BitCount);
  const DWORD imageSize = static_cast<DWORD>(stride * bm.bmHeight);
  const DWORD offset = FileHeaderSize + InfoHeaderSize + paletteSize;
  Stream->WriteWord(BmpSignature);
  Stream->WriteCardinal(offset + imageSize);
  Stream->WriteCardinal(0);
  Stream->WriteCardinal(offset);

  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = bm.bmHeight;  // bottom-up
  bi.bmiHeader.biBitCount = BitCount;
  bi.bmiHeader.biSizeImage = imageSize;
  bi.bmiHeader.biClrUsed = BitCount == 1 ? 2 : 0;
  TMemoryDC dc;
  std::vector<BYTE> rows(static_cast<size_t>(stride));
  Stream->WriteBuffer(&bi.bmiHeader, InfoHeaderSize);
  for (LONG y = 0; y < bm.bmHeight; ++y) {
    BITMAPINFO rowInfo = bi;
    if (!GetDIBits(dc, Bitmap, static_cast<UINT>(y), 1, rows.data(), &rowInfo, DIB_RGB_COLORS))
      throw EInvalidGraphic(SInvalidBitmap);
    // The first row fills in the colour table, which precedes the rows.
    if (y == 0 && paletteSize) Stream->WriteBuffer(rowInfo.bmiColors, paletteSize);
    Stream->WriteBuffer(rows.data(), stride);
  }
}

#include "platform/BmpCodec.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

namespace {

constexpr WORD BmpSignature = 0x4D42;  // "BM"
constexpr DWORD FileHeaderSize = 14;
constexpr DWORD CoreHeaderSize = 12;
constexpr DWORD InfoHeaderSize = 40;
constexpr DWORD V4HeaderSize = 108;
constexpr DWORD LargestHeaderSize = 124;  // the fifth version
constexpr DWORD BI_BITFIELDS = 3;
constexpr DWORD BI_ALPHABITFIELDS = 6;
constexpr DWORD LCS_sRGB = 0x73524742;

// Little-endian fields; reading past the end yields zeros and marks the
// cursor short, which the reader checks before judging what it read.
struct TCursor {
  const BYTE* Data;
  size_t Size;
  size_t Pos = 0;
  bool Short = false;

  DWORD Get(size_t n) {
    if (Size - Pos < n) {
      Short = true;
      Pos = Size;
      return 0;
    }
    DWORD v = 0;
    for (size_t i = 0; i < n; ++i) v |= DWORD{Data[Pos + i]} << (8 * i);
    Pos += n;
    return v;
  }
  WORD U16() { return static_cast<WORD>(Get(2)); }
  DWORD U32() { return Get(4); }
  LONG I32() { return static_cast<LONG>(Get(4)); }
};

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
    return static_cast<BYTE>((uint64_t{(Pixel & Mask) >> Shift} * 255 + Max / 2) / Max);
  }
};

void Put16(std::vector<BYTE>& out, DWORD v) {
  out.push_back(static_cast<BYTE>(v));
  out.push_back(static_cast<BYTE>(v >> 8));
}
void Put32(std::vector<BYTE>& out, DWORD v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

int64_t BmpStride(int64_t Width, int BitCount) { return (Width * BitCount + 31) / 32 * 4; }

TBmpStatus ReadBmpHeaders(const BYTE* Data, size_t Size, TBmpFile& File) {
  TCursor in{Data, Size};
  const WORD signature = in.U16();
  if (in.Short) return TBmpStatus::Truncated;
  if (signature != BmpSignature) return TBmpStatus::Invalid;
  in.U32();  // the file size, which writers often get wrong
  in.U32();  // reserved
  const DWORD pixelOffset = in.U32();
  const DWORD headerSize = in.U32();
  if (in.Short) return TBmpStatus::Truncated;
  if (headerSize != CoreHeaderSize && (headerSize < InfoHeaderSize || headerSize > LargestHeaderSize))
    return TBmpStatus::Invalid;

  const bool core = headerSize == CoreHeaderSize;
  int64_t width, height;
  WORD planes;
  DWORD compression = BI_RGB, colorsUsed = 0;
  File.Masks = {};
  if (core) {
    width = in.U16();
    height = in.U16();
    planes = in.U16();
    File.BitCount = in.U16();
  } else {
    width = in.I32();
    height = in.I32();
    planes = in.U16();
    File.BitCount = in.U16();
    compression = in.U32();
    in.U32();  // image size: computed instead
    in.I32();  // resolution
    in.I32();
    colorsUsed = in.U32();
    in.U32();  // important colours
    // Later versions carry the masks in the header; the first one after it.
    DWORD extra = headerSize - InfoHeaderSize;
    size_t maskCount = 0;
    if (extra > 0) maskCount = std::min<size_t>(extra / 4, 4);
    else if (compression == BI_BITFIELDS) maskCount = 3;
    else if (compression == BI_ALPHABITFIELDS) maskCount = 4;
    for (size_t i = 0; i < maskCount; ++i) File.Masks[i] = in.U32();
    if (in.Short) return TBmpStatus::Truncated;
    extra -= static_cast<DWORD>(std::min<size_t>(extra, maskCount * 4));
    if (extra > Size - in.Pos) return TBmpStatus::Truncated;
    in.Pos += extra;
  }
  if (in.Short) return TBmpStatus::Truncated;

  const WORD bitCount = File.BitCount;
  if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1) return TBmpStatus::Invalid;
  File.BitFields = compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS;
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      if (compression != BI_RGB) return TBmpStatus::Invalid;
      break;
    case 16:
    case 32:
      if (compression != BI_RGB && !File.BitFields) return TBmpStatus::Invalid;
      break;
    default: return TBmpStatus::Invalid;
  }
  File.TopDown = height < 0;
  if (File.TopDown) height = -height;
  if (bitCount == 16 && !File.BitFields) File.Masks = {0x7C00, 0x03E0, 0x001F, 0};

  // Colour table: at most 2^bits entries are ever looked up; unused ones
  // are black.
  File.Palette = {};
  if (bitCount <= 8) {
    DWORD entries = colorsUsed ? colorsUsed : DWORD{1} << bitCount;
    if (entries > 256) return TBmpStatus::Invalid;
    const size_t entrySize = core ? 3 : 4;
    // Shorter tables, which the old header cannot even state, end where the
    // pixels begin.
    if (pixelOffset && pixelOffset >= in.Pos)
      entries = static_cast<DWORD>(std::min<size_t>(entries, (pixelOffset - in.Pos) / entrySize));
    if (entries * entrySize > Size - in.Pos) return TBmpStatus::Truncated;
    for (DWORD i = 0; i < entries; ++i, in.Pos += entrySize) {
      const BYTE* q = Data + in.Pos;
      File.Palette[i] = {q[0], q[1], q[2], 0};
    }
  }

  const size_t headersEnd = in.Pos;
  const size_t pixels = pixelOffset ? pixelOffset : headersEnd;
  if (pixels < headersEnd) return TBmpStatus::Invalid;
  const int64_t stride = BmpStride(width, bitCount);
  // Compared by division: the product of two absurd fields can overflow.
  if (pixels > Size || static_cast<uint64_t>(stride) > (Size - pixels) / static_cast<uint64_t>(height))
    return TBmpStatus::Truncated;
  File.Width = width;
  File.Height = height;
  File.PixelOffset = pixels;
  File.Stride = stride;
  return TBmpStatus::Ok;
}

void ReadBmpPixels(const TBmpFile& File, const BYTE* Data, BYTE* TopRow, ptrdiff_t Stride) {
  const int bitCount = File.BitCount;
  const int outBytes = File.DecodedBitCount() / 8;
  const TChannel red(File.Masks[0]), green(File.Masks[1]), blue(File.Masks[2]), alpha(File.Masks[3]);
  for (int64_t r = 0; r < File.Height; ++r) {
    const BYTE* in = Data + File.PixelOffset + static_cast<size_t>(r * File.Stride);
    // Stored rows run from the bottom up unless the header said otherwise.
    BYTE* out = TopRow + (File.TopDown ? r : File.Height - 1 - r) * Stride;
    // Rows already in the decoded layout are copied whole.
    if (bitCount == 24 || (bitCount == 32 && !File.BitFields)) {
      std::memcpy(out, in, static_cast<size_t>(File.Width) * static_cast<size_t>(outBytes));
      continue;
    }
    for (int64_t x = 0; x < File.Width; ++x) {
      BYTE b, g, rd, a = 0;
      switch (bitCount) {
        case 1:
        case 4:
        case 8: {
          const int64_t bit = x * bitCount;
          const unsigned index = (in[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
          b = File.Palette[index].rgbBlue, g = File.Palette[index].rgbGreen, rd = File.Palette[index].rgbRed;
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
      BYTE* p = out + x * outBytes;
      p[0] = b, p[1] = g, p[2] = rd;
      if (outBytes == 4) p[3] = a;
    }
  }
}

std::vector<BYTE> BmpHeaders(LONG Width, LONG Height, WORD BitCount, DWORD PaletteEntries, bool AlphaMasks) {
  const DWORD infoSize = AlphaMasks ? V4HeaderSize : InfoHeaderSize;
  const DWORD offset = FileHeaderSize + infoSize + PaletteEntries * 4;
  const auto imageSize = static_cast<DWORD>(BmpStride(Width, BitCount) * Height);
  std::vector<BYTE> out;
  out.reserve(offset);
  Put16(out, BmpSignature);
  Put32(out, offset + imageSize);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, infoSize);
  Put32(out, static_cast<DWORD>(Width));
  Put32(out, static_cast<DWORD>(Height));  // positive: bottom-up
  Put16(out, 1);
  Put16(out, BitCount);
  Put32(out, AlphaMasks ? BI_BITFIELDS : BI_RGB);
  Put32(out, imageSize);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, PaletteEntries);
  Put32(out, 0);
  if (AlphaMasks) {
    for (DWORD mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) Put32(out, mask);
    Put32(out, LCS_sRGB);
    out.resize(FileHeaderSize + V4HeaderSize, 0);  // end points and gammas, unused with sRGB
  }
  return out;
}

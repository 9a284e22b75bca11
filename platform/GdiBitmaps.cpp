#include <cstring>

#include "platform/GdiObjects.h"

namespace {

// Larger bitmaps are refused rather than allocated.
constexpr int64_t MaxPixels = int64_t{1} << 28;

LONG StrideOf(LONG width, WORD bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

DWORD TableColor(const RGBQUAD& q) {
  return static_cast<DWORD>(q.rgbBlue) | (static_cast<DWORD>(q.rgbGreen) << 8) | (static_cast<DWORD>(q.rgbRed) << 16);
}

int Distance(DWORD a, DWORD b) {
  int d = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int x = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    d += x * x;
  }
  return d;
}

bool ValidDepth(WORD bpp) { return bpp == 1 || bpp == 24 || bpp == 32; }

}  // namespace

std::unique_ptr<TBitmapObject> NewBitmap(LONG width, LONG height, WORD bitsPerPixel) {
  if (width < 0 || height < 0 || static_cast<int64_t>(width) * height > MaxPixels) return nullptr;
  auto bitmap = std::make_unique<TBitmapObject>();
  bitmap->Width = width;
  bitmap->Height = height;
  bitmap->BitsPerPixel = bitsPerPixel;
  bitmap->Stride = StrideOf(width, bitsPerPixel);
  bitmap->Storage.assign(static_cast<size_t>(bitmap->Stride) * static_cast<size_t>(height), 0);
  return bitmap;
}

DWORD ReadPixel(const TBitmapObject& bitmap, LONG x, LONG y) {
  const BYTE* row = bitmap.Row(y);
  switch (bitmap.BitsPerPixel) {
    case 1: {
      const bool set = (row[x >> 3] >> (7 - (x & 7))) & 1;
      if (bitmap.IsDIBSection) return TableColor(bitmap.ColorTable[set]);
      return set ? 0x00FFFFFF : 0;
    }
    case 24: return row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16);
    default: {
      DWORD v;
      std::memcpy(&v, row + x * 4, 4);
      return v;
    }
  }
}

int NearestMonoIndex(const TBitmapObject& bitmap, DWORD bgra) {
  const DWORD zero = bitmap.IsDIBSection ? TableColor(bitmap.ColorTable[0]) : 0;
  const DWORD one = bitmap.IsDIBSection ? TableColor(bitmap.ColorTable[1]) : 0x00FFFFFF;
  return Distance(bgra, one) < Distance(bgra, zero) ? 1 : 0;
}

void WritePixel(TBitmapObject& bitmap, LONG x, LONG y, DWORD bgra) {
  BYTE* row = bitmap.Row(y);
  switch (bitmap.BitsPerPixel) {
    case 1: {
      const bool set = NearestMonoIndex(bitmap, bgra) == 1;
      const BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
      row[x >> 3] = set ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask);
      return;
    }
    case 24:
      row[x * 3] = static_cast<BYTE>(bgra);
      row[x * 3 + 1] = static_cast<BYTE>(bgra >> 8);
      row[x * 3 + 2] = static_cast<BYTE>(bgra >> 16);
      return;
    default: std::memcpy(row + x * 4, &bgra, 4);
  }
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
  if (nPlanes != 1 || (nBitCount != 1 && nBitCount != 32)) return nullptr;
  if (nWidth == 0 || nHeight == 0) nWidth = nHeight = 1, nBitCount = 1;  // the system's 1 x 1 monochrome
  auto bitmap = NewBitmap(nWidth, nHeight, static_cast<WORD>(nBitCount));
  if (!bitmap) return nullptr;
  if (lpBits) {
    // Device-bitmap rows come padded to 2 bytes.
    const size_t sourceStride = static_cast<size_t>((nWidth * static_cast<int>(nBitCount) + 15) / 16 * 2);
    const size_t rowBytes = static_cast<size_t>((nWidth * static_cast<int>(nBitCount) + 7) / 8);
    for (LONG y = 0; y < nHeight; ++y)
      std::memcpy(bitmap->Row(y), static_cast<const BYTE*>(lpBits) + sourceStride * y, rowBytes);
  }
  return static_cast<HBITMAP>(GdiAdd(std::move(bitmap)));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || cx < 0 || cy < 0) return nullptr;
  const TBitmapObject* surface = DCSurface(dc);
  // Like the DC's own bitmap: a fresh memory DC still has its monochrome one.
  const UINT bpp = dc->IsScreen || !surface || surface->BitsPerPixel != 1 ? 32 : 1;
  return CreateBitmap(cx, cy, 1, bpp, nullptr);
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, void* hSection,
                         DWORD offset) {
  if (ppvBits) *ppvBits = nullptr;
  if (!pbmi || usage != DIB_RGB_COLORS || hSection) return nullptr;
  const BITMAPINFOHEADER& h = pbmi->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biCompression != BI_RGB ||
      !ValidDepth(h.biBitCount) || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)
    return nullptr;
  auto bitmap = NewBitmap(h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight, h.biBitCount);
  if (!bitmap) return nullptr;
  bitmap->IsDIBSection = true;
  bitmap->TopDown = h.biHeight < 0;
  if (h.biBitCount == 1) {
    bitmap->ColorTable[0] = pbmi->bmiColors[0];
    bitmap->ColorTable[1] = pbmi->bmiColors[1];
  }
  void* bits = bitmap->Bits();
  HBITMAP handle = static_cast<HBITMAP>(GdiAdd(std::move(bitmap)));
  if (ppvBits) *ppvBits = bits;
  return handle;
}

namespace {

// The image row an array row stands for: top-down arrays start at the top,
// bottom-up ones at the bottom, both from scan line `start`.
LONG ImageRow(const TBitmapObject& b, bool topDown, UINT start, UINT line) {
  return topDown ? static_cast<LONG>(start + line) : b.Height - 1 - static_cast<LONG>(start + line);
}

struct TDIBitsFailures {
  bool MultiLine = false;
  int Line = -1;
};

TDIBitsFailures& DIBitsFailures() {
  static TDIBitsFailures failures;
  return failures;
}

bool FailsForTest(UINT start, UINT lines) {
  const TDIBitsFailures& f = DIBitsFailures();
  if (f.MultiLine && lines > 1) return true;
  return f.Line >= 0 && static_cast<UINT>(f.Line) >= start && static_cast<UINT>(f.Line) - start < lines;
}

template <typename Visit>
int ForRows(TBitmapObject& b, UINT start, UINT cLines, const BITMAPINFOHEADER& h, Visit visit) {
  if (!ValidDepth(h.biBitCount) || h.biWidth != b.Width || h.biHeight == 0 || h.biHeight == INT32_MIN)
    return 0;
  if (start >= static_cast<UINT>(b.Height) || cLines == 0) return 0;
  const bool topDown = h.biHeight < 0;
  const UINT lines = cLines < static_cast<UINT>(b.Height) - start ? cLines : static_cast<UINT>(b.Height) - start;
  if (FailsForTest(start, lines)) return 0;
  const LONG stride = StrideOf(b.Width, h.biBitCount);
  for (UINT line = 0; line < lines; ++line) visit(ImageRow(b, topDown, start, line), line * static_cast<size_t>(stride));
  return static_cast<int>(lines);
}

// A scratch bitmap over the caller's rows, to reuse the pixel readers.
TBitmapObject View(LONG width, WORD bpp, const RGBQUAD* colors) {
  TBitmapObject v;
  v.Width = width;
  v.Height = 1;
  v.BitsPerPixel = bpp;
  v.Stride = StrideOf(width, bpp);
  v.IsDIBSection = true;
  v.TopDown = true;
  if (bpp == 1 && colors) {
    v.ColorTable[0] = colors[0];
    v.ColorTable[1] = colors[1];
  }
  v.Storage.resize(static_cast<size_t>(v.Stride));
  return v;
}

}  // namespace

void SetDIBitsFailures(bool multiLineFails, int failingLine) { DIBitsFailures() = {multiLineFails, failingLine}; }

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, void* lpvBits, BITMAPINFO* lpbmi, UINT usage) {
  auto* b = GdiLookupAs<TBitmapObject>(hbm, OBJ_BITMAP);
  if (!DCLookup(hdc) || !b || !lpbmi || usage != DIB_RGB_COLORS) return 0;
  BITMAPINFOHEADER& h = lpbmi->bmiHeader;
  if (!lpvBits) {
    h.biWidth = b->Width;
    h.biHeight = b->IsDIBSection && b->TopDown ? -b->Height : b->Height;
    h.biPlanes = 1;
    if (h.biBitCount == 0) h.biBitCount = b->BitsPerPixel;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(StrideOf(b->Width, h.biBitCount) * b->Height);
    return b->Height > 0 ? 1 : 0;
  }
  TBitmapObject row = View(b->Width, h.biBitCount, nullptr);
  if (h.biBitCount == 1) {
    row.ColorTable[0] = {0, 0, 0, 0};
    row.ColorTable[1] = {255, 255, 255, 0};
    lpbmi->bmiColors[0] = row.ColorTable[0];
    lpbmi->bmiColors[1] = row.ColorTable[1];
  }
  auto* out = static_cast<BYTE*>(lpvBits);
  return ForRows(*b, start, cLines, h, [&](LONG y, size_t offset) {
    for (LONG x = 0; x < b->Width; ++x) WritePixel(row, x, 0, ReadPixel(*b, x, y));
    std::memcpy(out + offset, row.Storage.data(), row.Storage.size());
  });
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse) {
  auto* b = GdiLookupAs<TBitmapObject>(hbm, OBJ_BITMAP);
  if (!b || !lpbmi || !lpBits || ColorUse != DIB_RGB_COLORS) return 0;
  const BITMAPINFOHEADER& h = lpbmi->bmiHeader;
  TBitmapObject row = View(b->Width, h.biBitCount, lpbmi->bmiColors);
  const auto* in = static_cast<const BYTE*>(lpBits);
  return ForRows(*b, start, cLines, h, [&](LONG y, size_t offset) {
    std::memcpy(row.Storage.data(), in + offset, row.Storage.size());
    for (LONG x = 0; x < b->Width; ++x) WritePixel(*b, x, y, ReadPixel(row, x, 0));
  });
}

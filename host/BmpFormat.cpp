#include "host/BmpFormat.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "host/Bitmaps.h"
#include "host/Streams.h"
#include "host/SysConst.h"
#include "platform/BmpCodec.h"
#include "platform/DcGuards.h"

namespace {

[[noreturn]] void Invalid() { throw EInvalidGraphic(SInvalidBitmap); }

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
  // The platform's reader works on bytes: memory streams lend theirs, any
  // other stream is read to its end.
  const Int64 start = Stream->GetPosition();
  const Int64 size = Stream->GetSize();
  const BYTE* data = nullptr;
  size_t length = static_cast<size_t>(std::max<Int64>(size - start, 0));
  std::vector<BYTE> copy;
  if (auto* memory = dynamic_cast<TCustomMemoryStream*>(Stream)) {
    if (length) data = static_cast<const BYTE*>(memory->GetMemory()) + start;
  } else {
    copy.resize(length);
    length = static_cast<size_t>(Stream->Read(copy.data(), static_cast<Int64>(length)));
    data = copy.data();
  }

  TBmpFile file;
  switch (ReadBmpHeaders(data, length, file)) {
    case TBmpStatus::Ok: break;
    case TBmpStatus::Invalid: Invalid();
    case TBmpStatus::Truncated: throw EReadError(SReadError);
  }
  TBmpImage image;
  image.Width = static_cast<Integer>(file.Width);
  image.Height = static_cast<Integer>(file.Height);
  image.BitCount = file.DecodedBitCount();
  TBitmapGuard guard{CreateBottomUpDIB(image.Width, image.Height, image.BitCount)};
  if (!guard.Handle) Invalid();
  DIBSECTION ds;
  GetObjectW(guard.Handle, sizeof(ds), &ds);
  const Int64 stride = ds.dsBm.bmWidthBytes;
  if (stride < BmpStride(file.Width, image.BitCount)) Invalid();  // rows the GDI could not hold
  // Bottom-up memory: the top row is the last one.
  auto* top = static_cast<BYTE*>(ds.dsBm.bmBits) + (file.Height - 1) * stride;
  ReadBmpPixels(file, data, top, -static_cast<ptrdiff_t>(stride));
  Stream->SetPosition(start + static_cast<Int64>(file.End()));
  image.Handle = guard.Handle;
  guard.Handle = nullptr;
  return image;
}

void WriteBmp(TStream* Stream, HBITMAP Bitmap, Word BitCount) {
  BITMAP bm;
  if (!GetObjectW(Bitmap, sizeof(bm), &bm)) Invalid();
  const DWORD paletteEntries = BitCount == 1 ? 2 : 0;
  const std::vector<BYTE> headers = BmpHeaders(bm.bmWidth, bm.bmHeight, BitCount, paletteEntries);
  Stream->WriteBuffer(headers.data(), static_cast<Int64>(headers.size()));
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = bm.bmHeight;  // bottom-up
  bi.bmiHeader.biBitCount = BitCount;
  const Int64 stride = BmpStride(bm.bmWidth, BitCount);
  std::vector<BYTE> row(static_cast<size_t>(stride));
  TMemoryDC dc;
  for (LONG y = 0; y < bm.bmHeight; ++y) {
    BITMAPINFO rowInfo = bi;
    if (!GetDIBits(dc, Bitmap, static_cast<UINT>(y), 1, row.data(), &rowInfo, DIB_RGB_COLORS)) Invalid();
    // The first row fills in the colour table, which precedes the rows.
    if (y == 0 && paletteEntries) Stream->WriteBuffer(rowInfo.bmiColors, paletteEntries * sizeof(RGBQUAD));
    Stream->WriteBuffer(row.data(), stride);
  }
}

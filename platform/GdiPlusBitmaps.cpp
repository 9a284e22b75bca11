// Bitmaps of the image library: made from rows or GDI bitmaps, lent out
// through locks, measured, cloned and disposed of.
#include <cstdlib>
#include <cstring>

#include "platform/GdiObjects.h"
#include "platform/GdiPlusObjects.h"

namespace Gdiplus {

namespace {

BYTE* PixelAt(const GpBitmap& b, INT x, INT y) { return b.Row(y) + RowBytes(b.Format, x); }

BYTE* LentRow(const BitmapData& lent, INT y) {
  return static_cast<BYTE*>(lent.Scan0) + static_cast<ptrdiff_t>(y) * lent.Stride;
}

// Source over a premultiplied background, one channel.
inline DWORD Over(DWORD source, DWORD sourceAlpha, DWORD background) {
  return source + (background * (255 - sourceAlpha) + 127) / 255;
}

}  // namespace

GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!bitmap || width <= 0 || height <= 0 || !IsSupportedFormat(format)) return InvalidParameter;
  if (scan0 && (stride % 4 != 0 || static_cast<size_t>(std::abs(static_cast<int64_t>(stride))) < RowBytes(format, width)))
    return InvalidParameter;
  if (!WithinImageLimits(width, height)) return OutOfMemory;
  std::unique_ptr<GpBitmap> b;
  if (scan0) {
    b = std::make_unique<GpBitmap>();
    b->Width = width;
    b->Height = height;
    b->Format = format;
    b->Stride = stride;
    b->Scan0 = scan0;
  } else {
    b = NewOwnedBitmap(width, height, format);
  }
  *bitmap = AddObject(std::move(b));
  return Ok;
}

GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE, GpBitmap** bitmap) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const auto* source = GdiLookupAs<TBitmapObject>(hbm, OBJ_BITMAP);
  if (!source || !bitmap) return InvalidParameter;
  if (!WithinImageLimits(source->Width, source->Height)) return OutOfMemory;
  std::unique_ptr<GpBitmap> b = NewOwnedBitmap(source->Width, source->Height, PixelFormat32bppRGB);
  for (INT y = 0; y < b->Height; ++y) {
    const BYTE* in = source->Row(y);
    BYTE* out = b->Row(y);
    switch (source->BitsPerPixel) {
      case 24: ConvertPixels(PixelFormat24bppRGB, in, PixelFormat32bppRGB, out, b->Width); break;
      case 32: std::memcpy(out, in, RowBytes(PixelFormat32bppRGB, b->Width)); break;
      default:
        for (INT x = 0; x < b->Width; ++x) {
          const DWORD v = ReadPixel(*source, x, y) | 0xFF000000u;
          std::memcpy(out + x * 4, &v, 4);
        }
    }
    // Whatever the source held in its fourth byte, the result is opaque.
    for (INT x = 0; x < b->Width; ++x) out[x * 4 + 3] = 0xFF;
  }
  *bitmap = AddObject(std::move(b));
  return Ok;
}

GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBitmap* b = LookupObject<GpBitmap>(bitmap);
  if (!b || !hbmReturn) return InvalidParameter;
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = b->Width;
  bi.bmiHeader.biHeight = b->Height;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return OutOfMemory;
  const DWORD ba = background >> 24;
  const DWORD bb = (background & 0xFF) * ba / 255, bg = ((background >> 8) & 0xFF) * ba / 255,
              br = ((background >> 16) & 0xFF) * ba / 255;
  TBitmapObject& target = *GdiLookupAs<TBitmapObject>(dib, OBJ_BITMAP);
  for (INT y = 0; y < b->Height; ++y) {
    BYTE* out = target.Row(y);
    ConvertPixels(b->Format, b->Row(y), PixelFormat32bppPARGB, out, b->Width);
    if (ba == 0) continue;
    for (INT x = 0; x < b->Width; ++x) {
      BYTE* p = out + x * 4;
      const DWORD a = p[3];
      p[0] = static_cast<BYTE>(Over(p[0], a, bb));
      p[1] = static_cast<BYTE>(Over(p[1], a, bg));
      p[2] = static_cast<BYTE>(Over(p[2], a, br));
      p[3] = static_cast<BYTE>(Over(a, a, ba));
    }
  }
  *hbmReturn = dib;
  return Ok;
}

GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format,
                            BitmapData* lockedBitmapData) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpBitmap* b = LookupObject<GpBitmap>(bitmap);
  constexpr UINT modes = ImageLockModeRead | ImageLockModeWrite;
  if (!b || !lockedBitmapData || !(flags & modes) || (flags & ~(modes | ImageLockModeUserInputBuf)) ||
      !IsSupportedFormat(format))
    return InvalidParameter;
  const GpRect r = rect ? *rect : GpRect{0, 0, b->Width, b->Height};
  if (r.X < 0 || r.Y < 0 || r.Width <= 0 || r.Height <= 0 || r.X > b->Width - r.Width ||
      r.Y > b->Height - r.Height)
    return InvalidParameter;
  const bool userBuffer = flags & ImageLockModeUserInputBuf;
  if (userBuffer && (!lockedBitmapData->Scan0 ||
                     static_cast<size_t>(std::abs(static_cast<int64_t>(lockedBitmapData->Stride))) <
                         RowBytes(format, r.Width)))
    return InvalidParameter;
  if (b->Locked) return WrongState;

  BitmapData lent;
  lent.Width = static_cast<UINT>(r.Width);
  lent.Height = static_cast<UINT>(r.Height);
  lent.PixelFormat = format;
  const bool direct = !userBuffer && format == b->Format;
  if (direct) {
    lent.Scan0 = PixelAt(*b, r.X, r.Y);
    lent.Stride = b->Stride;
  } else if (userBuffer) {
    lent.Scan0 = lockedBitmapData->Scan0;
    lent.Stride = lockedBitmapData->Stride;
  } else {
    lent.Stride = static_cast<INT>((RowBytes(format, r.Width) + 3) / 4 * 4);
    b->LockCopy.assign(static_cast<size_t>(lent.Stride) * static_cast<size_t>(r.Height), 0);
    lent.Scan0 = b->LockCopy.data();
  }
  if (!direct && (flags & ImageLockModeRead))
    for (INT y = 0; y < r.Height; ++y) ConvertPixels(b->Format, PixelAt(*b, r.X, r.Y + y), format, LentRow(lent, y), r.Width);
  b->Locked = true;
  b->LockDirect = direct;
  b->LockRect = r;
  b->LockFlags = flags;
  b->Lent = lent;
  *lockedBitmapData = lent;
  return Ok;
}

GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* lockedBitmapData) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpBitmap* b = LookupObject<GpBitmap>(bitmap);
  if (!b || !lockedBitmapData) return InvalidParameter;
  if (!b->Locked) return WrongState;
  const GpRect& r = b->LockRect;
  if (!b->LockDirect && (b->LockFlags & ImageLockModeWrite))
    for (INT y = 0; y < r.Height; ++y)
      ConvertPixels(b->Lent.PixelFormat, LentRow(b->Lent, y), b->Format, PixelAt(*b, r.X, r.Y + y), r.Width);
  b->Locked = false;
  b->LockCopy = {};
  return Ok;
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBitmap* b = LookupObject<GpBitmap>(image);
  if (!b || !width) return InvalidParameter;
  *width = static_cast<UINT>(b->Width);
  return Ok;
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBitmap* b = LookupObject<GpBitmap>(image);
  if (!b || !height) return InvalidParameter;
  *height = static_cast<UINT>(b->Height);
  return Ok;
}

GpStatus GdipGetImageDimension(GpImage* image, REAL* width, REAL* height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBitmap* b = LookupObject<GpBitmap>(image);
  if (!b || !width || !height) return InvalidParameter;
  *width = static_cast<REAL>(b->Width);
  *height = static_cast<REAL>(b->Height);
  return Ok;
}

GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBitmap* b = LookupObject<GpBitmap>(image);
  if (!b || !format) return InvalidParameter;
  *format = b->Format;
  return Ok;
}

GpStatus GdipGetImageRawFormat(GpImage* image, GUID* format) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpImage* i = LookupObject<GpImage>(image);
  if (!i || !format) return InvalidParameter;
  *format = i->RawFormat;
  return Ok;
}

GpStatus GdipCloneImage(GpImage* image, GpImage** cloneImage) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBitmap* b = LookupObject<GpBitmap>(image);
  if (!b || !cloneImage) return InvalidParameter;
  std::unique_ptr<GpBitmap> copy = NewOwnedBitmap(b->Width, b->Height, b->Format);
  copy->RawFormat = b->RawFormat;
  for (INT y = 0; y < b->Height; ++y) std::memcpy(copy->Row(y), b->Row(y), RowBytes(b->Format, b->Width));
  *cloneImage = AddObject(std::move(copy));
  return Ok;
}

GpStatus GdipDisposeImage(GpImage* image) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpImage* i = LookupObject<GpImage>(image);
  if (!i) return InvalidParameter;
  if (const auto* b = dynamic_cast<const GpBitmap*>(i); b && b->Graphics > 0) return ObjectBusy;
  RemoveObject(i);
  return Ok;
}

}  // namespace Gdiplus

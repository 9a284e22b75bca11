#pragma once
// The objects behind the image library's handles, shared by its sources only.

#include <memory>
#include <vector>

#include "platform/GdiPlus.h"

namespace Gdiplus {

// Whatever a handle stands for. The registry owns the live ones.
struct TGdipObject {
  virtual ~TGdipObject() = default;
};

struct GpImage : TGdipObject {
  GUID RawFormat = ImageFormatMemoryBMP;
};

// Rows of one of the four formats, in the caller's memory or in Storage.
struct GpBitmap : GpImage {
  INT Width = 0;
  INT Height = 0;
  PixelFormat Format = PixelFormat32bppPARGB;
  INT Stride = 0;  // negative for bottom-up rows
  BYTE* Scan0 = nullptr;
  std::vector<BYTE> Storage;
  int Graphics = 0;  // graphics drawing on it: it stays until they go

  // The lock in force: what was lent, and the copy lent when not the rows.
  bool Locked = false;
  bool LockDirect = false;  // the rows themselves were lent
  GpRect LockRect;
  UINT LockFlags = 0;
  BitmapData Lent;
  std::vector<BYTE> LockCopy;

  BYTE* Row(INT y) const { return Scan0 + static_cast<ptrdiff_t>(y) * Stride; }
};

// How a call starts: the status a test switch forces on the entry, else
// GdiplusNotInitialized when the library is not started, else Ok.
GpStatus EnterEntry(const char* Name);
bool GdiplusStarted();

void AddObjectOwned(std::unique_ptr<TGdipObject> object);
// Registers an object and returns it as its handle.
template <typename T>
T* AddObject(std::unique_ptr<T> object) {
  T* handle = object.get();
  AddObjectOwned(std::unique_ptr<TGdipObject>(std::move(object)));
  return handle;
}
// nullptr for anything that is not a live object of that kind.
TGdipObject* FindObject(const void* handle);
template <typename T>
T* LookupObject(const void* handle) {
  return dynamic_cast<T*>(FindObject(handle));
}
void RemoveObject(TGdipObject* object);
// Disposes of every live object: the library's last shut-down.
void RemoveAllObjects();

// Whole-image limits: sides of 1 to 65535 pixels, 2^26 pixels in all.
bool WithinImageLimits(int64_t width, int64_t height);
// A bitmap owning zeroed rows, stride padded to 4; nullptr beyond the limits.
std::unique_ptr<GpBitmap> NewOwnedBitmap(INT width, INT height, PixelFormat format);
bool IsSupportedFormat(PixelFormat format);
bool HasAlpha(PixelFormat format);
// Bytes of a row of count pixels, unpadded.
size_t RowBytes(PixelFormat format, INT count);

// Converts count pixels between any two of the four formats. Straight
// colours meet premultiplied ones by multiplying by alpha (rounded) or
// dividing by it (rounded; 0 for alpha 0); the opaque formats read alpha as
// 255 and write straight colours, alpha dropped.
void ConvertPixels(PixelFormat from, const BYTE* in, PixelFormat to, BYTE* out, INT count);
// In place over 32-bit BGRA pixels.
void PremultiplyPixels(BYTE* pixels, size_t count);

void CountDecode(const GUID& format);
bool EncoderAvailable(const CLSID& encoder);

}  // namespace Gdiplus

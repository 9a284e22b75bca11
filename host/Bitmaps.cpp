#include "host/Bitmaps.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "host/BmpFormat.h"
#include "host/Filer.h"
#include "host/Streams.h"
#include "host/SysConst.h"
#include "platform/Clipboard.h"
#include "platform/DcGuards.h"

// --- TGraphic ---------------------------------------------------------------

HOST_CLASS_INFO(TGraphic, TInterfacedPersistent, nullptr)

void TGraphic::SetSize(Integer AWidth, Integer AHeight) {
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value) Changed(this);
  else FModified = false;
}

void TGraphic::Changed(TObject*) {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

bool TGraphic::Equals(TGraphic* Graphic) {
  if (!Graphic || Graphic->ClassType() != ClassType()) return false;
  if (GetEmpty() || Graphic->GetEmpty()) return GetEmpty() && Graphic->GetEmpty();
  TMemoryStream mine, theirs;
  WriteData(&mine);
  Graphic->WriteData(&theirs);
  return mine.GetSize() == theirs.GetSize() &&
         std::equal(static_cast<const Byte*>(mine.GetMemory()),
                    static_cast<const Byte*>(mine.GetMemory()) + mine.GetSize(),
                    static_cast<const Byte*>(theirs.GetMemory()));
}

void TGraphic::DefineProperties(TFiler* Filer) {
  // Against an ancestor only what differs from it is stored.
  bool hasData = !GetEmpty();
  if (TPersistent* ancestor = Filer->GetAncestor()) {
    auto* graphic = dynamic_cast<TGraphic*>(ancestor);
    hasData = !graphic || !Equals(graphic);
  }
  Filer->DefineBinaryProperty(
      u"Data", [this](TStream* Stream) { ReadData(Stream); }, [this](TStream* Stream) { WriteData(Stream); },
      hasData);
}

// --- TBitmapCanvas ----------------------------------------------------------

// A memory device context with the bitmap selected, made when first drawn
// on; its changes are the bitmap's.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    HDC dc = HandleAllocated() ? GetHandle() : nullptr;
    if (!dc) return;
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(dc, FOldBitmap);
    FOldBitmap = nullptr;
    DeleteDC(dc);
  }

  // Before the bitmap deletes its image: a locked canvas keeps its device
  // context and takes the new image, an unlocked one lets the context go.
  void ImageReplacing(HBITMAP Image) {
    if (!HandleAllocated()) return;
    if (GetLockCount() == 0) return FreeContext();
    Select(GetHandle(), Image);
  }

 protected:
  void CreateHandle() override {
    HDC dc = CreateCompatibleDC(nullptr);
    Select(dc, FBitmap->FHandle);
    SetHandle(dc);
  }
  void Changed() override {
    TCanvas::Changed();
    FBitmap->Changed(FBitmap);
  }

 private:
  void Select(HDC DC, HBITMAP Image) {
    // Without an image the context's own 1 x 1 bitmap goes back in.
    HGDIOBJ target = Image ? static_cast<HGDIOBJ>(Image) : FOldBitmap;
    if (!target) return;
    HGDIOBJ old = SelectObject(DC, target);
    if (!FOldBitmap) FOldBitmap = old;
    if (!Image) FOldBitmap = nullptr;
  }

  TBitmap* FBitmap;
  HGDIOBJ FOldBitmap = nullptr;
};

// --- TBitmap ----------------------------------------------------------------

namespace {

// Copies every pixel through 32-bit rows, converting between formats of the
// same size.
void ConvertPixels(HBITMAP From, HBITMAP To, Integer Width, Integer Height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = Width;
  bi.bmiHeader.biHeight = -Height;
  bi.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(static_cast<size_t>(Width) * static_cast<size_t>(Height));
  TMemoryDC dc;
  GetDIBits(dc, From, 0, static_cast<UINT>(Height), pixels.data(), &bi, DIB_RGB_COLORS);
  SetDIBits(dc, To, 0, static_cast<UINT>(Height), pixels.data(), &bi, DIB_RGB_COLORS);
}

// Copies the top-left Width x Height pixels of a bitmap of one format into
// another. The source is read through its own canvas, since a bitmap can be
// selected into one device context only.
void CopyPixels(TBitmap* From, HBITMAP To, Integer Width, Integer Height) {
  TMemoryDC dest;
  TSelectedObject target(dest, To);
  BitBlt(dest, 0, 0, Width, Height, From->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

// The formats a GDI bitmap can have.
TPixelFormat Held(TPixelFormat Format) {
  switch (Format) {
    case pfDevice:
    case pf1bit:
    case pf24bit:
    case pf32bit: return Format;
    default: return pf24bit;
  }
}

Word BitsOf(TPixelFormat Format) { return Format == pf1bit ? 1 : Format == pf24bit ? 24 : 32; }

// What a GDI bitmap is: its size, and the format and kind the framework
// holds it as. False for a handle that is no bitmap.
struct TImageKind {
  Integer Width = 0;
  Integer Height = 0;
  TPixelFormat Format = pfDevice;
  TBitmapHandleType HandleType = bmDDB;
};

bool KindOf(HBITMAP Image, TImageKind& Kind) {
  DIBSECTION ds;
  const int size = GetObjectW(Image, sizeof(ds), &ds);
  if (!size) return false;
  const bool dib = size == static_cast<int>(sizeof(DIBSECTION));
  Kind.Width = ds.dsBm.bmWidth;
  Kind.Height = ds.dsBm.bmHeight;
  Kind.Format = ds.dsBm.bmBitsPixel == 1 ? pf1bit : !dib ? pfDevice : ds.dsBm.bmBitsPixel == 24 ? pf24bit : pf32bit;
  Kind.HandleType = dib ? bmDIB : bmDDB;
  return true;
}

}  // namespace

HOST_CLASS_INFO(TBitmap, TGraphic, &CreateDefault<TBitmap>)

TBitmap::TBitmap() = default;

TBitmap::TBitmap(Integer AWidth, Integer AHeight) { SetSize(AWidth, AHeight); }

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FHandle) DeleteObject(FHandle);
}

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

HBITMAP TBitmap::NewImage(Integer AWidth, Integer AHeight, TPixelFormat Format,
                          TBitmapHandleType HandleType) const {
  if (AWidth <= 0 || AHeight <= 0) return nullptr;
  HBITMAP image = nullptr;
  if (Format == pfDevice) image = CreateBitmap(AWidth, AHeight, 1, 32, nullptr);
  else if (Format == pf1bit && HandleType == bmDDB) image = CreateBitmap(AWidth, AHeight, 1, 1, nullptr);
  else image = CreateBottomUpDIB(AWidth, AHeight, BitsOf(Format));
  if (!image) throw EInvalidGraphicOperation(SOutOfResources);
  return image;
}

void TBitmap::ReplaceImage(HBITMAP Image, Integer AWidth, Integer AHeight, TPixelFormat Format,
                           TBitmapHandleType HandleType) {
  if (FCanvas) FCanvas->ImageReplacing(Image);
  if (FHandle && FHandle != Image) DeleteObject(FHandle);
  FHandle = Image;
  FWidth = Image ? AWidth : 0;
  FHeight = Image ? AHeight : 0;
  FPixelFormat = Format;
  FHandleType = HandleType;
}

void TBitmap::SetSize(Integer AWidth, Integer AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  HBITMAP image = NewImage(AWidth, AHeight, FPixelFormat, FHandleType);
  if (image && FHandle) CopyPixels(this, image, std::min(AWidth, FWidth), std::min(AHeight, FHeight));
  ReplaceImage(image, AWidth, AHeight, FPixelFormat, FHandleType);
  Changed(this);
}

void TBitmap::Convert(TPixelFormat Format, TBitmapHandleType HandleType) {
  if (Format == FPixelFormat && HandleType == FHandleType) return;
  HBITMAP image = NewImage(FWidth, FHeight, Format, HandleType);
  if (image) ConvertPixels(FHandle, image, FWidth, FHeight);
  ReplaceImage(image, FWidth, FHeight, Format, HandleType);
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pfCustom) return;
  Value = Held(Value);
  Convert(Value, Value == pfDevice ? bmDDB : bmDIB);
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  if (Value == FHandleType) return;
  if (FPixelFormat == pf1bit) Convert(pf1bit, Value);
  else Convert(Value == bmDDB ? pfDevice : pf32bit, Value);
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == GetMonochrome()) return;
  if (Value) Convert(pf1bit, FHandleType);
  else Convert(pfDevice, bmDDB);
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == FHandle) return;
  if (!Value) {
    ReplaceImage(nullptr, 0, 0, FPixelFormat, FHandleType);
    return Changed(this);
  }
  TImageKind kind;
  if (!KindOf(Value, kind)) throw EInvalidGraphic(SInvalidBitmap);
  ReplaceImage(Value, kind.Width, kind.Height, kind.Format, kind.HandleType);
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  if (!FHandle) return nullptr;
  HBITMAP copy = NewImage(FWidth, FHeight, FPixelFormat, FHandleType);
  CopyPixels(this, copy, FWidth, FHeight);
  HBITMAP released = FHandle;
  // The canvas lets go of the released image before the caller gets it.
  if (FCanvas) FCanvas->ImageReplacing(copy);
  FHandle = copy;
  return released;
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    ReplaceImage(nullptr, 0, 0, FPixelFormat, FHandleType);
    return Changed(this);
  }
  auto* bitmap = dynamic_cast<TBitmap*>(Source);
  if (!bitmap) return TGraphic::Assign(Source);
  if (bitmap == this) return;
  HBITMAP image = NewImage(bitmap->FWidth, bitmap->FHeight, bitmap->FPixelFormat, bitmap->FHandleType);
  if (image) CopyPixels(bitmap, image, bitmap->FWidth, bitmap->FHeight);
  ReplaceImage(image, bitmap->FWidth, bitmap->FHeight, bitmap->FPixelFormat, bitmap->FHandleType);
  FTransparentColor = bitmap->FTransparentColor;
  FTransparentMode = bitmap->FTransparentMode;
  // One change notification either way.
  if (GetTransparent() != bitmap->GetTransparent()) SetTransparent(bitmap->GetTransparent());
  else Changed(this);
}

void* TBitmap::GetScanLine(Integer Row) const {
  DIBSECTION ds;
  if (!FHandle || GetObjectW(FHandle, sizeof(ds), &ds) != static_cast<int>(sizeof(DIBSECTION)))
    throw EInvalidGraphicOperation(SNotDIB);
  if (Row < 0 || Row >= FHeight) throw EInvalidGraphicOperation(SScanLine);
  // Bottom-up: the top row is the last in memory.
  return static_cast<BYTE*>(ds.dsBm.bmBits) + static_cast<size_t>(FHeight - 1 - Row) * ds.dsBm.bmWidthBytes;
}

TColor TBitmap::GetTransparentColor() {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (GetEmpty()) return clDefault;
  return GetCanvas()->GetPixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto) SetTransparentColor(clDefault);
  else SetTransparentColor(GetTransparentColor());
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  HDC dest = ACanvas->GetHandle();
  HDC source = GetCanvas()->GetHandle();
  if (GetTransparent()) return DrawTransparent(dest, Rect, source);
  StretchBlt(dest, Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top, source, 0, 0, FWidth,
             FHeight, static_cast<DWORD>(ACanvas->GetCopyMode()));
}

void TBitmap::DrawTransparent(HDC Dest, const TRect& Rect, HDC Source) {
  const COLORREF key = ColorToGdi(GetTransparentColor());
  // 1 where the image has the transparent colour.
  TMemoryDC maskDC(nullptr, CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
  {
    TSavedDC source(Source);
    SetBkColor(Source, key);
    BitBlt(maskDC, 0, 0, FWidth, FHeight, Source, 0, 0, SRCCOPY);
  }
  // D ^ S, masked to zero where opaque, ^ S again: the image where opaque,
  // the destination where transparent. The mask turns white and black
  // through the destination's colours.
  TSavedDC dest(Dest);
  SetTextColor(Dest, 0);
  SetBkColor(Dest, 0x00FFFFFF);
  const int w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
  StretchBlt(Dest, Rect.Left, Rect.Top, w, h, Source, 0, 0, FWidth, FHeight, SRCINVERT);
  StretchBlt(Dest, Rect.Left, Rect.Top, w, h, maskDC, 0, 0, FWidth, FHeight, SRCAND);
  StretchBlt(Dest, Rect.Left, Rect.Top, w, h, Source, 0, 0, FWidth, FHeight, SRCINVERT);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  if (Stream->GetSize() - Stream->GetPosition() <= 0) {
    ReplaceImage(nullptr, 0, 0, FPixelFormat, FHandleType);
    return Changed(this);
  }
  const TBmpImage image = ReadBmp(Stream);
  ReplaceImage(image.Handle, image.Width, image.Height, image.BitCount == 32 ? pf32bit : pf24bit, bmDIB);
  Changed(this);
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (GetEmpty()) return;
  WriteBmp(Stream, FHandle, BitsOf(FPixelFormat));
}

void TBitmap::ReadData(TStream* Stream) {
  const Int64 remaining = Stream->GetSize() - Stream->GetPosition();
  const Integer size = Stream->ReadInteger();
  if (size < 0 || size > remaining - 4) throw EReadError(SReadError);
  const Int64 end = Stream->GetPosition() + size;
  if (size == 0) {
    ReplaceImage(nullptr, 0, 0, FPixelFormat, FHandleType);
    Changed(this);
  } else {
    // The image may not read past its length, whatever its headers claim.
    TMemoryStream data;
    data.CopyFrom(Stream, size);
    data.SetPosition(0);
    LoadFromStream(&data);
  }
  Stream->SetPosition(end);
}

void TBitmap::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE) {
  if (AFormat != CF_BITMAP || !AData) throw EInvalidGraphic(SUnknownClipboardFormat);
  auto* source = static_cast<HBITMAP>(AData);
  TImageKind kind;
  if (!KindOf(source, kind)) throw EInvalidGraphic(SInvalidBitmap);
  HBITMAP image = NewImage(kind.Width, kind.Height, kind.Format, kind.HandleType);
  {
    TMemoryDC from;
    TSelectedObject selected(from, source);
    TMemoryDC to;
    TSelectedObject target(to, image);
    BitBlt(to, 0, 0, kind.Width, kind.Height, from, 0, 0, SRCCOPY);
  }
  ReplaceImage(image, kind.Width, kind.Height, kind.Format, kind.HandleType);
  Changed(this);
}

void TBitmap::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  AFormat = CF_BITMAP;
  APalette = nullptr;
  AData = nullptr;
  if (GetEmpty()) return;
  HBITMAP copy = NewImage(FWidth, FHeight, FPixelFormat, FHandleType);
  CopyPixels(this, copy, FWidth, FHeight);
  AData = copy;
}

void TBitmap::WriteData(TStream* Stream) {
  TMemoryStream data;
  SaveToStream(&data);
  Stream->WriteInteger(static_cast<Integer>(data.GetSize()));
  Stream->WriteBuffer(data.GetMemory(), data.GetSize());
}

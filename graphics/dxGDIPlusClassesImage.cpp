// The image classes of dxGDIPlusClasses: their data, the image made when
// first needed, loading, saving and the operations on pixels.
#include <algorithm>
#include <cstring>

#include "controls/dxHashUtils.h"
#include "graphics/dxGDIPlusClasses.h"
#include "host/Variants.h"
#include "platform/Clipboard.h"
#include "platform/Kernel.h"
#include "platform/ScopeExit.h"

namespace {

constexpr TcxResourceString sdxGetImageEncoderFails{u"sdxGetImageEncoderFails", u"dxGetImageEncoder fails"};
constexpr TcxResourceString sdxInvalidImageBits{u"sdxInvalidImageBits",
                                                u"The pixels given do not make an image of that size"};

// The encoder of the format, when there is one.
const CLSID* EncoderOf(TdxImageDataFormat AFormat) {
  const CLSID* codec = nullptr;
  switch (AFormat) {
    case dxImageBitmap: codec = &BMPCodec; break;
    case dxImageJpeg: codec = &JPEGCodec; break;
    case dxImagePng: codec = &PNGCodec; break;
    case dxImageTiff: codec = &TIFFCodec; break;
    case dxImageGif: codec = &GIFCodec; break;
    case dxImageUnknown: break;
  }
  return codec && IsCodecIDValid(*codec) ? codec : nullptr;
}

struct TdxGPImageDataHelper {
  // A bitmap file ("BM"): the framework reads it, not the library. The
  // file header is read and the stream moved back.
  static bool IsBitmapStream(TStream* AStream) {
    Byte header[14];
    const Int64 count = AStream->Read(header, sizeof header);
    AStream->Seek(-count, soCurrent);
    return count == sizeof header && header[0] == 'B' && header[1] == 'M';
  }
};

// A 32-bit bitmap's fourth bytes are alpha when any is set, or when every
// pixel is zero altogether: a fully transparent picture, not a black one.
bool HasAlphaChannel(const TRGBColors& AColors) {
  bool allZero = true;
  for (const TRGBQuad& c : AColors) {
    if (c.rgbReserved != 0) return true;
    allZero = allZero && c.rgbBlue == 0 && c.rgbGreen == 0 && c.rgbRed == 0;
  }
  return allZero;
}

// The colour (0xAARRGGBB) premultiplied, in every pixel.
TRGBColors FilledBits(Integer AWidth, Integer AHeight, TdxAlphaColor AColor) {
  const Integer alpha = static_cast<Integer>(AColor >> 24);
  const auto channel = [&](int AShift) {
    return static_cast<Byte>(MulDiv(static_cast<Integer>((AColor >> AShift) & 0xFF), alpha, 255));
  };
  const TRGBQuad pixel{channel(0), channel(8), channel(16), static_cast<Byte>(alpha)};
  return TRGBColors(static_cast<size_t>(AWidth) * static_cast<size_t>(AHeight), pixel);
}

// A field's bytes: a byte array's elements, or the value as a byte string.
AnsiString BytesOf(const Variant& AValue) {
  if (!VarIsArray(AValue)) return AValue.AsAnsiString();
  AnsiString bytes;
  for (Integer i = VarArrayLowBound(AValue, 1); i <= VarArrayHighBound(AValue, 1); ++i)
    bytes.push_back(static_cast<char>(AValue[i].AsInteger()));
  return bytes;
}

// A graphic field starts with a count of 1, the type 256 and the size of
// what follows, all little-endian.
bool HasGraphicHeader(const AnsiString& ABytes) {
  if (ABytes.size() <= 7) return false;
  const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<Byte>(ABytes[i])); };
  const uint32_t count = byte(0) | byte(1) << 8, type = byte(2) | byte(3) << 8;
  const uint32_t size = byte(4) | byte(5) << 8 | byte(6) << 16 | byte(7) << 24;
  return count == 1 && type == 256 && size == ABytes.size() - 8;
}

}  // namespace

TdxImageDataFormat dxGetImageDataFormat(const GUID& AGuid) {
  if (AGuid == ImageFormatMemoryBMP || AGuid == ImageFormatBMP || AGuid == ImageFormatIcon) return dxImageBitmap;
  if (AGuid == ImageFormatJPEG) return dxImageJpeg;
  if (AGuid == ImageFormatPNG) return dxImagePng;
  if (AGuid == ImageFormatTIFF) return dxImageTiff;
  if (AGuid == ImageFormatGIF) return dxImageGif;
  return dxImageUnknown;
}

CLSID dxGetImageEncoder(TdxImageDataFormat AFormat) {
  const CLSID* encoder = EncoderOf(AFormat);
  if (!encoder) throw EdxException(cxGetResourceString(&sdxGetImageEncoderFails));
  return *encoder;
}

// --- TdxGPImageData ------------------------------------------------------------------

HOST_CLASS_INFO(TdxGPImageData, TObject, &CreateDefault<TdxGPImageData>)

void TdxGPImageData::Assign(const TdxGPImageData& ASource) {
  FBits = ASource.FBits;
  FBitsBounds = ASource.FBitsBounds;
  FData = ASource.FData ? dxCloneStream(ASource.FData.get()) : nullptr;
  FNewSize = ASource.FNewSize;
}

void TdxGPImageData::Clear() {
  FBits = TRGBColors();
  FBitsBounds = cxNullSize;
  FData.reset();
  FNewSize = cxNullSize;
}

// --- TdxGPImage ----------------------------------------------------------------------

HOST_CLASS_INFO(TdxGPImage, TGraphic, &CreateDefault<TdxGPImage>)

TdxGPImage::TdxGPImage() : FImageData(new TdxGPImageData) {}

TdxGPImage::TdxGPImage(Integer AWidth, Integer AHeight, TdxAlphaColor AColor) : TdxGPImage() {
  if (AWidth > 0 && AHeight > 0) LoadFromBits(AWidth, AHeight, FilledBits(AWidth, AHeight, AColor), true);
}

TdxGPImage::TdxGPImage(const TSize& ASize, TdxAlphaColor AColor) : TdxGPImage(ASize.cx, ASize.cy, AColor) {}

TdxGPImage::TdxGPImage(const TRect& ARect, TdxAlphaColor AColor)
    : TdxGPImage(cxRectWidth(ARect), cxRectHeight(ARect), AColor) {}

TdxGPImage::TdxGPImage(TBitmap* ABitmap) : TdxGPImage() { SetBitmap(ABitmap); }

TdxGPImage::TdxGPImage(HBITMAP ABitmap) : TdxGPImage() {
  // Read as the clipboard's bitmaps are: a copy, the handle left alone.
  TBitmap bitmap;
  bitmap.LoadFromClipboardFormat(CF_BITMAP, ABitmap, nullptr);
  SetBitmap(&bitmap);
}

TdxGPImage::TdxGPImage(Integer AWidth, Integer AHeight, const TRGBColors& ABits, bool AHasAlphaChannel)
    : TdxGPImage() {
  LoadFromBits(AWidth, AHeight, ABits, AHasAlphaChannel);
}

TdxGPImage::TdxGPImage(TStream* AStream) : TdxGPImage() { LoadFromStream(AStream); }

TdxGPImage::~TdxGPImage() { FreeHandle(); }

void TdxGPImage::Assign(TPersistent* ASource) {
  if (!ASource) return Clear();
  if (auto* image = dynamic_cast<TdxGPImage*>(ASource)) return AssignFromGpImage(image);
  if (auto* graphic = dynamic_cast<TGraphic*>(ASource)) return AssignFromGraphic(graphic);
  TGraphic::Assign(ASource);
}

void TdxGPImage::AssignTo(TPersistent* ADest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(ADest)) return bitmap->Assign(GetAsBitmap().get());
  TGraphic::AssignTo(ADest);
}

void TdxGPImage::AssignFromGpImage(TdxGPImage* AImage) {
  if (AImage == this) return;
  if (!AImage->HandleAllocated() && AImage->FImageData->Empty()) return Clear();
  if (!AImage->GetLoaded()) {
    // Still undecoded: its data, without decoding it.
    FreeHandle();
    FImageData->Assign(*AImage->FImageData);
    return Changed(this);
  }
  if (AImage->FImageDataFormat == dxImageBitmap) return SetBitmap(AImage->GetAsBitmap().get());
  TdxGPMemoryStream stream;
  AImage->SaveHandle(&stream, AImage->FImageDataFormat);
  stream.SetPosition(0);
  LoadFromStream(&stream);
}

void TdxGPImage::AssignFromGraphic(TGraphic* AGraphic) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(AGraphic)) return SetBitmap(bitmap);
  TcxBitmapPtr bitmap = cxCreateBitmap(AGraphic->GetWidth(), AGraphic->GetHeight(), pf24bit);
  if (!bitmap->GetEmpty()) bitmap->GetCanvas()->Draw(0, 0, AGraphic);
  SetBitmap(bitmap.get());
}

bool TdxGPImage::GetLoaded() const { return FHandle != nullptr || FImageData->Empty(); }

void TdxGPImage::Changed(TObject* ASender) {
  FIsAlphaUsedAssigned = false;
  TGraphic::Changed(ASender);
}

void TdxGPImage::FreeHandle() {
  dxGpFreeHandle(FHandle, GdipDisposeImage);
  FImageDataFormat = dxImageUnknown;
  FImageData->Clear();
}

void TdxGPImage::AdoptHandle(GpImage* AHandle) {
  FHandle = AHandle;
  GUID rawFormat;
  GdipCheck(GdipGetImageRawFormat(FHandle, &rawFormat));
  FImageDataFormat = dxGetImageDataFormat(rawFormat);
}

void TdxGPImage::HandleNeeded() {
  if (GetLoaded() || !CheckGdiPlus()) return;
  CreateHandleFromData();
  if (!FHandle) return;
  const TSize newSize = FImageData->FNewSize;
  if (newSize.cx > 0 && newSize.cy > 0) RedrawHandle(newSize.cx, newSize.cy);
  if (FImageDataFormat == dxImageUnknown) ConvertToBitmap();
}

void TdxGPImage::CreateHandleFromData() {
  TdxGPImageData& data = *FImageData;
  if (data.FBits.empty() && data.FData) {
    data.FData->SetPosition(0);
    if (!TdxGPImageDataHelper::IsBitmapStream(data.FData.get())) {
      // The bytes stay for as long as the image made from them.
      TdxGPStreamAdapter adapter(data.FData.get());
      GpImage* image = nullptr;
      GdipCheck(GdipLoadImageFromStream(&adapter, &image));
      return AdoptHandle(image);
    }
    TBitmap bitmap;
    bitmap.LoadFromStream(data.FData.get());
    data.FData.reset();
    TakeBitmap(&bitmap);
  }
  if (!FHandle && !data.FBits.empty()) CreateHandleFromBits();
}

void TdxGPImage::CreateHandleFromBits() {
  TdxGPImageData& data = *FImageData;
  GpBitmap* bitmap = nullptr;
  // The library draws on the bits themselves: they live as long as the handle.
  GdipCheck(GdipCreateBitmapFromScan0(data.FBitsBounds.cx, data.FBitsBounds.cy, data.FBitsBounds.cx * 4,
                                      Gdiplus::PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(data.FBits.data()),
                                      &bitmap));
  AdoptHandle(reinterpret_cast<GpImage*>(bitmap));
}

void TdxGPImage::TakeBitmap(TBitmap* ABitmap) {
  if (ABitmap->GetEmpty()) return;
  if (cxGetBitmapPixelFormat(ABitmap) == 32) {
    TRGBColors colors;
    ::GetBitmapBits(ABitmap, colors, true);
    if (!HasAlphaChannel(colors))
      for (TRGBQuad& c : colors) c.rgbReserved = 255;
    FImageData->FBits = std::move(colors);
    FImageData->FBitsBounds = cxSize(ABitmap->GetWidth(), ABitmap->GetHeight());
    return;
  }
  if (!CheckGdiPlus()) return;
  GpBitmap* bitmap = nullptr;
  GdipCheck(GdipCreateBitmapFromHBITMAP(ABitmap->GetHandle(), nullptr, &bitmap));
  AdoptHandle(reinterpret_cast<GpImage*>(bitmap));
}

void TdxGPImage::RedrawHandle(Integer AWidth, Integer AHeight) {
  GpBitmap* bitmap = dxGpCreateBitmap(AWidth, AHeight);
  bool taken = false;
  TScopeExit disposeUnlessTaken([&] {
    if (!taken) GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  });
  {
    GpGraphics* graphics = nullptr;
    GdipCheck(GdipGetImageGraphicsContext(reinterpret_cast<GpImage*>(bitmap), &graphics));
    TScopeExit deleteGraphics([graphics] { GdipDeleteGraphics(graphics); });
    GdipCheck(GdipDrawImageRectI(graphics, FHandle, 0, 0, AWidth, AHeight));
  }
  FreeHandle();
  AdoptHandle(reinterpret_cast<GpImage*>(bitmap));
  taken = true;
}

GpImage* TdxGPImage::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TdxGPImage::SetHandle(GpImage* AValue) {
  if (AValue == FHandle) return;
  FreeHandle();
  if (AValue) AdoptHandle(AValue);
  Changed(this);
}

TSize TdxGPImage::GetSize() const {
  GpImage* handle = Decodable().GetHandle();
  if (!handle) return cxNullSize;
  Gdiplus::REAL width = 0, height = 0;
  GdipCheck(GdipGetImageDimension(handle, &width, &height));
  return cxSize(static_cast<Integer>(width), static_cast<Integer>(height));
}

bool TdxGPImage::GetEmpty() const {
  const TSize size = GetSize();
  return size.cx <= 0 || size.cy <= 0;
}

TdxImageDataFormat TdxGPImage::GetImageDataFormat() {
  HandleNeeded();
  return FImageDataFormat;
}

void TdxGPImage::SetImageDataFormat(TdxImageDataFormat AValue) {
  if (AValue == GetImageDataFormat() || !FHandle) return;
  TdxGPMemoryStream stream;
  SaveHandle(&stream, AValue);
  stream.SetPosition(0);
  LoadFromStream(&stream);
}

bool TdxGPImage::GetIsAlphaUsed() {
  if (!FIsAlphaUsedAssigned) {
    TRGBColors colors;
    GetBitmapBits(colors);
    FIsAlphaUsed = std::any_of(colors.begin(), colors.end(), [](const TRGBQuad& c) { return c.rgbReserved != 255; });
    FIsAlphaUsedAssigned = true;
  }
  return FIsAlphaUsed;
}

bool TdxGPImage::GetTransparent() const { return Decodable().GetIsAlphaUsed(); }

bool TdxGPImage::Equals(TGraphic* AGraphic) {
  if (auto* image = dynamic_cast<TdxGPImage*>(AGraphic)) return Compare(image);
  return TGraphic::Equals(AGraphic);
}

void TdxGPImage::Clear() {
  FreeHandle();
  Changed(this);
}

TdxGPImagePtr TdxGPImage::Clone() {
  TdxGPImagePtr clone(static_cast<TdxGPImage*>(ClassType()->Create()));
  clone->Assign(this);
  return clone;
}

void TdxGPImage::ChangeColor(TColor AColor) {
  if (!cxColorIsValid(AColor) || GetEmpty()) return;
  const TRGBQuad color = dxColorToRGBQuad(AColor);
  const TSize size = GetSize();
  TRGBColors colors;
  GetBitmapBits(colors);
  for (TRGBQuad& c : colors) {
    c.rgbBlue = static_cast<Byte>(MulDiv(color.rgbBlue, c.rgbReserved, 255));
    c.rgbGreen = static_cast<Byte>(MulDiv(color.rgbGreen, c.rgbReserved, 255));
    c.rgbRed = static_cast<Byte>(MulDiv(color.rgbRed, c.rgbReserved, 255));
  }
  LoadFromBits(size.cx, size.cy, colors, true);
}

bool TdxGPImage::Compare(TdxGPImage* AImage) {
  if (!AImage || GetSize() != AImage->GetSize()) return false;
  if (GetEmpty() || AImage->GetEmpty()) return true;
  TRGBColors mine, theirs;
  GetBitmapBits(mine);
  AImage->GetBitmapBits(theirs);
  return mine.size() == theirs.size() && std::memcmp(mine.data(), theirs.data(), mine.size() * sizeof(TRGBQuad)) == 0;
}

void TdxGPImage::ConvertToBitmap() {
  if (!GetHandle()) return;
  const TSize size = GetSize();
  RedrawHandle(size.cx, size.cy);
}

TdxGPCanvasPtr TdxGPImage::CreateCanvas() {
  GpImage* handle = GetHandle();
  // Nothing to draw on: what the library answers for no image.
  if (!handle) throw EdxGdipException(Gdiplus::InvalidParameter);
  GpGraphics* graphics = nullptr;
  GdipCheck(GdipGetImageGraphicsContext(handle, &graphics));
  return TdxGPCanvasPtr(new TdxGPCanvas(graphics));
}

void TdxGPImage::GetBitmapBits(TRGBColors& AColors) {
  AColors.clear();
  GpImage* handle = GetHandle();
  if (!handle) return;
  auto* bitmap = reinterpret_cast<GpBitmap*>(handle);
  Gdiplus::BitmapData data;
  GdipCheck(GdipBitmapLockBits(bitmap, nullptr, Gdiplus::ImageLockModeRead, Gdiplus::PixelFormat32bppPARGB, &data));
  TScopeExit unlock([&] { GdipBitmapUnlockBits(bitmap, &data); });
  AColors.resize(static_cast<size_t>(data.Width) * data.Height);
  for (UINT y = 0; y < data.Height; ++y)
    std::memcpy(AColors.data() + static_cast<size_t>(y) * data.Width,
                static_cast<const Byte*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride,
                static_cast<size_t>(data.Width) * sizeof(TRGBQuad));
}

TcxBitmapPtr TdxGPImage::GetAsBitmap() {
  TRGBColors colors;
  GetBitmapBits(colors);
  const TSize size = GetSize();
  TcxBitmapPtr bitmap = cxCreateBitmap(size, pf32bit);
  if (!colors.empty()) ::SetBitmapBits(bitmap.get(), colors, true);
  return bitmap;
}

Cardinal TdxGPImage::GetHashCode() {
  TRGBColors colors;
  GetBitmapBits(colors);
  return colors.empty() ? 0 : dxCRC32(colors.data(), static_cast<Integer>(colors.size() * sizeof(TRGBQuad)));
}

TdxGPImagePtr TdxGPImage::MakeComposition(TdxGPImage* AOverlayImage, Byte AOverlayAlpha, Byte ASourceAlpha) {
  TdxGPImagePtr composition(new TdxGPImage(GetSize()));
  if (composition->GetEmpty()) return composition;
  const TRect area = composition->GetClientRect();
  TdxGPCanvasPtr canvas = composition->CreateCanvas();
  canvas->Draw(this, area, GetClientRect(), ASourceAlpha);
  if (AOverlayImage) canvas->Draw(AOverlayImage, area, AOverlayImage->GetClientRect(), AOverlayAlpha);
  return composition;
}

void TdxGPImage::Resize(Integer AWidth, Integer AHeight) {
  if (AWidth <= 0 || AHeight <= 0) return Clear();
  FImageData->FNewSize = cxSize(AWidth, AHeight);
  if (HandleAllocated()) RedrawHandle(AWidth, AHeight);
  Changed(this);
}

void TdxGPImage::Scale(Integer M, Integer D) {
  if (D == 0) return;
  const TSize size = GetSize();
  Resize(MulDiv(size.cx, M, D), MulDiv(size.cy, M, D));
}

void TdxGPImage::SetBitmap(TBitmap* ABitmap) {
  FreeHandle();
  if (ABitmap) TakeBitmap(ABitmap);
  Changed(this);
}

void TdxGPImage::StretchDraw(HDC DC, const TRect& ADest, Byte AAlpha) {
  StretchDraw(DC, ADest, GetClientRect(), AAlpha);
}

void TdxGPImage::StretchDraw(HDC DC, const TRect& ADest, const TRect& ASource, Byte AAlpha) {
  GpImage* handle = GetHandle();
  if (!handle) return;
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(DC, ADest);
  TScopeExit endPaint([canvas] { canvas->EndPaint(); });
  dxGpDrawImage(canvas->GetHandle(), ADest, ASource, AAlpha, handle);
}

void TdxGPImage::Draw(TCanvas* ACanvas, const TRect& ARect) { StretchDraw(ACanvas->GetHandle(), ARect, 255); }

// --- Loading and saving ----------------------------------------------------------------

void TdxGPImage::LoadFromBits(Integer AWidth, Integer AHeight, const TRGBColors& ABits, bool AHasAlphaChannel) {
  if (AWidth <= 0 || AHeight <= 0 || static_cast<Int64>(AWidth) * AHeight != static_cast<Int64>(ABits.size()))
    throw EdxException(cxGetResourceString(&sdxInvalidImageBits));
  FreeHandle();
  FImageData->FBits = ABits;
  FImageData->FBitsBounds = cxSize(AWidth, AHeight);
  if (!AHasAlphaChannel)
    for (TRGBQuad& c : FImageData->FBits) c.rgbReserved = 255;
  Changed(this);
}

void TdxGPImage::LoadFromResource(HMODULE AInstance, const String& AResName, LPCWSTR AResType) {
  TResourceStream stream(AInstance, AResName, AResType);
  LoadFromStream(&stream);
}

void TdxGPImage::LoadFromFieldValue(const Variant& AValue) {
  if (VarIsNull(AValue)) return;
  const AnsiString bytes = BytesOf(AValue);
  const size_t start = HasGraphicHeader(bytes) ? 8 : 0;
  if (bytes.size() <= start) return;
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data() + start, static_cast<Int64>(bytes.size() - start));
  stream.SetPosition(0);
  LoadFromStream(&stream);
}

void TdxGPImage::LoadData(TStream* AStream) {
  FreeHandle();
  const Int64 count = AStream->GetSize() - AStream->GetPosition();
  if (count <= 0) return;
  TdxGPMemoryStreamPtr data(new TdxGPMemoryStream);
  data->CopyFrom(AStream, count);
  FImageData->FData = std::move(data);
}

void TdxGPImage::LoadFromStream(TStream* AStream) {
  LoadData(AStream);
  Changed(this);
}

void TdxGPImage::SaveHandle(TStream* AStream, TdxImageDataFormat AFormat) {
  const CLSID encoder = dxGetImageEncoder(AFormat);
  TdxGPStreamAdapter adapter(AStream);
  GdipCheck(GdipSaveImageToStream(FHandle, &adapter, &encoder, nullptr));
}

void TdxGPImage::SaveToStream(TStream* AStream) {
  const TdxGPImageData& data = *FImageData;
  if (!FHandle && data.FData && data.FBits.empty() && data.FNewSize == cxNullSize) {
    // Never decoded: the bytes it was loaded from are its own format.
    data.FData->SaveToStream(AStream);
    return;
  }
  SaveToStreamByCodec(AStream, GetImageDataFormat());
}

void TdxGPImage::SaveToStreamByCodec(TStream* AStream, TdxImageDataFormat AFormat) {
  HandleNeeded();
  if (!FHandle) return;
  TdxGPMemoryStream saved;
  SaveHandle(&saved, AFormat);
  AStream->WriteBuffer(saved.GetMemory(), saved.GetSize());
  // The image goes back to encoded bytes of its own format; without an
  // encoder for that format it keeps what it has.
  if (AFormat == FImageDataFormat) {
    saved.SetPosition(0);
    LoadData(&saved);
  } else if (EncoderOf(FImageDataFormat)) {
    TdxGPMemoryStream own;
    SaveHandle(&own, FImageDataFormat);
    own.SetPosition(0);
    LoadData(&own);
  }
}

void TdxGPImage::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) {
  TBitmap bitmap;
  bitmap.LoadFromClipboardFormat(AFormat, AData, APalette);
  SetBitmap(&bitmap);
}

void TdxGPImage::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  TcxBitmapPtr bitmap = cxCreateBitmap(GetSize(), pf24bit);
  if (!bitmap->GetEmpty()) {
    const TRect area = GetClientRect();
    HDC dc = bitmap->GetCanvas()->GetHandle();
    FillRectByColor(dc, area, clWhite);
    StretchDraw(dc, area);
  }
  bitmap->SaveToClipboardFormat(AFormat, AData, APalette);
}

// --- The registered classes ---------------------------------------------------------

HOST_CLASS_INFO(TdxSmartImage, TdxGPImage, &CreateDefault<TdxSmartImage>)

HOST_CLASS_INFO(TdxPNGImage, TdxSmartImage, &CreateDefault<TdxPNGImage>)

void TdxPNGImage::SaveToStream(TStream* AStream) { SaveToStreamByCodec(AStream, dxImagePng); }

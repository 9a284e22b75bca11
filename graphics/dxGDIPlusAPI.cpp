#include "graphics/dxGDIPlusAPI.h"

#include <cstddef>
#include <vector>

#include "host/SysUtils.h"
#include "platform/Kernel.h"
#include "platform/MessageBox.h"
#include "platform/Modules.h"
#include "platform/ScopeExit.h"

#define DX_DEFINE_GDIPLUS_ENTRY(Name) decltype(&Gdiplus::Name) Name = nullptr;
DX_GDIPLUS_ENTRY_POINTS(DX_DEFINE_GDIPLUS_ENTRY)
#undef DX_DEFINE_GDIPLUS_ENTRY

namespace {

constexpr TcxResourceString sdxGdipInvalidOperation{u"sdxGdipInvalidOperation",
                                                    u"Invalid operation in GDI+ (Code: %d)"};
constexpr TcxResourceString sdxApplicationError{u"sdxApplicationError", u"Application Error"};
constexpr TcxResourceString sdxGdiPlusRequired{
    u"sdxGdiPlusRequired",
    u"This application requires the Microsoft GDI+ library to be installed. Gdiplus.dll is included with Windows "
    u"XP and Vista. GDI+ is available as a redistributable file for Windows NT 4.0 SP6, Windows 2000, Windows 98, "
    u"and Windows Me.  To download the latest redistributable,  see https://www.microsoft.com/download"};

HMODULE FGDIPlusLibrary = nullptr;
ULONG_PTR FGDIPlusToken = 0;
bool FGDIPlusStarted = false;
Gdiplus::GdiplusStartupOutput FGdiPlusHook;
ULONG_PTR FGdiPlusHookToken = 0;
bool FGDIPresent = false;

// Once one name is missing the rest are not looked for.
template <typename T>
void Resolve(T& AEntry, const char* AName) {
  AEntry = FGDIPresent ? reinterpret_cast<T>(GetProcAddress(FGDIPlusLibrary, AName)) : nullptr;
  if (!AEntry) FGDIPresent = false;
}

void ResolveEntryPoints() {
#define DX_RESOLVE_GDIPLUS_ENTRY(Name) Resolve(Name, #Name);
  DX_GDIPLUS_ENTRY_POINTS(DX_RESOLVE_GDIPLUS_ENTRY)
#undef DX_RESOLVE_GDIPLUS_ENTRY
}

// The library started, then its hook called; false when either fails.
bool Start() {
  FGDIPlusStarted = GdiplusStartup(&FGDIPlusToken, &DefaultStartup, &FGdiPlusHook) == Gdiplus::Ok;
  return FGDIPlusStarted &&
         (!FGdiPlusHook.NotificationHook || FGdiPlusHook.NotificationHook(&FGdiPlusHookToken) == Gdiplus::Ok);
}

// Whatever a load did, undone; each later check tries again from nothing.
void UndoLoad() {
  if (FGDIPlusStarted) GdiplusShutdown(FGDIPlusToken);
  FGDIPlusStarted = false;
  FGDIPlusToken = 0;
  FGdiPlusHook = Gdiplus::GdiplusStartupOutput();
  FGdiPlusHookToken = 0;
  if (FGDIPlusLibrary) FreeLibrary(FGDIPlusLibrary);
  FGDIPlusLibrary = nullptr;
  FGDIPresent = false;
}

void InitializeGDIPlusAPI() { FGDIPresent = false; }

}  // namespace

EdxGdipException::EdxGdipException(Integer AErrorCode)
    : EdxException(cxGetResourceString(&sdxGdipInvalidOperation), {AErrorCode}), FErrorCode(AErrorCode) {}

const TdxGpColorMatrix dxGpDefaultColorMatrix{
    {{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}}};

const Gdiplus::GdiplusStartupInput DefaultStartup{1, nullptr, TRUE, FALSE};

CLSID BMPCodec;
CLSID GIFCodec;
CLSID JPEGCodec;
CLSID PNGCodec;
CLSID TIFFCodec;

void GdiPlusLoad() {
  if (FGDIPresent) return;
  {
    const UINT errorMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    TScopeExit restoreErrorMode([errorMode] { SetErrorMode(errorMode); });
    FGDIPlusLibrary = LoadLibraryW(u"gdiplus.dll");
  }
  FGDIPresent = FGDIPlusLibrary != nullptr;
  ResolveEntryPoints();
  if (FGDIPresent) FGDIPresent = Start();
  if (!FGDIPresent) UndoLoad();
}

void GdiPlusUnload() {
  if (FGDIPresent) {
    if (FGdiPlusHook.NotificationUnhook) FGdiPlusHook.NotificationUnhook(FGdiPlusHookToken);
    GdiplusShutdown(FGDIPlusToken);
    FGDIPlusStarted = false;
  }
  UndoLoad();
}

bool CheckGdiPlus(bool AShowMessage) {
  if (!FGDIPresent) GdiPlusLoad();
  if (!FGDIPresent && AShowMessage) {
    MessageBoxW(nullptr, cxGetResourceString(&sdxGdiPlusRequired).c_str(),
                cxGetResourceString(&sdxApplicationError).c_str(), MB_OK | MB_ICONSTOP);
    Halt(1);
  }
  return FGDIPresent;
}

void GdipCheck(Integer AStatus) {
  if (AStatus != Gdiplus::Ok) throw EdxGdipException(AStatus);
}

GpStatus GetCodecID(const String& AMimeType, CLSID& ACodecID) {
  ACodecID = CLSID();
  UINT count = 0, size = 0;
  if (const GpStatus status = GdipGetImageEncodersSize(&count, &size); status != Gdiplus::Ok) return status;
  if (count == 0) return Gdiplus::GenericError;
  // The records lie in a block with the strings they point to after them;
  // they are native records, walked by their own size.
  std::vector<std::max_align_t> block(size / sizeof(std::max_align_t) + 1);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
  if (const GpStatus status = GdipGetImageEncoders(count, size, codecs); status != Gdiplus::Ok) return status;
  for (UINT i = 0; i < count; ++i)
    if (codecs[i].MimeType && SameText(codecs[i].MimeType, AMimeType)) {
      ACodecID = codecs[i].Clsid;
      return Gdiplus::Ok;
    }
  return Gdiplus::GenericError;
}

void CheckImageCodecs() {
  // The optional ones first, so that they are known even when PNG is not.
  GetCodecID(u"image/bmp", BMPCodec);
  GetCodecID(u"image/gif", GIFCodec);
  GetCodecID(u"image/jpeg", JPEGCodec);
  GetCodecID(u"image/tiff", TIFFCodec);
  GdipCheck(GetCodecID(u"image/png", PNGCodec));
}

bool IsCodecIDValid(const CLSID& ACodecID) { return ACodecID.Data1 != 0 || ACodecID.Data2 != 0 || ACodecID.Data3 != 0; }

GpBitmap* dxGpCreateBitmap(Integer AWidth, Integer AHeight) {
  GpBitmap* bitmap = nullptr;
  GdipCheck(GdipCreateBitmapFromScan0(AWidth, AHeight, 0, Gdiplus::PixelFormat32bppPARGB, nullptr, &bitmap));
  return bitmap;
}

GpBitmap* dxGpCreateBitmap(const TSize& ASize) { return dxGpCreateBitmap(ASize.cx, ASize.cy); }

GpBitmap* dxGpCreateBitmap(const TRect& ARect) { return dxGpCreateBitmap(cxRectWidth(ARect), cxRectHeight(ARect)); }

TdxGPRect MakeRect(Integer X, Integer Y, Integer AWidth, Integer AHeight) { return {X, Y, AWidth, AHeight}; }

TdxGPRect MakeRect(const TRect& ARect) { return {ARect.Left, ARect.Top, cxRectWidth(ARect), cxRectHeight(ARect)}; }

TdxGPRectF dxGpMakeRectF(Single X, Single Y, Single AWidth, Single AHeight) { return {X, Y, AWidth, AHeight}; }

TdxGPRectF dxGpMakeRectF(const TRect& ARect) {
  return dxGpMakeRectF(static_cast<Single>(ARect.Left), static_cast<Single>(ARect.Top),
                       static_cast<Single>(cxRectWidth(ARect)), static_cast<Single>(cxRectHeight(ARect)));
}

TdxGPRectF dxGpMakeRectF(const TdxRectF& ARect) {
  return dxGpMakeRectF(ARect.Left, ARect.Top, ARect.Right - ARect.Left, ARect.Bottom - ARect.Top);
}

bool dxGpRectIsEqual(const TdxGPRect& R1, const TdxGPRect& R2) {
  return R1.X == R2.X && R1.Y == R2.Y && R1.Width == R2.Width && R1.Height == R2.Height;
}

bool dxGpRectIsEqual(const TdxGPRectF& R1, const TdxGPRectF& R2) {
  return R1.X == R2.X && R1.Y == R2.Y && R1.Width == R2.Width && R1.Height == R2.Height;
}

void RegisterGDIPlusAPIUnit() {
  RegisterSuiteUnit<&InitializeGDIPlusAPI, &GdiPlusUnload>("dxGDIPlusAPI");
}

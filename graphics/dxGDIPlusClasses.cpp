// The unit dxGDIPlusClasses: its start and end, the shared paint canvas and
// alpha attributes, the wrappers' memory, streams, and the drawing helpers.
// The image classes, the canvases and the other wrappers have sources of
// their own.
#include "graphics/dxGDIPlusClasses.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "host/Pictures.h"
#include "platform/Modules.h"
#include "platform/ScopeExit.h"
#include "platform/WindowManager.h"
#include "platform/WindowStyles.h"

namespace {

constexpr TcxResourceString sdxTIFFImage{u"sdxTIFFImage", u"TIFF Image"};
constexpr TcxResourceString sdxGIFImage{u"sdxGIFImage", u"GIF Image"};
constexpr TcxResourceString sdxJPEGImage{u"sdxJPEGImage", u"JPEG Image"};
constexpr TcxResourceString sdxPNGImage{u"sdxPNGImage", u"PNG Image"};

using TWindowFromDCProc = HWND (*)(HDC);

struct TGDIPlusClassesUnit {
  HMODULE User32 = nullptr;
  TWindowFromDCProc WindowFromDC = nullptr;
  std::unique_ptr<TdxGPPaintCanvas, TFreeObject> PaintCanvas;
  std::unique_ptr<TdxGPAlphaBlendAttributes, TFreeObject> AlphaBlendAttributes;
};

TGDIPlusClassesUnit& Unit() {
  static TGDIPlusClassesUnit unit;
  return unit;
}

// Memory goes back to the library only while its entry is known.
void FreeToLibrary(void* ABlock) {
  if (GdipFree) GdipFree(ABlock);
}

// The library has no way to grow a block: a new one, what fits copied.
void* ReallocInLibrary(void* ABlock, size_t AOldCapacity, size_t ANewCapacity) {
  void* block = CheckGdiPlus() ? GdipAlloc(ANewCapacity) : nullptr;
  if (block && ABlock) {
    std::memcpy(block, ABlock, std::min(AOldCapacity, ANewCapacity));
    FreeToLibrary(ABlock);
  }
  return block;
}

// In front of every wrapper: where its memory came from, padded so that the
// wrapper stays aligned.
struct alignas(std::max_align_t) TdxGpBlockHeader {
  bool FromLibrary;
};

// The tile from the source part as a texture brush, filled into a bitmap
// of the destination's size that is drawn there; false when the library
// makes no brush of the part.
bool TileByTexture(GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, GpImage* AImage) {
  GpTexture* texture = nullptr;
  if (GdipCreateTexture2I(AImage, Gdiplus::WrapModeTile, ASourceRect.Left, ASourceRect.Top, cxRectWidth(ASourceRect),
                          cxRectHeight(ASourceRect), &texture) != Gdiplus::Ok)
    return false;
  TScopeExit deleteTexture([texture] { GdipDeleteBrush(reinterpret_cast<GpBrush*>(texture)); });
  const TSize size = cxRectSize(ADestRect);
  GpBitmap* tiles = dxGpCreateBitmap(size);
  TScopeExit disposeTiles([tiles] { GdipDisposeImage(reinterpret_cast<GpImage*>(tiles)); });
  {
    GpGraphics* graphics = nullptr;
    GdipCheck(GdipGetImageGraphicsContext(reinterpret_cast<GpImage*>(tiles), &graphics));
    TScopeExit deleteGraphics([graphics] { GdipDeleteGraphics(graphics); });
    GdipCheck(GdipFillRectangleI(graphics, reinterpret_cast<GpBrush*>(texture), 0, 0, size.cx, size.cy));
  }
  dxGpDrawImage(AGraphics, ADestRect, cxRect(size), 255, reinterpret_cast<GpImage*>(tiles));
  return true;
}

// A rectangle as the library takes it, in whole or fractional pixels.
template <typename T>
struct TDrawArea {
  T X, Y, Width, Height;
};

// What both forms of dxGpDrawImage do: nothing for an empty source or
// destination or one not visible; a source narrower (lower) than the
// destination, and more than one pixel so, loses its last column (row);
// the shared attributes below full alpha.
template <typename T, typename TIsVisible, typename TDraw>
void DrawImageByRules(const TDrawArea<T>& ADest, TDrawArea<T> ASource, Byte AAlpha, TIsVisible AIsVisible,
                      TDraw ADraw) {
  if (!(ASource.Width > 0) || !(ASource.Height > 0) || !(ADest.Width > 0) || !(ADest.Height > 0) ||
      !AIsVisible(ADest))
    return;
  if (ASource.Width < ADest.Width && ASource.Width > 1) ASource.Width -= 1;
  if (ASource.Height < ADest.Height && ASource.Height > 1) ASource.Height -= 1;
  ADraw(ADest, ASource, AAlpha == 255 ? nullptr : dxGpGetAlphaBlendAttributes(AAlpha)->GetHandle());
}

}  // namespace

// --- Memory and streams ------------------------------------------------------------

HOST_CLASS_INFO(TdxGpBase, TObject, nullptr)

void* TdxGpBase::operator new(size_t ASize) {
  const size_t size = sizeof(TdxGpBlockHeader) + ASize;
  const bool fromLibrary = CheckGdiPlus();
  void* block = fromLibrary ? GdipAlloc(size) : ::operator new(size);
  if (!block) throw std::bad_alloc();
  return new (block) TdxGpBlockHeader{fromLibrary} + 1;
}

void TdxGpBase::operator delete(void* ABlock) {
  if (!ABlock) return;
  auto* header = static_cast<TdxGpBlockHeader*>(ABlock) - 1;
  if (header->FromLibrary) FreeToLibrary(header);
  else ::operator delete(header);
}

HOST_CLASS_INFO(TdxGPMemoryStream, TMemoryStream, &CreateDefault<TdxGPMemoryStream>)

TdxGPMemoryStream::TdxGPMemoryStream() : TMemoryStream(TMemoryStreamAllocator{&ReallocInLibrary, &FreeToLibrary}) {}

HRESULT TdxGPStreamAdapter::Stat(STATSTG* pstatstg, DWORD grfStatFlag) {
  // Every byte, so that nothing of what the caller left shows through.
  if (pstatstg) std::memset(static_cast<void*>(pstatstg), 0, sizeof(STATSTG));
  try {
    return TStreamAdapter::Stat(pstatstg, grfStatFlag);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

TdxGPMemoryStreamPtr dxCloneStream(TStream* AStream) {
  TdxGPMemoryStreamPtr clone(new TdxGPMemoryStream);
  const Int64 position = AStream->GetPosition();
  TScopeExit restorePosition([AStream, position] { AStream->SetPosition(position); });
  // A count of 0 copies the whole stream from its start.
  clone->CopyFrom(AStream, 0);
  clone->SetPosition(0);
  return clone;
}

// --- Alpha attributes --------------------------------------------------------------

HOST_CLASS_INFO(TdxGPAlphaBlendAttributes, TdxGpBase, nullptr)

TdxGPAlphaBlendAttributes::TdxGPAlphaBlendAttributes() { GdipCheck(GdipCreateImageAttributes(&FHandle)); }

TdxGPAlphaBlendAttributes::~TdxGPAlphaBlendAttributes() {
  dxGpFreeHandle(FHandle, GdipDisposeImageAttributes);
}

void TdxGPAlphaBlendAttributes::SetAlpha(Byte AValue) {
  if (AValue == FAlpha) return;
  FColorMatrix.m[3][3] = static_cast<Single>(AValue) / 255;
  GdipCheck(GdipSetImageAttributesColorMatrix(FHandle, Gdiplus::ColorAdjustTypeBitmap, TRUE, &FColorMatrix, nullptr,
                                              Gdiplus::ColorMatrixFlagsDefault));
  FAlpha = AValue;
}

TdxGPAlphaBlendAttributes* dxGpGetAlphaBlendAttributes(Byte AAlpha) {
  auto& attributes = Unit().AlphaBlendAttributes;
  if (!attributes) attributes.reset(new TdxGPAlphaBlendAttributes);
  attributes->SetAlpha(AAlpha);
  return attributes.get();
}

// --- Drawing -------------------------------------------------------------------------

bool dxGpIsRectVisible(GpGraphics* AGraphics, const TRect& ARect) {
  BOOL visible = FALSE;
  GdipCheck(GdipIsVisibleRectI(AGraphics, ARect.Left, ARect.Top, cxRectWidth(ARect), cxRectHeight(ARect), &visible));
  return visible != FALSE;
}

void dxGpDrawImage(GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, Byte AAlpha,
                   GpImage* AImage) {
  DrawImageByRules<Integer>(
      {ADestRect.Left, ADestRect.Top, cxRectWidth(ADestRect), cxRectHeight(ADestRect)},
      {ASourceRect.Left, ASourceRect.Top, cxRectWidth(ASourceRect), cxRectHeight(ASourceRect)}, AAlpha,
      [&](const TDrawArea<Integer>&) { return dxGpIsRectVisible(AGraphics, ADestRect); },
      [&](const TDrawArea<Integer>& D, const TDrawArea<Integer>& S, GpImageAttributes* AAttributes) {
        GdipCheck(GdipDrawImageRectRectI(AGraphics, AImage, D.X, D.Y, D.Width, D.Height, S.X, S.Y, S.Width, S.Height,
                                         Gdiplus::UnitPixel, AAttributes, nullptr, nullptr));
      });
}

void dxGpDrawImage(GpGraphics* AGraphics, const TdxRectF& ADestRect, const TdxRectF& ASourceRect, Byte AAlpha,
                   GpImage* AImage) {
  DrawImageByRules<Single>(
      {ADestRect.Left, ADestRect.Top, ADestRect.Right - ADestRect.Left, ADestRect.Bottom - ADestRect.Top},
      {ASourceRect.Left, ASourceRect.Top, ASourceRect.Right - ASourceRect.Left, ASourceRect.Bottom - ASourceRect.Top},
      AAlpha,
      [&](const TDrawArea<Single>& D) {
        BOOL visible = FALSE;
        GdipCheck(GdipIsVisibleRect(AGraphics, D.X, D.Y, D.Width, D.Height, &visible));
        return visible != FALSE;
      },
      [&](const TDrawArea<Single>& D, const TDrawArea<Single>& S, GpImageAttributes* AAttributes) {
        GdipCheck(GdipDrawImageRectRect(AGraphics, AImage, D.X, D.Y, D.Width, D.Height, S.X, S.Y, S.Width, S.Height,
                                        Gdiplus::UnitPixel, AAttributes, nullptr, nullptr));
      });
}

void dxGpTilePartEx(GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, Byte AAlpha,
                    GpImage* AImage) {
  const TSize part = cxRectSize(ASourceRect), area = cxRectSize(ADestRect);
  if (part.cx <= 0 || part.cy <= 0 || !dxGpIsRectVisible(AGraphics, ADestRect)) return;
  if (AAlpha == 255 && (part.cx < area.cx || part.cy < area.cy) &&
      TileByTexture(AGraphics, ADestRect, ASourceRect, AImage))
    return;
  const Integer columns = (area.cx + part.cx - 1) / part.cx, rows = (area.cy + part.cy - 1) / part.cy;
  for (Integer row = 0; row < rows; ++row)
    for (Integer column = 0; column < columns; ++column) {
      TRect tile = cxRect(ADestRect.Left + column * part.cx, ADestRect.Top + row * part.cy, 0, 0);
      tile.Right = tile.Left + part.cx;
      tile.Bottom = tile.Top + part.cy;
      TRect source = ASourceRect;
      if (tile.Right > ADestRect.Right) {
        source.Right -= tile.Right - ADestRect.Right;
        tile.Right = ADestRect.Right;
      }
      if (tile.Bottom > ADestRect.Bottom) {
        source.Bottom -= tile.Bottom - ADestRect.Bottom;
        tile.Bottom = ADestRect.Bottom;
      }
      dxGpDrawImage(AGraphics, tile, source, AAlpha, AImage);
    }
}

void dxGpFillRect(GpGraphics* AGraphics, const TRect& ARect, TColor AColor, Byte AAlpha) {
  GpSolidFill* brush = nullptr;
  GdipCheck(GdipCreateSolidFill(dxColorToAlphaColor(AColor, AAlpha), &brush));
  TScopeExit deleteBrush([brush] { GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush)); });
  GdipCheck(GdipFillRectangleI(AGraphics, reinterpret_cast<GpBrush*>(brush), ARect.Left, ARect.Top, cxRectWidth(ARect),
                               cxRectHeight(ARect)));
}

void dxGpFillRect(HDC DC, const TRect& ARect, TColor AColor, Byte AAlpha) {
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(DC, ARect);
  TScopeExit endPaint([canvas] { canvas->EndPaint(); });
  dxGpFillRect(canvas->GetHandle(), ARect, AColor, AAlpha);
}

void dxGpFillRectByGradient(GpGraphics* AGraphics, const TRect& ARect, TColor AColor1, TColor AColor2,
                            TdxGPBrushGradientMode AMode) {
  if (cxRectIsEmpty(ARect)) return;
  const TdxGPRect area = MakeRect(cxRectInflate(ARect, 1, 1, 1, 1));
  GpLineGradient* brush = nullptr;
  GdipCheck(GdipCreateLineBrushFromRectI(&area, dxColorToAlphaColor(AColor1), dxColorToAlphaColor(AColor2),
                                         static_cast<Gdiplus::LinearGradientMode>(AMode), Gdiplus::WrapModeTile,
                                         &brush));
  TScopeExit deleteBrush([brush] { GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush)); });
  GdipCheck(GdipFillRectangleI(AGraphics, reinterpret_cast<GpBrush*>(brush), ARect.Left, ARect.Top, cxRectWidth(ARect),
                               cxRectHeight(ARect)));
}

// --- Paint canvases ------------------------------------------------------------------

bool dxGpIsDoubleBufferedNeeded(HDC DC) {
  if (GetDeviceCaps(DC, BITSPIXEL) <= 16 || GetDeviceCaps(DC, TECHNOLOGY) == DT_RASPRINTER ||
      GetDeviceCaps(DC, NUMCOLORS) > 1)
    return true;
  const TWindowFromDCProc windowFromDC = Unit().WindowFromDC;
  if (IsWinVistaOrLater || !windowFromDC) return false;
  HWND window = windowFromDC(DC);
  return window && (static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)) & WS_EX_LAYERED) != 0;
}

TdxGPPaintCanvas* dxGpBeginPaint(HDC DC, const TRect& R) {
  std::unique_ptr<TdxGPPaintCanvas, TFreeObject> canvas(new TdxGPPaintCanvas);
  canvas->BeginPaint(DC, R);
  return canvas.release();
}

TdxGPPaintCanvas* dxGpBeginPaint(GpGraphics* AHandle) {
  std::unique_ptr<TdxGPPaintCanvas, TFreeObject> canvas(new TdxGPPaintCanvas);
  canvas->BeginPaint(AHandle);
  return canvas.release();
}

void dxGpEndPaint(TdxGPPaintCanvas*& ACanvas) {
  if (!ACanvas) return;
  std::unique_ptr<TdxGPPaintCanvas, TFreeObject> canvas(std::exchange(ACanvas, nullptr));
  canvas->EndPaint();
}

TdxGPPaintCanvas* dxGPPaintCanvas() {
  auto& canvas = Unit().PaintCanvas;
  if (!canvas) canvas.reset(new TdxGPPaintCanvas);
  return canvas.get();
}

void InitializeGDIPlusClasses() {
  TGDIPlusClassesUnit& unit = Unit();
  unit.User32 = LoadLibraryW(u"user32.dll");
  if (unit.User32) GetProcAddressAs(unit.User32, unit.WindowFromDC, "WindowFromDC");
  if (!CheckGdiPlus()) return;
  // A missing codec is never an error: without the PNG encoder the PNG
  // format is only not registered, and saving in it fails.
  try {
    CheckImageCodecs();
  } catch (const EdxGdipException&) {
  }
  RegisterClasses({TdxSmartImage::StaticClass(), TdxPNGImage::StaticClass()});
  const struct {
    const CLSID& Codec;
    const char16_t* Extension;
    const TcxResourceString* Description;
  } formats[] = {
      {TIFFCodec, u"TIFF", &sdxTIFFImage}, {TIFFCodec, u"TIF", &sdxTIFFImage}, {GIFCodec, u"GIF", &sdxGIFImage},
      {JPEGCodec, u"JPEG", &sdxJPEGImage}, {JPEGCodec, u"JPG", &sdxJPEGImage}, {PNGCodec, u"PNG", &sdxPNGImage},
  };
  for (const auto& format : formats)
    if (IsCodecIDValid(format.Codec))
      TPicture::RegisterFileFormat(format.Extension, cxGetResourceString(format.Description),
                                   TdxSmartImage::StaticClass());
  TPicture::RegisterFileFormat(u"", u"", TdxPNGImage::StaticClass());
}

void FinalizeGDIPlusClasses() {
  TGDIPlusClassesUnit& unit = Unit();
  unit.AlphaBlendAttributes.reset();
  unit.PaintCanvas.reset();
  TPicture::UnregisterGraphicClass(TdxSmartImage::StaticClass());
  UnRegisterClass(TdxPNGImage::StaticClass());
  UnRegisterClass(TdxSmartImage::StaticClass());
  if (unit.User32) FreeLibrary(unit.User32);
  unit = TGDIPlusClassesUnit();
}

void RegisterGDIPlusClassesUnit() {
  RegisterSuiteUnit<&InitializeGDIPlusClasses, &FinalizeGDIPlusClasses>("dxGDIPlusClasses",
                                                                          {"dxGDIPlusAPI", "cxGraphics"});
}

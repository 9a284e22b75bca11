#include "graphics/cxGraphics.h"

#include <utility>

#include "controls/dxCore.h"
#include "graphics/GdiScopes.h"
#include "graphics/cxGraphicsState.h"
#include "platform/Kernel.h"
#include "platform/Modules.h"

namespace {

struct TGraphicsUnit {
  std::unique_ptr<TcxScreenCanvas, TFreeObject> ScreenCanvas;
  std::unique_ptr<TcxPaintCanvas, TFreeObject> PaintCanvas;
  std::unique_ptr<TcxAlphaBitmap, TFreeObject> WorkBitmaps[3];
  std::unique_ptr<TBrush, TFreeObject> HalfToneBrush;
  std::unique_ptr<TcxObjectList, TFreeObject> SystemBrushes;
  HMODULE Msimg32DLL = nullptr;
  TGradientFillProc GradientFill = nullptr;
  TAlphaBlendProc AlphaBlend = nullptr;
  TSize PixelsPerInch{96, 96};
  std::unique_ptr<TList, TFreeObject> PaintSkipList;
  // Set first when the unit ends, so that no shared canvas is made after.
  bool UnitIsFinalized = false;
};

TGraphicsUnit& Unit() {
  static TGraphicsUnit unit;
  return unit;
}

// Rows alternate 0xAA and 0x55, each padded to the two bytes a device
// bitmap's rows take.
HBRUSH CreateHalfToneBrush() {
  const BYTE rows[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
  TOwnedGdiObject<HBITMAP> pattern(CreateBitmap(8, 8, 1, 1, rows));
  return CreatePatternBrush(pattern);
}

template <typename T>
void Lookup(HMODULE AModule, T& AEntry, LPCSTR AName) {
  AEntry = reinterpret_cast<T>(GetProcAddress(AModule, AName));
}

}  // namespace

TGradientFillProc GradientFillProc() { return Unit().GradientFill; }
TAlphaBlendProc AlphaBlendProc() { return Unit().AlphaBlend; }

void InitializeGraphics() {
  TGraphicsUnit& unit = Unit();
  unit.UnitIsFinalized = false;
  unit.HalfToneBrush.reset(new TBrush);
  unit.HalfToneBrush->SetHandle(CreateHalfToneBrush());
  unit.SystemBrushes.reset(new TcxObjectList);
  for (int i = 0; i < SystemColorCount; ++i) {
    auto* brush = new TBrush;
    unit.SystemBrushes->Add(brush);
    brush->SetHandle(GetSysColorBrush(i));
  }
  unit.Msimg32DLL = LoadLibraryW(u"msimg32.dll");
  if (unit.Msimg32DLL) {
    Lookup(unit.Msimg32DLL, unit.GradientFill, "GradientFill");
    Lookup(unit.Msimg32DLL, unit.AlphaBlend, "AlphaBlend");
  }
  RegisterClasses({TcxBitmap::StaticClass(), TcxBitmap32::StaticClass()});
  TScreenDC screen;
  unit.PixelsPerInch = {GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  unit.PaintSkipList.reset(new TList);
}

void FinalizeGraphics() {
  TGraphicsUnit& unit = Unit();
  unit.UnitIsFinalized = true;
  unit.HalfToneBrush.reset();
  unit.SystemBrushes.reset();
  unit.PaintSkipList.reset();
  unit.ScreenCanvas.reset();
  unit.PaintCanvas.reset();
  for (auto& bitmap : unit.WorkBitmaps) bitmap.reset();
  UnRegisterClass(TcxBitmap32::StaticClass());
  UnRegisterClass(TcxBitmap::StaticClass());
  if (unit.Msimg32DLL) FreeLibrary(std::exchange(unit.Msimg32DLL, nullptr));
  unit.GradientFill = nullptr;
  unit.AlphaBlend = nullptr;
}

TcxAlphaBitmap* WorkBitmap(TcxWorkBitmap AKind, const TSize& ASize) {
  std::unique_ptr<TcxAlphaBitmap, TFreeObject>& bitmap = Unit().WorkBitmaps[AKind];
  // Made and refreshed alike, so that the first call leaves it as every
  // later one does.
  if (!bitmap) bitmap.reset(new TcxAlphaBitmap);
  bitmap->RefreshImage(ASize.cx, ASize.cy);
  return bitmap.get();
}

void RegisterGraphicsUnit() { RegisterSuiteUnit<&InitializeGraphics, &FinalizeGraphics>("cxGraphics", {"Graphics"}); }

TBrush* cxHalfToneBrush() { return Unit().HalfToneBrush.get(); }
TcxObjectList* SystemBrushes() { return Unit().SystemBrushes.get(); }
TList* PaintSkipList() { return Unit().PaintSkipList.get(); }

TcxScreenCanvas* cxScreenCanvas() {
  TGraphicsUnit& unit = Unit();
  if (!unit.ScreenCanvas && !unit.UnitIsFinalized) unit.ScreenCanvas.reset(new TcxScreenCanvas);
  return unit.ScreenCanvas.get();
}

TcxPaintCanvas* cxPaintCanvas() {
  TGraphicsUnit& unit = Unit();
  if (!unit.PaintCanvas && !unit.UnitIsFinalized) unit.PaintCanvas.reset(new TcxPaintCanvas);
  return unit.PaintCanvas.get();
}

// --- The screen's resolution ---------------------------------------------------------

TSize cxGetPixelsPerInch() { return Unit().PixelsPerInch; }
Integer cxGetCurrentDPI() { return Unit().PixelsPerInch.cy; }
Integer cxGetValueCurrentDPI(Integer AValue) { return MulDiv(AValue, cxGetCurrentDPI(), 96); }
TSize cxGetValueCurrentDPI(const TSize& ASize) {
  return {cxGetValueCurrentDPI(ASize.cx), cxGetValueCurrentDPI(ASize.cy)};
}
TRect cxGetValueCurrentDPI(const TRect& ARect) {
  return {cxGetValueCurrentDPI(ARect.Left), cxGetValueCurrentDPI(ARect.Top), cxGetValueCurrentDPI(ARect.Right),
          cxGetValueCurrentDPI(ARect.Bottom)};
}

// --- Bitmaps ---------------------------------------------------------------------------

void cxBitBlt(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD ROP) {
  BitBlt(ADestDC, ADestRect.Left, ADestRect.Top, cxRectWidth(ADestRect), cxRectHeight(ADestRect), ASrcDC,
         ASrcTopLeft.X, ASrcTopLeft.Y, ROP);
}

// Palettes never come into it: every device has 32 bits per pixel.
void cxDrawBitmap(HDC ADestDC, TBitmap* ABitmap, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD AMode) {
  cxBitBlt(ADestDC, CanvasDC(ABitmap), ADestRect, ASrcTopLeft, AMode);
}

TcxBitmapPtr cxCreateBitmap(Integer AWidth, Integer AHeight, TPixelFormat APixelFormat) {
  TcxBitmapPtr bitmap(new TBitmap);
  bitmap->SetPixelFormat(APixelFormat);
  bitmap->SetSize(AWidth, AHeight);
  return bitmap;
}

TcxBitmapPtr cxCreateBitmap(const TSize& ASize, TPixelFormat APixelFormat) {
  return cxCreateBitmap(ASize.cx, ASize.cy, APixelFormat);
}

TcxBitmapPtr cxCreateBitmap(const TRect& ARect, TPixelFormat APixelFormat) {
  return cxCreateBitmap(cxRectWidth(ARect), cxRectHeight(ARect), APixelFormat);
}

HRGN cxCreateRegionFromBitmap(TBitmap* ABitmap, TColor ATransparentColor) {
  TRGBColors colors;
  GetBitmapBits(ABitmap, colors, true);
  if (colors.empty()) return nullptr;
  const TRGBQuad transparent = dxColorToRGBQuad(ATransparentColor);
  const auto opaque = [&](const TRGBQuad& q) {
    return q.rgbRed != transparent.rgbRed || q.rgbGreen != transparent.rgbGreen || q.rgbBlue != transparent.rgbBlue;
  };
  const Integer width = ABitmap->GetWidth(), height = ABitmap->GetHeight();
  HRGN result = nullptr;
  for (Integer y = 0; y < height; ++y) {
    const TRGBQuad* row = colors.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (Integer x = 0; x < width;) {
      if (!opaque(row[x])) {
        ++x;
        continue;
      }
      const Integer start = x;
      while (x < width && opaque(row[x])) ++x;
      TOwnedGdiObject<HRGN> run(CreateRectRgn(start, y, x, y + 1));
      if (result) CombineRgn(result, result, run, RGN_OR);
      else result = run.Release();
    }
  }
  return result;
}

// Alpha blending of cxGraphics: the system's AlphaBlend and the composite
// path that stands in for it.
#include <cmath>

#include "controls/dxCore.h"
#include "graphics/GdiScopes.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsState.h"
#include "graphics/dxGDIPlusClasses.h"
#include "platform/ScopeExit.h"

namespace {

// Rounds halves to even, as the run-time's Round does, and limits to a byte.
Byte ClampRound(Single AValue) {
  const Single r = std::nearbyint(AValue);
  return static_cast<Byte>(r < 0 ? 0 : r > 255 ? 255 : r);
}

// The source's pixels blended over the destination's, both of one size.
void BlendPixels(TBitmap* ASource, TBitmap* ADest, Byte AConstantAlpha) {
  const TRect all = cxRect(0, 0, ADest->GetWidth(), ADest->GetHeight());
  if (SystemAlphaBlend(CanvasDC(ADest), CanvasDC(ASource), all, all, AConstantAlpha)) return;
  TRGBColors source, dest;
  GetBitmapBits(ASource, source, true);
  GetBitmapBits(ADest, dest, true);
  for (size_t i = 0; i < dest.size() && i < source.size(); ++i) cxBlendFunction(source[i], dest[i], AConstantAlpha);
  SetBitmapBits(ADest, dest, true);
}

}  // namespace

void cxBlendFunction(const TRGBQuad& ASource, TRGBQuad& ADest, Byte ASourceConstantAlpha) {
  // Single precision throughout, step by step, as the system computes it.
  const Single k = ASourceConstantAlpha / 255.0f;
  const Single a = k * static_cast<Single>(ASource.rgbReserved);
  const Single r = 1.0f - a / 255.0f;
  ADest.rgbBlue = ClampRound(k * static_cast<Single>(ASource.rgbBlue) + r * static_cast<Single>(ADest.rgbBlue));
  ADest.rgbGreen = ClampRound(k * static_cast<Single>(ASource.rgbGreen) + r * static_cast<Single>(ADest.rgbGreen));
  ADest.rgbRed = ClampRound(k * static_cast<Single>(ASource.rgbRed) + r * static_cast<Single>(ADest.rgbRed));
  ADest.rgbReserved = ClampRound(a + r * static_cast<Single>(ADest.rgbReserved));
}

bool SystemAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect, Byte AConstantAlpha,
                      bool AHasPerPixelAlpha) {
  const TAlphaBlendProc alphaBlend = AlphaBlendProc();
  if (!alphaBlend) return false;
  BLENDFUNCTION blend;
  blend.BlendOp = AC_SRC_OVER;
  blend.BlendFlags = 0;
  blend.SourceConstantAlpha = AConstantAlpha;
  blend.AlphaFormat = AHasPerPixelAlpha ? AC_SRC_ALPHA : 0;
  return alphaBlend(ADestDC, ADestRect.Left, ADestRect.Top, cxRectWidth(ADestRect), cxRectHeight(ADestRect), ASrcDC,
                    ASrcRect.Left, ASrcRect.Top, cxRectWidth(ASrcRect), cxRectHeight(ASrcRect), blend) != FALSE;
}

void CommonAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect, bool ASmoothImage,
                      Byte AConstantAlpha) {
  if (cxRectIsEmpty(ADestRect) || cxRectIsEmpty(ASrcRect)) return;
  const TSize destSize = cxRectSize(ADestRect), sourceSize = cxRectSize(ASrcRect);
  const bool smooth = ASmoothImage && !cxSizeIsEqual(destSize, sourceSize);
  if (!IsWin64Bit && !IsWin9X && AlphaBlendProc() && !smooth) {
    SystemAlphaBlend(ADestDC, ASrcDC, ADestRect, ASrcRect, AConstantAlpha);
    return;
  }
  TcxBitmapPtr source = cxCreateBitmap(sourceSize, pf32bit);
  cxBitBlt(CanvasDC(source.get()), ASrcDC, cxRect(sourceSize), cxPoint(ASrcRect.Left, ASrcRect.Top), SRCCOPY);
  if (IsWin64Bit && CheckGdiPlus()) {
    // The image library stretches and blends the copy onto the destination.
    TdxGPPaintCanvas* canvas = dxGpBeginPaint(ADestDC, ADestRect);
    TScopeExit endPaint([&canvas] { dxGpEndPaint(canvas); });
    canvas->SetInterpolationMode(smooth ? imHighQualityBicubic : imLowQuality);
    canvas->DrawBitmap(source.get(), ADestRect, AConstantAlpha);
    return;
  }
  // Copies of both areas, the source brought to the destination's size,
  // blended there, and the result put back.
  TcxBitmapPtr dest = cxCreateBitmap(destSize, pf32bit);
  cxBitBlt(CanvasDC(dest.get()), ADestDC, cxRect(destSize), cxPoint(ADestRect.Left, ADestRect.Top), SRCCOPY);
  if (!cxSizeIsEqual(destSize, sourceSize)) {
    TcxBitmapPtr resized = cxCreateBitmap(destSize, pf32bit);
    if (smooth)
      cxSmoothResizeBitmap(source.get(), resized.get(), true);
    else
      StretchBlt(CanvasDC(resized.get()), 0, 0, destSize.cx, destSize.cy, CanvasDC(source.get()), 0, 0, sourceSize.cx,
                 sourceSize.cy, SRCCOPY);
    source = std::move(resized);
  }
  BlendPixels(source.get(), dest.get(), AConstantAlpha);
  cxBitBlt(ADestDC, CanvasDC(dest.get()), ADestRect, cxNullPoint, SRCCOPY);
}

void cxAlphaBlend(HDC ADestDC, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect, bool ASmoothImage,
                  Byte AConstantAlpha) {
  CommonAlphaBlend(ADestDC, CanvasDC(ASrcBitmap), ADestRect, ASrcRect, ASmoothImage, AConstantAlpha);
}

void cxAlphaBlend(TBitmap* ADestBitmap, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage, Byte AConstantAlpha) {
  CommonAlphaBlend(CanvasDC(ADestBitmap), CanvasDC(ASrcBitmap), ADestRect, ASrcRect, ASmoothImage, AConstantAlpha);
}

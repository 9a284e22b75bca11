// Image drawing of cxGraphics: where an image goes, and how it is drawn in
// each mode through the three work bitmaps.
#include <algorithm>

#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsState.h"
#include "host/ImageLists.h"

TcxDrawImageProc CustomDrawImageProc = nullptr;

namespace {

// AImageSize at its own aspect, as large as fits in ADrawSize or, with
// ACover, as small as covers it; truncated.
TSize ProportionalSize(const TSize& ADrawSize, const TSize& AImageSize, bool ACover) {
  const Int64 across = Int64{ADrawSize.cx} * AImageSize.cy, down = Int64{ADrawSize.cy} * AImageSize.cx;
  const bool byWidth = ACover ? across >= down : across <= down;
  if (byWidth) return {ADrawSize.cx, static_cast<LONG>(Int64{AImageSize.cy} * ADrawSize.cx / AImageSize.cx)};
  return {static_cast<LONG>(Int64{AImageSize.cx} * ADrawSize.cy / AImageSize.cy), ADrawSize.cy};
}

bool IsWhite(const TRGBQuad& APixel) { return APixel.rgbRed == 255 && APixel.rgbGreen == 255 && APixel.rgbBlue == 255; }

struct TPreparedImage {
  TcxAlphaBitmap* Image;  // transparent pixels cleared
  TcxAlphaBitmap* Mask;   // ClrNone where transparent, ClrTransparent elsewhere
  bool HasAlpha;          // its alpha counts; otherwise it was made opaque
};

// The glyph or the list's image in the image work bitmap, its mask in the
// mask work bitmap. The pixels are read once and both bitmaps written once.
TPreparedImage PrepareImage(TBitmap* AGlyph, TCustomImageList* AImages, Integer AImageIndex,
                            TColor ATransparentColor) {
  const TSize size = dxGetImageSize(AGlyph, AImages, AImageIndex);
  TcxAlphaBitmap* image = WorkBitmap(wbImage, size);
  TcxAlphaBitmap* mask = WorkBitmap(wbMask, size);
  TcxColorList transparentColors;
  if (ATransparentColor != clNone) transparentColors.Add(ATransparentColor);
  TRGBColors listMask;
  if (IsGlyphAssigned(AGlyph)) {
    image->CopyBitmap(AGlyph);
    if (AGlyph->GetTransparent()) transparentColors.Add(AGlyph->GetTransparentColor());
  } else {
    TBitmap monochrome;
    AImages->GetImages(AImageIndex, image, &monochrome);
    GetBitmapBits(&monochrome, listMask, false);
  }
  TRGBColors pixels;
  image->GetBitmapColors(pixels);
  // Less than 32 bits copies in with alpha 0, which leaves it unused.
  const bool hasAlpha = std::any_of(pixels.begin(), pixels.end(), [](const TRGBQuad& p) { return p.rgbReserved; });
  TRGBColors maskPixels(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    TRGBQuad& pixel = pixels[i];
    // With alpha, a pixel of all zero is the work bitmap's transparent one.
    const bool masked = (!listMask.empty() && IsWhite(listMask[i])) || transparentColors.Contains(pixel) ||
                        (hasAlpha && cxColorIsEqual(pixel, ClrTransparent));
    maskPixels[i] = masked ? ClrNone : ClrTransparent;
    if (masked) pixel = ClrTransparent;
    else if (!hasAlpha) pixel.rgbReserved = 255;
  }
  image->SetBitmapColors(pixels);
  mask->SetBitmapColors(maskPixels);
  return {image, mask, hasAlpha};
}

// The mode's treatment of the image; the constant alpha it is drawn at.
Byte ApplyDrawMode(const TPreparedImage& AImage, TcxImageDrawMode ADrawMode) {
  TcxAlphaBitmap* image = AImage.Image;
  switch (ADrawMode) {
    case idmNormal: return 255;
    case idmDisabled:
      if (AImage.HasAlpha) {
        image->TransformBitmap(btmDisable);
        return DisableMap.SrcConstAlpha;
      }
      image->TransformBitmap(btmDirty);
      image->DrawShadow(AImage.Mask, 1, clBtnHighlight, false);
      return 255;
    case idmFaded: image->TransformBitmap(btmFade); return FadeMap.SrcConstAlpha;
    case idmGrayScale: image->TransformBitmap(btmGrayScale); return 255;
    case idmDingy: image->TransformBitmap(btmDingy); return 255;
    case idmShadowed: image->DrawShadow(AImage.Mask, 2, clBtnShadow, true); return 255;
  }
  return 255;
}

}  // namespace

TRect cxGetImageRect(const TRect& ADrawRect, const TSize& AImageSize, TcxImageFitMode AFitMode, bool ACentre,
                     Integer AScale) {
  if (AImageSize.cx < 1 || AImageSize.cy < 1) return ADrawRect;
  const TSize drawSize = cxRectSize(ADrawRect);
  TSize size = AImageSize;
  switch (AFitMode) {
    case ifmNormal:
      size = {static_cast<LONG>(Int64{AImageSize.cx} * AScale / 100), static_cast<LONG>(Int64{AImageSize.cy} * AScale / 100)};
      break;
    case ifmStretch: size = drawSize; break;
    case ifmProportionalStretch: size = ProportionalSize(drawSize, AImageSize, false); break;
    case ifmFit:
      if (drawSize.cx < AImageSize.cx || drawSize.cy < AImageSize.cy)
        size = ProportionalSize(drawSize, AImageSize, false);
      break;
    case ifmFill: size = ProportionalSize(drawSize, AImageSize, true); break;
  }
  if (ACentre) return cxRectCenter(ADrawRect, size);
  return cxRect(ADrawRect.Left, ADrawRect.Top, ADrawRect.Left + size.cx, ADrawRect.Top + size.cy);
}

TSize dxGetImageSize(TBitmap* AGlyph, TCustomImageList* AImages, Integer AIndex) {
  if (IsGlyphAssigned(AGlyph)) return cxSize(AGlyph->GetWidth(), AGlyph->GetHeight());
  if (IsImageAssigned(AImages, AIndex)) return cxSize(AImages->GetWidth(), AImages->GetHeight());
  return cxNullSize;
}

bool IsGlyphAssigned(TBitmap* ABitmap) { return ABitmap && !ABitmap->GetEmpty(); }

bool IsImageAssigned(TCustomImageList* AImages, Integer AIndex) {
  return AImages && AIndex >= 0 && AIndex < AImages->GetCount();
}

void cxSetImageList(TCustomImageList* Value, TCustomImageList*& AField, TChangeLink* AChangeLink,
                    TComponent* ANotifyComponent) {
  if (Value == AField) return;
  if (AField) {
    // A list being freed has let go of its links already.
    if (AChangeLink && AChangeLink->GetSender() == AField) AField->UnRegisterChanges(AChangeLink);
    if (ANotifyComponent) AField->RemoveFreeNotification(ANotifyComponent);
  }
  AField = Value;
  if (AField) {
    if (AChangeLink) AField->RegisterChanges(AChangeLink);
    if (ANotifyComponent) AField->FreeNotification(ANotifyComponent);
  }
}

void cxDrawImage(HDC ADC, const TRect& ARect, TBitmap* AGlyph, TCustomImageList* AImages, Integer AImageIndex,
                 TcxImageFitMode AFitMode, TcxImageDrawMode ADrawMode, bool ASmoothImage, HBRUSH ABrush,
                 TColor ATransparentColor) {
  if (CustomDrawImageProc && CustomDrawImageProc(ADC, AImages, AImageIndex, AGlyph, ARect, ADrawMode)) return;
  const TSize imageSize = dxGetImageSize(AGlyph, AImages, AImageIndex);
  if (imageSize.cx < 1 || imageSize.cy < 1) return;
  TRect dest = cxGetImageRect(ARect, imageSize, AFitMode);
  if (cxRectIsEmpty(dest)) return;
  const TPreparedImage image = PrepareImage(AGlyph, AImages, AImageIndex, ATransparentColor);
  const Byte constantAlpha = ApplyDrawMode(image, ADrawMode);
  // The shadow grows the image by 2 to the right and down; it is drawn a
  // pixel up and left so that the image seems to rise.
  if (ADrawMode == idmShadowed) dest = cxRectInflate(dest, 1, 1, 1, 1);
  TcxAlphaBitmap* draw = WorkBitmap(wbDraw, cxRectSize(dest));
  HDC drawDC = CanvasDC(draw);
  const TRect drawRect = draw->GetClientRect();
  if (ABrush) FillRect(drawDC, &drawRect, ABrush);
  else cxBitBlt(drawDC, ADC, drawRect, cxPoint(dest.Left, dest.Top), SRCCOPY);
  cxAlphaBlend(draw, image.Image, drawRect, image.Image->GetClientRect(), ASmoothImage, constantAlpha);
  cxBitBlt(ADC, drawDC, dest, cxNullPoint, SRCCOPY);
}

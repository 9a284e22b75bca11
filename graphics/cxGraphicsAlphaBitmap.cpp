// The alpha bitmap of cxGraphics: transparent colours, the pixel
// transformations, hatching, shadows and shading.
#include <algorithm>
#include <cmath>

#include "graphics/ColorChannels.h"
#include "graphics/GdiScopes.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsState.h"
#include "platform/Kernel.h"

namespace {

// Red, green and blue all set to the weighted sum of the three, rounded
// half to even.
void ScaleColor(TRGBQuad& AColor, const TcxColorTransitionMap& AMap) {
  const Double sum = AColor.rgbRed * static_cast<Double>(AMap.RedScale) +
                     AColor.rgbGreen * static_cast<Double>(AMap.GreenScale) +
                     AColor.rgbBlue * static_cast<Double>(AMap.BlueScale);
  const Byte grey = ClampByte(static_cast<Int64>(std::nearbyint(sum)));
  AColor.rgbRed = AColor.rgbGreen = AColor.rgbBlue = grey;
}

Byte Dingy(Byte AChannel) { return ClampByte(AChannel + MulDiv(255 - AChannel, 3, 10)); }
Byte Dimmed(Byte AChannel) { return ClampByte(MulDiv(AChannel, 200, 255)); }

// A solid brush of the colour selected into the device context for the
// scope, and deleted after it.
class TSolidBrushScope {
 public:
  TSolidBrushScope(HDC DC, TColor AColor) : FBrush(CreateSolidBrush(ColorToGdi(AColor))), FSelected(DC, FBrush) {}

 private:
  TOwnedGdiObject<HBRUSH> FBrush;
  TSelectedObject FSelected;
};

}  // namespace

// --- TcxColorList ---------------------------------------------------------------

HOST_CLASS_INFO(TcxColorList, TObject, &CreateDefault<TcxColorList>)

void TcxColorList::Add(TColor AColor) { FItems.push_back(ColorToRGB(AColor) & 0xFFFFFF); }

bool TcxColorList::Contains(const TRGBQuad& APixel) const {
  if (FItems.empty()) return false;
  const TColor color = dxRGBQuadToColor(APixel) & 0xFFFFFF;
  return std::find(FItems.begin(), FItems.end(), color) != FItems.end();
}

// --- TcxAlphaBitmap -------------------------------------------------------------

HOST_CLASS_INFO(TcxAlphaBitmap, TcxBitmap32, &CreateDefault<TcxAlphaBitmap>)

bool TcxAlphaBitmap::IsTransparent(const TRGBQuad& APixel) const {
  return cxColorIsEqual(APixel, FTransparentBkColor) || FTransparentPixels.Contains(APixel);
}

void TcxAlphaBitmap::Clear() {
  if (FTransparentBkColor.rgbReserved != 0) TransformBitmap(btmClear);
  else TcxBitmap32::Clear();
}

void TcxAlphaBitmap::TransformBitmap(TcxBitmapTransformationMode AMode) {
  TRGBColors colors;
  GetBitmapColors(colors);
  const Integer width = GetWidth(), height = GetHeight();
  // Row by row, the bottom row first: each rule looks at its own pixel
  // only, so the order of the visit changes nothing.
  const auto each = [&](auto ARule) {
    for (Integer y = 0; y < height; ++y)
      for (Integer x = 0; x < width; ++x) {
        FCurrentColorIndex = {x, y};
        ARule(colors[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]);
      }
  };
  const auto skipTransparent = [&](auto ARule) {
    each([&](TRGBQuad& c) {
      if (!IsTransparent(c)) ARule(c);
    });
  };
  switch (AMode) {
    case btmDingy:
      skipTransparent([](TRGBQuad& c) {
        if (c.rgbReserved == 255) {
          c.rgbBlue = Dingy(c.rgbBlue);
          c.rgbGreen = Dingy(c.rgbGreen);
          c.rgbRed = Dingy(c.rgbRed);
        } else {
          c.rgbBlue = Dimmed(c.rgbBlue);
          c.rgbGreen = Dimmed(c.rgbGreen);
          c.rgbRed = Dimmed(c.rgbRed);
          c.rgbReserved = Dimmed(c.rgbReserved);
        }
      });
      break;
    case btmDirty: {
      const TRGBQuad dirt = dxColorToRGBQuad(clBtnShadow, 0xC0);
      skipTransparent([&](TRGBQuad& c) {
        ScaleColor(c, GrayMap);
        cxBlendFunction(dirt, c, 238);
      });
      break;
    }
    case btmGrayScale:
      skipTransparent([](TRGBQuad& c) {
        c.rgbRed = c.rgbGreen = c.rgbBlue = static_cast<Byte>((c.rgbRed + c.rgbGreen + c.rgbBlue) / 3);
      });
      break;
    case btmSetOpaque: each([](TRGBQuad& c) { c.rgbReserved = 255; }); break;
    case btmMakeMask: each([&](TRGBQuad& c) { c = IsTransparent(c) ? ClrNone : ClrTransparent; }); break;
    case btmFade: skipTransparent([](TRGBQuad& c) { ScaleColor(c, FadeMap); }); break;
    case btmDisable: skipTransparent([](TRGBQuad& c) { ScaleColor(c, DisableMap); }); break;
    case btmCorrectBlend:
      skipTransparent([](TRGBQuad& c) {
        if (c.rgbReserved == 0) c.rgbReserved = 255;
      });
      break;
    case btmHatch: {
      // A step below 1 would divide by zero.
      const Integer step = std::max(FHatchData.Step, 1);
      const TRGBQuad colors[2] = {dxColorToRGBQuad(FHatchData.Color1, 255), dxColorToRGBQuad(FHatchData.Color2, 255)};
      const Byte alphas[2] = {FHatchData.Alpha1, FHatchData.Alpha2};
      each([&](TRGBQuad& c) {
        const Integer second = (FCurrentColorIndex.X / step + FCurrentColorIndex.Y / step) % 2;
        cxBlendFunction(colors[second], c, alphas[second]);
      });
      break;
    }
    case btmClear: each([&](TRGBQuad& c) { c = FTransparentBkColor; }); break;
    case btmResetAlpha: each([](TRGBQuad& c) { c.rgbReserved = 0; }); break;
    case btmExtractLayer:
      each([&](TRGBQuad& c) {
        if (IsTransparent(c)) c = ClrTransparent;
      });
      break;
  }
  SetBitmapColors(colors);
  Changed(this);
}

void TcxAlphaBitmap::DrawHatch(const TcxHatchData& AHatchData) {
  FHatchData = AHatchData;
  TransformBitmap(btmHatch);
}

void TcxAlphaBitmap::DrawHatch(TColor AColor1, TColor AColor2, Integer AStep, Byte AAlpha1, Byte AAlpha2) {
  DrawHatch(TcxHatchData{AColor1, AAlpha1, AColor2, AAlpha2, AStep});
}

void TcxAlphaBitmap::DrawShadow(TBitmap* AMaskBitmap, Integer AShadowSize, TColor AShadowColor, bool AInflateSize) {
  const Integer width = GetWidth(), height = GetHeight(), size = AShadowSize;
  // The mask at (size, size) on ClrNone, ANDed with its own copy moved on
  // by (size, size) and inverted: the shadow colour where the moved image
  // is and the image is not, 0 elsewhere.
  TcxAlphaBitmap shadow(width + 2 * size, height + 2 * size);
  shadow.SetTransparentBkColor(ClrNone);
  shadow.Clear();
  shadow.CopyBitmap(AMaskBitmap, cxRect(size, size, size + width, size + height), cxNullPoint);
  {
    HDC dc = CanvasDC(&shadow);
    TSolidBrushScope brush(dc, AShadowColor);
    cxBitBlt(dc, dc, cxRectOffset(shadow.GetClientRect(), size, size), cxNullPoint, 0x00200F09);
  }
  shadow.SetTransparentBkColor(ClrTransparent);
  shadow.TransformBitmap(btmCorrectBlend);
  TcxAlphaBitmap copy(width + size, height + size);
  copy.CopyBitmap(this, GetClientRect(), cxNullPoint);
  cxBitBlt(CanvasDC(&copy), CanvasDC(&shadow), copy.GetClientRect(), cxPoint(size, size), SRCPAINT);
  if (AInflateSize) SetSize(width + size, height + size);
  CopyBitmap(&copy);
}

void TcxAlphaBitmap::Shade(TBitmap* AMaskBitmap) {
  TCanvas* maskCanvas = AMaskBitmap->GetCanvas();
  maskCanvas->RequiredState({csHandleValid, csBrushValid});
  const TRect maskRect = cxRect(0, 0, AMaskBitmap->GetWidth(), AMaskBitmap->GetHeight());
  HDC mask = maskCanvas->GetHandle();
  cxBitBlt(mask, mask, maskRect, cxNullPoint, PATINVERT);
  CopyBitmap(AMaskBitmap, cxRectOffset(maskRect, 1, 1), cxNullPoint);
  {
    // The brush where the mask has bits set, the image elsewhere (DSPDxax).
    HDC dc = CanvasDC(this);
    TSolidBrushScope brush(dc, clBtnShadow);
    cxBitBlt(dc, mask, maskRect, cxNullPoint, 0x00E20746);
  }
  TransformBitmap(btmCorrectBlend);
}

void TcxAlphaBitmap::TransformByTransparentColor(TColor ATransparentColor, TcxBitmapTransformationMode AMode) {
  FTransparentPixels.Clear();
  FTransparentPixels.Add(ATransparentColor);
  FTransparentBkColor = dxColorToRGBQuad(ATransparentColor);
  TransformBitmap(AMode);
}

void TcxAlphaBitmap::RefreshImage(Integer AWidth, Integer AHeight) {
  SetSize(AWidth, AHeight);
  FTransparentPixels.Clear();
  FTransparentBkColor = ClrTransparent;
  Clear();
}

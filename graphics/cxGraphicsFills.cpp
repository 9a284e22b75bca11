// Solid fills, frames and gradients of cxGraphics on a device context.
#include <algorithm>

#include "graphics/ColorChannels.h"
#include "graphics/GdiScopes.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsState.h"
#include "platform/Kernel.h"

namespace {

// Line or band [AFrom, ATo) across the gradient's direction.
TRect Strip(const TRect& ARect, bool AHorizontal, Integer AFrom, Integer ATo) {
  return AHorizontal ? TRect{AFrom, ARect.Top, ATo, ARect.Bottom} : TRect{ARect.Left, AFrom, ARect.Right, ATo};
}

// The system's gradient: 8-bit channels in the high bytes of the vertices'.
void SystemGradient(TGradientFillProc AGradientFill, HDC DC, const TRect& ARect, const TColorChannels& A1, const TColorChannels& A2,
                    bool AHorizontal) {
  const auto vertex = [](LONG x, LONG y, const TColorChannels& c) {
    TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(c.C[0] << 8);
    v.Green = static_cast<COLOR16>(c.C[1] << 8);
    v.Blue = static_cast<COLOR16>(c.C[2] << 8);
    return v;
  };
  TRIVERTEX vertices[2] = {vertex(ARect.Left, ARect.Top, A1), vertex(ARect.Right, ARect.Bottom, A2)};
  GRADIENT_RECT mesh{0, 1};
  AGradientFill(DC, vertices, 2, &mesh, 1, AHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

// At most 256 bands of even colour, band i ending at MulDiv(i + 1, extent,
// steps) and stepping the colour by MulDiv(i, c2 - c1, steps - 1).
void BandGradient(HDC DC, const TRect& ARect, const TColorChannels& A1, const TColorChannels& A2, bool AHorizontal) {
  const Integer start = AHorizontal ? ARect.Left : ARect.Top;
  const Integer extent = AHorizontal ? cxRectWidth(ARect) : cxRectHeight(ARect);
  const Integer steps = std::min(extent, 256);
  Integer bandStart = start;
  for (Integer i = 0; i < steps; ++i) {
    const Integer bandEnd = start + MulDiv(i + 1, extent, steps);
    if (bandEnd > bandStart) {
      const TColorChannels colour =
          steps == 1 ? A1 : PerChannel([&](int c) { return A1.C[c] + MulDiv(i, A2.C[c] - A1.C[c], steps - 1); });
      FillRectByColor(DC, Strip(ARect, AHorizontal, bandStart, bandEnd), ColorOf(colour));
    }
    bandStart = bandEnd;
    if (bandEnd >= start + extent) break;
  }
}

}  // namespace

void FillRectByColor(HDC DC, const TRect& R, TColor AColor) {
  if (AColor == clNone) return;
  TOwnedGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToGdi(AColor)));
  FillRect(DC, &R, brush);
}

void FrameRectByColor(HDC DC, const TRect& R, TColor AColor) {
  if (AColor == clNone) return;
  TOwnedGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToGdi(AColor)));
  FrameRect(DC, &R, brush);
}

void FillGradientRect(HDC DC, const TRect& ARect, TColor AColor1, TColor AColor2, bool AHorizontal) {
  if (cxRectIsEmpty(ARect)) return;
  const TColor color1 = ColorToRGB(AColor1), color2 = ColorToRGB(AColor2);
  if (color1 == color2) return FillRectByColor(DC, ARect, color1);
  const TColorChannels c1 = ChannelsOf(color1), c2 = ChannelsOf(color2);
  if (TGradientFillProc gradientFill = GradientFillProc())
    SystemGradient(gradientFill, DC, ARect, c1, c2, AHorizontal);
  else
    BandGradient(DC, ARect, c1, c2, AHorizontal);
}

void FillTubeGradientRect(HDC DC, const TRect& ARect, TColor AColor1, TColor AColor2, Integer AGradientPercent,
                          bool AHorizontal) {
  if (cxRectIsEmpty(ARect)) return;
  const TColor color1 = ColorToRGB(AColor1), color2 = ColorToRGB(AColor2);
  if (color1 == color2) return FillRectByColor(DC, ARect, color1);
  const TColorChannels c1 = ChannelsOf(color1), c2 = ChannelsOf(color2);
  const TColorChannels middle = PerChannel([&](int c) { return c1.C[c] - MulDiv(c1.C[c] - c2.C[c], AGradientPercent, 200); });
  const Integer start = AHorizontal ? ARect.Left : ARect.Top;
  const Integer extent = AHorizontal ? cxRectWidth(ARect) : cxRectHeight(ARect);
  const Integer half = extent / 2;
  // Before the middle line the colour runs along the slope c1 -> middle as
  // if to the far side; after it, along a line re-based to end at c2. One
  // line alone is the middle line, which keeps the divisions off zero.
  const TColorChannels farEnd =
      half > 0 ? PerChannel([&](int c) { return c1.C[c] - MulDiv(c1.C[c] - middle.C[c], extent, half); }) : c1;
  const TColorChannels base =
      half > 0 ? PerChannel([&](int c) { return c2.C[c] + MulDiv(middle.C[c] - c2.C[c], extent, half); }) : c2;
  for (Integer i = 0; i < extent; ++i) {
    TColorChannels colour = middle;
    if (i < half) colour = PerChannel([&](int c) { return c1.C[c] + MulDiv(i, farEnd.C[c] - c1.C[c], extent - 1); });
    else if (i > half) colour = PerChannel([&](int c) { return base.C[c] + MulDiv(i, c2.C[c] - base.C[c], extent - 1); });
    FillRectByColor(DC, Strip(ARect, AHorizontal, start + i, start + i + 1), ColorOf(colour));
  }
}

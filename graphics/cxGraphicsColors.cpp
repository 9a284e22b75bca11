// The colour formulas of cxGraphics.
#include <algorithm>
#include <cmath>
#include <utility>

#include "graphics/ColorChannels.h"
#include "graphics/GdiScopes.h"
#include "graphics/cxGraphics.h"
#include "platform/Kernel.h"

namespace {

bool NamesNoColor(TColor AColor) { return !cxColorIsValid(AColor); }

}  // namespace

TColor GetLightColor(Integer ABtnFaceColorPart, Integer AHighlightColorPart, Integer AWindowColorPart) {
  const TColor face = ColorToRGB(clBtnFace), highlight = ColorToRGB(clHighlight);
  if ((face == 0 || face == 0xFFFFFF) && highlight != 0) return highlight;
  const TColorChannels f = ChannelsOf(face), h = ChannelsOf(highlight), w = ChannelsOf(clWindow);
  return ColorOf(PerChannel([&](int c) {
    return Int64{MulDiv(f.C[c], ABtnFaceColorPart, 100)} + MulDiv(h.C[c], AHighlightColorPart, 100) +
           MulDiv(w.C[c], AWindowColorPart, 100);
  }));
}

TColor GetLightSelColor() { return dxGetNearestColor(GetLightColor(-2, 30, 72)); }

TColor GetLightDownedSelColor() { return dxGetNearestColor(GetLightColor(14, 44, 40)); }

TColor dxGetDarkerColor(TColor AColor, Integer APercent) {
  const TColorChannels c = ChannelsOf(AColor);
  return ColorOf(PerChannel([&](int i) { return std::clamp<Int64>(Int64{APercent} * c.C[i] / 100, 0, 255); }));
}

TColor dxGetMiddleRGB(TColor AColor1, TColor AColor2, Integer APercent) {
  const TColorChannels c1 = ChannelsOf(AColor1), c2 = ChannelsOf(AColor2);
  return dxGetNearestColor(ColorOf(PerChannel([&](int c) {
    return std::clamp<Int64>(Int64{MulDiv(c2.C[c], 100 - APercent, 100)} + MulDiv(c1.C[c], APercent, 100), 0, 255);
  })));
}

TColor dxGetColorTint(TColor AColor, Integer APercent) {
  TdxHSV hsv = dxColorToHSV(AColor);
  const Double p = std::abs(static_cast<Double>(APercent)) / 100;
  if (APercent >= 0) {
    if (hsv.S != 0) hsv.S -= hsv.S * p;
    hsv.V += (1 - hsv.V) * p;
  } else {
    if (hsv.S != 0) hsv.S += (1 - hsv.S) * p;
    hsv.V -= hsv.V * p;
  }
  hsv.S = std::max(hsv.S, 0.0);
  hsv.V = std::max(hsv.V, 0.0);
  return dxHSVToColor(hsv);
}

TColor dxGetNearestColor(TColor AColor) {
  TScreenDC screen;
  return static_cast<TColor>(GetNearestColor(screen, ColorToGdi(AColor)));
}

TColor dxInvertColor(TColor AColor) { return ColorToRGB(AColor) ^ 0xFFFFFF; }

TdxHSV dxColorToHSV(TColor AColor) {
  if (NamesNoColor(AColor)) return {};
  const TColorChannels c = ChannelsOf(AColor);
  const int r = c.C[0], g = c.C[1], b = c.C[2];
  const int max = std::max({r, g, b}), min = std::min({r, g, b});
  TdxHSV hsv;
  hsv.V = max / 255.0;
  hsv.S = hsv.V != 0 ? 1 - static_cast<Double>(min) / max : 0;
  if (max != min) {
    const Double d = max - min;
    if (r == max) hsv.H = 60 * (g - b) / d;
    else if (g == max) hsv.H = 120 + 60 * (b - r) / d;
    else hsv.H = 240 + 60 * (r - g) / d;
    if (hsv.H < 0) hsv.H += 360;
  }
  return hsv;
}

TColor dxHSVToColor(const TdxHSV& AHSV) {
  const Int64 v = Round(AHSV.V * 255);
  const Int64 whole = Trunc(AHSV.H / 60);
  const Int64 sector = (whole % 6 + 6) % 6;
  const Double f = AHSV.H / 60 - static_cast<Double>(whole);
  const Int64 p = Round(v * (1 - AHSV.S));
  const Int64 q = Round(v * (1 - AHSV.S * f));
  const Int64 t = Round(v * (1 - AHSV.S * (1 - f)));
  switch (sector) {
    case 0: return ColorOf(v, t, p);
    case 1: return ColorOf(q, v, p);
    case 2: return ColorOf(p, v, t);
    case 3: return ColorOf(p, q, v);
    case 4: return ColorOf(t, p, v);
    default: return ColorOf(v, p, q);
  }
}

TdxHSL TdxColorSpaceConverter::ColorToHSL(TColor AColor) {
  if (NamesNoColor(AColor)) return {};
  const TColorChannels c = ChannelsOf(AColor);
  const Double r = c.C[0] / 255.0, g = c.C[1] / 255.0, b = c.C[2] / 255.0;
  const Double max = std::max({r, g, b}), min = std::min({r, g, b});
  TdxHSL hsl;
  hsl.L = (max + min) / 2;
  if (max == min) return hsl;
  const Double d = max - min;
  hsl.S = hsl.L < 0.5 ? d / (max + min) : d / (2 - max - min);
  if (r == max) hsl.H = (g - b) / d;
  else if (g == max) hsl.H = 2 + (b - r) / d;
  else hsl.H = 4 + (r - g) / d;
  hsl.H /= 6;
  if (hsl.H < 0) hsl.H += 1;
  return hsl;
}

TColor TdxColorSpaceConverter::HSLToColor(const TdxHSL& AHSL) {
  if (AHSL.S == 0) {
    const Int64 grey = Round(AHSL.L * 255);
    return ColorOf(grey, grey, grey);
  }
  const Double q = AHSL.L <= 0.5 ? AHSL.L * (1 + AHSL.S) : AHSL.L + AHSL.S - AHSL.L * AHSL.S;
  const Double p = 2 * AHSL.L - q;
  const auto channel = [&](Double AHue) {
    if (AHue < 0) AHue += 1;
    if (AHue > 1) AHue -= 1;
    const Double h = AHue * 6;
    const Double value = h < 1 ? p + (q - p) * h : h < 3 ? q : h < 4 ? p + (q - p) * (4 - h) : p;
    return Round(value * 255);
  };
  return ColorOf(channel(AHSL.H + 1.0 / 3), channel(AHSL.H), channel(AHSL.H - 1.0 / 3));
}

bool cxColorIsEqual(const TRGBQuad& AColor1, const TRGBQuad& AColor2) {
  return AColor1.rgbBlue == AColor2.rgbBlue && AColor1.rgbGreen == AColor2.rgbGreen &&
         AColor1.rgbRed == AColor2.rgbRed && AColor1.rgbReserved == AColor2.rgbReserved;
}

void cxExchangeColors(TColor& AColor1, TColor& AColor2) { std::swap(AColor1, AColor2); }

bool IsHighContrastBlack() { return GetSysColor(COLOR_BTNFACE) == 0; }

bool IsHighContrast2() { return IsHighContrastBlack() && GetSysColor(COLOR_BTNTEXT) != 0xFFFFFF; }

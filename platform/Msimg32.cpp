#include "platform/Msimg32.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/GdiObjects.h"

namespace {

// Rounds halves to even in the default rounding mode: adding and removing
// 1.5 * 2^23 leaves no fraction bits, which is cheap and exact below 2^22.
inline BYTE ClampRound(float v) {
  const float shifted = v + 12582912.0f;
  const float r = shifted - 12582912.0f;
  return static_cast<BYTE>(r < 0 ? 0 : r > 255 ? 255 : r);
}

DWORD Blend(DWORD source, DWORD dest, BYTE constantAlpha, bool perPixelAlpha) {
  const float k = constantAlpha / 255.0f;
  // How much of the destination shows through: by the source's alpha, or
  // by the constant alone when the source's alpha is not to be used.
  const float coverage = k * static_cast<float>(perPixelAlpha ? source >> 24 : 255);
  const float r = 1.0f - coverage / 255.0f;
  DWORD out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const float s = static_cast<float>((source >> shift) & 0xFF), d = static_cast<float>((dest >> shift) & 0xFF);
    out |= static_cast<DWORD>(ClampRound(k * s + r * d)) << shift;
  }
  // The alpha byte blends like a colour channel in both cases.
  const float sourceAlpha = static_cast<float>(source >> 24), destAlpha = static_cast<float>(dest >> 24);
  out |= static_cast<DWORD>(ClampRound(k * sourceAlpha + r * destAlpha)) << 24;
  return out;
}

}  // namespace

BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc, int xoriginSrc,
                int yoriginSrc, int wSrc, int hSrc, BLENDFUNCTION ftn) {
  TDeviceContext* dst = DCLookup(hdcDest);
  TDeviceContext* src = DCLookup(hdcSrc);
  TBitmapObject* target = DCSurface(dst);
  TBitmapObject* source = DCSurface(src);
  if (!target || !source || ftn.BlendOp != AC_SRC_OVER || ftn.BlendFlags != 0) return FALSE;
  if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0) return FALSE;
  const bool perPixel = ftn.AlphaFormat & AC_SRC_ALPHA;
  if (perPixel && source->BitsPerPixel != 32) return FALSE;
  const POINT d = DeviceOf(dst->State, xoriginDest, yoriginDest);
  const POINT s = DeviceOf(src->State, xoriginSrc, yoriginSrc);
  if (s.X < 0 || s.Y < 0 || s.X + wSrc > source->Width || s.Y + hSrc > source->Height) return FALSE;
  if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0) return TRUE;
  if (target->BitsPerPixel == 32 && source->BitsPerPixel == 32) {
    // Whole rows of 32-bit pixels; the source column of each target column
    // is worked out once.
    std::vector<LONG> columns(static_cast<size_t>(wDest));
    for (LONG i = 0; i < wDest; ++i) columns[i] = s.X + static_cast<LONG>(static_cast<int64_t>(i) * wSrc / wDest);
    ForRows(dst, *target, d.X, d.Y, d.X + wDest, d.Y + hDest, [&](LONG y, LONG x1, LONG x2) {
      const LONG sy = s.Y + static_cast<LONG>(static_cast<int64_t>(y - d.Y) * hSrc / hDest);
      const auto* in = reinterpret_cast<const DWORD*>(source->Row(sy));
      auto* out = reinterpret_cast<DWORD*>(target->Row(y));
      for (LONG x = x1; x < x2; ++x) out[x] = Blend(in[columns[x - d.X]], out[x], ftn.SourceConstantAlpha, perPixel);
    });
    return TRUE;
  }
  ForTarget(dst, *target, d.X, d.Y, d.X + wDest, d.Y + hDest, [&](LONG x, LONG y) {
    const LONG sx = s.X + static_cast<LONG>(static_cast<int64_t>(x - d.X) * wSrc / wDest);
    const LONG sy = s.Y + static_cast<LONG>(static_cast<int64_t>(y - d.Y) * hSrc / hDest);
    WritePixel(*target, x, y,
               Blend(ReadPixel(*source, sx, sy), ReadPixel(*target, x, y), ftn.SourceConstantAlpha, perPixel));
  });
  return TRUE;
}

BOOL GradientFill(HDC hdc, TRIVERTEX* pVertex, ULONG nVertex, void* pMesh, ULONG nMesh, ULONG ulMode) {
  TDeviceContext* dc = DCLookup(hdc);
  TBitmapObject* target = DCSurface(dc);
  if (!target || !pVertex || !pMesh || (ulMode != GRADIENT_FILL_RECT_H && ulMode != GRADIENT_FILL_RECT_V))
    return FALSE;
  const bool horizontal = ulMode == GRADIENT_FILL_RECT_H;
  for (ULONG m = 0; m < nMesh; ++m) {
    const GRADIENT_RECT& rect = static_cast<const GRADIENT_RECT*>(pMesh)[m];
    if (rect.UpperLeft >= nVertex || rect.LowerRight >= nVertex) return FALSE;
    TRIVERTEX a = pVertex[rect.UpperLeft], b = pVertex[rect.LowerRight];
    // The colours follow their corners when the corners come reversed.
    if ((horizontal ? a.x > b.x : a.y > b.y)) std::swap(a, b);
    const POINT p = DeviceOf(dc->State, std::min(a.x, b.x), std::min(a.y, b.y));
    const POINT q = DeviceOf(dc->State, std::max(a.x, b.x), std::max(a.y, b.y));
    const LONG origin = horizontal ? p.X : p.Y;
    const LONG extent = horizontal ? q.X - p.X : q.Y - p.Y;
    if (extent <= 0 || (horizontal ? q.Y <= p.Y : q.X <= p.X)) continue;
    const auto channel = [&](COLOR16 from, COLOR16 to, LONG i) {
      const int64_t v = from + (static_cast<int64_t>(to) - from) * i / extent;
      return static_cast<DWORD>(v >> 8);
    };
    ForTarget(dc, *target, p.X, p.Y, q.X, q.Y, [&](LONG x, LONG y) {
      const LONG i = (horizontal ? x : y) - origin;
      WritePixel(*target, x, y,
                 channel(a.Blue, b.Blue, i) | channel(a.Green, b.Green, i) << 8 | channel(a.Red, b.Red, i) << 16);
    });
  }
  return TRUE;
}

#include "platform/Msimg32.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/GdiObjects.h"

namespace {

// Rounds halves to even in the default rounding mode: adding and removing
// 1.5 * 2^23 leaves no fraction bits, which is cheap and exact below 2^22.
inline BYTE ClampRound(float v) {
  const float shifted = v + 12582912.0f;
  const float r = shifted - 12582912.0f;
  return static_cast<BYTE>(r < 0 ? 0 : r > 255 ? 255 : r);
}

// What a call blends with: k, and 1 - a/255 (the share of the destination
// that shows through) for every source alpha, worked out once.
struct TBlendShares {
  float K;
  float Remaining[256];
};

TBlendShares SharesOf(BYTE constantAlpha, bool perPixelAlpha) {
  TBlendShares shares;
  shares.K = constantAlpha / 255.0f;
  // By the source's alpha, or by the constant alone when the source's alpha
  // is not to be used.
  for (int alpha = 0; alpha < 256; ++alpha)
    shares.Remaining[alpha] = 1.0f - shares.K * static_cast<float>(perPixelAlpha ? alpha : 255) / 255.0f;
  return shares;
}

// Every byte, the alpha byte too, as clamp(round(k s + r d)).
DWORD Blend(DWORD source, DWORD dest, const TBlendShares& shares) {
  const float k = shares.K, r = shares.Remaining[source >> 24];
  DWORD out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const float s = static_cast<float>((source >> shift) & 0xFF), d = static_cast<float>((dest >> shift) & 0xFF);
    out |= static_cast<DWORD>(ClampRound(k * s + r * d)) << shift;
  }
  return out;
}

// A row of 32-bit pixels, in[columns[i]] over out[i], by Blend's arithmetic:
// the same single-precision steps on all four bytes of a pixel at once.
void BlendRow(const DWORD* in, const LONG* columns, DWORD* out, LONG count, const TBlendShares& shares) {
#if defined(__SSE2__)
  const __m128 k = _mm_set1_ps(shares.K);
  const __m128i zero = _mm_setzero_si128();
  const auto widen = [&](DWORD p) {
    const __m128i bytes = _mm_cvtsi32_si128(static_cast<int>(p));
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero));
  };
  for (LONG i = 0; i < count; ++i) {
    const DWORD source = in[columns[i]];
    const __m128 r = _mm_set1_ps(shares.Remaining[source >> 24]);
    const __m128 v = _mm_add_ps(_mm_mul_ps(k, widen(source)), _mm_mul_ps(r, widen(out[i])));
    // To the nearest, halves to even (the default rounding), then saturated
    // to a byte as ClampRound limits it.
    const __m128i rounded = _mm_cvtps_epi32(v);
    out[i] = static_cast<DWORD>(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(rounded, zero), zero)));
  }
#else
  for (LONG i = 0; i < count; ++i) out[i] = Blend(in[columns[i]], out[i], shares);
#endif
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
  const TBlendShares shares = SharesOf(ftn.SourceConstantAlpha, perPixel);
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
      BlendRow(in, columns.data() + (x1 - d.X), out + x1, x2 - x1, shares);
    });
    return TRUE;
  }
  ForTarget(dst, *target, d.X, d.Y, d.X + wDest, d.Y + hDest, [&](LONG x, LONG y) {
    const LONG sx = s.X + static_cast<LONG>(static_cast<int64_t>(x - d.X) * wSrc / wDest);
    const LONG sy = s.Y + static_cast<LONG>(static_cast<int64_t>(y - d.Y) * hSrc / hDest);
    WritePixel(*target, x, y,
               Blend(ReadPixel(*source, sx, sy), ReadPixel(*target, x, y), shares));
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

// Resizing bitmaps: the system's half-tone stretch, or a separable Lanczos-3
// resampling with integer weights of 8 fractional bits.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "controls/dxCore.h"
#include "graphics/GdiScopes.h"
#include "graphics/cxGraphics.h"

namespace {

struct TContributor {
  Integer Index;   // the source position
  Integer Weight;  // 256 is 1
};

// Each destination position's contributors, worked out once per axis:
// position i draws from Items[Starts[i]] up to Items[Starts[i + 1]].
struct TContributors {
  std::vector<TContributor> Items;
  std::vector<size_t> Starts;
};

Double Sinc(Double X) {
  if (X == 0) return 1;
  const Double x = std::numbers::pi * X;
  return std::sin(x) / x;
}

Double Lanczos3(Double X) { return std::abs(X) < 3 ? Sinc(X) * Sinc(X / 3) : 0; }

TContributors Contributors(Integer ASourceCount, Integer ADestCount) {
  const Double scale = ASourceCount == 1 || ADestCount == 1
                           ? static_cast<Double>(ADestCount) / ASourceCount
                           : static_cast<Double>(ADestCount - 1) / (ASourceCount - 1);
  // Shrinking widens the filter so that every source pixel counts.
  const bool shrinking = scale < 1;
  const Double width = shrinking ? 3 / scale : 3;
  const Double filterScale = shrinking ? 1 / scale : 1;
  TContributors result;
  result.Starts.reserve(static_cast<size_t>(ADestCount) + 1);
  for (Integer i = 0; i < ADestCount; ++i) {
    result.Starts.push_back(result.Items.size());
    const Double centre = i / scale;
    const auto last = static_cast<Int64>(std::ceil(centre + width));
    for (auto j = static_cast<Int64>(std::floor(centre - width)); j <= last; ++j) {
      const auto weight =
          static_cast<Integer>(std::nearbyint(Lanczos3((centre - j) / filterScale) / filterScale * 256));
      if (weight == 0) continue;
      // Mirrored at the edges; a filter wider than the source can mirror
      // past the far edge too, and that stays on the edge pixel.
      const Int64 mirrored = j < 0 ? -j : j >= ASourceCount ? 2 * Int64{ASourceCount} - 1 - j : j;
      const auto index = static_cast<Integer>(std::clamp<Int64>(mirrored, 0, ASourceCount - 1));
      result.Items.push_back({index, weight});
    }
  }
  result.Starts.push_back(result.Items.size());
  return result;
}

Byte ChannelOf(Integer ASum) { return ASum < 0 ? 0 : ASum >= 65536 ? 255 : static_cast<Byte>(ASum >> 8); }

// Rows of ASourceWidth pixels to rows of ADestWidth, each destination pixel
// summed from its contributors.
void ResampleRows(const Byte* ASource, Integer ASourceWidth, Byte* ADest, Integer ADestWidth, Integer ARows) {
  const TContributors c = Contributors(ASourceWidth, ADestWidth);
  for (Integer y = 0; y < ARows; ++y) {
    const Byte* in = ASource + static_cast<size_t>(y) * static_cast<size_t>(ASourceWidth) * 4;
    Byte* out = ADest + static_cast<size_t>(y) * static_cast<size_t>(ADestWidth) * 4;
    for (Integer x = 0; x < ADestWidth; ++x) {
      Integer sum[4] = {};
      for (size_t k = c.Starts[x]; k < c.Starts[x + 1]; ++k) {
        const Byte* p = in + static_cast<size_t>(c.Items[k].Index) * 4;
        const Integer w = c.Items[k].Weight;
        for (int ch = 0; ch < 4; ++ch) sum[ch] += w * p[ch];
      }
      for (int ch = 0; ch < 4; ++ch) out[x * 4 + ch] = ChannelOf(sum[ch]);
    }
  }
}

// Columns of ASourceHeight pixels to columns of ADestHeight: each
// destination row summed from whole contributing rows.
void ResampleColumns(const Byte* ASource, Integer ASourceHeight, Byte* ADest, Integer ADestHeight, Integer AWidth) {
  const TContributors c = Contributors(ASourceHeight, ADestHeight);
  const size_t rowBytes = static_cast<size_t>(AWidth) * 4;
  std::vector<Integer> sums(rowBytes);
  for (Integer y = 0; y < ADestHeight; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    for (size_t k = c.Starts[y]; k < c.Starts[y + 1]; ++k) {
      const Byte* in = ASource + static_cast<size_t>(c.Items[k].Index) * rowBytes;
      const Integer w = c.Items[k].Weight;
      for (size_t i = 0; i < rowBytes; ++i) sums[i] += w * in[i];
    }
    Byte* out = ADest + static_cast<size_t>(y) * rowBytes;
    for (size_t i = 0; i < rowBytes; ++i) out[i] = ChannelOf(sums[i]);
  }
}

}  // namespace

void cxSmoothResizeBitmap(TBitmap* ASource, TBitmap* ADestination, bool AForceUseLanczos3Filter) {
  if (ASource->GetEmpty() || ADestination->GetEmpty()) return;
  const Integer sw = ASource->GetWidth(), sh = ASource->GetHeight();
  const Integer dw = ADestination->GetWidth(), dh = ADestination->GetHeight();
  if (IsWinNT && !AForceUseLanczos3Filter) {
    HDC dest = ADestination->GetCanvas()->GetHandle();
    TStretchBltModeScope mode(dest, HALFTONE);
    StretchBlt(dest, 0, 0, dw, dh, ASource->GetCanvas()->GetHandle(), 0, 0, sw, sh, SRCCOPY);
    return;
  }
  TRGBColors source;
  GetBitmapBits(ASource, source, true);
  TRGBColors across(static_cast<size_t>(dw) * static_cast<size_t>(sh));
  ResampleRows(reinterpret_cast<const Byte*>(source.data()), sw, reinterpret_cast<Byte*>(across.data()), dw, sh);
  TRGBColors result(static_cast<size_t>(dw) * static_cast<size_t>(dh));
  ResampleColumns(reinterpret_cast<const Byte*>(across.data()), sh, reinterpret_cast<Byte*>(result.data()), dh, dw);
  SetBitmapBits(ADestination, result, true);
}

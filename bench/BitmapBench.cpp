// The alpha bitmap's per-pixel work and image drawing: what a disabled or
// shadowed glyph costs. Part of graphics_bench, whose main starts the units.
// Compare ratios within one run (tools/bench pins the run to one core).
#include <benchmark/benchmark.h>

#include "bench/BenchSurface.h"
#include "graphics/cxGraphics.h"

namespace {

constexpr int BitmapSize = 256;

// Noise with alpha, every eighth pixel transparent.
void FillNoise(TBitmap& ABitmap, int ASize) {
  for (int y = 0; y < ASize; ++y) {
    auto* row = static_cast<DWORD*>(ABitmap.GetScanLine(y));
    for (int x = 0; x < ASize; ++x) {
      const DWORD noise = static_cast<DWORD>((y * ASize + x) * 2654435761u >> 8) & 0x00FFFFFF;
      row[x] = (x + y) % 8 == 0 ? 0 : 0xFF000000u | noise;
    }
  }
}

void TransformDisable(benchmark::State& state) {
  TcxAlphaBitmap bitmap(BitmapSize, BitmapSize);
  FillNoise(bitmap, BitmapSize);
  for (auto _ : state) bitmap.TransformBitmap(btmDisable);
}
BENCHMARK(TransformDisable)->Unit(benchmark::kMicrosecond);

void DrawShadow(benchmark::State& state) {
  TcxAlphaBitmap image(BitmapSize, BitmapSize), mask(BitmapSize, BitmapSize);
  FillNoise(image, BitmapSize);
  mask.CopyBitmap(&image);
  mask.TransformBitmap(btmMakeMask);
  for (auto _ : state) image.DrawShadow(&mask, 2, clBtnShadow, false);
}
BENCHMARK(DrawShadow)->Unit(benchmark::kMicrosecond);

// One 32-bit glyph drawn onto the window-sized surface per call.
void DrawGlyph(benchmark::State& state, int ASize, TcxImageDrawMode AMode) {
  TcxBitmap32 glyph(ASize, ASize);
  FillNoise(glyph, ASize);
  TSurface surface;
  const TRect r{10, 10, 10 + ASize, 10 + ASize};
  for (auto _ : state) cxDrawImage(surface.DC, r, &glyph, nullptr, -1, ifmNormal, AMode);
}
BENCHMARK_CAPTURE(DrawGlyph, Normal16, 16, idmNormal)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawGlyph, Disabled16, 16, idmDisabled)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawGlyph, Normal48, 48, idmNormal)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawGlyph, Disabled48, 48, idmDisabled)->Unit(benchmark::kMicrosecond);

}  // namespace

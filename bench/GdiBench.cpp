// Fills, copies, blends and stretches of a window-sized surface, each beside
// pixman doing the same job. Compare ratios within one run (tools/bench pins
// the run to one core).
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <vector>

#include "platform/Gdi.h"
#include "platform/Msimg32.h"
#include "bench/BenchSurface.h"

namespace {

pixman_image_t* Wrap(TSurface& s, int w = Width, int h = Height) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, reinterpret_cast<uint32_t*>(s.Bits), w * 4);
}

void FillRectGdi(benchmark::State& state) {
  TSurface s;
  HBRUSH brush = CreateSolidBrush(RGB(240, 240, 240));
  const RECT r{0, 0, Width, Height};
  for (auto _ : state) FillRect(s.DC, &r, brush);
  DeleteObject(brush);
}
BENCHMARK(FillRectGdi);

void FillRectPixman(benchmark::State& state) {
  TSurface s;
  pixman_image_t* image = Wrap(s);
  const pixman_color_t colour{0xF0F0, 0xF0F0, 0xF0F0, 0};
  const pixman_rectangle16_t r{0, 0, Width, Height};
  for (auto _ : state) pixman_image_fill_rectangles(PIXMAN_OP_SRC, image, &colour, 1, &r);
  pixman_image_unref(image);
}
BENCHMARK(FillRectPixman);

void BitBltGdi(benchmark::State& state) {
  TSurface a, b;
  for (auto _ : state) BitBlt(b.DC, 0, 0, Width, Height, a.DC, 0, 0, SRCCOPY);
}
BENCHMARK(BitBltGdi);

// One surface composited onto another with op.
void CompositePixman(benchmark::State& state, pixman_op_t op) {
  TSurface a, b;
  pixman_image_t *src = Wrap(a), *dst = Wrap(b);
  for (auto _ : state) pixman_image_composite32(op, src, nullptr, dst, 0, 0, 0, 0, 0, 0, Width, Height);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

void BitBltPixman(benchmark::State& state) { CompositePixman(state, PIXMAN_OP_SRC); }
BENCHMARK(BitBltPixman);

void AlphaBlendGdi(benchmark::State& state) {
  TSurface a, b;
  BLENDFUNCTION bf;
  bf.AlphaFormat = AC_SRC_ALPHA;
  for (auto _ : state) AlphaBlend(b.DC, 0, 0, Width, Height, a.DC, 0, 0, Width, Height, bf);
}
BENCHMARK(AlphaBlendGdi);

void AlphaBlendPixman(benchmark::State& state) { CompositePixman(state, PIXMAN_OP_OVER); }
BENCHMARK(AlphaBlendPixman);

void StretchBltGdi(benchmark::State& state) {
  TSurface small(Width / 2, Height / 2), big;
  for (auto _ : state) StretchBlt(big.DC, 0, 0, Width, Height, small.DC, 0, 0, Width / 2, Height / 2, SRCCOPY);
}
BENCHMARK(StretchBltGdi);

void StretchBltPixman(benchmark::State& state) {
  TSurface small(Width / 2, Height / 2), big;
  pixman_image_t *src = Wrap(small, Width / 2, Height / 2), *dst = Wrap(big);
  pixman_transform_t scale;
  pixman_transform_init_scale(&scale, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
  pixman_image_set_transform(src, &scale);
  pixman_image_set_filter(src, PIXMAN_FILTER_NEAREST, nullptr, 0);
  for (auto _ : state) pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, Width, Height);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}
BENCHMARK(StretchBltPixman);

}  // namespace

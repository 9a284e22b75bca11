// Resampling, blending, gradients and the compressed bitmap stream of the
// graphics units, with pixman doing the same job beside them where it has
// one. Compare ratios within one run (tools/bench pins the run to one core).
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "bench/BenchSurface.h"
#include "graphics/dxGDIPlusClasses.h"
#include "host/HostUnits.h"
#include "host/Streams.h"
#include "platform/Units.h"
#include "tests/graphics/GraphicsUnitRestart.h"

namespace {

// A 32-bit bitmap of the framework holding the benchmark surface's noise.
TcxBitmapPtr NoisyBitmap(int w, int h) {
  TcxBitmapPtr bitmap = cxCreateBitmap(w, h, pf32bit);
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<DWORD*>(bitmap->GetScanLine(y));
    for (int x = 0; x < w; ++x) row[x] = 0x80000000u | static_cast<DWORD>((y * w + x) * 2654435761u >> 8);
  }
  return bitmap;
}

pixman_image_t* Wrap(TSurface& s, int w, int h) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, reinterpret_cast<uint32_t*>(s.Bits), w * 4);
}

void Lanczos(benchmark::State& state, int w, int h) {
  TcxBitmapPtr source = NoisyBitmap(Width, Height), dest = cxCreateBitmap(w, h, pf32bit);
  for (auto _ : state) cxSmoothResizeBitmap(source.get(), dest.get(), true);
}

// pixman's separable convolution with a Lanczos-3 kernel, pixels clamped at
// the edges.
void LanczosPixman(benchmark::State& state, int w, int h) {
  TSurface source, dest(w, h);
  pixman_image_t *src = Wrap(source, Width, Height), *dst = Wrap(dest, w, h);
  const double sx = static_cast<double>(Width) / w, sy = static_cast<double>(Height) / h;
  pixman_transform_t scale;
  pixman_transform_init_scale(&scale, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy));
  pixman_image_set_transform(src, &scale);
  pixman_image_set_repeat(src, PIXMAN_REPEAT_PAD);
  int n = 0;
  pixman_fixed_t* params = pixman_filter_create_separable_convolution(
      &n, pixman_double_to_fixed(std::max(sx, 1.0)), pixman_double_to_fixed(std::max(sy, 1.0)), PIXMAN_KERNEL_IMPULSE,
      PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_LANCZOS3, PIXMAN_KERNEL_LANCZOS3, 4, 4);
  pixman_image_set_filter(src, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n);
  std::free(params);
  for (auto _ : state) pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, w, h);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

BENCHMARK_CAPTURE(Lanczos, Shrink, Width / 2, Height / 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LanczosPixman, Shrink, Width / 2, Height / 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Lanczos, Enlarge, Width * 2, Height * 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LanczosPixman, Enlarge, Width * 2, Height * 2)->Unit(benchmark::kMillisecond);

constexpr int BlendSize = 256;

// 256 x 256 at constant alpha 128, through the system's AlphaBlend or,
// without it, the composite path.
void CommonAlphaBlend(benchmark::State& state, bool ASystem) {
  std::optional<TGraphicsUnitWithout> software;
  if (!ASystem) software.emplace("AlphaBlend");
  TcxBitmapPtr source = NoisyBitmap(BlendSize, BlendSize), dest = NoisyBitmap(BlendSize, BlendSize);
  HDC s = source->GetCanvas()->GetHandle(), d = dest->GetCanvas()->GetHandle();
  const TRect r{0, 0, BlendSize, BlendSize};
  for (auto _ : state) CommonAlphaBlend(d, s, r, r, false, 128);
}
BENCHMARK_CAPTURE(CommonAlphaBlend, System, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CommonAlphaBlend, Software, false)->Unit(benchmark::kMicrosecond);

void AlphaBlendPixman(benchmark::State& state) {
  TSurface source(BlendSize, BlendSize), dest(BlendSize, BlendSize);
  pixman_image_t *src = Wrap(source, BlendSize, BlendSize), *dst = Wrap(dest, BlendSize, BlendSize);
  const pixman_color_t half{0, 0, 0, 0x8080};
  pixman_image_t* mask = pixman_image_create_solid_fill(&half);
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, BlendSize, BlendSize);
  pixman_image_unref(mask);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}
BENCHMARK(AlphaBlendPixman)->Unit(benchmark::kMicrosecond);

// Across the window-sized surface, through GradientFill or in bands.
void FillGradientRect(benchmark::State& state, bool ASystem) {
  std::optional<TGraphicsUnitWithout> bands;
  if (!ASystem) bands.emplace("GradientFill");
  TSurface s;
  for (auto _ : state) FillGradientRect(s.DC, {0, 0, Width, Height}, RGB(10, 20, 30), RGB(240, 200, 100), true);
}
BENCHMARK_CAPTURE(FillGradientRect, System, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FillGradientRect, Bands, false)->Unit(benchmark::kMicrosecond);

void FillGradientPixman(benchmark::State& state) {
  TSurface s;
  pixman_image_t* dst = Wrap(s, Width, Height);
  const pixman_point_fixed_t from{0, 0}, to{pixman_int_to_fixed(Width), 0};
  const pixman_gradient_stop_t stops[2] = {{0, {0x0A0A, 0x1414, 0x1E1E, 0xFFFF}},
                                           {pixman_fixed_1, {0xF0F0, 0xC8C8, 0x6464, 0xFFFF}}};
  pixman_image_t* gradient = pixman_image_create_linear_gradient(&from, &to, stops, 2);
  for (auto _ : state) pixman_image_composite32(PIXMAN_OP_SRC, gradient, nullptr, dst, 0, 0, 0, 0, 0, 0, Width, Height);
  pixman_image_unref(gradient);
  pixman_image_unref(dst);
}
BENCHMARK(FillGradientPixman)->Unit(benchmark::kMicrosecond);

// What the framework writes for a window-sized 32-bit picture: a vertical
// gradient with a noisy patch, as a control's image might be.
std::vector<Byte> PictureData() {
  TcxBitmapPtr bitmap = cxCreateBitmap(Width, Height, pf32bit);
  HDC dc = bitmap->GetCanvas()->GetHandle();
  FillGradientRect(dc, {0, 0, Width, Height}, RGB(250, 250, 250), RGB(200, 210, 230), false);
  TcxBitmapPtr noise = NoisyBitmap(200, 100);
  cxDrawBitmap(dc, noise.get(), {100, 100, 300, 200}, cxNullPoint);
  TMemoryStream stream;
  bitmap->WriteData(&stream);
  const auto* bytes = static_cast<const Byte*>(stream.GetMemory());
  return std::vector<Byte>(bytes, bytes + stream.GetSize());
}

void XdbmWrite(benchmark::State& state) {
  const std::vector<Byte> data = PictureData();
  TMemoryStream stream;
  for (auto _ : state) {
    stream.SetPosition(0);
    cxWriteCompressedBitmapData(&stream, data.data(), static_cast<Int64>(data.size()), 32);
  }
  state.counters["ratio"] = static_cast<double>(stream.GetSize()) / static_cast<double>(data.size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.size()));
}
BENCHMARK(XdbmWrite)->Unit(benchmark::kMicrosecond);

void XdbmRead(benchmark::State& state) {
  const std::vector<Byte> data = PictureData();
  TMemoryStream stream;
  cxWriteCompressedBitmapData(&stream, data.data(), static_cast<Int64>(data.size()), 32);
  std::vector<Byte> back;
  for (auto _ : state) {
    stream.SetPosition(0);
    cxReadCompressedBitmapData(&stream, back);
  }
  if (back != data) state.SkipWithError("the data did not read back");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.size()));
}
BENCHMARK(XdbmRead)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterHostUnits();
  RegisterCoreUnit();
  RegisterGraphicsUnit();
  RegisterGDIPlusAPIUnit();
  RegisterGDIPlusClassesUnit();
  TUnitsScope units;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

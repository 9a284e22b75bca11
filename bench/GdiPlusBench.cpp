// The image classes: an image stretched through the shared paint canvas (and
// the library's own call on a graphics made once beside it, for what the
// canvas costs), tiling over the window-sized surface, and decoding on first
// use (loading alone beside it). Part of graphics_bench, whose main starts
// the units. Compare ratios within one run (tools/bench pins the run to one
// core).
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/BenchSurface.h"
#include "graphics/dxGDIPlusClasses.h"

namespace {

// A PNG of that size with alpha, as the library's encoder writes it.
std::vector<Byte> Png(int ASize) {
  std::vector<DWORD> pixels(static_cast<size_t>(ASize) * ASize);
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = (i % 3 ? 0xFF000000u : 0x80000000u) | static_cast<DWORD>(i * 2654435761u >> 8 & 0xFFFFFF);
  Gdiplus::GpBitmap* bitmap = nullptr;
  Gdiplus::GdipCreateBitmapFromScan0(ASize, ASize, ASize * 4, Gdiplus::PixelFormat32bppARGB,
                                     reinterpret_cast<BYTE*>(pixels.data()), &bitmap);
  TMemoryIStream stream;
  Gdiplus::GdipSaveImageToStream(reinterpret_cast<Gdiplus::GpImage*>(bitmap), &stream, &Gdiplus::PngEncoderClsid,
                                 nullptr);
  Gdiplus::GdipDisposeImage(reinterpret_cast<Gdiplus::GpImage*>(bitmap));
  return std::vector<Byte>(stream.Bytes().begin(), stream.Bytes().end());
}

// The PNG of that size in a stream, at its start.
void PngStream(TMemoryStream& AStream, int ASize) {
  const std::vector<Byte> png = Png(ASize);
  AStream.WriteBuffer(png.data(), static_cast<Int64>(png.size()));
  AStream.SetPosition(0);
}

void LoadPng(TdxGPImage& AImage, int ASize) {
  TMemoryStream stream;
  PngStream(stream, ASize);
  AImage.LoadFromStream(&stream);
}

void GpDrawImageStretched(benchmark::State& state) {
  TdxSmartImage image;
  LoadPng(image, 32);
  image.GetHandle();
  TSurface surface(100, 20);
  for (auto _ : state) image.StretchDraw(surface.DC, cxRect(0, 0, 100, 20));
}
BENCHMARK(GpDrawImageStretched)->Unit(benchmark::kMicrosecond);

void GpDrawImageOnOneGraphics(benchmark::State& state) {
  TdxSmartImage image;
  LoadPng(image, 32);
  TSurface surface(100, 20);
  GpGraphics* graphics = nullptr;
  Gdiplus::GdipCreateFromHDC(surface.DC, &graphics);
  for (auto _ : state) dxGpDrawImage(graphics, cxRect(0, 0, 100, 20), image.GetClientRect(), 255, image.GetHandle());
  Gdiplus::GdipDeleteGraphics(graphics);
}
BENCHMARK(GpDrawImageOnOneGraphics)->Unit(benchmark::kMicrosecond);

void GpTilePartEx(benchmark::State& state) {
  TdxSmartImage tile;
  LoadPng(tile, 16);
  TSurface surface;
  GpGraphics* graphics = nullptr;
  Gdiplus::GdipCreateFromHDC(surface.DC, &graphics);
  const auto alpha = static_cast<Byte>(state.range(0));
  for (auto _ : state)
    dxGpTilePartEx(graphics, cxRect(0, 0, Width, Height), tile.GetClientRect(), alpha, tile.GetHandle());
  Gdiplus::GdipDeleteGraphics(graphics);
}
BENCHMARK(GpTilePartEx)->Arg(255)->Arg(200)->Unit(benchmark::kMicrosecond);

// Loading a 16 x 16 PNG, and with AFirstUse measuring it, which decodes it.
void PngLoad(benchmark::State& state, bool AFirstUse) {
  TMemoryStream stream;
  PngStream(stream, 16);
  TdxSmartImage image;
  for (auto _ : state) {
    stream.SetPosition(0);
    image.LoadFromStream(&stream);
    if (AFirstUse) benchmark::DoNotOptimize(image.GetWidth());
  }
}
BENCHMARK_CAPTURE(PngLoad, Only, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PngLoad, AndFirstUse, true)->Unit(benchmark::kMicrosecond);

}  // namespace

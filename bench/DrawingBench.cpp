// The image library's drawing beside cairo called directly for the same
// job on the same kind of pixels: a 32 x 32 image stretched to 100 x 20
// (bilinear), a 256 x 256 image at 1:1 with alpha 255 and 128, a 16 x 16
// texture over 790 x 478, a 790 x 478 linear gradient. The difference is
// the library's own work: looking up handles, the target and its clip, and
// setting up cairo for each call. Compare ratios within one run
// (tools/bench pins the run to one core).
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <vector>

#include "bench/BenchSurface.h"
#include "bench/ImageLibrary.h"
#include "platform/GdiPlusGraphics.h"

namespace {

using namespace Gdiplus;

// Premultiplied pixels with partial alpha and some variety.
std::vector<DWORD> Picture(int w, int h) {
  std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const DWORD a = x < w / 2 ? 255 : 96 + (y * 7) % 160;
      const DWORD r = (x * 255 / w) * a / 255, g = (y * 255 / h) * a / 255, b = ((x + y) & 0xFF) * a / 255;
      pixels[static_cast<size_t>(y) * w + x] = a << 24 | r << 16 | g << 8 | b;
    }
  return pixels;
}

const TImageLibrary Library;

// A graphics on the window-sized surface, and an image over pixels.
struct TLibraryScene {
  TSurface Surface;
  GpGraphics* Graphics = nullptr;
  std::vector<DWORD> Pixels;
  GpBitmap* Image = nullptr;
  TLibraryScene(int side) : Pixels(Picture(side, side)) {
    GdipCreateFromHDC(Surface.DC, &Graphics);
    GdipCreateBitmapFromScan0(side, side, side * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(Pixels.data()),
                              &Image);
  }
  ~TLibraryScene() {
    GdipDisposeImage(reinterpret_cast<GpImage*>(Image));
    GdipDeleteGraphics(Graphics);
  }
  GpImage* AsImage() const { return reinterpret_cast<GpImage*>(Image); }
};

// cairo on the same kind of surface, with a surface over the image.
struct TCairoScene {
  TSurface Surface;
  cairo_surface_t* Target;
  cairo_t* Context;
  std::vector<DWORD> Pixels;
  cairo_surface_t* Image;
  TCairoScene(int side)
      : Target(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(Surface.Bits), CAIRO_FORMAT_ARGB32,
                                                   Width, Height, Width * 4)),
        Context(cairo_create(Target)),
        Pixels(Picture(side, side)),
        Image(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(Pixels.data()), CAIRO_FORMAT_ARGB32,
                                                  side, side, side * 4)) {
    cairo_set_antialias(Context, CAIRO_ANTIALIAS_NONE);
  }
  ~TCairoScene() {
    cairo_surface_destroy(Image);
    cairo_destroy(Context);
    cairo_surface_destroy(Target);
  }
  // The image's pixels (sx, sy, sw, sh) onto (dx, dy, dw, dh).
  void DrawImage(double dx, double dy, double dw, double dh, double sw, double sh, cairo_filter_t filter,
                 double alpha) {
    cairo_save(Context);
    cairo_rectangle(Context, dx, dy, dw, dh);
    cairo_clip(Context);
    cairo_translate(Context, dx, dy);
    cairo_scale(Context, dw / sw, dh / sh);
    cairo_set_source_surface(Context, Image, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(Context), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(Context), filter);
    cairo_paint_with_alpha(Context, alpha);
    cairo_restore(Context);
  }
};

void StretchLibrary(benchmark::State& state) {
  TLibraryScene scene(32);
  GdipSetInterpolationMode(scene.Graphics, InterpolationModeBilinear);
  for (auto _ : state)
    GdipDrawImageRectRectI(scene.Graphics, scene.AsImage(), 10, 10, 100, 20, 0, 0, 32, 32, UnitPixel, nullptr, nullptr,
                           nullptr);
}
BENCHMARK(StretchLibrary);

void StretchCairo(benchmark::State& state) {
  TCairoScene scene(32);
  for (auto _ : state) scene.DrawImage(10, 10, 100, 20, 32, 32, CAIRO_FILTER_BILINEAR, 1);
}
BENCHMARK(StretchCairo);

void OneToOneLibrary(benchmark::State& state) {
  TLibraryScene scene(256);
  GpImageAttributes* attributes = nullptr;
  const BYTE alpha = static_cast<BYTE>(state.range(0));
  if (alpha != 255) {
    GdipCreateImageAttributes(&attributes);
    ColorMatrix m;
    for (int i = 0; i < 5; ++i) m.m[i][i] = 1;
    m.m[3][3] = alpha / 255.0f;
    GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeBitmap, TRUE, &m, nullptr, ColorMatrixFlagsDefault);
  }
  for (auto _ : state)
    GdipDrawImageRectRectI(scene.Graphics, scene.AsImage(), 20, 20, 256, 256, 0, 0, 256, 256, UnitPixel, attributes,
                           nullptr, nullptr);
  if (attributes) GdipDisposeImageAttributes(attributes);
}
BENCHMARK(OneToOneLibrary)->Arg(255)->Arg(128);

void OneToOneCairo(benchmark::State& state) {
  TCairoScene scene(256);
  const double alpha = static_cast<double>(state.range(0)) / 255;
  for (auto _ : state) scene.DrawImage(20, 20, 256, 256, 256, 256, CAIRO_FILTER_BILINEAR, alpha);
}
BENCHMARK(OneToOneCairo)->Arg(255)->Arg(128);

void TextureLibrary(benchmark::State& state) {
  TLibraryScene scene(16);
  GpTexture* texture = nullptr;
  GdipCreateTexture2I(scene.AsImage(), WrapModeTile, 0, 0, 16, 16, &texture);
  for (auto _ : state) GdipFillRectangleI(scene.Graphics, reinterpret_cast<GpBrush*>(texture), 0, 0, Width, Height);
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(texture));
}
BENCHMARK(TextureLibrary);

void TextureCairo(benchmark::State& state) {
  TCairoScene scene(16);
  for (auto _ : state) {
    cairo_save(scene.Context);
    cairo_set_source_surface(scene.Context, scene.Image, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(scene.Context), CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(cairo_get_source(scene.Context), CAIRO_FILTER_BILINEAR);
    cairo_rectangle(scene.Context, 0, 0, Width, Height);
    cairo_fill(scene.Context);
    cairo_restore(scene.Context);
  }
}
BENCHMARK(TextureCairo);

void GradientLibrary(benchmark::State& state) {
  TLibraryScene scene(1);
  GpLineGradient* gradient = nullptr;
  const GpRect r{-1, -1, Width + 2, Height + 2};
  GdipCreateLineBrushFromRectI(&r, 0xFF204060, 0xFFF0E0D0, LinearGradientModeVertical, WrapModeTile, &gradient);
  for (auto _ : state) GdipFillRectangleI(scene.Graphics, reinterpret_cast<GpBrush*>(gradient), 0, 0, Width, Height);
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(gradient));
}
BENCHMARK(GradientLibrary);

void GradientCairo(benchmark::State& state) {
  TCairoScene scene(1);
  for (auto _ : state) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, -1, 0, Height + 1);
    cairo_pattern_add_color_stop_rgba(gradient, 0, 0x20 / 255.0, 0x40 / 255.0, 0x60 / 255.0, 1);
    cairo_pattern_add_color_stop_rgba(gradient, 1, 0xF0 / 255.0, 0xE0 / 255.0, 0xD0 / 255.0, 1);
    cairo_pattern_set_extend(gradient, CAIRO_EXTEND_REPEAT);
    cairo_set_source(scene.Context, gradient);
    cairo_rectangle(scene.Context, 0, 0, Width, Height);
    cairo_fill(scene.Context);
    cairo_pattern_destroy(gradient);
  }
}
BENCHMARK(GradientCairo);

}  // namespace

// The image library's codecs beside libpng and libjpeg called directly on
// the same bytes: PNG decoding and encoding of 16 x 16 and 256 x 256 RGBA,
// JPEG decoding of 790 x 478. The difference is the library's own work:
// reading the stream, premultiplying, converting rows. Compare ratios within
// one run (tools/bench pins the run to one core).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/ImageLibrary.h"
#include "platform/GdiPlus.h"
// After the platform's headers: libjpeg defines TRUE and FALSE as macros.
#include <jpeglib.h>
#include <png.h>

namespace {

using namespace Gdiplus;
using TBytes = std::vector<BYTE>;

// Straight RGBA with smooth gradients, some noise and partial alpha.
TBytes Picture(int w, int h) {
  TBytes rgba(static_cast<size_t>(w) * h * 4);
  uint32_t seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245 + 12345;
      BYTE* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = static_cast<BYTE>(x * 255 / w);
      p[1] = static_cast<BYTE>(y * 255 / h);
      p[2] = static_cast<BYTE>((x + y + (seed >> 28)) & 0xFF);
      p[3] = static_cast<BYTE>(x < w / 2 ? 255 : 128 + y % 128);
    }
  return rgba;
}

void AppendBytes(png_structp png, png_bytep data, size_t n) {
  auto* out = static_cast<TBytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}
void NoFlush(png_structp) {}

// libpng directly: RGBA rows to a PNG in memory.
TBytes LibpngEncode(const TBytes& rgba, int w, int h) {
  TBytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendBytes, NoFlush);
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < h; ++y) png_write_row(png, &rgba[static_cast<size_t>(y) * w * 4]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

struct TMemorySource {
  const TBytes* Bytes;
  size_t Position;
};

void ReadBytes(png_structp png, png_bytep out, size_t n) {
  auto* s = static_cast<TMemorySource*>(png_get_io_ptr(png));
  std::memcpy(out, s->Bytes->data() + s->Position, n);
  s->Position += n;
}

// libpng directly: a PNG in memory to BGRA rows, as the library asks it.
void LibpngDecode(const TBytes& file, TBytes& pixels) {
  TMemorySource source{&file, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_read_fn(png, &source, ReadBytes);
  png_read_info(png, info);
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_read_update_info(png, info);
  const size_t w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  pixels.resize(w * h * 4);
  std::vector<png_bytep> rows(h);
  for (size_t y = 0; y < h; ++y) rows[y] = &pixels[y * w * 4];
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

// libjpeg directly.
TBytes LibjpegEncode(const TBytes& rgba, int w, int h) {
  jpeg_compress_struct c;
  jpeg_error_mgr e;
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = w;
  c.image_height = h;
  c.input_components = 4;
  c.in_color_space = JCS_EXT_RGBA;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 75, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<BYTE*>(&rgba[static_cast<size_t>(c.next_scanline) * w * 4]);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  TBytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

void LibjpegDecode(const TBytes& file, TBytes& pixels) {
  jpeg_decompress_struct d;
  jpeg_error_mgr e;
  d.err = jpeg_std_error(&e);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, file.data(), file.size());
  jpeg_read_header(&d, TRUE);
  d.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&d);
  pixels.resize(static_cast<size_t>(d.output_width) * d.output_height * 4);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = &pixels[static_cast<size_t>(d.output_scanline) * d.output_width * 4];
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
}

const TImageLibrary Library;

void DecodeThroughLibrary(benchmark::State& state, const TBytes& file) {
  for (auto _ : state) {
    TMemoryIStream stream(file);
    GpImage* image = nullptr;
    if (GdipLoadImageFromStream(&stream, &image) != Ok) state.SkipWithError("decoding failed");
    GdipDisposeImage(image);
  }
}

void PngDecodeLibrary(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  DecodeThroughLibrary(state, LibpngEncode(Picture(side, side), side, side));
}
BENCHMARK(PngDecodeLibrary)->Arg(16)->Arg(256);

void PngDecodeLibpng(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const TBytes file = LibpngEncode(Picture(side, side), side, side);
  TBytes pixels;
  for (auto _ : state) {
    LibpngDecode(file, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(PngDecodeLibpng)->Arg(16)->Arg(256);

void PngEncodeLibrary(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  TBytes rgba = Picture(side, side);
  // The same pixels as BGRA: the library's byte order.
  for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(side, side, side * 4, PixelFormat32bppARGB, rgba.data(), &bitmap);
  for (auto _ : state) {
    TMemoryIStream stream;
    if (GdipSaveImageToStream(reinterpret_cast<GpImage*>(bitmap), &stream, &PngEncoderClsid, nullptr) != Ok)
      state.SkipWithError("encoding failed");
  }
  GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
}
BENCHMARK(PngEncodeLibrary)->Arg(16)->Arg(256);

void PngEncodeLibpng(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const TBytes rgba = Picture(side, side);
  for (auto _ : state) benchmark::DoNotOptimize(LibpngEncode(rgba, side, side));
}
BENCHMARK(PngEncodeLibpng)->Arg(16)->Arg(256);

constexpr int JpegWidth = 790, JpegHeight = 478;

void JpegDecodeLibrary(benchmark::State& state) {
  DecodeThroughLibrary(state, LibjpegEncode(Picture(JpegWidth, JpegHeight), JpegWidth, JpegHeight));
}
BENCHMARK(JpegDecodeLibrary);

void JpegDecodeLibjpeg(benchmark::State& state) {
  const TBytes file = LibjpegEncode(Picture(JpegWidth, JpegHeight), JpegWidth, JpegHeight);
  TBytes pixels;
  for (auto _ : state) {
    LibjpegDecode(file, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(JpegDecodeLibjpeg);

}  // namespace

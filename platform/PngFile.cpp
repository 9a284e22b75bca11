#include "platform/PngFile.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/GdiObjects.h"

bool WritePngFile(const char* path, const TBitmapObject& pixels) {
  if (pixels.BitsPerPixel != 32 || pixels.Width <= 0 || pixels.Height <= 0) return false;
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool written = false;
  std::vector<png_byte> row(static_cast<size_t>(pixels.Width) * 3);
  if (info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.Width), static_cast<png_uint_32>(pixels.Height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (LONG y = 0; y < pixels.Height; ++y) {
      const BYTE* source = pixels.Row(y);
      for (LONG x = 0; x < pixels.Width; ++x) {
        row[static_cast<size_t>(x) * 3] = source[x * 4 + 2];
        row[static_cast<size_t>(x) * 3 + 1] = source[x * 4 + 1];
        row[static_cast<size_t>(x) * 3 + 2] = source[x * 4];
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, info ? &info : nullptr);
  return std::fclose(file) == 0 && written;
}

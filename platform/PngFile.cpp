#include "platform/PngFile.h"

#include <png.h>

#include <cstdio>
#include <functional>

#include "platform/GdiObjects.h"

namespace {

// Rows of 32-bit BGRA bytes, as RGB.
bool WriteRows(const char* path, int width, int height, const std::function<const BYTE*(int)>& rowAt) {
  if (width <= 0 || height <= 0) return false;
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool written = false;
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  if (info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
      const BYTE* source = rowAt(y);
      for (int x = 0; x < width; ++x) {
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

}  // namespace

bool WritePngFile(const char* path, const TBitmapObject& pixels) {
  if (pixels.BitsPerPixel != 32) return false;
  return WriteRows(path, pixels.Width, pixels.Height, [&](int y) { return pixels.Row(y); });
}

bool WritePngPixels(const char* path, int width, int height, const uint32_t* pixels) {
  return WriteRows(path, width, height, [&](int y) {
    return reinterpret_cast<const BYTE*>(pixels + static_cast<size_t>(y) * static_cast<size_t>(width));
  });
}

bool ReadPngPixels(const char* path, int& width, int& height, std::vector<uint32_t>& pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) return false;
  image.format = PNG_FORMAT_BGRA;
  std::vector<png_byte> buffer(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = static_cast<uint32_t>(buffer[i * 4]) | static_cast<uint32_t>(buffer[i * 4 + 1]) << 8 |
                static_cast<uint32_t>(buffer[i * 4 + 2]) << 16;
  return true;
}

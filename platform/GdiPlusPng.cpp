// PNG images for the image library, through libpng. libpng reports errors
// by a long jump: the functions that set the jump point hold nothing that
// needs destroying, and everything else lives in their callers.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "platform/GdiPlusCodecs.h"

namespace Gdiplus {

namespace {

struct TPngSource {
  const BYTE* Data;
  size_t Size;
  size_t Position;
};

void ReadFromSource(png_structp png, png_bytep out, size_t count) {
  auto* source = static_cast<TPngSource*>(png_get_io_ptr(png));
  if (source->Size - source->Position < count) png_error(png, "truncated");
  std::memcpy(out, source->Data + source->Position, count);
  source->Position += count;
}

void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

struct TPngDecoder {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  TPngSource Source;
  png_uint_32 Width = 0;
  png_uint_32 Height = 0;
  unsigned PixelBits = 0;  // as stored
  bool HasAlpha = false;
};

struct TPngDecoderGuard {
  TPngDecoder& Decoder;
  ~TPngDecoderGuard() { png_destroy_read_struct(&Decoder.Png, &Decoder.Info, nullptr); }
};

// Deflate makes at most 1032 bytes of one: a file cannot hold more samples
// than that, whatever its header declares.
constexpr uint64_t MaxInflation = 1032;

// The header, and transformations that turn every colour type and depth
// into 8-bit BGRA (alpha 255 without transparency), interlace undone.
bool ReadHeader(TPngDecoder& d) {
  if (setjmp(png_jmpbuf(d.Png))) return false;
  png_set_read_fn(d.Png, &d.Source, ReadFromSource);
  png_read_info(d.Png, d.Info);
  d.Width = png_get_image_width(d.Png, d.Info);
  d.Height = png_get_image_height(d.Png, d.Info);
  d.PixelBits = png_get_channels(d.Png, d.Info) * png_get_bit_depth(d.Png, d.Info);
  d.HasAlpha = (png_get_color_type(d.Png, d.Info) & PNG_COLOR_MASK_ALPHA) || png_get_valid(d.Png, d.Info, PNG_INFO_tRNS);
  png_set_expand(d.Png);
  png_set_scale_16(d.Png);
  png_set_gray_to_rgb(d.Png);
  png_set_bgr(d.Png);
  if (!d.HasAlpha) png_set_filler(d.Png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(d.Png);
  png_read_update_info(d.Png, d.Info);
  return png_get_rowbytes(d.Png, d.Info) == static_cast<size_t>(d.Width) * 4;
}

// The whole image, and the rest of the file up to its end chunk.
bool ReadRows(TPngDecoder& d, png_bytepp rows) {
  if (setjmp(png_jmpbuf(d.Png))) return false;
  png_read_image(d.Png, rows);
  png_read_end(d.Png, nullptr);
  return true;
}

struct TPngEncoder {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
};

struct TPngEncoderGuard {
  TPngEncoder& Encoder;
  ~TPngEncoderGuard() { png_destroy_write_struct(&Encoder.Png, &Encoder.Info); }
};

void WriteToVector(png_structp png, png_bytep data, size_t count) {
  auto* out = static_cast<std::vector<BYTE>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + count);
}

void Flush(png_structp) {}

bool WriteImage(TPngEncoder& e, std::vector<BYTE>* out, png_uint_32 width, png_uint_32 height, bool alpha,
                png_bytepp rows) {
  if (setjmp(png_jmpbuf(e.Png))) return false;
  png_set_write_fn(e.Png, out, WriteToVector, Flush);
  png_set_IHDR(e.Png, e.Info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_bgr(e.Png);
  png_write_info(e.Png, e.Info);
  png_write_image(e.Png, rows);
  png_write_end(e.Png, nullptr);
  return true;
}

}  // namespace

GpStatus DecodePng(const BYTE* data, size_t size, TDecodedImage& image) {
  TPngDecoder d;
  d.Source = {data, size, 0};
  d.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreWarning);
  if (!d.Png) return OutOfMemory;
  TPngDecoderGuard guard{d};
  d.Info = png_create_info_struct(d.Png);
  if (!d.Info) return OutOfMemory;
  if (!ReadHeader(d)) return InvalidParameter;
  if (!WithinImageLimits(d.Width, d.Height)) return OutOfMemory;
  if (uint64_t{d.Width} * d.Height * d.PixelBits / 8 > MaxInflation * size) return InvalidParameter;
  image.Width = static_cast<INT>(d.Width);
  image.Height = static_cast<INT>(d.Height);
  image.HasAlpha = d.HasAlpha;
  const size_t stride = static_cast<size_t>(image.Width) * 4;
  image.Pixels.resize(stride * static_cast<size_t>(image.Height));
  std::vector<png_bytep> rows(static_cast<size_t>(image.Height));
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = image.Pixels.data() + y * stride;
  if (!ReadRows(d, rows.data())) return InvalidParameter;
  if (image.HasAlpha) PremultiplyPixels(image.Pixels.data(), image.Pixels.size() / 4);
  return Ok;
}

GpStatus EncodePng(const GpBitmap& bitmap, std::vector<BYTE>& out) {
  const bool alpha = HasAlpha(bitmap.Format);
  std::vector<BYTE> pixels = PixelsAs(bitmap, alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB);
  const size_t stride = RowBytes(alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB, bitmap.Width);
  std::vector<png_bytep> rows(static_cast<size_t>(bitmap.Height));
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = pixels.data() + y * stride;
  TPngEncoder e;
  e.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreWarning);
  if (!e.Png) return OutOfMemory;
  TPngEncoderGuard guard{e};
  e.Info = png_create_info_struct(e.Png);
  if (!e.Info) return OutOfMemory;
  out.clear();
  if (!WriteImage(e, &out, static_cast<png_uint_32>(bitmap.Width), static_cast<png_uint_32>(bitmap.Height), alpha,
                  rows.data()))
    return GenericError;
  return Ok;
}

}  // namespace Gdiplus

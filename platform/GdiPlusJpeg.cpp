// JPEG images for the image library, through libjpeg. libjpeg reports
// errors through a handler that must not return: it jumps back to the
// functions below that set the jump point, which hold nothing that needs
// destroying; everything else lives in their callers.
// The platform's own headers first: libjpeg defines TRUE and FALSE as
// macros, which must not reach the platform's constants of those names.
#include "platform/GdiPlusCodecs.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

namespace Gdiplus {

namespace {

// Progressive files may have any number of scans, each a pass over the
// whole image; real ones have a dozen or so.
constexpr int MaxScans = 500;
// What libjpeg may hold at once: progressive files keep every coefficient
// of the image (2 bytes a sample) until their last scan.
constexpr long MaxDecoderMemory = 256L << 20;

struct TJpegErrors {
  jpeg_error_mgr Manager;
  jmp_buf Jump;
};

[[noreturn]] void Fail(j_common_ptr info) { std::longjmp(reinterpret_cast<TJpegErrors*>(info->err)->Jump, 1); }

// Warnings about the image data itself (it ends early, breaks off at a
// marker or cannot be decoded) fail the image: libjpeg would fill the rest
// with grey, and a few bytes could claim an image of any size. Warnings
// about extras (unknown versions, stray bytes between segments) do not.
void Warn(j_common_ptr info, int level) {
  if (level >= 0) return;  // trace messages
  switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_NOT_SEQUENTIAL: Fail(info);
    default: break;
  }
}

void Silent(j_common_ptr) {}

void LimitScans(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans) Fail(info);
}

void UseErrors(TJpegErrors& errors, jpeg_common_struct& info) {
  info.err = jpeg_std_error(&errors.Manager);
  errors.Manager.error_exit = Fail;
  errors.Manager.emit_message = Warn;
  errors.Manager.output_message = Silent;
}

struct TJpegDecoder {
  jpeg_decompress_struct Info;
  TJpegErrors Errors;
  jpeg_progress_mgr Progress;
  bool Created = false;
  bool Cmyk = false;
};

struct TJpegDecoderGuard {
  TJpegDecoder& Decoder;
  ~TJpegDecoderGuard() {
    if (Decoder.Created) jpeg_destroy_decompress(&Decoder.Info);
  }
};

// The header; grey and colour images come out as BGRA, CMYK ones as CMYK.
bool ReadHeader(TJpegDecoder& d, const BYTE* data, size_t size) {
  UseErrors(d.Errors, *reinterpret_cast<jpeg_common_struct*>(&d.Info));
  if (setjmp(d.Errors.Jump)) return false;
  jpeg_create_decompress(&d.Info);
  d.Created = true;
  d.Info.mem->max_memory_to_use = MaxDecoderMemory;
  d.Progress.progress_monitor = LimitScans;
  d.Info.progress = &d.Progress;
  jpeg_mem_src(&d.Info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&d.Info, TRUE);
  switch (d.Info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr: d.Info.out_color_space = JCS_EXT_BGRA; break;
    case JCS_CMYK:
    case JCS_YCCK:
      d.Info.out_color_space = JCS_CMYK;
      d.Cmyk = true;
      break;
    default: return false;
  }
  return true;
}

// A progressive file is read whole here, before any pixel is made.
bool Start(TJpegDecoder& d) {
  if (setjmp(d.Errors.Jump)) return false;
  jpeg_start_decompress(&d.Info);
  return d.Info.output_components == 4;
}

bool ReadRows(TJpegDecoder& d, BYTE* pixels) {
  if (setjmp(d.Errors.Jump)) return false;
  const size_t stride = static_cast<size_t>(d.Info.output_width) * 4;
  while (d.Info.output_scanline < d.Info.output_height) {
    JSAMPROW row = pixels + d.Info.output_scanline * stride;
    jpeg_read_scanlines(&d.Info, &row, 1);
  }
  jpeg_finish_decompress(&d.Info);
  return true;
}

// CMYK as ink amounts over white; files with the Adobe marker store them
// inverted, as most writers do.
void CmykToBgra(BYTE* pixels, size_t count, bool inverted) {
  for (size_t i = 0; i < count; ++i) {
    BYTE* p = pixels + i * 4;
    // What is left of white under each ink.
    DWORD c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    p[0] = static_cast<BYTE>((y * k + 127) / 255);
    p[1] = static_cast<BYTE>((m * k + 127) / 255);
    p[2] = static_cast<BYTE>((c * k + 127) / 255);
    p[3] = 0xFF;
  }
}

struct TJpegEncoder {
  jpeg_compress_struct Info;
  TJpegErrors Errors;
  bool Created = false;
  unsigned char* Buffer = nullptr;
  unsigned long Size = 0;
};

struct TJpegEncoderGuard {
  TJpegEncoder& Encoder;
  ~TJpegEncoderGuard() {
    if (Encoder.Created) jpeg_destroy_compress(&Encoder.Info);
    std::free(Encoder.Buffer);
  }
};

bool WriteImage(TJpegEncoder& e, BYTE* pixels, JDIMENSION width, JDIMENSION height) {
  UseErrors(e.Errors, *reinterpret_cast<jpeg_common_struct*>(&e.Info));
  if (setjmp(e.Errors.Jump)) return false;
  jpeg_create_compress(&e.Info);
  e.Created = true;
  jpeg_mem_dest(&e.Info, &e.Buffer, &e.Size);
  e.Info.image_width = width;
  e.Info.image_height = height;
  e.Info.input_components = 3;
  e.Info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&e.Info);
  jpeg_set_quality(&e.Info, DefaultJpegQuality, TRUE);
  jpeg_start_compress(&e.Info, TRUE);
  const size_t stride = static_cast<size_t>(width) * 3;
  while (e.Info.next_scanline < height) {
    JSAMPROW row = pixels + e.Info.next_scanline * stride;
    jpeg_write_scanlines(&e.Info, &row, 1);
  }
  jpeg_finish_compress(&e.Info);
  return true;
}

}  // namespace

GpStatus DecodeJpeg(const BYTE* data, size_t size, TDecodedImage& image) {
  TJpegDecoder d;
  TJpegDecoderGuard guard{d};
  if (!ReadHeader(d, data, size)) return InvalidParameter;
  if (!WithinImageLimits(d.Info.image_width, d.Info.image_height)) return OutOfMemory;
  if (!Start(d)) return InvalidParameter;
  image.Width = static_cast<INT>(d.Info.image_width);
  image.Height = static_cast<INT>(d.Info.image_height);
  image.Pixels.resize(static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height) * 4);
  if (!ReadRows(d, image.Pixels.data())) return InvalidParameter;
  if (d.Cmyk) CmykToBgra(image.Pixels.data(), image.Pixels.size() / 4, d.Info.saw_Adobe_marker);
  return Ok;
}

GpStatus EncodeJpeg(const GpBitmap& bitmap, std::vector<BYTE>& out) {
  std::vector<BYTE> pixels = PixelsAs(bitmap, PixelFormat24bppRGB);
  TJpegEncoder e;
  TJpegEncoderGuard guard{e};
  if (!WriteImage(e, pixels.data(), static_cast<JDIMENSION>(bitmap.Width), static_cast<JDIMENSION>(bitmap.Height)))
    return GenericError;
  out.assign(e.Buffer, e.Buffer + e.Size);
  return Ok;
}

}  // namespace Gdiplus

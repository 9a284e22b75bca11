// Drawing images: a source rectangle mapped onto a destination rectangle,
// through the colour matrix of the image attributes.
#include <algorithm>
#include <cmath>

#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

// Whether the matrix is the identity but for the alpha scale, which it
// gives (0 to 1).
bool AlphaScaleOnly(const ColorMatrix& m, double& scale) {
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 5; ++j)
      if (!(i == 3 && j == 3) && m.m[i][j] != (i == j ? 1.0f : 0.0f)) return false;
  scale = m.m[3][3];
  return scale >= 0 && scale <= 1;
}

BYTE Byte(double v) { return static_cast<BYTE>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

// Straight colours through the matrix, clamped, premultiplied again.
void ApplyColorMatrix(const ColorMatrix& m, DWORD* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const DWORD p = pixels[i], a = p >> 24;
    const auto straight = [&](int shift) { return a ? std::min(1.0, ((p >> shift) & 0xFF) / static_cast<double>(a)) : 0.0; };
    const double in[5] = {straight(16), straight(8), straight(0), a / 255.0, 1};
    double out[4];
    for (int j = 0; j < 4; ++j) {
      out[j] = 0;
      for (int k = 0; k < 5; ++k) out[j] += in[k] * m.m[k][j];
    }
    const DWORD alpha = Byte(out[3]);
    const auto premultiplied = [alpha](double c) { return (Byte(c) * alpha + 127) / 255; };
    pixels[i] = alpha << 24 | premultiplied(out[0]) << 16 | premultiplied(out[1]) << 8 | premultiplied(out[2]);
  }
}

// The source pixels as a surface: the image's own rows when cairo reads
// their format, else a premultiplied copy (through the colour matrix when
// there is one).
class TSource {
 public:
  TSource(const GpBitmap& b, INT x, INT y, INT width, INT height, const ColorMatrix* matrix) {
    if (!matrix && (b.Format == PixelFormat32bppPARGB || b.Format == PixelFormat32bppRGB)) {
      FSurface = WrapPixels(b.Row(y) + static_cast<ptrdiff_t>(x) * 4, width, height, b.Stride,
                            b.Format == PixelFormat32bppRGB);
      return;
    }
    FCopy.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    ReadPremultiplied(b, x, y, width, height, FCopy.data());
    if (matrix) ApplyColorMatrix(*matrix, FCopy.data(), FCopy.size());
    FSurface = WrapPixels(FCopy.data(), width, height, width * 4);
  }
  ~TSource() { cairo_surface_destroy(FSurface); }
  TSource(const TSource&) = delete;
  TSource& operator=(const TSource&) = delete;
  cairo_surface_t* Surface() const { return FSurface; }

 private:
  std::vector<DWORD> FCopy;
  cairo_surface_t* FSurface = nullptr;
};

struct TRectD {
  double X, Y, Width, Height;
};

// The source's pixels over the destination rectangle.
class TImageDrawing : public TDrawing {
 public:
  TImageDrawing(cairo_surface_t* source, const cairo_matrix_t& toSource, cairo_filter_t filter, TRectD destination,
                double alpha)
      : FSource(source), FToSource(toSource), FFilter(filter), FDestination(destination), FAlpha(alpha) {}
  void Trace(cairo_t* cr) const override {
    cairo_new_path(cr);
    cairo_rectangle(cr, FDestination.X, FDestination.Y, FDestination.Width, FDestination.Height);
  }
  void UseSource(cairo_t* cr) const override {
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(FSource);
    cairo_pattern_set_matrix(pattern, &FToSource);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, FFilter);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
  }
  double Alpha() const override { return FAlpha; }
  bool AlignedPixels(const cairo_matrix_t& device, pixman_box32_t& box) const override {
    return AlignedRectPixels(device, FDestination.X, FDestination.Y, FDestination.X + FDestination.Width,
                             FDestination.Y + FDestination.Height, box);
  }

 private:
  cairo_surface_t* FSource;
  cairo_matrix_t FToSource;
  cairo_filter_t FFilter;
  TRectD FDestination;
  double FAlpha;
};

GpStatus DrawImage(GpGraphics* graphics, GpImage* image, TRectD dst, TRectD src, GpUnit srcUnit,
                   const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData) {
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  const GpBitmap* b = LookupObject<GpBitmap>(image);
  const GpImageAttributes* attributes = LookupObject<GpImageAttributes>(imageAttributes);
  if (!b || (imageAttributes && !attributes)) return InvalidParameter;
  if (srcUnit != UnitPixel) return srcUnit >= UnitWorld && srcUnit <= UnitMillimeter ? NotImplemented : InvalidParameter;
  for (const double v : {dst.X, dst.Y, dst.Width, dst.Height, src.X, src.Y, src.Width, src.Height})
    if (!std::isfinite(v)) return InvalidParameter;
  if (callback && callback(callbackData)) return Aborted;
  if (dst.Width == 0 || dst.Height == 0 || src.Width == 0 || src.Height == 0) return Ok;

  // The source cut to the image; x on the source goes to
  // dst.X + (x - src.X) * kx on the destination (mirrored when negative).
  const double kx = dst.Width / src.Width, ky = dst.Height / src.Height;
  const double sx0 = std::max(std::min(src.X, src.X + src.Width), 0.0);
  const double sx1 = std::min(std::max(src.X, src.X + src.Width), static_cast<double>(b->Width));
  const double sy0 = std::max(std::min(src.Y, src.Y + src.Height), 0.0);
  const double sy1 = std::min(std::max(src.Y, src.Y + src.Height), static_cast<double>(b->Height));
  if (sx0 >= sx1 || sy0 >= sy1) return Ok;
  const double dx0 = dst.X + (sx0 - src.X) * kx, dx1 = dst.X + (sx1 - src.X) * kx;
  const double dy0 = dst.Y + (sy0 - src.Y) * ky, dy1 = dst.Y + (sy1 - src.Y) * ky;
  // Whole source pixels around it: the samples' edges.
  const INT ix = static_cast<INT>(std::floor(sx0)), iy = static_cast<INT>(std::floor(sy0));
  const INT iw = static_cast<INT>(std::ceil(sx1)) - ix, ih = static_cast<INT>(std::ceil(sy1)) - iy;
  if (iw > MaxRenderSide || ih > MaxRenderSide) return ValueOverflow;

  const ColorMatrix* matrix = attributes ? attributes->BitmapMatrix() : nullptr;
  double alpha = 1;
  if (matrix && AlphaScaleOnly(*matrix, alpha)) matrix = nullptr;
  const TSource source(*b, ix, iy, iw, ih, matrix);
  // Destination (user space) to the copied pixels.
  cairo_matrix_t toSource;
  cairo_matrix_init(&toSource, 1 / kx, 0, 0, 1 / ky, src.X - ix - dst.X / kx, src.Y - iy - dst.Y / ky);
  const TImageDrawing drawing(source.Surface(), toSource, FilterOf(g->State.Interpolation),
                              {std::min(dx0, dx1), std::min(dy0, dy1), std::abs(dx1 - dx0), std::abs(dy1 - dy0)},
                              alpha);
  return DrawOn(*g, drawing);
}

GpStatus DrawWholeImage(GpGraphics* graphics, GpImage* image, TRectD dst) {
  const GpBitmap* b = LookupObject<GpBitmap>(image);
  if (!b) return InvalidParameter;
  return DrawImage(graphics, image, dst, {0, 0, static_cast<double>(b->Width), static_cast<double>(b->Height)},
                   UnitPixel, nullptr, nullptr, nullptr);
}

}  // namespace

GpStatus GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty, REAL dstwidth,
                               REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit,
                               const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawImage(graphics, image, {dstx, dsty, dstwidth, dstheight}, {srcx, srcy, srcwidth, srcheight}, srcUnit,
                   imageAttributes, callback, callbackData);
}

GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstx, INT dsty, INT dstwidth, INT dstheight,
                                INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit,
                                const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawImage(graphics, image,
                   {static_cast<double>(dstx), static_cast<double>(dsty), static_cast<double>(dstwidth),
                    static_cast<double>(dstheight)},
                   {static_cast<double>(srcx), static_cast<double>(srcy), static_cast<double>(srcwidth),
                    static_cast<double>(srcheight)},
                   srcUnit, imageAttributes, callback, callbackData);
}

GpStatus GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawWholeImage(graphics, image, {x, y, width, height});
}

GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawWholeImage(graphics, image,
                        {static_cast<double>(x), static_cast<double>(y), static_cast<double>(width),
                         static_cast<double>(height)});
}

}  // namespace Gdiplus

// Brushes: solid colours, textures cut from images, linear gradients.
#include <algorithm>
#include <cmath>

#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

double Straight(ARGB color, int shift) { return ((color >> shift) & 0xFF) / 255.0; }

void AddStop(cairo_pattern_t* pattern, double offset, ARGB color) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, Straight(color, 16), Straight(color, 8), Straight(color, 0),
                                    Straight(color, 24));
}

// The part, premultiplied, with its mirror images beside and below it
// as the wrap mode flips.
GpStatus MakeTile(const GpBitmap& image, GpWrapMode wrap, const GpRect& part, GpTexture& texture) {
  const bool flipX = wrap == WrapModeTileFlipX || wrap == WrapModeTileFlipXY;
  const bool flipY = wrap == WrapModeTileFlipY || wrap == WrapModeTileFlipXY;
  const INT w = part.Width, h = part.Height;
  texture.Width = flipX ? 2 * w : w;
  texture.Height = flipY ? 2 * h : h;
  if (texture.Width > MaxRenderSide || texture.Height > MaxRenderSide) return ValueOverflow;
  texture.Clamp = wrap == WrapModeClamp;
  texture.Pixels.assign(static_cast<size_t>(texture.Width) * static_cast<size_t>(texture.Height), 0);
  std::vector<DWORD> rows(static_cast<size_t>(w) * static_cast<size_t>(h));
  ReadPremultiplied(image, part.X, part.Y, w, h, rows.data());
  for (INT y = 0; y < texture.Height; ++y) {
    const INT sy = y < h ? y : 2 * h - 1 - y;
    for (INT x = 0; x < texture.Width; ++x) {
      const INT sx = x < w ? x : 2 * w - 1 - x;
      texture.Pixels[static_cast<size_t>(y) * static_cast<size_t>(texture.Width) + static_cast<size_t>(x)] =
          rows[static_cast<size_t>(sy) * static_cast<size_t>(w) + static_cast<size_t>(sx)];
    }
  }
  return Ok;
}

GpStatus CreateLineBrush(const GpRectF& r, ARGB color1, ARGB color2, LinearGradientMode mode, GpWrapMode wrapMode,
                         GpLineGradient** lineGradient) {
  if (!lineGradient || mode < LinearGradientModeHorizontal || mode > LinearGradientModeBackwardDiagonal ||
      wrapMode < WrapModeTile || wrapMode > WrapModeTileFlipXY || !std::isfinite(r.X) || !std::isfinite(r.Y) ||
      !std::isfinite(r.Width) || !std::isfinite(r.Height) || r.Width <= 0 || r.Height <= 0)
    return InvalidParameter;
  auto brush = std::make_unique<GpLineGradient>();
  double x0 = r.X, y0 = r.Y, gx = 1 / r.Width, gy = 0;
  switch (mode) {
    case LinearGradientModeVertical: gx = 0, gy = 1 / r.Height; break;
    // Corner to corner: the position is the mean of the fractions across
    // and down, so the other two corners sit half-way whatever the shape.
    case LinearGradientModeForwardDiagonal: gx = 0.5 / r.Width, gy = 0.5 / r.Height; break;
    case LinearGradientModeBackwardDiagonal: x0 = r.X + static_cast<double>(r.Width), gx = -0.5 / r.Width, gy = 0.5 / r.Height; break;
    default: break;
  }
  // cairo measures along the vector from start to end: a gradient g of
  // the position is the vector g / |g|^2.
  const double norm = gx * gx + gy * gy;
  brush->Start = {static_cast<REAL>(x0), static_cast<REAL>(y0)};
  brush->End = {static_cast<REAL>(x0 + gx / norm), static_cast<REAL>(y0 + gy / norm)};
  brush->Stops = {{0.0f, color1}, {1.0f, color2}};
  brush->Mirror = wrapMode != WrapModeTile;
  *lineGradient = AddObject(std::move(brush));
  return Ok;
}

}  // namespace

cairo_surface_t* WrapPixels(const void* rows, INT width, INT height, INT stride, bool opaque) {
  return cairo_image_surface_create_for_data(static_cast<unsigned char*>(const_cast<void*>(rows)),
                                             opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height, stride);
}

void SetSourceColor(cairo_t* cr, ARGB color) {
  const DWORD a = color >> 24;
  if (a == 0) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
    return;
  }
  // cairo multiplies by alpha again and keeps 16 bits (p x 257), of which
  // pixman takes the top 8: p exactly.
  const auto channel = [a](DWORD c) { return static_cast<double>((c * a + 127) / 255) / static_cast<double>(a); };
  cairo_set_source_rgba(cr, channel((color >> 16) & 0xFF), channel((color >> 8) & 0xFF), channel(color & 0xFF),
                        a / 255.0);
}

std::unique_ptr<GpBrush> GpSolidFill::Clone() const { return std::make_unique<GpSolidFill>(*this); }

void GpSolidFill::Use(cairo_t* cr, cairo_filter_t) const { SetSourceColor(cr, Color); }

std::unique_ptr<GpBrush> GpTexture::Clone() const { return std::make_unique<GpTexture>(*this); }

void GpTexture::Use(cairo_t* cr, cairo_filter_t filter) const {
  cairo_surface_t* surface = WrapPixels(Pixels.data(), Width, Height, Width * 4);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
  cairo_surface_destroy(surface);
  cairo_pattern_set_extend(pattern, Clamp ? CAIRO_EXTEND_NONE : CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, filter);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

std::unique_ptr<GpBrush> GpLineGradient::Clone() const { return std::make_unique<GpLineGradient>(*this); }

void GpLineGradient::Use(cairo_t* cr, cairo_filter_t) const {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(Start.X, Start.Y, End.X, End.Y);
  for (const auto& [offset, color] : Stops) AddStop(pattern, offset, color);
  cairo_pattern_set_extend(pattern, Mirror ? CAIRO_EXTEND_REFLECT : CAIRO_EXTEND_REPEAT);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!brush) return InvalidParameter;
  auto fill = std::make_unique<GpSolidFill>();
  fill->Color = color;
  *brush = AddObject(std::move(fill));
  return Ok;
}

GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB color) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpSolidFill* fill = LookupObject<GpSolidFill>(brush);
  if (!fill) return InvalidParameter;
  fill->Color = color;
  return Ok;
}

GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpSolidFill* fill = LookupObject<GpSolidFill>(brush);
  if (!fill || !color) return InvalidParameter;
  *color = fill->Color;
  return Ok;
}

GpStatus GdipCreateTexture2I(GpImage* image, GpWrapMode wrapmode, INT x, INT y, INT width, INT height,
                             GpTexture** texture) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBitmap* b = LookupObject<GpBitmap>(image);
  if (!b || !texture || wrapmode < WrapModeTile || wrapmode > WrapModeClamp || x < 0 || y < 0 || width <= 0 ||
      height <= 0 || width > b->Width - x || height > b->Height - y)
    return InvalidParameter;
  auto brush = std::make_unique<GpTexture>();
  if (const GpStatus s = MakeTile(*b, wrapmode, {x, y, width, height}, *brush); s != Ok) return s;
  *texture = AddObject(std::move(brush));
  return Ok;
}

GpStatus GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                     GpWrapMode wrapMode, GpLineGradient** lineGradient) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!rect) return InvalidParameter;
  return CreateLineBrush(*rect, color1, color2, mode, wrapMode, lineGradient);
}

GpStatus GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                      GpWrapMode wrapMode, GpLineGradient** lineGradient) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!rect) return InvalidParameter;
  const GpRectF r{static_cast<REAL>(rect->X), static_cast<REAL>(rect->Y), static_cast<REAL>(rect->Width),
                  static_cast<REAL>(rect->Height)};
  return CreateLineBrush(r, color1, color2, mode, wrapMode, lineGradient);
}

GpStatus GdipSetLinePresetBlend(GpLineGradient* brush, const ARGB* blend, const REAL* positions, INT count) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpLineGradient* gradient = LookupObject<GpLineGradient>(brush);
  if (!gradient || !blend || !positions || count < 2 || positions[0] != 0 || positions[count - 1] != 1)
    return InvalidParameter;
  for (INT i = 1; i < count; ++i)
    if (!(positions[i] >= positions[i - 1])) return InvalidParameter;
  gradient->Stops.clear();
  for (INT i = 0; i < count; ++i) gradient->Stops.emplace_back(positions[i], blend[i]);
  return Ok;
}

GpStatus GdipCloneBrush(GpBrush* brush, GpBrush** cloneBrush) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBrush* b = LookupObject<GpBrush>(brush);
  if (!b || !cloneBrush) return InvalidParameter;
  *cloneBrush = AddObject(b->Clone());
  return Ok;
}

GpStatus GdipDeleteBrush(GpBrush* brush) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpBrush* b = LookupObject<GpBrush>(brush);
  if (!b) return InvalidParameter;
  RemoveObject(b);
  return Ok;
}

}  // namespace Gdiplus

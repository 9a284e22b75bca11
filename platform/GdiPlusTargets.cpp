// Where a graphics' drawings land: a DC's surface or an image, in place
// when its pixels are premultiplied 32-bit ones, else through a copy of the
// area a drawing touches.
#include <algorithm>
#include <cmath>

#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

struct TTarget {
  INT Width = 0;  // 0: no pixels
  INT Height = 0;
  BYTE* Rows = nullptr;  // premultiplied 32-bit rows, drawn in place
  INT Stride = 0;
  TBitmapObject* Dib = nullptr;  // otherwise a 24- or 1-bit surface...
  GpBitmap* Image = nullptr;     // ... or an image of another format
};

GpStatus FindTarget(const GpGraphics& g, TTarget& t) {
  if (g.Image) {
    GpBitmap& b = *g.Image;
    t.Width = b.Width;
    t.Height = b.Height;
    if (b.Format == PixelFormat32bppPARGB) {
      t.Rows = b.Scan0;
      t.Stride = b.Stride;
    } else {
      t.Image = &b;
    }
    return Ok;
  }
  TBitmapObject* surface =
      g.Window ? WindowDCSurface(g.Window) : GdiLookupAs<TBitmapObject>(g.Snapshot.Bitmap, OBJ_BITMAP);
  if (!surface) return g.Window || g.Snapshot.Bitmap ? Win32Error : Ok;
  t.Width = surface->Width;
  t.Height = surface->Height;
  if (surface->BitsPerPixel == 32) {
    t.Rows = surface->Row(0);
    t.Stride = surface->Height > 1 ? static_cast<INT>(surface->Row(1) - surface->Row(0)) : surface->Stride;
  } else {
    t.Dib = surface;
  }
  return Ok;
}

void ReadArea(const TTarget& t, const pixman_box32_t& a, DWORD* out) {
  const INT w = a.x2 - a.x1;
  if (t.Image) {
    ReadPremultiplied(*t.Image, a.x1, a.y1, w, a.y2 - a.y1, out);
    return;
  }
  for (INT y = a.y1; y < a.y2; ++y)
    for (INT x = a.x1; x < a.x2; ++x) *out++ = ReadPixel(*t.Dib, x, y) | 0xFF000000u;
}

void WriteArea(const TTarget& t, const pixman_box32_t& a, const DWORD* now, const DWORD* before) {
  const INT w = a.x2 - a.x1;
  if (t.Image) {
    WriteChanged(*t.Image, a.x1, a.y1, w, a.y2 - a.y1, now, before);
    return;
  }
  for (INT y = a.y1; y < a.y2; ++y)
    for (INT x = a.x1; x < a.x2; ++x, ++now, ++before)
      if (*now != *before) WritePixel(*t.Dib, x, y, *now);
}

// What a drawing does on a context over the target (its device space),
// within the clip.
using TPaint = void (*)(const void* context, cairo_t* cr, const pixman_region32_t& clip);

void ClipTo(cairo_t* cr, const pixman_region32_t& region) {
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(const_cast<pixman_region32_t*>(&region), &n);
  for (int i = 0; i < n; ++i)
    cairo_rectangle(cr, boxes[i].x1, boxes[i].y1, boxes[i].x2 - boxes[i].x1, boxes[i].y2 - boxes[i].y1);
  cairo_clip(cr);
}

// Paints on the surface, whose user space is the target's device space.
void Paint(cairo_surface_t* surface, const GpGraphics& g, const pixman_region32_t& clip, bool clipped, TPaint paint,
           const void* context) {
  cairo_t* cr = cairo_create(surface);
  if (clipped) ClipTo(cr, clip);
  const cairo_matrix_t m = g.DeviceMatrix();
  cairo_set_matrix(cr, &m);
  paint(context, cr, clip);
  cairo_destroy(cr);
}

// The whole pixels a drawing inks within the clip; false for none.
bool InkArea(const GpGraphics& g, const pixman_region32_t& clip, TPaint paint, const void* context,
             pixman_box32_t& area) {
  cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
  Paint(recording, g, clip, true, paint, context);
  double x = 0, y = 0, w = 0, h = 0;
  cairo_recording_surface_ink_extents(recording, &x, &y, &w, &h);
  cairo_surface_destroy(recording);
  const pixman_box32_t* bounds = pixman_region32_extents(const_cast<pixman_region32_t*>(&clip));
  area = {std::max(bounds->x1, ClampToInt(std::floor(x))), std::max(bounds->y1, ClampToInt(std::floor(y))),
          std::min(bounds->x2, ClampToInt(std::ceil(x + w))), std::min(bounds->y2, ClampToInt(std::ceil(y + h)))};
  return w > 0 && h > 0 && area.x1 < area.x2 && area.y1 < area.y2;
}

// Draws on the target in place, or through a copy of the area it inks.
GpStatus Run(GpGraphics& graphics, TPaint paint, const void* context) {
  TTarget t;
  if (const GpStatus s = FindTarget(graphics, t); s != Ok || t.Width == 0) return s;
  if (t.Width > MaxRenderSide || t.Height > MaxRenderSide) return ValueOverflow;
  TRegion clip;
  DrawableRegion(graphics, t.Width, t.Height, clip.R);
  if (!pixman_region32_not_empty(&clip.R)) return Ok;
  if (t.Rows) {
    const pixman_box32_t* box = pixman_region32_extents(&clip.R);
    const bool whole = pixman_region32_n_rects(&clip.R) == 1 && box->x1 == 0 && box->y1 == 0 &&
                       box->x2 == t.Width && box->y2 == t.Height;
    cairo_surface_t* surface = WrapPixels(t.Rows, t.Width, t.Height, t.Stride);
    Paint(surface, graphics, clip.R, !whole, paint, context);
    cairo_surface_destroy(surface);
    return Ok;
  }
  pixman_box32_t area;
  if (!InkArea(graphics, clip.R, paint, context, area)) return Ok;
  const INT w = area.x2 - area.x1, h = area.y2 - area.y1;
  std::vector<DWORD> now(static_cast<size_t>(w) * static_cast<size_t>(h));
  ReadArea(t, area, now.data());
  const std::vector<DWORD> before = now;
  cairo_surface_t* surface = WrapPixels(now.data(), w, h, w * 4);
  cairo_surface_set_device_offset(surface, -area.x1, -area.y1);
  Paint(surface, graphics, clip.R, true, paint, context);
  cairo_surface_destroy(surface);
  WriteArea(t, area, now.data(), before.data());
  return Ok;
}

bool Smoothed(SmoothingMode mode) { return mode == SmoothingModeHighQuality || mode == SmoothingModeAntiAlias; }

struct TRendering {
  const TDrawing& Drawing;
  bool Smooth;
};

void Render(const void* context, cairo_t* cr, const pixman_region32_t& clip) {
  const auto& [d, smooth] = *static_cast<const TRendering*>(context);
  if (smooth) {
    d.Trace(cr);
    d.UseSource(cr);
    if (d.Stroked()) {
      cairo_stroke(cr);
    } else if (d.Alpha() >= 1) {
      cairo_fill(cr);
    } else {
      cairo_clip(cr);
      cairo_paint_with_alpha(cr, d.Alpha());
    }
    return;
  }
  cairo_matrix_t device;
  cairo_get_matrix(cr, &device);
  TRegion pixels;
  ShapePixels(d, device, *pixman_region32_extents(const_cast<pixman_region32_t*>(&clip)), pixels.R);
  if (!pixman_region32_not_empty(&pixels.R)) return;
  cairo_identity_matrix(cr);
  ClipTo(cr, pixels.R);
  cairo_set_matrix(cr, &device);
  d.UseSource(cr);
  cairo_paint_with_alpha(cr, d.Alpha());
}

void Clear(const void* context, cairo_t* cr, const pixman_region32_t&) {
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetSourceColor(cr, *static_cast<const ARGB*>(context));
  cairo_paint(cr);
}

}  // namespace

cairo_filter_t FilterOf(InterpolationMode mode) {
  switch (mode) {
    case InterpolationModeNearestNeighbor: return CAIRO_FILTER_NEAREST;
    case InterpolationModeHighQuality:
    case InterpolationModeBicubic:
    case InterpolationModeHighQualityBilinear:
    case InterpolationModeHighQualityBicubic: return CAIRO_FILTER_BEST;
    default: return CAIRO_FILTER_BILINEAR;
  }
}

bool TargetSize(const GpGraphics& graphics, INT& width, INT& height, GpStatus& status) {
  TTarget t;
  status = FindTarget(graphics, t);
  width = t.Width;
  height = t.Height;
  return status == Ok && width > 0;
}

void DrawableRegion(const GpGraphics& graphics, INT width, INT height, pixman_region32_t& out) {
  pixman_region32_copy(&out, const_cast<pixman_region32_t*>(graphics.State.Clip.get()));
  if (graphics.DCClip) pixman_region32_intersect(&out, &out, const_cast<pixman_region32_t*>(graphics.DCClip.get()));
  if (width > 0)
    pixman_region32_intersect_rect(&out, &out, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

GpStatus DrawOn(GpGraphics& graphics, const TDrawing& drawing) {
  const TRendering rendering{drawing, Smoothed(graphics.State.Smoothing)};
  return Run(graphics, Render, &rendering);
}

GpStatus ClearOn(GpGraphics& graphics, ARGB color) { return Run(graphics, Clear, &color); }

void ReadPremultiplied(const GpBitmap& bitmap, INT x, INT y, INT width, INT height, DWORD* out) {
  for (INT row = 0; row < height; ++row)
    ConvertPixels(bitmap.Format, bitmap.Row(y + row) + RowBytes(bitmap.Format, x), PixelFormat32bppPARGB,
                  reinterpret_cast<BYTE*>(out + static_cast<ptrdiff_t>(row) * width), width);
}

void WriteChanged(GpBitmap& bitmap, INT x, INT y, INT width, INT height, const DWORD* now, const DWORD* before) {
  for (INT row = 0; row < height; ++row) {
    BYTE* line = bitmap.Row(y + row);
    for (INT column = 0; column < width; ++column, ++now, ++before)
      if (*now != *before)
        ConvertPixels(PixelFormat32bppPARGB, reinterpret_cast<const BYTE*>(now), bitmap.Format,
                      line + RowBytes(bitmap.Format, x + column), 1);
  }
}

}  // namespace Gdiplus

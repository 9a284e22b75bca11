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

// The whole device pixels around the shape's extents.
pixman_box32_t DeviceExtents(const TDrawing& drawing, const cairo_matrix_t& device) {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* measure = cairo_create(scratch);
  cairo_set_matrix(measure, &device);
  drawing.Trace(measure);
  double x[2], y[2];
  if (drawing.Stroked()) cairo_stroke_extents(measure, &x[0], &y[0], &x[1], &y[1]);
  else cairo_fill_extents(measure, &x[0], &y[0], &x[1], &y[1]);
  double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
  for (const double cx : x)
    for (const double cy : y) {
      double px = cx, py = cy;
      cairo_user_to_device(measure, &px, &py);
      left = std::min(left, px), right = std::max(right, px), top = std::min(top, py), bottom = std::max(bottom, py);
    }
  cairo_destroy(measure);
  cairo_surface_destroy(scratch);
  return {ClampToInt(std::floor(left)), ClampToInt(std::floor(top)), ClampToInt(std::ceil(right)),
          ClampToInt(std::ceil(bottom))};
}

// The pixels of the box that the smoothed shape covers at least half of.
void CoveredPixels(const TDrawing& drawing, const cairo_matrix_t& device, const pixman_box32_t& box,
                   pixman_region32_t& out) {
  const INT w = box.x2 - box.x1, h = box.y2 - box.y1;
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
  cairo_surface_set_device_offset(mask, -box.x1, -box.y1);
  cairo_t* cr = cairo_create(mask);
  cairo_set_matrix(cr, &device);
  drawing.Trace(cr);
  if (drawing.Stroked()) cairo_stroke(cr);
  else cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(mask);
  const unsigned char* bytes = cairo_image_surface_get_data(mask);
  const int stride = cairo_image_surface_get_stride(mask);
  std::vector<pixman_box32_t> spans;
  for (INT row = 0; row < h; ++row) {
    const unsigned char* line = bytes + static_cast<ptrdiff_t>(row) * stride;
    for (INT column = 0; column < w;) {
      if (line[column] < 128) {
        ++column;
        continue;
      }
      const INT start = column;
      while (column < w && line[column] >= 128) ++column;
      spans.push_back({box.x1 + start, box.y1 + row, box.x1 + column, box.y1 + row + 1});
    }
  }
  cairo_surface_destroy(mask);
  TRegion covered;
  pixman_region32_fini(&covered.R);
  pixman_region32_init_rects(&covered.R, spans.data(), static_cast<int>(spans.size()));
  pixman_region32_union(&out, &out, &covered.R);
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
  if (width > 0) pixman_region32_intersect_rect(&out, &out, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

GpStatus DrawOn(GpGraphics& graphics, const TDrawing& drawing) {
  const TRendering rendering{drawing, Smoothed(graphics.State.Smoothing)};
  return Run(graphics, Render, &rendering);
}

GpStatus ClearOn(GpGraphics& graphics, ARGB color) { return Run(graphics, Clear, &color); }

bool AlignedRectPixels(const cairo_matrix_t& device, double x0, double y0, double x1, double y1, pixman_box32_t& box) {
  if (device.xy != 0 || device.yx != 0) return false;
  cairo_matrix_transform_point(&device, &x0, &y0);
  cairo_matrix_transform_point(&device, &x1, &y1);
  // The first pixel whose centre lies at or after v.
  const auto from = [](double v) { return ClampToInt(std::ceil(v - 0.5)); };
  box = {from(std::min(x0, x1)), from(std::min(y0, y1)), from(std::max(x0, x1)), from(std::max(y0, y1))};
  return true;
}

void ShapePixels(const TDrawing& drawing, const cairo_matrix_t& device, const pixman_box32_t& bounds,
                 pixman_region32_t& out) {
  pixman_region32_clear(&out);
  pixman_box32_t box;
  const bool aligned = drawing.AlignedPixels(device, box);
  if (!aligned) box = DeviceExtents(drawing, device);
  box = {std::max(box.x1, bounds.x1), std::max(box.y1, bounds.y1), std::min(box.x2, bounds.x2),
         std::min(box.y2, bounds.y2)};
  if (box.x1 >= box.x2 || box.y1 >= box.y2) return;
  if (aligned) {
    pixman_region32_union_rect(&out, &out, box.x1, box.y1, static_cast<unsigned>(box.x2 - box.x1),
                               static_cast<unsigned>(box.y2 - box.y1));
    return;
  }
  box.x2 = std::min(box.x2, box.x1 + MaxRenderSide);
  box.y2 = std::min(box.y2, box.y1 + MaxRenderSide);
  CoveredPixels(drawing, device, box, out);
}

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

// The pixels of a shape drawn without smoothing: whole pixels, those an
// axis-aligned rectangle holds the centres of, or those the smoothed shape
// covers at least half of.
#include <algorithm>
#include <cmath>

#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

// The whole device pixels around the shape's extents.
pixman_box32_t DeviceExtents(const TDrawing& drawing, const cairo_matrix_t& device) {
  const TScratch scratch;
  cairo_t* measure = *scratch;
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

}  // namespace

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

}  // namespace Gdiplus

// The graphics' clip: rectangles, GDI regions and paths taken to device
// pixels through the world transform, combined as the caller asks.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

constexpr int32_t Far = 1 << 29;

bool ValidCombineMode(CombineMode mode) { return mode >= CombineModeReplace && mode <= CombineModeComplement; }

// The pixels whose centres the path holds, under the device matrix: within
// the target, or without one within the path's own extent.
void Rasterize(const GpGraphics& g, const GpPath& path, pixman_region32_t& out) {
  pixman_region32_init(&out);
  pixman_box32_t bounds{-Far, -Far, Far, Far};
  INT width = 0, height = 0;
  GpStatus status;
  if (TargetSize(g, width, height, status)) bounds = {0, 0, width, height};
  ShapePixels(TPathDrawing(path, nullptr, nullptr, CAIRO_FILTER_NEAREST), g.DeviceMatrix(), bounds, out);
}

void CombineRegions(CombineMode mode, const pixman_region32_t& old, pixman_region32_t& next) {
  auto* o = const_cast<pixman_region32_t*>(&old);
  switch (mode) {
    case CombineModeIntersect: pixman_region32_intersect(&next, o, &next); break;
    case CombineModeUnion: pixman_region32_union(&next, o, &next); break;
    case CombineModeXor: {
      TRegion both;
      pixman_region32_intersect(&both.R, o, &next);
      pixman_region32_union(&next, o, &next);
      pixman_region32_subtract(&next, &next, &both.R);
      break;
    }
    case CombineModeExclude: pixman_region32_subtract(&next, o, &next); break;
    case CombineModeComplement: pixman_region32_subtract(&next, &next, o); break;
    default: break;
  }
}

// Sets the clip from what make puts in a region (device pixels).
template <typename Make>
GpStatus SetClip(GpGraphics* graphics, CombineMode mode, Make make) {
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  if (!ValidCombineMode(mode)) return InvalidParameter;
  TRegion next;
  pixman_region32_fini(&next.R);
  make(*g, next.R);
  CombineRegions(mode, *g->State.Clip, next.R);
  g->State.Clip = MakeSharedRegion(next.R);
  return Ok;
}

// Rectangles in world coordinates as device pixels.
void RegionOfRects(const GpGraphics& g, const std::vector<GpRectF>& rects, pixman_region32_t& out) {
  const cairo_matrix_t m = g.DeviceMatrix();
  if (m.xy == 0 && m.yx == 0) {
    std::vector<pixman_box32_t> boxes;
    for (const GpRectF& r : rects) {
      pixman_box32_t box;
      AlignedRectPixels(m, r.X, r.Y, r.X + static_cast<double>(r.Width), r.Y + static_cast<double>(r.Height), box);
      if (box.x1 < box.x2 && box.y1 < box.y2) boxes.push_back(box);
    }
    pixman_region32_init_rects(&out, boxes.data(), static_cast<int>(boxes.size()));
    return;
  }
  GpPath outline;
  outline.FillMode = FillModeWinding;
  for (const GpRectF& r : rects) outline.AddRectangle(r.X, r.Y, r.Width, r.Height);
  Rasterize(g, outline, out);
}

GpStatus SetClipRect(GpGraphics* graphics, double x, double y, double width, double height, CombineMode mode) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height))
    return InvalidParameter;
  return SetClip(graphics, mode, [&](const GpGraphics& g, pixman_region32_t& out) {
    // A negative size reaches back from the corner.
    const GpRectF r{static_cast<REAL>(std::min(x, x + width)), static_cast<REAL>(std::min(y, y + height)),
                    static_cast<REAL>(std::abs(width)), static_cast<REAL>(std::abs(height))};
    RegionOfRects(g, {r}, out);
  });
}

}  // namespace

int32_t ClampToInt(double v) {
  if (!(v > -Far)) return -Far;  // NaN too
  return v < Far ? static_cast<int32_t>(v) : Far;
}

TSharedRegion UnlimitedRegion() {
  static const TSharedRegion unlimited = [] {
    TRegion all;
    pixman_region32_fini(&all.R);
    pixman_region32_init_rect(&all.R, -Far, -Far, 2u * Far, 2u * Far);
    return MakeSharedRegion(all.R);
  }();
  return unlimited;
}

GpStatus GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode combineMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return SetClipRect(graphics, x, y, width, height, combineMode);
}

GpStatus GdipSetClipRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, CombineMode combineMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return SetClipRect(graphics, x, y, width, height, combineMode);
}

GpStatus GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode combineMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpRegion* r = LookupObject<GpRegion>(region);
  if (!r) return InvalidParameter;
  return SetClip(graphics, combineMode, [r](const GpGraphics& g, pixman_region32_t& out) {
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(const_cast<pixman_region32_t*>(r->Region.get()), &n);
    std::vector<GpRectF> rects;
    for (int i = 0; i < n; ++i)
      rects.push_back({static_cast<REAL>(boxes[i].x1), static_cast<REAL>(boxes[i].y1),
                       static_cast<REAL>(boxes[i].x2 - boxes[i].x1), static_cast<REAL>(boxes[i].y2 - boxes[i].y1)});
    RegionOfRects(g, rects, out);
  });
}

GpStatus GdipSetClipPath(GpGraphics* graphics, GpPath* path, CombineMode combineMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpPath* p = LookupObject<GpPath>(path);
  if (!p) return InvalidParameter;
  return SetClip(graphics, combineMode, [p](const GpGraphics& g, pixman_region32_t& out) { Rasterize(g, *p, out); });
}

GpStatus GdipResetClip(GpGraphics* graphics) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  g->State.Clip = UnlimitedRegion();
  return Ok;
}

GpStatus GdipIsClipEmpty(GpGraphics* graphics, BOOL* result) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  if (!result) return InvalidParameter;
  TRegion clip;
  DrawableRegion(*g, 0, 0, clip.R);
  *result = pixman_region32_not_empty(&clip.R) ? FALSE : TRUE;
  return Ok;
}

GpStatus GdipCreateRegionHrgn(HRGN hRgn, GpRegion** region) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const DWORD size = GetRegionData(hRgn, 0, nullptr);
  if (!size || !region) return InvalidParameter;
  std::vector<char> data(size);
  auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
  if (GetRegionData(hRgn, size, rgn) != size || sizeof(RGNDATAHEADER) + rgn->rdh.nCount * sizeof(RECT) > size)
    return InvalidParameter;
  std::vector<pixman_box32_t> boxes(rgn->rdh.nCount);
  for (DWORD i = 0; i < rgn->rdh.nCount; ++i) {
    RECT rc;
    std::memcpy(&rc, data.data() + sizeof(RGNDATAHEADER) + i * sizeof(RECT), sizeof rc);
    boxes[i] = {rc.Left, rc.Top, rc.Right, rc.Bottom};
  }
  TRegion rects;
  pixman_region32_fini(&rects.R);
  pixman_region32_init_rects(&rects.R, boxes.data(), static_cast<int>(boxes.size()));
  auto r = std::make_unique<GpRegion>();
  r->Region = MakeSharedRegion(rects.R);
  *region = AddObject(std::move(r));
  return Ok;
}

GpStatus GdipDeleteRegion(GpRegion* region) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpRegion* r = LookupObject<GpRegion>(region);
  if (!r) return InvalidParameter;
  RemoveObject(r);
  return Ok;
}

}  // namespace Gdiplus

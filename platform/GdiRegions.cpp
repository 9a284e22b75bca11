#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/GdiObjects.h"

namespace {

TRegionObject* RegionOf(HRGN h) { return GdiLookupAs<TRegionObject>(h, OBJ_REGION); }

void SetRect(pixman_region32_t& r, int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  pixman_region32_fini(&r);
  if (x1 == x2 || y1 == y2) pixman_region32_init(&r);
  else pixman_region32_init_rect(&r, x1, y1, static_cast<unsigned>(x2 - x1), static_cast<unsigned>(y2 - y1));
}

HRGN NewRegion() { return static_cast<HRGN>(GdiAdd(std::make_unique<TRegionObject>())); }

// A region of the boxes, which may touch but not overlap.
HRGN NewRegion(const std::vector<pixman_box32_t>& boxes) {
  HRGN region = NewRegion();
  pixman_region32_t& r = RegionOf(region)->Region;
  pixman_region32_fini(&r);
  pixman_region32_init_rects(&r, boxes.data(), static_cast<int>(boxes.size()));
  return region;
}

// What the DC may draw on before any clip: its surface, and of a window's
// surface what of the window is visible.
void SurfaceRegion(TDeviceContext* dc, pixman_region32_t& out) {
  const TBitmapObject* surface = DCSurface(dc);
  if (surface) SetRect(out, 0, 0, surface->Width, surface->Height);
  else SetRect(out, 0, 0, 1920, 1080);  // the screen
  if (dc->Visible) pixman_region32_intersect(&out, &out, const_cast<pixman_region32_t*>(dc->Visible.get()));
}

// Callers' device coordinates and the surface's differ by a window DC's origin.
void ToSurface(const TDeviceContext* dc, pixman_region32_t& r) {
  pixman_region32_translate(&r, dc->State.DCOrigin.X, dc->State.DCOrigin.Y);
}
void FromSurface(const TDeviceContext* dc, pixman_region32_t& r) {
  pixman_region32_translate(&r, -dc->State.DCOrigin.X, -dc->State.DCOrigin.Y);
}

// The clip that limits drawing: the selected clip on the surface.
void EffectiveClip(TDeviceContext* dc, pixman_region32_t& out) {
  SurfaceRegion(dc, out);
  if (dc->State.HasClip) pixman_region32_intersect(&out, &out, const_cast<pixman_region32_t*>(dc->State.Clip.get()));
}

int StoreClip(TDeviceContext* dc, const pixman_region32_t& clip) {
  dc->State.HasClip = true;
  dc->State.Clip = MakeSharedRegion(clip);
  TRegion visible;
  EffectiveClip(dc, visible.R);
  return RegionComplexity(visible.R);
}

// Logical to surface coordinates.
void LogicalToDevice(const TDCState& s, int& x, int& y) {
  const POINT p = DeviceOf(s, x, y);
  x = p.X;
  y = p.Y;
}

}  // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) {
  HRGN h = NewRegion();
  SetRect(RegionOf(h)->Region, x1, y1, x2, y2);
  return h;
}

HRGN CreateRectRgnIndirect(const RECT* lprect) {
  return lprect ? CreateRectRgn(lprect->Left, lprect->Top, lprect->Right, lprect->Bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  // The system's rounded regions leave out the box's last column and row.
  x2 = std::max(x1, x2 - 1);
  y2 = std::max(y1, y2 - 1);
  w = std::min(std::abs(w), x2 - x1);
  h = std::min(std::abs(h), y2 - y1);
  if (w < 2 || h < 2) return CreateRectRgn(x1, y1, x2, y2);
  // One band a row, inset by the corner ellipse.
  std::vector<pixman_box32_t> rows;
  const double rx = w / 2.0, ry = h / 2.0;
  for (int y = y1; y < y2; ++y) {
    const double fromTop = y - y1 + 0.5, fromBottom = y2 - y - 0.5;
    const double d = std::min(fromTop, fromBottom);
    int inset = 0;
    if (d < ry) {
      const double dy = (ry - d) / ry;
      inset = static_cast<int>(std::lround(rx - rx * std::sqrt(std::max(0.0, 1 - dy * dy))));
    }
    if (x1 + inset < x2 - inset) rows.push_back({x1 + inset, y, x2 - inset, y + 1});
  }
  return NewRegion(rows);
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) { return CreateRoundRectRgn(x1, y1, x2, y2, x2 - x1, y2 - y1); }

HRGN CreateEllipticRgnIndirect(const RECT* lprect) {
  return lprect ? CreateEllipticRgn(lprect->Left, lprect->Top, lprect->Right, lprect->Bottom) : nullptr;
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode) {
  return CreatePolyPolygonRgn(pptl, &cPoint, 1, iMode);
}

HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode) {
  if (!pptl || !pc || cPoly < 1 || (iMode != ALTERNATE && iMode != WINDING)) return nullptr;
  // Every edge of every polygon, each polygon closed.
  std::vector<std::pair<POINT, POINT>> edges;
  const POINT* first = pptl;
  for (int i = 0; i < cPoly; ++i) {
    if (pc[i] < 2) return nullptr;
    for (int j = 0; j < pc[i]; ++j) edges.emplace_back(first[j], first[(j + 1) % pc[i]]);
    first += pc[i];
  }
  LONG top = edges[0].first.Y, bottom = top;
  for (const auto& edge : edges) top = std::min(top, edge.first.Y), bottom = std::max(bottom, edge.first.Y);
  std::vector<pixman_box32_t> spans;
  std::vector<std::pair<double, int>> crossings;
  for (LONG y = top; y < bottom; ++y) {
    // The pixel centres sit on the integer coordinates: an edge crosses a
    // row when one end is at or above it and the other below.
    crossings.clear();
    for (const auto& [a, b] : edges) {
      if ((a.Y <= y) == (b.Y <= y)) continue;
      const double x = a.X + static_cast<double>(y - a.Y) * (b.X - a.X) / static_cast<double>(b.Y - a.Y);
      crossings.emplace_back(x, b.Y > a.Y ? 1 : -1);
    }
    std::sort(crossings.begin(), crossings.end());
    int count = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      count += iMode == WINDING ? crossings[i].second : 1;
      if (iMode == WINDING ? count == 0 : count % 2 == 0) continue;
      // Pixels whose centre lies in [from, to).
      const auto from = static_cast<int32_t>(std::ceil(crossings[i].first));
      const auto to = static_cast<int32_t>(std::ceil(crossings[i + 1].first));
      if (from < to) spans.push_back({from, y, to, y + 1});
    }
  }
  return NewRegion(spans);
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
  TRegionObject* r = RegionOf(hrgn);
  if (!r) return FALSE;
  SetRect(r->Region, left, top, right, bottom);
  return TRUE;
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
  TRegionObject* dst = RegionOf(hrgnDst);
  TRegionObject* a = RegionOf(hrgnSrc1);
  TRegionObject* b = iMode == RGN_COPY ? a : RegionOf(hrgnSrc2);
  if (!dst || !a || !b) return ERROR;
  TRegion result;
  switch (iMode) {
    case RGN_AND: pixman_region32_intersect(&result.R, &a->Region, &b->Region); break;
    case RGN_OR: pixman_region32_union(&result.R, &a->Region, &b->Region); break;
    case RGN_DIFF: pixman_region32_subtract(&result.R, &a->Region, &b->Region); break;
    case RGN_COPY: pixman_region32_copy(&result.R, &a->Region); break;
    case RGN_XOR: {
      TRegion both;
      pixman_region32_union(&result.R, &a->Region, &b->Region);
      pixman_region32_intersect(&both.R, &a->Region, &b->Region);
      pixman_region32_subtract(&result.R, &result.R, &both.R);
      break;
    }
    default: return ERROR;
  }
  pixman_region32_copy(&dst->Region, &result.R);
  return RegionComplexity(dst->Region);
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2) {
  TRegionObject* a = RegionOf(hrgn1);
  TRegionObject* b = RegionOf(hrgn2);
  if (!a || !b) return FALSE;
  if (!pixman_region32_not_empty(&a->Region) && !pixman_region32_not_empty(&b->Region)) return TRUE;
  return pixman_region32_equal(&a->Region, &b->Region) ? TRUE : FALSE;
}

int OffsetRgn(HRGN hrgn, int x, int y) {
  TRegionObject* r = RegionOf(hrgn);
  if (!r) return ERROR;
  pixman_region32_translate(&r->Region, x, y);
  return RegionComplexity(r->Region);
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
  TRegionObject* r = RegionOf(hrgn);
  return r && pixman_region32_contains_point(&r->Region, x, y, nullptr) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect) {
  TRegionObject* r = RegionOf(hrgn);
  if (!r || !lprect) return FALSE;
  TRegion rect;
  SetRect(rect.R, lprect->Left, lprect->Top, lprect->Right, lprect->Bottom);
  TRegion common;
  pixman_region32_intersect(&common.R, &r->Region, &rect.R);
  return pixman_region32_not_empty(&common.R) ? TRUE : FALSE;
}

int GetRgnBox(HRGN hrgn, RECT* lprc) {
  TRegionObject* r = RegionOf(hrgn);
  if (!r || !lprc) return ERROR;
  if (!pixman_region32_not_empty(&r->Region)) {
    *lprc = RECT{};
    return NULLREGION;
  }
  const pixman_box32_t* e = pixman_region32_extents(&r->Region);
  *lprc = RECT{e->x1, e->y1, e->x2, e->y2};
  return RegionComplexity(r->Region);
}

DWORD GetRegionData(HRGN hrgn, DWORD nCount, RGNDATA* lpRgnData) {
  TRegionObject* r = RegionOf(hrgn);
  if (!r) return 0;
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&r->Region, &n);
  const DWORD size = static_cast<DWORD>(sizeof(RGNDATAHEADER) + sizeof(RECT) * static_cast<size_t>(n));
  if (!lpRgnData) return size;
  if (nCount < size) return 0;
  RGNDATAHEADER header;
  header.nCount = static_cast<DWORD>(n);
  header.nRgnSize = static_cast<DWORD>(sizeof(RECT) * static_cast<size_t>(n));
  RECT bound{};
  GetRgnBox(hrgn, &bound);
  header.rcBound = bound;
  std::memcpy(&lpRgnData->rdh, &header, sizeof header);
  auto* rects = reinterpret_cast<char*>(lpRgnData) + sizeof(RGNDATAHEADER);
  for (int i = 0; i < n; ++i) {
    const RECT rc{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2};
    std::memcpy(rects + sizeof(RECT) * static_cast<size_t>(i), &rc, sizeof rc);
  }
  return nCount;
}

// --- Clipping ----------------------------------------------------------------

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return ERROR;
  if (!hrgn) {
    if (mode != RGN_COPY) return ERROR;
    dc->State.HasClip = false;
    dc->State.Clip.reset();
    TRegion visible;
    EffectiveClip(dc, visible.R);
    return RegionComplexity(visible.R);
  }
  TRegionObject* region = RegionOf(hrgn);
  if (!region) return ERROR;
  TRegion current;
  if (dc->State.HasClip) pixman_region32_copy(&current.R, const_cast<pixman_region32_t*>(dc->State.Clip.get()));
  else SurfaceRegion(dc, current.R);
  TRegion given(region->Region);
  ToSurface(dc, given.R);
  TRegion result;
  switch (mode) {
    case RGN_COPY: pixman_region32_copy(&result.R, &given.R); break;
    case RGN_AND: pixman_region32_intersect(&result.R, &current.R, &given.R); break;
    case RGN_OR: pixman_region32_union(&result.R, &current.R, &given.R); break;
    case RGN_DIFF: pixman_region32_subtract(&result.R, &current.R, &given.R); break;
    case RGN_XOR: {
      TRegion both;
      pixman_region32_union(&result.R, &current.R, &given.R);
      pixman_region32_intersect(&both.R, &current.R, &given.R);
      pixman_region32_subtract(&result.R, &result.R, &both.R);
      break;
    }
    default: return ERROR;
  }
  return StoreClip(dc, result.R);
}

int GetClipRgn(HDC hdc, HRGN hrgn) {
  TDeviceContext* dc = DCLookup(hdc);
  TRegionObject* region = RegionOf(hrgn);
  if (!dc || !region) return -1;
  if (!dc->State.HasClip) return 0;
  pixman_region32_copy(&region->Region, const_cast<pixman_region32_t*>(dc->State.Clip.get()));
  FromSurface(dc, region->Region);
  return 1;
}

int GetClipBox(HDC hdc, RECT* lprect) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || !lprect) return ERROR;
  TRegion visible;
  EffectiveClip(dc, visible.R);
  if (!pixman_region32_not_empty(&visible.R)) {
    *lprect = RECT{};
    return NULLREGION;
  }
  const pixman_box32_t* e = pixman_region32_extents(&visible.R);
  const TDCState& s = dc->State;
  const LONG dx = s.WindowOrg.X - s.ViewportOrg.X - s.DCOrigin.X, dy = s.WindowOrg.Y - s.ViewportOrg.Y - s.DCOrigin.Y;
  *lprect = RECT{e->x1 + dx, e->y1 + dy, e->x2 + dx, e->y2 + dy};
  return RegionComplexity(visible.R);
}

namespace {

int ClipWithRect(HDC hdc, int left, int top, int right, int bottom, bool intersect) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return ERROR;
  LogicalToDevice(dc->State, left, top);
  LogicalToDevice(dc->State, right, bottom);
  TRegion rect;
  SetRect(rect.R, left, top, right, bottom);
  TRegion current;
  if (dc->State.HasClip) pixman_region32_copy(&current.R, const_cast<pixman_region32_t*>(dc->State.Clip.get()));
  else SurfaceRegion(dc, current.R);
  if (intersect) pixman_region32_intersect(&current.R, &current.R, &rect.R);
  else pixman_region32_subtract(&current.R, &current.R, &rect.R);
  return StoreClip(dc, current.R);
}

}  // namespace

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  return ClipWithRect(hdc, left, top, right, bottom, true);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  return ClipWithRect(hdc, left, top, right, bottom, false);
}

int OffsetClipRgn(HDC hdc, int x, int y) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return ERROR;
  if (dc->State.HasClip) {
    TRegion moved(*dc->State.Clip);
    pixman_region32_translate(&moved.R, x, y);
    return StoreClip(dc, moved.R);
  }
  TRegion visible;
  EffectiveClip(dc, visible.R);
  return RegionComplexity(visible.R);
}

BOOL RectVisible(HDC hdc, const RECT* lprect) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || !lprect) return FALSE;
  int l = lprect->Left, t = lprect->Top, r = lprect->Right, b = lprect->Bottom;
  LogicalToDevice(dc->State, l, t);
  LogicalToDevice(dc->State, r, b);
  TRegion rect, visible;
  SetRect(rect.R, l, t, r, b);
  EffectiveClip(dc, visible.R);
  pixman_region32_intersect(&rect.R, &rect.R, &visible.R);
  return pixman_region32_not_empty(&rect.R) ? TRUE : FALSE;
}

BOOL PtVisible(HDC hdc, int x, int y) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  LogicalToDevice(dc->State, x, y);
  TRegion visible;
  EffectiveClip(dc, visible.R);
  return pixman_region32_contains_point(&visible.R, x, y, nullptr) ? TRUE : FALSE;
}

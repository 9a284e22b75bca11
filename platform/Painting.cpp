// Device contexts of windows: each draws on its top-level window's surface,
// clipped to what of the window is visible; BeginPaint and EndPaint; window
// regions.

#include <algorithm>

#include "platform/GdiObjects.h"
#include "platform/Painting.h"
#include "platform/WindowObjects.h"

namespace {

void SetBox(pixman_region32_t& r, LONG l, LONG t, LONG right, LONG b) {
  pixman_region32_fini(&r);
  if (right <= l || b <= t) pixman_region32_init(&r);
  else pixman_region32_init_rect(&r, l, t, static_cast<unsigned>(right - l), static_cast<unsigned>(b - t));
}

// Where the window's top-left corner (or its client area's) lies on its surface.
POINT SurfaceOrigin(const TWindow& w, bool wholeWindow) {
  POINT p = ClientOriginOnScreen(w);
  if (wholeWindow) p.X -= w.Client.Left - w.Window.Left, p.Y -= w.Client.Top - w.Window.Top;
  const TWindow* top = &w;
  while (top && !IsTopLevel(*top)) top = WindowOf(top->Parent);
  if (top) p.X -= top->Window.Left, p.Y -= top->Window.Top;
  return p;
}

// The window's whole area on the surface, shaped by its window region.
void ShapedWindowArea(const TWindow& w, pixman_region32_t& out) {
  SurfaceArea(w, true, out);
  if (w.Shape) {
    const POINT origin = SurfaceOrigin(w, true);
    TRegion shape;
    pixman_region32_copy(&shape.R, const_cast<pixman_region32_t*>(w.Shape.get()));
    pixman_region32_translate(&shape.R, origin.X, origin.Y);
    pixman_region32_intersect(&out, &out, &shape.R);
  }
}

void ExcludeVisible(pixman_region32_t& region, const std::vector<HWND>& windows) {
  for (HWND h : windows) {
    const TWindow* s = WindowOf(h);
    if (!s || !(s->Style & WS_VISIBLE)) continue;
    TRegion area;
    ShapedWindowArea(*s, area.R);
    pixman_region32_subtract(&region, &region, &area.R);
  }
}

// What of the window a DC with these flags may draw on, in surface coordinates.
void VisibleRegion(TWindow& w, DWORD flags, pixman_region32_t& out) {
  TWindow* top = SurfaceOwner(w);
  const TBitmapObject* pixels = top && top->Surface ? top->Surface->Pixels() : nullptr;
  if (!pixels || !IsWindowVisible(w.Handle)) {
    pixman_region32_clear(&out);
    return;
  }
  const bool whole = flags & DCX_WINDOW;
  ShapedWindowArea(w, out);
  if (!whole) {
    TRegion client;
    SurfaceArea(w, false, client.R);
    pixman_region32_intersect(&out, &out, &client.R);
  }
  if ((flags & DCX_CLIPCHILDREN) || (w.Style & WS_CLIPCHILDREN)) ExcludeVisible(out, w.Children);
  for (TWindow* a = &w; !IsTopLevel(*a);) {
    TWindow* parent = WindowOf(a->Parent);
    if (!parent) break;
    TRegion inside;
    SurfaceArea(*parent, false, inside.R);
    pixman_region32_intersect(&out, &out, &inside.R);
    TRegion shaped;
    ShapedWindowArea(*parent, shaped.R);
    pixman_region32_intersect(&out, &out, &shaped.R);
    const bool clipSiblings = (a->Style & WS_CLIPSIBLINGS) || (a == &w && (flags & DCX_CLIPSIBLINGS));
    if (clipSiblings) {
      const auto self = std::find(parent->Children.begin(), parent->Children.end(), a->Handle);
      ExcludeVisible(out, std::vector<HWND>(parent->Children.begin(), self));
    }
    a = parent;
  }
  TRegion bounds;
  SetBox(bounds.R, 0, 0, pixels->Width, pixels->Height);
  pixman_region32_intersect(&out, &out, &bounds.R);
}

void TellBackend(HDC hdc) {
  TDeviceContext* dc = DCLookup(hdc);
  TWindow* w = dc && dc->Window ? WindowOf(dc->Window) : nullptr;
  TWindow* top = w ? SurfaceOwner(*w) : nullptr;
  if (!top || !top->Surface || !dc->Visible || !pixman_region32_not_empty(const_cast<pixman_region32_t*>(dc->Visible.get())))
    return;
  const pixman_box32_t* e = pixman_region32_extents(const_cast<pixman_region32_t*>(dc->Visible.get()));
  top->Surface->Changed(RECT{e->x1, e->y1, e->x2, e->y2});
}

}  // namespace

TWindow* SurfaceOwner(TWindow& w) {
  TWindow* top = &w;
  while (top && !IsTopLevel(*top)) top = WindowOf(top->Parent);
  return top && top->Surface ? top : nullptr;
}

TBitmapObject* WindowDCSurface(HWND window) {
  TWindow* w = WindowOf(window);
  TWindow* top = w ? SurfaceOwner(*w) : nullptr;
  return top ? top->Surface->Pixels() : nullptr;
}

void SurfaceArea(const TWindow& w, bool wholeWindow, pixman_region32_t& out) {
  const RECT& r = wholeWindow ? w.Window : w.Client;
  const POINT origin = SurfaceOrigin(w, wholeWindow);
  SetBox(out, origin.X, origin.Y, origin.X + r.Right - r.Left, origin.Y + r.Bottom - r.Top);
}

HDC WindowDC(HWND h, DWORD flags, const pixman_region32_t* extra) {
  TWindow* w = CheckedWindowOf(h);
  if (!w) return nullptr;
  TRegion visible;
  VisibleRegion(*w, flags, visible.R);
  if (extra) pixman_region32_intersect(&visible.R, &visible.R, const_cast<pixman_region32_t*>(extra));
  return CreateWindowDC(h, SurfaceOrigin(*w, flags & DCX_WINDOW), visible.R);
}

HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags) {
  if (!hWnd) hWnd = GetDesktopWindow();
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return nullptr;
  TRegion extra;
  const pixman_region32_t* limit = nullptr;
  auto* given = GdiLookupAs<TRegionObject>(hrgnClip, OBJ_REGION);
  if (given && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    // The region is in screen coordinates.
    TWindow* top = SurfaceOwner(*w);
    pixman_region32_copy(&extra.R, &given->Region);
    if (top) pixman_region32_translate(&extra.R, -top->Window.Left, -top->Window.Top);
    if (flags & DCX_EXCLUDERGN) {
      TRegion all;
      SetBox(all.R, INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2);
      pixman_region32_subtract(&extra.R, &all.R, &extra.R);
    }
    limit = &extra.R;
    DeleteObject(hrgnClip);  // the DC took it over
  }
  TRegion update;
  if (flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) {
    pixman_region32_copy(&update.R, &w->Update);
    const POINT origin = SurfaceOrigin(*w, false);
    pixman_region32_translate(&update.R, origin.X, origin.Y);
    if (flags & DCX_EXCLUDEUPDATE) {
      TRegion all;
      SetBox(all.R, INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2);
      pixman_region32_subtract(&update.R, &all.R, &update.R);
    }
    if (limit) pixman_region32_intersect(&update.R, &update.R, &extra.R);
    limit = &update.R;
    if (flags & DCX_VALIDATE) ValidateAll(*w);
  }
  return WindowDC(hWnd, flags, limit);
}

HDC GetDC(HWND hWnd) { return GetDCEx(hWnd, nullptr, DCX_CACHE); }

HDC GetWindowDC(HWND hWnd) { return GetDCEx(hWnd, nullptr, DCX_CACHE | DCX_WINDOW); }

int ReleaseDC(HWND hWnd, HDC hDC) {
  TDeviceContext* dc = DCLookup(hDC);
  if (!dc || !dc->Window || (hWnd && dc->Window != hWnd && !(hWnd == GetDesktopWindow()))) return 0;
  TellBackend(hDC);
  return ReleaseWindowDC(hDC) ? 1 : 0;
}

HWND WindowFromDC(HDC hDC) {
  const TDeviceContext* dc = DCLookup(hDC);
  return dc ? dc->Window : nullptr;
}

HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w || !lpPaint) return nullptr;
  if (w->FrameNeeded) {
    w->FrameNeeded = false;
    SendToWindow(hWnd, WM_NCPAINT, 1, 0);
    if (!(w = WindowOf(hWnd))) return nullptr;
  }
  TRegion update;
  pixman_region32_copy(&update.R, &w->Update);
  const bool erase = w->EraseNeeded;
  ValidateAll(*w);
  const pixman_box32_t* box = pixman_region32_extents(&update.R);
  *lpPaint = PAINTSTRUCT();
  lpPaint->rcPaint = pixman_region32_not_empty(&update.R) ? RECT{box->x1, box->y1, box->x2, box->y2} : RECT{};
  const POINT origin = SurfaceOrigin(*w, false);
  pixman_region32_translate(&update.R, origin.X, origin.Y);
  TakeCaretOffForPaint(hWnd);
  lpPaint->hdc = WindowDC(hWnd, DCX_CACHE, &update.R);
  if (erase) lpPaint->fErase = SendToWindow(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(lpPaint->hdc), 0) ? FALSE : TRUE;
  return lpPaint->hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
  if (!lpPaint) return FALSE;
  ReleaseDC(hWnd, lpPaint->hdc);
  PutCaretBackAfterPaint(hWnd);
  return TRUE;
}

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw) {
  TWindow* w = CheckedWindowOf(hWnd);
  auto* region = GdiLookupAs<TRegionObject>(hRgn, OBJ_REGION);
  if (!w || (hRgn && !region)) return 0;
  RECT before;
  GetWindowRect(hWnd, &before);
  w->Shape = region ? MakeSharedRegion(region->Region) : nullptr;
  if (region) DeleteObject(hRgn);  // the window took it over
  if (bRedraw) {
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (TWindow* parent = IsTopLevel(*w) ? nullptr : WindowOf(w->Parent)) {
      RECT area = w->Window;
      RedrawWindow(parent->Handle, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
  }
  return 1;
}

int GetWindowRgn(HWND hWnd, HRGN hRgn) {
  TWindow* w = CheckedWindowOf(hWnd);
  auto* region = GdiLookupAs<TRegionObject>(hRgn, OBJ_REGION);
  if (!w || !region || !w->Shape) return ERROR;
  pixman_region32_copy(&region->Region, const_cast<pixman_region32_t*>(w->Shape.get()));
  return RegionComplexity(region->Region);
}

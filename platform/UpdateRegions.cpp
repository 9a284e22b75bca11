// Update regions: what each visible window still has to paint, and the
// calls that add to them, take from them and paint them at once.

#include "platform/GdiObjects.h"
#include "platform/Painting.h"
#include "platform/WindowObjects.h"

namespace {

void ClientBox(const TWindow& w, pixman_region32_t& out) {
  const int width = w.Client.Right - w.Client.Left;
  const int height = w.Client.Bottom - w.Client.Top;
  pixman_region32_fini(&out);
  pixman_region32_init_rect(&out, 0, 0, static_cast<unsigned>(std::max(width, 0)), static_cast<unsigned>(std::max(height, 0)));
}

void RectRegion(const RECT& r, pixman_region32_t& out) {
  pixman_region32_fini(&out);
  if (r.Right <= r.Left || r.Bottom <= r.Top)
    pixman_region32_init(&out);
  else
    pixman_region32_init_rect(&out, r.Left, r.Top, static_cast<unsigned>(r.Right - r.Left),
                              static_cast<unsigned>(r.Bottom - r.Top));
}

bool ReachesChildren(const TWindow& w, UINT flags) {
  return (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w.Style & WS_CLIPCHILDREN));
}

// Sends WM_ERASEBKGND now, through a DC limited to the update region.
void EraseNow(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w || !w->EraseNeeded) return;
  HDC dc = GetDCEx(h, nullptr, DCX_CACHE | DCX_INTERSECTUPDATE);
  if (SendToWindow(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0))
    if (TWindow* again = WindowOf(h)) again->EraseNeeded = false;
  ReleaseDC(h, dc);
}

// RDW_UPDATENOW and RDW_ERASENOW for the window and the children the flags reach.
void PaintNow(HWND h, UINT flags) {
  TWindow* w = WindowOf(h);
  if (!w || !IsWindowVisible(h)) return;
  if (flags & RDW_UPDATENOW) {
    if (NeedsPaint(*w)) SendToWindow(h, WM_PAINT, 0, 0);
  } else {
    EraseNow(h);
  }
  w = WindowOf(h);
  if (!w || !ReachesChildren(*w, flags)) return;
  for (HWND child : std::vector<HWND>(w->Children)) PaintNow(child, flags);
}

TWindow* RegionArgs(HWND hWnd, HRGN hRgn, TRegion& area, const pixman_region32_t*& use) {
  TWindow* w = CheckedWindowOf(hWnd);
  use = nullptr;
  if (auto* region = GdiLookupAs<TRegionObject>(hRgn, OBJ_REGION)) {
    pixman_region32_copy(&area.R, &region->Region);
    use = &area.R;
  }
  return w;
}

}  // namespace

bool NeedsPaint(const TWindow& w) {
  return pixman_region32_not_empty(const_cast<pixman_region32_t*>(&w.Update)) || w.FrameNeeded || w.InternalPaint;
}

void InvalidateClient(TWindow& w, const pixman_region32_t* area) {
  if (!IsWindowVisible(w.Handle)) return;
  TRegion added;
  ClientBox(w, added.R);
  if (area) pixman_region32_intersect(&added.R, &added.R, const_cast<pixman_region32_t*>(area));
  if (pixman_region32_not_empty(&added.R)) {
    pixman_region32_union(&w.Update, &w.Update, &added.R);
    NoteQueueActivity();
  }
}

void ValidateAll(TWindow& w) {
  pixman_region32_clear(&w.Update);
  w.EraseNeeded = false;
  w.InternalPaint = false;
}

void RedrawArea(TWindow& w, const pixman_region32_t* area, UINT flags) {
  if (!IsWindowVisible(w.Handle)) return;
  if (flags & RDW_INVALIDATE) {
    InvalidateClient(w, area);
    if (flags & RDW_ERASE) w.EraseNeeded = true;
    if (flags & RDW_FRAME) w.FrameNeeded = true;
    NoteQueueActivity();
  } else if (flags & RDW_VALIDATE) {
    if (area) pixman_region32_subtract(&w.Update, &w.Update, const_cast<pixman_region32_t*>(area));
    else pixman_region32_clear(&w.Update);
    if ((flags & RDW_NOERASE) || !pixman_region32_not_empty(&w.Update)) w.EraseNeeded = false;
    if (flags & RDW_NOFRAME) w.FrameNeeded = false;
    if (flags & RDW_NOINTERNALPAINT) w.InternalPaint = false;
  }
  if (flags & RDW_INTERNALPAINT) {
    w.InternalPaint = true;
    NoteQueueActivity();
  }
  if (!ReachesChildren(w, flags)) return;
  for (HWND h : w.Children) {
    TWindow* child = WindowOf(h);
    if (!child) continue;
    // The part of the area over the child, in the child's client coordinates.
    TRegion part;
    if (area) pixman_region32_copy(&part.R, const_cast<pixman_region32_t*>(area));
    else ClientBox(w, part.R);
    pixman_region32_translate(&part.R, -child->Client.Left, -child->Client.Top);
    TRegion box;
    ClientBox(*child, box.R);
    pixman_region32_intersect(&part.R, &part.R, &box.R);
    const bool overlaps = pixman_region32_not_empty(&part.R);
    if (overlaps) RedrawArea(*child, &part.R, flags);
  }
}

HWND FindWindowToPaint(HWND filter) {
  for (HWND h : WindowsBelow(DesktopHandle())) {
    TWindow* w = WindowOf(h);
    if (NeedsPaint(*w) && IsWindowVisible(h) && MatchesWindowFilter(filter, h)) return h;
  }
  return nullptr;
}

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
  if (!hWnd) hWnd = GetDesktopWindow();
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  TRegion area;
  const pixman_region32_t* use = nullptr;
  if (auto* region = GdiLookupAs<TRegionObject>(hrgnUpdate, OBJ_REGION)) {
    pixman_region32_copy(&area.R, &region->Region);
    use = &area.R;
  } else if (lprcUpdate) {
    RectRegion(*lprcUpdate, area.R);
    use = &area.R;
  }
  if (hWnd == GetDesktopWindow()) {
    // The desktop stands for every top-level window.
    for (HWND top : TopLevelWindows())
      if (TWindow* t = WindowOf(top)) RedrawArea(*t, nullptr, flags | RDW_ALLCHILDREN);
  } else {
    RedrawArea(*w, use, flags);
  }
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    if (hWnd == GetDesktopWindow())
      for (HWND top : TopLevelWindows()) PaintNow(top, flags | RDW_ALLCHILDREN);
    else
      PaintNow(hWnd, flags);
  }
  return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  if (!hWnd) return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  return RedrawWindow(hWnd, lpRect, nullptr, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
  TRegion area;
  const pixman_region32_t* use;
  TWindow* w = RegionArgs(hWnd, hRgn, area, use);
  if (!w) return FALSE;
  RedrawArea(*w, use, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
  return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect) {
  return RedrawWindow(hWnd, lpRect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hWnd, HRGN hRgn) {
  TRegion area;
  const pixman_region32_t* use;
  TWindow* w = RegionArgs(hWnd, hRgn, area, use);
  if (!w) return FALSE;
  RedrawArea(*w, use, RDW_VALIDATE | RDW_NOCHILDREN);
  return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  if (IsWindowVisible(hWnd) && NeedsPaint(*w)) SendToWindow(hWnd, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, RECT* lpRect, BOOL bErase) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  if (bErase) EraseNow(hWnd);
  if (!(w = WindowOf(hWnd))) return FALSE;
  const bool any = pixman_region32_not_empty(&w->Update);
  if (lpRect) {
    const pixman_box32_t* box = pixman_region32_extents(&w->Update);
    *lpRect = any ? RECT{box->x1, box->y1, box->x2, box->y2} : RECT{};
  }
  return any ? TRUE : FALSE;
}

int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
  TWindow* w = CheckedWindowOf(hWnd);
  auto* region = GdiLookupAs<TRegionObject>(hRgn, OBJ_REGION);
  if (!w || !region) return ERROR;
  if (bErase) EraseNow(hWnd);
  if (!(w = WindowOf(hWnd))) return ERROR;
  pixman_region32_copy(&region->Region, &w->Update);
  return RegionComplexity(region->Region);
}

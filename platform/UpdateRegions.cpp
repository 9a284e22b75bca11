// Update regions: what each visible window still has to paint.

#include "platform/WindowObjects.h"

namespace {

void ClientBox(const TWindow& w, pixman_region32_t& out) {
  const int width = w.Client.Right - w.Client.Left;
  const int height = w.Client.Bottom - w.Client.Top;
  pixman_region32_init_rect(&out, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

void RectRegion(const RECT& r, pixman_region32_t& out) {
  if (r.Right <= r.Left || r.Bottom <= r.Top)
    pixman_region32_init(&out);
  else
    pixman_region32_init_rect(&out, r.Left, r.Top, static_cast<unsigned>(r.Right - r.Left),
                              static_cast<unsigned>(r.Bottom - r.Top));
}

}  // namespace

void InvalidateClient(TWindow& w, const pixman_region32_t* area) {
  if (!IsWindowVisible(w.Handle)) return;
  pixman_region32_t added;
  ClientBox(w, added);
  if (area) pixman_region32_intersect(&added, &added, const_cast<pixman_region32_t*>(area));
  if (pixman_region32_not_empty(&added)) {
    pixman_region32_union(&w.Update, &w.Update, &added);
    NoteQueueActivity();
  }
  pixman_region32_fini(&added);
}

void ValidateAll(TWindow& w) { pixman_region32_clear(&w.Update); }

HWND FindWindowToPaint(HWND filter) {
  for (HWND h : WindowsBelow(DesktopHandle())) {
    TWindow* w = WindowOf(h);
    if (pixman_region32_not_empty(&w->Update) && IsWindowVisible(h) && MatchesWindowFilter(filter, h)) return h;
  }
  return nullptr;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  if (!hWnd) {
    for (HWND h : WindowsBelow(DesktopHandle()))
      if (h != DesktopHandle()) InvalidateClient(*WindowOf(h), nullptr);
    return TRUE;
  }
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  if (!lpRect) {
    InvalidateClient(*w, nullptr);
    return TRUE;
  }
  pixman_region32_t area;
  RectRegion(*lpRect, area);
  InvalidateClient(*w, &area);
  pixman_region32_fini(&area);
  return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  if (!lpRect) {
    ValidateAll(*w);
    return TRUE;
  }
  pixman_region32_t area;
  RectRegion(*lpRect, area);
  pixman_region32_subtract(&w->Update, &w->Update, &area);
  pixman_region32_fini(&area);
  return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, RECT* lpRect, BOOL bErase) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  const bool any = pixman_region32_not_empty(&w->Update);
  if (lpRect) {
    const pixman_box32_t* box = pixman_region32_extents(&w->Update);
    *lpRect = any ? RECT{box->x1, box->y1, box->x2, box->y2} : RECT{};
  }
  return any ? TRUE : FALSE;
}

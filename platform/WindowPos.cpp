// Moving, sizing, stacking, showing and enabling windows.

#include <algorithm>

#include "platform/Painting.h"
#include "platform/WindowObjects.h"

namespace {

int Width(const RECT& r) { return r.Right - r.Left; }
int Height(const RECT& r) { return r.Bottom - r.Top; }

constexpr UINT CallerFlags = 0x7FFF & ~(SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE);

// The sibling order and extended style a z-order request leads to; false
// for an insert-after window that is no sibling.
bool PlanZOrder(const TWindow& w, const TWindow& parent, HWND after, std::vector<HWND>& order, DWORD& exStyle) {
  const bool topLevel = IsTopLevel(w);
  order = parent.Children;
  std::erase(order, w.Handle);
  exStyle = w.ExStyle;
  auto topmost = [&](HWND h) { return h == w.Handle ? (exStyle & WS_EX_TOPMOST) != 0 : ((WindowOf(h)->ExStyle & WS_EX_TOPMOST) != 0); };
  auto firstOfBand = [&] {
    return std::find_if(order.begin(), order.end(), [&](HWND s) { return !topLevel || topmost(w.Handle) || !topmost(s); });
  };
  if (after == HWND_TOPMOST && topLevel) {
    exStyle |= WS_EX_TOPMOST;
    order.insert(order.begin(), w.Handle);
  } else if (after == HWND_NOTOPMOST && topLevel) {
    if (!(w.ExStyle & WS_EX_TOPMOST)) {
      order = parent.Children;
      return true;
    }
    exStyle &= ~WS_EX_TOPMOST;
    order.insert(firstOfBand(), w.Handle);
  } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    order.insert(firstOfBand(), w.Handle);
  } else if (after == HWND_BOTTOM) {
    // The bottom of the stack is no place for a topmost window.
    exStyle &= ~WS_EX_TOPMOST;
    order.push_back(w.Handle);
  } else {
    auto at = std::find(order.begin(), order.end(), after);
    if (at == order.end()) return false;
    order.insert(at + 1, w.Handle);
  }
  if (topLevel) std::stable_partition(order.begin(), order.end(), topmost);
  return true;
}

void InvalidateShown(HWND h) {
  for (HWND below : WindowsBelow(h))
    if (TWindow* w = WindowOf(below); w && IsWindowVisible(below)) {
      InvalidateClient(*w, nullptr);
      w->EraseNeeded = w->FrameNeeded = true;
    }
}

void InvalidateExposed(TWindow& w, const RECT& oldClient) {
  if (!IsWindowVisible(w.Handle)) return;
  const bool wider = Width(w.Client) != Width(oldClient);
  const bool taller = Height(w.Client) != Height(oldClient);
  if ((wider && (w.Class->Style & CS_HREDRAW)) || (taller && (w.Class->Style & CS_VREDRAW))) {
    InvalidateClient(w, nullptr);
    return;
  }
  pixman_region32_t exposed, kept;
  pixman_region32_init_rect(&exposed, 0, 0, static_cast<unsigned>(Width(w.Client)), static_cast<unsigned>(Height(w.Client)));
  pixman_region32_init_rect(&kept, 0, 0, static_cast<unsigned>(Width(oldClient)), static_cast<unsigned>(Height(oldClient)));
  pixman_region32_subtract(&exposed, &exposed, &kept);
  InvalidateClient(w, &exposed);
  pixman_region32_fini(&kept);
  pixman_region32_fini(&exposed);
}

void UpdateSurface(TWindow& w, bool bounds, bool visibility) {
  if (!w.Surface) return;
  if (bounds) {
    RECT r;
    GetWindowRect(w.Handle, &r);
    w.Surface->SetBounds(r);
  }
  if (visibility) w.Surface->SetVisible(w.Style & WS_VISIBLE);
}

enum class TPlacement { Normal, Minimized, Maximized };

TPlacement PlacementOf(const TWindow& w) {
  if (w.Style & WS_MINIMIZE) return TPlacement::Minimized;
  if (w.Style & WS_MAXIMIZE) return TPlacement::Maximized;
  return TPlacement::Normal;
}

// Changes the state and moves the window to the rectangle that goes with it.
void Place(HWND h, TPlacement placement, UINT showFlags) {
  TWindow* w = WindowOf(h);
  RECT target = w->Normal;
  if (placement == TPlacement::Maximized) {
    MINMAXINFO info;
    w->Style = (w->Style & ~WS_MINIMIZE) | WS_MAXIMIZE;
    if (!QueryMinMaxInfo(h, info)) return;
    target = RECT{info.ptMaxPosition.X, info.ptMaxPosition.Y, info.ptMaxPosition.X + info.ptMaxSize.X,
                  info.ptMaxPosition.Y + info.ptMaxSize.Y};
  } else if (placement == TPlacement::Minimized) {
    w->Style = (w->Style & ~WS_MAXIMIZE) | WS_MINIMIZE;
    const POINT at = IsTopLevel(*w) ? POINT{-32000, -32000} : POINT{w->Window.Left, w->Window.Top};
    target = RECT{at.X, at.Y, at.X + GetSystemMetrics(SM_CXMINIMIZED), at.Y + GetSystemMetrics(SM_CYMINIMIZED)};
  } else {
    w->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  }
  // The frame (or its absence when minimized) changes with the state.
  SetWindowPos(h, nullptr, target.Left, target.Top, Width(target), Height(target),
               showFlags | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  if (hWnd == DesktopHandle() || hWnd == MessageRootHandle()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  WINDOWPOS wp;
  wp.hwnd = hWnd;
  wp.hwndInsertAfter = hWndInsertAfter;
  wp.flags = uFlags & CallerFlags;
  wp.x = (wp.flags & SWP_NOMOVE) ? w->Window.Left : X;
  wp.y = (wp.flags & SWP_NOMOVE) ? w->Window.Top : Y;
  wp.cx = (wp.flags & SWP_NOSIZE) ? Width(w->Window) : std::max(cx, 0);
  wp.cy = (wp.flags & SWP_NOSIZE) ? Height(w->Window) : std::max(cy, 0);
  if (!(wp.flags & SWP_NOSENDCHANGING)) {
    SendToWindow(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = WindowOf(hWnd))) return FALSE;
  }

  UINT flags = wp.flags & CallerFlags;
  const RECT oldWindow = w->Window;
  const RECT oldClient = w->Client;
  RECT window = oldWindow;
  if (!(flags & SWP_NOMOVE)) window = RECT{wp.x, wp.y, wp.x + Width(oldWindow), wp.y + Height(oldWindow)};
  if (!(flags & SWP_NOSIZE)) {
    window.Right = window.Left + std::max(wp.cx, 0);
    window.Bottom = window.Top + std::max(wp.cy, 0);
  }
  const bool sized = Width(window) != Width(oldWindow) || Height(window) != Height(oldWindow);
  const bool moved = window.Left != oldWindow.Left || window.Top != oldWindow.Top;
  if (!sized) flags |= SWP_NOSIZE;
  if (!moved) flags |= SWP_NOMOVE;

  TWindow* parent = WindowOf(w->Parent);
  std::vector<HWND> order;
  DWORD exStyle = w->ExStyle;
  if (!(flags & SWP_NOZORDER)) {
    if (!PlanZOrder(*w, *parent, wp.hwndInsertAfter, order, exStyle)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    if (order == parent->Children && exStyle == w->ExStyle) flags |= SWP_NOZORDER;
  }
  const bool visible = (w->Style & WS_VISIBLE) != 0;
  if ((flags & SWP_SHOWWINDOW) && visible) flags &= ~SWP_SHOWWINDOW;
  if ((flags & SWP_HIDEWINDOW) && (!visible || (flags & SWP_SHOWWINDOW))) flags &= ~SWP_HIDEWINDOW;

  RECT client{oldClient.Left + window.Left - oldWindow.Left, oldClient.Top + window.Top - oldWindow.Top,
              oldClient.Right + window.Left - oldWindow.Left, oldClient.Bottom + window.Top - oldWindow.Top};
  if (sized || (flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = window;
    params.rgrc[1] = oldWindow;
    params.rgrc[2] = oldClient;
    params.lppos = &wp;
    SendToWindow(hWnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    if (!(w = WindowOf(hWnd))) return FALSE;
    client = params.rgrc[0];
    client.Right = std::max(client.Right, client.Left);
    client.Bottom = std::max(client.Bottom, client.Top);
    parent = WindowOf(w->Parent);
  }

  w->Window = window;
  w->Client = client;
  if (PlacementOf(*w) == TPlacement::Normal) w->Normal = window;
  // Planned again: WM_NCCALCSIZE may have changed the siblings.
  if (!(flags & SWP_NOZORDER) && parent && PlanZOrder(*w, *parent, wp.hwndInsertAfter, order, exStyle)) {
    w->ExStyle = exStyle;
    parent->Children = order;
  }
  if (flags & SWP_SHOWWINDOW) w->Style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->Style &= ~WS_VISIBLE;
  if (client.Left == oldClient.Left && client.Top == oldClient.Top) flags |= SWP_NOCLIENTMOVE;
  if (Width(client) == Width(oldClient) && Height(client) == Height(oldClient)) flags |= SWP_NOCLIENTSIZE;
  UpdateSurface(*w, sized || moved, (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0);
  if (flags & SWP_NOREDRAW) {
    // The caller repaints by itself.
  } else {
    if (flags & SWP_SHOWWINDOW) {
      InvalidateShown(hWnd);
    } else if (moved && !IsTopLevel(*w)) {
      // Children share their top-level window's pixels: a moved one is drawn anew.
      RedrawArea(*w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (!(flags & SWP_NOCLIENTSIZE)) {
      InvalidateExposed(*w, oldClient);
    }
    if (sized || (flags & (SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_DRAWFRAME))) w->FrameNeeded = IsWindowVisible(hWnd);
    // What the window covered before shows its parent and siblings again.
    const bool uncovers = (flags & SWP_HIDEWINDOW) || ((moved || sized) && (w->Style & WS_VISIBLE));
    if (uncovers && parent && !IsTopLevel(*w)) {
      pixman_region32_t area;
      pixman_region32_init_rect(&area, oldWindow.Left, oldWindow.Top, static_cast<unsigned>(Width(oldWindow)),
                                static_cast<unsigned>(Height(oldWindow)));
      RedrawArea(*parent, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      pixman_region32_fini(&area);
    }
  }

  constexpr UINT Unchanged = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
  if ((flags & Unchanged) == Unchanged && !(flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED))) return TRUE;
  wp.x = window.Left;
  wp.y = window.Top;
  wp.cx = Width(window);
  wp.cy = Height(window);
  wp.flags = flags;
  SendToWindow(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                      SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  const bool wasVisible = (w->Style & WS_VISIBLE) != 0;
  TPlacement placement = PlacementOf(*w);
  switch (nCmdShow) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SendToWindow(hWnd, WM_SHOWWINDOW, FALSE, 0);
      if (WindowOf(hWnd))
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ActivationAfterShow(hWnd, nCmdShow);
      return TRUE;
    case SW_SHOW:
    case SW_SHOWNA: break;
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
    case SW_RESTORE:
    case SW_SHOWDEFAULT: placement = TPlacement::Normal; break;
    case SW_SHOWMAXIMIZED: placement = TPlacement::Maximized; break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: placement = TPlacement::Minimized; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
  }
  if (!wasVisible) {
    SendToWindow(hWnd, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = WindowOf(hWnd))) return FALSE;
  }
  const UINT show = (w->Style & WS_VISIBLE) ? 0 : SWP_SHOWWINDOW;
  if (placement != PlacementOf(*w))
    Place(hWnd, placement, show);
  else if (show)
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, show | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ActivationAfterShow(hWnd, nCmdShow);
  return wasVisible ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  const bool wasDisabled = (w->Style & WS_DISABLED) != 0;
  if (wasDisabled == !bEnable) return wasDisabled ? TRUE : FALSE;
  if (bEnable)
    w->Style &= ~WS_DISABLED;
  else
    w->Style |= WS_DISABLED;
  if (!bEnable) {
    // A disabled window gives up what it was doing with the mouse and keys.
    SendToWindow(hWnd, WM_CANCELMODE, 0, 0);
    if (!WindowOf(hWnd)) return FALSE;
    HWND focus = GetFocus();
    if (focus && (focus == hWnd || IsChild(hWnd, focus))) SetFocus(nullptr);
  }
  SendToWindow(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

// What windows draw when their procedures leave it to the default: the
// frame, and printing a window with its children into any DC.

#include "platform/GdiText.h"
#include "platform/Painting.h"
#include "platform/WindowObjects.h"

namespace {

RECT Offset(RECT r, LONG dx, LONG dy) { return RECT{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

void DrawCaption(const TWindow& w, HDC hdc, RECT bar) {
  FillRect(hdc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
  HGDIOBJ old = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
  const int mode = SetBkMode(hdc, TRANSPARENT);
  const COLORREF color = SetTextColor(hdc, GetSysColor(COLOR_CAPTIONTEXT));
  bar.Left += 4;
  DrawTextW(hdc, w.Text.c_str(), static_cast<int>(w.Text.size()), &bar,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetTextColor(hdc, color);
  SetBkMode(hdc, mode);
  SelectObject(hdc, old);
}

}  // namespace

void PaintNonClient(TWindow& w, HDC hdc) {
  const RECT whole{0, 0, w.Window.Right - w.Window.Left, w.Window.Bottom - w.Window.Top};
  const RECT client = Offset(w.Client, -w.Window.Left, -w.Window.Top);
  const bool frameless = client.Left == 0 && client.Top == 0 && client.Right == whole.Right && client.Bottom == whole.Bottom;
  if (!hdc || frameless) return;
  const int saved = SaveDC(hdc);
  ExcludeClipRect(hdc, client.Left, client.Top, client.Right, client.Bottom);
  FillRect(hdc, &whole, GetSysColorBrush(COLOR_BTNFACE));
  RECT edge = whole;
  if (w.Style & (WS_THICKFRAME | WS_DLGFRAME)) {
    DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
  } else if (w.Style & WS_BORDER) {
    FrameRect(hdc, &edge, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  if (w.ExStyle & WS_EX_CLIENTEDGE) {
    RECT sunken{client.Left - 2, client.Top - 2, client.Right + 2, client.Bottom + 2};
    if (w.Style & WS_VSCROLL) sunken.Right += GetSystemMetrics(SM_CXVSCROLL);
    if (w.Style & WS_HSCROLL) sunken.Bottom += GetSystemMetrics(SM_CYHSCROLL);
    DrawEdge(hdc, &sunken, EDGE_SUNKEN, BF_RECT);
  }
  if ((w.Style & WS_CAPTION) == WS_CAPTION) {
    const int frame = client.Left - ((w.ExStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
    DrawCaption(w, hdc, RECT{frame, frame, whole.Right - frame, frame + GetSystemMetrics(SM_CYCAPTION) - 1});
  }
  if (w.Style & WS_VSCROLL) {
    const RECT bar{client.Right, client.Top, client.Right + GetSystemMetrics(SM_CXVSCROLL), client.Bottom};
    FillRect(hdc, &bar, GetSysColorBrush(COLOR_SCROLLBAR));
  }
  if (w.Style & WS_HSCROLL) {
    const RECT bar{client.Left, client.Bottom, client.Right, client.Bottom + GetSystemMetrics(SM_CYHSCROLL)};
    FillRect(hdc, &bar, GetSysColorBrush(COLOR_SCROLLBAR));
  }
  RestoreDC(hdc, saved);
}

void PrintWindowInto(HWND h, HDC hdc, LPARAM flags) {
  TWindow* w = WindowOf(h);
  if (!w || !hdc || ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(h))) return;
  // The DC's origin is the window's top-left with the frame, the client
  // area's without.
  const bool frame = flags & PRF_NONCLIENT;
  const POINT client{frame ? w->Client.Left - w->Window.Left : 0, frame ? w->Client.Top - w->Window.Top : 0};
  if (frame) PaintNonClient(*w, hdc);
  const int saved = SaveDC(hdc);
  OffsetViewportOrgEx(hdc, client.X, client.Y, nullptr);
  IntersectClipRect(hdc, 0, 0, w->Client.Right - w->Client.Left, w->Client.Bottom - w->Client.Top);
  if (flags & PRF_ERASEBKGND) SendToWindow(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
  if (flags & PRF_CLIENT) SendToWindow(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), flags);
  if ((flags & PRF_CHILDREN) && (w = WindowOf(h))) {
    // Bottom of the z-order first, so that the top child ends up on top.
    const std::vector<HWND> children(w->Children.rbegin(), w->Children.rend());
    for (HWND c : children) {
      TWindow* child = WindowOf(c);
      if (!child || !(child->Style & WS_VISIBLE)) continue;
      const int inner = SaveDC(hdc);
      OffsetViewportOrgEx(hdc, child->Window.Left, child->Window.Top, nullptr);
      IntersectClipRect(hdc, 0, 0, child->Window.Right - child->Window.Left, child->Window.Bottom - child->Window.Top);
      SendToWindow(c, WM_PRINT, reinterpret_cast<WPARAM>(hdc), flags | PRF_NONCLIENT);
      RestoreDC(hdc, inner);
    }
  }
  RestoreDC(hdc, saved);
}

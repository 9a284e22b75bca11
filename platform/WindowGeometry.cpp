// Frames, client areas, tracking sizes and the mapping between coordinate spaces.

#include <algorithm>

#include "platform/WindowObjects.h"

namespace {

int Width(const RECT& r) { return r.Right - r.Left; }
int Height(const RECT& r) { return r.Bottom - r.Top; }

RECT WorkArea() {
  RECT r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

// Screen offset of a client area; the screen itself for nullptr.
bool OriginOf(HWND h, POINT& origin) {
  if (!h) {
    origin = {};
    return true;
  }
  TWindow* w = CheckedWindowOf(h);
  if (!w) return false;
  origin = ClientOriginOnScreen(*w);
  return true;
}

// Frame, caption and edges around the client area of a window of that style.
RECT NonClientInsets(DWORD style, DWORD exStyle) {
  int frame = 0;
  if (style & WS_THICKFRAME)
    frame = GetSystemMetrics(SM_CXSIZEFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    frame = GetSystemMetrics(SM_CXFIXEDFRAME);
  else if (style & WS_BORDER)
    frame = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) frame += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) frame += GetSystemMetrics(SM_CXBORDER);
  int caption = 0;
  if ((style & WS_CAPTION) == WS_CAPTION)
    caption = GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  return RECT{frame, frame + caption, frame, frame};
}

// The defaults a WM_GETMINMAXINFO handler receives.
MINMAXINFO DefaultMinMaxInfo(const TWindow& w) {
  // Maximized, the frame lies just outside the area filled: the work area
  // for top-level windows, the parent's client area for children.
  RECT area = WorkArea();
  if (!IsTopLevel(w))
    if (const TWindow* parent = WindowOf(w.Parent))
      area = RECT{0, 0, Width(parent->Client), Height(parent->Client)};
  const RECT in = NonClientInsets(w.Style, w.ExStyle);
  MINMAXINFO info;
  info.ptMaxSize = {Width(area) + in.Left + in.Right, Height(area) + in.Bottom * 2};
  info.ptMaxPosition = {area.Left - in.Left, area.Top - in.Bottom};
  info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  return info;
}

}  // namespace

RECT DefaultClientRect(const TWindow& w, const RECT& window) {
  // A minimized window has no client area to speak of.
  if (w.Style & WS_MINIMIZE) return RECT{window.Left, window.Top, window.Left, window.Top};
  const RECT in = NonClientInsets(w.Style, w.ExStyle);
  RECT client{window.Left + in.Left, window.Top + in.Top, window.Right - in.Right, window.Bottom - in.Bottom};
  if (w.Style & WS_VSCROLL) client.Right -= GetSystemMetrics(SM_CXVSCROLL);
  if (w.Style & WS_HSCROLL) client.Bottom -= GetSystemMetrics(SM_CYHSCROLL);
  // Frames larger than the window leave an empty client area at its top left.
  client.Left = std::min(client.Left, window.Right);
  client.Top = std::min(client.Top, window.Bottom);
  client.Right = std::max(client.Right, client.Left);
  client.Bottom = std::max(client.Bottom, client.Top);
  return client;
}

bool HasTrackingSizes(const TWindow& w) {
  // Overlapped and resizable top-level windows; hidden helper popups keep
  // whatever size they ask for.
  return IsTopLevel(w) && !(w.Style & WS_MINIMIZE) && ((w.Style & WS_THICKFRAME) || !(w.Style & WS_POPUP));
}

bool QueryMinMaxInfo(HWND h, MINMAXINFO& info) {
  TWindow* w = WindowOf(h);
  if (!w) return false;
  info = DefaultMinMaxInfo(*w);
  SendToWindow(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return WindowOf(h) != nullptr;
}

BOOL GetWindowRect(HWND hWnd, RECT* lpRect) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w || !lpRect) return FALSE;
  POINT origin{};
  if (TWindow* parent = WindowOf(w->Parent)) origin = ClientOriginOnScreen(*parent);
  *lpRect = RECT{w->Window.Left + origin.X, w->Window.Top + origin.Y, w->Window.Right + origin.X,
                 w->Window.Bottom + origin.Y};
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, RECT* lpRect) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w || !lpRect) return FALSE;
  *lpRect = RECT{0, 0, Width(w->Client), Height(w->Client)};
  return TRUE;
}

BOOL AdjustWindowRectEx(RECT* lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
  if (!lpRect) return FALSE;
  const RECT in = NonClientInsets(dwStyle, dwExStyle);
  lpRect->Left -= in.Left;
  lpRect->Top -= in.Top + (bMenu ? GetSystemMetrics(SM_CYMENU) : 0);
  lpRect->Right += in.Right;
  lpRect->Bottom += in.Bottom;
  return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, POINT* lpPoints, UINT cPoints) {
  POINT from, to;
  if (!OriginOf(hWndFrom, from) || !OriginOf(hWndTo, to)) return 0;
  const int dx = from.X - to.X;
  const int dy = from.Y - to.Y;
  for (UINT i = 0; lpPoints && i < cPoints; ++i) {
    lpPoints[i].X += dx;
    lpPoints[i].Y += dy;
  }
  SetLastError(ERROR_SUCCESS);  // a zero result can then be told from failure
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL ScreenToClient(HWND hWnd, POINT* lpPoint) {
  if (!lpPoint || !CheckedWindowOf(hWnd)) return FALSE;
  MapWindowPoints(nullptr, hWnd, lpPoint, 1);
  return TRUE;
}

BOOL ClientToScreen(HWND hWnd, POINT* lpPoint) {
  if (!lpPoint || !CheckedWindowOf(hWnd)) return FALSE;
  MapWindowPoints(hWnd, nullptr, lpPoint, 1);
  return TRUE;
}

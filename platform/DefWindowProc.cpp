// The default handling every window procedure ends in.

#include <algorithm>

#include "platform/Painting.h"
#include "platform/WindowObjects.h"

namespace {

void StoreText(TWindow& w, LPCWSTR text) {
  w.Text.clear();
  if (text)
    for (; *text; ++text) w.Text.push_back(*text);
  if (w.Surface) w.Surface->SetTitle(w.Text);
}

LPARAM PackPoint(LONG x, LONG y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void AfterPositionChange(HWND h, const WINDOWPOS& wp) {
  if (!(wp.flags & SWP_NOCLIENTMOVE)) {
    TWindow* w = WindowOf(h);
    if (!w) return;
    SendToWindow(h, WM_MOVE, 0, PackPoint(w->Client.Left, w->Client.Top));
  }
  if (!(wp.flags & SWP_NOCLIENTSIZE)) {
    TWindow* w = WindowOf(h);
    if (!w) return;
    const WPARAM kind = (w->Style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    SendToWindow(h, WM_SIZE, kind, PackPoint(w->Client.Right - w->Client.Left, w->Client.Bottom - w->Client.Top));
  }
}

void ApplyTrackingSizes(HWND h, WINDOWPOS& wp) {
  TWindow* w = WindowOf(h);
  if (!w || (wp.flags & SWP_NOSIZE) || !HasTrackingSizes(*w)) return;
  MINMAXINFO info;
  if (!QueryMinMaxInfo(h, info)) return;
  wp.cx = std::clamp<int>(wp.cx, info.ptMinTrackSize.X, std::max(info.ptMinTrackSize.X, info.ptMaxTrackSize.X));
  wp.cy = std::clamp<int>(wp.cy, info.ptMinTrackSize.Y, std::max(info.ptMinTrackSize.Y, info.ptMaxTrackSize.Y));
}

}  // namespace

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  TWindow* w = WindowOf(hWnd);
  if (!w) return 0;
  switch (Msg) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) StoreText(*w, cs->lpszName);
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      if (r) *r = DefaultClientRect(*w, *r);
      return 0;
    }
    case WM_WINDOWPOSCHANGING:
      if (lParam) ApplyTrackingSizes(hWnd, *reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      if (lParam) AfterPositionChange(hWnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    case WM_SETTEXT: StoreText(*w, reinterpret_cast<LPCWSTR>(lParam)); return TRUE;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      if (!buffer || wParam == 0) return 0;
      const size_t n = std::min(w->Text.size(), static_cast<size_t>(wParam) - 1);
      std::copy_n(w->Text.data(), n, buffer);
      buffer[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->Text.size());
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_PAINT: {
      if (wParam) return 0;  // painting into a given DC: nothing of its own to draw
      PAINTSTRUCT ps;
      BeginPaint(hWnd, &ps);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush = w->Class->Background;
      if (!brush || !wParam) return 0;
      RECT client;
      GetClientRect(hWnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      return 1;
    }
    case WM_NCPAINT: {
      HDC dc = GetDCEx(hWnd, nullptr, DCX_WINDOW | DCX_CACHE);
      PaintNonClient(*w, dc);
      ReleaseDC(hWnd, dc);
      return 0;
    }
    case WM_PRINT: PrintWindowInto(hWnd, reinterpret_cast<HDC>(wParam), lParam); return 0;
    case WM_SETREDRAW:
      // Redrawing off: the window stops collecting and painting updates.
      if (wParam) w->Style |= WS_VISIBLE;
      else w->Style &= ~WS_VISIBLE;
      return 0;
    default: return DefInputProc(hWnd, Msg, wParam, lParam);
  }
}

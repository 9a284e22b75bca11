// The default handling of mouse, focus and activation messages: hit
// testing the frame, cursors, mouse activation, context menus and the
// wheel passed up to the parent, and focus given back on activation.

#include "platform/WindowObjects.h"

namespace {

bool Inside(const RECT& r, POINT p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

HWND ParentOf(const TWindow& w) { return (w.Style & WS_CHILD) ? GetParent(w.Handle) : nullptr; }

LRESULT SizingCode(bool left, bool right, bool top, bool bottom) {
  if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
  if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
  return left ? HTLEFT : HTRIGHT;
}

// The caption's buttons from the right: close, then maximize and minimize.
LRESULT CaptionCode(const TWindow& w, const RECT& caption, POINT p) {
  if (!(w.Style & WS_SYSMENU)) return HTCAPTION;
  const int button = GetSystemMetrics(SM_CXSIZE);
  int right = caption.Right;
  if (p.X >= right - button) return HTCLOSE;
  right -= button;
  if (IsTopLevel(w) && (w.Style & WS_MAXIMIZEBOX)) {
    if (p.X >= right - button) return HTMAXBUTTON;
    right -= button;
  }
  if (IsTopLevel(w) && (w.Style & WS_MINIMIZEBOX) && p.X >= right - button) return HTMINBUTTON;
  if (p.X < caption.Left + GetSystemMetrics(SM_CXSMICON)) return HTSYSMENU;
  return HTCAPTION;
}

HCURSOR CursorFor(LRESULT hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT: return LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_SIZEWE));
    case HTTOP:
    case HTBOTTOM: return LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_SIZENS));
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_SIZENWSE));
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_SIZENESW));
    default: return LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_ARROW));
  }
}

LRESULT DefSetCursor(const TWindow& w, WPARAM wParam, LPARAM lParam) {
  // The parent may choose for its children.
  if (HWND parent = ParentOf(w))
    if (SendMessageW(parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
  // Only the window under the cursor picks its own shape.
  if (reinterpret_cast<HWND>(wParam) != w.Handle) return FALSE;
  const LRESULT hit = static_cast<short>(LOWORD(static_cast<ULONG_PTR>(lParam)));
  if (hit == HTCLIENT) {
    if (!w.Class->Cursor) return FALSE;
    SetCursor(w.Class->Cursor);
    return TRUE;
  }
  SetCursor(CursorFor(hit));
  return FALSE;
}

}  // namespace

LRESULT DefaultHitTest(const TWindow& w, POINT p) {
  if (!WindowContainsScreenPoint(w, p)) return HTNOWHERE;
  RECT window;
  GetWindowRect(w.Handle, &window);
  const POINT o = ClientOriginOnScreen(w);
  const RECT client{o.X, o.Y, o.X + w.Client.Right - w.Client.Left, o.Y + w.Client.Bottom - w.Client.Top};
  if (Inside(client, p)) return HTCLIENT;
  if ((w.Style & WS_THICKFRAME) && !(w.Style & (WS_MAXIMIZE | WS_MINIMIZE))) {
    const int frame = GetSystemMetrics(SM_CXSIZEFRAME);
    const bool left = p.X < window.Left + frame;
    const bool right = p.X >= window.Right - frame;
    const bool top = p.Y < window.Top + frame;
    const bool bottom = p.Y >= window.Bottom - frame;
    if (left || right || top || bottom) return SizingCode(left, right, top, bottom);
  }
  // The caption spans the client area's width, above it.
  if ((w.Style & WS_CAPTION) == WS_CAPTION) {
    const int height = GetSystemMetrics((w.ExStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    const RECT caption{client.Left, client.Top - height, client.Right, client.Top};
    if (Inside(RECT{window.Left, caption.Top, window.Right, caption.Bottom}, p)) return CaptionCode(w, caption, p);
  }
  if ((w.Style & WS_VSCROLL) && p.X >= client.Right && p.X < client.Right + GetSystemMetrics(SM_CXVSCROLL) &&
      p.Y >= client.Top && p.Y < client.Bottom)
    return HTVSCROLL;
  if ((w.Style & WS_HSCROLL) && p.Y >= client.Bottom && p.Y < client.Bottom + GetSystemMetrics(SM_CYHSCROLL) &&
      p.X >= client.Left && p.X < client.Right)
    return HTHSCROLL;
  return HTBORDER;
}

LRESULT DefInputProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  switch (msg) {
    case WM_NCHITTEST: return DefaultHitTest(*w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETCURSOR: return DefSetCursor(*w, wParam, lParam);
    case WM_MOUSEACTIVATE:
      if (HWND parent = ParentOf(*w))
        if (LRESULT answer = SendMessageW(parent, WM_MOUSEACTIVATE, wParam, lParam)) return answer;
      return MA_ACTIVATE;
    case WM_NCACTIVATE: return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) RestoreFocus(h);
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == h) ReleaseCapture();
      return 0;
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(h, &p);
      SendToWindow(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h),
                   MAKELPARAM(static_cast<WORD>(p.X), static_cast<WORD>(p.Y)));
      return 0;
    }
    // From the keyboard, a context menu has no point: lParam -1.
    case WM_SYSKEYDOWN:
      if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0) SendToWindow(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), -1);
      // Alt+F4 closes the top-level window the key reached.
      if (wParam == VK_F1 + 3 && (lParam & (1 << 29))) SendMessageW(GetAncestor(h, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSCOMMAND:
      // The low four bits are the platform's own.
      switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendToWindow(h, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(h, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(h, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(h, SW_RESTORE); break;
        default: break;
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_APPS) SendToWindow(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), -1);
      return 0;
    // Unhandled, these go up to the parent.
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
      if (HWND parent = ParentOf(*w)) return SendMessageW(parent, msg, wParam, lParam);
      return 0;
    default: return 0;
  }
}

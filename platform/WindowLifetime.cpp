// Creating and destroying windows, with the messages that go with it.

#include <algorithm>

#include "platform/WindowObjects.h"

namespace {

// Where CW_USEDEFAULT puts an overlapped window, and how large it makes it.
constexpr POINT DefaultPosition{26, 26};

SIZE DefaultSize() {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return SIZE{(work.Right - work.Left) * 3 / 4, (work.Bottom - work.Top) * 3 / 4};
}

// Sends WM_NCDESTROY and deletes: the end of every window.
void Finish(HWND h) {
  SendToWindow(h, WM_NCDESTROY, 0, 0);
  TWindow* w = WindowOf(h);
  if (!w) return;
  KillWindowTimers(h);
  PurgeQueuedMessages(h);
  ForgetWindowInput(h);
  for (HWND top : TopLevelWindows())
    if (TWindow* owned = WindowOf(top); owned->Owner == h) owned->Owner = nullptr;
  FreeWindow(h);
}

void SendDestroy(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w || w->DestroySent) return;
  w->DestroySent = true;
  SendToWindow(h, WM_DESTROY, 0, 0);
  w = WindowOf(h);
  if (!w) return;
  for (HWND child : std::vector<HWND>(w->Children)) SendDestroy(child);
}

// Children before their parent; handlers may have destroyed some already.
void FinishTree(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  for (HWND child : std::vector<HWND>(w->Children)) FinishTree(child);
  Finish(h);
}

void ClampToTracking(const MINMAXINFO& info, int& cx, int& cy) {
  cx = std::clamp(cx, static_cast<int>(info.ptMinTrackSize.X), std::max<int>(info.ptMinTrackSize.X, info.ptMaxTrackSize.X));
  cy = std::clamp(cy, static_cast<int>(info.ptMinTrackSize.Y), std::max<int>(info.ptMinTrackSize.Y, info.ptMaxTrackSize.Y));
}

}  // namespace

HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, void* lpParam) {
  TWindowClass* cls = FindClass(lpClassName, hInstance);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  HWND parent = DesktopHandle();
  HWND owner = nullptr;
  if (hWndParent == HWND_MESSAGE) {
    parent = MessageRootHandle();
  } else if (dwStyle & WS_CHILD) {
    if (!hWndParent) {
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return nullptr;
    }
    parent = hWndParent;
  } else if (hWndParent) {
    // Owners are top-level windows: a child passed as owner stands for its root.
    owner = GetAncestor(hWndParent, GA_ROOT);
    if (!owner) return nullptr;
  }
  TWindow* parentWindow = CheckedWindowOf(parent);
  if (!parentWindow) return nullptr;
  if (parentWindow->DestroySent) {
    // Children of a window on its way out would outlive it.
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }

  const bool overlapped = !(dwStyle & (WS_POPUP | WS_CHILD)) && parent == DesktopHandle();
  if (X == CW_USEDEFAULT) {
    X = overlapped ? DefaultPosition.X : 0;
    Y = overlapped ? DefaultPosition.Y : 0;
  }
  if (nWidth == CW_USEDEFAULT) {
    const SIZE size = overlapped ? DefaultSize() : SIZE{};
    nWidth = size.cx;
    nHeight = size.cy;
  }
  nWidth = std::max(nWidth, 0);
  nHeight = std::max(nHeight, 0);

  TWindow& w = NewWindow();
  const HWND h = w.Handle;
  w.Class = cls;
  ++cls->WindowCount;
  w.Proc = cls->Proc;
  // Overlapped windows always have a caption; visibility and the minimized
  // or maximized states come after creation.
  w.Style = dwStyle & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  if (overlapped) w.Style |= WS_CAPTION | WS_CLIPSIBLINGS;
  w.ExStyle = dwExStyle;
  w.Instance = hInstance;
  w.Id = reinterpret_cast<LONG_PTR>(hMenu);
  w.Extra.assign(static_cast<size_t>(cls->WindowExtra), 0);
  w.Parent = parent;
  w.Owner = owner;
  w.Window = w.Client = w.Normal = RECT{X, Y, X + nWidth, Y + nHeight};
  LinkChild(*parentWindow, h, IsTopLevel(w));
  if (IsTopLevel(w)) {
    RECT bounds;
    GetWindowRect(h, &bounds);
    w.Surface = CurrentBackend().CreateSurface(h, bounds);
  }

  CREATESTRUCTW cs;
  cs.lpCreateParams = lpParam;
  cs.hInstance = hInstance;
  cs.hMenu = hMenu;
  cs.hwndParent = hWndParent;
  cs.x = X;
  cs.y = Y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.style = static_cast<LONG>(dwStyle);
  cs.lpszName = lpWindowName;
  cs.lpszClass = lpClassName;
  cs.dwExStyle = dwExStyle;

  CBT_CREATEWNDW cbt{&cs, IsTopLevel(w) ? HWND_TOP : HWND_BOTTOM};
  if (CallHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(h), reinterpret_cast<LPARAM>(&cbt))) {
    // Refused before its first message: nothing is sent to it.
    if (WindowOf(h)) {
      KillWindowTimers(h);
      PurgeQueuedMessages(h);
      ForgetWindowInput(h);
      FreeWindow(h);
    }
    return nullptr;
  }
  // Every handler may destroy the window: look it up again after each.
  if (IsTopLevel(w)) {
    MINMAXINFO info;
    if (!QueryMinMaxInfo(h, info)) return nullptr;
    TWindow* again = WindowOf(h);
    if (HasTrackingSizes(*again)) {
      ClampToTracking(info, cs.cx, cs.cy);
      again->Window = again->Client = again->Normal = RECT{X, Y, X + cs.cx, Y + cs.cy};
      if (again->Surface) {
        RECT bounds;
        GetWindowRect(h, &bounds);
        again->Surface->SetBounds(bounds);
      }
    }
  }
  if (!SendToWindow(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (WindowOf(h)) FinishTree(h);
    return nullptr;
  }
  TWindow* created = WindowOf(h);
  if (!created) return nullptr;
  RECT client = created->Window;
  SendToWindow(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  if (!(created = WindowOf(h))) return nullptr;
  created->Client = client;
  if (SendToWindow(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(h);
    return nullptr;
  }
  if (!WindowOf(h)) return nullptr;
  if (dwStyle & WS_VISIBLE) {
    const int show = (dwStyle & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (dwStyle & WS_MINIMIZE) ? SW_SHOWMINNOACTIVE : SW_SHOWNA;
    ShowWindow(h, show);
  }
  return WindowOf(h) ? h : nullptr;
}

BOOL DestroyWindow(HWND hWnd) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  if (hWnd == DesktopHandle() || hWnd == MessageRootHandle()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // Already under way further up the stack: that call finishes it.
  if (w->DestroyStarted) return TRUE;
  if (CallHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hWnd), 0)) return FALSE;
  if (!(w = WindowOf(hWnd)) || w->DestroyStarted) return TRUE;
  w->DestroyStarted = true;
  for (HWND top : TopLevelWindows())
    if (TWindow* owned = WindowOf(top); owned && owned->Owner == hWnd) DestroyWindow(top);
  if ((w = WindowOf(hWnd)) && (w->Style & WS_VISIBLE))
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ReleaseWindowInput(hWnd);
  SendDestroy(hWnd);
  FinishTree(hWnd);
  return TRUE;
}

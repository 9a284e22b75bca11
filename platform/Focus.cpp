// Focus and activation: which window takes the keys, which top-level
// window is active, and the messages that announce each change.

#include "platform/WindowObjects.h"

namespace {

struct TFocus {
  HWND Focus = nullptr;
  // The active top-level window; nullptr while the program does not have
  // the desktop's focus.
  HWND Active = nullptr;
  // The window SetFocus asked for while it activates its top-level window.
  HWND Pending = nullptr;
  // The window hearing WM_KILLFOCUS: a handler that moves the focus does
  // not make it hear the message again.
  HWND Killing = nullptr;
};

TFocus& State() {
  static TFocus state;
  return state;
}

bool InTree(HWND root, HWND h) { return h && (h == root || IsChild(root, h)); }

WPARAM ActivateParam(WORD how, HWND h) { return MAKEWPARAM(how, IsIconic(h) ? 1 : 0); }

// The change itself: WM_KILLFOCUS, then WM_SETFOCUS. A handler of the
// first that moves the focus elsewhere wins.
HWND ChangeFocus(HWND h) {
  TFocus& s = State();
  const HWND old = s.Focus;
  if (old == h) return old;
  if (old && old != s.Killing && WindowOf(old)) {
    const HWND outer = s.Killing;
    s.Killing = old;
    SendToWindow(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
    s.Killing = outer;
    if (s.Focus != old) return old;
  }
  s.Focus = h && WindowOf(h) ? h : nullptr;
  if (s.Focus) SendToWindow(h, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

void SaveFocus(HWND top) {
  if (TWindow* w = WindowOf(top)) w->LastFocus = InTree(top, State().Focus) ? State().Focus : nullptr;
}

void SendToTopLevel(UINT msg, WPARAM wParam, LPARAM lParam) {
  for (HWND h : TopLevelWindows())
    if (WindowOf(h)) SendToWindow(h, msg, wParam, lParam);
}

bool Activate(HWND top, WORD how, bool mouse) {
  TFocus& s = State();
  const HWND old = s.Active;
  if (old == top) return true;
  CBTACTIVATESTRUCT cbt{mouse ? TRUE : FALSE, old};
  if (CallHooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&cbt))) return false;
  SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!WindowOf(top)) return false;
  if (old && WindowOf(old)) {
    SaveFocus(old);
    SendToWindow(old, WM_NCACTIVATE, FALSE, 0);
    if (WindowOf(old)) SendToWindow(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), reinterpret_cast<LPARAM>(top));
    if (!WindowOf(top)) return false;
  }
  s.Active = top;
  if (!old) SendToTopLevel(WM_ACTIVATEAPP, TRUE, 0);
  if (WindowOf(top)) SendToWindow(top, WM_NCACTIVATE, TRUE, 0);
  if (WindowOf(top)) SendToWindow(top, WM_ACTIVATE, ActivateParam(how, top), reinterpret_cast<LPARAM>(old));
  // The focus never stays in a window that is not active.
  if (s.Focus && s.Active && !InTree(s.Active, s.Focus)) ChangeFocus(nullptr);
  return s.Active == top;
}

// The next window to activate when `leaving` goes: its owner, else the
// topmost visible and enabled top-level window that is not on its way out.
HWND Successor(HWND leaving) {
  auto usable = [&](HWND h) {
    const TWindow* w = WindowOf(h);
    return w && h != leaving && !w->DestroyStarted && (w->Style & WS_VISIBLE) && !(w->Style & WS_DISABLED);
  };
  if (const TWindow* w = WindowOf(leaving); w && usable(w->Owner)) return w->Owner;
  for (HWND h : TopLevelWindows())
    if (usable(h)) return h;
  return nullptr;
}

}  // namespace

HWND FocusWindow() { return State().Focus; }
HWND ActiveWindow() { return State().Active; }

void ActivateByMouse(HWND top) { Activate(top, WA_CLICKACTIVE, true); }

void RestoreFocus(HWND top) {
  TFocus& s = State();
  const TWindow* w = WindowOf(top);
  if (!w) return;
  HWND target = top;
  if (InTree(top, s.Pending))
    target = s.Pending;
  else if (w->LastFocus && WindowOf(w->LastFocus) && InTree(top, w->LastFocus))
    target = w->LastFocus;
  ChangeFocus(target);
}

void LoseDesktopFocus() {
  TFocus& s = State();
  const HWND old = s.Active;
  if (old && WindowOf(old)) {
    SaveFocus(old);
    SendToWindow(old, WM_NCACTIVATE, FALSE, 0);
    if (WindowOf(old)) SendToWindow(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), 0);
  }
  s.Active = nullptr;
  if (old) SendToTopLevel(WM_ACTIVATEAPP, FALSE, 0);
  ChangeFocus(nullptr);
  // The mouse and the keys belong to another program now.
  if (HWND capture = GetCapture()) {
    SendToWindow(capture, WM_CANCELMODE, 0, 0);
    if (GetCapture()) ReleaseCapture();
  }
  ClearKeyState();
}

void ActivationAfterShow(HWND h, int show) {
  TWindow* w = WindowOf(h);
  if (!w || !IsTopLevel(*w)) return;
  TFocus& s = State();
  if (show == SW_HIDE) {
    if (s.Active != h) return;
    if (HWND next = Successor(h))
      Activate(next, WA_ACTIVE, false);
    else
      LoseDesktopFocus();
    return;
  }
  const bool passive = show == SW_SHOWNA || show == SW_SHOWNOACTIVATE || show == SW_SHOWMINNOACTIVE ||
                       show == SW_MINIMIZE || show == SW_FORCEMINIMIZE;
  if (!passive && (w->Style & WS_VISIBLE)) Activate(h, WA_ACTIVE, false);
}

void DesktopFocusInput(HWND top) {
  if (!top) {
    LoseDesktopFocus();
    return;
  }
  TWindow* w = WindowOf(top);
  if (w && IsTopLevel(*w)) Activate(top, WA_ACTIVE, false);
}

void ReleaseFocusBelow(HWND root) {
  TFocus& s = State();
  if (InTree(root, s.Active)) {
    if (HWND next = Successor(s.Active))
      Activate(next, WA_ACTIVE, false);
    else
      LoseDesktopFocus();
  }
  if (InTree(root, s.Focus)) ChangeFocus(nullptr);
}

void ForgetFocus(HWND h) {
  TFocus& s = State();
  if (s.Focus == h) s.Focus = nullptr;
  if (s.Active == h) s.Active = nullptr;
  if (s.Pending == h) s.Pending = nullptr;
}

HWND SetFocus(HWND hWnd) {
  TFocus& s = State();
  const HWND old = s.Focus;
  if (hWnd) {
    if (!CheckedWindowOf(hWnd)) return nullptr;
    const HWND top = GetAncestor(hWnd, GA_ROOT);
    // Message-only windows never take the keys.
    if (!IsTopLevel(*WindowOf(top))) {
      SetLastError(ERROR_ACCESS_DENIED);
      return nullptr;
    }
    if (hWnd == old) return old;
    if (CallHooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(old))) return nullptr;
    if (s.Active != top) {
      s.Pending = hWnd;
      const bool activated = Activate(top, WA_ACTIVE, false);
      s.Pending = nullptr;
      if (!activated || !WindowOf(hWnd)) return old;
    }
  } else if (CallHooks(WH_CBT, HCBT_SETFOCUS, 0, reinterpret_cast<LPARAM>(old))) {
    return nullptr;
  }
  ChangeFocus(hWnd);
  return old;
}

HWND GetFocus() { return State().Focus; }

HWND SetActiveWindow(HWND hWnd) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return nullptr;
  if (!IsTopLevel(*w)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const HWND old = State().Active;
  Activate(hWnd, WA_ACTIVE, false);
  return old;
}

HWND GetActiveWindow() { return State().Active; }

HWND GetForegroundWindow() { return State().Active; }

BOOL SetForegroundWindow(HWND hWnd) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return FALSE;
  const HWND top = GetAncestor(hWnd, GA_ROOT);
  if (!IsTopLevel(*WindowOf(top))) return FALSE;
  return Activate(top, WA_ACTIVE, false) ? TRUE : FALSE;
}

// The mouse: routing by hit test and capture, double clicks, the wheel,
// leave tracking and the cursor.

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "platform/WindowObjects.h"

namespace {

constexpr UINT DoubleClickTime = 500;

struct TPress {
  UINT Button = 0;
  HWND Window = nullptr;
  bool Client = false;
  ULONGLONG Time = 0;
  POINT At;
};

struct TMouse {
  POINT Cursor;
  HWND Capture = nullptr;
  TPress LastPress;  // a double click's first half
  HWND Tracked = nullptr;
  bool TrackNonClient = false;
  HCURSOR Shape = nullptr;
};

TMouse& Mouse() {
  static TMouse mouse;
  return mouse;
}

LPARAM PackPoint(POINT p) { return MAKELPARAM(static_cast<WORD>(p.X), static_cast<WORD>(p.Y)); }

bool Inside(const RECT& r, POINT p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

RECT ClientOnScreen(const TWindow& w) {
  const POINT o = ClientOriginOnScreen(w);
  return RECT{o.X, o.Y, o.X + w.Client.Right - w.Client.Left, o.Y + w.Client.Bottom - w.Client.Top};
}

bool Skipped(const std::vector<HWND>& skip, HWND h) { return std::find(skip.begin(), skip.end(), h) != skip.end(); }

// The deepest visible window below h at the point; children are reached
// only through their parent's client area.
HWND DeepestAt(HWND h, POINT screen, const std::vector<HWND>& skip) {
  TWindow* w = WindowOf(h);
  if (!Inside(ClientOnScreen(*w), screen)) return h;
  for (HWND c : w->Children) {
    TWindow* child = WindowOf(c);
    if (!(child->Style & WS_VISIBLE) || Skipped(skip, c) || !WindowContainsScreenPoint(*child, screen)) continue;
    // A disabled child takes no input: its place goes to the parent.
    if (child->Style & WS_DISABLED) return h;
    return DeepestAt(c, screen, skip);
  }
  return h;
}

// The window under the point and its hit-test code, looking through
// windows that answer HTTRANSPARENT. nullptr over no window of the program
// or over a disabled top-level window.
HWND TargetAt(POINT screen, LRESULT& hit) {
  std::vector<HWND> skip;
  hit = HTNOWHERE;
  for (;;) {
    HWND found = nullptr;
    for (HWND top : TopLevelWindows()) {
      TWindow* w = WindowOf(top);
      if (!(w->Style & WS_VISIBLE) || Skipped(skip, top) || !WindowContainsScreenPoint(*w, screen)) continue;
      if (w->Style & WS_DISABLED) return nullptr;
      found = DeepestAt(top, screen, skip);
      break;
    }
    if (!found) return nullptr;
    hit = SendToWindow(found, WM_NCHITTEST, 0, PackPoint(screen));
    if (!WindowOf(found)) return nullptr;
    if (hit != HTTRANSPARENT) return found;
    skip.push_back(found);
  }
}

WPARAM MouseKeys() {
  WPARAM keys = 0;
  if (IsAsyncKeyDown(VK_LBUTTON)) keys |= MK_LBUTTON;
  if (IsAsyncKeyDown(VK_RBUTTON)) keys |= MK_RBUTTON;
  if (IsAsyncKeyDown(VK_MBUTTON)) keys |= MK_MBUTTON;
  if (IsAsyncKeyDown(VK_SHIFT)) keys |= MK_SHIFT;
  if (IsAsyncKeyDown(VK_CONTROL)) keys |= MK_CONTROL;
  return keys;
}

using TRouted = std::vector<TInputMessage>;

// The client message; the non-client one is 0x160 lower (WM_NCMOUSEMOVE
// and the WM_NC...BUTTON... messages keep the same order).
void AddMouse(TRouted& out, const TInputMessage& event, HWND target, LRESULT hit, UINT clientMsg) {
  TWindow* w = WindowOf(target);
  if (!w) return;
  TInputMessage m = event;
  m.Extra.Raw = false;
  m.Msg.hwnd = target;
  const POINT screen = event.Msg.pt;
  if (hit == HTCLIENT) {
    const POINT o = ClientOriginOnScreen(*w);
    m.Msg.message = clientMsg;
    m.Msg.lParam = PackPoint(POINT{screen.X - o.X, screen.Y - o.Y});
  } else {
    m.Msg.message = clientMsg - (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
    m.Msg.wParam = static_cast<WPARAM>(hit);
    m.Msg.lParam = PackPoint(screen);
  }
  out.push_back(std::move(m));
}

// Leave tracking ends once the cursor is off the tracked area.
void CheckLeave(TRouted& out, const TInputMessage& event, HWND under, LRESULT hit) {
  TMouse& m = Mouse();
  if (!m.Tracked) return;
  const bool stays = under == m.Tracked && (m.TrackNonClient ? hit != HTCLIENT : hit == HTCLIENT);
  if (stays) return;
  TInputMessage leave;
  leave.Msg = event.Msg;
  leave.Msg.hwnd = m.Tracked;
  leave.Msg.message = m.TrackNonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE;
  leave.Msg.wParam = 0;
  leave.Msg.lParam = 0;
  m.Tracked = nullptr;
  out.push_back(std::move(leave));
}

// Under the capture the tracked window is measured, not asked.
void CheckLeaveCaptured(TRouted& out, const TInputMessage& event) {
  TMouse& m = Mouse();
  if (!m.Tracked) return;
  TWindow* w = WindowOf(m.Tracked);
  RECT bounds;
  GetWindowRect(m.Tracked, &bounds);
  const POINT screen = event.Msg.pt;
  const bool inClient = w && Inside(ClientOnScreen(*w), screen);
  const LRESULT hit = inClient ? HTCLIENT : (Inside(bounds, screen) ? HTBORDER : HTNOWHERE);
  CheckLeave(out, event, hit == HTNOWHERE ? nullptr : m.Tracked, hit);
}

UINT ButtonDownMessage(UINT button) {
  switch (button) {
    case VK_RBUTTON: return WM_RBUTTONDOWN;
    case VK_MBUTTON: return WM_MBUTTONDOWN;
    default: return WM_LBUTTONDOWN;
  }
}

bool IsDoubleClick(const TPress& last, const TPress& now, const TWindow& w) {
  if (last.Button != now.Button || last.Window != now.Window || last.Client != now.Client) return false;
  if (now.Time - last.Time > DoubleClickTime) return false;
  // The rectangle is centred on the first press.
  if (std::abs(now.At.X - last.At.X) > GetSystemMetrics(SM_CXDOUBLECLK) / 2) return false;
  if (std::abs(now.At.Y - last.At.Y) > GetSystemMetrics(SM_CYDOUBLECLK) / 2) return false;
  return !now.Client || (w.Class->Style & CS_DBLCLKS);
}

struct TCursorKey {
  HINSTANCE Instance;
  std::u16string Name;  // "#n" for a number
  bool operator<(const TCursorKey& o) const { return std::tie(Instance, Name) < std::tie(o.Instance, o.Name); }
};

std::u16string CursorName(LPCWSTR name) {
  if (!IS_INTRESOURCE(name)) return name;
  std::u16string out = u"#";
  for (char c : std::to_string(reinterpret_cast<ULONG_PTR>(name))) out.push_back(static_cast<char16_t>(c));
  return out;
}

}  // namespace

bool WindowContainsScreenPoint(const TWindow& w, POINT screen) {
  RECT r;
  GetWindowRect(w.Handle, &r);
  if (!Inside(r, screen)) return false;
  // A shaped window lets clicks outside its region through to what lies below.
  return !w.Shape ||
         pixman_region32_contains_point(const_cast<pixman_region32_t*>(w.Shape.get()), screen.X - r.Left, screen.Y - r.Top, nullptr);
}

POINT CursorPosition() { return Mouse().Cursor; }

// Mouse events wait unrouted: the capture and the windows as they stand
// when an event reaches the front of the input decide where it goes.
void MouseMoveInput(POINT screen) {
  Mouse().Cursor = screen;
  TInputExtra extra;
  extra.Raw = true;
  QueueInput(nullptr, WM_MOUSEMOVE, MouseKeys(), 0, screen, std::move(extra));
}

void MouseButtonInput(UINT button, bool down, POINT screen) {
  Mouse().Cursor = screen;
  SetAsyncKeyState(button, down);
  TInputExtra extra{u"", button, down};
  extra.Raw = true;
  const UINT downMsg = ButtonDownMessage(button);
  QueueInput(nullptr, down ? downMsg : downMsg + 1, MouseKeys(), 0, screen, std::move(extra));
}

void MouseWheelInput(int delta, POINT screen) {
  Mouse().Cursor = screen;
  const short notch = static_cast<short>(std::clamp(delta, -32768, 32767));
  TInputExtra extra;
  extra.ToFocus = true;
  QueueInput(nullptr, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(MouseKeys()), static_cast<WORD>(notch)),
             PackPoint(screen), screen, std::move(extra));
}

std::vector<TInputMessage> RouteMouse(const TInputMessage& event) {
  TMouse& m = Mouse();
  TRouted out;
  const POINT screen = event.Msg.pt;
  const UINT clientMsg = event.Msg.message;
  if (clientMsg == WM_MOUSEMOVE) {
    if (HWND capture = m.Capture) {
      CheckLeaveCaptured(out, event);
      AddMouse(out, event, capture, HTCLIENT, WM_MOUSEMOVE);
      return out;
    }
    LRESULT hit;
    HWND target = TargetAt(screen, hit);
    CheckLeave(out, event, target, hit);
    if (!target) return out;
    SendToWindow(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                 MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
    AddMouse(out, event, target, hit, WM_MOUSEMOVE);
    return out;
  }
  const UINT button = event.Extra.StateKey;
  const bool down = event.Extra.StateDown;
  const UINT downMsg = ButtonDownMessage(button);
  UINT msg = clientMsg;
  HWND target = m.Capture;
  LRESULT hit = HTCLIENT;
  // A press or release that reaches no window still changes the state.
  auto dropped = [&] {
    SetQueueKeyState(button, down);
    return TRouted{};
  };
  if (!target) {
    target = TargetAt(screen, hit);
    if (!target) return dropped();
    const HWND top = GetAncestor(target, GA_ROOT);
    if (down && top != GetForegroundWindow()) {
      const UINT asked = hit == HTCLIENT ? downMsg : downMsg - (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
      const LRESULT answer = SendToWindow(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                          MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(asked)));
      if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && WindowOf(top)) ActivateByMouse(top);
      if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT || !WindowOf(target)) return dropped();
    }
    SendToWindow(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                 MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(msg)));
    if (!WindowOf(target)) return dropped();
  }
  if (down) {
    const TPress press{button, target, hit == HTCLIENT, event.Msg.time, screen};
    if (IsDoubleClick(m.LastPress, press, *WindowOf(target))) {
      msg = downMsg + 2;
      m.LastPress = TPress{};  // a third press starts over
    } else {
      m.LastPress = press;
    }
  }
  AddMouse(out, event, target, hit, msg);
  return out;
}

void ReleaseCapturesBelow(HWND root) {
  TMouse& m = Mouse();
  if (m.Capture && (m.Capture == root || IsChild(root, m.Capture))) ReleaseCapture();
}

void ForgetMouse(HWND h) {
  TMouse& m = Mouse();
  if (m.Capture == h) m.Capture = nullptr;
  if (m.Tracked == h) m.Tracked = nullptr;
  if (m.LastPress.Window == h) m.LastPress = TPress{};
}

HWND SetCapture(HWND hWnd) {
  if (!CheckedWindowOf(hWnd)) return nullptr;
  TMouse& m = Mouse();
  const HWND old = m.Capture;
  m.Capture = hWnd;
  if (old && old != hWnd && WindowOf(old)) SendToWindow(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  return old;
}

BOOL ReleaseCapture() {
  TMouse& m = Mouse();
  const HWND old = m.Capture;
  m.Capture = nullptr;
  if (old && WindowOf(old)) SendToWindow(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return Mouse().Capture; }

UINT GetDoubleClickTime() { return DoubleClickTime; }

HWND WindowFromPoint(POINT Point) {
  LRESULT hit;
  return TargetAt(Point, hit);
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point) { return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL); }

HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags) {
  TWindow* parent = CheckedWindowOf(hwnd);
  if (!parent) return nullptr;
  const POINT o = ClientOriginOnScreen(*parent);
  const POINT screen{pt.X + o.X, pt.Y + o.Y};
  RECT bounds;
  GetWindowRect(hwnd, &bounds);
  if (!Inside(bounds, screen)) return nullptr;
  for (HWND c : parent->Children) {
    const TWindow* w = WindowOf(c);
    if ((flags & CWP_SKIPINVISIBLE) && !(w->Style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (w->Style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (w->ExStyle & WS_EX_TRANSPARENT)) continue;
    if (WindowContainsScreenPoint(*w, screen)) return c;
  }
  return hwnd;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* lpEventTrack) {
  if (!lpEventTrack || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  TMouse& m = Mouse();
  TRACKMOUSEEVENT& t = *lpEventTrack;
  if (t.dwFlags & TME_QUERY) {
    t.dwFlags = m.Tracked ? TME_LEAVE | (m.TrackNonClient ? TME_NONCLIENT : 0) : 0;
    t.hwndTrack = m.Tracked;
    t.dwHoverTime = 0;
    return TRUE;
  }
  if (!(t.dwFlags & TME_LEAVE)) return TRUE;
  const bool nonClient = (t.dwFlags & TME_NONCLIENT) != 0;
  if (t.dwFlags & TME_CANCEL) {
    if (m.Tracked == t.hwndTrack && m.TrackNonClient == nonClient) m.Tracked = nullptr;
    return TRUE;
  }
  TWindow* w = CheckedWindowOf(t.hwndTrack);
  if (!w) return FALSE;
  // Measured rather than hit-tested: the call comes from inside handlers.
  RECT bounds;
  GetWindowRect(t.hwndTrack, &bounds);
  const bool inClient = Inside(ClientOnScreen(*w), m.Cursor);
  const bool there = nonClient ? Inside(bounds, m.Cursor) && !inClient : inClient;
  if (!there) {
    QueueInput(t.hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0, m.Cursor, TInputExtra{});
    return TRUE;
  }
  m.Tracked = t.hwndTrack;
  m.TrackNonClient = nonClient;
  return TRUE;
}

BOOL GetCursorPos(POINT* lpPoint) {
  if (!lpPoint) return FALSE;
  *lpPoint = Mouse().Cursor;
  return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
  const POINT at{std::clamp(X, 0, GetSystemMetrics(SM_CXSCREEN) - 1),
                 std::clamp(Y, 0, GetSystemMetrics(SM_CYSCREEN) - 1)};
  MouseMoveInput(at);
  return TRUE;
}

HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
  if (!lpCursorName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  static std::map<TCursorKey, std::unique_ptr<HICON__>> cursors;
  if (hInstance) {
    if (!FindResourceW(hInstance, lpCursorName, RT_GROUP_CURSOR)) return nullptr;
  } else {
    static constexpr WORD system[] = {IDC_ARROW,    IDC_IBEAM,    IDC_WAIT,        IDC_CROSS,  IDC_UPARROW,
                                      IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE,      IDC_SIZENS, IDC_SIZEALL,
                                      IDC_NO,       IDC_HAND,     IDC_APPSTARTING, IDC_HELP};
    const ULONG_PTR id = reinterpret_cast<ULONG_PTR>(lpCursorName);
    if (!IS_INTRESOURCE(lpCursorName) || std::find(std::begin(system), std::end(system), id) == std::end(system)) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return nullptr;
    }
  }
  auto& slot = cursors[TCursorKey{hInstance, CursorName(lpCursorName)}];
  if (!slot) slot = std::make_unique<HICON__>();
  return slot.get();
}

HCURSOR SetCursor(HCURSOR hCursor) {
  TMouse& m = Mouse();
  const HCURSOR old = m.Shape;
  if (hCursor != old) {
    m.Shape = hCursor;
    CurrentBackend().ShowCursor(hCursor);
  }
  return old;
}

HCURSOR GetCursor() { return Mouse().Shape; }

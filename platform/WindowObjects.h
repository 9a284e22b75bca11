#pragma once
// The objects behind window handles and what the window manager's sources
// share among themselves.

#include <pixman.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Windows.h"
#include "platform/backend/Backend.h"

struct TWindowClass {
  ATOM Atom = 0;
  std::u16string Name;
  UINT Style = 0;
  WNDPROC Proc = nullptr;
  int ClassExtra = 0;
  int WindowExtra = 0;
  HINSTANCE Instance = nullptr;
  HICON Icon = nullptr;
  HICON IconSmall = nullptr;
  HCURSOR Cursor = nullptr;
  HBRUSH Background = nullptr;
  LPCWSTR MenuName = nullptr;  // a number, or MenuNameText
  std::u16string MenuNameText;
  bool BuiltIn = false;  // registered by the platform, found from any instance
  int WindowCount = 0;
};

struct TWindow {
  TWindow() { pixman_region32_init(&Update); }
  ~TWindow() { pixman_region32_fini(&Update); }
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle = nullptr;
  TWindowClass* Class = nullptr;
  WNDPROC Proc = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HINSTANCE Instance = nullptr;
  LONG_PTR Id = 0;
  LONG_PTR UserData = 0;
  std::vector<BYTE> Extra;  // the class's cbWndExtra bytes
  std::u16string Text;

  HWND Parent = nullptr;  // the desktop for top-level windows
  HWND Owner = nullptr;
  std::vector<HWND> Children;  // z-order, top first

  // Both in the parent's client coordinates.
  RECT Window;
  RECT Client;
  RECT Normal;  // the restored placement while minimized or maximized

  pixman_region32_t Update;  // client coordinates
  bool EraseNeeded = false;    // the update region waits for WM_ERASEBKGND
  bool FrameNeeded = false;    // WM_NCPAINT is due
  bool InternalPaint = false;  // WM_PAINT is due even without an update region
  std::shared_ptr<const pixman_region32_t> Shape;  // window coordinates; none: the window rectangle
  std::unique_ptr<TBackendSurface> Surface;  // top-level windows only

  bool DestroyStarted = false;  // DestroyWindow runs for this window
  bool DestroySent = false;     // WM_DESTROY delivered; no new children

  // Input: the window inside that had the focus when this top-level window
  // was last deactivated.
  HWND LastFocus = nullptr;
};

// --- Window tree (WindowTree.cpp) -----------------------------------------

// nullptr for an unknown or destroyed handle.
TWindow* WindowOf(HWND h);
// Sets ERROR_INVALID_WINDOW_HANDLE when the handle names no window.
TWindow* CheckedWindowOf(HWND h);
HWND DesktopHandle();
HWND MessageRootHandle();
bool IsTopLevel(const TWindow& w);
// A new window with a handle, not linked into the tree.
TWindow& NewWindow();
// Unlinks and deletes the window (its children must be gone already).
void FreeWindow(HWND h);
void LinkChild(TWindow& parent, HWND child, bool onTop);
void UnlinkChild(TWindow& parent, HWND child);
// The top-level windows in z-order.
std::vector<HWND> TopLevelWindows();
// The window and its descendants, parents first, in z-order.
std::vector<HWND> WindowsBelow(HWND root);
// Screen position of the client area's origin.
POINT ClientOriginOnScreen(const TWindow& w);
bool HasTopLevelWindows();

// --- Classes (WindowClasses.cpp) ------------------------------------------

// Finds the program's classes through their instance and the built-in and
// global ones from any instance.
TWindowClass* FindClass(LPCWSTR name, HINSTANCE instance);

// --- Geometry (WindowGeometry.cpp) ----------------------------------------

// What DefWindowProcW answers to WM_NCCALCSIZE for a window rectangle.
RECT DefaultClientRect(const TWindow& w, const RECT& window);
// Whether the tracking sizes bound the window's size.
bool HasTrackingSizes(const TWindow& w);
// Sends WM_GETMINMAXINFO with the defaults and answers what the handler
// left; false when the handler destroyed the window.
bool QueryMinMaxInfo(HWND h, MINMAXINFO& info);

// --- Messages (MessageQueue.cpp) ------------------------------------------

// Calls the window's current procedure with the message, as a send.
LRESULT SendToWindow(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
// Drops the window's posted and input messages.
void PurgeQueuedMessages(HWND h);
// The clock of the current backend.
ULONGLONG ClockNow();
// Whether a message for hwnd passes a window filter of GetMessageW.
bool MatchesWindowFilter(HWND filter, HWND hwnd);
// Notes that something arrived for WaitMessageW.
void NoteQueueActivity();

// --- Timers (Timers.cpp) --------------------------------------------------

// The due timer a retrieval with these filters would produce.
struct TDueTimer {
  HWND Window = nullptr;
  UINT_PTR Id = 0;
  TIMERPROC Proc = nullptr;
};
bool FindDueTimer(HWND filter, ULONGLONG now, TDueTimer& out);
// Moves the timer's next tick to the next grid point after now.
void ConsumeTimerTick(HWND window, UINT_PTR id, ULONGLONG now);
// The earliest tick after `after` of the timers passing the filter;
// NoDeadline for none.
ULONGLONG NextTimerDeadline(HWND filter, ULONGLONG after);
// Whether a tick fell in (after, upTo].
bool TimerTickBetween(ULONGLONG after, ULONGLONG upTo);
bool IsLiveTimerProc(HWND window, UINT_PTR id, TIMERPROC proc);
void KillWindowTimers(HWND window);

// --- Update regions (UpdateRegions.cpp) -----------------------------------

// The first visible window with something to paint, parents first.
HWND FindWindowToPaint(HWND filter);
// Whether WM_PAINT is due for the window.
bool NeedsPaint(const TWindow& w);
void InvalidateClient(TWindow& w, const pixman_region32_t* area);
void ValidateAll(TWindow& w);
// What RedrawWindow does, the area in client coordinates (nullptr: all).
void RedrawArea(TWindow& w, const pixman_region32_t* area, UINT flags);

// --- Painting (Painting.cpp) ------------------------------------------------

// The top-level window whose surface the window draws on; nullptr for the
// desktop and message-only windows.
TWindow* SurfaceOwner(TWindow& w);
// A DC on the window, its visible region further limited to extra (surface
// coordinates) when given.
HDC WindowDC(HWND h, DWORD flags, const pixman_region32_t* extra);
// A window's client area (or whole window) as a region in its surface's
// coordinates.
void SurfaceArea(const TWindow& w, bool wholeWindow, pixman_region32_t& out);
// The default drawing of the frame into a DC on the window's top-left.
void PaintNonClient(TWindow& w, HDC hdc);
// The default handling of WM_PRINT.
void PrintWindowInto(HWND h, HDC hdc, LPARAM flags);

// --- System broadcasts (SystemChanges.cpp) --------------------------------

void BroadcastToTopLevel(UINT msg, WPARAM wParam, LPARAM lParam);

// --- Input (InputQueue.cpp, Input.cpp, Keyboard.cpp, Focus.cpp, Hooks.cpp,
// Caret.cpp) ---------------------------------------------------------------

// What an input event carried besides its message.
struct TInputExtra {
  std::u16string Text;  // the characters a key typed, for TranslateMessage
  UINT StateKey = 0;    // the key or button the event pressed or released (sided); 0 none
  bool StateDown = false;
  // Keys and characters go to the focus window as they leave the queue, so
  // that a handler moving the focus redirects the keys already waiting.
  bool ToFocus = false;
  bool System = false;  // a system key even with a focus window (Alt, F10)
  // A mouse event not routed yet: wParam holds the MK_ flags, pt the
  // screen position, the message the client one.
  bool Raw = false;
};

// An input message waiting in the queue.
struct TInputMessage {
  MSG Msg;
  TInputExtra Extra;
  ULONGLONG Serial = 0;
};

// Queues an input message at the cursor position it happened at.
void QueueInput(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, POINT cursor, TInputExtra extra);
// Runs the keyboard and mouse hooks on a message being taken from the queue
// and makes the key state follow it; false when a hook threw it away.
bool AcceptInput(const TInputMessage& in, MSG& out, bool remove);

// Whether a screen point lies in the window: inside its rectangle, and
// inside its window region once it has one.
bool WindowContainsScreenPoint(const TWindow& w, POINT screen);
// The cursor position input last reported.
POINT CursorPosition();
// What DefWindowProcW answers to WM_NCHITTEST.
LRESULT DefaultHitTest(const TWindow& w, POINT screen);

// The key state that GetKeyState answers, changed as input messages are
// taken from the queue, and the state at this moment.
void SetQueueKeyState(UINT key, bool down);
void SetAsyncKeyState(UINT key, bool down);
bool IsAsyncKeyDown(UINT key);
// Every key up in both states; the toggles stay.
void ClearKeyState();
// The key message just taken from the queue and the text its event carried.
void RememberKeyMessage(const MSG& msg, const std::u16string& text);
// The messages a mouse event becomes once it reaches the front of the
// input: hit testing (or the capture), mouse activation, WM_SETCURSOR,
// double clicks and leave tracking. Nothing when it reaches no window.
std::vector<TInputMessage> RouteMouse(const TInputMessage& event);
// Points a waiting key or character at the focus window (the active
// window, as a system key, without one).
void RouteToFocus(TInputMessage& m);
// The key of the US layout that types c, and whether it needs Shift.
bool LayoutKeyFor(char16_t c, UINT& vk, bool& shift);

// The focus and active window, for routing input.
HWND FocusWindow();
HWND ActiveWindow();
// Activation by a click (WA_CLICKACTIVE).
void ActivateByMouse(HWND top);
// The default handling of WM_ACTIVATE for an activated window.
void RestoreFocus(HWND top);
// ShowWindow activates a top-level window it shows, unless told not to; a
// hidden active window hands activation on.
void ActivationAfterShow(HWND h, int show);
// The program loses the desktop's focus.
void LoseDesktopFocus();

// Before a window and its descendants are destroyed: the capture, focus
// and activation leave them, with their messages.
void ReleaseWindowInput(HWND root);
// When a window is freed: nothing of the input state names it any more.
void ForgetWindowInput(HWND h);
void ForgetMouse(HWND h);
void ForgetFocus(HWND h);
void ForgetCaret(HWND h);
// The WM_PAINT of the built-in control classes: Draw(dc) into the DC in
// wParam, else between BeginPaint and EndPaint.
template <typename TDraw>
void PaintControl(HWND h, WPARAM dc, TDraw Draw) {
  if (dc) {
    Draw(reinterpret_cast<HDC>(dc));
    return;
  }
  PAINTSTRUCT ps;
  Draw(BeginPaint(h, &ps));
  EndPaint(h, &ps);
}
// The procedures of the built-in control classes.
LRESULT ButtonWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT EditWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// A key or button pressed: a shown caret blinks again from the start.
void RestartCaretBlink();
// Painting a window takes its caret off its pixels and puts it back after.
void TakeCaretOffForPaint(HWND h);
void PutCaretBackAfterPaint(HWND h);
void ReleaseCapturesBelow(HWND root);
void ReleaseFocusBelow(HWND root);

// Runs the chain of hooks of a kind; 0 without hooks.
LRESULT CallHooks(int kind, int code, WPARAM wParam, LPARAM lParam);
bool HasHooks(int kind);

// The default handling of the input, focus and activation messages.
LRESULT DefInputProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

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

#pragma once
// The window manager: classes and window procedures, the window tree, sizes
// and positions, the message queue, timers, system metrics and parameters.
// Everything runs on the one GUI thread.

#include "platform/Gdi.h"
#include "platform/Kernel.h"
#include "platform/Resources.h"

struct HWND__ {};
struct HMENU__ {};
struct HICON__ {};
using HWND = HWND__*;
using HMENU = HMENU__*;
using HICON = HICON__*;
using HCURSOR = HICON;
using ATOM = WORD;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

constexpr WORD LOWORD(ULONG_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(ULONG_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LONG MAKELONG(WORD lo, WORD hi) {
  return static_cast<LONG>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(lo, hi))); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(lo, hi))); }
// Coordinates packed into a message are signed 16-bit values.
constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<short>(LOWORD(static_cast<ULONG_PTR>(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<short>(HIWORD(static_cast<ULONG_PTR>(lp))); }

inline LPCWSTR MAKEINTATOM(ATOM atom) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)); }

// Special window handles, as the system spells them.
#define HWND_TOP (reinterpret_cast<HWND>(0))
#define HWND_BOTTOM (reinterpret_cast<HWND>(1))
#define HWND_TOPMOST (reinterpret_cast<HWND>(-1))
#define HWND_NOTOPMOST (reinterpret_cast<HWND>(-2))
// The parent of message-only windows: never shown, never reached by broadcasts.
#define HWND_MESSAGE (reinterpret_cast<HWND>(-3))
// Every top-level window, hidden ones included.
#define HWND_BROADCAST (reinterpret_cast<HWND>(0xFFFF))

inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_POSSIBLE_DEADLOCK = 1131;
inline constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;
inline constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
inline constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
inline constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
inline constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;
inline constexpr DWORD ERROR_INVALID_INDEX = 1413;

// --- Rectangles -----------------------------------------------------------

BOOL SetRect(RECT* lprc, int xLeft, int yTop, int xRight, int yBottom);
BOOL SetRectEmpty(RECT* lprc);
BOOL CopyRect(RECT* lprcDst, const RECT* lprcSrc);
BOOL IsRectEmpty(const RECT* lprc);
BOOL EqualRect(const RECT* lprc1, const RECT* lprc2);
BOOL PtInRect(const RECT* lprc, POINT pt);
BOOL OffsetRect(RECT* lprc, int dx, int dy);
// Grows by dx on the left and right and dy on the top and bottom.
BOOL InflateRect(RECT* lprc, int dx, int dy);
// FALSE, with an empty result, when they do not overlap.
BOOL IntersectRect(RECT* lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
BOOL UnionRect(RECT* lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);

// --- Messages -------------------------------------------------------------

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_SETTINGCHANGE = 0x001A;
inline constexpr UINT WM_WININICHANGE = WM_SETTINGCHANGE;
inline constexpr UINT WM_TIMECHANGE = 0x001E;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;
inline constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
inline constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr UINT WM_STYLECHANGING = 0x007C;
inline constexpr UINT WM_STYLECHANGED = 0x007D;
inline constexpr UINT WM_NCCREATE = 0x0081;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_NCCALCSIZE = 0x0083;
inline constexpr UINT WM_KEYFIRST = 0x0100;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_KEYLAST = 0x0109;
inline constexpr UINT WM_SETFONT = 0x0030;
inline constexpr UINT WM_GETFONT = 0x0031;
// wParam: the control's id in the low word, the notification in the high
// word; lParam: the control's window.
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_CTLCOLOREDIT = 0x0133;
inline constexpr UINT WM_CTLCOLORBTN = 0x0135;
inline constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
inline constexpr UINT WM_MOUSEFIRST = 0x0200;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_MOUSELAST = 0x020E;
inline constexpr UINT WM_THEMECHANGED = 0x031A;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

// WM_SIZE kinds.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// --- Styles ---------------------------------------------------------------

inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_MINIMIZE = 0x20000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWORD WS_MAXIMIZE = 0x01000000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_DLGFRAME = 0x00400000;
inline constexpr DWORD WS_CAPTION = WS_BORDER | WS_DLGFRAME;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
inline constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
inline constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

inline constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
inline constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
inline constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
inline constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
inline constexpr DWORD WS_EX_LAYERED = 0x00080000;

inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr UINT CS_OWNDC = 0x0020;
inline constexpr UINT CS_CLASSDC = 0x0040;
inline constexpr UINT CS_PARENTDC = 0x0080;
inline constexpr UINT CS_NOCLOSE = 0x0200;
inline constexpr UINT CS_SAVEBITS = 0x0800;
inline constexpr UINT CS_GLOBALCLASS = 0x4000;

// Placed in x (and cx) of CreateWindowExW: the system picks the position
// (and size) of an overlapped window; other windows get 0.
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

// --- Records --------------------------------------------------------------

struct WNDCLASSEXW {
  UINT cbSize = sizeof(WNDCLASSEXW);
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;  // or a system colour index + 1
  LPCWSTR lpszMenuName = nullptr;
  LPCWSTR lpszClassName = nullptr;  // or an atom
  HICON hIconSm = nullptr;
};

struct CREATESTRUCTW {
  void* lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  HMENU hMenu = nullptr;
  HWND hwndParent = nullptr;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  LPCWSTR lpszName = nullptr;
  LPCWSTR lpszClass = nullptr;
  DWORD dwExStyle = 0;
};

struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};

// WM_NCCALCSIZE with wParam TRUE: the new window rectangle, the old one and
// the old client rectangle, in the parent's client coordinates; the handler
// leaves the new client rectangle in rgrc[0].
struct NCCALCSIZE_PARAMS {
  RECT rgrc[3];
  WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

struct STYLESTRUCT {
  DWORD styleOld = 0;
  DWORD styleNew = 0;
};

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

// --- Classes and window procedures ---------------------------------------

// Class names match without regard to case. A program's class is found
// through its instance; the platform's built-in classes and CS_GLOBALCLASS
// ones from any instance. Atoms of registered classes start at 0xC000.
ATOM RegisterClassExW(const WNDCLASSEXW* lpWndClass);
// Fails while windows of the class exist, and for built-in classes.
BOOL UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance);
BOOL GetClassInfoExW(HINSTANCE hInstance, LPCWSTR lpszClass, WNDCLASSEXW* lpwcx);
int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount);

// The default handling every procedure ends in.
LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Calls a procedure saved from GetWindowLongPtrW or GetClassInfoExW: how a
// subclass or superclass passes messages on.
LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// --- Windows --------------------------------------------------------------

// Creation sends, in order: WM_GETMINMAXINFO (top-level windows only),
// WM_NCCREATE, WM_NCCALCSIZE and WM_CREATE; a window created WS_VISIBLE is
// then shown as by ShowWindow. FALSE from WM_NCCREATE or -1 from WM_CREATE
// fail the creation. hWndParent is the parent of a WS_CHILD window and the
// owner of any other (HWND_MESSAGE: a message-only window). hMenu is a child
// window's id.
HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, void* lpParam);
// Destroys the owned windows first, hides the window, then sends WM_DESTROY
// to it and every descendant, parents before children, and WM_NCDESTROY to
// all of them, children before parents. Its timers and queued messages go
// with it.
BOOL DestroyWindow(HWND hWnd);
// False for a destroyed window: handles are never reused.
BOOL IsWindow(HWND hWnd);
// The screen: (0, 0, SM_CXSCREEN, SM_CYSCREEN); the parent of top-level windows.
HWND GetDesktopWindow();

inline constexpr int GWLP_WNDPROC = -4;
inline constexpr int GWLP_HINSTANCE = -6;
inline constexpr int GWLP_HWNDPARENT = -8;  // the owner of a top-level window
inline constexpr int GWLP_ID = -12;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWLP_USERDATA = -21;
inline constexpr int GWL_WNDPROC = GWLP_WNDPROC;
inline constexpr int GWL_ID = GWLP_ID;
inline constexpr int GWL_USERDATA = GWLP_USERDATA;

// Indexes from 0 address the class's cbWndExtra bytes. Setting GWL_STYLE or
// GWL_EXSTYLE sends WM_STYLECHANGING and WM_STYLECHANGED; the frame follows
// only after SetWindowPos with SWP_FRAMECHANGED. The result is the old value
// (0 with the reason in GetLastError on failure).
LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex);
LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
LONG GetWindowLongW(HWND hWnd, int nIndex);
LONG SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong);

// The parent of a child window, the owner of a top-level one.
HWND GetParent(HWND hWnd);
// nullptr makes the window top-level. Fails when the new parent is the
// window itself or one of its descendants. Returns the old parent.
HWND SetParent(HWND hWndChild, HWND hWndNewParent);
inline constexpr UINT GA_PARENT = 1;
inline constexpr UINT GA_ROOT = 2;
inline constexpr UINT GA_ROOTOWNER = 3;
HWND GetAncestor(HWND hwnd, UINT gaFlags);
// hWnd is a descendant of hWndParent, at any depth.
BOOL IsChild(HWND hWndParent, HWND hWnd);

// Siblings are kept in z-order, top first. A new child goes below its
// siblings (creation order is tab order); a new top-level window on top of
// the windows of its band (topmost or not).
inline constexpr UINT GW_HWNDFIRST = 0;
inline constexpr UINT GW_HWNDLAST = 1;
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;
HWND GetWindow(HWND hWnd, UINT uCmd);
HWND GetTopWindow(HWND hWnd);
// Every descendant, depth first in z-order; stops when the callback answers
// FALSE. A null parent enumerates the top-level windows. Windows created or
// destroyed by the callback are not visited.
BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam);

// Visible: the window and all its ancestors have WS_VISIBLE.
BOOL IsWindowVisible(HWND hWnd);
// The window's own WS_DISABLED only.
BOOL IsWindowEnabled(HWND hWnd);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_NORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SW_SHOWDEFAULT = 10;
inline constexpr int SW_FORCEMINIMIZE = 11;

// A change of visibility sends WM_SHOWWINDOW first, then goes through
// SetWindowPos. Maximized windows fill the work area (or the parent's client
// area) as WM_GETMINMAXINFO says; minimized top-level windows move to
// (-32000, -32000). Showing a top-level window activates it, except with
// SW_SHOWNA, SW_SHOWNOACTIVATE, SW_SHOWMINNOACTIVE and the minimizing
// commands; hiding the active window activates another. Returns whether the
// window was visible before.
BOOL ShowWindow(HWND hWnd, int nCmdShow);
// Sets or clears WS_DISABLED, then sends WM_ENABLE when the state changed.
// Returns whether the window was disabled before.
BOOL EnableWindow(HWND hWnd, BOOL bEnable);

inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOREDRAW = 0x0008;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline constexpr UINT SWP_NOCOPYBITS = 0x0100;
inline constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline constexpr UINT SWP_NOSENDCHANGING = 0x0400;
// Added to the flags WM_WINDOWPOSCHANGED carries when the client area kept
// its size or its position; the default handling then sends no WM_SIZE or no
// WM_MOVE.
inline constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
inline constexpr UINT SWP_NOCLIENTMOVE = 0x1000;
inline constexpr UINT SWP_DEFERERASE = 0x2000;
inline constexpr UINT SWP_ASYNCWINDOWPOS = 0x4000;
inline constexpr UINT SWP_DRAWFRAME = SWP_FRAMECHANGED;
inline constexpr UINT SWP_NOREPOSITION = SWP_NOOWNERZORDER;

// Sends WM_WINDOWPOSCHANGING (whose default handling applies the tracking
// sizes of WM_GETMINMAXINFO to resizable top-level windows), WM_NCCALCSIZE
// when the size changes or with SWP_FRAMECHANGED, then WM_WINDOWPOSCHANGED,
// whose default handling sends WM_MOVE and WM_SIZE. Nothing but
// WM_WINDOWPOSCHANGING is sent when nothing changes. Coordinates are in the
// parent's client area.
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);

// Screen coordinates.
BOOL GetWindowRect(HWND hWnd, RECT* lpRect);
// Always at (0, 0).
BOOL GetClientRect(HWND hWnd, RECT* lpRect);
// The window rectangle for a client rectangle: the frame (sizing 8, fixed 3
// or border 1), a 23-pixel caption (18 for tool windows), client and static
// edges, and a menu bar when bMenu is set. Scroll bars are not included.
BOOL AdjustWindowRectEx(RECT* lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
BOOL ScreenToClient(HWND hWnd, POINT* lpPoint);
BOOL ClientToScreen(HWND hWnd, POINT* lpPoint);
// From one client area to another (nullptr: the screen). The result packs
// the horizontal offset added in its low word and the vertical one in its
// high word.
int MapWindowPoints(HWND hWndFrom, HWND hWndTo, POINT* lpPoints, UINT cPoints);

// Through WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH.
BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString);
int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount);
int GetWindowTextLengthW(HWND hWnd);

// The update region in client coordinates. Only visible windows collect
// one; showing a window invalidates its client area, and growing it the
// newly exposed part (all of it with CS_HREDRAW or CS_VREDRAW), unless
// SetWindowPos is told SWP_NOREDRAW. WM_PAINT is
// produced while it is not empty; the default handling validates it.
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
BOOL ValidateRect(HWND hWnd, const RECT* lpRect);
BOOL GetUpdateRect(HWND hWnd, RECT* lpRect, BOOL bErase);

// --- Messages and the queue ----------------------------------------------

// Calls the window procedure at once, also from inside another handler.
// HWND_BROADCAST sends to every top-level window.
LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Queues the message; a null window makes it a message for the thread.
BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// WM_QUIT is produced once the posted messages and the input are served.
void PostQuitMessage(int nExitCode);

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;
inline constexpr UINT PM_NOYIELD = 0x0002;

// Messages come in this order: posted messages, input, WM_QUIT, WM_PAINT,
// WM_TIMER (each timer's due tick). A window filter takes the window and its
// descendants, (HWND)-1 only thread messages; WM_QUIT comes only without a
// window filter. A range of 0, 0 takes every message.
//
// GetMessageW waits; it answers 0 for WM_QUIT and -1 on failure, also when
// nothing could ever end the wait (ERROR_POSSIBLE_DEADLOCK).
BOOL GetMessageW(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
// Never waits. WM_PAINT stays until the window is validated, PM_REMOVE or not.
BOOL PeekMessageW(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
// WM_TIMER with a callback calls it, when it belongs to a live timer, in
// place of the window procedure.
LRESULT DispatchMessageW(const MSG* lpMsg);
// Returns when something arrived since the queue was last looked at; FALSE
// (ERROR_POSSIBLE_DEADLOCK) when nothing could.
BOOL WaitMessage();
// Of the message last retrieved.
LONG GetMessageTime();
DWORD GetMessagePos();
// Whether the innermost message being handled came through SendMessageW
// rather than from the queue.
BOOL InSendMessage();

// --- Timers and the clock --------------------------------------------------

inline constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
inline constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// Ticks fall on start + k × interval (the interval clamped to 10 ms and up).
// Setting an existing timer (the window's id, or a thread timer's id)
// replaces it and starts its period anew; a null window with an unknown id
// makes a new thread timer and returns its id. A due timer yields one
// WM_TIMER when nothing else waits; ticks missed meanwhile fold into it, and
// the next one is the next point of the grid after now.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// Milliseconds on the backend's clock: real time in the program, a virtual
// clock in tests.
DWORD GetTickCount();
ULONGLONG GetTickCount64();

// --- System metrics and parameters ---------------------------------------

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXDLGFRAME = 7;
inline constexpr int SM_CYDLGFRAME = 8;
inline constexpr int SM_CXFIXEDFRAME = SM_CXDLGFRAME;
inline constexpr int SM_CYFIXEDFRAME = SM_CYDLGFRAME;
inline constexpr int SM_CYVTHUMB = 9;
inline constexpr int SM_CXHTHUMB = 10;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
inline constexpr int SM_CXCURSOR = 13;
inline constexpr int SM_CYCURSOR = 14;
inline constexpr int SM_CYMENU = 15;
inline constexpr int SM_CXFULLSCREEN = 16;
inline constexpr int SM_CYFULLSCREEN = 17;
inline constexpr int SM_CYKANJIWINDOW = 18;
inline constexpr int SM_MOUSEPRESENT = 19;
inline constexpr int SM_CYVSCROLL = 20;
inline constexpr int SM_CXHSCROLL = 21;
inline constexpr int SM_DEBUG = 22;
inline constexpr int SM_SWAPBUTTON = 23;
inline constexpr int SM_CXMIN = 28;
inline constexpr int SM_CYMIN = 29;
inline constexpr int SM_CXSIZE = 30;
inline constexpr int SM_CYSIZE = 31;
inline constexpr int SM_CXFRAME = 32;
inline constexpr int SM_CYFRAME = 33;
inline constexpr int SM_CXSIZEFRAME = SM_CXFRAME;
inline constexpr int SM_CYSIZEFRAME = SM_CYFRAME;
inline constexpr int SM_CXMINTRACK = 34;
inline constexpr int SM_CYMINTRACK = 35;
inline constexpr int SM_CXDOUBLECLK = 36;
inline constexpr int SM_CYDOUBLECLK = 37;
inline constexpr int SM_CXICONSPACING = 38;
inline constexpr int SM_CYICONSPACING = 39;
inline constexpr int SM_MENUDROPALIGNMENT = 40;
inline constexpr int SM_DBCSENABLED = 42;
inline constexpr int SM_CMOUSEBUTTONS = 43;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CXSMICON = 49;
inline constexpr int SM_CYSMICON = 50;
inline constexpr int SM_CYSMCAPTION = 51;
inline constexpr int SM_CXMENUSIZE = 54;
inline constexpr int SM_CYMENUSIZE = 55;
inline constexpr int SM_CXMINIMIZED = 57;
inline constexpr int SM_CYMINIMIZED = 58;
inline constexpr int SM_CXMAXTRACK = 59;
inline constexpr int SM_CYMAXTRACK = 60;
inline constexpr int SM_CXMAXIMIZED = 61;
inline constexpr int SM_CYMAXIMIZED = 62;
inline constexpr int SM_CXDRAG = 68;
inline constexpr int SM_CYDRAG = 69;
inline constexpr int SM_CXMENUCHECK = 71;
inline constexpr int SM_CYMENUCHECK = 72;
inline constexpr int SM_MIDEASTENABLED = 74;
inline constexpr int SM_MOUSEWHEELPRESENT = 75;
inline constexpr int SM_XVIRTUALSCREEN = 76;
inline constexpr int SM_YVIRTUALSCREEN = 77;
inline constexpr int SM_CXVIRTUALSCREEN = 78;
inline constexpr int SM_CYVIRTUALSCREEN = 79;
inline constexpr int SM_CMONITORS = 80;
inline constexpr int SM_SAMEDISPLAYFORMAT = 81;
inline constexpr int SM_IMMENABLED = 82;
inline constexpr int SM_CXFOCUSBORDER = 83;
inline constexpr int SM_CYFOCUSBORDER = 84;
inline constexpr int SM_CXPADDEDBORDER = 92;
inline constexpr int SM_REMOTESESSION = 0x1000;

// One fixed table (platform/SystemMetrics.cpp); 0 for an unknown index.
int GetSystemMetrics(int nIndex);

inline constexpr UINT SPI_SETDRAGFULLWINDOWS = 0x0025;
inline constexpr UINT SPI_GETDRAGFULLWINDOWS = 0x0026;
inline constexpr UINT SPI_GETWORKAREA = 0x0030;
inline constexpr UINT SPI_GETMOUSEHOVERWIDTH = 0x0062;
inline constexpr UINT SPI_SETMOUSEHOVERWIDTH = 0x0063;
inline constexpr UINT SPI_GETMOUSEHOVERHEIGHT = 0x0064;
inline constexpr UINT SPI_SETMOUSEHOVERHEIGHT = 0x0065;
inline constexpr UINT SPI_GETMOUSEHOVERTIME = 0x0066;
inline constexpr UINT SPI_SETMOUSEHOVERTIME = 0x0067;
inline constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
inline constexpr UINT SPI_SETWHEELSCROLLLINES = 0x0069;
inline constexpr UINT SPI_GETWHEELSCROLLCHARS = 0x006C;
inline constexpr UINT SPI_SETWHEELSCROLLCHARS = 0x006D;
inline constexpr UINT SPI_GETMENUANIMATION = 0x1002;
inline constexpr UINT SPI_SETMENUANIMATION = 0x1003;
inline constexpr UINT SPI_GETCOMBOBOXANIMATION = 0x1004;
inline constexpr UINT SPI_SETCOMBOBOXANIMATION = 0x1005;
inline constexpr UINT SPI_GETGRADIENTCAPTIONS = 0x1008;
inline constexpr UINT SPI_SETGRADIENTCAPTIONS = 0x1009;
inline constexpr UINT SPI_GETKEYBOARDCUES = 0x100A;
inline constexpr UINT SPI_SETKEYBOARDCUES = 0x100B;
inline constexpr UINT SPI_GETMENUFADE = 0x1012;
inline constexpr UINT SPI_SETMENUFADE = 0x1013;
inline constexpr UINT SPI_GETTOOLTIPANIMATION = 0x1016;
inline constexpr UINT SPI_SETTOOLTIPANIMATION = 0x1017;
inline constexpr UINT SPI_GETFLATMENU = 0x1022;
inline constexpr UINT SPI_SETFLATMENU = 0x1023;
inline constexpr UINT SPI_GETCLIENTAREAANIMATION = 0x1042;
inline constexpr UINT SPI_SETCLIENTAREAANIMATION = 0x1043;

inline constexpr UINT SPIF_UPDATEINIFILE = 0x0001;
inline constexpr UINT SPIF_SENDCHANGE = 0x0002;
inline constexpr UINT SPIF_SENDWININICHANGE = SPIF_SENDCHANGE;

// Boolean getters write a BOOL, counts a UINT, the work area a RECT. Setters
// of the animation and menu flags (0x1000 and up) take the value in pvParam,
// the others in uiParam. With SPIF_SENDCHANGE a change is announced by
// WM_SETTINGCHANGE (wParam the action, lParam an empty string) to every
// top-level window.
BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

// --- Input: the mouse ------------------------------------------------------

inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_CANCELMODE = 0x001F;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_MOUSEACTIVATE = 0x0021;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
// The BUTTON class: push buttons, the default one framed. BN_CLICKED
// reaches the parent through WM_COMMAND when a press is released over the
// button, or Space is released.
inline constexpr DWORD BS_PUSHBUTTON = 0x00000000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x00000001;
inline constexpr DWORD BS_TYPEMASK = 0x0000000F;
inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BM_GETSTATE = 0x00F2;
inline constexpr UINT BM_SETSTATE = 0x00F3;
inline constexpr UINT BM_SETSTYLE = 0x00F4;
inline constexpr UINT BM_CLICK = 0x00F5;
inline constexpr LRESULT BST_PUSHED = 0x0004;
inline constexpr LRESULT BST_FOCUS = 0x0008;
inline constexpr WORD BN_CLICKED = 0;

// The window commands, from the frame's buttons or Alt+F4; the default
// handling closes, minimises, maximises and restores.
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_RESTORE = 0xF120;
inline constexpr UINT WM_NCHITTEST = 0x0084;
inline constexpr UINT WM_NCACTIVATE = 0x0086;
inline constexpr UINT WM_GETDLGCODE = 0x0087;
// What a control answers to WM_GETDLGCODE: the keys it keeps from dialog
// navigation.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_NCLBUTTONUP = 0x00A2;
inline constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
inline constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
inline constexpr UINT WM_NCRBUTTONUP = 0x00A5;
inline constexpr UINT WM_NCRBUTTONDBLCLK = 0x00A6;
inline constexpr UINT WM_NCMBUTTONDOWN = 0x00A7;
inline constexpr UINT WM_NCMBUTTONUP = 0x00A8;
inline constexpr UINT WM_NCMBUTTONDBLCLK = 0x00A9;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_CAPTURECHANGED = 0x0215;
inline constexpr UINT WM_NCMOUSELEAVE = 0x02A2;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;

// WM_NCHITTEST answers.
inline constexpr LRESULT HTERROR = -2;
inline constexpr LRESULT HTTRANSPARENT = -1;
inline constexpr LRESULT HTNOWHERE = 0;
inline constexpr LRESULT HTCLIENT = 1;
inline constexpr LRESULT HTCAPTION = 2;
inline constexpr LRESULT HTSYSMENU = 3;
inline constexpr LRESULT HTHSCROLL = 6;
inline constexpr LRESULT HTVSCROLL = 7;
inline constexpr LRESULT HTMINBUTTON = 8;
inline constexpr LRESULT HTMAXBUTTON = 9;
inline constexpr LRESULT HTLEFT = 10;
inline constexpr LRESULT HTRIGHT = 11;
inline constexpr LRESULT HTTOP = 12;
inline constexpr LRESULT HTTOPLEFT = 13;
inline constexpr LRESULT HTTOPRIGHT = 14;
inline constexpr LRESULT HTBOTTOM = 15;
inline constexpr LRESULT HTBOTTOMLEFT = 16;
inline constexpr LRESULT HTBOTTOMRIGHT = 17;
inline constexpr LRESULT HTBORDER = 18;
inline constexpr LRESULT HTCLOSE = 20;

// WM_MOUSEACTIVATE answers.
inline constexpr LRESULT MA_ACTIVATE = 1;
inline constexpr LRESULT MA_ACTIVATEANDEAT = 2;
inline constexpr LRESULT MA_NOACTIVATE = 3;
inline constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

// The buttons and keys held, in wParam of client-area mouse messages.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

// One notch of the wheel; WM_MOUSEWHEEL carries the signed delta in the
// high word of wParam, the MK_ flags in the low word and the cursor in
// screen coordinates.
inline constexpr int WHEEL_DELTA = 120;
constexpr short GET_WHEEL_DELTA_WPARAM(WPARAM wParam) { return static_cast<short>(HIWORD(wParam)); }
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM wParam) { return LOWORD(wParam); }

// Mouse messages go to the window with the capture, else to the window
// under the cursor: the deepest visible window whose WM_NCHITTEST does not
// answer HTTRANSPARENT (a disabled child hands its place to its parent; a
// disabled top-level window takes no mouse input). Outside the client area
// they are the WM_NC... messages, with the hit-test code in wParam and
// screen coordinates. Before a button press reaches a window whose
// top-level window is not in the foreground, WM_MOUSEACTIVATE asks whether
// to activate it; without the capture WM_SETCURSOR precedes each message.
// A second press of the same button on the same window within the
// double-click time and rectangle becomes a double click when the window's
// class has CS_DBLCLKS (and always outside the client area).
//
// The default handling turns WM_RBUTTONUP into WM_CONTEXTMENU (wParam the
// window, screen coordinates), which, like WM_MOUSEWHEEL, goes up to the
// parent when a window leaves it unhandled.
//
// Returns the previous capture. The window losing the capture receives
// WM_CAPTURECHANGED with the new holder in lParam.
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();

// 500 ms; the rectangle is SM_CXDOUBLECLK x SM_CYDOUBLECLK around the first press.
UINT GetDoubleClickTime();

inline constexpr UINT CWP_ALL = 0x0000;
inline constexpr UINT CWP_SKIPINVISIBLE = 0x0001;
inline constexpr UINT CWP_SKIPDISABLED = 0x0002;
inline constexpr UINT CWP_SKIPTRANSPARENT = 0x0004;

// The window mouse input at that screen point would go to, capture aside.
HWND WindowFromPoint(POINT Point);
// The first child in z-order under a point of the parent's client area; the
// parent when no child is there, nullptr outside the parent.
HWND ChildWindowFromPoint(HWND hWndParent, POINT Point);
HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags);

inline constexpr DWORD TME_HOVER = 0x00000001;
inline constexpr DWORD TME_LEAVE = 0x00000002;
inline constexpr DWORD TME_NONCLIENT = 0x00000010;
inline constexpr DWORD TME_QUERY = 0x40000000;
inline constexpr DWORD TME_CANCEL = 0x80000000;
inline constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;

struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack = nullptr;
  DWORD dwHoverTime = 0;
};

// TME_LEAVE: WM_MOUSELEAVE (WM_NCMOUSELEAVE with TME_NONCLIENT) is queued
// once the cursor leaves the window's client (non-client) area, at once
// when it is not there; tracking then ends. Hovering is not tracked.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* lpEventTrack);

// Screen coordinates of the cursor. Setting it moves the mouse there.
BOOL GetCursorPos(POINT* lpPoint);
BOOL SetCursorPos(int X, int Y);

// The system's cursors, by number in LoadCursorW's name.
inline constexpr WORD IDC_ARROW = 32512;
inline constexpr WORD IDC_IBEAM = 32513;
inline constexpr WORD IDC_WAIT = 32514;
inline constexpr WORD IDC_CROSS = 32515;
inline constexpr WORD IDC_UPARROW = 32516;
inline constexpr WORD IDC_SIZENWSE = 32642;
inline constexpr WORD IDC_SIZENESW = 32643;
inline constexpr WORD IDC_SIZEWE = 32644;
inline constexpr WORD IDC_SIZENS = 32645;
inline constexpr WORD IDC_SIZEALL = 32646;
inline constexpr WORD IDC_NO = 32648;
inline constexpr WORD IDC_HAND = 32649;
inline constexpr WORD IDC_APPSTARTING = 32650;
inline constexpr WORD IDC_HELP = 32651;

// A null instance loads the system's cursors (IDC_...); another loads the
// module's RT_GROUP_CURSOR resource of that name. Each cursor has one
// handle, shared by every load; nothing needs destroying.
HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName);
// Returns the previous cursor; nullptr hides it.
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();

// --- Input: the keyboard ---------------------------------------------------

inline constexpr UINT WM_DEADCHAR = 0x0103;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_SYSDEADCHAR = 0x0107;

inline constexpr UINT VK_LBUTTON = 0x01;
inline constexpr UINT VK_RBUTTON = 0x02;
inline constexpr UINT VK_CANCEL = 0x03;
inline constexpr UINT VK_MBUTTON = 0x04;
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_CLEAR = 0x0C;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_MENU = 0x12;
inline constexpr UINT VK_PAUSE = 0x13;
inline constexpr UINT VK_CAPITAL = 0x14;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_PRIOR = 0x21;
inline constexpr UINT VK_NEXT = 0x22;
inline constexpr UINT VK_END = 0x23;
inline constexpr UINT VK_HOME = 0x24;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_SELECT = 0x29;
inline constexpr UINT VK_PRINT = 0x2A;
inline constexpr UINT VK_EXECUTE = 0x2B;
inline constexpr UINT VK_SNAPSHOT = 0x2C;
inline constexpr UINT VK_INSERT = 0x2D;
inline constexpr UINT VK_DELETE = 0x2E;
inline constexpr UINT VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their own codes.
inline constexpr UINT VK_LWIN = 0x5B;
inline constexpr UINT VK_RWIN = 0x5C;
inline constexpr UINT VK_APPS = 0x5D;
inline constexpr UINT VK_NUMPAD0 = 0x60;
inline constexpr UINT VK_NUMPAD9 = 0x69;
inline constexpr UINT VK_MULTIPLY = 0x6A;
inline constexpr UINT VK_ADD = 0x6B;
inline constexpr UINT VK_SEPARATOR = 0x6C;
inline constexpr UINT VK_SUBTRACT = 0x6D;
inline constexpr UINT VK_DECIMAL = 0x6E;
inline constexpr UINT VK_DIVIDE = 0x6F;
inline constexpr UINT VK_F1 = 0x70;
inline constexpr UINT VK_F10 = 0x79;
inline constexpr UINT VK_F12 = 0x7B;
inline constexpr UINT VK_F24 = 0x87;
inline constexpr UINT VK_NUMLOCK = 0x90;
inline constexpr UINT VK_SCROLL = 0x91;
inline constexpr UINT VK_LSHIFT = 0xA0;
inline constexpr UINT VK_RSHIFT = 0xA1;
inline constexpr UINT VK_LCONTROL = 0xA2;
inline constexpr UINT VK_RCONTROL = 0xA3;
inline constexpr UINT VK_LMENU = 0xA4;
inline constexpr UINT VK_RMENU = 0xA5;
inline constexpr UINT VK_OEM_1 = 0xBA;       // ;:
inline constexpr UINT VK_OEM_PLUS = 0xBB;    // =+
inline constexpr UINT VK_OEM_COMMA = 0xBC;   // ,<
inline constexpr UINT VK_OEM_MINUS = 0xBD;   // -_
inline constexpr UINT VK_OEM_PERIOD = 0xBE;  // .>
inline constexpr UINT VK_OEM_2 = 0xBF;       // /?
inline constexpr UINT VK_OEM_3 = 0xC0;       // `~
inline constexpr UINT VK_OEM_4 = 0xDB;       // [{
inline constexpr UINT VK_OEM_5 = 0xDC;       // \|
inline constexpr UINT VK_OEM_6 = 0xDD;       // ]}
inline constexpr UINT VK_OEM_7 = 0xDE;       // '"
// A character that no key of the layout types, carried by its key message.
inline constexpr UINT VK_PACKET = 0xE7;

// The high word of a key message's lParam: bits 16-23 the scan code, then
// these flags. The low word is the repeat count.
inline constexpr WORD KF_EXTENDED = 0x0100;
inline constexpr WORD KF_ALTDOWN = 0x2000;  // a system key typed with Alt held
inline constexpr WORD KF_REPEAT = 0x4000;  // the key was down before
inline constexpr WORD KF_UP = 0x8000;      // the key is being released

// Key messages go to the focus window. Keys pressed while Alt is held
// (without Ctrl), F10, and any key while no window has the focus (then to
// the active window) are system keys: WM_SYSKEYDOWN and WM_SYSKEYUP.
//
// For a key-down, posts the characters of the key (WM_CHAR; WM_SYSCHAR for
// a system key) with the key message's lParam: the text the key event
// carried, else the US layout under the current key state. Ctrl+letter
// gives 1-26, Backspace 8, Tab 9, Enter 13 (Ctrl+Enter 10), Escape 27.
// Answers TRUE for every key message, translated or not.
BOOL TranslateMessage(const MSG* lpMsg);

// The state as of the input message last taken from the queue: bit 15 is
// "down", bit 0 "toggled" (Caps Lock, Num Lock, Scroll Lock). Messages
// sent or posted by the program change nothing, so a synthetic key message
// sent with lParam 0 reads the real Shift and Ctrl. Shift, Ctrl and Alt
// answer for both sides.
SHORT GetKeyState(int nVirtKey);
// The state at this moment, ahead of the queue.
SHORT GetAsyncKeyState(int vKey);
// 256 bytes in GetKeyState's order (bit 7 down, bit 0 toggled).
BOOL GetKeyboardState(BYTE* lpKeyState);

// --- Focus and activation --------------------------------------------------

inline constexpr WORD WA_INACTIVE = 0;
inline constexpr WORD WA_ACTIVE = 1;
inline constexpr WORD WA_CLICKACTIVE = 2;

// WM_KILLFOCUS to the old window (wParam the new), then WM_SETFOCUS to the
// new one (wParam the old). A window of an inactive top-level window
// activates it first. nullptr takes the focus away. Returns the old focus.
HWND SetFocus(HWND hWnd);
HWND GetFocus();

// Activating a top-level window brings it to the top and sends, in order:
// to the window losing activation WM_NCACTIVATE (FALSE) and WM_ACTIVATE
// (WA_INACTIVE, lParam the new window); WM_ACTIVATEAPP (TRUE) to every
// top-level window when the program had no active window in the
// foreground; to the new window WM_NCACTIVATE (TRUE) and WM_ACTIVATE (lParam
// the old window), whose default handling gives the focus back to the
// window inside that had it when the window was deactivated (else the
// window itself). Losing the desktop's focus sends WM_NCACTIVATE (FALSE),
// WM_ACTIVATE (WA_INACTIVE, 0), WM_ACTIVATEAPP (FALSE) to every top-level
// window, WM_KILLFOCUS (0) and WM_CANCELMODE to the capture, and clears
// the key state. Returns the previously active window; a child window or
// nullptr fails.
HWND SetActiveWindow(HWND hWnd);
HWND GetActiveWindow();
// The active window while the program has the desktop's focus.
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hWnd);

// --- Hooks -----------------------------------------------------------------

struct HHOOK__ {};
using HHOOK = HHOOK__*;
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

inline constexpr int WH_KEYBOARD = 2;
inline constexpr int WH_GETMESSAGE = 3;
inline constexpr int WH_CALLWNDPROC = 4;
inline constexpr int WH_CBT = 5;
inline constexpr int WH_MOUSE = 7;

inline constexpr int HC_ACTION = 0;
inline constexpr int HC_NOREMOVE = 3;

inline constexpr int HCBT_CREATEWND = 3;
inline constexpr int HCBT_DESTROYWND = 4;
inline constexpr int HCBT_ACTIVATE = 5;
inline constexpr int HCBT_CLICKSKIPPED = 6;
inline constexpr int HCBT_KEYSKIPPED = 7;
inline constexpr int HCBT_SETFOCUS = 9;

inline constexpr DWORD ERROR_INVALID_HOOK_FILTER = 1426;
inline constexpr DWORD ERROR_INVALID_FILTER_PROC = 1427;
inline constexpr DWORD ERROR_INVALID_HOOK_HANDLE = 1404;

// WH_CALLWNDPROC, before each sent message reaches the procedure.
struct CWPSTRUCT {
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = nullptr;
};

// WH_MOUSE: wParam the message.
struct MOUSEHOOKSTRUCT {
  POINT pt;
  HWND hwnd = nullptr;
  UINT wHitTestCode = 0;
  ULONG_PTR dwExtraInfo = 0;
};

// HCBT_CREATEWND: wParam the window, which exists but has had no message.
struct CBT_CREATEWNDW {
  CREATESTRUCTW* lpcs = nullptr;
  HWND hwndInsertAfter = nullptr;
};

// HCBT_ACTIVATE: wParam the window to activate.
struct CBTACTIVATESTRUCT {
  BOOL fMouse = FALSE;
  HWND hWndActive = nullptr;
};

// Procedures of a kind run newest first; each passes on with
// CallNextHookEx, or ends the chain with its own answer. A procedure is not
// entered again while it runs. Call points:
// - WH_GETMESSAGE (HC_ACTION, PM_REMOVE or PM_NOREMOVE, the MSG, which the
//   procedure may change): each message GetMessageW or PeekMessageW answers.
// - WH_KEYBOARD (code HC_ACTION or HC_NOREMOVE, the virtual key, the key
//   lParam) and WH_MOUSE (the message, MOUSEHOOKSTRUCT): each input message
//   taken from the queue; non-zero throws the message away (HCBT_KEYSKIPPED
//   or HCBT_CLICKSKIPPED follow).
// - WH_CALLWNDPROC (HC_ACTION, TRUE, CWPSTRUCT): each message sent.
// - WH_CBT: creating (HCBT_CREATEWND) and destroying (HCBT_DESTROYWND) a
//   window, activating (HCBT_ACTIVATE) and focusing (HCBT_SETFOCUS: wParam
//   the new focus, lParam the old); non-zero prevents it.
// Hooks belong to the one GUI thread: the module and thread are not used.
HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
BOOL UnhookWindowsHookEx(HHOOK hhk);
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
// Hooks installed and not yet removed: what tests check to prove they
// leave none behind.
int GetLiveHookCount();

// --- The caret --------------------------------------------------------------

// One caret at a time, owned by a window; it is destroyed with the window.
// Created hidden at (0, 0); a zero width or height takes the border size.
// Hiding counts: each HideCaret needs its ShowCaret. While shown it blinks,
// on for the blink time, off for the blink time; moving or showing it
// turns it on and starts the period again.
BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight);
BOOL DestroyCaret();
// A null window stands for the caret's owner; another window fails.
BOOL ShowCaret(HWND hWnd);
BOOL HideCaret(HWND hWnd);
// Client coordinates of the owner.
BOOL SetCaretPos(int X, int Y);
BOOL GetCaretPos(POINT* lpPoint);
// 530 ms.
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT uMSeconds);
// Whether the caret is in the "on" half of its blinking: when a painter
// draws it.
BOOL IsCaretOn();

// --- The clipboard ----------------------------------------------------------

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_UNICODETEXT = 13;

inline constexpr DWORD ERROR_CLIPBOARD_NOT_OPEN = 1418;

// Text only, kept once as Unicode and answered in both formats (CF_TEXT in
// the ANSI code page). The backend holds it.
//
// One opener at a time; a second OpenClipboard fails until CloseClipboard.
BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// Takes a zero-terminated text in global memory (GlobalAlloc), which
// belongs to the clipboard afterwards; other formats, and delayed
// rendering with a null handle, fail.
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// Global memory the clipboard owns, valid until it is closed or emptied.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);

// --- Beep and message box -------------------------------------------------

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
inline constexpr UINT MB_YESNOCANCEL = 0x00000003;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_RETRYCANCEL = 0x00000005;
inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONASTERISK = 0x00000040;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_DEFBUTTON1 = 0x00000000;
inline constexpr UINT MB_DEFBUTTON2 = 0x00000100;
inline constexpr UINT MB_DEFBUTTON3 = 0x00000200;
inline constexpr UINT MB_APPLMODAL = 0x00000000;
inline constexpr UINT MB_SYSTEMMODAL = 0x00001000;
inline constexpr UINT MB_TASKMODAL = 0x00002000;
inline constexpr UINT MB_SETFOREGROUND = 0x00010000;
inline constexpr UINT MB_TOPMOST = 0x00040000;
inline constexpr UINT MB_TYPEMASK = 0x0000000F;
inline constexpr UINT MB_DEFMASK = 0x00000F00;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// The default sound (0, 0xFFFFFFFF) or an icon's (MB_ICON...). The backend
// plays it; the headless one logs it.
BOOL MessageBeep(UINT uType);
// The backend shows the box and answers the button chosen (IDOK ...); the
// headless one logs it and answers the default button. 0 for an owner that
// is no window.
int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);

// --- Counts for tests -----------------------------------------------------

// Windows and timers alive, the platform's own windows not counted: what
// tests check to prove that they leave nothing behind.
int GetLiveWindowCount();
int GetLiveTimerCount();
#include "platform/Painting.h"

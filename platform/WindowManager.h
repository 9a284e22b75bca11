#pragma once
// Windows: creating and destroying them, their longs, the tree of parents,
// owners and z-order, showing, placing and sizing, their text and update
// areas, and the window commands of their frames.

#include "platform/WindowTypes.h"

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

// The window commands, from the frame's buttons or Alt+F4; the default
// handling closes, minimises, maximises and restores.
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_RESTORE = 0xF120;

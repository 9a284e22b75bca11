#pragma once
// Mouse input: its messages and hit-test codes, routing, capture, tracking
// the cursor's leaving, and cursors.

#include "platform/WindowTypes.h"

inline constexpr UINT WM_CANCELMODE = 0x001F;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_MOUSEACTIVATE = 0x0021;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_NCHITTEST = 0x0084;
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

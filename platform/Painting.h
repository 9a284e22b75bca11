#pragma once
// Painting windows: update regions, paint and erase messages, device
// contexts of windows and window regions. Child windows draw straight into
// their top-level window's surface, clipped to what of them is visible.

#include "platform/WindowTypes.h"

inline constexpr UINT WM_SETREDRAW = 0x000B;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_NCPAINT = 0x0085;
inline constexpr UINT WM_PRINT = 0x0317;
inline constexpr UINT WM_PRINTCLIENT = 0x0318;

// WM_PRINT and WM_PRINTCLIENT flags.
inline constexpr LPARAM PRF_CHECKVISIBLE = 0x0001;
inline constexpr LPARAM PRF_NONCLIENT = 0x0002;
inline constexpr LPARAM PRF_CLIENT = 0x0004;
inline constexpr LPARAM PRF_ERASEBKGND = 0x0008;
inline constexpr LPARAM PRF_CHILDREN = 0x0010;
inline constexpr LPARAM PRF_OWNED = 0x0020;

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;  // TRUE: the background is still to be erased
  RECT rcPaint;         // client coordinates
  BOOL fRestore = FALSE;
  BOOL fIncUpdate = FALSE;
  BYTE rgbReserved[32] = {};
};

// Sends WM_NCPAINT when the frame is due and WM_ERASEBKGND when the update
// region was invalidated with erasing, then validates it; the DC is clipped
// to it. NULL for a window that is not there.
HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);

inline constexpr DWORD DCX_WINDOW = 0x00000001;
inline constexpr DWORD DCX_CACHE = 0x00000002;
inline constexpr DWORD DCX_NORESETATTRS = 0x00000004;
inline constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
inline constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
inline constexpr DWORD DCX_PARENTCLIP = 0x00000020;
inline constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
inline constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
inline constexpr DWORD DCX_EXCLUDEUPDATE = 0x00000100;
inline constexpr DWORD DCX_INTERSECTUPDATE = 0x00000200;
inline constexpr DWORD DCX_LOCKWINDOWUPDATE = 0x00000400;
inline constexpr DWORD DCX_VALIDATE = 0x00200000;

// A DC on the client area (the whole window with DCX_WINDOW), its logical
// and device origin at that area's top-left, clipped to what of the window
// is visible: inside its parents, without the children and siblings above it
// that WS_CLIPCHILDREN, WS_CLIPSIBLINGS or the DCX_ flags exclude, inside the
// window regions. hrgnClip is in screen coordinates, and the DC takes it over
// (it is deleted with the DC). The desktop's DC draws nowhere but measures
// like any other. Every window DC goes back with ReleaseDC.
HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags);
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
// 1 when the DC was the window's, 0 otherwise.
int ReleaseDC(HWND hWnd, HDC hDC);
// The window a window or paint DC draws on; nullptr for a memory DC.
HWND WindowFromDC(HDC hDC);

inline constexpr UINT RDW_INVALIDATE = 0x0001;
inline constexpr UINT RDW_INTERNALPAINT = 0x0002;
inline constexpr UINT RDW_ERASE = 0x0004;
inline constexpr UINT RDW_VALIDATE = 0x0008;
inline constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
inline constexpr UINT RDW_NOERASE = 0x0020;
inline constexpr UINT RDW_NOCHILDREN = 0x0040;
inline constexpr UINT RDW_ALLCHILDREN = 0x0080;
inline constexpr UINT RDW_UPDATENOW = 0x0100;
inline constexpr UINT RDW_ERASENOW = 0x0200;
inline constexpr UINT RDW_FRAME = 0x0400;
inline constexpr UINT RDW_NOFRAME = 0x0800;

// Children are affected with RDW_ALLCHILDREN, or without RDW_NOCHILDREN when
// the window lacks WS_CLIPCHILDREN. The area is the client rectangle, or
// lprcUpdate, or hrgnUpdate (client coordinates).
BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags);
BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);
BOOL ValidateRgn(HWND hWnd, HRGN hRgn);
// Sends WM_PAINT at once when there is something to paint.
BOOL UpdateWindow(HWND hWnd);
// Copies the update region (client coordinates) into hRgn and answers its
// complexity; bErase erases it first when that is due.
int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);

// The window's shape in window coordinates; the window takes the region over
// (nullptr removes it). GetWindowRgn answers ERROR when there is none.
int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw);
int GetWindowRgn(HWND hWnd, HRGN hRgn);

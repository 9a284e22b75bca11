#pragma once
// The keyboard focus and the activation of top-level windows.

#include "platform/WindowTypes.h"

inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_NCACTIVATE = 0x0086;

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

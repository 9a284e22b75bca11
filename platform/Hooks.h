#pragma once
// Hooks: procedures called at fixed points of message handling.

#include "platform/WindowTypes.h"

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
// A hook runs only on the thread whose id it was set for (0: every thread);
// the module is not used.
HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
BOOL UnhookWindowsHookEx(HHOOK hhk);
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);

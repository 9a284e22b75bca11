#pragma once
// The framework's messages: the record a message method receives, and the
// numbers of the framework's own notifications (CM_) and of the window
// messages reflected to the control they concern (CN_). The numbers are
// fixed here once; controls and the suite both rely on them.

#include "platform/Windows.h"

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  WORD WParamLo() const { return LOWORD(WParam); }
  WORD WParamHi() const { return HIWORD(WParam); }
  WORD LParamLo() const { return LOWORD(LParam); }
  WORD LParamHi() const { return HIWORD(LParam); }
};

// The signed 16-bit client point of a mouse message.
inline POINT MessagePoint(const TMessage& Message) {
  return POINT{static_cast<SHORT>(Message.LParamLo()), static_cast<SHORT>(Message.LParamHi())};
}
inline LPARAM PointToLParam(POINT P) {
  return static_cast<LPARAM>(MAKELPARAM(static_cast<WORD>(P.X), static_cast<WORD>(P.Y)));
}

inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ACTIVATE = CM_BASE + 0;
inline constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
inline constexpr UINT CM_CANCELMODE = CM_BASE + 4;
// A key of a dialog class offered to the parent form: non-zero consumes it.
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
// A character offered to the controls of a form for their accelerators.
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
// Broadcast to a form's controls: lParam is the newly focused control.
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
// lParam: the client point; non-zero when the control is there.
inline constexpr UINT CM_HITTEST = CM_BASE + 10;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
inline constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
// lParam: the control entered or left, 0 for the receiving control itself.
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
// The application's main-menu shortcut check: non-zero consumes the key.
inline constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr UINT CM_ENTER = CM_BASE + 26;
inline constexpr UINT CM_EXIT = CM_BASE + 27;
// Non-zero: the control wants the dialog-class key for itself.
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
// A key offered to the control and up its parents first: non-zero consumes it.
inline constexpr UINT CM_CHILDKEY = CM_BASE + 46;
inline constexpr UINT CM_HINTSHOW = CM_BASE + 48;
inline constexpr UINT CM_RECREATEWND = CM_BASE + 51;
// Sent to the parent with wParam 1 whenever a control invalidates.
inline constexpr UINT CM_INVALIDATE = CM_BASE + 52;
inline constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
inline constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
inline constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;
inline constexpr UINT CM_BUFFEREDPRINTCLIENT = CM_BASE + 77;

inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + 0x0133;
inline constexpr UINT CN_HSCROLL = CN_BASE + 0x0114;
inline constexpr UINT CN_VSCROLL = CN_BASE + 0x0115;
inline constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
inline constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
inline constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

#pragma once
// Keyboard input: key messages and virtual-key codes, translation into
// characters, the key state, and the dialog codes controls answer.

#include "platform/WindowTypes.h"

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

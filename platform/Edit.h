#pragma once
// The EDIT class: a single-line text field. The text is kept as UTF-16; the
// selection runs from an anchor to the caret, its moving end. The parent
// hears of changes through WM_COMMAND (EN_ codes, the control's id in the
// low word, the window in lParam) and answers WM_CTLCOLOREDIT with the brush
// for the background, setting the text and background colours on the DC.
//
// Keys: Left and Right by character (with Ctrl by word: words end at white
// space), Home and End; Shift, read from the key state, extends the
// selection from its anchor, and without it a selection collapses to its
// left end (Left) or right end (Right). Delete and Backspace remove the
// selection or one character; Shift+Delete cuts, Shift+Insert pastes and
// Ctrl+Insert copies. Characters: Ctrl+A selects all, Ctrl+C, Ctrl+V and
// Ctrl+X use the clipboard, Ctrl+Z undoes; other control characters are
// ignored. A change refused (read-only, the maximum length) beeps.
//
// Mouse: a click places the caret, a drag selects under capture, scrolling
// the text, a double click selects the word, Shift+click extends.
//
// The caret has the font's height; it exists while the control has the
// focus. The selection shows while focused (always with ES_NOHIDESEL);
// the password character stands for every character; the cue banner shows
// while the text is empty and the control unfocused. Disabled text is
// drawn in COLOR_GRAYTEXT.

#include "platform/Windows.h"

// Styles.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_UPPERCASE = 0x0008;  // text entering becomes upper case
inline constexpr DWORD ES_LOWERCASE = 0x0010;
// A password character ('*') from the start; EM_SETPASSWORDCHAR changes it.
inline constexpr DWORD ES_PASSWORD = 0x0020;
// The text scrolls to keep the caret in view; without it, text that would
// not fit is refused.
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_NOHIDESEL = 0x0100;
inline constexpr DWORD ES_OEMCONVERT = 0x0400;  // accepted; the text is Unicode throughout
inline constexpr DWORD ES_READONLY = 0x0800;

// WM_GETDLGCODE answers DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL:
// Tab is left to dialog navigation.

// Notifications.
inline constexpr WORD EN_SETFOCUS = 0x0100;
inline constexpr WORD EN_KILLFOCUS = 0x0200;
// Sent, not posted, after every change of the text, WM_SETTEXT included.
inline constexpr WORD EN_CHANGE = 0x0300;
// Text was refused or cut because of the maximum length or the width.
inline constexpr WORD EN_MAXTEXT = 0x0501;

// The clipboard and undo messages, with their default handling here.
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;  // deletes the selection
inline constexpr UINT WM_UNDO = 0x0304;

// wParam and lParam point to DWORDs (either may be null) for the start and
// the end of the selection, start <= end; the result packs both in 16 bits
// each (-1 past 65535).
inline constexpr UINT EM_GETSEL = 0x00B0;
// wParam the anchor, lParam the caret; an anchor of -1 drops the selection
// where the caret is, a caret of -1 (or past the text) is the end.
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;  // wParam the flag
// lParam the text, wParam TRUE to make it undoable (FALSE empties the
// undo). The text stops at its first line break and at the maximum length.
inline constexpr UINT EM_REPLACESEL = 0x00C2;
// wParam the maximum number of characters, 0 for none. Text already there
// and WM_SETTEXT are not cut.
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
inline constexpr UINT EM_CANUNDO = 0x00C6;
// One level: undoing again restores what the undo took away.
inline constexpr UINT EM_UNDO = 0x00C7;
inline constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;  // wParam the character, 0 for none
inline constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
// The index of the first character visible after scrolling.
inline constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr UINT EM_SETREADONLY = 0x00CF;  // wParam the flag; sets ES_READONLY
inline constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
// wParam EC_LEFTMARGIN and/or EC_RIGHTMARGIN, lParam the widths in its low
// and high words, or EC_USEFONTINFO for the default of one pixel each.
inline constexpr UINT EM_SETMARGINS = 0x00D3;
inline constexpr UINT EM_GETMARGINS = 0x00D4;  // left in the low word, right in the high
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;  // 0x7FFFFFFE without a limit
inline constexpr WPARAM EC_LEFTMARGIN = 0x0001;
inline constexpr WPARAM EC_RIGHTMARGIN = 0x0002;
inline constexpr LPARAM EC_USEFONTINFO = 0xFFFF;
// wParam TRUE: shown also while focused; lParam the text.
inline constexpr UINT EM_SETCUEBANNER = 0x1501;
// wParam the buffer, lParam its size in characters.
inline constexpr UINT EM_GETCUEBANNER = 0x1502;
// The caret as a character index; setting it drops the selection there.
inline constexpr UINT EM_SETCARETINDEX = 0x1511;
inline constexpr UINT EM_GETCARETINDEX = 0x1512;

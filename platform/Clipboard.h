#pragma once
// The clipboard, for text and bitmaps.

#include "platform/WindowTypes.h"

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_BITMAP = 2;
inline constexpr UINT CF_UNICODETEXT = 13;

inline constexpr DWORD ERROR_CLIPBOARD_NOT_OPEN = 1418;

// Text, kept once as Unicode and answered in both formats (CF_TEXT in the
// ANSI code page), which the backend holds; and a bitmap (CF_BITMAP), which
// the process keeps.
//
// One opener at a time; a second OpenClipboard fails until CloseClipboard.
BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
// Forgets the text and deletes the bitmap.
BOOL EmptyClipboard();
// Takes a zero-terminated text in global memory (GlobalAlloc), or an
// HBITMAP for CF_BITMAP (the one held before is deleted); either belongs to
// the clipboard afterwards. Other formats, a handle of the wrong kind and
// delayed rendering with a null handle fail.
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// Text: global memory the clipboard owns, valid until it is closed or
// emptied. CF_BITMAP: the bitmap held, the clipboard's until emptied.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);

#pragma once
// The clipboard, for text.

#include "platform/WindowTypes.h"

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

#pragma once
// The message box as a window of ours: text, buttons and its own modal
// loop, the owner disabled meanwhile while the thread's other messages
// (paints, timers) keep being dispatched.

#include <string>

#include "platform/WindowTypes.h"

// The button chosen (IDOK ...). A WM_QUIT arriving meanwhile ends the box
// with its cancelling answer and is posted again for the caller's loop.
int RunMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type);

#pragma once
// Hidden top-level windows whose messages go to a method: what timers and
// listeners receive their messages through. The method passes what it does
// not handle on to DefWindowProcW itself, as a window procedure would.

#include "host/Controls.h"

HWND AllocateHWnd(TWndMethod Method);
// Destroys the window; nothing for nullptr.
void DeallocateHWnd(HWND Wnd);

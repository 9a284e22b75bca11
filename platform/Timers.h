#pragma once
// Timers and the clock they run on.

#include "platform/WindowTypes.h"

inline constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
inline constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// Ticks fall on start + k × interval (the interval clamped to 10 ms and up).
// Setting an existing timer (the window's id, or a thread timer's id)
// replaces it and starts its period anew; a null window with an unknown id
// makes a new thread timer and returns its id. A due timer yields one
// WM_TIMER when nothing else waits; ticks missed meanwhile fold into it, and
// the next one is the next point of the grid after now.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// Milliseconds on the backend's clock: real time in the program, a virtual
// clock in tests.
DWORD GetTickCount();
ULONGLONG GetTickCount64();

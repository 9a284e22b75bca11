#pragma once
// What tests count to prove that they leave nothing behind: windows, timers
// and hooks alive.

#include "platform/WinTypes.h"

// The platform's own windows are not counted.
int GetLiveWindowCount();
int GetLiveTimerCount();
int GetLiveHookCount();

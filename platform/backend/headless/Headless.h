#pragma once
// The headless backend: surfaces in memory and a clock that is either
// virtual (the default, for tests) or real. What tests drive it with.

#include <memory>
#include <string>

#include "platform/backend/Backend.h"

enum class THeadlessClock { Virtual, RealTime };

// A new clock starts where the current backend's stands, so time never goes back.
std::unique_ptr<TBackend> CreateHeadlessBackend(THeadlessClock clock);
// Makes a new headless backend current; FALSE while top-level windows exist.
BOOL UseHeadlessBackend(THeadlessClock clock);

// Moves the virtual clock on by ms: from one timer deadline to the next up
// to the end, running the message loop at each stop and at the end (every
// waiting message is dispatched while the clock has not passed the end; a
// WM_QUIT stops the loop and stays queued).
// A loop waiting inside a handler moves the clock on to the deadline it
// waits for. FALSE when the current backend has no virtual clock.
BOOL AdvanceVirtualClock(DWORD ms);
// Moves the virtual clock on without running the loop: the time a handler
// takes, or a loop that is blocked.
BOOL SpendVirtualTime(DWORD ms);

struct THeadlessSurfaceInfo {
  RECT Bounds;  // screen coordinates
  BOOL Visible = FALSE;
  LONG PixelWidth = 0;
  LONG PixelHeight = 0;
  std::u16string Title;
  RECT Changed;  // what was drawn since the last TakeHeadlessChanges
};
// FALSE for a window without a headless surface.
BOOL GetHeadlessSurfaceInfo(HWND hWnd, THeadlessSurfaceInfo* info);
// The area drawn on since the last call, then forgotten.
BOOL TakeHeadlessChanges(HWND hWnd, RECT* area);
// The composed image of a top-level window (its frame and every child) as a
// new 32-bit top-down DIB section the caller deletes; nullptr without one.
HBITMAP CopyHeadlessSurface(HWND hWnd);
BOOL SaveHeadlessSurfacePng(HWND hWnd, const char* path);

#pragma once
// The headless backend: surfaces in memory and a clock that is either
// virtual (the default, for tests) or real. What tests drive it with.

#include <memory>
#include <string>
#include <vector>

#include "platform/backend/Backend.h"

enum class THeadlessClock { Virtual, RealTime };

// A new clock starts where the current backend's stands, so time never goes back.
std::unique_ptr<TBackend> CreateHeadlessBackend(THeadlessClock clock);
// Makes a new headless backend current; FALSE while top-level windows exist.
BOOL UseHeadlessBackend(THeadlessClock clock);

// Moves the virtual clock on by ms: from one timer deadline to the next up
// to the end, running the message loop at each stop and at the end (every
// waiting message goes through the message step, as in the program's loop,
// while the clock has not passed the end; a WM_QUIT stops the loop and
// stays queued).
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


// Input as a user gives it, at screen coordinates. It waits in the queue
// until the loop runs (AdvanceVirtualClock); mouse events are routed, and
// keys reach the focus window, as the loop takes them.
void InjectMouseMove(int x, int y);
// VK_LBUTTON, VK_RBUTTON or VK_MBUTTON; a move there first.
void InjectMouseButton(UINT button, BOOL down, int x, int y);
void InjectClick(UINT button, int x, int y);
void InjectWheel(int delta, int x, int y);
// Pressing a key that is down already repeats it.
void InjectKey(UINT vk, BOOL down);
void InjectKeyPress(UINT vk);
// Each character as the keystrokes of the US layout, Shift around it when
// needed; characters that layout lacks as VK_PACKET. Every key-down carries
// its character.
void InjectText(const std::u16string& text);
// The desktop's focus to a top-level window of the program, or away from
// the program (nullptr).
void InjectDesktopFocus(HWND hWnd);

struct THeadlessMessageBox {
  HWND Owner = nullptr;
  std::u16string Text;
  std::u16string Caption;
  UINT Type = 0;
  int Answer = 0;
};
// What the program asked for, oldest first: beeps by type, message boxes
// with the answer they got. Empty for a backend that is not headless.
std::vector<UINT> HeadlessBeeps();
std::vector<THeadlessMessageBox> HeadlessMessageBoxes();
void ClearHeadlessNotices();
// The answer of the message boxes to come; 0 (the default) answers the
// box's default button, as Enter would.
void SetHeadlessMessageBoxAnswer(int answer);
// TRUE: the message boxes to come show as windows with their modal loop,
// answered by the input a test injects (still logged); FALSE (the default):
// answered at once.
void SetHeadlessMessageBoxShown(BOOL shown);

#pragma once
// The caret: the blinking mark of a window's text insertion point.

#include "platform/WindowTypes.h"

// One caret at a time, owned by a window; it is destroyed with the window.
// Created hidden at (0, 0); a zero width or height takes the border size.
// Hiding counts: each HideCaret needs its ShowCaret. While shown it blinks,
// on for the blink time, off for the blink time; moving or showing it
// turns it on and starts the period again.
BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight);
BOOL DestroyCaret();
// A null window stands for the caret's owner; another window fails.
BOOL ShowCaret(HWND hWnd);
BOOL HideCaret(HWND hWnd);
// Client coordinates of the owner.
BOOL SetCaretPos(int X, int Y);
BOOL GetCaretPos(POINT* lpPoint);
// 530 ms.
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT uMSeconds);
// Whether the caret is in the "on" half of its blinking: when a painter
// draws it.
BOOL IsCaretOn();

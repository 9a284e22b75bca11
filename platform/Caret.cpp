// The caret: one at a time, owned by a window, blinking on a thread timer
// that runs only while the caret shows.

#include "platform/WindowObjects.h"

namespace {

constexpr UINT DefaultBlinkTime = 530;

struct TCaret {
  HWND Owner = nullptr;
  HBITMAP Bitmap = nullptr;
  SIZE Size;
  POINT Pos;
  int Hidden = 0;  // HideCaret calls not yet matched by ShowCaret
  bool On = false;
  UINT_PTR Timer = 0;
};

TCaret& Caret() {
  static TCaret caret;
  return caret;
}

UINT& BlinkTime() {
  static UINT time = DefaultBlinkTime;
  return time;
}

void Tick(HWND, UINT, UINT_PTR, DWORD) { Caret().On = !Caret().On; }

// Turns the caret on and starts its period anew, or stops it while hidden.
void Restart() {
  TCaret& c = Caret();
  if (c.Timer) KillTimer(nullptr, c.Timer);
  c.Timer = 0;
  c.On = c.Owner && c.Hidden == 0;
  if (c.On) c.Timer = SetTimer(nullptr, 0, BlinkTime(), Tick);
}

bool OwnerMatches(HWND h) {
  const TCaret& c = Caret();
  return c.Owner && (!h || h == c.Owner);
}

}  // namespace

BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight) {
  if (!CheckedWindowOf(hWnd)) return FALSE;
  DestroyCaret();
  TCaret& c = Caret();
  c.Owner = hWnd;
  c.Bitmap = hBitmap;
  c.Size = SIZE{nWidth ? nWidth : GetSystemMetrics(SM_CXBORDER), nHeight ? nHeight : GetSystemMetrics(SM_CYBORDER)};
  // A bitmap gives the caret its own size.
  BITMAP bm;
  if (hBitmap && reinterpret_cast<ULONG_PTR>(hBitmap) != 1 && GetObjectW(hBitmap, sizeof(bm), &bm))
    c.Size = SIZE{bm.bmWidth, bm.bmHeight};
  c.Pos = POINT{};
  c.Hidden = 1;
  Restart();
  return TRUE;
}

BOOL DestroyCaret() {
  TCaret& c = Caret();
  if (!c.Owner) return FALSE;
  const UINT_PTR timer = c.Timer;
  c = TCaret{};
  c.Timer = timer;
  Restart();
  return TRUE;
}

BOOL ShowCaret(HWND hWnd) {
  TCaret& c = Caret();
  if (!OwnerMatches(hWnd) || c.Hidden == 0) return FALSE;
  if (--c.Hidden == 0) Restart();
  return TRUE;
}

BOOL HideCaret(HWND hWnd) {
  TCaret& c = Caret();
  if (!OwnerMatches(hWnd)) return FALSE;
  if (c.Hidden++ == 0) Restart();
  return TRUE;
}

BOOL SetCaretPos(int X, int Y) {
  TCaret& c = Caret();
  if (!c.Owner) return FALSE;
  c.Pos = POINT{X, Y};
  if (c.Hidden == 0) Restart();
  return TRUE;
}

BOOL GetCaretPos(POINT* lpPoint) {
  const TCaret& c = Caret();
  if (!lpPoint || !c.Owner) return FALSE;
  *lpPoint = c.Pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return BlinkTime(); }

BOOL SetCaretBlinkTime(UINT uMSeconds) {
  if (uMSeconds == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BlinkTime() = uMSeconds;
  if (Caret().Timer) Restart();
  return TRUE;
}

BOOL IsCaretOn() { return Caret().On ? TRUE : FALSE; }

void ForgetCaret(HWND h) {
  if (Caret().Owner == h) DestroyCaret();
}

// The caret: one at a time, owned by a window, blinking on a thread timer
// that runs only while the caret shows. As the desktop's text fields do, it
// blinks for 10 seconds after it last moved or the user last pressed a key
// or a button, then stays on with no timer, so that an idle window never
// wakes. It is drawn by inverting the owner's pixels, so drawing it twice
// takes it away again; painting the owner takes it off first and puts it
// back after.

#include "platform/WindowObjects.h"

namespace {

constexpr UINT DefaultBlinkTime = 530;
constexpr ULONGLONG BlinkTimeout = 10000;

struct TCaret {
  HWND Owner = nullptr;
  HBITMAP Bitmap = nullptr;
  SIZE Size;
  POINT Pos;
  int Hidden = 0;  // HideCaret calls not yet matched by ShowCaret
  bool On = false;
  bool Drawn = false;  // inverted on the owner's pixels right now
  UINT_PTR Timer = 0;
  ULONGLONG Active = 0;  // when it last moved or the user last acted
};

TCaret& Caret() {
  static TCaret caret;
  return caret;
}

UINT& BlinkTime() {
  static UINT time = DefaultBlinkTime;
  return time;
}

// A bitmap of 1 asks for a grey caret, drawn here as the solid one.
bool HasOwnBitmap(const TCaret& c) { return c.Bitmap && reinterpret_cast<ULONG_PTR>(c.Bitmap) != 1; }

void Invert(TCaret& c) {
  HDC dc = IsWindow(c.Owner) ? GetDCEx(c.Owner, nullptr, DCX_CACHE) : nullptr;
  if (!dc) return;
  if (HasOwnBitmap(c)) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, c.Bitmap);
    BitBlt(dc, c.Pos.X, c.Pos.Y, c.Size.cx, c.Size.cy, source, 0, 0, SRCINVERT);
    SelectObject(source, old);
    DeleteDC(source);
  } else {
    PatBlt(dc, c.Pos.X, c.Pos.Y, c.Size.cx, c.Size.cy, DSTINVERT);
  }
  ReleaseDC(c.Owner, dc);
  c.Drawn = !c.Drawn;
}

// Brings the pixels in line with the on state.
void Show(TCaret& c) {
  if (c.Drawn != c.On) Invert(c);
}

void Tick(HWND, UINT, UINT_PTR, DWORD) {
  TCaret& c = Caret();
  // No blink may end past the timeout: this one leaves it on for good.
  if (ClockNow() + BlinkTime() >= c.Active + BlinkTimeout) {
    c.On = true;
    KillTimer(nullptr, c.Timer);
    c.Timer = 0;
  } else {
    c.On = !c.On;
  }
  Show(c);
}

// Turns the caret on and starts its period anew, or stops it while hidden.
void Restart() {
  TCaret& c = Caret();
  if (c.Timer) KillTimer(nullptr, c.Timer);
  c.Timer = 0;
  c.On = c.Owner && c.Hidden == 0;
  c.Active = ClockNow();
  Show(c);
  if (c.On) c.Timer = SetTimer(nullptr, 0, BlinkTime(), Tick);
}

// Takes the caret off the owner's pixels before a change to them.
void TakeOff(TCaret& c) {
  if (c.Drawn) Invert(c);
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
  if (HasOwnBitmap(c) && GetObjectW(hBitmap, sizeof(bm), &bm))
    c.Size = SIZE{bm.bmWidth, bm.bmHeight};
  c.Pos = POINT{};
  c.Hidden = 1;
  Restart();
  return TRUE;
}

BOOL DestroyCaret() {
  TCaret& c = Caret();
  if (!c.Owner) return FALSE;
  TakeOff(c);
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
  TakeOff(c);
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

void TakeCaretOffForPaint(HWND h) {
  TCaret& c = Caret();
  if (c.Owner == h) TakeOff(c);
}

void PutCaretBackAfterPaint(HWND h) {
  TCaret& c = Caret();
  if (c.Owner == h) Show(c);
}

void RestartCaretBlink() {
  const TCaret& c = Caret();
  if (c.Owner && c.Hidden == 0) Restart();
}

void ForgetCaret(HWND h) {
  if (Caret().Owner == h) DestroyCaret();
}

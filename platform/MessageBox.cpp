// Beeps and message boxes: handed to the backend, which shows them or
// logs them (the headless one); every beep plays the default sound.

#include "platform/Sound.h"
#include "platform/WindowObjects.h"

BOOL MessageBeep(UINT uType) {
  CurrentBackend().Beep(uType);
  PlayDefaultSound();
  return TRUE;
}

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  if (hWnd && !CheckedWindowOf(hWnd)) return 0;
  // The system's caption for a box that names none.
  return CurrentBackend().ShowMessageBox(hWnd, lpText ? lpText : u"", lpCaption ? lpCaption : u"Error", uType);
}

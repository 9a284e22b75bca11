// Beeps and message boxes: handed to the backend, which plays or shows
// them (the headless one logs them).

#include "platform/WindowObjects.h"

BOOL MessageBeep(UINT uType) {
  CurrentBackend().Beep(uType);
  return TRUE;
}

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  if (hWnd && !CheckedWindowOf(hWnd)) return 0;
  // The system's caption for a box that names none.
  return CurrentBackend().ShowMessageBox(hWnd, lpText ? lpText : u"", lpCaption ? lpCaption : u"Error", uType);
}

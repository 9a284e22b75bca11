// System changes and their broadcasts to the top-level windows.

#include "platform/SystemChanges.h"
#include "platform/WindowObjects.h"

void BroadcastToTopLevel(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The list is taken first: handlers may create or destroy windows.
  for (HWND h : TopLevelWindows())
    if (WindowOf(h)) SendToWindow(h, msg, wParam, lParam);
}

BOOL ChangeSysColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues) {
  if (!SetSysColors(cElements, lpaElements, lpaRgbValues)) return FALSE;
  BroadcastToTopLevel(WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

void AnnounceSettingChange(UINT uiAction, LPCWSTR area) {
  BroadcastToTopLevel(WM_SETTINGCHANGE, uiAction, reinterpret_cast<LPARAM>(area));
}

void AnnounceThemeChange() { BroadcastToTopLevel(WM_THEMECHANGED, 0, 0); }

void AnnounceTimeChange() { BroadcastToTopLevel(WM_TIMECHANGE, 0, 0); }

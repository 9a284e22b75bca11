#pragma once
// What the desktop does when the user changes a setting, for tests: the
// change, then its message to every top-level window, hidden ones included.

#include "platform/Gdi.h"

// SetSysColors, then WM_SYSCOLORCHANGE. Passing every index swaps the table.
BOOL ChangeSysColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues);
// WM_SETTINGCHANGE with the action in wParam and the area's name in lParam
// (u"intl" for the locale).
void AnnounceSettingChange(UINT uiAction, LPCWSTR area);
void AnnounceThemeChange();
void AnnounceTimeChange();
// The settings of SystemParametersInfoW back at their defaults.
void ResetSystemParameters();

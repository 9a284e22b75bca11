#pragma once
// A theme for tests: the desktop has none, so a test that wants the themed
// paths describes one, installs it and removes it again. Both announce the
// change (WM_THEMECHANGED to every top-level window, hidden ones too), as the
// desktop does when the user picks a theme.

#include <map>
#include <string>
#include <vector>

#include "platform/UxTheme.h"

// One part in one state. A part and state without a description of their
// own take the part's state 0, then the class's part 0 in state 0.
//
// Its background is TMT_FILLCOLOR in a one-pixel frame of TMT_BORDERCOLOR
// (either may be missing: no fill, no frame); its content rectangle is the
// bounding one less TMT_CONTENTMARGINS.
struct TTestThemePart {
  int Part = 0;
  int State = 0;
  std::map<int, COLORREF> Colors{};
  std::map<int, MARGINS> Margins{};
  SIZE Size{};
  bool PartiallyTransparent = false;
};

struct TTestThemeClass {
  std::u16string Name;  // matched without regard to case
  std::vector<TTestThemePart> Parts;
};

struct TTestTheme {
  // An inactive theme behaves as none.
  bool Active = true;
  std::u16string FileName;  // with its folder, as GetCurrentThemeName gives it
  std::u16string ColorName;
  std::u16string SizeName;
  std::vector<TTestThemeClass> Classes;
};

// Handles opened before a change fail afterwards, except for closing.
void InstallTestTheme(const TTestTheme& ATheme);
void RemoveTestTheme();

// Theme handles not closed yet.
int GetLiveThemeHandleCount();

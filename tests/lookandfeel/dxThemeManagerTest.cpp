// The theme services: the library's entries as the suite calls them, the
// theme classes with their cached handles, and the window that hears of
// theme changes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "lookandfeel/dxThemeManager.h"
#include "platform/SystemChanges.h"
#include "tests/SuiteUnits.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"
#include "tests/platform/GdiTestSurface.h"
#include "tests/platform/TestThemeScope.h"

namespace {

// The theme classes by ordinal.
const char16_t* const ClassNames[] = {
    u"Button",   u"Clock",      u"ComboBox",  u"Edit",    u"ExplorerBar", u"Header",     u"ListBox",
    u"ListView", u"Menu",       u"Page",      u"Progress", u"Rebar",      u"ScrollBar",  u"Spin",
    u"StartPanel", u"Status",   u"Tab",       u"TaskBand", u"TaskBar",    u"ToolBar",    u"ToolTip",
    u"TrackBar", u"TrayNotify", u"TreeView",  u"Window",  u"Navigation",  u"Explorer::ListView"};

TdxThemedObjectType Type(int AOrdinal) { return static_cast<TdxThemedObjectType>(AOrdinal); }

// A theme with one class of the given name.
TTestTheme OneClassTheme(const char16_t* AName) {
  TTestTheme theme;
  theme.Classes = {{AName, {TTestThemePart{}}}};
  return theme;
}

// Whether the services answer as with no theme at all.
std::string NoThemeAnswers() {
  std::string found;
  for (int i = 0; i < dxThemedObjectTypeCount; ++i)
    if (OpenTheme(Type(i))) found += " opens " + std::to_string(i);
  if (AreVisualStylesAvailable()) found += " visual styles";
  if (IsThemeActive() || IsAppThemed()) found += " theme active";
  if (OpenThemeData(nullptr, u"Button")) found += " OpenThemeData";
  TTestSurface s(2, 2, 0x00FFFFFF);
  const RECT r{0, 0, 2, 2};
  COLORREF color = 0;
  RECT content;
  SIZE size;
  MARGINS margins;
  WCHAR name[16];
  if (SUCCEEDED(DrawThemeBackground(nullptr, s.DC, 1, 1, &r))) found += " background";
  if (SUCCEEDED(GetThemeColor(nullptr, 1, 1, TMT_COLOR, &color))) found += " colour";
  if (SUCCEEDED(GetThemeBackgroundContentRect(nullptr, s.DC, 1, 1, &r, &content))) found += " content";
  if (SUCCEEDED(GetThemePartSize(nullptr, s.DC, 1, 1, nullptr, TS_TRUE, &size))) found += " size";
  if (SUCCEEDED(GetThemeMargins(nullptr, s.DC, 1, 1, TMT_CONTENTMARGINS, nullptr, &margins))) found += " margins";
  if (IsThemeBackgroundPartiallyTransparent(nullptr, 1, 1)) found += " transparent";
  if (SUCCEEDED(GetCurrentThemeName(name, 16, nullptr, 0, nullptr, 0))) found += " name";
  if (s.At(0, 0) != 0x00FFFFFFu) found += " drawn";
  return found.empty() ? "no theme" : found;
}

using ThemeServices = TLeakCheckedTest;

TEST_F(ThemeServices, WithoutAThemeNothingOpensAndNoCallSucceeds) {
  EXPECT_TRUE(IsThemeLibraryLoaded());
  EXPECT_EQ(NoThemeAnswers(), "no theme");
  EXPECT_FALSE(AreVisualStylesAvailable(TdxThemedObjectTypes{totButton}));
}

// Starts the units without the theme library and installs the test theme,
// reporting what the services answer then.
std::string StartWithoutTheLibrary() {
  RestartUnits([] { SetModuleAvailable(u"UxTheme.dll", false); });
  TInstalledTheme theme(ThreeClassTheme());
  TTestSurface s(2, 2, 0);
  const RECT r{0, 0, 2, 2};
  HDC dc = s.DC;
  const bool noBuffer = !BeginBufferedPaint(s.DC, &r, BPBF_TOPDOWNDIB, nullptr, &dc) && !dc;
  const bool noBufferCalls = BufferedPaintInit() == E_NOTIMPL && BufferedPaintUnInit() == E_NOTIMPL &&
                             BufferedPaintClear(nullptr, nullptr) == E_NOTIMPL &&
                             BufferedPaintSetAlpha(nullptr, nullptr, 255) == E_NOTIMPL &&
                             EndBufferedPaint(nullptr, TRUE) == E_NOTIMPL && CloseThemeData(nullptr) == E_NOTIMPL &&
                             DrawThemeParentBackground(nullptr, s.DC, nullptr) == E_NOTIMPL;
  return std::string(IsThemeLibraryLoaded() ? "loaded, " : "not loaded, ") + NoThemeAnswers() +
         (noBuffer && noBufferCalls ? ", no buffered paint" : ", buffered paint");
}

using ThemeServicesStart = TUnitRestartTest;

TEST_F(ThemeServicesStart, WithoutTheLibraryEvenATestThemeIsNoTheme) {
  EXPECT_EXIT(ExitWithOutcome(StartWithoutTheLibrary()), ::testing::ExitedWithCode(0),
              "outcome: not loaded, no theme, no buffered paint;");
}

TEST_F(ThemeServices, EachClassOpensByItsOwnName) {
  for (int i = 0; i < dxThemedObjectTypeCount; ++i) {
    TInstalledTheme theme(OneClassTheme(ClassNames[i]));
    for (int j = 0; j < dxThemedObjectTypeCount; ++j)
      EXPECT_EQ(OpenTheme(Type(j)) != nullptr, i == j) << "theme of class " << i << ", opening " << j;
  }
}

TEST_F(ThemeServices, AHandleIsOpenedOnceAndAnswersForItsClass) {
  TInstalledTheme theme(ThreeClassTheme());
  const HTHEME button = OpenTheme(totButton);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(OpenTheme(totButton), button);
  EXPECT_EQ(GetLiveThemeHandleCount(), 1);
  EXPECT_NE(OpenTheme(totScrollBar), button);
  EXPECT_EQ(OpenTheme(totSpin), nullptr);
  EXPECT_EQ(GetLiveThemeHandleCount(), 2);

  COLORREF color = 0;
  EXPECT_EQ(GetThemeColor(button, 1, 1, TMT_COLOR, &color), S_OK);
  EXPECT_EQ(color, RGB(1, 2, 3));
  const RECT bounds{0, 0, 100, 100};
  RECT content;
  EXPECT_EQ(GetThemeBackgroundContentRect(button, nullptr, 1, 1, &bounds, &content), S_OK);
  EXPECT_EQ(content, (RECT{3, 1, 96, 98}));
  SIZE size;
  EXPECT_EQ(GetThemePartSize(OpenTheme(totScrollBar), nullptr, 10, 1, nullptr, TS_TRUE, &size), S_OK);
  EXPECT_EQ(size, (SIZE{17, 17}));

  TTestSurface s(5, 4, 0x00FFFFFF);
  const RECT r{1, 1, 5, 4};
  ASSERT_EQ(DrawThemeBackground(button, s.DC, 1, 1, &r), S_OK);
  const DWORD fill = 0x000A141E, frame = 0x00C80000;
  ExpectPicture(s, {".....", ".BBBB", ".BFFB", ".BBBB"}, {{'.', 0x00FFFFFF}, {'B', frame}, {'F', fill}});

  CloseAllThemes();
  EXPECT_EQ(GetLiveThemeHandleCount(), 0);
  EXPECT_NE(OpenTheme(totButton), nullptr) << "opened again";
  EXPECT_EQ(GetLiveThemeHandleCount(), 1);
}

TEST_F(ThemeServices, VisualStylesAreAvailableWhenEveryListedClassOpens) {
  TInstalledTheme theme(ThreeClassTheme());
  const std::pair<TdxThemedObjectTypes, bool> cases[] = {
      {{}, true},
      {{totButton}, true},
      {{totButton, totListView, totScrollBar}, true},
      {{totButton, totSpin}, false},
      {{totExplorerListView}, false},
  };
  for (const auto& [needed, available] : cases)
    EXPECT_EQ(AreVisualStylesAvailable(needed), available) << needed.ToBits();
}

TEST_F(ThemeServices, AThemeChangeClosesTheHandlesAndTellsTheNotificatorsInOrder) {
  std::vector<int> told;
  std::vector<int> handlesWhenTold;
  TdxThemeChangedNotificator first, second, third;
  TdxThemeChangedNotificator* notificators[] = {&first, &second, &third};
  for (int i = 0; i < 3; ++i)
    notificators[i]->OnThemeChanged = [&, i](TObject*) {
      told.push_back(i);
      handlesWhenTold.push_back(GetLiveThemeHandleCount());
    };
  {
    TInstalledTheme theme(ThreeClassTheme());
    EXPECT_EQ(told, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(AreVisualStylesAvailable());
    ASSERT_NE(OpenTheme(totButton), nullptr);
    told.clear();
    handlesWhenTold.clear();

    AnnounceThemeChange();
    EXPECT_EQ(told, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(handlesWhenTold, (std::vector<int>{0, 0, 0})) << "the cache was emptied first";
    ASSERT_NE(OpenTheme(totButton), nullptr) << "opened again";
    told.clear();

    // New system colours empty the cache too.
    const int face = COLOR_BTNFACE;
    const COLORREF faceColour = GetSysColor(COLOR_BTNFACE);
    ChangeSysColors(1, &face, &faceColour);
    EXPECT_EQ(told, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(GetLiveThemeHandleCount(), 0);
    told.clear();
  }
  EXPECT_EQ(told, (std::vector<int>{0, 1, 2})) << "the theme went";
  EXPECT_FALSE(AreVisualStylesAvailable());
  EXPECT_EQ(OpenTheme(totButton), nullptr);
}

TEST_F(ThemeServices, ANotificatorFreedByAnEarlierOneIsNotTold) {
  std::vector<int> told;
  TdxThemeChangedNotificator first;
  auto* second = new TdxThemeChangedNotificator;
  first.OnThemeChanged = [&](TObject*) {
    told.push_back(1);
    TObject::Free(second);
  };
  second->OnThemeChanged = [&](TObject*) { told.push_back(2); };
  AnnounceThemeChange();
  EXPECT_EQ(told, (std::vector<int>{1}));
}

}  // namespace

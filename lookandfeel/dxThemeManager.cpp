#include "lookandfeel/dxThemeManager.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "controls/cxClasses.h"
#include "controls/dxCore.h"
#include "platform/WindowMessages.h"

HOST_CLASS_INFO(TdxThemeChangedNotificator, TObject, &CreateDefault<TdxThemeChangedNotificator>)

namespace {

constexpr const char16_t* ThemedObjectNames[dxThemedObjectTypeCount] = {
    u"Button",     u"Clock",    u"ComboBox",   u"Edit",      u"ExplorerBar", u"Header",    u"ListBox",
    u"ListView",   u"Menu",     u"Page",       u"Progress",  u"Rebar",       u"ScrollBar", u"Spin",
    u"StartPanel", u"Status",   u"Tab",        u"TaskBand",  u"TaskBar",     u"ToolBar",   u"ToolTip",
    u"TrackBar",   u"TrayNotify", u"TreeView", u"Window",    u"Navigation",  u"Explorer::ListView"};

std::vector<TdxThemeChangedNotificator*>& Notificators() {
  static std::vector<TdxThemeChangedNotificator*> list;
  return list;
}

void NotifyThemeChanged() {
  ForEachListener(Notificators(), [](TdxThemeChangedNotificator* notificator) { notificator->DoThemeChanged(); });
}

struct TThemeManager {
  std::array<HTHEME, dxThemedObjectTypeCount> Handles{};
  bool ThemeActive = false;
  std::unique_ptr<TcxMessageWindow, TFreeObject> Listener;
};

TThemeManager& Manager() {
  static TThemeManager manager;
  return manager;
}

void ReadThemeActive() { Manager().ThemeActive = IsThemeActive() != FALSE; }

// A hidden window: the desktop tells every top-level window of a new theme
// or new system colours.
class TThemeChangeListener : public TcxMessageWindow {
 protected:
  LRESULT WndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) override {
    if (AMsg == WM_THEMECHANGED || AMsg == WM_SYSCOLORCHANGE) {
      CloseAllThemes();
      ReadThemeActive();
      NotifyThemeChanged();
    }
    return TcxMessageWindow::WndProc(AMsg, AWParam, ALParam);
  }
};

void InitializeThemeManager() {
  ReadThemeActive();
  Manager().Listener.reset(new TThemeChangeListener);
}

void FinalizeThemeManager() {
  CloseAllThemes();
  Manager().Listener.reset();
  Manager().ThemeActive = false;
}

}  // namespace

HTHEME OpenTheme(TdxThemedObjectType AObjectType) {
  TThemeManager& manager = Manager();
  if (!manager.ThemeActive) return nullptr;
  HTHEME& handle = manager.Handles[AObjectType];
  if (!handle) handle = OpenThemeData(nullptr, ThemedObjectNames[AObjectType]);
  return handle;
}

bool AreVisualStylesAvailable(const TdxThemedObjectTypes& ANeededThemedObjectTypes) {
  if (!IsThemeLibraryLoaded() || !Manager().ThemeActive) return false;
  for (int i = 0; i < dxThemedObjectTypeCount; ++i) {
    const auto objectType = static_cast<TdxThemedObjectType>(i);
    if (ANeededThemedObjectTypes.Contains(objectType) && !OpenTheme(objectType)) return false;
  }
  return true;
}

void CloseAllThemes() {
  for (HTHEME& handle : Manager().Handles) {
    if (handle) CloseThemeData(handle);
    handle = nullptr;
  }
}

TdxThemeChangedNotificator::TdxThemeChangedNotificator() { Notificators().push_back(this); }

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() { std::erase(Notificators(), this); }

void TdxThemeChangedNotificator::DoThemeChanged() {
  if (OnThemeChanged) OnThemeChanged(this);
}

void RegisterThemeManagerUnit() {
  RegisterSuiteUnit<&InitializeThemeManager, &FinalizeThemeManager>("dxThemeManager", {"cxClasses", "dxUxTheme"});
}

#pragma once
// The visual-styles classes the suite draws with: their theme handles,
// opened on first use and kept until the theme or the system colours
// change, and the objects told of those changes.

#include "host/Objects.h"
#include "host/Sets.h"
#include "lookandfeel/dxUxTheme.h"

// "Button", "Clock", "ComboBox", "Edit", "ExplorerBar", "Header", "ListBox",
// "ListView", "Menu", "Page", "Progress", "Rebar", "ScrollBar", "Spin",
// "StartPanel", "Status", "Tab", "TaskBand", "TaskBar", "ToolBar",
// "ToolTip", "TrackBar", "TrayNotify", "TreeView", "Window", "Navigation",
// "Explorer::ListView".
enum TdxThemedObjectType : uint8_t {
  totButton,
  totClock,
  totComboBox,
  totEdit,
  totExplorerBar,
  totHeader,
  totListBox,
  totListView,
  totMenu,
  totPage,
  totProgress,
  totRebar,
  totScrollBar,
  totSpin,
  totStartPanel,
  totStatus,
  totTab,
  totTaskBand,
  totTaskBar,
  totToolBar,
  totToolTip,
  totTrackBar,
  totTrayNotify,
  totTreeView,
  totWindow,
  totNavigation,
  totExplorerListView
};
inline constexpr int dxThemedObjectTypeCount = totExplorerListView + 1;
using TdxThemedObjectTypes = TSet<TdxThemedObjectType, dxThemedObjectTypeCount>;

// The class's handle, the same one until CloseAllThemes; 0 when no theme is
// active or the theme lacks the class.
HTHEME OpenTheme(TdxThemedObjectType AObjectType);
// The theme library is loaded, a theme is active and every class listed
// opens.
bool AreVisualStylesAvailable(const TdxThemedObjectTypes& ANeededThemedObjectTypes = {});
// Closes every handle opened.
void CloseAllThemes();

// Told, through OnThemeChanged, after each change of the theme or of the
// system colours; every notificator alive, in the order they were made.
class TdxThemeChangedNotificator : public TObject {
  HOST_CLASS(TdxThemeChangedNotificator);

  TdxThemeChangedNotificator();
  ~TdxThemeChangedNotificator() override;

  // Fires OnThemeChanged.
  virtual void DoThemeChanged();

  TNotifyEvent OnThemeChanged;
};

// Starts the window that hears of theme changes and reads whether a theme
// is active; the end closes the handles and the window.
void RegisterThemeManagerUnit();

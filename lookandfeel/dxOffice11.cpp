#include "lookandfeel/dxOffice11.h"

#include "controls/dxCore.h"
#include "graphics/cxGraphics.h"
#include "host/SysUtils.h"
#include "lookandfeel/dxThemeManager.h"

TColor dxOffice11ToolbarsColor1 = 0;
TColor dxOffice11ToolbarsColor2 = 0;
TColor dxOffice11DockColor1 = 0;
TColor dxOffice11DockColor2 = 0;
TColor dxOffice11DropDownBorderColor1 = 0;
TColor dxOffice11ControlBorderColor = 0;
TColor dxOffice11SelectedBorderColor = 0;
TColor dxOffice11SelectedColor1 = 0;
TColor dxOffice11SelectedColor2 = 0;
TColor dxOffice11SelectedDownColor1 = 0;
TColor dxOffice11SelectedDownColor2 = 0;
TColor dxOffice11TextEnabledColor = 0;
TColor dxOffice11TextDisabledColor = 0;

namespace {

// The members of a scheme, in the order of the variables above (the control
// border being the drop-down border).
struct TOffice11SchemeColors {
  TColor ToolbarsColor1, ToolbarsColor2, DockColor1, DockColor2, DropDownBorderColor1, SelectedBorderColor,
      SelectedColor1, SelectedColor2, SelectedDownColor1, SelectedDownColor2, TextEnabledColor, TextDisabledColor;
};

// Schemes 1 ("NormalColor"), 2 ("HomeStead") and 3 ("Metallic").
constexpr TOffice11SchemeColors Office11Colors[3] = {
    {0xFEECDD, 0xE2A981, 0xF5BE9E, 0xF9DAC3, 0x962D00, 0x800000, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0x000000,
     0x8D8D8D},
    {0xDEF7F4, 0x91C6B7, 0xA7D9D9, 0xE4F0F2, 0x5E8D75, 0x385D3F, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0x000000,
     0x8D8D8D},
    {0xFAF4F3, 0xB59799, 0xE5D7D7, 0xF7F3F3, 0x947C7C, 0x6F4B4B, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0x000000,
     0x8D8D8D},
};

struct TOffice11State {
  Integer UseCount = 0;
  Integer Scheme = 0;
  bool XPStandardScheme = false;
};

TOffice11State& State() {
  static TOffice11State state;
  return state;
}

// From the system colours, each resolved to RGB.
TOffice11SchemeColors SystemDerivedColors() {
  const TColor selected = dxGetNearestColor(GetLightColor(-2, 30, 72));
  const TColor selectedDown = dxGetNearestColor(GetLightColor(14, 44, 40));
  return {dxGetMiddleRGB(clBtnFace, clWindow, 22),
          dxGetMiddleRGB(clBtnFace, clWindow, 96),
          ColorToRGB(clBtnFace),
          dxGetMiddleRGB(clBtnFace, clWindow, 20),
          ColorToRGB(clBtnShadow),
          ColorToRGB(clHighlight),
          selected,
          selected,
          selectedDown,
          selectedDown,
          ColorToRGB(clBtnText),
          ColorToRGB(clGrayText)};
}

void InitOffice11Colors() {
  TOffice11State& state = State();
  state.Scheme = dxGetOffice11Scheme();
  state.XPStandardScheme = AreVisualStylesAvailable() && state.Scheme != 0;
  const TOffice11SchemeColors c = state.XPStandardScheme ? Office11Colors[state.Scheme - 1] : SystemDerivedColors();
  dxOffice11ToolbarsColor1 = c.ToolbarsColor1;
  dxOffice11ToolbarsColor2 = c.ToolbarsColor2;
  dxOffice11DockColor1 = c.DockColor1;
  dxOffice11DockColor2 = c.DockColor2;
  dxOffice11DropDownBorderColor1 = c.DropDownBorderColor1;
  dxOffice11ControlBorderColor = c.DropDownBorderColor1;
  dxOffice11SelectedBorderColor = c.SelectedBorderColor;
  dxOffice11SelectedColor1 = c.SelectedColor1;
  dxOffice11SelectedColor2 = c.SelectedColor2;
  dxOffice11SelectedDownColor1 = c.SelectedDownColor1;
  dxOffice11SelectedDownColor2 = c.SelectedDownColor2;
  dxOffice11TextEnabledColor = c.TextEnabledColor;
  dxOffice11TextDisabledColor = c.TextDisabledColor;
}

}  // namespace

void CreateOffice11Colors() {
  if (State().UseCount++ == 0) InitOffice11Colors();
}

void ReleaseOffice11Colors() {
  if (State().UseCount > 0) --State().UseCount;
}

void RefreshOffice11Colors() { InitOffice11Colors(); }

Integer dxGetOffice11Scheme() {
  constexpr int NameLength = 1024;
  WCHAR fileName[NameLength], colorName[NameLength], sizeName[NameLength];
  if (!AreVisualStylesAvailable() ||
      FAILED(GetCurrentThemeName(fileName, NameLength, colorName, NameLength, sizeName, NameLength)))
    return 0;
  const std::u16string_view path(fileName);
  const String file = AnsiUpperCase(path.substr(path.find_last_of(u"\\/:") + 1));
  if (file != u"LUNA.MSSTYLES" && !IsWinVistaOrLater) return 0;
  const String color = AnsiUpperCase(colorName);
  if (color == u"NORMALCOLOR") return 1;
  if (color == u"HOMESTEAD") return 2;
  if (color == u"METALLIC") return 3;
  return 0;
}

Integer GetOffice11Scheme() { return State().Scheme; }

bool IsXPStandardScheme() { return State().XPStandardScheme; }

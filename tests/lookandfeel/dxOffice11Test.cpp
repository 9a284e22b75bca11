// The Office-11 colour set: derived from the system colours without a
// standard scheme, the built-in table with one, and the use count.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookandfeel/dxOffice11.h"
#include "platform/Kernel.h"
#include "platform/ScopeExit.h"
#include "tests/SuiteUnits.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"
#include "tests/platform/TestThemeScope.h"

namespace {

// The members in the order of the table: toolbars 1 and 2, dock 1 and 2,
// drop-down border 1, control border, selected border, selected 1 and 2,
// selected down 1 and 2, text enabled and disabled.
std::vector<TColor> Members() {
  return {dxOffice11ToolbarsColor1,      dxOffice11ToolbarsColor2,     dxOffice11DockColor1,
          dxOffice11DockColor2,          dxOffice11DropDownBorderColor1, dxOffice11ControlBorderColor,
          dxOffice11SelectedBorderColor, dxOffice11SelectedColor1,     dxOffice11SelectedColor2,
          dxOffice11SelectedDownColor1,  dxOffice11SelectedDownColor2, dxOffice11TextEnabledColor,
          dxOffice11TextDisabledColor};
}

// From the fixed system colours: face (240, 240, 240), window white, shadow
// (160, 160, 160), highlight (51, 153, 255), button text black, grey text
// (109, 109, 109). Middle colours weigh the face by the percentage, each
// share rounded: 22 % gives 199 + 53 = 252, 96 % gives 10 + 230 = 240,
// 20 % gives 204 + 48 = 252. The light selection colour (-2, 30, 72 per
// cent of face, highlight, window) is (-5 + 15 + 184, -5 + 46 + 184,
// -5 + 77 + 184 clamped), the pressed one (14, 44, 40 per cent) is
// (34 + 22 + 102, 34 + 67 + 102, 34 + 112 + 102).
const std::vector<TColor> SystemDerived = {0xFCFCFC, 0xF0F0F0, 0xF0F0F0, 0xFCFCFC, 0xA0A0A0, 0xA0A0A0, 0xFF9933,
                                           0xFFE1C2, 0xFFE1C2, 0xF8CB9E, 0xF8CB9E, 0x000000, 0x6D6D6D};

const std::vector<TColor> SchemeColors[3] = {
    {0xFEECDD, 0xE2A981, 0xF5BE9E, 0xF9DAC3, 0x962D00, 0x962D00, 0x800000, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE,
     0x000000, 0x8D8D8D},
    {0xDEF7F4, 0x91C6B7, 0xA7D9D9, 0xE4F0F2, 0x5E8D75, 0x5E8D75, 0x385D3F, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE,
     0x000000, 0x8D8D8D},
    {0xFAF4F3, 0xB59799, 0xE5D7D7, 0xF7F3F3, 0x947C7C, 0x947C7C, 0x6F4B4B, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE,
     0x000000, 0x8D8D8D},
};

TTestTheme ThemeOf(const char16_t* AFileName, const char16_t* AColorName) {
  TTestTheme theme = ThreeClassTheme();
  theme.FileName = AFileName;
  theme.ColorName = AColorName;
  return theme;
}

using Office11Colors = TLeakCheckedTest;

TEST_F(Office11Colors, WithoutASchemeTheyComeFromTheSystemColours) {
  RefreshOffice11Colors();
  EXPECT_EQ(Members(), SystemDerived);
  EXPECT_EQ(GetOffice11Scheme(), 0);
  EXPECT_FALSE(IsXPStandardScheme());
}

struct TSchemeCase {
  const char16_t* FileName;
  const char16_t* ColorName;
  Integer OnSix;
  Integer OnFive;
};

const TSchemeCase SchemeCases[] = {
    {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", u"NormalColor", 1, 1},
    {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", u"homestead", 2, 2},
    {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", u"METALLIC", 3, 3},
    {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", u"Royale", 0, 0},
    {u"lUnA.MsStyles", u"normalcolor", 1, 1},
    {u"C:\\Themes\\Royale.msstyles", u"NORMALCOLOR", 1, 0},
    {u"C:\\Themes\\Royale.msstyles", u"HomeStead", 2, 0},
    {u"C:\\Themes\\Royale.msstyles", u"Metallic", 3, 0},
    {u"C:\\Themes\\Luna.msstyles.bak", u"Metallic", 3, 0},
    {u"C:\\Themes\\Aero.msstyles", u"", 0, 0},
};

// The scheme each case gives, one digit per case.
std::string SchemesOfTheCases() {
  std::string schemes;
  for (const TSchemeCase& c : SchemeCases) {
    TInstalledTheme theme(ThemeOf(c.FileName, c.ColorName));
    schemes += std::to_string(dxGetOffice11Scheme());
  }
  return schemes;
}

std::string ExpectedSchemes(Integer TSchemeCase::*AColumn) {
  std::string schemes;
  for (const TSchemeCase& c : SchemeCases) schemes += std::to_string(c.*AColumn);
  return schemes;
}

TEST_F(Office11Colors, TheSchemeFromTheThemeOnMajorVersionSix) {
  EXPECT_EQ(SchemesOfTheCases(), ExpectedSchemes(&TSchemeCase::OnSix));
  EXPECT_EQ(dxGetOffice11Scheme(), 0) << "no theme";
}

using Office11Start = TUnitRestartTest;

TEST_F(Office11Start, TheSchemeFromTheThemeOnMajorVersionFive) {
  EXPECT_EXIT(
      {
        RestartUnits([] { SetReportedVersion(5, 1); });
        ExitWithOutcome(SchemesOfTheCases());
      },
      ::testing::ExitedWithCode(0), "outcome: " + ExpectedSchemes(&TSchemeCase::OnFive) + ";");
}

TEST_F(Office11Colors, AStandardSchemeGivesItsRowOfTheTable) {
  const TScopeExit systemColoursAgain([] { RefreshOffice11Colors(); });
  const char16_t* const colorNames[] = {u"NORMALCOLOR", u"HomeStead", u"metallic"};
  for (int scheme = 1; scheme <= 3; ++scheme) {
    TInstalledTheme theme(ThemeOf(u"C:\\Themes\\Luna.msstyles", colorNames[scheme - 1]));
    RefreshOffice11Colors();
    EXPECT_EQ(GetOffice11Scheme(), scheme);
    EXPECT_TRUE(IsXPStandardScheme());
    EXPECT_EQ(Members(), SchemeColors[scheme - 1]) << "scheme " << scheme;
  }
  RefreshOffice11Colors();
  EXPECT_EQ(Members(), SystemDerived) << "the theme went";
}

// With the look-and-feel unit ended nothing else holds a use of the set.
TEST_F(Office11Colors, OnlyTheFirstUseComputesTheSetAndTheCountStaysAboveZero) {
  const TScopeExit systemColoursAgain([] { RefreshOffice11Colors(); });
  TLookAndFeelUnitEnded ended;
  RefreshOffice11Colors();
  ReleaseOffice11Colors();
  ReleaseOffice11Colors();
  TInstalledTheme theme(ThemeOf(u"C:\\Themes\\Luna.msstyles", u"NormalColor"));
  CreateOffice11Colors();
  EXPECT_EQ(Members(), SchemeColors[0]) << "the first use, although released twice before";
  {
    TInstalledTheme other(ThemeOf(u"C:\\Themes\\Luna.msstyles", u"Metallic"));
    CreateOffice11Colors();
    EXPECT_EQ(Members(), SchemeColors[0]) << "a second use keeps the set";
    ReleaseOffice11Colors();
  }
  ReleaseOffice11Colors();
}

}  // namespace

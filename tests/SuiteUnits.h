#pragma once
// The units of the suite that its tests run, by their registration
// functions, and whole ends and starts of the units in a process of their
// own, so that the test program's running units are left alone.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/cxClasses.h"
#include "controls/cxDWMApi.h"
#include "controls/dxCore.h"
#include "controls/dxHooks.h"
#include "controls/dxThreading.h"
#include "graphics/cxDrawTextUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxGDIPlusAPI.h"
#include "graphics/dxGDIPlusClasses.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "lookandfeel/dxThemeManager.h"
#include "lookandfeel/dxUxTheme.h"
#include "platform/Units.h"
#include "values/cxDataStorage.h"
#include "values/cxDateUtils.h"
#include "values/cxFormats.h"
#include "values/dxCalendarUtils.h"

inline constexpr void (*SuiteUnitRegistrations[])() = {
    &RegisterCoreUnit,      &RegisterClassesUnit,     &RegisterHooksUnit,         &RegisterDWMApiUnit,
    &RegisterThreadingUnit, &RegisterDataStorageUnit, &RegisterCalendarUtilsUnit, &RegisterDateUtilsUnit,
    &RegisterFormatsUnit,   &RegisterGraphicsUnit,    &RegisterDrawTextUtilsUnit, &RegisterUxThemeUnit,
    &RegisterThemeManagerUnit, &RegisterLookAndFeelPaintersUnit, &RegisterLookAndFeelsUnit,
    &RegisterGDIPlusAPIUnit, &RegisterGDIPlusClassesUnit,
};

// Ends the running units, lets AChange alter the world (a module missing, a
// unit more) and starts them again.
template <typename TChange>
void RestartUnits(TChange AChange) {
  FinalizeUnits();
  AChange();
  InitializeUnits();
}

// Ends a child process with what it found, for the parent's EXPECT_EXIT to
// match; the child's own units are not ended.
[[noreturn]] inline void ExitWithOutcome(const std::string& AOutcome) {
  std::fputs(("outcome: " + AOutcome + ";\n").c_str(), stderr);
  std::fflush(stderr);
  std::_Exit(0);
}

// Each child is a fresh run of the test program, not a copy of this one with
// whatever earlier tests left behind.
class TUnitRestartTest : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

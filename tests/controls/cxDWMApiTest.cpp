#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "controls/cxDWMApi.h"
#include "platform/Modules.h"
#include "tests/SuiteUnits.h"

namespace {

std::array<const void*, 12> Entries(const TcxDwmEntryPoints& e) {
  return {reinterpret_cast<const void*>(e.DwmDefWindowProc),
          reinterpret_cast<const void*>(e.DwmEnableBlurBehindWindow),
          reinterpret_cast<const void*>(e.DwmEnableComposition),
          reinterpret_cast<const void*>(e.DwmEnableMMCSS),
          reinterpret_cast<const void*>(e.DwmExtendFrameIntoClientArea),
          reinterpret_cast<const void*>(e.DwmGetColorizationColor),
          reinterpret_cast<const void*>(e.DwmGetWindowAttribute),
          reinterpret_cast<const void*>(e.DwmIsCompositionEnabled),
          reinterpret_cast<const void*>(e.DwmSetWindowAttribute),
          reinterpret_cast<const void*>(e.DwmSetIconicThumbnail),
          reinterpret_cast<const void*>(e.DwmSetIconicLivePreviewBitmap),
          reinterpret_cast<const void*>(e.DwmInvalidateIconicBitmaps)};
}

TEST(DWMApi, TheLibraryIsLoadedWithEveryEntryAndCompositionIsOff) {
  EXPECT_TRUE(IsDwmPresent());
  EXPECT_NE(GetModuleHandleW(u"dwmapi.dll"), nullptr) << "loaded when the unit started";
  const TcxDwmEntryPoints& e = cxDwmEntryPoints();
  const auto entries = Entries(e);
  for (size_t i = 0; i < entries.size(); ++i) EXPECT_NE(entries[i], nullptr) << "entry " << i;
  EXPECT_EQ(e.DwmIsCompositionEnabled, &DwmIsCompositionEnabled);
  EXPECT_FALSE(IsCompositionEnabled());
}

// Starts the units without the library, reporting what they found.
std::string StartWithoutTheLibrary() {
  RestartUnits([] { SetModuleAvailable(u"dwmapi.dll", false); });
  const auto entries = Entries(cxDwmEntryPoints());
  const bool noEntry = std::all_of(entries.begin(), entries.end(), [](const void* p) { return !p; });
  return std::string(IsDwmPresent() ? "present" : "absent") +
         (IsCompositionEnabled() ? ", composing" : ", not composing") + (noEntry ? ", no entry" : ", entries");
}

using DWMApiStart = TUnitRestartTest;

TEST_F(DWMApiStart, WithoutTheLibraryTheFeatureIsJustOff) {
  EXPECT_EXIT(ExitWithOutcome(StartWithoutTheLibrary()), ::testing::ExitedWithCode(0),
              "outcome: absent, not composing, no entry;");
}

}  // namespace

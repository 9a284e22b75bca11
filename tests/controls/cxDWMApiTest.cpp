#include <gtest/gtest.h>

#include "controls/cxDWMApi.h"
#include "platform/Modules.h"

namespace {

TEST(DWMApi, TheLibraryIsLoadedWithEveryEntryAndCompositionIsOff) {
  EXPECT_TRUE(IsDwmPresent());
  EXPECT_NE(GetModuleHandleW(u"dwmapi.dll"), nullptr) << "loaded when the unit started";
  const TcxDwmEntryPoints& e = cxDwmEntryPoints();
  const void* entries[] = {reinterpret_cast<const void*>(e.DwmDefWindowProc),
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
  for (size_t i = 0; i < std::size(entries); ++i) EXPECT_NE(entries[i], nullptr) << "entry " << i;
  EXPECT_EQ(e.DwmIsCompositionEnabled, &DwmIsCompositionEnabled);
  EXPECT_FALSE(IsCompositionEnabled());
}

}  // namespace

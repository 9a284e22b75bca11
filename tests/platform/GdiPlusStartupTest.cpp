#include <gtest/gtest.h>

#include <functional>

#include "platform/GdiPlusEntries.h"
#include "tests/platform/GdiPlusTestSupport.h"

namespace {

using namespace Gdiplus;

// Start-up and shut-down are the tests' own business here.
class GdiplusLifecycle : public TGdiLeakCheck {
 protected:
  void TearDown() override {
    ResetGdiplusSwitches();
    ResetModuleAvailability();
    EXPECT_EQ(GetLiveGdiplusObjectCount(), 0);
    TGdiLeakCheck::TearDown();
  }
  static GpStatus Start(ULONG_PTR& token, UINT version = 1) {
    GdiplusStartupInput input;
    input.GdiplusVersion = version;
    input.SuppressBackgroundThread = TRUE;
    GdiplusStartupOutput output;
    return GdiplusStartup(&token, &input, &output);
  }
};

// Each call, made while the library is not started.
const std::vector<std::pair<const char*, std::function<GpStatus()>>>& EveryCall() {
  static BYTE pixels[16];
  static const std::vector<std::pair<const char*, std::function<GpStatus()>>> calls = {
      {"CreateBitmapFromScan0",
       [] {
         GpBitmap* b = nullptr;
         return GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppARGB, pixels, &b);
       }},
      {"CreateBitmapFromHBITMAP",
       [] {
         GpBitmap* b = nullptr;
         return GdipCreateBitmapFromHBITMAP(nullptr, nullptr, &b);
       }},
      {"LoadImageFromStream",
       [] {
         TMemoryIStream stream;
         GpImage* i = nullptr;
         return GdipLoadImageFromStream(&stream, &i);
       }},
      {"GetImageEncodersSize",
       [] {
         UINT n, size;
         return GdipGetImageEncodersSize(&n, &size);
       }},
      {"GetImageWidth",
       [] {
         UINT w;
         return GdipGetImageWidth(nullptr, &w);
       }},
      {"DisposeImage", [] { return GdipDisposeImage(nullptr); }},
      {"NotificationHook",
       [] {
         ULONG_PTR token;
         return GdiplusNotificationHook(&token);
       }},
  };
  return calls;
}

TEST_F(GdiplusLifecycle, EveryCallWaitsForStartUpAndEndsWithShutDown) {
  for (const auto& [name, call] : EveryCall()) EXPECT_EQ(call(), GdiplusNotInitialized) << name << " before start-up";
  EXPECT_EQ(GdipAlloc(16), nullptr);
  ULONG_PTR token = 0;
  ASSERT_EQ(Start(token), Ok);
  EXPECT_EQ(EveryCall()[0].second(), Ok) << "started";
  GdiplusShutdown(token);
  for (const auto& [name, call] : EveryCall()) EXPECT_EQ(call(), GdiplusNotInitialized) << name << " after shut-down";
}

TEST_F(GdiplusLifecycle, StartUpTakesVersionOneAndHandsOutTheHooks) {
  ULONG_PTR token = 0;
  EXPECT_EQ(Start(token, 2), UnsupportedGdiplusVersion);
  EXPECT_EQ(Start(token, 0), UnsupportedGdiplusVersion);
  GdiplusStartupInput input;
  input.SuppressBackgroundThread = TRUE;
  GdiplusStartupOutput output;
  EXPECT_EQ(GdiplusStartup(nullptr, &input, &output), InvalidParameter);
  EXPECT_EQ(GdiplusStartup(&token, nullptr, &output), InvalidParameter);
  EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), InvalidParameter) << "the hooks need somewhere to go";

  ASSERT_EQ(GdiplusStartup(&token, &input, &output), Ok);
  EXPECT_NE(token, 0u);
  ASSERT_NE(output.NotificationHook, nullptr);
  ASSERT_NE(output.NotificationUnhook, nullptr);
  ULONG_PTR hook = 0;
  EXPECT_EQ(output.NotificationHook(&hook), Ok);
  EXPECT_NE(hook, 0u);
  EXPECT_EQ(output.NotificationHook(nullptr), InvalidParameter);
  output.NotificationUnhook(hook);

  // Without suppressing the background thread there is nothing to hook
  // (and no thread either).
  input.SuppressBackgroundThread = FALSE;
  GdiplusStartupOutput none;
  none.NotificationHook = output.NotificationHook;
  ULONG_PTR second = 0;
  ASSERT_EQ(GdiplusStartup(&second, &input, &none), Ok);
  EXPECT_EQ(none.NotificationHook, nullptr);
  EXPECT_EQ(none.NotificationUnhook, nullptr);
  EXPECT_NE(second, token);
  GdiplusShutdown(second);
  GdiplusShutdown(token);
}

TEST_F(GdiplusLifecycle, StartUpsNestAndTheLastShutDownDisposesOfWhatIsLeft) {
  ULONG_PTR first = 0, second = 0;
  ASSERT_EQ(Start(first), Ok);
  ASSERT_EQ(Start(second), Ok);
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppPARGB, nullptr, &bitmap), Ok);
  EXPECT_EQ(GetLiveGdiplusObjectCount(), 1);
  GdiplusShutdown(first);
  GdiplusShutdown(first);  // a token counts once
  UINT width = 0;
  EXPECT_EQ(GdipGetImageWidth(reinterpret_cast<GpImage*>(bitmap), &width), Ok) << "one start-up is left";
  EXPECT_EQ(width, 4u);
  GdiplusShutdown(second);
  EXPECT_EQ(GetLiveGdiplusObjectCount(), 0) << "disposed of at the last shut-down";
  EXPECT_EQ(GdipGetImageWidth(reinterpret_cast<GpImage*>(bitmap), &width), GdiplusNotInitialized);
}

TEST_F(GdiplusLifecycle, AllocatedBlocksAreCountedUntilFreed) {
  ULONG_PTR token = 0;
  ASSERT_EQ(Start(token), Ok);
  void* block = GdipAlloc(100);
  ASSERT_NE(block, nullptr);
  std::memset(block, 0x5A, 100);
  EXPECT_EQ(GetLiveGdiplusObjectCount(), 1);
  void* empty = GdipAlloc(0);
  EXPECT_NE(empty, nullptr);
  GdipFree(empty);
  GdipFree(block);
  GdipFree(nullptr);
  EXPECT_EQ(GetLiveGdiplusObjectCount(), 0);
  GdiplusShutdown(token);
}

TEST_F(GdiplusLifecycle, SwitchesForceAnyEntrysStatus) {
  ULONG_PTR token = 0;
  SetEntryStatus("GdiplusStartup", GenericError);
  EXPECT_EQ(Start(token), GenericError);
  EXPECT_EQ(EveryCall()[0].second(), GdiplusNotInitialized) << "a failed start-up starts nothing";
  SetEntryStatus("GdiplusStartup", Ok);
  ASSERT_EQ(Start(token), Ok);

  SetEntryStatus("GdipLoadImageFromStream", OutOfMemory);
  SetEntryStatus("GdiplusNotificationHook", Aborted);
  SetEntryStatus("GdipAlloc", OutOfMemory);
  EXPECT_EQ(EveryCall()[2].second(), OutOfMemory);
  EXPECT_EQ(EveryCall()[6].second(), Aborted);
  EXPECT_EQ(GdipAlloc(8), nullptr);
  EXPECT_EQ(EveryCall()[0].second(), Ok) << "other entries work";
  EXPECT_EQ(GetLiveGdiplusObjectCount(), 1);
  ResetGdiplusSwitches();
  EXPECT_EQ(EveryCall()[2].second(), UnknownImageFormat) << "an empty stream holds no image";
  GdiplusShutdown(token);
}

class GdiplusModule : public TGdiplusTest {};

TEST_F(GdiplusModule, LoadsThroughTheModuleTableWithEveryListedEntry) {
  HMODULE module = LoadLibraryW(u"GdiPlus.dll");
  ASSERT_NE(module, nullptr);
  ASSERT_GE(GdiplusEntryPoints().size(), 20u);
  for (const TEntryPoint& entry : GdiplusEntryPoints()) {
    EXPECT_NE(entry.Proc, nullptr) << entry.Name;
    EXPECT_EQ(GetProcAddress(module, entry.Name), entry.Proc) << entry.Name;
  }
  using TGetSize = decltype(&GdipGetImageEncodersSize);
  auto getSize = reinterpret_cast<TGetSize>(GetProcAddress(module, "GdipGetImageEncodersSize"));
  UINT count = 0, size = 0;
  ASSERT_EQ(getSize(&count, &size), Ok);
  EXPECT_EQ(count, 3u);
  // Families nothing calls are not there.
  EXPECT_EQ(GetProcAddress(module, "GdipCreateFontFamilyFromName"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "GdipEmfToWmfBits"), nullptr);
  FreeLibrary(module);

  SetEntryPointAvailable(u"gdiplus.dll", "GdipCloneImage", false);
  module = LoadLibraryW(u"gdiplus.dll");
  EXPECT_EQ(GetProcAddress(module, "GdipCloneImage"), nullptr);
  EXPECT_NE(GetProcAddress(module, "GdipDisposeImage"), nullptr);
  FreeLibrary(module);
  SetModuleAvailable(u"gdiplus.dll", false);
  EXPECT_EQ(LoadLibraryW(u"gdiplus.dll"), nullptr);
}

}  // namespace

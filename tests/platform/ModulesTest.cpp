#include "platform/Modules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/Dwmapi.h"
#include "platform/Msimg32.h"
#include "platform/Painting.h"
#include "platform/WindowMessages.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

class Modules : public TGdiLeakCheck {
 protected:
  void TearDown() override {
    ResetModuleAvailability();
    TGdiLeakCheck::TearDown();
  }
};

TEST_F(Modules, LoadedByAnyCaseAndCountedUntilFreed) {
  EXPECT_EQ(GetModuleHandleW(u"msimg32.dll"), nullptr);
  HMODULE a = LoadLibraryW(u"MSIMG32.DLL");
  HMODULE b = LoadLibraryW(u"msimg32");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b);
  EXPECT_EQ(GetModuleHandleW(u"msimg32.dll"), a);
  EXPECT_EQ(reinterpret_cast<TAlphaBlendProc>(GetProcAddress(a, "AlphaBlend")), &AlphaBlend);
  EXPECT_EQ(GetProcAddress(a, "alphablend"), nullptr);  // entry names are exact
  EXPECT_EQ(GetProcAddress(a, "TransparentBlt"), nullptr);
  EXPECT_EQ(LoadLibraryW(u"nosuch.dll"), nullptr);
  EXPECT_EQ(LoadLibraryW(u"msimg32.dl"), nullptr);
  EXPECT_TRUE(FreeLibrary(a));
  EXPECT_NE(GetModuleHandleW(u"msimg32.dll"), nullptr);
  EXPECT_TRUE(FreeLibrary(b));
  EXPECT_EQ(GetModuleHandleW(u"msimg32.dll"), nullptr);
  EXPECT_FALSE(FreeLibrary(b));
  EXPECT_EQ(GetProcAddress(a, "AlphaBlend"), nullptr);  // not loaded any more
}

TEST_F(Modules, SwitchesMakeModulesAndEntriesMissing) {
  SetModuleAvailable(u"msimg32.dll", false);
  EXPECT_EQ(LoadLibraryW(u"msimg32.dll"), nullptr);
  SetModuleAvailable(u"msimg32.dll", true);
  SetEntryPointAvailable(u"msimg32.dll", "GradientFill", false);
  HMODULE h = LoadLibraryW(u"msimg32.dll");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GetProcAddress(h, "GradientFill"), nullptr);
  EXPECT_NE(GetProcAddress(h, "AlphaBlend"), nullptr);
  FreeLibrary(h);
}

TEST_F(Modules, User32AnswersWhichWindowADCBelongsTo) {
  HMODULE user32 = LoadLibraryW(u"user32.dll");
  ASSERT_NE(user32, nullptr);
  HWND (*windowFromDC)(HDC) = nullptr;
  GetProcAddressAs(user32, windowFromDC, "WindowFromDC");
  EXPECT_EQ(windowFromDC, &WindowFromDC);
  FreeLibrary(user32);
}

TEST_F(Modules, AlphaBlendFollowsTheBlendArithmetic) {
  TTestSurface source(1, 1, 0x80402010);  // premultiplied, alpha 128
  TTestSurface target(1, 1, 0xFF0080FF);
  BLENDFUNCTION bf;
  bf.AlphaFormat = AC_SRC_ALPHA;
  bf.SourceConstantAlpha = 255;
  ASSERT_TRUE(AlphaBlend(target.DC, 0, 0, 1, 1, source.DC, 0, 0, 1, 1, bf));
  // k = 1, a = 128, r = 127/255: B = 16 + 255r = 143, G = 32 + 128r = 95.749 -> 96,
  // R = 64 + 0 = 64, A = 128 + 255r = 255.
  EXPECT_EQ(target.At(0, 0), 0xFF40608Fu);

  // Constant alpha only: half of each colour, and of each alpha.
  TTestSurface plain(1, 1, 0x00000000);
  TTestSurface white(1, 1, 0x00FFFFFF);
  BLENDFUNCTION half;
  half.SourceConstantAlpha = 128;
  ASSERT_TRUE(AlphaBlend(plain.DC, 0, 0, 1, 1, white.DC, 0, 0, 1, 1, half));
  // k = 128/255: 255k = 128 for each colour; the source's alpha 0 and the
  // destination's 0 give 0.
  EXPECT_EQ(plain.At(0, 0), 0x00808080u);
  // Source alpha 64 over 192, at 128: (128 * 64 + 127 * 192) / 255 = 127.75.
  // Colours: B (128 * 48 + 127 * 32) / 255 = 40.03, G (128 * 32 + 127 * 64)
  // / 255 = 47.94, R (128 * 16 + 127 * 128) / 255 = 71.78.
  TTestSurface under(1, 1, 0xC0804020);
  TTestSurface over(1, 1, 0x40102030);
  ASSERT_TRUE(AlphaBlend(under.DC, 0, 0, 1, 1, over.DC, 0, 0, 1, 1, half));
  EXPECT_EQ(under.At(0, 0), 0x80483028u);

  // Stretching by the nearest pixel; bad rectangles fail.
  TTestSurface two(2, 1);
  two.Bits[0] = 0xFF0000FF;
  two.Bits[1] = 0xFF00FF00;
  TTestSurface wide(4, 1);
  ASSERT_TRUE(AlphaBlend(wide.DC, 0, 0, 4, 1, two.DC, 0, 0, 2, 1, bf));
  EXPECT_EQ(wide.At(1, 0), 0xFF0000FFu);
  EXPECT_EQ(wide.At(2, 0), 0xFF00FF00u);
  EXPECT_FALSE(AlphaBlend(wide.DC, 0, 0, 4, 1, two.DC, 1, 0, 2, 1, bf));
  EXPECT_FALSE(AlphaBlend(wide.DC, 0, 0, -4, 1, two.DC, 0, 0, 2, 1, bf));
}

// The blend of one channel by the rule AlphaBlend documents, step by step in
// single precision, halves rounded to even.
BYTE BlendedChannel(BYTE s, BYTE d, BYTE sourceAlpha, BYTE constantAlpha, bool perPixel) {
  const float k = constantAlpha / 255.0f;
  const float coverage = k * static_cast<float>(perPixel ? sourceAlpha : 255);
  const float r = 1.0f - coverage / 255.0f;
  const float v = std::nearbyint(k * static_cast<float>(s) + r * static_cast<float>(d));
  return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
}

TEST_F(Modules, AlphaBlendFollowsTheRuleForEverySourceAndAlpha) {
  // Source column s and row a: every colour byte against every alpha.
  TTestSurface source(256, 256);
  for (DWORD a = 0; a < 256; ++a)
    for (DWORD s = 0; s < 256; ++s) source.Bits[a * 256 + s] = a << 24 | (s ^ 0x5A) << 16 | (255 - s) << 8 | s;
  const auto targetPixel = [](DWORD x, DWORD y) {
    return ((x + 3 * y) & 0xFF) << 24 | x << 16 | y << 8 | ((7 * x + y) & 0xFF);
  };
  for (const BYTE constantAlpha : {0, 1, 77, 128, 254, 255}) {
    for (const bool perPixel : {true, false}) {
      TTestSurface target(256, 256);
      for (DWORD y = 0; y < 256; ++y)
        for (DWORD x = 0; x < 256; ++x) target.Bits[y * 256 + x] = targetPixel(x, y);
      BLENDFUNCTION bf;
      bf.SourceConstantAlpha = constantAlpha;
      bf.AlphaFormat = perPixel ? AC_SRC_ALPHA : 0;
      // A part offset from the row starts, and the rest in one go.
      ASSERT_TRUE(AlphaBlend(target.DC, 3, 0, 5, 256, source.DC, 3, 0, 5, 256, bf));
      ASSERT_TRUE(AlphaBlend(target.DC, 0, 0, 3, 256, source.DC, 0, 0, 3, 256, bf));
      ASSERT_TRUE(AlphaBlend(target.DC, 8, 0, 248, 256, source.DC, 8, 0, 248, 256, bf));
      int wrong = 0;
      for (DWORD y = 0; y < 256; ++y)
        for (DWORD x = 0; x < 256; ++x) {
          const DWORD s = source.At(static_cast<int>(x), static_cast<int>(y)), d = targetPixel(x, y);
          DWORD expected = 0;
          for (int shift = 0; shift < 32; shift += 8)
            expected |= static_cast<DWORD>(BlendedChannel(static_cast<BYTE>(s >> shift), static_cast<BYTE>(d >> shift),
                                                          static_cast<BYTE>(s >> 24), constantAlpha, perPixel))
                        << shift;
          const DWORD actual = target.At(static_cast<int>(x), static_cast<int>(y));
          if (actual != expected && ++wrong <= 3)
            ADD_FAILURE() << int(constantAlpha) << " " << perPixel << " at " << x << ", " << y << ": " << std::hex
                          << actual << " instead of " << expected;
        }
      EXPECT_EQ(wrong, 0);
    }
  }
}

TEST_F(Modules, GradientFillInterpolatesFromEdgeToEdge) {
  TTestSurface s(4, 2, 0xFFFFFFFF);
  TRIVERTEX v[2];
  v[0].x = 0;
  v[0].y = 0;
  v[0].Red = 0xFF00;
  v[1].x = 4;
  v[1].y = 2;
  v[1].Blue = 0xFF00;
  GRADIENT_RECT rect{0, 1};
  ASSERT_TRUE(GradientFill(s.DC, v, 2, &rect, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(s.At(0, 0), 0x00FF0000u);  // the first colour, alpha 0
  EXPECT_EQ(s.At(2, 1), 0x007F007Fu);
  EXPECT_EQ(s.At(3, 0), 0x003F00BFu);
  ASSERT_TRUE(GradientFill(s.DC, v, 2, &rect, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(s.At(3, 0), 0x00FF0000u);
  EXPECT_EQ(s.At(0, 1), 0x007F007Fu);
  GRADIENT_RECT bad{0, 5};
  EXPECT_FALSE(GradientFill(s.DC, v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
}

}  // namespace

namespace {

using ModuleEntries = Modules;

TEST_F(ModuleEntries, Kernel32AndDwmapiAnswerTheirEntryPoints) {
  struct TCase {
    const char16_t* Module;
    std::vector<const char*> Entries;
  };
  const TCase cases[] = {
      {u"kernel32.dll", {"GetCalendarInfoW", "IsWow64Process", "QueueUserWorkItem"}},
      {u"dwmapi.dll",
       {"DwmDefWindowProc", "DwmEnableBlurBehindWindow", "DwmEnableComposition", "DwmEnableMMCSS",
        "DwmExtendFrameIntoClientArea", "DwmGetColorizationColor", "DwmGetWindowAttribute", "DwmIsCompositionEnabled",
        "DwmSetWindowAttribute", "DwmSetIconicThumbnail", "DwmSetIconicLivePreviewBitmap",
        "DwmInvalidateIconicBitmaps"}},
  };
  for (const TCase& c : cases) {
    HMODULE h = LoadLibraryW(c.Module);
    ASSERT_NE(h, nullptr);
    for (const char* entry : c.Entries) EXPECT_NE(GetProcAddress(h, entry), nullptr) << entry;
    FreeLibrary(h);
  }
}

TEST_F(ModuleEntries, CompositionIsOff) {
  HMODULE h = LoadLibraryW(u"dwmapi.dll");
  ASSERT_NE(h, nullptr);
  auto isEnabled = reinterpret_cast<TDwmIsCompositionEnabled>(GetProcAddress(h, "DwmIsCompositionEnabled"));
  ASSERT_EQ(isEnabled, &DwmIsCompositionEnabled);
  BOOL enabled = TRUE;
  EXPECT_EQ(isEnabled(&enabled), S_OK);
  EXPECT_FALSE(enabled);
  EXPECT_EQ(isEnabled(nullptr), E_INVALIDARG);
  EXPECT_EQ(DwmEnableComposition(DWM_EC_ENABLECOMPOSITION), DWM_E_COMPOSITIONDISABLED);
  EXPECT_EQ(DwmEnableComposition(DWM_EC_DISABLECOMPOSITION), S_OK);
  MARGINS margins;
  EXPECT_EQ(DwmExtendFrameIntoClientArea(nullptr, &margins), DWM_E_COMPOSITIONDISABLED);
  LRESULT result = 7;
  EXPECT_FALSE(DwmDefWindowProc(nullptr, WM_NULL, 0, 0, &result));
  EXPECT_EQ(result, 0);
  FreeLibrary(h);
}

}  // namespace

#pragma once
// What the input tests share: a fixture that starts every test with the
// program out of the desktop's focus and a clear key state, and fails a
// test that leaves hooks, global memory or clipboard text behind; and a
// message loop that runs the message step, translating keys as a program's
// loop does.

#include "platform/backend/headless/Headless.h"
#include "tests/platform/WindowTestSupport.h"

class TInputTest : public TWindowTest {
 protected:
  void SetUp() override {
    TWindowTest::SetUp();
    InjectDesktopFocus(nullptr);
    ClearHeadlessNotices();
    SetHeadlessMessageBoxAnswer(0);
    FHooks = GetLiveHookCount();
    FBlocks = GetLiveGlobalBlockCount();
  }

  void TearDown() override {
    EXPECT_EQ(GetLiveHookCount(), FHooks) << "a hook was left installed";
    EXPECT_EQ(GetLiveGlobalBlockCount(), FBlocks) << "global memory leaked";
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "text was left on the clipboard";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    InjectDesktopFocus(nullptr);
    TWindowTest::TearDown();
  }

  // Everything waiting, keys translated on the way.
  static void Pump() {
    MSG msg;
    int n = 0;
    while (n++ < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) RunMessageStep(&msg);
  }

  // The messages of `h` among those listed, with their parameters.
  static std::vector<TLogged> Logged(HWND h, std::initializer_list<UINT> only) {
    std::vector<TLogged> out;
    for (const TLogged& l : MessageLog())
      if ((!h || l.Window == h) && std::find(only.begin(), only.end(), l.Message) != only.end()) out.push_back(l);
    return out;
  }

 private:
  int FHooks = 0;
  int FBlocks = 0;
};

inline bool operator==(const TLogged& a, const TLogged& b) {
  return a.Window == b.Window && a.Message == b.Message && a.WParam == b.WParam && a.LParam == b.LParam;
}

inline std::ostream& operator<<(std::ostream& os, const TLogged& l) {
  return os << "{" << l.Window << ", 0x" << std::hex << l.Message << ", 0x" << l.WParam << ", 0x" << l.LParam
            << std::dec << "}";
}

// A logged message for comparisons, whether sent or posted.
inline TLogged Msg(HWND h, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return TLogged{h, message, wParam, lParam, false};
}

inline WPARAM W(HWND h) { return reinterpret_cast<WPARAM>(h); }
inline LPARAM L(HWND h) { return reinterpret_cast<LPARAM>(h); }

#pragma once
// What the window manager tests share: a class whose procedure records every
// message, and a fixture that fails a test leaving windows, timers, queued
// messages or GDI objects behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Gdi.h"
#include "platform/SystemChanges.h"
#include "platform/Windows.h"

struct TLogged {
  HWND Window;
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
  bool Sent;  // InSendMessage while it was handled
};

// Every message reaching a window of the recording class, in order.
inline std::vector<TLogged>& MessageLog() {
  static std::vector<TLogged> log;
  return log;
}

// Runs before the default handling; a value replaces it.
using THandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
inline THandler& TestHandler() {
  static THandler handler;
  return handler;
}

inline LRESULT RecordingProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  MessageLog().push_back({h, msg, wParam, lParam, InSendMessage() != FALSE});
  if (TestHandler())
    if (auto result = TestHandler()(h, msg, wParam, lParam)) return *result;
  return DefWindowProcW(h, msg, wParam, lParam);
}

inline constexpr const char16_t* RecordingClass = u"RecordingWindow";

// The messages one window received, in order; all windows for nullptr.
inline std::vector<UINT> MessagesOf(HWND h) {
  std::vector<UINT> out;
  for (const TLogged& l : MessageLog())
    if (!h || l.Window == h) out.push_back(l.Message);
  return out;
}

// Those of `h` among the messages listed, in order.
inline std::vector<UINT> MessagesOf(HWND h, std::initializer_list<UINT> only) {
  std::vector<UINT> out;
  for (UINT m : MessagesOf(h))
    if (std::find(only.begin(), only.end(), m) != only.end()) out.push_back(m);
  return out;
}

inline std::vector<std::pair<HWND, UINT>> Deliveries(std::initializer_list<UINT> only) {
  std::vector<std::pair<HWND, UINT>> out;
  for (const TLogged& l : MessageLog())
    if (std::find(only.begin(), only.end(), l.Message) != only.end()) out.emplace_back(l.Window, l.Message);
  return out;
}

// A recording window; top-level unless a parent is given.
inline HWND CreateRecordingWindow(DWORD style = WS_POPUP, HWND parent = nullptr, RECT r = {10, 20, 110, 70},
                                  DWORD exStyle = 0, UINT_PTR id = 0) {
  if (parent && !(style & WS_POPUP)) style |= WS_CHILD;
  return CreateWindowExW(exStyle, RecordingClass, u"", style, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
                         parent, reinterpret_cast<HMENU>(id), nullptr, nullptr);
}

class TWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RecordingProc;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.lpszClassName = RecordingClass;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    FWindows = GetLiveWindowCount();
    FTimers = GetLiveTimerCount();
    FGdi = GetLiveGdiObjectCount();
    MessageLog().clear();
  }

  void TearDown() override {
    TestHandler() = nullptr;
    EXPECT_EQ(GetLiveWindowCount(), FWindows) << "a window was left alive";
    EXPECT_EQ(GetLiveTimerCount(), FTimers) << "a timer was left running";
    EXPECT_EQ(GetLiveGdiObjectCount(), FGdi) << "a GDI object leaked";
    MSG msg;
    int left = 0;
    // Bounded: a window left visible would keep answering WM_PAINT.
    while (left < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ++left;
    EXPECT_EQ(left, 0) << "messages were left in the queue";
    EXPECT_TRUE(UnregisterClassW(RecordingClass, nullptr));
    ResetSystemParameters();
    MessageLog().clear();
  }

  static HWND Create(DWORD style = WS_POPUP, HWND parent = nullptr, RECT r = {10, 20, 110, 70}, DWORD exStyle = 0,
                     UINT_PTR id = 0) {
    return CreateRecordingWindow(style, parent, r, exStyle, id);
  }

 private:
  int FWindows = 0;
  int FTimers = 0;
  int FGdi = 0;
};

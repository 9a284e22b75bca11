// The message box window under the headless backend: its modal loop keeps
// the owner's timer ticking with the owner disabled, and keys, clicks and
// WM_QUIT end it.

#include <functional>

#include "platform/backend/headless/Headless.h"
#include "tests/platform/InputTestSupport.h"

namespace {

class MessageBoxWindow : public TInputTest {
 protected:
  void SetUp() override {
    TInputTest::SetUp();
    SetHeadlessMessageBoxShown(TRUE);
    FOwner = Create(WS_POPUP | WS_VISIBLE | WS_CAPTION, nullptr, RECT{100, 100, 500, 400});
    InjectDesktopFocus(FOwner);
    Pump();
  }
  void TearDown() override {
    SetHeadlessMessageBoxShown(FALSE);
    DestroyWindow(FOwner);
    TInputTest::TearDown();
  }

  // Shows a box while a 100 ms timer of the owner ticks; at the given tick
  // `act` runs (with the box active).
  int Show(UINT type, int actAt, const std::function<void(HWND box)>& act) {
    FTicks = 0;
    FEnabledTicks = 0;
    TestHandler() = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (h != FOwner || msg != WM_TIMER) return std::nullopt;
      ++FTicks;
      if (IsWindowEnabled(FOwner)) ++FEnabledTicks;
      if (FTicks == actAt) act(GetActiveWindow());
      return 0;
    };
    SetTimer(FOwner, 1, 100, nullptr);
    const int answer = MessageBoxW(FOwner, u"Text of the box", u"Caption", type);
    KillTimer(FOwner, 1);
    TestHandler() = nullptr;
    return answer;
  }

  HWND FOwner = nullptr;
  int FTicks = 0;
  int FEnabledTicks = 0;
};

TEST_F(MessageBoxWindow, KeysAnswerWhileTheOwnersTimerTicksDisabled) {
  struct TCase {
    UINT Type;
    std::vector<UINT> Keys;
    int Expected;
  } cases[] = {
      {MB_OKCANCEL, {VK_RETURN}, IDOK},
      {MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
      {MB_OK, {VK_ESCAPE}, IDOK},
      {MB_YESNO | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
      {MB_YESNOCANCEL, {VK_RIGHT, VK_SPACE}, IDNO},
      {MB_RETRYCANCEL, {VK_LEFT, VK_RETURN}, IDCANCEL},
      // Without a cancelling button Escape does nothing.
      {MB_YESNO, {VK_ESCAPE, VK_RETURN}, IDYES},
  };
  for (const TCase& c : cases) {
    HWND box = nullptr;
    const int answer = Show(c.Type, 3, [&](HWND active) {
      box = active;
      for (UINT vk : c.Keys) InjectKeyPress(vk);
    });
    EXPECT_EQ(answer, c.Expected) << c.Type;
    EXPECT_NE(box, FOwner) << "the box is active while it shows";
    EXPECT_FALSE(IsWindow(box)) << "the box is gone";
    EXPECT_EQ(FTicks, 3) << "the owner's timer ticked while the box showed";
    EXPECT_EQ(FEnabledTicks, 0) << "the owner is disabled meanwhile";
    EXPECT_TRUE(IsWindowEnabled(FOwner));
    EXPECT_EQ(GetActiveWindow(), FOwner) << "activation returns to the owner";
  }
  const auto boxes = HeadlessMessageBoxes();
  ASSERT_EQ(boxes.size(), std::size(cases));
  EXPECT_EQ(boxes[1].Answer, IDCANCEL);
  EXPECT_EQ(boxes[1].Owner, FOwner);
}

TEST_F(MessageBoxWindow, AClickOnAButtonAnswersIt) {
  const int answer = Show(MB_YESNOCANCEL, 2, [](HWND box) {
    RECT client;
    GetClientRect(box, &client);
    // The buttons sit in the bottom right corner: the last is Cancel, the
    // one before it No.
    POINT no{client.Right - 12 - 75 - 6 - 75 / 2, client.Bottom - 12 - 23 / 2};
    ClientToScreen(box, &no);
    InjectClick(VK_LBUTTON, no.X, no.Y);
  });
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(FTicks, 2);
}

TEST_F(MessageBoxWindow, AQuitEndsTheBoxAndReachesTheCallersLoop) {
  const int answer = Show(MB_OKCANCEL, 1, [](HWND) { PostQuitMessage(5); });
  EXPECT_EQ(answer, IDCANCEL);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.wParam, 5u);
}

}  // namespace

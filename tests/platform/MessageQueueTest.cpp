// Sending and posting, the order of service, filters, waiting, and update regions.

#include "platform/backend/Backend.h"
#include "platform/backend/headless/Headless.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

using Queue = TWindowTest;
using List = std::vector<UINT>;

// Dispatches what waits, the way the program's loop does, up to WM_QUIT.
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) DispatchMessageW(&msg);
}

TEST_F(Queue, SendCallsAtOncePostWaitsForTheLoop) {
  HWND h = Create();
  TestHandler() = [](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (msg == WM_USER) return static_cast<LRESULT>(wParam + lParam);
    return std::nullopt;
  };
  MessageLog().clear();
  EXPECT_EQ(SendMessageW(h, WM_USER, 2, 3), 5);
  ASSERT_EQ(MessageLog().size(), 1u);
  EXPECT_TRUE(MessageLog()[0].Sent);

  MessageLog().clear();
  EXPECT_TRUE(PostMessageW(h, WM_USER, 4, 5));
  EXPECT_TRUE(MessageLog().empty()) << "posted messages wait in the queue";
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, h);
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(msg.wParam, 4u);
  EXPECT_EQ(msg.lParam, 5);
  EXPECT_EQ(DispatchMessageW(&msg), 9);
  ASSERT_EQ(MessageLog().size(), 1u);
  EXPECT_FALSE(MessageLog()[0].Sent) << "dispatched from the queue";
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(InSendMessage()) << "outside any handler";
  DestroyWindow(h);
}

TEST_F(Queue, SendsNestInsideHandlers) {
  HWND a = Create();
  HWND b = Create();
  std::vector<std::string> trace;
  TestHandler() = [&](HWND h, UINT msg, WPARAM depth, LPARAM) -> std::optional<LRESULT> {
    if (msg != WM_USER) return std::nullopt;
    const std::string name = (h == a ? "a" : "b") + std::to_string(depth);
    trace.push_back("enter " + name + (InSendMessage() ? " sent" : " dispatched"));
    LRESULT inner = 0;
    if (depth < 3) inner = SendMessageW(h == a ? b : a, WM_USER, depth + 1, 0);
    if (depth == 1) PostMessageW(a, WM_USER, 9, 0);  // waits until the sends are done
    trace.push_back("leave " + name + (InSendMessage() ? " sent" : " dispatched"));
    return inner + 1;
  };
  PostMessageW(a, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(DispatchMessageW(&msg), 4) << "each level adds one to the answer of the one inside";
  EXPECT_EQ(trace, (std::vector<std::string>{"enter a0 dispatched", "enter b1 sent", "enter a2 sent", "enter b3 sent",
                                             "leave b3 sent", "leave a2 sent", "leave b1 sent",
                                             "leave a0 dispatched"}));
  trace.clear();
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 9u);
  DispatchMessageW(&msg);
  EXPECT_EQ(trace, (std::vector<std::string>{"enter a9 dispatched", "leave a9 dispatched"}));
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(Queue, MessagesAreServedSentPostedInputPaintTimer) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 50, 50});
  HWND other = Create();
  Pump();  // the paint that showing asked for
  SetTimer(h, 7, 10, nullptr);
  SpendVirtualTime(10);
  InvalidateRect(h, nullptr, FALSE);
  QueueInputMessage(h, WM_KEYDOWN, 0x49, 0, POINT{1, 2});
  PostMessageW(h, WM_USER, 1, 0);
  PostMessageW(h, WM_USER, 2, 0);
  // The first posted message's handler sends to another window: that is
  // served right away, before anything else in the queue.
  TestHandler() = [&](HWND w, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (w == h && msg == WM_USER && wParam == 1) SendMessageW(other, WM_APP, 0, 0);
    return std::nullopt;
  };
  MessageLog().clear();
  Pump();
  using Pairs = std::vector<std::pair<HWND, UINT>>;
  EXPECT_EQ(Deliveries({WM_USER, WM_APP, WM_KEYDOWN, WM_PAINT, WM_TIMER}),
            (Pairs{{h, WM_USER}, {other, WM_APP}, {h, WM_USER}, {h, WM_KEYDOWN}, {h, WM_PAINT}, {h, WM_TIMER}}));
  KillTimer(h, 7);
  DestroyWindow(h);
  DestroyWindow(other);
}

TEST_F(Queue, QuitComesAfterPostedMessagesAndInputButBeforePaint) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 50, 50});
  Pump();
  PostQuitMessage(3);
  InvalidateRect(h, nullptr, FALSE);
  PostMessageW(h, WM_USER, 0, 0);
  QueueInputMessage(h, WM_KEYUP, 0, 0, POINT{});
  MSG msg;
  List order;
  BOOL r;
  while ((r = GetMessageW(&msg, nullptr, 0, 0)) > 0) order.push_back(msg.message);
  EXPECT_EQ(r, FALSE);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(order, (List{WM_USER, WM_KEYUP}));
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_PAINT) << "the paint is still there";
  DestroyWindow(h);
}

TEST_F(Queue, FiltersChooseByWindowAndRange) {
  HWND parent = Create(WS_POPUP);
  HWND child = Create(0, parent);
  HWND other = Create();
  PostMessageW(other, WM_USER, 0, 0);
  PostMessageW(child, WM_USER + 1, 0, 0);
  PostMessageW(nullptr, WM_APP, 0, 0);
  PostMessageW(parent, WM_USER + 2, 0, 0);
  PostQuitMessage(0);
  MSG msg;
  // A window filter takes the window and its descendants, never WM_QUIT.
  ASSERT_TRUE(PeekMessageW(&msg, parent, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.hwnd, child);
  EXPECT_TRUE(PeekMessageW(&msg, parent, WM_USER + 2, WM_USER + 2, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, parent);
  EXPECT_TRUE(PeekMessageW(&msg, parent, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 1);
  EXPECT_FALSE(PeekMessageW(&msg, parent, 0, 0, PM_REMOVE)) << "WM_QUIT needs an unfiltered look";
  // (HWND)-1 takes thread messages only.
  ASSERT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_APP);
  EXPECT_EQ(msg.hwnd, nullptr);
  ASSERT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  // A range outside every message finds nothing and leaves the rest.
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, other);
  EXPECT_FALSE(PeekMessageW(&msg, reinterpret_cast<HWND>(0x7777), 0, 0, PM_REMOVE)) << "no such window";
  for (HWND h : {parent, other}) DestroyWindow(h);
}

TEST_F(Queue, GetMessageWaitsForTimersAndFailsWhenNothingCanCome) {
  HWND h = Create();
  MSG msg;
  SetLastError(0);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1) << "no message, no timer: the wait would never end";
  EXPECT_EQ(GetLastError(), ERROR_POSSIBLE_DEADLOCK);
  const DWORD start = GetTickCount();
  SetTimer(h, 1, 250, nullptr);
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_EQ(GetTickCount() - start, 250u) << "the virtual clock went straight to the deadline";
  EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), GetTickCount());
  // A filter no timer passes cannot wait for one.
  EXPECT_EQ(GetMessageW(&msg, nullptr, WM_USER, WM_USER), -1);
  KillTimer(h, 1);
  DestroyWindow(h);
}

TEST_F(Queue, WaitMessageWaitsForSomethingNew) {
  HWND h = Create();
  PostMessageW(h, WM_USER, 0, 0);
  EXPECT_TRUE(WaitMessage()) << "a message arrived since the last look";
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  // Seen and left in the queue, it no longer counts: only the timer can end the wait.
  SetTimer(h, 1, 40, nullptr);
  const DWORD start = GetTickCount();
  EXPECT_TRUE(WaitMessage());
  EXPECT_EQ(GetTickCount() - start, 40u);
  KillTimer(h, 1);
  PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
  SetLastError(0);
  EXPECT_FALSE(WaitMessage());
  EXPECT_EQ(GetLastError(), ERROR_POSSIBLE_DEADLOCK);
  DestroyWindow(h);
}

TEST_F(Queue, MessagesKeepTheTimeAndCursorOfTheirArrival) {
  HWND h = Create();
  QueueInputMessage(h, WM_MOUSEMOVE, 0, MAKELPARAM(3, 4), POINT{30, -40});
  const DWORD queued = GetTickCount();
  SpendVirtualTime(15);
  PostMessageW(h, WM_USER, 0, 0);
  SpendVirtualTime(15);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
  EXPECT_EQ(msg.time, queued);
  EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), queued);
  EXPECT_EQ(msg.pt, (POINT{30, -40}));
  EXPECT_EQ(static_cast<short>(LOWORD(GetMessagePos())), 30);
  EXPECT_EQ(static_cast<short>(HIWORD(GetMessagePos())), -40);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.time, queued + 15);
  EXPECT_EQ(msg.pt, (POINT{30, -40})) << "posted messages take the cursor as it is";
  DestroyWindow(h);
}

int StrayCalls = 0;
void StrayTimerProc(HWND, UINT, UINT_PTR, DWORD) { ++StrayCalls; }

TEST_F(Queue, APostedTimerMessageCallsNoForeignAddress) {
  HWND h = Create();
  StrayCalls = 0;
  MSG msg;
  msg.hwnd = h;
  msg.message = WM_TIMER;
  msg.wParam = 5;
  msg.lParam = reinterpret_cast<LPARAM>(&StrayTimerProc);
  DispatchMessageW(&msg);
  EXPECT_EQ(StrayCalls, 0) << "no timer 5 with that callback";
  SetTimer(h, 5, 10, StrayTimerProc);
  DispatchMessageW(&msg);
  EXPECT_EQ(StrayCalls, 1);
  KillTimer(h, 5);
  DispatchMessageW(&msg);
  EXPECT_EQ(StrayCalls, 1) << "killed meanwhile";
  EXPECT_TRUE(MessagesOf(h, {WM_TIMER}).empty()) << "callbacks stand in for the window procedure";
  DestroyWindow(h);
}

TEST_F(Queue, UpdateRegionsProducePaintUntilValidated) {
  HWND h = Create(WS_POPUP, nullptr, {0, 0, 100, 80});
  RECT r;
  InvalidateRect(h, nullptr, TRUE);
  EXPECT_FALSE(GetUpdateRect(h, &r, FALSE)) << "hidden windows collect nothing";
  ShowWindow(h, SW_SHOWNA);
  ASSERT_TRUE(GetUpdateRect(h, &r, FALSE));
  EXPECT_EQ(r, (RECT{0, 0, 100, 80})) << "showing invalidates the client area";
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_PAINT);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "removing does not validate";
  DispatchMessageW(&msg);  // the default handling validates
  EXPECT_FALSE(GetUpdateRect(h, &r, FALSE));
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));

  InvalidateRect(h, nullptr, FALSE);
  RECT keep{0, 0, 100, 70};
  ValidateRect(h, &keep);
  GetUpdateRect(h, &r, FALSE);
  EXPECT_EQ(r, (RECT{0, 70, 100, 80}));
  ValidateRect(h, nullptr);
  // Growing exposes new strips only, unless the class redraws on resize.
  SetWindowPos(h, nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER);
  GetUpdateRect(h, &r, FALSE);
  EXPECT_EQ(r, (RECT{100, 0, 120, 80}));
  ValidateRect(h, nullptr);
  SetWindowPos(h, nullptr, 0, 0, 60, 40, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_FALSE(GetUpdateRect(h, &r, FALSE)) << "shrinking exposes nothing";
  MoveWindow(h, 0, 0, 200, 200, FALSE);
  EXPECT_FALSE(GetUpdateRect(h, &r, FALSE)) << "told not to redraw";
  RECT outside{200, 200, 300, 300};
  InvalidateRect(h, &outside, FALSE);
  EXPECT_FALSE(GetUpdateRect(h, &r, FALSE)) << "clipped to the client area";
  DestroyWindow(h);
}

TEST_F(Queue, BroadcastsReachEveryTopLevelWindowOnly) {
  HWND hidden = Create(WS_POPUP);
  HWND shown = Create(WS_POPUP | WS_VISIBLE);
  HWND disabled = Create(WS_POPUP | WS_DISABLED);
  HWND child = Create(0, shown);
  HWND message = CreateWindowExW(0, RecordingClass, u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  MessageLog().clear();
  SendMessageW(HWND_BROADCAST, WM_APP + 1, 0, 0);
  PostMessageW(HWND_BROADCAST, WM_APP + 2, 0, 0);
  Pump();
  for (HWND h : {hidden, shown, disabled}) EXPECT_EQ(MessagesOf(h, {WM_APP + 1, WM_APP + 2}), (List{WM_APP + 1, WM_APP + 2}));
  EXPECT_TRUE(MessagesOf(child, {WM_APP + 1, WM_APP + 2}).empty());
  EXPECT_TRUE(MessagesOf(message, {WM_APP + 1, WM_APP + 2}).empty());
  for (HWND h : {hidden, shown, disabled, message}) DestroyWindow(h);
}

}  // namespace

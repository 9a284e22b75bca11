// Timers on the virtual clock: the grid, coalescing, restarts, callbacks.

#include "platform/backend/headless/Headless.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

using Timers = TWindowTest;
using Ticks = std::vector<ULONGLONG>;

// Records when each WM_TIMER of the window arrives, relative to `Start`,
// and spends `Work` ms of virtual time in the handler.
struct TTickRecorder {
  HWND Window = nullptr;
  ULONGLONG Start = GetTickCount64();
  DWORD Work = 0;      // spent in every tick's handler
  DWORD WorkOnce = 0;  // spent in the next one only
  Ticks Seen;
  std::vector<UINT_PTR> Ids;

  TTickRecorder() {
    Window = CreateRecordingWindow();
    TestHandler() = [this](HWND h, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
      if (h == Window && msg == WM_TIMER) {
        Seen.push_back(GetTickCount64() - Start);
        Ids.push_back(wParam);
        SpendVirtualTime(Work + WorkOnce);
        WorkOnce = 0;
        return 0;
      }
      return std::nullopt;
    };
  }
  ~TTickRecorder() {
    TestHandler() = nullptr;
    DestroyWindow(Window);
  }
};

Ticks Grid(ULONGLONG first, ULONGLONG step, ULONGLONG last) {
  Ticks out;
  for (ULONGLONG t = first; t <= last; t += step) out.push_back(t);
  return out;
}

TEST_F(Timers, FortySecondsGiveFortyTicksOfASecondTimer) {
  for (DWORD work : {0u, 30u}) {
    SCOPED_TRACE(work ? "handler takes 30 ms" : "instant handler");
    TTickRecorder r;
    r.Work = work;
    SetTimer(r.Window, 1, 1000, nullptr);
    ASSERT_TRUE(AdvanceVirtualClock(40000));
    EXPECT_EQ(r.Seen, Grid(1000, 1000, 40000)) << "every tick on start + k x 1000";
    KillTimer(r.Window, 1);
  }
}

TEST_F(Timers, ABlockedLoopGetsOneTickForTheSpanAndTheGridGoesOn) {
  TTickRecorder r;
  r.Work = 30;  // each tick's handler takes 30 ms
  SetTimer(r.Window, 1, 1000, nullptr);
  AdvanceVirtualClock(3000);
  SpendVirtualTime(2500);  // blocked for 2.5 periods from 3030: ticks 4000 and 5000 missed
  AdvanceVirtualClock(8000 - 5530);
  EXPECT_EQ(r.Seen, (Ticks{1000, 2000, 3000, 5530, 6000, 7000, 8000}));
  KillTimer(r.Window, 1);
}

TEST_F(Timers, AHandlerLongerThanThePeriodFoldsTheTicksItMissed) {
  TTickRecorder r;
  SetTimer(r.Window, 1, 100, nullptr);
  r.WorkOnce = 250;
  AdvanceVirtualClock(600);  // the first tick's handler runs until 350
  EXPECT_EQ(r.Seen, (Ticks{100, 350, 400, 500, 600}));
  KillTimer(r.Window, 1);
}

TEST_F(Timers, AnAdvanceEndsEvenWhenHandlersOutrunTheirTimer) {
  TTickRecorder r;
  SetTimer(r.Window, 1, 100, nullptr);
  r.Work = 150;  // always due again before its handler returns
  ASSERT_TRUE(AdvanceVirtualClock(300));
  EXPECT_EQ(r.Seen, (Ticks{100, 250})) << "the tick at 250 ends past 300: the loop stops there";
  EXPECT_EQ(GetTickCount64() - r.Start, 400u);
  r.Work = 0;
  AdvanceVirtualClock(100);
  EXPECT_EQ(r.Seen, (Ticks{100, 250, 400, 500})) << "the pending tick first, then the grid";
  KillTimer(r.Window, 1);
}

TEST_F(Timers, RestartingGivesAFullFirstPeriod) {
  struct TCase {
    const char* Name;
    bool KillFirst;
  } cases[] = {{"set again", false}, {"killed, then set", true}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTickRecorder r;
    SetTimer(r.Window, 1, 1000, nullptr);
    AdvanceVirtualClock(1500);
    if (c.KillFirst) {
      EXPECT_TRUE(KillTimer(r.Window, 1));
    }
    EXPECT_EQ(SetTimer(r.Window, 1, 1000, nullptr), 1u);
    AdvanceVirtualClock(2500);
    EXPECT_EQ(r.Seen, (Ticks{1000, 2500, 3500})) << "a new grid from the restart";
    EXPECT_TRUE(KillTimer(r.Window, 1));
    EXPECT_FALSE(KillTimer(r.Window, 1));
  }
}

TEST_F(Timers, ReplacingATimerChangesItsInterval) {
  TTickRecorder r;
  SetTimer(r.Window, 1, 400, nullptr);
  AdvanceVirtualClock(400);
  SetTimer(r.Window, 1, 100, nullptr);  // the auto-repeat pattern: 400, then 100
  AdvanceVirtualClock(300);
  EXPECT_EQ(r.Seen, (Ticks{400, 500, 600, 700}));
  EXPECT_EQ(GetLiveTimerCount(), 1);
  KillTimer(r.Window, 1);
}

TEST_F(Timers, EachDueTimerGivesOneMessageAndIntervalsHaveAFloor) {
  TTickRecorder r;
  SetTimer(r.Window, 1, 30, nullptr);
  SetTimer(r.Window, 2, 1, nullptr);  // raised to 10 ms
  AdvanceVirtualClock(60);
  size_t ones = 0, twos = 0;
  for (UINT_PTR id : r.Ids) (id == 1 ? ones : twos)++;
  EXPECT_EQ(ones, 2u);
  EXPECT_EQ(twos, 6u);
  // Both due together: one message each, no matter how long they waited.
  r.Seen.clear();
  r.Ids.clear();
  SpendVirtualTime(95);
  MSG msg;
  std::vector<UINT_PTR> produced;
  while (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) produced.push_back(msg.wParam);
  EXPECT_EQ(produced.size(), 2u);
  EXPECT_NE(produced[0], produced[1]);
  KillTimer(r.Window, 1);
  KillTimer(r.Window, 2);
}

TEST_F(Timers, TimersWaitWhileOtherMessagesDo) {
  TTickRecorder r;
  SetTimer(r.Window, 1, 100, nullptr);
  SpendVirtualTime(100);
  PostMessageW(r.Window, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_USER);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_TIMER);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) << "not taken, still due";
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "the tick was taken";
  KillTimer(r.Window, 1);
}

struct TCallbackLog {
  HWND Window;
  UINT_PTR Id;
  DWORD Time;
};
std::vector<TCallbackLog> Callbacks;
void RecordCallback(HWND h, UINT msg, UINT_PTR id, DWORD time) {
  EXPECT_EQ(msg, WM_TIMER);
  Callbacks.push_back({h, id, time});
}

TEST_F(Timers, CallbacksStandInForTheWindowProcedure) {
  Callbacks.clear();
  const UINT_PTR thread = SetTimer(nullptr, 0, 50, RecordCallback);
  ASSERT_NE(thread, 0u);
  const UINT_PTR second = SetTimer(nullptr, 0, 50, RecordCallback);
  EXPECT_NE(second, thread) << "each new thread timer gets its own id";
  EXPECT_EQ(SetTimer(nullptr, second, 70, RecordCallback), second) << "a known id is replaced";
  HWND h = Create();
  SetTimer(h, 9, 50, RecordCallback);
  AdvanceVirtualClock(50);
  ASSERT_EQ(Callbacks.size(), 2u);
  EXPECT_EQ(Callbacks[0].Window, nullptr);
  EXPECT_EQ(Callbacks[0].Id, thread);
  EXPECT_EQ(Callbacks[1].Window, h);
  EXPECT_EQ(Callbacks[1].Id, 9u);
  EXPECT_EQ(Callbacks[1].Time, GetTickCount());
  EXPECT_TRUE(MessagesOf(h, {WM_TIMER}).empty());
  AdvanceVirtualClock(20);
  ASSERT_EQ(Callbacks.size(), 3u);
  EXPECT_EQ(Callbacks[2].Id, second);
  EXPECT_TRUE(KillTimer(nullptr, thread));
  EXPECT_TRUE(KillTimer(nullptr, second));
  EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(0x7777), 1, 10, nullptr), 0u) << "no such window";
  DestroyWindow(h);
}

TEST_F(Timers, TheLoopStopsAtQuitAndTimeStillPasses) {
  TTickRecorder r;
  SetTimer(r.Window, 1, 100, nullptr);
  const ULONGLONG before = GetTickCount64();
  TestHandler() = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == r.Window && msg == WM_TIMER) {
      r.Seen.push_back(GetTickCount64() - r.Start);
      if (r.Seen.size() == 3) PostQuitMessage(0);
      return 0;
    }
    return std::nullopt;
  };
  AdvanceVirtualClock(1000);
  EXPECT_EQ(r.Seen, (Ticks{100, 200, 300}));
  EXPECT_EQ(GetTickCount64() - before, 1000u);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT) << "left for the test to see";
  KillTimer(r.Window, 1);
}

TEST_F(Timers, TheProgramsClockRunsOnRealTime) {
  const ULONGLONG before = GetTickCount64();
  ASSERT_TRUE(UseHeadlessBackend(THeadlessClock::RealTime));
  EXPECT_GE(GetTickCount64(), before) << "a new clock starts where the old one stood";
  EXPECT_FALSE(AdvanceVirtualClock(10));
  EXPECT_FALSE(SpendVirtualTime(10));
  Callbacks.clear();
  const ULONGLONG start = GetTickCount64();
  const UINT_PTR id = SetTimer(nullptr, 0, 10, RecordCallback);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_GE(GetTickCount64() - start, 10u) << "it waited for the deadline";
  DispatchMessageW(&msg);
  EXPECT_EQ(Callbacks.size(), 1u);
  KillTimer(nullptr, id);
  const ULONGLONG real = GetTickCount64();
  ASSERT_TRUE(UseHeadlessBackend(THeadlessClock::Virtual));
  EXPECT_GE(GetTickCount64(), real);
  HWND h = Create();
  EXPECT_FALSE(UseHeadlessBackend(THeadlessClock::Virtual)) << "not while windows have surfaces";
  DestroyWindow(h);
}

}  // namespace

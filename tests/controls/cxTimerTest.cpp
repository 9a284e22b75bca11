// The suite's timer on the virtual clock.

#include <gtest/gtest.h>

#include <vector>

#include "controls/cxClasses.h"
#include "host/ExceptionHandling.h"
#include "host/Exceptions.h"
#include "platform/Windows.h"
#include "platform/backend/headless/Headless.h"

namespace {

using Ticks = std::vector<ULONGLONG>;

class CxTimer : public ::testing::Test {
 protected:
  void SetUp() override {
    cxTimerWindow();  // made on first use and kept: not counted as a leak
    FTimers = GetLiveTimerCount();
    FSavedHandler = ApplicationHandleException;
  }
  void TearDown() override {
    Timer.reset();
    EXPECT_EQ(GetLiveTimerCount(), FTimers) << "a timer was left running";
    ApplicationHandleException = FSavedHandler;
  }  // The program's application handler, put back after each test.
  void (*FSavedHandler)(TObject*) = nullptr;


  // Starts recording the ticks of Timer relative to now.
  TNotifyEvent Recorder() {
    FStart = GetTickCount64();
    return [this](TObject* Sender) {
      EXPECT_EQ(Sender, Timer.get());
      Seen.push_back(GetTickCount64() - FStart);
    };
  }

  std::unique_ptr<TcxTimer, TFreeObject> Timer{new TcxTimer(nullptr)};
  Ticks Seen;

 private:
  ULONGLONG FStart = 0;
  int FTimers = 0;
};

TEST_F(CxTimer, DefaultsToEnabledEverySecond) {
  EXPECT_TRUE(Timer->GetEnabled());
  EXPECT_EQ(Timer->GetInterval(), 1000u);
  Timer->SetOnTimer(Recorder());
  AdvanceVirtualClock(3500);
  EXPECT_EQ(Seen, (Ticks{1000, 2000, 3000}));
}

TEST_F(CxTimer, IntervalZeroIsIgnoredAndAnEqualIntervalDoesNotRestart) {
  Timer->SetInterval(100);
  Timer->SetOnTimer(Recorder());
  AdvanceVirtualClock(150);
  Timer->SetInterval(0);
  EXPECT_EQ(Timer->GetInterval(), 100u);
  Timer->SetInterval(100);
  AdvanceVirtualClock(100);
  EXPECT_EQ(Seen, (Ticks{100, 200})) << "the grid went on";
  Timer->SetInterval(300);  // a real change restarts at 250
  AdvanceVirtualClock(600);
  EXPECT_EQ(Seen, (Ticks{100, 200, 550, 850}));
}

TEST_F(CxTimer, TheSameEnabledTwiceDoesNotRestart) {
  Timer->SetInterval(100);
  Timer->SetOnTimer(Recorder());
  AdvanceVirtualClock(50);
  Timer->SetEnabled(true);
  AdvanceVirtualClock(100);
  EXPECT_EQ(Seen, (Ticks{100}));
  Timer->SetEnabled(false);
  AdvanceVirtualClock(200);
  Timer->SetEnabled(false);
  Timer->SetEnabled(true);  // restarts at 350
  AdvanceVirtualClock(100);
  EXPECT_EQ(Seen, (Ticks{100, 450}));
}

TEST_F(CxTimer, ATimerWithoutHandlerNeverStarts) {
  const int before = GetLiveTimerCount();
  Timer->SetInterval(100);
  Timer->SetEnabled(false);
  Timer->SetEnabled(true);
  EXPECT_EQ(GetLiveTimerCount(), before);
  Timer->SetOnTimer(Recorder());
  EXPECT_EQ(GetLiveTimerCount(), before + 1);
  Timer->SetOnTimer(nullptr);
  EXPECT_EQ(GetLiveTimerCount(), before);
  AdvanceVirtualClock(300);
  EXPECT_TRUE(Seen.empty());
}

TEST_F(CxTimer, ChangingTheHandlerRestarts) {
  Timer->SetInterval(100);
  Timer->SetOnTimer(Recorder());
  AdvanceVirtualClock(150);
  Timer->SetOnTimer(Recorder());  // counts from 150 again
  AdvanceVirtualClock(250);
  EXPECT_EQ(Seen, (Ticks{100, 100, 200}));
}

TEST_F(CxTimer, DestroyingATimerKillsIt) {
  const int before = GetLiveTimerCount();
  Timer->SetInterval(100);
  Timer->SetOnTimer(Recorder());
  EXPECT_EQ(GetLiveTimerCount(), before + 1);
  Timer.reset();
  EXPECT_EQ(GetLiveTimerCount(), before);
  AdvanceVirtualClock(300);
  EXPECT_TRUE(Seen.empty());
}

TEST_F(CxTimer, ATickForAFreedTimerFiresNothing) {
  Timer->SetInterval(100000);
  Timer->SetOnTimer(Recorder());
  int freedTicks = 0;
  auto freed = cxCreateTimer([&](TObject*) { ++freedTicks; }, 100000);
  const UINT_PTR freedId = freed->GetEventID();
  EXPECT_NE(freedId, Timer->GetEventID());
  freed.reset();
  const HWND window = cxTimerWindow()->GetHandle();
  ASSERT_TRUE(PostMessageW(window, WM_TIMER, freedId, 0));
  AdvanceVirtualClock(0);
  EXPECT_EQ(freedTicks, 0);
  EXPECT_TRUE(Seen.empty()) << "another timer's id fires no other timer";
  ASSERT_TRUE(PostMessageW(window, WM_TIMER, Timer->GetEventID(), 0));
  AdvanceVirtualClock(0);
  EXPECT_EQ(Seen.size(), 1u) << "the live timer's id reaches it";
}

TEST_F(CxTimer, CreatedWithHandlerIntervalAndState) {
  int ticks = 0;
  auto stopped = cxCreateTimer([&](TObject*) { ticks += 100; }, 50, false);
  auto running = cxCreateTimer([&](TObject*) { ++ticks; }, 50);
  EXPECT_FALSE(stopped->GetEnabled());
  EXPECT_EQ(running->GetInterval(), 50u);
  AdvanceVirtualClock(120);
  EXPECT_EQ(ticks, 2);
}

TEST_F(CxTimer, AnExceptionInTheHandlerGoesToTheApplicationAndTheTimerGoesOn) {
  static int handled;
  handled = 0;
  ApplicationHandleException = [](TObject*) {
    try {
      throw;
    } catch (const EConvertError&) {
      ++handled;
    }
  };
  int ticks = 0;
  Timer->SetInterval(100);
  Timer->SetOnTimer([&](TObject*) {
    ++ticks;
    throw EConvertError(u"bad");
  });
  AdvanceVirtualClock(250);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(handled, 2);
}

}  // namespace

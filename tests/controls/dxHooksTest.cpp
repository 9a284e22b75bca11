// The shared hooks, driven through the window manager's own call points:
// get-message hooks by the thread's messages, CBT hooks by window creation.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "controls/dxHooks.h"
#include "host/ExceptionHandling.h"
#include "host/Exceptions.h"
#include "platform/Windows.h"

namespace {

std::vector<std::string> Calls;
TdxHookProc AddedDuringWalk = nullptr;
TdxHookProc ReleasedDuringWalk = nullptr;

void HookA(int, WPARAM, LPARAM, LRESULT&) { Calls.push_back("A"); }
void HookB(int, WPARAM, LPARAM, LRESULT&) { Calls.push_back("B"); }
void HookC(int, WPARAM, LPARAM, LRESULT&) { Calls.push_back("C"); }
void Raising(int, WPARAM, LPARAM, LRESULT&) {
  Calls.push_back("raise");
  throw EConvertError(u"hook failed");
}
void Refusing(int code, WPARAM, LPARAM, LRESULT& AHookResult) {
  Calls.push_back("refuse");
  if (code == HCBT_CREATEWND) AHookResult = 1;
}
void Changing(int, WPARAM, LPARAM, LRESULT&) {
  Calls.push_back("change");
  if (ReleasedDuringWalk) dxReleaseHook(ReleasedDuringWalk);
  if (AddedDuringWalk) dxSetHook(htGetMessage, AddedDuringWalk);
}

class Hooks : public ::testing::Test {
 protected:
  void SetUp() override {
    Calls.clear();
    FHooks = GetLiveHookCount();
    FSavedHandler = ApplicationHandleException;
  }
  void TearDown() override {
    for (TdxHookProc proc : {&HookA, &HookB, &HookC, &Raising, &Refusing, &Changing}) dxReleaseHook(proc);
    AddedDuringWalk = nullptr;
    ReleasedDuringWalk = nullptr;
    ApplicationHandleException = FSavedHandler;
    EXPECT_EQ(GetLiveHookCount(), FHooks) << "a hook was left installed";
  }  // The program's application handler, put back after each test.
  void (*FSavedHandler)(TObject*) = nullptr;


  // One thread message through PeekMessageW: one get-message hook call.
  static void PassMessage() {
    ASSERT_TRUE(PostMessageW(nullptr, WM_APP + 1, 0, 0));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_APP + 1, WM_APP + 1, PM_REMOVE));
  }

  int FHooks = 0;
};

using Strings = std::vector<std::string>;

TEST_F(Hooks, ProceduresRunFromTheLastRegisteredToTheFirst) {
  dxSetHook(htGetMessage, &HookA);
  dxSetHook(htGetMessage, &HookB);
  dxSetHook(htGetMessage, &HookC);
  EXPECT_EQ(GetLiveHookCount(), FHooks + 1) << "one Windows hook for the type";
  PassMessage();
  EXPECT_EQ(Calls, (Strings{"C", "B", "A"}));
}

TEST_F(Hooks, ASecondRegistrationOfAProcedureIsIgnored) {
  dxSetHook(htGetMessage, &HookA);
  dxSetHook(htGetMessage, &HookB);
  dxSetHook(htGetMessage, &HookA);
  EXPECT_EQ(dxHookController()->GetSystemHook(htGetMessage)->GetCount(), 2);
  PassMessage();
  EXPECT_EQ(Calls, (Strings{"B", "A"}));
  dxReleaseHook(&HookA);
  PassMessage();
  EXPECT_EQ(Calls, (Strings{"B", "A", "B"})) << "one release removes the single entry";
}

TEST_F(Hooks, AnExceptionGoesToTheApplicationAndTheOthersStillRun) {
  static int handled;
  handled = 0;
  ApplicationHandleException = [](TObject*) {
    try {
      throw;
    } catch (const EConvertError& e) {
      if (e.GetMessage() == u"hook failed") ++handled;
    }
  };
  dxSetHook(htGetMessage, &HookA);
  dxSetHook(htGetMessage, &Raising);
  dxSetHook(htGetMessage, &HookB);
  PassMessage();
  EXPECT_EQ(Calls, (Strings{"B", "raise", "A"}));
  EXPECT_EQ(handled, 1);
}

TEST_F(Hooks, ANonZeroResultWins) {
  WNDCLASSEXW wc;
  wc.lpfnWndProc = &DefWindowProcW;
  wc.lpszClassName = u"HookTestWindow";
  ASSERT_NE(RegisterClassExW(&wc), 0);
  auto create = [] {
    return CreateWindowExW(0, u"HookTestWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  };
  dxSetHook(htCBT, &Refusing);
  dxSetHook(htCBT, &HookA);  // runs first and leaves the result alone
  EXPECT_EQ(create(), nullptr) << "the refusal prevents the creation";
  EXPECT_EQ(Calls, (Strings{"A", "refuse"}));
  dxReleaseHook(&Refusing);
  const HWND created = create();
  EXPECT_NE(created, nullptr);
  DestroyWindow(created);
  EXPECT_TRUE(UnregisterClassW(u"HookTestWindow", nullptr));
}

TEST_F(Hooks, AProcedureReleasedDuringTheWalkIsNotCalled) {
  ReleasedDuringWalk = &HookA;
  dxSetHook(htGetMessage, &HookA);
  dxSetHook(htGetMessage, &HookB);
  dxSetHook(htGetMessage, &Changing);
  PassMessage();
  EXPECT_EQ(Calls, (Strings{"change", "B"}));
}

TEST_F(Hooks, ReleasingTheLastProcedureDuringTheWalkEndsTheHookSafely) {
  ReleasedDuringWalk = &Changing;
  dxSetHook(htGetMessage, &Changing);
  PassMessage();
  EXPECT_EQ(Calls, (Strings{"change"}));
  EXPECT_EQ(GetLiveHookCount(), FHooks);
  EXPECT_EQ(dxHookController()->GetSystemHook(htGetMessage)->GetHandle(), nullptr);
}

TEST_F(Hooks, AProcedureAddedDuringTheWalkRunsFromTheNextCall) {
  AddedDuringWalk = &HookC;
  dxSetHook(htGetMessage, &HookA);
  dxSetHook(htGetMessage, &Changing);
  PassMessage();
  EXPECT_EQ(Calls, (Strings{"change", "A"}));
  AddedDuringWalk = nullptr;
  Calls.clear();
  PassMessage();
  EXPECT_EQ(Calls, (Strings{"C", "change", "A"}));
}

TEST_F(Hooks, ReleaseRemovesAProcedureFromEveryType) {
  dxSetHook(htGetMessage, &HookA);
  dxSetHook(htCBT, &HookA);
  dxSetHook(htCBT, &HookB);
  EXPECT_EQ(GetLiveHookCount(), FHooks + 2);
  dxReleaseHook(&HookA);
  EXPECT_EQ(GetLiveHookCount(), FHooks + 1) << "the get-message hook had nothing left";
  EXPECT_EQ(dxHookController()->GetSystemHook(htGetMessage)->GetCount(), 0);
  EXPECT_FALSE(dxHookController()->GetSystemHook(htCBT)->Contains(&HookA));
  EXPECT_TRUE(dxHookController()->GetSystemHook(htCBT)->Contains(&HookB));
  PassMessage();
  EXPECT_TRUE(Calls.empty());
}

TEST_F(Hooks, AreInstalledForTheThreadThatSetsThem) {
  dxSetHook(htGetMessage, &HookA);
  // This thread waits meanwhile: the two never use the queue at once.
  std::thread other([] { PassMessage(); });
  other.join();
  EXPECT_TRUE(Calls.empty()) << "another thread's message reached the hook";
  PassMessage();
  EXPECT_EQ(Calls, Strings{"A"});
}

TEST_F(Hooks, EachTypeIsInstalledAsItsWindowsHook) {
  // The CBT hook hears of window creation, the get-message hook of messages
  // taken from the queue, each only its own.
  dxSetHook(htCBT, &HookA);
  dxSetHook(htGetMessage, &HookB);
  PassMessage();
  EXPECT_EQ(Calls, (Strings{"B"}));
  Calls.clear();
  WNDCLASSEXW wc;
  wc.lpfnWndProc = &DefWindowProcW;
  wc.lpszClassName = u"HookTypeWindow";
  ASSERT_NE(RegisterClassExW(&wc), 0);
  const HWND h = CreateWindowExW(0, u"HookTypeWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Calls.front(), "A") << "creating a window reaches the CBT hook";
  DestroyWindow(h);
  EXPECT_TRUE(UnregisterClassW(u"HookTypeWindow", nullptr));
}

}  // namespace

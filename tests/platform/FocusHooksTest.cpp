// Focus and activation with their message orders, and the hooks.

#include <string>
#include <thread>

#include "tests/platform/InputTestSupport.h"

namespace {

using Focus = TInputTest;
using Hooks = TInputTest;
using List = std::vector<UINT>;
using Log = std::vector<TLogged>;

const std::initializer_list<UINT> FocusMessages = {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS,
                                                   WM_KILLFOCUS};

TEST_F(Focus, SetFocusKillsTheOldFocusThenSetsTheNew) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 200, 200});
  HWND a = Create(WS_VISIBLE, top, {0, 0, 50, 50});
  HWND b = Create(WS_VISIBLE, top, {60, 0, 110, 50});
  SetActiveWindow(top);
  ASSERT_EQ(GetFocus(), top);
  std::optional<HWND> focusDuringKill;
  TestHandler() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (w == a && msg == WM_KILLFOCUS) focusDuringKill = GetFocus();
    return std::nullopt;
  };
  EXPECT_EQ(SetFocus(a), top);
  MessageLog().clear();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(Logged(nullptr, FocusMessages), (Log{Msg(a, WM_KILLFOCUS, W(b)), Msg(b, WM_SETFOCUS, W(a))}));
  EXPECT_EQ(focusDuringKill, a) << "WM_KILLFOCUS comes before the change";
  for (const TLogged& l : MessageLog()) EXPECT_TRUE(l.Sent);
  MessageLog().clear();
  EXPECT_EQ(SetFocus(b), b);
  EXPECT_TRUE(Logged(nullptr, FocusMessages).empty()) << "nothing for the focus window itself";
  EXPECT_EQ(SetFocus(nullptr), b);
  EXPECT_EQ(Logged(nullptr, FocusMessages), (Log{Msg(b, WM_KILLFOCUS, 0)}));
  EXPECT_EQ(GetFocus(), nullptr);
  // A WM_KILLFOCUS handler that moves the focus elsewhere wins.
  SetFocus(a);
  TestHandler() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (w == a && msg == WM_KILLFOCUS) SetFocus(top);
    return std::nullopt;
  };
  SetFocus(b);
  EXPECT_EQ(GetFocus(), top);
  TestHandler() = nullptr;
  SetFocus(nullptr);
  DestroyWindow(top);
}

TEST_F(Focus, ActivationSendsItsMessagesInOrderAndGivesTheFocusBack) {
  HWND one = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 200, 200});
  HWND control = Create(WS_VISIBLE, one, {10, 10, 60, 60});
  HWND two = Create(WS_POPUP | WS_VISIBLE, nullptr, {300, 0, 500, 200});
  HWND hidden = Create(WS_POPUP, nullptr, {0, 0, 10, 10});
  Pump();
  MessageLog().clear();
  EXPECT_EQ(SetActiveWindow(one), nullptr);
  // Brought to the top first; then every top-level window hears that the
  // program is active, hidden ones included.
  EXPECT_EQ(Logged(nullptr, FocusMessages),
            (Log{Msg(one, WM_ACTIVATEAPP, TRUE), Msg(hidden, WM_ACTIVATEAPP, TRUE), Msg(two, WM_ACTIVATEAPP, TRUE),
                 Msg(one, WM_NCACTIVATE, TRUE), Msg(one, WM_ACTIVATE, WA_ACTIVE, 0), Msg(one, WM_SETFOCUS, 0)}));
  EXPECT_EQ(GetWindow(one, GW_HWNDFIRST), one) << "brought to the top";
  SetFocus(control);

  MessageLog().clear();
  EXPECT_EQ(SetActiveWindow(two), one);
  EXPECT_EQ(Logged(nullptr, FocusMessages),
            (Log{Msg(one, WM_NCACTIVATE, FALSE), Msg(one, WM_ACTIVATE, WA_INACTIVE, L(two)),
                 Msg(two, WM_NCACTIVATE, TRUE), Msg(two, WM_ACTIVATE, WA_ACTIVE, L(one)),
                 Msg(control, WM_KILLFOCUS, W(two)), Msg(two, WM_SETFOCUS, W(control))}));
  EXPECT_EQ(GetActiveWindow(), two);

  MessageLog().clear();
  SetActiveWindow(one);
  EXPECT_EQ(Logged(nullptr, {WM_SETFOCUS, WM_KILLFOCUS}),
            (Log{Msg(two, WM_KILLFOCUS, W(control)), Msg(control, WM_SETFOCUS, W(two))}))
      << "the control that had the focus has it again";

  // Focusing a window of an inactive top-level window activates it first.
  MessageLog().clear();
  HWND inTwo = Create(WS_VISIBLE, two, {0, 0, 10, 10});
  MessageLog().clear();
  SetFocus(inTwo);
  EXPECT_EQ(Logged(nullptr, FocusMessages),
            (Log{Msg(one, WM_NCACTIVATE, FALSE), Msg(one, WM_ACTIVATE, WA_INACTIVE, L(two)),
                 Msg(two, WM_NCACTIVATE, TRUE), Msg(two, WM_ACTIVATE, WA_ACTIVE, L(one)),
                 Msg(control, WM_KILLFOCUS, W(inTwo)), Msg(inTwo, WM_SETFOCUS, W(control))}));
  SetFocus(nullptr);
  DestroyWindow(one);
  DestroyWindow(two);
  DestroyWindow(hidden);
}

TEST_F(Focus, TheDesktopsFocusComesAndGoes) {
  HWND form = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 200, 200});
  HWND control = Create(WS_VISIBLE, form, {10, 10, 60, 60});
  Pump();
  InjectDesktopFocus(form);
  SetFocus(control);
  SetCapture(control);
  InjectKey(VK_CONTROL, TRUE);
  Pump();
  ASSERT_LT(GetKeyState(VK_CONTROL), 0);
  MessageLog().clear();
  InjectDesktopFocus(nullptr);
  EXPECT_EQ(Logged(nullptr, {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_CANCELMODE}),
            (Log{Msg(form, WM_NCACTIVATE, FALSE), Msg(form, WM_ACTIVATE, WA_INACTIVE, 0),
                 Msg(form, WM_ACTIVATEAPP, FALSE), Msg(control, WM_KILLFOCUS, 0), Msg(control, WM_CANCELMODE)}));
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0) << "the key state is cleared";
  MessageLog().clear();
  InjectDesktopFocus(form);
  EXPECT_EQ(Logged(nullptr, FocusMessages), (Log{Msg(form, WM_ACTIVATEAPP, TRUE), Msg(form, WM_NCACTIVATE, TRUE),
                                                 Msg(form, WM_ACTIVATE, WA_ACTIVE, 0), Msg(control, WM_SETFOCUS, 0)}));
  EXPECT_EQ(GetForegroundWindow(), form);
  SetFocus(nullptr);
  DestroyWindow(form);
}

TEST_F(Focus, DestroyingTheActiveWindowActivatesAnotherAndTheLastEndsActivation) {
  HWND back = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  HWND front = Create(WS_POPUP | WS_VISIBLE, nullptr, {50, 50, 150, 150});
  HWND child = Create(WS_VISIBLE, front, {0, 0, 10, 10});
  SetFocus(child);
  ASSERT_EQ(GetActiveWindow(), front);
  MessageLog().clear();
  DestroyWindow(front);
  EXPECT_EQ(GetActiveWindow(), back);
  EXPECT_EQ(GetFocus(), back);
  EXPECT_EQ(Logged(nullptr, {WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS, WM_DESTROY}),
            (Log{Msg(front, WM_ACTIVATE, WA_INACTIVE, L(back)), Msg(back, WM_ACTIVATE, WA_ACTIVE, L(front)),
                 Msg(child, WM_KILLFOCUS, W(back)), Msg(back, WM_SETFOCUS, W(child)), Msg(front, WM_DESTROY),
                 Msg(child, WM_DESTROY)}));
  MessageLog().clear();
  DestroyWindow(back);
  EXPECT_EQ(MessagesOf(back, {WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_DESTROY}),
            (List{WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_DESTROY}));
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(Focus, ShowingActivatesUnlessToldNotToAndHidingHandsActivationOn) {
  HWND first = Create(WS_POPUP, nullptr, {0, 0, 100, 100});
  HWND second = Create(WS_POPUP, nullptr, {200, 0, 300, 100});
  HWND child = Create(0, first, {0, 0, 10, 10});
  struct TCase {
    const char* Name;
    HWND Window;
    int Show;
    HWND Active;
  } cases[] = {
      {"shown without activation", first, SW_SHOWNA, nullptr},
      {"shown", first, SW_SHOW, first},
      {"a child shown", child, SW_SHOW, first},
      {"another, not activated", second, SW_SHOWNOACTIVATE, first},
      {"another, restored", second, SW_SHOWNORMAL, second},
      {"the active one hidden", second, SW_HIDE, first},
      {"the last one hidden", first, SW_HIDE, nullptr},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ShowWindow(c.Window, c.Show);
    EXPECT_EQ(GetActiveWindow(), c.Active);
    EXPECT_EQ(GetFocus(), c.Active);
  }
  Pump();
  DestroyWindow(first);
  DestroyWindow(second);
}

TEST_F(Focus, DestroyingTheFocusedChildLeavesNoFocus) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  HWND child = Create(WS_VISIBLE, top, {0, 0, 10, 10});
  SetFocus(child);
  MessageLog().clear();
  DestroyWindow(child);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(Logged(child, {WM_KILLFOCUS, WM_DESTROY}), (Log{Msg(child, WM_KILLFOCUS, 0), Msg(child, WM_DESTROY)}));
  DestroyWindow(top);
}

TEST_F(Focus, DisablingAWindowCancelsItsModeAndTakesTheFocusFromItsTree) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  HWND panel = Create(WS_VISIBLE, top, {0, 0, 50, 50});
  HWND child = Create(WS_VISIBLE, panel, {0, 0, 10, 10});
  SetFocus(child);
  SetCapture(panel);
  MessageLog().clear();
  EnableWindow(panel, FALSE);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(Logged(nullptr, {WM_CANCELMODE, WM_CAPTURECHANGED, WM_KILLFOCUS, WM_ENABLE}),
            (Log{Msg(panel, WM_CANCELMODE), Msg(panel, WM_CAPTURECHANGED), Msg(child, WM_KILLFOCUS),
                 Msg(panel, WM_ENABLE, FALSE)}));
  // Enabling again takes nothing back.
  MessageLog().clear();
  EnableWindow(panel, TRUE);
  EXPECT_EQ(Logged(nullptr, {WM_CANCELMODE, WM_ENABLE}), (Log{Msg(panel, WM_ENABLE, TRUE)}));
  DestroyWindow(top);
}

// --- Hooks -----------------------------------------------------------------

std::vector<std::string>& Trace() {
  static std::vector<std::string> trace;
  return trace;
}

HHOOK& Slot(int i) {
  static HHOOK hooks[4];
  return hooks[i];
}

bool& StopSecond() {
  static bool stop = false;
  return stop;
}

LRESULT FirstSendHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (cwp->message == WM_USER) Trace().push_back("first " + std::to_string(cwp->wParam));
  return CallNextHookEx(Slot(0), code, wParam, lParam);
}

LRESULT SecondSendHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (cwp->message == WM_USER) {
    Trace().push_back("second " + std::to_string(cwp->wParam));
    // A message sent from inside a hook does not enter it again.
    if (cwp->wParam == 1) SendMessageW(cwp->hwnd, WM_USER, 2, 0);
    if (StopSecond()) return 0;
  }
  return CallNextHookEx(Slot(1), code, wParam, lParam);
}

TEST_F(Hooks, ProceduresRunNewestFirstAndEachPassesOn) {
  HWND h = Create();
  Slot(0) = SetWindowsHookExW(WH_CALLWNDPROC, FirstSendHook, nullptr, 0);
  Slot(1) = SetWindowsHookExW(WH_CALLWNDPROC, SecondSendHook, nullptr, 0);
  ASSERT_NE(Slot(0), nullptr);
  ASSERT_NE(Slot(1), nullptr);
  Trace().clear();
  TestHandler() = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_USER) Trace().push_back("window " + std::to_string(wParam));
    return std::nullopt;
  };
  SendMessageW(h, WM_USER, 1, 0);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"second 1", "first 2", "window 2", "first 1", "window 1"}));
  // A procedure that does not pass on ends the chain; posted messages pass no send hook.
  Trace().clear();
  StopSecond() = true;
  SendMessageW(h, WM_USER, 3, 0);
  PostMessageW(h, WM_USER, 4, 0);
  Pump();
  StopSecond() = false;
  EXPECT_EQ(Trace(), (std::vector<std::string>{"second 3", "window 3", "window 4"}));
  EXPECT_TRUE(UnhookWindowsHookEx(Slot(1)));
  EXPECT_FALSE(UnhookWindowsHookEx(Slot(1)));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_HANDLE);
  Trace().clear();
  SendMessageW(h, WM_USER, 5, 0);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"first 5", "window 5"}));
  EXPECT_TRUE(UnhookWindowsHookEx(Slot(0)));
  EXPECT_EQ(SetWindowsHookExW(99, FirstSendHook, nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_FILTER);
  EXPECT_EQ(SetWindowsHookExW(WH_CBT, nullptr, nullptr, 0), nullptr);
  TestHandler() = nullptr;
  DestroyWindow(h);
}

LRESULT EatKeyA(int code, WPARAM wParam, LPARAM lParam) {
  Trace().push_back("key " + std::to_string(code) + " " + std::to_string(wParam));
  if (code == HC_ACTION && wParam == 'A' && !(HIWORD(static_cast<ULONG_PTR>(lParam)) & KF_UP)) return 1;
  return CallNextHookEx(Slot(0), code, wParam, lParam);
}

LRESULT EatRightButton(int code, WPARAM wParam, LPARAM lParam) {
  const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
  if (wParam == WM_RBUTTONDOWN) {
    Trace().push_back("mouse " + std::to_string(info->pt.X) + "," + std::to_string(info->pt.Y) + " hit " +
                      std::to_string(info->wHitTestCode));
    return 1;
  }
  return CallNextHookEx(Slot(1), code, wParam, lParam);
}

LRESULT WatchSkips(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_KEYSKIPPED) Trace().push_back("skipped key " + std::to_string(wParam));
  if (code == HCBT_CLICKSKIPPED) Trace().push_back("skipped click");
  return CallNextHookEx(Slot(2), code, wParam, lParam);
}

LRESULT BumpCharacters(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (wParam == PM_REMOVE && msg->message == WM_CHAR) ++msg->wParam;
  return CallNextHookEx(Slot(3), code, wParam, lParam);
}

TEST_F(Hooks, InputHooksSeeMessagesLeavingTheQueueAndMayThrowThemAway) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  SetFocus(h);
  Pump();
  Slot(0) = SetWindowsHookExW(WH_KEYBOARD, EatKeyA, nullptr, 0);
  Slot(1) = SetWindowsHookExW(WH_MOUSE, EatRightButton, nullptr, 0);
  Slot(2) = SetWindowsHookExW(WH_CBT, WatchSkips, nullptr, 0);
  Slot(3) = SetWindowsHookExW(WH_GETMESSAGE, BumpCharacters, nullptr, 0);
  Trace().clear();
  MessageLog().clear();
  InjectKey('A', TRUE);
  MSG peeked;
  EXPECT_TRUE(PeekMessageW(&peeked, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) << "a look does not throw it away";
  Pump();
  EXPECT_LT(GetKeyState('A'), 0) << "the key is down, though its message went";
  InjectKey('A', FALSE);
  InjectKeyPress('B');
  InjectClick(VK_RBUTTON, 30, 40);
  Pump();
  const std::string a = std::to_string('A'), b = std::to_string('B');
  EXPECT_EQ(Trace(), (std::vector<std::string>{"key 3 " + a, "key 0 " + a, "skipped key " + a, "key 0 " + a,
                                               "key 0 " + b, "key 0 " + b, "mouse 30,40 hit 1", "skipped click"}));
  EXPECT_EQ(MessagesOf(h, {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_RBUTTONDOWN, WM_RBUTTONUP}),
            (List{WM_KEYUP, WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_RBUTTONUP}));
  const auto chars = Logged(h, {WM_CHAR});
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(chars[0].WParam, static_cast<WPARAM>('c')) << "the get-message hook changed 'b'";
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(UnhookWindowsHookEx(Slot(i)));
  SetFocus(nullptr);
  DestroyWindow(h);
}

HWND& Refused() {
  static HWND h = nullptr;
  return h;
}

LRESULT CbtGate(int code, WPARAM wParam, LPARAM lParam) {
  Trace().push_back("cbt " + std::to_string(code));
  if (code == HCBT_CREATEWND) {
    const auto* cbt = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    if (cbt->lpcs->lpszName && std::u16string(cbt->lpcs->lpszName) == u"refuse") return 1;
  }
  if ((code == HCBT_SETFOCUS || code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) &&
      reinterpret_cast<HWND>(wParam) == Refused())
    return 1;
  return CallNextHookEx(Slot(0), code, wParam, lParam);
}

TEST_F(Hooks, TheCbtHookMayPreventCreationActivationFocusAndDestruction) {
  Slot(0) = SetWindowsHookExW(WH_CBT, CbtGate, nullptr, 0);
  Trace().clear();
  MessageLog().clear();
  const int windows = GetLiveWindowCount();
  EXPECT_EQ(CreateWindowExW(0, RecordingClass, u"refuse", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLiveWindowCount(), windows);
  EXPECT_TRUE(MessagesOf(nullptr).empty()) << "a refused window hears nothing";
  HWND top = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  HWND child = Create(WS_VISIBLE, top, {0, 0, 10, 10});
  HWND other = Create(WS_POPUP | WS_VISIBLE, nullptr, {200, 0, 300, 100});
  EXPECT_EQ(Trace(), (std::vector<std::string>{"cbt 3", "cbt 3", "cbt 3", "cbt 3"}));
  SetFocus(child);
  ASSERT_EQ(GetFocus(), child);
  Refused() = other;
  SetActiveWindow(other);
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_FALSE(DestroyWindow(other));
  EXPECT_TRUE(IsWindow(other));
  Refused() = top;
  EXPECT_EQ(SetFocus(top), nullptr);
  EXPECT_EQ(GetFocus(), child);
  Refused() = nullptr;
  EXPECT_TRUE(UnhookWindowsHookEx(Slot(0)));
  SetFocus(nullptr);
  DestroyWindow(top);
  DestroyWindow(other);
}

constexpr UINT ThreadTestMessage = WM_APP + 7;

LRESULT TraceThreadMessage(const char* who, HHOOK self, int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg->message == ThreadTestMessage) Trace().push_back(std::string(who) + " " + std::to_string(msg->wParam));
  return CallNextHookEx(self, code, wParam, lParam);
}
LRESULT MainThreadHook(int code, WPARAM wParam, LPARAM lParam) {
  return TraceThreadMessage("main", Slot(0), code, wParam, lParam);
}
LRESULT WorkerThreadHook(int code, WPARAM wParam, LPARAM lParam) {
  return TraceThreadMessage("worker", Slot(1), code, wParam, lParam);
}
LRESULT EveryThreadHook(int code, WPARAM wParam, LPARAM lParam) {
  return TraceThreadMessage("every", Slot(2), code, wParam, lParam);
}

// One message through the calling thread's PeekMessageW.
void PassThreadMessage(WPARAM tag) {
  PostMessageW(nullptr, ThreadTestMessage, tag, 0);
  MSG msg;
  PeekMessageW(&msg, nullptr, ThreadTestMessage, ThreadTestMessage, PM_REMOVE);
}

TEST_F(Hooks, AHookForOneThreadSeesOnlyThatThreadsCallsAndOneForThreadZeroEveryThreads) {
  const DWORD mainThread = GetCurrentThreadId();
  EXPECT_NE(mainThread, 0u);
  Slot(2) = SetWindowsHookExW(WH_GETMESSAGE, EveryThreadHook, nullptr, 0);
  Slot(0) = SetWindowsHookExW(WH_GETMESSAGE, MainThreadHook, nullptr, mainThread);
  Trace().clear();
  DWORD workerThread = 0;
  // The main thread waits meanwhile: the two never use the queue at once.
  std::thread worker([&] {
    workerThread = GetCurrentThreadId();
    Slot(1) = SetWindowsHookExW(WH_GETMESSAGE, WorkerThreadHook, nullptr, workerThread);
    PassThreadMessage(1);
  });
  worker.join();
  EXPECT_NE(workerThread, mainThread);
  PassThreadMessage(2);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"worker 1", "every 1", "main 2", "every 2"}));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(UnhookWindowsHookEx(Slot(i)));
}

}  // namespace

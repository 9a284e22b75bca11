// The message queue: sending, posting, retrieving and dispatching.

#include <algorithm>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/WindowObjects.h"

namespace {

struct TQueue {
  // Other threads post too.
  std::mutex PostedLock;
  std::deque<MSG> Posted;
  std::deque<TInputMessage> Input;
  ULONGLONG NextSerial = 1;
  bool QuitPending = false;
  int ExitCode = 0;
  POINT Cursor;
  DWORD LastTime = 0;
  POINT LastPos;
  // For WaitMessage: whether something arrived, and when the queue was
  // last looked at.
  bool Fresh = false;
  ULONGLONG LastLook = 0;
  // One entry per window procedure running: whether its message was sent.
  std::vector<bool> Handling;
};

TQueue& Queue() {
  static TQueue queue;
  return queue;
}

struct THandlingScope {
  explicit THandlingScope(bool sent) { Queue().Handling.push_back(sent); }
  ~THandlingScope() { Queue().Handling.pop_back(); }
  THandlingScope(const THandlingScope&) = delete;
  THandlingScope& operator=(const THandlingScope&) = delete;
};

LRESULT Deliver(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, bool sent) {
  TWindow* w = WindowOf(h);
  if (!w || !w->Proc) return 0;
  if (sent && HasHooks(WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{lParam, wParam, msg, h};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, TRUE, reinterpret_cast<LPARAM>(&cwp));
    if (!(w = WindowOf(h)) || !w->Proc) return 0;
  }
  const WNDPROC proc = w->Proc;
  THandlingScope scope(sent);
  return proc(h, msg, wParam, lParam);
}

bool InRange(UINT msg, UINT min, UINT max) { return (min == 0 && max == 0) || (msg >= min && msg <= max); }

bool ValidFilter(HWND filter) {
  return !filter || filter == reinterpret_cast<HWND>(-1) || CheckedWindowOf(filter);
}

// A message as the queue hands it out: with the time and the cursor position.
MSG StampedMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m;
  m.hwnd = h;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = static_cast<DWORD>(ClockNow());
  m.pt = Queue().Cursor;
  return m;
}

bool TakeFrom(std::deque<MSG>& list, MSG& out, HWND filter, UINT min, UINT max, bool remove) {
  auto it = std::find_if(list.begin(), list.end(), [&](const MSG& m) {
    return MatchesWindowFilter(filter, m.hwnd) && InRange(m.message, min, max);
  });
  if (it == list.end()) return false;
  out = *it;
  if (remove) list.erase(it);
  return true;
}

// Input messages pass the hooks on their way out; one thrown away leaves
// the queue and the next is looked at. A mouse event is routed when the
// search reaches it, and its messages take its place.
bool TakeInput(MSG& out, HWND filter, UINT min, UINT max, bool remove) {
  TQueue& q = Queue();
  auto& list = q.Input;
  for (;;) {
    for (TInputMessage& m : list)
      if (m.Extra.ToFocus) RouteToFocus(m);
    auto it = std::find_if(list.begin(), list.end(), [&](const TInputMessage& m) {
      return m.Extra.Raw || (MatchesWindowFilter(filter, m.Msg.hwnd) && InRange(m.Msg.message, min, max));
    });
    if (it == list.end()) return false;
    if (it->Extra.Raw) {
      const size_t at = static_cast<size_t>(it - list.begin());
      const TInputMessage event = *it;
      list.erase(it);
      std::vector<TInputMessage> routed = RouteMouse(event);
      for (TInputMessage& m : routed) m.Serial = q.NextSerial++;
      // Handlers of the messages routing sends may have taken input meanwhile.
      list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(at, list.size())), routed.begin(), routed.end());
      continue;
    }
    const TInputMessage in = *it;
    if (remove) list.erase(it);
    if (AcceptInput(in, out, remove)) return true;
    if (!remove) std::erase_if(list, [&](const TInputMessage& m) { return m.Serial == in.Serial; });
  }
}

// One look at the queue in its order of service.
bool Retrieve(MSG& out, HWND filter, UINT min, UINT max, bool remove) {
  CurrentBackend().WaitForEvents(0);  // only polls
  TQueue& q = Queue();
  const ULONGLONG now = ClockNow();
  q.Fresh = false;
  q.LastLook = now;
  bool found = false;
  {
    const std::lock_guard<std::mutex> lock(q.PostedLock);
    found = TakeFrom(q.Posted, out, filter, min, max, remove);
  }
  found = found || TakeInput(out, filter, min, max, remove);
  if (!found && q.QuitPending && (!filter || filter == reinterpret_cast<HWND>(-1)) && InRange(WM_QUIT, min, max)) {
    out = StampedMessage(nullptr, WM_QUIT, static_cast<WPARAM>(q.ExitCode), 0);
    if (remove) q.QuitPending = false;
    found = true;
  }
  if (!found && InRange(WM_PAINT, min, max))
    if (HWND h = FindWindowToPaint(filter)) {
      out = StampedMessage(h, WM_PAINT, 0, 0);
      found = true;
    }
  TDueTimer timer;
  if (!found && InRange(WM_TIMER, min, max) && FindDueTimer(filter, now, timer)) {
    out = StampedMessage(timer.Window, WM_TIMER, timer.Id, reinterpret_cast<LPARAM>(timer.Proc));
    if (remove) ConsumeTimerTick(timer.Window, timer.Id, now);
    found = true;
  }
  if (found) {
    CallHooks(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&out));
    q.LastTime = out.time;
    q.LastPos = out.pt;
  }
  return found;
}

}  // namespace

ULONGLONG ClockNow() { return CurrentBackend().Now(); }
ULONGLONG GetTickCount64() { return ClockNow(); }
DWORD GetTickCount() { return static_cast<DWORD>(ClockNow()); }

bool MatchesWindowFilter(HWND filter, HWND hwnd) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return !hwnd;
  return hwnd && (hwnd == filter || IsChild(filter, hwnd));
}

void NoteQueueActivity() { Queue().Fresh = true; }

LRESULT SendToWindow(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) { return Deliver(h, msg, wParam, lParam, true); }

void PurgeQueuedMessages(HWND h) {
  TQueue& q = Queue();
  {
    const std::lock_guard<std::mutex> lock(q.PostedLock);
    std::erase_if(q.Posted, [h](const MSG& m) { return m.hwnd == h; });
  }
  std::erase_if(q.Input, [h](const TInputMessage& m) { return m.Msg.hwnd == h; });
}

void QueueInput(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, POINT cursor, TInputExtra extra) {
  if (h && !WindowOf(h)) return;
  TQueue& q = Queue();
  q.Cursor = cursor;
  q.Input.push_back(TInputMessage{StampedMessage(h, msg, wParam, lParam), std::move(extra), q.NextSerial++});
  NoteQueueActivity();
}

void QueueInputMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, POINT cursor) {
  QueueInput(hWnd, message, wParam, lParam, cursor, TInputExtra{});
}

LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd == HWND_BROADCAST) {
    BroadcastToTopLevel(Msg, wParam, lParam);
    return 0;
  }
  if (!CheckedWindowOf(hWnd)) return 0;
  return SendToWindow(hWnd, Msg, wParam, lParam);
}

BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  TQueue& q = Queue();
  if (hWnd == HWND_BROADCAST) {
    const std::vector<HWND> tops = TopLevelWindows();
    const std::lock_guard<std::mutex> lock(q.PostedLock);
    for (HWND top : tops) q.Posted.push_back(StampedMessage(top, Msg, wParam, lParam));
  } else {
    if (hWnd && !CheckedWindowOf(hWnd)) return FALSE;
    const MSG m = StampedMessage(hWnd, Msg, wParam, lParam);
    const std::lock_guard<std::mutex> lock(q.PostedLock);
    q.Posted.push_back(m);
  }
  NoteQueueActivity();
  CurrentBackend().Wake();
  return TRUE;
}

void PostQuitMessage(int nExitCode) {
  TQueue& q = Queue();
  q.QuitPending = true;
  q.ExitCode = nExitCode;
  NoteQueueActivity();
  CurrentBackend().Wake();
}

BOOL PeekMessageW(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (!lpMsg || !ValidFilter(hWnd)) return FALSE;
  return Retrieve(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessageW(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (!lpMsg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (!ValidFilter(hWnd)) return -1;
  for (;;) {
    if (Retrieve(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) return lpMsg->message == WM_QUIT ? FALSE : TRUE;
    // Only a timer this call would take, or an event, can end the wait.
    const ULONGLONG deadline =
        InRange(WM_TIMER, wMsgFilterMin, wMsgFilterMax) ? NextTimerDeadline(hWnd, ClockNow()) : NoDeadline;
    if (!CurrentBackend().WaitForEvents(deadline)) {
      SetLastError(ERROR_POSSIBLE_DEADLOCK);
      return -1;
    }
  }
}

BOOL WaitMessage() {
  TQueue& q = Queue();
  for (;;) {
    CurrentBackend().WaitForEvents(0);
    const ULONGLONG now = ClockNow();
    if (q.Fresh || TimerTickBetween(q.LastLook, now)) {
      q.Fresh = false;
      q.LastLook = now;
      return TRUE;
    }
    if (!CurrentBackend().WaitForEvents(NextTimerDeadline(nullptr, now))) {
      SetLastError(ERROR_POSSIBLE_DEADLOCK);
      return FALSE;
    }
  }
}

LRESULT DispatchMessageW(const MSG* lpMsg) {
  if (!lpMsg) return 0;
  if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
    // Only a callback of a live timer is called: a posted WM_TIMER could
    // carry any address.
    const auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
    if (IsLiveTimerProc(lpMsg->hwnd, lpMsg->wParam, proc)) proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
    return 0;
  }
  if (!lpMsg->hwnd || !CheckedWindowOf(lpMsg->hwnd)) return 0;
  return Deliver(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam, false);
}

namespace {

MESSAGESTEP& CurrentMessageStep() {
  static MESSAGESTEP step = nullptr;
  return step;
}

}  // namespace

MESSAGESTEP SetMessageStep(MESSAGESTEP step) {
  const MESSAGESTEP old = CurrentMessageStep();
  CurrentMessageStep() = step;
  return old;
}

void RunMessageStep(MSG* lpMsg) {
  if (!lpMsg) return;
  if (const MESSAGESTEP step = CurrentMessageStep()) step(lpMsg);
  else DefMessageStep(lpMsg);
}

void DefMessageStep(MSG* lpMsg) {
  TranslateMessage(lpMsg);
  DispatchMessageW(lpMsg);
}

LONG GetMessageTime() { return static_cast<LONG>(Queue().LastTime); }

DWORD GetMessagePos() {
  const POINT p = Queue().LastPos;
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.X), static_cast<WORD>(p.Y)));
}

BOOL InSendMessage() {
  const auto& handling = Queue().Handling;
  return !handling.empty() && handling.back() ? TRUE : FALSE;
}

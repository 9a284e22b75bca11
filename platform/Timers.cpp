// Timers on the backend's clock. Each keeps its grid, start + k × interval;
// a due timer stands for one WM_TIMER however many of its ticks passed.

#include <algorithm>
#include <vector>

#include "platform/WindowObjects.h"

namespace {

struct TTimer {
  HWND Window = nullptr;  // nullptr: a thread timer
  UINT_PTR Id = 0;
  UINT Interval = 0;
  TIMERPROC Proc = nullptr;
  ULONGLONG Start = 0;
  ULONGLONG Due = 0;
};

struct TTimerTable {
  std::vector<TTimer> Timers;  // in the order they were made: ties go to the older
  UINT_PTR NextThreadId = 1;
};

TTimerTable& Table() {
  static TTimerTable table;
  return table;
}

std::vector<TTimer>::iterator Find(HWND window, UINT_PTR id) {
  auto& timers = Table().Timers;
  return std::find_if(timers.begin(), timers.end(), [&](const TTimer& t) { return t.Window == window && t.Id == id; });
}

UINT_PTR NewThreadTimerId() {
  TTimerTable& t = Table();
  for (;;) {
    const UINT_PTR id = t.NextThreadId++;
    if (id != 0 && Find(nullptr, id) == t.Timers.end()) return id;
  }
}

}  // namespace

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
  if (hWnd && !CheckedWindowOf(hWnd)) return 0;
  auto& timers = Table().Timers;
  auto it = hWnd || nIDEvent ? Find(hWnd, nIDEvent) : timers.end();
  if (it == timers.end()) {
    TTimer timer;
    timer.Window = hWnd;
    timer.Id = hWnd ? nIDEvent : NewThreadTimerId();
    timers.push_back(timer);
    it = timers.end() - 1;
  }
  it->Interval = std::clamp(uElapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  it->Proc = lpTimerFunc;
  it->Start = ClockNow();
  it->Due = it->Start + it->Interval;
  // A window's timer 0 exists too; the result only has to be non-zero.
  return it->Id ? it->Id : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
  auto it = Find(hWnd, uIDEvent);
  if (it == Table().Timers.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Table().Timers.erase(it);
  return TRUE;
}

int GetLiveTimerCount() { return static_cast<int>(Table().Timers.size()); }

bool FindDueTimer(HWND filter, ULONGLONG now, TDueTimer& out) {
  const TTimer* best = nullptr;
  for (const TTimer& t : Table().Timers)
    if (t.Due <= now && MatchesWindowFilter(filter, t.Window) && (!best || t.Due < best->Due)) best = &t;
  if (!best) return false;
  out = TDueTimer{best->Window, best->Id, best->Proc};
  return true;
}

void ConsumeTimerTick(HWND window, UINT_PTR id, ULONGLONG now) {
  auto it = Find(window, id);
  if (it == Table().Timers.end()) return;
  // Ticks missed while the loop was busy fold into the one just produced.
  const ULONGLONG periods = (now - it->Start) / it->Interval + 1;
  it->Due = it->Start + periods * it->Interval;
}

ULONGLONG NextTimerDeadline(HWND filter, ULONGLONG after) {
  ULONGLONG next = NoDeadline;
  for (const TTimer& t : Table().Timers)
    if (t.Due > after && MatchesWindowFilter(filter, t.Window)) next = std::min(next, t.Due);
  return next;
}

bool TimerTickBetween(ULONGLONG after, ULONGLONG upTo) {
  const auto& timers = Table().Timers;
  return std::any_of(timers.begin(), timers.end(), [&](const TTimer& t) { return t.Due > after && t.Due <= upTo; });
}

bool IsLiveTimerProc(HWND window, UINT_PTR id, TIMERPROC proc) {
  auto it = Find(window, id);
  return it != Table().Timers.end() && it->Proc == proc;
}

void KillWindowTimers(HWND window) {
  std::erase_if(Table().Timers, [window](const TTimer& t) { return t.Window == window; });
}

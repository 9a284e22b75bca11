// Hooks: chains of procedures that watch or stop messages and window
// changes, newest first, each for one thread or for every thread.

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/Kernel.h"
#include "platform/WindowObjects.h"

namespace {

struct THook {
  HHOOK Handle = nullptr;
  int Kind = 0;
  HOOKPROC Proc = nullptr;
  DWORD ThreadId = 0;    // 0: every thread
  bool Removed = false;  // unhooked while it ran; freed once it returns
  int Running = 0;
};

struct THookTable {
  std::vector<std::unique_ptr<THook>> Hooks;  // in the order installed
  uintptr_t NextHandle = 0x60000;
};

THookTable& Table() {
  static THookTable table;
  return table;
}

bool ValidKind(int kind) {
  return kind == WH_KEYBOARD || kind == WH_GETMESSAGE || kind == WH_CALLWNDPROC || kind == WH_CBT || kind == WH_MOUSE;
}

// The next hook of the kind older than position `before` that may run: for
// the calling thread, not unhooked, and not running already (a hook that
// causes its own call point is not entered again).
THook* NextBelow(int kind, size_t before) {
  auto& hooks = Table().Hooks;
  const DWORD thread = GetCurrentThreadId();
  for (size_t i = before; i-- > 0;) {
    THook* h = hooks[i].get();
    if (h->Kind == kind && !h->Removed && h->Running == 0 && (h->ThreadId == 0 || h->ThreadId == thread)) return h;
  }
  return nullptr;
}

size_t PositionOf(HHOOK handle) {
  auto& hooks = Table().Hooks;
  for (size_t i = 0; i < hooks.size(); ++i)
    if (hooks[i]->Handle == handle) return i;
  return hooks.size();
}

void Purge() {
  std::erase_if(Table().Hooks, [](const std::unique_ptr<THook>& h) { return h->Removed && h->Running == 0; });
}

LRESULT Run(THook* hook, int code, WPARAM wParam, LPARAM lParam) {
  if (!hook) return 0;
  const HHOOK handle = hook->Handle;
  ++hook->Running;
  const LRESULT result = hook->Proc(code, wParam, lParam);
  // The table may have grown meanwhile: look the hook up again.
  auto& hooks = Table().Hooks;
  const size_t at = PositionOf(handle);
  if (at < hooks.size()) --hooks[at]->Running;
  Purge();
  return result;
}

}  // namespace

bool HasHooks(int kind) { return NextBelow(kind, Table().Hooks.size()) != nullptr; }

LRESULT CallHooks(int kind, int code, WPARAM wParam, LPARAM lParam) {
  return Run(NextBelow(kind, Table().Hooks.size()), code, wParam, lParam);
}

HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
  if (!ValidKind(idHook)) {
    SetLastError(ERROR_INVALID_HOOK_FILTER);
    return nullptr;
  }
  if (!lpfn) {
    SetLastError(ERROR_INVALID_FILTER_PROC);
    return nullptr;
  }
  THookTable& t = Table();
  auto hook = std::make_unique<THook>();
  hook->Handle = reinterpret_cast<HHOOK>(t.NextHandle);
  t.NextHandle += 4;
  hook->Kind = idHook;
  hook->Proc = lpfn;
  hook->ThreadId = dwThreadId;
  t.Hooks.push_back(std::move(hook));
  return t.Hooks.back()->Handle;
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
  auto& hooks = Table().Hooks;
  const size_t at = PositionOf(hhk);
  if (at == hooks.size() || hooks[at]->Removed) {
    SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return FALSE;
  }
  hooks[at]->Removed = true;
  Purge();
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
  auto& hooks = Table().Hooks;
  const size_t at = PositionOf(hhk);
  if (at == hooks.size()) return 0;
  return Run(NextBelow(hooks[at]->Kind, at), nCode, wParam, lParam);
}

int GetLiveHookCount() {
  const auto& hooks = Table().Hooks;
  return static_cast<int>(std::count_if(hooks.begin(), hooks.end(), [](const auto& h) { return !h->Removed; }));
}

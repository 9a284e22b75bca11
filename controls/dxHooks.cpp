#include "controls/dxHooks.h"

#include <algorithm>

#include "controls/dxCore.h"
#include "host/ExceptionHandling.h"
#include "platform/Kernel.h"

HOST_CLASS_INFO(TdxSystemHook, TObject, nullptr)
HOST_CLASS_INFO(TdxHookController, TObject, &CreateDefault<TdxHookController>)

namespace {

std::unique_ptr<TdxHookController, TFreeObject>& Controller() {
  static std::unique_ptr<TdxHookController, TFreeObject> controller;
  return controller;
}

// The Windows hook procedure of each type; a hook procedure carries no
// context of its own.
template <TdxHookType AHookType>
LRESULT HookProc(int ACode, WPARAM wParam, LPARAM lParam) {
  return dxHookController()->GetSystemHook(AHookType)->Execute(ACode, wParam, lParam);
}

constexpr HOOKPROC HookProcs[dxHookTypeCount] = {&HookProc<htKeyboard>, &HookProc<htMouse>, &HookProc<htWndProc>,
                                                 &HookProc<htGetMessage>, &HookProc<htCBT>};

constexpr int HookIds[dxHookTypeCount] = {WH_KEYBOARD, WH_MOUSE, WH_CALLWNDPROC, WH_GETMESSAGE, WH_CBT};

void FinalizeHooks() { Controller().reset(); }

}  // namespace

// --- TdxSystemHook ------------------------------------------------------------

TdxSystemHook::~TdxSystemHook() {
  if (FHandle) UnhookWindowsHookEx(FHandle);
}

void TdxSystemHook::Add(TdxHookProc AHookProc) {
  if (!AHookProc || Contains(AHookProc)) return;
  FHooks.push_back(std::make_shared<TEntry>(TEntry{AHookProc}));
  if (!FHandle)
    FHandle = SetWindowsHookExW(HookIds[FHookType], HookProcs[FHookType], nullptr, GetCurrentThreadId());
}

void TdxSystemHook::Remove(TdxHookProc AHookProc) {
  auto it = std::find_if(FHooks.begin(), FHooks.end(), [&](const auto& entry) { return entry->Proc == AHookProc; });
  if (it == FHooks.end()) return;
  (*it)->Removed = true;
  FHooks.erase(it);
  if (FHooks.empty() && FHandle) {
    UnhookWindowsHookEx(FHandle);
    FHandle = nullptr;
  }
}

bool TdxSystemHook::Contains(TdxHookProc AHookProc) const {
  return std::any_of(FHooks.begin(), FHooks.end(), [&](const auto& entry) { return entry->Proc == AHookProc; });
}

LRESULT TdxSystemHook::Execute(int ACode, WPARAM wParam, LPARAM lParam) {
  // The chain goes on from this call's own hook even when a procedure
  // uninstalls it.
  const HHOOK handle = FHandle;
  const std::vector<std::shared_ptr<TEntry>> hooks = FHooks;
  LRESULT hookResult = 0;
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
    if ((*it)->Removed) continue;
    try {
      (*it)->Proc(ACode, wParam, lParam, hookResult);
    } catch (...) {
      HandleException(this);
    }
  }
  const LRESULT result = CallNextHookEx(handle, ACode, wParam, lParam);
  return hookResult != 0 ? hookResult : result;
}

// --- TdxHookController --------------------------------------------------------

TdxHookController::TdxHookController() {
  for (int i = 0; i < dxHookTypeCount; ++i) FSystemHooks[i].reset(new TdxSystemHook(static_cast<TdxHookType>(i)));
}

TdxHookController::~TdxHookController() = default;

void TdxHookController::SetHook(TdxHookType AHookType, TdxHookProc AHookProc) {
  FSystemHooks[AHookType]->Add(AHookProc);
}

void TdxHookController::ReleaseHook(TdxHookProc AHookProc) {
  for (auto& hook : FSystemHooks) hook->Remove(AHookProc);
}

TdxHookController* dxHookController() {
  auto& controller = Controller();
  if (!controller) controller.reset(new TdxHookController);
  return controller.get();
}

void dxSetHook(TdxHookType AHookType, TdxHookProc AHookProc) { dxHookController()->SetHook(AHookType, AHookProc); }

void dxReleaseHook(TdxHookProc AHookProc) {
  if (Controller()) Controller()->ReleaseHook(AHookProc);
}

void RegisterHooksUnit() { RegisterSuiteUnit<nullptr, &FinalizeHooks>("dxHooks"); }

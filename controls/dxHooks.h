#pragma once
// Hooks of the GUI thread shared by the suite: each hook type is installed
// once, for the thread that registers its first procedure, while procedures
// are registered for it, and calls them all.

#include <memory>
#include <vector>

#include "host/Objects.h"
#include "platform/Hooks.h"

enum TdxHookType : uint8_t { htKeyboard, htMouse, htWndProc, htGetMessage, htCBT };
inline constexpr int dxHookTypeCount = 5;

// A non-zero AHookResult becomes the hook's answer.
using TdxHookProc = void (*)(int ACode, WPARAM wParam, LPARAM lParam, LRESULT& AHookResult);

// Installed as WH_KEYBOARD, WH_MOUSE, WH_CALLWNDPROC, WH_GETMESSAGE and
// WH_CBT for the types in their order.
class TdxSystemHook : public TObject {
  HOST_CLASS(TdxSystemHook);

  explicit TdxSystemHook(TdxHookType AHookType) : FHookType(AHookType) {}
  // Uninstalls the Windows hook.
  ~TdxSystemHook() override;

  // The first procedure installs the Windows hook for the calling thread; a
  // procedure registered already is ignored.
  void Add(TdxHookProc AHookProc);
  // Removing the last procedure uninstalls the Windows hook.
  void Remove(TdxHookProc AHookProc);
  bool Contains(TdxHookProc AHookProc) const;

  // Calls the procedures registered when the call began, last registered
  // first, skipping those removed meanwhile; an exception goes to the
  // application's handler and the next procedure still runs. Then the next
  // hook in the chain; a non-zero result of the procedures wins over its.
  LRESULT Execute(int ACode, WPARAM wParam, LPARAM lParam);

  TdxHookType GetHookType() const { return FHookType; }
  // nullptr while no procedure is registered.
  HHOOK GetHandle() const { return FHandle; }
  Integer GetCount() const { return static_cast<Integer>(FHooks.size()); }

 private:
  struct TEntry {
    TdxHookProc Proc;
    bool Removed = false;
  };

  TdxHookType FHookType;
  HHOOK FHandle = nullptr;
  // Shared with the calls in progress, which keep walking their own copy.
  std::vector<std::shared_ptr<TEntry>> FHooks;
};

class TdxHookController : public TObject {
  HOST_CLASS(TdxHookController);

  TdxHookController();
  ~TdxHookController() override;

  void SetHook(TdxHookType AHookType, TdxHookProc AHookProc);
  // From every type it was registered for.
  void ReleaseHook(TdxHookProc AHookProc);
  TdxSystemHook* GetSystemHook(TdxHookType AHookType) const { return FSystemHooks[AHookType].get(); }

 private:
  std::unique_ptr<TdxSystemHook, TFreeObject> FSystemHooks[dxHookTypeCount];
};

// The controller of the process, made on first use.
TdxHookController* dxHookController();

void dxSetHook(TdxHookType AHookType, TdxHookProc AHookProc);
void dxReleaseHook(TdxHookProc AHookProc);

// The unit that uninstalls every hook at the end.
void RegisterHooksUnit();

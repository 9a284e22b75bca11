#pragma once
// The timer component: OnTimer every Interval milliseconds while Enabled,
// through WM_TIMER on a utility window of its own.

#include "host/Components.h"
#include "platform/WindowTypes.h"

class TTimer : public TComponent {
  HOST_CLASS(TTimer);

  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  // Setting the value it has changes nothing; any other value starts the
  // period anew.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Cardinal GetInterval() const { return FInterval; }
  void SetInterval(Cardinal Value);
  // No timer runs while this is unassigned or Interval is 0.
  const TNotifyEvent& GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  void WndProc(TMessage& Message);

  bool FEnabled = true;
  Cardinal FInterval = 1000;
  TNotifyEvent FOnTimer;
  HWND FWindowHandle = nullptr;
  bool FRunning = false;
};

void RegisterExtCtrlsClasses();

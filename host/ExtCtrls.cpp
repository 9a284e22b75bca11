// The timer component.

#include <any>

#include "host/ExceptionHandling.h"
#include "host/ExtCtrls.h"
#include "host/TypInfo.h"
#include "host/UtilityWindows.h"

namespace {

const TPublished& TimerPublished() {
  static const TPublished p = [] {
    TPublished t{{
        BoolProp<TTimer>(u"Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled, true),
        IntegerProp<TTimer>(u"Interval", &TTimer::GetInterval, &TTimer::SetInterval, 1000),
    }};
    // Assigning the handler may start the timer, so it goes through the setter.
    TPropInfo onTimer;
    onTimer.Name = u"OnTimer";
    onTimer.Kind = tkMethod;
    onTimer.SetMethod = [](TObject* o, const std::any& handler) {
      auto* timer = static_cast<TTimer*>(o);
      if (!handler.has_value()) timer->SetOnTimer(nullptr);
      else if (const auto* f = std::any_cast<TNotifyEvent>(&handler)) timer->SetOnTimer(*f);
      else throw std::bad_any_cast();
    };
    t.Properties.push_back(onTimer);
    return t;
  }();
  return p;
}

}  // namespace

HOST_CLASS_INFO_PUBLISHED(TTimer, TComponent, &CreateOwned<TTimer>, &TimerPublished)

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
}

void TTimer::UpdateTimer() {
  if (FRunning) KillTimer(FWindowHandle, 1);
  FRunning = FInterval != 0 && FEnabled && FOnTimer;
  if (FRunning && !SetTimer(FWindowHandle, 1, FInterval, nullptr)) FRunning = false;
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER) {
    Message.Result = DefWindowProcW(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  try {
    Timer();
  } catch (...) {
    HandleException(this);
  }
}

void RegisterExtCtrlsClasses() { RegisterClass(TTimer::StaticClass()); }

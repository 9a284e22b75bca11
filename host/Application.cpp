// TApplication: the forms it owns, the message loop with the framework's
// key step, activation, and the standard error box.

#include <unistd.h>

#include <climits>

#include "host/ExceptionHandling.h"
#include "host/Exceptions.h"
#include "host/Forms.h"

namespace {

TApplication*& ApplicationSlot() {
  static TApplication* application = nullptr;
  return application;
}

// The program's file name without its folder: the default title.
String ExecutableName() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return u"";
  const std::string_view name(path, static_cast<size_t>(n));
  return UTF8ToString(name.substr(name.find_last_of('/') + 1));
}

// The framework's step for each message the loop takes: a key goes to its
// control first (CN_KEYDOWN, CN_CHAR ...), and only what the control leaves
// is translated and dispatched.
void ApplicationMessageStep(MSG* Msg) {
  if (!IsKeyMsg(*Msg)) DefMessageStep(Msg);
}

}  // namespace

HOST_CLASS_INFO(TApplication, TComponent, nullptr)

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FTitle(ExecutableName()) {
  // Every loop runs the application's step while it exists: its own and,
  // in tests, the virtual clock's.
  if (!ApplicationSlot()) {
    ApplicationSlot() = this;
    SetMessageStep(ApplicationMessageStep);
  }
  ApplicationHandleException = [](TObject* Sender) { Application()->HandleException(Sender); };
}

TApplication::~TApplication() {
  DestroyComponents();
  if (ApplicationSlot() == this) {
    ApplicationSlot() = nullptr;
    ApplicationHandleException = nullptr;
    SetMessageStep(nullptr);
  }
}

TApplication* Application() {
  if (!ApplicationSlot()) throw EInvalidOperation(u"The application object does not exist");
  return ApplicationSlot();
}

TApplication* CurrentApplication() { return ApplicationSlot(); }

void TApplication::Run() {
  if (!FMainForm) return;
  FMainForm->Show();
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  RunMessageStep(&Msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

// Nothing waiting: the idle handler, then sleep until something comes. When
// nothing ever can, the loop ends instead of spinning.
void TApplication::Idle() {
  if (OnIdle) OnIdle(this);
  if (!WaitMessage()) FTerminated = true;
}

void TApplication::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  const TNotifyEvent& event = Value ? OnActivate : OnDeactivate;
  if (event) event(this);
}

void TApplication::HandleException(TObject* Sender) {
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    if (OnException) OnException(Sender, e);
    else ShowException(e);
  } catch (const std::exception& e) {
    ShowException(Exception(UTF8ToString(e.what())));
  }
}

// The message ends with a full stop.
void TApplication::ShowException(const Exception& E) {
  String message = E.GetMessage();
  if (!message.empty() && message.back() > u'.') message += u'.';
  MessageBoxW(nullptr, message.c_str(), FTitle.c_str(), MB_OK | MB_ICONERROR);
}

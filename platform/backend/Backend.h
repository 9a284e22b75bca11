#pragma once
// What a backend gives the window manager: a surface for each top-level
// window, the clock, and waiting for events. The headless backend keeps
// surfaces in memory and runs a virtual clock for tests; a display backend
// shows them and runs on real time.

#include <memory>
#include <optional>
#include <string>

#include "platform/WindowTypes.h"

struct TBitmapObject;

// A top-level window's presence on the screen.
class TBackendSurface {
 public:
  virtual ~TBackendSurface() = default;
  // Screen coordinates. The pixels follow the size and keep what overlaps.
  virtual void SetBounds(const RECT& bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetTitle(const std::u16string& title) = 0;
  // 32-bit pixels, top row first, that the window's device contexts draw on;
  // nullptr when the window is too large to hold them.
  virtual TBitmapObject* Pixels() = 0;
  // The pixels of area (surface coordinates) were drawn on.
  virtual void Changed(const RECT& area) = 0;
};

// Gives pixels the size (negative: 0), keeping what overlaps; leaves them
// alone when they have it already.
void ResizeSurfacePixels(std::unique_ptr<TBitmapObject>& pixels, LONG width, LONG height);

inline constexpr ULONGLONG NoDeadline = ~0ull;

class TBackend {
 public:
  virtual ~TBackend() = default;
  // A hidden surface with the window's screen bounds.
  virtual std::unique_ptr<TBackendSurface> CreateSurface(HWND window, const RECT& bounds) = 0;
  // Milliseconds; never goes back.
  virtual ULONGLONG Now() = 0;
  // Hands pending events to the platform (input through QueueInputMessage),
  // waiting for one until the clock reaches the deadline at most; a deadline
  // not after Now() only polls. False when the wait could never end: no
  // deadline and nothing that could send an event.
  virtual bool WaitForEvents(ULONGLONG deadline) = 0;
  // Something was posted, perhaps from another thread: a wait under way
  // ends. A backend whose waits only end at deadlines has nothing to do.
  virtual void Wake() {}

  // The desktop's services: the clipboard's text (nullopt when it holds
  // none), sounds, message boxes and the cursor's shape.
  virtual std::optional<std::u16string> ClipboardText() = 0;
  virtual void SetClipboardText(std::optional<std::u16string> text) = 0;
  virtual void Beep(UINT type) = 0;
  // Answers the button chosen (IDOK ...).
  virtual int ShowMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type) = 0;
  virtual void ShowCursor(HCURSOR cursor) = 0;
};

// The headless backend on its virtual clock unless another was chosen.
TBackend& CurrentBackend();
// Refused (false) while top-level windows exist: their surfaces belong to
// the old backend.
bool SetBackend(std::unique_ptr<TBackend> backend);

// Where input enters the queue: the messages a backend's events become, with
// the cursor position they happened at. Served after posted messages and
// before WM_PAINT and WM_TIMER.
void QueueInputMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, POINT cursor);

// Events as a backend sees them, at screen coordinates; the platform routes
// them to their windows and queues their messages.
void MouseMoveInput(POINT screen);
// VK_LBUTTON, VK_RBUTTON or VK_MBUTTON.
void MouseButtonInput(UINT button, bool down, POINT screen);
// In units of WHEEL_DELTA per notch, positive away from the user.
void MouseWheelInput(int delta, POINT screen);
// A key pressed (again, while held: a repeat) or released, with the
// characters it typed when the backend knows them; empty leaves them to
// the layout.
void KeyInput(UINT vk, bool down, const std::u16string& text);
// Characters no key event carried: WM_CHAR to the focus window.
void TextInput(const std::u16string& text);
// The desktop gave its focus to one of the program's top-level windows, or
// to another program (nullptr).
void DesktopFocusInput(HWND top);

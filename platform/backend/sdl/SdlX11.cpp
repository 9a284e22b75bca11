// Kept apart: the X11 headers define names (Window, None, Bool) that the
// platform's own headers use too.

#include "platform/backend/sdl/SdlX11.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

XErrorHandler Previous = nullptr;

int Handle(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return Previous ? Previous(display, error) : 0;
}

}  // namespace

void IgnoreLostWakeUps() {
  if (Previous) return;
  Previous = XSetErrorHandler(Handle);
}

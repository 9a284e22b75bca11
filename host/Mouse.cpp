// The mouse object.

#include "host/Mouse.h"

#include "platform/SystemMetrics.h"

// The framework's own default, not the system's (smaller) drag rectangle.
TMouse::TMouse() : FDragThreshold(5) {}

Integer TMouse::GetWheelScrollLines() const {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  // The system's "one screen at a time".
  return lines == 0xFFFFFFFFu ? -1 : static_cast<Integer>(lines);
}

void TMouse::SetCapture(HWND Value) {
  if (Value) ::SetCapture(Value);
  else ReleaseCapture();
}

TPoint TMouse::GetCursorPos() const {
  POINT p{};
  ::GetCursorPos(&p);
  return p;
}

TMouse* Mouse() {
  static TMouse mouse;
  return &mouse;
}

#pragma once
// The mouse as controls see it: the drag threshold, the wheel's lines per
// notch (-1: a page), the capture and the cursor's position.

#include "host/SystemTypes.h"
#include "host/Types.h"
#include "platform/Mouse.h"

class TMouse {
 public:
  TMouse();
  Integer GetDragThreshold() const { return FDragThreshold; }
  void SetDragThreshold(Integer Value) { FDragThreshold = Value; }
  // Read from the system settings each time: they may change while running.
  Integer GetWheelScrollLines() const;
  HWND GetCapture() const { return ::GetCapture(); }
  void SetCapture(HWND Value);
  TPoint GetCursorPos() const;
  void SetCursorPos(TPoint Value) { ::SetCursorPos(Value.X, Value.Y); }
  bool GetMousePresent() const { return true; }
  bool GetWheelPresent() const { return true; }

 private:
  Integer FDragThreshold;
};

TMouse* Mouse();

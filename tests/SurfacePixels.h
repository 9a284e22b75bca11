#pragma once
// Reading back what a top-level window shows on the headless backend.

#include "platform/Windows.h"
#include "platform/backend/headless/Headless.h"

// A pixel of a top-level window's composed image (window coordinates, the
// frame included), as a COLORREF.
inline COLORREF PixelOf(HWND top, int x, int y) {
  HBITMAP copy = CopyHeadlessSurface(top);
  DIBSECTION ds;
  GetObjectW(copy, sizeof ds, &ds);
  const DWORD p = static_cast<const DWORD*>(ds.dsBm.bmBits)[y * ds.dsBm.bmWidth + x];
  DeleteObject(copy);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// The same at a point of a window's client area, for any window of the tree.
inline COLORREF ClientPixelOf(HWND window, int x, int y) {
  HWND top = GetAncestor(window, GA_ROOT);
  POINT p{x, y};
  ClientToScreen(window, &p);
  RECT frame;
  GetWindowRect(top, &frame);
  return PixelOf(top, p.X - frame.Left, p.Y - frame.Top);
}

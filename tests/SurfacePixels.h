#pragma once
// Reading back what a top-level window shows on the headless backend.

#include <functional>
#include <vector>

#include "platform/GdiText.h"
#include "platform/WindowTypes.h"
#include "platform/MessageQueue.h"
#include "platform/WindowManager.h"
#include "platform/WindowMessages.h"
#include "platform/backend/headless/Headless.h"

// A pixel of a top-level window's composed image (window coordinates, the
// frame included), as a COLORREF; CLR_INVALID outside it.
inline COLORREF PixelOf(HWND top, int x, int y) {
  HBITMAP copy = CopyHeadlessSurface(top);
  DIBSECTION ds;
  if (!copy || !GetObjectW(copy, sizeof ds, &ds)) return CLR_INVALID;
  if (x < 0 || y < 0 || x >= ds.dsBm.bmWidth || y >= ds.dsBm.bmHeight) {
    DeleteObject(copy);
    return CLR_INVALID;
  }
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

// A snapshot of a window tree's pixels, read at client points of one window
// of it: for tests that look at many pixels.
class TClientPixels {
 public:
  explicit TClientPixels(HWND window) {
    HWND top = GetAncestor(window, GA_ROOT);
    HBITMAP copy = CopyHeadlessSurface(top);
    DIBSECTION ds;
    if (!copy || !GetObjectW(copy, sizeof ds, &ds)) return;
    FWidth = ds.dsBm.bmWidth;
    FHeight = ds.dsBm.bmHeight;
    const auto* bits = static_cast<const DWORD*>(ds.dsBm.bmBits);
    FPixels.assign(bits, bits + static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight));
    DeleteObject(copy);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT frame;
    GetWindowRect(top, &frame);
    FOrigin = POINT{origin.X - frame.Left, origin.Y - frame.Top};
  }
  // CLR_INVALID outside the surface.
  COLORREF At(int x, int y) const {
    x += FOrigin.X;
    y += FOrigin.Y;
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return CLR_INVALID;
    const DWORD p = FPixels[static_cast<size_t>(y) * static_cast<size_t>(FWidth) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int FWidth = 0;
  int FHeight = 0;
  POINT FOrigin{};
  std::vector<DWORD> FPixels;
};

// How many of a window's client pixels differ from a picture drawn from the
// rules: Draw paints on a bitmap of the client area's size, filled with
// COLOR_WINDOW, with the window's font (WM_GETFONT) selected and the
// background mode transparent. First gets the first pixel that differs.
inline int PixelsDifferingFrom(HWND window, const std::function<void(HDC)>& Draw, POINT* First = nullptr) {
  RECT client;
  GetClientRect(window, &client);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = client.Right;
  bi.bmiHeader.biHeight = -client.Bottom;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  Draw(dc);
  const TClientPixels actual(window);
  int wrong = 0;
  for (int y = 0; y < client.Bottom; ++y)
    for (int x = 0; x < client.Right; ++x)
      if (actual.At(x, y) != GetPixel(dc, x, y) && wrong++ == 0 && First) *First = POINT{x, y};
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return wrong;
}

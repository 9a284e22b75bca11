// Painting a parent behind a transparent control: the parent, and its other
// child windows, printed into the control's canvas.
#include <algorithm>
#include <vector>

#include "graphics/GdiScopes.h"
#include "graphics/cxGraphics.h"
#include "host/Controls.h"
#include "lookandfeel/dxThemeManager.h"
#include "lookandfeel/dxUxTheme.h"
#include "platform/MessageQueue.h"
#include "platform/Rectangles.h"
#include "platform/ScopeExit.h"
#include "platform/WindowManager.h"

namespace {

// The parents being painted behind a control at the moment: a parent whose
// painting asks for its own image again gets nothing.
std::vector<TWinControl*>& LockList() {
  static std::vector<TWinControl*> list;
  return list;
}

bool IsSkipped(HWND AHandle) {
  TList* list = PaintSkipList();
  return list && list->IndexOf(AHandle) >= 0;
}

// Where the client area starts in the window.
TPoint ClientOffset(HWND AHandle) {
  RECT window;
  POINT client{0, 0};
  GetWindowRect(AHandle, &window);
  ClientToScreen(AHandle, &client);
  return {client.X - window.Left, client.Y - window.Top};
}

bool HasNonClientArea(HWND AHandle) {
  RECT window, client;
  GetWindowRect(AHandle, &window);
  GetClientRect(AHandle, &client);
  return window.Right - window.Left != client.Right || window.Bottom - window.Top != client.Bottom;
}

void PaintWindowTo(HWND AHandle, TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& ADestinationPoint,
                   const TRect& ADrawRect, bool ADrawNonClientArea, bool APaintChildren);

// The visible child windows of AHandle not in PaintSkipList, the
// framework's controls first in their order, then the others from the
// bottom of the z-order; each the part of it inside ADrawRect, in the
// coordinates the canvas has for AHandle.
void PaintChildWindows(HWND AHandle, TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ADrawRect,
                       bool ADrawNonClientArea) {
  const TPoint client = ADrawNonClientArea ? ClientOffset(AHandle) : cxNullPoint;
  const auto paint = [&](HWND AChild, TWinControl* AChildControl) {
    if (!IsWindowVisible(AChild) || IsSkipped(AChild)) return;
    RECT bounds;
    GetWindowRect(AChild, &bounds);
    MapWindowPoints(nullptr, AHandle, reinterpret_cast<POINT*>(&bounds), 2);
    bounds = cxRectOffset(bounds, client.X, client.Y);
    TRect part;
    if (!IntersectRect(&part, &bounds, &ADrawRect)) return;
    PaintWindowTo(AChild, AChildControl, ACanvas, cxPoint(part.Left, part.Top),
                  cxRectOffset(part, bounds.Left, bounds.Top, false), true, true);
  };
  std::vector<HWND> painted;
  for (Integer i = 0; AControl && i < AControl->GetControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(AControl->GetControls(i));
    if (!child || !child->HandleAllocated()) continue;
    painted.push_back(child->GetHandle());
    paint(child->GetHandle(), child);
  }
  std::vector<HWND> others;
  for (HWND child = GetWindow(AHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (std::find(painted.begin(), painted.end(), child) == painted.end()) others.push_back(child);
  for (auto it = others.rbegin(); it != others.rend(); ++it) paint(*it, TWinControl::FindControl(*it));
}

void PaintWindowTo(HWND AHandle, TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& ADestinationPoint,
                   const TRect& ADrawRect, bool ADrawNonClientArea, bool APaintChildren) {
  ACanvas->SaveDC();
  TScopeExit restore([ACanvas] { ACanvas->RestoreDC(); });
  const TPoint origin = ACanvas->GetWindowOrg();
  ACanvas->SetWindowOrg(
      cxPoint(origin.X + ADrawRect.Left - ADestinationPoint.X, origin.Y + ADrawRect.Top - ADestinationPoint.Y));
  ACanvas->IntersectClipRect(ADrawRect);
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(AHandle, shape) != ERROR) {
    // The window's shape is in window coordinates.
    const TPoint client = ADrawNonClientArea ? cxNullPoint : ClientOffset(AHandle);
    OffsetRgn(shape, -client.X, -client.Y);
    ACanvas->SetClipRegion(new TcxRegion(shape), roIntersect);
  } else {
    DeleteObject(shape);
  }
  if (!ACanvas->RectVisible(ADrawRect)) return;
  {
    const TControlState state = AControl ? AControl->GetControlState() : TControlState{};
    if (AControl) AControl->SetControlState(TControlState(state).Include(csPaintCopy));
    TScopeExit restoreState([&] {
      if (AControl) AControl->SetControlState(state);
    });
    ACanvas->SaveState();
    TScopeExit restoreCanvas([ACanvas] { ACanvas->RestoreState(); });
    cxPrintWindow(AHandle, ACanvas->GetHandle(), ADrawNonClientArea);
  }
  if (APaintChildren) PaintChildWindows(AHandle, AControl, ACanvas, ADrawRect, ADrawNonClientArea);
}

}  // namespace

void cxDrawTransparentControlBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect,
                                        bool APaintParentWithChildren) {
  TWinControl* parent = AControl->GetParent();
  std::vector<TWinControl*>& locks = LockList();
  if (!parent || std::find(locks.begin(), locks.end(), parent) != locks.end()) return;
  locks.push_back(parent);
  TScopeExit unlock([&] { locks.pop_back(); });
  HWND handle = AControl->GetHandle();
  TList* skip = PaintSkipList();
  if (skip) skip->Add(handle);
  TScopeExit unskip([&] {
    if (skip) skip->Remove(handle);
  });
  TRect inParent = ARect;
  MapWindowPoints(handle, parent->GetHandle(), reinterpret_cast<POINT*>(&inParent), 2);
  cxPaintControlTo(parent, ACanvas, cxPoint(ARect.Left, ARect.Top), inParent, false, APaintParentWithChildren);
}

void cxDrawThemeParentBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect) {
  TWinControl* parent = AControl->GetParent();
  if (parent && !parent->GetDoubleBuffered() && AreVisualStylesAvailable()) {
    DrawThemeParentBackground(AControl->GetHandle(), ACanvas->GetHandle(), &ARect);
  } else {
    cxDrawTransparentControlBackground(AControl, ACanvas, ARect);
  }
}

void cxPaintControlTo(TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& ADestinationPoint,
                      const TRect& ADrawRect, bool ADrawNonClientArea, bool APaintChildren) {
  if (AControl->GetComponentState().Contains(csDestroying) || !AControl->HandleAllocated()) return;
  PaintWindowTo(AControl->GetHandle(), AControl, ACanvas, ADestinationPoint, ADrawRect, ADrawNonClientArea,
                APaintChildren);
}

void cxPrintWindow(HWND AHandle, HDC ADC, bool ADrawNonClientArea) {
  TWinControl* control = TWinControl::FindControl(AHandle);
  // Drawing to memory: the device context comes in both parameters.
  if (control && control->GetDoubleBuffered())
    SendMessageW(AHandle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ADC), reinterpret_cast<LPARAM>(ADC));
  LPARAM flags = PRF_CLIENT | PRF_ERASEBKGND;
  if (ADrawNonClientArea && HasNonClientArea(AHandle)) {
    flags |= PRF_NONCLIENT;
    POINT origin;
    GetWindowOrgEx(ADC, &origin);
    if (origin.X != 0 || origin.Y != 0) {
      // The frame is printed at the context's device origin: the window goes
      // through a bitmap of its size instead.
      RECT window;
      GetWindowRect(AHandle, &window);
      const int width = window.Right - window.Left, height = window.Bottom - window.Top;
      TMemoryDC memory(ADC, CreateCompatibleBitmap(ADC, width, height));
      SendMessageW(AHandle, WM_PRINT, reinterpret_cast<WPARAM>(memory.Handle()), flags);
      BitBlt(ADC, 0, 0, width, height, memory, 0, 0, SRCCOPY);
      return;
    }
  }
  SendMessageW(AHandle, WM_PRINT, reinterpret_cast<WPARAM>(ADC), flags);
}

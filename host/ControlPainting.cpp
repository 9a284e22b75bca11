// How controls paint: a windowed control into the DC of WM_PAINT (its own
// BeginPaint, a DC in wParam, or an off-screen bitmap when double
// buffered), its opaque graphic children clipped out and then painted on
// top; the canvas of a control; custom and graphic controls' Paint.

#include <algorithm>
#include <functional>
#include <vector>

#include "host/Controls.h"
#include "platform/DcGuards.h"

// --- windowed controls ----------------------------------------------------------

void TWinControl::WMPaint(TMessage& Message) {
  if (!FDoubleBuffered || Message.WParam) {
    // A window of a built-in class with nothing of ours on it paints itself.
    if (!FControlState.Contains(csCustomPaint) && FControls.empty()) DefaultHandler(Message);
    else PaintHandler(Message);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  const TRect client = GetClientRect();
  {
    TMemoryDC memory(dc, CreateCompatibleBitmap(dc, std::max<LONG>(client.Right, 1), std::max<LONG>(client.Bottom, 1)));
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Handle()), reinterpret_cast<LPARAM>(memory.Handle()));
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(memory.Handle()), 0, 0};
    WMPaint(paint);
    BitBlt(dc, 0, 0, client.Right, client.Bottom, memory, 0, 0, SRCCOPY);
  }
  EndPaint(FHandle, &ps);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps;
  if (!dc) dc = BeginPaint(FHandle, &ps);
  if (FControls.empty()) {
    PaintWindow(dc);
  } else {
    TSavedDC saved(dc);
    int clip = SIMPLEREGION;
    for (TControl* c : FControls) {
      if (!c->GetVisible() || !c->FControlStyle.Contains(csOpaque)) continue;
      clip = ExcludeClipRect(dc, c->FLeft, c->FTop, c->FLeft + c->FWidth, c->FTop + c->FHeight);
      if (clip == NULLREGION) break;
    }
    if (clip != NULLREGION) PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
  if (!Message.WParam) EndPaint(FHandle, &ps);
}

// The window class paints into DC.
void TWinControl::PaintWindow(HDC DC) {
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  size_t i = 0;
  if (First) {
    auto it = std::find(FControls.begin(), FControls.end(), First);
    if (it != FControls.end()) i = static_cast<size_t>(it - FControls.begin());
  }
  for (; i < FControls.size(); ++i) {
    TControl* c = FControls[i];
    const RECT bounds = c->GetBoundsRect();
    if (!c->GetVisible() || !RectVisible(DC, &bounds)) continue;
    if (FControlState.Contains(csPaintCopy)) c->FControlState.Include(csPaintCopy);
    {
      TSavedDC saved(DC);
      OffsetWindowOrgEx(DC, -c->FLeft, -c->FTop, nullptr);
      IntersectClipRect(DC, 0, 0, c->FWidth, c->FHeight);
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
    c->FControlState.Exclude(csPaintCopy);
  }
}

// The control and its windowed children, each with its erase and paint.
void TWinControl::PaintTo(HDC DC, Integer X, Integer Y) {
  FControlState.Include(csPaintCopy);
  {
    TSavedDC saved(DC);
    OffsetWindowOrgEx(DC, -X, -Y, nullptr);
    IntersectClipRect(DC, 0, 0, FWidth, FHeight);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    for (TWinControl* c : FWinControls)
      if (c->GetVisible()) c->PaintTo(DC, c->FLeft, c->FTop);
  }
  FControlState.Exclude(csPaintCopy);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  const TRect client = GetClientRect();
  FillRect(dc, &client, FBrush->GetHandle());
  Message.Result = 1;
}

void TWinControl::WMPrintClient(TMessage& Message) {
  if (Message.Result == 1) return;
  if ((Message.LParam & PRF_CHECKVISIBLE) && !GetVisible()) {
    DefaultHandler(Message);
    return;
  }
  FControlState.Include(csPrintClient);
  TMessage paint{WM_PAINT, Message.WParam, 0, 0};
  PaintHandler(paint);
  FControlState.Exclude(csPrintClient);
}

// --- the control canvas -------------------------------------------------------------

namespace {
std::vector<TControlCanvas*>& CanvasesWithContexts() {
  static std::vector<TControlCanvas*> list;
  return list;
}
}  // namespace

HOST_CLASS_INFO(TControlCanvas, TCanvas, &CreateDefault<TControlCanvas>)

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* AControl) {
  if (FControl == AControl) return;
  FreeHandle();
  FControl = AControl;
}

void TControlCanvas::CreateHandle() {
  if (!FControl || FDeviceContext) return;
  FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
  if (!FDeviceContext) return;
  CanvasesWithContexts().push_back(this);
  SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  std::erase(CanvasesWithContexts(), this);
}

void TControlCanvas::FreeDeviceContexts() {
  auto& list = CanvasesWithContexts();
  // A locked canvas is still drawing.
  std::vector<TControlCanvas*> free;
  for (TControlCanvas* c : list)
    if (c->GetLockCount() == 0) free.push_back(c);
  for (TControlCanvas* c : free) c->FreeHandle();
}

// --- custom and graphic controls ------------------------------------------------------

namespace {
// Paint draws on the canvas, which holds DC meanwhile and gives it back
// whatever happens.
void PaintOnCanvas(TControlCanvas& Canvas, HDC DC, const std::function<void()>& Paint) {
  Canvas.Lock();
  Canvas.SetHandle(DC);
  struct TRelease {
    TControlCanvas& C;
    ~TRelease() {
      C.SetHandle(nullptr);
      C.Unlock();
    }
  } release{Canvas};
  Paint();
}
}  // namespace

HOST_CLASS_INFO(TCustomControl, TWinControl, nullptr)

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() { FCanvas->SetControl(nullptr); }

void TCustomControl::Dispatch(TMessage& Message) {
  if (Message.Msg != WM_PAINT) {
    TWinControl::Dispatch(Message);
    return;
  }
  FControlState.Include(csCustomPaint);
  WMPaint(Message);
  FControlState.Exclude(csCustomPaint);
}

void TCustomControl::PaintWindow(HDC DC) {
  PaintOnCanvas(*FCanvas, DC, [this] { Paint(); });
}

HOST_CLASS_INFO(TGraphicControl, TControl, nullptr)

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() { FCanvas->SetControl(nullptr); }

// Painted by its parent, into the DC that comes with the message.
void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg != WM_PAINT) {
    TControl::Dispatch(Message);
    return;
  }
  if (!Message.WParam || GetComponentState().Contains(csDestroying)) return;
  PaintOnCanvas(*FCanvas, reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}

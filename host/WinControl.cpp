// TWinControl: the window made on demand from CreateParams, the controls
// it holds, showing and enabling, and the dispatch of window messages to
// message methods, with the window class's procedure as default handling.

#include <algorithm>
#include <unordered_map>

#include "host/Controls.h"
#include "host/ExceptionHandling.h"
#include "host/Exceptions.h"
#include "host/Forms.h"
#include "host/SysUtils.h"

void ForgetControl(TControl* Control);
void SetMouseControl(TControl* Control);

namespace {

std::unordered_map<HWND, TWinControl*>& ControlsByHandle() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}

// The control whose window is being created: its first messages arrive
// before CreateWindowExW returns the handle.
TWinControl*& CreationControl() {
  static TWinControl* control = nullptr;
  return control;
}

}  // namespace

LRESULT ControlWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  auto& map = ControlsByHandle();
  auto it = map.find(hWnd);
  TWinControl* control = it != map.end() ? it->second : nullptr;
  if (!control && CreationControl()) {
    control = CreationControl();
    CreationControl() = nullptr;
    control->FHandle = hWnd;
    map[hWnd] = control;
  }
  if (!control) return DefWindowProcW(hWnd, Msg, wParam, lParam);
  TMessage message{Msg, wParam, lParam, 0};
  control->MainWndProc(message);
  if (Msg == WM_NCDESTROY) {
    // The window is gone; the control may make a new one later.
    map.erase(hWnd);
    if (control->FHandle == hWnd) {
      control->FHandle = nullptr;
      control->FShowing = false;
    }
  }
  return message.Result;
}

HOST_CLASS_INFO(TWinControl, TControl, nullptr)

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(FColor);
  FDefWndProc = DefWindowProcW;
}

TWinControl::~TWinControl() {
  Screen()->ControlDestroyed(this);
  // Children first, while this window still holds theirs.
  while (!FControls.empty() || !FWinControls.empty()) {
    TControl* child = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
    RemoveControl(child);
    TObject::Free(child);
  }
  if (FParent) FParent->RemoveControl(this);
  if (FHandle) {
    // Whatever the window still says goes to its class, not to this half
    // destroyed control.
    ControlsByHandle().erase(FHandle);
    HWND h = FHandle;
    FHandle = nullptr;
    DestroyWindow(h);
  }
}

TWinControl* TWinControl::FindControl(HWND Handle) {
  if (!Handle) return nullptr;
  auto& map = ControlsByHandle();
  auto it = map.find(Handle);
  return it != map.end() ? it->second : nullptr;
}

void TWinControl::MainWndProc(TMessage& Message) {
  try {
    WindowProc(Message);
  } catch (...) {
    TControlCanvas::FreeDeviceContexts();
    HandleException(this);
  }
  TControlCanvas::FreeDeviceContexts();
}

// --- the window ---------------------------------------------------------------

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!GetEnabled()) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent && FParent->HandleAllocated() ? FParent->FHandle : nullptr;
  Params.WindowClass.cbSize = sizeof(WNDCLASSEXW);
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = DefWindowProcW;
  Params.WindowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_ARROW));
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, LPCWSTR ControlClassName) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(nullptr, ControlClassName, &wc)) return;
  Params.WindowClass = wc;
  // A class of our own per control class: the device-context kinds of the
  // wrapped class would not suit the framework's painting.
  Params.WindowClass.style &= ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC);
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent) {
    if (!FParent) throw EInvalidOperation(u"Control '" + GetName() + u"' has no parent window");
    params.WndParent = FParent->GetHandle();
  }
  FDefWndProc = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : DefWindowProcW;
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExW(nullptr, params.WinClassName.c_str(), &existing)) {
    WNDCLASSEXW wc = params.WindowClass;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ControlWindowProc;
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassExW(&wc)) throw EOutOfResources(u"Error creating window class");
  }
  CreateWindowHandle(params);
  if (!FHandle) throw EOutOfResources(u"Error creating window");
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  CreationControl() = this;
  HWND h = CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X,
                           Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr, nullptr, Params.Param);
  CreationControl() = nullptr;
  if (h && !FHandle) {
    FHandle = h;
    ControlsByHandle()[h] = this;
  }
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  if (FParent) SetWindowPos(FHandle, FParent->PrecedingWindow(this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  UpdateBounds();
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->GetHandle()), 1);
  for (TControl* c : FControls) c->UpdateAnchorRules();
  for (TWinControl* c : FWinControls) c->UpdateAnchorRules();
}

// The window of the next windowed sibling above, so that z-order follows
// the order of the controls.
HWND TWinControl::PrecedingWindow(const TWinControl* Control) const {
  auto it = std::find(FWinControls.begin(), FWinControls.end(), Control);
  if (it == FWinControls.end()) return HWND_TOP;
  for (++it; it != FWinControls.end(); ++it)
    if ((*it)->FHandle) return (*it)->FHandle;
  return HWND_TOP;
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TWinControl* c : FWinControls) c->DestroyHandle();
  DestroyWnd();
}

// The text lives in the window while there is one.
void TWinControl::DestroyWnd() {
  FText = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  FControlState.Include(csDestroyingHandle);
  HWND h = FHandle;
  DestroyWindow(h);
  ControlsByHandle().erase(h);
  FHandle = nullptr;
  FShowing = false;
  FControlState.Exclude(csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  FControlState.Include(csRecreating);
  DestroyHandle();
  FControlState.Exclude(csRecreating);
  UpdateControlState();
}

// --- children -----------------------------------------------------------------

TControl* TWinControl::GetControls(Integer Index) const {
  if (Index < 0 || Index >= GetControlCount()) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  const size_t i = static_cast<size_t>(Index);
  return i < FControls.size() ? FControls[i] : FWinControls[i - FControls.size()];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c; c = c->FParent)
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
  auto hit = [&](TControl* c) {
    if (!c->FVisible || (!c->GetEnabled() && !AllowDisabled)) return false;
    const TRect r = c->GetBoundsRect();
    if (Pos.X < r.Left || Pos.X >= r.Right || Pos.Y < r.Top || Pos.Y >= r.Bottom) return false;
    return c->Perform(CM_HITTEST, 0, PointToLParam(Point(Pos.X - r.Left, Pos.Y - r.Top))) != 0;
  };
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
  if (AControl->FParent == this) return;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
  AControl->FParent = this;
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    FWinControls.push_back(win);
    FTabList.push_back(win);
  } else {
    FControls.push_back(AControl);
  }
  // A control being read takes its parent's font and colour once read.
  if (!AControl->GetComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) win->UpdateControlState();
    else AControl->Invalidate();
    Realign();
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl->FParent != this) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* form = GetParentForm()) form->DefocusControl(win, true);
    win->DestroyHandle();
    std::erase(FWinControls, win);
    std::erase(FTabList, win);
  } else {
    AControl->InvalidateControl(AControl->FVisible, false);
    std::erase(FControls, AControl);
  }
  ForgetControl(AControl);
  AControl->FParent = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  Realign();
}

void TWinControl::Broadcast(TMessage& Message) {
  for (size_t i = 0; i < FControls.size() + FWinControls.size(); ++i) {
    TControl* c = i < FControls.size() ? FControls[i] : FWinControls[i - FControls.size()];
    c->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage message{Msg, 0, 0, 0};
  Broadcast(message);
}

// --- showing, bounds, enabling ---------------------------------------------------

void TWinControl::UpdateShowing() {
  const bool show = GetVisible() && !FControlState.Contains(csReadingState);
  if (show) {
    if (!FHandle) CreateHandle();
    for (size_t i = 0; i < FWinControls.size(); ++i) FWinControls[i]->UpdateShowing();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    Perform(CM_SHOWINGCHANGED, 0, 0);
  }
}

// Windows appear only inside a shown form.
void TWinControl::UpdateControlState() {
  TWinControl* top = this;
  while (top->FParent) {
    top = top->FParent;
    if (!top->IsShowing()) return;
  }
  if (dynamic_cast<TCustomForm*>(top)) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
  TControl::Dispatch(Message);
  if (!GetVisible() && FParent)
    if (TCustomForm* form = GetParentForm()) form->DefocusControl(this, false);
  UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
  if (!GetEnabled() && FParent)
    if (TCustomForm* form = GetParentForm()) form->DefocusControl(this, false);
  if (FHandle) EnableWindow(FHandle, GetEnabled() ? TRUE : FALSE);
  TControl::Dispatch(Message);
}

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (!CheckNewSize(AWidth, AHeight)) return;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  if (FHandle && !IsIconic(FHandle)) {
    // WM_SIZE and WM_MOVE bring the new bounds back and realign.
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (resized) {
      Realign();
      if (!GetComponentState().Contains(csLoading)) Resize();
    }
  }
  UpdateAnchorRules();
  RequestAlign();
}

// The bounds from the window, in the parent's client coordinates.
void TWinControl::UpdateBounds() {
  if (!FHandle) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  if (HWND parent = ::GetParent(FHandle); parent && (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  FLeft = r.Left;
  FTop = r.Top;
  FWidth = r.Right - r.Left;
  FHeight = r.Bottom - r.Top;
}

TRect TWinControl::GetClientRect() const {
  RECT r{};
  if (FHandle) {
    ::GetClientRect(FHandle, &r);
    return r;
  }
  const TSize frame = GetFrameSize();
  return Rect(0, 0, std::max<LONG>(FWidth - frame.cx, 0), std::max<LONG>(FHeight - frame.cy, 0));
}

// The window's, or without one the frame the window would have.
TSize TWinControl::GetFrameSize() const {
  if (FHandle) {
    RECT window, client;
    GetWindowRect(FHandle, &window);
    ::GetClientRect(FHandle, &client);
    return TSize{(window.Right - window.Left) - client.Right, (window.Bottom - window.Top) - client.Bottom};
  }
  TCreateParams params;
  const_cast<TWinControl*>(this)->CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  return TSize{frame.Right - frame.Left, frame.Bottom - frame.Top};
}

TPoint TWinControl::GetClientOrigin() const {
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return p;
  }
  TCreateParams params;
  const_cast<TWinControl*>(this)->CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  const TPoint p = TControl::GetClientOrigin();
  return Point(p.X - frame.Left, p.Y - frame.Top);
}

void TWinControl::SetZOrder(bool TopMost) {
  if (!FParent) return;
  auto& list = FParent->FWinControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (TopMost) list.push_back(this);
  else list.insert(list.begin(), this);
  if (FHandle)
    SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetParentBackground(bool Value) {
  if (GetParentBackground() == Value) return;
  if (Value) FControlStyle.Include(csParentBackground);
  else FControlStyle.Exclude(csParentBackground);
  Invalidate();
}

void TWinControl::ChangeScale(Integer M, Integer D) {
  if (M == D || D == 0) return;
  DisableAlign();
  for (size_t i = 0; i < FControls.size() + FWinControls.size(); ++i)
    (i < FControls.size() ? FControls[i] : static_cast<TControl*>(FWinControls[i - FControls.size()]))
        ->ChangeScale(M, D);
  TControl::ChangeScale(M, D);
  EnableAlign();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  if (FHandle) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->GetHandle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  FBrush->SetColor(FColor);
  TControl::Dispatch(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

// --- dispatch -------------------------------------------------------------------

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(); form && form != this && !form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (FControlState.Contains(csFocusing)) return;
      break;
    default:
      if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        if (Message.Msg == WM_MOUSEMOVE) {
          // The pointer's control changes as it moves; leaving the window
          // is reported once it has.
          TControl* under = nullptr;
          if (!GetCapture() || GetCapture() == FHandle) {
            under = ControlAtPos(MessagePoint(Message), false);
            if (!under) under = this;
            SetMouseControl(under);
          }
          TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, FHandle, 0};
          if (FHandle) TrackMouseEvent(&track);
        }
        if (IsControlMouseMsg(Message)) return;
      }
      break;
  }
  TControl::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* target = nullptr;
  if (GetCapture() == FHandle) {
    TControl* captured = GetCaptureControl();
    if (captured && captured->FParent == this) target = captured;
  } else {
    target = ControlAtPos(MessagePoint(Message), false);
  }
  if (!target) return false;
  // The wheel's point is on the screen; the others are client points.
  if (Message.Msg == WM_MOUSEWHEEL) {
    Message.Result = target->Perform(Message.Msg, Message.WParam, Message.LParam);
    return true;
  }
  const TPoint p = MessagePoint(Message);
  Message.Result =
      target->Perform(Message.Msg, Message.WParam, PointToLParam(Point(p.X - target->FLeft, p.Y - target->FTop)));
  return true;
}

void TWinControl::WMMouseLeave(TMessage& Message) {
  TControl* mouse = GetMouseControl();
  if (mouse == this || (mouse && mouse->FParent == this && !dynamic_cast<TWinControl*>(mouse))) {
    POINT p;
    GetCursorPos(&p);
    // Still over this window's area (a child window took the pointer): the
    // child's own moves report it.
    if (WindowFromPoint(p) != FHandle) SetMouseControl(nullptr);
  }
  DefaultHandler(Message);
}

// Notifications of child windows go back to the control they concern.
void TWinControl::WMCommandReflect(TMessage& Message) {
  HWND child = reinterpret_cast<HWND>(Message.LParam);
  if (TWinControl* control = FindControl(child); control && child != FHandle) {
    Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_PRINTCLIENT: WMPrintClient(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_MOVE: WMMove(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_MOUSELEAVE: WMMouseLeave(Message); return;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: WMCommandReflect(Message); return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!DoKeyDown(Message)) DefaultHandler(Message);
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!DoKeyUp(Message)) DefaultHandler(Message);
      return;
    case WM_CHAR:
      if (!DoKeyPress(Message)) DefaultHandler(Message);
      return;
    case CN_KEYDOWN: CNKeyDown(Message); return;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); return;
    case CN_CHAR:
    case CN_SYSCHAR: CNChar(Message); return;
    case CN_KEYUP: Message.Result = 0; return;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_INVALIDATE: CMInvalidate(Message); return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: Broadcast(Message); return;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_RECREATEWND: RecreateWnd(); return;
    case CM_SHOWHINTCHANGED: NotifyControls(CM_PARENTSHOWHINTCHANGED); return;
    case WM_SYSCOLORCHANGE:
      NotifyControls(CM_SYSCOLORCHANGE);
      DefaultHandler(Message);
      return;
    case CM_SYSCOLORCHANGE: NotifyControls(CM_SYSCOLORCHANGE); return;
    default: TControl::Dispatch(Message);
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) {
    TControl::DefaultHandler(Message);
    return;
  }
  Message.Result = CallWindowProcW(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::WMSize(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
  Realign();
  if (!GetComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

HDC TWinControl::GetDeviceContext(HWND& WindowHandle) {
  WindowHandle = GetHandle();
  return GetDCEx(WindowHandle, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
}

void TWinControl::Invalidate() { Perform(CM_INVALIDATE, 0, 0); }

void TWinControl::CMInvalidate(TMessage& Message) {
  if (!FHandle || GetComponentState().Contains(csDestroying)) return;
  if (FParent) FParent->Perform(CM_INVALIDATE, 1, 0);
  if (Message.WParam == 0) ::InvalidateRect(FHandle, nullptr, FControlStyle.Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::ReadState(TReader* Reader) {
  DisableAlign();
  FControlState.Include(csReadingState);
  TControl::ReadState(Reader);
  FControlState.Exclude(csReadingState);
  FixupTabList();
  EnableAlign();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

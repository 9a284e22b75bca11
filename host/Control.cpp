// TControl: bounds and constraints, colour, font and text with their parent
// rules, mouse messages and events, and the dispatch of its messages.

#include <algorithm>

#include "host/Controls.h"
#include "host/Exceptions.h"
#include "host/Forms.h"
#include "host/Menus.h"

namespace {

TControl*& CaptureControlSlot() {
  static TControl* control = nullptr;
  return control;
}

TControl*& MouseControlSlot() {
  static TControl* control = nullptr;
  return control;
}

}  // namespace

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s.Include(ssShift);
  if (Keys & MK_CONTROL) s.Include(ssCtrl);
  if (Keys & MK_LBUTTON) s.Include(ssLeft);
  if (Keys & MK_RBUTTON) s.Include(ssRight);
  if (Keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (KeyData & 0x20000000) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
  return s;
}

// --- capture and the mouse's control ----------------------------------------

TControl* GetCaptureControl() {
  TControl* result = TWinControl::FindControl(GetCapture());
  TControl* graphic = CaptureControlSlot();
  if (result && graphic && graphic->GetParent() == result) result = graphic;
  return result;
}

void SetCaptureControl(TControl* Control) {
  ReleaseCapture();
  CaptureControlSlot() = nullptr;
  if (!Control) return;
  if (auto* win = dynamic_cast<TWinControl*>(Control)) {
    SetCapture(win->GetHandle());
    return;
  }
  if (!Control->GetParent()) return;
  CaptureControlSlot() = Control;
  SetCapture(Control->GetParent()->GetHandle());
}

TControl* GetMouseControl() { return MouseControlSlot(); }

// Leave goes to the old control and up its parents, enter to the new one.
void SetMouseControl(TControl* Control) {
  TControl*& current = MouseControlSlot();
  if (current == Control) return;
  TControl* old = current;
  current = Control;
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  if (Control && current == Control) Control->Perform(CM_MOUSEENTER, 0, 0);
}

namespace {
TControl*& DragControlSlot() {
  static TControl* control = nullptr;
  return control;
}
}  // namespace

void ForgetControl(TControl* Control) {
  if (CaptureControlSlot() == Control) CaptureControlSlot() = nullptr;
  if (MouseControlSlot() == Control) MouseControlSlot() = nullptr;
  if (DragControlSlot() == Control) DragControlSlot() = nullptr;
}

// --- TSizeConstraints ---------------------------------------------------------

const TIdentMap& CursorIdents() {
  static const TIdentMap map{{
      {crDefault, u"crDefault"},   {crNone, u"crNone"},         {crArrow, u"crArrow"},       {crCross, u"crCross"},
      {crIBeam, u"crIBeam"},       {crSizeNESW, u"crSizeNESW"}, {crSizeNS, u"crSizeNS"},     {crSizeNWSE, u"crSizeNWSE"},
      {crSizeWE, u"crSizeWE"},     {crUpArrow, u"crUpArrow"},   {crHourGlass, u"crHourGlass"}, {crDrag, u"crDrag"},
      {crNoDrop, u"crNoDrop"},     {crHSplit, u"crHSplit"},     {crVSplit, u"crVSplit"},     {crMultiDrag, u"crMultiDrag"},
      {crNo, u"crNo"},             {crAppStart, u"crAppStart"}, {crHelp, u"crHelp"},         {crHandPoint, u"crHandPoint"},
      {crSizeAll, u"crSizeAll"},
  }};
  return map;
}

namespace {
const TPublished& SizeConstraintsPublished() {
  static const TPublished p{{
      IntegerProp<TSizeConstraints>(u"MaxHeight", &TSizeConstraints::GetMaxHeight, &TSizeConstraints::SetMaxHeight, 0),
      IntegerProp<TSizeConstraints>(u"MaxWidth", &TSizeConstraints::GetMaxWidth, &TSizeConstraints::SetMaxWidth, 0),
      IntegerProp<TSizeConstraints>(u"MinHeight", &TSizeConstraints::GetMinHeight, &TSizeConstraints::SetMinHeight, 0),
      IntegerProp<TSizeConstraints>(u"MinWidth", &TSizeConstraints::GetMinWidth, &TSizeConstraints::SetMinWidth, 0),
  }};
  return p;
}
}  // namespace

HOST_CLASS_INFO_PUBLISHED(TSizeConstraints, TPersistent, &CreateDefault<TSizeConstraints>, &SizeConstraintsPublished)

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* c = dynamic_cast<TSizeConstraints*>(Source)) {
    FMaxHeight = c->FMaxHeight;
    FMaxWidth = c->FMaxWidth;
    FMinHeight = c->FMinHeight;
    FMinWidth = c->FMinWidth;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

// A maximum below the minimum raises the minimum's partner, and back.
void TSizeConstraints::SetMaxHeight(Integer Value) {
  if (Value == FMaxHeight) return;
  FMaxHeight = std::max(Value, 0);
  if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMinHeight = FMaxHeight;
  Changed();
}

void TSizeConstraints::SetMaxWidth(Integer Value) {
  if (Value == FMaxWidth) return;
  FMaxWidth = std::max(Value, 0);
  if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMinWidth = FMaxWidth;
  Changed();
}

void TSizeConstraints::SetMinHeight(Integer Value) {
  if (Value == FMinHeight) return;
  FMinHeight = std::max(Value, 0);
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMaxHeight = FMinHeight;
  Changed();
}

void TSizeConstraints::SetMinWidth(Integer Value) {
  if (Value == FMinWidth) return;
  FMinWidth = std::max(Value, 0);
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMaxWidth = FMinWidth;
  Changed();
}

void TSizeConstraints::Changed() {
  if (FControl) FControl->SetBounds(FControl->FLeft, FControl->FTop, FControl->FWidth, FControl->FHeight);
  if (OnChange) OnChange(this);
}

// --- TControl -------------------------------------------------------------------

HOST_CLASS_INFO(TControl, TComponent, nullptr)

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks},
      FConstraints(std::make_unique<TSizeConstraints>(this)),
      FFont(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& Message) { WndProc(Message); };
  FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  ForgetControl(this);
  if (FParent) FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (Dragging() && Message.Msg == WM_LBUTTONUP) {
    EndDrag(true);
    return;
  }
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
      if (FDragMode == dmAutomatic && FDragKind == dkDrag) {
        BeginDrag(false);
        return;
      }
      FControlState.Include(csLButtonDown);
    } else if (Message.Msg == WM_LBUTTONUP) {
      FControlState.Exclude(csLButtonDown);
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_LBUTTONDOWN: WMButtonDown(Message, mbLeft, false); return;
    case WM_LBUTTONDBLCLK: WMButtonDown(Message, mbLeft, true); return;
    case WM_RBUTTONDOWN: WMButtonDown(Message, mbRight, false); return;
    case WM_RBUTTONDBLCLK: WMButtonDown(Message, mbRight, true); return;
    case WM_MBUTTONDOWN: WMButtonDown(Message, mbMiddle, false); return;
    case WM_MBUTTONDBLCLK: WMButtonDown(Message, mbMiddle, true); return;
    case WM_LBUTTONUP: WMButtonUp(Message, mbLeft); return;
    case WM_RBUTTONUP: WMButtonUp(Message, mbRight); return;
    case WM_MBUTTONUP: WMButtonUp(Message, mbMiddle); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case CM_MOUSEWHEEL: {
      TPoint p{static_cast<SHORT>(Message.LParamLo()), static_cast<SHORT>(Message.LParamHi())};
      Message.Result =
          DoMouseWheel(KeysToShiftState(Message.WParamLo()), static_cast<SHORT>(Message.WParamHi()), p) ? 1 : 0;
      return;
    }
    case CM_MOUSEENTER: CMMouseEnterLeave(Message, true); return;
    case CM_MOUSELEAVE: CMMouseEnterLeave(Message, false); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_HITTEST: CMHitTest(Message); return;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED:
      if (Message.Msg == CM_TEXTCHANGED) TextChanged();
      Invalidate();
      return;
    case CM_VISIBLECHANGED:
      if (!FVisible) ForgetControl(this);
      return;
    default: TComponent::Dispatch(Message);
  }
}

// Without a window the control keeps its own text.
void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<char16_t*>(Message.LParam);
      const size_t room = Message.WParam;
      if (!buffer || room == 0) {
        Message.Result = 0;
        return;
      }
      const size_t n = std::min(FText.size(), room - 1);
      std::copy_n(FText.begin(), n, buffer);
      buffer[n] = 0;
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(FText.size()); return;
    case WM_SETTEXT:
      FText = Message.LParam ? String(reinterpret_cast<const char16_t*>(Message.LParam)) : String();
      Message.Result = 1;
      return;
    default: return;
  }
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}

void TControl::ReadState(TReader* Reader) {
  FControlState.Include(csReadingState);
  TComponent::ReadState(Reader);
  FControlState.Exclude(csReadingState);
  if (!FParent) return;
  Perform(CM_PARENTCOLORCHANGED, 0, 0);
  Perform(CM_PARENTFONTCHANGED, 0, 0);
  Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

// --- bounds -----------------------------------------------------------------

void TControl::ConstrainedResize(Integer& MinWidth, Integer& MinHeight, Integer& MaxWidth, Integer& MaxHeight) {
  if (OnConstrainedResize) OnConstrainedResize(this);
}

bool TControl::CanResize(Integer& NewWidth, Integer& NewHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
  return resize;
}

bool TControl::CanAutoSize(Integer&, Integer&) { return true; }

bool TControl::CheckNewSize(Integer& NewWidth, Integer& NewHeight) {
  Integer w = NewWidth, h = NewHeight;
  if (!CanResize(w, h)) return false;
  if (FAutoSize && !FControlState.Contains(csAligning) && !CanAutoSize(w, h)) return false;
  Integer minW = FConstraints->GetMinWidth(), minH = FConstraints->GetMinHeight();
  Integer maxW = FConstraints->GetMaxWidth(), maxH = FConstraints->GetMaxHeight();
  ConstrainedResize(minW, minH, maxW, maxH);
  // Capped first, then raised: a minimum wins over a smaller maximum.
  if (maxW > 0 && w > maxW) w = maxW;
  if (minW > 0 && w < minW) w = minW;
  if (maxH > 0 && h > maxH) h = maxH;
  if (minH > 0 && h < minH) h = minH;
  NewWidth = w;
  NewHeight = h;
  return true;
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (!CheckNewSize(AWidth, AHeight)) return;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  InvalidateControl(FVisible, false);
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  RequestAlign();
  if (resized && !GetComponentState().Contains(csLoading)) Resize();
}

TRect TControl::GetClientRect() const { return Rect(0, 0, FWidth, FHeight); }

Integer TControl::GetClientWidth() const { return GetClientRect().Right; }
Integer TControl::GetClientHeight() const { return GetClientRect().Bottom; }

void TControl::SetClientWidth(Integer Value) { SetWidth(Value + GetFrameSize().cx); }
void TControl::SetClientHeight(Integer Value) { SetHeight(Value + GetFrameSize().cy); }

TPoint TControl::GetClientOrigin() const {
  if (!FParent) return Point(FLeft, FTop);
  const TPoint p = FParent->GetClientOrigin();
  return Point(p.X + FLeft, p.Y + FTop);
}

TPoint TControl::ClientToScreen(TPoint P) const {
  const TPoint o = GetClientOrigin();
  return Point(P.X + o.X, P.Y + o.Y);
}

TPoint TControl::ScreenToClient(TPoint P) const {
  const TPoint o = GetClientOrigin();
  return Point(P.X - o.X, P.Y - o.Y);
}

TPoint TControl::ClientToParent(TPoint P, TWinControl* AParent) const {
  if (!AParent) AParent = FParent;
  if (!AParent) throw EInvalidOperation(u"Control '" + GetName() + u"' has no parent window");
  const TControl* c = this;
  while (c != AParent) {
    if (!c->FParent) throw EInvalidOperation(u"Control '" + GetName() + u"' is not a child of that control");
    P.X += c->FLeft;
    P.Y += c->FTop;
    c = c->FParent;
  }
  return P;
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  const TAlign old = FAlign;
  FAlign = Value;
  FAnchors = (Value == alNone || Value == alCustom) ? FAnchors : DefaultAnchors;
  if (old == alNone || Value != alNone) RequestAlign();
  UpdateAnchorRules();
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  UpdateAnchorRules();
}

// The anchors keep the bounds as they are now against the parent's client
// area as it is now.
void TControl::UpdateAnchorRules() {
  if (FAnchorMove || !FParent) return;
  FAnchorBounds = GetBoundsRect();
  const TRect client = FParent->GetClientRect();
  FAnchorParentSize = TSize{client.Right - client.Left, client.Bottom - client.Top};
}

void TControl::ApplyAnchors(TSize ParentSize) {
  if (FAnchors == DefaultAnchors || FAnchorParentSize.cx <= 0 || FAnchorParentSize.cy <= 0) return;
  const TRect& b = FAnchorBounds;
  Integer left = b.Left, top = b.Top, width = b.Right - b.Left, height = b.Bottom - b.Top;
  const Integer dx = ParentSize.cx - FAnchorParentSize.cx, dy = ParentSize.cy - FAnchorParentSize.cy;
  if (FAnchors.Contains(akRight)) {
    if (FAnchors.Contains(akLeft)) width += dx;
    else left += dx;
  } else if (!FAnchors.Contains(akLeft)) {
    // Neither side: the centre keeps its share of the width.
    left = MulDiv(b.Left + width / 2, ParentSize.cx, FAnchorParentSize.cx) - width / 2;
  }
  if (FAnchors.Contains(akBottom)) {
    if (FAnchors.Contains(akTop)) height += dy;
    else top += dy;
  } else if (!FAnchors.Contains(akTop)) {
    top = MulDiv(b.Top + height / 2, ParentSize.cy, FAnchorParentSize.cy) - height / 2;
  }
  FAnchorMove = true;
  SetBounds(left, top, std::max(width, 0), std::max(height, 0));
  FAnchorMove = false;
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

void TControl::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (Value) AdjustSize();
}

void TControl::AdjustSize() {
  if (GetComponentState().Contains(csLoading)) return;
  SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::ChangeScale(Integer M, Integer D) {
  if (M == D || D == 0) return;
  SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FLeft + FWidth, M, D) - MulDiv(FLeft, M, D),
            MulDiv(FTop + FHeight, M, D) - MulDiv(FTop, M, D));
  if (!FParentFont) FFont->SetHeight(MulDiv(FFont->GetHeight(), M, D));
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
  if (FAutoSize) AdjustSize();
}

// --- visibility, enabling, colour, font, text ------------------------------------

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

bool TControl::IsShowing() const { return FVisible && (!FParent || FParent->IsShowing()); }

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value && FParent) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!FParentColor || !FParent) return;
  SetColor(FParent->GetColor());
  FParentColor = true;
}

void TControl::FontChanged() {
  if (!FSettingParentFont) FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value && FParent) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!FParentFont || !FParent) return;
  FSettingParentFont = true;
  FFont->Assign(FParent->GetFont());
  FSettingParentFont = false;
}

void TControl::SetShowHint(bool Value) {
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (Value && FParent) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || !FParent) return;
  FShowHint = FParent->GetShowHint();
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

String TControl::GetText() const {
  auto* self = const_cast<TControl*>(this);
  const LRESULT length = self->Perform(WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return String();
  String text(static_cast<size_t>(length) + 1, u'\0');
  const LRESULT got = self->Perform(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
  return text;
}

// An equal text changes nothing.
void TControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

// --- painting -----------------------------------------------------------------------

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !FParent || !FParent->HandleAllocated() || GetComponentState().Contains(csDestroying)) return;
  const TRect r = GetBoundsRect();
  ::InvalidateRect(FParent->GetHandle(), &r, IsOpaque || FParent->GetControlStyle().Contains(csOpaque) ? FALSE : TRUE);
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  if (!FControlStyle.Contains(csOpaque)) {
    Invalidate();
    Update();
    return;
  }
  // Straight into the parent's window: its windowed children are clipped out.
  HWND parent = FParent->GetHandle();
  HDC dc = ::GetDC(parent);
  IntersectClipRect(dc, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
  FParent->PaintControls(dc, this);
  ::ReleaseDC(parent, dc);
}

HDC TControl::GetDeviceContext(HWND& WindowHandle) {
  if (!FParent) throw EInvalidOperation(u"Control '" + GetName() + u"' has no parent window");
  HDC dc = FParent->GetDeviceContext(WindowHandle);
  SetViewportOrgEx(dc, FLeft, FTop, nullptr);
  IntersectClipRect(dc, 0, 0, FWidth, FHeight);
  return dc;
}

void TControl::BringToFront() { SetZOrder(true); }
void TControl::SendToBack() { SetZOrder(false); }

void TControl::SetZOrder(bool TopMost) {
  if (!FParent) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (TopMost) list.push_back(this);
  else list.insert(list.begin(), this);
  Invalidate();
}

// --- mouse ----------------------------------------------------------------------------

bool TControl::GetMouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (GetMouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

// Coordinates beyond 16 bits come from the cursor instead of the message.
static TPoint MousePosOf(TControl& Control, const TMessage& Message) {
  if (Control.GetWidth() > 32768 || Control.GetHeight() > 32768) {
    POINT p;
    GetCursorPos(&p);
    return Control.ScreenToClient(p);
  }
  return MessagePoint(Message);
}

// The window's own handling (a button's press) comes first, then the
// framework's events.
void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csNoStdEvents)) return;
  const TPoint p = MousePosOf(*this, Message);
  MouseMove(KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::WMButtonDown(TMessage& Message, TMouseButton Button, bool DoubleClick) {
  DefaultHandler(Message);
  if (Button == mbLeft) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (DoubleClick) {
      if (FControlStyle.Contains(csClickEvents)) DblClick();
    } else if (FControlStyle.Contains(csClickEvents)) {
      FControlState.Include(csClicked);
    }
  }
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TShiftState shift = KeysToShiftState(Message.WParam);
  if (DoubleClick) shift.Include(ssDouble);
  const TPoint p = MousePosOf(*this, Message);
  MouseDown(Button, shift, p.X, p.Y);
}

void TControl::WMButtonUp(TMessage& Message, TMouseButton Button) {
  DefaultHandler(Message);
  const TPoint p = MousePosOf(*this, Message);
  if (Button == mbLeft) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (FControlState.Contains(csClicked)) {
      FControlState.Exclude(csClicked);
      const TRect client = GetClientRect();
      if (p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom) Click();
    }
  }
  if (FControlStyle.Contains(csNoStdEvents)) return;
  MouseUp(Button, KeysToShiftState(Message.WParam), p.X, p.Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) handled = WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

// Offered to the control, then (unhandled) to the default handling, which
// passes it to the parent window.
void TControl::WMMouseWheel(TMessage& Message) {
  if (!Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam)) DefaultHandler(Message);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  TPoint screen{static_cast<SHORT>(Message.LParamLo()), static_cast<SHORT>(Message.LParamHi())};
  // From the keyboard (-1): the menu goes to the control's top-left.
  const bool fromKeyboard = Message.LParam == -1;
  TPoint client = fromKeyboard ? Point(0, 0) : ScreenToClient(screen);
  if (fromKeyboard) screen = ClientToScreen(client);
  bool handled = false;
  DoContextPopup(client, handled);
  Message.Result = handled ? 1 : 0;
  if (handled) return;
  if (TPopupMenu* menu = GetPopupMenu(); menu && menu->GetAutoPopup()) {
    menu->SetPopupComponent(this);
    menu->Popup(screen.X, screen.Y);
    Message.Result = 1;
    return;
  }
  DefaultHandler(Message);
}

// lParam names the control entered or left; 0 is the receiver itself, and
// parents hear of it with the control named.
void TControl::CMMouseEnterLeave(TMessage& Message, bool Enter) {
  if (FParent) FParent->Perform(Message.Msg, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
  if (Message.LParam != 0) return;
  const TNotifyEvent& event = Enter ? OnMouseEnter : OnMouseLeave;
  if (event) event(this);
}

// --- drag outline -------------------------------------------------------------------
// Nothing in the program drags; a drag holds the mouse until the button is
// released, without a target.

bool TControl::Dragging() const { return DragControlSlot() == this; }

void TControl::BeginDrag(bool, Integer) {
  if (DragControlSlot()) return;
  DragControlSlot() = this;
  SetMouseCapture(true);
}

void TControl::EndDrag(bool) {
  if (DragControlSlot() != this) return;
  DragControlSlot() = nullptr;
  SetMouseCapture(false);
}

void RegisterControlClasses() { RegisterClasses({TMenuItem::StaticClass(), TPopupMenu::StaticClass()}); }

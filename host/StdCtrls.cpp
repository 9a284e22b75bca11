// Labels and push buttons.

#include <cwctype>

#include "host/ControlProperties.h"
#include "host/CustomEdit.h"
#include "host/Forms.h"
#include "host/StdCtrls.h"

namespace {

const TEnumNames& LayoutNames() {
  static const TEnumNames names{{u"tlTop", u"tlCenter", u"tlBottom"}};
  return names;
}

const TPublished& LabelPublished() {
  static const TPublished p = [] {
    TPublished t{ControlProperties({u"Left", u"Top", u"Width", u"Height", u"Align", u"Anchors", u"AutoSize",
                                    u"Caption", u"Color", u"Constraints", u"Cursor", u"DragCursor", u"DragKind",
                                    u"DragMode", u"Enabled", u"Font", u"Hint", u"ParentColor", u"ParentFont",
                                    u"ParentShowHint", u"PopupMenu", u"ShowHint", u"Visible", u"OnClick",
                                    u"OnContextPopup", u"OnDblClick", u"OnMouseDown", u"OnMouseEnter",
                                    u"OnMouseLeave", u"OnMouseMove", u"OnMouseUp"})};
    // A label sizes itself unless told not to.
    PublishedProperty(t.Properties, u"AutoSize").Default = 1;
    t.Properties.push_back(EnumProp<TCustomLabel>(u"Alignment", AlignmentNames(), &TCustomLabel::GetAlignment,
                                                  &TCustomLabel::SetAlignment, taLeftJustify));
    t.Properties.push_back(ComponentProp<TCustomLabel, TWinControl>(u"FocusControl", &TCustomLabel::GetFocusControl,
                                                                   &TCustomLabel::SetFocusControl));
    t.Properties.push_back(
        EnumProp<TCustomLabel>(u"Layout", LayoutNames(), &TCustomLabel::GetLayout, &TCustomLabel::SetLayout, tlTop));
    t.Properties.push_back(BoolProp<TCustomLabel>(u"ShowAccelChar", &TCustomLabel::GetShowAccelChar,
                                                  &TCustomLabel::SetShowAccelChar, true));
    t.Properties.push_back(BoolProp<TCustomLabel>(u"Transparent", &TCustomLabel::GetTransparent,
                                                  &TCustomLabel::SetTransparent, false));
    t.Properties.push_back(
        BoolProp<TCustomLabel>(u"WordWrap", &TCustomLabel::GetWordWrap, &TCustomLabel::SetWordWrap, false));
    return t;
  }();
  return p;
}

const TPublished& ButtonPublished() {
  static const TPublished p = [] {
    TPublished t{ControlProperties({u"Left", u"Top", u"Width", u"Height", u"Anchors", u"Caption", u"Constraints",
                                    u"Cursor", u"DragCursor", u"DragKind", u"DragMode", u"DoubleBuffered", u"Enabled",
                                    u"Font", u"Hint", u"ParentFont", u"ParentShowHint", u"PopupMenu", u"ShowHint",
                                    u"TabOrder", u"TabStop", u"Visible", u"OnClick", u"OnContextPopup", u"OnEnter",
                                    u"OnExit", u"OnKeyDown", u"OnKeyPress", u"OnKeyUp", u"OnMouseDown",
                                    u"OnMouseEnter", u"OnMouseLeave", u"OnMouseMove", u"OnMouseUp"})};
    PublishedProperty(t.Properties, u"TabStop").Default = 1;
    t.Properties.push_back(BoolProp<TButton>(u"Cancel", &TButton::GetCancel, &TButton::SetCancel, false));
    t.Properties.push_back(BoolProp<TButton>(u"Default", &TButton::GetDefault, &TButton::SetDefault, false));
    t.Properties.push_back(IntegerProp<TButton>(u"ModalResult", &TButton::GetModalResult, &TButton::SetModalResult, 0));
    return t;
  }();
  return p;
}

}  // namespace

bool IsAccel(Word Key, const String& Text) {
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != u'&') continue;
    if (Text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return std::towupper(Text[i + 1]) == std::towupper(static_cast<wint_t>(Key));
  }
  return false;
}

// --- TCustomLabel -----------------------------------------------------------------

HOST_CLASS_INFO(TCustomLabel, TGraphicControl, nullptr)
HOST_CLASS_INFO_PUBLISHED(TLabel, TCustomLabel, &CreateOwned<TLabel>, &LabelPublished)

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReplicatable);
  SetBounds(0, 0, 65, 17);
  FAutoSize = true;  // applied once there is a caption
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustSize();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (GetTransparent() == Value) return;
  if (Value) FControlStyle.Exclude(csOpaque);
  else FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustSize();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  else if (FAlignment == taCenter) flags |= DT_CENTER;
  return flags;
}

// Disabled text is embossed: highlight below right, shadow on top.
void TCustomLabel::DoDrawText(TCanvas* canvas, TRect& Rect, UINT Flags) {
  String text = GetCaption();
  // An empty caption still measures one line.
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == u"&"))) text += u" ";
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  canvas->SetFont(GetFont());
  HDC dc = canvas->GetHandle();
  canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  const int length = static_cast<int>(text.size());
  if (GetEnabled() || (Flags & DT_CALCRECT)) {
    ::DrawTextW(dc, text.c_str(), length, &Rect, Flags);
    return;
  }
  OffsetRect(&Rect, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  ::DrawTextW(dc, text.c_str(), length, &Rect, Flags);
  OffsetRect(&Rect, -1, -1);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  ::DrawTextW(dc, text.c_str(), length, &Rect, Flags);
}

void TCustomLabel::Paint() {
  TCanvas* canvas = GetCanvas();
  if (!GetTransparent()) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->FillRect(GetClientRect());
  }
  canvas->GetBrush()->SetStyle(bsClear);
  TRect rect = GetClientRect();
  const UINT flags = DrawTextFlags();
  if (FLayout != tlTop) {
    // The text's own height decides the offset, which may be negative when
    // the glyphs are taller than the label.
    TRect calc = rect;
    DoDrawText(canvas, calc, flags | DT_CALCRECT);
    const Integer free = GetHeight() - calc.Bottom;
    OffsetRect(&rect, 0, FLayout == tlBottom ? free : free / 2);
  }
  DoDrawText(canvas, rect, flags);
}

// Measured on the screen, so that sizing needs no window; an aligned side
// keeps the size its alignment gives.
bool TCustomLabel::CanAutoSize(Integer& NewWidth, Integer& NewHeight) {
  if (GetComponentState().Contains(csLoading) || GetAlign() == alClient) return true;
  HDC screen = GetDC(nullptr);
  TCanvas measure;
  measure.SetHandle(screen);
  TRect rect = Rect(0, 0, NewWidth, 0);
  if (!FWordWrap) rect.Right = 0;
  DoDrawText(&measure, rect, DrawTextFlags() | DT_CALCRECT);
  measure.SetHandle(nullptr);
  ReleaseDC(nullptr, screen);
  if (GetAlign() != alTop && GetAlign() != alBottom) NewWidth = rect.Right - rect.Left;
  if (GetAlign() != alLeft && GetAlign() != alRight) NewHeight = rect.Bottom - rect.Top;
  return true;
}

void TCustomLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      TGraphicControl::Dispatch(Message);
      AdjustSize();
      return;
    case CM_DIALOGCHAR:
      if (FFocusControl && GetEnabled() && FShowAccelChar && IsAccel(static_cast<Word>(Message.WParam), GetCaption()) &&
          FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
      }
      return;
    default: TGraphicControl::Dispatch(Message);
  }
}

// --- buttons ------------------------------------------------------------------------

HOST_CLASS_INFO(TButtonControl, TWinControl, nullptr)

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

HOST_CLASS_INFO_PUBLISHED(TButton, TButtonControl, &CreateOwned<TButton>, &ButtonPublished)

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  // The window makes the clicks: the framework's own would come twice.
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, u"BUTTON");
  Params.Style |= (FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  if (!HandleAllocated()) {
    FActive = Value;
    return;
  }
  TCustomForm* form = GetParentForm();
  if (form && form->GetActiveControl()) {
    TMessage message{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->GetActiveControl()), 0};
    Dispatch(message);
  }
}

void TButton::SetButtonStyle(bool ADefault) {
  FActive = ADefault;
  if (HandleAllocated()) SendMessageW(FHandle, BM_SETSTYLE, ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY:
      if (((Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel)) &&
          KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      TButtonControl::Dispatch(Message);
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<Word>(Message.WParam), GetCaption()) && CanFocus()) {
        Click();
        Message.Result = 1;
      }
      return;
    case CM_FOCUSCHANGED: {
      auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
      SetButtonStyle(dynamic_cast<TButton*>(focused) ? focused == this : FDefault);
      return;
    }
    default: TButtonControl::Dispatch(Message);
  }
}

void RegisterStdCtrlsClasses() {
  RegisterClasses({TLabel::StaticClass(), TButton::StaticClass(), TEdit::StaticClass()});
}

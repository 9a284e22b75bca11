// The edit control on the platform's EDIT window.

#include "host/CustomEdit.h"

#include "host/ControlProperties.h"
#include "platform/Edit.h"

namespace {

const TEnumNames& BorderStyleNames() {
  static const TEnumNames names{{u"bsNone", u"bsSingle"}};
  return names;
}

const TEnumNames& CharCaseNames() {
  static const TEnumNames names{{u"ecNormal", u"ecUpperCase", u"ecLowerCase"}};
  return names;
}

const TPublished& EditPublished() {
  static const TPublished p = [] {
    TPublished t{ControlProperties({u"Left", u"Top", u"Width", u"Height", u"Align", u"Anchors", u"Color",
                                    u"Constraints", u"Cursor", u"DragCursor", u"DragKind", u"DragMode", u"Enabled",
                                    u"Font", u"Hint", u"ParentColor", u"ParentFont", u"ParentShowHint", u"PopupMenu",
                                    u"ShowHint", u"TabOrder", u"TabStop", u"Text", u"Visible", u"OnClick",
                                    u"OnContextPopup", u"OnDblClick", u"OnEnter", u"OnExit", u"OnKeyDown",
                                    u"OnKeyPress", u"OnKeyUp", u"OnMouseDown", u"OnMouseEnter", u"OnMouseLeave",
                                    u"OnMouseMove", u"OnMouseUp"})};
    // An edit has its own colour and is a tab stop unless told otherwise.
    for (TPropInfo& prop : t.Properties) {
      if (prop.Name == u"ParentColor") prop.Default = 0;
      if (prop.Name == u"TabStop") prop.Default = 1;
    }
    using E = TCustomEdit;
    t.Properties.push_back(
        EnumProp<E>(u"Alignment", AlignmentNames(), &E::GetAlignment, &E::SetAlignment, taLeftJustify));
    t.Properties.push_back(BoolProp<E>(u"AutoSelect", &E::GetAutoSelect, &E::SetAutoSelect, true));
    t.Properties.push_back(
        EnumProp<E>(u"BorderStyle", BorderStyleNames(), &E::GetBorderStyle, &E::SetBorderStyle, bsSingle));
    t.Properties.push_back(EnumProp<E>(u"CharCase", CharCaseNames(), &E::GetCharCase, &E::SetCharCase, ecNormal));
    t.Properties.push_back(BoolProp<E>(u"HideSelection", &E::GetHideSelection, &E::SetHideSelection, true));
    t.Properties.push_back(IntegerProp<E>(u"MaxLength", &E::GetMaxLength, &E::SetMaxLength, 0));
    t.Properties.push_back(BoolProp<E>(u"OEMConvert", &E::GetOEMConvert, &E::SetOEMConvert, false));
    t.Properties.push_back(CharProp<E>(u"PasswordChar", &E::GetPasswordChar, &E::SetPasswordChar, 0));
    t.Properties.push_back(BoolProp<E>(u"ReadOnly", &E::GetReadOnly, &E::SetReadOnly, false));
    t.Properties.push_back(StringProp<E>(u"TextHint", &E::GetTextHint, &E::SetTextHint));
    t.Properties.push_back(EventProp<E>(u"OnChange", &E::OnChange));
    return t;
  }();
  return p;
}

DWORD AlignmentStyle(TAlignment Alignment) {
  switch (Alignment) {
    case taRightJustify: return ES_RIGHT;
    case taCenter: return ES_CENTER;
    default: return ES_LEFT;
  }
}

DWORD CaseStyle(TEditCharCase CharCase) {
  switch (CharCase) {
    case ecUpperCase: return ES_UPPERCASE;
    case ecLowerCase: return ES_LOWERCASE;
    default: return 0;
  }
}

}  // namespace

HOST_CLASS_INFO(TCustomEdit, TWinControl, nullptr)
HOST_CLASS_INFO_PUBLISHED(TEdit, TCustomEdit, &CreateOwned<TEdit>, &EditPublished)

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"EDIT");
  Params.Style |= ES_AUTOHSCROLL | AlignmentStyle(FAlignment) | CaseStyle(FCharCase);
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FOEMConvert) Params.Style |= ES_OEMCONVERT;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

// What the window cannot take from its styles it is told once it exists.
void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  SendMessageW(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
  SendMessageW(FHandle, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(FTextHint.c_str()));
  SendMessageW(FHandle, EM_SETMODIFY, FModified, 0);
}

void TCustomEdit::DestroyWnd() {
  FModified = SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
  TWinControl::DestroyWnd();
}

Integer TCustomEdit::GetSelStart() {
  DWORD start = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<Integer>(start);
}

void TCustomEdit::SetSelStart(Integer Value) { Send(EM_SETSEL, static_cast<WPARAM>(Value), Value); }

Integer TCustomEdit::GetSelLength() {
  DWORD start = 0, end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<Integer>(end - start);
}

void TCustomEdit::SetSelLength(Integer Value) {
  const Integer start = GetSelStart();
  Send(EM_SETSEL, static_cast<WPARAM>(start), start + Value);
}

String TCustomEdit::GetSelText() {
  DWORD start = 0, end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return GetText().substr(start, end - start);
}

void TCustomEdit::SetSelText(const String& Value) {
  Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() { Send(EM_SETSEL, 0, -1); }
void TCustomEdit::ClearSelection() { Send(WM_CLEAR); }
void TCustomEdit::CopyToClipboard() { Send(WM_COPY); }
void TCustomEdit::CutToClipboard() { Send(WM_CUT); }
void TCustomEdit::PasteFromClipboard() { Send(WM_PASTE); }
void TCustomEdit::Undo() { Send(WM_UNDO); }
bool TCustomEdit::GetCanUndo() { return Send(EM_CANUNDO) != 0; }
void TCustomEdit::ClearUndo() { Send(EM_EMPTYUNDOBUFFER); }

bool TCustomEdit::GetModified() {
  return HandleAllocated() ? SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0 : FModified;
}

void TCustomEdit::SetModified(bool Value) {
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETMODIFY, Value, 0);
  else FModified = Value;
}

void TCustomEdit::SetAlignment(TAlignment Value) { SetStyleOption(FAlignment, Value); }
void TCustomEdit::SetBorderStyle(TBorderStyle Value) { SetStyleOption(FBorderStyle, Value); }
void TCustomEdit::SetCharCase(TEditCharCase Value) { SetStyleOption(FCharCase, Value); }
void TCustomEdit::SetHideSelection(bool Value) { SetStyleOption(FHideSelection, Value); }
void TCustomEdit::SetOEMConvert(bool Value) { SetStyleOption(FOEMConvert, Value); }

void TCustomEdit::SetMaxLength(Integer Value) {
  FMaxLength = Value < 0 ? 0 : Value;
  if (HandleAllocated()) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetPasswordChar(Char Value) {
  FPasswordChar = Value;
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETPASSWORDCHAR, Value, 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetTextHint(const String& Value) {
  FTextHint = Value;
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(FTextHint.c_str()));
}

LRESULT TCustomEdit::CallDefWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  return CallWindowProcW(FDefWndProc, GetHandle(), Msg, WParam, LParam);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

// A click places the caret itself.
void TCustomEdit::DoEnter() {
  if (FAutoSelect && !FControlState.Contains(csLButtonDown)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::CNCtlColorEdit(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(GetFont()->GetColor())));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(GetColor())));
  Message.Result = reinterpret_cast<LRESULT>(GetBrush()->GetHandle());
}

void TCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE) Change();
      return;
    case CN_CTLCOLOREDIT: CNCtlColorEdit(Message); return;
    default: TWinControl::Dispatch(Message);
  }
}

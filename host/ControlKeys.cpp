// The key path: a key message is first offered to its control as CN_KEYDOWN
// (dialog keys going to the parent form when the control does not want
// them), then translated and dispatched, and delivered as KeyDown, KeyPress
// and KeyUp after the form's key preview. Tab order and focus.

#include <algorithm>

#include "host/Controls.h"
#include "host/Forms.h"
#include "host/Menus.h"

bool IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  // A key for a window of others goes to the nearest control of ours above it.
  HWND h = Msg.hwnd;
  TWinControl* control = nullptr;
  while (h && !(control = TWinControl::FindControl(h))) h = GetParent(h);
  if (!control) return false;
  return SendMessageW(control->GetHandle(), CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

// The dialog code a key of a dialog class needs for the control to keep it.
static LRESULT DialogKeyMask(WPARAM Key) {
  switch (Key) {
    case VK_TAB: return DLGC_WANTTAB;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return DLGC_WANTARROWS;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: return DLGC_WANTALLKEYS;
    default: return 0;
  }
}

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (IsMenuKey(Message)) return;
  if (!GetComponentState().Contains(csDesigning)) {
    if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
    const LRESULT mask = DialogKeyMask(Message.WParam);
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, 0) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0)
      if (TCustomForm* form = GetParentForm(); form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
        return;
  }
  Message.Result = 0;
}

// Every system key is offered to the form.
void TWinControl::CNSysKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (IsMenuKey(Message)) return;
  if (!GetComponentState().Contains(csDesigning))
    if (TCustomForm* form = GetParentForm(); form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
      return;
  Message.Result = 0;
}

// A character the control does not take is offered to the form's
// controls for their accelerators.
void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  if (!GetComponentState().Contains(csDesigning) && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 &&
      !(Message.Msg == CN_SYSCHAR && Message.WParam == VK_SPACE))
    if (TCustomForm* form = GetParentForm(); form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
      return;
  Message.Result = 0;
}

// The popup menus up the parents, then the application's menu.
bool TWinControl::IsMenuKey(TMessage& Message) {
  if (GetComponentState().Contains(csDesigning)) return false;
  const TShiftState shift = KeyDataToShiftState(Message.LParam);
  for (TControl* c = this; c; c = c->GetParent())
    if (TPopupMenu* menu = c->GetPopupMenu(); menu && menu->IsShortCut(static_cast<Word>(Message.WParam), shift))
      return true;
  return false;
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->GetKeyPreview() && form->DoKeyDown(Message)) return true;
  if (FControlStyle.Contains(csNoStdEvents)) return false;
  Word key = static_cast<Word>(Message.WParam);
  KeyDown(key, KeyDataToShiftState(Message.LParam));
  Message.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->GetKeyPreview() && form->DoKeyUp(Message)) return true;
  if (FControlStyle.Contains(csNoStdEvents)) return false;
  Word key = static_cast<Word>(Message.WParam);
  KeyUp(key, KeyDataToShiftState(Message.LParam));
  Message.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->GetKeyPreview() && form->DoKeyPress(Message)) return true;
  if (FControlStyle.Contains(csNoStdEvents)) return false;
  Char key = static_cast<Char>(Message.WParam);
  KeyPress(key);
  Message.WParam = key;
  return key == 0;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

// --- tab order -------------------------------------------------------------------------

Integer TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  const auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<Integer>(it - list.begin());
}

// While the form is read the stored order is kept, and the list is sorted
// by it once every sibling is there.
void TWinControl::SetTabOrder(Integer Value) {
  if (FControlState.Contains(csReadingState) || GetComponentState().Contains(csReading)) {
    FTabOrder = Value;
    return;
  }
  UpdateTabOrder(Value);
}

void TWinControl::UpdateTabOrder(Integer Value) {
  if (!FParent) return;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  const Integer count = static_cast<Integer>(list.size());
  const Integer at = Value < 0 || Value > count ? count : Value;
  list.insert(list.begin() + at, this);
  FTabOrder = -1;
}

void TWinControl::FixupTabList() {
  std::stable_sort(FTabList.begin(), FTabList.end(), [](const TWinControl* a, const TWinControl* b) {
    const Integer x = a->FTabOrder < 0 ? INT32_MAX : a->FTabOrder;
    const Integer y = b->FTabOrder < 0 ? INT32_MAX : b->FTabOrder;
    return x < y;
  });
  for (TWinControl* c : FTabList) c->FTabOrder = -1;
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    const LONG style = GetWindowLongW(FHandle, GWL_STYLE);
    SetWindowLongW(FHandle, GWL_STYLE, Value ? style | WS_TABSTOP : style & ~static_cast<LONG>(WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const Integer count = static_cast<Integer>(list.size());
  auto found = std::find(list.begin(), list.end(), CurControl);
  Integer start = found == list.end() ? (GoForward ? count - 1 : 0) : static_cast<Integer>(found - list.begin());
  Integer i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c != CurControl && c->CanFocus() && (!CheckTabStop || c->FTabStop) && (!CheckParent || c->FParent == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

// --- focus ---------------------------------------------------------------------------------

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->GetParent())
    if (!c->GetVisible() || !c->GetEnabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(); form && form != this) {
    form->FocusControl(this);
    return;
  }
  ::SetFocus(GetHandle());
}

// TCustomForm: the top-level window, the active control and the focus
// moving between controls, and the dialog keys a form handles itself.

#include "host/Exceptions.h"
#include "host/Forms.h"

HOST_CLASS_INFO(TCustomForm, TWinControl, nullptr)

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetVisible(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetParentColor(false);
  Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() { Screen()->RemoveForm(this); }

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  if (!GetEnabled()) Params.Style |= WS_DISABLED;
  Params.ExStyle = WS_EX_CONTROLPARENT;
  Params.WndParent = nullptr;
}

void TCustomForm::UpdateShowing() {
  // The form's window shows what it holds before it appears.
  TWinControl::UpdateShowing();
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_SHOWINGCHANGED:
      ShowWindow(FHandle, FShowing ? SW_SHOWNORMAL : SW_HIDE);
      return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_SETFOCUS:
      // The form's own window passes the focus on to its active control.
      DefaultHandler(Message);
      if (FActiveControl && FActiveControl != this) SetWindowFocus();
      return;
    default: TWinControl::Dispatch(Message);
  }
}

void TCustomForm::WMActivate(TMessage& Message) {
  const bool active = LOWORD(Message.WParam) != WA_INACTIVE;
  // The default handling would move the focus to the form's own window.
  if (!active) DefaultHandler(Message);
  SetActive(active);
}

void TCustomForm::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  if (!Value) {
    Deactivate();
    return;
  }
  if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
  SetWindowFocus();
  Activate();
}

void TCustomForm::SetWindowFocus() {
  HWND focus = FActiveControl && FActiveControl->HandleAllocated() ? FActiveControl->GetHandle() : FHandle;
  if (focus && GetFocus() != focus) ::SetFocus(focus);
}

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  if (FHandle) SetActiveWindow(FHandle);
  SetWindowFocus();
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  if (Control &&
      (Control == this || Control->GetParentForm() != this ||
       (!GetComponentState().Contains(csLoading) && !Control->CanFocus())))
    throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (!GetComponentState().Contains(csLoading) && FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  const bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive && FHandle && GetVisible()) SetFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (Control != this) FActiveControl = Control;
  TScreen* screen = Screen();
  if (screen->FActiveControl != Control) {
    screen->FActiveControl = Control;
    if (screen->OnActiveControlChange) screen->OnActiveControlChange(screen);
  }
  if (screen->FActiveCustomForm != this) {
    screen->FActiveCustomForm = this;
    if (screen->OnActiveFormChange) screen->OnActiveFormChange(screen);
  }
  if (Control->GetControlState().Contains(csFocusing)) return true;
  TControlState state = Control->GetControlState();
  Control->SetControlState(state.Include(csFocusing));
  auto done = [Control] {
    TControlState s = Control->GetControlState();
    Control->SetControlState(s.Exclude(csFocusing));
  };
  if (!FFocusedControl) FFocusedControl = this;
  if (FFocusedControl != Control) {
    // Out of the controls that do not contain the new one, then into those
    // that do, from the outside in.
    while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
      TWinControl* left = FFocusedControl;
      FFocusedControl = FFocusedControl->GetParent();
      left->Perform(CM_EXIT, 0, 0);
      if (GetFocus() != Control->FHandle) {
        done();
        return false;
      }
    }
    while (FFocusedControl != Control) {
      TWinControl* next = Control;
      while (next->GetParent() != FFocusedControl) next = next->GetParent();
      FFocusedControl = next;
      next->Perform(CM_ENTER, 0, 0);
      if (GetFocus() != Control->FHandle) {
        done();
        return false;
      }
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  }
  done();
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->GetParent();
  if (!Control->ContainsControl(FActiveControl)) return;
  const bool hadFocus = FActiveControl && FActiveControl->Focused();
  FActiveControl = nullptr;
  if (Removing && FFocusedControl == Control) FFocusedControl = nullptr;
  if (hadFocus && FHandle) ::SetFocus(FHandle);
}

// Tab and Shift+Tab move through the tab order, arrows among the active
// control's siblings; other keys go to the controls (a default button
// takes Enter, a cancel button Escape).
void TCustomForm::CMDialogKey(TMessage& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) break;
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->GetParent()) {
          FActiveControl->GetParent()->SelectNext(FActiveControl,
                                                  Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
          Message.Result = 1;
        }
        return;
      default: break;
    }
  }
  TWinControl::Dispatch(Message);
}

TCustomForm* ValidParentForm(TControl* Control) {
  TCustomForm* form = Control->GetParentForm();
  if (!form) throw EInvalidOperation(u"Control '" + Control->GetName() + u"' has no parent form");
  return form;
}

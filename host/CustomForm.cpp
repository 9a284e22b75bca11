// TCustomForm: the top-level window, the active control and the focus
// moving between controls, and the dialog keys a form handles itself.

#include "host/ControlProperties.h"
#include "host/ExceptionHandling.h"
#include "host/Exceptions.h"
#include "host/Filer.h"
#include "host/Forms.h"

namespace {

const TEnumNames& PositionNames() {
  static const TEnumNames names{{u"poDesigned", u"poDefault", u"poDefaultPosOnly", u"poDefaultSizeOnly",
                                 u"poScreenCenter", u"poDesktopCenter", u"poMainFormCenter", u"poOwnerFormCenter"}};
  return names;
}

const TPublished& FormPublished() {
  static const TPublished p = [] {
    TPublished t{ControlProperties({u"Left", u"Top", u"Width", u"Height", u"ClientWidth", u"ClientHeight", u"Caption",
                                    u"Color", u"Constraints", u"Cursor", u"DoubleBuffered", u"Enabled", u"Font",
                                    u"Hint", u"ParentFont", u"PopupMenu", u"ShowHint", u"Visible", u"OnClick",
                                    u"OnContextPopup", u"OnDblClick", u"OnKeyDown", u"OnKeyPress", u"OnKeyUp",
                                    u"OnMouseDown", u"OnMouseMove", u"OnMouseUp", u"OnMouseWheel", u"OnResize"})};
    // A form is hidden until shown and keeps its own font.
    PublishedProperty(t.Properties, u"Visible").Default = 0;
    PublishedProperty(t.Properties, u"ParentFont").Default = 0;
    TPropInfo& color = PublishedProperty(t.Properties, u"Color");
    color.Stored = nullptr;
    color.Default = clBtnFace;
    PublishedProperty(t.Properties, u"Font").Stored = nullptr;
    t.Properties.push_back(BoolProp<TCustomForm>(u"KeyPreview", &TCustomForm::GetKeyPreview,
                                                 &TCustomForm::SetKeyPreview, false));
    t.Properties.push_back(BoolProp<TCustomForm>(u"OldCreateOrder", &TCustomForm::GetOldCreateOrder,
                                                 &TCustomForm::SetOldCreateOrder, false));
    t.Properties.push_back(IntegerProp<TCustomForm>(u"PixelsPerInch", &TCustomForm::GetPixelsPerInch,
                                                    &TCustomForm::SetPixelsPerInch));
    t.Properties.push_back(EnumProp<TCustomForm>(u"Position", PositionNames(), &TCustomForm::GetPosition,
                                                 &TCustomForm::SetPosition, poDefaultPosOnly));
    t.Properties.push_back(
        IntegerProp<TCustomForm>(u"TextHeight", &TCustomForm::GetTextHeight, &TCustomForm::SetTextHeight));
    for (auto [name, member] : {std::pair{u"OnActivate", &TCustomForm::OnActivate},
                                {u"OnCreate", &TCustomForm::OnCreate},
                                {u"OnDeactivate", &TCustomForm::OnDeactivate},
                                {u"OnDestroy", &TCustomForm::OnDestroy},
                                {u"OnHide", &TCustomForm::OnHide},
                                {u"OnShow", &TCustomForm::OnShow}})
      t.Properties.push_back(EventProp<TCustomForm>(name, member));
    t.Properties.push_back(EventProp<TCustomForm>(u"OnClose", &TCustomForm::OnClose));
    t.Properties.push_back(EventProp<TCustomForm>(u"OnCloseQuery", &TCustomForm::OnCloseQuery));
    TPropInfo active = ComponentProp<TCustomForm, TWinControl>(u"ActiveControl", &TCustomForm::GetActiveControl,
                                                               &TCustomForm::SetActiveControl);
    t.Properties.push_back(active);
    return t;
  }();
  return p;
}

}  // namespace

HOST_CLASS_INFO(TCustomForm, TWinControl, nullptr)
HOST_CLASS_INFO_PUBLISHED(TForm, TCustomForm, &CreateOwned<TForm>, &FormPublished)

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetVisible(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetParentColor(false);
  Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  // The activation ends with the window, and no message will say so.
  if (TApplication* application = CurrentApplication()) {
    if (FActive) application->SetActive(false);
    if (application->FMainForm == this) application->FMainForm = nullptr;
  }
  Screen()->RemoveForm(this);
}

void TCustomForm::BeforeDestruction() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      HandleException(this);
    }
  }
  TWinControl::BeforeDestruction();
}

void TCustomForm::InitializeForm() {
  const TClass own = ClassType();
  if (own != TForm::StaticClass() && own != TCustomForm::StaticClass() && !ReadComponentRes(this))
    throw EResNotFound(u"Resource " + ClassName() + u" not found");
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (...) {
    HandleException(this);
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (TApplication* application = CurrentApplication(); application && application->GetMainForm() == this) {
    application->Terminate();
    return;
  }
  if (action == caHide) Hide();
  else if (action == caMinimize && FHandle) ShowWindow(FHandle, SW_MINIMIZE);
  else if (action == caFree) Release();
}

void TCustomForm::Release() {
  if (FHandle) PostMessageW(FHandle, CM_RELEASE, 0, 0);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  if (!GetEnabled()) Params.Style |= WS_DISABLED;
  Params.ExStyle = WS_EX_CONTROLPARENT;
  Params.WndParent = nullptr;
  // The desktop places the window unless the form keeps its stored place.
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) Params.X = Params.Y = CW_USEDEFAULT;
  if (FPosition == poScreenCenter || FPosition == poDesktopCenter) {
    Params.X = (GetSystemMetrics(SM_CXSCREEN) - FWidth) / 2;
    Params.Y = (GetSystemMetrics(SM_CYSCREEN) - FHeight) / 2;
  }
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_SHOWINGCHANGED:
      // OnShow before the window appears, OnHide after it is gone.
      if (FShowing && OnShow) OnShow(this);
      ShowWindow(FHandle, FShowing ? SW_SHOWNORMAL : SW_HIDE);
      if (!FShowing && OnHide) OnHide(this);
      return;
    case WM_CLOSE: Close(); return;
    case CM_RELEASE: TObject::Free(this); return;
    case WM_ACTIVATEAPP:
      if (TApplication* application = CurrentApplication()) application->SetActive(Message.WParam != 0);
      DefaultHandler(Message);
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
  // One of the program's windows is active: so is the program, even where
  // activation moved on from a window that went away unannounced.
  if (TApplication* application = CurrentApplication(); active && application) application->SetActive(true);
  // The default handling would move the focus to the form's own window.
  if (!active) DefaultHandler(Message);
  SetActive(active);
}

void TCustomForm::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  if (!Value) {
    Deactivate();
    if (OnDeactivate) OnDeactivate(this);
    return;
  }
  if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
  SetWindowFocus();
  Activate();
  if (OnActivate) OnActivate(this);
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

#pragma once
// Forms: top-level windows that hold controls, keep the active control,
// move the focus in tab order, and see keys first when KeyPreview is set;
// and the screen, which knows the forms and the cursors.

#include <map>
#include <vector>

#include "host/Controls.h"

enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
  HOST_CLASS(TCustomForm);

  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  void BeforeDestruction() override;

  // Reads the form's stored description (the resource named after its
  // class; EResNotFound without one, except for the plain form classes),
  // then runs OnCreate. Forms are made with CreateForm or NewForm, which
  // call it once the whole object exists.
  void InitializeForm();

  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  Integer GetModalResult() const { return FModalResult; }
  void SetModalResult(Integer Value) { FModalResult = Value; }
  // Stored with the form; the form is always shown at the screen's 96.
  Integer GetPixelsPerInch() const { return ScreenPixelsPerInch; }
  void SetPixelsPerInch(Integer) {}
  Integer GetTextHeight() const { return FTextHeight; }
  void SetTextHeight(Integer Value) { FTextHeight = Value; }
  bool GetOldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }

  // OnCloseQuery may refuse; then OnClose picks what happens: the main form
  // ends the application, others hide by default.
  void Close();
  bool CloseQuery();
  void Release();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TWinControl* GetActiveControl() const { return FActiveControl; }
  // A control of this form that can take the focus; EInvalidOperation
  // otherwise. It gets the focus at once while the form is active.
  void SetActiveControl(TWinControl* Control);
  // Active while its window has the activation.
  bool GetActive() const { return FActive; }

  // Makes Control the active one and gives it the focus.
  void FocusControl(TWinControl* Control);
  // Called as Control's window takes the focus: the controls left get
  // CM_EXIT, those entered CM_ENTER, and the form's controls
  // CM_FOCUSCHANGED. False when that moved the focus elsewhere.
  bool SetFocusedControl(TWinControl* Control);
  // Control (being hidden, disabled or removed) gives up being active;
  // with Removing the focus moves to its parent.
  void DefocusControl(TWinControl* Control, bool Removing);

  void SetFocus() override;
  bool CanFocus() const override { return GetVisible() && GetEnabled(); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  // The window's activation changed.
  virtual void Activate() {}
  virtual void Deactivate() {}
  void SetWindowFocus();

 private:
  friend class TWinControl;
  void CMDialogKey(TMessage& Message);
  void WMActivate(TMessage& Message);
  void SetActive(bool Value);
  void DoClose(TCloseAction& Action);

  TPosition FPosition = poDefaultPosOnly;
  Integer FModalResult = 0;
  Integer FTextHeight = 13;
  bool FOldCreateOrder = false;
  bool FKeyPreview = false;
  bool FActive = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
};

class TForm : public TCustomForm {
  HOST_CLASS(TForm);

  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// A form of class F with its stored description read and OnCreate run.
template <typename F>
F* NewForm(TComponent* AOwner) {
  F* form = new F(AOwner);
  try {
    form->InitializeForm();
  } catch (...) {
    TObject::Free(form);
    throw;
  }
  return form;
}

using TExceptionEvent = std::function<void(TObject* Sender, const class Exception& E)>;

// The program: its forms, the main one first created, and the message loop
// that runs until that form closes.
class TApplication : public TComponent {
  HOST_CLASS(TApplication);

  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize() {}
  bool GetMainFormOnTaskBar() const { return FMainFormOnTaskBar; }
  void SetMainFormOnTaskBar(bool Value) { FMainFormOnTaskBar = Value; }
  // The form is owned by the application; the first one created is the
  // main form. Reference is set before the form is read, as its handlers
  // may use it.
  template <typename F>
  void CreateForm(F*& Reference) {
    F* form = new F(this);
    Reference = form;
    try {
      form->InitializeForm();
    } catch (...) {
      Reference = nullptr;
      TObject::Free(form);
      throw;
    }
    if (!FMainForm) FMainForm = form;
  }
  TCustomForm* GetMainForm() const { return FMainForm; }
  // Shows the main form and handles messages until it closes.
  void Run();
  void Terminate();
  bool GetTerminated() const { return FTerminated; }
  // Handles what is waiting, without waiting for more.
  void ProcessMessages();
  // Handles one message, waiting for one when none is there.
  void HandleMessage();
  // Inside a catch block: shows the exception's message in the standard
  // error box (OnException instead, when assigned); EAbort shows nothing.
  void HandleException(TObject* Sender);
  void ShowException(const class Exception& E);
  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  // While one of the program's windows has the desktop's activation.
  bool GetActive() const { return FActive && GetActiveWindow(); }
  // Whether a change of the desktop's locale reloads FormatSettings; off
  // keeps a program's own settings.
  bool GetUpdateFormatSettings() const { return FUpdateFormatSettings; }
  void SetUpdateFormatSettings(bool Value) { FUpdateFormatSettings = Value; }

  TExceptionEvent OnException;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnIdle;

 private:
  friend class TCustomForm;
  bool ProcessMessage(MSG& Msg);
  void Idle();
  void SetActive(bool Value);

  TCustomForm* FMainForm = nullptr;
  bool FMainFormOnTaskBar = false;
  bool FTerminated = false;
  bool FActive = false;
  bool FUpdateFormatSettings = true;
  String FTitle;
};

// The program's application object, made by the "Forms" unit's
// initialization and freed, with its forms, at its finalization;
// EInvalidOperation outside that time.
TApplication* Application();
// The same, or nullptr outside that time: for forms, which may outlive it.
TApplication* CurrentApplication();

// The desktop as the program sees it.
class TScreen : public TComponent {
  HOST_CLASS(TScreen);

  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // The standard cursors and those a program adds under its own numbers.
  HCURSOR GetCursors(TCursor Index) const;
  void SetCursors(TCursor Index, HCURSOR Handle);
  // Anything but crDefault overrides every control's cursor.
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  Integer GetPixelsPerInch() const { return ScreenPixelsPerInch; }
  Integer GetWidth() const;
  Integer GetHeight() const;

  Integer GetCustomFormCount() const { return static_cast<Integer>(FCustomForms.size()); }
  TCustomForm* GetCustomForms(Integer Index) const { return FCustomForms.at(static_cast<size_t>(Index)); }
  TCustomForm* GetActiveCustomForm() const { return FActiveCustomForm; }
  TWinControl* GetActiveControl() const { return FActiveControl; }
  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

 private:
  friend class TCustomForm;
  friend class TWinControl;
  void AddForm(TCustomForm* Form);
  void ControlDestroyed(TWinControl* Control);
  void RemoveForm(TCustomForm* Form);

  std::map<TCursor, HCURSOR> FCursors;
  TCursor FCursor = crDefault;
  std::vector<TCustomForm*> FCustomForms;
  TCustomForm* FActiveCustomForm = nullptr;
  TWinControl* FActiveControl = nullptr;
};

// The program's screen, made on first use.
TScreen* Screen();
// The form that contains Control; EInvalidOperation when there is none.
TCustomForm* ValidParentForm(TControl* Control);

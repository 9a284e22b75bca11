#pragma once
// Forms: top-level windows that hold controls, keep the active control,
// move the focus in tab order, and see keys first when KeyPreview is set;
// and the screen, which knows the forms and the cursors.

#include <map>
#include <vector>

#include "host/Controls.h"

class TCustomForm : public TWinControl {
  HOST_CLASS(TCustomForm);

  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

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

  bool IsShowing() const override { return GetVisible() && FShowing; }
  void SetFocus() override;
  bool CanFocus() const override { return GetVisible() && GetEnabled(); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void UpdateShowing() override;
  // The window's activation changed.
  virtual void Activate() {}
  virtual void Deactivate() {}
  void SetWindowFocus();

 private:
  friend class TWinControl;
  void CMDialogKey(TMessage& Message);
  void WMActivate(TMessage& Message);
  void SetActive(bool Value);

  bool FKeyPreview = false;
  bool FActive = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
};

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

#pragma once
// The edit control: the platform's single-line EDIT window wrapped as a
// control. The window keeps the text, the selection, the undo and the
// modify flag; the control keeps its options to give each window it makes.

#include "host/StdCtrls.h"

enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };
enum TBorderStyle : uint8_t { bsNone, bsSingle };

class TCustomEdit : public TWinControl {
  HOST_CLASS(TCustomEdit);

  explicit TCustomEdit(TComponent* AOwner);

  // The selection, as character positions; reading or setting it makes the
  // window.
  Integer GetSelStart();
  // Drops the selection there.
  void SetSelStart(Integer Value);
  Integer GetSelLength();
  // From SelStart on.
  void SetSelLength(Integer Value);
  String GetSelText();
  // Replaces the selection, as typing would: it can be undone.
  void SetSelText(const String& Value);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  // One level: undoing again restores.
  void Undo();
  bool GetCanUndo();
  void ClearUndo();
  // Set by the user's changes, cleared by a new Text.
  bool GetModified();
  void SetModified(bool Value);

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The whole text is selected when the focus comes by the keyboard.
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  // bsSingle: a sunken client edge.
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  // False: the selection shows also while the control is unfocused.
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // 0: no limit. Text already there is not cut.
  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  // Kept for the form description; the text is Unicode throughout.
  bool GetOEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  // #0: the text shows.
  Char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // Shown in grey while the text is empty and the control unfocused.
  const String& GetTextHint() const { return FTextHint; }
  void SetTextHint(const String& Value);

  // Passes a message to the EDIT window's own procedure, past this
  // control's handling.
  LRESULT CallDefWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);

  // After every change of the text, by the user or the program.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  void DoEnter() override;
  virtual void Change();

 private:
  // The window answers its own message.
  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) { return SendMessageW(GetHandle(), Msg, WParam, LParam); }
  void CNCtlColorEdit(TMessage& Message);
  // An option the window's styles carry: a new window shows it.
  template <typename T>
  void SetStyleOption(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    RecreateWnd();
  }

  TAlignment FAlignment = taLeftJustify;
  bool FAutoSelect = true;
  TBorderStyle FBorderStyle = bsSingle;
  TEditCharCase FCharCase = ecNormal;
  bool FHideSelection = true;
  Integer FMaxLength = 0;
  bool FOEMConvert = false;
  Char FPasswordChar = 0;
  bool FReadOnly = false;
  String FTextHint;
  bool FModified = false;  // kept while there is no window
};

class TEdit : public TCustomEdit {
  HOST_CLASS(TEdit);

  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

#pragma once
// Standard controls: the label (text drawn on its parent) and the push
// button (the platform's BUTTON window).

#include "host/Controls.h"

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
  HOST_CLASS(TCustomLabel);

  explicit TCustomLabel(TComponent* AOwner);

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // Transparent: the parent shows through; otherwise the label fills its
  // bounds with its colour and paints opaquely.
  bool GetTransparent() const { return !FControlStyle.Contains(csOpaque); }
  void SetTransparent(bool Value);
  // "&x" underlines x; "&&" is an ampersand.
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

 protected:
  void Paint() override;
  bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Draws, or measures with DT_CALCRECT, the caption on Canvas.
  void DoDrawText(TCanvas* Canvas, TRect& Rect, UINT Flags);
  UINT DrawTextFlags() const;

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  HOST_CLASS(TLabel);

  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

class TButtonControl : public TWinControl {
  HOST_CLASS(TButtonControl);

  explicit TButtonControl(TComponent* AOwner);
};

// What a button gives its form when clicked in a modal form.
using TModalResult = Integer;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;

class TButton : public TButtonControl {
  HOST_CLASS(TButton);

  explicit TButton(TComponent* AOwner);

  // The same as the user's click, without the pressed look.
  void Click() override;
  // Enter clicks the default button unless another button has the focus.
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  // Escape clicks the cancel button.
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

 private:
  // Drawn as the default button: the focused button, or the default one
  // while no other button is focused.
  void SetButtonStyle(bool ADefault);

  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;
  TModalResult FModalResult = mrNone;
};

// True when Text's accelerator ("&x") is the character Key, case ignored.
bool IsAccel(Word Key, const String& Text);

void RegisterStdCtrlsClasses();

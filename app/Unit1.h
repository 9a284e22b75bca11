#pragma once
// The countdown window: a huge number that counts down from 40 once a
// second, with start/pause/continue, restart and zero buttons (keys I, R
// and Z), red and a sound at zero. The run state is Button1's caption.

#include "host/ExtCtrls.h"
#include "host/Forms.h"
#include "host/StdCtrls.h"

class TForm1 : public TForm {
  HOST_CLASS(TForm1);

 public:
  explicit TForm1(TComponent* AOwner) : TForm(AOwner) {}

  TTimer* Timer1 = nullptr;
  TLabel* Label1 = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;
  TButton* Button3 = nullptr;
  Integer segundos = 0;

  void FormCreate(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
};

extern TForm1* Form1;

// The form's class for streaming; the program registers it before the form
// is created.
void RegisterUnit1();

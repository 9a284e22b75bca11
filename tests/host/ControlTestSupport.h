#pragma once
// What the control tests share: a form and controls that paint one colour
// and log what reaches them, and a message loop that runs the application's
// message step, as its own loop does.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/Forms.h"
#include "tests/SurfacePixels.h"

// Everything waiting, through the application's step: keys go to their
// control first, as the application's loop takes them.
inline void PumpWithKeys() {
  MSG msg;
  int n = 0;
  while (n++ < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) RunMessageStep(&msg);
}

// Every event the test controls saw, in order, as "name:event".
inline std::vector<std::string>& ControlLog() {
  static std::vector<std::string> log;
  return log;
}

inline std::string NameOf(TObject* Sender) {
  auto* c = dynamic_cast<TComponent*>(Sender);
  std::string out;
  if (c)
    for (char16_t ch : c->GetName()) out.push_back(static_cast<char>(ch));
  return out;
}

class TTestForm : public TCustomForm {
 public:
  explicit TTestForm(TComponent* AOwner = nullptr) : TCustomForm(AOwner) {}
  using TWinControl::PaintControls;
};

// A windowed control that fills its client area with Fill.
class TBox : public TCustomControl {
 public:
  explicit TBox(TComponent* AOwner, TWinControl* AParent, TRect R, TColor AFill) : TCustomControl(AOwner), Fill(AFill) {
    SetParent(AParent);
    SetBoundsRect(R);
    SetTabStop(true);
  }
  TColor Fill;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    GetCanvas()->GetBrush()->SetColor(Fill);
    GetCanvas()->FillRect(GetClientRect());
  }
};

// An opaque graphic control that fills its bounds with Fill.
class TPatch : public TGraphicControl {
 public:
  explicit TPatch(TComponent* AOwner, TWinControl* AParent, TRect R, TColor AFill)
      : TGraphicControl(AOwner), Fill(AFill) {
    FControlStyle.Include(csOpaque);
    SetParent(AParent);
    SetBoundsRect(R);
  }
  TColor Fill;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    GetCanvas()->GetBrush()->SetColor(Fill);
    GetCanvas()->FillRect(GetClientRect());
  }
};

class TControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ControlLog().clear();
    Form = std::unique_ptr<TTestForm, TFreeObject>(new TTestForm());
    Form->SetName(u"Form");
    Form->SetBounds(50, 40, 300, 200);
  }
  void TearDown() override { Form.reset(); }

  void ShowForm() {
    Form->Show();
    InjectDesktopFocus(Form->GetHandle());
    Pump();
  }

  static void Pump() { PumpWithKeys(); }

  std::unique_ptr<TTestForm, TFreeObject> Form;
};

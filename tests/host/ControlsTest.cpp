// Controls on the headless backend: layout on resize, sizing rules, the key
// path and tab order, window methods, painting, parent font and colour,
// and the mouse.

#include "host/ControlProperties.h"
#include "host/Filer.h"
#include "host/Mouse.h"
#include "tests/host/ControlTestSupport.h"

namespace {

using Layout = TControlsTest;
using Keys = TControlsTest;
using Painting = TControlsTest;
using ControlMessages = TControlsTest;

TEST_F(Layout, AnchorsAndAlignmentFollowTheParentsSize) {
  const TRect client = Form->GetClientRect();
  const Integer w = client.Right, h = client.Bottom;
  auto* top = new TPatch(Form.get(), Form.get(), Bounds(0, 0, 10, 20), clRed);
  top->SetAlign(alTop);
  auto* bottom = new TPatch(Form.get(), Form.get(), Bounds(0, 0, 10, 15), clRed);
  bottom->SetAlign(alBottom);
  auto* fill = new TPatch(Form.get(), Form.get(), Bounds(0, 0, 10, 10), clRed);
  fill->SetAlign(alClient);
  auto* corner = new TBox(Form.get(), Form.get(), Bounds(w - 80, h - 40, 75, 25), clBlue);
  corner->SetAnchors({akRight, akBottom});
  auto* stretch = new TBox(Form.get(), Form.get(), Bounds(10, 30, w - 20, 20), clBlue);
  stretch->SetAnchors({akLeft, akTop, akRight});
  auto* centred = new TBox(Form.get(), Form.get(), Bounds(w / 2 - 20, 60, 40, 20), clBlue);
  centred->SetAnchors({akTop});
  EXPECT_EQ(fill->GetBoundsRect(), Rect(0, 20, w, h - 15)) << "between the docked ones";
  ShowForm();

  Form->SetBounds(50, 40, 300 + 100, 200 + 60);
  const TRect after = Form->GetClientRect();
  ASSERT_EQ(after.Right, w + 100);
  ASSERT_EQ(after.Bottom, h + 60);
  EXPECT_EQ(top->GetBoundsRect(), Rect(0, 0, w + 100, 20));
  EXPECT_EQ(bottom->GetBoundsRect(), Rect(0, h + 60 - 15, w + 100, h + 60));
  EXPECT_EQ(fill->GetBoundsRect(), Rect(0, 20, w + 100, h + 60 - 15));
  EXPECT_EQ(corner->GetBoundsRect(), Bounds(w + 100 - 80, h + 60 - 40, 75, 25)) << "keeps its corner distances";
  EXPECT_EQ(stretch->GetBoundsRect(), Bounds(10, 30, w + 100 - 20, 20)) << "grows with the width";
  EXPECT_EQ(centred->GetLeft(), MulDiv(w / 2, w + 100, w) - 20) << "keeps its centre's share";
  // The window agrees with the control.
  RECT r;
  GetWindowRect(corner->GetHandle(), &r);
  const TPoint origin = Form->GetClientOrigin();
  EXPECT_EQ(r.Left - origin.X, corner->GetLeft());
  EXPECT_EQ(r.Top - origin.Y, corner->GetTop());

  // Shrinking back restores every rule's original bounds.
  Form->SetBounds(50, 40, 300, 200);
  EXPECT_EQ(corner->GetBoundsRect(), Bounds(w - 80, h - 40, 75, 25));
  EXPECT_EQ(stretch->GetBoundsRect(), Bounds(10, 30, w - 20, 20));
}

// A control whose content is 40 x 20.
class TAutoBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override {
    NewWidth = 40;
    NewHeight = 20;
    return true;
  }
};

TEST_F(Layout, AutoSizeAndConstraintsDecideTheSize) {
  auto* box = new TAutoBox(Form.get());
  box->SetParent(Form.get());
  box->SetBounds(5, 5, 100, 50);
  box->SetAutoSize(true);
  EXPECT_EQ(box->GetBoundsRect(), Bounds(5, 5, 40, 20));
  box->SetWidth(90);
  EXPECT_EQ(box->GetWidth(), 40) << "the content decides";
  box->SetAutoSize(false);

  struct TCase {
    const char* Name;
    Integer MinWidth, MaxWidth, MinHeight, MaxHeight;
    TSize Asked, Got;
  } cases[] = {
      {"none", 0, 0, 0, 0, {100, 50}, {100, 50}},
      {"capped", 0, 60, 0, 30, {100, 50}, {60, 30}},
      {"raised", 120, 0, 70, 0, {100, 50}, {120, 70}},
      {"within", 50, 150, 10, 90, {100, 50}, {100, 50}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSizeConstraints* k = box->GetConstraints();
    k->SetMinWidth(0);
    k->SetMinHeight(0);
    k->SetMaxWidth(0);
    k->SetMaxHeight(0);
    k->SetMaxWidth(c.MaxWidth);
    k->SetMaxHeight(c.MaxHeight);
    k->SetMinWidth(c.MinWidth);
    k->SetMinHeight(c.MinHeight);
    box->SetBounds(5, 5, c.Asked.cx, c.Asked.cy);
    EXPECT_EQ(box->GetWidth(), c.Got.cx);
    EXPECT_EQ(box->GetHeight(), c.Got.cy);
  }
  // New constraints apply to the size the control has.
  box->GetConstraints()->SetMaxWidth(0);
  box->GetConstraints()->SetMinWidth(0);
  box->SetWidth(100);
  box->GetConstraints()->SetMaxWidth(70);
  EXPECT_EQ(box->GetWidth(), 70);
}

// Logs keys; answers WM_GETDLGCODE with Codes.
class TKeyBox : public TBox {
 public:
  TKeyBox(TComponent* AOwner, TWinControl* AParent, TRect R, const char16_t* Name) : TBox(AOwner, AParent, R, clWhite) {
    SetName(Name);
    OnKeyDown = [](TObject* s, Word& key, TShiftState) {
      ControlLog().push_back(NameOf(s) + ":down:" + std::to_string(key));
    };
    OnKeyPress = [](TObject* s, Char& key) { ControlLog().push_back(NameOf(s) + ":char:" + std::to_string(key)); };
  }
  LRESULT Codes = 0;

 protected:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_GETDLGCODE) {
      Message.Result = Codes;
      return;
    }
    TBox::Dispatch(Message);
  }
};

TEST_F(Keys, TheFormPreviewsKeysThatStillReachTheFocusedControl) {
  auto* edit = new TKeyBox(Form.get(), Form.get(), Bounds(10, 10, 50, 20), u"edit");
  Form->SetKeyPreview(true);
  Form->OnKeyDown = [](TObject* s, Word& key, TShiftState shift) {
    ControlLog().push_back(NameOf(s) + ":down:" + std::to_string(key) + (shift.Contains(ssCtrl) ? "+ctrl" : ""));
    if (key == 'B') key = 0;  // the form keeps B
  };
  Form->OnKeyPress = [](TObject* s, Char& key) { ControlLog().push_back(NameOf(s) + ":char:" + std::to_string(key)); };
  ShowForm();
  ASSERT_TRUE(edit->Focused()) << "the first tab stop takes the focus";
  InjectText(u"aB");
  Pump();
  EXPECT_EQ(ControlLog(), (std::vector<std::string>{"Form:down:65", "edit:down:65", "Form:char:97", "edit:char:97",
                                                    "Form:down:16", "edit:down:16", "Form:down:66", "Form:char:66",
                                                    "edit:char:66"}))
      << "a key the form consumes is still typed";
  ControlLog().clear();
  InjectKey(VK_CONTROL, TRUE);
  InjectKeyPress('I');
  InjectKey(VK_CONTROL, FALSE);
  Pump();
  ASSERT_GE(ControlLog().size(), 3u);
  EXPECT_EQ(ControlLog()[2], "Form:down:73+ctrl");
  EXPECT_EQ(ControlLog()[3], "edit:down:73");
  // Without preview the form hears nothing.
  Form->SetKeyPreview(false);
  ControlLog().clear();
  InjectKeyPress('C');
  Pump();
  EXPECT_EQ(ControlLog(), (std::vector<std::string>{"edit:down:67", "edit:char:99"}));
}

TEST_F(Keys, DialogKeysGoToTheFormUnlessTheControlWantsThem) {
  auto* a = new TKeyBox(Form.get(), Form.get(), Bounds(10, 10, 50, 20), u"a");
  auto* b = new TKeyBox(Form.get(), Form.get(), Bounds(10, 40, 50, 20), u"b");
  ShowForm();
  ASSERT_TRUE(a->Focused());
  InjectKeyPress(VK_TAB);
  Pump();
  EXPECT_TRUE(b->Focused()) << "Tab moved on";
  EXPECT_EQ(ControlLog(), std::vector<std::string>{}) << "a consumed dialog key types nothing";
  // A control that wants tabs keeps them, character and all.
  b->Codes = DLGC_WANTTAB;
  InjectKeyPress(VK_TAB);
  Pump();
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(ControlLog(), (std::vector<std::string>{"b:down:9", "b:char:9"}));
  // Enter is offered to the form, which nothing there takes: it reaches the control.
  ControlLog().clear();
  InjectKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(ControlLog(), (std::vector<std::string>{"b:down:13", "b:char:13"}));
}

TEST_F(Keys, TabAndShiftTabFollowTheTabOrder) {
  auto* a = new TKeyBox(Form.get(), Form.get(), Bounds(10, 10, 50, 20), u"a");
  auto* b = new TKeyBox(Form.get(), Form.get(), Bounds(10, 40, 50, 20), u"b");
  auto* c = new TKeyBox(Form.get(), Form.get(), Bounds(10, 70, 50, 20), u"c");
  auto* skipped = new TKeyBox(Form.get(), Form.get(), Bounds(10, 100, 50, 20), u"skipped");
  skipped->SetTabStop(false);
  c->SetTabOrder(0);
  EXPECT_EQ(c->GetTabOrder(), 0);
  EXPECT_EQ(a->GetTabOrder(), 1);
  EXPECT_EQ(b->GetTabOrder(), 2);
  ShowForm();
  ASSERT_TRUE(c->Focused());
  std::vector<TWinControl*> order;
  for (int i = 0; i < 4; ++i) {
    InjectKeyPress(VK_TAB);
    Pump();
    order.push_back(dynamic_cast<TWinControl*>(TWinControl::FindControl(GetFocus())));
  }
  EXPECT_EQ(order, (std::vector<TWinControl*>{a, b, c, a})) << "wraps, skipping the control without a tab stop";
  InjectKey(VK_SHIFT, TRUE);
  InjectKeyPress(VK_TAB);
  InjectKey(VK_SHIFT, FALSE);
  Pump();
  EXPECT_TRUE(c->Focused());
  b->SetVisible(false);
  InjectKeyPress(VK_TAB);
  InjectKeyPress(VK_TAB);
  Pump();
  EXPECT_TRUE(c->Focused()) << "a hidden control is passed over";
  EXPECT_EQ(Form->GetActiveControl(), c);
}

// Logs the key messages that reach it: the framework's offer first, then
// the window's own.
class TKeyMessageBox : public TBox {
 public:
  TKeyMessageBox(TComponent* AOwner, TWinControl* AParent, TRect R) : TBox(AOwner, AParent, R, clWhite) {
    SetName(u"box");
  }

 protected:
  void Dispatch(TMessage& Message) override {
    const char* kind = Message.Msg == CN_KEYDOWN   ? "cn_keydown"
                       : Message.Msg == WM_KEYDOWN ? "keydown"
                       : Message.Msg == CN_CHAR    ? "cn_char"
                       : Message.Msg == WM_CHAR    ? "char"
                                                   : nullptr;
    if (kind) ControlLog().push_back(std::string(kind) + ":" + std::to_string(Message.WParam));
    TBox::Dispatch(Message);
  }
};

TEST_F(Keys, AKeyTypedWhileTheClockRunsTakesTheApplicationsStep) {
  const struct {
    const char* Loop;
    void (*Run)();
  } loops[] = {
      {"the application's loop", [] { Application()->ProcessMessages(); }},
      {"the virtual clock's loop", [] { AdvanceVirtualClock(10); }},
  };
  auto* box = new TKeyMessageBox(Form.get(), Form.get(), Bounds(10, 10, 50, 20));
  ShowForm();
  ASSERT_TRUE(box->Focused());
  for (const auto& loop : loops) {
    ControlLog().clear();
    InjectKeyPress('A');
    loop.Run();
    EXPECT_EQ(ControlLog(), (std::vector<std::string>{"cn_keydown:65", "keydown:65", "cn_char:97", "char:97"}))
        << loop.Loop;
  }
}

// A stored control, for reading tab orders and fonts from a description.
class TStoredBox : public TCustomControl {
  HOST_CLASS(TStoredBox);

 public:
  using TCustomControl::TCustomControl;
};

const TPublished& StoredBoxPublished() {
  static const TPublished p{ControlProperties({u"Left", u"Top", u"Width", u"Height", u"TabOrder", u"TabStop",
                                               u"Font", u"ParentFont", u"Color", u"ParentColor"})};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TStoredBox, TCustomControl, &CreateOwned<TStoredBox>, &StoredBoxPublished)

TEST_F(Keys, StoredTabOrdersAreSortedOnceTheFormIsRead) {
  RegisterClass(TStoredBox::StaticClass());
  const char16_t* text =
      u"object Form: TCustomForm\n"
      u"  object First: TStoredBox\n    TabOrder = 0\n  end\n"
      u"  object Last: TStoredBox\n    TabOrder = 3\n  end\n"
      u"  object Second: TStoredBox\n    TabOrder = 1\n  end\n"
      u"  object Third: TStoredBox\n    TabOrder = 2\n  end\n"
      u"end\n";
  Form->SetName(u"");
  ReadComponentFromText(text, Form.get());
  auto order = [&](const char16_t* name) {
    return dynamic_cast<TWinControl*>(Form->FindComponent(name))->GetTabOrder();
  };
  EXPECT_EQ(order(u"First"), 0);
  EXPECT_EQ(order(u"Second"), 1);
  EXPECT_EQ(order(u"Third"), 2);
  EXPECT_EQ(order(u"Last"), 3);
  UnRegisterClass(TStoredBox::StaticClass());
}

TEST_F(ControlMessages, AReplacedWindowMethodSeesMessagesAndChainsToTheOldOne) {
  auto* box = new TKeyBox(Form.get(), Form.get(), Bounds(10, 10, 50, 20), u"box");
  ShowForm();
  TWndMethod old = box->WindowProc;
  std::vector<UINT> seen;
  box->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED || m.Msg == WM_USER) seen.push_back(m.Msg);
    if (m.Msg == WM_USER) {
      m.Result = 42;
      return;  // swallowed
    }
    old(m);
  };
  EXPECT_EQ(box->Perform(WM_USER, 0, 0), 42);
  EXPECT_EQ(SendMessageW(box->GetHandle(), WM_USER, 0, 0), 42) << "window messages go through it too";
  box->SetText(u"new");
  EXPECT_EQ(box->GetText(), u"new") << "chained: the text still reached the window";
  EXPECT_EQ(seen, (std::vector<UINT>{WM_USER, WM_USER, CM_TEXTCHANGED}));
  box->WindowProc = old;
  EXPECT_EQ(box->Perform(WM_USER, 0, 0), 0);
}

TEST_F(Painting, ADCInWParamIsPaintedWithoutTouchingTheUpdateRegion) {
  auto* box = new TBox(Form.get(), Form.get(), Bounds(10, 10, 40, 30), clBlue);
  auto* patch = new TPatch(Form.get(), box, Bounds(5, 5, 10, 10), clRed);
  ShowForm();
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  InvalidateRect(box->GetHandle(), nullptr, FALSE);
  const int paints = box->Paints;
  for (UINT msg : {WM_PAINT, WM_PRINTCLIENT}) {
    SCOPED_TRACE(msg);
    PatBlt(memory, 0, 0, 40, 30, WHITENESS);
    SendMessageW(box->GetHandle(), msg, reinterpret_cast<WPARAM>(memory), msg == WM_PRINTCLIENT ? PRF_CLIENT : 0);
    EXPECT_EQ(GetPixel(memory, 1, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(memory, 7, 7), RGB(255, 0, 0)) << "the graphic child on top";
  }
  EXPECT_EQ(box->Paints, paints + 2);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(box->GetHandle(), &update, FALSE)) << "still to be painted on screen";
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  (void)patch;
}

TEST_F(Painting, AGraphicControlsRepaintLeavesItsWindowedSiblingAlone) {
  auto* patch = new TPatch(Form.get(), Form.get(), Bounds(0, 0, 100, 60), clRed);
  auto* box = new TBox(Form.get(), Form.get(), Bounds(50, 30, 40, 20), clBlue);
  ShowForm();
  HWND form = Form->GetHandle();
  ASSERT_EQ(ClientPixelOf(form, 10, 10), RGB(255, 0, 0));
  ASSERT_EQ(ClientPixelOf(form, 60, 40), RGB(0, 0, 255));
  const int boxPaints = box->Paints;
  patch->Fill = clLime;
  patch->Repaint();  // at once: nothing is pumped
  EXPECT_EQ(ClientPixelOf(form, 10, 10), RGB(0, 255, 0));
  EXPECT_EQ(ClientPixelOf(form, 99, 59), RGB(0, 255, 0));
  EXPECT_EQ(ClientPixelOf(form, 60, 40), RGB(0, 0, 255)) << "the button-like sibling's pixels stay";
  EXPECT_EQ(ClientPixelOf(form, 100, 10), GetSysColor(COLOR_BTNFACE)) << "nothing outside the control";
  EXPECT_EQ(box->Paints, boxPaints);
  // Double buffered, the form paints the same picture.
  Form->SetDoubleBuffered(true);
  patch->Fill = clYellow;
  Form->Repaint();
  EXPECT_EQ(ClientPixelOf(form, 10, 10), RGB(255, 255, 0));
  EXPECT_EQ(ClientPixelOf(form, 150, 100), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ControlMessages, ParentFontAndColourFlowDownUntilAControlSetsItsOwn) {
  Form->GetFont()->SetName(u"DejaVu Serif");
  auto* box = new TBox(Form.get(), Form.get(), Bounds(0, 0, 10, 10), clRed);
  auto* patch = new TPatch(Form.get(), box, Bounds(0, 0, 5, 5), clRed);
  EXPECT_EQ(box->GetFont()->GetName(), u"DejaVu Serif") << "taken on insertion";
  EXPECT_EQ(patch->GetFont()->GetName(), u"DejaVu Serif") << "and through the box";
  EXPECT_EQ(box->GetColor(), clBtnFace);
  Form->GetFont()->SetHeight(-20);
  Form->SetColor(clTeal);
  EXPECT_EQ(patch->GetFont()->GetHeight(), -20);
  EXPECT_EQ(patch->GetColor(), clTeal);
  EXPECT_TRUE(patch->GetParentFont());
  EXPECT_TRUE(patch->GetParentColor());
  EXPECT_EQ(box->GetBrush()->GetColor(), clTeal) << "the brush erases in the colour";
  box->GetFont()->SetHeight(-30);
  box->SetColor(clNavy);
  EXPECT_FALSE(box->GetParentFont());
  EXPECT_FALSE(box->GetParentColor());
  EXPECT_EQ(patch->GetFont()->GetHeight(), -30) << "the patch follows the box now";
  EXPECT_EQ(patch->GetColor(), clNavy);
  Form->GetFont()->SetHeight(-8);
  EXPECT_EQ(box->GetFont()->GetHeight(), -30);
  box->SetParentFont(true);
  EXPECT_EQ(box->GetFont()->GetHeight(), -8) << "back to the parent's";
  EXPECT_EQ(patch->GetFont()->GetHeight(), -8);
}

TEST_F(ControlMessages, TheDragThresholdIsTheFrameworksOwn) {
  EXPECT_EQ(Mouse()->GetDragThreshold(), 5);
  EXPECT_EQ(GetSystemMetrics(SM_CXDRAG), 4) << "the system's drag rectangle differs";
}

TEST_F(ControlMessages, ClicksCaptureAndMouseEnterAndLeave) {
  auto* patch = new TPatch(Form.get(), Form.get(), Bounds(10, 10, 40, 40), clRed);
  patch->SetName(u"patch");
  auto* box = new TBox(Form.get(), Form.get(), Bounds(100, 10, 40, 40), clBlue);
  box->SetName(u"box");
  for (TControl* c : {static_cast<TControl*>(patch), static_cast<TControl*>(box), static_cast<TControl*>(Form.get())}) {
    c->OnClick = [](TObject* s) { ControlLog().push_back(NameOf(s) + ":click"); };
    c->OnMouseEnter = [](TObject* s) { ControlLog().push_back(NameOf(s) + ":enter"); };
    c->OnMouseLeave = [](TObject* s) { ControlLog().push_back(NameOf(s) + ":leave"); };
  }
  patch->OnMouseDown = [](TObject* s, TMouseButton, TShiftState, Integer x, Integer y) {
    ControlLog().push_back(NameOf(s) + ":down:" + std::to_string(x) + "," + std::to_string(y) +
                           (GetCaptureControl() == s ? ":captured" : ""));
  };
  ShowForm();
  const TPoint o = Form->GetClientOrigin();
  ControlLog().clear();
  InjectMouseMove(o.X + 200, o.Y + 100);
  InjectClick(VK_LBUTTON, o.X + 20, o.Y + 25);
  InjectMouseMove(o.X + 110, o.Y + 20);
  Pump();
  EXPECT_EQ(ControlLog(), (std::vector<std::string>{"Form:enter", "Form:leave", "patch:enter", "patch:down:10,15:captured",
                                                    "patch:click", "patch:leave", "box:enter"}));
  EXPECT_EQ(GetCaptureControl(), nullptr) << "released on the button's release";
  // Released outside: no click.
  ControlLog().clear();
  InjectMouseButton(VK_LBUTTON, TRUE, o.X + 20, o.Y + 25);
  InjectMouseButton(VK_LBUTTON, FALSE, o.X + 200, o.Y + 100);
  Pump();
  EXPECT_EQ(std::count(ControlLog().begin(), ControlLog().end(), "patch:click"), 0);
}

}  // namespace

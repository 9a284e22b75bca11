// A form with a label, two buttons and a timer built from its stored
// description, run on the headless backend: its events on the virtual
// clock, the buttons' and the label's pixels, keys to the default and
// cancel buttons, the timer's rules, errors in handlers and activation.

#include <algorithm>

#include "host/ExtCtrls.h"
#include "host/StdCtrls.h"
#include "host/SysUtils.h"
#include "tests/GoldenImage.h"
#include "tests/host/ControlTestSupport.h"

namespace {

class TTestDialog : public TForm {
  HOST_CLASS(TTestDialog);

 public:
  explicit TTestDialog(TComponent* AOwner) : TForm(AOwner) {}

  TLabel* Counter = nullptr;
  TButton* Go = nullptr;
  TButton* Stop = nullptr;
  TTimer* Tick = nullptr;
  int Count = 0;
  std::vector<Word> KeysSeen;
  TNotifyEvent StopAction;

  void FormCreate(TObject*) { Count = 3; }
  void GoClick(TObject*) { Tick->SetEnabled(true); }
  void StopClick(TObject*) {
    Tick->SetEnabled(false);
    if (StopAction) StopAction(this);
  }
  void TickTimer(TObject*) {
    Counter->SetCaption(IntToStr(--Count));
    if (Count == 0) Tick->SetEnabled(false);
  }
  void FormKeyDown(TObject*, Word& Key, TShiftState) { KeysSeen.push_back(Key); }
};

const TPublished& TestDialogPublished() {
  static const TPublished p{
      {},
      {PublishedMethod<TNotifyEvent>(u"FormCreate", &TTestDialog::FormCreate),
       PublishedMethod<TNotifyEvent>(u"GoClick", &TTestDialog::GoClick),
       PublishedMethod<TNotifyEvent>(u"StopClick", &TTestDialog::StopClick),
       PublishedMethod<TNotifyEvent>(u"TickTimer", &TTestDialog::TickTimer),
       PublishedMethod<TKeyEvent>(u"FormKeyDown", &TTestDialog::FormKeyDown)},
      {PublishedField(u"Counter", &TTestDialog::Counter), PublishedField(u"Go", &TTestDialog::Go),
       PublishedField(u"Stop", &TTestDialog::Stop), PublishedField(u"Tick", &TTestDialog::Tick)}};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TTestDialog, TForm, &CreateOwned<TTestDialog>, &TestDialogPublished)

class Forms : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClass(TTestDialog::StaticClass());
    ClearHeadlessNotices();
    Dialog.reset(NewForm<TTestDialog>(nullptr));
  }
  void TearDown() override {
    Dialog.reset();
    InjectDesktopFocus(nullptr);
    UnRegisterClass(TTestDialog::StaticClass());
  }

  void Show() {
    Dialog->Show();
    InjectDesktopFocus(Dialog->GetHandle());
    Pump();
  }

  static void Pump() { PumpWithKeys(); }

  // A control's centre on the screen.
  static TPoint Centre(TControl* c) { return c->ClientToScreen(Point(c->GetWidth() / 2, c->GetHeight() / 2)); }

  static void Click(TControl* c) {
    const TPoint p = Centre(c);
    InjectClick(VK_LBUTTON, p.X, p.Y);
    Pump();
  }

  std::unique_ptr<TTestDialog, TFreeObject> Dialog;
};

TEST_F(Forms, TheStoredDescriptionBuildsTheFormAndBindsItsFieldsAndHandlers) {
  TTestDialog& d = *Dialog;
  ASSERT_NE(d.Counter, nullptr);
  ASSERT_NE(d.Go, nullptr);
  ASSERT_NE(d.Stop, nullptr);
  ASSERT_NE(d.Tick, nullptr);
  EXPECT_EQ(d.Count, 3) << "OnCreate ran";
  EXPECT_EQ(d.GetCaption(), u"Test dialog");
  EXPECT_EQ(d.GetClientWidth(), 240);
  EXPECT_EQ(d.GetClientHeight(), 120);
  EXPECT_TRUE(d.GetKeyPreview());
  EXPECT_FALSE(d.GetVisible());
  EXPECT_EQ(d.Counter->GetBoundsRect(), Rect(0, 0, 240, 120));
  EXPECT_EQ(d.Counter->GetFont()->GetHeight(), -40);
  EXPECT_FALSE(d.Counter->GetParentFont());
  EXPECT_EQ(d.Go->GetBoundsRect(), Bounds(157, 90, 75, 25));
  EXPECT_EQ(d.Go->GetAnchors(), (TAnchors{akRight, akBottom}));
  EXPECT_TRUE(d.Go->GetDefault());
  EXPECT_TRUE(d.Stop->GetCancel());
  EXPECT_EQ(d.Go->GetFont()->GetName(), u"DejaVu Sans") << "the form's font";
  EXPECT_FALSE(d.Tick->GetEnabled());
  EXPECT_EQ(d.Tick->GetInterval(), 1000u);
  // A field follows its component.
  TObject::Free(d.Stop);
  EXPECT_EQ(d.Stop, nullptr);
}

TEST_F(Forms, ALabelAButtonAndATimerRunThroughTheirEventsOnTheVirtualClock) {
  Show();
  TTestDialog& d = *Dialog;
  Click(d.Go);
  EXPECT_TRUE(d.Tick->GetEnabled());
  std::vector<String> shown;
  for (int i = 0; i < 4; ++i) {
    AdvanceVirtualClock(1000);
    shown.push_back(d.Counter->GetCaption());
  }
  EXPECT_EQ(shown, (std::vector<String>{u"2", u"1", u"0", u"0"}));
  EXPECT_FALSE(d.Tick->GetEnabled());
  // Stopped halfway, nothing moves.
  d.Count = 3;
  Click(d.Go);
  AdvanceVirtualClock(1000);
  Click(d.Stop);
  AdvanceVirtualClock(5000);
  EXPECT_EQ(d.Counter->GetCaption(), u"2");
}

TEST_F(Forms, ButtonsDrawTheClassicFaceFrameAndFocus) {
  Show();
  TTestDialog& d = *Dialog;
  ASSERT_TRUE(d.Go->Focused()) << "the first in tab order";
  auto color = [](int index) { return GetSysColor(index); };
  HWND go = d.Go->GetHandle(), stop = d.Stop->GetHandle();
  const int w = 75, h = 25;
  struct TCase {
    const char* Name;
    HWND Button;
    POINT At;
    COLORREF Expected;
  } cases[] = {
      {"default: the outer frame", go, {0, 0}, color(COLOR_WINDOWFRAME)},
      {"default: the frame's far corner", go, {w - 1, h - 1}, color(COLOR_WINDOWFRAME)},
      {"default: the raised edge", go, {1, 1}, color(COLOR_BTNHIGHLIGHT)},
      {"default: the dark edge", go, {w - 2, h - 2}, color(COLOR_3DDKSHADOW)},
      {"default: the inner light", go, {2, 2}, color(COLOR_3DLIGHT)},
      {"default: the inner shadow", go, {w - 3, h - 3}, color(COLOR_BTNSHADOW)},
      {"default: the face inside the focus", go, {5, 5}, color(COLOR_BTNFACE)},
      {"plain: the raised edge", stop, {0, 0}, color(COLOR_BTNHIGHLIGHT)},
      {"plain: the dark edge", stop, {w - 1, h - 1}, color(COLOR_3DDKSHADOW)},
      {"plain: the inner light", stop, {1, 1}, color(COLOR_3DLIGHT)},
      {"plain: the inner shadow", stop, {w - 2, h - 2}, color(COLOR_BTNSHADOW)},
      {"plain: no focus rectangle", stop, {3, 3}, color(COLOR_BTNFACE)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ClientPixelOf(c.Button, c.At.X, c.At.Y), c.Expected);
  }
  // The focus rectangle: dotted, every other pixel inverted.
  const COLORREF face = color(COLOR_BTNFACE), inverted = face ^ 0x00FFFFFF;
  int dots = 0;
  for (int x = 4; x < w - 4; ++x) {
    const COLORREF p = ClientPixelOf(go, x, 4);
    EXPECT_TRUE(p == face || p == inverted) << x;
    dots += p == inverted;
  }
  EXPECT_NEAR(dots, (w - 8) / 2, 1);
  // Pressed by the mouse, a button takes the focus and looks the default
  // one: flat inside its frame while held.
  const TPoint p = Centre(d.Stop);
  InjectMouseButton(VK_LBUTTON, TRUE, p.X, p.Y);
  Pump();
  EXPECT_EQ(ClientPixelOf(stop, 0, 0), color(COLOR_WINDOWFRAME));
  EXPECT_EQ(ClientPixelOf(stop, 1, 1), color(COLOR_BTNSHADOW));
  EXPECT_EQ(ClientPixelOf(stop, w - 2, h - 2), color(COLOR_BTNSHADOW));
  EXPECT_EQ(ClientPixelOf(go, 0, 0), color(COLOR_BTNHIGHLIGHT)) << "and Go is plain again";
  InjectMouseButton(VK_LBUTTON, FALSE, p.X, p.Y);
  Pump();
  EXPECT_EQ(ClientPixelOf(stop, 1, 1), color(COLOR_BTNHIGHLIGHT)) << "raised again";
  // A plain button held down is sunken.
  SendMessageW(go, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(ClientPixelOf(go, 0, 0), color(COLOR_3DDKSHADOW));
  EXPECT_EQ(ClientPixelOf(go, w - 1, h - 1), color(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(ClientPixelOf(go, 1, 1), color(COLOR_BTNSHADOW));
  SendMessageW(go, BM_SETSTATE, FALSE, 0);
}

// The ink of Text drawn in Font at (0, 0) on white: its box.
TRect InkOf(TFont* Font, const String& Text) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 200);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, Font->GetHandle());
  PatBlt(dc, 0, 0, 200, 200, WHITENESS);
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, 0, 0, Text.c_str(), static_cast<int>(Text.size()));
  TRect ink{200, 200, -1, -1};
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x)
      if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
        ink.Left = std::min<LONG>(ink.Left, x);
        ink.Top = std::min<LONG>(ink.Top, y);
        ink.Right = std::max<LONG>(ink.Right, x + 1);
        ink.Bottom = std::max<LONG>(ink.Bottom, y + 1);
      }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return ink;
}

TEST_F(Forms, TheLabelFillsWithTheFormColourAndCentresItsCaption) {
  Show();
  TTestDialog& d = *Dialog;
  d.Counter->SetCaption(u"H");
  d.Counter->Repaint();
  HWND form = d.GetHandle();
  EXPECT_EQ(ClientPixelOf(form, 2, 2), GetSysColor(COLOR_BTNFACE));
  // Where the label's ink is, against where the same text drawn by itself
  // says it belongs when centred.
  const TRect alone = InkOf(d.Counter->GetFont(), u"H");
  SIZE extent;
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, d.Counter->GetFont()->GetHandle());
  GetTextExtentPoint32W(screen, u"H", 1, &extent);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  const LONG left = (240 - extent.cx) / 2 + alone.Left, top = (120 - extent.cy) / 2 + alone.Top;
  TRect ink{240, 120, -1, -1};
  const TClientPixels pixels(form);
  for (int y = 0; y < 85; ++y)
    for (int x = 0; x < 240; ++x)
      if (pixels.At(x, y) != GetSysColor(COLOR_BTNFACE)) {
        ink.Left = std::min<LONG>(ink.Left, x);
        ink.Top = std::min<LONG>(ink.Top, y);
        ink.Right = std::max<LONG>(ink.Right, x + 1);
        ink.Bottom = std::max<LONG>(ink.Bottom, y + 1);
      }
  EXPECT_NEAR(ink.Left, left, 1);
  EXPECT_NEAR(ink.Top, top, 1);
  EXPECT_EQ(ink.Right - ink.Left, alone.Right - alone.Left);
  EXPECT_EQ(ClientPixelOf(form, (ink.Left + ink.Right) / 2, ink.Top + 2), GetSysColor(COLOR_BTNFACE))
      << "between the stems of the H";
  EXPECT_EQ(ClientPixelOf(form, ink.Left + 1, ink.Top + 1), GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(Forms, ClicksDoubleClicksAndTheDialogKeysReachTheButtons) {
  Show();
  TTestDialog& d = *Dialog;
  int stops = 0, goes = 0;
  d.Stop->OnClick = [&](TObject*) { ++stops; };
  d.Go->OnClick = [&](TObject*) { ++goes; };
  Click(d.Stop);
  EXPECT_EQ(stops, 1);
  const TPoint p = Centre(d.Stop);
  InjectClick(VK_LBUTTON, p.X, p.Y);
  InjectClick(VK_LBUTTON, p.X, p.Y);  // within the double-click time: a double click
  Pump();
  EXPECT_EQ(stops, 3) << "a double click is two clicks";
  // Stop has the focus now: Enter clicks the focused button, Escape the cancel one.
  InjectKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(stops, 4);
  d.Go->SetFocus();
  Pump();
  InjectKeyPress(VK_RETURN);
  InjectKeyPress(VK_ESCAPE);
  InjectKeyPress(VK_SPACE);
  Pump();
  EXPECT_EQ(goes, 2) << "Enter and Space";
  EXPECT_EQ(stops, 5) << "Escape";
  // The form previews the other keys; the dialog keys were consumed before.
  InjectKeyPress('X');
  Pump();
  EXPECT_EQ(d.KeysSeen, (std::vector<Word>{VK_SPACE, 'X'}));
  // Click() is the same as the user's click.
  d.Go->Click();
  EXPECT_EQ(goes, 3);
}

TEST_F(Forms, TheTimerRunsOnlyWithAHandlerAndAnIntervalAndRestartsOnlyOnChange) {
  std::unique_ptr<TTimer, TFreeObject> timer(new TTimer(nullptr));
  const int live = GetLiveTimerCount();
  std::vector<ULONGLONG> ticks;
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(timer->GetEnabled());
  EXPECT_EQ(GetLiveTimerCount(), live) << "no handler, no timer";
  timer->SetOnTimer([&](TObject*) { ticks.push_back(GetTickCount64() - start); });
  EXPECT_EQ(GetLiveTimerCount(), live + 1);
  AdvanceVirtualClock(600);
  timer->SetEnabled(true);   // as it is: the period goes on
  timer->SetInterval(1000);  // likewise
  AdvanceVirtualClock(600);
  EXPECT_EQ(ticks, (std::vector<ULONGLONG>{1000}));
  timer->SetInterval(500);  // a change restarts: next at 1200 + 500
  AdvanceVirtualClock(600);
  EXPECT_EQ(ticks, (std::vector<ULONGLONG>{1000, 1700}));
  timer->SetInterval(0);
  EXPECT_EQ(GetLiveTimerCount(), live) << "interval 0 stops it";
  AdvanceVirtualClock(2000);
  EXPECT_EQ(ticks.size(), 2u);
  timer->SetInterval(100);
  timer->SetEnabled(false);
  timer->SetEnabled(false);
  EXPECT_EQ(GetLiveTimerCount(), live);
  timer->SetEnabled(true);
  AdvanceVirtualClock(100);
  EXPECT_EQ(ticks.size(), 3u);
  timer.reset();
  EXPECT_EQ(GetLiveTimerCount(), live) << "freed with its timer";
}

TEST_F(Forms, AnErrorInAHandlerIsShownAndTheApplicationGoesOn) {
  Show();
  TTestDialog& d = *Dialog;
  d.StopAction = [](TObject*) { throw EConvertError(u"'x' is not a valid integer value"); };
  Click(d.Stop);
  auto boxes = HeadlessMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, u"'x' is not a valid integer value.") << "with a full stop";
  EXPECT_EQ(boxes[0].Caption, Application()->GetTitle());
  EXPECT_EQ(boxes[0].Type & MB_ICONERROR, MB_ICONERROR);
  Click(d.Go);
  EXPECT_TRUE(d.Tick->GetEnabled()) << "the program goes on";
  d.StopAction = [](TObject*) { throw EAbort(u"quiet"); };
  Click(d.Stop);
  EXPECT_EQ(HeadlessMessageBoxes().size(), 1u) << "the silent exception shows nothing";
}

TEST_F(Forms, TheApplicationIsActiveWhileOneOfItsWindowsIs) {
  int activations = 0, deactivations = 0;
  Application()->OnActivate = [&](TObject*) { ++activations; };
  Application()->OnDeactivate = [&](TObject*) { ++deactivations; };
  InjectDesktopFocus(nullptr);
  Pump();
  EXPECT_FALSE(Application()->GetActive());
  Show();
  EXPECT_TRUE(Application()->GetActive());
  EXPECT_TRUE(Dialog->GetActive());
  InjectDesktopFocus(nullptr);
  Pump();
  EXPECT_FALSE(Application()->GetActive());
  EXPECT_FALSE(Dialog->GetActive());
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(deactivations, 1);
  Application()->OnActivate = nullptr;
  Application()->OnDeactivate = nullptr;
}

TEST_F(Forms, TheDialogLooksAsItDid) {
  Show();
  EXPECT_TRUE(MatchesGolden(Dialog->GetHandle(), "test-dialog"));
}

}  // namespace

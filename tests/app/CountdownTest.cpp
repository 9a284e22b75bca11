// The countdown window on the headless backend and its virtual clock: the
// stored form, the state table, the keys with any shift state, the sound
// at zero, the buttons' pixels across repaints, and resizing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "app/Unit1.h"
#include "platform/Sound.h"
#include "tests/host/ControlTestSupport.h"

namespace {

class Countdown : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearPlayedSounds();
    ClearHeadlessNotices();
    FForm.reset(NewForm<TForm1>(nullptr));
    Form1 = FForm.get();
    Form1->Show();
    InjectDesktopFocus(Form1->GetHandle());
    Pump();
  }
  void TearDown() override {
    InjectDesktopFocus(nullptr);
    FForm.reset();
    Form1 = nullptr;
  }

  static void Pump() { PumpWithKeys(); }

  // A key pressed and released with the modifiers held around it.
  static void Press(UINT key, std::initializer_list<UINT> held = {}) {
    for (UINT k : held) InjectKey(k, TRUE);
    InjectKeyPress(key);
    for (UINT k : held) InjectKey(k, FALSE);
    Pump();
  }

  static String Shown() { return Form1->Label1->GetCaption(); }
  static String Button1Says() { return Form1->Button1->GetCaption(); }
  static TColor Colour() { return Form1->Label1->GetFont()->GetColor(); }
  static bool Running() { return Form1->Timer1->GetEnabled(); }

  std::unique_ptr<TForm1, TFreeObject> FForm;
};

TEST_F(Countdown, TheFormIsBuiltFromItsStoredDescription) {
  TForm1& f = *Form1;
  EXPECT_EQ(f.GetCaption(), u"Tempravo de 40 Segundos");
  EXPECT_EQ(f.GetClientWidth(), 790);
  EXPECT_EQ(f.GetClientHeight(), 478);
  EXPECT_EQ(f.GetColor(), clBtnFace);
  EXPECT_TRUE(f.GetKeyPreview());
  EXPECT_EQ(f.segundos, 40);
  TFont* font = f.Label1->GetFont();
  EXPECT_EQ(font->GetName(), u"Tekton Pro Ext");
  EXPECT_EQ(font->GetHeight(), -467);
  EXPECT_EQ(font->GetSize(), 350);
  EXPECT_TRUE(font->GetStyle().Contains(fsBold));
  EXPECT_EQ(font->GetCharset(), ANSI_CHARSET);
  EXPECT_EQ(f.Label1->GetBoundsRect(), Rect(0, 0, 790, 478)) << "fills the client area";
  EXPECT_EQ(f.Label1->GetAlignment(), taCenter);
  EXPECT_EQ(f.Label1->GetLayout(), tlCenter);
  EXPECT_FALSE(f.Label1->GetTransparent());
  struct TCase {
    TButton* Button;
    TRect Bounds;
    const char16_t* Caption;
  } buttons[] = {{f.Button1, Bounds(707, 450, 75, 25), u"I-Iniciar"},
                 {f.Button2, Bounds(626, 450, 75, 25), u"R-Reiniciar"},
                 {f.Button3, Bounds(545, 450, 75, 25), u"Z-Zerar"}};
  for (const TCase& c : buttons) {
    SCOPED_TRACE(UTF8Encode(c.Caption));
    EXPECT_EQ(c.Button->GetBoundsRect(), c.Bounds);
    EXPECT_EQ(c.Button->GetCaption(), c.Caption);
    EXPECT_EQ(c.Button->GetAnchors(), (TAnchors{akRight, akBottom}));
  }
  EXPECT_LT(f.Button1->GetTabOrder(), f.Button2->GetTabOrder());
  EXPECT_LT(f.Button2->GetTabOrder(), f.Button3->GetTabOrder());
  EXPECT_FALSE(f.Timer1->GetEnabled());
  EXPECT_EQ(f.Timer1->GetInterval(), 1000u);
  EXPECT_EQ(Shown(), u"40");
}

TEST_F(Countdown, IStartsAndEachSecondLowersTheNumber) {
  Press('I');
  EXPECT_EQ(Button1Says(), u"I-Pausar");
  EXPECT_TRUE(Running());
  AdvanceVirtualClock(999);
  EXPECT_EQ(Shown(), u"40");
  AdvanceVirtualClock(1);
  EXPECT_EQ(Shown(), u"39");
  AdvanceVirtualClock(29000);
  EXPECT_EQ(Shown(), u"10");
  AdvanceVirtualClock(1000);
  EXPECT_EQ(Shown(), u"9") << "no leading zero";
}

TEST_F(Countdown, IPausesAndContinuesAFullSecondAfterTheKey) {
  Press('I');
  AdvanceVirtualClock(1500);
  EXPECT_EQ(Shown(), u"39");
  Press('I');
  EXPECT_EQ(Button1Says(), u"I-Continuar");
  EXPECT_FALSE(Running());
  AdvanceVirtualClock(5000);
  EXPECT_EQ(Shown(), u"39");
  Press('I');
  EXPECT_EQ(Button1Says(), u"I-Pausar");
  AdvanceVirtualClock(999);
  EXPECT_EQ(Shown(), u"39");
  AdvanceVirtualClock(1);
  EXPECT_EQ(Shown(), u"38");
}

TEST_F(Countdown, RRestartsAt40AndStops) {
  Press('I');
  AdvanceVirtualClock(15000);
  EXPECT_EQ(Shown(), u"25");
  Press('I');  // paused at 25
  Press('R');
  EXPECT_EQ(Shown(), u"40");
  EXPECT_EQ(Colour(), clDefault);
  EXPECT_EQ(Button1Says(), u"I-Iniciar");
  EXPECT_FALSE(Running());
  AdvanceVirtualClock(3000);
  EXPECT_EQ(Shown(), u"40") << "no tick arrives";
}

TEST_F(Countdown, ZShowsTwoZerosAndIRestartsFrom40) {
  Press('I');
  AdvanceVirtualClock(2000);
  Press('Z');
  EXPECT_EQ(Shown(), u"00");
  EXPECT_EQ(Form1->segundos, 0);
  EXPECT_FALSE(Running());
  EXPECT_EQ(Button1Says(), u"I-Iniciar");
  AdvanceVirtualClock(3000);
  EXPECT_EQ(Shown(), u"00");
  Press('I');
  EXPECT_EQ(Shown(), u"40");
  AdvanceVirtualClock(1000);
  EXPECT_EQ(Shown(), u"39");
}

TEST_F(Countdown, AtZeroTheNumberTurnsRedTheSoundPlaysOnceAndTheTimerStops) {
  Press('I');
  AdvanceVirtualClock(39000);
  EXPECT_EQ(Shown(), u"1");
  EXPECT_TRUE(PlayedSounds().empty());
  AdvanceVirtualClock(1000);
  EXPECT_EQ(Shown(), u"0");
  EXPECT_EQ(Colour(), static_cast<TColor>(255)) << "pure red";
  EXPECT_EQ(Button1Says(), u"I-Iniciar");
  EXPECT_FALSE(Running());
  AdvanceVirtualClock(5000);
  const auto sounds = PlayedSounds();
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].Name, u"bip.wav");
  EXPECT_EQ(sounds[0].Flags, SND_ASYNC) << "that flag alone";
  // The red is on the screen: some pixel of the number is pure red.
  const TClientPixels pixels(Form1->GetHandle());
  bool red = false;
  for (int y = 100; y < 400 && !red; y += 3)
    for (int x = 200; x < 600 && !red; x += 3) red = pixels.At(x, y) == RGB(255, 0, 0);
  EXPECT_TRUE(red);
  EXPECT_TRUE(HeadlessMessageBoxes().empty()) << "a missing file is no error";

  // Z after the end keeps the red; I restarts from 40 in the default colour.
  Press('Z');
  EXPECT_EQ(Shown(), u"00");
  EXPECT_EQ(Colour(), static_cast<TColor>(255));
  Press('I');
  EXPECT_EQ(Shown(), u"40");
  EXPECT_EQ(Colour(), clDefault);
  AdvanceVirtualClock(1000);
  EXPECT_EQ(Shown(), u"39");
}

TEST_F(Countdown, AMissingSoundFilePlaysTheDefaultSoundAndAPresentOneItself) {
  namespace fs = std::filesystem;
  const fs::path before = fs::current_path();
  // A folder of this process's own: test runs of several checkouts at once
  // must not share it.
  const fs::path dir = fs::temp_directory_path() / ("countdown-sound-test-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  fs::remove(dir / "bip.wav");
  Press('I');
  AdvanceVirtualClock(40000);
  ASSERT_EQ(PlayedSounds().size(), 1u);
  EXPECT_EQ(PlayedSounds()[0].Outcome, TSoundOutcome::DefaultSound);
  // The program's own sound, made by the build.
  fs::copy_file(COUNTDOWN_BIP_WAV, dir / "bip.wav");
  ClearPlayedSounds();
  Press('I');
  AdvanceVirtualClock(40000);
  ASSERT_EQ(PlayedSounds().size(), 1u);
  EXPECT_EQ(PlayedSounds()[0].Outcome, TSoundOutcome::File);
  fs::current_path(before);
  fs::remove_all(dir);
}

TEST_F(Countdown, TheKeysActWithAnyShiftStateAndStillReachTheFocusedControl) {
  std::vector<Word> reached;
  Form1->Button1->OnKeyDown = [&](TObject*, Word& key, TShiftState) { reached.push_back(key); };
  ASSERT_TRUE(Form1->Button1->Focused());
  struct TCase {
    const char* Name;
    std::initializer_list<UINT> Held;
  } cases[] = {{"alone", {}}, {"Shift", {VK_SHIFT}}, {"Ctrl", {VK_CONTROL}}, {"Alt", {VK_MENU}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    reached.clear();
    Press('I', c.Held);
    EXPECT_EQ(Button1Says(), u"I-Pausar");
    Press('Z', c.Held);
    EXPECT_EQ(Shown(), u"00");
    Press('R', c.Held);
    EXPECT_EQ(Shown(), u"40");
    EXPECT_EQ(Button1Says(), u"I-Iniciar");
    const std::vector<Word> letters{'I', 'Z', 'R'};
    std::vector<Word> got;
    for (Word k : reached)
      if (k == 'I' || k == 'Z' || k == 'R') got.push_back(k);
    EXPECT_EQ(got, letters) << "the focused button still gets each key";
  }
  // Typed in lower case, the same virtual keys.
  InjectText(u"iz");
  Pump();
  EXPECT_EQ(Shown(), u"00");
}

TEST_F(Countdown, TheButtonsPixelsSurviveTheLabelsRepaints) {
  HWND form = Form1->GetHandle();
  auto buttonsPixels = [&] {
    std::vector<COLORREF> out;
    const TClientPixels pixels(form);
    for (TButton* b : {Form1->Button1, Form1->Button2, Form1->Button3})
      for (int y = b->GetTop(); y < b->GetTop() + b->GetHeight(); ++y)
        for (int x = b->GetLeft(); x < b->GetLeft() + b->GetWidth(); ++x) out.push_back(pixels.At(x, y));
    return out;
  };
  Press('I');
  Press('I');  // paused: the captions stay as they are from here
  Press('I');
  const auto before = buttonsPixels();
  AdvanceVirtualClock(1000);
  EXPECT_EQ(Shown(), u"39");
  EXPECT_EQ(buttonsPixels(), before) << "after a tick";
  AdvanceVirtualClock(39000);
  ASSERT_EQ(Shown(), u"0");
  // Button1 now reads "I-Iniciar": compare the other two.
  const auto after = buttonsPixels();
  const size_t one = 75 * 25;
  EXPECT_TRUE(std::equal(after.begin() + one, after.end(), before.begin() + one)) << "after the red repaint";
}

TEST_F(Countdown, ResizingKeepsTheButtonsInTheCornerAndTheNumberFillingTheWindow) {
  TForm1& f = *Form1;
  f.SetBounds(f.GetLeft(), f.GetTop(), f.GetWidth() + 210, f.GetHeight() + 122);
  ASSERT_EQ(f.GetClientWidth(), 1000);
  ASSERT_EQ(f.GetClientHeight(), 600);
  EXPECT_EQ(f.Label1->GetBoundsRect(), Rect(0, 0, 1000, 600));
  EXPECT_EQ(f.Button1->GetBoundsRect(), Bounds(707 + 210, 450 + 122, 75, 25));
  EXPECT_EQ(f.Button3->GetBoundsRect(), Bounds(545 + 210, 450 + 122, 75, 25));
  // The number's ink sits in the middle of the window.
  Pump();
  const TClientPixels pixels(f.GetHandle());
  LONG left = 1000, right = -1;
  for (int y = 0; y < 560; y += 2)
    for (int x = 0; x < 1000; ++x)
      if (pixels.At(x, y) == RGB(0, 0, 0)) {
        left = std::min<LONG>(left, x);
        right = std::max<LONG>(right, x);
      }
  ASSERT_LT(left, right);
  EXPECT_NEAR((left + right) / 2, 500, 12);
}

}  // namespace

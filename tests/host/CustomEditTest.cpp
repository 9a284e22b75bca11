// The edit control on a form: typed into with injected keys and clicks,
// OnChange and its errors, the selection and clipboard calls, the options
// that make a new window, the colours it answers and its form description.

#include <stdexcept>

#include "host/CustomEdit.h"
#include "host/Filer.h"
#include "host/SysUtils.h"
#include "platform/Edit.h"
#include "platform/GdiText.h"
#include "tests/host/ControlTestSupport.h"

namespace {

class CustomEdit : public TControlsTest {
 protected:
  void SetUp() override {
    TControlsTest::SetUp();
    ClearHeadlessNotices();
    Edit = new TEdit(Form.get());
    Edit->SetName(u"Edit");
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 150, 21);
    Edit->OnChange = [this](TObject*) { Changes.push_back(Edit->GetText()); };
  }
  void TearDown() override {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
    TControlsTest::TearDown();
    InjectDesktopFocus(nullptr);
    ClearHeadlessNotices();
  }

  // The width of text in the edit's font.
  int Width(const String& s) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Edit->GetFont()->GetHandle());
    SIZE size{};
    GetTextExtentPoint32W(dc, s.data(), static_cast<int>(s.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
  }
  // A client point of the edit on the screen.
  TPoint Screen(int x) { return Edit->ClientToScreen(Point(x, 5)); }

  TEdit* Edit = nullptr;
  std::vector<String> Changes;
};

// The margin left of the text: one pixel.
constexpr int Margin = 1;

TEST_F(CustomEdit, AFormsEditIsTypedIntoAndClickedAndShowsItsText) {
  ShowForm();
  EXPECT_TRUE(GetWindowLongW(Edit->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << "sunken by default";
  const TPoint start = Screen(2);
  InjectClick(VK_LBUTTON, start.X, start.Y);
  InjectText(u"Hello");
  Pump();
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->GetText(), u"Hello");
  EXPECT_EQ(Changes, (std::vector<String>{u"H", u"He", u"Hel", u"Hell", u"Hello"}));
  EXPECT_TRUE(Edit->GetModified());
  // A click after "He", then a character typed there.
  AdvanceVirtualClock(GetDoubleClickTime() + 10);
  const TPoint between = Screen(Margin + Width(u"He"));
  InjectClick(VK_LBUTTON, between.X, between.Y);
  InjectText(u"X");
  Pump();
  EXPECT_EQ(Edit->GetText(), u"HeXllo");
  EXPECT_EQ(Edit->GetSelStart(), 3);
  HideCaret(Edit->GetHandle());
  POINT first{};
  EXPECT_EQ(PixelsDifferingFrom(Edit->GetHandle(),
                                [](HDC dc) {
                                  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                                  TextOutW(dc, Margin, 0, u"HeXllo", 6);
                                },
                                &first),
            0)
      << first.X << ", " << first.Y;
  Form->Hide();
}

TEST_F(CustomEdit, OnChangeFiresOncePerChangeAndNotForAnEqualText) {
  Edit->SetText(u"before the window");
  EXPECT_TRUE(Changes.empty()) << "no window, no change notification";
  ShowForm();
  EXPECT_EQ(Edit->GetText(), u"before the window") << "the window takes the text";
  EXPECT_TRUE(Changes.empty());
  Edit->SetText(u"one");
  Edit->SetText(u"one");
  EXPECT_EQ(Changes, std::vector<String>{u"one"});
  EXPECT_FALSE(Edit->GetModified()) << "the program's text";
  Edit->SelectAll();
  Edit->SetSelText(u"two");
  EXPECT_EQ(Changes, (std::vector<String>{u"one", u"two"}));
  Edit->SelectAll();
  Edit->SetSelText(u"two");
  EXPECT_EQ(Changes.size(), 3u) << "a replacement is a change even when the text stays";
}

TEST_F(CustomEdit, AnExceptionFromOnChangeReachesTheErrorBoxAndTheEditStaysUsable) {
  Edit->OnChange = [this](TObject*) {
    Changes.push_back(Edit->GetText());
    if (Edit->GetText() == u"ab") throw Exception(u"Not \"ab\"");
  };
  ShowForm();
  Edit->SetFocus();
  InjectText(u"abc");
  Pump();
  const auto boxes = HeadlessMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, u"Not \"ab\"");
  EXPECT_EQ(Edit->GetText(), u"abc") << "the change was kept and typing went on";
  EXPECT_EQ(Changes, (std::vector<String>{u"a", u"ab", u"abc"}));
  EXPECT_EQ(Edit->GetSelStart(), 3);
  InjectKeyPress(VK_BACK);
  Pump();
  EXPECT_EQ(Edit->GetText(), u"ab");
  EXPECT_EQ(HeadlessMessageBoxes().size(), 2u);
  Form->Hide();
}

TEST_F(CustomEdit, SelectionClipboardAndUndo) {
  ShowForm();
  Edit->SetText(u"abcdef");
  Edit->SetSelStart(1);
  Edit->SetSelLength(3);
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 3);
  EXPECT_EQ(Edit->GetSelText(), u"bcd");
  Edit->CutToClipboard();
  EXPECT_EQ(Edit->GetText(), u"aef");
  EXPECT_TRUE(Edit->GetModified());
  EXPECT_TRUE(Edit->GetCanUndo());
  Edit->Undo();
  EXPECT_EQ(Edit->GetText(), u"abcdef");
  Edit->Undo();
  EXPECT_EQ(Edit->GetText(), u"aef") << "undoing again restores";
  Edit->SetSelStart(3);
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->GetText(), u"aefbcd");
  Edit->SelectAll();
  EXPECT_EQ(Edit->GetSelLength(), 6);
  Edit->CopyToClipboard();
  Edit->SetSelStart(0);
  Edit->SetSelLength(3);
  Edit->ClearSelection();
  EXPECT_EQ(Edit->GetText(), u"bcd");
  Edit->ClearUndo();
  EXPECT_FALSE(Edit->GetCanUndo());
  Edit->SetSelStart(3);
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->GetText(), u"bcdaefbcd");
  Edit->SetModified(false);
  EXPECT_FALSE(Edit->GetModified());
  EXPECT_EQ(Changes.size(), 7u);
}

TEST_F(CustomEdit, OptionsReachTheWindowAndSurviveANewOne) {
  Edit->SetMaxLength(5);
  Edit->SetPasswordChar(u'*');
  Edit->SetReadOnly(true);
  Edit->SetTextHint(u"Name");
  Edit->SetModified(true);
  ShowForm();
  HWND h = Edit->GetHandle();
  EXPECT_EQ(SendMessageW(h, EM_GETLIMITTEXT, 0, 0), 5);
  EXPECT_EQ(SendMessageW(h, EM_GETPASSWORDCHAR, 0, 0), u'*');
  EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & ES_READONLY);
  char16_t hint[8] = {};
  SendMessageW(h, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(hint), 8);
  EXPECT_EQ(String(hint), u"Name");
  EXPECT_TRUE(Edit->GetModified());
  Edit->SetReadOnly(false);
  Edit->SetText(u"abc");
  Edit->SetModified(true);

  struct TStyleCase {
    std::function<void()> Change;
    DWORD Style;
  } cases[] = {
      {[&] { Edit->SetAlignment(taRightJustify); }, ES_RIGHT},
      {[&] { Edit->SetAlignment(taCenter); }, ES_CENTER},
      {[&] { Edit->SetCharCase(ecUpperCase); }, ES_UPPERCASE},
      {[&] { Edit->SetCharCase(ecLowerCase); }, ES_LOWERCASE},
      {[&] { Edit->SetHideSelection(false); }, ES_NOHIDESEL},
      {[&] { Edit->SetOEMConvert(true); }, ES_OEMCONVERT},
  };
  for (const TStyleCase& c : cases) {
    c.Change();
    EXPECT_TRUE(GetWindowLongW(Edit->GetHandle(), GWL_STYLE) & c.Style) << std::hex << c.Style;
    EXPECT_TRUE(Edit->GetModified()) << "kept across the new window";
  }
  EXPECT_EQ(Edit->GetText(), u"abc");
  Edit->SetCharCase(ecUpperCase);
  EXPECT_EQ(Edit->GetText(), u"ABC");
  EXPECT_EQ(SendMessageW(Edit->GetHandle(), EM_GETLIMITTEXT, 0, 0), 5);
  Edit->SetBorderStyle(bsNone);
  EXPECT_FALSE(GetWindowLongW(Edit->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  Form->Hide();
}

TEST_F(CustomEdit, ItsColourAndFontColourPaintIt) {
  Edit->SetColor(clYellow);
  Edit->GetFont()->SetColor(clRed);
  Edit->SetText(u"Colour");
  Edit->SetBorderStyle(bsNone);
  Edit->SetTabStop(false);  // unfocused: no caret, no selection
  ShowForm();
  POINT first{};
  EXPECT_EQ(PixelsDifferingFrom(Edit->GetHandle(),
                                [](HDC dc) {
                                  RECT all{0, 0, 150, 21};
                                  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
                                  FillRect(dc, &all, yellow);
                                  DeleteObject(yellow);
                                  SetTextColor(dc, RGB(255, 0, 0));
                                  TextOutW(dc, Margin, 0, u"Colour", 6);
                                },
                                &first),
            0)
      << first.X << ", " << first.Y;
  Form->Hide();
}

TEST_F(CustomEdit, TheKeyboardsFocusSelectsAllButAClickDoesNot) {
  auto* button = new TButton(Form.get());
  button->SetParent(Form.get());
  button->SetBounds(10, 50, 75, 25);
  button->SetTabOrder(0);
  Edit->SetText(u"whole");
  ShowForm();
  ASSERT_TRUE(button->Focused());
  InjectKeyPress(VK_TAB);
  Pump();
  ASSERT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->GetSelLength(), 5);
  button->SetFocus();
  const TPoint p = Screen(Margin + Width(u"wh"));
  InjectClick(VK_LBUTTON, p.X, p.Y);
  Pump();
  ASSERT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->GetSelStart(), 2);
  EXPECT_EQ(Edit->GetSelLength(), 0);
  Edit->SetAutoSelect(false);
  button->SetFocus();
  InjectKeyPress(VK_TAB);
  Pump();
  EXPECT_EQ(Edit->GetSelLength(), 0);
  Form->Hide();
}

TEST_F(CustomEdit, CallDefWndProcPassesTheControlsOwnHandling) {
  int presses = 0;
  Edit->OnKeyPress = [&](TObject*, Char&) { ++presses; };
  ShowForm();
  Edit->Perform(WM_CHAR, u'a', 0);
  EXPECT_EQ(presses, 1);
  Edit->CallDefWndProc(WM_CHAR, u'b', 0);
  EXPECT_EQ(presses, 1) << "straight to the window's procedure";
  EXPECT_EQ(Edit->GetText(), u"ab");
  EXPECT_EQ(Edit->CallDefWndProc(WM_GETTEXTLENGTH, 0, 0), 2);
  Form->Hide();
}

TEST_F(CustomEdit, ItIsReadFromAFormDescription) {
  TObject::Free(Edit);
  Edit = nullptr;
  const char16_t* text =
      u"object Form: TCustomForm\n"
      u"  object Name: TEdit\n"
      u"    Left = 8\n    Top = 8\n    Width = 100\n    Height = 21\n"
      u"    Alignment = taRightJustify\n    AutoSelect = False\n    BorderStyle = bsNone\n"
      u"    CharCase = ecUpperCase\n    HideSelection = False\n    MaxLength = 9\n    OEMConvert = True\n"
      u"    PasswordChar = '#'\n    ReadOnly = True\n    Text = 'stored'\n    TextHint = 'hint'\n"
      u"  end\n"
      u"end\n";
  Form->SetName(u"");
  ReadComponentFromText(text, Form.get());
  auto* read = dynamic_cast<TEdit*>(Form->FindComponent(u"Name"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetAlignment(), taRightJustify);
  EXPECT_FALSE(read->GetAutoSelect());
  EXPECT_EQ(read->GetBorderStyle(), bsNone);
  EXPECT_EQ(read->GetCharCase(), ecUpperCase);
  EXPECT_FALSE(read->GetHideSelection());
  EXPECT_EQ(read->GetMaxLength(), 9);
  EXPECT_TRUE(read->GetOEMConvert());
  EXPECT_EQ(read->GetPasswordChar(), u'#');
  EXPECT_TRUE(read->GetReadOnly());
  EXPECT_EQ(read->GetTextHint(), u"hint");
  EXPECT_TRUE(read->GetTabStop());
  EXPECT_FALSE(read->GetParentColor());
  EXPECT_EQ(read->GetText(), u"stored");
  ShowForm();
  EXPECT_EQ(read->GetText(), u"STORED") << "the window takes the text in its case";
  Form->Hide();
}

}  // namespace

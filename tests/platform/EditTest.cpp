// The EDIT class on the headless backend: keys and characters (injected
// and sent), EN_CHANGE and exceptions from its handler, the mouse at
// character boundaries, its pixels, the clipboard and the caret's blinking.

#include <functional>
#include <stdexcept>
#include <string>

#include "platform/Edit.h"
#include "platform/GdiText.h"
#include "tests/SurfacePixels.h"
#include "tests/platform/InputTestSupport.h"

namespace {

// The default GUI font's widths, measured on the screen: what the edit's
// positions are worked out from.
struct TFontMeasure {
  TFontMeasure() : DC(GetDC(nullptr)), Old(SelectObject(DC, GetStockObject(DEFAULT_GUI_FONT))) {}
  ~TFontMeasure() {
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
  }
  int Width(const std::u16string& s) const {
    SIZE size{};
    GetTextExtentPoint32W(DC, s.data(), static_cast<int>(s.size()), &size);
    return size.cx;
  }
  int Height() const {
    TEXTMETRICW tm{};
    GetTextMetricsW(DC, &tm);
    return tm.tmHeight;
  }
  HDC DC;
  HGDIOBJ Old;
};

// The left margin: one pixel.
constexpr int Margin = 1;
constexpr int EditLeft = 10, EditTop = 10;

class TEditTest : public TInputTest {
 protected:
  void SetUp() override {
    TInputTest::SetUp();
    Top = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 300, 100});
  }
  void TearDown() override {
    SetFocus(nullptr);
    DestroyWindow(Top);
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
    Pump();
    ClearHeadlessNotices();
    TInputTest::TearDown();
  }

  HWND MakeEdit(DWORD style = 0, int width = 200, const char16_t* text = u"") {
    Edit = CreateWindowExW(0, u"EDIT", text, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | style, EditLeft, EditTop, width,
                           24, Top, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    Pump();
    return Edit;
  }

  std::u16string Text() const {
    std::u16string s(static_cast<size_t>(GetWindowTextLengthW(Edit)) + 1, u'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(Edit, s.data(), static_cast<int>(s.size()))));
    return s;
  }
  std::pair<int, int> Selection() const {
    DWORD start = 0, end = 0;
    SendMessageW(Edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
  }
  int CaretIndex() const { return static_cast<int>(SendMessageW(Edit, EM_GETCARETINDEX, 0, 0)); }
  int Notifications(WORD code) const {
    int n = 0;
    for (const TLogged& l : MessageLog())
      if (l.Window == Top && l.Message == WM_COMMAND && l.WParam == MAKEWPARAM(7, code) && l.LParam == L(Edit)) ++n;
    return n;
  }
  static int Beeps() { return static_cast<int>(HeadlessBeeps().size()); }

  // A client point of the edit on the screen (the top-level window sits at
  // the screen's origin without a frame).
  static POINT Screen(int x, int y = 5) { return POINT{EditLeft + x, EditTop + y}; }

  HWND Top = nullptr;
  HWND Edit = nullptr;
  TFontMeasure Font;
};

// --- keys and characters -----------------------------------------------------------

enum TMods : unsigned { None = 0, Shift = 1, Ctrl = 2 };

struct TStroke {
  UINT Key = 0;  // 0: type Text
  unsigned Mods = None;
  std::u16string Text;
};
TStroke K(UINT key, unsigned mods = None) { return {key, mods, {}}; }
TStroke T(std::u16string text) { return {0, None, std::move(text)}; }

struct TCase {
  const char* Name;
  DWORD Style;
  int Limit;
  std::u16string Text;
  int Anchor, Caret;
  std::vector<TStroke> Strokes;
  std::u16string Expected;
  int Start, End, CaretAfter;
  int Changes, Beeps;
};

const std::vector<TCase>& Cases() {
  static const std::vector<TCase> cases = {
      {"left moves one character", 0, 0, u"abc", 3, 3, {K(VK_LEFT)}, u"abc", 2, 2, 2, 0, 0},
      {"left stops at the start", 0, 0, u"abc", 0, 0, {K(VK_LEFT)}, u"abc", 0, 0, 0, 0, 0},
      {"right moves one character", 0, 0, u"abc", 1, 1, {K(VK_RIGHT)}, u"abc", 2, 2, 2, 0, 0},
      {"right stops at the end", 0, 0, u"abc", 3, 3, {K(VK_RIGHT)}, u"abc", 3, 3, 3, 0, 0},
      {"left collapses a selection to its left end", 0, 0, u"abcdef", 1, 3, {K(VK_LEFT)}, u"abcdef", 1, 1, 1, 0, 0},
      {"right collapses a selection to its right end", 0, 0, u"abcdef", 3, 1, {K(VK_RIGHT)}, u"abcdef", 3, 3, 3, 0, 0},
      {"shift extends from the anchor", 0, 0, u"abcdef", 2, 2, {K(VK_RIGHT, Shift), K(VK_RIGHT, Shift)}, u"abcdef", 2,
       4, 4, 0, 0},
      {"shift crosses the anchor", 0, 0, u"abcdef", 2, 4,
       {K(VK_LEFT, Shift), K(VK_LEFT, Shift), K(VK_LEFT, Shift)}, u"abcdef", 1, 2, 1, 0, 0},
      {"shift home selects to the start", 0, 0, u"abc def", 3, 3, {K(VK_HOME, Shift)}, u"abc def", 0, 3, 0, 0, 0},
      {"end drops the selection at the end", 0, 0, u"abc def", 3, 0, {K(VK_END)}, u"abc def", 7, 7, 7, 0, 0},
      {"ctrl right goes word by word", 0, 0, u"one two  three", 0, 0, {K(VK_RIGHT, Ctrl), K(VK_RIGHT, Ctrl)},
       u"one two  three", 9, 9, 9, 0, 0},
      {"ctrl right ends at the end", 0, 0, u"one two  three", 9, 9, {K(VK_RIGHT, Ctrl)}, u"one two  three", 14, 14,
       14, 0, 0},
      {"ctrl left goes to the starts of words", 0, 0, u"one two  three", 14, 14,
       {K(VK_LEFT, Ctrl), K(VK_LEFT, Ctrl)}, u"one two  three", 4, 4, 4, 0, 0},
      {"ctrl shift left selects a word", 0, 0, u"one two", 7, 7, {K(VK_LEFT, Ctrl | Shift)}, u"one two", 4, 7, 4, 0,
       0},
      {"left steps over a surrogate pair", 0, 0, u"a\U0001F600b", 3, 3, {K(VK_LEFT)}, u"a\U0001F600b", 1, 1, 1, 0, 0},
      {"backspace removes a surrogate pair whole", 0, 0, u"a\U0001F600b", 3, 3, {K(VK_BACK)}, u"ab", 1, 1, 1, 1, 0},
      {"delete removes the next character", 0, 0, u"abc", 1, 1, {K(VK_DELETE)}, u"ac", 1, 1, 1, 1, 0},
      {"delete at the end changes nothing", 0, 0, u"abc", 3, 3, {K(VK_DELETE)}, u"abc", 3, 3, 3, 0, 0},
      {"delete removes the selection", 0, 0, u"abcdef", 1, 4, {K(VK_DELETE)}, u"aef", 1, 1, 1, 1, 0},
      {"backspace removes the previous character", 0, 0, u"abc", 2, 2, {K(VK_BACK)}, u"ac", 1, 1, 1, 1, 0},
      {"backspace at the start changes nothing", 0, 0, u"abc", 0, 0, {K(VK_BACK)}, u"abc", 0, 0, 0, 0, 0},
      {"backspace removes the selection", 0, 0, u"abcdef", 4, 1, {K(VK_BACK)}, u"aef", 1, 1, 1, 1, 0},
      {"typing replaces the selection", 0, 0, u"hello", 1, 4, {T(u"EY")}, u"hEYo", 3, 3, 3, 2, 0},
      {"characters beyond the maximum length beep", 0, 5, u"abcd", 4, 4, {T(u"xyz")}, u"abcdx", 5, 5, 5, 1, 2},
      {"typing over a selection at the maximum length", 0, 5, u"abcde", 0, 2, {T(u"q")}, u"qcde", 1, 1, 1, 1, 0},
      {"read-only refuses every change", ES_READONLY, 0, u"abc", 1, 1,
       {T(u"x"), K(VK_BACK), K(VK_DELETE), K('V', Ctrl), K(VK_RIGHT)}, u"abc", 2, 2, 2, 0, 4},
      {"upper case", ES_UPPERCASE, 0, u"", 0, 0, {T(u"aBc1")}, u"ABC1", 4, 4, 4, 4, 0},
      {"lower case", ES_LOWERCASE, 0, u"", 0, 0, {T(u"aBc1")}, u"abc1", 4, 4, 4, 4, 0},
      {"enter, escape and tab are not text", 0, 0, u"ab", 1, 1, {K(VK_RETURN), K(VK_ESCAPE), K(VK_TAB)}, u"ab", 1, 1,
       1, 0, 0},
      {"ctrl A selects everything", 0, 0, u"abc", 1, 1, {K('A', Ctrl)}, u"abc", 0, 3, 3, 0, 0},
      {"ctrl C copies and ctrl V pastes", 0, 0, u"ab", 0, 2, {K('C', Ctrl), K(VK_END), K('V', Ctrl)}, u"abab", 4, 4, 4,
       1, 0},
      {"ctrl X cuts", 0, 0, u"abcd", 1, 3, {K('X', Ctrl), K(VK_END), K('V', Ctrl)}, u"adbc", 4, 4, 4, 2, 0},
      {"shift delete cuts and shift insert pastes", 0, 0, u"abcd", 1, 3,
       {K(VK_DELETE, Shift), K(VK_INSERT, Shift), K(VK_INSERT, Shift)}, u"abcbcd", 5, 5, 5, 3, 0},
      {"ctrl Z undoes the typing as one", 0, 0, u"abc", 3, 3, {T(u"xy"), K('Z', Ctrl)}, u"abc", 3, 3, 3, 3, 0},
      {"a second ctrl Z restores", 0, 0, u"abc", 3, 3, {T(u"xy"), K('Z', Ctrl), K('Z', Ctrl)}, u"abcxy", 5, 5, 5, 4,
       0},
      {"undo brings the selection back", 0, 0, u"abcdef", 1, 4, {K(VK_DELETE), K('Z', Ctrl)}, u"abcdef", 1, 4, 4, 2,
       0},
      {"a move ends the typing undone at once", 0, 0, u"", 0, 0, {T(u"ab"), K(VK_LEFT), T(u"c"), K('Z', Ctrl)}, u"ab",
       1, 1, 1, 4, 0},
  };
  return cases;
}

// Through the queue, as the user types.
void Inject(const TStroke& s) {
  if (s.Key == 0) {
    InjectText(s.Text);
    return;
  }
  if (s.Mods & Shift) InjectKey(VK_LSHIFT, TRUE);
  if (s.Mods & Ctrl) InjectKey(VK_LCONTROL, TRUE);
  InjectKeyPress(s.Key);
  if (s.Mods & Ctrl) InjectKey(VK_LCONTROL, FALSE);
  if (s.Mods & Shift) InjectKey(VK_LSHIFT, FALSE);
}

// The character a key types, as TranslateMessage gives it.
std::optional<char16_t> CharOf(const TStroke& s) {
  if ((s.Mods & Ctrl) && s.Key >= 'A' && s.Key <= 'Z') return static_cast<char16_t>(s.Key - 'A' + 1);
  switch (s.Key) {
    case VK_BACK: return u'\b';
    case VK_TAB: return u'\t';
    case VK_RETURN: return u'\r';
    case VK_ESCAPE: return u'\x1B';
    default: return std::nullopt;
  }
}

class TEditKeys : public TEditTest, public ::testing::WithParamInterface<bool> {
 protected:
  // Sent by the program with lParam 0, the modifiers only in the key state.
  void Send(const TStroke& s) {
    if (s.Key == 0) {
      for (char16_t c : s.Text) SendMessageW(Edit, WM_CHAR, c, 0);
      return;
    }
    if (s.Mods & Shift) InjectKey(VK_LSHIFT, TRUE);
    if (s.Mods & Ctrl) InjectKey(VK_LCONTROL, TRUE);
    Pump();
    SendMessageW(Edit, WM_KEYDOWN, s.Key, 0);
    if (auto c = CharOf(s)) SendMessageW(Edit, WM_CHAR, *c, 0);
    if (s.Mods & Ctrl) InjectKey(VK_LCONTROL, FALSE);
    if (s.Mods & Shift) InjectKey(VK_LSHIFT, FALSE);
    Pump();
  }
};

TEST_P(TEditKeys, TheTableOfKeys) {
  const bool synthetic = GetParam();
  for (const TCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    MakeEdit(c.Style, 200, c.Text.c_str());
    SendMessageW(Edit, EM_LIMITTEXT, static_cast<WPARAM>(c.Limit), 0);
    SendMessageW(Edit, EM_SETSEL, static_cast<WPARAM>(c.Anchor), c.Caret);
    SetFocus(Edit);
    Pump();
    MessageLog().clear();
    ClearHeadlessNotices();
    for (const TStroke& s : c.Strokes) {
      if (synthetic) {
        Send(s);
      } else {
        Inject(s);
        Pump();
      }
    }
    EXPECT_EQ(Text(), c.Expected);
    EXPECT_EQ(Selection(), std::make_pair(c.Start, c.End));
    EXPECT_EQ(CaretIndex(), c.CaretAfter);
    EXPECT_EQ(Notifications(EN_CHANGE), c.Changes);
    EXPECT_EQ(Beeps(), c.Beeps);
    SetFocus(nullptr);
    DestroyWindow(Edit);
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Edit, TEditKeys, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Sent" : "Injected"; });

// --- changes and their notification -------------------------------------------------

using EditChanges = TEditTest;

TEST_F(EditChanges, EnChangeArrivesBeforeSetTextReturns) {
  MakeEdit();
  std::vector<std::u16string> seen;
  TestHandler() = [&](HWND w, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (w == Top && msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) seen.push_back(Text());
    return std::nullopt;
  };
  SendMessageW(Edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"new"));
  EXPECT_EQ(seen, std::vector<std::u16string>{u"new"}) << "sent, with the text in place";
  SendMessageW(Edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"new"));
  EXPECT_EQ(seen.size(), 2u) << "an equal text is a change too";
  EXPECT_EQ(Selection(), std::make_pair(0, 0));
  EXPECT_FALSE(SendMessageW(Edit, EM_GETMODIFY, 0, 0)) << "set text is not the user's";
  EXPECT_FALSE(SendMessageW(Edit, EM_CANUNDO, 0, 0));
  SendMessageW(Edit, EM_SETSEL, 3, 3);
  SendMessageW(Edit, WM_CHAR, u'!', 0);
  EXPECT_TRUE(SendMessageW(Edit, EM_GETMODIFY, 0, 0));
  EXPECT_EQ(seen.back(), u"new!");
  SendMessageW(Edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"?\r\nlost"));
  EXPECT_EQ(seen.back(), u"new!?") << "replaced text stops at its line break";
  EXPECT_FALSE(SendMessageW(Edit, EM_CANUNDO, 0, 0)) << "replaced without undo";
  SendMessageW(Edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"+"));
  EXPECT_TRUE(SendMessageW(Edit, EM_UNDO, 0, 0));
  EXPECT_EQ(Text(), u"new!?");
  EXPECT_EQ(seen.size(), 6u);
}

TEST_F(EditChanges, AnExceptionFromTheParentLeavesTheChangeDone) {
  MakeEdit(0, 200, u"ab");
  SetFocus(Edit);
  SendMessageW(Edit, EM_SETSEL, 2, 2);
  TestHandler() = [&](HWND w, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (w == Top && msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) throw std::runtime_error("refused");
    return std::nullopt;
  };
  EXPECT_THROW(SendMessageW(Edit, WM_CHAR, u'c', 0), std::runtime_error);
  EXPECT_EQ(Text(), u"abc");
  EXPECT_EQ(Selection(), std::make_pair(3, 3));
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_EQ(caret.X, Margin + Font.Width(u"abc")) << "the caret followed";
  EXPECT_THROW(SendMessageW(Edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"xyz")), std::runtime_error);
  EXPECT_EQ(Text(), u"xyz");
  TestHandler() = nullptr;
  SendMessageW(Edit, EM_SETSEL, 0, 3);
  SendMessageW(Edit, WM_CHAR, u'q', 0);
  EXPECT_EQ(Text(), u"q");
  EXPECT_TRUE(SendMessageW(Edit, EM_UNDO, 0, 0));
  EXPECT_EQ(Text(), u"xyz") << "the undo saved before the failed notification still works";
}

TEST_F(EditChanges, TheClipboardRoundTripCutsAtLineBreaksAndTheMaximum) {
  MakeEdit(0, 200, u"one two");
  SendMessageW(Edit, EM_SETSEL, 0, 3);
  SendMessageW(Edit, WM_COPY, 0, 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto* copied = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  ASSERT_NE(copied, nullptr);
  EXPECT_STREQ(copied, "one") << "also as ANSI text";
  CloseClipboard();

  auto setClipboard = [](const std::u16string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2);
    std::copy_n(text.c_str(), text.size() + 1, static_cast<char16_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
  };
  setClipboard(u"first\r\nsecond");
  SendMessageW(Edit, EM_SETSEL, 7, 7);
  SendMessageW(Edit, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(), u"one twofirst");
  SendMessageW(Edit, EM_LIMITTEXT, 14, 0);
  EXPECT_EQ(SendMessageW(Edit, EM_GETLIMITTEXT, 0, 0), 14);
  MessageLog().clear();
  SendMessageW(Edit, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(), u"one twofirstfi") << "cut at the maximum length";
  EXPECT_EQ(Notifications(EN_MAXTEXT), 1);
  EXPECT_EQ(Beeps(), 0) << "a program's paste does not beep";
  SendMessageW(Edit, EM_SETSEL, 0, 4);
  SendMessageW(Edit, WM_CUT, 0, 0);
  EXPECT_EQ(Text(), u"twofirstfi");
  SendMessageW(Edit, EM_SETSEL, 10, 10);
  SendMessageW(Edit, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(), u"twofirstfione ");
  SendMessageW(Edit, EM_SETSEL, 0, 3);
  SendMessageW(Edit, WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(), u"firstfione ");
  // A password is never copied.
  SendMessageW(Edit, EM_SETPASSWORDCHAR, u'*', 0);
  SendMessageW(Edit, EM_SETSEL, 0, 5);
  SendMessageW(Edit, WM_COPY, 0, 0);
  SendMessageW(Edit, WM_CUT, 0, 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)))), u"one ");
  CloseClipboard();
  EXPECT_EQ(Text(), u"firstfione ");
}

TEST_F(EditChanges, WithoutAutomaticScrollingTextThatWouldNotFitIsRefused) {
  Edit = CreateWindowExW(0, u"EDIT", u"", WS_CHILD | WS_VISIBLE, EditLeft, EditTop, 40, 24, Top, reinterpret_cast<HMENU>(7), nullptr,
                         nullptr);
  SetFocus(Edit);
  const std::u16string typed = u"wwwwwwwwwwwwwwwwwwww";
  for (char16_t c : typed) SendMessageW(Edit, WM_CHAR, c, 0);
  // As many as fit in 40 less the margins and the caret.
  size_t fit = 0;
  while (fit < typed.size() && Font.Width(typed.substr(0, fit + 1)) <= 40 - 2 * Margin - 1) ++fit;
  ASSERT_LT(fit, typed.size());
  EXPECT_EQ(Text(), typed.substr(0, fit));
  EXPECT_EQ(Beeps(), static_cast<int>(typed.size() - fit));
  EXPECT_EQ(SendMessageW(Edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(Notifications(EN_MAXTEXT), static_cast<int>(typed.size() - fit));
}

TEST_F(EditChanges, TheControlAnswersItsMessages) {
  MakeEdit(ES_PASSWORD);
  EXPECT_EQ(SendMessageW(Edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL);
  EXPECT_EQ(SendMessageW(Edit, EM_GETPASSWORDCHAR, 0, 0), u'*') << "ES_PASSWORD";
  EXPECT_EQ(SendMessageW(Edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
  EXPECT_EQ(SendMessageW(Edit, EM_GETMARGINS, 0, 0), MAKELONG(1, 1));
  SendMessageW(Edit, EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(4, 9));
  EXPECT_EQ(SendMessageW(Edit, EM_GETMARGINS, 0, 0), MAKELONG(4, 1));
  SendMessageW(Edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, EC_USEFONTINFO);
  EXPECT_EQ(SendMessageW(Edit, EM_GETMARGINS, 0, 0), MAKELONG(1, 1));
  EXPECT_TRUE(SendMessageW(Edit, EM_SETREADONLY, TRUE, 0));
  EXPECT_TRUE(GetWindowLongW(Edit, GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(SendMessageW(Edit, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(u"Name")));
  char16_t cue[8] = {};
  EXPECT_TRUE(SendMessageW(Edit, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 8));
  EXPECT_EQ(std::u16string(cue), u"Name");
  SendMessageW(Edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"abcdef"));
  SendMessageW(Edit, EM_SETSEL, 5, 2);
  EXPECT_EQ(SendMessageW(Edit, EM_GETSEL, 0, 0), MAKELONG(2, 5));
  EXPECT_EQ(CaretIndex(), 2) << "the caret is the moving end";
  SendMessageW(Edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(Selection(), std::make_pair(2, 2)) << "-1 drops the selection at the caret";
  SendMessageW(Edit, EM_SETSEL, 1, -1);
  EXPECT_EQ(Selection(), std::make_pair(1, 6));
  SendMessageW(Edit, EM_SETCARETINDEX, 4, 0);
  EXPECT_EQ(Selection(), std::make_pair(4, 4));
}

// --- the mouse -----------------------------------------------------------------------

using EditMouse = TEditTest;

TEST_F(EditMouse, AClickPlacesTheCaretAtTheNearestBoundary) {
  const std::u16string text = u"Dawn Bow";
  MakeEdit(0, 200, text.c_str());
  for (size_t k = 1; k <= text.size(); ++k) {
    ASSERT_GE(Font.Width(text.substr(k - 1, 1)), 2) << "each character has two halves";
  }
  for (int k = 0; k <= static_cast<int>(text.size()); ++k) {
    const int boundary = Margin + Font.Width(text.substr(0, static_cast<size_t>(k)));
    for (int x : {boundary - 1, boundary}) {
      SCOPED_TRACE(x);
      const POINT p = Screen(x);
      InjectClick(VK_LBUTTON, p.X, p.Y);
      AdvanceVirtualClock(GetDoubleClickTime() + 10);  // no double click
      EXPECT_EQ(GetFocus(), Edit);
      EXPECT_EQ(Selection(), std::make_pair(k, k));
    }
  }
  const POINT beyond = Screen(180);
  InjectClick(VK_LBUTTON, beyond.X, beyond.Y);
  AdvanceVirtualClock(GetDoubleClickTime() + 10);
  EXPECT_EQ(CaretIndex(), static_cast<int>(text.size()));
}

TEST_F(EditMouse, ADragSelectsUnderCaptureAndScrollsTheText) {
  MakeEdit(0, 200, u"alpha beta gamma");
  const auto at = [&](int k) { return Screen(Margin + Font.Width(std::u16string(u"alpha beta gamma").substr(0, k))); };
  InjectMouseButton(VK_LBUTTON, TRUE, at(2).X, at(2).Y);
  InjectMouseMove(at(8).X, at(8).Y);
  Pump();
  EXPECT_EQ(GetCapture(), Edit);
  EXPECT_EQ(Selection(), std::make_pair(2, 8));
  EXPECT_EQ(CaretIndex(), 8);
  InjectMouseButton(VK_LBUTTON, FALSE, at(8).X, at(8).Y);
  Pump();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Selection(), std::make_pair(2, 8));

  // Scrolled to the end of a long text, a drag past the left edge brings
  // the hidden characters back into view.
  std::u16string longText;
  for (int i = 0; i < 6; ++i) longText += u"0123456789";
  SetWindowTextW(Edit, longText.c_str());
  SetWindowPos(Edit, nullptr, 0, 0, 60, 24, SWP_NOMOVE | SWP_NOZORDER);
  SendMessageW(Edit, EM_SETSEL, 60, 60);
  const int first = static_cast<int>(SendMessageW(Edit, EM_GETFIRSTVISIBLELINE, 0, 0));
  ASSERT_GT(first, 0);
  AdvanceVirtualClock(GetDoubleClickTime() + 10);
  const POINT inside = Screen(30);
  InjectMouseButton(VK_LBUTTON, TRUE, inside.X, inside.Y);
  InjectMouseMove(EditLeft - 8, inside.Y);
  Pump();
  const int caret = CaretIndex();
  EXPECT_LT(caret, first);
  EXPECT_EQ(SendMessageW(Edit, EM_GETFIRSTVISIBLELINE, 0, 0), caret) << "scrolled as far as the caret";
  // Eight pixels left of the edge: the boundary nearest to that point of
  // the text, the one before a character when the point is in its left half.
  const auto ext = [&](int k) { return Font.Width(longText.substr(0, static_cast<size_t>(k))); };
  const int point = ext(first) - 8 - Margin;
  int j = 0;
  while (ext(j + 1) <= point) ++j;
  EXPECT_EQ(caret, point - ext(j) < (ext(j + 1) - ext(j)) / 2 ? j : j + 1);
  InjectMouseButton(VK_LBUTTON, FALSE, inside.X, inside.Y);
  Pump();
}

TEST_F(EditMouse, ADoubleClickSelectsAWordAndShiftClickExtends) {
  const std::u16string text = u"alpha beta gamma";
  MakeEdit(0, 200, text.c_str());
  const POINT inBeta = Screen(Margin + Font.Width(u"alpha be"));
  InjectClick(VK_LBUTTON, inBeta.X, inBeta.Y);
  InjectClick(VK_LBUTTON, inBeta.X, inBeta.Y);
  Pump();
  EXPECT_EQ(Selection(), std::make_pair(6, 10));
  AdvanceVirtualClock(GetDoubleClickTime() + 10);

  SendMessageW(Edit, EM_SETSEL, 2, 2);
  InjectKey(VK_LSHIFT, TRUE);
  const POINT atGamma = Screen(Margin + Font.Width(u"alpha beta "));
  InjectClick(VK_LBUTTON, atGamma.X, atGamma.Y);
  InjectKey(VK_LSHIFT, FALSE);
  Pump();
  EXPECT_EQ(Selection(), std::make_pair(2, 11));
  EXPECT_EQ(CaretIndex(), 11);
}

// --- pixels ----------------------------------------------------------------------------

class EditPixels : public TEditTest {
 protected:
  void ExpectPicture(const std::function<void(HDC)>& Draw) {
    POINT first{-1, -1};
    EXPECT_EQ(PixelsDifferingFrom(Edit, Draw, &first), 0) << "first at " << first.X << ", " << first.Y;
  }

  static void Draw(HDC dc, int x, const std::u16string& s, COLORREF color) {
    SetTextColor(dc, color);
    TextOutW(dc, x, 0, s.data(), static_cast<int>(s.size()));
  }
  static COLORREF Sys(int index) { return GetSysColor(index); }
};

TEST_F(EditPixels, TheSelectionShowsInHighlightColoursWhileFocused) {
  MakeEdit(0, 200, u"abcdef");
  SendMessageW(Edit, EM_SETSEL, 1, 4);
  SetFocus(Edit);
  HideCaret(Edit);
  Pump();
  const int a = Margin + Font.Width(u"a"), d = Margin + Font.Width(u"abcd");
  ExpectPicture([&](HDC dc) {
    Draw(dc, Margin, u"a", Sys(COLOR_WINDOWTEXT));
    const RECT selected{a, 0, d, Font.Height()};
    FillRect(dc, &selected, GetSysColorBrush(COLOR_HIGHLIGHT));
    Draw(dc, a, u"bcd", Sys(COLOR_HIGHLIGHTTEXT));
    Draw(dc, d, u"ef", Sys(COLOR_WINDOWTEXT));
  });
  SetFocus(nullptr);
  Pump();
  ExpectPicture([&](HDC dc) { Draw(dc, Margin, u"abcdef", Sys(COLOR_WINDOWTEXT)); });
  SetWindowLongW(Edit, GWL_STYLE, GetWindowLongW(Edit, GWL_STYLE) | ES_NOHIDESEL);
  Pump();
  EXPECT_EQ(ClientPixelOf(Edit, a, 0), Sys(COLOR_HIGHLIGHT)) << "kept while unfocused";
}

TEST_F(EditPixels, TheCaretFollowsMovesAndTypingPastTheWidth) {
  MakeEdit(0, 50, u"abcdef");
  SetFocus(Edit);
  InjectKeyPress(VK_HOME);
  InjectKeyPress(VK_RIGHT);
  InjectKeyPress(VK_RIGHT);
  Pump();
  const int x = Margin + Font.Width(u"ab");
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_EQ(caret, (POINT{x, 0}));
  ASSERT_TRUE(IsCaretOn());
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
  EXPECT_EQ(ClientPixelOf(Edit, x, 0), black) << "inverted white";
  EXPECT_EQ(ClientPixelOf(Edit, x, Font.Height() - 1), black) << "the font's height";
  EXPECT_EQ(ClientPixelOf(Edit, x, Font.Height()), white);
  EXPECT_EQ(ClientPixelOf(Edit, x + 1, 0), white) << "one pixel wide";

  const std::u16string typed = u"ghijklmnopqrst";
  InjectKeyPress(VK_END);
  InjectText(typed);
  Pump();
  const std::u16string all = u"abcdef" + typed;
  // The least scrolling that shows the caret: the text after the first
  // visible character fits in 50 less the margins and the caret.
  const int room = 50 - 2 * Margin - 1;
  int first = 0;
  while (Font.Width(all.substr(static_cast<size_t>(first))) > room) ++first;
  EXPECT_EQ(SendMessageW(Edit, EM_GETFIRSTVISIBLELINE, 0, 0), first);
  GetCaretPos(&caret);
  EXPECT_EQ(caret.X, Margin + Font.Width(all.substr(static_cast<size_t>(first))));
  EXPECT_LT(caret.X, 50) << "inside the client area";
  EXPECT_EQ(ClientPixelOf(Edit, caret.X, 0), black);
}

TEST_F(EditPixels, PasswordCharactersStandForTheText) {
  MakeEdit(0, 200, u"secret");
  SendMessageW(Edit, EM_SETPASSWORDCHAR, u'#', 0);
  Pump();
  ExpectPicture([&](HDC dc) { Draw(dc, Margin, u"######", Sys(COLOR_WINDOWTEXT)); });
  EXPECT_EQ(Text(), u"secret");
}

TEST_F(EditPixels, RightAndCentreAlignment) {
  MakeEdit(ES_RIGHT, 200, u"abc");
  // The text ends a caret's width before the right margin.
  ExpectPicture([&](HDC dc) { Draw(dc, 200 - Margin - 1 - Font.Width(u"abc"), u"abc", Sys(COLOR_WINDOWTEXT)); });
  DestroyWindow(Edit);
  MakeEdit(ES_CENTER, 200, u"abc");
  ExpectPicture([&](HDC dc) {
    Draw(dc, Margin + (200 - 2 * Margin - 1 - Font.Width(u"abc")) / 2, u"abc", Sys(COLOR_WINDOWTEXT));
  });
}

TEST_F(EditPixels, TheParentChoosesTheColoursAndDisabledTextIsGrey) {
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  TestHandler() = [&](HWND w, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (w != Top || msg != WM_CTLCOLOREDIT) return std::nullopt;
    SetTextColor(reinterpret_cast<HDC>(wParam), RGB(200, 0, 0));
    return reinterpret_cast<LRESULT>(yellow);
  };
  MakeEdit(0, 200, u"Colour");
  ExpectPicture([&](HDC dc) {
    RECT all{0, 0, 200, 24};
    FillRect(dc, &all, yellow);
    Draw(dc, Margin, u"Colour", RGB(200, 0, 0));
  });
  TestHandler() = nullptr;
  DeleteObject(yellow);
  EnableWindow(Edit, FALSE);
  Pump();
  ExpectPicture([&](HDC dc) { Draw(dc, Margin, u"Colour", Sys(COLOR_GRAYTEXT)); });
}

TEST_F(EditPixels, NothingIsPaintedWhileRedrawIsOff) {
  MakeEdit(0, 200, u"before");
  SendMessageW(Edit, WM_SETREDRAW, FALSE, 0);
  SetWindowTextW(Edit, u"after");
  SendMessageW(Edit, EM_SETSEL, 0, 2);
  Pump();
  ExpectPicture([&](HDC dc) { Draw(dc, Margin, u"before", Sys(COLOR_WINDOWTEXT)); });
  SendMessageW(Edit, WM_SETREDRAW, TRUE, 0);
  Pump();
  ExpectPicture([&](HDC dc) { Draw(dc, Margin, u"after", Sys(COLOR_WINDOWTEXT)); });
}

TEST_F(EditPixels, TheCueBannerShowsWhileEmptyAndUnfocused) {
  MakeEdit();
  SendMessageW(Edit, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(u"Name"));
  Pump();
  ExpectPicture([&](HDC dc) { Draw(dc, Margin, u"Name", Sys(COLOR_GRAYTEXT)); });
  SetFocus(Edit);
  HideCaret(Edit);
  Pump();
  ExpectPicture([](HDC) {});
}

// --- the caret on the virtual clock ---------------------------------------------------

using EditCaret = TEditTest;

TEST_F(EditCaret, ItBlinksForTenSecondsAfterAKeyOrClickThenStaysOnWithoutATimer) {
  MakeEdit(0, 200, u"abc");
  const int timers = GetLiveTimerCount();
  SetFocus(Edit);
  InjectKeyPress(VK_END);
  Pump();
  const int caretX = Margin + Font.Width(u"abc");
  // Toggling every 530 ms: on after an even number of blinks.
  for (int k = 1; k < 18; ++k) {
    AdvanceVirtualClock(530);
    ASSERT_EQ(IsCaretOn() != FALSE, k % 2 == 0) << "blink " << k;
  }
  // The blink that would end past 10 s leaves it on, and the timer goes.
  AdvanceVirtualClock(530);
  EXPECT_TRUE(IsCaretOn());
  EXPECT_EQ(GetLiveTimerCount(), timers);
  AdvanceVirtualClock(10000);
  EXPECT_TRUE(IsCaretOn());
  EXPECT_EQ(ClientPixelOf(Edit, caretX, 0), RGB(0, 0, 0));
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1) << "nothing can wake the loop";
  EXPECT_EQ(GetLastError(), ERROR_POSSIBLE_DEADLOCK);

  // A key that moves nothing starts the blinking again.
  InjectKeyPress(VK_SHIFT);
  Pump();
  EXPECT_GT(GetLiveTimerCount(), timers);
  AdvanceVirtualClock(530);
  EXPECT_FALSE(IsCaretOn());
  AdvanceVirtualClock(10000);
  EXPECT_EQ(GetLiveTimerCount(), timers);
  // So does a click.
  const POINT p = Screen(caretX);
  InjectClick(VK_LBUTTON, p.X, p.Y);
  Pump();
  EXPECT_GT(GetLiveTimerCount(), timers);
  AdvanceVirtualClock(530);
  EXPECT_FALSE(IsCaretOn());
  SetFocus(nullptr);
  EXPECT_EQ(GetLiveTimerCount(), timers) << "no caret without the focus";
}

}  // namespace

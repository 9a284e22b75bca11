// The keyboard: key messages and their lParam bits, translation into
// characters, system keys, the key state, and a window tree driven through
// the headless injection.

#include <string>

#include "tests/platform/InputTestSupport.h"

namespace {

using Keys = TInputTest;
using List = std::vector<UINT>;

// lParam of a key message: repeat count 1, the scan code, then the flags.
LPARAM KeyParam(WORD scan, WORD flags = 0) { return MAKELPARAM(1, static_cast<WORD>(scan | flags)); }

// The characters a window received, in order.
std::u16string CharsOf(HWND h, UINT message = WM_CHAR) {
  std::u16string out;
  for (const TLogged& l : MessageLog())
    if (l.Window == h && l.Message == message) out.push_back(static_cast<char16_t>(l.WParam));
  return out;
}

struct TFocused : Keys {
  void SetUp() override {
    Keys::SetUp();
    Top = Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 200, 200});
    Edit = Create(WS_VISIBLE, Top, {10, 10, 110, 40});
    SetFocus(Edit);
    Pump();
    MessageLog().clear();
  }
  void TearDown() override {
    SetFocus(nullptr);
    DestroyWindow(Top);
    Keys::TearDown();
  }
  HWND Top = nullptr;
  HWND Edit = nullptr;
};

TEST_F(TFocused, AKeyDownIsFollowedByItsCharacterThenTheKeyUp) {
  InjectKeyPress('A');
  Pump();
  EXPECT_EQ(Logged(nullptr, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}),
            (std::vector<TLogged>{Msg(Edit, WM_KEYDOWN, 'A', KeyParam(0x1E)), Msg(Edit, WM_CHAR, 'a', KeyParam(0x1E)),
                                  Msg(Edit, WM_KEYUP, 'A', KeyParam(0x1E, KF_REPEAT | KF_UP))}));
  // The character was posted: it came from the queue, not a send.
  for (const TLogged& l : Logged(Edit, {WM_KEYDOWN, WM_CHAR, WM_KEYUP})) EXPECT_FALSE(l.Sent);
}

TEST_F(TFocused, AKeyDownHandlerCanRemoveItsPendingCharacter) {
  std::u16string removed;
  TestHandler() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    MSG m;
    if (w == Edit && msg == WM_KEYDOWN && PeekMessageW(&m, Edit, WM_CHAR, WM_CHAR, PM_REMOVE))
      removed.push_back(static_cast<char16_t>(m.wParam));
    return std::nullopt;
  };
  InjectKeyPress(VK_RETURN);
  InjectKeyPress('B');
  Pump();
  EXPECT_EQ(removed, u"\rb") << "each key-down removes its own character";
  EXPECT_EQ(CharsOf(Edit), u"") << "none is delivered";
  EXPECT_EQ(MessagesOf(Edit, {WM_KEYDOWN, WM_KEYUP}), (List{WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN, WM_KEYUP}));
}

TEST_F(TFocused, KeysTypeTheirCharactersUnderTheModifiers) {
  struct TCase {
    const char* Name;
    std::vector<UINT> Held;
    UINT Key;
    std::u16string Expected;
  } cases[] = {
      {"Ctrl+A", {VK_CONTROL}, 'A', u"\x01"},
      {"Ctrl+C", {VK_CONTROL}, 'C', u"\x03"},
      {"Ctrl+V", {VK_CONTROL}, 'V', u"\x16"},
      {"Ctrl+X", {VK_CONTROL}, 'X', u"\x18"},
      {"Ctrl+Z", {VK_RCONTROL}, 'Z', u"\x1A"},
      {"Backspace", {}, VK_BACK, u"\b"},
      {"Tab", {}, VK_TAB, u"\t"},
      {"Enter", {}, VK_RETURN, u"\r"},
      {"Ctrl+Enter", {VK_CONTROL}, VK_RETURN, u"\n"},
      {"Escape", {}, VK_ESCAPE, u"\x1B"},
      {"Shift+A", {VK_SHIFT}, 'A', u"A"},
      {"Shift+1", {VK_LSHIFT}, '1', u"!"},
      {"Shift+/", {VK_RSHIFT}, VK_OEM_2, u"?"},
      {"a digit", {}, '7', u"7"},
      {"the keypad", {}, VK_NUMPAD0 + 4, u"4"},
      {"an arrow", {}, VK_LEFT, u""},
      {"Delete", {}, VK_DELETE, u""},
      {"Ctrl+1", {VK_CONTROL}, '1', u""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    MessageLog().clear();
    for (UINT k : c.Held) InjectKey(k, TRUE);
    InjectKeyPress(c.Key);
    for (UINT k : c.Held) InjectKey(k, FALSE);
    Pump();
    EXPECT_EQ(CharsOf(Edit), c.Expected);
    EXPECT_TRUE(Logged(nullptr, {WM_SYSKEYDOWN, WM_SYSCHAR}).empty());
  }
  // Caps Lock toggles the letters' case; Shift turns it back.
  InjectKeyPress(VK_CAPITAL);
  MessageLog().clear();
  InjectKeyPress('Q');
  InjectKey(VK_SHIFT, TRUE);
  InjectKeyPress('Q');
  InjectKey(VK_SHIFT, FALSE);
  InjectKeyPress(VK_CAPITAL);
  Pump();
  EXPECT_EQ(CharsOf(Edit), u"Qq");
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
}

TEST_F(TFocused, AltCombinationsAndF10AreSystemKeys) {
  InjectKey(VK_MENU, TRUE);
  InjectKeyPress('F');
  InjectKey(VK_MENU, FALSE);
  Pump();
  EXPECT_EQ(Logged(Edit, {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR}),
            (std::vector<TLogged>{Msg(Edit, WM_SYSKEYDOWN, VK_MENU, KeyParam(0x38, KF_ALTDOWN)),
                                  Msg(Edit, WM_SYSKEYDOWN, 'F', KeyParam(0x21, KF_ALTDOWN)),
                                  Msg(Edit, WM_SYSCHAR, 'f', KeyParam(0x21, KF_ALTDOWN)),
                                  Msg(Edit, WM_SYSKEYUP, 'F', KeyParam(0x21, KF_ALTDOWN | KF_REPEAT | KF_UP)),
                                  Msg(Edit, WM_SYSKEYUP, VK_MENU, KeyParam(0x38, KF_ALTDOWN | KF_REPEAT | KF_UP))}));
  struct TCase {
    const char* Name;
    std::vector<UINT> Held;
    UINT Key;
    UINT Down;
    std::u16string SysChars;
  } cases[] = {
      {"F10", {}, VK_F10, WM_SYSKEYDOWN, u""},
      {"Shift+F10", {VK_SHIFT}, VK_F10, WM_SYSKEYDOWN, u""},
      {"Alt+Shift+X", {VK_MENU, VK_SHIFT}, 'X', WM_SYSKEYDOWN, u"X"},
      {"the right Alt", {VK_RMENU}, '2', WM_SYSKEYDOWN, u"2"},
      {"Ctrl+Alt+F: no system key", {VK_CONTROL, VK_MENU}, 'F', WM_KEYDOWN, u""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    MessageLog().clear();
    for (UINT k : c.Held) InjectKey(k, TRUE);
    MessageLog().clear();
    Pump();
    MessageLog().clear();
    InjectKeyPress(c.Key);
    Pump();
    const auto down = Logged(Edit, {WM_KEYDOWN, WM_SYSKEYDOWN});
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].Message, c.Down);
    EXPECT_EQ(down[0].WParam, c.Key);
    EXPECT_EQ(CharsOf(Edit, WM_SYSCHAR), c.SysChars);
    EXPECT_EQ(CharsOf(Edit), u"");
    for (UINT k : c.Held) InjectKey(k, FALSE);
    Pump();
  }
}

TEST_F(TFocused, KeysAskForContextMenusAndAltF4ClosesTheTopLevelWindow) {
  TestHandler() = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_CLOSE) return 0;  // kept open for the fixture
    return std::nullopt;
  };
  const LPARAM noPoint = -1;
  InjectKey(VK_SHIFT, TRUE);
  InjectKeyPress(VK_F10);
  InjectKey(VK_SHIFT, FALSE);
  InjectKeyPress(VK_APPS);
  InjectKeyPress(VK_F10);  // alone it is only a system key
  Pump();
  EXPECT_EQ(Logged(nullptr, {WM_CONTEXTMENU}),
            (std::vector<TLogged>{Msg(Edit, WM_CONTEXTMENU, W(Edit), noPoint), Msg(Top, WM_CONTEXTMENU, W(Edit), noPoint),
                                  Msg(Edit, WM_CONTEXTMENU, W(Edit), noPoint), Msg(Top, WM_CONTEXTMENU, W(Edit), noPoint)}));
  MessageLog().clear();
  InjectKey(VK_MENU, TRUE);
  InjectKeyPress(VK_F1 + 3);
  InjectKey(VK_MENU, FALSE);
  Pump();
  EXPECT_EQ(Logged(nullptr, {WM_SYSCOMMAND, WM_CLOSE}),
            (std::vector<TLogged>{Msg(Top, WM_SYSCOMMAND, SC_CLOSE), Msg(Top, WM_CLOSE)}));
  TestHandler() = nullptr;
}

TEST_F(TFocused, HeldKeysRepeatWithThePreviousStateSet) {
  for (int i = 0; i < 3; ++i) InjectKey(VK_RIGHT, TRUE);
  InjectKey(VK_RIGHT, FALSE);
  Pump();
  const WORD right = 0x4D | KF_EXTENDED;
  EXPECT_EQ(Logged(Edit, {WM_KEYDOWN, WM_KEYUP}),
            (std::vector<TLogged>{Msg(Edit, WM_KEYDOWN, VK_RIGHT, KeyParam(right)),
                                  Msg(Edit, WM_KEYDOWN, VK_RIGHT, KeyParam(right, KF_REPEAT)),
                                  Msg(Edit, WM_KEYDOWN, VK_RIGHT, KeyParam(right, KF_REPEAT)),
                                  Msg(Edit, WM_KEYUP, VK_RIGHT, KeyParam(right, KF_REPEAT | KF_UP))}));
}

TEST_F(TFocused, TheKeyStateFollowsTheQueueAndSyntheticKeysReadIt) {
  std::optional<SHORT> shiftSeen;
  TestHandler() = [&](HWND w, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (w == Edit && msg == WM_KEYDOWN && wParam == VK_LEFT) shiftSeen = GetKeyState(VK_SHIFT);
    return std::nullopt;
  };
  InjectKey(VK_LSHIFT, TRUE);
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0) << "the keyboard is ahead";
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0) << "the queue is not there yet";
  Pump();
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetKeyState(VK_LSHIFT), 0);
  EXPECT_EQ(GetKeyState(VK_RSHIFT) & 0x8000, 0);
  BYTE state[256];
  ASSERT_TRUE(GetKeyboardState(state));
  EXPECT_EQ(state[VK_SHIFT] & 0x80, 0x80);
  EXPECT_EQ(state[VK_CONTROL] & 0x80, 0);
  // Sent with lParam 0 by the program itself: the real Shift counts.
  SendMessageW(Edit, WM_KEYDOWN, VK_LEFT, 0);
  ASSERT_TRUE(shiftSeen.has_value());
  EXPECT_LT(*shiftSeen, 0);
  // A key message the program posts changes no state.
  PostMessageW(Edit, WM_KEYUP, VK_SHIFT, KeyParam(0x2A, KF_REPEAT | KF_UP));
  Pump();
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  // Losing the desktop's focus clears the state.
  InjectDesktopFocus(nullptr);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
  Pump();
}

TEST_F(TFocused, WithoutAFocusWindowKeysGoToTheActiveWindowAsSystemKeys) {
  SetFocus(nullptr);
  MessageLog().clear();
  InjectKeyPress('K');
  Pump();
  EXPECT_EQ(
      Logged(nullptr, {WM_KEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP}),
      (std::vector<TLogged>{Msg(Top, WM_SYSKEYDOWN, 'K', KeyParam(0x25)), Msg(Top, WM_SYSCHAR, 'k', KeyParam(0x25)),
                            Msg(Top, WM_SYSKEYUP, 'K', KeyParam(0x25, KF_REPEAT | KF_UP))}));
}

TEST_F(TFocused, TextIsTypedKeyByKeyAndCharactersOffTheLayoutArrivePacked) {
  InjectText(u"Hé, 1+1=2!\n");
  Pump();
  EXPECT_EQ(CharsOf(Edit), u"Hé, 1+1=2!\r");
  const auto packets = Logged(Edit, {WM_KEYDOWN});
  ASSERT_EQ(packets.size(), 14u) << "a key for each of the 11 characters and three Shifts";
  EXPECT_EQ(packets[0].WParam, VK_SHIFT);
  EXPECT_EQ(packets[1].WParam, 'H');
  EXPECT_EQ(packets[2].WParam, VK_PACKET);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0) << "Shift let go after the capital";
}

TEST_F(TFocused, TextWithoutAKeyArrivesAsCharacters) {
  TextInput(u"ü");
  Pump();
  EXPECT_EQ(Logged(Edit, {WM_KEYDOWN, WM_CHAR}), (std::vector<TLogged>{Msg(Edit, WM_CHAR, u'ü', 1)}));
}

// A small form: two edit-like children that take the focus on a click and
// keep the characters typed into them, Backspace included.
TEST_F(Keys, TypingIntoAndClickingAWindowTreeOnTheHeadlessBackend) {
  HWND form = Create(WS_POPUP | WS_VISIBLE | WS_CAPTION, nullptr, {100, 100, 400, 300});
  RECT client;
  GetClientRect(form, &client);
  HWND first = Create(WS_VISIBLE, form, {10, 10, 150, 40}, 0, 1);
  HWND second = Create(WS_VISIBLE, form, {10, 60, 150, 90}, 0, 2);
  std::u16string typed[3];
  TestHandler() = [&](HWND w, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    const LONG_PTR id = GetWindowLongPtrW(w, GWLP_ID);
    if (w == form || id < 1 || id > 2) return std::nullopt;
    if (msg == WM_LBUTTONDOWN) {
      SetFocus(w);
      return 0;
    }
    if (msg == WM_CHAR) {
      if (wParam == 8) {
        if (!typed[id].empty()) typed[id].pop_back();
      } else {
        typed[id].push_back(static_cast<char16_t>(wParam));
      }
      return 0;
    }
    return std::nullopt;
  };
  Pump();
  POINT origin{};
  ClientToScreen(form, &origin);
  InjectDesktopFocus(form);
  Pump();
  EXPECT_EQ(GetForegroundWindow(), form);
  EXPECT_EQ(GetFocus(), form);

  InjectClick(VK_LBUTTON, origin.X + 20, origin.Y + 70);
  InjectText(u"Hi!");
  InjectKeyPress(VK_BACK);
  InjectText(u"?");
  InjectClick(VK_LBUTTON, origin.X + 20, origin.Y + 20);
  InjectKey(VK_CONTROL, TRUE);
  InjectKeyPress('A');  // a control character the edit keeps
  InjectKey(VK_CONTROL, FALSE);
  InjectText(u"ok");
  Pump();
  EXPECT_EQ(typed[2], u"Hi?");
  EXPECT_EQ(typed[1], u"\x01ok");
  EXPECT_EQ(GetFocus(), first);
  EXPECT_EQ(Deliveries({WM_SETFOCUS, WM_KILLFOCUS}), (std::vector<std::pair<HWND, UINT>>{{form, WM_SETFOCUS},
                                                                                         {form, WM_KILLFOCUS},
                                                                                         {second, WM_SETFOCUS},
                                                                                         {second, WM_KILLFOCUS},
                                                                                         {first, WM_SETFOCUS}}));
  // Away and back: the focus returns to the edit that had it.
  InjectDesktopFocus(nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  InjectDesktopFocus(form);
  EXPECT_EQ(GetFocus(), first);
  TestHandler() = nullptr;
  SetFocus(nullptr);
  DestroyWindow(form);
}

}  // namespace

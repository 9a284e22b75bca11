// The keyboard: key messages with their lParam bits, the key state, and the
// translation of keys into characters on the US layout.

#include <algorithm>
#include <cstring>

#include "platform/WindowObjects.h"

namespace {

struct TKeyboard {
  BYTE Queue[256] = {};  // as of the last input message taken from the queue
  BYTE Async[256] = {};  // as of the last event
  MSG LastKey;           // the key-down last taken from the queue
  std::u16string LastKeyText;
};

TKeyboard& Keyboard() {
  static TKeyboard keyboard;
  return keyboard;
}

constexpr BYTE Down = 0x80;
constexpr BYTE Toggled = 0x01;

// The side-less code a message carries for a sided one.
UINT SidelessKey(UINT vk) {
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

// A side-less modifier stands for its left key.
UINT SidedKey(UINT vk) {
  switch (vk) {
    case VK_SHIFT: return VK_LSHIFT;
    case VK_CONTROL: return VK_LCONTROL;
    case VK_MENU: return VK_LMENU;
    default: return vk;
  }
}

void SetState(BYTE* state, UINT key, bool down) {
  key = SidedKey(key & 0xFF);
  if (down && !(state[key] & Down)) state[key] ^= Toggled;
  state[key] = static_cast<BYTE>(down ? state[key] | Down : state[key] & ~Down);
  const UINT generic = SidelessKey(key);
  if (generic == key) return;
  // Shift, Ctrl and Alt are down while either of their keys is.
  const UINT left = generic == VK_SHIFT ? VK_LSHIFT : generic == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
  const bool either = (state[left] & Down) || (state[left + 1] & Down);
  if (either && !(state[generic] & Down)) state[generic] ^= Toggled;
  state[generic] = static_cast<BYTE>(either ? state[generic] | Down : state[generic] & ~Down);
}

// Set-1 scan codes of a US PC keyboard; the extended keys carry KF_EXTENDED.
struct TScan {
  UINT Vk;
  WORD Code;
};

constexpr TScan Scans[] = {
    {VK_ESCAPE, 0x01}, {'1', 0x02}, {'2', 0x03}, {'3', 0x04}, {'4', 0x05}, {'5', 0x06}, {'6', 0x07}, {'7', 0x08},
    {'8', 0x09}, {'9', 0x0A}, {'0', 0x0B}, {VK_OEM_MINUS, 0x0C}, {VK_OEM_PLUS, 0x0D}, {VK_BACK, 0x0E},
    {VK_TAB, 0x0F}, {'Q', 0x10}, {'W', 0x11}, {'E', 0x12}, {'R', 0x13}, {'T', 0x14}, {'Y', 0x15}, {'U', 0x16},
    {'I', 0x17}, {'O', 0x18}, {'P', 0x19}, {VK_OEM_4, 0x1A}, {VK_OEM_6, 0x1B}, {VK_RETURN, 0x1C},
    {VK_LCONTROL, 0x1D}, {'A', 0x1E}, {'S', 0x1F}, {'D', 0x20}, {'F', 0x21}, {'G', 0x22}, {'H', 0x23},
    {'J', 0x24}, {'K', 0x25}, {'L', 0x26}, {VK_OEM_1, 0x27}, {VK_OEM_7, 0x28}, {VK_OEM_3, 0x29},
    {VK_LSHIFT, 0x2A}, {VK_OEM_5, 0x2B}, {'Z', 0x2C}, {'X', 0x2D}, {'C', 0x2E}, {'V', 0x2F}, {'B', 0x30},
    {'N', 0x31}, {'M', 0x32}, {VK_OEM_COMMA, 0x33}, {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},
    {VK_RSHIFT, 0x36}, {VK_MULTIPLY, 0x37}, {VK_LMENU, 0x38}, {VK_SPACE, 0x39}, {VK_CAPITAL, 0x3A},
    {VK_F1, 0x3B}, {VK_F1 + 1, 0x3C}, {VK_F1 + 2, 0x3D}, {VK_F1 + 3, 0x3E}, {VK_F1 + 4, 0x3F},
    {VK_F1 + 5, 0x40}, {VK_F1 + 6, 0x41}, {VK_F1 + 7, 0x42}, {VK_F1 + 8, 0x43}, {VK_F10, 0x44},
    {VK_NUMLOCK, 0x45}, {VK_SCROLL, 0x46}, {VK_NUMPAD0 + 7, 0x47}, {VK_NUMPAD0 + 8, 0x48},
    {VK_NUMPAD0 + 9, 0x49}, {VK_SUBTRACT, 0x4A}, {VK_NUMPAD0 + 4, 0x4B}, {VK_NUMPAD0 + 5, 0x4C},
    {VK_NUMPAD0 + 6, 0x4D}, {VK_ADD, 0x4E}, {VK_NUMPAD0 + 1, 0x4F}, {VK_NUMPAD0 + 2, 0x50},
    {VK_NUMPAD0 + 3, 0x51}, {VK_NUMPAD0, 0x52}, {VK_DECIMAL, 0x53}, {VK_F10 + 1, 0x57}, {VK_F12, 0x58},
    {VK_HOME, 0x147}, {VK_UP, 0x148}, {VK_PRIOR, 0x149}, {VK_LEFT, 0x14B}, {VK_RIGHT, 0x14D}, {VK_END, 0x14F},
    {VK_DOWN, 0x150}, {VK_NEXT, 0x151}, {VK_INSERT, 0x152}, {VK_DELETE, 0x153}, {VK_DIVIDE, 0x135},
    {VK_RCONTROL, 0x11D}, {VK_RMENU, 0x138}, {VK_LWIN, 0x15B}, {VK_RWIN, 0x15C}, {VK_APPS, 0x15D},
};

WORD ScanOf(UINT sidedVk) {
  for (const TScan& s : Scans)
    if (s.Vk == sidedVk) return s.Code;
  return 0;
}

// The keys of the layout that type a character: without and with Shift.
struct TTyping {
  UINT Vk;
  char16_t Plain;
  char16_t Shifted;
};

constexpr TTyping Typing[] = {
    {'0', u'0', u')'}, {'1', u'1', u'!'}, {'2', u'2', u'@'}, {'3', u'3', u'#'}, {'4', u'4', u'$'},
    {'5', u'5', u'%'}, {'6', u'6', u'^'}, {'7', u'7', u'&'}, {'8', u'8', u'*'}, {'9', u'9', u'('},
    {VK_OEM_1, u';', u':'}, {VK_OEM_PLUS, u'=', u'+'}, {VK_OEM_COMMA, u',', u'<'}, {VK_OEM_MINUS, u'-', u'_'},
    {VK_OEM_PERIOD, u'.', u'>'}, {VK_OEM_2, u'/', u'?'}, {VK_OEM_3, u'`', u'~'}, {VK_OEM_4, u'[', u'{'},
    {VK_OEM_5, u'\\', u'|'}, {VK_OEM_6, u']', u'}'}, {VK_OEM_7, u'\'', u'"'}, {VK_SPACE, u' ', u' '},
    {VK_BACK, 8, 8}, {VK_TAB, 9, 9}, {VK_RETURN, 13, 13}, {VK_ESCAPE, 27, 27},
    {VK_MULTIPLY, u'*', u'*'}, {VK_ADD, u'+', u'+'}, {VK_SUBTRACT, u'-', u'-'}, {VK_DECIMAL, u'.', u'.'},
    {VK_DIVIDE, u'/', u'/'},
};

bool IsDown(const BYTE* state, UINT vk) { return (state[vk] & Down) != 0; }

// What the key types under the key state.
std::u16string LayoutChars(UINT vk, const BYTE* state) {
  const bool ctrl = IsDown(state, VK_CONTROL);
  const bool alt = IsDown(state, VK_MENU);
  const bool shift = IsDown(state, VK_SHIFT);
  const bool letter = vk >= 'A' && vk <= 'Z';
  // The layout has no characters on Ctrl+Alt.
  if (ctrl && alt) return u"";
  if (ctrl) {
    if (letter) return std::u16string(1, static_cast<char16_t>(vk - 'A' + 1));
    switch (vk) {
      case VK_OEM_4: return u"\x1B";
      case VK_OEM_5: return u"\x1C";
      case VK_OEM_6: return u"\x1D";
      case VK_RETURN: return u"\n";
      case VK_BACK: return u"\x7F";
      case VK_ESCAPE: return u"\x1B";
      case VK_SPACE: return u" ";
      default: return u"";
    }
  }
  if (letter) {
    const bool upper = shift != ((state[VK_CAPITAL] & Toggled) != 0);
    return std::u16string(1, static_cast<char16_t>(upper ? vk : vk + 32));
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return std::u16string(1, static_cast<char16_t>(u'0' + vk - VK_NUMPAD0));
  for (const TTyping& t : Typing)
    if (t.Vk == vk) return std::u16string(1, shift ? t.Shifted : t.Plain);
  return u"";
}

}  // namespace

void SetQueueKeyState(UINT key, bool down) { SetState(Keyboard().Queue, key, down); }
void SetAsyncKeyState(UINT key, bool down) { SetState(Keyboard().Async, key, down); }
bool IsAsyncKeyDown(UINT key) { return IsDown(Keyboard().Async, key & 0xFF); }

void ClearKeyState() {
  TKeyboard& k = Keyboard();
  for (BYTE& b : k.Queue) b &= Toggled;
  for (BYTE& b : k.Async) b &= Toggled;
}

void RememberKeyMessage(const MSG& msg, const std::u16string& text) {
  TKeyboard& k = Keyboard();
  k.LastKey = msg;
  k.LastKeyText = text;
}

bool LayoutKeyFor(char16_t c, UINT& vk, bool& shift) {
  if (c >= u'a' && c <= u'z') {
    vk = c - 32;
    shift = false;
    return true;
  }
  if (c >= u'A' && c <= u'Z') {
    vk = c;
    shift = true;
    return true;
  }
  if (c == u'\n') c = 13;
  // The main keys come first in the table: '*' and the others are found there
  // before the keypad's.
  for (const TTyping& t : Typing) {
    if (t.Plain == c || t.Shifted == c) {
      vk = t.Vk;
      shift = t.Plain != c;
      return true;
    }
  }
  return false;
}

void KeyInput(UINT vk, bool down, const std::u16string& text) {
  vk &= 0xFF;
  const UINT generic = SidelessKey(vk);
  const UINT sided = SidedKey(vk);
  const bool wasDown = IsAsyncKeyDown(sided);
  SetAsyncKeyState(sided, down);
  const bool ctrl = IsAsyncKeyDown(VK_CONTROL);
  const bool alt = IsAsyncKeyDown(VK_MENU) || generic == VK_MENU;
  const bool system = !ctrl && (alt || generic == VK_F10);
  const WORD scan = ScanOf(sided);
  WORD flags = static_cast<WORD>(scan & 0xFF);
  if (scan & 0x100) flags |= KF_EXTENDED;
  if (system && alt) flags |= KF_ALTDOWN;
  if (!down || wasDown) flags |= KF_REPEAT;
  if (!down) flags |= KF_UP;
  // The window and the message are settled as the key leaves the queue.
  QueueInput(nullptr, WM_KEYDOWN, generic, MAKELPARAM(1, flags), CursorPosition(),
             TInputExtra{down ? text : std::u16string(), sided, down, true, system});
}

void TextInput(const std::u16string& text) {
  for (char16_t c : text) QueueInput(nullptr, WM_CHAR, c, 1, CursorPosition(), TInputExtra{u"", 0, false, true, false});
}

void RouteToFocus(TInputMessage& m) {
  HWND target = FocusWindow();
  // Without a focus window the active window takes the keys, as system keys.
  const bool noFocus = !target;
  if (noFocus) target = ActiveWindow();
  m.Msg.hwnd = target;
  if (!m.Extra.StateKey) return;
  const bool system = m.Extra.System || noFocus;
  m.Msg.message = m.Extra.StateDown ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
}

BOOL TranslateMessage(const MSG* lpMsg) {
  if (!lpMsg) return FALSE;
  const UINT msg = lpMsg->message;
  if (msg == WM_KEYUP || msg == WM_SYSKEYUP) return TRUE;
  if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN) return FALSE;
  TKeyboard& k = Keyboard();
  const MSG& last = k.LastKey;
  const bool fromInput = last.hwnd == lpMsg->hwnd && last.message == msg && last.wParam == lpMsg->wParam &&
                         last.lParam == lpMsg->lParam && last.time == lpMsg->time;
  const std::u16string chars = fromInput && !k.LastKeyText.empty()
                                   ? k.LastKeyText
                                   : LayoutChars(static_cast<UINT>(lpMsg->wParam & 0xFF), k.Queue);
  const UINT charMsg = msg == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  for (char16_t c : chars) PostMessageW(lpMsg->hwnd, charMsg, c, lpMsg->lParam);
  return TRUE;
}

SHORT GetKeyState(int nVirtKey) {
  const BYTE b = Keyboard().Queue[nVirtKey & 0xFF];
  return static_cast<SHORT>(((b & Down) ? 0x8000 : 0) | (b & Toggled));
}

SHORT GetAsyncKeyState(int vKey) { return IsAsyncKeyDown(static_cast<UINT>(vKey)) ? static_cast<SHORT>(0x8000) : 0; }

BOOL GetKeyboardState(BYTE* lpKeyState) {
  if (!lpKeyState) return FALSE;
  std::memcpy(lpKeyState, Keyboard().Queue, 256);
  return TRUE;
}

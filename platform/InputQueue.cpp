// Where input meets the queue and the windows' lives: the hooks and the key
// state as input messages leave the queue, and the input state a window
// leaves behind when it is destroyed.

#include "platform/WindowObjects.h"

namespace {

bool IsKeyMessage(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }

bool IsMouseMessage(UINT msg) {
  return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

// What the user does that wakes the caret.
bool IsPress(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: return true;
    default: return false;
  }
}

}  // namespace

bool AcceptInput(const TInputMessage& in, MSG& out, bool remove) {
  out = in.Msg;
  const int code = remove ? HC_ACTION : HC_NOREMOVE;
  bool discarded = false;
  if (IsKeyMessage(out.message) && out.message != WM_CHAR && out.message != WM_SYSCHAR) {
    if (CallHooks(WH_KEYBOARD, code, out.wParam, out.lParam)) {
      CallHooks(WH_CBT, HCBT_KEYSKIPPED, out.wParam, out.lParam);
      discarded = true;
    }
  } else if (IsMouseMessage(out.message)) {
    const bool client = out.message >= WM_MOUSEFIRST;
    MOUSEHOOKSTRUCT info{out.pt, out.hwnd, client ? static_cast<UINT>(HTCLIENT) : static_cast<UINT>(out.wParam), 0};
    if (CallHooks(WH_MOUSE, code, out.message, reinterpret_cast<LPARAM>(&info))) {
      CallHooks(WH_CBT, HCBT_CLICKSKIPPED, out.message, reinterpret_cast<LPARAM>(&info));
      discarded = true;
    }
  }
  // A key thrown away was still pressed or released: the state follows it.
  if ((remove || discarded) && in.Extra.StateKey) SetQueueKeyState(in.Extra.StateKey, in.Extra.StateDown);
  if (discarded) return false;
  if (remove && (out.message == WM_KEYDOWN || out.message == WM_SYSKEYDOWN)) RememberKeyMessage(out, in.Extra.Text);
  if (remove && IsPress(out.message)) RestartCaretBlink();
  return true;
}

void ReleaseWindowInput(HWND root) {
  ReleaseCapturesBelow(root);
  if (WindowOf(root)) ReleaseFocusBelow(root);
}

void ForgetWindowInput(HWND h) {
  ForgetMouse(h);
  ForgetFocus(h);
  ForgetCaret(h);
}

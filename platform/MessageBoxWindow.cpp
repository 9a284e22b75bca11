// The message box window. Its buttons are drawn here, small and private:
// a face, a frame, and a darker frame for the default one.

#include "platform/MessageBoxWindow.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/Gdi.h"
#include "platform/GdiText.h"
#include "platform/Windows.h"

namespace {

constexpr int Margin = 12;
constexpr int Gap = 6;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int MaxTextWidth = 400;
constexpr UINT TextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;

struct TButton {
  int Id;
  const char16_t* Text;
  RECT Bounds;
};

struct TBox {
  std::u16string Text;
  std::vector<TButton> Buttons;
  size_t Focused = 0;
  int Pressed = -1;  // the button held down by the mouse
  int Cancel = 0;    // what Escape and the close button answer; 0: neither works
  int Answer = 0;
  bool Done = false;
  RECT TextBounds;
};

void ButtonsOf(UINT type, TBox& box) {
  const auto add = [&](int id, const char16_t* text) { box.Buttons.push_back(TButton{id, text, RECT{}}); };
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      add(IDOK, u"OK"), add(IDCANCEL, u"Cancel"), box.Cancel = IDCANCEL;
      break;
    case MB_ABORTRETRYIGNORE:
      add(IDABORT, u"Abort"), add(IDRETRY, u"Retry"), add(IDIGNORE, u"Ignore");
      break;
    case MB_YESNOCANCEL:
      add(IDYES, u"Yes"), add(IDNO, u"No"), add(IDCANCEL, u"Cancel"), box.Cancel = IDCANCEL;
      break;
    case MB_YESNO:
      add(IDYES, u"Yes"), add(IDNO, u"No");
      break;
    case MB_RETRYCANCEL:
      add(IDRETRY, u"Retry"), add(IDCANCEL, u"Cancel"), box.Cancel = IDCANCEL;
      break;
    default:
      add(IDOK, u"OK"), box.Cancel = IDOK;
      break;
  }
  const size_t pick = (type & MB_DEFMASK) >> 8;
  box.Focused = pick < box.Buttons.size() ? pick : 0;
}

TBox* BoxOf(HWND h) { return reinterpret_cast<TBox*>(GetWindowLongPtrW(h, GWLP_USERDATA)); }

void Finish(TBox& box, int answer) {
  box.Answer = answer;
  box.Done = true;
}

// The client size the text and the buttons need; lays them out.
SIZE Layout(TBox& box) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT text{0, 0, MaxTextWidth, 0};
  DrawTextW(dc, box.Text.c_str(), static_cast<int>(box.Text.size()), &text, TextFormat | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int count = static_cast<int>(box.Buttons.size());
  const int buttons = count * ButtonWidth + (count - 1) * Gap;
  const int width = std::max<int>(text.Right - text.Left, buttons) + 2 * Margin;
  const int height = Margin + (text.Bottom - text.Top) + Margin + ButtonHeight + Margin;
  box.TextBounds = RECT{Margin, Margin, Margin + (text.Right - text.Left), Margin + (text.Bottom - text.Top)};
  int x = width - Margin - buttons;
  for (TButton& b : box.Buttons) {
    b.Bounds = RECT{x, height - Margin - ButtonHeight, x + ButtonWidth, height - Margin};
    x += ButtonWidth + Gap;
  }
  return SIZE{width, height};
}

void DrawButton(HDC dc, const TButton& b, bool focused, bool pressed) {
  RECT r = b.Bounds;
  FillRect(dc, &r, GetSysColorBrush(pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
  FrameRect(dc, &r, GetSysColorBrush(focused ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW));
  if (focused) {
    RECT inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    FrameRect(dc, &inner, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc, b.Text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void Paint(HWND h, TBox& box) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT client;
  GetClientRect(h, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT text = box.TextBounds;
  DrawTextW(dc, box.Text.c_str(), static_cast<int>(box.Text.size()), &text, TextFormat);
  for (size_t i = 0; i < box.Buttons.size(); ++i)
    DrawButton(dc, box.Buttons[i], i == box.Focused, static_cast<int>(i) == box.Pressed);
  SelectObject(dc, old);
  EndPaint(h, &ps);
}

int ButtonAt(const TBox& box, LPARAM lParam) {
  const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  for (size_t i = 0; i < box.Buttons.size(); ++i)
    if (PtInRect(&box.Buttons[i].Bounds, p)) return static_cast<int>(i);
  return -1;
}

LRESULT BoxProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TBox* box = BoxOf(h);
  if (!box || box->Done) return DefWindowProcW(h, msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT:
      Paint(h, *box);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_RETURN:
        case VK_SPACE:
          Finish(*box, box->Buttons[box->Focused].Id);
          return 0;
        case VK_ESCAPE:
          if (box->Cancel) Finish(*box, box->Cancel);
          return 0;
        case VK_TAB:
        case VK_RIGHT:
        case VK_LEFT: {
          const size_t n = box->Buttons.size();
          const bool back = wParam == VK_LEFT || (wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
          box->Focused = (box->Focused + (back ? n - 1 : 1)) % n;
          InvalidateRect(h, nullptr, FALSE);
          return 0;
        }
        default:
          return 0;
      }
    case WM_LBUTTONDOWN: {
      box->Pressed = ButtonAt(*box, lParam);
      if (box->Pressed >= 0) {
        box->Focused = static_cast<size_t>(box->Pressed);
        SetCapture(h);
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      const int pressed = std::exchange(box->Pressed, -1);
      if (GetCapture() == h) ReleaseCapture();
      InvalidateRect(h, nullptr, FALSE);
      if (pressed >= 0 && ButtonAt(*box, lParam) == pressed) Finish(*box, box->Buttons[pressed].Id);
      return 0;
    }
    case WM_CLOSE:
      if (box->Cancel) Finish(*box, box->Cancel);
      return 0;
    case WM_DESTROY:
      box->Done = true;
      return 0;
    default:
      return DefWindowProcW(h, msg, wParam, lParam);
  }
}

const char16_t* BoxClass() {
  static const char16_t* name = [] {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = BoxProc;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_ARROW));
    wc.lpszClassName = u"MessageBoxWindow";
    RegisterClassExW(&wc);
    return u"MessageBoxWindow";
  }();
  return name;
}

// Centred on the owner, or on the work area without one.
POINT Placement(HWND owner, SIZE size) {
  RECT around;
  if (!owner || !GetWindowRect(owner, &around)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  return POINT{around.Left + (around.Right - around.Left - size.cx) / 2,
               around.Top + (around.Bottom - around.Top - size.cy) / 2};
}

}  // namespace

int RunMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type) {
  TBox box;
  box.Text = text;
  ButtonsOf(type, box);
  const SIZE client = Layout(box);
  constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  const SIZE size{frame.Right - frame.Left, frame.Bottom - frame.Top};
  const HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
  const POINT at = Placement(root, size);
  HWND h = CreateWindowExW(WS_EX_DLGMODALFRAME, BoxClass(), caption.c_str(), style, at.X, at.Y, size.cx, size.cy, root,
                           nullptr, nullptr, nullptr);
  if (!h) return 0;
  SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box));
  const bool disable = root && IsWindowEnabled(root);
  if (disable) EnableWindow(root, FALSE);
  ShowWindow(h, SW_SHOW);
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (!box.Done) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      quitCode = msg.wParam;
      break;
    }
    // The system's own step: the program's would offer the box's keys to
    // the owner's controls.
    DefMessageStep(&msg);
  }
  // The owner is enabled again before the box goes, so that activation
  // returns to it.
  if (disable && IsWindow(root)) EnableWindow(root, TRUE);
  if (IsWindow(h)) {
    if (root && GetActiveWindow() == h) SetActiveWindow(root);
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    DestroyWindow(h);
  }
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return box.Done && box.Answer ? box.Answer : box.Cancel ? box.Cancel : box.Buttons[box.Focused].Id;
}

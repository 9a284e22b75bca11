// The BUTTON class's push buttons in the classic look: a raised 3-D face,
// sunken (or, for the default button, flat) while pressed, the caption
// centred, embossed when disabled, and a dotted focus rectangle.

#include <unordered_map>

#include "platform/GdiText.h"
#include "platform/WindowObjects.h"

namespace {

struct TButtonState {
  bool Pushed = false;
  bool Tracking = false;   // the mouse holds the button
  bool SpaceDown = false;  // Space holds it
  HFONT Font = nullptr;
};

std::unordered_map<HWND, TButtonState>& States() {
  static std::unordered_map<HWND, TButtonState> states;
  return states;
}

bool IsDefault(HWND h) { return (GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

void Fill(HDC dc, int left, int top, int right, int bottom, int color) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, GetSysColorBrush(color));
}

// One-pixel frame: the first colour on the top and left, the second on the
// bottom and right.
void Frame(HDC dc, RECT& r, int topLeft, int bottomRight) {
  Fill(dc, r.Left, r.Top, r.Right - 1, r.Top + 1, topLeft);
  Fill(dc, r.Left, r.Top, r.Left + 1, r.Bottom - 1, topLeft);
  Fill(dc, r.Left, r.Bottom - 1, r.Right, r.Bottom, bottomRight);
  Fill(dc, r.Right - 1, r.Top, r.Right, r.Bottom, bottomRight);
  InflateRect(&r, -1, -1);
}

void Draw(HWND h, HDC dc) {
  const TButtonState& state = States()[h];
  RECT client;
  GetClientRect(h, &client);
  RECT r = client;
  const bool isDefault = IsDefault(h);
  if (isDefault) Frame(dc, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
  if (state.Pushed && isDefault) {
    Frame(dc, r, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
  } else if (state.Pushed) {
    Frame(dc, r, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT);
    Frame(dc, r, COLOR_BTNSHADOW, COLOR_3DLIGHT);
  } else {
    Frame(dc, r, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
    Frame(dc, r, COLOR_3DLIGHT, COLOR_BTNSHADOW);
  }
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));

  const int length = GetWindowTextLengthW(h);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  GetWindowTextW(h, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  HGDIOBJ oldFont = SelectObject(dc, state.Font ? state.Font : GetStockObject(DEFAULT_GUI_FONT));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT textRect = client;
  if (state.Pushed) OffsetRect(&textRect, 1, 1);
  constexpr UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (IsWindowEnabled(h)) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), length, &textRect, flags);
  } else {
    OffsetRect(&textRect, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, text.c_str(), length, &textRect, flags);
    OffsetRect(&textRect, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), length, &textRect, flags);
  }
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);

  if (GetFocus() == h) {
    RECT focus = client;
    InflateRect(&focus, isDefault ? -4 : -3, isDefault ? -4 : -3);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
  }
}

void Redraw(HWND h) {
  InvalidateRect(h, nullptr, FALSE);
  UpdateWindow(h);
}

void SetPushed(HWND h, bool pushed) {
  TButtonState& state = States()[h];
  if (state.Pushed == pushed) return;
  state.Pushed = pushed;
  Redraw(h);
}

void NotifyClicked(HWND h) {
  HWND parent = GetParent(h);
  if (!parent) return;
  const WORD id = static_cast<WORD>(GetWindowLongPtrW(h, GWLP_ID));
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(h));
}

bool Inside(HWND h, LPARAM lParam) {
  RECT client;
  GetClientRect(h, &client);
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom;
}

}  // namespace

LRESULT ButtonWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  switch (Msg) {
    case WM_PAINT: PaintControl(hWnd, wParam, [hWnd](HDC dc) { Draw(hWnd, dc); }); return 0;
    case WM_PRINTCLIENT: Draw(hWnd, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;  // the face covers everything
    // A double click is a second press.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (GetFocus() != hWnd) SetFocus(hWnd);
      SetCapture(hWnd);
      States()[hWnd].Tracking = true;
      SetPushed(hWnd, true);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (States()[hWnd].Tracking) SetPushed(hWnd, Inside(hWnd, lParam));
      return 0;
    case WM_LBUTTONUP: {
      TButtonState& state = States()[hWnd];
      if (!state.Tracking) return 0;
      state.Tracking = false;
      const bool clicked = state.Pushed && Inside(hWnd, lParam);
      ReleaseCapture();
      SetPushed(hWnd, false);
      if (clicked) NotifyClicked(hWnd);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (States()[hWnd].Tracking) {
        States()[hWnd].Tracking = false;
        SetPushed(hWnd, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && !States()[hWnd].Tracking) {
        States()[hWnd].SpaceDown = true;
        SetPushed(hWnd, true);
        return 0;
      }
      break;
    case WM_KEYUP:
      if (wParam == VK_SPACE && States()[hWnd].SpaceDown) {
        States()[hWnd].SpaceDown = false;
        SetPushed(hWnd, false);
        NotifyClicked(hWnd);
        return 0;
      }
      break;
    case WM_KILLFOCUS: {
      TButtonState& state = States()[hWnd];
      state.SpaceDown = false;
      if (state.Tracking) ReleaseCapture();
      state.Pushed = false;
      Redraw(hWnd);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_ENABLE: Redraw(hWnd); return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(hWnd, Msg, wParam, lParam);
      Redraw(hWnd);
      return result;
    }
    case WM_SETFONT:
      States()[hWnd].Font = reinterpret_cast<HFONT>(wParam);
      if (lParam) Redraw(hWnd);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(States()[hWnd].Font);
    case WM_GETDLGCODE: return DLGC_BUTTON | (IsDefault(hWnd) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE: {
      const LONG style = GetWindowLongW(hWnd, GWL_STYLE);
      SetWindowLongW(hWnd, GWL_STYLE, (style & ~static_cast<LONG>(BS_TYPEMASK)) | static_cast<LONG>(wParam & BS_TYPEMASK));
      if (lParam) Redraw(hWnd);
      return 0;
    }
    case BM_GETSTATE:
      return (States()[hWnd].Pushed ? BST_PUSHED : 0) | (GetFocus() == hWnd ? BST_FOCUS : 0);
    case BM_SETSTATE: SetPushed(hWnd, wParam != 0); return 0;
    case BM_CLICK:
      SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      SendMessageW(hWnd, WM_LBUTTONUP, 0, 0);
      return 0;
    case WM_NCDESTROY: States().erase(hWnd); break;
    default: break;
  }
  return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

// The EDIT class's window procedure: its state, its messages, focus and
// caret, and the notifications to its parent.

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "platform/EditControl.h"
#include "platform/Locale.h"
#include "platform/WindowObjects.h"

namespace {

// Shared, so that a handler keeps its control while a notification
// destroys the window.
std::unordered_map<HWND, std::shared_ptr<TEditControl>>& Controls() {
  static std::unordered_map<HWND, std::shared_ptr<TEditControl>> controls;
  return controls;
}

std::u16string ShownText(const TEditControl& Edit) {
  const std::u16string& text = Edit.Text.Text();
  return Edit.PasswordChar ? std::u16string(text.size(), Edit.PasswordChar) : text;
}

void Invalidate(const TEditControl& Edit) { InvalidateRect(Edit.Handle, nullptr, FALSE); }

void PlaceCaret(const TEditControl& Edit) {
  if (Edit.Focused()) SetCaretPos(Edit.Layout.XOf(Edit.Text.Caret()), 0);
}

// The layout follows the text, the password character or the size.
void Relayout(TEditControl& Edit) {
  Edit.Layout.SetShown(ShownText(Edit));
  Edit.Layout.Alignment = Edit.Style() & (ES_CENTER | ES_RIGHT);
  RECT client;
  GetClientRect(Edit.Handle, &client);
  Edit.Layout.ClientWidth = client.Right;
  Invalidate(Edit);
  SelectionChanged(Edit);
}

void ShowCaretAgain(TEditControl& Edit) {
  if (!Edit.Focused()) return;
  CreateCaret(Edit.Handle, nullptr, TEditLayout::CaretWidth, Edit.Layout.LineHeight());
  PlaceCaret(Edit);
  if (!Edit.RedrawOff) ShowCaret(Edit.Handle);
}

void Create(HWND h, const CREATESTRUCTW* cs) {
  auto edit = std::make_shared<TEditControl>();
  edit->Handle = h;
  if (cs && (cs->style & ES_PASSWORD)) edit->PasswordChar = u'*';
  std::u16string text = cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName) ? cs->lpszName : u"";
  Controls()[h] = edit;
  ApplyCase(*edit, text);
  edit->Text.Reset(std::move(text));
}

void SetRedraw(TEditControl& Edit, bool On) {
  if (Edit.RedrawOff != On) return;
  // The caret leaves the pixels before they stop being drawn.
  if (!On && Edit.Focused()) HideCaret(Edit.Handle);
  DefWindowProcW(Edit.Handle, WM_SETREDRAW, On, 0);
  Edit.RedrawOff = !On;
  if (!On) return;
  Invalidate(Edit);
  if (Edit.Focused()) ShowCaret(Edit.Handle);
}

LRESULT CopyText(const std::u16string& Text, WPARAM Room, LPARAM Buffer) {
  auto* out = reinterpret_cast<char16_t*>(Buffer);
  if (!out || Room == 0) return 0;
  const size_t n = std::min(Text.size(), static_cast<size_t>(Room) - 1);
  std::copy_n(Text.data(), n, out);
  out[n] = 0;
  return static_cast<LRESULT>(n);
}

LRESULT Selection(const TEditControl& Edit, WPARAM StartOut, LPARAM EndOut) {
  const DWORD start = static_cast<DWORD>(Edit.Text.SelStart());
  const DWORD end = static_cast<DWORD>(Edit.Text.SelEnd());
  if (StartOut) *reinterpret_cast<DWORD*>(StartOut) = start;
  if (EndOut) *reinterpret_cast<DWORD*>(EndOut) = end;
  return end > 0xFFFF ? -1 : MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end));
}

void SetSelection(TEditControl& Edit, int Anchor, int Caret) {
  if (Caret < 0) Caret = Edit.Text.Length();
  if (Anchor == -1) Anchor = Caret = Edit.Text.Caret();
  Edit.Text.Select(Anchor, Caret);
  SelectionChanged(Edit);
}

void SetMargins(TEditControl& Edit, WPARAM Which, LPARAM Widths) {
  const bool fromFont = Widths == EC_USEFONTINFO;
  if (Which & EC_LEFTMARGIN) Edit.Layout.LeftMargin = fromFont ? TEditLayout::DefaultMargin : LOWORD(Widths);
  if (Which & EC_RIGHTMARGIN) Edit.Layout.RightMargin = fromFont ? TEditLayout::DefaultMargin : HIWORD(Widths);
  Relayout(Edit);
}

LRESULT Handle(TEditControl& Edit, UINT Msg, WPARAM wParam, LPARAM lParam) {
  HWND h = Edit.Handle;
  const auto program = TEditOrigin::Program;
  switch (Msg) {
    case WM_CREATE:
    case WM_SIZE:
    case WM_STYLECHANGED: Relayout(Edit); return 0;
    case WM_PAINT: PaintControl(h, wParam, [&Edit](HDC dc) { PaintEdit(Edit, dc); }); return 0;
    case WM_PRINTCLIENT: PaintEdit(Edit, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;  // painting covers the whole client area
    case WM_ENABLE: Invalidate(Edit); return 0;
    case WM_SETREDRAW: SetRedraw(Edit, wParam != 0); return 0;
    case WM_SETFONT:
      Edit.Layout.SetFont(reinterpret_cast<HFONT>(wParam));
      Relayout(Edit);
      ShowCaretAgain(Edit);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(Edit.Layout.GetFont());
    case WM_SETTEXT: {
      std::u16string text = lParam ? reinterpret_cast<const char16_t*>(lParam) : u"";
      ApplyCase(Edit, text);
      Edit.Text.Reset(std::move(text));
      Edit.Layout.ScrollHome();
      TextChanged(Edit);
      return TRUE;
    }
    case WM_GETTEXT: return CopyText(Edit.Text.Text(), wParam, lParam);
    case WM_GETTEXTLENGTH: return Edit.Text.Length();
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    case WM_SETFOCUS:
      ShowCaretAgain(Edit);
      Invalidate(Edit);
      Notify(Edit, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (Edit.Dragging) ReleaseCapture();
      DestroyCaret();
      Invalidate(Edit);
      Notify(Edit, EN_KILLFOCUS);
      return 0;
    case WM_KEYDOWN: return EditKeyDown(Edit, wParam) ? 0 : DefWindowProcW(h, Msg, wParam, lParam);
    case WM_CHAR: EditChar(Edit, static_cast<char16_t>(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      EditMouse(Edit, Msg, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CAPTURECHANGED: Edit.Dragging = false; return 0;
    case WM_CUT: CutSelection(Edit, program); return 0;
    case WM_COPY: CopySelection(Edit, program); return 0;
    case WM_PASTE: PasteClipboard(Edit, program); return 0;
    case WM_CLEAR: ClearSelection(Edit, program); return 0;
    case WM_UNDO:
    case EM_UNDO: return UndoLast(Edit, program);
    case EM_CANUNDO: return Edit.Text.CanUndo();
    case EM_EMPTYUNDOBUFFER: Edit.Text.ForgetUndo(); return 0;
    case EM_GETSEL: return Selection(Edit, wParam, lParam);
    case EM_SETSEL: SetSelection(Edit, static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case EM_GETCARETINDEX: return Edit.Text.Caret();
    case EM_SETCARETINDEX: SetSelection(Edit, static_cast<int>(wParam), static_cast<int>(wParam)); return 0;
    case EM_REPLACESEL:
      InsertText(Edit, lParam ? reinterpret_cast<const char16_t*>(lParam) : u"",
                 wParam ? TEditText::TUndo::Record : TEditText::TUndo::Forget, program);
      return 0;
    case EM_GETMODIFY: return Edit.Text.Modified();
    case EM_SETMODIFY: Edit.Text.SetModified(wParam != 0); return 0;
    case EM_LIMITTEXT: Edit.Limit = static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFE)); return 0;
    case EM_GETLIMITTEXT: return Edit.Limit ? Edit.Limit : 0x7FFFFFFE;
    case EM_SETPASSWORDCHAR:
      Edit.PasswordChar = static_cast<char16_t>(wParam);
      Relayout(Edit);
      return 0;
    case EM_GETPASSWORDCHAR: return Edit.PasswordChar;
    case EM_SETREADONLY: {
      const LONG style = GetWindowLongW(h, GWL_STYLE);
      SetWindowLongW(h, GWL_STYLE, wParam ? style | static_cast<LONG>(ES_READONLY) : style & ~static_cast<LONG>(ES_READONLY));
      return TRUE;
    }
    case EM_SETMARGINS: SetMargins(Edit, wParam, lParam); return 0;
    case EM_GETMARGINS: return MAKELONG(static_cast<WORD>(Edit.Layout.LeftMargin), static_cast<WORD>(Edit.Layout.RightMargin));
    case EM_GETFIRSTVISIBLELINE: return Edit.Layout.FirstVisible();
    case EM_SETCUEBANNER:
      Edit.CueBanner = lParam ? reinterpret_cast<const char16_t*>(lParam) : u"";
      Edit.CueWhenFocused = wParam != 0;
      Invalidate(Edit);
      return TRUE;
    case EM_GETCUEBANNER:
      CopyText(Edit.CueBanner, static_cast<WPARAM>(lParam), static_cast<LPARAM>(wParam));
      return TRUE;
    default: return DefWindowProcW(h, Msg, wParam, lParam);
  }
}

}  // namespace

void SelectionChanged(TEditControl& Edit) {
  TEditLayout& layout = Edit.Layout;
  if (Edit.Style() & ES_AUTOHSCROLL) layout.ScrollToShow(Edit.Text.Caret());
  else layout.ScrollHome();
  const TEditText& t = Edit.Text;
  const bool shown = Edit.SelectionShown();
  if (layout.FirstVisible() != Edit.PaintedFirst || (shown ? t.SelStart() : -1) != Edit.PaintedStart ||
      (shown ? t.SelEnd() : -1) != Edit.PaintedEnd)
    Invalidate(Edit);
  PlaceCaret(Edit);
}

void TextChanged(TEditControl& Edit) {
  Edit.Layout.SetShown(ShownText(Edit));
  Invalidate(Edit);
  SelectionChanged(Edit);
  Notify(Edit, EN_CHANGE);
}

void ApplyCase(const TEditControl& Edit, std::u16string& Text) {
  const DWORD style = Edit.Style();
  if (style & ES_UPPERCASE) CharUpperBuffW(Text.data(), static_cast<DWORD>(Text.size()));
  else if (style & ES_LOWERCASE) CharLowerBuffW(Text.data(), static_cast<DWORD>(Text.size()));
}

void Notify(TEditControl& Edit, WORD Code) {
  HWND parent = GetParent(Edit.Handle);
  if (!parent) return;
  const WORD id = static_cast<WORD>(GetWindowLongPtrW(Edit.Handle, GWLP_ID));
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, Code), reinterpret_cast<LPARAM>(Edit.Handle));
}

LRESULT EditWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_NCCREATE) {
    Create(hWnd, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    return TRUE;
  }
  auto it = Controls().find(hWnd);
  if (it == Controls().end()) return DefWindowProcW(hWnd, Msg, wParam, lParam);
  const std::shared_ptr<TEditControl> edit = it->second;
  if (Msg == WM_NCDESTROY) {
    edit->Destroyed = true;
    Controls().erase(it);
    return DefWindowProcW(hWnd, Msg, wParam, lParam);
  }
  return Handle(*edit, Msg, wParam, lParam);
}

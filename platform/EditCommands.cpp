// The editing of an EDIT control: insertion under its limits, the
// clipboard, undo, keys, characters and the mouse.

#include <algorithm>
#include <cstring>

#include "platform/EditControl.h"
#include "platform/Kernel.h"

namespace {

using TUndo = TEditText::TUndo;

bool FromKeyboard(TEditOrigin Origin) { return Origin == TEditOrigin::Keyboard; }

void Refuse(TEditOrigin Origin) {
  if (FromKeyboard(Origin)) MessageBeep(MB_OK);
}

// Read-only refuses the user's changes.
bool MayEdit(const TEditControl& Edit, TEditOrigin Origin) {
  if (!(Edit.Style() & ES_READONLY)) return true;
  Refuse(Origin);
  return false;
}

bool IsDown(int Key) { return GetKeyState(Key) < 0; }

void Erase(TEditControl& Edit, int Start, int End) {
  if (Start == End) return;
  Edit.Text.Replace(Start, End, u"", TUndo::Record);
  TextChanged(Edit);
}

void DeleteSelectionOr(TEditControl& Edit, bool Forward, TEditOrigin Origin) {
  if (!MayEdit(Edit, Origin)) return;
  const TEditText& t = Edit.Text;
  if (t.HasSelection()) Erase(Edit, t.SelStart(), t.SelEnd());
  else if (Forward) Erase(Edit, t.Caret(), t.Next(t.Caret()));
  else Erase(Edit, t.Previous(t.Caret()), t.Caret());
}

bool WriteClipboard(HWND Owner, const std::u16string& Text) {
  if (!OpenClipboard(Owner)) return false;
  EmptyClipboard();
  const size_t bytes = (Text.size() + 1) * sizeof(char16_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool written = false;
  if (block) {
    std::memcpy(GlobalLock(block), Text.c_str(), bytes);
    GlobalUnlock(block);
    written = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (!written) GlobalFree(block);
  }
  CloseClipboard();
  return written;
}

std::u16string ReadClipboard(HWND Owner) {
  std::u16string text;
  if (!OpenClipboard(Owner)) return text;
  if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const char16_t*>(GlobalLock(block))) {
      const size_t units = GlobalSize(block) / sizeof(char16_t);
      text.assign(chars, std::find(chars, chars + units, u'\0'));
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

bool InsertText(TEditControl& Edit, std::u16string Value, TUndo Undo, TEditOrigin Origin) {
  TEditText& t = Edit.Text;
  Value.resize(std::min(Value.find_first_of(u"\r\n"), Value.size()));
  ApplyCase(Edit, Value);
  bool refused = false;
  if (Edit.Limit > 0) {
    const int room = std::max(Edit.Limit - (t.Length() - (t.SelEnd() - t.SelStart())), 0);
    if (static_cast<int>(Value.size()) > room) {
      Value.resize(static_cast<size_t>(room));
      refused = true;
    }
  }
  if (!(Edit.Style() & ES_AUTOHSCROLL) && !Value.empty()) {
    std::u16string after = t.Text();
    after.replace(static_cast<size_t>(t.SelStart()), static_cast<size_t>(t.SelEnd() - t.SelStart()), Value);
    if (Edit.PasswordChar) after.assign(after.size(), Edit.PasswordChar);
    if (!Edit.Layout.Fits(Edit.Layout.Measure(after))) {
      Value.clear();
      refused = true;
    }
  }
  if (refused) {
    Refuse(Origin);
    Notify(Edit, EN_MAXTEXT);
    if (Edit.Destroyed) return false;
  }
  if (Value.empty() && !t.HasSelection()) return false;
  t.ReplaceSelection(Value, Undo);
  TextChanged(Edit);
  return true;
}

void CopySelection(TEditControl& Edit, TEditOrigin Origin) {
  // A password never leaves the control.
  if (Edit.PasswordChar) {
    Refuse(Origin);
    return;
  }
  if (Edit.Text.HasSelection()) WriteClipboard(Edit.Handle, Edit.Text.Selected());
}

void CutSelection(TEditControl& Edit, TEditOrigin Origin) {
  if (!MayEdit(Edit, Origin) || !Edit.Text.HasSelection()) return;
  if (Edit.PasswordChar) {
    Refuse(Origin);
    return;
  }
  if (WriteClipboard(Edit.Handle, Edit.Text.Selected())) Erase(Edit, Edit.Text.SelStart(), Edit.Text.SelEnd());
}

void PasteClipboard(TEditControl& Edit, TEditOrigin Origin) {
  if (!MayEdit(Edit, Origin)) return;
  InsertText(Edit, ReadClipboard(Edit.Handle), TUndo::Record, Origin);
}

void ClearSelection(TEditControl& Edit, TEditOrigin Origin) {
  if (Edit.Text.HasSelection()) DeleteSelectionOr(Edit, true, Origin);
}

bool UndoLast(TEditControl& Edit, TEditOrigin Origin) {
  if (!MayEdit(Edit, Origin) || !Edit.Text.Undo()) return false;
  TextChanged(Edit);
  return true;
}

bool EditKeyDown(TEditControl& Edit, WPARAM Key) {
  TEditText& t = Edit.Text;
  const bool shift = IsDown(VK_SHIFT);
  const bool ctrl = IsDown(VK_CONTROL);
  const auto origin = TEditOrigin::Keyboard;
  switch (Key) {
    case VK_LEFT:
      if (ctrl) t.MoveCaret(t.WordLeft(t.Caret()), shift);
      else if (shift || !t.HasSelection()) t.MoveCaret(t.Previous(t.Caret()), shift);
      else t.MoveCaret(t.SelStart(), false);
      break;
    case VK_RIGHT:
      if (ctrl) t.MoveCaret(t.WordRight(t.Caret()), shift);
      else if (shift || !t.HasSelection()) t.MoveCaret(t.Next(t.Caret()), shift);
      else t.MoveCaret(t.SelEnd(), false);
      break;
    case VK_HOME: t.MoveCaret(0, shift); break;
    case VK_END: t.MoveCaret(t.Length(), shift); break;
    case VK_DELETE:
      if (shift) CutSelection(Edit, origin);
      else DeleteSelectionOr(Edit, true, origin);
      return true;
    case VK_INSERT:
      if (shift) PasteClipboard(Edit, origin);
      else if (ctrl) CopySelection(Edit, origin);
      return true;
    default: return false;
  }
  SelectionChanged(Edit);
  return true;
}

void EditChar(TEditControl& Edit, char16_t Char) {
  const auto origin = TEditOrigin::Keyboard;
  switch (Char) {
    case 1:  // Ctrl+A
      Edit.Text.Select(0, Edit.Text.Length());
      SelectionChanged(Edit);
      return;
    case 3: CopySelection(Edit, origin); return;
    case 8: DeleteSelectionOr(Edit, false, origin); return;
    case 22: PasteClipboard(Edit, origin); return;
    case 24: CutSelection(Edit, origin); return;
    case 26: UndoLast(Edit, origin); return;
    default:
      // Enter, Escape, Tab and the other controls are not text.
      if (Char < 0x20 || Char == 0x7F) return;
      if (MayEdit(Edit, origin)) InsertText(Edit, std::u16string(1, Char), TUndo::Typing, origin);
  }
}

void EditMouse(TEditControl& Edit, UINT Msg, WPARAM Keys, POINT At) {
  TEditText& t = Edit.Text;
  switch (Msg) {
    case WM_LBUTTONDOWN:
      if (!Edit.Focused()) {
        SetFocus(Edit.Handle);
        if (Edit.Destroyed || !Edit.Focused()) return;
      }
      t.MoveCaret(Edit.Layout.IndexAt(At.X), (Keys & MK_SHIFT) != 0);
      Edit.Dragging = true;
      SetCapture(Edit.Handle);
      SelectionChanged(Edit);
      return;
    case WM_LBUTTONDBLCLK: {
      int start = 0, end = 0;
      t.WordAt(Edit.Layout.IndexAt(At.X), start, end);
      t.Select(start, end);
      SelectionChanged(Edit);
      return;
    }
    case WM_MOUSEMOVE:
      if (!Edit.Dragging) return;
      t.MoveCaret(Edit.Layout.IndexAt(At.X), true);
      SelectionChanged(Edit);
      return;
    case WM_LBUTTONUP:
      if (!Edit.Dragging) return;
      Edit.Dragging = false;
      ReleaseCapture();
      return;
    default: return;
  }
}

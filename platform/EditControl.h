#pragma once
// What the sources of the EDIT class share: the state of one control and
// the steps its messages are made of.

#include <string>

#include "platform/Edit.h"
#include "platform/EditLayout.h"
#include "platform/EditText.h"

struct TEditControl {
  HWND Handle = nullptr;
  TEditText Text;
  TEditLayout Layout;
  char16_t PasswordChar = 0;  // 0: the text shows
  int Limit = 0;              // characters; 0 for none
  std::u16string CueBanner;
  bool CueWhenFocused = false;
  bool Dragging = false;   // the left button selects under capture
  bool RedrawOff = false;  // WM_SETREDRAW 0, the caret hidden meanwhile
  bool Destroyed = false;  // gone while a notification ran

  // What the pixels show of the selection: a change repaints.
  int PaintedFirst = -1;
  int PaintedStart = -1;
  int PaintedEnd = -1;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(Handle, GWL_STYLE)); }
  bool Focused() const { return GetFocus() == Handle; }
  bool SelectionShown() const { return Text.HasSelection() && (Focused() || (Style() & ES_NOHIDESEL)); }
};

// --- Edit.cpp ---------------------------------------------------------------

// After the caret or the selection moved: scrolls the caret into view,
// repaints what changed and moves the caret.
void SelectionChanged(TEditControl& Edit);
// After the text changed: the same, then EN_CHANGE, last, so that an
// exception from the parent finds everything done.
void TextChanged(TEditControl& Edit);
// The case styles applied to text entering the control.
void ApplyCase(const TEditControl& Edit, std::u16string& Text);
void Notify(TEditControl& Edit, WORD Code);

// --- EditCommands.cpp -------------------------------------------------------

// Who asks for a change: keyboard requests refused beep.
enum class TEditOrigin { Keyboard, Program };

// Replaces the selection with Value cut at its first line break, the
// maximum length and (without ES_AUTOHSCROLL) the width; false when
// nothing changed.
bool InsertText(TEditControl& Edit, std::u16string Value, TEditText::TUndo Undo, TEditOrigin Origin);
void CopySelection(TEditControl& Edit, TEditOrigin Origin);
void CutSelection(TEditControl& Edit, TEditOrigin Origin);
void PasteClipboard(TEditControl& Edit, TEditOrigin Origin);
void ClearSelection(TEditControl& Edit, TEditOrigin Origin);
bool UndoLast(TEditControl& Edit, TEditOrigin Origin);
// False for keys the control leaves alone.
bool EditKeyDown(TEditControl& Edit, WPARAM Key);
void EditChar(TEditControl& Edit, char16_t Char);
// WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE and WM_LBUTTONUP.
void EditMouse(TEditControl& Edit, UINT Msg, WPARAM Keys, POINT At);

// --- EditPainting.cpp -------------------------------------------------------

void PaintEdit(TEditControl& Edit, HDC DC);

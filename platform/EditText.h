#pragma once
// The text of an EDIT control, its selection and its one level of undo,
// apart from any window. Indexes are UTF-16 positions; moves by character
// never split a surrogate pair.

#include <string>

class TEditText {
 public:
  const std::u16string& Text() const { return FText; }
  int Length() const { return static_cast<int>(FText.size()); }
  // The fixed end of the selection and its moving end.
  int Anchor() const { return FAnchor; }
  int Caret() const { return FCaret; }
  int SelStart() const { return FAnchor < FCaret ? FAnchor : FCaret; }
  int SelEnd() const { return FAnchor < FCaret ? FCaret : FAnchor; }
  bool HasSelection() const { return FAnchor != FCaret; }
  std::u16string Selected() const;

  // Both ends clamped to the text.
  void Select(int Anchor, int Caret);
  // Extending keeps the anchor; otherwise the selection collapses there.
  void MoveCaret(int Index, bool Extend) { Select(Extend ? FAnchor : Index, Index); }

  // A new text with the caret at its start, the undo forgotten and the
  // modify flag cleared.
  void Reset(std::u16string Value);

  enum class TUndo {
    Record,  // the change can be undone
    Typing,  // the same, joined to the typing just before it
    Forget   // it cannot, and neither can anything before it
  };
  // The characters from Start to End become Value, with the caret after
  // it; undoing brings back the selection as it was before.
  void Replace(int Start, int End, const std::u16string& Value, TUndo Undo);
  void ReplaceSelection(const std::u16string& Value, TUndo Undo) { Replace(SelStart(), SelEnd(), Value, Undo); }
  bool CanUndo() const { return FCanUndo; }
  // Swaps the text and selection with those before the last change, so
  // that a second undo restores; false when there is nothing to undo.
  bool Undo();
  void ForgetUndo();

  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // Neighbouring character boundaries.
  int Previous(int Index) const;
  int Next(int Index) const;
  // Words are runs of characters other than white space: the start of the
  // word before Index, the start of the word after it (or the end).
  int WordLeft(int Index) const;
  int WordRight(int Index) const;
  // The word (or the run of white space) holding the character at Index.
  void WordAt(int Index, int& Start, int& End) const;

 private:
  struct TState {
    std::u16string Text;
    int Anchor = 0;
    int Caret = 0;
  };
  bool IsSpace(int Index) const;

  std::u16string FText;
  int FAnchor = 0;
  int FCaret = 0;
  TState FUndo;
  bool FCanUndo = false;
  bool FTyping = false;  // the last change was typing, nothing happened since
  bool FModified = false;
};

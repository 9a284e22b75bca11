#include "platform/EditText.h"

#include <algorithm>
#include <utility>

#include "platform/Locale.h"

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::u16string TEditText::Selected() const {
  return FText.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelEnd() - SelStart()));
}

void TEditText::Select(int Anchor, int Caret) {
  FAnchor = std::clamp(Anchor, 0, Length());
  FCaret = std::clamp(Caret, 0, Length());
  FTyping = false;
}

void TEditText::Reset(std::u16string Value) {
  FText = std::move(Value);
  FAnchor = FCaret = 0;
  ForgetUndo();
  FModified = false;
}

void TEditText::Replace(int Start, int End, const std::u16string& Value, TUndo Undo) {
  Start = std::clamp(Start, 0, Length());
  End = std::clamp(End, Start, Length());
  const bool joins = Undo == TUndo::Typing && FTyping && Start == End && End == FCaret && !HasSelection();
  if (Undo == TUndo::Forget) {
    ForgetUndo();
  } else if (!joins) {
    FUndo = TState{FText, FAnchor, FCaret};
    FCanUndo = true;
  }
  FText.replace(static_cast<size_t>(Start), static_cast<size_t>(End - Start), Value);
  FAnchor = FCaret = Start + static_cast<int>(Value.size());
  FTyping = Undo == TUndo::Typing;
  FModified = true;
}

bool TEditText::Undo() {
  if (!FCanUndo) return false;
  TState current{FText, FAnchor, FCaret};
  FText = std::move(FUndo.Text);
  FAnchor = FUndo.Anchor;
  FCaret = FUndo.Caret;
  FUndo = std::move(current);
  FTyping = false;
  FModified = true;
  return true;
}

void TEditText::ForgetUndo() {
  FUndo = TState{};
  FCanUndo = false;
  FTyping = false;
}

int TEditText::Previous(int Index) const {
  if (Index <= 0) return 0;
  --Index;
  if (Index > 0 && IsLowSurrogate(FText[static_cast<size_t>(Index)]) &&
      IsHighSurrogate(FText[static_cast<size_t>(Index - 1)]))
    --Index;
  return Index;
}

int TEditText::Next(int Index) const {
  if (Index >= Length()) return Length();
  ++Index;
  if (Index < Length() && IsLowSurrogate(FText[static_cast<size_t>(Index)]) &&
      IsHighSurrogate(FText[static_cast<size_t>(Index - 1)]))
    ++Index;
  return Index;
}

bool TEditText::IsSpace(int Index) const {
  WORD type = 0;
  return GetStringTypeW(CT_CTYPE1, &FText[static_cast<size_t>(Index)], 1, &type) && (type & C1_SPACE);
}

int TEditText::WordLeft(int Index) const {
  Index = std::clamp(Index, 0, Length());
  while (Index > 0 && IsSpace(Index - 1)) --Index;
  while (Index > 0 && !IsSpace(Index - 1)) --Index;
  return Index;
}

int TEditText::WordRight(int Index) const {
  Index = std::clamp(Index, 0, Length());
  while (Index < Length() && !IsSpace(Index)) ++Index;
  while (Index < Length() && IsSpace(Index)) ++Index;
  return Index;
}

void TEditText::WordAt(int Index, int& Start, int& End) const {
  Start = End = std::clamp(Index, 0, Length());
  if (FText.empty()) return;
  // Past the end: the last character's word.
  if (Start == Length()) --Start;
  const bool space = IsSpace(Start);
  while (Start > 0 && IsSpace(Start - 1) == space) --Start;
  End = Start;
  while (End < Length() && IsSpace(End) == space) ++End;
}

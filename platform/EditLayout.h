#pragma once
// Where an EDIT control's characters lie: the text as shown measured in its
// font, placed in the formatting rectangle (the client area less the
// margins) by the alignment, and scrolled by whole characters to keep the
// caret in view. The caret is one pixel wide and the text leaves room for
// it: right-aligned text ends a pixel before the rectangle's right edge.

#include <string>
#include <vector>

#include "platform/Gdi.h"

class TEditLayout {
 public:
  static constexpr int CaretWidth = 1;
  static constexpr int DefaultMargin = 1;

  // nullptr: the default GUI font.
  void SetFont(HFONT Font);
  HFONT GetFont() const;
  int LineHeight() const { return FLineHeight; }
  // Measures the text as it is shown (its password characters, say).
  void SetShown(const std::u16string& Shown);
  const std::u16string& Shown() const { return FShown; }
  // The width Text would take in the font.
  int Measure(const std::u16string& Text) const;

  int LeftMargin = DefaultMargin;
  int RightMargin = DefaultMargin;
  // ES_LEFT, ES_CENTER or ES_RIGHT.
  DWORD Alignment = 0;
  // The client width the text is placed in.
  int ClientWidth = 0;
  int FormatLeft() const { return LeftMargin; }
  int FormatRight() const;
  // Whether text of that width fits without scrolling.
  bool Fits(int Width) const { return Width <= FormatRight() - FormatLeft() - CaretWidth; }

  // The first character shown.
  int FirstVisible() const { return FFirstVisible; }
  // Scrolls as little as keeps Index in view, then back as far as the
  // text still fits, so that no room is wasted on the right.
  void ScrollToShow(int Index);
  void ScrollHome() { FFirstVisible = 0; }
  // Client x of the boundary before character Index.
  int XOf(int Index) const;
  // The boundary nearest to client x: a point in a character's left half
  // stands for the boundary before it.
  int IndexAt(int X) const;

 private:
  int Extent(int Index) const { return FPrefix[static_cast<size_t>(Index)]; }
  int Length() const { return static_cast<int>(FShown.size()); }
  // Client x of the first visible character.
  int Origin() const;
  void MeasureFont();

  HFONT FFont = nullptr;
  int FLineHeight = 0;
  std::u16string FShown;
  std::vector<int> FPrefix{0};  // the width of each prefix of FShown
  int FFirstVisible = 0;
};

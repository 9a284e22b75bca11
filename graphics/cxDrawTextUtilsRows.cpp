// Rows: the row store, word ends with the far-east rules, breaking a text
// into rows and placing them.
#include <algorithm>

#include "graphics/cxDrawTextUtilsShared.h"
#include "platform/Kernel.h"

namespace {

// --- Far-east characters ------------------------------------------------------------------

struct TCharRange {
  Char First;
  Char Last;
};

// Characters that may not begin a line: closing brackets and quotes,
// punctuation, small kana, sound marks, units and the full-width signs.
constexpr TCharRange FarEastLineBreakChars[] = {
    {0x0021, 0x0021}, {0x0025, 0x0025}, {0x0029, 0x0029}, {0x002C, 0x002C}, {0x002E, 0x002E},
    {0x003A, 0x003B}, {0x003F, 0x003F}, {0x005D, 0x005D}, {0x007D, 0x007D}, {0x00A2, 0x00A2},
    {0x00A8, 0x00A8}, {0x00B0, 0x00B0}, {0x00B7, 0x00B7}, {0x02C7, 0x02C7}, {0x02C9, 0x02C9},
    {0x2013, 0x2014}, {0x2019, 0x2019}, {0x201D, 0x201D}, {0x2025, 0x2026}, {0x2030, 0x2030},
    {0x2032, 0x2033}, {0x2103, 0x2103}, {0x2236, 0x2236}, {0x2574, 0x2574}, {0x3001, 0x3003},
    {0x3005, 0x3005}, {0x3009, 0x3009}, {0x300B, 0x300B}, {0x300D, 0x300D}, {0x300F, 0x300F},
    {0x3011, 0x3011}, {0x3015, 0x3015}, {0x3017, 0x3017}, {0x3019, 0x3019}, {0x301B, 0x301B},
    {0x301E, 0x301E}, {0x309B, 0x309C}, {0xFE36, 0xFE36}, {0xFE38, 0xFE38}, {0xFE3A, 0xFE3A},
    {0xFE3C, 0xFE3C}, {0xFE3E, 0xFE3E}, {0xFE40, 0xFE40}, {0xFE42, 0xFE42}, {0xFE44, 0xFE44},
    {0xFE50, 0xFE52}, {0xFE54, 0xFE57}, {0xFE5A, 0xFE5A}, {0xFE5C, 0xFE5C}, {0xFE5E, 0xFE5E},
    {0xFF01, 0xFF01}, {0xFF05, 0xFF05}, {0xFF09, 0xFF09}, {0xFF0C, 0xFF0C}, {0xFF0E, 0xFF0E},
    {0xFF1A, 0xFF1B}, {0xFF1F, 0xFF1F}, {0xFF3D, 0xFF3D}, {0xFF5D, 0xFF5D}, {0xFF60, 0xFF61},
    {0xFF63, 0xFF65}, {0xFF67, 0xFF70}, {0xFF9E, 0xFF9F}, {0xFFE0, 0xFFFF},
};

bool IsFarEastLineBreak(Char C) {
  const auto next = std::upper_bound(std::begin(FarEastLineBreakChars), std::end(FarEastLineBreakChars), C,
                                     [](Char c, const TCharRange& range) { return c < range.First; });
  return next != std::begin(FarEastLineBreakChars) && C <= std::prev(next)->Last;
}

bool IsFarEastFullWidthCharacter(UINT ACodePage, Char C) {
  if (C < 128) return false;
  if ((C >= 0x4E00 && C <= 0x9FFF) || (C >= 0x3040 && C <= 0x309F) || (C >= 0x30A0 && C <= 0x30FF) ||
      (C >= 0xAC00 && C <= 0xD7A3))
    return true;
  return WideCharToMultiByte(ACodePage, 0, &C, 1, nullptr, 0, nullptr, nullptr) > 1;
}

constexpr bool IsLineEnd(Char C) { return C == u'\r' || C == u'\n'; }

// Past the CR or LF at P; CR LF and LF CR count as one line end.
const Char* SkipLineEnd(const Char* P, const Char* AEnd) {
  const Char first = *P++;
  if (P < AEnd && IsLineEnd(*P) && *P != first) ++P;
  return P;
}

// --- Breaking into rows ---------------------------------------------------------------------

// What the line breaker needs of the parameters.
struct TcxTextRowFormat {
  TcxTextAlignX TextAlignX = taLeft;
  bool BreakByWords = false;
  bool BreakByChars = false;
  bool EndEllipsis = false;
  bool ExpandTabs = false;
  bool ExcelStyle = false;
};

TcxTextRowFormat MakeTextRowFormat(const TcxTextParams& AParams) {
  TcxTextRowFormat format;
  format.TextAlignX = AParams.TextAlignX;
  format.BreakByWords = !AParams.SingleLine && (AParams.WordBreak || AParams.TextAlignX == taJustifyX ||
                                                AParams.TextAlignX == taDistributeX);
  format.BreakByChars = format.BreakByWords && (AParams.CharBreak || AParams.EditControl);
  format.EndEllipsis = AParams.EndEllipsis;
  format.ExpandTabs = AParams.ExpandTabs;
  format.ExcelStyle = AParams.ExcelStyle;
  return format;
}

struct TRowBreak {
  const Char* RowEnd;  // past the row's last character
  const Char* Next;    // where the next row starts
  bool Wrap;           // not the text's end nor a line end
};

class TLineBreaker {
 public:
  TLineBreaker(HDC ADC, const Char* AEnd, Integer AWidth, const TcxTextRowFormat& AFormat,
               TcxCalcTextExtentsProc AMeasure)
      : FDC(ADC), FEnd(AEnd), FWidth(AWidth), FFormat(AFormat), FMeasure(AMeasure), FCodePage(GetACP()) {}

  // The row starting at ARow and its break count.
  TRowBreak Break(const Char* ARow, Integer& ABreakCount) const {
    TRowBreak result = FFormat.BreakByWords ? BreakWords(ARow) : BreakLine(ARow);
    if (result.Wrap) AdjustWrap(ARow, result);
    ABreakCount = 0;
    const bool justified = FFormat.TextAlignX == taDistributeX ||
                           (FFormat.TextAlignX == taJustifyX && result.Wrap);
    if (justified) {
      while (result.RowEnd > ARow && IsSpaceOrTab(result.RowEnd[-1])) --result.RowEnd;
      ABreakCount = static_cast<Integer>(std::count_if(ARow, result.RowEnd, IsSpaceOrTab));
    }
    return result;
  }

 private:
  HDC FDC;
  const Char* FEnd;
  Integer FWidth;
  TcxTextRowFormat FFormat;
  TcxCalcTextExtentsProc FMeasure;
  UINT FCodePage;

  Integer Width(const Char* AFrom, const Char* ATo) const {
    return TextWidth(FDC, AFrom, static_cast<Integer>(ATo - AFrom), FFormat.ExpandTabs, FMeasure);
  }

  TRowBreak LineEndAt(const Char* P) const {
    return {P, P == FEnd ? P : SkipLineEnd(P, FEnd), false};
  }

  // Up to the next CR or LF, however wide.
  TRowBreak BreakLine(const Char* ARow) const {
    return LineEndAt(std::find_if(ARow, FEnd, IsLineEnd));
  }

  // Words while they fit. Without tab stops widths add up, so each word is
  // measured once; with them the row so far is measured again.
  TRowBreak BreakWords(const Char* ARow) const {
    Integer width = 0;
    for (const Char* P = ARow;;) {
      if (P == FEnd || IsLineEnd(*P)) return LineEndAt(P);
      const Char* wordEnd = cxGetNextWordBreak(FCodePage, P, FEnd);
      const Integer widthWith = FFormat.ExpandTabs ? Width(ARow, wordEnd) : width + Width(P, wordEnd);
      if (widthWith <= FWidth) {
        width = widthWith;
        P = wordEnd;
        continue;
      }
      if (P > ARow) return {P, P, true};
      if (FFormat.BreakByChars) {
        const Char* cut = ARow + BreakAWord(ARow, wordEnd);
        return {cut, cut, true};
      }
      // The word stays whole; under an ellipsis a line end right after it
      // ends the row as its own.
      if (FFormat.EndEllipsis && wordEnd < FEnd && IsLineEnd(*wordEnd)) return LineEndAt(wordEnd);
      return {wordEnd, wordEnd, true};
    }
  }

  // The most characters of a word that fit the row, at least one.
  Integer BreakAWord(const Char* AWord, const Char* AWordEnd) const {
    return FitCharCount(FDC, AWord, static_cast<Integer>(AWordEnd - AWord), FWidth, 1, FFormat.ExpandTabs, FMeasure);
  }

  // The blanks at a wrap, by alignment: a left-aligned row keeps a trailing
  // one and the next row skips one; a centred row drops a trailing one and
  // the next skips one; a right-aligned row drops a trailing one only;
  // justified and distributed rows keep theirs.
  void AdjustWrap(const Char* ARow, TRowBreak& ABreak) const {
    const bool trailingBlank = ABreak.RowEnd > ARow && IsSpaceOrTab(ABreak.RowEnd[-1]);
    const bool blankNext = ABreak.Next < FEnd && IsSpaceOrTab(*ABreak.Next);
    const TcxTextAlignX align = FFormat.TextAlignX;
    if (trailingBlank && (align == taCenterX || align == taRight)) --ABreak.RowEnd;
    if (blankNext && (align == taLeft || align == taCenterX)) ++ABreak.Next;
    if (FFormat.ExcelStyle)
      while (ABreak.Next < FEnd && *ABreak.Next == u' ') ++ABreak.Next;
  }
};

// Whether the row just made, ending at ABottom (from R's top), is the last.
bool IsLastRow(const TcxTextParams& AParams, Integer ABottom, Integer AHeight, Integer ARowCount,
               Integer AMaxLineCount) {
  if (AParams.SingleLine || (AMaxLineCount > 0 && ARowCount >= AMaxLineCount)) return true;
  if (AParams.TextAlignY != taTop || AParams.CalcRect || AParams.CalcRowCount) return false;
  if (AParams.EditControl && !AParams.NoClip) return ABottom + AParams.FullRowHeight > AHeight;
  return ABottom >= AHeight;
}

}  // namespace

// --- The row store ----------------------------------------------------------------------------

TcxTextRow& cxGetTextRow(TcxTextRows& ARows, Integer AIndex) {
  return AIndex < cxTextRowsStaticCount ? ARows.StaticRows[AIndex]
                                        : ARows.DynamicRows[static_cast<size_t>(AIndex - cxTextRowsStaticCount)];
}

const TcxTextRow& cxGetTextRow(const TcxTextRows& ARows, Integer AIndex) {
  return cxGetTextRow(const_cast<TcxTextRows&>(ARows), AIndex);
}

void ValidateTextRows(TcxTextRows& ARows, Integer ACount) {
  ARows.Count = ACount;
  // Grown with four rows to spare.
  const Integer dynamic = ACount - cxTextRowsStaticCount;
  if (dynamic > static_cast<Integer>(ARows.DynamicRows.size()))
    ARows.DynamicRows.resize(static_cast<size_t>(dynamic + 4));
  // No rows: there is no last row to clear.
  if (ACount >= 1) cxGetTextRow(ARows, ACount - 1) = TcxTextRow();
}

// --- Word ends ----------------------------------------------------------------------------------

const Char* cxGetNextWordBreak(UINT ACodePage, const Char* P, const Char* AEnd) {
  if (P >= AEnd) return P;
  if (IsSpaceOrTab(*P)) return P + 1;
  if (IsFarEastFullWidthCharacter(ACodePage, *P)) {
    ++P;
    if (P < AEnd && IsFarEastLineBreak(*P)) ++P;
    return P;
  }
  while (P < AEnd && !IsSpaceOrTab(*P) && !IsLineEnd(*P) && !IsFarEastFullWidthCharacter(ACodePage, *P)) ++P;
  return P;
}

Integer FitCharCount(HDC ADC, const Char* AText, Integer ALength, Integer AWidth, Integer AMinCount,
                     bool AExpandTabs, TcxCalcTextExtentsProc AMeasure) {
  Integer fits = 0, tooMany = ALength + 1;
  while (tooMany - fits > 1) {
    const Integer middle = fits + (tooMany - fits) / 2;
    if (TextWidth(ADC, AText, middle, AExpandTabs, AMeasure) <= AWidth) fits = middle;
    else tooMany = middle;
  }
  return std::max(fits, std::min(AMinCount, ALength));
}

// --- Making and placing rows ----------------------------------------------------------------------

bool cxMakeTextRows(HDC ADC, const Char* AText, Integer ALength, const TRect& R, const TcxTextParams& AParams,
                    TcxTextRows& ARows, Integer& ARowCount, Integer AMaxLineCount, TcxCalcTextExtentsProc AMeasure) {
  ValidateTextRows(ARows, 0);
  ARowCount = 0;
  const Char* const end = AText + ALength;
  const Integer width = R.Right - R.Left, height = R.Bottom - R.Top;
  const TLineBreaker breaker(ADC, end, width, MakeTextRowFormat(AParams), AMeasure);
  const Char* P = AText;
  Integer bottom = 0;
  do {
    ValidateTextRows(ARows, ARowCount + 1);
    TcxTextRow& row = cxGetTextRow(ARows, ARowCount++);
    // A single line measured for its rectangle holds the whole text, line
    // ends and all; one that is drawn ends at the first line end.
    const TRowBreak rowBreak = AParams.CalcRect && AParams.SingleLine ? TRowBreak{end, end, false}
                                                                      : breaker.Break(P, row.BreakCount);
    row.Text = P;
    row.TextLength = static_cast<Integer>(rowBreak.RowEnd - P);
    row.StartIndex = static_cast<Integer>(P - AText);
    AMeasure(ADC, row.Text, row.TextLength, row.TextExtents, AParams.ExpandTabs);
    bottom += AParams.FullRowHeight;
    P = rowBreak.Next;
  } while (P < end && !IsLastRow(AParams, bottom, height, ARowCount, AMaxLineCount));
  if (AParams.CalcRect || AParams.CalcRowCount) return true;
  return P >= end && !(AParams.SingleLine && cxGetTextRow(ARows, 0).TextExtents.cx > width);
}

Integer RowOriginX(const TRect& R, const TcxTextParams& AParams, Integer AWidth) {
  Integer x = R.Left;
  if (AParams.TextAlignX == taCenterX) x = (R.Right - R.Left - AWidth) / 2 + R.Left;
  else if (AParams.TextAlignX == taRight) x = R.Right - AWidth;
  return AParams.PreventLeftExceed ? std::max(x, static_cast<Integer>(R.Left)) : x;
}

void cxPlaceTextRows(HDC, const TRect& R, TcxTextParams& AParams, TcxTextRows& ARows, Integer ARowCount) {
  const Integer height = R.Bottom - R.Top;
  // Distributed rows spread over the whole height: the first at the top,
  // the last at the bottom, the odd pixels to the first gaps.
  Integer extraPixels = 0;
  if (AParams.TextAlignY == taDistributeY && ARowCount > 1) {
    const Integer freeHeight = height - AParams.TextHeight;
    if (freeHeight / (ARowCount - 1) > AParams.TextHeight) {
      AParams.FullRowHeight = freeHeight / (ARowCount - 1);
      extraPixels = freeHeight % (ARowCount - 1);
    }
  }
  Integer top = R.Top;
  if (AParams.TextAlignY == taCenterY) top = (height - ARowCount * AParams.FullRowHeight) / 2 + R.Top;
  else if (AParams.TextAlignY == taBottom)
    top = R.Bottom + AParams.UsedExternalLeading - ARowCount * AParams.FullRowHeight;
  if (AParams.PreventTopExceed) top = std::max(top, static_cast<Integer>(R.Top));
  for (Integer i = 0; i < ARowCount; ++i) {
    TcxTextRow& row = cxGetTextRow(ARows, i);
    row.TextOriginX = RowOriginX(R, AParams, row.TextExtents.cx);
    row.TextOriginY = top;
    top += AParams.FullRowHeight + (i < extraPixels ? 1 : 0);
  }
}

Integer cxGetLongestTextRowWidth(const TcxTextRows& ARows, Integer ARowCount) {
  Integer longest = 0;
  for (Integer i = 0; i < std::min(ARowCount, ARows.Count); ++i)
    longest = std::max(longest, static_cast<Integer>(cxGetTextRow(ARows, i).TextExtents.cx));
  return longest;
}

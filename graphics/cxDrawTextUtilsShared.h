#pragma once
// What the cxDrawTextUtils sources share. Private to graphics/.

#include "graphics/cxDrawTextUtils.h"

constexpr bool IsSpaceOrTab(Char C) { return C == u' ' || C == u'\t'; }

// The width of ALength characters, measured as the layout measures.
inline Integer TextWidth(HDC ADC, const Char* AText, Integer ALength, bool AExpandTabs,
                         TcxCalcTextExtentsProc AMeasure) {
  TSize size{0, 0};
  if (ALength > 0) AMeasure(ADC, AText, ALength, size, AExpandTabs);
  return size.cx;
}

// The most leading characters of AText, at least AMinCount, whose width stays
// within AWidth.
Integer FitCharCount(HDC ADC, const Char* AText, Integer ALength, Integer AWidth, Integer AMinCount,
                     bool AExpandTabs, TcxCalcTextExtentsProc AMeasure);

// Where a row of AWidth starts in R for the horizontal alignment.
Integer RowOriginX(const TRect& R, const TcxTextParams& AParams, Integer AWidth);

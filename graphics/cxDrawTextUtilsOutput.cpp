// Drawing placed rows: patterned text, the end ellipsis, justification and
// the selection highlight.
#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>

#include "graphics/GdiScopes.h"
#include "graphics/cxDrawTextUtilsShared.h"
#include "graphics/cxGraphics.h"

namespace {

struct TFillPatterns {
  HBRUSH Checkerboard = nullptr;
  HBRUSH Solid = nullptr;
};

TFillPatterns& FillPatterns() {
  static TFillPatterns patterns;
  return patterns;
}

// An 8 x 8 monochrome pattern brush from the rows' bits; a device bitmap's
// rows take two bytes.
HBRUSH CreatePatternBrush8x8(const BYTE (&ARows)[8]) {
  BYTE bits[16] = {};
  for (int i = 0; i < 8; ++i) bits[2 * i] = ARows[i];
  TOwnedGdiObject<HBITMAP> pattern(CreateBitmap(8, 8, 1, 1, bits));
  return CreatePatternBrush(pattern);
}

bool IsMetafileDC(HDC ADC) {
  const DWORD type = GetObjectType(ADC);
  return type == OBJ_METADC || type == OBJ_ENHMETADC;
}

// A grey band over the row's text in the text colour on the window colour:
// solid for a bold font.
void DrawPatternedRow(HDC ADC, const TRect& R, const TcxTextParams& AParams, const TcxTextRow& ARow) {
  TRect band{ARow.TextOriginX, ARow.TextOriginY + AParams.OnePixel,
             std::min(ARow.TextOriginX + ARow.TextExtents.cx, R.Right),
             ARow.TextOriginY + ARow.TextExtents.cy - AParams.OnePixel};
  band.Bottom = std::max(band.Bottom, band.Top + 1);
  TBkColorScope window(ADC, GetSysColor(COLOR_WINDOW));
  FillRect(ADC, &band, AParams.Bold ? FillPatterns().Solid : FillPatterns().Checkerboard);
}

// One row's drawing, in the DC's state of the moment.
class TRowPainter {
 public:
  TRowPainter(HDC ADC, const TRect& R, const TcxTextParams& AParams, const TcxTextRow& ARow)
      : FDC(ADC), FR(R), FParams(AParams), FRow(ARow) {}

  void DrawText() const {
    if (FParams.ExpandTabs)
      cxTabbedTextOutW(FDC, FRow.TextOriginX, FRow.TextOriginY, FRow.Text, FRow.TextLength, 0, nullptr,
                       FRow.TextOriginX);
    else
      cxTextOutW(FDC, FRow.TextOriginX, FRow.TextOriginY, FRow.Text, FRow.TextLength);
  }

  // "..." right after the row's text while it starts inside R; clipped to
  // the rest of the row band when it does not fit.
  void DrawEllipsis() const {
    const Integer x = FRow.TextOriginX + FRow.TextExtents.cx;
    if (x >= FR.Right) return;
    const bool clipped = !FParams.NoClip && x + FParams.EndEllipsisWidth > FR.Right;
    const TRect rest{x, FRow.TextOriginY, FR.Right, FRow.TextOriginY + FParams.FullRowHeight};
    cxExtTextOutW(FDC, x, FRow.TextOriginY, clipped ? ETO_CLIPPED : 0, &rest, cxEndEllipsisChars, 3);
  }

  // Where the characters [AFrom, ATo) of the row lie, from its origin;
  // mirrored from its right end for right-to-left text.
  std::pair<Integer, Integer> Span(Integer AFrom, Integer ATo) const {
    Integer left = PrefixWidth(AFrom), right = PrefixWidth(ATo);
    const Char first = FRow.TextLength > 0 ? FRow.Text[0] : 0;
    if (cxGetWritingDirection(FParams.CharSet, String(1, first)) == wdRightToLeft) {
      const Integer width = FRow.TextExtents.cx;
      std::tie(left, right) = std::pair(width - right, width - left);
    }
    return {FRow.TextOriginX + left, FRow.TextOriginX + right};
  }

 private:
  HDC FDC;
  const TRect& FR;
  const TcxTextParams& FParams;
  const TcxTextRow& FRow;

  Integer PrefixWidth(Integer ALength) const {
    return TextWidth(FDC, FRow.Text, ALength, FParams.ExpandTabs, &cxCalcTextExtentsEx);
  }
};

// Spreads the room left in a justified row over its blanks while alive.
class TJustification {
 public:
  TJustification(HDC ADC, const TRect& R, const TcxTextParams& AParams, const TcxTextRow& ARow) : FDC(ADC) {
    const bool justified = AParams.TextAlignX == taJustifyX || AParams.TextAlignX == taDistributeX;
    const Integer room = R.Right - R.Left - ARow.TextExtents.cx;
    FActive = justified && ARow.BreakCount > 0 && room > 0;
    if (FActive) SetTextJustification(FDC, room, ARow.BreakCount);
  }
  ~TJustification() {
    if (FActive) SetTextJustification(FDC, 0, 0);
  }
  TJustification(const TJustification&) = delete;
  TJustification& operator=(const TJustification&) = delete;

 private:
  HDC FDC;
  bool FActive = false;
};

}  // namespace

void CreateFillPatterns() {
  constexpr BYTE checkerboard[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  constexpr BYTE solid[8] = {};
  FillPatterns() = {CreatePatternBrush8x8(checkerboard), CreatePatternBrush8x8(solid)};
}

void DestroyFillPatterns() {
  TFillPatterns& patterns = FillPatterns();
  DeleteObject(patterns.Checkerboard);
  DeleteObject(patterns.Solid);
  patterns = TFillPatterns();
}

void cxPrepareEndEllipsis(HDC ADC, TcxTextRow& ARow, const TcxTextParams& AParams, Integer AAvailableWidth,
                          TcxCalcTextExtentsProc AMeasure) {
  const Integer room = std::max(AAvailableWidth - AParams.EndEllipsisWidth, 0);
  const Integer minCount = AParams.TextAlignX == taLeft ? 1 : 0;
  ARow.TextLength = FitCharCount(ADC, ARow.Text, ARow.TextLength, room, minCount, AParams.ExpandTabs, AMeasure);
  AMeasure(ADC, ARow.Text, ARow.TextLength, ARow.TextExtents, AParams.ExpandTabs);
}

void cxTextRowsOutHighlight(HDC ADC, const TRect& R, const TcxTextParams& AParams, TcxTextRows& ARows,
                            Integer ARowCount, Integer ASelStart, Integer ASelLength, TColor ASelBkColor,
                            TColor ASelTextColor, bool AForceEndEllipsis) {
  TBkModeScope transparent(ADC, TRANSPARENT);
  const bool metafile = IsMetafileDC(ADC);
  std::optional<TOwnedGdiObject<HBRUSH>> selectionBrush;
  if (ASelLength >= 1 && cxColorIsValid(ASelBkColor) && !metafile)
    selectionBrush.emplace(CreateSolidBrush(ColorToGdi(ASelBkColor)));
  const COLORREF selectionText = cxColorIsValid(ASelTextColor) ? ColorToGdi(ASelTextColor) : GetTextColor(ADC);
  const Integer width = R.Right - R.Left;
  for (Integer i = 0; i < ARowCount; ++i) {
    TcxTextRow& row = cxGetTextRow(ARows, i);
    const bool lastRow = i == ARowCount - 1;
    const TRect band{R.Left, row.TextOriginY, R.Right, row.TextOriginY + AParams.FullRowHeight};
    if (!metafile && !RectVisible(ADC, &band)) continue;
    if (row.TextLength == 0 && !(lastRow && AForceEndEllipsis && AParams.EndEllipsis)) continue;
    if (AParams.PatternedText) {
      DrawPatternedRow(ADC, R, AParams, row);
      continue;
    }
    const bool ellipsis = AParams.EndEllipsis && lastRow && (AForceEndEllipsis || row.TextExtents.cx > width);
    std::optional<TJustification> justification;
    if (!ellipsis) justification.emplace(ADC, R, AParams, row);
    TSavedDC rowState(ADC);
    if (!AParams.NoClip && (row.TextExtents.cx > width || band.Top < R.Top || band.Bottom > R.Bottom))
      IntersectClipRect(ADC, R.Left, std::max(band.Top, R.Top), R.Right, std::min(band.Bottom, R.Bottom));
    if (ellipsis) {
      cxPrepareEndEllipsis(ADC, row, AParams, width);
      // The shortened text and its "..." take the row's alignment together.
      row.TextOriginX = RowOriginX(R, AParams, row.TextExtents.cx + AParams.EndEllipsisWidth);
    }
    const TRowPainter painter(ADC, R, AParams, row);
    bool ellipsisPending = ellipsis;
    const Integer selFrom = std::max(ASelStart, row.StartIndex) - row.StartIndex;
    const Integer selTo = std::min(ASelStart + ASelLength, row.StartIndex + row.TextLength) - row.StartIndex;
    if (selectionBrush && selFrom < selTo) {
      const auto [left, right] = painter.Span(selFrom, selTo);
      const TRect span{left, row.TextOriginY, right, row.TextOriginY + row.TextExtents.cy};
      FillRect(ADC, &span, *selectionBrush);
      {
        TSavedDC selectionState(ADC);
        IntersectClipRect(ADC, span.Left, span.Top, span.Right, span.Bottom);
        SetTextColor(ADC, selectionText);
        painter.DrawText();
      }
      if (ellipsisPending && selTo == row.TextLength) {
        TTextColorScope selectionColor(ADC, selectionText);
        painter.DrawEllipsis();
        ellipsisPending = false;
      }
      ExcludeClipRect(ADC, span.Left, span.Top, span.Right, span.Bottom);
    }
    painter.DrawText();
    if (ellipsisPending) painter.DrawEllipsis();
  }
}

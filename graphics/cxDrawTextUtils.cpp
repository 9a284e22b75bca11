// The main entry, the parameters of an output, rectangle preparation and
// measuring.
#include "graphics/cxDrawTextUtils.h"

#include <algorithm>
#include <optional>

#include "controls/dxCore.h"
#include "graphics/GdiScopes.h"
#include "graphics/cxDrawTextUtilsShared.h"
#include "host/Canvas.h"
#include "host/SysLocale.h"

namespace {

// GetTabbedTextExtentW's width has 16 bits.
constexpr Integer TabbedExtentLimit = 0x10000;
// Longer texts are measured with DrawTextW; tabbed output takes no more.
constexpr Integer MaxTabbedTextLength = 4096;
// Measuring with DrawTextW: one line, tabs expanded, no prefixes.
constexpr UINT MeasureTextFormat = DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX;
// A font lower than this many device pixels is drawn as a pattern.
constexpr Integer MinReadableTextHeight = 6;

TcxTextAlignX DecodeTextAlignX(Cardinal AFormat) {
  const Cardinal align = AFormat & CXTO_HORZ_ALIGN_MASK;
  return align <= taDistributeX ? static_cast<TcxTextAlignX>(align) : taLeft;
}

// Logical units that ADX x ADY device pixels span.
TSize LogicalExtent(HDC ADC, Integer ADX, Integer ADY) {
  POINT points[2] = {{0, 0}, {ADX, ADY}};
  DPtoLP(ADC, points, 2);
  return {points[1].X - points[0].X, points[1].Y - points[0].Y};
}

TSize DrawTextExtent(HDC ADC, const Char* AText, Integer ALength) {
  TRect r{0, 0, 0, 0};
  cxDrawTextW(ADC, AText, ALength, r, MeasureTextFormat);
  return {r.Right - r.Left, r.Bottom - r.Top};
}

// The widest the text can be: every character as wide as the widest one,
// every tab a whole tab stop.
bool MayExceedTabbedExtent(HDC ADC, Integer ALength) {
  TEXTMETRICW tm;
  if (!GetTextMetricsW(ADC, &tm)) return false;
  const Int64 widest = std::max<Int64>(tm.tmMaxCharWidth, 8 * static_cast<Int64>(tm.tmAveCharWidth));
  return widest * ALength >= TabbedExtentLimit;
}

bool CanProcessText(const TRect& R, const TcxTextParams& AParams) {
  return R.Right > R.Left && (AParams.CalcRect || R.Bottom > R.Top);
}

// "&&" stands for "&"; any other "&" marks the next character.
String RemoveAccelChars(const String& AText) {
  String result;
  result.reserve(AText.size());
  for (size_t i = 0; i < AText.size(); ++i) {
    if (AText[i] == u'&') {
      if (++i == AText.size()) break;
    }
    result += AText[i];
  }
  return result;
}

Integer TextBottom(const TcxTextRows& ARows, Integer ARowCount, const TcxTextParams& AParams) {
  return cxGetTextRow(ARows, ARowCount - 1).TextOriginY + AParams.TextHeight;
}

}  // namespace

// --- Parameters and rectangles ------------------------------------------------------------

void cxCalcTextParams(HDC ADC, Cardinal AFormat, TcxTextParams& AParams, Double ALineSpacingFactor) {
  AParams = TcxTextParams();
  TEXTMETRICW tm;
  GetTextMetricsW(ADC, &tm);
  AParams.TextHeight = tm.tmHeight;
  AParams.BreakChar = tm.tmBreakChar;
  AParams.MaxCharWidth = tm.tmMaxCharWidth;
  AParams.CharSet = tm.tmCharSet;
  AParams.Bold = tm.tmWeight >= FW_BOLD;
  AParams.TextAlignX = DecodeTextAlignX(AFormat);
  AParams.TextAlignY = static_cast<TcxTextAlignY>((AFormat & CXTO_VERT_ALIGN_MASK) >> CXTO_VERT_ALIGN_OFFSET);
  AParams.WordBreak = AFormat & CXTO_WORDBREAK;
  AParams.SingleLine = AFormat & CXTO_SINGLELINE;
  AParams.ExpandTabs = AFormat & CXTO_EXPANDTABS;
  AParams.EndEllipsis = AFormat & CXTO_END_ELLIPSIS;
  AParams.ExternalLeading = AFormat & CXTO_EXTERNALLEADING;
  AParams.EditControl = AFormat & CXTO_EDITCONTROL;
  AParams.ExcelStyle = AFormat & CXTO_EXCELSTYLE;
  AParams.NoClip = AFormat & CXTO_NOCLIP;
  AParams.AutoIndents = AFormat & CXTO_AUTOINDENTS;
  AParams.PatternedText = AFormat & CXTO_PATTERNEDTEXT;
  AParams.PreventLeftExceed = AFormat & CXTO_PREVENT_LEFT_EXCEED;
  AParams.PreventTopExceed = AFormat & CXTO_PREVENT_TOP_EXCEED;
  AParams.CharBreak = (AFormat & CXTO_CHARBREAK) || SysLocale().FarEast;
  AParams.CalcRowCount = AFormat & CXTO_CALCROWCOUNT;
  AParams.CalcRect = AFormat & CXTO_CALCRECT;
  AParams.HidePrefix = AFormat & CXTO_HIDEPREFIX;
  AParams.UsedExternalLeading = AParams.ExternalLeading ? tm.tmExternalLeading : 0;
  AParams.OnePixel = LogicalExtent(ADC, 1, 1).cx;
  AParams.FullRowHeight =
      static_cast<Integer>(Round((AParams.TextHeight + AParams.UsedExternalLeading) * ALineSpacingFactor));
  AParams.PatternedText =
      AParams.PatternedText && AParams.TextHeight < LogicalExtent(ADC, 0, MinReadableTextHeight).cy;
  if (AParams.EndEllipsis)
    AParams.EndEllipsisWidth = TextWidth(ADC, cxEndEllipsisChars, 3, false, &cxCalcTextExtentsEx);
}

void cxCalcTextParams(TCanvas* ACanvas, Cardinal AFormat, TcxTextParams& AParams, Double ALineSpacingFactor) {
  ACanvas->RequiredState({csHandleValid, csFontValid});
  cxCalcTextParams(ACanvas->GetHandle(), AFormat, AParams, ALineSpacingFactor);
}

void cxPrepareRect(TRect& R, const TcxTextParams& AParams, Integer ALeftIndent, Integer ARightIndent) {
  if (AParams.AutoIndents) {
    const Integer inset = 2 * AParams.OnePixel;
    R = {R.Left + inset, R.Top + inset, R.Right - inset, R.Bottom - inset};
  }
  R.Left += ALeftIndent * AParams.OnePixel;
  R.Right -= ARightIndent * AParams.OnePixel;
}

void cxUnprepareRect(TRect& R, const TcxTextParams& AParams, Integer ALeftIndent, Integer ARightIndent) {
  R.Left -= ALeftIndent * AParams.OnePixel;
  R.Right += ARightIndent * AParams.OnePixel;
  if (AParams.AutoIndents) {
    const Integer inset = 2 * AParams.OnePixel;
    R = {R.Left - inset, R.Top - inset, R.Right + inset, R.Bottom + inset};
  }
}

// --- Measuring -------------------------------------------------------------------------------

bool cxCalcTextExtents(HDC ADC, const Char* AText, Integer ALength, TSize& ASize, bool AExpandTabs) {
  if (!AExpandTabs) return cxGetTextExtentPoint32W(ADC, AText, ALength, ASize);
  if (ALength >= MaxTabbedTextLength) {
    ASize = DrawTextExtent(ADC, AText, ALength);
    if (ASize.cx == 0 && ALength > MaxTabbedTextLength) ASize = DrawTextExtent(ADC, AText, MaxTabbedTextLength);
    return true;
  }
  const DWORD extent = cxGetTabbedTextExtentW(ADC, AText, ALength, 0, nullptr);
  if (extent == 0 && ALength > 0) return false;
  ASize = {static_cast<LONG>(extent & 0xFFFF), static_cast<LONG>(extent >> 16)};
  // The true width is the 16 bits read plus the whole multiples of 65536
  // they lost.
  if (MayExceedTabbedExtent(ADC, ALength))
    ASize.cx += DrawTextExtent(ADC, AText, ALength).cx / TabbedExtentLimit * TabbedExtentLimit;
  return true;
}

void cxCalcTextExtentsEx(HDC ADC, const Char* AText, Integer ALength, TSize& ASize, bool AExpandTabs) {
  cxCalcTextExtents(ADC, AText, ALength, ASize, AExpandTabs);
}

LONG cxTabbedTextOutW(HDC ADC, Integer X, Integer Y, const Char* AText, Integer ACount, Integer ATabPositions,
                      const Integer* ATabStops, Integer ATabOrigin) {
  return TabbedTextOutW(ADC, X, Y, AText, std::min(ACount, MaxTabbedTextLength), ATabPositions, ATabStops,
                        ATabOrigin);
}

// --- The main entry -----------------------------------------------------------------------------

Integer cxTextOut(HDC ADC, const String& AText, TRect& R, Cardinal AFormat, Integer ASelStart, Integer ASelLength,
                  TFont* AFont, TColor ASelBkColor, TColor ASelTextColor, Integer AMaxLineCount, Integer ALeftIndent,
                  Integer ARightIndent, TColor ATextColor, Double ALineSpacingFactor) {
  if (AText.empty()) return 0;
  std::optional<TSelectedObject> font;
  COLORREF textColor = GetTextColor(ADC);
  if (AFont) {
    font.emplace(ADC, AFont->GetHandle());
    textColor = ColorToGdi(AFont->GetColor());
  }
  if (ATextColor != clDefault) textColor = ColorToGdi(ATextColor);
  TTextColorScope textColorScope(ADC, textColor);

  TcxTextParams params;
  cxCalcTextParams(ADC, AFormat, params, ALineSpacingFactor);
  TRect r = R;
  cxPrepareRect(r, params, ALeftIndent, ARightIndent);
  if (!CanProcessText(r, params)) return 0;
  std::optional<String> withoutPrefixes;
  if (params.HidePrefix) {
    withoutPrefixes = RemoveAccelChars(AText);
    if (withoutPrefixes->empty()) return 0;
  }
  const String& text = withoutPrefixes ? *withoutPrefixes : AText;
  const auto length = static_cast<Integer>(text.size());

  TcxTextRows rows;
  Integer rowCount = 0;
  const bool fits = cxMakeTextRows(ADC, text.data(), length, r, params, rows, rowCount, AMaxLineCount);
  if (params.CalcRowCount) return rowCount;
  if (params.CalcRect) {
    if (AMaxLineCount > 0) rowCount = std::min(rowCount, AMaxLineCount);
    r.Right = r.Left + cxGetLongestTextRowWidth(rows, rowCount);
    if (!params.SingleLine) cxMakeTextRows(ADC, text.data(), length, r, params, rows, rowCount, AMaxLineCount);
    cxPlaceTextRows(ADC, r, params, rows, rowCount);
    r.Bottom = TextBottom(rows, rowCount, params);
    const Integer height = r.Bottom - r.Top;
    cxUnprepareRect(r, params, ALeftIndent, ARightIndent);
    R = r;
    return height != 0 ? height : rowCount;
  }
  cxPlaceTextRows(ADC, r, params, rows, rowCount);
  if (ASelStart < 0 || ASelStart >= length) ASelLength = 0;
  else ASelLength = std::min(ASelLength, length - ASelStart);
  cxTextRowsOutHighlight(ADC, r, params, rows, rowCount, ASelStart, ASelLength, ASelBkColor, ASelTextColor, !fits);
  const Integer height = TextBottom(rows, rowCount, params) - r.Top;
  return height != 0 ? height : rowCount;
}

void RegisterDrawTextUtilsUnit() {
  RegisterSuiteUnit<&CreateFillPatterns, &DestroyFillPatterns>("cxDrawTextUtils", {"cxGraphics"});
}

// Text on a device context, the canvas's text flags, and fonts.
#include <optional>

#include "graphics/GdiScopes.h"
#include "graphics/cxGraphics.h"

namespace {

// -1 for the whole text; never more than the text has.
int LengthOf(const String& AText, Integer ACharCount) {
  const auto length = static_cast<Integer>(AText.size());
  return ACharCount < 0 || ACharCount > length ? length : ACharCount;
}

// The character set of the system's default font.
TFontCharset SystemDefaultCharset() {
  TMemoryDC dc;
  TEXTMETRICW tm;
  return GetTextMetricsW(dc, &tm) ? tm.tmCharSet : ANSI_CHARSET;
}

}  // namespace

Integer cxDrawText(HDC ADC, const String& AText, TRect& ARect, UINT AFormat, Integer ABkMode, TColor ATextColor,
                   Integer ACharCount) {
  TBkModeScope bkMode(ADC, ABkMode);
  std::optional<TTextColorScope> textColor;
  if (ATextColor != clDefault) textColor.emplace(ADC, ColorToGdi(ATextColor));
  return DrawTextW(ADC, AText.c_str(), LengthOf(AText, ACharCount), &ARect, AFormat);
}

bool cxExtTextOut(HDC ADC, const String& AText, const TPoint& APoint, UINT AOptions, Integer ACharCount) {
  return ExtTextOutW(ADC, APoint.X, APoint.Y, AOptions, nullptr, AText.c_str(),
                     static_cast<UINT>(LengthOf(AText, ACharCount)), nullptr) != FALSE;
}

bool cxExtTextOut(HDC ADC, const String& AText, const TPoint& APoint, const TRect& ARect, UINT AOptions,
                  Integer ACharCount) {
  return ExtTextOutW(ADC, APoint.X, APoint.Y, AOptions, &ARect, AText.c_str(),
                     static_cast<UINT>(LengthOf(AText, ACharCount)), nullptr) != FALSE;
}

bool cxGetTextExtentPoint32(HDC ADC, const String& AText, TSize& ASize, Integer ACharCount) {
  return GetTextExtentPoint32W(ADC, AText.c_str(), LengthOf(AText, ACharCount), &ASize) != FALSE;
}

Integer cxTextHeight(HDC ADC) {
  TEXTMETRICW tm;
  return GetTextMetricsW(ADC, &tm) ? tm.tmHeight : 0;
}

Integer cxTextHeight(TFont* AFont) {
  TMemoryDC dc;
  TSelectedObject font(dc, AFont->GetHandle());
  return cxTextHeight(dc);
}

UINT cxFlagsToDTFlags(Integer AFlags) {
  UINT result = DT_NOPREFIX;
  if (AFlags & cxAlignRight) result |= DT_RIGHT;
  if (AFlags & cxAlignHCenter) result |= DT_CENTER;
  if (AFlags & cxAlignBottom) result |= DT_BOTTOM;
  if (AFlags & cxAlignVCenter) result |= DT_VCENTER;
  if (AFlags & cxSingleLine) result |= DT_SINGLELINE;
  if (AFlags & cxDontClip) result |= DT_NOCLIP;
  if (AFlags & cxExpandTabs) result |= DT_EXPANDTABS;
  if (AFlags & cxShowPrefix) result &= ~DT_NOPREFIX;
  if (AFlags & cxWordBreak) {
    result |= DT_WORDBREAK;
    if (!(AFlags & cxDontBreakChars)) result |= DT_EDITCONTROL;
    else if (AFlags & cxNoFullWidthCharBreak) result |= DT_NOFULLWIDTHCHARBREAK;
  }
  if (AFlags & cxShowEndEllipsis) result |= DT_END_ELLIPSIS;
  if (AFlags & cxCalcRect) result |= DT_CALCRECT;
  if (AFlags & cxShowPathEllipsis) result |= DT_PATH_ELLIPSIS;
  return result;
}

TcxWritingDirection cxGetWritingDirection(TFontCharset ACharset, const String& AText) {
  if (ACharset == DEFAULT_CHARSET) ACharset = SystemDefaultCharset();
  const bool farText = AText.empty() || AText[0] >= 128;
  const bool farCharset = ACharset == GB2312_CHARSET || ACharset == CHINESEBIG5_CHARSET || ACharset == ARABIC_CHARSET;
  return farText && farCharset ? wdRightToLeft : wdLeftToRight;
}

void dxSetFontAsNonAntialiased(TFont* AFont) { AFont->SetQuality(fqNonAntialiased); }

void cxResetFont(TFont* AFont) {
  const TFont defaults;
  AFont->SetCharset(defaults.GetCharset());
  AFont->SetName(defaults.GetName());
  AFont->SetHeight(defaults.GetHeight());
  AFont->SetPitch(defaults.GetPitch());
  AFont->SetStyle(defaults.GetStyle());
}

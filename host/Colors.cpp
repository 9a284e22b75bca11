#include "host/Colors.h"

#include "host/Exceptions.h"
#include "host/SysUtils.h"

Integer ColorToRGB(TColor Color) {
  if (static_cast<Cardinal>(Color) >> 24 == 0xFF)
    return static_cast<Integer>(GetSysColor(static_cast<int>(Color & 0xFF)));
  return Color;
}

COLORREF ColorToGdi(TColor Color) {
  if (Color == clNone || Color == clDefault) return 0;
  return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFF;
}

const TIdentMap& ColorIdents() {
  static const TIdentMap map{{
      {clBlack, u"clBlack"},
      {clMaroon, u"clMaroon"},
      {clGreen, u"clGreen"},
      {clOlive, u"clOlive"},
      {clNavy, u"clNavy"},
      {clPurple, u"clPurple"},
      {clTeal, u"clTeal"},
      {clGray, u"clGray"},
      {clSilver, u"clSilver"},
      {clRed, u"clRed"},
      {clLime, u"clLime"},
      {clYellow, u"clYellow"},
      {clBlue, u"clBlue"},
      {clFuchsia, u"clFuchsia"},
      {clAqua, u"clAqua"},
      {clWhite, u"clWhite"},
      {clMoneyGreen, u"clMoneyGreen"},
      {clSkyBlue, u"clSkyBlue"},
      {clCream, u"clCream"},
      {clMedGray, u"clMedGray"},
      {clActiveBorder, u"clActiveBorder"},
      {clActiveCaption, u"clActiveCaption"},
      {clAppWorkSpace, u"clAppWorkSpace"},
      {clBackground, u"clBackground"},
      {clBtnFace, u"clBtnFace"},
      {clBtnHighlight, u"clBtnHighlight"},
      {clBtnShadow, u"clBtnShadow"},
      {clBtnText, u"clBtnText"},
      {clCaptionText, u"clCaptionText"},
      {clDefault, u"clDefault"},
      {clGradientActiveCaption, u"clGradientActiveCaption"},
      {clGradientInactiveCaption, u"clGradientInactiveCaption"},
      {clGrayText, u"clGrayText"},
      {clHighlight, u"clHighlight"},
      {clHighlightText, u"clHighlightText"},
      {clHotLight, u"clHotLight"},
      {clInactiveBorder, u"clInactiveBorder"},
      {clInactiveCaption, u"clInactiveCaption"},
      {clInactiveCaptionText, u"clInactiveCaptionText"},
      {clInfoBk, u"clInfoBk"},
      {clInfoText, u"clInfoText"},
      {clMenu, u"clMenu"},
      {clMenuBar, u"clMenuBar"},
      {clMenuHighlight, u"clMenuHighlight"},
      {clMenuText, u"clMenuText"},
      {clNone, u"clNone"},
      {clScrollBar, u"clScrollBar"},
      {cl3DDkShadow, u"cl3DDkShadow"},
      {cl3DLight, u"cl3DLight"},
      {clWindow, u"clWindow"},
      {clWindowFrame, u"clWindowFrame"},
      {clWindowText, u"clWindowText"},
  }};
  return map;
}

bool ColorToIdent(TColor Color, String& Ident) { return ColorIdents().ToIdent(Color, Ident); }

bool IdentToColor(std::u16string_view Ident, TColor& Color) {
  Int64 value = 0;
  if (!ColorIdents().ToInt(Ident, value)) return false;
  Color = static_cast<TColor>(value);
  return true;
}

String ColorToString(TColor Color) {
  String ident;
  if (ColorToIdent(Color, ident)) return ident;
  return u"$" + IntToHex(static_cast<Cardinal>(Color), 8);
}

TColor StringToColor(std::u16string_view S) {
  TColor color = 0;
  if (IdentToColor(S, color)) return color;
  return StrToInt(S);
}

#pragma once
// Colours: 0x00BBGGRR values, system colours as 0xFF0000nn, and the two
// special values that mean "paint nothing" and "no colour given".

#include "host/System.h"
#include "host/TypInfo.h"
#include "platform/Gdi.h"

// Signed, so that the system colours (top byte 0xFF) are the negative ones.
using TColor = Integer;

constexpr TColor SystemColor(int Index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(Index)); }

inline constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
inline constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
inline constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
inline constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
inline constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
inline constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
inline constexpr TColor clGradientActiveCaption = SystemColor(27);
inline constexpr TColor clGradientInactiveCaption = SystemColor(28);
inline constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
inline constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = clSilver;
inline constexpr TColor clDkGray = clGray;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;

// Paint nothing.
inline constexpr TColor clNone = 0x1FFFFFFF;
// No colour given: whatever the next source (or the canvas) has applies.
inline constexpr TColor clDefault = 0x20000000;

// A system colour resolves through GetSysColor; every other value,
// clNone and clDefault included, comes back unchanged.
Integer ColorToRGB(TColor Color);

// What the GDI takes: system colours resolved; the two special values,
// which name no colour, black.
COLORREF ColorToGdi(TColor Color);

// The colour names ("clBtnFace", ...) that stored descriptions use.
const TIdentMap& ColorIdents();
bool ColorToIdent(TColor Color, String& Ident);
bool IdentToColor(std::u16string_view Ident, TColor& Color);
// A name where there is one, else "$" and eight hex digits.
String ColorToString(TColor Color);
// A name or an integer (decimal or "$" hex); EConvertError otherwise.
TColor StringToColor(std::u16string_view S);

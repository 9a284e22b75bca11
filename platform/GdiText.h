#pragma once
// Fonts, text metrics and text output.

#include "platform/Gdi.h"

// --- Fonts ----------------------------------------------------------------

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTW {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;  // tenths of a degree
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  WCHAR lfFaceName[LF_FACESIZE] = {};
};

inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_THIN = 100;
inline constexpr LONG FW_LIGHT = 300;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_MEDIUM = 500;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr LONG FW_HEAVY = 900;

inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE SYMBOL_CHARSET = 2;
inline constexpr BYTE SHIFTJIS_CHARSET = 128;
inline constexpr BYTE GB2312_CHARSET = 134;
inline constexpr BYTE CHINESEBIG5_CHARSET = 136;
inline constexpr BYTE GREEK_CHARSET = 161;
inline constexpr BYTE RUSSIAN_CHARSET = 204;
inline constexpr BYTE ARABIC_CHARSET = 178;
inline constexpr BYTE OEM_CHARSET = 255;

inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE OUT_TT_PRECIS = 4;
inline constexpr BYTE OUT_TT_ONLY_PRECIS = 7;
inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;

inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE DRAFT_QUALITY = 1;
inline constexpr BYTE PROOF_QUALITY = 2;
inline constexpr BYTE NONANTIALIASED_QUALITY = 3;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;
inline constexpr BYTE CLEARTYPE_QUALITY = 5;

inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_DONTCARE = 0x00;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;
inline constexpr BYTE FF_SCRIPT = 0x40;
inline constexpr BYTE FF_DECORATIVE = 0x50;

// Stock fonts (GetStockObject).
inline constexpr int OEM_FIXED_FONT = 10;
inline constexpr int ANSI_FIXED_FONT = 11;
inline constexpr int ANSI_VAR_FONT = 12;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEVICE_DEFAULT_FONT = 14;
inline constexpr int SYSTEM_FIXED_FONT = 16;
inline constexpr int DEFAULT_GUI_FONT = 17;

// Heights are bounded to this many pixels (either sign), so that any size a
// user types gives a usable font. Glyphs of an em above MaxCachedGlyphEm are
// rasterised on every draw, and only inside the destination's clip.
inline constexpr LONG MaxFontHeight = 16384;
inline constexpr LONG MaxCachedGlyphEm = 1024;

// A negative height is the character height (the em), a positive one the
// cell height (ascent + descent), 0 a 16-pixel cell. "Tahoma" and other
// installed faces match by name; unknown ones take the closest installed
// family, DejaVu when nothing better. Escapement and orientation are kept in
// the description; text is drawn horizontally.
HFONT CreateFontIndirectW(const LOGFONTW* lplf);
HFONT CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName);

// --- Metrics --------------------------------------------------------------

struct TEXTMETRICW {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 0;
  LONG tmDigitizedAspectY = 0;
  WCHAR tmFirstChar = 0;
  WCHAR tmLastChar = 0;
  WCHAR tmDefaultChar = 0;
  WCHAR tmBreakChar = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};

// tmPitchAndFamily bits; TMPF_FIXED_PITCH set means variable pitch.
inline constexpr BYTE TMPF_FIXED_PITCH = 0x01;
inline constexpr BYTE TMPF_VECTOR = 0x02;
inline constexpr BYTE TMPF_TRUETYPE = 0x04;

// Of the DC's font (the system font when none was selected).
BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* lptm);
// The face actually used; returns the characters copied without the
// terminator, or the size needed (with it) for a null buffer.
int GetTextFaceW(HDC hdc, int c, LPWSTR lpName);

// Extents are sums of whole-pixel advances (no kerning), so they add up and
// equal what is drawn; SetTextJustification widens the break characters of
// both. A count of -1 is not accepted: these take exact lengths.
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, SIZE* psizl);
// lpnFit: how many characters fit in nMaxExtent; lpnDx: the extent of each
// prefix, for every character.
BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR lpszString, int cchString, int nMaxExtent, int* lpnFit, int* lpnDx,
                           SIZE* lpSize);
// Width in the low word, height in the high one; the width is not saturated,
// so wider text comes back modulo 65536. No stops: every 8 average character
// widths; one: every that many pixels; more: at those positions, then on.
DWORD GetTabbedTextExtentW(HDC hdc, LPCWSTR lpString, int chCount, int nTabPositions, const INT* lpnTabStopPositions);

// --- Output ---------------------------------------------------------------

inline constexpr UINT TA_NOUPDATECP = 0;
inline constexpr UINT TA_UPDATECP = 1;
inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;
inline constexpr UINT GDI_ERROR = 0xFFFFFFFF;

UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
// Spreads extra pixels over the next outputs' break characters, count of them
// at a time; (0, 0) resets.
BOOL SetTextJustification(HDC hdc, int extra, int count);

inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;

// Text in the text colour (alpha 0); in the opaque background mode its cell
// is filled with the background colour first.
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c);
// ETO_OPAQUE fills lprect with the background colour, ETO_CLIPPED clips to
// it; lpDx, when given, holds each character's advance.
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c, const INT* lpDx);
// Tab stops as GetTabbedTextExtentW, measured from nTabOrigin; returns the
// extent packed the same way.
LONG TabbedTextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int chCount, int nTabPositions,
                    const INT* lpnTabStopPositions, int nTabOrigin);

// --- DrawTextW ------------------------------------------------------------

inline constexpr UINT DT_TOP = 0x0;
inline constexpr UINT DT_LEFT = 0x0;
inline constexpr UINT DT_CENTER = 0x1;
inline constexpr UINT DT_RIGHT = 0x2;
inline constexpr UINT DT_VCENTER = 0x4;
inline constexpr UINT DT_BOTTOM = 0x8;
inline constexpr UINT DT_WORDBREAK = 0x10;
inline constexpr UINT DT_SINGLELINE = 0x20;
inline constexpr UINT DT_EXPANDTABS = 0x40;
inline constexpr UINT DT_TABSTOP = 0x80;
inline constexpr UINT DT_NOCLIP = 0x100;
inline constexpr UINT DT_EXTERNALLEADING = 0x200;
inline constexpr UINT DT_CALCRECT = 0x400;
inline constexpr UINT DT_NOPREFIX = 0x800;
inline constexpr UINT DT_EDITCONTROL = 0x2000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
inline constexpr UINT DT_END_ELLIPSIS = 0x8000;
inline constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x80000;

// Lays text out in lprc and draws it with the DC's font, colours and
// background mode. A count of -1 means up to the terminator. Returns the
// text height; with DT_VCENTER or DT_BOTTOM (which act only on a single
// line) the offset from lprc's top to the bottom of the text. DT_CALCRECT
// draws nothing and sets lprc to the laid-out text: a single line to its
// extent, several lines to the widest line (a word that cannot be broken
// widens it) and down to the last one.
int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, RECT* lprc, UINT format);

#pragma once
// The suite's own text layout and output. A text is measured in a device
// context's font, split into rows (line breaks, word wrapping, words broken
// between characters, the far-east line-break rules), placed in a rectangle
// (alignment, distribution, clamping) and drawn with an end ellipsis,
// justification, a highlighted selection, or a pattern where the font is too
// small to read; or it is only measured: the rectangle it needs, or its row
// count.

#include <vector>

#include "host/Colors.h"
#include "host/System.h"
#include "host/Types.h"
#include "platform/GdiText.h"

class TCanvas;
class TFont;

// --- Format flags ---------------------------------------------------------------

// Horizontal alignment, a number in the low three bits.
inline constexpr Cardinal CXTO_LEFT = 0;
inline constexpr Cardinal CXTO_CENTER_HORIZONTALLY = 1;
inline constexpr Cardinal CXTO_RIGHT = 2;
inline constexpr Cardinal CXTO_JUSTIFY_HORIZONTALLY = 3;
inline constexpr Cardinal CXTO_DISTRIBUTE_HORIZONTALLY = 4;
inline constexpr Cardinal CXTO_HORZ_ALIGN_MASK = 7;
// Vertical alignment, a number in bits 4 and 5.
inline constexpr Cardinal CXTO_TOP = 0;
inline constexpr Cardinal CXTO_CENTER_VERTICALLY = 0x10;
inline constexpr Cardinal CXTO_BOTTOM = 0x20;
inline constexpr Cardinal CXTO_DISTRIBUTE_VERTICALLY = 0x30;
inline constexpr Cardinal CXTO_VERT_ALIGN_MASK = 0x30;
inline constexpr Cardinal CXTO_VERT_ALIGN_OFFSET = 4;

inline constexpr Cardinal CXTO_WORDBREAK = 0x100;
inline constexpr Cardinal CXTO_SINGLELINE = 0x200;
// Tabs to the default tab stops, every eight average character widths.
inline constexpr Cardinal CXTO_EXPANDTABS = 0x400;
// The last row shortened with "..." when the text does not fit.
inline constexpr Cardinal CXTO_END_ELLIPSIS = 0x800;
// Rows drawn as a grey pattern when the font is too small to read.
inline constexpr Cardinal CXTO_PATTERNEDTEXT = 0x1000;
inline constexpr Cardinal CXTO_EXTERNALLEADING = 0x2000;
// No partly visible last row; words too long for a row are broken.
inline constexpr Cardinal CXTO_EDITCONTROL = 0x4000;
inline constexpr Cardinal CXTO_NOCLIP = 0x8000;
// The rectangle inset by two device pixels on every side.
inline constexpr Cardinal CXTO_AUTOINDENTS = 0x10000;
// Words too long for a row are broken between characters.
inline constexpr Cardinal CXTO_CHARBREAK = 0x20000;
inline constexpr Cardinal CXTO_PREVENT_LEFT_EXCEED = 0x40000;
inline constexpr Cardinal CXTO_PREVENT_TOP_EXCEED = 0x80000;
// Only the rectangle the text needs is computed.
inline constexpr Cardinal CXTO_CALCRECT = 0x100000;
// Only the rows are counted.
inline constexpr Cardinal CXTO_CALCROWCOUNT = 0x200000;
// Prefixes are never interpreted.
inline constexpr Cardinal CXTO_NOPREFIX = 0;
// Accelerator ampersands are removed before the layout.
inline constexpr Cardinal CXTO_HIDEPREFIX = 0x1000000;
// After a wrap every following space is skipped.
inline constexpr Cardinal CXTO_EXCELSTYLE = 0x2000000;
inline constexpr Cardinal CXTO_DEFAULT_FORMAT = CXTO_SINGLELINE;

inline constexpr Char cxEndEllipsisChars[] = u"...";

enum TcxTextAlignX : uint8_t { taLeft, taCenterX, taRight, taJustifyX, taDistributeX };
enum TcxTextAlignY : uint8_t { taTop, taCenterY, taBottom, taDistributeY };

// What one output needs to know of the font and the format, in logical units.
struct TcxTextParams {
  Integer TextHeight = 0;  // tmHeight
  Integer UsedExternalLeading = 0;  // the font's with CXTO_EXTERNALLEADING, else 0
  Integer FullRowHeight = 0;  // the row pitch
  Integer EndEllipsisWidth = 0;  // of "..." with CXTO_END_ELLIPSIS, else 0
  bool Bold = false;
  Char BreakChar = 0;
  TcxTextAlignX TextAlignX = taLeft;
  TcxTextAlignY TextAlignY = taTop;
  bool WordBreak = false;
  bool SingleLine = false;
  bool ExpandTabs = false;
  bool EndEllipsis = false;
  bool ExternalLeading = false;
  bool EditControl = false;
  bool ExcelStyle = false;
  bool NoClip = false;
  bool AutoIndents = false;
  bool PatternedText = false;  // only while the font is below 6 device pixels
  bool PreventLeftExceed = false;
  bool PreventTopExceed = false;
  bool CharBreak = false;
  bool CalcRowCount = false;
  bool CalcRect = false;
  Integer MaxCharWidth = 0;
  Byte CharSet = 0;
  Integer OnePixel = 0;  // logical units a device pixel spans
  bool HidePrefix = false;
};

// One row of a laid-out text.
struct TcxTextRow {
  const Char* Text = nullptr;  // its first character, inside the text laid out
  Integer TextLength = 0;
  TSize TextExtents{};
  Integer BreakCount = 0;  // spaces and tabs to justify over
  Integer TextOriginX = 0;
  Integer TextOriginY = 0;
  Integer StartIndex = 0;  // of its first character in the whole text
};

inline constexpr Integer cxTextRowsStaticCount = 32;

// The rows of a layout: the first 32 need no heap.
struct TcxTextRows {
  Integer Count = 0;
  TcxTextRow StaticRows[cxTextRowsStaticCount];
  std::vector<TcxTextRow> DynamicRows;  // row 32 onwards
};

TcxTextRow& cxGetTextRow(TcxTextRows& ARows, Integer AIndex);
const TcxTextRow& cxGetTextRow(const TcxTextRows& ARows, Integer AIndex);
// Count becomes ACount, the dynamic part grows (keeping four rows spare) to
// hold it, and the last row is cleared.
void ValidateTextRows(TcxTextRows& ARows, Integer ACount);

// How a layout measures a piece of text.
using TcxCalcTextExtentsProc = void (*)(HDC ADC, const Char* AText, Integer ALength, TSize& ASize, bool AExpandTabs);

// --- The main entry -----------------------------------------------------------------

// Lays AText out in R and draws it in the DC's font, or in AFont with its
// colour; ATextColor, unless clDefault, overrides the colour. The characters
// from ASelStart (0-based), ASelLength of them, are drawn in ASelTextColor
// on ASelBkColor. AMaxLineCount limits the rows (0: no limit); the indents
// are in device pixels. The DC's font and text colour are put back.
// Returns the row count with CXTO_CALCROWCOUNT; otherwise the height from
// the rectangle's top to the bottom of the last row, or the row count when
// that is 0; 0 for an empty text. With CXTO_CALCRECT nothing is drawn and R
// becomes the rectangle the text needs.
Integer cxTextOut(HDC ADC, const String& AText, TRect& R, Cardinal AFormat = CXTO_DEFAULT_FORMAT,
                  Integer ASelStart = 0, Integer ASelLength = 0, TFont* AFont = nullptr,
                  TColor ASelBkColor = clHighlight, TColor ASelTextColor = clHighlightText, Integer AMaxLineCount = 0,
                  Integer ALeftIndent = 0, Integer ARightIndent = 0, TColor ATextColor = clDefault,
                  Double ALineSpacingFactor = 1.0);

// --- Its parts ------------------------------------------------------------------------

// The parameters of the DC's font for AFormat. CharBreak is on for a
// far-east system locale too; the row pitch is the text height (with the
// external leading in use) times ALineSpacingFactor, rounded.
void cxCalcTextParams(HDC ADC, Cardinal AFormat, TcxTextParams& AParams, Double ALineSpacingFactor = 1.0);
// The same for the canvas's font, selected first.
void cxCalcTextParams(TCanvas* ACanvas, Cardinal AFormat, TcxTextParams& AParams, Double ALineSpacingFactor = 1.0);

// The automatic indents and the given ones (device pixels) taken off R, or
// given back.
void cxPrepareRect(TRect& R, const TcxTextParams& AParams, Integer ALeftIndent, Integer ARightIndent);
void cxUnprepareRect(TRect& R, const TcxTextParams& AParams, Integer ALeftIndent, Integer ARightIndent);

// The extent of ALength characters. With AExpandTabs tabs reach the default
// tab stops, and texts wider than the 16 bits of the tabbed extent still
// measure their true width.
bool cxCalcTextExtents(HDC ADC, const Char* AText, Integer ALength, TSize& ASize, bool AExpandTabs);
// cxCalcTextExtents as a measuring procedure.
void cxCalcTextExtentsEx(HDC ADC, const Char* AText, Integer ALength, TSize& ASize, bool AExpandTabs);

// Where the word starting at P ends: before a space, tab, CR or LF (a word
// starting with a space or tab is that one character), or around a
// full-width far-east character, which is a word of its own together with a
// following character that may not begin a line.
const Char* cxGetNextWordBreak(UINT ACodePage, const Char* P, const Char* AEnd);

// Splits the text into rows that fit R's width, measuring with AMeasure.
// False when a drawn layout does not hold the whole text: text is left over
// or a single line is wider than R.
bool cxMakeTextRows(HDC ADC, const Char* AText, Integer ALength, const TRect& R, const TcxTextParams& AParams,
                    TcxTextRows& ARows, Integer& ARowCount, Integer AMaxLineCount = 0,
                    TcxCalcTextExtentsProc AMeasure = &cxCalcTextExtentsEx);
// Gives each row its origin in R. Vertical distribution changes the row
// pitch in AParams.
void cxPlaceTextRows(HDC ADC, const TRect& R, TcxTextParams& AParams, TcxTextRows& ARows, Integer ARowCount);
// The widest of the first ARowCount rows.
Integer cxGetLongestTextRowWidth(const TcxTextRows& ARows, Integer ARowCount);

// Shortens the row to the characters that fit in AAvailableWidth before
// "..." (at least one for a left-aligned row) and measures it again.
void cxPrepareEndEllipsis(HDC ADC, TcxTextRow& ARow, const TcxTextParams& AParams, Integer AAvailableWidth,
                          TcxCalcTextExtentsProc AMeasure = &cxCalcTextExtentsEx);
// Draws the placed rows in R with the selection highlighted (when
// ASelLength >= 1 and ASelBkColor is a colour) and, with AForceEndEllipsis,
// an end ellipsis on the last row even when it fits.
void cxTextRowsOutHighlight(HDC ADC, const TRect& R, const TcxTextParams& AParams, TcxTextRows& ARows,
                            Integer ARowCount, Integer ASelStart, Integer ASelLength, TColor ASelBkColor,
                            TColor ASelTextColor, bool AForceEndEllipsis);

// --- The system's text calls ---------------------------------------------------------------

inline Integer cxDrawTextW(HDC ADC, const Char* AText, Integer ACount, TRect& R, UINT AFormat) {
  return DrawTextW(ADC, AText, ACount, &R, AFormat);
}
inline bool cxGetTextExtentPoint32W(HDC ADC, const Char* AText, Integer ACount, TSize& ASize) {
  return GetTextExtentPoint32W(ADC, AText, ACount, &ASize) != FALSE;
}
// AFit: how many characters fit in AMaxExtent; ADx, when given, the extent
// of every prefix.
inline bool cxGetTextExtentExPoint(HDC ADC, const Char* AText, Integer ACount, Integer AMaxExtent, Integer* AFit,
                                   Integer* ADx, TSize& ASize) {
  return GetTextExtentExPointW(ADC, AText, ACount, AMaxExtent, AFit, ADx, &ASize) != FALSE;
}
// The width comes back in the low 16 bits, the height in the high ones.
inline DWORD cxGetTabbedTextExtentW(HDC ADC, const Char* AText, Integer ACount, Integer ATabPositions,
                                    const Integer* ATabStops) {
  return GetTabbedTextExtentW(ADC, AText, ACount, ATabPositions, ATabStops);
}
// At most 4096 characters are drawn.
LONG cxTabbedTextOutW(HDC ADC, Integer X, Integer Y, const Char* AText, Integer ACount, Integer ATabPositions,
                      const Integer* ATabStops, Integer ATabOrigin);
inline bool cxTextOutW(HDC ADC, Integer X, Integer Y, const Char* AText, Integer ACount) {
  return TextOutW(ADC, X, Y, AText, ACount) != FALSE;
}
inline bool cxExtTextOutW(HDC ADC, Integer X, Integer Y, UINT AOptions, const TRect* R, const Char* AText,
                          Integer ACount, const Integer* ADx = nullptr) {
  return ExtTextOutW(ADC, X, Y, AOptions, R, AText, static_cast<UINT>(ACount), ADx) != FALSE;
}

// --- The unit -----------------------------------------------------------------------------

// The two 8 x 8 patterns of patterned text: a checkerboard, and a solid one
// for bold fonts. Made when the unit starts, freed when it ends.
void CreateFillPatterns();
void DestroyFillPatterns();

// Hands the unit's start and end work to the unit loader.
void RegisterDrawTextUtilsUnit();

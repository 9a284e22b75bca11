#pragma once
// The graphics device interface: objects, bitmaps, device contexts, regions
// and clipping, drawing into device-independent bitmaps in memory.

#include "platform/WinTypes.h"

// Handles are distinct types; each kind converts to HGDIOBJ, and back only
// with a cast, as the system's strict handle types do.
struct HGDIOBJ__ {};
struct HBITMAP__ : HGDIOBJ__ {};
struct HBRUSH__ : HGDIOBJ__ {};
struct HPEN__ : HGDIOBJ__ {};
struct HFONT__ : HGDIOBJ__ {};
struct HRGN__ : HGDIOBJ__ {};
struct HPALETTE__ : HGDIOBJ__ {};
struct HDC__ {};
using HGDIOBJ = HGDIOBJ__*;
using HBITMAP = HBITMAP__*;
using HBRUSH = HBRUSH__*;
using HPEN = HPEN__*;
using HFONT = HFONT__*;
using HRGN = HRGN__*;
using HPALETTE = HPALETTE__*;
using HDC = HDC__*;

using COLORREF = DWORD;  // 0x00BBGGRR
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>(c >> 8); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>(c >> 16); }
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Object types (GetObjectType).
inline constexpr DWORD OBJ_PEN = 1;
inline constexpr DWORD OBJ_BRUSH = 2;
inline constexpr DWORD OBJ_DC = 3;
inline constexpr DWORD OBJ_METADC = 4;
inline constexpr DWORD OBJ_PAL = 5;
inline constexpr DWORD OBJ_FONT = 6;
inline constexpr DWORD OBJ_BITMAP = 7;
inline constexpr DWORD OBJ_REGION = 8;
inline constexpr DWORD OBJ_MEMDC = 10;
inline constexpr DWORD OBJ_ENHMETADC = 12;

// Stock objects.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int DC_BRUSH = 18;
inline constexpr int DC_PEN = 19;

// Brush styles and hatches.
inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;
inline constexpr UINT BS_HOLLOW = BS_NULL;
inline constexpr UINT BS_HATCHED = 2;
inline constexpr UINT BS_PATTERN = 3;
inline constexpr LONG HS_HORIZONTAL = 0;
inline constexpr LONG HS_VERTICAL = 1;
inline constexpr LONG HS_FDIAGONAL = 2;
inline constexpr LONG HS_BDIAGONAL = 3;
inline constexpr LONG HS_CROSS = 4;
inline constexpr LONG HS_DIAGCROSS = 5;

struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  ULONG_PTR lbHatch = 0;  // hatch style, or the pattern's HBITMAP
};

// Pen styles.
inline constexpr UINT PS_SOLID = 0;
inline constexpr UINT PS_DASH = 1;
inline constexpr UINT PS_DOT = 2;
inline constexpr UINT PS_DASHDOT = 3;
inline constexpr UINT PS_DASHDOTDOT = 4;
inline constexpr UINT PS_NULL = 5;
inline constexpr UINT PS_INSIDEFRAME = 6;

struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  POINT lopnWidth;  // X is the width
  COLORREF lopnColor = 0;
};

// Bitmaps.
struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 1;
  WORD bmBitsPixel = 0;
  void* bmBits = nullptr;
};

inline constexpr DWORD BI_RGB = 0;
inline constexpr UINT DIB_RGB_COLORS = 0;

struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  LONG biWidth = 0;
  LONG biHeight = 0;  // negative: top-down rows
  WORD biPlanes = 1;
  WORD biBitCount = 0;
  DWORD biCompression = BI_RGB;
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
  BYTE rgbBlue = 0;
  BYTE rgbGreen = 0;
  BYTE rgbRed = 0;
  BYTE rgbReserved = 0;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[2];  // the colour table of 1-bit bitmaps
};

struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
};

// Device capabilities and modes.
inline constexpr int TECHNOLOGY = 2;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int NUMCOLORS = 24;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int DT_RASDISPLAY = 1;
inline constexpr int DT_RASPRINTER = 2;

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

inline constexpr int R2_BLACK = 1;
inline constexpr int R2_NOTMERGEPEN = 2;
inline constexpr int R2_MASKNOTPEN = 3;
inline constexpr int R2_NOTCOPYPEN = 4;
inline constexpr int R2_MASKPENNOT = 5;
inline constexpr int R2_NOT = 6;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_NOTMASKPEN = 8;
inline constexpr int R2_MASKPEN = 9;
inline constexpr int R2_NOTXORPEN = 10;
inline constexpr int R2_NOP = 11;
inline constexpr int R2_MERGENOTPEN = 12;
inline constexpr int R2_COPYPEN = 13;
inline constexpr int R2_MERGEPENNOT = 14;
inline constexpr int R2_MERGEPEN = 15;
inline constexpr int R2_WHITE = 16;

inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;

// Regions.
inline constexpr int ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_OR = 2;
inline constexpr int RGN_XOR = 3;
inline constexpr int RGN_DIFF = 4;
inline constexpr int RGN_COPY = 5;

struct RGNDATAHEADER {
  DWORD dwSize = 32;
  DWORD iType = 1;  // RDH_RECTANGLES
  DWORD nCount = 0;
  DWORD nRgnSize = 0;
  RECT rcBound;
};
struct RGNDATA {
  RGNDATAHEADER rdh;
  char Buffer[1];  // nCount RECTs follow the header
};

// --- Objects --------------------------------------------------------------

HGDIOBJ GetStockObject(int i);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
// Bytes written (or needed, with a null buffer); 0 for an invalid handle.
int GetObjectW(HGDIOBJ h, int c, void* pv);
DWORD GetObjectType(HGDIOBJ h);
// Fails for an object selected into a DC; stock objects are never deleted.
BOOL DeleteObject(HGDIOBJ ho);
// Objects and device contexts alive, stock objects not counted: what tests
// check to prove that painting leaks nothing.
int GetLiveGdiObjectCount();

HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int iHatch, COLORREF color);
// The pattern is copied; the bitmap stays the caller's.
HBRUSH CreatePatternBrush(HBITMAP hbm);
HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush);
HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* plpen);

// --- Bitmaps --------------------------------------------------------------

// Device-dependent: 1 bit per pixel (monochrome), or the screen's 32.
HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
// 1, 24 or 32 bits per pixel; *ppvBits receives the pixel rows, in the
// order the header's height sign gives.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, void* hSection,
                         DWORD offset);
// Rows as 32-bit BGRA (or the header's own depth); the result is the count of
// rows copied, 0 on failure. A null buffer fills the header only.
int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, void* lpvBits, BITMAPINFO* lpbmi, UINT usage);
int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse);
// For tests of callers' row-by-row fallbacks: GetDIBits and SetDIBits fail
// (answer 0) for every call spanning more than one scan line when
// multiLineFails, and for every call that includes scan line failingLine
// (numbered as `start` counts them; -1 for none). (false, -1) switches both off.
void SetDIBitsFailures(bool multiLineFails, int failingLine);

// --- Device contexts ------------------------------------------------------

// A memory DC with a 1 × 1 monochrome bitmap selected.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
// OBJ_MEMDC for a memory DC, OBJ_DC for the screen's and a window's; 0 for
// no DC. There are no metafile DCs (OBJ_METADC, OBJ_ENHMETADC) here.
DWORD GetObjectType(HDC hdc);
// The screen: 32 bits per pixel, 96 dots per inch.
HDC GetScreenDC();

int SaveDC(HDC hdc);
// A positive level restores that save; a negative one counts back.
BOOL RestoreDC(HDC hdc, int nSavedDC);
int GetDeviceCaps(HDC hdc, int index);
// For tests of callers' paths on other screens: the bits per pixel that
// GetDeviceCaps reports (BITSPIXEL) for every DC from now on; the surfaces
// themselves stay as they are. 32 puts the fixed value back.
void SetScreenBitsPerPixel(int bitsPerPixel);

BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL GetViewportOrgEx(HDC hdc, POINT* lppoint);
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL GetWindowOrgEx(HDC hdc, POINT* lppoint);
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL LPtoDP(HDC hdc, POINT* lppt, int c);
BOOL DPtoLP(HDC hdc, POINT* lppt, int c);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL GetBrushOrgEx(HDC hdc, POINT* lppt);

int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
COLORREF SetDCBrushColor(HDC hdc, COLORREF color);
COLORREF SetDCPenColor(HDC hdc, COLORREF color);
BOOL GdiFlush();

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);
COLORREF GetNearestColor(HDC hdc, COLORREF color);

// --- Regions and clipping -------------------------------------------------

HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
HRGN CreateRectRgnIndirect(const RECT* lprect);
// The corners are ellipse quarters of w × h, approximated. Like the system's,
// rounded regions stop a pixel short of the box at the right and bottom.
HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
// The rounded region whose corner ellipse is the whole box.
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
HRGN CreateEllipticRgnIndirect(const RECT* lprect);
// The pixels whose centres lie inside, by the fill mode (ALTERNATE or
// WINDING): points on left and top edges are in, on right and bottom ones
// out. Each polygon closes itself; those of a poly-polygon fill together.
// nullptr for a bad mode or a polygon of fewer than two points.
HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode);
BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);
int OffsetRgn(HRGN hrgn, int x, int y);
BOOL PtInRegion(HRGN hrgn, int x, int y);
BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
int GetRgnBox(HRGN hrgn, RECT* lprc);
DWORD GetRegionData(HRGN hrgn, DWORD nCount, RGNDATA* lpRgnData);

// The clip is kept in device coordinates. SelectClipRgn copies the region
// (nullptr removes the clip); GetClipRgn answers 0 when there is none.
int SelectClipRgn(HDC hdc, HRGN hrgn);
int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
int GetClipRgn(HDC hdc, HRGN hrgn);
// Logical coordinates.
int GetClipBox(HDC hdc, RECT* lprect);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* lprect);
BOOL PtVisible(HDC hdc, int x, int y);

// --- Fills and blits ------------------------------------------------------

// Ternary raster operations: bit 4P + 2S + D of the code's third byte is the
// result for those pattern, source and destination bits, applied to whole
// 32-bit pixels, alpha included.
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

// A value 1..31 in place of a brush names the system colour one below it.
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
BOOL InvertRect(HDC hDC, const RECT* lprc);
// A negative size reaches back from the start pixel, as StretchBlt's does.
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
// Monochrome device bitmaps meet colour through the destination's text
// (bit 0) and background (bit 1) colours; colour meets monochrome device
// bitmaps through the source's background colour (equal: 1, else 0). 1-bit
// DIB sections use their colour table both ways: a colour pixel becomes the
// nearest of its two entries.
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
// Nearest pixels, or area averages with HALFTONE. A negative size on one
// side mirrors; a negative destination size reaches back from its start
// pixel, so (x + w - 1, -w) covers the columns x to x + w - 1.
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop);
BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h);

// --- System colours -------------------------------------------------------

inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;
inline constexpr int SystemColorCount = 31;

// One fixed light scheme; SetSysColors changes entries (and the system
// brushes) for tests.
DWORD GetSysColor(int nIndex);
HBRUSH GetSysColorBrush(int nIndex);
BOOL SetSysColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues);

// --- Lines and shapes -----------------------------------------------------

inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;

BOOL MoveToEx(HDC hdc, int x, int y, POINT* lppt);
BOOL GetCurrentPositionEx(HDC hdc, POINT* lppt);
// One-pixel lines leave out their last pixel; styled pens fill their gaps
// with the background colour when the background mode is opaque. Every
// pixel goes through the DC's ROP2 mode with the pen colour (alpha 0).
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* apt, int cpt);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);
// Fills the pixels whose centres (the integer points) lie inside, by the
// fill mode, with the brush, then draws the closed outline with the pen.
BOOL Polygon(HDC hdc, const POINT* apt, int cpt);
// The outline on the rectangle's own edge pixels (right and bottom
// excluded), the inside with the brush; with the null pen the filled area is
// one pixel smaller each way.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
// A dotted frame drawn by inverting every other pixel with the background
// colour (the others with the text colour); drawing it twice restores it.
BOOL DrawFocusRect(HDC hDC, const RECT* lprc);

// Approximate shapes: the brush inside, the pen on the edge.
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
// Curves, approximated by polylines with the pen (arcs) or polygons with the
// pen and brush (chords, pies). Arcs run counter-clockwise from the radial
// through (xs, ys) to the one through (xe, ye); the same radial twice is the
// whole ellipse. Arc keeps the current position; ArcTo, AngleArc and
// PolyBezierTo draw from it and leave it at their end.
BOOL PolyBezier(HDC hdc, const POINT* apt, DWORD cpt);
BOOL PolyBezierTo(HDC hdc, const POINT* apt, DWORD cpt);
BOOL Arc(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
BOOL ArcTo(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
// Degrees, counter-clockwise; a negative sweep turns clockwise.
BOOL AngleArc(HDC hdc, int x, int y, DWORD r, float StartAngle, float SweepAngle);
BOOL Chord(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
BOOL Pie(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
inline constexpr UINT FLOODFILLBORDER = 0;
inline constexpr UINT FLOODFILLSURFACE = 1;
// Fills with the brush's colour from (x, y): up to a border of `color`, or
// the area of `color`; FALSE when the point cannot be filled.
BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT type);
BOOL FloodFill(HDC hdc, int x, int y, COLORREF color);
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height);

// --- Paths -----------------------------------------------------------------

// Between BeginPath and EndPath, lines, polylines, polygons, rectangles,
// ellipses, rounded rectangles and the curves flattened into them add their
// outlines to the DC's path instead of drawing; MoveToEx begins a figure.
// BeginPath drops any path there was.
BOOL BeginPath(HDC hdc);
BOOL EndPath(HDC hdc);
// The ended path becomes the outline of what the pen would cover stroking
// it, at least a pixel wide, with square ends and joins (approximate).
BOOL WidenPath(HDC hdc);
// The ended path's figures, each closed, as a region of the pixels whose
// centres lie inside under the fill mode: device coordinates, owned by the
// caller. The path is gone afterwards. NULL without an ended path.
HRGN PathToRegion(HDC hdc);

// --- Edges and frame controls ---------------------------------------------

inline constexpr UINT BDR_RAISEDOUTER = 0x0001;
inline constexpr UINT BDR_SUNKENOUTER = 0x0002;
inline constexpr UINT BDR_RAISEDINNER = 0x0004;
inline constexpr UINT BDR_SUNKENINNER = 0x0008;
inline constexpr UINT BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
inline constexpr UINT BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
inline constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr UINT BF_LEFT = 0x0001;
inline constexpr UINT BF_TOP = 0x0002;
inline constexpr UINT BF_RIGHT = 0x0004;
inline constexpr UINT BF_BOTTOM = 0x0008;
inline constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr UINT BF_DIAGONAL = 0x0010;
inline constexpr UINT BF_DIAGONAL_ENDTOPRIGHT = BF_DIAGONAL | BF_TOP | BF_RIGHT;
inline constexpr UINT BF_DIAGONAL_ENDTOPLEFT = BF_DIAGONAL | BF_TOP | BF_LEFT;
inline constexpr UINT BF_DIAGONAL_ENDBOTTOMLEFT = BF_DIAGONAL | BF_BOTTOM | BF_LEFT;
inline constexpr UINT BF_DIAGONAL_ENDBOTTOMRIGHT = BF_DIAGONAL | BF_BOTTOM | BF_RIGHT;
inline constexpr UINT BF_MIDDLE = 0x0800;
inline constexpr UINT BF_SOFT = 0x1000;
inline constexpr UINT BF_ADJUST = 0x2000;
inline constexpr UINT BF_FLAT = 0x4000;
inline constexpr UINT BF_MONO = 0x8000;

// Two rings, outer then inner, each with its top and left sides in one
// colour and its bottom and right sides (corners included) in the other; a
// top or left side runs the whole length where no right or bottom side
// takes the corner. BF_SOFT lights the top-left of a raised edge with the
// highlight outside and the 3-D light inside (a sunken one: dark shadow,
// then shadow). BF_FLAT: the outer ring in the shadow colour, the inner in
// the face colour; BF_MONO: one ring in the window-frame colour.
// BF_DIAGONAL draws 45-degree lines instead, in the square of the shorter
// side: from the corner opposite the end the flags name (the top only with
// BF_TOP, the right only with BF_RIGHT) towards it, each inner ring a pixel
// further towards the end corner's side; in the bottom-right colours when
// the end is at the bottom, else the top-left ones. BF_MIDDLE fills the
// face beyond the rings; BF_ADJUST moves each named side in by the rings.
BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags);

inline constexpr UINT DFC_SCROLL = 3;
inline constexpr UINT DFC_BUTTON = 4;
inline constexpr UINT DFCS_SCROLLUP = 0x0000;
inline constexpr UINT DFCS_SCROLLDOWN = 0x0001;
inline constexpr UINT DFCS_SCROLLLEFT = 0x0002;
inline constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
inline constexpr UINT DFCS_SCROLLSIZEGRIP = 0x0008;
inline constexpr UINT DFCS_BUTTONCHECK = 0x0000;
inline constexpr UINT DFCS_BUTTONRADIOIMAGE = 0x0001;
inline constexpr UINT DFCS_BUTTONRADIOMASK = 0x0002;
inline constexpr UINT DFCS_BUTTONRADIO = 0x0004;
inline constexpr UINT DFCS_BUTTON3STATE = 0x0008;
inline constexpr UINT DFCS_BUTTONPUSH = 0x0010;
inline constexpr UINT DFCS_INACTIVE = 0x0100;
inline constexpr UINT DFCS_PUSHED = 0x0200;
inline constexpr UINT DFCS_CHECKED = 0x0400;
inline constexpr UINT DFCS_FLAT = 0x4000;
inline constexpr UINT DFCS_MONO = 0x8000;

// Drawn geometrically in the system colours, the classic look:
// - push buttons and scroll-bar buttons: the soft raised edge (sunken when
//   pushed, the flat or mono edge when asked) around the face; scroll arrows
//   are triangles, moved a pixel down and right when pushed and embossed
//   when inactive;
// - the size grip: three pairs of shadow and highlight diagonals from the
//   bottom-right corner;
// - check boxes and radio buttons in the largest centred square: the sunken
//   two-pixel box or ring around the window colour (the face colour when
//   pushed or inactive), with the check mark or the dot in the window-text
//   colour (the shadow colour when inactive, and for a checked three-state
//   box); the radio mask is the disc in black on white.
BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState);

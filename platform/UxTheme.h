#pragma once
// The visual-styles theme library, "UxTheme.dll". Programs reach it only
// through the module table (LoadLibraryW, GetProcAddress), as they would a
// library that may be missing; its functions live in the UxTheme namespace
// so that a program's own wrappers may carry the library's names.
//
// The desktop has no theme: OpenThemeData answers 0, every call on a null
// handle fails and there is no theme name, so callers take their classic
// paths. Tests may make a theme of their own current (platform/TestTheme.h).

#include <span>

#include "platform/Gdi.h"
#include "platform/Modules.h"
#include "platform/Msimg32.h"
#include "platform/WindowTypes.h"

struct HTHEME__ {};
using HTHEME = HTHEME__*;
struct HPAINTBUFFER__ {};
using HPAINTBUFFER = HPAINTBUFFER__*;

struct MARGINS {
  int cxLeftWidth = 0;
  int cxRightWidth = 0;
  int cyTopHeight = 0;
  int cyBottomHeight = 0;
};

// Property identifiers the suite asks for.
inline constexpr int TMT_COLOR = 204;
inline constexpr int TMT_SIZINGMARGINS = 3601;
inline constexpr int TMT_CONTENTMARGINS = 3602;
inline constexpr int TMT_BORDERCOLOR = 3801;
inline constexpr int TMT_FILLCOLOR = 3802;
inline constexpr int TMT_TEXTCOLOR = 3803;

// A property the part does not have.
inline constexpr HRESULT E_PROP_ID_UNSUPPORTED = static_cast<HRESULT>(0x80070490u);
// A name longer than the buffer given for it (which holds its beginning).
inline constexpr HRESULT E_INSUFFICIENT_BUFFER = static_cast<HRESULT>(0x8007007Au);

enum THEMESIZE : int { TS_MIN, TS_TRUE, TS_DRAW };

enum BP_BUFFERFORMAT : int { BPBF_COMPATIBLEBITMAP, BPBF_DIB, BPBF_TOPDOWNDIB, BPBF_TOPDOWNMONODIB };

inline constexpr DWORD BPPF_ERASE = 0x0001;
inline constexpr DWORD BPPF_NOCLIP = 0x0002;
inline constexpr DWORD BPPF_NONCLIENT = 0x0004;

struct BP_PAINTPARAMS {
  DWORD cbSize = sizeof(BP_PAINTPARAMS);
  DWORD dwFlags = 0;
  const RECT* prcExclude = nullptr;
  // Null copies the buffer onto the target; else it is blended with this.
  const BLENDFUNCTION* pBlendFunction = nullptr;
};

namespace UxTheme {

// pszClassList names classes separated by ";"; the first the theme has
// opens. 0 without an active theme or without any of the classes.
HTHEME OpenThemeData(HWND hwnd, LPCWSTR pszClassList);
HRESULT CloseThemeData(HTHEME hTheme);
BOOL IsThemeActive();
BOOL IsAppThemed();
HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                            const RECT* pClipRect);
// The parent's WM_ERASEBKGND and WM_PRINTCLIENT on hdc, its origin moved so
// that the parent draws what lies under the window; prc (in the window's
// coordinates) limits the drawing.
HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* prc);
HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
// The bounding rectangle less the part's content margins.
HRESULT GetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                      const RECT* pBoundingRect, RECT* pContentRect);
HRESULT GetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* prc, THEMESIZE eSize,
                         SIZE* psz);
HRESULT GetThemeMargins(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, const RECT* prc,
                        MARGINS* pMargins);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId);
// Any buffer may be null; a name is cut to its buffer's size.
HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                            LPWSTR pszSizeBuff, int cchMaxSizeChars);

HRESULT BufferedPaintInit();
HRESULT BufferedPaintUnInit();
// A 32-bit ARGB buffer over prcTarget, all zero at first: *phdc draws into
// it in the target's coordinates. 0 for an empty rectangle or a monochrome
// format.
HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                const BP_PAINTPARAMS* pPaintParams, HDC* phdc);
// prc null for the whole buffer; in the target's coordinates.
HRESULT BufferedPaintClear(HPAINTBUFFER hBufferedPaint, const RECT* prc);
HRESULT BufferedPaintSetAlpha(HPAINTBUFFER hBufferedPaint, const RECT* prc, BYTE alpha);
// With fUpdateTarget the buffer goes onto the target; the buffer is freed.
HRESULT EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget);

}  // namespace UxTheme

using TOpenThemeData = decltype(&UxTheme::OpenThemeData);
using TCloseThemeData = decltype(&UxTheme::CloseThemeData);
using TIsThemeActive = decltype(&UxTheme::IsThemeActive);
using TIsAppThemed = decltype(&UxTheme::IsAppThemed);
using TDrawThemeBackground = decltype(&UxTheme::DrawThemeBackground);
using TDrawThemeParentBackground = decltype(&UxTheme::DrawThemeParentBackground);
using TGetThemeColor = decltype(&UxTheme::GetThemeColor);
using TGetThemeBackgroundContentRect = decltype(&UxTheme::GetThemeBackgroundContentRect);
using TGetThemePartSize = decltype(&UxTheme::GetThemePartSize);
using TGetThemeMargins = decltype(&UxTheme::GetThemeMargins);
using TIsThemeBackgroundPartiallyTransparent = decltype(&UxTheme::IsThemeBackgroundPartiallyTransparent);
using TGetCurrentThemeName = decltype(&UxTheme::GetCurrentThemeName);
using TBufferedPaintInit = decltype(&UxTheme::BufferedPaintInit);
using TBufferedPaintUnInit = decltype(&UxTheme::BufferedPaintUnInit);
using TBeginBufferedPaint = decltype(&UxTheme::BeginBufferedPaint);
using TBufferedPaintClear = decltype(&UxTheme::BufferedPaintClear);
using TBufferedPaintSetAlpha = decltype(&UxTheme::BufferedPaintSetAlpha);
using TEndBufferedPaint = decltype(&UxTheme::EndBufferedPaint);

// What the module table answers GetProcAddress from.
std::span<const TEntryPoint> UxThemeEntryPoints();

#pragma once
// The theme library as the suite calls it: "UxTheme.dll" is loaded and its
// entries looked up when the unit starts. Without the library, or without an
// entry, each function answers as the library does with no theme: a null
// handle, FALSE, or a failure (E_NOTIMPL).

#include "platform/UxTheme.h"

// Whether "UxTheme.dll" was loaded.
bool IsThemeLibraryLoaded();

HTHEME OpenThemeData(HWND hwnd, LPCWSTR pszClassList);
HRESULT CloseThemeData(HTHEME hTheme);
BOOL IsThemeActive();
BOOL IsAppThemed();
HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                            const RECT* pClipRect = nullptr);
HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* prc);
HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
HRESULT GetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                      const RECT* pBoundingRect, RECT* pContentRect);
HRESULT GetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* prc, THEMESIZE eSize,
                         SIZE* psz);
HRESULT GetThemeMargins(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, const RECT* prc,
                        MARGINS* pMargins);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId);
HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                            LPWSTR pszSizeBuff, int cchMaxSizeChars);
HRESULT BufferedPaintInit();
HRESULT BufferedPaintUnInit();
// *phdc is null when it answers 0.
HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                const BP_PAINTPARAMS* pPaintParams, HDC* phdc);
HRESULT BufferedPaintClear(HPAINTBUFFER hBufferedPaint, const RECT* prc);
HRESULT BufferedPaintSetAlpha(HPAINTBUFFER hBufferedPaint, const RECT* prc, BYTE alpha);
HRESULT EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget);

// Loads the library at start and frees it at the end.
void RegisterUxThemeUnit();

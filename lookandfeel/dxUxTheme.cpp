#include "lookandfeel/dxUxTheme.h"

#include "controls/dxCore.h"

namespace {

// Each entry nullptr without the library (or without that entry).
struct TUxThemeLibrary {
  HMODULE Handle = nullptr;
  TOpenThemeData OpenThemeData = nullptr;
  TCloseThemeData CloseThemeData = nullptr;
  TIsThemeActive IsThemeActive = nullptr;
  TIsAppThemed IsAppThemed = nullptr;
  TDrawThemeBackground DrawThemeBackground = nullptr;
  TDrawThemeParentBackground DrawThemeParentBackground = nullptr;
  TGetThemeColor GetThemeColor = nullptr;
  TGetThemeBackgroundContentRect GetThemeBackgroundContentRect = nullptr;
  TGetThemePartSize GetThemePartSize = nullptr;
  TGetThemeMargins GetThemeMargins = nullptr;
  TIsThemeBackgroundPartiallyTransparent IsThemeBackgroundPartiallyTransparent = nullptr;
  TGetCurrentThemeName GetCurrentThemeName = nullptr;
  TBufferedPaintInit BufferedPaintInit = nullptr;
  TBufferedPaintUnInit BufferedPaintUnInit = nullptr;
  TBeginBufferedPaint BeginBufferedPaint = nullptr;
  TBufferedPaintClear BufferedPaintClear = nullptr;
  TBufferedPaintSetAlpha BufferedPaintSetAlpha = nullptr;
  TEndBufferedPaint EndBufferedPaint = nullptr;
};

TUxThemeLibrary& Library() {
  static TUxThemeLibrary library;
  return library;
}

void LoadUxTheme() {
  TUxThemeLibrary& l = Library();
  l.Handle = LoadLibraryW(u"UxTheme.dll");
  if (!l.Handle) return;
  const HMODULE h = l.Handle;
  GetProcAddressAs(h, l.OpenThemeData, "OpenThemeData");
  GetProcAddressAs(h, l.CloseThemeData, "CloseThemeData");
  GetProcAddressAs(h, l.IsThemeActive, "IsThemeActive");
  GetProcAddressAs(h, l.IsAppThemed, "IsAppThemed");
  GetProcAddressAs(h, l.DrawThemeBackground, "DrawThemeBackground");
  GetProcAddressAs(h, l.DrawThemeParentBackground, "DrawThemeParentBackground");
  GetProcAddressAs(h, l.GetThemeColor, "GetThemeColor");
  GetProcAddressAs(h, l.GetThemeBackgroundContentRect, "GetThemeBackgroundContentRect");
  GetProcAddressAs(h, l.GetThemePartSize, "GetThemePartSize");
  GetProcAddressAs(h, l.GetThemeMargins, "GetThemeMargins");
  GetProcAddressAs(h, l.IsThemeBackgroundPartiallyTransparent, "IsThemeBackgroundPartiallyTransparent");
  GetProcAddressAs(h, l.GetCurrentThemeName, "GetCurrentThemeName");
  GetProcAddressAs(h, l.BufferedPaintInit, "BufferedPaintInit");
  GetProcAddressAs(h, l.BufferedPaintUnInit, "BufferedPaintUnInit");
  GetProcAddressAs(h, l.BeginBufferedPaint, "BeginBufferedPaint");
  GetProcAddressAs(h, l.BufferedPaintClear, "BufferedPaintClear");
  GetProcAddressAs(h, l.BufferedPaintSetAlpha, "BufferedPaintSetAlpha");
  GetProcAddressAs(h, l.EndBufferedPaint, "EndBufferedPaint");
}

void FreeUxTheme() {
  TUxThemeLibrary& library = Library();
  if (library.Handle) FreeLibrary(library.Handle);
  library = TUxThemeLibrary();
}

// The entry's answer, or AMissing when there is no entry.
template <typename F, typename R, typename... A>
R CallOr(F AEntry, R AMissing, A... AArgs) {
  return AEntry ? AEntry(AArgs...) : AMissing;
}

}  // namespace

bool IsThemeLibraryLoaded() { return Library().Handle != nullptr; }

HTHEME OpenThemeData(HWND hwnd, LPCWSTR pszClassList) {
  return CallOr(Library().OpenThemeData, HTHEME(nullptr), hwnd, pszClassList);
}

HRESULT CloseThemeData(HTHEME hTheme) { return CallOr(Library().CloseThemeData, E_NOTIMPL, hTheme); }

BOOL IsThemeActive() { return CallOr(Library().IsThemeActive, FALSE); }

BOOL IsAppThemed() { return CallOr(Library().IsAppThemed, FALSE); }

HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                            const RECT* pClipRect) {
  return CallOr(Library().DrawThemeBackground, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, pRect, pClipRect);
}

HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* prc) {
  return CallOr(Library().DrawThemeParentBackground, E_NOTIMPL, hwnd, hdc, prc);
}

HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor) {
  return CallOr(Library().GetThemeColor, E_NOTIMPL, hTheme, iPartId, iStateId, iPropId, pColor);
}

HRESULT GetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pBoundingRect,
                                      RECT* pContentRect) {
  return CallOr(Library().GetThemeBackgroundContentRect, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, pBoundingRect,
                pContentRect);
}

HRESULT GetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* prc, THEMESIZE eSize,
                         SIZE* psz) {
  return CallOr(Library().GetThemePartSize, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, prc, eSize, psz);
}

HRESULT GetThemeMargins(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, const RECT* prc,
                        MARGINS* pMargins) {
  return CallOr(Library().GetThemeMargins, E_NOTIMPL, hTheme, hdc, iPartId, iStateId, iPropId, prc, pMargins);
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId) {
  return CallOr(Library().IsThemeBackgroundPartiallyTransparent, FALSE, hTheme, iPartId, iStateId);
}

HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                            LPWSTR pszSizeBuff, int cchMaxSizeChars) {
  return CallOr(Library().GetCurrentThemeName, E_NOTIMPL, pszThemeFileName, cchMaxNameChars, pszColorBuff,
                cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
}

HRESULT BufferedPaintInit() { return CallOr(Library().BufferedPaintInit, E_NOTIMPL); }

HRESULT BufferedPaintUnInit() { return CallOr(Library().BufferedPaintUnInit, E_NOTIMPL); }

HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                const BP_PAINTPARAMS* pPaintParams, HDC* phdc) {
  if (phdc) *phdc = nullptr;
  return CallOr(Library().BeginBufferedPaint, HPAINTBUFFER(nullptr), hdcTarget, prcTarget, dwFormat, pPaintParams,
                phdc);
}

HRESULT BufferedPaintClear(HPAINTBUFFER hBufferedPaint, const RECT* prc) {
  return CallOr(Library().BufferedPaintClear, E_NOTIMPL, hBufferedPaint, prc);
}

HRESULT BufferedPaintSetAlpha(HPAINTBUFFER hBufferedPaint, const RECT* prc, BYTE alpha) {
  return CallOr(Library().BufferedPaintSetAlpha, E_NOTIMPL, hBufferedPaint, prc, alpha);
}

HRESULT EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget) {
  return CallOr(Library().EndBufferedPaint, E_NOTIMPL, hBufferedPaint, fUpdateTarget);
}

void RegisterUxThemeUnit() { RegisterSuiteUnit<&LoadUxTheme, &FreeUxTheme>("dxUxTheme"); }

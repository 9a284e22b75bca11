#pragma once
// The desktop window manager library. Composition is off on this desktop:
// DwmIsCompositionEnabled answers FALSE and the calls that need composition
// fail with DWM_E_COMPOSITIONDISABLED, so callers take their plain paths.

#include "platform/UxTheme.h"
#include "platform/WindowTypes.h"

inline constexpr HRESULT DWM_E_COMPOSITIONDISABLED = static_cast<HRESULT>(0x80263001u);

inline constexpr UINT DWM_EC_DISABLECOMPOSITION = 0;
inline constexpr UINT DWM_EC_ENABLECOMPOSITION = 1;

struct DWM_BLURBEHIND {
  DWORD dwFlags = 0;
  BOOL fEnable = FALSE;
  HRGN hRgnBlur = nullptr;
  BOOL fTransitionOnMaximized = FALSE;
};

// Never handles a message: *plResult 0, FALSE.
BOOL DwmDefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* plResult);
HRESULT DwmEnableBlurBehindWindow(HWND hWnd, const DWM_BLURBEHIND* pBlurBehind);
// Disabling succeeds; enabling fails.
HRESULT DwmEnableComposition(UINT uCompositionAction);
HRESULT DwmEnableMMCSS(BOOL fEnableMMCSS);
HRESULT DwmExtendFrameIntoClientArea(HWND hWnd, const MARGINS* pMarInset);
HRESULT DwmGetColorizationColor(DWORD* pcrColorization, BOOL* pfOpaqueBlend);
HRESULT DwmGetWindowAttribute(HWND hwnd, DWORD dwAttribute, void* pvAttribute, DWORD cbAttribute);
HRESULT DwmIsCompositionEnabled(BOOL* pfEnabled);
HRESULT DwmSetWindowAttribute(HWND hwnd, DWORD dwAttribute, const void* pvAttribute, DWORD cbAttribute);
HRESULT DwmSetIconicThumbnail(HWND hwnd, HBITMAP hbmp, DWORD dwSITFlags);
HRESULT DwmSetIconicLivePreviewBitmap(HWND hwnd, HBITMAP hbmp, POINT* pptClient, DWORD dwSITFlags);
HRESULT DwmInvalidateIconicBitmaps(HWND hwnd);

using TDwmDefWindowProc = decltype(&DwmDefWindowProc);
using TDwmEnableBlurBehindWindow = decltype(&DwmEnableBlurBehindWindow);
using TDwmEnableComposition = decltype(&DwmEnableComposition);
using TDwmEnableMMCSS = decltype(&DwmEnableMMCSS);
using TDwmExtendFrameIntoClientArea = decltype(&DwmExtendFrameIntoClientArea);
using TDwmGetColorizationColor = decltype(&DwmGetColorizationColor);
using TDwmGetWindowAttribute = decltype(&DwmGetWindowAttribute);
using TDwmIsCompositionEnabled = decltype(&DwmIsCompositionEnabled);
using TDwmSetWindowAttribute = decltype(&DwmSetWindowAttribute);
using TDwmSetIconicThumbnail = decltype(&DwmSetIconicThumbnail);
using TDwmSetIconicLivePreviewBitmap = decltype(&DwmSetIconicLivePreviewBitmap);
using TDwmInvalidateIconicBitmaps = decltype(&DwmInvalidateIconicBitmaps);

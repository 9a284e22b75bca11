#include "platform/Dwmapi.h"

BOOL DwmDefWindowProc(HWND, UINT, WPARAM, LPARAM, LRESULT* plResult) {
  if (plResult) *plResult = 0;
  return FALSE;
}

HRESULT DwmEnableBlurBehindWindow(HWND, const DWM_BLURBEHIND*) { return DWM_E_COMPOSITIONDISABLED; }

HRESULT DwmEnableComposition(UINT uCompositionAction) {
  if (uCompositionAction == DWM_EC_DISABLECOMPOSITION) return S_OK;
  return uCompositionAction == DWM_EC_ENABLECOMPOSITION ? DWM_E_COMPOSITIONDISABLED : E_INVALIDARG;
}

HRESULT DwmEnableMMCSS(BOOL) { return S_OK; }

HRESULT DwmExtendFrameIntoClientArea(HWND, const MARGINS*) { return DWM_E_COMPOSITIONDISABLED; }

HRESULT DwmGetColorizationColor(DWORD*, BOOL*) { return DWM_E_COMPOSITIONDISABLED; }

HRESULT DwmGetWindowAttribute(HWND, DWORD, void*, DWORD) { return DWM_E_COMPOSITIONDISABLED; }

HRESULT DwmIsCompositionEnabled(BOOL* pfEnabled) {
  if (!pfEnabled) return E_INVALIDARG;
  *pfEnabled = FALSE;
  return S_OK;
}

HRESULT DwmSetWindowAttribute(HWND, DWORD, const void*, DWORD) { return DWM_E_COMPOSITIONDISABLED; }

HRESULT DwmSetIconicThumbnail(HWND, HBITMAP, DWORD) { return DWM_E_COMPOSITIONDISABLED; }

HRESULT DwmSetIconicLivePreviewBitmap(HWND, HBITMAP, POINT*, DWORD) { return DWM_E_COMPOSITIONDISABLED; }

HRESULT DwmInvalidateIconicBitmaps(HWND) { return DWM_E_COMPOSITIONDISABLED; }

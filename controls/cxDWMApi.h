#pragma once
// The desktop window manager's entry points, looked up when the unit starts
// on systems that have the library.

#include "platform/Dwmapi.h"

// Every one nullptr without the library (or without that entry).
struct TcxDwmEntryPoints {
  TDwmDefWindowProc DwmDefWindowProc = nullptr;
  TDwmEnableBlurBehindWindow DwmEnableBlurBehindWindow = nullptr;
  TDwmEnableComposition DwmEnableComposition = nullptr;
  TDwmEnableMMCSS DwmEnableMMCSS = nullptr;
  TDwmExtendFrameIntoClientArea DwmExtendFrameIntoClientArea = nullptr;
  TDwmGetColorizationColor DwmGetColorizationColor = nullptr;
  TDwmGetWindowAttribute DwmGetWindowAttribute = nullptr;
  TDwmIsCompositionEnabled DwmIsCompositionEnabled = nullptr;
  TDwmSetWindowAttribute DwmSetWindowAttribute = nullptr;
  TDwmSetIconicThumbnail DwmSetIconicThumbnail = nullptr;
  TDwmSetIconicLivePreviewBitmap DwmSetIconicLivePreviewBitmap = nullptr;
  TDwmInvalidateIconicBitmaps DwmInvalidateIconicBitmaps = nullptr;
};

const TcxDwmEntryPoints& cxDwmEntryPoints();

// Whether "dwmapi.dll" was loaded.
bool IsDwmPresent();
// False without the library (or its entry), else what the library answers.
bool IsCompositionEnabled();

// Loads the library at start (on major versions above 5) and frees it at the end.
void RegisterDWMApiUnit();

#include "controls/cxDWMApi.h"

#include "controls/dxCore.h"
#include "platform/Modules.h"

namespace {

struct TDwmLibrary {
  HMODULE Handle = nullptr;
  TcxDwmEntryPoints Entries;
};

TDwmLibrary& Library() {
  static TDwmLibrary library;
  return library;
}

void LoadDwmLibrary() {
  if (!IsWinVistaOrLater) return;
  TDwmLibrary& library = Library();
  library.Handle = LoadLibraryW(u"dwmapi.dll");
  if (!library.Handle) return;
  TcxDwmEntryPoints& e = library.Entries;
  const HMODULE h = library.Handle;
  GetProcAddressAs(h, e.DwmDefWindowProc, "DwmDefWindowProc");
  GetProcAddressAs(h, e.DwmEnableBlurBehindWindow, "DwmEnableBlurBehindWindow");
  GetProcAddressAs(h, e.DwmEnableComposition, "DwmEnableComposition");
  GetProcAddressAs(h, e.DwmEnableMMCSS, "DwmEnableMMCSS");
  GetProcAddressAs(h, e.DwmExtendFrameIntoClientArea, "DwmExtendFrameIntoClientArea");
  GetProcAddressAs(h, e.DwmGetColorizationColor, "DwmGetColorizationColor");
  GetProcAddressAs(h, e.DwmGetWindowAttribute, "DwmGetWindowAttribute");
  GetProcAddressAs(h, e.DwmIsCompositionEnabled, "DwmIsCompositionEnabled");
  GetProcAddressAs(h, e.DwmSetWindowAttribute, "DwmSetWindowAttribute");
  GetProcAddressAs(h, e.DwmSetIconicThumbnail, "DwmSetIconicThumbnail");
  GetProcAddressAs(h, e.DwmSetIconicLivePreviewBitmap, "DwmSetIconicLivePreviewBitmap");
  GetProcAddressAs(h, e.DwmInvalidateIconicBitmaps, "DwmInvalidateIconicBitmaps");
}

void FreeDwmLibrary() {
  TDwmLibrary& library = Library();
  if (library.Handle) FreeLibrary(library.Handle);
  library = TDwmLibrary();
}

}  // namespace

const TcxDwmEntryPoints& cxDwmEntryPoints() { return Library().Entries; }

bool IsDwmPresent() { return Library().Handle != nullptr; }

bool IsCompositionEnabled() {
  const TDwmIsCompositionEnabled isEnabled = Library().Entries.DwmIsCompositionEnabled;
  BOOL enabled = FALSE;
  return isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
}

void RegisterDWMApiUnit() { RegisterSuiteUnit<&LoadDwmLibrary, &FreeDwmLibrary>("cxDWMApi"); }

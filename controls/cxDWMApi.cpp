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

template <typename T>
void Lookup(HMODULE module, T& entry, const char* name) {
  entry = reinterpret_cast<T>(GetProcAddress(module, name));
}

void LoadDwmLibrary() {
  if (!IsWinVistaOrLater) return;
  TDwmLibrary& library = Library();
  library.Handle = LoadLibraryW(u"dwmapi.dll");
  if (!library.Handle) return;
  TcxDwmEntryPoints& e = library.Entries;
  const HMODULE h = library.Handle;
  Lookup(h, e.DwmDefWindowProc, "DwmDefWindowProc");
  Lookup(h, e.DwmEnableBlurBehindWindow, "DwmEnableBlurBehindWindow");
  Lookup(h, e.DwmEnableComposition, "DwmEnableComposition");
  Lookup(h, e.DwmEnableMMCSS, "DwmEnableMMCSS");
  Lookup(h, e.DwmExtendFrameIntoClientArea, "DwmExtendFrameIntoClientArea");
  Lookup(h, e.DwmGetColorizationColor, "DwmGetColorizationColor");
  Lookup(h, e.DwmGetWindowAttribute, "DwmGetWindowAttribute");
  Lookup(h, e.DwmIsCompositionEnabled, "DwmIsCompositionEnabled");
  Lookup(h, e.DwmSetWindowAttribute, "DwmSetWindowAttribute");
  Lookup(h, e.DwmSetIconicThumbnail, "DwmSetIconicThumbnail");
  Lookup(h, e.DwmSetIconicLivePreviewBitmap, "DwmSetIconicLivePreviewBitmap");
  Lookup(h, e.DwmInvalidateIconicBitmaps, "DwmInvalidateIconicBitmaps");
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

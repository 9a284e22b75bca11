#include "platform/Modules.h"

#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "platform/Dwmapi.h"
#include "platform/GdiPlusEntries.h"
#include "platform/Kernel.h"
#include "platform/Locale.h"
#include "platform/Msimg32.h"
#include "platform/Painting.h"
#include "platform/UxTheme.h"

namespace {

struct TEntry {
  const char* Name;
  FARPROC Proc;
  bool Available = true;
};

struct TLibrary {
  const char16_t* Name;  // without ".dll"
  std::vector<TEntry> Entries;
  bool Available = true;
  int References = 0;
};

std::vector<TEntry> EntriesOf(std::span<const TEntryPoint> points) {
  std::vector<TEntry> entries;
  for (const TEntryPoint& point : points) entries.push_back({point.Name, point.Proc});
  return entries;
}

// The platform's own modules; each later library adds its record here.
std::vector<TLibrary>& Libraries() {
  static std::vector<TLibrary> libraries = {
      {u"msimg32", {{"AlphaBlend", EntryProc(&AlphaBlend)}, {"GradientFill", EntryProc(&GradientFill)}}},
      {u"kernel32",
       {{"GetCalendarInfoW", EntryProc(&GetCalendarInfoW)},
        {"IsWow64Process", EntryProc(&IsWow64Process)},
        {"QueueUserWorkItem", EntryProc(&QueueUserWorkItem)}}},
      {u"dwmapi",
       {{"DwmDefWindowProc", EntryProc(&DwmDefWindowProc)},
        {"DwmEnableBlurBehindWindow", EntryProc(&DwmEnableBlurBehindWindow)},
        {"DwmEnableComposition", EntryProc(&DwmEnableComposition)},
        {"DwmEnableMMCSS", EntryProc(&DwmEnableMMCSS)},
        {"DwmExtendFrameIntoClientArea", EntryProc(&DwmExtendFrameIntoClientArea)},
        {"DwmGetColorizationColor", EntryProc(&DwmGetColorizationColor)},
        {"DwmGetWindowAttribute", EntryProc(&DwmGetWindowAttribute)},
        {"DwmIsCompositionEnabled", EntryProc(&DwmIsCompositionEnabled)},
        {"DwmSetWindowAttribute", EntryProc(&DwmSetWindowAttribute)},
        {"DwmSetIconicThumbnail", EntryProc(&DwmSetIconicThumbnail)},
        {"DwmSetIconicLivePreviewBitmap", EntryProc(&DwmSetIconicLivePreviewBitmap)},
        {"DwmInvalidateIconicBitmaps", EntryProc(&DwmInvalidateIconicBitmaps)}}},
      {u"user32", {{"WindowFromDC", EntryProc(&WindowFromDC)}}},
      {u"gdiplus", EntriesOf(GdiplusEntryPoints())},
      {u"UxTheme", EntriesOf(UxThemeEntryPoints())},
  };
  return libraries;
}

char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// "MSIMG32.DLL", "msimg32" and "msimg32.dll" all name one module.
bool SameModuleName(const char16_t* name, LPCWSTR asked) {
  size_t n = 0;
  while (asked[n]) ++n;
  if (n >= 4 && asked[n - 4] == u'.' && Fold(asked[n - 3]) == u'd' && Fold(asked[n - 2]) == u'l' &&
      Fold(asked[n - 1]) == u'l')
    n -= 4;
  size_t i = 0;
  for (; i < n && name[i]; ++i)
    if (Fold(asked[i]) != Fold(name[i])) return false;
  return i == n && !name[i];
}

TLibrary* Find(LPCWSTR name) {
  if (!name) return nullptr;
  for (TLibrary& library : Libraries())
    if (SameModuleName(library.Name, name)) return &library;
  return nullptr;
}

TLibrary* FromHandle(HMODULE h) {
  for (TLibrary& library : Libraries())
    if (reinterpret_cast<HMODULE>(&library) == h) return &library;
  return nullptr;
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) {
  TLibrary* library = Find(lpLibFileName);
  if (!library || !library->Available) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  ++library->References;
  return reinterpret_cast<HMODULE>(library);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  TLibrary* library = FromHandle(hModule);
  if (!library || library->References == 0 || !lpProcName) return nullptr;
  for (const TEntry& entry : library->Entries)
    if (std::strcmp(entry.Name, lpProcName) == 0) return entry.Available ? entry.Proc : nullptr;
  return nullptr;
}

BOOL FreeLibrary(HMODULE hLibModule) {
  TLibrary* library = FromHandle(hLibModule);
  if (!library || library->References == 0) return FALSE;
  --library->References;
  return TRUE;
}

HMODULE GetLoadedLibrary(LPCWSTR lpModuleName) {
  TLibrary* library = Find(lpModuleName);
  return library && library->References > 0 ? reinterpret_cast<HMODULE>(library) : nullptr;
}

void SetModuleAvailable(LPCWSTR ModuleName, bool Available) {
  if (TLibrary* library = Find(ModuleName)) library->Available = Available;
}

void SetEntryPointAvailable(LPCWSTR ModuleName, LPCSTR EntryName, bool Available) {
  if (TLibrary* library = Find(ModuleName))
    for (TEntry& entry : library->Entries)
      if (std::strcmp(entry.Name, EntryName) == 0) entry.Available = Available;
}

void ResetModuleAvailability() {
  for (TLibrary& library : Libraries()) {
    library.Available = true;
    for (TEntry& entry : library.Entries) entry.Available = true;
  }
}

#pragma once
// Libraries loaded at run time, answered from the platform's own table of
// modules. Tests can make any module, or any single entry point, missing, so
// that every fallback of their callers runs.

#include "platform/Resources.h"

using FARPROC = void (*)();

// An entry point of one of the platform's modules.
struct TEntryPoint {
  const char* Name;
  FARPROC Proc;
};

template <typename F>
FARPROC EntryProc(F* f) {
  return reinterpret_cast<FARPROC>(f);
}

// Names match without regard to case, with or without ".dll". nullptr for
// a module that does not exist or is switched off.
HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
// nullptr for an unknown or switched-off entry point.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);

// GetProcAddress into a pointer of the entry's own function type.
template <typename T>
void GetProcAddressAs(HMODULE hModule, T& AEntry, LPCSTR lpProcName) {
  AEntry = reinterpret_cast<T>(GetProcAddress(hModule, lpProcName));
}
// Counted: the module stays loaded until freed as often as it was loaded.
BOOL FreeLibrary(HMODULE hLibModule);
// The module when it is loaded, else nullptr.
HMODULE GetLoadedLibrary(LPCWSTR lpModuleName);

void SetModuleAvailable(LPCWSTR ModuleName, bool Available);
void SetEntryPointAvailable(LPCWSTR ModuleName, LPCSTR EntryName, bool Available);
// Every module and entry point available again.
void ResetModuleAvailability();

#include "platform/Resources.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include "platform/Kernel.h"
#include "platform/Modules.h"

namespace {

// A module whose resources can be looked up. Libraries loaded at run time
// will add records of their own beside the program's.
struct TModule {
  const TEmbeddedResourceTable* (*Table)();
};

const TModule ProgramModule{ProgramResourceTable};

HMODULE HandleOf(const TModule& Module) { return reinterpret_cast<HMODULE>(const_cast<TModule*>(&Module)); }

// nullptr for a handle that names no module.
const TModule* ModuleOf(HMODULE hModule) {
  if (!hModule || hModule == HandleOf(ProgramModule)) return &ProgramModule;
  return nullptr;
}

// A name or type as asked for: a number, or a text compared case-folded.
struct TKey {
  bool IsId = false;
  WORD Id = 0;
  const char16_t* Text = nullptr;
};

TKey KeyOf(LPCWSTR P) {
  TKey key;
  if (IS_INTRESOURCE(P)) {
    key.IsId = true;
    key.Id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(P));
    return key;
  }
  // "#123" stands for the number.
  if (P[0] == u'#' && P[1]) {
    uint32_t value = 0;
    const char16_t* c = P + 1;
    for (; *c >= u'0' && *c <= u'9' && value < 0x10000; ++c) value = value * 10 + (*c - u'0');
    if (!*c && value < 0x10000) {
      key.IsId = true;
      key.Id = static_cast<WORD>(value);
      return key;
    }
  }
  key.Text = P;
  return key;
}

UChar32 NextFolded(const char16_t* S, int32_t& I) {
  UChar32 c;
  U16_NEXT_UNSAFE(S, I, c);
  return u_foldCase(c, U_FOLD_CASE_DEFAULT);
}

bool SameText(const char16_t* A, const char16_t* B) {
  int32_t i = 0, j = 0;
  for (;;) {
    if (!A[i] || !B[j]) return !A[i] && !B[j];
    if (NextFolded(A, i) != NextFolded(B, j)) return false;
  }
}

bool Matches(const TKey& Key, const char16_t* Text, WORD Id) {
  if (Key.IsId) return !Text && Id == Key.Id;
  return Text && SameText(Key.Text, Text);
}

const TEmbeddedResource* EntryOf(HRSRC hResInfo) { return reinterpret_cast<const TEmbeddedResource*>(hResInfo); }

}  // namespace

__attribute__((weak)) const TEmbeddedResourceTable* ProgramResourceTable() {
  static constexpr TEmbeddedResourceTable none{nullptr, 0};
  return &none;
}

HMODULE GetModuleHandleW(LPCWSTR lpModuleName) {
  if (!lpModuleName) return HandleOf(ProgramModule);
  if (HMODULE loaded = GetLoadedLibrary(lpModuleName)) return loaded;
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
  const TModule* module = ModuleOf(hModule);
  if (!module) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  if (!lpName || !lpType) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const TKey name = KeyOf(lpName), type = KeyOf(lpType);
  const TEmbeddedResourceTable* table = module->Table();
  bool typeSeen = false;
  for (uint64_t i = 0; i < table->Count; ++i) {
    const TEmbeddedResource& entry = table->Entries[i];
    if (!Matches(type, entry.TypeName, entry.TypeId)) continue;
    typeSeen = true;
    if (Matches(name, entry.Name, entry.NameId))
      return reinterpret_cast<HRSRC>(const_cast<TEmbeddedResource*>(&entry));
  }
  SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
  if (!hResInfo || !ModuleOf(hModule)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return const_cast<unsigned char*>(EntryOf(hResInfo)->Data);
}

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  if (!hResInfo || !ModuleOf(hModule)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  return static_cast<DWORD>(*EntryOf(hResInfo)->Size);
}

LPVOID LockResource(HGLOBAL hResData) { return hResData; }

BOOL FreeResource(HGLOBAL) { return TRUE; }

#pragma once
// Resources built into the program: blobs found by type and name, the way
// the system finds them in a module. The build embeds them with
// embed_resources() (cmake/EmbedResources.cmake).

#include <cstdint>

#include "platform/WinTypes.h"

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
struct HRSRC__;
using HRSRC = HRSRC__*;
using HGLOBAL = void*;
using LPVOID = void*;

inline constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
inline constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
inline constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
inline constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

// Names and types are either strings or numbers below 0x10000 passed in the
// pointer's place.
inline LPCWSTR MAKEINTRESOURCEW(WORD Id) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(Id)); }
inline bool IS_INTRESOURCE(LPCWSTR P) { return (reinterpret_cast<ULONG_PTR>(P) >> 16) == 0; }

#define RT_CURSOR MAKEINTRESOURCEW(1)
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCEW(12)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)

// nullptr names the program itself; other names find libraries loaded with
// LoadLibraryW (platform/Modules.h), else fail with ERROR_MOD_NOT_FOUND.
HMODULE GetModuleHandleW(LPCWSTR lpModuleName);

// Names and types match without regard to case; "#123" matches number 123.
// A null module is the program's. Fails with ERROR_RESOURCE_TYPE_NOT_FOUND
// when the module has nothing of the type, ERROR_RESOURCE_NAME_NOT_FOUND
// when it has nothing of the name.
HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
// The data stays where it was embedded: nothing is copied and nothing needs
// freeing.
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
BOOL FreeResource(HGLOBAL hResData);

// The table a build embeds, as the generated source of embed_resources()
// writes it. A string type or name has its text set; a numeric one has the
// text null and the number set.
struct TEmbeddedResource {
  const char16_t* TypeName;
  WORD TypeId;
  const char16_t* Name;
  WORD NameId;
  const unsigned char* Data;
  const uint64_t* Size;
};

struct TEmbeddedResourceTable {
  const TEmbeddedResource* Entries;
  uint64_t Count;
};

// The program's table. The platform's own definition is weak and empty; the
// generated source of a program that embeds resources replaces it, so a
// program holds at most one table and one without resources still links.
const TEmbeddedResourceTable* ProgramResourceTable();

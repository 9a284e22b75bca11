#pragma once
// Process-level services: integer helpers, code-page conversion and the
// thread's last error.

#include <cstddef>

#include "platform/WinTypes.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;
inline constexpr UINT CP_WINDOWS_1252 = 1252;

inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;

inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_INVALID_FLAGS = 1004;
inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// (a * b) / c in 64 bits, halves rounded away from zero; -1 when c is zero or
// the result does not fit in 32 bits.
int MulDiv(int nNumber, int nNumerator, int nDenominator);

// The system's ANSI code page.
UINT GetACP();

// Counts are in units of the target; -1 as the source length converts up to
// and including the terminating zero. A zero target size asks for the length
// needed. Returns 0 on failure with the reason in GetLastError.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        BOOL* lpUsedDefaultChar);

// Movable memory blocks handed between the program and the system (the
// clipboard). Every block is fixed in place, so a lock answers its address.
using HGLOBAL = void*;
inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;

HGLOBAL GlobalAlloc(UINT uFlags, size_t dwBytes);
// nullptr when freed; the block on failure (ERROR_INVALID_HANDLE).
HGLOBAL GlobalFree(HGLOBAL hMem);
void* GlobalLock(HGLOBAL hMem);
BOOL GlobalUnlock(HGLOBAL hMem);
size_t GlobalSize(HGLOBAL hMem);
// Blocks not yet freed: what tests check to prove nothing leaks.
int GetLiveGlobalBlockCount();

// The wall clock, in local time and in UTC.
void GetLocalTime(SYSTEMTIME* lpSystemTime);
void GetSystemTime(SYSTEMTIME* lpSystemTime);

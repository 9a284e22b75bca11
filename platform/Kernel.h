#pragma once
// Process-level services: integer helpers, code-page conversion, the
// thread's last error, the system's version and processors, and workers.

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

// --- The system and the process ---------------------------------------------

inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  WCHAR szCSDVersion[128] = {};
};

// Windows NT 6.1, build 7601, "Service Pack 1": the version every decision
// of the callers is made for. Fails (ERROR_INVALID_PARAMETER) unless
// dwOSVersionInfoSize holds the record's size.
BOOL GetVersionExW(OSVERSIONINFOW* lpVersionInformation);
// For tests of callers' paths on other systems: the major and minor version
// GetVersionExW reports from now on; (6, 1) puts the fixed one back.
void SetReportedVersion(DWORD major, DWORD minor);

// The pseudo-handle of the calling process.
HANDLE GetCurrentProcess();
// The calling thread's id: never 0, and no other running thread has it.
DWORD GetCurrentThreadId();
// The process runs natively, never under the 32-bit emulation: writes FALSE.
BOOL IsWow64Process(HANDLE hProcess, BOOL* Wow64Process);

// Error modes: which error boxes the system spares the process.
inline constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
inline constexpr UINT SEM_NOGPFAULTERRORBOX = 0x0002;
inline constexpr UINT SEM_NOALIGNMENTFAULTEXCEPT = 0x0004;
inline constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;

// Records the mode and returns the one before. The system shows no error
// boxes of its own, so the mode changes nothing else.
UINT SetErrorMode(UINT uMode);

struct SYSTEM_INFO {
  WORD wProcessorArchitecture = 0;
  WORD wReserved = 0;
  DWORD dwPageSize = 0;
  void* lpMinimumApplicationAddress = nullptr;
  void* lpMaximumApplicationAddress = nullptr;
  ULONG_PTR dwActiveProcessorMask = 0;
  DWORD dwNumberOfProcessors = 0;
  DWORD dwProcessorType = 0;
  DWORD dwAllocationGranularity = 0;
  WORD wProcessorLevel = 0;
  WORD wProcessorRevision = 0;
};
inline constexpr WORD PROCESSOR_ARCHITECTURE_AMD64 = 9;

// The processors the machine has, at least one.
void GetSystemInfo(SYSTEM_INFO* lpSystemInfo);

using LPTHREAD_START_ROUTINE = DWORD (*)(void* lpThreadParameter);
inline constexpr ULONG WT_EXECUTEDEFAULT = 0x00000000;

// Runs Function(Context) on a worker thread of its own; the caller waits for
// it by its own means. FALSE (ERROR_NOT_ENOUGH_MEMORY) when no thread starts.
BOOL QueueUserWorkItem(LPTHREAD_START_ROUTINE Function, void* Context, ULONG Flags);

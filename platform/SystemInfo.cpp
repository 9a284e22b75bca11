// What the system reports about itself and the process: one fixed version
// (tests may ask for another), a native process, its threads' ids, its
// error mode, and the machine's real processor count.

#include <unistd.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "platform/Kernel.h"

namespace {

DWORD ReportedMajor = 6;
DWORD ReportedMinor = 1;

}  // namespace

void SetReportedVersion(DWORD major, DWORD minor) {
  ReportedMajor = major;
  ReportedMinor = minor;
}

BOOL GetVersionExW(OSVERSIONINFOW* lpVersionInformation) {
  if (!lpVersionInformation || lpVersionInformation->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  OSVERSIONINFOW& info = *lpVersionInformation;
  info.dwMajorVersion = ReportedMajor;
  info.dwMinorVersion = ReportedMinor;
  info.dwBuildNumber = 7601;
  info.dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::fill(std::begin(info.szCSDVersion), std::end(info.szCSDVersion), u'\0');
  const char16_t servicePack[] = u"Service Pack 1";
  std::copy(std::begin(servicePack), std::end(servicePack), info.szCSDVersion);
  return TRUE;
}

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)); }

DWORD GetCurrentThreadId() {
  // Asked on every hooked call point: one system call per thread.
  thread_local const DWORD id = static_cast<DWORD>(gettid());
  return id;
}

BOOL IsWow64Process(HANDLE hProcess, BOOL* Wow64Process) {
  if (!Wow64Process) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *Wow64Process = FALSE;
  return TRUE;
}

UINT SetErrorMode(UINT uMode) {
  static UINT mode = 0;
  return std::exchange(mode, uMode);
}

void GetSystemInfo(SYSTEM_INFO* lpSystemInfo) {
  if (!lpSystemInfo) return;
  SYSTEM_INFO info;
  info.wProcessorArchitecture = PROCESSOR_ARCHITECTURE_AMD64;
  info.dwPageSize = 4096;
  info.lpMinimumApplicationAddress = reinterpret_cast<void*>(static_cast<uintptr_t>(0x10000));
  info.lpMaximumApplicationAddress = reinterpret_cast<void*>(static_cast<uintptr_t>(0x7FFFFFFEFFFF));
  const DWORD processors = std::clamp<DWORD>(std::thread::hardware_concurrency(), 1, 64);
  info.dwNumberOfProcessors = processors;
  info.dwActiveProcessorMask = processors == 64 ? ~ULONG_PTR{0} : (ULONG_PTR{1} << processors) - 1;
  info.dwProcessorType = 8664;
  info.dwAllocationGranularity = 65536;
  *lpSystemInfo = info;
}

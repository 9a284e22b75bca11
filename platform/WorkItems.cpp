// The worker queue: each item runs on a thread of its own, which ends with it.

#include <system_error>
#include <thread>

#include "platform/Kernel.h"

BOOL QueueUserWorkItem(LPTHREAD_START_ROUTINE Function, void* Context, ULONG Flags) {
  if (!Function) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  try {
    std::thread(Function, Context).detach();
  } catch (const std::system_error&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  return TRUE;
}

#pragma once
// How the national-language functions hand text back to their callers.

#include <string_view>

#include "platform/WinTypes.h"

namespace nls {

// Writes Text with its terminating zero and returns the count including it;
// a Capacity of 0 only asks for that count. 0 with GetLastError on failure
// (ERROR_INVALID_PARAMETER, ERROR_INSUFFICIENT_BUFFER).
int PutText(std::u16string_view Text, LPWSTR Buffer, int Capacity);

}  // namespace nls

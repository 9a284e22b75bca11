#include "platform/LocaleBuffers.h"

#include <algorithm>

#include "platform/Kernel.h"

namespace nls {

int PutText(std::u16string_view Text, LPWSTR Buffer, int Capacity) {
  if (Capacity < 0 || (Capacity > 0 && !Buffer)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int needed = static_cast<int>(Text.size()) + 1;
  if (Capacity == 0) return needed;
  if (Capacity < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(Text.begin(), Text.end(), Buffer);
  Buffer[Text.size()] = u'\0';
  return needed;
}

}  // namespace nls

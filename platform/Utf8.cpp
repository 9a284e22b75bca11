// Through the code-page conversion, so that both directions treat broken
// sequences alike.

#include "platform/Utf8.h"

#include "platform/Kernel.h"

std::string Utf8(const std::u16string& s) {
  if (s.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::u16string Utf16(const char* s) {
  const int len = static_cast<int>(std::char_traits<char>::length(s));
  if (len == 0) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, s, len, nullptr, 0);
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, s, len, out.data(), n);
  return out;
}

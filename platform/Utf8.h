#pragma once
// UTF-16 and UTF-8, for the Linux libraries that speak UTF-8.

#include <string>

std::string Utf8(const std::u16string& s);
std::u16string Utf16(const char* s);

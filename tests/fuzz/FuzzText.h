#pragma once
// Text from fuzz bytes: one byte a character, so that format and mask
// letters come easily; 0xFF takes the next two bytes as any UTF-16 unit,
// lone surrogates included.

#include <cstdint>
#include <cstdlib>

#include "host/System.h"

// Up to ACount characters, moving AData past the bytes read.
inline String DecodeFuzzText(const uint8_t*& AData, const uint8_t* AEnd, size_t ACount) {
  String result;
  while (AData < AEnd && result.size() < ACount) {
    if (*AData == 0xFF && AEnd - AData >= 3) {
      result.push_back(static_cast<Char>(AData[1] | AData[2] << 8));
      AData += 3;
    } else {
      result.push_back(*AData++);
    }
  }
  return result;
}

inline void FuzzCheck(bool ACondition) {
  if (!ACondition) std::abort();
}

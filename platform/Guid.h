#pragma once
// Globally unique identifiers: image formats, codecs and interfaces.

#include "platform/WinTypes.h"

struct GUID {
  DWORD Data1 = 0;
  WORD Data2 = 0;
  WORD Data3 = 0;
  BYTE Data4[8] = {};
  friend constexpr bool operator==(const GUID&, const GUID&) = default;
};
using CLSID = GUID;
using IID = GUID;

inline constexpr GUID GUID_NULL{};

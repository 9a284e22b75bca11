#pragma once
// The run-time's numeric and character types, without its strings: what a
// unit that needs only these includes, sparing it the string library.

#include <cstdint>

using Integer = int32_t;
using Cardinal = uint32_t;
using ShortInt = int8_t;
using SmallInt = int16_t;
using LongInt = int32_t;
using LongWord = uint32_t;
using Int64 = int64_t;
using UInt64 = uint64_t;
using Byte = uint8_t;
using Word = uint16_t;
using NativeInt = intptr_t;
using NativeUInt = uintptr_t;
using Boolean = bool;
using Single = float;
using Double = double;
using Extended = long double;  // the 80-bit format on x86-64

using Char = char16_t;
using WideChar = char16_t;
using AnsiChar = char;

#pragma once
// The run-time's base types and the string and number helpers of its core.

#include <compare>
#include <string>
#include <string_view>

#include "host/SystemTypes.h"

// Text is UTF-16; AnsiString holds bytes in the system code page (1252);
// UTF8String holds UTF-8 bytes.
using String = std::u16string;
using UnicodeString = std::u16string;
using WideString = std::u16string;
using AnsiString = std::string;
using UTF8String = std::string;
using RawByteString = std::string;

// A fixed-point amount with four decimals, stored as the value times 10000.
struct Currency {
  Int64 Scaled = 0;
  static constexpr Int64 Scale = 10000;
  friend bool operator==(const Currency&, const Currency&) = default;
  friend auto operator<=>(const Currency&, const Currency&) = default;
};

// Code-page conversions. Unpaired surrogates and ill-formed UTF-8 become
// U+FFFD; characters outside code page 1252 become '?'.
UTF8String UTF8Encode(std::u16string_view S);
String UTF8ToString(std::string_view S);
AnsiString StringToAnsi(std::u16string_view S);
String AnsiToString(std::string_view S);

// 1-based positions, as the run-time's strings have.
// Count characters from Index; out-of-range parts are cut off.
String Copy(std::u16string_view S, Int64 Index, Int64 Count);
// Removes Count characters from Index; nothing outside the string.
void Delete(String& S, Int64 Index, Int64 Count);
// Inserts Source before Index, clamped to the string's ends.
void Insert(std::u16string_view Source, String& S, Int64 Index);
String StringOfChar(Char Ch, Integer Count);

// Round halves to the even neighbour; Round and Trunc raise EInvalidOp when
// the result does not fit in 64 bits or the argument is not a number.
Int64 Round(Extended X);
Int64 Trunc(Extended X);
Extended Int(Extended X);
Extended Frac(Extended X);

// The 10-byte little-endian form of an extended value, as streams store it.
void ExtendedToBytes(Extended Value, Byte (&Bytes)[10]);
Extended BytesToExtended(const Byte (&Bytes)[10]);

// What kind of module the code runs in: a program here, never a library or a
// package. Tests may pretend otherwise to reach the library paths.
extern bool ModuleIsLib;
extern bool ModuleIsPackage;
// The run-time's memory manager guards itself once threads are started;
// set by whoever starts them.
extern bool IsMultiThread;

// Ends the program at once: the running units are finalized, last started
// first, and the process exits with the code.
[[noreturn]] void Halt(Integer ExitCode = 0);

#pragma once
// Integer conversions and the ordinal string helpers of the run-time.

#include <string_view>

#include "host/Exceptions.h"
#include "host/Sets.h"
#include "host/System.h"

// Digits of Value in Base (2..16, upper-case letters), zero-padded to MinDigits.
String UIntToDigits(UInt64 Value, unsigned Base, Integer MinDigits);
String IntToStr(Int64 Value);
String UIntToStr(UInt64 Value);
// Upper-case hexadecimal, at least Digits wide; a negative value is written
// as the two's complement of its own width.
String IntToHex(Integer Value, Integer Digits);
String IntToHex(Int64 Value, Integer Digits);
String IntToHex(Cardinal Value, Integer Digits);
String IntToHex(UInt64 Value, Integer Digits);

// Accepted: an optional sign, then decimal digits, or hexadecimal digits after
// '$', 'x' or '0x'. Nothing else, not even spaces. Decimal values must fit the
// signed type; hexadecimal ones the unsigned type of the same width, read back
// as its two's complement. The failing forms raise EConvertError.
bool TryStrToInt(std::u16string_view S, Integer& Value);
bool TryStrToInt64(std::u16string_view S, Int64& Value);
Integer StrToInt(std::u16string_view S);
Int64 StrToInt64(std::u16string_view S);
Integer StrToIntDef(std::u16string_view S, Integer Default);
Int64 StrToInt64Def(std::u16string_view S, Int64 Default);

// Trimming removes spaces and control characters (up to U+0020).
String Trim(std::u16string_view S);
String TrimLeft(std::u16string_view S);
String TrimRight(std::u16string_view S);

// 1-based position of SubStr in S at or after Offset; 0 when absent.
Integer Pos(std::u16string_view SubStr, std::u16string_view S, Integer Offset = 1);

enum TReplaceFlag : uint8_t { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
String StringReplace(std::u16string_view S, std::u16string_view OldPattern, std::u16string_view NewPattern,
                     TReplaceFlags Flags);

// ASCII letters only.
String UpperCase(std::u16string_view S);
String LowerCase(std::u16string_view S);

// Ordinal comparisons: the difference of the first differing characters, or
// of the lengths; CompareText and SameText ignore ASCII case.
Integer CompareStr(std::u16string_view S1, std::u16string_view S2);
Integer CompareText(std::u16string_view S1, std::u16string_view S2);
bool SameStr(std::u16string_view S1, std::u16string_view S2);
bool SameText(std::u16string_view S1, std::u16string_view S2);

// Locale-aware forms: collation of the user locale (-1, 0 or 1) and its
// one-to-one case mapping.
Integer AnsiCompareStr(std::u16string_view S1, std::u16string_view S2);
Integer AnsiCompareText(std::u16string_view S1, std::u16string_view S2);
bool AnsiSameStr(std::u16string_view S1, std::u16string_view S2);
bool AnsiSameText(std::u16string_view S1, std::u16string_view S2);
String AnsiUpperCase(std::u16string_view S);
String AnsiLowerCase(std::u16string_view S);

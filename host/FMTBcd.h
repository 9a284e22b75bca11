#pragma once
// Binary-coded decimals of up to 64 digits, the database layer's exact
// numbers.

#include "host/FloatText.h"

// Precision digits, packed two to a byte from the left (high nibble first);
// SignSpecialPlaces holds the sign in bit 7 and the count of decimals in
// bits 0..5. 34 bytes, as streams store it.
struct TBcd {
  Byte Precision = 1;
  Byte SignSpecialPlaces = 0;
  Byte Fraction[32] = {};
};
static_assert(sizeof(TBcd) == 34);

inline constexpr Integer MaxFMTBcdFractionSize = 64;

// A valid BCD number: blanks, a sign, digits with at most one decimal
// separator of the settings, blanks; at most 64 digits once leading zeros of
// the whole part are dropped. No exponent, no thousand separators.
bool TryStrToBcd(std::u16string_view S, TBcd& Bcd, const TFormatSettings& Settings = FormatSettings);
// Raises EConvertError naming the text.
TBcd StrToBcd(std::u16string_view S, const TFormatSettings& Settings = FormatSettings);
// The digits as they are, without trailing decimal zeros.
String BcdToStr(const TBcd& Bcd, const TFormatSettings& Settings = FormatSettings);
String BcdToStrF(const TBcd& Bcd, TFloatFormat Format, Integer Precision, Integer Digits,
                 const TFormatSettings& Settings = FormatSettings);
TFloatRec BcdToDecimal(const TBcd& Bcd);
bool BcdIsNegative(const TBcd& Bcd);
Integer BcdScale(const TBcd& Bcd);

// Exact decimal order: -1, 0 or 1.
Integer BcdCompare(const TBcd& A, const TBcd& B);
// Decimal records, exactly; usable for any numeric source.
Integer CompareDecimals(const TFloatRec& A, const TFloatRec& B);
// The shortest digits of the double; false for a value without digits (NaN,
// infinity) or beyond 64 of them.
bool TryDecimalToBcd(const TFloatRec& Value, TBcd& Bcd);
Double BcdToDouble(const TBcd& Bcd);

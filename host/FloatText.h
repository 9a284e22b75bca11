#pragma once
// Numbers to text and back, following the format settings.
//
// Printing starts from the shortest decimal digits that read back to the same
// value (of the double when the value is one, else of the extended), and
// rounds those digits half away from zero, so 0.125 shows as 0.13 with two
// decimals and 2.675 as 2.68. A result that rounds to zero has no sign.

#include <string>

#include "host/FormatSettings.h"
#include "host/System.h"

enum TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// A decimal value: 0.Digits × 10^Exponent, digits without leading or trailing
// zeros (empty for zero).
struct TFloatRec {
  Integer Exponent = 0;
  bool Negative = false;
  bool IsNan = false;
  bool IsInfinite = false;
  std::string Digits;
};

TFloatRec FloatToDecimal(Extended Value);
TFloatRec CurrToDecimal(Currency Value);
// Precision counts significant digits (1..18 for the general, exponent and
// fixed forms); Digits counts decimals (0..18), or exponent digits (0..4) for
// ffExponent.
String FloatRecToText(const TFloatRec& Value, TFloatFormat Format, Integer Precision, Integer Digits,
                      const TFormatSettings& Settings);

// Accepts blanks, a sign, digits with the settings' decimal separator and an
// exponent (E or e, optional sign); no thousand separators. Fails on anything
// else or when the value is out of the extended range.
bool TextToFloat(std::u16string_view S, Extended& Value, const TFormatSettings& Settings = FormatSettings);
bool TryStrToFloat(std::u16string_view S, Extended& Value, const TFormatSettings& Settings = FormatSettings);
// Reads the double nearest to the text; an extended read then narrowed can
// miss it by rounding twice.
bool TryStrToFloat(std::u16string_view S, Double& Value, const TFormatSettings& Settings = FormatSettings);
// Raises EConvertError naming the text.
Extended StrToFloat(std::u16string_view S, const TFormatSettings& Settings = FormatSettings);

// General format with every digit the value needs to read back the same.
String FloatToStr(Extended Value, const TFormatSettings& Settings = FormatSettings);
String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings = FormatSettings);
// Up to three sections, "positive;negative;zero", of: 0 (digit), # (optional
// digit), . (decimal separator), , (digit grouping), E+ E- e+ e- with 0s
// (exponent), 'quoted' or "quoted" text, and other characters as they are.
// An empty format prints as FloatToStr.
String FormatFloat(std::u16string_view Format, Extended Value, const TFormatSettings& Settings = FormatSettings);

String CurrToStr(Currency Value, const TFormatSettings& Settings = FormatSettings);
String CurrToStrF(Currency Value, TFloatFormat Format, Integer Digits, const TFormatSettings& Settings = FormatSettings);

#include "host/FMTBcd.h"

#include <charconv>
#include <string>

#include "host/Exceptions.h"

namespace {

constexpr char16_t SInvalidBcdValue[] = u"%s is not a valid BCD value";

Byte Nibble(const TBcd& bcd, Integer index) {
  const Byte b = bcd.Fraction[index / 2];
  return index % 2 == 0 ? b >> 4 : b & 0x0F;
}

}  // namespace

bool TryStrToBcd(std::u16string_view S, TBcd& Bcd, const TFormatSettings& Settings) {
  size_t i = 0, n = S.size();
  while (i < n && S[i] <= u' ') ++i;
  while (n > i && S[n - 1] <= u' ') --n;
  bool negative = false;
  if (i < n && (S[i] == u'+' || S[i] == u'-')) negative = S[i++] == u'-';
  std::string digits;
  Integer places = 0;
  bool point = false, any = false;
  for (; i < n; ++i) {
    const char16_t c = S[i];
    if (c >= u'0' && c <= u'9') {
      any = true;
      if (point) ++places;
      if (c != u'0' || !digits.empty() || point) digits.push_back(static_cast<char>(c));
    } else if (c == Settings.DecimalSeparator && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (!any || digits.size() > static_cast<size_t>(MaxFMTBcdFractionSize)) return false;
  if (digits.empty()) digits = "0";
  TBcd bcd;
  bcd.Precision = static_cast<Byte>(digits.size());
  bcd.SignSpecialPlaces = static_cast<Byte>((negative && digits.find_first_not_of('0') != std::string::npos ? 0x80 : 0) |
                                            places);
  for (size_t k = 0; k < digits.size(); ++k)
    bcd.Fraction[k / 2] |= static_cast<Byte>((digits[k] - '0') << (k % 2 == 0 ? 4 : 0));
  Bcd = bcd;
  return true;
}

TBcd StrToBcd(std::u16string_view S, const TFormatSettings& Settings) {
  TBcd bcd;
  if (!TryStrToBcd(S, bcd, Settings)) throw EConvertError(SInvalidBcdValue, {S});
  return bcd;
}

bool BcdIsNegative(const TBcd& Bcd) { return (Bcd.SignSpecialPlaces & 0x80) != 0; }

Integer BcdScale(const TBcd& Bcd) { return Bcd.SignSpecialPlaces & 0x3F; }

TFloatRec BcdToDecimal(const TBcd& Bcd) {
  TFloatRec rec;
  const Integer precision = Bcd.Precision > MaxFMTBcdFractionSize ? MaxFMTBcdFractionSize : Bcd.Precision;
  Integer leading = 0;
  while (leading < precision && Nibble(Bcd, leading) == 0) ++leading;
  for (Integer k = leading; k < precision; ++k) rec.Digits.push_back(static_cast<char>('0' + Nibble(Bcd, k) % 10));
  while (!rec.Digits.empty() && rec.Digits.back() == '0') rec.Digits.pop_back();
  rec.Exponent = rec.Digits.empty() ? 0 : precision - BcdScale(Bcd) - leading;
  rec.Negative = !rec.Digits.empty() && BcdIsNegative(Bcd);
  return rec;
}

String BcdToStr(const TBcd& Bcd, const TFormatSettings& Settings) {
  // Exact, whatever the size: a BCD has no exponent form.
  const TFloatRec rec = BcdToDecimal(Bcd);
  if (rec.Digits.empty()) return u"0";
  const Integer count = static_cast<Integer>(rec.Digits.size());
  auto digit = [&](Integer index) {
    return index >= 0 && index < count ? static_cast<char16_t>(rec.Digits[index]) : u'0';
  };
  String out = rec.Negative ? u"-" : u"";
  if (rec.Exponent <= 0) out.push_back(u'0');
  for (Integer i = 0; i < rec.Exponent; ++i) out.push_back(digit(i));
  if (count > rec.Exponent) {
    out.push_back(Settings.DecimalSeparator);
    for (Integer i = rec.Exponent; i < count; ++i) out.push_back(digit(i));
  }
  return out;
}

String BcdToStrF(const TBcd& Bcd, TFloatFormat Format, Integer Precision, Integer Digits,
                 const TFormatSettings& Settings) {
  return FloatRecToText(BcdToDecimal(Bcd), Format, Precision, Digits, Settings);
}

Integer CompareDecimals(const TFloatRec& A, const TFloatRec& B) {
  const bool aZero = A.Digits.empty(), bZero = B.Digits.empty();
  if (aZero && bZero) return 0;
  const int aSign = aZero ? 0 : A.Negative ? -1 : 1;
  const int bSign = bZero ? 0 : B.Negative ? -1 : 1;
  if (aSign != bSign) return aSign < bSign ? -1 : 1;
  // Same sign, both non-zero: compare magnitudes, then apply the sign.
  int magnitude = 0;
  if (A.Exponent != B.Exponent) {
    magnitude = A.Exponent < B.Exponent ? -1 : 1;
  } else {
    const int c = A.Digits.compare(B.Digits);
    magnitude = c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  return aSign < 0 ? -magnitude : magnitude;
}

Integer BcdCompare(const TBcd& A, const TBcd& B) { return CompareDecimals(BcdToDecimal(A), BcdToDecimal(B)); }

bool TryDecimalToBcd(const TFloatRec& Value, TBcd& Bcd) {
  if (Value.IsNan || Value.IsInfinite) return false;
  TBcd bcd;
  if (Value.Digits.empty()) {
    Bcd = bcd;
    return true;
  }
  // Whole digits, then decimals; leading zeros only where the point needs them.
  const Integer count = static_cast<Integer>(Value.Digits.size());
  const Integer scale = count > Value.Exponent ? count - Value.Exponent : 0;
  const Integer whole = Value.Exponent > 0 ? Value.Exponent : 0;
  const Integer precision = whole + scale;
  if (precision > MaxFMTBcdFractionSize || scale > 63) return false;
  bcd.Precision = static_cast<Byte>(precision);
  bcd.SignSpecialPlaces = static_cast<Byte>((Value.Negative ? 0x80 : 0) | scale);
  for (Integer k = 0; k < precision; ++k) {
    const Integer index = k - (precision - scale - Value.Exponent);  // position in Digits
    const char digit = index >= 0 && index < count ? Value.Digits[index] : '0';
    bcd.Fraction[k / 2] |= static_cast<Byte>((digit - '0') << (k % 2 == 0 ? 4 : 0));
  }
  Bcd = bcd;
  return true;
}

Double BcdToDouble(const TBcd& Bcd) {
  const TFloatRec rec = BcdToDecimal(Bcd);
  if (rec.Digits.empty()) return 0;
  const std::string text = (rec.Negative ? "-0." : "0.") + rec.Digits + "e" + std::to_string(rec.Exponent);
  Double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

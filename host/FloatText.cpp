#include "host/FloatText.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

#include "host/Exceptions.h"
#include "host/SysUtils.h"

namespace {

constexpr char16_t SInvalidFloat[] = u"'%s' is not a valid floating point value";
constexpr Integer MaxPrecision = 18;

// Fills rec from the characters of a number in scientific notation as
// to_chars writes it ("d.dddde[+-]xx").
void ParseScientific(std::string_view text, TFloatRec& rec) {
  const size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e))
    if (c >= '0' && c <= '9') digits.push_back(c);
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  rec.Digits = digits;
  rec.Exponent = digits.empty() ? 0 : exponent + 1;
}

// Rounds to `keep` leading digits, halves away from zero.
void RoundDigits(TFloatRec& rec, Integer keep) {
  if (keep < 0) {
    rec.Digits.clear();
  } else if (static_cast<size_t>(keep) < rec.Digits.size()) {
    const bool up = rec.Digits[keep] >= '5';
    rec.Digits.resize(keep);
    if (up) {
      int i = keep - 1;
      while (i >= 0 && rec.Digits[i] == '9') rec.Digits[i--] = '0';
      if (i < 0) {
        rec.Digits.insert(rec.Digits.begin(), '1');
        ++rec.Exponent;
      } else {
        ++rec.Digits[i];
      }
    }
  }
  while (!rec.Digits.empty() && rec.Digits.back() == '0') rec.Digits.pop_back();
  if (rec.Digits.empty()) {
    rec.Exponent = 0;
    rec.Negative = false;
  }
}

void RoundToDecimals(TFloatRec& rec, Integer decimals) {
  if (rec.Digits.empty()) return;
  const Integer keep = rec.Exponent + decimals;
  if (keep < 0) {
    RoundDigits(rec, -1);
  } else if (keep == 0) {
    // Everything lies below the last kept place: only a carry survives.
    const bool up = rec.Digits[0] >= '5';
    rec.Digits = up ? "1" : "";
    ++rec.Exponent;
    RoundDigits(rec, up ? 1 : -1);
  } else {
    RoundDigits(rec, keep);
  }
}

Integer Clamp(Integer v, Integer lo, Integer hi) { return v < lo ? lo : v > hi ? hi : v; }

char16_t Digit(const TFloatRec& rec, Integer index) {
  return index >= 0 && static_cast<size_t>(index) < rec.Digits.size() ? static_cast<char16_t>(rec.Digits[index]) : u'0';
}

// Integer part with optional grouping; "0" when below one.
String IntegerPart(const TFloatRec& rec, Char thousands) {
  if (rec.Exponent <= 0) return u"0";
  String out;
  for (Integer i = 0; i < rec.Exponent; ++i) {
    if (thousands && i > 0 && (rec.Exponent - i) % 3 == 0) out.push_back(thousands);
    out.push_back(Digit(rec, i));
  }
  return out;
}

String FractionPart(const TFloatRec& rec, Integer decimals) {
  String out;
  for (Integer i = 0; i < decimals; ++i) out.push_back(Digit(rec, rec.Exponent + i));
  return out;
}

String ExponentText(Integer exponent, bool forceSign, Integer minDigits) {
  String out = exponent < 0 ? u"-" : forceSign ? u"+" : u"";
  out += UIntToDigits(static_cast<UInt64>(exponent < 0 ? -static_cast<Int64>(exponent) : exponent), 10, minDigits);
  return out;
}

String SpecialText(const TFloatRec& rec) {
  if (rec.IsNan) return u"NAN";
  return rec.Negative ? u"-INF" : u"INF";
}

// The general form of a value already rounded to `precision` digits.
String GeneralText(const TFloatRec& rec, Integer precision, const TFormatSettings& settings) {
  if (rec.Digits.empty()) return u"0";
  String out = rec.Negative ? u"-" : u"";
  const Integer count = static_cast<Integer>(rec.Digits.size());
  if (rec.Exponent > precision || rec.Exponent < -3) {
    out.push_back(static_cast<char16_t>(rec.Digits[0]));
    if (count > 1) {
      out.push_back(settings.DecimalSeparator);
      for (Integer i = 1; i < count; ++i) out.push_back(static_cast<char16_t>(rec.Digits[i]));
    }
    out += u"E" + ExponentText(rec.Exponent - 1, false, 0);
    return out;
  }
  out += IntegerPart(rec, 0);
  const Integer decimals = count - rec.Exponent;
  if (decimals > 0) {
    out.push_back(settings.DecimalSeparator);
    out += FractionPart(rec, decimals);
  }
  return out;
}

// Places the currency string and sign around an unsigned amount.
String CurrencyText(const String& amount, bool negative, const TFormatSettings& settings) {
  static constexpr const char16_t* Negative[16] = {u"(SN)", u"-SN",  u"S-N",  u"SN-",  u"(NS)",  u"-NS",
                                                   u"N-S",  u"NS-",  u"-N S", u"-S N", u"N S-",  u"S N-",
                                                   u"S -N", u"N- S", u"(S N)", u"(N S)"};
  static constexpr const char16_t* Positive[4] = {u"SN", u"NS", u"S N", u"N S"};
  const char16_t* pattern = negative ? Negative[settings.NegCurrFormat & 15] : Positive[settings.CurrencyFormat & 3];
  String out;
  for (const char16_t* p = pattern; *p; ++p) {
    if (*p == u'S') out += settings.CurrencyString;
    else if (*p == u'N') out += amount;
    else out.push_back(*p);
  }
  return out;
}

}  // namespace

TFloatRec FloatToDecimal(Extended Value) {
  TFloatRec rec;
  rec.Negative = std::signbit(Value);
  if (std::isnan(Value)) {
    rec.IsNan = true;
    rec.Negative = false;
    return rec;
  }
  if (std::isinf(Value)) {
    rec.IsInfinite = true;
    return rec;
  }
  if (Value == 0) {
    rec.Negative = false;
    return rec;
  }
  char buffer[64];
  const Double asDouble = static_cast<Double>(Value);
  const std::to_chars_result r = static_cast<Extended>(asDouble) == Value
                                     ? std::to_chars(buffer, buffer + sizeof buffer, asDouble, std::chars_format::scientific)
                                     : std::to_chars(buffer, buffer + sizeof buffer, Value, std::chars_format::scientific);
  ParseScientific(std::string_view(buffer, static_cast<size_t>(r.ptr - buffer)), rec);
  return rec;
}

TFloatRec CurrToDecimal(Currency Value) {
  TFloatRec rec;
  rec.Negative = Value.Scaled < 0;
  const UInt64 magnitude = rec.Negative ? 0 - static_cast<UInt64>(Value.Scaled) : static_cast<UInt64>(Value.Scaled);
  rec.Digits = UTF8Encode(UIntToDigits(magnitude, 10, 0));
  rec.Exponent = static_cast<Integer>(rec.Digits.size()) - 4;
  RoundDigits(rec, static_cast<Integer>(rec.Digits.size()));  // drops trailing zeros
  return rec;
}

String FloatRecToText(const TFloatRec& Value, TFloatFormat Format, Integer Precision, Integer Digits,
                      const TFormatSettings& Settings) {
  if (Value.IsNan || Value.IsInfinite) return SpecialText(Value);
  TFloatRec rec = Value;
  Precision = Clamp(Precision, 1, MaxPrecision);
  switch (Format) {
    case ffGeneral:
      RoundDigits(rec, Precision);
      return GeneralText(rec, Precision, Settings);
    case ffExponent: {
      RoundDigits(rec, Precision);
      String out = rec.Negative ? u"-" : u"";
      out.push_back(Digit(rec, 0));
      if (Precision > 1) {
        out.push_back(Settings.DecimalSeparator);
        for (Integer i = 1; i < Precision; ++i) out.push_back(Digit(rec, i));
      }
      const Integer exponent = rec.Digits.empty() ? 0 : rec.Exponent - 1;
      return out + u"E" + ExponentText(exponent, true, Clamp(Digits, 0, 4));
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      Digits = Clamp(Digits, 0, MaxPrecision);
      RoundDigits(rec, Precision);
      if (Format != ffCurrency && rec.Exponent > Precision) return GeneralText(rec, Precision, Settings);
      RoundToDecimals(rec, Digits);
      String amount = IntegerPart(rec, Format == ffFixed ? Char(0) : Settings.ThousandSeparator);
      if (Digits > 0) amount += Settings.DecimalSeparator + FractionPart(rec, Digits);
      if (Format == ffCurrency) return CurrencyText(amount, rec.Negative, Settings);
      return rec.Negative ? u"-" + amount : amount;
    }
  }
  return {};
}

namespace {

// Rewrites a number in the C locale's syntax for strtold and strtod; false
// when it is not one.
bool NormalizeNumber(std::u16string_view S, const TFormatSettings& settings, std::string& text) {
  size_t i = 0, n = S.size();
  while (i < n && S[i] <= u' ') ++i;
  while (n > i && S[n - 1] <= u' ') --n;
  auto takeDigits = [&] {
    size_t count = 0;
    for (; i < n && S[i] >= u'0' && S[i] <= u'9'; ++i, ++count) text.push_back(static_cast<char>(S[i]));
    return count;
  };
  if (i < n && (S[i] == u'+' || S[i] == u'-')) text.push_back(static_cast<char>(S[i++]));
  size_t digits = takeDigits();
  if (i < n && S[i] == settings.DecimalSeparator) {
    text.push_back('.');
    ++i;
    digits += takeDigits();
  }
  if (digits == 0) return false;
  if (i < n && (S[i] == u'E' || S[i] == u'e')) {
    text.push_back('e');
    ++i;
    if (i < n && (S[i] == u'+' || S[i] == u'-')) text.push_back(static_cast<char>(S[i++]));
    if (takeDigits() == 0) return false;
  }
  return i == n;
}

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return c;
}

}  // namespace

bool TextToFloat(std::u16string_view S, Extended& Value, const TFormatSettings& Settings) {
  std::string text;
  if (!NormalizeNumber(S, Settings, text)) return false;
  const Extended v = strtold_l(text.c_str(), nullptr, CLocale());
  if (std::isinf(v)) return false;
  Value = v;
  return true;
}

bool TryStrToFloat(std::u16string_view S, Extended& Value, const TFormatSettings& Settings) {
  return TextToFloat(S, Value, Settings);
}

// Read straight into a double: going through an extended would round twice.
bool TryStrToFloat(std::u16string_view S, Double& Value, const TFormatSettings& Settings) {
  std::string text;
  if (!NormalizeNumber(S, Settings, text)) return false;
  const Double v = strtod_l(text.c_str(), nullptr, CLocale());
  if (std::isinf(v)) return false;
  Value = v;
  return true;
}

Extended StrToFloat(std::u16string_view S, const TFormatSettings& Settings) {
  Extended v;
  if (!TextToFloat(S, v, Settings)) throw EConvertError(SInvalidFloat, {S});
  return v;
}

String FloatToStr(Extended Value, const TFormatSettings& Settings) {
  const TFloatRec rec = FloatToDecimal(Value);
  if (rec.IsNan || rec.IsInfinite) return SpecialText(rec);
  // Every shortest digit counts, however many there are.
  return GeneralText(rec, static_cast<Integer>(rec.Digits.size()) > 15 ? static_cast<Integer>(rec.Digits.size()) : 15,
                     Settings);
}

String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings) {
  return FloatRecToText(FloatToDecimal(Value), Format, Precision, Digits, Settings);
}

String CurrToStr(Currency Value, const TFormatSettings& Settings) {
  return GeneralText(CurrToDecimal(Value), 19, Settings);
}

String CurrToStrF(Currency Value, TFloatFormat Format, Integer Digits, const TFormatSettings& Settings) {
  const TFloatRec rec = CurrToDecimal(Value);
  if (Format == ffGeneral) return GeneralText(rec, 19, Settings);
  return FloatRecToText(rec, Format, MaxPrecision, Digits, Settings);
}

// ---------------------------------------------------------------------------
// FormatFloat

namespace {

// The placeholders and flags of one section.
struct TSection {
  std::u16string_view Text;
  Integer IntPlaces = 0;         // 0 and # before the decimal point
  Integer ForcedInt = 0;         // integer places from the first 0 on
  Integer FracPlaces = 0;        // 0 and # after it
  Integer ForcedFrac = 0;        // fraction places up to the last 0
  bool Grouping = false;
  bool Scientific = false;
};

// Splits at semicolons outside quotes.
std::array<std::u16string_view, 3> SplitSections(std::u16string_view format) {
  std::array<std::u16string_view, 3> sections{};
  size_t start = 0, index = 0;
  char16_t quote = 0;
  for (size_t i = 0; i <= format.size() && index < 3; ++i) {
    if (i == format.size() || (!quote && format[i] == u';')) {
      sections[index++] = format.substr(start, i - start);
      start = i + 1;
    } else if (quote ? format[i] == quote : (format[i] == u'\'' || format[i] == u'"')) {
      quote = quote ? 0 : format[i];
    }
  }
  return sections;
}

TSection AnalyzeSection(std::u16string_view text) {
  TSection s;
  s.Text = text;
  bool afterPoint = false;
  Integer firstZero = -1;
  char16_t quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == u'\'' || c == u'"') {
      quote = c;
    } else if ((c == u'E' || c == u'e') && i + 1 < text.size() && (text[i + 1] == u'+' || text[i + 1] == u'-')) {
      s.Scientific = true;
      break;  // what follows is the exponent's own zeros
    } else if (c == u'0' || c == u'#') {
      if (afterPoint) {
        ++s.FracPlaces;
        if (c == u'0') s.ForcedFrac = s.FracPlaces;
      } else {
        if (c == u'0' && firstZero < 0) firstZero = s.IntPlaces;
        ++s.IntPlaces;
      }
    } else if (c == u'.') {
      afterPoint = true;
    } else if (c == u',') {
      s.Grouping = true;
    }
  }
  s.ForcedInt = firstZero < 0 ? 0 : s.IntPlaces - firstZero;
  return s;
}

TFloatRec RoundForSection(const TFloatRec& value, const TSection& s) {
  TFloatRec rec = value;
  if (s.Scientific) {
    RoundDigits(rec, Clamp(s.IntPlaces + s.FracPlaces, 1, MaxPrecision));
  } else {
    RoundDigits(rec, MaxPrecision);
    RoundToDecimals(rec, s.FracPlaces);
  }
  return rec;
}

String ApplySection(const TSection& s, const TFloatRec& rec, bool withSign, const TFormatSettings& settings) {
  // Where the decimal point falls among the digits, and the exponent shown.
  Integer pointAt = rec.Exponent;
  Integer exponent = 0;
  if (s.Scientific && !rec.Digits.empty()) {
    const Integer intPlaces = s.IntPlaces > 0 ? s.IntPlaces : 1;
    exponent = rec.Exponent - intPlaces;
    pointAt = intPlaces;
  }
  const Integer intDigits = pointAt > 0 ? pointAt : 0;
  // Fraction digits shown: the forced ones, and the significant ones up to
  // the places there are.
  Integer significantFrac = static_cast<Integer>(rec.Digits.size()) - pointAt;
  if (significantFrac < 0) significantFrac = 0;
  const Integer fracShown = std::max(s.ForcedFrac, std::min(significantFrac, s.FracPlaces));
  const Integer intShown = std::max(intDigits, s.ForcedInt);

  String out;
  if (withSign) out.push_back(u'-');
  Integer intPlace = 0;
  bool pointSeen = false, digitsStarted = false;
  auto emitInteger = [&](Integer fromPosition, Integer toPosition) {
    // Positions count from the decimal point leftwards, 1-based.
    for (Integer p = fromPosition; p >= toPosition; --p) {
      out.push_back(Digit(rec, pointAt - p));
      if (s.Grouping && p > 1 && (p - 1) % 3 == 0) out.push_back(settings.ThousandSeparator);
    }
  };
  auto emitFraction = [&] {
    if (fracShown > 0) {
      out.push_back(settings.DecimalSeparator);
      for (Integer i = 0; i < fracShown; ++i) out.push_back(Digit(rec, pointAt + i));
    }
  };
  char16_t quote = 0;
  for (size_t i = 0; i < s.Text.size(); ++i) {
    const char16_t c = s.Text[i];
    if (quote) {
      if (c == quote) quote = 0;
      else out.push_back(c);
      continue;
    }
    if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (c == u'0' || c == u'#') {
      if (!pointSeen) {
        // The first placeholder takes every digit beyond the places.
        const Integer position = s.IntPlaces - intPlace;  // 1-based from the point
        if (intPlace == 0) emitInteger(intShown, position);
        else if (position <= intShown) emitInteger(position, position);
        ++intPlace;
        digitsStarted = true;
      }  // fraction places are written with the decimal point
    } else if (c == u'.') {
      if (!pointSeen) {
        if (s.IntPlaces == 0) emitInteger(intDigits, 1);
        emitFraction();
        pointSeen = true;
        digitsStarted = true;
      }
    } else if (c == u',') {
      // a flag, not a character
    } else if ((c == u'E' || c == u'e') && s.Scientific && i + 1 < s.Text.size() &&
               (s.Text[i + 1] == u'+' || s.Text[i + 1] == u'-')) {
      if (!pointSeen && s.IntPlaces == 0 && !digitsStarted) emitInteger(intDigits, 1);
      pointSeen = true;
      const bool forceSign = s.Text[i + 1] == u'+';
      i += 2;
      Integer zeros = 0;
      while (i < s.Text.size() && s.Text[i] == u'0' && zeros < 4) ++zeros, ++i;
      --i;
      out.push_back(c);
      out += ExponentText(exponent, forceSign, zeros);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

String FormatFloat(std::u16string_view Format, Extended Value, const TFormatSettings& Settings) {
  const TFloatRec value = FloatToDecimal(Value);
  if (value.IsNan || value.IsInfinite) return SpecialText(value);
  const auto sections = SplitSections(Format);
  if (sections[0].empty()) return FloatToStr(Value, Settings);
  const bool useNegative = value.Negative && !sections[1].empty();
  TSection section = AnalyzeSection(useNegative ? sections[1] : sections[0]);
  TFloatRec rec = RoundForSection(value, section);
  if (rec.Digits.empty()) {
    // A value that shows as zero takes the zero section, else the positive one.
    section = AnalyzeSection(!sections[2].empty() ? sections[2] : sections[0]);
    rec = RoundForSection(TFloatRec{}, section);
    return ApplySection(section, rec, false, Settings);
  }
  TFloatRec magnitude = rec;
  magnitude.Negative = false;
  return ApplySection(section, magnitude, rec.Negative && !useNegative, Settings);
}

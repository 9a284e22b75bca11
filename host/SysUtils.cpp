#include "host/SysUtils.h"

#include "host/SysConst.h"
#include "platform/Locale.h"

namespace {

int DigitValue(char16_t c, unsigned base) {
  int d = -1;
  if (c >= u'0' && c <= u'9') d = c - u'0';
  else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
  else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
  return d >= 0 && static_cast<unsigned>(d) < base ? d : -1;
}

// Parses into the signed integer type of `bits` width.
bool ParseInteger(std::u16string_view s, unsigned bits, Int64& value) {
  size_t i = 0;
  const size_t n = s.size();
  bool negative = false;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  unsigned base = 10;
  if (i < n && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == n) return false;
  const UInt64 signedMax = (UInt64{1} << (bits - 1)) - 1;
  const UInt64 limit = base == 16 ? (bits == 64 ? ~UInt64{0} : (UInt64{1} << bits) - 1)
                                  : signedMax + (negative ? 1 : 0);
  UInt64 acc = 0;
  for (; i < n; ++i) {
    const int d = DigitValue(s[i], base);
    if (d < 0) return false;
    if (acc > (limit - static_cast<UInt64>(d)) / base) return false;
    acc = acc * base + static_cast<UInt64>(d);
  }
  if (base == 16 && bits == 32) acc = static_cast<UInt64>(static_cast<Int64>(static_cast<int32_t>(acc)));
  value = static_cast<Int64>(negative ? 0 - acc : acc);
  if (bits == 32) value = static_cast<int32_t>(value);
  return true;
}

[[noreturn]] void RaiseInvalidInteger(std::u16string_view s) { throw EConvertError(SInvalidInteger, {s}); }

constexpr bool IsTrimmed(char16_t c) { return c <= u' '; }

constexpr char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; }
constexpr char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }

template <typename Fold>
Integer CompareFolded(std::u16string_view a, std::u16string_view b, Fold fold) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const int ca = fold(a[i]), cb = fold(b[i]);
    if (ca != cb) return ca - cb;
  }
  const int64_t diff = static_cast<int64_t>(a.size()) - static_cast<int64_t>(b.size());
  return diff < INT32_MIN ? INT32_MIN : diff > INT32_MAX ? INT32_MAX : static_cast<Integer>(diff);
}

size_t FindFolded(std::u16string_view s, std::u16string_view pattern, size_t from) {
  if (pattern.size() > s.size()) return std::u16string_view::npos;
  for (size_t i = from; i + pattern.size() <= s.size(); ++i) {
    size_t k = 0;
    while (k < pattern.size() && UpperAscii(s[i + k]) == UpperAscii(pattern[k])) ++k;
    if (k == pattern.size()) return i;
  }
  return std::u16string_view::npos;
}

}  // namespace

String UIntToDigits(UInt64 Value, unsigned Base, Integer MinDigits) {
  char16_t buffer[64];
  int n = 0;
  do {
    const unsigned digit = static_cast<unsigned>(Value % Base);
    buffer[n++] = static_cast<char16_t>(digit < 10 ? u'0' + digit : u'A' + digit - 10);
    Value /= Base;
  } while (Value);
  String out;
  if (MinDigits > n) out.assign(static_cast<size_t>(MinDigits - n), u'0');
  while (n) out.push_back(buffer[--n]);
  return out;
}

String IntToStr(Int64 Value) {
  const UInt64 magnitude = Value < 0 ? 0 - static_cast<UInt64>(Value) : static_cast<UInt64>(Value);
  String digits = UIntToDigits(magnitude, 10, 0);
  return Value < 0 ? u"-" + digits : digits;
}

String UIntToStr(UInt64 Value) { return UIntToDigits(Value, 10, 0); }

String IntToHex(Integer Value, Integer Digits) { return UIntToDigits(static_cast<uint32_t>(Value), 16, Digits); }
String IntToHex(Int64 Value, Integer Digits) { return UIntToDigits(static_cast<UInt64>(Value), 16, Digits); }
String IntToHex(Cardinal Value, Integer Digits) { return UIntToDigits(Value, 16, Digits); }
String IntToHex(UInt64 Value, Integer Digits) { return UIntToDigits(Value, 16, Digits); }

bool TryStrToInt(std::u16string_view S, Integer& Value) {
  Int64 v;
  if (!ParseInteger(S, 32, v)) return false;
  Value = static_cast<Integer>(v);
  return true;
}

bool TryStrToInt64(std::u16string_view S, Int64& Value) { return ParseInteger(S, 64, Value); }

Integer StrToInt(std::u16string_view S) {
  Integer v;
  if (!TryStrToInt(S, v)) RaiseInvalidInteger(S);
  return v;
}

Int64 StrToInt64(std::u16string_view S) {
  Int64 v;
  if (!TryStrToInt64(S, v)) RaiseInvalidInteger(S);
  return v;
}

Integer StrToIntDef(std::u16string_view S, Integer Default) {
  Integer v;
  return TryStrToInt(S, v) ? v : Default;
}

Int64 StrToInt64Def(std::u16string_view S, Int64 Default) {
  Int64 v;
  return TryStrToInt64(S, v) ? v : Default;
}

String Trim(std::u16string_view S) { return TrimLeft(TrimRight(S)); }

String TrimLeft(std::u16string_view S) {
  size_t i = 0;
  while (i < S.size() && IsTrimmed(S[i])) ++i;
  return String(S.substr(i));
}

String TrimRight(std::u16string_view S) {
  size_t n = S.size();
  while (n > 0 && IsTrimmed(S[n - 1])) --n;
  return String(S.substr(0, n));
}

Integer Pos(std::u16string_view SubStr, std::u16string_view S, Integer Offset) {
  if (SubStr.empty() || Offset < 1 || static_cast<size_t>(Offset) > S.size()) return 0;
  const size_t at = S.find(SubStr, static_cast<size_t>(Offset - 1));
  return at == std::u16string_view::npos ? 0 : static_cast<Integer>(at + 1);
}

String StringReplace(std::u16string_view S, std::u16string_view OldPattern, std::u16string_view NewPattern,
                     TReplaceFlags Flags) {
  if (OldPattern.empty()) return String(S);
  const bool ignoreCase = Flags.Contains(rfIgnoreCase);
  String out;
  size_t from = 0;
  while (true) {
    const size_t at = ignoreCase ? FindFolded(S, OldPattern, from) : S.find(OldPattern, from);
    if (at == std::u16string_view::npos) break;
    out.append(S.substr(from, at - from));
    out.append(NewPattern);
    from = at + OldPattern.size();
    if (!Flags.Contains(rfReplaceAll)) break;
  }
  out.append(S.substr(from));
  return out;
}

String UpperCase(std::u16string_view S) {
  String out(S);
  for (char16_t& c : out) c = UpperAscii(c);
  return out;
}

String LowerCase(std::u16string_view S) {
  String out(S);
  for (char16_t& c : out) c = LowerAscii(c);
  return out;
}

Integer CompareStr(std::u16string_view S1, std::u16string_view S2) {
  return CompareFolded(S1, S2, [](char16_t c) { return static_cast<int>(c); });
}

Integer CompareText(std::u16string_view S1, std::u16string_view S2) {
  return CompareFolded(S1, S2, [](char16_t c) { return static_cast<int>(UpperAscii(c)); });
}

bool SameStr(std::u16string_view S1, std::u16string_view S2) { return S1 == S2; }

bool SameText(std::u16string_view S1, std::u16string_view S2) { return CompareText(S1, S2) == 0; }

namespace {

Integer LocaleCompare(std::u16string_view a, std::u16string_view b, DWORD flags) {
  const int result = CompareStringW(LOCALE_USER_DEFAULT, flags, a.empty() ? u"" : a.data(), static_cast<int>(a.size()),
                                    b.empty() ? u"" : b.data(),
                                    static_cast<int>(b.size()));
  // Without an answer the ordinal order is the best there is.
  if (result == 0) return flags ? CompareText(a, b) : CompareStr(a, b);
  return result - CSTR_EQUAL;
}

}  // namespace

Integer AnsiCompareStr(std::u16string_view S1, std::u16string_view S2) { return LocaleCompare(S1, S2, 0); }

Integer AnsiCompareText(std::u16string_view S1, std::u16string_view S2) {
  return LocaleCompare(S1, S2, NORM_IGNORECASE);
}

bool AnsiSameStr(std::u16string_view S1, std::u16string_view S2) { return AnsiCompareStr(S1, S2) == 0; }

bool AnsiSameText(std::u16string_view S1, std::u16string_view S2) { return AnsiCompareText(S1, S2) == 0; }

String AnsiUpperCase(std::u16string_view S) {
  String out(S);
  CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

String AnsiLowerCase(std::u16string_view S) {
  String out(S);
  CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

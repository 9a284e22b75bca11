#include "platform/Locale.h"

#include "platform/Kernel.h"
#include "platform/LocaleBuffers.h"
#include "platform/LocaleProfiles.h"

#include <unicode/uchar.h>
#include <unicode/ucal.h>
#include <unicode/ucol.h>
#include <unicode/ucurr.h>
#include <unicode/udat.h>
#include <unicode/uloc.h>
#include <unicode/unum.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

TProfileData::~TProfileData() {
  if (CaseSensitive) ucol_close(CaseSensitive);
  if (IgnoreCase) ucol_close(IgnoreCase);
}

namespace {

using Text = std::u16string;
using nls::PutText;

constexpr LCTYPE ItemFlags = LOCALE_NOUSEROVERRIDE | LOCALE_RETURN_NUMBER;
constexpr int NumberSize = sizeof(DWORD) / sizeof(WCHAR);

bool IsNumericItem(LCTYPE type) {
  switch (type) {
    case LOCALE_ILANGUAGE:
    case LOCALE_IDEFAULTCODEPAGE:
    case LOCALE_IDIGITS:
    case LOCALE_ILZERO:
    case LOCALE_ICURRDIGITS:
    case LOCALE_ICURRENCY:
    case LOCALE_INEGCURR:
    case LOCALE_IDATE:
    case LOCALE_ITIME:
    case LOCALE_IDEFAULTANSICODEPAGE:
    case LOCALE_ICALENDARTYPE:
    case LOCALE_IFIRSTDAYOFWEEK:
    case LOCALE_IFIRSTWEEKOFYEAR:
      return true;
    default:
      return false;
  }
}

// --- Deriving the user profile from ICU -------------------------------------

// Runs an ICU "fill this buffer" call, retrying once with the size it asks for.
template <typename Call>
bool IcuText(Call&& call, Text& out) {
  UChar buffer[128];
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = call(buffer, 128, &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    out.assign(static_cast<size_t>(length), u'\0');
    status = U_ZERO_ERROR;
    call(out.data(), length, &status);
  } else if (U_SUCCESS(status)) {
    out.assign(buffer, static_cast<size_t>(length));
  }
  return U_SUCCESS(status);
}

Text Ascii(std::string_view s) { return Text(s.begin(), s.end()); }

Text Decimal(long value) { return Ascii(std::to_string(value)); }

bool IsSpaceLike(UChar32 c) { return c == 0x00A0 || c == 0x202F || u_isUWhiteSpace(c) || u_isspace(c); }

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// Reduces one currency subpattern to the shapes of the system's currency
// tables: S for the symbol, N for the number, '-', parentheses and one space.
Text CurrencyShape(std::u16string_view pattern) {
  Text shape;
  bool quoted = false;
  for (char16_t c : pattern) {
    if (c == u'\'') {
      quoted = !quoted;
      continue;
    }
    if (quoted) continue;
    char16_t token = 0;
    if (c == 0x00A4)
      token = u'S';
    else if ((c >= u'0' && c <= u'9') || c == u'#' || c == u',' || c == u'.' || c == u'@')
      token = u'N';
    else if (c == u'-' || c == u'(' || c == u')')
      token = c;
    else if (IsSpaceLike(c))
      token = u' ';
    if (!token) continue;
    if ((token == u'S' || token == u'N' || token == u' ') && !shape.empty() && shape.back() == token) continue;
    shape += token;
  }
  // Spaces only count between a symbol, a sign and the number.
  Text trimmed;
  for (size_t i = 0; i < shape.size(); ++i) {
    if (shape[i] == u' ') {
      const bool edge = trimmed.empty() || trimmed.back() == u'(' || i + 1 == shape.size() || shape[i + 1] == u')';
      if (edge) continue;
    }
    trimmed += shape[i];
  }
  return trimmed;
}

int PositiveCurrencyIndex(const Text& shape) {
  static const char16_t* const table[] = {u"SN", u"NS", u"S N", u"N S"};
  for (int i = 0; i < 4; ++i)
    if (shape == table[i]) return i;
  return -1;
}

int NegativeCurrencyIndex(const Text& shape) {
  static const char16_t* const table[] = {u"(SN)", u"-SN",  u"S-N",  u"SN-",  u"(NS)", u"-NS",
                                          u"N-S",  u"NS-",  u"-N S", u"-S N", u"N S-", u"S N-",
                                          u"S -N", u"N- S", u"(S N)", u"(N S)"};
  for (int i = 0; i < 16; ++i)
    if (shape == table[i]) return i;
  return -1;
}

// Splits a number pattern at its unquoted ';'.
std::pair<std::u16string_view, std::u16string_view> SplitPattern(std::u16string_view pattern) {
  bool quoted = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == u'\'') quoted = !quoted;
    if (!quoted && pattern[i] == u';') return {pattern.substr(0, i), pattern.substr(i + 1)};
  }
  return {pattern, {}};
}

// Converts an ICU date or time pattern to the system's picture letters. Short
// dates always show four-digit years, as the system's own short dates do.
Text PictureFromPattern(const Text& pattern, bool shortDate) {
  Text out;
  size_t i = 0;
  while (i < pattern.size()) {
    const char16_t c = pattern[i];
    if (c == u'\'') {
      // Quoted literals mean the same in both syntaxes; copy them whole.
      size_t end = i + 1;
      if (end < pattern.size() && pattern[end] == u'\'') {
        out += u"''";
        i += 2;
        continue;
      }
      while (end < pattern.size() && !(pattern[end] == u'\'' && (end + 1 >= pattern.size() || pattern[end + 1] != u'\'')))
        end += pattern[end] == u'\'' ? 2 : 1;
      out.append(pattern, i, end - i);
      out += u'\'';
      i = end + 1;
      continue;
    }
    if (!IsAsciiLetter(c)) {
      out += c == 0x202F ? u' ' : c;
      ++i;
      continue;
    }
    size_t n = 1;
    while (i + n < pattern.size() && pattern[i + n] == c) ++n;
    i += n;
    switch (c) {
      case u'd': out += n >= 2 ? u"dd" : u"d"; break;
      case u'M':
      case u'L': out += n == 4 ? u"MMMM" : n >= 3 ? u"MMM" : n == 2 ? u"MM" : u"M"; break;
      case u'E': out += n == 4 ? u"dddd" : u"ddd"; break;
      case u'c':
      case u'e':
        if (n >= 3) out += n == 4 ? u"dddd" : u"ddd";
        break;
      case u'y':
      case u'u':
      case u'r':
      case u'Y': out += (!shortDate && n == 2) ? u"yy" : u"yyyy"; break;
      case u'H':
      case u'k': out += n >= 2 ? u"HH" : u"H"; break;
      case u'h':
      case u'K': out += n >= 2 ? u"hh" : u"h"; break;
      case u'm': out += n >= 2 ? u"mm" : u"m"; break;
      case u's': out += n >= 2 ? u"ss" : u"s"; break;
      case u'a':
      case u'b':
      case u'B': out += u"tt"; break;
      default: break;  // eras, zones, fractions: not part of the pictures
    }
  }
  // Dropped fields can leave stray spaces behind.
  Text tidy;
  for (char16_t c : out)
    if (c != u' ' || (!tidy.empty() && tidy.back() != u' ')) tidy += c;
  while (!tidy.empty() && tidy.back() == u' ') tidy.pop_back();
  return tidy;
}

// The separator is what follows the first numeric field; bidi marks do not
// count, and a space only when nothing else separates the fields.
Text FirstSeparator(const Text& picture, const char16_t* fallback) {
  constexpr std::u16string_view numericFields = u"dMyHhms";
  bool afterField = false, quoted = false;
  char16_t space = 0;
  for (char16_t c : picture) {
    if (c == u'\'') quoted = !quoted;
    if (quoted || c == u'\'') continue;
    if (IsAsciiLetter(c)) {
      afterField = afterField || numericFields.find(c) != std::u16string_view::npos;
      continue;
    }
    if (!afterField || u_charType(c) == U_FORMAT_CHAR) continue;
    if (!IsSpaceLike(c)) return Text(1, c);
    if (!space) space = c;
  }
  return space ? Text(1, space) : Text(fallback);
}

bool PatternHasUnquoted(const Text& pattern, std::u16string_view letters) {
  bool quoted = false;
  for (char16_t c : pattern) {
    if (c == u'\'') quoted = !quoted;
    else if (!quoted && letters.find(c) != std::u16string_view::npos) return true;
  }
  return false;
}

Text DateOrder(const Text& picture) {
  bool quoted = false;
  for (char16_t c : picture) {
    if (c == u'\'') quoted = !quoted;
    if (quoted) continue;
    if (c == u'M') return u"0";
    if (c == u'd') return u"1";
    if (c == u'y') return u"2";
  }
  return u"0";
}

bool IsPosixLocale(const char* id) {
  std::string lower(id ? id : "");
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.empty() || lower == "c" || lower == "posix" || lower == "en_us_posix" || lower == "root" ||
         lower.rfind("en_us_posix", 0) == 0;
}

void DeriveNumbers(const char* locale, std::map<LCTYPE, Text>& items) {
  UErrorCode status = U_ZERO_ERROR;
  UNumberFormat* number = unum_open(UNUM_DECIMAL, nullptr, 0, locale, nullptr, &status);
  if (U_SUCCESS(status)) {
    Text value;
    auto symbol = [&](UNumberFormatSymbol which, LCTYPE item) {
      if (IcuText([&](UChar* b, int32_t n, UErrorCode* s) { return unum_getSymbol(number, which, b, n, s); }, value) &&
          !value.empty())
        items[item] = value;
    };
    symbol(UNUM_DECIMAL_SEPARATOR_SYMBOL, LOCALE_SDECIMAL);
    symbol(UNUM_GROUPING_SEPARATOR_SYMBOL, LOCALE_STHOUSAND);
    symbol(UNUM_MINUS_SIGN_SYMBOL, LOCALE_SNEGATIVESIGN);
    const int32_t primary = unum_getAttribute(number, UNUM_GROUPING_SIZE);
    const int32_t secondary = unum_getAttribute(number, UNUM_SECONDARY_GROUPING_SIZE);
    if (primary <= 0)
      items[LOCALE_SGROUPING] = u"0";
    else if (secondary > 0 && secondary != primary)
      items[LOCALE_SGROUPING] = Decimal(primary) + u";" + Decimal(secondary) + u";0";
    else
      items[LOCALE_SGROUPING] = Decimal(primary) + u";0";
    unum_close(number);
  }
  // Lists are separated by ';' wherever ',' is taken by decimals.
  items[LOCALE_SLIST] = items[LOCALE_SDECIMAL] == u"," ? u";" : u",";

  status = U_ZERO_ERROR;
  UNumberFormat* currency = unum_open(UNUM_CURRENCY, nullptr, 0, locale, nullptr, &status);
  if (U_SUCCESS(status)) {
    Text value;
    if (IcuText([&](UChar* b, int32_t n, UErrorCode* s) { return unum_getSymbol(currency, UNUM_CURRENCY_SYMBOL, b, n, s); },
                value) &&
        !value.empty())
      items[LOCALE_SCURRENCY] = value;
    Text pattern;
    if (IcuText([&](UChar* b, int32_t n, UErrorCode* s) { return unum_toPattern(currency, false, b, n, s); }, pattern)) {
      const auto [positivePart, negativePart] = SplitPattern(pattern);
      const Text positive = CurrencyShape(positivePart);
      const int positiveIndex = PositiveCurrencyIndex(positive);
      if (positiveIndex >= 0) items[LOCALE_ICURRENCY] = Decimal(positiveIndex);
      int negativeIndex = negativePart.empty() ? -1 : NegativeCurrencyIndex(CurrencyShape(negativePart));
      if (negativeIndex < 0) negativeIndex = NegativeCurrencyIndex(u"-" + positive);
      if (negativeIndex >= 0) items[LOCALE_INEGCURR] = Decimal(negativeIndex);
    }
    int32_t digits = -1;
    UChar code[4] = {};
    status = U_ZERO_ERROR;
    if (ucurr_forLocale(locale, code, 4, &status) > 0 && U_SUCCESS(status)) {
      status = U_ZERO_ERROR;
      digits = ucurr_getDefaultFractionDigits(code, &status);
      if (U_FAILURE(status)) digits = -1;
    }
    if (digits < 0) digits = unum_getAttribute(currency, UNUM_MAX_FRACTION_DIGITS);
    if (digits >= 0) items[LOCALE_ICURRDIGITS] = Decimal(digits);
    unum_close(currency);
  }
}

void DeriveDates(const char* locale, std::map<LCTYPE, Text>& items) {
  // Names and patterns of the Gregorian calendar, whatever the locale's own.
  char gregorian[ULOC_FULLNAME_CAPACITY + 32];
  std::snprintf(gregorian, sizeof gregorian, "%s", locale);
  UErrorCode status = U_ZERO_ERROR;
  uloc_setKeywordValue("calendar", "gregorian", gregorian, sizeof gregorian, &status);
  if (U_FAILURE(status)) std::snprintf(gregorian, sizeof gregorian, "%s", locale);

  auto pattern = [&](UDateFormatStyle time, UDateFormatStyle date, Text& out, UDateFormat** keep) {
    UErrorCode st = U_ZERO_ERROR;
    UDateFormat* format = udat_open(time, date, gregorian, u"UTC", -1, nullptr, 0, &st);
    if (U_FAILURE(st)) return false;
    const bool ok =
        IcuText([&](UChar* b, int32_t n, UErrorCode* s) { return udat_toPattern(format, false, b, n, s); }, out);
    if (keep)
      *keep = format;
    else
      udat_close(format);
    return ok;
  };

  Text shortDate, longDate, mediumTime, shortTime;
  UDateFormat* symbols = nullptr;
  if (pattern(UDAT_NONE, UDAT_SHORT, shortDate, &symbols)) {
    const Text picture = PictureFromPattern(shortDate, true);
    items[LOCALE_SSHORTDATE] = picture;
    items[LOCALE_SDATE] = FirstSeparator(picture, u"/");
    items[LOCALE_IDATE] = DateOrder(picture);
  }
  // The system's long date names the weekday, which only ICU's full style does.
  if (pattern(UDAT_NONE, UDAT_FULL, longDate, nullptr)) items[LOCALE_SLONGDATE] = PictureFromPattern(longDate, false);
  if (pattern(UDAT_MEDIUM, UDAT_NONE, mediumTime, nullptr)) {
    const Text picture = PictureFromPattern(mediumTime, false);
    items[LOCALE_STIMEFORMAT] = picture;
    items[LOCALE_STIME] = FirstSeparator(picture, u":");
    items[LOCALE_ITIME] = PatternHasUnquoted(mediumTime, u"Hk") ? u"1" : u"0";
  }
  if (pattern(UDAT_SHORT, UDAT_NONE, shortTime, nullptr)) items[LOCALE_SSHORTTIME] = PictureFromPattern(shortTime, false);

  if (symbols) {
    Text value;
    auto symbol = [&](UDateFormatSymbolType type, int32_t index, LCTYPE item) {
      if (IcuText([&](UChar* b, int32_t n, UErrorCode* s) { return udat_getSymbols(symbols, type, index, b, n, s); },
                  value) &&
          !value.empty())
        items[item] = value;
    };
    symbol(UDAT_AM_PMS, 0, LOCALE_S1159);
    symbol(UDAT_AM_PMS, 1, LOCALE_S2359);
    // ICU counts weekdays from Sunday = 1; the system's first day name is Monday.
    for (int i = 0; i < 7; ++i) {
      const int32_t icuDay = (i + 1) % 7 + 1;
      symbol(UDAT_WEEKDAYS, icuDay, LOCALE_SDAYNAME1 + i);
      symbol(UDAT_SHORT_WEEKDAYS, icuDay, LOCALE_SABBREVDAYNAME1 + i);
    }
    for (int i = 0; i < 12; ++i) {
      symbol(UDAT_MONTHS, i, LOCALE_SMONTHNAME1 + i);
      symbol(UDAT_SHORT_MONTHS, i, LOCALE_SABBREVMONTHNAME1 + i);
    }
    udat_close(symbols);
  }

  status = U_ZERO_ERROR;
  UCalendar* calendar = ucal_open(u"UTC", -1, locale, UCAL_GREGORIAN, &status);
  if (U_SUCCESS(status)) {
    const int32_t first = ucal_getAttribute(calendar, UCAL_FIRST_DAY_OF_WEEK);
    if (first >= 1 && first <= 7) items[LOCALE_IFIRSTDAYOFWEEK] = Decimal((first + 5) % 7);
    const int32_t minimal = ucal_getAttribute(calendar, UCAL_MINIMAL_DAYS_IN_FIRST_WEEK);
    items[LOCALE_IFIRSTWEEKOFYEAR] = minimal == 7 ? u"1" : minimal == 4 ? u"2" : u"0";
    ucal_close(calendar);
  }
}

std::shared_ptr<const TProfileData> MakeUser(const std::shared_ptr<const TProfileData>& english) {
  const char* locale = uloc_getDefault();
  auto p = std::make_shared<TProfileData>(*english);
  if (IsPosixLocale(locale)) return p;

  p->CollationLocale = locale;
  const uint32_t lcid = uloc_getLCID(locale);
  p->Lcid = lcid ? lcid : 0x0409;

  auto& items = p->Items;
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04x", static_cast<unsigned>(p->Lcid & 0xFFFF));
  items[LOCALE_ILANGUAGE] = Ascii(hex);

  char base[ULOC_FULLNAME_CAPACITY];
  UErrorCode status = U_ZERO_ERROR;
  uloc_getBaseName(locale, base, sizeof base, &status);
  if (U_FAILURE(status)) std::snprintf(base, sizeof base, "%s", locale);
  char tag[ULOC_FULLNAME_CAPACITY];
  status = U_ZERO_ERROR;
  const int32_t tagLength = uloc_toLanguageTag(base, tag, sizeof tag, false, &status);
  if (U_SUCCESS(status) && tagLength > 0) items[LOCALE_SNAME] = Ascii(std::string_view(tag, static_cast<size_t>(tagLength)));

  Text name;
  if (IcuText([&](UChar* b, int32_t n, UErrorCode* s) { return uloc_getDisplayName(base, base, b, n, s); }, name) &&
      !name.empty())
    items[LOCALE_SLANGUAGE] = name;

  char country[ULOC_COUNTRY_CAPACITY] = {};
  status = U_ZERO_ERROR;
  uloc_getCountry(locale, country, sizeof country, &status);
  items[LOCALE_IDEFAULTCODEPAGE] = std::strcmp(country, "US") == 0 ? u"437" : u"850";

  DeriveNumbers(locale, items);
  DeriveDates(locale, items);
  return p;
}

// --- Process state -----------------------------------------------------------

struct TState {
  std::mutex Lock;
  TLocaleProfile Profile = TLocaleProfile::User;
  std::shared_ptr<const TProfileData> Active;
  std::shared_ptr<const TProfileData> EnglishUS;
  std::shared_ptr<const TProfileData> PortugueseBR;
};

// Kept for the life of the process, so nothing runs at exit.
TState& State() {
  static TState* state = new TState;
  return *state;
}

// Bumped by every profile selection; a thread locale stored under an older
// selection reads as the user default again.
std::atomic<unsigned> ProfileGeneration{0};

// The calendar type reported instead of the profile's own; 0 for none.
std::atomic<CALID> ReportedCalendarType{0};

struct TThreadLocale {
  LCID Value = LOCALE_USER_DEFAULT;
  unsigned Generation = 0;
};
thread_local TThreadLocale ThreadLocale;

std::shared_ptr<const TProfileData> BuildLocked(TState& state, TLocaleProfile profile) {
  if (!state.EnglishUS) state.EnglishUS = EnglishUSProfile();
  switch (profile) {
    case TLocaleProfile::EnglishUS:
      return state.EnglishUS;
    case TLocaleProfile::PortugueseBR:
      if (!state.PortugueseBR) state.PortugueseBR = PortugueseBRProfile();
      return state.PortugueseBR;
    case TLocaleProfile::User:
      break;
  }
  return MakeUser(state.EnglishUS);
}

std::shared_ptr<const TProfileData> Active() {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  if (!state.Active) state.Active = BuildLocked(state, state.Profile);
  return state.Active;
}

const Text* FindItem(const TProfileData& profile, LCTYPE type) {
  const auto it = profile.Items.find(type);
  return it == profile.Items.end() ? nullptr : &it->second;
}

DWORD NumberOf(std::u16string_view text, int radix) {
  DWORD value = 0;
  for (char16_t c : text) {
    int digit;
    if (c >= u'0' && c <= u'9')
      digit = c - u'0';
    else if (radix == 16 && c >= u'a' && c <= u'f')
      digit = c - u'a' + 10;
    else if (radix == 16 && c >= u'A' && c <= u'F')
      digit = c - u'A' + 10;
    else
      break;
    value = value * static_cast<DWORD>(radix) + static_cast<DWORD>(digit);
  }
  return value;
}

int PutNumber(DWORD value, LPWSTR buffer, int capacity) {
  if (capacity < 0 || (capacity > 0 && !buffer)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (capacity == 0) return NumberSize;
  if (capacity < NumberSize) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, &value, sizeof value);
  return NumberSize;
}

// --- Dates -------------------------------------------------------------------

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// 0 = Sunday, for the proleptic Gregorian calendar.
int DayOfWeek(int year, int month, int day) {
  static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) --year;
  return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

void AppendNumber(Text& out, unsigned value, int minDigits) {
  const std::string digits = std::to_string(value);
  for (int i = static_cast<int>(digits.size()); i < minDigits; ++i) out += u'0';
  out.append(digits.begin(), digits.end());
}

Text FormatDate(const TProfileData& profile, const SYSTEMTIME& date, std::u16string_view picture) {
  const int weekday = (DayOfWeek(date.wYear, date.wMonth, date.wDay) + 6) % 7;  // 0 = Monday
  auto item = [&](LCTYPE type) -> const Text& { return profile.Items.at(type); };
  Text out;
  size_t i = 0;
  while (i < picture.size()) {
    const char16_t c = picture[i];
    if (c == u'\'') {
      // A quoted run is literal; a doubled quote stands for one quote.
      if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
        out += u'\'';
        i += 2;
        continue;
      }
      ++i;
      while (i < picture.size()) {
        if (picture[i] == u'\'') {
          if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
            out += u'\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
      continue;
    }
    if (c != u'd' && c != u'M' && c != u'y') {
      out += c;
      ++i;
      continue;
    }
    size_t n = 1;
    while (i + n < picture.size() && picture[i + n] == c) ++n;
    i += n;
    if (c == u'd') {
      if (n <= 2)
        AppendNumber(out, date.wDay, static_cast<int>(n));
      else
        out += item((n == 3 ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1) + weekday);
    } else if (c == u'M') {
      if (n <= 2)
        AppendNumber(out, date.wMonth, static_cast<int>(n));
      else
        out += item((n == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + date.wMonth - 1);
    } else {
      if (n <= 2)
        AppendNumber(out, date.wYear % 100, static_cast<int>(n));
      else
        AppendNumber(out, date.wYear, 4);
    }
  }
  return out;
}

// --- Character types -----------------------------------------------------------

WORD CharType1(UChar32 c) {
  if (!u_isdefined(c)) return 0;
  WORD type = C1_DEFINED;
  const uint32_t category = U_GET_GC_MASK(c);
  if (u_isupper(c)) type |= C1_UPPER;
  if (u_islower(c)) type |= C1_LOWER;
  if (u_isdigit(c)) type |= C1_DIGIT;
  if (u_isUWhiteSpace(c) || u_isspace(c)) type |= C1_SPACE;
  // The system counts symbols ($, +, <, ^, ...) as punctuation too.
  if (u_ispunct(c) || (category & U_GC_S_MASK)) type |= C1_PUNCT;
  if (u_iscntrl(c)) type |= C1_CNTRL;
  if (u_isblank(c)) type |= C1_BLANK;
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) type |= C1_XDIGIT;
  if (u_isalpha(c) || u_hasBinaryProperty(c, UCHAR_IDEOGRAPHIC)) type |= C1_ALPHA;
  return type;
}

// --- Collation -----------------------------------------------------------------

UCollator* OpenCollator(const std::string& locale, UColAttributeValue strength) {
  UErrorCode status = U_ZERO_ERROR;
  UCollator* collator = ucol_open(locale.c_str(), &status);
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    collator = ucol_open("", &status);
    if (U_FAILURE(status)) return nullptr;
  }
  ucol_setAttribute(collator, UCOL_STRENGTH, strength, &status);
  return collator;
}

const UCollator* CollatorFor(const TProfileData& profile, bool ignoreCase) {
  std::call_once(profile.CollatorsOpened, [&] {
    profile.CaseSensitive = OpenCollator(profile.CollationLocale, UCOL_TERTIARY);
    profile.IgnoreCase = OpenCollator(profile.CollationLocale, UCOL_SECONDARY);
  });
  return ignoreCase ? profile.IgnoreCase : profile.CaseSensitive;
}

// --- Case mapping ----------------------------------------------------------------

template <typename Map>
DWORD MapCase(LPWSTR text, DWORD length, Map map) {
  if (!text) return 0;
  for (DWORD i = 0; i < length; ++i) {
    const char16_t unit = text[i];
    if (U16_IS_LEAD(unit) && i + 1 < length && U16_IS_TRAIL(text[i + 1])) {
      const UChar32 mapped = map(U16_GET_SUPPLEMENTARY(unit, text[i + 1]));
      // A mapping out of the supplementary plane would change the length.
      if (mapped > 0xFFFF) {
        text[i] = U16_LEAD(mapped);
        text[i + 1] = U16_TRAIL(mapped);
      }
      ++i;
      continue;
    }
    const UChar32 mapped = map(unit);
    if (mapped <= 0xFFFF) text[i] = static_cast<char16_t>(mapped);
  }
  return length;
}

}  // namespace

void SetLocaleProfile(TLocaleProfile Profile) {
  TState& state = State();
  {
    std::lock_guard<std::mutex> guard(state.Lock);
    state.Profile = Profile;
    state.Active = BuildLocked(state, Profile);
  }
  ThreadLocale = {LOCALE_USER_DEFAULT, ++ProfileGeneration};
}

TLocaleProfile GetLocaleProfile() {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  return state.Profile;
}

void SetLocaleCalendarType(CALID Calendar) { ReportedCalendarType = Calendar; }

LCID GetUserDefaultLCID() { return Active()->Lcid; }

LCID GetSystemDefaultLCID() { return Active()->Lcid; }

LCID GetThreadLocale() {
  const TThreadLocale current = ThreadLocale;
  if (current.Generation != ProfileGeneration.load() || current.Value == LOCALE_USER_DEFAULT) return Active()->Lcid;
  return current.Value;
}

BOOL SetThreadLocale(LCID Locale) {
  ThreadLocale = {Locale, ProfileGeneration.load()};
  return TRUE;
}

int GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData) {
  const auto profile = Active();
  const LCTYPE type = LCType & ~ItemFlags;
  const Text* value = FindItem(*profile, type);
  Text reportedCalendar;
  if (type == LOCALE_ICALENDARTYPE && ReportedCalendarType.load() != 0) {
    reportedCalendar = Decimal(ReportedCalendarType.load());
    value = &reportedCalendar;
  }
  if (!value) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  if (LCType & LOCALE_RETURN_NUMBER) {
    if (!IsNumericItem(type)) {
      SetLastError(ERROR_INVALID_FLAGS);
      return 0;
    }
    return PutNumber(NumberOf(*value, type == LOCALE_ILANGUAGE ? 16 : 10), lpLCData, cchData);
  }
  return PutText(*value, lpLCData, cchData);
}

BOOL GetStringTypeW(DWORD dwInfoType, LPCWSTR lpSrcStr, int cchSrc, WORD* lpCharType) {
  if (!lpSrcStr || !lpCharType || cchSrc == 0 || cchSrc < -1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (dwInfoType != CT_CTYPE1) {
    SetLastError(ERROR_INVALID_FLAGS);
    return FALSE;
  }
  const size_t length = cchSrc == -1 ? std::char_traits<char16_t>::length(lpSrcStr) : static_cast<size_t>(cchSrc);
  for (size_t i = 0; i < length; ++i) {
    const char16_t unit = lpSrcStr[i];
    if (U16_IS_LEAD(unit) && i + 1 < length && U16_IS_TRAIL(lpSrcStr[i + 1])) {
      lpCharType[i] = lpCharType[i + 1] = CharType1(U16_GET_SUPPLEMENTARY(unit, lpSrcStr[i + 1]));
      ++i;
    } else {
      lpCharType[i] = U16_IS_SURROGATE(unit) ? 0 : CharType1(unit);
    }
  }
  return TRUE;
}

int GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat, LPWSTR lpDateStr,
                   int cchDate) {
  const DWORD styles = DATE_SHORTDATE | DATE_LONGDATE;
  if ((dwFlags & ~(styles | LOCALE_NOUSEROVERRIDE)) || (dwFlags & styles) == styles || (lpFormat && (dwFlags & styles))) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  SYSTEMTIME date;
  if (lpDate)
    date = *lpDate;
  else
    GetLocalTime(&date);
  if (date.wMonth < 1 || date.wMonth > 12 || date.wDay < 1 || date.wDay > DaysInMonth(date.wYear, date.wMonth)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const auto profile = Active();
  const std::u16string_view picture =
      lpFormat ? std::u16string_view(lpFormat)
               : std::u16string_view(profile->Items.at(dwFlags & DATE_LONGDATE ? LOCALE_SLONGDATE : LOCALE_SSHORTDATE));
  return PutText(FormatDate(*profile, date, picture), lpDateStr, cchDate);
}

int CompareStringW(LCID Locale, DWORD dwCmpFlags, LPCWSTR lpString1, int cchCount1, LPCWSTR lpString2,
                   int cchCount2) {
  if (dwCmpFlags & ~static_cast<DWORD>(NORM_IGNORECASE)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  if (!lpString1 || !lpString2 || cchCount1 < -1 || cchCount2 < -1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const auto profile = Active();
  const UCollator* collator = CollatorFor(*profile, dwCmpFlags & NORM_IGNORECASE);
  int order;
  if (collator) {
    order = ucol_strcoll(collator, lpString1, cchCount1, lpString2, cchCount2);
  } else {
    const std::u16string_view a = cchCount1 < 0 ? std::u16string_view(lpString1) : std::u16string_view(lpString1, cchCount1);
    const std::u16string_view b = cchCount2 < 0 ? std::u16string_view(lpString2) : std::u16string_view(lpString2, cchCount2);
    order = a.compare(b);
  }
  return order < 0 ? CSTR_LESS_THAN : order > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}

DWORD CharUpperBuffW(LPWSTR lpsz, DWORD cchLength) { return MapCase(lpsz, cchLength, u_toupper); }

DWORD CharLowerBuffW(LPWSTR lpsz, DWORD cchLength) { return MapCase(lpsz, cchLength, u_tolower); }

// GetCalendarInfoW: the calendar items of every calendar the system's locales
// can select, answered from the profile and, for the lunar calendars' month
// names, from ICU.

#include "platform/Locale.h"

#include <unicode/ucal.h>
#include <unicode/udat.h>
#include <unicode/uloc.h>

#include <memory>
#include <string>

#include "platform/Kernel.h"
#include "platform/LocaleBuffers.h"

namespace {

using Text = std::u16string;

constexpr CALTYPE ItemFlags = LOCALE_NOUSEROVERRIDE | CAL_RETURN_NUMBER;
constexpr int NumberSize = sizeof(DWORD) / sizeof(WCHAR);
constexpr int MonthItems = 13;

struct TCalendarKind {
  CALID Id;
  const char16_t* Name;
  DWORD TwoDigitYearMax;
  // ICU's calendar that names the months; nullptr for the Gregorian months,
  // which the profile names.
  const char* IcuCalendar;
};

// A two-digit year means one of the hundred years up to TwoDigitYearMax: the
// calendar's year of Gregorian 2049, kept inside the calendar's current
// century (the Japanese era years stay below 100, so every two-digit one
// stands as it is; the Hebrew century ends with 5799).
constexpr TCalendarKind Calendars[] = {
    {CAL_GREGORIAN, u"Gregorian Calendar", 2049, nullptr},
    {CAL_GREGORIAN_US, u"Gregorian Calendar (U.S. English)", 2049, nullptr},
    {CAL_JAPAN, u"Japanese Emperor Era Calendar", 99, nullptr},
    {CAL_TAIWAN, u"Taiwan Calendar", 138, nullptr},
    {CAL_KOREA, u"Korean Tangun Era Calendar", 4382, nullptr},
    {CAL_HIJRI, u"Hijri Calendar", 1471, "islamic-civil"},
    {CAL_THAI, u"Thai Buddhist Calendar", 2592, nullptr},
    {CAL_HEBREW, u"Hebrew Calendar", 5799, "hebrew"},
    {CAL_GREGORIAN_ME_FRENCH, u"Gregorian Calendar (Middle East French)", 2049, nullptr},
    {CAL_GREGORIAN_ARABIC, u"Gregorian Calendar (Arabic)", 2049, nullptr},
    {CAL_GREGORIAN_XLIT_ENGLISH, u"Gregorian Calendar (Transliterated English)", 2049, nullptr},
    {CAL_GREGORIAN_XLIT_FRENCH, u"Gregorian Calendar (Transliterated French)", 2049, nullptr},
};

// A Hebrew year whose months name every month a year can have.
constexpr DWORD HebrewLeapYear = 5784;

const TCalendarKind* FindCalendar(CALID id) {
  if (id == 0) {
    DWORD reported = 0;
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&reported),
                   NumberSize);
    id = reported;
  }
  for (const TCalendarKind& calendar : Calendars)
    if (calendar.Id == id) return &calendar;
  return nullptr;
}

Text Decimal(DWORD value) {
  const std::string digits = std::to_string(value);
  return Text(digits.begin(), digits.end());
}

// Seven of every nineteen years have a thirteenth month.
bool IsHebrewLeapYear(DWORD year) { return (7 * static_cast<unsigned long long>(year) + 1) % 19 < 7; }

// ICU's locale for the profile's language with the calendar asked for.
std::string IcuLocale(const char* calendar) {
  WCHAR tag[ULOC_FULLNAME_CAPACITY];
  std::string ascii;
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SNAME, tag, ULOC_FULLNAME_CAPACITY) > 0)
    for (const WCHAR* c = tag; *c; ++c) ascii += static_cast<char>(*c);
  char locale[ULOC_FULLNAME_CAPACITY + 32] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_forLanguageTag(ascii.c_str(), locale, ULOC_FULLNAME_CAPACITY, nullptr, &status);
  if (U_FAILURE(status)) locale[0] = '\0';
  status = U_ZERO_ERROR;
  uloc_setKeywordValue("calendar", calendar, locale, sizeof locale, &status);
  return locale;
}

struct TCloseFormat {
  void operator()(UDateFormat* format) const { udat_close(format); }
};
struct TCloseCalendar {
  void operator()(UCalendar* calendar) const { ucal_close(calendar); }
};

// The name of month `month` (from 1, the calendar's own numbering) of `year`;
// empty for a month the year does not have. False when ICU fails.
bool IcuMonthName(const TCalendarKind& kind, DWORD year, int month, bool abbreviated, Text& name) {
  name.clear();
  int icuMonth = month - 1;
  if (kind.Id == CAL_HEBREW) {
    if (year == 0) year = HebrewLeapYear;
    // ICU keeps Adar I at 5 and skips it in a common year, whose Adar is 6.
    if (!IsHebrewLeapYear(year)) {
      if (month == MonthItems) return true;
      if (month >= 6) icuMonth = month;
    }
  } else if (month == MonthItems) {
    return true;
  }
  const std::string locale = IcuLocale(kind.IcuCalendar);
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UCalendar, TCloseCalendar> calendar(ucal_open(u"UTC", -1, locale.c_str(), UCAL_DEFAULT, &status));
  std::unique_ptr<UDateFormat, TCloseFormat> format(
      udat_open(UDAT_PATTERN, UDAT_PATTERN, locale.c_str(), u"UTC", -1, abbreviated ? u"MMM" : u"MMMM", -1, &status));
  if (U_FAILURE(status)) return false;
  ucal_clear(calendar.get());
  ucal_set(calendar.get(), UCAL_EXTENDED_YEAR, year ? static_cast<int32_t>(year) : 1);
  ucal_set(calendar.get(), UCAL_MONTH, icuMonth);
  ucal_set(calendar.get(), UCAL_DATE, 1);
  const UDate moment = ucal_getMillis(calendar.get(), &status);
  UChar buffer[128];
  const int32_t length = udat_format(format.get(), moment, buffer, 128, nullptr, &status);
  if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING) return false;
  name.assign(buffer, static_cast<size_t>(length));
  return true;
}

int PutMonthName(const TCalendarKind& kind, int month, bool abbreviated, const DWORD* year, LPWSTR buffer,
                 int capacity) {
  if (!kind.IcuCalendar) {
    if (month == MonthItems) return nls::PutText(u"", buffer, capacity);
    return GetLocaleInfoW(LOCALE_USER_DEFAULT, (abbreviated ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + month - 1,
                          buffer, capacity);
  }
  Text name;
  if (!IcuMonthName(kind, year ? *year : 0, month, abbreviated, name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return nls::PutText(name, buffer, capacity);
}

}  // namespace

int GetCalendarInfoW(LCID Locale, CALID Calendar, CALTYPE CalType, LPWSTR lpCalData, int cchData, DWORD* lpValue) {
  const TCalendarKind* calendar = FindCalendar(Calendar);
  if (!calendar) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const CALTYPE type = CalType & ~ItemFlags;
  if (type == CAL_ICALINTVALUE || type == CAL_ITWODIGITYEARMAX) {
    const DWORD number = type == CAL_ICALINTVALUE ? calendar->Id : calendar->TwoDigitYearMax;
    if (!(CalType & CAL_RETURN_NUMBER)) return nls::PutText(Decimal(number), lpCalData, cchData);
    if (!lpValue) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    *lpValue = number;
    return NumberSize;
  }

  LCTYPE localeItem = 0;
  if (type == CAL_SSHORTDATE)
    localeItem = LOCALE_SSHORTDATE;
  else if (type == CAL_SLONGDATE)
    localeItem = LOCALE_SLONGDATE;
  else if (type >= CAL_SDAYNAME1 && type < CAL_SDAYNAME1 + 7)
    localeItem = LOCALE_SDAYNAME1 + (type - CAL_SDAYNAME1);
  else if (type >= CAL_SABBREVDAYNAME1 && type < CAL_SABBREVDAYNAME1 + 7)
    localeItem = LOCALE_SABBREVDAYNAME1 + (type - CAL_SABBREVDAYNAME1);
  const bool monthName = type >= CAL_SMONTHNAME1 && type < CAL_SMONTHNAME1 + MonthItems;
  const bool abbreviatedMonthName = type >= CAL_SABBREVMONTHNAME1 && type < CAL_SABBREVMONTHNAME1 + MonthItems;
  if ((!localeItem && !monthName && !abbreviatedMonthName && type != CAL_SCALNAME) || (CalType & CAL_RETURN_NUMBER)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  if (type == CAL_SCALNAME) return nls::PutText(calendar->Name, lpCalData, cchData);
  if (localeItem) return GetLocaleInfoW(LOCALE_USER_DEFAULT, localeItem, lpCalData, cchData);
  const int month = static_cast<int>(type - (monthName ? CAL_SMONTHNAME1 : CAL_SABBREVMONTHNAME1)) + 1;
  return PutMonthName(*calendar, month, abbreviatedMonthName, lpValue, lpCalData, cchData);
}

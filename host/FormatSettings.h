#pragma once
// The locale's number, currency and date conventions as the run-time's
// conversions read them.

#include <array>

#include "host/System.h"
#include "platform/Locale.h"

struct TFormatSettings {
  String CurrencyString;
  Byte CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte NegCurrFormat = 0;   // 0..15, the system's negative currency patterns
  Byte CurrencyDecimals = 2;
  Char ThousandSeparator = u',';
  Char DecimalSeparator = u'.';
  Char DateSeparator = u'/';
  Char TimeSeparator = u':';
  Char ListSeparator = u',';
  String ShortDateFormat;  // in the run-time's date format syntax
  String LongDateFormat;
  String TimeAMString;
  String TimePMString;
  String ShortTimeFormat;
  String LongTimeFormat;
  std::array<String, 12> ShortMonthNames;  // [0] = January
  std::array<String, 12> LongMonthNames;
  std::array<String, 7> ShortDayNames;  // [0] = Sunday
  std::array<String, 7> LongDayNames;
  Word TwoDigitYearCenturyWindow = 50;

  // Read from the locale's items.
  static TFormatSettings Create(LCID Locale = LOCALE_USER_DEFAULT);
};

// The process's settings, read from the user locale at start-up.
extern TFormatSettings FormatSettings;

// Reloads FormatSettings from the user locale.
void GetFormatSettings();

// A text item of the locale (without its terminating zero), or Default when
// the locale does not have it.
String GetLocaleStr(LCID Locale, LCTYPE LocaleType, const String& Default);
// The first character of a text item, or Default.
Char GetLocaleChar(LCID Locale, LCTYPE LocaleType, Char Default);

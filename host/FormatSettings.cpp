#include "host/FormatSettings.h"

#include "host/SysUtils.h"

TFormatSettings FormatSettings;

namespace {

Byte LocaleNumber(LCID locale, LCTYPE item, Byte fallback) {
  DWORD value = 0;
  if (GetLocaleInfoW(locale, item | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&value), 2) != 2) return fallback;
  return static_cast<Byte>(value);
}

// The locale writes its AM/PM marker as a run of t; the run-time's time
// formats name it AMPM.
String TranslateTimeFormat(const String& format) {
  String out;
  char16_t quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char16_t c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
      out.push_back(c);
    } else if (c == u'\'' || c == u'"') {
      quote = c;
      out.push_back(c);
    } else if (c == u't') {
      while (i + 1 < format.size() && format[i + 1] == u't') ++i;
      out += u"AMPM";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

TFormatSettings TFormatSettings::Create(LCID Locale) {
  TFormatSettings s;
  s.CurrencyString = GetLocaleStr(Locale, LOCALE_SCURRENCY, u"$");
  s.CurrencyFormat = LocaleNumber(Locale, LOCALE_ICURRENCY, 0);
  s.NegCurrFormat = LocaleNumber(Locale, LOCALE_INEGCURR, 0);
  s.CurrencyDecimals = LocaleNumber(Locale, LOCALE_ICURRDIGITS, 2);
  s.ThousandSeparator = GetLocaleChar(Locale, LOCALE_STHOUSAND, u',');
  s.DecimalSeparator = GetLocaleChar(Locale, LOCALE_SDECIMAL, u'.');
  s.DateSeparator = GetLocaleChar(Locale, LOCALE_SDATE, u'/');
  s.TimeSeparator = GetLocaleChar(Locale, LOCALE_STIME, u':');
  s.ListSeparator = GetLocaleChar(Locale, LOCALE_SLIST, u',');
  s.ShortDateFormat = GetLocaleStr(Locale, LOCALE_SSHORTDATE, u"M/d/yyyy");
  s.LongDateFormat = GetLocaleStr(Locale, LOCALE_SLONGDATE, u"dddd, MMMM d, yyyy");
  s.TimeAMString = GetLocaleStr(Locale, LOCALE_S1159, u"AM");
  s.TimePMString = GetLocaleStr(Locale, LOCALE_S2359, u"PM");
  s.ShortTimeFormat = TranslateTimeFormat(GetLocaleStr(Locale, LOCALE_SSHORTTIME, u"h:mm tt"));
  s.LongTimeFormat = TranslateTimeFormat(GetLocaleStr(Locale, LOCALE_STIMEFORMAT, u"h:mm:ss tt"));
  for (int i = 0; i < 12; ++i) {
    s.LongMonthNames[i] = GetLocaleStr(Locale, LOCALE_SMONTHNAME1 + i, u"");
    s.ShortMonthNames[i] = GetLocaleStr(Locale, LOCALE_SABBREVMONTHNAME1 + i, u"");
  }
  // The locale's day names start on Monday; the run-time's on Sunday.
  for (int i = 0; i < 7; ++i) {
    s.LongDayNames[i] = GetLocaleStr(Locale, LOCALE_SDAYNAME1 + (i + 6) % 7, u"");
    s.ShortDayNames[i] = GetLocaleStr(Locale, LOCALE_SABBREVDAYNAME1 + (i + 6) % 7, u"");
  }
  return s;
}

void GetFormatSettings() { FormatSettings = TFormatSettings::Create(GetThreadLocale()); }

String GetLocaleStr(LCID Locale, LCTYPE LocaleType, const String& Default) {
  const int size = GetLocaleInfoW(Locale, LocaleType, nullptr, 0);
  if (size <= 0) return Default;
  String text(static_cast<size_t>(size), u'\0');
  if (GetLocaleInfoW(Locale, LocaleType, text.data(), size) != size) return Default;
  text.resize(static_cast<size_t>(size - 1));
  return text;
}

Char GetLocaleChar(LCID Locale, LCTYPE LocaleType, Char Default) {
  const String text = GetLocaleStr(Locale, LocaleType, u"");
  return text.empty() ? Default : text[0];
}

#include "values/cxDateUtils.h"

namespace {

constexpr TDateTime MinDateOf = -700000;

// Month names come from the calendar information, the year riding along for
// the calendars whose months depend on it.
String CalendarMonthName(CALID ACalendar, Integer AYear, Cardinal AMonth) {
  const LCID locale = GetThreadLocale();
  const CALTYPE item = CAL_SMONTHNAME1 + AMonth - 1;
  DWORD year = AYear > 0 ? static_cast<DWORD>(AYear) : 0;
  const int size = cxGetCalendarInfo(locale, ACalendar, item, nullptr, 0, &year);
  if (size <= 0) return {};
  String name(static_cast<size_t>(size), u'\0');
  if (cxGetCalendarInfo(locale, ACalendar, item, name.data(), size, &year) != size) return {};
  name.pop_back();
  return name;
}

// Where the first week of AYear starts.
TDateTime FirstWeekStart(Word AYear, TDay AStartOfWeek, TcxFirstWeekOfYear ARule) {
  const int daysIn = ARule == fwyFirstFullWeek ? 6 : ARule == fwyFirstFourDays ? 3 : 0;
  return dxGetStartDateOfWeek(EncodeDate(AYear, 1, 1) + daysIn, AStartOfWeek);
}

}  // namespace

String cxGetLocalMonthName(TDateTime ADate, const TcxCustomCalendarTable* ACalendar) {
  if (!ACalendar) ACalendar = cxGetLocalCalendar();
  const TcxDateTime date = ACalendar->FromDateTime(ADate);
  return cxGetLocalMonthName(date.Year, date.Month, ACalendar);
}

String cxGetLocalMonthName(Integer AYear, Cardinal AMonth, const TcxCustomCalendarTable* ACalendar) {
  if (!ACalendar) ACalendar = cxGetLocalCalendar();
  if (AMonth < 1 || AMonth > 13) return {};
  return CalendarMonthName(ACalendar->GetCalendarID(), AYear, AMonth);
}

TcxFirstWeekOfYear dxGetLocalFirstWeekOfYear() {
  DWORD rule = 0;
  GetLocaleInfoW(GetThreadLocale(), LOCALE_IFIRSTWEEKOFYEAR | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&rule),
                 sizeof rule / sizeof(WCHAR));
  return rule <= 2 ? static_cast<TcxFirstWeekOfYear>(rule + 1) : fwyJan1;
}

TDateTime dxDateOf(TDateTime ADate) { return ADate <= MinDateOf ? MinDateOf : DateOf(ADate); }

TDay dxDayOfWeek(TDateTime ADate) {
  const Word day = DayOfWeek(ADate);
  return static_cast<TDay>(day ? day - 1 : 0);
}

Integer dxDayOfWeekOffset(TDateTime ADate, TDay AStartOfWeek) {
  return (dxDayOfWeek(ADate) - AStartOfWeek + 7) % 7;
}

TDateTime dxGetStartDateOfWeek(TDateTime ADate, TDay AStartOfWeek) {
  return dxDateOf(ADate) - dxDayOfWeekOffset(ADate, AStartOfWeek);
}

Integer dxGetWeekNumber(TDateTime ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear) {
  const TcxFirstWeekOfYear rule = AFirstWeekOfYear == fwySystem ? dxGetLocalFirstWeekOfYear() : AFirstWeekOfYear;
  Word year, month, day;
  DecodeDate(ADate, year, month, day);
  if (year == 0) return 0;  // not a date of the host
  const TDateTime date = dxDateOf(ADate);
  if (month == 12 && year < 9999 && date >= FirstWeekStart(year + 1, AStartOfWeek, rule)) return 1;
  TDateTime start = FirstWeekStart(year, AStartOfWeek, rule);
  if (month == 1 && date < start && year > 1) start = FirstWeekStart(year - 1, AStartOfWeek, rule);
  return static_cast<Integer>(date - start) / 7 + 1;
}

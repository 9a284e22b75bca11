#include "values/cxDateUtils.h"

#include "controls/dxCore.h"
#include "host/SysUtils.h"

namespace {

constexpr TDateTime MinDateOf = -700000;

DWORD LocaleNumber(LCTYPE AItem, DWORD ADefault) {
  DWORD value = ADefault;
  GetLocaleInfoW(GetThreadLocale(), AItem | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&value),
                 sizeof value / sizeof(WCHAR));
  return value;
}

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

// --- Dates as text by a format ---------------------------------------------------

Char LowerAscii(Char C) { return C >= u'A' && C <= u'Z' ? static_cast<Char>(C + (u'a' - u'A')) : C; }

bool IsDatePartLetter(Char C) {
  const Char lower = LowerAscii(C);
  return lower == u'd' || lower == u'm' || lower == u'y';
}

// One day, month or year part for a run of ACount letters.
String DatePart(Char ALetter, size_t ACount, Word AYear, Word AMonth, Word ADay, TDateTime ADate) {
  switch (LowerAscii(ALetter)) {
    case u'd':
      if (ACount <= 2) return UIntToDigits(ADay, 10, static_cast<Integer>(ACount));
      return ACount == 3 ? FormatSettings.ShortDayNames[DayOfWeek(ADate) - 1]
                         : FormatSettings.LongDayNames[DayOfWeek(ADate) - 1];
    case u'm':
      if (ACount <= 2) return UIntToDigits(AMonth, 10, static_cast<Integer>(ACount));
      return ACount == 3 ? FormatSettings.ShortMonthNames[AMonth - 1] : FormatSettings.LongMonthNames[AMonth - 1];
    default:
      return ACount == 2 ? UIntToDigits(AYear % 100, 10, 2) : UIntToDigits(AYear, 10, 4);
  }
}

// --- Smart input --------------------------------------------------------------------

// In the order the masks offer them.
constexpr struct {
  const char16_t* Name;
  const char16_t* Value;
} DateWordStrings[] = {
    {cxSDateToday, u"today"},   {cxSDateYesterday, u"yesterday"}, {cxSDateTomorrow, u"tomorrow"},
    {cxSDateSunday, u"Sunday"}, {cxSDateMonday, u"Monday"},       {cxSDateTuesday, u"Tuesday"},
    {cxSDateWednesday, u"Wednesday"}, {cxSDateThursday, u"Thursday"}, {cxSDateFriday, u"Friday"},
    {cxSDateSaturday, u"Saturday"}, {cxSDateFirst, u"first"},     {cxSDateSecond, u"second"},
    {cxSDateThird, u"third"},   {cxSDateFourth, u"fourth"},       {cxSDateFifth, u"fifth"},
    {cxSDateSixth, u"sixth"},   {cxSDateSeventh, u"seventh"},     {cxSDateBOM, u"bom"},
    {cxSDateEOM, u"eom"},       {cxSDateNow, u"now"},
};

void AddDateWords(TdxProductResourceStrings* AProduct) {
  for (const auto& word : DateWordStrings) AProduct->Add(word.Name, word.Value);
}

// Registering again hands back the product already there.
TdxProductResourceStrings* DateWords() {
  return dxResourceStringsRepository()->RegisterProduct(cxSDateProduct, &AddDateWords);
}

// --- Start of week ------------------------------------------------------------------

struct TStartOfWeek {
  TDay Day = dSunday;
  bool Assigned = false;
};

TStartOfWeek& StartOfWeek() {
  static TStartOfWeek value;
  return value;
}

// Where the first week of AYear starts.
TDateTime FirstWeekStart(Word AYear, TDay AStartOfWeek, TcxFirstWeekOfYear ARule) {
  const int daysIn = ARule == fwyFirstFullWeek ? 6 : ARule == fwyFirstFourDays ? 3 : 0;
  return dxGetStartDateOfWeek(EncodeDate(AYear, 1, 1) + daysIn, AStartOfWeek);
}

Integer WrapDay(Integer ADay) { return (ADay % 7 + 7) % 7; }

}  // namespace

// --- Locale queries -----------------------------------------------------------------

TFormatSettings cxGetLocalFormatSettings() { return TFormatSettings::Create(GetThreadLocale()); }

Char cxGetLocalDateSeparator() { return GetLocaleChar(GetThreadLocale(), LOCALE_SDATE, u'/'); }

Char cxGetLocalTimeSeparator() { return GetLocaleChar(GetThreadLocale(), LOCALE_STIME, u':'); }

String cxGetLocalShortDateFormat() { return GetLocaleStr(GetThreadLocale(), LOCALE_SSHORTDATE, u"M/d/yyyy"); }

String cxGetLocalLongDateFormat() { return GetLocaleStr(GetThreadLocale(), LOCALE_SLONGDATE, u"dddd, MMMM d, yyyy"); }

String cxGetLocalLongTimeFormat() { return GetLocaleStr(GetThreadLocale(), LOCALE_STIMEFORMAT, u"h:mm:ss tt"); }

String cxGetLocalTimeAMString() { return GetLocaleStr(GetThreadLocale(), LOCALE_S1159, u"AM"); }

String cxGetLocalTimePMString() { return GetLocaleStr(GetThreadLocale(), LOCALE_S2359, u"PM"); }

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

String cxGetDateFormat(TDateTime ADate, const String& AFormat, DWORD AFlags) {
  SYSTEMTIME date{};
  DateTimeToSystemTime(ADate, date);
  const LPCWSTR picture = AFormat.empty() ? nullptr : AFormat.c_str();
  const DWORD flags = picture ? 0 : AFlags;
  const int size = GetDateFormatW(GetThreadLocale(), flags, &date, picture, nullptr, 0);
  if (size <= 0) return {};
  String text(static_cast<size_t>(size), u'\0');
  if (GetDateFormatW(GetThreadLocale(), flags, &date, picture, text.data(), size) != size) return {};
  text.pop_back();
  return text;
}

// --- Dates as text by a format ---------------------------------------------------

String cxDateToStrByFormat(TDateTime ADate, const String& AFormat, Char ADateSeparator) {
  Word year, month, day;
  DecodeDate(ADate, year, month, day);
  Char separator = ADateSeparator;
  String result;
  bool hadPart = false;
  bool separated = false;  // unquoted text since the last part
  size_t i = 0;
  while (i < AFormat.size()) {
    const Char c = AFormat[i];
    if (c == u'\'' || c == u'"') {
      const size_t end = std::min(AFormat.find(c, i + 1), AFormat.size());
      result.append(AFormat, i + 1, end - i - 1);
      separated = false;
      i = std::min(end + 1, AFormat.size());
    } else if (IsDatePartLetter(c)) {
      size_t run = 1;
      while (i + run < AFormat.size() && LowerAscii(AFormat[i + run]) == LowerAscii(c)) ++run;
      if (separated && separator) result += separator;
      result += DatePart(c, run, year, month, day, ADate);
      hadPart = true;
      separated = false;
      i += run;
    } else {
      if (hadPart) {
        if (!separator) separator = c;
        separated = true;
      }
      ++i;
    }
  }
  return result;
}

// --- Smart input --------------------------------------------------------------------

String cxRegExprQuotedText(const String& AText) {
  String result = u"'";
  for (Char c : AText) {
    result += c;
    if (c == u'\'') result += c;
  }
  return result + u"'";
}

void AddDateRegExprMaskSmartInput(String& AMask, bool ADateTime) {
  const TdxProductResourceStrings* words = DateWords();
  String alternatives;
  for (Integer i = 0; i < words->GetCount(); ++i) {
    const String& word = words->GetValues(i);
    // An empty word would stand for a quote in the mask.
    if (word.empty() || (!ADateTime && words->GetNames(i) == cxSDateNow)) continue;
    if (!alternatives.empty()) alternatives += u'|';
    alternatives += cxRegExprQuotedText(word);
  }
  AMask = u"(" + AMask + u")|(" + alternatives + u")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

// --- Weeks --------------------------------------------------------------------------

TDay dxGetLocalStartOfWeek() { return dxDayOfWeekFromSystem(static_cast<Integer>(LocaleNumber(LOCALE_IFIRSTDAYOFWEEK, 6))); }

TcxFirstWeekOfYear dxGetLocalFirstWeekOfYear() {
  const DWORD rule = LocaleNumber(LOCALE_IFIRSTWEEKOFYEAR, 0);
  return rule <= 2 ? static_cast<TcxFirstWeekOfYear>(rule + 1) : fwyJan1;
}

TDay dxGetStartOfWeek() { return StartOfWeek().Assigned ? StartOfWeek().Day : dxGetLocalStartOfWeek(); }

void dxSetStartOfWeek(TDay AValue) { StartOfWeek() = {AValue, true}; }

void dxResetAssignedStartOfWeek() { StartOfWeek().Assigned = false; }

bool dxGetAssignedStartOfWeek() { return StartOfWeek().Assigned; }

TDay dxDayOfWeekFromVCL(Integer ADayOfWeek) { return static_cast<TDay>(WrapDay(ADayOfWeek - 1)); }

TDay dxDayOfWeekFromSystem(Integer ADayOfWeek) { return static_cast<TDay>(WrapDay(ADayOfWeek + 1)); }

TDateTime dxDateOf(TDateTime ADate) { return ADate <= MinDateOf ? MinDateOf : DateOf(ADate); }

TDay dxDayOfWeek(TDateTime ADate) { return dxDayOfWeekFromVCL(DayOfWeek(ADate)); }

Integer dxDayOfWeekOffset(TDateTime ADate, TDay AStartOfWeek) { return WrapDay(dxDayOfWeek(ADate) - AStartOfWeek); }

Integer dxDayOfWeekOffset(TDateTime ADate) { return dxDayOfWeekOffset(ADate, dxGetStartOfWeek()); }

TDateTime dxGetStartDateOfWeek(TDateTime ADate, TDay AStartOfWeek) {
  return dxDateOf(ADate) - dxDayOfWeekOffset(ADate, AStartOfWeek);
}

TDateTime dxGetStartDateOfWeek(TDateTime ADate) { return dxGetStartDateOfWeek(ADate, dxGetStartOfWeek()); }

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

namespace {
void InitializeDateUtils() { DateWords(); }
void FinalizeDateUtils() { dxResourceStringsRepository()->UnRegisterProduct(cxSDateProduct); }
}  // namespace

void RegisterDateUtilsUnit() {
  RegisterSuiteUnit<&InitializeDateUtils, &FinalizeDateUtils>("cxDateUtils", {"dxCalendarUtils"});
}

#include "host/DateUtils.h"

#include <cmath>

#include "host/Exceptions.h"
#include "host/SysUtils.h"
#include "platform/Kernel.h"

namespace {

constexpr char16_t SDateEncodeError[] = u"Invalid argument to date encode";
constexpr char16_t STimeEncodeError[] = u"Invalid argument to time encode";
constexpr char16_t SInvalidDate[] = u"'%s' is not a valid date";

constexpr Int64 MSecsPerDay = 86400000;
constexpr Int64 FirstDay = 1 - DateDelta;  // 0001-01-01
constexpr Int64 LastDay = 2958465;         // 9999-12-31
// Nested formats (c, ddddd, t, ...) may name each other; this stops a format
// that contains itself.
constexpr int MaxFormatNesting = 3;

constexpr Word DaysInMonth(bool leap, Word month) {
  constexpr Word days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leap ? 29 : days[month - 1];
}

// Whole days and the rounded milliseconds of the day. Rounding up to a full
// day moves on to the next calendar day, whichever the sign of the value.
bool SplitDateTime(TDateTime value, Int64& day, Int64& msec) {
  if (!std::isfinite(value) || std::fabs(value) > 1e10) return false;
  const double whole = std::trunc(value);
  day = static_cast<Int64>(whole);
  msec = std::llround(std::fabs(value - whole) * static_cast<double>(MSecsPerDay));
  if (msec >= MSecsPerDay) {
    msec = 0;
    ++day;
  }
  return true;
}

// Year, month and day of a day count within 0001-01-01 .. 9999-12-31.
void DayToDate(Int64 day, Word& year, Word& month, Word& dayOfMonth) {
  // Days since 0001-01-01, taken apart by 400-, 100-, 4- and 1-year cycles;
  // the leap day closes each cycle, hence the clamps at the last day.
  Int64 n = day + DateDelta - 1;
  const Int64 c400 = n / 146097;
  n %= 146097;
  Int64 c100 = n / 36524;
  if (c100 == 4) c100 = 3;
  n -= c100 * 36524;
  const Int64 c4 = n / 1461;
  n %= 1461;
  Int64 c1 = n / 365;
  if (c1 == 4) c1 = 3;
  n -= c1 * 365;
  year = static_cast<Word>(c400 * 400 + c100 * 100 + c4 * 4 + c1 + 1);
  const bool leap = IsLeapYear(year);
  month = 1;
  while (n >= DaysInMonth(leap, month)) n -= DaysInMonth(leap, month++);
  dayOfMonth = static_cast<Word>(n + 1);
}

// 1 = Sunday .. 7 = Saturday; day 0 is a Saturday.
Word WeekDayOf(Int64 day) { return static_cast<Word>(((day % 7) + 13) % 7 + 1); }

// A negative date counts back from the origin, but its time still runs
// forward from that day's midnight.
TDateTime ComposeDateTime(TDateTime date, TDateTime time) { return date >= 0 ? date + time : date - time; }

constexpr Char LowerAscii(Char c) { return c >= u'A' && c <= u'Z' ? static_cast<Char>(c + 32) : c; }

bool StartsWithText(std::u16string_view s, size_t at, std::u16string_view prefix) {
  if (s.size() - at < prefix.size()) return false;
  for (size_t k = 0; k < prefix.size(); ++k)
    if (LowerAscii(s[at + k]) != prefix[k]) return false;
  return true;
}

size_t SkipQuoted(std::u16string_view fmt, size_t at) {
  const size_t close = fmt.find(fmt[at], at + 1);
  return close == std::u16string_view::npos ? fmt.size() : close + 1;
}

// Any am/pm kind of specifier from `at` on makes the hours 12-hour ones.
bool HasAmPmFrom(std::u16string_view fmt, size_t at) {
  while (at < fmt.size()) {
    const Char c = fmt[at];
    if (c == u'\'' || c == u'"') {
      at = SkipQuoted(fmt, at);
      continue;
    }
    if (StartsWithText(fmt, at, u"am/pm") || StartsWithText(fmt, at, u"a/p") || StartsWithText(fmt, at, u"ampm"))
      return true;
    ++at;
  }
  return false;
}

String Padded(Integer value, Integer digits) { return UIntToDigits(static_cast<UInt64>(value), 10, digits); }

template <size_t N>
const String& NameAt(const std::array<String, N>& names, Integer oneBased) {
  static const String none;
  return oneBased >= 1 && static_cast<size_t>(oneBased) <= N ? names[static_cast<size_t>(oneBased - 1)] : none;
}

class TDateFormatter {
 public:
  TDateFormatter(TDateTime value, const TFormatSettings& settings) : FSettings(settings) {
    Int64 day = 0, msec = 0;
    if (!SplitDateTime(value, day, msec)) return;
    if (day >= FirstDay && day <= LastDay) {
      DayToDate(day, FYear, FMonth, FDay);
      FDayOfWeek = WeekDayOf(day);
    }
    FHour = static_cast<Word>(msec / 3600000);
    FMin = static_cast<Word>(msec / 60000 % 60);
    FSec = static_cast<Word>(msec / 1000 % 60);
    FMSec = static_cast<Word>(msec % 1000);
  }

  void Append(std::u16string_view fmt, int depth);
  String Result;

 private:
  bool IsMidnight() const { return FHour == 0 && FMin == 0 && FSec == 0 && FMSec == 0; }
  void Nested(std::u16string_view fmt, int depth) {
    if (depth < MaxFormatNesting) Append(fmt, depth + 1);
  }
  void Number(Integer value, bool padded, Integer digits = 2) { Result += Padded(value, padded ? digits : 0); }

  const TFormatSettings& FSettings;
  Word FYear = 0, FMonth = 0, FDay = 0, FDayOfWeek = 0;
  Word FHour = 0, FMin = 0, FSec = 0, FMSec = 0;
};

void TDateFormatter::Append(std::u16string_view fmt, int depth) {
  // An m or mm right after an hour, with only literal text between, is minutes.
  bool afterHour = false;
  size_t i = 0;
  while (i < fmt.size()) {
    const Char c = fmt[i];
    const Char lc = LowerAscii(c);
    if (c == u'\'' || c == u'"') {
      // An unclosed quote runs to the end of the format.
      const size_t close = fmt.find(c, i + 1);
      const size_t end = close == std::u16string_view::npos ? fmt.size() : close;
      Result.append(fmt.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    if (c == u'/') {
      Result += FSettings.DateSeparator;
      ++i;
      continue;
    }
    if (c == u':') {
      Result += FSettings.TimeSeparator;
      ++i;
      continue;
    }
    if (lc == u'a') {
      if (StartsWithText(fmt, i, u"am/pm")) {
        Result.append(fmt.substr(FHour < 12 ? i : i + 3, 2));
        i += 5;
      } else if (StartsWithText(fmt, i, u"a/p")) {
        Result += fmt[FHour < 12 ? i : i + 2];
        i += 3;
      } else if (StartsWithText(fmt, i, u"ampm")) {
        Result += FHour < 12 ? FSettings.TimeAMString : FSettings.TimePMString;
        i += 4;
      } else {
        Result += c;
        ++i;
        continue;
      }
      afterHour = false;
      continue;
    }
    if (std::u16string_view(u"cdemyhnszt").find(lc) == std::u16string_view::npos) {
      Result += c;
      ++i;
      continue;
    }
    size_t n = 1;
    if (lc != u'c')
      while (i + n < fmt.size() && LowerAscii(fmt[i + n]) == lc) ++n;
    const size_t next = i + n;
    bool hour = false;
    switch (lc) {
      case u'c':
        Nested(FSettings.ShortDateFormat, depth);
        if (!IsMidnight()) {
          Result += u' ';
          Nested(FSettings.LongTimeFormat, depth);
        }
        break;
      case u'd':
        if (n <= 2) Number(FDay, n == 2);
        else if (n == 3) Result += NameAt(FSettings.ShortDayNames, FDayOfWeek);
        else if (n == 4) Result += NameAt(FSettings.LongDayNames, FDayOfWeek);
        else if (n == 5) Nested(FSettings.ShortDateFormat, depth);
        else Nested(FSettings.LongDateFormat, depth);
        break;
      case u'e':
        Number(n == 1 ? FYear : FYear % 100, n > 1);
        break;
      case u'm':
        if (afterHour && n <= 2) Number(FMin, n == 2);
        else if (n <= 2) Number(FMonth, n == 2);
        else if (n == 3) Result += NameAt(FSettings.ShortMonthNames, FMonth);
        else Result += NameAt(FSettings.LongMonthNames, FMonth);
        break;
      case u'y':
        if (n == 2) Number(FYear % 100, true);
        else Number(FYear, true, 4);
        break;
      case u'h': {
        Word h = FHour;
        if (HasAmPmFrom(fmt, next)) {
          h %= 12;
          if (h == 0) h = 12;
        }
        Number(h, n > 1);
        hour = true;
        break;
      }
      case u'n':
        Number(FMin, n > 1);
        break;
      case u's':
        Number(FSec, n > 1);
        break;
      case u'z':
        Number(FMSec, n >= 3, 3);
        break;
      case u't':
        Nested(n == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, depth);
        break;
    }
    afterHour = hour;
    i = next;
  }
}

enum class TDateOrder { MDY, DMY, YMD };

TDateOrder DateOrderOf(std::u16string_view fmt) {
  for (size_t i = 0; i < fmt.size();) {
    const Char c = fmt[i];
    if (c == u'\'' || c == u'"') {
      i = SkipQuoted(fmt, i);
      continue;
    }
    switch (LowerAscii(c)) {
      case u'y':
        return TDateOrder::YMD;
      case u'm':
        return TDateOrder::MDY;
      case u'd':
        return TDateOrder::DMY;
    }
    ++i;
  }
  return TDateOrder::MDY;
}

struct TDateNumber {
  Integer Value = 0;
  size_t Digits = 0;
};

// Digits only, no sign and no blanks; long runs are refused before they overflow.
bool ScanNumber(std::u16string_view s, size_t& at, TDateNumber& number) {
  number = {};
  while (at < s.size() && s[at] >= u'0' && s[at] <= u'9') {
    if (++number.Digits > 9) return false;
    number.Value = number.Value * 10 + (s[at++] - u'0');
  }
  return number.Digits > 0;
}

Integer CurrentYear() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wYear;
}

// A year of one or two digits lands in the hundred years that start
// TwoDigitYearCenturyWindow years before this one (this century for 0).
Integer ExpandYear(Integer year, Word window) {
  const Integer current = CurrentYear();
  if (window == 0) return current / 100 * 100 + year;
  const Integer threshold = current - window;
  year += threshold / 100 * 100;
  if (year < threshold) year += 100;
  return year;
}

}  // namespace

bool IsLeapYear(Word Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1) return false;
  const bool leap = IsLeapYear(Year);
  if (Day > DaysInMonth(leap, Month)) return false;
  Integer dayOfYear = Day;
  for (Word m = 1; m < Month; ++m) dayOfYear += DaysInMonth(leap, m);
  const Integer y = Year - 1;
  Date = static_cast<TDateTime>(y * 365 + y / 4 - y / 100 + y / 400 + dayOfYear - DateDelta);
  return true;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
  if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
  const Int64 msec = Hour * 3600000LL + Min * 60000LL + Sec * 1000LL + MSec;
  Time = static_cast<TDateTime>(msec) / static_cast<TDateTime>(MSecsPerDay);
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime result;
  if (!TryEncodeDate(Year, Month, Day, result)) throw EConvertError(SDateEncodeError);
  return result;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime result;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, result)) throw EConvertError(STimeEncodeError);
  return result;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
  Year = Month = Day = 0;
  Int64 day = 0, msec = 0;
  if (SplitDateTime(Date, day, msec) && day >= FirstDay && day <= LastDay) DayToDate(day, Year, Month, Day);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  Int64 day = 0, msec = 0;
  if (!SplitDateTime(Time, day, msec)) msec = 0;
  Hour = static_cast<Word>(msec / 3600000);
  Min = static_cast<Word>(msec / 60000 % 60);
  Sec = static_cast<Word>(msec / 1000 % 60);
  MSec = static_cast<Word>(msec % 1000);
}

Word DayOfWeek(TDateTime Date) {
  Int64 day = 0, msec = 0;
  return SplitDateTime(Date, day, msec) ? WeekDayOf(day) : 0;
}

TDateTime DateOf(TDateTime Value) { return std::trunc(Value); }

TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime) {
  return ComposeDateTime(EncodeDate(SystemTime.wYear, SystemTime.wMonth, SystemTime.wDay),
                         EncodeTime(SystemTime.wHour, SystemTime.wMinute, SystemTime.wSecond,
                                    SystemTime.wMilliseconds));
}

void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime) {
  DecodeDate(DateTime, SystemTime.wYear, SystemTime.wMonth, SystemTime.wDay);
  DecodeTime(DateTime, SystemTime.wHour, SystemTime.wMinute, SystemTime.wSecond, SystemTime.wMilliseconds);
  const Word dayOfWeek = DayOfWeek(DateTime);
  SystemTime.wDayOfWeek = dayOfWeek ? static_cast<Word>(dayOfWeek - 1) : 0;
}

TDateTime Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return SystemTimeToDateTime(now);
}

TDateTime Date() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return EncodeDate(now.wYear, now.wMonth, now.wDay);
}

TDateTime Time() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

String FormatDateTime(std::u16string_view Format, TDateTime DateTime, const TFormatSettings& Settings) {
  TDateFormatter formatter(DateTime, Settings);
  formatter.Append(Format, 0);
  return std::move(formatter.Result);
}

String DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings) {
  return FormatDateTime(u"c", DateTime, Settings);
}

String DateToStr(TDateTime Date, const TFormatSettings& Settings) { return FormatDateTime(u"ddddd", Date, Settings); }

String TimeToStr(TDateTime Time, const TFormatSettings& Settings) { return FormatDateTime(u"tt", Time, Settings); }

bool TryStrToDate(std::u16string_view S, TDateTime& Value, const TFormatSettings& Settings) {
  const String text = Trim(S);
  TDateNumber numbers[3];
  size_t count = 0;
  size_t at = 0;
  while (true) {
    if (count == 3 || !ScanNumber(text, at, numbers[count])) return false;
    ++count;
    if (at == text.size()) break;
    if (text[at] != Settings.DateSeparator) return false;
    ++at;
  }
  if (count < 2) return false;

  const TDateOrder order = DateOrderOf(Settings.ShortDateFormat);
  TDateNumber year{CurrentYear(), 4}, month, day;
  if (count == 2) {
    const bool dayFirst = order == TDateOrder::DMY;
    day = numbers[dayFirst ? 0 : 1];
    month = numbers[dayFirst ? 1 : 0];
  } else if (order == TDateOrder::MDY) {
    month = numbers[0], day = numbers[1], year = numbers[2];
  } else if (order == TDateOrder::DMY) {
    day = numbers[0], month = numbers[1], year = numbers[2];
  } else {
    year = numbers[0], month = numbers[1], day = numbers[2];
  }
  Integer y = year.Value;
  if (year.Digits <= 2) y = ExpandYear(y, Settings.TwoDigitYearCenturyWindow);
  if (y > 9999 || month.Value > 12 || day.Value > 31) return false;
  return TryEncodeDate(static_cast<Word>(y), static_cast<Word>(month.Value), static_cast<Word>(day.Value), Value);
}

TDateTime StrToDate(std::u16string_view S, const TFormatSettings& Settings) {
  TDateTime result;
  if (!TryStrToDate(S, result, Settings)) throw EConvertError(SInvalidDate, {S});
  return result;
}

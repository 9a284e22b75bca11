#include "values/dxCalendarUtils.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "controls/dxCore.h"
#include "host/SysUtils.h"
#include "platform/Modules.h"
#include "values/cxDateUtils.h"

const Integer cxHebrewTable[657][2] = {
#include "values/cxHebrewTable.inc"
};

const Integer cxHebrewLunarMonthLen[7][14] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {0, 30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {0, 30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
};

namespace {

// --- Date-time values --------------------------------------------------------
// A negative value's fraction still counts forward from its day's midnight,
// so days and times are taken apart and put together rather than added.

TDateTime TimeOfDay(TDateTime AValue) { return std::fabs(AValue - std::trunc(AValue)); }

TDateTime Compose(TDateTime ADay, TDateTime ATime) { return ADay >= 0 ? ADay + ATime : ADay - ATime; }

TDateTime ShiftDays(TDateTime AValue, Int64 ADays) {
  return Compose(DateOf(AValue) + static_cast<TDateTime>(ADays), TimeOfDay(AValue));
}

TDateTime TimeOf(const TcxDateTime& ADate) {
  return EncodeTime(ADate.Hours, ADate.Minutes, ADate.Seconds, ADate.Milliseconds);
}

void SetTimeOf(TcxDateTime& AResult, TDateTime AValue) {
  Word hours, minutes, seconds, milliseconds;
  DecodeTime(AValue, hours, minutes, seconds, milliseconds);
  AResult.Hours = static_cast<Byte>(hours);
  AResult.Minutes = static_cast<Byte>(minutes);
  AResult.Seconds = static_cast<Byte>(seconds);
  AResult.Milliseconds = milliseconds;
}

// The host's encoding, which raises EConvertError for a date that does not
// exist, numbers too large for it included.
TDateTime EncodeGregorianDate(Int64 AYear, Int64 AMonth, Int64 ADay) {
  auto word = [](Int64 value) { return value < 0 || value > 0xFFFF ? Word{0} : static_cast<Word>(value); };
  return EncodeDate(word(AYear), word(AMonth), word(ADay));
}

// 0001-01-01, the host's first date.
constexpr TDateTime FirstHostDate = 1 - DateDelta;

// Within the host's dates, whose days convert to integers.
bool IsInHostRange(TDateTime AValue) { return AValue >= FirstHostDate && AValue <= MaxDateTime; }

// Gregorian years from 1 to 9999.
constexpr Integer LastHostYear = 9999;

TcxEra* NewDefaultEra() { return new TcxEra(-1, -700000, 0, 1, 9999); }

// --- The live tables -----------------------------------------------------------

TObjectList*& LiveTables() {
  static TObjectList* tables = nullptr;
  return tables;
}

TcxCustomCalendarTable* TableOf(void* AItem) {
  return static_cast<TcxCustomCalendarTable*>(static_cast<TObject*>(AItem));
}

void FreeLiveTables() {
  // Detached first: tables freed with the list find no list to leave.
  TObjectList* tables = LiveTables();
  LiveTables() = nullptr;
  TObject::Free(tables);
}

}  // namespace

// --- Eras ------------------------------------------------------------------------

HOST_CLASS_INFO(TcxEra, TPersistent, nullptr)

TcxEra::TcxEra(Integer AEra, TDateTime AStartDate, Integer AYearOffset, Integer AMinEraYear, Integer AMaxEraYear)
    : FEra(AEra), FStartDate(AStartDate), FYearOffset(AYearOffset), FMinEraYear(AMinEraYear), FMaxEraYear(AMaxEraYear) {}

void TcxEra::Assign(TPersistent* Source) {
  if (auto* era = dynamic_cast<TcxEra*>(Source)) {
    FEra = era->FEra;
    FStartDate = era->FStartDate;
    FYearOffset = era->FYearOffset;
    FMinEraYear = era->FMinEraYear;
    FMaxEraYear = era->FMaxEraYear;
  } else {
    TPersistent::Assign(Source);
  }
}

HOST_CLASS_INFO(TcxEras, TObjectList, CreateDefault<TcxEras>)

// --- Common operations -------------------------------------------------------------

HOST_CLASS_INFO(TcxCustomCalendarTable, TObject, nullptr)

TcxCustomCalendarTable::TcxCustomCalendarTable() : FEras(new TcxEras) {
  if (!LiveTables()) LiveTables() = new TObjectList;
  LiveTables()->Add(this);
}

TcxCustomCalendarTable::~TcxCustomCalendarTable() {
  if (LiveTables()) LiveTables()->Extract(this);
}

void TcxCustomCalendarTable::AdjustYear(Integer& AYear, Integer& AEra) const { AdjustYear(AYear, AEra, 1, 1); }

void TcxCustomCalendarTable::AdjustYear(Integer& AYear, Integer& AEra, Cardinal AMonth, Cardinal ADay) const {
  YearToGregorianYear(AYear, AEra);
  const Integer gregorianYear = AYear;
  AEra = GetEra(gregorianYear, AMonth, ADay);
  // A date before every era counts in the default era, as FromDateTime
  // counts it; a Gregorian year left in its place would read as a year of
  // the default era.
  const TcxEra* era = AEra >= 0 ? FEras->GetItem(AEra) : GetDefaultEra();
  AYear = static_cast<Integer>(static_cast<Cardinal>(gregorianYear) - static_cast<Cardinal>(era->GetYearOffset()));
}

void TcxCustomCalendarTable::CheckDateTime(TDateTime& ADate) const {
  // Not a number is no date either: it clamps to the first.
  if (!(ADate >= GetMinSupportedDate()))
    ADate = GetMinSupportedDate();
  else if (ADate > GetMaxSupportedDate())
    ADate = GetMaxSupportedDate();
}

TDateTime TcxCustomCalendarTable::AddDays(const TcxDateTime& ADate, Integer ADays) const {
  TDateTime result = ShiftDays(ToDateTime(ADate), ADays);
  CheckDateTime(result);
  return result;
}

TDateTime TcxCustomCalendarTable::AddMonths(const TcxDateTime& ADate, Integer AMonths) const {
  TDateTime result;
  if (IsNotValid(ADate, result)) return result;
  const Integer era = ADate.Era;
  Int64 month = static_cast<Int64>(ADate.Month) + AMonths;
  Int64 year = ADate.Year;
  const bool forward = month > GetMonthsInYear(era, ADate.Year);
  // Eras shift a year by less than the supported years span: a year that
  // far outside them cannot come back.
  const Int64 span = static_cast<Int64>(GetMaxSupportedYear()) - GetMinSupportedYear() + 1;
  while (month < 1 || month > GetMonthsInYear(era, static_cast<Cardinal>(year))) {
    if (year < GetMinSupportedYear() - span || year > GetMaxSupportedYear() + span) return GetMinSupportedDate();
    if (forward) {
      month -= GetMonthsInYear(era, static_cast<Cardinal>(year));
      ++year;
    } else {
      month += GetMonthsInYear(era, static_cast<Cardinal>(year - 1));
      --year;
    }
  }
  TcxDateTime date = ADate;
  date.Year = static_cast<Integer>(year);
  date.Month = static_cast<Cardinal>(month);
  return ToDateTimeInMonth(date);
}

TDateTime TcxCustomCalendarTable::AddMonths(TDateTime ADate, Integer AMonths) const {
  return AddMonths(FromDateTime(ADate), AMonths);
}

TDateTime TcxCustomCalendarTable::AddYears(const TcxDateTime& ADate, Integer AYears) const {
  TDateTime result;
  if (IsNotValid(ADate, result)) return result;
  const Int64 year = static_cast<Int64>(ADate.Year) + AYears;
  if (year < std::numeric_limits<Integer>::min() || year > std::numeric_limits<Integer>::max())
    return GetMinSupportedDate();
  TcxDateTime date = ADate;
  date.Year = static_cast<Integer>(year);
  AdjustYear(date.Year, date.Era);
  if (!IsValidYear(date.Era, date.Year)) return GetMinSupportedDate();
  date.Month = std::min(date.Month, GetMonthsInYear(date.Era, date.Year));
  return ToDateTimeInMonth(date);
}

TDateTime TcxCustomCalendarTable::AddYears(TDateTime ADate, Integer AYears) const {
  return AddYears(FromDateTime(ADate), AYears);
}

TDateTime TcxCustomCalendarTable::AddWeeks(const TcxDateTime& ADate, Integer AWeeks) const {
  TDateTime result = ShiftDays(ToDateTime(ADate), 7 * static_cast<Int64>(AWeeks));
  CheckDateTime(result);
  return result;
}

TDateTime TcxCustomCalendarTable::AddWeeks(TDateTime ADate, Integer AWeeks) const {
  return AddWeeks(FromDateTime(ADate), AWeeks);
}

TcxDateTime TcxCustomCalendarTable::FromDateTime(Cardinal AYear, Cardinal AMonth, Cardinal ADay) const {
  return FromDateTime(EncodeGregorianDate(AYear, AMonth, ADay));
}

TcxDateTime TcxCustomCalendarTable::FromDateTime(Cardinal AYear, Cardinal AMonth, Cardinal ADay, Byte AHours,
                                                 Byte AMinutes, Byte ASeconds, Word AMilliseconds) const {
  return FromDateTime(
      Compose(EncodeGregorianDate(AYear, AMonth, ADay), EncodeTime(AHours, AMinutes, ASeconds, AMilliseconds)));
}

Cardinal TcxCustomCalendarTable::GetDayOfYear(const TcxDateTime& ADate) const {
  // The months of the date's own era: leap years fall apart between eras.
  Cardinal result = ADate.Day;
  for (Cardinal month = 1; month < ADate.Month; ++month) result += GetDaysInMonth(ADate.Era, ADate.Year, month);
  return result;
}

Cardinal TcxCustomCalendarTable::GetDayOfYear(TDateTime ADate) const { return GetDayOfYear(FromDateTime(ADate)); }

Cardinal TcxCustomCalendarTable::GetDaysInMonth(Cardinal AYear, Cardinal AMonth) const {
  return GetDaysInMonth(-1, AYear, AMonth);
}

Cardinal TcxCustomCalendarTable::GetDaysInYear(Cardinal AYear) const { return GetDaysInYear(-1, AYear); }

Integer TcxCustomCalendarTable::GetEra(Integer AYear) const { return GetEra(AYear, 1, 1); }

Integer TcxCustomCalendarTable::GetEra(Integer AYear, Cardinal AMonth, Cardinal ADay) const {
  if (FEras->GetCount() == 0 || AYear < 1) return -1;
  // Years past the host's dates come after every era's start.
  const TDateTime date = AYear > LastHostYear ? MaxDateTime : EncodeGregorianDate(AYear, AMonth, ADay);
  Integer result = -1;
  for (Integer i = 0; i < FEras->GetCount(); ++i)
    if (FEras->GetItem(i)->GetStartDate() <= date) result = i;
  return result;
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(TDateTime ADateTime) const {
  return GetFirstDayOfWeek(FromDateTime(ADateTime));
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(TDateTime ADateTime, TDay AStartDayOfWeek) const {
  const Integer weekDay = GetWeekDay(ADateTime);
  Integer offset = AStartDayOfWeek - weekDay;
  if (weekDay < AStartDayOfWeek) offset -= 7;
  return ShiftDays(ADateTime, offset);
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(const TcxDateTime& ADate) const {
  Integer offset = GetFirstWeekDay() - GetWeekDay(ADate);
  if (offset > 0) offset -= 7;
  return AddDays(ADate, offset);
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfWeek(const TcxDateTime& ADate, TDay AStartDayOfWeek) const {
  return GetFirstDayOfWeek(ToDateTime(ADate), AStartDayOfWeek);
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfMonth(const TcxDateTime& ADate) const {
  TcxDateTime result = ADate;
  result.Day = 1;
  return result;
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfMonth(TDateTime ADate) const {
  return ToDateTime(GetFirstDayOfMonth(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetFirstDayOfYear(const TcxDateTime& ADate) const {
  TcxDateTime result = ADate;
  result.Month = 1;
  result.Day = 1;
  return result;
}

TDateTime TcxCustomCalendarTable::GetFirstDayOfYear(TDateTime ADate) const {
  return ToDateTime(GetFirstDayOfYear(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetLastDayOfMonth(const TcxDateTime& ADate) const {
  TcxDateTime result = ADate;
  result.Day = GetDaysInMonth(ADate.Era, ADate.Year, ADate.Month);
  return result;
}

TDateTime TcxCustomCalendarTable::GetLastDayOfMonth(TDateTime ADate) const {
  return ToDateTime(GetLastDayOfMonth(FromDateTime(ADate)));
}

TcxDateTime TcxCustomCalendarTable::GetLastDayOfYear(const TcxDateTime& ADate) const {
  TcxDateTime result = ADate;
  result.Month = GetMonthsInYear(ADate.Era, ADate.Year);
  result.Day = GetDaysInMonth(ADate.Era, ADate.Year, result.Month);
  return result;
}

TDateTime TcxCustomCalendarTable::GetLastDayOfYear(TDateTime ADate) const {
  return ToDateTime(GetLastDayOfYear(FromDateTime(ADate)));
}

Cardinal TcxCustomCalendarTable::GetMonthsInYear(Cardinal AYear) const { return GetMonthsInYear(-1, AYear); }

Integer TcxCustomCalendarTable::GetYear(const TcxDate& ADate) const { return ADate.Year; }

Integer TcxCustomCalendarTable::GetYear(const TcxDateTime& ADate) const { return ADate.Year; }

Integer TcxCustomCalendarTable::GetYear(TDateTime ADate) const { return FromDateTime(ADate).Year; }

TDay TcxCustomCalendarTable::GetWeekDay(TDateTime ADateTime) const {
  const Word day = DayOfWeek(ADateTime);
  return static_cast<TDay>(day ? day - 1 : 0);
}

TDay TcxCustomCalendarTable::GetWeekDay(const TcxDateTime& ADate) const { return GetWeekDay(ToDateTime(ADate)); }

Cardinal TcxCustomCalendarTable::GetWeekNumber(TDateTime ADate, TDay AStartOfWeek,
                                               TcxFirstWeekOfYear AFirstWeekOfYear) const {
  return GetWeekNumber(FromDateTime(ADate), AStartOfWeek, AFirstWeekOfYear);
}

bool TcxCustomCalendarTable::IsLeapDay(Cardinal AYear, Cardinal AMonth, Cardinal ADay) const {
  return IsLeapDay(-1, AYear, AMonth, ADay);
}

bool TcxCustomCalendarTable::IsLeapMonth(Cardinal AYear, Cardinal AMonth) const { return IsLeapMonth(-1, AYear, AMonth); }

bool TcxCustomCalendarTable::IsLeapYear(Cardinal AYear) const { return IsLeapYear(-1, AYear); }

bool TcxCustomCalendarTable::IsValidYear(Cardinal AYear) const { return IsValidYear(-1, AYear); }

bool TcxCustomCalendarTable::IsValidYear(Integer AEra, Cardinal AYear) const {
  return static_cast<Int64>(AYear) >= GetMinSupportedYear() && static_cast<Int64>(AYear) <= GetMaxSupportedYear();
}

bool TcxCustomCalendarTable::IsValidMonth(Cardinal AYear, Cardinal AMonth) const {
  return IsValidMonth(-1, AYear, AMonth);
}

bool TcxCustomCalendarTable::IsValidMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const {
  return IsValidYear(AEra, AYear) && AMonth >= 1 && AMonth <= GetMonthsInYear(AEra, AYear);
}

bool TcxCustomCalendarTable::IsValidDay(Cardinal AYear, Cardinal AMonth, Cardinal ADay) const {
  return IsValidDay(-1, AYear, AMonth, ADay);
}

bool TcxCustomCalendarTable::IsValidDay(Integer AEra, Cardinal AYear, Cardinal AMonth, Cardinal ADay) const {
  return IsValidMonth(AEra, AYear, AMonth) && ADay >= 1 && ADay <= GetDaysInMonth(AEra, AYear, AMonth);
}

bool TcxCustomCalendarTable::IsValidDate(TDateTime ADate) const {
  const TcxDateTime date = FromDateTime(ADate);
  return IsValidDay(date.Era, date.Year, date.Month, date.Day);
}

TDateTime TcxCustomCalendarTable::ToDateTime(const TcxDate& ADate) const {
  TcxDateTime date;
  date.Era = ADate.Era;
  date.Year = ADate.Year;
  date.Month = ADate.Month;
  date.Day = ADate.Day;
  return ToDateTime(date);
}

TDateTime TcxCustomCalendarTable::ToDateTime(Cardinal AYear, Cardinal AMonth, Cardinal ADay) const {
  return ToDateTime(AYear, AMonth, ADay, 0, 0, 0, 0);
}

TDateTime TcxCustomCalendarTable::ToDateTime(Cardinal AYear, Cardinal AMonth, Cardinal ADay, Byte AHours,
                                             Byte AMinutes, Byte ASeconds, Word AMilliseconds) const {
  TcxDateTime date;
  date.Year = static_cast<Integer>(AYear);
  date.Month = AMonth;
  date.Day = ADay;
  date.Hours = AHours;
  date.Minutes = AMinutes;
  date.Seconds = ASeconds;
  date.Milliseconds = AMilliseconds;
  return ToDateTime(date);
}

Cardinal TcxCustomCalendarTable::GetDayNumber(const String& S) const { return static_cast<Cardinal>(StrToInt(S)); }

Cardinal TcxCustomCalendarTable::GetMonthNumber(Integer AYear, const String& S) const {
  for (Cardinal month = 1; month <= 12; ++month)
    if (AnsiSameText(S, FormatSettings.LongMonthNames[month - 1]) ||
        AnsiSameText(S, FormatSettings.ShortMonthNames[month - 1]))
      return month;
  return static_cast<Cardinal>(StrToInt(S));
}

Integer TcxCustomCalendarTable::GetYearNumber(const String& S) const {
  const Integer year = StrToInt(S);
  if (S.size() > 2) return year;
  DWORD maximum = 0;
  if (!cxGetCalendarInfo(GetThreadLocale(), GetCalendarID(), CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                         &maximum) ||
      maximum == 0)
    return year;
  const Integer century = static_cast<Integer>(maximum / 100) * 100;
  return year > static_cast<Integer>(maximum % 100) ? year + century - 100 : year + century;
}

void TcxCustomCalendarTable::YearToGregorianYear(Integer& AYear, Integer AEra) const {
  const TcxEra* era = nullptr;
  if (AEra == -1)
    era = GetDefaultEra();
  else if (AEra >= 0 && AEra < FEras->GetCount())
    era = FEras->GetItem(AEra);
  // Wraps as the 32-bit arithmetic it stands for; the year is checked later.
  if (era) AYear = static_cast<Integer>(static_cast<Cardinal>(AYear) + static_cast<Cardinal>(era->GetYearOffset()));
}

TDateTime TcxCustomCalendarTable::ToDateTimeInMonth(TcxDateTime ADate) const {
  ADate.Day = std::min(ADate.Day, GetDaysInMonth(ADate.Era, ADate.Year, ADate.Month));
  AdjustYear(ADate.Year, ADate.Era, ADate.Month, ADate.Day);
  TDateTime result = ToDateTime(ADate);
  CheckDateTime(result);
  return result;
}

bool TcxCustomCalendarTable::IsNotValid(const TcxDateTime& ADate, TDateTime& AResult) const {
  if (IsValidDay(ADate.Era, ADate.Year, ADate.Month, ADate.Day)) return false;
  AResult = GetMinSupportedDate();
  return true;
}

Cardinal TcxCustomCalendarTable::GetWeekNumberInCalendarYear(const TcxDateTime& ADate,
                                                             TcxFirstWeekOfYear AFirstWeekOfYear) const {
  const TcxFirstWeekOfYear rule = AFirstWeekOfYear == fwySystem ? dxGetLocalFirstWeekOfYear() : AFirstWeekOfYear;
  // Whole days only, so that every difference below counts days.
  TcxDateTime date;
  date.Era = ADate.Era;
  date.Year = ADate.Year;
  date.Month = ADate.Month;
  date.Day = ADate.Day;
  const TcxDateTime firstDay = GetFirstDayOfYear(date);
  const TDateTime yearStart = ToDateTime(firstDay);
  TDateTime weekStart = GetFirstDayOfWeek(firstDay);
  if ((rule == fwyFirstFullWeek && weekStart < yearStart) || (rule == fwyFirstFourDays && weekStart + 3 < yearStart))
    weekStart += 7;
  const Int64 days = static_cast<Int64>(ToDateTime(date) - weekStart);
  Int64 week = days / 7 + 1;
  if (date.Month == GetMonthsInYear(date.Era, date.Year)) {
    // The last days may open the next year's first week.
    const TDateTime ownWeekStart = GetFirstDayOfWeek(date);
    if ((rule == fwyJan1 && FromDateTime(ownWeekStart + 6).Month == 1) ||
        (rule == fwyFirstFourDays && FromDateTime(ownWeekStart + 3).Month == 1))
      week = 1;
  }
  return static_cast<Cardinal>(week);
}

// --- Gregorian ---------------------------------------------------------------------

HOST_CLASS_INFO(TcxGregorianCalendarTable, TcxCustomCalendarTable, CreateDefault<TcxGregorianCalendarTable>)

TcxGregorianCalendarTable::TcxGregorianCalendarTable() : FDefaultEra(NewDefaultEra()) {}

TDateTime TcxGregorianCalendarTable::GetMaxSupportedDate() const { return 2958465.99999; }

TDateTime TcxGregorianCalendarTable::GetMinSupportedDate() const { return -657434.0; }

Integer TcxGregorianCalendarTable::GetMaxSupportedYear() const { return 9999; }

Integer TcxGregorianCalendarTable::GetMinSupportedYear() const { return 100; }

TcxDateTime TcxGregorianCalendarTable::FromDateTime(TDateTime ADate) const {
  TcxDateTime result;
  Word year, month, day;
  DecodeDate(ADate, year, month, day);
  result.Year = year;
  result.Month = month;
  result.Day = day;
  SetTimeOf(result, ADate);
  return result;
}

Cardinal TcxGregorianCalendarTable::GetDaysInMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const {
  switch (AMonth) {
    case 2: return IsLeapYear(AEra, AYear) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    default: return 31;
  }
}

Cardinal TcxGregorianCalendarTable::GetDaysInYear(Integer AEra, Cardinal AYear) const {
  return IsLeapYear(AEra, AYear) ? 366 : 365;
}

Cardinal TcxGregorianCalendarTable::GetFullWeeksInYear(Cardinal AYear) const {
  const Integer offset = (GetWeekDay(ToDateTime(AYear, 1, 1)) - GetFirstWeekDay() + 7) % 7;
  return offset > 5 || (offset > 4 && IsLeapYear(AYear)) ? 53 : 52;
}

Cardinal TcxGregorianCalendarTable::GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                                                  TcxFirstWeekOfYear AFirstWeekOfYear) const {
  return static_cast<Cardinal>(dxGetWeekNumber(ToDateTime(ADate), AStartOfWeek, AFirstWeekOfYear));
}

bool TcxGregorianCalendarTable::IsLeapDay(Integer AEra, Cardinal AYear, Cardinal AMonth, Cardinal ADay) const {
  return IsLeapMonth(AEra, AYear, AMonth) && ADay == 29;
}

bool TcxGregorianCalendarTable::IsLeapMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const {
  return IsLeapYear(AEra, AYear) && AMonth == 2;
}

bool TcxGregorianCalendarTable::IsLeapYear(Integer AEra, Cardinal AYear) const {
  Integer year = static_cast<Integer>(AYear);
  YearToGregorianYear(year, AEra);
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

TDateTime TcxGregorianCalendarTable::ToDateTime(const TcxDateTime& ADateTime) const {
  TDateTime result;
  if (IsNotValid(ADateTime, result)) return result;
  Integer year = ADateTime.Year;
  YearToGregorianYear(year, ADateTime.Era);
  return Compose(EncodeGregorianDate(year, ADateTime.Month, ADateTime.Day), TimeOf(ADateTime));
}

HOST_CLASS_INFO(TcxGregorianUSEnglishCalendarTable, TcxGregorianCalendarTable,
                CreateDefault<TcxGregorianUSEnglishCalendarTable>)
HOST_CLASS_INFO(TcxGregorianMiddleEastFrenchCalendarTable, TcxGregorianCalendarTable,
                CreateDefault<TcxGregorianMiddleEastFrenchCalendarTable>)
HOST_CLASS_INFO(TcxGregorianArabicCalendarTable, TcxGregorianCalendarTable,
                CreateDefault<TcxGregorianArabicCalendarTable>)
HOST_CLASS_INFO(TcxGregorianTransliteratedEnglishCalendarTable, TcxGregorianCalendarTable,
                CreateDefault<TcxGregorianTransliteratedEnglishCalendarTable>)
HOST_CLASS_INFO(TcxGregorianTransliteratedFrenchCalendarTable, TcxGregorianCalendarTable,
                CreateDefault<TcxGregorianTransliteratedFrenchCalendarTable>)

// --- Japanese and the tables of one era ----------------------------------------

HOST_CLASS_INFO(TcxJapaneseCalendarTable, TcxGregorianCalendarTable, CreateDefault<TcxJapaneseCalendarTable>)

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable() {
  // The era begun 2019-05-01 closes the one before at its year 31.
  GetEras()->Add(new TcxEra(1, EncodeDate(1868, 9, 8), 1867, 1, 45));
  GetEras()->Add(new TcxEra(2, EncodeDate(1912, 7, 30), 1911, 1, 15));
  GetEras()->Add(new TcxEra(3, EncodeDate(1926, 12, 25), 1925, 1, 64));
  GetEras()->Add(new TcxEra(4, EncodeDate(1989, 1, 8), 1988, 1, 31));
  GetEras()->Add(new TcxEra(5, EncodeDate(2019, 5, 1), 2018, 1, 7981));
}

TcxEra* TcxJapaneseCalendarTable::GetDefaultEra() const { return GetEras()->GetItem(GetEras()->GetCount() - 1); }

TDateTime TcxJapaneseCalendarTable::GetMinSupportedDate() const { return GetEras()->GetItem(0)->GetStartDate(); }

Integer TcxJapaneseCalendarTable::GetMaxSupportedYear() const { return GetDefaultEra()->GetMaxEraYear(); }

Integer TcxJapaneseCalendarTable::GetMinSupportedYear() const { return GetDefaultEra()->GetMinEraYear(); }

TcxDateTime TcxJapaneseCalendarTable::FromDateTime(TDateTime ADate) const {
  TcxDateTime result = TcxGregorianCalendarTable::FromDateTime(ADate);
  const Integer gregorianYear = result.Year;
  result.Era = GetEra(gregorianYear, result.Month, result.Day);
  const TcxEra* era = result.Era >= 0 ? GetEras()->GetItem(result.Era) : GetDefaultEra();
  result.Year = gregorianYear - era->GetYearOffset();
  return result;
}

HOST_CLASS_INFO(TcxTaiwanCalendarTable, TcxJapaneseCalendarTable, CreateDefault<TcxTaiwanCalendarTable>)

TcxTaiwanCalendarTable::TcxTaiwanCalendarTable() : TcxJapaneseCalendarTable(TNoEras{}) {
  GetEras()->Add(new TcxEra(1, EncodeDate(1912, 1, 1), 1911, 1, 8088));
}

HOST_CLASS_INFO(TcxKoreanCalendarTable, TcxJapaneseCalendarTable, CreateDefault<TcxKoreanCalendarTable>)

TcxKoreanCalendarTable::TcxKoreanCalendarTable() : TcxJapaneseCalendarTable(TNoEras{}) {
  GetEras()->Add(new TcxEra(0, FirstHostDate, -2333, 2334, 12332));
}

HOST_CLASS_INFO(TcxThaiCalendarTable, TcxJapaneseCalendarTable, CreateDefault<TcxThaiCalendarTable>)

TcxThaiCalendarTable::TcxThaiCalendarTable() : TcxJapaneseCalendarTable(TNoEras{}) {
  GetEras()->Add(new TcxEra(0, FirstHostDate, -543, 544, 10542));
}

// --- Hijri ---------------------------------------------------------------------------

namespace {

// Bit n: year n of the 30-year cycle is a leap year.
constexpr Cardinal HijriLeapYears = 623158436;
constexpr Int64 HijriCycleDays = 30 * 354 + 11;
// Days from 0001-01-01 to the day before 1 Muharram 1.
constexpr Int64 HijriEpochDays = 227013;

bool IsHijriLeapYear(Int64 AYear) { return (HijriLeapYears >> (((AYear % 30) + 30) % 30)) & 1; }

// The leap years among the first ACount of a cycle.
Int64 HijriLeapYearsUpTo(Int64 ACount) {
  return ACount <= 0 ? 0 : std::popcount(HijriLeapYears & ((2u << ACount) - 1));
}

Int64 HijriDaysInYear(Int64 AYear) { return IsHijriLeapYear(AYear) ? 355 : 354; }

// Days from 0001-01-01 to the day before 1 Muharram of AYear.
Int64 HijriDaysBeforeYear(Int64 AYear) {
  const Int64 elapsed = AYear - 1;
  return elapsed * 354 + HijriEpochDays + (elapsed / 30) * 11 + HijriLeapYearsUpTo(elapsed % 30);
}

// Months of 30 and 29 days alternate; only the last can gain a day.
Int64 HijriDaysBeforeMonth(Int64 AMonth) { return (59 * (AMonth - 1) + 1) / 2; }

// The month a day of the year (1..355) falls in.
Int64 HijriMonthOfDay(Int64 ADayOfYear) { return std::min<Int64>(12, (2 * ADayOfYear + 57) / 59); }

}  // namespace

HOST_CLASS_INFO(TcxHijriCalendarTable, TcxCustomCalendarTable, CreateDefault<TcxHijriCalendarTable>)

TcxHijriCalendarTable::TcxHijriCalendarTable() : FDefaultEra(NewDefaultEra()) {}

TDateTime TcxHijriCalendarTable::GetMaxSupportedDate() const { return MaxDateTime; }

TDateTime TcxHijriCalendarTable::GetMinSupportedDate() const { return EncodeDate(622, 7, 18); }

TcxDateTime TcxHijriCalendarTable::FromDateTime(TDateTime ADate) const {
  TcxDateTime result;
  if (!IsInHostRange(ADate)) return result;
  SetTimeOf(result, ADate);
  const Int64 day = static_cast<Int64>(DateOf(ADate) - FirstHostDate) + 1;
  // An estimate from the mean year, set right by whole years.
  Int64 year = (day * 30 - 6810390) / 10631 + 1;
  Int64 dayOfYear = day - HijriDaysBeforeYear(year);
  while (dayOfYear < 1) dayOfYear += HijriDaysInYear(--year);
  while (dayOfYear > HijriDaysInYear(year)) dayOfYear -= HijriDaysInYear(year++);
  const Int64 month = HijriMonthOfDay(dayOfYear);
  result.Year = static_cast<Integer>(year);
  result.Month = static_cast<Cardinal>(month);
  result.Day = static_cast<Cardinal>(dayOfYear - HijriDaysBeforeMonth(month));
  return result;
}

Cardinal TcxHijriCalendarTable::GetDaysInMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const {
  if (IsLeapMonth(AEra, AYear, AMonth)) return 30;
  return AMonth % 2 == 0 ? 29 : 30;
}

Cardinal TcxHijriCalendarTable::GetDaysInYear(Integer AEra, Cardinal AYear) const {
  return static_cast<Cardinal>(HijriDaysInYear(AYear));
}

Cardinal TcxHijriCalendarTable::GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                                              TcxFirstWeekOfYear AFirstWeekOfYear) const {
  return GetWeekNumberInCalendarYear(ADate, AFirstWeekOfYear);
}

bool TcxHijriCalendarTable::IsLeapDay(Integer AEra, Cardinal AYear, Cardinal AMonth, Cardinal ADay) const {
  return IsLeapMonth(AEra, AYear, AMonth) && ADay == 30;
}

bool TcxHijriCalendarTable::IsLeapMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const {
  return IsLeapYear(AEra, AYear) && AMonth == 12;
}

bool TcxHijriCalendarTable::IsLeapYear(Integer AEra, Cardinal AYear) const { return IsHijriLeapYear(AYear); }

TDateTime TcxHijriCalendarTable::ToDateTime(const TcxDateTime& ADateTime) const {
  TDateTime result;
  if (IsNotValid(ADateTime, result)) return result;
  const Int64 days = HijriDaysBeforeYear(ADateTime.Year) + HijriDaysBeforeMonth(ADateTime.Month) + ADateTime.Day;
  return Compose(FirstHostDate + static_cast<TDateTime>(days - 1), TimeOf(ADateTime));
}

Cardinal TcxHijriCalendarTable::GetMonthNumber(Integer AYear, const String& S) const {
  for (Cardinal month = 1; month <= 12; ++month) {
    const String name = cxGetLocalMonthName(AYear, month, this);
    if (!name.empty() && AnsiSameText(S, name)) return month;
  }
  return TcxCustomCalendarTable::GetMonthNumber(AYear, S);
}

// --- Hebrew ----------------------------------------------------------------------------

namespace {

constexpr Integer HebrewFirstYear = 5343;
constexpr Integer HebrewLastYear = 5999;
// Hebrew year = Gregorian year of its January + 3760.
constexpr Integer HebrewYearOffset = 3760;
constexpr Integer HebrewLeapMonth = 7;

// The row of the table of the Hebrew year's January; nullptr outside it.
const Integer* HebrewRow(Cardinal AYear) {
  if (AYear < static_cast<Cardinal>(HebrewFirstYear) || AYear > static_cast<Cardinal>(HebrewLastYear)) return nullptr;
  return cxHebrewTable[AYear - HebrewFirstYear];
}

// The year type as stored, 4..6 for a leap year; 0 outside the table.
Integer StoredYearType(Cardinal AYear) {
  const Integer* row = HebrewRow(AYear);
  return row ? row[1] : 0;
}

struct TLunarMonthDay {
  Cardinal Month;
  Cardinal Day;
};

// The Hebrew month and day of 1 January, from its code in the table.
TLunarMonthDay GetLunarMonthDay(Integer ACode) {
  switch (ACode) {
    case 0: return {5, 1};
    case 31: return {5, 2};
    case 32: return {5, 3};
    case 30: return {3, 30};
    case 33: return {3, 29};
    default: return {4, static_cast<Cardinal>(ACode)};
  }
}

Int64 MonthLength(Integer AType, Cardinal AMonth) { return cxHebrewLunarMonthLen[AType][AMonth]; }

// Days from (AMonth0, ADay0) to (AMonth, ADay) of a year of type AType.
Int64 GetDayDifference(Integer AType, Cardinal AMonth0, Cardinal ADay0, Cardinal AMonth, Cardinal ADay) {
  if (AMonth == AMonth0) return static_cast<Int64>(ADay) - ADay0;
  if (AMonth > AMonth0) {
    Int64 days = MonthLength(AType, AMonth0) - ADay0 + ADay;
    for (Cardinal month = AMonth0 + 1; month < AMonth; ++month) days += MonthLength(AType, month);
    return days;
  }
  Int64 days = MonthLength(AType, AMonth) - ADay + ADay0;
  for (Cardinal month = AMonth + 1; month < AMonth0; ++month) days += MonthLength(AType, month);
  return -days;
}

Integer HebrewLetterValue(Char ACode) {
  // The codes 224..250 of the Hebrew code page, alef to tav.
  static constexpr Integer values[] = {1,  2,  3,  4,  5,  6,  7,  8,   9,   10,  0,   20,  30, 40,
                                       40, 50, 50, 60, 70, 0,  80, 80,  90,  100, 200, 300, 400};
  if (ACode >= 0x05D0 && ACode <= 0x05EA) ACode = static_cast<Char>(ACode - 0x05D0 + 224);
  return ACode >= 224 && ACode <= 250 ? values[ACode - 224] : 0;
}

}  // namespace

HOST_CLASS_INFO(TcxHebrewCalendarTable, TcxCustomCalendarTable, CreateDefault<TcxHebrewCalendarTable>)

TcxHebrewCalendarTable::TcxHebrewCalendarTable() : FDefaultEra(NewDefaultEra()) {}

TDateTime TcxHebrewCalendarTable::GetMaxSupportedDate() const {
  return EncodeDate(2239, 9, 29) + EncodeTime(23, 59, 59, 999);
}

TDateTime TcxHebrewCalendarTable::GetMinSupportedDate() const { return EncodeDate(1583, 1, 1); }

TcxDateTime TcxHebrewCalendarTable::FromDateTime(TDateTime ADate) const {
  TDateTime value = ADate;
  CheckDateTime(value);
  TcxDateTime result;
  SetTimeOf(result, value);
  Word gregorianYear, gregorianMonth, gregorianDay;
  DecodeDate(value, gregorianYear, gregorianMonth, gregorianDay);
  // From 1 Tishrei of the Hebrew year that holds January, month by month:
  // Day is the offset from the month's first day, counted in whole days.
  Cardinal year = gregorianYear + HebrewYearOffset;
  Cardinal month = 1;
  Int64 day = static_cast<Int64>(DateOf(value) - DateOf(ToDateTime(year, month, 1))) + 1;
  // A month outside the table has no length: the walk stops there.
  for (;;) {
    if (day < 1) {
      if (month == 1) {
        --year;
        month = GetMonthsInYear(year);
      } else {
        --month;
      }
      const Cardinal length = GetDaysInMonth(year, month);
      if (length == 0) break;
      day += length;
      continue;
    }
    const Cardinal length = GetDaysInMonth(year, month);
    if (day <= length || length == 0) break;
    day -= length;
    if (month == GetMonthsInYear(year)) {
      ++year;
      month = 1;
    } else {
      ++month;
    }
  }
  result.Year = static_cast<Integer>(year);
  result.Month = month;
  result.Day = static_cast<Cardinal>(day);
  return result;
}

Cardinal TcxHebrewCalendarTable::GetDaysInMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const {
  if (!IsValidMonth(AEra, AYear, AMonth)) return 0;
  return static_cast<Cardinal>(MonthLength(StoredYearType(AYear), AMonth));
}

Cardinal TcxHebrewCalendarTable::GetDaysInYear(Integer AEra, Cardinal AYear) const {
  if (!IsValidYear(AEra, AYear)) return 0;
  Cardinal days;
  switch (GetYearType(AYear)) {
    case 2: days = 354; break;
    case 3: days = 355; break;
    default: days = 353; break;
  }
  return IsLeapYear(AEra, AYear) ? days + 30 : days;
}

Cardinal TcxHebrewCalendarTable::GetFullWeeksInYear(Cardinal AYear) const { return GetDaysInYear(AYear) / 7; }

Cardinal TcxHebrewCalendarTable::GetMonthsInYear(Integer AEra, Cardinal AYear) const {
  return IsLeapYear(AEra, AYear) ? 13 : 12;
}

Cardinal TcxHebrewCalendarTable::GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                                               TcxFirstWeekOfYear AFirstWeekOfYear) const {
  return GetWeekNumberInCalendarYear(ADate, AFirstWeekOfYear);
}

bool TcxHebrewCalendarTable::IsLeapDay(Integer AEra, Cardinal AYear, Cardinal AMonth, Cardinal ADay) const {
  return IsValidDay(AEra, AYear, AMonth, ADay) && IsLeapMonth(AEra, AYear, AMonth);
}

bool TcxHebrewCalendarTable::IsLeapMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const {
  return IsValidMonth(AEra, AYear, AMonth) && IsLeapYear(AEra, AYear) && AMonth == HebrewLeapMonth;
}

bool TcxHebrewCalendarTable::IsLeapYear(Integer AEra, Cardinal AYear) const { return StoredYearType(AYear) > 3; }

TDateTime TcxHebrewCalendarTable::ToDateTime(const TcxDateTime& ADateTime) const {
  TDateTime result;
  if (IsNotValid(ADateTime, result)) return result;
  const Cardinal year = static_cast<Cardinal>(ADateTime.Year);
  const Integer* row = HebrewRow(year);
  const TLunarMonthDay january = GetLunarMonthDay(row[0]);
  TDateTime date = EncodeDate(static_cast<Word>(year - HebrewYearOffset), 1, 1);
  date += static_cast<TDateTime>(GetDayDifference(row[1], january.Month, january.Day, ADateTime.Month, ADateTime.Day));
  return Compose(date, TimeOf(ADateTime));
}

Cardinal TcxHebrewCalendarTable::GetDayNumber(const String& S) const {
  const Integer number = HebrewNumber(S);
  return number ? static_cast<Cardinal>(number) : TcxCustomCalendarTable::GetDayNumber(S);
}

Cardinal TcxHebrewCalendarTable::GetMonthNumber(Integer AYear, const String& S) const {
  const Integer number = HebrewNumber(S);
  if (number && IsValidMonth(static_cast<Cardinal>(AYear), static_cast<Cardinal>(number)))
    return static_cast<Cardinal>(number);
  for (Cardinal month = 1; month <= 13; ++month) {
    const String name = cxGetLocalMonthName(AYear, month, this);
    if (!name.empty() && AnsiSameText(S, name)) return month;
  }
  return TcxCustomCalendarTable::GetMonthNumber(AYear, S);
}

Integer TcxHebrewCalendarTable::GetYearNumber(const String& S) const {
  const Integer number = HebrewNumber(S);
  return number ? number + 5000 : TcxCustomCalendarTable::GetYearNumber(S);
}

Integer TcxHebrewCalendarTable::GetYearType(Cardinal AYear) const {
  const Integer type = StoredYearType(AYear);
  return type > 3 ? type - 3 : type;
}

Integer TcxHebrewCalendarTable::HebrewNumber(const String& S) {
  Integer result = 0;
  for (Char c : S) result += HebrewLetterValue(c);
  return result;
}

// --- The registry of live tables -------------------------------------------------

TcxCustomCalendarTable* cxGetCalendar(CALID ACalendarID) {
  const TcxCalendarTableClass tableClass = cxGetCalendarClass(ACalendarID);
  // An identifier no calendar has shares the table of its class.
  TcxCustomCalendarTable* sameClass = nullptr;
  if (TObjectList* tables = LiveTables())
    for (void* item : *tables) {
      TcxCustomCalendarTable* table = TableOf(item);
      if (table->GetCalendarID() == ACalendarID) return table;
      if (!sameClass && table->ClassType() == tableClass) sameClass = table;
    }
  if (sameClass) return sameClass;
  return static_cast<TcxCustomCalendarTable*>(tableClass->Create());
}

TcxCalendarTableClass cxGetCalendarClass(CALID ACalendarID) {
  switch (ACalendarID) {
    case CAL_GREGORIAN_US: return TcxGregorianUSEnglishCalendarTable::StaticClass();
    case CAL_JAPAN: return TcxJapaneseCalendarTable::StaticClass();
    case CAL_TAIWAN: return TcxTaiwanCalendarTable::StaticClass();
    case CAL_KOREA: return TcxKoreanCalendarTable::StaticClass();
    case CAL_HIJRI: return TcxHijriCalendarTable::StaticClass();
    case CAL_THAI: return TcxThaiCalendarTable::StaticClass();
    case CAL_HEBREW: return TcxHebrewCalendarTable::StaticClass();
    case CAL_GREGORIAN_ME_FRENCH: return TcxGregorianMiddleEastFrenchCalendarTable::StaticClass();
    case CAL_GREGORIAN_ARABIC: return TcxGregorianArabicCalendarTable::StaticClass();
    case CAL_GREGORIAN_XLIT_ENGLISH: return TcxGregorianTransliteratedEnglishCalendarTable::StaticClass();
    case CAL_GREGORIAN_XLIT_FRENCH: return TcxGregorianTransliteratedFrenchCalendarTable::StaticClass();
    default: return TcxGregorianCalendarTable::StaticClass();
  }
}

CALID cxGetLocalCalendarID() {
  DWORD calendar = 0;
  GetLocaleInfoW(GetThreadLocale(), LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&calendar),
                 sizeof calendar / sizeof(WCHAR));
  return calendar;
}

TcxCustomCalendarTable* cxGetLocalCalendar() { return cxGetCalendar(cxGetLocalCalendarID()); }

bool cxIsGregorianCalendar(TcxCustomCalendarTable* ACalendar) {
  switch (ACalendar ? ACalendar->GetCalendarID() : cxGetLocalCalendarID()) {
    case CAL_GREGORIAN:
    case CAL_GREGORIAN_US:
    case CAL_GREGORIAN_ME_FRENCH:
    case CAL_GREGORIAN_ARABIC:
    case CAL_GREGORIAN_XLIT_ENGLISH:
    case CAL_GREGORIAN_XLIT_FRENCH: return true;
    default: return false;
  }
}

using TGetCalendarInfoW = decltype(&GetCalendarInfoW);

int cxGetCalendarInfo(LCID Locale, CALID Calendar, CALTYPE CalType, LPWSTR lpCalData, int cchData, DWORD* lpValue) {
  HMODULE kernel = LoadLibraryW(u"kernel32.dll");
  if (!kernel) return 0;
  auto getCalendarInfo = reinterpret_cast<TGetCalendarInfoW>(GetProcAddress(kernel, "GetCalendarInfoW"));
  const int result = getCalendarInfo ? getCalendarInfo(Locale, Calendar, CalType, lpCalData, cchData, lpValue) : 0;
  FreeLibrary(kernel);
  return result;
}

void RegisterCalendarUtilsUnit() { RegisterSuiteUnit<nullptr, &FreeLiveTables>("dxCalendarUtils", {"SysUtils"}); }

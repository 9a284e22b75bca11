// The calendar tables day by day: against ICU's calendars, against sums
// written here from the calendars' own rules, and the Hebrew table against
// itself.

#include <gtest/gtest.h>
#include <unicode/ucal.h>

#include <string>

#include "tests/values/CalendarTestSupport.h"
#include "values/dxCalendarUtils.h"

namespace {

// Stops a day-by-day comparison after a few reported differences.
constexpr int MaxReported = 10;

class TIcuCalendar {
 public:
  explicit TIcuCalendar(const char* ALocale) {
    UErrorCode status = U_ZERO_ERROR;
    FCalendar = ucal_open(u"UTC", -1, ALocale, UCAL_DEFAULT, &status);
    EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
  }
  ~TIcuCalendar() { ucal_close(FCalendar); }
  TIcuCalendar(const TIcuCalendar&) = delete;
  TIcuCalendar& operator=(const TIcuCalendar&) = delete;

  void SetDate(TDateTime ADate) {
    UErrorCode status = U_ZERO_ERROR;
    ucal_setMillis(FCalendar, IcuMillis(ADate), &status);
  }
  int Get(UCalendarDateFields AField) const {
    UErrorCode status = U_ZERO_ERROR;
    return ucal_get(FCalendar, AField, &status);
  }

 private:
  UCalendar* FCalendar = nullptr;
};

// --- Hebrew --------------------------------------------------------------------

constexpr int HebrewTableFirstYear = 1583;
constexpr int HebrewTableLastYear = 2239;

bool IsGregorianLeapYear(int AYear) { return AYear % 4 == 0 && (AYear % 100 != 0 || AYear % 400 == 0); }

// Seven of every nineteen Hebrew years have a thirteenth month.
bool IsHebrewLeapYear(int AYear) { return (7 * AYear + 1) % 19 < 7; }

struct TMonthDay {
  int Month;
  int Day;
};

// The Hebrew month and day the table codes for 1 January.
TMonthDay DecodeFirstOfJanuary(int ACode) {
  switch (ACode) {
    case 0: return {5, 1};
    case 31: return {5, 2};
    case 32: return {5, 3};
    case 30: return {3, 30};
    case 33: return {3, 29};
    default: return {4, ACode};
  }
}

int MonthsOfType(int AType) { return AType > 3 ? 13 : 12; }

TEST(HebrewTable, HoldsTheGivenRows) {
  struct TRow {
    int Year, Code, Type;
  } rows[] = {{1583, 7, 3}, {2024, 20, 4}, {2025, 1, 3}, {2239, 24, 6}};
  for (const TRow& row : rows) {
    EXPECT_EQ(cxHebrewTable[row.Year - HebrewTableFirstYear][0], row.Code) << row.Year;
    EXPECT_EQ(cxHebrewTable[row.Year - HebrewTableFirstYear][1], row.Type) << row.Year;
  }
}

TEST(HebrewTable, MonthLengthsAddUpToTheYearTypes) {
  const int days[] = {0, 353, 354, 355, 383, 384, 385};
  for (int type = 0; type <= 6; ++type) {
    int sum = 0;
    for (int month = 0; month <= 13; ++month) sum += cxHebrewLunarMonthLen[type][month];
    EXPECT_EQ(sum, days[type]) << type;
    EXPECT_EQ(cxHebrewLunarMonthLen[type][0], 0);
    if (type <= 3) {
      EXPECT_EQ(cxHebrewLunarMonthLen[type][13], 0);
    }
  }
}

TEST(HebrewTable, EachRowLeadsToTheNext) {
  for (int year = HebrewTableFirstYear; year < HebrewTableLastYear; ++year) {
    const int* row = cxHebrewTable[year - HebrewTableFirstYear];
    const int* next = cxHebrewTable[year + 1 - HebrewTableFirstYear];
    ASSERT_TRUE(row[1] >= 1 && row[1] <= 6) << year;
    EXPECT_EQ(row[1] > 3, IsHebrewLeapYear(year + 3760)) << year;
    // From 1 January to the end of this Hebrew year, then on to 1 January.
    const TMonthDay from = DecodeFirstOfJanuary(row[0]);
    const TMonthDay to = DecodeFirstOfJanuary(next[0]);
    int days = cxHebrewLunarMonthLen[row[1]][from.Month] - from.Day + 1;
    for (int month = from.Month + 1; month <= MonthsOfType(row[1]); ++month) days += cxHebrewLunarMonthLen[row[1]][month];
    for (int month = 1; month < to.Month; ++month) days += cxHebrewLunarMonthLen[next[1]][month];
    days += to.Day - 1;
    EXPECT_EQ(days, IsGregorianLeapYear(year) ? 366 : 365) << year;
  }
}

TEST(HebrewCalendar, EveryDayAgreesWithIcu) {
  TcxCustomCalendarTable* table = cxGetCalendar(CAL_HEBREW);
  TIcuCalendar icu("en@calendar=hebrew");
  const TDateTime first = EncodeDate(HebrewTableFirstYear, 1, 1);
  const TDateTime last = EncodeDate(HebrewTableLastYear, 9, 29);
  int reported = 0;
  for (TDateTime date = first; date <= last && reported < MaxReported; date += 1) {
    icu.SetDate(date);
    const int year = icu.Get(UCAL_EXTENDED_YEAR);
    // ICU counts months from 0 and skips Adar I (5) in a common year.
    const int icuMonth = icu.Get(UCAL_MONTH);
    const int month = IsHebrewLeapYear(year) || icuMonth < 5 ? icuMonth + 1 : icuMonth;
    const TcxDateTime expected = CalendarDate(year, static_cast<Cardinal>(month), static_cast<Cardinal>(icu.Get(UCAL_DATE)));
    const TcxDateTime converted = table->FromDateTime(date);
    if (!SameDay(converted, expected)) {
      ++reported;
      ADD_FAILURE() << date << ": " << Show(converted) << ", ICU " << Show(expected);
    } else if (table->ToDateTime(converted) != date) {
      ++reported;
      ADD_FAILURE() << Show(converted) << " back to " << table->ToDateTime(converted) << ", not " << date;
    }
  }
}

// --- Hijri ------------------------------------------------------------------------

// The leap years of the 30-year cycle.
bool IsHijriLeapYear(int AYear) {
  switch (AYear % 30) {
    case 2: case 5: case 7: case 10: case 13: case 15: case 18: case 21: case 24: case 26: case 29: return true;
    default: return false;
  }
}

Cardinal HijriMonthLength(int AYear, Cardinal AMonth) {
  if (AMonth == 12 && IsHijriLeapYear(AYear)) return 30;
  return AMonth % 2 == 1 ? 30 : 29;
}

TEST(HijriCalendar, EveryYearStartsWhereTheYearsBeforeEnd) {
  TcxCustomCalendarTable* table = cxGetCalendar(CAL_HIJRI);
  TDateTime start = EncodeDate(622, 7, 18);
  for (int year = 1; year <= 9666; ++year) {
    ASSERT_EQ(table->ToDateTime(static_cast<Cardinal>(year), 1, 1), start) << year;
    ASSERT_TRUE(SameDay(table->FromDateTime(start), CalendarDate(year, 1, 1))) << year;
    start += IsHijriLeapYear(year) ? 355 : 354;
  }
  // The last supported day is the host's last.
  EXPECT_EQ(table->ToDateTime(9666, 4, 3), EncodeDate(9999, 12, 31));
}

TEST(HijriCalendar, EveryDayFollowsTheDayBeforeAndConvertsBack) {
  TcxCustomCalendarTable* table = cxGetCalendar(CAL_HIJRI);
  TcxDateTime expected = CalendarDate(1, 1, 1);
  const TDateTime last = EncodeDate(9999, 12, 31);
  int reported = 0;
  for (TDateTime date = EncodeDate(622, 7, 18); date <= last && reported < MaxReported; date += 1) {
    const TcxDateTime converted = table->FromDateTime(date);
    if (!SameDay(converted, expected) || table->ToDateTime(converted) != date) {
      ++reported;
      ADD_FAILURE() << date << ": " << Show(converted) << ", expected " << Show(expected);
    }
    if (++expected.Day > HijriMonthLength(expected.Year, expected.Month)) {
      expected.Day = 1;
      if (++expected.Month > 12) {
        expected.Month = 1;
        ++expected.Year;
      }
    }
  }
}

TEST(HijriCalendar, AgreesWithIcusTabularCalendarInTheYearsTheyShare) {
  // ICU counts the 16th year of the cycle as leap instead of the 15th: the
  // two part at the leap day of year 15.
  TcxCustomCalendarTable* table = cxGetCalendar(CAL_HIJRI);
  TIcuCalendar icu("en@calendar=islamic-tbla");
  const TDateTime parting = table->ToDateTime(15, 12, 30);
  int reported = 0;
  for (TDateTime date = EncodeDate(622, 7, 18); date < parting && reported < MaxReported; date += 1) {
    icu.SetDate(date);
    const TcxDateTime expected = CalendarDate(icu.Get(UCAL_EXTENDED_YEAR), static_cast<Cardinal>(icu.Get(UCAL_MONTH) + 1),
                                              static_cast<Cardinal>(icu.Get(UCAL_DATE)));
    const TcxDateTime converted = table->FromDateTime(date);
    if (!SameDay(converted, expected)) {
      ++reported;
      ADD_FAILURE() << date << ": " << Show(converted) << ", ICU " << Show(expected);
    }
  }
}

// --- Japanese ----------------------------------------------------------------------

TEST(JapaneseCalendar, ErasAndYearsAgreeWithIcu) {
  TcxCustomCalendarTable* table = cxGetCalendar(CAL_JAPAN);
  TIcuCalendar icu("en@calendar=japanese");
  const TDateTime firstEra = EncodeDate(1868, 9, 8);
  icu.SetDate(firstEra);
  // ICU numbers the eras from long before; the first of the table is 0.
  const int icuFirstEra = icu.Get(UCAL_ERA);
  int reported = 0;
  for (Word year = 1868; year <= 9999 && reported < MaxReported; ++year)
    for (Word month = 1; month <= 12; ++month)
      for (const Word day : {1, 15}) {
        const TDateTime date = EncodeDate(year, month, day);
        if (date < firstEra) continue;
        icu.SetDate(date);
        const TcxDateTime expected = CalendarDate(icu.Get(UCAL_YEAR), month, day, icu.Get(UCAL_ERA) - icuFirstEra);
        const TcxDateTime converted = table->FromDateTime(date);
        if (!SameDay(converted, expected) || table->ToDateTime(converted) != date) {
          ++reported;
          ADD_FAILURE() << year << "-" << month << "-" << day << ": " << Show(converted) << ", ICU " << Show(expected);
        }
      }
}

}  // namespace

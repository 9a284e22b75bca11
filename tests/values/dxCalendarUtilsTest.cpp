#include "values/dxCalendarUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/Exceptions.h"
#include "host/SysUtils.h"
#include "tests/values/CalendarTestSupport.h"

namespace {

TcxCustomCalendarTable* Gregorian() { return cxGetCalendar(CAL_GREGORIAN); }
TcxCustomCalendarTable* Japanese() { return cxGetCalendar(CAL_JAPAN); }
TcxCustomCalendarTable* Hijri() { return cxGetCalendar(CAL_HIJRI); }
auto* Hebrew() { return static_cast<TcxHebrewCalendarTable*>(cxGetCalendar(CAL_HEBREW)); }

// --- The registry ------------------------------------------------------------

TEST(CalendarRegistry, EachIdentifierHasOneLiveTableOfItsClass) {
  struct TCase {
    CALID Id;
    const char16_t* ClassName;
    TDay FirstWeekDay;
    TcxCalendarAlgorithmType Algorithm;
  };
  const TCase cases[] = {
      {1, u"TcxGregorianCalendarTable", dSunday, catSolarCalendar},
      {2, u"TcxGregorianUSEnglishCalendarTable", dSunday, catSolarCalendar},
      {3, u"TcxJapaneseCalendarTable", dSunday, catSolarCalendar},
      {4, u"TcxTaiwanCalendarTable", dSunday, catSolarCalendar},
      {5, u"TcxKoreanCalendarTable", dSunday, catSolarCalendar},
      {6, u"TcxHijriCalendarTable", dSaturday, catLunarCalendar},
      {7, u"TcxThaiCalendarTable", dSunday, catSolarCalendar},
      {8, u"TcxHebrewCalendarTable", dSunday, catLunarSolarCalendar},
      {9, u"TcxGregorianMiddleEastFrenchCalendarTable", dMonday, catSolarCalendar},
      {10, u"TcxGregorianArabicCalendarTable", dSaturday, catSolarCalendar},
      {11, u"TcxGregorianTransliteratedEnglishCalendarTable", dMonday, catSolarCalendar},
      {12, u"TcxGregorianTransliteratedFrenchCalendarTable", dMonday, catSolarCalendar},
  };
  for (const TCase& c : cases) {
    TcxCustomCalendarTable* table = cxGetCalendar(c.Id);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table, cxGetCalendar(c.Id)) << c.Id;
    EXPECT_EQ(table->GetCalendarID(), c.Id);
    EXPECT_EQ(table->ClassName(), c.ClassName);
    EXPECT_EQ(cxGetCalendarClass(c.Id), table->ClassType());
    EXPECT_EQ(table->GetFirstWeekDay(), c.FirstWeekDay) << c.Id;
    EXPECT_EQ(table->GetCalendarAlgorithmType(), c.Algorithm) << c.Id;
    EXPECT_EQ(cxIsGregorianCalendar(table), c.Id <= 2 || c.Id >= 9) << c.Id;
  }
}

TEST(CalendarRegistry, UnknownIdentifiersShareTheGregorianTable) {
  for (const CALID id : {0u, 13u, 99u}) {
    EXPECT_EQ(cxGetCalendarClass(id), TcxGregorianCalendarTable::StaticClass()) << id;
    // Asked again and again, still the one table: nothing piles up.
    EXPECT_EQ(cxGetCalendar(id), cxGetCalendar(CAL_GREGORIAN)) << id;
  }
}

TEST(CalendarRegistry, TheLocalCalendarIsTheOneTheLocaleReports) {
  EXPECT_EQ(cxGetLocalCalendarID(), CAL_GREGORIAN);
  EXPECT_TRUE(cxIsGregorianCalendar());
  {
    TReportedCalendar hebrew(CAL_HEBREW);
    EXPECT_EQ(cxGetLocalCalendarID(), CAL_HEBREW);
    EXPECT_EQ(cxGetLocalCalendar(), cxGetCalendar(CAL_HEBREW));
    EXPECT_FALSE(cxIsGregorianCalendar());
  }
  TReportedCalendar arabic(CAL_GREGORIAN_ARABIC);
  EXPECT_TRUE(cxIsGregorianCalendar());
  EXPECT_EQ(cxGetLocalCalendar()->GetFirstWeekDay(), dSaturday);
}

TEST(CalendarRegistry, AFreedTableLeavesTheLiveTables) {
  auto* table = new TcxThaiCalendarTable;
  EXPECT_EQ(table->GetCalendarID(), CAL_THAI);
  TObject::Free(table);
  // The registry must not hand out the freed table (AddressSanitizer watches).
  TcxCustomCalendarTable* thai = cxGetCalendar(CAL_THAI);
  EXPECT_EQ(thai->GetCalendarID(), CAL_THAI);
  EXPECT_EQ(thai->FromDateTime(EncodeDate(2024, 5, 6)).Year, 2567);
}

TEST(CalendarRegistry, CalendarInformationIsLookedUpAtEveryCall) {
  DWORD maximum = 0;
  EXPECT_EQ(cxGetCalendarInfo(GetThreadLocale(), CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                              &maximum),
            2);
  EXPECT_EQ(maximum, 2049u);
  {
    TCalendarInfoMissing missing;
    maximum = 0;
    EXPECT_EQ(cxGetCalendarInfo(GetThreadLocale(), CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr,
                                0, &maximum),
              0);
    EXPECT_EQ(maximum, 0u);
  }
  SetModuleAvailable(u"kernel32.dll", false);
  EXPECT_EQ(cxGetCalendarInfo(GetThreadLocale(), CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                              &maximum),
            0);
  SetModuleAvailable(u"kernel32.dll", true);
}

// --- Eras ---------------------------------------------------------------------

TEST(CalendarEras, AssignCopiesEveryField) {
  TcxEra source(5, 43586.0, 2018, 1, 7981);
  TcxEra copy(0, 0, 0, 0, 0);
  copy.Assign(&source);
  EXPECT_EQ(copy.GetEra(), 5);
  EXPECT_EQ(copy.GetStartDate(), 43586.0);
  EXPECT_EQ(copy.GetYearOffset(), 2018);
  EXPECT_EQ(copy.GetMinEraYear(), 1);
  EXPECT_EQ(copy.GetMaxEraYear(), 7981);
}

TEST(CalendarEras, AnIndexOutsideTheErasRaisesTheListError) {
  TcxEras* eras = Japanese()->GetEras();
  ASSERT_EQ(eras->GetCount(), 5);
  try {
    eras->GetItem(5);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.GetMessage(), u"List index out of bounds (5)");
  }
  EXPECT_THROW((*eras)[-1], EListError);
  EXPECT_EQ(Gregorian()->GetEras()->GetCount(), 0);
}

TEST(CalendarEras, JapaneseErasEndWithTheOneBegun2019) {
  TcxCustomCalendarTable* table = Japanese();
  const TcxEras* eras = table->GetEras();
  struct TCase {
    Integer Era;
    TDateTime Start;
    Integer Offset, MaxYear;
  };
  const TCase cases[] = {
      {1, EncodeDate(1868, 9, 8), 1867, 45},  {2, EncodeDate(1912, 7, 30), 1911, 15},
      {3, EncodeDate(1926, 12, 25), 1925, 64}, {4, EncodeDate(1989, 1, 8), 1988, 31},
      {5, EncodeDate(2019, 5, 1), 2018, 7981},
  };
  for (Integer i = 0; i < 5; ++i) {
    const TcxEra* era = eras->GetItem(i);
    EXPECT_EQ(era->GetEra(), cases[i].Era);
    EXPECT_EQ(era->GetStartDate(), cases[i].Start) << i;
    EXPECT_EQ(era->GetYearOffset(), cases[i].Offset);
    EXPECT_EQ(era->GetMinEraYear(), 1);
    EXPECT_EQ(era->GetMaxEraYear(), cases[i].MaxYear);
  }
  EXPECT_EQ(table->GetDefaultEra(), eras->GetItem(4));
  EXPECT_EQ(table->GetMinSupportedYear(), 1);
  EXPECT_EQ(table->GetMaxSupportedYear(), 7981);
  EXPECT_EQ(table->GetMinSupportedDate(), EncodeDate(1868, 9, 8));
  // The last year of the default era is the last Gregorian year.
  EXPECT_EQ(table->ToDateTime(7981, 12, 31), EncodeDate(9999, 12, 31));
  EXPECT_FALSE(table->IsValidYear(7982));
}

// --- The Gregorian family ---------------------------------------------------------

TEST(GregorianCalendar, ConvertsWithTheHostsDatesAndTimes) {
  TcxCustomCalendarTable* table = Gregorian();
  const TDateTime moment = EncodeDate(2024, 2, 29) + EncodeTime(13, 14, 15, 16);
  const TcxDateTime date = table->FromDateTime(moment);
  EXPECT_TRUE(SameDay(date, CalendarDate(2024, 2, 29))) << Show(date);
  EXPECT_EQ(date.Hours, 13);
  EXPECT_EQ(date.Minutes, 14);
  EXPECT_EQ(date.Seconds, 15);
  EXPECT_EQ(date.Milliseconds, 16);
  EXPECT_DOUBLE_EQ(table->ToDateTime(date), moment);
  // Before 1899-12-30 the time still runs forward from midnight.
  const TDateTime early = EncodeDate(1850, 6, 1) - EncodeTime(6, 0, 0, 0);
  EXPECT_DOUBLE_EQ(table->ToDateTime(table->FromDateTime(early)), early);
  EXPECT_EQ(table->FromDateTime(early).Hours, 6);
  // Gregorian numbers to the calendar.
  EXPECT_TRUE(SameDay(table->FromDateTime(2024, 3, 1), CalendarDate(2024, 3, 1)));
  EXPECT_THROW(table->FromDateTime(2023, 2, 29), EConvertError);
}

TEST(GregorianCalendar, AnswersItsCalendarQuestions) {
  TcxCustomCalendarTable* table = Gregorian();
  EXPECT_TRUE(table->IsLeapYear(2000));
  EXPECT_FALSE(table->IsLeapYear(1900));
  EXPECT_TRUE(table->IsLeapYear(2024));
  EXPECT_TRUE(table->IsLeapMonth(2024, 2));
  EXPECT_FALSE(table->IsLeapMonth(2024, 3));
  EXPECT_TRUE(table->IsLeapDay(2024, 2, 29));
  EXPECT_FALSE(table->IsLeapDay(2023, 2, 28));
  const Cardinal lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (Cardinal month = 1; month <= 12; ++month) EXPECT_EQ(table->GetDaysInMonth(2024, month), lengths[month - 1]);
  EXPECT_EQ(table->GetDaysInMonth(2023, 2), 28u);
  EXPECT_EQ(table->GetDaysInYear(2024), 366u);
  EXPECT_EQ(table->GetDaysInYear(2023), 365u);
  EXPECT_EQ(table->GetMonthsInYear(2023), 12u);
  EXPECT_EQ(table->GetDayOfYear(CalendarDate(2024, 3, 1)), 61u);
  EXPECT_EQ(table->GetWeekDay(EncodeDate(2024, 1, 1)), dMonday);
  // From 0100-01-01 to 9999-12-31.
  EXPECT_EQ(table->GetMinSupportedDate(), -657434.0);
  EXPECT_EQ(table->GetMinSupportedDate(), EncodeDate(100, 1, 1));
  EXPECT_EQ(table->GetMaxSupportedDate(), 2958465.99999);
  EXPECT_FALSE(table->IsValidYear(99));
  EXPECT_TRUE(table->IsValidYear(100));
  EXPECT_EQ(table->ToDateTime(99, 12, 31), table->GetMinSupportedDate());
  EXPECT_EQ(table->ToDateTime(2023, 2, 29), table->GetMinSupportedDate());
  EXPECT_FALSE(table->IsValidDate(EncodeDate(99, 12, 31)));
  EXPECT_TRUE(table->IsValidDate(EncodeDate(100, 1, 1)));
}

TEST(GregorianCalendar, CountsFullWeeksFromTheWeekdayOfTheFirstOfJanuary) {
  // Weeks from Sunday: 53 when 1 January falls six days after the week's
  // start, or five in a leap year.
  struct TCase {
    CALID Calendar;
    Cardinal Year;
    Cardinal Weeks;
  } cases[] = {
      {CAL_GREGORIAN, 2020, 52},  // Wednesday, leap
      {CAL_GREGORIAN, 2015, 52},  // Thursday
      {CAL_GREGORIAN, 2021, 52},  // Friday
      {CAL_GREGORIAN, 2016, 53},  // Friday, leap
      {CAL_GREGORIAN, 2022, 53},  // Saturday
      {CAL_GREGORIAN_ME_FRENCH, 2022, 52},  // Saturday, weeks from Monday
      {CAL_GREGORIAN_ME_FRENCH, 2023, 53},  // Sunday
  };
  for (const auto& c : cases) EXPECT_EQ(cxGetCalendar(c.Calendar)->GetFullWeeksInYear(c.Year), c.Weeks) << c.Year;
}

TEST(GregorianCalendar, NumbersWeeksByTheLocaleRules) {
  TcxCustomCalendarTable* table = Gregorian();
  // 31 December 2024 is a Tuesday: with weeks from Monday and four days
  // making the first week, it opens 2025's first week.
  EXPECT_EQ(table->GetWeekNumber(EncodeDate(2024, 12, 31), dMonday, fwyFirstFourDays), 1u);
  // 1 January 2021, a Friday, closes 2020's 53rd week.
  EXPECT_EQ(table->GetWeekNumber(EncodeDate(2021, 1, 1), dMonday, fwyFirstFourDays), 53u);
  EXPECT_EQ(table->GetWeekNumber(EncodeDate(2024, 1, 7), dSunday, fwyJan1), 2u);
  // The locale's rule is "0": the week of 1 January is the first.
  EXPECT_EQ(table->GetWeekNumber(EncodeDate(2021, 1, 1), dMonday, fwySystem), 1u);
}

TEST(JapaneseCalendar, TheEraChangesOnItsFirstDay) {
  TcxCustomCalendarTable* table = Japanese();
  struct TCase {
    TDateTime Date;
    Integer Era, Year;
  } cases[] = {
      {EncodeDate(1868, 9, 8), 0, 1},    {EncodeDate(1912, 7, 29), 0, 45}, {EncodeDate(1912, 7, 30), 1, 1},
      {EncodeDate(1989, 1, 7), 2, 64},   {EncodeDate(1989, 1, 8), 3, 1},   {EncodeDate(2019, 4, 30), 3, 31},
      {EncodeDate(2019, 5, 1), 4, 1},    {EncodeDate(2026, 3, 1), 4, 8},   {EncodeDate(9999, 12, 31), 4, 7981},
  };
  for (const auto& c : cases) {
    const TcxDateTime date = table->FromDateTime(c.Date);
    EXPECT_EQ(date.Era, c.Era) << Show(date);
    EXPECT_EQ(date.Year, c.Year) << Show(date);
    EXPECT_EQ(table->ToDateTime(date), c.Date) << Show(date);
  }
  // The default era's years: 8 is 2026.
  EXPECT_EQ(table->ToDateTime(8, 3, 1), EncodeDate(2026, 3, 1));
  EXPECT_EQ(table->GetEra(1989), 2);
  EXPECT_EQ(table->GetEra(1989, 1, 8), 3);
  EXPECT_EQ(table->GetEra(1867), -1);
  EXPECT_EQ(table->GetEra(12000), 4);
  EXPECT_THROW(table->GetEra(2023, 2, 29), EConvertError);
  // Leap days follow the Gregorian year of the era year.
  EXPECT_TRUE(table->IsLeapYear(1, 1));    // Taisho 1 is 1912
  EXPECT_FALSE(table->IsLeapYear(1, 2));
  EXPECT_TRUE(table->IsLeapYear(6));       // Reiwa 6 is 2024
  EXPECT_EQ(table->GetDaysInMonth(0, 45, 2), 29u);
}

TEST(JapaneseCalendar, AddsYearsInsideAndAcrossEras) {
  TcxCustomCalendarTable* table = Japanese();
  const TcxDateTime taisho1 = CalendarDate(1, 7, 30, 1);
  ASSERT_EQ(table->ToDateTime(taisho1), EncodeDate(1912, 7, 30));
  const TcxDateTime next = table->FromDateTime(table->AddYears(taisho1, 1));
  EXPECT_TRUE(SameDay(next, CalendarDate(2, 7, 30, 1))) << Show(next);
  const TcxDateTime before = table->FromDateTime(table->AddYears(taisho1, -1));
  EXPECT_TRUE(SameDay(before, CalendarDate(44, 7, 30, 0))) << Show(before);
  // Heisei 30 May plus a year is Reiwa 1 May.
  const TcxDateTime reiwa = table->FromDateTime(table->AddYears(CalendarDate(30, 5, 1, 3), 1));
  EXPECT_TRUE(SameDay(reiwa, CalendarDate(1, 5, 1, 4))) << Show(reiwa);
  // Past 9999 and before Meiji: no such year.
  EXPECT_EQ(table->AddYears(CalendarDate(7981, 1, 1, 4), 1), table->GetMinSupportedDate());
  EXPECT_EQ(table->AddYears(CalendarDate(1, 10, 1, 0), -1), table->GetMinSupportedDate());
}

TEST(JapaneseCalendar, CountsTheDaysOfAYearInItsOwnEra) {
  // Meiji 45 is 1912, a leap year; Reiwa 45 (2063) is not.
  EXPECT_EQ(Japanese()->GetDayOfYear(CalendarDate(45, 3, 1, 0)), 61u);
  EXPECT_EQ(Japanese()->GetDayOfYear(CalendarDate(45, 3, 1)), 60u);
}

TEST(JapaneseCalendar, TheOneEraTablesShiftTheGregorianYear) {
  const TDateTime date = EncodeDate(2024, 5, 6);
  struct TCase {
    CALID Calendar;
    Integer Year;
    Integer MinYear, MaxYear;
    TDateTime MinDate;
  } cases[] = {
      {CAL_KOREA, 4357, 2334, 12332, EncodeDate(1, 1, 1)},
      {CAL_THAI, 2567, 544, 10542, EncodeDate(1, 1, 1)},
      {CAL_TAIWAN, 113, 1, 8088, EncodeDate(1912, 1, 1)},
  };
  for (const auto& c : cases) {
    TcxCustomCalendarTable* table = cxGetCalendar(c.Calendar);
    const TcxDateTime converted = table->FromDateTime(date);
    EXPECT_TRUE(SameDay(converted, CalendarDate(c.Year, 5, 6, 0))) << Show(converted);
    EXPECT_EQ(table->ToDateTime(c.Year, 5, 6), date);
    EXPECT_EQ(table->GetMinSupportedYear(), c.MinYear);
    EXPECT_EQ(table->GetMaxSupportedYear(), c.MaxYear);
    EXPECT_EQ(table->GetMinSupportedDate(), c.MinDate);
    EXPECT_EQ(table->GetMaxSupportedDate(), Japanese()->GetMaxSupportedDate());
    EXPECT_EQ(table->ToDateTime(c.MaxYear, 12, 31), EncodeDate(9999, 12, 31));
  }
  // The year before the first Taiwan year does not exist.
  TcxCustomCalendarTable* taiwan = cxGetCalendar(CAL_TAIWAN);
  EXPECT_EQ(taiwan->AddYears(CalendarDate(1, 1, 1), -1), taiwan->GetMinSupportedDate());
  EXPECT_EQ(taiwan->AddMonths(CalendarDate(1, 1, 15), -1), taiwan->GetMinSupportedDate());
  EXPECT_EQ(taiwan->FromDateTime(EncodeDate(1911, 12, 31)).Era, -1);
}

// --- Common operations -----------------------------------------------------------

TEST(CalendarArithmetic, AddsMonthsKeepingTheDayInsideTheMonth) {
  struct TCase {
    CALID Calendar;
    TcxDateTime From;
    Integer Months;
    TcxDateTime To;
  } cases[] = {
      {CAL_GREGORIAN, CalendarDate(2024, 1, 31), 1, CalendarDate(2024, 2, 29)},
      {CAL_GREGORIAN, CalendarDate(2024, 1, 31), -1, CalendarDate(2023, 12, 31)},
      {CAL_GREGORIAN, CalendarDate(2024, 1, 31), 13, CalendarDate(2025, 2, 28)},
      {CAL_GREGORIAN, CalendarDate(2024, 3, 15), -27, CalendarDate(2021, 12, 15)},
      {CAL_GREGORIAN, CalendarDate(2024, 3, 15), 0, CalendarDate(2024, 3, 15)},
      // 5784 has Adar I (6, 30 days) and Adar II (7, 29 days); 5785 is common.
      {CAL_HEBREW, CalendarDate(5784, 6, 30), 1, CalendarDate(5784, 7, 29)},
      {CAL_HEBREW, CalendarDate(5784, 5, 10), 2, CalendarDate(5784, 7, 10)},
      {CAL_HEBREW, CalendarDate(5784, 13, 29), 1, CalendarDate(5785, 1, 29)},
      {CAL_HEBREW, CalendarDate(5785, 1, 10), -1, CalendarDate(5784, 13, 10)},
      {CAL_HEBREW, CalendarDate(5784, 8, 1), 13, CalendarDate(5785, 8, 1)},
      {CAL_HEBREW, CalendarDate(5785, 8, 1), -13, CalendarDate(5784, 8, 1)},
      {CAL_HIJRI, CalendarDate(1444, 11, 30), 1, CalendarDate(1444, 12, 29)},
      {CAL_HIJRI, CalendarDate(1445, 11, 30), 1, CalendarDate(1445, 12, 30)},  // a leap year
      {CAL_HIJRI, CalendarDate(1445, 1, 1), -1, CalendarDate(1444, 12, 1)},
  };
  for (const auto& c : cases) {
    TcxCustomCalendarTable* table = cxGetCalendar(c.Calendar);
    const TcxDateTime result = table->FromDateTime(table->AddMonths(c.From, c.Months));
    EXPECT_TRUE(SameDay(result, c.To)) << c.Calendar << " " << Show(c.From) << " + " << c.Months << ": "
                                       << Show(result);
  }
  // The date-time form converts first; the time of day stays.
  const TDateTime moment = EncodeDate(2024, 1, 31) + EncodeTime(8, 30, 0, 0);
  EXPECT_DOUBLE_EQ(Gregorian()->AddMonths(moment, 1), EncodeDate(2024, 2, 29) + EncodeTime(8, 30, 0, 0));
}

TEST(CalendarArithmetic, AddsYearsKeepingMonthAndDayInsideTheYear) {
  struct TCase {
    CALID Calendar;
    TcxDateTime From;
    Integer Years;
    TcxDateTime To;
  } cases[] = {
      {CAL_GREGORIAN, CalendarDate(2024, 2, 29), 1, CalendarDate(2025, 2, 28)},
      {CAL_GREGORIAN, CalendarDate(2024, 2, 29), -4, CalendarDate(2020, 2, 29)},
      {CAL_HEBREW, CalendarDate(5784, 13, 29), 1, CalendarDate(5785, 12, 29)},
      {CAL_HEBREW, CalendarDate(5784, 6, 30), 1, CalendarDate(5785, 6, 29)},
      {CAL_HIJRI, CalendarDate(2, 12, 30), 1, CalendarDate(3, 12, 29)},
  };
  for (const auto& c : cases) {
    TcxCustomCalendarTable* table = cxGetCalendar(c.Calendar);
    const TcxDateTime result = table->FromDateTime(table->AddYears(c.From, c.Years));
    EXPECT_TRUE(SameDay(result, c.To)) << c.Calendar << " " << Show(c.From) << " + " << c.Years << ": "
                                       << Show(result);
  }
}

TEST(CalendarArithmetic, LeavingTheCalendarGivesItsFirstDate) {
  struct TCase {
    CALID Calendar;
    TcxDateTime From;
    Integer Years, Months;
  } cases[] = {
      {CAL_GREGORIAN, CalendarDate(9999, 6, 1), 1, 0},
      {CAL_GREGORIAN, CalendarDate(100, 6, 1), -1, 0},
      {CAL_GREGORIAN, CalendarDate(9999, 6, 1), 0, 7},
      {CAL_GREGORIAN, CalendarDate(2024, 6, 1), 0, 2147483647},
      {CAL_GREGORIAN, CalendarDate(2024, 6, 1), 2147483647, 0},
      {CAL_GREGORIAN, CalendarDate(2024, 6, 1), 0, -2147483647 - 1},
      {CAL_HEBREW, CalendarDate(5999, 1, 1), 1, 0},
      {CAL_HEBREW, CalendarDate(5343, 5, 1), 0, -5},
      {CAL_HIJRI, CalendarDate(9666, 1, 1), 1, 0},
      {CAL_JAPAN, CalendarDate(7981, 6, 1, 4), 0, 12},
      // Not a date of the calendar to begin with.
      {CAL_GREGORIAN, CalendarDate(2023, 2, 29), 0, 1},
      {CAL_GREGORIAN, CalendarDate(2023, 2, 29), 1, 0},
      {CAL_HEBREW, CalendarDate(5785, 13, 1), 0, 1},
  };
  for (const auto& c : cases) {
    TcxCustomCalendarTable* table = cxGetCalendar(c.Calendar);
    const TDateTime result = c.Months ? table->AddMonths(c.From, c.Months) : table->AddYears(c.From, c.Years);
    EXPECT_EQ(result, table->GetMinSupportedDate()) << c.Calendar << " " << Show(c.From);
  }
  EXPECT_EQ(Gregorian()->ToDateTime(CalendarDate(2023, 2, 29)), Gregorian()->GetMinSupportedDate());
}

TEST(CalendarArithmetic, AddsDaysAndWeeksInsideTheSupportedDates) {
  TcxCustomCalendarTable* hebrew = Hebrew();
  EXPECT_EQ(hebrew->AddDays(CalendarDate(5784, 4, 20), 1), EncodeDate(2024, 1, 2));
  EXPECT_EQ(hebrew->AddWeeks(CalendarDate(5784, 4, 20), -2), EncodeDate(2023, 12, 18));
  EXPECT_EQ(hebrew->AddWeeks(EncodeDate(2024, 1, 1), 1), EncodeDate(2024, 1, 8));
  EXPECT_EQ(hebrew->AddDays(CalendarDate(5999, 13, 29), 1), hebrew->GetMaxSupportedDate());
  EXPECT_EQ(hebrew->AddWeeks(CalendarDate(5343, 4, 7), -1), hebrew->GetMinSupportedDate());
  EXPECT_EQ(Gregorian()->AddWeeks(CalendarDate(2024, 1, 1), 2147483647), Gregorian()->GetMaxSupportedDate());
  // Across 1899-12-30 the time of day still counts from midnight.
  const TDateTime before = Gregorian()->AddDays(Gregorian()->FromDateTime(0.25), -1);
  EXPECT_DOUBLE_EQ(before, -1.25);
}

TEST(CalendarArithmetic, FindsTheFirstAndLastDaysOfWeeksMonthsAndYears) {
  TcxCustomCalendarTable* table = Gregorian();
  const TDateTime wednesday = EncodeDate(2024, 5, 8) + EncodeTime(10, 0, 0, 0);
  EXPECT_DOUBLE_EQ(table->GetFirstDayOfWeek(wednesday, dMonday), EncodeDate(2024, 5, 6) + EncodeTime(10, 0, 0, 0));
  EXPECT_DOUBLE_EQ(table->GetFirstDayOfWeek(wednesday, dThursday), EncodeDate(2024, 5, 2) + EncodeTime(10, 0, 0, 0));
  EXPECT_DOUBLE_EQ(table->GetFirstDayOfWeek(wednesday, dWednesday), wednesday);
  // Without a start, the table's own first week day.
  EXPECT_DOUBLE_EQ(table->GetFirstDayOfWeek(wednesday), EncodeDate(2024, 5, 5) + EncodeTime(10, 0, 0, 0));
  // The Hijri week starts on Saturday (DayOfWeek 7).
  const TDateTime hijriDay = Hijri()->ToDateTime(1445, 11, 1);
  EXPECT_EQ(Hijri()->GetFirstDayOfWeek(CalendarDate(1445, 11, 1)), hijriDay - DayOfWeek(hijriDay) % 7);
  EXPECT_EQ(table->GetFirstDayOfMonth(EncodeDate(2024, 5, 8)), EncodeDate(2024, 5, 1));
  EXPECT_EQ(table->GetLastDayOfMonth(EncodeDate(2024, 2, 8)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(table->GetFirstDayOfYear(EncodeDate(2024, 5, 8)), EncodeDate(2024, 1, 1));
  EXPECT_EQ(table->GetLastDayOfYear(EncodeDate(2024, 5, 8)), EncodeDate(2024, 12, 31));
  EXPECT_EQ(table->GetYear(EncodeDate(2024, 5, 8)), 2024);
  EXPECT_EQ(table->GetDayOfYear(EncodeDate(2024, 12, 31)), 366u);
  TcxCustomCalendarTable* hebrew = Hebrew();
  const TcxDateTime last = hebrew->GetLastDayOfYear(CalendarDate(5784, 2, 5));
  EXPECT_TRUE(SameDay(last, CalendarDate(5784, 13, 29))) << Show(last);
  EXPECT_TRUE(SameDay(hebrew->GetLastDayOfMonth(CalendarDate(5784, 6, 5)), CalendarDate(5784, 6, 30)));
  EXPECT_TRUE(SameDay(hebrew->GetFirstDayOfYear(CalendarDate(5784, 7, 5)), CalendarDate(5784, 1, 1)));
  EXPECT_EQ(hebrew->GetDayOfYear(EncodeDate(2024, 1, 1)), 30u + 29 + 29 + 20);
}

// --- Tokens ----------------------------------------------------------------------

TEST(CalendarTokens, TwoDigitYearsFallBeforeTheCalendarsMaximum) {
  struct TCase {
    CALID Calendar;
    const char16_t* Text;
    Integer Year;
  } cases[] = {
      {CAL_GREGORIAN, u"49", 2049}, {CAL_GREGORIAN, u"50", 1950}, {CAL_GREGORIAN, u"0", 2000},
      {CAL_GREGORIAN, u"99", 1999}, {CAL_GREGORIAN, u"049", 49},  {CAL_GREGORIAN, u"2049", 2049},
      {CAL_KOREA, u"82", 4382},     {CAL_KOREA, u"83", 4283},     {CAL_JAPAN, u"40", 40},
      {CAL_HEBREW, u"86", 5786},    {CAL_HIJRI, u"72", 1372},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxGetCalendar(c.Calendar)->GetYearNumber(c.Text), c.Year) << c.Calendar << " " << UTF8Encode(c.Text);
  // Without the calendar information the number stands as it is.
  TCalendarInfoMissing missing;
  EXPECT_EQ(Gregorian()->GetYearNumber(u"49"), 49);
  EXPECT_EQ(Gregorian()->GetYearNumber(u"50"), 50);
}

TEST(CalendarTokens, MonthsByNameRegardlessOfCaseOrByNumber) {
  TcxCustomCalendarTable* table = Gregorian();
  EXPECT_EQ(table->GetMonthNumber(2024, u"January"), 1u);
  EXPECT_EQ(table->GetMonthNumber(2024, u"fEBRUARY"), 2u);
  EXPECT_EQ(table->GetMonthNumber(2024, u"sep"), 9u);
  EXPECT_EQ(table->GetMonthNumber(2024, u"DEC"), 12u);
  EXPECT_EQ(table->GetMonthNumber(2024, u"7"), 7u);
  EXPECT_THROW(table->GetMonthNumber(2024, u"Sept"), EConvertError);
  EXPECT_EQ(table->GetDayNumber(u"17"), 17u);
  EXPECT_THROW(table->GetDayNumber(u"x"), EConvertError);
  EXPECT_THROW(table->GetYearNumber(u""), EConvertError);

  EXPECT_EQ(Hijri()->GetMonthNumber(1445, u"ramadan"), 9u);
  EXPECT_EQ(Hijri()->GetMonthNumber(1445, u"MUHARRAM"), 1u);
  EXPECT_EQ(Hijri()->GetMonthNumber(1445, u"March"), 3u);  // the common rule still applies
  EXPECT_EQ(Hebrew()->GetMonthNumber(5784, u"adar ii"), 7u);
  EXPECT_EQ(Hebrew()->GetMonthNumber(5784, u"Nisan"), 8u);
  EXPECT_EQ(Hebrew()->GetMonthNumber(5785, u"Adar"), 6u);
  EXPECT_EQ(Hebrew()->GetMonthNumber(5785, u"Nisan"), 7u);
  EXPECT_EQ(Hebrew()->GetMonthNumber(5785, u"Elul"), 12u);
  // Without names from the calendar information only the common rule is left.
  TCalendarInfoMissing missing;
  EXPECT_THROW(Hijri()->GetMonthNumber(1445, u"Ramadan"), EConvertError);
}

TEST(CalendarTokens, HebrewLettersCountInEitherEncoding) {
  // Tav, shin, pe, dalet: 400 + 300 + 80 + 4.
  const String unicode = u"\u05EA\u05E9\u05E4\u05D3";
  const String codePage = {Char(250), Char(249), Char(244), Char(227)};
  EXPECT_EQ(TcxHebrewCalendarTable::HebrewNumber(unicode), 784);
  EXPECT_EQ(TcxHebrewCalendarTable::HebrewNumber(codePage), 784);
  EXPECT_EQ(Hebrew()->GetYearNumber(unicode), 5784);
  EXPECT_EQ(Hebrew()->GetYearNumber(codePage), 5784);
  // Tet, vav: 15; the geresh marks count nothing.
  EXPECT_EQ(Hebrew()->GetDayNumber(u"\u05D8\u05F3\u05D5"), 15u);
  EXPECT_EQ(Hebrew()->GetDayNumber(u"15"), 15u);
  // Final kaf and final pe count 0, final mem, nun and tsadi as in the code page.
  EXPECT_EQ(TcxHebrewCalendarTable::HebrewNumber(u"\u05DA\u05E3"), 0);
  EXPECT_EQ(TcxHebrewCalendarTable::HebrewNumber(u"\u05DD\u05DF\u05E5"), 40 + 50 + 80);
  EXPECT_EQ(TcxHebrewCalendarTable::HebrewNumber(u"abc"), 0);
  // A month by its number in letters when the year has it: zayin is 7.
  EXPECT_EQ(Hebrew()->GetMonthNumber(5784, u"\u05D6"), 7u);
  EXPECT_EQ(Hebrew()->GetMonthNumber(5784, u"\u05D9\u05D2"), 13u);
  EXPECT_THROW(Hebrew()->GetMonthNumber(5785, u"\u05D9\u05D2"), EConvertError);
}

// --- Hijri -----------------------------------------------------------------------

TEST(HijriCalendar, LeapYearsHaveAThirtiethDayInTheTwelfthMonth) {
  TcxCustomCalendarTable* table = Hijri();
  EXPECT_FALSE(table->IsLeapYear(1));
  EXPECT_EQ(table->GetDaysInYear(1), 354u);
  EXPECT_TRUE(table->IsLeapYear(2));
  EXPECT_EQ(table->GetDaysInYear(2), 355u);
  EXPECT_EQ(table->GetDaysInMonth(2, 12), 30u);
  EXPECT_EQ(table->GetDaysInMonth(1, 12), 29u);
  EXPECT_EQ(table->GetDaysInMonth(1, 1), 30u);
  EXPECT_EQ(table->GetDaysInMonth(1, 2), 29u);
  EXPECT_TRUE(table->IsLeapMonth(2, 12));
  EXPECT_TRUE(table->IsLeapDay(2, 12, 30));
  EXPECT_FALSE(table->IsLeapDay(2, 12, 29));
  EXPECT_FALSE(table->IsValidDay(1, 12, 30));
  EXPECT_EQ(table->GetMonthsInYear(2), 12u);
  EXPECT_EQ(table->GetFullWeeksInYear(2), 50u);
}

TEST(HijriCalendar, SupportsEveryDayFromItsFirstToTheHostsLast) {
  TcxCustomCalendarTable* table = Hijri();
  EXPECT_EQ(table->GetMinSupportedDate(), EncodeDate(622, 7, 18));
  EXPECT_EQ(table->GetMaxSupportedDate(), MaxDateTime);
  EXPECT_EQ(table->GetMinSupportedYear(), 1);
  EXPECT_EQ(table->GetMaxSupportedYear(), 9666);
  EXPECT_TRUE(SameDay(table->FromDateTime(EncodeDate(622, 7, 18)), CalendarDate(1, 1, 1)));
  EXPECT_TRUE(SameDay(table->FromDateTime(EncodeDate(9999, 12, 31)), CalendarDate(9666, 4, 3)));
  EXPECT_TRUE(table->IsValidDate(EncodeDate(622, 7, 18)));
  EXPECT_FALSE(table->IsValidDate(EncodeDate(622, 7, 17)));
  EXPECT_FALSE(table->IsValidDate(std::nan("")));
  // A date that is none counts from the first.
  EXPECT_EQ(table->AddDays(table->FromDateTime(std::nan("")), 1), EncodeDate(622, 7, 19));
  EXPECT_EQ(table->AddDays(CalendarDate(9666, 4, 3), 1), MaxDateTime);
  EXPECT_EQ(table->AddMonths(CalendarDate(9666, 3, 20), 1), MaxDateTime);
  EXPECT_EQ(table->AddDays(CalendarDate(1, 1, 1), -1), EncodeDate(622, 7, 18));
  // A moment keeps its time through the conversion.
  const TDateTime moment = EncodeDate(2024, 3, 15) + EncodeTime(18, 45, 0, 0);
  EXPECT_DOUBLE_EQ(table->ToDateTime(table->FromDateTime(moment)), moment);
}

TEST(HijriCalendar, NumbersWeeksFromItsOwnNewYear) {
  // 1 Muharram 1446 is Sunday 2024-07-07; weeks start on Saturday.
  TcxCustomCalendarTable* table = Hijri();
  ASSERT_EQ(table->ToDateTime(1446, 1, 1), EncodeDate(2024, 7, 7));
  EXPECT_EQ(table->GetWeekNumber(EncodeDate(2024, 7, 12), dSunday, fwyJan1), 1u);    // Friday
  EXPECT_EQ(table->GetWeekNumber(EncodeDate(2024, 7, 13), dSunday, fwyJan1), 2u);    // Saturday
  EXPECT_EQ(table->GetWeekNumber(EncodeDate(2024, 7, 13), dSunday, fwyFirstFullWeek), 1u);
  EXPECT_EQ(table->GetWeekNumber(EncodeDate(2024, 7, 20), dSunday, fwyFirstFullWeek), 2u);
  EXPECT_EQ(table->GetWeekNumber(EncodeDate(2024, 7, 13), dSunday, fwyFirstFourDays), 2u);
}

// --- Hebrew ----------------------------------------------------------------------

TEST(HebrewCalendar, TheFirstOfJanuary2024) {
  TcxHebrewCalendarTable* table = Hebrew();
  const TcxDateTime date = table->FromDateTime(EncodeDate(2024, 1, 1));
  EXPECT_TRUE(SameDay(date, CalendarDate(5784, 4, 20))) << Show(date);
  EXPECT_EQ(table->ToDateTime(5784, 4, 20), EncodeDate(2024, 1, 1));
  EXPECT_EQ(table->GetYearType(5784), 1);
  EXPECT_TRUE(table->IsLeapYear(5784));
  EXPECT_EQ(table->GetDaysInYear(5784), 383u);
  EXPECT_EQ(table->GetMonthsInYear(5784), 13u);
  EXPECT_EQ(table->GetFullWeeksInYear(5784), 54u);
  EXPECT_TRUE(table->IsLeapMonth(5784, 7));
  EXPECT_FALSE(table->IsLeapMonth(5784, 6));
  EXPECT_TRUE(table->IsLeapDay(5784, 7, 29));
  EXPECT_FALSE(table->IsLeapDay(5784, 7, 30));
  EXPECT_FALSE(table->IsLeapMonth(5785, 7));
  EXPECT_EQ(table->GetMonthsInYear(5785), 12u);
  EXPECT_EQ(table->GetDaysInYear(5785), 355u);
  EXPECT_EQ(table->GetYearType(5785), 3);
}

TEST(HebrewCalendar, CoversTheYears5343To5999) {
  TcxHebrewCalendarTable* table = Hebrew();
  EXPECT_EQ(table->GetYearType(5342), 0);
  EXPECT_FALSE(table->IsLeapYear(5342));
  EXPECT_FALSE(table->IsValidYear(5342));
  EXPECT_EQ(table->GetDaysInYear(5342), 0u);
  EXPECT_EQ(table->GetDaysInMonth(5342, 1), 0u);
  EXPECT_TRUE(table->IsValidYear(5999));
  EXPECT_FALSE(table->IsValidYear(6000));
  EXPECT_EQ(table->GetMinSupportedDate(), EncodeDate(1583, 1, 1));
  EXPECT_DOUBLE_EQ(table->GetMaxSupportedDate(), EncodeDate(2239, 9, 29) + EncodeTime(23, 59, 59, 999));
  // 2239-09-29 closes 5999.
  const TcxDateTime last = table->FromDateTime(EncodeDate(2239, 9, 29));
  EXPECT_TRUE(SameDay(last, CalendarDate(5999, 13, 29))) << Show(last);
  // Outside, the nearer bound converts.
  EXPECT_TRUE(SameDay(table->FromDateTime(EncodeDate(2300, 1, 1)), last));
  EXPECT_EQ(table->FromDateTime(EncodeDate(2300, 1, 1)).Hours, 23);
  EXPECT_TRUE(SameDay(table->FromDateTime(EncodeDate(1400, 1, 1)), CalendarDate(5343, 4, 7)));
  EXPECT_TRUE(SameDay(table->FromDateTime(std::nan("")), CalendarDate(5343, 4, 7)));
  EXPECT_EQ(table->ToDateTime(5342, 13, 1), table->GetMinSupportedDate());
}

TEST(HebrewCalendar, EveryMomentOfADayIsThatDay) {
  TcxCustomCalendarTable* table = Hebrew();
  // The eve of 1 Tishrei 5785 (2024-10-03) is still 29 Elul 5784.
  const TDateTime eve = EncodeDate(2024, 10, 2) + EncodeTime(23, 0, 0, 0);
  const TcxDateTime date = table->FromDateTime(eve);
  EXPECT_TRUE(SameDay(date, CalendarDate(5784, 13, 29))) << Show(date);
  EXPECT_EQ(date.Hours, 23);
  EXPECT_DOUBLE_EQ(table->ToDateTime(date), eve);
  // Before 1899-12-30 too.
  const TDateTime early = EncodeDate(1600, 3, 1) - EncodeTime(12, 0, 0, 0);
  EXPECT_DOUBLE_EQ(table->ToDateTime(table->FromDateTime(early)), early);
  EXPECT_TRUE(SameDay(table->FromDateTime(early), table->FromDateTime(EncodeDate(1600, 3, 1))));
}

TEST(HebrewCalendar, NumbersWeeksFromItsOwnNewYear) {
  // 1 Tishrei 5785 is Thursday 2024-10-03; 1 Tishrei 5786 Tuesday 2025-09-23.
  TcxCustomCalendarTable* table = Hebrew();
  ASSERT_EQ(table->ToDateTime(5785, 1, 1), EncodeDate(2024, 10, 3));
  ASSERT_EQ(table->ToDateTime(5786, 1, 1), EncodeDate(2025, 9, 23));
  struct TCase {
    TDateTime Date;
    TcxFirstWeekOfYear Rule;
    Cardinal Week;
  } cases[] = {
      {EncodeDate(2024, 10, 5), fwyJan1, 1},          {EncodeDate(2024, 10, 6), fwyJan1, 2},
      {EncodeDate(2024, 10, 6), fwyFirstFullWeek, 1}, {EncodeDate(2024, 10, 13), fwyFirstFullWeek, 2},
      {EncodeDate(2024, 10, 13), fwyFirstFourDays, 2}, {EncodeDate(2024, 10, 6), fwySystem, 2},
      // The last week of 5785 runs from Sunday 2025-09-21 into 5786.
      {EncodeDate(2025, 9, 22), fwyJan1, 1},          {EncodeDate(2025, 9, 22), fwyFirstFourDays, 1},
      {EncodeDate(2025, 9, 20), fwyJan1, 51},
  };
  for (const auto& c : cases) EXPECT_EQ(table->GetWeekNumber(c.Date, dMonday, c.Rule), c.Week) << c.Date;
}

}  // namespace

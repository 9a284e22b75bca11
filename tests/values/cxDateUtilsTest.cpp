#include "values/cxDateUtils.h"

#include <gtest/gtest.h>

#include "tests/values/CalendarTestSupport.h"

namespace {

TEST(cxDateUtils, MonthNamesComeFromTheCalendar) {
  struct TCase {
    CALID Calendar;
    Integer Year;
    Cardinal Month;
    const char16_t* Name;
  } cases[] = {
      {CAL_GREGORIAN, 2024, 3, u"March"},  {CAL_GREGORIAN, 2024, 13, u""},   {CAL_JAPAN, 6, 12, u"December"},
      {CAL_HIJRI, 1445, 9, u"Ramadan"},    {CAL_HIJRI, 1445, 13, u""},       {CAL_HEBREW, 5784, 6, u"Adar I"},
      {CAL_HEBREW, 5784, 7, u"Adar II"},   {CAL_HEBREW, 5785, 6, u"Adar"},   {CAL_HEBREW, 5785, 7, u"Nisan"},
      {CAL_HEBREW, 5785, 13, u""},         {CAL_GREGORIAN, 2024, 0, u""},    {CAL_HEBREW, 5784, 14, u""},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(cxGetLocalMonthName(c.Year, c.Month, cxGetCalendar(c.Calendar)), c.Name)
        << c.Calendar << " " << c.Year << "-" << c.Month;
  // By date: 2024-03-15 is in Adar II 5784.
  EXPECT_EQ(cxGetLocalMonthName(EncodeDate(2024, 3, 15), cxGetCalendar(CAL_HEBREW)), u"Adar II");
  EXPECT_EQ(cxGetLocalMonthName(EncodeDate(2024, 3, 15), cxGetCalendar(CAL_GREGORIAN)), u"March");
}

TEST(cxDateUtils, MonthNamesFollowTheLocalCalendarAndItsInformation) {
  EXPECT_EQ(cxGetLocalMonthName(1445, 9), u"September");
  {
    TReportedCalendar hijri(CAL_HIJRI);
    EXPECT_EQ(cxGetLocalMonthName(1445, 9), u"Ramadan");
  }
  TCalendarInfoMissing missing;
  EXPECT_EQ(cxGetLocalMonthName(2024, 3), u"");
}

TEST(cxDateUtils, DaysOfTheWeek) {
  const TDateTime wednesday = EncodeDate(2024, 5, 8) + 0.75;
  EXPECT_EQ(dxDayOfWeek(wednesday), dWednesday);
  EXPECT_EQ(dxDateOf(wednesday), EncodeDate(2024, 5, 8));
  EXPECT_EQ(dxDateOf(-800000.5), -700000);
  EXPECT_EQ(dxDayOfWeekOffset(wednesday, dMonday), 2);
  EXPECT_EQ(dxDayOfWeekOffset(wednesday, dThursday), 6);
  EXPECT_EQ(dxGetStartDateOfWeek(wednesday, dSunday), EncodeDate(2024, 5, 5));
  EXPECT_EQ(dxGetStartDateOfWeek(wednesday, dWednesday), EncodeDate(2024, 5, 8));
}

TEST(cxDateUtils, WeekNumbers) {
  struct TCase {
    TDateTime Date;
    TDay Start;
    TcxFirstWeekOfYear Rule;
    Integer Week;
  } cases[] = {
      // 31 December 2024, a Tuesday, opens 2025's first week with Monday starts.
      {EncodeDate(2024, 12, 31), dMonday, fwyFirstFourDays, 1},
      {EncodeDate(2024, 12, 31), dMonday, fwyFirstFullWeek, 53},
      {EncodeDate(2024, 12, 31), dSunday, fwyJan1, 1},
      // 1 January 2021, a Friday, closes 2020's last week unless 1 January counts.
      {EncodeDate(2021, 1, 1), dMonday, fwyFirstFourDays, 53},
      {EncodeDate(2021, 1, 1), dMonday, fwyFirstFullWeek, 52},
      {EncodeDate(2021, 1, 1), dMonday, fwyJan1, 1},
      {EncodeDate(2021, 1, 4), dMonday, fwyFirstFourDays, 1},
      {EncodeDate(2024, 5, 8), dMonday, fwyFirstFourDays, 19},
      // The locale's rule is the week of 1 January.
      {EncodeDate(2021, 1, 1), dMonday, fwySystem, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(dxGetWeekNumber(c.Date, c.Start, c.Rule), c.Week) << c.Date;
  EXPECT_EQ(dxGetLocalFirstWeekOfYear(), fwyJan1);
}

}  // namespace

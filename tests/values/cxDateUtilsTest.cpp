#include "values/cxDateUtils.h"

#include <gtest/gtest.h>
#include <unicode/ucal.h>

#include <string>

#include "controls/dxCore.h"
#include "tests/values/CalendarTestSupport.h"

namespace {

std::string Utf8(const String& S) { return UTF8Encode(S); }

// The run-time's settings and the start of week as the tests found them.
class DateUtils : public ::testing::Test {
 protected:
  void TearDown() override {
    dxResetAssignedStartOfWeek();
    SetLocaleProfile(TLocaleProfile::EnglishUS);
    GetFormatSettings();
  }
};

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

// Every day of four years, under every first day and rule, against ICU's
// week of year with the same first day and minimal days in the first week.
TEST(cxDateUtils, WeekNumbersAgreeWithIcu) {
  struct TRule {
    TcxFirstWeekOfYear Rule;
    int32_t MinimalDays;
  } rules[] = {{fwyJan1, 1}, {fwyFirstFullWeek, 7}, {fwyFirstFourDays, 4}};
  UErrorCode status = U_ZERO_ERROR;
  UCalendar* calendar = ucal_open(u"UTC", -1, "en_US", UCAL_GREGORIAN, &status);
  ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
  int differences = 0;
  for (const TRule& rule : rules)
    for (int start = dSunday; start <= dSaturday; ++start) {
      ucal_setAttribute(calendar, UCAL_FIRST_DAY_OF_WEEK, start + 1);  // ICU counts from Sunday = 1
      ucal_setAttribute(calendar, UCAL_MINIMAL_DAYS_IN_FIRST_WEEK, rule.MinimalDays);
      for (TDateTime date = EncodeDate(2023, 1, 1); date <= EncodeDate(2026, 12, 31); date += 1) {
        status = U_ZERO_ERROR;
        ucal_setMillis(calendar, IcuMillis(date + 0.5), &status);
        const int32_t expected = ucal_get(calendar, UCAL_WEEK_OF_YEAR, &status);
        const Integer week = dxGetWeekNumber(date, static_cast<TDay>(start), rule.Rule);
        if (week != expected && ++differences <= 10)
          ADD_FAILURE() << Utf8(DateToStr(date)) << " starting on " << start << ", rule " << int(rule.Rule) << ": "
                        << week << " instead of " << expected;
      }
    }
  ucal_close(calendar);
  EXPECT_EQ(differences, 0);
}

TEST_F(DateUtils, StartOfWeekIsTheLocalesUntilSet) {
  EXPECT_EQ(dxGetLocalStartOfWeek(), dSunday);
  EXPECT_EQ(dxGetStartOfWeek(), dSunday);
  EXPECT_FALSE(dxGetAssignedStartOfWeek());
  const TDateTime wednesday = EncodeDate(2024, 5, 8) + 0.75;
  EXPECT_EQ(dxDayOfWeekOffset(wednesday), 3);
  EXPECT_EQ(dxGetStartDateOfWeek(wednesday), EncodeDate(2024, 5, 5));
  dxSetStartOfWeek(dThursday);
  EXPECT_TRUE(dxGetAssignedStartOfWeek());
  EXPECT_EQ(dxGetStartOfWeek(), dThursday);
  EXPECT_EQ(dxDayOfWeekOffset(wednesday), 6);
  EXPECT_EQ(dxGetStartDateOfWeek(wednesday), EncodeDate(2024, 5, 2));
  dxResetAssignedStartOfWeek();
  EXPECT_EQ(dxGetStartOfWeek(), dSunday);
}

TEST(cxDateUtils, DayNumberings) {
  struct TCase {
    Integer Number;
    TDay FromVCL, FromSystem;
  } cases[] = {
      {0, dSaturday, dMonday}, {1, dSunday, dTuesday},    {2, dMonday, dWednesday}, {5, dThursday, dSaturday},
      {6, dFriday, dSunday},   {7, dSaturday, dMonday},   {8, dSunday, dTuesday},   {-1, dFriday, dSunday},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(dxDayOfWeekFromVCL(c.Number), c.FromVCL) << c.Number;
    EXPECT_EQ(dxDayOfWeekFromSystem(c.Number), c.FromSystem) << c.Number;
  }
}

// --- Locale queries -----------------------------------------------------------------

TEST_F(DateUtils, LocaleQueriesAnswerFromTheLocaleNotTheRuntime) {
  EXPECT_EQ(cxGetLocalDateSeparator(), u'/');
  EXPECT_EQ(cxGetLocalTimeSeparator(), u':');
  EXPECT_EQ(cxGetLocalShortDateFormat(), u"M/d/yyyy");
  EXPECT_EQ(cxGetLocalLongDateFormat(), u"dddd, MMMM d, yyyy");
  EXPECT_EQ(cxGetLocalLongTimeFormat(), u"h:mm:ss tt");
  EXPECT_EQ(cxGetLocalTimeAMString(), u"AM");
  EXPECT_EQ(cxGetLocalTimePMString(), u"PM");
  SetLocaleProfile(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(cxGetLocalShortDateFormat(), u"dd/MM/yyyy");
  EXPECT_EQ(cxGetLocalLongDateFormat(), u"dddd, d' de 'MMMM' de 'yyyy");
  EXPECT_EQ(cxGetLocalLongTimeFormat(), u"HH:mm:ss");
  EXPECT_EQ(cxGetLocalTimeAMString(), u"");
  EXPECT_EQ(cxGetLocalTimePMString(), u"");
  const TFormatSettings local = cxGetLocalFormatSettings();
  EXPECT_EQ(local.DecimalSeparator, u',');
  EXPECT_EQ(local.LongMonthNames[0], u"janeiro");
  EXPECT_EQ(FormatSettings.DecimalSeparator, u'.') << "the run-time keeps its settings until reloaded";
}

TEST_F(DateUtils, DateFormatOfTheLocale) {
  const TDateTime date = EncodeDate(2024, 5, 8) + 0.25;
  EXPECT_EQ(cxGetDateFormat(date, u""), u"5/8/2024");
  EXPECT_EQ(cxGetDateFormat(date, u"", DATE_LONGDATE), u"Wednesday, May 8, 2024");
  EXPECT_EQ(cxGetDateFormat(date, u"yyyy-MM-dd 'of' MMM", DATE_LONGDATE), u"2024-05-08 of May");
  SetLocaleProfile(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(cxGetDateFormat(date, u"", DATE_LONGDATE), u"quarta-feira, 8 de maio de 2024");
}

// --- Dates as text by a format ---------------------------------------------------

TEST_F(DateUtils, DateToStrByFormat) {
  struct TCase {
    TDateTime Date;
    const char16_t* Format;
    Char Separator;
    const char16_t* Text;
  } cases[] = {
      {EncodeDate(2024, 5, 8), u"M/d/yyyy", 0, u"5/8/2024"},
      {EncodeDate(2024, 5, 8), u"M/d/yyyy", u'-', u"5-8-2024"},
      {EncodeDate(2024, 5, 8), u"dd.MM.yy", 0, u"08.05.24"},
      {EncodeDate(2024, 5, 8), u"MM/DD/YYYY", 0, u"05/08/2024"},  // letters in any case
      {EncodeDate(2024, 5, 8), u"ddd dd MMM yyyy", 0, u"Wed 08 May 2024"},
      {EncodeDate(2024, 5, 8), u"dddd, MMMM d, yyyy", 0, u"Wednesday,May,8,2024"},
      {EncodeDate(2024, 5, 8), u"dddd, MMMM d, yyyy", u'/', u"Wednesday/May/8/2024"},
      // Quoted text is copied and stands for the separator.
      {EncodeDate(2024, 5, 8), u"d' de 'MMMM' de 'yyyy", u'/', u"8 de May de 2024"},
      {EncodeDate(2024, 5, 8), u"'on' d/M", 0, u"on8/5"},
      // Text before the first part and after the last is left out.
      {EncodeDate(2024, 5, 8), u"(d/M)", 0, u"8/5"},
      // Years of four digits, padded; two digits are the last two.
      {EncodeDate(5, 3, 1), u"y/M/d", 0, u"0005/3/1"},
      {EncodeDate(5, 3, 1), u"yyy-MM-dd", 0, u"0005-03-01"},
      {EncodeDate(2005, 3, 1), u"yy MM", 0, u"05 03"},
      {EncodeDate(2024, 5, 8), u"yyyyMMdd", u'.', u"20240508"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Utf8(cxDateToStrByFormat(c.Date, c.Format, c.Separator)), Utf8(c.Text));
}

// --- Smart input --------------------------------------------------------------------

TEST(cxDateUtils, SmartInputWrapsTheMask) {
  String mask = u"\\d\\d";
  AddDateRegExprMaskSmartInput(mask, false);
  const String words =
      u"'today'|'yesterday'|'tomorrow'|'Sunday'|'Monday'|'Tuesday'|'Wednesday'|'Thursday'|'Friday'|'Saturday'|"
      u"'first'|'second'|'third'|'fourth'|'fifth'|'sixth'|'seventh'|'bom'|'eom'";
  EXPECT_EQ(Utf8(mask), Utf8(u"(\\d\\d)|(" + words + u")((\\+|-)\\d(\\d(\\d\\d?)?)?)?"));
  mask = u"x";
  AddDateRegExprMaskSmartInput(mask, true);
  EXPECT_EQ(Utf8(mask), Utf8(u"(x)|(" + words + u"|'now')((\\+|-)\\d(\\d(\\d\\d?)?)?)?"));
}

TEST(cxDateUtils, SmartInputWordsAreTranslatable) {
  TdxProductResourceStrings* product = dxResourceStringsRepository()->GetProductByName(cxSDateProduct);
  ASSERT_NE(product, nullptr);
  product->SetTranslation(cxSDateToday, u"aujourd'hui");
  product->SetTranslation(cxSDateYesterday, u"");
  String mask = u"x";
  AddDateRegExprMaskSmartInput(mask, false);
  product->ClearTranslations();
  EXPECT_TRUE(mask.starts_with(u"(x)|('aujourd''hui'|'tomorrow'|")) << Utf8(mask);
}

TEST(cxDateUtils, QuotedRegExprText) {
  EXPECT_EQ(cxRegExprQuotedText(u"a b"), u"'a b'");
  EXPECT_EQ(cxRegExprQuotedText(u"it's"), u"'it''s'");
  EXPECT_EQ(cxRegExprQuotedText(u""), u"''");
}

}  // namespace

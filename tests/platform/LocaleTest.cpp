#include "platform/Locale.h"

#include "platform/Kernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Text = std::u16string;

std::string Utf8(const Text& s) {
  std::string out;
  for (char16_t c : s) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out;
}

// Asks for the size first, then fetches with exactly that size.
Text LocaleText(LCTYPE type) {
  const int size = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
  if (size <= 0) return u"<failed>";
  Text out(static_cast<size_t>(size), u'#');
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, type, out.data(), size), size) << std::hex << type;
  EXPECT_EQ(out.back(), u'\0') << std::hex << type;
  out.pop_back();
  return out;
}

DWORD LocaleNumber(LCTYPE type) {
  DWORD value = 0xDEADBEEF;
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, type | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&value), 2), 2)
      << std::hex << type;
  return value;
}

// For a month name, Year (when given) is the calendar's year meant.
Text CalendarText(CALTYPE type, CALID calendar = CAL_GREGORIAN, DWORD* year = nullptr) {
  const int size = GetCalendarInfoW(LOCALE_USER_DEFAULT, calendar, type, nullptr, 0, year);
  if (size <= 0) return u"<failed>";
  Text out(static_cast<size_t>(size), u'#');
  EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, calendar, type, out.data(), size, year), size) << std::hex << type;
  out.pop_back();
  return out;
}

DWORD CalendarNumber(CALID calendar, CALTYPE type) {
  DWORD value = 0xDEADBEEF;
  EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, calendar, type | CAL_RETURN_NUMBER, nullptr, 0, &value), 2)
      << calendar << " " << std::hex << type;
  return value;
}

// Undoes SetLocaleCalendarType when the test ends.
struct ReportedCalendar {
  explicit ReportedCalendar(CALID calendar) { SetLocaleCalendarType(calendar); }
  ~ReportedCalendar() { SetLocaleCalendarType(0); }
};

struct ItemCase {
  LCTYPE Type;
  const char16_t* English;
  const char16_t* Portuguese;
};

const ItemCase Items[] = {
    {LOCALE_SDECIMAL, u".", u","},
    {LOCALE_STHOUSAND, u",", u"."},
    {LOCALE_SGROUPING, u"3;0", u"3;0"},
    {LOCALE_SLIST, u",", u";"},
    {LOCALE_IDIGITS, u"2", u"2"},
    {LOCALE_ILZERO, u"1", u"1"},
    {LOCALE_SDATE, u"/", u"/"},
    {LOCALE_STIME, u":", u":"},
    {LOCALE_SSHORTDATE, u"M/d/yyyy", u"dd/MM/yyyy"},
    {LOCALE_SLONGDATE, u"dddd, MMMM d, yyyy", u"dddd, d' de 'MMMM' de 'yyyy"},
    {LOCALE_STIMEFORMAT, u"h:mm:ss tt", u"HH:mm:ss"},
    {LOCALE_SSHORTTIME, u"h:mm tt", u"HH:mm"},
    {LOCALE_IDATE, u"0", u"1"},
    {LOCALE_ITIME, u"0", u"1"},
    {LOCALE_S1159, u"AM", u""},
    {LOCALE_S2359, u"PM", u""},
    {LOCALE_SCURRENCY, u"$", u"R$"},
    {LOCALE_ICURRENCY, u"0", u"2"},
    {LOCALE_INEGCURR, u"0", u"9"},
    {LOCALE_ICURRDIGITS, u"2", u"2"},
    {LOCALE_SDAYNAME1, u"Monday", u"segunda-feira"},
    {LOCALE_SDAYNAME1 + 1, u"Tuesday", u"ter\u00e7a-feira"},
    {LOCALE_SDAYNAME1 + 2, u"Wednesday", u"quarta-feira"},
    {LOCALE_SDAYNAME1 + 3, u"Thursday", u"quinta-feira"},
    {LOCALE_SDAYNAME1 + 4, u"Friday", u"sexta-feira"},
    {LOCALE_SDAYNAME1 + 5, u"Saturday", u"s\u00e1bado"},
    {LOCALE_SDAYNAME1 + 6, u"Sunday", u"domingo"},
    {LOCALE_SABBREVDAYNAME1, u"Mon", u"seg"},
    {LOCALE_SABBREVDAYNAME1 + 1, u"Tue", u"ter"},
    {LOCALE_SABBREVDAYNAME1 + 2, u"Wed", u"qua"},
    {LOCALE_SABBREVDAYNAME1 + 3, u"Thu", u"qui"},
    {LOCALE_SABBREVDAYNAME1 + 4, u"Fri", u"sex"},
    {LOCALE_SABBREVDAYNAME1 + 5, u"Sat", u"s\u00e1b"},
    {LOCALE_SABBREVDAYNAME1 + 6, u"Sun", u"dom"},
    {LOCALE_SMONTHNAME1, u"January", u"janeiro"},
    {LOCALE_SMONTHNAME1 + 1, u"February", u"fevereiro"},
    {LOCALE_SMONTHNAME1 + 2, u"March", u"mar\u00e7o"},
    {LOCALE_SMONTHNAME1 + 3, u"April", u"abril"},
    {LOCALE_SMONTHNAME1 + 4, u"May", u"maio"},
    {LOCALE_SMONTHNAME1 + 5, u"June", u"junho"},
    {LOCALE_SMONTHNAME1 + 6, u"July", u"julho"},
    {LOCALE_SMONTHNAME1 + 7, u"August", u"agosto"},
    {LOCALE_SMONTHNAME1 + 8, u"September", u"setembro"},
    {LOCALE_SMONTHNAME1 + 9, u"October", u"outubro"},
    {LOCALE_SMONTHNAME1 + 10, u"November", u"novembro"},
    {LOCALE_SMONTHNAME1 + 11, u"December", u"dezembro"},
    {LOCALE_SABBREVMONTHNAME1, u"Jan", u"jan"},
    {LOCALE_SABBREVMONTHNAME1 + 1, u"Feb", u"fev"},
    {LOCALE_SABBREVMONTHNAME1 + 2, u"Mar", u"mar"},
    {LOCALE_SABBREVMONTHNAME1 + 3, u"Apr", u"abr"},
    {LOCALE_SABBREVMONTHNAME1 + 4, u"May", u"mai"},
    {LOCALE_SABBREVMONTHNAME1 + 5, u"Jun", u"jun"},
    {LOCALE_SABBREVMONTHNAME1 + 6, u"Jul", u"jul"},
    {LOCALE_SABBREVMONTHNAME1 + 7, u"Aug", u"ago"},
    {LOCALE_SABBREVMONTHNAME1 + 8, u"Sep", u"set"},
    {LOCALE_SABBREVMONTHNAME1 + 9, u"Oct", u"out"},
    {LOCALE_SABBREVMONTHNAME1 + 10, u"Nov", u"nov"},
    {LOCALE_SABBREVMONTHNAME1 + 11, u"Dec", u"dez"},
    {LOCALE_SPOSITIVESIGN, u"", u""},
    {LOCALE_SNEGATIVESIGN, u"-", u"-"},
    {LOCALE_IFIRSTDAYOFWEEK, u"6", u"6"},
    {LOCALE_IFIRSTWEEKOFYEAR, u"0", u"0"},
    {LOCALE_ICALENDARTYPE, u"1", u"1"},
    {LOCALE_IDEFAULTANSICODEPAGE, u"1252", u"1252"},
    {LOCALE_IDEFAULTCODEPAGE, u"437", u"850"},
    {LOCALE_SNAME, u"en-US", u"pt-BR"},
    {LOCALE_ILANGUAGE, u"0409", u"0416"},
    {LOCALE_SLANGUAGE, u"English (United States)", u"Portuguese (Brazil)"},
};

TEST(LocaleInfo, FixedProfilesAnswerEveryItem) {
  for (const auto profile : {TLocaleProfile::EnglishUS, TLocaleProfile::PortugueseBR}) {
    SetLocaleProfile(profile);
    const bool english = profile == TLocaleProfile::EnglishUS;
    for (const auto& t : Items) {
      const Text expected = english ? t.English : t.Portuguese;
      EXPECT_EQ(LocaleText(t.Type), expected) << (english ? "en " : "pt ") << std::hex << t.Type;
      // The override bit changes nothing: there are no user overrides.
      EXPECT_EQ(LocaleText(t.Type | LOCALE_NOUSEROVERRIDE), expected) << std::hex << t.Type;
    }
  }
}

TEST(LocaleInfo, ProfilesSetTheLocaleIdentifiers) {
  struct Case {
    TLocaleProfile Profile;
    LCID Lcid;
  };
  for (const Case& t : {Case{TLocaleProfile::EnglishUS, 0x0409}, Case{TLocaleProfile::PortugueseBR, 0x0416}}) {
    SetLocaleProfile(t.Profile);
    EXPECT_EQ(GetLocaleProfile(), t.Profile);
    EXPECT_EQ(GetUserDefaultLCID(), t.Lcid);
    EXPECT_EQ(GetSystemDefaultLCID(), t.Lcid);
    EXPECT_EQ(GetThreadLocale(), t.Lcid);
    EXPECT_EQ(SetThreadLocale(0x0407), TRUE);
    EXPECT_EQ(GetThreadLocale(), 0x0407u);
    EXPECT_EQ(SetThreadLocale(LOCALE_USER_DEFAULT), TRUE);
    EXPECT_EQ(GetThreadLocale(), t.Lcid);
    SetThreadLocale(0x0407);
  }
  // A new selection puts the thread back on the user default.
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  EXPECT_EQ(GetThreadLocale(), 0x0409u);
}

TEST(LocaleInfo, NumericItemsComeBackAsNumbers) {
  struct Case {
    LCTYPE Type;
    DWORD English, Portuguese;
  };
  const Case cases[] = {
      {LOCALE_IDIGITS, 2, 2},         {LOCALE_ILZERO, 1, 1},
      {LOCALE_ICURRDIGITS, 2, 2},     {LOCALE_ICURRENCY, 0, 2},
      {LOCALE_INEGCURR, 0, 9},        {LOCALE_IDATE, 0, 1},
      {LOCALE_ITIME, 0, 1},           {LOCALE_ICALENDARTYPE, 1, 1},
      {LOCALE_IFIRSTDAYOFWEEK, 6, 6}, {LOCALE_IFIRSTWEEKOFYEAR, 0, 0},
      {LOCALE_IDEFAULTANSICODEPAGE, 1252, 1252},
      {LOCALE_IDEFAULTCODEPAGE, 437, 850},
      {LOCALE_ILANGUAGE, 0x0409, 0x0416},
  };
  for (const auto profile : {TLocaleProfile::EnglishUS, TLocaleProfile::PortugueseBR}) {
    SetLocaleProfile(profile);
    for (const auto& t : cases) {
      EXPECT_EQ(LocaleNumber(t.Type), profile == TLocaleProfile::EnglishUS ? t.English : t.Portuguese)
          << std::hex << t.Type;
      EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, t.Type | LOCALE_RETURN_NUMBER, nullptr, 0), 2);
    }
  }
}

TEST(LocaleInfo, ReportsBufferAndItemErrors) {
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  WCHAR buffer[32];
  std::fill(std::begin(buffer), std::end(buffer), u'#');

  // "M/d/yyyy" needs nine units with its terminator.
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, 0), 9);
  EXPECT_EQ(buffer[0], u'#');
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, 9), 9);
  EXPECT_EQ(Text(buffer), u"M/d/yyyy");

  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDIGITS | LOCALE_RETURN_NUMBER, buffer, 1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

  struct Failure {
    LCTYPE Type;
    DWORD Error;
  };
  const Failure failures[] = {
      {0x0003, ERROR_INVALID_FLAGS},
      {0x9999, ERROR_INVALID_FLAGS},
      {LOCALE_SDECIMAL | 0x40000000, ERROR_INVALID_FLAGS},
      {LOCALE_SDECIMAL | LOCALE_RETURN_NUMBER, ERROR_INVALID_FLAGS},
      {LOCALE_SSHORTDATE | LOCALE_RETURN_NUMBER, ERROR_INVALID_FLAGS},
      {LOCALE_SNAME | LOCALE_RETURN_NUMBER, ERROR_INVALID_FLAGS},
  };
  for (const auto& t : failures) {
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, t.Type, buffer, 32), 0) << std::hex << t.Type;
    EXPECT_EQ(GetLastError(), t.Error) << std::hex << t.Type;
  }
}

TEST(CalendarInfo, AnswersGregorianItemsFromTheProfile) {
  for (const auto profile : {TLocaleProfile::EnglishUS, TLocaleProfile::PortugueseBR}) {
    SetLocaleProfile(profile);
    EXPECT_EQ(CalendarText(CAL_SSHORTDATE), LocaleText(LOCALE_SSHORTDATE));
    EXPECT_EQ(CalendarText(CAL_SLONGDATE), LocaleText(LOCALE_SLONGDATE));
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(CalendarText(CAL_SDAYNAME1 + i), LocaleText(LOCALE_SDAYNAME1 + i)) << i;
      EXPECT_EQ(CalendarText(CAL_SABBREVDAYNAME1 + i), LocaleText(LOCALE_SABBREVDAYNAME1 + i)) << i;
    }
    for (int i = 0; i < 12; ++i) {
      EXPECT_EQ(CalendarText(CAL_SMONTHNAME1 + i), LocaleText(LOCALE_SMONTHNAME1 + i)) << i;
      EXPECT_EQ(CalendarText(CAL_SABBREVMONTHNAME1 + i), LocaleText(LOCALE_SABBREVMONTHNAME1 + i)) << i;
    }
    EXPECT_EQ(CalendarText(CAL_ICALINTVALUE), u"1");
    EXPECT_EQ(CalendarText(CAL_SCALNAME), u"Gregorian Calendar");
  }
  // The Gregorian year has no thirteenth month; the answer is just the terminator.
  WCHAR buffer[8] = {u'#'};
  EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_SMONTHNAME1 + 12, buffer, 8, nullptr), 1);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_SABBREVMONTHNAME1 + 12, buffer, 8, nullptr), 1);
}

TEST(CalendarInfo, TwoDigitYearMaximumAsTextAndNumber) {
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  EXPECT_EQ(CalendarText(CAL_ITWODIGITYEARMAX), u"2049");

  for (const CALID calendar : {CAL_GREGORIAN, CALID{0}}) {
    DWORD value = 0;
    EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, calendar, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                               &value),
              2);
    EXPECT_EQ(value, 2049u);
  }
  DWORD value = 0;
  EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ICALINTVALUE | CAL_RETURN_NUMBER, nullptr, 0,
                             &value),
            2);
  EXPECT_EQ(value, 1u);

  struct Failure {
    CALID Calendar;
    CALTYPE Type;
    bool WithValue;
    DWORD Error;
  };
  const Failure failures[] = {
      {CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, false, ERROR_INVALID_PARAMETER},
      {13, CAL_ITWODIGITYEARMAX, true, ERROR_INVALID_PARAMETER},
      {CAL_GREGORIAN, CAL_SCALNAME | CAL_RETURN_NUMBER, true, ERROR_INVALID_FLAGS},
      {CAL_GREGORIAN, 0x0003, true, ERROR_INVALID_FLAGS},
      {CAL_GREGORIAN, 0x0031, true, ERROR_INVALID_FLAGS},
  };
  for (const auto& t : failures) {
    WCHAR buffer[16];
    SetLastError(0);
    EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, t.Calendar, t.Type, buffer, 16, t.WithValue ? &value : nullptr), 0)
        << std::hex << t.Type;
    EXPECT_EQ(GetLastError(), t.Error) << std::hex << t.Type;
  }

  WCHAR small[4];
  SetLastError(0);
  EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX, small, 4, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX, nullptr, 0, nullptr), 5);
}

TEST(CalendarInfo, EveryCalendarHasItsNumberNameAndTwoDigitYearMaximum) {
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  struct TCase {
    CALID Calendar;
    DWORD TwoDigitYearMax;
    const char16_t* Name;
  };
  const TCase cases[] = {
      {CAL_GREGORIAN, 2049, u"Gregorian Calendar"},
      {CAL_GREGORIAN_US, 2049, u"Gregorian Calendar (U.S. English)"},
      {CAL_JAPAN, 99, u"Japanese Emperor Era Calendar"},
      {CAL_TAIWAN, 138, u"Taiwan Calendar"},
      {CAL_KOREA, 4382, u"Korean Tangun Era Calendar"},
      {CAL_HIJRI, 1471, u"Hijri Calendar"},
      {CAL_THAI, 2592, u"Thai Buddhist Calendar"},
      {CAL_HEBREW, 5799, u"Hebrew Calendar"},
      {CAL_GREGORIAN_ME_FRENCH, 2049, u"Gregorian Calendar (Middle East French)"},
      {CAL_GREGORIAN_ARABIC, 2049, u"Gregorian Calendar (Arabic)"},
      {CAL_GREGORIAN_XLIT_ENGLISH, 2049, u"Gregorian Calendar (Transliterated English)"},
      {CAL_GREGORIAN_XLIT_FRENCH, 2049, u"Gregorian Calendar (Transliterated French)"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(CalendarNumber(c.Calendar, CAL_ITWODIGITYEARMAX), c.TwoDigitYearMax) << c.Calendar;
    EXPECT_EQ(CalendarNumber(c.Calendar, CAL_ICALINTVALUE), c.Calendar);
    EXPECT_EQ(CalendarText(CAL_SCALNAME, c.Calendar), c.Name);
    // Day names and date pictures are the locale's whatever the calendar.
    EXPECT_EQ(CalendarText(CAL_SDAYNAME1 + 6, c.Calendar), u"Sunday") << c.Calendar;
    EXPECT_EQ(CalendarText(CAL_SSHORTDATE, c.Calendar), u"M/d/yyyy") << c.Calendar;
  }
  SetLastError(0);
  DWORD value = 0;
  EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, 13, CAL_ICALINTVALUE | CAL_RETURN_NUMBER, nullptr, 0, &value), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CalendarInfo, TheLocaleReportsTheCalendarTypeTheSwitchSets) {
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  EXPECT_EQ(LocaleNumber(LOCALE_ICALENDARTYPE), 1u);
  {
    ReportedCalendar hebrew(CAL_HEBREW);
    EXPECT_EQ(LocaleNumber(LOCALE_ICALENDARTYPE), 8u);
    EXPECT_EQ(LocaleText(LOCALE_ICALENDARTYPE), u"8");
    // Calendar 0 is the one the locale reports.
    EXPECT_EQ(CalendarNumber(0, CAL_ITWODIGITYEARMAX), 5799u);
    EXPECT_EQ(CalendarText(CAL_SCALNAME, 0), u"Hebrew Calendar");
    // A profile switch keeps it: it is the test's, not the profile's.
    SetLocaleProfile(TLocaleProfile::PortugueseBR);
    EXPECT_EQ(LocaleNumber(LOCALE_ICALENDARTYPE), 8u);
  }
  EXPECT_EQ(LocaleNumber(LOCALE_ICALENDARTYPE), 1u);
  EXPECT_EQ(CalendarNumber(0, CAL_ITWODIGITYEARMAX), 2049u);
}

TEST(CalendarInfo, SolarCalendarsNameTheGregorianMonthsInTheLocalesLanguage) {
  for (const auto profile : {TLocaleProfile::EnglishUS, TLocaleProfile::PortugueseBR}) {
    SetLocaleProfile(profile);
    for (const CALID calendar : {CAL_GREGORIAN_US, CAL_JAPAN, CAL_TAIWAN, CAL_KOREA, CAL_THAI, CAL_GREGORIAN_ARABIC}) {
      for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(CalendarText(CAL_SMONTHNAME1 + i, calendar), LocaleText(LOCALE_SMONTHNAME1 + i)) << calendar;
        EXPECT_EQ(CalendarText(CAL_SABBREVMONTHNAME1 + i, calendar), LocaleText(LOCALE_SABBREVMONTHNAME1 + i));
      }
      EXPECT_EQ(CalendarText(CAL_SMONTHNAME1 + 12, calendar), u"");
    }
  }
  SetLocaleProfile(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(CalendarText(CAL_SMONTHNAME1, CAL_JAPAN), u"janeiro");
}

TEST(CalendarInfo, LunarCalendarsNameTheirOwnMonths) {
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  EXPECT_EQ(CalendarText(CAL_SMONTHNAME1, CAL_HIJRI), u"Muharram");
  EXPECT_EQ(CalendarText(CAL_SMONTHNAME1 + 8, CAL_HIJRI), u"Ramadan");
  EXPECT_EQ(CalendarText(CAL_SMONTHNAME1 + 12, CAL_HIJRI), u"");

  // 5784 is a leap year, 5785 a common one.
  struct TCase {
    DWORD Year;
    int Month;
    const char16_t* Name;
  };
  const TCase cases[] = {
      {5784, 1, u"Tishri"}, {5784, 5, u"Shevat"}, {5784, 6, u"Adar I"}, {5784, 7, u"Adar II"},
      {5784, 8, u"Nisan"},  {5784, 13, u"Elul"},  {5785, 5, u"Shevat"}, {5785, 6, u"Adar"},
      {5785, 7, u"Nisan"},  {5785, 12, u"Elul"},  {5785, 13, u""},     {0, 7, u"Adar II"},
  };
  for (const TCase& c : cases) {
    DWORD year = c.Year;
    EXPECT_EQ(CalendarText(CAL_SMONTHNAME1 + c.Month - 1, CAL_HEBREW, &year), c.Name) << c.Year << " " << c.Month;
  }
  // Without a year, a leap year's months.
  EXPECT_EQ(CalendarText(CAL_SMONTHNAME1 + 5, CAL_HEBREW), u"Adar I");
  EXPECT_EQ(CalendarText(CAL_SMONTHNAME1 + 12, CAL_HEBREW), u"Elul");
  // Small buffers fail as for every other item.
  WCHAR small[3];
  SetLastError(0);
  EXPECT_EQ(GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_HIJRI, CAL_SMONTHNAME1, small, 3, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(StringType, ClassifiesEachUnit) {
  struct Case {
    Text Units;
    std::vector<WORD> Types;
  };
  const WORD letterUpper = C1_UPPER | C1_ALPHA | C1_DEFINED;
  const WORD letterLower = C1_LOWER | C1_ALPHA | C1_DEFINED;
  const WORD punct = C1_PUNCT | C1_DEFINED;
  const Case cases[] = {
      {u"Az", {letterUpper | C1_XDIGIT, letterLower}},
      {u"fG", {letterLower | C1_XDIGIT, letterUpper}},
      {u"09", {C1_DIGIT | C1_XDIGIT | C1_DEFINED, C1_DIGIT | C1_XDIGIT | C1_DEFINED}},
      {u"\u0663", {C1_DIGIT | C1_DEFINED}},
      {u" \t", {C1_SPACE | C1_BLANK | C1_DEFINED, C1_SPACE | C1_BLANK | C1_CNTRL | C1_DEFINED}},
      {u"\n\r", {C1_SPACE | C1_CNTRL | C1_DEFINED, C1_SPACE | C1_CNTRL | C1_DEFINED}},
      {u"\u00a0", {C1_SPACE | C1_BLANK | C1_DEFINED}},
      {u".,!?", {punct, punct, punct, punct}},
      {u"$+<=>^`|~", {punct, punct, punct, punct, punct, punct, punct, punct, punct}},
      {u"\u20ac", {punct}},
      {Text(1, u'\x01') + u"\x7f", {C1_CNTRL | C1_DEFINED, C1_CNTRL | C1_DEFINED}},
      {u"\u00e9\u00c9\u00e7", {letterLower, letterUpper, letterLower}},
      {u"\u4e2d", {C1_ALPHA | C1_DEFINED}},
      {u"\U00010400\U00010428", {letterUpper, letterUpper, letterLower, letterLower}},
      {u"\U0001F600", {punct, punct}},
      {Text{0xD800, u'g'}, {0, letterLower}},
      {Text{u'g', 0xDC00}, {letterLower, 0}},
      {u"\u0378\uffff", {0, 0}},
  };
  for (const auto& t : cases) {
    std::vector<WORD> types(t.Units.size(), 0xFFFF);
    EXPECT_EQ(GetStringTypeW(CT_CTYPE1, t.Units.data(), static_cast<int>(t.Units.size()), types.data()), TRUE);
    EXPECT_EQ(types, t.Types) << Utf8(t.Units);
  }
}

TEST(StringType, CountsUpToTheTerminatorAndRejectsBadArguments) {
  const WCHAR text[] = u"a1 ";
  WORD types[4] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  EXPECT_EQ(GetStringTypeW(CT_CTYPE1, text, -1, types), TRUE);
  EXPECT_EQ(types[0], C1_LOWER | C1_ALPHA | C1_XDIGIT | C1_DEFINED);
  EXPECT_EQ(types[2], C1_SPACE | C1_BLANK | C1_DEFINED);
  EXPECT_EQ(types[3], 0xFFFF);

  // A pair cut by the count leaves a lone lead unit.
  const WCHAR pair[] = u"\U00010400";
  EXPECT_EQ(GetStringTypeW(CT_CTYPE1, pair, 1, types), TRUE);
  EXPECT_EQ(types[0], 0);

  SetLastError(0);
  EXPECT_EQ(GetStringTypeW(2, text, -1, types), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
  SetLastError(0);
  EXPECT_EQ(GetStringTypeW(CT_CTYPE1, nullptr, 3, types), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(GetStringTypeW(CT_CTYPE1, text, 3, nullptr), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

SYSTEMTIME Date(WORD year, WORD month, WORD day) {
  SYSTEMTIME st;
  st.wYear = year;
  st.wMonth = month;
  st.wDay = day;
  st.wDayOfWeek = 3;  // deliberately wrong: the weekday comes from the date
  return st;
}

Text FormatDate(DWORD flags, const SYSTEMTIME* date, const char16_t* picture) {
  const int size = GetDateFormatW(LOCALE_USER_DEFAULT, flags, date, picture, nullptr, 0);
  if (size <= 0) return u"<failed>";
  Text out(static_cast<size_t>(size), u'#');
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, flags, date, picture, out.data(), size), size);
  out.pop_back();
  return out;
}

TEST(DateFormat, ExpandsPictures) {
  struct Case {
    TLocaleProfile Profile;
    SYSTEMTIME Date;
    const char16_t* Picture;
    const char16_t* Expected;
  };
  const auto en = TLocaleProfile::EnglishUS;
  const auto pt = TLocaleProfile::PortugueseBR;
  const Case cases[] = {
      {en, Date(2024, 3, 5), u"d/M/y", u"5/3/24"},
      {en, Date(2024, 3, 5), u"dd.MM.yy", u"05.03.24"},
      {en, Date(2005, 11, 23), u"y yy yyy yyyy", u"5 05 2005 2005"},
      {en, Date(987, 1, 1), u"yyyy", u"0987"},
      {en, Date(2024, 3, 5), u"ddd dddd", u"Tue Tuesday"},
      {en, Date(2024, 3, 5), u"MMM MMMM", u"Mar March"},
      {en, Date(2023, 1, 1), u"dddd", u"Sunday"},
      {en, Date(2000, 2, 29), u"dddd", u"Tuesday"},
      {en, Date(2024, 3, 5), u"'day' d 'of' MMMM", u"day 5 of March"},
      {en, Date(2024, 3, 5), u"'o''clock' '' d", u"o'clock ' 5"},
      {en, Date(2024, 3, 5), u"h:m -- ", u"h:m -- "},
      {pt, Date(2024, 3, 5), u"dddd, d' de 'MMMM' de 'yyyy", u"ter\u00e7a-feira, 5 de mar\u00e7o de 2024"},
      {pt, Date(2024, 8, 31), u"ddd MMM", u"s\u00e1b ago"},
  };
  for (const auto& t : cases) {
    SetLocaleProfile(t.Profile);
    EXPECT_EQ(FormatDate(0, &t.Date, t.Picture), t.Expected) << Utf8(t.Picture);
  }
}

TEST(DateFormat, TakesProfilePicturesFromFlags) {
  const SYSTEMTIME date = Date(2024, 3, 5);
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  EXPECT_EQ(FormatDate(DATE_SHORTDATE, &date, nullptr), u"3/5/2024");
  EXPECT_EQ(FormatDate(0, &date, nullptr), u"3/5/2024");
  EXPECT_EQ(FormatDate(DATE_LONGDATE, &date, nullptr), u"Tuesday, March 5, 2024");
  SetLocaleProfile(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(FormatDate(DATE_SHORTDATE, &date, nullptr), u"05/03/2024");
  EXPECT_EQ(FormatDate(DATE_LONGDATE, &date, nullptr), u"ter\u00e7a-feira, 5 de mar\u00e7o de 2024");
}

TEST(DateFormat, NullDateMeansToday) {
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  const Text today = FormatDate(0, nullptr, u"yyyy-MM-dd");
  GetLocalTime(&after);
  EXPECT_TRUE(today == FormatDate(0, &before, u"yyyy-MM-dd") || today == FormatDate(0, &after, u"yyyy-MM-dd"))
      << Utf8(today);
}

TEST(DateFormat, RejectsInvalidDatesFlagsAndSmallBuffers) {
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  const SYSTEMTIME invalid[] = {Date(2024, 0, 1), Date(2024, 13, 1), Date(2024, 1, 0),
                                Date(2024, 4, 31), Date(2023, 2, 29), Date(1900, 2, 29)};
  for (const auto& d : invalid) {
    WCHAR buffer[32];
    SetLastError(0);
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &d, u"d", buffer, 32), 0) << d.wYear << "-" << d.wMonth << "-" << d.wDay;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  const SYSTEMTIME leap = Date(2000, 2, 29);
  EXPECT_EQ(FormatDate(0, &leap, u"d"), u"29");

  const SYSTEMTIME date = Date(2024, 3, 5);
  WCHAR buffer[32];
  struct FlagCase {
    DWORD Flags;
    const char16_t* Picture;
  };
  for (const auto& t : {FlagCase{DATE_SHORTDATE, u"d"}, FlagCase{DATE_LONGDATE, u"d"},
                        FlagCase{DATE_SHORTDATE | DATE_LONGDATE, nullptr}, FlagCase{0x0100, nullptr}}) {
    SetLastError(0);
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, t.Flags, &date, t.Picture, buffer, 32), 0) << t.Flags;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS) << t.Flags;
  }

  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, nullptr, 0), 9);
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

int Compare(DWORD flags, const Text& a, const Text& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, flags, a.c_str(), -1, b.c_str(), -1);
}

TEST(Collation, OrdersWordsAsTheLocaleDoes) {
  struct Case {
    DWORD Flags;
    const char16_t* A;
    const char16_t* B;
    int Expected;
  };
  const Case cases[] = {
      {0, u"Black", u"Blue", CSTR_LESS_THAN},
      {0, u"Darkroom", u"DarkSide", CSTR_LESS_THAN},
      {0, u"HighTower", u"iMaginary", CSTR_LESS_THAN},
      {0, u"iMaginary", u"Lilian", CSTR_LESS_THAN},
      {0, u"ultraflat", u"UltraFlat", CSTR_LESS_THAN},
      {NORM_IGNORECASE, u"UltraFlat", u"ultraflat", CSTR_EQUAL},
      {NORM_IGNORECASE, u"ultraflat", u"UltraFlat", CSTR_EQUAL},
      {NORM_IGNORECASE, u"\u00e9t\u00e9", u"ete", CSTR_GREATER_THAN},
      {0, u"same", u"same", CSTR_EQUAL},
      {0, u"cote", u"c\u00f4te", CSTR_LESS_THAN},
      {0, u"\u00e1rvore", u"barco", CSTR_LESS_THAN},
  };
  for (const auto profile : {TLocaleProfile::EnglishUS, TLocaleProfile::PortugueseBR}) {
    SetLocaleProfile(profile);
    for (const auto& t : cases) {
      EXPECT_EQ(Compare(t.Flags, t.A, t.B), t.Expected) << Utf8(t.A) << " vs " << Utf8(t.B);
      EXPECT_EQ(Compare(t.Flags, t.B, t.A), 4 - t.Expected) << Utf8(t.B) << " vs " << Utf8(t.A);
    }
    std::vector<Text> words = {u"Lilian", u"iMaginary", u"DarkSide", u"Blue", u"HighTower", u"Darkroom", u"Black"};
    std::sort(words.begin(), words.end(), [](const Text& a, const Text& b) { return Compare(0, a, b) == CSTR_LESS_THAN; });
    EXPECT_EQ(words, (std::vector<Text>{u"Black", u"Blue", u"Darkroom", u"DarkSide", u"HighTower", u"iMaginary",
                                        u"Lilian"}));
  }
}

TEST(Collation, HonoursCountsAndRejectsOtherFlags) {
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, u"Blue", 2, u"Bl", -1), CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, u"Blue", 3, u"Blue", 4), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, u"", 0, u"", -1), CSTR_EQUAL);

  SetLastError(0);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0x1000, u"a", -1, u"b", -1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
  SetLastError(0);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, nullptr, -1, u"b", -1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CaseMapping, MapsEachCodePointInPlace) {
  struct Case {
    Text Input, Upper, Lower;
  };
  const Case cases[] = {
      {u"Hello, World 42", u"HELLO, WORLD 42", u"hello, world 42"},
      {u"\u00e9t\u00e9 \u00c9T\u00c9", u"\u00c9T\u00c9 \u00c9T\u00c9", u"\u00e9t\u00e9 \u00e9t\u00e9"},
      {u"Stra\u00dfe", u"STRA\u00dfE", u"stra\u00dfe"},
      {u"\u00ff\u0178", u"\u0178\u0178", u"\u00ff\u00ff"},
      {u"\U00010400\U00010428", u"\U00010400\U00010400", u"\U00010428\U00010428"},
      {Text{0xD801, u'a', 0xDC28}, Text{0xD801, u'A', 0xDC28}, Text{0xD801, u'a', 0xDC28}},
  };
  for (const auto& t : cases) {
    Text upper = t.Input, lower = t.Input;
    EXPECT_EQ(CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size())), upper.size());
    EXPECT_EQ(CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size())), lower.size());
    EXPECT_EQ(upper, t.Upper) << Utf8(t.Input);
    EXPECT_EQ(lower, t.Lower) << Utf8(t.Input);
  }

  Text partial = u"abcd";
  EXPECT_EQ(CharUpperBuffW(partial.data(), 2), 2u);
  EXPECT_EQ(partial, u"ABcd");
}

// The environment decides the user profile, so only what holds for every
// locale is checked.
TEST(UserProfile, AnswersConsistentlyForTheEnvironment) {
  SetLocaleProfile(TLocaleProfile::User);
  EXPECT_EQ(GetLocaleProfile(), TLocaleProfile::User);
  EXPECT_NE(GetUserDefaultLCID(), 0u);
  EXPECT_EQ(GetThreadLocale(), GetUserDefaultLCID());

  const Text decimal = LocaleText(LOCALE_SDECIMAL);
  EXPECT_FALSE(decimal.empty());
  EXPECT_NE(decimal, LocaleText(LOCALE_STHOUSAND));
  EXPECT_NE(LocaleText(LOCALE_SSHORTDATE).find(u"yyyy"), Text::npos) << Utf8(LocaleText(LOCALE_SSHORTDATE));
  for (int i = 0; i < 12; ++i) {
    EXPECT_FALSE(LocaleText(LOCALE_SMONTHNAME1 + i).empty()) << i;
    EXPECT_FALSE(LocaleText(LOCALE_SABBREVMONTHNAME1 + i).empty()) << i;
  }
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(LocaleText(LOCALE_SDAYNAME1 + i).empty()) << i;
  EXPECT_LE(LocaleNumber(LOCALE_IFIRSTDAYOFWEEK), 6u);
  EXPECT_LE(LocaleNumber(LOCALE_IDATE), 2u);
  EXPECT_LE(LocaleNumber(LOCALE_ICURRENCY), 3u);
  EXPECT_LE(LocaleNumber(LOCALE_INEGCURR), 15u);

  // Whatever the locale, its own short date picture formats a date.
  const SYSTEMTIME date = Date(2024, 3, 5);
  EXPECT_NE(FormatDate(DATE_SHORTDATE, &date, nullptr).find(u"2024"), Text::npos);
  EXPECT_EQ(Compare(0, u"a", u"b"), CSTR_LESS_THAN);
}

}  // namespace

#include "host/DateUtils.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "host/Exceptions.h"
#include "host/SysUtils.h"
#include "tests/host/TestSettings.h"

namespace {

TFormatSettings IsoSettings() {
  TFormatSettings fs = EnglishSettings();
  fs.DateSeparator = u'-';
  fs.ShortDateFormat = u"yyyy-MM-dd";
  return fs;
}

std::string Narrow(std::u16string_view s) { return UTF8Encode(s); }

Word ThisYear() {
  Word y, m, d;
  DecodeDate(Date(), y, m, d);
  return y;
}

struct DateCase {
  Word year, month, day;
  double serial;
  Word dayOfWeek;
};

TEST(DateEncoding, RoundTripsAroundCalendarEdges) {
  const DateCase cases[] = {
      {1899, 12, 30, 0, 7},     {1899, 12, 31, 1, 1},     {1899, 12, 29, -1, 6},   {1900, 1, 1, 2, 2},
      {1900, 2, 28, 60, 4},     {1900, 3, 1, 61, 5},      {2000, 1, 1, 36526, 7},  {2000, 2, 29, 36585, 3},
      {2100, 2, 28, 73109, 1},  {2100, 3, 1, 73110, 2},   {100, 1, 1, -657434, 6}, {9999, 12, 31, 2958465, 6},
      {1, 1, 1, -693593, 2},    {2024, 2, 29, 45351, 5},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
    EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial);
    // The time of day must not move the date, on either side of the origin.
    const TDateTime withTime = c.serial >= 0 ? c.serial + 0.75 : c.serial - 0.75;
    for (TDateTime value : {c.serial, withTime}) {
      Word y, m, d;
      DecodeDate(value, y, m, d);
      EXPECT_EQ(y, c.year);
      EXPECT_EQ(m, c.month);
      EXPECT_EQ(d, c.day);
      EXPECT_EQ(DayOfWeek(value), c.dayOfWeek);
      EXPECT_EQ(DateOf(value), c.serial);
    }
  }
}

TEST(DateEncoding, EveryDayFollowsThePreviousOne) {
  Word y, m, d;
  DecodeDate(-693593, y, m, d);
  Word dow = DayOfWeek(-693593);
  for (Integer serial = -693592; serial <= 2958465; ++serial) {
    Word ny, nm, nd;
    DecodeDate(serial, ny, nm, nd);
    const bool sameMonth = ny == y && nm == m && nd == d + 1;
    const bool nextMonth = ny == y && nm == m + 1 && nd == 1;
    const bool nextYear = ny == y + 1 && nm == 1 && nd == 1 && m == 12 && d == 31;
    const Word ndow = DayOfWeek(serial);
    if (!(sameMonth || nextMonth || nextYear) || ndow != dow % 7 + 1) {
      FAIL() << "serial " << serial << " decodes to " << ny << '-' << nm << '-' << nd << " after " << y << '-' << m
             << '-' << d;
    }
    TDateTime encoded;
    if (nextMonth && !(TryEncodeDate(y, m, d, encoded) && encoded == serial - 1)) FAIL() << "month end " << serial;
    y = ny, m = nm, d = nd, dow = ndow;
  }
  EXPECT_EQ(y, 9999);
  EXPECT_EQ(m, 12);
  EXPECT_EQ(d, 31);
}

TEST(DateEncoding, InvalidDatesAndTimesRaise) {
  const Word badDates[][3] = {{0, 1, 1},    {10000, 1, 1}, {2020, 0, 1},  {2020, 13, 1}, {2020, 1, 0},
                              {2020, 1, 32}, {2019, 2, 29}, {1900, 2, 29}, {2020, 4, 31}, {2100, 2, 29}};
  for (const auto& b : badDates) {
    SCOPED_TRACE(testing::Message() << b[0] << '-' << b[1] << '-' << b[2]);
    TDateTime value = 123;
    EXPECT_FALSE(TryEncodeDate(b[0], b[1], b[2], value));
    try {
      EncodeDate(b[0], b[1], b[2]);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.GetMessage(), u"Invalid argument to date encode");
    }
  }
  const Word badTimes[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
  for (const auto& b : badTimes) {
    SCOPED_TRACE(testing::Message() << b[0] << ':' << b[1] << ':' << b[2] << '.' << b[3]);
    TDateTime value = 123;
    EXPECT_FALSE(TryEncodeTime(b[0], b[1], b[2], b[3], value));
    try {
      EncodeTime(b[0], b[1], b[2], b[3]);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.GetMessage(), u"Invalid argument to time encode");
    }
  }
  EXPECT_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
  EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

TEST(DateEncoding, LeapYears) {
  const std::pair<Word, bool> cases[] = {{1, false},    {4, true},     {100, false},  {400, true},
                                         {1900, false}, {2000, true},  {2004, true},  {2023, false},
                                         {2100, false}, {2400, true},  {9996, true},  {9999, false}};
  for (const auto& [year, leap] : cases) EXPECT_EQ(IsLeapYear(year), leap) << year;
}

TEST(DateEncoding, OutOfRangeDecodesToZero) {
  const TDateTime values[] = {-693594.0, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()};
  for (TDateTime v : values) {
    Word y = 1, m = 1, d = 1;
    DecodeDate(v, y, m, d);
    EXPECT_EQ(y + m + d, 0) << v;
  }
}

struct TimeCase {
  TDateTime value;
  Word hour, min, sec, msec;
  Word year, month, day;
};

TEST(TimeDecoding, RoundsToMillisecondsAndCarries) {
  constexpr double ms = 1.0 / 86400000.0;
  const TimeCase cases[] = {
      {0.5 - 1e-12, 12, 0, 0, 0, 1899, 12, 30},
      {0.5, 12, 0, 0, 0, 1899, 12, 30},
      {EncodeTime(23, 59, 59, 999), 23, 59, 59, 999, 1899, 12, 30},
      {59999.6 * ms, 0, 1, 0, 0, 1899, 12, 30},
      {999.6 * ms, 0, 0, 1, 0, 1899, 12, 30},
      {3599999.5 * ms, 1, 0, 0, 0, 1899, 12, 30},
      {1.0 - 0.4 * ms, 0, 0, 0, 0, 1899, 12, 31},
      {-1.25, 6, 0, 0, 0, 1899, 12, 29},
      {-0.5, 12, 0, 0, 0, 1899, 12, 30},
      {-1.0 - 0.4 * ms, 0, 0, 0, 0, 1899, 12, 29},
      {-2.0 + 1.6 * ms, 23, 59, 59, 998, 1899, 12, 29},
      {-2.0 + 0.4 * ms, 0, 0, 0, 0, 1899, 12, 30},
      {36526.0 + EncodeTime(13, 45, 30, 250), 13, 45, 30, 250, 2000, 1, 1},
      {MaxDateTime, 23, 59, 59, 999, 9999, 12, 31},
  };
  for (const TimeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hexfloat << c.value);
    Word h, n, s, z, y, m, d;
    DecodeTime(c.value, h, n, s, z);
    DecodeDate(c.value, y, m, d);
    EXPECT_EQ((std::array<Word, 7>{h, n, s, z, y, m, d}),
              (std::array<Word, 7>{c.hour, c.min, c.sec, c.msec, c.year, c.month, c.day}));
  }
}

TEST(SystemTime, ConvertsBothWays) {
  const TDateTime leapDay = EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 6, 789);
  SYSTEMTIME st;
  DateTimeToSystemTime(leapDay, st);
  EXPECT_EQ((std::array<Word, 8>{st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute, st.wSecond,
                                 st.wMilliseconds}),
            (std::array<Word, 8>{2024, 2, 29, 4, 13, 5, 6, 789}));
  EXPECT_EQ(SystemTimeToDateTime(st), leapDay);

  SYSTEMTIME before{};
  before.wYear = 1899, before.wMonth = 12, before.wDay = 29, before.wHour = 6;
  EXPECT_EQ(SystemTimeToDateTime(before), -1.25);
  DateTimeToSystemTime(-1.25, st);
  EXPECT_EQ(st.wDayOfWeek, 5);
  EXPECT_EQ(st.wHour, 6);

  SYSTEMTIME bad{};
  bad.wYear = 2023, bad.wMonth = 2, bad.wDay = 29;
  EXPECT_THROW(SystemTimeToDateTime(bad), EConvertError);
}

TEST(SystemTime, ClockReadsAreConsistent) {
  const TDateTime today = Date();
  const TDateTime now = Now();
  const TDateTime time = Time();
  EXPECT_EQ(DateOf(today), today);
  EXPECT_GE(now, today);
  EXPECT_LT(now, today + 2);  // midnight may pass between the reads
  EXPECT_GE(time, 0.0);
  EXPECT_LT(time, 1.0);
  EXPECT_GE(ThisYear(), 2024);
}

struct FormatCase {
  const char16_t* format;
  const char16_t* english;
  const char16_t* brazilian;
};

TEST(FormatDateTime, FormatLettersUnderBothSettings) {
  // Tuesday 2024-03-05 14:07:09.045
  const TDateTime value = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
  const FormatCase cases[] = {
      {u"d", u"5", u"5"},
      {u"dd", u"05", u"05"},
      {u"ddd", u"Tue", u"ter"},
      {u"dddd", u"Tuesday", u"terça-feira"},
      {u"ddddd", u"3/5/2024", u"05/03/2024"},
      {u"dddddd", u"Tuesday, March 5, 2024", u"terça-feira, 5 de março de 2024"},
      {u"DDDD", u"Tuesday", u"terça-feira"},
      {u"m", u"3", u"3"},
      {u"mm", u"03", u"03"},
      {u"mmm", u"Mar", u"mar"},
      {u"mmmm", u"March", u"março"},
      {u"MmMm", u"March", u"março"},
      {u"y", u"2024", u"2024"},
      {u"yy", u"24", u"24"},
      {u"yyy", u"2024", u"2024"},
      {u"yyyy", u"2024", u"2024"},
      {u"e", u"2024", u"2024"},
      {u"ee", u"24", u"24"},
      {u"h:m", u"14:7", u"14:7"},
      {u"hh:mm", u"14:07", u"14:07"},
      {u"HH:MM", u"14:07", u"14:07"},
      {u"hh 'h' mm", u"14 h 07", u"14 h 07"},
      {u"h d m", u"14 5 3", u"14 5 3"},
      {u"mm hh", u"03 14", u"03 14"},
      {u"hh:mmm", u"14:Mar", u"14:mar"},
      {u"h:nn:ss.zzz", u"14:07:09.045", u"14:07:09.045"},
      {u"n s z", u"7 9 45", u"7 9 45"},
      {u"h am/pm", u"2 pm", u"2 pm"},
      {u"h AM/PM", u"2 PM", u"2 PM"},
      {u"h Am/Pm", u"2 Pm", u"2 Pm"},
      {u"h a/p", u"2 p", u"2 p"},
      {u"h A/P", u"2 P", u"2 P"},
      {u"h ampm", u"2 PM", u"2 "},
      {u"am/pm h", u"pm 14", u"pm 14"},
      {u"h 'am/pm'", u"14 am/pm", u"14 am/pm"},
      {u"t", u"2:07 PM", u"14:07"},
      {u"tt", u"2:07:09 PM", u"14:07:09"},
      {u"c", u"3/5/2024 2:07:09 PM", u"05/03/2024 14:07:09"},
      {u"'dd' dd", u"dd 05", u"dd 05"},
      {u"\"mm\"/mm", u"mm/03", u"mm/03"},
      {u"'it''s' d", u"its 5", u"its 5"},
      {u"d 'open", u"5 open", u"5 open"},
      {u"[d] x a q", u"[5] x a q", u"[5] x a q"},
      {u"", u"", u""},
  };
  const TFormatSettings en = EnglishSettings(), pt = BrazilianSettings();
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(Narrow(c.format));
    EXPECT_EQ(Narrow(FormatDateTime(c.format, value, en)), Narrow(c.english));
    EXPECT_EQ(Narrow(FormatDateTime(c.format, value, pt)), Narrow(c.brazilian));
  }
}

TEST(FormatDateTime, TwelveHourClock) {
  const std::pair<Word, const char16_t*> cases[] = {
      {0, u"12:00 am 12 AM"}, {1, u"1:00 am 1 AM"}, {11, u"11:00 am 11 AM"},
      {12, u"12:00 pm 12 PM"}, {13, u"1:00 pm 1 PM"}, {23, u"11:00 pm 11 PM"}};
  const TFormatSettings en = EnglishSettings();
  for (const auto& [hour, expected] : cases)
    EXPECT_EQ(Narrow(FormatDateTime(u"h:nn am/pm h AMPM", EncodeTime(hour, 0, 0, 0), en)), Narrow(expected));
}

TEST(FormatDateTime, SeparatorsComeFromTheSettings) {
  TFormatSettings fs = BrazilianSettings();
  fs.DateSeparator = u'.';
  fs.TimeSeparator = u'h';
  const TDateTime value = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 0, 0);
  EXPECT_EQ(FormatDateTime(u"dd/mm/yy hh:nn", value, fs), u"05.03.24 14h07");
  EXPECT_EQ(DateTimeToStr(value, fs), u"05.03.2024 14h07h00");
}

TEST(FormatDateTime, SelfContainingFormatsStop) {
  TFormatSettings fs = EnglishSettings();
  fs.ShortDateFormat = u"d ddddd";
  fs.LongTimeFormat = u"c tt";
  const TDateTime value = EncodeDate(2024, 3, 5) + 0.5;
  const String date = FormatDateTime(u"ddddd", value, fs);
  EXPECT_EQ(date.substr(0, 4), u"5 5 ");
  EXPECT_LT(date.size(), 64u);
  EXPECT_LT(DateTimeToStr(value, fs).size(), 1024u);
}

TEST(DateTimeToStr, TimeShownUnlessMidnight) {
  struct Case {
    TDateTime value;
    const char16_t* english;
    const char16_t* brazilian;
  };
  const TDateTime day = EncodeDate(2024, 3, 5);
  const Case cases[] = {
      {day, u"3/5/2024", u"05/03/2024"},
      {day + EncodeTime(0, 0, 0, 1), u"3/5/2024 12:00:00 AM", u"05/03/2024 00:00:00"},
      {day + EncodeTime(18, 30, 15, 0), u"3/5/2024 6:30:15 PM", u"05/03/2024 18:30:15"},
      {-1.25, u"12/29/1899 6:00:00 AM", u"29/12/1899 06:00:00"},
      {-1.0, u"12/29/1899", u"29/12/1899"},
  };
  const TFormatSettings en = EnglishSettings(), pt = BrazilianSettings();
  for (const Case& c : cases) {
    EXPECT_EQ(Narrow(DateTimeToStr(c.value, en)), Narrow(c.english));
    EXPECT_EQ(Narrow(DateTimeToStr(c.value, pt)), Narrow(c.brazilian));
  }
  const TDateTime evening = day + EncodeTime(18, 30, 15, 0);
  EXPECT_EQ(DateToStr(evening, en), u"3/5/2024");
  EXPECT_EQ(TimeToStr(evening, en), u"6:30:15 PM");
  EXPECT_EQ(TimeToStr(evening, pt), u"18:30:15");
  EXPECT_EQ(DateToStr(EncodeDate(99, 7, 4), en), u"7/4/0099");
}

struct ParseCase {
  const char16_t* text;
  Word year, month, day;  // year 0: this year
};

TEST(TryStrToDate, FollowsTheShortDateOrder) {
  const std::pair<TFormatSettings, std::vector<ParseCase>> groups[] = {
      {EnglishSettings(),
       {{u"3/5/2024", 2024, 3, 5},
        {u"  03/05/2024\t", 2024, 3, 5},
        {u"12/31/9999", 9999, 12, 31},
        {u"2/29/2000", 2000, 2, 29},
        {u"1/2/0099", 99, 1, 2},
        {u"1/2/999", 999, 1, 2},
        {u"3/5", 0, 3, 5}}},
      {BrazilianSettings(),
       {{u"3/5/2024", 2024, 5, 3}, {u"31/12/1899", 1899, 12, 31}, {u"3/5", 0, 5, 3}, {u"29/02/2000", 2000, 2, 29}}},
      {IsoSettings(), {{u"2024-03-05", 2024, 3, 5}, {u"0100-01-01", 100, 1, 1}, {u"3-5", 0, 3, 5}}},
  };
  const Word thisYear = ThisYear();
  for (const auto& [settings, cases] : groups) {
    for (const ParseCase& c : cases) {
      SCOPED_TRACE(Narrow(c.text) + " as " + Narrow(settings.ShortDateFormat));
      TDateTime value = -1;
      ASSERT_TRUE(TryStrToDate(c.text, value, settings));
      EXPECT_EQ(value, EncodeDate(c.year ? c.year : thisYear, c.month, c.day));
      EXPECT_EQ(StrToDate(c.text, settings), value);
    }
  }
}

TEST(TryStrToDate, TwoDigitYearsFallInTheWindow) {
  const Integer thisYear = ThisYear();
  TFormatSettings fs = EnglishSettings();
  struct WindowCase {
    Word window;
    Integer shortYear;
    Integer fullYear;
  };
  const Integer first = thisYear - 50;
  const Integer century = thisYear / 100 * 100;
  const WindowCase cases[] = {
      {50, first % 100, first},
      {50, (first + 99) % 100, first + 99},
      {50, (first + 1) % 100, first + 1},
      {50, thisYear % 100, thisYear},
      {10, (thisYear - 10) % 100, thisYear - 10},
      {10, (thisYear - 11) % 100, thisYear + 89},
      {0, 5, century + 5},
      {0, 99, century + 99},
  };
  for (const WindowCase& c : cases) {
    fs.TwoDigitYearCenturyWindow = c.window;
    for (const bool padded : {true, false}) {
      if (!padded && c.shortYear >= 10) continue;
      const String text = u"1/2/" + (padded ? UIntToDigits(c.shortYear, 10, 2) : IntToStr(c.shortYear));
      SCOPED_TRACE(Narrow(text) + " window " + std::to_string(c.window));
      TDateTime value;
      ASSERT_TRUE(TryStrToDate(text, value, fs));
      Word y, m, d;
      DecodeDate(value, y, m, d);
      EXPECT_EQ(y, c.fullYear);
    }
  }
}

TEST(TryStrToDate, RejectsMalformedText) {
  const char16_t* cases[] = {u"",          u"   ",        u"1//2",       u"13/40/2020", u"1/2/3/4",
                             u"abc",       u"1/2/2020x",  u"1/2/20a0",   u"/1/2",       u"1/2/",
                             u"1-2-2020",  u"2/30/2020",  u"2/29/2100",  u"1 /2/2020",  u"1/ 2/2020",
                             u"-1/2/2020", u"+1/2/2020",  u"1/2/10000",  u"1/2/000",    u"0/2/2020",
                             u"1/0/2020",  u"99999999999/1/2020",        u"1/2/2020 10:00", u"1",
                             u"3/5/2024/"};
  const TFormatSettings en = EnglishSettings();
  for (const char16_t* text : cases) {
    SCOPED_TRACE(Narrow(text));
    TDateTime value = 42;
    EXPECT_FALSE(TryStrToDate(text, value, en));
    EXPECT_EQ(value, 42);
  }
  try {
    StrToDate(u"13/40/2020", en);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), u"'13/40/2020' is not a valid date");
  }
}

TEST(TryStrToDate, ReadsBackWhatDateToStrWrites) {
  const TFormatSettings settings[] = {EnglishSettings(), BrazilianSettings(), IsoSettings()};
  for (const TFormatSettings& fs : settings) {
    for (Integer serial = -693593; serial <= 2958465; serial += 97) {
      const String text = DateToStr(serial, fs);
      TDateTime value;
      if (!TryStrToDate(text, value, fs) || value != serial)
        FAIL() << Narrow(text) << " does not read back as " << serial;
    }
  }
}

TEST(TryStrToDate, RandomTextNeverMisreads) {
  const std::u16string_view alphabet = u"0123456789//// -.a\t";
  std::mt19937 rng(20240305);
  std::uniform_int_distribution<size_t> length(0, 14), pick(0, alphabet.size() - 1);
  const TFormatSettings en = EnglishSettings();
  int accepted = 0;
  for (int i = 0; i < 5000; ++i) {
    String text;
    for (size_t n = length(rng); n > 0; --n) text += alphabet[pick(rng)];
    TDateTime value = 0;
    if (!TryStrToDate(text, value, en)) continue;
    ++accepted;
    // Whatever is accepted is a whole day that writes back to the same numbers.
    SCOPED_TRACE(Narrow(text));
    EXPECT_EQ(DateOf(value), value);
    TDateTime again;
    ASSERT_TRUE(TryStrToDate(DateToStr(value, en), again, en));
    EXPECT_EQ(again, value);
    EXPECT_EQ(Trim(text).find_first_not_of(u"0123456789/"), String::npos);
  }
  EXPECT_GT(accepted, 0);
}

}  // namespace

#pragma once
// Dates and times as day counts from 1899-12-30, with the time of day as the
// fraction; a negative value's fraction still counts forward from midnight
// (-1.25 is 1899-12-29 06:00).

#include "host/FormatSettings.h"
#include "host/System.h"

using TDateTime = Double;

inline constexpr Integer DateDelta = 693594;      // days from 0001-01-01 to 1899-12-30
inline constexpr TDateTime MinDateTime = -657434.0;  // 0100-01-01
inline constexpr TDateTime MaxDateTime = 2958465.99999999;  // 9999-12-31 23:59:59.999

bool IsLeapYear(Word Year);
// Raise EConvertError for an invalid date or time.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// 1 = Sunday .. 7 = Saturday.
Word DayOfWeek(TDateTime Date);
TDateTime DateOf(TDateTime Value);

TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime);
void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime);
TDateTime Now();
TDateTime Date();
TDateTime Time();

// The run-time's date format syntax: c, d, dd, ddd, dddd, ddddd, dddddd, e,
// ee, m, mm, mmm, mmmm (minutes right after an hour), yy, yyyy, h, hh, n, nn,
// s, ss, z, zzz, t, tt, am/pm, a/p, ampm, / and : (the settings' separators),
// and quoted literals.
String FormatDateTime(std::u16string_view Format, TDateTime DateTime,
                      const TFormatSettings& Settings = FormatSettings);
// The date in the short date format, followed by the long time format unless
// the time is midnight.
String DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings = FormatSettings);
String DateToStr(TDateTime Date, const TFormatSettings& Settings = FormatSettings);
String TimeToStr(TDateTime Time, const TFormatSettings& Settings = FormatSettings);

// Reads a date in the order of the short date format (day, month and year in
// whatever order it has) with the date separator; a two-digit year falls in the
// window of TwoDigitYearCenturyWindow; a missing year is this year.
bool TryStrToDate(std::u16string_view S, TDateTime& Value, const TFormatSettings& Settings = FormatSettings);
TDateTime StrToDate(std::u16string_view S, const TFormatSettings& Settings = FormatSettings);

#pragma once
// The locale's view of dates: its separators, formats and month names,
// dates as text by a format, the words of smart date input, and weeks with a
// configurable first day.

#include "host/FormatSettings.h"
#include "values/dxCalendarUtils.h"

// --- Locale queries: the thread locale's own items, whatever the run-time's
// FormatSettings hold now.
TFormatSettings cxGetLocalFormatSettings();
Char cxGetLocalDateSeparator();
Char cxGetLocalTimeSeparator();
String cxGetLocalShortDateFormat();
String cxGetLocalLongDateFormat();
// In the locale's own syntax, its AM/PM marker written as a run of "t".
String cxGetLocalLongTimeFormat();
String cxGetLocalTimeAMString();
String cxGetLocalTimePMString();

// The locale's name of a month in ACalendar (the local calendar without
// one): of the month ADate falls in, or of month AMonth of AYear; empty for a
// month the year does not have.
String cxGetLocalMonthName(TDateTime ADate, const TcxCustomCalendarTable* ACalendar = nullptr);
String cxGetLocalMonthName(Integer AYear, Cardinal AMonth, const TcxCustomCalendarTable* ACalendar = nullptr);

// The thread locale's text of ADate (its day) in the date picture AFormat or,
// for an empty one, in the locale's picture that AFlags names
// (DATE_SHORTDATE, DATE_LONGDATE); empty when the locale cannot write it.
String cxGetDateFormat(TDateTime ADate, const String& AFormat, DWORD AFlags = DATE_SHORTDATE);

// ADate's day, month and year (the d, m and y runs of AFormat, letters in
// any case, with the run-time's day and month names) joined by
// ADateSeparator or, when it is #0, by the first separator AFormat has.
// Text before the first of them is left out, quoted text is copied and
// stands between its neighbours instead of a separator.
String cxDateToStrByFormat(TDateTime ADate, const String& AFormat, Char ADateSeparator);

// The resource strings of smart date input, registered by the unit under
// this product name. Fetched when a mask is built, so translations apply.
inline constexpr char16_t cxSDateProduct[] = u"cxDateUtils";
inline constexpr char16_t cxSDateToday[] = u"cxSDateToday";
inline constexpr char16_t cxSDateYesterday[] = u"cxSDateYesterday";
inline constexpr char16_t cxSDateTomorrow[] = u"cxSDateTomorrow";
inline constexpr char16_t cxSDateSunday[] = u"cxSDateSunday";
inline constexpr char16_t cxSDateMonday[] = u"cxSDateMonday";
inline constexpr char16_t cxSDateTuesday[] = u"cxSDateTuesday";
inline constexpr char16_t cxSDateWednesday[] = u"cxSDateWednesday";
inline constexpr char16_t cxSDateThursday[] = u"cxSDateThursday";
inline constexpr char16_t cxSDateFriday[] = u"cxSDateFriday";
inline constexpr char16_t cxSDateSaturday[] = u"cxSDateSaturday";
inline constexpr char16_t cxSDateFirst[] = u"cxSDateFirst";
inline constexpr char16_t cxSDateSecond[] = u"cxSDateSecond";
inline constexpr char16_t cxSDateThird[] = u"cxSDateThird";
inline constexpr char16_t cxSDateFourth[] = u"cxSDateFourth";
inline constexpr char16_t cxSDateFifth[] = u"cxSDateFifth";
inline constexpr char16_t cxSDateSixth[] = u"cxSDateSixth";
inline constexpr char16_t cxSDateSeventh[] = u"cxSDateSeventh";
inline constexpr char16_t cxSDateBOM[] = u"cxSDateBOM";
inline constexpr char16_t cxSDateEOM[] = u"cxSDateEOM";
inline constexpr char16_t cxSDateNow[] = u"cxSDateNow";

// AText for a regular-expression mask to match literally: quoted, with its
// quotes doubled.
String cxRegExprQuotedText(const String& AText);

// A regular-expression date mask that also takes the smart words ("today",
// the day names, "first" .. "seventh", "bom", "eom" and, for a date and
// time, "now"), each with an optional signed offset of up to four digits.
void AddDateRegExprMaskSmartInput(String& AMask, bool ADateTime);

// --- Weeks

// The locale's first day of the week and its rule for the first week of a
// year (never fwySystem).
TDay dxGetLocalStartOfWeek();
TcxFirstWeekOfYear dxGetLocalFirstWeekOfYear();
// The process's first day of the week: the one set, else the locale's.
TDay dxGetStartOfWeek();
void dxSetStartOfWeek(TDay AValue);
// Back to the locale's.
void dxResetAssignedStartOfWeek();
// Whether one was set.
bool dxGetAssignedStartOfWeek();

// From the run-time's numbering (1 = Sunday .. 7 = Saturday) and the
// system's (0 = Monday .. 6 = Sunday); other numbers wrap round the week.
TDay dxDayOfWeekFromVCL(Integer ADayOfWeek);
TDay dxDayOfWeekFromSystem(Integer ADayOfWeek);

// The date part; values at or below -700000 give -700000.
TDateTime dxDateOf(TDateTime ADate);
TDay dxDayOfWeek(TDateTime ADate);
// Days since the last AStartOfWeek (the process's first day without one), 0..6.
Integer dxDayOfWeekOffset(TDateTime ADate, TDay AStartOfWeek);
Integer dxDayOfWeekOffset(TDateTime ADate);
TDateTime dxGetStartDateOfWeek(TDateTime ADate, TDay AStartOfWeek);
TDateTime dxGetStartDateOfWeek(TDateTime ADate);
// The week of its year ADate falls in, weeks starting on AStartOfWeek; the
// first week is the one that holds 1 January (fwyJan1), the first whole
// week (fwyFirstFullWeek) or the first with four days of the year
// (fwyFirstFourDays); fwySystem takes the locale's rule.
Integer dxGetWeekNumber(TDateTime ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear);

// The unit that registers the smart-input words, and unregisters them at its end.
void RegisterDateUtilsUnit();

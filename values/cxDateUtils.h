#pragma once
// The locale's view of dates: month names in a calendar, and weeks.

#include "values/dxCalendarUtils.h"

// The locale's name of a month in ACalendar (the local calendar without
// one): of the month ADate falls in, or of month AMonth of AYear; empty for a
// month the year does not have.
String cxGetLocalMonthName(TDateTime ADate, const TcxCustomCalendarTable* ACalendar = nullptr);
String cxGetLocalMonthName(Integer AYear, Cardinal AMonth, const TcxCustomCalendarTable* ACalendar = nullptr);

// The locale's rule for the first week of a year (never fwySystem).
TcxFirstWeekOfYear dxGetLocalFirstWeekOfYear();

// The date part; values at or below -700000 give -700000.
TDateTime dxDateOf(TDateTime ADate);
TDay dxDayOfWeek(TDateTime ADate);
// Days since the last AStartOfWeek, 0..6.
Integer dxDayOfWeekOffset(TDateTime ADate, TDay AStartOfWeek);
TDateTime dxGetStartDateOfWeek(TDateTime ADate, TDay AStartOfWeek);
// The week of its year ADate falls in, weeks starting on AStartOfWeek; the
// first week is the one that holds 1 January (fwyJan1), the first whole
// week (fwyFirstFullWeek) or the first with four days of the year
// (fwyFirstFourDays); fwySystem takes the locale's rule.
Integer dxGetWeekNumber(TDateTime ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear);

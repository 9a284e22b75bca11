#pragma once
// Switches the calendar tests turn for their own duration, and date values.

#include <string>

#include "host/DateUtils.h"
#include "platform/Locale.h"
#include "platform/Modules.h"
#include "values/dxCalendarUtils.h"

// The locale reports another calendar type while it lives.
struct TReportedCalendar {
  explicit TReportedCalendar(CALID ACalendar) { SetLocaleCalendarType(ACalendar); }
  ~TReportedCalendar() { SetLocaleCalendarType(0); }
  TReportedCalendar(const TReportedCalendar&) = delete;
  TReportedCalendar& operator=(const TReportedCalendar&) = delete;
};

// GetCalendarInfoW cannot be found in "kernel32.dll" while it lives.
struct TCalendarInfoMissing {
  TCalendarInfoMissing() { SetEntryPointAvailable(u"kernel32.dll", "GetCalendarInfoW", false); }
  ~TCalendarInfoMissing() { SetEntryPointAvailable(u"kernel32.dll", "GetCalendarInfoW", true); }
  TCalendarInfoMissing(const TCalendarInfoMissing&) = delete;
  TCalendarInfoMissing& operator=(const TCalendarInfoMissing&) = delete;
};

inline TcxDateTime CalendarDate(Integer AYear, Cardinal AMonth, Cardinal ADay, Integer AEra = -1) {
  TcxDateTime date;
  date.Era = AEra;
  date.Year = AYear;
  date.Month = AMonth;
  date.Day = ADay;
  return date;
}

inline std::string Show(const TcxDateTime& ADate) {
  return std::to_string(ADate.Era) + ":" + std::to_string(ADate.Year) + "-" + std::to_string(ADate.Month) + "-" +
         std::to_string(ADate.Day);
}

// The same era, year, month and day.
inline bool SameDay(const TcxDateTime& A, const TcxDateTime& B) {
  return A.Era == B.Era && A.Year == B.Year && A.Month == B.Month && A.Day == B.Day;
}

// Milliseconds since 1970-01-01, as ICU counts time.
inline double IcuMillis(TDateTime ADate) { return (ADate - 25569.0) * 86400000.0; }

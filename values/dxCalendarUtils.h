#pragma once
// Calendar tables: conversions between date-time values (days since
// 1899-12-30, proleptic Gregorian) and dates of the calendars the system's
// locales can select, with their questions (month lengths, leap years, eras,
// weeks), arithmetic inside the calendar and the parsing of typed day, month
// and year tokens.
//
// One table lives per calendar identifier: cxGetCalendar creates it on first
// request, and it stays until the unit is finalized. Arithmetic and
// ToDateTime on a date the calendar does not have answer the table's
// MinSupportedDate instead of raising.

#include <memory>

#include "host/DateUtils.h"
#include "host/Lists.h"
#include "host/Persistent.h"
#include "platform/Locale.h"

enum TDay : uint8_t { dSunday, dMonday, dTuesday, dWednesday, dThursday, dFriday, dSaturday };
enum TcxFirstWeekOfYear : uint8_t { fwySystem, fwyJan1, fwyFirstFullWeek, fwyFirstFourDays };
enum TcxCalendarAlgorithmType : uint8_t { catUnknown, catSolarCalendar, catLunarCalendar, catLunarSolarCalendar };

// A date and time of a calendar. Era is an index into the table's eras, or -1
// for its default era; Year counts in that era.
struct TcxDateTime {
  Integer Era = -1;
  Integer Year = 0;
  Cardinal Month = 0;
  Cardinal Day = 0;
  Byte Hours = 0;
  Byte Minutes = 0;
  Byte Seconds = 0;
  Word Milliseconds = 0;
};

struct TcxDate {
  Integer Era = -1;
  Integer Year = 0;
  Cardinal Month = 0;
  Cardinal Day = 0;
};

// An era: its first day, and the Gregorian year of its year Y is Y + YearOffset.
class TcxEra : public TPersistent {
  HOST_CLASS(TcxEra);

  TcxEra(Integer AEra, TDateTime AStartDate, Integer AYearOffset, Integer AMinEraYear, Integer AMaxEraYear);
  void Assign(TPersistent* Source) override;

  Integer GetEra() const { return FEra; }
  void SetEra(Integer Value) { FEra = Value; }
  TDateTime GetStartDate() const { return FStartDate; }
  void SetStartDate(TDateTime Value) { FStartDate = Value; }
  Integer GetYearOffset() const { return FYearOffset; }
  void SetYearOffset(Integer Value) { FYearOffset = Value; }
  Integer GetMinEraYear() const { return FMinEraYear; }
  void SetMinEraYear(Integer Value) { FMinEraYear = Value; }
  Integer GetMaxEraYear() const { return FMaxEraYear; }
  void SetMaxEraYear(Integer Value) { FMaxEraYear = Value; }

 private:
  Integer FEra;
  TDateTime FStartDate;
  Integer FYearOffset;
  Integer FMinEraYear;
  Integer FMaxEraYear;
};

// Owns its eras, kept in ascending order of their start dates. Indexes
// outside 0..Count-1 raise EListError "List index out of bounds (%d)".
class TcxEras : public TObjectList {
  HOST_CLASS(TcxEras);

  Integer Add(TcxEra* AEra) { return TObjectList::Add(AEra); }
  TcxEra* GetItem(Integer Index) const { return static_cast<TcxEra*>(TObjectList::GetItem(Index)); }
  TcxEra* operator[](Integer Index) const { return GetItem(Index); }
};

using TcxCalendarTableClass = TClass;

// The forms without an era take the default era (-1).
class TcxCustomCalendarTable : public TObject {
  HOST_CLASS(TcxCustomCalendarTable);

  // AYear in AEra becomes the year of the era that its Gregorian date (with
  // AMonth and ADay) falls in, and AEra that era's index.
  virtual void AdjustYear(Integer& AYear, Integer& AEra) const;
  virtual void AdjustYear(Integer& AYear, Integer& AEra, Cardinal AMonth, Cardinal ADay) const;
  virtual TcxCalendarAlgorithmType GetCalendarAlgorithmType() const = 0;
  virtual CALID GetCalendarID() const = 0;
  virtual TcxEra* GetDefaultEra() const = 0;
  virtual TDateTime GetMaxSupportedDate() const = 0;
  virtual TDateTime GetMinSupportedDate() const = 0;
  // Clamps ADate into the supported dates.
  virtual void CheckDateTime(TDateTime& ADate) const;
  virtual Integer GetMaxSupportedYear() const = 0;
  virtual Integer GetMinSupportedYear() const = 0;

  // Joins the live tables; leaving them again when freed.
  TcxCustomCalendarTable();
  ~TcxCustomCalendarTable() override;

  virtual TDateTime AddDays(const TcxDateTime& ADate, Integer ADays) const;
  virtual TDateTime AddMonths(const TcxDateTime& ADate, Integer AMonths) const;
  virtual TDateTime AddMonths(TDateTime ADate, Integer AMonths) const;
  virtual TDateTime AddYears(const TcxDateTime& ADate, Integer AYears) const;
  virtual TDateTime AddYears(TDateTime ADate, Integer AYears) const;
  virtual TDateTime AddWeeks(const TcxDateTime& ADate, Integer AWeeks) const;
  virtual TDateTime AddWeeks(TDateTime ADate, Integer AWeeks) const;
  virtual TcxDateTime FromDateTime(TDateTime ADate) const = 0;
  // The numbers are a Gregorian date (and time).
  virtual TcxDateTime FromDateTime(Cardinal AYear, Cardinal AMonth, Cardinal ADay) const;
  virtual TcxDateTime FromDateTime(Cardinal AYear, Cardinal AMonth, Cardinal ADay, Byte AHours, Byte AMinutes,
                                   Byte ASeconds, Word AMilliseconds) const;
  virtual Cardinal GetDayOfYear(const TcxDateTime& ADate) const;
  virtual Cardinal GetDayOfYear(TDateTime ADate) const;
  virtual Cardinal GetDaysInMonth(Cardinal AYear, Cardinal AMonth) const;
  virtual Cardinal GetDaysInMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const = 0;
  virtual Cardinal GetDaysInYear(Cardinal AYear) const;
  virtual Cardinal GetDaysInYear(Integer AEra, Cardinal AYear) const = 0;
  // The index of the last era begun by that Gregorian date; -1 for none.
  virtual Integer GetEra(Integer AYear) const;
  virtual Integer GetEra(Integer AYear, Cardinal AMonth, Cardinal ADay) const;
  // Without a start day, the table's first week day starts the week.
  virtual TDateTime GetFirstDayOfWeek(TDateTime ADateTime) const;
  virtual TDateTime GetFirstDayOfWeek(TDateTime ADateTime, TDay AStartDayOfWeek) const;
  virtual TDateTime GetFirstDayOfWeek(const TcxDateTime& ADate) const;
  virtual TDateTime GetFirstDayOfWeek(const TcxDateTime& ADate, TDay AStartDayOfWeek) const;
  virtual TcxDateTime GetFirstDayOfMonth(const TcxDateTime& ADate) const;
  virtual TDateTime GetFirstDayOfMonth(TDateTime ADate) const;
  virtual TcxDateTime GetFirstDayOfYear(const TcxDateTime& ADate) const;
  virtual TDateTime GetFirstDayOfYear(TDateTime ADate) const;
  virtual TDay GetFirstWeekDay() const = 0;
  virtual Cardinal GetFullWeeksInYear(Cardinal AYear) const = 0;
  virtual TcxDateTime GetLastDayOfMonth(const TcxDateTime& ADate) const;
  virtual TDateTime GetLastDayOfMonth(TDateTime ADate) const;
  virtual TcxDateTime GetLastDayOfYear(const TcxDateTime& ADate) const;
  virtual TDateTime GetLastDayOfYear(TDateTime ADate) const;
  virtual Cardinal GetMonthsInYear(Cardinal AYear) const;
  virtual Cardinal GetMonthsInYear(Integer AEra, Cardinal AYear) const = 0;
  virtual Integer GetYear(const TcxDate& ADate) const;
  virtual Integer GetYear(const TcxDateTime& ADate) const;
  virtual Integer GetYear(TDateTime ADate) const;
  // 0 = Sunday.
  virtual TDay GetWeekDay(TDateTime ADateTime) const;
  virtual TDay GetWeekDay(const TcxDateTime& ADate) const;
  virtual Cardinal GetWeekNumber(TDateTime ADate, TDay AStartOfWeek, TcxFirstWeekOfYear AFirstWeekOfYear) const;
  virtual Cardinal GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                                 TcxFirstWeekOfYear AFirstWeekOfYear) const = 0;
  virtual bool IsLeapDay(Cardinal AYear, Cardinal AMonth, Cardinal ADay) const;
  virtual bool IsLeapDay(Integer AEra, Cardinal AYear, Cardinal AMonth, Cardinal ADay) const = 0;
  virtual bool IsLeapMonth(Cardinal AYear, Cardinal AMonth) const;
  virtual bool IsLeapMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const = 0;
  virtual bool IsLeapYear(Cardinal AYear) const;
  virtual bool IsLeapYear(Integer AEra, Cardinal AYear) const = 0;
  // Within the supported years, whatever the era.
  virtual bool IsValidYear(Cardinal AYear) const;
  virtual bool IsValidYear(Integer AEra, Cardinal AYear) const;
  virtual bool IsValidMonth(Cardinal AYear, Cardinal AMonth) const;
  virtual bool IsValidMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const;
  virtual bool IsValidDay(Cardinal AYear, Cardinal AMonth, Cardinal ADay) const;
  virtual bool IsValidDay(Integer AEra, Cardinal AYear, Cardinal AMonth, Cardinal ADay) const;
  virtual bool IsValidDate(TDateTime ADate) const;
  virtual TDateTime ToDateTime(const TcxDate& ADate) const;
  virtual TDateTime ToDateTime(Cardinal AYear, Cardinal AMonth, Cardinal ADay) const;
  virtual TDateTime ToDateTime(Cardinal AYear, Cardinal AMonth, Cardinal ADay, Byte AHours, Byte AMinutes,
                               Byte ASeconds, Word AMilliseconds) const;
  virtual TDateTime ToDateTime(const TcxDateTime& ADateTime) const = 0;
  // Typed tokens; a token that is neither a name nor a number raises
  // EConvertError.
  virtual Cardinal GetDayNumber(const String& S) const;
  virtual Cardinal GetMonthNumber(Integer AYear, const String& S) const;
  // A year of at most two characters falls in the hundred years up to the
  // calendar's two-digit maximum (taken as it stands without one).
  virtual Integer GetYearNumber(const String& S) const;

  // AYear in AEra becomes a Gregorian year: AEra -1 adds the default era's
  // offset, an era index that era's; any other era leaves it.
  void YearToGregorianYear(Integer& AYear, Integer AEra) const;
  TcxEras* GetEras() const { return FEras.get(); }

 protected:
  // True, with AResult the MinSupportedDate, when ADate is not a day of the calendar.
  bool IsNotValid(const TcxDateTime& ADate, TDateTime& AResult) const;
  // The end of month and year arithmetic: a day past the month's end becomes
  // its last, the era becomes the one the date falls in, and the value stays
  // within the supported dates (the first of them for a date the calendar
  // does not have).
  TDateTime ToDateTimeInMonth(TcxDateTime ADate) const;
  // The week number of the calendars whose weeks count from their own
  // first day of the year.
  Cardinal GetWeekNumberInCalendarYear(const TcxDateTime& ADate, TcxFirstWeekOfYear AFirstWeekOfYear) const;

 private:
  std::unique_ptr<TcxEras, TFreeObject> FEras;
};

// Gregorian years 100..9999.
class TcxGregorianCalendarTable : public TcxCustomCalendarTable {
  HOST_CLASS(TcxGregorianCalendarTable);

  TcxGregorianCalendarTable();

  using TcxCustomCalendarTable::FromDateTime;
  using TcxCustomCalendarTable::GetDaysInMonth;
  using TcxCustomCalendarTable::GetDaysInYear;
  using TcxCustomCalendarTable::GetMonthsInYear;
  using TcxCustomCalendarTable::GetWeekNumber;
  using TcxCustomCalendarTable::IsLeapDay;
  using TcxCustomCalendarTable::IsLeapMonth;
  using TcxCustomCalendarTable::IsLeapYear;
  using TcxCustomCalendarTable::ToDateTime;

  TcxCalendarAlgorithmType GetCalendarAlgorithmType() const override { return catSolarCalendar; }
  CALID GetCalendarID() const override { return CAL_GREGORIAN; }
  TcxEra* GetDefaultEra() const override { return FDefaultEra.get(); }
  TDateTime GetMaxSupportedDate() const override;
  TDateTime GetMinSupportedDate() const override;
  Integer GetMaxSupportedYear() const override;
  Integer GetMinSupportedYear() const override;
  TcxDateTime FromDateTime(TDateTime ADate) const override;
  Cardinal GetDaysInMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const override;
  Cardinal GetDaysInYear(Integer AEra, Cardinal AYear) const override;
  TDay GetFirstWeekDay() const override { return dSunday; }
  Cardinal GetFullWeeksInYear(Cardinal AYear) const override;
  Cardinal GetMonthsInYear(Integer AEra, Cardinal AYear) const override { return 12; }
  Cardinal GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                         TcxFirstWeekOfYear AFirstWeekOfYear) const override;
  bool IsLeapDay(Integer AEra, Cardinal AYear, Cardinal AMonth, Cardinal ADay) const override;
  bool IsLeapMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const override;
  bool IsLeapYear(Integer AEra, Cardinal AYear) const override;
  TDateTime ToDateTime(const TcxDateTime& ADateTime) const override;

 private:
  std::unique_ptr<TcxEra, TFreeObject> FDefaultEra;
};

// Localized variants of the Gregorian calendar.
class TcxGregorianUSEnglishCalendarTable : public TcxGregorianCalendarTable {
  HOST_CLASS(TcxGregorianUSEnglishCalendarTable);
  CALID GetCalendarID() const override { return CAL_GREGORIAN_US; }
};

class TcxGregorianMiddleEastFrenchCalendarTable : public TcxGregorianCalendarTable {
  HOST_CLASS(TcxGregorianMiddleEastFrenchCalendarTable);
  CALID GetCalendarID() const override { return CAL_GREGORIAN_ME_FRENCH; }
  TDay GetFirstWeekDay() const override { return dMonday; }
};

class TcxGregorianArabicCalendarTable : public TcxGregorianCalendarTable {
  HOST_CLASS(TcxGregorianArabicCalendarTable);
  CALID GetCalendarID() const override { return CAL_GREGORIAN_ARABIC; }
  TDay GetFirstWeekDay() const override { return dSaturday; }
};

class TcxGregorianTransliteratedEnglishCalendarTable : public TcxGregorianCalendarTable {
  HOST_CLASS(TcxGregorianTransliteratedEnglishCalendarTable);
  CALID GetCalendarID() const override { return CAL_GREGORIAN_XLIT_ENGLISH; }
  TDay GetFirstWeekDay() const override { return dMonday; }
};

class TcxGregorianTransliteratedFrenchCalendarTable : public TcxGregorianCalendarTable {
  HOST_CLASS(TcxGregorianTransliteratedFrenchCalendarTable);
  CALID GetCalendarID() const override { return CAL_GREGORIAN_XLIT_FRENCH; }
  TDay GetFirstWeekDay() const override { return dMonday; }
};

// Gregorian dates with the years of eras: the emperors' eras here; the
// Taiwan, Korean and Thai tables have one era each. The default era is the
// last one, whose years are the supported years; the first era's start is
// the first supported date.
class TcxJapaneseCalendarTable : public TcxGregorianCalendarTable {
  HOST_CLASS(TcxJapaneseCalendarTable);

  TcxJapaneseCalendarTable();

  using TcxGregorianCalendarTable::FromDateTime;

  CALID GetCalendarID() const override { return CAL_JAPAN; }
  TcxEra* GetDefaultEra() const override;
  TDateTime GetMinSupportedDate() const override;
  Integer GetMaxSupportedYear() const override;
  Integer GetMinSupportedYear() const override;
  TcxDateTime FromDateTime(TDateTime ADate) const override;

 protected:
  // For the tables that add eras of their own.
  struct TNoEras {};
  explicit TcxJapaneseCalendarTable(TNoEras) {}
};

class TcxTaiwanCalendarTable : public TcxJapaneseCalendarTable {
  HOST_CLASS(TcxTaiwanCalendarTable);
  TcxTaiwanCalendarTable();
  CALID GetCalendarID() const override { return CAL_TAIWAN; }
};

class TcxKoreanCalendarTable : public TcxJapaneseCalendarTable {
  HOST_CLASS(TcxKoreanCalendarTable);
  TcxKoreanCalendarTable();
  CALID GetCalendarID() const override { return CAL_KOREA; }
};

class TcxThaiCalendarTable : public TcxJapaneseCalendarTable {
  HOST_CLASS(TcxThaiCalendarTable);
  TcxThaiCalendarTable();
  CALID GetCalendarID() const override { return CAL_THAI; }
};

// The tabular Hijri calendar: a 30-year cycle of 11 leap years, from
// 1 Muharram 1 (Gregorian 0622-07-18) to Gregorian 9999-12-31.
class TcxHijriCalendarTable : public TcxCustomCalendarTable {
  HOST_CLASS(TcxHijriCalendarTable);

  TcxHijriCalendarTable();

  using TcxCustomCalendarTable::FromDateTime;
  using TcxCustomCalendarTable::GetDaysInMonth;
  using TcxCustomCalendarTable::GetDaysInYear;
  using TcxCustomCalendarTable::GetMonthsInYear;
  using TcxCustomCalendarTable::GetWeekNumber;
  using TcxCustomCalendarTable::IsLeapDay;
  using TcxCustomCalendarTable::IsLeapMonth;
  using TcxCustomCalendarTable::IsLeapYear;
  using TcxCustomCalendarTable::ToDateTime;

  TcxCalendarAlgorithmType GetCalendarAlgorithmType() const override { return catLunarCalendar; }
  CALID GetCalendarID() const override { return CAL_HIJRI; }
  TcxEra* GetDefaultEra() const override { return FDefaultEra.get(); }
  TDateTime GetMaxSupportedDate() const override;
  TDateTime GetMinSupportedDate() const override;
  Integer GetMaxSupportedYear() const override { return 9666; }
  Integer GetMinSupportedYear() const override { return 1; }
  TcxDateTime FromDateTime(TDateTime ADate) const override;
  Cardinal GetDaysInMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const override;
  Cardinal GetDaysInYear(Integer AEra, Cardinal AYear) const override;
  TDay GetFirstWeekDay() const override { return dSaturday; }
  Cardinal GetFullWeeksInYear(Cardinal AYear) const override { return 50; }
  Cardinal GetMonthsInYear(Integer AEra, Cardinal AYear) const override { return 12; }
  Cardinal GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                         TcxFirstWeekOfYear AFirstWeekOfYear) const override;
  bool IsLeapDay(Integer AEra, Cardinal AYear, Cardinal AMonth, Cardinal ADay) const override;
  bool IsLeapMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const override;
  bool IsLeapYear(Integer AEra, Cardinal AYear) const override;
  TDateTime ToDateTime(const TcxDateTime& ADateTime) const override;
  Cardinal GetMonthNumber(Integer AYear, const String& S) const override;

 private:
  std::unique_ptr<TcxEra, TFreeObject> FDefaultEra;
};

// One pair per Gregorian year 1583..2239: the Hebrew date of 1 January
// (1..29 that day of Tevet; 0, 31, 32 the 1st, 2nd, 3rd of Shevat; 30, 33 the
// 30th, 29th of Kislev) and the type of the Hebrew year (Gregorian year +
// 3760): 1, 2, 3 a deficient, regular, complete common year; 4, 5, 6 the
// same for a leap year.
extern const Integer cxHebrewTable[657][2];
// Month lengths by year type (row 0 and column 0 unused), months counted from
// Tishrei; a leap year's months 6 and 7 are Adar I and Adar II.
extern const Integer cxHebrewLunarMonthLen[7][14];

// The Hebrew calendar of the years 5343..5999 (Gregorian 1583-01-01 to
// 2239-09-29), read from cxHebrewTable.
class TcxHebrewCalendarTable : public TcxCustomCalendarTable {
  HOST_CLASS(TcxHebrewCalendarTable);

  TcxHebrewCalendarTable();

  using TcxCustomCalendarTable::FromDateTime;
  using TcxCustomCalendarTable::GetDaysInMonth;
  using TcxCustomCalendarTable::GetDaysInYear;
  using TcxCustomCalendarTable::GetMonthsInYear;
  using TcxCustomCalendarTable::GetWeekNumber;
  using TcxCustomCalendarTable::IsLeapDay;
  using TcxCustomCalendarTable::IsLeapMonth;
  using TcxCustomCalendarTable::IsLeapYear;
  using TcxCustomCalendarTable::ToDateTime;

  TcxCalendarAlgorithmType GetCalendarAlgorithmType() const override { return catLunarSolarCalendar; }
  CALID GetCalendarID() const override { return CAL_HEBREW; }
  TcxEra* GetDefaultEra() const override { return FDefaultEra.get(); }
  TDateTime GetMaxSupportedDate() const override;
  TDateTime GetMinSupportedDate() const override;
  Integer GetMaxSupportedYear() const override { return 5999; }
  Integer GetMinSupportedYear() const override { return 5343; }
  // A moment outside the supported dates converts as the nearer of them.
  TcxDateTime FromDateTime(TDateTime ADate) const override;
  Cardinal GetDaysInMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const override;
  Cardinal GetDaysInYear(Integer AEra, Cardinal AYear) const override;
  TDay GetFirstWeekDay() const override { return dSunday; }
  Cardinal GetFullWeeksInYear(Cardinal AYear) const override;
  Cardinal GetMonthsInYear(Integer AEra, Cardinal AYear) const override;
  Cardinal GetWeekNumber(const TcxDateTime& ADate, TDay AStartOfWeek,
                         TcxFirstWeekOfYear AFirstWeekOfYear) const override;
  bool IsLeapDay(Integer AEra, Cardinal AYear, Cardinal AMonth, Cardinal ADay) const override;
  bool IsLeapMonth(Integer AEra, Cardinal AYear, Cardinal AMonth) const override;
  bool IsLeapYear(Integer AEra, Cardinal AYear) const override;
  TDateTime ToDateTime(const TcxDateTime& ADateTime) const override;
  // Hebrew letters count by their numeric values.
  Cardinal GetDayNumber(const String& S) const override;
  Cardinal GetMonthNumber(Integer AYear, const String& S) const override;
  Integer GetYearNumber(const String& S) const override;

  // 1, 2, 3: deficient, regular, complete; 0 outside the supported years.
  Integer GetYearType(Cardinal AYear) const;
  // The sum of the numeric values of the Hebrew letters of S, each given by
  // its code in the Hebrew code page (224..250) or as the Unicode letter
  // (U+05D0..U+05EA); other characters count 0.
  static Integer HebrewNumber(const String& S);

 private:
  std::unique_ptr<TcxEra, TFreeObject> FDefaultEra;
};

// The live table of the calendar, created on first request; an identifier
// no calendar has gets the Gregorian table.
TcxCustomCalendarTable* cxGetCalendar(CALID ACalendarID);
TcxCalendarTableClass cxGetCalendarClass(CALID ACalendarID);
// The calendar type of the thread locale.
CALID cxGetLocalCalendarID();
TcxCustomCalendarTable* cxGetLocalCalendar();
// Whether the table (without one, the local calendar) is of the Gregorian family.
bool cxIsGregorianCalendar(TcxCustomCalendarTable* ACalendar = nullptr);
// GetCalendarInfoW, looked up by name in "kernel32.dll" at every call; 0
// when it cannot be found.
int cxGetCalendarInfo(LCID Locale, CALID Calendar, CALTYPE CalType, LPWSTR lpCalData, int cchData, DWORD* lpValue);

// Registers the unit, whose finalization frees the live tables.
void RegisterCalendarUtilsUnit();

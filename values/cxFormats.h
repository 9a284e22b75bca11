#pragma once
// One view of the user's locale for the editors: the run-time's format
// settings, date and time formats split into typed items, and the format
// controller, which watches the desktop for locale and clock changes,
// derives the editors' formats and date masks and tells its listeners.

#include <vector>

#include "controls/cxClasses.h"
#include "controls/dxCore.h"
#include "host/Sets.h"
#include "values/cxDateUtils.h"

// The run-time's current format settings, read at each call (the run-time
// reloads them from the user locale).
class TdxFormatSettings {
 public:
  Byte GetCurrencyDecimals() const { return FormatSettings.CurrencyDecimals; }
  Byte GetCurrencyFormat() const { return FormatSettings.CurrencyFormat; }
  const String& GetCurrencyString() const { return FormatSettings.CurrencyString; }
  Char GetDateSeparator() const { return FormatSettings.DateSeparator; }
  const String& GetLongDateFormat() const { return FormatSettings.LongDateFormat; }
  // 1 = January .. 12 = December.
  const String& GetLongMonthNames(Integer AIndex) const { return FormatSettings.LongMonthNames.at(AIndex - 1); }
  const String& GetLongTimeFormat() const { return FormatSettings.LongTimeFormat; }
  Byte GetNegCurrFormat() const { return FormatSettings.NegCurrFormat; }
  const String& GetShortDateFormat() const { return FormatSettings.ShortDateFormat; }
  const String& GetShortMonthNames(Integer AIndex) const { return FormatSettings.ShortMonthNames.at(AIndex - 1); }
  const String& GetShortTimeFormat() const { return FormatSettings.ShortTimeFormat; }
  const String& GetTimeAMString() const { return FormatSettings.TimeAMString; }
  const String& GetTimePMString() const { return FormatSettings.TimePMString; }
  Char GetTimeSeparator() const { return FormatSettings.TimeSeparator; }
};

inline constexpr TdxFormatSettings dxFormatSettings{};

enum TcxDateTimeFormatItemKind : uint8_t {
  dtikString,
  dtikYear,
  dtikMonth,
  dtikDay,
  dtikHour,
  dtikMin,
  dtikSec,
  dtikMSec,
  dtikTimeSuffix,
  dtikDateSeparator,
  dtikTimeSeparator
};

// Data: the literal text of a string; the pattern of a part ("YY", "YYYY",
// "M" .. "MMMM", "D" .. "DDDD", "N", "NN", "S", "SS", "Z" .. "ZZZ"); for an
// hour "12" or "24"; for a time suffix "AMPM", "A/P" or the "am/pm" as
// written, which stands for the locale's own AM and PM texts.
struct TcxDateTimeFormatItem {
  TcxDateTimeFormatItemKind Kind;
  String Data;
};

struct TcxDateTimeFormatInfo {
  std::vector<TcxDateTimeFormatItem> Items;
  // Kinds present; each one but strings and separators is there once.
  TSet<TcxDateTimeFormatItemKind> DefinedItems;
};

// A format in the run-time's date and time syntax, split into items. Letters
// in any case; quoted text; "c", "t", "tt", "ddddd" and "dddddd" expand the
// run-time's formats, two levels deep at most; "g" ends the format (eras are
// not supported). The first occurrence of a kind wins; "m" after an hour
// (separators and text between them aside) means minutes; a time suffix
// makes the hour a 12-hour one and is dropped without an hour.
TcxDateTimeFormatInfo GetDateTimeFormatInfo(const String& AFormat);

// Told by the format controller that the formats changed.
class IcxFormatControllerListener : public virtual IInterface {
 public:
  virtual void FormatChanged() = 0;
};

// A listener that also wants to know when the clock was set.
class IcxFormatControllerTimeListener : public virtual IInterface {
 public:
  virtual void TimeChanged() = 0;
};

enum TcxDateTimeKind : uint8_t { dtkDate, dtkTime, dtkDateTime };

// A hidden window, so that the desktop's locale and clock broadcasts reach
// it. Every derived value with a setter is computed again at each format
// change until it is set explicitly.
class TcxFormatController : public TcxMessageWindow, public IdxLocalizerListener {
  HOST_CLASS(TcxFormatController);

  // Computes the formats and listens to the resource strings' translations.
  TcxFormatController();
  ~TcxFormatController() override;

  // Listeners are not owned; each one is listed once.
  void AddListener(IcxFormatControllerListener* AListener);
  void RemoveListener(IcxFormatControllerListener* AListener);
  // Format changes wait while updates are open; the last EndUpdate makes one.
  void BeginUpdate();
  void EndUpdate();
  // The formats computed again and the listeners told, unless updating.
  void FormatChanged();
  // The listeners that listen to the clock told.
  void TimeChanged();
  // Every derived format computed again, without telling anyone.
  void GetFormats();
  // The locale's own settings read again.
  void UpdateLocalSettings();
  // Each listener in the order added; one removed meanwhile is skipped.
  void NotifyListeners();

  // The run-time's currency format as a FormatFloat format, positive and
  // negative sections.
  const String& GetCurrencyFormat() const { return FCurrencyFormat; }
  void SetCurrencyFormat(const String& Value);
  bool GetAssignedCurrencyFormat() const { return FAssignedCurrencyFormat; }
  void SetAssignedCurrencyFormat(bool Value);
  // The short date format with day and month always of two digits.
  const String& GetDateEditFormat() const { return FDateEditFormat; }
  void SetDateEditFormat(const String& Value);
  // The standard date mask with its literals saved and "_" for blanks.
  const String& GetDateEditMask() const { return FDateEditMask; }
  void SetDateEditMask(const String& Value);
  const String& GetStandardDateEditMask() const { return FStandardDateEditMask; }
  void SetStandardDateEditMask(const String& Value);
  const String& GetStandardDateTimeEditMask() const { return FStandardDateTimeEditMask; }
  void SetStandardDateTimeEditMask(const String& Value);
  // With smart input.
  const String& GetRegExprDateEditMask() const { return FRegExprDateEditMask; }
  void SetRegExprDateEditMask(const String& Value);
  const String& GetRegExprDateTimeEditMask() const { return FRegExprDateTimeEditMask; }
  void SetRegExprDateTimeEditMask(const String& Value);
  // The formats that write a date (and time) as the standard masks take it.
  const String& GetMaskedDateEditFormat() const { return FMaskedDateEditFormat; }
  const String& GetMaskedDateTimeEditFormat() const { return FMaskedDateTimeEditFormat; }
  // What the masks are made from.
  const TcxDateTimeFormatInfo& GetDateFormatInfo() const { return FDateFormatInfo; }
  const TcxDateTimeFormatInfo& GetTimeFormatInfo() const { return FTimeFormatInfo; }
  const TcxDateTimeFormatInfo& GetDateTimeFormatInfo() const { return FDateTimeFormatInfo; }

  TcxFirstWeekOfYear GetFirstWeekOfYear() const { return FFirstWeekOfYear; }
  void SetFirstWeekOfYear(TcxFirstWeekOfYear Value);
  // The process's first day of the week (dxGetStartOfWeek).
  TDay GetStartOfWeek() const { return dxGetStartOfWeek(); }
  void SetStartOfWeek(TDay Value);
  bool GetAssignedStartOfWeek() const { return dxGetAssignedStartOfWeek(); }
  // Off goes back to the locale's day; on keeps the current day as set.
  void SetAssignedStartOfWeek(bool Value);
  // Whether the long time format is the run-time's rather than the locale's.
  bool GetUseRuntimeDateTimeFormats() const { return FUseRuntimeDateTimeFormats; }
  void SetUseRuntimeDateTimeFormats(bool Value);

  // The locale's settings as last read, whatever the run-time holds.
  const TFormatSettings& GetLocalFormatSettings() const { return FLocalFormatSettings; }
  bool GetLocalIsGregorianCalendar() const { return FLocalIsGregorianCalendar; }

  // The short date format, the long time format, or both joined by a space.
  String GetDateTimeDisplayFormat(TcxDateTimeKind AKind) const;
  // The characters an item takes in a standard mask.
  Integer GetDateTimeFormatItemStandardMaskZoneLength(const TcxDateTimeFormatItem& AItem) const;
  Integer GetDateTimeStandardMaskStringLength(const TcxDateTimeFormatInfo& AFormatInfo) const;

 protected:
  LRESULT WndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) override;
  // A new translation may change the smart-input words.
  void TranslationChanged() override { FormatChanged(); }

 private:
  String CalculateCurrencyFormat() const;
  // With AIsMasked, a month name is cut to its short form, as masks take it.
  String CalculateDateEditFormat(bool AIsMasked) const;
  // The long time format in the run-time's syntax.
  String GetLongTimeFormat() const;
  void CalculateDateEditMasks();
  String StandardMask(const TcxDateTimeFormatInfo& AFormatInfo) const;
  String RegExprMask(const TcxDateTimeFormatInfo& AFormatInfo) const;
  String RegExprTimeSuffix(const String& AData) const;
  // The desktop announced a change of the locale.
  void LocaleChanged();

  std::vector<IcxFormatControllerListener*> FList;
  Integer FLockCount = 0;
  TcxFirstWeekOfYear FFirstWeekOfYear = fwySystem;
  bool FUseRuntimeDateTimeFormats = false;
  TFormatSettings FLocalFormatSettings;
  bool FLocalIsGregorianCalendar = true;
  String FCurrencyFormat;
  bool FAssignedCurrencyFormat = false;
  String FDateEditFormat;
  bool FAssignedDateEditFormat = false;
  String FDateEditMask;
  bool FAssignedDateEditMask = false;
  String FStandardDateEditMask;
  bool FAssignedStandardDateEditMask = false;
  String FStandardDateTimeEditMask;
  bool FAssignedStandardDateTimeEditMask = false;
  String FRegExprDateEditMask;
  bool FAssignedRegExprDateEditMask = false;
  String FRegExprDateTimeEditMask;
  bool FAssignedRegExprDateTimeEditMask = false;
  String FMaskedDateEditFormat;
  String FMaskedDateTimeEditFormat;
  TcxDateTimeFormatInfo FDateFormatInfo;
  TcxDateTimeFormatInfo FTimeFormatInfo;
  TcxDateTimeFormatInfo FDateTimeFormatInfo;
};

// The controller of the process, made on first use and freed when the unit ends.
TcxFormatController* cxFormatController();

void RegisterFormatsUnit();

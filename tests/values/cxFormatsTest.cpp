#include "values/cxFormats.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/Controls.h"
#include "host/FloatText.h"
#include "host/Forms.h"
#include "platform/SystemChanges.h"
#include "tests/values/CalendarTestSupport.h"

namespace {

std::string Utf8(const String& S) { return UTF8Encode(S); }

// Each test has a controller of its own on the English profile; the run-time
// settings go back to that profile afterwards.
class FormatController : public ::testing::Test {
 protected:
  void SetUp() override { Use(TLocaleProfile::EnglishUS); }
  void TearDown() override {
    Application()->SetUpdateFormatSettings(true);
    dxResetAssignedStartOfWeek();
    SetLocaleProfile(TLocaleProfile::EnglishUS);
    GetFormatSettings();
  }
  void Use(TLocaleProfile AProfile) {
    SetLocaleProfile(AProfile);
    GetFormatSettings();
    Controller.reset(new TcxFormatController);
  }
  // The desktop's way: a new profile, then its announcement. The thread
  // keeps a locale of its own meanwhile, as a program may have set one.
  static void Announce(TLocaleProfile AProfile) {
    SetLocaleProfile(AProfile);
    SetThreadLocale(GermanLocale);
    AnnounceSettingChange(0, u"intl");
  }
  static constexpr LCID GermanLocale = 0x0407;

  std::unique_ptr<TcxFormatController, TFreeObject> Controller;
};

// --- Format settings --------------------------------------------------------------

TEST_F(FormatController, SettingsAreTheRuntimesCurrentOnes) {
  EXPECT_EQ(dxFormatSettings.GetShortDateFormat(), u"M/d/yyyy");
  EXPECT_EQ(dxFormatSettings.GetLongMonthNames(1), u"January");
  EXPECT_EQ(dxFormatSettings.GetShortMonthNames(12), u"Dec");
  FormatSettings.ShortDateFormat = u"yyyy-MM-dd";
  FormatSettings.TimeAMString = u"am";
  EXPECT_EQ(dxFormatSettings.GetShortDateFormat(), u"yyyy-MM-dd");
  EXPECT_EQ(dxFormatSettings.GetTimeAMString(), u"am");
  Use(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(dxFormatSettings.GetCurrencyString(), u"R$");
  EXPECT_EQ(dxFormatSettings.GetCurrencyFormat(), 2);
  EXPECT_EQ(dxFormatSettings.GetNegCurrFormat(), 9);
  EXPECT_EQ(dxFormatSettings.GetLongTimeFormat(), u"HH:mm:ss");
  EXPECT_EQ(dxFormatSettings.GetLongMonthNames(3), u"mar\u00e7o");
}

// --- Currency -----------------------------------------------------------------------

TEST_F(FormatController, CurrencyFormatWritesAmountsAsUsersExpect) {
  struct TCase {
    const char16_t* Currency;
    Byte Format, NegFormat, Decimals;
    const char16_t* Expected;
    const char16_t* Positive;
    const char16_t* Negative;
  } cases[] = {
      {u"$", 0, 0, 2, u"$,0.00;($,0.00)", u"$1,234.50", u"($1,234.50)"},
      {u"$", 0, 3, 0, u"$,0.;$,0.-", u"$1,235", u"$1,235-"},
      {u"$", 1, 5, 0, u",0.$;-,0.$", u"1,235$", u"-1,235$"},
      {u"kr", 3, 8, 2, u",0.00 kr;-,0.00 kr", u"1,234.50 kr", u"-1,234.50 kr"},
      {u"R$", 2, 9, 2, u"R$ ,0.00;-R$ ,0.00", u"R$ 1,234.50", u"-R$ 1,234.50"},
      {u"\u20ac", 2, 12, 2, u"\u20ac ,0.00;\u20ac -,0.00", u"\u20ac 1,234.50", u"\u20ac -1,234.50"},
      {u"$", 0, 14, 2, u"$,0.00;($ ,0.00)", u"$1,234.50", u"($ 1,234.50)"},
      {u"$", 1, 15, 2, u",0.00$;(,0.00 $)", u"1,234.50$", u"(1,234.50 $)"},
      // A currency text with the number's own characters stays intact.
      {u"R.", 0, 1, 2, u"R'.',0.00;-R'.',0.00", u"R.1,234.50", u"-R.1,234.50"},
      {u"Fr,", 3, 13, 1, u",0.0 Fr',';,0.0- Fr','", u"1,234.5 Fr,", u"1,234.5- Fr,"},
      // Numbers past the patterns take the first one.
      {u"$", 4, 16, 2, u"$,0.00;($,0.00)", u"$1,234.50", u"($1,234.50)"},
      {u"$", 255, 255, 2, u"$,0.00;($,0.00)", u"$1,234.50", u"($1,234.50)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(c.Expected));
    FormatSettings.CurrencyString = c.Currency;
    FormatSettings.CurrencyFormat = c.Format;
    FormatSettings.NegCurrFormat = c.NegFormat;
    FormatSettings.CurrencyDecimals = c.Decimals;
    Controller->FormatChanged();
    const String format = Controller->GetCurrencyFormat();
    EXPECT_EQ(Utf8(format), Utf8(c.Expected));
    EXPECT_EQ(Utf8(FormatFloat(format, 1234.5)), Utf8(c.Positive));
    EXPECT_EQ(Utf8(FormatFloat(format, -1234.5)), Utf8(c.Negative));
  }
}

TEST_F(FormatController, CurrencyFormatOfTheSecondProfile) {
  Use(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(Controller->GetCurrencyFormat(), u"R$ ,0.00;-R$ ,0.00");
  EXPECT_EQ(Utf8(FormatFloat(Controller->GetCurrencyFormat(), -1234.5)), "-R$ 1.234,50");
}

TEST_F(FormatController, AnAssignedCurrencyFormatStaysUntilReleased) {
  Controller->SetCurrencyFormat(u"0.00 'EUR'");
  EXPECT_TRUE(Controller->GetAssignedCurrencyFormat());
  FormatSettings.CurrencyString = u"kr";
  Controller->FormatChanged();
  EXPECT_EQ(Controller->GetCurrencyFormat(), u"0.00 'EUR'");
  Controller->SetAssignedCurrencyFormat(false);
  EXPECT_EQ(Controller->GetCurrencyFormat(), u"kr,0.00;(kr,0.00)");
}

// --- Date edit format ---------------------------------------------------------------

TEST_F(FormatController, DateEditFormatHasTwoDigitDaysAndMonths) {
  struct TCase {
    const char16_t* ShortDate;
    const char16_t* EditFormat;
    const char16_t* MaskedMonth;  // the month as masks take it
  } cases[] = {
      {u"M/d/yyyy", u"MM/dd/yyyy", u"MM"},
      {u"dd/MM/yyyy", u"dd/MM/yyyy", u"MM"},
      {u"d.M.yy", u"dd.MM.yy", u"MM"},
      {u"d-MMM-yyyy", u"dd-MMM-yyyy", u"MMM"},
      {u"MMMM d, yyyy", u"MMMM dd, yyyy", u"MMM"},
      {u"d 'de' M", u"dd 'de' MM", u"MM"},  // quoted letters stay
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(c.ShortDate));
    FormatSettings.ShortDateFormat = c.ShortDate;
    Controller->FormatChanged();
    EXPECT_EQ(Utf8(Controller->GetDateEditFormat()), Utf8(c.EditFormat));
    const auto& items = Controller->GetDateFormatInfo().Items;
    const auto month = std::find_if(items.begin(), items.end(), [](const auto& i) { return i.Kind == dtikMonth; });
    ASSERT_NE(month, items.end());
    EXPECT_EQ(Utf8(month->Data), Utf8(c.MaskedMonth));
  }
  Controller->SetDateEditFormat(u"yyyy-MM-dd");
  FormatSettings.ShortDateFormat = u"d/M/yy";
  Controller->FormatChanged();
  EXPECT_EQ(Controller->GetDateEditFormat(), u"yyyy-MM-dd");
}

TEST_F(FormatController, DisplayFormats) {
  EXPECT_EQ(Controller->GetDateTimeDisplayFormat(dtkDate), u"M/d/yyyy");
  EXPECT_EQ(Controller->GetDateTimeDisplayFormat(dtkTime), u"h:mm:ss AMPM");
  EXPECT_EQ(Controller->GetDateTimeDisplayFormat(dtkDateTime), u"M/d/yyyy h:mm:ss AMPM");
  // The locale's time format unless the run-time's is asked for.
  FormatSettings.LongTimeFormat = u"hh:nn";
  EXPECT_EQ(Controller->GetDateTimeDisplayFormat(dtkTime), u"h:mm:ss AMPM");
  Controller->SetUseRuntimeDateTimeFormats(true);
  EXPECT_EQ(Controller->GetDateTimeDisplayFormat(dtkDateTime), u"M/d/yyyy hh:nn");
}

// --- Parsing ------------------------------------------------------------------------

using TItems = std::vector<TcxDateTimeFormatItem>;

std::string Show(const TItems& AItems) {
  static const char* const kinds[] = {"String", "Year", "Month", "Day", "Hour", "Min",
                                      "Sec",    "MSec", "Suffix", "DateSep", "TimeSep"};
  std::string text;
  for (const TcxDateTimeFormatItem& item : AItems) text += std::string(kinds[item.Kind]) + "[" + Utf8(item.Data) + "] ";
  return text;
}

TEST_F(FormatController, ParsingSplitsFormatsIntoItems) {
  struct TCase {
    const char16_t* Format;
    TItems Items;
  } cases[] = {
      {u"dd/MM/yyyy hh:nn AM/PM",
       {{dtikDay, u"DD"}, {dtikDateSeparator, u"/"}, {dtikMonth, u"MM"}, {dtikDateSeparator, u"/"},
        {dtikYear, u"YYYY"}, {dtikString, u" "}, {dtikHour, u"12"}, {dtikTimeSeparator, u":"},
        {dtikMin, u"NN"}, {dtikString, u" "}, {dtikTimeSuffix, u"AM/PM"}}},
      // Quoted text, either quote, merged with its neighbours.
      {u"'at' h \"o'clock\"", {{dtikString, u"at "}, {dtikHour, u"24"}, {dtikString, u" o'clock"}}},
      {u"yyyy 'abc", {{dtikYear, u"YYYY"}, {dtikString, u" abc"}}},
      // The first of a kind wins.
      {u"yyyy-MM-dd yy", {{dtikYear, u"YYYY"}, {dtikString, u"-"}, {dtikMonth, u"MM"}, {dtikString, u"-"},
                          {dtikDay, u"DD"}, {dtikString, u" "}}},
      // m is minutes right after an hour, separators and text aside.
      {u"h:m", {{dtikHour, u"24"}, {dtikTimeSeparator, u":"}, {dtikMin, u"N"}}},
      {u"hh 'h' mm", {{dtikHour, u"24"}, {dtikString, u" h "}, {dtikMin, u"NN"}}},
      {u"m/d", {{dtikMonth, u"M"}, {dtikDateSeparator, u"/"}, {dtikDay, u"D"}}},
      {u"MMMMM", {{dtikMonth, u"MMMM"}}},
      // Letters in any case.
      {u"YY.DD.Ee HH:NN:SS.ZZZ", {{dtikYear, u"YY"}, {dtikString, u"."}, {dtikDay, u"DD"}, {dtikString, u". "}, {dtikHour, u"24"}, {dtikTimeSeparator, u":"},
                                  {dtikMin, u"NN"}, {dtikTimeSeparator, u":"}, {dtikSec, u"SS"},
                                  {dtikString, u"."}, {dtikMSec, u"ZZZ"}}},
      // A suffix without an hour goes; with one, the hour counts to 12.
      {u"nn:ss AMPM", {{dtikMin, u"NN"}, {dtikTimeSeparator, u":"}, {dtikSec, u"SS"}, {dtikString, u" "}}},
      {u"h a/p", {{dtikHour, u"12"}, {dtikString, u" "}, {dtikTimeSuffix, u"a/p"}}},
      {u"h ampm", {{dtikHour, u"12"}, {dtikString, u" "}, {dtikTimeSuffix, u"AMPM"}}},
      // Day names by "a"; a lone "a" is text.
      {u"aaa a aaaa", {{dtikDay, u"DDD"}, {dtikString, u" a "}}},
      {u"aaaa", {{dtikDay, u"DDDD"}}},
      // Eras end the format.
      {u"yyyy g MM", {{dtikYear, u"YYYY"}, {dtikString, u" "}}},
      // A character outside the basic plane stays whole.
      {u"yy\U0001F600", {{dtikYear, u"YY"}, {dtikString, u"\U0001F600"}}},
  };
  // "ddddd", "dddddd" and the one-letter expansions below would merge with
  // their neighbours in one format; each case separates them.
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(c.Format));
    EXPECT_EQ(Show(GetDateTimeFormatInfo(c.Format).Items), Show(c.Items));
  }
}

TEST_F(FormatController, ParsingExpandsTheRuntimesFormats) {
  const TItems shortDate = {{dtikMonth, u"M"}, {dtikDateSeparator, u"/"}, {dtikDay, u"D"},
                            {dtikDateSeparator, u"/"}, {dtikYear, u"YYYY"}};
  const TItems longTime = {{dtikHour, u"12"},  {dtikTimeSeparator, u":"}, {dtikMin, u"NN"},
                           {dtikTimeSeparator, u":"}, {dtikSec, u"SS"}, {dtikString, u" "},
                           {dtikTimeSuffix, u"AMPM"}};
  EXPECT_EQ(Show(GetDateTimeFormatInfo(u"ddddd").Items), Show(shortDate));
  TItems both = shortDate;
  both.push_back({dtikString, u" "});
  both.insert(both.end(), longTime.begin(), longTime.end());
  EXPECT_EQ(Show(GetDateTimeFormatInfo(u"c").Items), Show(both));
  EXPECT_EQ(Show(GetDateTimeFormatInfo(u"tt").Items), Show(longTime));
  EXPECT_EQ(Show(GetDateTimeFormatInfo(u"t").Items),
            Show({{dtikHour, u"12"}, {dtikTimeSeparator, u":"}, {dtikMin, u"NN"}, {dtikString, u" "},
                  {dtikTimeSuffix, u"AMPM"}}));
  // "dddd, MMMM d, yyyy": the second day is dropped, the texts round it merge.
  EXPECT_EQ(Show(GetDateTimeFormatInfo(u"dddddd").Items),
            Show({{dtikDay, u"DDDD"}, {dtikString, u", "}, {dtikMonth, u"MMMM"}, {dtikString, u" , "},
                  {dtikYear, u"YYYY"}}));
  // Formats that expand each other stop two levels down.
  FormatSettings.ShortDateFormat = u"'<'dddddd";
  FormatSettings.LongDateFormat = u"'>'ddddd";
  EXPECT_EQ(Show(GetDateTimeFormatInfo(u"ddddd").Items), Show({{dtikString, u"<>"}}));
  EXPECT_EQ(Show(GetDateTimeFormatInfo(u"x c").Items), Show({{dtikString, u"x <> "}, {dtikHour, u"12"},
                                                              {dtikTimeSeparator, u":"}, {dtikMin, u"NN"},
                                                              {dtikTimeSeparator, u":"}, {dtikSec, u"SS"},
                                                              {dtikString, u" "}, {dtikTimeSuffix, u"AMPM"}}));
}

// --- Masks --------------------------------------------------------------------------

constexpr char16_t SmartWords[] =
    u"'today'|'yesterday'|'tomorrow'|'Sunday'|'Monday'|'Tuesday'|'Wednesday'|'Thursday'|'Friday'|'Saturday'|"
    u"'first'|'second'|'third'|'fourth'|'fifth'|'sixth'|'seventh'|'bom'|'eom'";
constexpr char16_t SmartOffset[] = u")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
constexpr char16_t Day[] = u"([012]?[1-9]|[123]0|31)";

struct TProfileMasks {
  const char16_t* DateEditFormat;
  const char16_t* StandardDate;
  const char16_t* StandardDateTime;
  const char16_t* DateEditMask;
  const char16_t* MaskedDate;
  const char16_t* MaskedDateTime;
  String RegExprDate;
  String RegExprTime;
  Integer DateLength, DateTimeLength;
};

void ExpectMasks(const TcxFormatController& AController, const TProfileMasks& AMasks) {
  EXPECT_EQ(Utf8(AController.GetDateEditFormat()), Utf8(AMasks.DateEditFormat));
  EXPECT_EQ(Utf8(AController.GetStandardDateEditMask()), Utf8(AMasks.StandardDate));
  EXPECT_EQ(Utf8(AController.GetStandardDateTimeEditMask()), Utf8(AMasks.StandardDateTime));
  EXPECT_EQ(Utf8(AController.GetDateEditMask()), Utf8(AMasks.DateEditMask));
  EXPECT_EQ(Utf8(AController.GetMaskedDateEditFormat()), Utf8(AMasks.MaskedDate));
  EXPECT_EQ(Utf8(AController.GetMaskedDateTimeEditFormat()), Utf8(AMasks.MaskedDateTime));
  const String& date = AMasks.RegExprDate;
  EXPECT_EQ(Utf8(AController.GetRegExprDateEditMask()), Utf8(u"(" + date + u")|(" + SmartWords + SmartOffset));
  EXPECT_EQ(Utf8(AController.GetRegExprDateTimeEditMask()),
            Utf8(u"(" + date + u" ' '(" + AMasks.RegExprTime + u")?)|(" + SmartWords + u"|'now'" + SmartOffset));
  EXPECT_EQ(AController.GetDateTimeStandardMaskStringLength(AController.GetDateFormatInfo()), AMasks.DateLength);
  EXPECT_EQ(AController.GetDateTimeStandardMaskStringLength(AController.GetDateTimeFormatInfo()),
            AMasks.DateTimeLength);
}

TEST_F(FormatController, MasksOfTheEnglishProfile) {
  ExpectMasks(*Controller,
              {u"MM/dd/yyyy", u"!99\\/99\\/9999", u"!99\\/99\\/9999\\ 99\\:99\\:99\\ LL",
               u"!99\\/99\\/9999;1;_", u"MM/dd/yyyy", u"MM/dd/yyyy\" \"hh:nn:ss\" \"AM/PM",
               u"((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'Apr'|'May'|'Jun'|'Jul'|'Aug'|'Sep'|'Oct'|'Nov'|'Dec'))\\/" +
                   String(Day) + u"\\/\\d\\d\\d\\d",
               u"(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '(AM|PM)?", 10, 22});
}

TEST_F(FormatController, MasksOfThePortugueseProfile) {
  Use(TLocaleProfile::PortugueseBR);
  ExpectMasks(*Controller,
              {u"dd/MM/yyyy", u"!99\\/99\\/9999", u"!99\\/99\\/9999\\ 99\\:99\\:99",
               u"!99\\/99\\/9999;1;_", u"dd/MM/yyyy", u"dd/MM/yyyy\" \"hh:nn:ss",
               String(Day) +
                   u"\\/((0?[1-9]|1[012])|('jan'|'fev'|'mar'|'abr'|'mai'|'jun'|'jul'|'ago'|'set'|'out'|'nov'|'dez'))"
                   u"\\/\\d\\d\\d\\d",
               u"([01]?\\d|2[0-3])\\:[0-5]?\\d\\:[0-5]?\\d", 10, 19});
}

TEST_F(FormatController, MasksTakeTheLocalesTimeTexts) {
  Controller->SetUseRuntimeDateTimeFormats(true);
  FormatSettings.LongTimeFormat = u"hh:nn am/pm";
  Controller->FormatChanged();
  EXPECT_EQ(Utf8(Controller->GetStandardDateTimeEditMask()), "!99\\/99\\/9999\\ 99\\:99\\ cc");
  EXPECT_EQ(Utf8(Controller->GetMaskedDateTimeEditFormat()), "MM/dd/yyyy\" \"hh:nn\" \"AMPM");
  EXPECT_NE(Controller->GetRegExprDateTimeEditMask().find(u"(0?[1-9]|1[012])\\:[0-5]?\\d' '('AM'|'PM')?)?)|("),
            String::npos);
  // Without texts the suffix takes no room and matches nothing.
  Use(TLocaleProfile::PortugueseBR);
  Controller->SetUseRuntimeDateTimeFormats(true);
  FormatSettings.LongTimeFormat = u"h:nn a/p";
  FormatSettings.ShortDateFormat = u"d/M/yyyy";
  FormatSettings.DateSeparator = u'.';
  Controller->FormatChanged();
  EXPECT_EQ(Utf8(Controller->GetStandardDateTimeEditMask()), "!99\\.99\\.9999\\ 99\\:99\\ L");
  EXPECT_EQ(Controller->GetTimeFormatInfo().Items.back().Data, u"a/p");
  FormatSettings.LongTimeFormat = u"h:nn am/pm";
  Controller->FormatChanged();
  EXPECT_EQ(Utf8(Controller->GetStandardDateTimeEditMask()), "!99\\.99\\.9999\\ 99\\:99\\ ");
  const String dateTime = Controller->GetRegExprDateTimeEditMask();
  EXPECT_TRUE(dateTime.starts_with(u"(([012]?[1-9]|[123]0|31)\\.((0?[1-9]|1[012])|('jan'|")) << Utf8(dateTime);
  EXPECT_NE(dateTime.find(u"\\.\\d\\d\\d\\d ' '((0?[1-9]|1[012])\\:[0-5]?\\d' ')?)|("), String::npos) << Utf8(dateTime);
}

TEST_F(FormatController, ZoneLengths) {
  struct TCase {
    TcxDateTimeFormatItem Item;
    Integer Length;
  } cases[] = {
      {{dtikString, u"abc"}, 3},  {{dtikYear, u"YY"}, 2},       {{dtikYear, u"YYYY"}, 4},
      {{dtikMonth, u"M"}, 2},     {{dtikMonth, u"MMM"}, 3},     {{dtikDay, u"DDDD"}, 3},
      {{dtikHour, u"12"}, 2},     {{dtikMin, u"N"}, 2},         {{dtikSec, u"SS"}, 2},
      {{dtikMSec, u"ZZZ"}, 3},    {{dtikTimeSuffix, u"AMPM"}, 2}, {{dtikTimeSuffix, u"A/P"}, 1},
      {{dtikTimeSuffix, u"am/pm"}, 2}, {{dtikDateSeparator, u"/"}, 1}, {{dtikTimeSeparator, u":"}, 1},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Controller->GetDateTimeFormatItemStandardMaskZoneLength(c.Item), c.Length) << Utf8(c.Item.Data);
  Use(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(Controller->GetDateTimeFormatItemStandardMaskZoneLength({dtikTimeSuffix, u"am/pm"}), 0);
}

// --- Changes ------------------------------------------------------------------------

// A control that listens to a format controller while it lives.
class TFormatListeningControl : public TCustomControl, public IcxFormatControllerListener {
 public:
  explicit TFormatListeningControl(TcxFormatController* AController) : TCustomControl(nullptr), FController(AController) {
    FController->AddListener(this);
  }
  ~TFormatListeningControl() override { FController->RemoveListener(this); }
  void FormatChanged() override {
    ++FormatChanges;
    Invalidate();
  }
  int FormatChanges = 0;

 private:
  TcxFormatController* FController;
};

class TClockListeningControl : public TFormatListeningControl, public IcxFormatControllerTimeListener {
 public:
  using TFormatListeningControl::TFormatListeningControl;
  void TimeChanged() override { ++TimeChanges; }
  int TimeChanges = 0;
};

template <typename T>
using TOwned = std::unique_ptr<T, TFreeObject>;

TEST_F(FormatController, AnAnnouncedProfileReachesEachListenerOnce) {
  TOwned<TFormatListeningControl> first(new TFormatListeningControl(Controller.get()));
  TOwned<TClockListeningControl> second(new TClockListeningControl(Controller.get()));
  Announce(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(GetThreadLocale(), 0x0416u);
  EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
  EXPECT_EQ(Controller->GetLocalFormatSettings().ShortDateFormat, u"dd/MM/yyyy");
  EXPECT_EQ(Controller->GetCurrencyFormat(), u"R$ ,0.00;-R$ ,0.00");
  EXPECT_EQ(Controller->GetStandardDateTimeEditMask(), u"!99\\/99\\/9999\\ 99\\:99\\:99");
  EXPECT_EQ(first->FormatChanges, 1);
  EXPECT_EQ(second->FormatChanges, 1);
  EXPECT_EQ(second->TimeChanges, 0);
  // Other areas and actions are not the locale.
  AnnounceSettingChange(0, u"Policy");
  AnnounceSettingChange(SPI_SETDRAGFULLWINDOWS, u"intl");
  AnnounceSettingChange(0, nullptr);
  EXPECT_EQ(first->FormatChanges, 1);
  EXPECT_EQ(Controller->GetRegExprDateEditMask().find(u"'jan'") != String::npos, true);
}

TEST_F(FormatController, WithoutUpdatingTheRuntimeOnlyTheLocalSettingsFollow) {
  TOwned<TFormatListeningControl> listener(new TFormatListeningControl(Controller.get()));
  Application()->SetUpdateFormatSettings(false);
  Announce(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(GetThreadLocale(), GermanLocale);
  EXPECT_EQ(FormatSettings.DecimalSeparator, u'.');
  EXPECT_EQ(Controller->GetLocalFormatSettings().DecimalSeparator, u',');
  EXPECT_EQ(Controller->GetCurrencyFormat(), u"$,0.00;($,0.00)");
  EXPECT_EQ(Controller->GetStandardDateTimeEditMask(), u"!99\\/99\\/9999\\ 99\\:99\\:99\\ LL");
  EXPECT_EQ(listener->FormatChanges, 0);
}

TEST_F(FormatController, ClockChangesReachOnlyClockListeners) {
  TOwned<TFormatListeningControl> formats(new TFormatListeningControl(Controller.get()));
  TOwned<TClockListeningControl> clock(new TClockListeningControl(Controller.get()));
  AnnounceTimeChange();
  EXPECT_EQ(clock->TimeChanges, 1);
  EXPECT_EQ(clock->FormatChanges, 0);
  EXPECT_EQ(formats->FormatChanges, 0);
}

TEST_F(FormatController, ATranslationIsAFormatChange) {
  TOwned<TFormatListeningControl> listener(new TFormatListeningControl(Controller.get()));
  TdxProductResourceStrings* words = dxResourceStringsRepository()->GetProductByName(cxSDateProduct);
  ASSERT_NE(words, nullptr);
  words->SetTranslation(cxSDateToday, u"hoje");
  words->SetTranslation(cxSDateNow, u"agora");
  dxResourceStringsRepository()->NotifyListeners();
  words->ClearTranslations();
  EXPECT_EQ(listener->FormatChanges, 1);
  EXPECT_NE(Controller->GetRegExprDateEditMask().find(u"('hoje'|'yesterday'|"), String::npos);
  EXPECT_EQ(Controller->GetRegExprDateEditMask().find(u"'today'"), String::npos);
  EXPECT_NE(Controller->GetRegExprDateTimeEditMask().find(u"|'eom'|'agora')"), String::npos);
  dxResourceStringsRepository()->NotifyListeners();
  EXPECT_NE(Controller->GetRegExprDateEditMask().find(u"('today'|"), String::npos);
}

TEST_F(FormatController, UpdatesNotifyOnceAtTheEnd) {
  TOwned<TFormatListeningControl> listener(new TFormatListeningControl(Controller.get()));
  Controller->BeginUpdate();
  Controller->BeginUpdate();
  Controller->SetFirstWeekOfYear(fwyFirstFourDays);
  Controller->SetUseRuntimeDateTimeFormats(true);
  Controller->SetStartOfWeek(dMonday);
  Controller->EndUpdate();
  EXPECT_EQ(listener->FormatChanges, 0);
  Controller->EndUpdate();
  EXPECT_EQ(listener->FormatChanges, 1);
  // Not below zero: the next change still notifies.
  Controller->EndUpdate();
  EXPECT_EQ(listener->FormatChanges, 1);
  Controller->SetFirstWeekOfYear(fwyJan1);
  EXPECT_EQ(listener->FormatChanges, 2);
  EXPECT_EQ(Controller->GetFirstWeekOfYear(), fwyJan1);
}

TEST_F(FormatController, SettersNotifyOnRealChanges) {
  TOwned<TFormatListeningControl> listener(new TFormatListeningControl(Controller.get()));
  Controller->AddListener(listener.get());  // listed once
  Controller->SetUseRuntimeDateTimeFormats(false);
  Controller->SetFirstWeekOfYear(fwySystem);
  EXPECT_EQ(listener->FormatChanges, 0);
  Controller->SetStandardDateEditMask(u"!9999");
  Controller->SetStandardDateEditMask(u"!9999");
  EXPECT_EQ(listener->FormatChanges, 1);
  EXPECT_EQ(Controller->GetStandardDateEditMask(), u"!9999");
  // Setting the computed value only marks it set.
  Controller->SetStandardDateTimeEditMask(Controller->GetStandardDateTimeEditMask());
  EXPECT_EQ(listener->FormatChanges, 1);
  Controller->RemoveListener(listener.get());
  Controller->SetDateEditMask(u"!99;0;_");
  EXPECT_EQ(listener->FormatChanges, 1);
}

TEST_F(FormatController, StartOfWeekIsTheProcesss) {
  TOwned<TFormatListeningControl> listener(new TFormatListeningControl(Controller.get()));
  EXPECT_EQ(Controller->GetStartOfWeek(), dSunday);
  EXPECT_FALSE(Controller->GetAssignedStartOfWeek());
  Controller->SetStartOfWeek(dMonday);
  EXPECT_EQ(dxGetStartOfWeek(), dMonday);
  EXPECT_TRUE(dxGetAssignedStartOfWeek());
  Controller->SetStartOfWeek(dMonday);
  EXPECT_EQ(listener->FormatChanges, 1);
  Controller->SetAssignedStartOfWeek(false);
  EXPECT_EQ(dxGetStartOfWeek(), dSunday);
  EXPECT_EQ(listener->FormatChanges, 2);
  // Set, the locale's own day is kept through locale changes.
  Controller->SetAssignedStartOfWeek(true);
  EXPECT_EQ(dxGetStartOfWeek(), dSunday);
  EXPECT_TRUE(dxGetAssignedStartOfWeek());
}

TEST_F(FormatController, ExplicitMasksSurviveLocaleChanges) {
  Controller->SetRegExprDateEditMask(u"\\d\\d?");
  Controller->SetRegExprDateTimeEditMask(u"\\d+");
  Controller->SetStandardDateEditMask(u"!99");
  Announce(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(Controller->GetRegExprDateEditMask(), u"\\d\\d?");
  EXPECT_EQ(Controller->GetRegExprDateTimeEditMask(), u"\\d+");
  EXPECT_EQ(Controller->GetStandardDateEditMask(), u"!99");
  EXPECT_EQ(Controller->GetStandardDateTimeEditMask(), u"!99\\/99\\/9999\\ 99\\:99\\:99");
}

TEST_F(FormatController, TheLocalCalendarIsNoted) {
  EXPECT_TRUE(Controller->GetLocalIsGregorianCalendar());
  TReportedCalendar hijri(CAL_HIJRI);
  Controller->UpdateLocalSettings();
  EXPECT_FALSE(Controller->GetLocalIsGregorianCalendar());
}

TEST(cxFormatController, IsSharedAndComputed) {
  TcxFormatController* controller = cxFormatController();
  EXPECT_EQ(cxFormatController(), controller);
  EXPECT_FALSE(controller->GetCurrencyFormat().empty());
  EXPECT_FALSE(controller->GetRegExprDateTimeEditMask().empty());
}

}  // namespace

#include "editors/cxStandardMask.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "host/DateUtils.h"
#include "host/FormatSettings.h"
#include "platform/Locale.h"
#include "platform/SystemChanges.h"
#include "values/cxFormats.h"

namespace {

// The compiled items in a short notation: a literal as 'x'; a placeholder
// as its mask letter (upper case when required, "#" for the sign place)
// followed by ">" or "<" when it converts case.
String Describe(const TcxStandardMask& AMask) {
  String result;
  for (Integer i = 0; i < AMask.GetCount(); ++i) {
    if (!result.empty()) result += u' ';
    const TcxStandardMaskCustomItem* item = AMask.GetItems(i);
    if (auto* literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(item)) {
      result += {u'\'', literal->GetLiteral(), u'\''};
      continue;
    }
    auto* placeholder = dynamic_cast<const TcxStandardMaskManyItem*>(item);
    const bool optional = placeholder->GetOptional();
    if (dynamic_cast<const TcxStandardMaskNumericSymbolItem*>(item))
      result += optional ? u'#' : u'?';
    else if (dynamic_cast<const TcxStandardMaskNumericItem*>(item))
      result += optional ? u'9' : u'0';
    else if (dynamic_cast<const TcxStandardMaskAlphaItem*>(item))
      result += optional ? u'l' : u'L';
    else if (dynamic_cast<const TcxStandardMaskAlphaNumericItem*>(item))
      result += optional ? u'a' : u'A';
    else if (dynamic_cast<const TcxStandardMaskASCIIItem*>(item))
      result += optional ? u'c' : u'C';
    if (placeholder->GetCaseControl() == ccUpperCase) result += u'>';
    if (placeholder->GetCaseControl() == ccLowerCase) result += u'<';
  }
  return result;
}

std::string Utf8(const String& S) { return UTF8Encode(S); }

constexpr char16_t PhoneMask[] = u"(999) 000-0000;1;_";
constexpr char16_t PhoneMaskWithoutLiterals[] = u"(999) 000-0000;0;_";

// Sets the run-time's separators by hand (both fixed profiles use "/" and
// ":") and puts the suite's settings back afterwards.
class StandardMaskSeparators : public ::testing::Test {
 protected:
  void TearDown() override { FormatSettings = Saved; }
  TFormatSettings Saved = FormatSettings;
};

TEST(StandardMask, CompilesOneItemPerPosition) {
  struct TCase {
    const char16_t* Mask;
    const char16_t* Items;
    bool SaveLiterals;
    Char Blank;
  } cases[] = {
      {u"", u"", true, u'_'},
      {u"99\\", u"9 9", true, u'_'},  // a final backslash adds nothing
      {u"\\0", u"'0'", true, u'_'},
      {u"\\\\\\;1", u"'\\' ';' '1'", true, u'_'},
      {u"0L9lAaCc#", u"0 L 9 l A a C c #", true, u'_'},
      // ";" starts the trailing section only where it fits exactly.
      {u"9;19", u"9 ';' '1' 9", true, u'_'},
      {u"9;1ab", u"9 ';' '1' a 'b'", true, u'_'},
      {u"99;", u"9 9 ';'", true, u'_'},
      {u"99;2", u"9 9 ';' '2'", true, u'_'},
      {u"99;1;", u"9 9 ';' '1' ';'", true, u'_'},
      {u"99;1;_;0", u"9 9 ';' '1' ';' '_'", false, u'_'},
      {u"LL;0;*", u"L L", false, u'*'},
      {u"LL;1; ", u"L L", true, u' '},
      {PhoneMask, u"'(' 9 9 9 ')' ' ' 0 0 0 '-' 0 0 0 0", true, u'_'},
      {u"!99;0", u"9 9", false, u'_'},
      {u"!", u"", true, u'_'},
      {u"a!", u"a '!'", true, u'_'},
      // Case switches stay in force until the next one; "<>" turns them off.
      {u">LL<l", u"L> L> l<", true, u'_'},
      {u">L<>l<cC", u"L> l c< C<", true, u'_'},
      {u">#<9", u"#> 9<", true, u'_'},
      {u"<>>", u"", true, u'_'},
  };
  TcxStandardMask mask;
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(c.Mask));
    mask.Compile(c.Mask);
    EXPECT_EQ(Utf8(Describe(mask)), Utf8(c.Items));
    EXPECT_EQ(mask.GetSaveLiteralCharacters(), c.SaveLiterals);
    EXPECT_EQ(mask.GetBlank(), c.Blank);
  }
}

TEST(StandardMask, CompilingAgainStartsFromScratch) {
  TcxStandardMask mask;
  mask.Compile(u"!99;0;*");
  mask.Compile(u"99");
  EXPECT_EQ(Utf8(mask.GetMask()), "99");
  EXPECT_TRUE(mask.GetSaveLiteralCharacters());
  EXPECT_EQ(mask.GetBlank(), u'_');
  String text = u"5";
  mask.Format(text, true, false);
  EXPECT_EQ(Utf8(text), "5_") << "no longer filled from the right";
  mask.Clear();
  EXPECT_EQ(mask.GetCount(), 0);
  EXPECT_EQ(Utf8(mask.GetMask()), "");
}

TEST_F(StandardMaskSeparators, AreTakenWhenCompiling) {
  FormatSettings.DateSeparator = u'-';
  FormatSettings.TimeSeparator = u'.';
  TcxStandardMask mask;
  mask.Compile(u"99/99:99\\/\\:");
  FormatSettings.DateSeparator = u'/';
  FormatSettings.TimeSeparator = u':';
  EXPECT_EQ(Utf8(Describe(mask)), "9 9 '-' 9 9 '.' 9 9 '/' ':'");
  EXPECT_EQ(Utf8(mask.GetFullEmptyString()), "__-__.__/:");
}

TEST(StandardMask, EmptyTexts) {
  struct TCase {
    const char16_t* Mask;
    const char16_t* Empty;
    const char16_t* FullEmpty;
  } cases[] = {
      {u"", u"", u""},
      {PhoneMask, u"(   )    -    ", u"(___) ___-____"},
      {PhoneMaskWithoutLiterals, u"          ", u"(___) ___-____"},
      {u"!99;0;*", u"  ", u"**"},
      {u"\\A-\\B", u"A-B", u"A-B"},
  };
  TcxStandardMask mask;
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(c.Mask));
    mask.Compile(c.Mask);
    EXPECT_EQ(Utf8(mask.GetEmptyString()), Utf8(c.Empty));
    EXPECT_EQ(Utf8(mask.GetFullEmptyString()), Utf8(c.FullEmpty));
  }
}

TEST(StandardMask, FormatLaysTextOntoThePlaceholders) {
  struct TCase {
    const char16_t* Mask;
    const char16_t* Text;
    bool ChangeCase, MatchLiterals;
    const char16_t* Result;
  } cases[] = {
      {u"", u"abc", true, false, u""},
      {u"999", u"5", true, false, u"5__"},
      {u"!999", u"5", true, false, u"__5"},
      {u"!999", u"12345", true, false, u"345"},  // the leftmost characters find no room
      {u"000", u"1x2", true, false, u"12_"},     // x fits nowhere
      {u"000", u"1_3", true, false, u"1_3"},     // a blank keeps its place
      {u"000", u"1 3", true, false, u"1_3"},     // and so does a space
      {u"CC", u"_x", true, false, u"_x"},        // any character takes the blank as a character
      // Literals saved: the text's literals go to literal positions.
      {PhoneMask, u"5551234567", true, false, u"(555) 123-4567"},
      {PhoneMask, u"(555) 123-4567", true, false, u"(555) 123-4567"},
      {PhoneMask, u"555-1234", true, false, u"(555) ___-1234"},
      // Literals not saved: the text is taken to carry none, unless asked.
      {PhoneMaskWithoutLiterals, u"5551234567", true, false, u"(555) 123-4567"},
      {PhoneMaskWithoutLiterals, u"(555) 123-4567", true, true, u"(555) 123-4567"},
      {PhoneMaskWithoutLiterals, u"(555) 123-4567", true, false, u"(555) _12-3456"},
      // Case changes only when asked.
      {u">LL", u"ab", true, false, u"AB"},
      {u">LL", u"ab", false, false, u"ab"},
      {u"<LL", u"AB", true, false, u"ab"},
      // A failed check's conversion goes with the character to the next item.
      {u">0<>L", u"a", true, false, u"_A"},
      {u">0<>L", u"a", false, false, u"_a"},
      // Matched to a literal only through that conversion, the literal shows.
      {u">0\\X", u"x", false, false, u"_X"},
      // A letter blank keeps its place though the failed check made it "X".
      {u">99;1;x", u"x5", true, false, u"x5"},
  };
  TcxStandardMask mask;
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(c.Mask) + " / " + Utf8(c.Text) + (c.ChangeCase ? " case" : "") +
                 (c.MatchLiterals ? " match" : ""));
    mask.Compile(c.Mask);
    String text = c.Text;
    mask.Format(text, c.ChangeCase, c.MatchLiterals);
    EXPECT_EQ(Utf8(text), Utf8(c.Result));
  }
}

TEST(StandardMask, Format2GivesTheStoredText) {
  struct TCase {
    const char16_t* Mask;
    const char16_t* Text;
    const char16_t* Result;
  } cases[] = {
      {PhoneMask, u"(555) ___-1234", u"(555)    -1234"},
      {PhoneMaskWithoutLiterals, u"(555) 123-4567", u"5551234567"},
      {PhoneMaskWithoutLiterals, u"(555) _12-3456", u"555 123456"},
      {u"00", u"1234", u"12"},  // cut to the mask
      {u"000", u"1_", u"1 "},   // and to the text
      {u"LL;1;*", u"a*", u"a "},
  };
  TcxStandardMask mask;
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(c.Mask) + " / " + Utf8(c.Text));
    mask.Compile(c.Mask);
    String text = c.Text;
    mask.Format2(text);
    EXPECT_EQ(Utf8(text), Utf8(c.Result));
  }
}

TEST(StandardMask, ValidationOfThePhoneMask) {
  struct TCase {
    const char16_t* Text;
    bool FullValid, Valid;
  } cases[] = {
      {u"(555) 555-1234", true, true},
      {u"(___) 555-1234", true, true},  // the three optional digits left blank
      {u"(   ) 555-1234", true, true},
      {u"(555) 555-123_", false, true},  // a required digit left blank
      {u"(555) 555- 234", false, true},
      {u"(555) 555-12", false, true},  // short
      {u"", false, true},
      {u"(555) 555-12345", false, false},  // long
      {u"(555)-555-1234", false, false},   // another literal
      {u"_555) 555-1234", false, false},   // a blank at a literal
      {u"(555) 5a5-1234", false, false},
  };
  TcxStandardMask mask;
  mask.Compile(PhoneMask);
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(c.Text));
    String text = c.Text;
    EXPECT_EQ(mask.IsFullValid(text), c.FullValid);
    EXPECT_EQ(mask.IsValid(text), c.Valid);
  }
}

TEST(StandardMask, ValidationAppliesTheItemsCaseConversions) {
  struct TCase {
    const char16_t* Mask;
    const char16_t* Text;
    bool Full, Valid;
    const char16_t* Converted;
  } cases[] = {
      {u">LL<ll#", u"aBcD+", true, true, u"ABcd+"},
      {u">LL<ll#", u"xY", false, true, u"XY"},
      {u">LL<ll#", u"ab__", true, false, u"ab__"},    // short: nothing checked
      {u">LL<ll#", u"ab___", true, true, u"AB___"},  // blanks in the optional places
      {u">LL<ll#", u"a____", true, false, u"A____"},  // a blank in a required letter
      {u">LL<ll#", u"a____", false, true, u"A____"},
      // A letter blank stays the blank though the failed check made it "X".
      {u">99;1;x", u"x5", true, true, u"x5"},
      {u">99;1;x", u"xx", false, true, u"xx"},
  };
  TcxStandardMask mask;
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(c.Mask) + " / " + Utf8(c.Text) + (c.Full ? " full" : ""));
    mask.Compile(c.Mask);
    String text = c.Text;
    EXPECT_EQ(c.Full ? mask.IsFullValid(text) : mask.IsValid(text), c.Valid);
    EXPECT_EQ(Utf8(text), Utf8(c.Converted));
  }
}

// The standard date and date-time edit masks of the fixed profiles, written
// out from their short date and long time formats: digit places for the
// numbers (day and month widened to two), escaped separators and texts, and
// letters for the AM/PM marker.
class StandardMaskDates : public ::testing::Test {
 protected:
  void TearDown() override {
    SetLocaleProfile(TLocaleProfile::EnglishUS);
    GetFormatSettings();
  }
  void Use(TLocaleProfile profile) {
    SetLocaleProfile(profile);
    GetFormatSettings();
  }
  // The profile's own short date of a day.
  static String ShortDate(Word year, Word month, Word day) {
    SYSTEMTIME date{};
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    Char text[32];
    const int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 32);
    return length > 0 ? String(text, length - 1) : String();
  }
  struct TSample {
    String Text;
    const char16_t* Formatted;
  };
  static void ExpectAccepted(const char16_t* AMask, const char16_t* AFullEmpty, std::initializer_list<TSample> ASamples) {
    TcxStandardMask mask;
    mask.Compile(AMask);
    EXPECT_EQ(Utf8(mask.GetFullEmptyString()), Utf8(AFullEmpty));
    for (const TSample& sample : ASamples) {
      SCOPED_TRACE(Utf8(sample.Text));
      String text = sample.Text;
      mask.Format(text, true, false);
      EXPECT_EQ(Utf8(text), Utf8(sample.Formatted));
      EXPECT_TRUE(mask.IsFullValid(text));
    }
  }
};

constexpr char16_t DateMask[] = u"!99\\/99\\/9999";

TEST_F(StandardMaskDates, EnglishUS) {
  Use(TLocaleProfile::EnglishUS);  // M/d/yyyy, h:mm:ss AMPM
  ASSERT_EQ(Utf8(ShortDate(2024, 1, 2)), "1/2/2024");
  ExpectAccepted(DateMask, u"__/__/____",
                 {{ShortDate(2024, 1, 2), u"_1/_2/2024"},
                  {ShortDate(2024, 12, 31), u"12/31/2024"},
                  {u"01/02/2024", u"01/02/2024"}});
  ExpectAccepted(u"!99\\/99\\/9999\\ 99\\:99\\:99\\ LL", u"__/__/____ __:__:__ __",
                 {{u"1/2/2024 9:05:07 AM", u"_1/_2/2024 _9:05:07 AM"},
                  {u"12/31/2024 11:59:58 PM", u"12/31/2024 11:59:58 PM"}});
}

TEST_F(StandardMaskDates, PortugueseBR) {
  Use(TLocaleProfile::PortugueseBR);  // dd/MM/yyyy, HH:mm:ss
  ASSERT_EQ(Utf8(ShortDate(2024, 1, 2)), "02/01/2024");
  ExpectAccepted(DateMask, u"__/__/____",
                 {{ShortDate(2024, 1, 2), u"02/01/2024"}, {ShortDate(2024, 12, 31), u"31/12/2024"}});
  ExpectAccepted(u"!99\\/99\\/9999\\ 99\\:99\\:99", u"__/__/____ __:__:__",
                 {{u"02/01/2024 09:05:07", u"02/01/2024 09:05:07"},
                  {u"31/12/2024 23:59:58", u"31/12/2024 23:59:58"},
                  {u"2/1/2024 9:05:07", u"_2/_1/2024 _9:05:07"}});
}

// The format controller's own date and date-time masks take the same
// samples, and so do the texts its masked formats write.
class StandardMaskControllerDates : public StandardMaskDates {
 protected:
  void SetUp() override { cxFormatController(); }
  void TearDown() override {
    StandardMaskDates::TearDown();
    AnnounceSettingChange(0, u"intl");
  }
  // The desktop's way, which the controller follows.
  static TcxFormatController* Announce(TLocaleProfile profile) {
    SetLocaleProfile(profile);
    AnnounceSettingChange(0, u"intl");
    return cxFormatController();
  }
  static String Masked(const String& AFormat, Word year, Word month, Word day, Word hour, Word min, Word sec) {
    return FormatDateTime(AFormat, EncodeDate(year, month, day) + EncodeTime(hour, min, sec, 0));
  }
};

TEST_F(StandardMaskControllerDates, BothProfiles) {
  struct TCase {
    TLocaleProfile Profile;
    const char16_t* DateEmpty;
    const char16_t* ShortDate;  // 2024-01-02 in the profile's short date, laid on the mask
    const char16_t* MaskedDate;  // 2024-12-31 by the masked format
    const char16_t* DateTimeEmpty;
    const char16_t* Typed;
    const char16_t* TypedLaid;
    const char16_t* Morning;  // 2024-01-02 09:05:07 by the masked format
    const char16_t* Evening;  // 2024-12-31 23:59:58
  } cases[] = {
      {TLocaleProfile::EnglishUS, u"__/__/____", u"_1/_2/2024", u"12/31/2024", u"__/__/____ __:__:__ __",
       u"1/2/2024 9:05:07 AM", u"_1/_2/2024 _9:05:07 AM", u"01/02/2024 09:05:07 AM", u"12/31/2024 11:59:58 PM"},
      {TLocaleProfile::PortugueseBR, u"__/__/____", u"02/01/2024", u"31/12/2024", u"__/__/____ __:__:__",
       u"2/1/2024 9:05:07", u"_2/_1/2024 _9:05:07", u"02/01/2024 09:05:07", u"31/12/2024 23:59:58"},
  };
  for (const TCase& c : cases) {
    const TcxFormatController* controller = Announce(c.Profile);
    SCOPED_TRACE(Utf8(controller->GetStandardDateTimeEditMask()));
    ExpectAccepted(controller->GetStandardDateEditMask().c_str(), c.DateEmpty,
                   {{ShortDate(2024, 1, 2), c.ShortDate},
                    {Masked(controller->GetMaskedDateEditFormat(), 2024, 12, 31, 0, 0, 0), c.MaskedDate}});
    const String& format = controller->GetMaskedDateTimeEditFormat();
    ExpectAccepted(controller->GetStandardDateTimeEditMask().c_str(), c.DateTimeEmpty,
                   {{c.Typed, c.TypedLaid},
                    {Masked(format, 2024, 1, 2, 9, 5, 7), c.Morning},
                    {Masked(format, 2024, 12, 31, 23, 59, 58), c.Evening}});
  }
}

}  // namespace

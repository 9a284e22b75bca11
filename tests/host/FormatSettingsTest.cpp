#include "host/FormatSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "host/FloatText.h"
#include "host/SysUtils.h"

namespace {

// Switches the answering profile for one test and back to the suite's own.
class WithProfile : public ::testing::Test {
 protected:
  void Use(TLocaleProfile profile) {
    SetLocaleProfile(profile);
    GetFormatSettings();
  }
  void TearDown() override {
    SetLocaleProfile(TLocaleProfile::EnglishUS);
    GetFormatSettings();
  }
};

TEST_F(WithProfile, ProcessSettingsFollowTheProfile) {
  EXPECT_EQ(FormatSettings.DecimalSeparator, u'.');
  EXPECT_EQ(FormatSettings.ShortDateFormat, u"M/d/yyyy");
  EXPECT_EQ(FormatSettings.LongTimeFormat, u"h:mm:ss AMPM");
  EXPECT_EQ(FormatSettings.ShortTimeFormat, u"h:mm AMPM");
  EXPECT_EQ(FormatSettings.LongDayNames[0], u"Sunday");
  EXPECT_EQ(FormatSettings.ShortDayNames[6], u"Sat");
  EXPECT_EQ(FormatSettings.LongMonthNames[11], u"December");
  EXPECT_EQ(FormatSettings.CurrencyString, u"$");
  EXPECT_EQ(FormatSettings.CurrencyDecimals, 2);
  EXPECT_EQ(FloatToStr(-12.5), u"-12.5");

  Use(TLocaleProfile::PortugueseBR);
  EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
  EXPECT_EQ(FormatSettings.ThousandSeparator, u'.');
  EXPECT_EQ(FormatSettings.ShortDateFormat, u"dd/MM/yyyy");
  EXPECT_EQ(FormatSettings.LongTimeFormat, u"HH:mm:ss");
  EXPECT_EQ(FormatSettings.TimeAMString, u"");
  EXPECT_EQ(FormatSettings.LongDayNames[0], u"domingo");
  EXPECT_EQ(FormatSettings.LongMonthNames[2], u"mar\u00e7o");
  EXPECT_EQ(FormatSettings.CurrencyString, u"R$");
  EXPECT_EQ(FormatSettings.CurrencyFormat, 2);
  EXPECT_EQ(FormatSettings.NegCurrFormat, 9);
  EXPECT_EQ(FloatToStr(-12.5), u"-12,5");
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2), u"-R$ 1.234,50");
  Extended v;
  EXPECT_TRUE(TextToFloat(u"2,5", v));
  EXPECT_FALSE(TextToFloat(u"2.5", v));
}

TEST_F(WithProfile, LocaleCollationAndCase) {
  std::vector<String> names = {u"DarkSide", u"Blue", u"iMaginary", u"Darkroom", u"Black", u"HighContrast", u"Lilian"};
  std::sort(names.begin(), names.end(), [](const String& a, const String& b) { return AnsiCompareText(a, b) < 0; });
  EXPECT_EQ(names, (std::vector<String>{u"Black", u"Blue", u"Darkroom", u"DarkSide", u"HighContrast", u"iMaginary",
                                        u"Lilian"}));
  EXPECT_LT(CompareStr(u"DarkSide", u"Darkroom"), 0);  // the ordinal order is the other way round
  EXPECT_EQ(AnsiCompareText(u"UltraFlat", u"ultraflat"), 0);
  EXPECT_NE(AnsiCompareStr(u"UltraFlat", u"ultraflat"), 0);
  EXPECT_TRUE(AnsiSameText(u"A\u00e7\u00e3o", u"a\u00c7\u00c3O"));
  EXPECT_EQ(AnsiUpperCase(u"a\u00e7\u00e3o stra\u00dfe"), u"A\u00c7\u00c3O STRA\u00dfE");
  EXPECT_EQ(AnsiLowerCase(u"\u00c9TAT"), u"\u00e9tat");

  Use(TLocaleProfile::PortugueseBR);
  EXPECT_LT(AnsiCompareStr(u"Black", u"Blue"), 0);
  EXPECT_EQ(AnsiCompareText(u"", u""), 0);
  EXPECT_LT(AnsiCompareText(u"", u"a"), 0);
}

}  // namespace

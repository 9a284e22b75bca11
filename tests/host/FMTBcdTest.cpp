#include "host/FMTBcd.h"

#include <gtest/gtest.h>

#include "host/Exceptions.h"
#include "tests/host/TestSettings.h"

namespace {

TEST(Bcd, ValidNumbersAndTheirLayout) {
  TBcd bcd;
  ASSERT_TRUE(TryStrToBcd(u" -012.50 ", bcd, EnglishSettings()));
  EXPECT_EQ(bcd.Precision, 4);
  EXPECT_EQ(bcd.SignSpecialPlaces, 0x82);
  EXPECT_EQ(bcd.Fraction[0], 0x12);
  EXPECT_EQ(bcd.Fraction[1], 0x50);
  EXPECT_EQ(BcdToStr(bcd, EnglishSettings()), u"-12.5");
  EXPECT_EQ(BcdToStr(bcd, BrazilianSettings()), u"-12,5");

  const char16_t* invalid[] = {u"", u"-", u".", u"1e5", u"1,000.5", u"1.2.3", u"12a", u"INF"};
  for (const char16_t* text : invalid) EXPECT_FALSE(TryStrToBcd(text, bcd, EnglishSettings())) << UTF8Encode(text);
  EXPECT_THROW(StrToBcd(u"abc", EnglishSettings()), EConvertError);

  // 64 digits fit, 65 do not; leading zeros of the whole part do not count.
  const String digits64(64, u'7');
  ASSERT_TRUE(TryStrToBcd(u"000" + digits64, bcd, EnglishSettings()));
  EXPECT_EQ(BcdToStr(bcd, EnglishSettings()), digits64);
  EXPECT_FALSE(TryStrToBcd(digits64 + u"7", bcd, EnglishSettings()));
  ASSERT_TRUE(TryStrToBcd(u"-0.000", bcd, EnglishSettings()));
  EXPECT_EQ(BcdToStr(bcd, EnglishSettings()), u"0");
}

TEST(Bcd, GeneralAndFixedNotationWithAPrecision) {
  struct Case {
    const char16_t* text;
    TFloatFormat format;
    Integer precision, digits;
    const char16_t* expected;
  } cases[] = {
      {u"0.3333333333333333", ffGeneral, 15, 0, u"0.333333333333333"},
      {u"2.675", ffGeneral, 3, 0, u"2.68"},
      {u"351", ffGeneral, 15, 0, u"351"},
      {u"-0.125", ffFixed, 15, 2, u"-0.13"},
      {u"1234.5", ffFixed, 15, 2, u"1234.50"},
      {u"0.00001", ffGeneral, 15, 0, u"1E-5"},
      {u"123456789012345678901234567890", ffGeneral, 15, 0, u"1.23456789012346E29"},
  };
  for (const auto& c : cases) {
    const TBcd bcd = StrToBcd(c.text, EnglishSettings());
    EXPECT_EQ(BcdToStrF(bcd, c.format, c.precision, c.digits, EnglishSettings()), c.expected) << UTF8Encode(c.text);
  }
}

}  // namespace

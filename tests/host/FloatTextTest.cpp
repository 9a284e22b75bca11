#include "host/FloatText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "host/Exceptions.h"
#include "tests/host/TestSettings.h"

namespace {

TEST(TextToFloat, AcceptedAndRejectedTexts) {
  struct Case {
    const char16_t* text;
    bool dotOk;
    Extended dotValue;
    bool commaOk;
    Extended commaValue;
  } cases[] = {
      {u"351", true, 351, true, 351},
      {u"-12.5", true, -12.5L, false, 0},
      {u"-12,5", false, 0, true, -12.5L},
      {u"  +0.25  ", true, 0.25L, false, 0},
      {u"1e3", true, 1000, true, 1000},
      {u"1.5E-2", true, 0.015L, false, 0},
      {u"2,5e+1", false, 0, true, 25},
      {u".5", true, 0.5L, false, 0},
      {u"5.", true, 5, false, 0},
      {u"-0", true, 0, true, 0},
      {u"1e-5000", true, 0, true, 0},  // underflows to zero
      {u"", false, 0, false, 0},
      {u" ", false, 0, false, 0},
      {u".", false, 0, false, 0},
      {u"-", false, 0, false, 0},
      {u"1e", false, 0, false, 0},
      {u"e5", false, 0, false, 0},
      {u"1e+", false, 0, false, 0},
      {u"1,000.5", false, 0, false, 0},
      {u"1.2.3", false, 0, false, 0},
      {u"12a", false, 0, false, 0},
      {u"1 2", false, 0, false, 0},
      {u"1e99999", false, 0, false, 0},  // beyond the extended range
      {u"INF", false, 0, false, 0},
      {u"NAN", false, 0, false, 0},
  };
  for (const auto& c : cases) {
    Extended v = 99;
    EXPECT_EQ(TextToFloat(c.text, v, EnglishSettings()), c.dotOk) << UTF8Encode(c.text);
    EXPECT_EQ(v, c.dotOk ? c.dotValue : 99) << UTF8Encode(c.text);
    v = 99;
    EXPECT_EQ(TextToFloat(c.text, v, BrazilianSettings()), c.commaOk) << UTF8Encode(c.text);
    EXPECT_EQ(v, c.commaOk ? c.commaValue : 99) << UTF8Encode(c.text);
  }
  EXPECT_TRUE(std::signbit([] {
    Extended v;
    TextToFloat(u"-0", v, EnglishSettings());
    return v;
  }()));
  EXPECT_THROW(StrToFloat(u"abc", EnglishSettings()), EConvertError);
  Double d;
  EXPECT_FALSE(TryStrToFloat(u"1e400", d, EnglishSettings()));  // fits an extended, not a double
  EXPECT_TRUE(TryStrToFloat(u"1e300", d, EnglishSettings()));
}

TEST(FloatToStr, ShortestDigitsThatReadBack) {
  struct Case {
    Extended value;
    const char16_t* dot;
  } cases[] = {
      {0, u"0"},
      {-0.0, u"0"},
      {351, u"351"},
      {-40, u"-40"},
      {0.1, u"0.1"},
      {12.5, u"12.5"},
      {1.0 / 3, u"0.3333333333333333"},
      {0.1 + 0.2, u"0.30000000000000004"},
      {1e15, u"1E15"},
      {123456789012345.0, u"123456789012345"},
      {1e-4, u"0.0001"},
      {1e-5, u"1E-5"},
      {-1.5e-7, u"-1.5E-7"},
      {1.7976931348623157e308, u"1.7976931348623157E308"},
      {std::numeric_limits<Extended>::infinity(), u"INF"},
      {-std::numeric_limits<Extended>::infinity(), u"-INF"},
      {std::numeric_limits<Extended>::quiet_NaN(), u"NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value, EnglishSettings()), c.dot) << static_cast<double>(c.value);
  EXPECT_EQ(FloatToStr(-12.5, BrazilianSettings()), u"-12,5");
  // An extended that is no double keeps the digits that tell it apart.
  const String third = FloatToStr(1.0L / 3, EnglishSettings());
  EXPECT_GT(third.size(), 19u) << UTF8Encode(third);
  Extended back;
  ASSERT_TRUE(TextToFloat(third, back, EnglishSettings()));
  EXPECT_EQ(back, 1.0L / 3);
}

TEST(FloatToStr, RandomDoublesRoundTripUnderBothSeparators) {
  std::mt19937_64 rng(7);
  for (int i = 0; i < 5000; ++i) {
    uint64_t bits = rng();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    for (const TFormatSettings& s : {EnglishSettings(), BrazilianSettings()}) {
      Double back;
      ASSERT_TRUE(TryStrToFloat(FloatToStr(value, s), back, s)) << UTF8Encode(FloatToStr(value, s));
      EXPECT_EQ(back, value);
    }
  }
}

TEST(FloatToStrF, FormatsPrecisionAndDigits) {
  struct Case {
    Extended value;
    TFloatFormat format;
    Integer precision, digits;
    const char16_t* dot;
    const char16_t* comma;
  } cases[] = {
      {0.125, ffFixed, 15, 2, u"0.13", u"0,13"},
      {-0.125, ffFixed, 15, 2, u"-0.13", u"-0,13"},
      {2.675, ffFixed, 15, 2, u"2.68", u"2,68"},
      {2.5, ffFixed, 15, 0, u"3", u"3"},
      {-0.001, ffFixed, 15, 2, u"0.00", u"0,00"},
      {0.006, ffFixed, 15, 2, u"0.01", u"0,01"},
      {0.004, ffFixed, 15, 2, u"0.00", u"0,00"},
      {9.999, ffFixed, 15, 2, u"10.00", u"10,00"},
      {1234.5, ffFixed, 3, 2, u"1.23E3", u"1,23E3"},
      {-1234567.5, ffNumber, 15, 1, u"-1,234,567.5", u"-1.234.567,5"},
      {999.5, ffNumber, 15, 0, u"1,000", u"1.000"},
      {1234.5, ffExponent, 5, 2, u"1.2345E+03", u"1,2345E+03"},
      {1.5, ffExponent, 4, 0, u"1.500E+0", u"1,500E+0"},
      {-0.00012, ffExponent, 2, 3, u"-1.2E-004", u"-1,2E-004"},
      {0, ffExponent, 3, 2, u"0.00E+00", u"0,00E+00"},
      {1.0 / 3, ffGeneral, 15, 0, u"0.333333333333333", u"0,333333333333333"},
      {123456, ffGeneral, 3, 0, u"1.23E5", u"1,23E5"},
      {0.5, ffGeneral, 0, 0, u"0.5", u"0,5"},
      {1234.5, ffCurrency, 15, 2, u"$1,234.50", u"R$ 1.234,50"},
      {-1234.5, ffCurrency, 15, 2, u"($1,234.50)", u"-R$ 1.234,50"},
      {-0.001, ffCurrency, 15, 2, u"$0.00", u"R$ 0,00"},
      {1, ffFixed, 15, 40, u"1.000000000000000000", u"1,000000000000000000"},  // at most 18 decimals
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits, EnglishSettings()), c.dot) << static_cast<double>(c.value);
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits, BrazilianSettings()), c.comma)
        << static_cast<double>(c.value);
  }
}

TEST(FormatFloat, SectionsPlaceholdersAndLiterals) {
  struct Case {
    const char16_t* format;
    Extended value;
    const char16_t* dot;
  } cases[] = {
      {u"0.00", 3.14159, u"3.14"},
      {u"0.00", -0.125, u"-0.13"},
      {u"#.##", 5, u"5"},
      {u"#.##", 5.1, u"5.1"},
      {u"0.0#", 5, u"5.0"},
      {u"000", 5, u"005"},
      {u"0##", 5, u"005"},
      {u"##0", 12345, u"12345"},
      {u"#,##0", 1234567, u"1,234,567"},
      {u"#,##0.00", -1234.5, u"-1,234.50"},
      {u",0.00", 999999.999, u"1,000,000.00"},
      {u".00", 5.5, u"5.50"},
      {u"0.00E+00", 1234.5, u"1.23E+03"},
      {u"0.00e-00", 1234.5, u"1.23e03"},
      {u"0.0E-0", 0.00012, u"1.2E-4"},
      {u"00.0E+0", 1234.5, u"12.3E+2"},
      {u"'$'0.00", 3, u"$3.00"},
      {u"\"Total: \"0", 42, u"Total: 42"},
      {u"0 'ms;x'", 7, u"7 ms;x"},
      {u"0.00;(0.00)", -2.5, u"(2.50)"},
      {u"0.00;(0.00)", 2.5, u"2.50"},
      {u"0.00;(0.00);'zero'", 0, u"zero"},
      {u"0.00;(0.00);'zero'", -0.001, u"zero"},
      {u"0.00;(0.00)", -0.001, u"0.00"},
      {u"0.00;;'nil'", -3, u"-3.00"},
      {u"$,0.00;($,0.00)", -1234.5, u"($1,234.50)"},
      {u"", 12.5, u"12.5"},
      {u";(0)", 12.5, u"12.5"},
      {u"0.00000000000000000000", 1.0 / 3, u"0.33333333333333330000"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloat(c.format, c.value, EnglishSettings()), c.dot) << UTF8Encode(c.format) << " " << static_cast<double>(c.value);
  EXPECT_EQ(FormatFloat(u"#,##0.00", -1234.5, BrazilianSettings()), u"-1.234,50");
  EXPECT_EQ(FormatFloat(u"0.00", std::numeric_limits<Extended>::infinity(), EnglishSettings()), u"INF");
}

TEST(CurrToStr, ExactFourDecimals) {
  EXPECT_EQ(CurrToStr(Currency{125000}, EnglishSettings()), u"12.5");
  EXPECT_EQ(CurrToStr(Currency{-1}, EnglishSettings()), u"-0.0001");
  EXPECT_EQ(CurrToStr(Currency{INT64_MAX}, EnglishSettings()), u"922337203685477.5807");
  EXPECT_EQ(CurrToStr(Currency{0}, BrazilianSettings()), u"0");
  EXPECT_EQ(CurrToStrF(Currency{-12345678}, ffCurrency, 2, BrazilianSettings()), u"-R$ 1.234,57");
  EXPECT_EQ(CurrToStrF(Currency{12345}, ffFixed, 4, EnglishSettings()), u"1.2345");
}

TEST(ExtendedBytes, TenBytesRoundTrip) {
  const Extended values[] = {0, 1, -2.5L, 1.0L / 3, std::numeric_limits<Extended>::max(),
                             std::numeric_limits<Extended>::denorm_min()};
  for (Extended v : values) {
    Byte bytes[10];
    ExtendedToBytes(v, bytes);
    EXPECT_EQ(BytesToExtended(bytes), v);
  }
  Byte one[10];
  ExtendedToBytes(1, one);
  const Byte expected[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  EXPECT_EQ(std::memcmp(one, expected, 10), 0);
}

}  // namespace

#include "host/SysUtils.h"

#include <gtest/gtest.h>

#include <random>

#include "host/SysLocale.h"

namespace {

TEST(IntegerText, IntToStrAndIntToHex) {
  EXPECT_EQ(IntToStr(9), u"9");
  EXPECT_EQ(IntToStr(-40), u"-40");
  EXPECT_EQ(IntToStr(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(UIntToStr(UINT64_MAX), u"18446744073709551615");
  EXPECT_EQ(IntToHex(255, 4), u"00FF");
  EXPECT_EQ(IntToHex(0, 0), u"0");
  EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFF");
  EXPECT_EQ(IntToHex(Int64{-1}, 2), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(0xABCDu, 8), u"0000ABCD");
  EXPECT_EQ(IntToHex(UInt64{0x1F}, 1), u"1F");
}

struct ParseCase {
  const char16_t* text;
  bool ok32;
  Integer v32;
  bool ok64;
  Int64 v64;
};

TEST(IntegerText, StrictParsing) {
  const ParseCase cases[] = {
      {u"0", true, 0, true, 0},
      {u"351", true, 351, true, 351},
      {u"+7", true, 7, true, 7},
      {u"-7", true, -7, true, -7},
      {u"007", true, 7, true, 7},
      {u"2147483647", true, INT32_MAX, true, INT32_MAX},
      {u"-2147483648", true, INT32_MIN, true, INT32_MIN},
      {u"2147483648", false, 0, true, 2147483648LL},
      {u"-2147483649", false, 0, true, -2147483649LL},
      {u"9223372036854775807", false, 0, true, INT64_MAX},
      {u"-9223372036854775808", false, 0, true, INT64_MIN},
      {u"9223372036854775808", false, 0, false, 0},
      {u"99999999999999999999999", false, 0, false, 0},
      {u"$FF", true, 255, true, 255},
      {u"$ff", true, 255, true, 255},
      {u"0x1A", true, 26, true, 26},
      {u"X10", true, 16, true, 16},
      {u"-$10", true, -16, true, -16},
      {u"$FFFFFFFF", true, -1, true, 0xFFFFFFFFLL},
      {u"$100000000", false, 0, true, 0x100000000LL},
      {u"$FFFFFFFFFFFFFFFF", false, 0, true, -1},
      {u"$10000000000000000", false, 0, false, 0},
      {u"", false, 0, false, 0},
      {u"-", false, 0, false, 0},
      {u"+", false, 0, false, 0},
      {u"$", false, 0, false, 0},
      {u"0x", false, 0, false, 0},
      {u" 1", false, 0, false, 0},
      {u"1 ", false, 0, false, 0},
      {u"1.0", false, 0, false, 0},
      {u"1e3", false, 0, false, 0},
      {u"1,000", false, 0, false, 0},
      {u"--1", false, 0, false, 0},
      {u"$-1", false, 0, false, 0},
      {u"12a", false, 0, false, 0},
      {u"\uFF11", false, 0, false, 0},  // a full-width digit is not a digit here
  };
  for (const auto& c : cases) {
    Integer v32 = 12345;
    Int64 v64 = 12345;
    EXPECT_EQ(TryStrToInt(c.text, v32), c.ok32) << UTF8Encode(c.text);
    EXPECT_EQ(TryStrToInt64(c.text, v64), c.ok64) << UTF8Encode(c.text);
    if (c.ok32) {
      EXPECT_EQ(v32, c.v32) << UTF8Encode(c.text);
      EXPECT_EQ(StrToInt(c.text), c.v32);
    } else {
      EXPECT_EQ(v32, 12345) << "unchanged on failure";
      EXPECT_THROW(StrToInt(c.text), EConvertError);
      EXPECT_EQ(StrToIntDef(c.text, -9), -9);
    }
    if (c.ok64) {
      EXPECT_EQ(v64, c.v64) << UTF8Encode(c.text);
      EXPECT_EQ(StrToInt64(c.text), c.v64);
    } else {
      EXPECT_THROW(StrToInt64(c.text), EConvertError);
      EXPECT_EQ(StrToInt64Def(c.text, -9), -9);
    }
  }
}

TEST(IntegerText, ErrorNamesTheOffendingText) {
  try {
    StrToInt(u"abc");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), u"'abc' is not a valid integer value");
  }
}

TEST(IntegerText, RandomStringsParseConsistently) {
  std::mt19937 rng(42);
  const char16_t alphabet[] = u"0123456789$xX+- .,eEaF\uFFFD\u0000";
  for (int round = 0; round < 20000; ++round) {
    String s(rng() % 22, u'\0');
    for (char16_t& c : s) c = alphabet[rng() % (std::size(alphabet) - 1)];
    Int64 v64;
    if (TryStrToInt64(s, v64)) {
      // Whatever parses as decimal writes back to an equivalent text.
      if (s.find_first_of(u"$xX") == String::npos) {
        Int64 again;
        ASSERT_TRUE(TryStrToInt64(IntToStr(v64), again));
        EXPECT_EQ(again, v64);
      }
    } else {
      EXPECT_THROW(StrToInt64(s), EConvertError);
    }
    Integer v32;
    if (TryStrToInt(s, v32)) {
      EXPECT_TRUE(TryStrToInt64(s, v64));
    }
  }
}

TEST(StringHelpers, TrimAndPos) {
  EXPECT_EQ(Trim(u" \t a b \r\n"), u"a b");
  EXPECT_EQ(TrimLeft(u"  x "), u"x ");
  EXPECT_EQ(TrimRight(u"  x "), u"  x");
  EXPECT_EQ(Trim(u"   "), u"");
  EXPECT_EQ(Trim(u"\u00a0x"), u"\u00a0x");

  EXPECT_EQ(Pos(u"b", u"abcabc"), 2);
  EXPECT_EQ(Pos(u"b", u"abcabc", 3), 5);
  EXPECT_EQ(Pos(u"z", u"abc"), 0);
  EXPECT_EQ(Pos(u"", u"abc"), 0);
  EXPECT_EQ(Pos(u"c", u"abc", 4), 0);
  EXPECT_EQ(Pos(u"a", u"abc", 0), 0);
  EXPECT_EQ(Pos(u"abcd", u"abc"), 0);
}

TEST(StringHelpers, StringReplace) {
  EXPECT_EQ(StringReplace(u"a.b.c", u".", u",", {}), u"a,b.c");
  EXPECT_EQ(StringReplace(u"a.b.c", u".", u",", {rfReplaceAll}), u"a,b,c");
  EXPECT_EQ(StringReplace(u"Abab", u"AB", u"x", {rfReplaceAll, rfIgnoreCase}), u"xx");
  EXPECT_EQ(StringReplace(u"Abab", u"AB", u"x", {rfReplaceAll}), u"Abab");
  EXPECT_EQ(StringReplace(u"aaa", u"a", u"aa", {rfReplaceAll}), u"aaaaaa");
  EXPECT_EQ(StringReplace(u"abc", u"", u"x", {rfReplaceAll}), u"abc");
}

TEST(StringHelpers, CaseAndOrdinalComparison) {
  EXPECT_EQ(UpperCase(u"abc\u00e9z"), u"ABC\u00e9Z");
  EXPECT_EQ(LowerCase(u"ABC\u00c9Z"), u"abc\u00c9z");
  EXPECT_LT(CompareStr(u"Blue", u"black"), 0);
  EXPECT_GT(CompareText(u"Blue", u"black"), 0);
  EXPECT_EQ(CompareText(u"ABC", u"abc"), 0);
  EXPECT_EQ(CompareStr(u"ab", u"abc"), -1);
  EXPECT_EQ(CompareStr(u"b", u"a"), 1);
  EXPECT_TRUE(SameText(u"Tahoma", u"TAHOMA"));
  EXPECT_FALSE(SameStr(u"Tahoma", u"TAHOMA"));
  // Ordinal: '_' lies between the upper- and lower-case letters.
  EXPECT_LT(CompareStr(u"Z", u"_"), 0);
  EXPECT_GT(CompareText(u"_", u"z"), 0);
}

TEST(SysLocale, IsNoFarEastLocaleUnlessSwitched) {
  EXPECT_FALSE(SysLocale().FarEast);
  SetSysLocaleFarEast(true);
  EXPECT_TRUE(SysLocale().FarEast);
  InitSysLocale();
  EXPECT_FALSE(SysLocale().FarEast) << "read from the system again";
}

}  // namespace

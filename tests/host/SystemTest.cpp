#include "host/System.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "host/Exceptions.h"
#include "platform/Units.h"

namespace {

TEST(Rounding, RoundHalvesToEvenAndTruncTowardZero) {
  struct Case {
    Extended x;
    Int64 round, trunc;
  } cases[] = {
      {0.5L, 0, 0},   {1.5L, 2, 1},    {2.5L, 2, 2},    {-0.5L, 0, 0},  {-1.5L, -2, -1}, {-2.5L, -2, -2},
      {2.4999L, 2, 2}, {2.5001L, 3, 2}, {-2.5001L, -3, -2}, {127.5L, 128, 127}, {0, 0, 0},
      {9007199254740993.0L, 9007199254740993LL, 9007199254740993LL},
      {-9223372036854775808.0L, INT64_MIN, INT64_MIN},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.x), c.round) << static_cast<double>(c.x);
    EXPECT_EQ(Trunc(c.x), c.trunc) << static_cast<double>(c.x);
  }
}

TEST(Rounding, OutOfRangeAndNaNRaiseInvalidOp) {
  const Extended bad[] = {9223372036854775808.0L, -9223372036854775809.0L, std::numeric_limits<Extended>::infinity(),
                          std::numeric_limits<Extended>::quiet_NaN()};
  for (Extended x : bad) {
    EXPECT_THROW(Round(x), EInvalidOp);
    EXPECT_THROW(Trunc(x), EInvalidOp);
  }
  EXPECT_EQ(Round(9223372036854775807.0L), INT64_MAX);
}

TEST(Rounding, IntAndFracSplitTheNumber) {
  EXPECT_EQ(Int(-3.75L), -3.0L);
  EXPECT_EQ(Frac(-3.75L), -0.75L);
  EXPECT_EQ(Frac(2.25L), 0.25L);
}

TEST(Strings, CopyDeleteAndInsertUseOneBasedClampedPositions) {
  EXPECT_EQ(Copy(u"abcdef", 2, 3), u"bcd");
  EXPECT_EQ(Copy(u"abcdef", 0, 2), u"ab");
  EXPECT_EQ(Copy(u"abcdef", 5, 100), u"ef");
  EXPECT_EQ(Copy(u"abcdef", 7, 1), u"");
  EXPECT_EQ(Copy(u"abcdef", 2, -1), u"");
  EXPECT_EQ(Copy(u"abcdef", INT64_MIN, INT64_MAX), u"abcdef");

  String s = u"abcdef";
  Delete(s, 2, 2);
  EXPECT_EQ(s, u"adef");
  Delete(s, 3, 100);
  EXPECT_EQ(s, u"ad");
  Delete(s, 0, 1);
  Delete(s, 3, 1);
  EXPECT_EQ(s, u"ad");

  Insert(u"XY", s, 2);
  EXPECT_EQ(s, u"aXYd");
  Insert(u"<", s, -5);
  Insert(u">", s, 100);
  EXPECT_EQ(s, u"<aXYd>");
  EXPECT_EQ(StringOfChar(u'0', 3), u"000");
  EXPECT_EQ(StringOfChar(u'0', -1), u"");
}

TEST(Strings, CodePageConversionsRoundTrip) {
  const String text = u"Tempravo \u00e9 \u20ac \U0001F600";
  EXPECT_EQ(UTF8ToString(UTF8Encode(text)), text);
  EXPECT_EQ(UTF8Encode(u"\u00e9"), "\xc3\xa9");
  EXPECT_EQ(UTF8ToString("caf\xc3\xa9\xff"), u"caf\u00e9\uFFFD");
  const String lone = {u'x', 0xDC01};
  EXPECT_EQ(UTF8ToString(UTF8Encode(lone)), (String{u'x', 0xFFFD}));

  EXPECT_EQ(StringToAnsi(u"\u20ac\u00e9\u0100"), "\x80\xe9?");
  EXPECT_EQ(AnsiToString("\x80\xe9"), u"\u20ac\u00e9");
  EXPECT_EQ(UTF8Encode(u""), "");
  EXPECT_EQ(AnsiToString(""), u"");
}

// In a child: units of its own, one failing to end, then Halt.
[[noreturn]] void HaltWithTwoUnits() {
  FinalizeUnits();
  ClearUnitRegistry();
  RegisterUnit({"First", {}, nullptr, [] { std::fputs("first ended;", stderr); }});
  RegisterUnit({"Second", {"First"}, nullptr, [] { throw std::runtime_error("cannot end"); }});
  InitializeUnits();
  Halt(3);
}

TEST(HaltDeathTest, EndsTheUnitsThenTheProgramWithTheCode) {
  EXPECT_EXIT(HaltWithTwoUnits(), ::testing::ExitedWithCode(3), "first ended;");
}

}  // namespace

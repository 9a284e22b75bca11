#include "host/Format.h"

#include <gtest/gtest.h>

#include "host/Exceptions.h"
#include "host/System.h"

namespace {

TEST(Format, IntegersWithWidthPrecisionAndJustification) {
  EXPECT_EQ(Format(u"List index out of bounds (%d)", {5}), u"List index out of bounds (5)");
  EXPECT_EQ(Format(u"[%5d]", {42}), u"[   42]");
  EXPECT_EQ(Format(u"[%-5d]", {42}), u"[42   ]");
  EXPECT_EQ(Format(u"[%.4d]", {-42}), u"[-0042]");
  EXPECT_EQ(Format(u"[%1d]", {12345}), u"[12345]");
  EXPECT_EQ(Format(u"%d", {INT64_MIN}), u"-9223372036854775808");
  EXPECT_EQ(Format(u"%d", {UINT64_MAX}), u"18446744073709551615");
  EXPECT_EQ(Format(u"%u", {-1}), u"4294967295");
  EXPECT_EQ(Format(u"%x", {-1}), u"FFFFFFFF");
  EXPECT_EQ(Format(u"%x", {Int64{-1}}), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Format(u"%.4X", {255}), u"00FF");
  EXPECT_EQ(Format(u"%*d|%-*d|%.*d", {4, 7, 3, 8, 3, 9}), u"   7|8  |009");
}

TEST(Format, TextIndexesAndPercent) {
  const String name = u"Tahoma";
  EXPECT_EQ(Format(u"Missing '%s'", {u")"}), u"Missing ')'");
  EXPECT_EQ(Format(u"%s/%s", {name, std::string("caf\xe9")}), u"Tahoma/caf\u00e9");
  EXPECT_EQ(Format(u"%.3s|%8s|%-8s|", {name, name, name}), u"Tah|  Tahoma|Tahoma  |");
  EXPECT_EQ(Format(u"%s%s", {u'x', 'y'}), u"xy");
  EXPECT_EQ(Format(u"%1:s %0:s %s", {u"a", u"b", u"c"}), u"b a b");
  EXPECT_EQ(Format(u"100%%", {}), u"100%");
  EXPECT_EQ(Format(u"no specifiers", {1}), u"no specifiers");
}

TEST(Format, MismatchesAndMissingValuesRaiseConvertError) {
  const char16_t* bad[] = {u"%d", u"%s", u"%q", u"%", u"%5", u"%2:d", u"%*d"};
  for (const char16_t* f : bad) EXPECT_THROW(Format(f, {}), EConvertError) << UTF8Encode(f);
  EXPECT_THROW(Format(u"%d", {u"text"}), EConvertError);
  EXPECT_THROW(Format(u"%s", {7}), EConvertError);
  EXPECT_THROW(Format(u"%x", {1.5}), EConvertError);
  EXPECT_THROW(Format(u"%*d", {u"w", 1}), EConvertError);
  EXPECT_THROW(Format(u"%99999999999d", {1}), EConvertError);
  try {
    Format(u"%d", {true});
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), u"Format '%d' invalid or incompatible with argument");
  }
}

}  // namespace

#include "host/Variants.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/Exceptions.h"

namespace {

class Variants : public ::testing::Test {
 protected:
  void UseCommaDecimals() {
    SetLocaleProfile(TLocaleProfile::PortugueseBR);
    GetFormatSettings();
  }
  void TearDown() override {
    SetLocaleProfile(TLocaleProfile::EnglishUS);
    GetFormatSettings();
  }
};

TEST_F(Variants, KindCodes) {
  EXPECT_EQ(Variant().VarType(), 0);
  EXPECT_EQ(Null().VarType(), 1);
  EXPECT_EQ(Variant(int16_t{1}).VarType(), 2);
  EXPECT_EQ(Variant(1).VarType(), 3);
  EXPECT_EQ(Variant(1.5f).VarType(), 4);
  EXPECT_EQ(Variant(1.5).VarType(), 5);
  EXPECT_EQ(Variant(Currency{1}).VarType(), 6);
  EXPECT_EQ(Variant::FromDate(1).VarType(), 7);
  EXPECT_EQ(Variant::FromOleStr(u"x").VarType(), 8);
  EXPECT_EQ(Variant(true).VarType(), 11);
  EXPECT_EQ(Variant(int8_t{1}).VarType(), 16);
  EXPECT_EQ(Variant(uint8_t{1}).VarType(), 17);
  EXPECT_EQ(Variant(uint16_t{1}).VarType(), 18);
  EXPECT_EQ(Variant(uint32_t{1}).VarType(), 19);
  EXPECT_EQ(Variant(Int64{1}).VarType(), 20);
  EXPECT_EQ(Variant("x").VarType(), 256);
  EXPECT_EQ(Variant(u"x").VarType(), 258);
  EXPECT_NE(VarFMTBcd(), VarSQLTimeStamp());
  EXPECT_GT(VarFMTBcd(), varUString);
  EXPECT_EQ(VarFMTBcd(), VarFMTBcd());
  EXPECT_EQ(VarTypeAsText(varInt64), u"Int64");
  EXPECT_EQ(VarTypeAsText(VarSQLTimeStamp()), u"SQLTimeStamp");
  EXPECT_EQ(VarTypeAsText(varArray | varVariant), u"Array Variant");
}

TEST_F(Variants, ToInteger) {
  EXPECT_EQ(Variant(Int64{350}).AsInteger(), 350);
  EXPECT_EQ(Variant(12.5).AsInteger(), 12);
  EXPECT_EQ(Variant(13.5).AsInteger(), 14);
  EXPECT_EQ(Variant(-2.5).AsInteger(), -2);
  EXPECT_EQ(Variant().AsInteger(), 0);
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Variant(Currency{125000}).AsInteger(), 12);
  EXPECT_EQ(Variant(Currency{135000}).AsInteger(), 14);
  EXPECT_EQ(Variant(u"351").AsInteger(), 351);
  EXPECT_EQ(Variant(u"12.5").AsInteger(), 12);
  EXPECT_EQ(Variant(-2147483648.4).AsInteger(), INT32_MIN);
  EXPECT_THROW(Null().AsInteger(), EVariantTypeCastError);
  EXPECT_THROW(Variant(u"1e").AsInteger(), EVariantTypeCastError);
  EXPECT_THROW(Variant(u"abc").AsInt64(), EVariantTypeCastError);
  EXPECT_THROW(Variant(Int64{2147483648}).AsInteger(), EVariantOverflowError);
  EXPECT_THROW(Variant(2147483647.5).AsInteger(), EVariantOverflowError);
  EXPECT_THROW(Variant(1e300).AsInt64(), EVariantOverflowError);
  EXPECT_THROW(Variant(std::numeric_limits<double>::quiet_NaN()).AsInteger(), EVariantOverflowError);
  EXPECT_THROW(VarArrayOf({1}).AsInteger(), EVariantTypeCastError);
  EXPECT_EQ(Variant(UINT64_MAX).AsDouble(), 18446744073709551615.0);
  EXPECT_THROW(Variant(UINT64_MAX).AsInt64(), EVariantOverflowError);
  try {
    Null().AsInteger();
  } catch (const EVariantTypeCastError& e) {
    EXPECT_EQ(e.GetMessage(), u"Could not convert variant of type (Null) into type (Integer)");
  }
}

TEST_F(Variants, StringsFollowTheDecimalSeparator) {
  EXPECT_EQ(Variant(u"12.5").AsDouble(), 12.5);
  EXPECT_THROW(Variant(u"12,5").AsDouble(), EVariantTypeCastError);
  EXPECT_EQ(Variant(12.5).AsString(), u"12.5");
  UseCommaDecimals();
  EXPECT_EQ(Variant(u"12,5").AsDouble(), 12.5);
  EXPECT_THROW(Variant(u"12.5").AsDouble(), EVariantTypeCastError);
  EXPECT_EQ(Variant(12.5).AsString(), u"12,5");
  EXPECT_EQ(Variant(u" 1e3 ").AsInt64(), 1000);
}

TEST_F(Variants, ToText) {
  struct Case {
    Variant value;
    const char16_t* text;
  } cases[] = {
      {Variant(), u""},
      {Variant(true), u"True"},
      {Variant(false), u"False"},
      {Variant(-40), u"-40"},
      {Variant(UINT64_MAX), u"18446744073709551615"},
      {Variant(0.1f), u"0.1"},
      {Variant(1.0 / 3), u"0.3333333333333333"},
      {Variant(Currency{125000}), u"12.5"},
      {Variant::FromDate(EncodeDate(2026, 12, 10)), u"12/10/2026"},
      {Variant::FromDate(EncodeDate(2026, 12, 10) + EncodeTime(13, 5, 0, 0)), u"12/10/2026 1:05:00 PM"},
      {Variant("caf\xe9"), u"caf\u00e9"},
      {Variant::FromBcd(StrToBcd(u"-12.50")), u"-12.5"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.AsString(), c.text) << UTF8Encode(c.text);
  EXPECT_THROW(Null().AsString(), EVariantTypeCastError);
  EXPECT_EQ(VarToStr(Null()), u"");
  EXPECT_EQ(VarToStrDef(Null(), u"-"), u"-");
  EXPECT_EQ(Variant(u"x").AsAnsiString(), "x");
}

TEST_F(Variants, ToBooleanCurrencyAndDate) {
  EXPECT_TRUE(Variant(u"true").AsBoolean());
  EXPECT_FALSE(Variant(u"FALSE").AsBoolean());
  EXPECT_TRUE(Variant(2).AsBoolean());
  EXPECT_FALSE(Variant(0.0).AsBoolean());
  EXPECT_FALSE(Variant().AsBoolean());
  EXPECT_THROW(Variant(u"yes").AsBoolean(), EVariantTypeCastError);
  EXPECT_EQ(Variant(0.1).AsCurrency(), Currency{1000});
  EXPECT_EQ(Variant(-2.675).AsCurrency(), Currency{-26750});
  EXPECT_THROW(Variant(1e20).AsCurrency(), EVariantOverflowError);
  EXPECT_EQ(Variant(u"12/10/2026").AsDate(), EncodeDate(2026, 12, 10));
  EXPECT_EQ(Variant(2).AsDate(), 2.0);
}

TEST_F(Variants, VarAsTypeAndKindTests) {
  struct Case {
    Variant value;
    TVarType target;
    const char16_t* text;
  } cases[] = {
      {Variant(u"300"), varSmallint, u"300"}, {Variant(254.5), varByte, u"254"},  // halves to even
      {Variant(7), varOleStr, u"7"},          {Variant(u"2,5e1"), varUString, u"2,5e1"},
      {Variant(u"1"), varBoolean, u"True"},   {Variant(12.5), varCurrency, u"12.5"},
      {Variant(3), varDouble, u"3"},          {Variant(u"0.25"), VarFMTBcd(), u"0.25"},
  };
  for (const auto& c : cases) {
    const Variant v = VarAsType(c.value, c.target);
    EXPECT_EQ(v.VarType(), c.target) << UTF8Encode(c.text);
    EXPECT_EQ(v.AsString(), c.text);
  }
  EXPECT_THROW(VarAsType(Variant(300), varByte), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Variant(-1), varWord), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Null(), varInteger), EVariantTypeCastError);
  EXPECT_TRUE(VarAsType(Variant(5), varNull).IsNull());
  EXPECT_EQ(VarAsType(Variant(5), varVariant).VarType(), varInteger);

  EXPECT_TRUE(VarIsNumeric(Variant(true)));
  EXPECT_TRUE(VarIsNumeric(Variant(Currency{})));
  EXPECT_FALSE(VarIsNumeric(Variant::FromDate(1)));
  EXPECT_FALSE(VarIsNumeric(Variant(u"5")));
  EXPECT_TRUE(VarIsStr(Variant::FromOleStr(u"")));
  EXPECT_TRUE(VarIsStr(Variant("a")));
  EXPECT_TRUE(VarIsType(Variant(Int64{1}), varInt64));
  EXPECT_TRUE(VarIsNull(Null()) && VarIsEmpty(Variant()) && !VarIsNull(Variant()));
}

TEST_F(Variants, EqualityAndOrderAcrossKinds) {
  struct Case {
    Variant a, b;
    TVariantRelationship expected;
  } cases[] = {
      {Null(), Null(), vrEqual},
      {Null(), Variant(5), vrNotEqual},
      {Variant(), Variant(), vrEqual},
      {Variant(), Variant(0), vrEqual},
      {Variant(), Variant(u""), vrEqual},
      {Variant(5), Variant(5.0), vrEqual},
      {Variant(5), Variant(Int64{6}), vrLessThan},
      {Variant(true), Variant(-1), vrEqual},
      {Variant(u"10"), Variant(9), vrGreaterThan},
      {Variant(u"Black"), Variant(u"Blue"), vrLessThan},
      {Variant(u"a"), Variant(u"B"), vrLessThan},
      {Variant("abc"), Variant(u"abc"), vrEqual},
      {Variant(INT64_MAX), Variant(9223372036854775807.0), vrLessThan},  // the double is 2^63
      {Variant(UINT64_MAX), Variant(INT64_MIN), vrGreaterThan},
      {Variant(Currency{1000}), Variant(0.1), vrEqual},
      {Variant::FromBcd(StrToBcd(u"0.1")), Variant(0.1), vrEqual},
      {Variant::FromBcd(StrToBcd(u"-2")), Variant::FromBcd(StrToBcd(u"-10")), vrGreaterThan},
      {Variant::FromDate(2), Variant(2), vrEqual},
      {Variant(std::numeric_limits<double>::quiet_NaN()), Variant(1.0), vrNotEqual},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VarCompareValue(c.a, c.b), c.expected) << UTF8Encode(VarToStr(c.a)) << " ? " << UTF8Encode(VarToStr(c.b));
    const TVariantRelationship mirrored =
        c.expected == vrLessThan ? vrGreaterThan : c.expected == vrGreaterThan ? vrLessThan : c.expected;
    EXPECT_EQ(VarCompareValue(c.b, c.a), mirrored);
  }
  EXPECT_TRUE(Variant(1) == Variant(1.0));
  EXPECT_TRUE(Variant(2) > Variant(1));
  EXPECT_TRUE(Variant(1) < Variant(u"2"));
  EXPECT_THROW(VarCompareValue(Variant(u"abc"), Variant(1)), EVariantTypeCastError);
  EXPECT_THROW(VarCompareValue(Variant(1), Variant(u"abc")), EVariantTypeCastError);
  EXPECT_THROW(VarCompareValue(VarArrayOf({1}), Variant(1)), EVariantError);
}

TEST_F(Variants, Arithmetic) {
  struct Case {
    Variant result;
    TVarType type;
    const char16_t* text;
  } cases[] = {
      {Variant(Int64{350}) + Variant(Int64{1}), varInt64, u"351"},
      {Variant(2) + Variant(3), varInteger, u"5"},
      {Variant(INT32_MAX) + Variant(1), varInt64, u"2147483648"},
      {Variant(Int64{5}) + Variant(0.5), varDouble, u"5.5"},
      {Variant(Int64{5}) - Variant(10), varInt64, u"-5"},
      {Variant(Currency{10000}) + Variant(2), varCurrency, u"3"},
      {Variant::FromDate(1) + Variant(1), varDate, u"1/1/1900"},
      {Variant::FromDate(5) - Variant::FromDate(2), varDouble, u"3"},
      {Variant(u"2") + Variant(3), varInteger, u"5"},
      {Variant(u"a") + Variant(u"b"), varUString, u"ab"},
      {Variant() + Variant(4), varInteger, u"4"},
      {Variant(UINT64_MAX) - Variant(1), varUInt64, u"18446744073709551614"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.result.VarType(), c.type) << UTF8Encode(c.text);
    EXPECT_EQ(c.result.AsString(), c.text);
  }
  EXPECT_TRUE((Null() + Variant(1)).IsNull());
  EXPECT_THROW(Variant(INT64_MAX) + Variant(INT64_MAX), EVariantOverflowError);
  EXPECT_THROW(Variant(u"x") - Variant(1), EVariantTypeCastError);
}

TEST_F(Variants, ArraysWithBoundsAndValueSemantics) {
  Variant a = VarArrayCreate({-2, 1}, varVariant);
  EXPECT_EQ(a.VarType(), varArray | varVariant);
  EXPECT_EQ(VarArrayDimCount(a), 1);
  EXPECT_EQ(VarArrayLowBound(a, 1), -2);
  EXPECT_EQ(VarArrayHighBound(a, 1), 1);
  EXPECT_TRUE(a[-2].IsEmpty());
  a.SetElement(-2, Variant(u"first"));
  a.SetElement(1, VarArrayOf({1, 2}));
  EXPECT_EQ(a[-2].AsString(), u"first");
  EXPECT_EQ(a[1][1].AsInteger(), 2);
  EXPECT_THROW(a[2], EVariantBadIndexError);
  EXPECT_THROW(a[-3], EVariantBadIndexError);
  EXPECT_THROW(VarArrayHighBound(a, 2), EVariantBadIndexError);

  const Variant copy = a;
  a.SetElement(-2, Variant(7));
  EXPECT_EQ(copy[-2].AsString(), u"first");
  EXPECT_EQ(a[-2].AsInteger(), 7);

  Variant typed = VarArrayCreate({1, 2, 0, 2}, varInteger);
  EXPECT_EQ(VarArrayDimCount(typed), 2);
  EXPECT_EQ(typed.GetElement({2, 2}).VarType(), varInteger);
  typed.SetElement({2, 2}, Variant(u"7"));
  EXPECT_EQ(typed.GetElement({2, 2}).VarType(), varInteger);
  EXPECT_EQ(typed.GetElement({2, 2}).AsInteger(), 7);
  EXPECT_THROW(typed.GetElement({2}), EVariantBadIndexError);
  // Indices held in a list of their own, as code that walks any number of
  // dimensions holds them.
  const std::vector<Integer> at{2, 2};
  EXPECT_EQ(typed.GetElement(at).AsInteger(), 7);
  EXPECT_THROW(typed.GetElement(std::vector<Integer>{2, 3}), EVariantBadIndexError);
  EXPECT_THROW(typed.GetElement(std::vector<Integer>{1, 1, 1}), EVariantBadIndexError);

  const Variant empty = VarArrayCreate({0, -1}, varVariant);
  EXPECT_EQ(VarArrayHighBound(empty, 1), -1);
  EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
  EXPECT_THROW(Variant(1)[0], EVariantInvalidArgError);
  EXPECT_THROW(VarArrayCreate({0}, varVariant), EVariantInvalidArgError);
  EXPECT_THROW(VarArrayCreate({0, -2}, varVariant), EVariantInvalidArgError);
  EXPECT_THROW(VarArrayCreate({0, INT32_MAX, 0, INT32_MAX}, varVariant), EVariantInvalidArgError);
}

TEST_F(Variants, ExtensionKinds) {
  const Variant bcd = VarFMTBcdCreate(StrToBcd(u"1234.5678"));
  EXPECT_EQ(bcd.VarType(), VarFMTBcd());
  EXPECT_EQ(BcdToStrF(bcd.AsBcd(), ffFixed, 15, 2), u"1234.57");
  EXPECT_EQ(BcdToStrF(bcd.AsBcd(), ffGeneral, 5, 0), u"1234.6");
  EXPECT_EQ(bcd.AsDouble(), 1234.5678);
  EXPECT_EQ(bcd.AsInteger(), 1235);
  EXPECT_EQ(BcdToStr(Variant(0.1).AsBcd()), u"0.1");
  EXPECT_EQ(BcdToStr(Variant(INT64_MIN).AsBcd()), u"-9223372036854775808");
  TBcd bcdValue;
  EXPECT_TRUE(TryStrToBcd(u"12.5", bcdValue));
  EXPECT_FALSE(TryStrToBcd(u"1e5", bcdValue));

  const TDateTime when = EncodeDate(2026, 12, 10) + EncodeTime(13, 5, 7, 250);
  const TSQLTimeStamp stamp = Variant::FromDate(when).AsSQLTimeStamp();
  EXPECT_EQ(stamp, (TSQLTimeStamp{2026, 12, 10, 13, 5, 7, 250}));
  const Variant ts = VarSQLTimeStampCreate(stamp);
  EXPECT_EQ(ts.VarType(), VarSQLTimeStamp());
  EXPECT_DOUBLE_EQ(ts.AsDate(), when);
  EXPECT_EQ(ts.AsString(), u"12/10/2026 1:05:07 PM");
  TSQLTimeStamp later = stamp;
  later.Second = 8;
  EXPECT_EQ(VarCompareValue(ts, VarSQLTimeStampCreate(later)), vrLessThan);
  EXPECT_EQ(SQLTimeStampCompare(later, stamp), 1);
  EXPECT_EQ(VarCompareValue(ts, Variant::FromDate(when)), vrEqual);
  EXPECT_THROW(SQLTimeStampToDateTime(TSQLTimeStamp{2026, 13, 1}), EConvertError);
}

}  // namespace

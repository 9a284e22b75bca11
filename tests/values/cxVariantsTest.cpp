#include "values/cxVariants.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "host/Exceptions.h"
#include "host/FMTBcd.h"
#include "host/SQLTimeStamp.h"

namespace {

using TBytes = std::vector<Byte>;

TBytes Encoded(const Variant& v) {
  TMemoryStream stream;
  WriteVariantProc(&stream, v);
  const Byte* data = static_cast<const Byte*>(stream.GetMemory());
  return TBytes(data, data + stream.GetSize());
}

Variant Decoded(const TBytes& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  stream.SetPosition(0);
  return ReadVariantFunc(&stream);
}

std::string Show(const Variant& v) { return v.IsArray() ? std::string("[array]") : UTF8Encode(VarToStr(v)); }

Variant Array(std::initializer_list<Variant> items) { return VarArrayOf(items); }

// An array of Integers indexed from low.
Variant ArrayFrom(Integer low, std::initializer_list<Integer> items) {
  Variant a = VarArrayCreate({low, static_cast<Integer>(low + items.size() - 1)}, varVariant);
  Integer i = low;
  for (Integer item : items) a.SetElement(i++, Variant(item));
  return a;
}

TEST(cxVariants, CompareOrdersEmptyNullValuesAndArrays) {
  struct TCase {
    Variant A, B;
    Integer Expected;
  } cases[] = {
      {Variant(), Variant(), 0},
      {Variant(), Null(), -1},
      {Null(), Variant(), 1},
      {Null(), Null(), 0},
      {Null(), Variant(5), -1},
      {Variant(5), Null(), 1},
      {Variant(1), Variant(2), -1},
      {Variant(2), Variant(1), 1},
      {Variant(2), Variant(2.0), 0},
      {Variant(u"abc"), Variant(1), -1},  // no number in the text: -1 both ways
      {Variant(1), Variant(u"abc"), -1},
      {Variant(u"a"), Variant(u"b"), -1},
      {Array({1, 2}), Array({1, 2, 3}), -1},
      {Array({1, 3}), Array({1, 2}), 1},
      {Array({1, 2}), Array({1, 2}), 0},
      {Array({1, 2, 3, 4, 5}), Array({1, 2}), 3},  // the bound difference itself
      {Array({1}), Variant(1), 1},
      {Variant(1), Array({1}), -1},
      {Array({Array({1, 2}), 3}), Array({Array({1, 3}), 3}), -1},
      // Own low bounds: equal high bounds walk each array from its start.
      {ArrayFrom(1, {7, 8}), ArrayFrom(1, {7, 8}), 0},
      {ArrayFrom(1, {7, 9}), ArrayFrom(1, {7, 8}), 1},
      {ArrayFrom(1, {4, 5}), ArrayFrom(0, {4, 5, 6}), 0},  // the shorter walk ends first
  };
  for (const TCase& c : cases) EXPECT_EQ(VarCompare(c.A, c.B), c.Expected) << Show(c.A) << " ? " << Show(c.B);
}

TEST(cxVariants, CompareKeepsFarApartBoundsInRange) {
  const Variant high = VarArrayCreate({INT_MAX - 1, INT_MAX}, varVariant);
  const Variant low = VarArrayCreate({INT_MIN, INT_MIN + 1}, varVariant);
  EXPECT_EQ(VarCompare(high, low), INT_MAX);
  EXPECT_EQ(VarCompare(low, high), INT_MIN);
  EXPECT_TRUE(VarEquals(Array({1, 2}), Array({1, 2})));
  EXPECT_FALSE(VarEquals(Array({1, 2}), Array({2, 1})));
}

TEST(cxVariants, ExactEqualityTellsBooleansApart) {
  struct TCase {
    Variant A, B;
    bool Expected;
  } cases[] = {
      {Variant(true), Variant(1), false},   {Variant(true), Variant(-1), false},
      {Variant(1), Variant(1.0), true},     {Null(), Null(), true},
      {Variant(true), Variant(true), true}, {Variant(true), Variant(u"True"), true},
      {Variant(false), Variant(u"False"), true}, {Variant(true), Variant(false), false},
      {Variant(true), Null(), false},       {Variant(u"x"), Variant(u"x"), true},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(VarEqualsExact(c.A, c.B), c.Expected) << Show(c.A) << " = " << Show(c.B);
    EXPECT_EQ(VarEqualsExact(c.B, c.A), c.Expected) << Show(c.B) << " = " << Show(c.A);
  }
}

TEST(cxVariants, KindTests) {
  TSQLTimeStamp stamp;
  stamp.Year = 2026, stamp.Month = 12, stamp.Day = 10;
  TBcd bcd;
  ASSERT_TRUE(TryStrToBcd(u"1.25", bcd));
  struct TCase {
    Variant V;
    bool SoftNull, Numeric, Date;
  } cases[] = {
      {Null(), true, false, false},
      {Variant(), false, false, false},
      {Variant(u""), true, false, false},
      {Variant(AnsiString()), true, false, false},
      {Variant::FromOleStr(u""), true, false, false},
      {Variant(u" "), false, false, false},
      {Variant(0), false, true, false},
      {Variant(true), false, true, false},
      {Variant(Currency{15000}), false, true, false},
      {VarFMTBcdCreate(bcd), false, true, false},
      {Variant(1.5), false, true, false},
      {Variant::FromDate(46000.5), false, false, true},
      {VarSQLTimeStampCreate(stamp), false, false, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(VarTypeAsText(c.V.VarType())));
    EXPECT_EQ(VarIsSoftNull(c.V), c.SoftNull);
    EXPECT_EQ(VarIsNumericEx(c.V), c.Numeric);
    EXPECT_EQ(VarIsDate(c.V), c.Date);
  }
  EXPECT_EQ(dxVarToWideString(Null()), u"");
  EXPECT_EQ(dxVarToWideString(Variant(42)), u"42");
}

TEST(cxVariants, EncodingsAreByteExactAndReadBackByCode) {
  const TBytes ansi255(255, 'x'), ansi256(256, 'y');
  TBytes long255 = {6, 255};
  long255.insert(long255.end(), ansi255.begin(), ansi255.end());
  TBytes long256 = {12, 0x00, 0x01, 0x00, 0x00};
  long256.insert(long256.end(), ansi256.begin(), ansi256.end());
  struct TCase {
    Variant Value;
    TBytes Bytes;
    TVarType ReadKind;
  } cases[] = {
      {Variant(300), {3, 0x2C, 0x01}, varSmallint},
      {Variant(5), {2, 5}, varShortInt},
      {Variant(uint8_t{200}), {3, 200, 0}, varSmallint},
      {Variant(-129), {3, 0x7F, 0xFF}, varSmallint},
      {Variant(70000), {4, 0x70, 0x11, 0x01, 0x00}, varInteger},
      {Variant(2147483648LL), {19, 0, 0, 0, 0x80, 0, 0, 0, 0}, varInt64},
      {Variant(uint32_t{4000000000u}), {19, 0x00, 0x28, 0x6B, 0xEE, 0, 0, 0, 0}, varInt64},
      {Variant(true), {9}, varBoolean},
      {Variant(false), {8}, varBoolean},
      {Null(), {0}, varNull},
      {Variant(), {13}, varEmpty},
      {Variant(1.5f), {15, 0x00, 0x00, 0xC0, 0x3F}, varSingle},
      {Variant(1.0), {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}, varDouble},
      {Variant(Currency{15000}), {16, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}, varCurrency},
      {Variant::FromDate(2.5), {17, 0, 0, 0, 0, 0, 0, 0x04, 0x40}, varDate},
      {Variant(u"ab"), {18, 2, 0, 0, 0, 'a', 0, 'b', 0}, varOleStr},
      {Variant(AnsiString(ansi255.begin(), ansi255.end())), long255, varString},
      {Variant(AnsiString(ansi256.begin(), ansi256.end())), long256, varString},
      {Array({1, u"a"}), {1, 2, 2, 2, 1, 18, 1, 0, 0, 0, 'a', 0}, varArray | varVariant},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(Show(c.Value));
    EXPECT_EQ(Encoded(c.Value), c.Bytes);
    const Variant back = Decoded(c.Bytes);
    EXPECT_EQ(back.VarType(), c.ReadKind);
    EXPECT_EQ(VarCompare(back, c.Value), 0);
  }
}

TEST(cxVariants, OtherKindsGoAsTheirTextOrTheirDate) {
  TBcd bcd;
  ASSERT_TRUE(TryStrToBcd(u"12.5", bcd));
  const Variant fromBcd = Decoded(Encoded(VarFMTBcdCreate(bcd)));
  EXPECT_EQ(fromBcd.VarType(), varString);
  EXPECT_EQ(fromBcd.AsString(), u"12.5");
  TSQLTimeStamp stamp;
  stamp.Year = 2026, stamp.Month = 12, stamp.Day = 10, stamp.Hour = 12;
  const Variant fromStamp = Decoded(Encoded(VarSQLTimeStampCreate(stamp)));
  EXPECT_EQ(fromStamp.VarType(), varDate);
  EXPECT_EQ(fromStamp.AsDate(), VarSQLTimeStampCreate(stamp).AsDate());
  const Variant unsigned64 = Decoded(Encoded(Variant(18446744073709551615ULL)));
  EXPECT_EQ(unsigned64.VarType(), varString);
  EXPECT_EQ(unsigned64.AsString(), u"18446744073709551615");
  EXPECT_THROW(Encoded(VarArrayCreate({0, 1, 0, 1}, varVariant)), EWriteError);
}

TEST(cxVariants, UnknownCodesAndHostileStreamsAreRejected) {
  for (Byte code : {7, 10, 11, 14, 20, 21, 255}) EXPECT_THROW(Decoded({code}), EReadError) << int(code);
  std::vector<TBytes> hostile = {
      {12, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'},             // length far beyond the data
      {12, 0xFF, 0xFF, 0xFF, 0xFF},                       // negative length
      {18, 0x00, 0x00, 0x00, 0x40, 'a', 0},               // a billion characters
      {18, 3, 0, 0, 0, 'a', 0, 'b', 0},                   // one unit short
      {1, 19, 0, 0, 0, 0, 0, 1, 0, 0, 13},                // 2^40 elements
      {1, 2, 0xFF},                                       // negative count
      {1, 2, 3, 13, 13},                                  // an element missing
      {6, 5, 'a', 'b'},                                   // truncated bytes
      {4, 1, 2},                                          // truncated integer
      {5, 0, 0, 0},                                       // truncated extended
      {},                                                 // nothing at all
  };
  for (size_t i = 0; i < hostile.size(); ++i) EXPECT_THROW(Decoded(hostile[i]), EReadError) << i;

  // Nesting: a fixed depth reads, one more does not.
  auto nested = [](int depth) {
    TBytes bytes;
    for (int i = 0; i < depth; ++i) bytes.insert(bytes.end(), {1, 2, 1});
    bytes.push_back(13);
    return bytes;
  };
  EXPECT_NO_THROW(Decoded(nested(MaxVariantNesting)));
  EXPECT_THROW(Decoded(nested(MaxVariantNesting + 1)), EReadError);
}

TEST(cxVariants, PlainEncodingsRoundTripWithTheirWidths) {
  TMemoryStream s;
  WriteAnsiStringProc(&s, "caf\xE9");
  WriteWideStringProc(&s, u"d\u00E9j\u00E0");
  WriteBooleanProc(&s, true);
  WriteFloatProc(&s, 0.1L);
  WriteSingleProc(&s, 2.5f);
  WriteCurrencyProc(&s, Currency{-12345});
  WriteDateTimeProc(&s, 46000.25);
  WriteIntegerProc(&s, -7);
  WriteLargeIntProc(&s, INT64_MIN);
  WriteSmallIntProc(&s, -300);
  WriteWordProc(&s, 65535);
  EXPECT_EQ(s.GetSize(), (4 + 4) + (4 + 8) + 1 + 10 + 4 + 8 + 8 + 4 + 8 + 2 + 2);
  s.SetPosition(0);
  EXPECT_EQ(ReadAnsiStringFunc(&s), "caf\xE9");
  String wide;
  ReadWideStringProc(&s, wide);
  EXPECT_EQ(wide, u"d\u00E9j\u00E0");
  EXPECT_TRUE(ReadBooleanFunc(&s));
  Extended f;
  ReadFloatProc(&s, f);
  EXPECT_EQ(f, 0.1L);
  Single single;
  ReadSingleProc(&s, single);
  EXPECT_EQ(single, 2.5f);
  EXPECT_EQ(ReadCurrencyFunc(&s).Scaled, -12345);
  EXPECT_EQ(ReadDateTimeFunc(&s), 46000.25);
  EXPECT_EQ(ReadIntegerFunc(&s), -7);
  EXPECT_EQ(ReadLargeIntFunc(&s), INT64_MIN);
  EXPECT_EQ(ReadSmallIntFunc(&s), -300);
  EXPECT_EQ(ReadWordFunc(&s), 65535);
  EXPECT_THROW(ReadWordFunc(&s), EReadError);

  TMemoryStream lying;
  WriteIntegerProc(&lying, 1 << 30);
  lying.SetPosition(0);
  EXPECT_THROW(ReadAnsiStringFunc(&lying), EReadError);
  lying.SetPosition(0);
  EXPECT_THROW(ReadWideStringFunc(&lying), EReadError);
}

}  // namespace

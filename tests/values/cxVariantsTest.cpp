#include "values/cxVariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "host/Exceptions.h"
#include "host/FMTBcd.h"
#include "host/SQLTimeStamp.h"
#include "tests/HeapHighWater.h"

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

// A two-dimensional array of Integers given row by row; rows are indexed
// from low1, columns from low2.
Variant Grid(Integer low1, Integer low2, std::initializer_list<std::initializer_list<Integer>> rows) {
  const Integer columns = static_cast<Integer>(rows.begin()->size());
  const Integer high1 = static_cast<Integer>(low1 + rows.size() - 1);
  Variant a = VarArrayCreate({low1, high1, low2, low2 + columns - 1}, varVariant);
  Integer i = low1;
  for (const auto& row : rows) {
    Integer j = low2;
    for (Integer item : row) a.SetElement({i, j++}, Variant(item));
    ++i;
  }
  return a;
}

Variant Grid(std::initializer_list<std::initializer_list<Integer>> rows) { return Grid(0, 0, rows); }

// 2 x 2 x 2 from 0, the elements in storage order, the last index fastest.
Variant Cube(std::initializer_list<Integer> items) {
  Variant a = VarArrayCreate({0, 1, 0, 1, 0, 1}, varVariant);
  auto item = items.begin();
  for (Integer i = 0; i < 2; ++i)
    for (Integer j = 0; j < 2; ++j)
      for (Integer k = 0; k < 2; ++k) a.SetElement({i, j, k}, Variant(*item++));
  return a;
}

TEST(cxVariants, CompareMultiDimensionalArraysByBoundsThenElementsInStorageOrder) {
  struct TCase {
    const char* Name;
    Variant A, B;
    Integer Expected;
  } cases[] = {
      {"same", Grid({{1, 2}, {3, 4}}), Grid({{1, 2}, {3, 4}}), 0},
      {"last element", Grid({{1, 2}, {3, 4}}), Grid({{1, 2}, {3, 5}}), -1},
      {"rows before columns", Grid({{1, 2}, {3, 4}}), Grid({{1, 3}, {2, 4}}), -1},
      {"first dimension's bound", Grid({{1}, {2}, {3}}), Grid({{9, 9}}), 2},
      {"second dimension's bound", Grid({{1, 2}, {3, 4}}), Grid({{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}), -3},
      {"more dimensions", Grid({{1, 2}, {3, 4}}), Array({1, 2}), 1},
      {"fewer dimensions", Array({1, 2}), Grid({{1, 2}, {3, 4}}), -1},
      {"own low bounds", Grid(0, 0, {{5, 6}, {7, 8}}), Grid(1, 1, {{5}}), 0},
      {"three dimensions", Cube({1, 2, 3, 4, 5, 6, 7, 8}), Cube({1, 2, 3, 4, 5, 6, 7, 8}), 0},
      {"three dimensions, last", Cube({1, 2, 3, 4, 5, 6, 7, 9}), Cube({1, 2, 3, 4, 5, 6, 7, 8}), 1},
      {"not comparable inside", Grid({{1, 2}}), Grid({{1, 0}}), -1},
  };
  cases[std::size(cases) - 1].B.SetElement({0, 1}, Variant(u"abc"));  // 2 against "abc": -1
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Integer result = 2;
    EXPECT_NO_THROW(result = VarCompare(c.A, c.B));
    EXPECT_EQ(result, c.Expected);
  }
  EXPECT_TRUE(VarEquals(Grid({{1, 2}, {3, 4}}), Grid({{1, 2}, {3, 4}})));
  EXPECT_TRUE(VarEqualsExact(Grid({{1, 2}, {3, 4}}), Grid({{1, 2}, {3, 4}})));
  EXPECT_FALSE(VarEqualsExact(Grid({{1, 2}, {3, 4}}), Grid({{1, 2}, {4, 3}})));
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

// Hostile nesting: every level announces Count elements, which the bytes
// left can hold on their own, and starts the next level as its first
// element; the innermost level's elements are Nulls, and then the stream
// ends. Each level's count as four bytes.
TBytes NestedAnnouncements(int levels, Integer count) {
  TBytes bytes;
  for (int i = 0; i < levels; ++i) {
    bytes.insert(bytes.end(), {1, 4});
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<Byte>(count >> shift));
  }
  bytes.insert(bytes.end(), static_cast<size_t>(count), Byte{0});
  return bytes;
}

TEST(cxVariants, NestedArraysCostMemoryInProportionToTheStream) {
  if (!THeapHighWater::Available()) GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
  // Reading arrays level by level, each checked alone against the bytes
  // left, would hold 64 x 16384 elements at once.
  const TBytes bytes = NestedAnnouncements(MaxVariantNesting, 16384);
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  stream.SetPosition(0);
  size_t peak = 0;
  {
    THeapHighWater heap;
    EXPECT_THROW(ReadVariantFunc(&stream), EReadError);
    peak = heap.Peak();
  }
  // Every element the open arrays announced stands for a byte of the
  // stream: at most one variant a byte, and as much again for the arrays'
  // own records and the allocator.
  EXPECT_LE(peak, 2 * sizeof(Variant) * bytes.size());
}

TEST(cxVariants, NestedArraysThatFitTheirBytesExactlyRead) {
  // The inner array's two elements and the outer array's second one need
  // the last three bytes exactly.
  const Variant v = Decoded({1, 2, 2, 1, 2, 2, 0, 0, 0});
  ASSERT_EQ(VarArrayHighBound(v, 1), 1);
  ASSERT_TRUE(v[0].IsArray());
  EXPECT_EQ(VarArrayHighBound(v[0], 1), 1);
  EXPECT_TRUE(v[0][1].IsNull());
  EXPECT_TRUE(v[1].IsNull());
  // A text may take only what the elements still due leave it.
  EXPECT_EQ(Decoded({1, 2, 2, 6, 2, 'a', 'b', 13})[0].AsAnsiString(), "ab");
  EXPECT_THROW(Decoded({1, 2, 2, 6, 2, 'a', 'b'}), EReadError);
  // Arrays nested as the first element of one another, each announcing one.
  const TBytes deep = NestedAnnouncements(3, 1);
  EXPECT_TRUE(Decoded(deep)[0][0][0].IsNull());
}

// A stream of a given size whose first bytes are given and the rest zeros,
// made up as it is read, so that it may be larger than the memory at hand.
class THeaderThenZeros : public TStream {
 public:
  THeaderThenZeros(TBytes AHeader, Int64 ASize) : FHeader(std::move(AHeader)), FSize(ASize) {}
  Int64 Read(void* Buffer, Int64 Count) override {
    const Int64 n = std::clamp<Int64>(FSize - FPosition, 0, Count);
    auto* out = static_cast<Byte*>(Buffer);
    for (Int64 i = 0; i < n; ++i, ++FPosition)
      out[i] = FPosition < static_cast<Int64>(FHeader.size()) ? FHeader[static_cast<size_t>(FPosition)] : 0;
    return n;
  }
  Int64 Write(const void*, Int64) override { return 0; }
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override {
    FPosition = Offset + (Origin == soCurrent ? FPosition : Origin == soEnd ? FSize : 0);
    return FPosition;
  }

 private:
  TBytes FHeader;
  Int64 FSize;
  Int64 FPosition = 0;
};

TEST(cxVariants, AnArrayTheHostCannotHoldIsAStreamReadError) {
  // 2^26 + 1 elements, which the Nulls that follow could all fill; the
  // host's arrays end at 2^26.
  const Integer count = (1 << 26) + 1;
  const TBytes header = {1, 4, Byte(count), Byte(count >> 8), Byte(count >> 16), Byte(count >> 24)};
  THeaderThenZeros stream(header, Int64{6} + count);
  try {
    ReadVariantFunc(&stream);
    ADD_FAILURE() << "read an array the host cannot hold";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.GetMessage(), u"Stream read error");
  } catch (const Exception& e) {
    ADD_FAILURE() << "raised " << e.what();
  }
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

#include "values/cxDataStorage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "host/Exceptions.h"
#include "host/FMTBcd.h"
#include "host/Objects.h"
#include "host/SQLTimeStamp.h"
#include "values/cxVariants.h"

namespace {

// A zeroed record slot for one value type, released with it.
struct TSlot {
  TcxValueTypeClass Type;
  alignas(8) std::array<Byte, 40> Bytes{};
  explicit TSlot(TcxValueTypeClass type) : Type(type) {}
  ~TSlot() { Type->FreeBuffer(Bytes.data()); }
  TSlot(const TSlot&) = delete;
  TSlot& operator=(const TSlot&) = delete;
  TcxValueBuffer Buffer() { return Bytes.data(); }
};

// The kinds whose slot points to a separately allocated value.
bool ByReference(TcxValueTypeClass type) {
  return type == TcxStringValueType::ClassRef() || type == TcxWideStringValueType::ClassRef() ||
         type == TcxVariantValueType::ClassRef() || type == TcxBLOBValueType::ClassRef();
}

const char16_t* const RegisteredCaptions[] = {u"String",   u"WideString", u"Smallint", u"Integer",  u"Word",
                                              u"Boolean",  u"Single",     u"Float",    u"Currency", u"DateTime",
                                              u"LargeInt", u"FMTBcd",     u"SQLTimeStamp", u"Variant", u"Object",
                                              u"BLOB"};

TEST(cxDataStorage, TheUnitRegistersEveryClassInOrder) {
  TcxValueTypeClassList* list = cxValueTypeClassList();
  ASSERT_EQ(list->GetCount(), 16);
  for (Integer i = 0; i < 16; ++i) {
    EXPECT_EQ(list->GetItem(i)->Caption(), RegisteredCaptions[i]);
    EXPECT_EQ(list->ItemByCaption(RegisteredCaptions[i]), list->GetItem(i));
  }
  EXPECT_EQ(list->ItemByCaption(u"Float"), TcxFloatValueType::ClassRef());
  EXPECT_EQ(list->ItemByCaption(u"float"), nullptr);
  EXPECT_THROW(list->GetItem(16), EListError);

  TcxValueTypeClassList own;
  own.RegisterItem(TcxIntegerValueType::ClassRef());
  own.RegisterItem(TcxIntegerValueType::ClassRef());
  own.RegisterItem(TcxObjectValueType::ClassRef());
  EXPECT_EQ(own.GetCount(), 2);
  own.UnregisterItem(TcxIntegerValueType::ClassRef());
  EXPECT_EQ(own.GetCount(), 1);
  EXPECT_EQ(own.GetItem(0), TcxObjectValueType::ClassRef());
  EXPECT_EQ(TcxValueType::ClassRef()->Caption(), u"");  // "Tcx" and "ValueType" both gone
}

TEST(cxDataStorage, SlotsHaveTheirSizesAndKinds) {
  struct TCase {
    TcxValueTypeClass Type;
    Integer Size;
    TVarType Kind;
    bool IsString;
  } cases[] = {
      {TcxStringValueType::ClassRef(), sizeof(void*), varUString, true},
      {TcxWideStringValueType::ClassRef(), sizeof(void*), varOleStr, true},
      {TcxSmallintValueType::ClassRef(), 2, varSmallint, false},
      {TcxIntegerValueType::ClassRef(), 4, varInteger, false},
      {TcxWordValueType::ClassRef(), 2, varWord, false},
      {TcxBooleanValueType::ClassRef(), 1, varBoolean, false},
      {TcxSingleValueType::ClassRef(), 4, varSingle, false},
      {TcxFloatValueType::ClassRef(), 8, varDouble, false},
      {TcxCurrencyValueType::ClassRef(), 8, varCurrency, false},
      {TcxDateTimeValueType::ClassRef(), 8, varDate, false},
      {TcxLargeIntValueType::ClassRef(), 8, varInt64, false},
      {TcxFMTBcdValueType::ClassRef(), 34, VarFMTBcd(), false},
      {TcxSQLTimeStampValueType::ClassRef(), 16, VarSQLTimeStamp(), false},
      {TcxVariantValueType::ClassRef(), sizeof(void*), varVariant, false},
      {TcxBLOBValueType::ClassRef(), sizeof(void*), varString, true},
      {TcxObjectValueType::ClassRef(), sizeof(void*), varInt64, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Type->ClassName()));
    EXPECT_EQ(c.Type->GetDataSize(), c.Size);
    EXPECT_EQ(c.Type->GetVarType(), c.Kind);
    EXPECT_EQ(c.Type->IsString(), c.IsString);
  }
}

// Every class: a value set into a slot reads back, compares equal to itself
// and survives a stream in both text encodings; empty by-reference slots are
// Null and stream too.
TEST(cxDataStorage, EveryClassRoundTripsThroughSlotsAndStreams) {
  TBcd bcd;
  ASSERT_TRUE(TryStrToBcd(u"-123.45", bcd));
  TSQLTimeStamp stamp;
  stamp.Year = 2026, stamp.Month = 12, stamp.Day = 10, stamp.Hour = 16, stamp.Minute = 30;
  struct TCase {
    TcxValueTypeClass Type;
    Variant Value;
    Variant AfterNullRoundTrip;  // Empty: the type has no empty slot
  } cases[] = {
      {TcxStringValueType::ClassRef(), Variant(u"caf\u00E9"), Variant(u"")},
      {TcxWideStringValueType::ClassRef(), Variant::FromOleStr(u"wide"), Variant::FromOleStr(u"")},
      {TcxSmallintValueType::ClassRef(), Variant(int16_t{-300}), Variant()},
      {TcxIntegerValueType::ClassRef(), Variant(-70000), Variant()},
      {TcxWordValueType::ClassRef(), Variant(uint16_t{65000}), Variant()},
      {TcxBooleanValueType::ClassRef(), Variant(true), Variant()},
      {TcxSingleValueType::ClassRef(), Variant(0.25f), Variant()},
      {TcxFloatValueType::ClassRef(), Variant(0.1), Variant()},
      {TcxCurrencyValueType::ClassRef(), Variant(Currency{-123456}), Variant()},
      {TcxDateTimeValueType::ClassRef(), Variant::FromDate(46000.75), Variant()},
      {TcxLargeIntValueType::ClassRef(), Variant(-5000000000LL), Variant()},
      {TcxFMTBcdValueType::ClassRef(), VarFMTBcdCreate(bcd), Variant()},
      {TcxSQLTimeStampValueType::ClassRef(), VarAsType(VarSQLTimeStampCreate(stamp), varDate), Variant()},
      {TcxVariantValueType::ClassRef(), VarArrayOf({1, u"two"}), Null()},
      {TcxBLOBValueType::ClassRef(), Variant(AnsiString("\x01\x00\xFF", 3)), Variant(AnsiString())},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Type->ClassName()));
    TSlot slot(c.Type);
    if (ByReference(c.Type)) {
      EXPECT_TRUE(c.Type->GetDataValue(slot.Buffer()).IsNull());
    }
    c.Type->SetDataValue(slot.Buffer(), c.Value);
    const Variant value = c.Type->GetDataValue(slot.Buffer());
    EXPECT_EQ(value.VarType(), c.Value.VarType());
    EXPECT_EQ(VarCompare(value, c.Value), 0);
    TcxValueBuffer prepared = slot.Buffer();
    c.Type->PrepareValueBuffer(prepared);
    EXPECT_EQ(VarCompare(c.Type->GetValue(prepared), c.Value), 0);
    EXPECT_EQ(c.Type->Compare(slot.Buffer(), slot.Buffer()), 0);

    for (bool unicode : {true, false}) {
      TMemoryStream stream;
      c.Type->WriteDataValue(slot.Buffer(), &stream, unicode);
      stream.SetPosition(0);
      TSlot copy(c.Type);
      c.Type->ReadDataValue(copy.Buffer(), &stream, unicode);
      EXPECT_EQ(stream.GetPosition(), stream.GetSize());
      EXPECT_EQ(c.Type->Compare(slot.Buffer(), copy.Buffer()), 0) << unicode;

      if (c.AfterNullRoundTrip.IsEmpty()) continue;
      TSlot empty(c.Type), readBack(c.Type);
      TMemoryStream nullStream;
      c.Type->WriteDataValue(empty.Buffer(), &nullStream, unicode);
      nullStream.SetPosition(0);
      c.Type->ReadDataValue(readBack.Buffer(), &nullStream, unicode);
      const Variant back = c.Type->GetDataValue(readBack.Buffer());
      EXPECT_EQ(back.VarType(), c.AfterNullRoundTrip.VarType());
      EXPECT_EQ(VarCompare(back, c.AfterNullRoundTrip), 0);
    }
  }
}

TEST(cxDataStorage, ComparisonRulesOfEachKind) {
  struct TCase {
    TcxValueTypeClass Type;
    Variant Low, High;
    Integer LowVersusHigh;  // High versus Low is its negation
  } cases[] = {
      {TcxSmallintValueType::ClassRef(), Variant(int16_t{2}), Variant(int16_t{5}), -3},
      {TcxWordValueType::ClassRef(), Variant(uint16_t{1}), Variant(uint16_t{65535}), -65534},
      {TcxBooleanValueType::ClassRef(), Variant(false), Variant(true), -1},
      {TcxIntegerValueType::ClassRef(), Variant(-2000000000), Variant(2000000000), -1},
      {TcxLargeIntValueType::ClassRef(), Variant(1LL), Variant(1LL << 40), -1},
      {TcxCurrencyValueType::ClassRef(), Variant(Currency{1}), Variant(Currency{2}), -1},
      {TcxSingleValueType::ClassRef(), Variant(1.0f), Variant(1.5f), -1},
      {TcxFloatValueType::ClassRef(), Variant(-0.5), Variant(0.5), -1},
      {TcxDateTimeValueType::ClassRef(), Variant::FromDate(1.0), Variant::FromDate(2.0), -1},
      {TcxStringValueType::ClassRef(), Variant(u"B"), Variant(u"a"), -1},  // ordinal: upper case first
      {TcxWideStringValueType::ClassRef(), Variant(u"ab"), Variant(u"b"), -1},
      {TcxBLOBValueType::ClassRef(), Variant(AnsiString("a")), Variant(AnsiString("ab")), -1},
      {TcxVariantValueType::ClassRef(), Variant(1), Variant(u"2"), -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Type->ClassName()));
    TSlot low(c.Type), high(c.Type), empty(c.Type);
    c.Type->SetDataValue(low.Buffer(), c.Low);
    c.Type->SetDataValue(high.Buffer(), c.High);
    const Integer r = c.Type->Compare(low.Buffer(), high.Buffer());
    if (c.LowVersusHigh == -1) EXPECT_LT(r, 0);
    else EXPECT_EQ(r, c.LowVersusHigh);
    EXPECT_EQ(c.Type->Compare(high.Buffer(), low.Buffer()) > 0, true);
    EXPECT_EQ(c.Type->Compare(low.Buffer(), low.Buffer()), 0);
    if (ByReference(c.Type)) {  // nil sorts first
      EXPECT_LT(c.Type->Compare(empty.Buffer(), low.Buffer()), 0);
      EXPECT_GT(c.Type->Compare(low.Buffer(), empty.Buffer()), 0);
      EXPECT_EQ(c.Type->Compare(empty.Buffer(), empty.Buffer()), 0);
    }
  }

  TSQLTimeStamp a, b;
  a.Year = b.Year = 2026;
  a.Month = 11, a.Day = 30;
  b.Month = 12, b.Day = 1;
  TSlot sa(TcxSQLTimeStampValueType::ClassRef()), sb(TcxSQLTimeStampValueType::ClassRef());
  sa.Type->SetDataValue(sa.Buffer(), VarSQLTimeStampCreate(a));
  sb.Type->SetDataValue(sb.Buffer(), VarSQLTimeStampCreate(b));
  EXPECT_EQ(sa.Type->Compare(sa.Buffer(), sb.Buffer()), -1);  // the month decides before the day
}

TEST(cxDataStorage, TextEncodingFollowsTheUnicodeFlag) {
  TSlot slot(TcxStringValueType::ClassRef());
  slot.Type->SetDataValue(slot.Buffer(), Variant(u"\u00E9t\u00E9"));
  TMemoryStream wide, ansi;
  slot.Type->WriteDataValue(slot.Buffer(), &wide, true);
  slot.Type->WriteDataValue(slot.Buffer(), &ansi, false);
  const Byte wideBytes[] = {3, 0, 0, 0, 0xE9, 0, 't', 0, 0xE9, 0};
  const Byte ansiBytes[] = {3, 0, 0, 0, 0xE9, 't', 0xE9};
  ASSERT_EQ(wide.GetSize(), static_cast<Int64>(sizeof wideBytes));
  ASSERT_EQ(ansi.GetSize(), static_cast<Int64>(sizeof ansiBytes));
  EXPECT_EQ(std::memcmp(wide.GetMemory(), wideBytes, sizeof wideBytes), 0);
  EXPECT_EQ(std::memcmp(ansi.GetMemory(), ansiBytes, sizeof ansiBytes), 0);

  // Display texts use the same two encodings.
  const TcxValueTypeClass type = TcxIntegerValueType::ClassRef();
  TcxDisplayTextHolder holder = nullptr;
  EXPECT_EQ(type->GetDisplayText(&holder), u"");
  type->SetDisplayText(&holder, u"d\u00E9j\u00E0");
  for (bool unicode : {true, false}) {
    TMemoryStream s;
    type->WriteDisplayText(&holder, &s, unicode);
    EXPECT_EQ(s.GetSize(), unicode ? 4 + 8 : 4 + 4);
    s.SetPosition(0);
    TcxDisplayTextHolder back = nullptr;
    type->ReadDisplayText(&back, &s, unicode);
    EXPECT_EQ(type->GetDisplayText(&back), u"d\u00E9j\u00E0");
    type->FreeTextBuffer(&back);
    EXPECT_EQ(back, nullptr);
  }
  type->FreeTextBuffer(&holder);
}

TEST(cxDataStorage, ValidityAndDefaultTexts) {
  Variant text = u"12";
  EXPECT_TRUE(TcxIntegerValueType::ClassRef()->IsValueValid(text));
  EXPECT_EQ(text.VarType(), varInteger);
  EXPECT_EQ(text.AsInteger(), 12);
  Variant word = u"abc";
  EXPECT_FALSE(TcxIntegerValueType::ClassRef()->IsValueValid(word));
  Variant null = Null();
  EXPECT_TRUE(TcxFloatValueType::ClassRef()->IsValueValid(null));
  Variant anything = u"abc";
  EXPECT_TRUE(TcxVariantValueType::ClassRef()->IsValueValid(anything));
  EXPECT_EQ(anything.VarType(), varUString);

  struct TCase {
    TcxValueTypeClass Type;
    Variant Value;
    const char16_t* Text;
  } cases[] = {
      {TcxBooleanValueType::ClassRef(), Variant(true), u"True"},
      {TcxBooleanValueType::ClassRef(), Variant(false), u"False"},
      {TcxFloatValueType::ClassRef(), Variant(1.5), u"1.5"},
      {TcxIntegerValueType::ClassRef(), Variant(-42), u"-42"},
      {TcxStringValueType::ClassRef(), Variant(u"x"), u"x"},
  };
  for (const TCase& c : cases) {
    TSlot slot(c.Type);
    c.Type->SetDataValue(slot.Buffer(), c.Value);
    EXPECT_EQ(c.Type->GetDefaultDisplayText(slot.Buffer()), c.Text);
  }
  TBcd bcd;
  ASSERT_TRUE(TryStrToBcd(u"3.25", bcd));
  TSlot decimal(TcxFMTBcdValueType::ClassRef());
  decimal.Type->SetDataValue(decimal.Buffer(), VarFMTBcdCreate(bcd));
  EXPECT_EQ(decimal.Type->GetDefaultDisplayText(decimal.Buffer()), u"3.25");
}

TEST(cxDataStorage, AValueOutOfTheSlotsRangeIsInvalidAndKeptAsItWas) {
  struct TCase {
    TcxValueTypeClass Type;
    Variant Value;
    bool Valid;
  } cases[] = {
      {TcxSmallintValueType::ClassRef(), Variant(70000), false},
      {TcxSmallintValueType::ClassRef(), Variant(-32769), false},
      {TcxSmallintValueType::ClassRef(), Variant(32767), true},
      {TcxWordValueType::ClassRef(), Variant(65536), false},
      {TcxWordValueType::ClassRef(), Variant(65535), true},
      {TcxIntegerValueType::ClassRef(), Variant(2147483648LL), false},
      {TcxIntegerValueType::ClassRef(), Variant(u"2147483648"), false},
      {TcxLargeIntValueType::ClassRef(), Variant(1e19), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Type->Caption() + u" " + VarToStr(c.Value)));
    Variant value = c.Value;
    bool valid = !c.Valid;
    EXPECT_NO_THROW(valid = c.Type->IsValueValid(value));
    EXPECT_EQ(valid, c.Valid);
    if (!c.Valid) {
      EXPECT_EQ(value.VarType(), c.Value.VarType()) << "an invalid value keeps its kind";
    }
  }
}

struct TOwned : TObject {
  bool* Freed;
  explicit TOwned(bool* freed) : Freed(freed) {}
  ~TOwned() override { *Freed = true; }
};

TEST(cxDataStorage, ObjectSlotsCarryAndFreeTheirObject) {
  bool freed = false;
  auto* object = new TOwned(&freed);
  const TcxValueTypeClass type = TcxObjectValueType::ClassRef();
  {
    TSlot slot(type);
    type->SetDataValue(slot.Buffer(), Variant(static_cast<long long>(reinterpret_cast<intptr_t>(object))));
    EXPECT_EQ(type->GetDataValue(slot.Buffer()).AsInt64(), reinterpret_cast<intptr_t>(object));
    TMemoryStream stream;
    type->WriteDataValue(slot.Buffer(), &stream, true);
    EXPECT_EQ(stream.GetSize(), 0);  // objects are not streamed
    EXPECT_FALSE(freed);
  }
  EXPECT_TRUE(freed);
}

}  // namespace

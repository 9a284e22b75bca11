#include "values/cxDataStorage.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

#include "controls/dxCore.h"
#include "host/DateUtils.h"
#include "host/Exceptions.h"
#include "host/FMTBcd.h"
#include "host/Format.h"
#include "host/Objects.h"
#include "host/SQLTimeStamp.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"
#include "values/cxVariants.h"

namespace {

template <typename T>
T Load(TcxValueBuffer slot) {
  T value;
  std::memcpy(&value, slot, sizeof(T));
  return value;
}

template <typename T>
void Store(TcxValueBuffer slot, const T& value) {
  std::memcpy(slot, &value, sizeof(T));
}

template <typename T>
T* Held(TcxValueBuffer slot) {
  return Load<T*>(slot);
}

template <typename T>
Integer Sign(T a, T b) {
  return a == b ? 0 : (a > b ? 1 : -1);
}

// Nil sorts before everything else; two nils are equal.
template <typename T, typename Compare>
Integer CompareHeld(const T* a, const T* b, Compare compare) {
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  return compare(*a, *b);
}

Integer CompareFloat(Double a, Double b) { return a == b ? 0 : (a >= b ? 1 : -1); }

// The WideString block: a 32-bit character count, then the units.
Byte* NewBlock(const String& text) {
  const Integer count = static_cast<Integer>(text.size());
  auto* block = new Byte[sizeof(Integer) + text.size() * sizeof(char16_t)];
  std::memcpy(block, &count, sizeof count);
  std::memcpy(block + sizeof count, text.data(), text.size() * sizeof(char16_t));
  return block;
}

String BlockText(const Byte* block) {
  Integer count;
  std::memcpy(&count, block, sizeof count);
  String text(static_cast<size_t>(count), u'\0');
  std::memcpy(text.data(), block + sizeof count, text.size() * sizeof(char16_t));
  return text;
}

void WriteText(TStream* stream, const String& text, bool unicode) {
  if (unicode) WriteWideStringProc(stream, text);
  else WriteAnsiStringProc(stream, StringToAnsi(text));
}

String ReadText(TStream* stream, bool unicode) {
  return unicode ? ReadWideStringFunc(stream) : AnsiToString(ReadAnsiStringFunc(stream));
}

}  // namespace

#define CX_CLASS_REF(Name)                 \
  TcxValueTypeClass Name::ClassRef() {     \
    static const Name description;         \
    return &description;                   \
  }

CX_CLASS_REF(TcxValueType)
CX_CLASS_REF(TcxStringValueType)
CX_CLASS_REF(TcxWideStringValueType)
CX_CLASS_REF(TcxSmallintValueType)
CX_CLASS_REF(TcxIntegerValueType)
CX_CLASS_REF(TcxWordValueType)
CX_CLASS_REF(TcxBooleanValueType)
CX_CLASS_REF(TcxSingleValueType)
CX_CLASS_REF(TcxFloatValueType)
CX_CLASS_REF(TcxCurrencyValueType)
CX_CLASS_REF(TcxDateTimeValueType)
CX_CLASS_REF(TcxLargeIntValueType)
CX_CLASS_REF(TcxFMTBcdValueType)
CX_CLASS_REF(TcxSQLTimeStampValueType)
CX_CLASS_REF(TcxVariantValueType)
CX_CLASS_REF(TcxBLOBValueType)
CX_CLASS_REF(TcxObjectValueType)
#undef CX_CLASS_REF

// --- The base ----------------------------------------------------------------

Integer TcxValueType::Compare(TcxValueBuffer P1, TcxValueBuffer P2) const {
  PrepareValueBuffer(P1);
  PrepareValueBuffer(P2);
  return CompareValues(P1, P2);
}

void TcxValueType::FreeTextBuffer(TcxDisplayTextHolder* AHolder) const {
  delete *AHolder;
  *AHolder = nullptr;
}

String TcxValueType::GetDefaultDisplayText(TcxValueBuffer ABuffer) const {
  try {
    return VarToStr(GetDataValue(ABuffer));
  } catch (const EVariantTypeCastError&) {
    return String();
  }
}

String TcxValueType::GetDisplayText(const TcxDisplayTextHolder* AHolder) const {
  return *AHolder ? **AHolder : String();
}

void TcxValueType::SetDisplayText(TcxDisplayTextHolder* AHolder, const String& AText) const {
  if (!*AHolder) *AHolder = new String;
  **AHolder = AText;
}

void TcxValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const {
  SetDataValue(ABuffer, ReadVariantFunc(AStream));
}

void TcxValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const {
  WriteVariantProc(AStream, GetDataValue(ABuffer));
}

void TcxValueType::ReadDisplayText(TcxDisplayTextHolder* AHolder, TStream* AStream, bool AIsUnicode) const {
  SetDisplayText(AHolder, ReadText(AStream, AIsUnicode));
}

void TcxValueType::WriteDisplayText(const TcxDisplayTextHolder* AHolder, TStream* AStream, bool AIsUnicode) const {
  WriteText(AStream, GetDisplayText(AHolder), AIsUnicode);
}

String TcxValueType::Caption() const {
  String name = ClassName();
  if (name.rfind(u"Tcx", 0) == 0) name.erase(0, 3);
  const size_t at = name.find(u"ValueType");
  if (at != String::npos) name.erase(at, 9);
  return name;
}

Integer TcxValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return VarCompare(GetValue(P1), GetValue(P2));
}

Variant TcxValueType::GetValue(TcxValueBuffer ABuffer) const {
  // A prepared by-reference buffer is the held pointer: hand its address on
  // as if it were the slot.
  return IsByReference() ? GetDataValue(&ABuffer) : GetDataValue(ABuffer);
}

bool TcxValueType::IsValueValid(Variant& AValue) const {
  if (AValue.IsNull() || GetVarType() == varVariant) return true;
  try {
    AValue = VarAsType(AValue, GetVarType());
    return true;
  } catch (const EVariantError&) {
    // Out of the slot's range as much as of another kind.
    return false;
  }
}

void TcxValueType::PrepareValueBuffer(TcxValueBuffer& ABuffer) const {
  if (IsByReference()) ABuffer = Load<void*>(ABuffer);
}

// --- Strings -----------------------------------------------------------------

void TcxStringValueType::FreeBuffer(TcxValueBuffer ABuffer) const {
  delete Held<String>(ABuffer);
  Store<void*>(ABuffer, nullptr);
}

Variant TcxStringValueType::GetDataValue(TcxValueBuffer ABuffer) const {
  const String* held = Held<String>(ABuffer);
  return held ? Variant(*held) : Null();
}

void TcxStringValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  String* held = Held<String>(ABuffer);
  if (!held) Store<void*>(ABuffer, held = new String);
  *held = VarToStr(AValue);
}

void TcxStringValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const {
  SetDataValue(ABuffer, ReadText(AStream, AIsUnicode));
}

void TcxStringValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const {
  const String* held = Held<String>(ABuffer);
  WriteText(AStream, held ? *held : String(), AIsUnicode);
}

Integer TcxStringValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return CompareHeld(static_cast<const String*>(P1), static_cast<const String*>(P2),
                     [](const String& a, const String& b) { return CompareStr(a, b); });
}

void TcxWideStringValueType::FreeBuffer(TcxValueBuffer ABuffer) const {
  delete[] Held<Byte>(ABuffer);
  Store<void*>(ABuffer, nullptr);
}

Variant TcxWideStringValueType::GetDataValue(TcxValueBuffer ABuffer) const {
  const Byte* block = Held<Byte>(ABuffer);
  return block ? Variant::FromOleStr(BlockText(block)) : Null();
}

void TcxWideStringValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  FreeBuffer(ABuffer);
  if (!AValue.IsNull()) Store<void*>(ABuffer, NewBlock(VarToStr(AValue)));
}

void TcxWideStringValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const {
  SetDataValue(ABuffer, Variant::FromOleStr(ReadWideStringFunc(AStream)));
}

void TcxWideStringValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const {
  const Byte* block = Held<Byte>(ABuffer);
  WriteWideStringProc(AStream, block ? BlockText(block) : String());
}

Integer TcxWideStringValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  if (!P1 || !P2) return P1 == P2 ? 0 : (P1 ? 1 : -1);
  const String a = BlockText(static_cast<const Byte*>(P1)), b = BlockText(static_cast<const Byte*>(P2));
  return Sign(a.compare(b), 0);
}

void TcxBLOBValueType::FreeBuffer(TcxValueBuffer ABuffer) const {
  delete Held<AnsiString>(ABuffer);
  Store<void*>(ABuffer, nullptr);
}

Variant TcxBLOBValueType::GetDataValue(TcxValueBuffer ABuffer) const {
  const AnsiString* held = Held<AnsiString>(ABuffer);
  return held ? Variant(*held) : Null();
}

void TcxBLOBValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  AnsiString* held = Held<AnsiString>(ABuffer);
  if (!held) Store<void*>(ABuffer, held = new AnsiString);
  *held = AValue.IsNull() ? AnsiString() : AValue.AsAnsiString();
}

void TcxBLOBValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const {
  SetDataValue(ABuffer, Variant(ReadAnsiStringFunc(AStream)));
}

void TcxBLOBValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const {
  const AnsiString* held = Held<AnsiString>(ABuffer);
  WriteAnsiStringProc(AStream, held ? *held : AnsiString());
}

Integer TcxBLOBValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return CompareHeld(static_cast<const AnsiString*>(P1), static_cast<const AnsiString*>(P2),
                     [](const AnsiString& a, const AnsiString& b) { return Sign(a.compare(b), 0); });
}

// --- Fixed-size numbers ------------------------------------------------------

// What a fixed-size kind keeps in its slot (T), and how that converts to and
// from a variant, streams and compares.
struct TSmallintSlot {
  using T = int16_t;
  static constexpr TVarType VarType = varSmallint;
  static Variant ToVariant(T v) { return Variant(v); }
  static T FromVariant(const Variant& v) { return static_cast<T>(VarAsType(v, varSmallint).AsInteger()); }
  static T Read(TStream* s) { return ReadSmallIntFunc(s); }
  static void Write(TStream* s, T v) { WriteSmallIntProc(s, v); }
  static Integer Compare(T a, T b) { return Integer{a} - b; }
};

struct TIntegerSlot {
  using T = int32_t;
  static constexpr TVarType VarType = varInteger;
  static Variant ToVariant(T v) { return Variant(v); }
  static T FromVariant(const Variant& v) { return VarAsType(v, varInteger).AsInteger(); }
  static T Read(TStream* s) { return ReadIntegerFunc(s); }
  static void Write(TStream* s, T v) { WriteIntegerProc(s, v); }
  static Integer Compare(T a, T b) { return Sign(a, b); }
};

struct TWordSlot {
  using T = uint16_t;
  static constexpr TVarType VarType = varWord;
  static Variant ToVariant(T v) { return Variant(v); }
  static T FromVariant(const Variant& v) { return static_cast<T>(VarAsType(v, varWord).AsInteger()); }
  static T Read(TStream* s) { return ReadWordFunc(s); }
  static void Write(TStream* s, T v) { WriteWordProc(s, v); }
  static Integer Compare(T a, T b) { return Integer{a} - b; }
};

struct TBooleanSlot {
  using T = Byte;
  static constexpr TVarType VarType = varBoolean;
  static Variant ToVariant(T v) { return Variant(v != 0); }
  static T FromVariant(const Variant& v) { return VarAsType(v, varBoolean).AsBoolean() ? 1 : 0; }
  static T Read(TStream* s) { return ReadBooleanFunc(s) ? 1 : 0; }
  static void Write(TStream* s, T v) { WriteBooleanProc(s, v != 0); }
  static Integer Compare(T a, T b) { return Integer{a} - b; }
};

struct TSingleSlot {
  using T = float;
  static constexpr TVarType VarType = varSingle;
  static Variant ToVariant(T v) { return Variant(v); }
  static T FromVariant(const Variant& v) { return static_cast<T>(VarAsType(v, varSingle).AsDouble()); }
  static T Read(TStream* s) {
    Single value;
    ReadSingleProc(s, value);
    return value;
  }
  static void Write(TStream* s, T v) { WriteSingleProc(s, v); }
  static Integer Compare(T a, T b) { return CompareFloat(a, b); }
};

struct TFloatSlot {
  using T = double;
  static constexpr TVarType VarType = varDouble;
  static Variant ToVariant(T v) { return Variant(v); }
  static T FromVariant(const Variant& v) { return VarAsType(v, varDouble).AsDouble(); }
  static T Read(TStream* s) {
    Extended value;
    ReadFloatProc(s, value);
    return static_cast<T>(value);
  }
  static void Write(TStream* s, T v) { WriteFloatProc(s, v); }
  static Integer Compare(T a, T b) { return CompareFloat(a, b); }
};

// The scaled 64-bit amount.
struct TCurrencySlot {
  using T = Int64;
  static constexpr TVarType VarType = varCurrency;
  static Variant ToVariant(T v) { return Variant(Currency{v}); }
  static T FromVariant(const Variant& v) { return VarAsType(v, varCurrency).AsCurrency().Scaled; }
  static T Read(TStream* s) { return ReadCurrencyFunc(s).Scaled; }
  static void Write(TStream* s, T v) { WriteCurrencyProc(s, Currency{v}); }
  static Integer Compare(T a, T b) { return Sign(a, b); }
};

struct TDateTimeSlot {
  using T = double;
  static constexpr TVarType VarType = varDate;
  static Variant ToVariant(T v) { return Variant::FromDate(v); }
  static T FromVariant(const Variant& v) { return VarAsType(v, varDate).AsDate(); }
  static T Read(TStream* s) { return ReadDateTimeFunc(s); }
  static void Write(TStream* s, T v) { WriteDateTimeProc(s, v); }
  static Integer Compare(T a, T b) { return CompareFloat(a, b); }
};

struct TLargeIntSlot {
  using T = Int64;
  static constexpr TVarType VarType = varInt64;
  static Variant ToVariant(T v) { return Variant(static_cast<long long>(v)); }
  static T FromVariant(const Variant& v) { return VarAsType(v, varInt64).AsInt64(); }
  static T Read(TStream* s) { return ReadLargeIntFunc(s); }
  static void Write(TStream* s, T v) { WriteLargeIntProc(s, v); }
  static Integer Compare(T a, T b) { return Sign(a, b); }
};

template <class TSlot>
Integer TcxFixedValueType<TSlot>::GetDataSize() const {
  return sizeof(typename TSlot::T);
}
template <class TSlot>
Variant TcxFixedValueType<TSlot>::GetDataValue(TcxValueBuffer ABuffer) const {
  return TSlot::ToVariant(Load<typename TSlot::T>(ABuffer));
}
template <class TSlot>
void TcxFixedValueType<TSlot>::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, TSlot::FromVariant(AValue));
}
template <class TSlot>
void TcxFixedValueType<TSlot>::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Store(ABuffer, TSlot::Read(AStream));
}
template <class TSlot>
void TcxFixedValueType<TSlot>::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  TSlot::Write(AStream, Load<typename TSlot::T>(ABuffer));
}
template <class TSlot>
Integer TcxFixedValueType<TSlot>::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return TSlot::Compare(Load<typename TSlot::T>(P1), Load<typename TSlot::T>(P2));
}
template <class TSlot>
TVarType TcxFixedValueType<TSlot>::GetVarType() const {
  return TSlot::VarType;
}

template class TcxFixedValueType<TSmallintSlot>;
template class TcxFixedValueType<TIntegerSlot>;
template class TcxFixedValueType<TWordSlot>;
template class TcxFixedValueType<TBooleanSlot>;
template class TcxFixedValueType<TSingleSlot>;
template class TcxFixedValueType<TFloatSlot>;
template class TcxFixedValueType<TCurrencySlot>;
template class TcxFixedValueType<TDateTimeSlot>;
template class TcxFixedValueType<TLargeIntSlot>;

String TcxBooleanValueType::GetDefaultDisplayText(TcxValueBuffer ABuffer) const {
  return Load<Byte>(ABuffer) ? u"True" : u"False";
}

String TcxDateTimeValueType::GetDefaultDisplayText(TcxValueBuffer ABuffer) const {
  try {
    return VarToStr(GetDataValue(ABuffer));
  } catch (const EVariantTypeCastError&) {
    return DateTimeToStr(Load<double>(ABuffer), FormatSettings);
  }
}

// --- Records -----------------------------------------------------------------

static_assert(sizeof(TBcd) == 34 && sizeof(TSQLTimeStamp) == 16, "slot sizes are part of the record layout");

Variant TcxFMTBcdValueType::GetDataValue(TcxValueBuffer ABuffer) const { return VarFMTBcdCreate(Load<TBcd>(ABuffer)); }
String TcxFMTBcdValueType::GetDefaultDisplayText(TcxValueBuffer ABuffer) const {
  const TBcd value = Load<TBcd>(ABuffer);
  return BcdToStrF(value, ffGeneral, value.Precision, value.SignSpecialPlaces & 0x3F);
}
void TcxFMTBcdValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, AValue.AsBcd());
}
Integer TcxFMTBcdValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return BcdCompare(Load<TBcd>(P1), Load<TBcd>(P2));
}

Variant TcxSQLTimeStampValueType::GetDataValue(TcxValueBuffer ABuffer) const {
  return VarAsType(VarSQLTimeStampCreate(Load<TSQLTimeStamp>(ABuffer)), varDate);
}
void TcxSQLTimeStampValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, AValue.AsSQLTimeStamp());
}
Integer TcxSQLTimeStampValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  const TSQLTimeStamp a = Load<TSQLTimeStamp>(P1), b = Load<TSQLTimeStamp>(P2);
  if (a.Year != b.Year) return Sign(a.Year, b.Year);
  if (a.Month != b.Month) return Sign(a.Month, b.Month);
  if (a.Day != b.Day) return Sign(a.Day, b.Day);
  if (a.Hour != b.Hour) return Sign(a.Hour, b.Hour);
  if (a.Minute != b.Minute) return Sign(a.Minute, b.Minute);
  if (a.Second != b.Second) return Sign(a.Second, b.Second);
  return Sign(a.Fractions, b.Fractions);
}

// --- Any value and objects ---------------------------------------------------

void TcxVariantValueType::FreeBuffer(TcxValueBuffer ABuffer) const {
  delete Held<Variant>(ABuffer);
  Store<void*>(ABuffer, nullptr);
}

Variant TcxVariantValueType::GetDataValue(TcxValueBuffer ABuffer) const {
  const Variant* held = Held<Variant>(ABuffer);
  return held ? *held : Null();
}

void TcxVariantValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Variant* held = Held<Variant>(ABuffer);
  if (!held) Store<void*>(ABuffer, held = new Variant);
  *held = AValue;
}

Integer TcxVariantValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return CompareHeld(static_cast<const Variant*>(P1), static_cast<const Variant*>(P2),
                     [](const Variant& a, const Variant& b) { return VarCompare(a, b); });
}

void TcxObjectValueType::FreeBuffer(TcxValueBuffer ABuffer) const {
  TObject::Free(reinterpret_cast<TObject*>(Load<intptr_t>(ABuffer)));
  Store<intptr_t>(ABuffer, 0);
}

Variant TcxObjectValueType::GetDataValue(TcxValueBuffer ABuffer) const {
  return Variant(static_cast<long long>(Load<intptr_t>(ABuffer)));
}

void TcxObjectValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, static_cast<intptr_t>(AValue.AsInt64()));
}

Integer TcxObjectValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return Sign(Load<intptr_t>(P1), Load<intptr_t>(P2));
}

// --- The registry --------------------------------------------------------------

TcxValueTypeClass TcxValueTypeClassList::GetItem(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError(SListIndexError, {Index});
  return FItems[static_cast<size_t>(Index)];
}

void TcxValueTypeClassList::RegisterItem(TcxValueTypeClass AClass) {
  if (std::find(FItems.begin(), FItems.end(), AClass) == FItems.end()) FItems.push_back(AClass);
}

void TcxValueTypeClassList::UnregisterItem(TcxValueTypeClass AClass) {
  auto it = std::find(FItems.begin(), FItems.end(), AClass);
  if (it != FItems.end()) FItems.erase(it);
}

TcxValueTypeClass TcxValueTypeClassList::ItemByCaption(const String& ACaption) const {
  for (TcxValueTypeClass item : FItems)
    if (item->Caption() == ACaption) return item;
  return nullptr;
}

namespace {

std::unique_ptr<TcxValueTypeClassList>& Registry() {
  static std::unique_ptr<TcxValueTypeClassList> registry;
  return registry;
}

// In the order the unit registers them.
const TcxValueTypeClass* StartClasses(size_t& count) {
  static const TcxValueTypeClass classes[] = {
      TcxStringValueType::ClassRef(),   TcxWideStringValueType::ClassRef(),   TcxSmallintValueType::ClassRef(),
      TcxIntegerValueType::ClassRef(),  TcxWordValueType::ClassRef(),         TcxBooleanValueType::ClassRef(),
      TcxSingleValueType::ClassRef(),   TcxFloatValueType::ClassRef(),        TcxCurrencyValueType::ClassRef(),
      TcxDateTimeValueType::ClassRef(), TcxLargeIntValueType::ClassRef(),     TcxFMTBcdValueType::ClassRef(),
      TcxSQLTimeStampValueType::ClassRef(), TcxVariantValueType::ClassRef(), TcxObjectValueType::ClassRef(),
      TcxBLOBValueType::ClassRef()};
  count = std::size(classes);
  return classes;
}

void RegisterStartClasses() {
  size_t count = 0;
  const TcxValueTypeClass* classes = StartClasses(count);
  for (size_t i = 0; i < count; ++i) cxValueTypeClassList()->RegisterItem(classes[i]);
}

void UnregisterStartClasses() {
  size_t count = 0;
  const TcxValueTypeClass* classes = StartClasses(count);
  for (size_t i = count; i-- > 0;) cxValueTypeClassList()->UnregisterItem(classes[i]);
  Registry().reset();
}

}  // namespace

TcxValueTypeClassList* cxValueTypeClassList() {
  auto& registry = Registry();
  if (!registry) registry = std::make_unique<TcxValueTypeClassList>();
  return registry.get();
}

void RegisterDataStorageUnit() {
  RegisterSuiteUnit<&RegisterStartClasses, &UnregisterStartClasses>("cxDataStorage", {"SysUtils"});
}

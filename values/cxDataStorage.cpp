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

Variant TcxSmallintValueType::GetDataValue(TcxValueBuffer ABuffer) const { return Variant(Load<int16_t>(ABuffer)); }
void TcxSmallintValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, static_cast<int16_t>(VarAsType(AValue, varSmallint).AsInteger()));
}
void TcxSmallintValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Store(ABuffer, ReadSmallIntFunc(AStream));
}
void TcxSmallintValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  WriteSmallIntProc(AStream, Load<int16_t>(ABuffer));
}
Integer TcxSmallintValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return Integer{Load<int16_t>(P1)} - Load<int16_t>(P2);
}

Variant TcxIntegerValueType::GetDataValue(TcxValueBuffer ABuffer) const { return Variant(Load<int32_t>(ABuffer)); }
void TcxIntegerValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, VarAsType(AValue, varInteger).AsInteger());
}
void TcxIntegerValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Store(ABuffer, ReadIntegerFunc(AStream));
}
void TcxIntegerValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  WriteIntegerProc(AStream, Load<int32_t>(ABuffer));
}
Integer TcxIntegerValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return Sign(Load<int32_t>(P1), Load<int32_t>(P2));
}

Variant TcxWordValueType::GetDataValue(TcxValueBuffer ABuffer) const { return Variant(Load<uint16_t>(ABuffer)); }
void TcxWordValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, static_cast<uint16_t>(VarAsType(AValue, varWord).AsInteger()));
}
void TcxWordValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Store(ABuffer, ReadWordFunc(AStream));
}
void TcxWordValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  WriteWordProc(AStream, Load<uint16_t>(ABuffer));
}
Integer TcxWordValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return Integer{Load<uint16_t>(P1)} - Load<uint16_t>(P2);
}

Variant TcxBooleanValueType::GetDataValue(TcxValueBuffer ABuffer) const { return Variant(Load<Byte>(ABuffer) != 0); }
String TcxBooleanValueType::GetDefaultDisplayText(TcxValueBuffer ABuffer) const {
  return Load<Byte>(ABuffer) ? u"True" : u"False";
}
void TcxBooleanValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store<Byte>(ABuffer, VarAsType(AValue, varBoolean).AsBoolean() ? 1 : 0);
}
void TcxBooleanValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Store<Byte>(ABuffer, ReadBooleanFunc(AStream) ? 1 : 0);
}
void TcxBooleanValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  WriteBooleanProc(AStream, Load<Byte>(ABuffer) != 0);
}
Integer TcxBooleanValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return Integer{Load<Byte>(P1)} - Load<Byte>(P2);
}

Variant TcxSingleValueType::GetDataValue(TcxValueBuffer ABuffer) const { return Variant(Load<float>(ABuffer)); }
void TcxSingleValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, static_cast<float>(VarAsType(AValue, varSingle).AsDouble()));
}
void TcxSingleValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Single value;
  ReadSingleProc(AStream, value);
  Store(ABuffer, value);
}
void TcxSingleValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  WriteSingleProc(AStream, Load<float>(ABuffer));
}
Integer TcxSingleValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return CompareFloat(Load<float>(P1), Load<float>(P2));
}

Variant TcxFloatValueType::GetDataValue(TcxValueBuffer ABuffer) const { return Variant(Load<double>(ABuffer)); }
void TcxFloatValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, VarAsType(AValue, varDouble).AsDouble());
}
void TcxFloatValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Extended value;
  ReadFloatProc(AStream, value);
  Store(ABuffer, static_cast<double>(value));
}
void TcxFloatValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  WriteFloatProc(AStream, Load<double>(ABuffer));
}
Integer TcxFloatValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return CompareFloat(Load<double>(P1), Load<double>(P2));
}

Variant TcxCurrencyValueType::GetDataValue(TcxValueBuffer ABuffer) const {
  return Variant(Currency{Load<Int64>(ABuffer)});
}
void TcxCurrencyValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, VarAsType(AValue, varCurrency).AsCurrency().Scaled);
}
void TcxCurrencyValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Store(ABuffer, ReadCurrencyFunc(AStream).Scaled);
}
void TcxCurrencyValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  WriteCurrencyProc(AStream, Currency{Load<Int64>(ABuffer)});
}
Integer TcxCurrencyValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return Sign(Load<Int64>(P1), Load<Int64>(P2));
}

Variant TcxDateTimeValueType::GetDataValue(TcxValueBuffer ABuffer) const {
  return Variant::FromDate(Load<double>(ABuffer));
}
String TcxDateTimeValueType::GetDefaultDisplayText(TcxValueBuffer ABuffer) const {
  try {
    return VarToStr(GetDataValue(ABuffer));
  } catch (const EVariantTypeCastError&) {
    return DateTimeToStr(Load<double>(ABuffer), FormatSettings);
  }
}
void TcxDateTimeValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, VarAsType(AValue, varDate).AsDate());
}
void TcxDateTimeValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Store(ABuffer, ReadDateTimeFunc(AStream));
}
void TcxDateTimeValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  WriteDateTimeProc(AStream, Load<double>(ABuffer));
}
Integer TcxDateTimeValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return CompareFloat(Load<double>(P1), Load<double>(P2));
}

Variant TcxLargeIntValueType::GetDataValue(TcxValueBuffer ABuffer) const {
  return Variant(static_cast<long long>(Load<Int64>(ABuffer)));
}
void TcxLargeIntValueType::SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {
  Store(ABuffer, VarAsType(AValue, varInt64).AsInt64());
}
void TcxLargeIntValueType::ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  Store(ABuffer, ReadLargeIntFunc(AStream));
}
void TcxLargeIntValueType::WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool) const {
  WriteLargeIntProc(AStream, Load<Int64>(ABuffer));
}
Integer TcxLargeIntValueType::CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const {
  return Sign(Load<Int64>(P1), Load<Int64>(P2));
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

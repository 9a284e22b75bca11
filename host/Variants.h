#pragma once
// The run-time's tagged value: a 16-bit kind code and a payload, copied by
// value (arrays too, shared until one copy is changed).

#include <initializer_list>
#include <memory>
#include <span>
#include <variant>
#include <vector>

#include "host/DateUtils.h"
#include "host/FMTBcd.h"
#include "host/SQLTimeStamp.h"

using TVarType = Word;

inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varSmallint = 0x0002;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varSingle = 0x0004;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varCurrency = 0x0006;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008;
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varVariant = 0x000C;
inline constexpr TVarType varShortInt = 0x0010;
inline constexpr TVarType varByte = 0x0011;
inline constexpr TVarType varWord = 0x0012;
inline constexpr TVarType varLongWord = 0x0013;
inline constexpr TVarType varInt64 = 0x0014;
inline constexpr TVarType varUInt64 = 0x0015;
inline constexpr TVarType varString = 0x0100;  // AnsiString
inline constexpr TVarType varUString = 0x0102;
inline constexpr TVarType varTypeMask = 0x0FFF;
inline constexpr TVarType varArray = 0x2000;
inline constexpr TVarType varByRef = 0x4000;

// The extension kinds get their codes when first asked for.
TVarType VarFMTBcd();
TVarType VarSQLTimeStamp();

class Variant;

struct TVarArrayBound {
  Integer LowBound = 0;
  Integer ElementCount = 0;
};

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(bool v) : FType(varBoolean), FValue(Int64{v}) {}
  Variant(int8_t v) : FType(varShortInt), FValue(Int64{v}) {}
  Variant(int16_t v) : FType(varSmallint), FValue(Int64{v}) {}
  Variant(int32_t v) : FType(varInteger), FValue(Int64{v}) {}
  Variant(long v) : FType(varInt64), FValue(Int64{v}) {}
  Variant(long long v) : FType(varInt64), FValue(Int64{v}) {}
  Variant(uint8_t v) : FType(varByte), FValue(UInt64{v}) {}
  Variant(uint16_t v) : FType(varWord), FValue(UInt64{v}) {}
  Variant(uint32_t v) : FType(varLongWord), FValue(UInt64{v}) {}
  Variant(unsigned long v) : FType(varUInt64), FValue(UInt64{v}) {}
  Variant(unsigned long long v) : FType(varUInt64), FValue(UInt64{v}) {}
  Variant(float v) : FType(varSingle), FValue(Double{v}) {}
  Variant(double v) : FType(varDouble), FValue(v) {}
  Variant(Currency v) : FType(varCurrency), FValue(v.Scaled) {}
  Variant(const char16_t* v) : FType(varUString), FValue(String(v)) {}
  Variant(String v) : FType(varUString), FValue(std::move(v)) {}
  Variant(std::u16string_view v) : FType(varUString), FValue(String(v)) {}
  // Byte strings in the system code page.
  Variant(const char* v) : FType(varString), FValue(AnsiString(v)) {}
  Variant(AnsiString v) : FType(varString), FValue(std::move(v)) {}

  static Variant Null();
  static Variant FromDate(TDateTime Value);
  static Variant FromOleStr(String Value);
  static Variant FromBcd(const TBcd& Value);
  static Variant FromSQLTimeStamp(const TSQLTimeStamp& Value);

  TVarType VarType() const { return FType; }
  bool IsEmpty() const { return FType == varEmpty; }
  bool IsNull() const { return FType == varNull; }
  bool IsArray() const { return (FType & varArray) != 0; }

  // Conversions with the run-time's rules; a value that does not convert
  // raises EVariantTypeCastError, one out of the target's range
  // EVariantOverflowError. Empty reads as 0, False or ''; Null raises.
  Integer AsInteger() const;  // halves to even
  Int64 AsInt64() const;      // halves to even
  Double AsDouble() const;
  Currency AsCurrency() const;
  TDateTime AsDate() const;
  bool AsBoolean() const;
  String AsString() const;  // with the process format settings
  AnsiString AsAnsiString() const;
  TBcd AsBcd() const;
  TSQLTimeStamp AsSQLTimeStamp() const;

  // Array access; indices are checked against the bounds (EVariantBadIndexError),
  // and a value that is no array raises EVariantInvalidArgError.
  const Variant& operator[](Integer Index) const;
  const Variant& GetElement(std::initializer_list<Integer> Indices) const {
    return GetElement(std::span(Indices.begin(), Indices.size()));
  }
  // One index a dimension, however many dimensions there are.
  const Variant& GetElement(std::span<const Integer> Indices) const;
  void SetElement(std::initializer_list<Integer> Indices, Variant Value);
  void SetElement(Integer Index, Variant Value) { SetElement({Index}, std::move(Value)); }

 private:
  struct TArrayData {
    TVarType ElementType;
    std::vector<TVarArrayBound> Bounds;
    std::vector<Variant> Items;
  };
  using TPayload = std::variant<std::monostate, Int64, UInt64, Double, String, AnsiString, TBcd, TSQLTimeStamp,
                                std::shared_ptr<TArrayData>>;

  Variant(TVarType type, TPayload value) : FType(type), FValue(std::move(value)) {}
  size_t ElementOffset(std::span<const Integer> Indices) const;
  const TArrayData& Array() const;

  friend Variant VarArrayCreate(std::initializer_list<Integer> Bounds, TVarType VarType);
  friend Integer VarArrayDimCount(const Variant& V);
  friend Integer VarArrayLowBound(const Variant& V, Integer Dim);
  friend Integer VarArrayHighBound(const Variant& V, Integer Dim);
  friend class TVariantAccess;

  TVarType FType = varEmpty;
  TPayload FValue;
};

inline Variant Null() { return Variant::Null(); }
inline Variant Unassigned() { return Variant(); }

TVarType VarType(const Variant& V);
bool VarIsNull(const Variant& V);
bool VarIsEmpty(const Variant& V);
bool VarIsArray(const Variant& V);
// Ordinal kinds, Boolean among them.
bool VarIsOrdinal(const Variant& V);
// Single, Double and Currency.
bool VarIsFloat(const Variant& V);
bool VarIsNumeric(const Variant& V);
bool VarIsStr(const Variant& V);
// The kind, with the by-reference flag masked off, is AVarType.
bool VarIsType(const Variant& V, TVarType AVarType);
Variant VarAsType(const Variant& V, TVarType AVarType);
// Null gives the empty string.
String VarToStr(const Variant& V);
String VarToStrDef(const Variant& V, const String& ADefault);
// "Integer", "Int64", "UnicodeString", ...
String VarTypeAsText(TVarType AVarType);

// Bounds are low and high pairs, one pair a dimension. The elements start
// as Empty for varVariant arrays and as the element kind's zero otherwise.
Variant VarArrayCreate(std::initializer_list<Integer> Bounds, TVarType VarType);
// A one-dimensional array of variants indexed from 0.
Variant VarArrayOf(std::initializer_list<Variant> Values);
Integer VarArrayDimCount(const Variant& V);  // 0 for a value that is no array
Integer VarArrayLowBound(const Variant& V, Integer Dim);
Integer VarArrayHighBound(const Variant& V, Integer Dim);

Variant VarFMTBcdCreate(const TBcd& Value);
Variant VarSQLTimeStampCreate(const TSQLTimeStamp& Value);

// The run-time's equality and ordering: Null equals only Null and is unequal
// to anything else without raising; strings and numbers meet as numbers;
// arrays and pairs that cannot meet raise EVariantTypeCastError.
enum TVariantRelationship : uint8_t { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
TVariantRelationship VarCompareValue(const Variant& A, const Variant& B);
bool operator==(const Variant& A, const Variant& B);
bool operator<(const Variant& A, const Variant& B);
bool operator>(const Variant& A, const Variant& B);

// Integer kinds add as integers (Int64 when either is one or the sum leaves
// 32 bits, EVariantOverflowError beyond 64 bits), Currency stays Currency, a
// Date stays a Date, any other float makes a Double; a string operand reads as
// a number; Null makes Null, Empty counts as 0.
Variant operator+(const Variant& A, const Variant& B);
Variant operator-(const Variant& A, const Variant& B);

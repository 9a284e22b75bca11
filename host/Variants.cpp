#include "host/Variants.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "host/Exceptions.h"
#include "host/FloatText.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"

namespace {

struct TExtensionKinds {
  TVarType FMTBcd;
  TVarType SQLTimeStamp;
};

const TExtensionKinds& ExtensionKinds() {
  // Assigned together on first use, after the last built-in kind.
  static const TExtensionKinds kinds{0x010F, 0x0110};
  return kinds;
}

// Larger arrays are refused rather than allocated.
constexpr size_t MaxArrayElements = size_t{1} << 26;

bool IsSignedKind(TVarType t) {
  return t == varSmallint || t == varInteger || t == varShortInt || t == varInt64 || t == varBoolean;
}
bool IsUnsignedKind(TVarType t) { return t == varByte || t == varWord || t == varLongWord || t == varUInt64; }
bool IsStringKind(TVarType t) { return t == varOleStr || t == varUString || t == varString; }

}  // namespace

TVarType VarFMTBcd() { return ExtensionKinds().FMTBcd; }
TVarType VarSQLTimeStamp() { return ExtensionKinds().SQLTimeStamp; }

// ---------------------------------------------------------------------------
// Reading the payload

class TVariantAccess {
 public:
  static Int64 Signed(const Variant& v) { return std::get<Int64>(v.FValue); }
  static UInt64 Unsigned(const Variant& v) { return std::get<UInt64>(v.FValue); }
  static Double Float(const Variant& v) { return std::get<Double>(v.FValue); }
  static const String& Text(const Variant& v) { return std::get<String>(v.FValue); }
  static const AnsiString& Ansi(const Variant& v) { return std::get<AnsiString>(v.FValue); }
  static const TBcd& Bcd(const Variant& v) { return std::get<TBcd>(v.FValue); }
  static const TSQLTimeStamp& Stamp(const Variant& v) { return std::get<TSQLTimeStamp>(v.FValue); }
  static Variant Make(TVarType type, Variant::TPayload payload) { return Variant(type, std::move(payload)); }
};

namespace {

using A = TVariantAccess;

[[noreturn]] void RaiseCast(TVarType from, TVarType to) {
  throw EVariantTypeCastError(SVarTypeCouldNotConvert, {VarTypeAsText(from), VarTypeAsText(to)});
}

[[noreturn]] void RaiseOverflow(TVarType from, TVarType to) {
  throw EVariantOverflowError(SVarTypeCouldNotConvert, {VarTypeAsText(from), VarTypeAsText(to)});
}

// A value read as a number, in the widest form that keeps it exact.
struct TNumber {
  enum TKind { Integer, Unsigned, Float, Money, Decimal } Kind = Integer;
  Int64 I = 0;
  UInt64 U = 0;
  Double F = 0;
  TFloatRec Dec;   // for Decimal
  bool IsDate = false;
};

bool TextToNumber(const String& text, TNumber& n) {
  Int64 i;
  if (TryStrToInt64(text, i)) {
    n.Kind = TNumber::Integer;
    n.I = i;
    return true;
  }
  Double d;
  if (TryStrToFloat(text, d)) {
    n.Kind = TNumber::Float;
    n.F = d;
    return true;
  }
  return false;
}

// Reads v as a number for a conversion to `target` (named in errors).
TNumber ToNumber(const Variant& v, TVarType target) {
  TNumber n;
  const TVarType t = v.VarType();
  if (t == varEmpty) return n;
  if (IsSignedKind(t)) {
    n.I = t == varBoolean ? (A::Signed(v) ? -1 : 0) : A::Signed(v);
  } else if (IsUnsignedKind(t)) {
    n.Kind = TNumber::Unsigned;
    n.U = A::Unsigned(v);
  } else if (t == varSingle || t == varDouble || t == varDate) {
    n.Kind = TNumber::Float;
    n.F = A::Float(v);
    n.IsDate = t == varDate;
  } else if (t == varCurrency) {
    n.Kind = TNumber::Money;
    n.I = A::Signed(v);
  } else if (IsStringKind(t)) {
    if (!TextToNumber(t == varString ? AnsiToString(A::Ansi(v)) : A::Text(v), n)) RaiseCast(t, target);
  } else if (t == VarFMTBcd()) {
    n.Kind = TNumber::Decimal;
    n.Dec = BcdToDecimal(A::Bcd(v));
  } else if (t == VarSQLTimeStamp()) {
    n.Kind = TNumber::Float;
    n.F = SQLTimeStampToDateTime(A::Stamp(v));
    n.IsDate = true;
  } else {
    RaiseCast(t, target);
  }
  return n;
}

TFloatRec WholeToDecimal(bool negative, UInt64 magnitude) {
  TFloatRec rec;
  if (magnitude == 0) return rec;
  rec.Negative = negative;
  rec.Digits = UTF8Encode(UIntToDigits(magnitude, 10, 0));
  rec.Exponent = static_cast<Integer>(rec.Digits.size());
  while (rec.Digits.back() == '0') rec.Digits.pop_back();
  return rec;
}

TFloatRec ToDecimal(const TNumber& n) {
  switch (n.Kind) {
    case TNumber::Integer: return WholeToDecimal(n.I < 0, n.I < 0 ? 0 - static_cast<UInt64>(n.I) : static_cast<UInt64>(n.I));
    case TNumber::Unsigned: return WholeToDecimal(false, n.U);
    case TNumber::Float: return FloatToDecimal(n.F);
    case TNumber::Money: return CurrToDecimal(Currency{n.I});
    case TNumber::Decimal: return n.Dec;
  }
  return {};
}

Double ToDouble(const TNumber& n) {
  switch (n.Kind) {
    case TNumber::Integer: return static_cast<Double>(n.I);
    case TNumber::Unsigned: return static_cast<Double>(n.U);
    case TNumber::Float: return n.F;
    case TNumber::Money: return static_cast<Double>(n.I) / Currency::Scale;
    case TNumber::Decimal: {
      TBcd bcd;
      return TryDecimalToBcd(n.Dec, bcd) ? BcdToDouble(bcd) : 0;
    }
  }
  return 0;
}

// Whole value in [lo, hi] rounded half to even, or an overflow.
Int64 ToWhole(const TNumber& n, Int64 lo, Int64 hi, TVarType from, TVarType to) {
  switch (n.Kind) {
    case TNumber::Integer:
      if (n.I < lo || n.I > hi) RaiseOverflow(from, to);
      return n.I;
    case TNumber::Unsigned:
      if (n.U > static_cast<UInt64>(hi)) RaiseOverflow(from, to);
      return static_cast<Int64>(n.U);
    case TNumber::Money: {
      // Four decimals, halves to even, in integers.
      Int64 q = n.I / Currency::Scale, r = n.I % Currency::Scale;
      if (r > 5000 || (r == 5000 && (q & 1))) ++q;
      if (r < -5000 || (r == -5000 && (q & 1))) --q;
      if (q < lo || q > hi) RaiseOverflow(from, to);
      return q;
    }
    case TNumber::Float:
    case TNumber::Decimal: {
      const Double d = ToDouble(n);
      if (std::isnan(d) || !(d > static_cast<Double>(lo) - 1.0 && d < static_cast<Double>(hi) + 1.0) ||
          std::fabs(d) >= 9223372036854775808.0)
        RaiseOverflow(from, to);
      const Int64 r = Round(d);
      if (r < lo || r > hi) RaiseOverflow(from, to);
      return r;
    }
  }
  return 0;
}

void CheckConvertible(const Variant& v, TVarType target) {
  if (v.IsNull() || v.IsArray()) RaiseCast(v.VarType(), target);
}

// The shortest text of a single, which the double it widens to would not give.
String SingleToStr(Double value) {
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value), std::chars_format::scientific);
  Double shortest = 0;
  std::from_chars(buffer, r.ptr, shortest);
  return FloatToStr(shortest);
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction and conversion

Variant Variant::Null() { return Variant(varNull, std::monostate{}); }
Variant Variant::FromDate(TDateTime Value) { return Variant(varDate, Value); }
Variant Variant::FromOleStr(String Value) { return Variant(varOleStr, std::move(Value)); }
Variant Variant::FromBcd(const TBcd& Value) { return Variant(VarFMTBcd(), Value); }
Variant Variant::FromSQLTimeStamp(const TSQLTimeStamp& Value) { return Variant(VarSQLTimeStamp(), Value); }

Integer Variant::AsInteger() const {
  CheckConvertible(*this, varInteger);
  return static_cast<Integer>(ToWhole(ToNumber(*this, varInteger), INT32_MIN, INT32_MAX, FType, varInteger));
}

Int64 Variant::AsInt64() const {
  CheckConvertible(*this, varInt64);
  return ToWhole(ToNumber(*this, varInt64), INT64_MIN, INT64_MAX, FType, varInt64);
}

Double Variant::AsDouble() const {
  CheckConvertible(*this, varDouble);
  return ToDouble(ToNumber(*this, varDouble));
}

Currency Variant::AsCurrency() const {
  CheckConvertible(*this, varCurrency);
  const TNumber n = ToNumber(*this, varCurrency);
  if (n.Kind == TNumber::Money) return Currency{n.I};
  if (!(std::fabs(ToDouble(n)) < 922337203685477.0)) RaiseOverflow(FType, varCurrency);
  // Through the decimal digits, so 0.1 becomes exactly 0.1000.
  TFormatSettings plain;
  const String text = FloatRecToText(ToDecimal(n), ffFixed, 18, 4, plain);
  Int64 scaled = 0;
  bool negative = false;
  for (Char c : text) {
    if (c == u'-') negative = true;
    else if (c >= u'0' && c <= u'9') scaled = scaled * 10 + (c - u'0');
  }
  return Currency{negative ? -scaled : scaled};
}

TDateTime Variant::AsDate() const {
  CheckConvertible(*this, varDate);
  if (IsStringKind(FType)) {
    const String text = AsString();
    TDateTime date;
    if (TryStrToDate(text, date)) return date;
  }
  return ToDouble(ToNumber(*this, varDate));
}

bool Variant::AsBoolean() const {
  CheckConvertible(*this, varBoolean);
  if (IsStringKind(FType)) {
    const String text = AsString();
    if (SameText(text, u"True")) return true;
    if (SameText(text, u"False")) return false;
  }
  const TNumber n = ToNumber(*this, varBoolean);
  return !ToDecimal(n).Digits.empty();
}

String Variant::AsString() const {
  if (FType == varEmpty) return {};
  CheckConvertible(*this, varUString);
  if (FType == varBoolean) return A::Signed(*this) ? u"True" : u"False";
  if (IsSignedKind(FType) || FType == varCurrency) {
    return FType == varCurrency ? CurrToStr(Currency{A::Signed(*this)}) : IntToStr(A::Signed(*this));
  }
  if (IsUnsignedKind(FType)) return UIntToStr(A::Unsigned(*this));
  if (FType == varSingle) return SingleToStr(A::Float(*this));
  if (FType == varDouble) return FloatToStr(A::Float(*this));
  if (FType == varDate) return DateTimeToStr(A::Float(*this));
  if (FType == varOleStr || FType == varUString) return A::Text(*this);
  if (FType == varString) return AnsiToString(A::Ansi(*this));
  if (FType == VarFMTBcd()) return BcdToStr(A::Bcd(*this));
  if (FType == VarSQLTimeStamp()) return DateTimeToStr(SQLTimeStampToDateTime(A::Stamp(*this)));
  RaiseCast(FType, varUString);
}

AnsiString Variant::AsAnsiString() const {
  return FType == varString ? A::Ansi(*this) : StringToAnsi(AsString());
}

TBcd Variant::AsBcd() const {
  CheckConvertible(*this, VarFMTBcd());
  if (FType == VarFMTBcd()) return A::Bcd(*this);
  TBcd bcd;
  if (IsStringKind(FType) && TryStrToBcd(AsString(), bcd)) return bcd;
  if (!TryDecimalToBcd(ToDecimal(ToNumber(*this, VarFMTBcd())), bcd)) RaiseOverflow(FType, VarFMTBcd());
  return bcd;
}

TSQLTimeStamp Variant::AsSQLTimeStamp() const {
  if (FType == VarSQLTimeStamp()) return A::Stamp(*this);
  return DateTimeToSQLTimeStamp(AsDate());
}

// ---------------------------------------------------------------------------
// Arrays

const Variant::TArrayData& Variant::Array() const {
  if (!IsArray()) throw EVariantInvalidArgError(SVarInvalidArg);
  return *std::get<std::shared_ptr<TArrayData>>(FValue);
}

size_t Variant::ElementOffset(std::span<const Integer> Indices) const {
  const TArrayData& data = Array();
  if (Indices.size() != data.Bounds.size()) throw EVariantBadIndexError(SVarBadIndex);
  size_t offset = 0;
  size_t i = 0;
  for (Integer index : Indices) {
    const TVarArrayBound& b = data.Bounds[i++];
    const Int64 k = static_cast<Int64>(index) - b.LowBound;
    if (k < 0 || k >= b.ElementCount) throw EVariantBadIndexError(SVarBadIndex);
    offset = offset * static_cast<size_t>(b.ElementCount) + static_cast<size_t>(k);
  }
  return offset;
}

const Variant& Variant::operator[](Integer Index) const { return GetElement({Index}); }

const Variant& Variant::GetElement(std::span<const Integer> Indices) const {
  return Array().Items[ElementOffset(Indices)];
}

void Variant::SetElement(std::initializer_list<Integer> Indices, Variant Value) {
  const size_t offset = ElementOffset(std::span(Indices.begin(), Indices.size()));
  auto& data = std::get<std::shared_ptr<TArrayData>>(FValue);
  if (data.use_count() > 1) data = std::make_shared<TArrayData>(*data);  // copies share until one changes
  if (data->ElementType != varVariant) Value = VarAsType(Value, data->ElementType);
  data->Items[offset] = std::move(Value);
}

Variant VarArrayCreate(std::initializer_list<Integer> Bounds, TVarType VarType) {
  if (Bounds.size() == 0 || Bounds.size() % 2 != 0 || (VarType & ~varTypeMask) != 0)
    throw EVariantInvalidArgError(SVarInvalidArg);
  auto data = std::make_shared<Variant::TArrayData>();
  data->ElementType = VarType;
  size_t total = 1;
  for (auto it = Bounds.begin(); it != Bounds.end(); it += 2) {
    const Int64 count = static_cast<Int64>(it[1]) - it[0] + 1;
    if (count < 0 || static_cast<UInt64>(count) > MaxArrayElements) throw EVariantInvalidArgError(SVarInvalidArg);
    data->Bounds.push_back({it[0], static_cast<Integer>(count)});
    total *= static_cast<size_t>(count);
    if (total > MaxArrayElements) throw EVariantInvalidArgError(SVarInvalidArg);
  }
  const Variant zero = VarType == varVariant ? Variant() : VarAsType(Variant(0), VarType);
  data->Items.assign(total, zero);
  return Variant(static_cast<TVarType>(varArray | VarType), std::move(data));
}

Variant VarArrayOf(std::initializer_list<Variant> Values) {
  Variant result = VarArrayCreate({0, static_cast<Integer>(Values.size()) - 1}, varVariant);
  Integer i = 0;
  for (const Variant& v : Values) result.SetElement(i++, v);
  return result;
}

Integer VarArrayDimCount(const Variant& V) {
  return V.IsArray() ? static_cast<Integer>(V.Array().Bounds.size()) : 0;
}

Integer VarArrayLowBound(const Variant& V, Integer Dim) {
  const auto& bounds = V.Array().Bounds;
  if (Dim < 1 || static_cast<size_t>(Dim) > bounds.size()) throw EVariantBadIndexError(SVarBadIndex);
  return bounds[Dim - 1].LowBound;
}

Integer VarArrayHighBound(const Variant& V, Integer Dim) {
  const auto& bounds = V.Array().Bounds;
  if (Dim < 1 || static_cast<size_t>(Dim) > bounds.size()) throw EVariantBadIndexError(SVarBadIndex);
  return static_cast<Integer>(static_cast<Int64>(bounds[Dim - 1].LowBound) + bounds[Dim - 1].ElementCount - 1);
}

Variant VarFMTBcdCreate(const TBcd& Value) { return Variant::FromBcd(Value); }
Variant VarSQLTimeStampCreate(const TSQLTimeStamp& Value) { return Variant::FromSQLTimeStamp(Value); }

// ---------------------------------------------------------------------------
// Kind tests

TVarType VarType(const Variant& V) { return V.VarType(); }
bool VarIsNull(const Variant& V) { return V.IsNull(); }
bool VarIsEmpty(const Variant& V) { return V.IsEmpty(); }
bool VarIsArray(const Variant& V) { return V.IsArray(); }
bool VarIsOrdinal(const Variant& V) { return IsSignedKind(V.VarType()) || IsUnsignedKind(V.VarType()); }
bool VarIsFloat(const Variant& V) {
  const TVarType t = V.VarType();
  return t == varSingle || t == varDouble || t == varCurrency;
}
bool VarIsNumeric(const Variant& V) { return VarIsOrdinal(V) || VarIsFloat(V); }
bool VarIsStr(const Variant& V) { return IsStringKind(V.VarType()); }
bool VarIsType(const Variant& V, TVarType AVarType) { return (V.VarType() & ~varByRef) == AVarType; }

String VarToStr(const Variant& V) { return V.IsNull() ? String() : V.AsString(); }
String VarToStrDef(const Variant& V, const String& ADefault) { return V.IsNull() ? ADefault : V.AsString(); }

String VarTypeAsText(TVarType AVarType) {
  if (AVarType & varArray) return u"Array " + VarTypeAsText(AVarType & varTypeMask);
  switch (AVarType & varTypeMask) {
    case varEmpty: return u"Empty";
    case varNull: return u"Null";
    case varSmallint: return u"Smallint";
    case varInteger: return u"Integer";
    case varSingle: return u"Single";
    case varDouble: return u"Double";
    case varCurrency: return u"Currency";
    case varDate: return u"Date";
    case varOleStr: return u"OleStr";
    case varBoolean: return u"Boolean";
    case varVariant: return u"Variant";
    case varShortInt: return u"ShortInt";
    case varByte: return u"Byte";
    case varWord: return u"Word";
    case varLongWord: return u"LongWord";
    case varInt64: return u"Int64";
    case varUInt64: return u"UInt64";
    case varString: return u"String";
    case varUString: return u"UnicodeString";
    default: break;
  }
  if (AVarType == VarFMTBcd()) return u"FMTBcd";
  if (AVarType == VarSQLTimeStamp()) return u"SQLTimeStamp";
  return u"$" + IntToHex(static_cast<Integer>(AVarType), 4);
}

Variant VarAsType(const Variant& V, TVarType AVarType) {
  if (AVarType == varVariant || V.VarType() == AVarType) return V;
  if (AVarType == varEmpty) return Variant();
  if (AVarType == varNull) return Variant::Null();
  CheckConvertible(V, AVarType);
  const auto whole = [&](Int64 lo, Int64 hi) {
    return ToWhole(ToNumber(V, AVarType), lo, hi, V.VarType(), AVarType);
  };
  switch (AVarType) {
    case varSmallint: return Variant(static_cast<int16_t>(whole(INT16_MIN, INT16_MAX)));
    case varInteger: return Variant(V.AsInteger());
    case varShortInt: return Variant(static_cast<int8_t>(whole(INT8_MIN, INT8_MAX)));
    case varByte: return Variant(static_cast<uint8_t>(whole(0, UINT8_MAX)));
    case varWord: return Variant(static_cast<uint16_t>(whole(0, UINT16_MAX)));
    case varLongWord: return Variant(static_cast<uint32_t>(whole(0, UINT32_MAX)));
    case varInt64: return Variant(V.AsInt64());
    case varUInt64: {
      const TNumber n = ToNumber(V, varUInt64);
      if (n.Kind == TNumber::Unsigned) return Variant(static_cast<unsigned long long>(n.U));
      return Variant(static_cast<unsigned long long>(ToWhole(n, 0, INT64_MAX, V.VarType(), varUInt64)));
    }
    case varSingle: {
      const Double d = V.AsDouble();
      if (std::fabs(d) > std::numeric_limits<float>::max() && std::isfinite(d)) RaiseOverflow(V.VarType(), varSingle);
      return Variant(static_cast<float>(d));
    }
    case varDouble: return Variant(V.AsDouble());
    case varCurrency: return Variant(V.AsCurrency());
    case varDate: return Variant::FromDate(V.AsDate());
    case varBoolean: return Variant(V.AsBoolean());
    case varOleStr: return Variant::FromOleStr(V.AsString());
    case varUString: return Variant(V.AsString());
    case varString: return Variant(V.AsAnsiString());
    default: break;
  }
  if (AVarType == VarFMTBcd()) return Variant::FromBcd(V.AsBcd());
  if (AVarType == VarSQLTimeStamp()) return Variant::FromSQLTimeStamp(V.AsSQLTimeStamp());
  RaiseCast(V.VarType(), AVarType);
}

// ---------------------------------------------------------------------------
// Comparison and arithmetic

namespace {

TVariantRelationship FromOrder(int c) { return c < 0 ? vrLessThan : c > 0 ? vrGreaterThan : vrEqual; }

TVariantRelationship CompareNumbers(const TNumber& a, const TNumber& b) {
  const bool aWhole = a.Kind == TNumber::Integer || a.Kind == TNumber::Unsigned;
  const bool bWhole = b.Kind == TNumber::Integer || b.Kind == TNumber::Unsigned;
  if (a.Kind == TNumber::Float && b.Kind == TNumber::Float) {
    if (std::isnan(a.F) || std::isnan(b.F)) return vrNotEqual;
    return FromOrder(a.F < b.F ? -1 : a.F > b.F ? 1 : 0);
  }
  if (aWhole && bWhole && a.Kind == b.Kind)
    return a.Kind == TNumber::Integer ? FromOrder(a.I < b.I ? -1 : a.I > b.I ? 1 : 0)
                                      : FromOrder(a.U < b.U ? -1 : a.U > b.U ? 1 : 0);
  if ((a.Kind == TNumber::Float && std::isnan(a.F)) || (b.Kind == TNumber::Float && std::isnan(b.F))) return vrNotEqual;
  // Mixed kinds meet exactly, as decimals.
  return FromOrder(CompareDecimals(ToDecimal(a), ToDecimal(b)));
}

String TextOf(const Variant& v) { return v.IsEmpty() ? String() : v.AsString(); }

bool IsTextOrEmpty(const Variant& v) { return v.IsEmpty() || VarIsStr(v); }

}  // namespace

TVariantRelationship VarCompareValue(const Variant& A, const Variant& B) {
  if (A.IsArray() || B.IsArray()) throw EVariantTypeCastError(SInvalidVarOp);
  if (A.IsNull() || B.IsNull()) return A.IsNull() && B.IsNull() ? vrEqual : vrNotEqual;
  if (A.IsEmpty() && B.IsEmpty()) return vrEqual;
  if (IsTextOrEmpty(A) && IsTextOrEmpty(B)) return FromOrder(AnsiCompareStr(TextOf(A), TextOf(B)));
  if (A.VarType() == VarSQLTimeStamp() && B.VarType() == VarSQLTimeStamp())
    return FromOrder(SQLTimeStampCompare(A.AsSQLTimeStamp(), B.AsSQLTimeStamp()));
  return CompareNumbers(ToNumber(A, B.VarType()), ToNumber(B, A.VarType()));
}

bool operator==(const Variant& A, const Variant& B) { return VarCompareValue(A, B) == vrEqual; }
bool operator<(const Variant& A, const Variant& B) { return VarCompareValue(A, B) == vrLessThan; }
bool operator>(const Variant& A, const Variant& B) { return VarCompareValue(A, B) == vrGreaterThan; }

namespace {

bool IsWideIntegerKind(TVarType t) { return t == varInt64 || t == varUInt64 || t == varLongWord; }

Variant Arithmetic(const Variant& a, const Variant& b, int sign) {
  if (a.IsArray() || b.IsArray()) throw EVariantInvalidOpError(SInvalidVarOp);
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  if (sign > 0 && IsTextOrEmpty(a) && IsTextOrEmpty(b)) return Variant(TextOf(a) + TextOf(b));
  const TNumber x = ToNumber(a, b.VarType()), y = ToNumber(b, a.VarType());
  const bool xWhole = x.Kind == TNumber::Integer || x.Kind == TNumber::Unsigned;
  const bool yWhole = y.Kind == TNumber::Integer || y.Kind == TNumber::Unsigned;
  if (xWhole && yWhole) {
    const __int128 l = x.Kind == TNumber::Integer ? __int128{x.I} : __int128{x.U};
    const __int128 r = y.Kind == TNumber::Integer ? __int128{y.I} : __int128{y.U};
    const __int128 sum = sign > 0 ? l + r : l - r;
    const bool wide = IsWideIntegerKind(a.VarType()) || IsWideIntegerKind(b.VarType());
    if (!wide && sum >= INT32_MIN && sum <= INT32_MAX) return Variant(static_cast<int32_t>(sum));
    if (sum >= INT64_MIN && sum <= INT64_MAX) return Variant(static_cast<long long>(sum));
    const bool unsignedOperand = a.VarType() == varUInt64 || b.VarType() == varUInt64;
    if (unsignedOperand && sum >= 0 && sum <= static_cast<__int128>(UINT64_MAX))
      return Variant(static_cast<unsigned long long>(sum));
    throw EVariantOverflowError(SVarOverflow);
  }
  const bool xMoney = x.Kind == TNumber::Money, yMoney = y.Kind == TNumber::Money;
  if ((xMoney || xWhole) && (yMoney || yWhole)) {
    const __int128 l = xMoney ? __int128{x.I} : __int128{x.Kind == TNumber::Integer ? x.I : static_cast<Int64>(x.U)} * Currency::Scale;
    const __int128 r = yMoney ? __int128{y.I} : __int128{y.Kind == TNumber::Integer ? y.I : static_cast<Int64>(y.U)} * Currency::Scale;
    const __int128 sum = sign > 0 ? l + r : l - r;
    if (sum < INT64_MIN || sum > INT64_MAX) throw EVariantOverflowError(SVarOverflow);
    return Variant(Currency{static_cast<Int64>(sum)});
  }
  const Double result = sign > 0 ? ToDouble(x) + ToDouble(y) : ToDouble(x) - ToDouble(y);
  // A date moved by a number stays a date; the distance of two dates is a number.
  if (x.IsDate != y.IsDate) return Variant::FromDate(result);
  return Variant(result);
}

}  // namespace

Variant operator+(const Variant& A, const Variant& B) { return Arithmetic(A, B, 1); }
Variant operator-(const Variant& A, const Variant& B) { return Arithmetic(A, B, -1); }

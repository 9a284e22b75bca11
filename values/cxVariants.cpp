#include "values/cxVariants.h"

#include <algorithm>
#include <climits>
#include <limits>
#include <vector>

#include "host/Exceptions.h"
#include "host/SysConst.h"

namespace {

// Array bounds differ by more than an Integer holds only in theory; keep the sign.
Integer BoundDifference(Integer a, Integer b) {
  return static_cast<Integer>(std::clamp<Int64>(Int64{a} - b, INT_MIN, INT_MAX));
}

Integer ArrayExtent(const Variant& V, Integer ADim) {
  return BoundDifference(VarArrayHighBound(V, ADim), VarArrayLowBound(V, ADim)) + 1;
}

// High bounds first, dimension by dimension (an array of more dimensions is
// the greater); then the elements at the same offsets from each array's own
// low bounds, as far as both reach, the last index running fastest.
Integer CompareArrays(const Variant& V1, const Variant& V2) {
  if (const Integer d = BoundDifference(VarArrayHighBound(V1, 1), VarArrayHighBound(V2, 1))) return d;
  const Integer dims = VarArrayDimCount(V1);
  if (const Integer other = VarArrayDimCount(V2); dims != other) return dims > other ? 1 : -1;
  for (Integer dim = 2; dim <= dims; ++dim)
    if (const Integer d = BoundDifference(VarArrayHighBound(V1, dim), VarArrayHighBound(V2, dim))) return d;

  std::vector<Integer> low1(dims), low2(dims), extent(dims), offset(dims, 0);
  for (Integer dim = 0; dim < dims; ++dim) {
    low1[dim] = VarArrayLowBound(V1, dim + 1);
    low2[dim] = VarArrayLowBound(V2, dim + 1);
    extent[dim] = std::min(ArrayExtent(V1, dim + 1), ArrayExtent(V2, dim + 1));
    if (extent[dim] <= 0) return 0;
  }
  std::vector<Integer> at1(low1), at2(low2);
  for (;;) {
    if (const Integer r = VarCompare(V1.GetElement(at1), V2.GetElement(at2))) return r;
    Integer dim = dims - 1;
    while (dim >= 0 && ++offset[dim] == extent[dim]) offset[dim--] = 0;
    if (dim < 0) return 0;
    for (Integer k = dim; k < dims; ++k) {
      at1[k] = low1[k] + offset[k];
      at2[k] = low2[k] + offset[k];
    }
  }
}

// --- Reading ---------------------------------------------------------------

Int64 Remaining(TStream* s) { return s->GetSize() - s->GetPosition(); }

[[noreturn]] void ReadFailure() { throw EReadError(SReadError); }

// A count announced by the stream, with the bytes it promises per item; the
// last AReserved bytes are promised to something else already.
void CheckCount(TStream* s, Int64 count, Int64 unitSize, Int64 AReserved = 0) {
  if (count < 0 || count > (Remaining(s) - AReserved) / unitSize) ReadFailure();
}

Int64 ReadIntegerPayload(TStream* s, Byte code) {
  switch (code) {
    case 2: return static_cast<int8_t>(s->ReadByte());
    case 3: return static_cast<int16_t>(s->ReadWord());
    case 4: return s->ReadInteger();
    default: return s->ReadInt64();
  }
}

AnsiString ReadBytes(TStream* s, Int64 length, Int64 AReserved = 0) {
  CheckCount(s, length, 1, AReserved);
  AnsiString value(static_cast<size_t>(length), '\0');
  s->ReadBuffer(value.data(), length);
  return value;
}

String ReadUnits(TStream* s, Int64 count, Int64 AReserved = 0) {
  CheckCount(s, count, 2, AReserved);
  String value(static_cast<size_t>(count), u'\0');
  s->ReadBuffer(value.data(), count * 2);
  return value;
}

// One variant with everything nested in it. The arrays being read share one
// budget: each element they announced and have not begun takes at least its
// code byte, so together they may never announce more elements than the
// stream has bytes left, and a hostile stream costs memory in proportion to
// its own size however deep it nests.
class TVariantReader {
 public:
  explicit TVariantReader(TStream* AStream) : FStream(AStream) {}

  Variant Read(int ADepth) {
    if (ADepth > MaxVariantNesting) ReadFailure();
    TStream* s = FStream;
    const Byte code = s->ReadByte();
    switch (code) {
      case 0: return Null();
      case 1: return ReadArray(ADepth);
      case 2: return Variant(static_cast<int8_t>(ReadIntegerPayload(s, code)));
      case 3: return Variant(static_cast<int16_t>(ReadIntegerPayload(s, code)));
      case 4: return Variant(static_cast<int32_t>(ReadIntegerPayload(s, code)));
      case 19: return Variant(static_cast<long long>(ReadIntegerPayload(s, code)));
      case 5: return Variant(static_cast<double>(s->ReadExtended()));
      case 6: return Variant(ReadBytes(s, s->ReadByte(), FAnnounced));
      case 12: return Variant(ReadBytes(s, s->ReadInteger(), FAnnounced));
      case 8: return Variant(false);
      case 9: return Variant(true);
      case 13: return Variant();
      case 15: return Variant(s->ReadSingle());
      case 16: return Variant(Currency{s->ReadInt64()});
      case 17: return Variant::FromDate(s->ReadDouble());
      case 18: return Variant::FromOleStr(ReadUnits(s, s->ReadInteger(), FAnnounced));
      default: ReadFailure();
    }
  }

 private:
  Variant ReadArray(int ADepth) {
    TStream* s = FStream;
    const Int64 count = ReadIntegerPayload(s, s->ReadByte());
    CheckCount(s, count, 1, FAnnounced);
    // A count the host's arrays cannot hold makes a malformed stream too.
    if (count > std::numeric_limits<Integer>::max()) ReadFailure();
    Variant array;
    try {
      array = VarArrayCreate({0, static_cast<Integer>(count - 1)}, varVariant);
    } catch (const EVariantError&) {
      ReadFailure();
    }
    FAnnounced += count;
    for (Integer i = 0; i < count; ++i) {
      --FAnnounced;
      array.SetElement(i, Read(ADepth + 1));
    }
    return array;
  }

  TStream* FStream;
  Int64 FAnnounced = 0;  // elements of the open arrays not yet begun
};

// --- Writing ---------------------------------------------------------------

void WriteIntegerValue(TStream* s, Int64 v) {
  if (v >= -128 && v <= 127) {
    s->WriteByte(2);
    s->WriteByte(static_cast<Byte>(v));
  } else if (v >= -32768 && v <= 32767) {
    s->WriteByte(3);
    s->WriteWord(static_cast<Word>(v));
  } else if (v < INT_MIN || v > INT_MAX) {
    s->WriteByte(19);
    s->WriteInt64(v);
  } else {
    s->WriteByte(4);
    s->WriteInteger(static_cast<Integer>(v));
  }
}

void WriteAnsi(TStream* s, const AnsiString& text) {
  if (text.size() >= 256) {
    s->WriteByte(12);
    s->WriteInteger(static_cast<Integer>(text.size()));
  } else {
    s->WriteByte(6);
    s->WriteByte(static_cast<Byte>(text.size()));
  }
  s->WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

void WriteUnits(TStream* s, const String& text) {
  s->WriteInteger(static_cast<Integer>(text.size()));
  s->WriteBuffer(text.data(), static_cast<Int64>(text.size()) * 2);
}

}  // namespace

Integer VarCompare(const Variant& V1, const Variant& V2) {
  if (V1.IsArray() && V2.IsArray()) return CompareArrays(V1, V2);
  if (V1.IsArray()) return 1;
  if (V2.IsArray()) return -1;
  try {
    if (V1.IsEmpty()) return V2.IsEmpty() ? 0 : -1;
    if (V2.IsEmpty()) return 1;
    if (V1 == V2) return 0;
    if (!V1.IsNull() && (V2.IsNull() || V1 > V2)) return 1;
    return -1;
  } catch (const EVariantTypeCastError&) {
    return -1;
  }
}

bool VarEquals(const Variant& V1, const Variant& V2) { return VarCompare(V1, V2) == 0; }

bool VarEqualsExact(const Variant& V1, const Variant& V2) {
  const bool anyBoolean = V1.VarType() == varBoolean || V2.VarType() == varBoolean;
  if (V1.IsNull() || V2.IsNull() || !anyBoolean) return VarEquals(V1, V2);
  try {
    return VarAsType(V1, varUString).AsString() == VarAsType(V2, varUString).AsString();
  } catch (const EVariantTypeCastError&) {
    return false;
  }
}

bool VarIsDate(const Variant& V) { return V.VarType() == varDate || V.VarType() == VarSQLTimeStamp(); }

bool VarIsNumericEx(const Variant& V) { return VarIsOrdinal(V) || VarIsFloat(V) || V.VarType() == VarFMTBcd(); }

bool VarIsSoftNull(const Variant& V) {
  return V.IsNull() || (VarIsStr(V) && V.AsString().empty());
}

String dxVarToWideString(const Variant& V) { return V.IsNull() ? String() : VarToStr(V); }

Variant ReadVariantFunc(TStream* AStream) { return TVariantReader(AStream).Read(0); }

void ReadVariantProc(TStream* AStream, Variant& V) { V = ReadVariantFunc(AStream); }

void WriteVariantProc(TStream* AStream, const Variant& V) {
  if (V.IsArray()) {
    if (VarArrayDimCount(V) != 1) throw EWriteError(SWriteError);
    const Integer low = VarArrayLowBound(V, 1), high = VarArrayHighBound(V, 1);
    AStream->WriteByte(1);
    WriteIntegerValue(AStream, Int64{high} - low + 1);
    for (Int64 i = low; i <= high; ++i) WriteVariantProc(AStream, V[static_cast<Integer>(i)]);
    return;
  }
  const TVarType kind = V.VarType() & varTypeMask;
  switch (kind) {
    case varEmpty: AStream->WriteByte(13); return;
    case varNull: AStream->WriteByte(0); return;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64: WriteIntegerValue(AStream, V.AsInt64()); return;
    case varSingle:
      AStream->WriteByte(15);
      AStream->WriteSingle(static_cast<Single>(V.AsDouble()));
      return;
    case varDouble:
      AStream->WriteByte(5);
      AStream->WriteExtended(V.AsDouble());
      return;
    case varCurrency:
      AStream->WriteByte(16);
      AStream->WriteInt64(V.AsCurrency().Scaled);
      return;
    case varDate:
      AStream->WriteByte(17);
      AStream->WriteDouble(V.AsDate());
      return;
    case varOleStr:
    case varUString:
      AStream->WriteByte(18);
      WriteUnits(AStream, V.AsString());
      return;
    case varBoolean: AStream->WriteByte(V.AsBoolean() ? 9 : 8); return;
    case varString: WriteAnsi(AStream, V.AsAnsiString()); return;
    default: break;
  }
  if (kind == VarSQLTimeStamp()) {
    AStream->WriteByte(17);
    AStream->WriteDouble(V.AsDate());
    return;
  }
  AnsiString text;
  try {
    text = V.AsAnsiString();
  } catch (const EVariantError&) {
    throw EWriteError(SWriteError);
  }
  WriteAnsi(AStream, text);
}

AnsiString ReadAnsiStringFunc(TStream* AStream) { return ReadBytes(AStream, AStream->ReadInteger()); }
void ReadAnsiStringProc(TStream* AStream, AnsiString& AValue) { AValue = ReadAnsiStringFunc(AStream); }
void WriteAnsiStringProc(TStream* AStream, const AnsiString& AValue) {
  AStream->WriteInteger(static_cast<Integer>(AValue.size()));
  AStream->WriteBuffer(AValue.data(), static_cast<Int64>(AValue.size()));
}

String ReadWideStringFunc(TStream* AStream) { return ReadUnits(AStream, AStream->ReadInteger()); }
void ReadWideStringProc(TStream* AStream, String& AValue) { AValue = ReadWideStringFunc(AStream); }
void WriteWideStringProc(TStream* AStream, const String& AValue) { WriteUnits(AStream, AValue); }

bool ReadBooleanFunc(TStream* AStream) { return AStream->ReadByte() != 0; }
void ReadBooleanProc(TStream* AStream, bool& AValue) { AValue = ReadBooleanFunc(AStream); }
void WriteBooleanProc(TStream* AStream, bool AValue) { AStream->WriteByte(AValue ? 1 : 0); }

void ReadFloatProc(TStream* AStream, Extended& AValue) { AValue = AStream->ReadExtended(); }
void WriteFloatProc(TStream* AStream, Extended AValue) { AStream->WriteExtended(AValue); }

void ReadSingleProc(TStream* AStream, Single& AValue) { AValue = AStream->ReadSingle(); }
void WriteSingleProc(TStream* AStream, Single AValue) { AStream->WriteSingle(AValue); }

Currency ReadCurrencyFunc(TStream* AStream) { return Currency{AStream->ReadInt64()}; }
void ReadCurrencyProc(TStream* AStream, Currency& AValue) { AValue = ReadCurrencyFunc(AStream); }
void WriteCurrencyProc(TStream* AStream, Currency AValue) { AStream->WriteInt64(AValue.Scaled); }

TDateTime ReadDateTimeFunc(TStream* AStream) { return AStream->ReadDouble(); }
void ReadDateTimeProc(TStream* AStream, TDateTime& AValue) { AValue = ReadDateTimeFunc(AStream); }
void WriteDateTimeProc(TStream* AStream, TDateTime AValue) { AStream->WriteDouble(AValue); }

Integer ReadIntegerFunc(TStream* AStream) { return AStream->ReadInteger(); }
void ReadIntegerProc(TStream* AStream, Integer& AValue) { AValue = ReadIntegerFunc(AStream); }
void WriteIntegerProc(TStream* AStream, Integer AValue) { AStream->WriteInteger(AValue); }

Int64 ReadLargeIntFunc(TStream* AStream) { return AStream->ReadInt64(); }
void ReadLargeIntProc(TStream* AStream, Int64& AValue) { AValue = ReadLargeIntFunc(AStream); }
void WriteLargeIntProc(TStream* AStream, Int64 AValue) { AStream->WriteInt64(AValue); }

SmallInt ReadSmallIntFunc(TStream* AStream) { return static_cast<SmallInt>(AStream->ReadWord()); }
void ReadSmallIntProc(TStream* AStream, SmallInt& AValue) { AValue = ReadSmallIntFunc(AStream); }
void WriteSmallIntProc(TStream* AStream, SmallInt AValue) { AStream->WriteWord(static_cast<Word>(AValue)); }

Word ReadWordFunc(TStream* AStream) { return AStream->ReadWord(); }
void ReadWordProc(TStream* AStream, Word& AValue) { AValue = ReadWordFunc(AStream); }
void WriteWordProc(TStream* AStream, Word AValue) { AStream->WriteWord(AValue); }

#pragma once
// Ordering, exact equality and kind tests of variant values, and their
// compact encoding on byte streams.

#include "host/DateUtils.h"
#include "host/Streams.h"
#include "host/Variants.h"

// -1, 0 or 1; arrays compare by their high bounds first, whose difference is
// returned as it is. Values that cannot be compared give -1.
Integer VarCompare(const Variant& V1, const Variant& V2);
bool VarEquals(const Variant& V1, const Variant& V2);
// Booleans equal only Booleans or their text ("True", "False").
bool VarEqualsExact(const Variant& V1, const Variant& V2);
bool VarIsDate(const Variant& V);
// Ordinal (Booleans included), float, currency or decimal.
bool VarIsNumericEx(const Variant& V);
// Null, or a string kind holding the empty string.
bool VarIsSoftNull(const Variant& V);
String dxVarToWideString(const Variant& V);

// A one-byte type code, then the payload, little-endian. Reading checks every
// count against what the stream still holds, the elements of all the arrays
// being read together, and nests arrays at most MaxVariantNesting deep; a
// stream that breaks these, or that the host's arrays cannot hold, raises
// EReadError.
inline constexpr int MaxVariantNesting = 64;
Variant ReadVariantFunc(TStream* AStream);
void ReadVariantProc(TStream* AStream, Variant& V);
void WriteVariantProc(TStream* AStream, const Variant& V);

// Plain encodings, without a type code.
AnsiString ReadAnsiStringFunc(TStream* AStream);
void ReadAnsiStringProc(TStream* AStream, AnsiString& AValue);
void WriteAnsiStringProc(TStream* AStream, const AnsiString& AValue);
String ReadWideStringFunc(TStream* AStream);
void ReadWideStringProc(TStream* AStream, String& AValue);
void WriteWideStringProc(TStream* AStream, const String& AValue);
bool ReadBooleanFunc(TStream* AStream);
void ReadBooleanProc(TStream* AStream, bool& AValue);
void WriteBooleanProc(TStream* AStream, bool AValue);
void ReadFloatProc(TStream* AStream, Extended& AValue);  // 10-byte extended
void WriteFloatProc(TStream* AStream, Extended AValue);
void ReadSingleProc(TStream* AStream, Single& AValue);
void WriteSingleProc(TStream* AStream, Single AValue);
Currency ReadCurrencyFunc(TStream* AStream);
void ReadCurrencyProc(TStream* AStream, Currency& AValue);
void WriteCurrencyProc(TStream* AStream, Currency AValue);
TDateTime ReadDateTimeFunc(TStream* AStream);
void ReadDateTimeProc(TStream* AStream, TDateTime& AValue);
void WriteDateTimeProc(TStream* AStream, TDateTime AValue);
Integer ReadIntegerFunc(TStream* AStream);
void ReadIntegerProc(TStream* AStream, Integer& AValue);
void WriteIntegerProc(TStream* AStream, Integer AValue);
Int64 ReadLargeIntFunc(TStream* AStream);
void ReadLargeIntProc(TStream* AStream, Int64& AValue);
void WriteLargeIntProc(TStream* AStream, Int64 AValue);
SmallInt ReadSmallIntFunc(TStream* AStream);
void ReadSmallIntProc(TStream* AStream, SmallInt& AValue);
void WriteSmallIntProc(TStream* AStream, SmallInt AValue);
Word ReadWordFunc(TStream* AStream);
void ReadWordProc(TStream* AStream, Word& AValue);
void WriteWordProc(TStream* AStream, Word AValue);

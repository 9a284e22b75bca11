#pragma once
// Value types: class-level descriptions of typed storage slots in a record
// buffer (how a value of a kind is kept, compared, shown and streamed), and
// their registry.
//
// A value type is used only through its class reference, the one
// description object ClassRef() returns; its virtual operations are the
// class's operations. Slots of the by-reference kinds (String, WideString,
// Variant, BLOB) hold a pointer to a separately allocated value, nil meaning
// Null; so does the Object kind, whose slot holds the object. Those slots are
// pointer-sized. A display-text holder is a pointer to a separately allocated
// text, nil when there is none.
//
// Texts go on a stream in one of two encodings: with AIsUnicode a 32-bit
// character count and UTF-16 units, otherwise a 32-bit length and the bytes
// in the system ANSI code page.

#include <vector>

#include "host/Streams.h"
#include "host/Variants.h"

using TcxValueBuffer = void*;
using TcxDisplayTextHolder = String*;

class TcxValueType;
using TcxValueTypeClass = const TcxValueType*;

class TcxValueType {
 public:
  virtual ~TcxValueType() = default;
  static TcxValueTypeClass ClassRef();
  virtual const char16_t* ClassName() const { return u"TcxValueType"; }

  // Slots, by their addresses.
  virtual Integer Compare(TcxValueBuffer P1, TcxValueBuffer P2) const;
  virtual void FreeBuffer(TcxValueBuffer ABuffer) const {}
  virtual void FreeTextBuffer(TcxDisplayTextHolder* AHolder) const;
  virtual Integer GetDataSize() const { return 0; }
  virtual Variant GetDataValue(TcxValueBuffer ABuffer) const { return Null(); }
  virtual String GetDefaultDisplayText(TcxValueBuffer ABuffer) const;
  virtual String GetDisplayText(const TcxDisplayTextHolder* AHolder) const;
  virtual void ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const;
  virtual void ReadDisplayText(TcxDisplayTextHolder* AHolder, TStream* AStream, bool AIsUnicode) const;
  virtual void SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const {}
  virtual void SetDisplayText(TcxDisplayTextHolder* AHolder, const String& AText) const;
  virtual void WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const;
  virtual void WriteDisplayText(const TcxDisplayTextHolder* AHolder, TStream* AStream, bool AIsUnicode) const;
  // The class name without its leading "Tcx" and its first "ValueType".
  virtual String Caption() const;
  // Prepared buffers: what PrepareValueBuffer made of slot addresses.
  virtual Integer CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const;
  virtual Variant GetValue(TcxValueBuffer ABuffer) const;
  virtual TVarType GetVarType() const { return varEmpty; }
  // Null and the any-kind type accept everything; otherwise the value is
  // converted to the kind in place, false when it does not convert.
  virtual bool IsValueValid(Variant& AValue) const;
  virtual bool IsString() const { return false; }
  // A by-reference slot's address becomes the pointer it holds.
  virtual void PrepareValueBuffer(TcxValueBuffer& ABuffer) const;

 protected:
  virtual bool IsByReference() const { return false; }
};

#define CX_VALUE_TYPE_CLASS(Name) \
 public:                         \
  static TcxValueTypeClass ClassRef(); \
  const char16_t* ClassName() const override { return u## #Name; }

class TcxStringValueType : public TcxValueType {
  CX_VALUE_TYPE_CLASS(TcxStringValueType)
  void FreeBuffer(TcxValueBuffer ABuffer) const override;
  Integer GetDataSize() const override { return sizeof(void*); }
  Variant GetDataValue(TcxValueBuffer ABuffer) const override;
  void ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override;
  void SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const override;
  void WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override;
  Integer CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const override;
  TVarType GetVarType() const override { return varUString; }
  bool IsString() const override { return true; }

 protected:
  bool IsByReference() const override { return true; }
};

// The slot points to a block of a 32-bit character count and the units.
class TcxWideStringValueType : public TcxValueType {
  CX_VALUE_TYPE_CLASS(TcxWideStringValueType)
  void FreeBuffer(TcxValueBuffer ABuffer) const override;
  Integer GetDataSize() const override { return sizeof(void*); }
  Variant GetDataValue(TcxValueBuffer ABuffer) const override;
  void ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override;
  void SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const override;
  void WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override;
  Integer CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const override;
  TVarType GetVarType() const override { return varOleStr; }
  bool IsString() const override { return true; }

 protected:
  bool IsByReference() const override { return true; }
};

// A number kept in the slot itself, with its own size; the slot type TSlot
// (defined with the members, in the unit's source) says how it converts,
// streams and compares. The named types below are this for each kind.
template <class TSlot>
class TcxFixedValueType : public TcxValueType {
 public:
  Integer GetDataSize() const override;
  Variant GetDataValue(TcxValueBuffer ABuffer) const override;
  void ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override;
  void SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const override;
  void WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override;
  Integer CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const override;
  TVarType GetVarType() const override;
};

struct TSmallintSlot;
struct TIntegerSlot;
struct TWordSlot;
struct TBooleanSlot;
struct TSingleSlot;
struct TFloatSlot;
struct TCurrencySlot;
struct TDateTimeSlot;
struct TLargeIntSlot;
extern template class TcxFixedValueType<TSmallintSlot>;
extern template class TcxFixedValueType<TIntegerSlot>;
extern template class TcxFixedValueType<TWordSlot>;
extern template class TcxFixedValueType<TBooleanSlot>;
extern template class TcxFixedValueType<TSingleSlot>;
extern template class TcxFixedValueType<TFloatSlot>;
extern template class TcxFixedValueType<TCurrencySlot>;
extern template class TcxFixedValueType<TDateTimeSlot>;
extern template class TcxFixedValueType<TLargeIntSlot>;

class TcxSmallintValueType : public TcxFixedValueType<TSmallintSlot> {
  CX_VALUE_TYPE_CLASS(TcxSmallintValueType)
};

class TcxIntegerValueType : public TcxFixedValueType<TIntegerSlot> {
  CX_VALUE_TYPE_CLASS(TcxIntegerValueType)
};

class TcxWordValueType : public TcxFixedValueType<TWordSlot> {
  CX_VALUE_TYPE_CLASS(TcxWordValueType)
};

class TcxBooleanValueType : public TcxFixedValueType<TBooleanSlot> {
  CX_VALUE_TYPE_CLASS(TcxBooleanValueType)
  String GetDefaultDisplayText(TcxValueBuffer ABuffer) const override;
};

class TcxSingleValueType : public TcxFixedValueType<TSingleSlot> {
  CX_VALUE_TYPE_CLASS(TcxSingleValueType)
};

class TcxFloatValueType : public TcxFixedValueType<TFloatSlot> {
  CX_VALUE_TYPE_CLASS(TcxFloatValueType)
};

class TcxCurrencyValueType : public TcxFixedValueType<TCurrencySlot> {
  CX_VALUE_TYPE_CLASS(TcxCurrencyValueType)
};

class TcxDateTimeValueType : public TcxFixedValueType<TDateTimeSlot> {
  CX_VALUE_TYPE_CLASS(TcxDateTimeValueType)
  String GetDefaultDisplayText(TcxValueBuffer ABuffer) const override;
};

class TcxLargeIntValueType : public TcxFixedValueType<TLargeIntSlot> {
  CX_VALUE_TYPE_CLASS(TcxLargeIntValueType)
};

// The slot holds the 34-byte decimal record.
class TcxFMTBcdValueType : public TcxValueType {
  CX_VALUE_TYPE_CLASS(TcxFMTBcdValueType)
  Integer GetDataSize() const override { return 34; }
  Variant GetDataValue(TcxValueBuffer ABuffer) const override;
  String GetDefaultDisplayText(TcxValueBuffer ABuffer) const override;
  void SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const override;
  Integer CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const override;
  TVarType GetVarType() const override { return VarFMTBcd(); }
};

// The slot holds the 16-byte time stamp; its value reads as a date.
class TcxSQLTimeStampValueType : public TcxValueType {
  CX_VALUE_TYPE_CLASS(TcxSQLTimeStampValueType)
  Integer GetDataSize() const override { return 16; }
  Variant GetDataValue(TcxValueBuffer ABuffer) const override;
  void SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const override;
  Integer CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const override;
  TVarType GetVarType() const override { return VarSQLTimeStamp(); }
};

class TcxVariantValueType : public TcxValueType {
  CX_VALUE_TYPE_CLASS(TcxVariantValueType)
  void FreeBuffer(TcxValueBuffer ABuffer) const override;
  Integer GetDataSize() const override { return sizeof(void*); }
  Variant GetDataValue(TcxValueBuffer ABuffer) const override;
  void SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const override;
  Integer CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const override;
  TVarType GetVarType() const override { return varVariant; }

 protected:
  bool IsByReference() const override { return true; }
};

// Byte strings.
class TcxBLOBValueType : public TcxValueType {
  CX_VALUE_TYPE_CLASS(TcxBLOBValueType)
  void FreeBuffer(TcxValueBuffer ABuffer) const override;
  Integer GetDataSize() const override { return sizeof(void*); }
  Variant GetDataValue(TcxValueBuffer ABuffer) const override;
  void ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override;
  void SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const override;
  void WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override;
  Integer CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const override;
  TVarType GetVarType() const override { return varString; }
  bool IsString() const override { return true; }

 protected:
  bool IsByReference() const override { return true; }
};

// An owned object (TObject), kept as a pointer-sized integer and freed with
// the slot; never streamed.
class TcxObjectValueType : public TcxIntegerValueType {
  CX_VALUE_TYPE_CLASS(TcxObjectValueType)
  void FreeBuffer(TcxValueBuffer ABuffer) const override;
  Integer GetDataSize() const override { return sizeof(void*); }
  Variant GetDataValue(TcxValueBuffer ABuffer) const override;
  void ReadDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override {}
  void SetDataValue(TcxValueBuffer ABuffer, const Variant& AValue) const override;
  void WriteDataValue(TcxValueBuffer ABuffer, TStream* AStream, bool AIsUnicode) const override {}
  Integer CompareValues(TcxValueBuffer P1, TcxValueBuffer P2) const override;
  TVarType GetVarType() const override { return varInt64; }
};

#undef CX_VALUE_TYPE_CLASS

class TcxValueTypeClassList {
 public:
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TcxValueTypeClass GetItem(Integer Index) const;
  // Adds the class unless it is there already.
  void RegisterItem(TcxValueTypeClass AClass);
  // Removes its first occurrence.
  void UnregisterItem(TcxValueTypeClass AClass);
  // The first class whose caption is ACaption (case counts), or nullptr.
  TcxValueTypeClass ItemByCaption(const String& ACaption) const;

 private:
  std::vector<TcxValueTypeClass> FItems;
};

// The process-wide registry, made on first call and freed at finalization.
TcxValueTypeClassList* cxValueTypeClassList();

// The unit that registers the value types at start and removes them at the end.
void RegisterDataStorageUnit();

#pragma once
// Reading and writing components as stored form descriptions, through their
// published properties and the pseudo-properties they define.

#include <functional>
#include <optional>
#include <vector>

#include "host/Components.h"
#include "host/FormText.h"
#include "host/TypInfo.h"

class TReader;
class TWriter;
class TStream;

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// What DefineProperties sees: the filer reading or writing the object, and
// the ancestor the object is compared with when writing (nullptr when there
// is none, so that a pseudo-property can be written only when it differs).
class TFiler : public TObject {
  HOST_CLASS(TFiler);

  TComponent* GetRoot() const { return FRoot; }
  TPersistent* GetAncestor() const { return FAncestor; }
  void SetAncestor(TPersistent* Value) { FAncestor = Value; }

  // A pseudo-property read by ReadData and written by WriteData when HasData.
  virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                              bool HasData) = 0;
  virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                                    bool HasData) = 0;

 protected:
  TComponent* FRoot = nullptr;
  TPersistent* FAncestor = nullptr;
};

// Builds components from a description. Each component is created by its
// class name, owned by the root, given its parent through the
// parent-component protocol, and read by its virtual ReadState; references
// to components are resolved once everything is read, and then Loaded runs
// once on every component read. Any failure raises EReadError naming the
// line and the property, after freeing what the read created.
class TReader : public TFiler {
  HOST_CLASS(TReader);

  explicit TReader(const TFormObject& Description) : FDescription(Description) {}

  // Reads into an existing root (a form created by code), or creates the
  // root when Root is nullptr; returns the root.
  TComponent* ReadRootComponent(TComponent* Root);
  // Reads the current object's properties and children into Instance; what
  // TComponent::ReadState calls.
  void ReadData(TComponent* Instance);

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // The value of the pseudo-property being read, or the next item of the
  // list begun with ReadListBegin. EReadError for a value of another kind.
  bool ReadBoolean();
  Int64 ReadInteger();
  Extended ReadFloat();
  String ReadString();
  String ReadIdent();
  void ReadListBegin();
  bool EndOfList() const;
  void ReadListEnd();

 private:
  struct TFixup {
    TObject* Instance;
    const TPropInfo* Prop;
    String Name;
    String Where;  // component and property, for errors
    Integer Line;
  };

  TComponent* ReadComponent(const TFormObject& Object, TComponent* Existing, TComponent* Parent);
  void ReadProperty(TObject* Instance, const TFormProperty& Property);
  void ReadPropValue(TObject* Instance, const TPropInfo& Prop, const TFormValue& Value);
  void ReadCollection(TObject* Collection, const TFormValue& Value);
  bool ReadDefinedProperty(TObject* Instance, std::u16string_view Name, const TFormValue& Value);
  const TFormValue& NextValue(TFormValueKind Kind);
  [[noreturn]] void Fail(const String& Message) const;

  const TFormObject& FDescription;
  const TFormObject* FCurrentObject = nullptr;
  const TFormProperty* FCurrentProperty = nullptr;
  String FCurrentComponentName;
  String FPathPrefix;  // the collection item being read, as "Items[0]."

  // The pseudo-property being looked for, and what it is given.
  std::u16string_view FDefinedName;
  const TFormValue* FDefinedValue = nullptr;
  bool FDefinedFound = false;
  bool FDefinedValueRead = false;
  std::vector<std::pair<const TFormValue*, size_t>> FLists;
  std::vector<TComponent*> FLoaded;
  std::vector<TComponent*> FCreated;
  std::vector<TFixup> FFixups;
};

// Writes a component tree as a description: exactly the stored values that
// differ from their defaults (floats other than 0, strings other than ''),
// bound event names, the pseudo-properties whose HasData says so, and the
// children that GetChildren gives.
class TWriter : public TFiler {
  HOST_CLASS(TWriter);

  TWriter() = default;
  TFormObject WriteRootComponent(TComponent* Root);

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // Values of the pseudo-property being written; inside a list they add items.
  void WriteBoolean(bool Value);
  void WriteInteger(Int64 Value);
  void WriteFloat(Extended Value);
  void WriteString(const String& Value);
  void WriteIdent(const String& Value);
  void WriteListBegin();
  void WriteListEnd();

 private:
  TFormObject WriteComponent(TComponent* Instance);
  void WriteProperties(TObject* Instance, const String& Prefix, std::vector<TFormProperty>& Out);
  bool WritePropValue(TObject* Instance, const TPropInfo& Prop, TFormValue& Value);
  TFormValue WriteCollection(TObject* Collection);
  String ReferenceName(TComponent* Component) const;
  void Put(TFormValue Value);

  std::vector<TFormProperty>* FOut = nullptr;
  String FPrefix;
  // The pseudo-property's value, and the lists still open inside it.
  std::optional<TFormValue> FResult;
  std::vector<TFormValue> FOpenLists;
};

// The text forms. ReadComponentFromText raises EParserError for bad syntax
// and EReadError for bad content.
TComponent* ReadComponentFromText(std::u16string_view Text, TComponent* Root = nullptr);
String WriteComponentToText(TComponent* Root);

// Reads Instance from the resource named after its class (RT_RCDATA, UTF-8
// text) in the program; false when there is none.
bool ReadComponentRes(TComponent* Instance);

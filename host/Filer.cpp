#include "host/Filer.h"

#include <optional>

#include "host/Collections.h"
#include "host/Exceptions.h"
#include "host/Streams.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"
#include "platform/ScopeExit.h"

HOST_CLASS_INFO(TFiler, TObject, nullptr)
HOST_CLASS_INFO(TReader, TFiler, nullptr)
HOST_CLASS_INFO(TWriter, TFiler, &CreateDefault<TWriter>)

namespace {

constexpr char16_t SReadingError[] = u"Error reading %s on line %d: %s";
constexpr char16_t SReferenceNotFound[] = u"Component %s not found";
constexpr char16_t SNotAComponent[] = u"%s is not a component class";

std::vector<std::u16string_view> SplitDotted(std::u16string_view name) {
  std::vector<std::u16string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t dot = name.find(u'.', start);
    parts.push_back(name.substr(start, dot == std::u16string_view::npos ? dot : dot - start));
    if (dot == std::u16string_view::npos) break;
    start = dot + 1;
  }
  return parts;
}

[[noreturn]] void InvalidValue() { throw EReadError(SInvalidPropertyValue); }

// A read error that already names its place, passed on as it is.
class ELocatedReadError : public EReadError {
 public:
  using EReadError::EReadError;
};

}  // namespace

// ---------------------------------------------------------------------------
// Reading

void TReader::Fail(const String& Message) const {
  String where = FCurrentComponentName.empty() ? String(u"root") : FCurrentComponentName;
  Integer line = FCurrentObject ? FCurrentObject->Line : FDescription.Line;
  if (FCurrentProperty) {
    where += u"." + FPathPrefix + FCurrentProperty->Name;
    line = FCurrentProperty->Line;
  }
  throw ELocatedReadError(SReadingError, {where, line, Message});
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
  FRoot = Root;
  TComponent* createdRoot = nullptr;
  try {
    try {
      if (!FRoot) {
        FCurrentObject = &FDescription;
        TObject* made = FindClass(FDescription.ClassName)->Create(nullptr);
        createdRoot = dynamic_cast<TComponent*>(made);
        if (!createdRoot) {
          TObject::Free(made);
          throw EReadError(SNotAComponent, {FDescription.ClassName});
        }
        FRoot = createdRoot;
      }
      ReadComponent(FDescription, FRoot, nullptr);
      for (const TFixup& fixup : FFixups) {
        TComponent* target = SameText(fixup.Name, FRoot->GetName()) ? FRoot : FRoot->FindComponent(fixup.Name);
        if (!target)
          throw ELocatedReadError(SReadingError,
                                  {fixup.Where, fixup.Line, Format(SReferenceNotFound, {fixup.Name})});
        fixup.Prop->SetObj(fixup.Instance, target);
      }
    } catch (const ELocatedReadError&) {
      throw;
    } catch (const Exception& e) {
      Fail(e.GetMessage());
    }
    FCurrentObject = nullptr;
    FCurrentProperty = nullptr;
    for (TComponent* c : FLoaded) c->ExcludeState(csReading);
    for (TComponent* c : FLoaded) c->Loaded();
  } catch (...) {
    // Nothing half-read stays reachable.
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) TObject::Free(*it);
    TObject::Free(createdRoot);
    throw;
  }
  return FRoot;
}

TComponent* TReader::ReadComponent(const TFormObject& Object, TComponent* Existing, TComponent* Parent) {
  const TFormObject* savedObject = FCurrentObject;
  const TFormProperty* savedProperty = FCurrentProperty;
  const String savedName = FCurrentComponentName;
  FCurrentObject = &Object;
  FCurrentProperty = nullptr;
  FCurrentComponentName = Object.Name;

  TComponent* instance = Existing;
  if (!instance && !Object.Name.empty()) instance = FRoot->FindComponent(Object.Name);
  if (!instance) {
    TObject* made = FindClass(Object.ClassName)->Create(FRoot);
    instance = dynamic_cast<TComponent*>(made);
    if (!instance) {
      TObject::Free(made);
      throw EReadError(SNotAComponent, {Object.ClassName});
    }
    FCreated.push_back(instance);
  }
  instance->IncludeState(csLoading);
  instance->IncludeState(csReading);
  FLoaded.push_back(instance);
  try {
    instance->SetName(Object.Name);
  } catch (const Exception& e) {
    Fail(e.GetMessage());
  }
  if (Parent) instance->SetParentComponent(Parent);
  instance->ReadState(this);

  FCurrentObject = savedObject;
  FCurrentProperty = savedProperty;
  FCurrentComponentName = savedName;
  return instance;
}

void TReader::ReadData(TComponent* Instance) {
  const TFormObject& object = *FCurrentObject;
  for (const TFormProperty& property : object.Properties) {
    FCurrentProperty = &property;
    ReadProperty(Instance, property);
  }
  FCurrentProperty = nullptr;
  for (const TFormObject& child : object.Children) ReadComponent(child, nullptr, Instance);
}

void TReader::ReadProperty(TObject* Instance, const TFormProperty& Property) {
  const auto parts = SplitDotted(Property.Name);
  TObject* target = Instance;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const TPropInfo* step = GetPropInfo(target->ClassType(), parts[i]);
    TObject* next = step && step->Kind == tkClass && step->GetObj ? step->GetObj(target) : nullptr;
    if (!next) Fail(Format(SUnknownProperty, {parts[i]}));
    target = next;
  }
  const TPropInfo* prop = GetPropInfo(target->ClassType(), parts.back());
  try {
    if (prop) ReadPropValue(target, *prop, Property.Value);
    else if (!ReadDefinedProperty(target, parts.back(), Property.Value)) Fail(Format(SUnknownProperty, {parts.back()}));
  } catch (const ELocatedReadError&) {
    throw;
  } catch (const Exception& e) {
    Fail(e.GetMessage());
  }
}

void TReader::ReadPropValue(TObject* Instance, const TPropInfo& Prop, const TFormValue& Value) {
  switch (Prop.Kind) {
    case tkInteger:
    case tkInt64: {
      Int64 v = 0;
      if (Value.Kind == TFormValueKind::Integer) v = Value.Integer;
      else if (!(Value.Kind == TFormValueKind::Ident && Prop.Idents && Prop.Idents->ToInt(Value.Text, v))) InvalidValue();
      if (Prop.Kind == tkInteger && (v < INT32_MIN || v > UINT32_MAX)) InvalidValue();
      Prop.SetOrd(Instance, v);
      return;
    }
    case tkChar:
      if (Value.Kind == TFormValueKind::String && Value.Text.size() == 1) Prop.SetOrd(Instance, Value.Text[0]);
      else if (Value.Kind == TFormValueKind::Integer && Value.Integer >= 0 && Value.Integer <= 0xFFFF)
        Prop.SetOrd(Instance, Value.Integer);
      else InvalidValue();
      return;
    case tkEnumeration: {
      const Integer index = Value.Kind == TFormValueKind::Ident ? Prop.Enum->IndexOf(Value.Text) : -1;
      if (index < 0) InvalidValue();
      Prop.SetOrd(Instance, index);
      return;
    }
    case tkSet: {
      if (Value.Kind != TFormValueKind::Set) InvalidValue();
      UInt64 bits = 0;
      for (const String& name : Value.SetItems) {
        const Integer index = Prop.Enum->IndexOf(name);
        if (index < 0 || index >= 64) InvalidValue();
        bits |= UInt64{1} << index;
      }
      Prop.SetOrd(Instance, static_cast<Int64>(bits));
      return;
    }
    case tkFloat:
      if (Value.Kind == TFormValueKind::Float) Prop.SetFloat(Instance, Value.Float);
      else if (Value.Kind == TFormValueKind::Integer) Prop.SetFloat(Instance, static_cast<Extended>(Value.Integer));
      else InvalidValue();
      return;
    case tkString:
      if (Value.Kind != TFormValueKind::String) InvalidValue();
      Prop.SetStr(Instance, Value.Text);
      return;
    case tkClass:
      if (Prop.IsSubObject) {
        TObject* sub = Prop.GetObj(Instance);
        if (Value.Kind != TFormValueKind::Collection || !dynamic_cast<TCollection*>(sub)) InvalidValue();
        ReadCollection(sub, Value);
      } else if (Value.Kind != TFormValueKind::Ident) {
        InvalidValue();
      } else if (SameText(Value.Text, u"nil")) {
        Prop.SetObj(Instance, nullptr);
      } else {
        FFixups.push_back({Instance, &Prop, Value.Text,
                           FCurrentComponentName + u"." + FPathPrefix + FCurrentProperty->Name,
                           FCurrentProperty->Line});
      }
      return;
    case tkMethod:
      if (Value.Kind != TFormValueKind::Ident) InvalidValue();
      SetMethodProp(Instance, Prop, FRoot, Value.Text);
      return;
  }
}

void TReader::ReadCollection(TObject* Collection, const TFormValue& Value) {
  auto* collection = static_cast<TCollection*>(Collection);
  const TFormProperty* outer = FCurrentProperty;
  const String outerPrefix = FPathPrefix;
  collection->BeginUpdate();
  TScopeExit restore([&] {
    FCurrentProperty = outer;
    FPathPrefix = outerPrefix;
    collection->EndUpdate();
  });
  collection->Clear();
  Integer index = 0;
  for (const TFormCollectionItem& item : Value.CollectionItems) {
    TCollectionItem* added = collection->Add();
    if (!added) InvalidValue();
    // Errors inside name the item: Items[0].Value.
    FPathPrefix = outerPrefix + outer->Name + u"[" + IntToStr(index++) + u"].";
    for (const TFormProperty& property : item.Properties) {
      FCurrentProperty = &property;
      ReadProperty(added, property);
    }
  }
}

bool TReader::ReadDefinedProperty(TObject* Instance, std::u16string_view Name, const TFormValue& Value) {
  auto* persistent = dynamic_cast<TPersistent*>(Instance);
  if (!persistent) return false;
  FDefinedName = Name;
  FDefinedValue = &Value;
  FDefinedFound = false;
  try {
    persistent->DefineProperties(this);
  } catch (...) {
    FDefinedValue = nullptr;
    FLists.clear();
    throw;
  }
  FDefinedValue = nullptr;
  FLists.clear();
  return FDefinedFound;
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
  if (!FDefinedValue || FDefinedFound || !SameText(Name, FDefinedName)) return;
  FDefinedFound = true;
  if (ReadData) ReadData(this);
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&, bool) {
  if (!FDefinedValue || FDefinedFound || !SameText(Name, FDefinedName)) return;
  FDefinedFound = true;
  if (FDefinedValue->Kind != TFormValueKind::Binary) InvalidValue();
  if (!ReadData) return;
  TMemoryStream stream;
  stream.WriteBuffer(FDefinedValue->Binary.data(), static_cast<Int64>(FDefinedValue->Binary.size()));
  stream.SetPosition(0);
  ReadData(&stream);
}

const TFormValue& TReader::NextValue(TFormValueKind Kind) {
  const TFormValue* value = FDefinedValue;
  if (!FLists.empty()) {
    auto& [list, index] = FLists.back();
    if (index >= list->Items.size()) InvalidValue();
    value = &list->Items[index++];
  }
  if (!value) InvalidValue();
  if (value->Kind != Kind && !(Kind == TFormValueKind::Float && value->Kind == TFormValueKind::Integer))
    InvalidValue();
  return *value;
}

bool TReader::ReadBoolean() {
  const Integer index = BooleanNames().IndexOf(NextValue(TFormValueKind::Ident).Text);
  if (index < 0) InvalidValue();
  return index == 1;
}

Int64 TReader::ReadInteger() { return NextValue(TFormValueKind::Integer).Integer; }

Extended TReader::ReadFloat() {
  const TFormValue& v = NextValue(TFormValueKind::Float);
  return v.Kind == TFormValueKind::Integer ? static_cast<Extended>(v.Integer) : v.Float;
}

String TReader::ReadString() { return NextValue(TFormValueKind::String).Text; }

String TReader::ReadIdent() { return NextValue(TFormValueKind::Ident).Text; }

void TReader::ReadListBegin() {
  const TFormValue& list = NextValue(TFormValueKind::List);
  FLists.emplace_back(&list, 0);
}

bool TReader::EndOfList() const { return FLists.empty() || FLists.back().second >= FLists.back().first->Items.size(); }

void TReader::ReadListEnd() {
  if (!EndOfList()) InvalidValue();
  FLists.pop_back();
}

// ---------------------------------------------------------------------------
// Writing

TFormObject TWriter::WriteRootComponent(TComponent* Root) {
  FRoot = Root;
  return WriteComponent(Root);
}

TFormObject TWriter::WriteComponent(TComponent* Instance) {
  TFormObject object;
  object.Name = Instance->GetName();
  object.ClassName = Instance->ClassName();
  Instance->IncludeState(csWriting);
  WriteProperties(Instance, String(), object.Properties);
  Instance->GetChildren([&](TComponent* child) { object.Children.push_back(WriteComponent(child)); }, FRoot);
  Instance->ExcludeState(csWriting);
  return object;
}

void TWriter::WriteProperties(TObject* Instance, const String& Prefix, std::vector<TFormProperty>& Out) {
  for (const TPropInfo* prop : GetPropList(Instance->ClassType())) {
    if (!prop->IsStored(Instance)) continue;
    if (prop->Kind == tkClass && prop->IsSubObject) {
      TObject* sub = prop->GetObj(Instance);
      if (!sub) continue;
      if (auto* collection = dynamic_cast<TCollection*>(sub)) {
        if (collection->GetCount() > 0) Out.push_back({Prefix + prop->Name, WriteCollection(sub)});
      } else {
        WriteProperties(sub, Prefix + prop->Name + u".", Out);
      }
      continue;
    }
    TFormValue value;
    if (WritePropValue(Instance, *prop, value)) Out.push_back({Prefix + prop->Name, std::move(value)});
  }
  if (auto* persistent = dynamic_cast<TPersistent*>(Instance)) {
    std::vector<TFormProperty>* savedOut = FOut;
    const String savedPrefix = FPrefix;
    FOut = &Out;
    FPrefix = Prefix;
    persistent->DefineProperties(this);
    FOut = savedOut;
    FPrefix = savedPrefix;
  }
}

bool TWriter::WritePropValue(TObject* Instance, const TPropInfo& Prop, TFormValue& Value) {
  switch (Prop.Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkEnumeration:
    case tkSet: {
      const Int64 v = Prop.GetOrd(Instance);
      if (Prop.Default && *Prop.Default == v) return false;
      if (Prop.Kind == tkEnumeration) {
        if (v < 0 || v >= static_cast<Int64>(Prop.Enum->Names.size())) return false;
        Value.Kind = TFormValueKind::Ident;
        Value.Text = Prop.Enum->Names[static_cast<size_t>(v)];
      } else if (Prop.Kind == tkSet) {
        Value.Kind = TFormValueKind::Set;
        for (size_t i = 0; i < Prop.Enum->Names.size() && i < 64; ++i)
          if (static_cast<UInt64>(v) >> i & 1) Value.SetItems.push_back(Prop.Enum->Names[i]);
      } else if (Prop.Kind == tkChar) {
        Value.Kind = TFormValueKind::String;
        Value.Text = String(1, static_cast<Char>(v));
      } else if (Prop.Idents && Prop.Idents->ToIdent(v, Value.Text)) {
        Value.Kind = TFormValueKind::Ident;
      } else {
        Value.Kind = TFormValueKind::Integer;
        Value.Integer = v;
      }
      return true;
    }
    case tkFloat:
      Value.Kind = TFormValueKind::Float;
      Value.Float = Prop.GetFloat(Instance);
      return Value.Float != 0;
    case tkString:
      Value.Kind = TFormValueKind::String;
      Value.Text = Prop.GetStr(Instance);
      return !Value.Text.empty();
    case tkClass: {
      auto* component = dynamic_cast<TComponent*>(Prop.GetObj(Instance));
      if (!component) return false;
      Value.Kind = TFormValueKind::Ident;
      Value.Text = ReferenceName(component);
      return true;
    }
    case tkMethod:
      Value.Kind = TFormValueKind::Ident;
      Value.Text = GetMethodProp(Instance, Prop);
      return !Value.Text.empty();
  }
  return false;
}

TFormValue TWriter::WriteCollection(TObject* Collection) {
  auto* collection = static_cast<TCollection*>(Collection);
  TFormValue value;
  value.Kind = TFormValueKind::Collection;
  for (Integer i = 0; i < collection->GetCount(); ++i) {
    TFormCollectionItem item;
    WriteProperties(collection->GetItem(i), String(), item.Properties);
    value.CollectionItems.push_back(std::move(item));
  }
  return value;
}

String TWriter::ReferenceName(TComponent* Component) const {
  if (Component == FRoot || Component->GetOwner() == FRoot || !Component->GetOwner()) return Component->GetName();
  return Component->GetOwner()->GetName() + u"." + Component->GetName();
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData) {
  if (!HasData || !WriteData || !FOut) return;
  FResult.reset();
  FOpenLists.clear();
  WriteData(this);
  if (!FOpenLists.empty()) throw EWriteError(SWriteError);
  if (FResult) FOut->push_back({FPrefix + Name, std::move(*FResult)});
  FResult.reset();
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
  if (!HasData || !WriteData || !FOut) return;
  TMemoryStream stream;
  WriteData(&stream);
  TFormValue value;
  value.Kind = TFormValueKind::Binary;
  const auto* bytes = static_cast<const Byte*>(stream.GetMemory());
  value.Binary.assign(bytes, bytes + stream.GetSize());
  FOut->push_back({FPrefix + Name, std::move(value)});
}

void TWriter::Put(TFormValue Value) {
  if (!FOpenLists.empty()) FOpenLists.back().Items.push_back(std::move(Value));
  else FResult = std::move(Value);
}

void TWriter::WriteBoolean(bool Value) { WriteIdent(Value ? u"True" : u"False"); }

void TWriter::WriteInteger(Int64 Value) {
  TFormValue v;
  v.Integer = Value;
  Put(std::move(v));
}

void TWriter::WriteFloat(Extended Value) {
  TFormValue v;
  v.Kind = TFormValueKind::Float;
  v.Float = Value;
  Put(std::move(v));
}

void TWriter::WriteString(const String& Value) {
  TFormValue v;
  v.Kind = TFormValueKind::String;
  v.Text = Value;
  Put(std::move(v));
}

void TWriter::WriteIdent(const String& Value) {
  TFormValue v;
  v.Kind = TFormValueKind::Ident;
  v.Text = Value;
  Put(std::move(v));
}

void TWriter::WriteListBegin() {
  TFormValue list;
  list.Kind = TFormValueKind::List;
  FOpenLists.push_back(std::move(list));
}

void TWriter::WriteListEnd() {
  if (FOpenLists.empty()) throw EWriteError(SWriteError);
  TFormValue list = std::move(FOpenLists.back());
  FOpenLists.pop_back();
  Put(std::move(list));
}

// ---------------------------------------------------------------------------

TComponent* ReadComponentFromText(std::u16string_view Text, TComponent* Root) {
  const TFormObject description = ParseFormText(Text);
  TReader reader(description);
  return reader.ReadRootComponent(Root);
}

String WriteComponentToText(TComponent* Root) {
  TWriter writer;
  return WriteFormText(writer.WriteRootComponent(Root));
}

bool ReadComponentRes(TComponent* Instance) {
  const String name = Instance->ClassName();
  if (!FindResourceW(nullptr, name.c_str(), RT_RCDATA)) return false;
  TResourceStream stream(nullptr, name, RT_RCDATA);
  std::string bytes(static_cast<size_t>(stream.GetSize()), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  ReadComponentFromText(UTF8ToString(bytes), Instance);
  return true;
}

#include "host/TypInfo.h"

#include "host/Exceptions.h"
#include "host/Persistent.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"

Integer TEnumNames::IndexOf(std::u16string_view Name) const {
  for (size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], Name)) return static_cast<Integer>(i);
  return -1;
}

bool TIdentMap::ToIdent(Int64 Value, String& Ident) const {
  for (const TIdentMapEntry& e : Entries)
    if (e.Value == Value) {
      Ident = e.Name;
      return true;
    }
  return false;
}

bool TIdentMap::ToInt(std::u16string_view Ident, Int64& Value) const {
  for (const TIdentMapEntry& e : Entries)
    if (SameText(e.Name, Ident)) {
      Value = e.Value;
      return true;
    }
  return false;
}

const TEnumNames& BooleanNames() {
  static const TEnumNames names{{u"False", u"True"}};
  return names;
}

const TPropInfo* GetPropInfo(TClass AClass, std::u16string_view Name) {
  for (TClass c = AClass; c; c = c->Parent) {
    if (!c->Published) continue;
    for (const TPropInfo& p : c->Published().Properties)
      if (SameText(p.Name, Name)) return &p;
  }
  return nullptr;
}

std::vector<const TPropInfo*> GetPropList(TClass AClass) {
  std::vector<TClass> chain;
  for (TClass c = AClass; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> list;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!(*it)->Published) continue;
    for (const TPropInfo& p : (*it)->Published().Properties) {
      // A descendant that publishes a name again replaces the parent's entry.
      bool replaced = false;
      for (const TPropInfo*& existing : list)
        if (SameText(existing->Name, p.Name)) {
          existing = &p;
          replaced = true;
        }
      if (!replaced) list.push_back(&p);
    }
  }
  return list;
}

const TMethodInfo* FindMethod(TClass AClass, std::u16string_view Name) {
  for (TClass c = AClass; c; c = c->Parent) {
    if (!c->Published) continue;
    for (const TMethodInfo& m : c->Published().Methods)
      if (SameText(m.Name, Name)) return &m;
  }
  return nullptr;
}

const TFieldInfo* FindField(TClass AClass, std::u16string_view Name) {
  if (Name.empty()) return nullptr;
  for (TClass c = AClass; c; c = c->Parent) {
    if (!c->Published) continue;
    for (const TFieldInfo& f : c->Published().Fields)
      if (SameText(f.Name, Name)) return &f;
  }
  return nullptr;
}

void SetMethodProp(TObject* Instance, const TPropInfo& Prop, TObject* Root, const String& MethodName) {
  auto* persistent = dynamic_cast<TPersistent*>(Instance);
  if (MethodName.empty()) {
    Prop.SetMethod(Instance, std::any());
    if (persistent) persistent->SetBoundMethod(Prop.Name, String());
    return;
  }
  const TMethodInfo* method = Root ? FindMethod(Root->ClassType(), MethodName) : nullptr;
  if (!method) throw EPropertyError(SMethodNotFound, {MethodName});
  try {
    Prop.SetMethod(Instance, method->Make(Root));
  } catch (const std::bad_any_cast&) {
    throw EPropertyError(SInvalidPropertyValue);
  }
  if (persistent) persistent->SetBoundMethod(Prop.Name, MethodName);
}

String GetMethodProp(const TObject* Instance, const TPropInfo& Prop) {
  const auto* persistent = dynamic_cast<const TPersistent*>(Instance);
  return persistent ? persistent->GetBoundMethod(Prop.Name) : String();
}

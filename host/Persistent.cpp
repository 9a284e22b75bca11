#include "host/Persistent.h"

#include "host/Exceptions.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"

HOST_CLASS_INFO(TPersistent, TObject, &CreateDefault<TPersistent>)
HOST_CLASS_INFO(TInterfacedPersistent, TPersistent, &CreateDefault<TInterfacedPersistent>)

void TPersistent::Assign(TPersistent* Source) {
  if (Source) Source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
  const String sourceName = Source ? Source->ClassName() : String(u"nil");
  throw EConvertError(SAssignError, {sourceName, ClassName()});
}

String TPersistent::GetNamePath() const {
  String path = ClassName();
  if (const TPersistent* owner = GetOwner()) {
    const String ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) path = ownerPath + u"." + path;
  }
  return path;
}

String TPersistent::GetBoundMethod(std::u16string_view Event) const {
  if (FBoundMethods)
    for (const auto& [event, method] : *FBoundMethods)
      if (SameText(event, Event)) return method;
  return {};
}

void TPersistent::SetBoundMethod(std::u16string_view Event, const String& Method) {
  if (!FBoundMethods) {
    if (Method.empty()) return;
    FBoundMethods = std::make_unique<std::vector<std::pair<String, String>>>();
  }
  auto& entries = *FBoundMethods;
  for (auto it = entries.begin(); it != entries.end(); ++it)
    if (SameText(it->first, Event)) {
      if (Method.empty()) entries.erase(it);
      else it->second = Method;
      return;
    }
  if (!Method.empty()) entries.emplace_back(String(Event), Method);
}

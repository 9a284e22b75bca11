#include "host/Objects.h"

#include <vector>

#include "host/Exceptions.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"

bool TClassInfo::InheritsFrom(const TClassInfo* AClass) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    if (c == AClass) return true;
  return false;
}

TClass TObject::StaticClass() {
  static const TClassInfo info{u"TObject", nullptr, &CreateDefault<TObject>};
  return &info;
}

TClass TObject::ClassType() const { return StaticClass(); }

void TObject::Free(TObject* AObject) {
  if (!AObject) return;
  AObject->BeforeDestruction();
  delete AObject;
}

namespace {

std::vector<TClass>& Registry() {
  static std::vector<TClass> classes;
  return classes;
}

}  // namespace

void RegisterClass(TClass AClass) {
  if (!AClass) return;
  TClass existing = GetClass(AClass->Name);
  if (existing == AClass) return;
  if (existing) throw EFilerError(SDuplicateClass, {AClass->Name});
  Registry().push_back(AClass);
}

void RegisterClasses(std::initializer_list<TClass> AClasses) {
  for (TClass c : AClasses) RegisterClass(c);
}

void UnRegisterClass(TClass AClass) {
  auto& classes = Registry();
  for (auto it = classes.begin(); it != classes.end(); ++it)
    if (*it == AClass) {
      classes.erase(it);
      return;
    }
}

TClass GetClass(std::u16string_view AClassName) {
  for (TClass c : Registry())
    if (SameText(c->Name, AClassName)) return c;
  return nullptr;
}

TClass FindClass(std::u16string_view AClassName) {
  TClass c = GetClass(AClassName);
  if (!c) throw EClassNotFound(SClassNotFound, {AClassName});
  return c;
}

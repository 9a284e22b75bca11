#include "host/Persistent.h"

#include "host/Exceptions.h"
#include "host/SysConst.h"

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

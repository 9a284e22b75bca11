#include "editors/cxEdit.h"

#include "values/cxVariants.h"

bool VarTypeEquals(const Variant& V1, const Variant& V2) {
  return (VarIsNumericEx(V1) && VarIsNumericEx(V2)) || V1.VarType() == V2.VarType() || (VarIsStr(V1) && VarIsStr(V2));
}

bool cxEditVarEquals(const Variant& V1, const Variant& V2) { return VarTypeEquals(V1, V2) && VarEqualsExact(V1, V2); }

bool InternalVarEqualsExact(const Variant& V1, const Variant& V2) {
  return V1.VarType() == V2.VarType() && VarEqualsExact(V1, V2);
}

#pragma once
// The edit framework's value equality: whether an editor's value changed.

#include "host/Variants.h"

// Both numeric, both of string kinds, or the same kind code.
bool VarTypeEquals(const Variant& V1, const Variant& V2);
// Same kind of value and exactly equal: 5 and 5.0 are, 5 and "5" are not.
bool cxEditVarEquals(const Variant& V1, const Variant& V2);
// The same kind code and exactly equal.
bool InternalVarEqualsExact(const Variant& V1, const Variant& V2);

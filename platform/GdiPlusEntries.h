#pragma once
// The entry points of "gdiplus.dll": the one list that the module table
// answers GetProcAddress from and that loaders resolve, in this order. It
// holds what the suite calls, no more: one name missing from a module
// makes a loader give the whole library up.

#include <span>

#include "platform/Modules.h"

std::span<const TEntryPoint> GdiplusEntryPoints();

#pragma once
// What the cxGraphics sources share of the unit's state. Private to graphics/.

#include "platform/Msimg32.h"

// The blend library's entry points, looked up when the unit starts; nullptr
// when the library or the entry is missing.
TGradientFillProc GradientFillProc();
TAlphaBlendProc AlphaBlendProc();

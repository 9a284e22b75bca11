#pragma once
// Test switches of the image library. The library as a whole, or one entry
// point, goes missing through SetModuleAvailable and SetEntryPointAvailable
// (platform/Modules.h).

#include "platform/GdiPlus.h"

namespace Gdiplus {

// Every call of the entry named (such as "GdiplusStartup" or
// "GdipLoadImageFromStream") answers Status and does nothing else; GdipAlloc
// answers nullptr. Ok makes the entry work again.
void SetEntryStatus(LPCSTR EntryName, GpStatus Status);
// An encoder switched off is neither listed nor used.
void SetEncoderAvailable(const CLSID& Encoder, bool Available);
// Images decoded by the library since the last reset, by raw format.
int GetDecodeCount(const GUID& Format);
// Objects alive (images, graphics, brushes, pens, paths, matrices,
// regions, image attributes) and blocks from GdipAlloc not yet freed.
int GetLiveGdiplusObjectCount();
// Every entry and encoder working again, decode counts zero.
void ResetGdiplusSwitches();

}  // namespace Gdiplus

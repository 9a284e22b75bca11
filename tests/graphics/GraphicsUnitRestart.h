#pragma once
// The graphics unit started again as if the system lacked an entry point of
// the blend library: for tests and benchmarks of the fallback paths.

#include "controls/dxCore.h"
#include "graphics/cxGraphics.h"
#include "platform/Modules.h"

// Ends the graphics unit and starts it again, freeing what it made on
// demand meanwhile (the work bitmaps of image drawing, the shared
// canvases).
inline void RestartGraphicsUnit() {
  dxUnitsLoader()->RemoveUnit(&FinalizeGraphics);
  dxUnitsLoader()->AddUnit(&InitializeGraphics, &FinalizeGraphics);
}

// Ends the graphics unit, makes the entry point missing and starts the unit
// again; at the end of the scope the entry comes back the same way.
class TGraphicsUnitWithout {
 public:
  explicit TGraphicsUnitWithout(LPCSTR AEntry) : FEntry(AEntry) { Restart(false); }
  ~TGraphicsUnitWithout() { Restart(true); }
  TGraphicsUnitWithout(const TGraphicsUnitWithout&) = delete;
  TGraphicsUnitWithout& operator=(const TGraphicsUnitWithout&) = delete;

 private:
  void Restart(bool AAvailable) {
    dxUnitsLoader()->RemoveUnit(&FinalizeGraphics);
    SetEntryPointAvailable(u"msimg32.dll", FEntry, AAvailable);
    dxUnitsLoader()->AddUnit(&InitializeGraphics, &FinalizeGraphics);
  }

  LPCSTR FEntry;
};

#include <gtest/gtest.h>

#include "controls/cxClasses.h"
#include "controls/cxDWMApi.h"
#include "controls/dxCore.h"
#include "controls/dxHooks.h"
#include "controls/dxThreading.h"
#include "graphics/cxGraphics.h"
#include "host/HostUnits.h"
#include "platform/Locale.h"
#include "platform/Units.h"
#include "values/cxDataStorage.h"
#include "values/cxDateUtils.h"
#include "values/cxFormats.h"
#include "values/dxCalendarUtils.h"

// The units run around the tests, with the fixed English profile so that no
// answer depends on the machine's locale.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  RegisterHostUnits();
  RegisterCoreUnit();
  RegisterClassesUnit();
  RegisterHooksUnit();
  RegisterDWMApiUnit();
  RegisterThreadingUnit();
  RegisterGraphicsUnit();
  RegisterDataStorageUnit();
  RegisterCalendarUtilsUnit();
  RegisterDateUtilsUnit();
  RegisterFormatsUnit();
  TUnitsScope units;
  return RUN_ALL_TESTS();
}

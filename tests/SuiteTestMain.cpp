#include <gtest/gtest.h>

#include "host/HostUnits.h"
#include "platform/Locale.h"
#include "platform/Units.h"
#include "tests/SuiteUnits.h"

// The units run around the tests, with the fixed English profile so that no
// answer depends on the machine's locale.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  RegisterHostUnits();
  for (auto registerUnit : SuiteUnitRegistrations) registerUnit();
  TUnitsScope units;
  return RUN_ALL_TESTS();
}

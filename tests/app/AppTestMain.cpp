#include <gtest/gtest.h>

#include <cstdlib>

#include "app/Unit1.h"
#include "host/HostUnits.h"
#include "platform/Locale.h"
#include "platform/Units.h"

// The program's units run around the tests, silent and with a fixed locale.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SetLocaleProfile(TLocaleProfile::EnglishUS);
  RegisterHostUnits();
  RegisterUnit1();
  TUnitsScope units;
  return RUN_ALL_TESTS();
}

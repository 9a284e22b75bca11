// The countdown program: the application with its one form, run until the
// form closes; the units are finalized in reverse order on the way out.

#include <cstdio>

#include "app/Unit1.h"
#include "host/HostUnits.h"
#include "platform/Units.h"
#include "platform/backend/ChooseBackend.h"

int main() {
  if (!ChooseBackend()) return 1;
  RegisterHostUnits();
  try {
    TUnitsScope units;
    RegisterUnit1();
    Application()->Initialize();
    Application()->SetMainFormOnTaskBar(true);
    Application()->CreateForm(Form1);
    Application()->Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "countdown: %s\n", e.what());
    return 1;
  }
  return 0;
}

#include "host/SysLocale.h"

#include "platform/SystemMetrics.h"

namespace {

TSysLocale& Locale() {
  static TSysLocale locale;
  return locale;
}

}  // namespace

const TSysLocale& SysLocale() { return Locale(); }

void InitSysLocale() { Locale().FarEast = GetSystemMetrics(SM_DBCSENABLED) != 0; }

void SetSysLocaleFarEast(bool AFarEast) { Locale().FarEast = AFarEast; }

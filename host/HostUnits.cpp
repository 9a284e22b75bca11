#include "host/HostUnits.h"

#include "host/FormatSettings.h"
#include "platform/Units.h"

void RegisterHostUnits() {
  RegisterUnit({"SysUtils", {}, [] { GetFormatSettings(); }, nullptr});
}

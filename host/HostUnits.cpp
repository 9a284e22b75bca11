#include "host/HostUnits.h"

#include "host/FormatSettings.h"
#include "host/Pictures.h"
#include "platform/Units.h"

void RegisterHostUnits() {
  RegisterUnit({"SysUtils", {}, [] { GetFormatSettings(); }, nullptr});
  RegisterUnit({"Graphics",
                {"SysUtils"},
                [] {
                  RegisterClass(TBitmap::StaticClass());
                  TPicture::RegisterFileFormat(u"bmp", u"Bitmaps", TBitmap::StaticClass());
                },
                [] {
                  ClearFileFormats();
                  UnRegisterClass(TBitmap::StaticClass());
                }});
}

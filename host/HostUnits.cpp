#include "host/HostUnits.h"

#include "host/ExtCtrls.h"
#include "host/Forms.h"
#include "host/FormatSettings.h"
#include "host/ImageLists.h"
#include "host/Pictures.h"
#include "host/StdCtrls.h"
#include "host/SysLocale.h"
#include "platform/Units.h"

void RegisterHostUnits() {
  RegisterUnit({"SysUtils", {},
                [] {
                  GetFormatSettings();
                  InitSysLocale();
                },
                nullptr});
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
  RegisterUnit({"Controls",
                {"Graphics"},
                [] {
                  RegisterControlClasses();
                  RegisterClass(TImageList::StaticClass());
                },
                nullptr});
  RegisterUnit({"StdCtrls", {"Controls"}, [] { RegisterStdCtrlsClasses(); }, nullptr});
  RegisterUnit({"ExtCtrls", {"Controls"}, [] { RegisterExtCtrlsClasses(); }, nullptr});
  // The application owns the forms: they go with it, before the units
  // they use are finalized.
  RegisterUnit({"Forms",
                {"Controls", "StdCtrls", "ExtCtrls"},
                [] {
                  RegisterClass(TForm::StaticClass());
                  new TApplication(nullptr);
                },
                [] { TObject::Free(Application()); }});
}

// Number parsers never misbehave, and what they accept prints back to text
// they read as the same value.
#include <cmath>
#include <cstdlib>

#include "host/FMTBcd.h"
#include "host/FloatText.h"
#include "host/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const String text = UTF8ToString(std::string_view(reinterpret_cast<const char*>(Data), Size));
  for (Char decimal : {u'.', u','}) {
    TFormatSettings settings;
    settings.DecimalSeparator = decimal;
    settings.ThousandSeparator = decimal == u'.' ? u',' : u'.';

    Int64 i;
    if (TryStrToInt64(text, i)) {
      Int64 back;
      if (!TryStrToInt64(IntToStr(i), back) || back != i) std::abort();
    }
    Double d;
    if (TryStrToFloat(text, d, settings) && std::isfinite(d)) {
      Double back;
      if (!TryStrToFloat(FloatToStr(d, settings), back, settings) || back != d) std::abort();
      FormatFloat(u"#,##0.00;(#,##0.00);'zero'", d, settings);
      FloatToStrF(d, ffCurrency, 15, 2, settings);
    }
    TBcd bcd;
    if (TryStrToBcd(text, bcd, settings)) {
      TBcd back;
      if (!TryStrToBcd(BcdToStr(bcd, settings), back, settings) || BcdCompare(back, bcd) != 0) std::abort();
    }
    // Any text as a format.
    FormatFloat(text, 1234.5, settings);
  }
  return 0;
}

// Date and time formats split into well-formed items from any text, with the
// run-time's own formats, which the format may expand, taken from the input
// too; writing a date by any format never misbehaves.
#include "tests/fuzz/FuzzText.h"
#include "values/cxFormats.h"

namespace {

bool IsRun(const String& AData, Char ALetter, size_t AMin, size_t AMax) {
  return AData.size() >= AMin && AData.size() <= AMax && AData.find_first_not_of(ALetter) == String::npos;
}

bool WellFormed(const TcxDateTimeFormatItem& AItem) {
  switch (AItem.Kind) {
    case dtikString: return !AItem.Data.empty();
    case dtikYear: return AItem.Data == u"YY" || AItem.Data == u"YYYY";
    case dtikMonth: return IsRun(AItem.Data, u'M', 1, 4);
    case dtikDay: return IsRun(AItem.Data, u'D', 1, 4);
    case dtikHour: return AItem.Data == u"12" || AItem.Data == u"24";
    case dtikMin: return IsRun(AItem.Data, u'N', 1, 2);
    case dtikSec: return IsRun(AItem.Data, u'S', 1, 2);
    case dtikMSec: return IsRun(AItem.Data, u'Z', 1, 3);
    case dtikTimeSuffix: return AItem.Data == u"AMPM" || AItem.Data.size() == 3 || AItem.Data.size() == 5;
    case dtikDateSeparator: return AItem.Data == u"/";
    case dtikTimeSeparator: return AItem.Data == u":";
  }
  return false;
}

void CheckItems(const TcxDateTimeFormatInfo& AInfo) {
  TSet<TcxDateTimeFormatItemKind> seen;
  for (size_t i = 0; i < AInfo.Items.size(); ++i) {
    const TcxDateTimeFormatItem& item = AInfo.Items[i];
    FuzzCheck(WellFormed(item));
    // Texts side by side are one item.
    if (i > 0) FuzzCheck(item.Kind != dtikString || AInfo.Items[i - 1].Kind != dtikString);
    if (item.Kind == dtikString || item.Kind == dtikDateSeparator || item.Kind == dtikTimeSeparator) continue;
    FuzzCheck(!seen.Contains(item.Kind));
    seen.Include(item.Kind);
  }
  FuzzCheck(seen == AInfo.DefinedItems);
  // A suffix only with an hour, which then counts to 12.
  if (seen.Contains(dtikTimeSuffix)) FuzzCheck(seen.Contains(dtikHour));
  for (const TcxDateTimeFormatItem& item : AInfo.Items)
    if (item.Kind == dtikHour) FuzzCheck((item.Data == u"12") == seen.Contains(dtikTimeSuffix));
}

}  // namespace

// The input: five texts, each led by its length in characters: the format,
// then the run-time's short date, long date, short time and long time formats.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const uint8_t* end = Data + Size;
  String texts[5];
  for (String& text : texts)
    if (Data < end) {
      const size_t length = *Data++;
      text = DecodeFuzzText(Data, end, length);
    }
  FormatSettings.ShortDateFormat = texts[1];
  FormatSettings.LongDateFormat = texts[2];
  FormatSettings.ShortTimeFormat = texts[3];
  FormatSettings.LongTimeFormat = texts[4];

  CheckItems(GetDateTimeFormatInfo(texts[0]));
  cxDateToStrByFormat(45420.75, texts[0], 0);
  cxDateToStrByFormat(-657434.0, texts[0], u'-');
  return 0;
}

#include "values/cxFormats.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "host/Forms.h"

HOST_CLASS_INFO(TcxFormatController, TcxMessageWindow, nullptr)

namespace {

// --- Parsing ----------------------------------------------------------------------

// Expansions of expansions are followed this many levels down, no further.
constexpr int MaxExpansionDepth = 2;

Char LowerAscii(Char C) { return C >= u'A' && C <= u'Z' ? static_cast<Char>(C + (u'a' - u'A')) : C; }

bool IsRepeatable(TcxDateTimeFormatItemKind AKind) {
  return AKind == dtikString || AKind == dtikDateSeparator || AKind == dtikTimeSeparator;
}

bool StartsWithText(const String& S, size_t AIndex, std::u16string_view AText) {
  if (S.size() - AIndex < AText.size()) return false;
  for (size_t i = 0; i < AText.size(); ++i)
    if (LowerAscii(S[AIndex + i]) != AText[i]) return false;
  return true;
}

class TDateTimeFormatParser {
 public:
  explicit TDateTimeFormatParser(TcxDateTimeFormatInfo& AInfo) : FInfo(AInfo) {}

  void Parse(const String& AFormat, int ADepth);
  // The hour's clock follows the suffix; a suffix alone means nothing.
  void Finish();

 private:
  void AddString(std::u16string_view AText);
  void Add(TcxDateTimeFormatItemKind AKind, String AData);
  void Expand(const String& AFormat, int ADepth) {
    if (ADepth < MaxExpansionDepth) Parse(AFormat, ADepth + 1);
  }
  // Reads the item at AIndex, moving past it.
  void ParseItem(const String& AFormat, size_t& AIndex, int ADepth);

  TcxDateTimeFormatInfo& FInfo;
  bool FStopped = false;
  // The kind of the last part read, added or not: an "m" right after an
  // hour stands for minutes.
  TcxDateTimeFormatItemKind FLastPart = dtikString;
};

void TDateTimeFormatParser::AddString(std::u16string_view AText) {
  if (AText.empty()) return;
  if (!FInfo.Items.empty() && FInfo.Items.back().Kind == dtikString) FInfo.Items.back().Data += AText;
  else FInfo.Items.push_back({dtikString, String(AText)});
}

void TDateTimeFormatParser::Add(TcxDateTimeFormatItemKind AKind, String AData) {
  if (!IsRepeatable(AKind)) {
    FLastPart = AKind;
    if (FInfo.DefinedItems.Contains(AKind)) return;
    FInfo.DefinedItems.Include(AKind);
  }
  FInfo.Items.push_back({AKind, std::move(AData)});
}

void TDateTimeFormatParser::Parse(const String& AFormat, int ADepth) {
  size_t i = 0;
  while (i < AFormat.size() && !FStopped) ParseItem(AFormat, i, ADepth);
}

void TDateTimeFormatParser::ParseItem(const String& AFormat, size_t& AIndex, int ADepth) {
  const Char c = AFormat[AIndex];
  const Char letter = LowerAscii(c);
  size_t run = 1;
  while (AIndex + run < AFormat.size() && LowerAscii(AFormat[AIndex + run]) == letter) ++run;
  auto take = [&](size_t ALimit) {
    const size_t count = std::min(run, ALimit);
    AIndex += count;
    return count;
  };
  switch (letter) {
    case u'\'':
    case u'"': {
      const size_t end = std::min(AFormat.find(c, AIndex + 1), AFormat.size());
      AddString(std::u16string_view(AFormat).substr(AIndex + 1, end - AIndex - 1));
      AIndex = std::min(end + 1, AFormat.size());
      return;
    }
    case u'/': Add(dtikDateSeparator, u"/"); ++AIndex; return;
    case u':': Add(dtikTimeSeparator, u":"); ++AIndex; return;
    case u'y':
    case u'e': Add(dtikYear, take(run) > 2 ? u"YYYY" : u"YY"); return;
    case u'm':
      if (FLastPart == dtikHour) Add(dtikMin, String(take(2), u'N'));
      else Add(dtikMonth, String(take(4), u'M'));
      return;
    case u'd': {
      const size_t count = take(6);
      if (count <= 4) Add(dtikDay, String(count, u'D'));
      else Expand(count == 5 ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat, ADepth);
      return;
    }
    case u'h': Add(dtikHour, String(take(2), u'H')); return;
    case u'n': Add(dtikMin, String(take(2), u'N')); return;
    case u's': Add(dtikSec, String(take(2), u'S')); return;
    case u'z': Add(dtikMSec, String(take(3), u'Z')); return;
    case u'a':
      if (StartsWithText(AFormat, AIndex, u"am/pm")) {
        Add(dtikTimeSuffix, AFormat.substr(AIndex, 5));
        AIndex += 5;
      } else if (StartsWithText(AFormat, AIndex, u"a/p")) {
        Add(dtikTimeSuffix, AFormat.substr(AIndex, 3));
        AIndex += 3;
      } else if (StartsWithText(AFormat, AIndex, u"ampm")) {
        Add(dtikTimeSuffix, u"AMPM");
        AIndex += 4;
      } else if (run >= 3) {
        Add(dtikDay, String(take(4), u'D'));
      } else {
        AddString(std::u16string_view(&c, 1));
        ++AIndex;
      }
      return;
    case u'c':
      Expand(FormatSettings.ShortDateFormat + u" " + FormatSettings.LongTimeFormat, ADepth);
      ++AIndex;
      return;
    case u't':
      Expand(take(2) == 2 ? FormatSettings.LongTimeFormat : FormatSettings.ShortTimeFormat, ADepth);
      return;
    case u'g': FStopped = true; return;
    default: {
      // A character outside the basic plane stays whole.
      const bool pair = c >= 0xD800 && c <= 0xDBFF && AIndex + 1 < AFormat.size() && AFormat[AIndex + 1] >= 0xDC00 &&
                        AFormat[AIndex + 1] <= 0xDFFF;
      const size_t count = pair ? 2 : 1;
      AddString(std::u16string_view(AFormat).substr(AIndex, count));
      AIndex += count;
      return;
    }
  }
}

void TDateTimeFormatParser::Finish() {
  std::vector<TcxDateTimeFormatItem>& items = FInfo.Items;
  const bool hasSuffix = FInfo.DefinedItems.Contains(dtikTimeSuffix);
  const auto hour = std::find_if(items.begin(), items.end(), [](const auto& item) { return item.Kind == dtikHour; });
  if (hour != items.end()) {
    hour->Data = hasSuffix ? u"12" : u"24";
  } else if (hasSuffix) {
    std::erase_if(items, [](const auto& item) { return item.Kind == dtikTimeSuffix; });
    FInfo.DefinedItems.Exclude(dtikTimeSuffix);
  }
}

// --- Derived formats -------------------------------------------------------------

// Positive patterns by CurrencyFormat and negative ones by NegCurrFormat: S
// stands for the currency text, N for the number.
constexpr const char16_t* PositiveCurrencyPatterns[] = {u"SN", u"NS", u"S N", u"N S"};
constexpr const char16_t* NegativeCurrencyPatterns[] = {u"(SN)", u"-SN",  u"S-N",  u"SN-",   u"(NS)",  u"-NS",
                                                        u"N-S",  u"NS-",  u"-N S", u"-S N",  u"N S-",  u"S N-",
                                                        u"S -N", u"N- S", u"(S N)", u"(N S)"};

// A locale source other than the system's may give numbers past the tables:
// those take the first pattern.
template <size_t Size>
const char16_t* Pattern(const char16_t* const (&APatterns)[Size], Byte AIndex) {
  return APatterns[AIndex < Size ? AIndex : 0];
}

String FillCurrencyPattern(const char16_t* APattern, const String& ACurrency, const String& ANumber) {
  String result;
  for (const char16_t* p = APattern; *p; ++p)
    result += *p == u'S' ? ACurrency : *p == u'N' ? ANumber : String(1, *p);
  return result;
}

// Rewrites AFormat run by run: each run of one character (in either case)
// outside quoted text becomes what AMap makes of it.
template <typename Map>
String MapRuns(const String& AFormat, Map AMap) {
  String result;
  size_t i = 0;
  while (i < AFormat.size()) {
    const Char c = AFormat[i];
    if (c == u'\'' || c == u'"') {
      const size_t end = std::min(AFormat.find(c, i + 1), AFormat.size() - 1);
      result.append(AFormat, i, end - i + 1);
      i = end + 1;
      continue;
    }
    size_t run = 1;
    while (i + run < AFormat.size() && LowerAscii(AFormat[i + run]) == LowerAscii(c)) ++run;
    result += AMap(AFormat.substr(i, run));
    i += run;
  }
  return result;
}

bool IsRunOf(const String& ARun, Char ALowerLetter) { return LowerAscii(ARun[0]) == ALowerLetter; }

// Every d and M that stands alone, doubled.
String DoubleSingleDaysAndMonths(const String& AFormat) {
  return MapRuns(AFormat, [](const String& ARun) {
    return ARun.size() == 1 && (IsRunOf(ARun, u'd') || IsRunOf(ARun, u'm')) ? ARun + ARun : ARun;
  });
}

// The first run of more than three M, cut to three.
String CutLongMonth(const String& AFormat) {
  bool cut = false;
  return MapRuns(AFormat, [&cut](const String& ARun) {
    if (cut || ARun.size() <= 3 || !IsRunOf(ARun, u'm')) return ARun;
    cut = true;
    return ARun.substr(0, 3);
  });
}

// The locale writes its AM/PM marker as a run of t: one letter is "A/P",
// more are "AMPM".
String ConvertLocaleTimeFormat(const String& AFormat) {
  return MapRuns(AFormat, [](const String& ARun) -> String {
    if (!IsRunOf(ARun, u't')) return ARun;
    return ARun.size() == 1 ? u"A/P" : u"AMPM";
  });
}

// What a time suffix's data stands for: the fixed markers "AMPM" and "A/P"
// (as written), or the locale's own AM and PM texts ("am/pm" as written).
enum class TTimeSuffix { LocaleTexts, AMPM, AP };

TTimeSuffix TimeSuffixOf(const String& AData) {
  if (AData == u"AMPM") return TTimeSuffix::AMPM;
  return AData.size() == 3 ? TTimeSuffix::AP : TTimeSuffix::LocaleTexts;
}

bool IsMonthOrDayName(const TcxDateTimeFormatItem& AItem) {
  return (AItem.Kind == dtikMonth || AItem.Kind == dtikDay) && AItem.Data.size() >= 3;
}

// --- Masks --------------------------------------------------------------------------

// A character a regular-expression mask matches literally: escaped, or quoted
// where an escape would mean something else (spaces are skipped, letters and
// digits name classes and groups).
String RegExprChar(Char C) {
  const bool plain = C == u' ' || (C < 0x80 && std::isalnum(static_cast<int>(C)));
  return plain ? cxRegExprQuotedText(String(1, C)) : String{u'\\', C};
}

String RegExprMonth(bool ALongNames) {
  String names;
  for (Integer month = 1; month <= 12; ++month) {
    if (month > 1) names += u'|';
    names += cxRegExprQuotedText(ALongNames ? dxFormatSettings.GetLongMonthNames(month)
                                            : dxFormatSettings.GetShortMonthNames(month));
  }
  return u"((0?[1-9]|1[012])|(" + names + u"))";
}

// Text for FormatDateTime to copy as it stands: double quotes inside single
// ones, anything else inside double ones.
String QuotedFormatText(const String& AText) {
  String result;
  size_t i = 0;
  while (i < AText.size()) {
    const bool doubleQuotes = AText[i] == u'"';
    const size_t stop =
        std::min(doubleQuotes ? AText.find_first_not_of(u'"', i) : AText.find(u'"', i), AText.size());
    const Char quote = doubleQuotes ? u'\'' : u'"';
    result += quote + AText.substr(i, stop - i) + quote;
    i = stop;
  }
  return result;
}

// The format that writes an item as its zone of a standard mask takes it.
String MaskedFormatItem(const TcxDateTimeFormatItem& AItem) {
  switch (AItem.Kind) {
    case dtikString: return QuotedFormatText(AItem.Data);
    case dtikYear: return AItem.Data.size() == 4 ? u"yyyy" : u"yy";
    case dtikMonth: return IsMonthOrDayName(AItem) ? u"MMM" : u"MM";
    case dtikDay: return IsMonthOrDayName(AItem) ? u"ddd" : u"dd";
    case dtikHour: return u"hh";
    case dtikMin: return u"nn";
    case dtikSec: return u"ss";
    case dtikMSec: return u"zzz";
    case dtikTimeSuffix:
      // The fixed markers are typed as letters; the locale's texts as written.
      switch (TimeSuffixOf(AItem.Data)) {
        case TTimeSuffix::AMPM: return u"AM/PM";
        case TTimeSuffix::AP: return AItem.Data;
        case TTimeSuffix::LocaleTexts: return u"AMPM";
      }
      return {};
    case dtikDateSeparator: return u"/";
    case dtikTimeSeparator: return u":";
  }
  return {};
}

String MaskedFormat(const TcxDateTimeFormatInfo& AFormatInfo) {
  String result;
  for (const TcxDateTimeFormatItem& item : AFormatInfo.Items) result += MaskedFormatItem(item);
  return result;
}

std::unique_ptr<TcxFormatController, TFreeObject>& SharedController() {
  static std::unique_ptr<TcxFormatController, TFreeObject> controller;
  return controller;
}

}  // namespace

TcxDateTimeFormatInfo GetDateTimeFormatInfo(const String& AFormat) {
  TcxDateTimeFormatInfo info;
  TDateTimeFormatParser parser(info);
  parser.Parse(AFormat, 0);
  parser.Finish();
  return info;
}

// --- TcxFormatController ------------------------------------------------------------

TcxFormatController::TcxFormatController() {
  GetFormats();
  dxResourceStringsRepository()->AddListener(this);
}

TcxFormatController::~TcxFormatController() { dxResourceStringsRepository()->RemoveListener(this); }

void TcxFormatController::AddListener(IcxFormatControllerListener* AListener) {
  if (AListener && std::find(FList.begin(), FList.end(), AListener) == FList.end()) FList.push_back(AListener);
}

void TcxFormatController::RemoveListener(IcxFormatControllerListener* AListener) { std::erase(FList, AListener); }

void TcxFormatController::BeginUpdate() { ++FLockCount; }

void TcxFormatController::EndUpdate() {
  if (FLockCount == 0) return;
  if (--FLockCount == 0) FormatChanged();
}

void TcxFormatController::FormatChanged() {
  if (FLockCount > 0) return;
  GetFormats();
  NotifyListeners();
}

void TcxFormatController::TimeChanged() {
  ForEachListener(FList, [](IcxFormatControllerListener* listener) {
    IcxFormatControllerTimeListener* timeListener;
    if (Supports(listener, &timeListener)) timeListener->TimeChanged();
  });
}

void TcxFormatController::NotifyListeners() {
  ForEachListener(FList, [](IcxFormatControllerListener* listener) { listener->FormatChanged(); });
}

void TcxFormatController::GetFormats() {
  if (!FAssignedCurrencyFormat) FCurrencyFormat = CalculateCurrencyFormat();
  if (!FAssignedDateEditFormat) FDateEditFormat = CalculateDateEditFormat(false);
  UpdateLocalSettings();
  CalculateDateEditMasks();
}

void TcxFormatController::UpdateLocalSettings() {
  FLocalFormatSettings = cxGetLocalFormatSettings();
  FLocalIsGregorianCalendar = cxIsGregorianCalendar();
}

String TcxFormatController::CalculateCurrencyFormat() const {
  String currency;
  for (Char c : dxFormatSettings.GetCurrencyString()) {
    if (c == u',' || c == u'.') currency += {u'\'', c, u'\''};
    else currency += c;
  }
  const String number = u",0." + String(dxFormatSettings.GetCurrencyDecimals(), u'0');
  return FillCurrencyPattern(Pattern(PositiveCurrencyPatterns, dxFormatSettings.GetCurrencyFormat()), currency,
                             number) +
         u";" +
         FillCurrencyPattern(Pattern(NegativeCurrencyPatterns, dxFormatSettings.GetNegCurrFormat()), currency, number);
}

String TcxFormatController::CalculateDateEditFormat(bool AIsMasked) const {
  const String format = DoubleSingleDaysAndMonths(dxFormatSettings.GetShortDateFormat());
  return AIsMasked ? CutLongMonth(format) : format;
}

String TcxFormatController::GetLongTimeFormat() const {
  return FUseRuntimeDateTimeFormats ? dxFormatSettings.GetLongTimeFormat()
                                    : ConvertLocaleTimeFormat(cxGetLocalLongTimeFormat());
}

String TcxFormatController::GetDateTimeDisplayFormat(TcxDateTimeKind AKind) const {
  switch (AKind) {
    case dtkDate: return dxFormatSettings.GetShortDateFormat();
    case dtkTime: return GetLongTimeFormat();
    case dtkDateTime: return dxFormatSettings.GetShortDateFormat() + u" " + GetLongTimeFormat();
  }
  return {};
}

void TcxFormatController::CalculateDateEditMasks() {
  const String dateFormat = CalculateDateEditFormat(true);
  const String timeFormat = GetLongTimeFormat();
  FDateFormatInfo = ::GetDateTimeFormatInfo(dateFormat);
  FTimeFormatInfo = ::GetDateTimeFormatInfo(timeFormat);
  FDateTimeFormatInfo = ::GetDateTimeFormatInfo(dateFormat + u" " + timeFormat);
  FMaskedDateEditFormat = MaskedFormat(FDateFormatInfo);
  FMaskedDateTimeEditFormat = MaskedFormat(FDateTimeFormatInfo);
  if (!FAssignedStandardDateEditMask) FStandardDateEditMask = StandardMask(FDateFormatInfo);
  if (!FAssignedStandardDateTimeEditMask) FStandardDateTimeEditMask = StandardMask(FDateTimeFormatInfo);
  if (!FAssignedDateEditMask) FDateEditMask = StandardMask(FDateFormatInfo) + u";1;_";
  const String dateMask = RegExprMask(FDateFormatInfo);
  if (!FAssignedRegExprDateEditMask) {
    FRegExprDateEditMask = dateMask;
    AddDateRegExprMaskSmartInput(FRegExprDateEditMask, false);
  }
  if (!FAssignedRegExprDateTimeEditMask) {
    FRegExprDateTimeEditMask = dateMask + u" ' '(" + RegExprMask(FTimeFormatInfo) + u")?";
    AddDateRegExprMaskSmartInput(FRegExprDateTimeEditMask, true);
  }
}

Integer TcxFormatController::GetDateTimeFormatItemStandardMaskZoneLength(const TcxDateTimeFormatItem& AItem) const {
  switch (AItem.Kind) {
    case dtikString: return static_cast<Integer>(AItem.Data.size());
    case dtikYear: return AItem.Data.size() == 4 ? 4 : 2;
    case dtikMonth:
    case dtikDay: return IsMonthOrDayName(AItem) ? 3 : 2;
    case dtikHour:
    case dtikMin:
    case dtikSec: return 2;
    case dtikMSec: return 3;
    case dtikTimeSuffix:
      switch (TimeSuffixOf(AItem.Data)) {
        case TTimeSuffix::AMPM: return 2;
        case TTimeSuffix::AP: return 1;
        case TTimeSuffix::LocaleTexts:
          return static_cast<Integer>(
              std::max(FLocalFormatSettings.TimeAMString.size(), FLocalFormatSettings.TimePMString.size()));
      }
      return 0;
    case dtikDateSeparator:
    case dtikTimeSeparator: return 1;
  }
  return 0;
}

Integer TcxFormatController::GetDateTimeStandardMaskStringLength(const TcxDateTimeFormatInfo& AFormatInfo) const {
  Integer length = 0;
  for (const TcxDateTimeFormatItem& item : AFormatInfo.Items) length += GetDateTimeFormatItemStandardMaskZoneLength(item);
  return length;
}

String TcxFormatController::StandardMask(const TcxDateTimeFormatInfo& AFormatInfo) const {
  String mask = u"!";
  for (const TcxDateTimeFormatItem& item : AFormatInfo.Items) {
    const size_t zone = static_cast<size_t>(GetDateTimeFormatItemStandardMaskZoneLength(item));
    switch (item.Kind) {
      case dtikString:
        for (Char c : item.Data) mask += {u'\\', c};
        break;
      case dtikDateSeparator: mask += {u'\\', dxFormatSettings.GetDateSeparator()}; break;
      case dtikTimeSeparator: mask += {u'\\', dxFormatSettings.GetTimeSeparator()}; break;
      case dtikTimeSuffix:
        // Letters for the fixed markers; the locale's texts may hold any
        // character and differ in length.
        mask += String(zone, TimeSuffixOf(item.Data) == TTimeSuffix::LocaleTexts ? u'c' : u'L');
        break;
      default: mask += String(zone, IsMonthOrDayName(item) ? u'L' : u'9'); break;
    }
  }
  return mask;
}

String TcxFormatController::RegExprTimeSuffix(const String& AData) const {
  switch (TimeSuffixOf(AData)) {
    case TTimeSuffix::AMPM: return u"(AM|PM)?";
    case TTimeSuffix::AP: return u"(A|P)?";
    case TTimeSuffix::LocaleTexts: break;
  }
  const String& am = FLocalFormatSettings.TimeAMString;
  const String& pm = FLocalFormatSettings.TimePMString;
  if (am.empty() && pm.empty()) return {};
  String alternatives = am.empty() ? cxRegExprQuotedText(pm) : cxRegExprQuotedText(am);
  if (!am.empty() && !pm.empty()) alternatives += u"|" + cxRegExprQuotedText(pm);
  return u"(" + alternatives + u")?";
}

String TcxFormatController::RegExprMask(const TcxDateTimeFormatInfo& AFormatInfo) const {
  String mask;
  for (const TcxDateTimeFormatItem& item : AFormatInfo.Items) {
    switch (item.Kind) {
      case dtikString: mask += cxRegExprQuotedText(item.Data); break;
      case dtikYear: mask += item.Data.size() == 4 ? u"\\d\\d\\d\\d" : u"\\d\\d"; break;
      case dtikMonth: mask += RegExprMonth(item.Data == u"MMMM"); break;
      case dtikDay: mask += u"([012]?[1-9]|[123]0|31)"; break;
      case dtikHour: mask += item.Data == u"12" ? u"(0?[1-9]|1[012])" : u"([01]?\\d|2[0-3])"; break;
      case dtikMin:
      case dtikSec: mask += u"[0-5]?\\d"; break;
      case dtikMSec: mask += u"\\d(\\d\\d?)?"; break;
      case dtikTimeSuffix: mask += RegExprTimeSuffix(item.Data); break;
      case dtikDateSeparator: mask += RegExprChar(dxFormatSettings.GetDateSeparator()); break;
      case dtikTimeSeparator: mask += RegExprChar(dxFormatSettings.GetTimeSeparator()); break;
    }
  }
  return mask;
}

namespace {

// Stores an explicitly set value; a real change is a format change.
template <typename T>
bool StoreAssigned(T& AField, bool& AAssigned, const T& AValue) {
  AAssigned = true;
  if (AField == AValue) return false;
  AField = AValue;
  return true;
}

}  // namespace

void TcxFormatController::SetCurrencyFormat(const String& Value) {
  if (StoreAssigned(FCurrencyFormat, FAssignedCurrencyFormat, Value)) FormatChanged();
}

void TcxFormatController::SetAssignedCurrencyFormat(bool Value) {
  if (FAssignedCurrencyFormat == Value) return;
  FAssignedCurrencyFormat = Value;
  FormatChanged();
}

void TcxFormatController::SetDateEditFormat(const String& Value) {
  if (StoreAssigned(FDateEditFormat, FAssignedDateEditFormat, Value)) FormatChanged();
}

void TcxFormatController::SetDateEditMask(const String& Value) {
  if (StoreAssigned(FDateEditMask, FAssignedDateEditMask, Value)) FormatChanged();
}

void TcxFormatController::SetStandardDateEditMask(const String& Value) {
  if (StoreAssigned(FStandardDateEditMask, FAssignedStandardDateEditMask, Value)) FormatChanged();
}

void TcxFormatController::SetStandardDateTimeEditMask(const String& Value) {
  if (StoreAssigned(FStandardDateTimeEditMask, FAssignedStandardDateTimeEditMask, Value)) FormatChanged();
}

void TcxFormatController::SetRegExprDateEditMask(const String& Value) {
  if (StoreAssigned(FRegExprDateEditMask, FAssignedRegExprDateEditMask, Value)) FormatChanged();
}

void TcxFormatController::SetRegExprDateTimeEditMask(const String& Value) {
  if (StoreAssigned(FRegExprDateTimeEditMask, FAssignedRegExprDateTimeEditMask, Value)) FormatChanged();
}

void TcxFormatController::SetFirstWeekOfYear(TcxFirstWeekOfYear Value) {
  if (FFirstWeekOfYear == Value) return;
  FFirstWeekOfYear = Value;
  FormatChanged();
}

void TcxFormatController::SetStartOfWeek(TDay Value) {
  if (dxGetAssignedStartOfWeek() && dxGetStartOfWeek() == Value) return;
  dxSetStartOfWeek(Value);
  FormatChanged();
}

void TcxFormatController::SetAssignedStartOfWeek(bool Value) {
  if (dxGetAssignedStartOfWeek() == Value) return;
  if (Value) dxSetStartOfWeek(dxGetStartOfWeek());
  else dxResetAssignedStartOfWeek();
  FormatChanged();
}

void TcxFormatController::SetUseRuntimeDateTimeFormats(bool Value) {
  if (FUseRuntimeDateTimeFormats == Value) return;
  FUseRuntimeDateTimeFormats = Value;
  FormatChanged();
}

void TcxFormatController::LocaleChanged() {
  // The run-time follows the desktop unless the program keeps its own settings.
  const TApplication* application = CurrentApplication();
  if (application && !application->GetUpdateFormatSettings()) {
    UpdateLocalSettings();
    return;
  }
  SetThreadLocale(LOCALE_USER_DEFAULT);
  GetFormatSettings();
  FormatChanged();
}

LRESULT TcxFormatController::WndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
  switch (AMsg) {
    case WM_SETTINGCHANGE: {
      const auto area = reinterpret_cast<LPCWSTR>(ALParam);
      if (AWParam != 0 || !area || std::u16string_view(area) != u"intl") break;
      LocaleChanged();
      return 0;
    }
    case WM_TIMECHANGE: TimeChanged(); return 0;
  }
  return TcxMessageWindow::WndProc(AMsg, AWParam, ALParam);
}

TcxFormatController* cxFormatController() {
  auto& controller = SharedController();
  if (!controller) controller.reset(new TcxFormatController);
  return controller.get();
}

namespace {
void FinalizeFormats() { SharedController().reset(); }
}  // namespace

void RegisterFormatsUnit() { RegisterSuiteUnit<nullptr, &FinalizeFormats>("cxFormats", {"cxClasses", "cxDateUtils"}); }

// Standard masks compile from any text, and laying any text onto them keeps
// the shape of the mask.
#include "editors/cxStandardMask.h"
#include "tests/fuzz/FuzzText.h"

namespace {

// Every position holds a character, and a literal position its literal.
void CheckShape(const TcxStandardMask& AMask, const String& AText) {
  FuzzCheck(AText.size() == static_cast<size_t>(AMask.GetCount()));
  for (Integer i = 0; i < AMask.GetCount(); ++i)
    if (auto* literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(AMask.GetItems(i)))
      FuzzCheck(AText[i] == literal->GetLiteral());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  const uint8_t* end = Data + Size;
  const size_t maskLength = *Data++;
  const String maskText = DecodeFuzzText(Data, end, maskLength);
  const String text = DecodeFuzzText(Data, end, Size);

  TcxStandardMask mask;
  mask.Compile(maskText);
  const String fullEmpty = mask.GetFullEmptyString();
  CheckShape(mask, fullEmpty);

  String copy = fullEmpty;
  FuzzCheck(mask.IsValid(copy));
  copy = fullEmpty;
  mask.Format(copy, false, true);
  FuzzCheck(copy == fullEmpty);
  if (mask.GetSaveLiteralCharacters()) {
    copy = mask.GetEmptyString();
    FuzzCheck(mask.IsValid(copy));
  }

  for (int flags = 0; flags < 4; ++flags) {
    String formatted = text;
    mask.Format(formatted, flags & 1, flags & 2);
    CheckShape(mask, formatted);
    String stored = formatted;
    mask.Format2(stored);
    FuzzCheck(mask.GetSaveLiteralCharacters() ? stored.size() == formatted.size() : stored.size() <= formatted.size());
  }

  String full = text;
  String partial = text;
  if (mask.IsFullValid(full)) FuzzCheck(mask.IsValid(partial) && partial == full);
  return 0;
}

// Standard masks compile from any text, and laying any text onto them keeps
// the shape of the mask.
#include <cstdlib>

#include "editors/cxStandardMask.h"

namespace {

// One byte a character, so that mask letters come easily; 0xFF takes the
// next two bytes as any UTF-16 unit, lone surrogates included.
String Decode(const uint8_t*& AData, const uint8_t* AEnd, size_t ACount) {
  String result;
  while (AData < AEnd && result.size() < ACount) {
    if (*AData == 0xFF && AEnd - AData >= 3) {
      result.push_back(static_cast<Char>(AData[1] | AData[2] << 8));
      AData += 3;
    } else {
      result.push_back(*AData++);
    }
  }
  return result;
}

void Check(bool ACondition) {
  if (!ACondition) std::abort();
}

// Every position holds a character, and a literal position its literal.
void CheckShape(const TcxStandardMask& AMask, const String& AText) {
  Check(AText.size() == static_cast<size_t>(AMask.GetCount()));
  for (Integer i = 0; i < AMask.GetCount(); ++i)
    if (auto* literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(AMask.GetItems(i)))
      Check(AText[i] == literal->GetLiteral());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  const uint8_t* end = Data + Size;
  const size_t maskLength = *Data++;
  const String maskText = Decode(Data, end, maskLength);
  const String text = Decode(Data, end, Size);

  TcxStandardMask mask;
  mask.Compile(maskText);
  const String fullEmpty = mask.GetFullEmptyString();
  CheckShape(mask, fullEmpty);

  String copy = fullEmpty;
  Check(mask.IsValid(copy));
  copy = fullEmpty;
  mask.Format(copy, false, true);
  Check(copy == fullEmpty);
  if (mask.GetSaveLiteralCharacters()) {
    copy = mask.GetEmptyString();
    Check(mask.IsValid(copy));
  }

  for (int flags = 0; flags < 4; ++flags) {
    String formatted = text;
    mask.Format(formatted, flags & 1, flags & 2);
    CheckShape(mask, formatted);
    String stored = formatted;
    mask.Format2(stored);
    Check(mask.GetSaveLiteralCharacters() ? stored.size() == formatted.size() : stored.size() <= formatted.size());
  }

  String full = text;
  String partial = text;
  if (mask.IsFullValid(full)) Check(mask.IsValid(partial) && partial == full);
  return 0;
}

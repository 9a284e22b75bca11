#include "editors/cxStandardMask.h"

#include <algorithm>

#include "controls/dxCore.h"
#include "host/FormatSettings.h"
#include "host/SysUtils.h"

HOST_CLASS_INFO(TcxStandardMaskCustomItem, TObject, nullptr)
HOST_CLASS_INFO(TcxStandardMaskLiteralItem, TcxStandardMaskCustomItem, nullptr)
HOST_CLASS_INFO(TcxStandardMaskManyItem, TcxStandardMaskCustomItem, nullptr)
HOST_CLASS_INFO(TcxStandardMaskAlphaItem, TcxStandardMaskManyItem, nullptr)
HOST_CLASS_INFO(TcxStandardMaskAlphaNumericItem, TcxStandardMaskManyItem, nullptr)
HOST_CLASS_INFO(TcxStandardMaskASCIIItem, TcxStandardMaskManyItem, nullptr)
HOST_CLASS_INFO(TcxStandardMaskNumericItem, TcxStandardMaskManyItem, nullptr)
HOST_CLASS_INFO(TcxStandardMaskNumericSymbolItem, TcxStandardMaskManyItem, nullptr)
HOST_CLASS_INFO(TcxStandardMask, TObject, nullptr)

namespace {

const TcxStandardMaskManyItem* AsPlaceholder(const TcxStandardMaskCustomItem* AItem) {
  return dynamic_cast<const TcxStandardMaskManyItem*>(AItem);
}

bool IsBlankOrSpace(Char AChar, Char ABlank) { return AChar == ABlank || AChar == u' '; }

}  // namespace

// --- Items -------------------------------------------------------------------

void TcxStandardMaskManyItem::DoCaseControl(Char& AChar) const {
  const std::u16string_view text(&AChar, 1);
  switch (FCaseControl) {
    case ccUpperCase:
      AChar = AnsiUpperCase(text)[0];
      break;
    case ccLowerCase:
      AChar = AnsiLowerCase(text)[0];
      break;
    case ccUserCase:
      break;
  }
}

bool TcxStandardMaskAlphaItem::Check(Char& AChar) const { return Checked(dxCharIsAlpha(AChar), AChar); }

bool TcxStandardMaskAlphaNumericItem::Check(Char& AChar) const {
  return Checked(dxCharIsNumeric(AChar) || dxCharIsAlpha(AChar), AChar);
}

bool TcxStandardMaskASCIIItem::Check(Char& AChar) const { return Checked(true, AChar); }

bool TcxStandardMaskNumericItem::Check(Char& AChar) const { return Checked(dxCharIsNumeric(AChar), AChar); }

bool TcxStandardMaskNumericSymbolItem::Check(Char& AChar) const {
  return Checked(dxCharIsNumeric(AChar) || AChar == u'+' || AChar == u'-', AChar);
}

// --- Compiling ---------------------------------------------------------------

void TcxStandardMask::Clear() {
  FMask.clear();
  FLeading = false;
  FSaveLiteralCharacters = true;
  FBlank = u'_';
  FItems.clear();
}

void TcxStandardMask::Compile(const String& AMask) {
  Clear();
  FMask = AMask;
  String body = AMask;
  DoCompileHead(body);
  DoCompileBody(body);
}

void TcxStandardMask::DoCompileHead(String& AMask) {
  FLeading = !AMask.empty() && AMask[0] == u'!';
  if (FLeading) AMask.erase(0, 1);
}

void TcxStandardMask::DoCompileBody(const String& AMask) {
  TcxCaseControl caseControl = ccUserCase;
  auto add = [this](TcxStandardMaskCustomItem* AItem) { FItems.emplace_back(AItem); };
  for (size_t i = 0; i < AMask.size(); ++i) {
    const Char c = AMask[i];
    switch (c) {
      case u'0':
      case u'9':
        add(new TcxStandardMaskNumericItem(caseControl, c == u'9'));
        break;
      case u'#':
        add(new TcxStandardMaskNumericSymbolItem(caseControl));
        break;
      case u'L':
      case u'l':
        add(new TcxStandardMaskAlphaItem(caseControl, c == u'l'));
        break;
      case u'A':
      case u'a':
        add(new TcxStandardMaskAlphaNumericItem(caseControl, c == u'a'));
        break;
      case u'C':
      case u'c':
        add(new TcxStandardMaskASCIIItem(caseControl, c == u'c'));
        break;
      case u'>':
        caseControl = ccUpperCase;
        break;
      case u'<':
        if (i + 1 < AMask.size() && AMask[i + 1] == u'>') {
          caseControl = ccUserCase;
          ++i;
        } else {
          caseControl = ccLowerCase;
        }
        break;
      case u'\\':
        if (++i < AMask.size()) add(new TcxStandardMaskLiteralItem(AMask[i]));
        break;
      case u'/':
        add(new TcxStandardMaskLiteralItem(FormatSettings.DateSeparator));
        break;
      case u':':
        add(new TcxStandardMaskLiteralItem(FormatSettings.TimeSeparator));
        break;
      case u';':
        if (CompileTrailingSection(AMask, i)) return;
        add(new TcxStandardMaskLiteralItem(c));
        break;
      default:
        add(new TcxStandardMaskLiteralItem(c));
        break;
    }
  }
}

bool TcxStandardMask::CompileTrailingSection(const String& AMask, size_t AIndex) {
  const size_t following = AMask.size() - AIndex - 1;
  const auto isSaveFlag = [](Char c) { return c == u'0' || c == u'1'; };
  if (following != 1 && following != 3) return false;
  const Char save = AMask[AIndex + 1];
  if (!isSaveFlag(save)) return false;
  if (following == 3) {
    if (AMask[AIndex + 2] != u';') return false;
    FBlank = AMask[AIndex + 3];
  }
  FSaveLiteralCharacters = save == u'1';
  return true;
}

// --- Empty texts -------------------------------------------------------------

String TcxStandardMask::GetEmptyString() const {
  String result;
  for (const auto& item : FItems) {
    if (AsPlaceholder(item.get()))
      result.push_back(u' ');
    else if (FSaveLiteralCharacters)
      result.push_back(static_cast<const TcxStandardMaskLiteralItem*>(item.get())->GetLiteral());
  }
  return result;
}

String TcxStandardMask::GetFullEmptyString() const {
  String result;
  result.reserve(FItems.size());
  for (const auto& item : FItems) {
    if (AsPlaceholder(item.get()))
      result.push_back(FBlank);
    else
      result.push_back(static_cast<const TcxStandardMaskLiteralItem*>(item.get())->GetLiteral());
  }
  return result;
}

// --- Laying text onto the mask -----------------------------------------------

void TcxStandardMask::Format(String& AText, bool AChangeCharCase, bool AMatchForBlanksAndLiterals) const {
  String result = GetFullEmptyString();
  const Integer count = GetCount();
  const Integer length = static_cast<Integer>(AText.size());
  const Integer step = FLeading ? -1 : 1;
  Integer next = FLeading ? count - 1 : 0;
  // 0-based here; the text is walked from its end when leading.
  for (Integer k = FLeading ? length - 1 : 0; k >= 0 && k < length; k += step) {
    Char c = AText[k];
    const bool isBlank = c == FBlank;
    // Judged on the character as given: a failed check may have changed
    // the case of a letter blank.
    const bool keepsPlace = IsBlankOrSpace(AText[k], FBlank);
    for (Integer m = next; m >= 0 && m < count; m += step) {
      const TcxStandardMaskCustomItem* item = FItems[m].get();
      const bool isPlaceholder = AsPlaceholder(item) != nullptr;
      // A text that carries no literals skips the literal positions.
      if (!isPlaceholder && !FSaveLiteralCharacters && !AMatchForBlanksAndLiterals && !isBlank) continue;
      if (item->Check(c)) {
        // A literal position shows its literal even when only an earlier
        // placeholder's case conversion made the character match it.
        result[m] = AChangeCharCase || !isPlaceholder ? c : AText[k];
        next = m + step;
        break;
      }
      if (isPlaceholder && keepsPlace) {
        next = m + step;
        break;
      }
    }
  }
  AText = std::move(result);
}

void TcxStandardMask::Format2(String& AText) const {
  String result;
  const size_t count = std::min(AText.size(), FItems.size());
  for (size_t i = 0; i < count; ++i) {
    const Char c = AText[i];
    if (AsPlaceholder(FItems[i].get()))
      result.push_back(c == FBlank ? u' ' : c);
    else if (FSaveLiteralCharacters)
      result.push_back(c);
  }
  AText = std::move(result);
}

// --- Validation --------------------------------------------------------------

bool TcxStandardMask::IsTextValid(String& AText, bool AFull) const {
  if (AFull ? AText.size() != FItems.size() : AText.size() > FItems.size()) return false;
  for (size_t i = 0; i < AText.size(); ++i) {
    const TcxStandardMaskCustomItem* item = FItems[i].get();
    const Char given = AText[i];
    if (item->Check(AText[i])) continue;
    const TcxStandardMaskManyItem* placeholder = AsPlaceholder(item);
    const bool blankAllowed = placeholder && (!AFull || placeholder->GetOptional());
    if (!blankAllowed || !IsBlankOrSpace(given, FBlank)) return false;
    // A blank stays the blank, whatever case the failed check gave it.
    AText[i] = given;
  }
  return true;
}

bool TcxStandardMask::IsFullValid(String& AText) const { return IsTextValid(AText, true); }

bool TcxStandardMask::IsValid(String& AText) const { return IsTextValid(AText, false); }

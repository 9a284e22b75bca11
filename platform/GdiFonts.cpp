#include <algorithm>

#include "platform/FontFace.h"
#include "platform/GdiObjects.h"

namespace {

LOGFONTW Describe(LONG height, LONG weight, BYTE pitchAndFamily, const char16_t* face) {
  LOGFONTW lf;
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfPitchAndFamily = pitchAndFamily;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  return lf;
}

// The description's own part of the metrics, over the face's.
void CompleteMetrics(TFontObject& font) {
  const LOGFONTW& lf = font.Description;
  TEXTMETRICW& tm = font.Metrics;
  tm = font.Face->Metrics();
  tm.tmWeight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<LONG>(lf.lfWeight, 1, 1000);
  tm.tmItalic = lf.lfItalic ? 255 : 0;
  tm.tmUnderlined = lf.lfUnderline ? 255 : 0;
  tm.tmStruckOut = lf.lfStrikeOut ? 255 : 0;
  tm.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
}

}  // namespace

void CreateStockFonts(HGDIOBJ* stock) {
  auto make = [&](int index, const LOGFONTW& lf) {
    stock[index] = CreateFontIndirectW(&lf);
    GdiMakeStock(stock[index]);
  };
  make(SYSTEM_FONT, Describe(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, u"System"));
  make(DEVICE_DEFAULT_FONT, Describe(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, u"System"));
  make(DEFAULT_GUI_FONT, Describe(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, u"Tahoma"));
  make(ANSI_VAR_FONT, Describe(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, u"MS Sans Serif"));
  make(ANSI_FIXED_FONT, Describe(-13, FW_NORMAL, FIXED_PITCH | FF_MODERN, u"Courier"));
  make(OEM_FIXED_FONT, Describe(15, FW_NORMAL, FIXED_PITCH | FF_MODERN, u"Fixedsys"));
  make(SYSTEM_FIXED_FONT, Describe(15, FW_NORMAL, FIXED_PITCH | FF_MODERN, u"Fixedsys"));
}

TFontObject* DCFont(TDeviceContext* dc) {
  if (!dc) return nullptr;
  auto* font = GdiLookupAs<TFontObject>(dc->State.Font, OBJ_FONT);
  if (!font) return nullptr;
  if (!font->Realized) {
    font->Realized = true;
    font->Face = TFontFace::Realize(font->Description);
    if (font->Face) CompleteMetrics(*font);
  }
  return font->Face ? font : nullptr;
}

HFONT CreateFontIndirectW(const LOGFONTW* lplf) {
  if (!lplf) return nullptr;
  auto font = std::make_unique<TFontObject>();
  font->Description = *lplf;
  font->Description.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(GdiAdd(std::move(font)));
}

HFONT CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName) {
  LOGFONTW lf;
  lf.lfHeight = cHeight;
  lf.lfWidth = cWidth;
  lf.lfEscapement = cEscapement;
  lf.lfOrientation = cOrientation;
  lf.lfWeight = cWeight;
  lf.lfItalic = bItalic ? 1 : 0;
  lf.lfUnderline = bUnderline ? 1 : 0;
  lf.lfStrikeOut = bStrikeOut ? 1 : 0;
  lf.lfCharSet = static_cast<BYTE>(iCharSet);
  lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
  lf.lfQuality = static_cast<BYTE>(iQuality);
  lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
  for (int i = 0; pszFaceName && pszFaceName[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = pszFaceName[i];
  return CreateFontIndirectW(&lf);
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* lptm) {
  TFontObject* font = DCFont(DCLookup(hdc));
  if (!font || !lptm) return FALSE;
  *lptm = font->Metrics;
  return TRUE;
}

int GetTextFaceW(HDC hdc, int c, LPWSTR lpName) {
  TFontObject* font = DCFont(DCLookup(hdc));
  if (!font) return 0;
  const std::u16string& name = font->Face->Family();
  const int length = static_cast<int>(name.size());
  if (!lpName) return length + 1;
  if (c <= 0) return 0;
  const int copied = std::min(length, c - 1);
  std::copy_n(name.data(), copied, lpName);
  lpName[copied] = 0;
  return copied;
}

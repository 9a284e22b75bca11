#include "platform/GdiObjects.h"

namespace {

// A light modern scheme.
COLORREF Colors[SystemColorCount] = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(51, 153, 255),  RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(67, 78, 84),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(51, 153, 255),
    RGB(240, 240, 240)};

HBRUSH Brushes[SystemColorCount] = {};

}  // namespace

DWORD GetSysColor(int nIndex) { return nIndex >= 0 && nIndex < SystemColorCount ? Colors[nIndex] : 0; }

HBRUSH GetSysColorBrush(int nIndex) {
  if (nIndex < 0 || nIndex >= SystemColorCount) return nullptr;
  if (!Brushes[nIndex]) {
    Brushes[nIndex] = CreateSolidBrush(Colors[nIndex]);
    GdiMakeStock(Brushes[nIndex]);
  }
  return Brushes[nIndex];
}

BOOL SetSysColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues) {
  if (cElements < 0 || (cElements > 0 && (!lpaElements || !lpaRgbValues))) return FALSE;
  for (int i = 0; i < cElements; ++i) {
    const int index = lpaElements[i];
    if (index < 0 || index >= SystemColorCount) continue;
    Colors[index] = lpaRgbValues[i] & 0x00FFFFFF;
    if (auto* brush = GdiLookupAs<TBrushObject>(Brushes[index], OBJ_BRUSH)) brush->Description.lbColor = Colors[index];
  }
  return TRUE;
}

#include "platform/EditLayout.h"

#include <algorithm>

#include "platform/Edit.h"
#include "platform/GdiText.h"
#include "platform/Painting.h"

namespace {

// The screen's DC with a font selected, for measuring.
class TMeasuringDC {
 public:
  explicit TMeasuringDC(HFONT Font) : FDC(GetDC(nullptr)), FOld(SelectObject(FDC, Font)) {}
  ~TMeasuringDC() {
    SelectObject(FDC, FOld);
    ReleaseDC(nullptr, FDC);
  }
  TMeasuringDC(const TMeasuringDC&) = delete;
  TMeasuringDC& operator=(const TMeasuringDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

}  // namespace

void TEditLayout::SetFont(HFONT Font) {
  FFont = Font;
  MeasureFont();
  SetShown(FShown);
}

HFONT TEditLayout::GetFont() const {
  return FFont ? FFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TEditLayout::MeasureFont() {
  TMeasuringDC dc(GetFont());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.Get(), &tm);
  FLineHeight = tm.tmHeight;
}

void TEditLayout::SetShown(const std::u16string& Shown) {
  if (FLineHeight == 0) MeasureFont();
  FShown = Shown;
  FPrefix.assign(FShown.size() + 1, 0);
  if (!FShown.empty()) {
    TMeasuringDC dc(GetFont());
    SIZE size;
    GetTextExtentExPointW(dc.Get(), FShown.data(), Length(), 0, nullptr, FPrefix.data() + 1, &size);
  }
  FFirstVisible = std::min(FFirstVisible, Length());
}

int TEditLayout::Measure(const std::u16string& Text) const {
  if (Text.empty()) return 0;
  TMeasuringDC dc(GetFont());
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), Text.data(), static_cast<int>(Text.size()), &size);
  return size.cx;
}

int TEditLayout::FormatRight() const { return std::max(ClientWidth - RightMargin, FormatLeft()); }

int TEditLayout::Origin() const {
  const int width = Extent(Length()) - Extent(FFirstVisible);
  if (FFirstVisible > 0 || !Fits(width)) return FormatLeft();
  const int room = FormatRight() - FormatLeft() - CaretWidth;
  switch (Alignment) {
    case ES_RIGHT: return FormatLeft() + room - width;
    case ES_CENTER: return FormatLeft() + (room - width) / 2;
    default: return FormatLeft();
  }
}

void TEditLayout::ScrollToShow(int Index) {
  Index = std::clamp(Index, 0, Length());
  const int room = FormatRight() - FormatLeft() - CaretWidth;
  if (Index < FFirstVisible) FFirstVisible = Index;
  while (FFirstVisible < Index && Extent(Index) - Extent(FFirstVisible) > room) ++FFirstVisible;
  while (FFirstVisible > 0 && Extent(Length()) - Extent(FFirstVisible - 1) <= room) --FFirstVisible;
}

int TEditLayout::XOf(int Index) const {
  return Origin() + Extent(std::clamp(Index, 0, Length())) - Extent(FFirstVisible);
}

int TEditLayout::IndexAt(int X) const {
  const int at = X - Origin() + Extent(FFirstVisible);
  if (at <= 0) return 0;
  if (at >= Extent(Length())) return Length();
  // The character whose cell holds the point.
  const auto after = std::upper_bound(FPrefix.begin(), FPrefix.end(), at);
  const int next = static_cast<int>(after - FPrefix.begin());
  const int index = next - 1;
  return at - Extent(index) < (Extent(next) - Extent(index)) / 2 ? index : next;
}

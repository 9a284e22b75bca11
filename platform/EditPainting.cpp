// How an EDIT control draws: the background and text colours from its
// parent, the text placed by its layout, the selection in the highlight
// colours, or the cue banner.

#include <algorithm>

#include "platform/EditControl.h"
#include "platform/GdiText.h"

namespace {

// The DC's state as it was given, back when painting ends.
class TSavedDC {
 public:
  explicit TSavedDC(HDC DC) : FDC(DC), FSaved(SaveDC(DC)) {}
  ~TSavedDC() { RestoreDC(FDC, FSaved); }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC FDC;
  int FSaved;
};

// The parent sets the colours on the DC and answers the background brush.
HBRUSH AskColors(const TEditControl& Edit, HDC DC) {
  SetTextColor(DC, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(DC, GetSysColor(COLOR_WINDOW));
  HBRUSH brush = nullptr;
  if (HWND parent = GetParent(Edit.Handle))
    brush = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(Edit.Handle)));
  return brush ? brush : GetSysColorBrush(COLOR_WINDOW);
}

// Characters From to To of the shown text, clipped to Clip.
void DrawRun(const TEditControl& Edit, HDC DC, int From, int To, const RECT& Clip, UINT Options) {
  if (From >= To && !(Options & ETO_OPAQUE)) return;
  const std::u16string& shown = Edit.Layout.Shown();
  ExtTextOutW(DC, Edit.Layout.XOf(From), 0, ETO_CLIPPED | Options, &Clip, shown.data() + From,
              static_cast<UINT>(std::max(To - From, 0)), nullptr);
}

}  // namespace

void PaintEdit(TEditControl& Edit, HDC DC) {
  TSavedDC saved(DC);
  RECT client;
  GetClientRect(Edit.Handle, &client);
  HBRUSH background = AskColors(Edit, DC);
  FillRect(DC, &client, background);
  if (!IsWindowEnabled(Edit.Handle)) SetTextColor(DC, GetSysColor(COLOR_GRAYTEXT));
  SelectObject(DC, Edit.Layout.GetFont());
  SetBkMode(DC, TRANSPARENT);
  const TEditLayout& layout = Edit.Layout;
  const RECT format{layout.FormatLeft(), client.Top, layout.FormatRight(), client.Bottom};

  const TEditText& text = Edit.Text;
  Edit.PaintedFirst = layout.FirstVisible();
  Edit.PaintedStart = text.SelStart();
  Edit.PaintedEnd = text.SelEnd();
  if (text.Length() == 0) {
    if (!Edit.CueBanner.empty() && (!Edit.Focused() || Edit.CueWhenFocused)) {
      SetTextColor(DC, GetSysColor(COLOR_GRAYTEXT));
      ExtTextOutW(DC, layout.XOf(0), 0, ETO_CLIPPED, &format, Edit.CueBanner.data(),
                  static_cast<UINT>(Edit.CueBanner.size()), nullptr);
    }
    return;
  }
  const int first = layout.FirstVisible();
  if (!Edit.SelectionShown()) {
    DrawRun(Edit, DC, first, text.Length(), format, 0);
    return;
  }
  const int start = std::max(text.SelStart(), first);
  const int end = std::max(text.SelEnd(), first);
  DrawRun(Edit, DC, first, start, format, 0);
  DrawRun(Edit, DC, end, text.Length(), format, 0);
  RECT selected{std::max(layout.XOf(start), format.Left), client.Top, std::min(layout.XOf(end), format.Right),
                client.Top + layout.LineHeight()};
  if (selected.Right <= selected.Left) return;
  SetTextColor(DC, GetSysColor(COLOR_HIGHLIGHTTEXT));
  SetBkColor(DC, GetSysColor(COLOR_HIGHLIGHT));
  DrawRun(Edit, DC, start, end, selected, ETO_OPAQUE);
}

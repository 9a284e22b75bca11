#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/FontFace.h"
#include "platform/GdiObjects.h"

namespace {

constexpr char16_t Ellipsis[] = u"...";

bool IsFullWidth(char16_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

bool IsBreakSpace(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }

struct TLine {
  std::u16string Text;
  std::vector<int> Underlined;  // positions in Text of prefixed characters
  long long Width = 0;
};

class TTextLayout {
 public:
  TTextLayout(HDC hdc, UINT format, int tabChars, long long rectWidth)
      : FDC(hdc), FFormat(format), FRectWidth(rectWidth) {
    GetTextMetricsW(hdc, &FMetrics);
    FTabWidth = std::max(1, tabChars * static_cast<int>(FMetrics.tmAveCharWidth));
  }

  const TEXTMETRICW& Metrics() const { return FMetrics; }
  int TabWidth() const { return FTabWidth; }
  bool ExpandsTabs() const { return FFormat & DT_EXPANDTABS; }

  // Splits into lines as the format says; Text holds the characters shown.
  std::vector<TLine> Lay(const WCHAR* text, int count) {
    TakeText(text, count);
    std::vector<int> dx(FText.size());
    if (!FText.empty())
      GetTextExtentExPointW(FDC, FText.data(), static_cast<int>(FText.size()), 0, nullptr, dx.data(), nullptr);
    FAdvances.resize(FText.size());
    for (size_t i = 0; i < FText.size(); ++i) FAdvances[i] = dx[i] - (i ? dx[i - 1] : 0);

    std::vector<TLine> lines;
    const int n = static_cast<int>(FText.size());
    if (FFormat & DT_SINGLELINE) {
      lines.push_back(MakeLine(0, n));
      return lines;
    }
    for (int start = 0; start <= n;) {
      int end = start;
      while (end < n && FText[static_cast<size_t>(end)] != u'\r' && FText[static_cast<size_t>(end)] != u'\n') ++end;
      if (FFormat & DT_WORDBREAK) BreakParagraph(start, end, lines);
      else lines.push_back(MakeLine(start, end));
      if (end == n) break;
      start = end + (FText[static_cast<size_t>(end)] == u'\r' && end + 1 < n && FText[static_cast<size_t>(end) + 1] == u'\n' ? 2 : 1);
      if (start == n) break;  // a final line break starts no new line
    }
    return lines;
  }

  // Shortens the line with "..." (at the end, or before the last backslash
  // segment for a path) until it fits; moreFollows forces the end ellipsis.
  void Ellipsize(TLine& line, bool moreFollows) {
    if (FFormat & DT_PATH_ELLIPSIS && line.Width > FRectWidth) {
      const size_t slash = line.Text.rfind(u'\\');
      if (slash != std::u16string::npos) {
        const std::u16string tail = line.Text.substr(slash);
        const long long room = FRectWidth - Measure(Ellipsis, 3, 0) - Measure(tail.data(), static_cast<int>(tail.size()), 0);
        const int keep = Fit(line.Text.data(), static_cast<int>(slash), room);
        ReplaceAfter(line, keep, std::u16string(Ellipsis) + tail, static_cast<int>(slash));
      }
    }
    if (FFormat & DT_END_ELLIPSIS && (line.Width > FRectWidth || moreFollows)) {
      const long long room = FRectWidth - Measure(Ellipsis, 3, 0);
      const int keep = Fit(line.Text.data(), static_cast<int>(line.Text.size()), room);
      ReplaceAfter(line, keep, Ellipsis, static_cast<int>(line.Text.size()));
    }
  }

  long long Measure(const char16_t* s, int n, long long x) {
    long long start = x;
    for (int i = 0; i < n; ++i) x += Advance(s, i, x);
    return x - start;
  }

 private:
  HDC FDC;
  UINT FFormat;
  long long FRectWidth;
  TEXTMETRICW FMetrics;
  int FTabWidth = 8;
  std::u16string FText;
  std::vector<int> FPrefixed;  // positions in FText
  std::vector<int> FAdvances;  // of FText's units

  void TakeText(const WCHAR* text, int count) {
    FText.clear();
    FPrefixed.clear();
    for (int i = 0; i < count; ++i) {
      if (text[i] == u'&' && !(FFormat & DT_NOPREFIX)) {
        if (i + 1 >= count) break;  // a lone final "&" shows nothing
        if (text[i + 1] != u'&') {
          FPrefixed.push_back(static_cast<int>(FText.size()));
          continue;
        }
        ++i;
      }
      FText += text[i];
    }
  }

  // The advance of s[i] at position x of its line; expanded tabs reach the
  // next stop. Strings other than FText are measured through the font.
  long long Advance(const char16_t* s, int i, long long x) {
    if (s[i] == u'\t' && ExpandsTabs()) return FTabWidth - x % FTabWidth;
    const std::less<const char16_t*> before;
    if (!before(s, FText.data()) && before(s, FText.data() + FText.size()))
      return FAdvances[static_cast<size_t>(s - FText.data() + i)];
    SIZE size{0, 0};
    const int units = IsHighSurrogate(s[i]) ? 0 : (i > 0 && IsHighSurrogate(s[i - 1]) ? 2 : 1);
    if (units) GetTextExtentPoint32W(FDC, s + i - (units - 1), units, &size);
    return size.cx;
  }

  // How many leading units of s fit in room.
  int Fit(const char16_t* s, int n, long long room) {
    long long x = 0;
    int keep = 0;
    for (int i = 0; i < n; ++i) {
      x += Advance(s, i, x);
      if (x > room) break;
      if (!IsHighSurrogate(s[i])) keep = i + 1;
    }
    return keep;
  }

  void ReplaceAfter(TLine& line, int keep, const std::u16string& insert, int resumeAt) {
    std::u16string text = line.Text.substr(0, static_cast<size_t>(keep)) + insert;
    std::vector<int> underlined;
    const int shift = keep + static_cast<int>(insert.size()) - static_cast<int>(line.Text.size());
    for (int p : line.Underlined) {
      if (p < keep) underlined.push_back(p);
      else if (p >= resumeAt && resumeAt < static_cast<int>(line.Text.size())) underlined.push_back(p + shift);
    }
    line.Text = std::move(text);
    line.Underlined = std::move(underlined);
    line.Width = Measure(line.Text.data(), static_cast<int>(line.Text.size()), 0);
  }

  TLine MakeLine(int start, int end) {
    TLine line;
    line.Text = FText.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    for (int p : FPrefixed)
      if (p >= start && p < end) line.Underlined.push_back(p - start);
    line.Width = Measure(FText.data() + start, end - start, 0);
    return line;
  }

  // Greedy breaking: at spaces, around full-width characters, and inside a
  // word only for the edit-control format; break spaces are swallowed.
  void BreakParagraph(int start, int end, std::vector<TLine>& lines) {
    const bool fullWidthBreaks = !(FFormat & DT_NOFULLWIDTHCHARBREAK);
    const char16_t* s = FText.data();
    int i = start;
    do {
      const int lineStart = i;
      long long x = 0;
      int breakEnd = -1, breakNext = -1;
      int lineEnd = end, next = end;
      for (int j = lineStart; j < end;) {
        if (IsBreakSpace(s[j])) {
          breakEnd = j;
          while (j < end && IsBreakSpace(s[j])) x += Advance(s, j++, x);
          breakNext = j;
          continue;
        }
        const bool fullWidth = fullWidthBreaks && IsFullWidth(s[j]);
        if (fullWidth && j > lineStart) breakEnd = breakNext = j;
        const int units = IsHighSurrogate(s[j]) && j + 1 < end ? 2 : 1;
        long long w = 0;
        for (int u = 0; u < units; ++u) w += Advance(s, j + u, x + w);
        if (x + w > FRectWidth && j > lineStart) {
          if (breakEnd > lineStart) {
            lineEnd = breakEnd, next = breakNext;
          } else if (FFormat & DT_EDITCONTROL) {
            lineEnd = next = j;
          } else {  // the word stays whole and overflows
            int k = j;
            while (k < end && !IsBreakSpace(s[k]) && !(fullWidthBreaks && IsFullWidth(s[k]))) ++k;
            lineEnd = k;
            while (k < end && IsBreakSpace(s[k])) ++k;
            next = k;
          }
          break;
        }
        x += w;
        j += units;
        if (fullWidth) breakEnd = breakNext = j;
      }
      lines.push_back(MakeLine(lineStart, lineEnd));
      i = next;
    } while (i < end);
  }
};

}  // namespace

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, RECT* lprc, UINT format) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || !lprc || !DCFont(dc)) return 0;
  if (!lpchText) cchText = 0;
  if (cchText < 0) cchText = static_cast<int>(std::char_traits<char16_t>::length(lpchText));
  const int tabChars = (format & DT_TABSTOP) ? static_cast<int>((format >> 8) & 0xFF) : 8;
  if (format & DT_TABSTOP) format &= ~0xFF00u;  // those bits hold the tab size
  const bool calc = format & DT_CALCRECT;
  if (cchText == 0) {
    if (calc) lprc->Right = lprc->Left, lprc->Bottom = lprc->Top;
    return 0;
  }

  const long long width = static_cast<long long>(lprc->Right) - lprc->Left;
  TTextLayout layout(hdc, format, tabChars, width);
  std::vector<TLine> lines = layout.Lay(lpchText, cchText);
  const TEXTMETRICW& tm = layout.Metrics();
  const long long lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  const bool single = format & DT_SINGLELINE;

  // An edit control shows no partly visible last line (but always one).
  size_t shown = lines.size();
  if (!calc && !single && (format & DT_EDITCONTROL)) {
    const long long room = static_cast<long long>(lprc->Bottom) - lprc->Top;
    shown = std::clamp<size_t>(static_cast<size_t>(std::max<long long>(room / lineHeight, 0)), 1, lines.size());
  }
  if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) layout.Ellipsize(lines[shown - 1], shown < lines.size());
  lines.resize(shown);

  long long top = lprc->Top;
  if (single && (format & DT_VCENTER)) top = lprc->Top + (static_cast<long long>(lprc->Bottom) - lprc->Top - lineHeight) / 2;
  else if (single && (format & DT_BOTTOM)) top = lprc->Bottom - lineHeight;
  const long long textHeight = lineHeight * static_cast<long long>(lines.size());
  const long long result = single && (format & (DT_VCENTER | DT_BOTTOM)) ? top + lineHeight - lprc->Top : textHeight;

  if (calc) {
    long long widest = 0;
    for (const TLine& line : lines) widest = std::max(widest, line.Width);
    lprc->Right = static_cast<LONG>(std::clamp<long long>(lprc->Left + widest, INT_MIN, INT_MAX));
    lprc->Bottom = static_cast<LONG>(std::clamp<long long>(lprc->Top + textHeight, INT_MIN, INT_MAX));
    return static_cast<int>(std::clamp<long long>(result, INT_MIN, INT_MAX));
  }

  const int saved = SaveDC(hdc);
  if (!(format & DT_NOCLIP)) IntersectClipRect(hdc, lprc->Left, lprc->Top, lprc->Right, lprc->Bottom);
  SetTextAlign(hdc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  TFontFace& face = *DCFont(dc)->Face;
  HBRUSH underline = nullptr;
  const int tabWidth = layout.TabWidth();
  long long y = top;
  for (const TLine& line : lines) {
    long long x = lprc->Left;
    if (format & DT_CENTER) x = lprc->Left + (width - line.Width) / 2;
    else if (format & DT_RIGHT) x = lprc->Right - line.Width;
    const int ix = static_cast<int>(std::clamp<long long>(x, INT_MIN / 2, INT_MAX / 2));
    const int iy = static_cast<int>(std::clamp<long long>(y, INT_MIN / 2, INT_MAX / 2));
    const int n = static_cast<int>(line.Text.size());
    if (layout.ExpandsTabs() && line.Text.find(u'\t') != std::u16string::npos)
      TabbedTextOutW(hdc, ix, iy, line.Text.data(), n, 1, &tabWidth, ix);
    else
      ExtTextOutW(hdc, ix, iy, 0, nullptr, line.Text.data(), static_cast<UINT>(n), nullptr);
    for (int p : line.Underlined) {
      if (!underline) underline = CreateSolidBrush(GetTextColor(hdc));
      const long long from = layout.Measure(line.Text.data(), p, 0);
      // A surrogate pair is underlined whole.
      const int units = p + 1 < n && IsHighSurrogate(line.Text[static_cast<size_t>(p)]) ? 2 : 1;
      const long long to = from + layout.Measure(line.Text.data() + p, units, from);
      const int stroke = iy + static_cast<int>(tm.tmAscent) + face.UnderlineOffset();
      const RECT bar{static_cast<LONG>(ix + from), stroke, static_cast<LONG>(ix + to), stroke + face.StrokeThickness()};
      FillRect(hdc, &bar, underline);
    }
    y += lineHeight;
  }
  if (underline) DeleteObject(underline);
  RestoreDC(hdc, saved);
  return static_cast<int>(std::clamp<long long>(result, INT_MIN, INT_MAX));
}

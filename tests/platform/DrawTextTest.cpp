#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Gdi.h"
#include "platform/GdiText.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

using DrawText = TGdiLeakCheck;

constexpr DWORD Paper = 0x00FFFFFF;
constexpr COLORREF Ink = RGB(0x20, 0x30, 0x40);
// Drawn opaque, each line's cell shows exactly which characters it holds,
// spaces included.
constexpr COLORREF Cell = RGB(0xC8, 0xE0, 0xFF);

// Outlives the pages declared after it, so it is never deleted while selected.
struct TFont {
  HFONT H;
  explicit TFont(bool underline = false, const char16_t* face = u"DejaVu Sans Mono",
                 DWORD pitch = FIXED_PITCH | FF_MODERN)
      : H(CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, underline, 0, DEFAULT_CHARSET, 0, 0, 0, pitch, face)) {}
  ~TFont() { DeleteObject(H); }
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  operator HFONT() const { return H; }
};

// For messages: ASCII as it is, anything else as '?'.
std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  return out;
}

std::string Hex(DWORD v) {
  std::ostringstream out;
  out << "0x" << std::hex << v;
  return out.str();
}

std::string Show(const RECT& r) {
  std::ostringstream out;
  out << "{" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "}";
  return out.str();
}

// A white surface with a font selected and the text colours set.
struct TPage {
  static constexpr int W = 320, H = 180;
  TTestSurface S{W, H, Paper};
  HGDIOBJ OldFont;
  TEXTMETRICW Tm;

  explicit TPage(HFONT font, int bkMode = OPAQUE) {
    OldFont = SelectObject(S.DC, font);
    SetTextColor(S.DC, Ink);
    SetBkColor(S.DC, Cell);
    SetBkMode(S.DC, bkMode);
    GetTextMetricsW(S.DC, &Tm);
  }
  ~TPage() { SelectObject(S.DC, OldFont); }
  TPage(const TPage&) = delete;
  TPage& operator=(const TPage&) = delete;

  int Extent(const std::u16string& s) const {
    SIZE size{};
    GetTextExtentPoint32W(S.DC, s.data(), static_cast<int>(s.size()), &size);
    return size.cx;
  }
  int Widest(const std::vector<std::u16string>& lines) const {
    int w = 0;
    for (const auto& line : lines) w = std::max(w, Extent(line));
    return w;
  }
  bool Blank() const { return std::all_of(S.Bits, S.Bits + W * H, [](DWORD p) { return p == Paper; }); }
  void Out(int x, int y, const std::u16string& s) { TextOutW(S.DC, x, y, s.data(), static_cast<int>(s.size())); }

  // The lines as DrawTextW should lay them out: tmHeight apart from top,
  // each aligned between box's sides, clipped to box unless noClip.
  void Lines(const std::vector<std::u16string>& lines, const RECT& box, int top, UINT align = 0, bool noClip = false) {
    const int saved = SaveDC(S.DC);
    if (!noClip) IntersectClipRect(S.DC, box.Left, box.Top, box.Right, box.Bottom);
    int y = top;
    for (const auto& line : lines) {
      const int w = Extent(line);
      int x = box.Left;
      if (align & DT_CENTER) x = box.Left + (box.Right - box.Left - w) / 2;
      else if (align & DT_RIGHT) x = box.Right - w;
      Out(x, y, line);
      y += Tm.tmHeight;
    }
    RestoreDC(S.DC, saved);
  }
};

::testing::AssertionResult SameSurface(const TPage& got, const TPage& want) {
  if (want.Blank()) return ::testing::AssertionFailure() << "the expected drawing is empty";
  for (int y = 0; y < TPage::H; ++y)
    for (int x = 0; x < TPage::W; ++x)
      if (got.S.At(x, y) != want.S.At(x, y))
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << "): "
                                             << Hex(got.S.At(x, y)) << " instead of " << Hex(want.S.At(x, y));
  return ::testing::AssertionSuccess();
}

struct TLayoutCase {
  const char16_t* Text;
  const char16_t* Width;  // the rectangle is as wide as this string
  UINT Format;
  std::vector<std::u16string> Lines;
};

// Drawn text equals the expected lines drawn one by one; DT_CALCRECT gives
// their rectangle (widest line, one tmHeight each) and draws nothing.
void CheckLayout(HFONT font, const TLayoutCase& c) {
  SCOPED_TRACE(::testing::Message() << "\"" << Narrow(c.Text) << "\" in the width of \"" << Narrow(c.Width)
                                    << "\", format 0x" << std::hex << c.Format);
  TPage got(font), want(font), calc(font);
  const LONG th = got.Tm.tmHeight;
  const RECT rect{6, 4, 6 + got.Extent(c.Width), 4 + 7 * th};
  RECT r = rect;
  EXPECT_EQ(DrawTextW(got.S.DC, c.Text, -1, &r, c.Format), static_cast<int>(c.Lines.size()) * th);
  EXPECT_EQ(r, rect) << "drawing moved the rectangle to " << Show(r);
  want.Lines(c.Lines, rect, rect.Top);
  EXPECT_TRUE(SameSurface(got, want));

  RECT calcRect = rect;
  const RECT expected{rect.Left, rect.Top, rect.Left + want.Widest(c.Lines),
                      rect.Top + static_cast<LONG>(c.Lines.size()) * th};
  EXPECT_EQ(DrawTextW(calc.S.DC, c.Text, -1, &calcRect, c.Format | DT_CALCRECT), static_cast<int>(c.Lines.size()) * th);
  EXPECT_EQ(calcRect, expected) << Show(calcRect) << " instead of " << Show(expected);
  EXPECT_TRUE(calc.Blank()) << "DT_CALCRECT drew";
}

TEST_F(DrawText, WordBreakAndLineBreaksMatchTheCalculatedRectangle) {
  constexpr UINT WB = DT_WORDBREAK;
  const TLayoutCase cases[] = {
      {u"aaa bbb ccc", u"0000000", WB, {u"aaa bbb", u"ccc"}},
      {u"aaa bbb ccc", u"000000", WB, {u"aaa", u"bbb", u"ccc"}},
      {u"aaa   bbb", u"0000", WB, {u"aaa", u"bbb"}},  // the whole run of spaces goes
      {u"aa\nbbb cc\r\ndd\reee", u"0000000000", WB, {u"aa", u"bbb cc", u"dd", u"eee"}},
      {u"aa\n\nbb", u"0000000000", WB, {u"aa", u"", u"bb"}},
      {u"aa\r\n", u"0000000000", WB, {u"aa"}},  // a final line break opens no empty line
      {u"aa bbbbbbbb c", u"0000", WB, {u"aa", u"bbbbbbbb", u"c"}},  // whole and wider than the rectangle
      {u"aa bbbbbbbb c", u"0000", WB | DT_EDITCONTROL, {u"aa", u"bbbb", u"bbbb", u"c"}},
      {u"aaa bbb\nccc", u"00", 0, {u"aaa bbb", u"ccc"}},  // only CR and LF break without DT_WORDBREAK
      {u"aaa\r\nbbb", u"00", DT_SINGLELINE, {u"aaa\r\nbbb"}},
      {u"aaa\nbbb ccc", u"00", DT_SINGLELINE | WB, {u"aaa\nbbb ccc"}},
  };
  const TFont mono, sans(false, u"DejaVu Sans", VARIABLE_PITCH | FF_SWISS);
  for (const auto& c : cases) CheckLayout(mono, c);
  // Breaks follow each character's advance, not a character count.
  {
    TPage page(sans);
    ASSERT_LT(page.Extent(u"ii"), page.Extent(u"MM"));
  }
  CheckLayout(sans, {u"il il il MM", u"il il il M", WB, {u"il il il", u"MM"}});
  CheckLayout(sans, {u"MM il il il", u"MM il il", WB, {u"MM il il", u"il"}});
}

TEST_F(DrawText, FullWidthCharactersBreakUnlessTold) {
  constexpr UINT WB = DT_WORDBREAK;
  // The font may lack these glyphs: the layout still follows their advances.
  const TLayoutCase cases[] = {
      {u"一二三四", u"一二", WB, {u"一二", u"三四"}},
      {u"一二三四", u"一二", WB | DT_NOFULLWIDTHCHARBREAK, {u"一二三四"}},
      {u"ab 一二三四", u"ab 一二", WB, {u"ab 一二", u"三四"}},
      {u"ab 一二三四", u"ab 一二", WB | DT_NOFULLWIDTHCHARBREAK, {u"ab", u"一二三四"}},
      {u"一二三四", u"一二", WB | DT_NOFULLWIDTHCHARBREAK | DT_EDITCONTROL, {u"一二", u"三四"}},
  };
  const TFont font;
  for (const auto& c : cases) CheckLayout(font, c);
}

TEST_F(DrawText, EachLineIsAlignedOnItsOwn) {
  const UINT formats[] = {DT_LEFT, DT_CENTER, DT_RIGHT, DT_CENTER | DT_WORDBREAK, DT_RIGHT | DT_WORDBREAK};
  const std::vector<std::u16string> lines{u"a bbb", u"cc", u"dddd e"};
  const TFont font;
  for (UINT format : formats) {
    SCOPED_TRACE(format);
    TPage got(font), want(font);
    const LONG th = got.Tm.tmHeight;
    // An odd spare width: centring rounds the same way on every line.
    const RECT rect{3, 2, 3 + got.Extent(u"0000000") + 3, 2 + 4 * th};
    RECT r = rect;
    EXPECT_EQ(DrawTextW(got.S.DC, u"a bbb\ncc\ndddd e", -1, &r, format), 3 * th);
    want.Lines(lines, rect, rect.Top, format);
    EXPECT_TRUE(SameSurface(got, want));
  }
}

TEST_F(DrawText, VerticalPlacementActsOnlyOnASingleLine) {
  const TFont font;
  TPage probe(font);
  const LONG th = probe.Tm.tmHeight;
  const RECT rect{5, 7, 5 + probe.Extent(u"0000000000"), 7 + 3 * th + 5};
  const LONG h = rect.Bottom - rect.Top;
  struct Case {
    const char16_t* text;
    UINT format;
    std::vector<std::u16string> lines;
    LONG top;  // of the first line, from rect.Top
    int result;
  } cases[] = {
      {u"abc", DT_SINGLELINE, {u"abc"}, 0, static_cast<int>(th)},
      {u"abc", DT_SINGLELINE | DT_VCENTER, {u"abc"}, (h - th) / 2, static_cast<int>((h - th) / 2 + th)},
      {u"abc", DT_SINGLELINE | DT_VCENTER | DT_CENTER, {u"abc"}, (h - th) / 2, static_cast<int>((h - th) / 2 + th)},
      {u"abc", DT_SINGLELINE | DT_BOTTOM, {u"abc"}, h - th, static_cast<int>(h)},
      {u"abc\ndef", DT_VCENTER, {u"abc", u"def"}, 0, static_cast<int>(2 * th)},
      {u"abc def", DT_BOTTOM | DT_WORDBREAK, {u"abc", u"def"}, 0, static_cast<int>(2 * th)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    TPage got(font), want(font);
    RECT narrow = rect;
    if (c.format & DT_WORDBREAK) narrow.Right = narrow.Left + got.Extent(u"0000");
    RECT r = narrow;
    EXPECT_EQ(DrawTextW(got.S.DC, c.text, -1, &r, c.format), c.result);
    want.Lines(c.lines, narrow, rect.Top + c.top, c.format);
    EXPECT_TRUE(SameSurface(got, want));
  }
}

TEST_F(DrawText, EllipsesShortenWhatIsShownNotTheString) {
  struct Case {
    const char16_t* text;
    const char16_t* width;
    int slack;  // pixels added to the width
    UINT format;
    std::vector<std::u16string> lines;
  } cases[] = {
      {u"abcdefgh", u"000000", 0, DT_SINGLELINE | DT_END_ELLIPSIS, {u"abc..."}},
      {u"abcdefgh", u"0000000", -1, DT_SINGLELINE | DT_END_ELLIPSIS, {u"abc..."}},
      {u"abcdef", u"000000", 0, DT_SINGLELINE | DT_END_ELLIPSIS, {u"abcdef"}},
      {u"aaa bbb cccccccc", u"00000", 0, DT_WORDBREAK | DT_END_ELLIPSIS, {u"aaa", u"bbb", u"cc..."}},
      {u"cccccccc aaa", u"00000", 0, DT_WORDBREAK | DT_END_ELLIPSIS, {u"cccccccc", u"aaa"}},  // only the last line
      {u"c:\\dir\\sub\\file.txt", u"c:\\...\\file.txt", 0, DT_SINGLELINE | DT_PATH_ELLIPSIS, {u"c:\\...\\file.txt"}},
      {u"c:\\dir\\sub\\file.txt", u"c:\\...\\file.txt", -1, DT_SINGLELINE | DT_PATH_ELLIPSIS, {u"c:...\\file.txt"}},
      {u"c:\\dir\\sub\\file.txt", u"c:\\dir\\sub\\file.txt", 0, DT_SINGLELINE | DT_PATH_ELLIPSIS,
       {u"c:\\dir\\sub\\file.txt"}},
  };
  const TFont font;
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.lines.back()));
    TPage got(font), want(font), calc(font);
    const RECT rect{4, 4, 4 + got.Extent(c.width) + c.slack, 4 + 4 * got.Tm.tmHeight};
    std::u16string text = c.text;
    const std::u16string original = text;
    RECT r = rect;
    EXPECT_EQ(DrawTextW(got.S.DC, text.data(), static_cast<int>(text.size()), &r, c.format),
              static_cast<int>(c.lines.size()) * got.Tm.tmHeight);
    EXPECT_EQ(text, original);
    want.Lines(c.lines, rect, rect.Top);
    EXPECT_TRUE(SameSurface(got, want));
    r = rect;
    DrawTextW(calc.S.DC, text.data(), static_cast<int>(text.size()), &r, c.format | DT_CALCRECT);
    EXPECT_EQ(r.Right, rect.Left + want.Widest(c.lines));
    EXPECT_EQ(text, original);
  }
}

TEST_F(DrawText, PrefixUnderlinesTheNextCharacter) {
  struct Case {
    const char16_t* text;
    UINT format;
    std::vector<std::u16string> lines;
    int underLine, underChar;  // the character underlined, -1 for none
    const char16_t* width = u"0000000000";
  } cases[] = {
      {u"&File", DT_SINGLELINE, {u"File"}, 0, 0},
      {u"Fi&le", DT_SINGLELINE, {u"File"}, 0, 2},
      {u"&File", DT_SINGLELINE | DT_RIGHT, {u"File"}, 0, 0},
      {u"A&&B", DT_SINGLELINE, {u"A&B"}, -1, -1},
      {u"&&&x", DT_SINGLELINE, {u"&x"}, 0, 1},
      {u"&File", DT_SINGLELINE | DT_NOPREFIX, {u"&File"}, -1, -1},
      {u"A&&B", DT_SINGLELINE | DT_NOPREFIX, {u"A&&B"}, -1, -1},
      {u"ab\nc&de", 0, {u"ab", u"cde"}, 1, 1},
      {u"a&\U0001D400b", DT_SINGLELINE, {u"a\U0001D400b"}, 0, 1},  // the whole surrogate pair
      {u"c:\\d&ir\\sub\\&file.txt", DT_SINGLELINE | DT_PATH_ELLIPSIS, {u"c:\\...\\file.txt"}, 0, 7,
       u"c:\\...\\file.txt"},
      {u"abc&defgh", DT_SINGLELINE | DT_END_ELLIPSIS, {u"abc..."}, -1, -1, u"000000"},
  };
  const TFont font, underlined(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    TPage got(font), want(font), calc(font);
    const LONG th = got.Tm.tmHeight;
    const RECT rect{5, 5, 5 + got.Extent(c.width), 5 + 3 * th};
    RECT r = rect;
    EXPECT_EQ(DrawTextW(got.S.DC, c.text, -1, &r, c.format), static_cast<int>(c.lines.size()) * th);
    for (int i = 0; i < static_cast<int>(c.lines.size()); ++i) {
      const std::u16string& line = c.lines[static_cast<size_t>(i)];
      const int x = (c.format & DT_RIGHT) ? rect.Right - want.Extent(line) : rect.Left;
      const int y = rect.Top + i * th;
      if (i != c.underLine) {
        want.Out(x, y, line);
        continue;
      }
      // The same glyphs in three pieces, the middle one through the underlined font.
      const auto k = static_cast<size_t>(c.underChar);
      const size_t units = line[k] >= 0xD800 && line[k] < 0xDC00 ? 2 : 1;
      const std::u16string before = line.substr(0, k), mid = line.substr(k, units), after = line.substr(k + units);
      want.Out(x, y, before);
      SelectObject(want.S.DC, underlined);
      want.Out(x + want.Extent(before), y, mid);
      SelectObject(want.S.DC, font);
      want.Out(x + want.Extent(before + mid), y, after);
    }
    EXPECT_TRUE(SameSurface(got, want));
    r = rect;
    DrawTextW(calc.S.DC, c.text, -1, &r, c.format | DT_CALCRECT);
    EXPECT_EQ(r.Right, rect.Left + want.Widest(c.lines));
  }
}

TEST_F(DrawText, ExpandedTabsReachTheNextStop) {
  const TFont font;
  struct Case {
    const char16_t* text;
    UINT format;
    int stopChars;  // average widths between stops, 0 when tabs are not expanded
  } cases[] = {
      {u"a\tb", DT_EXPANDTABS, 8},
      {u"ab\tc\td", DT_EXPANDTABS, 8},
      {u"aaaaaaaaa\tb", DT_EXPANDTABS, 8},
      {u"a\t\tb\ncc\td", DT_EXPANDTABS, 8},  // every line starts its own stops
      {u"a\tbb\tc", DT_EXPANDTABS | DT_TABSTOP | (3 << 8), 3},
      {u"a\tb", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    // Transparent: the pieces below leave the tabs' cells unfilled.
    TPage got(font, TRANSPARENT), want(font, TRANSPARENT), calc(font);
    const LONG th = got.Tm.tmHeight;
    const RECT rect{3, 3, TPage::W - 3, 3 + 3 * th};
    RECT r = rect;
    const std::u16string text = c.text;
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), u'\n'));
    EXPECT_EQ(DrawTextW(got.S.DC, c.text, -1, &r, c.format), lines * th);
    const int stop = c.stopChars * got.Tm.tmAveCharWidth;
    int widest = 0, y = rect.Top;
    size_t start = 0;
    while (start <= text.size()) {
      const size_t end = std::min(text.find(u'\n', start), text.size());
      const std::u16string line = text.substr(start, end - start);
      int x = 0;
      if (!stop) {
        want.Out(rect.Left, y, line);
        x = want.Extent(line);
      } else {
        for (char16_t ch : line) {
          if (ch == u'\t') {
            x = (x / stop + 1) * stop;
            continue;
          }
          want.Out(rect.Left + x, y, std::u16string(1, ch));
          x += want.Extent(std::u16string(1, ch));
        }
      }
      widest = std::max(widest, x);
      y += th;
      start = end + 1;
    }
    EXPECT_TRUE(SameSurface(got, want));
    if (!(c.format & DT_TABSTOP)) {  // the tab size takes DT_CALCRECT's bit
      r = rect;
      DrawTextW(calc.S.DC, c.text, -1, &r, c.format | DT_CALCRECT);
      EXPECT_EQ(r.Right, rect.Left + widest);
    }
  }
}

TEST_F(DrawText, EditControlDropsAPartlyVisibleLastLine) {
  const TFont font;
  TPage probe(font);
  const LONG th = probe.Tm.tmHeight;
  struct Case {
    const char16_t* text;
    UINT format;
    LONG height;
    std::vector<std::u16string> lines;  // drawn
    int allLines;                      // in the calculated rectangle
  } cases[] = {
      {u"aaa\nbbb\nccc", DT_EDITCONTROL, 2 * th + th / 2, {u"aaa", u"bbb"}, 3},
      {u"aaa\nbbb\nccc", DT_EDITCONTROL, 2 * th, {u"aaa", u"bbb"}, 3},
      {u"aaa\nbbb\nccc", DT_EDITCONTROL, th / 2, {u"aaa"}, 3},  // one line is always left
      {u"aaa\nbbb\nccc", 0, 2 * th + th / 2, {u"aaa", u"bbb", u"ccc"}, 3},  // clipped instead
      {u"aaa bbb ccc", DT_EDITCONTROL | DT_WORDBREAK | DT_END_ELLIPSIS, 2 * th + th / 2, {u"aaa", u"bbb..."}, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "format 0x" << std::hex << c.format << std::dec << ", height " << c.height);
    TPage got(font), want(font), calc(font);
    const RECT rect{4, 4, 4 + got.Extent(u"000000"), 4 + c.height};
    RECT r = rect;
    EXPECT_EQ(DrawTextW(got.S.DC, c.text, -1, &r, c.format), static_cast<int>(c.lines.size()) * th);
    want.Lines(c.lines, rect, rect.Top);
    EXPECT_TRUE(SameSurface(got, want));
    r = rect;
    EXPECT_EQ(DrawTextW(calc.S.DC, c.text, -1, &r, c.format | DT_CALCRECT), c.allLines * th);
    EXPECT_EQ(r.Bottom, rect.Top + c.allLines * th);
  }
}

TEST_F(DrawText, ClipsToTheRectangleUnlessNoClip) {
  const TFont font;
  for (UINT format : {DT_SINGLELINE, DT_SINGLELINE | DT_NOCLIP}) {
    SCOPED_TRACE(format);
    TPage got(font), want(font), other(font);
    const RECT rect{10, 10, 10 + got.Extent(u"0000"), 10 + got.Tm.tmHeight / 2};
    RECT clipBefore, clipAfter;
    GetClipBox(got.S.DC, &clipBefore);
    RECT r = rect;
    DrawTextW(got.S.DC, u"abcdefgh", -1, &r, format);
    GetClipBox(got.S.DC, &clipAfter);
    EXPECT_EQ(clipAfter, clipBefore) << "the DC's clip was left changed";
    const bool noClip = format & DT_NOCLIP;
    want.Lines({u"abcdefgh"}, rect, rect.Top, 0, noClip);
    other.Lines({u"abcdefgh"}, rect, rect.Top, 0, !noClip);
    EXPECT_TRUE(SameSurface(got, want));
    EXPECT_FALSE(SameSurface(got, other));
  }
}

TEST_F(DrawText, EmptyTextAndTheCount) {
  const TFont font;
  const RECT rect{7, 9, 100, 60};
  for (int count : {0, -1}) {
    TPage page(font);
    RECT r = rect;
    EXPECT_EQ(DrawTextW(page.S.DC, u"", count, &r, 0), 0);
    EXPECT_EQ(r, rect);
    EXPECT_EQ(DrawTextW(page.S.DC, u"", count, &r, DT_CALCRECT | DT_WORDBREAK), 0);
    EXPECT_EQ(r, (RECT{rect.Left, rect.Top, rect.Left, rect.Top})) << Show(r);
    EXPECT_TRUE(page.Blank());
  }

  // -1 reads up to the terminator; a count stops short of it.
  struct Case {
    int count;
    std::u16string shown;
  } cases[] = {{-1, u"abc def"}, {7, u"abc def"}, {3, u"abc"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    TPage got(font), want(font);
    RECT r = rect;
    EXPECT_EQ(DrawTextW(got.S.DC, u"abc def", c.count, &r, DT_SINGLELINE), got.Tm.tmHeight);
    want.Lines({c.shown}, rect, rect.Top);
    EXPECT_TRUE(SameSurface(got, want));
    r = rect;
    DrawTextW(got.S.DC, u"abc def", c.count, &r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r, (RECT{rect.Left, rect.Top, rect.Left + want.Extent(c.shown), rect.Top + got.Tm.tmHeight})) << Show(r);
  }
}

}  // namespace

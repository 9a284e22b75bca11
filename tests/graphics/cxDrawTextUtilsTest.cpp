// Text layout: word ends, rows, the row store, placement, the measuring and
// counting modes, rectangle insets and measuring with tab stops.
#include <string>

#include "host/SysLocale.h"
#include "platform/Kernel.h"
#include "tests/graphics/DrawTextTestSupport.h"

namespace {

using TextLayout = DrawTextFixture;

// The far-east system locale while alive.
class TFarEastLocale {
 public:
  TFarEastLocale() { SetSysLocaleFarEast(true); }
  ~TFarEastLocale() { InitSysLocale(); }
  TFarEastLocale(const TFarEastLocale&) = delete;
  TFarEastLocale& operator=(const TFarEastLocale&) = delete;
};

TEST(TextWordEnds, EndAtBlanksLineEndsAndFullWidthCharacters) {
  const struct {
    const char* Name;
    String Text;
    Integer WordLength;
  } cases[] = {
      {"up to a space", u"abc def", 3},
      {"a leading space alone", u"  abc", 1},
      {"a leading tab alone", u"\tabc", 1},
      {"up to a CR", u"ab\r\n", 2},
      {"up to an LF", u"ab\ncd", 2},
      {"up to an ideograph", u"ab\u4E00", 2},
      {"an ideograph alone", u"\u4E00\u4E8C", 1},
      {"hiragana alone", u"\u3042\u3044", 1},
      {"katakana alone", u"\u30A2\u30A4", 1},
      {"hangul alone", u"\uAC00a", 1},
      {"with a full stop that may not begin a line", u"\u4E00\u3002\u4E8C", 2},
      {"with a full-width closing bracket", u"\u4E00\uFF09", 2},
      {"with a sound mark", u"\u30AB\u309B", 2},
      {"with a caron", u"\u4E00\u02C7", 2},
      {"with degrees Celsius", u"\u4E00\u2103", 2},
      {"with a full-width yen sign", u"\u4E00\uFFE5", 2},
      {"with an exclamation mark", u"\u4E00!", 2},
      {"with a half-width small katakana", u"\u4E00\uFF67", 2},
      {"not with an opening bracket", u"\u4E00\u3008", 1},
      {"not with an opening parenthesis", u"\u4E00(", 1},
      {"not with a letter", u"\u4E00a", 1},
      {"nothing in nothing", u"", 0},
  };
  for (const auto& c : cases) {
    const Char* begin = c.Text.data();
    EXPECT_EQ(cxGetNextWordBreak(GetACP(), begin, begin + c.Text.size()) - begin, c.WordLength) << c.Name;
  }
}

TEST_F(TextLayout, RowsBreakAtLineEndsWordsAndCharacters) {
  const String longWord = u"abcdefghijklmnopqrst";
  const struct {
    const char* Name;
    String Text;
    Integer Chars;
    Cardinal Format;
    const char* Rows;
  } cases[] = {
      {"a row as wide as the first word", u"Hello world", 5, CXTO_WORDBREAK, "Hello|world"},
      {"CR LF", u"A\r\nB", 10, CXTO_WORDBREAK, "A|B"},
      {"LF CR", u"A\n\rB", 10, CXTO_WORDBREAK, "A|B"},
      {"CR CR LF", u"A\r\r\nB", 10, CXTO_WORDBREAK, "A||B"},
      {"line ends without word break", u"A\r\r\nB", 10, 0, "A||B"},
      {"a long line without word break", u"abc def ghi", 5, 0, "abc def ghi"},
      {"a long word kept whole", longWord, 5, CXTO_WORDBREAK, "abcdefghijklmnopqrst"},
      {"a long word cut", longWord, 5, CXTO_WORDBREAK | CXTO_CHARBREAK, "abcde|fghij|klmno|pqrst"},
      {"a long word cut by an edit control", longWord, 5, CXTO_WORDBREAK | CXTO_EDITCONTROL, "abcde|fghij|klmno|pqrst"},
      {"a cut word's rest shares a row", u"abcdefg hi", 5, CXTO_WORDBREAK | CXTO_CHARBREAK, "abcde|fg hi"},
      {"a long word, then a line end", u"abcdefg\r\nB", 5, CXTO_WORDBREAK, "abcdefg||B"},
      {"a long word, then a line end, under an ellipsis", u"abcdefg\r\nB", 5, CXTO_WORDBREAK | CXTO_END_ELLIPSIS,
       "abcdefg|B"},
      {"blanks after a wrap", u"aaaaa   bbb", 5, CXTO_WORDBREAK, "aaaaa|  bbb"},
      {"Excel style skips them all", u"aaaaa   bbb", 5, CXTO_WORDBREAK | CXTO_EXCELSTYLE, "aaaaa|bbb"},
      {"left: keeps the trailing blank, skips one", u"aa bb  cc", 6, CXTO_WORDBREAK, "aa bb |cc"},
      {"centred: drops one, skips one", u"aa bb  cc", 6, CXTO_WORDBREAK | CXTO_CENTER_HORIZONTALLY, "aa bb|cc"},
      {"right: drops one only", u"aa bb  cc", 6, CXTO_WORDBREAK | CXTO_RIGHT, "aa bb| cc"},
      {"justified: breaks counted, wrapped rows trimmed", u"aa bb  cc", 6, CXTO_JUSTIFY_HORIZONTALLY, "aa bb/1| cc"},
      {"distributed: breaks counted in every row", u"aa bb  cc", 6, CXTO_DISTRIBUTE_HORIZONTALLY,
       "aa bb/1| cc/1"},
      {"a single line ends at its first line end", u"A\r\nB", 10, CXTO_SINGLELINE, "A"},
      {"a single line measured for its rectangle is all of it", u"A\r\nB", 10, CXTO_SINGLELINE | CXTO_CALCRECT,
       "A\r\nB"},
  };
  for (const auto& c : cases) EXPECT_EQ(RowsOf(c.Text, Box(c.Chars, 10), c.Format), c.Rows) << c.Name;
}

TEST_F(TextLayout, IdeographsBreakBetweenThemAndKeepWhatMayNotBeginALine) {
  const auto width = [this](const String& AText) {
    SIZE size{};
    GetTextExtentPoint32W(DC, AText.data(), static_cast<int>(AText.size()), &size);
    return static_cast<Integer>(size.cx);
  };
  const auto box = [this](Integer AWidth) { return TRect{0, 0, AWidth, 10 * H}; };
  EXPECT_EQ(RowsOf(u"\u4E00\u4E8C", box(width(u"\u4E00")), CXTO_WORDBREAK), "?|?");
  EXPECT_EQ(RowsOf(u"\u4E00\u4E8C\u4E09", box(width(u"\u4E00\u4E8C")), CXTO_WORDBREAK), "??|?");
  EXPECT_EQ(RowsOf(u"\u4E00\u3002\u4E8C", box(width(u"\u4E00\u3002")), CXTO_WORDBREAK), "??|?")
      << "the full stop stays with the ideograph before it";
  EXPECT_EQ(RowsOf(u"ab\u4E00", box(width(u"ab")), CXTO_WORDBREAK), "ab|?");
}

TEST_F(TextLayout, AFarEastSystemLocaleBreaksLongWordsBetweenCharacters) {
  EXPECT_FALSE(Params(0).CharBreak);
  EXPECT_EQ(RowsOf(u"abcdefghij", Box(5, 10), CXTO_WORDBREAK), "abcdefghij");
  TFarEastLocale farEast;
  EXPECT_TRUE(Params(0).CharBreak);
  EXPECT_EQ(RowsOf(u"abcdefghij", Box(5, 10), CXTO_WORDBREAK), "abcde|fghij");
}

TEST_F(TextLayout, DrawnRowsStopAtTheRectangleOrTheRowLimit) {
  const String text = u"a\nb\nc\nd\ne";
  EXPECT_EQ(RowsOf(text, Box(5, 2), 0), "a|b") << "the second row reaches the bottom";
  EXPECT_EQ(RowsOf(text, {0, 0, 5 * A, 2 * H + 1}, 0), "a|b|c") << "a partly visible row";
  EXPECT_EQ(RowsOf(text, {0, 0, 5 * A, 2 * H + 1}, CXTO_EDITCONTROL), "a|b") << "only whole rows";
  EXPECT_EQ(RowsOf(text, {0, 0, 5 * A, 2 * H + 1}, CXTO_EDITCONTROL | CXTO_NOCLIP), "a|b|c");
  EXPECT_EQ(RowsOf(text, Box(5, 2), CXTO_BOTTOM), "a|b|c|d|e") << "other alignments take every row";
  EXPECT_EQ(RowsOf(text, Box(5, 2), CXTO_CALCRECT), "a|b|c|d|e");

  const TcxTextParams params = Params(0);
  TcxTextRows rows;
  Integer count = 0;
  EXPECT_FALSE(cxMakeTextRows(DC, text.data(), 9, Box(5, 10), params, rows, count, 3)) << "text left over";
  EXPECT_EQ(count, 3);
  EXPECT_TRUE(cxMakeTextRows(DC, text.data(), 9, Box(5, 10), params, rows, count));
  EXPECT_EQ(count, 5);
  EXPECT_TRUE(cxMakeTextRows(DC, text.data(), 9, Box(5, 2), Params(CXTO_CALCROWCOUNT), rows, count, 3))
      << "counting rows: nothing is left over";
  EXPECT_EQ(count, 3);
  EXPECT_FALSE(cxMakeTextRows(DC, u"abcdef", 6, Box(5, 1), Params(CXTO_SINGLELINE), rows, count))
      << "a single line wider than the rectangle";
  EXPECT_TRUE(cxMakeTextRows(DC, u"abcde", 5, Box(5, 1), Params(CXTO_SINGLELINE), rows, count));
}

TEST_F(TextLayout, RowsRememberWhereTheyStartAndHowWideTheyAre) {
  const String text = u"a\r\nbbbbb\nccc";
  TcxTextRows rows;
  Integer count = 0;
  cxMakeTextRows(DC, text.data(), static_cast<Integer>(text.size()), Box(10, 10), Params(0), rows, count);
  ASSERT_EQ(count, 3);
  const Integer starts[] = {0, 3, 9}, widths[] = {A, 5 * A, 3 * A};
  for (Integer i = 0; i < 3; ++i) {
    const TcxTextRow& row = cxGetTextRow(rows, i);
    EXPECT_EQ(row.StartIndex, starts[i]) << i;
    EXPECT_EQ(row.Text, text.data() + starts[i]) << i;
    EXPECT_EQ(row.TextExtents, TSize(widths[i], H)) << i;
  }
  EXPECT_EQ(cxGetLongestTextRowWidth(rows, 1), A);
  EXPECT_EQ(cxGetLongestTextRowWidth(rows, 2), 5 * A);
  EXPECT_EQ(cxGetLongestTextRowWidth(rows, 10), 5 * A) << "fewer rows than asked for";
}

// Row i of AText is "r" followed by i; returns the text of ACount rows.
String NumberedRows(Integer ACount) {
  String text;
  for (Integer i = 0; i < ACount; ++i) {
    if (i > 0) text += u'\n';
    for (char c : "r" + std::to_string(i)) text += static_cast<Char>(c);
  }
  return text;
}

TEST_F(TextLayout, TheRowStoreHoldsThirtyTwoRowsInPlaceAndGrowsBeyond) {
  TcxTextRows rows;
  rows.Count = 7;
  ValidateTextRows(rows, 0);
  EXPECT_EQ(rows.Count, 0) << "no rows: nothing before the first is touched";
  EXPECT_TRUE(rows.DynamicRows.empty());

  const struct {
    Integer Rows;
    size_t Dynamic;  // grown by five when row 33, 38, 43 ... is reached
  } cases[] = {{1, 0}, {32, 0}, {33, 5}, {37, 5}, {38, 10}, {500, 470}};
  for (const auto& c : cases) {
    const String text = NumberedRows(c.Rows);
    TcxTextRows store;
    Integer count = 0;
    ASSERT_TRUE(cxMakeTextRows(DC, text.data(), static_cast<Integer>(text.size()), Box(10, 1), Params(CXTO_CALCRECT),
                               store, count));
    ASSERT_EQ(count, c.Rows);
    EXPECT_EQ(store.Count, c.Rows);
    EXPECT_EQ(store.DynamicRows.size(), c.Dynamic) << c.Rows << " rows";
    Integer start = 0;
    for (Integer i = 0; i < count; ++i) {
      const TcxTextRow& row = cxGetTextRow(store, i);
      const std::string expected = "r" + std::to_string(i);
      ASSERT_EQ(row.StartIndex, start) << "row " << i << " of " << c.Rows;
      ASSERT_EQ(String(row.Text, static_cast<size_t>(row.TextLength)), String(expected.begin(), expected.end()));
      start += row.TextLength + 1;
    }
    if (c.Rows > cxTextRowsStaticCount) {
      EXPECT_EQ(&cxGetTextRow(store, cxTextRowsStaticCount), store.DynamicRows.data()) << "row 33 is the first grown";
    }
  }
}

TEST_F(TextLayout, MakingRowsAgainClearsTheOldOnes) {
  TcxTextRows rows;
  Integer count = 0;
  const String many = NumberedRows(40), few = u"x\ny";
  cxMakeTextRows(DC, many.data(), static_cast<Integer>(many.size()), Box(10, 1), Params(CXTO_CALCRECT), rows, count);
  cxMakeTextRows(DC, few.data(), 3, Box(10, 1), Params(CXTO_CALCRECT), rows, count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(rows.Count, 2);
  EXPECT_EQ(cxGetTextRow(rows, 1).StartIndex, 2);
}

// --- Placement ----------------------------------------------------------------------------

class TextPlacement : public DrawTextFixture {
 protected:
  struct TOrigin {
    Integer X, Y;
    bool operator==(const TOrigin&) const = default;
  };

  std::vector<TOrigin> Place(const String& AText, const TRect& R, TcxTextParams AParams) const {
    TcxTextRows rows;
    Integer count = 0;
    cxMakeTextRows(DC, AText.data(), static_cast<Integer>(AText.size()), R, AParams, rows, count);
    cxPlaceTextRows(DC, R, AParams, rows, count);
    std::vector<TOrigin> origins;
    for (Integer i = 0; i < count; ++i)
      origins.push_back({cxGetTextRow(rows, i).TextOriginX, cxGetTextRow(rows, i).TextOriginY});
    return origins;
  }
  std::vector<TOrigin> Place(const String& AText, const TRect& R, Cardinal AFormat) const {
    return Place(AText, R, Params(AFormat));
  }
  std::vector<Integer> Tops(const String& AText, const TRect& R, Cardinal AFormat) const {
    std::vector<Integer> tops;
    for (const TOrigin& origin : Place(AText, R, AFormat)) tops.push_back(origin.Y);
    return tops;
  }
};

TEST_F(TextPlacement, RowsAlignVertically) {
  const String three = u"a\nb\nc";
  const struct {
    const char* Name;
    Integer Height;
    Cardinal Format;
    std::vector<Integer> Tops;  // the first, from the rectangle's top at 7
  } cases[] = {
      {"top", 5 * H, CXTO_TOP, {7, 7 + H, 7 + 2 * H}},
      {"centred", 3 * H + 9, CXTO_CENTER_VERTICALLY, {7 + 4, 7 + 4 + H, 7 + 4 + 2 * H}},
      {"centred above the top, halved toward zero", 3 * H - 5, CXTO_CENTER_VERTICALLY, {7 - 2, 5 + H, 5 + 2 * H}},
      {"bottom", 5 * H, CXTO_BOTTOM, {7 + 2 * H, 7 + 3 * H, 7 + 4 * H}},
      {"bottom above the top", H, CXTO_BOTTOM, {7 - 2 * H, 7 - H, 7}},
      {"bottom kept inside", H, CXTO_BOTTOM | CXTO_PREVENT_TOP_EXCEED, {7, 7 + H, 7 + 2 * H}},
      {"centred kept inside", H, CXTO_CENTER_VERTICALLY | CXTO_PREVENT_TOP_EXCEED, {7, 7 + H, 7 + 2 * H}},
      {"10 spare pixels over 2 gaps", 3 * H + 10, CXTO_DISTRIBUTE_VERTICALLY, {7, 7 + H + 5, 7 + 2 * H + 10}},
      {"an odd pixel to the first gap", 3 * H + 11, CXTO_DISTRIBUTE_VERTICALLY, {7, 7 + H + 6, 7 + 2 * H + 11}},
      {"no spare pixels", 3 * H, CXTO_DISTRIBUTE_VERTICALLY, {7, 7 + H, 7 + 2 * H}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Tops(three, {0, 7, 10 * A, 7 + c.Height}, c.Format), c.Tops) << c.Name;
  EXPECT_EQ(Tops(u"a", {0, 7, 10 * A, 7 + 3 * H}, CXTO_DISTRIBUTE_VERTICALLY), std::vector<Integer>{7})
      << "one row stays at the top";
}

TEST_F(TextPlacement, RowsAlignHorizontally) {
  const String text = u"a\nbbb";
  const TRect r{3, 0, 3 + 10 * A, 5 * H};
  EXPECT_EQ(Place(text, r, CXTO_LEFT), (std::vector<TOrigin>{{3, 0}, {3, H}}));
  EXPECT_EQ(Place(text, r, CXTO_CENTER_HORIZONTALLY),
            (std::vector<TOrigin>{{3 + 9 * A / 2, 0}, {3 + 7 * A / 2, H}}));
  EXPECT_EQ(Place(text, r, CXTO_RIGHT), (std::vector<TOrigin>{{3 + 9 * A, 0}, {3 + 7 * A, H}}));
  EXPECT_EQ(Place(text, r, CXTO_JUSTIFY_HORIZONTALLY), (std::vector<TOrigin>{{3, 0}, {3, H}}));
  EXPECT_EQ(Place(text, r, CXTO_DISTRIBUTE_HORIZONTALLY), (std::vector<TOrigin>{{3, 0}, {3, H}}));

  const TRect narrow{3, 0, 3 + 5 * A, H};
  EXPECT_EQ(Place(u"abcdefghij", narrow, CXTO_RIGHT), (std::vector<TOrigin>{{3 - 5 * A, 0}}));
  EXPECT_EQ(Place(u"abcdefghij", narrow, CXTO_RIGHT | CXTO_PREVENT_LEFT_EXCEED), (std::vector<TOrigin>{{3, 0}}));
  EXPECT_EQ(Place(u"abcdefghij", narrow, CXTO_CENTER_HORIZONTALLY | CXTO_PREVENT_LEFT_EXCEED),
            (std::vector<TOrigin>{{3, 0}}));
}

TEST_F(TextPlacement, ThePitchIsTheTextHeightWithTheLeadingInUseTimesTheSpacing) {
  EXPECT_EQ(Params(0).FullRowHeight, H);
  TcxTextParams params;
  cxCalcTextParams(DC, 0, params, 1.25);
  EXPECT_EQ(params.FullRowHeight, (5 * H + 2) / 4) << "rounded to the nearest";
  cxCalcTextParams(DC, 0, params, 2.0);
  EXPECT_EQ(params.FullRowHeight, 2 * H);
  EXPECT_EQ(Tops(u"a\nb", {0, 0, 10 * A, 10 * H}, 0), (std::vector<Integer>{0, H}));

  // The pinned faces have no external leading: a font with 2 units of it.
  params = Params(CXTO_EXTERNALLEADING);
  EXPECT_EQ(params.UsedExternalLeading, Font.Metrics.tmExternalLeading);
  params.UsedExternalLeading = 2;
  params.FullRowHeight = H + 2;
  const std::vector<TOrigin> top = Place(u"a\nb", {0, 0, 10 * A, 10 * H}, params);
  EXPECT_EQ(top, (std::vector<TOrigin>{{0, 0}, {0, H + 2}}));
  params.TextAlignY = taBottom;
  const std::vector<TOrigin> bottom = Place(u"a\nb", {0, 0, 10 * A, 10 * H}, params);
  EXPECT_EQ(bottom, (std::vector<TOrigin>{{0, 10 * H + 2 - 2 * (H + 2)}, {0, 10 * H + 2 - (H + 2)}}))
      << "the last row's leading hangs below the rectangle";
}

// --- Parameters, insets, modes --------------------------------------------------------------------

TEST_F(TextLayout, ParametersComeFromTheFontAndTheFormat) {
  const TcxTextParams params = Params(CXTO_RIGHT | CXTO_BOTTOM | CXTO_WORDBREAK | CXTO_EXPANDTABS |
                                     CXTO_END_ELLIPSIS | CXTO_NOCLIP | CXTO_HIDEPREFIX | CXTO_EXCELSTYLE);
  EXPECT_EQ(params.TextHeight, H);
  EXPECT_EQ(params.MaxCharWidth, Font.Metrics.tmMaxCharWidth);
  EXPECT_EQ(params.BreakChar, Font.Metrics.tmBreakChar);
  EXPECT_FALSE(params.Bold);
  EXPECT_EQ(params.TextAlignX, taRight);
  EXPECT_EQ(params.TextAlignY, taBottom);
  EXPECT_TRUE(params.WordBreak && params.ExpandTabs && params.EndEllipsis && params.NoClip && params.HidePrefix &&
              params.ExcelStyle);
  EXPECT_FALSE(params.SingleLine || params.EditControl || params.AutoIndents || params.CharBreak ||
               params.CalcRect || params.CalcRowCount || params.PatternedText);
  EXPECT_EQ(params.EndEllipsisWidth, 3 * A);
  EXPECT_EQ(params.OnePixel, 1);
  EXPECT_EQ(Params(0).EndEllipsisWidth, 0) << "no ellipsis, no width";
  EXPECT_EQ(Params(CXTO_DISTRIBUTE_VERTICALLY).TextAlignY, taDistributeY);
  EXPECT_EQ(Params(7).TextAlignX, taLeft) << "an alignment beyond the known ones";
  EXPECT_FALSE(Params(CXTO_PATTERNEDTEXT).PatternedText) << "the font is readable";
  TMonoFont bold(DC, -13, FW_BOLD);
  EXPECT_TRUE(Params(0).Bold);
}

TEST_F(TextLayout, RectanglesLoseTheirIndentsAndGetThemBack) {
  const TRect r{10, 20, 110, 70};
  TRect prepared = r;
  cxPrepareRect(prepared, Params(CXTO_AUTOINDENTS), 3, 4);
  EXPECT_EQ(prepared, TRect(15, 22, 104, 68));
  cxUnprepareRect(prepared, Params(CXTO_AUTOINDENTS), 3, 4);
  EXPECT_EQ(prepared, r);
  prepared = r;
  cxPrepareRect(prepared, Params(0), 3, 4);
  EXPECT_EQ(prepared, TRect(13, 20, 106, 70));
}

TEST_F(TextLayout, CountingRowsAndMeasuringTheRectangle) {
  TRect tiny{0, 0, 2 * A, 1};
  EXPECT_EQ(cxTextOut(DC, u"aa bb cc", tiny, CXTO_WORDBREAK | CXTO_CALCROWCOUNT), 3);
  EXPECT_EQ(cxTextOut(DC, u"aa bb cc", tiny, CXTO_WORDBREAK | CXTO_CALCROWCOUNT, 0, 0, nullptr, clHighlight,
                      clHighlightText, 2),
            2)
      << "at most the rows asked for";
  EXPECT_EQ(tiny, TRect(0, 0, 2 * A, 1)) << "counting leaves the rectangle alone";

  TRect line{10, 20, 11, 21};
  EXPECT_EQ(cxTextOut(DC, u"abcdef", line, CXTO_SINGLELINE | CXTO_CALCRECT), H);
  EXPECT_EQ(line, TRect(10, 20, 10 + 6 * A, 20 + H));

  // Rows "aa " and "bbb c" inside insets of 2 on every side.
  TRect paragraph{10, 20, 14 + 5 * A, 20};
  EXPECT_EQ(cxTextOut(DC, u"aa bbb c", paragraph, CXTO_WORDBREAK | CXTO_AUTOINDENTS | CXTO_CALCRECT), 2 * H);
  EXPECT_EQ(paragraph, TRect(10, 20, 14 + 5 * A, 24 + 2 * H));
  TRect oneRow{10, 20, 14 + 5 * A, 20};
  EXPECT_EQ(cxTextOut(DC, u"aa bbb c", oneRow, CXTO_WORDBREAK | CXTO_AUTOINDENTS | CXTO_CALCRECT, 0, 0, nullptr,
                      clHighlight, clHighlightText, 1),
            H);
  EXPECT_EQ(oneRow, TRect(10, 20, 14 + 3 * A, 24 + H)) << "only the first row counts";
  TRect narrower{0, 0, 5 * A, 0};
  EXPECT_EQ(cxTextOut(DC, u"abcdefghij", narrower, CXTO_WORDBREAK | CXTO_CALCRECT), H);
  EXPECT_EQ(narrower, TRect(0, 0, 10 * A, H)) << "a word too long widens it";

  TRect untouched{0, 0, 5, 5};
  EXPECT_EQ(cxTextOut(DC, u"", untouched, CXTO_CALCRECT), 0);
  EXPECT_EQ(untouched, TRect(0, 0, 5, 5));
  TRect noWidth{0, 0, 4, 5};
  EXPECT_EQ(cxTextOut(DC, u"abc", noWidth, CXTO_CALCRECT | CXTO_AUTOINDENTS), 0) << "nothing left inside";
  EXPECT_EQ(noWidth, TRect(0, 0, 4, 5));
}

TEST_F(TextLayout, AcceleratorAmpersandsGoBeforeTheLayout) {
  const struct {
    String Text;
    Integer Chars;
  } cases[] = {{u"&File", 4}, {u"a&&b", 3}, {u"ab&", 2}, {u"&&&x", 2}};
  for (const auto& c : cases) {
    TRect r{0, 0, 1, 1};
    EXPECT_EQ(cxTextOut(DC, c.Text, r, CXTO_SINGLELINE | CXTO_CALCRECT | CXTO_HIDEPREFIX), H);
    EXPECT_EQ(r.Right, c.Chars * A);
    r = {0, 0, 1, 1};
    cxTextOut(DC, c.Text, r, CXTO_SINGLELINE | CXTO_CALCRECT);
    EXPECT_EQ(r.Right, static_cast<Integer>(c.Text.size()) * A) << "kept without the flag";
  }
  TRect r{0, 0, 1, 1};
  EXPECT_EQ(cxTextOut(DC, u"&", r, CXTO_SINGLELINE | CXTO_CALCRECT | CXTO_HIDEPREFIX), 0) << "nothing left";
}

// --- Measuring ----------------------------------------------------------------------------------

TEST_F(TextLayout, TabsReachTheDefaultTabStops) {
  const Integer stop = 8 * Font.Metrics.tmAveCharWidth;
  const struct {
    String Text;
    Integer Width;
  } cases[] = {{u"ab\tc", stop + A}, {u"a\t\tb", 2 * stop + A}, {u"abcdefghi\tj", 2 * stop + A}, {u"abc", 3 * A}};
  for (const auto& c : cases) {
    TSize size;
    ASSERT_TRUE(cxCalcTextExtents(DC, c.Text.data(), static_cast<Integer>(c.Text.size()), size, true));
    EXPECT_EQ(size, TSize(c.Width, H));
  }
  TSize size;
  cxCalcTextExtents(DC, u"ab\tc", 4, size, false);
  EXPECT_NE(size.cx, stop + A) << "a tab is a character without expansion";
  EXPECT_EQ(RowsOf(u"ab\tcd ef", {0, 0, stop + 2 * A, 10 * H}, CXTO_WORDBREAK | CXTO_EXPANDTABS), "ab\tcd|ef");
}

TEST_F(TextLayout, TextsBeyondSixteenBitsMeasureTheirTrueWidth) {
  const struct {
    const char* Name;
    LONG FontHeight;
    Char Character;
    Integer Count;
  } cases[] = {
      {"wide letters", -40, u'W', 4000},
      {"tabs, each wider than a letter", -13, u'\t', 1100},
      {"longer than tabbed measuring takes", -13, u'W', 5000},
      {"longer and wider", -40, u'W', 5000},
  };
  for (const auto& c : cases) {
    TMonoFont font(DC, c.FontHeight);
    const Integer each = c.Character == u'\t' ? 8 * font.Metrics.tmAveCharWidth : font.Advance;
    const String text(static_cast<size_t>(c.Count), c.Character);
    TSize size;
    ASSERT_TRUE(cxCalcTextExtents(DC, text.data(), c.Count, size, true));
    EXPECT_EQ(size.cx, c.Count * each) << c.Name;
    EXPECT_EQ(size.cy, font.Metrics.tmHeight) << c.Name;
  }
}

TEST_F(TextLayout, TabbedOutputTakesAtMost4096Characters) {
  const String text(5000, u'i');
  const LONG extent = cxTabbedTextOutW(DC, 0, 0, text.data(), 5000, 0, nullptr, 0);
  EXPECT_EQ(extent & 0xFFFF, 4096 * A);
}

}  // namespace

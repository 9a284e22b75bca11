// Text output on pixels: the end ellipsis, justification, the selection
// highlight (mirrored for right-to-left text), patterned text, and the DC's
// state around it. Expected pictures are the same characters put where the
// rules place them, drawn one piece at a time with ExtTextOutW.
#include "host/GraphicsObjects.h"
#include "tests/graphics/DrawTextTestSupport.h"

namespace {

constexpr DWORD Red = 0x00FF0000;

struct TPiece {
  String Text;
  Integer X, Y;
};

class TextOutput : public DrawTextFixture {
 protected:
  // The pieces in black on paper, clipped to AClip, with AHeight's font.
  void ExpectPicture(const std::vector<TPiece>& APieces, const TRect& AClip, LONG AFontHeight = -13) {
    TTestSurface expected(SurfaceWidth, SurfaceHeight, Paper);
    TMonoFont font(expected.DC, AFontHeight);
    SetBkMode(expected.DC, TRANSPARENT);
    for (const TPiece& piece : APieces)
      ExtTextOutW(expected.DC, piece.X, piece.Y, ETO_CLIPPED, &AClip, piece.Text.data(),
                  static_cast<UINT>(piece.Text.size()), nullptr);
    ExpectSameAs(expected);
  }

  void ExpectSameAs(const TTestSurface& AExpected) {
    Integer differ = 0, firstX = -1, firstY = -1;
    for (Integer y = 0; y < SurfaceHeight; ++y)
      for (Integer x = 0; x < SurfaceWidth; ++x)
        if (Surface.At(x, y) != AExpected.At(x, y) && differ++ == 0) {
          firstX = x;
          firstY = y;
        }
    EXPECT_EQ(differ, 0) << "first at (" << firstX << ", " << firstY << ")";
  }

  // The pixels of AColour make up exactly R (nothing when R is empty).
  void ExpectColourExactlyIn(DWORD AColour, const TRect& R) {
    Integer outside = 0, missing = 0;
    for (Integer y = 0; y < SurfaceHeight; ++y)
      for (Integer x = 0; x < SurfaceWidth; ++x) {
        const bool inside = x >= R.Left && x < R.Right && y >= R.Top && y < R.Bottom;
        if (inside && Surface.At(x, y) != AColour) ++missing;
        if (!inside && Surface.At(x, y) == AColour) ++outside;
      }
    EXPECT_EQ(missing, 0) << "pixels of the rectangle in another colour";
    EXPECT_EQ(outside, 0) << "pixels of the colour outside the rectangle";
  }

  // Draws AText in R with the selection in red on red.
  void DrawSelected(const String& AText, TRect R, Cardinal AFormat, Integer ASelStart, Integer ASelLength) {
    cxTextOut(DC, AText, R, AFormat, ASelStart, ASelLength, nullptr, clRed, clRed);
  }
};

TEST_F(TextOutput, TheEndEllipsisFollowsTheCharactersThatFitBeforeIt) {
  // Room for 6 characters and 5 pixels: 3 of them before "...".
  for (Cardinal align : {CXTO_LEFT, CXTO_CENTER_HORIZONTALLY, CXTO_RIGHT}) {
    SCOPED_TRACE(align);
    std::fill(Surface.Bits, Surface.Bits + SurfaceWidth * SurfaceHeight, Paper);
    TRect r{4, 2, 4 + 6 * A + 5, 2 + H};
    const Integer left = align == CXTO_LEFT ? 4 : align == CXTO_RIGHT ? 4 + 5 : 4 + 5 / 2;
    cxTextOut(DC, u"abcdefghij", r, CXTO_SINGLELINE | CXTO_END_ELLIPSIS | align);
    ExpectPicture({{u"abc...", left, 2}}, r);
  }
}

TEST_F(TextOutput, TextLeftOverEndsTheLastRowWithAnEllipsis) {
  TRect r{4, 2, 4 + 10 * A, 2 + 2 * H};
  cxTextOut(DC, u"aaa\nbbb\nccc", r, CXTO_WORDBREAK | CXTO_END_ELLIPSIS);
  ExpectPicture({{u"aaa", 4, 2}, {u"bbb...", 4, 2 + H}}, r);
}

TEST_F(TextOutput, AnEllipsisThatDoesNotFitIsCutAtTheRectangle) {
  // One character and "..." in the room of two: the dots cut at the edge.
  TRect r{4, 2, 4 + 2 * A, 2 + H};
  cxTextOut(DC, u"abcdefghij", r, CXTO_SINGLELINE | CXTO_END_ELLIPSIS);
  ExpectPicture({{u"a...", 4, 2}}, r);
}

TEST_F(TextOutput, JustifiedRowsEndAtTheRightEdge) {
  // "aa bb cc" wraps in 10 characters: 2 spare characters over its 2 blanks.
  for (Cardinal align : {CXTO_JUSTIFY_HORIZONTALLY, CXTO_DISTRIBUTE_HORIZONTALLY}) {
    SCOPED_TRACE(align);
    std::fill(Surface.Bits, Surface.Bits + SurfaceWidth * SurfaceHeight, Paper);
    TRect r{4, 2, 4 + 10 * A, 2 + 2 * H};
    cxTextOut(DC, u"aa bb cc dd", r, align);
    ExpectPicture({{u"aa", 4, 2}, {u"bb", 4 + 4 * A, 2}, {u"cc", 4 + 8 * A, 2}, {u"dd", 4, 2 + H}}, r);
    SIZE size{};
    GetTextExtentPoint32W(DC, u"a b", 3, &size);
    EXPECT_EQ(size.cx, 3 * A) << "the justification is reset";
  }
}

TEST_F(TextOutput, ASelectionIsHighlightedWhereItLies) {
  const TRect r{4, 2, 4 + 10 * A, 2 + H};
  const struct {
    const char* Name;
    Integer SelStart, SelLength;
    TRect Highlight;
  } cases[] = {
      {"starting before the text", -1, 5, {}},
      {"starting at the end", 10, 5, {}},
      {"empty", 3, 0, {}},
      {"inside", 2, 3, {4 + 2 * A, 2, 4 + 5 * A, 2 + H}},
      {"2 before the end, 5 long", 8, 5, {4 + 8 * A, 2, 4 + 10 * A, 2 + H}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    std::fill(Surface.Bits, Surface.Bits + SurfaceWidth * SurfaceHeight, Paper);
    DrawSelected(u"abcdefghij", r, CXTO_SINGLELINE, c.SelStart, c.SelLength);
    ExpectColourExactlyIn(Red, c.Highlight);
    if (c.Highlight.Right == c.Highlight.Left) ExpectPicture({{u"abcdefghij", 4, 2}}, r);
  }
}

TEST_F(TextOutput, ASelectionSpansRows) {
  TRect r{4, 2, 4 + 10 * A, 2 + 3 * H};
  DrawSelected(u"abc\ndef\nghi", r, CXTO_WORDBREAK, 5, 5);
  // "ef" of the second row, "gh" of the third; the line end between has no
  // cell.
  Integer inSecond = 0, inThird = 0;
  for (Integer y = 0; y < SurfaceHeight; ++y)
    for (Integer x = 0; x < SurfaceWidth; ++x)
      if (Surface.At(x, y) == Red) {
        const bool second = x >= 4 + A && x < 4 + 3 * A && y >= 2 + H && y < 2 + 2 * H;
        const bool third = x >= 4 && x < 4 + 2 * A && y >= 2 + 2 * H && y < 2 + 3 * H;
        ASSERT_TRUE(second || third) << "red at (" << x << ", " << y << ")";
        (second ? inSecond : inThird)++;
      }
  EXPECT_EQ(inSecond, 2 * A * H);
  EXPECT_EQ(inThird, 2 * A * H);
}

TEST_F(TextOutput, RightToLeftSelectionsAreMirroredFromTheRowsEnd) {
  // Characters 1 and 2 of a row of 10: from its left at 1, or its right at 1.
  const struct {
    BYTE CharSet;
    Integer From;
  } cases[] = {{ANSI_CHARSET, 1}, {ARABIC_CHARSET, 7}, {GB2312_CHARSET, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.CharSet));
    std::fill(Surface.Bits, Surface.Bits + SurfaceWidth * SurfaceHeight, Paper);
    TMonoFont font(DC, -13, FW_NORMAL, c.CharSet);
    ASSERT_EQ(font.Advance, A);
    DrawSelected(u"\u00E9bcdefghij", {4, 2, 4 + 10 * A, 2 + H}, CXTO_SINGLELINE, 1, 2);
    ExpectColourExactlyIn(Red, {4 + c.From * A, 2, 4 + (c.From + 2) * A, 2 + H});
  }
}

TEST_F(TextOutput, TinyFontsArePatterned) {
  TDistinctSysColors colours;
  const DWORD window = SysPixel(COLOR_WINDOW);
  for (LONG weight : {FW_NORMAL, FW_BOLD}) {
    SCOPED_TRACE(weight);
    std::fill(Surface.Bits, Surface.Bits + SurfaceWidth * SurfaceHeight, Paper);
    TMonoFont tiny(DC, 5, weight);
    ASSERT_EQ(tiny.Metrics.tmHeight, 5);
    TRect r{4, 2, 4 + 100, 2 + 20};
    cxTextOut(DC, u"abcd", r, CXTO_SINGLELINE | CXTO_PATTERNEDTEXT);
    // A band over the text, a pixel in from its top and bottom: black on
    // the window colour in a checkerboard, all black when bold.
    const TRect band{4, 3, 4 + 4 * tiny.Advance, 6};
    for (Integer y = 0; y < SurfaceHeight; ++y)
      for (Integer x = 0; x < SurfaceWidth; ++x) {
        const bool inside = x >= band.Left && x < band.Right && y >= band.Top && y < band.Bottom;
        const DWORD expected = !inside ? Paper : weight == FW_BOLD || (x + y) % 2 == 0 ? 0u : window;
        ASSERT_EQ(Surface.At(x, y), expected) << "(" << x << ", " << y << ")";
      }
  }
}

TEST_F(TextOutput, FontsOfSixPixelsDrawTheirGlyphs) {
  TMonoFont small(DC, 6);
  ASSERT_EQ(small.Metrics.tmHeight, 6);
  TRect r{4, 2, 4 + 100, 2 + 20};
  cxTextOut(DC, u"abcd", r, CXTO_SINGLELINE | CXTO_PATTERNEDTEXT);
  ExpectPicture({{u"abcd", 4, 2}}, r, 6);
}

TEST_F(TextOutput, RowsPartlyOutsideAreClippedUnlessAskedNotTo) {
  // The second row's band reaches 5 pixels below the rectangle.
  TRect r{4, 2, 4 + 10 * A, 2 + 2 * H - 5};
  cxTextOut(DC, u"ggg\nggg", r, CXTO_WORDBREAK);
  ExpectPicture({{u"ggg", 4, 2}, {u"ggg", 4, 2 + H}}, r);
  std::fill(Surface.Bits, Surface.Bits + SurfaceWidth * SurfaceHeight, Paper);
  cxTextOut(DC, u"ggg\nggg", r, CXTO_WORDBREAK | CXTO_NOCLIP);
  ExpectPicture({{u"ggg", 4, 2}, {u"ggg", 4, 2 + H}}, {0, 0, SurfaceWidth, SurfaceHeight});
}

TEST_F(TextOutput, TheDCKeepsItsFontAndColours) {
  const HGDIOBJ font = GetCurrentObject(DC, OBJ_FONT);
  SetTextColor(DC, RGB(1, 2, 3));
  SetBkMode(DC, OPAQUE);
  TFont red;
  red.SetName(u"DejaVu Sans Mono");
  red.SetHeight(-13);
  red.SetColor(clRed);
  TRect r{4, 2, 4 + 10 * A, 2 + H};
  EXPECT_EQ(cxTextOut(DC, u"abc", r, CXTO_SINGLELINE, 0, 0, &red), H) << "the height of the row drawn";
  Integer redPixels = 0;
  for (Integer i = 0; i < SurfaceWidth * SurfaceHeight; ++i) redPixels += Surface.Bits[i] == Red;
  EXPECT_GT(redPixels, 0) << "in the font's colour";
  EXPECT_EQ(Surface.At(4 + 3 * A, 2), Paper) << "transparent";
  EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), font);
  EXPECT_EQ(GetTextColor(DC), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(DC), OPAQUE);

  std::fill(Surface.Bits, Surface.Bits + SurfaceWidth * SurfaceHeight, Paper);
  cxTextOut(DC, u"abc", r, CXTO_SINGLELINE, 0, 0, &red, clHighlight, clHighlightText, 0, 0, 0, clBlack);
  SetTextColor(DC, 0);
  SetBkMode(DC, TRANSPARENT);
  ExpectPicture({{u"abc", 4, 2}}, r);  // the text colour given wins
  EXPECT_EQ(cxTextOut(DC, u"", r), 0);
}

TEST_F(TextOutput, TheFillPatternsAreTheUnitsOwn) {
  const int live = GetLiveGdiObjectCount();
  DestroyFillPatterns();
  EXPECT_EQ(GetLiveGdiObjectCount(), live - 2);
  CreateFillPatterns();
  EXPECT_EQ(GetLiveGdiObjectCount(), live);
}

}  // namespace

// Text on the canvas, compared pixel for pixel with what the system's text
// functions draw at places worked out by hand, in the pinned fonts.
#include <gtest/gtest.h>

#include <optional>

#include "host/StdCtrls.h"
#include "tests/graphics/CanvasTestSupport.h"

namespace {

constexpr DWORD Back = 0x00F0E0D0;
constexpr int Width = 100, Height = 40;

class CanvasText : public TGdiLeakCheck {
 protected:
  // The canvas under test, and a surface the test draws the expectation on
  // with the same font, selected with its colour, the background
  // transparent; both gone before the leak check.
  std::optional<TCanvasOnSurface> Actual, Expected;

  void SetUp() override {
    TGdiLeakCheck::SetUp();
    Actual.emplace(Width, Height, Back);
    Expected.emplace(Width, Height, Back);
    Actual->Canvas.GetFont()->SetColor(RGB(20, 40, 60));
    Actual->Canvas.GetBrush()->SetStyle(bsClear);
  }
  void TearDown() override {
    Actual.reset();
    Expected.reset();
    TGdiLeakCheck::TearDown();
  }

  HDC ExpectedDC(TColor AColor) {
    Expected->Host.GetFont()->Assign(Actual->Canvas.GetFont());
    Expected->Host.GetFont()->SetColor(AColor);
    Expected->Host.RequiredState({csHandleValid, csFontValid});
    SetBkMode(Expected->Surface.DC, TRANSPARENT);
    return Expected->Surface.DC;
  }

  TSize Extent(const String& AText) {
    TSize size;
    GetTextExtentPoint32W(ExpectedDC(clBlack), AText.c_str(), static_cast<int>(AText.size()), &size);
    return size;
  }

  void ExpectSamePixels(const char* AWhat) {
    int differing = 0;
    for (int i = 0; i < Width * Height; ++i)
      if (Actual->Surface.Bits[i] != Expected->Surface.Bits[i]) ++differing;
    EXPECT_EQ(differing, 0) << AWhat;
  }
};

const String Caption = u"Caption";

TEST_F(CanvasText, TheFastPathPlacesSingleLinesByHand) {
  const TRect R{5, 3, 85, 33};
  const TSize size = Extent(Caption);
  ASSERT_GT(size.cx, 20);
  const struct {
    const char* What;
    Integer Flags;
    TPoint At;
  } cases[] = {
      {"left top", cxAlignLeft | cxAlignTop, {5, 3}},
      {"right", cxAlignRight, {85 - size.cx, 3}},
      {"centred across", cxAlignHCenter, {(5 + 85 - size.cx) / 2, 3}},
      {"bottom", cxAlignBottom, {5, 33 - size.cy}},
      {"centred down", cxAlignVCenter, {5, (3 + 33 - size.cy) / 2}},
      {"centred", cxAlignCenter, {(5 + 85 - size.cx) / 2, (3 + 33 - size.cy) / 2}},
  };
  for (const auto& test : cases) {
    std::fill_n(Actual->Surface.Bits, Width * Height, Back);
    std::fill_n(Expected->Surface.Bits, Width * Height, Back);
    Actual->Canvas.DrawTexT(Caption, R, test.Flags | cxSingleLine);
    ExtTextOutW(ExpectedDC(RGB(20, 40, 60)), test.At.X, test.At.Y, 0, nullptr, Caption.c_str(),
                static_cast<UINT>(Caption.size()), nullptr);
    ExpectSamePixels(test.What);
  }
}

TEST_F(CanvasText, TextWiderThanTheRectangleIsClippedToIt) {
  const TRect R{5, 3, 25, 33};
  Actual->Canvas.DrawTexT(Caption, R, cxSingleLine | cxAlignRight);
  // Wider than R: it starts at R's left.
  ExtTextOutW(ExpectedDC(RGB(20, 40, 60)), 5, 3, ETO_CLIPPED, &R, Caption.c_str(), static_cast<UINT>(Caption.size()),
              nullptr);
  ExpectSamePixels("clipped");
  EXPECT_EQ(Actual->At(25, 5), Back);
}

TEST_F(CanvasText, DisabledTextIsAHighlightUnderAShadow) {
  const TRect R{5, 3, 85, 33};
  const TSize size = Extent(Caption);
  Actual->Canvas.GetBrush()->SetStyle(bsSolid);
  Actual->Canvas.DrawTexT(Caption, R, cxSingleLine | cxAlignRight | cxAlignBottom, false);
  // A pixel more for the highlight a pixel right and down.
  const int x = 85 - size.cx - 1, y = 33 - size.cy - 1;
  ExtTextOutW(ExpectedDC(clBtnHighlight), x + 1, y + 1, 0, nullptr, Caption.c_str(), static_cast<UINT>(Caption.size()),
              nullptr);
  ExtTextOutW(ExpectedDC(clBtnShadow), x, y, 0, nullptr, Caption.c_str(), static_cast<UINT>(Caption.size()), nullptr);
  ExpectSamePixels("disabled");
  EXPECT_EQ(Actual->Canvas.GetBrush()->GetStyle(), bsSolid);
  EXPECT_EQ(Actual->Canvas.GetFont()->GetColor(), RGB(20, 40, 60));
}

TEST_F(CanvasText, OtherTextGoesThroughDrawText) {
  const struct {
    const char* What;
    String Text;
    Integer Flags;
    UINT Format;  // what the flags say to DrawTextW
  } cases[] = {
      {"word break", u"Start the count over", cxWordBreak | cxAlignHCenter, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL | DT_CENTER},
      {"prefix", u"&Start", cxSingleLine | cxShowPrefix, DT_SINGLELINE | DT_NOCLIP},
      {"end ellipsis", u"A caption far too long for its place", cxSingleLine | cxShowEndEllipsis,
       DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS},
  };
  TRect R{5, 3, 65, 38};
  for (const auto& test : cases) {
    std::fill_n(Actual->Surface.Bits, Width * Height, Back);
    std::fill_n(Expected->Surface.Bits, Width * Height, Back);
    Actual->Canvas.DrawTexT(test.Text, R, test.Flags);
    DrawTextW(ExpectedDC(RGB(20, 40, 60)), test.Text.c_str(), static_cast<int>(test.Text.size()), &R, test.Format);
    ExpectSamePixels(test.What);
  }
}

TEST_F(CanvasText, AlignmentsOfTheHostFramework) {
  const TRect R{5, 3, 85, 33};
  Actual->Canvas.DrawTexT(Caption, R, taRightJustify, vaBottom, false, false);
  const TSize size = Extent(Caption);
  ExtTextOutW(ExpectedDC(RGB(20, 40, 60)), 85 - size.cx, 33 - size.cy, 0, nullptr, Caption.c_str(),
              static_cast<UINT>(Caption.size()), nullptr);
  ExpectSamePixels("right and bottom");
  Actual->Canvas.DrawTexT(u"", R, cxSingleLine, false);
  ExpectSamePixels("an empty text draws nothing");
}

// The upright text in a W x H area, and the canvas's text turned into an
// H x W one over a background of distinct pixels, which stays where the
// text leaves it. Without antialiasing, so that text pixels do not depend
// on what is under them.
TEST(CanvasRotatedText, TurnedTextIsTheUprightTextTurned) {
  constexpr int W = 60, H = 20;
  const String text = u"Turn";
  const auto background = [](int x, int y) { return static_cast<DWORD>((x * 4) << 16 | (y * 4) << 8 | 0x11); };
  dxUseAntialiasingForRotatedText = false;
  for (TcxRotationAngle angle : {raPlus90, raMinus90}) {
    TCanvasOnSurface upright(W, H, Back), turned(H, W, Back);
    for (int y = 0; y < W; ++y)
      for (int x = 0; x < H; ++x) turned.Surface.Bits[y * H + x] = background(x, y);
    upright.Canvas.GetFont()->SetQuality(fqNonAntialiased);
    for (TcxCanvas* canvas : {&upright.Canvas, &turned.Canvas}) canvas->GetFont()->SetColor(RGB(200, 0, 0));
    turned.Canvas.DrawTexT(text, {0, 0, H, W}, cxSingleLine | cxAlignLeft | cxAlignTop, true, angle);
    upright.Canvas.DrawTexT(text, {0, 0, W, H}, cxSingleLine | cxAlignLeft | cxAlignTop | cxShowEndEllipsis, true);
    int differing = 0, ink = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        // A quarter turn anticlockwise takes (x, y) to (y, W - 1 - x);
        // clockwise to (H - 1 - y, x).
        const int tx = angle == raPlus90 ? y : H - 1 - y, ty = angle == raPlus90 ? W - 1 - x : x;
        const bool isInk = upright.At(x, y) != Back;
        if (turned.At(tx, ty) != (isInk ? upright.At(x, y) : background(tx, ty))) ++differing;
        if (isInk) ++ink;
      }
    EXPECT_GT(ink, 20) << "the text shows";
    EXPECT_EQ(differing, 0) << int{angle};
  }
  dxUseAntialiasingForRotatedText = true;
}

TEST_F(CanvasText, MeasuredRectanglesArePlacedByTheFlags) {
  const TSize size = Extent(Caption);
  const TRect R{10, 10, 110, 60};
  const struct {
    Integer Flags;
    TRect Expected;
  } cases[] = {
      {cxSingleLine, {10, 10, 10 + size.cx, 10 + size.cy}},
      {cxSingleLine | cxAlignCenter,
       cxRectOffset({10, 10, 10 + size.cx, 10 + size.cy}, (100 - size.cx) / 2, (50 - size.cy) / 2)},
      {cxSingleLine | cxAlignRight | cxAlignBottom, {110 - size.cx, 60 - size.cy, 110, 60}},
  };
  for (const auto& test : cases) {
    TRect r = R;
    Actual->Canvas.TextExtent(Caption, r, test.Flags);
    EXPECT_EQ(r, test.Expected) << test.Flags;
  }
  TRect noWidth{10, 10, 10, 60};
  Actual->Canvas.TextExtent(Caption, noWidth, cxSingleLine);
  EXPECT_EQ(noWidth, (TRect{10, 10, 10 + size.cx, 10 + size.cy}));
}

TEST_F(CanvasText, MultiLineTextAlignedDown) {
  const Integer line = cxTextHeight(Actual->Canvas.GetFont());
  ASSERT_GT(line, 5);
  const struct {
    const char* What;
    TcxAlignmentVert Alignment;
    bool Enabled, WordBreak, EndEllipsis;
    Integer Top;
  } cases[] = {
      {"top stays", vaTop, true, true, false, 0},
      {"bottom", vaBottom, true, false, false, 50 - line},
      {"bottom, disabled", vaBottom, false, false, false, 50 - 1 - line},
      {"centre", vaCenter, true, false, false, (50 - line) / 2},
      // Whole "Zq" lines that fit in 50 (49 when disabled).
      {"ellipsis", vaBottom, true, true, true, 50 - 50 / line * line},
      {"ellipsis, disabled", vaBottom, false, true, true, 50 - 1 - 49 / line * line},
      {"ellipsis, centre", vaCenter, true, true, true, (50 - 50 / line * line) / 2},
  };
  for (const auto& test : cases) {
    TRect r{0, 0, 100, 50};
    Actual->Canvas.AlignMultiLineTextRectVertically(r, u"One line", test.Alignment, test.WordBreak, false, test.Enabled,
                                                   false, test.EndEllipsis);
    EXPECT_EQ(r, (TRect{0, test.Top, 100, 50})) << test.What;
  }
  // Word breaks in a narrow rectangle: two lines.
  TRect r{0, 0, std::max(Extent(u"Start").cx, Extent(u"again").cx) + 2, 50};
  Actual->Canvas.AlignMultiLineTextRectVertically(r, u"Start again", vaBottom, true, false);
  EXPECT_EQ(r.Top, 50 - 2 * line);
}

TEST_F(CanvasText, TheFontsAngle) {
  Actual->Canvas.SetFontAngle(45);
  LOGFONTW made;
  ASSERT_EQ(GetObjectW(Actual->Canvas.GetFont()->GetHandle(), sizeof made, &made), static_cast<int>(sizeof made));
  EXPECT_EQ(made.lfEscapement, 450);
  EXPECT_EQ(made.lfOutPrecision, OUT_TT_ONLY_PRECIS);
  EXPECT_EQ(made.lfFaceName, String(u"Tahoma"));
  EXPECT_EQ(Actual->Canvas.GetFont()->GetColor(), RGB(20, 40, 60));
  Actual->Canvas.SetFontAngle(0);
  ASSERT_EQ(GetObjectW(Actual->Canvas.GetFont()->GetHandle(), sizeof made, &made), static_cast<int>(sizeof made));
  EXPECT_EQ(made.lfEscapement, 0);
}

}  // namespace

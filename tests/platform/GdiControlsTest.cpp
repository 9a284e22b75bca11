#include <gtest/gtest.h>

#include "platform/Gdi.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

using GdiControls = TSysColourPictureTest;

// The smallest rectangle holding every pixel of the colour inside `within`.
RECT BoundsOf(const TTestSurface& s, const RECT& within, DWORD colour) {
  RECT bounds{within.Right, within.Bottom, within.Left, within.Top};
  for (int y = within.Top; y < within.Bottom; ++y)
    for (int x = within.Left; x < within.Right; ++x)
      if (s.At(x, y) == colour) {
        bounds.Left = std::min<LONG>(bounds.Left, x);
        bounds.Top = std::min<LONG>(bounds.Top, y);
        bounds.Right = std::max<LONG>(bounds.Right, x + 1);
        bounds.Bottom = std::max<LONG>(bounds.Bottom, y + 1);
      }
  return bounds;
}

struct TCorners {
  int OuterTopLeft, InnerTopLeft, InnerBottomRight, OuterBottomRight;
};

void ExpectCorners(const TTestSurface& s, int w, int h, const TCorners& c) {
  EXPECT_EQ(s.At(0, 0), SysPixel(c.OuterTopLeft));
  EXPECT_EQ(s.At(1, 1), SysPixel(c.InnerTopLeft));
  EXPECT_EQ(s.At(w - 2, h - 2), SysPixel(c.InnerBottomRight));
  EXPECT_EQ(s.At(w - 1, h - 1), SysPixel(c.OuterBottomRight));
  EXPECT_EQ(s.At(w - 1, 0), SysPixel(c.OuterBottomRight)) << "the top-right corner belongs to the right side";
}

const struct {
  const char* Name;
  UINT State;
  TCorners Corners;
} ButtonFaces[] = {
    {"normal", 0, {COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW}},
    {"inactive", DFCS_INACTIVE, {COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW}},
    {"pushed", DFCS_PUSHED, {COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT}},
    {"flat", DFCS_FLAT, {COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE, COLOR_BTNSHADOW}},
};

TEST_F(GdiControls, PushAndScrollButtonsHaveTheSoftEdgeInEveryState) {
  const struct {
    UINT Type, Kind;
    int Width, Height;
  } buttons[] = {{DFC_BUTTON, DFCS_BUTTONPUSH, 75, 25}, {DFC_SCROLL, DFCS_SCROLLDOWN, 17, 17}};
  for (const auto& b : buttons)
    for (const auto& c : ButtonFaces) {
      SCOPED_TRACE(std::string(c.Name) + (b.Type == DFC_BUTTON ? " push button" : " scroll button"));
      TTestSurface button(b.Width, b.Height, Background);
      RECT r{0, 0, b.Width, b.Height};
      ASSERT_TRUE(DrawFrameControl(button.DC, &r, b.Type, b.Kind | c.State));
      ExpectCorners(button, b.Width, b.Height, c.Corners);
      EXPECT_EQ(button.At(3, b.Height / 2), SysPixel(COLOR_BTNFACE));
    }
}

TEST_F(GdiControls, ScrollArrowsShareTheirRowsAndColumns) {
  // Seven wide and four deep in a 17-pixel button: rows (or columns) 7 to 10,
  // the point at the end it points to.
  const struct {
    UINT Kind;
    RECT Bounds;
    POINT Point;
    POINT Highlight;  // where the inactive arrow's highlight copy shows
  } cases[] = {
      {DFCS_SCROLLUP, {5, 7, 12, 11}, {8, 7}, {12, 11}},
      {DFCS_SCROLLDOWN, {5, 7, 12, 11}, {8, 10}, {12, 8}},
      {DFCS_SCROLLLEFT, {7, 5, 11, 12}, {7, 8}, {11, 12}},
      {DFCS_SCROLLRIGHT, {7, 5, 11, 12}, {10, 8}, {8, 12}},
  };
  const RECT inside{2, 2, 15, 15};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Kind);
    TTestSurface normal(17, 17), pushed(17, 17), inactive(17, 17);
    RECT r{0, 0, 17, 17};
    DrawFrameControl(normal.DC, &r, DFC_SCROLL, c.Kind);
    DrawFrameControl(pushed.DC, &r, DFC_SCROLL, c.Kind | DFCS_PUSHED);
    DrawFrameControl(inactive.DC, &r, DFC_SCROLL, c.Kind | DFCS_INACTIVE);
    EXPECT_EQ(BoundsOf(normal, inside, SysPixel(COLOR_BTNTEXT)), c.Bounds);
    EXPECT_EQ(normal.At(c.Point.X, c.Point.Y), SysPixel(COLOR_BTNTEXT));
    // The point is a single pixel: its neighbours across the arrow are face.
    const bool vertical = c.Kind == DFCS_SCROLLUP || c.Kind == DFCS_SCROLLDOWN;
    EXPECT_EQ(normal.At(c.Point.X - (vertical ? 1 : 0), c.Point.Y - (vertical ? 0 : 1)), SysPixel(COLOR_BTNFACE));
    // Pushed: a pixel down and right. Inactive: shadow over a highlight
    // copy a pixel down and right.
    const RECT moved{c.Bounds.Left + 1, c.Bounds.Top + 1, c.Bounds.Right + 1, c.Bounds.Bottom + 1};
    EXPECT_EQ(BoundsOf(pushed, inside, SysPixel(COLOR_BTNTEXT)), moved);
    EXPECT_EQ(BoundsOf(inactive, inside, SysPixel(COLOR_BTNTEXT)), (RECT{15, 15, 2, 2})) << "no text colour";
    EXPECT_EQ(BoundsOf(inactive, inside, SysPixel(COLOR_BTNSHADOW)), c.Bounds);
    EXPECT_EQ(inactive.At(c.Highlight.X, c.Highlight.Y), SysPixel(COLOR_BTNHIGHLIGHT));
  }
}

TEST_F(GdiControls, SizeGripHasThreePairsOfDiagonals) {
  TTestSurface grip(17, 17, Background);
  RECT r{0, 0, 17, 17};
  ASSERT_TRUE(DrawFrameControl(grip.DC, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP));
  ExpectPicture(grip,
                {
                    "FFFFFFFFFFFFFFFFF",  //
                    "FFFFFFFFFFFFFFFFF",  //
                    "FFFFFFFFFFFFFFFFF",  //
                    "FFFFFFFFFFFFFFFFF",  //
                    "FFFFFFFFFFFFFFFFF",  //
                    "FFFFFFFFFFFFFFFFF",  //
                    "FFFFFFFFFFFFFFFFF",  //
                    "FFFFFFFFFFFFFFFFH",  //
                    "FFFFFFFFFFFFFFFHS",  //
                    "FFFFFFFFFFFFFFHSF",  //
                    "FFFFFFFFFFFFFHSFF",  //
                    "FFFFFFFFFFFFHSFFH",  //
                    "FFFFFFFFFFFHSFFHS",  //
                    "FFFFFFFFFFHSFFHSF",  //
                    "FFFFFFFFFHSFFHSFF",  //
                    "FFFFFFFFHSFFHSFFH",  //
                    "FFFFFFFHSFFHSFFHS",  //
                },
                Legend());
}

// A button state and the picture it draws, in a rectangle of that size.
struct TButtonPicture {
  const char* Name;
  UINT State;
  std::vector<std::string> Picture;
};

void ExpectButtonPictures(const std::vector<TButtonPicture>& cases, const std::map<char, DWORD>& legend) {
  for (const TButtonPicture& c : cases) {
    SCOPED_TRACE(c.Name);
    const int w = static_cast<int>(c.Picture[0].size()), h = static_cast<int>(c.Picture.size());
    TTestSurface button(w, h, TSysColourPictureTest::Background);
    RECT r{0, 0, w, h};
    ASSERT_TRUE(DrawFrameControl(button.DC, &r, DFC_BUTTON, c.State));
    ExpectPicture(button, c.Picture, legend);
  }
}

// The classic 13-pixel check box: the sunken box, the window colour inside
// and the check mark seven pixels square, a pixel in from the box.
const std::vector<std::string> CheckedBox = {
    "SSSSSSSSSSSSH",  //
    "SDDDDDDDDDDLH",  //
    "SDWWWWWWWWWLH",  //
    "SDWWWWWWWTWLH",  //
    "SDWWWWWWTTWLH",  //
    "SDWTWWWTTTWLH",  //
    "SDWTTWTTTWWLH",  //
    "SDWTTTTTWWWLH",  //
    "SDWWTTTWWWWLH",  //
    "SDWWWTWWWWWLH",  //
    "SDWWWWWWWWWLH",  //
    "SLLLLLLLLLLLH",  //
    "HHHHHHHHHHHHH",  //
};

// The picture with some letters read as others.
std::vector<std::string> Recoloured(std::vector<std::string> picture, const std::map<char, char>& changes) {
  for (std::string& row : picture)
    for (char& c : row)
      if (auto it = changes.find(c); it != changes.end()) c = it->second;
  return picture;
}

TEST_F(GdiControls, CheckBoxesInTheirStates) {
  ExpectButtonPictures(
      {
          {"unchecked", DFCS_BUTTONCHECK, Recoloured(CheckedBox, {{'T', 'W'}})},
          {"checked", DFCS_BUTTONCHECK | DFCS_CHECKED, CheckedBox},
          {"checked, pushed", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_PUSHED, Recoloured(CheckedBox, {{'W', 'F'}})},
          {"checked, inactive", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE,
           Recoloured(CheckedBox, {{'W', 'F'}, {'T', 'S'}})},
          {"three-state, checked", DFCS_BUTTON3STATE | DFCS_CHECKED, Recoloured(CheckedBox, {{'W', 'F'}, {'T', 'S'}})},
          {"three-state, unchecked", DFCS_BUTTON3STATE, Recoloured(CheckedBox, {{'T', 'W'}})},
          {"flat", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT,
           Recoloured(CheckedBox, {{'H', 'S'}, {'D', 'F'}, {'L', 'F'}})},
          // One ring in the window-frame colour; the window colour up to it.
          {"mono", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_MONO,
           Recoloured(CheckedBox, {{'S', 'K'}, {'H', 'K'}, {'D', 'W'}, {'L', 'W'}})},
      },
      Legend());
}

TEST_F(GdiControls, CheckBoxesSitInTheMiddleOfWiderRectangles) {
  TTestSurface wide(17, 13, Background);
  RECT r{0, 0, 17, 13};
  ASSERT_TRUE(DrawFrameControl(wide.DC, &r, DFC_BUTTON, DFCS_BUTTONCHECK));
  EXPECT_EQ(wide.At(1, 0), Background);
  EXPECT_EQ(wide.At(2, 0), SysPixel(COLOR_BTNSHADOW));
  EXPECT_EQ(wide.At(14, 12), SysPixel(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(wide.At(15, 12), Background);
}

// The classic 12-pixel radio button: two rings split along the diagonal
// from the bottom-left to the top-right (which takes the bottom-right
// colours), the window colour inside.
const std::vector<std::string> RadioButton = {
    "....SSSS....",  //
    "..SSDDDDSS..",  //
    ".SDDWWWWDLH.",  //
    ".SDWWWWWWLH.",  //
    "SDWWWWWWWWLH",  //
    "SDWWWWWWWWLH",  //
    "SDWWWWWWWWLH",  //
    "SDWWWWWWWWLH",  //
    ".SDWWWWWWLH.",  //
    ".SLLWWWWLLH.",  //
    "..HHLLLLHH..",  //
    "....HHHH....",  //
};

TEST_F(GdiControls, RadioButtonsAreRoundWithADot) {
  const std::vector<std::string> checked = {
      "....SSSS....",  //
      "..SSDDDDSS..",  //
      ".SDDWWWWDLH.",  //
      ".SDWWWWWWLH.",  //
      "SDWWWTTWWWLH",  //
      "SDWWTTTTWWLH",  //
      "SDWWTTTTWWLH",  //
      "SDWWWTTWWWLH",  //
      ".SDWWWWWWLH.",  //
      ".SLLWWWWLLH.",  //
      "..HHLLLLHH..",  //
      "....HHHH....",  //
  };
  ExpectButtonPictures(
      {
          {"unchecked", DFCS_BUTTONRADIO, RadioButton},
          {"checked", DFCS_BUTTONRADIO | DFCS_CHECKED, checked},
          {"image", DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED, checked},
          {"inactive", DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_INACTIVE, Recoloured(checked, {{'W', 'F'}, {'T', 'S'}})},
          {"pushed", DFCS_BUTTONRADIO | DFCS_PUSHED, Recoloured(RadioButton, {{'W', 'F'}})},
          {"flat", DFCS_BUTTONRADIO | DFCS_FLAT, Recoloured(RadioButton, {{'H', 'S'}, {'D', 'F'}, {'L', 'F'}})},
          {"mono", DFCS_BUTTONRADIO | DFCS_MONO,
           Recoloured(RadioButton, {{'S', 'K'}, {'H', 'K'}, {'D', 'W'}, {'L', 'W'}})},
      },
      Legend());
  // The mask: the disc black on white.
  const auto mask = Recoloured(RadioButton, {{'.', 'w'}, {'S', 'k'}, {'D', 'k'}, {'W', 'k'}, {'L', 'k'}, {'H', 'k'}});
  ExpectButtonPictures({{"mask", DFCS_BUTTONRADIOMASK, mask}}, {{'w', 0x00FFFFFFu}, {'k', 0u}});
}

TEST_F(GdiControls, RefusesUnknownKinds) {
  TTestSurface s(13, 13, Background);
  RECT r{0, 0, 13, 13};
  EXPECT_FALSE(DrawFrameControl(s.DC, &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK));
  EXPECT_FALSE(DrawFrameControl(s.DC, &r, DFC_SCROLL, 0x0005));
  EXPECT_FALSE(DrawFrameControl(s.DC, &r, 99, 0));
  EXPECT_FALSE(DrawFrameControl(s.DC, nullptr, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_EQ(s.At(6, 6), Background);
}

TEST_F(GdiControls, EllipsesKeepTheirCornersFree) {
  TTestSurface s(20, 20, 0x00FFFFFF);
  HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
  HGDIOBJ old = SelectObject(s.DC, grey);
  Ellipse(s.DC, 0, 0, 20, 20);
  EXPECT_EQ(s.At(0, 0), 0x00FFFFFFu);
  EXPECT_EQ(s.At(10, 10), 0x00808080u);
  EXPECT_EQ(s.At(10, 0), 0u);  // the black pen on the edge
  // Drawn shapes, unlike regions, reach the box's last column and row.
  EXPECT_EQ(s.At(19, 10), 0u);
  EXPECT_EQ(s.At(10, 19), 0u);
  RoundRect(s.DC, 0, 0, 20, 20, 6, 6);
  EXPECT_EQ(s.At(0, 10), 0u);
  EXPECT_EQ(s.At(19, 10), 0u);
  EXPECT_EQ(s.At(5, 5), 0x00808080u);
  SelectObject(s.DC, old);
  DeleteObject(grey);
}

}  // namespace

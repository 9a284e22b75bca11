#include <gtest/gtest.h>

#include "platform/Gdi.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

using GdiControls = TGdiLeakCheck;

DWORD Sys(int index) {
  const COLORREF c = GetSysColor(index);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The first pixel of the colour, scanning rows; (-1, -1) when none.
POINT Find(const TTestSurface& s, int w, int h, DWORD colour) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (s.At(x, y) == colour) return {x, y};
  return {-1, -1};
}

TEST_F(GdiControls, EdgesDrawTwoRingsAndAdjust) {
  TTestSurface s(6, 6, 0x11111111);
  RECT r{0, 0, 6, 6};
  ASSERT_TRUE(DrawEdge(s.DC, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
  EXPECT_EQ(r, (RECT{2, 2, 4, 4}));
  EXPECT_EQ(s.At(0, 0), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(s.At(5, 0), Sys(COLOR_3DDKSHADOW));  // the top-right corner takes the bottom-right colour
  EXPECT_EQ(s.At(0, 5), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(s.At(1, 1), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(s.At(4, 4), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(s.At(2, 2), Sys(COLOR_BTNFACE));

  RECT sunken{0, 0, 6, 6};
  DrawEdge(s.DC, &sunken, EDGE_SUNKEN, BF_LEFT | BF_TOP);
  EXPECT_EQ(s.At(0, 3), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(s.At(1, 3), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(s.At(5, 3), Sys(COLOR_3DDKSHADOW));  // the right side was not asked for
}

TEST_F(GdiControls, PushButtonsAndScrollArrows) {
  TTestSurface normal(17, 17), pushed(17, 17), flat(17, 17), inactive(17, 17);
  RECT r{0, 0, 17, 17};
  DrawFrameControl(normal.DC, &r, DFC_SCROLL, DFCS_SCROLLDOWN);
  DrawFrameControl(pushed.DC, &r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
  DrawFrameControl(flat.DC, &r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT);
  DrawFrameControl(inactive.DC, &r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
  EXPECT_EQ(normal.At(0, 0), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(pushed.At(0, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(flat.At(0, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(flat.At(1, 1), Sys(COLOR_BTNFACE));
  const POINT glyph = Find(normal, 17, 17, Sys(COLOR_BTNTEXT));
  ASSERT_GE(glyph.X, 0);
  EXPECT_EQ(Find(pushed, 17, 17, Sys(COLOR_BTNTEXT)), (POINT{glyph.X + 1, glyph.Y + 1}));
  EXPECT_EQ(Find(inactive, 17, 17, Sys(COLOR_BTNTEXT)), (POINT{-1, -1}));
  EXPECT_GE(Find(inactive, 17, 17, Sys(COLOR_BTNSHADOW)).X, 0);

  TTestSurface button(75, 25), grip(17, 17);
  RECT b{0, 0, 75, 25};
  EXPECT_TRUE(DrawFrameControl(button.DC, &b, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_EQ(button.At(37, 12), Sys(COLOR_BTNFACE));
  EXPECT_EQ(button.At(74, 24), Sys(COLOR_3DDKSHADOW));
  EXPECT_FALSE(DrawFrameControl(button.DC, &b, DFC_BUTTON, 0x0001));  // not a push button
  DrawFrameControl(grip.DC, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  EXPECT_GE(Find(grip, 17, 17, Sys(COLOR_BTNHIGHLIGHT)).X, 0);
  EXPECT_EQ(grip.At(0, 0), Sys(COLOR_BTNFACE));
}

TEST_F(GdiControls, EllipsesKeepTheirCornersFree) {
  TTestSurface s(20, 20, 0x00FFFFFF);
  HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
  HGDIOBJ old = SelectObject(s.DC, grey);
  Ellipse(s.DC, 0, 0, 20, 20);
  EXPECT_EQ(s.At(0, 0), 0x00FFFFFFu);
  EXPECT_EQ(s.At(10, 10), 0x00808080u);
  EXPECT_EQ(s.At(10, 0), 0u);  // the black pen on the edge
  RoundRect(s.DC, 0, 0, 20, 20, 6, 6);
  EXPECT_EQ(s.At(0, 10), 0u);
  EXPECT_EQ(s.At(5, 5), 0x00808080u);
  SelectObject(s.DC, old);
  DeleteObject(grey);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "platform/Gdi.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

using GdiLines = TGdiLeakCheck;

// The surface as rows of '#' (the given colour) and '.' (anything else).
std::string Picture(const TTestSurface& s, int w, int h, DWORD colour) {
  std::string out;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) out += s.At(x, y) == colour ? '#' : '.';
    out += '\n';
  }
  return out;
}

TEST_F(GdiLines, LinesLeaveOutTheirLastPixelInEveryDirection) {
  struct Case {
    POINT from, to;
    const char* picture;
  } cases[] = {
      {{1, 2}, {4, 2}, ".....\n.....\n.###.\n.....\n.....\n"},
      {{4, 2}, {1, 2}, ".....\n.....\n..###\n.....\n.....\n"},
      {{2, 0}, {2, 3}, "..#..\n..#..\n..#..\n.....\n.....\n"},
      {{0, 0}, {4, 4}, "#....\n.#...\n..#..\n...#.\n.....\n"},
      {{4, 0}, {0, 4}, "....#\n...#.\n..#..\n.#...\n.....\n"},
      {{0, 0}, {4, 2}, "##...\n..##.\n.....\n.....\n.....\n"},
      {{2, 2}, {2, 2}, ".....\n.....\n.....\n.....\n.....\n"},
  };
  for (const auto& c : cases) {
    TTestSurface s(5, 5, 0x00FFFFFF);
    MoveToEx(s.DC, c.from.X, c.from.Y, nullptr);
    LineTo(s.DC, c.to.X, c.to.Y);
    EXPECT_EQ(Picture(s, 5, 5, 0), c.picture) << c.from.X << "," << c.from.Y << " -> " << c.to.X << "," << c.to.Y;
    POINT at;
    GetCurrentPositionEx(s.DC, &at);
    EXPECT_EQ(at, c.to);
  }
}

TEST_F(GdiLines, Rop2ModesCombinePenAndDestination) {
  const DWORD P = 0x000F0F0F, D = 0x80A5C3E1;  // the pen carries alpha 0
  struct Case {
    int mode;
    DWORD expected;
  } cases[] = {
      {R2_BLACK, 0},          {R2_NOTMERGEPEN, ~(P | D)}, {R2_MASKNOTPEN, D & ~P}, {R2_NOTCOPYPEN, ~P},
      {R2_MASKPENNOT, P & ~D}, {R2_NOT, ~D},              {R2_XORPEN, P ^ D},      {R2_NOTMASKPEN, ~(P & D)},
      {R2_MASKPEN, P & D},     {R2_NOTXORPEN, ~(P ^ D)},  {R2_NOP, D},             {R2_MERGENOTPEN, D | ~P},
      {R2_COPYPEN, P},         {R2_MERGEPENNOT, P | ~D},  {R2_MERGEPEN, P | D},    {R2_WHITE, 0xFFFFFFFF},
  };
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x0F, 0x0F, 0x0F));
  for (const auto& c : cases) {
    TTestSurface s(2, 1, D);
    HGDIOBJ old = SelectObject(s.DC, pen);
    SetROP2(s.DC, c.mode);
    MoveToEx(s.DC, 0, 0, nullptr);
    LineTo(s.DC, 1, 0);
    EXPECT_EQ(s.At(0, 0), c.expected) << c.mode;
    EXPECT_EQ(s.At(1, 0), D);
    SelectObject(s.DC, old);
  }
  DeleteObject(pen);
}

TEST_F(GdiLines, StyledPensAndTheirGaps) {
  HPEN dash = CreatePen(PS_DASH, 1, RGB(255, 0, 0));
  TTestSurface s(30, 1, 0x11111111);
  HGDIOBJ old = SelectObject(s.DC, dash);
  SetBkMode(s.DC, TRANSPARENT);
  MoveToEx(s.DC, 0, 0, nullptr);
  LineTo(s.DC, 30, 0);
  EXPECT_EQ(s.At(0, 0), 0x00FF0000u);
  EXPECT_EQ(s.At(17, 0), 0x00FF0000u);
  EXPECT_EQ(s.At(18, 0), 0x11111111u);  // the gap is left alone
  EXPECT_EQ(s.At(24, 0), 0x00FF0000u);
  SetBkMode(s.DC, OPAQUE);
  SetBkColor(s.DC, RGB(0, 0, 255));
  MoveToEx(s.DC, 0, 0, nullptr);
  LineTo(s.DC, 30, 0);
  EXPECT_EQ(s.At(18, 0), 0x000000FFu);  // an opaque gap takes the background colour
  SelectObject(s.DC, GetStockObject(NULL_PEN));
  MoveToEx(s.DC, 0, 0, nullptr);
  LineTo(s.DC, 30, 0);
  EXPECT_EQ(s.At(18, 0), 0x000000FFu);
  SelectObject(s.DC, old);
  DeleteObject(dash);
}

TEST_F(GdiLines, PolygonArrowsAreSolidWithPenAndBrushOfOneColour) {
  TTestSurface s(10, 7, 0x00FFFFFF);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ oldBrush = SelectObject(s.DC, brush);
  HGDIOBJ oldPen = SelectObject(s.DC, pen);
  const POINT down[3] = {{2, 2}, {8, 2}, {5, 5}};
  ASSERT_TRUE(Polygon(s.DC, down, 3));
  EXPECT_EQ(Picture(s, 10, 7, 0),
            "..........\n"
            "..........\n"
            "..#######.\n"
            "...#####..\n"
            "....###...\n"
            ".....#....\n"
            "..........\n");
  // The down arrow of a 9 x 9 button: 5, 3 and 1 pixels wide.
  TTestSurface arrow(9, 9, 0x00FFFFFF);
  SelectObject(arrow.DC, brush);
  SelectObject(arrow.DC, pen);
  const POINT button[3] = {{6, 3}, {4, 5}, {2, 3}};
  Polygon(arrow.DC, button, 3);
  EXPECT_EQ(Picture(arrow, 9, 9, 0),
            ".........\n.........\n.........\n"
            "..#####..\n"
            "...###...\n"
            "....#....\n"
            ".........\n.........\n.........\n");
  SelectObject(arrow.DC, GetStockObject(WHITE_BRUSH));
  SelectObject(arrow.DC, GetStockObject(BLACK_PEN));

  // With the null pen only the inside is filled.
  TTestSurface f(10, 7, 0x00FFFFFF);
  SelectObject(f.DC, brush);
  SelectObject(f.DC, GetStockObject(NULL_PEN));
  Polygon(f.DC, down, 3);
  EXPECT_EQ(Picture(f, 10, 7, 0),
            "..........\n"
            "..........\n"
            "..######..\n"
            "...####...\n"
            "....##....\n"
            "..........\n"
            "..........\n");
  SelectObject(f.DC, GetStockObject(WHITE_BRUSH));
  SelectObject(f.DC, GetStockObject(BLACK_PEN));
  SelectObject(s.DC, oldBrush);
  SelectObject(s.DC, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

TEST_F(GdiLines, RectanglesAndTheFocusFrame) {
  TTestSurface s(6, 5, 0x00FFFFFF);
  HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
  HGDIOBJ old = SelectObject(s.DC, grey);
  Rectangle(s.DC, 0, 0, 5, 4);
  EXPECT_EQ(Picture(s, 6, 5, 0), "#####.\n#...#.\n#...#.\n#####.\n......\n");
  EXPECT_EQ(s.At(2, 2), 0x00808080u);
  SelectObject(s.DC, GetStockObject(NULL_PEN));
  TTestSurface n(6, 5, 0x00FFFFFF);
  SelectObject(n.DC, grey);
  SelectObject(n.DC, GetStockObject(NULL_PEN));
  Rectangle(n.DC, 0, 0, 5, 4);
  EXPECT_EQ(Picture(n, 6, 5, 0x00808080), "####..\n####..\n####..\n......\n......\n");
  SelectObject(n.DC, GetStockObject(WHITE_BRUSH));
  SelectObject(n.DC, GetStockObject(BLACK_PEN));
  SelectObject(s.DC, old);
  SelectObject(s.DC, GetStockObject(BLACK_PEN));
  DeleteObject(grey);

  TTestSurface focus(5, 4, 0x00336699);
  SetTextColor(focus.DC, RGB(0, 0, 0));
  SetBkColor(focus.DC, RGB(255, 255, 255));
  const RECT r{0, 0, 5, 4};
  DrawFocusRect(focus.DC, &r);
  EXPECT_EQ(focus.At(0, 0), 0x00336699u ^ 0x00FFFFFFu);
  EXPECT_EQ(focus.At(1, 0), 0x00336699u);
  EXPECT_EQ(focus.At(2, 2), 0x00336699u);  // inside is untouched
  DrawFocusRect(focus.DC, &r);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(focus.At(x, y), 0x00336699u);
}

}  // namespace

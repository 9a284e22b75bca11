#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/Gdi.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

using TSurface = TTestSurface;
using GdiBlit = TGdiLeakCheck;

TEST_F(GdiBlit, FillRectIsHalfOpenAndWritesAlphaZero) {
  TSurface s(6, 6, 0xFFFFFFFF);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT r{1, 2, 4, 5};
  ASSERT_TRUE(FillRect(s.DC, &r, red));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x < 4 && y >= 2 && y < 5;
      EXPECT_EQ(s.At(x, y), inside ? 0x00FF0000u : 0xFFFFFFFFu) << x << "," << y;
    }
  const RECT inverted{5, 1, 4, 0}, empty{0, 0, 0, 5};
  FillRect(s.DC, &inverted, red);
  FillRect(s.DC, &empty, red);
  EXPECT_EQ(s.At(4, 0), 0xFFFFFFFFu);
  EXPECT_EQ(s.At(0, 0), 0xFFFFFFFFu);
  // A system colour index stands for its brush.
  const RECT one{0, 0, 1, 1};
  FillRect(s.DC, &one, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  EXPECT_EQ(s.At(0, 0), 0x00F0F0F0u);
  DeleteObject(red);
}

TEST_F(GdiBlit, FramesInvertsAndWholeWordRops) {
  TSurface s(5, 5, 0x80123456);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  const RECT frame{0, 0, 4, 4};
  FrameRect(s.DC, &frame, blue);
  EXPECT_EQ(s.At(0, 0), 0x000000FFu);
  EXPECT_EQ(s.At(3, 3), 0x000000FFu);
  EXPECT_EQ(s.At(1, 1), 0x80123456u);
  EXPECT_EQ(s.At(4, 4), 0x80123456u);
  const RECT cell{1, 1, 2, 2};
  InvertRect(s.DC, &cell);
  EXPECT_EQ(s.At(1, 1), 0x7FEDCBA9u);  // alpha inverted too
  PatBlt(s.DC, 2, 2, 1, 1, BLACKNESS);
  PatBlt(s.DC, 3, 3, -1, -1, WHITENESS);  // negative sizes reach back from the start pixel
  EXPECT_EQ(s.At(2, 2), 0u);
  EXPECT_EQ(s.At(3, 3), 0xFFFFFFFFu);
  DeleteObject(blue);
}

TEST_F(GdiBlit, RasterOperationsMatchTheirFormulas) {
  const DWORD P = 0x000F0F0F, S = 0xFF335577, D = 0x80A5C3E1;  // the brush's alpha is 0
  struct Case {
    DWORD rop;
    DWORD expected;
  } cases[] = {
      {SRCCOPY, S},
      {NOTSRCCOPY, ~S},
      {DSTINVERT, ~D},
      {SRCPAINT, S | D},
      {SRCAND, S & D},
      {SRCINVERT, S ^ D},
      {PATINVERT, P ^ D},
      {PATCOPY, P},
      {BLACKNESS, 0},
      {WHITENESS, 0xFFFFFFFF},
      {0x00220326, D & ~S},                  // DSna
      {0x00200F09, D & P & ~S},              // DPSnaa
      {0x00E20746, ((P ^ D) & S) ^ D},       // DSPDxax
      {MERGECOPY, P & S},
  };
  TSurface source(1, 1, S);
  HBRUSH brush = CreateSolidBrush(RGB(0x0F, 0x0F, 0x0F));
  for (const auto& c : cases) {
    TSurface target(1, 1, D);
    HGDIOBJ old = SelectObject(target.DC, brush);
    ASSERT_TRUE(BitBlt(target.DC, 0, 0, 1, 1, source.DC, 0, 0, c.rop));
    EXPECT_EQ(target.At(0, 0), c.expected) << std::hex << c.rop;
    SelectObject(target.DC, old);
  }
  DeleteObject(brush);
}

TEST_F(GdiBlit, MonochromeMeetsColourThroughTheDCColours) {
  // A device monochrome bitmap: bit 0 takes the text colour, bit 1 the background.
  const BYTE rows[] = {0x80, 0x00};  // 10
  HBITMAP mono = CreateBitmap(2, 1, 1, 1, rows);
  HDC monoDC = CreateCompatibleDC(nullptr);
  HGDIOBJ oldMono = SelectObject(monoDC, mono);
  TSurface colour(2, 1, 0xFFFFFFFF);
  SetTextColor(colour.DC, RGB(255, 0, 0));
  SetBkColor(colour.DC, RGB(0, 0, 255));
  BitBlt(colour.DC, 0, 0, 2, 1, monoDC, 0, 0, SRCCOPY);
  EXPECT_EQ(colour.At(0, 0), 0x000000FFu);  // bit 1: background, blue
  EXPECT_EQ(colour.At(1, 0), 0x00FF0000u);  // bit 0: text, red

  // Colour to monochrome: the source's background colour becomes 1.
  colour.Bits[0] = 0x00123456;
  colour.Bits[1] = 0x00000000;
  SetBkColor(colour.DC, RGB(0x12, 0x34, 0x56));
  BitBlt(monoDC, 0, 0, 2, 1, colour.DC, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(monoDC, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(monoDC, 1, 0), RGB(0, 0, 0));

  // A 1-bit DIB section brings its own colours.
  void* bits = nullptr;
  HBITMAP dib = CreateMonoDibRow(2, {0, 255, 0, 0} /* green */, {0, 255, 255, 0} /* yellow */, 0x80, &bits);
  HDC dibDC = CreateCompatibleDC(nullptr);
  HGDIOBJ oldDib = SelectObject(dibDC, dib);
  BitBlt(colour.DC, 0, 0, 2, 1, dibDC, 0, 0, SRCCOPY);
  EXPECT_EQ(colour.At(0, 0), 0x00FFFF00u);
  EXPECT_EQ(colour.At(1, 0), 0x0000FF00u);
  // And back: as a target it takes the nearest of its table's colours.
  colour.Bits[0] = 0x00000000;  // nearer green
  colour.Bits[1] = 0x00F0E010;  // nearer yellow
  BitBlt(dibDC, 0, 0, 2, 1, colour.DC, 0, 0, SRCCOPY);
  EXPECT_EQ(static_cast<BYTE*>(bits)[0] & 0xC0, 0x40);
  // Operations on it work on the bits.
  BitBlt(dibDC, 0, 0, 2, 1, dibDC, 0, 0, DSTINVERT);
  EXPECT_EQ(static_cast<BYTE*>(bits)[0] & 0xC0, 0x80);

  SelectObject(dibDC, oldDib);
  SelectObject(monoDC, oldMono);
  DeleteDC(dibDC);
  DeleteDC(monoDC);
  DeleteObject(dib);
  DeleteObject(mono);
}

TEST_F(GdiBlit, PatternBrushesTileFromTheBrushOrigin) {
  // A 2 x 2 checkerboard as a monochrome pattern: 10 / 01.
  const BYTE rows[] = {0x80, 0x00, 0x40, 0x00};
  HBITMAP checker = CreateBitmap(2, 2, 1, 1, rows);
  HBRUSH brush = CreatePatternBrush(checker);
  DeleteObject(checker);  // the brush keeps its own copy
  TSurface s(4, 2);
  SetTextColor(s.DC, RGB(0, 0, 0));
  SetBkColor(s.DC, RGB(255, 255, 255));
  const RECT all{0, 0, 4, 2};
  FillRect(s.DC, &all, brush);
  EXPECT_EQ(s.At(0, 0), 0x00FFFFFFu);
  EXPECT_EQ(s.At(1, 0), 0u);
  EXPECT_EQ(s.At(0, 1), 0u);
  SetBrushOrgEx(s.DC, 1, 0, nullptr);
  FillRect(s.DC, &all, brush);
  EXPECT_EQ(s.At(0, 0), 0u);
  EXPECT_EQ(s.At(1, 0), 0x00FFFFFFu);

  // Hatch gaps take the background colour only when opaque.
  HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(255, 0, 0));
  TSurface h(8, 8, 0x11111111);
  SetBkColor(h.DC, RGB(0, 255, 0));
  const RECT area{0, 0, 8, 8};
  SetBkMode(h.DC, TRANSPARENT);
  FillRect(h.DC, &area, hatch);
  EXPECT_EQ(h.At(0, 3), 0x00FF0000u);
  EXPECT_EQ(h.At(0, 0), 0x11111111u);
  SetBkMode(h.DC, OPAQUE);
  FillRect(h.DC, &area, hatch);
  EXPECT_EQ(h.At(0, 0), 0x0000FF00u);
  DeleteObject(hatch);
  DeleteObject(brush);
}

TEST_F(GdiBlit, StretchAndClip) {
  TSurface source(2, 2);
  source.Bits[0] = 0x000000FF;
  source.Bits[1] = 0x0000FF00;
  source.Bits[2] = 0x00FF0000;
  source.Bits[3] = 0x00FFFFFF;
  TSurface target(4, 4);
  ASSERT_TRUE(StretchBlt(target.DC, 0, 0, 4, 4, source.DC, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(target.At(1, 1), 0x000000FFu);
  EXPECT_EQ(target.At(2, 1), 0x0000FF00u);
  EXPECT_EQ(target.At(3, 3), 0x00FFFFFFu);
  // Mirrored by a negative width.
  StretchBlt(target.DC, 0, 0, 4, 4, source.DC, 2, 0, -2, 2, SRCCOPY);
  EXPECT_EQ(target.At(0, 0), 0x0000FF00u);
  // Halftone averages what it shrinks.
  TSurface one(1, 1);
  SetStretchBltMode(one.DC, HALFTONE);
  StretchBlt(one.DC, 0, 0, 1, 1, source.DC, 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(one.At(0, 0), 0x00808080u);
  // The clip limits every write.
  IntersectClipRect(target.DC, 0, 0, 1, 4);
  PatBlt(target.DC, 0, 0, 4, 4, BLACKNESS);
  EXPECT_EQ(target.At(0, 2), 0u);
  EXPECT_EQ(target.At(1, 2), 0x00FFFFFFu);  // what the mirrored copy left there
}

TEST_F(GdiBlit, SystemColoursAndRegionsFills) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(51, 153, 255));
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  const int element = COLOR_BTNFACE;
  const COLORREF swapped = RGB(1, 2, 3), original = GetSysColor(COLOR_BTNFACE);
  ASSERT_TRUE(SetSysColors(1, &element, &swapped));
  TSurface s(4, 4);
  const RECT r{0, 0, 4, 4};
  FillRect(s.DC, &r, face);
  EXPECT_EQ(s.At(0, 0), 0x00010203u);
  SetSysColors(1, &element, &original);

  HRGN region = CreateRectRgn(0, 0, 3, 3);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  SetViewportOrgEx(s.DC, 1, 1, nullptr);
  FrameRgn(s.DC, region, white, 1, 1);
  EXPECT_EQ(s.At(1, 1), 0x00FFFFFFu);
  EXPECT_EQ(s.At(2, 2), 0x00010203u);  // the inside stays
  DeleteObject(region);
}

TEST_F(GdiBlit, ColourIntoAOneBitDibSectionTakesTheNearestTableEntry) {
  TSurface colour(4, 1);
  colour.Bits[0] = 0x00000000;  // black: green is 255 away, yellow 255 * sqrt 2
  colour.Bits[1] = 0x00C8C800;  // (200, 200, 0): yellow is 55 * sqrt 2 away, green 200 * ...
  colour.Bits[2] = 0x0000C800;  // (0, 200, 0): green
  colour.Bits[3] = 0x00FFFFFF;  // white: yellow is 255 away, green 255 * sqrt 2
  // The source's background colour plays no part here, unlike for device bitmaps.
  SetBkColor(colour.DC, RGB(0, 0, 0));
  void* bits = nullptr;
  HBITMAP dib = CreateMonoDibRow(4, {0, 255, 0, 0} /* green */, {0, 255, 255, 0} /* yellow */, 0x00, &bits);
  HDC dibDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dibDC, dib);
  ASSERT_TRUE(BitBlt(dibDC, 0, 0, 4, 1, colour.DC, 0, 0, SRCCOPY));
  EXPECT_EQ(static_cast<BYTE*>(bits)[0] & 0xF0, 0x50);  // 0101
  // A source operation other than a copy works on the bits too.
  ASSERT_TRUE(BitBlt(dibDC, 0, 0, 4, 1, colour.DC, 0, 0, SRCINVERT));
  EXPECT_EQ(static_cast<BYTE*>(bits)[0] & 0xF0, 0x00);
  SelectObject(dibDC, old);
  DeleteDC(dibDC);
  DeleteObject(dib);
}

TEST_F(GdiBlit, NegativeDestinationSizesReachBackFromTheStartPixel) {
  // Rows ABC, BCA, CAB.
  TSurface source(3, 3);
  const DWORD A = 0x000000AA, B = 0x0000BB00, C = 0x00CC0000;
  const DWORD colours[3] = {A, B, C};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) source.Bits[y * 3 + x] = colours[(x + y) % 3];
  const std::map<char, DWORD> legend{{'A', A}, {'B', B}, {'C', C}, {'.', 0xEEEEEEEE}, {'k', 0}};
  const struct {
    const char* Name;
    std::function<BOOL(HDC, HDC)> Draw;
    std::vector<std::string> Picture;
  } cases[] = {
      {"mirrored across", [](HDC d, HDC s) { return StretchBlt(d, 4, 0, -3, 1, s, 0, 0, 3, 1, SRCCOPY); },
       {"..CBA.", "......", "......", "......"}},
      {"mirrored and stretched", [](HDC d, HDC s) { return StretchBlt(d, 5, 1, -6, 1, s, 0, 0, 3, 1, SRCCOPY); },
       {"......", "CCBBAA", "......", "......"}},
      {"mirrored down", [](HDC d, HDC s) { return StretchBlt(d, 1, 3, 1, -3, s, 0, 0, 1, 3, SRCCOPY); },
       {"......", ".C....", ".B....", ".A...."}},
      {"pattern only", [](HDC d, HDC s) { return StretchBlt(d, 4, 2, -3, -2, s, 0, 0, 3, 2, BLACKNESS); },
       {"......", "..kkk.", "..kkk.", "......"}},
      {"pattern blit", [](HDC d, HDC) { return PatBlt(d, 4, 2, -3, -2, BLACKNESS); },
       {"......", "..kkk.", "..kkk.", "......"}},
      {"pattern blit, both ways", [](HDC d, HDC) { return PatBlt(d, 0, 0, -1, -1, BLACKNESS); },
       {"k.....", "......", "......", "......"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSurface target(6, 4, 0xEEEEEEEE);
    ASSERT_TRUE(c.Draw(target.DC, source.DC));
    ExpectPicture(target, c.Picture, legend);
  }
}

TEST_F(GdiBlit, HatchLinesSitInTheirCells) {
  const struct {
    const char* Name;
    int Hatch;
    POINT Origin;
    std::vector<std::string> Picture;
  } cases[] = {
      {"horizontal", HS_HORIZONTAL, {0, 0},
       {"........", "........", "........", "rrrrrrrr", "........", "........", "........", "........"}},
      {"vertical", HS_VERTICAL, {0, 0},
       {"....r...", "....r...", "....r...", "....r...", "....r...", "....r...", "....r...", "....r..."}},
      {"cross", HS_CROSS, {0, 0},
       {"....r...", "....r...", "....r...", "rrrrrrrr", "....r...", "....r...", "....r...", "....r..."}},
      {"cross, moved", HS_CROSS, {2, 1},
       {"......r.", "......r.", "......r.", "......r.", "rrrrrrrr", "......r.", "......r.", "......r."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    HBRUSH hatch = CreateHatchBrush(c.Hatch, RGB(255, 0, 0));
    TSurface s(8, 8, 0x11111111);
    SetBkMode(s.DC, TRANSPARENT);
    SetBrushOrgEx(s.DC, c.Origin.X, c.Origin.Y, nullptr);
    const RECT all{0, 0, 8, 8};
    FillRect(s.DC, &all, hatch);
    ExpectPicture(s, c.Picture, {{'r', 0x00FF0000u}, {'.', 0x11111111u}});
    DeleteObject(hatch);
  }
}

}  // namespace

namespace {

TEST_F(GdiBlit, CopiesStayInsideTheSourceAndTheClip) {
  TTestSurface source(3, 3);
  for (int i = 0; i < 9; ++i) source.Bits[i] = 0x01000000u * static_cast<DWORD>(i + 1) + static_cast<DWORD>(i);
  TTestSurface target(4, 4, 0xEEEEEEEE);
  IntersectClipRect(target.DC, 0, 0, 4, 3);
  // The source runs out after two columns and two rows.
  ASSERT_TRUE(BitBlt(target.DC, 0, 0, 4, 4, source.DC, 1, 1, SRCCOPY));
  EXPECT_EQ(target.At(0, 0), source.At(1, 1));
  EXPECT_EQ(target.At(1, 1), source.At(2, 2));
  EXPECT_EQ(target.At(2, 0), 0xEEEEEEEEu);
  EXPECT_EQ(target.At(0, 2), 0xEEEEEEEEu);
  // A copy onto itself reads the old pixels.
  BitBlt(source.DC, 1, 0, 2, 3, source.DC, 0, 0, SRCCOPY);
  EXPECT_EQ(source.At(1, 0), 0x01000000u);
  EXPECT_EQ(source.At(2, 0), 0x02000001u);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "platform/Gdi.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

using Gdi = TGdiLeakCheck;

// Rows bottom-up or top-down, for the row-order test.
struct TSurface : TTestSurface {
  explicit TSurface(int w, int h, bool topDown = true) : TTestSurface(w, h, 0, topDown) {}
};

TEST_F(Gdi, ObjectsDescribeThemselvesAndCountWhileAlive) {
  const int before = GetLiveGdiObjectCount();
  EXPECT_NE(GetStockObject(BLACK_BRUSH), nullptr);
  EXPECT_EQ(GetLiveGdiObjectCount(), before);  // stock objects are not counted
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);

  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HPEN pen = CreatePen(PS_DASH, 3, RGB(4, 5, 6));
  EXPECT_EQ(GetLiveGdiObjectCount(), before + 2);
  LOGBRUSH lb;
  ASSERT_EQ(GetObjectW(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, BS_SOLID);
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
  LOGPEN lp;
  ASSERT_EQ(GetObjectW(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, PS_DASH);
  EXPECT_EQ(lp.lopnWidth.X, 3);
  EXPECT_EQ(CreateHatchBrush(9, 0), nullptr);

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  EXPECT_EQ(oldBrush, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_FALSE(DeleteObject(brush));  // still selected
  SelectObject(dc, oldBrush);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush));  // gone
  EXPECT_EQ(GetObjectW(brush, sizeof lb, &lb), 0);
  DeleteObject(pen);
  DeleteDC(dc);
}

TEST_F(Gdi, DeviceContextsTellTheirType) {
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetObjectType(memory), OBJ_MEMDC);
  EXPECT_EQ(GetObjectType(GetScreenDC()), OBJ_DC);
  DeleteDC(memory);
  EXPECT_EQ(GetObjectType(memory), 0u) << "deleted";
  EXPECT_EQ(GetObjectType(static_cast<HDC>(nullptr)), 0u);
}

TEST_F(Gdi, DibSectionRowsFollowTheHeightSign) {
  for (bool topDown : {true, false}) {
    TSurface s(3, 2, topDown);
    ASSERT_NE(s.Bits, nullptr);
    EXPECT_EQ(SetPixel(s.DC, 1, 0, RGB(10, 20, 30)), RGB(10, 20, 30));
    // The top row is the first in memory only for a top-down section.
    const DWORD* top = topDown ? s.Bits : s.Bits + 3;
    EXPECT_EQ(top[1], 0x000A141Eu) << "BGRA with alpha 0";
    EXPECT_EQ(GetPixel(s.DC, 1, 0), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(s.DC, 3, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(s.DC, -1, 0), CLR_INVALID);

    DIBSECTION ds;
    ASSERT_EQ(GetObjectW(s.Bitmap, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
    EXPECT_EQ(ds.dsBmih.biHeight, topDown ? -2 : 2);
    EXPECT_EQ(ds.dsBm.bmBits, s.Bits);
  }
}

TEST_F(Gdi, GetAndSetDIBitsConvertDepthsAndOrder) {
  // A monochrome device bitmap from 2-byte-padded rows: 1010 / 0101.
  const BYTE rows[] = {0xA0, 0x00, 0x50, 0x00};
  HBITMAP mono = CreateBitmap(4, 2, 1, 1, rows);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 4;
  bi.bmiHeader.biHeight = -2;
  bi.bmiHeader.biBitCount = 32;
  DWORD pixels[8] = {};
  ASSERT_EQ(GetDIBits(dc, mono, 0, 2, pixels, &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(pixels[0], 0x00FFFFFFu);
  EXPECT_EQ(pixels[1], 0u);
  EXPECT_EQ(pixels[4], 0u);
  EXPECT_EQ(pixels[5], 0x00FFFFFFu);
  // Bottom-up: the array starts with the bottom row.
  bi.bmiHeader.biHeight = 2;
  ASSERT_EQ(GetDIBits(dc, mono, 0, 2, pixels, &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(pixels[1], 0x00FFFFFFu);

  // A 1-bit DIB section reads through its own colour table.
  HBITMAP section = CreateMonoDibRow(2, {0, 0, 255, 0} /* red */, {255, 0, 0, 0} /* blue */, 0x40 /* 01 */);
  HGDIOBJ old = SelectObject(dc, section);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 255));
  SelectObject(dc, old);

  // 32-bit pixels in, alpha and all.
  HBITMAP colour = CreateBitmap(2, 1, 1, 32, nullptr);
  const DWORD in[2] = {0x80112233, 0xFF445566};
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = -1;
  ASSERT_EQ(SetDIBits(dc, colour, 0, 1, in, &bi, DIB_RGB_COLORS), 1);
  DWORD out[2] = {};
  ASSERT_EQ(GetDIBits(dc, colour, 0, 1, out, &bi, DIB_RGB_COLORS), 1);
  EXPECT_EQ(std::memcmp(in, out, sizeof in), 0);
  EXPECT_EQ(GetDIBits(dc, colour, 0, 0, out, &bi, DIB_RGB_COLORS), 0);  // nothing asked, nothing read
  BITMAPINFO query{};
  EXPECT_NE(GetDIBits(dc, colour, 0, 1, nullptr, &query, DIB_RGB_COLORS), 0);
  EXPECT_EQ(query.bmiHeader.biBitCount, 32);
  EXPECT_EQ(query.bmiHeader.biSizeImage, 8u);

  DeleteObject(mono);
  DeleteObject(section);
  DeleteObject(colour);
  DeleteDC(dc);
}

TEST_F(Gdi, TheDIBitsSwitchFailsSpansOrOneLine) {
  HBITMAP image = CreateBitmap(1, 3, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 1;
  bi.bmiHeader.biHeight = -3;
  bi.bmiHeader.biBitCount = 32;
  DWORD pixels[3] = {};
  struct Case {
    bool MultiLine;
    int Line;
    UINT Start, Lines;
    int Expected;
  };
  const Case cases[] = {
      {true, -1, 0, 3, 0}, {true, -1, 0, 2, 0}, {true, -1, 1, 1, 1},  // spans fail, single lines read
      {false, 1, 0, 3, 0}, {false, 1, 1, 1, 0}, {false, 1, 2, 1, 1},  // only calls that include line 1
      {false, 1, 0, 1, 1}, {false, -1, 0, 3, 3},                      // off again
  };
  for (const Case& c : cases) {
    SetDIBitsFailures(c.MultiLine, c.Line);
    EXPECT_EQ(GetDIBits(dc, image, c.Start, c.Lines, pixels, &bi, DIB_RGB_COLORS), c.Expected)
        << c.MultiLine << " " << c.Line << " " << c.Start << "+" << c.Lines;
    EXPECT_EQ(SetDIBits(dc, image, c.Start, c.Lines, pixels, &bi, DIB_RGB_COLORS), c.Expected);
  }
  SetDIBitsFailures(false, -1);
  DeleteObject(image);
  DeleteDC(dc);
}

TEST_F(Gdi, CompatibleBitmapsFollowTheDC) {
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP fromMemory = CreateCompatibleBitmap(memory, 4, 4);  // the DC still holds its 1-bit bitmap
  HBITMAP fromScreen = CreateCompatibleBitmap(GetScreenDC(), 4, 4);
  BITMAP bm;
  GetObjectW(fromMemory, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  GetObjectW(fromScreen, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(GetDeviceCaps(memory, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(GetScreenDC(), BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(GetScreenDC(), NUMCOLORS), -1);
  // A test may stand in for another screen: every DC reports its depth.
  SetScreenBitsPerPixel(16);
  EXPECT_EQ(GetDeviceCaps(GetScreenDC(), BITSPIXEL), 16);
  EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), 16);
  SetScreenBitsPerPixel(32);
  EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), 32);
  // A bitmap lives in one DC at a time.
  HDC other = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, fromScreen);
  EXPECT_EQ(SelectObject(other, fromScreen), nullptr);
  EXPECT_EQ(SelectObject(GetScreenDC(), fromMemory), nullptr);
  SelectObject(memory, old);
  DeleteDC(other);
  DeleteDC(memory);
  DeleteObject(fromMemory);
  DeleteObject(fromScreen);
}

TEST_F(Gdi, OriginsMapLogicalToDevice) {
  TSurface s(10, 10);
  POINT old;
  SetViewportOrgEx(s.DC, 5, 5, &old);
  EXPECT_EQ(old, (POINT{0, 0}));
  SetWindowOrgEx(s.DC, 2, 1, nullptr);
  OffsetViewportOrgEx(s.DC, 1, 1, nullptr);
  POINT p[2] = {{0, 0}, {3, 4}};
  LPtoDP(s.DC, p, 2);
  EXPECT_EQ(p[0], (POINT{4, 5}));
  EXPECT_EQ(p[1], (POINT{7, 9}));
  DPtoLP(s.DC, p, 2);
  EXPECT_EQ(p[1], (POINT{3, 4}));
  SetPixel(s.DC, 0, 0, RGB(255, 0, 0));
  EXPECT_EQ(s.Bits[5 * 10 + 4], 0x00FF0000u);
}

TEST_F(Gdi, SaveAndRestoreBringBackTheWholeState) {
  TSurface s(10, 10);
  HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
  const int first = SaveDC(s.DC);
  EXPECT_EQ(first, 1);
  SelectObject(s.DC, brush);
  SetTextColor(s.DC, RGB(1, 1, 1));
  SetBkMode(s.DC, TRANSPARENT);
  SetViewportOrgEx(s.DC, 3, 3, nullptr);
  IntersectClipRect(s.DC, 0, 0, 2, 2);
  EXPECT_EQ(SaveDC(s.DC), 2);
  SetTextColor(s.DC, RGB(2, 2, 2));
  EXPECT_TRUE(RestoreDC(s.DC, -1));
  EXPECT_EQ(GetTextColor(s.DC), RGB(1, 1, 1));
  EXPECT_FALSE(RestoreDC(s.DC, 5));
  EXPECT_TRUE(RestoreDC(s.DC, first));
  EXPECT_EQ(GetCurrentObject(s.DC, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetTextColor(s.DC), RGB(0, 0, 0));
  EXPECT_EQ(GetBkMode(s.DC), OPAQUE);
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(s.DC, clip), 0);
  EXPECT_FALSE(RestoreDC(s.DC, 1));  // that level is gone
  EXPECT_TRUE(DeleteObject(brush));  // no longer selected
  DeleteObject(clip);
}

TEST_F(Gdi, CombineRegionsWithEveryModeAndResultCode) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 5, 15, 15);
  HRGN far = CreateRectRgn(20, 20, 30, 30);
  HRGN dst = CreateRectRgn(0, 0, 0, 0);
  struct Case {
    HRGN x, y;
    int mode, result;
    RECT box;
  } cases[] = {
      {a, b, RGN_AND, SIMPLEREGION, {5, 5, 10, 10}},  {a, b, RGN_OR, COMPLEXREGION, {0, 0, 15, 15}},
      {a, b, RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}}, {a, b, RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},
      {a, nullptr, RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}}, {a, far, RGN_AND, NULLREGION, {0, 0, 0, 0}},
      {a, a, RGN_DIFF, NULLREGION, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CombineRgn(dst, c.x, c.y, c.mode), c.result) << c.mode;
    RECT box;
    GetRgnBox(dst, &box);
    EXPECT_EQ(box, c.box) << c.mode;
  }
  CombineRgn(dst, a, b, RGN_XOR);
  EXPECT_FALSE(PtInRegion(dst, 7, 7));
  EXPECT_TRUE(PtInRegion(dst, 12, 12));
  EXPECT_FALSE(PtInRegion(dst, 15, 15));  // right and bottom are outside
  RECT inside{1, 1, 3, 3}, hole{6, 6, 8, 8}, empty{2, 2, 2, 2};
  EXPECT_TRUE(RectInRegion(dst, &inside));
  EXPECT_FALSE(RectInRegion(dst, &hole));
  EXPECT_FALSE(RectInRegion(dst, &empty));
  EXPECT_EQ(CombineRgn(dst, a, b, 9), ERROR);
  EXPECT_EQ(CombineRgn(dst, a, nullptr, RGN_OR), ERROR);

  // In place, as the system allows.
  EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(OffsetRgn(b, -5, -5), SIMPLEREGION);
  HRGN expected = CreateRectRgn(10, 0, 0, 10);  // corners in any order
  EXPECT_TRUE(EqualRgn(b, expected));
  HRGN e1 = CreateRectRgn(0, 0, 0, 5), e2 = CreateRectRgn(7, 7, 9, 7);
  EXPECT_TRUE(EqualRgn(e1, e2));  // two empty regions are equal

  const DWORD size = GetRegionData(dst, 0, nullptr);
  std::vector<char> data(size);
  auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
  EXPECT_EQ(GetRegionData(dst, size - 1, rgn), 0u);
  ASSERT_EQ(GetRegionData(dst, size, rgn), size);
  EXPECT_EQ(rgn->rdh.nCount, (size - sizeof(RGNDATAHEADER)) / sizeof(RECT));
  EXPECT_GE(rgn->rdh.nCount, 3u);

  HRGN round = CreateRoundRectRgn(0, 0, 20, 20, 10, 10);
  EXPECT_FALSE(PtInRegion(round, 0, 0));
  EXPECT_TRUE(PtInRegion(round, 10, 0));
  EXPECT_TRUE(PtInRegion(round, 10, 10));
  for (HRGN r : {a, b, far, dst, expected, e1, e2, round}) DeleteObject(r);
}

TEST_F(Gdi, ClipsLiveInDeviceCoordinates) {
  TSurface s(20, 20);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(s.DC, probe), 0);
  RECT box;
  EXPECT_EQ(GetClipBox(s.DC, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 20, 20}));

  // The selected region is copied: changing it afterwards changes nothing.
  HRGN region = CreateRectRgn(2, 2, 8, 8);
  EXPECT_EQ(SelectClipRgn(s.DC, region), SIMPLEREGION);
  SetRectRgn(region, 0, 0, 1, 1);
  ASSERT_EQ(GetClipRgn(s.DC, probe), 1);
  GetRgnBox(probe, &box);
  EXPECT_EQ(box, (RECT{2, 2, 8, 8}));

  // Clip rectangles are logical; the clip box answers in logical units.
  SetWindowOrgEx(s.DC, 1, 1, nullptr);
  EXPECT_EQ(ExcludeClipRect(s.DC, 3, 3, 5, 5), COMPLEXREGION);
  EXPECT_EQ(GetClipBox(s.DC, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{3, 3, 9, 9}));
  EXPECT_EQ(SetPixel(s.DC, 3, 3, RGB(1, 1, 1)), CLR_INVALID);  // device (2, 2) is excluded
  EXPECT_NE(SetPixel(s.DC, 5, 3, RGB(1, 1, 1)), CLR_INVALID);
  EXPECT_EQ(SetPixel(s.DC, 9, 9, RGB(1, 1, 1)), CLR_INVALID);  // device (8, 8) lies outside
  RECT visible{8, 8, 10, 10}, hidden{9, 9, 12, 12};
  EXPECT_TRUE(RectVisible(s.DC, &visible));
  EXPECT_FALSE(RectVisible(s.DC, &hidden));

  EXPECT_EQ(OffsetClipRgn(s.DC, 10, 0), COMPLEXREGION);
  EXPECT_TRUE(PtVisible(s.DC, 16, 3));
  EXPECT_FALSE(PtVisible(s.DC, 13, 3));  // the excluded corner moved along
  EXPECT_EQ(IntersectClipRect(s.DC, 0, 0, 1, 1), NULLREGION);
  EXPECT_EQ(SelectClipRgn(s.DC, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(s.DC, probe), 0);
  EXPECT_EQ(ExtSelectClipRgn(s.DC, nullptr, RGN_AND), ERROR);
  DeleteObject(region);
  DeleteObject(probe);
}

// Whether a made region has exactly the pixels of the rectangles; both are freed.
bool Equal(HRGN made, HRGN expected) {
  const bool equal = made && EqualRgn(made, expected);
  DeleteObject(made);
  DeleteObject(expected);
  return equal;
}

TEST_F(Gdi, RoundedRegionsStopAPixelShortOfTheBox) {
  RECT box;
  HRGN round = CreateRoundRectRgn(0, 0, 20, 20, 10, 10);
  EXPECT_EQ(GetRgnBox(round, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{0, 0, 19, 19}));
  DeleteObject(round);
  // Without rounding, still a pixel short; corners in any order.
  EXPECT_TRUE(Equal(CreateRoundRectRgn(8, 9, 2, 3, 0, 0), RegionOf({{2, 3, 7, 8}})));
  EXPECT_TRUE(Equal(CreateRoundRectRgn(0, 0, 1, 1, 0, 0), RegionOf({})));

  // An ellipse of 10 x 8: the box less a pixel, each corner cut, the middle
  // row the whole width of 9.
  HRGN ellipse = CreateEllipticRgn(0, 0, 10, 8);
  ASSERT_NE(ellipse, nullptr);
  EXPECT_EQ(GetRgnBox(ellipse, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{0, 0, 9, 7}));
  for (POINT corner : {POINT{0, 0}, POINT{8, 0}, POINT{0, 6}, POINT{8, 6}})
    EXPECT_FALSE(PtInRegion(ellipse, corner.X, corner.Y)) << corner.X << "," << corner.Y;
  EXPECT_TRUE(PtInRegion(ellipse, 0, 3));
  EXPECT_TRUE(PtInRegion(ellipse, 8, 3));
  EXPECT_TRUE(PtInRegion(ellipse, 4, 0));
  EXPECT_TRUE(PtInRegion(ellipse, 4, 6));
  const RECT indirect{0, 0, 10, 8};
  EXPECT_TRUE(Equal(CreateEllipticRgnIndirect(&indirect), CreateRoundRectRgn(0, 0, 10, 8, 10, 8)));
  EXPECT_TRUE(Equal(CreateEllipticRgn(10, 8, 0, 0), ellipse));
  EXPECT_EQ(CreateEllipticRgnIndirect(nullptr), nullptr);
}

TEST_F(Gdi, PolygonRegionsFollowTheFillMode) {
  // The centres inside: a triangle's rows lose a pixel each; its right edge
  // is outside.
  const POINT triangle[] = {{0, 0}, {4, 0}, {0, 4}};
  EXPECT_TRUE(Equal(CreatePolygonRgn(triangle, 3, ALTERNATE),
                    RegionOf({{0, 0, 4, 1}, {0, 1, 3, 2}, {0, 2, 2, 3}, {0, 3, 1, 4}})));
  const POINT square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(Equal(CreatePolygonRgn(square, 4, WINDING), RegionOf({{0, 0, 10, 10}})));

  // One outline around a square and, the same way round, a smaller one
  // inside it, joined at a corner: counted twice inside the smaller.
  const POINT twice[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {3, 3}, {7, 3}, {7, 7}, {3, 7}, {3, 3}};
  HRGN ring = RegionOf({{0, 0, 10, 3}, {0, 3, 3, 7}, {7, 3, 10, 7}, {0, 7, 10, 10}});
  HRGN full = RegionOf({{0, 0, 10, 10}});
  HRGN made = CreatePolygonRgn(twice, 10, ALTERNATE);
  EXPECT_TRUE(EqualRgn(made, ring));
  DeleteObject(made);
  made = CreatePolygonRgn(twice, 10, WINDING);
  EXPECT_TRUE(EqualRgn(made, full));
  DeleteObject(made);

  // Two polygons together: the inner one the same way round, then the
  // other way round.
  const POINT nested[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {3, 3}, {7, 3}, {7, 7}, {3, 7}};
  const POINT reversed[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {3, 3}, {3, 7}, {7, 7}, {7, 3}};
  const INT counts[] = {4, 4};
  const struct {
    const POINT* Points;
    int Mode;
    HRGN Expected;
  } cases[] = {
      {nested, ALTERNATE, ring},
      {nested, WINDING, full},
      {reversed, ALTERNATE, ring},
      {reversed, WINDING, ring},
  };
  for (const auto& c : cases) {
    made = CreatePolyPolygonRgn(c.Points, counts, 2, c.Mode);
    EXPECT_TRUE(made && EqualRgn(made, c.Expected)) << (c.Points == nested ? "nested " : "reversed ") << c.Mode;
    DeleteObject(made);
  }
  DeleteObject(ring);
  DeleteObject(full);

  // Too few points enclose nothing; bad arguments make no region.
  EXPECT_TRUE(Equal(CreatePolygonRgn(square, 2, ALTERNATE), RegionOf({})));
  EXPECT_EQ(CreatePolygonRgn(square, 1, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(nullptr, 4, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(square, 4, 0), nullptr);
  const INT bad[] = {4, 1};
  EXPECT_EQ(CreatePolyPolygonRgn(nested, bad, 2, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolyPolygonRgn(nested, counts, 0, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolyPolygonRgn(nested, nullptr, 2, ALTERNATE), nullptr);
}

}  // namespace

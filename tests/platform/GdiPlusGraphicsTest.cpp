#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "tests/SurfacePixels.h"
#include "tests/platform/GdiPlusTestSupport.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

using namespace Gdiplus;

constexpr DWORD Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF;

class GdiplusGraphics : public TGdiplusDrawingTest {};

// --- Images -----------------------------------------------------------------

TEST_F(GdiplusGraphics, OneToOneNearestCopiesOpaquePixelsAndComposesPartialAlpha) {
  // Opaque; half-transparent (premultiplied 0x40, 0x20, 0x10 at alpha 128); transparent.
  std::vector<DWORD> rows = {0xFF102030, 0x80402010, 0x00000000};
  TImage image;
  Over(image, rows, 3);
  for (const auto& [background, expected] : std::vector<std::pair<DWORD, std::vector<DWORD>>>{
           // Over grey 128: each channel gains 128 x 127 / 255 = 63.75, so 64;
           // alpha 128 + 255 x 127 / 255 = 255.
           {0xFF808080, {0xFF102030, 0xFF806050, 0xFF808080}},
           // Over nothing the source stays as it is, its alpha included.
           {0x00000000, {0xFF102030, 0x80402010, 0x00000000}},
       }) {
    TTestSurface surface(5, 1, background);
    TGraphics g;
    OnDC(g, surface);
    ASSERT_EQ(GdipSetInterpolationMode(g, InterpolationModeNearestNeighbor), Ok);
    ASSERT_EQ(GdipDrawImageRectRectI(g, image.Handle, 1, 0, 3, 1, 0, 0, 3, 1, UnitPixel, nullptr, nullptr, nullptr), Ok);
    EXPECT_EQ(surface.At(0, 0), background);
    for (int x = 0; x < 3; ++x) EXPECT_TRUE(Near(surface.At(x + 1, 0), expected[x], 1)) << "pixel " << x + 1;
    EXPECT_EQ(surface.At(4, 0), background);
  }
}

TEST_F(GdiplusGraphics, DoubleSizeNearestMakesEachPixelABlockAndSubRectanglesPickTheirPart) {
  std::vector<DWORD> rows = {Red, Green, Blue, 0xFF111111,  //
                             0xFF222222, 0xFF333333, 0xFF444444, 0xFF555555};
  TImage image;
  Over(image, rows, 4);
  TTestSurface surface(6, 6, 0);
  TGraphics g;
  OnDC(g, surface);
  ASSERT_EQ(GdipSetInterpolationMode(g, InterpolationModeNearestNeighbor), Ok);
  // The left 2 x 2 twice its size at (1, 1); then the part (2, 1, 2, 2),
  // cut to the image's last row, at (2, 5).
  ASSERT_EQ(GdipDrawImageRectRectI(g, image.Handle, 1, 1, 4, 4, 0, 0, 2, 2, UnitPixel, nullptr, nullptr, nullptr), Ok);
  ASSERT_EQ(GdipDrawImageRectRectI(g, image.Handle, 2, 5, 2, 2, 2, 1, 2, 2, UnitPixel, nullptr, nullptr, nullptr), Ok);
  const std::map<char, DWORD> legend = {{'.', 0}, {'R', Red}, {'G', Green}, {'2', 0xFF222222}, {'3', 0xFF333333},
                                        {'4', 0xFF444444}, {'5', 0xFF555555}};
  ExpectPicture(surface,
                {
                    "......",
                    ".RRGG.",
                    ".RRGG.",
                    ".2233.",
                    ".2233.",
                    "..45..",
                },
                legend);
}

TEST_F(GdiplusGraphics, SourcesAreCutToTheImageAndNegativeSizesMirror) {
  std::vector<DWORD> rows = {Red, Green};
  TImage image;
  Over(image, rows, 2);
  TTestSurface surface(8, 1, 0);
  TGraphics g;
  OnDC(g, surface);
  ASSERT_EQ(GdipSetInterpolationMode(g, InterpolationModeNearestNeighbor), Ok);
  // Source (-1, 0, 4, 1) onto 8 pixels: two destination pixels a source
  // pixel; the column before the image and the one after it are cut with
  // their destination pixels.
  ASSERT_EQ(GdipDrawImageRectRectI(g, image.Handle, 0, 0, 8, 1, -1, 0, 4, 1, UnitPixel, nullptr, nullptr, nullptr), Ok);
  ExpectPicture(surface, {"..RRGG.."}, {{'.', 0}, {'R', Red}, {'G', Green}});
  // A negative destination width mirrors.
  TTestSurface mirrored(2, 1, 0);
  TGraphics m;
  OnDC(m, mirrored);
  ASSERT_EQ(GdipDrawImageRectRectI(m, image.Handle, 2, 0, -2, 1, 0, 0, 2, 1, UnitPixel, nullptr, nullptr, nullptr), Ok);
  ExpectPicture(mirrored, {"GR"}, {{'R', Red}, {'G', Green}});
}

TEST_F(GdiplusGraphics, BilinearStretchingStaysWithinTheSourceValues) {
  // A grey checkerboard of 40 and 200, enlarged and reduced.
  std::vector<DWORD> rows = {0xFF282828, 0xFFC8C8C8, 0xFFC8C8C8, 0xFF282828};
  TImage image;
  Over(image, rows, 2);
  for (const auto mode : {InterpolationModeDefault, InterpolationModeBilinear, InterpolationModeLowQuality}) {
    TTestSurface surface(9, 7, 0);
    TGraphics g;
    OnDC(g, surface);
    ASSERT_EQ(GdipSetInterpolationMode(g, mode), Ok);
    ASSERT_EQ(GdipDrawImageRectI(g, image.Handle, 0, 0, 9, 7), Ok);
    bool between = false;
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) {
        const DWORD p = surface.At(x, y), grey = p & 0xFF;
        EXPECT_EQ(p >> 24, 0xFFu);
        EXPECT_GE(grey, 40u) << x << ", " << y;
        EXPECT_LE(grey, 200u) << x << ", " << y;
        between = between || (grey > 40 && grey < 200);
      }
    EXPECT_TRUE(between) << "interpolated, mode " << mode;
  }
}

TEST_F(GdiplusGraphics, ColourMatricesScaleAlphaOrAdjustStraightColours) {
  std::vector<DWORD> opaque = {0xFF804020}, half = {0x80402010};
  TImage opaqueImage, halfImage;
  Over(opaqueImage, opaque, 1);
  Over(halfImage, half, 1);
  TAttributes alpha, identity, swap;
  for (TAttributes* a : {&alpha, &identity, &swap}) ASSERT_EQ(GdipCreateImageAttributes(a->Out()), Ok);
  ColorMatrix m;
  for (int i = 0; i < 5; ++i) m.m[i][i] = 1;
  ASSERT_EQ(GdipSetImageAttributesColorMatrix(identity, ColorAdjustTypeBitmap, TRUE, &m, nullptr,
                                              ColorMatrixFlagsDefault),
            Ok);
  ColorMatrix halfAlpha = m;
  halfAlpha.m[3][3] = 0.5f;
  ASSERT_EQ(GdipSetImageAttributesColorMatrix(alpha, ColorAdjustTypeBitmap, TRUE, &halfAlpha, nullptr,
                                              ColorMatrixFlagsDefault),
            Ok);
  ColorMatrix redBlue = m;
  redBlue.m[0][0] = redBlue.m[2][2] = 0;
  redBlue.m[0][2] = redBlue.m[2][0] = 1;
  ASSERT_EQ(GdipSetImageAttributesColorMatrix(swap, ColorAdjustTypeDefault, TRUE, &redBlue, nullptr,
                                              ColorMatrixFlagsDefault),
            Ok);
  const struct {
    const char* Name;
    TImage& Image;
    GpImageAttributes* Attributes;
    DWORD Background, Expected;
  } cases[] = {
      // Alpha scale 0.5 multiplies the premultiplied pixel by 128/255:
      // 0x80 -> 64, 0x40 -> 32, 0x20 -> 16, alpha 128; over white each
      // channel gains 255 x 127 / 255 = 127.
      {"half alpha over nothing", opaqueImage, alpha, 0x00000000, 0x80402010},
      {"half alpha over white", opaqueImage, alpha, 0xFFFFFFFF, 0xFFBF9F8F},
      {"identity", halfImage, identity, 0x00000000, 0x80402010},
      // Straight (0.5, 0.25, 0.125) at alpha 128 becomes (0.125, 0.25, 0.5):
      // bytes 32, 64, 128, premultiplied 16, 32, 64.
      {"red and blue swapped", halfImage, swap, 0x00000000, 0x80102040},
  };
  for (const auto& c : cases) {
    TTestSurface surface(1, 1, c.Background);
    TGraphics g;
    OnDC(g, surface);
    ASSERT_EQ(GdipDrawImageRectRectI(g, c.Image.Handle, 0, 0, 1, 1, 0, 0, 1, 1, UnitPixel, c.Attributes, nullptr,
                                     nullptr),
              Ok);
    EXPECT_TRUE(Near(surface.At(0, 0), c.Expected, 1)) << c.Name;
  }
  // The identity draws exactly as no attributes do, stretched too.
  TTestSurface with(5, 3, 0xFF336699), without(5, 3, 0xFF336699);
  for (TTestSurface* s : {&with, &without}) {
    TGraphics g;
    OnDC(g, *s);
    ASSERT_EQ(GdipDrawImageRectRectI(g, halfImage.Handle, 0, 0, 5, 3, 0, 0, 1, 1, UnitPixel,
                                     s == &with ? identity.Handle : nullptr, nullptr, nullptr),
              Ok);
  }
  EXPECT_TRUE(std::equal(with.Bits, with.Bits + 15, without.Bits));
  // Disabling the matrix leaves none.
  ASSERT_EQ(GdipSetImageAttributesColorMatrix(alpha, ColorAdjustTypeBitmap, FALSE, nullptr, nullptr,
                                              ColorMatrixFlagsDefault),
            Ok);
  TAttributes clone;
  ASSERT_EQ(GdipCloneImageAttributes(swap, clone.Out()), Ok);
  TTestSurface plain(1, 1, 0), swapped(1, 1, 0);
  for (auto [s, a] : {std::pair{&plain, alpha.Handle}, {&swapped, clone.Handle}}) {
    TGraphics g;
    OnDC(g, *s);
    ASSERT_EQ(GdipDrawImageRectRectI(g, halfImage.Handle, 0, 0, 1, 1, 0, 0, 1, 1, UnitPixel, a, nullptr, nullptr), Ok);
  }
  EXPECT_EQ(plain.At(0, 0), 0x80402010u);
  EXPECT_TRUE(Near(swapped.At(0, 0), 0x80102040, 1)) << "the clone keeps the matrix";
}

TEST_F(GdiplusGraphics, DrawingAnImageCanBeAbortedAndChecksItsArguments) {
  std::vector<DWORD> rows = {Red};
  TImage image;
  Over(image, rows, 1);
  TTestSurface surface(1, 1, 0);
  TGraphics g;
  OnDC(g, surface);
  int asked = 0;
  const DrawImageAbort stop = [](void* count) -> BOOL {
    ++*static_cast<int*>(count);
    return TRUE;
  };
  EXPECT_EQ(GdipDrawImageRectRectI(g, image.Handle, 0, 0, 1, 1, 0, 0, 1, 1, UnitPixel, nullptr, stop, &asked), Aborted);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(surface.At(0, 0), 0u);
  EXPECT_EQ(GdipDrawImageRectRectI(g, image.Handle, 0, 0, 1, 1, 0, 0, 1, 1, UnitInch, nullptr, nullptr, nullptr),
            NotImplemented);
  EXPECT_EQ(GdipDrawImageRectRectI(g, image.Handle, 0, 0, 1, 1, 0, 0, 1, 1, static_cast<GpUnit>(7), nullptr, nullptr,
                                   nullptr),
            InvalidParameter);
  EXPECT_EQ(GdipDrawImageRectRect(g, image.Handle, 0, 0, 1, NAN, 0, 0, 1, 1, UnitPixel, nullptr, nullptr, nullptr),
            InvalidParameter);
  EXPECT_EQ(GdipDrawImageRectI(g, nullptr, 0, 0, 1, 1), InvalidParameter);
  EXPECT_EQ(GdipDrawImageRectI(nullptr, image.Handle, 0, 0, 1, 1), InvalidParameter);
  EXPECT_EQ(GdipDrawImageRectRectI(g, image.Handle, 0, 0, 1, 1, 0, 0, 1, 1, UnitPixel,
                                   reinterpret_cast<GpImageAttributes*>(image.Handle), nullptr, nullptr),
            InvalidParameter);
  EXPECT_EQ(GdipDrawImageRect(g, image.Handle, 0, 0, 1, 1), Ok);
  EXPECT_EQ(surface.At(0, 0), Red);
}

// --- The DC snapshot --------------------------------------------------------

TEST_F(GdiplusGraphics, TheDCsOriginAndClipAreTakenAtCreation) {
  TTestSurface surface(8, 4, 0);
  SetWindowOrgEx(surface.DC, -2, -1, nullptr);
  IntersectClipRect(surface.DC, -2, -1, 3, 3);  // device x < 5
  TGraphics g;
  OnDC(g, surface);
  SetWindowOrgEx(surface.DC, 0, 0, nullptr);
  SelectClipRgn(surface.DC, nullptr);
  IntersectClipRect(surface.DC, 0, 0, 1, 1);  // too late for the graphics
  Fill(g, Red, 0, 0, 2, 2);
  Fill(g, Green, 2, 0, 10, 1);
  BOOL visible = TRUE;
  EXPECT_EQ(GdipIsVisibleRectI(g, 3, 0, 4, 4, &visible), Ok);
  EXPECT_FALSE(visible) << "device x 5 and on lies outside the clip";
  EXPECT_EQ(GdipIsVisibleRectI(g, 2, 0, 4, 4, &visible), Ok);
  EXPECT_TRUE(visible);
  EXPECT_EQ(GdipIsVisibleRectI(g, 0, 0, 0, 4, &visible), Ok);
  EXPECT_FALSE(visible) << "no area";
  EXPECT_EQ(GdipIsVisibleRect(g, -2.5f, -1.5f, 1, 1, &visible), Ok);
  EXPECT_TRUE(visible) << "touches device pixel (0, 0)";
  ExpectPicture(surface,
                {
                    "........",
                    "..RRG...",
                    "..RR....",
                    "........",
                },
                {{'.', 0}, {'R', Red}, {'G', Green}});
}

TEST_F(GdiplusGraphics, NarrowerTargetsChangeOnlyTheDrawnArea) {
  // 24 bits: 6 x 2 of distinct bytes, rows of 18 bytes padded to 20.
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 6;
  bi.bmiHeader.biHeight = -2;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP rgb = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* bytes = static_cast<BYTE*>(bits);
  for (int i = 0; i < 40; ++i) bytes[i] = static_cast<BYTE>(0x10 + i);
  std::vector<BYTE> expected(bytes, bytes + 40);
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, rgb);
    TGraphics g;
    ASSERT_EQ(GdipCreateFromHDC(dc, g.Out()), Ok);
    Fill(g, Red, 1, 0, 2, 1);
    // Half-transparent red over (4, 1): each channel keeps 127/255 of
    // itself, red gains 128.
    Fill(g, 0x80FF0000, 4, 1, 1, 1);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  expected[3] = expected[6] = 0, expected[4] = expected[7] = 0, expected[5] = expected[8] = 0xFF;
  // (4, 1) is bytes 32 to 34: blue 0x30, green 0x31, red 0x32 before.
  const BYTE b = bytes[32], gr = bytes[33], r = bytes[34];
  EXPECT_NEAR(r, 128 + 0x32 * 127 / 255.0, 1);
  EXPECT_NEAR(gr, 0x31 * 127 / 255.0, 1);
  EXPECT_NEAR(b, 0x30 * 127 / 255.0, 1);
  expected[32] = b, expected[33] = gr, expected[34] = r;
  EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 40), expected) << "nothing else changed";
  DeleteObject(rgb);

  // 1 bit, black and white: white drawn over x = 2..4 of a black row, then a
  // dark grey over x = 3 becomes black again.
  void* monoBits = nullptr;
  HBITMAP mono = CreateMonoDibRow(8, {0, 0, 0, 0}, {255, 255, 255, 0}, 0b10000001, &monoBits);
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mono);
    TGraphics g;
    ASSERT_EQ(GdipCreateFromHDC(dc, g.Out()), Ok);
    Fill(g, 0xFFFFFFFF, 2, 0, 3, 1);
    Fill(g, 0xFF202020, 3, 0, 1, 1);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  EXPECT_EQ(static_cast<BYTE*>(monoBits)[0], 0b10101001);
  DeleteObject(mono);
}

TEST_F(GdiplusGraphics, ATargetThatIsGoneAnswersWin32Error) {
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  TGraphics g;
  ASSERT_EQ(GdipCreateFromHDC(dc, g.Out()), Ok);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  TBrush brush;
  Solid(brush, Red);
  EXPECT_EQ(GdipFillRectangleI(g, brush, 0, 0, 1, 1), Win32Error);
  BOOL visible;
  EXPECT_EQ(GdipIsVisibleRectI(g, 0, 0, 1, 1, &visible), Win32Error);
  HDC lent = nullptr;
  EXPECT_EQ(GdipGetDC(g, &lent), Win32Error);
  DeleteDC(dc);
}

// Window DCs draw on their top-level window's pixels, within the window.
class GdiplusWindowDC : public TWindowTest {
 protected:
  void SetUp() override {
    TWindowTest::SetUp();
    GdiplusStartupInput input;
    ASSERT_EQ(GdiplusStartup(&FToken, &input, nullptr), Ok);
    FLive = GetLiveGdiplusObjectCount();
  }
  void TearDown() override {
    EXPECT_EQ(GetLiveGdiplusObjectCount(), FLive);
    GdiplusShutdown(FToken);
    TWindowTest::TearDown();
  }

 private:
  ULONG_PTR FToken = 0;
  int FLive = 0;
};

TEST_F(GdiplusWindowDC, AChildWindowsDCDrawsFromItsCornerAndOnlyWithinIt) {
  HWND top = Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, nullptr, {0, 0, 60, 40});
  HWND child = Create(WS_VISIBLE, top, {10, 10, 30, 30});
  UpdateWindow(top);
  UpdateWindow(child);
  HDC dc = GetDC(child);
  TGraphics g;
  ASSERT_EQ(GdipCreateFromHDC(dc, g.Out()), Ok);
  TBrush red, green;
  ASSERT_EQ(GdipCreateSolidFill(0xFFFF0000, red.OutAs<GpSolidFill>()), Ok);
  ASSERT_EQ(GdipCreateSolidFill(0xFF00FF00, green.OutAs<GpSolidFill>()), Ok);
  ASSERT_EQ(GdipFillRectangleI(g, red, -100, -100, 1000, 1000), Ok);
  ASSERT_EQ(GdipFillRectangleI(g, green, 0, 0, 1, 1), Ok);
  ASSERT_EQ(GdipDeleteGraphics(g.Handle), Ok);
  g.Handle = nullptr;
  ReleaseDC(child, dc);
  EXPECT_EQ(PixelOf(top, 10, 10), RGB(0, 255, 0)) << "the child's corner";
  EXPECT_EQ(PixelOf(top, 29, 29), RGB(255, 0, 0));
  EXPECT_NE(PixelOf(top, 9, 9), RGB(255, 0, 0)) << "outside the child";
  EXPECT_NE(PixelOf(top, 30, 15), RGB(255, 0, 0));
  DestroyWindow(top);
}

// --- Graphics on images, and the DC they lend -------------------------------

TEST_F(GdiplusGraphics, ImagesAreDrawnOnAndLendADCForGdi) {
  TImage image;
  ASSERT_EQ(GdipCreateBitmapFromScan0(4, 2, 0, PixelFormat32bppPARGB, nullptr, image.BitmapOut()), Ok);
  {
    TGraphics g;
    ASSERT_EQ(GdipGetImageGraphicsContext(image.Handle, g.Out()), Ok);
    EXPECT_EQ(GdipDisposeImage(image.Handle), ObjectBusy) << "drawn on";
    ASSERT_EQ(GdipGraphicsClear(g, Blue), Ok);
    HDC dc = nullptr;
    ASSERT_EQ(GdipGetDC(g, &dc), Ok);
    EXPECT_EQ(GdipGraphicsClear(g, Red), ObjectBusy);
    HDC again = nullptr;
    EXPECT_EQ(GdipGetDC(g, &again), ObjectBusy);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255)) << "the DC shows the image";
    const RECT r{1, 0, 3, 1};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GdipReleaseDC(g, nullptr), InvalidParameter);
    ASSERT_EQ(GdipReleaseDC(g, dc), Ok);
    EXPECT_EQ(GdipReleaseDC(g, dc), WrongState);
    Fill(g, 0x80FF0000, 3, 1, 1, 1);
  }
  // GDI's pixels as GDI left them, alpha 0; the rest unchanged; half red
  // over blue: 128 red, 255 x 127 / 255 = 127 blue, alpha 255.
  EXPECT_EQ(Pixels(image), (std::vector<DWORD>{Blue, 0x00FFFFFF, 0x00FFFFFF, Blue, Blue, Blue, Blue, 0xFF80007F}));

  // Another format goes through a copy and keeps its own.
  TImage straight;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 1, 0, PixelFormat32bppARGB, nullptr, straight.BitmapOut()), Ok);
  TGraphics g;
  ASSERT_EQ(GdipGetImageGraphicsContext(straight.Handle, g.Out()), Ok);
  Fill(g, 0x80FF0000, 0, 0, 1, 1);
  EXPECT_EQ(Pixels(straight, PixelFormat32bppARGB), (std::vector<DWORD>{0x80FF0000, 0}));
}

TEST_F(GdiplusGraphics, ADCGraphicsLendsItsDCWithTheSnapshotPutBack) {
  TTestSurface surface(4, 1, 0);
  SetWindowOrgEx(surface.DC, -1, 0, nullptr);
  TGraphics g;
  OnDC(g, surface);
  SetWindowOrgEx(surface.DC, 2, 0, nullptr);
  HDC dc = nullptr;
  ASSERT_EQ(GdipGetDC(g, &dc), Ok);
  EXPECT_EQ(dc, surface.DC);
  POINT origin;
  GetWindowOrgEx(dc, &origin);
  EXPECT_EQ(origin, (POINT{-1, 0})) << "as the graphics sees it";
  SetPixel(dc, 0, 0, RGB(255, 0, 0));
  ASSERT_EQ(GdipReleaseDC(g, dc), Ok);
  GetWindowOrgEx(surface.DC, &origin);
  EXPECT_EQ(origin, (POINT{2, 0})) << "restored";
  EXPECT_EQ(surface.At(1, 0) & 0xFFFFFF, 0xFF0000u);
  // Deleting the graphics while the DC is out restores it too.
  ASSERT_EQ(GdipGetDC(g, &dc), Ok);
  ASSERT_EQ(GdipDeleteGraphics(g.Handle), Ok);
  g.Handle = nullptr;
  GetWindowOrgEx(surface.DC, &origin);
  EXPECT_EQ(origin, (POINT{2, 0}));
}

// --- Clip, states and transforms --------------------------------------------

TEST_F(GdiplusGraphics, ClipsCombineAsAsked) {
  const struct {
    CombineMode Mode;
    const char* Row;
  } cases[] = {
      {CombineModeReplace, "..RRRR"},    {CombineModeIntersect, "..RR.."}, {CombineModeUnion, "RRRRRR"},
      {CombineModeXor, "RR..RR"},        {CombineModeExclude, "RR...."},   {CombineModeComplement, "....RR"},
  };
  for (const auto& c : cases) {
    TTestSurface surface(6, 1, 0);
    TGraphics g;
    OnDC(g, surface);
    ASSERT_EQ(GdipSetClipRectI(g, 0, 0, 4, 1, CombineModeReplace), Ok);
    ASSERT_EQ(GdipSetClipRect(g, 2, -1, 4, 3, c.Mode), Ok);
    Fill(g, Red, 0, 0, 6, 1);
    ExpectPicture(surface, {c.Row}, {{'.', 0}, {'R', Red}});
  }
}

TEST_F(GdiplusGraphics, ClipsComeFromRegionsAndPathsAndAreSavedWithTheState) {
  TTestSurface surface(6, 6, 0);
  TGraphics g;
  OnDC(g, surface);
  GraphicsState saved = 0;
  ASSERT_EQ(GdipSaveGraphics(g, &saved), Ok);
  // A GDI region of two rectangles, in world coordinates moved by one.
  HRGN rgn = CreateRectRgn(0, 0, 2, 1);
  HRGN second = CreateRectRgn(3, 0, 4, 1);
  CombineRgn(rgn, rgn, second, RGN_OR);
  TRegionHandle region;
  ASSERT_EQ(GdipCreateRegionHrgn(rgn, region.Out()), Ok);
  DeleteObject(rgn);
  DeleteObject(second);
  ASSERT_EQ(GdipTranslateWorldTransform(g, 1, 0, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipSetClipRegion(g, region, CombineModeReplace), Ok);
  ASSERT_EQ(GdipResetWorldTransform(g), Ok);
  Fill(g, Red, 0, 0, 6, 6);
  // A path: the pixels whose centres lie in the triangle (0, 2), (6.5, 2),
  // (0, 8.5), those with x + y < 7.5.
  TPath triangle;
  ASSERT_EQ(GdipCreatePath(FillModeAlternate, triangle.Out()), Ok);
  const GpPointF corners[3] = {{0, 2}, {6.5f, 2}, {0, 8.5f}};
  ASSERT_EQ(GdipAddPathPolygon(triangle, corners, 3), Ok);
  ASSERT_EQ(GdipSetClipPath(g, triangle, CombineModeReplace), Ok);
  Fill(g, Green, 0, 0, 6, 6);
  BOOL empty = TRUE;
  EXPECT_EQ(GdipIsClipEmpty(g, &empty), Ok);
  EXPECT_FALSE(empty);
  ASSERT_EQ(GdipSetClipRectI(g, 5, 0, 1, 1, CombineModeIntersect), Ok);
  EXPECT_EQ(GdipIsClipEmpty(g, &empty), Ok);
  EXPECT_TRUE(empty);
  // Restoring brings back the unlimited clip and drops the state.
  ASSERT_EQ(GdipRestoreGraphics(g, saved), Ok);
  EXPECT_EQ(GdipRestoreGraphics(g, saved), InvalidParameter);
  EXPECT_EQ(GdipIsClipEmpty(g, &empty), Ok);
  EXPECT_FALSE(empty);
  Fill(g, Blue, 5, 5, 1, 1);
  ExpectPicture(surface,
                {
                    ".RR.R.",
                    "......",
                    "GGGGGG",
                    "GGGGG.",
                    "GGGG..",
                    "GGG..B",
                },
                {{'.', 0}, {'R', Red}, {'G', Green}, {'B', Blue}});
}

TEST_F(GdiplusGraphics, SavedStatesNestAndKeepModesAndTransforms) {
  TTestSurface surface(1, 1, 0);
  TGraphics g;
  OnDC(g, surface);
  GraphicsState outer = 0, inner = 0;
  ASSERT_EQ(GdipSetInterpolationMode(g, InterpolationModeHighQualityBicubic), Ok);
  ASSERT_EQ(GdipSaveGraphics(g, &outer), Ok);
  ASSERT_EQ(GdipSetInterpolationMode(g, InterpolationModeNearestNeighbor), Ok);
  ASSERT_EQ(GdipSetSmoothingMode(g, SmoothingModeAntiAlias), Ok);
  ASSERT_EQ(GdipSaveGraphics(g, &inner), Ok);
  ASSERT_EQ(GdipRestoreGraphics(g, outer), Ok);
  InterpolationMode interpolation;
  SmoothingMode smoothing;
  EXPECT_EQ(GdipGetInterpolationMode(g, &interpolation), Ok);
  EXPECT_EQ(GdipGetSmoothingMode(g, &smoothing), Ok);
  EXPECT_EQ(interpolation, InterpolationModeHighQualityBicubic);
  EXPECT_EQ(smoothing, SmoothingModeNone) << "the default";
  EXPECT_EQ(GdipRestoreGraphics(g, inner), InvalidParameter) << "dropped with the outer one";
}

TEST_F(GdiplusGraphics, WorldTransformsMoveTheOutput) {
  const struct {
    const char* Name;
    std::function<void(GpGraphics*)> Transform;
    std::vector<std::string> Picture;
  } cases[] = {
      {"translate", [](GpGraphics* g) { EXPECT_EQ(GdipTranslateWorldTransform(g, 2, 1, MatrixOrderPrepend), Ok); },
       {"......", "..RR..", "..RR..", "......"}},
      {"scale", [](GpGraphics* g) { EXPECT_EQ(GdipScaleWorldTransform(g, 2, 1.5f, MatrixOrderPrepend), Ok); },
       {"RRRR..", "RRRR..", "RRRR..", "......"}},
      // Rotating a quarter turn clockwise takes x along y; then 4 across.
      {"rotate, then translate",
       [](GpGraphics* g) {
         EXPECT_EQ(GdipRotateWorldTransform(g, 90, MatrixOrderPrepend), Ok);
         EXPECT_EQ(GdipTranslateWorldTransform(g, 4, 0, MatrixOrderAppend), Ok);
       },
       {"..RR..", "..RR..", "......", "......"}},
      {"multiply, with a matrix that is then reset",
       [](GpGraphics* g) {
         GpMatrix* m = nullptr;
         EXPECT_EQ(GdipCreateMatrix2(1, 0, 0, 1, 4, 2, &m), Ok);
         EXPECT_EQ(GdipSetWorldTransform(g, m), Ok);
         EXPECT_EQ(GdipResetWorldTransform(g), Ok);
         EXPECT_EQ(GdipMultiplyWorldTransform(g, m, MatrixOrderAppend), Ok);
         GdipDeleteMatrix(m);
       },
       {"......", "......", "....RR", "....RR"}},
  };
  for (const auto& c : cases) {
    TTestSurface surface(6, 4, 0);
    TGraphics g;
    OnDC(g, surface);
    c.Transform(g);
    Fill(g, Red, 0, 0, 2, 2);
    SCOPED_TRACE(c.Name);
    ExpectPicture(surface, c.Picture, {{'.', 0}, {'R', Red}});
  }
  TTestSurface surface(1, 1, 0);
  TGraphics g;
  OnDC(g, surface);
  EXPECT_EQ(GdipScaleWorldTransform(g, 0, 1, MatrixOrderPrepend), InvalidParameter) << "no inverse";
  EXPECT_EQ(GdipTranslateWorldTransform(g, 1, 1, static_cast<GpMatrixOrder>(2)), InvalidParameter);
  TMatrix flat;
  ASSERT_EQ(GdipCreateMatrix2(1, 1, 1, 1, 0, 0, flat.Out()), Ok);
  EXPECT_EQ(GdipSetWorldTransform(g, flat), InvalidParameter);
  Fill(g, Red, 0, 0, 1, 1);
  EXPECT_EQ(surface.At(0, 0), Red) << "the identity stayed";
}

// --- Arguments and switches -------------------------------------------------

TEST_F(GdiplusGraphics, BadArgumentsAndUnknownModesAreRefused) {
  TTestSurface surface(2, 2, 0);
  TGraphics g;
  OnDC(g, surface);
  GpGraphics* none = nullptr;
  EXPECT_EQ(GdipCreateFromHDC(nullptr, &none), InvalidParameter);
  EXPECT_EQ(GdipCreateFromHDC(surface.DC, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetImageGraphicsContext(nullptr, &none), InvalidParameter);
  EXPECT_EQ(GdipDeleteGraphics(nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetDC(g, nullptr), InvalidParameter);
  EXPECT_EQ(GdipSetInterpolationMode(g, static_cast<InterpolationMode>(8)), InvalidParameter);
  EXPECT_EQ(GdipSetInterpolationMode(g, static_cast<InterpolationMode>(-1)), InvalidParameter);
  EXPECT_EQ(GdipSetSmoothingMode(g, static_cast<SmoothingMode>(5)), InvalidParameter);
  EXPECT_EQ(GdipGetInterpolationMode(g, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetSmoothingMode(nullptr, nullptr), InvalidParameter);
  EXPECT_EQ(GdipSetClipRectI(g, 0, 0, 1, 1, static_cast<CombineMode>(6)), InvalidParameter);
  EXPECT_EQ(GdipSetClipRegion(g, nullptr, CombineModeReplace), InvalidParameter);
  EXPECT_EQ(GdipSetClipPath(g, nullptr, CombineModeReplace), InvalidParameter);
  EXPECT_EQ(GdipIsClipEmpty(g, nullptr), InvalidParameter);
  EXPECT_EQ(GdipIsVisibleRectI(g, 0, 0, 1, 1, nullptr), InvalidParameter);
  EXPECT_EQ(GdipSaveGraphics(g, nullptr), InvalidParameter);
  EXPECT_EQ(GdipSetWorldTransform(g, nullptr), InvalidParameter);
  EXPECT_EQ(GdipMultiplyWorldTransform(g, nullptr, MatrixOrderAppend), InvalidParameter);
  GpRegion* region = nullptr;
  EXPECT_EQ(GdipCreateRegionHrgn(nullptr, &region), InvalidParameter);
  EXPECT_EQ(GdipDeleteRegion(nullptr), InvalidParameter);
  InterpolationMode mode;
  ASSERT_EQ(GdipGetInterpolationMode(g, &mode), Ok);
  EXPECT_EQ(mode, InterpolationModeBilinear) << "unchanged";
}

TEST_F(GdiplusGraphics, AStatusForcedOnAnEntryReachesTheCaller) {
  TTestSurface surface(2, 1, 0);
  TGraphics g;
  OnDC(g, surface);
  TBrush brush;
  Solid(brush, Red);
  SetEntryStatus("GdipFillRectangleI", OutOfMemory);
  SetEntryStatus("GdipCreateFromHDC", GenericError);
  EXPECT_EQ(GdipFillRectangleI(g, brush, 0, 0, 1, 1), OutOfMemory);
  EXPECT_EQ(surface.At(0, 0), 0u) << "nothing drawn";
  EXPECT_EQ(GdipFillRectangle(g, brush, 1, 0, 1, 1), Ok) << "the float form is another entry";
  EXPECT_EQ(surface.At(1, 0), Red);
  GpGraphics* other = nullptr;
  EXPECT_EQ(GdipCreateFromHDC(surface.DC, &other), GenericError);
  EXPECT_EQ(other, nullptr);
}

TEST_F(GdiplusGraphics, DrawingObjectsCountAsLiveUntilDeleted) {
  const int before = GetLiveGdiplusObjectCount();
  TTestSurface surface(1, 1, 0);
  GpGraphics* g = nullptr;
  GpSolidFill* brush = nullptr;
  GpPen* pen = nullptr;
  GpPath* path = nullptr;
  GpMatrix* matrix = nullptr;
  GpImageAttributes* attributes = nullptr;
  ASSERT_EQ(GdipCreateFromHDC(surface.DC, &g), Ok);
  ASSERT_EQ(GdipCreateSolidFill(Red, &brush), Ok);
  ASSERT_EQ(GdipCreatePen2(reinterpret_cast<GpBrush*>(brush), 1, UnitPixel, &pen), Ok);
  ASSERT_EQ(GdipCreatePath(FillModeWinding, &path), Ok);
  ASSERT_EQ(GdipCreateMatrix(&matrix), Ok);
  ASSERT_EQ(GdipCreateImageAttributes(&attributes), Ok);
  EXPECT_EQ(GetLiveGdiplusObjectCount(), before + 6);
  EXPECT_EQ(GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush)), Ok);
  EXPECT_EQ(GetLiveGdiplusObjectCount(), before + 5) << "the pen keeps a copy, not the brush";
  EXPECT_EQ(GdipDeletePen(pen), Ok);
  EXPECT_EQ(GdipDeletePath(path), Ok);
  EXPECT_EQ(GdipDeleteMatrix(matrix), Ok);
  EXPECT_EQ(GdipDisposeImageAttributes(attributes), Ok);
  EXPECT_EQ(GdipDeleteGraphics(g), Ok);
  EXPECT_EQ(GetLiveGdiplusObjectCount(), before);
  EXPECT_EQ(GdipDeleteGraphics(g), InvalidParameter) << "gone";
}

}  // namespace

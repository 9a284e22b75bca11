// Drawing through the image classes: stretching, tiling, the paint canvas
// on device contexts (directly and through its buffer), filling, the 64-bit
// blend path, and the wrappers of the library's objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "controls/dxCore.h"
#include "platform/DcGuards.h"
#include "platform/Kernel.h"
#include "platform/Painting.h"
#include "platform/ScopeExit.h"
#include "platform/WindowManager.h"
#include "platform/WindowStyles.h"
#include "tests/SuiteUnits.h"
#include "tests/graphics/GdiPlusImageSupport.h"

namespace {

using Drawing = TGdiPlusLeakCheck;

constexpr DWORD Background = 0x11223344;

// An opaque image whose pixel (x, y) has red 20x and green 20y.
TdxGPImage* Gradient(Integer AWidth, Integer AHeight) {
  std::vector<DWORD> pixels;
  for (Integer y = 0; y < AHeight; ++y)
    for (Integer x = 0; x < AWidth; ++x)
      pixels.push_back(0xFF000000u | static_cast<DWORD>(20 * x) << 16 | static_cast<DWORD>(20 * y) << 8);
  return new TdxGPImage(AWidth, AHeight, BitsOf(pixels), true);
}

using TImagePtr = std::unique_ptr<TdxGPImage, TFreeObject>;

TEST_F(Drawing, StretchingNeverReachesPastTheSourcesLastColumnOrRow) {
  TImagePtr image(Gradient(10, 10));
  TTestSurface surface(20, 20, Background);
  TdxGPPaintCanvas* canvas = dxGpBeginPaint(surface.DC, cxRect(0, 0, 20, 20));
  canvas->SetInterpolationMode(imNearestNeighbor);
  canvas->Draw(image.get(), cxRect(0, 0, 20, 20));
  dxGpEndPaint(canvas);
  EXPECT_EQ(canvas, nullptr);
  std::set<DWORD> columns, rows;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      columns.insert(surface.At(x, y) >> 16 & 0xFF);
      rows.insert(surface.At(x, y) >> 8 & 0xFF);
    }
  // 9 x 9 of the source sampled: every column and row but the last.
  EXPECT_EQ(columns, (std::set<DWORD>{0, 20, 40, 60, 80, 100, 120, 140, 160}));
  EXPECT_EQ(rows, (std::set<DWORD>{0, 20, 40, 60, 80, 100, 120, 140, 160}));

  // One pixel wide stays one pixel wide.
  TImagePtr strip(Gradient(1, 10));
  TTestSurface wide(5, 20, Background);
  canvas = dxGpBeginPaint(wide.DC, cxRect(0, 0, 5, 20));
  canvas->SetInterpolationMode(imNearestNeighbor);
  canvas->Draw(strip.get(), cxRect(0, 0, 5, 20));
  dxGpEndPaint(canvas);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(wide.At(x, y) & 0xFFFF0000, 0xFF000000u) << x << ", " << y;
}

TEST_F(Drawing, NothingIsDrawnWhereTheClipHidesIt) {
  TImagePtr image(Gradient(4, 4));
  TTestSurface surface(20, 20, Background);
  IntersectClipRect(surface.DC, 0, 0, 10, 10);
  image->StretchDraw(surface.DC, cxRect(12, 12, 20, 20));
  image->StretchDraw(surface.DC, cxRect(8, 8, 12, 12));
  TdxGPPaintCanvas* canvas = dxGpBeginPaint(surface.DC, cxRect(0, 0, 20, 20));
  EXPECT_FALSE(dxGpIsRectVisible(canvas->GetHandle(), cxRect(12, 12, 20, 20)));
  EXPECT_TRUE(dxGpIsRectVisible(canvas->GetHandle(), cxRect(9, 9, 20, 20)));
  dxGpEndPaint(canvas);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool drawn = x >= 8 && x < 10 && y >= 8 && y < 10;
      EXPECT_EQ(surface.At(x, y) == Background, !drawn) << x << ", " << y;
    }
}

// A 10 x 10 tile, opaque white with a red pixel at its top-left and a blue
// one at its bottom-right, tiled over (2, 3)-(27, 18) of a 30 x 20 surface.
std::vector<DWORD> Tiled(Byte AAlpha, bool ATextureFails = false) {
  std::vector<DWORD> pixels(100, 0xFFFFFFFF);
  pixels[0] = 0xFFFF0000;
  pixels[99] = 0xFF0000FF;
  TdxGPImage tile(10, 10, BitsOf(pixels), true);
  TTestSurface surface(30, 20, 0xFF000000);
  if (ATextureFails) Gdiplus::SetEntryStatus("GdipCreateTexture2I", Gdiplus::GenericError);
  TdxGPPaintCanvas* canvas = dxGpBeginPaint(surface.DC, cxRect(0, 0, 30, 20));
  TScopeExit end([&canvas] { dxGpEndPaint(canvas); });
  dxGpTilePartEx(canvas->GetHandle(), cxRect(2, 3, 27, 18), tile.GetClientRect(), AAlpha, tile.GetHandle());
  Gdiplus::SetEntryStatus("GdipCreateTexture2I", Gdiplus::Ok);
  return std::vector<DWORD>(surface.Bits, surface.Bits + 30 * 20);
}

TEST_F(Drawing, TilesRepeatFromTheTopLeftAndAreCutAtTheFarEdges) {
  const std::vector<DWORD> texture = Tiled(255), oneByOne = Tiled(255, true);
  EXPECT_EQ(texture, oneByOne) << "a texture fill and tile by tile alike";
  int red = 0, blue = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const DWORD p = texture[static_cast<size_t>(y * 30 + x)];
      if (x < 2 || x >= 27 || y < 3 || y >= 18) {
        EXPECT_EQ(p, 0xFF000000u) << x << ", " << y;
        continue;
      }
      const int u = (x - 2) % 10, v = (y - 3) % 10;
      const DWORD expected = u == 0 && v == 0 ? 0xFFFF0000 : u == 9 && v == 9 ? 0xFF0000FF : 0xFFFFFFFF;
      EXPECT_EQ(p, expected) << x << ", " << y;
      red += p == 0xFFFF0000;
      blue += p == 0xFF0000FF;
    }
  EXPECT_EQ(red, 6) << "3 x 2 tiles";
  EXPECT_EQ(blue, 2) << "the last column 5 wide and the last row 5 high show none";
}

TEST_F(Drawing, BelowFullAlphaTilesAreDrawnOneByOne) {
  // The texture fill goes through a rectangle fill: failing, it shows.
  Gdiplus::SetEntryStatus("GdipFillRectangleI", Gdiplus::GenericError);
  EXPECT_THROW(Tiled(255), EdxGdipException);
  const std::vector<DWORD> faded = Tiled(200);
  Gdiplus::SetEntryStatus("GdipFillRectangleI", Gdiplus::Ok);
  // White at k = 200/255 over black: 200; red 200, 0, 0.
  EXPECT_TRUE(PixelNear(faded[static_cast<size_t>(3 * 30 + 3)], 0xFFC8C8C8, 1));
  EXPECT_TRUE(PixelNear(faded[static_cast<size_t>(13 * 30 + 12)], 0xFFC80000, 1));
  EXPECT_EQ(faded[static_cast<size_t>(18 * 30 + 3)], 0xFF000000u);
}

TEST_F(Drawing, ThePaintCanvasNestsAndComesBackInOrder) {
  TTestSurface first(4, 4, Background), second(4, 4, Background);
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  EXPECT_EQ(canvas->GetHandle(), nullptr);
  canvas->BeginPaint(first.DC, cxRect(0, 0, 4, 4));
  GpGraphics* outer = canvas->GetHandle();
  ASSERT_NE(outer, nullptr);
  std::vector<GpGraphics*> inner;
  // Deeper than the first stack the canvas makes.
  for (int level = 0; level < 6; ++level) {
    canvas->BeginPaint(second.DC, cxRect(0, 0, 2, 2));
    inner.push_back(canvas->GetHandle());
  }
  dxGpFillRect(canvas->GetHandle(), cxRect(0, 0, 4, 4), clRed);
  for (int level = 5; level > 0; --level) {
    canvas->EndPaint();
    EXPECT_EQ(canvas->GetHandle(), inner[static_cast<size_t>(level - 1)]);
  }
  canvas->EndPaint();
  EXPECT_EQ(canvas->GetHandle(), outer);
  dxGpFillRect(canvas->GetHandle(), cxRect(0, 0, 4, 4), clBlue);
  canvas->EndPaint();
  EXPECT_EQ(canvas->GetHandle(), nullptr);
  EXPECT_EQ(first.At(3, 3), 0xFF0000FFu);
  EXPECT_EQ(second.At(3, 3), 0xFFFF0000u);

  // On a graphics of the caller's, which stays the caller's.
  GpGraphics* own = nullptr;
  ASSERT_EQ(Gdiplus::GdipCreateFromHDC(first.DC, &own), Gdiplus::Ok);
  TdxGPPaintCanvas* onGraphics = dxGpBeginPaint(own);
  EXPECT_EQ(onGraphics->GetHandle(), own);
  dxGpEndPaint(onGraphics);
  EXPECT_EQ(Gdiplus::GdipGraphicsClear(own, 0), Gdiplus::Ok);
  Gdiplus::GdipDeleteGraphics(own);
}

// A half-transparent image stretched over (3, 2)-(13, 9) of a surface whose
// logical origin is moved, at the bits per pixel the screen reports.
std::vector<DWORD> StretchedAt(int ABitsPerPixel) {
  SetScreenBitsPerPixel(ABitsPerPixel);
  TScopeExit restore([] { SetScreenBitsPerPixel(32); });
  EXPECT_EQ(dxGpIsDoubleBufferedNeeded(GetScreenDC()), ABitsPerPixel <= 16);
  std::vector<DWORD> pixels;
  for (int i = 0; i < 12; ++i) pixels.push_back(i % 2 ? 0x80402000u : 0xFF00FF00u | static_cast<DWORD>(i * 20));
  TdxGPImage image(4, 3, BitsOf(pixels), true);
  TTestSurface surface(16, 12, Background);
  for (int i = 0; i < 16 * 12; ++i) surface.Bits[i] = 0xFF000000u | static_cast<DWORD>(i * 0x010203);
  SetWindowOrgEx(surface.DC, -1, 1, nullptr);
  image.StretchDraw(surface.DC, cxRect(2, 3, 12, 10), 200);
  return std::vector<DWORD>(surface.Bits, surface.Bits + 16 * 12);
}

TEST_F(Drawing, ABufferedPaintCanvasDrawsTheSamePixels) {
  const std::vector<DWORD> direct = StretchedAt(32), buffered = StretchedAt(16);
  EXPECT_EQ(buffered, direct);
  EXPECT_NE(direct[static_cast<size_t>(5 * 16 + 6)], static_cast<DWORD>(0xFF000000u | (5 * 16 + 6) * 0x010203))
      << "something was drawn";
  for (const int bits : {1, 8, 15, 24, 32}) {
    SetScreenBitsPerPixel(bits);
    EXPECT_EQ(dxGpIsDoubleBufferedNeeded(GetScreenDC()), bits <= 16) << bits;
  }
  SetScreenBitsPerPixel(32);
}

std::string LayeredWindowsBeforeVista() {
  RestartUnits([] { SetReportedVersion(5, 1); });
  HWND layered = CreateWindowExW(WS_EX_LAYERED, u"BUTTON", u"", WS_POPUP, 0, 0, 20, 10, nullptr, nullptr, nullptr,
                                 nullptr);
  HWND plain = CreateWindowExW(0, u"BUTTON", u"", WS_POPUP, 0, 0, 20, 10, nullptr, nullptr, nullptr, nullptr);
  HDC layeredDC = GetDC(layered), plainDC = GetDC(plain);
  TTestSurface memory(1, 1);
  std::string outcome = std::string(dxGpIsDoubleBufferedNeeded(layeredDC) ? "layered buffered" : "layered direct") +
                        (dxGpIsDoubleBufferedNeeded(plainDC) ? ", plain buffered" : ", plain direct") +
                        (dxGpIsDoubleBufferedNeeded(memory.DC) ? ", memory buffered" : ", memory direct");
  ReleaseDC(layered, layeredDC);
  ReleaseDC(plain, plainDC);
  return outcome;
}

using PaintCanvasStart = TUnitRestartTest;

TEST_F(PaintCanvasStart, BeforeVistaLayeredWindowsAreBuffered) {
  EXPECT_EXIT(ExitWithOutcome(LayeredWindowsBeforeVista()), ::testing::ExitedWithCode(0),
              "outcome: layered buffered, plain direct, memory direct;");
}

TEST_F(Drawing, FillsWithAlphaAndGradients) {
  TTestSurface surface(12, 3, 0xFF000000);
  dxGpFillRect(surface.DC, cxRect(1, 0, 3, 1), clRed);
  dxGpFillRect(surface.DC, cxRect(4, 0, 5, 1), clRed, 128);
  dxGpFillRect(surface.DC, cxRect(5, 0, 6, 1), clNone);
  EXPECT_EQ(surface.At(0, 0), 0xFF000000u);
  EXPECT_EQ(surface.At(1, 0), 0xFFFF0000u);
  EXPECT_EQ(surface.At(2, 0), 0xFFFF0000u);
  EXPECT_TRUE(PixelNear(surface.At(4, 0), 0xFF800000, 1));
  EXPECT_EQ(surface.At(5, 0), 0xFF000000u) << "clNone paints nothing";

  // Black to white across (0, 1)-(10, 2), grown to (-1, 0)-(11, 3): the
  // centre of pixel x lies (x + 1.5) / 12 of the way.
  TdxGPPaintCanvas* canvas = dxGpBeginPaint(surface.DC, cxRect(0, 0, 12, 3));
  dxGpFillRectByGradient(canvas->GetHandle(), cxRect(0, 1, 10, 2), clBlack, clWhite, gpbgmHorizontal);
  dxGpEndPaint(canvas);
  for (int x = 0; x < 10; ++x) {
    const auto level = static_cast<DWORD>(std::lround((x + 1.5) / 12 * 255));
    EXPECT_TRUE(PixelNear(surface.At(x, 1), 0xFF000000u | level * 0x010101u, 1)) << x;
  }
  EXPECT_EQ(surface.At(10, 1), 0xFF000000u);
  EXPECT_EQ(surface.At(0, 2), 0xFF000000u);
}

// 4 x 4 premultiplied pixels blended at 128 into a copy of a destination,
// through the library when the process runs as on 64-bit Windows.
std::vector<DWORD> Blended(bool AWin64) {
  std::vector<DWORD> source, dest;
  for (DWORD i = 0; i < 16; ++i) {
    const DWORD a = 15 + i * 16;
    source.push_back(a << 24 | (a * 3 / 4) << 16 | (a / 2) << 8 | a / 5);
    dest.push_back(0xFF000000u | i * 0x0B0D11);
  }
  TcxBitmapPtr s = Bitmap32(4, 4, source), d = Bitmap32(4, 4, dest);
  const bool saved = IsWin64Bit;
  IsWin64Bit = AWin64;
  TScopeExit restore([saved] { IsWin64Bit = saved; });
  cxAlphaBlend(d.get(), s.get(), cxRect(0, 0, 4, 4), cxRect(0, 0, 4, 4), false, 128);
  return PixelsOf(d.get());
}

TEST_F(Drawing, On64BitWindowsBlendingGoesThroughTheLibraryAlike) {
  const std::vector<DWORD> system = Blended(false), library = Blended(true);
  ASSERT_EQ(library.size(), system.size());
  for (size_t i = 0; i < system.size(); ++i) EXPECT_TRUE(PixelNear(library[i], system[i], 1)) << i;
  EXPECT_NE(system[0], 0xFF000000u) << "the blend drew";
}

TEST_F(Drawing, TheCanvasDrawsShapesInItsColoursAndClip) {
  TTestSurface surface(12, 12, Background);
  {
    TdxGPPaintCanvas* canvas = dxGpBeginPaint(surface.DC, cxRect(0, 0, 12, 12));
    TScopeExit end([&canvas] { dxGpEndPaint(canvas); });
    canvas->Rectangle(cxRect(1, 1, 4, 4), clNone, clRed);
    canvas->SaveClipRegion();
    canvas->SetClipRect(cxRect(6, 0, 12, 12));
    canvas->TranslateWorldTransform(5, 0);
    canvas->Rectangle(cxRect(0, 5, 3, 7), clNone, clLime);  // (5, 5)-(8, 7), clipped from 6
    EXPECT_FALSE(canvas->IsClipEmpty());
    canvas->RestoreClipRegion();
    canvas->RestoreClipRegion();  // nothing saved: nothing happens
    canvas->Rectangle(cxRect(0, 9, 2, 10), clNone, clBlue, 1, gppsSolid, 255, 128);
    canvas->SetClipRect(cxRect(0, 0, 0, 0));
    EXPECT_TRUE(canvas->IsClipEmpty());
    canvas->Rectangle(cxRect(0, 0, 12, 12), clNone, clWhite);
    HDC dc = canvas->GetHDC();
    FillRectByColor(dc, cxRect(10, 10, 11, 11), clBlack);
    canvas->ReleaseHDC(dc);
  }
  EXPECT_EQ(surface.At(0, 0), Background);
  EXPECT_EQ(surface.At(1, 1), 0xFFFF0000u);
  EXPECT_EQ(surface.At(3, 3), 0xFFFF0000u);
  EXPECT_EQ(surface.At(4, 4), Background);
  EXPECT_EQ(surface.At(5, 5), Background) << "outside the clip";
  EXPECT_EQ(surface.At(6, 5), 0xFF00FF00u) << "moved by the transform";
  EXPECT_EQ(surface.At(7, 6), 0xFF00FF00u);
  EXPECT_EQ(surface.At(8, 6), Background);
  // Blue at k = 128/255 over the background: 128 + (1 - k) x 0x11, 0x22 x
  // (1 - k), 0x33 x (1 - k), 128 + 0x44 x (1 - k).
  EXPECT_TRUE(PixelNear(surface.At(0, 9), 0x881119A2, 1));
  EXPECT_EQ(surface.At(10, 10), 0u) << "drawn by GDI through the DC lent, which writes no alpha";
}

TEST_F(Drawing, ModesGoThroughAsTheyAre) {
  TTestSurface surface(2, 2);
  TdxGPPaintCanvas* canvas = dxGpBeginPaint(surface.DC, cxRect(0, 0, 2, 2));
  TScopeExit end([&canvas] { dxGpEndPaint(canvas); });
  for (int m = imDefault; m <= imHighQualityBicubic; ++m) {
    canvas->SetInterpolationMode(static_cast<TdxGPInterpolationMode>(m));
    EXPECT_EQ(canvas->GetInterpolationMode(), m);
  }
  for (int m = smDefault; m <= smAntiAlias; ++m) {
    canvas->SetSmoothingMode(static_cast<TdxGPSmoothingMode>(m));
    EXPECT_EQ(canvas->GetSmoothingMode(), m);
  }
}

TEST_F(Drawing, MatricesTransformPointsAndRectangles) {
  std::unique_ptr<TdxGPMatrix, TFreeObject> m(new TdxGPMatrix);
  EXPECT_EQ(m->GetElements(), TdxGPMatrixElements());
  m->Translate(10, 20);
  EXPECT_EQ(m->TransformPoint(cxPoint(1, 2)), cxPoint(11, 22));
  m->Scale(2, 3);  // before the translation
  EXPECT_EQ(m->TransformPoint(cxPoint(1, 2)), cxPoint(12, 26));
  m->Scale(2, 3, Gdiplus::MatrixOrderAppend);  // after it
  EXPECT_EQ(m->TransformPoint(cxPoint(1, 2)), cxPoint(24, 78));
  m->Invert();
  EXPECT_EQ(m->TransformPoint(cxPoint(24, 78)), cxPoint(1, 2));

  m->Reset();
  m->Rotate(90, dxPointF(10, 10));  // clockwise on the screen about (10, 10)
  const TdxPointF turned = m->TransformPoint(dxPointF(20, 10));
  EXPECT_NEAR(turned.X, 10, 1e-4);
  EXPECT_NEAR(turned.Y, 20, 1e-4);
  EXPECT_EQ(m->TransformRect(cxRect(10, 10, 14, 12)), cxRect(8, 10, 10, 14));
  m->Reset();
  m->Rotate(90, dxPointF(10, 10), Gdiplus::MatrixOrderAppend);
  EXPECT_EQ(m->TransformPoint(cxPoint(20, 10)), cxPoint(10, 20));

  m->SetElements({1, 0, 0, 1, 0, 0});
  m->Flip(true, false, dxPointF(5, 0));
  EXPECT_EQ(m->TransformPoint(cxPoint(7, 3)), cxPoint(3, 3));
  m->Shear(1, 0);
  EXPECT_EQ(m->GetElements(), (TdxGPMatrixElements{-1, 0, -1, 1, 10, 0}));

  std::unique_ptr<TdxGPMatrix, TFreeObject> other(new TdxGPMatrix({2, 0, 0, 2, 1, 1}));
  m->Reset();
  m->Multiply(other.get());
  EXPECT_EQ(m->TransformPoint(cxPoint(3, 4)), cxPoint(7, 9));
  m->Scale(0, 0);
  const TdxGPMatrixElements singular = m->GetElements();
  EXPECT_THROW(m->Invert(), EdxGdipException);
  EXPECT_EQ(m->GetElements(), singular) << "left as it was";
}

TEST_F(Drawing, PathsMeasureAndHitTest) {
  std::unique_ptr<TdxGPPath, TFreeObject> path(new TdxGPPath);
  path->AddRect(cxRect(0, 0, 10, 5));
  EXPECT_EQ(path->GetBounds(), cxRect(0, 0, 10, 5));
  EXPECT_TRUE(path->IsPointInPath(cxPoint(2, 2)));
  EXPECT_FALSE(path->IsPointInPath(cxPoint(12, 2)));
  std::unique_ptr<TdxGPPen, TFreeObject> pen(new TdxGPPen);
  pen->GetBrush()->SetColor(0xFF000000);
  pen->SetWidth(2);
  EXPECT_TRUE(path->IsPointInPathOutline(cxPoint(0, 2), pen.get()));
  EXPECT_FALSE(path->IsPointInPathOutline(cxPoint(5, 2), pen.get()));
  const TdxRectF widened = path->GetBoundsF(pen.get());
  EXPECT_LT(widened.Left, 0);
  EXPECT_GT(widened.Right, 10);

  std::unique_ptr<TdxGPPath, TFreeObject> round(new TdxGPPath);
  round->AddRoundRect(cxRect(0, 0, 20, 10), 4, 4);
  EXPECT_EQ(round->GetBounds(), cxRect(0, 0, 20, 10));
  EXPECT_FALSE(round->IsPointInPath(cxPoint(0, 0))) << "the corner is cut";
  EXPECT_TRUE(round->IsPointInPath(cxPoint(10, 5)));
  std::unique_ptr<TdxGPPath, TFreeObject> lines(new TdxGPPath);
  lines->AddPolyline({cxPoint(0, 0), cxPoint(10, 0), cxPoint(10, 10)});
  lines->FigureFinish();
  lines->AddPolygon({cxPoint(20, 0), cxPoint(30, 0), cxPoint(20, 10)});
  EXPECT_EQ(lines->GetBounds(), cxRect(0, 0, 30, 10));
  EXPECT_TRUE(lines->IsPointInPath(cxPoint(9, 2)));
  EXPECT_TRUE(lines->IsPointInPath(cxPoint(21, 2)));
}

TEST_F(Drawing, BrushesAndPensOfTheirOwnFillAndOutline) {
  TTestSurface surface(10, 10, Background);
  std::unique_ptr<TdxGPPath, TFreeObject> path(new TdxGPPath);
  path->AddRect(cxRect(2, 2, 8, 8));
  std::unique_ptr<TdxGPBrush, TFreeObject> brush(new TdxGPBrush);
  std::unique_ptr<TdxGPPen, TFreeObject> pen(new TdxGPPen);
  TdxGPPaintCanvas* canvas = dxGpBeginPaint(surface.DC, cxRect(0, 0, 10, 10));
  {
    TScopeExit end([&canvas] { dxGpEndPaint(canvas); });
    brush->SetColor(0xFF00FF00);
    pen->GetBrush()->SetStyle(gpbsClear);
    canvas->Path(path.get(), pen.get(), brush.get());
    EXPECT_EQ(pen->GetHandle(), nullptr) << "a clear brush draws nothing";
  }
  EXPECT_EQ(surface.At(2, 2), 0xFF00FF00u);
  EXPECT_EQ(surface.At(7, 7), 0xFF00FF00u);
  EXPECT_EQ(surface.At(8, 8), Background);

  // A gradient follows its target rectangle.
  std::unique_ptr<TdxGPBrush, TFreeObject> gradient(new TdxGPBrush);
  gradient->SetStyle(gpbsGradient);
  gradient->AddGradientPoint(1.5f, 0xFFFFFFFF);
  gradient->AddGradientPoint(0.5f, 0xFF808080);
  gradient->AddGradientPoint(0, 0xFF000000);
  std::vector<Single> offsets;
  for (const TdxGPBrushGradientPoint& point : gradient->GetGradientPoints()) offsets.push_back(point.Offset);
  EXPECT_EQ(offsets, (std::vector<Single>{0, 0.5f, 1})) << "in order, held within 0..1";
  EXPECT_EQ(gradient->GetHandle(), nullptr) << "no target yet";
  gradient->SetTargetRect(cxRect(0, 0, 10, 10));
  EXPECT_NE(gradient->GetHandle(), nullptr);
  gradient->SetTargetRect(cxRect(0, 0, 20, 10));
  EXPECT_FALSE(gradient->HandleAllocated()) << "made again for the new target";
  gradient->GetHandle();
  gradient->SetTargetRect(cxRect(0, 0, 20, 10));
  EXPECT_TRUE(gradient->HandleAllocated()) << "the same target keeps it";
  canvas = dxGpBeginPaint(surface.DC, cxRect(0, 0, 10, 10));
  {
    TScopeExit end([&canvas] { dxGpEndPaint(canvas); });
    canvas->Path(path.get(), nullptr, gradient.get());
  }
  // Across the path's bounds (2, 2)-(8, 8): dark at the left, light at the right.
  EXPECT_LT(surface.At(2, 5) & 0xFF, 0x40u);
  EXPECT_GT(surface.At(7, 5) & 0xFF, 0xC0u);

  // A texture tiles its image.
  TdxGPImage tile(2, 1, BitsOf({0xFFFF0000, 0xFF0000FF}), true);
  brush->SetStyle(gpbsTexture);
  brush->SetTexture(&tile);
  canvas = dxGpBeginPaint(surface.DC, cxRect(0, 0, 10, 10));
  {
    TScopeExit end([&canvas] { dxGpEndPaint(canvas); });
    canvas->Path(path.get(), nullptr, brush.get());
  }
  EXPECT_EQ(surface.At(2, 4), 0xFFFF0000u);
  EXPECT_EQ(surface.At(3, 4), 0xFF0000FFu);
  EXPECT_EQ(surface.At(4, 4), 0xFFFF0000u);
  brush->SetTexture(nullptr);
  EXPECT_EQ(brush->GetHandle(), nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "tests/platform/GdiPlusTestSupport.h"

namespace {

using namespace Gdiplus;

constexpr DWORD Red = 0xFFFF0000;

class GdiplusShapes : public TGdiplusDrawingTest {
 protected:
  static void MakePen(TPen& pen, ARGB color, REAL width) {
    ASSERT_EQ(GdipCreatePen1(color, width, UnitPixel, pen.Out()), Ok);
  }
};

// --- Brushes ----------------------------------------------------------------

TEST_F(GdiplusShapes, SolidFillsArePremultipliedExactlyAndComposedOverTheTarget) {
  const struct {
    ARGB Color;
    DWORD Background, Expected;
  } cases[] = {
      // 255, 128, 64 at alpha 128: 128, 64.25, 32.1.
      {0x80FF8040, 0x00000000, 0x80804020},
      // Over white each channel and alpha gain 255 x 127 / 255 = 127.
      {0x80FF8040, 0xFFFFFFFF, 0xFFFFBF9F},
      // Over half-transparent: alpha 128 + 63.75, red 128 + 31.9, green
      // 64 + 15.9, blue 32 + 7.97.
      {0x80FF8040, 0x80402010, 0xC0A05028},
      // 16, 200, 127 at alpha 51: 3.2, 40, 25.4.
      {0x3310C87F, 0x00000000, 0x33032819},
      // Over (32, 64, 96): each keeps 204/255 of itself: 25.6, 51.2, 76.8.
      {0x3310C87F, 0xFF204060, 0xFF1D5B66},
      // 53 at alpha 51: 10.6, so 11 (a product kept in 16 bits and cut
      // to 8 would give 10).
      {0x33350000, 0x00000000, 0x330B0000},
      {0xFF123456, 0x80402010, 0xFF123456},
      {0x00FFFFFF, 0x80402010, 0x80402010},
  };
  for (const auto& c : cases) {
    TTestSurface surface(3, 1, c.Background);
    TGraphics g;
    OnDC(g, surface);
    Fill(g, c.Color, 1, 0, 1, 1);
    EXPECT_EQ(surface.At(1, 0), c.Expected) << std::hex << c.Color << " over " << c.Background;
    EXPECT_EQ(surface.At(0, 0), c.Background);
    EXPECT_EQ(surface.At(2, 0), c.Background);
  }
  TBrush brush;
  Solid(brush, Red);
  ARGB color = 0;
  ASSERT_EQ(GdipSetSolidFillColor(reinterpret_cast<GpSolidFill*>(brush.Handle), 0x12345678), Ok);
  ASSERT_EQ(GdipGetSolidFillColor(reinterpret_cast<GpSolidFill*>(brush.Handle), &color), Ok);
  EXPECT_EQ(color, 0x12345678u);
}

TEST_F(GdiplusShapes, TexturesRepeatFromTheGraphicsOrigin) {
  std::vector<DWORD> rows = {0xFF010101, 0xFF020202, 0xFF030303, 0xFF040404,  //
                             0xFF050505, 0xFF060606, 0xFF070707, 0xFF080808};
  TImage image;
  Over(image, rows, 4);
  TBrush texture;
  ASSERT_EQ(GdipCreateTexture2I(image.Handle, WrapModeTile, 0, 0, 3, 2, texture.OutAs<GpTexture>()), Ok);
  for (const INT origin : {0, 1}) {
    TTestSurface surface(10, 7, 0);
    TGraphics g;
    OnDC(g, surface);
    ASSERT_EQ(GdipSetInterpolationMode(g, InterpolationModeNearestNeighbor), Ok);
    ASSERT_EQ(GdipFillRectangleI(g, texture, origin, origin, 10 - origin, 7 - origin), Ok);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 10; ++x) {
        const DWORD expected = x < origin || y < origin ? 0 : rows[(y % 2) * 4 + x % 3];
        EXPECT_EQ(surface.At(x, y), expected) << x << ", " << y << " from " << origin;
      }
  }
  // The part (1, 0, 2, 1) mirrored every other tile across.
  TBrush flipped;
  ASSERT_EQ(GdipCreateTexture2I(image.Handle, WrapModeTileFlipX, 1, 0, 2, 1, flipped.OutAs<GpTexture>()), Ok);
  TBrush copy;
  ASSERT_EQ(GdipCloneBrush(flipped, copy.Out()), Ok);
  TTestSurface surface(7, 1, 0);
  TGraphics g;
  OnDC(g, surface);
  ASSERT_EQ(GdipFillRectangleI(g, copy, 0, 0, 7, 1), Ok);
  ExpectPicture(surface, {"2332233"}, {{'2', 0xFF020202}, {'3', 0xFF030303}});
  GpTexture* none = nullptr;
  EXPECT_EQ(GdipCreateTexture2I(image.Handle, WrapModeTile, 2, 0, 3, 1, &none), InvalidParameter) << "beyond the image";
  EXPECT_EQ(GdipCreateTexture2I(image.Handle, static_cast<GpWrapMode>(5), 0, 0, 1, 1, &none), InvalidParameter);
  EXPECT_EQ(GdipCreateTexture2I(nullptr, WrapModeTile, 0, 0, 1, 1, &none), InvalidParameter);
  EXPECT_EQ(none, nullptr);
}

// The red channel at (x, y).
int RedAt(const TTestSurface& s, int x, int y) { return static_cast<int>((s.At(x, y) >> 16) & 0xFF); }

TEST_F(GdiplusShapes, LinearGradientsRunFromTheStartEdgeToTheFarOne) {
  constexpr int W = 100, H = 80;
  const struct {
    LinearGradientMode Mode;
    std::function<POINT(int)> Along;  // 0 to 99: from the start to the far edge
    POINT HalfWay[2];                 // pixels half-way there
  } cases[] = {
      {LinearGradientModeHorizontal, [](int i) { return POINT{i, 40}; }, {{49, 0}, {50, 79}}},
      {LinearGradientModeVertical, [](int i) { return POINT{50, i * (H - 1) / (W - 1)}; }, {{0, 39}, {99, 40}}},
      {LinearGradientModeForwardDiagonal, [](int i) { return POINT{i, i * (H - 1) / (W - 1)}; }, {{99, 0}, {0, 79}}},
      {LinearGradientModeBackwardDiagonal, [](int i) { return POINT{W - 1 - i, i * (H - 1) / (W - 1)}; },
       {{0, 0}, {99, 79}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Mode);
    TTestSurface surface(W, H, 0);
    TGraphics g;
    OnDC(g, surface);
    TBrush gradient;
    const GpRect r{0, 0, W, H};
    ASSERT_EQ(GdipCreateLineBrushFromRectI(&r, 0xFF000000, 0xFFFFFFFF, c.Mode, WrapModeTile,
                                           gradient.OutAs<GpLineGradient>()),
              Ok);
    ASSERT_EQ(GdipFillRectangleI(g, gradient, 0, 0, W, H), Ok);
    const POINT start = c.Along(0), end = c.Along(W - 1);
    EXPECT_LE(RedAt(surface, start.X, start.Y), 2);
    EXPECT_GE(RedAt(surface, end.X, end.Y), 253);
    for (int i = 1; i < W; ++i) {
      const POINT a = c.Along(i - 1), b = c.Along(i);
      EXPECT_LE(RedAt(surface, a.X, a.Y), RedAt(surface, b.X, b.Y)) << "step " << i;
    }
    for (const POINT& p : c.HalfWay) EXPECT_NEAR(RedAt(surface, p.X, p.Y), 128, 3) << p.X << ", " << p.Y;
    EXPECT_EQ(surface.At(0, 0) >> 24, 0xFFu);
  }
}

TEST_F(GdiplusShapes, GradientsTakePresetColoursAndRepeatOrMirrorBeyondTheRectangle) {
  TTestSurface surface(40, 2, 0);
  TGraphics g;
  OnDC(g, surface);
  const GpRectF r{0, 0, 10, 1};
  TBrush tiled, mirrored;
  ASSERT_EQ(GdipCreateLineBrushFromRect(&r, 0xFF000000, 0xFFFFFFFF, LinearGradientModeHorizontal, WrapModeTile,
                                        tiled.OutAs<GpLineGradient>()),
            Ok);
  ASSERT_EQ(GdipCreateLineBrushFromRect(&r, 0xFF000000, 0xFFFFFFFF, LinearGradientModeHorizontal, WrapModeTileFlipX,
                                        mirrored.OutAs<GpLineGradient>()),
            Ok);
  ASSERT_EQ(GdipFillRectangleI(g, tiled, 0, 0, 40, 1), Ok);
  ASSERT_EQ(GdipFillRectangleI(g, mirrored, 0, 1, 40, 1), Ok);
  EXPECT_LT(RedAt(surface, 10, 0), 20) << "starts again";
  EXPECT_GT(RedAt(surface, 10, 1), 235) << "comes back";
  EXPECT_TRUE(Near(surface.At(3, 0), surface.At(13, 0), 1));

  const ARGB colours[3] = {0xFF000000, 0xFFFF0000, 0xFFFFFFFF};
  const REAL positions[3] = {0, 0.5f, 1};
  ASSERT_EQ(GdipSetLinePresetBlend(reinterpret_cast<GpLineGradient*>(tiled.Handle), colours, positions, 3), Ok);
  TBrush copy;
  ASSERT_EQ(GdipCloneBrush(tiled, copy.Out()), Ok);
  ASSERT_EQ(GdipFillRectangleI(g, copy, 0, 0, 10, 1), Ok);
  // Half-way: red; a pixel on, a tenth of the way to white.
  EXPECT_TRUE(Near(surface.At(4, 0), 0xFFE60000, 30)) << std::hex << surface.At(4, 0);
  EXPECT_TRUE(Near(surface.At(5, 0), 0xFFFF1A1A, 30)) << std::hex << surface.At(5, 0);

  const REAL badStart[3] = {0.1f, 0.5f, 1};
  const REAL falling[3] = {0, 0.7f, 0.5f};
  auto* brush = reinterpret_cast<GpLineGradient*>(tiled.Handle);
  EXPECT_EQ(GdipSetLinePresetBlend(brush, colours, positions, 1), InvalidParameter);
  EXPECT_EQ(GdipSetLinePresetBlend(brush, colours, badStart, 3), InvalidParameter);
  EXPECT_EQ(GdipSetLinePresetBlend(brush, colours, falling, 3), InvalidParameter);
  EXPECT_EQ(GdipSetLinePresetBlend(brush, nullptr, positions, 3), InvalidParameter);
  GpLineGradient* none = nullptr;
  const GpRect empty{0, 0, 0, 5}, fine{0, 0, 5, 5};
  EXPECT_EQ(GdipCreateLineBrushFromRectI(&empty, 0, 0, LinearGradientModeVertical, WrapModeTile, &none),
            InvalidParameter);
  EXPECT_EQ(GdipCreateLineBrushFromRectI(&fine, 0, 0, static_cast<LinearGradientMode>(4), WrapModeTile, &none),
            InvalidParameter);
  EXPECT_EQ(GdipCreateLineBrushFromRectI(&fine, 0, 0, LinearGradientModeVertical, WrapModeClamp, &none),
            InvalidParameter);
  EXPECT_EQ(GdipCreateLineBrushFromRectI(nullptr, 0, 0, LinearGradientModeVertical, WrapModeTile, &none),
            InvalidParameter);
  EXPECT_EQ(none, nullptr);
  ARGB colour;
  EXPECT_EQ(GdipGetSolidFillColor(reinterpret_cast<GpSolidFill*>(brush), &colour), InvalidParameter) << "not solid";
}

// --- Pens and shapes --------------------------------------------------------

TEST_F(GdiplusShapes, ATwoPixelPenDrawsTheRedCross) {
  for (const auto smoothing : {SmoothingModeDefault, SmoothingModeAntiAlias, SmoothingModeHighQuality}) {
    TTestSurface surface(32, 32, 0);
    TGraphics g;
    OnDC(g, surface);
    ASSERT_EQ(GdipSetSmoothingMode(g, smoothing), Ok);
    TPen pen;
    MakePen(pen, Red, 2);
    ASSERT_EQ(GdipDrawLineI(g, pen, 0, 0, 32, 32), Ok);
    ASSERT_EQ(GdipDrawLineI(g, pen, 32, 0, 0, 32), Ok);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        if (x == y || x == 31 - y) {
          EXPECT_EQ(surface.At(x, y), Red) << x << ", " << y << " smoothing " << smoothing;
        } else if (std::abs(x - y) >= 4 && std::abs(x + y - 31) >= 4) {
          EXPECT_EQ(surface.At(x, y), 0u) << x << ", " << y << " smoothing " << smoothing;
        }
      }
  }
}

TEST_F(GdiplusShapes, DashStylesScaleWithThePen) {
  const struct {
    GpDashStyle Style;
    const char* Row;
  } cases[] = {
      {DashStyleSolid, "################"},      {DashStyleDash, "###.###.###.###."},
      {DashStyleDot, "#.#.#.#.#.#.#.#."},        {DashStyleDashDot, "###.#.###.#.###."},
      {DashStyleDashDotDot, "###.#.#.###.#.#."},
  };
  for (const auto& c : cases) {
    TTestSurface surface(16, 1, 0);
    TGraphics g;
    OnDC(g, surface);
    TPen pen;
    MakePen(pen, Red, 1);
    ASSERT_EQ(GdipSetPenDashStyle(pen, c.Style), Ok);
    GpDashStyle style;
    ASSERT_EQ(GdipGetPenDashStyle(pen, &style), Ok);
    EXPECT_EQ(style, c.Style);
    ASSERT_EQ(GdipDrawLine(g, pen, 0, 0.5f, 16, 0.5f), Ok);
    ExpectPicture(surface, {c.Row}, {{'.', 0}, {'#', Red}});
  }
  // Twice the width, twice the dashes: 6 on, 2 off.
  TTestSurface surface(16, 2, 0);
  TGraphics g;
  OnDC(g, surface);
  TPen pen;
  MakePen(pen, Red, 2);
  ASSERT_EQ(GdipSetPenDashStyle(pen, DashStyleDash), Ok);
  ASSERT_EQ(GdipDrawLine(g, pen, 0, 1, 16, 1), Ok);
  ExpectPicture(surface, {"######..######..", "######..######.."}, {{'.', 0}, {'#', Red}});
}

TEST_F(GdiplusShapes, PensTakeWidthsColoursAndBrushes) {
  TTestSurface surface(4, 3, 0);
  TGraphics g;
  OnDC(g, surface);
  TBrush green;
  Solid(green, 0xFF00FF00);
  TPen pen;
  ASSERT_EQ(GdipCreatePen2(green, 3, UnitWorld, pen.Out()), Ok);
  REAL width = 0;
  ASSERT_EQ(GdipGetPenWidth(pen, &width), Ok);
  EXPECT_EQ(width, 3.0f);
  // Width 0: one device pixel, even when scaled up.
  ASSERT_EQ(GdipSetPenWidth(pen, 0), Ok);
  ASSERT_EQ(GdipScaleWorldTransform(g, 4, 4, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipDrawLine(g, pen, 0, 0.125f, 1, 0.125f), Ok);
  ASSERT_EQ(GdipResetWorldTransform(g), Ok);
  ASSERT_EQ(GdipSetPenWidth(pen, 1), Ok);
  ASSERT_EQ(GdipSetPenColor(pen, Red), Ok);
  TPen copy;
  ASSERT_EQ(GdipClonePen(pen, copy.Out()), Ok);
  ASSERT_EQ(GdipDrawLine(g, copy, 0, 1.5f, 4, 1.5f), Ok);
  ASSERT_EQ(GdipSetPenBrushFill(pen, green), Ok);
  ASSERT_EQ(GdipDrawLine(g, pen, 0, 2.5f, 2, 2.5f), Ok);
  ExpectPicture(surface, {"GGGG", "RRRR", "GG.."}, {{'.', 0}, {'R', Red}, {'G', 0xFF00FF00}});

  GpPen* none = nullptr;
  EXPECT_EQ(GdipCreatePen1(Red, -1, UnitPixel, &none), InvalidParameter);
  EXPECT_EQ(GdipCreatePen1(Red, 1, UnitPoint, &none), NotImplemented);
  EXPECT_EQ(GdipCreatePen1(Red, 1, static_cast<GpUnit>(7), &none), InvalidParameter);
  EXPECT_EQ(GdipCreatePen2(nullptr, 1, UnitPixel, &none), InvalidParameter);
  EXPECT_EQ(GdipCreatePen1(Red, 1, UnitPixel, nullptr), InvalidParameter);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(GdipSetPenDashStyle(pen, DashStyleCustom), NotImplemented);
  EXPECT_EQ(GdipSetPenDashStyle(pen, static_cast<GpDashStyle>(6)), InvalidParameter);
  EXPECT_EQ(GdipSetPenWidth(pen, NAN), InvalidParameter);
  EXPECT_EQ(GdipSetPenBrushFill(pen, nullptr), InvalidParameter);
}

TEST_F(GdiplusShapes, RectangleOutlinesStraddleTheirEdges) {
  TTestSurface surface(10, 8, 0);
  TGraphics g;
  OnDC(g, surface);
  TPen pen;
  MakePen(pen, Red, 2);
  ASSERT_EQ(GdipDrawRectangleI(g, pen, 2, 2, 6, 4), Ok);
  ExpectPicture(surface,
                {
                    "..........",
                    ".########.",
                    ".########.",
                    ".##....##.",
                    ".##....##.",
                    ".########.",
                    ".########.",
                    "..........",
                },
                {{'.', 0}, {'#', Red}});
}

TEST_F(GdiplusShapes, ShapesAreDrawnAndFilledWhereTheyLie) {
  TBrush brush;
  Solid(brush, Red);
  TPen pen;
  MakePen(pen, Red, 2);
  const GpPoint bend[3] = {{0, 10}, {10, 10}, {10, 0}};
  const GpPoint triangle[3] = {{2, 2}, {17, 2}, {17, 17}};
  const GpPointF corner[3] = {{0, 0}, {20, 0}, {0, 20}};
  const struct {
    const char* Name;
    std::function<GpStatus(GpGraphics*)> Draw;
    POINT In, Out;
  } cases[] = {
      {"fill ellipse", [&](GpGraphics* g) { return GdipFillEllipseI(g, brush, 0, 0, 20, 20); }, {10, 10}, {1, 1}},
      {"fill pie", [&](GpGraphics* g) { return GdipFillPieI(g, brush, 0, 0, 20, 20, 0, 90); }, {15, 15}, {15, 5}},
      {"fill polygon", [&](GpGraphics* g) { return GdipFillPolygon(g, brush, corner, 3, FillModeAlternate); },
       {2, 2}, {18, 18}},
      {"fill rectangle", [&](GpGraphics* g) { return GdipFillRectangle(g, brush, 5, 5, 2, 2); }, {6, 6}, {7, 7}},
      {"fill ellipse, float", [&](GpGraphics* g) { return GdipFillEllipse(g, brush, 10, 10, 10, 10); }, {15, 15},
       {9, 9}},
      {"fill pie, float", [&](GpGraphics* g) { return GdipFillPie(g, brush, 0, 0, 20, 20, 180, 90); }, {5, 5},
       {15, 15}},
      {"ellipse", [&](GpGraphics* g) { return GdipDrawEllipseI(g, pen, 0, 0, 20, 20); }, {19, 10}, {10, 10}},
      {"arc", [&](GpGraphics* g) { return GdipDrawArcI(g, pen, 0, 0, 20, 20, 0, 90); }, {19, 10}, {0, 10}},
      {"pie", [&](GpGraphics* g) { return GdipDrawPieI(g, pen, 0, 0, 20, 20, 0, 90); }, {14, 10}, {5, 5}},
      {"polyline", [&](GpGraphics* g) { return GdipDrawLinesI(g, pen, bend, 3); }, {5, 10}, {5, 5}},
      {"polygon", [&](GpGraphics* g) { return GdipDrawPolygonI(g, pen, triangle, 3); }, {9, 9}, {15, 5}},
      {"fill polygon, whole", [&](GpGraphics* g) { return GdipFillPolygonI(g, brush, triangle, 3, FillModeWinding); },
       {15, 5}, {5, 15}},
      {"rectangle, float", [&](GpGraphics* g) { return GdipDrawRectangle(g, pen, 4, 4, 10, 10); }, {4, 9}, {9, 9}},
      {"arc, float", [&](GpGraphics* g) { return GdipDrawArc(g, pen, 0, 0, 20, 20, 90, 90); }, {9, 19}, {19, 10}},
      {"pie, float", [&](GpGraphics* g) { return GdipDrawPie(g, pen, 0, 0, 20, 20, 90, 90); }, {10, 14}, {15, 5}},
      {"ellipse, float", [&](GpGraphics* g) { return GdipDrawEllipse(g, pen, 0, 0, 20, 20); }, {0, 10}, {10, 10}},
  };
  for (const auto& c : cases) {
    TTestSurface surface(20, 20, 0);
    TGraphics g;
    OnDC(g, surface);
    ASSERT_EQ(c.Draw(g), Ok) << c.Name;
    EXPECT_EQ(surface.At(c.In.X, c.In.Y), Red) << c.Name;
    EXPECT_EQ(surface.At(c.Out.X, c.Out.Y), 0u) << c.Name;
  }
}

TEST_F(GdiplusShapes, ShapesCheckTheirArguments) {
  TTestSurface surface(4, 4, 0);
  TGraphics g;
  OnDC(g, surface);
  TBrush brush;
  Solid(brush, Red);
  TPen pen;
  MakePen(pen, Red, 1);
  const GpPoint points[3] = {{0, 0}, {3, 0}, {0, 3}};
  EXPECT_EQ(GdipDrawLinesI(g, pen, points, 1), InvalidParameter);
  EXPECT_EQ(GdipDrawLinesI(g, pen, nullptr, 3), InvalidParameter);
  EXPECT_EQ(GdipDrawPolygonI(g, pen, points, 2), InvalidParameter);
  EXPECT_EQ(GdipFillPolygonI(g, brush, points, 3, static_cast<GpFillMode>(2)), InvalidParameter);
  EXPECT_EQ(GdipFillRectangle(g, brush, 0, 0, INFINITY, 1), InvalidParameter);
  EXPECT_EQ(GdipFillRectangleI(g, nullptr, 0, 0, 1, 1), InvalidParameter);
  EXPECT_EQ(GdipFillRectangleI(g, reinterpret_cast<GpBrush*>(pen.Handle), 0, 0, 1, 1), InvalidParameter);
  EXPECT_EQ(GdipDrawLineI(g, nullptr, 0, 0, 1, 1), InvalidParameter);
  EXPECT_EQ(GdipDrawLineI(nullptr, pen, 0, 0, 1, 1), InvalidParameter);
  EXPECT_EQ(GdipDrawPath(g, pen, nullptr), InvalidParameter);
  EXPECT_EQ(GdipFillPath(g, brush, nullptr), InvalidParameter);
  // Empty shapes draw nothing.
  EXPECT_EQ(GdipFillRectangleI(g, brush, 1, 1, 0, 2), Ok);
  EXPECT_EQ(GdipFillEllipseI(g, brush, 1, 1, -2, 2), Ok);
  EXPECT_EQ(GdipDrawArcI(g, pen, 0, 0, 0, 0, 0, 90), Ok);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(surface.Bits[i], 0u);
}

}  // namespace

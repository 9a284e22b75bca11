// The canvas: its stacks of saved states, clipping, fills, frames, edges,
// inversion, the pie by angles, paths, images and view params, pixel by
// pixel on 32-bit surfaces.
#include <gtest/gtest.h>

#include "host/ImageLists.h"
#include "tests/graphics/CanvasTestSupport.h"

namespace {

constexpr DWORD Untouched = 0x00123456;

class Canvas : public TGdiLeakCheck {};

// Image drawing keeps its work bitmaps until the unit ends: ending it before
// the leak check shows that they are freed.
class CanvasImages : public TGdiLeakCheck {
 protected:
  void TearDown() override {
    RestartGraphicsUnit();
    TGdiLeakCheck::TearDown();
  }
};

// --- Fills ---------------------------------------------------------------------------

TEST_F(Canvas, FillRectByColour) {
  TCanvasOnSurface c(4, 1, Untouched);
  c.Canvas.FillRect({0, 0, 4, 1}, clNone);
  EXPECT_EQ(c.At(0, 0), Untouched) << "clNone paints nothing";
  c.Canvas.GetBrush()->SetColor(RGB(1, 2, 3));
  c.Canvas.FillRect({0, 0, 1, 1});
  EXPECT_EQ(c.At(0, 0), 0x00010203u) << "clDefault keeps the brush's colour";
  c.Canvas.FillRect({1, 0, 2, 1}, clBtnShadow);
  EXPECT_EQ(c.At(1, 0), PixelOf(clBtnShadow));
  EXPECT_EQ(c.Canvas.GetBrush()->GetColor(), clBtnShadow) << "the brush takes the colour";
  EXPECT_EQ(c.At(2, 0), Untouched);
}

TEST_F(Canvas, BitmapsTileFromTheLogicalOriginOnEitherSideOfIt) {
  // A 7 x 6 tile of distinct pixels.
  std::vector<DWORD> tilePixels;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x) tilePixels.push_back(0x00010000u * (x * 30 + 1) + 0x100u * (y * 40 + 1) + 7);
  TcxBitmapPtr tile = Bitmap32(7, 6, tilePixels);
  // Logical -10..29 on the surface's 0..39.
  TCanvasOnSurface c(40, 40, Untouched);
  c.Canvas.SetWindowOrg({-10, -10});
  c.Canvas.FillRect({-5, -5, 25, 25}, tile.get());
  const auto floorMod = [](int a, int b) { return ((a % b) + b) % b; };
  for (int y = -10; y < 30; ++y)
    for (int x = -10; x < 30; ++x) {
      const bool inside = x >= -5 && x < 25 && y >= -5 && y < 25;
      const DWORD expected = inside ? tilePixels[static_cast<size_t>(floorMod(y, 6) * 7 + floorMod(x, 7))] : Untouched;
      ASSERT_EQ(c.At(x + 10, y + 10), expected) << "logical " << x << ", " << y;
    }
}

TEST_F(Canvas, WithoutABitmapOrWithAnEmptyOneTheBrushFills) {
  TCanvasOnSurface c(3, 1, Untouched);
  c.Canvas.GetBrush()->SetColor(RGB(9, 8, 7));
  TBitmap empty;
  c.Canvas.FillRect({0, 0, 1, 1}, nullptr);
  c.Canvas.FillRect({1, 0, 2, 1}, &empty);
  c.Canvas.FillRect({2, 0, 2, 1}, &empty);
  EXPECT_EQ(c.At(0, 0), 0x00090807u);
  EXPECT_EQ(c.At(1, 0), 0x00090807u);
  EXPECT_EQ(c.At(2, 0), Untouched);
}

TEST_F(Canvas, FillingCanTakeTheRectangleOutOfTheClip) {
  TCanvasOnSurface c(4, 1, Untouched);
  c.Canvas.FillRect({1, 0, 3, 1}, TcxViewParams{nullptr, clRed}, true);
  EXPECT_EQ(c.Canvas.GetBrush()->GetColor(), clRed);
  c.Canvas.FillRect({0, 0, 4, 1}, clBlue);
  EXPECT_EQ(c.At(0, 0), PixelOf(clBlue));
  EXPECT_EQ(c.At(1, 0), PixelOf(clRed));
  EXPECT_EQ(c.At(2, 0), PixelOf(clRed));
  EXPECT_EQ(c.At(3, 0), PixelOf(clBlue));
}

TEST_F(Canvas, FramesByBordersAndWidths) {
  const struct {
    TcxBorders Borders;
    Integer Width;
    std::vector<std::string> Picture;
  } cases[] = {
      {cxBordersAll, 1, {"......", ".XXXX.", ".X..X.", ".X..X.", ".XXXX.", "......"}},
      {{bLeft, bBottom}, 2, {"......", ".XX...", ".XX...", ".XXXX.", ".XXXX.", "......"}},
      {{bTop}, 1, {"......", ".XXXX.", "......", "......", "......", "......"}},
      // Wider than half: exactly R.
      {cxBordersAll, 3, {"......", ".XXXX.", ".XXXX.", ".XXXX.", ".XXXX.", "......"}},
      {{}, 1, {"......", "......", "......", "......", "......", "......"}},
  };
  for (const auto& test : cases) {
    TCanvasOnSurface c(6, 6, Untouched);
    c.Canvas.FrameRect({1, 1, 5, 5}, clRed, test.Width, test.Borders);
    SCOPED_TRACE(test.Width);
    ExpectPicture(c.Surface, test.Picture, {{'.', Untouched}, {'X', PixelOf(clRed)}});
  }
  TCanvasOnSurface c(6, 6, Untouched);
  c.Canvas.FrameRect({1, 1, 5, 5}, clNone);
  c.Canvas.FrameRect({4, 1, 1, 5}, clRed);
  EXPECT_EQ(c.At(1, 1), Untouched) << "nothing for clNone or an empty rectangle";
  c.Canvas.GetBrush()->SetColor(clGreen);
  c.Canvas.FrameRect({0, 0, 2, 2}, clDefault, 1, cxBordersAll, true);
  c.Canvas.FillRect({0, 0, 6, 6}, clBlue);
  EXPECT_EQ(c.At(0, 0), PixelOf(clGreen)) << "the brush's colour, and the frame left out of the clip";
  EXPECT_EQ(c.At(2, 2), PixelOf(clBlue));
}

TEST_F(Canvas, RectanglesWithParamsFrameTheBordersAndFillTheRest) {
  TCanvasOnSurface c(6, 5, Untouched);
  c.Canvas.Rectangle({0, 0, 5, 5}, TcxViewParams{nullptr, clRed}, {bLeft, bBottom}, clBlue, 2, true);
  c.Canvas.FillRect({0, 0, 6, 5}, clGreen);
  ExpectPicture(c.Surface, {"BBRRRG", "BBRRRG", "BBRRRG", "BBBBBG", "BBBBBG"},
                {{'B', PixelOf(clBlue)}, {'R', PixelOf(clRed)}, {'G', PixelOf(clGreen)}});
}

TEST_F(Canvas, RegionsFilledAndFramedInLogicalCoordinates) {
  TCanvasOnSurface c(7, 5, Untouched);
  c.Canvas.SetWindowOrg({-1, 0});
  TcxRegion region(0, 0, 5, 4);
  c.Canvas.FillRegion(&region, clNone);
  c.Canvas.FrameRegion(&region, clNone);
  EXPECT_EQ(c.At(1, 0), Untouched) << "clNone paints nothing";
  c.Canvas.DrawRegion(&region, clRed, clBlue);
  ExpectPicture(c.Surface, {".BBBBB.", ".BRRRB.", ".BRRRB.", ".BBBBB.", "......."},
                {{'.', Untouched}, {'R', PixelOf(clRed)}, {'B', PixelOf(clBlue)}});
  c.Canvas.GetBrush()->SetColor(clLime);
  TcxRegion wide(0, 0, 5, 3);
  c.Canvas.FrameRegion(&wide, clDefault, 2, 1);
  ExpectPicture(c.Surface, {".GGGGG.", ".GGRGG.", ".GGGGG.", ".BBBBB.", "......."},
                {{'.', Untouched}, {'R', PixelOf(clRed)}, {'B', PixelOf(clBlue)}, {'G', PixelOf(clLime)}});
}

// --- Clipping -------------------------------------------------------------------------

TEST_F(Canvas, TheClipRegionWithAndWithoutTheOrigins) {
  TCanvasOnSurface c(60, 60, Untouched);
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 0, cxMaxRegionSize, cxMaxRegionSize}})) << "no clip";
  HRGN device = CreateRectRgn(10, 10, 50, 50);
  SelectClipRgn(c.Surface.DC, device);
  DeleteObject(device);
  c.Canvas.SetViewportOrg({10, 10});
  EXPECT_EQ(c.Canvas.GetDCOrigin(), cxPoint(10, 10));
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 0, 40, 40}})) << "logical (0, 0) is device (10, 10)";
  c.Canvas.SetViewportOrg({0, 0});
  c.Canvas.SetWindowOrg({10, 10});
  EXPECT_EQ(c.Canvas.GetDCOrigin(), cxPoint(-10, -10));
  EXPECT_TRUE(ClipIs(c.Canvas, {{20, 20, 60, 60}})) << "logical (20, 20) is device (10, 10)";
  const std::unique_ptr<TcxRegion, TFreeObject> raw(c.Canvas.GetClipRegion(false));
  EXPECT_EQ(raw->GetBoundsRect(), (TRect{10, 10, 50, 50}));
}

TEST_F(Canvas, SettingTheClipByEachOperation) {
  TCanvasOnSurface c(60, 60, Untouched);
  c.Canvas.SetWindowOrg({5, 5});
  c.Canvas.SetClipRegion(new TcxRegion(0, 0, 20, 20), roSet);
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 0, 20, 20}}));
  c.Canvas.SetClipRegion(new TcxRegion(30, 0, 40, 10), roAdd);
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 0, 20, 20}, {30, 0, 40, 10}}));
  c.Canvas.SetClipRegion(new TcxRegion(10, 0, 35, 5), roSubtract);
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 5, 20, 20}, {0, 0, 10, 5}, {35, 0, 40, 10}, {30, 5, 35, 10}}));
  TcxRegion kept(0, 0, 15, 15);
  c.Canvas.SetClipRegion(&kept, roIntersect, true, false);
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 5, 15, 15}, {0, 0, 10, 5}}));
  EXPECT_EQ(kept.GetBoundsRect(), (TRect{0, 0, 15, 15})) << "a region kept is left as it was";
  c.Canvas.SetClipRegion(&kept, roSet, true, false);
  EXPECT_EQ(kept.GetBoundsRect(), (TRect{0, 0, 15, 15}));
  c.Canvas.FillRect({-5, -5, 55, 55}, clRed);
  EXPECT_EQ(c.At(0, 0), PixelOf(clRed)) << "logical (5, 5)";
  EXPECT_EQ(c.At(9, 9), PixelOf(clRed)) << "logical (14, 14)";
  EXPECT_EQ(c.At(10, 10), Untouched);
}

TEST_F(Canvas, ExcludingFrameStripsByBorders) {
  const struct {
    TcxBorders Borders;
    std::initializer_list<RECT> Left;
  } cases[] = {
      {{}, {{0, 0, 10, 10}}},
      {{bLeft}, {{2, 0, 10, 10}}},
      {{bTop, bRight}, {{0, 2, 8, 10}}},
      {{bBottom}, {{0, 0, 10, 8}}},
      {cxBordersAll, {{2, 2, 8, 8}}},
  };
  for (const auto& test : cases) {
    TCanvasOnSurface c(20, 20, Untouched);
    c.Canvas.SetClipRegion(new TcxRegion(0, 0, 10, 10), roSet);
    c.Canvas.ExcludeFrameRect({0, 0, 10, 10}, 2, test.Borders);
    EXPECT_TRUE(ClipIs(c.Canvas, test.Left)) << test.Borders.Count();
  }
}

TEST_F(Canvas, VisibleRectangles) {
  TCanvasOnSurface c(40, 40, Untouched);
  c.Canvas.IntersectClipRect({0, 0, 10, 10});
  EXPECT_TRUE(c.Canvas.RectVisible({5, 5, 15, 15}));
  EXPECT_FALSE(c.Canvas.RectFullyVisible({5, 5, 15, 15}));
  EXPECT_TRUE(c.Canvas.RectFullyVisible({2, 2, 8, 8}));
  EXPECT_FALSE(c.Canvas.RectVisible({20, 20, 30, 30}));
  c.Canvas.ExcludeClipRect({4, 4, 6, 6});
  EXPECT_FALSE(c.Canvas.RectFullyVisible({2, 2, 8, 8}));
  EXPECT_TRUE(c.Canvas.RectVisible({2, 2, 8, 8}));
  EXPECT_FALSE(c.Canvas.RectVisible({4, 4, 6, 6}));
}

TEST_F(Canvas, SavedClipRegionsComeBackLatestFirst) {
  TCanvasOnSurface c(40, 40, Untouched);
  c.Canvas.RestoreClipRegion();
  c.Canvas.RestoreDC();
  c.Canvas.RestoreState();
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 0, cxMaxRegionSize, cxMaxRegionSize}})) << "empty stacks change nothing";
  c.Canvas.IntersectClipRect({0, 0, 30, 30});
  c.Canvas.SaveClipRegion();
  c.Canvas.IntersectClipRect({0, 0, 20, 20});
  c.Canvas.SaveClipRegion();
  c.Canvas.IntersectClipRect({0, 0, 10, 10});
  c.Canvas.RestoreClipRegion();
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 0, 20, 20}}));
  c.Canvas.RestoreClipRegion();
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 0, 30, 30}}));
  c.Canvas.RestoreClipRegion();
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 0, 30, 30}}));
}

// --- Saved states -----------------------------------------------------------------------

TEST_F(Canvas, SavedStatesBringBackFontBrushAndPen) {
  TCanvasOnSurface c(4, 4, Untouched);
  c.Canvas.GetFont()->SetName(u"DejaVu Sans");
  c.Canvas.GetFont()->SetColor(clRed);
  c.Canvas.GetBrush()->SetStyle(bsCross);
  c.Canvas.GetPen()->SetWidth(3);
  c.Canvas.SaveState();
  c.Canvas.GetFont()->SetName(u"Tahoma");
  c.Canvas.GetFont()->SetColor(clBlue);
  c.Canvas.GetBrush()->SetColor(clGreen);
  c.Canvas.GetPen()->SetMode(pmXor);
  c.Canvas.SetWindowOrg({3, 3});
  c.Canvas.RestoreState();
  EXPECT_EQ(c.Canvas.GetFont()->GetName(), u"DejaVu Sans");
  EXPECT_EQ(c.Canvas.GetFont()->GetColor(), clRed);
  EXPECT_EQ(c.Canvas.GetBrush()->GetColor(), clWhite);
  EXPECT_EQ(c.Canvas.GetBrush()->GetStyle(), bsCross);
  EXPECT_EQ(c.Canvas.GetPen()->GetWidth(), 3);
  EXPECT_EQ(c.Canvas.GetPen()->GetMode(), pmCopy);
  EXPECT_EQ(c.Canvas.GetWindowOrg(), cxNullPoint) << "with the device context's state";
  EXPECT_EQ(c.Host.GetLockCount(), 0);
}

TEST_F(Canvas, RestoringADeviceContextGivesItBackToTheHostCanvas) {
  TCanvasOnSurface c(4, 4, Untouched);
  TTestSurface other(4, 4, Untouched);
  c.Canvas.SaveDC();
  EXPECT_EQ(c.Host.GetLockCount(), 1) << "kept on its context meanwhile";
  c.Canvas.SetWindowOrg({7, 7});
  c.Host.SetHandle(other.DC);
  c.Canvas.RestoreDC();
  EXPECT_EQ(c.Host.GetHandle(), c.Surface.DC);
  EXPECT_EQ(c.Canvas.GetWindowOrg(), cxNullPoint);
  EXPECT_EQ(c.Host.GetLockCount(), 0);

  // A font changed in between is the one measured and drawn with after.
  c.Canvas.TextWidth(u"x");
  c.Canvas.SaveDC();
  c.Canvas.GetFont()->SetHeight(-30);
  c.Canvas.TextWidth(u"x");
  c.Canvas.RestoreDC();
  EXPECT_EQ(c.Canvas.TextHeight(u"x"), cxTextHeight(c.Canvas.GetFont()));
  EXPECT_EQ(GetCurrentObject(c.Surface.DC, OBJ_FONT), c.Canvas.GetFont()->GetHandle());
}

// --- Frames and edges --------------------------------------------------------------------

TEST_F(Canvas, ComplexFramesByBorders) {
  const struct {
    TcxBorders Borders;
    std::vector<std::string> Picture;
  } cases[] = {
      {cxBordersAll, {"aaaab", "a...b", "a...b", "bbbbb"}},
      {{bLeft, bBottom}, {"a....", "a....", "a....", "bbbbb"}},
      {{bTop, bRight}, {"aaaab", "....b", "....b", "....b"}},
      {{bRight}, {"....b", "....b", "....b", "....b"}},
  };
  for (const auto& test : cases) {
    TCanvasOnSurface c(5, 4, Untouched);
    c.Canvas.DrawComplexFrame({0, 0, 5, 4}, clRed, clBlue, test.Borders);
    ExpectPicture(c.Surface, test.Picture, {{'.', Untouched}, {'a', PixelOf(clRed)}, {'b', PixelOf(clBlue)}});
  }
  TCanvasOnSurface c(5, 4, Untouched);
  c.Canvas.DrawComplexFrame({0, 0, 5, 4}, clRed, clBlue, cxBordersAll, 2);
  ExpectPicture(c.Surface, {"aaabb", "aaabb", "bbbbb", "bbbbb"}, {{'a', PixelOf(clRed)}, {'b', PixelOf(clBlue)}});
}

class CanvasEdges : public TSysColourPictureTest {};

TEST_F(CanvasEdges, EachSunkenAndOuterCombination) {
  const struct {
    bool Sunken, Outer;
    std::vector<std::string> Picture;
  } cases[] = {
      {true, true, {"SSSH", "S..H", "HHHH"}},
      {true, false, {"DDDL", "D..L", "LLLL"}},
      {false, true, {"LLLD", "L..D", "DDDD"}},
      {false, false, {"HHHS", "H..S", "SSSS"}},
  };
  for (const auto& test : cases) {
    TCanvasOnSurface c(4, 3, Background);
    c.Canvas.DrawEdge({0, 0, 4, 3}, test.Sunken, test.Outer);
    ExpectPicture(c.Surface, test.Picture, Legend());
  }
  TCanvasOnSurface c(4, 3, Background);
  c.Canvas.DrawEdge({0, 0, 4, 3}, true, true, {bTop});
  ExpectPicture(c.Surface, {"SSSS", "....", "...."}, Legend());
}

TEST_F(Canvas, FocusFramesFlipAndFlipBack) {
  TCanvasOnSurface c(8, 8, Untouched);
  c.Canvas.DrawFocusRect({0, 0, 8, 8});
  // White on the even pixels of the frame, black (no change) on the odd.
  EXPECT_EQ(c.At(0, 0), Untouched ^ 0x00FFFFFF);
  EXPECT_EQ(c.At(1, 0), Untouched);
  EXPECT_EQ(c.At(7, 1), Untouched ^ 0x00FFFFFF);
  EXPECT_EQ(c.At(3, 3), Untouched);
  c.Canvas.DrawFocusRect({0, 0, 8, 8});
  for (int i = 0; i < 64; ++i) ASSERT_EQ(c.Surface.Bits[i], Untouched) << i;

  // Design selection: a frame at 0 and one a pixel inside it.
  c.Canvas.DrawDesignSelection({0, 0, 8, 8});
  EXPECT_EQ(c.At(0, 0), Untouched ^ 0x00FFFFFF);
  EXPECT_EQ(c.At(1, 1), Untouched ^ 0x00FFFFFF);
  EXPECT_EQ(c.At(2, 2), Untouched);
  EXPECT_EQ(c.At(4, 4), Untouched);
}

TEST_F(Canvas, FocusFramesOnSomeBorders) {
  TCanvasOnSurface c(6, 6, Untouched);
  c.Canvas.IntersectClipRect({0, 0, 6, 6});
  c.Canvas.DrawFocusRectEx({0, 0, 6, 6}, {}, true);
  for (int i = 0; i < 36; ++i) ASSERT_EQ(c.Surface.Bits[i], Untouched) << "no borders, nothing";
  c.Canvas.DrawFocusRectEx({0, 0, 6, 6}, {bTop}, true);
  const DWORD F = Untouched ^ 0x00FFFFFF, U = Untouched;
  // The corners belong to the left and right strips, which are left out.
  ExpectPicture(c.Surface, {"..F.F.", "......", "......", "......", "......", "......"}, {{'F', F}, {'.', U}});
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 1, 6, 6}})) << "the top strip left out of the clip";
}

TEST_F(Canvas, InvertingOnceAndSettingTheCopyModeBack) {
  TCanvasOnSurface c(7, 6, Untouched);
  c.Canvas.SetCopyMode(cmSrcInvert);
  c.Canvas.InvertRect({0, 0, 1, 1});
  EXPECT_EQ(c.At(0, 0), ~Untouched) << "every bit, alpha too";
  EXPECT_EQ(c.Canvas.GetCopyMode(), cmSrcCopy);

  TCanvasOnSurface frame(7, 6, Untouched);
  frame.Canvas.InvertFrame({0, 0, 7, 6}, 2);
  const DWORD I = ~Untouched, U = Untouched;
  ExpectPicture(frame.Surface, {"IIIIIII", "IIIIIII", "II...II", "II...II", "IIIIIII", "IIIIIII"}, {{'I', I}, {'.', U}});
  TCanvasOnSurface thick(7, 6, Untouched);
  thick.Canvas.InvertFrame({0, 0, 7, 6}, 4);
  for (int i = 0; i < 42; ++i) ASSERT_EQ(thick.Surface.Bits[i], I) << "strips wider than half, still once";
}

// --- Shapes and paths ----------------------------------------------------------------------

TEST_F(Canvas, PiesByAngles) {
  const auto pie = [](const TRect& R, Integer AStart, Integer ASweep) {
    auto c = std::make_unique<TCanvasOnSurface>(41, 41, Untouched);
    c->Canvas.GetBrush()->SetColor(clRed);
    c->Canvas.GetPen()->SetColor(clRed);
    c->Canvas.Pie(R, AStart, ASweep);
    return c;
  };
  const TRect R{0, 0, 41, 41};
  const DWORD red = PixelOf(clRed);
  const auto quarter = pie(R, 0, 90);
  EXPECT_EQ(quarter->At(30, 10), red) << "near the bisector, up and right";
  EXPECT_EQ(quarter->At(10, 30), Untouched) << "the opposite quadrant";
  EXPECT_EQ(quarter->At(10, 10), Untouched);
  const auto clockwise = pie(R, 0, -90);
  EXPECT_EQ(clockwise->At(30, 30), red);
  EXPECT_EQ(clockwise->At(30, 10), Untouched);
  const auto whole = pie(R, 45, 360);
  EXPECT_EQ(whole->At(10, 30), red);
  EXPECT_EQ(whole->At(30, 10), red);
  const auto big = pie(R, 0, 270);
  EXPECT_EQ(big->At(10, 30), red);
  EXPECT_EQ(big->At(30, 30), Untouched);
  // No sweep, no area, or a sweep too small to part the radials.
  const struct {
    TRect R;
    Integer Start, Sweep;
  } nothing[] = {{R, 0, 0}, {{5, 5, 5, 20}, 0, 90}, {{0, 0, 5, 5}, 10, 1}};
  for (const auto& test : nothing) {
    const auto c = pie(test.R, test.Start, test.Sweep);
    for (int i = 0; i < 41 * 41; ++i) ASSERT_EQ(c->Surface.Bits[i], Untouched) << test.Sweep << ": " << i;
  }
}

TEST_F(Canvas, PathsGiveRegionsInLogicalCoordinates) {
  TCanvasOnSurface c(40, 40, Untouched);
  c.Canvas.SetWindowOrg({5, 5});
  c.Canvas.BeginPath();
  c.Canvas.Rectangle({10, 10, 20, 15});
  c.Canvas.EndPath();
  for (int i = 0; i < 40 * 40; ++i) ASSERT_EQ(c.Surface.Bits[i], Untouched) << "drawn into the path, not the pixels";
  std::unique_ptr<TcxRegion, TFreeObject> region(c.Canvas.PathToRegion());
  EXPECT_EQ(region->GetBoundsRect(), (TRect{10, 10, 20, 15}));
  EXPECT_FALSE(region->IsEmpty());

  c.Canvas.BeginPath();
  c.Canvas.MoveTo(0, 0);
  c.Canvas.LineTo(30, 0);
  c.Canvas.LineTo(0, 30);
  c.Canvas.EndPath();
  region.reset(c.Canvas.PathToRegion(false));
  EXPECT_TRUE(region->PtInRegion(5, 5)) << "the centroid (10, 10) on the device";
  EXPECT_FALSE(region->PtInRegion(25, 25)) << "the box's far corner";

  c.Canvas.GetPen()->SetWidth(3);
  c.Canvas.BeginPath();
  c.Canvas.MoveTo(10, 10);
  c.Canvas.LineTo(20, 10);
  c.Canvas.EndPath();
  c.Canvas.WidenPath();
  region.reset(c.Canvas.PathToRegion());
  EXPECT_EQ(region->GetBoundsRect(), (TRect{9, 9, 22, 12})) << "as wide as the pen";
  region.reset(c.Canvas.PathToRegion());
  EXPECT_TRUE(region->IsEmpty()) << "no path, no region";
}

// --- Images -------------------------------------------------------------------------------

TEST_F(Canvas, ListImagesInsideASavedState) {
  TImageList list(nullptr);
  list.SetWidth(2);
  list.SetHeight(2);
  TBitmap strip;
  SetPixels32(strip, 2, 2, {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C});
  list.Add(&strip, nullptr);
  TCanvasOnSurface c(4, 4, Untouched);
  c.Canvas.IntersectClipRect({0, 0, 4, 4});
  c.Canvas.DrawImage(&list, 1, 1, 1);
  c.Canvas.DrawImage(&list, 1, 1, -1);
  for (int i = 0; i < 16; ++i) ASSERT_EQ(c.Surface.Bits[i], Untouched) << "no such image";
  c.Canvas.DrawImage(&list, 1, 1, 0);
  TCanvasOnSurface expected(4, 4, Untouched);
  list.Draw(&expected.Host, 1, 1, 0);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(c.Surface.Bits[i], expected.Surface.Bits[i]) << i;
  EXPECT_NE(c.At(1, 1), Untouched);
  EXPECT_EQ(c.Host.GetLockCount(), 0);
  EXPECT_TRUE(ClipIs(c.Canvas, {{0, 0, 4, 4}}));
}

TEST_F(CanvasImages, GlyphsOverABackgroundColour) {
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(2, 1);
  glyph.GetCanvas()->SetPixels(0, 0, RGB(10, 20, 30));
  glyph.GetCanvas()->SetPixels(1, 0, RGB(255, 0, 255));
  glyph.SetTransparentMode(tmFixed);
  glyph.SetTransparentColor(RGB(255, 0, 255));
  glyph.SetTransparent(true);
  TCanvasOnSurface c(3, 2, Untouched);
  c.Canvas.DrawGlyph(0, 0, &glyph);
  c.Canvas.DrawGlyph(1, 1, &glyph, true, clBlue);
  EXPECT_EQ(c.At(0, 0) & 0xFFFFFF, 0x000A141Eu);
  EXPECT_EQ(c.At(1, 0), Untouched) << "a transparent pixel over what is there";
  EXPECT_EQ(c.At(2, 1) & 0xFFFFFF, PixelOf(clBlue)) << "over the background colour";

  // Disabled as image drawing does it.
  TCanvasOnSurface disabled(3, 2, Untouched);
  disabled.Canvas.DrawGlyph(0, 0, &glyph, false);
  TTestSurface expected(3, 2, Untouched);
  cxDrawImage(expected.DC, {0, 0, 2, 1}, &glyph, nullptr, -1, ifmNormal, idmDisabled);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(disabled.Surface.Bits[i], expected.Bits[i]) << i;
}

// --- View params and bitmaps' canvases ---------------------------------------------------

TEST_F(Canvas, ViewParamsAndTheBrushColour) {
  TCanvasOnSurface c(1, 1, Untouched);
  TFont font;
  font.SetName(u"DejaVu Sans");
  c.Canvas.SetParams({nullptr, clRed, &font, clBlue});
  const TcxViewParams params = c.Canvas.GetParams();
  EXPECT_EQ(params.Bitmap, nullptr);
  EXPECT_EQ(params.Color, clRed);
  EXPECT_EQ(params.Font, c.Canvas.GetFont());
  EXPECT_EQ(params.Font->GetName(), u"DejaVu Sans");
  EXPECT_EQ(params.TextColor, clBlue);

  c.Canvas.GetBrush()->SetStyle(bsClear);
  c.Canvas.SetBrushColor(clRed);
  EXPECT_EQ(c.Canvas.GetBrush()->GetStyle(), bsClear) << "the same colour leaves the brush alone";
  c.Canvas.SetBrushColor(clGreen);
  EXPECT_EQ(c.Canvas.GetBrush()->GetStyle(), bsSolid);
}

TEST_F(Canvas, ABitmapsCanvasDrawsOnIt) {
  TcxBitmap32 bitmap(2, 1, true);
  TcxCanvas* canvas = bitmap.GetcxCanvas();
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(bitmap.GetcxCanvas(), canvas) << "made once";
  EXPECT_EQ(canvas->GetCanvas(), bitmap.GetCanvas());
  canvas->FillRect({1, 0, 2, 1}, clRed);
  EXPECT_EQ(PixelsOf(&bitmap), (std::vector<DWORD>{0, PixelOf(clRed)}));
  EXPECT_EQ(canvas->GetDpiX(), 96);
  EXPECT_EQ(canvas->GetDpiY(), 96);
}

}  // namespace

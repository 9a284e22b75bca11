#include "host/Canvas.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "host/Bitmaps.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

constexpr DWORD White = 0x00FFFFFF;

// A surface pixel (BGRA) from a GDI colour (0x00BBGGRR).
DWORD Bgra(COLORREF c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }
DWORD Rgb(const TTestSurface& s, int x, int y) { return s.At(x, y) & 0x00FFFFFF; }

class CanvasTest : public TGdiLeakCheck {};

TEST_F(CanvasTest, FillsAndFramesWithTheCurrentBrush) {
  TTestSurface s(10, 8, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.GetBrush()->SetColor(clRed);
  canvas.FillRect(Rect(2, 2, 6, 5));
  EXPECT_EQ(Rgb(s, 2, 2), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(Rgb(s, 5, 4), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(Rgb(s, 6, 4), White) << "right edge excluded";
  EXPECT_EQ(Rgb(s, 5, 5), White) << "bottom edge excluded";

  // A changed brush is selected afresh.
  canvas.GetBrush()->SetColor(clBtnFace);
  canvas.FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(Rgb(s, 0, 0), Bgra(GetSysColor(COLOR_BTNFACE)));

  canvas.GetBrush()->SetColor(clBlue);
  canvas.FrameRect(Rect(1, 1, 9, 7));
  EXPECT_EQ(Rgb(s, 1, 1), Bgra(RGB(0, 0, 255)));
  EXPECT_EQ(Rgb(s, 8, 6), Bgra(RGB(0, 0, 255)));
  EXPECT_EQ(Rgb(s, 2, 2), Bgra(RGB(255, 0, 0))) << "a frame leaves the inside alone";

  canvas.GetBrush()->SetStyle(bsClear);
  canvas.FillRect(Rect(0, 0, 10, 8));
  EXPECT_EQ(Rgb(s, 3, 3), Bgra(RGB(255, 0, 0))) << "a clear brush fills nothing";
}

TEST_F(CanvasTest, ShapesUseThePenOnTheEdgeAndTheBrushInside) {
  TTestSurface s(12, 12, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.GetPen()->SetColor(clRed);
  canvas.GetBrush()->SetColor(clLime);
  canvas.Rectangle(1, 1, 7, 7);
  EXPECT_EQ(Rgb(s, 1, 1), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(Rgb(s, 6, 3), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(Rgb(s, 3, 6), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(Rgb(s, 3, 3), Bgra(RGB(0, 255, 0)));
  EXPECT_EQ(Rgb(s, 7, 7), White);

  // A filled polygon with a clear pen shows only the brush.
  canvas.GetPen()->SetStyle(psClear);
  canvas.GetBrush()->SetColor(clBlue);
  const TPoint square[] = {{8, 8}, {11, 8}, {11, 11}, {8, 11}};
  canvas.Polygon(square);
  EXPECT_EQ(Rgb(s, 9, 9), Bgra(RGB(0, 0, 255)));

  canvas.GetPen()->SetStyle(psSolid);
  canvas.GetPen()->SetColor(clBlack);
  const TPoint corner[] = {{0, 11}, {0, 9}, {3, 9}};
  canvas.Polyline(corner);
  EXPECT_EQ(Rgb(s, 0, 10), 0u);
  EXPECT_EQ(Rgb(s, 2, 9), 0u);
  EXPECT_EQ(Rgb(s, 3, 9), White) << "the last point is left out";

  canvas.GetBrush()->SetColor(clYellow);
  canvas.Ellipse(Rect(0, 0, 12, 12));
  EXPECT_EQ(Rgb(s, 6, 6), Bgra(RGB(255, 255, 0)));
  EXPECT_EQ(Rgb(s, 0, 0), White) << "outside the ellipse";
  canvas.GetBrush()->SetColor(clFuchsia);
  canvas.RoundRect(2, 2, 10, 10, 4, 4);
  EXPECT_EQ(Rgb(s, 6, 6), Bgra(RGB(255, 0, 255)));
  EXPECT_EQ(Rgb(s, 6, 2), 0u) << "the pen on the edge";
}

TEST_F(CanvasTest, CurvesAndFloodFillsUseThePenAndTheBrush) {
  TTestSurface s(41, 41, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.GetPen()->SetColor(clRed);
  canvas.GetBrush()->SetColor(clLime);
  canvas.Pie(0, 0, 41, 41, 40, 20, 20, 0);  // the upper-right quarter
  EXPECT_EQ(Rgb(s, 28, 12), Bgra(RGB(0, 255, 0)));
  EXPECT_EQ(Rgb(s, 30, 20), Bgra(RGB(255, 0, 0))) << "its radial edge";
  EXPECT_EQ(Rgb(s, 12, 28), White);
  canvas.GetBrush()->SetColor(clBlue);
  canvas.FloodFill(28, 12, clRed, fsBorder);
  EXPECT_EQ(Rgb(s, 28, 12), Bgra(RGB(0, 0, 255))) << "refilled up to the red border";
  EXPECT_EQ(Rgb(s, 12, 28), White);
  canvas.MoveTo(0, 40);
  const TPoint curve[] = {{10, 30}, {30, 30}, {40, 40}};
  canvas.PolyBezierTo(curve);
  EXPECT_EQ(canvas.GetPenPos(), Point(40, 40));
}

TEST_F(CanvasTest, LinesMoveThePenAndHonourItsMode) {
  TTestSurface s(10, 4, 0x00102030);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.MoveTo(1, 1);
  canvas.LineTo(5, 1);
  EXPECT_EQ(canvas.GetPenPos(), Point(5, 1));
  EXPECT_EQ(Rgb(s, 1, 1), 0u);
  EXPECT_EQ(Rgb(s, 4, 1), 0u);
  EXPECT_EQ(Rgb(s, 5, 1), 0x00102030u);

  canvas.GetPen()->SetColor(clWhite);
  canvas.GetPen()->SetMode(pmXor);
  canvas.SetPenPos(Point(0, 2));
  canvas.LineTo(10, 2);
  EXPECT_EQ(Rgb(s, 3, 2), 0x00EFDFCFu);
  canvas.GetPen()->SetMode(pmNop);
  canvas.MoveTo(0, 3);
  canvas.LineTo(10, 3);
  EXPECT_EQ(Rgb(s, 3, 3), 0x00102030u);
  canvas.GetPen()->SetWidth(3);
  canvas.GetPen()->SetMode(pmCopy);
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 0);
  EXPECT_EQ(Rgb(s, 5, 1), White) << "three pixels wide";
}

TEST_F(CanvasTest, PixelsReadAndWriteColours) {
  TTestSurface s(4, 4, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.SetPixels(1, 2, clRed);
  canvas.SetPixels(2, 2, clHighlight);
  EXPECT_EQ(Rgb(s, 1, 2), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(canvas.GetPixels(1, 2), clRed);
  EXPECT_EQ(static_cast<COLORREF>(canvas.GetPixels(2, 2)), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.GetPixels(0, 0), clWhite);
}

// The colours of the pixels inside R.
std::set<DWORD> ColorsIn(const TTestSurface& s, const TRect& R) {
  std::set<DWORD> colors;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) colors.insert(Rgb(s, x, y));
  return colors;
}

TEST_F(CanvasTest, TextUsesTheFontAndFillsItsCellWithASolidBrush) {
  TTestSurface s(120, 40, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.GetFont()->SetHeight(-16);
  canvas.GetFont()->SetColor(clRed);
  canvas.GetFont()->SetQuality(fqNonAntialiased);
  canvas.GetBrush()->SetColor(clYellow);
  const TSize extent = canvas.TextExtent(u"Wide");
  ASSERT_GT(extent.cx, 0);
  canvas.TextOut(5, 5, u"Wide");
  const TRect cell = Bounds(5, 5, extent.cx, extent.cy);
  EXPECT_EQ(ColorsIn(s, cell), (std::set<DWORD>{Bgra(RGB(255, 0, 0)), Bgra(RGB(255, 255, 0))}));
  EXPECT_EQ(ColorsIn(s, Rect(0, 0, 120, 5)), std::set<DWORD>{White});
  EXPECT_EQ(ColorsIn(s, Rect(cell.Right, 0, 120, 40)), std::set<DWORD>{White});
  EXPECT_EQ(canvas.GetPenPos(), Point(5 + extent.cx, 5));

  // A clear brush leaves the background; a font without a colour of its own
  // draws in the window text colour.
  TTestSurface clear(120, 40, White);
  canvas.SetHandle(clear.DC);
  canvas.GetBrush()->SetStyle(bsClear);
  canvas.GetFont()->SetColor(clDefault);
  canvas.TextOut(5, 5, u"Wide");
  EXPECT_EQ(ColorsIn(clear, cell), (std::set<DWORD>{Bgra(GetSysColor(COLOR_WINDOWTEXT)), White}));
  canvas.SetHandle(nullptr);

  // A bigger font measures bigger once it is changed.
  canvas.GetFont()->SetHeight(-32);
  TTestSurface other(4, 4);
  canvas.SetHandle(other.DC);
  const TSize bigger = canvas.TextExtent(u"Wide");
  EXPECT_GT(bigger.cx, extent.cx);
  EXPECT_GT(bigger.cy, extent.cy);
  EXPECT_EQ(canvas.TextWidth(u"Wide"), bigger.cx);
  EXPECT_EQ(canvas.TextHeight(u"Wide"), bigger.cy);
}

TEST_F(CanvasTest, TextRectClipsToTheRectangleThatASolidBrushFills) {
  TTestSurface s(100, 30, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.GetFont()->SetHeight(-20);
  canvas.GetFont()->SetColor(clBlack);
  canvas.GetBrush()->SetColor(clAqua);
  const TRect r = Rect(10, 5, 30, 20);
  canvas.TextRect(r, 0, 0, u"MMMMMM");
  EXPECT_EQ(ColorsIn(s, Rect(0, 0, 100, 5)), std::set<DWORD>{White});
  EXPECT_EQ(ColorsIn(s, Rect(0, 0, 10, 30)), std::set<DWORD>{White});
  EXPECT_EQ(ColorsIn(s, Rect(30, 0, 100, 30)), std::set<DWORD>{White});
  EXPECT_EQ(ColorsIn(s, Rect(0, 20, 100, 30)), std::set<DWORD>{White});
  const std::set<DWORD> inside = ColorsIn(s, r);
  EXPECT_TRUE(inside.count(Bgra(RGB(0, 255, 255))));
  EXPECT_GT(inside.size(), 1u) << "text over the fill";
}

TEST_F(CanvasTest, AFocusRectangleDrawnTwiceLeavesNoTrace) {
  TTestSurface s(10, 10, 0x00336699);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.DrawFocusRect(Rect(1, 1, 9, 9));
  EXPECT_NE(ColorsIn(s, Rect(1, 1, 9, 2)), std::set<DWORD>{0x00336699});
  EXPECT_EQ(Rgb(s, 4, 4), 0x00336699u);
  canvas.DrawFocusRect(Rect(1, 1, 9, 9));
  EXPECT_EQ(ColorsIn(s, Rect(0, 0, 10, 10)), std::set<DWORD>{0x00336699});
}

TEST_F(CanvasTest, CopyRectUsesTheCopyMode) {
  TTestSurface from(4, 4, 0x00112233), to(8, 8, White);
  TCanvas source, dest;
  source.SetHandle(from.DC);
  dest.SetHandle(to.DC);
  dest.CopyRect(Rect(0, 0, 4, 4), &source, Rect(0, 0, 4, 4));
  EXPECT_EQ(ColorsIn(to, Rect(0, 0, 4, 4)), std::set<DWORD>{0x00112233});
  EXPECT_EQ(Rgb(to, 4, 4), White);
  dest.SetCopyMode(cmDstInvert);
  dest.CopyRect(Rect(0, 0, 2, 2), &source, Rect(0, 0, 2, 2));
  EXPECT_EQ(Rgb(to, 1, 1), 0x00EEDDCCu);
  EXPECT_EQ(Rgb(to, 2, 2), 0x00112233u);
  // Stretched: 4 x 4 onto 8 x 8.
  dest.SetCopyMode(cmSrcCopy);
  from.Bits[0] = 0x000000AA;
  dest.CopyRect(Rect(0, 0, 8, 8), &source, Rect(0, 0, 4, 4));
  EXPECT_EQ(ColorsIn(to, Rect(0, 0, 2, 2)), std::set<DWORD>{0x000000AA});
  EXPECT_EQ(Rgb(to, 2, 2), 0x00112233u);
}

// A 32-bit bitmap whose pixel (x, y) is Colors[y][x].
void Paint(TBitmap& B, const std::vector<std::vector<TColor>>& Colors) {
  B.SetPixelFormat(pf32bit);
  B.SetSize(static_cast<Integer>(Colors[0].size()), static_cast<Integer>(Colors.size()));
  for (size_t y = 0; y < Colors.size(); ++y)
    for (size_t x = 0; x < Colors[y].size(); ++x)
      B.GetCanvas()->SetPixels(static_cast<Integer>(x), static_cast<Integer>(y), Colors[y][x]);
}

TEST_F(CanvasTest, DrawAndStretchDrawPutABitmapAtItsSizeOrTheRectangles) {
  TBitmap bitmap;
  Paint(bitmap, {{clRed, clLime}, {clBlue, clBlack}});
  TTestSurface s(10, 10, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.Draw(3, 4, &bitmap);
  EXPECT_EQ(Rgb(s, 3, 4), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(Rgb(s, 4, 4), Bgra(RGB(0, 255, 0)));
  EXPECT_EQ(Rgb(s, 3, 5), Bgra(RGB(0, 0, 255)));
  EXPECT_EQ(Rgb(s, 4, 5), 0u);
  EXPECT_EQ(Rgb(s, 5, 5), White);
  EXPECT_EQ(Rgb(s, 3, 6), White);

  canvas.StretchDraw(Rect(0, 0, 4, 4), &bitmap);
  EXPECT_EQ(ColorsIn(s, Rect(0, 0, 2, 2)), std::set<DWORD>{Bgra(RGB(255, 0, 0))});
  EXPECT_EQ(ColorsIn(s, Rect(2, 2, 4, 4)), std::set<DWORD>{0});

  // Transparent: the pixels of the transparent colour keep the destination.
  TTestSurface t(4, 4, White);
  canvas.SetHandle(t.DC);
  bitmap.SetTransparent(true);
  bitmap.SetTransparentColor(clLime);
  canvas.Draw(0, 0, &bitmap);
  EXPECT_EQ(Rgb(t, 0, 0), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(Rgb(t, 1, 0), White);
  EXPECT_EQ(Rgb(t, 0, 1), Bgra(RGB(0, 0, 255)));
  EXPECT_EQ(Rgb(t, 1, 1), 0u);
  // tmAuto takes the bottom-left pixel.
  bitmap.SetTransparentMode(tmAuto);
  EXPECT_EQ(bitmap.GetTransparentColor(), clBlue);
  canvas.Draw(2, 2, &bitmap);
  EXPECT_EQ(Rgb(t, 2, 3), White);
  EXPECT_EQ(Rgb(t, 3, 2), Bgra(RGB(0, 255, 0)));

  TBitmap empty;
  canvas.Draw(0, 0, &empty);
  canvas.Draw(0, 0, nullptr);
}

TEST_F(CanvasTest, BrushCopyReplacesOneColourWithTheBrush) {
  TBitmap bitmap;
  Paint(bitmap, {{clRed, clLime, clRed}, {clLime, clBlue, clLime}});
  TTestSurface s(8, 4, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.GetBrush()->SetColor(clYellow);
  canvas.BrushCopy(Rect(1, 1, 4, 3), &bitmap, Rect(0, 0, 3, 2), clLime);
  const DWORD yellow = Bgra(RGB(255, 255, 0));
  EXPECT_EQ(Rgb(s, 1, 1), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(Rgb(s, 2, 1), yellow);
  EXPECT_EQ(Rgb(s, 3, 1), Bgra(RGB(255, 0, 0)));
  EXPECT_EQ(Rgb(s, 1, 2), yellow);
  EXPECT_EQ(Rgb(s, 2, 2), Bgra(RGB(0, 0, 255)));
  EXPECT_EQ(Rgb(s, 3, 2), yellow);
  EXPECT_EQ(Rgb(s, 4, 1), White);
  EXPECT_EQ(Rgb(s, 0, 0), White);
}

TEST_F(CanvasTest, ABrushWithABitmapFillsWithThePattern) {
  TBitmap pattern;
  Paint(pattern, {{clRed, clBlue}, {clBlue, clRed}});
  TTestSurface s(6, 6, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.GetBrush()->SetBitmap(&pattern);
  canvas.FillRect(Rect(0, 0, 6, 6));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(Rgb(s, x, y), (x + y) % 2 ? Bgra(RGB(0, 0, 255)) : Bgra(RGB(255, 0, 0))) << x << "," << y;
  canvas.GetBrush()->SetBitmap(nullptr);
}

TEST_F(CanvasTest, HandlesComeBackAsTheyWereAndWithoutAHandleNothingDraws) {
  TTestSurface a(4, 4, White), b(4, 4, White);
  HGDIOBJ font = GetCurrentObject(a.DC, OBJ_FONT);
  HGDIOBJ brush = GetCurrentObject(a.DC, OBJ_BRUSH);
  HGDIOBJ pen = GetCurrentObject(a.DC, OBJ_PEN);
  {
    TCanvas canvas;
    canvas.SetHandle(a.DC);
    canvas.Rectangle(0, 0, 3, 3);
    canvas.TextExtent(u"x");
    EXPECT_EQ(canvas.GetState(), (TCanvasStates{csHandleValid, csFontValid, csBrushValid, csPenValid}));
    EXPECT_EQ(GetCurrentObject(a.DC, OBJ_FONT), canvas.GetFont()->GetHandle());
    canvas.Refresh();
    EXPECT_EQ(canvas.GetState(), TCanvasStates{csHandleValid});
    EXPECT_EQ(GetCurrentObject(a.DC, OBJ_FONT), font);
    canvas.FillRect(Rect(0, 0, 1, 1));
    canvas.SetHandle(b.DC);
    EXPECT_EQ(GetCurrentObject(a.DC, OBJ_BRUSH), brush);
    canvas.LineTo(2, 2);
  }
  EXPECT_EQ(GetCurrentObject(a.DC, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(b.DC, OBJ_PEN), pen);

  TCanvas none;
  EXPECT_THROW(none.GetHandle(), EInvalidOperation);
  EXPECT_THROW(none.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST_F(CanvasTest, TheCanvasObjectsOnChangeIsFreeForTheirUsers) {
  TTestSurface s(40, 20, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  int fontChanges = 0, brushChanges = 0, penChanges = 0;
  canvas.GetFont()->OnChange = [&](TObject*) { ++fontChanges; };
  canvas.GetBrush()->OnChange = [&](TObject*) { ++brushChanges; };
  canvas.GetPen()->OnChange = [&](TObject*) { ++penChanges; };
  canvas.TextOut(0, 0, u"x");
  canvas.Rectangle(0, 0, 2, 2);
  // Each changes while selected: the canvas still lets go of the old handle
  // before it is deleted, and selects the new one when next needed.
  canvas.GetFont()->SetHeight(-14);
  canvas.GetBrush()->SetColor(clRed);
  canvas.GetPen()->SetColor(clBlue);
  EXPECT_EQ(fontChanges, 1);
  EXPECT_EQ(brushChanges, 1);
  EXPECT_EQ(penChanges, 1);
  canvas.Rectangle(10, 10, 14, 14);
  EXPECT_EQ(Rgb(s, 10, 10), Bgra(RGB(0, 0, 255)));
  EXPECT_EQ(Rgb(s, 12, 12), Bgra(RGB(255, 0, 0)));
  canvas.TextExtent(u"x");
  EXPECT_EQ(GetCurrentObject(s.DC, OBJ_FONT), canvas.GetFont()->GetHandle());
  LOGFONTW lf;
  GetObjectW(GetCurrentObject(s.DC, OBJ_FONT), sizeof(lf), &lf);
  EXPECT_EQ(lf.lfHeight, -14);
}

TEST_F(CanvasTest, DrawingIsAnnouncedBeforeAndAfter) {
  TTestSurface s(4, 4, White);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  std::vector<char> log;
  canvas.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &canvas);
    log.push_back('<');
  };
  canvas.OnChange = [&](TObject*) { log.push_back('>'); };
  canvas.FillRect(Rect(0, 0, 1, 1));
  canvas.TextOut(0, 0, u"a");
  canvas.TextExtent(u"a");  // measuring draws nothing
  canvas.MoveTo(1, 1);
  EXPECT_EQ(log, (std::vector<char>{'<', '>', '<', '>'}));
}

TEST_F(CanvasTest, ABitmapCanvasChangesTheBitmapAndALockKeepsItsHandle) {
  TBitmap bitmap(4, 4);
  int changes = 0;
  bitmap.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &bitmap);
    ++changes;
  };
  bitmap.GetCanvas()->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(changes, 1);

  HDC dc = bitmap.GetCanvas()->GetHandle();
  bitmap.SetSize(6, 6);
  EXPECT_FALSE(bitmap.GetCanvas()->HandleAllocated()) << "unlocked, the context is let go";
  bitmap.GetCanvas()->Lock();
  dc = bitmap.GetCanvas()->GetHandle();
  bitmap.SetSize(8, 3);
  ASSERT_TRUE(bitmap.GetCanvas()->HandleAllocated());
  EXPECT_EQ(bitmap.GetCanvas()->GetHandle(), dc);
  bitmap.GetCanvas()->GetBrush()->SetColor(clRed);
  bitmap.GetCanvas()->FillRect(Rect(7, 2, 8, 3));
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(7, 2), clRed) << "the locked context draws on the new image";
  bitmap.GetCanvas()->Unlock();
  EXPECT_EQ(bitmap.GetCanvas()->GetLockCount(), 0);
}

}  // namespace

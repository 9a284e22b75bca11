// The canvases beside the plain one: the nesting paint canvas, a control's
// canvas while it paints, the screen's, and the shared instances, which the
// unit's end frees and does not make again.
#include <gtest/gtest.h>

#include "tests/graphics/CanvasTestSupport.h"

namespace {

class Canvases : public TGdiLeakCheck {};

TPoint WindowOrgOf(HDC DC) {
  TPoint p;
  GetWindowOrgEx(DC, &p);
  return p;
}

TEST_F(Canvases, PaintsNestAndEachEndPutsItsContextBack) {
  TTestSurface first(4, 4), second(4, 4);
  SetWindowOrgEx(first.DC, 3, 3, nullptr);
  const HGDIOBJ font = GetCurrentObject(first.DC, OBJ_FONT), brush = GetCurrentObject(first.DC, OBJ_BRUSH);
  TcxPaintCanvas canvas;
  EXPECT_EQ(canvas.GetCanvas(), nullptr);
  canvas.EndPaint();  // nothing open: ignored

  canvas.BeginPaint(first.DC);
  EXPECT_EQ(canvas.GetHandle(), first.DC);
  canvas.SetWindowOrg({9, 9});
  canvas.GetBrush()->SetColor(clRed);
  canvas.FillRect({9, 9, 10, 10});
  EXPECT_EQ(first.At(0, 0), PixelOf(clRed));
  canvas.BeginPaint(second.DC);
  EXPECT_EQ(canvas.GetHandle(), second.DC);
  canvas.SetWindowOrg({1, 1});
  canvas.EndPaint();
  EXPECT_EQ(WindowOrgOf(second.DC), cxNullPoint);
  EXPECT_EQ(canvas.GetHandle(), first.DC) << "back on the first paint's context";
  EXPECT_EQ(WindowOrgOf(first.DC), cxPoint(9, 9)) << "still inside the first paint";
  canvas.EndPaint();
  EXPECT_EQ(WindowOrgOf(first.DC), cxPoint(3, 3));
  EXPECT_EQ(GetCurrentObject(first.DC, OBJ_FONT), font) << "the context's own objects selected again";
  EXPECT_EQ(GetCurrentObject(first.DC, OBJ_BRUSH), brush);
  EXPECT_EQ(canvas.GetCanvas(), nullptr);
  canvas.EndPaint();
  EXPECT_EQ(WindowOrgOf(first.DC), cxPoint(3, 3)) << "an extra end changes nothing";
}

TEST_F(Canvases, APaintTakesOnTheObjectsSelectedInTheContext) {
  TTestSurface s(4, 4);
  HFONT font = CreateFontW(-17, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, u"DejaVu Sans");
  HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(4, 5, 6));
  const HGDIOBJ oldFont = SelectObject(s.DC, font), oldPen = SelectObject(s.DC, pen);
  const HGDIOBJ oldBrush = SelectObject(s.DC, GetStockObject(NULL_BRUSH));
  SetTextColor(s.DC, RGB(7, 8, 9));
  SetROP2(s.DC, R2_XORPEN);
  {
    TcxPaintCanvas canvas;
    canvas.BeginPaint(s.DC);
    EXPECT_EQ(canvas.GetFont()->GetName(), u"DejaVu Sans");
    EXPECT_EQ(canvas.GetFont()->GetHeight(), -17);
    EXPECT_EQ(canvas.GetFont()->GetStyle(), TFontStyles{fsBold});
    EXPECT_EQ(canvas.GetFont()->GetColor(), RGB(7, 8, 9));
    EXPECT_EQ(canvas.GetBrush()->GetStyle(), bsClear);
    EXPECT_EQ(canvas.GetPen()->GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(canvas.GetPen()->GetStyle(), psDash);
    EXPECT_EQ(canvas.GetPen()->GetMode(), pmXor);
    canvas.EndPaint();
    SelectObject(s.DC, hatch);
    canvas.BeginPaint(s.DC);
    EXPECT_EQ(canvas.GetBrush()->GetStyle(), bsDiagCross);
    EXPECT_EQ(canvas.GetBrush()->GetColor(), RGB(4, 5, 6));
    canvas.EndPaint();
  }
  EXPECT_EQ(GetCurrentObject(s.DC, OBJ_BRUSH), hatch);
  SelectObject(s.DC, oldFont);
  SelectObject(s.DC, oldPen);
  SelectObject(s.DC, oldBrush);
  DeleteObject(font);
  DeleteObject(pen);
  DeleteObject(hatch);
}

TEST_F(Canvases, APaintOnAHostCanvasKeepsItsState) {
  TCanvasOnSurface c(2, 2, 0);
  c.Host.GetFont()->SetColor(clRed);
  TcxPaintCanvas canvas;
  canvas.BeginPaint(&c.Host);
  EXPECT_EQ(canvas.GetCanvas(), &c.Host);
  canvas.GetFont()->SetColor(clBlue);
  canvas.SetWindowOrg({1, 1});
  canvas.EndPaint();
  EXPECT_EQ(c.Host.GetFont()->GetColor(), clRed);
  EXPECT_EQ(WindowOrgOf(c.Surface.DC), cxNullPoint);
  EXPECT_EQ(canvas.GetCanvas(), nullptr);
}

TEST_F(Canvases, AControlsCanvasCountsFromTheOriginItsPaintFound) {
  TCanvasOnSurface c(20, 20, 0);
  TcxControlCanvas canvas(&c.Host);
  SetBrushOrgEx(c.Surface.DC, 2, 3, nullptr);
  SetWindowOrgEx(c.Surface.DC, 5, 7, nullptr);
  canvas.BeginPaint();
  TPoint brushOrigin;
  GetBrushOrgEx(c.Surface.DC, &brushOrigin);
  EXPECT_EQ(brushOrigin, cxPoint(5, 7));
  EXPECT_EQ(canvas.GetWindowOrg(), cxNullPoint);
  EXPECT_EQ(canvas.GetDCOrigin(), cxPoint(-5, -7)) << "from the context's own origins";
  canvas.SetWindowOrg({1, 2});
  EXPECT_EQ(WindowOrgOf(c.Surface.DC), cxPoint(6, 9));
  EXPECT_EQ(canvas.GetWindowOrg(), cxPoint(1, 2));
  canvas.EndPaint();
  GetBrushOrgEx(c.Surface.DC, &brushOrigin);
  EXPECT_EQ(brushOrigin, cxPoint(2, 3));
  EXPECT_EQ(canvas.GetWindowOrg(), cxPoint(6, 9));
}

// The shared canvases are made on demand and kept until the unit ends: the
// unit is started again before the leak check.
class SharedCanvases : public TGdiLeakCheck {
 protected:
  void TearDown() override {
    RestartGraphicsUnit();
    TGdiLeakCheck::TearDown();
  }
};

TEST_F(SharedCanvases, OneScreenCanvasOnTheDesktopsContext) {
  TcxScreenCanvas* screen = cxScreenCanvas();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(cxScreenCanvas(), screen);
  EXPECT_FALSE(screen->GetCanvas()->HandleAllocated()) << "taken when first needed";
  HDC dc = screen->GetHandle();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  screen->Dormant();
  EXPECT_FALSE(screen->GetCanvas()->HandleAllocated()) << "given back";
  EXPECT_NE(screen->GetHandle(), nullptr) << "and taken again";
  TcxPaintCanvas* paint = cxPaintCanvas();
  ASSERT_NE(paint, nullptr);
  EXPECT_EQ(cxPaintCanvas(), paint);
  EXPECT_EQ(paint->GetCanvas(), nullptr);
}

TEST_F(SharedCanvases, NoneAfterTheUnitHasEnded) {
  cxScreenCanvas()->GetHandle();
  dxUnitsLoader()->RemoveUnit(&FinalizeGraphics);
  EXPECT_EQ(cxScreenCanvas(), nullptr);
  EXPECT_EQ(cxPaintCanvas(), nullptr);
  EXPECT_EQ(PaintSkipList(), nullptr);
  dxUnitsLoader()->AddUnit(&InitializeGraphics, &FinalizeGraphics);
  EXPECT_NE(cxScreenCanvas(), nullptr) << "a new start makes them again";
  EXPECT_NE(PaintSkipList(), nullptr);
}

}  // namespace

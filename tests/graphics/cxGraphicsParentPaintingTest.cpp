// Painting a parent behind a control, on real windows of the headless
// desktop: a parent whose every pixel has a colour of its own, a child over
// it, a sibling beside the child, a framed control.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "tests/graphics/CanvasTestSupport.h"
#include "tests/host/ControlTestSupport.h"
#include "tests/platform/TestThemeScope.h"

namespace {

// The parent's pixel at (x, y) of its client area.
DWORD ParentPixel(int x, int y) { return static_cast<DWORD>((x * 4) << 16 | (y * 4) << 8 | 0x40); }

// Paints each pixel in the colour of its place; logs the messages it gets
// and whether it was painting a copy.
class TGradientControl : public TCustomControl {
 public:
  TGradientControl(TWinControl* AParent, const TRect& R) : TCustomControl(AParent) {
    SetParent(AParent);
    SetBoundsRect(R);
    std::vector<DWORD> pixels;
    for (int y = 0; y < cxRectHeight(R); ++y)
      for (int x = 0; x < cxRectWidth(R); ++x) pixels.push_back(ParentPixel(x, y));
    SetPixels32(FImage, cxRectWidth(R), cxRectHeight(R), pixels);
  }
  // Erasing and printing, with whether the erase was to memory (the context
  // in both parameters).
  std::vector<std::pair<UINT, bool>> Messages;
  int Paints = 0;
  bool PaintedACopy = false;
  std::function<void(TCanvas*)> AfterPaint;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_ERASEBKGND || Message.Msg == WM_PRINT)
      Messages.emplace_back(Message.Msg, Message.Msg == WM_ERASEBKGND && Message.WParam == static_cast<WPARAM>(Message.LParam));
    TCustomControl::WndProc(Message);
  }
  void Paint() override {
    ++Paints;
    PaintedACopy = GetControlState().Contains(csPaintCopy);
    GetCanvas()->Draw(0, 0, &FImage);
    if (AfterPaint) AfterPaint(GetCanvas());
  }

 private:
  TBitmap FImage;
};

// A control with a one-pixel frame around a client area in one colour; its
// parent is set once the whole object exists, so that its window has the
// frame.
class TFramedBox : public TCustomControl {
 public:
  TFramedBox(TWinControl* AParent, const TRect& R, TColor AFill) : TCustomControl(AParent), FFill(AFill) {
    SetBoundsRect(R);
  }

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_BORDER;
  }
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(FFill);
    GetCanvas()->FillRect(GetClientRect());
  }

 private:
  TColor FFill;
};

class ParentPainting : public TGdiLeakCheck {
 protected:
  static constexpr DWORD Untouched = 0x00123456;

  void SetUp() override {
    TGdiLeakCheck::SetUp();
    Form.reset(new TTestForm);
    Form->SetBounds(30, 30, 200, 150);
    Parent = new TGradientControl(Form.get(), {0, 0, 60, 40});
    Child = new TBox(Form.get(), Parent, {10, 8, 30, 20}, clRed);
    Sibling = new TBox(Form.get(), Parent, {20, 10, 30, 15}, clLime);
    Form->Show();
    PumpWithKeys();
    // What showing the form painted does not count.
    Parent->Messages.clear();
    Parent->Paints = 0;
  }
  void TearDown() override {
    Form.reset();
    Surface.reset();
    TGdiLeakCheck::TearDown();
  }

  // The child's background painted into a surface of its size.
  TCanvasOnSurface& ChildBackground(bool AWithChildren = true) {
    Surface.emplace(20, 12, Untouched);
    cxDrawTransparentControlBackground(Child, &Surface->Canvas, {0, 0, 20, 12}, AWithChildren);
    return *Surface;
  }

  // The pixel the parent shows at the child's (x, y), the sibling aside.
  static DWORD UnderChild(int x, int y) { return ParentPixel(x + 10, y + 8); }

  std::unique_ptr<TTestForm, TFreeObject> Form;
  TGradientControl* Parent = nullptr;
  TBox* Child = nullptr;
  TBox* Sibling = nullptr;
  std::optional<TCanvasOnSurface> Surface;
};

TEST_F(ParentPainting, TheParentsPixelsUnderTheControl) {
  TCanvasOnSurface& s = ChildBackground(false);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(s.At(x, y), UnderChild(x, y)) << x << ", " << y;
  EXPECT_TRUE(Parent->PaintedACopy);
  EXPECT_FALSE(Parent->GetControlState().Contains(csPaintCopy)) << "only while printed";
  const std::vector<std::pair<UINT, bool>> printed{{WM_PRINT, false}, {WM_ERASEBKGND, false}};
  EXPECT_EQ(Parent->Messages, printed);
  EXPECT_EQ(PaintSkipList()->GetCount(), 0) << "the control is skipped only meanwhile";
  EXPECT_EQ(Surface->Host.GetLockCount(), 0);
  EXPECT_EQ(Surface->Canvas.GetWindowOrg(), cxNullPoint);
}

TEST_F(ParentPainting, OtherChildrenWhenAskedUnlessSkipped) {
  // The sibling covers the child's (10..19, 2..6).
  const auto siblingShows = [](TCanvasOnSurface& s) {
    return s.At(10, 2) == PixelOf(clLime) && s.At(19, 6) == PixelOf(clLime) && s.At(9, 2) == UnderChild(9, 2) &&
           s.At(10, 7) == UnderChild(10, 7);
  };
  EXPECT_TRUE(siblingShows(ChildBackground(true)));
  EXPECT_FALSE(siblingShows(ChildBackground(false)));
  EXPECT_EQ(Surface->At(10, 2), UnderChild(10, 2));
  PaintSkipList()->Add(Sibling->GetHandle());
  EXPECT_EQ(ChildBackground(true).At(10, 2), UnderChild(10, 2)) << "skipped";
  PaintSkipList()->Remove(Sibling->GetHandle());
  Sibling->Hide();
  EXPECT_EQ(ChildBackground(true).At(10, 2), UnderChild(10, 2)) << "hidden";

  // A window of no control of the framework's: a button face over the
  // child's (0..5, 0..3).
  HWND button = CreateWindowExW(0, u"BUTTON", u"", WS_CHILD | WS_VISIBLE, 10, 8, 6, 4, Parent->GetHandle(), nullptr,
                                nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  TCanvasOnSurface& s = ChildBackground(true);
  EXPECT_NE(s.At(2, 1), UnderChild(2, 1));
  EXPECT_EQ(s.At(6, 1), UnderChild(6, 1));
  EXPECT_EQ(ChildBackground(false).At(2, 1), UnderChild(2, 1));
  DestroyWindow(button);
}

// The theme draws the parent alone; without a theme, or over a
// double-buffered parent, the parent is printed with its other children.
TEST_F(ParentPainting, ThemeParentBackgroundOnlyWhenThemedAndNotDoubleBuffered) {
  const auto themeBackground = [this] {
    Surface.emplace(20, 12, Untouched);
    cxDrawThemeParentBackground(Child, &Surface->Canvas, {0, 0, 20, 12});
    return Surface->At(10, 2);  // under the sibling
  };
  EXPECT_EQ(themeBackground(), PixelOf(clLime)) << "no theme";
  {
    TInstalledTheme theme(TTestTheme{});
    EXPECT_EQ(themeBackground(), UnderChild(10, 2)) << "themed";
    EXPECT_EQ(Surface->At(0, 0), UnderChild(0, 0));
    EXPECT_EQ(Surface->At(19, 11), UnderChild(19, 11));
    Parent->SetDoubleBuffered(true);
    EXPECT_EQ(themeBackground(), PixelOf(clLime)) << "double-buffered parent";
  }
  EXPECT_EQ(PaintSkipList()->GetCount(), 0);
}

TEST_F(ParentPainting, ADoubleBufferedParentIsErasedToMemoryFirst) {
  Parent->SetDoubleBuffered(true);
  TCanvasOnSurface& s = ChildBackground(false);
  const std::vector<std::pair<UINT, bool>> printed{{WM_ERASEBKGND, true}, {WM_PRINT, false}, {WM_ERASEBKGND, false}};
  EXPECT_EQ(Parent->Messages, printed);
  EXPECT_EQ(s.At(5, 5), UnderChild(5, 5));
}

TEST_F(ParentPainting, AParentAskingForItsOwnBackgroundAgainDoesNotRecurse) {
  // The parent draws what is under its child, which is itself.
  Parent->AfterPaint = [this](TCanvas* ACanvas) {
    TcxCanvas canvas(ACanvas);
    cxDrawTransparentControlBackground(Child, &canvas, {0, 0, 20, 12});
  };
  TCanvasOnSurface& s = ChildBackground();
  EXPECT_EQ(Parent->Paints, 1);
  EXPECT_EQ(s.At(0, 0), UnderChild(0, 0));
}

TEST_F(ParentPainting, NothingWithoutAParent) {
  Surface.emplace(4, 4, Untouched);
  cxDrawTransparentControlBackground(Form.get(), &Surface->Canvas, {0, 0, 4, 4});
  EXPECT_EQ(Surface->At(0, 0), Untouched);
  EXPECT_EQ(Parent->Paints, 0);
}

TEST_F(ParentPainting, TheWindowRegionLimitsWhatIsPrinted) {
  // The parent's shape ends at x = 20: the child's left half.
  SetWindowRgn(Parent->GetHandle(), CreateRectRgn(0, 0, 20, 40), FALSE);
  TCanvasOnSurface& s = ChildBackground(false);
  EXPECT_EQ(s.At(0, 0), UnderChild(0, 0));
  EXPECT_EQ(s.At(9, 11), UnderChild(9, 11));
  EXPECT_EQ(s.At(10, 0), Untouched);
  EXPECT_EQ(s.At(19, 11), Untouched);
}

TEST_F(ParentPainting, FramesPrintedWhereverTheOriginIs) {
  auto* framed = new TFramedBox(Form.get(), {100, 50, 110, 58}, clBlue);
  framed->SetParent(Form.get());
  framed->HandleNeeded();
  const DWORD frame = SysPixel(COLOR_WINDOWFRAME);
  for (const TPoint at : {cxPoint(0, 0), cxPoint(5, 3)}) {
    // From (0, 0) the window origin stays; elsewhere it moves, and the
    // window goes through a bitmap of its own.
    Surface.emplace(16, 12, Untouched);
    cxPaintControlTo(framed, &Surface->Canvas, at, {0, 0, 10, 8}, true, false);
    EXPECT_EQ(Surface->At(at.X, at.Y), frame) << at.X;
    EXPECT_EQ(Surface->At(at.X + 9, at.Y + 7), frame);
    EXPECT_EQ(Surface->At(at.X + 1, at.Y + 1), PixelOf(clBlue));
    EXPECT_EQ(Surface->At(at.X + 8, at.Y + 6), PixelOf(clBlue));
    EXPECT_EQ(Surface->At(at.X + 10, at.Y + 8), Untouched);
    if (at.X > 0) EXPECT_EQ(Surface->At(at.X - 1, at.Y - 1), Untouched);
  }
  // Without the frame, client coordinates.
  Surface.emplace(16, 12, Untouched);
  cxPaintControlTo(framed, &Surface->Canvas, cxPoint(2, 2), {0, 0, 8, 6}, false, false);
  EXPECT_EQ(Surface->At(2, 2), PixelOf(clBlue));
  EXPECT_EQ(Surface->At(9, 7), PixelOf(clBlue));
  EXPECT_EQ(Surface->At(10, 8), Untouched);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "platform/GdiText.h"
#include "platform/Painting.h"
#include "platform/backend/headless/Headless.h"
#include "tests/SurfacePixels.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), Green = RGB(0, 200, 0), Grey = RGB(90, 90, 90);

// Windows that paint their client area in one colour, whichever way they are
// asked to: WM_PAINT (with or without a DC) or WM_PRINTCLIENT.
class PaintingTest : public TWindowTest {
 protected:
  void SetUp() override {
    TWindowTest::SetUp();
    TestHandler() = [this](HWND h, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
      auto it = FColors.find(h);
      if (it == FColors.end()) return std::nullopt;
      if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(h, &ps);
        Fill(h, dc, it->second);
        if (!wParam) EndPaint(h, &ps);
        return 0;
      }
      if (msg == WM_PRINTCLIENT) {
        Fill(h, reinterpret_cast<HDC>(wParam), it->second);
        return 0;
      }
      return std::nullopt;
    };
  }
  void TearDown() override {
    for (auto& [color, brush] : FBrushes) DeleteObject(brush);
    TWindowTest::TearDown();
  }

  void Paints(HWND h, COLORREF color) { FColors[h] = color; }
  void Fill(HWND h, HDC dc, COLORREF color) {
    HBRUSH& brush = FBrushes[color];
    if (!brush) brush = CreateSolidBrush(color);
    RECT r;
    GetClientRect(h, &r);
    FillRect(dc, &r, brush);
  }

  static void Pump() {
    MSG m;
    for (int i = 0; i < 1000 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessageW(&m);
  }

  // A frameless visible popup at the screen's origin: its surface
  // coordinates are its client coordinates.
  static HWND Top(DWORD style = 0, RECT r = {0, 0, 120, 80}) { return Create(WS_POPUP | WS_VISIBLE | style, nullptr, r); }
  static HWND Child(HWND parent, RECT r, DWORD style = 0) { return Create(WS_CHILD | WS_VISIBLE | style, parent, r); }

 private:
  std::map<HWND, COLORREF> FColors;
  std::map<COLORREF, HBRUSH> FBrushes;
};

TEST_F(PaintingTest, PaintingErasesFirstAndHonoursTheResult) {
  HWND top = Top();
  Pump();
  // Shown: the frame, then the background, inside WM_PAINT.
  EXPECT_EQ(MessagesOf(top, {WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}),
            (std::vector<UINT>{WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}));

  struct TCase {
    BOOL Erase;
    LRESULT EraseResult;
    bool ErasedSent;
    BOOL FErase;
  } cases[] = {{FALSE, 1, false, FALSE}, {TRUE, 1, true, FALSE}, {TRUE, 0, true, TRUE}};
  for (const TCase& c : cases) {
    MessageLog().clear();
    BOOL fErase = -1;
    TestHandler() = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (msg == WM_ERASEBKGND) return c.EraseResult;
      if (msg != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      EXPECT_EQ(WindowFromDC(BeginPaint(h, &ps)), h);
      fErase = ps.fErase;
      EXPECT_EQ(ps.rcPaint.Left, 5);
      EXPECT_EQ(ps.rcPaint.Bottom, 30);
      EndPaint(h, &ps);
      return 0;
    };
    const RECT r{5, 6, 40, 30};
    InvalidateRect(top, &r, c.Erase);
    Pump();
    EXPECT_EQ(MessagesOf(top, {WM_ERASEBKGND}).size(), c.ErasedSent ? 1u : 0u) << c.Erase;
    EXPECT_EQ(fErase, c.FErase) << c.Erase << c.EraseResult;
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
  }

  // WM_PAINT with a DC paints into it and leaves the update region alone.
  TestHandler() = nullptr;
  MessageLog().clear();
  InvalidateRect(top, nullptr, TRUE);
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(WindowFromDC(memory), nullptr);
  SendMessageW(top, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  EXPECT_EQ(MessagesOf(top), (std::vector<UINT>{WM_PAINT}));
  EXPECT_TRUE(GetUpdateRect(top, nullptr, FALSE));
  DeleteDC(memory);
  Pump();
  DestroyWindow(top);
}

TEST_F(PaintingTest, InvalidationAndValidationOfRegions) {
  HWND top = Top();
  Pump();
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(top, update, FALSE), NULLREGION);
  const RECT a{0, 0, 10, 10}, b{20, 0, 30, 10}, part{0, 0, 5, 10};
  InvalidateRect(top, &a, FALSE);
  EXPECT_EQ(GetUpdateRgn(top, update, FALSE), SIMPLEREGION);
  HRGN second = CreateRectRgnIndirect(&b);
  InvalidateRgn(top, second, FALSE);
  EXPECT_EQ(GetUpdateRgn(top, update, FALSE), COMPLEXREGION);
  ValidateRect(top, &part);
  HRGN expected = CreateRectRgn(5, 0, 10, 10);
  HRGN other = CreateRectRgnIndirect(&b);
  CombineRgn(expected, expected, other, RGN_OR);
  GetUpdateRgn(top, update, FALSE);
  EXPECT_TRUE(EqualRgn(update, expected));
  RECT box;
  EXPECT_TRUE(GetUpdateRect(top, &box, FALSE));
  EXPECT_EQ(box.Left, 5);
  EXPECT_EQ(box.Right, 30);
  ValidateRgn(top, nullptr);
  EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
  // Outside the client area nothing is collected; hidden windows collect nothing.
  const RECT outside{200, 200, 300, 300};
  InvalidateRect(top, &outside, FALSE);
  EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
  ShowWindow(top, SW_HIDE);
  InvalidateRect(top, nullptr, FALSE);
  EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
  // RDW_INTERNALPAINT asks for WM_PAINT without an update region.
  ShowWindow(top, SW_SHOWNA);
  Pump();
  MessageLog().clear();
  RedrawWindow(top, nullptr, nullptr, RDW_INTERNALPAINT);
  Pump();
  EXPECT_EQ(MessagesOf(top, {WM_PAINT}).size(), 1u);
  for (HRGN r : {update, second, expected, other}) DeleteObject(r);
  DestroyWindow(top);
}

TEST_F(PaintingTest, ChildrenFollowTheParentsInvalidationByItsStyle) {
  struct TCase {
    DWORD ParentStyle;
    UINT Flags;
    bool ChildInvalid;
  } cases[] = {
      {0, RDW_INVALIDATE, true},
      {WS_CLIPCHILDREN, RDW_INVALIDATE, false},
      {WS_CLIPCHILDREN, RDW_INVALIDATE | RDW_ALLCHILDREN, true},
      {0, RDW_INVALIDATE | RDW_NOCHILDREN, false},
  };
  for (const TCase& c : cases) {
    HWND top = Top(c.ParentStyle);
    HWND child = Child(top, {10, 10, 50, 40});
    Pump();
    RedrawWindow(top, nullptr, nullptr, c.Flags);
    EXPECT_EQ(GetUpdateRect(child, nullptr, FALSE) != FALSE, c.ChildInvalid) << c.ParentStyle << " " << c.Flags;
    // The part over the child arrives in the child's coordinates.
    if (c.ChildInvalid) {
      RECT box;
      GetUpdateRect(child, &box, FALSE);
      EXPECT_EQ(box.Right, 40);
      EXPECT_EQ(box.Bottom, 30);
    }
    // Painting now reaches the child the same way, parent first.
    MessageLog().clear();
    RedrawWindow(top, nullptr, nullptr, c.Flags | RDW_UPDATENOW);
    const auto order = Deliveries({WM_PAINT});
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front().first, top);
    EXPECT_EQ(order.size(), c.ChildInvalid ? 2u : 1u);
    Pump();
    DestroyWindow(top);
  }
  // UpdateWindow paints at once, not through the queue.
  HWND top = Top();
  Pump();
  InvalidateRect(top, nullptr, FALSE);
  MessageLog().clear();
  UpdateWindow(top);
  EXPECT_EQ(MessagesOf(top, {WM_PAINT}).size(), 1u);
  EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
  DestroyWindow(top);
}

TEST_F(PaintingTest, ClipChildrenKeepsTheParentOffItsChildren) {
  for (DWORD style : {DWORD{WS_CLIPCHILDREN}, DWORD{0}}) {
    HWND top = Top(style);
    HWND child = Child(top, {10, 10, 50, 40});
    Paints(top, Blue);
    Paints(child, Red);
    Pump();
    EXPECT_EQ(PixelOf(top, 20, 20), Red);
    EXPECT_EQ(PixelOf(top, 5, 5), Blue);
    // The parent alone paints again.
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(PixelOf(top, 20, 20), style ? Red : Blue) << style;
    EXPECT_EQ(PixelOf(top, 5, 5), Blue);
    Pump();
    DestroyWindow(top);
  }
}

TEST_F(PaintingTest, SiblingsClipOnlyWithTheStyle) {
  for (DWORD style : {DWORD{WS_CLIPSIBLINGS}, DWORD{0}}) {
    HWND top = Top(WS_CLIPCHILDREN);
    HWND upper = Child(top, {10, 10, 50, 40});  // created first: above the next one
    HWND lower = Child(top, {30, 20, 90, 60}, style);
    Paints(top, Blue);
    Paints(upper, Red);
    Paints(lower, Green);
    Pump();
    RedrawWindow(lower, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(PixelOf(top, 40, 30), style ? Red : Green) << style;  // where they overlap
    EXPECT_EQ(PixelOf(top, 80, 50), Green);
    EXPECT_EQ(PixelOf(top, 15, 15), Red);
    Pump();
    DestroyWindow(top);
  }
}

TEST_F(PaintingTest, WindowRegionsShapePaintingAndReadBack) {
  HWND top = Top(WS_CLIPCHILDREN);
  HWND child = Child(top, {10, 10, 60, 60});
  Paints(top, Blue);
  Paints(child, Red);
  HRGN none = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(child, none), ERROR);
  const int live = GetLiveGdiObjectCount();
  EXPECT_TRUE(SetWindowRgn(child, CreateRectRgn(0, 0, 20, 20), TRUE));
  EXPECT_EQ(GetLiveGdiObjectCount(), live);  // the window took the region over
  Pump();
  EXPECT_EQ(PixelOf(top, 15, 15), Red);
  EXPECT_EQ(PixelOf(top, 40, 40), Blue);  // inside the child's rectangle, outside its shape
  HRGN shape = CreateRectRgn(0, 0, 0, 0), expected = CreateRectRgn(0, 0, 20, 20);
  EXPECT_EQ(GetWindowRgn(child, shape), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(shape, expected));
  SetWindowRgn(child, nullptr, TRUE);
  Pump();
  EXPECT_EQ(PixelOf(top, 40, 40), Red);
  for (HRGN r : {none, shape, expected}) DeleteObject(r);
  DestroyWindow(top);
}

TEST_F(PaintingTest, PrintDrawsAWindowWithItsChildrenIntoAnyDC) {
  HWND top = Create(WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, nullptr, {0, 0, 100, 60});  // never shown
  HWND child = Child(top, {10, 10, 40, 30});
  HWND hidden = Create(WS_CHILD, top, {50, 10, 80, 30});
  Paints(top, Blue);
  Paints(child, Red);
  Paints(hidden, Green);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 100;
  bi.bmiHeader.biHeight = -60;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP target = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, target);
  SendMessageW(top, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
  EXPECT_EQ(GetPixel(memory, 0, 0), GetSysColor(COLOR_WINDOWFRAME));  // the border
  EXPECT_EQ(GetPixel(memory, 5, 5), Blue);
  EXPECT_EQ(GetPixel(memory, 1 + 10 + 5, 1 + 10 + 5), Red);  // the child, inside the border
  EXPECT_EQ(GetPixel(memory, 1 + 60, 1 + 15), Blue);         // the hidden child is left out
  // Without PRF_CHILDREN only the window itself; PRF_CHECKVISIBLE skips it
  // while hidden.
  PatBlt(memory, 0, 0, 100, 60, BLACKNESS);
  SendMessageW(top, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  EXPECT_EQ(GetPixel(memory, 15, 15), Blue);
  PatBlt(memory, 0, 0, 100, 60, BLACKNESS);
  SendMessageW(top, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_CHECKVISIBLE);
  EXPECT_EQ(GetPixel(memory, 15, 15), RGB(0, 0, 0));
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(target);
  DestroyWindow(top);
}

TEST_F(PaintingTest, WindowDCsSitOnTheWindowAndStayInsideIt) {
  HWND top = Top(WS_CLIPCHILDREN, {0, 0, 120, 80});
  HWND child = Child(top, {30, 20, 70, 50}, 0);
  Pump();
  RECT changed;
  ASSERT_TRUE(TakeHeadlessChanges(top, &changed));
  HDC dc = GetDC(child);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.Left, 0);
  EXPECT_EQ(box.Right, 40);
  POINT p{0, 0};
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p.X, 0);
  EXPECT_EQ(GetObjectType(dc), OBJ_DC);
  EXPECT_EQ(WindowFromDC(dc), child);
  EXPECT_FALSE(DeleteDC(dc));
  HBRUSH grey = CreateSolidBrush(Grey);
  const RECT everything{-100, -100, 500, 500};
  FillRect(dc, &everything, grey);  // cannot leave the child
  EXPECT_EQ(PixelOf(top, 30, 20), Grey);
  EXPECT_EQ(PixelOf(top, 69, 49), Grey);
  EXPECT_NE(PixelOf(top, 29, 20), Grey);
  EXPECT_NE(PixelOf(top, 70, 49), Grey);
  // A clip region in the DC's own coordinates.
  HRGN corner = CreateRectRgn(0, 0, 5, 5);
  SelectClipRgn(dc, corner);
  HRGN back = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, back), 1);
  EXPECT_TRUE(EqualRgn(back, corner));
  EXPECT_EQ(ReleaseDC(child, dc), 1);
  ASSERT_TRUE(TakeHeadlessChanges(top, &changed));
  EXPECT_EQ(changed.Left, 30);  // the backend learns what was drawn on
  EXPECT_EQ(changed.Bottom, 50);

  // The desktop's DC measures text like any other.
  HDC screen = GetDCEx(GetDesktopWindow(), nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  SIZE size;
  EXPECT_TRUE(GetTextExtentPoint32W(screen, u"Zq", 2, &size));
  EXPECT_GT(size.cy, 0);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(ReleaseDC(GetDesktopWindow(), screen), 1);
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(grey), static_cast<HGDIOBJ>(corner), static_cast<HGDIOBJ>(back)})
    DeleteObject(o);
  DestroyWindow(top);
}

TEST_F(PaintingTest, SetRedrawStopsAndResumesUpdates) {
  HWND top = Top();
  HWND child = Child(top, {10, 10, 50, 40});
  Pump();
  SendMessageW(child, WM_SETREDRAW, FALSE, 0);
  InvalidateRect(child, nullptr, TRUE);
  EXPECT_FALSE(GetUpdateRect(child, nullptr, FALSE));
  SendMessageW(child, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(child, nullptr, TRUE);
  EXPECT_TRUE(GetUpdateRect(child, nullptr, FALSE));
  Pump();
  DestroyWindow(top);
}

TEST_F(PaintingTest, TheComposedImageReadsBackAndSavesAsPng) {
  HWND top = Top(WS_CLIPCHILDREN, {0, 0, 64, 48});
  HWND child = Child(top, {8, 8, 24, 24});
  Paints(top, Blue);
  Paints(child, Red);
  Pump();
  HBITMAP copy = CopyHeadlessSurface(top);
  BITMAP bm;
  ASSERT_EQ(GetObjectW(copy, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 64);
  EXPECT_EQ(bm.bmHeight, 48);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  DeleteObject(copy);
  EXPECT_EQ(PixelOf(top, 10, 10), Red);
  EXPECT_EQ(PixelOf(top, 30, 30), Blue);
  const std::string path = ::testing::TempDir() + "composed.png";
  ASSERT_TRUE(SaveHeadlessSurfacePng(top, path.c_str()));
  std::ifstream in(path, std::ios::binary);
  char signature[8] = {};
  in.read(signature, 8);
  EXPECT_EQ(std::string(signature, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  std::remove(path.c_str());
  EXPECT_FALSE(SaveHeadlessSurfacePng(child, path.c_str()));  // children have no surface of their own
  DestroyWindow(top);
}

}  // namespace

// The scope guards: device-context state and finishing work go back when a
// scope ends, whether it ends normally or by an exception.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/DcGuards.h"
#include "platform/ScopeExit.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

using DcGuards = TGdiLeakCheck;

struct TDrawingFailed : std::runtime_error {
  TDrawingFailed() : std::runtime_error("drawing failed") {}
};

TEST_F(DcGuards, ASavedDCComesBackWithItsLevelHoweverTheScopeEnds) {
  TTestSurface s(4, 4);
  SetBkColor(s.DC, RGB(1, 2, 3));
  {
    TSavedDC saved(s.DC);
    SetBkColor(s.DC, RGB(9, 9, 9));
    SetWindowOrgEx(s.DC, 5, 6, nullptr);
  }
  EXPECT_EQ(GetBkColor(s.DC), RGB(1, 2, 3));
  POINT origin;
  GetWindowOrgEx(s.DC, &origin);
  EXPECT_EQ(origin, (POINT{0, 0}));
  EXPECT_THROW(
      {
        TSavedDC saved(s.DC);
        SetBkColor(s.DC, RGB(7, 7, 7));
        throw TDrawingFailed();
      },
      TDrawingFailed);
  EXPECT_EQ(GetBkColor(s.DC), RGB(1, 2, 3));
  // Both saves were taken back: the next one is the first level again.
  EXPECT_EQ(SaveDC(s.DC), 1);
  RestoreDC(s.DC, -1);
}

TEST_F(DcGuards, ASelectedObjectGivesItsPlaceBack) {
  TTestSurface s(4, 4);
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  EXPECT_THROW(
      {
        TSelectedObject selected(s.DC, brush);
        EXPECT_EQ(GetCurrentObject(s.DC, OBJ_BRUSH), brush);
        throw TDrawingFailed();
      },
      TDrawingFailed);
  EXPECT_EQ(GetCurrentObject(s.DC, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(brush)) << "no longer selected";
}

TEST_F(DcGuards, AMemoryDCGoesWithTheBitmapItOwns) {
  const int before = GetLiveGdiObjectCount();
  HBITMAP bitmap = CreateBitmap(3, 2, 1, 1, nullptr);
  {
    TMemoryDC dc(nullptr, bitmap);
    ASSERT_NE(dc.Handle(), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    EXPECT_EQ(GetLiveGdiObjectCount(), before + 2);
  }
  EXPECT_EQ(GetLiveGdiObjectCount(), before);
  EXPECT_FALSE(DeleteObject(bitmap)) << "deleted with the DC";
  // A bare one leaves a bitmap selected for a while to its owner.
  HBITMAP kept = CreateBitmap(3, 2, 1, 1, nullptr);
  {
    TMemoryDC dc;
    TSelectedObject selected(dc, kept);
    EXPECT_EQ(GetLiveGdiObjectCount(), before + 2);
  }
  EXPECT_EQ(GetLiveGdiObjectCount(), before + 1);
  EXPECT_TRUE(DeleteObject(kept));
}

TEST(ScopeExit, RunsAtTheEndAndLetsItsOwnExceptionOutUnlessAnotherIsUnderWay) {
  std::vector<std::string> log;
  {
    TScopeExit done([&] { log.push_back("normal"); });
  }
  EXPECT_THROW(
      {
        TScopeExit done([&] { log.push_back("unwinding"); });
        throw TDrawingFailed();
      },
      TDrawingFailed);
  EXPECT_EQ(log, (std::vector<std::string>{"normal", "unwinding"}));
  EXPECT_THROW({ TScopeExit fails([] { throw std::logic_error("undo failed"); }); }, std::logic_error);
  // The first exception goes on; the action's own is dropped.
  EXPECT_THROW(
      {
        TScopeExit fails([] { throw std::logic_error("undo failed"); });
        throw TDrawingFailed();
      },
      TDrawingFailed);
}

}  // namespace

// The region wrapper.
#include <gtest/gtest.h>

#include "platform/Painting.h"
#include "platform/WindowManager.h"
#include "platform/WindowStyles.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

class Regions : public TGdiLeakCheck {};

TEST_F(Regions, EveryConstructorMakesTheRegionItNames) {
  TcxRegion empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.GetBoundsRect(), cxNullRect);

  TcxRegion rect(TRect{1, 2, 5, 4});
  EXPECT_EQ(rect.GetBoundsRect(), (TRect{1, 2, 5, 4}));
  EXPECT_FALSE(rect.IsEmpty());
  TcxRegion coordinates(1, 2, 5, 4);
  EXPECT_TRUE(coordinates.IsEqual(&rect));

  const int live = GetLiveGdiObjectCount();
  {
    TcxRegion adopted(CreateRectRgn(0, 0, 3, 3));
    EXPECT_EQ(adopted.GetBoundsRect(), (TRect{0, 0, 3, 3}));
    EXPECT_EQ(GetLiveGdiObjectCount(), live + 1);
  }
  EXPECT_EQ(GetLiveGdiObjectCount(), live) << "the region taken over goes with the object";

  // Round corners start a pixel in at the left and top.
  TcxRegion round(TRect{0, 0, 20, 20}, 10, 10);
  EXPECT_FALSE(round.PtInRegion(1, 1)) << "a corner pixel";
  EXPECT_FALSE(round.PtInRegion(0, 10)) << "left of the region's box";
  EXPECT_TRUE(round.PtInRegion(1, 10));
  EXPECT_TRUE(round.PtInRegion(10, 10)) << "the centre";
  EXPECT_TRUE(round.PtInRegion(cxPoint(10, 1)));
}

TEST_F(Regions, AWindowGivesItsRegionOrItsRectangle) {
  HWND window = CreateWindowExW(0, u"BUTTON", u"", WS_POPUP, 10, 20, 30, 40, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  {
    TcxRegion plain(window);
    EXPECT_TRUE(plain.IsEqual(TcxRegion(0, 0, 30, 40).GetHandle())) << "window coordinates";
  }
  SetWindowRgn(window, RegionOf({{2, 2, 8, 6}, {5, 6, 9, 9}}), FALSE);
  {
    TcxRegion shaped(window);
    HRGN expected = RegionOf({{2, 2, 8, 6}, {5, 6, 9, 9}});
    EXPECT_TRUE(shaped.IsEqual(expected));
    DeleteObject(expected);
  }
  DestroyWindow(window);
}

TEST_F(Regions, CombineWithEachOperation) {
  const struct {
    TcxRegionOperation Operation;
    std::initializer_list<TRect> Expected;
  } cases[] = {
      {roSet, {{2, 2, 6, 6}}},
      {roAdd, {{0, 0, 4, 4}, {2, 2, 6, 6}}},
      {roSubtract, {{0, 0, 4, 2}, {0, 2, 2, 4}}},
      {roIntersect, {{2, 2, 4, 4}}},
  };
  for (const auto& c : cases) {
    HRGN expected = RegionOf(c.Expected);
    TcxRegion region(0, 0, 4, 4);
    const int live = GetLiveGdiObjectCount();
    region.Combine(new TcxRegion(2, 2, 6, 6), c.Operation);
    EXPECT_EQ(GetLiveGdiObjectCount(), live) << "the other region destroyed";
    EXPECT_TRUE(region.IsEqual(expected)) << c.Operation;

    TcxRegion kept(2, 2, 6, 6), again(0, 0, 4, 4);
    again.Combine(&kept, c.Operation, false);
    EXPECT_TRUE(again.IsEqual(expected)) << c.Operation;
    EXPECT_EQ(kept.GetBoundsRect(), (TRect{2, 2, 6, 6})) << "kept as it was";

    TcxRegion byRect(0, 0, 4, 4);
    byRect.Combine(TRect{2, 2, 6, 6}, c.Operation);
    EXPECT_TRUE(byRect.IsEqual(expected)) << c.Operation;
    DeleteObject(expected);
  }
}

TEST_F(Regions, EmptyRegionsAreEqualWhereverTheyLie) {
  TcxRegion first, second(5, 5, 5, 9), third(TRect{9, 3, 9, 9});
  EXPECT_TRUE(first.IsEqual(&second));
  EXPECT_TRUE(third.IsEqual(&first));
  EXPECT_EQ(third.GetBoundsRect(), cxNullRect);
  TcxRegion some(0, 0, 1, 1);
  EXPECT_FALSE(first.IsEqual(&some));
  EXPECT_FALSE(some.IsEqual(&first));
  EXPECT_FALSE(some.IsEqual(static_cast<TcxRegion*>(nullptr)));

  TcxRegion emptied(0, 0, 4, 4);
  emptied.Combine(TRect{0, 0, 4, 4}, roSubtract);
  EXPECT_TRUE(emptied.IsEmpty());
  EXPECT_EQ(emptied.GetBoundsRect(), cxNullRect);
}

TEST_F(Regions, OffsetAndHitTests) {
  TcxRegion region(0, 0, 4, 3);
  region.Offset(2, 1);
  EXPECT_EQ(region.GetBoundsRect(), (TRect{2, 1, 6, 4}));
  region.Offset(cxPoint(-1, 0));
  EXPECT_EQ(region.GetBoundsRect(), (TRect{1, 1, 5, 4}));
  EXPECT_TRUE(region.PtInRegion(1, 1));
  EXPECT_FALSE(region.PtInRegion(5, 1)) << "right edge excluded";
  EXPECT_TRUE(region.RectInRegion(TRect{4, 3, 9, 9}));
  EXPECT_FALSE(region.RectInRegion(TRect{5, 4, 9, 9}));
}

}  // namespace

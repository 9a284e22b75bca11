#include "graphics/cxGeometry.h"

#include <gtest/gtest.h>

#include "host/Exceptions.h"

namespace {

TEST(Geometry, ConstantsAndConstructors) {
  EXPECT_EQ(cxNullRect, (TRect{0, 0, 0, 0}));
  EXPECT_EQ(cxNullSize, (TSize{0, 0}));
  EXPECT_EQ(cxNullPoint, (TPoint{0, 0}));
  EXPECT_EQ(cxSimpleRect, (TRect{1, 1, 1, 1}));
  EXPECT_EQ(cxSimplePoint, (TPoint{1, 1}));
  EXPECT_EQ(cxInvalidPoint, (TPoint{-1, -1}));
  EXPECT_EQ(cxRect(cxPoint(1, 2), cxPoint(30, 40)), (TRect{1, 2, 30, 40}));
  EXPECT_EQ(cxPointOffset(cxPoint(5, 6), 2, 3), cxPoint(7, 9));
  EXPECT_EQ(cxPointOffset(cxPoint(5, 6), 2, 3, false), cxPoint(3, 3));
  EXPECT_TRUE(cxSizeIsEqual(cxSize(3, 4), cxSize(3, 4)));
  EXPECT_FALSE(cxSizeIsEqual(cxSize(3, 4), cxSize(4, 3)));
  EXPECT_EQ(dxRectF(1.5f, 2, 3, 4), dxRectF(1.5f, 2, 3, 4));
  EXPECT_NE(dxRectF(1.5f, 2, 3, 4), dxRectF(1.5f, 2, 3, 4.25f));
  EXPECT_EQ(dxPointF(0.5f, 1), (TdxPointF{0.5f, 1}));
}

TEST(Geometry, RectangleHelpers) {
  const TRect r{10, 20, 50, 80};
  EXPECT_EQ(cxRectInflate(r, 1, 2, 3, 4), (TRect{9, 18, 53, 84}));
  EXPECT_EQ(cxRectOffset(r, 5, -5), (TRect{15, 15, 55, 75}));
  EXPECT_EQ(cxRectOffset(r, 5, -5, false), (TRect{5, 25, 45, 85}));
  EXPECT_TRUE(cxRectPtIn(r, 10, 20));
  EXPECT_TRUE(cxRectPtIn(r, 49, 79));
  EXPECT_FALSE(cxRectPtIn(r, 50, 79)) << "right and bottom are outside";
  EXPECT_FALSE(cxRectPtIn(r, 49, 80));
  EXPECT_FALSE(cxRectPtIn(r, cxPoint(9, 20)));
  EXPECT_EQ(cxRectSetLeft(r, 100, 7), (TRect{100, 20, 107, 80}));
  EXPECT_EQ(cxRectSetTop(r, -3, 4), (TRect{10, -3, 50, 1}));
  EXPECT_EQ(cxRectContent(r, TRect{1, 2, 3, 4}), (TRect{11, 22, 47, 76}));
  EXPECT_EQ(cxRectContent(dxRectF(0, 0, 10, 10), dxRectF(0.5f, 1, 1.5f, 2)), dxRectF(0.5f, 1, 8.5f, 8));
}

TEST(Geometry, CentringGivesTheOddPixelToTheRightAndBottom) {
  const struct {
    TRect R;
    Integer Width, Height;
    TRect Expected;
  } cases[] = {
      {{0, 0, 10, 10}, 4, 4, {3, 3, 7, 7}},
      {{0, 0, 10, 10}, 3, 5, {3, 2, 6, 7}},          // spare 7: 3 left, 4 right
      {{-10, -10, 0, 0}, 3, 3, {-7, -7, -4, -4}},    // floor((-10 + 0 - 3) / 2) = -7
      {{0, 0, 4, 4}, 10, 6, {-3, -1, 7, 5}},         // larger than R: spills out evenly
  };
  for (const auto& c : cases) EXPECT_EQ(cxRectCenter(c.R, c.Width, c.Height), c.Expected);
  EXPECT_EQ(cxRectCenter(TRect{0, 0, 10, 10}, cxSize(3, 5)), (TRect{3, 2, 6, 7}));
}

TEST(Geometry, ProportionalStretchKeepsTheAspectAtTheTopLeft) {
  const struct {
    TRect R;
    Integer Width, Height;
    TRect Expected;
  } cases[] = {
      {{0, 0, 100, 50}, 4, 3, {0, 0, 66, 50}},    // wider: width = trunc(50 * 4 / 3)
      {{0, 0, 50, 100}, 4, 3, {0, 0, 50, 37}},    // taller: height = trunc(50 * 3 / 4)
      {{5, 5, 35, 14}, 10, 3, {5, 5, 35, 14}},    // the same aspect exactly: unchanged
      {{0, 0, 100, 50}, 0, 3, {0, 0, 100, 50}},   // a size of 0 leaves R
      {{0, 0, 0, 50}, 4, 3, {0, 0, 0, 50}},
  };
  for (const auto& c : cases) EXPECT_EQ(cxRectProportionalStretch(c.R, c.Width, c.Height), c.Expected);
}

TEST(Geometry, ObjectsTellOfRealChangesOnly) {
  TcxRect rect(nullptr);
  TcxSize size(nullptr);
  TcxMargin margin(nullptr);
  int changes = 0;
  rect.OnChange = size.OnChange = margin.OnChange = [&](TObject*) { ++changes; };
  rect.SetLeft(0);
  size.SetWidth(0);
  margin.SetMargin(cxNullRect);
  EXPECT_EQ(changes, 0);
  rect.SetRect({1, 2, 3, 4});
  rect.SetWidth(10);
  EXPECT_EQ(rect.GetRect(), (TRect{1, 2, 11, 4}));
  size.SetSize({5, 6});
  margin.SetAll(2);
  EXPECT_EQ(margin.GetAll(), 2);
  margin.SetTop(3);
  EXPECT_EQ(margin.GetAll(), -1);
  EXPECT_EQ(changes, 5);

  TcxRect copy(nullptr);
  copy.Assign(&rect);
  EXPECT_TRUE(copy.IsEqual({1, 2, 11, 4}));
  TcxMargin marginCopy(nullptr);
  marginCopy.Assign(&margin);
  EXPECT_TRUE(marginCopy.IsEqual({2, 3, 2, 2}));
  EXPECT_THROW(size.Assign(&rect), EConvertError);
}

}  // namespace

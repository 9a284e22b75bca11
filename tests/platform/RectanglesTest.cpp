// The rectangle helpers.

#include <gtest/gtest.h>

#include "platform/Windows.h"

namespace {

TEST(Rectangles, IntersectionsAndUnionsTreatEmptyRectanglesAsNothing) {
  struct TCase {
    const char* Name;
    RECT A, B;
    BOOL Overlap;
    RECT Intersection, Union;
  } cases[] = {
      {"overlapping", {0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}, {0, 0, 15, 15}},
      {"touching edges do not overlap", {0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {}, {0, 0, 20, 10}},
      {"inside", {0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}, {0, 0, 10, 10}},
      {"an empty one adds nothing", {0, 0, 10, 10}, {50, 50, 50, 60}, FALSE, {}, {0, 0, 10, 10}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    RECT r{1, 1, 1, 1};
    EXPECT_EQ(IntersectRect(&r, &c.A, &c.B), c.Overlap);
    EXPECT_EQ(r, c.Intersection);
    EXPECT_TRUE(UnionRect(&r, &c.A, &c.B));
    EXPECT_EQ(r, c.Union);
  }
  RECT r{};
  const RECT empty{};
  EXPECT_FALSE(UnionRect(&r, &empty, &empty));
}

TEST(Rectangles, PointsMovesAndGrowth) {
  const RECT r{10, 20, 30, 40};
  EXPECT_TRUE(PtInRect(&r, POINT{10, 20}));
  EXPECT_FALSE(PtInRect(&r, POINT{30, 20})) << "the right edge is outside";
  EXPECT_FALSE(PtInRect(&r, POINT{10, 40})) << "so is the bottom one";
  RECT m = r;
  OffsetRect(&m, -5, 5);
  EXPECT_EQ(m, (RECT{5, 25, 25, 45}));
  InflateRect(&m, -3, 2);
  EXPECT_EQ(m, (RECT{8, 23, 22, 47}));
  const RECT flat{0, 0, 10, 0};
  EXPECT_TRUE(IsRectEmpty(&flat));
  EXPECT_FALSE(IsRectEmpty(&r));
  EXPECT_FALSE(PtInRect(&flat, POINT{0, 0}));
}

}  // namespace

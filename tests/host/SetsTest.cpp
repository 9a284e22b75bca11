#include "host/Sets.h"

#include <gtest/gtest.h>

namespace {

enum TColorPart : uint8_t { cpRed, cpGreen, cpBlue, cpAlpha };
using TColorParts = TSet<TColorPart>;

TEST(Sets, MembershipAndOperators) {
  TColorParts rgb = {cpRed, cpGreen, cpBlue};
  EXPECT_TRUE(rgb.Contains(cpGreen));
  EXPECT_FALSE(rgb.Contains(cpAlpha));
  EXPECT_EQ(rgb.Count(), 3u);
  EXPECT_EQ(rgb + TColorParts({cpAlpha}), TColorParts::Range(cpRed, cpAlpha));
  EXPECT_EQ(rgb - TColorParts({cpRed}), TColorParts({cpGreen, cpBlue}));
  EXPECT_EQ(rgb * TColorParts({cpBlue, cpAlpha}), TColorParts({cpBlue}));
  EXPECT_TRUE(TColorParts{}.Empty());
  EXPECT_TRUE(TColorParts{cpRed}.SubsetOf(rgb));
  EXPECT_FALSE(TColorParts{cpAlpha}.SubsetOf(rgb));
  rgb.Exclude(cpRed).Include(cpAlpha);
  EXPECT_EQ(rgb.ToBits(), 0b1110u);
  EXPECT_EQ(TColorParts::FromBits(0b1001), (TColorParts{cpRed, cpAlpha}));
}

TEST(Sets, WideSetsSpanSeveralWordsAndIgnoreOutOfRangeValues) {
  using TByteSet = TSet<uint8_t, 256>;
  TByteSet s = TByteSet::Range(60, 70) + TByteSet({255});
  EXPECT_EQ(s.Count(), 12u);
  EXPECT_TRUE(s.Contains(63) && s.Contains(64) && s.Contains(255));
  EXPECT_FALSE(s.Contains(59));

  TSet<unsigned, 8> small;
  small.Include(8).Include(3);
  EXPECT_EQ(small.Count(), 1u);
  EXPECT_FALSE(small.Contains(8));
  EXPECT_EQ((TSet<unsigned, 8>::FromBits(0x1FF).Count()), 8u);
}

}  // namespace

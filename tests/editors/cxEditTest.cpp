#include "editors/cxEdit.h"

#include <gtest/gtest.h>

namespace {

TEST(cxEdit, ValuesAreEqualOnlyWithTheSameKindAndExactly) {
  struct TCase {
    Variant A, B;
    bool EditEquals, InternalEquals;
  } cases[] = {
      {Variant(5), Variant(u"5"), false, false},                   // a number is not its text
      {Variant(5), Variant(5.0), true, false},                     // both numeric
      {Variant::FromOleStr(u"a"), Variant(u"a"), true, false},     // both strings
      {Variant(AnsiString("a")), Variant(u"a"), true, false},
      {Variant(true), Variant(1), false, false},                   // numeric, but not exactly
      {Variant(true), Variant(true), true, true},
      {Variant(5), Variant(5), true, true},
      {Variant(5), Variant(6), false, false},
      {Null(), Null(), true, true},
      {Variant(5), Null(), false, false},
      {Variant(), Null(), false, false},
      {Variant::FromDate(2.0), Variant(2.0), false, false},        // a date is not numeric
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(VarToStr(c.A) + u" / " + VarToStr(c.B)));
    EXPECT_EQ(cxEditVarEquals(c.A, c.B), c.EditEquals);
    EXPECT_EQ(cxEditVarEquals(c.B, c.A), c.EditEquals);
    EXPECT_EQ(InternalVarEqualsExact(c.A, c.B), c.InternalEquals);
  }
}

// A 2 x 2 array whose last element is given.
Variant Grid(Integer last) {
  Variant a = VarArrayCreate({0, 1, 0, 1}, varVariant);
  a.SetElement({1, 1}, Variant(last));
  return a;
}

TEST(cxEdit, TwoDimensionalValuesCompareWithoutRaising) {
  bool same = false, different = true;
  EXPECT_NO_THROW(same = cxEditVarEquals(Grid(4), Grid(4)));
  EXPECT_NO_THROW(different = cxEditVarEquals(Grid(4), Grid(5)));
  EXPECT_TRUE(same);
  EXPECT_FALSE(different);
  EXPECT_NO_THROW(same = InternalVarEqualsExact(Grid(4), Grid(4)));
  EXPECT_TRUE(same);
}

}  // namespace

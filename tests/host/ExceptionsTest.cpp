#include "host/Exceptions.h"

#include <gtest/gtest.h>

#include <string>

#include "host/SysConst.h"

namespace {

TEST(Exceptions, MessageFormattingAndUtf8What) {
  EListError list(SListIndexError, {3});
  EXPECT_EQ(list.GetMessage(), u"List index out of bounds (3)");
  EXPECT_STREQ(list.what(), "List index out of bounds (3)");

  Exception e(u"Valor inv\u00e1lido");
  EXPECT_STREQ(e.what(), "Valor inv\xc3\xa1lido");
  e.SetMessage(u"changed");
  EXPECT_STREQ(e.what(), "changed");
}

TEST(Exceptions, FamiliesCatchTheirMembers) {
  EXPECT_THROW(throw EReadError(SReadError), EStreamError);
  EXPECT_THROW(throw EClassNotFound(SClassNotFound, {u"TFoo"}), EFilerError);
  EXPECT_THROW(throw EFOpenError(u"x"), EStreamError);
  EXPECT_THROW(throw EVariantTypeCastError(SInvalidVarCast), EVariantError);
  EXPECT_THROW(throw EInvalidOp(SInvalidOp), EMathError);
  EXPECT_THROW(throw EArgumentOutOfRangeException(SArgumentOutOfRange), EArgumentException);
  EXPECT_THROW(throw EResNotFound(SResNotFound, {u"DXSKINS"}), Exception);
  EXPECT_THROW(throw EConvertError(u"x"), std::exception);
}

TEST(Exceptions, AbortIsSilentAndAssertNamesThePlace) {
  try {
    Abort();
  } catch (const EAbort& e) {
    EXPECT_EQ(e.GetMessage(), u"Operation aborted");
  }
  EXPECT_NO_THROW(Assert(true, u"fine"));
  try {
    Assert(false, u"Hook already set");
    FAIL() << "no error";
  } catch (const EAssertionFailed& e) {
    const std::string what = e.what();
    EXPECT_EQ(what.rfind("Hook already set (", 0), 0u) << what;
    EXPECT_NE(what.find("ExceptionsTest.cpp, line "), std::string::npos) << what;
  }
  try {
    Assert(false);
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Assertion failed (", 0), 0u);
  }
}

}  // namespace

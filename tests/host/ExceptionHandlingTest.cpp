#include <gtest/gtest.h>

#include <stdexcept>

#include "host/ExceptionHandling.h"
#include "host/Exceptions.h"
#include "host/Objects.h"
#include "platform/MessageBox.h"
#include "platform/backend/headless/Headless.h"

namespace {

class ExceptionHandling : public ::testing::Test {
 protected:
  // The program's application, when there is one, steps aside meanwhile.
  void SetUp() override {
    FSaved = ApplicationHandleException;
    ApplicationHandleException = nullptr;
    ClearHeadlessNotices();
  }
  void TearDown() override {
    ApplicationHandleException = FSaved;
    ClearHeadlessNotices();
  }
  void (*FSaved)(TObject*) = nullptr;

  template <typename E>
  static void Raise(E e, TObject* Sender = nullptr) {
    try {
      throw e;
    } catch (...) {
      HandleException(Sender);
    }
  }
};

TEST_F(ExceptionHandling, WithoutAnApplicationTheMessageIsShown) {
  Raise(EConvertError(u"Not a number"));
  Raise(std::runtime_error("plain"));
  const auto boxes = HeadlessMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Text, u"Not a number");
  EXPECT_EQ(boxes[0].Caption, u"Application Error");
  EXPECT_EQ(boxes[0].Type, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  EXPECT_EQ(boxes[0].Owner, nullptr);
  EXPECT_EQ(boxes[1].Text, u"plain");
}

TEST_F(ExceptionHandling, TheSilentAbortShowsNothing) {
  Raise(EAbort(u"stop"));
  EXPECT_TRUE(HeadlessMessageBoxes().empty());
}

TEST_F(ExceptionHandling, TheApplicationsHandlerTakesEveryException) {
  static TObject* sender;
  static String message;
  ApplicationHandleException = [](TObject* Sender) {
    sender = Sender;
    try {
      throw;
    } catch (const Exception& e) {
      message = e.GetMessage();
    }
  };
  TObject source;
  Raise(EConvertError(u"Not a number"), &source);
  EXPECT_EQ(sender, &source);
  EXPECT_EQ(message, u"Not a number");
  EXPECT_TRUE(HeadlessMessageBoxes().empty());
}

}  // namespace

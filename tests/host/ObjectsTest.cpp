#include "host/Objects.h"

#include <gtest/gtest.h>

#include "host/Exceptions.h"
#include "host/Persistent.h"

namespace {

class IcxTestListener : public IInterface {
 public:
  virtual int Heard() = 0;
};

class TShape : public TPersistent {
  HOST_CLASS(TShape);
  int Size = 0;
  void Assign(TPersistent* Source) override {
    if (auto* shape = dynamic_cast<TShape*>(Source)) Size = shape->Size;
    else TPersistent::Assign(Source);
  }
};
HOST_CLASS_INFO(TShape, TPersistent, &CreateDefault<TShape>)

class TCircle : public TShape, public IcxTestListener {
  HOST_CLASS(TCircle);
  int Heard() override { return 7; }
};
HOST_CLASS_INFO(TCircle, TShape, &CreateDefault<TCircle>)

class TOther : public TPersistent {
  HOST_CLASS(TOther);
};
HOST_CLASS_INFO(TOther, TPersistent, nullptr)

TEST(Objects, ClassInformationAndVirtualCreation) {
  TCircle circle;
  EXPECT_EQ(circle.ClassName(), u"TCircle");
  EXPECT_EQ(circle.ClassParent(), TShape::StaticClass());
  EXPECT_TRUE(circle.InheritsFrom(TPersistent::StaticClass()));
  EXPECT_TRUE(circle.InheritsFrom(TObject::StaticClass()));
  EXPECT_FALSE(TShape::StaticClass()->InheritsFrom(TCircle::StaticClass()));

  TClass cls = TCircle::StaticClass();
  std::unique_ptr<TObject, TFreeObject> made(cls->Create());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->ClassType(), cls);
  EXPECT_EQ(TOther::StaticClass()->Create(), nullptr);  // abstract

  IcxTestListener* listener = nullptr;
  EXPECT_TRUE(Supports(made.get(), &listener));
  EXPECT_EQ(listener->Heard(), 7);
  TShape shape;
  EXPECT_FALSE(Supports<IcxTestListener>(&shape));
}

TEST(Objects, RegistryFindsByNameInAnyCase) {
  RegisterClasses({TShape::StaticClass(), TCircle::StaticClass()});
  RegisterClass(TShape::StaticClass());  // again: nothing changes
  EXPECT_EQ(FindClass(u"tcircle"), TCircle::StaticClass());
  EXPECT_EQ(GetClass(u"TShape"), TShape::StaticClass());
  EXPECT_EQ(GetClass(u"TOther"), nullptr);
  try {
    FindClass(u"TdxSkinMissing");
    FAIL() << "no error";
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.GetMessage(), u"Class TdxSkinMissing not found");
  }
  UnRegisterClass(TCircle::StaticClass());
  EXPECT_EQ(GetClass(u"TCircle"), nullptr);
  UnRegisterClass(TShape::StaticClass());
}

TEST(Objects, AssignCopiesOrNamesBothClasses) {
  TShape a, b;
  b.Size = 5;
  a.Assign(&b);
  EXPECT_EQ(a.Size, 5);
  TOther other;
  try {
    a.Assign(&other);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), u"Cannot assign a TOther to a TShape");
  }
  try {
    a.Assign(nullptr);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), u"Cannot assign a nil to a TShape");
  }
  EXPECT_EQ(a.GetNamePath(), u"TShape");
}

}  // namespace

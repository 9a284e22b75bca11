#include "host/Lists.h"

#include <gtest/gtest.h>

#include "tests/host/TestObjects.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "host/Exceptions.h"

namespace {

// Records what the list tells its descendants.
class TRecordingList : public TList {
 public:
  std::vector<std::pair<void*, TListNotification>> Log;

 protected:
  void Notify(void* Ptr, TListNotification Action) override { Log.emplace_back(Ptr, Action); }
};


class TShape : public TObject {
  HOST_CLASS(TShape);
};
class TCircle : public TShape {
  HOST_CLASS(TCircle);
};

}  // namespace

HOST_CLASS_INFO(TShape, TObject, CreateDefault<TShape>)
HOST_CLASS_INFO(TCircle, TShape, CreateDefault<TCircle>)

namespace {

int a = 1, b = 2, c = 3, d = 4;

std::u16string MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const EListError& e) {
    return e.GetMessage();
  }
  return u"(nothing raised)";
}

TEST(List, IndexErrorsAtTheBounds) {
  TList list;
  list.Add(&a);
  list.Add(&b);
  TList empty;
  const struct {
    const char* what;
    std::function<void()> action;
    const char16_t* message;
  } cases[] = {
      {"Get(-1)", [&] { list.Get(-1); }, u"List index out of bounds (-1)"},
      {"Get(Count)", [&] { list.Get(2); }, u"List index out of bounds (2)"},
      {"Put(Count)", [&] { list.Put(2, &c); }, u"List index out of bounds (2)"},
      {"Delete(-1)", [&] { list.Delete(-1); }, u"List index out of bounds (-1)"},
      {"Delete(Count)", [&] { list.Delete(2); }, u"List index out of bounds (2)"},
      {"Insert(-1)", [&] { list.Insert(-1, &c); }, u"List index out of bounds (-1)"},
      {"Insert(Count + 1)", [&] { list.Insert(3, &c); }, u"List index out of bounds (3)"},
      {"Exchange(0, Count)", [&] { list.Exchange(0, 2); }, u"List index out of bounds (2)"},
      {"Move(0, Count)", [&] { list.Move(0, 2); }, u"List index out of bounds (2)"},
      {"Move(-1, 0)", [&] { list.Move(-1, 0); }, u"List index out of bounds (-1)"},
      {"First of empty", [&] { empty.First(); }, u"List index out of bounds (0)"},
      {"Last of empty", [&] { empty.Last(); }, u"List index out of bounds (-1)"},
      {"Delete(0) of empty", [&] { empty.Delete(0); }, u"List index out of bounds (0)"},
      {"SetCapacity below Count", [&] { list.SetCapacity(1); }, u"List capacity out of bounds (1)"},
      {"SetCount(-1)", [&] { list.SetCount(-1); }, u"List count out of bounds (-1)"},
  };
  for (const auto& item : cases) EXPECT_EQ(MessageOf(item.action), item.message) << item.what;
  // Failed calls leave the list as it was.
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list[0], &a);
  EXPECT_EQ(list[1], &b);
}

TEST(List, PositionsAfterEditing) {
  TList list;
  EXPECT_EQ(list.Add(&a), 0);
  EXPECT_EQ(list.Add(&b), 1);
  list.Insert(2, &d);  // at Count: appends
  list.Insert(0, &c);  // c a b d
  EXPECT_EQ(list.IndexOf(&c), 0);
  EXPECT_EQ(list.IndexOf(&d), 3);
  list.Exchange(0, 3);  // d a b c
  list.Move(0, 2);      // a b d c
  EXPECT_EQ(std::vector<void*>(list.begin(), list.end()), (std::vector<void*>{&a, &b, &d, &c}));
  EXPECT_EQ(list.Remove(&d), 2);
  EXPECT_EQ(list.Remove(&d), -1);
  EXPECT_EQ(list.Extract(&d), nullptr);
  EXPECT_EQ(list.First(), &a);
  EXPECT_EQ(list.Last(), &c);
  EXPECT_EQ(list.IndexOf(nullptr), -1);
}

TEST(List, NotifiesAddDeleteExtractAndClear) {
  TRecordingList list;
  list.Add(&a);
  list.Add(&b);
  list.Add(nullptr);
  list.Insert(0, &c);  // c a b nil
  list.Delete(1);
  EXPECT_EQ(list.Extract(&b), &b);
  list.Put(0, &d);
  list.Clear();
  const std::vector<std::pair<void*, TListNotification>> expected = {
      {&a, lnAdded},   {&b, lnAdded},     {&c, lnAdded}, {&a, lnDeleted},
      {&b, lnExtracted}, {&c, lnDeleted}, {&d, lnAdded}, {&d, lnDeleted},
  };
  EXPECT_EQ(list.Log, expected);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCapacity(), 0);
}

TEST(List, CountCapacityAndPack) {
  TRecordingList list;
  list.SetCount(3);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_GE(list.GetCapacity(), 3);
  EXPECT_EQ(list[2], nullptr);
  list.Put(1, &a);
  list.Add(&b);  // nil a nil b
  list.Pack();
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list[0], &a);
  EXPECT_EQ(list[1], &b);
  list.Log.clear();
  list.SetCount(1);
  EXPECT_EQ(list.Log, (std::vector<std::pair<void*, TListNotification>>{{&b, lnDeleted}}));
  list.SetCapacity(10);
  EXPECT_EQ(list.GetCapacity(), 10);
  list.SetCapacity(1);
  EXPECT_EQ(list.GetCapacity(), 1);
  list.Expand();
  EXPECT_GT(list.GetCapacity(), 1);
}

int CompareInts(void* Item1, void* Item2) {
  return *static_cast<int*>(Item1) / 10 - *static_cast<int*>(Item2) / 10;
}

TEST(List, SortIsStableUnderTheCompare) {
  // The compare looks at the tens only, so 31, 35 and 30 are equal and keep
  // their order.
  int values[] = {31, 12, 35, 7, 30, 20};
  TList list;
  for (int& v : values) list.Add(&v);
  list.Sort(CompareInts);
  std::vector<int> sorted;
  for (void* p : list) sorted.push_back(*static_cast<int*>(p));
  EXPECT_EQ(sorted, (std::vector<int>{7, 12, 20, 31, 35, 30}));
}

TEST(ObjectList, FreesOnDeleteButNotOnExtract) {
  std::vector<int> freed;
  auto* kept = new TTracked(freed, 2);
  {
    TObjectList list;
    EXPECT_TRUE(list.GetOwnsObjects());
    for (int id = 1; id <= 5; ++id) list.Add(id == 2 ? kept : new TTracked(freed, id));
    list.Delete(0);
    EXPECT_EQ(freed, (std::vector<int>{1}));
    EXPECT_EQ(list.Extract(kept), kept);
    EXPECT_EQ(list.Remove(list.GetItem(0)), 0);  // 3
    list.SetItem(0, new TTracked(freed, 6));      // replaces 4
    EXPECT_EQ(freed, (std::vector<int>{1, 3, 4}));
    list.Clear();  // 5 then 6, last first
    EXPECT_EQ(freed, (std::vector<int>{1, 3, 4, 5, 6}));
    list.Add(new TTracked(freed, 7));
  }
  EXPECT_EQ(freed, (std::vector<int>{1, 3, 4, 5, 6, 7}));
  TObject::Free(kept);
  EXPECT_EQ(freed.back(), 2);
}

TEST(ObjectList, NotOwningLeavesObjectsAlone) {
  std::vector<int> freed;
  auto one = std::make_unique<TTracked>(freed, 1);
  auto two = std::make_unique<TTracked>(freed, 2);
  {
    TObjectList list(false);
    list.Add(one.get());
    list.Add(two.get());
    list.Delete(0);
  }
  EXPECT_TRUE(freed.empty());
}

TEST(ObjectList, FindInstanceOf) {
  TObjectList list;
  list.Add(new TObject);
  list.Add(new TCircle);
  list.Add(new TShape);
  list.Add(new TCircle);
  const struct {
    TClass cls;
    bool exact;
    Integer start;
    Integer expected;
  } cases[] = {
      {TShape::StaticClass(), true, 0, 2},   {TShape::StaticClass(), false, 0, 1},
      {TCircle::StaticClass(), true, 2, 3},  {TCircle::StaticClass(), true, 4, -1},
      {TObject::StaticClass(), false, 0, 0}, {TList::StaticClass(), false, 0, -1},
  };
  for (const auto& item : cases)
    EXPECT_EQ(list.FindInstanceOf(item.cls, item.exact, item.start), item.expected)
        << UTF8Encode(item.cls->Name) << " exact " << item.exact << " from " << item.start;
}

TEST(ObjectList, ClassReferencesCreateLists) {
  std::unique_ptr<TObject, TFreeObject> made(TObjectList::StaticClass()->Create());
  ASSERT_NE(dynamic_cast<TObjectList*>(made.get()), nullptr);
  EXPECT_EQ(made->ClassName(), u"TObjectList");
  EXPECT_TRUE(made->InheritsFrom(TList::StaticClass()));
}

struct TSample : IInterface {};

TEST(InterfaceList, KeepsItemsInOrder) {
  TSample one, two, three;
  TInterfaceList list;
  list.Lock();
  EXPECT_EQ(list.Add(&one), 0);
  list.Add(&two);
  list.Insert(0, &three);  // three one two
  list.Unlock();
  EXPECT_EQ(list.First(), &three);
  EXPECT_EQ(list.Last(), &two);
  list.Exchange(0, 2);  // two one three
  EXPECT_EQ(list.IndexOf(&three), 2);
  EXPECT_EQ(list.Remove(&one), 1);
  EXPECT_EQ(list.Remove(&one), -1);
  EXPECT_EQ(list.Extract(&two), &two);
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list[0], &three);
  EXPECT_EQ(MessageOf([&] { list.Get(1); }), u"List index out of bounds (1)");
  EXPECT_EQ(MessageOf([&] { list.Insert(2, &one); }), u"List index out of bounds (2)");
  list.Clear();
  EXPECT_EQ(MessageOf([&] { list.First(); }), u"List index out of bounds (0)");
}

}  // namespace

#include "host/Collections.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "host/Components.h"
#include "host/Exceptions.h"

namespace {

class TValueItem : public TCollectionItem {
  HOST_CLASS(TValueItem);

  explicit TValueItem(TCollection* Collection) : TCollectionItem(Collection) {}
  ~TValueItem() override {
    if (FreedLog) FreedLog->push_back(Value);
  }

  void SetValue(int V) {
    Value = V;
    Changed(false);
  }
  void Assign(TPersistent* Source) override {
    if (auto* item = dynamic_cast<TValueItem*>(Source)) {
      SetValue(item->Value);
      return;
    }
    TCollectionItem::Assign(Source);
  }

  int Value = 0;
  std::vector<int>* FreedLog = nullptr;
};

class TFailingItem : public TCollectionItem {
 public:
  explicit TFailingItem(TCollection* Collection) : TCollectionItem(Collection) { throw std::runtime_error("no"); }
};

}  // namespace

HOST_CLASS_INFO(TValueItem, TCollectionItem, nullptr)

namespace {

struct TNote {
  Integer id;
  TCollectionNotification action;
  bool whole;  // the item was fully built when told about
  friend bool operator==(const TNote&, const TNote&) = default;
};

void PrintTo(const TNote& n, std::ostream* os) {
  *os << "{id " << n.id << ", action " << int(n.action) << ", whole " << n.whole << "}";
}

// Records Update (by item ID, -1 for all) and Notify.
class TRecordingCollection : public TOwnedCollection {
 public:
  explicit TRecordingCollection(TPersistent* AOwner = nullptr,
                                TCollectionItemFactory Factory = CreateCollectionItem<TValueItem>)
      : TOwnedCollection(AOwner, TValueItem::StaticClass(), Factory) {}

  TValueItem* AddValue(int V) {
    auto* item = static_cast<TValueItem*>(Add());
    item->Value = V;
    return item;
  }
  TValueItem* At(Integer Index) const { return static_cast<TValueItem*>(GetItem(Index)); }
  std::vector<int> Values() const {
    std::vector<int> out;
    for (Integer i = 0; i < GetCount(); ++i) out.push_back(At(i)->Value);
    return out;
  }

  std::vector<Integer> Updates;
  std::vector<TNote> Notes;

 protected:
  void Update(TCollectionItem* Item) override { Updates.push_back(Item ? Item->GetID() : -1); }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    Notes.push_back({Item->GetID(), Action, dynamic_cast<TValueItem*>(Item) != nullptr});
  }
};

String ListErrorOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const EListError& e) {
    return e.GetMessage();
  }
  return u"(nothing raised)";
}

TEST(Collection, AddInsertDeleteAndMoves) {
  TRecordingCollection c;
  c.AddValue(1);
  c.AddValue(2);
  c.AddValue(3);
  static_cast<TValueItem*>(c.Insert(1))->Value = 9;
  EXPECT_EQ(c.Values(), (std::vector<int>{1, 9, 2, 3}));
  EXPECT_EQ(c.At(1)->GetIndex(), 1);
  EXPECT_EQ(c.At(1)->GetCollection(), &c);

  c.At(0)->SetIndex(3);
  EXPECT_EQ(c.Values(), (std::vector<int>{9, 2, 3, 1}));
  c.At(3)->SetIndex(0);
  EXPECT_EQ(c.Values(), (std::vector<int>{1, 9, 2, 3}));
  c.Delete(1);
  EXPECT_EQ(c.Values(), (std::vector<int>{1, 2, 3}));
  static_cast<TValueItem*>(c.Insert(3))->Value = 4;
  EXPECT_EQ(c.Values(), (std::vector<int>{1, 2, 3, 4}));

  const struct {
    const char* what;
    std::function<void()> action;
    const char16_t* message;
  } errors[] = {
      {"Insert(-1)", [&] { c.Insert(-1); }, u"List index out of bounds (-1)"},
      {"Insert(Count + 1)", [&] { c.Insert(5); }, u"List index out of bounds (5)"},
      {"GetItem(Count)", [&] { c.GetItem(4); }, u"List index out of bounds (4)"},
      {"Delete(-1)", [&] { c.Delete(-1); }, u"List index out of bounds (-1)"},
      {"SetIndex(Count)", [&] { c.At(0)->SetIndex(4); }, u"List index out of bounds (4)"},
  };
  for (const auto& e : errors) EXPECT_EQ(ListErrorOf(e.action), e.message) << e.what;
  EXPECT_EQ(c.Values(), (std::vector<int>{1, 2, 3, 4}));
}

TEST(Collection, IDsAreNeverReused) {
  TRecordingCollection c;
  for (int v = 0; v < 3; ++v) c.AddValue(v);
  EXPECT_EQ(c.At(2)->GetID(), 2);
  c.Delete(2);
  EXPECT_EQ(c.Add()->GetID(), 3);
  EXPECT_EQ(c.FindItemID(1), c.At(1));
  EXPECT_EQ(c.FindItemID(2), nullptr);
  c.Clear();
  EXPECT_EQ(c.GetCount(), 0);
  EXPECT_EQ(c.Insert(0)->GetID(), 4);
}

TEST(Collection, UpdateCalls) {
  // Update gets the item's ID, or -1 for a change of all items.
  const struct {
    const char* what;
    std::function<void(TRecordingCollection&)> action;
    std::vector<Integer> expected;
  } cases[] = {
      {"Add", [](TRecordingCollection& c) { c.Add(); }, {-1}},
      {"Insert", [](TRecordingCollection& c) { c.Insert(0); }, {-1}},
      {"item change", [](TRecordingCollection& c) { c.At(1)->SetValue(5); }, {1}},
      {"display name", [](TRecordingCollection& c) { c.At(0)->SetDisplayName(u"x"); }, {0}},
      {"move", [](TRecordingCollection& c) { c.At(1)->SetIndex(0); }, {-1}},
      {"move to itself", [](TRecordingCollection& c) { c.At(1)->SetIndex(1); }, {}},
      {"Delete", [](TRecordingCollection& c) { c.Delete(0); }, {-1}},
      {"Clear", [](TRecordingCollection& c) { c.Clear(); }, {-1}},
      {"under a lock",
       [](TRecordingCollection& c) {
         c.BeginUpdate();
         c.BeginUpdate();
         c.Add();
         c.At(0)->SetValue(3);
         c.EndUpdate();
         c.Delete(1);
         c.At(0)->SetIndex(1);
         c.EndUpdate();
       },
       {-1}},
      {"lock without changes",
       [](TRecordingCollection& c) {
         c.BeginUpdate();
         c.EndUpdate();
       },
       {}},
      {"after a lock",
       [](TRecordingCollection& c) {
         c.BeginUpdate();
         c.At(0)->SetValue(3);
         c.EndUpdate();
         c.At(0)->SetValue(4);
       },
       {-1, 0}},
  };
  for (const auto& item : cases) {
    TRecordingCollection c;
    c.AddValue(10);
    c.AddValue(11);
    c.Updates.clear();
    item.action(c);
    EXPECT_EQ(c.Updates, item.expected) << item.what;
    EXPECT_EQ(c.GetUpdateCount(), 0) << item.what;
  }
}

TEST(Collection, NotifyTellsOfWholeItems) {
  TRecordingCollection a;
  TRecordingCollection b;
  a.Add();                  // 0
  a.Insert(0);              // 1
  a.Delete(1);              // 0
  TObject::Free(a.At(0));   // 1
  a.AddValue(0);            // 2
  a.AddValue(0);            // 3
  a.At(0)->SetCollection(&b);
  a.Clear();
  const std::vector<TNote> expectedA = {
      {0, cnAdded, true},        {1, cnAdded, true},      {0, cnDeleting, true},
      {0, cnExtracting, true},   {1, cnExtracting, true}, {2, cnAdded, true},
      {3, cnAdded, true},        {2, cnExtracting, true}, {3, cnDeleting, true},
      {3, cnExtracting, true},
  };
  EXPECT_EQ(a.Notes, expectedA);
  EXPECT_EQ(b.Notes, (std::vector<TNote>{{0, cnAdded, true}}));
  EXPECT_EQ(b.GetCount(), 1);
}

TEST(Collection, FailedItemLeavesNoTrace) {
  TRecordingCollection c(nullptr, CreateCollectionItem<TFailingItem>);
  EXPECT_THROW(c.Add(), std::runtime_error);
  EXPECT_EQ(c.GetCount(), 0);
  EXPECT_TRUE(c.Notes.empty());
  EXPECT_TRUE(c.Updates.empty());
}

TEST(Collection, FreeingAnItemRemovesIt) {
  std::vector<int> freed;
  {
    TRecordingCollection c;
    for (int v = 1; v <= 4; ++v) c.AddValue(v)->FreedLog = &freed;
    c.Updates.clear();
    TObject::Free(c.At(1));
    EXPECT_EQ(c.Values(), (std::vector<int>{1, 3, 4}));
    delete c.At(0);
    EXPECT_EQ(c.Values(), (std::vector<int>{3, 4}));
    EXPECT_EQ(c.Updates, (std::vector<Integer>{-1, -1}));
    EXPECT_EQ(freed, (std::vector<int>{2, 1}));

    // An item made directly joins the collection it is made for.
    auto* direct = new TValueItem(&c);
    direct->FreedLog = &freed;
    direct->Value = 5;
    EXPECT_EQ(c.Values(), (std::vector<int>{3, 4, 5}));
  }
  EXPECT_EQ(freed, (std::vector<int>{2, 1, 5, 4, 3}));
}

TEST(Collection, MovingBetweenCollections) {
  TRecordingCollection a;
  TRecordingCollection b;
  a.AddValue(1);
  a.AddValue(2);
  for (int i = 0; i < 3; ++i) b.AddValue(10 + i);
  TValueItem* moved = a.At(0);
  moved->SetCollection(&b);
  EXPECT_EQ(a.Values(), (std::vector<int>{2}));
  EXPECT_EQ(b.Values(), (std::vector<int>{10, 11, 12, 1}));
  EXPECT_EQ(moved->GetCollection(), &b);
  EXPECT_EQ(moved->GetOwner(), &b);
  EXPECT_EQ(moved->GetID(), 3);
  moved->SetCollection(nullptr);
  EXPECT_EQ(moved->GetIndex(), -1);
  EXPECT_EQ(b.GetCount(), 3);
  TObject::Free(moved);
}

TEST(Collection, AssignCopiesItemsInOneUpdate) {
  TRecordingCollection source;
  for (int v : {5, 6, 7}) source.AddValue(v);
  TRecordingCollection target;
  target.AddValue(1);
  target.Updates.clear();
  target.Assign(&source);
  EXPECT_EQ(target.Values(), (std::vector<int>{5, 6, 7}));
  EXPECT_EQ(target.Updates, (std::vector<Integer>{-1}));
  EXPECT_NE(target.At(0), source.At(0));
  EXPECT_EQ(target.At(0)->GetID(), 1);

  source.At(2)->Value = 70;
  target.SetItem(0, source.At(2));
  EXPECT_EQ(target.Values(), (std::vector<int>{70, 6, 7}));

  TPersistent other;
  EXPECT_THROW(target.Assign(&other), EConvertError);
  EXPECT_THROW(target.At(0)->Assign(&other), EConvertError);
}

TEST(Collection, OwnerAndNamePath) {
  TComponent panel(nullptr);
  panel.SetName(u"Panel1");
  TRecordingCollection owned(&panel);
  TCollection plain(TValueItem::StaticClass(), CreateCollectionItem<TValueItem>);
  owned.Add();
  TCollectionItem* second = owned.Add();
  plain.Add();

  EXPECT_EQ(owned.GetOwner(), &panel);
  EXPECT_EQ(plain.GetOwner(), nullptr);
  EXPECT_EQ(plain.GetItemClass(), TValueItem::StaticClass());
  // Without the property's name the class name stands in.
  EXPECT_EQ(owned.GetNamePath(), u"TOwnedCollection");
  owned.SetPropName(u"Items");
  EXPECT_EQ(owned.GetNamePath(), u"Panel1.Items");
  EXPECT_EQ(second->GetNamePath(), u"Panel1.Items[1]");
  EXPECT_EQ(second->GetDisplayName(), u"TValueItem");
  plain.SetPropName(u"Items");
  EXPECT_EQ(plain.GetNamePath(), u"TCollection");
  EXPECT_EQ(plain.GetItem(0)->GetNamePath(), u"TCollection[0]");

  TComponent unnamed(nullptr);
  TRecordingCollection anonymous(&unnamed);
  anonymous.SetPropName(u"Items");
  EXPECT_EQ(anonymous.GetNamePath(), u"TOwnedCollection");

  TValueItem loose(nullptr);
  EXPECT_EQ(loose.GetNamePath(), u"TValueItem");
  EXPECT_EQ(loose.GetOwner(), nullptr);
}

}  // namespace

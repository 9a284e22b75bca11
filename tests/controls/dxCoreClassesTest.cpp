#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

#include "controls/dxCoreClasses.h"
#include "host/Exceptions.h"

namespace {

void* P(intptr_t v) { return reinterpret_cast<void*>(v); }
intptr_t V(void* p) { return reinterpret_cast<intptr_t>(p); }

int CompareValues(void* a, void* b) { return V(a) < V(b) ? -1 : V(a) > V(b) ? 1 : 0; }

std::vector<intptr_t> Values(const TdxFastList& AList) {
  std::vector<intptr_t> out;
  for (Integer i = 0; i < AList.GetCount(); ++i) out.push_back(V(AList[i]));
  return out;
}

using Ints = std::vector<intptr_t>;

TEST(FastList, AddsInsertsDeletesAndExtracts) {
  TdxFastList list;
  EXPECT_EQ(list.Add(P(1)), 0);
  list.Add(P(3));
  list.Insert(1, P(2));
  list.Insert(3, P(4));
  EXPECT_EQ(Values(list), (Ints{1, 2, 3, 4}));
  EXPECT_EQ(list.IndexOf(P(3)), 2);
  EXPECT_EQ(list.IndexOf(P(9)), -1);
  EXPECT_EQ(list.Extract(P(2)), P(2));
  EXPECT_EQ(list.Extract(P(9)), nullptr);
  list.Delete(0);
  EXPECT_EQ(Values(list), (Ints{3, 4}));
  EXPECT_EQ(list.Remove(P(4)), 1);
  list.Exchange(0, 0);
  EXPECT_EQ(list.First(), P(3));
  EXPECT_EQ(list.Last(), P(3));
}

TEST(FastList, IndexErrorsRaise) {
  TdxFastList list;
  list.Add(P(1));
  EXPECT_THROW(list.Delete(1), EListError);
  EXPECT_THROW(list.GetItems(-1), EListError);
  EXPECT_THROW(list.Insert(2, P(2)), EListError);
  EXPECT_THROW(list.SetCount(-1), EListError);
  EXPECT_THROW(list.SetCapacity(0), EListError) << "below the count";
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(FastList, PacksAndMoves) {
  TdxFastList list(8);
  EXPECT_GE(list.GetCapacity(), 8);
  for (intptr_t v : {5, 0, 6, 0, 7}) list.Add(P(v));
  list.Pack();
  EXPECT_EQ(Values(list), (Ints{5, 6, 7}));
  list.Move(0, 2);
  EXPECT_EQ(Values(list), (Ints{6, 7, 5}));
  list.SetCount(4);
  EXPECT_EQ(Values(list), (Ints{6, 7, 5, 0}));
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(FastList, SortsQuicklyOrOverTheProcessors) {
  for (bool multi : {false, true}) {
    SCOPED_TRACE(multi ? "multithreaded" : "quick sort");
    for (int count : {0, 1, 2, 7, 5000}) {
      std::mt19937 random(static_cast<unsigned>(count));
      Ints values(static_cast<size_t>(count));
      for (intptr_t& v : values) v = static_cast<intptr_t>(random() % 97);
      TdxFastList list;
      for (intptr_t v : values) list.Add(P(v));
      list.Sort(&CompareValues, multi);
      std::sort(values.begin(), values.end());
      EXPECT_EQ(Values(list), values) << count << " items";
    }
  }
}

TEST(QuickSortList, SortsSortedReversedAndEqualRuns) {
  const Ints inputs[] = {{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}, {2, 2, 2, 2}, {3, 1, 2, 3, 1, 2}};
  for (const Ints& input : inputs) {
    std::vector<void*> items;
    for (intptr_t v : input) items.push_back(P(v));
    dxQuickSortList(items.data(), static_cast<Integer>(items.size()), &CompareValues);
    Ints sorted = input;
    std::sort(sorted.begin(), sorted.end());
    Ints got;
    for (void* p : items) got.push_back(V(p));
    EXPECT_EQ(got, sorted);
  }
}

int Freed = 0;
class TCounted : public TObject {
 public:
  ~TCounted() override { ++Freed; }
};

TEST(FastObjectList, FreesWhatItDeletesWhileOwning) {
  Freed = 0;
  auto* list = new TdxFastObjectList;
  auto* kept = new TCounted;
  list->Add(new TCounted);
  list->Add(kept);
  list->Add(new TCounted);
  list->Delete(0);
  EXPECT_EQ(Freed, 1);
  EXPECT_EQ(list->Extract(kept), kept);
  EXPECT_EQ(Freed, 1);
  TObject::Free(list);
  EXPECT_EQ(Freed, 2);
  TObject::Free(kept);
  TdxFastObjectList notOwning(false);
  TCounted local;
  notOwning.Add(&local);
  notOwning.Delete(0);
  notOwning.Add(&local);
  notOwning.Clear();
  EXPECT_EQ(Freed, 3);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "controls/dxThreading.h"
#include "platform/Kernel.h"
#include "platform/Modules.h"
#include "tests/SuiteUnits.h"

namespace {

struct TKeyed {
  int Key;
  int Order;
};

int CompareKeys(void* a, void* b) { return static_cast<TKeyed*>(a)->Key - static_cast<TKeyed*>(b)->Key; }

class Threading : public ::testing::Test {
 protected:
  void TearDown() override { dxEnableMultiThreading = true; }
};

TEST_F(Threading, AvailableWithWorkersAndMoreThanOneProcessorWhileEnabled) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  EXPECT_EQ(dxCanUseMultiThreading(), info.dwNumberOfProcessors > 1);
  if (dxCanUseMultiThreading()) {
    EXPECT_TRUE(IsMultiThread);
  }
  dxEnableMultiThreading = false;
  EXPECT_FALSE(dxCanUseMultiThreading());
}

TEST_F(Threading, TheSortIsStableWithOrWithoutWorkers) {
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled ? "enabled" : "disabled");
    dxEnableMultiThreading = enabled;
    for (int count : {0, 10, 1024, 5001}) {
      std::mt19937 random(static_cast<unsigned>(count));
      std::vector<TKeyed> items(static_cast<size_t>(count));
      for (int i = 0; i < count; ++i) items[static_cast<size_t>(i)] = {static_cast<int>(random() % 50), i};
      std::vector<void*> list;
      for (TKeyed& item : items) list.push_back(&item);
      dxMultithreadedSort()->Sort(list.data(), count, &CompareKeys);
      for (size_t i = 1; i < list.size(); ++i) {
        const TKeyed* a = static_cast<TKeyed*>(list[i - 1]);
        const TKeyed* b = static_cast<TKeyed*>(list[i]);
        ASSERT_TRUE(a->Key < b->Key || (a->Key == b->Key && a->Order < b->Order)) << count << " items, at " << i;
      }
    }
  }
}

TEST_F(Threading, TheIteratorVisitsEveryItemOnce) {
  for (int count : {3, 4000}) {
    std::vector<std::atomic<int>> visits(static_cast<size_t>(count));
    std::vector<void*> list;
    for (auto& v : visits) list.push_back(&v);
    dxMultithreadedListIterator()->Process(list.data(), count,
                                           [](void* item) { ++*static_cast<std::atomic<int>*>(item); });
    for (int i = 0; i < count; ++i)
      ASSERT_EQ(visits[static_cast<size_t>(i)].load(), 1) << count << " items, item " << i;
  }
}

// Starts the units without the worker queue and sorts, reporting how.
std::string SortWithoutTheWorkerQueue() {
  RestartUnits([] { SetEntryPointAvailable(u"kernel32.dll", "QueueUserWorkItem", false); });
  std::vector<TKeyed> items(5000);
  for (int i = 0; i < 5000; ++i) items[static_cast<size_t>(i)] = {(i * 7919) % 100, i};
  std::vector<void*> list;
  for (TKeyed& item : items) list.push_back(&item);
  dxMultithreadedSort()->Sort(list.data(), static_cast<Integer>(list.size()), &CompareKeys);
  const bool sorted = std::is_sorted(list.begin(), list.end(), [](void* a, void* b) {
    const TKeyed* x = static_cast<TKeyed*>(a);
    const TKeyed* y = static_cast<TKeyed*>(b);
    return x->Key < y->Key || (x->Key == y->Key && x->Order < y->Order);
  });
  return std::string(dxCanUseMultiThreading() ? "multithreaded" : "one thread") +
         (sorted ? ", sorted" : ", not sorted");
}

using ThreadingStart = TUnitRestartTest;

TEST_F(ThreadingStart, WithoutTheWorkerQueueEverythingRunsOnTheCallingThread) {
  EXPECT_EXIT(ExitWithOutcome(SortWithoutTheWorkerQueue()), ::testing::ExitedWithCode(0),
              "outcome: one thread, sorted;");
}

}  // namespace

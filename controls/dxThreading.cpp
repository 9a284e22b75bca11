#include "controls/dxThreading.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "controls/dxCore.h"
#include "platform/Kernel.h"
#include "platform/Modules.h"

HOST_CLASS_INFO(TdxMultithreadedSort, TObject, &CreateDefault<TdxMultithreadedSort>)
HOST_CLASS_INFO(TdxMultithreadedListIterator, TObject, &CreateDefault<TdxMultithreadedListIterator>)

bool dxEnableMultiThreading = true;

namespace {

using TQueueUserWorkItem = decltype(&QueueUserWorkItem);

struct TThreading {
  HMODULE Kernel = nullptr;
  TQueueUserWorkItem QueueWorkItem = nullptr;
  Integer ProcessorCount = 1;
  bool CanUseMultiThreading = false;
  std::unique_ptr<TdxMultithreadedSort, TFreeObject> Sort;
  std::unique_ptr<TdxMultithreadedListIterator, TFreeObject> Iterator;
};

TThreading& Threading() {
  static TThreading threading;
  return threading;
}

void InitThreading() {
  TThreading& t = Threading();
  t.Kernel = LoadLibraryW(u"kernel32.dll");
  if (t.Kernel) t.QueueWorkItem = reinterpret_cast<TQueueUserWorkItem>(GetProcAddress(t.Kernel, "QueueUserWorkItem"));
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  t.ProcessorCount = static_cast<Integer>(info.dwNumberOfProcessors);
  t.CanUseMultiThreading = t.QueueWorkItem && t.ProcessorCount > 1;
  if (t.CanUseMultiThreading) IsMultiThread = true;
  t.Sort.reset(new TdxMultithreadedSort);
  t.Iterator.reset(new TdxMultithreadedListIterator);
}

void DoneThreading() {
  TThreading& t = Threading();
  t.Sort.reset();
  t.Iterator.reset();
  if (t.Kernel) FreeLibrary(t.Kernel);
  t.Kernel = nullptr;
  t.QueueWorkItem = nullptr;
  t.CanUseMultiThreading = false;
}

// Counts the chunks still running and keeps the first error one raised.
struct TCompletion {
  std::mutex Lock;
  std::condition_variable Done;
  size_t Pending = 0;
  std::exception_ptr Error;

  void Finish(std::exception_ptr error) {
    std::lock_guard<std::mutex> guard(Lock);
    if (error && !Error) Error = error;
    if (--Pending == 0) Done.notify_all();
  }
};

struct TChunk {
  std::function<void()> Work;
  TCompletion* Completion = nullptr;
};

DWORD RunChunk(void* AContext) {
  TChunk* chunk = static_cast<TChunk*>(AContext);
  std::exception_ptr error;
  try {
    chunk->Work();
  } catch (...) {
    error = std::current_exception();
  }
  chunk->Completion->Finish(error);
  return 0;
}

// Runs the chunks on the workers, the first one on the calling thread, and
// returns when all are done; one the queue refuses runs here too.
void RunChunks(std::vector<std::function<void()>> AWork) {
  TCompletion completion;
  std::vector<TChunk> chunks(AWork.size());
  completion.Pending = chunks.size();
  for (size_t i = 0; i < chunks.size(); ++i) chunks[i] = {std::move(AWork[i]), &completion};
  for (size_t i = 1; i < chunks.size(); ++i)
    if (!Threading().QueueWorkItem(&RunChunk, &chunks[i], WT_EXECUTEDEFAULT)) RunChunk(&chunks[i]);
  if (!chunks.empty()) RunChunk(&chunks[0]);
  std::unique_lock<std::mutex> guard(completion.Lock);
  completion.Done.wait(guard, [&] { return completion.Pending == 0; });
  if (completion.Error) std::rethrow_exception(completion.Error);
}

// Item ranges [Bounds[i], Bounds[i + 1]) of nearly equal size, one per processor.
std::vector<Integer> ChunkBounds(Integer ACount) {
  const Integer chunks =
      std::max<Integer>(1, std::min(Threading().ProcessorCount, ACount / (dxMultithreadedMinListSize / 2)));
  std::vector<Integer> bounds;
  for (Integer i = 0; i <= chunks; ++i) bounds.push_back(static_cast<Integer>(static_cast<Int64>(ACount) * i / chunks));
  return bounds;
}

bool UseWorkers(Integer ACount) { return dxCanUseMultiThreading() && ACount >= dxMultithreadedMinListSize; }

}  // namespace

bool dxCanUseMultiThreading() { return Threading().CanUseMultiThreading && dxEnableMultiThreading; }

void TdxMultithreadedSort::Sort(void** AList, Integer ACount, TListSortCompare ACompare) {
  const auto less = [ACompare](void* a, void* b) { return ACompare(a, b) < 0; };
  if (!UseWorkers(ACount)) {
    std::stable_sort(AList, AList + ACount, less);
    return;
  }
  const std::vector<Integer> bounds = ChunkBounds(ACount);
  std::vector<std::function<void()>> work;
  for (size_t i = 0; i + 1 < bounds.size(); ++i)
    work.push_back([=] { std::stable_sort(AList + bounds[i], AList + bounds[i + 1], less); });
  RunChunks(std::move(work));
  // Merging neighbours left to right keeps equal items in their order.
  for (size_t i = 1; i + 1 < bounds.size(); ++i)
    std::inplace_merge(AList, AList + bounds[i], AList + bounds[i + 1], less);
}

void TdxMultithreadedListIterator::Process(void** AList, Integer ACount, const TdxListIteratorProc& AProc) {
  if (!UseWorkers(ACount)) {
    for (Integer i = 0; i < ACount; ++i) AProc(AList[i]);
    return;
  }
  const std::vector<Integer> bounds = ChunkBounds(ACount);
  std::vector<std::function<void()>> work;
  for (size_t i = 0; i + 1 < bounds.size(); ++i)
    work.push_back([=, &AProc] {
      for (Integer k = bounds[i]; k < bounds[i + 1]; ++k) AProc(AList[k]);
    });
  RunChunks(std::move(work));
}

TdxMultithreadedSort* dxMultithreadedSort() { return Threading().Sort.get(); }

TdxMultithreadedListIterator* dxMultithreadedListIterator() { return Threading().Iterator.get(); }

void RegisterThreadingUnit() { RegisterSuiteUnit<&InitThreading, &DoneThreading>("dxThreading"); }

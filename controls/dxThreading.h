#pragma once
// Work split over the processors: a sorter and a list iterator that queue
// chunks to the system's workers and wait for all of them before returning.

#include <functional>

#include "host/Lists.h"

// Switch for the application; multithreading runs only while it is set.
extern bool dxEnableMultiThreading;

// The system has a worker queue and the machine more than one processor,
// and dxEnableMultiThreading is set.
bool dxCanUseMultiThreading();

// Lists shorter than this are always handled on the calling thread.
inline constexpr Integer dxMultithreadedMinListSize = 1024;

// A stable sort: chunks sorted side by side, then merged.
class TdxMultithreadedSort : public TObject {
  HOST_CLASS(TdxMultithreadedSort);

  void Sort(void** AList, Integer ACount, TListSortCompare ACompare);
};

using TdxListIteratorProc = std::function<void(void* AItem)>;

// Calls AProc for every item, chunks side by side: AProc must be safe to
// call from several threads at once.
class TdxMultithreadedListIterator : public TObject {
  HOST_CLASS(TdxMultithreadedListIterator);

  void Process(void** AList, Integer ACount, const TdxListIteratorProc& AProc);
};

// The shared instances, made when the unit starts.
TdxMultithreadedSort* dxMultithreadedSort();
TdxMultithreadedListIterator* dxMultithreadedListIterator();

void RegisterThreadingUnit();

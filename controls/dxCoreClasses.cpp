#include "controls/dxCoreClasses.h"

#include <algorithm>
#include <utility>

#include "controls/dxThreading.h"
#include "host/Exceptions.h"
#include "host/SysConst.h"

HOST_CLASS_INFO(TdxFastList, TObject, &CreateDefault<TdxFastList>)
HOST_CLASS_INFO(TdxFastObjectList, TdxFastList, &CreateDefault<TdxFastObjectList>)

namespace {

// Partitions around the middle item, which stays findable by its index when
// it moves; recursion takes the left part, the loop the right one.
void QuickSort(void** AList, Integer L, Integer R, TListSortCompare ACompare) {
  Integer I;
  do {
    I = L;
    Integer J = R;
    Integer P = L + (R - L) / 2;
    do {
      while (ACompare(AList[I], AList[P]) < 0) ++I;
      while (ACompare(AList[J], AList[P]) > 0) --J;
      if (I <= J) {
        if (I != J) std::swap(AList[I], AList[J]);
        if (P == I)
          P = J;
        else if (P == J)
          P = I;
        ++I;
        --J;
      }
    } while (I <= J);
    if (L < J) QuickSort(AList, L, J, ACompare);
    L = I;
  } while (I < R);
}

}  // namespace

void dxQuickSortList(void** AList, Integer ACount, TListSortCompare ACompare) {
  if (AList && ACount > 1) QuickSort(AList, 0, ACount - 1, ACompare);
}

// --- TdxFastList --------------------------------------------------------------

void TdxFastList::CheckIndex(Integer AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) TList::Error(SListIndexError, AIndex);
}

Integer TdxFastList::Add(void* AItem) {
  FItems.push_back(AItem);
  return GetCount() - 1;
}

void TdxFastList::Insert(Integer AIndex, void* AItem) {
  if (AIndex < 0 || AIndex > GetCount()) TList::Error(SListIndexError, AIndex);
  FItems.insert(FItems.begin() + AIndex, AItem);
}

void TdxFastList::Delete(Integer AIndex) {
  CheckIndex(AIndex);
  FItems.erase(FItems.begin() + AIndex);
}

Integer TdxFastList::Remove(void* AItem) {
  const Integer index = IndexOf(AItem);
  if (index >= 0) FItems.erase(FItems.begin() + index);
  return index;
}

void* TdxFastList::Extract(void* AItem) { return Remove(AItem) >= 0 ? AItem : nullptr; }

Integer TdxFastList::IndexOf(void* AItem) const {
  auto it = std::find(FItems.begin(), FItems.end(), AItem);
  return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

void TdxFastList::Exchange(Integer AIndex1, Integer AIndex2) {
  CheckIndex(AIndex1);
  CheckIndex(AIndex2);
  std::swap(FItems[AIndex1], FItems[AIndex2]);
}

void TdxFastList::Move(Integer ACurIndex, Integer ANewIndex) {
  if (ACurIndex == ANewIndex) return;
  CheckIndex(ACurIndex);
  CheckIndex(ANewIndex);
  void* item = FItems[ACurIndex];
  FItems.erase(FItems.begin() + ACurIndex);
  FItems.insert(FItems.begin() + ANewIndex, item);
}

void TdxFastList::Clear() {
  FItems.clear();
  FItems.shrink_to_fit();
}

void TdxFastList::Pack() { std::erase(FItems, nullptr); }

void TdxFastList::Sort(TListSortCompare ACompare, bool AMultiThreaded) {
  if (AMultiThreaded && dxMultithreadedSort())
    dxMultithreadedSort()->Sort(FItems.data(), GetCount(), ACompare);
  else
    dxQuickSortList(FItems.data(), GetCount(), ACompare);
}

void TdxFastList::SetCount(Integer AValue) {
  if (AValue < 0 || AValue > MaxListSize) TList::Error(SListCountError, AValue);
  FItems.resize(static_cast<size_t>(AValue), nullptr);
}

void TdxFastList::SetCapacity(Integer AValue) {
  if (AValue < GetCount() || AValue > MaxListSize) TList::Error(SListCapacityError, AValue);
  if (AValue > GetCapacity())
    FItems.reserve(static_cast<size_t>(AValue));
  else if (AValue < GetCapacity()) {
    std::vector<void*> items;
    items.reserve(static_cast<size_t>(AValue));
    items.assign(FItems.begin(), FItems.end());
    FItems.swap(items);
  }
}

void* TdxFastList::GetItems(Integer AIndex) const {
  CheckIndex(AIndex);
  return FItems[AIndex];
}

void TdxFastList::SetItems(Integer AIndex, void* AItem) {
  CheckIndex(AIndex);
  FItems[AIndex] = AItem;
}

// --- TdxFastObjectList --------------------------------------------------------

TdxFastObjectList::~TdxFastObjectList() { Clear(); }

void TdxFastObjectList::Delete(Integer AIndex) {
  TObject* item = GetItems(AIndex);
  TdxFastList::Delete(AIndex);
  if (FOwnsObjects) TObject::Free(item);
}

void TdxFastObjectList::Clear() {
  if (FOwnsObjects)
    while (GetCount() > 0) Delete(GetCount() - 1);
  TdxFastList::Clear();
}

#include "host/Lists.h"

#include <algorithm>

#include "host/Exceptions.h"
#include "host/SysConst.h"

HOST_CLASS_INFO(TList, TObject, CreateDefault<TList>)
HOST_CLASS_INFO(TObjectList, TList, CreateDefault<TObjectList>)
HOST_CLASS_INFO(TInterfaceList, TObject, CreateDefault<TInterfaceList>)

void TList::Error(const char16_t* Msg, Integer Data) { throw EListError(Msg, {Data}); }

void TList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
}

void TList::Grow() {
  // Small lists grow by a few slots, large ones by a quarter, so that adding
  // one at a time stays linear overall.
  if (FCapacity >= MaxListSize) Error(SListCapacityError, FCapacity);
  const Integer delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
  SetCapacity(std::min(FCapacity + delta, MaxListSize));
}

Integer TList::Add(void* Item) {
  const Integer index = GetCount();
  Insert(index, Item);
  return index;
}

void TList::Insert(Integer Index, void* Item) {
  if (Index < 0 || Index > GetCount()) Error(SListIndexError, Index);
  if (GetCount() == FCapacity) Grow();
  FList.insert(FList.begin() + Index, Item);
  if (Item) Notify(Item, lnAdded);
}

void TList::Delete(Integer Index) {
  CheckIndex(Index);
  void* item = FList[Index];
  FList.erase(FList.begin() + Index);
  if (item) Notify(item, lnDeleted);
}

Integer TList::Remove(void* Item) {
  const Integer index = IndexOf(Item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* Item) {
  const Integer index = IndexOf(Item);
  if (index < 0) return nullptr;
  FList.erase(FList.begin() + index);
  if (Item) Notify(Item, lnExtracted);
  return Item;
}

Integer TList::IndexOf(void* Item) const {
  const auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<Integer>(it - FList.begin());
}

void TList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[Index1], FList[Index2]);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  void* item = FList[CurIndex];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TList::Pack() { std::erase(FList, nullptr); }

void* TList::First() const { return Get(0); }

void* TList::Last() const { return Get(GetCount() - 1); }

TList* TList::Expand() {
  if (GetCount() == FCapacity) Grow();
  return this;
}

void TList::Sort(TListSortCompare Compare) {
  if (!Compare || GetCount() < 2) return;
  std::stable_sort(FList.begin(), FList.end(), [Compare](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::SetCount(Integer NewCount) {
  if (NewCount < 0 || NewCount > MaxListSize) Error(SListCountError, NewCount);
  if (NewCount > FCapacity) SetCapacity(NewCount);
  if (NewCount > GetCount()) {
    FList.resize(NewCount, nullptr);
    return;
  }
  // One at a time, so that each deleted item is told about with the list
  // already without it.
  while (GetCount() > NewCount) Delete(GetCount() - 1);
}

void TList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < GetCount() || NewCapacity > MaxListSize) Error(SListCapacityError, NewCapacity);
  if (NewCapacity == FCapacity) return;
  if (NewCapacity > FCapacity) {
    FList.reserve(NewCapacity);
  } else {
    std::vector<void*> smaller;
    smaller.reserve(NewCapacity);
    smaller.assign(FList.begin(), FList.end());
    FList.swap(smaller);
  }
  FCapacity = NewCapacity;
}

void* TList::Get(Integer Index) const {
  CheckIndex(Index);
  return FList[Index];
}

void TList::Put(Integer Index, void* Item) {
  CheckIndex(Index);
  void* old = FList[Index];
  if (old == Item) return;
  FList[Index] = Item;
  if (old) Notify(old, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

// --- TObjectList ---

TObjectList::~TObjectList() { Clear(); }

Integer TObjectList::FindInstanceOf(TClass AClass, bool AExact, Integer AStartAt) const {
  for (Integer i = std::max(AStartAt, 0); i < GetCount(); ++i) {
    const TObject* object = GetItem(i);
    if (!object) continue;
    if (AExact ? object->ClassType() == AClass : object->InheritsFrom(AClass)) return i;
  }
  return -1;
}

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (FOwnsObjects && Action == lnDeleted) TObject::Free(static_cast<TObject*>(Ptr));
  TList::Notify(Ptr, Action);
}

// --- TInterfaceList ---

void TInterfaceList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) TList::Error(SListIndexError, Index);
}

Integer TInterfaceList::Add(IInterface* Item) {
  FList.push_back(Item);
  return GetCount() - 1;
}

void TInterfaceList::Insert(Integer Index, IInterface* Item) {
  if (Index < 0 || Index > GetCount()) TList::Error(SListIndexError, Index);
  FList.insert(FList.begin() + Index, Item);
}

void TInterfaceList::Delete(Integer Index) {
  CheckIndex(Index);
  FList.erase(FList.begin() + Index);
}

Integer TInterfaceList::Remove(IInterface* Item) {
  const Integer index = IndexOf(Item);
  if (index >= 0) FList.erase(FList.begin() + index);
  return index;
}

IInterface* TInterfaceList::Extract(IInterface* Item) { return Remove(Item) >= 0 ? Item : nullptr; }

Integer TInterfaceList::IndexOf(IInterface* Item) const {
  const auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<Integer>(it - FList.begin());
}

void TInterfaceList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[Index1], FList[Index2]);
}

IInterface* TInterfaceList::Get(Integer Index) const {
  CheckIndex(Index);
  return FList[Index];
}

void TInterfaceList::Put(Integer Index, IInterface* Item) {
  CheckIndex(Index);
  FList[Index] = Item;
}

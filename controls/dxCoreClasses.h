#pragma once
// Fast lists: arrays of pointers without the notifications of the
// framework's lists, and the quick sort they use.

#include <vector>

#include "host/Lists.h"

// Not stable: items that compare equal may swap.
void dxQuickSortList(void** AList, Integer ACount, TListSortCompare ACompare);

// Index errors raise EListError "List index out of bounds (%d)".
class TdxFastList : public TObject {
  HOST_CLASS(TdxFastList);

  TdxFastList() = default;
  explicit TdxFastList(Integer ACapacity) { SetCapacity(ACapacity); }

  Integer Add(void* AItem);
  void Insert(Integer AIndex, void* AItem);
  virtual void Delete(Integer AIndex);
  // Index the item had, or -1.
  Integer Remove(void* AItem);
  // Takes the item out; nullptr when absent.
  void* Extract(void* AItem);
  Integer IndexOf(void* AItem) const;
  void Exchange(Integer AIndex1, Integer AIndex2);
  void Move(Integer ACurIndex, Integer ANewIndex);
  virtual void Clear();
  // Drops the nullptr items.
  void Pack();
  // A quick sort, or with AMultiThreaded the stable sort spread over the
  // processors.
  void Sort(TListSortCompare ACompare, bool AMultiThreaded = false);

  void* First() const { return GetItems(0); }
  void* Last() const { return GetItems(GetCount() - 1); }
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  // Growing adds nullptr items.
  void SetCount(Integer AValue);
  Integer GetCapacity() const { return static_cast<Integer>(FItems.capacity()); }
  void SetCapacity(Integer AValue);
  void* GetItems(Integer AIndex) const;
  void SetItems(Integer AIndex, void* AItem);
  void* operator[](Integer AIndex) const { return GetItems(AIndex); }
  void** GetList() { return FItems.data(); }

 protected:
  void CheckIndex(Integer AIndex) const;

 private:
  std::vector<void*> FItems;
};

// Frees the objects it deletes while owning them; Extract and Remove hand
// them back.
class TdxFastObjectList : public TdxFastList {
  HOST_CLASS(TdxFastObjectList);

  explicit TdxFastObjectList(bool AOwnsObjects = true, Integer ACapacity = 0)
      : TdxFastList(ACapacity), FOwnsObjects(AOwnsObjects) {}
  ~TdxFastObjectList() override;

  Integer Add(TObject* AObject) { return TdxFastList::Add(AObject); }
  void Delete(Integer AIndex) override;
  void Clear() override;
  TObject* GetItems(Integer AIndex) const { return static_cast<TObject*>(TdxFastList::GetItems(AIndex)); }
  TObject* operator[](Integer AIndex) const { return GetItems(AIndex); }

  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool AValue) { FOwnsObjects = AValue; }

 private:
  bool FOwnsObjects;
};

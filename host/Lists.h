#pragma once
// Lists of untyped pointers, of objects and of interfaces.

#include <vector>

#include "host/Objects.h"

enum TListNotification : uint8_t { lnAdded, lnExtracted, lnDeleted };

// Negative when Item1 sorts before Item2, zero when equal, positive after.
// A plain function pointer: lists are sorted far more often than they need a
// compare that carries state, and it keeps <functional> out of this header.
using TListSortCompare = int (*)(void* Item1, void* Item2);

// Upper bound of a list's count and capacity.
inline constexpr Integer MaxListSize = 0x7FFFFFFF / 16;

// Index errors raise EListError "List index out of bounds (%d)"; a bad
// capacity or count raises EListError with its own message.
class TList : public TObject {
  HOST_CLASS(TList);

  TList() = default;
  ~TList() override = default;

  Integer Add(void* Item);
  void Insert(Integer Index, void* Item);
  void Delete(Integer Index);
  // Index the item had, or -1 when it was not in the list.
  Integer Remove(void* Item);
  // Takes the item out without deleting it; nullptr when absent.
  void* Extract(void* Item);
  Integer IndexOf(void* Item) const;
  void Exchange(Integer Index1, Integer Index2);
  void Move(Integer CurIndex, Integer NewIndex);
  // Deletes every item, last first, and gives the memory back.
  virtual void Clear();
  // Drops the nullptr items.
  void Pack();
  void* First() const;
  void* Last() const;
  // Grows the capacity when the list is full.
  TList* Expand();
  // Stable: items that compare equal keep their order.
  void Sort(TListSortCompare Compare);

  Integer GetCount() const { return static_cast<Integer>(FList.size()); }
  // Growing adds nullptr items; shrinking deletes from the end.
  void SetCount(Integer NewCount);
  Integer GetCapacity() const { return FCapacity; }
  void SetCapacity(Integer NewCapacity);

  void* Get(Integer Index) const;
  void Put(Integer Index, void* Item);
  void* operator[](Integer Index) const { return Get(Index); }

  std::vector<void*>::const_iterator begin() const { return FList.begin(); }
  std::vector<void*>::const_iterator end() const { return FList.end(); }

  [[noreturn]] static void Error(const char16_t* Msg, Integer Data);

 protected:
  // Told after an item came in (lnAdded) or went out (lnExtracted, lnDeleted),
  // so that an owning list can free it. nullptr items are never told about.
  // A descendant whose Notify frees must Clear in its own destructor: by the
  // time the base destructor runs, the override is gone.
  virtual void Notify(void* Ptr, TListNotification Action) {}

 private:
  void CheckIndex(Integer Index) const;
  void Grow();

  std::vector<void*> FList;
  Integer FCapacity = 0;
};

// Frees the objects it deletes while it owns them (the default); Extract hands
// an object back without freeing it.
class TObjectList : public TList {
  HOST_CLASS(TObjectList);

  TObjectList() = default;
  explicit TObjectList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;

  Integer Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(Integer Index, TObject* AObject) { TList::Insert(Index, AObject); }
  Integer Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  Integer IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  // Index of the first object at or after AStartAt that is of AClass (or, when
  // not AExact, of a descendant); -1 when none.
  Integer FindInstanceOf(TClass AClass, bool AExact = true, Integer AStartAt = 0) const;

  TObject* GetItem(Integer Index) const { return static_cast<TObject*>(Get(Index)); }
  // Frees the object replaced while owning.
  void SetItem(Integer Index, TObject* AObject) { Put(Index, AObject); }
  TObject* operator[](Integer Index) const { return GetItem(Index); }

  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

 protected:
  void Notify(void* Ptr, TListNotification Action) override;

 private:
  bool FOwnsObjects = true;
};

// Interfaces are not reference counted here, so the list neither keeps its
// items alive nor frees them. Lock and Unlock stay for callers written for a
// shared list; the list itself is not shared between threads.
class TInterfaceList : public TObject {
  HOST_CLASS(TInterfaceList);

  Integer Add(IInterface* Item);
  void Insert(Integer Index, IInterface* Item);
  void Delete(Integer Index);
  Integer Remove(IInterface* Item);
  IInterface* Extract(IInterface* Item);
  Integer IndexOf(IInterface* Item) const;
  void Exchange(Integer Index1, Integer Index2);
  void Clear() { FList.clear(); }
  IInterface* First() const { return Get(0); }
  IInterface* Last() const { return Get(GetCount() - 1); }
  void Lock() {}
  void Unlock() {}

  Integer GetCount() const { return static_cast<Integer>(FList.size()); }
  IInterface* Get(Integer Index) const;
  void Put(Integer Index, IInterface* Item);
  IInterface* operator[](Integer Index) const { return Get(Index); }

 private:
  void CheckIndex(Integer Index) const;

  std::vector<IInterface*> FList;
};

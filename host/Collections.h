#pragma once
// Collections: lists of items of one class that the collection owns, that can
// be assigned and stored with the object holding them.

#include <vector>

#include "host/Persistent.h"

enum TCollectionNotification : uint8_t { cnAdded, cnExtracting, cnDeleting };

class TCollection;
class TCollectionItem;
using TCollectionItemClass = TClass;
// Makes a new item in Collection. Class references make objects through a
// factory that receives a component, so a collection is given its own.
using TCollectionItemFactory = TCollectionItem* (*)(TCollection* Collection);

template <typename T>
TCollectionItem* CreateCollectionItem(TCollection* Collection) {
  return new T(Collection);
}

class TCollectionItem : public TPersistent {
  HOST_CLASS(TCollectionItem);

  // Joins Collection when there is one.
  explicit TCollectionItem(TCollection* Collection);
  // Leaves the collection.
  ~TCollectionItem() override;
  void BeforeDestruction() override;

  TCollection* GetCollection() const { return FCollection; }
  // Leaves the current collection and joins Value, getting a new ID there.
  virtual void SetCollection(TCollection* Value);
  // Unique in the collection, in the order items joined; never reused.
  Integer GetID() const { return FID; }
  // -1 outside a collection.
  Integer GetIndex() const;
  // Moves the item; EListError for an index outside the collection.
  virtual void SetIndex(Integer Value);
  // The class name unless a descendant has something better.
  virtual String GetDisplayName() const;
  virtual void SetDisplayName(const String& Value);
  // "<collection's path>[index]", or the class name outside a collection.
  String GetNamePath() const override;
  TPersistent* GetOwner() const override;

 protected:
  // Tells the collection: with this item alone, or as a change of all.
  virtual void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  Integer FID = 0;
};

// Owns its items and frees them with itself. Update is called with the item
// whose own data changed, or with nullptr after an item was added, deleted or
// moved or on Changed(true), since then the indices of others may have moved
// too. Inside BeginUpdate/EndUpdate it is not called; the final EndUpdate
// calls it once with nullptr if anything changed.
class TCollection : public TPersistent {
  HOST_CLASS(TCollection);

  // ItemClass names the items' class; CreateItem makes them, usually
  // CreateCollectionItem<TItem>. Without it, Add and Insert give nullptr.
  TCollection(TCollectionItemClass ItemClass, TCollectionItemFactory CreateItem);
  ~TCollection() override;

  // A new item at the end. The collection's Notify and Update hear of it once
  // it is fully made (an item constructed directly joins from its base
  // constructor, before its own part exists).
  TCollectionItem* Add();
  // A new item at Index (0..Count).
  TCollectionItem* Insert(Integer Index);
  // Frees the item at Index.
  void Delete(Integer Index);
  virtual void Clear();
  // Clears, then adds an item for each of Source's and assigns it, all in one
  // update.
  void Assign(TPersistent* Source) override;

  virtual void BeginUpdate();
  virtual void EndUpdate();
  Integer GetUpdateCount() const { return FUpdateCount; }

  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  // EListError out of range.
  TCollectionItem* GetItem(Integer Index) const;
  // Assigns Value to the item at Index.
  void SetItem(Integer Index, TCollectionItem* Value);
  TCollectionItem* FindItemID(Integer ID) const;
  TCollectionItemClass GetItemClass() const { return FItemClass; }

  // The name of the owner's property that holds the collection, which the
  // owner tells it, since no class information lists properties.
  const String& GetPropName() const { return FPropName; }
  void SetPropName(const String& Value) { FPropName = Value; }
  // "<owner's path>.<property>" when both are known, else the class name.
  String GetNamePath() const override;

 protected:
  // Not while updating; see the class comment.
  virtual void Update(TCollectionItem* Item) {}
  // cnAdded after an item joined; cnDeleting before the collection frees an
  // item (Delete, Clear); cnExtracting before any item leaves, freed or moved
  // to another collection.
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  // A change of all items.
  void Changed() { ItemChanged(nullptr); }

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void ItemChanged(TCollectionItem* Item);
  void CheckIndex(Integer Index) const;
  // Makes an item through the factory; it has joined at the end, and unless
  // Announced, Notify and Update have not heard of it yet.
  TCollectionItem* NewItem(bool& Announced);
  void Announce(TCollectionItem* Item);

  TCollectionItemClass FItemClass;
  TCollectionItemFactory FCreateItem;
  std::vector<TCollectionItem*> FItems;
  String FPropName;
  Integer FNextID = 0;
  Integer FUpdateCount = 0;
  bool FChangedInUpdate = false;
  bool FHoldNextItem = false;
  TCollectionItem* FHeldItem = nullptr;
};

// A collection that knows the object holding it.
class TOwnedCollection : public TCollection {
  HOST_CLASS(TOwnedCollection);

  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass, TCollectionItemFactory CreateItem)
      : TCollection(ItemClass, CreateItem), FOwner(AOwner) {}

  TPersistent* GetOwner() const override { return FOwner; }

 private:
  TPersistent* FOwner;
};

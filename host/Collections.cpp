#include "host/Collections.h"

#include <algorithm>

#include "host/Exceptions.h"
#include "host/SysConst.h"
#include "platform/ScopeExit.h"

HOST_CLASS_INFO(TCollectionItem, TPersistent, nullptr)
HOST_CLASS_INFO(TCollection, TPersistent, nullptr)
HOST_CLASS_INFO(TOwnedCollection, TCollection, nullptr)

// --- TCollectionItem ---

TCollectionItem::TCollectionItem(TCollection* Collection) {
  if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::BeforeDestruction() {
  // Leaving here, while the item is whole, lets the collection's Notify look
  // at all of it.
  if (FCollection) FCollection->RemoveItem(this);
  TPersistent::BeforeDestruction();
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (Value == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

Integer TCollectionItem::GetIndex() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  return static_cast<Integer>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(Integer Value) {
  const Integer current = GetIndex();
  if (current < 0 || current == Value) return;
  FCollection->CheckIndex(Value);
  auto& items = FCollection->FItems;
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

String TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const String& Value) { Changed(false); }

String TCollectionItem::GetNamePath() const {
  if (!FCollection) return ClassName();
  return Format(u"%s[%d]", {FCollection->GetNamePath(), GetIndex()});
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection) FCollection->ItemChanged(AllItems ? nullptr : this);
}

// --- TCollection ---

TCollection::TCollection(TCollectionItemClass ItemClass, TCollectionItemFactory CreateItem)
    : FItemClass(ItemClass), FCreateItem(CreateItem) {}

TCollection::~TCollection() {
  // Nobody is to hear of changes to a collection going away.
  FUpdateCount = 1;
  while (!FItems.empty()) TObject::Free(FItems.back());
}

void TCollection::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError(SListIndexError, {Index});
}

void TCollection::InsertItem(TCollectionItem* Item) {
  Item->FCollection = this;
  Item->FID = FNextID++;
  FItems.push_back(Item);
  if (FHoldNextItem) {
    FHoldNextItem = false;
    FHeldItem = Item;
    return;
  }
  Announce(Item);
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  // An item that never got announced (its constructor failed) leaves quietly.
  const bool announced = Item != FHeldItem;
  if (announced)
    Notify(Item, cnExtracting);
  else
    FHeldItem = nullptr;
  const auto it = std::find(FItems.rbegin(), FItems.rend(), Item);
  if (it != FItems.rend()) FItems.erase(std::next(it).base());
  Item->FCollection = nullptr;
  if (announced) Changed();
}

void TCollection::Announce(TCollectionItem* Item) {
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::ItemChanged(TCollectionItem* Item) {
  if (FUpdateCount == 0)
    Update(Item);
  else
    FChangedInUpdate = true;
}

TCollectionItem* TCollection::NewItem(bool& Announced) {
  Announced = false;
  if (!FCreateItem) return nullptr;
  TCollectionItem* item = nullptr;
  TCollectionItem* held = nullptr;
  {
    // Saved and restored in case an item's constructor adds items of its own.
    TScopeExit restore([this, savedHold = FHoldNextItem, savedHeld = FHeldItem] {
      FHoldNextItem = savedHold;
      FHeldItem = savedHeld;
    });
    FHoldNextItem = true;
    FHeldItem = nullptr;
    item = FCreateItem(this);
    held = FHeldItem;
  }
  if (held != item) {
    // The factory's item did not join through its constructor: whatever did
    // join is announced now, and the item joins the usual way.
    if (held) Announce(held);
    if (item) item->SetCollection(this);
    Announced = true;
  }
  return item;
}

TCollectionItem* TCollection::Add() { return Insert(GetCount()); }

TCollectionItem* TCollection::Insert(Integer Index) {
  if (Index < 0 || Index > GetCount()) throw EListError(SListIndexError, {Index});
  bool announced = false;
  TCollectionItem* item = NewItem(announced);
  if (!item) return nullptr;
  if (announced) {
    item->SetIndex(Index);
    return item;
  }
  const Integer current = item->GetIndex();
  if (current != Index) {
    FItems.erase(FItems.begin() + current);
    FItems.insert(FItems.begin() + Index, item);
  }
  Announce(item);
  return item;
}

void TCollection::Delete(Integer Index) {
  TCollectionItem* item = GetItem(Index);
  Notify(item, cnDeleting);
  TObject::Free(item);
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  TScopeExit endUpdate([this] { EndUpdate(); });
  while (!FItems.empty()) {
    TCollectionItem* item = FItems.back();
    Notify(item, cnDeleting);
    TObject::Free(item);
  }
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  TScopeExit endUpdate([this] { EndUpdate(); });
  Clear();
  for (Integer i = 0; i < source->GetCount(); ++i) Add()->Assign(source->GetItem(i));
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount > 0 || !FChangedInUpdate) return;
  FChangedInUpdate = false;
  Update(nullptr);
}

TCollectionItem* TCollection::GetItem(Integer Index) const {
  CheckIndex(Index);
  return FItems[Index];
}

void TCollection::SetItem(Integer Index, TCollectionItem* Value) { GetItem(Index)->Assign(Value); }

TCollectionItem* TCollection::FindItemID(Integer ID) const {
  const auto it =
      std::find_if(FItems.begin(), FItems.end(), [ID](const TCollectionItem* item) { return item->FID == ID; });
  return it == FItems.end() ? nullptr : *it;
}

String TCollection::GetNamePath() const {
  const TPersistent* owner = GetOwner();
  if (!owner || FPropName.empty()) return ClassName();
  const String ownerPath = owner->GetNamePath();
  if (ownerPath.empty()) return ClassName();
  return ownerPath + u"." + FPropName;
}

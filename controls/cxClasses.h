#pragma once
// The suite's base classes: owning and linked lists, objects with interface
// support, owned persistents, components, free notification, the timer on
// its shared message window, and registries of classes.

#include <memory>
#include <vector>

#include "host/Components.h"
#include "host/Lists.h"
#include "platform/WindowTypes.h"
#include "platform/Timers.h"

// Frees the objects it holds when they leave it by Clear, FreeAndDelete,
// FreeAndRemove or its own destruction; Delete, Remove and Extract hand them
// back untouched.
class TcxObjectList : public TList {
  HOST_CLASS(TcxObjectList);

  explicit TcxObjectList(bool AOwnObjects = true) : FOwnObjects(AOwnObjects) {}
  ~TcxObjectList() override;

  // Frees every object, last first, while owning them, then empties the list.
  void Clear() override;
  void FreeAndDelete(Integer Index);
  // Index the object had, or -1 when it was not there (and is not freed).
  Integer FreeAndRemove(TObject* AObject);

  TObject* GetItem(Integer Index) const { return static_cast<TObject*>(Get(Index)); }
  bool GetOwnObjects() const { return FOwnObjects; }

 private:
  bool FOwnObjects;
};

// An object that implements interfaces without counting references.
class TcxIUnknownObject : public TObject, public virtual IInterface {
  HOST_CLASS(TcxIUnknownObject);
};

// A persistent whose owner names it and decides its life.
class TcxOwnedPersistent : public TPersistent {
  HOST_CLASS(TcxOwnedPersistent);

  explicit TcxOwnedPersistent(TPersistent* AOwner) : FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// The base of the suite's settings objects: an owned persistent that
// implements interfaces without counting references; its owner decides its
// life.
class TcxInterfacedPersistent : public TInterfacedPersistent {
  HOST_CLASS(TcxInterfacedPersistent);

  explicit TcxInterfacedPersistent(TPersistent* AOwner) : FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// The base of the suite's components.
class TcxComponent : public TComponent {
  HOST_CLASS(TcxComponent);

  explicit TcxComponent(TComponent* AOwner) : TComponent(AOwner) {}
};

// A component that, before it goes, tells those that asked for free
// notification and leaves its owner, so that they all hear of it while it is
// still whole.
class TcxCustomComponent : public TComponent {
  HOST_CLASS(TcxCustomComponent);

  explicit TcxCustomComponent(TComponent* AOwner) : TComponent(AOwner) {}
  void BeforeDestruction() override;
};

using TcxFreeNotificationEvent = std::function<void(TComponent* AComponent)>;

// Tells, through OnFreeNotification, of the destruction of the components it
// watches, for objects that are not components themselves.
class TcxFreeNotificator : public TComponent {
  HOST_CLASS(TcxFreeNotificator);

  explicit TcxFreeNotificator(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

  void AddSender(TComponent* ASender);
  void RemoveSender(TComponent* ASender);

  TcxFreeNotificationEvent OnFreeNotification;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

class TcxDoublyLinkedData : public TObject {
  HOST_CLASS(TcxDoublyLinkedData);

  TcxDoublyLinkedData* GetNext() const { return FNext; }
  TcxDoublyLinkedData* GetPrev() const { return FPrev; }

 private:
  friend class TcxDoublyLinkedObjectList;
  TcxDoublyLinkedData* FNext = nullptr;
  TcxDoublyLinkedData* FPrev = nullptr;
};

// A chain of linked objects that the list owns.
class TcxDoublyLinkedObjectList : public TObject {
  HOST_CLASS(TcxDoublyLinkedObjectList);

  TcxDoublyLinkedObjectList() = default;
  ~TcxDoublyLinkedObjectList() override;

  // A new object of CreateLinkedObject's kind at the end.
  TcxDoublyLinkedData* Add();
  // ASource (not in a list) goes before or after ADestination, which a null
  // destination makes the first or the last object.
  void InsertBefore(TcxDoublyLinkedData* ADestination, TcxDoublyLinkedData* ASource);
  void InsertAfter(TcxDoublyLinkedData* ADestination, TcxDoublyLinkedData* ASource);
  // Takes the object out of the chain; the caller owns it then.
  void Extract(TcxDoublyLinkedData* AData);
  // Takes it out and frees it.
  void Remove(TcxDoublyLinkedData* AData);
  void Clear();

  TcxDoublyLinkedData* GetFirst() const { return FFirst; }
  TcxDoublyLinkedData* GetLast() const { return FLast; }
  Integer GetCount() const { return FCount; }

 protected:
  virtual TcxDoublyLinkedData* CreateLinkedObject() { return new TcxDoublyLinkedData; }

 private:
  TcxDoublyLinkedData* FFirst = nullptr;
  TcxDoublyLinkedData* FLast = nullptr;
  Integer FCount = 0;
};

// A utility window (AllocateHWnd) whose messages go to WndProc: top-level,
// so that system-wide broadcasts reach it.
class TcxMessageWindow : public TObject {
  HOST_CLASS(TcxMessageWindow);

  TcxMessageWindow();
  ~TcxMessageWindow() override;

  HWND GetHandle() const { return FHandle; }

 protected:
  // The default handling of the window.
  virtual LRESULT WndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam);

 private:
  HWND FHandle = nullptr;
};

// A window-message timer. Every running timer ticks through the one shared
// timer window, with its own identity as the timer id.
class TcxTimer : public TComponent {
  HOST_CLASS(TcxTimer);

  explicit TcxTimer(TComponent* AOwner);
  ~TcxTimer() override;

  // A change of Enabled, Interval or OnTimer restarts the timer; it runs
  // while it is enabled and has a handler.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Milliseconds; 0 is ignored.
  Cardinal GetInterval() const { return FInterval; }
  void SetInterval(Cardinal Value);
  const TNotifyEvent& GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

  UINT_PTR GetEventID() const { return FEventID; }

 protected:
  friend class TcxTimerWindow;
  // One tick: fires OnTimer.
  virtual void TimeOut();

 private:
  void KillTimer();
  void Restart();

  bool FEnabled = true;
  Cardinal FInterval = 1000;
  TNotifyEvent FOnTimer;
  UINT_PTR FEventID;
  bool FTimerOn = false;
};

// An unowned timer with its handler, interval and state set.
std::unique_ptr<TcxTimer, TFreeObject> cxCreateTimer(TNotifyEvent AHandler, Cardinal AInterval = 1000,
                                                     bool AEnabled = true);

// The window every TcxTimer ticks through, made on first use.
TcxMessageWindow* cxTimerWindow();

// Classes with a description and a hint, given as "description|hint".
class TcxRegisteredClasses : public TObject {
  HOST_CLASS(TcxRegisteredClasses);

  // With ARegisterClasses every class registered here is also registered
  // with the framework's streaming registry, and unregistered from it.
  explicit TcxRegisteredClasses(bool ARegisterClasses = false) : FRegisterClasses(ARegisterClasses) {}

  // Nothing for a class registered already.
  void Register(TClass AClass, const String& ADescription);
  void Unregister(TClass AClass);
  void Clear();

  // The first exact match, or nullptr.
  TClass FindByClassName(const String& AClassName) const;
  TClass FindByDescription(const String& ADescription) const;
  // Empty for a class not registered.
  String GetDescriptionByClass(TClass AClass) const;
  String GetHintByClass(TClass AClass) const;
  // -1 when not registered.
  Integer GetIndexByClass(TClass AClass) const;

  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TClass GetItems(Integer Index) const { return FItems.at(Index).Class; }
  // The part of the stored text before the first "|", and the part after it.
  String GetDescriptions(Integer Index) const;
  String GetHints(Integer Index) const;
  bool GetSorted() const { return FSorted; }
  // Sorts at once when switched on.
  void SetSorted(bool Value);
  bool GetRegisterClasses() const { return FRegisterClasses; }

 protected:
  // By description, case ignored, in the user's collation.
  virtual Integer CompareItems(Integer AIndex1, Integer AIndex2) const;
  // Stable, by CompareItems.
  virtual void Sort();

 private:
  struct TItem {
    String Text;
    TClass Class;
  };
  std::vector<TItem> FItems;
  bool FSorted = false;
  bool FRegisterClasses;
};

// A plain mapping from item classes to the classes registered for them.
class TcxRegisteredClassList : public TObject {
  HOST_CLASS(TcxRegisteredClassList);

  // Registering an item class again replaces its registered class.
  void Register(TClass AItemClass, TClass ARegisteredClass);
  // Removes the mapping when it is to ARegisteredClass.
  void Unregister(TClass AItemClass, TClass ARegisteredClass);
  // Where AItemClass itself is mapped; false when it is not.
  bool Find(TClass AItemClass, Integer& AIndex) const;
  // The class registered for AItemClass or, failing that, for its nearest
  // ancestor; nullptr when none is.
  TClass FindClass(TClass AItemClass) const;

  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TClass GetItemClasses(Integer Index) const { return FItems.at(Index).first; }
  TClass GetRegisteredClasses(Integer Index) const { return FItems.at(Index).second; }

 private:
  std::vector<std::pair<TClass, TClass>> FItems;
};

// The unit that frees the timer window and its window class at the end.
void RegisterClassesUnit();

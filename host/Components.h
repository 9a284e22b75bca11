#pragma once
// Components: named objects owned by other components, freed with their
// owner, and told when components they refer to go away.

#include <functional>
#include <vector>

#include "host/Persistent.h"
#include "host/Sets.h"

enum TComponentStateItem : uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation : uint8_t { opInsert, opRemove };

class TComponent;
class TReader;
using TGetChildProc = std::function<void(TComponent* Child)>;

class TComponent : public TPersistent {
  HOST_CLASS(TComponent);

  explicit TComponent(TComponent* AOwner);
  // Frees the owned components, tells every component that asked for free
  // notification, and leaves the owner.
  ~TComponent() override;
  void BeforeDestruction() override;

  TComponent* GetOwner() const override { return FOwner; }
  const String& GetName() const { return FName; }
  // A valid identifier, unique among the owner's components (case ignored);
  // EComponentError otherwise.
  virtual void SetName(const String& NewName);
  NativeInt GetTag() const { return FTag; }
  void SetTag(NativeInt Value) { FTag = Value; }
  String GetNamePath() const override { return FName; }

  Integer GetComponentCount() const { return static_cast<Integer>(FComponents.size()); }
  TComponent* GetComponents(Integer Index) const;  // EListError out of range
  Integer GetComponentIndex() const;
  // Case-insensitive; nullptr when none.
  TComponent* FindComponent(std::u16string_view AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  const TComponentState& GetComponentState() const { return FComponentState; }
  // For the streaming system and the framework's own state changes.
  void IncludeState(TComponentStateItem Item) { FComponentState.Include(Item); }
  void ExcludeState(TComponentStateItem Item) { FComponentState.Exclude(Item); }

  // AComponent is told (Notification with opRemove) when this one goes away,
  // and this one when AComponent does.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Parent-component protocol of the stored form description.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) {}
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root) {}

  // Reads the stored properties and children; descendants wrap it.
  virtual void ReadState(TReader* Reader);
  // After the stored properties are read.
  virtual void Loaded() { FComponentState.Exclude(csLoading); }
  // Marks the component and its owned ones as being destroyed.
  virtual void Destroying();

 protected:
  // Told of insertions and removals among the owned components and of the
  // removal of components this one asked to be notified about. The base
  // passes it on to the owned components.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  // Tells every component that asked for free notification that this one is
  // going, and forgets them.
  void RemoveFreeNotifications();

 private:
  // The owner's published field of this name points here, or no longer.
  void SetReference(bool Enable);
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  String FName;
  NativeInt FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
};

// True for a letter or '_' followed by letters, digits and '_'.
bool IsValidIdent(std::u16string_view Ident);

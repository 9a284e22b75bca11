#include "host/Components.h"

#include <algorithm>

#include "host/Exceptions.h"
#include "host/Filer.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"

HOST_CLASS_INFO(TComponent, TPersistent, &CreateOwned<TComponent>)

namespace {

bool IsIdentStart(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

}  // namespace

bool IsValidIdent(std::u16string_view Ident) {
  if (Ident.empty() || !IsIdentStart(Ident[0])) return false;
  for (char16_t c : Ident.substr(1))
    if (!IsIdentStart(c) && !(c >= u'0' && c <= u'9')) return false;
  return true;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  RemoveFreeNotifications();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
  Destroying();
  // While this component is still whole, so the owned ones may look at it.
  DestroyComponents();
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName)) throw EComponentError(SInvalidName, {NewName});
  if (FOwner) FOwner->ValidateRename(this, FName, NewName);
  else ValidateRename(nullptr, FName, NewName);
  SetReference(false);
  FName = NewName;
  SetReference(true);
}

void TComponent::SetReference(bool Enable) {
  if (!FOwner) return;
  if (const TFieldInfo* field = FindField(FOwner->ClassType(), FName)) field->Set(FOwner, Enable ? this : nullptr);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (AComponent && !SameText(CurName, NewName) && AComponent->FOwner == this && FindComponent(NewName))
    throw EComponentError(SDuplicateName, {NewName});
}

TComponent* TComponent::GetComponents(Integer Index) const {
  if (Index < 0 || Index >= GetComponentCount()) throw EListError(SListIndexError, {Index});
  return FComponents[static_cast<size_t>(Index)];
}

Integer TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  const auto& siblings = FOwner->FComponents;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return it == siblings.end() ? -1 : static_cast<Integer>(it - siblings.begin());
}

TComponent* TComponent::FindComponent(std::u16string_view AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent) return;
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  ValidateRename(AComponent, String(), AComponent->FName);
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  AComponent->SetReference(true);
}

void TComponent::Remove(TComponent* AComponent) {
  AComponent->SetReference(false);
  AComponent->FOwner = nullptr;
  Erase(FComponents, AComponent);
}

void TComponent::DestroyComponents() {
  // Last first, without notifications: the owner is going away anyway.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    Remove(c);
    TObject::Free(c);
  }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // By index from the end: a component told may free others.
  for (size_t i = FComponents.size(); i-- > 0;)
    if (i < FComponents.size()) FComponents[i]->Notification(AComponent, Operation);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  // Components of one owner hear of each other through the owner already.
  if (!FOwner || AComponent->FOwner != FOwner) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  Erase(FFreeNotifies, AComponent);
  if (AComponent) Erase(AComponent->FFreeNotifies, this);
}

void TComponent::RemoveFreeNotifications() {
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Erase(other->FFreeNotifies, this);
    other->Notification(this, opRemove);
  }
}

void TComponent::ReadState(TReader* Reader) { Reader->ReadData(this); }

#include "controls/cxClasses.h"

#include <algorithm>
#include <numeric>

#include "controls/dxCore.h"
#include "host/ExceptionHandling.h"
#include "host/SysUtils.h"
#include "host/UtilityWindows.h"

HOST_CLASS_INFO(TcxObjectList, TList, nullptr)
HOST_CLASS_INFO(TcxIUnknownObject, TObject, nullptr)
HOST_CLASS_INFO(TcxOwnedPersistent, TPersistent, nullptr)
HOST_CLASS_INFO(TcxInterfacedPersistent, TInterfacedPersistent, nullptr)
HOST_CLASS_INFO(TcxComponent, TComponent, &CreateOwned<TcxComponent>)
HOST_CLASS_INFO(TcxCustomComponent, TComponent, &CreateOwned<TcxCustomComponent>)
HOST_CLASS_INFO(TcxFreeNotificator, TComponent, &CreateOwned<TcxFreeNotificator>)
HOST_CLASS_INFO(TcxDoublyLinkedData, TObject, &CreateDefault<TcxDoublyLinkedData>)
HOST_CLASS_INFO(TcxDoublyLinkedObjectList, TObject, &CreateDefault<TcxDoublyLinkedObjectList>)
HOST_CLASS_INFO(TcxMessageWindow, TObject, nullptr)
HOST_CLASS_INFO(TcxTimer, TComponent, &CreateOwned<TcxTimer>)
HOST_CLASS_INFO(TcxRegisteredClasses, TObject, nullptr)
HOST_CLASS_INFO(TcxRegisteredClassList, TObject, &CreateDefault<TcxRegisteredClassList>)

// --- TcxObjectList ---------------------------------------------------------------

TcxObjectList::~TcxObjectList() { Clear(); }

void TcxObjectList::Clear() {
  if (FOwnObjects)
    for (Integer i = GetCount() - 1; i >= 0; --i) {
      // Taken out first: a destructor that looks at the list finds it gone.
      TObject* item = GetItem(i);
      Put(i, nullptr);
      TObject::Free(item);
    }
  TList::Clear();
}

void TcxObjectList::FreeAndDelete(Integer Index) {
  TObject* item = GetItem(Index);
  Delete(Index);
  if (FOwnObjects) TObject::Free(item);
}

Integer TcxObjectList::FreeAndRemove(TObject* AObject) {
  const Integer index = Remove(AObject);
  if (index >= 0 && FOwnObjects) TObject::Free(AObject);
  return index;
}

// --- TcxCustomComponent -------------------------------------------------------

void TcxCustomComponent::BeforeDestruction() {
  TComponent::BeforeDestruction();
  RemoveFreeNotifications();
  if (TComponent* owner = GetOwner()) owner->RemoveComponent(this);
}

// --- TcxFreeNotificator -------------------------------------------------------

void TcxFreeNotificator::AddSender(TComponent* ASender) {
  if (ASender) ASender->FreeNotification(this);
}

void TcxFreeNotificator::RemoveSender(TComponent* ASender) {
  if (ASender) ASender->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && OnFreeNotification) OnFreeNotification(AComponent);
}

// --- TcxDoublyLinkedObjectList ------------------------------------------------

TcxDoublyLinkedObjectList::~TcxDoublyLinkedObjectList() { Clear(); }

TcxDoublyLinkedData* TcxDoublyLinkedObjectList::Add() {
  TcxDoublyLinkedData* data = CreateLinkedObject();
  InsertAfter(FLast, data);
  return data;
}

void TcxDoublyLinkedObjectList::InsertBefore(TcxDoublyLinkedData* ADestination, TcxDoublyLinkedData* ASource) {
  if (!ADestination) ADestination = FFirst;
  ASource->FNext = ADestination;
  ASource->FPrev = ADestination ? ADestination->FPrev : nullptr;
  if (ASource->FPrev)
    ASource->FPrev->FNext = ASource;
  else
    FFirst = ASource;
  if (ADestination)
    ADestination->FPrev = ASource;
  else
    FLast = ASource;
  ++FCount;
}

void TcxDoublyLinkedObjectList::InsertAfter(TcxDoublyLinkedData* ADestination, TcxDoublyLinkedData* ASource) {
  if (!ADestination) ADestination = FLast;
  ASource->FPrev = ADestination;
  ASource->FNext = ADestination ? ADestination->FNext : nullptr;
  if (ASource->FNext)
    ASource->FNext->FPrev = ASource;
  else
    FLast = ASource;
  if (ADestination)
    ADestination->FNext = ASource;
  else
    FFirst = ASource;
  ++FCount;
}

void TcxDoublyLinkedObjectList::Extract(TcxDoublyLinkedData* AData) {
  if (AData->FPrev)
    AData->FPrev->FNext = AData->FNext;
  else
    FFirst = AData->FNext;
  if (AData->FNext)
    AData->FNext->FPrev = AData->FPrev;
  else
    FLast = AData->FPrev;
  AData->FNext = nullptr;
  AData->FPrev = nullptr;
  --FCount;
}

void TcxDoublyLinkedObjectList::Remove(TcxDoublyLinkedData* AData) {
  Extract(AData);
  TObject::Free(AData);
}

void TcxDoublyLinkedObjectList::Clear() {
  while (FLast) Remove(FLast);
}

// --- TcxMessageWindow ---------------------------------------------------------

TcxMessageWindow::TcxMessageWindow() {
  FHandle = AllocateHWnd(
      [this](TMessage& Message) { Message.Result = WndProc(Message.Msg, Message.WParam, Message.LParam); });
}

TcxMessageWindow::~TcxMessageWindow() { DeallocateHWnd(FHandle); }

LRESULT TcxMessageWindow::WndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
  return DefWindowProcW(FHandle, AMsg, AWParam, ALParam);
}

// --- TcxTimer -----------------------------------------------------------------

namespace {

// Timers whose Windows timer runs, by their ids.
std::vector<TcxTimer*>& ActiveTimerList() {
  static std::vector<TcxTimer*> list;
  return list;
}

std::unique_ptr<TcxMessageWindow, TFreeObject>& TimerWindow() {
  static std::unique_ptr<TcxMessageWindow, TFreeObject> window;
  return window;
}

// Ids are never reused, so a tick queued for a freed timer reaches no other.
UINT_PTR NewTimerEventID() {
  static UINT_PTR next = 0;
  return ++next;
}

void FinalizeClasses() { TimerWindow().reset(); }

}  // namespace

class TcxTimerWindow : public TcxMessageWindow {
 protected:
  LRESULT WndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) override {
    if (AMsg != WM_TIMER) return TcxMessageWindow::WndProc(AMsg, AWParam, ALParam);
    const auto& timers = ActiveTimerList();
    auto it = std::find_if(timers.begin(), timers.end(), [&](TcxTimer* t) { return t->GetEventID() == AWParam; });
    if (it != timers.end()) {
      TcxTimer* timer = *it;
      try {
        timer->TimeOut();
      } catch (...) {
        HandleException(timer);
      }
    }
    return 0;
  }
};

TcxMessageWindow* cxTimerWindow() {
  auto& window = TimerWindow();
  if (!window) window.reset(new TcxTimerWindow);
  return window.get();
}

TcxTimer::TcxTimer(TComponent* AOwner) : TComponent(AOwner), FEventID(NewTimerEventID()) {}

TcxTimer::~TcxTimer() { KillTimer(); }

void TcxTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Restart();
}

void TcxTimer::SetInterval(Cardinal Value) {
  if (Value == 0 || Value == FInterval) return;
  FInterval = Value;
  Restart();
}

void TcxTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  Restart();
}

void TcxTimer::TimeOut() {
  if (FOnTimer) FOnTimer(this);
}

void TcxTimer::KillTimer() {
  if (!FTimerOn) return;
  FTimerOn = false;
  std::erase(ActiveTimerList(), this);
  if (TimerWindow()) ::KillTimer(TimerWindow()->GetHandle(), FEventID);
}

void TcxTimer::Restart() {
  KillTimer();
  if (!FEnabled || FTimerOn || !FOnTimer) return;
  FTimerOn = SetTimer(cxTimerWindow()->GetHandle(), FEventID, FInterval, nullptr) != 0;
  if (FTimerOn) ActiveTimerList().push_back(this);
}

std::unique_ptr<TcxTimer, TFreeObject> cxCreateTimer(TNotifyEvent AHandler, Cardinal AInterval, bool AEnabled) {
  std::unique_ptr<TcxTimer, TFreeObject> timer(new TcxTimer(nullptr));
  timer->SetEnabled(false);  // so that it starts once, with everything set
  timer->SetInterval(AInterval);
  timer->SetOnTimer(std::move(AHandler));
  timer->SetEnabled(AEnabled);
  return timer;
}

// --- TcxRegisteredClasses -----------------------------------------------------

namespace {

String DescriptionOf(const String& AText) { return AText.substr(0, AText.find(u'|')); }

String HintOf(const String& AText) {
  const size_t bar = AText.find(u'|');
  return bar == String::npos ? String() : AText.substr(bar + 1);
}

}  // namespace

void TcxRegisteredClasses::Register(TClass AClass, const String& ADescription) {
  if (!AClass || GetIndexByClass(AClass) >= 0) return;
  FItems.push_back({ADescription, AClass});
  if (FSorted) Sort();
  if (FRegisterClasses) RegisterClass(AClass);
}

void TcxRegisteredClasses::Unregister(TClass AClass) {
  const Integer index = GetIndexByClass(AClass);
  if (index < 0) return;
  FItems.erase(FItems.begin() + index);
  if (FRegisterClasses) UnRegisterClass(AClass);
}

void TcxRegisteredClasses::Clear() { FItems.clear(); }

TClass TcxRegisteredClasses::FindByClassName(const String& AClassName) const {
  for (const TItem& item : FItems)
    if (AClassName == item.Class->Name) return item.Class;
  return nullptr;
}

TClass TcxRegisteredClasses::FindByDescription(const String& ADescription) const {
  for (const TItem& item : FItems)
    if (DescriptionOf(item.Text) == ADescription) return item.Class;
  return nullptr;
}

String TcxRegisteredClasses::GetDescriptionByClass(TClass AClass) const {
  const Integer index = GetIndexByClass(AClass);
  return index < 0 ? String() : GetDescriptions(index);
}

String TcxRegisteredClasses::GetHintByClass(TClass AClass) const {
  const Integer index = GetIndexByClass(AClass);
  return index < 0 ? String() : GetHints(index);
}

Integer TcxRegisteredClasses::GetIndexByClass(TClass AClass) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Class == AClass) return static_cast<Integer>(i);
  return -1;
}

String TcxRegisteredClasses::GetDescriptions(Integer Index) const { return DescriptionOf(FItems.at(Index).Text); }

String TcxRegisteredClasses::GetHints(Integer Index) const { return HintOf(FItems.at(Index).Text); }

void TcxRegisteredClasses::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (FSorted) Sort();
}

Integer TcxRegisteredClasses::CompareItems(Integer AIndex1, Integer AIndex2) const {
  return AnsiCompareText(GetDescriptions(AIndex1), GetDescriptions(AIndex2));
}

void TcxRegisteredClasses::Sort() {
  // CompareItems speaks of positions, so the positions are sorted and the
  // items moved once at the end.
  std::vector<Integer> order(FItems.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](Integer a, Integer b) { return CompareItems(a, b) < 0; });
  std::vector<TItem> sorted;
  sorted.reserve(FItems.size());
  for (Integer index : order) sorted.push_back(FItems[index]);
  FItems = std::move(sorted);
}

// --- TcxRegisteredClassList ---------------------------------------------------

void TcxRegisteredClassList::Register(TClass AItemClass, TClass ARegisteredClass) {
  Integer index;
  if (Find(AItemClass, index))
    FItems[index].second = ARegisteredClass;
  else
    FItems.emplace_back(AItemClass, ARegisteredClass);
}

void TcxRegisteredClassList::Unregister(TClass AItemClass, TClass ARegisteredClass) {
  Integer index;
  if (Find(AItemClass, index) && FItems[index].second == ARegisteredClass) FItems.erase(FItems.begin() + index);
}

bool TcxRegisteredClassList::Find(TClass AItemClass, Integer& AIndex) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].first == AItemClass) {
      AIndex = static_cast<Integer>(i);
      return true;
    }
  AIndex = -1;
  return false;
}

TClass TcxRegisteredClassList::FindClass(TClass AItemClass) const {
  for (TClass c = AItemClass; c; c = c->Parent) {
    Integer index;
    if (Find(c, index)) return FItems[index].second;
  }
  return nullptr;
}

void RegisterClassesUnit() { RegisterSuiteUnit<nullptr, &FinalizeClasses>("cxClasses"); }

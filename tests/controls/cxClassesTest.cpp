#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/cxClasses.h"
#include "platform/Windows.h"

namespace {

// Classes to register; each tells a shared log when it is destroyed.
std::vector<const void*>& Destroyed() {
  static std::vector<const void*> log;
  return log;
}

class TItemA : public TObject {
  HOST_CLASS(TItemA);
  ~TItemA() override { Destroyed().push_back(this); }
};
class TItemB : public TItemA {
  HOST_CLASS(TItemB);
};
class TItemC : public TItemB {
  HOST_CLASS(TItemC);
};
class TItemD : public TObject {
  HOST_CLASS(TItemD);
};

}  // namespace

HOST_CLASS_INFO(TItemA, TObject, &CreateDefault<TItemA>)
HOST_CLASS_INFO(TItemB, TItemA, &CreateDefault<TItemB>)
HOST_CLASS_INFO(TItemC, TItemB, &CreateDefault<TItemC>)
HOST_CLASS_INFO(TItemD, TObject, &CreateDefault<TItemD>)

namespace {

std::vector<String> DescriptionsOf(const TcxRegisteredClasses& AClasses) {
  std::vector<String> out;
  for (Integer i = 0; i < AClasses.GetCount(); ++i) out.push_back(AClasses.GetDescriptions(i));
  return out;
}

TEST(RegisteredClasses, KeepOneEntryPerClass) {
  TcxRegisteredClasses classes;
  classes.Register(TItemA::StaticClass(), u"First|The first hint");
  classes.Register(TItemA::StaticClass(), u"Again");
  classes.Register(nullptr, u"Nothing");
  ASSERT_EQ(classes.GetCount(), 1);
  EXPECT_EQ(classes.GetItems(0), TItemA::StaticClass());
  EXPECT_EQ(classes.GetDescriptionByClass(TItemA::StaticClass()), u"First");
  EXPECT_EQ(classes.GetHintByClass(TItemA::StaticClass()), u"The first hint");
}

TEST(RegisteredClasses, SortedByDescriptionRegardlessOfCase) {
  TcxRegisteredClasses classes;
  classes.Register(TItemA::StaticClass(), u"delta|d");
  classes.Register(TItemB::StaticClass(), u"Bravo");
  classes.SetSorted(true);
  EXPECT_EQ(DescriptionsOf(classes), (std::vector<String>{u"Bravo", u"delta"})) << "sorted when switched on";
  classes.Register(TItemC::StaticClass(), u"alpha|a|b");
  classes.Register(TItemD::StaticClass(), u"Charlie");
  EXPECT_EQ(DescriptionsOf(classes), (std::vector<String>{u"alpha", u"Bravo", u"Charlie", u"delta"}));
  EXPECT_EQ(classes.GetHints(0), u"a|b") << "the hint is everything after the first bar";
  EXPECT_EQ(classes.GetIndexByClass(TItemA::StaticClass()), 3);
  EXPECT_EQ(classes.GetHints(3), u"d");
  EXPECT_EQ(classes.GetHints(1), u"");
}

TEST(RegisteredClasses, SortedByTheLocalesCollationNotByCodeUnits) {
  TcxRegisteredClasses classes;
  classes.Register(TItemA::StaticClass(), u"zeta");
  classes.Register(TItemB::StaticClass(), u"\u00E9clair");
  classes.Register(TItemC::StaticClass(), u"Eclipse");
  classes.SetSorted(true);
  // By code units, even with case ignored, an e with an acute comes after z.
  EXPECT_EQ(DescriptionsOf(classes), (std::vector<String>{u"\u00E9clair", u"Eclipse", u"zeta"}));
}

TEST(RegisteredClasses, AnUnsortedListKeepsTheOrderOfRegistration) {
  TcxRegisteredClasses classes;
  classes.Register(TItemA::StaticClass(), u"b");
  classes.Register(TItemB::StaticClass(), u"A");
  EXPECT_EQ(DescriptionsOf(classes), (std::vector<String>{u"b", u"A"}));
}

TEST(RegisteredClasses, FindExactMatchesAndUnregister) {
  TcxRegisteredClasses classes;
  classes.Register(TItemA::StaticClass(), u"Alpha|hint");
  classes.Register(TItemB::StaticClass(), u"Beta");
  EXPECT_EQ(classes.FindByClassName(u"TItemB"), TItemB::StaticClass());
  EXPECT_EQ(classes.FindByClassName(u"titemb"), nullptr);
  EXPECT_EQ(classes.FindByDescription(u"Alpha"), TItemA::StaticClass());
  EXPECT_EQ(classes.FindByDescription(u"alpha"), nullptr);
  EXPECT_EQ(classes.FindByDescription(u"Alpha|hint"), nullptr);
  EXPECT_EQ(classes.GetIndexByClass(TItemC::StaticClass()), -1);
  EXPECT_EQ(classes.GetDescriptionByClass(TItemC::StaticClass()), u"");
  classes.Unregister(TItemA::StaticClass());
  classes.Unregister(TItemC::StaticClass());
  ASSERT_EQ(classes.GetCount(), 1);
  EXPECT_EQ(classes.GetItems(0), TItemB::StaticClass());
  classes.Clear();
  EXPECT_EQ(classes.GetCount(), 0);
}

TEST(RegisteredClasses, CanRegisterWithTheStreamingRegistry) {
  ASSERT_EQ(GetClass(u"TItemD"), nullptr);
  {
    TcxRegisteredClasses plain;
    plain.Register(TItemD::StaticClass(), u"D");
    EXPECT_EQ(GetClass(u"TItemD"), nullptr);
  }
  TcxRegisteredClasses streamed(true);
  streamed.Register(TItemD::StaticClass(), u"D");
  EXPECT_EQ(GetClass(u"TItemD"), TItemD::StaticClass());
  streamed.Unregister(TItemD::StaticClass());
  EXPECT_EQ(GetClass(u"TItemD"), nullptr);
}

TEST(RegisteredClassList, MapsClassesAndTheirDescendants) {
  TcxRegisteredClassList list;
  list.Register(TItemA::StaticClass(), TItemD::StaticClass());
  list.Register(TItemC::StaticClass(), TItemB::StaticClass());
  EXPECT_EQ(list.FindClass(TItemA::StaticClass()), TItemD::StaticClass());
  EXPECT_EQ(list.FindClass(TItemB::StaticClass()), TItemD::StaticClass()) << "through the parent";
  EXPECT_EQ(list.FindClass(TItemC::StaticClass()), TItemB::StaticClass());
  EXPECT_EQ(list.FindClass(TItemD::StaticClass()), nullptr);
  Integer index = 5;
  EXPECT_FALSE(list.Find(TItemB::StaticClass(), index));
  EXPECT_EQ(index, -1);
  list.Register(TItemA::StaticClass(), TItemC::StaticClass());
  EXPECT_EQ(list.GetCount(), 2) << "registering again replaces";
  EXPECT_EQ(list.FindClass(TItemA::StaticClass()), TItemC::StaticClass());
  list.Unregister(TItemA::StaticClass(), TItemD::StaticClass());
  EXPECT_EQ(list.GetCount(), 2) << "only the mapping to that class goes";
  list.Unregister(TItemA::StaticClass(), TItemC::StaticClass());
  ASSERT_TRUE(list.Find(TItemC::StaticClass(), index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(list.FindClass(TItemB::StaticClass()), nullptr);
}

class Lists : public ::testing::Test {
 protected:
  void SetUp() override { Destroyed().clear(); }
  void TearDown() override { Destroyed().clear(); }
};

TEST_F(Lists, AnObjectListFreesWhatItClearsDeletesOrRemoves) {
  auto* list = new TcxObjectList;
  TItemA* a = new TItemA;
  TItemB* b = new TItemB;
  TItemC* c = new TItemC;
  list->Add(a);
  list->Add(b);
  list->Add(c);
  list->Add(nullptr);
  list->FreeAndDelete(1);
  EXPECT_EQ(Destroyed(), (std::vector<const void*>{b}));
  TItemA outsider;
  EXPECT_EQ(list->FreeAndRemove(&outsider), -1);
  EXPECT_EQ(list->FreeAndRemove(a), 0);
  EXPECT_EQ(Destroyed(), (std::vector<const void*>{b, a}));
  list->Delete(0);  // hands c back
  EXPECT_EQ(Destroyed().size(), 2u);
  list->Add(c);
  TObject::Free(list);
  EXPECT_EQ(Destroyed(), (std::vector<const void*>{b, a, c}));
}

TEST_F(Lists, AnObjectListThatDoesNotOwnFreesNothing) {
  TItemA a;
  {
    TcxObjectList list(false);
    list.Add(&a);
    list.FreeAndDelete(0);
    list.Add(&a);
    list.FreeAndRemove(&a);
    list.Add(&a);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
  }
  EXPECT_TRUE(Destroyed().empty());
}

std::vector<TcxDoublyLinkedData*> Chain(const TcxDoublyLinkedObjectList& AList) {
  std::vector<TcxDoublyLinkedData*> forward, backward;
  for (TcxDoublyLinkedData* d = AList.GetFirst(); d; d = d->GetNext()) forward.push_back(d);
  for (TcxDoublyLinkedData* d = AList.GetLast(); d; d = d->GetPrev()) backward.insert(backward.begin(), d);
  EXPECT_EQ(forward, backward) << "both directions agree";
  EXPECT_EQ(static_cast<Integer>(forward.size()), AList.GetCount());
  return forward;
}

TEST_F(Lists, ADoublyLinkedListKeepsItsChainBothWays) {
  TcxDoublyLinkedObjectList list;
  TcxDoublyLinkedData* a = list.Add();
  TcxDoublyLinkedData* c = list.Add();
  auto* b = new TcxDoublyLinkedData;
  list.InsertAfter(a, b);
  auto* first = new TcxDoublyLinkedData;
  list.InsertBefore(nullptr, first);
  auto* last = new TcxDoublyLinkedData;
  list.InsertAfter(nullptr, last);
  EXPECT_EQ(Chain(list), (std::vector<TcxDoublyLinkedData*>{first, a, b, c, last}));
  list.Extract(first);
  list.Remove(c);
  EXPECT_EQ(Chain(list), (std::vector<TcxDoublyLinkedData*>{a, b, last}));
  list.InsertBefore(a, first);
  EXPECT_EQ(Chain(list), (std::vector<TcxDoublyLinkedData*>{first, a, b, last}));
  list.Clear();
  EXPECT_EQ(Chain(list), (std::vector<TcxDoublyLinkedData*>{}));
}

TEST(FreeNotificator, TellsOfTheComponentsItWatches) {
  std::vector<TComponent*> told;
  TcxFreeNotificator notificator;
  notificator.OnFreeNotification = [&](TComponent* AComponent) { told.push_back(AComponent); };
  auto* watched = new TComponent(nullptr);
  auto* forgotten = new TComponent(nullptr);
  notificator.AddSender(watched);
  notificator.AddSender(forgotten);
  notificator.RemoveSender(forgotten);
  TComponent* watchedAddress = watched;
  TObject::Free(forgotten);
  TObject::Free(watched);
  EXPECT_EQ(told, (std::vector<TComponent*>{watchedAddress}));
}

TEST(OwnedPersistent, AnswersItsOwner) {
  TPersistent owner;
  TcxOwnedPersistent owned(&owner);
  EXPECT_EQ(owned.GetOwner(), &owner);
  TcxIUnknownObject object;
  EXPECT_TRUE(Supports<IInterface>(&object));
}

class IGreeting : public virtual IInterface {
 public:
  virtual int Greet() = 0;
};

class TGreetingPersistent : public TcxInterfacedPersistent, public IGreeting {
 public:
  using TcxInterfacedPersistent::TcxInterfacedPersistent;
  int Greet() override { return 7; }
};

TEST(InterfacedPersistent, AnswersItsOwnerAndItsInterfaces) {
  TPersistent owner;
  TGreetingPersistent greeting(&owner);
  EXPECT_EQ(greeting.GetOwner(), &owner);
  IGreeting* found = nullptr;
  ASSERT_TRUE(Supports(static_cast<TObject*>(&greeting), &found));
  EXPECT_EQ(found->Greet(), 7);
  EXPECT_TRUE(Supports<IInterface>(static_cast<TObject*>(&greeting)));
  EXPECT_TRUE(greeting.InheritsFrom(TInterfacedPersistent::StaticClass()));
}

// Who heard of a removal, and whether the component was still whole then.
struct THeard {
  TComponent* Listener;
  bool Whole;
};

class TListeningComponent : public TComponent {
 public:
  TListeningComponent(TComponent* AOwner, std::vector<THeard>& AHeard) : TComponent(AOwner), FHeard(AHeard) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::vector<THeard>& FHeard;
};

class TWholeComponent : public TcxCustomComponent {
 public:
  using TcxCustomComponent::TcxCustomComponent;
};

void TListeningComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent && AComponent != this)
    FHeard.push_back({this, dynamic_cast<TWholeComponent*>(AComponent) != nullptr});
  TComponent::Notification(AComponent, Operation);
}

TEST(CustomComponent, TellsItsWatchersAndItsOwnerWhileStillWhole) {
  std::vector<THeard> heard;
  TListeningComponent owner(nullptr, heard);
  TListeningComponent watcher(nullptr, heard);
  auto* component = new TWholeComponent(&owner);
  component->FreeNotification(&watcher);
  TObject::Free(component);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0].Listener, &watcher);
  EXPECT_EQ(heard[1].Listener, &owner);
  EXPECT_TRUE(heard[0].Whole && heard[1].Whole) << "told before the component was taken apart";
  EXPECT_EQ(owner.GetComponentCount(), 0);
}

class TRecordingWindow : public TcxMessageWindow {
 public:
  std::vector<UINT> Messages;

 protected:
  LRESULT WndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) override {
    Messages.push_back(AMsg);
    return AMsg == WM_USER ? 42 : TcxMessageWindow::WndProc(AMsg, AWParam, ALParam);
  }
};

TEST(MessageWindow, IsAHiddenTopLevelWindowThatBroadcastsReach) {
  const int windows = GetLiveWindowCount();
  {
    TRecordingWindow window;
    const HWND h = window.GetHandle();
    ASSERT_TRUE(IsWindow(h));
    EXPECT_EQ(GetLiveWindowCount(), windows + 1);
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_EQ(GetParent(h), nullptr);
    EXPECT_EQ(SendMessageW(h, WM_USER, 0, 0), 42);
    SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(window.Messages, (std::vector<UINT>{WM_USER, WM_SETTINGCHANGE}));
  }
  EXPECT_EQ(GetLiveWindowCount(), windows);
}

}  // namespace

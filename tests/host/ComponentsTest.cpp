#include "host/Components.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Exceptions.h"

namespace {

std::vector<std::string> Log;

// Refers to another component and forgets it when told it is gone.
class TWatcher : public TComponent {
  HOST_CLASS(TWatcher);
  using TComponent::TComponent;
  ~TWatcher() override { Log.push_back("destroy " + UTF8Encode(GetName())); }

  void Watch(TComponent* AComponent) {
    FWatched = AComponent;
    if (AComponent) AComponent->FreeNotification(this);
  }
  TComponent* FWatched = nullptr;
  std::vector<std::pair<TComponent*, TOperation>> Told;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    Told.emplace_back(AComponent, Operation);
    if (Operation == opRemove && AComponent == FWatched) FWatched = nullptr;
  }
};

HOST_CLASS_INFO(TWatcher, TComponent, &CreateOwned<TWatcher>)

class Components : public ::testing::Test {
 protected:
  void SetUp() override { Log.clear(); }
};

TEST_F(Components, OwnerFreesItsComponentsLastFirst) {
  auto* form = new TWatcher(nullptr);
  form->SetName(u"Form1");
  auto* a = new TWatcher(form);
  a->SetName(u"Label1");
  auto* b = new TWatcher(form);
  b->SetName(u"Button1");
  EXPECT_EQ(form->GetComponentCount(), 2);
  EXPECT_EQ(form->GetComponents(1), b);
  EXPECT_EQ(b->GetComponentIndex(), 1);
  EXPECT_EQ(form->FindComponent(u"BUTTON1"), b);
  EXPECT_EQ(form->FindComponent(u"Missing"), nullptr);
  EXPECT_THROW(form->GetComponents(2), EListError);
  // The owner hears of each insertion.
  ASSERT_EQ(form->Told.size(), 2u);
  EXPECT_EQ(form->Told[1], std::make_pair(static_cast<TComponent*>(b), opInsert));

  TObject::Free(form);
  EXPECT_EQ(Log, (std::vector<std::string>{"destroy Button1", "destroy Label1", "destroy Form1"}));
}

TEST_F(Components, FreeNotificationAcrossOwners) {
  TWatcher left(nullptr), right(nullptr);
  auto* target = new TWatcher(&right);
  left.Watch(target);
  EXPECT_TRUE(left.GetComponentState().Contains(csFreeNotification));
  delete target;
  EXPECT_EQ(left.FWatched, nullptr);
  // And the watcher going first leaves nothing dangling in the target.
  auto* target2 = new TWatcher(&right);
  {
    TWatcher shortLived(nullptr);
    shortLived.Watch(target2);
  }
  delete target2;  // would touch the freed watcher if it were still listed
  EXPECT_EQ(right.GetComponentCount(), 0);
}

TEST_F(Components, SiblingsHearThroughTheirOwner) {
  TWatcher form(nullptr);
  auto* watcher = new TWatcher(&form);
  auto* target = new TWatcher(&form);
  watcher->Watch(target);
  TObject::Free(target);
  EXPECT_EQ(watcher->FWatched, nullptr);
  EXPECT_EQ(form.GetComponentCount(), 1);
}

TEST_F(Components, RemovingAndInsertingMovesOwnership) {
  TWatcher first(nullptr), second(nullptr);
  auto* child = new TWatcher(&first);
  second.InsertComponent(child);
  EXPECT_EQ(child->GetOwner(), &second);
  EXPECT_EQ(first.GetComponentCount(), 0);
  ASSERT_FALSE(first.Told.empty());
  EXPECT_EQ(first.Told.back(), std::make_pair(static_cast<TComponent*>(child), opRemove));
  second.RemoveComponent(child);
  EXPECT_EQ(child->GetOwner(), nullptr);
  delete child;
}

TEST_F(Components, NamesAreIdentifiersUniqueInTheOwner) {
  TWatcher form(nullptr);
  auto* a = new TWatcher(&form);
  auto* b = new TWatcher(&form);
  a->SetName(u"tamanho_font");
  EXPECT_THROW(b->SetName(u"TAMANHO_FONT"), EComponentError);
  EXPECT_THROW(b->SetName(u"1abc"), EComponentError);
  EXPECT_THROW(b->SetName(u"a b"), EComponentError);
  try {
    b->SetName(u"tamanho_font");
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.GetMessage(), u"A component named tamanho_font already exists");
  }
  b->SetName(u"_x1");
  a->SetName(u"Tamanho_Font");  // its own name in another case is fine
  a->SetName(u"");
  EXPECT_EQ(b->GetName(), u"_x1");
  EXPECT_TRUE(IsValidIdent(u"Label2"));
  EXPECT_FALSE(IsValidIdent(u""));
}

TEST_F(Components, StateDuringDestructionAndLoading) {
  struct TProbe : TComponent {
    using TComponent::TComponent;
    bool* SawDestroying = nullptr;
    ~TProbe() override { *SawDestroying = GetComponentState().Contains(csDestroying); }
  };
  bool saw = false;
  auto* owner = new TComponent(nullptr);
  auto* probe = new TProbe(owner);
  probe->SawDestroying = &saw;
  owner->IncludeState(csLoading);
  owner->Loaded();
  EXPECT_FALSE(owner->GetComponentState().Contains(csLoading));
  TObject::Free(owner);
  EXPECT_TRUE(saw);
}

}  // namespace

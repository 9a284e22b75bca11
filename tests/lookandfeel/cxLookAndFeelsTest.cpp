// Look-and-feel settings: values and their inheritance, painters, changes
// and their listeners, form descriptions and the controller.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/Filer.h"
#include "host/TypInfo.h"
#include "skins/dxSkinsCore.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"
#include "tests/platform/TestThemeScope.h"

namespace {

using LookAndFeel = TLookAndFeelTest;

TEST_F(LookAndFeel, AFreshOneIsUltraFlatWithoutNativeStyleOrSkin) {
  TcxLookAndFeel lookAndFeel(nullptr);
  EXPECT_EQ(lookAndFeel.GetKind(), lfUltraFlat);
  EXPECT_FALSE(lookAndFeel.GetNativeStyle());
  EXPECT_EQ(lookAndFeel.GetSkinName(), u"");
  EXPECT_EQ(lookAndFeel.GetActiveStyle(), lfsUltraFlat);
  EXPECT_EQ(PainterName(lookAndFeel), "UltraFlat");
  EXPECT_EQ(lookAndFeel.GetSkinPainter(), nullptr);
  EXPECT_TRUE(lookAndFeel.GetAssignedValues().Empty());
  EXPECT_EQ(lookAndFeel.GetMasterLookAndFeel(), nullptr);
  EXPECT_FALSE(lookAndFeel.GetIsRootLookAndFeel());
  EXPECT_TRUE(RootLookAndFeel()->GetIsRootLookAndFeel());
  const auto& rootListeners = RootLookAndFeel()->GetChangeListenerList();
  EXPECT_NE(std::find(rootListeners.begin(), rootListeners.end(), &lookAndFeel), rootListeners.end());
  IcxLookAndFeelNotificationListener* listener = nullptr;
  ASSERT_TRUE(Supports(static_cast<TObject*>(&lookAndFeel), &listener));
  EXPECT_EQ(listener->GetObject(), &lookAndFeel);
  EXPECT_TRUE(Supports<IcxLookAndFeelNotificationListener2>(static_cast<TObject*>(&lookAndFeel)));
}

TEST_F(LookAndFeel, AChildFollowsItsMasterInTheValuesItDoesNotAssign) {
  std::vector<std::string> log;
  TcxLookAndFeel master(nullptr), assigned(nullptr), inherits(nullptr);
  assigned.SetKind(lfFlat);
  assigned.SetMasterLookAndFeel(&master);
  inherits.SetMasterLookAndFeel(&master);
  LogChanges(assigned, "assigned", log);
  LogChanges(inherits, "inherits", log);
  master.SetKind(lfOffice11);
  EXPECT_EQ(assigned.GetKind(), lfFlat);
  EXPECT_EQ(inherits.GetKind(), lfOffice11);
  EXPECT_EQ(PainterName(inherits), "Office11");
  EXPECT_EQ(log, (std::vector<std::string>{"inherits Kind"}));
  log.clear();
  master.SetNativeStyle(true);
  EXPECT_TRUE(assigned.GetNativeStyle());
  EXPECT_EQ(log, (std::vector<std::string>{"assigned NativeStyle", "inherits NativeStyle"}));
}

TEST_F(LookAndFeel, AssigningTheInheritedValueMarksItAndTellsNobody) {
  std::vector<std::string> log;
  TcxLookAndFeel lookAndFeel(nullptr);
  TLoggingListener listener("listener", log);
  lookAndFeel.AddChangeListener(&listener);
  LogChanges(lookAndFeel, "look and feel", log);
  lookAndFeel.SetKind(lfUltraFlat);
  lookAndFeel.SetNativeStyle(false);
  lookAndFeel.SetSkinName(u"");
  EXPECT_EQ(lookAndFeel.GetAssignedValues(), LookAndFeelValueAll);
  EXPECT_TRUE(log.empty());
  lookAndFeel.SetAssignedValues({});
  EXPECT_TRUE(log.empty()) << "the inherited values are the same";
  lookAndFeel.SetKind(lfFlat);
  lookAndFeel.SetAssignedValues({lfvNativeStyle});
  EXPECT_EQ(lookAndFeel.GetKind(), lfUltraFlat);
  EXPECT_EQ(log, (std::vector<std::string>{"listener begin", "listener changed Kind", "listener end",
                                           "look and feel Kind", "listener begin", "listener changed Kind",
                                           "listener end", "look and feel Kind"}));
  lookAndFeel.RemoveChangeListener(&listener);
}

TEST_F(LookAndFeel, FreeingAMasterMovesItsChildrenToTheRoot) {
  std::vector<std::string> log;
  auto* master = new TcxLookAndFeel(nullptr);
  master->SetKind(lfFlat);
  TcxLookAndFeel follows(nullptr), keeps(nullptr);
  follows.SetMasterLookAndFeel(master);
  keeps.SetKind(lfStandard);
  keeps.SetMasterLookAndFeel(master);
  TLoggingListener listener("listener", log);
  master->AddChangeListener(&listener);
  LogChanges(follows, "follows", log);
  LogChanges(keeps, "keeps", log);
  EXPECT_EQ(follows.GetKind(), lfFlat);
  TObject::Free(master);
  EXPECT_EQ(log, (std::vector<std::string>{"follows Kind", "listener destroying"}));
  EXPECT_EQ(follows.GetMasterLookAndFeel(), nullptr);
  EXPECT_EQ(follows.GetKind(), lfUltraFlat);
  EXPECT_EQ(keeps.GetKind(), lfStandard);
  log.clear();
  RootLookAndFeel()->SetKind(lfOffice11);
  EXPECT_EQ(follows.GetKind(), lfOffice11);
  EXPECT_EQ(log, (std::vector<std::string>{"follows Kind"}));
}

TEST_F(LookAndFeel, AMasterIsNeverTheObjectItselfNorOneOfItsHeirs) {
  TcxLookAndFeel first(nullptr), second(nullptr), third(nullptr);
  second.SetMasterLookAndFeel(&first);
  third.SetMasterLookAndFeel(&second);
  first.SetMasterLookAndFeel(&third);
  first.SetMasterLookAndFeel(&first);
  RootLookAndFeel()->SetMasterLookAndFeel(&first);
  EXPECT_EQ(first.GetMasterLookAndFeel(), nullptr);
  EXPECT_EQ(RootLookAndFeel()->GetMasterLookAndFeel(), nullptr);
  first.SetKind(lfFlat);
  EXPECT_EQ(third.GetKind(), lfFlat) << "a change travels down and ends";
}

TEST_F(LookAndFeel, AssignCopiesTheAssignedValuesAndTheMasterWithOneChange) {
  std::vector<std::string> log;
  TcxLookAndFeel master(nullptr), source(nullptr), target(nullptr);
  master.SetNativeStyle(true);
  source.SetKind(lfFlat);
  source.SetMasterLookAndFeel(&master);
  LogChanges(target, "target", log);
  target.Assign(&source);
  EXPECT_EQ(target.GetMasterLookAndFeel(), &master);
  EXPECT_EQ(target.GetAssignedValues(), TcxLookAndFeelValues{lfvKind});
  EXPECT_EQ(target.GetKind(), lfFlat);
  EXPECT_TRUE(target.GetNativeStyle());
  EXPECT_EQ(log, (std::vector<std::string>{"target Kind,NativeStyle"}));
}

TEST_F(LookAndFeel, SetStyleSetsTheNativeStyleAndTheKindButNotTheSkin) {
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.SetSkinName(u"Blue");
  lookAndFeel.SetKind(lfFlat);
  lookAndFeel.SetNativeStyle(true);
  lookAndFeel.SetStyle(lfsSkin);
  EXPECT_EQ(lookAndFeel.GetKind(), lfUltraFlat);
  EXPECT_FALSE(lookAndFeel.GetNativeStyle());
  EXPECT_EQ(lookAndFeel.GetSkinName(), u"Blue");
  lookAndFeel.SetStyle(lfsOffice11);
  EXPECT_EQ(lookAndFeel.GetKind(), lfOffice11);
  lookAndFeel.SetStyle(lfsNative);
  EXPECT_TRUE(lookAndFeel.GetNativeStyle());
  EXPECT_EQ(lookAndFeel.GetKind(), lfOffice11) << "the kind stays";
}

TEST_F(LookAndFeel, TheNativeStyleNeedsAThemeAndTheClassesAsked) {
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.SetNativeStyle(true);
  EXPECT_EQ(lookAndFeel.GetActiveStyle(), lfsUltraFlat) << "no theme";
  EXPECT_EQ(PainterName(lookAndFeel), "UltraFlat");
  {
    TInstalledTheme theme(ThreeClassTheme());
    EXPECT_EQ(lookAndFeel.GetActiveStyle(), lfsNative);
    lookAndFeel.Refresh();
    EXPECT_EQ(PainterName(lookAndFeel), "Native");
    EXPECT_EQ(lookAndFeel.GetAvailablePainter(totButton)->LookAndFeelName(), u"Native");
    // Without the class the active style decides, and it is still native:
    // the native painter falls back in each operation whose class is missing.
    EXPECT_EQ(lookAndFeel.GetAvailablePainter(totSpin)->LookAndFeelName(), u"Native");

    // A skin does not count in native style.
    ASSERT_TRUE(Register(u"Black", lfsSkin));
    lookAndFeel.SetSkinName(u"Black");
    EXPECT_EQ(lookAndFeel.GetSkinPainter(), nullptr);
    EXPECT_EQ(PainterName(lookAndFeel), "Native");
    lookAndFeel.SetNativeStyle(false);
    EXPECT_EQ(PainterName(lookAndFeel), "Black");
    EXPECT_EQ(lookAndFeel.GetActiveStyle(), lfsSkin);
  }
}

TEST_F(LookAndFeel, UpdatesTellTheUnionOnceAtTheLastEnd) {
  std::vector<std::string> log;
  TcxLookAndFeel lookAndFeel(nullptr);
  TLoggingListener listener("listener", log);
  lookAndFeel.AddChangeListener(&listener);
  LogChanges(lookAndFeel, "look and feel", log);
  lookAndFeel.BeginUpdate();
  lookAndFeel.BeginUpdate();
  lookAndFeel.SetKind(lfFlat);
  EXPECT_EQ(PainterName(lookAndFeel), "Flat") << "the painter follows at once";
  lookAndFeel.SetNativeStyle(true);
  lookAndFeel.EndUpdate();
  EXPECT_TRUE(log.empty());
  lookAndFeel.EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"listener begin", "listener changed Kind,NativeStyle", "listener end",
                                           "look and feel Kind,NativeStyle"}));
  log.clear();
  lookAndFeel.EndUpdate();
  lookAndFeel.BeginUpdate();
  lookAndFeel.SetKind(lfStandard);
  EXPECT_TRUE(log.empty()) << "an extra end does not take the count below zero";
  lookAndFeel.EndUpdate();
  EXPECT_EQ(log.size(), 4u);
  lookAndFeel.RemoveChangeListener(&listener);
}

// --- Listeners that come and go during a change --------------------------------

struct TListenerCase {
  const char* Name;
  // What the first listener does when told of the change.
  void (*Action)(TcxLookAndFeel& ALookAndFeel, TLoggingListener& AFirst, TLoggingListener& AThird,
                 std::vector<std::unique_ptr<TLoggingListener>>& AAdded, std::vector<std::string>& ALog);
  std::vector<std::string> Told;
};

const TListenerCase ListenerCases[] = {
    {"removes itself",
     [](TcxLookAndFeel& l, TLoggingListener& first, TLoggingListener&, auto&, auto&) { l.RemoveChangeListener(&first); },
     {"A begin", "B begin", "C begin", "A changed Kind", "B changed Kind", "C changed Kind", "B end", "C end"}},
    {"removes a later one",
     [](TcxLookAndFeel& l, TLoggingListener&, TLoggingListener& third, auto&, auto&) { l.RemoveChangeListener(&third); },
     {"A begin", "B begin", "C begin", "A changed Kind", "B changed Kind", "A end", "B end"}},
    {"adds one",
     [](TcxLookAndFeel& l, TLoggingListener&, TLoggingListener&, auto& added, auto& log) {
       added.push_back(std::make_unique<TLoggingListener>("new", log));
       l.AddChangeListener(added.back().get());
     },
     {"A begin", "B begin", "C begin", "A changed Kind", "B changed Kind", "C changed Kind", "A end", "B end",
      "C end"}},
};

TEST_F(LookAndFeel, ListenersThatComeAndGoAreToldOnceAndNoneIsSkipped) {
  for (const TListenerCase& c : ListenerCases) {
    std::vector<std::string> log;
    std::vector<std::unique_ptr<TLoggingListener>> added;
    TcxLookAndFeel lookAndFeel(nullptr);
    TLoggingListener a("A", log), b("B", log), third("C", log);
    for (TLoggingListener* listener : {&a, &b, &third}) lookAndFeel.AddChangeListener(listener);
    a.OnChanged = [&] { c.Action(lookAndFeel, a, third, added, log); };
    lookAndFeel.SetKind(lfFlat);
    EXPECT_EQ(log, c.Told) << c.Name;

    // The next change reaches whoever is listed then, newcomers included.
    log.clear();
    const size_t listed = lookAndFeel.GetChangeListenerList().size();
    lookAndFeel.SetKind(lfStandard);
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.ends_with("changed Kind"); }),
              static_cast<std::ptrdiff_t>(listed))
        << c.Name;
    for (TObject* listener : std::vector<TObject*>(lookAndFeel.GetChangeListenerList()))
      lookAndFeel.RemoveChangeListener(listener);
  }
}

TEST_F(LookAndFeel, AListenerIsTakenOnceAndOnlyWithTheListenerInterface) {
  TcxLookAndFeel lookAndFeel(nullptr);
  std::vector<std::string> log;
  TLoggingListener listener("listener", log);
  TObject plain;
  lookAndFeel.AddChangeListener(&listener);
  lookAndFeel.AddChangeListener(&listener);
  lookAndFeel.AddChangeListener(&plain);
  lookAndFeel.AddChangeListener(nullptr);
  EXPECT_EQ(lookAndFeel.GetChangeListenerList(), std::vector<TObject*>{&listener});
  lookAndFeel.RemoveChangeListener(&listener);
  lookAndFeel.RemoveChangeListener(&listener);
  EXPECT_TRUE(lookAndFeel.GetChangeListenerList().empty());
}

// --- Skins ---------------------------------------------------------------------

TEST_F(LookAndFeel, ASkinNameFindsAnyPainterOfThatNameInAnyCase) {
  TcxLookAndFeel lookAndFeel(nullptr);
  for (const char16_t* name : {u"flat", u"FLAT", u"Flat"}) {
    lookAndFeel.SetSkinName(name);
    ASSERT_NE(lookAndFeel.GetSkinPainter(), nullptr) << std::string(name, name + 4);
    EXPECT_EQ(lookAndFeel.GetSkinPainter(), cxLookAndFeelPaintersManager()->GetPainter(lfsFlat));
    EXPECT_EQ(PainterName(lookAndFeel), "Flat");
    EXPECT_EQ(lookAndFeel.GetActiveStyle(), lfsSkin);
  }
  lookAndFeel.SetSkinName(u"Unknown");
  EXPECT_EQ(lookAndFeel.GetSkinName(), u"Unknown");
  EXPECT_EQ(lookAndFeel.GetSkinPainter(), nullptr);
  EXPECT_EQ(PainterName(lookAndFeel), "UltraFlat");
}

// Taken literally, the registry refreshes only what the root passes down:
// an object with every value assigned would keep a freed painter.
TEST_F(LookAndFeel, PaintersComingAndGoingReachEveryObjectThatTheyConcern) {
  std::vector<std::string> log;
  TcxLookAndFeel owner(nullptr), heir(nullptr), other(nullptr);
  owner.SetKind(lfFlat);
  owner.SetNativeStyle(false);
  owner.SetSkinName(u"Black");
  heir.SetMasterLookAndFeel(&owner);
  other.SetSkinName(u"Other");
  LogChanges(owner, "owner", log);
  LogChanges(heir, "heir", log);
  LogChanges(other, "other", log);
  EXPECT_EQ(PainterName(owner), "Flat");

  for (int round = 0; round < 2; ++round) {
    log.clear();
    ASSERT_TRUE(Register(u"Black", lfsSkin));
    for (TcxLookAndFeel* lookAndFeel : {&owner, &heir}) {
      ASSERT_NE(lookAndFeel->GetSkinPainter(), nullptr);
      EXPECT_EQ(lookAndFeel->GetSkinPainter()->LookAndFeelName(), u"Black");
      EXPECT_EQ(PainterName(*lookAndFeel), "Black");
      EXPECT_EQ(lookAndFeel->GetActiveStyle(), lfsSkin);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"heir SkinName", "owner SkinName"}));
    log.clear();
    ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(u"Black"));
    for (TcxLookAndFeel* lookAndFeel : {&owner, &heir}) {
      EXPECT_EQ(lookAndFeel->GetSkinPainter(), nullptr);
      EXPECT_EQ(PainterName(*lookAndFeel), "Flat");
    }
    EXPECT_EQ(log, (std::vector<std::string>{"heir SkinName", "owner SkinName"}));
  }
  EXPECT_EQ(Freed, (std::vector<String>{u"Black", u"Black"}));
}

TEST_F(LookAndFeel, WithSkinsOffNoSkinIsFoundAndOnAgainEachObjectTakesThemAtItsNextChange) {
  std::vector<std::string> log;
  ASSERT_TRUE(Register(u"Black", lfsSkin));
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.SetSkinName(u"Black");
  LogChanges(lookAndFeel, "look and feel", log);
  cxUseSkins = false;
  EXPECT_EQ(PainterName(lookAndFeel), "Black") << "until its next change";
  lookAndFeel.SetKind(lfStandard);
  EXPECT_EQ(lookAndFeel.GetSkinPainter(), nullptr);
  EXPECT_EQ(PainterName(lookAndFeel), "Standard");
  cxUseSkins = true;
  EXPECT_EQ(PainterName(lookAndFeel), "Standard");
  lookAndFeel.SetKind(lfFlat);
  EXPECT_EQ(PainterName(lookAndFeel), "Black");
  EXPECT_EQ(log, (std::vector<std::string>{"look and feel Kind,SkinName", "look and feel Kind,SkinName"}));
}

TEST_F(LookAndFeel, TheRootsResetPutsTheProcessWideSwitchesBack) {
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.SetKind(lfFlat);
  cxUseSkins = false;
  cxIsTouchModeEnabled = true;
  dxSkinsUseImageSet = imsAlternate;
  lookAndFeel.Reset();
  EXPECT_TRUE(lookAndFeel.GetAssignedValues().Empty());
  EXPECT_FALSE(cxUseSkins) << "only the root's reset";
  RootLookAndFeel()->SetNativeStyle(true);
  RootLookAndFeel()->Reset();
  EXPECT_TRUE(RootLookAndFeel()->GetAssignedValues().Empty());
  EXPECT_FALSE(RootLookAndFeel()->GetNativeStyle());
  EXPECT_TRUE(cxUseSkins);
  EXPECT_FALSE(cxIsTouchModeEnabled);
  EXPECT_EQ(dxSkinsUseImageSet, imsDefault);
}

// --- Skin support -----------------------------------------------------------------

class TSkinnable : public TObject, public IdxSkinSupport {};

class TDecides : public TObject, public IdxSkinSupport2 {
 public:
  explicit TDecides(bool ASkinnable) : FSkinnable(ASkinnable) {}
  bool IsSkinnable() override { return FSkinnable; }

 private:
  bool FSkinnable;
};

TEST(SkinSupport, AClassIsSkinnableByItsMarkerOrItsOwnAnswer) {
  EXPECT_EQ(ClassSupportsSkinProc, &ClassSupportsSkinHandler);
  TSkinnable marked;
  TDecides yes(true), no(false);
  TObject plain;
  EXPECT_TRUE(ClassSupportsSkinHandler(&marked));
  EXPECT_TRUE(ClassSupportsSkinHandler(&yes));
  EXPECT_FALSE(ClassSupportsSkinHandler(&no));
  EXPECT_FALSE(ClassSupportsSkinHandler(&plain));
}

// --- Form descriptions -------------------------------------------------------------

class TSkinnedComponent : public TComponent {
  HOST_CLASS(TSkinnedComponent);

  explicit TSkinnedComponent(TComponent* AOwner) : TComponent(AOwner), FLookAndFeel(new TcxLookAndFeel(this)) {}
  TcxLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }

 private:
  std::unique_ptr<TcxLookAndFeel, TFreeObject> FLookAndFeel;
};

const TPublished& SkinnedComponentPublished() {
  static const TPublished published{
      {SubObjectProp<TSkinnedComponent, TcxLookAndFeel>(u"LookAndFeel", &TSkinnedComponent::GetLookAndFeel)}};
  return published;
}

HOST_CLASS_INFO_PUBLISHED(TSkinnedComponent, TComponent, &CreateOwned<TSkinnedComponent>, &SkinnedComponentPublished)

class LookAndFeelDescription : public TLookAndFeelTest {
 protected:
  void SetUp() override {
    TLookAndFeelTest::SetUp();
    RegisterClass(TSkinnedComponent::StaticClass());
    FComponent.SetName(u"Skinned");
  }
  void TearDown() override {
    UnRegisterClass(TSkinnedComponent::StaticClass());
    TLookAndFeelTest::TearDown();
  }

  String Written() { return WriteComponentToText(&FComponent); }
  TcxLookAndFeel& Settings() { return *FComponent.GetLookAndFeel(); }

  TSkinnedComponent FComponent{nullptr};
};

TEST_F(LookAndFeelDescription, OnlyAssignedValuesAreStored) {
  EXPECT_EQ(Written(), u"object Skinned: TSkinnedComponent\r\nend\r\n");
  Settings().SetKind(lfUltraFlat);
  Settings().SetNativeStyle(false);
  Settings().SetSkinName(u"Black");
  EXPECT_EQ(Written(),
            u"object Skinned: TSkinnedComponent\r\n"
            u"  LookAndFeel.Kind = lfUltraFlat\r\n"
            u"  LookAndFeel.NativeStyle = False\r\n"
            u"  LookAndFeel.SkinName = 'Black'\r\n"
            u"end\r\n");
  Settings().SetAssignedValues({lfvNativeStyle});
  EXPECT_EQ(Written(), u"object Skinned: TSkinnedComponent\r\n  LookAndFeel.NativeStyle = False\r\nend\r\n");
}

TEST_F(LookAndFeelDescription, AnAssignedEmptySkinNameSurvives) {
  ASSERT_TRUE(Register(u"Black", lfsSkin));
  TcxLookAndFeel master(nullptr);
  master.SetSkinName(u"Black");
  Settings().SetMasterLookAndFeel(&master);
  Settings().SetSkinName(u"");
  const String text = Written();
  EXPECT_EQ(text, u"object Skinned: TSkinnedComponent\r\n  LookAndFeel.SkinName = ''\r\nend\r\n");

  TSkinnedComponent read(nullptr);
  read.GetLookAndFeel()->SetMasterLookAndFeel(&master);
  EXPECT_EQ(PainterName(*read.GetLookAndFeel()), "Black");
  ReadComponentFromText(text, &read);
  EXPECT_EQ(read.GetLookAndFeel()->GetAssignedValues(), TcxLookAndFeelValues{lfvSkinName});
  EXPECT_EQ(read.GetLookAndFeel()->GetSkinName(), u"");
  EXPECT_EQ(PainterName(*read.GetLookAndFeel()), "UltraFlat") << "the master's skin is switched off";
  EXPECT_EQ(WriteComponentToText(&read), text);
}

// --- The controller ---------------------------------------------------------------

using LookAndFeelController = TLookAndFeelTest;

TEST_F(LookAndFeelController, OnlyTheRootTakesItAndItSetsTheRootsValues) {
  TComponent form(nullptr);
  auto* controller = new TcxLookAndFeelController(&form);
  const auto& rootListeners = RootLookAndFeel()->GetChangeListenerList();
  EXPECT_NE(std::find(rootListeners.begin(), rootListeners.end(), controller), rootListeners.end());
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.AddChangeListener(controller);
  EXPECT_TRUE(lookAndFeel.GetChangeListenerList().empty());

  controller->SetKind(lfFlat);
  controller->SetSkinName(u"Blue");
  EXPECT_EQ(RootLookAndFeel()->GetKind(), lfFlat);
  EXPECT_EQ(lookAndFeel.GetKind(), lfFlat);
  EXPECT_EQ(controller->GetSkinName(), u"Blue");

  std::vector<std::string> log;
  LogChanges(lookAndFeel, "look and feel", log);
  controller->BeginUpdate();
  controller->SetKind(lfStandard);
  controller->SetNativeStyle(true);
  EXPECT_TRUE(log.empty());
  controller->EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"look and feel Kind,NativeStyle"}));
  EXPECT_TRUE(controller->GetNativeStyle());
}

TEST_F(LookAndFeelController, TouchModeRefreshesTheRoot) {
  TcxLookAndFeelController controller(nullptr);
  std::vector<std::string> log;
  LogChanges(*RootLookAndFeel(), "root", log);
  controller.SetTouchMode(true);
  EXPECT_TRUE(cxIsTouchModeEnabled);
  EXPECT_TRUE(controller.GetTouchMode());
  controller.SetTouchMode(true);
  EXPECT_EQ(log, (std::vector<std::string>{"root Kind,NativeStyle,SkinName"}));
  RootLookAndFeel()->OnChanged = nullptr;
}

TEST_F(LookAndFeelController, RemovingTheLastOneResetsTheRoot) {
  TComponent form(nullptr);
  auto* first = new TcxLookAndFeelController(&form);
  auto* second = new TcxLookAndFeelController(&form);
  first->SetKind(lfFlat);
  first->SetTouchMode(true);
  dxSkinsUseImageSet = imsOriginal;
  TObject::Free(first);
  EXPECT_EQ(RootLookAndFeel()->GetAssignedValues(), TcxLookAndFeelValues{lfvKind});
  TObject::Free(second);
  EXPECT_TRUE(RootLookAndFeel()->GetAssignedValues().Empty());
  EXPECT_EQ(RootLookAndFeel()->GetKind(), lfUltraFlat);
  EXPECT_FALSE(cxIsTouchModeEnabled);
  EXPECT_EQ(dxSkinsUseImageSet, imsDefault);
}

TEST_F(LookAndFeelDescription, AControllerInAFormDescriptionSetsTheRoot) {
  TSkinnedComponent form(nullptr);
  ReadComponentFromText(u"object Form: TSkinnedComponent\r\n"
                        u"  object Controller: TcxLookAndFeelController\r\n"
                        u"    Kind = lfOffice11\r\n"
                        u"    SkinName = 'Blue'\r\n"
                        u"  end\r\n"
                        u"end\r\n",
                        &form);
  EXPECT_EQ(RootLookAndFeel()->GetKind(), lfOffice11);
  EXPECT_EQ(RootLookAndFeel()->GetSkinName(), u"Blue");
  ASSERT_EQ(form.GetComponentCount(), 1);
  EXPECT_EQ(WriteComponentToText(form.GetComponents(0)),
            u"object Controller: TcxLookAndFeelController\r\n"
            u"  Kind = lfOffice11\r\n"
            u"  SkinName = 'Blue'\r\n"
            u"end\r\n")
      << "the defaults are left out";
}

}  // namespace

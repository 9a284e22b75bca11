// The painter registry and the system-colour notifiers.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/Exceptions.h"
#include "lookandfeel/dxOffice11.h"
#include "platform/SystemChanges.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"
#include "tests/platform/TestThemeScope.h"

namespace {

std::vector<String> RegisteredNames() {
  std::vector<String> names;
  const TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  for (Integer i = 0; i < manager->GetCount(); ++i) names.push_back(manager->GetItems(i)->LookAndFeelName());
  return names;
}

using PaintersRegistry = TLookAndFeelTest;

// In the user's collation with case: "Black" and "blue" before "Flat", the
// accented "Élan" with the plain E; ordinal order would put "blue" and
// "Élan" last.
TEST_F(PaintersRegistry, KeepsThePaintersInTheUsersOrderOfNames) {
  ASSERT_TRUE(Register(u"blue", lfsSkin));
  ASSERT_TRUE(Register(u"\u00C9lan", lfsSkin));
  ASSERT_TRUE(Register(u"Black", lfsSkin));
  EXPECT_EQ(RegisteredNames(), (std::vector<String>{u"Black", u"blue", u"\u00C9lan", u"Flat", u"Native", u"Office11",
                                                    u"Standard", u"UltraFlat"}));
}

TEST_F(PaintersRegistry, ANameTakenInAnyCaseRefusesAndFreesTheNewcomer) {
  TcxCustomLookAndFeelPainter* ultraFlat = cxLookAndFeelPaintersManager()->GetPainter(lfsUltraFlat);
  EXPECT_FALSE(Register(u"ultraflat", lfsSkin));
  EXPECT_EQ(Freed, (std::vector<String>{u"ultraflat"}));
  EXPECT_EQ(cxLookAndFeelPaintersManager()->GetCount(), 5);
  EXPECT_EQ(cxLookAndFeelPaintersManager()->GetPainter(u"ULTRAFLAT"), ultraFlat);
  EXPECT_FALSE(cxLookAndFeelPaintersManager()->Register(nullptr));
}

TEST_F(PaintersRegistry, LooksUpByStyleInListOrderAndByNameInAnyCase) {
  ASSERT_TRUE(Register(u"blue", lfsSkin));
  ASSERT_TRUE(Register(u"Black", lfsSkin));
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  EXPECT_EQ(manager->GetPainter(lfsSkin)->LookAndFeelName(), u"Black") << "the first by name, not by registration";
  EXPECT_EQ(manager->GetPainter(lfsNative)->LookAndFeelName(), u"Native");
  TcxCustomLookAndFeelPainter* found = nullptr;
  EXPECT_TRUE(manager->GetPainter(u"bLUE", found));
  EXPECT_EQ(found->LookAndFeelName(), u"blue");
  EXPECT_FALSE(manager->GetPainter(u"Blues", found));
  EXPECT_EQ(found, nullptr);
  EXPECT_TRUE(manager->GetPainter(lfsOffice11, found));
  EXPECT_EQ(found->LookAndFeelName(), u"Office11");
}

TEST_F(PaintersRegistry, UnregisteringFreesThePainterOnce) {
  ASSERT_TRUE(Register(u"Black", lfsSkin));
  EXPECT_TRUE(cxLookAndFeelPaintersManager()->Unregister(u"BLACK"));
  EXPECT_EQ(Freed, (std::vector<String>{u"Black"}));
  EXPECT_FALSE(cxLookAndFeelPaintersManager()->Unregister(u"Black"));
  EXPECT_EQ(cxLookAndFeelPaintersManager()->GetPainter(u"Black"), nullptr);
}

// Writes "<name> added <painter>" and "<name> removed <painter>".
class TPainterLog : public TObject, public IcxLookAndFeelPainterListener {
 public:
  TPainterLog(std::string AName, std::vector<std::string>& ALog) : FName(std::move(AName)), FLog(ALog) {}
  void PainterAdded(TcxCustomLookAndFeelPainter* APainter) override { Log("added", APainter); }
  void PainterRemoved(TcxCustomLookAndFeelPainter* APainter) override { Log("removed", APainter); }

  std::function<void()> OnTold;

 private:
  void Log(const char* AWhat, TcxCustomLookAndFeelPainter* APainter) {
    const String name = APainter->LookAndFeelName();
    FLog.push_back(FName + " " + AWhat + " " + std::string(name.begin(), name.end()));
    if (OnTold) OnTold();
  }

  std::string FName;
  std::vector<std::string>& FLog;
};

TEST_F(PaintersRegistry, ListenersAreToldTheLastAddedFirstAfterTheLookAndFeels) {
  std::vector<std::string> log;
  TPainterLog first("first", log), second("second", log);
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  manager->AddListener(&first);
  manager->AddListener(&second);
  manager->AddListener(&first);
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.SetSkinName(u"Black");
  first.OnTold = [&] { log.push_back("the look and feel has " + PainterName(lookAndFeel)); };
  ASSERT_TRUE(Register(u"Black", lfsSkin));
  manager->Unregister(u"Black");
  manager->RemoveListener(&second);
  manager->RemoveListener(&first);
  ASSERT_TRUE(Register(u"Blue", lfsSkin));
  EXPECT_EQ(log, (std::vector<std::string>{"second added Black", "first added Black", "the look and feel has Black",
                                           "second removed Black", "first removed Black",
                                           "the look and feel has UltraFlat"}));
}

TEST_F(PaintersRegistry, AListenerGoneByItsTurnIsSkippedAndANewOneWaits) {
  std::vector<std::string> log;
  TPainterLog first("first", log), second("second", log), third("third", log);
  std::vector<std::unique_ptr<TPainterLog>> added;
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  manager->AddListener(&first);
  manager->AddListener(&second);
  manager->AddListener(&third);
  // The last added is told first: the third takes the first out, the
  // second adds a listener every time.
  third.OnTold = [&] { manager->RemoveListener(&first); };
  second.OnTold = [&] {
    added.push_back(std::make_unique<TPainterLog>("new" + std::to_string(added.size()), log));
    manager->AddListener(added.back().get());
  };
  ASSERT_TRUE(Register(u"Black", lfsSkin));
  EXPECT_EQ(log, (std::vector<std::string>{"third added Black", "second added Black"}));
  log.clear();
  manager->Unregister(u"Black");
  EXPECT_EQ(log, (std::vector<std::string>{"new0 removed Black", "third removed Black", "second removed Black"}));
  for (const auto& listener : added) manager->RemoveListener(listener.get());
  manager->RemoveListener(&second);
  manager->RemoveListener(&third);
}

TEST_F(PaintersRegistry, APainterIsFreedEvenWhenAListenerRaises) {
  std::vector<std::string> log;
  TPainterLog raising("raising", log);
  raising.OnTold = [] { throw Exception(u"listener failed"); };
  ASSERT_TRUE(Register(u"Black", lfsSkin));
  cxLookAndFeelPaintersManager()->AddListener(&raising);
  EXPECT_THROW(cxLookAndFeelPaintersManager()->Unregister(u"Black"), Exception);
  cxLookAndFeelPaintersManager()->RemoveListener(&raising);
  EXPECT_EQ(Freed, (std::vector<String>{u"Black"}));
  EXPECT_EQ(cxLookAndFeelPaintersManager()->GetPainter(u"Black"), nullptr);
}

// --- System colour changes ----------------------------------------------------

using SystemPalette = TLeakCheckedTest;

// Changes the button face to another colour and back at the end.
class TChangedFace {
 public:
  explicit TChangedFace(COLORREF AColour) : FSaved(GetSysColor(COLOR_BTNFACE)) { Change(AColour); }
  ~TChangedFace() { Change(FSaved); }
  TChangedFace(const TChangedFace&) = delete;
  TChangedFace& operator=(const TChangedFace&) = delete;

 private:
  static void Change(COLORREF AColour) {
    const int index = COLOR_BTNFACE;
    ChangeSysColors(1, &index, &AColour);
  }
  COLORREF FSaved;
};

TEST_F(SystemPalette, TheOffice11ColoursFirstThenThePrimaryNotifiersThenTheOthersEachTheLastFirst) {
  std::vector<std::string> log;
  std::vector<std::unique_ptr<TcxSystemPaletteChangedNotifier, TFreeObject>> notifiers;
  for (const auto& [name, primary] : {std::pair{"plain1", false}, std::pair{"primary1", true},
                                      std::pair{"plain2", false}, std::pair{"primary2", true}}) {
    notifiers.emplace_back(new TcxSystemPaletteChangedNotifier(primary));
    EXPECT_EQ(notifiers.back()->GetIsPrimary(), primary);
    notifiers.back()->OnSystemPaletteChanged = [&, name = std::string(name)](TObject*) {
      log.push_back(name + (dxOffice11DockColor1 == 0x332211 ? " new colours" : " old colours"));
    };
  }
  {
    TChangedFace face(RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(log, (std::vector<std::string>{"primary2 new colours", "primary1 new colours", "plain2 new colours",
                                             "plain1 new colours"}));
  }
  EXPECT_EQ(dxOffice11DockColor1, 0xF0F0F0) << "back with the face";
}

// With the native style assigned, only its own notifier tells it; the
// root's change does not travel down.
TEST_F(SystemPalette, ALookAndFeelTakesNewColoursAsANativeStyleChange) {
  std::vector<std::string> log;
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.SetNativeStyle(false);
  LogChanges(lookAndFeel, "look and feel", log);
  LogChanges(*RootLookAndFeel(), "root", log);
  {
    TChangedFace face(RGB(1, 2, 3));
    EXPECT_EQ(log, (std::vector<std::string>{"look and feel NativeStyle", "root NativeStyle"}));
  }
  RootLookAndFeel()->OnChanged = nullptr;
}

TEST_F(SystemPalette, TheSharedWindowAndTheColoursLiveFromTheFirstNotifierToTheLast) {
  TLookAndFeelUnitEnded ended;
  const int windows = GetLiveWindowCount();
  TTestTheme scheme = ThreeClassTheme();
  scheme.ColorName = u"Metallic";
  TInstalledTheme theme(scheme);
  auto* first = new TcxSystemPaletteChangedNotifier;
  EXPECT_EQ(GetLiveWindowCount(), windows + 1);
  EXPECT_EQ(GetOffice11Scheme(), 3) << "computed with the first notifier";
  auto* second = new TcxSystemPaletteChangedNotifier(true);
  EXPECT_EQ(GetLiveWindowCount(), windows + 1);
  TObject::Free(first);
  EXPECT_EQ(GetLiveWindowCount(), windows + 1);
  TObject::Free(second);
  EXPECT_EQ(GetLiveWindowCount(), windows);
}

}  // namespace

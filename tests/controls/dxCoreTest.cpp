#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/cxDWMApi.h"
#include "controls/dxCore.h"
#include "host/HostUnits.h"
#include "tests/SuiteUnits.h"

namespace {

std::vector<std::string> Log;

template <char Id>
void Init() {
  Log.push_back(std::string("init ") + Id);
}
template <char Id>
void Fini() {
  Log.push_back(std::string("fini ") + Id);
}

using Strings = std::vector<std::string>;

// A loader of the test's own, so that the process's loader is left alone.
class UnitsLoader : public ::testing::Test {
 protected:
  void SetUp() override { Log.clear(); }
  void TearDown() override {
    ModuleIsLib = false;
    Log.clear();
  }
  TdxUnitsLoader Loader;
};

TEST_F(UnitsLoader, AProgramInitializesAtOnceAndFinalizesOnRemoval) {
  Loader.AddUnit(&Init<'A'>, &Fini<'A'>);
  EXPECT_EQ(Log, Strings{"init A"}) << "called before AddUnit returns";
  EXPECT_TRUE(Loader.GetIsInitialized());
  Loader.AddUnit(&Init<'B'>, nullptr);
  Loader.RemoveUnit(&Fini<'C'>);  // never added
  EXPECT_EQ(Log, (Strings{"init A", "init B"}));
  Loader.RemoveUnit(&Fini<'A'>);
  Loader.RemoveUnit(&Fini<'A'>);
  EXPECT_EQ(Log, (Strings{"init A", "init B", "fini A"})) << "finalized once";
  Loader.Finalize();
  EXPECT_EQ(Log, (Strings{"init A", "init B", "fini A"}));
}

TEST_F(UnitsLoader, FinalizeRunsWhatRemainsInReverseAndOnlyOnce) {
  Loader.AddUnit(&Init<'A'>, &Fini<'A'>);
  Loader.AddUnit(&Init<'B'>, &Fini<'B'>);
  Loader.AddUnit(&Init<'C'>, &Fini<'C'>);
  Loader.RemoveUnit(&Fini<'B'>);
  Log.clear();
  Loader.Finalize();
  EXPECT_EQ(Log, (Strings{"fini C", "fini A"}));
  EXPECT_FALSE(Loader.GetIsInitialized());
  Loader.Finalize();
  EXPECT_EQ(Log, (Strings{"fini C", "fini A"})) << "a second Finalize runs nothing";
}

TEST_F(UnitsLoader, ALibraryWaitsForInitializeAndFinalize) {
  ModuleIsLib = true;
  Loader.AddUnit(&Init<'A'>, &Fini<'A'>);
  Loader.AddUnit(&Init<'B'>, &Fini<'B'>);
  EXPECT_TRUE(Log.empty());
  EXPECT_FALSE(Loader.GetIsInitialized());
  Loader.RemoveUnit(&Fini<'B'>);
  EXPECT_TRUE(Log.empty()) << "nothing was initialized, so nothing is finalized";
  Loader.AddUnit(&Init<'B'>, &Fini<'B'>);
  Loader.Initialize();
  EXPECT_EQ(Log, (Strings{"init A", "init B", "init B"}));
  Loader.Initialize();
  EXPECT_EQ(Log.size(), 3u) << "the queue was cleared";
  Loader.Finalize();
  EXPECT_EQ(Log, (Strings{"init A", "init B", "init B", "fini B", "fini A"}));
}

TEST_F(UnitsLoader, AProgramFinalizesAUnitThatHasOnlyAFinalization) {
  Loader.AddUnit(nullptr, &Fini<'A'>);
  Loader.RemoveUnit(&Fini<'A'>);
  EXPECT_EQ(Log, Strings{"fini A"});
}

TEST_F(UnitsLoader, DestroyingALoaderFinalizesIt) {
  auto* loader = new TdxUnitsLoader;
  loader->AddUnit(&Init<'A'>, &Fini<'A'>);
  TObject::Free(loader);
  EXPECT_EQ(Log, (Strings{"init A", "fini A"}));
}

TEST(UnitsLoaderSingleton, IsMadeOnceAndRunsAtOnceInAProgram) {
  TdxUnitsLoader* loader = dxUnitsLoader();
  ASSERT_NE(loader, nullptr);
  EXPECT_EQ(dxUnitsLoader(), loader);
  Log.clear();
  loader->AddUnit(&Init<'S'>, &Fini<'S'>);
  loader->RemoveUnit(&Fini<'S'>);
  EXPECT_EQ(Log, (Strings{"init S", "fini S"}));
  Log.clear();
}

std::string Joined(const std::vector<std::string>& AItems) {
  std::string text;
  for (const std::string& item : AItems) text += (text.empty() ? "" : ", ") + item;
  return text;
}

// Whole starts and ends of the suite's units, each run in a child process
// and reporting what happened.

// Each unit registered first and the others after it, last to first.
std::string StartEachUnitRegisteredFirst() {
  const size_t count = std::size(SuiteUnitRegistrations);
  std::vector<std::string> early;
  for (size_t first = 0; first < count; ++first) {
    FinalizeUnits();
    ClearUnitRegistry();
    RegisterHostUnits();
    SuiteUnitRegistrations[first]();
    for (size_t i = count; i-- > 0;)
      if (i != first) SuiteUnitRegistrations[i]();
    InitializeUnits();
    for (const std::string& unit : InitializedUnits()) {
      if (unit == "dxCore") break;
      if (unit.starts_with("cx") || unit.starts_with("dx")) early.push_back(unit);
    }
  }
  return early.empty() ? "dxCore first each time" : "before dxCore: " + Joined(early);
}

void RegisterProbes() {
  RegisterSuiteUnit<&Init<'P'>, &Fini<'P'>>("ProbeP");
  RegisterSuiteUnit<&Init<'Q'>, &Fini<'Q'>>("ProbeQ", {"ProbeP"});
}

std::string StartAndEndTwoProbes() {
  RestartUnits([] {});
  const Integer suiteFinalizations = dxUnitsLoader()->GetFinalizeCount();
  RestartUnits(&RegisterProbes);
  Log.push_back("loader holds " + std::to_string(dxUnitsLoader()->GetFinalizeCount() - suiteFinalizations));
  FinalizeUnits();
  return Joined(Log);
}

std::string StartAndEndALibrary() {
  RestartUnits([] { ModuleIsLib = true; });
  Log.push_back(IsDwmPresent() ? "started at once" : "waiting");
  dxUnitsLoader()->Initialize();
  Log.push_back(IsDwmPresent() ? "started" : "not started");
  dxUnitsLoader()->Finalize();
  Log.push_back(IsDwmPresent() ? "not ended" : "ended");
  FinalizeUnits();
  Log.push_back("freed");
  return Joined(Log);
}

std::string FreeALibraryWithoutFinalize() {
  RestartUnits([] { ModuleIsLib = true; });
  // A unit that never takes its finalization back.
  dxUnitsLoader()->AddUnit(&Init<'L'>, &Fini<'L'>);
  try {
    FinalizeUnits();
    Log.push_back("freed");
  } catch (const EdxException& e) {
    Log.push_back(UTF8Encode(e.GetMessage()));
  }
  return Joined(Log);
}

using SuiteUnits = TUnitRestartTest;

TEST_F(SuiteUnits, StartAfterTheCoreAndEndThroughTheLoader) {
  struct TCase {
    const char* What;
    std::string (*Run)();
    const char* Outcome;
  } cases[] = {
      {"in any order of registration", &StartEachUnitRegisteredFirst, "dxCore first each time"},
      {"ending in reverse", &StartAndEndTwoProbes, "init P, init Q, loader holds 2, fini Q, fini P"},
      {"in a library finalized first", &StartAndEndALibrary, "waiting, started, ended, freed"},
      {"in a library freed first", &FreeALibraryWithoutFinalize, "Need call dxFinalize before free library!"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    EXPECT_EXIT(ExitWithOutcome(c.Run()), ::testing::ExitedWithCode(0), std::string("outcome: ") + c.Outcome + ";");
  }
}

TEST(PlatformFlags, DescribeWindowsNT61Natively) {
  struct TFlag {
    const char* Name;
    bool Value;
    bool Expected;
  };
  const TFlag flags[] = {
      {"IsWin9X", IsWin9X, false},
      {"IsWin95", IsWin95, false},
      {"IsWin98", IsWin98, false},
      {"IsWinMe", IsWinMe, false},
      {"IsWinNT", IsWinNT, true},
      {"IsWin2K", IsWin2K, false},
      {"IsWin2KOrLater", IsWin2KOrLater, true},
      {"IsWinXP", IsWinXP, false},
      {"IsWinXPOrLater", IsWinXPOrLater, true},
      {"IsWin2KOrXP", IsWin2KOrXP, false},
      {"IsWinVista", IsWinVista, false},
      {"IsWinVistaOrLater", IsWinVistaOrLater, true},
      {"IsWinSeven", IsWinSeven, true},
      {"IsWinSevenOrLater", IsWinSevenOrLater, true},
      {"IsWin8", IsWin8, false},
      {"IsWin8OrLater", IsWin8OrLater, false},
      {"IsWin64Bit", IsWin64Bit, false},
  };
  for (const TFlag& f : flags) EXPECT_EQ(f.Value, f.Expected) << f.Name;
}

TEST(CharacterClasses, LettersAndDecimalDigitsOfAnyScript) {
  struct TCase {
    Char C;
    bool Alpha, Numeric;
  } cases[] = {
      {u'a', true, false},
      {u'Z', true, false},
      {u'\u00E9', true, false},  // e acute
      {u'\u00DF', true, false},  // sharp s
      {u'\u03A9', true, false},  // Greek capital omega
      {u'\u0436', true, false},  // Cyrillic zhe
      {u'\u4E2D', true, false},  // an ideograph
      {u'0', false, true},
      {u'9', false, true},
      {u'\u0663', false, true},  // Arabic-Indic three
      {u'\uFF15', false, true},  // fullwidth five
      {u'_', false, false},
      {u' ', false, false},
      {u'+', false, false},
      {u'\0', false, false},
      {Char(0xD800), false, false},  // half of a surrogate pair
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(dxCharIsAlpha(c.C), c.Alpha) << std::hex << int(c.C);
    EXPECT_EQ(dxCharIsNumeric(c.C), c.Numeric) << std::hex << int(c.C);
  }
}

class TListener : public TObject, public IdxLocalizerListener {
 public:
  TListener(std::vector<int>& ALog, int AId) : FLog(ALog), FId(AId) {}
  void TranslationChanged() override {
    FLog.push_back(FId);
    if (OnChanged) OnChanged();
  }
  std::function<void()> OnChanged;

 private:
  std::vector<int>& FLog;
  int FId;
};

void AddGreetings(TdxProductResourceStrings* AProduct) {
  AProduct->Add(u"sHello", u"Hello");
  AProduct->Add(u"sBye", u"Goodbye");
  AProduct->Add(u"sHello", u"Hi");
}

class ResourceStrings : public ::testing::Test {
 protected:
  TdxResourceStringsRepository Repository;
  std::vector<int> Calls;
};

TEST_F(ResourceStrings, ListenersAreToldInOrderOnceEach) {
  TListener a(Calls, 1), b(Calls, 2), c(Calls, 3);
  Repository.AddListener(&b);
  Repository.AddListener(&a);
  Repository.AddListener(&b);
  Repository.AddListener(&c);
  Repository.RemoveListener(&c);
  Repository.NotifyListeners();
  EXPECT_EQ(Calls, (std::vector<int>{2, 1}));
}

TEST_F(ResourceStrings, AListenerRemovedDuringNotificationIsSkipped) {
  TListener a(Calls, 1), b(Calls, 2);
  a.OnChanged = [&] { Repository.RemoveListener(&b); };
  Repository.AddListener(&a);
  Repository.AddListener(&b);
  Repository.NotifyListeners();
  EXPECT_EQ(Calls, (std::vector<int>{1}));
}

TEST_F(ResourceStrings, ProductsAnswerOriginalAndTranslatedValues) {
  TdxProductResourceStrings* product = Repository.RegisterProduct(u"Greetings", &AddGreetings);
  ASSERT_NE(product, nullptr);
  EXPECT_EQ(Repository.RegisterProduct(u"Greetings", nullptr), product);
  EXPECT_EQ(product->GetCount(), 2);
  EXPECT_EQ(Repository.Translate(u"sHello"), u"Hello") << "the first original value stays";
  EXPECT_TRUE(product->SetTranslation(u"sHello", u"Olá"));
  EXPECT_FALSE(product->SetTranslation(u"sNone", u"x"));
  EXPECT_EQ(Repository.Translate(u"sHello"), u"Olá");
  EXPECT_EQ(Repository.GetOriginalValue(u"sHello"), u"Hello");
  EXPECT_EQ(Repository.Translate(u"sBye"), u"Goodbye");
  EXPECT_EQ(Repository.Translate(u"sNone"), u"");
  product->ClearTranslations();
  EXPECT_EQ(Repository.Translate(u"sHello"), u"Hello");
  Repository.UnRegisterProduct(u"Greetings");
  EXPECT_EQ(Repository.GetProductCount(), 0);
  EXPECT_EQ(Repository.GetOriginalValue(u"sHello"), u"");
}

constexpr TcxResourceString sGreeting{u"sGreeting", u"Hello"};
constexpr TcxResourceString sAlone{u"sAlone", u"Nobody registered me"};

void AddGreeting(TdxProductResourceStrings* AProduct) { AProduct->Add(sGreeting.Name, sGreeting.Value); }

TEST(cxGetResourceString, FetchesByNameWhenUsedTheLocalisedTextOrTheOriginal) {
  EXPECT_EQ(cxGetResourceString(&sGreeting), u"Hello") << "not registered yet";
  TdxProductResourceStrings* product = dxResourceStringsRepository()->RegisterProduct(u"Greeting", &AddGreeting);
  EXPECT_EQ(cxGetResourceString(&sGreeting), u"Hello");
  product->SetTranslation(u"sGreeting", u"Olá");
  EXPECT_EQ(cxGetResourceString(&sGreeting), u"Olá");
  product->SetTranslation(u"sGreeting", u"Oi");
  EXPECT_EQ(cxGetResourceString(&sGreeting), u"Oi") << "asked again, not remembered";
  EXPECT_EQ(cxGetResourceString(&sAlone), u"Nobody registered me");
  product->ClearTranslations();
  EXPECT_EQ(cxGetResourceString(&sGreeting), u"Hello");
  product->SetTranslation(u"sGreeting", u"Olá");
  dxResourceStringsRepository()->UnRegisterProduct(u"Greeting");
  EXPECT_EQ(cxGetResourceString(&sGreeting), u"Hello") << "its product gone";
}

TEST(EdxException, CarriesItsMessageAsTheHostsExceptionsDo) {
  try {
    throw EdxException(u"Invalid operation in GDI+ (Code: %d)", {7});
  } catch (const Exception& e) {
    EXPECT_EQ(e.GetMessage(), u"Invalid operation in GDI+ (Code: 7)");
    EXPECT_NE(dynamic_cast<const EdxException*>(&e), nullptr);
  }
}

TEST(ResourceStringsSingleton, IsMadeOnce) {
  ASSERT_NE(dxResourceStringsRepository(), nullptr);
  EXPECT_EQ(dxResourceStringsRepository(), dxResourceStringsRepository());
}

}  // namespace

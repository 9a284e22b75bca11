#pragma once
// The suite's core: its exception, the deferred unit loader, the character
// classes, the platform flags and the resource-strings repository with its
// listeners.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/Exceptions.h"
#include "host/Objects.h"
#include "platform/Units.h"

// The base of the suite's exceptions.
class EdxException : public Exception {
 public:
  using Exception::Exception;
};

using TdxProc = void (*)();

// Units hand their registration and unregistration procedures to the loader.
// In a program registration runs at once; in a library it waits for an
// explicit Initialize, and the host must call Finalize before unloading.
class TdxUnitsLoader : public TObject {
  HOST_CLASS(TdxUnitsLoader);

  TdxUnitsLoader() = default;
  ~TdxUnitsLoader() override;

  // AFinalizeProc may be nullptr.
  void AddUnit(TdxProc AInitializeProc, TdxProc AFinalizeProc);
  // Runs AFinalizeProc when it was waiting and initialization has happened.
  void RemoveUnit(TdxProc AFinalizeProc);
  // The waiting initializations, in the order they were added.
  void Initialize();
  // The remaining finalizations, last added first.
  void Finalize();

  // Whether initialization callbacks have run. Kept per loader, so that a
  // loader of one's own never disturbs the shared one.
  bool GetIsInitialized() const { return FIsInitialized; }
  Integer GetFinalizeCount() const { return static_cast<Integer>(FinalizeList.size()); }

 private:
  std::vector<TdxProc> FinalizeList;
  std::vector<TdxProc> InitializeList;
  bool FIsInitialized = false;
};

// The loader of the process, made on first use.
TdxUnitsLoader* dxUnitsLoader();

// Registers a unit of the suite, which starts after dxCore and after AUses.
// It hands AInitialize and AFinalize (either may be nullptr) to the loader as
// it starts and takes AFinalize back as it ends, which runs it: so the units
// end in the reverse order of their start.
template <TdxProc AInitialize, TdxProc AFinalize>
void RegisterSuiteUnit(std::string AName, std::vector<std::string> AUses = {}) {
  AUses.insert(AUses.begin(), "dxCore");
  RegisterUnit({std::move(AName), std::move(AUses), [] { dxUnitsLoader()->AddUnit(AInitialize, AFinalize); },
                [] { dxUnitsLoader()->RemoveUnit(AFinalize); }});
}

// Character classes of the system's character-type table.
bool dxCharIsAlpha(Char C);
// A decimal digit of any script.
bool dxCharIsNumeric(Char C);

// The platform flags, computed once when the unit starts.
extern bool IsWin9X;
extern bool IsWin95;
extern bool IsWin98;
extern bool IsWinMe;
extern bool IsWinNT;
extern bool IsWin2K;
extern bool IsWin2KOrLater;
extern bool IsWinXP;
extern bool IsWinXPOrLater;
extern bool IsWin2KOrXP;
extern bool IsWinVista;
extern bool IsWinVistaOrLater;
extern bool IsWinSeven;
extern bool IsWinSevenOrLater;
extern bool IsWin8;
extern bool IsWin8OrLater;
extern bool IsWin64Bit;

// From the version and kernel32 the system reports.
void InitPlatformInfo();

// A listener list as it was when taken, to tell its listeners while they
// may come and go: one that has left the list by its turn is skipped, one
// added meanwhile is told next time, and none is told twice in one walk.
template <typename T>
class TListenerSnapshot {
 public:
  explicit TListenerSnapshot(const std::vector<T*>& AListeners) : FList(AListeners), FSnapshot(AListeners) {}

  // In the order taken, or the last first.
  template <typename TProc>
  void ForEach(TProc AProc, bool ALastFirst = false) const {
    for (size_t i = 0; i < FSnapshot.size(); ++i) {
      T* listener = FSnapshot[ALastFirst ? FSnapshot.size() - 1 - i : i];
      if (StillListed(listener)) AProc(listener);
    }
  }

 private:
  bool StillListed(T* AListener) const {
    for (T* item : FList)
      if (item == AListener) return true;
    return false;
  }

  const std::vector<T*>& FList;
  const std::vector<T*> FSnapshot;
};

// Each listener of the list as it is now (TListenerSnapshot).
template <typename T, typename TProc>
void ForEachListener(const std::vector<T*>& AListeners, TProc AProc, bool ALastFirst = false) {
  TListenerSnapshot<T>(AListeners).ForEach(AProc, ALastFirst);
}

// Told when the translations of the resource strings changed.
class IdxLocalizerListener : public virtual IInterface {
 public:
  virtual void TranslationChanged() = 0;
};

// One product's resource strings: names with their original values and the
// translations set for them.
class TdxProductResourceStrings : public TObject {
  HOST_CLASS(TdxProductResourceStrings);

  explicit TdxProductResourceStrings(const String& AName) : FName(AName) {}

  // A name added again keeps its first original value.
  void Add(const String& AResStringName, const String& AOriginalValue);
  // False for a name the product does not have.
  bool SetTranslation(const String& AResStringName, const String& AValue);
  void ClearTranslations();
  // -1 when absent; names match exactly.
  Integer IndexOf(const String& AResStringName) const;

  const String& GetName() const { return FName; }
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  const String& GetNames(Integer Index) const { return FItems.at(Index).Name; }
  const String& GetOriginalValues(Integer Index) const { return FItems.at(Index).OriginalValue; }
  // The translation, else the original value.
  const String& GetValues(Integer Index) const;

 private:
  struct TItem {
    String Name;
    String OriginalValue;
    String Translation;
    bool Translated = false;
  };
  String FName;
  std::vector<TItem> FItems;
};

using TdxAddResourceStringsProc = void (*)(TdxProductResourceStrings* AProduct);

// A resource string of the suite: the name it is registered and localised
// by, and its original text.
struct TcxResourceString {
  const char16_t* Name;
  const char16_t* Value;
};
using TcxResourceStringID = const TcxResourceString*;

class TdxResourceStringsRepository : public TObject {
  HOST_CLASS(TdxResourceStringsRepository);

  TdxResourceStringsRepository() = default;
  ~TdxResourceStringsRepository() override;

  // Listeners are not owned; each one is listed once.
  void AddListener(IdxLocalizerListener* AListener);
  void RemoveListener(IdxLocalizerListener* AListener);
  // Each listener in the order added; one removed meanwhile is skipped.
  void NotifyListeners();

  // AAddStringsProc fills the new product with its strings. Registering a
  // product name again hands back the product already there.
  TdxProductResourceStrings* RegisterProduct(const String& AProductName, TdxAddResourceStringsProc AAddStringsProc);
  void UnRegisterProduct(const String& AProductName);
  // nullptr when not registered.
  TdxProductResourceStrings* GetProductByName(const String& AProductName) const;
  Integer GetProductCount() const { return static_cast<Integer>(FProducts.size()); }

  // The current value of a resource string, translated or not; the first
  // product that has the name answers. Empty for an unknown name.
  String Translate(const String& AResStringName) const;
  String GetOriginalValue(const String& AResStringName) const;
  // Looked up by its name: the localised text when one was set, else the
  // original text, also for a name no product has registered.
  String GetResourceString(TcxResourceStringID AResString) const;

 private:
  // The first product that has the name, and the name's place in it;
  // nullptr when none has.
  std::pair<TdxProductResourceStrings*, Integer> Find(const String& AResStringName) const;

  std::vector<IdxLocalizerListener*> FListeners;
  std::vector<std::unique_ptr<TdxProductResourceStrings, TFreeObject>> FProducts;
};

// The repository of the process, made on first use and freed when the unit ends.
TdxResourceStringsRepository* dxResourceStringsRepository();

// The text of a resource string of the suite, as the repository of the
// process has it when asked.
String cxGetResourceString(TcxResourceStringID AResString);

// The unit that computes the platform flags first of all the suite's units
// and frees the loader and the repository at the end.
void RegisterCoreUnit();

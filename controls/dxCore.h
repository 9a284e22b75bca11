#pragma once
// The suite's core: the deferred unit loader, the character classes, the
// platform flags and the resource-strings repository with its listeners.

#include <memory>
#include <vector>

#include "host/Objects.h"

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

 private:
  std::vector<IdxLocalizerListener*> FListeners;
  std::vector<std::unique_ptr<TdxProductResourceStrings, TFreeObject>> FProducts;
};

// The repository of the process, made on first use and freed when the unit ends.
TdxResourceStringsRepository* dxResourceStringsRepository();

// The unit that computes the platform flags first of all the suite's units
// and frees the loader and the repository at the end.
void RegisterCoreUnit();

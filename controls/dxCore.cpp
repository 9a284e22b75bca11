#include "controls/dxCore.h"

#include <algorithm>

#include "platform/Kernel.h"
#include "platform/Locale.h"
#include "platform/Modules.h"

HOST_CLASS_INFO(TdxUnitsLoader, TObject, nullptr)
HOST_CLASS_INFO(TdxProductResourceStrings, TObject, nullptr)
HOST_CLASS_INFO(TdxResourceStringsRepository, TObject, nullptr)

namespace {

constexpr char16_t SNeedFinalize[] = u"Need call dxFinalize before free library!";

std::unique_ptr<TdxUnitsLoader, TFreeObject>& Loader() {
  static std::unique_ptr<TdxUnitsLoader, TFreeObject> loader;
  return loader;
}

std::unique_ptr<TdxResourceStringsRepository, TFreeObject>& Repository() {
  static std::unique_ptr<TdxResourceStringsRepository, TFreeObject> repository;
  return repository;
}

bool IsLibrary() { return ModuleIsLib && !ModuleIsPackage; }

using TIsWow64Process = decltype(&IsWow64Process);

bool RunsUnderWow64() {
  HMODULE kernel = LoadLibraryW(u"kernel32.dll");
  if (!kernel) return false;
  BOOL wow64 = FALSE;
  auto isWow64Process = reinterpret_cast<TIsWow64Process>(GetProcAddress(kernel, "IsWow64Process"));
  const bool result = isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
  FreeLibrary(kernel);
  return result;
}

void FinalizeCore() {
  Repository().reset();
  std::unique_ptr<TdxUnitsLoader, TFreeObject> loader = std::move(Loader());
  if (loader && IsLibrary() && loader->GetFinalizeCount() > 0) throw EdxException(SNeedFinalize);
}

}  // namespace

// --- The loader --------------------------------------------------------------

TdxUnitsLoader::~TdxUnitsLoader() { Finalize(); }

void TdxUnitsLoader::AddUnit(TdxProc AInitializeProc, TdxProc AFinalizeProc) {
  if (IsLibrary()) {
    if (AInitializeProc) InitializeList.push_back(AInitializeProc);
  } else {
    // Also without an initialization: a program's finalizations run on removal.
    FIsInitialized = true;
    if (AInitializeProc) AInitializeProc();
  }
  if (AFinalizeProc) FinalizeList.push_back(AFinalizeProc);
}

void TdxUnitsLoader::RemoveUnit(TdxProc AFinalizeProc) {
  auto it = std::find(FinalizeList.begin(), FinalizeList.end(), AFinalizeProc);
  if (it == FinalizeList.end()) return;
  FinalizeList.erase(it);
  if (FIsInitialized) AFinalizeProc();
}

void TdxUnitsLoader::Initialize() {
  // A procedure may add units of its own: those join the list being run.
  for (size_t i = 0; i < InitializeList.size(); ++i) InitializeList[i]();
  InitializeList.clear();
  FIsInitialized = true;
}

void TdxUnitsLoader::Finalize() {
  if (FIsInitialized)
    while (!FinalizeList.empty()) {
      const TdxProc proc = FinalizeList.back();
      FinalizeList.pop_back();
      proc();
    }
  FIsInitialized = false;
  FinalizeList.clear();
}

TdxUnitsLoader* dxUnitsLoader() {
  auto& loader = Loader();
  if (!loader) loader.reset(new TdxUnitsLoader);
  return loader.get();
}

// --- Character classes -------------------------------------------------------

namespace {

WORD CharType(Char C) {
  WORD type = 0;
  return GetStringTypeW(CT_CTYPE1, &C, 1, &type) ? type : 0;
}

}  // namespace

bool dxCharIsAlpha(Char C) { return (CharType(C) & C1_ALPHA) != 0; }

bool dxCharIsNumeric(Char C) { return (CharType(C) & C1_DIGIT) != 0; }

// --- Platform flags ----------------------------------------------------------

bool IsWin9X = false;
bool IsWin95 = false;
bool IsWin98 = false;
bool IsWinMe = false;
bool IsWinNT = false;
bool IsWin2K = false;
bool IsWin2KOrLater = false;
bool IsWinXP = false;
bool IsWinXPOrLater = false;
bool IsWin2KOrXP = false;
bool IsWinVista = false;
bool IsWinVistaOrLater = false;
bool IsWinSeven = false;
bool IsWinSevenOrLater = false;
bool IsWin8 = false;
bool IsWin8OrLater = false;
bool IsWin64Bit = false;

void InitPlatformInfo() {
  OSVERSIONINFOW info;
  if (!GetVersionExW(&info)) info = OSVERSIONINFOW();
  const DWORD major = info.dwMajorVersion;
  const DWORD minor = info.dwMinorVersion;
  IsWin9X = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
  IsWin95 = IsWin9X && minor == 0;
  IsWin98 = IsWin9X && minor == 10;
  IsWinMe = IsWin9X && minor == 90;
  IsWinNT = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  IsWin2K = IsWinNT && major == 5 && minor == 0;
  IsWin2KOrLater = IsWinNT && major >= 5;
  IsWinXP = IsWinNT && major == 5 && minor >= 1;
  IsWinXPOrLater = IsWinNT && major >= 5 && !IsWin2K;
  IsWin2KOrXP = IsWin2K || IsWinXP;
  IsWinVista = IsWinNT && major == 6 && minor == 0;
  IsWinVistaOrLater = IsWinNT && major >= 6;
  IsWinSeven = IsWinNT && major == 6 && minor == 1;
  IsWinSevenOrLater = IsWinVistaOrLater && !IsWinVista;
  IsWin8 = IsWinNT && major == 6 && minor == 2;
  IsWin8OrLater = IsWinSevenOrLater && !IsWinSeven;
  IsWin64Bit = RunsUnderWow64();
}

// --- Resource strings --------------------------------------------------------

void TdxProductResourceStrings::Add(const String& AResStringName, const String& AOriginalValue) {
  if (IndexOf(AResStringName) < 0) FItems.push_back({AResStringName, AOriginalValue, String(), false});
}

bool TdxProductResourceStrings::SetTranslation(const String& AResStringName, const String& AValue) {
  const Integer index = IndexOf(AResStringName);
  if (index < 0) return false;
  FItems[index].Translation = AValue;
  FItems[index].Translated = true;
  return true;
}

void TdxProductResourceStrings::ClearTranslations() {
  for (TItem& item : FItems) {
    item.Translation.clear();
    item.Translated = false;
  }
}

Integer TdxProductResourceStrings::IndexOf(const String& AResStringName) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Name == AResStringName) return static_cast<Integer>(i);
  return -1;
}

const String& TdxProductResourceStrings::GetValues(Integer Index) const {
  const TItem& item = FItems.at(Index);
  return item.Translated ? item.Translation : item.OriginalValue;
}

TdxResourceStringsRepository::~TdxResourceStringsRepository() = default;

void TdxResourceStringsRepository::AddListener(IdxLocalizerListener* AListener) {
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TdxResourceStringsRepository::RemoveListener(IdxLocalizerListener* AListener) {
  std::erase(FListeners, AListener);
}

void TdxResourceStringsRepository::NotifyListeners() {
  ForEachListener(FListeners, [](IdxLocalizerListener* listener) { listener->TranslationChanged(); });
}

TdxProductResourceStrings* TdxResourceStringsRepository::RegisterProduct(const String& AProductName,
                                                                         TdxAddResourceStringsProc AAddStringsProc) {
  if (TdxProductResourceStrings* existing = GetProductByName(AProductName)) return existing;
  FProducts.emplace_back(new TdxProductResourceStrings(AProductName));
  TdxProductResourceStrings* product = FProducts.back().get();
  if (AAddStringsProc) AAddStringsProc(product);
  return product;
}

void TdxResourceStringsRepository::UnRegisterProduct(const String& AProductName) {
  std::erase_if(FProducts, [&](const auto& product) { return product->GetName() == AProductName; });
}

TdxProductResourceStrings* TdxResourceStringsRepository::GetProductByName(const String& AProductName) const {
  for (const auto& product : FProducts)
    if (product->GetName() == AProductName) return product.get();
  return nullptr;
}

std::pair<TdxProductResourceStrings*, Integer> TdxResourceStringsRepository::Find(const String& AResStringName) const {
  for (const auto& product : FProducts) {
    const Integer index = product->IndexOf(AResStringName);
    if (index >= 0) return {product.get(), index};
  }
  return {nullptr, -1};
}

String TdxResourceStringsRepository::Translate(const String& AResStringName) const {
  const auto [product, index] = Find(AResStringName);
  return product ? product->GetValues(index) : String();
}

String TdxResourceStringsRepository::GetOriginalValue(const String& AResStringName) const {
  const auto [product, index] = Find(AResStringName);
  return product ? product->GetOriginalValues(index) : String();
}

String TdxResourceStringsRepository::GetResourceString(TcxResourceStringID AResString) const {
  const auto [product, index] = Find(AResString->Name);
  return product ? product->GetValues(index) : String(AResString->Value);
}

TdxResourceStringsRepository* dxResourceStringsRepository() {
  auto& repository = Repository();
  if (!repository) repository.reset(new TdxResourceStringsRepository);
  return repository.get();
}

String cxGetResourceString(TcxResourceStringID AResString) {
  return dxResourceStringsRepository()->GetResourceString(AResString);
}

void RegisterCoreUnit() { RegisterUnit({"dxCore", {"SysUtils"}, &InitPlatformInfo, &FinalizeCore}); }

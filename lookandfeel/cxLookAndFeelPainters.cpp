// The painter base and the registry of painters.

#include "lookandfeel/cxLookAndFeelPainters.h"

#include <algorithm>

#include "controls/dxCore.h"
#include "host/SysUtils.h"
#include "lookandfeel/cxLookAndFeels.h"

HOST_CLASS_INFO(TcxCustomLookAndFeelPainter, TPersistent, nullptr)
HOST_CLASS_INFO(TcxLookAndFeelPaintersManager, TObject, &CreateDefault<TcxLookAndFeelPaintersManager>)

bool cxIsTouchModeEnabled = cxDefaultIsTouchModeEnabled;

namespace {

std::unique_ptr<TcxLookAndFeelPaintersManager, TFreeObject>& Manager() {
  static std::unique_ptr<TcxLookAndFeelPaintersManager, TFreeObject> manager;
  return manager;
}

void InitializePainters() { Manager().reset(new TcxLookAndFeelPaintersManager); }

void FinalizePainters() { Manager().reset(); }

}  // namespace

TcxLookAndFeelPaintersManager* cxLookAndFeelPaintersManager() { return Manager().get(); }

// --- The registry ---------------------------------------------------------------

TcxLookAndFeelPaintersManager::~TcxLookAndFeelPaintersManager() {
  // From the end of the list, each out of it before it goes.
  while (!FPainters.empty()) {
    auto painter = std::move(FPainters.back());
    FPainters.pop_back();
  }
}

bool TcxLookAndFeelPaintersManager::Register(TcxCustomLookAndFeelPainter* APainter) {
  if (!APainter) return false;
  const bool registered = std::any_of(FPainters.begin(), FPainters.end(),
                                      [&](const auto& painter) { return painter.get() == APainter; });
  if (registered) return false;
  if (GetPainter(APainter->LookAndFeelName())) {
    TObject::Free(APainter);
    return false;
  }
  FPainters.emplace_back(APainter);
  Sort();
  DoPainterAdded(APainter);
  return true;
}

bool TcxLookAndFeelPaintersManager::Unregister(const String& AName) {
  const auto it = std::find_if(FPainters.begin(), FPainters.end(),
                               [&](const auto& painter) { return SameText(painter->LookAndFeelName(), AName); });
  if (it == FPainters.end()) return false;
  const std::unique_ptr<TcxCustomLookAndFeelPainter, TFreeObject> painter = std::move(*it);
  FPainters.erase(it);
  DoPainterRemoved(painter.get());
  return true;
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetPainter(TcxLookAndFeelStyle AStyle) const {
  for (const auto& painter : FPainters)
    if (painter->LookAndFeelStyle() == AStyle) return painter.get();
  return nullptr;
}

bool TcxLookAndFeelPaintersManager::GetPainter(TcxLookAndFeelStyle AStyle,
                                               TcxCustomLookAndFeelPainter*& APainter) const {
  APainter = GetPainter(AStyle);
  return APainter != nullptr;
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetPainter(const String& AName) const {
  for (const auto& painter : FPainters)
    if (SameText(painter->LookAndFeelName(), AName)) return painter.get();
  return nullptr;
}

bool TcxLookAndFeelPaintersManager::GetPainter(const String& AName, TcxCustomLookAndFeelPainter*& APainter) const {
  APainter = GetPainter(AName);
  return APainter != nullptr;
}

void TcxLookAndFeelPaintersManager::AddListener(IcxLookAndFeelPainterListener* AListener) {
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TcxLookAndFeelPaintersManager::RemoveListener(IcxLookAndFeelPainterListener* AListener) {
  std::erase(FListeners, AListener);
}

void TcxLookAndFeelPaintersManager::DoPainterAdded(TcxCustomLookAndFeelPainter* APainter) {
  DoRootLookAndFeelChanged();
  ForEachListener(FListeners, [&](IcxLookAndFeelPainterListener* listener) { listener->PainterAdded(APainter); },
                  true);
}

void TcxLookAndFeelPaintersManager::DoPainterRemoved(TcxCustomLookAndFeelPainter* APainter) {
  DoRootLookAndFeelChanged();
  ForEachListener(FListeners, [&](IcxLookAndFeelPainterListener* listener) { listener->PainterRemoved(APainter); },
                  true);
}

void TcxLookAndFeelPaintersManager::DoRootLookAndFeelChanged() {
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->PaintersChanged();
}

void TcxLookAndFeelPaintersManager::Sort() {
  std::stable_sort(FPainters.begin(), FPainters.end(), [](const auto& a, const auto& b) {
    return AnsiCompareStr(a->LookAndFeelName(), b->LookAndFeelName()) < 0;
  });
}

void RegisterLookAndFeelPaintersUnit() {
  RegisterSuiteUnit<&InitializePainters, &FinalizePainters>("cxLookAndFeelPainters", {"cxGraphics", "dxThemeManager"});
}

// The notifiers of system colour changes and the hidden window they share.

#include <memory>
#include <vector>

#include "controls/cxClasses.h"
#include "controls/dxCore.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/dxOffice11.h"
#include "platform/WindowMessages.h"

HOST_CLASS_INFO(TcxSystemPaletteChangedNotifier, TObject, nullptr)

namespace {

// Lives while any notifier does, and holds a use of the Office-11 colours
// as long.
class TcxSystemPaletteChangedListener : public TcxMessageWindow {
 public:
  TcxSystemPaletteChangedListener() { CreateOffice11Colors(); }
  ~TcxSystemPaletteChangedListener() override { ReleaseOffice11Colors(); }

  void Add(TcxSystemPaletteChangedNotifier* ANotifier) { ListOf(ANotifier).push_back(ANotifier); }
  void Remove(TcxSystemPaletteChangedNotifier* ANotifier) { std::erase(ListOf(ANotifier), ANotifier); }

 protected:
  LRESULT WndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) override {
    const LRESULT result = TcxMessageWindow::WndProc(AMsg, AWParam, ALParam);
    if (AMsg == WM_SYSCOLORCHANGE) {
      RefreshOffice11Colors();
      const auto notify = [](TcxSystemPaletteChangedNotifier* notifier) { notifier->DoChanged(); };
      ForEachListener(FPrimaryNotifierList, notify, true);
      ForEachListener(FNotifierList, notify, true);
    }
    return result;
  }

 private:
  std::vector<TcxSystemPaletteChangedNotifier*>& ListOf(TcxSystemPaletteChangedNotifier* ANotifier) {
    return ANotifier->GetIsPrimary() ? FPrimaryNotifierList : FNotifierList;
  }

  std::vector<TcxSystemPaletteChangedNotifier*> FNotifierList;
  std::vector<TcxSystemPaletteChangedNotifier*> FPrimaryNotifierList;
};

struct TSharedListener {
  std::unique_ptr<TcxSystemPaletteChangedListener, TFreeObject> Listener;
  Integer RefCount = 0;
};

TSharedListener& Shared() {
  static TSharedListener shared;
  return shared;
}

TcxSystemPaletteChangedListener* AddRefSystemPaletteChangedListener() {
  TSharedListener& shared = Shared();
  if (shared.RefCount++ == 0) shared.Listener.reset(new TcxSystemPaletteChangedListener);
  return shared.Listener.get();
}

void ReleaseRefSystemPaletteChangedListener() {
  TSharedListener& shared = Shared();
  if (--shared.RefCount == 0) shared.Listener.reset();
}

}  // namespace

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool AIsPrimary) : FIsPrimary(AIsPrimary) {
  AddRefSystemPaletteChangedListener()->Add(this);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
  Shared().Listener->Remove(this);
  ReleaseRefSystemPaletteChangedListener();
}

void TcxSystemPaletteChangedNotifier::DoChanged() {
  if (OnSystemPaletteChanged) OnSystemPaletteChanged(this);
}

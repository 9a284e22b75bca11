// Popup menus and their items' shortcuts.

#include "host/Menus.h"

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key & 0xFF00) return 0;
  TShortCut s = Key;
  if (Shift.Contains(ssShift)) s |= scShift;
  if (Shift.Contains(ssCtrl)) s |= scCtrl;
  if (Shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

HOST_CLASS_INFO(TMenuItem, TComponent, &CreateOwned<TMenuItem>)

void TMenuItem::Click() {
  if (FEnabled && OnClick) OnClick(this);
}

HOST_CLASS_INFO(TPopupMenu, TComponent, &CreateOwned<TPopupMenu>)

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Add(TMenuItem* Item) { FItems.emplace_back(Item); }

bool TPopupMenu::IsShortCut(Word Key, TShiftState Shift) {
  const TShortCut wanted = ShortCut(Key, Shift);
  if (wanted == 0) return false;
  for (auto& item : FItems)
    if (item->GetShortCut() == wanted && item->GetEnabled()) {
      item->Click();
      return true;
    }
  return false;
}

void TPopupMenu::Popup(Integer X, Integer Y) {
  FPopupPoint = Point(X, Y);
  if (OnPopup) OnPopup(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

#pragma once
// Menus as far as controls use them: a popup menu with items that have
// shortcuts, shown at a screen point. There is no menu window; showing a
// popup runs its OnPopup.

#include <memory>
#include <vector>

#include "host/Components.h"
#include "host/Controls.h"

using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(Word Key, TShiftState Shift);

class TMenuItem : public TComponent {
  HOST_CLASS(TMenuItem);

  explicit TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  virtual void Click();

  TNotifyEvent OnClick;

 private:
  TShortCut FShortCut = 0;
  bool FEnabled = true;
  String FCaption;
};

class TPopupMenu : public TComponent {
  HOST_CLASS(TPopupMenu);

  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // The menu takes ownership of the item.
  void Add(TMenuItem* Item);
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TMenuItem* GetItems(Integer Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }

  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
  TPoint GetPopupPoint() const { return FPopupPoint; }

  // Clicks the enabled item with the key's shortcut; false when none has it.
  virtual bool IsShortCut(Word Key, TShiftState Shift);
  virtual void Popup(Integer X, Integer Y);

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::vector<std::unique_ptr<TMenuItem, TFreeObject>> FItems;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint{-1, -1};
};

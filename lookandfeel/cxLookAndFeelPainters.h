#pragma once
// Painters and their registry. A painter draws the suite's elements in one
// look and feel; one instance of each painter class exists, owned by the
// process-wide registry, which keeps them sorted by name and finds them by
// style or by name. The system colours' change notifiers live here too.

#include <memory>
#include <vector>

#include "host/Persistent.h"
#include "platform/Guid.h"

enum TcxLookAndFeelStyle : uint8_t { lfsFlat, lfsStandard, lfsUltraFlat, lfsNative, lfsOffice11, lfsSkin };

using TdxSkinName = String;

inline constexpr bool cxDefaultIsTouchModeEnabled = false;
// Painters enlarge touchable elements while it is set.
extern bool cxIsTouchModeEnabled;

// The base of every painter: its identity. The base answers an empty name
// and lfsStandard.
class TcxCustomLookAndFeelPainter : public TPersistent {
  HOST_CLASS(TcxCustomLookAndFeelPainter);

  // Unique among the registered painters, without regard to ASCII case.
  virtual String LookAndFeelName() const { return String(); }
  virtual TcxLookAndFeelStyle LookAndFeelStyle() const { return lfsStandard; }
};

// {76752032-2C4B-48B9-9AD3-9B294E29F730}
inline constexpr GUID IID_IcxLookAndFeelPainterListener{
    0x76752032, 0x2C4B, 0x48B9, {0x9A, 0xD3, 0x9B, 0x29, 0x4E, 0x29, 0xF7, 0x30}};

// Told after a painter joined the registry and after one left it (before
// it is freed).
class IcxLookAndFeelPainterListener : public virtual IInterface {
 public:
  virtual void PainterAdded(TcxCustomLookAndFeelPainter* APainter) = 0;
  virtual void PainterRemoved(TcxCustomLookAndFeelPainter* APainter) = 0;
};

class TcxLookAndFeelPaintersManager : public TObject {
  HOST_CLASS(TcxLookAndFeelPaintersManager);

  TcxLookAndFeelPaintersManager() = default;
  // Frees every painter still registered.
  ~TcxLookAndFeelPaintersManager() override;

  // Takes the painter over and sorts the list by name, in the user's
  // collation with case. A painter whose name is registered already (case
  // ignored) is freed instead and the answer is false; so is one that is
  // null or this very painter again, which is left as it is.
  bool Register(TcxCustomLookAndFeelPainter* APainter);
  // Takes the painter of that name out, tells the look and feels and the
  // listeners, and frees it (also when a listener raises). False for a name
  // not registered.
  bool Unregister(const String& AName);

  // The first painter of the style in the list's order; nullptr when none.
  TcxCustomLookAndFeelPainter* GetPainter(TcxLookAndFeelStyle AStyle) const;
  bool GetPainter(TcxLookAndFeelStyle AStyle, TcxCustomLookAndFeelPainter*& APainter) const;
  // The painter of that name, ASCII case ignored; nullptr when none.
  TcxCustomLookAndFeelPainter* GetPainter(const String& AName) const;
  bool GetPainter(const String& AName, TcxCustomLookAndFeelPainter*& APainter) const;

  // Listeners are not owned; each is listed once.
  void AddListener(IcxLookAndFeelPainterListener* AListener);
  void RemoveListener(IcxLookAndFeelPainterListener* AListener);

  Integer GetCount() const { return static_cast<Integer>(FPainters.size()); }
  TcxCustomLookAndFeelPainter* GetItems(Integer Index) const { return FPainters.at(Index).get(); }

 protected:
  // The look and feels first, then each listener, the last added first.
  void DoPainterAdded(TcxCustomLookAndFeelPainter* APainter);
  void DoPainterRemoved(TcxCustomLookAndFeelPainter* APainter);
  // Every look and feel finds its state and painters again.
  void DoRootLookAndFeelChanged();

 private:
  void Sort();

  std::vector<std::unique_ptr<TcxCustomLookAndFeelPainter, TFreeObject>> FPainters;
  std::vector<IcxLookAndFeelPainterListener*> FListeners;
};

// The registry: made when the unit starts, freed (with its painters) when it
// ends; nullptr outside.
TcxLookAndFeelPaintersManager* cxLookAndFeelPaintersManager();

// Told, through OnSystemPaletteChanged, when the system colours changed:
// after the Office-11 colours were computed again, the primary notifiers
// first, then the others, each group the last made first. The notifiers
// share one hidden window, made with the first and destroyed with the last,
// which also holds a use of the Office-11 colours meanwhile.
class TcxSystemPaletteChangedNotifier : public TObject {
  HOST_CLASS(TcxSystemPaletteChangedNotifier);

  explicit TcxSystemPaletteChangedNotifier(bool AIsPrimary = false);
  ~TcxSystemPaletteChangedNotifier() override;

  bool GetIsPrimary() const { return FIsPrimary; }
  // Fires OnSystemPaletteChanged.
  virtual void DoChanged();

  TNotifyEvent OnSystemPaletteChanged;

 private:
  bool FIsPrimary;
};

// Makes the registry at start and frees it at the end.
void RegisterLookAndFeelPaintersUnit();

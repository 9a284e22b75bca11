#pragma once
// Look-and-feel settings: which painter a control draws with. Each look and
// feel holds a kind, a native-style switch and a skin name, each assigned on
// the object or inherited from its master (the root look and feel when it
// has none), and tells its listeners (controls, styles, the look and feels
// below it) when its effective values change.

#include <functional>
#include <memory>
#include <vector>

#include "controls/cxClasses.h"
#include "host/Sets.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/dxThemeManager.h"

enum TcxLookAndFeelKind : uint8_t { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
enum TcxLookAndFeelValue : uint8_t { lfvKind, lfvNativeStyle, lfvSkinName };
using TcxLookAndFeelValues = TSet<TcxLookAndFeelValue, 3>;
inline constexpr TcxLookAndFeelValues LookAndFeelValueAll{lfvKind, lfvNativeStyle, lfvSkinName};

inline constexpr TcxLookAndFeelKind cxDefaultLookAndFeelKind = lfUltraFlat;
inline constexpr bool cxDefaultLookAndFeelNativeStyle = false;
inline constexpr const char16_t* cxDefaultLookAndFeelSkinName = u"";
inline constexpr bool cxDefaultUseSkins = true;

// While false no skin painter is found by name; each look and feel takes a
// new value at its next change.
extern bool cxUseSkins;

inline constexpr TcxLookAndFeelKind cxLookAndFeelKindMap[] = {lfFlat,      lfStandard, lfUltraFlat,
                                                              lfStandard, lfOffice11, lfUltraFlat};
inline constexpr TcxLookAndFeelStyle cxLookAndFeelStyleMap[] = {lfsFlat, lfsStandard, lfsUltraFlat, lfsOffice11};

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind = cxDefaultLookAndFeelKind;
  bool NativeStyle = cxDefaultLookAndFeelNativeStyle;
  TdxSkinName SkinName;
  bool UseSkins = false;
};

class TcxLookAndFeel;
class TFiler;
class TReader;
class TWriter;

// {205538BF-F19E-4285-B11F-B182D9635881}
inline constexpr GUID IID_IcxLookAndFeelNotificationListener{
    0x205538BF, 0xF19E, 0x4285, {0xB1, 0x1F, 0xB1, 0x82, 0xD9, 0x63, 0x58, 0x81}};
// {392FC2E2-3F2A-4885-B9E6-43982962F475}
inline constexpr GUID IID_IcxLookAndFeelNotificationListener2{
    0x392FC2E2, 0x3F2A, 0x4885, {0xB9, 0xE6, 0x43, 0x98, 0x29, 0x62, 0xF4, 0x75}};
// {EF3FF483-9B69-46DF-95A4-D3A3810F63A5}
inline constexpr GUID IID_IdxSkinSupport{0xEF3FF483, 0x9B69, 0x46DF, {0x95, 0xA4, 0xD3, 0xA3, 0x81, 0x0F, 0x63, 0xA5}};
// {01C435BA-7DA1-44A4-BE8B-BCE9CE0562AB}
inline constexpr GUID IID_IdxSkinSupport2{0x01C435BA, 0x7DA1, 0x44A4, {0xBE, 0x8B, 0xBC, 0xE9, 0xCE, 0x05, 0x62, 0xAB}};
// {9107444B-867E-44C5-BF9A-DAB4EE879827}
inline constexpr GUID IID_IdxTouchModeSupport{
    0x9107444B, 0x867E, 0x44C5, {0xBF, 0x9A, 0xDA, 0xB4, 0xEE, 0x87, 0x98, 0x27}};
// {6065B58B-C557-4464-A67D-64183FD13F25}
inline constexpr GUID IID_IcxLookAndFeelContainer{
    0x6065B58B, 0xC557, 0x4464, {0xA6, 0x7D, 0x64, 0x18, 0x3F, 0xD1, 0x3F, 0x25}};

// What a look and feel tells the objects that listen to it.
class IcxLookAndFeelNotificationListener : public virtual IInterface {
 public:
  // The object that listens.
  virtual TObject* GetObject() = 0;
  virtual void MasterLookAndFeelChanged(TcxLookAndFeel* Sender, const TcxLookAndFeelValues& AChangedValues) = 0;
  virtual void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) = 0;
};

// Listeners that also want to hear when a change begins and ends.
class IcxLookAndFeelNotificationListener2 : public virtual IInterface {
 public:
  virtual void MasterLookAndFeelBeginChange(TcxLookAndFeel* Sender) = 0;
  virtual void MasterLookAndFeelEndChange(TcxLookAndFeel* Sender) = 0;
};

// Marks a class whose objects skins may be applied to.
class IdxSkinSupport : public virtual IInterface {};

// Objects that decide for themselves.
class IdxSkinSupport2 : public IdxSkinSupport {
 public:
  virtual bool IsSkinnable() = 0;
};

class IdxTouchModeSupport : public virtual IInterface {
 public:
  virtual void Enable() = 0;
  virtual void Disable() = 0;
};

class IcxLookAndFeelContainer : public virtual IInterface {
 public:
  virtual TcxLookAndFeel* GetLookAndFeel() = 0;
};

using TcxLookAndFeelChangedEvent =
    std::function<void(TcxLookAndFeel* Sender, const TcxLookAndFeelValues& AChangedValues)>;

class TcxLookAndFeel : public TcxInterfacedPersistent,
                       public IcxLookAndFeelNotificationListener,
                       public IcxLookAndFeelNotificationListener2 {
  HOST_CLASS(TcxLookAndFeel);

  // Nothing assigned; listens to the root when there is one.
  explicit TcxLookAndFeel(TPersistent* AOwner);
  // Tells the listeners, then leaves its master.
  ~TcxLookAndFeel() override;

  // From another look and feel: its assigned values and its master.
  void Assign(TPersistent* Source) override;
  // "SkinName", written when an empty skin name is assigned, so that it
  // survives a form description.
  void DefineProperties(TFiler* Filer) override;

  // The effective values.
  TcxLookAndFeelKind GetKind() const { return FCurrentState.Kind; }
  void SetKind(TcxLookAndFeelKind Value);
  bool GetNativeStyle() const { return FCurrentState.NativeStyle; }
  void SetNativeStyle(bool Value);
  const TdxSkinName& GetSkinName() const { return FCurrentState.SkinName; }
  void SetSkinName(const TdxSkinName& Value);
  // Values assigned on this object; the others are inherited.
  const TcxLookAndFeelValues& GetAssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(const TcxLookAndFeelValues& Value);
  // Null: the root.
  TcxLookAndFeel* GetMasterLookAndFeel() const { return FMasterLookAndFeel; }
  // Ignored on the root, for the object itself, for the master it has, and
  // for an object that inherits from this one.
  void SetMasterLookAndFeel(TcxLookAndFeel* Value);

  // What to draw with; nullptr when no painter fits.
  TcxCustomLookAndFeelPainter* GetPainter() const { return FPainter; }
  // The painter of the effective skin name; nullptr without one, while skins
  // are off or in native style.
  TcxCustomLookAndFeelPainter* GetSkinPainter() const { return FSkinPainter; }
  TcxLookAndFeelStyle GetActiveStyle() const;
  const std::vector<TObject*>& GetChangeListenerList() const { return FChangeListenerList; }
  bool GetIsRootLookAndFeel() const { return FIsRootLookAndFeel; }

  // The painter for a client that needs these theme classes: native when
  // the native style is on and the classes open, else the skin painter,
  // else the painter of the active style.
  virtual TcxCustomLookAndFeelPainter* GetAvailablePainter(const TdxThemedObjectTypes& ANeededThemedObjectTypes);
  TcxCustomLookAndFeelPainter* GetAvailablePainter(TdxThemedObjectType ANeededThemedObjectType);

  // Native style for lfsNative; else native style off and the kind of the
  // style. The skin name stays.
  void SetStyle(TcxLookAndFeelStyle AStyle);
  // Every value as changed.
  void Refresh();
  // Changes wait until the last EndUpdate, which tells them once.
  void BeginUpdate();
  void EndUpdate();
  // Nothing assigned; on the root the process-wide switches go back too.
  void Reset();

  // Objects that support IcxLookAndFeelNotificationListener, not owned,
  // each listed once; a look-and-feel controller only on the root.
  void AddChangeListener(TObject* AListener);
  void RemoveChangeListener(TObject* AListener);

  // After a painter joined or left the registry: this object and every
  // look and feel below it find their state and painters again, whatever
  // they have assigned; those whose state or painters changed tell their
  // listeners.
  void PaintersChanged();

  TcxLookAndFeelChangedEvent OnChanged;
  TNotifyEvent OnMasterBeginChange;
  TNotifyEvent OnMasterEndChange;

  // IcxLookAndFeelNotificationListener
  TObject* GetObject() override { return this; }
  void MasterLookAndFeelChanged(TcxLookAndFeel* Sender, const TcxLookAndFeelValues& AChangedValues) override;
  void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) override;
  // IcxLookAndFeelNotificationListener2
  void MasterLookAndFeelBeginChange(TcxLookAndFeel* Sender) override;
  void MasterLookAndFeelEndChange(TcxLookAndFeel* Sender) override;

 protected:
  // nullptr while skins are off, for an empty name, or a name no painter has.
  virtual TcxCustomLookAndFeelPainter* GetSkinPainter(const TdxSkinName& AName) const;
  virtual void InitializeCurrentState();
  virtual void InitializePainter();
  virtual TcxLookAndFeelKind InternalGetKind() const;
  virtual bool InternalGetNativeStyle() const;
  virtual TdxSkinName InternalGetSkinName() const;
  virtual TcxCustomLookAndFeelPainter* InternalGetSkinPainter() const;
  // The system colours changed.
  virtual void SystemPaletteChanged();

  // Recomputes the state and painter and tells the listeners, or keeps the
  // values while updates are locked.
  void Changed(TcxLookAndFeelValues AChangedValues);
  void DoMasterLookAndFeelChanged(const TcxLookAndFeelValues& AChangedValues);

 private:
  friend void InitializeLookAndFeels();

  // The master, else the root (nullptr for the root itself).
  TcxLookAndFeel* EffectiveMaster() const;
  // The inherited values: the master's current ones, else the root's, else
  // (on the root, or without one) the defaults.
  TcxLookAndFeelKind GetDefaultKind() const;
  bool GetDefaultNativeStyle() const;
  TdxSkinName GetDefaultSkinName() const;
  // The master's skin painter for its skin name, else the root's; nullptr
  // on the root.
  TcxCustomLookAndFeelPainter* GetDefaultSkinPainter() const;
  bool CanChangeMasterTo(TcxLookAndFeel* Value) const;
  void ChangeMaster(TcxLookAndFeel* Value);
  void SaveState();
  void CheckStateChanges();
  void ReadSkinName(TReader* Reader);
  void WriteSkinName(TWriter* Writer);

  TcxLookAndFeelData FData;
  TcxLookAndFeelValues FAssignedValues;
  TcxLookAndFeelData FCurrentState;
  TcxLookAndFeelData FPrevState;
  TcxLookAndFeelValues FChangedValues;
  Integer FUpdateLockCount = 0;
  std::vector<TObject*> FChangeListenerList;
  TcxLookAndFeel* FMasterLookAndFeel = nullptr;
  bool FIsRootLookAndFeel = false;
  bool FIsDestruction = false;
  TcxCustomLookAndFeelPainter* FPainter = nullptr;
  TcxCustomLookAndFeelPainter* FSkinPainter = nullptr;
  std::unique_ptr<TcxSystemPaletteChangedNotifier, TFreeObject> FSystemPaletteChangedNotifier;
};

// The root every look and feel without a master inherits from: made when
// the unit starts, freed when it ends; nullptr outside.
TcxLookAndFeel* RootLookAndFeel();

// The unit's start and end work, handed to the unit loader: the root, the
// skin-support hook and the controller's class for form descriptions.
void InitializeLookAndFeels();
void FinalizeLookAndFeels();

// Sets the root's values for a whole form. Only the root accepts
// controllers; when the last one goes, the root's assigned values are reset.
class TcxLookAndFeelController : public TcxCustomComponent, public IcxLookAndFeelNotificationListener {
  HOST_CLASS(TcxLookAndFeelController);

  explicit TcxLookAndFeelController(TComponent* AOwner);
  ~TcxLookAndFeelController() override;

  // The root's; the defaults without a root.
  TcxLookAndFeelKind GetKind() const;
  void SetKind(TcxLookAndFeelKind Value);
  bool GetNativeStyle() const;
  void SetNativeStyle(bool Value);
  TdxSkinName GetSkinName() const;
  void SetSkinName(const TdxSkinName& Value);
  // cxIsTouchModeEnabled; a change refreshes the root.
  bool GetTouchMode() const { return cxIsTouchModeEnabled; }
  void SetTouchMode(bool Value);

  void BeginUpdate();
  void EndUpdate();
  void Reset();

  // IcxLookAndFeelNotificationListener: a designer would mark the form as
  // modified; there is none.
  TObject* GetObject() override { return this; }
  void MasterLookAndFeelChanged(TcxLookAndFeel* Sender, const TcxLookAndFeelValues& AChangedValues) override {}
  void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) override {}
};

using TcxClassSupportsSkinProc = bool (*)(TObject* AObject);

// Whether skins may be applied to the object: what its IsSkinnable says when
// it supports IdxSkinSupport2, else whether it supports IdxSkinSupport.
bool ClassSupportsSkinHandler(TObject* AObject);
// Set to ClassSupportsSkinHandler while the unit runs.
extern TcxClassSupportsSkinProc ClassSupportsSkinProc;

// Hands the unit's start and end work to the unit loader.
void RegisterLookAndFeelsUnit();

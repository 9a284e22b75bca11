#include "lookandfeel/cxLookAndFeels.h"

#include <algorithm>

#include "controls/dxCore.h"
#include "host/Filer.h"
#include "host/TypInfo.h"
#include "skins/dxSkinsCore.h"

bool cxUseSkins = cxDefaultUseSkins;
TcxClassSupportsSkinProc ClassSupportsSkinProc = nullptr;

namespace {

TcxLookAndFeel* FRootLookAndFeel = nullptr;
// Controllers the root listens to.
Integer FLookAndFeelControllerCount = 0;

const TEnumNames& KindNames() {
  static const TEnumNames names{{u"lfFlat", u"lfStandard", u"lfUltraFlat", u"lfOffice11"}};
  return names;
}

const TEnumNames& ValueNames() {
  static const TEnumNames names{{u"lfvKind", u"lfvNativeStyle", u"lfvSkinName"}};
  return names;
}

// Stored exactly when the value is assigned.
TPropInfo StoredWhenAssigned(TPropInfo AProp, TcxLookAndFeelValue AValue) {
  AProp.Stored = [AValue](const TObject* o) {
    return static_cast<const TcxLookAndFeel*>(o)->GetAssignedValues().Contains(AValue);
  };
  return AProp;
}

const TPublished& LookAndFeelPublished() {
  using L = TcxLookAndFeel;
  static const TPublished published{{
      [] {
        TPropInfo p = SetProp<L>(u"AssignedValues", ValueNames(), &L::GetAssignedValues, &L::SetAssignedValues);
        p.Stored = [](const TObject*) { return false; };
        return p;
      }(),
      StoredWhenAssigned(EnumProp<L>(u"Kind", KindNames(), &L::GetKind, &L::SetKind), lfvKind),
      StoredWhenAssigned(BoolProp<L>(u"NativeStyle", &L::GetNativeStyle, &L::SetNativeStyle), lfvNativeStyle),
      // An empty name is not written here but as the defined "SkinName".
      StoredWhenAssigned(StringProp<L>(u"SkinName", &L::GetSkinName, &L::SetSkinName), lfvSkinName),
  }};
  return published;
}

const TPublished& ControllerPublished() {
  using C = TcxLookAndFeelController;
  static const TPublished published{{
      EnumProp<C>(u"Kind", KindNames(), &C::GetKind, &C::SetKind, cxDefaultLookAndFeelKind),
      BoolProp<C>(u"NativeStyle", &C::GetNativeStyle, &C::SetNativeStyle, cxDefaultLookAndFeelNativeStyle),
      StringProp<C>(u"SkinName", &C::GetSkinName, &C::SetSkinName),
      BoolProp<C>(u"TouchMode", &C::GetTouchMode, &C::SetTouchMode, cxDefaultIsTouchModeEnabled),
  }};
  return published;
}

bool IsController(TObject* AListener) {
  IcxLookAndFeelNotificationListener* listener;
  return Supports(AListener, &listener) && dynamic_cast<TcxLookAndFeelController*>(listener->GetObject());
}

}  // namespace

HOST_CLASS_INFO_PUBLISHED(TcxLookAndFeel, TcxInterfacedPersistent, nullptr, &LookAndFeelPublished)
HOST_CLASS_INFO_PUBLISHED(TcxLookAndFeelController, TcxCustomComponent, &CreateOwned<TcxLookAndFeelController>,
                          &ControllerPublished)

TcxLookAndFeel* RootLookAndFeel() { return FRootLookAndFeel; }

// --- Life ---------------------------------------------------------------------------

TcxLookAndFeel::TcxLookAndFeel(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {
  FCurrentState = FData;
  FSystemPaletteChangedNotifier.reset(new TcxSystemPaletteChangedNotifier(false));
  FSystemPaletteChangedNotifier->OnSystemPaletteChanged = [this](TObject*) { SystemPaletteChanged(); };
  if (TcxLookAndFeel* root = RootLookAndFeel()) {
    root->AddChangeListener(this);
    InitializeCurrentState();
  }
  InitializePainter();
}

TcxLookAndFeel::~TcxLookAndFeel() {
  FSystemPaletteChangedNotifier.reset();
  // Listeners that leave meanwhile leave the list as it is.
  FIsDestruction = true;
  ForEachListener(FChangeListenerList, [this](TObject* AListener) {
    IcxLookAndFeelNotificationListener* listener;
    if (Supports(AListener, &listener)) listener->MasterLookAndFeelDestroying(this);
  });
  FChangeListenerList.clear();
  if (TcxLookAndFeel* master = EffectiveMaster()) master->RemoveChangeListener(this);
  if (FIsRootLookAndFeel) FRootLookAndFeel = nullptr;
}

void TcxLookAndFeel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxLookAndFeel*>(Source);
  if (!source) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  // One state check for the values and the master together, so that the
  // listeners hear of it once.
  SaveState();
  FData = source->FData;
  FAssignedValues = source->FAssignedValues;
  if (CanChangeMasterTo(source->FMasterLookAndFeel)) ChangeMaster(source->FMasterLookAndFeel);
  CheckStateChanges();
}

void TcxLookAndFeel::DefineProperties(TFiler* Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      u"SkinName", [this](TReader* Reader) { ReadSkinName(Reader); }, [this](TWriter* Writer) { WriteSkinName(Writer); },
      FAssignedValues.Contains(lfvSkinName) && GetSkinName().empty());
}

void TcxLookAndFeel::ReadSkinName(TReader* Reader) { SetSkinName(Reader->ReadString()); }

void TcxLookAndFeel::WriteSkinName(TWriter* Writer) { Writer->WriteString(GetSkinName()); }

// --- Values -------------------------------------------------------------------------

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value) {
  const TcxLookAndFeelKind current = GetKind();
  FAssignedValues.Include(lfvKind);
  FData.Kind = Value;
  if (InternalGetKind() != current) Changed({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool Value) {
  const bool current = GetNativeStyle();
  FAssignedValues.Include(lfvNativeStyle);
  FData.NativeStyle = Value;
  if (InternalGetNativeStyle() != current) Changed({lfvNativeStyle});
}

void TcxLookAndFeel::SetSkinName(const TdxSkinName& Value) {
  const TdxSkinName current = GetSkinName();
  FAssignedValues.Include(lfvSkinName);
  FData.SkinName = Value;
  if (InternalGetSkinName() != current) Changed({lfvSkinName});
}

void TcxLookAndFeel::SetAssignedValues(const TcxLookAndFeelValues& Value) {
  if (FAssignedValues == Value) return;
  SaveState();
  FAssignedValues = Value;
  CheckStateChanges();
}

void TcxLookAndFeel::Reset() {
  SetAssignedValues({});
  if (!FIsRootLookAndFeel) return;
  cxUseSkins = cxDefaultUseSkins;
  cxIsTouchModeEnabled = cxDefaultIsTouchModeEnabled;
  dxSkinsUseImageSet = imsDefault;
}

void TcxLookAndFeel::SetStyle(TcxLookAndFeelStyle AStyle) {
  SetNativeStyle(AStyle == lfsNative);
  if (!GetNativeStyle()) SetKind(cxLookAndFeelKindMap[AStyle]);
}

TcxLookAndFeel* TcxLookAndFeel::EffectiveMaster() const {
  if (FIsRootLookAndFeel) return nullptr;
  return FMasterLookAndFeel ? FMasterLookAndFeel : RootLookAndFeel();
}

bool TcxLookAndFeel::CanChangeMasterTo(TcxLookAndFeel* Value) const {
  if (FIsRootLookAndFeel || Value == this || Value == EffectiveMaster()) return false;
  // A master that inherits from this object would make the tree a loop.
  for (const TcxLookAndFeel* m = Value; m; m = m->FMasterLookAndFeel)
    if (m == this) return false;
  return true;
}

void TcxLookAndFeel::ChangeMaster(TcxLookAndFeel* Value) {
  if (TcxLookAndFeel* master = EffectiveMaster()) master->RemoveChangeListener(this);
  FMasterLookAndFeel = Value;
  if (TcxLookAndFeel* master = EffectiveMaster()) master->AddChangeListener(this);
}

void TcxLookAndFeel::SetMasterLookAndFeel(TcxLookAndFeel* Value) {
  if (!CanChangeMasterTo(Value)) return;
  SaveState();
  ChangeMaster(Value);
  CheckStateChanges();
}

TcxLookAndFeelKind TcxLookAndFeel::GetDefaultKind() const {
  const TcxLookAndFeel* master = EffectiveMaster();
  return master ? master->GetKind() : cxDefaultLookAndFeelKind;
}

bool TcxLookAndFeel::GetDefaultNativeStyle() const {
  const TcxLookAndFeel* master = EffectiveMaster();
  return master ? master->GetNativeStyle() : cxDefaultLookAndFeelNativeStyle;
}

TdxSkinName TcxLookAndFeel::GetDefaultSkinName() const {
  const TcxLookAndFeel* master = EffectiveMaster();
  return master ? master->GetSkinName() : TdxSkinName(cxDefaultLookAndFeelSkinName);
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetDefaultSkinPainter() const {
  const TcxLookAndFeel* master = EffectiveMaster();
  return master ? master->GetSkinPainter(master->GetSkinName()) : nullptr;
}

TcxLookAndFeelKind TcxLookAndFeel::InternalGetKind() const {
  return FAssignedValues.Contains(lfvKind) ? FData.Kind : GetDefaultKind();
}

bool TcxLookAndFeel::InternalGetNativeStyle() const {
  return FAssignedValues.Contains(lfvNativeStyle) ? FData.NativeStyle : GetDefaultNativeStyle();
}

TdxSkinName TcxLookAndFeel::InternalGetSkinName() const {
  return FAssignedValues.Contains(lfvSkinName) ? FData.SkinName : GetDefaultSkinName();
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::InternalGetSkinPainter() const {
  return FAssignedValues.Contains(lfvSkinName) ? GetSkinPainter(FData.SkinName) : GetDefaultSkinPainter();
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetSkinPainter(const TdxSkinName& AName) const {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  if (!cxUseSkins || AName.empty() || !manager) return nullptr;
  return manager->GetPainter(AName);
}

// --- State and painter ----------------------------------------------------------------

void TcxLookAndFeel::InitializeCurrentState() {
  FCurrentState.Kind = InternalGetKind();
  FCurrentState.NativeStyle = InternalGetNativeStyle();
  FCurrentState.SkinName = InternalGetSkinName();
  FCurrentState.UseSkins = cxUseSkins;
  FSkinPainter = FCurrentState.NativeStyle ? nullptr : InternalGetSkinPainter();
}

void TcxLookAndFeel::InitializePainter() { FPainter = GetAvailablePainter(TdxThemedObjectTypes()); }

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetAvailablePainter(const TdxThemedObjectTypes& ANeededThemedObjectTypes) {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  if (!manager) return nullptr;
  if (FCurrentState.NativeStyle && AreVisualStylesAvailable(ANeededThemedObjectTypes))
    return manager->GetPainter(lfsNative);
  if (FSkinPainter) return FSkinPainter;
  return manager->GetPainter(GetActiveStyle());
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetAvailablePainter(TdxThemedObjectType ANeededThemedObjectType) {
  return GetAvailablePainter(TdxThemedObjectTypes{ANeededThemedObjectType});
}

TcxLookAndFeelStyle TcxLookAndFeel::GetActiveStyle() const {
  if (FCurrentState.NativeStyle && AreVisualStylesAvailable()) return lfsNative;
  if (FSkinPainter) return lfsSkin;
  return cxLookAndFeelStyleMap[FCurrentState.Kind];
}

void TcxLookAndFeel::PaintersChanged() {
  const TcxLookAndFeelData state = FCurrentState;
  TcxCustomLookAndFeelPainter* const painter = FPainter;
  TcxCustomLookAndFeelPainter* const skinPainter = FSkinPainter;
  InitializeCurrentState();
  InitializePainter();
  TcxLookAndFeelValues changed;
  if (state.Kind != FCurrentState.Kind) changed.Include(lfvKind);
  if (state.NativeStyle != FCurrentState.NativeStyle) changed.Include(lfvNativeStyle);
  if (state.SkinName != FCurrentState.SkinName || state.UseSkins != FCurrentState.UseSkins ||
      skinPainter != FSkinPainter)
    changed.Include(lfvSkinName);
  // Another painter for the same values: the value that chose it.
  if (changed.Empty() && painter != FPainter) changed.Include(GetActiveStyle() == lfsNative ? lfvNativeStyle : lfvKind);
  Changed(changed);
  ForEachListener(FChangeListenerList, [](TObject* AListener) {
    if (auto* lookAndFeel = dynamic_cast<TcxLookAndFeel*>(AListener)) lookAndFeel->PaintersChanged();
  });
}

// --- Changes --------------------------------------------------------------------------

void TcxLookAndFeel::Changed(TcxLookAndFeelValues AChangedValues) {
  if (FIsDestruction) return;
  if (FCurrentState.UseSkins != cxUseSkins) AChangedValues.Include(lfvSkinName);
  if (AChangedValues.Empty()) return;
  InitializeCurrentState();
  InitializePainter();
  if (FUpdateLockCount > 0) {
    FChangedValues += AChangedValues;
    return;
  }
  DoMasterLookAndFeelChanged(AChangedValues);
  if (OnChanged) OnChanged(this, AChangedValues);
}

void TcxLookAndFeel::DoMasterLookAndFeelChanged(const TcxLookAndFeelValues& AChangedValues) {
  // One snapshot for the three walks: a listener added meanwhile hears
  // neither the change nor its end.
  const TListenerSnapshot<TObject> listeners(FChangeListenerList);
  listeners.ForEach([this](TObject* AListener) {
    IcxLookAndFeelNotificationListener2* listener;
    if (Supports(AListener, &listener)) listener->MasterLookAndFeelBeginChange(this);
  });
  listeners.ForEach([&](TObject* AListener) {
    IcxLookAndFeelNotificationListener* listener;
    if (Supports(AListener, &listener)) listener->MasterLookAndFeelChanged(this, AChangedValues);
  });
  listeners.ForEach([this](TObject* AListener) {
    IcxLookAndFeelNotificationListener2* listener;
    if (Supports(AListener, &listener)) listener->MasterLookAndFeelEndChange(this);
  });
}

void TcxLookAndFeel::SaveState() { FPrevState = FCurrentState; }

void TcxLookAndFeel::CheckStateChanges() {
  TcxLookAndFeelValues changed;
  if (InternalGetKind() != FPrevState.Kind) changed.Include(lfvKind);
  if (InternalGetNativeStyle() != FPrevState.NativeStyle) changed.Include(lfvNativeStyle);
  if (InternalGetSkinName() != FPrevState.SkinName) changed.Include(lfvSkinName);
  Changed(changed);
}

void TcxLookAndFeel::Refresh() { Changed(LookAndFeelValueAll); }

void TcxLookAndFeel::BeginUpdate() { ++FUpdateLockCount; }

void TcxLookAndFeel::EndUpdate() {
  if (FUpdateLockCount == 0 || --FUpdateLockCount > 0) return;
  const TcxLookAndFeelValues changed = FChangedValues;
  FChangedValues = {};
  Changed(changed);
}

void TcxLookAndFeel::SystemPaletteChanged() { Changed({lfvNativeStyle}); }

// --- Listeners ------------------------------------------------------------------------

void TcxLookAndFeel::AddChangeListener(TObject* AListener) {
  IcxLookAndFeelNotificationListener* listener;
  if (!AListener || !Supports(AListener, &listener)) return;
  const bool isController = IsController(AListener);
  if (isController && !FIsRootLookAndFeel) return;
  for (TObject* item : FChangeListenerList)
    if (item == AListener) return;
  FChangeListenerList.push_back(AListener);
  if (isController) ++FLookAndFeelControllerCount;
}

void TcxLookAndFeel::RemoveChangeListener(TObject* AListener) {
  const auto it = std::find(FChangeListenerList.begin(), FChangeListenerList.end(), AListener);
  if (it == FChangeListenerList.end()) return;
  if (!FIsDestruction) FChangeListenerList.erase(it);
  if (FIsRootLookAndFeel && IsController(AListener) && --FLookAndFeelControllerCount == 0) Reset();
}

void TcxLookAndFeel::MasterLookAndFeelChanged(TcxLookAndFeel*, const TcxLookAndFeelValues& AChangedValues) {
  Changed(AChangedValues - FAssignedValues);
}

void TcxLookAndFeel::MasterLookAndFeelDestroying(TcxLookAndFeel*) { SetMasterLookAndFeel(nullptr); }

void TcxLookAndFeel::MasterLookAndFeelBeginChange(TcxLookAndFeel*) {
  if (OnMasterBeginChange) OnMasterBeginChange(this);
}

void TcxLookAndFeel::MasterLookAndFeelEndChange(TcxLookAndFeel*) {
  if (OnMasterEndChange) OnMasterEndChange(this);
}

// --- The skin-support hook ------------------------------------------------------------

bool ClassSupportsSkinHandler(TObject* AObject) {
  IdxSkinSupport2* support;
  if (Supports(AObject, &support)) return support->IsSkinnable();
  return Supports<IdxSkinSupport>(AObject);
}

// --- The controller -------------------------------------------------------------------

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* AOwner) : TcxCustomComponent(AOwner) {
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->AddChangeListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->RemoveChangeListener(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::GetKind() const {
  const TcxLookAndFeel* root = RootLookAndFeel();
  return root ? root->GetKind() : cxDefaultLookAndFeelKind;
}

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind Value) {
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->SetKind(Value);
}

bool TcxLookAndFeelController::GetNativeStyle() const {
  const TcxLookAndFeel* root = RootLookAndFeel();
  return root ? root->GetNativeStyle() : cxDefaultLookAndFeelNativeStyle;
}

void TcxLookAndFeelController::SetNativeStyle(bool Value) {
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->SetNativeStyle(Value);
}

TdxSkinName TcxLookAndFeelController::GetSkinName() const {
  const TcxLookAndFeel* root = RootLookAndFeel();
  return root ? root->GetSkinName() : TdxSkinName(cxDefaultLookAndFeelSkinName);
}

void TcxLookAndFeelController::SetSkinName(const TdxSkinName& Value) {
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->SetSkinName(Value);
}

void TcxLookAndFeelController::SetTouchMode(bool Value) {
  if (Value == cxIsTouchModeEnabled) return;
  cxIsTouchModeEnabled = Value;
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->Refresh();
}

void TcxLookAndFeelController::BeginUpdate() {
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->BeginUpdate();
}

void TcxLookAndFeelController::EndUpdate() {
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->EndUpdate();
}

void TcxLookAndFeelController::Reset() {
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->Reset();
}

// --- The unit -------------------------------------------------------------------------

void InitializeLookAndFeels() {
  // Made while no root exists: its state is the constructor's.
  auto* root = new TcxLookAndFeel(nullptr);
  root->FIsRootLookAndFeel = true;
  FRootLookAndFeel = root;
  ClassSupportsSkinProc = &ClassSupportsSkinHandler;
  RegisterClass(TcxLookAndFeelController::StaticClass());
}

void FinalizeLookAndFeels() {
  UnRegisterClass(TcxLookAndFeelController::StaticClass());
  ClassSupportsSkinProc = nullptr;
  TObject::Free(FRootLookAndFeel);
  FLookAndFeelControllerCount = 0;
}

void RegisterLookAndFeelsUnit() {
  RegisterSuiteUnit<&InitializeLookAndFeels, &FinalizeLookAndFeels>("cxLookAndFeels", {"cxLookAndFeelPainters"});
}

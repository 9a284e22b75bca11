#pragma once
// What the look-and-feel tests share: painters of their own in the
// registry, listeners that keep a log, a theme with a few classes, and a
// check that a test leaves no window, GDI object or theme handle behind.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/dxCore.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/Gdi.h"
#include "platform/LiveCounts.h"
#include "platform/TestTheme.h"

// A painter of a name and style of the test's choosing, which writes its
// name to a log when it is freed.
class TTestPainter : public TcxCustomLookAndFeelPainter {
 public:
  TTestPainter(const String& AName, TcxLookAndFeelStyle AStyle, std::vector<String>* AFreed = nullptr)
      : FName(AName), FStyle(AStyle), FFreed(AFreed) {}
  ~TTestPainter() override {
    if (FFreed) FFreed->push_back(FName);
  }

  String LookAndFeelName() const override { return FName; }
  TcxLookAndFeelStyle LookAndFeelStyle() const override { return FStyle; }

 private:
  String FName;
  TcxLookAndFeelStyle FStyle;
  std::vector<String>* FFreed;
};

// "Kind,NativeStyle,SkinName" for the values in the set.
inline std::string ValuesText(const TcxLookAndFeelValues& AValues) {
  static const char* const names[] = {"Kind", "NativeStyle", "SkinName"};
  std::string text;
  for (int i = 0; i < 3; ++i)
    if (AValues.Contains(static_cast<TcxLookAndFeelValue>(i))) text += (text.empty() ? "" : ",") + std::string(names[i]);
  return text;
}

// Writes "<name> begin", "<name> changed <values>", "<name> end" and
// "<name> destroying" to a shared log; OnChanged runs inside the change.
class TLoggingListener : public TObject,
                         public IcxLookAndFeelNotificationListener,
                         public IcxLookAndFeelNotificationListener2 {
 public:
  TLoggingListener(std::string AName, std::vector<std::string>& ALog) : FName(std::move(AName)), FLog(ALog) {}

  TObject* GetObject() override { return this; }
  void MasterLookAndFeelChanged(TcxLookAndFeel*, const TcxLookAndFeelValues& AChangedValues) override {
    FLog.push_back(FName + " changed " + ValuesText(AChangedValues));
    if (OnChanged) OnChanged();
  }
  void MasterLookAndFeelDestroying(TcxLookAndFeel*) override { FLog.push_back(FName + " destroying"); }
  void MasterLookAndFeelBeginChange(TcxLookAndFeel*) override { FLog.push_back(FName + " begin"); }
  void MasterLookAndFeelEndChange(TcxLookAndFeel*) override { FLog.push_back(FName + " end"); }

  std::function<void()> OnChanged;

 private:
  std::string FName;
  std::vector<std::string>& FLog;
};

// Writes "<name> <values>" to the log at each OnChanged of the look and feel.
inline void LogChanges(TcxLookAndFeel& ALookAndFeel, const std::string& AName, std::vector<std::string>& ALog) {
  ALookAndFeel.OnChanged = [AName, &ALog](TcxLookAndFeel*, const TcxLookAndFeelValues& AValues) {
    ALog.push_back(AName + " " + ValuesText(AValues));
  };
}

// The name of the look and feel's painter, "" without one.
inline std::string PainterName(const TcxLookAndFeel& ALookAndFeel) {
  const TcxCustomLookAndFeelPainter* painter = ALookAndFeel.GetPainter();
  const String name = painter ? painter->LookAndFeelName() : String();
  return std::string(name.begin(), name.end());
}

// A theme with the button, list-view and scroll-bar classes only.
inline TTestTheme ThreeClassTheme() {
  TTestTheme theme;
  theme.FileName = u"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles";
  theme.ColorName = u"NormalColor";
  theme.SizeName = u"NormalSize";
  TTestThemePart face{.Part = 1, .State = 1};
  face.Colors = {{TMT_FILLCOLOR, RGB(10, 20, 30)}, {TMT_BORDERCOLOR, RGB(200, 0, 0)}, {TMT_COLOR, RGB(1, 2, 3)}};
  face.Margins = {{TMT_CONTENTMARGINS, MARGINS{3, 4, 1, 2}}};
  theme.Classes = {{u"Button", {face}},
                   {u"ListView", {TTestThemePart{.Part = 5, .State = 0}}},
                   {u"ScrollBar", {TTestThemePart{.Part = 10, .State = 1, .Size = {17, 17}}}}};
  return theme;
}

// The look-and-feel unit ended for the length of a scope: no root, and so
// no system-colour notifier and no use of the Office-11 colours unless the
// test makes them.
class TLookAndFeelUnitEnded {
 public:
  TLookAndFeelUnitEnded() { dxUnitsLoader()->RemoveUnit(&FinalizeLookAndFeels); }
  ~TLookAndFeelUnitEnded() { dxUnitsLoader()->AddUnit(&InitializeLookAndFeels, &FinalizeLookAndFeels); }
  TLookAndFeelUnitEnded(const TLookAndFeelUnitEnded&) = delete;
  TLookAndFeelUnitEnded& operator=(const TLookAndFeelUnitEnded&) = delete;
};

// Fails a test that leaves a window, a GDI object or a theme handle alive.
class TLeakCheckedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FWindows = GetLiveWindowCount();
    FGdiObjects = GetLiveGdiObjectCount();
  }
  void TearDown() override {
    EXPECT_EQ(GetLiveWindowCount(), FWindows) << "a window was left behind";
    EXPECT_EQ(GetLiveGdiObjectCount(), FGdiObjects) << "a GDI object was left behind";
    EXPECT_EQ(GetLiveThemeHandleCount(), 0) << "a theme handle was left open";
  }

 private:
  int FWindows = 0;
  int FGdiObjects = 0;
};

// The registry holds a test painter in each classic painter's name and
// style ("Flat", "Standard", "UltraFlat", "Office11", "Native"); the test
// may register more with Register. At the end every painter the test
// registered is taken out and the root is reset.
class TLookAndFeelTest : public TLeakCheckedTest {
 protected:
  void SetUp() override {
    TLeakCheckedTest::SetUp();
    ASSERT_NE(cxLookAndFeelPaintersManager(), nullptr);
    for (const auto& [name, style] : {std::pair{u"Flat", lfsFlat}, std::pair{u"Standard", lfsStandard},
                                      std::pair{u"UltraFlat", lfsUltraFlat}, std::pair{u"Office11", lfsOffice11},
                                      std::pair{u"Native", lfsNative}})
      ASSERT_TRUE(Register(name, style));
  }
  void TearDown() override {
    for (const String& name : FRegistered) cxLookAndFeelPaintersManager()->Unregister(name);
    RootLookAndFeel()->Reset();
    TLeakCheckedTest::TearDown();
  }

  bool Register(const String& AName, TcxLookAndFeelStyle AStyle) {
    FRegistered.push_back(AName);
    return cxLookAndFeelPaintersManager()->Register(new TTestPainter(AName, AStyle, &Freed));
  }

  // Names of the test's painters as they were freed.
  std::vector<String> Freed;

 private:
  std::vector<String> FRegistered;
};

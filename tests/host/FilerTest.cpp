#include "host/Filer.h"

#include <gtest/gtest.h>

#include "host/Collections.h"
#include "host/Exceptions.h"
#include "host/Streams.h"

namespace {

enum TTestKind : uint8_t { tkPush, tkToggle };
enum TTestStyle : uint8_t { tsBold, tsItalic, tsFlat };
using TTestStyles = TSet<TTestStyle>;
const TEnumNames TestKindNames{{u"tkPush", u"tkToggle"}};
const TEnumNames TestStyleNames{{u"tsBold", u"tsItalic", u"tsFlat"}};
const TIdentMap TestColors{{{0xFF00000F, u"clBtnFace"}}};

class TTestFont : public TPersistent {
  HOST_CLASS(TTestFont);
  Integer GetSize() const { return FSize; }
  void SetSize(Integer V) { FSize = V; }
  const String& GetName() const { return FName; }
  void SetName(const String& V) { FName = V; }

 private:
  Integer FSize = 8;
  String FName;
};
const TPublished& TestFontPublished() {
  static const TPublished p{{IntegerProp<TTestFont>(u"Size", &TTestFont::GetSize, &TTestFont::SetSize, 8),
                             StringProp<TTestFont>(u"Name", &TTestFont::GetName, &TTestFont::SetName)}};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TTestFont, TPersistent, &CreateDefault<TTestFont>, &TestFontPublished)

class TTestItem : public TCollectionItem {
  HOST_CLASS(TTestItem);
  using TCollectionItem::TCollectionItem;
  Integer GetValue() const { return FValue; }
  void SetValue(Integer V) { FValue = V; }

 private:
  Integer FValue = 0;
};
const TPublished& TestItemPublished() {
  static const TPublished p{{IntegerProp<TTestItem>(u"Value", &TTestItem::GetValue, &TTestItem::SetValue, 0)}};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TTestItem, TCollectionItem, nullptr, &TestItemPublished)

class TTestButton;

class TTestForm : public TComponent {
  HOST_CLASS(TTestForm);
  using TComponent::TComponent;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override {
    for (Integer i = 0; i < GetComponentCount(); ++i) Proc(GetComponents(i));
  }
  void ButtonClick(TObject* Sender) { Clicks.push_back(Sender); }
  std::vector<TObject*> Clicks;
};
const TPublished& TestFormPublished() {
  static const TPublished p{{}, {PublishedMethod<TNotifyEvent>(u"ButtonClick", &TTestForm::ButtonClick)}};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TTestForm, TComponent, &CreateOwned<TTestForm>, &TestFormPublished)

class TTestButton : public TComponent {
  HOST_CLASS(TTestButton);
  explicit TTestButton(TComponent* AOwner)
      : TComponent(AOwner), FItems(TTestItem::StaticClass(), &CreateCollectionItem<TTestItem>) {}

  Integer GetLeft() const { return FLeft; }
  void SetLeft(Integer V) { FLeft = V; }
  Cardinal GetColor() const { return FColor; }
  void SetColor(Cardinal V) { FColor = V; }
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  TTestKind GetKind() const { return FKind; }
  void SetKind(TTestKind V) { FKind = V; }
  TTestStyles GetStyle() const { return FStyle; }
  void SetStyle(TTestStyles V) { FStyle = V; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool V) { FEnabled = V; }
  Double GetIncrement() const { return FIncrement; }
  void SetIncrement(Double V) { FIncrement = V; }
  TTestFont* GetFont() const { return FFont.get(); }
  TCollection* GetItems() const { return const_cast<TCollection*>(&FItems); }
  TTestButton* GetBuddy() const { return FBuddy; }
  void SetBuddy(TTestButton* V) { FBuddy = V; }
  bool IsCaptionStored() const { return FCaption != u"(auto)"; }

  // 0 is never written as a float, so a flag says so instead, unless the
  // ancestor has 0 as well.
  void DefineProperties(TFiler* Filer) override {
    auto* ancestor = dynamic_cast<TTestButton*>(Filer->GetAncestor());
    const bool hasData = FIncrement == 0 && (!ancestor || ancestor->FIncrement != 0);
    Filer->DefineProperty(
        u"ZeroIncrement", [this](TReader* r) { if (r->ReadBoolean()) FIncrement = 0; },
        [](TWriter* w) { w->WriteBoolean(true); }, hasData);
    Filer->DefineProperty(
        u"Lines",
        [this](TReader* r) {
          r->ReadListBegin();
          while (!r->EndOfList()) Lines.push_back(r->ReadString());
          r->ReadListEnd();
        },
        [this](TWriter* w) {
          w->WriteListBegin();
          for (const String& line : Lines) w->WriteString(line);
          w->WriteListEnd();
        },
        !Lines.empty());
    Filer->DefineBinaryProperty(
        u"Data",
        [this](TStream* stream) {
          Data.resize(static_cast<size_t>(stream->GetSize()));
          stream->ReadBuffer(Data.data(), static_cast<Int64>(Data.size()));
        },
        [this](TStream* stream) { stream->WriteBuffer(Data.data(), static_cast<Int64>(Data.size())); },
        !Data.empty());
  }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* Value) override { FParent = Value; }

  void Loaded() override {
    TComponent::Loaded();
    ++LoadedCount;
    BuddyAtLoaded = FBuddy;
  }

  TNotifyEvent OnClick;
  std::vector<String> Lines;
  std::vector<Byte> Data;
  TComponent* FParent = nullptr;
  int LoadedCount = 0;
  TTestButton* BuddyAtLoaded = nullptr;

 private:
  Integer FLeft = 0;
  Cardinal FColor = 0xFF00000F;
  String FCaption;
  TTestKind FKind = tkPush;
  TTestStyles FStyle;
  bool FEnabled = true;
  Double FIncrement = 1;
  std::unique_ptr<TTestFont, TFreeObject> FFont{new TTestFont};
  TCollection FItems;
  TTestButton* FBuddy = nullptr;
};
const TPublished& TestButtonPublished() {
  static const TPublished p{{
      IntegerProp<TTestButton>(u"Left", &TTestButton::GetLeft, &TTestButton::SetLeft, 0),
      IdentProp<TTestButton>(u"Color", TestColors, &TTestButton::GetColor, &TTestButton::SetColor, 0xFF00000F),
      [] {
        TPropInfo p = StringProp<TTestButton>(u"Caption", &TTestButton::GetCaption, &TTestButton::SetCaption);
        p.Stored = [](const TObject* o) { return static_cast<const TTestButton*>(o)->IsCaptionStored(); };
        return p;
      }(),
      EnumProp<TTestButton>(u"Kind", TestKindNames, &TTestButton::GetKind, &TTestButton::SetKind, tkPush),
      SetProp<TTestButton>(u"Style", TestStyleNames, &TTestButton::GetStyle, &TTestButton::SetStyle, 0),
      BoolProp<TTestButton>(u"Enabled", &TTestButton::GetEnabled, &TTestButton::SetEnabled, true),
      FloatProp<TTestButton>(u"Increment", &TTestButton::GetIncrement, &TTestButton::SetIncrement),
      SubObjectProp<TTestButton, TTestFont>(u"Font", &TTestButton::GetFont),
      SubObjectProp<TTestButton, TCollection>(u"Items", &TTestButton::GetItems),
      ComponentProp<TTestButton, TTestButton>(u"Buddy", &TTestButton::GetBuddy, &TTestButton::SetBuddy),
      EventProp<TTestButton>(u"OnClick", &TTestButton::OnClick),
  }};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TTestButton, TComponent, &CreateOwned<TTestButton>, &TestButtonPublished)

class Filer : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses({TTestForm::StaticClass(), TTestButton::StaticClass()}); }
  void TearDown() override {
    UnRegisterClass(TTestButton::StaticClass());
    UnRegisterClass(TTestForm::StaticClass());
  }
};

const char16_t* const Description =
    u"object Form1: TTestForm\r\n"
    u"  object Button1: TTestButton\r\n"
    u"    Left = 707\r\n"
    u"    Caption = 'I-Iniciar'\r\n"
    u"    Kind = tkToggle\r\n"
    u"    Style = [tsBold, tsFlat]\r\n"
    u"    Enabled = False\r\n"
    u"    Font.Size = 350\r\n"
    u"    Font.Name = 'Tekton Pro Ext'\r\n"
    u"    Items = <\r\n"
    u"      item\r\n"
    u"        Value = 5\r\n"
    u"      end\r\n"
    u"      item\r\n"
    u"      end>\r\n"
    u"    Buddy = Button2\r\n"
    u"    OnClick = ButtonClick\r\n"
    u"    ZeroIncrement = True\r\n"
    u"  end\r\n"
    u"  object Button2: TTestButton\r\n"
    u"    Increment = 2.5\r\n"
    u"  end\r\n"
    u"end\r\n";

TEST_F(Filer, ReadsTheTreeAndWritesItBackUnchanged) {
  std::unique_ptr<TComponent, TFreeObject> root(ReadComponentFromText(Description));
  auto* form = dynamic_cast<TTestForm*>(root.get());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->GetName(), u"Form1");
  auto* b1 = dynamic_cast<TTestButton*>(form->FindComponent(u"Button1"));
  auto* b2 = dynamic_cast<TTestButton*>(form->FindComponent(u"Button2"));
  ASSERT_TRUE(b1 && b2);
  EXPECT_EQ(b1->GetLeft(), 707);
  EXPECT_EQ(b1->GetCaption(), u"I-Iniciar");
  EXPECT_EQ(b1->GetKind(), tkToggle);
  EXPECT_EQ(b1->GetStyle(), TTestStyles({tsBold, tsFlat}));
  EXPECT_FALSE(b1->GetEnabled());
  EXPECT_EQ(b1->GetIncrement(), 0);
  EXPECT_EQ(b1->GetFont()->GetSize(), 350);
  EXPECT_EQ(b1->GetFont()->GetName(), u"Tekton Pro Ext");
  ASSERT_EQ(b1->GetItems()->GetCount(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(b1->GetItems()->GetItem(0))->GetValue(), 5);
  EXPECT_EQ(b1->GetBuddy(), b2);
  EXPECT_EQ(b2->GetIncrement(), 2.5);
  // Loaded ran once on each, after the forward reference was resolved.
  EXPECT_EQ(b1->LoadedCount, 1);
  EXPECT_EQ(b2->LoadedCount, 1);
  EXPECT_EQ(b1->BuddyAtLoaded, b2);
  EXPECT_FALSE(b1->GetComponentState().Contains(csLoading));
  EXPECT_FALSE(b1->GetComponentState().Contains(csReading));
  ASSERT_TRUE(b1->OnClick);
  b1->OnClick(b1);
  EXPECT_EQ(form->Clicks, std::vector<TObject*>{b1});

  EXPECT_EQ(WriteComponentToText(form), Description);
}

TEST_F(Filer, DefaultsStoredPredicatesAndTheAncestor) {
  TTestForm form(nullptr);
  form.SetName(u"Form1");
  auto* button = new TTestButton(&form);
  button->SetName(u"Button1");
  button->SetCaption(u"(auto)");  // not stored
  button->SetIncrement(0);
  const String written = WriteComponentToText(&form);
  EXPECT_EQ(written, u"object Form1: TTestForm\r\n  object Button1: TTestButton\r\n    ZeroIncrement = True\r\n"
                     u"  end\r\nend\r\n");

  // Against an ancestor that has 0 too, the pseudo-property is not written.
  TTestButton ancestor(nullptr);
  ancestor.SetIncrement(0);
  TWriter writer;
  writer.SetAncestor(&ancestor);
  const TFormObject tree = writer.WriteRootComponent(&form);
  ASSERT_EQ(tree.Children.size(), 1u);
  EXPECT_TRUE(tree.Children[0].Properties.empty());
}

TEST_F(Filer, ListAndBinaryPseudoPropertiesRoundTrip) {
  TTestForm form(nullptr);
  form.SetName(u"Form1");
  auto* button = new TTestButton(&form);
  button->SetName(u"Button1");
  button->Lines = {u"first", u"it's \u00e9", u""};
  button->Data = {0x00, 0x7F, 0xFF, 0x10};
  const String text = WriteComponentToText(&form);
  std::unique_ptr<TComponent, TFreeObject> root(ReadComponentFromText(text));
  auto* read = dynamic_cast<TTestButton*>(root->FindComponent(u"Button1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Lines, button->Lines);
  EXPECT_EQ(read->Data, button->Data);
  EXPECT_EQ(read->GetParentComponent(), root.get());
  EXPECT_EQ(WriteComponentToText(root.get()), text);
}

TEST_F(Filer, ReadsIntoAnExistingRoot) {
  TTestForm form(nullptr);
  ReadComponentFromText(u"object Form1: TTestForm\n  object B: TTestButton\n    Color = clBtnFace\n    Left = -3\n  end\nend",
                        &form);
  EXPECT_EQ(form.GetName(), u"Form1");
  ASSERT_EQ(form.GetComponentCount(), 1);
  EXPECT_EQ(static_cast<TTestButton*>(form.GetComponents(0))->GetLeft(), -3);
}

TEST_F(Filer, ErrorsNameTheLineAndPropertyAndLeaveNothingBehind) {
  struct Case {
    const char16_t* body;  // inside Button1
    const char16_t* message;
  } cases[] = {
      {u"    Missing = 1\n", u"Error reading Button1.Missing on line 3: Property Missing does not exist"},
      {u"    Left = 'text'\n", u"Error reading Button1.Left on line 3: Invalid property value"},
      {u"    Kind = tkOther\n", u"Error reading Button1.Kind on line 3: Invalid property value"},
      {u"    Style = [tsBold, tsNone]\n", u"Error reading Button1.Style on line 3: Invalid property value"},
      {u"    Left = 99999999999\n", u"Error reading Button1.Left on line 3: Invalid property value"},
      {u"    OnClick = NoSuchMethod\n", u"Error reading Button1.OnClick on line 3: Method 'NoSuchMethod' not found"},
      {u"    Font.Missing = 1\n", u"Error reading Button1.Font.Missing on line 3: Property Missing does not exist"},
      {u"    Buddy = Nobody\n", u"Error reading Button1.Buddy on line 3: Component Nobody not found"},
      {u"    Items = <\n      item\n        Value = 'x'\n      end>\n",
       u"Error reading Button1.Items[0].Value on line 5: Invalid property value"},
  };
  for (const auto& c : cases) {
    const String text = String(u"object Form1: TTestForm\n  object Button1: TTestButton\n") + c.body + u"  end\nend\n";
    try {
      std::unique_ptr<TComponent, TFreeObject> root(ReadComponentFromText(text));
      ADD_FAILURE() << "no error for " << UTF8Encode(c.body);
    } catch (const EReadError& e) {
      EXPECT_EQ(e.GetMessage(), c.message);
    }
  }
  // An unknown class, in a root read into: what was created goes again.
  TTestForm form(nullptr);
  try {
    ReadComponentFromText(u"object F: TTestForm\n  object A: TTestButton\n  end\n  object B: TNoSuchClass\n  end\nend", &form);
    ADD_FAILURE() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.GetMessage(), u"Error reading B on line 4: Class TNoSuchClass not found");
  }
  EXPECT_EQ(form.GetComponentCount(), 0);
  EXPECT_THROW(ReadComponentFromText(u"object Form1: TTestForm\n  Left = 1\n"), EParserError);
}

}  // namespace

namespace {

TEST_F(Filer, AFormReadsTheResourceNamedAfterItsClass) {
  TTestForm form(nullptr);
  ASSERT_TRUE(ReadComponentRes(&form));
  EXPECT_EQ(form.GetName(), u"Form1");
  auto* button = dynamic_cast<TTestButton*>(form.FindComponent(u"Button1"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GetCaption(), u"R-Reiniciar");
  EXPECT_EQ(button->GetLeft(), 707);
  ASSERT_TRUE(button->OnClick);

  TTestButton noDescription(nullptr);
  EXPECT_FALSE(ReadComponentRes(&noDescription));
}

}  // namespace

#include "host/TypInfo.h"

#include <gtest/gtest.h>

#include "host/Components.h"
#include "host/Exceptions.h"

namespace {

enum TSampleKind : uint8_t { skPlain, skBold, skItalic };
using TSampleKinds = TSet<TSampleKind>;
const TEnumNames SampleKindNames{{u"skPlain", u"skBold", u"skItalic"}};
const TIdentMap SampleColors{{{0x000000FF, u"clRed"}, {0xFF00000F, u"clBtnFace"}}};

class TSampleFont : public TPersistent {
  HOST_CLASS(TSampleFont);
  Integer GetSize() const { return FSize; }
  void SetSize(Integer Value) { FSize = Value; }

 private:
  Integer FSize = 8;
};

const TPublished& SampleFontPublished() {
  static const TPublished published{{IntegerProp<TSampleFont>(u"Size", &TSampleFont::GetSize, &TSampleFont::SetSize, 8)}};
  return published;
}
HOST_CLASS_INFO_PUBLISHED(TSampleFont, TPersistent, &CreateDefault<TSampleFont>, &SampleFontPublished)

class TSample : public TComponent {
  HOST_CLASS(TSample);
  using TComponent::TComponent;

  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  Cardinal GetColor() const { return FColor; }
  void SetColor(Cardinal Value) { FColor = Value; }
  TSampleKind GetKind() const { return FKind; }
  void SetKind(TSampleKind Value) { FKind = Value; }
  TSampleKinds GetOptions() const { return FOptions; }
  void SetOptions(TSampleKinds Value) { FOptions = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  Double GetRatio() const { return FRatio; }
  void SetRatio(Double Value) { FRatio = Value; }
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TSampleFont* GetFont() const { return FFont.get(); }
  TSample* GetBuddy() const { return FBuddy; }
  void SetBuddy(TSample* Value) { FBuddy = Value; }
  bool IsCaptionStored() const { return FCaption != u"default"; }

  TNotifyEvent OnChange;

 private:
  Integer FWidth = 121;
  Cardinal FColor = 0xFF00000F;
  TSampleKind FKind = skPlain;
  TSampleKinds FOptions;
  bool FEnabled = true;
  Double FRatio = 0;
  String FCaption;
  std::unique_ptr<TSampleFont, TFreeObject> FFont{new TSampleFont};
  TSample* FBuddy = nullptr;
};

const TPublished& SamplePublished() {
  static const TPublished published{{
      IntegerProp<TSample>(u"Width", &TSample::GetWidth, &TSample::SetWidth, 121),
      IdentProp<TSample>(u"Color", SampleColors, &TSample::GetColor, &TSample::SetColor, 0xFF00000F),
      EnumProp<TSample>(u"Kind", SampleKindNames, &TSample::GetKind, &TSample::SetKind, skPlain),
      SetProp<TSample>(u"Options", SampleKindNames, &TSample::GetOptions, &TSample::SetOptions, 0),
      BoolProp<TSample>(u"Enabled", &TSample::GetEnabled, &TSample::SetEnabled, true),
      FloatProp<TSample>(u"Ratio", &TSample::GetRatio, &TSample::SetRatio),
      [] {
        TPropInfo p = StringProp<TSample>(u"Caption", &TSample::GetCaption, &TSample::SetCaption);
        p.Stored = [](const TObject* o) { return static_cast<const TSample*>(o)->IsCaptionStored(); };
        return p;
      }(),
      SubObjectProp<TSample, TSampleFont>(u"Font", &TSample::GetFont),
      ComponentProp<TSample, TSample>(u"Buddy", &TSample::GetBuddy, &TSample::SetBuddy),
      EventProp<TSample>(u"OnChange", &TSample::OnChange),
  }};
  return published;
}
HOST_CLASS_INFO_PUBLISHED(TSample, TComponent, &CreateOwned<TSample>, &SamplePublished)

// Narrows one inherited default and adds a handler that events can name.
class TSampleForm : public TSample {
  HOST_CLASS(TSampleForm);
  using TSample::TSample;
  void SampleChange(TObject* Sender) { Changes.push_back(Sender); }
  void WrongShape(Integer) {}
  std::vector<TObject*> Changes;
};

const TPublished& SampleFormPublished() {
  static const TPublished published{
      {IntegerProp<TSampleForm>(u"Width", &TSampleForm::GetWidth, &TSampleForm::SetWidth, 790)},
      {PublishedMethod<TNotifyEvent>(u"SampleChange", &TSampleForm::SampleChange),
       PublishedMethod<std::function<void(Integer)>>(u"WrongShape", &TSampleForm::WrongShape)}};
  return published;
}
HOST_CLASS_INFO_PUBLISHED(TSampleForm, TSample, &CreateOwned<TSampleForm>, &SampleFormPublished)

TEST(TypInfo, PropertiesAreFoundThroughTheClassChain) {
  const auto list = GetPropList(TSampleForm::StaticClass());
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0]->Name, u"Width");
  EXPECT_EQ(list[0]->Default, 790);  // the descendant's entry replaced the parent's
  EXPECT_EQ(list[9]->Name, u"OnChange");
  EXPECT_EQ(GetPropInfo(TSampleForm::StaticClass(), u"caption")->Kind, tkString);
  EXPECT_EQ(GetPropInfo(TSample::StaticClass(), u"Width")->Default, 121);
  EXPECT_EQ(GetPropInfo(TSample::StaticClass(), u"Missing"), nullptr);
  EXPECT_EQ(GetPropInfo(TComponent::StaticClass(), u"Width"), nullptr);
}

TEST(TypInfo, AccessorsDefaultsAndStoredPredicates) {
  TSample sample(nullptr);
  const TClass cls = TSample::StaticClass();
  GetPropInfo(cls, u"Width")->SetOrd(&sample, 75);
  EXPECT_EQ(sample.GetWidth(), 75);
  GetPropInfo(cls, u"Kind")->SetOrd(&sample, SampleKindNames.IndexOf(u"SKBOLD"));
  EXPECT_EQ(sample.GetKind(), skBold);
  GetPropInfo(cls, u"Options")->SetOrd(&sample, TSampleKinds({skBold, skItalic}).ToBits());
  EXPECT_EQ(sample.GetOptions(), TSampleKinds({skBold, skItalic}));
  EXPECT_EQ(GetPropInfo(cls, u"Enabled")->GetOrd(&sample), 1);
  GetPropInfo(cls, u"Ratio")->SetFloat(&sample, 2.5L);
  EXPECT_EQ(sample.GetRatio(), 2.5);

  const TPropInfo* color = GetPropInfo(cls, u"Color");
  String ident;
  ASSERT_TRUE(color->Idents->ToIdent(color->GetOrd(&sample), ident));
  EXPECT_EQ(ident, u"clBtnFace");
  Int64 red;
  ASSERT_TRUE(color->Idents->ToInt(u"clred", red));
  EXPECT_EQ(red, 0xFF);

  const TPropInfo* caption = GetPropInfo(cls, u"Caption");
  caption->SetStr(&sample, u"default");
  EXPECT_FALSE(caption->IsStored(&sample));
  caption->SetStr(&sample, u"Tempo");
  EXPECT_TRUE(caption->IsStored(&sample));
  EXPECT_TRUE(GetPropInfo(cls, u"Width")->IsStored(&sample));

  const TPropInfo* font = GetPropInfo(cls, u"Font");
  ASSERT_TRUE(font->IsSubObject);
  TObject* fontObject = font->GetObj(&sample);
  GetPropInfo(fontObject->ClassType(), u"Size")->SetOrd(fontObject, 350);
  EXPECT_EQ(sample.GetFont()->GetSize(), 350);

  TSample buddy(nullptr);
  GetPropInfo(cls, u"Buddy")->SetObj(&sample, &buddy);
  EXPECT_EQ(sample.GetBuddy(), &buddy);
  TComponent notSample(nullptr);
  GetPropInfo(cls, u"Buddy")->SetObj(&sample, &notSample);  // the wrong class reads as none
  EXPECT_EQ(sample.GetBuddy(), nullptr);
}

TEST(TypInfo, EventsBindToTheRootsMethodsByName) {
  TSampleForm form(nullptr);
  auto* child = new TSample(&form);
  const TPropInfo* onChange = GetPropInfo(TSample::StaticClass(), u"OnChange");
  SetMethodProp(child, *onChange, &form, u"samplechange");
  ASSERT_TRUE(child->OnChange);
  child->OnChange(child);
  EXPECT_EQ(form.Changes, std::vector<TObject*>{child});
  EXPECT_EQ(GetMethodProp(child, *onChange), u"samplechange");

  EXPECT_THROW(SetMethodProp(child, *onChange, &form, u"Missing"), EPropertyError);
  EXPECT_THROW(SetMethodProp(child, *onChange, &form, u"WrongShape"), EPropertyError);
  SetMethodProp(child, *onChange, &form, u"");
  EXPECT_FALSE(child->OnChange);
  EXPECT_EQ(GetMethodProp(child, *onChange), u"");
}

}  // namespace

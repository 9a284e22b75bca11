#include "host/FormText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/Exceptions.h"

namespace {

String Lines(std::initializer_list<const char16_t*> L) {
  String Result;
  for (const char16_t* Line : L) Result += String(Line) + u"\r\n";
  return Result;
}

String Message(std::u16string_view Text) {
  try {
    ParseFormText(Text);
  } catch (const EParserError& E) {
    return E.GetMessage();
  }
  return u"(parsed)";
}

const TFormValue& Prop(const TFormObject& O, std::u16string_view Name) {
  for (const TFormProperty& P : O.Properties)
    if (P.Name == Name) return P.Value;
  throw std::runtime_error("no such property");
}

const char16_t RichText[] =
    u"inherited Form1: TForm1 [2]\n"
    u"  Left = -12\n"
    u"  Tag = $7FFFFFFFFFFFFFFF\n"
    u"  Width = $ff\n"
    u"  Caption = 'Tempravo de 40 Segundos'\n"
    u"  Font.Style = [fsBold, fsItalic]\n"
    u"  Anchors = []\n"
    u"  OnCreate = FormCreate\n"
    u"  Enabled = True\n"
    u"  PopupMenu = nil\n"
    u"  Ref = Form2.Button1\n"
    u"  Ratio = -1.5\n"
    u"  Big = 1.25E20\n"
    u"  Size = 2.5s\n"
    u"  Price = 12.3456C\n"
    u"  When = 45000d\n"
    u"  Whole = 3.0\n"
    u"  Hint = 'it''s'#13#10'next' +\r\n"
    u"    'line'#$263A\r\n"
    u"  Empty = ''\n"
    u"  Lines.Strings = (\n"
    u"    'a'\n"
    u"    -7\n"
    u"    (\n"
    u"\t1\n"
    u"      x)\n"
    u"    ())\n"
    u"  Buttons = <\n"
    u"    ITEM\n"
    u"      Kind = bkUp\n"
    u"      Sub = <>\n"
    u"    End\n"
    u"    item\n"
    u"    end>\n"
    u"  Data = {\n"
    u"    0A0B0C\n"
    u"    ff}\n"
    u"  NoData = {}\n"
    u"  object Label1: TLabel\n"
    u"    Left = 8\n"
    u"    inline TFrame1\n"
    u"    end\n"
    u"  end\n"
    u"  OBJECT Panel1: TPanel [0]\n"
    u"  end\n"
    u"end\n";

TEST(FormText, RichTextReadsAndRoundTrips) {
  TFormObject Root = ParseFormText(RichText);
  EXPECT_EQ(Root.Kind, TFormObjectKind::Inherited);
  EXPECT_EQ(Root.Name, u"Form1");
  EXPECT_EQ(Root.ClassName, u"TForm1");
  EXPECT_EQ(Root.Index, 2);
  EXPECT_EQ(Root.Properties.size(), 22u);

  EXPECT_EQ(Prop(Root, u"Left").Integer, -12);
  EXPECT_EQ(Prop(Root, u"Tag").Integer, INT64_MAX);
  EXPECT_EQ(Prop(Root, u"Width").Integer, 255);
  EXPECT_EQ(Prop(Root, u"Font.Style").SetItems, (std::vector<String>{u"fsBold", u"fsItalic"}));
  EXPECT_EQ(Prop(Root, u"Anchors").Kind, TFormValueKind::Set);
  EXPECT_TRUE(Prop(Root, u"Anchors").SetItems.empty());
  EXPECT_EQ(Prop(Root, u"Enabled").Kind, TFormValueKind::Ident);
  EXPECT_EQ(Prop(Root, u"Ref").Text, u"Form2.Button1");
  EXPECT_EQ(Prop(Root, u"Ratio").Float, -1.5L);
  EXPECT_EQ(Prop(Root, u"Big").Float, 1.25e20L);
  EXPECT_EQ(Prop(Root, u"Size").FloatSuffix, u's');
  EXPECT_EQ(Prop(Root, u"Price").FloatSuffix, u'c');
  EXPECT_EQ(Prop(Root, u"When").Kind, TFormValueKind::Float);
  EXPECT_EQ(Prop(Root, u"When").Float, 45000);
  EXPECT_EQ(Prop(Root, u"When").FloatSuffix, u'd');
  EXPECT_EQ(Prop(Root, u"Whole").Kind, TFormValueKind::Float);
  EXPECT_EQ(Prop(Root, u"Whole").FloatSuffix, 0);
  EXPECT_EQ(Prop(Root, u"Hint").Text, u"it's\r\nnextline\u263A");
  EXPECT_EQ(Prop(Root, u"Empty").Kind, TFormValueKind::String);

  const TFormValue& List = Prop(Root, u"Lines.Strings");
  ASSERT_EQ(List.Items.size(), 4u);
  EXPECT_EQ(List.Items[1].Integer, -7);
  ASSERT_EQ(List.Items[2].Items.size(), 2u);
  EXPECT_EQ(List.Items[2].Items[1].Text, u"x");
  EXPECT_EQ(List.Items[3].Kind, TFormValueKind::List);
  EXPECT_EQ(List.Items[2].Items[0].Line, 25);

  const TFormValue& Buttons = Prop(Root, u"Buttons");
  ASSERT_EQ(Buttons.CollectionItems.size(), 2u);
  EXPECT_EQ(Buttons.CollectionItems[0].Properties[1].Value.Kind, TFormValueKind::Collection);
  EXPECT_TRUE(Buttons.CollectionItems[1].Properties.empty());
  EXPECT_EQ(Prop(Root, u"Data").Binary, (std::vector<Byte>{0x0A, 0x0B, 0x0C, 0xFF}));
  EXPECT_EQ(Prop(Root, u"NoData").Kind, TFormValueKind::Binary);

  ASSERT_EQ(Root.Children.size(), 2u);
  const TFormObject& Label = Root.Children[0];
  EXPECT_EQ(Label.Line, 39);
  ASSERT_EQ(Label.Children.size(), 1u);
  EXPECT_EQ(Label.Children[0].Kind, TFormObjectKind::Inline);
  EXPECT_EQ(Label.Children[0].Name, u"");
  EXPECT_EQ(Label.Children[0].ClassName, u"TFrame1");
  EXPECT_EQ(Root.Children[1].Index, 0);

  String Written = WriteFormText(Root);
  TFormObject Again = ParseFormText(Written);
  EXPECT_TRUE(SameFormTree(Root, Again)) << UTF8Encode(Written);
  EXPECT_EQ(WriteFormText(Again), Written);

  // The comparison looks deep into the tree.
  Again.Properties[18].Value.Items[2].Items[0].Integer = 2;
  EXPECT_FALSE(SameFormTree(Root, Again));
}

TEST(FormText, ValuesReadAsWritten) {
  struct Case {
    const char16_t* text;
    TFormValueKind kind;
    Int64 integer;
    Extended real;
    Char suffix;
  } cases[] = {
      {u"0", TFormValueKind::Integer, 0, 0, 0},
      {u"+42", TFormValueKind::Integer, 42, 0, 0},
      {u"-9223372036854775808", TFormValueKind::Integer, INT64_MIN, 0, 0},
      {u"$FFFFFFFFFFFFFFFF", TFormValueKind::Integer, -1, 0, 0},
      {u"-$10", TFormValueKind::Integer, -16, 0, 0},
      {u"1e3", TFormValueKind::Float, 0, 1000, 0},
      {u"2.5E-1", TFormValueKind::Float, 0, 0.25L, 0},
      {u"7D", TFormValueKind::Float, 0, 7, u'd'},
      {u"0.1", TFormValueKind::Float, 0, 0.1L, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.text));
    TFormObject O = ParseFormText(u"object A: TA\n V = " + String(c.text) + u"\nend");
    const TFormValue& V = O.Properties.at(0).Value;
    EXPECT_EQ(V.Kind, c.kind);
    EXPECT_EQ(V.Integer, c.integer);
    EXPECT_EQ(V.Float, c.real);
    EXPECT_EQ(V.FloatSuffix, c.suffix);
    EXPECT_TRUE(SameFormTree(ParseFormText(WriteFormText(O)), O));
  }
}

TFormValue Val(TFormValueKind Kind) {
  TFormValue V;
  V.Kind = Kind;
  return V;
}
TFormValue Int(Int64 I) {
  TFormValue V = Val(TFormValueKind::Integer);
  V.Integer = I;
  return V;
}
TFormValue Text(TFormValueKind Kind, String S) {
  TFormValue V = Val(Kind);
  V.Text = std::move(S);
  return V;
}
TFormValue Real(Extended F, Char Suffix) {
  TFormValue V = Val(TFormValueKind::Float);
  V.Float = F;
  V.FloatSuffix = Suffix;
  return V;
}

TEST(FormText, CanonicalTextOfSmallTree) {
  TFormObject Root;
  Root.Name = u"Form1";
  Root.ClassName = u"TForm1";
  auto Add = [](std::vector<TFormProperty>& To, String Name, TFormValue V) { To.push_back({std::move(Name), std::move(V)}); };
  Add(Root.Properties, u"Caption", Text(TFormValueKind::String, u"it's\r\nok"));
  TFormValue Style = Val(TFormValueKind::Set);
  Style.SetItems = {u"fsBold", u"fsItalic"};
  Add(Root.Properties, u"Font.Style", Style);
  Add(Root.Properties, u"Value", Real(-1.5L, 0));
  Add(Root.Properties, u"Whole", Real(2, 0));
  Add(Root.Properties, u"When", Real(0.5L, u'd'));
  TFormValue Inner = Val(TFormValueKind::List);
  Inner.Items = {Int(1), Int(2)};
  TFormValue List = Val(TFormValueKind::List);
  List.Items = {Text(TFormValueKind::String, u"a"), Inner, Val(TFormValueKind::Set)};
  Add(Root.Properties, u"Lines.Strings", List);
  TFormValue Buttons = Val(TFormValueKind::Collection);
  Buttons.CollectionItems.resize(2);
  Add(Buttons.CollectionItems[0].Properties, u"Kind", Text(TFormValueKind::Ident, u"bkUp"));
  Add(Root.Properties, u"Buttons", Buttons);
  Add(Root.Properties, u"Empty", Val(TFormValueKind::Collection));
  TFormValue Data = Val(TFormValueKind::Binary);
  for (int I = 0; I < 33; ++I) Data.Binary.push_back(static_cast<Byte>(I * 8));
  Add(Root.Properties, u"Data", Data);
  Add(Root.Properties, u"Long", Text(TFormValueKind::String, String(64, u'x') + u"yy"));
  TFormObject Label;
  Label.Name = u"Label1";
  Label.ClassName = u"TLabel";
  Label.Index = 3;
  Add(Label.Properties, u"Left", Int(8));
  Root.Children.push_back(Label);
  TFormObject Frame;
  Frame.Kind = TFormObjectKind::Inline;
  Frame.ClassName = u"TFrame1";
  Root.Children.push_back(Frame);

  EXPECT_EQ(UTF8Encode(WriteFormText(Root)),
            UTF8Encode(Lines({
                u"object Form1: TForm1",
                u"  Caption = 'it''s'#13#10'ok'",
                u"  Font.Style = [fsBold, fsItalic]",
                u"  Value = -1.5",
                u"  Whole = 2.0",
                u"  When = 0.5d",
                u"  Lines.Strings = (",
                u"    'a'",
                u"    (",
                u"      1",
                u"      2)",
                u"    [])",
                u"  Buttons = <",
                u"    item",
                u"      Kind = bkUp",
                u"    end",
                u"    item",
                u"    end>",
                u"  Empty = <>",
                u"  Data = {",
                u"    0008101820283038404850586068707880889098A0A8B0B8C0C8D0D8E0E8F0F8",
                u"    00}",
                u"  Long = 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' +",
                u"    'yy'",
                u"  object Label1: TLabel [3]",
                u"    Left = 8",
                u"  end",
                u"  inline TFrame1",
                u"  end",
                u"end",
            })));
}

TEST(FormText, NonAsciiStringRoundTripsThroughCodes) {
  const String Value = u"Gr\u00FC\u00DFe \u2013 \u65E5\u672C \U0001F600\x01\x7F~";
  TFormObject Root;
  Root.ClassName = u"TForm";
  Root.Properties.push_back({u"Caption", Text(TFormValueKind::String, Value)});
  String Written = WriteFormText(Root);
  EXPECT_NE(Written.find(u"'Gr'#252#223'e '#8211' '#26085#26412' '#55357#56832#1#127'~'"), String::npos)
      << UTF8Encode(Written);
  for (Char C : Written) EXPECT_LT(C, 127);
  EXPECT_EQ(ParseFormText(Written).Properties.at(0).Value.Text, Value);
}

TEST(FormText, ErrorsNameWhatAndLine) {
  auto Nested = [](int Count, const char16_t* Open, const char16_t* Tail) {
    String S = u"object A: TA\n  L = ";
    for (int I = 0; I < Count; ++I) S += Open;
    return S + Tail;
  };
  String DeepObjects;
  for (int I = 0; I < MaxFormTextDepth + 1; ++I) DeepObjects += u"object A: TA\n";
  struct Case {
    String text;
    const char16_t* message;
  } cases[] = {
      {u"object A: TA\n  Left 1\nend", u"'=' expected on line 2"},
      {u"object A: TA\r\n  Left 1\r\nend", u"'=' expected on line 2"},
      {u"object A: TA\r\r  Left 1\rend", u"'=' expected on line 3"},
      {u"object A: TA\n  = 1\nend", u"Identifier expected on line 2"},
      {u"object A: 5\nend", u"Identifier expected on line 1"},
      {u"thing A: TA\nend", u"'object', 'inherited' or 'inline' expected on line 1"},
      {u"", u"Unexpected end of text on line 1"},
      {u"object A: TA\n  Left = 1\n", u"Unexpected end of text on line 3"},
      {u"object A: TA\n  L = (1 2\n", u"Unexpected end of text on line 3"},
      {u"object A: TA\n  D = {0A", u"Unexpected end of text on line 2"},
      {u"object A: TA\n  S = 'abc\nend", u"Invalid string constant on line 2"},
      {u"object A: TA\n  S = 'abc", u"Invalid string constant on line 2"},
      {u"object A: TA\n  S = 'a'#\nend", u"Invalid string constant on line 2"},
      {u"object A: TA\n  S = #65536\nend", u"Character code out of range on line 2"},
      {u"object A: TA\n  S = #$10000\nend", u"Character code out of range on line 2"},
      {u"object A: TA\n  S = 'a' +\n  B = 1\nend", u"String expected on line 3"},
      {u"object A: TA\n  S = 'a' +", u"Unexpected end of text on line 2"},
      {u"object A: TA\n  D = {\n 0A0\n }\nend", u"Invalid binary value on line 4"},
      {u"object A: TA\n  D = {0G}\nend", u"Invalid binary value on line 2"},
      {u"object A: TA\n\n\n  N = 9223372036854775808\nend", u"Integer out of range on line 4"},
      {u"object A: TA\n  N = $10000000000000000\nend", u"Integer out of range on line 2"},
      {u"object A: TA [4294967296]\nend", u"Integer out of range on line 1"},
      {u"object A: TA [x]\nend", u"Integer expected on line 1"},
      {u"object A: TA [1\nend", u"']' expected on line 2"},
      {u"object A: TA\n  N = 12abc\nend", u"Invalid number on line 2"},
      {u"object A: TA\n  N = 1.\nend", u"Invalid number on line 2"},
      {u"object A: TA\n  N = 1e+\nend", u"Invalid number on line 2"},
      {u"object A: TA\n  N = $\nend", u"Invalid number on line 2"},
      {u"object A: TA\n  N = 1e99999\nend", u"Float out of range on line 2"},
      {u"object A: TA\n  S = [a b]\nend", u"']' expected on line 2"},
      {u"object A: TA\n  S = [a, ]\nend", u"Identifier expected on line 2"},
      {u"object A: TA\n  C = <\n    foo\n  >\nend", u"'item' or '>' expected on line 3"},
      {u"object A: TA\n  C = <item 1 end>\nend", u"Identifier expected on line 2"},
      {u"object A: TA\n  V = )\nend", u"Value expected on line 2"},
      {u"object A: TA\n  object B: TB\n  end\n  Left = 1\nend", u"'end' expected on line 4"},
      {u"object A: TA\nend\n\nx", u"End of text expected on line 4"},
      {DeepObjects, u"Nesting too deep on line 65"},
      {Nested(MaxFormTextDepth, u"(", u""), u"Nesting too deep on line 2"},
      {Nested(MaxFormTextDepth, u"<item X = ", u""), u"Nesting too deep on line 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.text.substr(0, 80)));
    EXPECT_EQ(UTF8Encode(Message(c.text)), UTF8Encode(c.message));
  }
  // Just inside the limit still reads.
  EXPECT_EQ(Message(Nested(MaxFormTextDepth - 1, u"(", u"") + String(MaxFormTextDepth - 1, u')') + u"\nend"),
            u"(parsed)");
}

TEST(FormText, RandomMutationsParseOrRaise) {
  const String Base(RichText);
  using namespace std::literals;
  const std::u16string_view Alphabet = u" \t\r\n'#$+-.:=,[](){}<>09afAFeEsdcx_\0\uFFFF\u00E9"sv;
  std::mt19937 Random(20240611);
  int Parsed = 0, Rejected = 0;
  for (int Round = 0; Round < 3000; ++Round) {
    String Text = Base;
    int Edits = 1 + static_cast<int>(Random() % 4);
    for (int E = 0; E < Edits && !Text.empty(); ++E) {
      size_t At = Random() % Text.size();
      switch (Random() % 5) {
        case 0: Text.erase(At, 1); break;
        case 1: Text.insert(At, 1, Alphabet[Random() % Alphabet.size()]); break;
        case 2: Text[At] = Alphabet[Random() % Alphabet.size()]; break;
        case 3: Text.resize(At); break;
        case 4: Text.insert(At, Text.substr(Random() % Text.size(), Random() % 20)); break;
      }
    }
    try {
      TFormObject Tree = ParseFormText(Text);
      ++Parsed;
      ASSERT_TRUE(SameFormTree(ParseFormText(WriteFormText(Tree)), Tree)) << UTF8Encode(Text);
    } catch (const EParserError&) {
      ++Rejected;
    }
  }
  // Both outcomes must have been exercised for the loop to mean anything.
  EXPECT_GT(Parsed, 100);
  EXPECT_GT(Rejected, 100);
}

}  // namespace

#include "host/FormText.h"

#include <cmath>

#include "host/Exceptions.h"
#include "host/FloatText.h"
#include "host/FormatSettings.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"

namespace {

// Form text is locale-independent: '.' always separates decimals.
const TFormatSettings& FormSettings() {
  static const TFormatSettings Settings = [] {
    TFormatSettings S;
    S.DecimalSeparator = u'.';
    S.ThousandSeparator = u',';
    return S;
  }();
  return Settings;
}

bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }
bool IsIdentStart(Char C) { return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_'; }
bool IsIdentChar(Char C) { return IsIdentStart(C) || IsDigit(C); }
int HexValue(Char C) {
  if (IsDigit(C)) return C - u'0';
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  return -1;
}

enum class TTokenKind : uint8_t { End, Ident, Integer, Float, String, Symbol };

struct TToken {
  TTokenKind Kind = TTokenKind::End;
  String Text;  // identifier or string
  Int64 Int = 0;
  Extended Float = 0;
  Char Suffix = 0;
  Char Symbol = 0;
  Integer Line = 1;
};

class TParser {
 public:
  explicit TParser(std::u16string_view Text) : S(Text) {
    if (!S.empty() && S[0] == u'\xFEFF') P = 1;
    Next();
  }

  TFormObject ParseRoot() {
    TFormObject Root = ParseObject(1);
    if (Tok.Kind != TTokenKind::End) FailAt(SEndOfTextExpected, Tok.Line);
    return Root;
  }

 private:
  std::u16string_view S;
  size_t P = 0;
  Integer Line = 1;
  TToken Tok;

  [[noreturn]] static void FailAt(std::u16string_view What, Integer AtLine) {
    throw EParserError(SParseError, {What, AtLine});
  }
  // An expectation not met by the current token; running out of text is the
  // more useful thing to report.
  [[noreturn]] void Fail(std::u16string_view What) const {
    FailAt(Tok.Kind == TTokenKind::End ? std::u16string_view(SUnexpectedEndOfText) : What, Tok.Line);
  }

  Char Peek(size_t Ahead = 0) const { return P + Ahead < S.size() ? S[P + Ahead] : Char(0); }
  bool AtEnd() const { return P >= S.size(); }

  void SkipBlanks() {
    while (!AtEnd()) {
      Char C = S[P];
      if (C == u'\n') {
        ++Line;
        ++P;
      } else if (C == u'\r') {
        ++Line;
        ++P;
        if (!AtEnd() && S[P] == u'\n') ++P;
      } else if (C == u' ' || C == u'\t') {
        ++P;
      } else {
        break;
      }
    }
  }

  void Next() {
    SkipBlanks();
    Tok = TToken{};
    Tok.Line = Line;
    if (AtEnd()) return;
    Char C = S[P];
    if (IsIdentStart(C)) {
      size_t Start = P;
      for (;;) {
        while (!AtEnd() && IsIdentChar(S[P])) ++P;
        if (Peek() == u'.' && IsIdentStart(Peek(1))) {
          ++P;
          continue;
        }
        break;
      }
      Tok.Kind = TTokenKind::Ident;
      Tok.Text = String(S.substr(Start, P - Start));
    } else if (C == u'\'' || C == u'#') {
      ReadString();
    } else if (IsDigit(C) || C == u'$' || ((C == u'-' || C == u'+') && (IsDigit(Peek(1)) || Peek(1) == u'$'))) {
      ReadNumber();
    } else {
      Tok.Kind = TTokenKind::Symbol;
      Tok.Symbol = C;
      ++P;
    }
  }

  // Quoted runs and #codes written next to each other.
  void ReadPieces(String& Out) {
    while (!AtEnd() && (S[P] == u'\'' || S[P] == u'#')) {
      if (S[P] == u'\'') {
        ++P;
        for (;;) {
          if (AtEnd() || S[P] == u'\r' || S[P] == u'\n') FailAt(SInvalidStringConstant, Line);
          if (S[P] == u'\'') {
            if (Peek(1) != u'\'') {
              ++P;
              break;
            }
            ++P;
          }
          Out += S[P++];
        }
      } else {
        ++P;
        bool Hex = Peek() == u'$';
        if (Hex) ++P;
        Int64 Code = 0;
        int Digits = 0;
        for (;;) {
          int D = Hex ? HexValue(Peek()) : (IsDigit(Peek()) ? Peek() - u'0' : -1);
          if (D < 0) break;
          Code = Code * (Hex ? 16 : 10) + D;
          if (Code > 0xFFFF) FailAt(SCharCodeOutOfRange, Line);
          ++P;
          ++Digits;
        }
        if (Digits == 0) FailAt(SInvalidStringConstant, Line);
        Out += static_cast<Char>(Code);
      }
    }
  }

  void ReadString() {
    Tok.Kind = TTokenKind::String;
    for (;;) {
      ReadPieces(Tok.Text);
      size_t SavedP = P;
      Integer SavedLine = Line;
      SkipBlanks();
      if (Peek() != u'+') {
        P = SavedP;
        Line = SavedLine;
        return;
      }
      ++P;
      SkipBlanks();
      if (Peek() == u'\'' || Peek() == u'#') continue;
      // A signed number after a string, as in a list: not a continuation.
      if (!AtEnd() && (IsDigit(S[P]) || S[P] == u'$')) {
        P = SavedP;
        Line = SavedLine;
        return;
      }
      FailAt(AtEnd() ? SUnexpectedEndOfText : SStringExpected, Line);
    }
  }

  void ReadNumber() {
    size_t Start = P;
    if (S[P] == u'-' || S[P] == u'+') ++P;
    if (Peek() == u'$') {
      ++P;
      size_t DigitsStart = P;
      while (!AtEnd() && HexValue(S[P]) >= 0) ++P;
      if (P == DigitsStart || IsIdentChar(Peek()) || Peek() == u'.') FailAt(SInvalidNumber, Line);
      if (!TryStrToInt64(S.substr(Start, P - Start), Tok.Int)) FailAt(SIntegerOutOfRange, Line);
      Tok.Kind = TTokenKind::Integer;
      return;
    }
    while (!AtEnd() && IsDigit(S[P])) ++P;
    bool IsFloat = false;
    if (Peek() == u'.') {
      ++P;
      if (!IsDigit(Peek())) FailAt(SInvalidNumber, Line);
      while (!AtEnd() && IsDigit(S[P])) ++P;
      IsFloat = true;
    }
    if (Peek() == u'e' || Peek() == u'E') {
      ++P;
      if (Peek() == u'+' || Peek() == u'-') ++P;
      if (!IsDigit(Peek())) FailAt(SInvalidNumber, Line);
      while (!AtEnd() && IsDigit(S[P])) ++P;
      IsFloat = true;
    }
    std::u16string_view Digits = S.substr(Start, P - Start);
    Char Lower = Peek() | 0x20;
    if ((Lower == u's' || Lower == u'c' || Lower == u'd') && !IsIdentChar(Peek(1))) {
      Tok.Suffix = Lower;
      IsFloat = true;
      ++P;
    }
    if (IsIdentChar(Peek()) || Peek() == u'.') FailAt(SInvalidNumber, Line);
    if (!IsFloat) {
      if (!TryStrToInt64(Digits, Tok.Int)) FailAt(SIntegerOutOfRange, Line);
      Tok.Kind = TTokenKind::Integer;
      return;
    }
    if (!TextToFloat(Digits, Tok.Float, FormSettings()) || !std::isfinite(Tok.Float)) FailAt(SFloatOutOfRange, Line);
    Tok.Kind = TTokenKind::Float;
  }

  bool IsKeyword(std::u16string_view Word) const { return Tok.Kind == TTokenKind::Ident && SameText(Tok.Text, Word); }
  bool IsSymbol(Char C) const { return Tok.Kind == TTokenKind::Symbol && Tok.Symbol == C; }
  bool IsObjectStart() const { return IsKeyword(u"object") || IsKeyword(u"inherited") || IsKeyword(u"inline"); }

  void ExpectSymbol(Char C) {
    if (!IsSymbol(C)) Fail(Format(SCharExpected, {String(1, C)}));
    Next();
  }
  String ExpectIdent() {
    if (Tok.Kind != TTokenKind::Ident) Fail(SIdentifierExpected);
    String Result = std::move(Tok.Text);
    Next();
    return Result;
  }

  TFormObject ParseObject(Integer Depth) {
    if (Depth > MaxFormTextDepth) FailAt(SNestingTooDeep, Tok.Line);
    TFormObject O;
    O.Line = Tok.Line;
    if (IsKeyword(u"object"))
      O.Kind = TFormObjectKind::Object;
    else if (IsKeyword(u"inherited"))
      O.Kind = TFormObjectKind::Inherited;
    else if (IsKeyword(u"inline"))
      O.Kind = TFormObjectKind::Inline;
    else
      Fail(SObjectExpected);
    Next();
    String First = ExpectIdent();
    if (IsSymbol(u':')) {
      Next();
      O.Name = std::move(First);
      O.ClassName = ExpectIdent();
    } else {
      O.ClassName = std::move(First);
    }
    if (IsSymbol(u'[')) {
      Next();
      if (Tok.Kind != TTokenKind::Integer) Fail(SIntegerExpected);
      if (Tok.Int < 0 || Tok.Int > INT32_MAX) FailAt(SIntegerOutOfRange, Tok.Line);
      O.Index = static_cast<Integer>(Tok.Int);
      Next();
      ExpectSymbol(u']');
    }
    while (!IsKeyword(u"end")) {
      if (IsObjectStart())
        O.Children.push_back(ParseObject(Depth + 1));
      else if (!O.Children.empty())
        Fail(SEndExpected);
      else
        O.Properties.push_back(ParseProperty(Depth));
    }
    Next();
    return O;
  }

  TFormProperty ParseProperty(Integer Depth) {
    TFormProperty Prop;
    Prop.Line = Tok.Line;
    Prop.Name = ExpectIdent();
    ExpectSymbol(u'=');
    Prop.Value = ParseValue(Depth);
    return Prop;
  }

  TFormValue ParseValue(Integer Depth) {
    TFormValue V;
    V.Line = Tok.Line;
    switch (Tok.Kind) {
      case TTokenKind::Integer:
        V.Kind = TFormValueKind::Integer;
        V.Integer = Tok.Int;
        Next();
        return V;
      case TTokenKind::Float:
        V.Kind = TFormValueKind::Float;
        V.Float = Tok.Float;
        V.FloatSuffix = Tok.Suffix;
        Next();
        return V;
      case TTokenKind::String:
        V.Kind = TFormValueKind::String;
        V.Text = std::move(Tok.Text);
        Next();
        return V;
      case TTokenKind::Ident:
        V.Kind = TFormValueKind::Ident;
        V.Text = std::move(Tok.Text);
        Next();
        return V;
      case TTokenKind::End:
        Fail(SValueExpected);
      case TTokenKind::Symbol:
        break;
    }
    switch (Tok.Symbol) {
      case u'[':
        V.Kind = TFormValueKind::Set;
        Next();
        if (!IsSymbol(u']')) {
          V.SetItems.push_back(ExpectIdent());
          while (IsSymbol(u',')) {
            Next();
            V.SetItems.push_back(ExpectIdent());
          }
        }
        ExpectSymbol(u']');
        return V;
      case u'(':
        if (Depth + 1 > MaxFormTextDepth) FailAt(SNestingTooDeep, Tok.Line);
        V.Kind = TFormValueKind::List;
        Next();
        while (!IsSymbol(u')')) V.Items.push_back(ParseValue(Depth + 1));
        Next();
        return V;
      case u'<':
        if (Depth + 1 > MaxFormTextDepth) FailAt(SNestingTooDeep, Tok.Line);
        V.Kind = TFormValueKind::Collection;
        Next();
        while (!IsSymbol(u'>')) {
          if (!IsKeyword(u"item")) Fail(SItemExpected);
          TFormCollectionItem Item;
          Item.Line = Tok.Line;
          Next();
          while (!IsKeyword(u"end")) Item.Properties.push_back(ParseProperty(Depth + 1));
          Next();
          V.CollectionItems.push_back(std::move(Item));
        }
        Next();
        return V;
      case u'{':
        V.Kind = TFormValueKind::Binary;
        ReadBinary(V.Binary);
        Next();
        return V;
      default:
        Fail(SValueExpected);
    }
  }

  // Read from the characters: hex digits are not tokens of their own.
  void ReadBinary(std::vector<Byte>& Out) {
    int High = -1;
    for (;;) {
      SkipBlanks();
      if (AtEnd()) FailAt(SUnexpectedEndOfText, Line);
      Char C = S[P];
      if (C == u'}') {
        if (High >= 0) FailAt(SInvalidBinary, Line);
        ++P;
        return;
      }
      int D = HexValue(C);
      if (D < 0) FailAt(SInvalidBinary, Line);
      if (High < 0) {
        High = D;
      } else {
        Out.push_back(static_cast<Byte>(High * 16 + D));
        High = -1;
      }
      ++P;
    }
  }
};

constexpr size_t StringPieceLength = 64;
constexpr size_t BinaryLineBytes = 32;

class TWriter {
 public:
  String Out;

  void WriteObject(const TFormObject& O, size_t Indent) {
    Out.append(Indent, u' ');
    switch (O.Kind) {
      case TFormObjectKind::Object: Out += u"object "; break;
      case TFormObjectKind::Inherited: Out += u"inherited "; break;
      case TFormObjectKind::Inline: Out += u"inline "; break;
    }
    if (!O.Name.empty()) Out += O.Name + u": ";
    Out += O.ClassName;
    if (O.Index >= 0) Out += u" [" + IntToStr(O.Index) + u"]";
    NewLine();
    for (const TFormProperty& Prop : O.Properties) WriteProperty(Prop, Indent + 2);
    for (const TFormObject& Child : O.Children) WriteObject(Child, Indent + 2);
    Out.append(Indent, u' ');
    Out += u"end";
    NewLine();
  }

 private:
  void NewLine() { Out += u"\r\n"; }

  void WriteProperty(const TFormProperty& Prop, size_t Indent) {
    Out.append(Indent, u' ');
    Out += Prop.Name;
    Out += u" = ";
    WriteValue(Prop.Value, Indent);
    NewLine();
  }

  // Indent is that of the line the value starts on.
  void WriteValue(const TFormValue& V, size_t Indent) {
    switch (V.Kind) {
      case TFormValueKind::Integer:
        Out += IntToStr(V.Integer);
        break;
      case TFormValueKind::Float: {
        String Digits = FloatToStr(V.Float, FormSettings());
        // Whole numbers would read back as integers.
        if (V.FloatSuffix == 0 && Digits.find_first_of(u".Ee") == String::npos) Digits += u".0";
        Out += Digits;
        if (V.FloatSuffix != 0) Out += V.FloatSuffix;
        break;
      }
      case TFormValueKind::String:
        WriteString(V.Text, Indent);
        break;
      case TFormValueKind::Ident:
        Out += V.Text;
        break;
      case TFormValueKind::Set:
        Out += u'[';
        for (size_t I = 0; I < V.SetItems.size(); ++I) {
          if (I > 0) Out += u", ";
          Out += V.SetItems[I];
        }
        Out += u']';
        break;
      case TFormValueKind::List:
        Out += u'(';
        for (const TFormValue& Item : V.Items) {
          NewLine();
          Out.append(Indent + 2, u' ');
          WriteValue(Item, Indent + 2);
        }
        Out += u')';
        break;
      case TFormValueKind::Collection:
        Out += u'<';
        for (const TFormCollectionItem& Item : V.CollectionItems) {
          NewLine();
          Out.append(Indent + 2, u' ');
          Out += u"item";
          NewLine();
          for (const TFormProperty& Prop : Item.Properties) WriteProperty(Prop, Indent + 4);
          Out.append(Indent + 2, u' ');
          Out += u"end";
        }
        Out += u'>';
        break;
      case TFormValueKind::Binary: {
        static constexpr char16_t HexDigits[] = u"0123456789ABCDEF";
        Out += u'{';
        for (size_t I = 0; I < V.Binary.size(); ++I) {
          if (I % BinaryLineBytes == 0) {
            NewLine();
            Out.append(Indent + 2, u' ');
          }
          Out += HexDigits[V.Binary[I] >> 4];
          Out += HexDigits[V.Binary[I] & 15];
        }
        Out += u'}';
        break;
      }
    }
  }

  void WriteString(const String& Text, size_t Indent) {
    if (Text.empty()) {
      Out += u"''";
      return;
    }
    for (size_t Start = 0; Start < Text.size(); Start += StringPieceLength) {
      if (Start > 0) {
        Out += u" +";
        NewLine();
        Out.append(Indent + 2, u' ');
      }
      bool Quoted = false;
      size_t Stop = std::min(Text.size(), Start + StringPieceLength);
      for (size_t I = Start; I < Stop; ++I) {
        Char C = Text[I];
        if (C >= 32 && C < 127) {
          if (!Quoted) Out += u'\'';
          Quoted = true;
          if (C == u'\'') Out += u'\'';
          Out += C;
        } else {
          if (Quoted) Out += u'\'';
          Quoted = false;
          Out += u'#';
          Out += IntToStr(C);
        }
      }
      if (Quoted) Out += u'\'';
    }
  }
};

bool SameProperties(const std::vector<TFormProperty>& A, const std::vector<TFormProperty>& B);

bool SameValue(const TFormValue& A, const TFormValue& B) {
  if (A.Kind != B.Kind || A.Integer != B.Integer || A.Float != B.Float || A.FloatSuffix != B.FloatSuffix ||
      A.Text != B.Text || A.SetItems != B.SetItems || A.Binary != B.Binary || A.Items.size() != B.Items.size() ||
      A.CollectionItems.size() != B.CollectionItems.size())
    return false;
  for (size_t I = 0; I < A.Items.size(); ++I)
    if (!SameValue(A.Items[I], B.Items[I])) return false;
  for (size_t I = 0; I < A.CollectionItems.size(); ++I)
    if (!SameProperties(A.CollectionItems[I].Properties, B.CollectionItems[I].Properties)) return false;
  return true;
}

bool SameProperties(const std::vector<TFormProperty>& A, const std::vector<TFormProperty>& B) {
  if (A.size() != B.size()) return false;
  for (size_t I = 0; I < A.size(); ++I)
    if (A[I].Name != B[I].Name || !SameValue(A[I].Value, B[I].Value)) return false;
  return true;
}

}  // namespace

TFormObject ParseFormText(std::u16string_view Text) { return TParser(Text).ParseRoot(); }

String WriteFormText(const TFormObject& Root) {
  TWriter Writer;
  Writer.WriteObject(Root, 0);
  return std::move(Writer.Out);
}

bool SameFormTree(const TFormObject& A, const TFormObject& B) {
  if (A.Kind != B.Kind || A.Name != B.Name || A.ClassName != B.ClassName || A.Index != B.Index ||
      A.Children.size() != B.Children.size() || !SameProperties(A.Properties, B.Properties))
    return false;
  for (size_t I = 0; I < A.Children.size(); ++I)
    if (!SameFormTree(A.Children[I], B.Children[I])) return false;
  return true;
}

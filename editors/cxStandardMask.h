#pragma once
// Standard edit masks: the picture language of 0, 9, #, L, l, A, a, C, c and
// literals, with a trailing ";save;blank" section, compiled into one item per
// position of the shown text, and the laying of text onto those items.

#include <memory>
#include <vector>

#include "host/Objects.h"

enum TcxCaseControl : uint8_t { ccUpperCase, ccLowerCase, ccUserCase };

// One position of the shown text.
class TcxStandardMaskCustomItem : public TObject {
  HOST_CLASS(TcxStandardMaskCustomItem);

  // Whether AChar fits this position; a placeholder also converts its case.
  virtual bool Check(Char& AChar) const = 0;
};

// A fixed character of the mask.
class TcxStandardMaskLiteralItem : public TcxStandardMaskCustomItem {
  HOST_CLASS(TcxStandardMaskLiteralItem);

  explicit TcxStandardMaskLiteralItem(Char ALiteral) : FLiteral(ALiteral) {}
  bool Check(Char& AChar) const override { return AChar == FLiteral; }
  Char GetLiteral() const { return FLiteral; }

 private:
  Char FLiteral;
};

// A placeholder the user fills in.
class TcxStandardMaskManyItem : public TcxStandardMaskCustomItem {
  HOST_CLASS(TcxStandardMaskManyItem);

  TcxStandardMaskManyItem(TcxCaseControl ACaseControl, bool AOptional)
      : FCaseControl(ACaseControl), FOptional(AOptional) {}

  TcxCaseControl GetCaseControl() const { return FCaseControl; }
  bool GetOptional() const { return FOptional; }

 protected:
  // Converts AChar as the mask asked: upper, lower or as typed.
  void DoCaseControl(Char& AChar) const;
  // The answer Accepted, after the case conversion that applies whatever it is.
  bool Checked(bool Accepted, Char& AChar) const {
    DoCaseControl(AChar);
    return Accepted;
  }

 private:
  TcxCaseControl FCaseControl;
  bool FOptional;
};

class TcxStandardMaskAlphaItem : public TcxStandardMaskManyItem {
  HOST_CLASS(TcxStandardMaskAlphaItem);

  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;
  bool Check(Char& AChar) const override;
};

class TcxStandardMaskAlphaNumericItem : public TcxStandardMaskManyItem {
  HOST_CLASS(TcxStandardMaskAlphaNumericItem);

  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;
  bool Check(Char& AChar) const override;
};

// Any character at all.
class TcxStandardMaskASCIIItem : public TcxStandardMaskManyItem {
  HOST_CLASS(TcxStandardMaskASCIIItem);

  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;
  bool Check(Char& AChar) const override;
};

class TcxStandardMaskNumericItem : public TcxStandardMaskManyItem {
  HOST_CLASS(TcxStandardMaskNumericItem);

  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;
  bool Check(Char& AChar) const override;
};

// A digit or a sign; never required.
class TcxStandardMaskNumericSymbolItem : public TcxStandardMaskManyItem {
  HOST_CLASS(TcxStandardMaskNumericSymbolItem);

  explicit TcxStandardMaskNumericSymbolItem(TcxCaseControl ACaseControl) : TcxStandardMaskManyItem(ACaseControl, true) {}
  bool Check(Char& AChar) const override;
};

class TcxStandardMask : public TObject {
  HOST_CLASS(TcxStandardMask);

  // Replaces what was compiled before. "/" and ":" take the run-time's date
  // and time separators as they are now.
  void Compile(const String& AMask);
  void Clear();

  // Lays AText onto the positions: characters go to the placeholders that
  // accept them in order (from the right after a leading "!"), literals in
  // AText go to literal positions only when the text carries literals, and
  // characters that fit nowhere are dropped. AText becomes Count characters
  // with the blank in every unfilled placeholder.
  void Format(String& AText, bool AChangeCharCase, bool AMatchForBlanksAndLiterals) const;
  // A formatted text in the stored form: blanks become spaces, literals are
  // dropped unless the mask saves them.
  void Format2(String& AText) const;
  // Both apply the items' case conversions to AText. IsFullValid wants every
  // position filled, blanks only at optional placeholders; IsValid takes a
  // text up to Count characters with blanks at any placeholder.
  bool IsFullValid(String& AText) const;
  bool IsValid(String& AText) const;

  // The mask last compiled.
  const String& GetMask() const { return FMask; }
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TcxStandardMaskCustomItem* GetItems(Integer AIndex) const { return FItems.at(AIndex).get(); }
  Char GetBlank() const { return FBlank; }
  bool GetSaveLiteralCharacters() const { return FSaveLiteralCharacters; }
  // The text kept for an untouched entry: spaces for placeholders, literals
  // when saved.
  String GetEmptyString() const;
  // The text shown for an untouched entry: the blank in every placeholder.
  String GetFullEmptyString() const;

 private:
  void DoCompileHead(String& AMask);
  void DoCompileBody(const String& AMask);
  // Whether the ";" at AIndex starts the trailing section, which it then reads.
  bool CompileTrailingSection(const String& AMask, size_t AIndex);
  // Whether the text fits: all positions (AFull) or a leading part of them.
  bool IsTextValid(String& AText, bool AFull) const;

  Char FBlank = u'_';
  std::vector<std::unique_ptr<TcxStandardMaskCustomItem, TFreeObject>> FItems;
  bool FLeading = false;
  bool FSaveLiteralCharacters = true;
  String FMask;
};

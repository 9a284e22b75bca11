#pragma once
// The text form of stored form descriptions: a tree of objects, their
// properties and values, read from and written back to text. The tree keeps
// what the text says; turning it into components is left to its reader.

#include <string_view>
#include <vector>

#include "host/System.h"

enum class TFormValueKind : uint8_t { Integer, Float, String, Ident, Set, List, Collection, Binary };

struct TFormProperty;
struct TFormCollectionItem;

struct TFormValue {
  TFormValueKind Kind = TFormValueKind::Integer;
  Int64 Integer = 0;
  Extended Float = 0;
  Char FloatSuffix = 0;  // 0, 's' (single), 'c' (currency) or 'd' (date)
  String Text;           // a string or an identifier
  std::vector<String> SetItems;
  std::vector<TFormValue> Items;
  std::vector<TFormCollectionItem> CollectionItems;
  std::vector<Byte> Binary;
  ::Integer Line = 0;

  friend bool operator==(const TFormValue&, const TFormValue&) = default;
};

struct TFormProperty {
  String Name;  // possibly dotted: Font.Name
  TFormValue Value;
  Integer Line = 0;

  friend bool operator==(const TFormProperty&, const TFormProperty&) = default;
};

struct TFormCollectionItem {
  std::vector<TFormProperty> Properties;
  Integer Line = 0;

  friend bool operator==(const TFormCollectionItem&, const TFormCollectionItem&) = default;
};

enum class TFormObjectKind : uint8_t { Object, Inherited, Inline };

struct TFormObject {
  TFormObjectKind Kind = TFormObjectKind::Object;
  String Name;  // empty when the block names only its class
  String ClassName;
  Integer Index = -1;  // the [n] of inherited ordering, -1 when absent
  std::vector<TFormProperty> Properties;
  std::vector<TFormObject> Children;
  Integer Line = 0;

  friend bool operator==(const TFormObject&, const TFormObject&) = default;
};

// Blocks, lists and collections nest at most this deep.
inline constexpr Integer MaxFormTextDepth = 64;

// Raises EParserError "<what> on line <n>".
TFormObject ParseFormText(std::u16string_view Text);
// The canonical text, lines ending in CR LF.
String WriteFormText(const TFormObject& Root);
// Equal trees apart from line numbers.
bool SameFormTree(const TFormObject& A, const TFormObject& B);

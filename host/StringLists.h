#pragma once
// Lists of strings, each with an optional object: the abstract TStrings that
// controls expose their lines through, and the stored TStringList.

#include <functional>
#include <vector>

#include "host/Persistent.h"


// How a sorted list takes a string it already holds. Unsorted lists accept
// every string.
enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

class TStringList;
// Compares the items at two indices: negative, zero or positive.
using TStringListSortCompare = int (*)(TStringList* List, Integer Index1, Integer Index2);

// Descendants store the strings; everything else is built on Get, Put,
// Insert, Delete, Clear and GetCount.
class TStrings : public TPersistent {
  HOST_CLASS(TStrings);

  TStrings() = default;
  ~TStrings() override = default;

  virtual Integer Add(const String& S);
  virtual Integer AddObject(const String& S, TObject* AObject);
  Integer AddPair(const String& Name, const String& Value);
  void Append(const String& S) { Add(S); }
  virtual void AddStrings(const TStrings* Strings);
  // From another TStrings: its strings and objects, and its delimiters, line
  // break and name-value separator. The target keeps its own sorting,
  // duplicates and case settings.
  void Assign(TPersistent* Source) override;
  bool Equals(const TStrings* Strings) const;

  // Counted: the descendant hears of the first BeginUpdate and the last
  // EndUpdate through SetUpdateState.
  void BeginUpdate();
  void EndUpdate();
  Integer GetUpdateCount() const { return FUpdateCount; }

  virtual void Clear() = 0;
  virtual void Delete(Integer Index) = 0;
  virtual void Insert(Integer Index, const String& S) = 0;
  virtual void InsertObject(Integer Index, const String& S, TObject* AObject);
  virtual void Exchange(Integer Index1, Integer Index2);
  virtual void Move(Integer CurIndex, Integer NewIndex);

  // -1 when absent; matches by CompareStrings.
  virtual Integer IndexOf(const String& S) const;
  virtual Integer IndexOfName(const String& Name) const;
  virtual Integer IndexOfObject(const TObject* AObject) const;

  virtual Integer GetCount() const = 0;
  virtual String Get(Integer Index) const = 0;
  virtual void Put(Integer Index, const String& S);
  String GetStrings(Integer Index) const { return Get(Index); }
  void SetStrings(Integer Index, const String& S) { Put(Index, S); }
  String operator[](Integer Index) const { return Get(Index); }
  virtual TObject* GetObject(Integer Index) const { return nullptr; }
  virtual void PutObject(Integer Index, TObject* AObject) {}

  // Every line followed by the line break ("\r\n" unless changed), the form
  // the stored texts and the clipboard use. SetText splits on CRLF, LF or CR;
  // a break at the very end starts no further line.
  virtual String GetText() const;
  virtual void SetText(const String& Value);
  const String& GetLineBreak() const { return FLineBreak; }
  void SetLineBreak(const String& Value) { FLineBreak = Value; }

  // Items joined by the delimiter. An item holding a quote, the delimiter or,
  // unless the delimiter is strict, a space or control character is quoted
  // with inner quotes doubled; a single empty item is written as two quotes
  // so that it survives the way back. Reading without a strict delimiter
  // also splits at spaces outside quotes.
  String GetDelimitedText() const;
  void SetDelimitedText(const String& Value);
  Char GetDelimiter() const { return FDelimiter; }
  void SetDelimiter(Char Value) { FDelimiter = Value; }
  Char GetQuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(Char Value) { FQuoteChar = Value; }
  bool GetStrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
  // Delimited text with ',' and '"' and splitting at spaces, whatever the
  // delimiter settings are.
  String GetCommaText() const;
  void SetCommaText(const String& Value);

  // Lines of the form name=value. A line without the separator has an empty
  // name and an empty value.
  String GetName(Integer Index) const;
  String GetValue(const String& Name) const;
  // An empty value deletes the pair; a new name is added at the end.
  void SetValue(const String& Name, const String& Value);
  String GetValueFromIndex(Integer Index) const;
  void SetValueFromIndex(Integer Index, const String& Value);
  Char GetNameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(Char Value) { FNameValueSeparator = Value; }

  // Locale-aware, case ignored.
  virtual Integer CompareStrings(const String& S1, const String& S2) const;

  [[noreturn]] static void Error(const char16_t* Msg, Integer Data);

 protected:
  virtual void SetUpdateState(bool Updating) {}

 private:
  void AssignStrings(const TStrings& Source);

  Integer FUpdateCount = 0;
  String FLineBreak = u"\r\n";
  Char FDelimiter = u',';
  Char FQuoteChar = u'"';
  Char FNameValueSeparator = u'=';
  bool FStrictDelimiter = false;
};

// Stored strings. OnChanging and OnChange fire around every change made
// outside BeginUpdate/EndUpdate. Inside, OnChanging fires before the first
// change and OnChange once at the final EndUpdate; an update that changed
// nothing fires neither. Index errors raise EStringListError.
class TStringList : public TStrings {
  HOST_CLASS(TStringList);

  TStringList() = default;
  explicit TStringList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) {}
  // Frees the objects while owning them; the events no longer fire.
  ~TStringList() override;

  // A sorted list puts S at its place; among equal strings accepted with
  // dupAccept, the newest comes last. An ignored duplicate gives the index of
  // the string already there, and its object stays the caller's.
  Integer Add(const String& S) override;
  Integer AddObject(const String& S, TObject* AObject) override;
  void Clear() override;
  void Delete(Integer Index) override;
  // Insert, Put, Exchange and Move raise EStringListError on a sorted list.
  void Insert(Integer Index, const String& S) override;
  void InsertObject(Integer Index, const String& S, TObject* AObject) override;
  void Exchange(Integer Index1, Integer Index2) override;
  void Move(Integer CurIndex, Integer NewIndex) override;

  // On a sorted list, a binary search: the index of the first string equal
  // to S, or where S would go. An unsorted list is searched in order, and
  // Index is Count when S is absent.
  virtual bool Find(const String& S, Integer& Index) const;
  Integer IndexOf(const String& S) const override;

  // Stable: equal strings keep their order. Sort by CompareStrings; a
  // sorted list ignores CustomSort, which would break its order.
  virtual void Sort();
  virtual void CustomSort(TStringListSortCompare Compare);

  Integer GetCount() const override { return static_cast<Integer>(FList.size()); }
  String Get(Integer Index) const override;
  void Put(Integer Index, const String& S) override;
  // Replacing an object never frees the old one, even while owning: setting
  // it to nullptr is how a caller takes an object back.
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;

  // AnsiCompareStr when case sensitive, AnsiCompareText otherwise.
  Integer CompareStrings(const String& S1, const String& S2) const override;

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  // Re-sorts a sorted list.
  void SetCaseSensitive(bool Value);
  // Owned objects are freed on Delete, Clear and destruction.
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  const TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TNotifyEvent& GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = std::move(Value); }

 protected:
  virtual void Changing();
  virtual void Changed();
  void SetUpdateState(bool Updating) override;
  virtual void InsertItem(Integer Index, const String& S, TObject* AObject);

 private:
  struct TStringItem {
    String FString;
    TObject* FObject = nullptr;
  };

  static int CompareItems(TStringList* List, Integer Index1, Integer Index2);
  void CheckIndex(Integer Index) const;
  void CheckNotSorted() const;
  void SortItems(TStringListSortCompare Compare);
  // Where a new S goes in a sorted list; false when S is not to be added.
  bool SortedInsertIndex(const String& S, Integer& Index) const;

  std::vector<TStringItem> FList;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
  TDuplicates FDuplicates = dupIgnore;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  bool FChangedInUpdate = false;
};

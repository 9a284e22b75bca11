#include "host/StringLists.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "host/Exceptions.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"
#include "platform/ScopeExit.h"

HOST_CLASS_INFO(TStrings, TPersistent, nullptr)
HOST_CLASS_INFO(TStringList, TStrings, CreateDefault<TStringList>)

namespace {

// Runs Body between BeginUpdate and EndUpdate, ending the update also when
// Body raises.
template <typename F>
void WithUpdate(TStrings& List, F&& Body) {
  List.BeginUpdate();
  TScopeExit endUpdate([&List] { List.EndUpdate(); });
  Body();
}

bool IsBlank(Char C) { return C <= u' '; }

String Quoted(const String& S, Char Quote) {
  String out(1, Quote);
  for (Char c : S) {
    out += c;
    if (c == Quote) out += c;
  }
  out += Quote;
  return out;
}

String JoinDelimited(const TStrings& List, Char Delimiter, Char Quote, bool Strict) {
  const Integer count = List.GetCount();
  if (count == 1 && List.Get(0).empty()) return String(2, Quote);
  String out;
  for (Integer i = 0; i < count; ++i) {
    const String s = List.Get(i);
    const bool quote = std::any_of(s.begin(), s.end(), [&](Char c) {
      return c == Quote || c == Delimiter || (!Strict && IsBlank(c));
    });
    if (i > 0) out += Delimiter;
    out += quote ? Quoted(s, Quote) : s;
  }
  return out;
}

void SplitDelimited(TStrings& List, const String& Value, Char Delimiter, Char Quote, bool Strict) {
  const size_t n = Value.size();
  size_t i = 0;
  auto skipBlanks = [&] {
    if (!Strict)
      while (i < n && IsBlank(Value[i])) ++i;
  };
  WithUpdate(List, [&] {
    List.Clear();
    skipBlanks();
    while (i < n) {
      String item;
      if (Value[i] == Quote) {
        // A doubled quote stands for one; an unclosed quote runs to the end.
        for (++i; i < n; ++i) {
          if (Value[i] != Quote) {
            item += Value[i];
          } else if (i + 1 < n && Value[i + 1] == Quote) {
            item += Quote;
            ++i;
          } else {
            ++i;
            break;
          }
        }
      } else {
        const size_t start = i;
        while (i < n && Value[i] != Delimiter && (Strict || !IsBlank(Value[i]))) ++i;
        item.assign(Value, start, i - start);
      }
      List.Add(item);
      skipBlanks();
      if (i < n && Value[i] == Delimiter) {
        ++i;
        // A delimiter at the very end is followed by an empty item.
        if (i == n) List.Add(String());
        skipBlanks();
      }
    }
  });
}

}  // namespace

// --- TStrings ---

void TStrings::Error(const char16_t* Msg, Integer Data) { throw EStringListError(Msg, {Data}); }

Integer TStrings::Add(const String& S) {
  const Integer index = GetCount();
  Insert(index, S);
  return index;
}

Integer TStrings::AddObject(const String& S, TObject* AObject) {
  const Integer index = Add(S);
  PutObject(index, AObject);
  return index;
}

Integer TStrings::AddPair(const String& Name, const String& Value) {
  return Add(Name + FNameValueSeparator + Value);
}

void TStrings::AddStrings(const TStrings* Strings) {
  if (!Strings) return;
  // Adding a list to itself reads a copy, since a sorted list moves items.
  std::vector<std::pair<String, TObject*>> items;
  items.reserve(Strings->GetCount());
  for (Integer i = 0; i < Strings->GetCount(); ++i) items.emplace_back(Strings->Get(i), Strings->GetObject(i));
  WithUpdate(*this, [&] {
    for (const auto& [s, object] : items) AddObject(s, object);
  });
}

void TStrings::AssignStrings(const TStrings& Source) {
  WithUpdate(*this, [&] {
    Clear();
    FLineBreak = Source.FLineBreak;
    FDelimiter = Source.FDelimiter;
    FQuoteChar = Source.FQuoteChar;
    FNameValueSeparator = Source.FNameValueSeparator;
    FStrictDelimiter = Source.FStrictDelimiter;
    AddStrings(&Source);
  });
}

void TStrings::Assign(TPersistent* Source) {
  if (const auto* strings = dynamic_cast<const TStrings*>(Source)) {
    if (strings != this) AssignStrings(*strings);
    return;
  }
  TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (!Strings || Strings->GetCount() != GetCount()) return false;
  for (Integer i = 0; i < GetCount(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
  WithUpdate(*this, [&] {
    const String s = Get(Index1);
    TObject* object = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, object);
  });
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  WithUpdate(*this, [&] {
    const String s = Get(CurIndex);
    TObject* object = GetObject(CurIndex);
    // Detached first so that an owning list does not free it on Delete.
    PutObject(CurIndex, nullptr);
    Delete(CurIndex);
    InsertObject(NewIndex, s, object);
  });
}

Integer TStrings::IndexOf(const String& S) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

Integer TStrings::IndexOfName(const String& Name) const {
  for (Integer i = 0; i < GetCount(); ++i) {
    const String s = Get(i);
    const size_t sep = s.find(FNameValueSeparator);
    if (sep != String::npos && CompareStrings(s.substr(0, sep), Name) == 0) return i;
  }
  return -1;
}

Integer TStrings::IndexOfObject(const TObject* AObject) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::Put(Integer Index, const String& S) {
  WithUpdate(*this, [&] {
    TObject* object = GetObject(Index);
    PutObject(Index, nullptr);
    Delete(Index);
    InsertObject(Index, S, object);
  });
}

String TStrings::GetText() const {
  String out;
  for (Integer i = 0; i < GetCount(); ++i) {
    out += Get(i);
    out += FLineBreak;
  }
  return out;
}

void TStrings::SetText(const String& Value) {
  WithUpdate(*this, [&] {
    Clear();
    const size_t n = Value.size();
    size_t i = 0;
    while (i < n) {
      const size_t start = i;
      while (i < n && Value[i] != u'\r' && Value[i] != u'\n') ++i;
      Add(Value.substr(start, i - start));
      if (i < n && Value[i++] == u'\r' && i < n && Value[i] == u'\n') ++i;
    }
  });
}

String TStrings::GetDelimitedText() const { return JoinDelimited(*this, FDelimiter, FQuoteChar, FStrictDelimiter); }

void TStrings::SetDelimitedText(const String& Value) {
  SplitDelimited(*this, Value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

String TStrings::GetCommaText() const { return JoinDelimited(*this, u',', u'"', false); }

void TStrings::SetCommaText(const String& Value) { SplitDelimited(*this, Value, u',', u'"', false); }

String TStrings::GetName(Integer Index) const {
  const String s = Get(Index);
  const size_t sep = s.find(FNameValueSeparator);
  return sep == String::npos ? String() : s.substr(0, sep);
}

String TStrings::GetValue(const String& Name) const { return GetValueFromIndex(IndexOfName(Name)); }

void TStrings::SetValue(const String& Name, const String& Value) {
  const Integer index = IndexOfName(Name);
  if (Value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index < 0) {
    AddPair(Name, Value);
  } else {
    Put(index, Name + FNameValueSeparator + Value);
  }
}

String TStrings::GetValueFromIndex(Integer Index) const {
  // A negative index, as IndexOfName gives for a missing name, has no value.
  if (Index < 0) return String();
  const String s = Get(Index);
  const size_t sep = s.find(FNameValueSeparator);
  return sep == String::npos ? String() : s.substr(sep + 1);
}

void TStrings::SetValueFromIndex(Integer Index, const String& Value) {
  if (Value.empty()) {
    if (Index >= 0) Delete(Index);
  } else if (Index < 0) {
    AddPair(String(), Value);
  } else {
    Put(Index, GetName(Index) + FNameValueSeparator + Value);
  }
}

Integer TStrings::CompareStrings(const String& S1, const String& S2) const { return AnsiCompareText(S1, S2); }

// --- TStringList ---

TStringList::~TStringList() {
  FOnChange = nullptr;
  FOnChanging = nullptr;
  if (FOwnsObjects)
    for (TStringItem& item : FList) TObject::Free(std::exchange(item.FObject, nullptr));
}

void TStringList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
}

void TStringList::CheckNotSorted() const {
  if (FSorted) throw EStringListError(String(SSortedListError));
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0) {
    if (FOnChanging) FOnChanging(this);
  } else if (!FChangedInUpdate) {
    // Set before the call, so that a handler changing the list is not told
    // again.
    FChangedInUpdate = true;
    if (FOnChanging) FOnChanging(this);
  }
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && FOnChange) FOnChange(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating || !FChangedInUpdate) return;
  FChangedInUpdate = false;
  if (FOnChange) FOnChange(this);
}

Integer TStringList::Add(const String& S) { return AddObject(S, nullptr); }

Integer TStringList::AddObject(const String& S, TObject* AObject) {
  Integer index = GetCount();
  if (FSorted && !SortedInsertIndex(S, index)) return index;
  InsertItem(index, S, AObject);
  return index;
}

bool TStringList::SortedInsertIndex(const String& S, Integer& Index) const {
  if (!Find(S, Index)) return true;
  switch (FDuplicates) {
    case dupIgnore:
      return false;
    case dupError:
      throw EStringListError(String(SDuplicateString));
    case dupAccept:
      break;
  }
  while (Index < GetCount() && CompareStrings(FList[Index].FString, S) == 0) ++Index;
  return true;
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

void TStringList::Insert(Integer Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(Integer Index, const String& S, TObject* AObject) {
  CheckNotSorted();
  if (Index < 0 || Index > GetCount()) Error(SListIndexError, Index);
  InsertItem(Index, S, AObject);
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TStringItem> old;
  old.swap(FList);
  if (FOwnsObjects)
    for (TStringItem& item : old) TObject::Free(item.FObject);
  Changed();
}

void TStringList::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  TObject* object = FList[Index].FObject;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) TObject::Free(object);
  Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
  CheckNotSorted();
  CheckIndex(Index1);
  CheckIndex(Index2);
  if (Index1 == Index2) return;
  Changing();
  std::swap(FList[Index1], FList[Index2]);
  Changed();
}

void TStringList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckNotSorted();
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  Changing();
  TStringItem item = std::move(FList[CurIndex]);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, std::move(item));
  Changed();
}

bool TStringList::Find(const String& S, Integer& Index) const {
  if (!FSorted) {
    Index = TStrings::IndexOf(S);
    if (Index >= 0) return true;
    Index = GetCount();
    return false;
  }
  Integer lo = 0;
  Integer hi = GetCount();
  while (lo < hi) {
    const Integer mid = lo + (hi - lo) / 2;
    if (CompareStrings(FList[mid].FString, S) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  Index = lo;
  return lo < GetCount() && CompareStrings(FList[lo].FString, S) == 0;
}

Integer TStringList::IndexOf(const String& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  Integer index;
  return Find(S, index) ? index : -1;
}

int TStringList::CompareItems(TStringList* List, Integer Index1, Integer Index2) {
  return List->CompareStrings(List->FList[Index1].FString, List->FList[Index2].FString);
}

void TStringList::SortItems(TStringListSortCompare Compare) {
  if (!Compare || GetCount() < 2) return;
  Changing();
  // The items stay where they are while the compare looks at them by index;
  // only the finished order is applied.
  std::vector<Integer> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.size());
  for (Integer i : order) sorted.push_back(std::move(FList[i]));
  FList.swap(sorted);
  Changed();
}

void TStringList::Sort() { SortItems(CompareItems); }

void TStringList::CustomSort(TStringListSortCompare Compare) {
  if (!FSorted) SortItems(Compare);
}

String TStringList::Get(Integer Index) const {
  CheckIndex(Index);
  return FList[Index].FString;
}

void TStringList::Put(Integer Index, const String& S) {
  CheckNotSorted();
  CheckIndex(Index);
  Changing();
  FList[Index].FString = S;
  Changed();
}

TObject* TStringList::GetObject(Integer Index) const {
  CheckIndex(Index);
  return FList[Index].FObject;
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[Index].FObject = AObject;
  Changed();
}

Integer TStringList::CompareStrings(const String& S1, const String& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) SortItems(CompareItems);
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) SortItems(CompareItems);
}

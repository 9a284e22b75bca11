#include "host/StringLists.h"

#include <gtest/gtest.h>

#include "tests/host/TestObjects.h"

#include <functional>
#include <vector>

#include "host/Exceptions.h"
#include "host/SysUtils.h"

namespace {

using Lines = std::vector<String>;

Lines LinesOf(const TStrings& List) {
  Lines out;
  for (Integer i = 0; i < List.GetCount(); ++i) out.push_back(List.Get(i));
  return out;
}

void Fill(TStrings& List, const Lines& Items) {
  for (const String& s : Items) List.Add(s);
}

std::string Show(const Lines& Items) {
  std::string out = "[";
  for (const String& s : Items) out += "<" + UTF8Encode(s) + ">";
  return out + "]";
}

String MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const EStringListError& e) {
    return e.GetMessage();
  }
  return u"(nothing raised)";
}


const Lines kWords = {u"Zebra",   u"Blue",  u"iMaginary", u"DarkSide", u"apple",
                      u"Imagine", u"Black", u"Ice",       u"Darkroom"};
const Lines kLocaleOrder = {u"apple", u"Black",     u"Blue",    u"Darkroom", u"DarkSide",
                            u"Ice",   u"iMaginary", u"Imagine", u"Zebra"};

TEST(StringList, SortsUnderTheLocale) {
  for (bool caseSensitive : {false, true}) {
    TStringList sortedLater;
    sortedLater.SetCaseSensitive(caseSensitive);
    Fill(sortedLater, kWords);
    sortedLater.Sort();
    EXPECT_EQ(LinesOf(sortedLater), kLocaleOrder) << "case sensitive " << caseSensitive;

    TStringList keptSorted;
    keptSorted.SetCaseSensitive(caseSensitive);
    keptSorted.SetSorted(true);
    Fill(keptSorted, kWords);
    EXPECT_EQ(LinesOf(keptSorted), kLocaleOrder) << "case sensitive " << caseSensitive;
  }
}

// Ordinal order, as a descendant may want it.
class TOrdinalList : public TStringList {
 public:
  Integer CompareStrings(const String& S1, const String& S2) const override { return CompareStr(S1, S2); }
};

TEST(StringList, DescendantCompareDecidesTheOrder) {
  TOrdinalList list;
  Fill(list, {u"Darkroom", u"iMaginary", u"DarkSide", u"Zebra"});
  list.SetSorted(true);
  EXPECT_EQ(LinesOf(list), (Lines{u"DarkSide", u"Darkroom", u"Zebra", u"iMaginary"}));
  EXPECT_EQ(list.IndexOf(u"darkside"), -1);
  EXPECT_EQ(list.IndexOf(u"Zebra"), 2);
}

TEST(StringList, CaseAndDuplicates) {
  const struct {
    bool sorted;
    bool caseSensitive;
    TDuplicates duplicates;
    Lines added;
    Lines expected;
    bool raises;
  } cases[] = {
      {true, false, dupIgnore, {u"B", u"b", u"A", u"a"}, {u"A", u"B"}, false},
      {true, true, dupIgnore, {u"B", u"b", u"A", u"a", u"a"}, {u"a", u"A", u"b", u"B"}, false},
      // Equal strings accepted keep the order they came in.
      {true, false, dupAccept, {u"B", u"b", u"A", u"a"}, {u"A", u"a", u"B", u"b"}, false},
      {true, true, dupAccept, {u"a", u"B", u"a"}, {u"a", u"a", u"B"}, false},
      {true, false, dupError, {u"x", u"y", u"X"}, {u"x", u"y"}, true},
      {true, true, dupError, {u"x", u"X"}, {u"x", u"X"}, false},
      // Only a sorted list looks for duplicates.
      {false, false, dupError, {u"x", u"X", u"x"}, {u"x", u"X", u"x"}, false},
  };
  for (const auto& item : cases) {
    TStringList list;
    list.SetCaseSensitive(item.caseSensitive);
    list.SetDuplicates(item.duplicates);
    list.SetSorted(item.sorted);
    String message;
    try {
      Fill(list, item.added);
    } catch (const EStringListError& e) {
      message = e.GetMessage();
    }
    EXPECT_EQ(LinesOf(list), item.expected) << Show(item.added) << " dup " << int(item.duplicates);
    EXPECT_EQ(message, item.raises ? u"String list does not allow duplicates" : u"") << Show(item.added);
  }
}

TEST(StringList, IgnoredDuplicateGivesTheExistingIndex) {
  TStringList list;
  list.SetSorted(true);
  Fill(list, {u"b", u"c"});
  EXPECT_EQ(list.Add(u"a"), 0);
  EXPECT_EQ(list.Add(u"C"), 2);
  EXPECT_EQ(list.GetCount(), 3);
}

TEST(StringList, FindOnSortedLists) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  Fill(list, {u"Blue", u"apple", u"Darkroom", u"Black", u"blue", u"BLUE"});
  // apple Black Blue blue BLUE Darkroom
  const struct {
    const char16_t* sought;
    bool found;
    Integer index;
  } cases[] = {
      {u"apple", true, 0}, {u"bLuE", true, 2},  {u"darkroom", true, 5}, {u"", false, 0},
      {u"Bz", false, 5},   {u"Aardvark", false, 0}, {u"Zulu", false, 6},
  };
  for (const auto& item : cases) {
    Integer index = -7;
    EXPECT_EQ(list.Find(item.sought, index), item.found) << UTF8Encode(item.sought);
    EXPECT_EQ(index, item.index) << UTF8Encode(item.sought);
    EXPECT_EQ(list.IndexOf(item.sought), item.found ? item.index : -1) << UTF8Encode(item.sought);
  }

  TStringList unsorted;
  Fill(unsorted, {u"b", u"a", u"c"});
  Integer index = -1;
  EXPECT_TRUE(unsorted.Find(u"A", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(unsorted.Find(u"d", index));
  EXPECT_EQ(index, 3);
}

TEST(StringList, SortedListRefusesPlacedEdits) {
  TStringList list;
  list.SetSorted(true);
  Fill(list, {u"a", u"b"});
  const struct {
    const char* what;
    std::function<void()> action;
  } cases[] = {
      {"Insert", [&] { list.Insert(0, u"c"); }},
      {"InsertObject", [&] { list.InsertObject(2, u"c", nullptr); }},
      {"Put", [&] { list.Put(0, u"z"); }},
      {"Exchange", [&] { list.Exchange(0, 1); }},
      {"Move", [&] { list.Move(0, 1); }},
  };
  for (const auto& item : cases)
    EXPECT_EQ(MessageOf(item.action), u"Operation not allowed on sorted list") << item.what;
  EXPECT_EQ(LinesOf(list), (Lines{u"a", u"b"}));
  list.SetSorted(false);
  list.Insert(0, u"c");
  EXPECT_EQ(LinesOf(list), (Lines{u"c", u"a", u"b"}));
}

TEST(StringList, IndexErrors) {
  TStringList list;
  Fill(list, {u"a", u"b"});
  const struct {
    const char* what;
    std::function<void()> action;
    const char16_t* message;
  } cases[] = {
      {"Get(-1)", [&] { list.Get(-1); }, u"List index out of bounds (-1)"},
      {"Get(Count)", [&] { list.Get(2); }, u"List index out of bounds (2)"},
      {"Put(Count)", [&] { list.Put(2, u"x"); }, u"List index out of bounds (2)"},
      {"Delete(Count)", [&] { list.Delete(2); }, u"List index out of bounds (2)"},
      {"Insert(Count + 1)", [&] { list.Insert(3, u"x"); }, u"List index out of bounds (3)"},
      {"Insert(-1)", [&] { list.Insert(-1, u"x"); }, u"List index out of bounds (-1)"},
      {"GetObject(-1)", [&] { list.GetObject(-1); }, u"List index out of bounds (-1)"},
      {"Move to Count", [&] { list.Move(0, 2); }, u"List index out of bounds (2)"},
      {"Exchange with Count", [&] { list.Exchange(2, 0); }, u"List index out of bounds (2)"},
  };
  for (const auto& item : cases) EXPECT_EQ(MessageOf(item.action), item.message) << item.what;
  EXPECT_EQ(LinesOf(list), (Lines{u"a", u"b"}));
  EXPECT_EQ(list.GetValueFromIndex(-1), u"");
}

int ByLength(TStringList* List, Integer Index1, Integer Index2) {
  return static_cast<int>(List->Get(Index1).size()) - static_cast<int>(List->Get(Index2).size());
}

TEST(StringList, CustomSortIsStableAndCarriesObjects) {
  TObject one, two;
  TStringList list;
  Fill(list, {u"ccc", u"a", u"bb", u"d", u"ee"});
  list.PutObject(0, &one);
  list.PutObject(3, &two);
  list.CustomSort(ByLength);
  EXPECT_EQ(LinesOf(list), (Lines{u"a", u"d", u"bb", u"ee", u"ccc"}));
  EXPECT_EQ(list.GetObject(4), &one);
  EXPECT_EQ(list.GetObject(1), &two);

  list.SetSorted(true);  // a bb ccc d ee
  list.CustomSort(ByLength);
  EXPECT_EQ(LinesOf(list), (Lines{u"a", u"bb", u"ccc", u"d", u"ee"}));
}

TEST(StringList, TextRoundTrips) {
  const struct {
    const char16_t* read;
    Lines lines;
    const char16_t* written;
  } cases[] = {
      {u"", {}, u""},
      {u"\r\n", {u""}, u"\r\n"},
      {u"\n", {u""}, u"\r\n"},
      {u"a\r\nb\r\n", {u"a", u"b"}, u"a\r\nb\r\n"},
      {u"a\r\nb", {u"a", u"b"}, u"a\r\nb\r\n"},
      {u"a\nb", {u"a", u"b"}, u"a\r\nb\r\n"},
      {u"a\rb\r", {u"a", u"b"}, u"a\r\nb\r\n"},
      {u"a\n\nb", {u"a", u"", u"b"}, u"a\r\n\r\nb\r\n"},
      {u"a\r\r\nb", {u"a", u"", u"b"}, u"a\r\n\r\nb\r\n"},
      {u"a\n\r", {u"a", u""}, u"a\r\n\r\n"},
      {u" x \t\r\n\r\n", {u" x \t", u""}, u" x \t\r\n\r\n"},
  };
  for (const auto& item : cases) {
    TStringList list;
    list.SetText(item.read);
    EXPECT_EQ(LinesOf(list), item.lines) << Show({item.read});
    EXPECT_EQ(list.GetText(), item.written) << Show({item.read});
    TStringList again;
    again.SetText(list.GetText());
    EXPECT_EQ(LinesOf(again), item.lines) << Show({item.read});
  }
  TStringList unix;
  unix.SetLineBreak(u"\n");
  Fill(unix, {u"a", u"b"});
  EXPECT_EQ(unix.GetText(), u"a\nb\n");
}

TEST(StringList, CommaTextRoundTrips) {
  const struct {
    Lines lines;
    const char16_t* text;
  } cases[] = {
      {{}, u""},
      {{u""}, u"\"\""},
      {{u"a", u"b"}, u"a,b"},
      {{u"a b", u"c"}, u"\"a b\",c"},
      {{u"say \"hi\""}, u"\"say \"\"hi\"\"\""},
      {{u"x,y", u"z"}, u"\"x,y\",z"},
      {{u"", u"a"}, u",a"},
      {{u"a", u""}, u"a,"},
      {{u"a", u"", u"b"}, u"a,,b"},
      {{u"tab\there", u" lead"}, u"\"tab\there\",\" lead\""},
  };
  for (const auto& item : cases) {
    TStringList list;
    Fill(list, item.lines);
    EXPECT_EQ(list.GetCommaText(), item.text) << Show(item.lines);
    TStringList back;
    back.SetCommaText(item.text);
    EXPECT_EQ(LinesOf(back), item.lines) << Show(item.lines);
  }
}

TEST(StringList, CommaTextReading) {
  const struct {
    const char16_t* text;
    Lines lines;
  } cases[] = {
      {u"a b", {u"a", u"b"}},
      {u"  a ,  b  ", {u"a", u"b"}},
      {u"a, ", {u"a"}},
      {u"\"unclosed, still", {u"unclosed, still"}},
      {u"\"ab\"cd,e", {u"ab", u"cd", u"e"}},
      {u"\"\",\"\"", {u"", u""}},
  };
  for (const auto& item : cases) {
    TStringList list;
    list.Add(u"old");
    list.SetCommaText(item.text);
    EXPECT_EQ(LinesOf(list), item.lines) << Show({item.text});
  }
}

TEST(StringList, StrictDelimitedText) {
  TStringList list;
  list.SetDelimiter(u';');
  list.SetQuoteChar(u'\'');
  list.SetStrictDelimiter(true);
  list.SetDelimitedText(u" a b ;'c;d';e");
  EXPECT_EQ(LinesOf(list), (Lines{u" a b ", u"c;d", u"e"}));
  EXPECT_EQ(list.GetDelimitedText(), u" a b ;'c;d';e");
  // CommaText keeps its own delimiters.
  EXPECT_EQ(list.GetCommaText(), u"\" a b \",c;d,e");
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  Fill(list, {u"Color=Red", u"Size=12", u"NoSeparator", u"Empty=", u"a=b=c"});
  EXPECT_EQ(list.GetName(0), u"Color");
  EXPECT_EQ(list.GetName(2), u"");
  EXPECT_EQ(list.GetName(3), u"Empty");
  EXPECT_EQ(list.GetValue(u"size"), u"12");
  EXPECT_EQ(list.GetValue(u"a"), u"b=c");
  EXPECT_EQ(list.GetValue(u"Missing"), u"");
  EXPECT_EQ(list.GetValue(u"NoSeparator"), u"");
  EXPECT_EQ(list.GetValueFromIndex(2), u"");
  EXPECT_EQ(list.GetValueFromIndex(4), u"b=c");
  EXPECT_EQ(list.IndexOfName(u"EMPTY"), 3);

  list.SetValue(u"Size", u"14");
  list.SetValue(u"Shape", u"Round");
  list.SetValue(u"Color", u"");
  list.SetValue(u"Missing", u"");
  list.SetValueFromIndex(1, u"1");  // the line had no name
  list.AddPair(u"k", u"v");
  EXPECT_EQ(LinesOf(list), (Lines{u"Size=14", u"=1", u"Empty=", u"a=b=c", u"Shape=Round", u"k=v"}));

  list.SetNameValueSeparator(u':');
  list.Add(u"Key:Value");
  EXPECT_EQ(list.GetValue(u"key"), u"Value");
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
  std::vector<int> freed;
  {
    TStringList list(true);
    auto* one = new TTracked(freed, 1);
    auto* two = new TTracked(freed, 2);
    auto* three = new TTracked(freed, 3);
    list.AddObject(u"one", one);
    list.AddObject(u"two", two);
    list.AddObject(u"three", three);
    EXPECT_EQ(list.IndexOfObject(two), 1);
    list.Move(0, 2);  // two three one
    EXPECT_EQ(list.GetObject(2), one);
    list.Exchange(0, 1);  // three two one
    EXPECT_EQ(list.GetObject(0), three);
    EXPECT_TRUE(freed.empty());

    // Detaching by putting nullptr hands the object back.
    list.PutObject(1, nullptr);
    list.Delete(1);
    EXPECT_TRUE(freed.empty());
    TObject::Free(two);
    list.Delete(1);  // one
    EXPECT_EQ(freed, (std::vector<int>{2, 1}));
    list.AddObject(u"four", new TTracked(freed, 4));
    list.Clear();  // three four
    EXPECT_EQ(freed, (std::vector<int>{2, 1, 3, 4}));
    list.AddObject(u"five", new TTracked(freed, 5));
  }
  EXPECT_EQ(freed.back(), 5);

  TTracked kept(freed, 6);
  {
    TStringList notOwning;
    notOwning.AddObject(u"six", &kept);
    notOwning.Delete(0);
    notOwning.AddObject(u"six", &kept);
  }
  EXPECT_EQ(freed.size(), 5u);
}

struct TEventCount {
  int changing = 0;
  int changed = 0;
  friend bool operator==(const TEventCount&, const TEventCount&) = default;
};

void PrintTo(const TEventCount& c, std::ostream* os) {
  *os << "{changing " << c.changing << ", changed " << c.changed << "}";
}

TEST(StringList, ChangeEventsAroundUpdates) {
  const struct {
    const char* what;
    std::function<void(TStringList&)> action;
    TEventCount expected;
  } cases[] = {
      {"Add", [](TStringList& l) { l.Add(u"x"); }, {1, 1}},
      {"Delete", [](TStringList& l) { l.Delete(0); }, {1, 1}},
      {"PutObject", [](TStringList& l) { l.PutObject(0, nullptr); }, {1, 1}},
      {"Sort", [](TStringList& l) { l.Sort(); }, {1, 1}},
      {"two changes", [](TStringList& l) { l.Add(u"x"); l.Delete(0); }, {2, 2}},
      {"nested update",
       [](TStringList& l) {
         l.BeginUpdate();
         l.BeginUpdate();
         l.Add(u"x");
         l.Put(0, u"y");
         l.EndUpdate();
         l.Delete(1);
         l.EndUpdate();
       },
       {1, 1}},
      {"update without change",
       [](TStringList& l) {
         l.BeginUpdate();
         l.EndUpdate();
       },
       {0, 0}},
      {"SetText", [](TStringList& l) { l.SetText(u"p\r\nq\r\nr"); }, {1, 1}},
      {"SetCommaText", [](TStringList& l) { l.SetCommaText(u"p,q"); }, {1, 1}},
      {"Clear of empty", [](TStringList& l) { l.Clear(); l.Clear(); }, {1, 1}},
      {"Move to itself", [](TStringList& l) { l.Move(1, 1); }, {0, 0}},
      {"ignored duplicate",
       [](TStringList& l) {
         l.SetSorted(true);
         l.Add(u"A");
       },
       {1, 1}},
  };
  for (const auto& item : cases) {
    TStringList list;
    Fill(list, {u"b", u"a"});
    TEventCount count;
    Integer countWhenChanging = -1;
    list.SetOnChanging([&](TObject* Sender) {
      EXPECT_EQ(Sender, &list);
      countWhenChanging = list.GetCount();
      ++count.changing;
    });
    list.SetOnChange([&](TObject* Sender) {
      EXPECT_EQ(Sender, &list);
      EXPECT_EQ(count.changing, count.changed + 1) << item.what << ": OnChange without OnChanging";
      ++count.changed;
    });
    item.action(list);
    EXPECT_EQ(count, item.expected) << item.what;
    EXPECT_EQ(list.GetUpdateCount(), 0) << item.what;
    if (std::string(item.what) == "Add") {
      EXPECT_EQ(countWhenChanging, 2) << "OnChanging comes before the change";
    }
  }
}

TEST(StringList, AssignAndAddStrings) {
  TObject marker;
  TStringList source;
  source.SetDelimiter(u';');
  Fill(source, {u"pear", u"Apple", u"fig"});
  source.PutObject(1, &marker);

  TStringList target;
  target.SetSorted(true);
  target.Add(u"old");
  int changes = 0;
  target.SetOnChange([&](TObject*) { ++changes; });
  target.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(LinesOf(target), (Lines{u"Apple", u"fig", u"pear"}));
  EXPECT_EQ(target.GetObject(0), &marker);
  EXPECT_EQ(target.GetDelimiter(), u';');
  EXPECT_TRUE(target.GetSorted());

  TStringList copy;
  copy.Assign(&source);
  EXPECT_TRUE(copy.Equals(&source));
  copy.Put(0, u"Pear");
  EXPECT_FALSE(copy.Equals(&source));

  copy.AddStrings(&copy);
  EXPECT_EQ(LinesOf(copy), (Lines{u"Pear", u"Apple", u"fig", u"Pear", u"Apple", u"fig"}));

  TPersistent other;
  EXPECT_THROW(copy.Assign(&other), EConvertError);
}

TEST(StringList, ClassReferenceCreatesAList) {
  TObject* made = TStringList::StaticClass()->Create();
  ASSERT_NE(dynamic_cast<TStringList*>(made), nullptr);
  EXPECT_TRUE(made->InheritsFrom(TStrings::StaticClass()));
  EXPECT_EQ(TStrings::StaticClass()->Create(), nullptr);
  TObject::Free(made);
}

}  // namespace

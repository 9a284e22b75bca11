#include "host/Streams.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/Exceptions.h"

// tests/host/CMakeLists.txt embeds tests/data/greeting.txt as TESTDATA
// "Greeting" and tests/data/pattern.bin as RCDATA 7.

namespace {

const std::string Greeting = "Hello, resources!\nSecond line: caf\xc3\xa9.\n";

std::vector<Byte> Bytes(TCustomMemoryStream& S) {
  const auto* p = static_cast<const Byte*>(S.GetMemory());
  return std::vector<Byte>(p, p + S.GetSize());
}

template <typename E>
std::u16string MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const E& e) {
    return e.GetMessage();
  }
  return u"(nothing raised)";
}

TEST(MemoryStream, ReadsStopAtTheEndAndPositionsPastItReadNothing) {
  TMemoryStream s;
  s.WriteBuffer("abcde", 5);
  EXPECT_EQ(s.GetPosition(), 5);
  char buf[16] = {};
  EXPECT_EQ(s.Read(buf, 4), 0);
  s.SetPosition(3);
  EXPECT_EQ(s.Read(buf, 10), 2);
  EXPECT_EQ(std::string(buf, 2), "de");
  EXPECT_EQ(s.GetPosition(), 5);
  EXPECT_EQ(s.Seek(100, soBeginning), 100);
  EXPECT_EQ(s.Read(buf, 1), 0);
  EXPECT_EQ(s.GetSize(), 5);
  s.SetPosition(0);
  EXPECT_EQ(s.Read(buf, -1), 0);
  EXPECT_EQ(s.Write("x", -3), 0);
  EXPECT_EQ(s.GetPosition(), 0);
  EXPECT_EQ(s.GetSize(), 5);
}

TEST(MemoryStream, ShortReadsRaiseTheReadError) {
  const std::pair<const char*, std::function<void(TStream&)>> readers[] = {
      {"ReadBuffer", [](TStream& s) { char b[4]; s.ReadBuffer(b, 4); }},
      {"ReadWord", [](TStream& s) { s.ReadWord(); }},
      {"ReadCardinal", [](TStream& s) { s.ReadCardinal(); }},
      {"ReadInteger", [](TStream& s) { s.ReadInteger(); }},
      {"ReadInt64", [](TStream& s) { s.ReadInt64(); }},
      {"ReadSingle", [](TStream& s) { s.ReadSingle(); }},
      {"ReadDouble", [](TStream& s) { s.ReadDouble(); }},
      {"ReadExtended", [](TStream& s) { s.ReadExtended(); }},
  };
  for (const auto& [name, read] : readers) {
    TMemoryStream s;
    s.WriteBuffer("\1", 1);
    s.SetPosition(0);
    EXPECT_EQ(MessageOf<EReadError>([&] { read(s); }), u"Stream read error") << name;
  }
  TMemoryStream empty;
  EXPECT_EQ(MessageOf<EReadError>([&] { empty.ReadByte(); }), u"Stream read error");
}

struct SeekCase {
  Int64 Start;
  Int64 Offset;
  TSeekOrigin Origin;
  Int64 Expected;  // -1: EStreamError
};

TEST(MemoryStream, SeeksAnywhereFromZeroOnButNotBeforeTheStart) {
  const SeekCase cases[] = {
      {4, 2, soBeginning, 2},   {4, 3, soCurrent, 7},     {4, -4, soCurrent, 0},
      {4, -2, soEnd, 8},        {4, 5, soEnd, 15},        {4, -1, soBeginning, -1},
      {4, -5, soCurrent, -1},   {4, -11, soEnd, -1},
      {4, std::numeric_limits<Int64>::max(), soCurrent, -1},
      {4, std::numeric_limits<Int64>::min(), soEnd, -1},
  };
  for (const auto& t : cases) {
    TMemoryStream s;
    s.SetSize(10);
    s.SetPosition(t.Start);
    if (t.Expected < 0) {
      EXPECT_THROW(s.Seek(t.Offset, t.Origin), EStreamError) << t.Offset << " from " << int(t.Origin);
      EXPECT_EQ(s.GetPosition(), t.Start);
    } else {
      EXPECT_EQ(s.Seek(t.Offset, t.Origin), t.Expected) << t.Offset << " from " << int(t.Origin);
      EXPECT_EQ(s.GetPosition(), t.Expected);
    }
  }
}

// Hands out blocks filled with 0xAA, so bytes a stream forgets to clear show,
// refuses blocks above a limit, and counts what is still allocated.
struct TestAllocator {
  static inline std::map<void*, size_t> Live;
  static inline size_t Limit = 0;
  static inline int Calls = 0;

  static void* Realloc(void* Block, size_t OldCapacity, size_t NewCapacity) {
    ++Calls;
    EXPECT_EQ(OldCapacity, Block ? Live.at(Block) : 0) << "the stream tells what the block holds";
    if (NewCapacity > Limit) return nullptr;
    void* fresh = std::malloc(NewCapacity);
    std::memset(fresh, 0xAA, NewCapacity);
    if (Block) {
      std::memcpy(fresh, Block, std::min(Live.at(Block), NewCapacity));
      Free(Block);
    }
    Live[fresh] = NewCapacity;
    return fresh;
  }
  static void Free(void* Block) {
    Live.erase(Block);
    std::free(Block);
  }
};

// The way a memory stream of another library plugs in its allocator.
class TTestMemoryStream : public TMemoryStream {
 public:
  TTestMemoryStream() : TMemoryStream({TestAllocator::Realloc, TestAllocator::Free}) {}
};

class MemoryStreamAllocation : public ::testing::Test {
 protected:
  void SetUp() override {
    TestAllocator::Live.clear();
    TestAllocator::Limit = 1 << 20;
    TestAllocator::Calls = 0;
  }
};

TEST_F(MemoryStreamAllocation, GrowingFillsGapsWithZerosAndShrinkingMovesThePosition) {
  TTestMemoryStream s;
  s.SetPosition(5);
  s.WriteBuffer("ab", 2);
  EXPECT_EQ(Bytes(s), (std::vector<Byte>{0, 0, 0, 0, 0, 'a', 'b'}));
  EXPECT_GT(TestAllocator::Calls, 0);

  s.SetSize(10);
  EXPECT_EQ(s.GetPosition(), 7);
  EXPECT_EQ(Bytes(s), (std::vector<Byte>{0, 0, 0, 0, 0, 'a', 'b', 0, 0, 0}));
  s.SetSize(6);
  EXPECT_EQ(s.GetPosition(), 6);
  EXPECT_EQ(Bytes(s), (std::vector<Byte>{0, 0, 0, 0, 0, 'a'}));
  s.SetSize(8);
  EXPECT_EQ(Bytes(s), (std::vector<Byte>{0, 0, 0, 0, 0, 'a', 0, 0}));
}

TEST_F(MemoryStreamAllocation, CapacityGrowsInBlocksAndTheOwnAllocatorFreesIt) {
  {
    TTestMemoryStream s;
    const Int64 sizes[][2] = {{1, 8192}, {8192, 8192}, {8193, 16384}, {100000, 106496}, {3, 8192}};
    for (const auto& [size, capacity] : sizes) {
      s.SetSize(size);
      EXPECT_EQ(s.GetCapacity(), capacity) << size;
      ASSERT_EQ(TestAllocator::Live.size(), 1u);
      EXPECT_EQ(TestAllocator::Live.begin()->second, static_cast<size_t>(capacity));
    }
    s.Clear();
    EXPECT_EQ(s.GetMemory(), nullptr);
    EXPECT_EQ(s.GetCapacity(), 0);
    EXPECT_TRUE(TestAllocator::Live.empty());
    s.WriteByte(1);
    EXPECT_EQ(TestAllocator::Live.size(), 1u);
  }
  EXPECT_TRUE(TestAllocator::Live.empty());
}

TEST_F(MemoryStreamAllocation, SizesThatCannotBeAllocatedRaiseAndKeepTheContents) {
  TestAllocator::Limit = 65536;
  TTestMemoryStream s;
  s.WriteBuffer("keep", 4);
  const std::function<void()> failures[] = {
      [&] { s.SetSize(65537); },
      [&] { s.SetSize(-1); },
      [&] { s.SetSize(std::numeric_limits<Int64>::max()); },
      [&] { s.SetCapacity(-8); },
      [&] { s.SetPosition(65535); s.WriteBuffer("xy", 2); },
      [&] { s.SetPosition(std::numeric_limits<Int64>::max() - 1); s.WriteBuffer("xy", 2); },
  };
  for (const auto& fail : failures) {
    EXPECT_EQ(MessageOf<EStreamError>(fail), u"Out of memory while expanding memory stream");
    EXPECT_EQ(Bytes(s), (std::vector<Byte>{'k', 'e', 'e', 'p'}));
  }
  // The default allocator is never asked for more than an address space holds.
  TMemoryStream plain;
  EXPECT_THROW(plain.SetSize((Int64(1) << 48) + 1), EStreamError);
  EXPECT_EQ(plain.GetSize(), 0);
}

TEST(MemoryStream, ValuesAreLittleEndianAndExtendedTakesTenBytes) {
  TMemoryStream s;
  s.WriteByte(0x81);
  s.WriteWord(0x1234);
  s.WriteCardinal(0x89ABCDEF);
  s.WriteInteger(-2);
  s.WriteInt64(0x0102030405060708);
  s.WriteSingle(1.5f);
  s.WriteDouble(-0.25);
  const Int64 extendedAt = s.GetPosition();
  s.WriteExtended(1.0L);
  EXPECT_EQ(s.GetSize(), 1 + 2 + 4 + 4 + 8 + 4 + 8 + 10);

  const std::vector<Byte> all = Bytes(s);
  const std::vector<Byte> head(all.begin(), all.begin() + 11);
  EXPECT_EQ(head, (std::vector<Byte>{0x81, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFE, 0xFF, 0xFF, 0xFF}));
  const std::vector<Byte> extended(all.begin() + extendedAt, all.end());
  EXPECT_EQ(extended, (std::vector<Byte>{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));

  s.SetPosition(0);
  EXPECT_EQ(s.ReadByte(), 0x81);
  EXPECT_EQ(s.ReadWord(), 0x1234);
  EXPECT_EQ(s.ReadCardinal(), 0x89ABCDEFu);
  EXPECT_EQ(s.ReadInteger(), -2);
  EXPECT_EQ(s.ReadInt64(), 0x0102030405060708);
  EXPECT_EQ(s.ReadSingle(), 1.5f);
  EXPECT_EQ(s.ReadDouble(), -0.25);
  EXPECT_EQ(s.ReadExtended(), 1.0L);
  EXPECT_EQ(s.GetPosition(), s.GetSize());

  const Extended third = 1.0L / 3.0L;
  s.WriteExtended(third);
  s.Seek(-10, soEnd);
  EXPECT_EQ(s.ReadExtended(), third);
}

TEST(MemoryStream, CopyFromTakesAllOfTheSourceForZeroAndFailsBeyondItsEnd) {
  TMemoryStream source;
  std::vector<Byte> data(200000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<Byte>(i % 251);
  source.WriteBuffer(data.data(), static_cast<Int64>(data.size()));

  TMemoryStream all;
  all.WriteBuffer("<", 1);
  EXPECT_EQ(all.CopyFrom(&source, 0), 200000);
  EXPECT_EQ(all.GetSize(), 200001);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), static_cast<const Byte*>(all.GetMemory()) + 1));

  source.SetPosition(10);
  TMemoryStream part;
  EXPECT_EQ(part.CopyFrom(&source, 5), 5);
  EXPECT_EQ(Bytes(part), (std::vector<Byte>{10, 11, 12, 13, 14}));
  EXPECT_EQ(source.GetPosition(), 15);

  source.SetPosition(199990);
  TMemoryStream tooMuch;
  EXPECT_EQ(MessageOf<EReadError>([&] { tooMuch.CopyFrom(&source, 11); }), u"Stream read error");
}

TEST(MemoryStream, ClassInformation) {
  EXPECT_EQ(TStream::StaticClass()->Create(), nullptr);
  EXPECT_EQ(TResourceStream::StaticClass()->Create(), nullptr);
  std::unique_ptr<TObject, TFreeObject> created(TStringStream::StaticClass()->Create());
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->ClassName(), u"TStringStream");
  EXPECT_TRUE(created->InheritsFrom(TMemoryStream::StaticClass()));
  EXPECT_TRUE(created->InheritsFrom(TStream::StaticClass()));
  EXPECT_FALSE(created->InheritsFrom(THandleStream::StaticClass()));
  EXPECT_TRUE(TFileStream::StaticClass()->InheritsFrom(THandleStream::StaticClass()));
}

TEST(StringStream, KeepsTextAsUtf8) {
  const String text = u"Gr\u00fc\u00dfe, \u4e16\u754c \U0001F389";
  TStringStream s(text);
  EXPECT_EQ(s.GetPosition(), 0);
  EXPECT_EQ(s.GetSize(), 20);
  EXPECT_EQ(std::memcmp(s.GetMemory(), "Gr\xc3\xbc\xc3\x9f" "e, \xe4\xb8\x96\xe7\x95\x8c \xf0\x9f\x8e\x89", 20), 0);
  EXPECT_EQ(s.GetDataString(), text);
  EXPECT_EQ(s.ReadString(6), u"Gr\u00fc\u00df");
  EXPECT_EQ(s.ReadString(100), u"e, \u4e16\u754c \U0001F389");
  EXPECT_EQ(s.ReadString(1), u"");
  s.WriteString(u" \u00e9");
  EXPECT_EQ(s.GetDataString(), text + u" \u00e9");

  TStringStream empty;
  EXPECT_EQ(empty.GetDataString(), u"");
  empty.WriteString(u"\u00e7a");
  EXPECT_EQ(empty.GetSize(), 3);
}

class FileStream : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    FDir = std::filesystem::temp_directory_path() / ("streams-test-" + std::to_string(random()));
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override { std::filesystem::remove_all(FDir); }
  String PathOf(const std::u8string& Name) const {
    return UTF8ToString(reinterpret_cast<const char*>((FDir / Name).u8string().c_str()));
  }

  std::filesystem::path FDir;
};

TEST_F(FileStream, CreatesWritesReopensAndReads) {
  const String name = PathOf(u8"dados-\u00e7\u00e3o.bin");
  {
    TFileStream f(name, fmCreate);
    EXPECT_EQ(f.GetFileName(), name);
    f.WriteInteger(0x01020304);
    f.WriteBuffer("tail", 4);
    EXPECT_EQ(f.GetSize(), 8);
    EXPECT_EQ(f.GetPosition(), 8);
  }
  {
    TFileStream f(name, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(f.GetSize(), 8);
    EXPECT_EQ(f.ReadInteger(), 0x01020304);
    char tail[8] = {};
    EXPECT_EQ(f.Read(tail, 8), 4);
    EXPECT_EQ(std::string(tail), "tail");
    EXPECT_EQ(f.Seek(-6, soEnd), 2);
    EXPECT_THROW(f.Seek(-1, soBeginning), EStreamError);
    EXPECT_EQ(MessageOf<EWriteError>([&] { f.WriteByte(1); }), u"Stream write error");
  }
  {
    TFileStream f(name, fmOpenReadWrite);
    f.SetPosition(6);
    f.SetSize(5);
    EXPECT_EQ(f.GetPosition(), 5);
    f.SetSize(7);
    EXPECT_EQ(f.GetSize(), 7);
    TMemoryStream m;
    m.LoadFromStream(&f);
    EXPECT_EQ(Bytes(m), (std::vector<Byte>{4, 3, 2, 1, 't', 0, 0}));
  }
  const String copy = PathOf(u8"copy.bin");
  TMemoryStream m;
  m.WriteBuffer("saved", 5);
  m.SaveToFile(copy);
  TMemoryStream back;
  back.LoadFromFile(copy);
  EXPECT_EQ(Bytes(back), (std::vector<Byte>{'s', 'a', 'v', 'e', 'd'}));
  EXPECT_EQ(std::filesystem::file_size(FDir / "copy.bin"), 5u);
}

TEST_F(FileStream, FailuresNameTheFileAndTheSystemsReason) {
  const String missing = PathOf(u8"missing.txt");
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f(missing, fmOpenRead); }),
            u"Cannot open file \"" + missing + u"\". " + UTF8ToString(std::strerror(ENOENT)));
  const String nowhere = PathOf(u8"no-such-dir/new.txt");
  EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream f(nowhere, fmCreate); }),
            u"Cannot create file \"" + nowhere + u"\". " + UTF8ToString(std::strerror(ENOENT)));
  TMemoryStream m;
  EXPECT_THROW(m.LoadFromFile(missing), EFOpenError);
}

TEST(ResourceStream, ReadsTheEmbeddedBytesInPlace) {
  for (const String name : {u"Greeting", u"GREETING", u"greeting"}) {
    TResourceStream s(GetModuleHandleW(nullptr), name, u"testData");
    ASSERT_EQ(s.GetSize(), static_cast<Int64>(Greeting.size()));
    std::string text(Greeting.size(), '\0');
    s.ReadBuffer(text.data(), static_cast<Int64>(text.size()));
    EXPECT_EQ(text, Greeting);
    HRSRC res = FindResourceW(nullptr, u"Greeting", u"TESTDATA");
    EXPECT_EQ(s.GetMemory(), LockResource(LoadResource(nullptr, res)));
    EXPECT_EQ(MessageOf<EStreamError>([&] { s.WriteByte(0); }), u"Can't write to a read-only resource stream");
  }
  TResourceStream byId(nullptr, 7, RT_RCDATA);
  ASSERT_EQ(byId.GetSize(), 300);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(byId.ReadByte(), static_cast<Byte>(i * 37 + 11)) << i;
  TResourceStream byHashName(nullptr, u"#7", RT_RCDATA);
  EXPECT_EQ(byHashName.GetSize(), 300);
  TMemoryStream copy;
  copy.LoadFromStream(&byHashName);
  EXPECT_EQ(Bytes(copy), Bytes(byId));
}

TEST(ResourceStream, MissingResourcesRaiseWithTheirName) {
  EXPECT_EQ(MessageOf<EResNotFound>([] { TResourceStream s(nullptr, u"Farewell", u"TESTDATA"); }),
            u"Resource Farewell not found");
  EXPECT_EQ(MessageOf<EResNotFound>([] { TResourceStream s(nullptr, u"Greeting", u"DXSKINS"); }),
            u"Resource Greeting not found");
  EXPECT_EQ(MessageOf<EResNotFound>([] { TResourceStream s(nullptr, 8, RT_RCDATA); }), u"Resource 8 not found");
}

}  // namespace

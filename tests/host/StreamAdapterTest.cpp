#include "host/StreamAdapter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/Exceptions.h"

namespace {

// A stream that tells it was freed, and can be made to fail at anything.
class TFragileStream : public TMemoryStream {
 public:
  explicit TFragileStream(bool* AFreed = nullptr) : FFreed(AFreed) {}
  ~TFragileStream() override {
    if (FFreed) *FFreed = true;
  }
  Int64 GetSize() override {
    if (Failing) throw EStreamError(u"cannot tell");
    return TMemoryStream::GetSize();
  }
  Int64 Write(const void* Buffer, Int64 Count) override {
    if (Failing) throw EStreamError(u"cannot write");
    return TMemoryStream::Write(Buffer, Count);
  }
  Int64 Read(void* Buffer, Int64 Count) override {
    if (Failing) throw EStreamError(u"cannot read");
    return TMemoryStream::Read(Buffer, Count);
  }
  bool Failing = false;

 private:
  bool* FFreed;
};

TEST(StreamAdapter, ReadsWritesAndSeeksTheStreamLent) {
  TMemoryStream stream;
  TStreamAdapter adapter(&stream);
  ULONG done = 99;
  EXPECT_EQ(adapter.Write("abcdef", 6, &done), S_OK);
  EXPECT_EQ(done, 6u);
  EXPECT_EQ(stream.GetPosition(), 6);
  ULONGLONG position = 0;
  EXPECT_EQ(adapter.Seek(-4, STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position, 2u);
  char read[8] = {};
  EXPECT_EQ(adapter.Read(read, 3, &done), S_OK);
  EXPECT_EQ(std::string(read, done), "cde");
  EXPECT_EQ(adapter.Read(read, 3, &done), S_FALSE) << "fewer bytes than asked";
  EXPECT_EQ(std::string(read, done), "f");
  EXPECT_EQ(adapter.Seek(1, STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(adapter.Seek(2, STREAM_SEEK_CUR, &position), S_OK);
  EXPECT_EQ(position, 3u);

  EXPECT_EQ(adapter.Seek(-10, STREAM_SEEK_CUR, &position), STG_E_INVALIDFUNCTION) << "before the start";
  EXPECT_EQ(adapter.Seek(0, 3, &position), STG_E_INVALIDFUNCTION) << "no such origin";
  EXPECT_EQ(stream.GetPosition(), 3) << "a failed seek moves nothing";
  EXPECT_EQ(adapter.Read(nullptr, 1, &done), STG_E_INVALIDPOINTER);
  EXPECT_EQ(adapter.Write(nullptr, 1, &done), STG_E_INVALIDPOINTER);

  EXPECT_EQ(adapter.SetSize(2), S_OK);
  EXPECT_EQ(stream.GetSize(), 2);
  EXPECT_EQ(adapter.GetStream(), &stream);
}

TEST(StreamAdapter, FailuresOfTheStreamBecomeResults) {
  TFragileStream stream;
  stream.WriteBuffer("xyz", 3);
  stream.SetPosition(0);
  TStreamAdapter adapter(&stream);
  stream.Failing = true;
  char read[4] = {'-', '-', '-', '-'};
  ULONG done = 99;
  EXPECT_EQ(adapter.Read(read, 3, &done), S_FALSE);
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(adapter.Write("q", 1, &done), STG_E_CANTSAVE);
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(adapter.SetSize(8), E_FAIL);
  STATSTG record;
  EXPECT_THROW(adapter.Stat(&record, STATFLAG_DEFAULT), EStreamError) << "left to the caller";
}

TEST(StreamAdapter, StatFillsWhatTheStreamKnowsAndLeavesTheRest) {
  TMemoryStream stream;
  stream.WriteBuffer("12345", 5);
  TStreamAdapter adapter(&stream);
  STATSTG record;
  std::memset(static_cast<void*>(&record), 0xAB, sizeof record);
  ASSERT_EQ(adapter.Stat(&record, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(record.type, STGTY_STREAM);
  EXPECT_EQ(record.cbSize, 5u);
  EXPECT_EQ(record.mtime.dwLowDateTime | record.mtime.dwHighDateTime, 0u);
  EXPECT_EQ(record.atime.dwHighDateTime, 0u);
  EXPECT_EQ(record.grfLocksSupported, LOCK_WRITE);
  EXPECT_EQ(record.grfMode, 0xABABABABu) << "not the adapter's to fill";
  EXPECT_EQ(adapter.Stat(&record, 7), STG_E_INVALIDFLAG);
  EXPECT_EQ(adapter.Stat(nullptr, STATFLAG_DEFAULT), STG_E_INVALIDPOINTER);
}

TEST(StreamAdapter, AnOwnedStreamGoesWithTheAdapter) {
  bool referencedFreed = false, ownedFreed = false;
  TFragileStream referenced(&referencedFreed);
  {
    TStreamAdapter lent(&referenced);
    TStreamAdapter owned(new TFragileStream(&ownedFreed), soOwned);
    EXPECT_EQ(owned.GetStreamOwnership(), soOwned);
  }
  EXPECT_FALSE(referencedFreed);
  EXPECT_TRUE(ownedFreed);
}

}  // namespace

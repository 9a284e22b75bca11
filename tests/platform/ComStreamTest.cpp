#include "platform/ComStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ComStream, ReadsWritesAndSeeksLikeAFile) {
  TMemoryIStream stream;
  ULONG done = 0;
  EXPECT_EQ(stream.Write("abcdef", 6, &done), S_OK);
  EXPECT_EQ(done, 6u);
  ULONGLONG position = 99;
  EXPECT_EQ(stream.Seek(-4, STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position, 2u);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 3, &done), S_OK);
  EXPECT_EQ(std::string(buffer, done), "cde");
  // Fewer bytes than asked: S_FALSE, and what there was.
  EXPECT_EQ(stream.Read(buffer, 8, &done), S_FALSE);
  EXPECT_EQ(std::string(buffer, done), "f");
  EXPECT_EQ(stream.Read(buffer, 8, &done), S_FALSE);
  EXPECT_EQ(done, 0u);

  // Writing past the end fills the gap with zeros.
  EXPECT_EQ(stream.Seek(2, STREAM_SEEK_CUR, &position), S_OK);
  EXPECT_EQ(position, 8u);
  EXPECT_EQ(stream.Write("z", 1, nullptr), S_OK);
  EXPECT_EQ(stream.Bytes(), (std::vector<BYTE>{'a', 'b', 'c', 'd', 'e', 'f', 0, 0, 'z'}));

  EXPECT_EQ(stream.SetSize(3), S_OK);
  EXPECT_EQ(stream.Bytes().size(), 3u);
  EXPECT_EQ(stream.Position(), 9u) << "the position stays";
}

TEST(ComStream, RefusesWhatNoStreamCanDo) {
  TMemoryIStream stream(std::vector<BYTE>{1, 2, 3});
  ULONGLONG position = 7;
  EXPECT_EQ(stream.Seek(-1, STREAM_SEEK_SET, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(stream.Seek(-4, STREAM_SEEK_END, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(stream.Seek(0, 3, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(position, 7u) << "a failed seek reports nothing";
  EXPECT_EQ(stream.Position(), 0u);
  EXPECT_EQ(stream.Read(nullptr, 1, nullptr), STG_E_INVALIDPOINTER);
  EXPECT_EQ(stream.Write(nullptr, 1, nullptr), STG_E_INVALIDPOINTER);
  EXPECT_EQ(stream.SetSize(TMemoryIStream::MaxSize + 1), STG_E_MEDIUMFULL);
  EXPECT_EQ(stream.Seek(static_cast<LONGLONG>(TMemoryIStream::MaxSize), STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(stream.Write("x", 1, nullptr), STG_E_MEDIUMFULL);
  EXPECT_EQ(stream.Bytes().size(), 3u);
}

TEST(ComStream, StatFillsTheWholeRecord) {
  TMemoryIStream stream(std::vector<BYTE>(5, 0));
  STATSTG stat;
  std::memset(static_cast<void*>(&stat), 0xAB, sizeof(stat));
  ASSERT_EQ(stream.Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.type, STGTY_STREAM);
  EXPECT_EQ(stat.cbSize, 5u);
  EXPECT_EQ(stat.pwcsName, nullptr);
  EXPECT_EQ(stat.clsid, GUID_NULL);
  EXPECT_EQ(stat.grfMode, 0u);
  EXPECT_EQ(stat.reserved, 0u);
  EXPECT_EQ(sizeof(STATSTG), sizeof(void*) == 8 ? 80u : 72u);
  EXPECT_EQ(stream.Stat(nullptr, STATFLAG_DEFAULT), STG_E_INVALIDPOINTER);
  EXPECT_EQ(stream.Stat(&stat, 7), STG_E_INVALIDFLAG);
}

}  // namespace

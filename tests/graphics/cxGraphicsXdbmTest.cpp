// The compressed bitmap stream, byte for byte.
#include <gtest/gtest.h>

#include "host/Exceptions.h"
#include "host/Streams.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

using TBytes = std::vector<Byte>;

TBytes Compressed(const TBytes& AData, Integer ABitsPerPixel) {
  TMemoryStream stream;
  cxWriteCompressedBitmapData(&stream, AData.data(), static_cast<Int64>(AData.size()), ABitsPerPixel);
  const auto* bytes = static_cast<const Byte*>(stream.GetMemory());
  return TBytes(bytes, bytes + stream.GetSize());
}

// The 10-byte header of a body of ACount bytes, then the body.
TBytes Stream(Cardinal ACount, Word AVersion, const TBytes& ABody) {
  TBytes stream = {static_cast<Byte>(ACount), static_cast<Byte>(ACount >> 8), static_cast<Byte>(ACount >> 16),
                   static_cast<Byte>(ACount >> 24), 'X', 'D', 'B', 'M', static_cast<Byte>(AVersion),
                   static_cast<Byte>(AVersion >> 8)};
  stream.insert(stream.end(), ABody.begin(), ABody.end());
  return stream;
}

TBytes Stream(Word AVersion, const TBytes& ABody) {
  return Stream(static_cast<Cardinal>(ABody.size()), AVersion, ABody);
}

bool Read(const TBytes& AStream, TBytes& AData, Int64* APosition = nullptr) {
  TMemoryStream stream;
  stream.WriteBuffer(AStream.data(), static_cast<Int64>(AStream.size()));
  stream.SetPosition(0);
  const bool result = cxReadCompressedBitmapData(&stream, AData);
  if (APosition) *APosition = stream.GetPosition();
  return result;
}

TEST(CompressedBitmapStream, RepeatsOfAtMost125Blocks) {
  TBytes data;
  for (int i = 0; i < 300; ++i) data.insert(data.end(), {1, 2, 3, 4});
  // Block size 4, nothing left over, then 125, 125 and 50 repeats.
  const TBytes body = {4, 0, 125, 1, 2, 3, 4, 125, 1, 2, 3, 4, 50, 1, 2, 3, 4};
  EXPECT_EQ(Compressed(data, 32), Stream(2, body));
  TBytes back;
  ASSERT_TRUE(Read(Stream(2, body), back));
  EXPECT_EQ(back, data);
}

TEST(CompressedBitmapStream, RunsAndRemainders) {
  const struct {
    const char* What;
    TBytes Data;
    Integer BitsPerPixel;
    TBytes Body;
  } cases[] = {
      // 7 bytes in blocks of 3: one byte left over, kept raw after the block size.
      {"remainder", {9, 1, 2, 3, 1, 2, 3}, 24, {3, 1, 9, 2, 1, 2, 3}},
      // The block that starts a repeat ends the literal run before it.
      {"literal then repeat", {10, 11, 12, 12, 12}, 8, {1, 0, 0x82, 10, 11, 3, 12}},
      {"last single block", {7, 7, 7, 8}, 1, {1, 0, 3, 7, 0x81, 8}},
      {"one block", {5, 6}, 16, {2, 0, 0x81, 5, 6}},
      {"nothing", {}, 32, {4, 0}},
      {"only the remainder", {1, 2}, 24, {3, 2, 1, 2}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Compressed(c.Data, c.BitsPerPixel), Stream(2, c.Body)) << c.What;
    TBytes back{99};
    ASSERT_TRUE(Read(Stream(2, c.Body), back)) << c.What;
    EXPECT_EQ(back, c.Data) << c.What;
  }
}

TEST(CompressedBitmapStream, LiteralRunsHoldAtMost125Blocks) {
  TBytes data;
  for (int i = 0; i < 130; ++i) data.push_back(static_cast<Byte>(i));
  TBytes body = {1, 0, 0x80 | 125};
  body.insert(body.end(), data.begin(), data.begin() + 125);
  body.push_back(0x80 | 5);
  body.insert(body.end(), data.begin() + 125, data.end());
  EXPECT_EQ(Compressed(data, 8), Stream(2, body));
}

TEST(CompressedBitmapStream, VersionOneHasBlocksOfOneByte) {
  TBytes data;
  Int64 position = 0;
  TBytes stream = Stream(1, {0x83, 'a', 'b', 'c', 2, 'z'});
  stream.push_back('!');  // whatever follows stays unread
  ASSERT_TRUE(Read(stream, data, &position));
  EXPECT_EQ(data, (TBytes{'a', 'b', 'c', 'z', 'z'}));
  EXPECT_EQ(position, 16);
}

TEST(CompressedBitmapStream, AnotherSignatureIsPlainData) {
  for (const TBytes& plain : {TBytes{54, 0, 0, 0, 'B', 'M', 1, 2, 3, 4}, TBytes{1, 2, 3}, TBytes{}}) {
    TBytes data{1};
    Int64 position = -1;
    EXPECT_FALSE(Read(plain, data, &position));
    EXPECT_EQ(position, 0) << "the stream is back at its start";
  }
}

TEST(CompressedBitmapStream, DamagedHeadersAndBodiesAreReadErrors) {
  const struct {
    const char* What;
    TBytes Stream;
  } cases[] = {
      {"count beyond the stream", Stream(7, 2, {1, 0})},
      {"a count no stream could hold", Stream(0xFFFFFFFF, 2, {1, 0})},
      {"header cut short", {0, 0, 0, 0, 'X', 'D', 'B', 'M', 2}},
      {"version 0", Stream(0, {1, 0})},
      {"version 3", Stream(3, {1, 0})},
      {"block size 0", Stream(2, {0, 0})},
      {"block size 5", Stream(2, {5, 0})},
      {"remainder as large as a block", Stream(2, {4, 4, 1, 2, 3, 4})},
      {"remainder past the count", Stream(2, {4, 3, 1})},
      {"no block-size byte", Stream(2, {})},
      {"no remainder byte", Stream(2, {4})},
      {"literal run past the count", Stream(2, {2, 0, 0x82, 1, 2, 3})},
      {"repeat without its block", Stream(2, {2, 0, 5, 1})},
      {"version 1 literal past the count", Stream(1, {0x85, 1})},
  };
  for (const auto& c : cases) {
    TBytes data;
    EXPECT_THROW(Read(c.Stream, data), EReadError) << c.What;
  }
}

// A bitmap's data as the framework writes it.
TBytes HostData(TBitmap* ABitmap) {
  TMemoryStream stream;
  ABitmap->WriteData(&stream);
  const auto* bytes = static_cast<const Byte*>(stream.GetMemory());
  return TBytes(bytes, bytes + stream.GetSize());
}

TEST(CompressedBitmapStream, HostBitmapDataRoundTrips) {
  for (const TPixelFormat format : {pf1bit, pf24bit, pf32bit}) {
    // Drawn in colour, then converted.
    TcxBitmapPtr bitmap = cxCreateBitmap(37, 11, pf24bit);
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect({0, 0, 37, 11});
    canvas->GetBrush()->SetColor(clBlack);
    canvas->FillRect({3, 2, 20, 9});
    canvas->SetPixels(30, 5, clBlack);
    bitmap->SetPixelFormat(format);
    const TBytes data = HostData(bitmap.get());
    const TBytes compressed = Compressed(data, cxGetBitmapPixelFormat(bitmap.get()));
    EXPECT_LT(compressed.size(), data.size()) << format;
    EXPECT_EQ(compressed[10], format == pf1bit ? 1 : format == pf24bit ? 3 : 4) << "block size";
    TBytes back;
    ASSERT_TRUE(Read(compressed, back)) << format;
    ASSERT_EQ(back, data) << format;

    TMemoryStream stream;
    stream.WriteBuffer(back.data(), static_cast<Int64>(back.size()));
    stream.SetPosition(0);
    TBitmap loaded;
    loaded.ReadData(&stream);
    EXPECT_EQ(loaded.GetWidth(), 37);
    EXPECT_EQ(loaded.GetCanvas()->GetPixels(30, 5), clBlack);
    EXPECT_EQ(loaded.GetCanvas()->GetPixels(31, 5), clWhite);
    EXPECT_EQ(loaded.GetCanvas()->GetPixels(3, 2), clBlack);
  }
}

}  // namespace

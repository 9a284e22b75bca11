// Reading WAVE images: the formats played, and every malformed image refused.

#include <gtest/gtest.h>

#include <functional>

#include "platform/WaveFile.h"
#include "tests/platform/WaveTestSupport.h"

namespace {

TEST(WaveFile, ReadsPcmOfEightAndSixteenBitsInOneOrTwoChannels) {
  struct TCase {
    uint16_t Channels, Bits;
    uint32_t Rate;
  } cases[] = {{1, 8, 8000}, {2, 8, 11025}, {1, 16, 22050}, {2, 16, 44100}, {2, 16, 48000}};
  for (const TCase& c : cases) {
    TWaveImage w;
    w.Channels = c.Channels;
    w.Bits = c.Bits;
    w.Rate = c.Rate;
    for (int i = 0; i < 24; ++i) w.Samples.push_back(static_cast<uint8_t>(i * 7));
    const auto bytes = WaveBytes(w);
    TWaveSound sound;
    ASSERT_TRUE(ParseWaveFile(bytes.data(), bytes.size(), sound)) << c.Channels << " " << c.Bits;
    EXPECT_EQ(sound.Channels, c.Channels);
    EXPECT_EQ(sound.BitsPerSample, c.Bits);
    EXPECT_EQ(sound.SampleRate, c.Rate);
    EXPECT_EQ(sound.Samples, w.Samples);
  }
}

TEST(WaveFile, SkipsOtherChunksWithTheirPadding) {
  TWaveImage w;
  w.Samples = Pcm16({1, -1, 300});
  w.Between = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  const auto bytes = WaveBytes(w);
  TWaveSound sound;
  ASSERT_TRUE(ParseWaveFile(bytes.data(), bytes.size(), sound));
  EXPECT_EQ(sound.Samples, w.Samples);
}

TEST(WaveFile, RefusesWhatItCannotPlayAndSizesPastTheEnd) {
  const auto base = [] {
    TWaveImage w;
    w.Samples = Pcm16({1, 2, 3, 4});
    return w;
  };
  struct TCase {
    const char* What;
    std::function<std::vector<uint8_t>()> Make;
  } cases[] = {
      {"float samples",
       [&] {
         auto w = base();
         w.Format = 3;
         return WaveBytes(w);
       }},
      {"24 bits",
       [&] {
         auto w = base();
         w.Bits = 24;
         return WaveBytes(w);
       }},
      {"three channels",
       [&] {
         auto w = base();
         w.Channels = 3;
         return WaveBytes(w);
       }},
      {"rate 0",
       [&] {
         auto w = base();
         w.Rate = 0;
         return WaveBytes(w);
       }},
      {"truncated data",
       [&] {
         auto b = WaveBytes(base());
         b.resize(b.size() - 2);
         return b;
       }},
      {"RIFF larger than the file",
       [&] {
         auto b = WaveBytes(base());
         b[4] += 10;
         return b;
       }},
      {"data larger than RIFF",
       [&] {
         auto b = WaveBytes(base());
         b[40] = 0xFF, b[41] = 0xFF, b[42] = 0xFF, b[43] = 0x7F;
         return b;
       }},
      {"a chunk past the end",
       [&] {
         auto w = base();
         w.Between = {'j', 'u', 'n', 'k', 0xF0, 0xFF, 0xFF, 0xFF};
         return WaveBytes(w);
       }},
      {"no WAVE",
       [&] {
         auto b = WaveBytes(base());
         b[8] = 'X';
         return b;
       }},
      {"data before fmt",
       [] {
         std::vector<uint8_t> b{'R', 'I', 'F', 'F', 16, 0, 0, 0, 'W', 'A', 'V', 'E',
                                'd', 'a', 't', 'a', 4,  0, 0, 0, 1,   2,   3,   4};
         return b;
       }},
      {"block size not the frame's",
       [&] {
         auto b = WaveBytes(base());
         b[32] = 3;
         return b;
       }},
      {"no data chunk",
       [&] {
         auto b = WaveBytes(base());
         b.resize(36);
         b[4] = 28;
         return b;
       }},
      {"shorter than a header",
       [] {
         return std::vector<uint8_t>{'R', 'I', 'F', 'F'};
       }},
  };
  for (const TCase& c : cases) {
    const auto bytes = c.Make();
    TWaveSound sound;
    EXPECT_FALSE(ParseWaveFile(bytes.data(), bytes.size(), sound)) << c.What;
  }
}

TEST(WaveFile, KeepsWholeFramesOnly) {
  TWaveImage w;
  w.Channels = 2;
  w.Samples = {1, 0, 2, 0, 3};  // a frame and a byte
  const auto bytes = WaveBytes(w);
  TWaveSound sound;
  ASSERT_TRUE(ParseWaveFile(bytes.data(), bytes.size(), sound));
  EXPECT_EQ(sound.Samples, (std::vector<uint8_t>{1, 0, 2, 0}));
}

}  // namespace

// sndPlaySoundW on SDL's disk audio driver, which writes what it would play
// to a file (without its delay), and on the dummy driver and none at all.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "tests/platform/WaveTestSupport.h"

namespace {

class Sound : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* driver = std::getenv("SDL_AUDIODRIVER")) FDriver = driver;
    FDir = std::filesystem::temp_directory_path() / ("sound-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(FDir);
    FOutput = FDir / "played.raw";
    UseDriver("disk");
    setenv("SDL_DISKAUDIOFILE", FOutput.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    ClearPlayedSounds();
  }
  void TearDown() override {
    sndPlaySoundW(nullptr, 0);
    if (FDriver)
      setenv("SDL_AUDIODRIVER", FDriver->c_str(), 1);
    else
      unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
    ClearPlayedSounds();
    std::filesystem::remove_all(FDir);
  }

  static void UseDriver(const char* name) { setenv("SDL_AUDIODRIVER", name, 1); }

  std::u16string Write(const char* name, const TWaveImage& w) {
    const auto bytes = WaveBytes(w);
    std::ofstream(FDir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::string path = (FDir / name).string();
    return std::u16string(path.begin(), path.end());
  }

  // The device's frames (16-bit stereo at 44100 Hz, as the player asks for):
  // left channel only, without the silence a paused device writes before
  // and after.
  std::vector<int> PlayedLeft() const {
    std::ifstream in(FOutput, std::ios::binary);
    const std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int> left;
    for (size_t i = 0; i + 4 <= raw.size(); i += 4)
      left.push_back(static_cast<int16_t>(static_cast<uint8_t>(raw[i]) | static_cast<uint8_t>(raw[i + 1]) << 8));
    while (!left.empty() && left.back() == 0) left.pop_back();
    left.erase(left.begin(), std::find_if(left.begin(), left.end(), [](int v) { return v != 0; }));
    return left;
  }

  std::filesystem::path FDir;
  std::filesystem::path FOutput;
  std::optional<std::string> FDriver;  // the test environment's, put back
};

TEST_F(Sound, TheDeviceGetsTheFilesSamplesConverted) {
  // Mono input shows on the left channel; 8-bit samples are offset by 128
  // and scaled by 256.
  struct TCase {
    uint16_t Bits;
    uint16_t Channels;
    std::vector<int> Values;  // as 16-bit values
  } cases[] = {
      {16, 1, {1000, -1000, 32000, -32000, 0, 12345}},
      {16, 2, {500, 7, -500, 7, 20000, 7}},  // left, right, ...
      {8, 1, {-128 * 256, 0, 127 * 256, 64 * 256}},
  };
  for (const TCase& c : cases) {
    TWaveImage w;
    w.Bits = c.Bits;
    w.Channels = c.Channels;
    std::vector<int> left;
    // Long enough to fill several device buffers.
    for (int repeat = 0; repeat < 500; ++repeat)
      for (size_t i = 0; i < c.Values.size(); ++i) {
        const int v = c.Values[i];
        if (c.Bits == 8)
          w.Samples.push_back(static_cast<uint8_t>(v / 256 + 128));
        else
          PutLe(w.Samples, static_cast<uint16_t>(v), 2);
        if (i % c.Channels == 0) left.push_back(v);
      }
    ASSERT_TRUE(sndPlaySoundW(Write("pattern.wav", w).c_str(), SND_SYNC));
    const std::vector<int> played = PlayedLeft();
    ASSERT_EQ(played.size(), left.size()) << c.Bits << " bits, " << c.Channels << " channels";
    for (size_t i = 0; i < left.size(); ++i) ASSERT_NEAR(played[i], left[i], 2) << "frame " << i;
  }
  const auto log = PlayedSounds();
  ASSERT_EQ(log.size(), std::size(cases));
  EXPECT_EQ(log[0].Outcome, TSoundOutcome::File);
  EXPECT_TRUE(log[0].Audible);
  EXPECT_EQ(log[0].Flags, SND_SYNC);
}

TEST_F(Sound, OtherRatesAreResampledToTheDevices) {
  TWaveImage w;
  w.Rate = 22050;
  std::vector<int16_t> values;
  for (int i = 0; i < 4410; ++i) values.push_back(static_cast<int16_t>(std::lround(10000 * std::sin(i * 0.01))));
  w.Samples = Pcm16(values);
  ASSERT_TRUE(sndPlaySoundW(Write("slow.wav", w).c_str(), SND_SYNC));
  const std::vector<int> played = PlayedLeft();
  EXPECT_NEAR(static_cast<double>(played.size()), 2.0 * values.size(), 100.0) << "twice the frames at twice the rate";
  // A slow wave keeps its shape: frame 2k near sample k.
  for (size_t k = 200; k < values.size() - 200; k += 97) EXPECT_NEAR(played[2 * k], values[k], 400) << k;
}

TEST_F(Sound, AMissingFilePlaysTheDefaultToneUnlessToldNot) {
  ASSERT_TRUE(sndPlaySoundW(u"no-such-file.wav", SND_SYNC));
  const std::vector<int> tone = PlayedLeft();
  // 150 ms of 880 Hz: about 132 periods, each crossing zero upwards once.
  EXPECT_NEAR(static_cast<double>(tone.size()), 44100 * 0.15, 50.0);
  int rising = 0, peak = 0;
  for (size_t i = 1; i < tone.size(); ++i) {
    rising += tone[i - 1] < 0 && tone[i] >= 0;
    peak = std::max(peak, std::abs(tone[i]));
  }
  EXPECT_NEAR(rising, 132, 2);
  EXPECT_GT(peak, 5000);

  std::filesystem::remove(FOutput);
  EXPECT_FALSE(sndPlaySoundW(u"no-such-file.wav", SND_SYNC | SND_NODEFAULT));
  EXPECT_FALSE(std::filesystem::exists(FOutput)) << "nothing played";
  // Not a WAVE file at all: as missing.
  std::ofstream(FDir / "text.wav") << "just text";
  EXPECT_FALSE(sndPlaySoundW(u"text.wav", SND_SYNC | SND_NODEFAULT));

  const auto log = PlayedSounds();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].Name, u"no-such-file.wav");
  EXPECT_EQ(log[0].Outcome, TSoundOutcome::DefaultSound);
  EXPECT_EQ(log[1].Outcome, TSoundOutcome::Nothing);
  EXPECT_EQ(log[1].Flags, SND_SYNC | SND_NODEFAULT);
  EXPECT_EQ(log[2].Outcome, TSoundOutcome::Nothing);
}

TEST_F(Sound, NamesAreResolvedAgainstTheWorkingDirectory) {
  TWaveImage w;
  w.Samples = Pcm16({100, 200, 300, 400});
  Write("bip.wav", w);
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(FDir);
  const BOOL played = sndPlaySoundW(u"bip.wav", SND_SYNC | SND_NODEFAULT);
  std::filesystem::current_path(before);
  EXPECT_TRUE(played);
  EXPECT_EQ(PlayedLeft(), (std::vector<int>{100, 200, 300, 400}));
}

TEST_F(Sound, TheDummyDriverAndNoDeviceAtAllFailNothing) {
  TWaveImage w;
  w.Samples = Pcm16(std::vector<int16_t>(44100, 1000));  // a second
  const std::u16string path = Write("long.wav", w);
  UseDriver("dummy");
  EXPECT_TRUE(sndPlaySoundW(path.c_str(), SND_ASYNC));
  // A new sound stops the one playing; a null name stops it too.
  EXPECT_TRUE(sndPlaySoundW(u"missing.wav", SND_ASYNC));
  EXPECT_TRUE(sndPlaySoundW(nullptr, 0));
  UseDriver("no-such-driver");
  EXPECT_TRUE(sndPlaySoundW(path.c_str(), SND_SYNC));
  EXPECT_TRUE(MessageBeep(0));
  const auto log = PlayedSounds();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].Outcome, TSoundOutcome::File);
  EXPECT_EQ(log[0].Flags, SND_ASYNC);
  EXPECT_TRUE(log[0].Audible) << "the dummy device opens";
  EXPECT_EQ(log[1].Outcome, TSoundOutcome::DefaultSound);
  EXPECT_EQ(log[2].Outcome, TSoundOutcome::Stopped);
  EXPECT_EQ(log[3].Outcome, TSoundOutcome::File);
  EXPECT_FALSE(log[3].Audible) << "no device: skipped";
}

}  // namespace

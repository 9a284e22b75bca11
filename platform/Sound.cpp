// sndPlaySoundW: the file's sound or the default one, handed to the audio
// device, and a log of every call for tests.

#include "platform/Sound.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>

#include "platform/Utf8.h"
#include "platform/WaveFile.h"
#include "platform/backend/AudioOutput.h"

namespace {

struct TSoundLog {
  std::mutex Lock;
  std::vector<TPlayedSound> Entries;
};

TSoundLog& Log() {
  static TSoundLog log;
  return log;
}

void Note(std::u16string name, UINT flags, TSoundOutcome outcome, bool audible) {
  TSoundLog& log = Log();
  const std::lock_guard<std::mutex> lock(log.Lock);
  log.Entries.push_back(TPlayedSound{std::move(name), flags, outcome, audible});
}

// The default sound: 150 ms of 880 Hz, faded in and out over 10 ms so that
// it does not click.
const TWaveSound& DefaultSound() {
  static const TWaveSound tone = [] {
    TWaveSound s;
    s.SampleRate = 44100;
    s.Channels = 1;
    s.BitsPerSample = 16;
    constexpr int frames = 44100 * 150 / 1000;
    constexpr int fade = 441;
    s.Samples.resize(frames * 2);
    for (int i = 0; i < frames; ++i) {
      const double envelope = std::min({1.0, double(i) / fade, double(frames - 1 - i) / fade});
      const double value = 0.3 * envelope * std::sin(2 * std::numbers::pi * 880.0 * i / 44100.0);
      const auto sample = static_cast<int16_t>(std::lround(value * 32767));
      s.Samples[i * 2] = static_cast<uint8_t>(sample & 0xFF);
      s.Samples[i * 2 + 1] = static_cast<uint8_t>((sample >> 8) & 0xFF);
    }
    return s;
  }();
  return tone;
}

}  // namespace

BOOL sndPlaySoundW(LPCWSTR lpszSound, UINT fuSound) {
  const bool wait = !(fuSound & SND_ASYNC);
  if (!lpszSound) {
    StopAudio();
    Note(u"", fuSound, TSoundOutcome::Stopped, false);
    return TRUE;
  }
  const std::u16string name = lpszSound;
  TWaveSound sound;
  if (LoadWaveFile(Utf8(name).c_str(), sound)) {
    Note(name, fuSound, TSoundOutcome::File, PlayAudio(sound, wait));
    return TRUE;
  }
  if (fuSound & SND_NODEFAULT) {
    Note(name, fuSound, TSoundOutcome::Nothing, false);
    return FALSE;
  }
  Note(name, fuSound, TSoundOutcome::DefaultSound, PlayAudio(DefaultSound(), wait));
  return TRUE;
}

void PlayDefaultSound() { PlayAudio(DefaultSound(), false); }

std::vector<TPlayedSound> PlayedSounds() {
  TSoundLog& log = Log();
  const std::lock_guard<std::mutex> lock(log.Lock);
  return log.Entries;
}

void ClearPlayedSounds() {
  TSoundLog& log = Log();
  const std::lock_guard<std::mutex> lock(log.Lock);
  log.Entries.clear();
}

// Audio through SDL: sounds converted to 16-bit stereo at 44.1 kHz with an
// audio stream, and fed to the device from a callback. The audio subsystem is started for each sound and
// stopped after it, so that the driver (chosen from SDL_AUDIODRIVER each
// time) keeps no threads running between sounds. A worker thread waits for
// the end of the sound and closes the device.

#include <SDL.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/backend/AudioOutput.h"

namespace {

class TPlayer {
 public:
  ~TPlayer() { Stop(); }

  bool Play(const TWaveSound& sound, bool wait) {
    Stop();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // Our format; SDL converts it further when the device wants another.
    SDL_AudioSpec want{}, got{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &TPlayer::Feed;
    want.userdata = this;
    if (!Convert(sound, want) || !(FDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &got, 0))) {
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    FSilence = got.silence;
    FPosition = 0;
    FStopping = false;
    FDrained = false;
    SDL_PauseAudioDevice(FDevice, 0);
    FWorker = std::thread([this] { Finish(); });
    if (wait) FWorker.join();
    return true;
  }

  void Stop() {
    if (!FWorker.joinable()) return;
    {
      const std::lock_guard<std::mutex> lock(FLock);
      FStopping = true;
    }
    FChanged.notify_all();
    FWorker.join();
  }

 private:
  bool Convert(const TWaveSound& sound, const SDL_AudioSpec& device) {
    SDL_AudioStream* stream =
        SDL_NewAudioStream(sound.BitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(sound.Channels),
                           static_cast<int>(sound.SampleRate), device.format, device.channels, device.freq);
    if (!stream) return false;
    bool ok = SDL_AudioStreamPut(stream, sound.Samples.data(), static_cast<int>(sound.Samples.size())) == 0;
    // The resampler holds back the last stretch of the sound even when
    // flushed: a tenth of a second of silence pushes it out.
    if (ok && sound.SampleRate != static_cast<uint32_t>(device.freq)) {
      const std::vector<uint8_t> silence(sound.SampleRate / 10 * sound.Channels * sound.BitsPerSample / 8,
                                         sound.BitsPerSample == 8 ? 0x80 : 0);
      ok = SDL_AudioStreamPut(stream, silence.data(), static_cast<int>(silence.size())) == 0;
    }
    ok = ok && SDL_AudioStreamFlush(stream) == 0;
    FPcm.assign(ok ? static_cast<size_t>(SDL_AudioStreamAvailable(stream)) : 0, 0);
    if (ok && !FPcm.empty())
      ok = SDL_AudioStreamGet(stream, FPcm.data(), static_cast<int>(FPcm.size())) == static_cast<int>(FPcm.size());
    SDL_FreeAudioStream(stream);
    return ok;
  }

  // The device's thread asks for the next buffer. Once all was handed out,
  // the next request means the last buffer has gone to the device.
  static void Feed(void* self, Uint8* buffer, int length) {
    auto& p = *static_cast<TPlayer*>(self);
    const std::lock_guard<std::mutex> lock(p.FLock);
    const size_t left = p.FPcm.size() - p.FPosition;
    const size_t n = std::min(left, static_cast<size_t>(length));
    if (!left && !p.FDrained) {
      p.FDrained = true;
      p.FChanged.notify_all();
    }
    SDL_memcpy(buffer, p.FPcm.data() + p.FPosition, n);
    SDL_memset(buffer + n, p.FSilence, static_cast<size_t>(length) - n);
    p.FPosition += n;
  }

  void Finish() {
    {
      std::unique_lock<std::mutex> lock(FLock);
      FChanged.wait(lock, [this] { return FStopping || FDrained; });
    }
    SDL_CloseAudioDevice(FDevice);
    FDevice = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  std::mutex FLock;
  std::condition_variable FChanged;
  std::vector<Uint8> FPcm;
  size_t FPosition = 0;
  bool FStopping = false;
  bool FDrained = false;
  Uint8 FSilence = 0;
  SDL_AudioDeviceID FDevice = 0;
  std::thread FWorker;
};

TPlayer& Player() {
  static TPlayer player;
  return player;
}

}  // namespace

bool PlayAudio(const TWaveSound& sound, bool wait) { return Player().Play(sound, wait); }

void StopAudio() { Player().Stop(); }

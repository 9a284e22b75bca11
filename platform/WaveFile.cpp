// RIFF WAVE reading. Every size read from the file is checked against what
// is left before it is used.

#include "platform/WaveFile.h"

#include <cstring>

#include "platform/Files.h"

namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

constexpr uint32_t MaxRate = 384000;
// Larger files are not sounds to beep with.
constexpr int64_t MaxFileSize = 64 << 20;

}  // namespace

bool ParseWaveFile(const uint8_t* data, size_t size, TWaveSound& out) {
  if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) return false;
  const uint32_t riff = Le32(data + 4);
  if (riff < 4 || riff > size - 8) return false;
  const size_t end = 8 + static_cast<size_t>(riff);
  bool haveFormat = false;
  uint16_t blockAlign = 0;
  TWaveSound sound;
  for (size_t at = 12; end - at >= 8;) {
    const uint8_t* chunk = data + at;
    const uint32_t length = Le32(chunk + 4);
    if (length > end - at - 8) return false;
    const uint8_t* body = chunk + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < 16 || Le16(body) != 1) return false;
      sound.Channels = Le16(body + 2);
      sound.SampleRate = Le32(body + 4);
      blockAlign = Le16(body + 12);
      sound.BitsPerSample = Le16(body + 14);
      if ((sound.Channels != 1 && sound.Channels != 2) || (sound.BitsPerSample != 8 && sound.BitsPerSample != 16) ||
          sound.SampleRate == 0 || sound.SampleRate > MaxRate || blockAlign != sound.Channels * sound.BitsPerSample / 8)
        return false;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      // The format comes first in every file we take.
      if (!haveFormat) return false;
      sound.Samples.assign(body, body + (length - length % blockAlign));
      out = std::move(sound);
      return true;
    }
    // Chunks are padded to an even length; the pad may be missing at the end.
    at += 8 + static_cast<size_t>(length);
    if ((length & 1) && at < end) ++at;
  }
  return false;
}

bool LoadWaveFile(const char* path, TWaveSound& out) {
  if (!path || !*path) return false;
  const int fd = SysFileOpen(path, SYS_FILE_READ);
  if (fd < 0) return false;
  std::vector<uint8_t> bytes;
  const int64_t size = SysFileSeek(fd, 0, SYS_SEEK_END);
  bool ok = size > 0 && size <= MaxFileSize && SysFileSeek(fd, 0, SYS_SEEK_BEGIN) == 0;
  if (ok) {
    bytes.resize(static_cast<size_t>(size));
    ok = SysFileRead(fd, bytes.data(), size) == size;
  }
  SysFileClose(fd);
  return ok && ParseWaveFile(bytes.data(), bytes.size(), out);
}

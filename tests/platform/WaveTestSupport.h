#pragma once
// WAVE images made in the tests.

#include <cstdint>
#include <string>
#include <vector>

struct TWaveImage {
  uint16_t Format = 1;
  uint16_t Channels = 1;
  uint32_t Rate = 44100;
  uint16_t Bits = 16;
  std::vector<uint8_t> Samples;
  // Chunks placed between "fmt " and "data".
  std::vector<uint8_t> Between;
};

inline void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline std::vector<uint8_t> WaveBytes(const TWaveImage& w) {
  std::vector<uint8_t> out{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  PutLe(out, 16, 4);
  PutLe(out, w.Format, 2);
  PutLe(out, w.Channels, 2);
  PutLe(out, w.Rate, 4);
  PutLe(out, w.Rate * w.Channels * w.Bits / 8, 4);
  PutLe(out, w.Channels * w.Bits / 8, 2);
  PutLe(out, w.Bits, 2);
  out.insert(out.end(), w.Between.begin(), w.Between.end());
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLe(out, static_cast<uint32_t>(w.Samples.size()), 4);
  out.insert(out.end(), w.Samples.begin(), w.Samples.end());
  const uint32_t riff = static_cast<uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
  return out;
}

// 16-bit little-endian samples.
inline std::vector<uint8_t> Pcm16(const std::vector<int16_t>& values) {
  std::vector<uint8_t> out;
  for (int16_t v : values) PutLe(out, static_cast<uint16_t>(v), 2);
  return out;
}

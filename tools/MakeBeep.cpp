// Writes the program's "bip.wav": a short bell-like beep (two partials
// under a quick attack and an exponential decay), 16-bit mono PCM.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeBeep OUTPUT.wav\n");
    return 2;
  }
  constexpr uint32_t rate = 44100;
  constexpr double seconds = 0.45, pi = 3.14159265358979323846;
  const uint32_t frames = static_cast<uint32_t>(rate * seconds);
  std::vector<uint8_t> wav;
  wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
  Put32(wav, 36 + frames * 2);
  wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(wav, 16);
  Put16(wav, 1);  // PCM
  Put16(wav, 1);  // mono
  Put32(wav, rate);
  Put32(wav, rate * 2);
  Put16(wav, 2);
  Put16(wav, 16);
  wav.insert(wav.end(), {'d', 'a', 't', 'a'});
  Put32(wav, frames * 2);
  for (uint32_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double attack = std::min(1.0, t / 0.004);
    const double envelope = attack * std::exp(-t * 9.0);
    const double tone = 0.75 * std::sin(2 * pi * 880.0 * t) + 0.25 * std::sin(2 * pi * 1760.0 * t) * std::exp(-t * 6.0);
    const double sample = 0.6 * envelope * tone;
    Put16(wav, static_cast<uint16_t>(static_cast<int16_t>(std::lround(sample * 32767.0))));
  }
  FILE* file = std::fopen(argv[1], "wb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(wav.data(), 1, wav.size(), file) == wav.size();
  return std::fclose(file) == 0 && written ? 0 : 1;
}

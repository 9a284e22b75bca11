#pragma once
// PCM sound in RIFF WAVE files, as sndPlaySoundW reads them.

#include <cstddef>
#include <cstdint>
#include <vector>

struct TWaveSound {
  uint32_t SampleRate = 0;
  uint16_t Channels = 0;       // 1 or 2
  uint16_t BitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
  std::vector<uint8_t> Samples;  // whole frames, interleaved
};

// Reads a RIFF WAVE image: a "fmt " chunk of PCM (format 1) with 8 or 16
// bits, one or two channels and a rate of 1 Hz to 384 kHz, and a "data"
// chunk. False for anything else, and for any chunk that claims more bytes
// than the image (or the RIFF chunk) holds.
bool ParseWaveFile(const uint8_t* data, size_t size, TWaveSound& out);
// The file's bytes, parsed; false when it cannot be read or parsed. The
// path is UTF-8; a relative one is resolved against the working directory.
bool LoadWaveFile(const char* path, TWaveSound& out);

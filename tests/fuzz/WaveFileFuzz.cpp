// The WAVE reader never reads outside its input, and what it accepts is
// whole frames of a format it plays.
#include <cstdlib>

#include "platform/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TWaveSound sound;
  if (!ParseWaveFile(Data, Size, sound)) return 0;
  const size_t frame = sound.Channels * sound.BitsPerSample / 8u;
  if (frame == 0 || sound.Samples.size() % frame != 0 || sound.Samples.size() > Size || sound.SampleRate == 0)
    std::abort();
  return 0;
}

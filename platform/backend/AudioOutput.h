#pragma once
// The desktop's audio device. It opens for a sound and closes when the
// sound ends or is stopped, so that nothing runs while nothing plays.

#include "platform/WaveFile.h"

// Stops what plays, then plays the sound converted to the device's format;
// with wait, returns once it has played. False when no device opens.
bool PlayAudio(const TWaveSound& sound, bool wait);
void StopAudio();

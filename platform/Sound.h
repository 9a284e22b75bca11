#pragma once
// Sounds (the multimedia library's role): sndPlaySoundW and the log tests
// read.

#include <string>
#include <vector>

#include "platform/WinTypes.h"

inline constexpr UINT SND_SYNC = 0x0000;       // returns when the sound has played
inline constexpr UINT SND_ASYNC = 0x0001;      // returns at once
inline constexpr UINT SND_NODEFAULT = 0x0002;  // a missing file plays nothing

// Plays a PCM WAVE file (the name is a path, a relative one resolved
// against the working directory), stopping the sound that plays; a missing
// or unreadable file plays the default sound unless SND_NODEFAULT is given.
// A null name stops the sound that plays. TRUE when a sound was chosen,
// even without an audio device (it is then skipped).
BOOL sndPlaySoundW(LPCWSTR lpszSound, UINT fuSound);

// The default sound on its own, as MessageBeep plays it.
void PlayDefaultSound();

enum class TSoundOutcome { File, DefaultSound, Nothing, Stopped };
struct TPlayedSound {
  std::u16string Name;
  UINT Flags = 0;
  TSoundOutcome Outcome = TSoundOutcome::Nothing;
  bool Audible = false;  // an audio device played it
};
// What sndPlaySoundW was asked, oldest first.
std::vector<TPlayedSound> PlayedSounds();
void ClearPlayedSounds();

#pragma once
// The desktop backend: real windows, keyboard, mouse and clipboard through
// SDL2, on real time.

#include <memory>

#include "platform/backend/Backend.h"

// nullptr when no display can be reached; SdlFailure() then says why.
std::unique_ptr<TBackend> CreateSdlBackend();
const char* SdlFailure();
// How often the message loop's wait has ended (an event, a due timer or a
// posted message) since the backend started; 0 for another backend. With
// COUNTDOWN_WAKE_LOG naming a file, each wake-up also appends its count and
// time there, so that another process can watch an idle program.
ULONGLONG SdlWakeUps();

#pragma once
// SDL's keys as virtual-key codes.

#include <SDL.h>

#include "platform/WinTypes.h"

// Letters and digits follow the layout's key symbol, so that a key labelled
// Z is VK 'Z' on any layout; the other keys follow their position. 0 for a
// key without a code.
UINT VirtualKeyOf(const SDL_Keysym& key);

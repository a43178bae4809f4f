// Keyboard translation: SDL scan codes (USB usage numbers) to the DirectInput
// scan codes that the game's key bindings are written in.
#pragma once

#include <SDL2/SDL_scancode.h>

#include <cstdint>

namespace sdlplat {

// 0 for keys that have no DirectInput code (the game never sees them).
uint8_t directInputCode(SDL_Scancode scancode);

}  // namespace sdlplat

// The SDL platform's steps that a desktop takes its own way (the browser's
// twin is web/sdl_web.cpp).
#include <SDL2/SDL.h>

#include <chrono>
#include <thread>

#include "platform/platform.h"
#include "platform/sdl/gl_api.h"
#include "platform/sdl/gl_device_state.h"
#include "platform/sdl/sdl_private.h"

namespace sdlplat {

void beforeWindow() {
    keepFreedMemory();
    startAssetDecoding();
}

void askForContext() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
}

bool contextUsable() { return epoxy_gl_version() >= 33; }

void beginAudio() { startAudio(); }

// A frame cap holds each present until its frame is due; a frame that came
// late moves the schedule instead of making the next ones hurry.
void afterPresent(int frameCap) {
    using Clock = std::chrono::steady_clock;
    static Clock::time_point paced{};  // when the last capped frame was due
    if (frameCap <= 0 || envFlag("VELMORA_NO_VSYNC")) return;
    const auto period = std::chrono::nanoseconds(1'000'000'000LL / frameCap);
    const Clock::time_point due = paced + period, now = Clock::now();
    if (now < due) std::this_thread::sleep_until(due);
    paced = now < due ? due : now;
}

bool showError(SDL_Window* window, const char* title, const char* text) {
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title, text, window) == 0;
}

}  // namespace sdlplat

namespace plat {

// A committed file is on the disk already.
PersistTicket requestPersist() { return 0; }
PersistState persistState(PersistTicket) { return PersistState::Done; }

}  // namespace plat

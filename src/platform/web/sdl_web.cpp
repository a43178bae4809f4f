// The SDL platform's steps that a browser takes its own way (the desktop's
// twin is sdl/sdl_desktop.cpp). The page's script (files_pre.js) has marked
// the player's first click or key and the files changed since the last copy
// to the browser's storage; the frames act on both.
#include <SDL2/SDL.h>
#include <emscripten.h>

#include "platform/platform.h"
#include "platform/sdl/sdl_private.h"

namespace sdlplat {
namespace {

struct WebState {
    bool audioWanted = false;
    int appliedCap = -2;  // no cap applied yet
    int presents = 0;
};

WebState& web() {
    static WebState s;
    return s;
}

EM_JS(int, velmora_player_has_acted, (), { return Module.velmoraActed ? 1 : 0; });
// The page (and whatever drives it, such as the browser test) sees the frames come.
EM_JS(void, velmora_note_present, (int presents), { Module.velmoraPresents = presents; });
EM_JS(int, velmora_take_files_changed, (), {
    const changed = Module.velmoraFilesChanged ? 1 : 0;
    Module.velmoraFilesChanged = false;
    return changed;
});

// The browser draws a frame when the display refreshes; a cap of its own
// becomes a timer between frames instead of a wait inside one.
void applyFrameCap(int frameCap) {
    if (web().appliedCap == frameCap) return;
    const int result = frameCap > 0
                           ? emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, 1000 / frameCap)
                           : emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
    // Before the loop runs nothing takes the timing: tried again next frame.
    if (result == 0) web().appliedCap = frameCap;
}

}  // namespace

// Images are decoded when the device is made: no threads here.
void beforeWindow() {}

// WebGL 2 is GL ES 3.0.
void askForContext() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
}

// A context at all is WebGL 2: emscripten makes no other.
bool contextUsable() { return true; }

// A browser keeps an audio device made before the player acted silent, and
// says so in its console: the sound opens after the first click or key.
void beginAudio() { web().audioWanted = true; }

void afterPresent(int frameCap) {
    velmora_note_present(++web().presents);
    applyFrameCap(frameCap);
    if (web().audioWanted && velmora_player_has_acted()) {
        web().audioWanted = false;
        openAudio();
    }
    // Whatever was written this frame goes to the browser's storage.
    if (velmora_take_files_changed()) plat::requestPersist();
}

}  // namespace sdlplat

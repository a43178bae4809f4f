// The SDL platform's steps that a browser takes its own way (the desktop's
// twin is sdl/sdl_desktop.cpp). The page's script (files_pre.js) has marked
// the player's first click or key and the files changed since the last copy
// to the browser's storage; the frames act on both.
#include <SDL2/SDL.h>
#include <emscripten.h>

#include "platform/platform.h"
#include "platform/sdl/sdl_private.h"

// web/sdl_audio_needs.js: brings in what SDL's audio calls from JavaScript.
extern "C" void velmora_sdl_audio_needs();

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

// The canvas's size on the page in CSS pixels (SDL's window size, in which it
// gives the pointer's place) and the display's pixels per CSS pixel.
EM_JS(void, velmora_canvas_box, (int* width, int* height, double* ratio), {
    const box = Module.canvas.getBoundingClientRect();
    HEAP32[width >> 2] = Math.max(1, Math.round(box.width));
    HEAP32[height >> 2] = Math.max(1, Math.round(box.height));
    HEAPF64[ratio >> 3] = window.devicePixelRatio || 1;
});
// The drawing buffer made w x h when it is not; 1 when it was changed.
EM_JS(int, velmora_canvas_buffer, (int w, int h), {
    const canvas = Module.canvas;
    if (canvas.width === w && canvas.height === h) return 0;
    canvas.width = w;
    canvas.height = h;
    return 1;
});

// The canvas follows the browser window (the page's style stretches it over
// the whole window) with a pixel of its drawing buffer for each of the
// display's: the game reads the drawable size every frame and lays its
// interface out for it, as on a desktop whose window was resized.
void fitCanvas() {
    SDL_Window* shown = window();
    if (!shown) return;
    int cssWidth = 0, cssHeight = 0;
    double ratio = 1;
    velmora_canvas_box(&cssWidth, &cssHeight, &ratio);
    int width = 0, height = 0;
    SDL_GetWindowSize(shown, &width, &height);
    // SDL sizes the buffer to the window's size itself: first the window.
    if (width != cssWidth || height != cssHeight) SDL_SetWindowSize(shown, cssWidth, cssHeight);
    velmora_canvas_buffer(int(cssWidth * ratio + 0.5), int(cssHeight * ratio + 0.5));
}

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
void beginAudio() {
    velmora_sdl_audio_needs();
    web().audioWanted = true;
}

// In the page's own message box, where the loading bar was: the game stops
// after it, and the page says so.
EM_JS(int, velmora_show_error, (const char* title, const char* text), {
    if (!Module.velmoraShowError) return 0;
    Module.velmoraShowError(UTF8ToString(title) + ": " + UTF8ToString(text));
    return 1;
});

bool showError(SDL_Window*, const char* title, const char* text) {
    return velmora_show_error(title, text) != 0;
}

void afterPresent(int frameCap) {
    velmora_note_present(++web().presents);
    fitCanvas();
    applyFrameCap(frameCap);
    if (web().audioWanted && velmora_player_has_acted()) {
        web().audioWanted = false;
        openAudio();
    }
    // Whatever was written this frame goes to the browser's storage.
    if (velmora_take_files_changed()) plat::requestPersist();
}

}  // namespace sdlplat

// The real window on SDL2: clock, messages, keyboard and mouse snapshots,
// cursor, files and message boxes. The GL device lives in gl_device.cpp.
#include <SDL2/SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/common/process.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "platform/sdl/gl_device_state.h"
#include "platform/sdl/screen_fit.h"
#include "platform/sdl/input_state.h"
#include "platform/sdl/scancodes.h"
#include "platform/sdl/sdl_private.h"

namespace sdlplat {
namespace {

using Clock = std::chrono::steady_clock;
// Taken while the program loads, so that it counts from the start of the process.
const Clock::time_point kStart = Clock::now();

struct Window {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool cursorVisible = true;
    bool captured = false;
    bool quitPosted = false;
    InputState input;
    // Test and measurement hooks, from the environment.
    int exitAfterFrames = 0;
    bool traceStart = false;
    int presents = 0;
    Clock::time_point firstPresent;
    // What the game asked for, kept for a window made later and for F11.
    bool fullscreen = false;
    int frameCap = plat::kSyncToDisplay;
};

Window& win() {
    static Window w;
    return w;
}

bool isInputEvent(Uint32 type) {
    return type >= SDL_KEYDOWN && type <= SDL_MOUSEWHEEL;
}

void applyFullscreen() {
    if (SDL_Window* window = win().window)
        SDL_SetWindowFullscreen(window, win().fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

// Benchmarks and tests run unthrottled whatever the options say.
void applySwapInterval() {
    if (!win().context) return;
    if (envFlag("VELMORA_NO_VSYNC") || win().frameCap != plat::kSyncToDisplay) {
        SDL_GL_SetSwapInterval(0);
    } else if (SDL_GL_SetSwapInterval(1) != 0) {
        SDL_GL_SetSwapInterval(0);
    }
}

void handleInput(const SDL_Event& e) {
    InputState& in = win().input;
    // F11: the desktop's fullscreen (no change of video mode) and back.
    if (e.type == SDL_KEYDOWN && e.key.keysym.scancode == SDL_SCANCODE_F11 && !e.key.repeat) {
        win().fullscreen = !win().fullscreen;
        applyFullscreen();
    }
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            keyEvent(in, directInputCode(e.key.keysym.scancode), e.type == SDL_KEYDOWN);
            break;
        case SDL_MOUSEMOTION:
            motionEvent(in, e.motion.xrel, e.motion.yrel);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            buttonEvent(in,
                        e.button.button == SDL_BUTTON_LEFT    ? 0
                        : e.button.button == SDL_BUTTON_RIGHT ? 1
                                                              : -1,
                        e.type == SDL_MOUSEBUTTONDOWN);
            break;
        default:
            break;
    }
}

// Keyboard and mouse are devices of their own, not window messages: their
// events are taken out of the queue here, however many are waiting, so the
// one-message-per-frame loop never falls behind a moving mouse.
void pumpInput() {
    if (!win().window) return;
    SDL_PumpEvents();
    SDL_Event events[64];
    int n;
    while ((n = SDL_PeepEvents(events, 64, SDL_GETEVENT, SDL_KEYDOWN, SDL_MOUSEWHEEL)) > 0)
        for (int i = 0; i < n; ++i) handleInput(events[i]);
}

// With VELMORA_TRACE_START=1, when each step of the start was reached.
void trace(const char* step) {
    if (win().traceStart) std::fprintf(stderr, "velmora: %s at %d ms\n", step, plat::clockMs());
}

void failBox(const char* text) {
    plat::errorBox("ERRORE", text);
}

void closeAll() {
    Window& w = win();
    dropAssetDecoding();
    closeAudio();
    destroyDevice();
    if (w.context) SDL_GL_DeleteContext(w.context);
    if (w.window) SDL_DestroyWindow(w.window);
    w.context = nullptr;
    w.window = nullptr;
    SDL_Quit();
}

}  // namespace

SDL_Window* window() {
    return win().window;
}

void keepFreedMemory() {
    // The software GL driver allocates and frees its buffers' storage every
    // frame. Left to its defaults the C library hands blocks that big back to
    // the system and takes them again, zeroed page by page, each frame: keep
    // them in the heap instead.
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

bool envFlag(const char* name) {
    const char* v = std::getenv(name);
    return v && std::strcmp(v, "1") == 0;
}

void notePresented() {
    Window& w = win();
    ++w.presents;
    if (w.presents == 1) {
        w.firstPresent = Clock::now();
        if (w.traceStart)
            std::fprintf(stderr, "velmora: first frame presented at %d ms\n", plat::clockMs());
    }
    if (w.exitAfterFrames > 0 && w.presents >= w.exitAfterFrames) w.quitPosted = true;
    afterPresent(w.frameCap);
}

}  // namespace sdlplat

namespace plat {

using sdlplat::win;

int32_t clockMs() {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sdlplat::Clock::now() -
                                                                    sdlplat::kStart);
    return int32_t(ms.count());
}

int64_t calendarSeconds() {
    return int64_t(std::time(nullptr));
}

bool readKeyboard(KeyboardState& out) {
    sdlplat::pumpInput();
    sdlplat::readKeys(win().input, out);
    return true;
}

bool readMouse(MouseState& out) {
    sdlplat::pumpInput();
    sdlplat::readMouseState(win().input, out);
    return true;
}

Message takeMessage() {
    auto& w = win();
    if (w.quitPosted) {
        w.quitPosted = false;
        return Message::Quit;
    }
    if (!w.window) return Message::None;
    sdlplat::pumpInput();
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (sdlplat::isInputEvent(e.type)) {
            sdlplat::handleInput(e);
            continue;
        }
        switch (e.type) {
            case SDL_QUIT:
                return Message::Quit;
            case SDL_WINDOWEVENT:
                switch (e.window.event) {
                    case SDL_WINDOWEVENT_CLOSE:
                        return Message::Quit;
                    case SDL_WINDOWEVENT_FOCUS_GAINED:
                        sdlplat::setFocus(w.input, true);
                        break;
                    case SDL_WINDOWEVENT_FOCUS_LOST:
                        sdlplat::setFocus(w.input, false);
                        break;
                }
                break;
        }
        return Message::Other;
    }
    return Message::None;
}

void postQuit() {
    win().quitPosted = true;
}

int createWindowAndDevices(const char* title, int width, int height) {
    auto& w = win();
    w.exitAfterFrames = std::getenv("VELMORA_EXIT_AFTER_FRAMES")
                            ? std::atoi(std::getenv("VELMORA_EXIT_AFTER_FRAMES"))
                            : 0;
    w.traceStart = sdlplat::envFlag("VELMORA_TRACE_START");
    sdlplat::trace("window set-up starts");
    sdlplat::beforeWindow();
    // The game's main is a plain one, not SDL's: say that it has run.
    SDL_SetMainReady();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        sdlplat::failBox("Registrazione della classe fallita.");
        sdlplat::dropAssetDecoding();
        return -1;
    }
    sdlplat::trace("SDL_Init");
    // Without a display SDL falls back to drawing nowhere; a game nobody can
    // see or steer must not run on (unless that driver was asked for).
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!std::getenv("SDL_VIDEODRIVER") && driver &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        sdlplat::failBox("Creazione della finestra fallita.");
        sdlplat::dropAssetDecoding();
        SDL_Quit();
        return -1;
    }
    // Centred on the screen the way the game always placed itself.
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        x = mode.w / 2 - width / 2;
        y = mode.h / 2 - height / 2;
    }
    sdlplat::askForContext();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    // Measurements and tests may ask for another first size (VELMORA_WINDOW_SIZE=WxH).
    int windowWidth = width, windowHeight = height;
    if (const char* size = std::getenv("VELMORA_WINDOW_SIZE")) {
        int a = 0, b = 0;
        if (std::sscanf(size, "%dx%d", &a, &b) == 2 && a > 0 && b > 0 && a <= 16384 && b <= 16384) {
            windowWidth = a, windowHeight = b;
            if (SDL_GetDesktopDisplayMode(0, &mode) == 0) x = mode.w / 2 - a / 2, y = mode.h / 2 - b / 2;
        }
    }
    // Resizable: the 3D view fills it, the interface follows the placements
    // the game sets.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE;
    if (w.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    w.window = SDL_CreateWindow(title, x, y, windowWidth, windowHeight, flags);
    if (!w.window) {
        sdlplat::failBox("Creazione della finestra fallita.");
        sdlplat::dropAssetDecoding();
        SDL_Quit();
        return -1;
    }
    sdlplat::trace("window");
    w.context = SDL_GL_CreateContext(w.window);
    if (!w.context || !sdlplat::contextUsable()) {
        sdlplat::failBox("Impossibile creare un Device Direct3D.");
        sdlplat::closeAll();
        return -1;
    }
    sdlplat::applySwapInterval();
    sdlplat::trace("GL context");
    switch (sdlplat::createDevice(width, height)) {
        case sdlplat::DeviceFailure::None:
            break;
        case sdlplat::DeviceFailure::Device:
            sdlplat::failBox("Impossibile creare un Device Direct3D.");
            sdlplat::closeAll();
            return -1;
        case sdlplat::DeviceFailure::Textures:
            sdlplat::failBox("Errore nel caricamento delle texture.");
            sdlplat::closeAll();
            return -1;
    }
    sdlplat::trace("device");
    sdlplat::beginAudio();
    SDL_DisableScreenSaver();
    SDL_ShowCursor(w.cursorVisible ? SDL_ENABLE : SDL_DISABLE);
    SDL_RaiseWindow(w.window);
    sdlplat::setFocus(w.input, (SDL_GetWindowFlags(w.window) & SDL_WINDOW_INPUT_FOCUS) != 0);
    return 0;
}

int shutdown() {
    auto& w = win();
    if (w.traceStart && w.presents > 1) {
        double seconds =
            std::chrono::duration<double>(sdlplat::Clock::now() - w.firstPresent).count();
        sdlplat::FrameStats s = sdlplat::lastFrameStats();
        std::fprintf(stderr,
                     "velmora: %d frames, %.1f frames per second after the first; last frame "
                     "%d draw calls, %d quads\n",
                     w.presents, seconds > 0 ? (w.presents - 1) / seconds : 0.0, s.drawCalls,
                     s.quads);
    }
    if (w.captured && w.window) SDL_SetRelativeMouseMode(SDL_FALSE);
    w.captured = false;
    sdlplat::closeAll();
    return 0;
}

void showCursor(bool visible) {
    win().cursorVisible = visible;
    if (win().window) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void moveCursorToWindow(int x, int y) {
    // While captured the pointer is held by relative mode and a warp adds nothing.
    auto& w = win();
    if (!w.window || w.captured) return;
    int ww = 0, wh = 0, dw = 0, dh = 0;
    SDL_GetWindowSize(w.window, &ww, &wh);
    SDL_GL_GetDrawableSize(w.window, &dw, &dh);
    const WindowPoint at = pictureToWindow(sdlplat::dev().placement, x, y, dw, dh, ww, wh);
    SDL_WarpMouseInWindow(w.window, at.x, at.y);
}

void setMouseCaptured(bool captured) {
    auto& w = win();
    if (!w.window || w.captured == captured) return;
    w.captured = captured;
    SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE);
    // Motion made before the switch belongs to the other mode.
    sdlplat::pumpInput();
    w.input.dx = w.input.dy = 0;
}

void setFullscreen(bool on) {
    if (win().fullscreen == on) return;
    win().fullscreen = on;
    sdlplat::applyFullscreen();
}

bool isFullscreen() {
    return win().fullscreen;
}

void setFrameCap(int framesPerSecond) {
    win().frameCap = framesPerSecond;
    sdlplat::applySwapInterval();
}

const std::string& exeFolder() {
    static const std::string folder = runningExeFolder();
    return folder;
}

std::string environmentVariable(const char* name) { return systemEnvironmentVariable(name); }

void errorBox(const char* title, const char* text) {
    if (!sdlplat::envFlag("VELMORA_NO_DIALOGS") && sdlplat::showError(win().window, title, text))
        return;
    // No dialogs wanted, or no display to show one on: the terminal still hears it.
    std::fprintf(stderr, "%s: %s\n", title, text);
}

}  // namespace plat

// What the two halves of the SDL platform share (window and input on one
// side, the GL device on the other), plus the frame figures that the probes
// and end-to-end runs read. Not for game code.
#pragma once

#include <string>

struct SDL_Window;

namespace sdlplat {

// Figures of the last presented frame.
struct FrameStats {
    int drawCalls = 0;  // GL draw calls issued
    int quads = 0;      // quads submitted (3D, sprites and glyphs)
    int clears = 0;
};
FrameStats lastFrameStats();

// Set-up failures the device can meet; each has its own message to the player.
enum class DeviceFailure { None, Device, Textures };

// Starts decoding the images and the font on a helper thread; createDevice
// takes the result (or decodes itself when this was not called).
void startAssetDecoding();
// Waits for and throws away a decoding that createDevice will not take.
void dropAssetDecoding();

// Creates every GL object (shaders, buffers, the off-screen back buffer, the
// textures and the font) for a current GL context. Back buffer size in pixels.
DeviceFailure createDevice(int width, int height);
void destroyDevice();
// Copies the back buffer to the window and swaps.
void presentDevice(SDL_Window* window);

// Called by the device after every present (start-up trace, frame limits).
void notePresented();

// Opens the audio device and starts the ambience loops (silent until set).
// False, and the game silent, when there is no device; never an error box.
bool openAudio();
// The same on a thread of its own: looking for a device that is not there
// can take a few hundred milliseconds, which the first frame need not wait
// for. Sounds asked for before it is open are not played.
void startAudio();
// Waits for the opening, then closes the device.
void closeAudio();

// The window, or nullptr while there is none.
SDL_Window* window();
// True when the environment variable is set to "1".
bool envFlag(const char* name);

// Lets the C library keep large freed blocks for reuse (set once, before the GL driver loads).
void keepFreedMemory();

// ---- where the desktop and the browser differ (sdl_desktop.cpp, web/sdl_web.cpp)
// What can start before the window is made.
void beforeWindow();
// Sets SDL's attributes for the GL context the device draws with.
void askForContext();
// The context made is one the device can draw with.
bool contextUsable();
// Opens the sound as soon as the system lets it: a browser plays nothing
// before the player's first click or key.
void beginAudio();
// After every present: the frame cap (plat::setFrameCap) held, and whatever
// else the system wants done between frames.
void afterPresent(int frameCap);
// Shows an error the game cannot go on after (plat::errorBox); false when it
// could not be shown.
bool showError(SDL_Window* window, const char* title, const char* text);

}  // namespace sdlplat

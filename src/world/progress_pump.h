// Keeps the window alive while a long world operation (making the grid ready,
// generating, loading, saving) runs inside one frame update: at most every
// 66 ms it draws a frame, runs the update once and takes one window message.
#pragma once

#include <cstdint>

enum class PumpResult : uint8_t {
    Continue,  // go on with the work
    Quit,      // a quit message arrived: stop now and report success
    Failed,    // a frame could not be drawn: stop now and report failure
};

// What the pump calls back into; the game installs its frame drawing and
// update, tools install their own progress display (or nothing).
struct PumpHooks {
    int (*drawFrame)() = nullptr;
    int (*frameUpdate)() = nullptr;
};
extern PumpHooks pumpHooks;

inline constexpr int32_t kPumpIntervalMs = 66;

// The full step: draw if 66 ms have passed since `timer`, then update and take
// one message. Long loops call it every few thousand cells, never per cell.
PumpResult progressPump(int32_t& timer);
// The split form: the drawing half (when due) ...
PumpResult pumpDraw(int32_t& timer);
// ... and the update-and-message half, unconditionally.
PumpResult pumpMessages();

// Maps a pump result to the operation's return value, for early exits.
inline int pumpExitCode(PumpResult r) { return r == PumpResult::Failed ? -1 : 0; }

// Keeps the window alive while a long world operation (making the grid
// ready, generating, loading, saving) runs inside one frame update: at most
// every 66 ms it draws a frame, runs the update once and takes one window
// message. The operation is handed the pump; the game's draws its progress
// screen and runs its update, a tool's shows a progress bar or nothing.
#pragma once

#include <cstdint>
#include <functional>

enum class PumpResult : uint8_t {
    Continue,  // go on with the work
    Quit,      // a quit message arrived: stop now (and report it)
    Failed,    // a frame could not be drawn: stop now (the process must end)
};

inline constexpr int32_t kPumpIntervalMs = 66;

struct ProgressPump {
    std::function<int()> drawFrame;     // < 0 when the frame could not be drawn
    std::function<void()> frameUpdate;  // may be empty
    // The caller's clock in milliseconds; without one no frame ever falls due.
    int32_t (*readClock)() = nullptr;
    int32_t timer = 0;  // when the last frame was drawn
};

// The timer starts from now (each operation but saving does this first).
void restartPump(ProgressPump& pump);
// The full step: draw if 66 ms have passed since the last frame, then update
// and take one message. Long loops call it every few thousand cells, never
// per cell.
PumpResult progressPump(ProgressPump& pump);
// The split form: the drawing half (when due) ...
PumpResult pumpDraw(ProgressPump& pump);
// ... and the update-and-message half, unconditionally.
PumpResult pumpMessages(ProgressPump& pump);

// The process entry and the frame loop. One frame reads top to bottom and
// never re-enters: the window's message, the devices and the clock, the
// state's update (a Playing frame then looks at the world through its view:
// the target, a stale dig, the crafting list), the requests the update
// handed up (options to the window and the file), the sounds, then the draw,
// which only reads, and the present. Long world work runs as a job inside
// the Busy state's update, a slice per frame.
#pragma once

#include <cstdint>

// The steps of a frame, in the order the loop runs them; the frame's record
// of them lets a test see that no step runs inside another.
enum class FrameStep : uint8_t { Message, Update, Look, Requests, Sounds, Draw, Present };
struct FrameRecord {
    static constexpr int kMost = 8;
    FrameStep steps[kMost] = {};
    int count = 0;
    bool nested = false;  // a step began before the one before it ended
    int depth = 0;
};

// Settings and options read, the window made: < 0 when it could not be.
int startGame();
// One whole frame; false once the game is to end (the quit message taken,
// that frame still drawn and updated) or has failed (`gameFailed()`).
bool gameFrame();
bool gameFailed();
// Settings written, the window closed: 0 after an orderly quit, -1 on any
// failure (a failed frame included).
int finishGame();
// The three in a plain loop, as the desktop runs them.
int runGame();

// The update stage of one frame for the current Game state, with a fresh
// list of events: devices and clock, update, look, requests and sounds. < 0
// on failure.
int frameUpdate();
// Draws and presents one frame for the current Game state; < 0 (after
// telling the player) when there is no device or the scene cannot begin.
int drawFrame();
const FrameRecord& lastFrameRecord();

// Counts one pass of the frame loop and samples the frames-per-second figure
// once a window of just over 999 ms has passed.
struct FpsCounter {
    int32_t windowStart = 0;
    int32_t frames = 0;
};
void countFrame(FpsCounter& counter);

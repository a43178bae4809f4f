// velmora-world: what every command shares: the progress display on a
// terminal, number parsing, and the paths of a slot's files.
#pragma once

#include <string>

#include <cstdint>

#include "world/job_slice.h"

// The headless platform under the tool, and the progress display on
// standard error: a sweeping bar when it is a terminal, one line a phase
// otherwise.
void startProgress();
void beginPhase(const char* phase);
void endPhase();
// Milliseconds of the tool's own steady clock.
int32_t toolClockMs();
void showProgress();

// A world job run to its end in a plain loop, the bar moving between slices.
template <typename Job>
void runJob(Job& job, bool (*step)(Job&, JobSlice&)) {
    for (;;) {
        JobSlice slice = sliceUntil(toolClockMs, toolClockMs() + 100);
        if (step(job, slice)) return;
        showProgress();
    }
}

// A whole decimal number within lo..hi, nothing else.
bool parseInt(const char* text, long lo, long hi, long& out);

struct SlotFiles {
    std::string world, seed;
};
// Slot K's files in folder dir.
SlotFiles slotFiles(const std::string& dir, long slot);

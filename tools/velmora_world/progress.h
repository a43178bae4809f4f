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

// A world job run to its end in a plain loop, the bar moving between slices;
// `step` works one slice of it and says whether it has ended.
template <typename Step>
void runJob(Step step) {
    for (;;) {
        JobSlice slice = sliceUntil(toolClockMs, toolClockMs() + 100);
        if (step(slice)) return;
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

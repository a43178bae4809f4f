// velmora-world: what every command shares: the progress display on a
// terminal, number parsing, and the paths of a slot's files.
#pragma once

#include <string>

#include "world/progress_pump.h"

// A pump whose frames draw a sweeping bar on standard error when it is a
// terminal (one line a phase otherwise), with the headless clock moving on
// at every reading so that the pump draws regularly.
ProgressPump terminalPump();
void beginPhase(const char* phase);
void endPhase();

// A whole decimal number within lo..hi, nothing else.
bool parseInt(const char* text, long lo, long hi, long& out);

struct SlotFiles {
    std::string world, seed;
};
// Slot K's files in folder dir.
SlotFiles slotFiles(const std::string& dir, long slot);

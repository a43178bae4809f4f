#include "game/digging.h"

namespace {
DigState dig;
}

const DigState& digState() { return dig; }
void abandonDig() { dig.digging = 0; }
void setDigState(const DigState& state) { dig = state; }
void resetDig() { dig = DigState{}; }

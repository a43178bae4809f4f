#include "game/controls.h"

Controls controls;

void controlsForNewWorld() {
    controls.selectedSlot = 0;
    controls.hudVisible = 1;
}

void resetControls() { controls = Controls{}; }

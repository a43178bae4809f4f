// One row per Game state: what its frame update does and what its frame
// drawing shows (reading only). States without a row do nothing and show
// nothing.
#pragma once

#include "app/game_state.h"

struct StateRow {
    int (*update)();  // < 0 on failure (the process ends)
    int (*draw)();    // < 0 when the frame could not be drawn
};

// The row of a state; an empty row (all null) for values without a screen.
const StateRow& stateRow(GameState state);

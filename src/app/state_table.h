// One row per Game state: what its frame update does, what it makes ready
// before its frame is drawn, and what its frame drawing shows. States without
// a row do nothing and show nothing.
#pragma once

#include "app/game_state.h"

struct StateRow {
    int (*update)();    // < 0 on failure (the process ends)
    void (*prepare)();  // may be null
    int (*draw)();      // < 0 when the frame could not be drawn
};

// The row of a state; an empty row (all null) for values without a screen.
const StateRow& stateRow(GameState state);

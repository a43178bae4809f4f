// The grid's changes since the drawing last caught up: single cells, with
// what they held before when the writer knew, and whole-world replacements
// (a world made or loaded). The renderer keeps geometry built from the grid
// and rebuilds only around what this log names, so every write to a cell
// during play must go through setCell (or be followed by noteCellChanged).
#pragma once

#include <cstdint>
#include <vector>

#include "world/world.h"

struct CellChange {
    int16_t x, y, z;
    bool beforeKnown;  // false: the cell was written directly, its old value is lost
    Cell before;
};

// Writes a cell and records the change (the caller guarantees the bounds).
void setCell(int x, int y, int z, Cell value);
// Records that a cell was written some other way.
void noteCellChanged(int x, int y, int z);
// Every cell may have changed: a world was made or loaded.
void noteWorldReplaced();

// Counts whole-world replacements; a reader that saw another value must forget
// everything it built from the grid.
uint32_t worldEpoch();
// Hands the changes recorded so far to the caller and forgets them.
void takeCellChanges(std::vector<CellChange>& out);

void resetCellChanges();

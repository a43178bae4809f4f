// The grid's changes since the drawing last caught up: single cells, with
// what they held before when the writer knew, and whole-world replacements
// (a world made or loaded). The renderer keeps geometry built from the grid
// and rebuilds only around what this log names, so every write to a cell
// during play must go through setCell (or be followed by noteCellChanged).
// The log itself is the world's own (World::changes).
#pragma once

#include <cstdint>
#include <vector>

#include "world/world.h"

// Writes a cell and records the change (the caller guarantees the bounds).
void setCell(World& world, int x, int y, int z, Cell value);
// Records that a cell was written some other way.
void noteCellChanged(World& world, int x, int y, int z);
// Every cell may have changed: a world was made or loaded.
void noteWorldReplaced(World& world);

// Counts whole-world replacements; a reader that saw another value must forget
// everything it built from the grid.
inline uint32_t worldEpoch(const World& world) {
    return world.changes.epoch;
}
// Hands the changes recorded so far to the caller and forgets them.
void takeCellChanges(World& world, std::vector<CellChange>& out);

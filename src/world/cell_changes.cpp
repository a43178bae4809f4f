#include "world/cell_changes.h"

#include <utility>

namespace {

// Past this many pending changes it is cheaper to start over from the grid,
// and the log stays small whatever writes pile up unread.
constexpr size_t kMostPending = 1 << 16;

void record(World& world, const CellChange& change) {
    if (world.changes.pending.size() >= kMostPending) {
        noteWorldReplaced(world);
        return;
    }
    world.changes.pending.push_back(change);
}

}  // namespace

void setCell(World& world, int x, int y, int z, Cell value) {
    Cell& c = cell(world, x, y, z);
    record(world, CellChange{int16_t(x), int16_t(y), int16_t(z), true, c});
    c = value;
}

void noteCellChanged(World& world, int x, int y, int z) {
    record(world, CellChange{int16_t(x), int16_t(y), int16_t(z), false, Cell{0, 0}});
}

void noteWorldReplaced(World& world) {
    ++world.changes.epoch;
    world.changes.pending.clear();
}

void takeCellChanges(World& world, std::vector<CellChange>& out) {
    out.clear();
    std::swap(out, world.changes.pending);
}

#include "world/cell_changes.h"

#include <utility>

namespace {

// Past this many pending changes it is cheaper to start over from the grid,
// and the log stays small whatever writes pile up unread.
constexpr size_t kMostPending = 1 << 16;

struct ChangeLog {
    uint32_t epoch = 0;
    std::vector<CellChange> pending;
};
ChangeLog changeLog;

void record(const CellChange& change) {
    if (changeLog.pending.size() >= kMostPending) {
        noteWorldReplaced();
        return;
    }
    changeLog.pending.push_back(change);
}

}  // namespace

void setCell(int x, int y, int z, Cell value) {
    Cell& c = cell(x, y, z);
    record(CellChange{int16_t(x), int16_t(y), int16_t(z), true, c});
    c = value;
}

void noteCellChanged(int x, int y, int z) {
    record(CellChange{int16_t(x), int16_t(y), int16_t(z), false, Cell{0, 0}});
}

void noteWorldReplaced() {
    ++changeLog.epoch;
    changeLog.pending.clear();
}

uint32_t worldEpoch() {
    return changeLog.epoch;
}

void takeCellChanges(std::vector<CellChange>& out) {
    out.clear();
    std::swap(out, changeLog.pending);
}

void resetCellChanges() {
    // The epoch keeps counting: a reader must never mistake a new world for the old one.
    changeLog.pending.clear();
    ++changeLog.epoch;
}

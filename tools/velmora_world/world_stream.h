// Reading a world file the way every command of the tool does: its kind and
// length checked first, the trailer decoded, then the cells streamed in
// blocks of whole x-rows, so that no command holds the 400 MB image.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/files.h"
#include "world/save_files.h"
#include "world/world.h"

// Cells of one x-row: 200 layers of 1000.
inline constexpr size_t kRowCells = size_t(kWorldSizeY) * kWorldSizeZ;
// Each block holds this many whole x-rows (4 MB of cells).
inline constexpr int kRowsPerBlock = 10;

// Opens `path` as a world file and decodes its trailer. 0, or kExitFailed
// after telling standard error why ("cannot be opened", "damaged: ...").
int openWorldFile(const char* path, WorldTrailer& trailer, plat::InFile& file);

// Hands every block of decoded cells to `take` in file order: `rows` x-rows
// starting at row `firstX`. Shows how far it has come on a terminal, under
// the label `doing`. False after telling standard error of a read error.
template <typename Take>
bool streamCells(const char* path, plat::InFile& file, const char* doing, Take take);

// ---- implementation details ----------------------------------------------------

struct StreamProgress {
    const char* doing = "";
    bool terminal = false;
    int64_t shownAt = 0;
};
void beginProgress(StreamProgress& progress, const char* doing);
void showProgress(StreamProgress& progress, int rowsDone);
void endProgress(StreamProgress& progress);
// One block of rows, decoded into `cells`; false after telling of a read error.
bool readRows(const char* path, const plat::InFile& file, int firstX, int rows, Cell* cells);
Cell* blockCells();

template <typename Take>
bool streamCells(const char* path, plat::InFile& file, const char* doing, Take take) {
    static_assert(kWorldSizeX % kRowsPerBlock == 0);
    StreamProgress progress;
    beginProgress(progress, doing);
    Cell* cells = blockCells();
    for (int x = 0; x < kWorldSizeX; x += kRowsPerBlock) {
        if (!readRows(path, file, x, kRowsPerBlock, cells)) {
            endProgress(progress);
            return false;
        }
        take(static_cast<const Cell*>(cells), x, kRowsPerBlock);
        showProgress(progress, x + kRowsPerBlock);
    }
    endProgress(progress);
    return true;
}

#include "world_stream.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "commands.h"

namespace {

int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int openWorldFile(const char* path, WorldTrailer& trailer, plat::InFile& file) {
    switch (readWorldTrailer(path, trailer, &file)) {
        case WorldFileCheck::Good:
            return 0;
        case WorldFileCheck::Missing:
            std::fprintf(stderr, "%s: cannot be opened\n", path);
            break;
        case WorldFileCheck::ReadError:
            std::fprintf(stderr, "%s: read error\n", path);
            break;
        case WorldFileCheck::NotAFile:
            std::fprintf(stderr, "%s: damaged: not a regular file\n", path);
            break;
        case WorldFileCheck::BadLength:
            std::fprintf(stderr,
                         "%s: damaged: %lld bytes, not a whole world file "
                         "(400000084 + 54 per chest)\n",
                         path, (long long)file.size);
            break;
    }
    return kExitFailed;
}

Cell* blockCells() {
    static std::unique_ptr<Cell[]> cells(new Cell[kRowCells * kRowsPerBlock]);
    return cells.get();
}

bool readRows(const char* path, const plat::InFile& file, int firstX, int rows, Cell* cells) {
    const size_t bytes = kRowCells * size_t(rows) * sizeof(Cell);
    const int64_t at = int64_t(kRowCells * size_t(firstX) * sizeof(Cell));
    if (!plat::readAt(file, at, cells, bytes)) {
        std::fprintf(stderr, "%s: read error\n", path);
        return false;
    }
    decodeBytes(reinterpret_cast<uint8_t*>(cells), bytes);
    return true;
}

// Only on a terminal, and at most ten times a second, so that logs and pipes
// get nothing but the result.
void beginProgress(StreamProgress& progress, const char* doing) {
    progress.doing = doing;
    progress.terminal = ::isatty(STDERR_FILENO);
    progress.shownAt = 0;
}

void showProgress(StreamProgress& progress, int rowsDone) {
    if (!progress.terminal) return;
    const int64_t now = nowMs();
    if (rowsDone < kWorldSizeX && now - progress.shownAt < 100) return;
    progress.shownAt = now;
    constexpr int kWidth = 30;
    const int filled = rowsDone * kWidth / kWorldSizeX;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kWidth] = '\0';
    std::fprintf(stderr, "\r%-10s [%s] %3d%%", progress.doing, bar, rowsDone * 100 / kWorldSizeX);
}

void endProgress(StreamProgress& progress) {
    if (progress.terminal) std::fprintf(stderr, "\n");
}

#include "world/save_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "app/game_state.h"
#include "game/play_state.h"
#include "game/player.h"
#include "platform/platform.h"
#include "ui/notice.h"
#include "world/cell_changes.h"
#include "world/chests.h"
#include "world/progress_pump.h"

namespace {

// Cells go through in blocks of this many bytes (a whole number of z-rows),
// and the pump runs between blocks.
constexpr size_t kBlockBytes = 4'000'000;
static_assert(kCellImageBytes % kBlockBytes == 0);
static_assert(kBlockBytes % (kWorldSizeZ * sizeof(Cell)) == 0);

// The save keeps its pump timer from one save to the next.
int32_t saveTimer = 0;

uint8_t* blockBuffer() {
    static std::unique_ptr<uint8_t[]> buffer(new uint8_t[kBlockBytes]);
    return buffer.get();
}

// Closes a descriptor when it goes out of scope.
struct FileCloser {
    int fd = -1;
    ~FileCloser() {
        if (fd >= 0) ::close(fd);
    }
};

bool writeAll(int fd, const uint8_t* bytes, size_t n) {
    while (n > 0) {
        ssize_t done = ::write(fd, bytes, n);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes += done;
        n -= size_t(done);
    }
    return true;
}

// Reads exactly n bytes at the current position; false on error or early end.
bool readAll(int fd, uint8_t* bytes, size_t n) {
    while (n > 0) {
        ssize_t done = ::read(fd, bytes, n);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes += done;
        n -= size_t(done);
    }
    return true;
}

bool preadAll(int fd, uint8_t* bytes, size_t n, off_t at) {
    while (n > 0) {
        ssize_t done = ::pread(fd, bytes, n, at);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes += done;
        at += done;
        n -= size_t(done);
    }
    return true;
}

// A rename is only durable once the folder holding it is flushed too.
bool syncFolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

std::string temporaryPath(const std::string& path) {
    return path + ".tmp";
}

// Every stored byte is the value plus one, modulo 256. Sixteen bytes at a time:
// this runs over the whole 400 MB image on every save and load.
typedef uint8_t Bytes16 __attribute__((vector_size(16)));

void addToEach(uint8_t* out, const uint8_t* in, size_t n, uint8_t delta) {
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        Bytes16 v;
        std::memcpy(&v, in + i, 16);
        v += delta;
        std::memcpy(out + i, &v, 16);
    }
    for (; i < n; ++i) out[i] = uint8_t(in[i] + delta);
}
void encode(uint8_t* out, const uint8_t* in, size_t n) {
    addToEach(out, in, n, 1);
}
void decodeInPlace(uint8_t* bytes, size_t n) {
    addToEach(bytes, bytes, n, 255);
}

std::vector<uint8_t> encodeTrailer() {
    std::vector<uint8_t> t;
    t.reserve(84 + kChestRecordBytes * world.chestCount);
    for (auto& pair : world.gauges) t.insert(t.end(), pair, pair + 2);
    t.insert(t.end(), world.counters, world.counters + 3);
    for (int i = 0; i < kInventoryCells; ++i) {
        t.push_back(world.slots[i].type);
        t.push_back(world.slots[i].count);
    }
    t.push_back(world.chestCount);
    for (int c = 0; c < world.chestCount; ++c)
        for (const ItemStack& s : world.chests[c]) {
            t.push_back(s.type);
            t.push_back(s.count);
        }
    t.push_back(world.DayTime);
    t.push_back(world.SubDayTime);
    encode(t.data(), t.data(), t.size());
    return t;
}

void decodeTrailer(const uint8_t* stored, WorldTrailer& out) {
    auto next = [&] { return uint8_t(*stored++ - 1); };
    for (auto& pair : out.gauges) pair[0] = next(), pair[1] = next();
    for (uint8_t& c : out.counters) c = next();
    for (ItemStack& s : out.inventory) s.type = next(), s.count = next();
    out.chestCount = next();
    for (int c = 0; c < out.chestCount; ++c)
        for (ItemStack& s : out.chests[c]) s.type = next(), s.count = next();
    out.DayTime = next();
    out.SubDayTime = next();
}

// Writes a whole file under a temporary name and flushes it; the caller
// renames it into place. False on any failure (the temporary is removed).
bool writeTemporary(const std::string& path, const uint8_t* bytes, size_t n) {
    std::string temp = temporaryPath(path);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes, n) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool moveIntoPlace(const std::string& path) {
    return ::rename(temporaryPath(path).c_str(), path.c_str()) == 0;
}

// Outcome of writing the world image to its temporary file.
enum class ImageResult : uint8_t { Written, WriteFailed, Quit, DrawFailed };

ImageResult writeWorldImage(const std::string& temp) {
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return ImageResult::WriteFailed;
    FileCloser closer{fd};
    const uint8_t* cells = reinterpret_cast<const uint8_t*>(world.cells.get());
    uint8_t* buffer = blockBuffer();
    for (size_t at = 0; at < kCellImageBytes; at += kBlockBytes) {
        if (PumpResult r = progressPump(saveTimer); r != PumpResult::Continue)
            return r == PumpResult::Quit ? ImageResult::Quit : ImageResult::DrawFailed;
        encode(buffer, cells + at, kBlockBytes);
        if (!writeAll(fd, buffer, kBlockBytes)) return ImageResult::WriteFailed;
        // Start this block on its way to the disk now, so that the flush at
        // the end has little left to wait for.
        ::sync_file_range(fd, off_t(at), off_t(kBlockBytes), SYNC_FILE_RANGE_WRITE);
    }
    std::vector<uint8_t> trailer = encodeTrailer();
    if (!writeAll(fd, trailer.data(), trailer.size())) return ImageResult::WriteFailed;
    if (::fsync(fd) != 0) return ImageResult::WriteFailed;
    closer.fd = -1;
    return ::close(fd) == 0 ? ImageResult::Written : ImageResult::WriteFailed;
}

void noticeNotSaved() {
    postNotice("World not saved!", "Mondo non salvato!");
}

}  // namespace

std::string worldFilePath(int slot) {
    return plat::exeFolder() + "Mondo" + char('0' + slot) + ".data";
}
std::string seedFilePath(int slot) {
    return plat::exeFolder() + "SemeM" + char('0' + slot) + ".data";
}

bool slotOccupied(int slot) {
    int fd = ::open(worldFilePath(slot).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

int saveWorldTo(const std::string& worldPath, const std::string& seedPath) {
    const GameState remembered = shell.gameState;
    shell.gameState = GameState::Busy;
    auto finish = [&](int result) {
        shell.gameState = remembered;
        return result;
    };
    const std::string worldTemp = temporaryPath(worldPath);
    // Left over from a save that was cut short by a crash: never a slot.
    ::unlink(worldTemp.c_str());
    ::unlink(temporaryPath(seedPath).c_str());
    if (!world.cells) return noticeNotSaved(), finish(0);

    // Both files are complete on disk before either replaces the slot's, so
    // the slot holds the old world or the new one, never half of one.
    switch (writeWorldImage(worldTemp)) {
        case ImageResult::Written:
            break;
        case ImageResult::Quit:
            ::unlink(worldTemp.c_str());
            return finish(0);
        case ImageResult::DrawFailed:
            ::unlink(worldTemp.c_str());
            return finish(-1);
        case ImageResult::WriteFailed:
            ::unlink(worldTemp.c_str());
            noticeNotSaved();
            return finish(0);
    }
    char digits[kSeedFileBytes];
    const size_t seedBytes = formatSeed(world.Seed, digits);
    if (!writeTemporary(seedPath, reinterpret_cast<const uint8_t*>(digits), seedBytes)) {
        ::unlink(worldTemp.c_str());
        noticeNotSaved();
        return finish(0);
    }
    bool ok = moveIntoPlace(worldPath) && moveIntoPlace(seedPath);
    ok = syncFolderOf(worldPath) && ok;
    if (!ok) {
        ::unlink(worldTemp.c_str());
        ::unlink(temporaryPath(seedPath).c_str());
        noticeNotSaved();
    }
    return finish(0);
}

int saveWorld() {
    return saveWorldTo(worldFilePath(shell.worldSlotChoice), seedFilePath(shell.worldSlotChoice));
}

WorldFileCheck readWorldTrailer(const std::string& path, WorldTrailer& out, int* fdOut) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return WorldFileCheck::Missing;
    FileCloser closer{fd};
    struct stat info;
    if (::fstat(fd, &info) != 0) return WorldFileCheck::ReadError;
    const size_t length = size_t(info.st_size);
    if (info.st_size < off_t(worldFileLength(0))) return WorldFileCheck::BadLength;
    uint8_t stored = 0;
    if (!preadAll(fd, &stored, 1, off_t(kChestCountOffset))) return WorldFileCheck::ReadError;
    const int chests = uint8_t(stored - 1);
    if (length != worldFileLength(chests)) return WorldFileCheck::BadLength;
    std::vector<uint8_t> trailer(length - kCellImageBytes);
    if (!preadAll(fd, trailer.data(), trailer.size(), off_t(kCellImageBytes)))
        return WorldFileCheck::ReadError;
    decodeTrailer(trailer.data(), out);
    if (fdOut) {
        *fdOut = fd;
        closer.fd = -1;
    }
    return WorldFileCheck::Good;
}

size_t formatSeed(int32_t seed, char out[kSeedFileBytes]) {
    char printed[16];
    int n = std::snprintf(printed, sizeof printed, seed >= 0 ? "%010d" : "%d", seed);
    const size_t count = std::min<size_t>(size_t(n), kSeedFileBytes);
    std::memcpy(out, printed, count);
    return count;
}

int32_t readSeedFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    uint8_t c[kSeedFileBytes];
    bool complete = readAll(fd, c, kSeedFileBytes);
    ::close(fd);
    if (!complete) return 0;
    uint32_t seed = 0;
    for (uint8_t digit : c) {
        if (digit < '0' || digit > '9') return 0;
        seed = seed * 10 + uint32_t(digit - '0');  // wraps like the 32-bit sum it is
    }
    return int32_t(seed);
}

int loadWorldFrom(const std::string& worldPath, const std::string& seedPath) {
    const GameState remembered = shell.gameState;
    shell.gameState = GameState::Busy;
    auto finish = [&](int result) {
        shell.gameState = remembered;
        return result;
    };

    // Nothing in memory changes until the file has shown it is whole.
    auto trailer = std::make_unique<WorldTrailer>();
    int fd = -1;
    switch (readWorldTrailer(worldPath, *trailer, &fd)) {
        case WorldFileCheck::Good:
            break;
        case WorldFileCheck::Missing:
        case WorldFileCheck::ReadError:
            postNotice("World could not be read!", "Impossibile leggere il mondo!");
            return finish(1);
        case WorldFileCheck::BadLength:
            postNotice("Damaged world: not loaded!", "Mondo danneggiato: non caricato!");
            return finish(1);
    }
    FileCloser closer{fd};
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    int32_t timer = plat::clockMs();
    resetPlayState();
    if (!world.worldStorageReady) {
        int r = allocateWorldStorage();
        if (r < 0 || !world.worldStorageReady) return r;
    }
    forgetChestPositions();
    noteWorldReplaced();
    uint8_t* cells = reinterpret_cast<uint8_t*>(world.cells.get());
    for (size_t at = 0; at < kCellImageBytes; at += kBlockBytes) {
        if (PumpResult r = progressPump(timer); r != PumpResult::Continue) return pumpExitCode(r);
        if (!readAll(fd, cells + at, kBlockBytes)) {
            // The grid now holds part of this world; the player stays in the
            // world selection, and a later load or generation rewrites it all.
            postNotice("World could not be read!", "Impossibile leggere il mondo!");
            return finish(1);
        }
        decodeInPlace(cells + at, kBlockBytes);
    }

    std::memcpy(world.gauges, trailer->gauges, sizeof world.gauges);
    std::memcpy(world.counters, trailer->counters, sizeof world.counters);
    std::copy_n(trailer->inventory, kInventoryCells, world.slots);
    world.chestCount = trailer->chestCount;
    for (int c = 0; c < trailer->chestCount; ++c)
        std::copy_n(trailer->chests[c], kChestCells, world.chests[c]);
    world.DayTime = trailer->DayTime;
    world.SubDayTime = trailer->SubDayTime;
    world.Seed = readSeedFile(seedPath);

    plat::moveCursorToWindow(320, 240);
    player.Position.y = spawnEyeHeight(int(player.Position.x), int(player.Position.z));
    return finish(0);
}

int loadWorld() {
    return loadWorldFrom(worldFilePath(shell.worldSlotChoice), seedFilePath(shell.worldSlotChoice));
}

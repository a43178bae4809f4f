#include "world/save_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/background.h"
#include "platform/platform.h"
#include "world/cell_changes.h"
#include "world/chests.h"
#include "world/slot_commit.h"

namespace {

// Cells go through in blocks of this many bytes (a whole number of z-rows),
// one block a unit of a save's or a load's work.
constexpr size_t kBlockBytes = 1'000'000;
static_assert(kCellImageBytes % kBlockBytes == 0);
static_assert(kBlockBytes % (kWorldSizeZ * sizeof(Cell)) == 0);

// Eight bytes at a time, each kept to its own byte: this runs over the whole
// 400 MB image on every save and load.
constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
constexpr uint64_t kHigh = 0x8080808080808080ull;
constexpr uint64_t kOnes = 0x0101010101010101ull;
inline uint64_t plusOneEach(uint64_t x) { return ((x & kLow7) + kOnes) ^ (x & kHigh); }
inline uint64_t minusOneEach(uint64_t x) { return ((x | kHigh) - kOnes) ^ (~x & kHigh); }

template <uint64_t (*Step)(uint64_t), int Delta>
void addToEach(uint8_t* out, const uint8_t* in, size_t n) {
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t v;
        std::memcpy(&v, in + i, 8);
        v = Step(v);
        std::memcpy(out + i, &v, 8);
    }
    for (; i < n; ++i) out[i] = uint8_t(in[i] + Delta);
}

std::vector<uint8_t> encodeTrailer(const World& world) {
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
    encodeBytes(t.data(), t.data(), t.size());
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


void applyTrailer(World& world, const WorldTrailer& trailer) {
    std::memcpy(world.gauges, trailer.gauges, sizeof world.gauges);
    std::memcpy(world.counters, trailer.counters, sizeof world.counters);
    std::copy_n(trailer.inventory, kInventoryCells, world.slots);
    world.chestCount = trailer.chestCount;
    for (int c = 0; c < trailer.chestCount; ++c)
        std::copy_n(trailer.chests[c], kChestCells, world.chests[c]);
    world.DayTime = trailer.DayTime;
    world.SubDayTime = trailer.SubDayTime;
}

}  // namespace

void encodeBytes(uint8_t* out, const uint8_t* in, size_t n) { addToEach<plusOneEach, 1>(out, in, n); }
void decodeBytes(uint8_t* bytes, size_t n) { addToEach<minusOneEach, -1>(bytes, bytes, n); }

std::string worldFileName(int slot) { return std::string("Mondo") + char('0' + slot) + ".data"; }
std::string worldFilePath(int slot) { return plat::filesFolder() + worldFileName(slot); }
std::string seedFilePath(int slot) {
    return plat::filesFolder() + "SemeM" + char('0' + slot) + ".data";
}

std::string slotLockPath(const std::string& worldPath) { return worldPath + ".lock"; }

bool slotOccupied(int slot) { return plat::fileExists(worldFilePath(slot)); }

SlotAside moveSlotAside(int slot, int& number) {
    constexpr int kMostBackups = 999;
    const std::string worldPath = worldFilePath(slot), seedPath = seedFilePath(slot);
    if (!plat::fileExists(worldPath)) return SlotAside::NothingThere;
    for (int n = 1; n <= kMostBackups; ++n) {
        const std::string suffix = ".bak" + std::to_string(n);
        if (plat::fileExists(worldPath + suffix) || plat::fileExists(seedPath + suffix)) continue;
        if (!plat::renameWithoutReplacing(worldPath, worldPath + suffix)) return SlotAside::Failed;
        if (plat::fileExists(seedPath) && !plat::renameWithoutReplacing(seedPath, seedPath + suffix)) {
            // The world goes back beside its seed: a slot is moved whole or not at all.
            plat::renameWithoutReplacing(worldPath + suffix, worldPath);
            return SlotAside::Failed;
        }
        number = n;
        return SlotAside::Moved;
    }
    return SlotAside::Failed;
}

SlotLock lockSlotFiles(const std::string& worldPath, const std::string& seedPath,
                       plat::FileLock& lock, SaveReport* report) {
    SaveReport own;
    SaveReport& told = report ? *report : own;
    told = SaveReport{};
    const std::string lockPath = slotLockPath(worldPath);
    switch (plat::takeLock(lockPath, lock, &told.error)) {
        case plat::LockStatus::Taken: break;
        case plat::LockStatus::Held: return SlotLock::InUse;
        case plat::LockStatus::NoLockFile: return SlotLock::Unlocked;
        case plat::LockStatus::Blocked:
            told.failedFile = lockPath;
            return SlotLock::Refused;
    }
    // No other writer can be at work: a save cut short is finished (or
    // thrown away) first, then what lies under the slot's temporary names
    // was left by one that was killed.
    CommitProgress progress;
    if (finishSlotCommit(worldPath, seedPath, &progress) == Commit::Failed) {
        plat::releaseLock(lock);
        told.error = progress.error;
        told.failedFile = progress.failedFile;
        return SlotLock::Refused;
    }
    plat::removeStrayTemporaries(worldPath);
    plat::removeStrayTemporaries(seedPath);
    plat::removeStrayTemporaries(commitRecordPath(worldPath));
    return SlotLock::Taken;
}

SlotLock lockSlot(int slot, plat::FileLock& lock, SaveReport* report) {
    return lockSlotFiles(worldFilePath(slot), seedFilePath(slot), lock, report);
}

void beginSave(SaveJob& job, const std::string& worldPath, const std::string& seedPath) {
    job.worldPath = worldPath;
    job.seedPath = seedPath;
    job.phase = SaveJob::Phase::Begin;
    job.at = 0;
    job.report = SaveReport{};
    job.result = WorldResult::Done;
}

namespace {

// The outcome only: the phase is the caller's, as the commit's outcome is
// set away from the frame.
bool endSave(SaveJob& job, WorldResult result) {
    job.result = result;
    return true;
}

bool saveFailedOn(SaveJob& job, const plat::OutFile& file) {
    job.report.error = file.error;
    job.report.failedFile = file.target;
    return endSave(job, WorldResult::NotWritten);
}

// Both files are complete on disk before either replaces the slot's, and the
// commit record makes their two renames one (slot_commit.h). A file not
// committed takes its temporary with it. All three are begun before the long
// write, so that a name that cannot be written stops the save before anything is.
bool beginSaveFiles(const World& world, SaveJob& job) {
    if (!world.cells) return endSave(job, WorldResult::NotWritten);
    if (!plat::beginReplacing(job.worldPath, job.worldFile)) return saveFailedOn(job, job.worldFile);
    if (!plat::beginReplacing(job.seedPath, job.seedFile)) return saveFailedOn(job, job.seedFile);
    if (!plat::beginReplacing(commitRecordPath(job.worldPath), job.recordFile))
        return saveFailedOn(job, job.recordFile);
    // One block's room for the save; a few page faults against a 400 MB write.
    job.block.reset(new uint8_t[kBlockBytes]);
    job.phase = SaveJob::Phase::Image;
    return false;
}

bool writeImageBlock(const World& world, SaveJob& job) {
    const uint8_t* cells = reinterpret_cast<const uint8_t*>(world.cells.get());
    encodeBytes(job.block.get(), cells + job.at, kBlockBytes);
    if (!plat::writeOut(job.worldFile, job.block.get(), kBlockBytes, true))
        return saveFailedOn(job, job.worldFile);
    job.at += kBlockBytes;
    if (job.at == kCellImageBytes) job.phase = SaveJob::Phase::Commit;
    return false;
}

// The flush and commit, away from the frame: it touches the job's files and
// its outcome, never the world.
bool commitFiles(SaveJob& job) {
    if (!plat::writeOut(job.worldFile, job.trailer.data(), job.trailer.size()) ||
        !plat::finishOut(job.worldFile))
        return saveFailedOn(job, job.worldFile);
    char digits[kSeedFileBytes];
    const size_t seedBytes = formatSeed(job.seed, digits);
    if (!plat::writeOut(job.seedFile, digits, seedBytes) || !plat::finishOut(job.seedFile))
        return saveFailedOn(job, job.seedFile);
    const std::string record = commitRecordText(job.worldFile, job.seedFile);
    plat::OutFile* records[] = {&job.recordFile};
    if (!plat::writeOut(job.recordFile, record.data(), record.size()) ||
        !plat::finishOut(job.recordFile) ||
        (!plat::commitReplacements(records, 1) && !job.recordFile.replaced))
        return saveFailedOn(job, job.recordFile);
    // The record names both temporaries now: they are the commit's, renamed
    // or left for the next holder, never removed on the way out.
    const std::string temporaries[] = {job.worldFile.temporary, job.seedFile.temporary};
    job.worldFile.temporary.clear();
    job.seedFile.temporary.clear();
    CommitProgress progress;
    const Commit commit = finishSlotCommit(job.worldPath, job.seedPath, &progress);
    if (commit == Commit::Finished) return endSave(job, WorldResult::Done);
    job.report.error = progress.error;
    job.report.failedFile = progress.failedFile;
    // With the world renamed, the record stays: whoever takes the slot's
    // lock next renames the seed too. Nothing renamed, the save is taken
    // back, record first, so that the slot keeps its old pair as told.
    if (progress.worldReplaced) return endSave(job, WorldResult::SeedNotWritten);
    if (commit != Commit::Failed) {
        // The record was gone or its temporaries not as written: something
        // else changed the folder meanwhile, and nothing was renamed.
        job.report.error = plat::WriteError::Other;
        job.report.failedFile = commitRecordPath(job.worldPath);
    }
    if (commit != Commit::Failed || plat::removeFile(commitRecordPath(job.worldPath)))
        for (const std::string& temporary : temporaries) plat::removeFile(temporary);
    return endSave(job, WorldResult::NotWritten);
}

// The commit started once, then waited for until the slice ends; true once
// it has ended.
bool commitSave(const World& world, SaveJob& job, const JobSlice& slice) {
    if (!job.committing.valid()) {
        job.trailer = encodeTrailer(world);
        job.seed = world.Seed;
        job.committing = plat::runInBackground([&job] { commitFiles(job); });
    }
    if (slice.readClock) {
        const int32_t left = std::max(0, slice.endsAt - slice.readClock());
        if (job.committing.wait_for(std::chrono::milliseconds(left)) != std::future_status::ready)
            return false;
    }
    job.committing.get();
    job.phase = SaveJob::Phase::Ended;
    return true;
}

}  // namespace

bool stepSave(const World& world, SaveJob& job, JobSlice& slice) {
    for (bool worked = false;; worked = true) {
        // The commit waits on the disk: it begins a call of its own, so that
        // its wait never lengthens a slice already spent on blocks.
        if (job.phase == SaveJob::Phase::Commit && worked) return false;
        bool ended = false;
        switch (job.phase) {
            case SaveJob::Phase::Begin: ended = beginSaveFiles(world, job); break;
            case SaveJob::Phase::Image: ended = writeImageBlock(world, job); break;
            case SaveJob::Phase::Commit: return commitSave(world, job, slice);
            case SaveJob::Phase::Ended: return true;
        }
        if (ended) {
            job.phase = SaveJob::Phase::Ended;
            return true;
        }
        if (sliceSpent(slice)) return false;
    }
}

WorldFileCheck readWorldTrailer(const std::string& path, WorldTrailer& out, plat::InFile* keep) {
    plat::InFile own;
    plat::InFile& file = keep ? *keep : own;
    switch (plat::openForReading(path, file)) {
        case plat::FileStatus::Ok: break;
        case plat::FileStatus::Missing: return WorldFileCheck::Missing;
        case plat::FileStatus::NotRegular: return WorldFileCheck::NotAFile;
        case plat::FileStatus::Unreadable:
        case plat::FileStatus::TooBig: return WorldFileCheck::ReadError;
    }
    const size_t length = size_t(file.size);
    if (file.size < int64_t(worldFileLength(0))) return WorldFileCheck::BadLength;
    uint8_t stored = 0;
    if (!plat::readAt(file, int64_t(kChestCountOffset), &stored, 1)) return WorldFileCheck::ReadError;
    const int chests = uint8_t(stored - 1);
    if (length != worldFileLength(chests)) return WorldFileCheck::BadLength;
    std::vector<uint8_t> trailer(length - kCellImageBytes);
    if (!plat::readAt(file, int64_t(kCellImageBytes), trailer.data(), trailer.size()))
        return WorldFileCheck::ReadError;
    decodeTrailer(trailer.data(), out);
    return WorldFileCheck::Good;
}

size_t formatSeed(int32_t seed, char out[kSeedFileBytes]) {
    char printed[16];
    int n = std::snprintf(printed, sizeof printed, seed >= 0 ? "%010d" : "%d", seed);
    const size_t count = std::min<size_t>(size_t(n), kSeedFileBytes);
    std::memcpy(out, printed, count);
    return count;
}

std::optional<int32_t> readSeedFile(const std::string& path) {
    // Only nothing at all is a slot without its seed file; a dangling link
    // or anything else unreadable is a damaged slot, not seed 0.
    if (plat::pathKind(path) == plat::PathKind::Missing) return 0;
    std::string c;
    if (plat::readWholeFile(path, c, kSeedFileBytes) != plat::FileStatus::Ok) return std::nullopt;
    const size_t n = c.size();
    if (n == kSeedFileBytes && c[0] != '-') {
        uint32_t seed = 0;
        for (char digit : c) {
            if (digit < '0' || digit > '9') return std::nullopt;
            seed = seed * 10 + uint32_t(digit - '0');  // wraps like the 32-bit sum it is
        }
        return int32_t(seed);
    }
    // A negative seed as formatSeed cuts it: at most nine digits follow.
    if (n < 2 || c[0] != '-') return std::nullopt;
    int32_t seed = 0;
    for (size_t i = 1; i < n; ++i) {
        if (c[i] < '0' || c[i] > '9') return std::nullopt;
        seed = seed * 10 - int32_t(c[i] - '0');
    }
    return seed;
}

void beginLoad(LoadJob& job, const std::string& worldPath, const std::string& seedPath) {
    job.worldPath = worldPath;
    job.seedPath = seedPath;
    job.phase = LoadJob::Phase::Check;
    job.at = 0;
    job.failedFile = worldPath;
    job.result = WorldResult::Done;
}

namespace {

bool endLoad(LoadJob& job, WorldResult result) {
    // Closed at once: Windows renames nothing over a file still open, and
    // whoever ran the load may save over it next.
    job.file.reset();
    job.trailer.reset();
    job.result = result;
    job.phase = LoadJob::Phase::Ended;
    return true;
}

// Nothing in memory changes until both files have shown they are whole.
bool checkLoadFiles(LoadJob& job) {
    job.trailer = std::make_unique<WorldTrailer>();
    job.file = std::make_unique<plat::InFile>();
    switch (readWorldTrailer(job.worldPath, *job.trailer, job.file.get())) {
        case WorldFileCheck::Good: break;
        case WorldFileCheck::Missing:
        case WorldFileCheck::ReadError: return endLoad(job, WorldResult::Unreadable);
        case WorldFileCheck::BadLength:
        case WorldFileCheck::NotAFile: return endLoad(job, WorldResult::Damaged);
    }
    const std::optional<int32_t> seed = readSeedFile(job.seedPath);
    if (!seed) {
        job.failedFile = job.seedPath;
        return endLoad(job, WorldResult::Damaged);
    }
    job.seed = *seed;
    job.phase = LoadJob::Phase::Allocate;
    return false;
}

bool readyGridForLoad(World& world, LoadJob& job) {
    if (allocateWorldStorage(world) != WorldResult::Done)
        return endLoad(job, WorldResult::NoMemory);
    forgetChestPositions(world);
    noteWorldReplaced(world);
    job.phase = LoadJob::Phase::Cells;
    return false;
}

bool readCellBlock(World& world, LoadJob& job) {
    uint8_t* cells = reinterpret_cast<uint8_t*>(world.cells.get());
    // A failing disk leaves part of this world in the grid; it is never
    // played or saved from there, and the next load or generation
    // rewrites all of it.
    if (!plat::readAt(*job.file, int64_t(job.at), cells + job.at, kBlockBytes))
        return endLoad(job, WorldResult::Unreadable);
    decodeBytes(cells + job.at, kBlockBytes);
    job.at += kBlockBytes;
    if (job.at < kCellImageBytes) return false;
    applyTrailer(world, *job.trailer);
    world.Seed = job.seed;
    job.failedFile.clear();
    return endLoad(job, WorldResult::Done);
}

}  // namespace

bool stepLoad(World& world, LoadJob& job, JobSlice& slice) {
    for (;;) {
        bool ended = false;
        switch (job.phase) {
            case LoadJob::Phase::Check: ended = checkLoadFiles(job); break;
            case LoadJob::Phase::Allocate: ended = readyGridForLoad(world, job); break;
            case LoadJob::Phase::Cells: ended = readCellBlock(world, job); break;
            case LoadJob::Phase::Ended: return true;
        }
        if (ended) return true;
        if (sliceSpent(slice)) return false;
    }
}

WorldResult saveWorldTo(const World& world, const std::string& worldPath,
                        const std::string& seedPath, SaveReport* report) {
    auto job = std::make_unique<SaveJob>();
    beginSave(*job, worldPath, seedPath);
    for (JobSlice whole; !stepSave(world, *job, whole);) {
    }
    if (report) *report = job->report;
    return job->result;
}

WorldResult loadWorldFrom(World& world, const std::string& worldPath,
                          const std::string& seedPath, std::string* failedFile) {
    auto job = std::make_unique<LoadJob>();
    beginLoad(*job, worldPath, seedPath);
    JobSlice whole;
    stepLoad(world, *job, whole);
    if (failedFile) *failedFile = job->failedFile;
    return job->result;
}

WorldResult saveWorld(const World& world, int slot, SaveReport* report) {
    return saveWorldTo(world, worldFilePath(slot), seedFilePath(slot), report);
}

WorldResult loadWorld(World& world, int slot, std::string* failedFile) {
    return loadWorldFrom(world, worldFilePath(slot), seedFilePath(slot), failedFile);
}

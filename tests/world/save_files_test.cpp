// World slot files, as the game saves and loads them from the pause menu and
// the world selection: the exact byte image, a round trip of everything a
// slot stores, damaged files refused before anything changes, and saves cut
// short at every stage leaving the slot's previous world as it was.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "app/world_ops.h"
#include "game/controls.h"
#include "game/crafting.h"
#include "game/frame.h"
#include "game/inventory.h"
#include "game/item_screens.h"
#include "game/player.h"
#include "test_support.h"
#include "ui/notice.h"
#include "world/cell_changes.h"
#include "world/chests.h"
#include "world/generation.h"
#include "world/save_files.h"
#include "world/slot_commit.h"
#include "world_fixtures.h"

namespace fs = std::filesystem;

namespace {

// A file of `length` bytes, all 0 (every value 255) but the chest-count byte,
// made sparse so that it costs nothing.
void sparseWorldFile(const std::string& path, size_t length, uint8_t storedChestCount) {
    { std::ofstream(path, std::ios::binary); }
    fs::resize_file(path, length);
    if (length > kChestCountOffset) {
        std::fstream f(path, std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(std::streamoff(kChestCountOffset));
        f.put(char(storedChestCount));
    }
}

void makeTestWorld(World& world) {
    ASSERT_EQ(generateWorldFromSeed(world, 1357924680), WorldResult::Done);
}

class SaveFiles : public AppTest {
   protected:
    // One world for the whole suite, made once: each test has it lent as the game's.
    static void SetUpTestSuite() {
        headless::reset();
        made = new World;
        makeTestWorld(*made);
    }
    static void TearDownTestSuite() { delete made; }
    void TearDown() override {
        std::swap(world, *made);
        AppTest::TearDown();
    }
    void SetUp() override {
        AppTest::SetUp();
        std::swap(world, *made);
        // The progress screen is drawn while the game saves and loads.
        ASSERT_EQ(plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600), 0);
        game.worldSlotChoice = 2;
        game.gameState = GameState::Pause;
    }
    // The game's frames until the work they run ends; < 0 when a frame
    // failed, which ends the process.
    static int work() {
        while (game.gameState == GameState::Busy)
            if (!gameFrame()) return gameFailed() ? finishGame() : 0;
        return 0;
    }
    // Pause -> Save, as the player does it.
    int save() {
        saveSlot(2);
        return work();
    }
    // World selection -> slot 2.
    int open() {
        game.gameState = GameState::WorldSelect;
        openSlot(2);
        return work();
    }
    std::string slotFile() const { return worldFilePath(2); }
    std::string seedFile() const { return seedFilePath(2); }
    static World* made;
};
World* SaveFiles::made = nullptr;

// Everything a slot keeps that a new world does not have.
void furnishWorld(World& world) {
    world.Seed = 1357924680;
    for (int mount = 0; mount <= 4; ++mount)
        cell(world, 10 + mount, 120, 10) = Cell{24, uint8_t(mount)};
    for (int facing = 0; facing <= 3; ++facing)
        cell(world, 20 + facing, 120, 10) = Cell{26, uint8_t(facing)};
    world.chestCount = 0;
    for (int i = 0; i < 10; ++i) {
        int n = newChestRecord(world);
        cell(world, 30 + i, 121, 10) = Cell{uint8_t(67 + i % 4), uint8_t(n)};
        for (int c = 0; c < kChestCells; ++c)
            world.chests[n][c] = ItemStack{uint8_t(c + i), uint8_t(i * 7 + c)};
    }
    for (int i = 0; i < kInventoryCells; ++i) world.slots[i] = ItemStack{uint8_t(i + 1), 250};
    world.slots[3] = ItemStack{25, 9};  // stored as 0x1A, 0x0A
    world.slots[4] = ItemStack{9, 25};
    world.slots[5] = ItemStack{255, 0};  // stored as 0x00
    cell(world, 0, 0, 0) = Cell{255, 255};
    cell(world, 0, 0, 1) = Cell{9, 25};
    world.DayTime = 239;
    world.SubDayTime = 17;
    world.gauges[1][0] = 4;
    world.counters[2] = 8;
}

TEST_F(SaveFiles, RoundTripKeepsEveryStoredValueByteForByte) {
    furnishWorld(world);
    game.play.player.Position = Vec3{12.0f, 150.0f, 900.0f};
    const uint64_t savedHash = gridHash(world);
    const World before = [&] {
        World w;
        std::memcpy(w.gauges, world.gauges, sizeof w.gauges);
        std::memcpy(w.counters, world.counters, sizeof w.counters);
        std::memcpy(w.slots, world.slots, sizeof w.slots);
        std::memcpy(w.chests, world.chests, sizeof w.chests);
        w.chestCount = world.chestCount;
        return w;
    }();

    // A clock that runs on: the save and the load in slices of a few blocks.
    headless::setClockStepPerRead(10);
    ASSERT_EQ(save(), 0);
    headless::setClockStepPerRead(0);
    EXPECT_EQ(game.gameState, GameState::Pause);
    EXPECT_STREQ(game.notice.english, "");
    EXPECT_EQ(fs::file_size(slotFile()), 400000084u + 54u * 10u);
    // The same bytes as the whole job in one call.
    ASSERT_EQ(saveWorldTo(world, scratch.file("whole"), scratch.file("wholeSeed")), WorldResult::Done);
    EXPECT_TRUE(readBytes(slotFile()) == readBytes(scratch.file("whole")));
    EXPECT_EQ(readBytes(seedFile()), "1357924680");
    EXPECT_FALSE(fs::exists(slotFile() + ".tmp"));
    {
        std::ifstream f(slotFile(), std::ios::binary);
        char head[4];
        f.read(head, 4);
        EXPECT_EQ(std::string(head, 4), std::string("\0\0\x0A\x1A", 4));
        f.seekg(std::streamoff(kCellImageBytes + 9 + 6));
        char slot3[4];
        f.read(slot3, 4);
        EXPECT_EQ(std::string(slot3, 4), std::string("\x1A\x0A\x0A\x1A", 4));
        f.seekg(-2, std::ios::end);
        char time[2];
        f.read(time, 2);
        EXPECT_EQ(uint8_t(time[0]), 240);
        EXPECT_EQ(uint8_t(time[1]), 18);
    }

    // Spoil everything, then load it back.
    cell(world, 0, 0, 0) = Cell{1, 1};
    cell(world, 22, 120, 10) = Cell{0, 0};
    world.DayTime = 3;
    world.chestCount = 0;
    world.slots[3] = ItemStack{0, 0};
    world.Seed = 5;
    game.play.controls.selectedSlot = 4;
    headless::setClockStepPerRead(10);
    ASSERT_EQ(open(), 0);
    headless::setClockStepPerRead(0);
    EXPECT_EQ(game.gameState, GameState::Playing);
    EXPECT_EQ(gridHash(world), savedHash);
    EXPECT_EQ(world.Seed, 1357924680);
    EXPECT_EQ(world.DayTime, 239);
    EXPECT_EQ(world.SubDayTime, 17);
    EXPECT_EQ(std::memcmp(world.gauges, before.gauges, sizeof before.gauges), 0);
    EXPECT_EQ(std::memcmp(world.counters, before.counters, sizeof before.counters), 0);
    EXPECT_EQ(std::memcmp(world.slots, before.slots, sizeof(ItemStack) * kInventoryCells), 0);
    EXPECT_EQ(world.chestCount, 10);
    EXPECT_EQ(std::memcmp(world.chests, before.chests, sizeof(ItemStack) * kChestCells * 10), 0);
    // The player is set down anew at the centre, on top of the column.
    EXPECT_EQ(game.play.player.Position.x, 500.0f);
    EXPECT_EQ(game.play.player.Position.z, 500.0f);
    EXPECT_EQ(game.play.player.Position.y, spawnEyeHeight(world, 500, 500));
    EXPECT_EQ(game.play.controls.selectedSlot, 0);
    EXPECT_EQ(headless::lastCursorMove(), std::make_pair(320, 240));

    // Loaded chests still follow their records when one of them is dug.
    cell(world, 33, 121, 10) = Cell{0, 0};
    removeChestRecord(world, 3);
    EXPECT_EQ(cell(world, 34, 121, 10).aux, 3);
    EXPECT_EQ(world.chests[3][0].type, 4);
    EXPECT_EQ(cell(world, 32, 121, 10).aux, 2);

    // Without its seed file the world still loads, showing seed 0.
    fs::remove(seedFile());
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(world.Seed, 0);
    EXPECT_EQ(world.DayTime, 239);
}

TEST_F(SaveFiles, DamagedFilesAreRefusedBeforeAnythingChanges) {
    struct Case {
        const char* what;
        size_t length;
        uint8_t storedChestCount;
    };
    const Case cases[] = {
        {"empty", 0, 1},
        {"short", 100, 1},
        {"cut inside the cells", 300000000, 1},
        {"one byte short", 400000083, 1},
        {"one byte over", 400000085, 1},
        {"chests claimed but missing", 400000084, 3},
        {"count says 255 chests", 400000084 + 54 * 254, 0},
    };
    cell(world, 7, 7, 7) = Cell{42, 43};
    world.DayTime = 111;
    game.play.player.Position = Vec3{1, 2, 3};
    for (const Case& c : cases) {
        sparseWorldFile(slotFile(), c.length, c.storedChestCount);
        game.notice = Notice{};
        EXPECT_EQ(open(), 0) << c.what;
        EXPECT_EQ(game.gameState, GameState::WorldSelect) << c.what;
        // The notice names the file, so the player knows which one to look at.
        EXPECT_STREQ(game.notice.english, "Damaged world Mondo2.data: not loaded!") << c.what;
        EXPECT_STREQ(game.notice.italian, "Mondo danneggiato Mondo2.data: non caricato!") << c.what;
        EXPECT_EQ(cell(world, 7, 7, 7).type, 42) << c.what;
        EXPECT_EQ(world.DayTime, 111) << c.what;
        EXPECT_EQ(game.play.player.Position.x, 1.0f) << c.what;
    }
}

TEST_F(SaveFiles, AWellFormedImageOf255ChestsIsTakenWhole) {
    // Every stored byte 0: every value 255, including the chest count.
    sparseWorldFile(slotFile(), 400013854, 0);
    writeBytes(seedFile(), "0000012345");
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(world.chestCount, 255);
    EXPECT_EQ(world.chests[254][26].count, 255);
    EXPECT_EQ(world.DayTime, 255);
    EXPECT_EQ(cell(world, 999, 199, 999).type, 255);
    EXPECT_EQ(cell(world, 999, 199, 999).aux, 255);
    EXPECT_EQ(world.Seed, 12345);
    // The column is all blocks up to 198: the eye five above that.
    EXPECT_EQ(game.play.player.Position.y, 203.0f);
    // Put the generated world back for the tests that follow in this process.
    makeTestWorld(world);
}

TEST_F(SaveFiles, PlayResumesAfterASaveWithoutALongFrame) {
    headless::setClockStepPerRead(1);
    ASSERT_EQ(save(), 0);
    const int32_t end = plat::clockMs();
    headless::setClockStepPerRead(0);
    EXPECT_GT(end, 2 * kWorkSliceMs);  // the save took several frames
    EXPECT_LT(end - game.lastUpdateTime, 50);
}

TEST_F(SaveFiles, SeedFileHoldsTheFirstTenCharactersOfTheSeed) {
    world.Seed = -2000000001;  // 11 characters printed
    plat::FileFaults refused;
    refused.failOpen = true;  // no temporary can be made: the save fails
    headless::setFileFaults(refused);
    ASSERT_EQ(save(), 0);
    headless::setFileFaults({});
    EXPECT_STREQ(game.notice.english, "World not saved: no permission!");
    EXPECT_FALSE(fs::exists(seedFile()));
    EXPECT_FALSE(fs::exists(slotFile()));
    EXPECT_FALSE(slotOccupied(2));
    EXPECT_EQ(readSeedFile(scratch.file("nothing")), 0);
    // What a negative seed leaves reads back as the number it shows;
    // anything else is no seed at all, never seed 0.
    const std::pair<const char*, std::optional<int32_t>> files[] = {
        {"2147483647", 2147483647}, {"-200000000", -200000000}, {"-42", -42},
        {"-", std::nullopt},        {"42", std::nullopt},       {"-4x", std::nullopt},
        {"", std::nullopt},         {"00000000420", std::nullopt}};
    for (auto [bytes, seed] : files) {
        writeBytes(scratch.file("s"), bytes);
        EXPECT_EQ(readSeedFile(scratch.file("s")), seed) << bytes;
    }
}

TEST_F(SaveFiles, EverySeedFromZeroUpReadsBackAsWritten) {
    for (int32_t seed : {0, 7, 12345, 999999999, 1000000000, 1765180800, 2147483647}) {
        char digits[kSeedFileBytes];
        ASSERT_EQ(formatSeed(seed, digits), kSeedFileBytes) << seed;
        writeBytes(scratch.file("s"), std::string(digits, kSeedFileBytes));
        EXPECT_EQ(readSeedFile(scratch.file("s")), seed);
    }
    char digits[kSeedFileBytes];
    EXPECT_EQ(std::string(digits, formatSeed(1765180800, digits)), "1765180800");
    EXPECT_EQ(std::string(digits, formatSeed(-2000000001, digits)), "-200000000");
    EXPECT_EQ(std::string(digits, formatSeed(-5, digits)), "-5");
}

class InterruptedSave : public SaveFiles {
   protected:
    void SetUp() override {
        SaveFiles::SetUp();
        writeBytes(slotFile(), "the old world");
        writeBytes(seedFile(), "1111111111");
        headless::setClockStepPerRead(100);  // a unit of work a frame
    }
    void expectOldSlotIntact() {
        EXPECT_EQ(readBytes(slotFile()), "the old world");
        if (!fs::is_directory(seedFile())) {
            EXPECT_EQ(readBytes(seedFile()), "1111111111");
        }
        EXPECT_EQ(temporaries(), 0);
        EXPECT_EQ(game.gameState, GameState::Pause);
    }
    int temporaries() const {
        int n = 0;
        for (const auto& entry : fs::directory_iterator(scratch.path))
            n += entry.path().filename().string().find(".tmp") != std::string::npos;
        return n;
    }
};

TEST_F(InterruptedSave, QuitMessageWritesNothing) {
    saveSlot(2);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(gameFrame());  // a few blocks written
    headless::queueMessage(plat::Message::Quit);
    EXPECT_FALSE(gameFrame());  // the frame loop ends
    expectOldSlotIntact();
    EXPECT_STREQ(game.notice.english, "");
}

TEST_F(InterruptedSave, QuitDuringTheCommitLetsItEndWhole) {
    world.Seed = 43;
    saveSlot(2);
    while (game.work.save && !game.work.save->committing.valid()) ASSERT_TRUE(gameFrame());
    headless::queueMessage(plat::Message::Quit);
    EXPECT_FALSE(gameFrame());
    EXPECT_EQ(fs::file_size(slotFile()), worldFileLength(world.chestCount));
    EXPECT_EQ(readBytes(seedFile()), "0000000043");
    EXPECT_FALSE(fs::exists(commitRecordPath(slotFile())));
    EXPECT_EQ(temporaries(), 0);
}

TEST_F(InterruptedSave, DrawingFailureFailsAndWritesNothing) {
    headless::setBeginSceneFails(true);
    EXPECT_LT(save(), 0);
    expectOldSlotIntact();
}

TEST_F(InterruptedSave, AFolderAtTheSeedFilesNameStopsTheSaveBeforeItWrites) {
    fs::remove(seedFile());
    fs::create_directory(seedFile());
    {
        SaveJob job;
        beginSave(job, slotFile(), seedFile());
        JobSlice oneUnit = sliceOfUnits(1);
        EXPECT_TRUE(stepSave(world, job, oneUnit));  // refused before the long write
        EXPECT_EQ(job.result, WorldResult::NotWritten);
        EXPECT_EQ(job.report.error, plat::WriteError::NotRegular);
        EXPECT_EQ(job.report.failedFile, seedFile());
    }
    EXPECT_EQ(save(), 0);
    EXPECT_STREQ(game.notice.english, "World not saved: not a regular file!");
    EXPECT_STREQ(game.notice.italian, "Mondo non salvato: file non regolare!");
    expectOldSlotIntact();
}

TEST_F(InterruptedSave, AWorldWrittenWithoutItsSeedIsToldAndFinishedByTheNextHolder) {
    world.Seed = 43;
    plat::FileFaults seedStuck;
    seedStuck.pathContains = "SemeM2";
    seedStuck.failRename = true;
    headless::setFileFaults(seedStuck);
    EXPECT_EQ(save(), 0);
    EXPECT_STREQ(game.notice.english, "World saved, not its seed: disk error!");
    EXPECT_STREQ(game.notice.italian, "Mondo salvato, non il seme: errore del disco!");
    EXPECT_EQ(fs::file_size(slotFile()), worldFileLength(world.chestCount));
    EXPECT_EQ(readBytes(seedFile()), "1111111111");
    headless::setFileFaults({});
    plat::FileLock next;
    ASSERT_EQ(lockSlot(2, next), SlotLock::Taken);
    EXPECT_EQ(readBytes(seedFile()), "0000000043");
    EXPECT_FALSE(fs::exists(commitRecordPath(slotFile())));
    EXPECT_EQ(temporaries(), 0);
}

TEST_F(InterruptedSave, DiskFullMidwayTellsThePlayer) {
    plat::FileFaults full;
    full.failWriteAfter = 50'000'000;
    full.shortWrites = true;
    headless::setFileFaults(full);
    EXPECT_EQ(save(), 0);
    EXPECT_STREQ(game.notice.english, "World not saved: disk full!");
    EXPECT_STREQ(game.notice.italian, "Mondo non salvato: disco pieno!");
    expectOldSlotIntact();
    SaveReport report;
    EXPECT_EQ(saveWorldTo(world, slotFile(), seedFile(), &report), WorldResult::NotWritten);
    EXPECT_EQ(report.error, plat::WriteError::DiskFull);
    EXPECT_EQ(report.failedFile, slotFile());
}

TEST_F(InterruptedSave, StrayTemporaryIsNoSlotAndNeverInTheWay) {
    fs::remove(slotFile());
    writeBytes(slotFile() + ".tmp", "half a world");
    EXPECT_FALSE(slotOccupied(2));
    headless::queueMessage(plat::Message::Quit);  // cut short right after starting
    EXPECT_EQ(save(), 0);
    // Only the save's own temporaries go: the stray waits for the lock's holder.
    EXPECT_EQ(temporaries(), 1);
    EXPECT_FALSE(slotOccupied(2));
}

TEST_F(SaveFiles, QuitDuringALoadEndsItWithSuccess) {
    sparseWorldFile(slotFile(), 400000084, 1);
    headless::setClockStepPerRead(100);
    game.gameState = GameState::WorldSelect;
    openSlot(2);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(gameFrame());  // a few blocks read
    headless::queueMessage(plat::Message::Quit);
    EXPECT_FALSE(gameFrame());
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    // The slot is free again for whoever comes next.
    plat::FileLock next;
    EXPECT_EQ(lockSlot(2, next), SlotLock::Taken);
    // The half-read grid goes; the quit has done its work.
    headless::setClockStepPerRead(0);
    makeTestWorld(world);
}

}  // namespace

namespace {

// A slot whose world file exists is the player's, whatever state the file is
// in: it is never made anew over, and a file that is not a regular file is
// never waited on.
class SlotFiles : public SaveFiles {
   protected:
    uint32_t replacementsBefore = 0;
    void SetUp() override {
        SaveFiles::SetUp();
        replacementsBefore = worldEpoch(world);
    }
    // Nothing was generated or loaded into the grid.
    void expectGridUntouched() { EXPECT_EQ(worldEpoch(world), replacementsBefore); }
};

TEST_F(SlotFiles, AnUnreadableWorldFileIsTakenToldAndNeverReplaced) {
    writeBytes(slotFile(), "the old world");
    plat::FileFaults unreadable;
    unreadable.pathContains = "Mondo2";
    unreadable.failOpen = true;
    headless::setFileFaults(unreadable);
    EXPECT_TRUE(slotOccupied(2));
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    EXPECT_STREQ(game.notice.english, "World could not be read!");
    EXPECT_STREQ(game.notice.italian, "Impossibile leggere il mondo!");
    expectGridUntouched();
    headless::setFileFaults({});
    EXPECT_EQ(readBytes(slotFile()), "the old world");
}

TEST_F(SlotFiles, WithoutReadPermissionTheSlotIsStillTaken) {
    if (!permissionsStopReading()) GTEST_SKIP() << "taking the permissions away does not stop reading";
    writeBytes(slotFile(), "the old world");
    fs::permissions(slotFile(), fs::perms::none);
    EXPECT_TRUE(slotOccupied(2));
    ASSERT_EQ(open(), 0);
    EXPECT_STREQ(game.notice.english, "World could not be read!");
    expectGridUntouched();
    fs::permissions(slotFile(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readBytes(slotFile()), "the old world");
}

TEST_F(SlotFiles, AFifoInPlaceOfAFileIsDamagedAndNeverWaitedOn) {
    if (!makeFifo(slotFile())) GTEST_SKIP() << "no FIFOs on this system";
    ASSERT_TRUE(makeFifo(seedFile()));
    EXPECT_TRUE(slotOccupied(2));
    ASSERT_EQ(open(), 0);  // returns at once: nothing opens the FIFO for writing
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    EXPECT_STREQ(game.notice.english, "Damaged world Mondo2.data: not loaded!");
    expectGridUntouched();
    EXPECT_EQ(readSeedFile(seedFile()), std::nullopt);
    WorldTrailer trailer;
    EXPECT_EQ(readWorldTrailer(slotFile(), trailer), WorldFileCheck::NotAFile);
}

TEST_F(SlotFiles, AFolderInPlaceOfAFileIsDamaged) {
    fs::create_directory(slotFile());
    EXPECT_TRUE(slotOccupied(2));
    ASSERT_EQ(open(), 0);
    EXPECT_STREQ(game.notice.english, "Damaged world Mondo2.data: not loaded!");
    expectGridUntouched();
}

TEST_F(SlotFiles, ADiskFailingMidLoadIsToldAndPlayDoesNotStart) {
    sparseWorldFile(slotFile(), 400000084, 1);
    plat::FileFaults failing;
    failing.failReadAt = 123'456'789;
    headless::setFileFaults(failing);
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    EXPECT_STREQ(game.notice.english, "World could not be read!");
    headless::setFileFaults({});
    makeTestWorld(world);  // the grid holds part of the sparse file now
}

TEST_F(SlotFiles, ASlotAnotherProgramHoldsIsNeitherOpenedNorEmptied) {
    sparseWorldFile(slotFile(), 400000084, 1);
    auto expectRefused = [&](const char* how) {
        game.notice = Notice{};
        ASSERT_EQ(open(), 0) << how;
        EXPECT_EQ(game.gameState, GameState::WorldSelect) << how;
        EXPECT_STREQ(game.notice.english, "Mondo2.data is in use by another program!") << how;
        EXPECT_STREQ(game.notice.italian, "Mondo2.data in uso da un altro programma!") << how;
        expectGridUntouched();
        emptySlot(2);
        EXPECT_TRUE(slotOccupied(2)) << how;
    };
    {
        plat::FileLock tool;
        ASSERT_EQ(lockSlot(2, tool), SlotLock::Taken);
        expectRefused("held by a lock");
    }
    plat::FileFaults held;
    held.lockHeld = true;
    headless::setFileFaults(held);
    expectRefused("held by an injected lock");
    headless::setFileFaults({});

    // Once open, the game holds the slot until play returns to the menu.
    ASSERT_EQ(open(), 0);
    ASSERT_EQ(game.gameState, GameState::Playing);
    plat::FileLock tool;
    EXPECT_EQ(lockSlot(2, tool), SlotLock::InUse);
    closeSlot();
    EXPECT_EQ(lockSlot(2, tool), SlotLock::Taken);
    makeTestWorld(world);
}

TEST_F(SlotFiles, ASlotWhoseLockCannotBeTakenOrSeedReadStaysInTheSelection) {
    sparseWorldFile(slotFile(), 400000084, 1);
    fs::create_directory(slotFile() + ".lock");
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(game.gameState, GameState::WorldSelect);
    EXPECT_STREQ(game.notice.english, "Slot unusable: Mondo2.data.lock: not a regular file");
    EXPECT_STREQ(game.notice.italian, "Slot inutilizzabile: Mondo2.data.lock: file non regolare");
    emptySlot(2);
    EXPECT_TRUE(slotOccupied(2));
    fs::remove(slotFile() + ".lock");

    // A seed file that is no seed is a damaged slot, not seed 0.
    const std::string lost = makeLink(scratch.file("nowhere"), seedFile()) ? "a dangling link"
                                                                           : "no digits";
    if (lost == "no digits") writeBytes(seedFile(), "forty-two");
    game.notice = Notice{};
    ASSERT_EQ(open(), 0) << lost;
    EXPECT_EQ(game.gameState, GameState::WorldSelect) << lost;
    EXPECT_STREQ(game.notice.english, "Damaged world SemeM2.data: not loaded!") << lost;
    expectGridUntouched();
}

TEST_F(SlotFiles, AFrameThatCannotBeDrawnDuringALoadEndsTheProcess) {
    sparseWorldFile(slotFile(), 400000084, 1);
    headless::setClockStepPerRead(100);  // a unit of work a frame
    headless::setBeginSceneFails(true);
    EXPECT_LT(open(), 0);
    headless::setBeginSceneFails(false);
    headless::setClockStepPerRead(0);
    makeTestWorld(world);
}

}  // namespace

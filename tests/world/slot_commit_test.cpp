// A slot's world and seed are replaced as one: a save killed after any of
// its steps leaves, once the next holder has taken the lock, the old pair or
// the new pair, never a world beside another world's seed; and a record that
// no save wrote moves nothing.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "test_support.h"
#include "world/save_files.h"
#include "world/slot_commit.h"

namespace fs = std::filesystem;

namespace {

class SlotCommit : public GameTest {
   protected:
    void SetUp() override {
        GameTest::SetUp();
        // The cells' values do not matter here, only that there is a grid.
        if (!world.cells) {
            ASSERT_EQ(allocateWorldStorage(world), WorldResult::Done);
        }
        world.chestCount = 0;
        world.Seed = 43;
    }
    std::string worldFile() const { return worldFilePath(2); }
    std::string seedFile() const { return seedFilePath(2); }
    // The old pair: a world of one chest (so told apart by its length alone)
    // and seed 42.
    void writeOldPair() {
        fs::remove(worldFile());
        { std::ofstream(worldFile(), std::ios::binary); }
        fs::resize_file(worldFile(), worldFileLength(1));
        std::fstream f(worldFile(), std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(std::streamoff(kChestCountOffset));
        f.put(char(1 + 1));  // stored as value + 1
        f.close();
        writeBytes(seedFile(), "0000000042");
    }
    // Which pair the slot holds: "old", "new", or what it mixes.
    std::string pairHeld() const {
        const auto length = fs::file_size(worldFile());
        const std::string seed = readBytes(seedFile());
        if (length == worldFileLength(1) && seed == "0000000042") return "old";
        if (length == worldFileLength(0) && seed == "0000000043") return "new";
        return "world of " + std::to_string(length) + " bytes beside seed " + seed;
    }
    // Nothing but the slot's files and its lock.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(scratch.path)) {
            const std::string name = entry.path().filename().string();
            if (name != "Mondo2.data" && name != "SemeM2.data" && name != "Mondo2.data.lock")
                names.push_back(name);
        }
        return names;
    }
};

TEST_F(SlotCommit, AKillAfterAnyStepLeavesTheOldPairOrTheNewOneForTheNextHolder) {
    bool survived = false;
    std::vector<std::string> held;
    for (int steps = 0; !survived; ++steps) {
        SCOPED_TRACE(steps);
        ASSERT_LT(steps, 40) << "a save of more steps than any should take";
        writeOldPair();
        plat::FileLock lock;
        ASSERT_EQ(lockSlot(2, lock), SlotLock::Taken);
        plat::FileFaults kill;
        kill.killAfterSteps = steps;
        headless::setFileFaults(kill);
        const WorldResult saved = saveWorld(world, 2);
        survived = !plat::killedByFaults();
        EXPECT_TRUE(!survived || saved == WorldResult::Done);
        // The process is gone, and its lock with it; the next one takes the slot.
        headless::setFileFaults({});
        plat::releaseLock(lock);
        plat::FileLock next;
        ASSERT_EQ(lockSlot(2, next), SlotLock::Taken);
        held.push_back(pairHeld());
        EXPECT_TRUE(held.back() == "old" || held.back() == "new") << held.back();
        EXPECT_EQ(leftovers(), std::vector<std::string>{});
        // What the next holder loads is what it found.
        std::string failed;
        EXPECT_EQ(loadWorld(world, 2, &failed), WorldResult::Done) << failed;
        EXPECT_EQ(world.Seed, held.back() == "old" ? 42 : 43);
        world.chestCount = 0;
        world.Seed = 43;
    }
    // Both outcomes were met: the kills reached past the record.
    EXPECT_EQ(held.front(), "old");
    EXPECT_EQ(held.back(), "new");
    EXPECT_GE(std::count(held.begin(), held.end(), "new"), 3);
}

TEST_F(SlotCommit, ARecordNoSaveWroteIsThrownAwayAndMovesNothing) {
    writeOldPair();
    const std::string record = commitRecordPath(worldFile());
    writeBytes(worldFile() + ".tmp.1.0", "not a world");
    writeBytes(seedFile() + ".tmp.1.1", "0000000043");
    writeBytes(scratch.file("elsewhere"), "0000000099");
    const std::string records[] = {
        "garbage",
        // Sizes that disagree with the temporaries: never a save's.
        "world Mondo2.data.tmp.1.0 400000084\nseed SemeM2.data.tmp.1.1 10\n",
        // A name outside the slot's temporaries.
        "world Mondo2.data.tmp.1.0 11\nseed ../elsewhere 10\n",
    };
    for (const std::string& text : records) {
        SCOPED_TRACE(text.substr(0, 60));
        writeBytes(record, text);
        EXPECT_EQ(finishSlotCommit(worldFile(), seedFile()), Commit::Discarded);
        EXPECT_EQ(pairHeld(), "old");
        EXPECT_FALSE(fs::exists(record));
        EXPECT_EQ(readBytes(scratch.file("elsewhere")), "0000000099");
    }
    // A folder at the record's name is no record, and stops every save.
    fs::create_directory(record);
    EXPECT_EQ(finishSlotCommit(worldFile(), seedFile()), Commit::NoneFound);
    SaveReport report;
    EXPECT_EQ(saveWorld(world, 2, &report), WorldResult::NotWritten);
    EXPECT_EQ(report.failedFile, record);
    EXPECT_EQ(report.error, plat::WriteError::NotRegular);
    EXPECT_EQ(pairHeld(), "old");
}

}  // namespace

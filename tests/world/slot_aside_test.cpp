// Emptying a world slot without losing it: the slot's pair of files renamed
// to the first ".bakN" free for both, never over anything, and a slot that
// cannot be moved whole left exactly as it was.
#include <filesystem>
#include <fstream>

#include "test_support.h"
#include "world/save_files.h"

namespace fs = std::filesystem;

namespace {

class SlotAsideTest : public GameTest {
   protected:
    std::string world(const std::string& suffix = "") {
        return scratch.file("Mondo2.data" + suffix);
    }
    std::string seed(const std::string& suffix = "") {
        return scratch.file("SemeM2.data" + suffix);
    }
    void fillSlot(const std::string& worldBytes, const std::string& seedBytes) {
        writeBytes(world(), worldBytes);
        writeBytes(seed(), seedBytes);
    }
    // The number the slot went to, or -1 when it did not move.
    int moveAside() {
        int number = -1;
        return moveSlotAside(2, number) == SlotAside::Moved ? number : -1;
    }
};

TEST_F(SlotAsideTest, BothFilesGoToTheFirstNumberFreeForBoth) {
    fillSlot("first world", "1111111111");
    ASSERT_EQ(moveAside(), 1);
    EXPECT_FALSE(slotOccupied(2));
    EXPECT_FALSE(fs::exists(seed()));
    EXPECT_EQ(readBytes(world(".bak1")), "first world");
    EXPECT_EQ(readBytes(seed(".bak1")), "1111111111");

    fillSlot("second world", "2222222222");
    ASSERT_EQ(moveAside(), 2);
    EXPECT_EQ(readBytes(world(".bak1")), "first world");
    EXPECT_EQ(readBytes(world(".bak2")), "second world");
    EXPECT_EQ(readBytes(seed(".bak2")), "2222222222");

    // A number taken by either file is skipped for both, and what holds it
    // is left alone.
    writeBytes(seed(".bak3"), "someone's seed");
    fillSlot("third world", "3333333333");
    ASSERT_EQ(moveAside(), 4);
    EXPECT_FALSE(fs::exists(world(".bak3")));
    EXPECT_EQ(readBytes(seed(".bak3")), "someone's seed");
    EXPECT_EQ(readBytes(world(".bak4")), "third world");
    EXPECT_EQ(readBytes(seed(".bak4")), "3333333333");

    // A world without its seed file moves alone; a damaged one (a folder in
    // the file's place) moves all the same.
    writeBytes(world(), "no seed");
    ASSERT_EQ(moveAside(), 5);
    EXPECT_FALSE(fs::exists(seed(".bak5")));
    fs::create_directory(world());
    ASSERT_EQ(moveAside(), 6);
    EXPECT_TRUE(fs::is_directory(world(".bak6")));

    int number = -1;
    EXPECT_EQ(moveSlotAside(2, number), SlotAside::NothingThere);
    writeBytes(seed(), "a seed alone is no world");
    EXPECT_EQ(moveSlotAside(2, number), SlotAside::NothingThere);
    EXPECT_EQ(readBytes(seed()), "a seed alone is no world");
}

TEST_F(SlotAsideTest, ASlotThatCannotMoveWholeStaysAsItWas) {
    for (const char* failing : {"Mondo2", "SemeM2"}) {
        fillSlot("the world", "1234567890");
        plat::FileFaults faults;
        faults.pathContains = failing;
        faults.failRename = true;
        headless::setFileFaults(faults);
        EXPECT_EQ(moveAside(), -1) << failing;
        headless::setFileFaults({});
        EXPECT_EQ(readBytes(world()), "the world") << failing;
        EXPECT_EQ(readBytes(seed()), "1234567890") << failing;
        EXPECT_FALSE(fs::exists(world(".bak1"))) << failing;
        EXPECT_FALSE(fs::exists(seed(".bak1"))) << failing;
    }
}

TEST_F(SlotAsideTest, RenamingAsideNeverReplacesAFile) {
    writeBytes(scratch.file("a"), "a");
    writeBytes(scratch.file("b"), "b");
    EXPECT_FALSE(plat::renameWithoutReplacing(scratch.file("a"), scratch.file("b")));
    EXPECT_EQ(readBytes(scratch.file("a")), "a");
    EXPECT_EQ(readBytes(scratch.file("b")), "b");
    EXPECT_TRUE(plat::renameWithoutReplacing(scratch.file("a"), scratch.file("c")));
    EXPECT_EQ(readBytes(scratch.file("c")), "a");
    EXPECT_FALSE(plat::renameWithoutReplacing(scratch.file("a"), scratch.file("d")));
}

}  // namespace

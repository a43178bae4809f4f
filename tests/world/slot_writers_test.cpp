// One writer per slot: temporaries of its own that nothing planted at their
// names can redirect or stall, the slot's lock, and strays of killed writers
// cleared by the next one to take the lock.
#include <filesystem>

#include "test_support.h"
#include "world/save_files.h"

namespace fs = std::filesystem;

namespace {

using Planted = plat::FileFaults::Planted;

class SlotWriters : public GameTest {
   protected:
    std::string file(const std::string& name) const { return scratch.file(name); }
    // Every name in the scratch folder that starts with `prefix`.
    // Whether this system can make what the test plants (a probe made and removed).
    bool canPlant(Planted planted) const {
        const std::string probe = file("probe");
        bool made = true;
        if (planted == Planted::Fifo) made = makeFifo(probe);
        if (planted == Planted::Link) made = makeLink(file("precious"), probe);
        fs::remove(probe);
        return made;
    }
    std::vector<std::string> namesStartingWith(const std::string& prefix) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(scratch.path))
            if (entry.path().filename().string().rfind(prefix, 0) == 0)
                names.push_back(entry.path().filename().string());
        return names;
    }
};

TEST_F(SlotWriters, WhateverStandsAtATemporaryNameIsPassedOverUntouched) {
    // A FIFO would stall an open for writing; a link would carry the bytes to
    // its target; a stray file or folder would be truncated or refuse them.
    writeBytes(file("precious"), "not to be written over");
    endRunAfter(60);  // a writer stalled on the FIFO ends the test run, not the suite's patience
    for (Planted planted : {Planted::File, Planted::Link, Planted::Fifo, Planted::Folder}) {
        SCOPED_TRACE(int(planted));
        if (!canPlant(planted)) continue;
        plat::FileFaults faults;
        faults.atTemporary = planted;
        faults.linkTarget = file("precious");
        headless::setFileFaults(faults);
        writeBytes(file("Settings.data"), "old");
        plat::WriteError error = plat::WriteError::Other;
        ASSERT_TRUE(plat::replaceFile(file("Settings.data"), "new", 3, &error));
        EXPECT_EQ(error, plat::WriteError::None);
        EXPECT_EQ(readBytes(file("Settings.data")), "new");
        EXPECT_EQ(readBytes(file("precious")), "not to be written over");
        // The planted thing is left for the lock's holder to clear.
        EXPECT_EQ(namesStartingWith("Settings.data.tmp.").size(), 1u);
        headless::setFileFaults({});
        plat::removeStrayTemporaries(file("Settings.data"));
        if (planted == Planted::Folder) fs::remove(file(namesStartingWith("Settings.data.tmp.")[0]));
    }
    endRunAfter(0);
}

TEST_F(SlotWriters, OneHolderAtATimeAndTheNextClearsWhatKilledWritersLeft) {
    writeBytes(file("Mondo2.data.tmp"), "an older version's stray");
    writeBytes(file("Mondo2.data.tmp.4242.0"), "a killed writer's stray");
    makeFifo(file("SemeM2.data.tmp.4242.1"));
    makeLink(file("elsewhere"), file("Mondo2.data.tmp.4242.2"));
    fs::create_directory(file("Mondo2.data.tmp.4242.3"));
    writeBytes(file("Mondo3.data.tmp.4242.0"), "another slot's");

    plat::FileLock first, second;
    ASSERT_EQ(lockSlot(2, first), SlotLock::Taken);
    EXPECT_EQ(namesStartingWith("Mondo2.data.tmp"), std::vector<std::string>{"Mondo2.data.tmp.4242.3"});
    EXPECT_TRUE(namesStartingWith("SemeM2.data.tmp").empty());
    EXPECT_TRUE(fs::exists(file("Mondo3.data.tmp.4242.0")));

    // A second holder, in this process or another, is refused until the first lets go.
    writeBytes(file("Mondo2.data.tmp.4242.4"), "a live writer's temporary");
    EXPECT_EQ(lockSlot(2, second), SlotLock::InUse);
    EXPECT_TRUE(fs::exists(file("Mondo2.data.tmp.4242.4")));
    EXPECT_EQ(lockSlot(3, second), SlotLock::Taken);
    plat::releaseLock(first);
    EXPECT_EQ(lockSlot(2, second), SlotLock::Taken);

}

// Whatever stands at the lock's name and cannot be locked refuses the slot
// to every writer, each told which file and why; before, it let two writers
// in at once. A missing lock file is made, as a stale one is taken.
TEST_F(SlotWriters, AnythingButALockFileAtTheLocksNameRefusesTheSlot) {
    writeBytes(file("precious"), "not to be written over");
    writeBytes(file("Mondo2.data"), "the old world");
    const std::string lockName = file("Mondo2.data.lock");
    struct Case {
        Planted planted;
        std::string linkTarget;
        bool failOpen;
    };
    const Case cases[] = {{Planted::Folder, "", false},
                          {Planted::Fifo, "", false},
                          {Planted::Link, file("precious"), false},
                          {Planted::Link, file("nowhere"), false},
                          {Planted::File, "", true}};  // a file that cannot be opened
    endRunAfter(60);
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.planted));
        if (!canPlant(c.planted)) continue;
        plat::FileFaults faults;
        faults.pathContains = "Mondo2.data.lock";
        faults.atLock = c.planted;
        faults.linkTarget = c.linkTarget;
        faults.failOpen = c.failOpen;
        headless::setFileFaults(faults);
        plat::FileLock first, second;
        SaveReport report;
        EXPECT_EQ(lockSlot(2, first, &report), SlotLock::Refused);
        EXPECT_EQ(fs::path(report.failedFile).filename(), "Mondo2.data.lock");
        EXPECT_EQ(report.error,
                  c.failOpen ? plat::WriteError::NoPermission : plat::WriteError::NotRegular);
        EXPECT_EQ(lockSlot(2, second), SlotLock::Refused);
        headless::setFileFaults({});
        EXPECT_EQ(readBytes(file("precious")), "not to be written over");
        EXPECT_EQ(readBytes(file("Mondo2.data")), "the old world");
        fs::remove_all(lockName);
    }
    endRunAfter(0);
    plat::FileLock lock;
    EXPECT_EQ(lockSlot(2, lock), SlotLock::Taken);
    EXPECT_EQ(plat::pathKind(lockName), plat::PathKind::File);
}

}  // namespace

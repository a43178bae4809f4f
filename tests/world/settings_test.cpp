
#include <fstream>
#include <string>

#include "test_support.h"
#include "world/settings.h"

namespace {

class SettingsFiles : public GameTest {
   protected:
    void writeFile(const std::string& bytes) {
        std::ofstream(scratch.file("Settings.data"), std::ios::binary) << bytes;
    }
    std::string readFile() {
        std::ifstream f(scratch.file("Settings.data"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    void readWithDefaults() {
        settings = Settings{};
        EXPECT_EQ(readSettings(settings, settingsFile), 0);
    }
};

TEST_F(SettingsFiles, MissingFileKeepsItalianAndShortestDistance) {
    readWithDefaults();
    EXPECT_EQ(settings.RenderDistance, 0);
    EXPECT_EQ(settings.Language, 1);
}

TEST_F(SettingsFiles, EmptyOrShortFileFallsBackPerValue) {
    writeFile("");
    readWithDefaults();
    EXPECT_EQ(settings.RenderDistance, 0);
    EXPECT_EQ(settings.Language, 0);  // English

    writeFile("\x04");  // distance 3, language byte missing
    readWithDefaults();
    EXPECT_EQ(settings.RenderDistance, 3);
    EXPECT_EQ(settings.Language, 0);
}

TEST_F(SettingsFiles, OutOfRangeBytesBecomeZero) {
    for (char first : {'\x00', '\x06', '\x07', '\xFF'}) {
        writeFile(std::string{first, '\x02'});
        readWithDefaults();
        EXPECT_EQ(settings.RenderDistance, 0) << int(uint8_t(first));
        EXPECT_EQ(settings.Language, 1);
    }
    writeFile(std::string{'\x05', '\x09'});
    readWithDefaults();
    EXPECT_EQ(settings.RenderDistance, 4);
    EXPECT_EQ(settings.Language, 0);
}

TEST_F(SettingsFiles, EnglishIsStoredAsThreeAndReadBackAsZero) {
    settings.RenderDistance = 2;
    settings.Language = 2;
    writeSettings(settings, settingsFile);
    EXPECT_EQ(readFile(), std::string("\x03\x03", 2));
    readWithDefaults();
    EXPECT_EQ(settings.RenderDistance, 2);
    EXPECT_EQ(settings.Language, 0);

    settings.Language = 1;
    writeSettings(settings, settingsFile);
    EXPECT_EQ(readFile(), std::string("\x03\x02", 2));
}

TEST_F(SettingsFiles, LongFileReadsOnlyTheFirstTwoBytes) {
    writeFile(std::string("\x02\x02garbage-after-the-values", 26));
    readWithDefaults();
    EXPECT_EQ(settings.RenderDistance, 1);
    EXPECT_EQ(settings.Language, 1);
}

TEST_F(SettingsFiles, WhatFollowsTheTwoBytesIsKeptAndAFileNotReadIsLeftAlone) {
    writeFile(std::string("\x02\x02" "another version's bytes", 25));
    readWithDefaults();
    settings.RenderDistance = 3;
    writeSettings(settings, settingsFile);
    EXPECT_EQ(readFile(), std::string("\x04\x02" "another version's bytes", 25));
    EXPECT_FALSE(settingsFile.leftAlone);

    for (const std::string& bytes : {std::string("\x03\x02"), std::string(8192, '\x02')}) {
        writeFile(bytes);
        plat::FileFaults faults;
        faults.failOpen = bytes.size() == 2;  // unreadable; the other too long to be ours
        headless::setFileFaults(faults);
        readWithDefaults();
        headless::setFileFaults({});
        EXPECT_TRUE(settingsFile.leftAlone);
        EXPECT_EQ(settings.RenderDistance, 0);
        settings.RenderDistance = 4;
        writeSettings(settings, settingsFile);
        EXPECT_TRUE(readFile() == bytes);
    }
}

TEST_F(SettingsFiles, AFifoInItsPlaceGivesTheDefaultsWithoutWaiting) {
    if (!makeFifo(scratch.file("Settings.data"))) GTEST_SKIP() << "no FIFOs on this system";
    settings.RenderDistance = 3;
    readWithDefaults();
    EXPECT_EQ(settings.RenderDistance, 0);
    EXPECT_EQ(settings.Language, 1);
}

TEST_F(SettingsFiles, AWriteThatCannotFinishLeavesTheOldFile) {
    writeFile("\x03\x02");
    plat::FileFaults faults;
    faults.failRename = true;
    headless::setFileFaults(faults);
    settings.RenderDistance = 4;
    EXPECT_EQ(writeSettings(settings, settingsFile), 0);
    headless::setFileFaults({});
    EXPECT_EQ(readFile(), "\x03\x02");
    EXPECT_FALSE(std::filesystem::exists(scratch.file("Settings.data.tmp")));
}

}  // namespace

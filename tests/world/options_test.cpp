
#include <filesystem>
#include <string>

#include "test_support.h"
#include "world/option_table.h"
#include "world/options.h"
#include "world/settings.h"

namespace {

Options unusual() {
    return {true, 19, 30, 7, 144, 160, 0, 30, 100};
}

TEST(OptionsText, RoundTripsAndKeepsWhatItDoesNotKnowInPlace) {
    EXPECT_TRUE(parseOptions(formatOptions(unusual(), "")) == unusual());
    for (int cap : {kVsync, kUncapped}) {
        Options o;
        o.frameCap = cap;
        EXPECT_TRUE(parseOptions(formatOptions(o, "")) == o) << cap;
    }
    // The interface scale in quarter steps; a whole number as older files hold it.
    EXPECT_EQ(parseOptions("ui_scale = 1.75\n").uiScale, 7);
    EXPECT_EQ(parseOptions("ui_scale = 3\n").uiScale, 12);
    EXPECT_EQ(parseOptions("ui_scale = 8.0\n").uiScale, 32);
    const std::string previous = "# mine\r\n  field_of_view=70  \nshadows = soft\nfield_of_view = 80\n";
    EXPECT_EQ(parseOptions(previous).fieldOfView, 80);  // the last of a key decides
    Options changed;
    changed.fieldOfView = 90;
    EXPECT_EQ(formatOptions(changed, previous),
              "# mine\r\nfield_of_view = 90\nshadows = soft\nfield_of_view = 90\n"
              "fullscreen = off\nmouse_sensitivity = 10\nui_scale = auto\nframe_cap = vsync\n"
              "far_view = off\nmaster_volume = 60\neffects_volume = 100\nambience_volume = 70\n");
}

TEST(OptionsText, EachUnusableValueReadsAsItsDefault) {
    // After good values of every key, so that a bad one cannot keep the good one.
    const std::string good = formatOptions(unusual(), "");
    for (const char* bad : {"fullscreen = maybe", "fullscreen =", "mouse_sensitivity = 0",
                            "mouse_sensitivity = 20", "mouse_sensitivity = +5",
                            "field_of_view = 29", "field_of_view = 111", "field_of_view = 4.5e1",
                            "ui_scale = 0", "ui_scale = 9", "ui_scale = Auto",
                            "ui_scale = 1.3", "ui_scale = 8.25", "ui_scale = 2.", "ui_scale = .5", "frame_cap = 29",
                            "frame_cap = 1001", "far_view = 60", "far_view = 75",
                            "far_view = 170", "far_view = 99999999999999999999",
                            "master_volume = -10", "effects_volume = 110", "ambience_volume = 55"}) {
        const std::string line = bad;
        const std::string key = line.substr(0, line.find(' '));
        // The bad key reads as its default, every other keeps its good value.
        const Options read = parseOptions(good + line + "\n");
        Options expected = unusual();
        const Options defaults;
        if (key == "fullscreen") expected.fullscreen = defaults.fullscreen;
        if (key == "mouse_sensitivity") expected.mouseSensitivity = defaults.mouseSensitivity;
        if (key == "field_of_view") expected.fieldOfView = defaults.fieldOfView;
        if (key == "ui_scale") expected.uiScale = defaults.uiScale;
        if (key == "frame_cap") expected.frameCap = defaults.frameCap;
        if (key == "far_view") expected.farView = defaults.farView;
        if (key == "master_volume") expected.masterVolume = defaults.masterVolume;
        if (key == "effects_volume") expected.effectsVolume = defaults.effectsVolume;
        if (key == "ambience_volume") expected.ambienceVolume = defaults.ambienceVolume;
        EXPECT_TRUE(read == expected) << bad;
    }
}

// The table is all a new option needs: each of its steps survives the file,
// has words on the screen in both languages, and each row has a place there.
TEST(OptionTable, EveryStepRoundTripsThroughTheFileAndIsShownInBothLanguages) {
    bool placed[kOptionCount] = {};
    Settings settings;
    for (const OptionRow& row : kOptionTable) {
        ASSERT_GE(row.menuRow, 0);
        ASSERT_LT(row.menuRow, kOptionCount);
        EXPECT_FALSE(placed[row.menuRow]) << row.key;
        placed[row.menuRow] = true;
        for (int step : row.steps) {
            Options o;
            o.*row.field = step;
            EXPECT_TRUE(parseOptions(formatOptions(o, "")) == o) << row.key << " " << step;
            for (uint8_t language : {1, 2}) {
                settings.Language = language;
                EXPECT_FALSE(row.show(step, settings).empty()) << row.key << " " << step;
            }
        }
    }
}

class OptionsFiles : public GameTest {};

TEST_F(OptionsFiles, WrittenOnlyOnChangeAndAtomically) {
    const std::string path = scratch.file("Options.txt");
    options = unusual();
    ASSERT_TRUE(writeOptions(options, optionsFile));
    options = Options{};
    optionsFile = OptionsFile{};
    readOptions(options, optionsFile);
    EXPECT_TRUE(options == unusual());

    // Unchanged: nothing is written, so a failing disk is never even tried.
    plat::FileFaults faults;
    faults.failRename = true;
    headless::setFileFaults(faults);
    EXPECT_TRUE(writeOptions(options, optionsFile));
    options.fieldOfView = 100;
    const std::string before = readBytes(path);
    EXPECT_FALSE(writeOptions(options, optionsFile));
    EXPECT_EQ(readBytes(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    // Renamed into place but its folder not flushed: written, and told so.
    faults = {};
    faults.failFolderFlush = true;
    headless::setFileFaults(faults);
    EXPECT_TRUE(writeOptions(options, optionsFile));
    EXPECT_NE(readBytes(path), before);
}

// What could not be read whole is never written over: the run keeps the
// defaults and the file its every byte (before, a file over 64 KiB was read
// as empty and replaced by 168 bytes at the first change).
TEST_F(OptionsFiles, AFileNotReadWholeGivesTheDefaultsAndIsNeverWrittenOver) {
    const std::string path = scratch.file("Options.txt");
    auto changeAndWrite = [&] {
        options.fieldOfView = 100;
        EXPECT_TRUE(
            writeOptions(options, optionsFile));  // nothing to do: the player was told at the start
    };
    if (makeFifo(path)) {
        options = unusual();
        EXPECT_FALSE(readOptions(options, optionsFile));  // must not wait for a writer
        EXPECT_TRUE(options == Options{});
        changeAndWrite();
        EXPECT_EQ(plat::pathKind(path), plat::PathKind::Other);
        std::filesystem::remove(path);
    }

    std::filesystem::create_directory(path);
    options = unusual();
    EXPECT_FALSE(readOptions(options, optionsFile));
    EXPECT_TRUE(options == Options{});
    changeAndWrite();
    EXPECT_TRUE(std::filesystem::is_directory(path));
    std::filesystem::remove(path);

    const std::string big = "far_view = 90\n" + std::string(kMaxOptionsFileBytes, '#');
    writeBytes(path, big);
    EXPECT_FALSE(readOptions(options, optionsFile));
    EXPECT_TRUE(options == Options{});
    changeAndWrite();
    EXPECT_TRUE(readBytes(path) == big);

    const std::string unreadable = "far_view = 90\nmine = kept\n";
    writeBytes(path, unreadable);
    plat::FileFaults faults;
    faults.failOpen = true;
    headless::setFileFaults(faults);
    EXPECT_FALSE(readOptions(options, optionsFile));
    headless::setFileFaults({});
    changeAndWrite();
    EXPECT_EQ(readBytes(path), unreadable);

    // Large but within bounds: read whole, and every line kept.
    const std::string many = std::string(90'000, '#').replace(0, 1, "x") + "\nfar_view = 90\n";
    writeBytes(path, many);
    EXPECT_TRUE(readOptions(options, optionsFile));
    EXPECT_EQ(options.farView, 90);
    changeAndWrite();
    EXPECT_EQ(readBytes(path).substr(0, many.size() - 14), many.substr(0, many.size() - 14));
    readOptions(options, optionsFile);
    EXPECT_EQ(options.fieldOfView, 100);
}

}  // namespace

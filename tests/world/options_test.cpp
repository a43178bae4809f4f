#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "test_support.h"
#include "world/options.h"

namespace {

Options unusual() {
    Options o;
    o.fullscreen = true;
    o.mouseSensitivity = 19;
    o.fieldOfView = 30;
    o.uiScale = 3;
    o.frameCap = 144;
    o.farView = 160;
    return o;
}

TEST(OptionsText, RoundTripsAndKeepsWhatItDoesNotKnowInPlace) {
    EXPECT_TRUE(parseOptions("") == Options{});
    EXPECT_TRUE(parseOptions(formatOptions(unusual(), "")) == unusual());
    for (int cap : {kVsync, kUncapped, 30, 1000}) {
        Options o;
        o.frameCap = cap;
        EXPECT_TRUE(parseOptions(formatOptions(o, "")) == o) << cap;
    }

    const std::string previous =
        "# mine\r\n"
        "  field_of_view=70  \n"
        "shadows = soft\n"
        "not a setting at all\n"
        "field_of_view = 80\n";  // the last of a key decides
    EXPECT_EQ(parseOptions(previous).fieldOfView, 80);
    Options changed;
    changed.fieldOfView = 90;
    EXPECT_EQ(formatOptions(changed, previous),
              "# mine\r\n"
              "field_of_view = 90\n"
              "shadows = soft\n"
              "not a setting at all\n"
              "field_of_view = 90\n"
              "fullscreen = off\n"
              "mouse_sensitivity = 10\n"
              "ui_scale = auto\n"
              "frame_cap = vsync\n"
              "far_view = off\n");
}

TEST(OptionsText, EachUnusableValueReadsAsItsDefault) {
    const char* bad[] = {
        "fullscreen = maybe",      "fullscreen =",          "mouse_sensitivity = 0",
        "mouse_sensitivity = 20",  "mouse_sensitivity = 5x", "mouse_sensitivity = +5",
        "field_of_view = 29",      "field_of_view = 111",   "field_of_view = 4.5e1",
        "ui_scale = 0",            "ui_scale = 9",          "ui_scale = Auto",
        "frame_cap = 29",          "frame_cap = 1001",      "frame_cap = -1",
        "far_view = 60",           "far_view = 75",         "far_view = 170",
        "far_view = 99999999999999999999",
    };
    for (const char* line : bad) {
        // A good value before it does not survive: the bad line is the last word.
        const std::string text = formatOptions(unusual(), "") + line + "\n";
        const Options read = parseOptions(text);
        Options expected = unusual();
        const std::string key = std::string(line).substr(0, std::string(line).find(' '));
        if (key == "fullscreen") expected.fullscreen = false;
        if (key == "mouse_sensitivity") expected.mouseSensitivity = 10;
        if (key == "field_of_view") expected.fieldOfView = 45;
        if (key == "ui_scale") expected.uiScale = 0;
        if (key == "frame_cap") expected.frameCap = kVsync;
        if (key == "far_view") expected.farView = 0;
        EXPECT_TRUE(read == expected) << line;
    }
}

class OptionsFile : public GameTest {};

TEST_F(OptionsFile, WrittenOnlyOnChangeAndAtomically) {
    const std::string path = scratch.file("Options.txt");
    readOptions();
    EXPECT_TRUE(options == Options{});
    options = unusual();
    ASSERT_TRUE(writeOptions());
    resetOptions();
    readOptions();
    EXPECT_TRUE(options == unusual());

    // Unchanged: nothing is written, so a failing disk is never even tried.
    plat::FileFaults faults;
    faults.failRename = true;
    headless::setFileFaults(faults);
    EXPECT_TRUE(writeOptions());
    options.fieldOfView = 100;
    const std::string before = readBytes(path);
    EXPECT_FALSE(writeOptions());
    EXPECT_EQ(readBytes(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(OptionsFile, AnythingButASmallRegularFileGivesTheDefaults) {
    const std::string path = scratch.file("Options.txt");
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    options = unusual();
    readOptions();  // must not wait for a writer
    EXPECT_TRUE(options == Options{});
    std::filesystem::remove(path);

    std::filesystem::create_directory(path);
    options = unusual();
    readOptions();
    EXPECT_TRUE(options == Options{});
    EXPECT_FALSE(writeOptions());
    EXPECT_TRUE(std::filesystem::is_directory(path));
    std::filesystem::remove(path);

    writeBytes(path, "field_of_view = 90\n" + std::string(70 * 1024, '#'));
    readOptions();
    EXPECT_TRUE(options == Options{});
}

}  // namespace

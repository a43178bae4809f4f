// Shared fixtures: every test starts from fresh values, with the executable's
// folder pointed at a scratch directory removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/game_state.h"
#include "platform/headless/headless.h"
#include "render/render_state.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

// A folder of its own under the system temp directory, deleted on destruction.
struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder();
    ~ScratchFolder();
    std::string file(const std::string& name) const { return (path / name).string(); }
};

// A whole file's bytes ("" when it cannot be read), and a file made of bytes.
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// Things only some systems can make: false where this one cannot, and the
// test leaves that case out (Windows has no FIFOs, and its links need a
// right most accounts lack).
bool makeFifo(const std::string& path);
bool makeLink(const std::string& target, const std::string& path);
// Taking a file's permissions away stops this process reading it: not for
// root, and not on Windows, where they only set a read-only flag.
bool permissionsStopReading();
// Ends the test program after that many seconds (0: never), where a stalled
// open would otherwise hang it; a no-op where nothing can stall (Windows).
void endRunAfter(unsigned seconds);

// The app's game value as a fresh process has it, with no slot held.
void resetGame();

// Resets the headless platform, with an Italian desktop, and points the
// executable's folder at a scratch folder.
class HeadlessTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;
    ScratchFolder scratch;
};

// A test of what lies below the app: a world (no grid until a test sizes
// it), options, settings and renderer state of its own.
class GameTest : public HeadlessTest {
   protected:
    World world;
    Options options;
    OptionsFile optionsFile;
    Settings settings;
    SettingsFile settingsFile;
    RenderState renderer;
};

// A test that drives the app: its game value made afresh, no slot held, and
// the parts of it a GameTest owns under the same names. The game is made
// afresh before the fixture's own members, which may build in its world.
class AppTest : public HeadlessTest {
   protected:
    AppTest() { resetGame(); }
    World& world = game.world;
    Options& options = game.options;
    OptionsFile& optionsFile = game.optionsFile;
    Settings& settings = game.settings;
    SettingsFile& settingsFile = game.settingsFile;
    RenderState& renderer = game.renderer;
};

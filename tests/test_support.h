// Shared fixture: every test starts from a fresh process state, with the
// executable's folder pointed at a scratch directory removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/headless/headless.h"

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

// Resets the headless platform and every game global, and points the
// executable's folder at a scratch folder.
class GameTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;
    ScratchFolder scratch;
};

// Resets the game's process-wide values (not the grid's cells).
void resetGameGlobals();

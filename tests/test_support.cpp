#include "test_support.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#else
#include <process.h>
#endif

#include <atomic>
#include <fstream>
#include <iterator>

#include "app/game_state.h"
#include "app/world_ops.h"

std::string readBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool makeFifo(const std::string& path) {
    // Emscripten makes one on node's disk but then takes it for a regular
    // file, and a page's files never hold one.
#if defined(_WIN32) || defined(__EMSCRIPTEN__)
    (void)path;
    return false;
#else
    return ::mkfifo(path.c_str(), 0644) == 0;
#endif
}

bool makeLink(const std::string& target, const std::string& path) {
    std::error_code ec;
    std::filesystem::create_symlink(target, path, ec);
    return !ec;
}

bool permissionsStopReading() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() != 0;
#endif
}

void endRunAfter(unsigned seconds) {
#ifdef _WIN32
    (void)seconds;
#else
    ::alarm(seconds);
#endif
}

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    // Always a new folder: one an earlier process with the same id left
    // behind (killed before it could clean up) would hand its files to the test.
    do
        path = std::filesystem::temp_directory_path() /
               ("velmora-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    while (!std::filesystem::create_directory(path));
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

void resetGame() {
    closeSlot();
    game = Game{};
}

void HeadlessTest::SetUp() {
    headless::reset();
    headless::setExeFolder(scratch.path.string());
    // An Italian desktop: the language every first start spoke before it asked.
    headless::setEnvironment({{"LANGUAGE", "it"}});
}

void HeadlessTest::TearDown() {
    headless::reset();
}

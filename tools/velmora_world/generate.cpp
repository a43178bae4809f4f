// `generate`: the world the game makes for a seed, written as slot K's files.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "commands.h"
#include "platform/headless/headless.h"
#include "world/generation.h"
#include "world/progress_pump.h"
#include "world/save_files.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Progress {
    const char* phase = "";
    Clock::time_point start;
    Clock::time_point lastShown;
    int frames = 0;
    bool terminal = false;
};
Progress progress;

void beginPhase(const char* phase) {
    progress.phase = phase;
    progress.start = progress.lastShown = Clock::now();
    progress.frames = 0;
    if (!progress.terminal) std::fprintf(stderr, "%s ...\n", phase);
}

// The pump's frame: a bar that sweeps while the work goes on, redrawn at most
// ten times a second; only on a terminal, so that logs stay one line a phase.
int drawProgress() {
    if (!progress.terminal) return 0;
    auto now = Clock::now();
    if (now - progress.lastShown < std::chrono::milliseconds(100)) return 0;
    progress.lastShown = now;
    constexpr int kWidth = 30;
    int head = progress.frames++ % (2 * kWidth);
    if (head >= kWidth) head = 2 * kWidth - 1 - head;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i) bar[i] = (i >= head - 2 && i <= head + 2) ? '#' : '.';
    bar[kWidth] = '\0';
    double seconds = std::chrono::duration<double>(now - progress.start).count();
    std::fprintf(stderr, "\r%-12s [%s] %5.1f s", progress.phase, bar, seconds);
    return 0;
}

void endPhase() {
    if (!progress.terminal) return;
    double seconds = std::chrono::duration<double>(Clock::now() - progress.start).count();
    std::fprintf(stderr, "\r%-12s done in %.1f s%30s\n", progress.phase, seconds, "");
}

bool parseInt(const char* text, long lo, long hi, long& out) {
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text, &end, 10);
    if (errno || end == text || *end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}

}  // namespace

void printGenerateHelp() {
    std::printf(
        "usage: velmora-world generate --seed SEED --slot K --dir DIR\n"
        "\n"
        "Generates the world the game makes from SEED (a 32-bit signed number) and\n"
        "writes it as slot K (1 to 4) into folder DIR: MondoK.data and SemeMK.data,\n"
        "each replaced atomically. Progress goes to standard error.\n");
}

int runGenerate(int argc, char** argv) {
    long seed = 0, slot = 0;
    bool haveSeed = false, haveSlot = false;
    const char* dir = nullptr;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
            printGenerateHelp();
            return 0;
        }
        const bool known = !std::strcmp(arg, "--seed") || !std::strcmp(arg, "--slot") ||
                           !std::strcmp(arg, "--dir");
        if (!known || i + 1 >= argc) {
            std::fprintf(stderr, "velmora-world generate: %s '%s'\n",
                         known ? "missing value for" : "unknown argument", arg);
            printUsage();
            return kExitUsage;
        }
        const char* value = argv[++i];
        if (!std::strcmp(arg, "--seed")) {
            haveSeed = parseInt(value, INT32_MIN, INT32_MAX, seed);
            if (!haveSeed) {
                std::fprintf(stderr, "velmora-world generate: bad seed '%s'\n", value);
                return kExitUsage;
            }
        } else if (!std::strcmp(arg, "--slot")) {
            haveSlot = parseInt(value, 1, 4, slot);
            if (!haveSlot) {
                std::fprintf(stderr, "velmora-world generate: slot must be 1 to 4, not '%s'\n",
                             value);
                return kExitUsage;
            }
        } else {
            dir = value;
        }
    }
    if (!haveSeed || !haveSlot || !dir) {
        std::fprintf(stderr, "velmora-world generate: --seed, --slot and --dir are all needed\n");
        printUsage();
        return kExitUsage;
    }
    struct stat info;
    if (::stat(dir, &info) != 0 || !S_ISDIR(info.st_mode)) {
        std::fprintf(stderr, "velmora-world generate: '%s' is not a folder\n", dir);
        return kExitFailed;
    }

    std::string folder = dir;
    if (folder.back() != '/') folder += '/';
    const std::string digit(1, char('0' + slot));
    const std::string worldPath = folder + "Mondo" + digit + ".data";
    const std::string seedPath = folder + "SemeM" + digit + ".data";

    // The headless clock moves on with every reading, so the pump calls the
    // progress display regularly; nothing generated depends on it.
    headless::reset();
    headless::setClockStepPerRead(1);
    progress.terminal = ::isatty(STDERR_FILENO);
    ProgressPump pump;
    pump.drawFrame = drawProgress;

    beginPhase("generating");
    if (WorldResult r = generateWorldFromSeed(int32_t(seed), pump); r != WorldResult::Done) {
        std::fprintf(stderr, "\nvelmora-world generate: generation did not finish: %s\n",
                     describe(r));
        return kExitFailed;
    }
    endPhase();
    beginPhase("saving");
    if (WorldResult r = saveWorldTo(worldPath, seedPath, pump); r != WorldResult::Done) {
        std::fprintf(stderr, "\nvelmora-world generate: could not write %s: %s\n",
                     worldPath.c_str(), describe(r));
        return kExitFailed;
    }
    endPhase();
    std::printf("seed %ld written to %s and %s\n", seed, worldPath.c_str(), seedPath.c_str());
    return 0;
}

#include "progress.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/headless/headless.h"

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

}  // namespace

// A bar that sweeps while the work goes on, redrawn at most ten times a
// second; only on a terminal, so that logs stay one line a phase.
void showProgress() {
    if (!progress.terminal) return;
    auto now = Clock::now();
    if (now - progress.lastShown < std::chrono::milliseconds(100)) return;
    progress.lastShown = now;
    constexpr int kWidth = 30;
    int head = progress.frames++ % (2 * kWidth);
    if (head >= kWidth) head = 2 * kWidth - 1 - head;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i) bar[i] = (i >= head - 2 && i <= head + 2) ? '#' : '.';
    bar[kWidth] = '\0';
    double seconds = std::chrono::duration<double>(now - progress.start).count();
    std::fprintf(stderr, "\r%-12s [%s] %5.1f s", progress.phase, bar, seconds);
}

int32_t toolClockMs() {
    static const Clock::time_point start = Clock::now();
    return int32_t(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

void beginPhase(const char* phase) {
    progress.phase = phase;
    progress.start = progress.lastShown = Clock::now();
    progress.frames = 0;
    if (!progress.terminal) std::fprintf(stderr, "%s ...\n", phase);
}

void endPhase() {
    if (!progress.terminal) return;
    double seconds = std::chrono::duration<double>(Clock::now() - progress.start).count();
    std::fprintf(stderr, "\r%-12s done in %.1f s%30s\n", progress.phase, seconds, "");
}

void startProgress() {
    headless::reset();
    progress.terminal = ::isatty(STDERR_FILENO);
}

bool parseInt(const char* text, long lo, long hi, long& out) {
    // strtol passes over leading spaces and takes a plus: neither is a number here.
    const bool digitFirst = (text[0] >= '0' && text[0] <= '9') ||
                            (text[0] == '-' && text[1] >= '0' && text[1] <= '9');
    if (!digitFirst) return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text, &end, 10);
    if (errno || end == text || *end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}

SlotFiles slotFiles(const std::string& dir, long slot) {
    std::string folder = dir;
    if (folder.empty() || folder.back() != '/') folder += '/';
    const std::string digit(1, char('0' + slot));
    return SlotFiles{folder + "Mondo" + digit + ".data", folder + "SemeM" + digit + ".data"};
}

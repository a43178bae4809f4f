#include "ui/option_rows.h"

#include <cstdio>

#include "world/settings.h"

namespace {

struct Row {
    const char* english;
    const char* italian;
    int Options::*field;
    const int* steps;
    int stepCount;
    std::string (*text)(int value);
};

template <size_t N>
constexpr int count(const int (&)[N]) {
    return int(N);
}

std::string format(const char* pattern, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

constexpr int kSensitivitySteps[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
                                     11, 12, 13, 14, 15, 16, 17, 18, 19};
constexpr int kFieldOfViewSteps[] = {30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80,
                                     85, 90, 95, 100, 105, 110};
constexpr int kFarViewSteps[] = {0, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160};
constexpr int kFrameCapSteps[] = {kVsync, 30, 60, 120, 144, 240, kUncapped};
constexpr int kOnOffSteps[] = {0, 1};
// Auto, then 1x, 1.25x, ... in quarters.
constexpr int kScaleSteps[] = {0,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                               20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};
constexpr int kVolumeSteps[] = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};

std::string number(int v) {
    return std::to_string(v);
}
std::string degrees(int v) {
    return format("%d\xC2\xB0", v);  // the degree sign, in UTF-8
}
std::string farView(int v) {
    return v == 0 ? tr("Off (F5)", "Spenta (F5)") : format("%d m", v);
}
std::string frameCap(int v) {
    if (v == kVsync) return tr("Screen sync", "Sincronizzati");
    if (v == kUncapped) return tr("Unlimited", "Illimitati");
    return format("%d fps", v);
}
std::string onOff(int v) {
    return v ? tr("On", "Attivo") : tr("Off", "Spento");
}
std::string scale(int v) {
    if (v == 0) return tr("Auto", "Automatica");
    constexpr const char* kQuarters[4] = {"", ".25", ".5", ".75"};
    return std::to_string(v / 4) + kQuarters[v % 4] + "x";
}
std::string percent(int v) {
    return format("%d%%", v);
}

const Row kRows[kOptionRowCount] = {
    {"Mouse sensitivity:", "Sensibilita' mouse:", &Options::mouseSensitivity, kSensitivitySteps,
     count(kSensitivitySteps), number},
    {"Field of view:", "Campo visivo:", &Options::fieldOfView, kFieldOfViewSteps,
     count(kFieldOfViewSteps), degrees},
    {"Far view:", "Vista lontana:", &Options::farView, kFarViewSteps, count(kFarViewSteps),
     farView},
    {"Frame rate:", "Fotogrammi:", &Options::frameCap, kFrameCapSteps, count(kFrameCapSteps),
     frameCap},
    // No int field: fullscreen is a bool, stepped as 0 and 1.
    {"Fullscreen:", "Schermo intero:", nullptr, kOnOffSteps, count(kOnOffSteps), onOff},
    {"Interface size:", "Scala interfaccia:", &Options::uiScale, kScaleSteps, count(kScaleSteps),
     scale},
    {"Master volume:", "Volume generale:", &Options::masterVolume, kVolumeSteps,
     count(kVolumeSteps), percent},
    {"Effects volume:", "Volume effetti:", &Options::effectsVolume, kVolumeSteps,
     count(kVolumeSteps), percent},
    {"Ambience volume:", "Volume ambiente:", &Options::ambienceVolume, kVolumeSteps,
     count(kVolumeSteps), percent},
};

int valueOf(const Options& o, const Row& r) {
    return r.field ? o.*r.field : int(o.fullscreen);
}

}  // namespace

int moreOptionsRowY(int choice) {
    // 200, 220, ... 380 under the screen's title; the notice's line (400) stays clear.
    return 180 + 20 * choice;
}

const char* optionRowLabel(int row) {
    if (row < 0 || row >= kOptionRowCount) return "";
    return tr(kRows[row].english, kRows[row].italian);
}

std::string optionRowValue(const Options& values, int row) {
    if (row < 0 || row >= kOptionRowCount) return {};
    return kRows[row].text(valueOf(values, kRows[row]));
}

void stepOptionRow(Options& values, int row, int direction, int largestScale) {
    if (row < 0 || row >= kOptionRowCount) return;
    const Row& r = kRows[row];
    // Scales too big for the window are not offered.
    int count = r.stepCount;
    if (r.field == &Options::uiScale)
        while (count > 1 && r.steps[count - 1] > largestScale) --count;
    const int current = valueOf(values, r);
    int at = -1;
    for (int i = 0; i < count; ++i)
        if (r.steps[i] == current) at = i;
    const int next = at < 0 ? 0 : (at + (direction < 0 ? count - 1 : 1)) % count;
    if (r.field)
        values.*r.field = r.steps[next];
    else
        values.fullscreen = r.steps[next] != 0;
}

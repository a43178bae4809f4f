#include "world/option_table.h"

#include <charconv>
#include <cstdio>

#include "platform/platform.h"
#include "world/settings.h"

namespace {

bool readNumber(std::string_view text, int low, int high, int& out) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

std::string format(const char* pattern, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string number(int v) {
    return std::to_string(v);
}
std::string showNumber(int v, const Settings&) {
    return number(v);
}

// ---- fullscreen: "on" or "off" (and a few spellings people write by hand)
bool readOnOff(std::string_view v, int& out) {
    if (v == "on" || v == "yes" || v == "true" || v == "1") return out = 1, true;
    if (v == "off" || v == "no" || v == "false" || v == "0") return out = 0, true;
    return false;
}
std::string writeOnOff(int v) {
    return v ? "on" : "off";
}
std::string showOnOff(int v, const Settings& settings) {
    return v ? tr(settings, "On", "Attivo") : tr(settings, "Off", "Spento");
}
void applyFullscreen(int v) {
    plat::setFullscreen(v != 0);
}

// ---- mouse sensitivity, 1..19; field of view, 30..110 degrees
bool readSensitivity(std::string_view v, int& out) {
    return readNumber(v, 1, 19, out);
}
bool readFieldOfView(std::string_view v, int& out) {
    return readNumber(v, 30, 110, out);
}
std::string showDegrees(int v, const Settings&) {
    return format("%d\xC2\xB0", v);  // the degree sign, in UTF-8
}

// ---- interface scale: "auto", or 1 to 8 in steps of a quarter ("1", "1.25",
// "1.5", "1.75", "2", ...), kept in quarters
constexpr const char* kQuarters[4] = {"", ".25", ".5", ".75"};
bool readScale(std::string_view text, int& quarters) {
    if (text == "auto") return quarters = 0, true;
    const size_t point = text.find('.');
    int whole = 0;
    if (!readNumber(text.substr(0, point), 1, 8, whole)) return false;
    int quarter = 0;
    if (point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point);
        quarter = fraction == ".0" ? 0 : -1;
        for (int i = 1; i < 4; ++i)
            if (fraction == kQuarters[i]) quarter = i;
        if (quarter < 0) return false;
    }
    if (whole == 8 && quarter > 0) return false;
    quarters = 4 * whole + quarter;
    return true;
}
std::string writeScale(int quarters) {
    if (quarters == 0) return "auto";
    return std::to_string(quarters / 4) + kQuarters[quarters % 4];
}
std::string showScale(int quarters, const Settings& settings) {
    if (quarters == 0) return tr(settings, "Auto", "Automatica");
    return writeScale(quarters) + "x";
}

// ---- frame cap: "vsync", "off" (unlimited) or 30..1000 frames a second
bool readFrameCap(std::string_view v, int& out) {
    if (v == "vsync") return out = kVsync, true;
    if (v == "off") return out = kUncapped, true;
    return readNumber(v, 30, 1000, out);
}
std::string writeFrameCap(int v) {
    if (v == kVsync) return "vsync";
    return v == kUncapped ? "off" : std::to_string(v);
}
std::string showFrameCap(int v, const Settings& settings) {
    if (v == kVsync) return tr(settings, "Screen sync", "Sincronizzati");
    if (v == kUncapped) return tr(settings, "Unlimited", "Illimitati");
    return format("%d fps", v);
}
void applyFrameCap(int v) {
    plat::setFrameCap(v == kVsync ? plat::kSyncToDisplay : v == kUncapped ? plat::kNoFrameCap : v);
}

// ---- far view: "off" or 70..160 m in steps of 10
bool readFarView(std::string_view v, int& out) {
    if (v == "off") return out = 0, true;
    int metres = 0;
    if (!readNumber(v, 70, 160, metres) || metres % 10 != 0) return false;
    return out = metres, true;
}
std::string writeFarView(int v) {
    return v == 0 ? "off" : std::to_string(v);
}
std::string showFarView(int v, const Settings& settings) {
    return v == 0 ? tr(settings, "Off (F5)", "Spenta (F5)") : format("%d m", v);
}

// ---- volumes: 0..100 % in steps of 10
bool readVolume(std::string_view text, int& out) {
    int percent = 0;
    if (!readNumber(text, 0, 100, percent) || percent % 10 != 0) return false;
    out = percent;
    return true;
}
std::string showPercent(int v, const Settings&) {
    return format("%d%%", v);
}

constexpr int kOnOffSteps[] = {0, 1};
constexpr int kSensitivitySteps[] = {1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                     11, 12, 13, 14, 15, 16, 17, 18, 19};
constexpr int kFieldOfViewSteps[] = {30, 35, 40, 45, 50, 55, 60, 65, 70,
                                     75, 80, 85, 90, 95, 100, 105, 110};
// Auto, then 1x, 1.25x, ... in quarters.
constexpr int kScaleSteps[] = {0,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                               18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};
constexpr int kFrameCapSteps[] = {kVsync, 30, 60, 120, 144, 240, kUncapped};
constexpr int kFarViewSteps[] = {0, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160};
constexpr int kVolumeSteps[] = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};

}  // namespace

// In the order lines are added to a file that lacks them.
const OptionRow kOptionTable[kOptionCount] = {
    {"fullscreen", "Fullscreen:", "Schermo intero:", &Options::fullscreen, kOnOffSteps, readOnOff,
     writeOnOff, showOnOff, applyFullscreen, 4},
    {"mouse_sensitivity", "Mouse sensitivity:", "Sensibilita' mouse:", &Options::mouseSensitivity,
     kSensitivitySteps, readSensitivity, number, showNumber, nullptr, 0},
    {"field_of_view", "Field of view:", "Campo visivo:", &Options::fieldOfView, kFieldOfViewSteps,
     readFieldOfView, number, showDegrees, nullptr, 1},
    {"ui_scale", "Interface size:", "Scala interfaccia:", &Options::uiScale, kScaleSteps, readScale,
     writeScale, showScale, nullptr, 5},
    {"frame_cap", "Frame rate:", "Fotogrammi:", &Options::frameCap, kFrameCapSteps, readFrameCap,
     writeFrameCap, showFrameCap, applyFrameCap, 3},
    {"far_view", "Far view:", "Vista lontana:", &Options::farView, kFarViewSteps, readFarView,
     writeFarView, showFarView, nullptr, 2},
    {"master_volume", "Master volume:", "Volume generale:", &Options::masterVolume, kVolumeSteps,
     readVolume, number, showPercent, nullptr, 6},
    {"effects_volume", "Effects volume:", "Volume effetti:", &Options::effectsVolume, kVolumeSteps,
     readVolume, number, showPercent, nullptr, 7},
    {"ambience_volume", "Ambience volume:", "Volume ambiente:", &Options::ambienceVolume,
     kVolumeSteps, readVolume, number, showPercent, nullptr, 8},
};

const OptionRow* optionAtMenuRow(int menuRow) {
    for (const OptionRow& row : kOptionTable)
        if (row.menuRow == menuRow) return &row;
    return nullptr;
}

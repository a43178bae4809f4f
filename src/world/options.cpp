#include "world/options.h"

#include <charconv>
#include <vector>

#include "platform/files.h"
#include "platform/platform.h"

Options options;

namespace {

std::string remembered;  // the file's text as last read or written
// The file could not be read whole: it is never written over.
bool leftAlone = false;

std::string_view trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool readNumber(std::string_view text, int low, int high, int& out) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

bool readVolume(std::string_view text, int& out) {
    int percent = 0;
    if (!readNumber(text, 0, 100, percent) || percent % 10 != 0) return false;
    out = percent;
    return true;
}

// The interface scale: "auto", or 1 to 8 in steps of a quarter ("1", "1.25",
// "1.5", "1.75", "2", ...), kept in quarters.
bool readScale(std::string_view text, int& quarters) {
    if (text == "auto") return quarters = 0, true;
    const size_t point = text.find('.');
    int whole = 0;
    if (!readNumber(text.substr(0, point), 1, 8, whole)) return false;
    int quarter = 0;
    if (point != std::string_view::npos) {
        constexpr std::string_view kQuarters[4] = {"0", "25", "5", "75"};
        const std::string_view fraction = text.substr(point + 1);
        quarter = -1;
        for (int i = 0; i < 4; ++i)
            if (fraction == kQuarters[i]) quarter = i;
        if (quarter < 0) return false;
    }
    if (whole == 8 && quarter > 0) return false;
    quarters = 4 * whole + quarter;
    return true;
}

std::string writeScale(int quarters) {
    if (quarters == 0) return "auto";
    constexpr const char* kQuarters[4] = {"", ".25", ".5", ".75"};
    return std::to_string(quarters / 4) + kQuarters[quarters % 4];
}

// One known key: how its value reads and how it is written.
struct Key {
    const char* name;
    bool (*read)(std::string_view value, Options& into);  // false: unusable
    std::string (*write)(const Options& from);
};

const Key kKeys[] = {
    {"fullscreen",
     [](std::string_view v, Options& o) {
         if (v == "on" || v == "yes" || v == "true" || v == "1") return o.fullscreen = true, true;
         if (v == "off" || v == "no" || v == "false" || v == "0") return o.fullscreen = false, true;
         return false;
     },
     [](const Options& o) { return std::string(o.fullscreen ? "on" : "off"); }},
    {"mouse_sensitivity",
     [](std::string_view v, Options& o) { return readNumber(v, 1, 19, o.mouseSensitivity); },
     [](const Options& o) { return std::to_string(o.mouseSensitivity); }},
    {"field_of_view",
     [](std::string_view v, Options& o) { return readNumber(v, 30, 110, o.fieldOfView); },
     [](const Options& o) { return std::to_string(o.fieldOfView); }},
    {"ui_scale", [](std::string_view v, Options& o) { return readScale(v, o.uiScale); },
     [](const Options& o) { return writeScale(o.uiScale); }},
    {"frame_cap",
     [](std::string_view v, Options& o) {
         if (v == "vsync") return o.frameCap = kVsync, true;
         if (v == "off") return o.frameCap = kUncapped, true;
         return readNumber(v, 30, 1000, o.frameCap);
     },
     [](const Options& o) {
         if (o.frameCap == kVsync) return std::string("vsync");
         return o.frameCap == kUncapped ? std::string("off") : std::to_string(o.frameCap);
     }},
    {"far_view",
     [](std::string_view v, Options& o) {
         if (v == "off") return o.farView = 0, true;
         int metres = 0;
         if (!readNumber(v, 70, 160, metres) || metres % 10 != 0) return false;
         return o.farView = metres, true;
     },
     [](const Options& o) { return o.farView == 0 ? std::string("off") : std::to_string(o.farView); }},
    {"master_volume", [](std::string_view v, Options& o) { return readVolume(v, o.masterVolume); },
     [](const Options& o) { return std::to_string(o.masterVolume); }},
    {"effects_volume", [](std::string_view v, Options& o) { return readVolume(v, o.effectsVolume); },
     [](const Options& o) { return std::to_string(o.effectsVolume); }},
    {"ambience_volume", [](std::string_view v, Options& o) { return readVolume(v, o.ambienceVolume); },
     [](const Options& o) { return std::to_string(o.ambienceVolume); }},
};

// The known key a line sets, or nullptr (blank lines, comments, other keys).
const Key* keyOf(std::string_view line, std::string_view& value) {
    const std::string_view text = trim(line);
    if (text.empty() || text.front() == '#') return nullptr;
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return nullptr;
    const std::string_view name = trim(text.substr(0, equals));
    for (const Key& key : kKeys)
        if (name == key.name) {
            value = trim(text.substr(equals + 1));
            return &key;
        }
    return nullptr;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines;
}

}  // namespace

bool operator==(const Options& a, const Options& b) {
    return a.fullscreen == b.fullscreen && a.mouseSensitivity == b.mouseSensitivity &&
           a.fieldOfView == b.fieldOfView && a.uiScale == b.uiScale &&
           a.frameCap == b.frameCap && a.farView == b.farView &&
           a.masterVolume == b.masterVolume && a.effectsVolume == b.effectsVolume &&
           a.ambienceVolume == b.ambienceVolume;
}

Options parseOptions(std::string_view text) {
    Options values;
    for (std::string_view line : linesOf(text)) {
        std::string_view value;
        const Key* key = keyOf(line, value);
        if (!key) continue;
        // The last line of a key decides, and an unusable one means the default.
        Options fallback;
        if (!key->read(value, values)) key->read(key->write(fallback), values);
    }
    return values;
}

std::string formatOptions(const Options& values, std::string_view previous) {
    std::string text;
    bool written[std::size(kKeys)] = {};
    for (std::string_view line : linesOf(previous)) {
        std::string_view value;
        if (const Key* key = keyOf(line, value)) {
            written[key - kKeys] = true;
            text += std::string(key->name) + " = " + key->write(values) + "\n";
        } else {
            text += std::string(line) + "\n";
        }
    }
    for (size_t i = 0; i < std::size(kKeys); ++i)
        if (!written[i]) text += std::string(kKeys[i].name) + " = " + kKeys[i].write(values) + "\n";
    return text;
}

std::string optionsPath() { return plat::filesFolder() + "Options.txt"; }

bool readOptions() {
    std::string text;
    const plat::FileStatus status = plat::readWholeFile(optionsPath(), text, kMaxOptionsFileBytes);
    // A file read only in part would lose the rest at the first change.
    leftAlone = status != plat::FileStatus::Ok && status != plat::FileStatus::Missing;
    options = parseOptions(text);
    remembered = std::move(text);
    return !leftAlone;
}

bool writeOptions() {
    if (leftAlone) return true;
    const std::string text = formatOptions(options, remembered);
    if (text == remembered) return true;
    if (!plat::replaceFile(optionsPath(), text.data(), text.size())) return false;
    remembered = text;
    return true;
}

void resetOptions() {
    options = Options{};
    remembered.clear();
    leftAlone = false;
}

#include "world/settings.h"

#include <string>

#include "platform/files.h"
#include "platform/platform.h"

namespace {

// Longer than ours ever are: not read.
constexpr size_t kMaxSettingsFileBytes = 4096;

}  // namespace

std::string settingsPath() { return plat::filesFolder() + "Settings.data"; }

int readSettings(Settings& settings, SettingsFile& file) {
    std::string text;
    const plat::FileStatus status = plat::readWholeFile(settingsPath(), text, kMaxSettingsFileBytes);
    file.leftAlone = status != plat::FileStatus::Ok && status != plat::FileStatus::Missing;
    file.tail = text.size() > 2 ? text.substr(2) : std::string();
    if (status != plat::FileStatus::Ok) {
        // A first start (or no usable file) speaks the desktop's language.
        settings.Language = plat::desktopSpeaksItalian() ? 1 : 0;
        return 0;
    }
    // Bytes a short file lacks count as 0, which decodes to 255: out of range.
    const unsigned char bytes[2] = {uint8_t(text.size() > 0 ? text[0] : 0),
                                    uint8_t(text.size() > 1 ? text[1] : 0)};
    settings.RenderDistance = uint8_t(bytes[0] - 1);
    settings.Language = uint8_t(bytes[1] - 1);
    if (settings.RenderDistance > 4) settings.RenderDistance = 0;
    if (settings.Language > 1) settings.Language = 0;
    return 0;
}

int writeSettings(const Settings& settings, const SettingsFile& file) {
    if (file.leftAlone) return 0;
    std::string bytes{char(settings.RenderDistance + 1), char(settings.Language + 1)};
    bytes += file.tail;
    // Replaced whole, so a crash never leaves a half-written file.
    plat::replaceFile(settingsPath(), bytes.data(), bytes.size());
    return 0;
}

void stepRenderDistance(Settings& settings) {
    settings.RenderDistance = settings.RenderDistance >= 4 ? 0 : settings.RenderDistance + 1;
}

void toggleLanguage(Settings& settings) {
    settings.Language = settings.Language == 1 ? 2 : 1;
}

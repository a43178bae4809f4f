#include "world/settings.h"

#include <string>

#include "platform/files.h"
#include "platform/platform.h"

Settings settings;

namespace {

// Two bytes are ours; whatever follows them (another version's) is kept.
constexpr size_t kMaxSettingsFileBytes = 4096;
std::string fileTail;
// The file could not be read whole: it is never written over.
bool leftAlone = false;

}  // namespace

std::string settingsPath() { return plat::filesFolder() + "Settings.data"; }

int readSettings() {
    std::string text;
    const plat::FileStatus status = plat::readWholeFile(settingsPath(), text, kMaxSettingsFileBytes);
    leftAlone = status != plat::FileStatus::Ok && status != plat::FileStatus::Missing;
    fileTail = text.size() > 2 ? text.substr(2) : std::string();
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

int writeSettings() {
    if (leftAlone) return 0;
    std::string bytes{char(settings.RenderDistance + 1), char(settings.Language + 1)};
    bytes += fileTail;
    // Replaced whole, so a crash never leaves a half-written file.
    plat::replaceFile(settingsPath(), bytes.data(), bytes.size());
    return 0;
}

bool settingsFileLeftAlone() { return leftAlone; }

void stepRenderDistance() { settings.RenderDistance = settings.RenderDistance >= 4 ? 0 : settings.RenderDistance + 1; }

void toggleLanguage() { settings.Language = settings.Language == 1 ? 2 : 1; }

void resetSettings() {
    settings = Settings{};
    fileTail.clear();
    leftAlone = false;
}

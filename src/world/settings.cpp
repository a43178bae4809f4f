#include "world/settings.h"

#include "platform/files.h"
#include "platform/platform.h"

Settings settings;

std::string settingsPath() { return plat::filesFolder() + "Settings.data"; }

int readSettings() {
    // Bytes a short file lacks count as 0, which decodes to 255: out of range.
    unsigned char bytes[2] = {0, 0};
    if (plat::readSmallFile(settingsPath(), bytes, 2) < 0) {
        // A first start (or no usable file) speaks the desktop's language.
        settings.Language = plat::desktopSpeaksItalian() ? 1 : 0;
        return 0;
    }
    settings.RenderDistance = uint8_t(bytes[0] - 1);
    settings.Language = uint8_t(bytes[1] - 1);
    if (settings.RenderDistance > 4) settings.RenderDistance = 0;
    if (settings.Language > 1) settings.Language = 0;
    return 0;
}

int writeSettings() {
    const unsigned char bytes[2] = {uint8_t(settings.RenderDistance + 1),
                                    uint8_t(settings.Language + 1)};
    // Replaced whole, so a crash never leaves a half-written file.
    plat::replaceFile(settingsPath(), bytes, 2);
    return 0;
}

void stepRenderDistance() { settings.RenderDistance = settings.RenderDistance >= 4 ? 0 : settings.RenderDistance + 1; }

void toggleLanguage() { settings.Language = settings.Language == 1 ? 2 : 1; }

void resetSettings() { settings = Settings{}; }

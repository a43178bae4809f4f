#include "world/settings.h"

#include <cstdio>

#include "platform/platform.h"

Settings settings;

std::string settingsPath() { return plat::exeFolder() + "Settings.data"; }

int readSettings() {
    std::FILE* f = std::fopen(settingsPath().c_str(), "rb");
    if (!f) return 0;
    // Bytes a short file lacks count as 0, which decodes to 255: out of range.
    unsigned char bytes[2] = {0, 0};
    size_t got = std::fread(bytes, 1, 2, f);
    (void)got;
    std::fclose(f);
    settings.RenderDistance = uint8_t(bytes[0] - 1);
    settings.Language = uint8_t(bytes[1] - 1);
    if (settings.RenderDistance > 4) settings.RenderDistance = 0;
    if (settings.Language > 1) settings.Language = 0;
    return 0;
}

int writeSettings() {
    std::FILE* f = std::fopen(settingsPath().c_str(), "wb");
    if (!f) return 0;
    const unsigned char bytes[2] = {uint8_t(settings.RenderDistance + 1),
                                    uint8_t(settings.Language + 1)};
    std::fwrite(bytes, 1, 2, f);
    std::fclose(f);
    return 0;
}

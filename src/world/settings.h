// The two player settings kept across runs (rendering distance and language)
// and their file "Settings.data" in the files folder.
#pragma once

#include <cstdint>
#include <string>

struct Settings {
    uint8_t RenderDistance = 0;  // 0..4: view distance 10 * (RenderDistance + 2)
    uint8_t Language = 1;        // 1 = Italian, anything else English
};

// What the game knows of the file between reading and rewriting it.
struct SettingsFile {
    // Two bytes are ours; whatever follows them (another version's) is kept.
    std::string tail;
    // The file is there but could not be read whole: this run keeps the
    // defaults and the file is never written over.
    bool leftAlone = false;
};

inline bool italian(const Settings& settings) {
    return settings.Language == 1;
}
// The text of the language in use.
inline const char* tr(const Settings& settings, const char* english, const char* italianText) {
    return italian(settings) ? italianText : english;
}

std::string settingsPath();
// Replaces the defaults with what the file holds; a missing, short or
// out-of-range file falls back as the rules below say. Without a readable file
// the language is the desktop's (Italian or English). Always 0.
int readSettings(Settings& settings, SettingsFile& file);
// Stores both values, and whatever followed them in the file; a file that
// cannot be written, or was there but could not be read whole (unreadable,
// not a regular file, longer than ours ever are), is left alone. Always 0.
int writeSettings(const Settings& settings, const SettingsFile& file);

// The options menu and F5: the next distance, 0 again after 4.
void stepRenderDistance(Settings& settings);
// The options menu: Italian and English in turn.
void toggleLanguage(Settings& settings);

// Everything about each of the player's options in one row: its line in
// Options.txt, its name and words on the "More options" screen, the values
// the screen steps through, and whether the window takes it. The file's
// reader and writer, the screen and the window all follow this table, so a
// new option is its field in Options and one row here.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "world/options.h"
#include "world/settings.h"

struct OptionRow {
    const char* key;  // `key = value` in Options.txt
    const char* english;  // the name on the screen, with its colon
    const char* italian;
    int Options::*field;
    std::span<const int> steps;  // what the screen goes through, in order
    bool (*read)(std::string_view text, int& value);  // false: unusable
    std::string (*write)(int value);                  // as the file holds it
    // As the screen shows it, in the language in use.
    std::string (*show)(int value, const Settings& settings);
    // Handed to the window when it changes (nullptr: read where it is used).
    void (*apply)(int value);
    int menuRow;  // its place on the screen (the table keeps the file's order)
};

inline constexpr int kOptionCount = 9;
extern const OptionRow kOptionTable[kOptionCount];

// The row shown at menu row 0..kOptionCount-1, or nullptr.
const OptionRow* optionAtMenuRow(int menuRow);

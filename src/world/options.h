// The player's options beyond Settings.data (whose two bytes stay as they are),
// in a text file of their own, "Options.txt" in the files folder: one
// `key = value` a line. Lines the game does not know (keys of other versions,
// comments) are kept as they are when it rewrites the file, a value it cannot
// use reads as that option's default, and the file is replaced whole, and only
// when its text changes. A file that cannot be read whole (bigger than
// kMaxOptionsFileBytes, unreadable, not a regular file) is never written over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Each option's file key, words, steps and effect are in option_table.h.
struct Options {
    int fullscreen = 0;  // 0 or 1
    // 1..19; each step turns the view a quarter faster than the one below, and
    // 10 is the turn rate the game always had.
    int mouseSensitivity = 10;
    int fieldOfView = 45;  // vertical, in degrees: 30..110
    // The interface's scale in quarters: 0 = auto (the largest that fits),
    // else 4 (1x) .. 32 (8x); written in the file as "auto", "1", "1.25", ...
    int uiScale = 0;
    // kVsync, kUncapped, or at most that many frames a second (30..1000).
    int frameCap = -1;
    // 0 = off (the five distances F5 steps through), else 70..160 m in steps of 10.
    int farView = 0;
    // Loudness in percent, 0..100 in steps of 10; 0 is silent. Effects and the
    // ambience are each scaled by the master volume.
    int masterVolume = 60;
    int effectsVolume = 100;
    int ambienceVolume = 70;

    bool operator==(const Options&) const = default;
};
inline constexpr int kVsync = -1;
inline constexpr int kUncapped = 0;
// A file of a few hundred bytes that others may have filled with their own
// lines; bigger than this is not read, so as not to hold it all in memory.
inline constexpr size_t kMaxOptionsFileBytes = 16 * 1024 * 1024;

// The values a file's text holds; what is missing or unusable is the default.
Options parseOptions(std::string_view text);
// The text of a file holding `values`, written over `previous`: each line of a
// known key gets its value, every other line stays as it was, and the known
// keys it lacks are added at the end.
std::string formatOptions(const Options& values, std::string_view previous);

// What the game knows of the file between reading and rewriting it.
struct OptionsFile {
    std::string remembered;  // the file's text as last read or written
    bool leftAlone = false;  // it could not be read whole: it is never written over
};

std::string optionsPath();
// Reads the file into `options` (the defaults when it is missing) and
// remembers its text for the rewrite. False when it is there but could not be
// read whole: the defaults hold for this run and the file is left as it is.
bool readOptions(Options& options, OptionsFile& file);
// Writes `options` when the file's text would change (never over a file that
// was not read whole). False when it could not be written (the old file is
// then left as it was).
bool writeOptions(const Options& options, OptionsFile& file);

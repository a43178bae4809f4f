// What a long world operation (making the grid ready, generating, loading,
// saving) ends with. The world floor only reports; the app decides what each
// result means for the screen and the player.
#pragma once

#include <cstdint>

enum class WorldResult : uint8_t {
    Done,
    Quit,        // a quit message arrived and the work stopped early
    DrawFailed,  // a frame could not be drawn during the work: the process must end
    NoMemory,    // the grid could not be allocated
    Unreadable,  // load: the world file is there but cannot be read
    Damaged,     // load: not a world file (wrong length, not a regular file)
    NotWritten,  // save: the files could not be written; the slot keeps its old world
    SeedNotWritten,  // save: the world file was replaced, its seed file could not be
};

// One plain English line for tools and logs.
const char* describe(WorldResult result);

#include "world/world_result.h"

const char* describe(WorldResult result) {
    switch (result) {
        case WorldResult::Done: return "done";
        case WorldResult::Quit: return "stopped by a quit request";
        case WorldResult::DrawFailed: return "a progress frame could not be drawn";
        case WorldResult::NoMemory: return "not enough memory for the world";
        case WorldResult::Unreadable: return "the world file cannot be read";
        case WorldResult::Damaged: return "the world file is damaged";
        case WorldResult::NotWritten: return "the world could not be written";
        case WorldResult::SeedNotWritten: return "the world was written but not its seed";
    }
    return "unknown";
}

// What happened in one frame, in the order it happened: the play update, the
// item screens and the menus hand these back beside the screen they ask for,
// so that sound, statistics and tests learn what the player did without
// looking into the rules' state.
#pragma once

#include <cstdint>

#include "world/world.h"

enum class EventKind : uint8_t {
    DigStep,       // a dig under way hit its block: `block` at `cell`, `value` the crack stage
    DigFinished,   // the block at `cell` was dug out: `block` its type
    Placed,        // `block` went into the grid at `cell`
    Step,          // a step on the ground: `block` the type under the feet
    Jump,          // the player left the ground upwards
    Landed,        // back on the ground after a fall of `value` blocks
    Crafted,       // `block` made, `value` units
    ChestOpened,   // chest record `value`
    ChestClosed,   // chest record `value`
    ScreenOpened,  // the inventory screen
    ScreenClosed,  // the inventory screen
    PickedUp,      // a screen's stack was picked up from cell `value`
    PutDown,       // ... and put down on cell `value`
    Died,
    Respawned,
    MenuMoved,   // a menu's arrow moved
    MenuChosen,  // Enter on a menu's row
};

struct Event {
    EventKind kind{};
    uint8_t block = 0;
    CellPos cell{0, 0, 0};
    float value = 0.0f;
};

// A frame's events; a frame holds a handful, and the rare overflow drops
// the latest rather than allocate.
struct Events {
    static constexpr int kCapacity = 32;
    Event list[kCapacity] = {};
    int count = 0;

    void add(const Event& e) {
        if (count < kCapacity) list[count++] = e;
    }
    const Event* begin() const { return list; }
    const Event* end() const { return list + count; }
};

inline int countOf(const Events& events, EventKind kind) {
    int n = 0;
    for (const Event& e : events)
        if (e.kind == kind) ++n;
    return n;
}

// Where each part of the interface stands in a window of any size. Everything
// is laid out for an 800 x 600 screen; one scale, in quarters, enlarges it all,
// and each part keeps its distance from the edges or the centre it belongs to
// (its anchor), so at 800 x 600 every part stands where it always stood.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "world/options.h"

inline constexpr int kLayoutWidth = 800;
inline constexpr int kLayoutHeight = 600;

// The largest scale (in quarters, 4 = 1x) at which the whole 800 x 600 layout
// fits a drawable of that size; never below 4.
int largestFittingQuarters(int width, int height);
// The scale in force: the player's choice (0 = auto) while it fits, otherwise
// the largest that fits.
int interfaceQuarters(int width, int height, int wanted);

// The parts of the interface that stand on their own.
enum class UiPart : uint8_t {
    Screen,       // menus, item screens, busy and death screens: one centred piece
    StatusStrip,  // along the top edge
    Credits,      // the credit lines, top left
    // The debug lines of the left and the right column, in the bottom corners
    // (where they stand at 800 x 600; a window shorter than that keeps them).
    DebugLeft,
    DebugRight,
    Hotbar,       // the hotbar and the free-cell line above it
    Fps,          // the frame counter, bottom right
    Crosshair,    // the centre of the view
    Crafting,     // the crafting panel around the crosshair
    Notice,       // the notice line over the world, above the hotbar
    Count,
};

// Where `part` stands in a drawable of width x height at `quarters`.
plat::Placement placementFor(UiPart part, int width, int height, int quarters);

// The drawable's pixels as layout coordinates under a placement: the area a
// part can reach without leaving the window.
plat::LayoutRect visibleLayout(const plat::Placement& placement, int width, int height);

// Places what is drawn next as `part` for the frame being drawn (its drawable
// and the interface size the player chose); returns the placement.
plat::Placement place(const Options& options, UiPart part);

// The heads-up display over the world: crosshair, item cells, status strip,
// debug lines and the free-cell line; the cell drawing is shared with the
// inventory and chest screens.
#pragma once

#include <cstdint>

#include "game/play.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

struct RenderState;  // render_state.h

inline constexpr int kDotTexture = 12;
inline constexpr int kDarkSquareTexture = 13;
inline constexpr int kMarkFrameTexture = 14;
inline constexpr int kCursorFrameTexture = 45;

// Ten 2 x 2 dots forming a plus sign at the screen centre.
void drawCrosshair(const Options& options, int texture);
// Cells first..last: the cursor frame on cursorCell, the mark frame on
// markedCell (kNoMark for none), icons and counts.
void drawCells(const World& world, int first, int last, int cursorCell, int markedCell);
// The status values along the top edge.
void drawStatusStrip(const World& world, const Options& options);
// The first `count` debug lines (six on the death screen, nine while playing).
void drawDebugLines(const RenderState& renderer, const World& world, const Options& options,
                    const Play& play, int count);
// Counts the empty inventory cells and shows the count.
void drawFreeCellLine(const World& world, const Options& options, const Settings& settings);
// The whole display while playing, frame counter and credits included; the
// crafting panel as its candidates were last built.
void drawHud(const RenderState& renderer, const World& world, const Options& options,
             const Settings& settings, const Play& play, int fps);

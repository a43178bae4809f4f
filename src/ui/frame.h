// The Playing frame: the world and, when shown, the heads-up display.
#pragma once

#include "game/play.h"
#include "ui/screen_common.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

struct RenderState;  // render_state.h

// Draws the world as prepareWorldView left it, then the display. Begins and
// ends its own scene; < 0 (after telling the player) when the scene cannot
// begin.
int drawPlayingFrame(RenderState& renderer, const World& world, const Options& options,
                     const Settings& settings, const Play& play, const Overlay& overlay);

// The Playing frame: the world and, when shown, the heads-up display.
#pragma once

#include "game/play.h"
#include "ui/screen_common.h"

// Draws the world as prepareWorldView left it, then the display. Begins and
// ends its own scene; < 0 (after telling the player) when the scene cannot
// begin.
int drawPlayingFrame(const Play& play, const Overlay& overlay);

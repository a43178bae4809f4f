// The Playing frame: the world and, when shown, the heads-up display.
#pragma once

// Begins and ends its own scene; < 0 (after telling the player) when the
// scene cannot begin.
int drawPlayingFrame(int fps);

// Drawing one whole frame for the current Game state, and presenting it.
#pragma once

// 0 on success; < 0 (after telling the player) when there is no device or the
// scene cannot be started.
int drawFrame();

// The world and, when shown, the heads-up display.
int drawPlayingFrame();

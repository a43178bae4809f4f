#include "world/generation.h"

#include "app/game_state.h"
#include "game/play_state.h"
#include "world/world.h"

// Placeholder until terrain generation lands: an empty world.
int generateWorld() {
    shell.gameState = GameState::Busy;
    resetPlayState();
    resetWorldValues();
    if (int r = allocateWorldStorage(); r < 0) return r;
    if (int r = clearWorld(); r < 0) return r;
    shell.gameState = GameState::Playing;
    return 0;
}

#include "game/play_state.h"

#include "game/player.h"

PlayState play;
Player player;

void resetPlayState() {
    player.Position.x = 500.0f;
    player.Position.z = 500.0f;
    player.targetBlock = Vec3{-1.0f, -1.0f, -1.0f};
    play.selectedSlot = 0;
    play.hudVisible = 1;
    play.recipeCursor = 0;
}

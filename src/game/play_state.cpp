#include "game/play_state.h"

#include "game/player.h"
#include "game/target.h"

PlayState play;
Player player;

void resetPlayState() {
    player.Position.x = 500.0f;
    player.Position.z = 500.0f;
    resetTarget();
    play.selectedSlot = 0;
    play.hudVisible = 1;
    play.recipeCursor = 0;
}

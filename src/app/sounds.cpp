#include "app/sounds.h"

#include "app/game_state.h"
#include "game/sound_rules.h"
#include "platform/platform.h"
#include "world/options.h"
#include "world/world.h"

namespace {

// The states in which a world is around the player; its ambience goes on
// behind the item screens and the pause menu, and while a save runs.
bool worldAround() {
    switch (game.gameState) {
        case GameState::Playing:
        case GameState::Dead:
        case GameState::Pause:
        case GameState::InventoryScreen:
        case GameState::ChestScreen:
            return true;
        case GameState::Busy:
            return game.savingInProgress != 0;
        default:
            return false;
    }
}

}  // namespace

void playFrameSounds() {
    Surroundings around;
    around.inWorld = worldAround() && game.world.cells;
    around.openSky = around.inWorld && openToSky(game.world, game.play.player.Position);
    around.dayTime = game.world.DayTime;
    const SoundMoment moment{game.frame.now, game.frame.elapsed};
    const SoundFrame heard =
        hearFrame(game.world, game.sound, game.events, moment, around, game.options);
    for (int i = 0; i < heard.count; ++i) plat::playSound(heard.plays[i]);
    plat::setAmbience(heard.wind, heard.night);
}

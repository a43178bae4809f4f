// The states of a world being played: the game's own update, the screen
// changes it asks for, and the look through the view that ends a Playing update.
#include "app/game_state.h"
#include "app/state_updates.h"
#include "game/playing.h"
#include "platform/keys.h"
#include "render/world_view.h"

namespace {

void keepEvents(const Events& events) {
    for (const Event& e : events) game.events.add(e);
}

}  // namespace

int updatePlayingState() {
    const PlayResult result =
        updatePlaying(game.world, game.play, game.options, game.settings, game.frame, game.gate);
    keepEvents(result.events);
    if (result.screenshot) game.screenshotAsked = true;
    switch (result.request) {
        case PlayRequest::Stay:
            break;
        case PlayRequest::Pause:
            game.gameState = GameState::Pause;
            game.pauseChoice = 1;
            break;
        case PlayRequest::Inventory:
            game.gameState = GameState::InventoryScreen;
            break;
        case PlayRequest::Chest:
            game.gameState = GameState::ChestScreen;
            break;
        case PlayRequest::Dead:
            game.gameState = GameState::Dead;
            break;
    }
    return 0;
}

int updateDead() {
    if (held(game.frame, key::Return) && gateOpen(game.gate, game.frame)) {
        respawnPlayer(game.world, game.play.player);
        game.gameState = GameState::Playing;
        gateFired(game.gate, game.frame);
        game.events.add({EventKind::Respawned});
    }
    return 0;
}

namespace {

int updateItemScreenState(bool chest) {
    Events events;
    const ScreenRequest request =
        updateItemScreen(game.world, game.play.itemScreen, chest, game.frame, game.gate, events);
    keepEvents(events);
    if (request == ScreenRequest::Leave) {
        game.gameState = GameState::Playing;
        resumeJumpClock(game.play.player, game.frame.now);
    }
    return 0;
}

}  // namespace

int updateInventoryScreen() {
    return updateItemScreenState(false);
}
int updateChestScreen() {
    return updateItemScreenState(true);
}

void lookAround(RenderState& renderer, World& world, const Options& options,
                const Settings& settings, Play& play) {
    prepareWorldView(renderer, world, options, settings, play.player);
    play.target = aimAtWorld(renderer, world, play.player).target;
    abandonStaleDig(world, play.dig, play.target, play.controls.selectedSlot);
    // The panel's list is made afresh from what the player carries and
    // stands near in every frame that shows it.
    if (play.controls.hudVisible && play.crafting.open)
        buildCandidates(world, play.crafting, play.player.Position);
}

// The frame update of each Game state: menu steps and every state change,
// all through the shared 250 ms gate; and the look that ends a Playing frame's
// update.
#pragma once

#include "game/play.h"
#include "render/render_state.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

int updateMainMenu();
int updateOptions();
int updateMoreOptions();
int updateQuitConfirm();
int updateWorldSelect();
int updatePause();
int updatePlayingState();
int updateDead();
int updateInventoryScreen();
int updateChestScreen();

// After any update that leaves the game Playing: the view made ready for the
// player's eye (camera, light, sections), the target under the crosshair (a
// dig that no longer matches it stops), and the crafting panel's candidates
// when the panel shows. The frame drawn next shows exactly this.
void lookAround(RenderState& renderer, World& world, const Options& options,
                const Settings& settings, Play& play);
// The Busy state: a slice of the long world operation under way, and the
// progress word's pulse.
int updateBusy();

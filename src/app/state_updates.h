// The frame update of each Game state: menu steps and every state change,
// all through the shared 250 ms gate; and what a Playing frame makes ready
// before it is drawn.
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

// After the update, before the Playing frame is drawn: the camera and light,
// the target under the crosshair (a dig that no longer matches it stops), and
// the crafting panel's candidates when the panel shows.
void preparePlayingFrame(RenderState& renderer, World& world, const Options& options,
                         const Settings& settings, Play& play);

// Everything play keeps from one frame to the next: the player, the controls
// and their latches, the target, the dig under way, the crafting panel, the
// item screens' cursor and the part of the day not yet counted. The app owns
// one and hands it to the update and, read-only, to the drawing; a test makes
// its own. The grid and the values saved with it stay in the world.
#pragma once

#include "game/controls.h"
#include "game/crafting.h"
#include "game/digging.h"
#include "game/item_screens.h"
#include "game/player.h"
#include "game/target.h"
#include "game/time_of_day.h"

struct Play {
    Player player;
    Controls controls;
    Target target;
    DigState dig;
    CraftingPanel crafting;
    ItemScreen itemScreen;
    DayClock day;
};

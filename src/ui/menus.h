// The five keyboard menus: main menu, options, quit confirmation, pause and
// world selection, each a column of black words with an arrow at the choice.
#pragma once

#include "ui/screen_common.h"
#include "world/options.h"
#include "world/settings.h"

// Each begins and ends its own scene; < 0 when the scene could not begin.
// `choice` is the menu's selection (1-based).
int drawMainMenu(const Options& options, const Settings& settings, int choice,
                 const Overlay& overlay);
int drawOptionsMenu(const Options& options, const Settings& settings, int choice,
                    const Overlay& overlay);
// The second options screen: the player's options, then Back.
int drawMoreOptionsMenu(const Options& options, const Settings& settings, int choice,
                        const Overlay& overlay);
int drawQuitConfirm(const Options& options, const Settings& settings, int choice,
                    const Overlay& overlay);
int drawPauseMenu(const Options& options, const Settings& settings, int choice,
                  const Overlay& overlay);
// With `deleteSlot` 1..4 the question "Delete WorldK?" stands above the slot
// rows, Yes and No under it, and the arrow at `deleteChoice` (1 = Yes, 2 = No).
int drawWorldSelect(const Options& options, const Settings& settings, int choice,
                    const Overlay& overlay, int deleteSlot = 0, int deleteChoice = 2);

// The five keyboard menus: main menu, options, quit confirmation, pause and
// world selection, each a column of black words with an arrow at the choice.
#pragma once

// Each begins and ends its own scene; < 0 when the scene could not begin.
int drawMainMenu();
int drawOptionsMenu();
int drawQuitConfirm();
int drawPauseMenu();
int drawWorldSelect();

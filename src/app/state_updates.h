// The frame update of each Game state: menu steps and every state change,
// all through the shared 250 ms gate.
#pragma once

int updateMainMenu();
int updateOptions();
int updateQuitConfirm();
int updateWorldSelect();
int updatePause();
int updatePlayingState();
int updateDead();
int updateInventoryScreen();
int updateChestScreen();

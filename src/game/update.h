// The per-frame update of play: input snapshots and the Playing controls.
#pragma once

// Takes this frame's keyboard and mouse snapshots into the shell; a device
// that cannot be read gives no keys and no motion.
void readInputDevices();
// The whole Playing update. < 0 on failure.
int updatePlaying();
// Back at the world's centre after dying; the inventory and grid stay.
void respawnPlayer();
// Keys of the inventory and chest screens.
void updateItemScreen();

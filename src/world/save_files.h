// The four world slots beside the executable: "MondoK.data" holds the world
// image, "SemeMK.data" its seed.
#pragma once

#include <string>

std::string worldFilePath(int slot);
std::string seedFilePath(int slot);
// True when the slot's world file can be opened for reading.
bool slotOccupied(int slot);
// Writes the world into the slot being played. < 0 only when drawing fails.
int saveWorld();
// Reads the slot being played into the world. < 0 only when drawing fails.
int loadWorld();

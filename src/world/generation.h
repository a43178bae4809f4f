// Making a new world from a seed: flat ground, stepped hills, trees and the
// pockets of dirt, gravel and ores, the same grid for the same seed.
#pragma once

#include <cstdint>

// Generates a world seeded with the calendar clock, leaves the Game state at
// Playing. 0 on success (also when a quit message cut it short), < 0 on failure.
int generateWorld();

// How light works, as numbers: the sky's level from the time of day, what each
// block takes from the light falling through it, the level a torch gives at
// each offset, and the table that turns a level and a face direction into a
// shade. Shared by every drawer so that their shades agree to the bit.
#pragma once

#include <cstdint>

#include "platform/platform.h"

inline constexpr int kDarkLevel = 50;           // the floor: no light at all
inline constexpr int kTorchReach = 4;           // a torch lights the 9 x 9 x 9 cells around it
inline constexpr int kBlockedAbsorption = 100;  // absorbing this much leaves only darkness

// The level sky light starts with at the top of the world (84 at night, 150 at noon).
uint8_t skyStartLevel(float timeLuminance);
// What a block takes from sky light passing down through it, while the light
// is still above the floor: 30 for a solid block, 9 for leaves, 5 for glass.
int absorption(uint8_t type);
// The level the sky leaves in a see-through cell with `absorbed` taken above it
// (glass counting its own 5): the floor once the light is used up.
int skyLevelAt(int startLevel, int absorbed);
// The level a torch gives a cell at offset (dx, dy, dz) from it; 0 beyond reach.
int torchLevel(int dx, int dy, int dz);

// Light table rows: 0..5 shade by level for each face direction; 6..11 the
// shade of a face looking out of the world, by daylight alone.
inline constexpr int edgeRow(int face) {
    return 6 + face;
}
// (level + 1) x 0.00625 x the face's factor, at most 1.
float faceShade(int level, int face);
void buildLightTable(float timeLuminance, plat::LightTable& out);

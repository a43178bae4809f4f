// The world as a Playing frame shows it: the cube of cells around the player,
// every exposed block in it that the culling frustum keeps, drawn face by face
// from geometry cached in sections; glass last, far to near; then the target
// picked from the crosshair's ray, the side a block would go on, and the
// target's outline and dig cracks. Owns the frame's light box and lists.
#pragma once

#include <cstdint>

// Before the scene: the camera, the light of the frame, and the sections the
// view needs built (those the cube reaches at once, the ones around it as the
// frame's budget allows).
void prepareWorldView();
// Inside the scene, after the clear: the world passes, picking, the placement
// side and the target marks. Leaves face culling off for what follows.
void drawWorldView();

// What the last frame did, for tests and measurements.
struct WorldViewStats {
    int sectionsBuilt = 0;  // built or rebuilt in prepareWorldView, ahead included
    int builtAhead = 0;     // of which ahead of the cube
    int sectionsDrawn = 0;  // sections with a mesh sent to the device
    int meshDraws = 0;
    int glassBlocks = 0;   // glass blocks drawn, in their far-to-near order
    int hiddenBlocks = 0;  // cube blocks the culling frustum rejects that the device might show
};
const WorldViewStats& worldViewStats();

void resetWorldView();

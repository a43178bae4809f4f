// The literal drawer of the world, for tests and benchmarks only: every frame
// it walks every cell of the view cube, keeps the exposed blocks the culling
// frustum passes, and draws each of their visible faces on its own, lit from a
// light map computed in full, glass sorted by exchange passes and drawn last.
// It judges the game's cached renderer: on the same world and eye both must
// draw the same faces, textures, shades, glass order, target and Polygons.
#pragma once

namespace reference {

// The frame's steps around the clear, as the game's world view has them.
void prepareFrame();  // camera and light map
void drawFrame();     // blocks, glass, picking, placement side, target marks

void resetDrawer();

}  // namespace reference

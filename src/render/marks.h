// Marks on the target block, drawn over the world: its open faces outlined in
// wireframe, and while it is being dug, the crack picture of the dig's stage
// darkening those faces. No state of its own.
#pragma once

#include "game/digging.h"
#include "game/target.h"
#include "world/world.h"

struct RenderState;  // render_state.h

// Both draw only when there is a target, with the face culling the world
// passes left on; the cracks only for a dig on that target.
void drawTargetOutline(RenderState& renderer, const World& world, const Target& aim);
void drawDigCracks(RenderState& renderer, const World& world, const Target& aim,
                   const DigState& dig, uint8_t selectedSlot);

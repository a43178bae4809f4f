// The triangle count of the debug line: two for every face the world passes
// and the target marks draw in a frame. The frame loop clears it after each
// update, so the heads-up display shows the frame it is drawn in.
#pragma once

#include <cstdint>

struct RenderState;  // render_state.h

int32_t polygons(const RenderState& renderer);
void addPolygons(RenderState& renderer, int32_t triangles);
void resetPolygons(RenderState& renderer);

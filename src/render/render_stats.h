// Figures of the frame being drawn: Polygons counts two triangles for every
// block face the world drawing puts on screen; the debug lines show it and
// the frame loop starts it over after every update.
#pragma once

#include <cstdint>

struct RenderStats {
    int32_t Polygons = 0;
};

extern RenderStats renderStats;

void addPolygons(int32_t triangles);
void resetPolygons();

// Camera state shared with the settings screens: the projection is rebuilt
// when the rendering distance changes.
#pragma once

#include <cstdint>

struct Camera {
    uint8_t projectionDirty = 1;
};

extern Camera camera;

// The rendering distance changed: projection and fog are rebuilt next frame.
void markProjectionDirty();

void resetCamera();

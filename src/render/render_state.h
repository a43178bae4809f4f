// Everything the renderer keeps from one frame to the next: the camera, the
// cache of section geometry on the device, the frame's light box and lists,
// and the triangle count of the debug line. The app owns one, since it mirrors
// what the one device holds.
#pragma once

#include <cstdint>

#include "render/camera.h"
#include "render/sections.h"
#include "render/world_view.h"

struct RenderState {
    Camera camera;
    SectionCache sections;
    ViewState view;
    int32_t polygons = 0;
};

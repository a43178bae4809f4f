// Where a point of the interface lies in window coordinates, which differ
// from the drawable's pixels on high-density screens.
#pragma once

#include "platform/platform.h"

namespace plat {

struct WindowPoint {
    int x, y;
};
WindowPoint pictureToWindow(const Placement& placement, int x, int y, int drawableWidth,
                            int drawableHeight, int windowWidth, int windowHeight);

}  // namespace plat

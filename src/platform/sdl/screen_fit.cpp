#include "platform/sdl/screen_fit.h"

#include <algorithm>

namespace plat {

WindowPoint pictureToWindow(const Placement& placement, int x, int y, int drawableWidth,
                            int drawableHeight, int windowWidth, int windowHeight) {
    const long long dx = placeX(placement, x), dy = placeY(placement, y);
    return {int(dx * windowWidth / std::max(1, drawableWidth)),
            int(dy * windowHeight / std::max(1, drawableHeight))};
}

}  // namespace plat

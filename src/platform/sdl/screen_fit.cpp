#include "platform/sdl/screen_fit.h"

#include <algorithm>

namespace plat {

ScreenFit fitScreen(int drawableWidth, int drawableHeight, int pictureWidth, int pictureHeight) {
    ScreenFit fit;
    fit.scale = std::max(1, std::min(drawableWidth / std::max(1, pictureWidth),
                                     drawableHeight / std::max(1, pictureHeight)));
    // An odd leftover puts the extra pixel on the right or at the bottom: the
    // picture stays on whole pixels.
    fit.x = (drawableWidth - pictureWidth * fit.scale) / 2;
    fit.y = (drawableHeight - pictureHeight * fit.scale) / 2;
    return fit;
}

WindowPoint pictureToWindow(const ScreenFit& fit, int x, int y, int drawableWidth,
                            int drawableHeight, int windowWidth, int windowHeight) {
    const long long dx = fit.x + (long long)x * fit.scale, dy = fit.y + (long long)y * fit.scale;
    return {int(dx * windowWidth / std::max(1, drawableWidth)),
            int(dy * windowHeight / std::max(1, drawableHeight))};
}

}  // namespace plat

#include "platform/sdl/screen_fit.h"

#include <algorithm>

#include "platform/platform.h"

namespace plat {

ScreenFit fitScreen(int drawableWidth, int drawableHeight, int pictureWidth, int pictureHeight,
                    int wanted) {
    ScreenFit fit;
    const int fits = std::min(drawableWidth / std::max(1, pictureWidth),
                              drawableHeight / std::max(1, pictureHeight));
    fit.scale = std::clamp(wanted > 0 ? std::min(wanted, fits) : fits, 1, kMaxPictureScale);
    // An odd leftover puts the extra pixel on the right or at the bottom: the
    // picture stays on whole pixels.
    fit.x = (drawableWidth - pictureWidth * fit.scale) / 2;
    fit.y = (drawableHeight - pictureHeight * fit.scale) / 2;
    return fit;
}

CoverRect coverScreen(int drawableWidth, int drawableHeight, int pictureWidth, int pictureHeight) {
    const long long pw = std::max(1, pictureWidth), ph = std::max(1, pictureHeight);
    // The side that decides the scale spans the drawable exactly.
    float w, h;
    if (drawableWidth * ph >= drawableHeight * pw)
        w = float(drawableWidth), h = float(double(ph) * drawableWidth / double(pw));
    else
        h = float(drawableHeight), w = float(double(pw) * drawableHeight / double(ph));
    return {(float(drawableWidth) - w) * 0.5f, (float(drawableHeight) - h) * 0.5f, w, h};
}

WindowPoint pictureToWindow(const ScreenFit& fit, int x, int y, int drawableWidth,
                            int drawableHeight, int windowWidth, int windowHeight) {
    const long long dx = fit.x + (long long)x * fit.scale, dy = fit.y + (long long)y * fit.scale;
    return {int(dx * windowWidth / std::max(1, drawableWidth)),
            int(dy * windowHeight / std::max(1, drawableHeight))};
}

}  // namespace plat

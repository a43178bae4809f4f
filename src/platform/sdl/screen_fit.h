// Where the game's 800 x 600 picture stands in a window of any size: enlarged
// by the largest whole factor that fits (at least 1, so pixel art stays crisp
// and a small window crops the edges evenly), or by the player's smaller
// choice, and centred. Backdrops made for that picture cover the window.
#pragma once

namespace plat {

struct ScreenFit {
    int scale;  // drawable pixels per picture pixel
    int x, y;   // the picture's top-left corner in the drawable, from its top-left
};

// `wanted` 0 picks the largest factor that fits; a factor the player chose is
// kept unless it does not fit. Never more than kMaxPictureScale.
ScreenFit fitScreen(int drawableWidth, int drawableHeight, int pictureWidth, int pictureHeight,
                    int wanted = 0);

// A picture-sized backdrop scaled (the same both ways, by any amount) to
// cover the drawable, centred: its rectangle in drawable pixels.
struct CoverRect {
    float x, y, width, height;
};
CoverRect coverScreen(int drawableWidth, int drawableHeight, int pictureWidth, int pictureHeight);

// A point of the picture in window coordinates, which differ from the
// drawable's pixels on high-density screens.
struct WindowPoint {
    int x, y;
};
WindowPoint pictureToWindow(const ScreenFit& fit, int x, int y, int drawableWidth,
                            int drawableHeight, int windowWidth, int windowHeight);

}  // namespace plat

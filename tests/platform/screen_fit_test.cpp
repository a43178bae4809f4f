#include <gtest/gtest.h>

#include "platform/sdl/screen_fit.h"

namespace {

TEST(ScreenFit, LargestWholeFactorThatFitsCentred) {
    struct Case {
        int w, h, scale, x, y;
    };
    const Case cases[] = {
        {800, 600, 1, 0, 0},        {1024, 768, 1, 112, 84},    {1920, 1080, 1, 560, 240},
        {2560, 1440, 2, 480, 120},  {3840, 2160, 3, 720, 180},  {1600, 1200, 2, 0, 0},
        {640, 480, 1, -80, -60},    {801, 599, 1, 0, 0},        {1, 1, 1, -399, -299},
    };
    for (const Case& c : cases) {
        const plat::ScreenFit fit = plat::fitScreen(c.w, c.h, 800, 600);
        EXPECT_EQ(fit.scale, c.scale) << c.w << "x" << c.h;
        EXPECT_EQ(fit.x, c.x) << c.w << "x" << c.h;
        EXPECT_EQ(fit.y, c.y) << c.w << "x" << c.h;
    }
}

TEST(ScreenFit, PicturePointsLandOnTheWindowThroughScaleAndDensity) {
    const plat::ScreenFit fit = plat::fitScreen(2560, 1440, 800, 600);
    // A window of half the drawable's pixels (a high-density screen).
    const plat::WindowPoint corner = plat::pictureToWindow(fit, 0, 0, 2560, 1440, 1280, 720);
    EXPECT_EQ(corner.x, 240);
    EXPECT_EQ(corner.y, 60);
    const plat::WindowPoint centre = plat::pictureToWindow(fit, 400, 300, 2560, 1440, 1280, 720);
    EXPECT_EQ(centre.x, 640);
    EXPECT_EQ(centre.y, 360);
    const plat::WindowPoint same = plat::pictureToWindow(plat::fitScreen(800, 600, 800, 600), 123,
                                                         45, 800, 600, 800, 600);
    EXPECT_EQ(same.x, 123);
    EXPECT_EQ(same.y, 45);
}

}  // namespace

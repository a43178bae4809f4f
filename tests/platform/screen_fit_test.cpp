#include <gtest/gtest.h>

#include "platform/platform.h"
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

TEST(ScreenFit, APlayersFactorIsKeptWhenItFitsAndBackdropsCoverTheWindow) {
    const plat::ScreenFit two = plat::fitScreen(3840, 2160, 800, 600, 2);
    EXPECT_EQ(two.scale, 2);
    EXPECT_EQ(two.x, 1120);
    EXPECT_EQ(two.y, 480);
    EXPECT_EQ(plat::fitScreen(1920, 1080, 800, 600, 3).scale, 1);  // too big: what fits
    EXPECT_EQ(plat::fitScreen(640, 480, 800, 600, 2).scale, 1);
    EXPECT_EQ(plat::fitScreen(8000, 8000, 800, 600).scale, plat::kMaxPictureScale);

    struct Case {
        int w, h;
        float x, y, width, height;
    };
    const Case cases[] = {
        {800, 600, 0, 0, 800, 600},          {1024, 768, 0, 0, 1024, 768},
        {1920, 1080, 0, -180, 1920, 1440},  {3840, 2160, 0, -360, 3840, 2880},
        {640, 480, 0, 0, 640, 480},          {600, 1200, -500, 0, 1600, 1200},
    };
    for (const Case& c : cases) {
        const plat::CoverRect r = plat::coverScreen(c.w, c.h, 800, 600);
        EXPECT_FLOAT_EQ(r.x, c.x) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(r.y, c.y) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(r.width, c.width) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(r.height, c.height) << c.w << "x" << c.h;
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
    // The game's cursor point (320, 240) at 1920 x 1080 with the picture 1x.
    const plat::WindowPoint cursor = plat::pictureToWindow(plat::fitScreen(1920, 1080, 800, 600),
                                                           320, 240, 1920, 1080, 1920, 1080);
    EXPECT_EQ(cursor.x, 880);
    EXPECT_EQ(cursor.y, 480);
}

}  // namespace

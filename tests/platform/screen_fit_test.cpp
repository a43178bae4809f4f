#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sdl/screen_fit.h"

namespace {

TEST(ScreenFit, LayoutPointsLandOnWholePixelsAndOnTheWindowThroughDensity) {
    // 1.75x from (260, 15): the layout's corners, and neighbours that meet.
    const plat::Placement p{260, 15, 7};
    EXPECT_EQ(plat::placeX(p, 0), 260);
    EXPECT_EQ(plat::placeX(p, 800), 1660);
    EXPECT_EQ(plat::placeY(p, 600), 1065);
    EXPECT_EQ(plat::placeX(p, 1), 262);   // 1.75 rounds to 2
    EXPECT_EQ(plat::placeX(p, -1), 258);  // and -1.75 to -2, the same way
    EXPECT_EQ(plat::placeX(plat::Placement{}, 123), 123);
    // A window of half the drawable's pixels (a high-density screen), 2x.
    const plat::Placement two{480, 120, 8};
    const plat::WindowPoint corner = plat::pictureToWindow(two, 0, 0, 2560, 1440, 1280, 720);
    EXPECT_EQ(corner.x, 240);
    EXPECT_EQ(corner.y, 60);
    const plat::WindowPoint centre = plat::pictureToWindow(two, 400, 300, 2560, 1440, 1280, 720);
    EXPECT_EQ(centre.x, 640);
    EXPECT_EQ(centre.y, 360);
}

}  // namespace

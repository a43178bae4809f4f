// The interface on today's screens: the scale chosen, where each part of the
// display stands, the menus on their picture, nothing outside the window.
#include <cstdlib>
#include <string>

#include "app/game_state.h"
#include "ui/draw_checks.h"
#include "ui/layout.h"
#include "world/options.h"

namespace {

struct Screen {
    int width, height, quarters;
};
const Screen kScreens[] = {
    {800, 600, 4},   {1280, 720, 4},   {1366, 768, 5},   {1920, 1080, 7},
    {2560, 1440, 9}, {3840, 2160, 14}, {1080, 1920, 5},  {640, 480, 4},
};

// A layout length at the screen's scale, as drawable pixels.
int scaled(int length, int quarters) {
    return (length * quarters + 2) / 4;
}

TEST(Layout, AutoIsTheLargestQuarterStepThatFitsAndAChoiceIsKeptWhileItFits) {
    for (const Screen& s : kScreens) {
        EXPECT_EQ(interfaceQuarters(s.width, s.height, 0), s.quarters) << s.width << "x" << s.height;
        EXPECT_EQ(interfaceQuarters(s.width, s.height, 32), s.quarters);
        EXPECT_EQ(interfaceQuarters(s.width, s.height, 4), 4);
    }
    EXPECT_EQ(interfaceQuarters(3840, 2160, 10), 10);
    EXPECT_EQ(largestFittingQuarters(100000, 100000), plat::kMaxInterfaceQuarters);
}

class LayoutOnScreens : public ScreenTest {
   protected:
    const headless::TextCall& text(const headless::Frame& frame, const std::string& start) {
        for (const auto& t : frame.texts)
            if (t.text.rfind(start, 0) == 0) return t;
        ADD_FAILURE() << "no text " << start;
        return frame.texts.front();
    }
};

TEST_F(LayoutOnScreens, EachPartOfTheDisplayKeepsToItsEdgeAndStaysInTheWindow) {
    english();
    game.play.controls.debugInfoVisible = 1;
    for (const Screen& s : kScreens) {
        SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height));
        headless::setViewSize(s.width, s.height);
        const auto& frame = draw(GameState::Playing);
        const int q = s.quarters, w = s.width, h = s.height;
        auto x = [](const auto& call, int v) { return plat::placeX(call.placement, v); };
        auto y = [](const auto& call, int v) { return plat::placeY(call.placement, v); };
        for (const auto& t : frame.texts) EXPECT_EQ(t.placement.quarters, q) << t.text;

        // The strip along the whole top edge.
        bool stripReachesRight = false;
        for (const auto& sp : frame.sprites)
            if (sp.texture == 90) {
                EXPECT_EQ(y(sp, sp.pattern ? sp.area.y : sp.y), 0);
                const int right = sp.pattern ? sp.area.x + sp.area.width : sp.x + 800;
                stripReachesRight |= x(sp, right) >= w;
            }
        EXPECT_TRUE(stripReachesRight);
        // Corners: credits top left, the counter bottom right, debug lines
        // in the bottom corners they stand by.
        const auto& credits = text(frame, "Produced by");
        EXPECT_EQ(x(credits, 10), scaled(10, q));
        EXPECT_EQ(y(credits, 40), scaled(40, q));
        const auto& fps = text(frame, "FPS:");
        EXPECT_NEAR(w - x(fps, 720), scaled(80, q), 1);
        EXPECT_NEAR(h - y(fps, 550), scaled(50, q), 1);
        const auto& seed = text(frame, "Seed:");
        EXPECT_NEAR(w - x(seed, 655), scaled(145, q), 1);
        EXPECT_NEAR(h - y(seed, 530), scaled(70, q), 1);
        EXPECT_NEAR(x(text(frame, "Collide:"), 10), scaled(10, q), 1);
        // The hotbar centred at its distance from the bottom, the free-cell
        // line with it; the crosshair at the centre.
        const auto& cells = text(frame, "Free remaining cells");
        EXPECT_NEAR(h - y(cells, 460), scaled(140, q), 1);
        EXPECT_NEAR(2 * x(cells, 400), w, 1);
        for (const auto& sp : frame.sprites)
            if (sp.texture == 12) {
                EXPECT_NEAR(x(sp, 400), w / 2, 1);
                EXPECT_NEAR(y(sp, 300), h / 2, 1);
            }
        // Nothing drawn past the window's edges (the strip is cut by design
        // in a window narrower than it). Text is at most 7 pixels a letter.
        for (const auto& t : frame.texts) {
            EXPECT_GE(x(t, t.left), 0) << t.text;
            EXPECT_GE(y(t, t.top), 0) << t.text;
            EXPECT_LE(x(t, t.left + 7 * int(t.text.size())), w) << t.text;
            EXPECT_LE(y(t, t.top + 12), h) << t.text;
        }
        for (const auto& sp : frame.sprites) {
            if (sp.texture == 90) continue;
            EXPECT_GE(x(sp, sp.x), 0) << sp.texture;
            EXPECT_LE(x(sp, sp.x + 36), w) << sp.texture;
            EXPECT_LE(y(sp, sp.y + 36), h) << sp.texture;
        }
    }
}

TEST_F(LayoutOnScreens, MenusAreOnePieceOnTheirPictureAndItsEarthFillsTheRest) {
    english();
    for (const Screen& s : kScreens) {
        SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height));
        headless::setViewSize(s.width, s.height);
        const auto& frame = draw(GameState::MainMenu);
        const headless::SpriteCall* picture = nullptr;
        int left = 0, top = 0, right = 0, bottom = 0;  // reached by the picture's earth
        for (const auto& sp : frame.sprites) {
            if (sp.texture != 43) continue;
            const plat::LayoutRect r =
                sp.pattern ? sp.area : plat::LayoutRect{sp.x, sp.y, 800, 600};
            left = std::min(left, plat::placeX(sp.placement, r.x));
            top = std::min(top, plat::placeY(sp.placement, r.y));
            right = std::max(right, plat::placeX(sp.placement, r.x + r.width));
            bottom = std::max(bottom, plat::placeY(sp.placement, r.y + r.height));
            if (!sp.pattern) picture = &sp;
        }
        ASSERT_NE(picture, nullptr);
        // Centred at the screen's scale, and no bare band anywhere.
        const plat::Placement p = picture->placement;
        EXPECT_EQ(p.quarters, s.quarters);
        EXPECT_NEAR(2 * p.x + scaled(800, s.quarters), s.width, 1);
        EXPECT_NEAR(2 * p.y + scaled(600, s.quarters), s.height, 1);
        EXPECT_LE(left, 0);
        EXPECT_LE(top, 0);
        EXPECT_GE(right, s.width);
        EXPECT_GE(bottom, s.height);
        // Every text, the arrow and the credits stand on the picture as at 800 x 600.
        for (const auto& t : frame.texts) {
            EXPECT_EQ(t.placement.x, p.x) << t.text;
            EXPECT_EQ(t.placement.y, p.y) << t.text;
            EXPECT_EQ(t.placement.quarters, p.quarters) << t.text;
        }
    }
}

}  // namespace

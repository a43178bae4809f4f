// A world being played, driven through the real frame update one frame at a
// time with the headless clock, scripted keys and mouse motion.
#pragma once

#include <initializer_list>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "block_scene.h"
#include "game/player.h"
#include "platform/headless/headless.h"
#include "test_support.h"

// This frame's mouse: motion since the last frame and the two buttons.
struct MouseInput {
    int dx, dy;
    bool left, right;
};

class PlayingTest : public AppTest {
   protected:
    void SetUp() override {
        AppTest::SetUp();
        game.gameState = GameState::Playing;
    }

    // One frame update at clock `t` with exactly these keys held.
    void frameAt(int32_t t, std::initializer_list<uint8_t> keys = {},
                 MouseInput mouse = {0, 0, false, false}) {
        headless::releaseAllKeys();
        for (uint8_t k : keys) headless::pressKey(k);
        headless::setMouse(mouse.dx, mouse.dy, mouse.left, mouse.right);
        headless::setClock(t);
        now = t;
        ASSERT_EQ(frameUpdate(), 0);
    }
    // Frames every `step` ms after the last one until `until`, keys held.
    void framesUntil(int32_t until, int32_t step, std::initializer_list<uint8_t> keys = {}) {
        while (now + step <= until) frameAt(now + step, keys);
    }

    // A stone floor at height 100 over the scene and the player standing on
    // it, eye 1.5 above its top face plus the landing's margin.
    void standOnFloor(float x = 500.0f, float z = 500.0f) {
        scene.layer(100, BlockScene::kLow, BlockScene::kHigh);
        game.play.player.Position = Vec3{x, kStandingEye, z};
        frameAt(now + 10);
        frameAt(now + 10);
        ASSERT_EQ(game.play.player.Position.y, kStandingEye);
    }

    static constexpr float kStandingEye = 102.001f;
    int32_t now = 1000;
    BlockScene scene{world};
};

// Helpers for the screen tests: a fixture with an open window and compact,
// readable descriptions of what a frame drew.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "game/frame.h"
#include "platform/headless/headless.h"
#include "test_support.h"
#include "ui/frame.h"
#include "ui/screens.h"
#include "world/settings.h"

// "x,y #argb text" for every text, in drawing order.
inline std::vector<std::string> describeTexts(const headless::Frame& frame) {
    std::vector<std::string> out;
    for (const auto& t : frame.texts) {
        char head[64];
        std::snprintf(head, sizeof head, "%d,%d #%08X ", t.left, t.top, t.argb);
        out.push_back(head + t.text);
    }
    return out;
}

// "texture@x,y" for every sprite, in drawing order.
inline std::vector<std::string> describeSprites(const headless::Frame& frame) {
    std::vector<std::string> out;
    for (const auto& s : frame.sprites)
        out.push_back(std::to_string(s.texture) + "@" + std::to_string(s.x) + "," +
                      std::to_string(s.y));
    return out;
}

inline std::string textLine(int x, int y, uint32_t argb, const std::string& text) {
    char head[64];
    std::snprintf(head, sizeof head, "%d,%d #%08X ", x, y, argb);
    return head + text;
}

class ScreenTest : public AppTest {
   protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600), 0);
    }
    // Draws one frame in `state` and returns what was presented.
    const headless::Frame& draw(GameState state) {
        game.gameState = state;
        const int before = headless::presentCount();
        EXPECT_EQ(drawFrame(), 0);
        EXPECT_EQ(headless::presentCount(), before + 1);
        return headless::lastFrame();
    }
    void english() { settings.Language = 2; }
    void italianLanguage() { settings.Language = 1; }
};

// The closing texts every screen ends with.
inline std::vector<std::string> closingTexts(int fps, int creditsTop, bool italian) {
    return {textLine(720, 550, 0xFFFFFFFF, "FPS: " + std::to_string(fps)),
            textLine(10, creditsTop, 0xFFFFFFFF,
                     std::string(italian ? "Prodotto da" : "Produced by") + ": the Velmora team"),
            textLine(10, creditsTop + 20, 0xFFFFFFFF,
                     std::string("Velmora 1.1 Alpha    ") +
                         (italian ? "Visita il sito" : "Visit site") + ": velmora.invalid")};
}

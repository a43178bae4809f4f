// The screens as the real frame loop shows them, driven by scripted keys.
#include <vector>

#include "app/frame_loop.h"
#include "platform/keys.h"
#include "ui/draw_checks.h"

namespace {

using ScreensInLoop = GameTest;

TEST_F(ScreensInLoop, LanguageChosenInOptionsShowsInTheVeryNextFrame) {
    // Keys held for the update that follows each presented frame.
    const std::vector<uint8_t> script = {key::Down,   key::Return, key::Up,
                                         key::Return, key::Escape, 0};
    std::vector<headless::Frame> frames;
    headless::setPresentHook([&] {
        frames.push_back(headless::lastFrame());
        headless::advanceClock(300);  // past the 250 ms gate every time
        headless::releaseAllKeys();
        const size_t step = frames.size() - 1;
        if (step < script.size()) {
            if (script[step] != 0) headless::pressKey(script[step]);
        } else if (step == script.size()) {
            plat::postQuit();
        }
    });
    ASSERT_EQ(runGame(), 0);
    // The pass that takes the quit message still draws once.
    ASSERT_EQ(frames.size(), script.size() + 2);

    auto arrowY = [&](size_t i) { return frames[i].sprites.at(1).y; };
    EXPECT_NE(frames[0].findText("Gioca"), nullptr);
    EXPECT_EQ(arrowY(0), 280);
    EXPECT_EQ(arrowY(1), 300);  // Down moved to Options
    EXPECT_NE(frames[2].findText("Lingua:"), nullptr);
    EXPECT_NE(frames[2].findText("Italiano"), nullptr);
    EXPECT_EQ(arrowY(2), 320);  // entered on Cancel
    EXPECT_EQ(arrowY(3), 300);
    // Enter on the language in the update after frame 3: frame 4 is English.
    EXPECT_NE(frames[4].findText("Language:"), nullptr);
    EXPECT_NE(frames[4].findText("English"), nullptr);
    EXPECT_NE(frames[4].findText("Cancel"), nullptr);
    EXPECT_NE(frames[4].findText("Produced by: the Velmora team"), nullptr);
    EXPECT_EQ(frames[4].findText("Lingua:"), nullptr);
    EXPECT_NE(frames[5].findText("Play"), nullptr);  // Esc back to the main menu

    // And the choice outlives the run (any value but 1 reads back as English).
    settings = Settings{};
    readSettings(settings, settingsFile);
    EXPECT_NE(settings.Language, 1);
}

TEST_F(ScreensInLoop, FailedSceneEndsTheRunWithoutPresenting) {
    headless::setBeginSceneFails(true);
    EXPECT_EQ(runGame(), -1);
    EXPECT_EQ(headless::presentCount(), 0);
    ASSERT_EQ(headless::errorBoxes().size(), 1u);
    EXPECT_EQ(headless::errorBoxes()[0].text, "Impossibile creare la scena.");
}

}  // namespace

// The whole process through runGame: start, passes, frames-per-second,
// quitting, failure paths and world operations cut short by a quit message.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "platform/keys.h"
#include "test_support.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

namespace {

class FrameLoop : public AppTest {
   protected:
    // Runs the game; `step` is called after every presented frame with the
    // number of frames presented so far, and may script keys and messages.
    int run(std::function<void(int)> step, int32_t msPerFrame = 10) {
        headless::setPresentHook([=] {
            headless::advanceClock(msPerFrame);
            step(headless::presentCount());
        });
        return runGame();
    }
    std::string settingsBytes() {
        std::ifstream f(scratch.file("Settings.data"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
};

TEST_F(FrameLoop, QuitMessageEndsWithSettingsWrittenAndCursorBack) {
    int result = run([](int frame) {
        if (frame == 3) headless::queueMessage(plat::Message::Quit);
    });
    EXPECT_EQ(result, 0);
    // The pass that takes the quit message still draws once.
    EXPECT_EQ(headless::presentCount(), 4);
    EXPECT_EQ(settingsBytes(), std::string("\x01\x02", 2));  // defaults: Tiny, Italian
    EXPECT_TRUE(headless::cursorVisible());
    EXPECT_FALSE(headless::windowOpen());
}

TEST_F(FrameLoop, AnOptionsFileThatCannotBeReadIsToldOnceAndOutlivesTheRun) {
    std::filesystem::create_directory(scratch.file("Options.txt"));
    std::vector<std::string> shown;
    run([&](int frame) {
        shown.push_back(game.notice.english);
        if (frame == 2) options.fieldOfView = 90;  // as the options screen changes it
        if (frame == 4) headless::queueMessage(plat::Message::Quit);
    });
    EXPECT_EQ(shown.front(), "Options.txt unreadable: defaults used");
    EXPECT_EQ(shown.back(), "Options.txt unreadable: defaults used");  // no other notice
    EXPECT_TRUE(std::filesystem::is_directory(scratch.file("Options.txt")));
}

TEST_F(FrameLoop, StartReadsSettingsAndOpensOnTheMainMenu) {
    std::ofstream(scratch.file("Settings.data"), std::ios::binary) << "\x04\x03";
    std::vector<GameState> states;
    run([&](int frame) {
        states.push_back(game.gameState);
        if (frame == 1) {
            EXPECT_FALSE(headless::cursorVisible());
            EXPECT_EQ(settings.RenderDistance, 3);
            EXPECT_EQ(settings.Language, 0);
            headless::queueMessage(plat::Message::Quit);
        }
    });
    EXPECT_EQ(states.front(), GameState::MainMenu);
    EXPECT_EQ(game.mainMenuChoice, 1);
}

TEST_F(FrameLoop, FpsIsZeroForTheFirstSecondThenThePassCount) {
    std::vector<int32_t> fps;
    run([&](int frame) {
        fps.push_back(game.FPS);
        if (frame == 250) headless::queueMessage(plat::Message::Quit);
    });
    // Frame n is drawn before the update of pass n counts it, at 10 ms per pass.
    for (int i = 0; i < 100; ++i) ASSERT_EQ(fps[i], 0) << i;
    for (int i = 100; i < 200; ++i) ASSERT_EQ(fps[i], 100) << i;
}

TEST_F(FrameLoop, QuittingThroughTheMenusStoresTheChosenSettings) {
    // Options (Down, Enter), Language (Up, Enter), Esc, Esc, Up, Enter on "Yes".
    const std::vector<std::vector<uint8_t>> script = {{key::Down},   {key::Return}, {key::Up},
                                                      {key::Return}, {key::Escape}, {key::Escape},
                                                      {key::Up},     {key::Return}};
    int result = run([&](int frame) {
        headless::releaseAllKeys();
        size_t step = size_t(frame / 30 - 1);
        if (frame % 30 == 0 && step < script.size())
            for (uint8_t k : script[step]) headless::pressKey(k);
        if (frame > 1000) headless::queueMessage(plat::Message::Quit);  // never hang
    });
    EXPECT_EQ(result, 0);
    EXPECT_LT(headless::presentCount(), 1000);
    EXPECT_EQ(settingsBytes(), std::string("\x01\x03", 2));  // English stored as 3
}

TEST_F(FrameLoop, WindowFailureShowsTheCursorAndFails) {
    headless::setCreateFails(true);
    EXPECT_EQ(runGame(), -1);
    EXPECT_TRUE(headless::cursorVisible());
    EXPECT_EQ(headless::presentCount(), 0);
}

TEST_F(FrameLoop, DrawingFailureEndsAtOnceWithoutShutdown) {
    int result = run([](int frame) {
        if (frame == 2) headless::setBeginSceneFails(true);
    });
    EXPECT_EQ(result, -1);
    ASSERT_FALSE(headless::errorBoxes().empty());
    EXPECT_EQ(headless::errorBoxes().back().text, "Impossibile creare la scena.");
    EXPECT_TRUE(headless::windowOpen());  // no shutdown on this path
}

TEST_F(FrameLoop, DrawingFailureInsideAWorldOperationEndsTheProcess) {
    // Play, then Enter on the first (empty) slot; the progress frame fails.
    int result = run([](int frame) {
        headless::releaseAllKeys();
        if (frame == 30 || frame == 60) headless::pressKey(key::Return);
        if (frame == 60) {
            headless::setKeyboardHook([] {
                if (game.gameState == GameState::WorldSelect) headless::setBeginSceneFails(true);
            });
            headless::setClockStepPerRead(1);
        }
    });
    EXPECT_EQ(result, -1);
}

TEST_F(FrameLoop, QuitDuringAWorldOperationEndsItEarlyAndExitsNormally) {
    bool sawBusy = false;
    int result = run([&](int frame) {
        headless::releaseAllKeys();
        if (frame == 30 || frame == 60) headless::pressKey(key::Return);
        if (frame == 60) headless::setClockStepPerRead(1);  // many frames of work
        if (game.gameState == GameState::Busy && !sawBusy) {
            sawBusy = true;
            headless::queueMessage(plat::Message::Quit);
        }
    });
    EXPECT_TRUE(sawBusy);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(settingsBytes().size(), 2u);
}

// Every frame, whatever the state (menus, a world being made, play, a save),
// runs its steps once each and in order; none runs inside another. A frame of
// long work whose busy screen did not change (or has not yet shown) is not drawn.
TEST_F(FrameLoop, EveryFrameReadsTopToBottomAndNeverReenters) {
    using S = FrameStep;
    const std::vector<S> order = {S::Message, S::Update, S::Requests, S::Sounds, S::Draw,
                                  S::Present};
    const std::vector<S> playOrder = {S::Message,  S::Update, S::Look,   S::Requests,
                                      S::Sounds,   S::Draw,   S::Present};
    const std::vector<S> undrawn = {S::Message, S::Update, S::Requests, S::Sounds};
    int undrawnFrames = 0;
    std::vector<GameState> seen;
    int result = run([&](int frame) {
        // Called as a frame presents: the frame before it is the last whole one.
        if (frame > 1) {
            const FrameRecord& r = lastFrameRecord();
            const std::vector<S> steps(r.steps, r.steps + r.count);
            EXPECT_FALSE(r.nested) << frame;
            // Undrawn frames of work lie between this present and the last.
            const bool working =
                seen.back() == GameState::Busy || game.gameState == GameState::Busy;
            if (working && steps == undrawn)
                ++undrawnFrames;
            else
                EXPECT_EQ(steps, seen.back() == GameState::Playing ? playOrder : order) << frame;
        }
        if (seen.empty() || seen.back() != game.gameState) seen.push_back(game.gameState);
        headless::releaseAllKeys();
        // Play, the first slot (a new world), then Esc and Save from the pause menu.
        if (frame == 30 || frame == 60) headless::pressKey(key::Return);
        if (frame == 60) headless::setClockStepPerRead(1);
        if (game.gameState == GameState::Playing && frame % 40 == 0) headless::pressKey(key::Escape);
        if (game.gameState == GameState::Pause) {
            game.pauseChoice = 2;
            if (frame % 40 == 20) headless::pressKey(key::Return);
        }
        if (std::count(seen.begin(), seen.end(), GameState::Busy) == 2 &&
            game.gameState == GameState::Pause)
            headless::queueMessage(plat::Message::Quit);
    });
    EXPECT_EQ(result, 0);
    const std::vector<GameState> expected = {GameState::MainMenu, GameState::WorldSelect,
                                             GameState::Busy,     GameState::Playing,
                                             GameState::Pause,    GameState::Busy,
                                             GameState::Pause};
    EXPECT_EQ(seen, expected);
    EXPECT_GT(undrawnFrames, 0);
}

}  // namespace

// What the player hears, from the plays the headless platform records while
// the real frame update runs a small scene: grass underfoot, a stone ahead.
#include <initializer_list>
#include <vector>

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "app/state_updates.h"
#include "platform/keys.h"
#include "grass_patch.h"
#include "test_support.h"
#include "world/block_types.h"
#include "world/cell_changes.h"
#include "world/options.h"
#include "world/world.h"

namespace {

constexpr int kX = 310, kY = 50, kZ = 310;  // the grass the player stands on
constexpr GrassPatch kPatch{kX - 8, kX + 8, kY, kZ - 8, kZ + 24};

class SoundPlay : public OnGrassPatch {
   protected:
    SoundPlay() : OnGrassPatch(kPatch) {}
    void SetUp() override {
        OnGrassPatch::SetUp();
        if (HasFatalFailure()) return;
        game.gameState = GameState::Playing;
        game.play.player.Position = Vec3{float(kX), float(kY) + 2.001f, float(kZ)};
        world.slots[0] = ItemStack{block::WoodenPickaxe, 1};
        world.DayTime = 0;  // noon
    }

    // `ms` of 10 ms frames with these keys (and the left button) held, the
    // frame made ready as the loop makes it ready before each update.
    void playFor(int32_t ms, std::initializer_list<uint8_t> keys = {}, bool dig = false) {
        for (int32_t end = now + ms; now < end;) {
            headless::releaseAllKeys();
            for (uint8_t k : keys) headless::pressKey(k);
            headless::setMouse(0, 0, dig, false);
            headless::setClock(now += frameMs);
            if (game.gameState == GameState::Playing)
                lookAround(renderer, world, options, settings, game.play);
            ASSERT_EQ(frameUpdate(), 0);
        }
    }
    // The plays since the last call, of one sound when given.
    std::vector<headless::SoundCall> take(int only = -1) {
        std::vector<headless::SoundCall> out;
        for (const auto& c : headless::soundsPlayed())
            if (only < 0 || int(c.play.sound) == only) out.push_back(c);
        headless::clearSoundsPlayed();
        return out;
    }
    static std::vector<int32_t> gaps(const std::vector<headless::SoundCall>& calls) {
        std::vector<int32_t> out;
        for (size_t i = 1; i < calls.size(); ++i) out.push_back(calls[i].time - calls[i - 1].time);
        return out;
    }
    int32_t now = 1000;
    int32_t frameMs = 10;
};

constexpr int of(Touch t, Material m) {
    return int(materialSound(t, m));
}

TEST_F(SoundPlay, StepsOnGrassFollowTheWalkingPaceAndStopWithThePlayer) {
    playFor(500);
    EXPECT_TRUE(take().empty());

    playFor(2000, {key::W});
    const auto walking = take();
    ASSERT_GE(walking.size(), 4u);
    for (const auto& c : walking) EXPECT_EQ(int(c.play.sound), of(Touch::Step, Material::Grass));
    for (int32_t gap : gaps(walking)) EXPECT_NEAR(gap, 365, 15);

    playFor(1000);  // standing again
    EXPECT_TRUE(take().empty());

    playFor(2000, {key::W, key::Q});
    const auto running = take();
    ASSERT_GE(running.size(), 5u);
    for (int32_t gap : gaps(running)) EXPECT_NEAR(gap, 268, 15);

    // Repeats differ: no variant twice in a row.
    for (size_t i = 1; i < running.size(); ++i)
        EXPECT_NE(running[i].play.variant, running[i - 1].play.variant);
}

TEST_F(SoundPlay, AStepForEveryStrideWalkedAtAnyFrameRate) {
    // A standing body settles onto the ground over a few milliseconds of
    // frames; the walk of those frames counts towards the next step too.
    const Vec3 start = game.play.player.Position;
    for (int32_t ms : {1, 3, 7, 16, 45}) {
        frameMs = ms;
        game.play.player.Position = start;
        playFor(500);
        take();
        game.play.player.strideWalked = 0.0f;
        playFor(1800, {key::W});  // four and a half strides, or a little more
        const float walked = game.play.player.Position.z - start.z;
        EXPECT_EQ(take().size(), size_t(walked / 1.6f))
            << ms << " ms frames, " << walked << " blocks";
    }
}

TEST_F(SoundPlay, DiggingStoneHitsAtASteadyPaceThenBreaksOnce) {
    setCell(world, kX, kY + 2, kZ + 2, Cell{block::Stone, 0});
    playFor(2000, {}, true);  // 1222 ms with the wooden pickaxe
    const auto all = take();
    std::vector<headless::SoundCall> hits, breaks;
    for (const auto& c : all) {
        if (int(c.play.sound) == of(Touch::Hit, Material::Stone)) hits.push_back(c);
        else if (int(c.play.sound) == of(Touch::Break, Material::Stone)) breaks.push_back(c);
    }
    ASSERT_EQ(breaks.size(), 1u);
    ASSERT_EQ(hits.size(), 5u);
    for (int32_t gap : gaps(hits)) EXPECT_EQ(gap, kDigHitMs);
    EXPECT_GT(breaks[0].time, hits.back().time);
    EXPECT_EQ(all.size(), hits.size() + breaks.size());  // nothing else, no steps
}

TEST_F(SoundPlay, ALandingFromThreeBlocksIsLouderThanFromOne) {
    auto landFrom = [&](float blocks) {
        game.play.player.Position.y = float(kY) + 2.001f + blocks;
        playFor(1500);
        const auto lands = take(int(Sound::Land));
        EXPECT_EQ(lands.size(), 1u) << blocks;
        return lands.empty() ? 0.0f : lands[0].play.volume;
    };
    const float low = landFrom(1.0f), high = landFrom(3.0f);
    EXPECT_GT(low, 0.0f);
    EXPECT_GT(high, low * 1.3f);
}

TEST_F(SoundPlay, AnOpenScreenSoundsOnlyItsOwnMoves) {
    auto tap = [&](uint8_t k) {
        playFor(10, {k});
        playFor(300);
        std::vector<Sound> heard;
        for (const auto& c : take()) heard.push_back(c.play.sound);
        return heard;
    };
    EXPECT_EQ(tap(key::I), std::vector<Sound>{Sound::InventoryOpen});
    ASSERT_EQ(game.gameState, GameState::InventoryScreen);
    EXPECT_EQ(tap(key::Return), std::vector<Sound>{Sound::PickUp});  // the pickaxe
    EXPECT_EQ(tap(key::Return), std::vector<Sound>{Sound::PutDown});

    // Walking keys move the screen's frame, never the player: no steps.
    playFor(1500, {key::W});
    for (const auto& c : take()) EXPECT_NE(int(c.play.sound) / kMaterialCount, int(Touch::Step));

    EXPECT_EQ(tap(key::Escape), std::vector<Sound>{Sound::InventoryClose});
    EXPECT_EQ(game.gameState, GameState::Playing);
}

TEST_F(SoundPlay, VolumeZeroPlaysNothing) {
    setCell(world, kX, kY + 2, kZ + 2, Cell{block::Stone, 0});
    options.effectsVolume = 0;
    playFor(1500, {key::W}, true);
    EXPECT_TRUE(take().empty());
    EXPECT_GT(headless::ambience().wind, 0.0f);  // the ambience has its own volume

    options.effectsVolume = 100;
    options.masterVolume = 0;
    playFor(1500, {key::S}, true);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(headless::ambience().wind, 0.0f);
    EXPECT_EQ(headless::ambience().night, 0.0f);
}

TEST_F(SoundPlay, TheAmbienceTurnsToNightAfterDuskAndFallsSilentUnderARoof) {
    playFor(kAmbienceSwingMs + 100);
    const headless::AmbienceLevel noon = headless::ambience();
    EXPECT_NEAR(noon.wind, 0.6f * 0.7f, 0.01f);  // the default master and ambience volumes
    EXPECT_EQ(noon.night, 0.0f);

    world.DayTime = 100;  // after dusk
    playFor(kAmbienceSwingMs + 100);
    const headless::AmbienceLevel night = headless::ambience();
    EXPECT_EQ(night.wind, 0.0f);
    EXPECT_NEAR(night.night, 0.6f * 0.7f, 0.01f);

    // A crossfade, not a switch: a frame after a change of roof moves a little.
    setCell(world, kX, kY + 6, kZ, Cell{block::Stone, 0});
    playFor(100);
    EXPECT_GT(headless::ambience().night, 0.3f);
    playFor(kAmbienceSwingMs);
    EXPECT_EQ(headless::ambience().night, 0.0f);
    EXPECT_EQ(headless::ambience().wind, 0.0f);
}

TEST_F(SoundPlay, MenusAreQuietButForTheirOwnTicks) {
    game.gameState = GameState::MainMenu;
    playFor(10, {key::Down});
    playFor(300);
    const auto moved = take();
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].play.sound, Sound::MenuMove);
    EXPECT_LT(moved[0].play.volume, 0.6f);
    EXPECT_EQ(headless::ambience().wind, 0.0f);
}

}  // namespace

namespace {

class SoundAtStart : public AppTest {
   protected:
    // The whole game for a few frames with one tap of Down in the main menu;
    // what was played.
    std::vector<headless::SoundCall> runWithOneMenuStep() {
        headless::setPresentHook([] {
            headless::advanceClock(10);
            const int frame = headless::presentCount();
            if (frame == 30) headless::pressKey(key::Down);
            if (frame == 31) headless::releaseKey(key::Down);
            if (frame == 40) headless::queueMessage(plat::Message::Quit);
        });
        EXPECT_EQ(runGame(), 0);
        return headless::soundsPlayed();
    }
};

TEST_F(SoundAtStart, TheOptionsFileSetsTheVolumeFromTheFirstFrame) {
    EXPECT_EQ(runWithOneMenuStep().size(), 1u);

    headless::reset();
    headless::setExeFolder(scratch.path.string());
    resetGame();
    writeBytes(scratch.file("Options.txt"), "master_volume = 0\n");
    EXPECT_TRUE(runWithOneMenuStep().empty());
}

}  // namespace

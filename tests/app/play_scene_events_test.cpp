// A scene played headless from a Play value of its own, frame by frame as the
// game runs it (made ready, then updated), read back from the events alone.
#include <initializer_list>
#include <utility>
#include <vector>

#include "app/state_updates.h"
#include "game/playing.h"
#include "platform/keys.h"
#include "grass_patch.h"
#include "test_support.h"
#include "world/block_types.h"
#include "world/cell_changes.h"
#include "world/world.h"

namespace {

constexpr int kX = 310, kY = 50, kZ = 310;  // the grass the player stands on
constexpr GrassPatch kPatch{kX - 8, kX + 8, kY, kZ - 8, kZ + 8};
constexpr uint8_t kWoodenAxe = 62;

class PlaySceneEvents : public OnGrassPatch {
   protected:
    PlaySceneEvents() : OnGrassPatch(kPatch) {}
    void SetUp() override {
        OnGrassPatch::SetUp();
        if (HasFatalFailure()) return;
        play.player.Position = Vec3{float(kX), float(kY) + 2.001f, float(kZ)};
        world.slots[0] = ItemStack{kWoodenAxe, 1};
        world.slots[1] = ItemStack{block::RawWood, 3};
    }

    // `ms` of 10 ms frames with these keys (and the left button) held; the
    // events of every frame in order.
    void playFor(int32_t ms, std::initializer_list<uint8_t> keys = {}, bool dig = false) {
        for (int32_t end = now + ms; now < end;) {
            Frame frame;
            frame.elapsed = 10;
            frame.now = now += 10;
            for (uint8_t k : keys) frame.input.keyboard.keys[k] = 0x80;
            frame.input.mouse.buttons[0] = dig ? 0x80 : 0;
            lookAround(renderer, world, options, settings, play);
            const PlayResult r = updatePlaying(world, play, options, settings, frame, gate);
            EXPECT_EQ(r.request, PlayRequest::Stay);
            seen.insert(seen.end(), r.events.begin(), r.events.end());
        }
    }
    std::vector<Event> take() { return std::exchange(seen, {}); }
    static int count(const std::vector<Event>& events, EventKind kind) {
        int n = 0;
        for (const Event& e : events) n += e.kind == kind;
        return n;
    }

    Play play;
    ActionGate gate;
    int32_t now = 1000;
    std::vector<Event> seen;
};

TEST_F(PlaySceneEvents, F4AsksForAScreenshotThatTheAppTakes) {
    Frame frame;
    frame.elapsed = 10;
    frame.now = now += 10;
    frame.input.keyboard.keys[key::F4] = 0x80;
    EXPECT_TRUE(updatePlaying(world, play, options, settings, frame, gate).screenshot);
    EXPECT_TRUE(headless::screenshotsSaved().empty());
}

TEST_F(PlaySceneEvents, WalkJumpLandDigALogAndCraftATable) {
    playFor(100);  // standing still: nothing happens
    EXPECT_TRUE(take().empty());

    // Four blocks along +z on grass: a step every 1.6 blocks, each on dirt.
    playFor(910, {key::W});
    const std::vector<Event> walk = take();
    ASSERT_EQ(count(walk, EventKind::Step), 2);
    for (const Event& e : walk) EXPECT_EQ(e.block, block::Dirt);

    // One jump; its landing comes a fall of 1.1 blocks later, with no step
    // in the air.
    playFor(20, {key::Space});
    playFor(1000);
    const std::vector<Event> hop = take();
    ASSERT_EQ(hop.size(), 2u);
    EXPECT_EQ(hop[0].kind, EventKind::Jump);
    EXPECT_EQ(hop[1].kind, EventKind::Landed);
    EXPECT_NEAR(hop[1].value, 1.1f, 0.01f);

    // A log at eye height two blocks ahead, dug with the axe: hits while the
    // dig runs, then one DigFinished naming the log and its cell.
    const CellPos log{int(play.player.Position.x + 0.5f), kY + 2,
                      int(play.player.Position.z + 0.5f) + 2};
    setCell(world, log.x, log.y, log.z, Cell{block::RawWood, 0});
    playFor(1300, {}, true);
    const std::vector<Event> dig = take();
    ASSERT_EQ(count(dig, EventKind::DigFinished), 1);
    EXPECT_GT(count(dig, EventKind::DigStep), 100);
    EXPECT_EQ(dig.back().kind, EventKind::DigFinished);
    EXPECT_EQ(dig.back().block, block::RawWood);
    EXPECT_EQ(dig.back().cell, log);
    for (const Event& e : dig) EXPECT_EQ(e.cell, log);

    // R opens the crafting panel; with four raw wood the table is on its
    // list, and Enter makes one.
    playFor(10, {key::R});
    playFor(10);
    int table = -1;
    for (int i = 0; i < play.crafting.candidateCount; ++i)
        if (play.crafting.candidates[i].result == block::CraftingTable) table = i;
    ASSERT_GE(table, 0);
    play.crafting.selected = table;
    playFor(10, {key::Return});
    const std::vector<Event> craft = take();
    ASSERT_EQ(craft.size(), 1u);
    EXPECT_EQ(craft[0].kind, EventKind::Crafted);
    EXPECT_EQ(craft[0].block, block::CraftingTable);
    EXPECT_EQ(craft[0].value, 1.0f);
}

}  // namespace

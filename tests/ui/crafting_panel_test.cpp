// The crafting panel as drawn: the five candidates around the cursor, the
// selected recipe's ingredients and its text centred by its length, and the
// line for an empty list, in both languages.
#include <string>
#include <vector>

#include "app/game_state.h"
#include "app/state_updates.h"
#include "game/controls.h"
#include "game/crafting.h"
#include "game/player.h"
#include "ui/crafting_panel.h"
#include "ui/draw_checks.h"
#include "world/world.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

class Panel : public ScreenTest {
   protected:
    void SetUp() override {
        ScreenTest::SetUp();
        std::fill(std::begin(world.slots), std::end(world.slots), ItemStack{0, 0});
    }
    // A candidate list of the given recipes, as buildCandidates would leave it.
    static void listOf(std::initializer_list<Recipe> recipes, int selected) {
        game.play.crafting.candidateCount = 0;
        for (const Recipe& r : recipes)
            game.play.crafting.candidates[game.play.crafting.candidateCount++] = r;
        game.play.crafting.selected = selected;
    }
    static Recipe recipe(Station station, int index) { return recipeList(station).recipes[index]; }
};

TEST_F(Panel, AnEmptyListSaysSoInBothLanguages) {
    listOf({}, -1);
    english();
    drawCraftingPanel(settings, game.play.crafting);
    italianLanguage();
    drawCraftingPanel(settings, game.play.crafting);
    const auto& frame = headless::currentFrame();
    EXPECT_TRUE(frame.sprites.empty());
    EXPECT_EQ(
        describeTexts(frame),
        (std::vector<std::string>{textLine(360, 300, kWhite, "No item to craft."),
                                  textLine(360, 300, kWhite, "Nessun oggetto da craftare.")}));
}

TEST_F(Panel, FiveCandidatesAroundTheCursorWithTheSelectedRecipeBeside) {
    // Hand: table, torch; crafting table: furnace, planks, sword, stick, pickaxe.
    listOf({recipe(Station::Hand, 0), recipe(Station::Hand, 1), recipe(Station::CraftingTable, 0),
            recipe(Station::CraftingTable, 1), recipe(Station::CraftingTable, 2),
            recipe(Station::CraftingTable, 3), recipe(Station::CraftingTable, 4)},
           3);
    english();
    drawCraftingPanel(settings, game.play.crafting);
    const auto& frame = headless::currentFrame();
    // Torch, furnace, [frame] planks, sword, stick; then the planks' raw wood.
    EXPECT_EQ(describeSprites(frame),
              (std::vector<std::string>{"29@384,188", "46@384,236", "45@382,282", "15@384,284",
                                        "71@384,332", "28@384,380", "7@432,284"}));
    const std::string text = "Wooden planks = Raw wood";
    EXPECT_EQ(
        describeTexts(frame),
        (std::vector<std::string>{textLine(402, 208, kBlack, "5"), textLine(402, 304, kBlack, "3"),
                                  textLine(400 - 7 * 24 / 2, 267, kWhite, text)}));
}

TEST_F(Panel, IngredientsShowTheirCountsAndTheTextNamesThemAll) {
    listOf({recipe(Station::Furnace, 15), recipe(Station::Hand, 1)}, 0);
    italianLanguage();
    drawCraftingPanel(settings, game.play.crafting);
    const auto& steel = headless::currentFrame();
    // The cursor at the top of a list shows only what lies below it.
    EXPECT_EQ(describeSprites(steel),
              (std::vector<std::string>{"45@382,282", "87@384,284", "29@384,332", "17@432,284",
                                        "88@480,284", "93@528,284", "94@576,284", "60@624,284"}));
    const std::string text =
        "Lingotto d'acciaio = Ematite + Cementite + Frammento di rame + Frammento di tungsteno + "
        "Carbone";
    EXPECT_EQ(
        describeTexts(steel),
        (std::vector<std::string>{textLine(402, 304, kBlack, "2"), textLine(402, 352, kBlack, "5"),
                                  textLine(450, 304, kBlack, "2"), textLine(594, 304, kBlack, "2"),
                                  textLine(642, 304, kBlack, "2"),
                                  textLine(400 - (7 * int(text.size())) / 2, 267, kWhite, text)}));

    headless::reset();
    plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600);
    game.play.crafting.selected = 1;
    english();
    drawCraftingPanel(settings, game.play.crafting);
    const auto* torch = headless::currentFrame().findText("Torch = Stick + Coal");
    ASSERT_NE(torch, nullptr);
    EXPECT_EQ(torch->left, 400 - 140 / 2);
    italianLanguage();
    drawCraftingPanel(settings, game.play.crafting);
    EXPECT_NE(headless::currentFrame().findText("Torcia = Bastone + Carbone"), nullptr);
}

TEST_F(Panel, TheLookBuildsTheListFromWhatThePlayerCarriesAndTheFrameShowsItBeforeTheClosingTexts) {
    world.slots[0] = ItemStack{5, 4};
    game.play.player.Position = Vec3{500.0f, 150.0f, 500.0f};
    game.play.crafting.open = 1;
    game.play.crafting.selected = 3;
    english();
    lookAround(game.renderer, game.world, game.options, game.settings, game.play);
    const auto& frame = draw(GameState::Playing);
    EXPECT_EQ(game.play.crafting.candidateCount, 1);
    EXPECT_EQ(game.play.crafting.selected, 0);
    const auto texts = describeTexts(frame);
    ASSERT_GE(texts.size(), 5u);
    EXPECT_EQ(texts[texts.size() - 4],
              textLine(400 - 7 * 25 / 2, 267, kWhite, "Crafting table = Raw wood"));
    EXPECT_EQ(texts[texts.size() - 5], textLine(450, 304, kBlack, "4"));

    // Hidden, the display is neither drawn nor its list rebuilt.
    game.play.controls.hudVisible = 0;
    world.slots[0] = ItemStack{0, 0};
    lookAround(game.renderer, game.world, game.options, game.settings, game.play);
    draw(GameState::Playing);
    EXPECT_EQ(game.play.crafting.candidateCount, 1);
}

}  // namespace

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/game_state.h"
#include "platform/embedded_assets.h"
#include "platform/sdl/text_layout.h"
#include "ui/draw_checks.h"
#include "ui/notice.h"
#include "ui/option_rows.h"
#include "world/options.h"

namespace {

// The game's own font, to measure how far a text reaches.
struct FontAtlasForTests {
    sdlplat::FontAtlas atlas;
    FontAtlasForTests() {
        std::string error;
        const embedded::Blob blob = embedded::monoBoldFont();
        EXPECT_TRUE(sdlplat::buildFontAtlas(blob.data, blob.size, 12, atlas, error)) << error;
    }
    int width(std::string_view text) const {
        std::vector<sdlplat::GlyphQuad> quads;
        sdlplat::layoutText(atlas, 0, 0, 100000, 100, text, quads);
        return quads.empty() ? 0 : int(quads.back().x1);
    }
};

constexpr uint32_t kBlack = 0xFF000000;

class Menus : public ScreenTest {
   protected:
    // The whole text list of one menu frame: its own texts, then the closing ones.
    void expectTexts(GameState state, std::vector<std::string> own) {
        const bool it = settings.Language == 1;
        for (auto& line : closingTexts(game.FPS, 10, it)) own.push_back(line);
        EXPECT_EQ(describeTexts(draw(state)), own) << "state " << int(state);
    }
    // Where the arrow stands for a given choice; checks the sprite pair too.
    int arrowY(GameState state, uint8_t& choice, int value) {
        choice = static_cast<uint8_t>(value);
        const auto& frame = draw(state);
        EXPECT_EQ(frame.sprites.size(), 2u);
        if (frame.sprites.size() != 2) return -1;
        const auto& background = frame.sprites[0];
        EXPECT_EQ(background.texture, 43);
        EXPECT_TRUE(background.hasSource);
        EXPECT_EQ(background.source.width, 800);
        EXPECT_EQ(background.source.height, 600);
        EXPECT_EQ(background.x, 0);
        EXPECT_EQ(background.y, 0);
        const auto& arrow = frame.sprites[1];
        EXPECT_EQ(arrow.texture, 44);
        EXPECT_TRUE(arrow.hasSource);
        EXPECT_EQ(arrow.source.width, 16);
        EXPECT_EQ(arrow.source.height, 16);
        EXPECT_EQ(arrow.x, 368);
        EXPECT_EQ(arrow.argb, 0xFFFFFFFFu);
        return arrow.y;
    }
};

TEST_F(Menus, MainMenuWordsAndPlacesInBothLanguages) {
    game.FPS = 61;
    italianLanguage();
    expectTexts(GameState::MainMenu,
                {textLine(400, 280, kBlack, "Gioca"), textLine(400, 300, kBlack, "Opzioni"),
                 textLine(400, 320, kBlack, "Esci")});
    english();
    expectTexts(GameState::MainMenu,
                {textLine(400, 280, kBlack, "Play"), textLine(400, 300, kBlack, "Options"),
                 textLine(400, 320, kBlack, "Quit")});
}

TEST_F(Menus, OptionsShowDistanceLanguageThenCancelAndTheWayOn) {
    italianLanguage();
    settings.RenderDistance = 2;
    expectTexts(GameState::Options,
                {textLine(400, 280, kBlack, "Rendering:"),
                 textLine(480, 280, kBlack, "Normale (40 m)"), textLine(400, 300, kBlack, "Lingua:"),
                 textLine(480, 300, kBlack, "Italiano"), textLine(400, 320, kBlack, "Annulla"),
                 textLine(400, 340, kBlack, "Altre opzioni")});
    english();
    expectTexts(GameState::Options,
                {textLine(400, 280, kBlack, "Rendering:"),
                 textLine(480, 280, kBlack, "Normal (40 m)"), textLine(400, 300, kBlack, "Language:"),
                 textLine(480, 300, kBlack, "English"), textLine(400, 320, kBlack, "Cancel"),
                 textLine(400, 340, kBlack, "More options")});
    // Any language byte other than 1 is English.
    settings.Language = 0;
    EXPECT_NE(draw(GameState::Options).findText("English"), nullptr);
}

TEST_F(Menus, MoreOptionsShowEachOptionInItsOwnWords) {
    english();
    expectTexts(
        GameState::MoreOptions,
        {textLine(400, 180, kBlack, "More options"),
         textLine(400, 200, kBlack, "Mouse sensitivity:"), textLine(560, 200, kBlack, "10"),
         textLine(400, 220, kBlack, "Field of view:"), textLine(560, 220, kBlack, "45\u00b0"),
         textLine(400, 240, kBlack, "Far view:"), textLine(560, 240, kBlack, "Off (F5)"),
         textLine(400, 260, kBlack, "Frame rate:"), textLine(560, 260, kBlack, "Screen sync"),
         textLine(400, 280, kBlack, "Fullscreen:"), textLine(560, 280, kBlack, "Off"),
         textLine(400, 300, kBlack, "Interface size:"), textLine(560, 300, kBlack, "Auto"),
         textLine(400, 320, kBlack, "Master volume:"), textLine(560, 320, kBlack, "60%"),
         textLine(400, 340, kBlack, "Effects volume:"), textLine(560, 340, kBlack, "100%"),
         textLine(400, 360, kBlack, "Ambience volume:"), textLine(560, 360, kBlack, "70%"),
         textLine(400, 380, kBlack, "Back")});
    // The other language's words, and values other than the defaults.
    italianLanguage();
    options.farView = 120;
    options.frameCap = kUncapped;
    options.fullscreen = true;
    options.uiScale = 7;
    const auto texts = describeTexts(draw(GameState::MoreOptions));
    for (const auto& line :
         {textLine(400, 180, kBlack, "Altre opzioni"), textLine(560, 240, kBlack, "120 m"),
          textLine(400, 260, kBlack, "Fotogrammi:"), textLine(560, 260, kBlack, "Illimitati"),
          textLine(560, 280, kBlack, "Attivo"), textLine(560, 300, kBlack, "1.75x"),
          textLine(400, 380, kBlack, "Indietro")})
        EXPECT_NE(std::find(texts.begin(), texts.end(), line), texts.end()) << line;
}

// With the real font: every name ends before its value's column and every
// value on the background's parchment (whose edge stands near x = 667), in
// both languages and at each option's widest value.
TEST_F(Menus, OptionsTextFitsTheScreen) {
    FontAtlasForTests font;
    for (bool it : {false, true}) {
        it ? italianLanguage() : english();
        for (int row = 0; row < kOptionRowCount; ++row) {
            int widest = 0;
            Options o;
            for (int step = 0; step < 40; ++step, stepOptionRow(o, row, 1, plat::kMaxInterfaceQuarters))
                widest = std::max(widest, font.width(optionRowValue(settings, o, row)));
            EXPECT_LE(400 + font.width(optionRowLabel(settings, row)), 552)
                << optionRowLabel(settings, row);
            EXPECT_LE(560 + widest, 660) << optionRowLabel(settings, row);
        }
    }
}

TEST_F(Menus, EveryRenderDistanceHasItsWordAndMetres) {
    const char* englishWords[5] = {"Tiny (20 m)", "Short (30 m)", "Normal (40 m)", "Long (50 m)",
                                   "Far (60 m)"};
    const char* italianWords[5] = {"Vicinissima (20 m)", "Vicina (30 m)", "Normale (40 m)",
                                   "Lontana (50 m)", "Lontanissima (60 m)"};
    for (int d = 0; d < 5; ++d) {
        settings.RenderDistance = static_cast<uint8_t>(d);
        english();
        const auto* t = draw(GameState::Options).findText(englishWords[d]);
        ASSERT_NE(t, nullptr) << d;
        EXPECT_EQ(t->left, 480);
        EXPECT_EQ(t->top, 280);
        italianLanguage();
        EXPECT_NE(draw(GameState::Options).findText(italianWords[d]), nullptr) << d;
    }
    // A value out of range draws no distance at all (and nothing else breaks).
    settings.RenderDistance = 5;
    const auto& frame = draw(GameState::Options);
    for (const auto& t : frame.texts) EXPECT_FALSE(t.left == 480 && t.top == 280) << t.text;
    EXPECT_NE(frame.findText("Rendering:"), nullptr);
}

TEST_F(Menus, QuitConfirmAndPauseInBothLanguages) {
    italianLanguage();
    expectTexts(GameState::QuitConfirm,
                {textLine(400, 280, kBlack, "Uscire?"), textLine(400, 300, kBlack, "Si'"),
                 textLine(400, 320, kBlack, "No")});
    expectTexts(
        GameState::Pause,
        {textLine(400, 270, kBlack, "Pausa"), textLine(400, 290, kBlack, "Continua"),
         textLine(400, 310, kBlack, "Salva"), textLine(400, 330, kBlack, "Esci senza salvare")});
    english();
    expectTexts(GameState::QuitConfirm,
                {textLine(400, 280, kBlack, "Do you want to quit?"),
                 textLine(400, 300, kBlack, "Yes"), textLine(400, 320, kBlack, "No")});
    expectTexts(
        GameState::Pause,
        {textLine(400, 270, kBlack, "Pause"), textLine(400, 290, kBlack, "Continue"),
         textLine(400, 310, kBlack, "Save"), textLine(400, 330, kBlack, "Quit without saving")});
}

TEST_F(Menus, WorldSelectShowsWhichSlotsHoldAWorld) {
    // Any file at all counts, whatever its size.
    std::ofstream(scratch.file("Mondo2.data")) << "x";
    std::ofstream(scratch.file("Mondo4.data"));
    // A seed file alone does not make a slot occupied.
    std::ofstream(scratch.file("SemeM1.data")) << "1234";
    italianLanguage();
    expectTexts(GameState::WorldSelect,
                {textLine(400, 260, kBlack, "Mondo1"), textLine(550, 260, kBlack, "(Vuoto)"),
                 textLine(400, 280, kBlack, "Mondo2"), textLine(550, 280, kBlack, "400MB"),
                 textLine(400, 300, kBlack, "Mondo3"), textLine(550, 300, kBlack, "(Vuoto)"),
                 textLine(400, 320, kBlack, "Mondo4"), textLine(550, 320, kBlack, "400MB"),
                 textLine(400, 340, kBlack, "Annulla")});
    english();
    expectTexts(GameState::WorldSelect,
                {textLine(400, 260, kBlack, "World1"), textLine(550, 260, kBlack, "(Empty)"),
                 textLine(400, 280, kBlack, "World2"), textLine(550, 280, kBlack, "400MB"),
                 textLine(400, 300, kBlack, "World3"), textLine(550, 300, kBlack, "(Empty)"),
                 textLine(400, 320, kBlack, "World4"), textLine(550, 320, kBlack, "400MB"),
                 textLine(400, 340, kBlack, "Cancel")});

    // The status is looked up anew every frame.
    std::ofstream(scratch.file("Mondo3.data"));
    std::filesystem::remove(scratch.file("Mondo2.data"));
    const auto& frame = draw(GameState::WorldSelect);
    ASSERT_EQ(frame.texts.size(), 12u);
    EXPECT_EQ(frame.texts[3].text, "(Empty)");
    EXPECT_EQ(frame.texts[5].text, "400MB");
}

TEST_F(Menus, DeleteQuestionStandsAboveTheSlotRowsInBothLanguages) {
    std::ofstream(scratch.file("Mondo2.data")) << "x";
    game.deleteSlot = 2;
    game.deleteChoice = 2;
    const std::vector<std::string> slotsItalian = {
        textLine(400, 260, kBlack, "Mondo1"), textLine(550, 260, kBlack, "(Vuoto)"),
        textLine(400, 280, kBlack, "Mondo2"), textLine(550, 280, kBlack, "400MB"),
        textLine(400, 300, kBlack, "Mondo3"), textLine(550, 300, kBlack, "(Vuoto)"),
        textLine(400, 320, kBlack, "Mondo4"), textLine(550, 320, kBlack, "(Vuoto)"),
        textLine(400, 340, kBlack, "Annulla")};
    std::vector<std::string> italianTexts = {textLine(400, 180, kBlack, "Cancellare Mondo2?"),
                                             textLine(400, 200, kBlack, "Si'"),
                                             textLine(400, 220, kBlack, "No")};
    italianTexts.insert(italianTexts.end(), slotsItalian.begin(), slotsItalian.end());
    italianLanguage();
    expectTexts(GameState::WorldSelect, italianTexts);
    english();
    const auto& frame = draw(GameState::WorldSelect);
    ASSERT_GE(frame.texts.size(), 3u);
    EXPECT_EQ(describeTexts(frame)[0], textLine(400, 180, kBlack, "Delete World2?"));
    EXPECT_EQ(describeTexts(frame)[1], textLine(400, 200, kBlack, "Yes"));
    EXPECT_EQ(describeTexts(frame)[2], textLine(400, 220, kBlack, "No"));
    EXPECT_NE(frame.findText("World4"), nullptr);

    // The arrow marks the question's choice, not the slot's.
    EXPECT_EQ(arrowY(GameState::WorldSelect, game.deleteChoice, 2), 220);
    EXPECT_EQ(arrowY(GameState::WorldSelect, game.deleteChoice, 1), 200);

    // The question's lines stay clear of every other line, the damaged-world
    // notice included.
    game.frame.now = 1000;
    headless::setClock(1000);
    game.notice = makeNotice(game.frame.now, "Damaged world Mondo2.data: not loaded!",
                             "Mondo danneggiato Mondo2.data: non caricato!");
    const auto& withNotice = draw(GameState::WorldSelect);
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 3; j < withNotice.texts.size(); ++j)
            EXPECT_GE(std::abs(withNotice.texts[i].top - withNotice.texts[j].top), 20)
                << withNotice.texts[i].text << " / " << withNotice.texts[j].text;
    EXPECT_NE(withNotice.findText("Damaged world Mondo2.data: not loaded!"), nullptr);
}

TEST_F(Menus, ArrowStandsBesideTheChoiceAndAtTheTopWhenOutOfRange) {
    struct Case {
        GameState state;
        uint8_t* choice;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {GameState::MainMenu, &game.mainMenuChoice, {280, 300, 320}},
        {GameState::Options, &game.optionsChoice, {280, 300, 320, 340}},
        {GameState::MoreOptions,
         &game.moreOptionsChoice,
         {200, 220, 240, 260, 280, 300, 320, 340, 360, 380}},
        {GameState::QuitConfirm, &game.quitChoice, {300, 320}},
        {GameState::Pause, &game.pauseChoice, {290, 310, 330}},
        {GameState::WorldSelect, &game.worldSlotChoice, {260, 280, 300, 320, 340}},
    };
    for (const auto& c : cases) {
        for (size_t i = 0; i < c.rows.size(); ++i)
            EXPECT_EQ(arrowY(c.state, *c.choice, int(i) + 1), c.rows[i])
                << "state " << int(c.state) << " choice " << i + 1;
        EXPECT_EQ(arrowY(c.state, *c.choice, 0), 0) << "state " << int(c.state);
        EXPECT_EQ(arrowY(c.state, *c.choice, int(c.rows.size()) + 1), 0)
            << "state " << int(c.state);
        EXPECT_EQ(arrowY(c.state, *c.choice, 255), 0) << "state " << int(c.state);
    }
}

TEST_F(Menus, NoticeShowsOnEveryMenuInDarkRedClearOfTheRows) {
    game.frame.now = 1000;
    headless::setClock(1000);
    game.notice =
        makeNotice(game.frame.now, "The world could not be saved", "Impossibile salvare il mondo");
    english();
    for (GameState s : {GameState::MainMenu, GameState::Options, GameState::MoreOptions,
                        GameState::QuitConfirm, GameState::Pause, GameState::WorldSelect}) {
        const auto& frame = draw(s);
        const auto* t = frame.findText("The world could not be saved");
        ASSERT_NE(t, nullptr) << int(s);
        EXPECT_EQ(t->argb, 0xFF990000u);
        // No other text shares its line.
        for (const auto& other : frame.texts)
            if (&other != t) {
                EXPECT_GE(std::abs(other.top - t->top), 20) << other.text;
            }
        // It comes before the closing texts, which stay last.
        EXPECT_EQ(frame.texts[frame.texts.size() - 3].text, "FPS: 0");
    }
    italianLanguage();
    EXPECT_NE(draw(GameState::Pause).findText("Impossibile salvare il mondo"), nullptr);
    // Gone once its time has passed.
    game.frame.now = 1000 + kNoticeShowMs + 1;
    EXPECT_EQ(draw(GameState::Pause).findText("Impossibile salvare il mondo"), nullptr);
}

}  // namespace

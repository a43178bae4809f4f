#include "ui/menus.h"

#include <cstdint>
#include <initializer_list>

#include "platform/platform.h"
#include "ui/screen_common.h"
#include "ui/option_rows.h"
#include "ui/screens.h"
#include "ui/text.h"
#include "world/options.h"
#include "world/save_files.h"
#include "world/settings.h"

namespace {

struct Words {
    const char* english;
    const char* italian;
    const char* operator()(const Settings& settings) const {
        return tr(settings, english, italian);
    }
};

// The common frame of every menu: scene, background, the arrow beside the
// chosen row (arrowRows holds the row of choice 1, 2, ...) (at the top edge when the choice is out
// of range), then the menu's own texts, the notice line and the closing texts.
template <typename DrawTexts>
int drawMenu(const Options& options, const Settings& settings, const int* arrowRows, int rowCount,
             int choice, const Overlay& overlay, DrawTexts drawTexts) {
    if (beginSceneOrFail(options) < 0) return -1;
    drawBackground(options);
    int arrowY = 0;
    if (choice >= 1 && choice <= rowCount) arrowY = arrowRows[choice - 1];
    const plat::SourceRect arrow{0, 0, 16, 16};
    plat::drawSprite(kMenuArrowTexture, 368, arrowY, kWhite, &arrow);
    drawTexts();
    drawNoticeLine(settings, overlay, kNoticeX, kNoticeYMenus, kNoticeOnPanel);
    drawClosingTexts(options, settings, overlay.fps, kOnScreen);
    plat::endScene();
    return 0;
}

template <typename DrawTexts>
int drawMenu(const Options& options, const Settings& settings, std::initializer_list<int> arrowRows,
             int choice, const Overlay& overlay, DrawTexts drawTexts) {
    return drawMenu(options, settings, arrowRows.begin(), int(arrowRows.size()), choice, overlay,
                    drawTexts);
}

void item(const Settings& settings, int y, Words words) {
    drawText(400, y, kBlack, "%s", words(settings));
}

constexpr int kOptionValueX = 560;

constexpr Words kDistanceNames[5] = {
    {"Tiny", "Vicinissima"}, {"Short", "Vicina"},     {"Normal", "Normale"},
    {"Long", "Lontana"},     {"Far", "Lontanissima"},
};

}  // namespace

int drawMainMenu(const Options& options, const Settings& settings, int choice,
                 const Overlay& overlay) {
    return drawMenu(options, settings, {280, 300, 320}, choice, overlay, [&] {
        item(settings, 280, {"Play", "Gioca"});
        item(settings, 300, {"Options", "Opzioni"});
        item(settings, 320, {"Quit", "Esci"});
    });
}

int drawOptionsMenu(const Options& options, const Settings& settings, int choice,
                    const Overlay& overlay) {
    return drawMenu(options, settings, {280, 300, 320, 340}, choice, overlay, [&] {
        drawText(400, 280, kBlack, "%s", "Rendering:");
        const int distance = settings.RenderDistance;
        if (distance <= 4)
            drawText(480, 280, kBlack, "%s (%d m)", kDistanceNames[distance](settings),
                     10 * (distance + 2));
        drawText(400, 300, kBlack, "%s:", tr(settings, "Language", "Lingua"));
        // Each language is named in its own words, whichever is in use.
        drawText(480, 300, kBlack, "%s", italian(settings) ? "Italiano" : "English");
        item(settings, 320, {"Cancel", "Annulla"});
        item(settings, 340, {"More options", "Altre opzioni"});
    });
}

// Each option's row with its value in a column of its own (the names are
// longer), under the screen's title, then Back.
int drawMoreOptionsMenu(const Options& options, const Settings& settings, int choice,
                        const Overlay& overlay) {
    int rows[kMoreOptionsBackChoice];
    for (int c = 1; c <= kMoreOptionsBackChoice; ++c) rows[c - 1] = moreOptionsRowY(c);
    return drawMenu(options, settings, rows, kMoreOptionsBackChoice, choice, overlay, [&] {
        item(settings, moreOptionsRowY(0), {"More options", "Altre opzioni"});
        for (int row = 0; row < kOptionRowCount; ++row) {
            const int y = moreOptionsRowY(1 + row);
            drawText(400, y, kBlack, "%s", optionRowLabel(settings, row));
            drawText(kOptionValueX, y, kBlack, "%s",
                     optionRowValue(settings, options, row).c_str());
        }
        item(settings, moreOptionsRowY(kMoreOptionsBackChoice), {"Back", "Indietro"});
    });
}

int drawQuitConfirm(const Options& options, const Settings& settings, int choice,
                    const Overlay& overlay) {
    return drawMenu(options, settings, {300, 320}, choice, overlay, [&] {
        drawText(400, 280, kBlack, "%s?", tr(settings, "Do you want to quit", "Uscire"));
        item(settings, 300, {"Yes", "Si'"});
        item(settings, 320, {"No", "No"});
    });
}

int drawPauseMenu(const Options& options, const Settings& settings, int choice,
                  const Overlay& overlay) {
    return drawMenu(options, settings, {290, 310, 330}, choice, overlay, [&] {
        item(settings, 270, {"Pause", "Pausa"});
        item(settings, 290, {"Continue", "Continua"});
        item(settings, 310, {"Save", "Salva"});
        item(settings, 330, {"Quit without saving", "Esci senza salvare"});
    });
}

int drawWorldSelect(const Options& options, const Settings& settings, int choice,
                    const Overlay& overlay, int deleteSlot, int deleteChoice) {
    auto drawSlotRows = [&] {
        for (int k = 1; k <= 4; ++k) {
            const int y = 240 + 20 * k;
            drawText(400, y, kBlack, "%s%d", tr(settings, "World", "Mondo"), k);
            // Looked up every frame, so a save shows as soon as it is written.
            if (slotOccupied(k))
                drawText(550, y, kBlack, "%s", "400MB");
            else
                drawText(550, y, kBlack, "(%s)", tr(settings, "Empty", "Vuoto"));
        }
        item(settings, 340, {"Cancel", "Annulla"});
    };
    if (deleteSlot < 1 || deleteSlot > 4)
        return drawMenu(options, settings, {260, 280, 300, 320, 340}, choice, overlay,
                        drawSlotRows);
    // The question stands above the rows with a free line between, so that its
    // No never reads as one more slot; the slots stay in view below it.
    return drawMenu(options, settings, {200, 220}, deleteChoice, overlay, [&] {
        drawText(400, 180, kBlack, "%s %s%d?", tr(settings, "Delete", "Cancellare"),
                 tr(settings, "World", "Mondo"), deleteSlot);
        item(settings, 200, {"Yes", "Si'"});
        item(settings, 220, {"No", "No"});
        drawSlotRows();
    });
}

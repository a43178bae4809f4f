#include "ui/crafting_panel.h"

#include <cstdio>
#include <cstring>

#include "game/catalogue.h"
#include "game/crafting.h"
#include "platform/platform.h"
#include "ui/hud.h"
#include "ui/text.h"
#include "world/settings.h"

namespace {

constexpr int kShownAround = 2;  // candidates shown above and below the cursor
constexpr int kRowPitch = 48;
constexpr int kRecipeTextY = 267;
constexpr int kCharWidth = 7;  // the font's advance, for centring the text

void drawIcon(uint8_t type, int x, int y) {
    plat::drawSprite(iconTexture(type), x, y, kWhite);
}

// "Result = First + Second ...", names only, in the current language.
int formatRecipe(const Settings& settings, const Recipe& r, char* out, size_t size) {
    char names[1 + kMaxIngredients][kItemNameMax];
    itemName(r.result, settings, names[0]);
    for (int i = 0; i < kMaxIngredients; ++i)
        itemName(r.ingredients[i].type, settings, names[1 + i]);
    char more[kMaxIngredients - 1][kItemNameMax + 3] = {};
    for (int i = 1; i < kMaxIngredients; ++i)
        if (i < r.ingredientCount)
            std::snprintf(more[i - 1], sizeof more[i - 1], " + %s", names[1 + i]);
    return std::snprintf(out, size, "%s = %s%s%s%s%s", names[0], names[1], more[0], more[1],
                         more[2], more[3]);
}

}  // namespace

void drawCraftingPanel(const Settings& settings, const CraftingPanel& panel) {
    if (panel.candidateCount <= 0) {
        drawText(360, 300, kWhite, "%s.",
                 tr(settings, "No item to craft", "Nessun oggetto da craftare"));
        return;
    }
    const int selected = panel.selected;
    for (int m = selected - kShownAround; m <= selected + kShownAround; ++m) {
        if (m < 0 || m >= panel.candidateCount) continue;
        const Recipe& r = panel.candidates[m];
        const int dy = kRowPitch * (m - selected);
        if (m == selected) plat::drawSprite(kCursorFrameTexture, 382, 282, kWhite);
        drawIcon(r.result, 384, 284 + dy);
        if (r.resultCount > 1) drawText(402, 304 + dy, kBlack, "%d", r.resultCount);
    }
    if (selected < 0 || selected >= panel.candidateCount) return;

    const Recipe& r = panel.candidates[selected];
    for (int i = 0; i < r.ingredientCount && i < kMaxIngredients; ++i) {
        drawIcon(r.ingredients[i].type, 432 + kRowPitch * i, 284);
        if (r.ingredients[i].count > 1)
            drawText(450 + kRowPitch * i, 304, kBlack, "%d", r.ingredients[i].count);
    }
    char text[kTextBufferSize];
    formatRecipe(settings, r, text, sizeof text);
    const int length = int(std::strlen(text));
    drawText(400 - (kCharWidth * length) / 2, kRecipeTextY, kWhite, "%s", text);
}

#include "ui/hud.h"

#include "game/catalogue.h"
#include "game/inventory.h"
#include "game/item_screens.h"
#include "game/time_of_day.h"
#include "platform/platform.h"
#include "render/polygons.h"
#include "ui/crafting_panel.h"
#include "ui/layout.h"
#include "ui/screen_common.h"
#include "ui/text.h"
#include "world/settings.h"
#include "world/world.h"

namespace {

constexpr uint32_t kHalfWhite = 0x88FFFFFF;
constexpr int kStatusStripTexture = 90;
constexpr int kStatusCrossTexture = 42;
constexpr int kStatusIcons[6] = {91, 92, 38, 39, 40, 41};

// Cell c's place on screen: rows go up from the hotbar, and the chest's rows
// sit one row higher still, leaving a gap above the inventory.
struct CellPlace {
    int column, row;
};
CellPlace cellPlace(int c) {
    return {c % 9, c / 9 + (c > 35 ? 1 : 0)};
}

}  // namespace

void drawCrosshair(const Options& options, int texture) {
    place(options, UiPart::Crosshair);
    // The dark square is bigger than a dot: only a 2 x 2 corner of it is used.
    const plat::SourceRect dot{0, 0, 2, 2};
    for (int i = 0; i < 5; ++i) {
        plat::drawSprite(texture, 399, 277 + 2 * i, kHalfWhite, &dot);
        plat::drawSprite(texture, 395 + 2 * i, 281, kHalfWhite, &dot);
    }
}

void drawCells(const World& world, int first, int last, int cursorCell, int markedCell) {
    for (int c = first; c <= last; ++c) {
        const CellPlace p = cellPlace(c);
        const int x = 48 * p.column;
        const int y = -48 * p.row;
        if (c == markedCell) plat::drawSprite(kMarkFrameTexture, 188 + x, 478 + y, kWhite);
        if (c == cursorCell) plat::drawSprite(kCursorFrameTexture, 188 + x, 478 + y, kWhite);
        const ItemStack& cell = world.slots[c];
        const int icon = cell.type == 0 ? kDarkSquareTexture : iconTexture(cell.type);
        plat::drawSprite(icon, 190 + x, 480 + y, kWhite);
    }
    // Counts go over every icon, so they come after all the sprites. An empty
    // cell shows no count even if a stale number is left in it.
    for (int c = first; c <= last; ++c) {
        const CellPlace p = cellPlace(c);
        const ItemStack& cell = world.slots[c];
        if (cell.type != 0 && cell.count > 1)
            drawText(202 + 48 * p.column, 500 - 48 * p.row, kBlack, "%d", cell.count);
    }
}

void drawStatusStrip(const World& world, const Options& options) {
    // The strip runs on, mirrored, to the right edge of a wider window.
    const plat::Placement p = place(options, UiPart::StatusStrip);
    plat::drawSprite(kStatusStripTexture, 0, 0, kWhite);
    const plat::ViewSize view = plat::viewSize();
    const plat::LayoutRect v = visibleLayout(p, view.width, view.height);
    if (v.x + v.width > kLayoutWidth)
        plat::drawPattern(kStatusStripTexture, {0, 0, kLayoutWidth, 32},
                          {kLayoutWidth, 0, v.x + v.width - kLayoutWidth, 32}, 0, 0, kWhite);
    for (int k = 0; k < 6; ++k) {
        plat::drawSprite(kStatusIcons[k], 96 * k, 0, kWhite);
        plat::drawSprite(kStatusCrossTexture, 96 * k + 32, 0, kWhite);
    }
    for (int k = 0; k < 3; ++k)
        drawText(96 * k + 64, 6, kBlack, "%d/%d", world.gauges[k][0], world.gauges[k][1]);
    for (int k = 0; k < 3; ++k) drawText(96 * (k + 3) + 64, 6, kBlack, "%d", world.counters[k]);
}

void drawDebugLines(const RenderState& renderer, const World& world, const Options& options,
                    const Play& play, int count) {
    const Player& player = play.player;
    const Vec3& p = player.Position;
    int line = 0;
    // Each line keeps to the side of the screen it stands on.
    auto at = [&line, count, &options](UiPart side) {
        if (line++ >= count) return false;
        place(options, side);
        return true;
    };
    constexpr UiPart kLeft = UiPart::DebugLeft, kRight = UiPart::DebugRight;
    if (at(kRight)) drawText(655, 530, kWhite, "Seed: %d", world.Seed);
    if (at(kLeft)) drawText(10, 490, kWhite, "Collide: %d", play.controls.Collide);
    if (at(kLeft))
        drawText(10, 510, kWhite, "xzRotCamera: %f, yRotCamera: %f", player.xzRotCamera,
                 player.yRotCamera);
    if (at(kLeft)) drawText(10, 530, kWhite, "NewBlock: %d", play.target.NewBlock);
    if (at(kLeft)) drawText(10, 550, kWhite, "Polygons: %d", polygons(renderer));
    if (at(kLeft)) drawText(200, 550, kWhite, "Position: %f, %f, %f", p.x, p.y, p.z);
    if (at(kRight)) drawText(690, 490, kWhite, "DayTime: %d", world.DayTime);
    if (at(kRight)) drawText(670, 510, kWhite, "SubDayTime: %d", world.SubDayTime);
    if (at(kRight)) drawText(630, 470, kWhite, "TimeLuminance: %f", TimeLuminance(world));
}

void drawFreeCellLine(const World& world, const Options& options, const Settings& settings) {
    place(options, UiPart::Hotbar);
    const int empty = countFreeCells(world);
    if (empty == 0)
        drawText(340, 460, kWhite, "%s!", tr(settings, "Full inventory", "Inventario pieno"));
    else
        drawText(340, 460, kWhite, "%s: %d",
                 tr(settings, "Free remaining cells", "Celle libere rimaste"), empty);
}

void drawHud(const RenderState& renderer, const World& world, const Options& options,
             const Settings& settings, const Play& play, int fps) {
    drawCrosshair(options, kDotTexture);
    place(options, UiPart::Hotbar);
    drawCells(world, 0, 8, play.controls.selectedSlot, kNoMark);
    drawStatusStrip(world, options);
    if (play.controls.debugInfoVisible) drawDebugLines(renderer, world, options, play, 9);
    drawFreeCellLine(world, options, settings);
    if (play.crafting.open) {
        place(options, UiPart::Crafting);
        drawCraftingPanel(settings, play.crafting);
    }
    drawClosingTexts(options, settings, fps, kOverWorld);
}

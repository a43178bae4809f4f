#include "ui/screens.h"

#include "game/catalogue.h"
#include "game/time_of_day.h"
#include "platform/platform.h"
#include "ui/hud.h"
#include "ui/layout.h"
#include "ui/screen_common.h"
#include "ui/text.h"
#include "world/settings.h"
#include "world/world.h"

Pulse nextPulse(Pulse pulse) {
    if (pulse.alpha > 248) {
        pulse.alpha -= 8;
        pulse.falling = true;
    } else if (pulse.falling && pulse.alpha > 81) {
        pulse.alpha -= 8;
    }
    if (pulse.alpha <= 81 || !pulse.falling) {
        pulse.alpha += 8;
        pulse.falling = false;
    }
    return pulse;
}

int drawBusyScreen(const Options& options, const Settings& settings, bool saving, int pulseAlpha,
                   const Overlay& overlay) {
    if (beginSceneOrFail(options) < 0) return -1;
    const uint32_t alpha = static_cast<uint32_t>(pulseAlpha);
    drawBackground(options);
    const char* word =
        saving ? tr(settings, "Saving", "Salvataggio") : tr(settings, "Loading", "Caricamento");
    drawText(350, 450, alpha << 24, "%s ...", word);
    drawNoticeLine(settings, overlay, kNoticeX, kNoticeYMenus, kNoticeOnPanel);
    // The measured rate means nothing while one update call does all the work.
    drawClosingTexts(options, settings, 15, kOnScreen);
    plat::endScene();
    return 0;
}

int drawDeadScreen(const RenderState& renderer, const World& world, const Options& options,
                   const Settings& settings, const Play& play, const Overlay& overlay) {
    if (beginSceneOrFail(options) < 0) return -1;
    plat::clear(skyColour(TimeLuminance(world)));
    if (play.controls.hudVisible) {
        drawCrosshair(options, kDarkSquareTexture);
        place(options, UiPart::Hotbar);
        drawCells(world, 0, 8, play.controls.selectedSlot, kNoMark);
        drawStatusStrip(world, options);
        // Time-of-day lines stay off: the day stands still while dead.
        if (play.controls.debugInfoVisible) drawDebugLines(renderer, world, options, play, 6);
        place(options, UiPart::Notice);
        drawNoticeLine(settings, overlay, kNoticeX, kNoticeYWorld, kNoticeOnWorld);
        drawClosingTexts(options, settings, overlay.fps, kOverWorld);
    }
    place(options, UiPart::Screen);
    drawText(
        250, 450, kWhite, "%s . . .",
        tr(settings, "You died. Press Enter to continue", "Sei morto. Premi Enter per continuare"));
    plat::endScene();
    return 0;
}

int drawItemScreen(const World& world, const Options& options, const Settings& settings,
                   const ItemScreen& itemScreen, bool chest, const Overlay& overlay) {
    if (beginSceneOrFail(options) < 0) return -1;
    drawBackground(options);
    const int last = chest ? kSlotCells - 1 : kInventoryCells - 1;
    drawCells(world, 0, last, itemScreen.cursor, itemScreen.markedCell);
    drawText(400, 285, kBlack, "%s",
             chest ? tr(settings, "Chest", "Baule") : tr(settings, "Inventory", "Inventario"));
    char name[256] = {};
    if (itemScreen.cursor < kSlotCells)
        itemName(world.slots[itemScreen.cursor].type, settings, name);
    drawText(400, 520, kBlack, "%s", name);
    drawNoticeLine(settings, overlay, kNoticeX, kNoticeYItems, kNoticeOnPanel);
    drawClosingTexts(options, settings, overlay.fps, kOnScreen);
    plat::endScene();
    return 0;
}

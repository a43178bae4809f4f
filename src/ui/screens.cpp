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

int drawBusyScreen(bool saving, int pulseAlpha, const Overlay& overlay) {
    if (beginSceneOrFail() < 0) return -1;
    const uint32_t alpha = static_cast<uint32_t>(pulseAlpha);
    drawBackground();
    const char* word = saving ? tr("Saving", "Salvataggio") : tr("Loading", "Caricamento");
    drawText(350, 450, alpha << 24, "%s ...", word);
    drawNoticeLine(overlay, kNoticeX, kNoticeYMenus, kNoticeOnPanel);
    // The measured rate means nothing while one update call does all the work.
    drawClosingTexts(15, kOnScreen);
    plat::endScene();
    return 0;
}

int drawDeadScreen(const Play& play, const Overlay& overlay) {
    if (beginSceneOrFail() < 0) return -1;
    plat::clear(skyColour(TimeLuminance()));
    if (play.controls.hudVisible) {
        drawCrosshair(kDarkSquareTexture);
        place(UiPart::Hotbar);
        drawCells(0, 8, play.controls.selectedSlot, kNoMark);
        drawStatusStrip();
        // Time-of-day lines stay off: the day stands still while dead.
        if (play.controls.debugInfoVisible) drawDebugLines(play, 6);
        place(UiPart::Notice);
        drawNoticeLine(overlay, kNoticeX, kNoticeYWorld, kNoticeOnWorld);
        drawClosingTexts(overlay.fps, kOverWorld);
    }
    place(UiPart::Screen);
    drawText(250, 450, kWhite, "%s . . .",
             tr("You died. Press Enter to continue", "Sei morto. Premi Enter per continuare"));
    plat::endScene();
    return 0;
}

int drawItemScreen(const ItemScreen& itemScreen, bool chest, const Overlay& overlay) {
    if (beginSceneOrFail() < 0) return -1;
    drawBackground();
    const int last = chest ? kSlotCells - 1 : kInventoryCells - 1;
    drawCells(0, last, itemScreen.cursor, itemScreen.markedCell);
    drawText(400, 285, kBlack, "%s", chest ? tr("Chest", "Baule") : tr("Inventory", "Inventario"));
    char name[256] = {};
    if (itemScreen.cursor < kSlotCells) itemName(world.slots[itemScreen.cursor].type, name);
    drawText(400, 520, kBlack, "%s", name);
    drawNoticeLine(overlay, kNoticeX, kNoticeYItems, kNoticeOnPanel);
    drawClosingTexts(overlay.fps, kOnScreen);
    plat::endScene();
    return 0;
}

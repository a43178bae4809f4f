#include "ui/screens.h"

#include "app/frame_loop.h"
#include "app/game_state.h"
#include "game/play_state.h"
#include "platform/platform.h"
#include "game/catalogue.h"
#include "ui/screen_common.h"
#include "ui/text.h"
#include "world/settings.h"
#include "world/world.h"

Pulse busyPulse;

int stepPulse(Pulse& pulse) {
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
    return pulse.alpha;
}

int drawBusyScreen() {
    if (beginSceneOrFail() < 0) return -1;
    const uint32_t alpha = static_cast<uint32_t>(stepPulse(busyPulse));
    drawBackground();
    const char* word =
        shell.savingInProgress ? tr("Saving", "Salvataggio") : tr("Loading", "Caricamento");
    drawText(350, 450, alpha << 24, "%s ...", word);
    drawNoticeLine(kNoticeX, kNoticeYMenus, kNoticeOnPanel);
    // The measured rate means nothing while one update call does all the work.
    drawClosingTexts(15, kCreditsTopMenus);
    plat::endScene();
    // Stamping the frame time here keeps a long save from reading as one
    // enormous frame once play resumes.
    if (shell.savingInProgress && frameUpdate() < 0) return -1;
    return 0;
}

int drawDeadScreen(const HudReadout& readout) {
    if (beginSceneOrFail() < 0) return -1;
    plat::clear(skyColour(readout.timeLuminance));
    if (play.hudVisible) {
        drawCrosshair(kDarkSquareTexture);
        drawCells(0, 8, play.selectedSlot, kNoMark);
        drawStatusStrip();
        // Time-of-day lines stay off: the day stands still while dead.
        if (play.debugInfoVisible) drawDebugLines(readout, 6);
        drawNoticeLine(kNoticeX, kNoticeYWorld, kNoticeOnWorld);
        drawClosingTexts(shell.FPS, kCreditsTopWorld);
    }
    drawText(250, 450, kWhite, "%s . . .",
             tr("You died. Press Enter to continue", "Sei morto. Premi Enter per continuare"));
    plat::endScene();
    return 0;
}

int drawItemScreen(bool chest) {
    if (beginSceneOrFail() < 0) return -1;
    drawBackground();
    const int last = chest ? kSlotCells - 1 : kInventoryCells - 1;
    drawCells(0, last, play.screenCursor, play.markedCell);
    drawText(400, 285, kBlack, "%s", chest ? tr("Chest", "Baule") : tr("Inventory", "Inventario"));
    char name[256] = {};
    if (play.screenCursor < kSlotCells) itemName(world.slots[play.screenCursor].type, name);
    drawText(400, 520, kBlack, "%s", name);
    drawNoticeLine(kNoticeX, kNoticeYItems, kNoticeOnPanel);
    drawClosingTexts(shell.FPS, kCreditsTopMenus);
    plat::endScene();
    return 0;
}

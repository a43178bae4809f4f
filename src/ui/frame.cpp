#include "ui/frame.h"

#include "game/controls.h"
#include "game/time_of_day.h"
#include "platform/platform.h"
#include "render/world_view.h"
#include "ui/hud.h"
#include "ui/screen_common.h"
#include "ui/screens.h"

int drawPlayingFrame(int fps) {
    // Camera and light are brought up to date before the scene begins.
    prepareWorldView();
    if (beginSceneOrFail() < 0) return -1;
    plat::clear(skyColour(TimeLuminance()));
    drawWorldView();
    if (controls.hudVisible) {
        drawNoticeLine(kNoticeX, kNoticeYWorld, kNoticeOnWorld);
        drawHud(fps);
    }
    plat::endScene();
    return 0;
}

#include "ui/frame.h"

#include "game/controls.h"
#include "game/time_of_day.h"
#include "platform/platform.h"
#include "ui/hud.h"
#include "ui/screen_common.h"
#include "ui/screens.h"

int drawPlayingFrame(int fps) {
    // Camera and light map are brought up to date here, before the scene.
    if (beginSceneOrFail() < 0) return -1;
    plat::clear(skyColour(TimeLuminance()));
    // The world passes go here: visible blocks, glass, placement side, target
    // outline and dig cracks.
    if (controls.hudVisible) {
        drawNoticeLine(kNoticeX, kNoticeYWorld, kNoticeOnWorld);
        drawHud(fps);
    }
    plat::endScene();
    return 0;
}

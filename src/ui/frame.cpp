#include "ui/frame.h"

#include "game/time_of_day.h"
#include "platform/platform.h"
#include "render/world_view.h"
#include "ui/hud.h"
#include "ui/layout.h"
#include "ui/screens.h"

int drawPlayingFrame(const Play& play, const Overlay& overlay) {
    if (beginSceneOrFail() < 0) return -1;
    plat::clear(skyColour(TimeLuminance()));
    drawWorldView(play);
    if (play.controls.hudVisible) {
        place(UiPart::Notice);
        drawNoticeLine(overlay, kNoticeX, kNoticeYWorld, kNoticeOnWorld);
        drawHud(play, overlay.fps);
    }
    plat::endScene();
    return 0;
}

#include "ui/frame.h"

#include "game/time_of_day.h"
#include "platform/platform.h"
#include "render/world_view.h"
#include "ui/hud.h"
#include "ui/layout.h"
#include "ui/screens.h"

int drawPlayingFrame(RenderState& renderer, const World& world, const Options& options,
                     const Settings& settings, const Play& play, const Overlay& overlay) {
    if (beginSceneOrFail(options) < 0) return -1;
    plat::clear(skyColour(TimeLuminance(world)));
    drawWorldView(renderer, world, play);
    if (play.controls.hudVisible) {
        place(options, UiPart::Notice);
        drawNoticeLine(settings, overlay, kNoticeX, kNoticeYWorld, kNoticeOnWorld);
        drawHud(renderer, world, options, settings, play, overlay.fps);
    }
    plat::endScene();
    return 0;
}

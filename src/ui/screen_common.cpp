#include "ui/screen_common.h"

#include <cmath>

#include "platform/platform.h"
#include "ui/layout.h"
#include "ui/text.h"
#include "world/settings.h"

namespace {

constexpr const char* kCreditsText = "the Velmora team";
constexpr const char* kWebAddress = "velmora.invalid";

}  // namespace

int beginSceneOrFail(const Options& options) {
    if (plat::beginScene() < 0) {
        plat::errorBox("ERRORE", "Impossibile creare la scena.");
        return -1;
    }
    place(options, UiPart::Screen);
    return 0;
}

void drawBackground(const Options& options) {
    // The picture is the top-left 800 x 600 of a 1024 x 1024 image. Where the
    // window reaches past it, its earth goes on: each band repeats, mirrored,
    // the strip of the picture along that edge (the grass line runs on to the
    // sides), so the picture meets it without a seam and nothing is stretched.
    // The strips stop short of the panel's shadow.
    const plat::Placement p = place(options, UiPart::Screen);
    const plat::ViewSize view = plat::viewSize();
    const plat::LayoutRect v = visibleLayout(p, view.width, view.height);
    const int right = v.x + v.width, bottom = v.y + v.height;
    if (v.y < 0)
        plat::drawPattern(kBackgroundTexture, {0, 48, 96, 64}, {v.x, v.y, v.width, -v.y}, 0, 0,
                          kWhite);
    if (bottom > kLayoutHeight)
        plat::drawPattern(kBackgroundTexture, {0, 536, 96, 64},
                          {v.x, kLayoutHeight, v.width, bottom - kLayoutHeight}, 0, 536, kWhite);
    if (v.x < 0)
        plat::drawPattern(kBackgroundTexture, {0, 0, 96, kLayoutHeight},
                          {v.x, 0, -v.x, kLayoutHeight}, 0, 0, kWhite);
    if (right > kLayoutWidth)
        plat::drawPattern(kBackgroundTexture, {704, 0, 96, kLayoutHeight},
                          {kLayoutWidth, 0, right - kLayoutWidth, kLayoutHeight}, 704, 0, kWhite);
    const plat::SourceRect source{0, 0, kLayoutWidth, kLayoutHeight};
    plat::drawSprite(kBackgroundTexture, 0, 0, kWhite, &source);
}

void drawClosingTexts(const Options& options, const Settings& settings, int fps, bool overWorld) {
    // Over the world the counter and the credits keep to their corners, and
    // the credits stand lower, clear of the status strip.
    if (overWorld) place(options, UiPart::Fps);
    drawText(720, 550, kWhite, "FPS: %d", fps);
    const int top = overWorld ? kCreditsTopWorld : kCreditsTopMenus;
    if (overWorld) place(options, UiPart::Credits);
    drawText(10, top, kWhite, "%s: %s", tr(settings, "Produced by", "Prodotto da"), kCreditsText);
    drawText(10, top + 20, kWhite, "Velmora 1.1 Alpha    %s: %s",
             tr(settings, "Visit site", "Visita il sito"), kWebAddress);
}

void drawNoticeLine(const Settings& settings, const Overlay& overlay, int x, int y, uint32_t argb) {
    if (!overlay.notice) return;
    if (const char* text = activeNotice(settings, *overlay.notice, overlay.now))
        drawText(x, y, argb, "%s", text);
}

uint32_t skyColour(float luminance) {
    auto channel = [luminance](float base, float exponent) {
        return static_cast<uint32_t>(base * std::pow(luminance, exponent));
    };
    return 0xFF000000u | channel(75.0f, 2.35f) << 16 | channel(125.0f, 2.4f) << 8 |
           channel(245.0f, 2.25f);
}

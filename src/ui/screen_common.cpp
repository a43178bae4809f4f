#include "ui/screen_common.h"

#include <cmath>

#include "platform/platform.h"
#include "ui/text.h"
#include "world/settings.h"

namespace {

constexpr const char* kCreditsText = "the Velmora team";
constexpr const char* kWebAddress = "velmora.invalid";

}  // namespace

int beginSceneOrFail() {
    if (plat::beginScene() < 0) {
        plat::errorBox("ERRORE", "Impossibile creare la scena.");
        return -1;
    }
    return 0;
}

void drawBackground() {
    // The picture is the top-left 800 x 600 of a 1024 x 1024 image; it covers
    // the whole window so that no bare band shows beside the menus.
    const plat::SourceRect source{0, 0, 800, 600};
    plat::drawBackdrop(kBackgroundTexture, source, kWhite);
}

void drawClosingTexts(int fps, int creditsTop) {
    drawText(720, 550, kWhite, "FPS: %d", fps);
    drawText(10, creditsTop, kWhite, "%s: %s", tr("Produced by", "Prodotto da"), kCreditsText);
    drawText(10, creditsTop + 20, kWhite, "Velmora 1.1 Alpha    %s: %s",
             tr("Visit site", "Visita il sito"), kWebAddress);
}

void drawNoticeLine(const Overlay& overlay, int x, int y, uint32_t argb) {
    if (!overlay.notice) return;
    if (const char* text = activeNotice(*overlay.notice, overlay.now))
        drawText(x, y, argb, "%s", text);
}

uint32_t skyColour(float luminance) {
    auto channel = [luminance](float base, float exponent) {
        return static_cast<uint32_t>(base * std::pow(luminance, exponent));
    };
    return 0xFF000000u | channel(75.0f, 2.35f) << 16 | channel(125.0f, 2.4f) << 8 |
           channel(245.0f, 2.25f);
}

// Drives the real device without the game.
//
//   velmora_batch_probe [frames] [quads]
//       A frame shaped like the game's: tens of thousands of world quads
//       submitted one at a time, a few sprites and a text. Prints frames per
//       second and draw calls per frame (vsync off with VELMORA_NO_VSYNC=1).
//   velmora_batch_probe --menu
//       A frame like the main menu's (background picture, arrow, six texts)
//       until the window is closed or VELMORA_EXIT_AFTER_FRAMES is reached;
//       stands in for the menu screens when measuring start-up and frame rate.
//   velmora_batch_probe --scene FILE
//       A fixed test scene (depth, blending, fog, sprites, text) presented
//       until the window is closed; FILE is its screenshot, written after
//       the first present. The end-to-end tests check its pixels.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_private.h"

namespace {

plat::Matrix perspective(float fovY, float aspect, float zn, float zf) {
    // Left-handed, depth 0..1, row-vector convention.
    const float yScale = 1.0f / std::tan(fovY / 2), xScale = yScale / aspect;
    plat::Matrix m{};
    m.m[0] = xScale;
    m.m[5] = yScale;
    m.m[10] = zf / (zf - zn);
    m.m[11] = 1.0f;
    m.m[14] = -zn * zf / (zf - zn);
    return m;
}

plat::Matrix identity() {
    plat::Matrix m{};
    m.m[0] = m.m[5] = m.m[10] = m.m[15] = 1.0f;
    return m;
}

// A flat quad facing the camera at depth z, from (x0, y0) to (x1, y1).
void wall(float x0, float y0, float x1, float y1, float z, uint32_t argb, plat::Blend blend) {
    const plat::Vertex v[4] = {{x0, y1, z, 0, 0, argb},
                               {x1, y1, z, 1, 0, argb},
                               {x1, y0, z, 1, 1, argb},
                               {x0, y0, z, 0, 1, argb}};
    plat::drawQuads(12, blend, v, 1);  // texture 12: the plain white dot
}

// Looking down +z with a 90 degree vertical field: a point (x, y, z) lands on
// pixel (400 + 300 x / z, 300 - 300 y / z).
void drawScene() {
    plat::beginScene();
    plat::clear(0xFF4B7DF5);
    plat::setView(identity());
    plat::setProjection(perspective(3.14159265f / 2, 800.0f / 600.0f, 0.1f, 1000.0f));
    plat::setFog({false, 10.0f, 50.0f, 0xFF00FF});
    // The near green wall is drawn first; the far red one must stay behind it.
    wall(-2, -1, 1, 1, 5, 0xFF00FF00, plat::Blend::Opaque);            // pixels 280..460 x 240..360
    wall(-8, -2, 0, 2, 10, 0xFFFF0000, plat::Blend::Opaque);           // pixels 160..400 x 240..360
    wall(1.6f, 0.67f, 2.67f, 2, 4, 0xFFFFFF80, plat::Blend::Minimum);  // 520..600 x 150..250
    plat::setFog({true, 10.0f, 50.0f, 0xFF00FF});
    wall(66.7f, -56.7f, 80, -43.3f, 100, 0xFF000000, plat::Blend::Opaque);  // 600..640 x 430..470
    plat::setFog({false, 10.0f, 50.0f, 0xFF00FF});
    plat::drawSprite(12, 40, 80, 0x80FFFFFF);  // half-transparent white, 2 x 2
    plat::drawSprite(44, 368, 280, 0xFFFFFFFF, nullptr);
    plat::drawText(400, 280, 500, 300, 0xFF000000, "Gioca");
    plat::endScene();
    plat::present();
}

int runMenu() {
    if (plat::createWindowAndDevices("Velmora 1.1 Alpha", 800, 600) < 0) return 1;
    const plat::SourceRect background{0, 0, 800, 600}, arrow{0, 0, 16, 16};
    while (plat::takeMessage() != plat::Message::Quit) {
        plat::beginScene();
        plat::drawSprite(43, 0, 0, 0xFFFFFFFF, &background);
        plat::drawSprite(44, 368, 280, 0xFFFFFFFF, &arrow);
        plat::drawText(400, 280, 500, 300, 0xFF000000, "Gioca");
        plat::drawText(400, 300, 540, 320, 0xFF000000, "Opzioni");
        plat::drawText(400, 320, 480, 340, 0xFF000000, "Esci");
        plat::drawText(720, 550, 880, 570, 0xFFFFFFFF, "FPS: 812");
        plat::drawText(10, 10, 400, 30, 0xFFFFFFFF, "Prodotto da: Velmora");
        plat::drawText(10, 30, 900, 50, 0xFFFFFFFF, "Velmora 1.1 Alpha    Visita il sito: velmora");
        plat::endScene();
        plat::present();
    }
    plat::shutdown();
    return 0;
}

int runScene(const char* screenshot) {
    if (plat::createWindowAndDevices("Velmora device probe", 800, 600) < 0) return 1;
    drawScene();
    if (!plat::saveScreenshot(screenshot)) {
        std::fprintf(stderr, "the screenshot could not be written\n");
        plat::shutdown();
        return 1;
    }
    const int32_t until = plat::clockMs() + 20000;
    while (plat::takeMessage() != plat::Message::Quit && plat::clockMs() < until) drawScene();
    const sdlplat::FrameStats s = sdlplat::lastFrameStats();
    std::printf("scene: %d draw calls, %d quads\n", s.drawCalls, s.quads);
    plat::shutdown();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--scene") return runScene(argv[2]);
    if (argc == 2 && std::string(argv[1]) == "--menu") return runMenu();
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    const int quads = argc > 2 ? std::atoi(argv[2]) : 40000;
    if (plat::createWindowAndDevices("Velmora batch probe", 800, 600) < 0) return 1;
    plat::Matrix view{};
    view.m[0] = view.m[5] = view.m[10] = view.m[15] = 1.0f;
    plat::setView(view);
    plat::setProjection(perspective(1.0f, 800.0f / 600.0f, 0.1f, 500.0f));
    plat::setFog({true, 20.0f, 60.0f, 0x4B7DF5});

    // A wall of small quads facing the camera, in front of it.
    std::vector<plat::Vertex> vertices;
    const int side = int(std::ceil(std::sqrt(double(quads))));
    for (int i = 0; i < quads; ++i) {
        const float x = float(i % side) - side / 2.0f, y = float(i / side) - side / 2.0f;
        const float z = 40.0f + float(i % 7);
        const uint32_t c = 0xFF000000u | uint32_t(i * 2654435761u >> 8);
        vertices.push_back({x, y + 1, z, 0, 0, c});
        vertices.push_back({x + 1, y + 1, z, 1, 0, c});
        vertices.push_back({x + 1, y, z, 1, 1, c});
        vertices.push_back({x, y, z, 0, 1, c});
    }

    auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f) {
        if (plat::takeMessage() == plat::Message::Quit) break;
        plat::beginScene();
        plat::clear(0xFF4B7DF5);
        // One quad per call, two textures in long runs, as a block pass does.
        for (int i = 0; i < quads; ++i)
            plat::drawQuads(i < quads / 2 ? 1 : 2, plat::Blend::Opaque, &vertices[size_t(i) * 4],
                            1);
        for (int k = 0; k < 10; ++k) plat::drawSprite(44, 368, 280 + 20 * k, 0xFFFFFFFF);
        plat::drawText(720, 550, 880, 570, 0xFFFFFFFF, "FPS: 123");
        plat::endScene();
        plat::present();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const sdlplat::FrameStats s = sdlplat::lastFrameStats();
    std::printf(
        "%d frames of %d quads: %.1f frames per second, %d draw calls per frame "
        "(%d quads, %d clears)\n",
        frames, quads, frames / seconds, s.drawCalls, s.quads, s.clears);
    plat::shutdown();
    return 0;
}

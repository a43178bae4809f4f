// Measures the real device with a frame shaped like the game's: tens of
// thousands of world quads submitted a few at a time, a handful of sprites
// and texts. Prints draw calls per frame and frames per second.
//
//   velmora_batch_probe [frames] [quads]     (run under a display; vsync off
//                                            with VELMORA_NO_VSYNC=1)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

}  // namespace

int main(int argc, char** argv) {
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
            plat::drawQuads(i < quads / 2 ? 1 : 2, plat::Blend::Opaque, &vertices[size_t(i) * 4], 1);
        for (int k = 0; k < 10; ++k) plat::drawSprite(44, 368, 280 + 20 * k, 0xFFFFFFFF);
        plat::drawText(720, 550, 880, 570, 0xFFFFFFFF, "FPS: 123");
        plat::endScene();
        plat::present();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const sdlplat::FrameStats s = sdlplat::lastFrameStats();
    std::printf("%d frames of %d quads: %.1f frames per second, %d draw calls per frame "
                "(%d quads, %d clears)\n",
                frames, quads, frames / seconds, s.drawCalls, s.quads, s.clears);
    plat::shutdown();
    return 0;
}

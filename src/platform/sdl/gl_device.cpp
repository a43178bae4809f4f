// The drawing device as the game sees it: scenes, clears, sprites, text, 3D
// quads and screenshots, on OpenGL 3.3 core. Everything goes through one
// batcher (gl_draw.cpp); the GL objects are made in gl_setup.cpp.
#include <SDL2/SDL.h>

#include <algorithm>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/bmp_file.h"
#include "platform/sdl/gl_device_state.h"

namespace plat {

using sdlplat::dev;

bool hasDevice() {
    return dev().ready;
}

int beginScene() {
    if (!dev().ready) return -1;
    sdlplat::sizeFrame(dev());
    return 0;
}

void endScene() {}

void present() {
    if (!dev().ready || !sdlplat::window()) return;
    sdlplat::presentDevice(sdlplat::window());
    sdlplat::notePresented();
}

void clear(uint32_t argb) {
    if (!dev().ready) return;
    sdlplat::sizeFrame(dev());
    sdlplat::appendClear(dev().batch, argb);
}

namespace {

// A texel edge as a texture coordinate. Enlarged by a quarter step, some pixel
// centres fall exactly on texel edges, where rounding would pick either texel
// and let the two triangles of a quad disagree (a step in a straight line);
// a nudge of 1/64 texel makes them all pick the same one. At whole scales
// pixel centres are never that close to an edge, so nothing changes there.
float texelEdge(int texel, int size) {
    return (float(texel) + 1.0f / 64.0f) / float(size);
}

// A part of a texture drawn over the drawable's rectangle (x0, y0)-(x1, y1).
void drawTextureRect(int texture, const SourceRect& r, float x0, float y0, float x1, float y1,
                     uint32_t argb) {
    auto& d = dev();
    const auto [tw, th] = d.textureSizes[size_t(texture)];
    const float u0 = texelEdge(r.x, tw), v0 = texelEdge(r.y, th);
    const float u1 = texelEdge(r.x + r.width, tw), v1 = texelEdge(r.y + r.height, th);
    const Vertex quad[4] = {{x0, y0, 0.5f, u0, v0, argb},
                            {x1, y0, 0.5f, u1, v0, argb},
                            {x1, y1, 0.5f, u1, v1, argb},
                            {x0, y1, 0.5f, u0, v1, argb}};
    sdlplat::addQuads(d, sdlplat::spriteState(d, texture, argb), quad, 1);
}

}  // namespace

void setPlacement(const Placement& placement) {
    Placement& p = dev().placement;
    p = placement;
    p.quarters = std::clamp(p.quarters, kMinInterfaceQuarters, kMaxInterfaceQuarters);
}

void drawSprite(int texture, int x, int y, uint32_t argb, const SourceRect* source) {
    auto& d = dev();
    if (!d.ready || texture < 0 || texture >= kTextureCount) return;
    sdlplat::sizeFrame(d);
    const auto [tw, th] = d.textureSizes[size_t(texture)];
    const SourceRect r = source ? *source : SourceRect{0, 0, tw, th};
    if (r.width <= 0 || r.height <= 0) return;
    const Placement& p = d.placement;
    drawTextureRect(texture, r, float(placeX(p, x)), float(placeY(p, y)),
                    float(placeX(p, x + r.width)), float(placeY(p, y + r.height)), argb);
}

void drawPattern(int texture, const SourceRect& source, const LayoutRect& area, int originX,
                 int originY, uint32_t argb) {
    auto& d = dev();
    if (!d.ready || texture < 0 || texture >= kTextureCount) return;
    if (source.width <= 0 || source.height <= 0 || area.width <= 0 || area.height <= 0) return;
    sdlplat::sizeFrame(d);
    const auto [tw, th] = d.textureSizes[size_t(texture)];
    const Placement& p = d.placement;
    d.vertexScratch.clear();
    // Copy k along an axis starts at origin + k * size; odd copies are mirrored.
    auto firstCopy = [](int from, int origin, int size) {
        const int offset = from - origin;
        return offset >= 0 ? offset / size : -((-offset + size - 1) / size);
    };
    const int kx0 = firstCopy(area.x, originX, source.width);
    const int ky0 = firstCopy(area.y, originY, source.height);
    for (int ky = ky0;; ++ky) {
        const int cy = originY + ky * source.height;
        if (cy >= area.y + area.height) break;
        const int y0 = std::max(cy, area.y), y1 = std::min(cy + source.height, area.y + area.height);
        for (int kx = kx0;; ++kx) {
            const int cx = originX + kx * source.width;
            if (cx >= area.x + area.width) break;
            const int x0 = std::max(cx, area.x), x1 = std::min(cx + source.width, area.x + area.width);
            // The part of the source this cut copy shows, read backwards when mirrored.
            auto texel = [](int at, int start, int size, bool mirrored, int base) {
                const int into = at - start;
                return base + (mirrored ? size - into : into);
            };
            const bool mx = (kx & 1) != 0, my = (ky & 1) != 0;
            const float u0 = texelEdge(texel(x0, cx, source.width, mx, source.x), tw);
            const float u1 = texelEdge(texel(x1, cx, source.width, mx, source.x), tw);
            const float v0 = texelEdge(texel(y0, cy, source.height, my, source.y), th);
            const float v1 = texelEdge(texel(y1, cy, source.height, my, source.y), th);
            const float px0 = float(placeX(p, x0)), px1 = float(placeX(p, x1));
            const float py0 = float(placeY(p, y0)), py1 = float(placeY(p, y1));
            d.vertexScratch.push_back({px0, py0, 0.5f, u0, v0, argb});
            d.vertexScratch.push_back({px1, py0, 0.5f, u1, v0, argb});
            d.vertexScratch.push_back({px1, py1, 0.5f, u1, v1, argb});
            d.vertexScratch.push_back({px0, py1, 0.5f, u0, v1, argb});
        }
    }
    if (d.vertexScratch.empty()) return;
    sdlplat::addQuads(d, sdlplat::spriteState(d, texture, argb), d.vertexScratch.data(),
                      int(d.vertexScratch.size() / 4));
}

ViewSize viewSize() {
    auto& d = dev();
    if (!d.ready) return {800, 600};
    sdlplat::sizeFrame(d);
    return {d.frameWidth, d.frameHeight};
}

void drawText(int left, int top, int right, int bottom, uint32_t argb, std::string_view text) {
    auto& d = dev();
    if (!d.ready || text.empty()) return;
    sdlplat::sizeFrame(d);
    d.glyphScratch.clear();
    const Placement& p = d.placement;
    int texture = sdlplat::kFontTexture + p.quarters;
    const sdlplat::FontAtlas* font = sdlplat::fontFor(d, p.quarters);
    if (font) {
        sdlplat::layoutText(*font, placeX(p, left), placeY(p, top), placeX(p, right),
                            placeY(p, bottom), text, d.glyphScratch);
    } else {
        // Without a font of that size the small one is stretched: blurry beats missing.
        font = &d.fonts[size_t(kMinInterfaceQuarters)];
        texture = sdlplat::kFontTexture + kMinInterfaceQuarters;
        sdlplat::layoutText(*font, left, top, right, bottom, text, d.glyphScratch);
        const float s = float(p.quarters) / 4.0f;
        for (auto& g : d.glyphScratch) {
            g.x0 = float(p.x) + g.x0 * s, g.x1 = float(p.x) + g.x1 * s;
            g.y0 = float(p.y) + g.y0 * s, g.y1 = float(p.y) + g.y1 * s;
        }
    }
    if (d.glyphScratch.empty()) return;
    const float su = 1.0f / float(font->width), sv = 1.0f / float(font->height);
    d.vertexScratch.clear();
    for (const auto& g : d.glyphScratch) {
        d.vertexScratch.push_back({g.x0, g.y0, 0.5f, g.u0 * su, g.v0 * sv, argb});
        d.vertexScratch.push_back({g.x1, g.y0, 0.5f, g.u1 * su, g.v0 * sv, argb});
        d.vertexScratch.push_back({g.x1, g.y1, 0.5f, g.u1 * su, g.v1 * sv, argb});
        d.vertexScratch.push_back({g.x0, g.y1, 0.5f, g.u0 * su, g.v1 * sv, argb});
    }
    sdlplat::addQuads(d, sdlplat::screenState(texture), d.vertexScratch.data(),
                      int(d.glyphScratch.size()));
}

void setView(const Matrix& view) {
    dev().current.view = view;
    dev().currentPushed = false;
}

void setProjection(const Matrix& projection) {
    dev().current.projection = projection;
    dev().currentPushed = false;
}

void setFog(const Fog& fog) {
    dev().current.fog = fog;
    dev().currentPushed = false;
}

void setWireframe(bool on) {
    dev().wireframe = on;
}
void setDepthTest(bool on) {
    dev().depthTest = on;
}
void setFaceCulling(bool on) {
    dev().culling = on;
}

void drawQuads(int texture, Blend blend, const Vertex* vertices, int quadCount) {
    auto& d = dev();
    if (!d.ready || texture < 0 || texture >= kTextureCount || quadCount <= 0) return;
    sdlplat::DrawState s;
    s.texture = texture;
    s.blend = blend;
    s.wireframe = d.wireframe;
    s.depthTest = d.depthTest;
    s.culling = d.culling;
    s.screenSpace = false;
    s.uniforms = sdlplat::currentUniforms(d);
    sdlplat::addQuads(d, s, vertices, quadCount);
}

bool saveScreenshot(const std::string& path) {
    auto& d = dev();
    if (!d.ready || !sdlplat::createScreenshotBuffer(d)) return false;
    // The last presented frame, drawn again off screen.
    glBindFramebuffer(GL_FRAMEBUFFER, d.fbo);
    const int width = d.lastWidth, height = d.lastHeight;
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    sdlplat::FrameStats ignored;
    for (const sdlplat::QuadBatch& part : d.lastParts)
        sdlplat::drawBatch(d, part, d.lastUniformSets, ignored);
    std::vector<uint8_t> pixels(size_t(width) * height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, d.fbo);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!sdlplat::readRgb(width, height, pixels.data())) return false;
    // GL reads rows from the bottom; the writer wants them from the top.
    const size_t row = size_t(width) * 3;
    for (int y = 0; y < height / 2; ++y)
        std::swap_ranges(pixels.begin() + y * row, pixels.begin() + (y + 1) * row,
                         pixels.begin() + (height - 1 - y) * row);
    return sdlplat::writeBmp24(path, width, height, pixels.data());
}

}  // namespace plat

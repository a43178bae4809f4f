// Spans: far sections' faces joined into larger quads. Joined or not, every
// cell must get the same face, light and texture, the texture in the same
// place; and only far views draw them, past the standard cube.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "render/camera.h"
#include "render/render_fixture.h"
#include "render/sections.h"
#include "render/world_view.h"
#include "world/options.h"

namespace {

using Spans = RenderTest;

using Look = std::tuple<uint32_t, int, int, int, int, int, int>;  // cell, face, texture, row, light

Look lookOf(const plat::LitVertex& v, uint32_t cell, int face) {
    return {cell, face, v.texture, v.row, v.absorbed, v.own, v.alpha};
}

// Where a quad's texture corner reaches at `p`: the quad is a rectangle, so
// its corners 0, 1 and 3 give the map.
std::pair<float, float> textureAt(const plat::LitVertex* q, float px, float py, float pz) {
    const float e1[3] = {q[1].x - q[0].x, q[1].y - q[0].y, q[1].z - q[0].z};
    const float e3[3] = {q[3].x - q[0].x, q[3].y - q[0].y, q[3].z - q[0].z};
    const float d[3] = {px - q[0].x, py - q[0].y, pz - q[0].z};
    auto dot = [](const float* a, const float* b) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    const float s = dot(d, e1) / dot(e1, e1), t = dot(d, e3) / dot(e3, e3);
    return {float(q[0].u) + s * float(q[1].u - q[0].u) + t * float(q[3].u - q[0].u),
            float(q[0].v) + s * float(q[1].v - q[0].v) + t * float(q[3].v - q[0].v)};
}

// Whether a face's centre lies on a span (a rectangle along the axes).
bool covers(const plat::LitVertex* span, const plat::LitVertex* unit) {
    const float centre[3] = {(unit[0].x + unit[2].x) / 2, (unit[0].y + unit[2].y) / 2,
                             (unit[0].z + unit[2].z) / 2};
    const float a[3] = {span[0].x, span[0].y, span[0].z}, b[3] = {span[2].x, span[2].y, span[2].z};
    for (int k = 0; k < 3; ++k)
        if (centre[k] < std::min(a[k], b[k]) || centre[k] > std::max(a[k], b[k])) return false;
    return true;
}

TEST_F(Spans, JoinedFacesShowEveryCellAsItsOwnFaceWould) {
    // Ground of two kinds in stripes, a step, a hole, a torch and glass: faces
    // that join and faces that must not.
    fill(496, 84, 496, 511, 89, 511, block::Stone);
    for (int x = 496; x <= 511; ++x)
        for (int z = 496; z <= 511; ++z)
            put(x, 89, z, (x / 3 + z / 5) % 2 ? block::Dirt : block::Gravel);
    fill(500, 90, 500, 505, 91, 503, block::Stone);
    put(508, 89, 508, block::Air);
    put(498, 90, 507, block::Torch);
    put(509, 90, 499, block::Glass);
    SceneGrid::announce();
    Section s;
    s.sx = 31, s.sy = 5, s.sz = 31;
    buildSection(renderer, world, s, LightBox{504, 100, 504, kMaxViewRadius});
    const std::vector<plat::LitVertex>& mesh = *headless::meshVertices(s.mesh);
    int joined = 0;
    for (int face = 0; face < kFaceCount; ++face) {
        std::vector<Look> own, spanned;
        for (uint32_t q = s.groupFirst[face]; q < s.groupFirst[face] + s.groupQuads[face]; ++q)
            own.push_back(lookOf(mesh[q * 4], mesh[q * 4].cell, face));
        for (int l = 0; l < kSectionSize; ++l)
            for (uint32_t k = s.spanLayerBegin[face][l]; k < s.spanLayerEnd[face][l]; ++k) {
                const plat::LitVertex* span = &mesh[(s.spanFirst[face] + k) * 4];
                // Every face of the group inside the span's rectangle is one it stands for.
                for (uint32_t q = s.groupFirst[face]; q < s.groupFirst[face] + s.groupQuads[face];
                     ++q) {
                    const plat::LitVertex* unit = &mesh[q * 4];
                    if (!covers(span, unit)) continue;
                    spanned.push_back(lookOf(span[0], unit[0].cell, face));
                    const int layer = face < 2                 ? plat::cellY(unit[0].cell) - 80
                                      : face == 3 || face == 4 ? plat::cellX(unit[0].cell) - 496
                                                               : plat::cellZ(unit[0].cell) - 496;
                    EXPECT_EQ(layer, l);
                    // The texture lands on the cell as on its own face: whole
                    // repeats apart, corner for corner.
                    const auto [u0, v0] = textureAt(span, unit[0].x, unit[0].y, unit[0].z);
                    EXPECT_FLOAT_EQ(u0, std::round(u0));
                    EXPECT_FLOAT_EQ(v0, std::round(v0));
                    for (int c = 1; c < 4; ++c) {
                        const auto [u, v] = textureAt(span, unit[c].x, unit[c].y, unit[c].z);
                        EXPECT_FLOAT_EQ(u - u0, float(unit[c].u - unit[0].u)) << "face " << face;
                        EXPECT_FLOAT_EQ(v - v0, float(unit[c].v - unit[0].v)) << "face " << face;
                    }
                }
                ++joined;
            }
        std::sort(own.begin(), own.end());
        std::sort(spanned.begin(), spanned.end());
        EXPECT_EQ(spanned, own) << "face " << face;
    }
    EXPECT_LT(joined, int(s.solidQuads) / 2);
    plat::destroyMesh(s.mesh);
}

TEST_F(Spans, OnlyFarViewsDrawThemAndOnlyPastTheStandardCube) {
    fill(300, 90, 300, 700, 90, 700, block::Dirt);
    SceneGrid::announce();
    auto spanDraws = [] {
        return std::count_if(
            headless::lastFrame().litCalls.begin(), headless::lastFrame().litCalls.end(),
            [](const headless::LitCall& c) { return c.pass == plat::LitPass::OpaqueSpans; });
    };
    setView(4, 0);  // the furthest standard view
    placeEye(500.5f, 93.0f, 500.5f, 0.0f, -0.3f);
    for (int i = 0; i < 20; ++i) drawWithRenderer();
    EXPECT_EQ(spanDraws(), 0);
    options.farView = 160;
    for (int i = 0; i < 60; ++i) drawWithRenderer();
    EXPECT_GT(spanDraws(), 10);
    int plain = 0;
    for (const headless::LitCall& c : headless::lastFrame().litCalls) {
        if (c.pass != plat::LitPass::OpaqueSpans) {
            ++plain;  // the near sections keep their faces
            continue;
        }
        const uint32_t cell = (*headless::meshVertices(c.mesh))[c.ranges[0].first * 4].cell;
        EXPECT_GT(std::max(std::abs(plat::cellX(cell) - 500), std::abs(plat::cellZ(cell) - 500)),
                  viewRadius(4) - kSectionSize);
    }
    EXPECT_GT(plain, 0);
    options.farView = 0;
}

}  // namespace

// The quad batcher: the frame must reach GL in few draw calls, and in the
// order it was drawn.
#include <gtest/gtest.h>

#include <vector>

#include "platform/sdl/batching.h"

using sdlplat::DrawState;
using sdlplat::QuadBatch;
using sdlplat::RunKind;

namespace {

std::vector<plat::Vertex> quadsAt(int count, float tag) {
    std::vector<plat::Vertex> v;
    for (int q = 0; q < count; ++q)
        for (int k = 0; k < 4; ++k) v.push_back({tag, float(q), float(k), 0, 0, 0xFFFFFFFF});
    return v;
}

DrawState textured(int texture) {
    DrawState s;
    s.texture = texture;
    return s;
}

}  // namespace

TEST(Batching, ManyQuadsOfOneTextureAreOneDrawCall) {
    QuadBatch batch;
    const auto quad = quadsAt(1, 0);
    for (int i = 0; i < 20000; ++i) sdlplat::appendQuads(batch, textured(5), quad.data(), 1);
    ASSERT_EQ(batch.runs.size(), 1u);
    EXPECT_EQ(sdlplat::drawCallCount(batch), 1);
    EXPECT_EQ(batch.runs[0].firstQuad, 0u);
    EXPECT_EQ(batch.runs[0].quadCount, 20000u);
    EXPECT_EQ(batch.vertices.size(), 80000u);
}

TEST(Batching, EveryStateChangeStartsARunAndOrderIsKept) {
    QuadBatch batch;
    const auto a = quadsAt(3, 1), b = quadsAt(2, 2);
    sdlplat::appendQuads(batch, textured(1), a.data(), 3);
    sdlplat::appendQuads(batch, textured(2), b.data(), 2);
    // Back to the first texture: a new run, not a merge into the first one,
    // since drawing it earlier would change what covers what.
    sdlplat::appendQuads(batch, textured(1), a.data(), 1);
    ASSERT_EQ(batch.runs.size(), 3u);
    EXPECT_EQ(batch.runs[0].quadCount, 3u);
    EXPECT_EQ(batch.runs[1].firstQuad, 3u);
    EXPECT_EQ(batch.runs[1].quadCount, 2u);
    EXPECT_EQ(batch.runs[2].firstQuad, 5u);
    EXPECT_EQ(batch.vertices[12].x, 2.0f);  // b's vertices follow a's

    // Each of the other state fields splits too.
    DrawState base = textured(1);
    DrawState changed[5] = {base, base, base, base, base};
    changed[0].blend = plat::Blend::Alpha;
    changed[1].wireframe = true;
    changed[2].depthTest = false;
    changed[3].screenSpace = true;
    changed[4].uniforms = 7;
    for (const DrawState& s : changed) {
        QuadBatch two;
        sdlplat::appendQuads(two, base, a.data(), 1);
        sdlplat::appendQuads(two, s, a.data(), 1);
        EXPECT_EQ(sdlplat::drawCallCount(two), 2);
    }
}

TEST(Batching, ClearsSplitRunsAndEmptyCallsAddNothing) {
    QuadBatch batch;
    const auto a = quadsAt(1, 1);
    sdlplat::appendQuads(batch, textured(1), a.data(), 1);
    sdlplat::appendClear(batch, 0xFF112233);
    sdlplat::appendQuads(batch, textured(1), a.data(), 1);
    ASSERT_EQ(batch.runs.size(), 3u);
    EXPECT_EQ(batch.runs[1].kind, RunKind::Clear);
    EXPECT_EQ(batch.runs[1].argb, 0xFF112233u);
    EXPECT_EQ(sdlplat::drawCallCount(batch), 2);

    sdlplat::appendQuads(batch, textured(1), a.data(), 0);
    sdlplat::appendQuads(batch, textured(1), nullptr, 4);
    EXPECT_EQ(batch.runs.size(), 3u);
    EXPECT_EQ(batch.quadCount(), 2u);
}

namespace {

std::vector<plat::LitVertex> litQuads(int count) {
    return std::vector<plat::LitVertex>(size_t(count) * 4, plat::LitVertex{});
}

}  // namespace

TEST(Batching, LitQuadsJoinUnlessDrawnSeparatelyAndMeshDrawsStandAlone) {
    QuadBatch batch;
    const auto quads = litQuads(3);
    const plat::QuadRange ranges[2] = {{0, 5}, {9, 2}};
    sdlplat::appendLitQuads(batch, DrawState{}, plat::LitPass::Opaque, quads.data(), 3, false);
    sdlplat::appendLitQuads(batch, DrawState{}, plat::LitPass::Opaque, quads.data(), 3, false);
    sdlplat::appendLitQuads(batch, DrawState{}, plat::LitPass::Blended, quads.data(), 1, false);
    sdlplat::appendLitQuads(batch, DrawState{}, plat::LitPass::Blended, quads.data(), 1, true);
    sdlplat::appendMeshDraw(batch, DrawState{}, plat::LitPass::Opaque, 7, ranges, 2);
    sdlplat::appendMeshDraw(batch, DrawState{}, plat::LitPass::Opaque, 7, ranges, 1);
    ASSERT_EQ(batch.runs.size(), 5u);
    EXPECT_EQ(batch.runs[0].kind, RunKind::Lit);
    EXPECT_EQ(batch.runs[0].quadCount, 6u);
    EXPECT_EQ(batch.runs[1].pass, plat::LitPass::Blended);
    EXPECT_EQ(batch.runs[2].firstQuad, 7u);  // its own call
    EXPECT_EQ(batch.runs[3].kind, RunKind::Mesh);
    EXPECT_EQ(batch.runs[3].mesh, 7u);
    EXPECT_EQ(batch.runs[3].quadCount, 2u);  // ranges
    EXPECT_EQ(batch.runs[4].firstQuad, 2u);  // its ranges follow the first draw's
    EXPECT_EQ(batch.litQuadCount(), 8u);
    EXPECT_EQ(batch.meshRanges.size(), 3u);
    EXPECT_EQ(sdlplat::drawCallCount(batch), 5);
}

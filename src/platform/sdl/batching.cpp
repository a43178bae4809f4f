#include "platform/sdl/batching.h"

namespace sdlplat {

void appendQuads(QuadBatch& batch, const DrawState& state, const plat::Vertex* vertices,
                 int quadCount) {
    if (quadCount <= 0 || !vertices) return;
    const uint32_t first = batch.quadCount();
    batch.vertices.insert(batch.vertices.end(), vertices, vertices + 4 * size_t(quadCount));
    if (!batch.runs.empty()) {
        Run& last = batch.runs.back();
        if (last.kind == RunKind::Draw && last.state == state &&
            last.firstQuad + last.quadCount == first) {
            last.quadCount += uint32_t(quadCount);
            return;
        }
    }
    batch.runs.push_back(Run{RunKind::Draw, state, 0, first, uint32_t(quadCount)});
}

void appendLitQuads(QuadBatch& batch, const DrawState& state, plat::LitPass pass,
                    const plat::LitVertex* vertices, int quadCount, bool separate) {
    if (quadCount <= 0 || !vertices) return;
    const uint32_t first = batch.litQuadCount();
    batch.litVertices.insert(batch.litVertices.end(), vertices, vertices + 4 * size_t(quadCount));
    if (!separate && !batch.runs.empty()) {
        Run& last = batch.runs.back();
        if (last.kind == RunKind::Lit && last.state == state && last.pass == pass &&
            last.firstQuad + last.quadCount == first) {
            last.quadCount += uint32_t(quadCount);
            return;
        }
    }
    batch.runs.push_back(Run{RunKind::Lit, state, 0, first, uint32_t(quadCount), pass, 0});
}

void appendMeshDraw(QuadBatch& batch, const DrawState& state, plat::LitPass pass, uint32_t mesh,
                    const plat::QuadRange* ranges, int rangeCount) {
    if (rangeCount <= 0 || !ranges) return;
    const uint32_t first = uint32_t(batch.meshRanges.size());
    batch.meshRanges.insert(batch.meshRanges.end(), ranges, ranges + rangeCount);
    batch.runs.push_back(Run{RunKind::Mesh, state, 0, first, uint32_t(rangeCount), pass, mesh});
}

void appendClear(QuadBatch& batch, uint32_t argb) {
    batch.runs.push_back(Run{RunKind::Clear, DrawState{}, argb, batch.quadCount(), 0});
}

int drawCallCount(const QuadBatch& batch) {
    int n = 0;
    for (const Run& r : batch.runs) n += r.kind != RunKind::Clear;
    return n;
}

}  // namespace sdlplat

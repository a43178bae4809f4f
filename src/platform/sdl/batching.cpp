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

void appendClear(QuadBatch& batch, uint32_t argb) {
    batch.runs.push_back(Run{RunKind::Clear, DrawState{}, argb, batch.quadCount(), 0});
}

int drawCallCount(const QuadBatch& batch) {
    int n = 0;
    for (const Run& r : batch.runs) n += r.kind == RunKind::Draw;
    return n;
}

}  // namespace sdlplat

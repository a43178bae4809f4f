// Quad batching: what the drawing calls of a frame become before they reach
// GL. Quads pile up in one vertex array; runs of consecutive quads that share
// every piece of state are drawn with one call each, in submission order.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace sdlplat {

// Everything a draw call needs fixed. `uniforms` numbers the matrices and fog
// in force (a new number whenever they change); `screenSpace` marks sprites and
// text, which use pixel coordinates, alpha blending and no depth.
struct DrawState {
    int texture = 0;
    plat::Blend blend = plat::Blend::Opaque;
    bool wireframe = false;
    bool depthTest = true;
    bool screenSpace = false;
    uint32_t uniforms = 0;

    bool operator==(const DrawState&) const = default;
};

enum class RunKind : uint8_t { Draw, Clear };

struct Run {
    RunKind kind;
    DrawState state;     // Draw only
    uint32_t argb;       // Clear only
    uint32_t firstQuad;  // Draw only
    uint32_t quadCount;  // Draw only
};

struct QuadBatch {
    std::vector<plat::Vertex> vertices;  // 4 per quad
    std::vector<Run> runs;

    uint32_t quadCount() const { return uint32_t(vertices.size() / 4); }
    void reset() {
        vertices.clear();
        runs.clear();
    }
};

// Adds `quadCount` quads (4 vertices each) drawn with `state`. They join the
// last run when that run draws with the same state, else start a new one.
void appendQuads(QuadBatch& batch, const DrawState& state, const plat::Vertex* vertices,
                 int quadCount);
// Adds a clear of colour and depth; it splits runs since order matters.
void appendClear(QuadBatch& batch, uint32_t argb);
// Number of draw calls the batch will take.
int drawCallCount(const QuadBatch& batch);

}  // namespace sdlplat

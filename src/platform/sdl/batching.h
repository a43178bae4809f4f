// Quad batching: what the drawing calls of a frame become before they reach
// GL. Quads pile up in one vertex array; runs of consecutive quads that share
// every piece of state are drawn with one call each, in submission order.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace sdlplat {

// Everything a draw call needs fixed. `uniforms` numbers the matrices, fog and
// lighting values in force (a new number whenever they change); `screenSpace`
// marks sprites and text, which use pixel coordinates, alpha blending and no
// depth. Lit runs ignore `texture` and `blend` (their pass decides).
struct DrawState {
    int texture = 0;
    plat::Blend blend = plat::Blend::Opaque;
    bool wireframe = false;
    bool depthTest = true;
    bool culling = false;
    bool screenSpace = false;
    uint32_t uniforms = 0;

    bool operator==(const DrawState&) const = default;
};

enum class RunKind : uint8_t {
    Draw,   // quads of `vertices`
    Clear,
    Lit,    // streamed lit quads of `litVertices`
    Mesh,   // ranges of a mesh kept on the device
};

struct Run {
    RunKind kind;
    DrawState state;     // all but Clear
    uint32_t argb;       // Clear only
    uint32_t firstQuad;  // Draw, Lit: first quad; Mesh: first of its ranges in `meshRanges`
    uint32_t quadCount;  // Draw, Lit: quads; Mesh: number of ranges
    plat::LitPass pass = plat::LitPass::Opaque;  // Lit, Mesh
    uint32_t mesh = 0;                            // Mesh only
};

struct QuadBatch {
    std::vector<plat::Vertex> vertices;        // 4 per quad
    std::vector<plat::LitVertex> litVertices;  // 4 per quad
    std::vector<plat::QuadRange> meshRanges;
    std::vector<Run> runs;

    uint32_t quadCount() const { return uint32_t(vertices.size() / 4); }
    uint32_t litQuadCount() const { return uint32_t(litVertices.size() / 4); }
    void reset() {
        vertices.clear();
        litVertices.clear();
        meshRanges.clear();
        runs.clear();
    }
};

// Adds `quadCount` quads (4 vertices each) drawn with `state`. They join the
// last run when that run draws with the same state, else start a new one.
void appendQuads(QuadBatch& batch, const DrawState& state, const plat::Vertex* vertices,
                 int quadCount);
// Adds streamed lit quads. They join the last run when it is a lit run with the
// same state and pass, unless `separate` asks for a draw call of their own.
void appendLitQuads(QuadBatch& batch, const DrawState& state, plat::LitPass pass,
                    const plat::LitVertex* vertices, int quadCount, bool separate);
// Adds a draw of a mesh's quad ranges; always a run of its own.
void appendMeshDraw(QuadBatch& batch, const DrawState& state, plat::LitPass pass, uint32_t mesh,
                    const plat::QuadRange* ranges, int rangeCount);
// Adds a clear of colour and depth; it splits runs since order matters.
void appendClear(QuadBatch& batch, uint32_t argb);
// Number of draw calls the batch will take.
int drawCallCount(const QuadBatch& batch);

}  // namespace sdlplat

// Geometry cached on the device, in sections of 16 x 16 x 16 cells: every
// face the view would draw for the blocks of a section, lit, in one mesh
// (solid faces, then torches), with the glass faces kept aside for the
// per-frame far-to-near pass, and a list of the section's blocks with faces
// for counting and culling. Owns the section table; a section is rebuilt when
// a cell in or next to it changes, when light reaching it changes, and when a
// torch near it starts or stops shining because the light box moved.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "render/block_faces.h"
#include "render/light_box.h"
#include "world/cell_changes.h"

struct RenderState;  // render_state.h

inline constexpr int kSectionSize = 16;
inline constexpr int kSectionsX = (kWorldSizeX + kSectionSize - 1) / kSectionSize;
inline constexpr int kSectionsY = (kWorldSizeY + kSectionSize - 1) / kSectionSize;
inline constexpr int kSectionsZ = (kWorldSizeZ + kSectionSize - 1) / kSectionSize;

enum class BlockKind : uint8_t { Solid, Torch, Glass };

// A block with at least one face, in the section's x, y, z order.
struct SectionBlock {
    int16_t x, y, z;
    BlockKind kind;
    uint8_t faces;
    uint8_t faceMask;      // solid blocks: bit d set when face d is drawn
    uint16_t faceQuad[6];  // solid blocks: face d's place in direction group d
    uint32_t firstQuad;    // torches: in the mesh; glass: in `glass`
};

// A torch whose light can reach a face of the section, and whether it shone
// when the section was lit.
struct TorchRef {
    int16_t x, y, z;
    bool shining;
};

struct Section {
    int sx = 0, sy = 0, sz = 0;
    bool built = false;
    bool dirty = false;
    plat::MeshId mesh = 0;
    // Solid faces come first, grouped by direction so that a direction the eye
    // sees only from behind can be left out whole; in each group the faces
    // nearest the side they face come first, so that whenever the eye sees a
    // group at all it is drawn front to back along its axis and the depth test
    // spares the rasteriser the faces behind.
    uint32_t groupFirst[6] = {}, groupQuads[6] = {};
    // Where each layer along a group's axis lies in the group: the faces of
    // cells at section coordinate l are [layerBegin[d][l], layerEnd[d][l]).
    uint16_t layerBegin[6][kSectionSize] = {}, layerEnd[6][kSectionSize] = {};
    uint32_t solidQuads = 0;  // mesh quads [0, solidQuads)
    uint32_t torchQuads = 0;  // mesh quads [solidQuads, solidQuads + torchQuads)
    // Sections built for views past the standard ones also carry their solid
    // faces joined into spans: neighbouring faces of one layer, direction,
    // texture and light drawn as one quad, for the distance where a face is a
    // few pixels and the rasteriser pays per quad. They follow the torches,
    // grouped and ordered as the faces are (spanQuads all 0: none built).
    uint32_t spanFirst[6] = {}, spanQuads[6] = {};
    uint16_t spanLayerBegin[6][kSectionSize] = {}, spanLayerEnd[6][kSectionSize] = {};
    std::vector<plat::LitVertex> glass;
    std::vector<SectionBlock> blocks;
    uint32_t faces = 0;  // of all blocks
    // Cells spanned by the blocks with faces (valid when `blocks` is not empty).
    int lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    std::vector<TorchRef> torches;
};

inline uint32_t spanCount(const Section& s) {
    uint32_t n = 0;
    for (uint32_t q : s.spanQuads) n += q;
    return n;
}

// Light cells of a section: the section and one cell around it.
inline constexpr int kSpan = kSectionSize + 2;

// What building a section works in, kept between builds so that its lists
// keep their room.
struct BuildScratch {
    struct LightCells {
        uint8_t absorbed[kSpan][kSpan][kSpan];
        uint8_t own[kSpan][kSpan][kSpan];
    };
    struct CellAt {
        int16_t x, y, z;
    };
    LightCells light;
    std::vector<CellAt> exposed;
    std::vector<plat::LitVertex> solid[kFaceCount], torch, glass, mesh, sorted;
    std::vector<uint32_t> order, placeOf;
};

struct SectionCache {
    std::vector<std::unique_ptr<Section>> table;  // kSectionsX * kSectionsY * kSectionsZ
    // Per table slot, whether a built section there has blocks with faces: the
    // frame's walk reads these bytes in order instead of every section.
    std::vector<uint8_t> showing;
    std::vector<Section*> built;  // every built section, any order
    // Counts what may leave a section to build: sections marked stale,
    // sections forgotten. Unchanged, with the same box, means nothing to do.
    uint64_t staleMarks = 0;
    LightBox torchesSeenFor{-1, -1, -1, 0};  // the box every torch's shining was checked for
    uint32_t worldEpoch = 0;
    bool ready = false;
    std::vector<CellChange> changes;  // the grid's changes being applied
    BuildScratch scratch;
};

// The section holding cell coordinates (sx, sy, sz), or nullptr when none is built.
Section* sectionAt(RenderState& renderer, int sx, int sy, int sz);
// The built section there when it has blocks with faces, or nullptr.
const Section* showingSectionAt(const RenderState& renderer, int sx, int sy, int sz);
inline int sectionOf(int v) {
    return v >= 0 ? v / kSectionSize : -1;
}
inline bool sectionInWorld(int sx, int sy, int sz) {
    return unsigned(sx) < unsigned(kSectionsX) && unsigned(sy) < unsigned(kSectionsY) &&
           unsigned(sz) < unsigned(kSectionsZ);
}

// Brings the cache up to the world: forgets everything after a new world, and
// marks sections stale around changed cells and around torches that start or
// stop shining in `box`.
void syncSections(RenderState& renderer, World& world, const LightBox& box);
// Builds (or rebuilds) a section if it is missing or stale; returns true if it
// did any work that cost a build.
bool ensureSection(RenderState& renderer, const World& world, int sx, int sy, int sz,
                   const LightBox& box);
// Lets go of sections outside the given section ranges (inclusive).
void dropSectionsOutside(RenderState& renderer, int sx0, int sy0, int sz0, int sx1, int sy1,
                         int sz1);
// Every built section, for the frame's walk.
const std::vector<Section*>& builtSections(const RenderState& renderer);

// Fills a section from the grid, lit for `box` (section_build.cpp); with the
// spans too when the box reaches past the standard views.
void buildSection(RenderState& renderer, const World& world, Section& s, const LightBox& box);
// Appends the spans of the section's sorted solid faces (scr.solid, with the
// section's layers) to scr.mesh and notes where they lie (section_spans.cpp).
void joinSpans(Section& s, BuildScratch& scr);

// Figures for the benchmarks: bytes held by cached geometry on both sides.
size_t cachedGeometryBytes(const RenderState& renderer);

// Building one section: every face its blocks show, placed, textured and lit
// by the same rules as any other drawer of blocks. Light is baked as two
// bytes per face: what the sky loses on its way down to the face's light cell
// (the sky's own level is a uniform, so the day never forces a rebuild) and
// the torch light there.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "render/block_faces.h"
#include "render/camera.h"
#include "render/light_rules.h"
#include "render/render_state.h"
#include "render/sections.h"
#include "world/block_types.h"

namespace {

// Torches this far outside the light cells can still reach them.
constexpr int kTorchMargin = 1 + kTorchReach;

bool allAir(const Cell* cells, int count) {
    static const Cell air[kSpan] = {};
    return std::memcmp(cells, air, sizeof(Cell) * size_t(count)) == 0;
}

// What the sky loses above every light cell, column by column from the top of
// the world, counting a glass cell's own 5; beyond kBlockedAbsorption the sky
// leaves darkness whatever its level, so the count stops there.
void computeAbsorbed(const World& world, int x0, int y0, int z0, BuildScratch::LightCells& light) {
    std::memset(light.absorbed, kBlockedAbsorption, sizeof light.absorbed);
    const int yHigh = y0 + kSectionSize, yLow = std::max(y0 - 1, 0);
    for (int lx = 0; lx < kSpan; ++lx) {
        const int x = x0 - 1 + lx;
        if (x < 0 || x >= kWorldSizeX) continue;
        int absorbed[kSpan];
        std::fill_n(absorbed, kSpan, 0);
        const int zFirst = std::max(z0 - 1, 0),
                  zLast = std::min(z0 + kSectionSize, kWorldSizeZ - 1);
        for (int y = kWorldSizeY - 1; y >= yLow; --y) {
            const Cell* row = &cell(world, x, y, 0);
            // Air above the light cells takes nothing: most rows end here.
            if (y > yHigh && allAir(row + zFirst, zLast - zFirst + 1)) continue;
            bool open = false;
            for (int z = zFirst; z <= zLast; ++z) {
                const int lz = z - (z0 - 1);
                int& a = absorbed[lz];
                if (a >= kBlockedAbsorption) continue;
                open = true;
                const uint8_t type = row[z].type;
                if (y <= yHigh) {
                    const int own = type == block::Glass ? absorption(block::Glass) : 0;
                    light.absorbed[lx][y - (y0 - 1)][lz] =
                        uint8_t(std::min(a + own, kBlockedAbsorption));
                }
                a += absorption(type);
            }
            if (!open) break;  // every column of this slab is dark from here down
        }
    }
}

// Torches near the section: all are remembered with whether they shine in
// `box`; those that shine light the light cells within reach.
void computeOwn(const World& world, int x0, int y0, int z0, const LightBox& box,
                BuildScratch::LightCells& light, std::vector<TorchRef>& torches) {
    std::memset(light.own, 0, sizeof light.own);
    torches.clear();
    const int xLo = std::max(x0 - kTorchMargin, 0),
              xHi = std::min(x0 + kSectionSize - 1 + kTorchMargin, kWorldSizeX - 1);
    const int yLo = std::max(y0 - kTorchMargin, 0),
              yHi = std::min(y0 + kSectionSize - 1 + kTorchMargin, kWorldSizeY - 1);
    const int zLo = std::max(z0 - kTorchMargin, 0),
              zHi = std::min(z0 + kSectionSize - 1 + kTorchMargin, kWorldSizeZ - 1);
    const size_t runBytes = sizeof(Cell) * size_t(zHi - zLo + 1);
    for (int x = xLo; x <= xHi; ++x)
        for (int y = yLo; y <= yHi; ++y) {
            // Torches are rare: look for the byte first, then check it is a type.
            const uint8_t* run = reinterpret_cast<const uint8_t*>(&cell(world, x, y, zLo));
            const uint8_t* end = run + runBytes;
            for (const uint8_t* at = run; (at = static_cast<const uint8_t*>(
                                               std::memchr(at, block::Torch, size_t(end - at))));
                 ++at) {
                if ((at - run) % sizeof(Cell) != offsetof(Cell, type)) continue;
                const int z = zLo + int((at - run) / sizeof(Cell));
                torches.push_back({int16_t(x), int16_t(y), int16_t(z), box.torchShines(x, y, z)});
            }
        }
    for (const TorchRef& t : torches) {
        if (!t.shining) continue;
        for (int dx = -kTorchReach; dx <= kTorchReach; ++dx) {
            const int lx = t.x + dx - (x0 - 1);
            if (lx < 0 || lx >= kSpan) continue;
            for (int dy = -kTorchReach; dy <= kTorchReach; ++dy) {
                const int ly = t.y + dy - (y0 - 1);
                if (ly < 0 || ly >= kSpan) continue;
                for (int dz = -kTorchReach; dz <= kTorchReach; ++dz) {
                    const int lz = t.z + dz - (z0 - 1);
                    if (lz < 0 || lz >= kSpan) continue;
                    // The level depends on the torch's offset from the cell.
                    const uint8_t level = uint8_t(torchLevel(-dx, -dy, -dz));
                    uint8_t& own = light.own[lx][ly][lz];
                    own = std::max(own, level);
                }
            }
        }
    }
}

void emitQuad(std::vector<plat::LitVertex>& out, Model model, const plat::Matrix& world,
              uint32_t packedCell, int texture, int row, uint8_t absorbed, uint8_t own,
              uint8_t alpha) {
    WorldCorner corners[4];
    placeQuad(model, world, corners);
    for (const WorldCorner& c : corners)
        out.push_back({c.p.x, c.p.y, c.p.z, packedCell, uint8_t(c.u), uint8_t(c.v),
                       uint8_t(texture), uint8_t(row), absorbed, own, alpha, 0});
}

bool exposed(const World& world, int x, int y, int z) {
    for (int face = 0; face < kFaceCount; ++face) {
        const int nx = x + kFaceDx[face], ny = y + kFaceDy[face], nz = z + kFaceDz[face];
        if (!inWorld(nx, ny, nz) || isSeeThrough(cell(world, nx, ny, nz).type)) return true;
    }
    return false;
}

constexpr uint8_t kOpaque = 255;
constexpr uint8_t kGlassAlpha = 64;  // a quarter of the light through

// The faces of one block into the scratch lists; returns how many, and for a
// solid block which directions in `mask` with their places in `place`.
int emitBlock(const World& world, int x, int y, int z, const Cell c, int x0, int y0, int z0,
              BuildScratch& s, uint8_t& mask, uint16_t place[kFaceCount]) {
    const BuildScratch::LightCells& light = s.light;
    const uint32_t packed = plat::packCell(x, y, z);
    const int lx = x - (x0 - 1), ly = y - (y0 - 1), lz = z - (z0 - 1);
    if (c.type == block::Torch) {
        // A torch shows its cap and four sides whatever surrounds it, all lit
        // from its own cell.
        const uint8_t absorbed = light.absorbed[lx][ly][lz], own = light.own[lx][ly][lz];
        for (int face = kTop; face < kFaceCount; ++face) {
            const Model model = face == kTop ? Model::TorchCap : Model::TorchSide;
            emitQuad(s.torch, model, torchFaceTransform(face, c.aux, x, y, z), packed,
                     faceTexture(c.type, c.aux, face), face, absorbed, own, kOpaque);
        }
        return kFaceCount - 1;
    }
    const bool glass = c.type == block::Glass;
    int faces = 0;
    mask = 0;
    for (int face = 0; face < kFaceCount; ++face) {
        const int nx = x + kFaceDx[face], ny = y + kFaceDy[face], nz = z + kFaceDz[face];
        const bool inside = inWorld(nx, ny, nz);
        if (!faceShows(c.type, inside, inside ? cell(world, nx, ny, nz).type : block::Air))
            continue;
        uint8_t absorbed = 0, own = 0;
        int row = edgeRow(face);
        if (inside) {
            absorbed = light.absorbed[nx - (x0 - 1)][ny - (y0 - 1)][nz - (z0 - 1)];
            own = light.own[nx - (x0 - 1)][ny - (y0 - 1)][nz - (z0 - 1)];
            row = face;
        }
        if (!glass) place[face] = uint16_t(s.solid[face].size() / 4);
        emitQuad(glass ? s.glass : s.solid[face], Model::FaceQuad,
                 blockFaceTransform(face, x, y, z), packed, faceTexture(c.type, c.aux, face), row,
                 absorbed, own, glass ? kGlassAlpha : kOpaque);
        ++faces;
        mask = uint8_t(mask | 1 << face);
    }
    return faces;
}

// Orders a direction group front first along its axis (faces at the same
// depth keep block order), moves the blocks' places along with them, and
// notes where each layer along the axis lies.
void frontFirst(int face, std::vector<plat::LitVertex>& quads, std::vector<SectionBlock>& blocks,
                BuildScratch& s, Section& section) {
    const uint32_t count = uint32_t(quads.size() / 4);
    const int axis = kFaceDx[face] != 0 ? 0 : kFaceDy[face] != 0 ? 1 : 2;
    const int origin = (axis == 0   ? section.sx
                        : axis == 1 ? section.sy
                                    : section.sz) *
                       kSectionSize;
    int perLayer[kSectionSize] = {};
    for (uint32_t q = 0; q < count; ++q) {
        const uint32_t c = quads[size_t(q) * 4].cell;
        ++perLayer[(axis == 0   ? plat::cellX(c)
                    : axis == 1 ? plat::cellY(c)
                                : plat::cellZ(c)) -
                   origin];
    }
    const bool towardsPlus = kFaceDx[face] + kFaceDy[face] + kFaceDz[face] > 0;
    int placed = 0;
    for (int k = 0; k < kSectionSize; ++k) {
        const int l = towardsPlus ? kSectionSize - 1 - k : k;  // front layers first
        section.layerBegin[face][l] = uint16_t(placed);
        placed += perLayer[l];
        section.layerEnd[face][l] = uint16_t(placed);
    }
    if (count < 2) return;
    const int sign = kFaceDx[face] + kFaceDy[face] + kFaceDz[face];
    auto depth = [&](uint32_t q) {
        const uint32_t c = quads[size_t(q) * 4].cell;
        const int at = axis == 0 ? plat::cellX(c) : axis == 1 ? plat::cellY(c) : plat::cellZ(c);
        return -sign * at;  // smaller first: the faces furthest towards the side they face
    };
    std::vector<uint32_t>& order = s.order;
    order.resize(count);
    for (uint32_t q = 0; q < count; ++q) order[q] = q;
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return depth(a) < depth(b); });
    std::vector<uint32_t>& placeOf = s.placeOf;
    placeOf.resize(count);
    s.sorted.resize(quads.size());
    for (uint32_t to = 0; to < count; ++to) {
        placeOf[order[to]] = to;
        std::copy_n(&quads[size_t(order[to]) * 4], 4, &s.sorted[size_t(to) * 4]);
    }
    quads.swap(s.sorted);
    for (SectionBlock& b : blocks)
        if (b.faceMask & (1 << face)) b.faceQuad[face] = uint16_t(placeOf[b.faceQuad[face]]);
}

bool anyBlock(const World& world, int x0, int y0, int z0, int x1, int y1, int z1) {
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            const Cell* row = &cell(world, x, y, 0);
            for (int z = z0; z <= z1; ++z)
                if (row[z].type != block::Air) return true;
        }
    return false;
}

}  // namespace

void buildSection(RenderState& renderer, const World& world, Section& s, const LightBox& box) {
    // A rebuilt section keeps its mesh: refilling it is cheaper for the device
    // than a new one.
    const plat::MeshId old = s.mesh;
    s.mesh = 0;
    s.solidQuads = s.torchQuads = 0;
    for (int face = 0; face < kFaceCount; ++face) {
        s.groupFirst[face] = s.groupQuads[face] = 0;
        s.spanFirst[face] = s.spanQuads[face] = 0;
        for (int l = 0; l < kSectionSize; ++l)
            s.layerBegin[face][l] = s.layerEnd[face][l] = s.spanLayerBegin[face][l] =
                s.spanLayerEnd[face][l] = 0;
    }
    s.glass.clear();
    s.blocks.clear();
    s.torches.clear();
    s.faces = 0;
    s.built = true;
    s.dirty = false;
    const int x0 = s.sx * kSectionSize, y0 = s.sy * kSectionSize, z0 = s.sz * kSectionSize;
    const int x1 = std::min(x0 + kSectionSize, kWorldSizeX) - 1;
    const int y1 = std::min(y0 + kSectionSize, kWorldSizeY) - 1;
    const int z1 = std::min(z0 + kSectionSize, kWorldSizeZ) - 1;
    auto finish = [&](const plat::LitVertex* quads, int count) {
        if (count > 0 && old && plat::refillMesh(old, quads, count)) {
            s.mesh = old;
            return;
        }
        if (old) plat::destroyMesh(old);
        if (count > 0) s.mesh = plat::createMesh(quads, count);
    };
    if (!world.cells || !anyBlock(world, x0, y0, z0, x1, y1, z1)) return finish(nullptr, 0);

    BuildScratch& scr = renderer.sections.scratch;
    // Most sections below ground have no block anything can be seen next to:
    // find the exposed ones before working out any light.
    scr.exposed.clear();
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y)
            for (int z = z0; z <= z1; ++z)
                if (cell(world, x, y, z).type != block::Air && exposed(world, x, y, z))
                    scr.exposed.push_back({int16_t(x), int16_t(y), int16_t(z)});
    if (scr.exposed.empty()) return finish(nullptr, 0);
    for (auto& list : scr.solid) list.clear();
    scr.torch.clear();
    scr.glass.clear();
    computeAbsorbed(world, x0, y0, z0, scr.light);
    computeOwn(world, x0, y0, z0, box, scr.light, s.torches);

    s.lo[0] = s.lo[1] = s.lo[2] = 1 << 20;
    s.hi[0] = s.hi[1] = s.hi[2] = -1;
    for (const BuildScratch::CellAt& e : scr.exposed) {
        const int x = e.x, y = e.y, z = e.z;
        const Cell c = cell(world, x, y, z);
        const BlockKind kind = c.type == block::Torch   ? BlockKind::Torch
                               : c.type == block::Glass ? BlockKind::Glass
                                                        : BlockKind::Solid;
        const uint32_t first = kind == BlockKind::Torch   ? uint32_t(scr.torch.size() / 4)
                               : kind == BlockKind::Glass ? uint32_t(scr.glass.size() / 4)
                                                          : 0;
        uint8_t mask = 0;
        SectionBlock b{int16_t(x), int16_t(y), int16_t(z), kind, 0, 0, {}, first};
        const int faces = emitBlock(world, x, y, z, c, x0, y0, z0, scr, mask, b.faceQuad);
        if (faces == 0) continue;
        b.faces = uint8_t(faces);
        b.faceMask = kind == BlockKind::Solid ? mask : uint8_t(0);
        s.blocks.push_back(b);
        s.faces += uint32_t(faces);
        const int at[3] = {x, y, z};
        for (int k = 0; k < 3; ++k) {
            s.lo[k] = std::min(s.lo[k], at[k]);
            s.hi[k] = std::max(s.hi[k], at[k]);
        }
    }
    scr.mesh.clear();
    for (int face = 0; face < kFaceCount; ++face) {
        s.groupFirst[face] = uint32_t(scr.mesh.size() / 4);
        s.groupQuads[face] = uint32_t(scr.solid[face].size() / 4);
        frontFirst(face, scr.solid[face], s.blocks, scr, s);
        scr.mesh.insert(scr.mesh.end(), scr.solid[face].begin(), scr.solid[face].end());
    }
    s.solidQuads = uint32_t(scr.mesh.size() / 4);
    s.torchQuads = uint32_t(scr.torch.size() / 4);
    for (SectionBlock& b : s.blocks)
        if (b.kind == BlockKind::Torch) b.firstQuad += s.solidQuads;
    s.glass = scr.glass;
    scr.mesh.insert(scr.mesh.end(), scr.torch.begin(), scr.torch.end());
    if (box.radius > viewRadius(4)) joinSpans(s, scr);
    finish(scr.mesh.data(), int(scr.mesh.size() / 4));
}

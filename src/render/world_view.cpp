// The frame's walk is over sections, not cells. A section wholly inside the
// cube and the culling frustum is counted and drawn whole; one the frustum or
// the cube's faces cross is decided block by block with the frustum's own
// corner test; one wholly outside costs nothing. What reaches the device may
// include blocks the frustum test rejects only when they lie clearly outside
// the drawing frustum, so they cannot show. Any other rejected block (close to
// the eye, along the frustum's edges, at its far end) is cut out of the ranges
// drawn, so the picture is what the block-by-block walk draws.
#include "render/world_view.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <tuple>
#include <vector>

#include "game/time_of_day.h"
#include "platform/platform.h"
#include "render/block_faces.h"
#include "render/camera.h"
#include "render/glass_order.h"
#include "render/light_rules.h"
#include "render/marks.h"
#include "render/picking.h"
#include "render/polygons.h"
#include "render/render_state.h"
#include "render/sections.h"
#include "world/block_types.h"
#include "world/collision.h"

namespace {

// Sections built ahead of the cube on every side, and kept a little further.
constexpr int kAheadSections = 1;
constexpr int kKeptSections = 2;
// Work allowed per frame for building ahead: an empty section costs 1, one
// with faces 8. Running covers a new slab of sections in well over a hundred
// frames, so a little each frame keeps ahead without a frame standing out.
constexpr int kFacedCost = 8;
constexpr int kAheadBudget = 16;
// Work allowed per frame for a far view's sections past the standard cube.
// Built at once, the thousands of them froze the picture for a second when a
// far view was chosen; a few milliseconds' worth a frame fills them in over
// a few seconds, nearest first, while the picture goes on. The time cap
// keeps a slow or busy machine's frames short too (it fills in later).
constexpr int kFillBudget = 160;
constexpr std::chrono::microseconds kFillTime{4000};
// Slack for plane tests that decide without the exact corner test: larger
// than any difference rounding can make in a plane's value.
constexpr float kPlaneSlack = 0.01f;

enum class Relation : uint8_t { Outside, Crossing, Inside };

inline float entry(const plat::Matrix& m, int r, int c) {
    return m.m[r * 4 + c];
}

// The drawing frustum's planes, found the way the culling planes are.
void buildDrawPlanes(RenderState& renderer) {
    const plat::Matrix m = multiply(renderer.camera.viewMatrix, renderer.camera.drawProjection);
    auto col = [&m](int c) {
        return Plane{entry(m, 0, c), entry(m, 1, c), entry(m, 2, c), entry(m, 3, c)};
    };
    const Plane c1 = col(0), c2 = col(1), c3 = col(2), c4 = col(3);
    auto add = [](Plane a, Plane b) { return Plane{a.a + b.a, a.b + b.b, a.c + b.c, a.d + b.d}; };
    auto sub = [](Plane a, Plane b) { return Plane{a.a - b.a, a.b - b.b, a.c - b.c, a.d - b.d}; };
    const Plane planes[6] = {add(c4, c1), sub(c4, c1), sub(c4, c2), add(c4, c2), c3, sub(c4, c3)};
    for (int i = 0; i < 6; ++i) renderer.view.drawPlanes[i] = normalizedPlane(planes[i]);
}

// A box of space against six planes: wholly inside all, wholly outside one,
// or neither.
Relation relate(const Plane* planes, float x0, float y0, float z0, float x1, float y1, float z1) {
    bool inside = true;
    for (int i = 0; i < 6; ++i) {
        const Plane& p = planes[i];
        const float hi =
            p.a * (p.a > 0 ? x1 : x0) + p.b * (p.b > 0 ? y1 : y0) + p.c * (p.c > 0 ? z1 : z0) + p.d;
        if (hi < -kPlaneSlack) return Relation::Outside;
        const float lo =
            p.a * (p.a > 0 ? x0 : x1) + p.b * (p.b > 0 ? y0 : y1) + p.c * (p.c > 0 ? z0 : z1) + p.d;
        if (lo <= kPlaneSlack) inside = false;
    }
    return inside ? Relation::Inside : Relation::Crossing;
}

Relation relateCells(const Plane* planes, const int lo[3], const int hi[3], float grow) {
    return relate(planes, float(lo[0]) - grow, float(lo[1]) - grow, float(lo[2]) - grow,
                  float(hi[0]) + grow, float(hi[1]) + grow, float(hi[2]) + grow);
}

Relation relateToCube(const LightBox& b, const int lo[3], const int hi[3]) {
    const int cLo[3] = {b.cx - b.radius, b.cy - b.radius, b.cz - b.radius};
    const int cHi[3] = {b.cx + b.radius, b.cy + b.radius, b.cz + b.radius};
    bool inside = true;
    for (int k = 0; k < 3; ++k) {
        if (hi[k] < cLo[k] || lo[k] > cHi[k]) return Relation::Outside;
        if (lo[k] < cLo[k] || hi[k] > cHi[k]) inside = false;
    }
    return inside ? Relation::Inside : Relation::Crossing;
}

// Section coordinates the cube reaches, grown by `grow` sections, within the world.
struct SectionSpan {
    int lo[3], hi[3];
    bool empty() const { return lo[0] > hi[0] || lo[1] > hi[1] || lo[2] > hi[2]; }
};
SectionSpan cubeSections(const LightBox& b, int grow) {
    const int centre[3] = {b.cx, b.cy, b.cz};
    const int limit[3] = {kWorldSizeX, kWorldSizeY, kWorldSizeZ};
    const int sections[3] = {kSectionsX, kSectionsY, kSectionsZ};
    SectionSpan s;
    for (int k = 0; k < 3; ++k) {
        const int lo = std::max(centre[k] - b.radius, 0),
                  hi = std::min(centre[k] + b.radius, limit[k] - 1);
        if (lo > hi) {
            s.lo[k] = 1, s.hi[k] = 0;
            continue;
        }
        s.lo[k] = std::max(lo / kSectionSize - grow, 0);
        s.hi[k] = std::min(hi / kSectionSize + grow, sections[k] - 1);
    }
    return s;
}

void buildAheadOrder(RenderState& renderer) {
    if (!renderer.view.aheadOrder.empty()) return;
    // Offsets up to the largest cube plus the margin, nearest first.
    const int reach = kMaxViewRadius / kSectionSize + 2 + kAheadSections;
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dz = -reach; dz <= reach; ++dz)
                renderer.view.aheadOrder.push_back(((dx + 64) << 16) | ((dy + 64) << 8) |
                                                   (dz + 64));
    auto length = [](int packed) {
        const int dx = (packed >> 16) - 64, dy = ((packed >> 8) & 255) - 64,
                  dz = (packed & 255) - 64;
        return dx * dx + dy * dy + dz * dz;
    };
    std::stable_sort(renderer.view.aheadOrder.begin(), renderer.view.aheadOrder.end(),
                     [&](int a, int b) { return length(a) < length(b); });
}

// Builds what `span` lacks, the sections nearest the eye's first, until
// `budget` is spent or `time` has passed; returns how many it built. With
// `left`, adds there how many are still to build once it stops.
int buildNearestFirst(
    RenderState& renderer, const World& world, const LightBox& b, const SectionSpan& span,
    int budget, int* left,
    std::chrono::steady_clock::duration time = std::chrono::steady_clock::duration::max()) {
    buildAheadOrder(renderer);
    const auto start = std::chrono::steady_clock::now();
    const int cs[3] = {sectionOf(std::clamp(b.cx, 0, kWorldSizeX - 1)),
                       sectionOf(std::clamp(b.cy, 0, kWorldSizeY - 1)),
                       sectionOf(std::clamp(b.cz, 0, kWorldSizeZ - 1))};
    int built = 0;
    for (int packed : renderer.view.aheadOrder) {
        const int sx = cs[0] + (packed >> 16) - 64, sy = cs[1] + ((packed >> 8) & 255) - 64,
                  sz = cs[2] + (packed & 255) - 64;
        if (sx < span.lo[0] || sx > span.hi[0] || sy < span.lo[1] || sy > span.hi[1] ||
            sz < span.lo[2] || sz > span.hi[2])
            continue;
        if (budget <= 0) {
            if (!left) break;
            const Section* s = sectionAt(renderer, sx, sy, sz);
            *left += !s || s->dirty ? 1 : 0;
            continue;
        }
        if (!ensureSection(renderer, world, sx, sy, sz, b)) continue;
        ++built;
        const Section* s = sectionAt(renderer, sx, sy, sz);
        budget -= s && !s->blocks.empty() ? kFacedCost : 1;
        if (std::chrono::steady_clock::now() - start >= time) budget = 0;
    }
    return built;
}

// Where a block stands against the culling frustum: decided by the planes when
// clear, by the exact corner test otherwise.
Relation relateBlock(const RenderState& renderer, int x, int y, int z) {
    bool inside = true;
    for (const Plane& p : renderer.camera.frustumPlanes) {
        const float centre = planeValue(p, float(x), float(y), float(z));
        const float reach = 0.5f * (std::fabs(p.a) + std::fabs(p.b) + std::fabs(p.c));
        if (centre + reach < -kPlaneSlack) return Relation::Outside;
        if (centre - reach <= kPlaneSlack) inside = false;
    }
    if (inside) return Relation::Inside;
    return blockInFrustum(renderer, x, y, z) ? Relation::Inside : Relation::Crossing;
}

// Whether the block, and anything a torch in it reaches, lies clearly
// outside one plane of the drawing frustum.
bool outsideDrawing(RenderState& renderer, int x, int y, int z) {
    const int at[3] = {x, y, z};
    return relateCells(renderer.view.drawPlanes, at, at, 1.0f) == Relation::Outside;
}

uint32_t walkIndex(const LightBox& b, int x, int y, int z) {
    const uint32_t side = uint32_t(2 * b.radius + 1);
    return (uint32_t(x - (b.cx - b.radius)) * side + uint32_t(y - (b.cy - b.radius))) * side +
           uint32_t(z - (b.cz - b.radius));
}

void collectGlass(RenderState& renderer, const Section* s, uint32_t block) {
    renderer.view.glassList.push_back({s, block});
}

// Adds quads [first, first + count) to the ranges of the draw whose ranges
// start at `since`, joining the last of them when it ends where these begin.
void addRange(std::vector<plat::QuadRange>& ranges, size_t since, uint32_t first, uint32_t count) {
    if (count == 0) return;
    if (ranges.size() > since && ranges.back().first + ranges.back().count == first)
        ranges.back().count += count;
    else
        ranges.push_back({first, count});
}

// The part of a section's direction group the device needs: the layers along
// the group's axis that lie in the cube and that the eye sees from the front
// (faces seen from behind are culled anyway). Groups are stored front layer
// first, so those layers are one run of quads.
plat::QuadRange facingLayers(const Section* s, int face, const Vec3& eye, const LightBox& b,
                             bool spans) {
    constexpr float kSlack = 0.01f;
    const int axis = kFaceDx[face] != 0 ? 0 : kFaceDy[face] != 0 ? 1 : 2;
    const float e = axis == 0 ? eye.x : axis == 1 ? eye.y : eye.z;
    const int centre = axis == 0 ? b.cx : axis == 1 ? b.cy : b.cz;
    const int origin = (axis == 0 ? s->sx : axis == 1 ? s->sy : s->sz) * kSectionSize;
    int lo = std::max(centre - b.radius, origin),
        hi = std::min(centre + b.radius, origin + kSectionSize - 1);
    // A face of cell c looking towards +axis lies at c + 0.5 and shows its
    // front when the eye is beyond it; towards -axis, at c - 0.5, when before.
    if (kFaceDx[face] + kFaceDy[face] + kFaceDz[face] > 0)
        hi = std::min(hi, int(std::ceil(e - 0.5f + kSlack)) - 1);
    else
        lo = std::max(lo, int(std::floor(e + 0.5f - kSlack)) + 1);
    const uint32_t group = spans ? s->spanFirst[face] : s->groupFirst[face];
    if (lo > hi) return {group, 0};
    const uint16_t* begin = spans ? s->spanLayerBegin[face] : s->layerBegin[face];
    const uint16_t* end = spans ? s->spanLayerEnd[face] : s->layerEnd[face];
    const int a = lo - origin, z = hi - origin;
    const uint32_t first = std::min(begin[a], begin[z]);
    return {group + first, uint32_t(std::max(end[a], end[z])) - first};
}

// Spans stand in for a section's faces only where no standard view reaches
// and wholly inside the cell box, which then keeps none of their cells off
// the device: standard views keep every face as it is.
bool drawsSpans(RenderState& renderer, const Section* s, const LightBox& b, Relation cube) {
    if (cube != Relation::Inside || b.radius <= viewRadius(4) || renderer.view.facesOnly)
        return false;
    return spanCount(*s) > 0 && relateToCube(LightBox{b.cx, b.cy, b.cz, viewRadius(4)}, s->lo,
                                             s->hi) == Relation::Outside;
}

// [first, first + count) without the sorted quads in `cut`.
void addRangeWithout(std::vector<plat::QuadRange>& ranges, size_t since, uint32_t first,
                     uint32_t count, const std::vector<uint32_t>& cut) {
    uint32_t at = first;
    const uint32_t end = first + count;
    for (auto it = std::lower_bound(cut.begin(), cut.end(), first); it != cut.end() && *it < end;
         ++it) {
        addRange(ranges, since, at, *it - at);
        at = *it + 1;
    }
    addRange(ranges, since, at, end - at);
}

// The mesh quads of the solid blocks in `cutBlocks` (block indices).
void solidQuadsOf(const Section* s, const std::vector<uint32_t>& cutBlocks,
                  std::vector<uint32_t>& out) {
    for (uint32_t i : cutBlocks) {
        const SectionBlock& k = s->blocks[i];
        for (int face = 0; face < kFaceCount; ++face)
            if (k.faceMask & (1 << face)) out.push_back(s->groupFirst[face] + k.faceQuad[face]);
    }
}

// One section's part of the frame: its count for the debug line, its glass,
// and the ranges of its mesh the device draws.
void walkSection(RenderState& renderer, const Section* s, const LightBox& b) {
    if (s->blocks.empty()) return;
    const Relation cube = relateToCube(b, s->lo, s->hi);
    if (cube == Relation::Outside) return;
    const Relation wide = relateCells(renderer.camera.frustumPlanes, s->lo, s->hi, 0.5f);
    if (wide == Relation::Outside) return;
    std::vector<uint32_t>& cutSolid = renderer.view.cutSolid;
    std::vector<uint32_t>& cutQuads = renderer.view.cutQuads;
    cutSolid.clear();
    cutQuads.clear();
    if (cube == Relation::Inside && wide == Relation::Inside) {
        addPolygons(renderer, int32_t(2 * s->faces));
        for (uint32_t i = 0; !s->glass.empty() && i < s->blocks.size(); ++i)
            if (s->blocks[i].kind == BlockKind::Glass) collectGlass(renderer, s, i);
    } else {
        for (uint32_t i = 0; i < s->blocks.size(); ++i) {
            const SectionBlock& k = s->blocks[i];
            if (!b.inCube(k.x, k.y, k.z)) continue;  // the cell box keeps it off the device
            const Relation r =
                wide == Relation::Inside ? Relation::Inside : relateBlock(renderer, k.x, k.y, k.z);
            if (r == Relation::Inside) {
                addPolygons(renderer, 2 * k.faces);
                if (k.kind == BlockKind::Glass) collectGlass(renderer, s, i);
                continue;
            }
            // A block the corner test rejects stays in the ranges only when it
            // lies clearly outside the drawing frustum (the culling frustum's
            // far plane, found from a wider projection, is less exact than the
            // drawing one's, so "outside the culling frustum" is not enough).
            if (k.kind == BlockKind::Glass || outsideDrawing(renderer, k.x, k.y, k.z)) continue;
            ++renderer.view.stats.hiddenBlocks;
            if (k.kind == BlockKind::Solid) cutSolid.push_back(i);
            for (uint32_t q = 0; k.kind == BlockKind::Torch && q < k.faces; ++q)
                cutQuads.push_back(k.firstQuad + q);
        }
    }
    // Torches reach a little outside their cell.
    const bool shown =
        relateCells(renderer.view.drawPlanes, s->lo, s->hi, 1.0f) != Relation::Outside;
    if (!shown || s->mesh == 0) return;
    // A span has no single block to cut it for: it is drawn whole.
    const bool spans = drawsSpans(renderer, s, b, cube);
    if (!cutSolid.empty() && !spans) solidQuadsOf(s, cutSolid, cutQuads);
    std::sort(cutQuads.begin(), cutQuads.end());
    const Vec3 eye = renderer.view.eye;
    SectionRanges draw{s, 0.0f, uint32_t(renderer.view.ranges.size()), 0, 0, 0, spans};
    for (int face = 0; face < kFaceCount; ++face) {
        if (s->groupQuads[face] == 0) continue;
        const plat::QuadRange run = facingLayers(s, face, eye, b, spans);
        addRangeWithout(renderer.view.ranges, draw.firstRange, run.first, run.count, cutQuads);
    }
    draw.rangeCount = uint32_t(renderer.view.ranges.size()) - draw.firstRange;
    draw.firstTorchRange = uint32_t(renderer.view.ranges.size());
    addRangeWithout(renderer.view.ranges, draw.firstTorchRange, s->solidQuads, s->torchQuads,
                    cutQuads);
    draw.torchRangeCount = uint32_t(renderer.view.ranges.size()) - draw.firstTorchRange;
    if (draw.rangeCount + draw.torchRangeCount == 0) return;
    const float cx = float(s->lo[0] + s->hi[0]) * 0.5f - eye.x;
    const float cy = float(s->lo[1] + s->hi[1]) * 0.5f - eye.y;
    const float cz = float(s->lo[2] + s->hi[2]) * 0.5f - eye.z;
    draw.distance = cx * cx + cy * cy + cz * cz;
    renderer.view.draws.push_back(draw);
}

void drawSections(RenderState& renderer) {
    // Near to far: a software rasteriser skips what the depth test already hides.
    std::sort(
        renderer.view.draws.begin(), renderer.view.draws.end(),
        [](const SectionRanges& a, const SectionRanges& b) { return a.distance < b.distance; });
    for (const SectionRanges& d : renderer.view.draws) {
        if (d.rangeCount == 0) continue;
        plat::drawMesh(d.section->mesh,
                       d.spans ? plat::LitPass::OpaqueSpans : plat::LitPass::Opaque,
                       &renderer.view.ranges[d.firstRange], int(d.rangeCount));
        ++renderer.view.stats.meshDraws;
    }
    for (const SectionRanges& d : renderer.view.draws) {
        if (d.torchRangeCount == 0) continue;
        plat::drawMesh(d.section->mesh, plat::LitPass::AlphaTested,
                       &renderer.view.ranges[d.firstTorchRange], int(d.torchRangeCount));
        ++renderer.view.stats.meshDraws;
    }
    renderer.view.stats.sectionsDrawn = int(renderer.view.draws.size());
}

void drawGlass(RenderState& renderer, const LightBox& b) {
    renderer.view.glass.clear();
    const Vec3 eye = renderer.view.eye;
    for (uint32_t i = 0; i < renderer.view.glassList.size(); ++i) {
        const SectionBlock& k =
            renderer.view.glassList[i].section->blocks[renderer.view.glassList[i].block];
        renderer.view.glass.push_back(
            {glassKey(glassDistance(eye, k.x, k.y, k.z), walkIndex(b, k.x, k.y, k.z)), i});
    }
    if (renderer.view.glass.empty()) return;
    sortGlassForDrawing(renderer.view.glass);
    renderer.view.glassQuads.clear();
    for (const GlassEntry& e : renderer.view.glass) {
        const GlassItem& item = renderer.view.glassList[e.item];
        const SectionBlock& k = item.section->blocks[item.block];
        const plat::LitVertex* first = &item.section->glass[size_t(k.firstQuad) * 4];
        renderer.view.glassQuads.insert(renderer.view.glassQuads.end(), first,
                                        first + size_t(k.faces) * 4);
    }
    plat::drawLitQuads(plat::LitPass::Blended, renderer.view.glassQuads.data(),
                       int(renderer.view.glassQuads.size() / 4));
    renderer.view.stats.glassBlocks = int(renderer.view.glass.size());
}

bool exposedCell(const World& world, int x, int y, int z) {
    for (int face = 0; face < kFaceCount; ++face) {
        const int nx = x + kFaceDx[face], ny = y + kFaceDy[face], nz = z + kFaceDz[face];
        if (!inWorld(nx, ny, nz) || isSeeThrough(cell(world, nx, ny, nz).type)) return true;
    }
    return false;
}

// The target is the drawn block holding the lowest-numbered ray sample; when
// several hold it, the one drawn first: solid blocks in walk order, then glass
// far to near.
void pickTarget(RenderState& renderer, const World& world, Picking& pick, const LightBox& b) {
    const Vec3 eye = pick.eye;
    for (int i = 0; i < kRaySamples; ++i) {
        const Vec3 s = pick.raySamples[i];
        bool found = false, foundGlass = false;
        int best[3] = {0, 0, 0};
        uint64_t bestKey = 0;
        const int fx = int(std::floor(s.x)), fy = int(std::floor(s.y)), fz = int(std::floor(s.z));
        for (int x = fx - 1; x <= fx + 1; ++x)
            for (int y = fy - 1; y <= fy + 1; ++y)
                for (int z = fz - 1; z <= fz + 1; ++z) {
                    if (!samplePicksCell(world, s, x, y, z)) continue;
                    if (!b.inCube(x, y, z) || !withinPickReach(eye, x, y, z) ||
                        !exposedCell(world, x, y, z) || !blockInFrustum(renderer, x, y, z))
                        continue;
                    const bool glass = cell(world, x, y, z).type == block::Glass;
                    const uint64_t key =
                        glass ? glassKey(glassDistance(eye, x, y, z), walkIndex(b, x, y, z)) : 0;
                    bool better;
                    if (!found)
                        better = true;
                    else if (glass != foundGlass)
                        better = !glass;
                    else if (glass)
                        better = key > bestKey;
                    else
                        better = std::tie(x, y, z) < std::tie(best[0], best[1], best[2]);
                    if (!better) continue;
                    found = true, foundGlass = glass, bestKey = key;
                    best[0] = x, best[1] = y, best[2] = z;
                }
        if (found) {
            setPickedBlock(pick, best[0], best[1], best[2], i);
            return;
        }
    }
}

// The frame's light: the table of shades for the day's brightness, the sky's
// level, and every section the cube reaches built and lit for this frame's
// light box (rebuilt where cells, or torches near the box's edge, changed).
void computeLightMap(RenderState& renderer, World& world) {
    const float luminance = TimeLuminance(world);
    if (luminance != renderer.view.tableLuminance) {
        buildLightTable(luminance, renderer.view.table);
        plat::setLightTable(renderer.view.table);
        renderer.view.tableLuminance = luminance;
    }
    plat::setSkyLevel(skyStartLevel(luminance));
    if (!world.cells) return;
    syncSections(renderer, world, renderer.view.box);
    const SectionSpan needed = cubeSections(renderer.view.box, 0);
    if (!renderer.view.box.lit() || needed.empty()) return;
    // Nothing marked stale, nothing forgotten, the same box, and everything
    // around it built by the last pass: this pass would find nothing to do.
    ViewState& v = renderer.view;
    if (v.settled && v.settledBox == v.box && v.settledMarks == renderer.sections.staleMarks)
        return;
    // Everything the standard cube reaches is built before it can be seen,
    // so that standard views are whole from their first frame.
    const LightBox& b = v.box;
    const SectionSpan standard =
        cubeSections(LightBox{b.cx, b.cy, b.cz, std::min(b.radius, viewRadius(4))}, 0);
    for (int sx = standard.lo[0]; sx <= standard.hi[0]; ++sx)
        for (int sy = standard.lo[1]; sy <= standard.hi[1]; ++sy)
            for (int sz = standard.lo[2]; sz <= standard.hi[2]; ++sz)
                v.stats.sectionsBuilt += ensureSection(renderer, world, sx, sy, sz, b) ? 1 : 0;
    // A far view's cube past it fills in a budget's worth a frame; the walk
    // leaves out what is not built yet, or stale, until it is.
    if (b.radius > viewRadius(4)) {
        v.stats.builtFar =
            buildNearestFirst(renderer, world, b, needed, kFillBudget, &v.stats.farLeft, kFillTime);
        v.stats.sectionsBuilt += v.stats.builtFar;
    }
    if (v.stats.farLeft == 0) {
        v.stats.builtAhead = buildNearestFirst(renderer, world, b, cubeSections(b, kAheadSections),
                                               kAheadBudget, nullptr);
        v.stats.sectionsBuilt += v.stats.builtAhead;
    }
    const SectionSpan kept = cubeSections(renderer.view.box, kKeptSections);
    dropSectionsOutside(renderer, kept.lo[0], kept.lo[1], kept.lo[2], kept.hi[0], kept.hi[1],
                        kept.hi[2]);
    v.settled = v.stats.sectionsBuilt == 0 && v.stats.farLeft == 0;
    v.settledBox = v.box;
    v.settledMarks = renderer.sections.staleMarks;
}

// Every section the cube reaches: counted, culled, its solid faces and
// torches drawn near to far, then the glass far to near.
void drawVisibleBlocks(RenderState& renderer) {
    renderer.view.draws.clear();
    renderer.view.ranges.clear();
    renderer.view.glassList.clear();
    const LightBox& b = renderer.view.box;
    plat::setCellBox({std::max(b.cx - b.radius, 0), std::max(b.cy - b.radius, 0),
                      std::max(b.cz - b.radius, 0), std::min(b.cx + b.radius, kWorldSizeX - 1),
                      std::min(b.cy + b.radius, kWorldSizeY - 1),
                      std::min(b.cz + b.radius, kWorldSizeZ - 1)});
    const SectionSpan span = cubeSections(b, 0);
    if (!span.empty())
        for (int sx = span.lo[0]; sx <= span.hi[0]; ++sx)
            for (int sy = span.lo[1]; sy <= span.hi[1]; ++sy)
                for (int sz = span.lo[2]; sz <= span.hi[2]; ++sz)
                    if (const Section* s = showingSectionAt(renderer, sx, sy, sz); s && !s->dirty)
                        walkSection(renderer, s, b);
    drawSections(renderer);
    drawGlass(renderer, b);
}

}  // namespace

void prepareWorldView(RenderState& renderer, World& world, const Options& options,
                      const Settings& settings, const Player& player) {
    renderer.view.stats = WorldViewStats{};
    renderer.view.eye = player.Position;
    updateCamera(renderer, world, options, settings, player);
    buildDrawPlanes(renderer);
    renderer.view.box = lightBoxAt(player.Position, viewRadius(options, settings));
    computeLightMap(renderer, world);
}

int buildViewAhead(RenderState& renderer, World& world, const Options& options,
                   const Settings& settings, const Player& player, int budget) {
    if (!world.cells) return 0;
    const LightBox b = lightBoxAt(player.Position, viewRadius(options, settings));
    syncSections(renderer, world, b);
    const SectionSpan standard =
        cubeSections(LightBox{b.cx, b.cy, b.cz, std::min(b.radius, viewRadius(4))}, 0);
    int left = 0;
    buildNearestFirst(renderer, world, b, standard, budget, &left);
    return left;
}

Picking aimAtWorld(RenderState& renderer, const World& world, const Player& player) {
    Picking pick = startPicking(player);
    if (world.cells && renderer.view.box.lit())
        pickTarget(renderer, world, pick, renderer.view.box);
    choosePlacementSide(world, pick);
    return pick;
}

void drawWorldView(RenderState& renderer, const World& world, const Play& play) {
    plat::setFaceCulling(true);
    if (world.cells && renderer.view.box.lit()) drawVisibleBlocks(renderer);
    if (hasTarget(play.target)) {
        drawTargetOutline(renderer, world, play.target);
        drawDigCracks(renderer, world, play.target, play.dig, play.controls.selectedSlot);
    }
    plat::setFaceCulling(false);
}

const WorldViewStats& worldViewStats(const RenderState& renderer) {
    return renderer.view.stats;
}

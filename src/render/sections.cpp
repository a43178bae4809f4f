#include "render/sections.h"

#include <algorithm>

#include "render/block_faces.h"
#include "render/light_rules.h"
#include "render/render_state.h"
#include "world/block_types.h"
#include "world/cell_changes.h"

namespace {

size_t slot(int sx, int sy, int sz) {
    return (size_t(sx) * kSectionsY + size_t(sy)) * kSectionsZ + size_t(sz);
}

void makeReady(RenderState& renderer) {
    if (renderer.sections.ready) return;
    renderer.sections.table.clear();
    renderer.sections.table.resize(size_t(kSectionsX) * kSectionsY * kSectionsZ);
    renderer.sections.showing.assign(renderer.sections.table.size(), 0);
    renderer.sections.built.clear();
    renderer.sections.ready = true;
}

void release(Section& s) {
    if (s.mesh) plat::destroyMesh(s.mesh);
    s.mesh = 0;
}

void forgetAll(RenderState& renderer) {
    for (Section* s : renderer.sections.built) release(*s);
    for (auto& entry : renderer.sections.table) entry.reset();
    std::fill(renderer.sections.showing.begin(), renderer.sections.showing.end(), uint8_t(0));
    renderer.sections.built.clear();
    ++renderer.sections.staleMarks;
}

void markDirty(RenderState& renderer, int sx, int sy, int sz) {
    if (!sectionInWorld(sx, sy, sz)) return;
    if (Section* s = renderer.sections.table[slot(sx, sy, sz)].get()) {
        s->dirty = true;
        ++renderer.sections.staleMarks;
    }
}

// Every section holding a cell of the box around (x, y, z) reaching `reach`.
void markAround(RenderState& renderer, int x, int y, int z, int reach) {
    for (int sx = sectionOf(std::max(x - reach, 0)); sx <= sectionOf(std::max(x + reach, 0)); ++sx)
        for (int sy = sectionOf(std::max(y - reach, 0)); sy <= sectionOf(std::max(y + reach, 0));
             ++sy)
            for (int sz = sectionOf(std::max(z - reach, 0));
                 sz <= sectionOf(std::max(z + reach, 0)); ++sz)
                markDirty(renderer, sx, sy, sz);
}

// Faces read the light of the cells next to them: a light cell's change
// reaches the sections of its six neighbours.
void markLightCell(RenderState& renderer, int x, int y, int z) {
    markAround(renderer, x, y, z, 1);
}

// A change of what a cell takes from the sky changes the light below it, down
// to where the light is used up before and after. `changes` changes in this
// column can move the count by at most 30 each.
void markColumnBelow(RenderState& renderer, const World& world, int x, int yTop, int z,
                     int changes) {
    const int limit = kBlockedAbsorption + 30 * changes;
    int absorbed = 0;
    for (int y = kWorldSizeY - 1; y >= yTop; --y) absorbed += absorption(cell(world, x, y, z).type);
    for (int y = yTop - 1; y >= 0 && absorbed < limit; --y) {
        const uint8_t type = cell(world, x, y, z).type;
        if (isSeeThrough(type)) markLightCell(renderer, x, y, z);
        absorbed += absorption(type);
    }
}

void applyChanges(RenderState& renderer, World& world) {
    std::vector<CellChange>& changes = renderer.sections.changes;
    takeCellChanges(world, changes);
    if (changes.empty()) return;
    // Columns whose sky light may change, with how many changes each had.
    struct Column {
        int x, z, top, count;
    };
    std::vector<Column> columns;
    for (const CellChange& c : changes) {
        if (!inWorld(c.x, c.y, c.z)) continue;
        const Cell now = cell(world, c.x, c.y, c.z);
        markLightCell(renderer, c.x, c.y, c.z);  // its own faces and its neighbours'
        const bool torch =
            !c.beforeKnown || c.before.type == block::Torch || now.type == block::Torch;
        if (torch) markAround(renderer, c.x, c.y, c.z, 1 + kTorchReach);
        const bool sky = !c.beforeKnown || absorption(c.before.type) != absorption(now.type);
        if (!sky) continue;
        auto it = std::find_if(columns.begin(), columns.end(),
                               [&](const Column& k) { return k.x == c.x && k.z == c.z; });
        if (it == columns.end())
            columns.push_back({c.x, c.z, c.y, 1});
        else
            it->top = std::max(it->top, int(c.y)), ++it->count;
    }
    for (const Column& k : columns) markColumnBelow(renderer, world, k.x, k.top, k.z, k.count);
}

}  // namespace

Section* sectionAt(RenderState& renderer, int sx, int sy, int sz) {
    if (!renderer.sections.ready || !sectionInWorld(sx, sy, sz)) return nullptr;
    Section* s = renderer.sections.table[slot(sx, sy, sz)].get();
    return s && s->built ? s : nullptr;
}

void syncSections(RenderState& renderer, World& world, const LightBox& box) {
    makeReady(renderer);
    if (renderer.sections.worldEpoch != worldEpoch(world)) {
        forgetAll(renderer);
        renderer.sections.worldEpoch = worldEpoch(world);
        std::vector<CellChange> dropped;
        takeCellChanges(world, dropped);  // all in the past of a world already forgotten
    }
    if (!world.cells) return;
    applyChanges(renderer, world);
    // Torches near the edge of the light box start or stop shining as it
    // moves; sections built since the last look were lit for this box.
    if (renderer.sections.torchesSeenFor == box) return;
    renderer.sections.torchesSeenFor = box;
    for (Section* s : renderer.sections.built) {
        if (s->dirty) continue;
        for (const TorchRef& t : s->torches)
            if (box.torchShines(t.x, t.y, t.z) != t.shining) {
                s->dirty = true;
                ++renderer.sections.staleMarks;
                break;
            }
    }
}

bool ensureSection(RenderState& renderer, const World& world, int sx, int sy, int sz,
                   const LightBox& box) {
    makeReady(renderer);
    if (!sectionInWorld(sx, sy, sz) || !world.cells) return false;
    std::unique_ptr<Section>& entry = renderer.sections.table[slot(sx, sy, sz)];
    if (entry && entry->built && !entry->dirty) return false;
    if (!entry) {
        entry = std::make_unique<Section>();
        entry->sx = sx, entry->sy = sy, entry->sz = sz;
        renderer.sections.built.push_back(entry.get());
    }
    buildSection(renderer, world, *entry, box);
    renderer.sections.showing[slot(sx, sy, sz)] = entry->blocks.empty() ? 0 : 1;
    return true;
}

const Section* showingSectionAt(const RenderState& renderer, int sx, int sy, int sz) {
    if (!renderer.sections.ready || !sectionInWorld(sx, sy, sz)) return nullptr;
    const size_t at = slot(sx, sy, sz);
    return renderer.sections.showing[at] ? renderer.sections.table[at].get() : nullptr;
}

void dropSectionsOutside(RenderState& renderer, int sx0, int sy0, int sz0, int sx1, int sy1,
                         int sz1) {
    auto& built = renderer.sections.built;
    for (size_t i = 0; i < built.size();) {
        Section* s = built[i];
        if (s->sx >= sx0 && s->sx <= sx1 && s->sy >= sy0 && s->sy <= sy1 && s->sz >= sz0 &&
            s->sz <= sz1) {
            ++i;
            continue;
        }
        release(*s);
        built[i] = built.back();
        built.pop_back();
        renderer.sections.showing[slot(s->sx, s->sy, s->sz)] = 0;
        renderer.sections.table[slot(s->sx, s->sy, s->sz)].reset();
    }
}

const std::vector<Section*>& builtSections(const RenderState& renderer) {
    return renderer.sections.built;
}

size_t cachedGeometryBytes(const RenderState& renderer) {
    size_t bytes = 0;
    for (const Section* s : renderer.sections.built) {
        // The mesh lives on the device (in system memory under a software driver).
        const uint32_t quads = s->solidQuads + s->torchQuads + spanCount(*s);
        bytes += sizeof(Section) + size_t(quads) * 4 * sizeof(plat::LitVertex);
        bytes += s->glass.capacity() * sizeof(plat::LitVertex);
        bytes += s->blocks.capacity() * sizeof(SectionBlock);
        bytes += s->torches.capacity() * sizeof(TorchRef);
    }
    return bytes + renderer.sections.table.capacity() * sizeof(std::unique_ptr<Section>) +
           renderer.sections.showing.capacity();
}

// The world as a Playing frame shows it: the cube of cells around the player,
// every exposed block in it that the culling frustum keeps, drawn face by face
// from geometry cached in sections; glass last, far to near; then the
// target's outline and dig cracks. Before the frame is drawn it picks the
// target from the crosshair's ray and the side a block would go on.
#pragma once

#include <cstdint>
#include <vector>

#include "game/play.h"
#include "platform/platform.h"
#include "render/glass_order.h"
#include "render/light_box.h"
#include "render/matrix.h"
#include "render/picking.h"
#include "render/sections.h"

struct RenderState;  // render_state.h

// What the last frame did, for tests and measurements.
struct WorldViewStats {
    int sectionsBuilt = 0;  // built or rebuilt in prepareWorldView, ahead included
    int builtAhead = 0;     // of which ahead of the cube
    int builtFar = 0;       // of which in a far view's cube, past the standard one
    int farLeft = 0;        // sections of the far view's cube still to build after the frame
    int sectionsDrawn = 0;  // sections with a mesh sent to the device
    int meshDraws = 0;
    int glassBlocks = 0;   // glass blocks drawn, in their far-to-near order
    int hiddenBlocks = 0;  // cube blocks the culling frustum rejects that the device might show
};

// One section's part of the frame: its ranges of quads, and how far it is.
struct SectionRanges {
    const Section* section;
    float distance;
    uint32_t firstRange, rangeCount;  // solid ranges in `ranges`
    uint32_t firstTorchRange, torchRangeCount;
    bool spans;  // the solid ranges are of the section's spans
};

// A glass block to draw after everything else.
struct GlassItem {
    const Section* section;
    uint32_t block;
};

// The frame's light box and the lists its drawing fills, kept between frames
// so that they keep their room.
struct ViewState {
    Vec3 eye{};  // the player's eye the frame was prepared for
    LightBox box;
    float tableLuminance = -1.0f;
    plat::LightTable table{};
    Plane drawPlanes[6] = {};
    std::vector<SectionRanges> draws;
    std::vector<plat::QuadRange> ranges;
    std::vector<GlassItem> glassList;
    std::vector<uint32_t> cutSolid, cutQuads;
    std::vector<GlassEntry> glass;
    std::vector<plat::LitVertex> glassQuads;
    std::vector<int> aheadOrder;  // section offsets by distance, packed
    // The box and change count of the last pass over the sections, and
    // whether it found everything built.
    bool settled = false;
    LightBox settledBox;
    uint64_t settledMarks = 0;
    WorldViewStats stats;
    // For tools that compare pictures: faces everywhere, spans never drawn.
    bool facesOnly = false;
};

// Before the scene: the camera, the light of the frame, and the sections the
// view needs built (those the standard cube reaches at once; a far view's past
// it, nearest first, and then the ones around the cube, as the frame's budget
// allows).
void prepareWorldView(RenderState& renderer, World& world, const Options& options,
                      const Settings& settings, const Player& player);
// Builds, nearest first, about `budget` sections' worth of what the first frame
// at the player's eye needs at once (the standard cube), exactly as that frame
// would build them; the count still to build. A world's loading ends with
// this, a slice at a time, so that play's first frame is whole and quick.
int buildViewAhead(RenderState& renderer, World& world, const Options& options,
                   const Settings& settings, const Player& player, int budget);
// After prepareWorldView: the drawn block under the crosshair and the side a
// placed block would go on (the picking's target), with the samples that found it.
Picking aimAtWorld(RenderState& renderer, const World& world, const Player& player);
// Inside the scene, after the clear: the world passes and the target marks.
// Leaves face culling off for what follows.
void drawWorldView(RenderState& renderer, const World& world, const Play& play);

const WorldViewStats& worldViewStats(const RenderState& renderer);

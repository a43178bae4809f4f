#include "render/reference/reference_drawer.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "app/game_state.h"
#include "game/digging.h"
#include "game/player.h"
#include "game/target.h"
#include "game/time_of_day.h"
#include "platform/platform.h"
#include "render/block_faces.h"
#include "render/camera.h"
#include "render/light_rules.h"
#include "render/marks.h"
#include "render/matrix.h"
#include "render/picking.h"
#include "render/polygons.h"
#include "render/reference/reference_light.h"
#include "render/render_state.h"
#include "world/world.h"

namespace reference {
namespace {

constexpr float kPi = 3.14159265358979f;

struct GlassEntry {
    int16_t x, y, z;
    uint8_t xIndex, zIndex;
};

// The drawing state the block routine keeps between calls.
struct Drawer {
    int16_t lastBoundType = -1;
    uint8_t lastBoundAux = 0;
    bool torchGeometryBound = false;
    Model stream = Model::FaceQuad;
    int boundTexture = -1;
    float materialAlpha = 0.0f;
    plat::LitPass pass = plat::LitPass::AlphaTested;
    // The current block.
    int x = 0, y = 0, z = 0, xIndex = 0, zIndex = 0;
    Picking pick;  // the frame's ray, tested block by block as they are drawn
    std::vector<GlassEntry> glassList;
    std::vector<float> glassDistances;
    plat::LightTable table{};
};

Drawer& drawer() {
    static Drawer d;
    return d;
}

bool seeThrough(uint8_t t) {
    return t == 0 || t == 24 || t == 73;
}

plat::Matrix faceR(int face) {
    switch (face) {
        case 1:
            return rotationX(kPi);
        case 2:
            return multiply(rotationY(kPi), rotationX(kPi / 2.0f));
        case 3:
            return multiply(rotationY(kPi / 2.0f), rotationZ(kPi / 2.0f));
        case 4:
            return multiply(rotationY(3.0f * kPi / 2.0f), rotationZ(-kPi / 2.0f));
        case 5:
            return rotationX(-kPi / 2.0f);
        default:
            return identityMatrix();
    }
}

plat::Matrix torchR(int face) {
    switch (face) {
        case 2:
            return rotationY(kPi);
        case 3:
            return rotationY(-kPi / 2.0f);
        case 4:
            return rotationY(kPi / 2.0f);
        default:
            return identityMatrix();
    }
}

void torchMount(uint8_t aux, int x, int y, int z, plat::Matrix& q, plat::Matrix& t) {
    switch (aux) {
        case 1:
            q = rotationX(-kPi / 4.0f), t = translation(float(x), float(y), float(z) + 0.1875f);
            break;
        case 2:
            q = rotationZ(-kPi / 4.0f), t = translation(float(x) - 0.1875f, float(y), float(z));
            break;
        case 3:
            q = rotationZ(kPi / 4.0f), t = translation(float(x) + 0.1875f, float(y), float(z));
            break;
        case 4:
            q = rotationX(kPi / 4.0f), t = translation(float(x), float(y), float(z) - 0.1875f);
            break;
        default:
            q = identityMatrix(), t = translation(float(x), float(y), float(z));
            break;
    }
}

// One face, one draw call: the bound texture on the bound quad, lit by level
// `level` of row `row`.
void drawFace(const plat::Matrix& world, int row, int level) {
    Drawer& d = drawer();
    WorldCorner corners[4];
    placeQuad(d.stream, world, corners);
    plat::LitVertex v[4];
    const uint8_t alpha = uint8_t(std::lround(d.materialAlpha * 255.0f));
    for (int k = 0; k < 4; ++k)
        v[k] = {corners[k].p.x,
                corners[k].p.y,
                corners[k].p.z,
                plat::packCell(d.x, d.y, d.z),
                uint8_t(corners[k].u),
                uint8_t(corners[k].v),
                uint8_t(d.boundTexture),
                uint8_t(row),
                255,
                uint8_t(level),
                alpha,
                0};
    plat::drawLitQuads(d.pass, v, 1);
    addPolygons(game.renderer, 2);
}

void drawBlock() {
    Drawer& d = drawer();
    const Cell c = cell(game.world, d.x, d.y, d.z);
    const uint8_t type = c.type, aux = c.aux;
    // 1. Frame and torch bookkeeping.
    if (d.lastBoundType == -1) {
        d.materialAlpha = 0.0f;
        d.torchGeometryBound = false;
    } else if (d.torchGeometryBound && type != 24) {
        d.stream = Model::FaceQuad;
        d.torchGeometryBound = false;
    }
    if (type == 24 && !d.torchGeometryBound) d.torchGeometryBound = true;
    // 3. Textures, through the cache.
    const BlockTextures table = blockTextures(type, aux);
    const bool always = type == 2 || type == 5 || type == 24 || type == 26 || type == 27 ||
                        type == 41 || (type >= 67 && type <= 70);
    if (always || d.lastBoundType == -1 || d.lastBoundType != type) {
        if (!(type == 2 && d.lastBoundType == 2 && d.lastBoundAux == 0 && aux == 0))
            d.boundTexture = table.first;
        if (type == 24) d.stream = Model::TorchCap;
        if (type == 73) d.materialAlpha = 0.25f;
        d.lastBoundType = type;
        d.lastBoundAux = aux;
    }
    // 4. Picking.
    pickTestBlock(game.world, d.pick, d.x, d.y, d.z);
    // 5. Placement.
    const plat::Matrix T = translation(float(d.x), float(d.y), float(d.z));
    const plat::Matrix S = rotationY(0.0f);
    plat::Matrix Q, Tt;
    torchMount(aux, d.x, d.y, d.z, Q, Tt);
    // 6. The faces.
    bool frontWasBound = false;
    for (int face = 0; face < 6; ++face) {
        if (face == 1 && table.top >= 0) d.boundTexture = table.top;
        if (face == 2 && table.sides >= 0) {
            d.boundTexture = table.sides;
            if (type == 24) d.stream = Model::TorchSide;
        }
        if (face >= 2) {
            if (frontWasBound) d.boundTexture = table.sides;
            frontWasBound = face == table.frontFace;
            if (frontWasBound) d.boundTexture = table.front;
        }
        const int nx = d.x + kFaceDx[face], ny = d.y + kFaceDy[face], nz = d.z + kFaceDz[face];
        const bool outside = nx < 0 || nx > 999 || ny < 0 || ny > 199 || nz < 0 || nz > 999;
        if (type == 24) {
            if (face == 0) continue;
            const int level = lightAt(d.xIndex, d.y, d.zIndex);
            drawFace(multiply(multiply(torchR(face), Q), Tt), face, level);
            continue;
        }
        if (!outside) {
            const uint8_t n = cell(game.world, nx, ny, nz).type;
            if (!(n == 0 || n == 24 || (n == 73 && type != 73))) continue;
        }
        const plat::Matrix world = multiply(multiply(faceR(face), S), T);
        if (outside)
            drawFace(world, edgeRow(face), 0);
        else
            drawFace(world, face, lightAt(d.xIndex + kFaceDx[face], ny, d.zIndex + kFaceDz[face]));
    }
}

void sortGlassList() {
    Drawer& d = drawer();
    const size_t n = d.glassList.size();
    d.glassDistances.resize(n);
    const Vec3 p = game.play.player.Position;
    for (size_t i = 0; i < n; ++i) {
        const GlassEntry& g = d.glassList[i];
        const float dx = p.x - float(g.x), dy = p.y - float(g.y), dz = p.z - float(g.z);
        const float across = float(std::sqrt(double(dx * dx + dy * dy)));
        d.glassDistances[i] = float(std::sqrt(double(across * across + dz * dz)));
    }
    for (size_t last = n; last-- > 0;)
        for (size_t j = 0; j < last; ++j)
            if (d.glassDistances[j] > d.glassDistances[j + 1]) {
                std::swap(d.glassDistances[j], d.glassDistances[j + 1]);
                std::swap(d.glassList[j], d.glassList[j + 1]);
            }
}

void drawVisibleBlocks() {
    Drawer& d = drawer();
    // The frame binds the face square before the first block.
    d.stream = Model::FaceQuad;
    d.lastBoundType = -1;
    d.glassList.clear();
    d.pass = plat::LitPass::AlphaTested;
    const int R = int(game.renderer.camera.farDistance);
    const int cx = int(game.play.player.Position.x), cy = int(game.play.player.Position.y),
              cz = int(game.play.player.Position.z);
    int xIndex = 0;
    for (int x = cx - R; x <= cx + R; ++x, ++xIndex)
        for (int y = cy - R; y <= cy + R; ++y) {
            int zIndex = 0;
            for (int z = cz - R; z <= cz + R; ++z, ++zIndex) {
                if (x < 0 || x > 999 || y < 0 || y > 199 || z < 0 || z > 999) continue;
                const uint8_t type = cell(game.world, x, y, z).type;
                if (type == 0) continue;
                const bool exposed =
                    x + 1 > 999 || seeThrough(cell(game.world, x + 1, y, z).type) || x - 1 < 0 ||
                    seeThrough(cell(game.world, x - 1, y, z).type) || y + 1 > 199 ||
                    seeThrough(cell(game.world, x, y + 1, z).type) || y - 1 < 0 ||
                    seeThrough(cell(game.world, x, y - 1, z).type) || z + 1 > 999 ||
                    seeThrough(cell(game.world, x, y, z + 1).type) || z - 1 < 0 ||
                    seeThrough(cell(game.world, x, y, z - 1).type);
                if (!exposed || !blockInFrustum(game.renderer, x, y, z)) continue;
                if (type == 73) {
                    d.glassList.push_back(
                        {int16_t(x), int16_t(y), int16_t(z), uint8_t(xIndex), uint8_t(zIndex)});
                    continue;
                }
                d.x = x, d.y = y, d.z = z, d.xIndex = xIndex, d.zIndex = zIndex;
                drawBlock();
            }
        }
    if (d.glassList.empty()) return;
    sortGlassList();
    d.pass = plat::LitPass::Blended;
    for (size_t i = d.glassList.size(); i-- > 0;) {
        const GlassEntry& g = d.glassList[i];
        d.x = g.x, d.y = g.y, d.z = g.z, d.xIndex = g.xIndex, d.zIndex = g.zIndex;
        drawBlock();
    }
    d.pass = plat::LitPass::AlphaTested;
}

}  // namespace

void prepareFrame() {
    updateCamera(game.renderer, game.world, game.options, game.settings, game.play.player);
    computeLightMap();
    Drawer& d = drawer();
    d.pick = startPicking(game.play.player);
    buildLightTable(TimeLuminance(game.world), d.table);
    plat::setLightTable(d.table);
    plat::setSkyLevel(0);
}

void drawFrame() {
    plat::setFaceCulling(true);
    plat::setCellBox({0, 0, 0, kWorldSizeX - 1, kWorldSizeY - 1, kWorldSizeZ - 1});
    Play& play = game.play;
    if (game.world.cells &&
        int(play.player.Position.y) - int(game.renderer.camera.farDistance) <= 199)
        drawVisibleBlocks();
    Drawer& d = drawer();
    choosePlacementSide(game.world, d.pick);
    play.target = d.pick.target;
    if (hasTarget(play.target)) {
        drawTargetOutline(game.renderer, game.world, play.target);
        // The crack step stops a dig that no longer aims at what it started on.
        abandonStaleDig(game.world, play.dig, play.target, play.controls.selectedSlot);
        drawDigCracks(game.renderer, game.world, play.target, play.dig, play.controls.selectedSlot);
    }
    plat::setFaceCulling(false);
}

void resetDrawer() {
    drawer() = Drawer{};
    resetLightMap();
}

}  // namespace reference

#include "render/marks.h"

#include "platform/platform.h"
#include "render/block_faces.h"
#include "render/matrix.h"
#include "render/polygons.h"
#include "world/block_types.h"
#include "world/world.h"

namespace {

constexpr int kOutlineTexture = 103;
constexpr int kFirstCrackTexture = 30;
constexpr uint32_t kMarkColour = 0xFFFFFFFF;  // white: the texels as they are

// A face of the target is open towards the world's edge, air or a torch;
// glass does not open it.
bool faceOpen(const World& world, int x, int y, int z, int face) {
    const int nx = x + kFaceDx[face], ny = y + kFaceDy[face], nz = z + kFaceDz[face];
    if (!inWorld(nx, ny, nz)) return true;
    const uint8_t type = cell(world, nx, ny, nz).type;
    return type == block::Air || type == block::Torch;
}

void drawMarkFace(RenderState& renderer, int texture, plat::Blend blend,
                  const plat::Matrix& transform) {
    WorldCorner corners[4];
    placeQuad(Model::FaceQuad, transform, corners);
    plat::Vertex v[4];
    for (int k = 0; k < 4; ++k)
        v[k] = {corners[k].p.x, corners[k].p.y, corners[k].p.z,
                corners[k].u,   corners[k].v,   kMarkColour};
    plat::drawQuads(texture, blend, v, 1);
    addPolygons(renderer, 2);
}

}  // namespace

void drawTargetOutline(RenderState& renderer, const World& world, const Target& aim) {
    if (!hasTarget(aim) || !world.cells) return;
    const Vec3 t = aim.targetBlock;
    const int x = int(t.x), y = int(t.y), z = int(t.z);
    if (!inWorld(x, y, z)) return;
    const bool torch = cell(world, x, y, z).type == block::Torch;
    const float k = torch ? 0.5f : 1.0f;
    plat::setWireframe(true);
    for (int face = 0; face < kFaceCount; ++face) {
        if (!torch && !faceOpen(world, x, y, z, face)) continue;
        const plat::Matrix transform = multiply(multiply(faceRotation(face), scaling(k, k, k)),
                                                translation(float(x), float(y), float(z)));
        drawMarkFace(renderer, kOutlineTexture, plat::Blend::Opaque, transform);
    }
    plat::setWireframe(false);
}

void drawDigCracks(RenderState& renderer, const World& world, const Target& aim,
                   const DigState& dig, uint8_t selectedSlot) {
    if (!dig.digging || !hasTarget(aim) || !world.cells) return;
    const Vec3 t = aim.targetBlock;
    const int x = int(t.x), y = int(t.y), z = int(t.z);
    if (!inWorld(x, y, z)) return;
    const uint8_t type = cell(world, x, y, z).type;
    // A dig that no longer matches what it aims at is stopped before the
    // frame is drawn; one that slipped through shows nothing.
    if (!(dig.block == t) || dig.slot != selectedSlot || dig.type != type) return;
    if (type == block::Torch) return;
    const int texture = kFirstCrackTexture + dig.crackStage;
    if (texture >= plat::kTextureCount) return;  // no picture for a stage that far
    for (int face = 0; face < kFaceCount; ++face) {
        if (!faceOpen(world, x, y, z, face)) continue;
        const plat::Matrix transform =
            multiply(faceRotation(face), translation(float(x), float(y), float(z)));
        drawMarkFace(renderer, texture, plat::Blend::Minimum, transform);
    }
}

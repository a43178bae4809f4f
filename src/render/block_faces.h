// The rules every drawer of blocks shares: which faces a block shows, their
// order and directions, the textures by block type and aux byte, the small
// quads the faces are made from and the transforms that place them, torches
// included. Pure functions and fixed tables; nothing here draws.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "world/geometry.h"

// Faces in drawing order.
enum Face : uint8_t { kBottom, kTop, kMinusZ, kPlusX, kMinusX, kPlusZ };
inline constexpr int kFaceCount = 6;
inline constexpr int kFaceDx[kFaceCount] = {0, 0, 0, 1, -1, 0};
inline constexpr int kFaceDy[kFaceCount] = {-1, 1, 0, 0, 0, 0};
inline constexpr int kFaceDz[kFaceCount] = {0, 0, -1, 0, 0, 1};
// How much light each direction keeps: the fixed shading that tells faces apart.
inline constexpr float kFaceFactor[kFaceCount] = {0.5f, 1.0f, 0.6f, 0.7f, 0.8f, 0.9f};

// Air, torches and glass let light and sight through: a block next to one can be seen.
inline bool isSeeThrough(uint8_t type) {
    return type == 0 || type == 24 || type == 73;
}

// Whether a face of a block that is not a torch is drawn: towards the world's
// edge, air or a torch always; towards glass only when the block is not glass.
inline bool faceShows(uint8_t type, bool neighbourInWorld, uint8_t neighbourType) {
    if (!neighbourInWorld || neighbourType == 0 || neighbourType == 24) return true;
    return neighbourType == 73 && type != 73;
}

// The texture columns of a block: `first` serves the bottom (and any face
// without a texture of its own), `top` the top, `sides` the four sides, and
// `front` replaces the side texture on one face. -1 = none.
struct BlockTextures {
    int16_t first;
    int16_t top = -1;
    int16_t sides = -1;
    int8_t frontFace = -1;
    int16_t front = -1;
};
inline constexpr int kFallbackTexture = 103;  // any type the table does not know
inline constexpr int kTorchCapTexture = 102;
inline constexpr int kTorchSideTexture = 101;
BlockTextures blockTextures(uint8_t type, uint8_t aux);
// The texture face `face` ends up with.
int faceTexture(uint8_t type, uint8_t aux, int face);
// Types whose textures are bound again for every block even when the block
// before had the same type: they change texture between faces or by aux.
bool texturesBoundPerBlock(uint8_t type);

// The three small quads faces are drawn from, each of four corners
// (position, texture corner) in the order the drawing's triangles use them.
enum class Model : uint8_t { FaceQuad, TorchSide, TorchCap };
struct ModelCorner {
    Vec3 p;
    float u, v;
};
const ModelCorner* modelCorners(Model model);  // 4 corners: 0-1-2 and 0-2-3

// Where face `face` of an ordinary block at (x, y, z) goes: its rotation, then
// the block's placement. A torch has its own rotations, tilt and offset.
plat::Matrix faceRotation(int face);
plat::Matrix blockFaceTransform(int face, int x, int y, int z);
plat::Matrix torchFaceRotation(int face);
plat::Matrix torchTilt(uint8_t aux);
plat::Matrix torchPlacement(uint8_t aux, int x, int y, int z);
plat::Matrix torchFaceTransform(int face, uint8_t aux, int x, int y, int z);

// The four world corners of a model quad under a transform.
struct WorldCorner {
    Vec3 p;
    float u, v;
};
void placeQuad(Model model, const plat::Matrix& world, WorldCorner out[4]);

#include "render/block_faces.h"

#include "render/matrix.h"
#include "world/block_types.h"

static_assert(block::Air == 0 && block::Torch == 24 && block::Glass == 73,
              "the see-through rules in block_faces.h name these types by number");

namespace {

constexpr float kPi = 3.14159265358979f;

// The square every block face is drawn from: the bottom face of the unit cube
// around the origin. Listed from the buffer's corner 1 on (1, 2, 3, 0), so that
// its triangles 1-2-3 and 1-3-0 are the device's 0-1-2 and 0-2-3.
constexpr ModelCorner kFaceQuad[4] = {
    {{0.5f, -0.5f, 0.5f}, 0.0f, 0.0f},
    {{0.5f, -0.5f, -0.5f}, 0.0f, 1.0f},
    {{-0.5f, -0.5f, -0.5f}, 1.0f, 1.0f},
    {{-0.5f, -0.5f, 0.5f}, 1.0f, 0.0f},
};
// One side of the torch's stick, 0.125 wide, reaching below the cell.
constexpr ModelCorner kTorchSide[4] = {
    {{0.0625f, -0.5625f, -0.0625f}, 1.0f, 1.0f},
    {{0.0625f, 0.0625f, -0.0625f}, 1.0f, 0.0f},
    {{-0.0625f, 0.0625f, -0.0625f}, 0.0f, 0.0f},
    {{-0.0625f, -0.5625f, -0.0625f}, 0.0f, 1.0f},
};
// The stick's top.
constexpr ModelCorner kTorchCap[4] = {
    {{-0.0625f, 0.0625f, 0.0625f}, 1.0f, 0.0f},
    {{-0.0625f, 0.0625f, -0.0625f}, 1.0f, 1.0f},
    {{0.0625f, 0.0625f, -0.0625f}, 0.0f, 1.0f},
    {{0.0625f, 0.0625f, 0.0625f}, 0.0f, 0.0f},
};

constexpr float kTorchShift = 0.1875f;

}  // namespace

BlockTextures blockTextures(uint8_t type, uint8_t aux) {
    switch (type) {
        case block::Cobblestone:
            return {0};
        case block::Dirt:
            return aux == 1 ? BlockTextures{1, 3, 2} : BlockTextures{1};
        case block::Gravel:
            return {4};
        case block::Leaves:
            return {5};
        case block::RawWood:
            return {6, -1, 7};
        case block::Sand:
            return {8};
        case block::Stone:
            return {9};
        case block::WoodenPlanks:
            return {15};
        case block::Torch:
            return {kTorchCapTexture, -1, kTorchSideTexture};
        case block::Cuprite:
            return {89};
        case block::Furnace: {
            // The front faces where aux points: 0 -z, 1 -x, 2 +x, 3 +z.
            constexpr int8_t fronts[4] = {kMinusZ, kMinusX, kPlusX, kPlusZ};
            BlockTextures t{47, -1, 47};
            if (aux < 4) t.frontFace = fronts[aux], t.front = 46;
            return t;
        }
        case block::CraftingTable:
            return {49, 48, 49};
        case block::Anvil:
            return {65, 63, 64};
        case block::Cementite:
            return {88};
        case block::ChestFacingMinusZ:
            return {97, -1, 96, kMinusZ, 95};
        case block::ChestFacingMinusX:
            return {97, -1, 96, kMinusX, 95};
        case block::ChestFacingPlusX:
            return {97, -1, 96, kPlusX, 95};
        case block::ChestFacingPlusZ:
            return {97, -1, 96, kPlusZ, 95};
        case block::Glass:
            return {100};
        default:
            if (type >= block::Scheelite && type <= block::PetroleumOre) return {int16_t(type + 5)};
            return {kFallbackTexture};
    }
}

int faceTexture(uint8_t type, uint8_t aux, int face) {
    const BlockTextures t = blockTextures(type, aux);
    const int top = t.top >= 0 ? t.top : t.first;
    if (face == kBottom) return t.first;
    if (face == kTop) return top;
    if (face == t.frontFace) return t.front;
    return t.sides >= 0 ? t.sides : top;
}

bool texturesBoundPerBlock(uint8_t type) {
    switch (type) {
        case block::Dirt:
        case block::RawWood:
        case block::Torch:
        case block::Furnace:
        case block::CraftingTable:
        case block::Anvil:
        case block::ChestFacingMinusZ:
        case block::ChestFacingMinusX:
        case block::ChestFacingPlusX:
        case block::ChestFacingPlusZ:
            return true;
        default:
            return false;
    }
}

const ModelCorner* modelCorners(Model model) {
    switch (model) {
        case Model::TorchSide:
            return kTorchSide;
        case Model::TorchCap:
            return kTorchCap;
        default:
            return kFaceQuad;
    }
}

plat::Matrix faceRotation(int face) {
    switch (face) {
        case kTop:
            return rotationX(kPi);
        case kMinusZ:
            return multiply(rotationY(kPi), rotationX(kPi / 2.0f));
        case kPlusX:
            return multiply(rotationY(kPi / 2.0f), rotationZ(kPi / 2.0f));
        case kMinusX:
            return multiply(rotationY(3.0f * kPi / 2.0f), rotationZ(-kPi / 2.0f));
        case kPlusZ:
            return rotationX(-kPi / 2.0f);
        default:
            return identityMatrix();
    }
}

namespace {

// Rotations of faces and torch faces, worked out once with the same
// arithmetic as any other use of them.
struct Turns {
    plat::Matrix block[kFaceCount];     // the face's rotation, then the block's own (none)
    plat::Matrix torch[kFaceCount][5];  // the face's rotation, then the mount's tilt by aux
};

const Turns& turns() {
    static const Turns t = [] {
        Turns out;
        for (int face = 0; face < kFaceCount; ++face) {
            out.block[face] = multiply(faceRotation(face), rotationY(0.0f));
            for (uint8_t aux = 0; aux < 5; ++aux)
                out.torch[face][aux] = multiply(torchFaceRotation(face), torchTilt(aux));
        }
        return out;
    }();
    return t;
}

}  // namespace

plat::Matrix blockFaceTransform(int face, int x, int y, int z) {
    // The block's own turn is always none: a rotation by 0 about y.
    return multiply(turns().block[face], translation(float(x), float(y), float(z)));
}

plat::Matrix torchFaceRotation(int face) {
    switch (face) {
        case kMinusZ:
            return rotationY(kPi);
        case kPlusX:
            return rotationY(-kPi / 2.0f);
        case kMinusX:
            return rotationY(kPi / 2.0f);
        default:
            return identityMatrix();  // the top (from the cap) and +z
    }
}

plat::Matrix torchTilt(uint8_t aux) {
    switch (aux) {
        case 1:
            return rotationX(-kPi / 4.0f);
        case 2:
            return rotationZ(-kPi / 4.0f);
        case 3:
            return rotationZ(kPi / 4.0f);
        case 4:
            return rotationX(kPi / 4.0f);
        default:
            return identityMatrix();  // standing on the block below
    }
}

plat::Matrix torchPlacement(uint8_t aux, int x, int y, int z) {
    // Leaning torches sit against the block they are fixed to.
    float fx = float(x), fz = float(z);
    switch (aux) {
        case 1:
            fz = fz + kTorchShift;
            break;
        case 2:
            fx = fx - kTorchShift;
            break;
        case 3:
            fx = fx + kTorchShift;
            break;
        case 4:
            fz = fz - kTorchShift;
            break;
        default:
            break;
    }
    return translation(fx, float(y), fz);
}

plat::Matrix torchFaceTransform(int face, uint8_t aux, int x, int y, int z) {
    // Any mount other than 1..4 stands upright, as mount 0 does.
    return multiply(turns().torch[face][aux < 5 ? aux : 0], torchPlacement(aux, x, y, z));
}

void placeQuad(Model model, const plat::Matrix& world, WorldCorner out[4]) {
    const ModelCorner* corners = modelCorners(model);
    for (int k = 0; k < 4; ++k)
        out[k] = {transformPoint(corners[k].p, world), corners[k].u, corners[k].v};
}

#include "game/target.h"

namespace {
Target current;
}

const Target& target() { return current; }

void setTarget(const Vec3& block, uint8_t newBlock) {
    current.targetBlock = block;
    current.NewBlock = newBlock;
}

void resetTarget() { current = Target{}; }

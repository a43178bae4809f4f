#include "game/movement.h"

#include <cmath>
#include <cstdint>

#include "platform/keys.h"
#include "world/collision.h"
#include "world/world.h"

namespace {

constexpr double kWalkFactor = 1.1;  // speed value per elapsed ms
constexpr double kRunFactor = 1.5;   // ... with Q held
constexpr double kBlocksPerSpeed = 0.004;
constexpr int kBackOffTries = 10;  // halves, quarters, ... twentieths of a blocked step

constexpr double kJumpRise = 1.2;  // reached a quarter-second into a jump
constexpr double kJumpTop = 1.1;   // where the fall after a jump starts from
constexpr int kSettleTries = 200;  // one-block steps when landing or bumping the head

constexpr float kStrideBlocks = 1.6f;    // ground walked between two footsteps
constexpr float kGroundHair = 0.05f;     // the gap a body on the ground can stand above it
constexpr float kLandingBlocks = 0.25f;  // a smaller drop is just standing

bool collides(const World& world, const Player& player) {
    return bodyCollides(world, player.Position);
}

// Elapsed ms times the factor, truncated toward zero; a clock that went back
// moves nothing.
int32_t speedFor(int32_t elapsedMs, double factor) {
    const double speed = double(elapsedMs > 0 ? elapsedMs : 0) * factor;
    return speed < 2147483647.0 ? int32_t(speed) : INT32_MAX;
}

// One coordinate's change with collision: the whole step, else the largest
// of 1/2, 1/4, 1/6, ... 1/20 of it that is free, else no step at all.
void moveAxis(const World& world, const Player& player, float& coordinate, double change) {
    if (change == 0.0) return;
    const float saved = coordinate;
    coordinate = float(double(saved) + change);
    if (!collides(world, player)) return;
    for (int i = 1; i <= kBackOffTries; ++i) {
        coordinate = float(double(saved) + change / (2.0 * i));
        if (!collides(world, player)) return;
    }
    coordinate = saved;
}

// The body ended up in the ground: from the whole block the frame started
// in, step down a block at a time to the first height that collides, then
// stand one block above it.
void land(const World& world, Player& player, float savedY) {
    float& y = player.Position.y;
    y = float(std::trunc(double(savedY)) + 0.001);
    for (int i = 0; i < kSettleTries; ++i) {
        if (collides(world, player)) {
            y += 1.0f;
            break;
        }
        y -= 1.0f;
    }
    player.airOffset = 0.0f;
    player.airborne = player.rising = false;
}

// The head went into a ceiling: step up from the whole block the frame
// started in to the first height that collides, then stay one block under it.
// The next update cannot jump at once.
void bumpHead(const World& world, Player& player, float savedY) {
    float& y = player.Position.y;
    y = float(std::trunc(double(savedY)) + 0.101);
    for (int i = 0; i < kSettleTries; ++i) {
        if (collides(world, player)) {
            y -= 1.0f;
            break;
        }
        y += 1.0f;
    }
    player.airOffset = 0.0f;
    player.airborne = player.rising = false;
    player.canJump = false;
}

// A fall of more than a block in one frame (a long fall at a low frame rate)
// can carry the whole body past a floor one block thick without either end
// of it colliding. The heights passed on the way are tested a block apart,
// which no cell can slip between; the bottom of the grid ends the search.
bool passedThroughFloor(const World& world, Player& player, float savedY) {
    const float y = player.Position.y;
    bool hit = false;
    for (float h = savedY - 1.0f; h > y && h > -1.0f && !hit; h -= 1.0f) {
        player.Position.y = h;
        hit = collides(world, player);
    }
    player.Position.y = y;
    return hit;
}

}  // namespace

float walk(const World& world, Player& player, const Frame& frame) {
    const bool forward = held(frame, key::W), back = held(frame, key::S);
    const bool left = held(frame, key::A), right = held(frame, key::D);
    int32_t speed = speedFor(frame.elapsed, held(frame, key::Q) ? kRunFactor : kWalkFactor);
    // Diagonally each of the two directions gets half the speed value.
    if ((forward || back) && (left || right)) speed /= 2;
    player.moveSpeed = speed;

    const double step = kBlocksPerSpeed * speed;
    const double angle = player.xzRotCamera;
    const double along = std::cos(angle) * step;   // z share of a forward step
    const double across = std::sin(angle) * step;  // x share of a forward step
    Vec3& p = player.Position;
    const Vec3 start = p;
    // Opposite keys together cancel out.
    if (forward && !back) {
        moveAxis(world, player, p.z, along);
        moveAxis(world, player, p.x, across);
    } else if (back && !forward) {
        moveAxis(world, player, p.z, -along);
        moveAxis(world, player, p.x, -across);
    }
    if (left && !right) {
        moveAxis(world, player, p.z, across);
        moveAxis(world, player, p.x, -along);
    } else if (right && !left) {
        moveAxis(world, player, p.z, -across);
        moveAxis(world, player, p.x, along);
    }
    return std::hypot(p.x - start.x, p.z - start.z);
}

void jumpAndFall(const World& world, Player& player, const Frame& frame, Events& events) {
    const int32_t now = frame.now;
    const float savedY = player.Position.y;
    if (held(frame, key::Space) && !player.airborne && player.canJump) {
        player.rising = true;
        events.add({EventKind::Jump});
    }
    // A head bump blocks only the update right after it.
    player.canJump = true;
    if (!player.airborne) {
        player.airStartTime = now;
        player.airBaseHeight = savedY;
    }
    // Quarter-seconds since this part of the motion began. A clock that went
    // back counts as no time rather than the root of a negative number.
    const int32_t sinceStart = now - player.airStartTime;
    const double t = double(sinceStart > 0 ? sinceStart : 0) * 4.0 / 1000.0;
    player.airOffset = player.rising ? float(kJumpRise * std::sqrt(t)) : float(-kJumpRise * t * t);
    player.airborne = true;
    if (player.rising && player.airOffset >= float(kJumpRise)) {
        // The top of the jump: the fall starts a little lower than the peak.
        player.rising = false;
        player.airBaseHeight = float(double(player.airBaseHeight) + kJumpTop);
        player.airStartTime = now;
        player.airOffset = 0.0f;
    }
    player.Position.y = player.airBaseHeight + player.airOffset;
    if (!collides(world, player) && !passedThroughFloor(world, player, savedY)) return;
    if (savedY > player.Position.y) {
        const float top = player.airBaseHeight;
        land(world, player, savedY);
        const float drop = top - player.Position.y;
        if (drop > kLandingBlocks) events.add({EventKind::Landed, 0, {}, drop});
    } else if (player.Position.y > savedY) {
        bumpHead(world, player, savedY);
    }
}

void takeSteps(const World& world, Player& player, float walked, Events& events) {
    // On the ground: just landed, or in the small fall a standing body starts
    // every other frame and ends when it touches the ground again. At a high
    // frame rate that fall lasts several frames, and their walk counts too,
    // or the steps would slow down as the frames got shorter.
    Vec3 below = player.Position;
    below.y -= kGroundHair;
    const bool grounded = !player.airborne || (!player.rising && bodyCollides(world, below));
    if (!grounded || walked <= 0.0f) return;
    player.strideWalked += walked;
    if (player.strideWalked < kStrideBlocks) return;
    player.strideWalked -= kStrideBlocks;
    const Vec3 p = player.Position;
    const int x = int(std::floor(p.x + 0.5f)), y = int(std::floor(p.y - 1.1f)),
              z = int(std::floor(p.z + 0.5f));
    const uint8_t under = world.cells && inWorld(x, y, z) ? cell(world, x, y, z).type : 0;
    events.add({EventKind::Step, under, {x, y, z}});
}

bool fellOutOfWorld(Player& player) {
    if (player.Position.y > kDeathHeight) return false;
    cancelVerticalMotion(player);
    return true;
}

// The eye and what it sees: the view, the drawing projection and the wider
// culling one, the fog, and the six planes of the culling frustum that blocks
// are tested against (the renderer keeps them: render_state.h). The options
// menu may set `projectionDirty`, and a change of the render distance is
// noticed anyway.
#pragma once

#include <cstdint>

#include "game/player.h"
#include "platform/platform.h"
#include "render/matrix.h"
#include "world/options.h"
#include "world/settings.h"
#include "world/world.h"

struct RenderState;  // render_state.h

enum FrustumPlane : uint8_t {
    kLeftPlane,
    kRightPlane,
    kTopPlane,
    kBottomPlane,
    kNearPlane,
    kFarPlane
};

struct Camera {
    uint8_t projectionDirty = 1;
    // What the projection and fog were made for: the view radius, the
    // drawable's size (its aspect) and the vertical field of view in degrees.
    int builtRadius = -1;
    plat::ViewSize builtSize{0, 0};
    int builtFieldOfView = -1;
    float farDistance = 20.0f;
    plat::Fog fog{true, 10.0f, 18.0f, 0};
    float fogDensity = 0.05f;
    plat::Matrix viewMatrix{};
    plat::Matrix drawProjection{};
    plat::Matrix cullProjection{};
    Plane frustumPlanes[6] = {};
};

// Cells drawn on each side of the player: 20, 30, 40, 50 or 60 by the render
// distance; the far view, when the options choose one, reaches 70 to 160.
inline constexpr int kMaxViewRadius = 160;
int viewRadius(int renderDistance);
int viewRadius(const Options& options, const Settings& settings);
// Horizontal length of the look direction for pitch `pitch` (never 0, so the
// direction never lines up with the up vector): 1 - |sin pitch| + 0.002.
float lookHorizontal(float pitch);

// Once per drawn frame, before anything of the world: view; projection and fog
// when stale; fog colour; the frustum planes.
void updateCamera(RenderState& renderer, const World& world, const Options& options,
                  const Settings& settings, const Player& player);
void buildFrustum(RenderState& renderer);
// True when a corner of the block's cube lies strictly inside all six planes.
bool blockInFrustum(const RenderState& renderer, int x, int y, int z);
// The fog's colour at a brightness: 0x00RRGGBB.
uint32_t fogColourAt(float luminance);

// The rendering distance changed: projection and fog are rebuilt next frame.
void markProjectionDirty(RenderState& renderer);

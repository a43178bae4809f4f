#include "render/camera.h"

#include <algorithm>
#include <cmath>

#include "game/time_of_day.h"
#include "render/render_state.h"
#include "world/options.h"
#include "world/settings.h"

namespace {

constexpr float kPi = 3.14159265358979f;
// The culling frustum is wider than the drawing one (twice its vertical angle
// when that leaves a frustum at all).
constexpr float kMaxCullAngle = kPi * 0.9f;

inline float entry(const plat::Matrix& m, int r, int c) {
    return m.m[r * 4 + c];
}

// The vertical angle stays the player's whatever the window's shape: a wider
// window shows more to the sides.
void rebuildProjection(RenderState& renderer, int radius, plat::ViewSize size, int fieldOfView) {
    const float far = float(radius);
    const float aspect = float(std::max(size.width, 1)) / float(std::max(size.height, 1));
    // In quarters of pi, so that the 45 degrees of old give the same matrices.
    const float fovY = kPi / 4.0f * (float(fieldOfView) / 45.0f);
    renderer.camera.farDistance = far;
    renderer.camera.cullProjection =
        perspectiveFovLH(std::min(fovY * 2.0f, kMaxCullAngle), aspect, 0.01f, far);
    renderer.camera.drawProjection = perspectiveFovLH(fovY, aspect, 0.1f, far);
    renderer.camera.fog.start = far * 0.5f;
    renderer.camera.fog.end = far - 2.0f;
    renderer.camera.fogDensity = float(radius / 10) * 0.025f;
    renderer.camera.projectionDirty = 0;
    renderer.camera.builtRadius = radius;
    renderer.camera.builtSize = size;
    renderer.camera.builtFieldOfView = fieldOfView;
}

int fieldOfViewDegrees(const Options& options) {
    return std::clamp(options.fieldOfView, 30, 110);
}

}  // namespace

int viewRadius(int renderDistance) {
    // Anything past the largest setting draws as the largest: the light box
    // and the cube of drawn cells must always be the same size.
    return renderDistance >= 0 && renderDistance <= 4 ? 10 * renderDistance + 20 : 60;
}

int viewRadius(const Options& options, const Settings& settings) {
    if (options.farView > 0) return std::clamp(options.farView, viewRadius(4), kMaxViewRadius);
    return viewRadius(settings.RenderDistance);
}

float lookHorizontal(float pitch) {
    return 1.0f - std::fabs(std::sin(pitch)) + 0.002f;
}

uint32_t fogColourAt(float luminance) {
    auto channel = [luminance](float base, float exponent) {
        return static_cast<uint32_t>(base * std::pow(luminance, exponent)) & 0xFFu;
    };
    return channel(75.0f, 2.35f) << 16 | channel(125.0f, 2.4f) << 8 | channel(245.0f, 2.2f);
}

void updateCamera(RenderState& renderer, const World& world, const Options& options,
                  const Settings& settings, const Player& player) {
    const Vec3 eye = player.Position;
    const float s = std::sin(player.yRotCamera);
    const float h = lookHorizontal(player.yRotCamera);
    const Vec3 at{eye.x + h * std::sin(player.xzRotCamera), eye.y + s,
                  eye.z + h * std::cos(player.xzRotCamera)};
    renderer.camera.viewMatrix = lookAtLH(eye, at, Vec3{0.0f, 1.0f, 0.0f});
    plat::setView(renderer.camera.viewMatrix);

    const int radius = viewRadius(options, settings);
    const plat::ViewSize size = plat::viewSize();
    const int fieldOfView = fieldOfViewDegrees(options);
    if (renderer.camera.projectionDirty || renderer.camera.builtRadius != radius ||
        renderer.camera.builtSize.width != size.width ||
        renderer.camera.builtSize.height != size.height ||
        renderer.camera.builtFieldOfView != fieldOfView)
        rebuildProjection(renderer, radius, size, fieldOfView);
    plat::setProjection(renderer.camera.drawProjection);

    renderer.camera.fog.enabled = true;
    renderer.camera.fog.rgb = fogColourAt(TimeLuminance(world));
    plat::setFog(renderer.camera.fog);

    buildFrustum(renderer);
}

void buildFrustum(RenderState& renderer) {
    const plat::Matrix m = multiply(renderer.camera.viewMatrix, renderer.camera.cullProjection);
    auto column = [&m](int c) {
        return Plane{entry(m, 0, c), entry(m, 1, c), entry(m, 2, c), entry(m, 3, c)};
    };
    const Plane c1 = column(0), c2 = column(1), c3 = column(2), c4 = column(3);
    auto add = [](const Plane& a, const Plane& b) {
        return Plane{a.a + b.a, a.b + b.b, a.c + b.c, a.d + b.d};
    };
    auto sub = [](const Plane& a, const Plane& b) {
        return Plane{a.a - b.a, a.b - b.b, a.c - b.c, a.d - b.d};
    };
    renderer.camera.frustumPlanes[kLeftPlane] = normalizedPlane(add(c4, c1));
    renderer.camera.frustumPlanes[kRightPlane] = normalizedPlane(sub(c4, c1));
    renderer.camera.frustumPlanes[kTopPlane] = normalizedPlane(sub(c4, c2));
    renderer.camera.frustumPlanes[kBottomPlane] = normalizedPlane(add(c4, c2));
    renderer.camera.frustumPlanes[kNearPlane] = normalizedPlane(c3);
    renderer.camera.frustumPlanes[kFarPlane] = normalizedPlane(sub(c4, c3));
}

bool blockInFrustum(const RenderState& renderer, int x, int y, int z) {
    for (int corner = 0; corner < 8; ++corner) {
        const float cx = float(x) + ((corner & 1) ? 0.5f : -0.5f);
        const float cy = float(y) + ((corner & 2) ? 0.5f : -0.5f);
        const float cz = float(z) + ((corner & 4) ? 0.5f : -0.5f);
        bool inside = true;
        for (const Plane& p : renderer.camera.frustumPlanes)
            if (!(planeValue(p, cx, cy, cz) > 0.0f)) {
                inside = false;
                break;
            }
        if (inside) return true;
    }
    return false;
}

void markProjectionDirty(RenderState& renderer) {
    renderer.camera.projectionDirty = 1;
}

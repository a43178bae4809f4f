// The matrix helpers of the classic fixed-function pipeline, on the device's
// row-vector matrices (v' = v * M, m[row * 4 + column]): products, rotations,
// translations, the left-handed look-at and perspective, and planes. Every
// rounding follows the helpers' own single-precision arithmetic, so that two
// drawers building the same transform get the same bits.
#pragma once

#include "platform/platform.h"
#include "world/geometry.h"

plat::Matrix identityMatrix();
// a * b: the transform a, then b.
plat::Matrix multiply(const plat::Matrix& a, const plat::Matrix& b);
plat::Matrix translation(float x, float y, float z);
plat::Matrix scaling(float x, float y, float z);
plat::Matrix rotationX(float angle);
plat::Matrix rotationY(float angle);
plat::Matrix rotationZ(float angle);
plat::Matrix lookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up);
// Vertical field of view; depth 0 at the near plane, 1 at the far one.
plat::Matrix perspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

// The point (x, y, z, 1) * m, without the divide.
Vec3 transformPoint(const Vec3& p, const plat::Matrix& m);

// a x + b y + c z + d = 0; the inner side is where the value is positive.
struct Plane {
    float a, b, c, d;
};
Plane normalizedPlane(const Plane& p);
inline float planeValue(const Plane& p, float x, float y, float z) {
    return p.a * x + p.b * y + p.c * z + p.d;
}

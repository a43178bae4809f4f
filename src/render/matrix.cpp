#include "render/matrix.h"

#include <cmath>

namespace {

inline float& at(plat::Matrix& m, int r, int c) {
    return m.m[r * 4 + c];
}
inline float at(const plat::Matrix& m, int r, int c) {
    return m.m[r * 4 + c];
}

Vec3 normalized(const Vec3& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) return v;
    return {v.x / length, v.y / length, v.z / length};
}

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

}  // namespace

plat::Matrix identityMatrix() {
    plat::Matrix m{};
    at(m, 0, 0) = at(m, 1, 1) = at(m, 2, 2) = at(m, 3, 3) = 1.0f;
    return m;
}

plat::Matrix multiply(const plat::Matrix& a, const plat::Matrix& b) {
    plat::Matrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            at(out, r, c) = at(a, r, 0) * at(b, 0, c) + at(a, r, 1) * at(b, 1, c) +
                            at(a, r, 2) * at(b, 2, c) + at(a, r, 3) * at(b, 3, c);
    return out;
}

plat::Matrix translation(float x, float y, float z) {
    plat::Matrix m = identityMatrix();
    at(m, 3, 0) = x;
    at(m, 3, 1) = y;
    at(m, 3, 2) = z;
    return m;
}

plat::Matrix scaling(float x, float y, float z) {
    plat::Matrix m{};
    at(m, 0, 0) = x;
    at(m, 1, 1) = y;
    at(m, 2, 2) = z;
    at(m, 3, 3) = 1.0f;
    return m;
}

plat::Matrix rotationX(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    plat::Matrix m = identityMatrix();
    at(m, 1, 1) = c;
    at(m, 1, 2) = s;
    at(m, 2, 1) = -s;
    at(m, 2, 2) = c;
    return m;
}

plat::Matrix rotationY(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    plat::Matrix m = identityMatrix();
    at(m, 0, 0) = c;
    at(m, 0, 2) = -s;
    at(m, 2, 0) = s;
    at(m, 2, 2) = c;
    return m;
}

plat::Matrix rotationZ(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    plat::Matrix m = identityMatrix();
    at(m, 0, 0) = c;
    at(m, 0, 1) = s;
    at(m, 1, 0) = -s;
    at(m, 1, 1) = c;
    return m;
}

plat::Matrix lookAtLH(const Vec3& eye, const Vec3& target, const Vec3& up) {
    const Vec3 z = normalized({target.x - eye.x, target.y - eye.y, target.z - eye.z});
    const Vec3 x = normalized(cross(up, z));
    const Vec3 y = cross(z, x);
    plat::Matrix m{};
    at(m, 0, 0) = x.x, at(m, 0, 1) = y.x, at(m, 0, 2) = z.x;
    at(m, 1, 0) = x.y, at(m, 1, 1) = y.y, at(m, 1, 2) = z.y;
    at(m, 2, 0) = x.z, at(m, 2, 1) = y.z, at(m, 2, 2) = z.z;
    at(m, 3, 0) = -dot(x, eye), at(m, 3, 1) = -dot(y, eye), at(m, 3, 2) = -dot(z, eye);
    at(m, 3, 3) = 1.0f;
    return m;
}

plat::Matrix perspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    const float xScale = yScale / aspect;
    plat::Matrix m{};
    at(m, 0, 0) = xScale;
    at(m, 1, 1) = yScale;
    at(m, 2, 2) = zFar / (zFar - zNear);
    at(m, 2, 3) = 1.0f;
    at(m, 3, 2) = -zNear * zFar / (zFar - zNear);
    return m;
}

Vec3 transformPoint(const Vec3& p, const plat::Matrix& m) {
    return {p.x * at(m, 0, 0) + p.y * at(m, 1, 0) + p.z * at(m, 2, 0) + at(m, 3, 0),
            p.x * at(m, 0, 1) + p.y * at(m, 1, 1) + p.z * at(m, 2, 1) + at(m, 3, 1),
            p.x * at(m, 0, 2) + p.y * at(m, 1, 2) + p.z * at(m, 2, 2) + at(m, 3, 2)};
}

Plane normalizedPlane(const Plane& p) {
    const float length = std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c);
    if (length == 0.0f) return p;
    const float k = 1.0f / length;
    return {p.a * k, p.b * k, p.c * k, p.d * k};
}

// Points in world space. Block (x, y, z) is the unit cube centred on the
// point (x, y, z); y points up; positions are single-precision floats.
#pragma once

struct Vec3 {
    float x, y, z;
};

inline bool operator==(const Vec3& a, const Vec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// Spans: the solid faces of a section joined, layer by layer, into the
// fewest rectangles of equal texture and light, for far views. A span's
// corners are those of the faces at its ends and its texture corners run to
// its length in cells, so the repeating texture lands on every cell as it
// would on the cell's own face.
#include <algorithm>
#include <cstring>

#include "render/sections.h"

namespace {

// The two axes a face of direction `face` lies along.
void planeAxes(int face, int& first, int& second) {
    const int axis = kFaceDx[face] != 0 ? 0 : kFaceDy[face] != 0 ? 1 : 2;
    first = axis == 0 ? 1 : 0;
    second = axis == 2 ? 1 : 2;
}

float along(const plat::LitVertex& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

int cellAlong(uint32_t cell, int axis) {
    return axis == 0 ? plat::cellX(cell) : axis == 1 ? plat::cellY(cell) : plat::cellZ(cell);
}

// Faces join when everything drawn from them but the place is the same.
bool sameLook(const plat::LitVertex& a, const plat::LitVertex& b) {
    return a.texture == b.texture && a.row == b.row && a.absorbed == b.absorbed && a.own == b.own &&
           a.alpha == b.alpha;
}

// The quad `q` (the face at a span's first cell) stretched over `w` cells
// along `first` and `h` along `second`.
void appendSpan(std::vector<plat::LitVertex>& out, const plat::LitVertex* q, int first, int second,
                int w, int h) {
    const int c1 = cellAlong(q[0].cell, first), c2 = cellAlong(q[0].cell, second);
    // A texture corner follows the axis along which the face's corners differ
    // in it: corners 0 and 1 share one edge of the face, 1 and 2 the next.
    const bool uAlongFirst = (q[0].u != q[1].u) == (along(q[0], first) != along(q[1], first));
    const bool vAlongFirst = (q[0].v != q[1].v) == (along(q[0], first) != along(q[1], first));
    for (int k = 0; k < 4; ++k) {
        plat::LitVertex v = q[k];
        const float d1 = along(v, first) > float(c1) ? float(w - 1) : 0.0f;
        const float d2 = along(v, second) > float(c2) ? float(h - 1) : 0.0f;
        float* p[3] = {&v.x, &v.y, &v.z};
        *p[first] += d1;
        *p[second] += d2;
        v.u = uint8_t(v.u * (uAlongFirst ? w : h));
        v.v = uint8_t(v.v * (vAlongFirst ? w : h));
        out.push_back(v);
    }
}

}  // namespace

void joinSpans(Section& s, BuildScratch& scr) {
    const int origin[3] = {s.sx * kSectionSize, s.sy * kSectionSize, s.sz * kSectionSize};
    std::vector<plat::LitVertex>& out = scr.mesh;
    for (int face = 0; face < kFaceCount; ++face) {
        const std::vector<plat::LitVertex>& quads = scr.solid[face];
        int first = 0, second = 0;
        planeAxes(face, first, second);
        const bool towardsPlus = kFaceDx[face] + kFaceDy[face] + kFaceDz[face] > 0;
        const size_t groupStart = out.size() / 4;
        for (int k = 0; k < kSectionSize; ++k) {
            const int l = towardsPlus ? kSectionSize - 1 - k : k;  // front layers first
            s.spanLayerBegin[face][l] = uint16_t(out.size() / 4 - groupStart);
            int at[kSectionSize][kSectionSize];  // quad of the face at each place, or -1
            std::memset(at, -1, sizeof at);
            for (uint32_t q = s.layerBegin[face][l]; q < s.layerEnd[face][l]; ++q) {
                const uint32_t c = quads[size_t(q) * 4].cell;
                at[cellAlong(c, first) - origin[first]][cellAlong(c, second) - origin[second]] =
                    int(q);
            }
            auto joins = [&](int a, int b, int q) {
                return at[a][b] >= 0 && sameLook(quads[size_t(at[a][b]) * 4], quads[size_t(q) * 4]);
            };
            for (int b = 0; b < kSectionSize; ++b)
                for (int a = 0; a < kSectionSize; ++a) {
                    const int q = at[a][b];
                    if (q < 0) continue;
                    int w = 1, h = 1;
                    while (a + w < kSectionSize && joins(a + w, b, q)) ++w;
                    for (bool whole = true; whole && b + h < kSectionSize;) {
                        for (int i = 0; i < w && whole; ++i) whole = joins(a + i, b + h, q);
                        if (whole) ++h;
                    }
                    appendSpan(out, &quads[size_t(q) * 4], first, second, w, h);
                    for (int j = 0; j < h; ++j)
                        for (int i = 0; i < w; ++i) at[a + i][b + j] = -1;
                }
            s.spanLayerEnd[face][l] = uint16_t(out.size() / 4 - groupStart);
        }
        s.spanFirst[face] = uint32_t(groupStart);
        s.spanQuads[face] = uint32_t(out.size() / 4 - groupStart);
    }
}

#include "render/oracle_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <sstream>

#include "app/game_state.h"
#include "app/state_updates.h"
#include "game/digging.h"
#include "game/player.h"
#include "game/target.h"
#include "render/camera.h"
#include "render/light_rules.h"
#include "render/polygons.h"
#include "render/reference/reference_drawer.h"
#include "render/render_state.h"
#include "render/world_view.h"

namespace {

struct PlaneD {
    double a, b, c, d;
};

std::array<PlaneD, 6> drawingPlanes() {
    const plat::Matrix m =
        multiply(game.renderer.camera.viewMatrix, game.renderer.camera.drawProjection);
    auto e = [&m](int r, int c) { return double(m.m[r * 4 + c]); };
    auto col = [&](int c) { return PlaneD{e(0, c), e(1, c), e(2, c), e(3, c)}; };
    const PlaneD c1 = col(0), c2 = col(1), c3 = col(2), c4 = col(3);
    auto add = [](PlaneD a, PlaneD b) {
        return PlaneD{a.a + b.a, a.b + b.b, a.c + b.c, a.d + b.d};
    };
    auto sub = [](PlaneD a, PlaneD b) {
        return PlaneD{a.a - b.a, a.b - b.b, a.c - b.c, a.d - b.d};
    };
    std::array<PlaneD, 6> planes = {add(c4, c1), sub(c4, c1), sub(c4, c2),
                                    add(c4, c2), c3,          sub(c4, c3)};
    for (PlaneD& p : planes) {
        const double n = std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c);
        p = {p.a / n, p.b / n, p.c / n, p.d / n};
    }
    return planes;
}

FrameResult finish(const headless::Frame& frame) {
    FrameResult r;
    r.frame = frame;
    r.target = game.play.target.targetBlock;
    r.newBlock = game.play.target.NewBlock;
    r.polygons = polygons(game.renderer);
    r.digging = game.play.dig.digging != 0;
    return r;
}

}  // namespace

std::string describe(const FaceRecord& f) {
    char text[256];
    std::snprintf(
        text, sizeof text, "cell (%d,%d,%d) row %d texture %d level %d%s alpha %d at (%g,%g,%g)",
        plat::cellX(f.cell), plat::cellY(f.cell), plat::cellZ(f.cell), f.row, f.texture, f.level,
        f.blended ? " blended" : "", f.alpha, f.corners[0], f.corners[1], f.corners[2]);
    return text;
}

std::vector<FaceRecord> litFaces(const headless::Frame& frame) {
    std::vector<FaceRecord> out;
    for (const headless::LitCall& call : frame.litCalls) {
        std::vector<plat::LitVertex> quads;
        if (call.mesh == 0) {
            quads = call.vertices;
        } else {
            const auto* mesh = headless::meshVertices(call.mesh);
            if (!mesh) continue;
            for (const plat::QuadRange& r : call.ranges)
                quads.insert(quads.end(), mesh->begin() + long(r.first) * 4,
                             mesh->begin() + long(r.first + r.count) * 4);
        }
        for (size_t q = 0; q + 3 < quads.size(); q += 4) {
            const plat::LitVertex& v = quads[q];
            const int x = plat::cellX(v.cell), y = plat::cellY(v.cell), z = plat::cellZ(v.cell);
            const plat::CellBox& b = call.box;
            if (x < b.x0 || x > b.x1 || y < b.y0 || y > b.y1 || z < b.z0 || z > b.z1) continue;
            FaceRecord f{};
            f.cell = v.cell;
            f.row = v.row;
            f.texture = v.texture;
            const bool edge = v.row >= 6;
            const int level =
                std::clamp(std::max(call.skyLevel - int(v.absorbed), int(v.own)), 0, 255);
            f.level = edge ? -1 : std::max(level, kDarkLevel);
            f.blended = call.pass == plat::LitPass::Blended;
            f.alpha = f.blended ? v.alpha : 0;
            for (int k = 0; k < 4; ++k) {
                const plat::LitVertex& c = quads[q + size_t(k)];
                f.corners[size_t(3 * k)] = c.x, f.corners[size_t(3 * k + 1)] = c.y,
                                     f.corners[size_t(3 * k + 2)] = c.z;
                f.uv[size_t(2 * k)] = c.u, f.uv[size_t(2 * k + 1)] = c.v;
            }
            out.push_back(f);
        }
    }
    return out;
}

namespace {

// Culling drops a face the eye sees from behind: its corners turn clockwise
// on screen, which for these quads means the eye lies on the side their
// corners' cross product points away from.
bool facesEye(const FaceRecord& face) {
    const auto& c = face.corners;
    const double ax = c[3] - c[0], ay = c[4] - c[1], az = c[5] - c[2];
    const double bx = c[6] - c[0], by = c[7] - c[1], bz = c[8] - c[2];
    const double nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
    const double n = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (n == 0) return false;
    const Vec3 eye = game.play.player.Position;
    const double side = (nx * (eye.x - c[0]) + ny * (eye.y - c[1]) + nz * (eye.z - c[2])) / n;
    return side < 1e-4;
}

bool clipsIn(const FaceRecord& face, const std::array<PlaneD, 6>& planes) {
    if (!facesEye(face)) return false;
    std::vector<std::array<double, 3>> poly, next;
    for (int k = 0; k < 4; ++k)
        poly.push_back({face.corners[size_t(3 * k)], face.corners[size_t(3 * k + 1)],
                        face.corners[size_t(3 * k + 2)]});
    // Clip by each plane, keeping what lies clearly inside.
    constexpr double kInside = 1e-4;
    for (const PlaneD& p : planes) {
        next.clear();
        for (size_t i = 0; i < poly.size(); ++i) {
            const auto& a = poly[i];
            const auto& b = poly[(i + 1) % poly.size()];
            const double va = p.a * a[0] + p.b * a[1] + p.c * a[2] + p.d - kInside;
            const double vb = p.a * b[0] + p.b * b[1] + p.c * b[2] + p.d - kInside;
            if (va >= 0) next.push_back(a);
            if ((va >= 0) != (vb >= 0)) {
                const double t = va / (va - vb);
                next.push_back(
                    {a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2])});
            }
        }
        poly.swap(next);
        if (poly.size() < 3) return false;
    }
    return true;
}

}  // namespace

bool faceMayShow(const FaceRecord& face) {
    return clipsIn(face, drawingPlanes());
}

std::vector<FaceRecord> showable(const std::vector<FaceRecord>& faces) {
    const auto planes = drawingPlanes();
    std::vector<FaceRecord> out;
    for (const FaceRecord& f : faces)
        if (clipsIn(f, planes)) out.push_back(f);
    return out;
}

FrameResult drawWithRenderer() {
    resetPolygons(game.renderer);
    lookAround(game.renderer, game.world, game.options, game.settings, game.play);
    plat::beginScene();
    plat::clear(0xFF000000);
    drawWorldView(game.renderer, game.world, game.play);
    plat::endScene();
    plat::present();
    return finish(headless::lastFrame());
}

FrameResult drawWithReference() {
    resetPolygons(game.renderer);
    reference::prepareFrame();
    plat::beginScene();
    plat::clear(0xFF000000);
    reference::drawFrame();
    plat::endScene();
    plat::present();
    return finish(headless::lastFrame());
}

std::string compareFrames(const FrameResult& fast, const FrameResult& literal) {
    std::ostringstream out;
    if (!(fast.target == literal.target))
        out << "target (" << fast.target.x << "," << fast.target.y << "," << fast.target.z
            << ") vs (" << literal.target.x << "," << literal.target.y << "," << literal.target.z
            << "); ";
    if (fast.newBlock != literal.newBlock)
        out << "NewBlock " << fast.newBlock << " vs " << literal.newBlock << "; ";
    if (fast.polygons != literal.polygons)
        out << "Polygons " << fast.polygons << " vs " << literal.polygons << "; ";
    if (fast.digging != literal.digging)
        out << "digging " << fast.digging << " vs " << literal.digging << "; ";

    const auto a = showable(litFaces(fast.frame)), b = showable(litFaces(literal.frame));
    std::vector<FaceRecord> solidA, solidB, glassA, glassB;
    for (const FaceRecord& f : a) (f.blended ? glassA : solidA).push_back(f);
    for (const FaceRecord& f : b) (f.blended ? glassB : solidB).push_back(f);
    std::sort(solidA.begin(), solidA.end());
    std::sort(solidB.begin(), solidB.end());
    if (solidA != solidB) {
        std::vector<FaceRecord> onlyA, onlyB;
        std::set_difference(solidA.begin(), solidA.end(), solidB.begin(), solidB.end(),
                            std::back_inserter(onlyA));
        std::set_difference(solidB.begin(), solidB.end(), solidA.begin(), solidA.end(),
                            std::back_inserter(onlyB));
        out << "solid faces " << solidA.size() << " vs " << solidB.size()
            << "; only the renderer's " << onlyA.size() << ", only the reference's " << onlyB.size()
            << "; ";
        for (size_t i = 0; i < std::min<size_t>(onlyA.size(), 3); ++i)
            out << "[renderer] " << describe(onlyA[i]) << "; ";
        for (size_t i = 0; i < std::min<size_t>(onlyB.size(), 3); ++i)
            out << "[reference] " << describe(onlyB[i]) << "; ";
    }
    if (glassA != glassB) {
        out << "glass sequence of " << glassA.size() << " vs " << glassB.size() << " faces";
        for (size_t i = 0; i < std::min(glassA.size(), glassB.size()); ++i)
            if (!(glassA[i] == glassB[i])) {
                out << ", first difference at " << i << ": " << describe(glassA[i]) << " vs "
                    << describe(glassB[i]);
                break;
            }
        out << "; ";
    }
    // The marks go through the plain quads, in order.
    auto marks = [](const headless::Frame& f) {
        std::vector<std::string> m;
        for (const auto& q : f.quads) {
            std::ostringstream s;
            s << q.texture << " " << int(q.blend) << " " << q.wireframe << " " << q.culling;
            for (const auto& v : q.vertices) s << " " << v.x << "," << v.y << "," << v.z;
            m.push_back(s.str());
        }
        return m;
    };
    if (marks(fast.frame) != marks(literal.frame)) out << "target marks differ; ";
    return out.str();
}

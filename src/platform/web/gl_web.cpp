// The device's calls that WebGL 2 makes its own way (the desktop's twin is
// sdl/gl_desktop.cpp).
#include <vector>

#include "platform/sdl/gl_api.h"
#include "platform/sdl/gl_device_state.h"

namespace sdlplat {

// GL ES names no default precision for floats in fragment shaders, nor for
// array samplers anywhere; highp everywhere keeps the desktop's arithmetic.
const char* shaderHead() {
    return "#version 300 es\n"
           "precision highp float;\n"
           "precision highp int;\n"
           "precision highp sampler2D;\n"
           "precision highp sampler2DArray;\n";
}

// WebGL's flat shading takes the last corner of a triangle.
const uint32_t kQuadCorners[6] = {1, 2, 0, 2, 3, 0};

void takeFirstCornerColours() {}

// WebGL has no texture swizzle: the white is stored.
GLuint makeCoverageTexture(int width, int height, const uint8_t* coverage) {
    std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4, 255);
    for (size_t i = 0; i < size_t(width) * size_t(height); ++i) rgba[i * 4 + 3] = coverage[i];
    return makeTexture(width, height, GL_RGBA8, GL_RGBA, rgba.data(), GL_CLAMP_TO_EDGE);
}

namespace {

// Whether the quad's first triangle is front-facing (counter-clockwise on the
// screen), as face culling would find it: the sign of the determinant of its
// corners' clip x, y and w, which holds even for corners behind the eye.
bool facesEye(const plat::Vertex* quad, const UniformSet& u) {
    double clip[3][3];
    for (int k = 0; k < 3; ++k) {
        const plat::Vertex& v = quad[kQuadCorners[k]];
        const float p[4] = {v.x, v.y, v.z, 1.0f};
        float eye[4];
        for (int r = 0; r < 4; ++r)
            eye[r] = u.view.m[r] * p[0] + u.view.m[4 + r] * p[1] + u.view.m[8 + r] * p[2] +
                     u.view.m[12 + r] * p[3];
        const int rows[3] = {0, 1, 3};  // x, y, w
        for (int i = 0; i < 3; ++i) {
            const int r = rows[i];
            clip[k][i] = double(u.projection.m[r]) * eye[0] + double(u.projection.m[4 + r]) * eye[1] +
                         double(u.projection.m[8 + r]) * eye[2] +
                         double(u.projection.m[12 + r]) * eye[3];
        }
    }
    const double det = clip[0][0] * (clip[1][1] * clip[2][2] - clip[1][2] * clip[2][1]) -
                       clip[0][1] * (clip[1][0] * clip[2][2] - clip[1][2] * clip[2][0]) +
                       clip[0][2] * (clip[1][0] * clip[2][1] - clip[1][1] * clip[2][0]);
    return det > 0.0;
}

}  // namespace

// Both triangles of a quad face the same way, so a quad is kept or culled
// whole; its five edges are the two triangles' six, the diagonal once.
void drawQuadEdges(Device& d, const QuadBatch& batch, const Run& run, const UniformSet& uniforms,
                   bool culled) {
    static constexpr uint32_t kEdges[10] = {0, 1, 1, 2, 2, 0, 2, 3, 3, 0};
    std::vector<uint32_t> lines;
    for (uint32_t q = run.firstQuad; q < run.firstQuad + run.quadCount; ++q) {
        const uint32_t first = q * 4;
        if (culled && !facesEye(&batch.vertices[first], uniforms)) continue;
        for (uint32_t corner : kEdges) lines.push_back(first + corner);
    }
    if (lines.empty()) return;
    // The quad vertex array is bound: its index buffer is swapped for the
    // lines and back.
    if (!d.edgeIbo) glGenBuffers(1, &d.edgeIbo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.edgeIbo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(lines.size() * sizeof(uint32_t)), lines.data(),
                 GL_STREAM_DRAW);
    glDrawElements(GL_LINES, GLsizei(lines.size()), GL_UNSIGNED_INT, nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.ibo);
}

// The one pixel format WebGL always reads is RGBA.
bool readRgb(int width, int height, uint8_t* rgb) {
    const size_t pixels = size_t(width) * size_t(height);
    std::vector<uint8_t> rgba(pixels * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    if (glGetError() != GL_NO_ERROR) return false;
    for (size_t i = 0; i < pixels; ++i)
        for (int c = 0; c < 3; ++c) rgb[i * 3 + size_t(c)] = rgba[i * 4 + size_t(c)];
    return true;
}

}  // namespace sdlplat

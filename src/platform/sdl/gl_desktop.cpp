// The device's calls that OpenGL 3.3 core makes its own way (the browser's
// twin is web/gl_web.cpp).
#include "platform/sdl/gl_api.h"
#include "platform/sdl/gl_device_state.h"

namespace sdlplat {

const char* shaderHead() { return "#version 330 core\n"; }

const uint32_t kQuadCorners[6] = {0, 1, 2, 0, 2, 3};

void takeFirstCornerColours() { glProvokingVertex(GL_FIRST_VERTEX_CONVENTION); }

GLuint makeCoverageTexture(int width, int height, const uint8_t* coverage) {
    const GLuint t = makeTexture(width, height, GL_R8, GL_RED, coverage, GL_CLAMP_TO_EDGE);
    const GLint swizzle[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    return t;
}

void drawQuadEdges(Device&, const QuadBatch&, const Run& run, const UniformSet&, bool) {
    drawQuadTriangles(run);
}

bool readRgb(int width, int height, uint8_t* rgb) {
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return glGetError() == GL_NO_ERROR;
}

}  // namespace sdlplat

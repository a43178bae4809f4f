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

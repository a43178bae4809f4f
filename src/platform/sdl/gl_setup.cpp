// Set-up of the GL device: shaders, buffers, the textures and the font
// atlas (decoded beside the window's creation), and their release.
#include <SDL2/SDL.h>
#ifdef VELMORA_MESA_DRIVER
#include <dlfcn.h>
#endif

#include <algorithm>
#include <array>
#include <cstdio>
#include <future>
#include <string>
#include <vector>

#include "platform/embedded_assets.h"
#include "platform/sdl/gl_api.h"
#include "platform/sdl/gl_device_state.h"
#include "platform/sdl/image_decode.h"

namespace sdlplat {
namespace {

GLuint compile(GLenum type, const std::string& source, const char* what) {
    GLuint s = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(s, 1, &text, nullptr);
    glCompileShader(s);
    GLint ok = 0;
    glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024];
        glGetShaderInfoLog(s, sizeof log, nullptr, log);
        std::fprintf(stderr, "velmora: %s: %s\n", what, log);
        glDeleteShader(s);
        return 0;
    }
    return s;
}

}  // namespace

GLuint linkProgram(const std::string& vertexSource, const std::string& fragmentSource,
                   const char* what) {
    GLuint vs = compile(GL_VERTEX_SHADER, vertexSource, what);
    GLuint fs = compile(GL_FRAGMENT_SHADER, fragmentSource, what);
    if (!vs || !fs) {
        if (vs) glDeleteShader(vs);
        if (fs) glDeleteShader(fs);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

namespace {

const char* kVertexShader = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec2 aTexCoord;
layout(location = 2) in vec4 aColour;  // bytes B, G, R, A of an ARGB value
uniform mat4 uView;
uniform mat4 uProjection;
out vec2 vTexCoord;
flat out vec4 vColour;
out float vEyeDepth;
void main() {
    vec4 eye = uView * vec4(aPosition, 1.0);
    vec4 clip = uProjection * eye;
    clip.z = 2.0 * clip.z - clip.w;
    gl_Position = clip;
    vTexCoord = aTexCoord;
    vColour = aColour.bgra;
    vEyeDepth = abs(eye.z);
}
)";

// Flat shading takes the colour of each triangle's first vertex; alpha test
// drops the texels the images mark as empty; fog is linear in eye depth.
const char* kFragmentShader = R"(
uniform sampler2D uTexture;
uniform bool uFog;
uniform float uFogStart;
uniform float uFogEnd;
uniform vec3 uFogColour;
in vec2 vTexCoord;
flat in vec4 vColour;
in float vEyeDepth;
out vec4 fragColour;
void main() {
    vec4 texel = texture(uTexture, vTexCoord);
    if (texel.a < 0.5 / 255.0) discard;
    vec4 c = texel * vColour;
    if (uFog) {
        float f = clamp((uFogEnd - vEyeDepth) / max(uFogEnd - uFogStart, 1e-6), 0.0, 1.0);
        c.rgb = mix(uFogColour, c.rgb, f);
    }
    fragColour = c;
}
)";

bool createProgram(Device& d) {
    d.program = linkProgram(std::string(shaderHead()) + kVertexShader,
                            std::string(shaderHead()) + kFragmentShader, "shader");
    if (!d.program) return false;
    d.uView = glGetUniformLocation(d.program, "uView");
    d.uProjection = glGetUniformLocation(d.program, "uProjection");
    d.uTexture = glGetUniformLocation(d.program, "uTexture");
    d.uFog = glGetUniformLocation(d.program, "uFog");
    d.uFogStart = glGetUniformLocation(d.program, "uFogStart");
    d.uFogEnd = glGetUniformLocation(d.program, "uFogEnd");
    d.uFogColour = glGetUniformLocation(d.program, "uFogColour");
    return true;
}

void createBuffers(Device& d) {
    glGenVertexArrays(1, &d.vao);
    glBindVertexArray(d.vao);
    glGenBuffers(1, &d.vbo);
    glGenBuffers(1, &d.ibo);
    glBindBuffer(GL_ARRAY_BUFFER, d.vbo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.ibo);
    const GLsizei stride = sizeof(plat::Vertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(12));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<void*>(20));
}

}  // namespace

GLuint makeTexture(int width, int height, GLenum internalFormat, GLenum format, const void* pixels,
                   GLenum wrap) {
    GLuint t = 0;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(internalFormat), width, height, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
    // Point sampling: the blocky look of the game's pictures.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GLint(wrap));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GLint(wrap));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    return t;
}

namespace {

// The pictures and the font as decoded on the CPU, before any GL exists.
struct DecodedAssets {
    std::array<Image, plat::kTextureCount> images;
    std::array<bool, plat::kTextureCount> decoded{};
    FontAtlas font;
    bool fontBuilt = false;
    std::string fontError;
};

DecodedAssets decodeAssets() {
    DecodedAssets a;
    for (int n = 0; n < plat::kTextureCount; ++n) {
        // Texture n is bitmap n + 1, except the last, which is bitmap 0.
        const int resource = n == plat::kTextureCount - 1 ? 0 : n + 1;
        const embedded::Blob blob = embedded::bitmap(resource);
        a.decoded[size_t(n)] = decodeImage(blob.data, blob.size, a.images[size_t(n)]);
    }
    const embedded::Blob font = embedded::monoBoldFont();
    a.fontBuilt = buildFontAtlas(font.data, font.size, kFontPixelHeight, a.font, a.fontError);
    return a;
}

// Decoding runs beside the window's creation, which spends most of its time
// waiting on the X server and loading the GL driver.
std::future<DecodedAssets>& pendingAssets() {
    static std::future<DecodedAssets> pending;
    return pending;
}

// Loading the Mesa driver (tens of megabytes with its compiler) is the
// longest single step of opening the window. Mapping it here, while SDL talks
// to the X server, lets the window's own load find it already in memory. All
// Mesa drivers of one release are one file under many names; when it is not
// where this build expects it, nothing happens.
void warmGlDriver() {
#ifdef VELMORA_MESA_DRIVER
    if (void* driver = dlopen(VELMORA_MESA_DRIVER, RTLD_LAZY | RTLD_LOCAL)) (void)driver;
#endif
}

bool loadTextures(Device& d, const DecodedAssets& a) {
    for (int n = 0; n < plat::kTextureCount; ++n) {
        const Image& image = a.images[size_t(n)];
        if (!a.decoded[size_t(n)]) return false;
        d.textures[size_t(n)] =
            makeTexture(image.width, image.height, GL_RGBA8, GL_RGBA, image.rgba.data(), GL_REPEAT);
        d.textureSizes[size_t(n)] = {image.width, image.height};
        bool opaque = true;
        for (size_t i = 3; i < image.rgba.size() && opaque; i += 4) opaque = image.rgba[i] == 255;
        d.opaque[size_t(n)] = opaque;
    }
    return true;
}

void makeFontTexture(Device& d, int quarters) {
    const FontAtlas& font = d.fonts[size_t(quarters)];
    GLuint t = makeCoverageTexture(font.width, font.height, font.coverage.data());
    d.textures[size_t(kFontTexture + quarters)] = t;
    d.textureSizes[size_t(kFontTexture + quarters)] = {font.width, font.height};
}

bool loadFont(Device& d, DecodedAssets& a) {
    if (!a.fontBuilt) {
        std::fprintf(stderr, "velmora: font: %s\n", a.fontError.c_str());
        return false;
    }
    constexpr int q = plat::kMinInterfaceQuarters;
    d.fonts[q] = std::move(a.font);
    d.fontTried[q] = true;
    makeFontTexture(d, q);
    return true;
}

}  // namespace

const FontAtlas* fontFor(Device& d, int quarters) {
    if (quarters < plat::kMinInterfaceQuarters || quarters > plat::kMaxInterfaceQuarters)
        return nullptr;
    const size_t i = size_t(quarters);
    const int pixels = kFontPixelHeight * quarters / 4;
    if (!d.fontTried[i]) {
        d.fontTried[i] = true;
        const embedded::Blob font = embedded::monoBoldFont();
        std::string error;
        if (buildFontAtlas(font.data, font.size, pixels, d.fonts[i], error))
            makeFontTexture(d, quarters);
        else
            std::fprintf(stderr, "velmora: font at %d pixels: %s\n", pixels, error.c_str());
    }
    return d.fonts[i].glyphs.empty() ? nullptr : &d.fonts[i];
}

bool createScreenshotBuffer(Device& d) {
    if (d.fbo && d.fboWidth == d.lastWidth && d.fboHeight == d.lastHeight) return true;
    if (!d.fbo) {
        glGenFramebuffers(1, &d.fbo);
        glGenRenderbuffers(1, &d.colourBuffer);
        glGenRenderbuffers(1, &d.depthBuffer);
    }
    d.fboWidth = d.lastWidth, d.fboHeight = d.lastHeight;
    glBindRenderbuffer(GL_RENDERBUFFER, d.colourBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, d.fboWidth, d.fboHeight);
    glBindRenderbuffer(GL_RENDERBUFFER, d.depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, d.fboWidth, d.fboHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, d.fbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              d.colourBuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, d.depthBuffer);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// Every quad is 0-1-2, 0-2-3 of its own four vertices.
void ensureIndices(Device& d, uint32_t quads) {
    if (quads <= d.indexCapacity) return;
    uint32_t capacity = std::max<uint32_t>(d.indexCapacity * 2, 1u << 16);
    while (capacity < quads) capacity *= 2;
    std::vector<uint32_t> indices(size_t(capacity) * 6);
    for (uint32_t q = 0; q < capacity; ++q) {
        const uint32_t v = q * 4;
        uint32_t* i = &indices[size_t(q) * 6];
        for (int k = 0; k < 6; ++k) i[k] = v + kQuadCorners[k];
    }
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint32_t)),
                 indices.data(), GL_STATIC_DRAW);
    d.indexCapacity = capacity;
}

void startAssetDecoding() {
    if (pendingAssets().valid()) return;
    pendingAssets() = std::async(std::launch::async, [] {
        warmGlDriver();
        return decodeAssets();
    });
}

void dropAssetDecoding() {
    if (pendingAssets().valid()) pendingAssets().get();
}

DeviceFailure createDevice(int width, int height) {
    Device& d = dev();
    d = Device{};
    d.width = width;
    d.height = height;
    d.lastWidth = width;
    d.lastHeight = height;
    if (!createProgram(d)) return DeviceFailure::Device;
    createBuffers(d);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    // Flat shading takes the first vertex's colour, as the game's quads expect.
    takeFirstCornerColours();
    // Culling, when asked for, drops triangles that turn clockwise as the viewer
    // sees them. GL's window coordinates keep the projection's y pointing up, so
    // "counter-clockwise on screen" is GL's own front face.
    glDisable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    DecodedAssets assets = pendingAssets().valid() ? pendingAssets().get() : decodeAssets();
    if (!loadTextures(d, assets)) return DeviceFailure::Textures;
    std::array<const Image*, plat::kTextureCount> images{};
    for (int n = 0; n < plat::kTextureCount; ++n) images[size_t(n)] = &assets.images[size_t(n)];
    if (!createLitObjects(d, images)) return DeviceFailure::Device;
    if (!loadFont(d, assets)) return DeviceFailure::Device;
    if (glGetError() != GL_NO_ERROR) return DeviceFailure::Device;
    d.current = UniformSet{identity(), identity(), plat::Fog{false, 0, 1, 0}};
    startFrame(d);
    d.ready = true;
    return DeviceFailure::None;
}

void destroyDevice() {
    Device& d = dev();
    if (d.program == 0 && d.vao == 0 && d.fbo == 0) return;
    destroyLitObjects(d);
    for (GLuint& t : d.textures)
        if (t) glDeleteTextures(1, &t);
    if (d.vbo) glDeleteBuffers(1, &d.vbo);
    if (d.ibo) glDeleteBuffers(1, &d.ibo);
    if (d.edgeIbo) glDeleteBuffers(1, &d.edgeIbo);
    if (d.vao) glDeleteVertexArrays(1, &d.vao);
    if (d.fbo) glDeleteFramebuffers(1, &d.fbo);
    if (d.colourBuffer) glDeleteRenderbuffers(1, &d.colourBuffer);
    if (d.depthBuffer) glDeleteRenderbuffers(1, &d.depthBuffer);
    if (d.program) glDeleteProgram(d.program);
    d = Device{};
}

}  // namespace sdlplat

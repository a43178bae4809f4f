// The drawing device on OpenGL 3.3 core: textured, vertex-coloured quads with
// depth, fog, three blend modes and wireframe, plus sprites and text, all
// through one batcher that turns a frame into a few large draw calls.
//
// Matrices arrive in the row-vector convention (v' = v * M) with Direct3D's
// clip range for depth, 0 <= z <= w. Uploading the 16 floats unchanged into a
// GLSL mat4 (column-major) hands the shader M transposed, and M^T * v is the
// same vector as v * M, so no transposition is needed. The vertex shader then
// maps depth onto GL's -w <= z <= w with z' = 2z - w, which keeps the near and
// far planes where the projection put them.
//
// The frame is drawn straight into the window's back buffer. The game takes
// screenshots after presenting, when GL no longer promises anything about that
// buffer, so the device keeps the last presented frame's batch and a
// screenshot draws it again into an off-screen buffer and reads that.
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <future>
#include <vector>

#include "platform/embedded_assets.h"
#include "platform/platform.h"
#include "platform/sdl/batching.h"
#include "platform/sdl/bmp_file.h"
#include "platform/sdl/image_decode.h"
#include "platform/sdl/sdl_private.h"
#include "platform/sdl/text_layout.h"

namespace sdlplat {
namespace {

static_assert(sizeof(plat::Vertex) == 24, "the vertex layout below assumes 24-byte vertices");

constexpr int kFontTexture = plat::kTextureCount;  // the glyph atlas follows the game's textures
constexpr int kFontPixelHeight = 12;
// More quads than this in one frame are drawn in several uploads.
constexpr uint32_t kFlushQuads = 1u << 20;

const char* kVertexShader = R"(#version 330 core
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
const char* kFragmentShader = R"(#version 330 core
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

struct UniformSet {
    plat::Matrix view;
    plat::Matrix projection;
    plat::Fog fog;
};

struct Device {
    bool ready = false;
    int width = 0, height = 0;
    GLuint program = 0, vao = 0, vbo = 0, ibo = 0;
    GLuint fbo = 0, colourBuffer = 0, depthBuffer = 0;  // made at the first screenshot
    GLint uView = -1, uProjection = -1, uTexture = -1, uFog = -1, uFogStart = -1, uFogEnd = -1,
          uFogColour = -1;
    std::array<GLuint, plat::kTextureCount + 1> textures{};
    std::array<std::pair<int, int>, plat::kTextureCount + 1> textureSizes{};
    uint32_t indexCapacity = 0;  // quads the index buffer covers
    size_t vertexBytes = 0;      // size of the vertex buffer's storage
    FontAtlas font;

    // The frame being built: `batch`, after any parts already drawn because
    // the frame grew too big (`drawnParts`), with the matrices and fog in force.
    QuadBatch batch;
    std::vector<QuadBatch> drawnParts;
    std::vector<UniformSet> uniformSets;  // [0] is the screen-space set
    // The last presented frame, as drawn, for screenshots.
    std::vector<QuadBatch> lastParts;
    std::vector<UniformSet> lastUniformSets;
    UniformSet current{};
    bool currentPushed = false;
    bool wireframe = false;
    bool depthTest = true;
    std::vector<GlyphQuad> glyphScratch;
    std::vector<plat::Vertex> vertexScratch;
    FrameStats building, last;
};

Device& dev() {
    static Device d;
    return d;
}

plat::Matrix identity() {
    plat::Matrix m{};
    m.m[0] = m.m[5] = m.m[10] = m.m[15] = 1.0f;
    return m;
}

// Pixels of the back buffer, top-left origin, to clip space.
UniformSet screenSet(int width, int height) {
    UniformSet s{identity(), identity(), plat::Fog{false, 0, 1, 0}};
    s.projection.m[0] = 2.0f / float(width);
    s.projection.m[5] = -2.0f / float(height);
    s.projection.m[12] = -1.0f;
    s.projection.m[13] = 1.0f;
    return s;
}

void startFrame(Device& d) {
    d.batch.reset();
    d.drawnParts.clear();
    d.uniformSets.assign(1, screenSet(d.width, d.height));
    d.currentPushed = false;
}

GLuint compile(GLenum type, const char* source) {
    GLuint s = glCreateShader(type);
    glShaderSource(s, 1, &source, nullptr);
    glCompileShader(s);
    GLint ok = 0;
    glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024];
        glGetShaderInfoLog(s, sizeof log, nullptr, log);
        std::fprintf(stderr, "velmora: shader: %s\n", log);
        glDeleteShader(s);
        return 0;
    }
    return s;
}

bool createProgram(Device& d) {
    GLuint vs = compile(GL_VERTEX_SHADER, kVertexShader);
    GLuint fs = compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (!vs || !fs) return false;
    d.program = glCreateProgram();
    glAttachShader(d.program, vs);
    glAttachShader(d.program, fs);
    glLinkProgram(d.program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(d.program, GL_LINK_STATUS, &ok);
    if (!ok) return false;
    d.uView = glGetUniformLocation(d.program, "uView");
    d.uProjection = glGetUniformLocation(d.program, "uProjection");
    d.uTexture = glGetUniformLocation(d.program, "uTexture");
    d.uFog = glGetUniformLocation(d.program, "uFog");
    d.uFogStart = glGetUniformLocation(d.program, "uFogStart");
    d.uFogEnd = glGetUniformLocation(d.program, "uFogEnd");
    d.uFogColour = glGetUniformLocation(d.program, "uFogColour");
    return true;
}

bool createScreenshotBuffer(Device& d) {
    if (d.fbo) return true;
    glGenFramebuffers(1, &d.fbo);
    glGenRenderbuffers(1, &d.colourBuffer);
    glGenRenderbuffers(1, &d.depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, d.colourBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, d.width, d.height);
    glBindRenderbuffer(GL_RENDERBUFFER, d.depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, d.width, d.height);
    glBindFramebuffer(GL_FRAMEBUFFER, d.fbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              d.colourBuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, d.depthBuffer);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
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

// Every quad is 0-1-2, 0-2-3 of its own four vertices.
void ensureIndices(Device& d, uint32_t quads) {
    if (quads <= d.indexCapacity) return;
    uint32_t capacity = std::max<uint32_t>(d.indexCapacity * 2, 1u << 16);
    while (capacity < quads) capacity *= 2;
    std::vector<uint32_t> indices(size_t(capacity) * 6);
    for (uint32_t q = 0; q < capacity; ++q) {
        const uint32_t v = q * 4;
        uint32_t* i = &indices[size_t(q) * 6];
        i[0] = v, i[1] = v + 1, i[2] = v + 2, i[3] = v, i[4] = v + 2, i[5] = v + 3;
    }
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint32_t)),
                 indices.data(), GL_STATIC_DRAW);
    d.indexCapacity = capacity;
}

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
    }
    return true;
}

bool loadFont(Device& d, DecodedAssets& a) {
    if (!a.fontBuilt) {
        std::fprintf(stderr, "velmora: font: %s\n", a.fontError.c_str());
        return false;
    }
    d.font = std::move(a.font);
    // One coverage byte per texel, read as white with that much alpha.
    GLuint t = makeTexture(d.font.width, d.font.height, GL_R8, GL_RED, d.font.coverage.data(),
                           GL_CLAMP_TO_EDGE);
    const GLint swizzle[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    d.textures[kFontTexture] = t;
    d.textureSizes[kFontTexture] = {d.font.width, d.font.height};
    return true;
}

void applyUniforms(const Device& d, const UniformSet& s) {
    glUniformMatrix4fv(d.uView, 1, GL_FALSE, s.view.m);
    glUniformMatrix4fv(d.uProjection, 1, GL_FALSE, s.projection.m);
    glUniform1i(d.uFog, s.fog.enabled ? 1 : 0);
    glUniform1f(d.uFogStart, s.fog.start);
    glUniform1f(d.uFogEnd, s.fog.end);
    glUniform3f(d.uFogColour, float((s.fog.rgb >> 16) & 0xFF) / 255.0f,
                float((s.fog.rgb >> 8) & 0xFF) / 255.0f, float(s.fog.rgb & 0xFF) / 255.0f);
}

void applyBlend(plat::Blend blend) {
    switch (blend) {
        case plat::Blend::Opaque:
            glDisable(GL_BLEND);
            break;
        case plat::Blend::Alpha:
            glEnable(GL_BLEND);
            glBlendEquation(GL_FUNC_ADD);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case plat::Blend::Minimum:
            glEnable(GL_BLEND);
            glBlendEquation(GL_MIN);
            break;
    }
}

// Sends one batch to GL, one draw call per run, into the bound framebuffer.
void drawBatch(Device& d, const QuadBatch& batch, const std::vector<UniformSet>& uniformSets,
               FrameStats& stats) {
    if (batch.runs.empty()) return;
    const uint32_t quads = batch.quadCount();
    glUseProgram(d.program);
    glBindVertexArray(d.vao);
    glActiveTexture(GL_TEXTURE0);
    glUniform1i(d.uTexture, 0);
    if (quads > 0) {
        ensureIndices(d, quads);
        const size_t bytes = batch.vertices.size() * sizeof(plat::Vertex);
        glBindBuffer(GL_ARRAY_BUFFER, d.vbo);
        // A fresh store each time: the driver need not wait for last frame's draws.
        const size_t storage = std::max(bytes, d.vertexBytes);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(storage), nullptr, GL_STREAM_DRAW);
        glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(bytes), batch.vertices.data());
        d.vertexBytes = storage;
    }
    // Nothing is assumed about GL's state between flushes.
    int boundTexture = -1;
    uint32_t boundUniforms = UINT32_MAX;
    int blend = -1, depth = -1, wire = -1;
    for (const Run& run : batch.runs) {
        if (run.kind == RunKind::Clear) {
            const uint32_t c = run.argb;
            glDepthMask(GL_TRUE);
            glClearColor(float((c >> 16) & 0xFF) / 255.0f, float((c >> 8) & 0xFF) / 255.0f,
                         float(c & 0xFF) / 255.0f, float(c >> 24) / 255.0f);
            glClearDepth(1.0);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            ++stats.clears;
            continue;
        }
        const DrawState& s = run.state;
        if (s.texture != boundTexture) {
            glBindTexture(GL_TEXTURE_2D, d.textures[size_t(s.texture)]);
            boundTexture = s.texture;
        }
        if (s.uniforms != boundUniforms) {
            applyUniforms(d, uniformSets[s.uniforms]);
            boundUniforms = s.uniforms;
        }
        if (int(s.blend) != blend) {
            applyBlend(s.blend);
            blend = int(s.blend);
        }
        if (int(s.depthTest) != depth) {
            if (s.depthTest)
                glEnable(GL_DEPTH_TEST);
            else
                glDisable(GL_DEPTH_TEST);
            depth = int(s.depthTest);
        }
        if (int(s.wireframe) != wire) {
            glPolygonMode(GL_FRONT_AND_BACK, s.wireframe ? GL_LINE : GL_FILL);
            wire = int(s.wireframe);
        }
        glDrawElements(GL_TRIANGLES, GLsizei(run.quadCount * 6), GL_UNSIGNED_INT,
                       reinterpret_cast<void*>(size_t(run.firstQuad) * 6 * sizeof(uint32_t)));
        ++stats.drawCalls;
    }
    stats.quads += int(quads);
}

// The window's back buffer, its viewport the drawable's size (the 800 x 600
// of the game's coordinates stretched over it on high-density screens).
void bindWindowBuffer(Device& d) {
    int w = d.width, h = d.height;
    if (SDL_Window* win = window()) SDL_GL_GetDrawableSize(win, &w, &h);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, w, h);
}

// Draws what the frame has piled up so far; the frame goes on after it.
void flush(Device& d) {
    if (d.batch.runs.empty()) return;
    bindWindowBuffer(d);
    drawBatch(d, d.batch, d.uniformSets, d.building);
    d.drawnParts.push_back(std::move(d.batch));
    d.batch = QuadBatch{};
}

uint32_t currentUniforms(Device& d) {
    if (!d.currentPushed) {
        d.uniformSets.push_back(d.current);
        d.currentPushed = true;
    }
    return uint32_t(d.uniformSets.size() - 1);
}

void addQuads(Device& d, const DrawState& state, const plat::Vertex* vertices, int quads) {
    appendQuads(d.batch, state, vertices, quads);
    if (d.batch.quadCount() >= kFlushQuads) flush(d);
}

DrawState screenState(int texture) {
    DrawState s;
    s.texture = texture;
    s.blend = plat::Blend::Alpha;
    s.wireframe = false;
    s.depthTest = false;
    s.screenSpace = true;
    s.uniforms = 0;
    return s;
}

}  // namespace

FrameStats lastFrameStats() {
    return dev().last;
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
    if (!createProgram(d)) return DeviceFailure::Device;
    createBuffers(d);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    // Flat shading takes the first vertex's colour, as the game's quads expect.
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glDisable(GL_CULL_FACE);
    DecodedAssets assets = pendingAssets().valid() ? pendingAssets().get() : decodeAssets();
    if (!loadTextures(d, assets)) return DeviceFailure::Textures;
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
    for (GLuint& t : d.textures)
        if (t) glDeleteTextures(1, &t);
    if (d.vbo) glDeleteBuffers(1, &d.vbo);
    if (d.ibo) glDeleteBuffers(1, &d.ibo);
    if (d.vao) glDeleteVertexArrays(1, &d.vao);
    if (d.fbo) glDeleteFramebuffers(1, &d.fbo);
    if (d.colourBuffer) glDeleteRenderbuffers(1, &d.colourBuffer);
    if (d.depthBuffer) glDeleteRenderbuffers(1, &d.depthBuffer);
    if (d.program) glDeleteProgram(d.program);
    d = Device{};
}

void presentDevice(SDL_Window* win) {
    Device& d = dev();
    bindWindowBuffer(d);
    drawBatch(d, d.batch, d.uniformSets, d.building);
    SDL_GL_SwapWindow(win);
    d.last = d.building;
    d.building = FrameStats{};
    // Keep this frame for screenshots; the frame before gives up its storage.
    d.drawnParts.push_back(std::move(d.batch));
    std::swap(d.lastParts, d.drawnParts);
    std::swap(d.lastUniformSets, d.uniformSets);
    d.batch = d.drawnParts.empty() ? QuadBatch{} : std::move(d.drawnParts.front());
    const UniformSet keep = d.current;
    startFrame(d);
    d.current = keep;
}

}  // namespace sdlplat

namespace plat {

using sdlplat::dev;

bool hasDevice() {
    return dev().ready;
}

int beginScene() {
    return dev().ready ? 0 : -1;
}

void endScene() {}

void present() {
    if (!dev().ready || !sdlplat::window()) return;
    sdlplat::presentDevice(sdlplat::window());
    sdlplat::notePresented();
}

void clear(uint32_t argb) {
    if (dev().ready) sdlplat::appendClear(dev().batch, argb);
}

void drawSprite(int texture, int x, int y, uint32_t argb, const SourceRect* source) {
    auto& d = dev();
    if (!d.ready || texture < 0 || texture >= kTextureCount) return;
    const auto [tw, th] = d.textureSizes[size_t(texture)];
    const SourceRect r = source ? *source : SourceRect{0, 0, tw, th};
    if (r.width <= 0 || r.height <= 0) return;
    const float x0 = float(x), y0 = float(y), x1 = x0 + float(r.width), y1 = y0 + float(r.height);
    const float u0 = float(r.x) / float(tw), v0 = float(r.y) / float(th);
    const float u1 = float(r.x + r.width) / float(tw), v1 = float(r.y + r.height) / float(th);
    const Vertex quad[4] = {{x0, y0, 0.5f, u0, v0, argb},
                            {x1, y0, 0.5f, u1, v0, argb},
                            {x1, y1, 0.5f, u1, v1, argb},
                            {x0, y1, 0.5f, u0, v1, argb}};
    sdlplat::addQuads(d, sdlplat::screenState(texture), quad, 1);
}

void drawText(int left, int top, int right, int bottom, uint32_t argb, std::string_view text) {
    auto& d = dev();
    if (!d.ready || text.empty()) return;
    d.glyphScratch.clear();
    sdlplat::layoutText(d.font, left, top, right, bottom, text, d.glyphScratch);
    if (d.glyphScratch.empty()) return;
    const float su = 1.0f / float(d.font.width), sv = 1.0f / float(d.font.height);
    d.vertexScratch.clear();
    for (const auto& g : d.glyphScratch) {
        d.vertexScratch.push_back({g.x0, g.y0, 0.5f, g.u0 * su, g.v0 * sv, argb});
        d.vertexScratch.push_back({g.x1, g.y0, 0.5f, g.u1 * su, g.v0 * sv, argb});
        d.vertexScratch.push_back({g.x1, g.y1, 0.5f, g.u1 * su, g.v1 * sv, argb});
        d.vertexScratch.push_back({g.x0, g.y1, 0.5f, g.u0 * su, g.v1 * sv, argb});
    }
    sdlplat::addQuads(d, sdlplat::screenState(sdlplat::kFontTexture), d.vertexScratch.data(),
                      int(d.glyphScratch.size()));
}

void setView(const Matrix& view) {
    dev().current.view = view;
    dev().currentPushed = false;
}

void setProjection(const Matrix& projection) {
    dev().current.projection = projection;
    dev().currentPushed = false;
}

void setFog(const Fog& fog) {
    dev().current.fog = fog;
    dev().currentPushed = false;
}

void setWireframe(bool on) {
    dev().wireframe = on;
}
void setDepthTest(bool on) {
    dev().depthTest = on;
}

void drawQuads(int texture, Blend blend, const Vertex* vertices, int quadCount) {
    auto& d = dev();
    if (!d.ready || texture < 0 || texture >= kTextureCount || quadCount <= 0) return;
    sdlplat::DrawState s;
    s.texture = texture;
    s.blend = blend;
    s.wireframe = d.wireframe;
    s.depthTest = d.depthTest;
    s.screenSpace = false;
    s.uniforms = sdlplat::currentUniforms(d);
    sdlplat::addQuads(d, s, vertices, quadCount);
}

bool saveScreenshot(const std::string& path) {
    auto& d = dev();
    if (!d.ready || !sdlplat::createScreenshotBuffer(d)) return false;
    // The last presented frame, drawn again off screen.
    glBindFramebuffer(GL_FRAMEBUFFER, d.fbo);
    glViewport(0, 0, d.width, d.height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    sdlplat::FrameStats ignored;
    for (const sdlplat::QuadBatch& part : d.lastParts)
        sdlplat::drawBatch(d, part, d.lastUniformSets, ignored);
    std::vector<uint8_t> pixels(size_t(d.width) * d.height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, d.fbo);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, d.width, d.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    if (glGetError() != GL_NO_ERROR) return false;
    // GL reads rows from the bottom; the writer wants them from the top.
    const size_t row = size_t(d.width) * 3;
    for (int y = 0; y < d.height / 2; ++y)
        std::swap_ranges(pixels.begin() + y * row, pixels.begin() + (y + 1) * row,
                         pixels.begin() + (d.height - 1 - y) * row);
    return sdlplat::writeBmp24(path, d.width, d.height, pixels.data());
}

}  // namespace plat

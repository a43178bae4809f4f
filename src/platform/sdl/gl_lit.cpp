// Lit quads on GL: the world's faces, streamed each frame or kept on the
// device in meshes. Their colour comes from the light table, looked up in the
// vertex shader from the quad's two light bytes and the sky level, so a change
// of daylight changes one uniform and never the geometry. Block textures sit in
// one texture array so that a mesh draws in one call whatever its textures;
// a texture of another size is drawn on its own with the plain program.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/sdl/gl_device_state.h"

namespace sdlplat {
namespace {

const char* kLitVertexShader = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in uint aCell;
layout(location = 2) in uvec4 aCorner;  // u, v, texture, light table row
layout(location = 3) in uvec4 aLight;   // absorbed, own, alpha, -
uniform mat4 uView;
uniform mat4 uProjection;
uniform int uSkyLevel;
uniform ivec3 uBoxMin;
uniform ivec3 uBoxMax;
uniform int uLayerOf[128];
uniform sampler2D uShades;
uniform bool uFog;
uniform float uFogStart;
uniform float uFogEnd;
out vec2 vTexCoord;
flat out float vLayer;
flat out vec4 vColour;
out float vFog;
void main() {
    ivec3 cell = ivec3(int(aCell & 1023u), int((aCell >> 10) & 255u), int((aCell >> 18) & 1023u));
    if (any(lessThan(cell, uBoxMin)) || any(greaterThan(cell, uBoxMax))) {
        // All four corners on one point outside the clip volume: nothing drawn.
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
        vTexCoord = vec2(0.0);
        vLayer = 0.0;
        vColour = vec4(0.0);
        vFog = 1.0;
        return;
    }
    vec4 eye = uView * vec4(aPosition, 1.0);
    vec4 clip = uProjection * eye;
    clip.z = 2.0 * clip.z - clip.w;
    gl_Position = clip;
    vTexCoord = vec2(aCorner.xy);
    vLayer = float(uLayerOf[min(aCorner.z, 127u)]);
    int level = clamp(max(uSkyLevel - int(aLight.x), int(aLight.y)), 0, 255);
    float shade = texelFetch(uShades, ivec2(level, int(aCorner.w)), 0).r;
    vColour = vec4(shade, shade, shade, float(aLight.z) / 255.0);
    // Linear fog worked out per vertex: how much of the face's own colour is left.
#if SPANS
    // Left unclamped and linear in depth (the eye looks along +z, so this is
    // the same as the faces' for all it can see, clipped corners included):
    // the pixels' own clamp gives the exact fog however long the quad is.
    vFog = uFog ? (uFogEnd - eye.z) / max(uFogEnd - uFogStart, 1e-6) : 1.0;
#else
    vFog = uFog ? clamp((uFogEnd - abs(eye.z)) / max(uFogEnd - uFogStart, 1e-6), 0.0, 1.0) : 1.0;
#endif
}
)";

const char* kLitFragmentShader = R"(
#if LAYERED
uniform sampler2DArray uTexture;
#else
uniform sampler2D uTexture;
#endif
uniform vec3 uFogColour;
in vec2 vTexCoord;
flat in float vLayer;
flat in vec4 vColour;
in float vFog;
out vec4 fragColour;
void main() {
#if LAYERED
    vec4 texel = texture(uTexture, vec3(vTexCoord, vLayer));
#else
    vec4 texel = texture(uTexture, vTexCoord);
#endif
#if ALPHA_TEST
    if (texel.a < 0.5 / 255.0) discard;
#endif
    vec4 c = texel * vColour;
#if SPANS
    fragColour = vec4(mix(uFogColour, c.rgb, clamp(vFog, 0.0, 1.0)), c.a);
#else
    fragColour = vec4(mix(uFogColour, c.rgb, vFog), c.a);
#endif
}
)";

// The program of each pass: [0] opaque, [1] dropping empty texels, [2] spanning cells.
int programOf(plat::LitPass pass) {
    return pass == plat::LitPass::Opaque ? 0 : pass == plat::LitPass::OpaqueSpans ? 2 : 1;
}

bool makeLitProgram(Device& d, LitProgram& p, bool layered, int kind) {
    const std::string head = std::string(shaderHead()) + "#define LAYERED " +
                             (layered ? "1" : "0") + "\n#define ALPHA_TEST " +
                             (kind == 1 ? "1" : "0") + "\n#define SPANS " +
                             (kind == 2 ? "1" : "0") + "\n";
    p.program = linkProgram(head + kLitVertexShader, head + kLitFragmentShader, "lit shader");
    if (!p.program) return false;
    p.uView = glGetUniformLocation(p.program, "uView");
    p.uProjection = glGetUniformLocation(p.program, "uProjection");
    p.uFog = glGetUniformLocation(p.program, "uFog");
    p.uFogStart = glGetUniformLocation(p.program, "uFogStart");
    p.uFogEnd = glGetUniformLocation(p.program, "uFogEnd");
    p.uFogColour = glGetUniformLocation(p.program, "uFogColour");
    p.uSkyLevel = glGetUniformLocation(p.program, "uSkyLevel");
    p.uBoxMin = glGetUniformLocation(p.program, "uBoxMin");
    p.uBoxMax = glGetUniformLocation(p.program, "uBoxMax");
    // Fixed for the program's life: texture units and the layer of each texture.
    glUseProgram(p.program);
    glUniform1i(glGetUniformLocation(p.program, "uTexture"), 0);
    glUniform1i(glGetUniformLocation(p.program, "uShades"), 1);
    GLint layers[128];
    for (int n = 0; n < 128; ++n)
        layers[n] = n < plat::kTextureCount ? std::max(0, d.layerOf[size_t(n)]) : 0;
    glUniform1iv(glGetUniformLocation(p.program, "uLayerOf"), 128, layers);
    return true;
}

// The size most textures share becomes the size of the array's layers.
std::pair<int, int> commonSize(const std::array<const Image*, plat::kTextureCount>& images) {
    std::map<std::pair<int, int>, int> counts;
    for (const Image* image : images)
        if (image) ++counts[{image->width, image->height}];
    std::pair<int, int> best{0, 0};
    int most = 0;
    for (const auto& [size, n] : counts)
        if (n > most) most = n, best = size;
    return best;
}

void makeBlockArray(Device& d, const std::array<const Image*, plat::kTextureCount>& images) {
    const auto [w, h] = commonSize(images);
    int layers = 0;
    for (int n = 0; n < plat::kTextureCount; ++n) {
        const Image* image = images[size_t(n)];
        d.layerOf[size_t(n)] = image && image->width == w && image->height == h ? layers++ : -1;
    }
    glGenTextures(1, &d.blockArray);
    glBindTexture(GL_TEXTURE_2D_ARRAY, d.blockArray);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGBA8, w, h, std::max(layers, 1), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
    for (int n = 0; n < plat::kTextureCount; ++n)
        if (d.layerOf[size_t(n)] >= 0)
            glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, d.layerOf[size_t(n)], w, h, 1, GL_RGBA,
                            GL_UNSIGNED_BYTE, images[size_t(n)]->rgba.data());
    // The same sampling as the plain textures: point sampled, repeating.
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, 0);
}

void makeLightTexture(Device& d) {
    glGenTextures(1, &d.lightTexture);
    glBindTexture(GL_TEXTURE_2D, d.lightTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R32F, plat::kLightLevels, plat::kLightRows, 0, GL_RED,
                 GL_FLOAT, &d.lightTable.shade[0][0]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    d.lightTableChanged = false;
}

// Attribute layout of plat::LitVertex for the bound vertex buffer.
void describeLitVertex() {
    const GLsizei stride = sizeof(plat::LitVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(1);
    glVertexAttribIPointer(1, 1, GL_UNSIGNED_INT, stride, reinterpret_cast<void*>(12));
    glEnableVertexAttribArray(2);
    glVertexAttribIPointer(2, 4, GL_UNSIGNED_BYTE, stride, reinterpret_cast<void*>(16));
    glEnableVertexAttribArray(3);
    glVertexAttribIPointer(3, 4, GL_UNSIGNED_BYTE, stride, reinterpret_cast<void*>(20));
}

void applyLitUniforms(const LitProgram& p, const UniformSet& s) {
    glUniformMatrix4fv(p.uView, 1, GL_FALSE, s.view.m);
    glUniformMatrix4fv(p.uProjection, 1, GL_FALSE, s.projection.m);
    glUniform1i(p.uFog, s.fog.enabled ? 1 : 0);
    glUniform1f(p.uFogStart, s.fog.start);
    glUniform1f(p.uFogEnd, s.fog.end);
    glUniform3f(p.uFogColour, float((s.fog.rgb >> 16) & 0xFF) / 255.0f,
                float((s.fog.rgb >> 8) & 0xFF) / 255.0f, float(s.fog.rgb & 0xFF) / 255.0f);
    glUniform1i(p.uSkyLevel, s.skyLevel);
    glUniform3i(p.uBoxMin, s.box.x0, s.box.y0, s.box.z0);
    glUniform3i(p.uBoxMax, s.box.x1, s.box.y1, s.box.z1);
}

// Binds the program for a pass and texture kind, with the run's uniforms.
void useLitProgram(Device& d, bool layered, plat::LitPass pass, uint32_t uniforms,
                   const std::vector<UniformSet>& uniformSets) {
    LitProgram& p = d.lit[layered ? 1 : 0][programOf(pass)];
    glUseProgram(p.program);
    if (p.applied != uniforms) {
        applyLitUniforms(p, uniformSets[uniforms]);
        p.applied = uniforms;
    }
}

bool layered(const Device& d, int texture) {
    return texture >= 0 && texture < plat::kTextureCount && d.layerOf[size_t(texture)] >= 0;
}

void drawQuadSpans(const std::vector<GLsizei>& counts, const std::vector<const void*>& offsets) {
    if (counts.empty()) return;
    if (counts.size() == 1)
        glDrawElements(GL_TRIANGLES, counts[0], GL_UNSIGNED_INT, offsets[0]);
    else
        glMultiDrawElements(GL_TRIANGLES, counts.data(), GL_UNSIGNED_INT, offsets.data(),
                            GLsizei(counts.size()));
}

const void* quadOffset(uint32_t quad) {
    return reinterpret_cast<const void*>(size_t(quad) * 6 * sizeof(uint32_t));
}

// Draws quads [first, first + count) of the bound vertex array: the layered
// ones with the array, lone textures each on their own.
void drawSpan(Device& d, uint32_t first, uint32_t count, const std::vector<LoneRun>& lone,
              plat::LitPass pass, uint32_t uniforms, const std::vector<UniformSet>& uniformSets,
              FrameStats& stats) {
    uint32_t at = first;
    const uint32_t end = first + count;
    for (const LoneRun& r : lone) {
        if (r.first + r.count <= at || r.first >= end) continue;
        const uint32_t loneFirst = std::max(r.first, at);
        const uint32_t loneEnd = std::min(r.first + r.count, end);
        if (loneFirst > at) {
            useLitProgram(d, true, pass, uniforms, uniformSets);
            glActiveTexture(GL_TEXTURE0);
            glBindTexture(GL_TEXTURE_2D_ARRAY, d.blockArray);
            glDrawElements(GL_TRIANGLES, GLsizei((loneFirst - at) * 6), GL_UNSIGNED_INT,
                           quadOffset(at));
            ++stats.drawCalls;
        }
        useLitProgram(d, false, pass, uniforms, uniformSets);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, d.textures[size_t(r.texture)]);
        glDrawElements(GL_TRIANGLES, GLsizei((loneEnd - loneFirst) * 6), GL_UNSIGNED_INT,
                       quadOffset(loneFirst));
        ++stats.drawCalls;
        at = loneEnd;
    }
    if (at < end) {
        useLitProgram(d, true, pass, uniforms, uniformSets);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_ARRAY, d.blockArray);
        glDrawElements(GL_TRIANGLES, GLsizei((end - at) * 6), GL_UNSIGNED_INT, quadOffset(at));
        ++stats.drawCalls;
    }
}

// Runs of quads whose texture is not a layer, in order.
std::vector<LoneRun> loneRuns(const Device& d, const plat::LitVertex* v, uint32_t quads) {
    std::vector<LoneRun> out;
    for (uint32_t q = 0; q < quads; ++q) {
        const int texture = v[size_t(q) * 4].texture;
        if (layered(d, texture)) continue;
        if (!out.empty() && out.back().first + out.back().count == q &&
            out.back().texture == texture)
            ++out.back().count;
        else
            out.push_back(
                {q, 1, texture < plat::kTextureCount ? texture : plat::kTextureCount - 1});
    }
    return out;
}

}  // namespace

bool createLitObjects(Device& d, const std::array<const Image*, plat::kTextureCount>& images) {
    makeBlockArray(d, images);
    makeLightTexture(d);
    for (int a = 0; a < 2; ++a)
        for (int b = 0; b < 3; ++b)
            if (!makeLitProgram(d, d.lit[a][b], a == 1, b)) return false;
    glGenVertexArrays(1, &d.litVao);
    glBindVertexArray(d.litVao);
    glGenBuffers(1, &d.litVbo);
    glBindBuffer(GL_ARRAY_BUFFER, d.litVbo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.ibo);
    describeLitVertex();
    glBindVertexArray(d.vao);
    return true;
}

void destroyLitObjects(Device& d) {
    for (auto& [id, mesh] : d.meshes) {
        if (mesh.vbo) glDeleteBuffers(1, &mesh.vbo);
        if (mesh.vao) glDeleteVertexArrays(1, &mesh.vao);
    }
    d.meshes.clear();
    for (auto& row : d.lit)
        for (LitProgram& p : row)
            if (p.program) glDeleteProgram(p.program);
    if (d.blockArray) glDeleteTextures(1, &d.blockArray);
    if (d.lightTexture) glDeleteTextures(1, &d.lightTexture);
    if (d.litVbo) glDeleteBuffers(1, &d.litVbo);
    if (d.litVao) glDeleteVertexArrays(1, &d.litVao);
}

void prepareLitBatch(Device& d, const QuadBatch& batch) {
    for (auto& row : d.lit)
        for (LitProgram& p : row) p.applied = UINT32_MAX;
    if (d.lightTableChanged) {
        glBindTexture(GL_TEXTURE_2D, d.lightTexture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, plat::kLightLevels, plat::kLightRows, GL_RED,
                        GL_FLOAT, &d.lightTable.shade[0][0]);
        d.lightTableChanged = false;
    }
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, d.lightTexture);
    glActiveTexture(GL_TEXTURE0);
    const uint32_t quads = batch.litQuadCount();
    if (quads == 0) return;
    glBindVertexArray(d.vao);
    ensureIndices(d, quads);
    const size_t bytes = batch.litVertices.size() * sizeof(plat::LitVertex);
    glBindBuffer(GL_ARRAY_BUFFER, d.litVbo);
    const size_t storage = std::max(bytes, d.litBytes);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(storage), nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(bytes), batch.litVertices.data());
    d.litBytes = storage;
}

void drawLitRun(Device& d, const QuadBatch& batch, const Run& run,
                const std::vector<UniformSet>& uniformSets, FrameStats& stats) {
    const uint32_t uniforms = run.state.uniforms;
    if (run.kind == RunKind::Lit) {
        glBindVertexArray(d.litVao);
        const plat::LitVertex* v = &batch.litVertices[size_t(run.firstQuad) * 4];
        std::vector<LoneRun> lone = loneRuns(d, v, run.quadCount);
        for (LoneRun& r : lone) r.first += run.firstQuad;
        drawSpan(d, run.firstQuad, run.quadCount, lone, run.pass, uniforms, uniformSets, stats);
        stats.quads += int(run.quadCount);
        return;
    }
    auto it = d.meshes.find(run.mesh);
    if (it == d.meshes.end()) return;
    const GlMesh& mesh = it->second;
    glBindVertexArray(mesh.vao);
    const plat::QuadRange* ranges = &batch.meshRanges[run.firstQuad];
    if (mesh.lone.empty()) {
        // The common case: every quad from the array, all ranges in one call.
        std::vector<GLsizei> counts;
        std::vector<const void*> offsets;
        for (uint32_t i = 0; i < run.quadCount; ++i) {
            const uint32_t first = std::min(ranges[i].first, mesh.quads);
            const uint32_t count = std::min(ranges[i].count, mesh.quads - first);
            if (count == 0) continue;
            counts.push_back(GLsizei(count * 6));
            offsets.push_back(quadOffset(first));
            stats.quads += int(count);
        }
        if (counts.empty()) return;
        useLitProgram(d, true, run.pass, uniforms, uniformSets);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_ARRAY, d.blockArray);
        drawQuadSpans(counts, offsets);
        ++stats.drawCalls;
        return;
    }
    for (uint32_t i = 0; i < run.quadCount; ++i) {
        const uint32_t first = std::min(ranges[i].first, mesh.quads);
        const uint32_t count = std::min(ranges[i].count, mesh.quads - first);
        if (count == 0) continue;
        drawSpan(d, first, count, mesh.lone, run.pass, uniforms, uniformSets, stats);
        stats.quads += int(count);
    }
}

void releaseDoomedMeshes(Device& d) {
    ++d.presents;
    auto& doomed = d.doomedMeshes;
    for (size_t i = 0; i < doomed.size();) {
        if (d.presents - doomed[i].second < 2) {
            ++i;
            continue;
        }
        auto it = d.meshes.find(doomed[i].first);
        if (it != d.meshes.end()) {
            glDeleteBuffers(1, &it->second.vbo);
            glDeleteVertexArrays(1, &it->second.vao);
            d.meshes.erase(it);
        }
        doomed[i] = doomed.back();
        doomed.pop_back();
    }
}

}  // namespace sdlplat

namespace plat {

using sdlplat::dev;

void setLightTable(const LightTable& table) {
    dev().lightTable = table;
    dev().lightTableChanged = true;
}

void setSkyLevel(int level) {
    if (dev().current.skyLevel == level) return;
    dev().current.skyLevel = level;
    dev().currentPushed = false;
}

void setCellBox(const CellBox& box) {
    const CellBox& b = dev().current.box;
    if (b.x0 == box.x0 && b.y0 == box.y0 && b.z0 == box.z0 && b.x1 == box.x1 && b.y1 == box.y1 &&
        b.z1 == box.z1)
        return;
    dev().current.box = box;
    dev().currentPushed = false;
}

void setSeparateDraws(bool on) {
    dev().separateDraws = on;
}

namespace {

sdlplat::DrawState litState(sdlplat::Device& d) {
    sdlplat::DrawState s;
    s.wireframe = d.wireframe;
    s.depthTest = d.depthTest;
    s.culling = d.culling;
    s.screenSpace = false;
    s.uniforms = sdlplat::currentUniforms(d);
    return s;
}

}  // namespace

void drawLitQuads(LitPass pass, const LitVertex* vertices, int quadCount) {
    auto& d = dev();
    if (!d.ready || !vertices || quadCount <= 0) return;
    sdlplat::appendLitQuads(d.batch, litState(d), pass, vertices, quadCount, d.separateDraws);
    if (d.batch.litQuadCount() >= sdlplat::kFlushQuads) sdlplat::flush(d);
}

MeshId createMesh(const LitVertex* vertices, int quadCount) {
    auto& d = dev();
    if (!d.ready || !vertices || quadCount <= 0) return 0;
    const MeshId id = d.nextMesh++;
    sdlplat::GlMesh& mesh = d.meshes[id];
    mesh.quads = uint32_t(quadCount);
    mesh.lone = sdlplat::loneRuns(d, vertices, mesh.quads);
    glBindVertexArray(d.vao);
    sdlplat::ensureIndices(d, mesh.quads);
    glGenVertexArrays(1, &mesh.vao);
    glBindVertexArray(mesh.vao);
    glGenBuffers(1, &mesh.vbo);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vbo);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(quadCount) * 4 * sizeof(LitVertex)), vertices,
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.ibo);
    sdlplat::describeLitVertex();
    glBindVertexArray(d.vao);
    return id;
}

bool refillMesh(MeshId mesh, const LitVertex* vertices, int quadCount) {
    auto& d = dev();
    auto it = d.meshes.find(mesh);
    if (!d.ready || !vertices || quadCount <= 0 || it == d.meshes.end()) return false;
    for (const auto& [id, at] : d.doomedMeshes)
        if (id == mesh) return false;
    sdlplat::GlMesh& m = it->second;
    m.quads = uint32_t(quadCount);
    m.lone = sdlplat::loneRuns(d, vertices, m.quads);
    glBindVertexArray(d.vao);
    sdlplat::ensureIndices(d, m.quads);
    glBindBuffer(GL_ARRAY_BUFFER, m.vbo);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(quadCount) * 4 * sizeof(LitVertex)), vertices,
                 GL_STATIC_DRAW);
    return true;
}

void destroyMesh(MeshId mesh) {
    auto& d = dev();
    if (!d.meshes.count(mesh)) return;
    for (const auto& [id, at] : d.doomedMeshes)
        if (id == mesh) return;
    d.doomedMeshes.push_back({mesh, d.presents});
}

void drawMesh(MeshId mesh, LitPass pass, const QuadRange* ranges, int rangeCount) {
    auto& d = dev();
    if (!d.ready || !ranges || rangeCount <= 0 || !d.meshes.count(mesh)) return;
    sdlplat::appendMeshDraw(d.batch, litState(d), pass, mesh, ranges, rangeCount);
}

}  // namespace plat

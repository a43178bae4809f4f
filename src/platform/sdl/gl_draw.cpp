// Batch drawing: the frame's quads piled up, then sent to GL in a few large
// draw calls at present (or earlier when a frame grows very large).
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

#include <algorithm>
#include <vector>

#include "platform/sdl/gl_device_state.h"

namespace sdlplat {
namespace {

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

// The window's back buffer, its viewport the frame's whole drawable: the 3D
// view fills it, and sprites and text arrive already placed in it. A frame
// that neither clears nor covers the window first would leave last frame's
// pixels beside the picture, so those get black.
void bindWindowBuffer(Device& d, bool firstPart) {
    sizeFrame(d);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, d.frameWidth, d.frameHeight);
    const bool larger = d.frameWidth != d.width || d.frameHeight != d.height;
    const bool clears = !d.batch.runs.empty() && d.batch.runs.front().kind == RunKind::Clear;
    if (firstPart && larger && !clears) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
}

}  // namespace

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
    d.frameSized = false;
}

void sizeFrame(Device& d) {
    if (d.frameSized) return;
    int w = 0, h = 0;
    if (SDL_Window* win = window()) SDL_GL_GetDrawableSize(win, &w, &h);
    // No window, or one shrunk to nothing (minimised): the picture's own size.
    if (w <= 0 || h <= 0) w = d.width, h = d.height;
    d.frameWidth = w, d.frameHeight = h;
    d.uniformSets[0] = screenSet(w, h);
    d.frameSized = true;
}

void drawQuadTriangles(const Run& run) {
    glDrawElements(GL_TRIANGLES, GLsizei(run.quadCount * 6), GL_UNSIGNED_INT,
                   reinterpret_cast<void*>(size_t(run.firstQuad) * 6 * sizeof(uint32_t)));
}

void drawBatch(Device& d, const QuadBatch& batch, const std::vector<UniformSet>& uniformSets,
               FrameStats& stats) {
    if (batch.runs.empty()) return;
    const uint32_t quads = batch.quadCount();
    glBindVertexArray(d.vao);
    glActiveTexture(GL_TEXTURE0);
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
    prepareLitBatch(d, batch);
    // Nothing is assumed about GL's state between flushes.
    bool plainBound = false;  // the quad program, its vertex array and uniform unit
    int boundTexture = -1;
    uint32_t boundUniforms = UINT32_MAX;
    int blend = -1, depth = -1, wire = -1, cull = -1;
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
        const bool culled = s.culling && !s.screenSpace;
        if (int(culled) != cull) {
            if (culled)
                glEnable(GL_CULL_FACE);
            else
                glDisable(GL_CULL_FACE);
            cull = int(culled);
        }
        if (run.kind == RunKind::Lit || run.kind == RunKind::Mesh) {
            // The lit programs bind their own program, arrays and textures.
            const int passBlend = run.pass == plat::LitPass::Blended ? 100 : 101;
            if (passBlend != blend) {
                if (run.pass == plat::LitPass::Blended) {
                    glEnable(GL_BLEND);
                    glBlendEquation(GL_FUNC_ADD);
                    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                } else {
                    glDisable(GL_BLEND);
                }
                blend = passBlend;
            }
            drawLitRun(d, batch, run, uniformSets, stats);
            plainBound = false;
            boundTexture = -1;
            continue;
        }
        if (!plainBound) {
            glUseProgram(d.program);
            glBindVertexArray(d.vao);
            glActiveTexture(GL_TEXTURE0);
            glUniform1i(d.uTexture, 0);
            plainBound = true;
        }
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
        if (s.wireframe)
            drawQuadEdges(d, batch, run, uniformSets[s.uniforms], culled);
        else
            drawQuadTriangles(run);
        ++stats.drawCalls;
        stats.quads += int(run.quadCount);
    }
}


void flush(Device& d) {
    if (d.batch.runs.empty()) return;
    bindWindowBuffer(d, d.drawnParts.empty());
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

DrawState spriteState(const Device& d, int texture, uint32_t argb) {
    DrawState s = screenState(texture);
    if (texture >= 0 && texture < plat::kTextureCount && d.opaque[size_t(texture)] &&
        argb >> 24 == 0xFF)
        s.blend = plat::Blend::Opaque;
    return s;
}

FrameStats lastFrameStats() {
    return dev().last;
}

void presentDevice(SDL_Window* win) {
    Device& d = dev();
    bindWindowBuffer(d, d.drawnParts.empty());
    drawBatch(d, d.batch, d.uniformSets, d.building);
    SDL_GL_SwapWindow(win);
    d.lastWidth = d.frameWidth, d.lastHeight = d.frameHeight;
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
    releaseDoomedMeshes(d);
}

}  // namespace sdlplat

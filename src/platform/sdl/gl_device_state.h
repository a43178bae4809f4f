// The GL device's state, shared by its three parts: set-up (gl_setup.cpp),
// batch drawing (gl_draw.cpp) and the entry points the game calls
// (gl_device.cpp). Not for game code.
#pragma once

#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/batching.h"
#include "platform/sdl/sdl_private.h"
#include "platform/sdl/text_layout.h"

namespace sdlplat {

static_assert(sizeof(plat::Vertex) == 24, "the vertex layout assumes 24-byte vertices");

inline constexpr int kFontTexture = plat::kTextureCount;  // the glyph atlas follows the game's textures
inline constexpr int kFontPixelHeight = 12;
// More quads than this in one frame are drawn in several uploads.
inline constexpr uint32_t kFlushQuads = 1u << 20;

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

Device& dev();

plat::Matrix identity();
// Pixels of the back buffer, top-left origin, to clip space.
UniformSet screenSet(int width, int height);
void startFrame(Device& d);

// Set-up pieces the drawing needs.
bool createScreenshotBuffer(Device& d);
void ensureIndices(Device& d, uint32_t quads);

// Sends one batch to GL, one draw call per run, into the bound framebuffer.
void drawBatch(Device& d, const QuadBatch& batch, const std::vector<UniformSet>& uniformSets,
               FrameStats& stats);
// Draws what the frame has piled up so far; the frame goes on after it.
void flush(Device& d);
// The number of the matrices and fog in force, pushing them when changed.
uint32_t currentUniforms(Device& d);
void addQuads(Device& d, const DrawState& state, const plat::Vertex* vertices, int quads);
// Sprites and text: pixel coordinates, alpha blending, no depth.
DrawState screenState(int texture);

}  // namespace sdlplat

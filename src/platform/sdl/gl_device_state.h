// The GL device's state, shared by its three parts: set-up (gl_setup.cpp),
// batch drawing (gl_draw.cpp) and the entry points the game calls
// (gl_device.cpp). Not for game code.
#pragma once

#include "platform/sdl/gl_api.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/batching.h"
#include "platform/sdl/image_decode.h"
#include "platform/sdl/sdl_private.h"
#include "platform/sdl/text_layout.h"

namespace sdlplat {

static_assert(sizeof(plat::Vertex) == 24, "the vertex layout assumes 24-byte vertices");

// The glyph atlases follow the game's textures, one for each scale the
// interface can be placed at (kFontTexture + quarters); text laid out at q
// quarters is drawn from a font of 3 q pixels.
inline constexpr int kFontTexture = plat::kTextureCount;
inline constexpr int kFontPixelHeight = 12;
inline constexpr int kFontSizes = plat::kMaxInterfaceQuarters + 1;
inline constexpr int kDeviceTextures = plat::kTextureCount + kFontSizes;
// More quads than this in one frame are drawn in several uploads.
inline constexpr uint32_t kFlushQuads = 1u << 20;

struct UniformSet {
    plat::Matrix view;
    plat::Matrix projection;
    plat::Fog fog;
    int skyLevel = 0;
    plat::CellBox box{0, 0, 0, -1, -1, -1};
};

// One of the four programs that draw lit quads: block textures from the layered
// array or one plain texture, with or without dropping empty texels.
struct LitProgram {
    GLuint program = 0;
    GLint uView = -1, uProjection = -1, uFog = -1, uFogStart = -1, uFogEnd = -1, uFogColour = -1,
          uSkyLevel = -1, uBoxMin = -1, uBoxMax = -1;
    uint32_t applied = UINT32_MAX;  // uniform set last given to it in this batch
};

// Quads of a mesh whose texture is not a layer of the block array: drawn with
// that texture on its own.
struct LoneRun {
    uint32_t first, count;
    int texture;
};

struct GlMesh {
    GLuint vao = 0, vbo = 0;
    uint32_t quads = 0;
    std::vector<LoneRun> lone;
};

struct Device {
    bool ready = false;
    int width = 0, height = 0;  // the window's first size
    // The frame being built: its size in drawable pixels (read once it starts).
    bool frameSized = false;
    int frameWidth = 0, frameHeight = 0;
    // Where sprites and text stand, as the game last placed them.
    plat::Placement placement;
    int lastWidth = 0, lastHeight = 0;  // of the last presented frame
    int fboWidth = 0, fboHeight = 0;
    GLuint program = 0, vao = 0, vbo = 0, ibo = 0;
    GLuint edgeIbo = 0;  // lines of wireframe quads, where GL has no line polygon mode
    GLuint fbo = 0, colourBuffer = 0, depthBuffer = 0;  // made at the first screenshot
    GLint uView = -1, uProjection = -1, uTexture = -1, uFog = -1, uFogStart = -1, uFogEnd = -1,
          uFogColour = -1;
    std::array<GLuint, kDeviceTextures> textures{};
    std::array<std::pair<int, int>, kDeviceTextures> textureSizes{};
    // Textures with no texel to leave out or blend: drawn untinted, they need
    // no blending, which the software rasteriser pays for per pixel.
    std::array<bool, plat::kTextureCount> opaque{};

    // Lit quads: programs [layered][alpha tested], the block texture array and
    // each texture's layer in it (-1: not in it), the light table, the stream
    // buffer of lit quads and the meshes kept on the device.
    LitProgram lit[2][3];  // [layered][opaque, dropping empty texels, spanning cells]
    GLuint blockArray = 0;
    std::array<int, plat::kTextureCount> layerOf{};
    GLuint lightTexture = 0;
    plat::LightTable lightTable{};
    bool lightTableChanged = true;
    GLuint litVao = 0, litVbo = 0;
    size_t litBytes = 0;
    std::unordered_map<uint32_t, GlMesh> meshes;
    uint32_t nextMesh = 1;
    // Destroyed meshes wait two presents: the frame kept for screenshots may draw them.
    std::vector<std::pair<uint32_t, int>> doomedMeshes;
    int presents = 0;
    bool separateDraws = false;
    bool culling = false;
    uint32_t indexCapacity = 0;  // quads the index buffer covers
    size_t vertexBytes = 0;      // size of the vertex buffer's storage
    // fonts[q] draws text laid out at q quarters; all but the 12-pixel one
    // (q = 4) are made when first needed (an empty atlas: not made, or it failed).
    std::array<FontAtlas, kFontSizes> fonts;
    std::array<bool, kFontSizes> fontTried{};

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

// Reads the drawable's size when the frame being built has none yet.
void sizeFrame(Device& d);

// Set-up pieces the drawing needs.
// An off-screen buffer of the last presented frame's size.
bool createScreenshotBuffer(Device& d);
// The glyph atlas for text laid out at `quarters`, made on first use; nullptr
// when it cannot be made.
const FontAtlas* fontFor(Device& d, int quarters);
void ensureIndices(Device& d, uint32_t quads);
// A linked program of the two shaders, or 0 after printing why; `what` names
// it in the message.
GLuint linkProgram(const std::string& vertexSource, const std::string& fragmentSource,
                   const char* what);

// A texture of the bound unit, point sampled, with wrapping `wrap`.
GLuint makeTexture(int width, int height, GLenum internalFormat, GLenum format, const void* pixels,
                   GLenum wrap);

// ---- where OpenGL 3.3 core and WebGL 2 differ (gl_desktop.cpp, web/gl_web.cpp)
// The lines every shader begins with: the language's version and, for GL ES,
// the precisions it wants named.
const char* shaderHead();
// A quad's two triangles, 0-1-2 and 0-2-3, listed so that corner 0 is the one
// whose colour flat shading takes; takeFirstCornerColours sets the GL state
// that goes with that order. Desktop GL can be told to take the first corner;
// WebGL always takes the last, so there each triangle is listed turned round
// (the same triangle, facing the same way).
extern const uint32_t kQuadCorners[6];
void takeFirstCornerColours();
// One coverage byte per texel, read as white with that much alpha.
GLuint makeCoverageTexture(int width, int height, const uint8_t* coverage);
// A run of wireframe quads with the quad program, vertex array and uniforms
// bound: the edges of the triangles that face culling leaves (`culled`).
// Desktop GL has the polygon mode set and draws the triangles; WebGL has no
// such mode and draws those edges as lines.
void drawQuadEdges(Device& d, const QuadBatch& batch, const Run& run, const UniformSet& uniforms,
                   bool culled);
// A run of quads as triangles, with the quad program bound.
void drawQuadTriangles(const Run& run);
// Pixels of the bound read framebuffer, 3 bytes each, rows from the bottom.
bool readRgb(int width, int height, uint8_t* rgb);

// Lit quads (gl_lit.cpp): programs, block array and light table made at set-up
// from the decoded images; released with the device.
bool createLitObjects(Device& d, const std::array<const Image*, plat::kTextureCount>& images);
void destroyLitObjects(Device& d);
// Draws one lit or mesh run of a batch whose lit quads are already uploaded.
void drawLitRun(Device& d, const QuadBatch& batch, const Run& run,
                const std::vector<UniformSet>& uniformSets, FrameStats& stats);
// Uploads a batch's streamed lit quads and the light table when it changed;
// forgets which uniforms the lit programs hold.
void prepareLitBatch(Device& d, const QuadBatch& batch);
// Releases the meshes whose wait is over (called at present).
void releaseDoomedMeshes(Device& d);

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
// A sprite's: blending off where it would change nothing (an opaque texture
// drawn with a tint of full alpha).
DrawState spriteState(const Device& d, int texture, uint32_t argb);

}  // namespace sdlplat

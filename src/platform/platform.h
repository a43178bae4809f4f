// The game's one door to the machine: clock, input snapshots, window messages,
// cursor, files, error boxes and the drawing device. Game code includes this and
// keys.h only; two implementations exist, the SDL2/OpenGL one (the real window)
// and the headless one (tests and command-line tools), chosen at link time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/sounds.h"

namespace plat {

// ---- clock -------------------------------------------------------------------
// Wall-clock milliseconds since the process started, as the game keeps time.
int32_t clockMs();
// Calendar seconds since 1970 (the seed of a new world).
int64_t calendarSeconds();

// ---- input ---------------------------------------------------------------------
// One byte per DirectInput scan code; a key is held when its high bit is set.
struct KeyboardState {
    uint8_t keys[256];
};
// Motion since the previous read, in mouse units; buttons held when high bit set.
struct MouseState {
    int32_t dx;
    int32_t dy;
    uint8_t buttons[2];  // 0 = left, 1 = right
};
// Each returns false when the device cannot be read this frame (the snapshot is
// then all released); the game simply tries again next frame.
bool readKeyboard(KeyboardState& out);
bool readMouse(MouseState& out);

// ---- window messages -----------------------------------------------------------
enum class Message : uint8_t {
    None,   // the queue was empty
    Quit,   // the loop must end (posted quit, or the window was closed)
    Other,  // anything else, already dispatched
};
// Takes at most one waiting message and dispatches it.
Message takeMessage();
// Queues a quit message; the next takeMessage returns it.
void postQuit();

// ---- window and cursor -------------------------------------------------------
// Creates the window (outer size width x height, centred) and every device.
// The window may later be resized or made fullscreen (F11); the 3D view fills
// it (viewSize) and sprites and text follow the placement the game sets.
// 0 on success; on failure it has already shown its error box and returns < 0.
int createWindowAndDevices(const char* title, int width, int height);
// Releases the devices and the window. 0 on success.
int shutdown();
void showCursor(bool visible);
// Puts the pointer at (x, y) of the interface, as the placement in force places it.
void moveCursorToWindow(int x, int y);
// While on, mouse motion is relative and unbounded (playing); off in menus.
void setMouseCaptured(bool captured);
// The desktop's fullscreen (no change of video mode) or a window. F11 switches
// it too; isFullscreen tells what was last asked for, either way.
void setFullscreen(bool on);
bool isFullscreen();
// Frames shown: kSyncToDisplay waits for the screen's refresh, kNoFrameCap
// shows each at once, a number caps the frames a second.
inline constexpr int kSyncToDisplay = -1;
inline constexpr int kNoFrameCap = 0;
void setFrameCap(int framesPerSecond);

// ---- files -------------------------------------------------------------------
// Folder of the running executable, with a trailing '/'.
const std::string& exeFolder();
// Folder of the player's files (settings, worlds, screenshots), with a trailing
// '/': beside the executable when the game runs where it was built or
// unpacked, the user's data folder (made when missing) when it is installed
// (desktop.h has the rule).
std::string filesFolder();
// A file committed on a desktop is on its disk when the commit returns. In a
// browser the files folder lives in memory and is copied to the browser's
// storage afterwards, which ends in a later frame: a writer that must know its
// files will outlive the tab (a save, before it reports success) asks for a
// copy, and polls it frame by frame until it is no longer pending. Files
// written without asking are copied after the frame that wrote them.
using PersistTicket = uint32_t;
enum class PersistState : uint8_t { Done, Pending, Failed };
PersistTicket requestPersist();
// A ticket is done once a copy that began after it was asked for succeeded.
PersistState persistState(PersistTicket ticket);
// The desktop's locale names Italian (the language of a first start).
bool desktopSpeaksItalian();
// A variable of the process's environment, "" when unset.
std::string environmentVariable(const char* name);

// ---- messages to the player ---------------------------------------------------
// Modal box with a warning icon; returns when the player closes it.
void errorBox(const char* title, const char* text);

// ---- sound -------------------------------------------------------------------
// Effects are fire and forget: the mixing runs on the audio thread, and a
// call costs the game thread a few microseconds. Without an audio device (a
// server, a muted machine) the game is silent and both calls do nothing.
// A sound that would exceed the mixer's channels, or the few of its own kind
// allowed at once, fades the oldest one out rather than cutting it off.
void playSound(const SoundPlay& play);
// The loudness (0..1) of the two ambience loops, kept until the next call.
void setAmbience(float wind, float night);

// ---- drawing device -------------------------------------------------------------
// Texture numbers 0..103 as the texture list numbers them.
inline constexpr int kTextureCount = 104;

// Part of a texture in texels, from its top-left corner.
struct SourceRect {
    int x, y, width, height;
};

enum class Blend : uint8_t {
    Opaque,     // no blending (alpha test still drops transparent texels)
    Alpha,      // source alpha over destination
    Minimum,    // min(source, destination) per channel: dig cracks darken only
};

struct Vertex {
    float x, y, z;
    float u, v;
    uint32_t argb;  // vertex colour, multiplied with the texture
};

// A 4x4 matrix, row-vector convention (v' = v * M), rows stored one after the
// other: the layout of the classic fixed-function pipeline.
struct Matrix {
    float m[16];
};

struct Fog {
    bool enabled;
    float start, end;
    uint32_t rgb;  // 0x00RRGGBB
};

bool hasDevice();
// < 0 when the scene cannot be started.
int beginScene();
void endScene();
// Shows the back buffer. Presentation failures are not reported.
void present();
void clear(uint32_t argb);

// ---- 2D placement
// Sprites and text are laid out in the pixels of the game's 800 x 600 screen.
// A placement says where that layout's (0, 0) stands in the drawable and how
// much it is enlarged, in quarters (4 = as laid out): a part of the interface
// can stand at any edge or corner of a window of any size.
inline constexpr int kMinInterfaceQuarters = 4;
inline constexpr int kMaxInterfaceQuarters = 32;
struct Placement {
    int x = 0, y = 0;  // drawable pixels of the layout's (0, 0)
    int quarters = 4;
};
// Sprites and text drawn from now on stand where this places them.
void setPlacement(const Placement& placement);
// The drawable pixel a layout coordinate falls on. Rounded, so that sprites
// keep whole-pixel edges and sprites laid edge to edge still meet.
inline int placeX(const Placement& p, int x) {
    const long long v = (long long)x * p.quarters + 2;
    return p.x + int(v >= 0 ? v / 4 : -((-v + 3) / 4));
}
inline int placeY(const Placement& p, int y) {
    return placeX(Placement{p.y, 0, p.quarters}, y);
}

// 2D: sprite with its top-left corner at (x, y) of the layout, tinted by argb.
// No source rectangle = the whole texture. Texels are sampled nearest.
void drawSprite(int texture, int x, int y, uint32_t argb, const SourceRect* source = nullptr);
// 2D: one line of text in the 12-pixel bold monospaced font, clipped to the
// rectangle (left, top)-(right, bottom) of the layout. UTF-8. An enlarged
// layout gets its text drawn from a font of that size (12 pixels times the
// scale), never stretched.
void drawText(int left, int top, int right, int bottom, uint32_t argb, std::string_view text);
// 2D: the rectangle `area` of the layout filled with copies of `source` laid
// edge to edge from (originX, originY), every other copy mirrored in each
// direction, so that copies meet without a seam; the copies at the area's
// edges are cut, never squeezed.
struct LayoutRect {
    int x, y, width, height;
};
void drawPattern(int texture, const SourceRect& source, const LayoutRect& area, int originX,
                 int originY, uint32_t argb);
// Pixels of the frame being drawn: the whole window's drawable, which the 3D
// view fills (its aspect is the projection's).
struct ViewSize {
    int width, height;
};
ViewSize viewSize();

// 3D: transforms and fixed-function state for the quads that follow.
void setView(const Matrix& view);
void setProjection(const Matrix& projection);
void setFog(const Fog& fog);
void setWireframe(bool on);
void setDepthTest(bool on);
// Back faces are not drawn while on: a triangle whose corners turn clockwise as
// the viewer sees them (left-handed view and projection) is a back face. Sprites
// and text are never culled.
void setFaceCulling(bool on);
// Quads of four vertices each (0-1-2, 0-2-3), drawn with one texture and blend.
// The device batches consecutive calls; the result equals drawing them in order.
void drawQuads(int texture, Blend blend, const Vertex* vertices, int quadCount);

// ---- lit world quads -------------------------------------------------------------
// World geometry lit by a table: each quad carries its texture by number, the
// cell it belongs to and two light bytes; the device works out its colour as
//   level = max(skyLevel - absorbed, own), kept within 0..255
//   colour = lightTable[row][level] (grey), alpha = alpha / 255.
// Quads of cells outside the cell box are not drawn at all.
struct LitVertex {
    float x, y, z;     // world position
    uint32_t cell;     // packCell(x, y, z) of the cell the quad belongs to
    uint8_t u, v;      // texture corner, 0 or 1
    uint8_t texture;   // texture number
    uint8_t row;       // row of the light table
    uint8_t absorbed;  // light the sky loses on its way down to the quad's light cell
    uint8_t own;       // light that does not come from the sky (torches)
    uint8_t alpha;
    uint8_t unused;
};
static_assert(sizeof(LitVertex) == 24, "lit vertices are 24 bytes");

inline constexpr uint32_t packCell(int x, int y, int z) {
    return uint32_t(x & 1023) | uint32_t(y & 255) << 10 | uint32_t(z & 1023) << 18;
}
inline constexpr int cellX(uint32_t c) { return int(c & 1023); }
inline constexpr int cellY(uint32_t c) { return int(c >> 10 & 255); }
inline constexpr int cellZ(uint32_t c) { return int(c >> 18 & 1023); }

inline constexpr int kLightRows = 16;
inline constexpr int kLightLevels = 256;
// Brightness (0..1) by row and level; the table in force when a frame is
// presented lights every lit quad of that frame.
struct LightTable {
    float shade[kLightRows][kLightLevels];
};
void setLightTable(const LightTable& table);
// The sky's level for the lit quads that follow.
void setSkyLevel(int level);
// Cells (inclusive bounds) whose lit quads are drawn from now on.
struct CellBox {
    int x0, y0, z0, x1, y1, z1;
};
void setCellBox(const CellBox& box);

enum class LitPass : uint8_t {
    Opaque,       // no blending, every texel drawn
    AlphaTested,  // no blending, texels the images mark as empty dropped
    Blended,      // source alpha over destination, empty texels dropped
    // As Opaque, for quads that span several cells (texture corners past 1,
    // repeating): fog is clamped per pixel, since a clamp per corner would
    // bend it across a long quad.
    OpaqueSpans,
};

// Streamed lit quads (4 vertices each, 0-1-2, 0-2-3), drawn in order.
void drawLitQuads(LitPass pass, const LitVertex* vertices, int quadCount);
// While on, every drawLitQuads call is a draw call of its own instead of
// joining the one before (measuring one draw call per face).
void setSeparateDraws(bool on);

// Lit quads kept on the device: uploaded once, drawn by ranges many times.
using MeshId = uint32_t;  // 0 = none
MeshId createMesh(const LitVertex* vertices, int quadCount);
// Gives a mesh new quads in place of its old ones (false: no such mesh; it
// is then left alone). Frames drawn from then on see the new quads.
bool refillMesh(MeshId mesh, const LitVertex* vertices, int quadCount);
// The mesh stays usable by frames already drawn; its storage goes later.
void destroyMesh(MeshId mesh);
struct QuadRange {
    uint32_t first, count;
};
void drawMesh(MeshId mesh, LitPass pass, const QuadRange* ranges, int rangeCount);

// Writes the back buffer as a 24-bit BMP. false on any failure.
bool saveScreenshot(const std::string& path);

}  // namespace plat

// Control panel of the headless platform: tests and tools set the clock, script
// input and window messages, and read back everything the game drew.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/common/file_faults.h"
#include "platform/platform.h"

namespace headless {

struct SpriteCall {
    int texture;
    int x, y;
    uint32_t argb;
    bool hasSource;
    plat::SourceRect source;
    plat::Placement placement;  // in force when it was drawn
    // A pattern fills `area` with copies of `source` laid from (x, y).
    bool pattern = false;
    plat::LayoutRect area{};
};

struct TextCall {
    int left, top, right, bottom;
    uint32_t argb;
    std::string text;
    plat::Placement placement;
};

struct QuadCall {
    int texture;
    plat::Blend blend;
    bool wireframe;
    bool depthTest;
    bool culling;
    plat::Fog fog;
    std::vector<plat::Vertex> vertices;  // 4 per quad
};

// A lit draw: a mesh by ranges, or streamed quads (mesh 0).
struct LitCall {
    plat::LitPass pass;
    bool wireframe;
    bool depthTest;
    bool culling;
    bool separate;  // drawn while separate draws were on
    plat::Fog fog;
    int skyLevel;
    plat::CellBox box;
    plat::MeshId mesh;
    std::vector<plat::QuadRange> ranges;
    std::vector<plat::LitVertex> vertices;  // streamed quads, 4 per quad
};

// Everything drawn between two presents.
struct Frame {
    std::vector<uint32_t> clears;
    std::vector<SpriteCall> sprites;
    std::vector<TextCall> texts;
    std::vector<QuadCall> quads;
    std::vector<LitCall> litCalls;
    int scenesBegun = 0;
    int scenesEnded = 0;
    plat::Matrix view{};
    plat::Matrix projection{};

    // The first text drawn that equals `text`, or nullptr.
    const TextCall* findText(const std::string& text) const;
};

// A fresh process: clock at 0, no keys, empty queue, no window, nothing drawn.
void reset();

// ---- clock
void setClock(int32_t ms);
void advanceClock(int32_t ms);
// Every clockMs() read moves the clock on by this much after reading (0 = off).
void setClockStepPerRead(int32_t ms);
int64_t clockReads();
void setCalendarSeconds(int64_t seconds);

// ---- input
void pressKey(uint8_t code);
void releaseKey(uint8_t code);
void releaseAllKeys();
void setMouse(int32_t dx, int32_t dy, bool left, bool right);
void setKeyboardFails(bool fails);

// ---- window messages
void queueMessage(plat::Message message);
size_t queuedMessages();

// ---- device and window
void setCreateFails(bool fails);
void setBeginSceneFails(bool fails);
void setDeviceMissing(bool missing);
// The drawable's size the 3D view is told (800 x 600 until set).
void setViewSize(int width, int height);
// What the game last asked the window for.
int frameCap();
plat::Placement placement();  // as last set
bool windowOpen();
bool cursorVisible();
bool mouseCaptured();
std::pair<int, int> lastCursorMove();
int presentCount();
const Frame& lastFrame();   // the frame most recently presented
const Frame& currentFrame();  // what has been drawn since
// Runs right after every present (tests script the next frame from here).
void setPresentHook(std::function<void()> hook);
// Runs at every keyboard read, before the snapshot is taken.
void setKeyboardHook(std::function<void()> hook);

// ---- lit geometry
// The quads of a mesh that has not been released yet (nullptr otherwise). A
// destroyed mesh stays readable until two more frames have been presented, as
// frames already drawn may still refer to it.
const std::vector<plat::LitVertex>* meshVertices(plat::MeshId mesh);
size_t liveMeshCount();  // created and not destroyed
const plat::LightTable& lightTable();

// ---- sound
// Every effect played since the reset, with the clock when it was played.
struct SoundCall {
    int32_t time;
    plat::SoundPlay play;
};
const std::vector<SoundCall>& soundsPlayed();
void clearSoundsPlayed();
// The ambience loops' loudness as last set.
struct AmbienceLevel {
    float wind = 0.0f, night = 0.0f;
};
AmbienceLevel ambience();

// ---- files and messages to the player
void setExeFolder(const std::string& folder);  // trailing '/' added when missing
// The environment the desktop rules read in place of the process's own
// (until reset), so that no test depends on the machine's locale or home.
void setEnvironment(std::map<std::string, std::string> variables);
struct ErrorBox {
    std::string title;
    std::string text;
};
const std::vector<ErrorBox>& errorBoxes();
std::vector<std::string>& screenshotsSaved();
// Plants failures in file operations (cleared by reset).
void setFileFaults(const plat::FileFaults& faults);

}  // namespace headless
